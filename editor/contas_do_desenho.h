#pragma once
// Contas em precisão simples das coordenadas do desenho. Um resultado que sai da faixa do Single
// é o estouro do procedimento, nunca um infinito guardado num controle.

#include <cmath>

#include "plataforma/tipos.h"

namespace orvel::desenho {

inline Single verificado(float r) {
    if (!std::isfinite(r)) falhar(tipo_de_falha::estouro);
    return r;
}

inline Single soma(Single a, Single b) { return verificado(a + b); }
inline Single dif(Single a, Single b) { return verificado(a - b); }
inline Single prod(Single a, Single b) { return verificado(a * b); }
inline Single quoc(Single a, Single b) { return dividir_single(a, b); }

// Um valor inteiro do editor (Long) tomado como Single.
inline Single single_de(Long v) { return static_cast<Single>(v); }

}  // namespace orvel::desenho
