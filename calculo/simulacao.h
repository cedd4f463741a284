#pragma once
// Simulação segundo a segundo das filas nas linhas de retenção dos links.
//
// Um só modelo, rodado sobre conjuntos diferentes de links e nós. Cada execução vai do
// segundo 121 até W·C + 120 + P: os W ciclos iniciais são o aquecimento, o segundo W·C + 121
// é o de corte (limita as filas dos links de entrada) e atraso e paradas só contam depois
// dele. As filas são números reais de veículos, em precisão simples.
//
// Todas leem e escrevem só as tabelas do cálculo; a falha de uma execução é relatada com o
// código do procedimento, os resultados ficam como a execução os deixou e quem chamou segue.
// Só `verde_antes` e `fila_maxima` passam de uma execução para a seguinte.

#include "plataforma/tipos.h"

namespace orvel {

// Rede inteira com as defasagens em teste; escreve `indice_de_desempenho` ("Erro 130").
void simular_rede();

// Os dois nós do par corrente: o primeiro na defasagem 0, o segundo na defasagem dada
// (0..300 s), que é também a posição de `custo_da_defasagem` escrita ("Erro 136").
void simular_par(Integer defasagem_do_segundo_no);

// O caminho principal; escreve `indice_de_desempenho` ("Erro 140").
void simular_caminho();

// A vizinhança do candidato corrente; escreve `indice_da_vizinhanca` ("Erro 145").
void simular_vizinhanca();

// Rede inteira com as defasagens valendo: `fila_maxima`, `atraso_total` e `paradas_total`
// ("Erro 153").
void simular_rede_final();

}  // namespace orvel
