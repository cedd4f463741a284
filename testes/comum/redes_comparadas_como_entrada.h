#pragma once
// As redes geradas do teste da simulação comparada (testes/calculo/simulacao_comparada_teste.cpp),
// com as mesmas sementes, tamanhos e ciclos, passadas para a rede entrada (as tabelas "_dado"),
// como o usuário as entraria nos editores: o mesmo ciclo (imposto), os mesmos nós, intervalos,
// verdes dos grupos, links, fluxos e recebedores. O que os editores não deixam entrar é
// aproximado: um percurso fora de 1..120 s vai ao extremo; um link de um nó para ele mesmo entra
// como link de entrada, e não recebe de outro; um grupo sem link sai (com ele, um intervalo sem verde ganha a duração
// gerada, imposta); um link que não cabe em grupo algum do seu nó (quatro links por grupo, sem
// dois de mesmas pontas) fica de fora.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "comum/rede_de_simulacao.h"
#include "comum/rede_de_teste.h"

namespace orvel::teste {

struct rede_comparada {
    std::uint64_t semente;  // a do gerador
    int nos, links;
    Integer ciclo, periodo;
    bool redondos;
};

// Todas as redes que o teste comparado gera, na ordem dos seus testes.
inline std::vector<rede_comparada> redes_da_simulacao_comparada() {
    std::vector<rede_comparada> redes;
    const Integer ciclos[] = {40, 60, 90, 97};
    for (std::uint64_t semente = 1; semente <= 12; ++semente) {
        sorteio s(semente * 31);
        const int nos = s.entre(2, 9);
        const int links = s.entre(nos, 4 * nos + 6);
        const Integer C = ciclos[semente % 4];
        redes.push_back({semente, nos, links, C, static_cast<Integer>(s.entre(1, 6) * C), semente % 2 == 0});
    }
    for (std::uint64_t semente = 1; semente <= 10; ++semente) {
        sorteio s(semente * 53 + 5);
        const int nos = s.entre(2, 9);
        const int links = s.entre(nos, 4 * nos + 6);
        const Integer C = ciclos[semente % 4];
        redes.push_back({semente + 100, nos, links, C, static_cast<Integer>(s.entre(1, 6) * C), semente % 2 == 0});
    }
    redes.push_back({107, 6, 20, 60, 120, false});
    redes.push_back({111, 9, 30, 90, 180, false});
    redes.push_back({77, 5, 16, 60, 120, false});
    return redes;
}

// Monta na rede entrada r a rede gerada com esses parâmetros (a rede r é esvaziada antes).
inline void montar_rede_comparada(rede_dada& r, const rede_comparada& p) {
    const auto gerada = std::make_unique<contexto_da_rede>();
    montagem_da_rede m(*gerada);
    gerar_rede(m, p.semente, p.nos, p.links, p.ciclo, p.periodo, p.redondos);
    const contexto_da_rede& c = *gerada;
    auto nome_do_no = [](int n) { return "N" + std::to_string(n); };
    auto nome_do_link = [](int l) { return "L" + std::to_string(l); };

    esvaziar_rede(r);
    r.nome_da_rede_dado = "comparada " + std::to_string(p.semente);
    r.t_de_ciclo_imposto_dado = p.ciclo;

    // Os links de cada grupo de cada nó, na ordem dos links; o que não cabe fica de fora.
    std::vector<std::vector<std::vector<int>>> do_grupo(max_nos + 1, std::vector<std::vector<int>>(max_grupos + 1));
    std::vector<bool> entra(max_links + 1, false);
    for (int l = 1; l <= p.links; ++l) {
        const int d = c.derivados.no_destino(l);
        const int grupos = c.copias.quant_de_grupos(d);
        int g0 = 1;
        while (g0 < grupos && !c.derivados.link_pertence_ao_grupo(l, d, g0)) ++g0;
        for (int i = 0; i < grupos && !entra[l]; ++i) {
            const int g = (g0 - 1 + i) % grupos + 1;
            auto& lista = do_grupo[d][g];
            const bool paralelo = std::any_of(lista.begin(), lista.end(), [&](int k) {
                return c.derivados.no_origem(l) != 0 && c.derivados.no_origem(l) != d && c.derivados.no_origem(k) == c.derivados.no_origem(l);
            });
            if (lista.size() < max_links_por_grupo && !paralelo) {
                lista.push_back(l);
                entra[l] = true;
            }
        }
    }

    for (int n = 1; n <= p.nos; ++n) {
        const int intervalos = c.derivados.quant_de_intervalos_depois(n);
        std::vector<int> grupos;
        for (int g = 1; g <= c.copias.quant_de_grupos(n); ++g)
            if (!do_grupo[n][g].empty()) grupos.push_back(g);
        const int no = novo_no(r, nome_do_no(n), static_cast<int>(grupos.size()), intervalos);
        bool alguma_imposta = false;
        Integer menor = 32767;
        int mais_curto = 1;
        for (int k = 1; k <= intervalos; ++k) {
            bool tem_verde = false;
            for (std::size_t i = 0; i < grupos.size(); ++i) {
                const bool verde = c.derivados.grupo_verde_no_intervalo(n, grupos[i], k);
                r.cor_do_intervalo_do_grupo_dado(no, static_cast<int>(i) + 1, k) = verde ? cor_verde : cor_vermelho;
                tem_verde = tem_verde || verde;
            }
            if (!tem_verde) {
                r.duracao_imposta_dado(no, k) = c.derivados.duracao_do_intervalo(n, k);
                alguma_imposta = true;
            }
            if (c.derivados.duracao_do_intervalo(n, k) < menor) {
                menor = c.derivados.duracao_do_intervalo(n, k);
                mais_curto = k;
            }
        }
        if (!alguma_imposta) r.duracao_imposta_dado(no, mais_curto) = menor;
        for (std::size_t i = 0; i < grupos.size(); ++i) {
            int posicao = 0;
            for (int l : do_grupo[n][grupos[i]]) r.nome_dos_links_do_grupo_dado(no, static_cast<int>(i) + 1, ++posicao) = nome_do_link(l);
        }
    }

    for (int l = 1; l <= p.links; ++l) {
        if (!entra[l]) continue;
        // Um link de um nó para ele mesmo, que o editor não aceita, entra como link de entrada.
        const int o = c.derivados.no_origem(l) == c.derivados.no_destino(l) ? 0 : c.derivados.no_origem(l);
        const Single fluxo = c.copias.fluxo_por_segundo(l) * 3600.0f;
        const int k = novo_link(r, nome_do_link(l), o == 0 ? "" : nome_do_no(o), nome_do_no(c.derivados.no_destino(l)), fluxo,
                                c.copias.fluxo_de_saturacao_por_segundo(l) * 3600.0f, o == 0 ? 0 : c.copias.capacidade_da_caixa(l));
        r.verde_de_seguranca_dado(k) = static_cast<Byte>(4 + l % 9);
        if (o != 0) r.t_de_percurso_dado(k) = static_cast<Byte>(std::clamp<int>(c.copias.t_de_percurso(l), 1, 120));
        int recebedores = 0;
        for (int j = 1; j <= max_recebedores && c.derivados.recebedor(l, j) != 0; ++j) {
            const int para = c.derivados.recebedor(l, j);
            bool repetido = false;
            for (int i = 1; i <= recebedores; ++i) repetido = repetido || r.nome_do_recebedor_dado(k, i) == nome_do_link(para);
            // Uma fração 0 (das redes de números redondos) o editor não aceita: sem fornecimento.
            // Um laço que virou link de entrada não sai mais de nó algum: não recebe.
            const bool laco = c.derivados.no_origem(para) == c.derivados.no_destino(para);
            if (!entra[para] || repetido || laco || c.derivados.fracao_do_fornecimento(l, para) == 0) continue;
            recebedor_do_link(r, k, ++recebedores, nome_do_link(para), c.derivados.fracao_do_fornecimento(l, para) * fluxo);
        }
    }
}

}  // namespace orvel::teste
