#pragma once

#include "modelo/contexto_da_rede.h"

namespace orvel {

// Ligada quando os verdes de segurança de um nó não puderam ser atendidos: a mensagem já foi
// mostrada, a etapa parou naquele nó (as durações ficaram como estavam) e o processamento
// deve pular as etapas de cálculo que faltam. A etapa a desliga ao começar.
inline auto& verdes_de_seguranca_nao_atendidos = contexto_global.derivados.verdes_de_seguranca_nao_atendidos;

// Verdes de segurança e inícios dos intervalos ("Erro 125"). Em cada nó passa segundos, um a
// um, do maior intervalo livre para a sequência de verde mais curta até toda sequência de
// verde durar ao menos o verde de segurança do seu grupo; depois calcula as durações com a
// demanda, o início de cada intervalo, as cores finais e o tempo de verde de cada link.
void atender_verdes_de_seguranca();

}  // namespace orvel
