#pragma once

#include "calculo/rede_em_calculo.h"
// Gravação da rede animada: o modelo de filas segundo a segundo roda mais uma vez sobre a rede
// inteira, com as defasagens valendo e sem medir atraso nem paradas, e guarda a fila e a cor
// de cada link em cada segundo (`fila_no_instante`, `estado_no_instante`), que a janela da
// rede dinâmica repassa.
//
// Nenhuma das duas tem código de local: a falha sobe para o comando que as chama.

namespace orvel {

// Dimensiona de novo, vazias, as tabelas por segundo (os dois perfis do modelo, a fila e a cor
// no instante) para os links 0..max_indice_link e os segundos 0..8·C + 220 + T, com o ciclo C
// e o período de simulação T como estão. As contas são de 16 bits.
void dimensionar_tabelas_por_segundo(const rede_em_calculo& ctx);

// Grava a rede processada (`t_de_ciclo` de 1 para cima, tabelas já dimensionadas): zera as
// filas, toma de novo as cópias de trabalho e os dados derivados, refaz os inícios dos
// intervalos pelas durações e roda o modelo do segundo 121 ao 8·C + 122 + T. O período de
// simulação termina em 8·C + 120 + T; os dois segundos seguintes são os últimos que a
// apresentação mostra, e o modelo continua neles para que ela não termine com as filas
// vazias.
void gravar_rede_dinamica(const rede_em_calculo& ctx);

// Diz se o plano do último processamento cobre a rede de agora: cada nó existente tem os seus
// intervalos depois do processamento, com durações que não voltam para trás. Um nó criado
// depois do processamento não tem plano, e a gravação não teria onde achar os seus
// intervalos: a rede precisa ser processada de novo.
bool plano_cobre_a_rede(const rede_em_calculo& ctx);

}  // namespace orvel
