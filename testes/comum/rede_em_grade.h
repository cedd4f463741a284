#pragma once
// Rede em grade, montada nas tabelas de uma rede entrada (sem ela, a do processo) e sempre
// igual: `linhas` × `colunas` nós, cada linha uma arterial de mão dupla e cada coluna uma via de mão única (para baixo nas
// colunas pares, para cima nas ímpares). Todo nó recebe três links: do oeste, do leste e da
// via vertical (de um vizinho ou de fora da rede); 5 × 10 dá a maior rede que as tabelas
// permitem, 50 nós e 150 links. Grupo 1 serve os links horizontais, grupo 2 o vertical; os
// amarelos têm duração imposta. Um nó em cada sete tem o verde do grupo 1 repetido no ciclo.
// Com `saturada`, a via vertical da coluna 0 leva mais do que cabe: um grupo passa de 0,98 de
// grau de saturação e o período de simulação é de uma hora.

#include <string>

#include "comum/rede_de_teste.h"

namespace orvel::teste {

inline std::string nome_na_grade(char letra, int linha, int coluna) {
    std::string s(1, letra);
    s += std::to_string(linha);
    s += '_';
    s += std::to_string(coluna);
    return s;
}

inline void montar_rede_em_grade(rede_dada& rede, int linhas, int colunas, Integer ciclo, bool saturada = false) {
    esvaziar_rede(rede);
    rede.nome_da_rede_dado = "grade";
    rede.t_de_ciclo_imposto_dado = ciclo;

    auto no = [](int r, int c) { return nome_na_grade('N', r, c); };
    auto para_baixo = [](int c) { return c % 2 == 0; };
    // Nomes dos links pelo nó a que chegam: do oeste (E, andando para leste), do leste (W) e
    // da via vertical (V).
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < colunas; ++c) {
            const bool repete = (r * colunas + c) % 7 == 3;
            const int n = novo_no(rede, no(r, c), 2, repete ? 6 : 4);
            if (repete) {
                cores_do_grupo(rede, n, 1, "123312");
                cores_do_grupo(rede, n, 2, "331233");
                rede.duracao_imposta_dado(n, 6) = 3;
            } else {
                cores_do_grupo(rede, n, 1, "1233");
                cores_do_grupo(rede, n, 2, "3312");
            }
            rede.duracao_imposta_dado(n, 2) = 3;
            rede.duracao_imposta_dado(n, 4) = 3;
            links_do_grupo(rede, n, 1, {nome_na_grade('E', r, c), nome_na_grade('W', r, c)});
            links_do_grupo(rede, n, 2, {nome_na_grade('V', r, c)});
        }

    auto fluxo_horizontal = [](int r) { return Single(450 + 50 * r); };
    auto fluxo_vertical = [saturada](int c) { return Single(saturada && c == 0 ? 1300 : 250 + 20 * c); };
    auto percurso = [](int r, int c) { return static_cast<Byte>(10 + (r * 7 + c * 3) % 20); };
    auto criar = [&](char letra, int r, int c, const std::string& origem, Single fluxo) {
        const int l = novo_link(rede, nome_na_grade(letra, r, c), origem, no(r, c), fluxo, 1800, 30);
        rede.t_de_percurso_dado(l) = percurso(r, c);
        rede.verde_de_seguranca_dado(l) = 8;
    };
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < colunas; ++c) {
            criar('E', r, c, c == 0 ? "" : no(r, c - 1), fluxo_horizontal(r));
            criar('W', r, c, c == colunas - 1 ? "" : no(r, c + 1), fluxo_horizontal(r));
            const int de = para_baixo(c) ? r - 1 : r + 1;
            criar('V', r, c, de < 0 || de >= linhas ? "" : no(de, c), fluxo_vertical(c));
        }

    // Recebedores: quem segue em frente e quem vira, pelos links que saem do nó.
    auto fornecer = [&](char letra, int r, int c, const std::string& recebedor, int& k, Single fracao) {
        for (int l = 1; l <= rede.max_indice_link; ++l)
            if (rede.existe_link(l) && rede.nome_do_link_dado(l) == nome_na_grade(letra, r, c))
                recebedor_do_link(rede, l, ++k, recebedor, fracao * rede.fluxo_dado(l));
    };
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < colunas; ++c) {
            const int r_vertical = para_baixo(c) ? r + 1 : r - 1;
            const bool sai_vertical = r_vertical >= 0 && r_vertical < linhas;
            const std::string vertical = sai_vertical ? nome_na_grade('V', r_vertical, c) : "";
            int k = 0;
            if (c + 1 < colunas) fornecer('E', r, c, nome_na_grade('E', r, c + 1), k, 0.7f);
            if (sai_vertical) fornecer('E', r, c, vertical, k, 0.15f);
            k = 0;
            if (c > 0) fornecer('W', r, c, nome_na_grade('W', r, c - 1), k, 0.7f);
            if (sai_vertical) fornecer('W', r, c, vertical, k, 0.15f);
            k = 0;
            if (sai_vertical) fornecer('V', r, c, vertical, k, 0.6f);
            if (c + 1 < colunas) fornecer('V', r, c, nome_na_grade('E', r, c + 1), k, 0.2f);
            if (c > 0) fornecer('V', r, c, nome_na_grade('W', r, c - 1), k, 0.2f);
        }
}

inline void montar_rede_em_grade(int linhas, int colunas, Integer ciclo, bool saturada = false) {
    montar_rede_em_grade(contexto().rede, linhas, colunas, ciclo, saturada);
}

}  // namespace orvel::teste
