#pragma once
// O contexto do processo: a rede que as janelas mostram e editam. O modelo e o cálculo nunca o
// alcançam: trabalham só na rede que recebem (nenhum arquivo de calculo/ inclui este cabeçalho).
// A definição fica numa biblioteca à parte (orvel_contexto_do_processo), que as janelas ligam e
// o modelo e o cálculo não: a conferência das camadas falha se um deles se referir a ele.

#include "modelo/contexto_da_rede.h"

namespace orvel {

extern contexto_da_rede contexto_global;
inline contexto_da_rede& contexto() { return contexto_global; }

}  // namespace orvel
