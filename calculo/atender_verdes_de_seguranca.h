#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Verdes de segurança e inícios dos intervalos ("Erro 125"). Em cada nó passa segundos, um a
// um, do maior intervalo livre para a sequência de verde mais curta até toda sequência de
// verde durar ao menos o verde de segurança do seu grupo; depois calcula as durações com a
// demanda, o início de cada intervalo, as cores finais e o tempo de verde de cada link.
//
// Quando os verdes de segurança de um nó não puderam ser atendidos, liga
// `verdes_de_seguranca_nao_atendidos`: a mensagem já foi mostrada, a etapa parou naquele nó (as
// durações ficaram como estavam) e o processamento deve pular as etapas de cálculo que faltam.
// A etapa o desliga ao começar.
void atender_verdes_de_seguranca(const rede_em_calculo& ctx);

}  // namespace orvel
