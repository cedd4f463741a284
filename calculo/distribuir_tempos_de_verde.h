#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Tempos de verde e ciclo final ("Erro 124"). Reparte o ciclo calculado entre os grupos
// críticos de cada nó na proporção dos seus fluxos (com a fórmula própria do nó demandado),
// respeita as durações impostas, fixa o ciclo final `t_de_ciclo` (múltiplo de 5 dentro do
// máximo, ou o imposto) e completa ou apara os intervalos de cada nó para somarem o ciclo.
void distribuir_tempos_de_verde(const rede_em_calculo& ctx);

}  // namespace orvel
