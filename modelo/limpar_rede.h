#pragma once

namespace orvel {

struct contexto_da_rede;

// Devolve a rede ao estado vazio: tira do desenho cada nó e link, esconde as marcas de
// seleção e esvazia as tabelas da rede, as cópias de edição, os resultados e os valores da
// animação da rede c, e refaz dela o desenho da janela principal ("Erro 151"). Não mexe no
// arquivo, no nome do arquivo nem em projeto_alterado.
void limpar_rede(contexto_da_rede& c);

// A parte de limpar_rede que é só da rede: as tabelas de c voltam ao vazio (o desenho da rede
// inclusive), sem tocar em janela nenhuma. Só esvazia e move: não falha.
void esvaziar_rede(contexto_da_rede& c) noexcept;

}  // namespace orvel
