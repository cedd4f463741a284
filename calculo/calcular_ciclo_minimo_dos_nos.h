#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Grupos críticos e ciclos mínimos ("Erro 122"). Para cada nó em uso escolhe, entre os
// conjuntos de dois a cinco grupos que nunca ficam verdes juntos, o que pede o maior ciclo
// C = (L - e) / (1 - Y); guarda o seu tempo perdido e o seu Y, marca os grupos críticos,
// calcula o verde de segurança e os períodos de verde de cada grupo, o ciclo de segurança de
// cada nó e o da rede.
void calcular_ciclo_minimo_dos_nos(const rede_em_calculo& ctx);

}  // namespace orvel
