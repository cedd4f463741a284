#pragma once
// Tipos numéricos do programa e as conversões entre eles.
//
// Byte é inteiro sem sinal de 8 bits, Integer com sinal de 16, Long com sinal de 32 e Single
// um float de 32 bits. Toda conversão para inteiro arredonda metade para o par (std::nearbyint
// no modo de arredondamento padrão) e falha com "Estouro" fora da faixa do tipo.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

#include "plataforma/falha.h"

namespace orvel {

using Byte = std::uint8_t;
using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

namespace detalhe {

template <class Destino, std::integral Origem>
Destino estreitar_inteiro(Origem v) {
    if (!std::in_range<Destino>(v)) falhar(tipo_de_falha::estouro);
    return static_cast<Destino>(v);
}

template <class Destino, std::floating_point Origem>
Destino estreitar_real(Origem v) {
    // Arredonda no próprio tipo de origem: um Single não é alargado antes de arredondar.
    const Origem r = std::nearbyint(v);
    if (!(r >= static_cast<Origem>(std::numeric_limits<Destino>::min()) &&
          r <= static_cast<Origem>(std::numeric_limits<Destino>::max())))
        falhar(tipo_de_falha::estouro);  // também NaN
    return static_cast<Destino>(r);
}

}  // namespace detalhe

template <std::integral T> Byte para_byte(T v) { return detalhe::estreitar_inteiro<Byte>(v); }
template <std::floating_point T> Byte para_byte(T v) { return detalhe::estreitar_real<Byte>(v); }
template <std::integral T> Integer para_integer(T v) { return detalhe::estreitar_inteiro<Integer>(v); }
template <std::floating_point T> Integer para_integer(T v) { return detalhe::estreitar_real<Integer>(v); }
template <std::integral T> Long para_long(T v) { return detalhe::estreitar_inteiro<Long>(v); }
template <std::floating_point T> Long para_long(T v) { return detalhe::estreitar_real<Long>(v); }

// Um valor real que saiu da faixa (infinito ou NaN) é o estouro do procedimento.
inline Single verificar_single(double v) {
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        falhar(tipo_de_falha::estouro);
    return static_cast<Single>(v);
}

inline double verificar_double(double v) {
    if (!std::isfinite(v)) falhar(tipo_de_falha::estouro);
    return v;
}

// Divisão "/" em precisão simples (operandos Byte, Integer ou Single).
inline Single dividir_single(float a, float b) {
    if (b == 0.0f) falhar(a == 0.0f ? tipo_de_falha::estouro : tipo_de_falha::divisao_por_zero);
    const float r = a / b;
    if (!std::isfinite(r)) falhar(tipo_de_falha::estouro);
    return r;
}

// Divisão "/" em precisão dupla (algum operando Long ou double).
inline double dividir_double(double a, double b) {
    if (b == 0.0) falhar(a == 0.0 ? tipo_de_falha::estouro : tipo_de_falha::divisao_por_zero);
    const double r = a / b;
    if (!std::isfinite(r)) falhar(tipo_de_falha::estouro);
    return r;
}

// Resto "Mod" de números inteiros.
inline Long resto(Long a, Long b) {
    if (b == 0) falhar(tipo_de_falha::divisao_por_zero);
    if (b == -1) return 0;
    return a % b;
}

// Soma, diferença e produto de inteiros no tipo Long, com estouro verificado.
inline Long soma_long(Long a, Long b) {
    Long r;
    if (__builtin_add_overflow(a, b, &r)) falhar(tipo_de_falha::estouro);
    return r;
}

inline Long diferenca_long(Long a, Long b) {
    Long r;
    if (__builtin_sub_overflow(a, b, &r)) falhar(tipo_de_falha::estouro);
    return r;
}

inline Long produto_long(Long a, Long b) {
    Long r;
    if (__builtin_mul_overflow(a, b, &r)) falhar(tipo_de_falha::estouro);
    return r;
}

}  // namespace orvel
