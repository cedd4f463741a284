#pragma once
// O modelo de filas escrito da forma mais direta possível, segundo a segundo e link a link,
// sem nada preparado antes: a referência com que a simulação rápida é comparada bit a bit.

#include "modelo/contexto_da_rede.h"
#include "plataforma/tipos.h"

namespace orvel::teste {

enum class variante { rede, par, caminho, vizinhanca, rede_final };

// Roda a variante sobre as tabelas do contexto dado que a simulação usa (sem código de local:
// uma falha sobe como exceção).
void simular_literal(contexto_da_rede& c, variante v, Integer defasagem_do_par = 0);

}  // namespace orvel::teste
