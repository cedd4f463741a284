#pragma once

#include "modelo/contexto_da_rede.h"

namespace orvel {

// Devolve as tabelas do cálculo de uma rede ao estado vazio, no início de cada "Processar"
// válido e ao carregar a janela principal. Nas linhas de nó, só limpa as posições em uso (as
// da rede dada do mesmo contexto). Sem argumento, a rede do processo.
void zerar_variaveis_de_calculo(contexto_da_rede& ctx);
void zerar_variaveis_de_calculo();

// O nome da rede e as opções nas cópias de trabalho (impostas e efetivas), zerados.
void zerar_opcoes_de_trabalho(contexto_da_rede& ctx);
void zerar_opcoes_de_trabalho();

}  // namespace orvel
