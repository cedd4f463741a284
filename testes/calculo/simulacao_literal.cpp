#include "simulacao_literal.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "modelo/tabelas_de_calculo.h"

namespace orvel::teste {

void simular_literal(contexto_da_rede& c, variante v, Integer defasagem_do_par) {
    const bool subconjunto = v == variante::par || v == variante::caminho || v == variante::vizinhanca;
    std::vector<int> links;
    std::vector<int> nos;
    std::vector<Integer> defasagens;
    Integer W = 8;
    Integer P = c.derivados.periodo_de_simulacao;
    std::function<Single(int)> entrada;
    std::function<Single(int)> capacidade;
    std::function<bool(int)> testa_corte;

    const int p = c.buscas.par_corrente;
    const int cand = c.buscas.candidato_corrente;
    switch (v) {
        case variante::rede:
        case variante::rede_final:
            for (int l = 1; l <= c.rede.max_indice_link; ++l)
                if (c.rede.existe_link(l)) links.push_back(l);
            for (int n = 1; n <= c.rede.max_indice_no; ++n)
                if (c.rede.existe_no(n)) {
                    nos.push_back(n);
                    defasagens.push_back(v == variante::rede ? c.buscas.defasagem_tentativa(n) : c.buscas.defasagem_valendo(n));
                }
            entrada = [&c](int l) { return c.derivados.entrada_externa_por_segundo(l); };
            capacidade = [&c](int r) { return c.derivados.capacidade_util_da_caixa(r); };
            if (v == variante::rede) testa_corte = [&c](int l) { return c.copias.nome_do_no_origem(l).empty(); };
            else testa_corte = [&c](int l) { return c.rede.nome_do_no_origem_dado(l).empty(); };
            break;
        case variante::par: {
            W = 4;
            P = c.buscas.periodo_de_otimizacao;
            int a = 0, b = 0;
            for (int i = 1; i <= c.rede.max_indice_no; ++i)
                for (int j = 1; j <= c.rede.max_indice_no; ++j)
                    if (c.rede.existe_no(i) && c.rede.existe_no(j) && (c.buscas.eh_fase1 ? c.buscas.par_fase1(i, j) : c.buscas.par_fase2(i, j)) == p) {
                        a = i;
                        b = j;
                    }
            c.buscas.defasagem_tentativa(a) = 0;
            c.buscas.defasagem_tentativa(b) = defasagem_do_par;
            nos = {a, b};
            defasagens = {0, defasagem_do_par};
            const int quant = c.buscas.eh_fase1 ? c.buscas.quant_de_links_do_par_fase1(p) : c.buscas.quant_de_links_do_par_fase2(p);
            for (int i = 1; i <= quant; ++i) links.push_back(c.buscas.eh_fase1 ? c.buscas.links_do_par_fase1(p, i) : c.buscas.links_do_par_fase2(p, i));
            entrada = [&c, p](int l) { return c.buscas.eh_fase1 ? c.buscas.entrada_no_par_fase1(p, l) : c.buscas.entrada_no_par_fase2(p, l); };
            capacidade = [&c, p](int r) { return Single(c.buscas.eh_fase1 ? c.buscas.capacidade_no_par_fase1(p, r) : c.buscas.capacidade_no_par_fase2(p, r)); };
            break;
        }
        case variante::caminho:
            for (int i = 1; i <= c.buscas.quant_de_nos_do_caminho; ++i) {
                nos.push_back(c.buscas.nos_do_caminho_principal(i));
                defasagens.push_back(c.buscas.defasagem_tentativa(c.buscas.nos_do_caminho_principal(i)));
            }
            for (int i = 1; i <= c.buscas.quant_de_links_do_caminho; ++i) links.push_back(c.buscas.links_do_caminho(i));
            entrada = [&c](int l) { return c.buscas.fluxo_externo_do_caminho(l); };
            capacidade = [&c](int r) { return Single(c.buscas.capacidade_no_caminho(r)); };
            break;
        case variante::vizinhanca:
            W = 4;
            P = c.buscas.periodo_local;
            for (int i = 1; i <= c.buscas.quant_de_nos_da_vizinhanca(cand); ++i) {
                const int n = c.buscas.no_da_vizinhanca(i);
                c.buscas.defasagem_tentativa(n) = c.buscas.defasagem(n);
                nos.push_back(n);
                defasagens.push_back(c.buscas.defasagem_tentativa(n));
            }
            for (int i = 1; i <= c.buscas.quant_de_links_da_vizinhanca(cand); ++i) links.push_back(c.buscas.links_da_vizinhanca(cand, i));
            entrada = [&c, cand](int l) { return c.buscas.fluxo_externo_da_vizinhanca(cand, l); };
            capacidade = [&c, cand](int r) { return Single(c.buscas.capacidade_na_vizinhanca(cand, r)); };
            break;
    }
    if (subconjunto) testa_corte = [&](int l) { return entrada(l) > 0; };
    auto e_do_conjunto = [&](int r) { return std::find(links.begin(), links.end(), r) != links.end(); };

    const Integer C = c.derivados.t_de_ciclo;
    const Long fim = Long(W) * C + 120 + P;

    // 1. Começo da execução.
    for (int l : links) {
        c.simulacao.fila(l) = c.simulacao.atraso(l) = c.simulacao.paradas_no_segundo(l) = c.simulacao.paradas(l) = c.simulacao.ocupacao_da_caixa(l) = 0;
        for (Long t = 121; t <= fim; ++t) c.simulacao.perfil_de_entrada(l, t) = c.simulacao.perfil_de_chegada(l, t) = 0;
    }
    if (subconjunto) {
        for (int r = 0; r <= c.rede.max_indice_link; ++r) c.simulacao.caixa_com_espaco(r) = true;
    } else {
        for (int l : links) c.simulacao.caixa_com_espaco(l) = true;
    }

    for (Long t = 121; t <= fim; ++t) {
        // 2. Sinais.
        for (std::size_t k = 0; k < nos.size(); ++k) {
            const int n = nos[k];
            const Single x = Single(t - defasagens[k]);
            const Single instante = x - std::floor(x / Single(C)) * Single(C);
            c.simulacao.instante_no_ciclo(n) = para_integer(instante);
            if (c.simulacao.instante_no_ciclo(n) == 0) c.simulacao.instante_no_ciclo(n) = C;
            int j = 1;
            while (c.simulacao.instante_no_ciclo(n) >= c.derivados.inicio_do_intervalo(n, j + 1) || c.simulacao.instante_no_ciclo(n) < c.derivados.inicio_do_intervalo(n, j)) ++j;
            for (int l : links)
                if (c.derivados.no_destino(l) == n) c.simulacao.verde_agora(l) = c.derivados.link_verde_no_intervalo(l, j);
        }
        // 3. Links.
        for (int l : links) {
            c.simulacao.link_corrente = static_cast<Byte>(l);
            const Single s = c.copias.fluxo_de_saturacao_por_segundo(l);
            c.simulacao.vazao_possivel = c.simulacao.fila(l) < s ? c.simulacao.fila(l) : s;
            c.simulacao.vazao_bloqueada = 0;
            c.simulacao.bloqueado_no_recebedor = 0;
            for (int k = 1; k <= 4; ++k) {
                const int r = c.derivados.recebedor(l, k);
                if (subconjunto && !e_do_conjunto(r)) continue;
                if (c.derivados.fracao_do_fornecimento(l, r) <= 0) continue;
                const Single f = c.derivados.fracao_do_fornecimento(l, r);
                Single movido = 0;
                if (c.simulacao.verde_agora(l) && c.simulacao.caixa_com_espaco(r)) {
                    movido = c.simulacao.vazao_possivel * f;
                    c.simulacao.bloqueado_no_recebedor = 0;
                } else if (c.simulacao.verde_agora(l)) {
                    movido = 0;
                    c.simulacao.bloqueado_no_recebedor = c.simulacao.vazao_possivel * f;
                } else {
                    movido = 0;
                    c.simulacao.bloqueado_no_recebedor = 0;
                }
                c.simulacao.perfil_de_entrada(r, t) += movido;
                c.simulacao.ocupacao_da_caixa(r) += movido;
                c.simulacao.caixa_com_espaco(r) = c.simulacao.ocupacao_da_caixa(r) < capacidade(r);
                c.simulacao.vazao_bloqueada += c.simulacao.bloqueado_no_recebedor;
            }
            if (c.simulacao.verde_agora(l)) {
                c.simulacao.fila(l) = c.simulacao.fila(l) - (c.simulacao.vazao_possivel - c.simulacao.vazao_bloqueada);
                c.simulacao.ocupacao_da_caixa(l) = c.simulacao.ocupacao_da_caixa(l) - (c.simulacao.vazao_possivel - c.simulacao.vazao_bloqueada);
            }
            if (v == variante::rede_final && c.simulacao.fila(l) > c.resultados.fila_maxima(l)) c.resultados.fila_maxima(l) = c.simulacao.fila(l);
            const Long partida = t - c.copias.t_de_percurso(l);
            c.simulacao.perfil_de_chegada(l, t) = (partida < 121 ? 0.0f : c.simulacao.perfil_de_entrada(l, partida)) + entrada(l);
            if (t == Long(W) * C + 121 && testa_corte(l)) {
                const Single limite = Single(C - c.derivados.t_de_verde_do_link(l)) * c.copias.fluxo_por_segundo(l);
                if (limite < c.simulacao.fila(l)) c.simulacao.fila(l) = limite;
            }
            if (t > Long(W) * C + 121) {
                c.simulacao.atraso(l) += c.simulacao.fila(l);
                if (!c.simulacao.verde_agora(l)) c.simulacao.paradas_no_segundo(l) = c.simulacao.perfil_de_chegada(l, t);
                else if (Single(c.simulacao.perfil_de_chegada(l, t) + c.simulacao.fila(l)) > Single(3 * s)) c.simulacao.paradas_no_segundo(l) = c.simulacao.perfil_de_chegada(l, t);
                else c.simulacao.paradas_no_segundo(l) = 0;
                c.simulacao.paradas_no_inicio_do_vermelho = c.simulacao.verde_antes(l) && !c.simulacao.verde_agora(l) ? para_long(c.simulacao.fila(l)) : 0;
                c.simulacao.paradas(l) = Single(double(c.simulacao.paradas(l) + c.simulacao.paradas_no_segundo(l)) + double(c.simulacao.paradas_no_inicio_do_vermelho));
                c.simulacao.verde_antes(l) = c.simulacao.verde_agora(l);
            }
            c.simulacao.fila(l) += c.simulacao.perfil_de_chegada(l, t);
        }
    }

    // 4. Resultado.
    auto custo = [&c](int l) { return Single(c.copias.peso_da_parada) * c.simulacao.paradas(l) + c.simulacao.atraso(l); };
    switch (v) {
        case variante::rede:
        case variante::caminho:
            c.buscas.indice_de_desempenho = 0;
            for (int l : links)
                c.buscas.indice_de_desempenho = c.derivados.no_origem(l) == 0 ? Single(double(c.buscas.indice_de_desempenho) + double(custo(l)) * 0.5)
                                                         : c.buscas.indice_de_desempenho + custo(l);
            break;
        case variante::par:
            c.buscas.custo_da_defasagem(defasagem_do_par) = 0;
            for (int l : links) c.buscas.custo_da_defasagem(defasagem_do_par) += custo(l);
            break;
        case variante::vizinhanca:
            c.buscas.indice_da_vizinhanca = 0;
            for (int l : links) c.buscas.indice_da_vizinhanca += custo(l);
            break;
        case variante::rede_final:
            c.resultados.atraso_total = c.resultados.paradas_total = 0;
            for (int l : links) {
                c.resultados.atraso_total += c.simulacao.atraso(l);
                c.resultados.paradas_total += c.simulacao.paradas(l);
            }
            break;
    }
}

}  // namespace orvel::teste
