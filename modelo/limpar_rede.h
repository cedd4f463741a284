#pragma once

namespace orvel {

// Devolve a rede ao estado vazio: tira do desenho cada nó e link, esconde as marcas de
// seleção e esvazia as tabelas da rede, as cópias de edição, os resultados e os valores da
// animação ("Erro 151"). Não mexe no arquivo, no nome do arquivo nem em projeto_alterado.
void limpar_rede();

}  // namespace orvel
