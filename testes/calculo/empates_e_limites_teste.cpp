// Empates e limites que as redes comuns não produzem: verde igual ao de segurança, grupos de
// mesmo y, grau de saturação exatamente no limite, nó demandado que dobra, intervalo demandado
// que é também o beneficiado, custos iguais nas buscas das defasagens (em sequência e em
// faixas) e a busca fina num ciclo ímpar.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculo/defasagens.h"
#include "calculo/simulacao.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_das_defasagens.h"
#include "rede_de_teste_do_ciclo.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class empates_e_limites_do_ciclo : public teste::com_rede_propria {};
class empates_das_defasagens : public teste::com_rede_propria {};
class limites_das_defasagens : public teste::com_rede_propria {};

using namespace teste_ciclo;
using v = std::vector<int>;

// ---- Redes das etapas do ciclo e dos verdes, montadas direto nas tabelas de cálculo ----

// Um nó com os grupos dados por letras (V verde) e as durações dos intervalos, todas livres;
// o link crítico do grupo g do nó n é o 10n + g, com o y dado; todos os grupos são críticos.
void no_com_grupos(contexto_da_rede& c, int n, const std::vector<std::string>& diagrama, const v& duracoes, const std::vector<float>& ys,
                   const v& seguranca = {}) {
    const int q = int(duracoes.size());
    c.copias.quant_de_grupos(n) = Byte(diagrama.size());
    c.copias.quant_de_intervalos_antes(n) = c.derivados.quant_de_intervalos_depois(n) = Byte(q);
    for (int k = 1; k <= q; ++k) c.derivados.duracao_do_intervalo(n, k) = Integer(duracoes[k - 1]);
    Single y_no = 0;
    for (int g = 1; g <= int(diagrama.size()); ++g) {
        for (int k = 1; k <= q; ++k) {
            c.derivados.grupo_verde_no_intervalo(n, g, k) = diagrama[g - 1][k - 1] == 'V';
            c.copias.cor_do_intervalo_do_grupo(n, g, k) = c.derivados.grupo_verde_no_intervalo(n, g, k) ? cor_verde : cor_vermelho;
        }
        c.derivados.link_critico_do_grupo(n, g) = Byte(10 * n + g);
        c.derivados.y(10 * n + g) = ys[g - 1];
        y_no = y_no + ys[g - 1];
        c.derivados.verde_de_seguranca_do_grupo(n, g) = Integer(g <= int(seguranca.size()) ? seguranca[g - 1] : 0);
        c.derivados.grupo_eh_critico(n, g) = true;
        c.derivados.quant_de_periodos_de_verde_do_grupo(n, g) = 1;
    }
    c.derivados.quant_de_grupos_criticos(n) = Byte(diagrama.size());
    c.derivados.y_critico_do_no(n) = y_no;
}

// ---- Redes das defasagens, pela rede entrada e pelas etapas de verdade ----

using namespace teste_defasagens;

// Um nó de um grupo só, verde nos dois intervalos: quem chega nunca espera, seja qual for a
// defasagem do nó.
int sempre_verde(contexto_da_rede& c, const std::string& nome, const std::string& link) {
    const int n = teste::novo_no(c.rede, nome, 1, 2);
    teste::cores_do_grupo(c.rede, n, 1, "11");
    teste::links_do_grupo(c.rede, n, 1, {link});
    return n;
}

// O caminho N1 -> N2 e o nó N3, vizinho de N1, todos sempre verdes: a defasagem de N2 e a de N3
// não mudam custo nem índice algum. O cruzamento A, solto, dá fluxo a um conjunto crítico.
void rede_indiferente(contexto_da_rede& c, Integer ciclo) {
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = ciclo;
    cruzamento(c, "A", {"EA"});
    via(c, "EA", "", "A", 500, 10);
    via(c, "E1", "", "N1", 500, 10);
    sempre_verde(c, "N1", "E1");
    via(c, "N1N2", "N1", "N2", 500, 12);
    fornece(c, "E1", "N1N2", 0.8f);
    sempre_verde(c, "N2", "N1N2");
    via(c, "N1N3", "N1", "N3", 100, 12);
    fornece(c, "E1", "N1N3", 0.2f);
    sempre_verde(c, "N3", "N1N3");
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
}

// Dois cruzamentos de dois intervalos sem amarelo, N1 -> N2, e um ciclo curto imposto. Quase
// nada passa de N1 a N2: o índice do caminho muda com a defasagem de N2 menos que a margem dos
// movimentos grossos.
void rede_curta(contexto_da_rede& c, Integer ciclo) {
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = ciclo;
    auto cruzamento_curto = [&c](const std::string& nome, const std::string& principal, Single transversal) {
        const int n = teste::novo_no(c.rede, nome, 2, 2);
        teste::cores_do_grupo(c.rede, n, 1, "13");
        teste::cores_do_grupo(c.rede, n, 2, "31");
        teste::links_do_grupo(c.rede, n, 1, {principal, "Y" + nome});
        teste::links_do_grupo(c.rede, n, 2, {"X" + nome, "Z" + nome});
        for (const char* p : {"X", "Y", "Z"})
            c.rede.verde_de_seguranca_dado(teste::novo_link(c.rede, p + nome, "", nome, transversal, 1800, 0)) = 1;
    };
    c.rede.verde_de_seguranca_dado(via(c, "E1", "", "N1", 400, 10)) = 1;
    cruzamento_curto("N1", "E1", 400);
    c.rede.verde_de_seguranca_dado(via(c, "N1N2", "N1", "N2", 1, 2)) = 1;
    fornece(c, "E1", "N1N2", 0.0025f);
    cruzamento_curto("N2", "N1N2", 10);
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
}

// Roda o corpo em sequência e em faixas; a escolha de antes volta mesmo quando algo falha.
template <class Corpo>
void em_sequencia_e_em_faixas(Corpo&& corpo) {
    for (const bool faixas : {false, true}) {
        SCOPED_TRACE(faixas ? "em faixas" : "em sequência");
        const bool antes = ligar_buscas_em_faixas(faixas);
        struct restaurar {
            bool antes;
            ~restaurar() { ligar_buscas_em_faixas(antes); }
        } r{antes};
        corpo();
    }
}

TEST_F(empates_e_limites_do_ciclo, verde_igual_ao_de_seguranca_limite_exato_e_no_demandado_que_dobra) {
    servicos_de_teste s;
    // Yn 0,66, meta 0,88: Cn = 12 / 0,25 = 48, e o grupo de y 0,33 tem 19 s. Um verde de
    // segurança de 19 s não é maior que o verde: o ciclo não sobe (com 20 s subiria a 52).
    comecar(c, 1);
    no_com_grupos(c, 1, {"VR", "RV"}, {0, 0}, {0.33f, 0.33f}, {19});
    c.derivados.tempo_perdido_do_no(1) = 10;
    escolher_tempo_de_ciclo(c);
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 48);

    // Yn igual ao grau de saturação limite: Xl = 1 não é menor que 1, o ciclo é o máximo, sem
    // falha.
    comecar(c, 1);
    no_com_grupos(c, 1, {"VR", "RV"}, {0, 0}, {0.5f, 0.45f});
    c.derivados.y_critico_do_no(1) = c.copias.grau_de_saturacao_limite;
    c.derivados.tempo_perdido_do_no(1) = 10;
    c.copias.t_de_ciclo_maximo = 100;
    escolher_tempo_de_ciclo(c);
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 100);
    EXPECT_TRUE(s.mensagens.empty());

    // Nó demandado sem acionamentos: a demanda nunca vem, o tempo não usado é o intervalo
    // demandado inteiro (3 s). Yn 0,44 (X = 0,5), L = 13, dois críticos: Cn = 12 / 0,5 = 24,
    // menor que 90 / 3: dobra. Sem elevação o tempo não usado dobra com o tempo perdido; com
    // um verde de segurança de 20 s o ciclo foi elevado (24 -> 55) e ele fica como estava.
    for (const int seguranca : {0, 20}) {
        SCOPED_TRACE(seguranca);
        comecar(c, 1);
        no_com_grupos(c, 1, {"VRR", "RVR"}, {0, 0, 3}, {0.22f, 0.22f}, {seguranca});
        c.derivados.tempo_perdido_do_no(1) = 13;
        c.copias.eh_no_demandado(1) = true;
        c.copias.intervalo_demandado(1) = 3;
        c.derivados.tempo_nao_usado_da_demanda(1) = 3;
        c.copias.eh_ciclo_duplo_permitido(1) = true;
        c.copias.t_de_ciclo_imposto = 90;
        escolher_tempo_de_ciclo(c);
        EXPECT_TRUE(c.derivados.eh_ciclo_duplo(1));
        EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 26);
        EXPECT_EQ(c.derivados.tempo_nao_usado_da_demanda(1), seguranca == 0 ? 6 : 3);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(empates_e_limites_do_ciclo, grupos_de_mesmo_y_e_demandado_igual_ao_beneficiado) {
    servicos_de_teste s;
    // Dois grupos de y 0,3 dividem C' = 60 (L = 0) em 30 e 30; com o ciclo imposto de 50, o
    // excesso sai do primeiro grupo mais forte, o 1.
    comecar(c, 1);
    no_com_grupos(c, 1, {"VR", "RV"}, {0, 0}, {0.3f, 0.3f});
    c.derivados.t_de_ciclo_calculado = 60;
    c.copias.t_de_ciclo_imposto = 50;
    distribuir_tempos_de_verde(c);
    EXPECT_EQ(teste_ciclo::duracoes(c, 1), (v{20, 30}));

    // Intervalo demandado que é também o beneficiado, mais curto que o tempo não usado: a
    // soma vale, o intervalo fica com 10 + 12 s.
    comecar(c, 1);
    no_com_grupos(c, 1, {"VRR"}, {20, 10, 30}, {0.0f});
    c.copias.eh_no_demandado(1) = true;
    c.copias.intervalo_demandado(1) = c.copias.intervalo_beneficiado(1) = 2;
    c.derivados.tempo_nao_usado_da_demanda(1) = 12;
    c.derivados.t_de_ciclo = 60;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(teste_ciclo::inicios(c, 1), (v{1, 21, 43, 61}));
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(empates_das_defasagens, busca_por_pares_com_custos_iguais) {
    servicos_de_teste s;
    em_sequencia_e_em_faixas([this] {
        // Todos os custos do par N1-N2 valem 0. C = 60, passo 10: a grade 0..50 e a volta 0;
        // o primeiro colchete (0, 10) ganha, os sete pontos são 50, 55, 0, 5, 10, 15, 20, o
        // primeiro subcolchete (50, 55) é preenchido com 51 e 53, e a menor defasagem empatada
        // é a escolhida.
        rede_indiferente(c, 60);
        const int n1 = no_chamado(c, "N1");
        const int n2 = no_chamado(c, "N2");
        ASSERT_GT(c.buscas.par_fase1(n1, n2), 0);
        c.buscas.par_corrente = c.buscas.par_fase1(n1, n2);
        c.buscas.eh_fase1 = true;
        c.buscas.eh_fase2 = false;
        otimizar_defasagem_do_par_fase1(c);
        v simuladas;
        for (int d = 0; d <= 60; ++d)
            if (c.buscas.simulada[std::size_t(d)]) simuladas.push_back(d);
        EXPECT_EQ(simuladas, (v{0, 5, 10, 15, 20, 30, 40, 50, 51, 53, 55}));
        EXPECT_EQ(c.buscas.melhor_defasagem, 0);
    });
    // C = 195: passo 10 (nenhum passo cabe), grade 0..190, x = 5 a meio caminho de 0 e de 10:
    // o empate dá 0.
    teste::esvaziar_rede(c.rede);
    zerar_variaveis_de_calculo(c);
    c.derivados.t_de_ciclo = 195;
    c.derivados.periodo_de_simulacao = 585;
    otimizar_defasagens_por_pares(c);
    ASSERT_EQ(c.buscas.passo_da_defasagem, 10);
    ASSERT_EQ(c.buscas.quant_de_defasagens_candidatas, 20);
    EXPECT_EQ(c.buscas.defasagens_candidatas(21), 0);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(empates_das_defasagens, refinamento_com_indices_iguais_nao_move) {
    em_sequencia_e_em_faixas([this] {
        // C = 61: nenhum movimento de N2 no caminho nem de N3 na rede muda o índice. Nada
        // melhora: N2 fica onde a busca por pares o pôs, depois de 7 movimentos grossos e de
        // um passo fino em cada sentido (uma sondagem por simulação); N3 também fica.
        servicos_de_teste s;
        rede_indiferente(c, 61);
        const int n2 = no_chamado(c, "N2");
        const int n3 = no_chamado(c, "N3");
        ASSERT_EQ(c.buscas.quant_de_nos_do_caminho, 2);
        ASSERT_EQ(c.buscas.nos_do_caminho_principal(2), n2);
        const int antes = s.eventos_processados;
        otimizar_defasagens_do_caminho(c);
        EXPECT_EQ(s.eventos_processados - antes, 7 + 2);
        EXPECT_EQ(c.buscas.defasagem_valendo(n2), no_ciclo(c.buscas.defasagem(n2), 61));
        ASSERT_GT(c.buscas.quant_de_niveis, 0);
        otimizar_defasagens_da_rede(c);
        EXPECT_EQ(c.buscas.defasagem_valendo(n3), no_ciclo(c.buscas.defasagem(n3), 61));
        EXPECT_TRUE(s.mensagens.empty());
    });
}

TEST_F(limites_das_defasagens, busca_fina_num_ciclo_impar) {
    em_sequencia_e_em_faixas([this] {
        // C = 3: o índice do caminho em cada defasagem de N2, que varia menos que a margem
        // dos movimentos grossos; a busca fina parte do segundo depois da menor. O primeiro
        // passo (+2) chega à menor e melhora; o segundo (+2, na volta do ciclo) é pior e é
        // desfeito: duas sondagens, e N2 fica na menor. (A busca por pares não cabe num ciclo
        // menor que o passo: o primeiro ponto do colchete fica negativo e ela relata a falha.)
        servicos_de_teste s;
        rede_curta(c, 3);
        ASSERT_EQ(c.derivados.t_de_ciclo, 3);
        const std::size_t mensagens_antes = s.mensagens.size();
        const int n2 = no_chamado(c, "N2");
        ASSERT_EQ(c.buscas.nos_do_caminho_principal(2), n2);
        montar_links_do_caminho(c);
        std::vector<Single> indice;
        for (int d = 0; d < 3; ++d) {
            c.buscas.defasagem_tentativa(no_chamado(c, "N1")) = 0;
            c.buscas.defasagem_tentativa(n2) = Integer(d);
            simular_caminho(c);
            indice.push_back(c.buscas.indice_de_desempenho);
        }
        int menor = 0;
        for (int d = 1; d < 3; ++d)
            if (indice[d] < indice[menor]) menor = d;
        for (int d = 0; d < 3; ++d) {
            if (d == menor) continue;
            ASSERT_LT(indice[menor], indice[d]);
            // Nenhum movimento grosso vence a margem: a busca fina parte de onde foi posta.
            ASSERT_GT(indice[menor], Single(1 - 0.02 / c.buscas.quant_de_links_do_caminho) * indice[d]);
        }
        c.buscas.defasagem(no_chamado(c, "N1")) = 0;
        c.buscas.defasagem(n2) = Integer((menor + 1) % 3);
        const int antes = s.eventos_processados;
        otimizar_defasagens_do_caminho(c);
        EXPECT_EQ(s.eventos_processados - antes, 7 + 2);
        EXPECT_EQ(c.buscas.defasagem_valendo(n2), menor);
        EXPECT_EQ(s.mensagens.size(), mensagens_antes);
    });
}

}  // namespace
}  // namespace orvel
