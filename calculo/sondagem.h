#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Ponto de sondagem de uma etapa do processamento: deixa rodar os eventos pendentes (a
// pintura e um clique em "Interromper  processamento") e, quando a parada foi pedida, chama
// calcular_resultados, cujo ramo de parada devolve os comandos à janela principal. A etapa
// continua depois da sondagem.
void sondar_parada(const rede_em_calculo& ctx);

// Guarda a revisão da rede no começo de uma execução.
void guardar_revisao_do_comeco_da_execucao(const rede_em_calculo& ctx);

// As buscas ainda podem simular as suas tentativas em faixas? Um lote é simulado de uma vez e
// tomado faixa a faixa, com sondagens no meio: só vale se nada do que a execução lê mudou entre
// elas. Sem parada os comandos estão desligados; depois dela, a guarda da execução recusa os que
// mudam a rede ou as opções até o processamento voltar. Sim enquanto não houve parada ou a
// revisão da rede é a do começo da execução; quando ela mudou, a busca descarta o resto do lote
// e segue em sequência até o fim.
bool faixas_depois_da_parada(const rede_em_calculo& ctx);

}  // namespace orvel
