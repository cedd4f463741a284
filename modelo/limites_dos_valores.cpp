#include "modelo/limites_dos_valores.h"

#include "plataforma/numeros.h"

namespace orvel {

bool nome_em_branco(std::string_view nome) { return nome.find_first_not_of(' ') == std::string_view::npos; }

std::string texto_da_faixa(const faixa_de_valor& faixa) {
    return "entre " + texto_de_double(faixa.minimo) + " e " + texto_de_double(faixa.maximo);
}

std::optional<std::string> caracter_que_o_arquivo_nao_guarda(std::string_view nome, uso_do_nome uso) {
    // O XML não guarda caracteres de controle além da tabulação e das quebras de linha.
    for (char c : nome) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') return "de código " + texto_de_inteiro(u);
    }
    // As listas dos links de cada grupo separam os nomes por vírgula.
    if (uso == uso_do_nome::link || uso == uso_do_nome::recebedor)
        if (nome.find(',') != std::string_view::npos) return std::string("','");
    // Onde o arquivo grava "-" para "nenhum", um nome "-" voltaria vazio.
    if ((uso == uso_do_nome::recebedor || uso == uso_do_nome::no_origem) && nome == "-") return std::string("'-'");
    return std::nullopt;
}

}  // namespace orvel
