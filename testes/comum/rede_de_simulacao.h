#pragma once
// Monta à mão as tabelas de trabalho e derivadas que a simulação e os resultados leem, como a
// preparação, o ciclo, os verdes de segurança e a etapa das defasagens as deixariam: nós com os
// seus intervalos e grupos, links com fluxos por segundo, grupos, recebedores e capacidades, e
// os perfis por segundo dimensionados. Também gera redes determinísticas a partir de uma
// semente (testes e medidas de velocidade).

#include <cstdint>
#include <string>
#include <vector>

#include "calculo/zerar_variaveis_de_calculo.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel::teste {

struct dados_do_link {
    int origem = 0;  // 0 = link de entrada
    int destino = 0;
    int grupo = 0;   // grupo do nó destino; 0 = nenhum
    Single fluxo = 0;      // veículos por segundo (a entrada externa de um link de entrada)
    Single saturacao = 1;  // veículos por segundo
    Integer percurso = 0;
    Integer capacidade = 32000;
    Single capacidade_util = 32000;
};

class montagem_da_rede {
public:
    // A rede montada: a do contexto dado.
    contexto_da_rede& c;

    // Começa de uma rede vazia, com as tabelas do cálculo limpas.
    explicit montagem_da_rede(contexto_da_rede& ctx) : c(ctx) {
        for (int n = 1; n <= max_nos; ++n) c.rede.existe_no(n) = true;
        zerar_variaveis_de_calculo(c);
        c.rede.existe_no.preencher(false);
        c.rede.existe_link.preencher(false);
        c.rede.nome_do_link_dado.preencher("");
        c.rede.nome_do_no_origem_dado.preencher("");
        c.derivados.inicio_do_intervalo.preencher(0);
        c.derivados.grupo_verde_no_intervalo.preencher(false);
        c.derivados.link_verde_no_intervalo.preencher(false);
        c.resultados.cor_do_intervalo_do_grupo_depois.preencher(0);
        c.rede.max_indice_no = c.rede.max_indice_link = 0;
        c.rede.total_de_nos_dado = c.rede.total_de_links_dado = 0;
        c.resultados.max_quant_de_intervalos = 0;
        c.copias.peso_da_parada = 30;
    }

    // Um nó novo com os intervalos dessas durações (s).
    int no(const std::vector<Integer>& duracoes) {
        const int n = ++c.rede.max_indice_no;
        c.rede.existe_no(n) = true;
        ++c.rede.total_de_nos_dado;
        c.copias.nome_do_no(n) = nome("N", n);
        c.derivados.quant_de_intervalos_depois(n) = static_cast<Byte>(duracoes.size());
        c.copias.quant_de_intervalos_antes(n) = static_cast<Byte>(duracoes.size());
        for (std::size_t k = 0; k < duracoes.size(); ++k) {
            c.derivados.duracao_do_intervalo(n, k + 1) = duracoes[k];
            c.derivados.duracao_com_demanda(n, k + 1) = duracoes[k];
        }
        return n;
    }

    // Um grupo novo do nó, verde nos intervalos dados (1..N).
    int grupo(int n, const std::vector<int>& intervalos_verdes) {
        const int g = ++c.copias.quant_de_grupos(n);
        for (int k = 1; k <= c.derivados.quant_de_intervalos_depois(n); ++k) c.resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = cor_vermelho;
        for (int k : intervalos_verdes) {
            c.derivados.grupo_verde_no_intervalo(n, g, k) = true;
            c.resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = cor_verde;
        }
        return g;
    }

    int link(const dados_do_link& d) {
        const int l = ++c.rede.max_indice_link;
        c.rede.existe_link(l) = true;
        ++c.rede.total_de_links_dado;
        c.copias.nome_do_link(l) = c.rede.nome_do_link_dado(l) = nome("L", l);
        c.copias.nome_do_no_origem(l) = c.rede.nome_do_no_origem_dado(l) = d.origem == 0 ? "" : c.copias.nome_do_no(d.origem);
        c.derivados.no_origem(l) = static_cast<Byte>(d.origem);
        c.derivados.no_destino(l) = static_cast<Byte>(d.destino);
        if (d.grupo != 0) c.derivados.link_pertence_ao_grupo(l, d.destino, d.grupo) = true;
        grupo_do_link_.resize(l + 1);
        grupo_do_link_[l] = d.grupo;
        c.copias.fluxo_por_segundo(l) = d.fluxo;
        c.copias.fluxo_de_saturacao_por_segundo(l) = d.saturacao;
        c.derivados.y(l) = d.fluxo / d.saturacao;
        c.copias.t_de_percurso(l) = d.percurso;
        if (d.origem == 0) {
            c.derivados.entrada_externa_por_segundo(l) = d.fluxo;
            c.copias.capacidade_da_caixa(l) = 32000;
            c.derivados.capacidade_util_da_caixa(l) = 32000;
        } else {
            c.copias.capacidade_da_caixa(l) = d.capacidade;
            c.derivados.capacidade_util_da_caixa(l) = d.capacidade_util;
        }
        return l;
    }

    // O link `de` fornece a fração dada do seu fluxo ao link `para` (próxima posição livre).
    void fornece(int de, int para, Single fracao) {
        int k = 1;
        while (c.derivados.recebedor(de, k) != 0) ++k;
        c.derivados.recebedor(de, k) = static_cast<Integer>(para);
        c.derivados.fracao_do_fornecimento(de, para) = fracao;
        c.derivados.fluxo_fornecido(de, para) = fracao * c.copias.fluxo_por_segundo(de);
    }

    // Ciclo C e período T: inícios dos intervalos, verdes dos links e perfis dimensionados.
    void fechar(Integer C, Integer T) {
        c.derivados.t_de_ciclo = C;
        c.derivados.periodo_de_simulacao = T;
        for (int n = 1; n <= c.rede.max_indice_no; ++n) {
            const int N = c.derivados.quant_de_intervalos_depois(n);
            c.derivados.inicio_do_intervalo(n, 1) = 1;
            for (int k = 1; k < N; ++k)
                c.derivados.inicio_do_intervalo(n, k + 1) = static_cast<Integer>(c.derivados.inicio_do_intervalo(n, k) + c.derivados.duracao_com_demanda(n, k));
            c.derivados.inicio_do_intervalo(n, N + 1) = static_cast<Integer>(C + 1);
        }
        for (int l = 1; l <= c.rede.max_indice_link; ++l) {
            const int n = c.derivados.no_destino(l);
            const int g = grupo_do_link_[l];
            int verde = 0;
            for (int k = 1; k <= c.derivados.quant_de_intervalos_depois(n); ++k) {
                c.derivados.link_verde_no_intervalo(l, k) = g != 0 && c.derivados.grupo_verde_no_intervalo(n, g, k);
                if (c.derivados.link_verde_no_intervalo(l, k)) verde += c.derivados.duracao_do_intervalo(n, k);
            }
            c.derivados.t_de_verde_do_link(l) = static_cast<Integer>(verde);
        }
        const long long segundos = 8LL * C + 220 + T;
        c.simulacao.perfil_de_entrada.dimensionar(c.rede.max_indice_link, segundos);
        c.simulacao.perfil_de_chegada.dimensionar(c.rede.max_indice_link, segundos);
    }

private:
    static std::string nome(const char* prefixo, int slot) {
        std::string s = prefixo;
        s += std::to_string(slot);
        return s;
    }

    std::vector<int> grupo_do_link_;
};

// Sorteio determinístico e igual em qualquer máquina.
class sorteio {
public:
    explicit sorteio(std::uint64_t semente) : s_(semente * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t proximo() {
        std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int entre(int a, int b) { return a + static_cast<int>(proximo() % static_cast<std::uint64_t>(b - a + 1)); }
    Single real(Single a, Single b) { return a + (b - a) * static_cast<Single>(entre(0, 1000)) / 1000.0f; }

private:
    std::uint64_t s_;
};

// Rede gerada: nós de 2 a 6 intervalos e 2 a 4 grupos, links para todos os nós (cerca de um
// quarto de entrada), recebedores entre os links que saem do nó destino com frações que às
// vezes somam mais de 1, capacidades pequenas que represam, percursos de até 40 s (e alguns
// maiores que os segundos já simulados) e defasagens quaisquer, inclusive fora do ciclo.
// Com `redondos`, fluxos, frações e capacidades são múltiplos de 1/8: as contas ficam exatas
// e os empates (fila igual à capacidade, chegada mais fila igual a 3·s) aparecem.
inline void gerar_rede(montagem_da_rede& m, std::uint64_t semente, int nos, int links, Integer C, Integer T,
                       bool redondos = false) {
    sorteio s(semente);
    auto real = [&](Single a, Single b) {
        return redondos ? static_cast<Single>(s.entre(static_cast<int>(a * 8), static_cast<int>(b * 8))) / 8.0f : s.real(a, b);
    };
    for (int n = 1; n <= nos; ++n) {
        const int quant = s.entre(2, 6);
        std::vector<Integer> duracoes(quant, 2);
        for (int resta = C - 2 * quant; resta > 0; --resta) ++duracoes[s.entre(0, quant - 1)];
        m.no(duracoes);
        const int grupos = s.entre(2, 4);
        for (int g = 1; g <= grupos; ++g) {
            std::vector<int> verdes;
            for (int k = 1; k <= quant; ++k)
                if (s.entre(0, 1) == 1) verdes.push_back(k);
            if (verdes.empty()) verdes.push_back(s.entre(1, quant));
            m.grupo(n, verdes);
        }
    }
    for (int l = 1; l <= links; ++l) {
        dados_do_link d;
        d.destino = l <= nos ? l : s.entre(1, nos);
        d.origem = s.entre(0, 3) == 0 ? 0 : s.entre(1, nos);
        d.grupo = s.entre(1, m.c.copias.quant_de_grupos(d.destino));
        d.fluxo = real(redondos ? 0.125f : 0.02f, 0.3f);
        d.saturacao = real(0.4f, 1.0f);
        d.percurso = static_cast<Integer>(s.entre(0, 19) == 0 ? s.entre(200, 255) : s.entre(0, 40));
        d.capacidade = static_cast<Integer>(s.entre(4, 60));
        d.capacidade_util = redondos ? static_cast<Single>(d.capacidade / 2) : static_cast<Single>(d.capacidade) * 0.8f;
        m.link(d);
    }
    for (int l = 1; l <= links; ++l) {
        std::vector<int> saem;
        for (int r = 1; r <= links; ++r)
            if (m.c.derivados.no_origem(r) == m.c.derivados.no_destino(l)) saem.push_back(r);
        if (saem.empty()) continue;
        const int quant = s.entre(0, 4);
        for (int k = 0; k < quant; ++k) m.fornece(l, saem[s.entre(0, static_cast<int>(saem.size()) - 1)], real(0.1f, 0.45f));
    }
    for (int n = 1; n <= nos; ++n) {
        m.c.buscas.defasagem(n) = static_cast<Integer>(s.entre(-C, 3 * C));
        m.c.buscas.defasagem_tentativa(n) = static_cast<Integer>(s.entre(0, C - 1));
        m.c.buscas.defasagem_valendo(n) = static_cast<Integer>(s.entre(-C, 3 * C));
    }
    m.fechar(C, T);
}

}  // namespace orvel::teste
