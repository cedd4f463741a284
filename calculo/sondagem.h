#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Ponto de sondagem de uma etapa do processamento: deixa rodar os eventos pendentes (a
// pintura e um clique em "Interromper  processamento") e, quando a parada foi pedida, chama
// calcular_resultados, cujo ramo de parada devolve os comandos à janela principal. A etapa
// continua depois da sondagem.
void sondar_parada(const rede_em_calculo& ctx);

}  // namespace orvel
