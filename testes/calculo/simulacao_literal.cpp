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
    Integer P = contexto().derivados.periodo_de_simulacao;
    std::function<Single(int)> entrada;
    std::function<Single(int)> capacidade;
    std::function<bool(int)> testa_corte;

    const int p = contexto().buscas.par_corrente;
    const int c = contexto().buscas.candidato_corrente;
    switch (v) {
        case variante::rede:
        case variante::rede_final:
            for (int l = 1; l <= max_indice_link; ++l)
                if (existe_link(l)) links.push_back(l);
            for (int n = 1; n <= max_indice_no; ++n)
                if (existe_no(n)) {
                    nos.push_back(n);
                    defasagens.push_back(v == variante::rede ? contexto().buscas.defasagem_tentativa(n) : contexto().buscas.defasagem_valendo(n));
                }
            entrada = [](int l) { return contexto().derivados.entrada_externa_por_segundo(l); };
            capacidade = [](int r) { return contexto().derivados.capacidade_util_da_caixa(r); };
            if (v == variante::rede) testa_corte = [](int l) { return contexto().copias.nome_do_no_origem(l).empty(); };
            else testa_corte = [](int l) { return nome_do_no_origem_dado(l).empty(); };
            break;
        case variante::par: {
            W = 4;
            P = contexto().buscas.periodo_de_otimizacao;
            int a = 0, b = 0;
            for (int i = 1; i <= max_indice_no; ++i)
                for (int j = 1; j <= max_indice_no; ++j)
                    if (existe_no(i) && existe_no(j) && (contexto().buscas.eh_fase1 ? contexto().buscas.par_fase1(i, j) : contexto().buscas.par_fase2(i, j)) == p) {
                        a = i;
                        b = j;
                    }
            contexto().buscas.defasagem_tentativa(a) = 0;
            contexto().buscas.defasagem_tentativa(b) = defasagem_do_par;
            nos = {a, b};
            defasagens = {0, defasagem_do_par};
            const int quant = contexto().buscas.eh_fase1 ? contexto().buscas.quant_de_links_do_par_fase1(p) : contexto().buscas.quant_de_links_do_par_fase2(p);
            for (int i = 1; i <= quant; ++i) links.push_back(contexto().buscas.eh_fase1 ? contexto().buscas.links_do_par_fase1(p, i) : contexto().buscas.links_do_par_fase2(p, i));
            entrada = [p](int l) { return contexto().buscas.eh_fase1 ? contexto().buscas.entrada_no_par_fase1(p, l) : contexto().buscas.entrada_no_par_fase2(p, l); };
            capacidade = [p](int r) { return Single(contexto().buscas.eh_fase1 ? contexto().buscas.capacidade_no_par_fase1(p, r) : contexto().buscas.capacidade_no_par_fase2(p, r)); };
            break;
        }
        case variante::caminho:
            for (int i = 1; i <= contexto().buscas.quant_de_nos_do_caminho; ++i) {
                nos.push_back(contexto().buscas.nos_do_caminho_principal(i));
                defasagens.push_back(contexto().buscas.defasagem_tentativa(contexto().buscas.nos_do_caminho_principal(i)));
            }
            for (int i = 1; i <= contexto().buscas.quant_de_links_do_caminho; ++i) links.push_back(contexto().buscas.links_do_caminho(i));
            entrada = [](int l) { return contexto().buscas.fluxo_externo_do_caminho(l); };
            capacidade = [](int r) { return Single(contexto().buscas.capacidade_no_caminho(r)); };
            break;
        case variante::vizinhanca:
            W = 4;
            P = contexto().buscas.periodo_local;
            for (int i = 1; i <= contexto().buscas.quant_de_nos_da_vizinhanca(c); ++i) {
                const int n = contexto().buscas.no_da_vizinhanca(i);
                contexto().buscas.defasagem_tentativa(n) = contexto().buscas.defasagem(n);
                nos.push_back(n);
                defasagens.push_back(contexto().buscas.defasagem_tentativa(n));
            }
            for (int i = 1; i <= contexto().buscas.quant_de_links_da_vizinhanca(c); ++i) links.push_back(contexto().buscas.links_da_vizinhanca(c, i));
            entrada = [c](int l) { return contexto().buscas.fluxo_externo_da_vizinhanca(c, l); };
            capacidade = [c](int r) { return Single(contexto().buscas.capacidade_na_vizinhanca(c, r)); };
            break;
    }
    if (subconjunto) testa_corte = [&](int l) { return entrada(l) > 0; };
    auto e_do_conjunto = [&](int r) { return std::find(links.begin(), links.end(), r) != links.end(); };

    const Integer C = contexto().derivados.t_de_ciclo;
    const Long fim = Long(W) * C + 120 + P;

    // 1. Começo da execução.
    for (int l : links) {
        contexto().simulacao.fila(l) = contexto().simulacao.atraso(l) = contexto().simulacao.paradas_no_segundo(l) = contexto().simulacao.paradas(l) = contexto().simulacao.ocupacao_da_caixa(l) = 0;
        for (Long t = 121; t <= fim; ++t) contexto().simulacao.perfil_de_entrada(l, t) = contexto().simulacao.perfil_de_chegada(l, t) = 0;
    }
    if (subconjunto) {
        for (int r = 0; r <= max_indice_link; ++r) contexto().simulacao.caixa_com_espaco(r) = true;
    } else {
        for (int l : links) contexto().simulacao.caixa_com_espaco(l) = true;
    }

    for (Long t = 121; t <= fim; ++t) {
        // 2. Sinais.
        for (std::size_t k = 0; k < nos.size(); ++k) {
            const int n = nos[k];
            const Single x = Single(t - defasagens[k]);
            const Single instante = x - std::floor(x / Single(C)) * Single(C);
            contexto().simulacao.instante_no_ciclo(n) = para_integer(instante);
            if (contexto().simulacao.instante_no_ciclo(n) == 0) contexto().simulacao.instante_no_ciclo(n) = C;
            int j = 1;
            while (contexto().simulacao.instante_no_ciclo(n) >= contexto().derivados.inicio_do_intervalo(n, j + 1) || contexto().simulacao.instante_no_ciclo(n) < contexto().derivados.inicio_do_intervalo(n, j)) ++j;
            for (int l : links)
                if (contexto().derivados.no_destino(l) == n) contexto().simulacao.verde_agora(l) = contexto().derivados.link_verde_no_intervalo(l, j);
        }
        // 3. Links.
        for (int l : links) {
            contexto().simulacao.link_corrente = static_cast<Byte>(l);
            const Single s = contexto().copias.fluxo_de_saturacao_por_segundo(l);
            contexto().simulacao.vazao_possivel = contexto().simulacao.fila(l) < s ? contexto().simulacao.fila(l) : s;
            contexto().simulacao.vazao_bloqueada = 0;
            contexto().simulacao.bloqueado_no_recebedor = 0;
            for (int k = 1; k <= 4; ++k) {
                const int r = contexto().derivados.recebedor(l, k);
                if (subconjunto && !e_do_conjunto(r)) continue;
                if (contexto().derivados.fracao_do_fornecimento(l, r) <= 0) continue;
                const Single f = contexto().derivados.fracao_do_fornecimento(l, r);
                Single movido = 0;
                if (contexto().simulacao.verde_agora(l) && contexto().simulacao.caixa_com_espaco(r)) {
                    movido = contexto().simulacao.vazao_possivel * f;
                    contexto().simulacao.bloqueado_no_recebedor = 0;
                } else if (contexto().simulacao.verde_agora(l)) {
                    movido = 0;
                    contexto().simulacao.bloqueado_no_recebedor = contexto().simulacao.vazao_possivel * f;
                } else {
                    movido = 0;
                    contexto().simulacao.bloqueado_no_recebedor = 0;
                }
                contexto().simulacao.perfil_de_entrada(r, t) += movido;
                contexto().simulacao.ocupacao_da_caixa(r) += movido;
                contexto().simulacao.caixa_com_espaco(r) = contexto().simulacao.ocupacao_da_caixa(r) < capacidade(r);
                contexto().simulacao.vazao_bloqueada += contexto().simulacao.bloqueado_no_recebedor;
            }
            if (contexto().simulacao.verde_agora(l)) {
                contexto().simulacao.fila(l) = contexto().simulacao.fila(l) - (contexto().simulacao.vazao_possivel - contexto().simulacao.vazao_bloqueada);
                contexto().simulacao.ocupacao_da_caixa(l) = contexto().simulacao.ocupacao_da_caixa(l) - (contexto().simulacao.vazao_possivel - contexto().simulacao.vazao_bloqueada);
            }
            if (v == variante::rede_final && contexto().simulacao.fila(l) > contexto().resultados.fila_maxima(l)) contexto().resultados.fila_maxima(l) = contexto().simulacao.fila(l);
            const Long partida = t - contexto().copias.t_de_percurso(l);
            contexto().simulacao.perfil_de_chegada(l, t) = (partida < 121 ? 0.0f : contexto().simulacao.perfil_de_entrada(l, partida)) + entrada(l);
            if (t == Long(W) * C + 121 && testa_corte(l)) {
                const Single limite = Single(C - contexto().derivados.t_de_verde_do_link(l)) * contexto().copias.fluxo_por_segundo(l);
                if (limite < contexto().simulacao.fila(l)) contexto().simulacao.fila(l) = limite;
            }
            if (t > Long(W) * C + 121) {
                contexto().simulacao.atraso(l) += contexto().simulacao.fila(l);
                if (!contexto().simulacao.verde_agora(l)) contexto().simulacao.paradas_no_segundo(l) = contexto().simulacao.perfil_de_chegada(l, t);
                else if (Single(contexto().simulacao.perfil_de_chegada(l, t) + contexto().simulacao.fila(l)) > Single(3 * s)) contexto().simulacao.paradas_no_segundo(l) = contexto().simulacao.perfil_de_chegada(l, t);
                else contexto().simulacao.paradas_no_segundo(l) = 0;
                contexto().simulacao.paradas_no_inicio_do_vermelho = contexto().simulacao.verde_antes(l) && !contexto().simulacao.verde_agora(l) ? para_long(contexto().simulacao.fila(l)) : 0;
                contexto().simulacao.paradas(l) = Single(double(contexto().simulacao.paradas(l) + contexto().simulacao.paradas_no_segundo(l)) + double(contexto().simulacao.paradas_no_inicio_do_vermelho));
                contexto().simulacao.verde_antes(l) = contexto().simulacao.verde_agora(l);
            }
            contexto().simulacao.fila(l) += contexto().simulacao.perfil_de_chegada(l, t);
        }
    }

    // 4. Resultado.
    auto custo = [](int l) { return Single(contexto().copias.peso_da_parada) * contexto().simulacao.paradas(l) + contexto().simulacao.atraso(l); };
    switch (v) {
        case variante::rede:
        case variante::caminho:
            contexto().buscas.indice_de_desempenho = 0;
            for (int l : links)
                contexto().buscas.indice_de_desempenho = contexto().derivados.no_origem(l) == 0 ? Single(double(contexto().buscas.indice_de_desempenho) + double(custo(l)) * 0.5)
                                                         : contexto().buscas.indice_de_desempenho + custo(l);
            break;
        case variante::par:
            contexto().buscas.custo_da_defasagem(defasagem_do_par) = 0;
            for (int l : links) contexto().buscas.custo_da_defasagem(defasagem_do_par) += custo(l);
            break;
        case variante::vizinhanca:
            contexto().buscas.indice_da_vizinhanca = 0;
            for (int l : links) contexto().buscas.indice_da_vizinhanca += custo(l);
            break;
        case variante::rede_final:
            contexto().resultados.atraso_total = contexto().resultados.paradas_total = 0;
            for (int l : links) {
                contexto().resultados.atraso_total += contexto().simulacao.atraso(l);
                contexto().resultados.paradas_total += contexto().simulacao.paradas(l);
            }
            break;
    }
}

}  // namespace orvel::teste
