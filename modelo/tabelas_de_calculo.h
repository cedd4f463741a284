#pragma once
// Tabelas do cálculo: cópias de trabalho, dados derivados, estado das buscas de defasagem e
// do deslocamento de intervalos, estado da simulação segundo a segundo e resultados. São os
// grupos `copias`, `derivados`, `buscas`, `simulacao` e `resultados` de um contexto_da_rede
// (modelo/contexto_da_rede.h), sem outro nome: o cálculo os recebe com a rede que processa
// (rede_em_calculo), a limpeza da rede e o arquivo de projeto com a rede que esvaziam, abrem ou
// salvam, e as janelas os alcançam pelo contexto do processo (contexto().copias, ...).
//
// O que alguns guardam:
// - copias.capacidade_da_caixa: 32000 = ilimitada;
// - derivados.no_origem: 0 = link de entrada;
// - derivados.t_de_ciclo: o ciclo final; < 1 = projeto ainda não processado;
// - derivados.inicio_do_intervalo: um nó com 72 intervalos (36 dobrados) guarda C + 1 na
//   entrada 73;
// - simulacao.perfil_de_entrada, perfil_de_chegada, fila_no_instante e estado_no_instante: por
//   link (0..max_indice_link) e segundo, dimensionadas durante a execução.

#include "modelo/contexto_da_rede.h"
#include "modelo/rede.h"
