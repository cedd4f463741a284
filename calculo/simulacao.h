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

#include <array>

#include "calculo/rede_em_calculo.h"
#include "plataforma/tipos.h"

namespace orvel {

// Rede inteira com as defasagens em teste; escreve `indice_de_desempenho` ("Erro 130").
void simular_rede(const rede_em_calculo& ctx);

// Os dois nós do par corrente: o primeiro na defasagem 0, o segundo na defasagem dada
// (0..300 s), que é também a posição de `custo_da_defasagem` escrita ("Erro 136").
void simular_par(const rede_em_calculo& ctx, Integer defasagem_do_segundo_no);

// O caminho principal; escreve `indice_de_desempenho` ("Erro 140").
void simular_caminho(const rede_em_calculo& ctx);

// A vizinhança do candidato corrente; escreve `indice_da_vizinhanca` ("Erro 145").
void simular_vizinhanca(const rede_em_calculo& ctx);

// Rede inteira com as defasagens valendo: `fila_maxima`, `atraso_total` e `paradas_total`
// ("Erro 153").
void simular_rede_final(const rede_em_calculo& ctx);

// --- Execuções em faixas ---
//
// Até oito execuções da mesma variante, cada uma com as suas defasagens, rodadas juntas (uma
// por faixa do vetor, com AVX2 quando o processador tem). A faixa j começa do estado em que a
// execução sequencial da faixa anterior deixaria as tabelas (a faixa 0, das tabelas como estão),
// e o resultado de cada faixa é bit a bit o da execução sequencial. As tabelas só recebem o
// começo da execução, igual em todas; devolver_faixa(j) as deixa como a execução sequencial da
// faixa j. Quando as faixas não servem (uma falha seria possível, nenhum segundo medido...), a
// função devolve false sem tocar as tabelas e quem chamou simula em sequência; uma faixa que
// chegaria a uma conta conferida fica marcada em faixa_precisa_de_sequencia.

// Defasagem de cada nó (por posição 0..max_nos) em cada faixa.
using defasagens_das_faixas = std::array<std::array<Integer, max_nos + 1>, max_faixas>;

// De que faixa cada faixa continua: o seu estado inicial é o que a execução daquela deixaria
// (-1 = o das tabelas). Em fila, cada uma continua da anterior; uma busca que tenta dois
// caminhos ao mesmo tempo monta uma árvore (a anterior sempre vem antes).
using anteriores_das_faixas = std::array<int, max_faixas>;
inline constexpr anteriores_das_faixas faixas_em_fila{-1, 0, 1, 2, 3, 4, 5, 6};

bool simular_rede_em_faixas(const rede_em_calculo& ctx, int quant, const defasagens_das_faixas& defasagens, const anteriores_das_faixas& anterior = faixas_em_fila);
bool simular_caminho_em_faixas(const rede_em_calculo& ctx, int quant, const defasagens_das_faixas& defasagens,
                               const anteriores_das_faixas& anterior = faixas_em_fila);
bool simular_par_em_faixas(const rede_em_calculo& ctx, int quant, const std::array<Integer, max_faixas>& defasagens_do_segundo_no);

// Na vizinhança, as faixas diferem nos inícios dos intervalos (0..73) do nó dado
// (inicios_das_faixas, em modelo/areas_da_simulacao.h, como max_faixas).
bool simular_vizinhanca_em_faixas(const rede_em_calculo& ctx, int quant, int no, const inicios_das_faixas& inicios);

bool faixa_precisa_de_sequencia(const rede_em_calculo& ctx, int j);

// O resultado da faixa j: o índice de desempenho, o da vizinhança ou o custo da defasagem.
Single resultado_da_faixa(const rede_em_calculo& ctx, int j);

// As tabelas como a execução sequencial da faixa j as deixaria, com o resultado da variante.
void devolver_faixa(const rede_em_calculo& ctx, int j);

// Quantas execuções a rede já fez: em sequência (a final também) e em faixas (um lote conta
// uma vez). Para os testes e as medidas.
execucoes_feitas contar_execucoes(const contexto_da_rede& c);

// Força o caminho sem AVX2 (para os testes e as medidas); devolve o que valia.
bool usar_instrucoes_avx2(bool usar);

// As buscas das defasagens simulam as suas tentativas em faixas? Só com AVX2 (sem ele as
// faixas não são mais rápidas que a sequência); o resultado é o mesmo de qualquer jeito.
bool buscas_em_faixas();
// Liga ou desliga as faixas nas buscas, com ou sem AVX2 (para os testes e as medidas);
// devolve o que valia.
bool ligar_buscas_em_faixas(bool ligar);

}  // namespace orvel
