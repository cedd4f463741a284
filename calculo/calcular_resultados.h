#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Resultados de uma execução ("Erro 152"). Com a parada pedida, só devolve os comandos à
// janela principal (coluna de parada) e sai do modo de desenho; senão faz a simulação final
// e monta todos os textos de resultado.
void calcular_resultados(const rede_em_calculo& ctx);

}  // namespace orvel
