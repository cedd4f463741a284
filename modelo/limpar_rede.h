#pragma once

namespace orvel {

struct contexto_da_rede;

// Devolve a rede c ao vazio, sem tocar em janela nenhuma: tira do desenho da rede cada nó e
// link e esvazia as tabelas da rede, as cópias de edição, os resultados e os valores da
// animação. Não mexe no arquivo, no nome do arquivo nem em projeto_alterado. (A limpeza que
// refaz também o desenho da janela principal é limpar_rede, das janelas.) Só esvazia e move:
// não falha.
void esvaziar_rede(contexto_da_rede& c) noexcept;

}  // namespace orvel
