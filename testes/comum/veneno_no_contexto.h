#pragma once
// Veneno em todo campo do contexto da rede, pelas listas de campos que definem os grupos, e a
// conferência campo por campo depois de uma limpeza: um campo novo entra sozinho nos testes.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "comum/conferencia.h"
#include "comum/percorrer.h"
#include "modelo/contexto_do_processo.h"

namespace orvel::teste {

template <class T, int... L>
void envenenar(tabela<T, L...>& t) {
    t.preencher(veneno_de<T>());
}
template <class T>
void envenenar(tabela_dinamica<T>& t) {
    t.dimensionar(2, 3);
    t.preencher(veneno_de<T>());
}
template <class T>
void envenenar(T& v) {
    v = veneno_de<T>();
}

// Envenena o contexto inteiro, também o índice 0 de toda tabela.
inline void envenenar_o_contexto(contexto_da_rede& c) {
#define ORVEL_ENVENENAR(grupo) [&](auto& g) { grupo(ORVEL_ENVENENAR_CAMPO) }
#define ORVEL_ENVENENAR_CAMPO(nome, ...) envenenar(g.nome);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DA_REDE_DADA)(c.rede);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DO_DESENHO_DADO)(c.desenho);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DO_ESTADO_DO_PROJETO)(c.projeto);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO)(c.listas);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DAS_COPIAS_DE_TRABALHO)(c.copias);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DOS_DADOS_DERIVADOS)(c.derivados);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DO_ESTADO_DAS_BUSCAS)(c.buscas);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DAS_TABELAS_DA_SIMULACAO)(c.simulacao);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DOS_RESULTADOS_DO_CALCULO)(c.resultados);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO)(c.edicao);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR)(c.editor);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO)(c.animacao);
    ORVEL_ENVENENAR(ORVEL_CAMPOS_DO_ESTADO_DAS_JANELAS)(c.janelas);
#undef ORVEL_ENVENENAR_CAMPO
#undef ORVEL_ENVENENAR
}

// O que cada elemento de um campo deve ter depois de uma limpeza, pelos índices (um valor simples
// não tem índices): ainda o veneno, o valor vazio, ou qualquer um (conferido por outro teste).
enum class esperado { veneno, vazio, qualquer };
using regra_da_limpeza = std::function<esperado(const std::string& campo, const int* indices, std::size_t dimensoes)>;

template <class T, int... L>
void conferir_campo(const std::string& nome, tabela<T, L...>& t, const regra_da_limpeza& limpa) {
    int erros = 0;
    percorrer(t, [&](const std::array<int, sizeof...(L)>& i, T& v) {
        const esperado e = limpa(nome, i.data(), i.size());
        if (e == esperado::qualquer) return;
        const bool deve = e == esperado::vazio;
        if (!(v == (deve ? vazio_de<T>() : veneno_de<T>())) && ++erros <= 3) {
            std::string s;
            for (int k : i) s += std::to_string(k) + ",";
            ADD_FAILURE() << nome << "(" << s << ") " << (deve ? "não foi limpo" : "foi tocado");
        }
    });
}
template <class T>
void conferir_campo(const std::string& nome, tabela_dinamica<T>& t, const regra_da_limpeza& limpa) {
    // As tabelas dimensionadas durante a execução nenhuma limpeza toca.
    if (limpa(nome, nullptr, 0) == esperado::qualquer) return;
    EXPECT_EQ(t.limite1(), 2) << nome;
    EXPECT_EQ(t.limite2(), 3) << nome;
    if (t.limite1() == 2 && t.limite2() == 3) {
        EXPECT_TRUE(t(1, 2) == veneno_de<T>()) << nome;
    }
}
template <class T>
void conferir_campo(const std::string& nome, T& v, const regra_da_limpeza& limpa) {
    const esperado e = limpa(nome, nullptr, 0);
    if (e == esperado::qualquer) return;
    const bool deve = e == esperado::vazio;
    EXPECT_TRUE(v == (deve ? vazio_de<T>() : veneno_de<T>())) << nome << (deve ? " não foi limpo" : " foi tocado");
}

// Confere todo campo do contexto pela regra; cada campo é nomeado "grupo.campo".
inline void conferir_o_contexto(contexto_da_rede& c, const regra_da_limpeza& limpa) {
#define ORVEL_CONFERIR(grupo, membro) \
    [&](auto& g) { grupo(ORVEL_CONFERIR_CAMPO) }(c.membro);
#define ORVEL_CONFERIR_CAMPO(nome, ...) conferir_campo(std::string(prefixo) + #nome, g.nome, limpa);
    const char* prefixo = "rede.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DA_REDE_DADA, rede)
    prefixo = "desenho.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DO_DESENHO_DADO, desenho)
    prefixo = "projeto.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DO_ESTADO_DO_PROJETO, projeto)
    prefixo = "listas.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO, listas)
    prefixo = "copias.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DAS_COPIAS_DE_TRABALHO, copias)
    prefixo = "derivados.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DOS_DADOS_DERIVADOS, derivados)
    prefixo = "buscas.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DO_ESTADO_DAS_BUSCAS, buscas)
    prefixo = "simulacao.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DAS_TABELAS_DA_SIMULACAO, simulacao)
    prefixo = "resultados.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DOS_RESULTADOS_DO_CALCULO, resultados)
    prefixo = "edicao.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO, edicao)
    prefixo = "editor.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR, editor)
    prefixo = "animacao.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO, animacao)
    prefixo = "janelas.";
    ORVEL_CONFERIR(ORVEL_CAMPOS_DO_ESTADO_DAS_JANELAS, janelas)
#undef ORVEL_CONFERIR_CAMPO
#undef ORVEL_CONFERIR
}

}  // namespace orvel::teste
