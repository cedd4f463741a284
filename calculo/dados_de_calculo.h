#pragma once

#include "calculo/rede_em_calculo.h"

namespace orvel {

// Copia a rede entrada (nós e links em uso e as opções da rede) para as cópias de trabalho do
// cálculo, que nunca muda os dados do usuário ("Erro 126").
void copiar_dados_de_calculo(const rede_em_calculo& ctx);

// Deriva das cópias de trabalho o que as etapas seguintes indexam por posição: opções
// efetivas, verdes, grupos de cada link, fluxos por segundo, links críticos, nós de cada link,
// caixa útil, probabilidade de demanda, mestres e escravos, recebedores e frações do
// fornecimento ("Erro 121"). Divide os fluxos por 3600 no próprio lugar: só pode rodar uma vez
// depois de cada cópia.
void preparar_dados_de_calculo(const rede_em_calculo& ctx);

}  // namespace orvel
