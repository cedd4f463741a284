#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Devolve as tabelas do cálculo de uma rede ao estado vazio, no início de cada "Processar"
// válido e ao carregar a janela principal. Nas linhas de nó, só limpa as posições em uso (as
// da rede dada do mesmo contexto).
void zerar_variaveis_de_calculo(const rede_em_calculo& ctx);

// O nome da rede e as opções nas cópias de trabalho (impostas e efetivas), zerados.
void zerar_opcoes_de_trabalho(const rede_em_calculo& ctx);

}  // namespace orvel
