#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Tempo de ciclo da rede e ciclos duplos ("Erro 123"). Calcula o ciclo de cada nó no grau de
// saturação meta (com a correção da demanda e a elevação pelo verde de segurança dos grupos
// críticos), a média ponderada pelo Y dos nós, os limites (ciclo de segurança, grau de
// saturação limite, máximo e ciclo imposto) e decide que nós fazem ciclo duplo. Termina com a
// sondagem do pedido de parada.
void escolher_tempo_de_ciclo(const rede_em_calculo& ctx);

}  // namespace orvel
