#pragma once
// Ler e escrever arquivos inteiros, byte a byte, e o tipo da falha que uma ação levanta.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "plataforma/falha.h"

namespace orvel::teste {

inline std::string conteudo(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void escrever(const std::string& caminho, const std::string& texto) {
    std::ofstream(caminho, std::ios::binary) << texto;
}

template <class Acao>
tipo_de_falha falha_de(Acao&& acao) {
    try {
        acao();
    } catch (const falha& f) {
        return f.tipo();
    }
    ADD_FAILURE() << "não falhou";
    return tipo_de_falha::generica;
}

}  // namespace orvel::teste
