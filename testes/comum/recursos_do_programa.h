#pragma once
// Os arquivos que vão ao lado do executável (a folha do relatório, a página de ajuda), lidos da
// pasta recursos/ do código.

#include <filesystem>
#include <string>

#include "comum/arquivos.h"
#include "resultados/ajuda.h"

namespace orvel::teste {

inline std::string pasta_dos_recursos() {
    return std::filesystem::weakly_canonical(ORVEL_DADOS_DE_TESTE "/../../recursos").string();
}

// O texto com cada sequência de quebras e espaços trocada por um espaço, como a página o mostra.
inline std::string com_espacos_simples(const std::string& texto) {
    std::string r;
    for (char c : texto)
        if (c == '\n' || c == '\r' || c == ' ' || c == '\t') {
            if (!r.empty() && r.back() != ' ') r += ' ';
        } else {
            r += c;
        }
    return r;
}

// A página de ajuda como ela se lê, com os espaços simples.
inline std::string texto_da_ajuda() {
    return com_espacos_simples(conteudo(pasta_dos_recursos() + "/" + nome_da_pagina_de_ajuda));
}

}  // namespace orvel::teste
