#pragma once
// Montagem de redes para os testes, direto nas tabelas de uma rede entrada (as "_dado"): a de um
// contexto do teste ou, sem ela, a do processo.

#include <initializer_list>
#include <string>
#include <string_view>

#include "modelo/rede.h"

namespace orvel::teste {

// Esvazia a rede entrada: opções, ocupação, contagens e todas as tabelas de nós e links.
inline void esvaziar_rede(rede_dada& r) {
    static const rede_dada vazia{};
    r = vazia;
}

// Cria um nó na menor posição livre e devolve a posição. As cores ficam vermelhas em todos os
// intervalos dos grupos; as colunas 0 e 94 da régua, divisas.
inline int novo_no(rede_dada& r, const std::string& nome, int grupos = 1, int intervalos = 1) {
    int n = 1;
    while (r.existe_no(n)) ++n;
    r.existe_no(n) = true;
    ++r.total_de_nos_dado;
    if (n > r.max_indice_no) r.max_indice_no = static_cast<Byte>(n);
    r.nome_do_no_dado(n) = nome;
    r.quant_de_grupos_dado(n) = static_cast<Byte>(grupos);
    r.quant_de_intervalos_antes_dado(n) = static_cast<Byte>(intervalos);
    for (int g = 1; g <= grupos; ++g)
        for (int k = 1; k <= intervalos; ++k) r.cor_do_intervalo_do_grupo_dado(n, g, k) = cor_vermelho;
    r.existe_ordenada_dado(n, 0) = r.existe_ordenada_dado(n, max_colunas) = true;
    return n;
}

// Cria um link na menor posição livre e devolve a posição. Origem "" = link de entrada.
inline int novo_link(rede_dada& r, const std::string& nome, const std::string& origem, const std::string& destino, Single fluxo = 0,
                     Single fluxo_de_saturacao = 1800, Integer capacidade = 0) {
    int l = 1;
    while (r.existe_link(l)) ++l;
    r.existe_link(l) = true;
    ++r.total_de_links_dado;
    if (l > r.max_indice_link) r.max_indice_link = static_cast<Byte>(l);
    r.nome_do_link_dado(l) = nome;
    r.nome_do_no_origem_dado(l) = origem;
    r.nome_do_no_destino_dado(l) = destino;
    r.fluxo_dado(l) = fluxo;
    r.fluxo_de_saturacao_dado(l) = fluxo_de_saturacao;
    r.capacidade_da_caixa_dado(l) = capacidade;
    return l;
}

// Os links do grupo g do nó n, a partir da posição 1 ("" deixa a posição vazia).
inline void links_do_grupo(rede_dada& r, int n, int g, std::initializer_list<std::string> nomes) {
    int p = 0;
    for (const auto& nome : nomes) r.nome_dos_links_do_grupo_dado(n, g, ++p) = nome;
}

// Cores do grupo g do nó n a partir do intervalo 1, um algarismo por intervalo ("1133").
inline void cores_do_grupo(rede_dada& r, int n, int g, std::string_view codigos) {
    int k = 0;
    for (char c : codigos) r.cor_do_intervalo_do_grupo_dado(n, g, ++k) = static_cast<Byte>(c - '0');
}

inline void recebedor_do_link(rede_dada& r, int l, int k, const std::string& nome, Single valor) {
    r.nome_do_recebedor_dado(l, k) = nome;
    r.valor_do_fornecimento_dado(l, k) = valor;
}

// Os dados de um link interno válido de N1 a N2 na posição l, que já existe.
inline void dados_do_link_valido(rede_dada& r, int l, const std::string& nome) {
    r.nome_do_link_dado(l) = nome;
    r.nome_do_no_origem_dado(l) = "N1";
    r.nome_do_no_destino_dado(l) = "N2";
    r.verde_de_seguranca_dado(l) = 5;
    r.fluxo_dado(l) = 800;
    r.fluxo_de_saturacao_dado(l) = 1800;
    r.t_de_percurso_dado(l) = 20;
    r.capacidade_da_caixa_dado(l) = 30;
}

// As mesmas, na rede do processo (a que as janelas editam).
inline void esvaziar_rede() { esvaziar_rede(contexto().rede); }
inline int novo_no(const std::string& nome, int grupos = 1, int intervalos = 1) {
    return novo_no(contexto().rede, nome, grupos, intervalos);
}
inline int novo_link(const std::string& nome, const std::string& origem, const std::string& destino, Single fluxo = 0,
                     Single fluxo_de_saturacao = 1800, Integer capacidade = 0) {
    return novo_link(contexto().rede, nome, origem, destino, fluxo, fluxo_de_saturacao, capacidade);
}
inline void links_do_grupo(int n, int g, std::initializer_list<std::string> nomes) { links_do_grupo(contexto().rede, n, g, nomes); }
inline void cores_do_grupo(int n, int g, std::string_view codigos) { cores_do_grupo(contexto().rede, n, g, codigos); }
inline void recebedor_do_link(int l, int k, const std::string& nome, Single valor) {
    recebedor_do_link(contexto().rede, l, k, nome, valor);
}
inline void dados_do_link_valido(int l, const std::string& nome) { dados_do_link_valido(contexto().rede, l, nome); }

}  // namespace orvel::teste
