// Redes pequenas calculadas à mão de ponta a ponta pelas quatro etapas do ciclo e dos
// verdes, e propriedades sobre muitas redes geradas.
#include <gtest/gtest.h>

#include <random>

#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_do_ciclo.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class ciclo_e_verdes_a_mao : public teste::com_rede_propria {};
class ciclo_e_verdes_propriedades : public teste::com_rede_propria {};

using namespace teste_ciclo;
using v = std::vector<int>;

// Dois estágios com amarelos impostos de 3 s; A: y = 1/3, B: y = 1/6 (Y = 0,5, L = 6).
no_de_teste dois_estagios() { return {"N1", {"VARR", "RRVA"}, {0, 3, 0, 3}, {{"A"}, {"B"}}}; }

void processar(contexto_da_rede& c, const std::vector<no_de_teste>& nos, int seguranca_a, int seguranca_b, opcoes_de_teste o = {}) {
    montar_rede(c, nos, {{"A", "N1", 600, 1800, seguranca_a}, {"B", "N1", 300, 1800, seguranca_b}}, o);
    preparar_para_o_ciclo(c);
    calcular_ciclo_e_verdes(c);
}

TEST_F(ciclo_e_verdes_a_mao, dois_estagios_com_amarelos_impostos) {
    servicos_de_teste s;
    processar(c, {dois_estagios()}, 4, 4);
    // Ciclo de segurança 6 + 6 + 6 = 18; Cn = 8 / (1 - 0,5 / 0,88) = 18,53 -> 19, abaixo do
    // piso 23. Verdes 17 * 2/3 = 11,33 -> 11 e 5,67 -> 6; total 23 -> ciclo 25.
    EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 6);
    EXPECT_EQ(c.derivados.t_de_ciclo_minimo_de_seguranca, 18);
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 23);
    EXPECT_EQ(c.derivados.t_de_ciclo, 25);
    EXPECT_EQ(duracoes(c, 1), (v{12, 3, 7, 3}));
    EXPECT_EQ(inicios(c, 1), (v{1, 13, 16, 23, 26}));
    EXPECT_EQ(c.derivados.t_de_verde_do_link(1), 12);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(2), 7);
    EXPECT_EQ(c.resultados.cor_do_intervalo_do_grupo_depois(1, 2, 4), cor_amarelo);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(ciclo_e_verdes_a_mao, grupo_menor_elevado_pelo_verde_de_seguranca) {
    servicos_de_teste s;
    processar(c, {dois_estagios()}, 4, 10);
    // B teria 13 / 3 = 4,33 -> 4 < 10: Cn = 3 * 10 + 8 = 38. Verdes 21,33 -> 21 e 10,67 -> 11.
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 38);
    EXPECT_EQ(c.derivados.t_de_ciclo, 40);
    EXPECT_EQ(duracoes(c, 1), (v{22, 3, 12, 3}));
    EXPECT_EQ(inicios(c, 1), (v{1, 23, 26, 38, 41}));
    EXPECT_EQ(c.derivados.t_de_verde_do_link(2), 12);
}

TEST_F(ciclo_e_verdes_a_mao, sequencia_de_verde_que_passa_do_ultimo_intervalo_ao_primeiro) {
    servicos_de_teste s;
    // A é verde nos intervalos 5 e 1 e precisa de 20 s num ciclo imposto de 30: os verdes dão
    // 8 + 8; quatro rodadas tiram 4 s do verde de B (8 -> 4), alternando 5, 1, 5, 1.
    processar(c, {{"N1", {"VARRV", "RRVAR"}, {0, 3, 0, 3, 0}, {{"A"}, {"B"}}}}, 20, 4, {.ciclo_imposto = 30});
    EXPECT_EQ(c.derivados.quant_de_periodos_de_verde_do_grupo(1, 1), 1);
    EXPECT_EQ(c.derivados.t_de_ciclo, 30);
    EXPECT_EQ(duracoes(c, 1), (v{10, 3, 4, 3, 10}));
    EXPECT_EQ(inicios(c, 1), (v{1, 11, 14, 18, 21, 31}));
    EXPECT_EQ(c.derivados.t_de_verde_do_link(1), 20);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(2), 4);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(ciclo_e_verdes_a_mao, no_que_faz_ciclo_duplo) {
    servicos_de_teste s;
    auto no = dois_estagios();
    no.duplo_permitido = true;
    processar(c, {no}, 4, 4, {.ciclo_imposto = 60});
    // Cn = 19 < 30 e 2 * (18 + 3) = 42 < 60: dobra. L = 12; verdes 48 * 2/3 = 32 e 16,
    // repartidos pelos dois verdes de cada grupo.
    EXPECT_TRUE(c.derivados.eh_ciclo_duplo(1));
    EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 12);
    EXPECT_EQ(c.derivados.quant_de_periodos_de_verde_do_grupo(1, 2), 2);
    EXPECT_EQ(duracoes(c, 1), (v{16, 3, 8, 3, 16, 3, 8, 3}));
    EXPECT_EQ(inicios(c, 1), (v{1, 17, 20, 28, 31, 47, 50, 58, 61}));
    EXPECT_EQ(c.resultados.cor_do_intervalo_do_grupo_depois(1, 1, 5), cor_verde);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(1), 16);  // o verde do primeiro dos dois ciclos
    EXPECT_EQ(c.derivados.t_de_verde_do_link(2), 8);
}

TEST_F(ciclo_e_verdes_a_mao, no_demandado) {
    servicos_de_teste s;
    // Grupo 3 de pedestres no intervalo 5 (10 s imposto, demandado; beneficiado o 1), 40
    // acionamentos por hora. Conjunto {1,2}: L = 16, e = 0,368 * 10 -> 4, C = 24. Nó:
    // Cn = 14 / 0,4318 -> 32; p = 1 - exp(-40 / 112,5) = 0,2992, e = 7,008 -> 7,
    // Cn = 11 / 0,4318 -> 25; B elevado a 3 * 4 + 18 = 30; piso 28 + 5 = 33.
    // G(A) = (27 - (0,7008 * 0,5 + 1) * 10) * 2/3 = 8,997 -> 9, G(B) = 8; total 33 -> 35.
    processar(c, {{"N1", {"VARRR", "RRVAR", "RRRRV"}, {0, 3, 0, 3, 10}, {{"A"}, {"B"}}, false, 40, 5, 1}}, 4, 4);
    EXPECT_EQ(c.derivados.t_de_ciclo_minimo_de_seguranca, 28);
    EXPECT_EQ(c.derivados.tempo_nao_usado_da_demanda(1), 7);
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 33);
    EXPECT_EQ(c.derivados.t_de_ciclo, 35);
    EXPECT_EQ(duracoes(c, 1), (v{10, 3, 9, 3, 10}));
    EXPECT_EQ(c.derivados.duracao_com_demanda(1, 1), 17);
    EXPECT_EQ(c.derivados.duracao_com_demanda(1, 5), 3);
    EXPECT_EQ(inicios(c, 1), (v{1, 18, 21, 30, 33, 36}));
    EXPECT_EQ(c.derivados.t_de_verde_do_link(1), 10);
}

// Redes geradas: estágios em sequência, cada um seguido de um amarelo imposto; cada grupo é
// verde em um ou dois estágios seguidos (também passando do último ao primeiro).
void gerar_rede(contexto_da_rede& c, std::mt19937& r) {
    auto sorteio = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(r); };
    std::vector<no_de_teste> nos;
    std::vector<link_de_teste> links;
    const int quant_nos = sorteio(1, 3);
    for (int n = 1; n <= quant_nos; ++n) {
        no_de_teste no{"N" + std::to_string(n), {}};
        const int estagios = sorteio(2, 4), grupos = sorteio(2, 4);
        for (int k = 0; k < 2 * estagios; ++k) no.impostas.push_back(k % 2 ? sorteio(2, 4) : (sorteio(0, 5) == 0 ? sorteio(15, 20) : 0));
        for (int g = 0; g < grupos; ++g) {
            const int primeiro = sorteio(0, estagios - 1), quantos = sorteio(1, 2);
            std::string d(2 * estagios, 'R');
            for (int e = 0; e < quantos; ++e) {
                const int s = (primeiro + e) % estagios;
                d[2 * s] = 'V';
                d[2 * s + 1] = e + 1 < quantos ? 'V' : 'A';
            }
            no.diagrama.push_back(d);
            const std::string nome = no.nome + "L" + std::to_string(g);
            no.links.push_back({nome});
            links.push_back({nome, no.nome, float(sorteio(100, 900)), 1800, sorteio(0, 15)});
        }
        no.duplo_permitido = sorteio(0, 1);
        if (sorteio(0, 3) == 0) {
            no.acionamentos = sorteio(0, 120);
            no.demandado = 2 * sorteio(1, estagios);
            no.beneficiado = 2 * sorteio(1, estagios) - 1;
        }
        nos.push_back(no);
    }
    opcoes_de_teste o;
    if (sorteio(0, 3) == 0) o.ciclo_imposto = sorteio(30, 100);
    if (sorteio(0, 2) == 0) o.ciclo_maximo = sorteio(50, 150);
    montar_rede(c, nos, links, o);
}

TEST_F(ciclo_e_verdes_propriedades, redes_geradas) {
    std::mt19937 r(20240611);
    for (int rede = 0; rede < 400; ++rede) {
        servicos_de_teste s;
        gerar_rede(c, r);
        preparar_para_o_ciclo(c);
        calcular_ciclo_e_verdes(c);
        SCOPED_TRACE("rede " + std::to_string(rede));

        bool inatendidos = false, acima_do_ciclo = false;
        for (const auto& m : s.mensagens) {
            ASSERT_EQ(m.titulo, "Aviso") << m.texto;
            inatendidos = inatendidos || m.texto == "Não foi possível atender aos verdes de segurança";
            acima_do_ciclo = acima_do_ciclo || m.texto.find("simultaneamente") != std::string::npos;
        }
        EXPECT_EQ(inatendidos, c.derivados.verdes_de_seguranca_nao_atendidos);
        EXPECT_TRUE(c.derivados.t_de_ciclo == c.copias.t_de_ciclo_imposto || c.derivados.t_de_ciclo == c.copias.t_de_ciclo_maximo || c.derivados.t_de_ciclo % 5 == 0);
        if (inatendidos) continue;

        for (int n = 1; n <= c.rede.max_indice_no; ++n) {
            const int q = c.derivados.quant_de_intervalos_depois(n);
            int total = 0;
            bool todas_impostas = true;
            for (int k = 1; k <= q; ++k) {
                todas_impostas = todas_impostas && c.derivados.duracao_eh_imposta(n, k);
                EXPECT_GE(c.derivados.duracao_do_intervalo(n, k), 0);
                EXPECT_GE(c.derivados.duracao_com_demanda(n, k), 0);
                total += c.derivados.duracao_do_intervalo(n, k);
            }
            EXPECT_TRUE(total == c.derivados.t_de_ciclo || acima_do_ciclo || (total < c.derivados.t_de_ciclo && todas_impostas)) << "nó " << n;
            EXPECT_EQ(c.derivados.inicio_do_intervalo(n, 1), 1);
            EXPECT_EQ(c.derivados.inicio_do_intervalo(n, q + 1), c.derivados.t_de_ciclo + 1);
            // Cada sequência de verde (na sequência dobrada) dura ao menos o verde de segurança.
            for (int g = 1; g <= c.copias.quant_de_grupos(n); ++g) {
                auto verde = [&](int k) { return c.derivados.grupo_verde_no_intervalo(n, g, (k + q - 1) % q + 1); };
                for (int k = 1; k <= q; ++k) {
                    if (!verde(k) || verde(k - 1)) continue;
                    int soma = 0;
                    for (int j = k; j < k + q && verde(j); ++j) soma += c.derivados.duracao_do_intervalo(n, (j - 1) % q + 1);
                    EXPECT_GE(soma, c.derivados.verde_de_seguranca_do_grupo(n, g)) << "nó " << n << " grupo " << g << " início " << k;
                }
            }
        }
    }
}

}  // namespace
}  // namespace orvel
