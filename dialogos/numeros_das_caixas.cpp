#include "dialogos/numeros_das_caixas.h"

#include <algorithm>

#include "plataforma/numeros.h"

namespace orvel {

Byte byte_da_caixa(std::string_view texto) { return para_byte(ler_numero(texto)); }

Integer integer_da_caixa(std::string_view texto) { return para_integer(ler_numero(texto)); }

Single single_da_caixa(std::string_view texto) { return verificar_single(ler_numero(texto)); }

std::string caixa_de_inteiro(long long valor) { return valor == 0 ? std::string() : texto_de_inteiro(valor); }

std::string caixa_de_single(Single valor) {
    if (valor == 0) return {};
    std::string s = texto_de_single(valor);
    std::replace(s.begin(), s.end(), separador_decimal(), '.');
    return s;
}

}  // namespace orvel
