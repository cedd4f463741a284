#pragma once
// O modelo de filas escrito da forma mais direta possível, segundo a segundo e link a link,
// sem nada preparado antes: a referência com que a simulação rápida é comparada bit a bit.

#include "plataforma/tipos.h"

namespace orvel::teste {

enum class variante { rede, par, caminho, vizinhanca, rede_final };

// Roda a variante sobre as mesmas tabelas que a simulação usa (sem código de local: uma
// falha sobe como exceção).
void simular_literal(variante v, Integer defasagem_do_par = 0);

}  // namespace orvel::teste
