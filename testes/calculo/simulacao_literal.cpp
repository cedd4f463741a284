#include "simulacao_literal.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "modelo/tabelas_de_calculo.h"

namespace orvel::teste {

void simular_literal(variante v, Integer defasagem_do_par) {
    const bool subconjunto = v == variante::par || v == variante::caminho || v == variante::vizinhanca;
    std::vector<int> links;
    std::vector<int> nos;
    std::vector<Integer> defasagens;
    Integer W = 8;
    Integer P = periodo_de_simulacao;
    std::function<Single(int)> entrada;
    std::function<Single(int)> capacidade;
    std::function<bool(int)> testa_corte;

    const int p = par_corrente;
    const int c = candidato_corrente;
    switch (v) {
        case variante::rede:
        case variante::rede_final:
            for (int l = 1; l <= max_indice_link; ++l)
                if (existe_link(l)) links.push_back(l);
            for (int n = 1; n <= max_indice_no; ++n)
                if (existe_no(n)) {
                    nos.push_back(n);
                    defasagens.push_back(v == variante::rede ? defasagem_tentativa(n) : defasagem_valendo(n));
                }
            entrada = [](int l) { return entrada_externa_por_segundo(l); };
            capacidade = [](int r) { return capacidade_util_da_caixa(r); };
            if (v == variante::rede) testa_corte = [](int l) { return nome_do_no_origem(l).empty(); };
            else testa_corte = [](int l) { return nome_do_no_origem_dado(l).empty(); };
            break;
        case variante::par: {
            W = 4;
            P = periodo_de_otimizacao;
            int a = 0, b = 0;
            for (int i = 1; i <= max_indice_no; ++i)
                for (int j = 1; j <= max_indice_no; ++j)
                    if (existe_no(i) && existe_no(j) && (eh_fase1 ? par_fase1(i, j) : par_fase2(i, j)) == p) {
                        a = i;
                        b = j;
                    }
            defasagem_tentativa(a) = 0;
            defasagem_tentativa(b) = defasagem_do_par;
            nos = {a, b};
            defasagens = {0, defasagem_do_par};
            const int quant = eh_fase1 ? quant_de_links_do_par_fase1(p) : quant_de_links_do_par_fase2(p);
            for (int i = 1; i <= quant; ++i) links.push_back(eh_fase1 ? links_do_par_fase1(p, i) : links_do_par_fase2(p, i));
            entrada = [p](int l) { return eh_fase1 ? entrada_no_par_fase1(p, l) : entrada_no_par_fase2(p, l); };
            capacidade = [p](int r) { return Single(eh_fase1 ? capacidade_no_par_fase1(p, r) : capacidade_no_par_fase2(p, r)); };
            break;
        }
        case variante::caminho:
            for (int i = 1; i <= quant_de_nos_do_caminho; ++i) {
                nos.push_back(nos_do_caminho_principal(i));
                defasagens.push_back(defasagem_tentativa(nos_do_caminho_principal(i)));
            }
            for (int i = 1; i <= quant_de_links_do_caminho; ++i) links.push_back(links_do_caminho(i));
            entrada = [](int l) { return fluxo_externo_do_caminho(l); };
            capacidade = [](int r) { return Single(capacidade_no_caminho(r)); };
            break;
        case variante::vizinhanca:
            W = 4;
            P = periodo_local;
            for (int i = 1; i <= quant_de_nos_da_vizinhanca(c); ++i) {
                const int n = no_da_vizinhanca(i);
                defasagem_tentativa(n) = defasagem(n);
                nos.push_back(n);
                defasagens.push_back(defasagem_tentativa(n));
            }
            for (int i = 1; i <= quant_de_links_da_vizinhanca(c); ++i) links.push_back(links_da_vizinhanca(c, i));
            entrada = [c](int l) { return fluxo_externo_da_vizinhanca(c, l); };
            capacidade = [c](int r) { return Single(capacidade_na_vizinhanca(c, r)); };
            break;
    }
    if (subconjunto) testa_corte = [&](int l) { return entrada(l) > 0; };
    auto e_do_conjunto = [&](int r) { return std::find(links.begin(), links.end(), r) != links.end(); };

    const Integer C = t_de_ciclo;
    const Long fim = Long(W) * C + 120 + P;

    // 1. Começo da execução.
    for (int l : links) {
        fila(l) = atraso(l) = paradas_no_segundo(l) = paradas(l) = ocupacao_da_caixa(l) = 0;
        for (Long t = 121; t <= fim; ++t) perfil_de_entrada(l, t) = perfil_de_chegada(l, t) = 0;
    }
    if (subconjunto) {
        for (int r = 0; r <= max_indice_link; ++r) caixa_com_espaco(r) = true;
    } else {
        for (int l : links) caixa_com_espaco(l) = true;
    }

    for (Long t = 121; t <= fim; ++t) {
        // 2. Sinais.
        for (std::size_t k = 0; k < nos.size(); ++k) {
            const int n = nos[k];
            const Single x = Single(t - defasagens[k]);
            const Single instante = x - std::floor(x / Single(C)) * Single(C);
            instante_no_ciclo(n) = para_integer(instante);
            if (instante_no_ciclo(n) == 0) instante_no_ciclo(n) = C;
            int j = 1;
            while (instante_no_ciclo(n) >= inicio_do_intervalo(n, j + 1) || instante_no_ciclo(n) < inicio_do_intervalo(n, j)) ++j;
            for (int l : links)
                if (no_destino(l) == n) verde_agora(l) = link_verde_no_intervalo(l, j);
        }
        // 3. Links.
        for (int l : links) {
            link_corrente = static_cast<Byte>(l);
            const Single s = fluxo_de_saturacao_por_segundo(l);
            vazao_possivel = fila(l) < s ? fila(l) : s;
            vazao_bloqueada = 0;
            bloqueado_no_recebedor = 0;
            for (int k = 1; k <= 4; ++k) {
                const int r = recebedor(l, k);
                if (subconjunto && !e_do_conjunto(r)) continue;
                if (fracao_do_fornecimento(l, r) <= 0) continue;
                const Single f = fracao_do_fornecimento(l, r);
                Single movido = 0;
                if (verde_agora(l) && caixa_com_espaco(r)) {
                    movido = vazao_possivel * f;
                    bloqueado_no_recebedor = 0;
                } else if (verde_agora(l)) {
                    movido = 0;
                    bloqueado_no_recebedor = vazao_possivel * f;
                } else {
                    movido = 0;
                    bloqueado_no_recebedor = 0;
                }
                perfil_de_entrada(r, t) += movido;
                ocupacao_da_caixa(r) += movido;
                caixa_com_espaco(r) = ocupacao_da_caixa(r) < capacidade(r);
                vazao_bloqueada += bloqueado_no_recebedor;
            }
            if (verde_agora(l)) {
                fila(l) = fila(l) - (vazao_possivel - vazao_bloqueada);
                ocupacao_da_caixa(l) = ocupacao_da_caixa(l) - (vazao_possivel - vazao_bloqueada);
            }
            if (v == variante::rede_final && fila(l) > fila_maxima(l)) fila_maxima(l) = fila(l);
            const Long partida = t - t_de_percurso(l);
            perfil_de_chegada(l, t) = (partida < 121 ? 0.0f : perfil_de_entrada(l, partida)) + entrada(l);
            if (t == Long(W) * C + 121 && testa_corte(l)) {
                const Single limite = Single(C - t_de_verde_do_link(l)) * fluxo_por_segundo(l);
                if (limite < fila(l)) fila(l) = limite;
            }
            if (t > Long(W) * C + 121) {
                atraso(l) += fila(l);
                if (!verde_agora(l)) paradas_no_segundo(l) = perfil_de_chegada(l, t);
                else if (Single(perfil_de_chegada(l, t) + fila(l)) > Single(3 * s)) paradas_no_segundo(l) = perfil_de_chegada(l, t);
                else paradas_no_segundo(l) = 0;
                paradas_no_inicio_do_vermelho = verde_antes(l) && !verde_agora(l) ? para_long(fila(l)) : 0;
                paradas(l) = Single(double(paradas(l) + paradas_no_segundo(l)) + double(paradas_no_inicio_do_vermelho));
                verde_antes(l) = verde_agora(l);
            }
            fila(l) += perfil_de_chegada(l, t);
        }
    }

    // 4. Resultado.
    auto custo = [](int l) { return Single(peso_da_parada) * paradas(l) + atraso(l); };
    switch (v) {
        case variante::rede:
        case variante::caminho:
            indice_de_desempenho = 0;
            for (int l : links)
                indice_de_desempenho = no_origem(l) == 0 ? Single(double(indice_de_desempenho) + double(custo(l)) * 0.5)
                                                         : indice_de_desempenho + custo(l);
            break;
        case variante::par:
            custo_da_defasagem(defasagem_do_par) = 0;
            for (int l : links) custo_da_defasagem(defasagem_do_par) += custo(l);
            break;
        case variante::vizinhanca:
            indice_da_vizinhanca = 0;
            for (int l : links) indice_da_vizinhanca += custo(l);
            break;
        case variante::rede_final:
            atraso_total = paradas_total = 0;
            for (int l : links) {
                atraso_total += atraso(l);
                paradas_total += paradas(l);
            }
            break;
    }
}

}  // namespace orvel::teste
