#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "calculo/defasagens.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_das_defasagens.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class defasagens_exemplos : public teste::com_rede_propria {};

using namespace teste_defasagens;

// Um cruzamento só, com o ciclo imposto, até os verdes de segurança.
int cruzamento_unico(contexto_da_rede& c, Integer ciclo) {
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = ciclo;
    const int n = cruzamento(c, "A", {"EA"});
    via(c, "EA", "", "A", 500, 10);
    ate_os_verdes(c);
    return n;
}

// O par E -> A -> B, com o ciclo imposto e a via AB dados (E manda 80 % do seu fluxo para AB),
// até as defasagens iniciais.
void par_a_b(contexto_da_rede& c, Integer ciclo, int percurso_ab, Integer capacidade_ab = 60) {
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = ciclo;
    via(c, "E", "", "A", 600, 10);
    cruzamento(c, "A", {"E"});
    via(c, "AB", "A", "B", 500, percurso_ab, capacidade_ab);
    cruzamento(c, "B", {"AB"});
    fornece(c, "E", "AB", 0.8f);
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
}

TEST_F(defasagens_exemplos, periodo_de_dez_minutos_ou_de_uma_hora) {
    servicos_de_teste s;
    const int n = cruzamento_unico(c, 70);
    ASSERT_EQ(c.derivados.t_de_ciclo, 70);
    calcular_grau_de_saturacao_dos_grupos(c);
    EXPECT_EQ(c.derivados.periodo_de_simulacao, 560);
    EXPECT_FALSE(c.derivados.eh_periodo_de_uma_hora);
    EXPECT_GT(c.derivados.t_de_verde_do_grupo(n, 1), 0);

    // Um grupo com grau de saturação 0,99 pede a hora inteira.
    const Integer verde = c.derivados.t_de_verde_do_grupo(n, 1);
    c.derivados.y(c.derivados.link_critico_do_grupo(n, 1)) = Single(0.99) * Single(verde) / Single(70);
    calcular_grau_de_saturacao_dos_grupos(c);
    EXPECT_EQ(c.derivados.periodo_de_simulacao, 3570);
    EXPECT_TRUE(c.derivados.eh_periodo_de_uma_hora);

    // Um grupo que nunca fica verde não tem grau de saturação e não derruba a etapa.
    c.copias.quant_de_grupos(n) = 3;
    for (int k = 0; k <= max_intervalos_de_inicio; ++k) c.derivados.grupo_verde_no_intervalo(n, 3, k) = false;
    calcular_grau_de_saturacao_dos_grupos(c);
    EXPECT_EQ(c.derivados.t_de_verde_do_grupo(n, 3), 0);
    EXPECT_EQ(c.derivados.periodo_de_simulacao, 3570);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(defasagens_exemplos, defasagem_do_escravo_reduzida_ao_ciclo) {
    cruzamento_unico(c, 60);
    c.derivados.t_de_ciclo = 60;
    const int mestre = 1, esc = 2;
    c.derivados.no_mestre(esc) = mestre;
    c.derivados.duracao_com_demanda(mestre, 1) = 20;  // o intervalo 3 do mestre começa aos 31 s
    c.derivados.duracao_com_demanda(mestre, 2) = 10;
    c.derivados.duracao_com_demanda(esc, 1) = 10;  // o intervalo 2 do escravo começa aos 11 s
    c.copias.intervalo_do_mestre(esc) = 3;
    c.copias.intervalo_do_escravo(esc) = 2;

    for (auto [forcada, esperada] : std::array<std::array<Integer, 2>, 4>{{{5, 25}, {50, 10}, {-40, 40}, {200, 40}}}) {
        c.copias.defasagem_forcada(esc) = forcada;
        calcular_defasagem_do_escravo(c, esc);
        EXPECT_EQ(c.derivados.defasagem_do_escravo(esc), esperada) << "forçada " << forcada;
    }
}

TEST_F(defasagens_exemplos, passo_grade_e_volta_da_grade) {
    EXPECT_EQ(passo_para_o_ciclo(90), 10);
    EXPECT_EQ(passo_para_o_ciclo(72), 10);
    EXPECT_EQ(passo_para_o_ciclo(64), 9);

    // Sem pares, a etapa só monta a grade.
    servicos_de_teste s;
    teste::esvaziar_rede(c.rede);
    zerar_variaveis_de_calculo(c);
    c.derivados.t_de_ciclo = 64;
    c.derivados.periodo_de_simulacao = 576;
    otimizar_defasagens_por_pares(c);
    ASSERT_EQ(c.buscas.quant_de_defasagens_candidatas, 8);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(c.buscas.defasagens_candidatas(i), 9 * (i - 1));
    EXPECT_EQ(c.buscas.defasagens_candidatas(9), 9);
    EXPECT_EQ(c.buscas.periodo_de_otimizacao, 576);

    c.derivados.t_de_ciclo = 60;
    c.derivados.periodo_de_simulacao = 3600;  // uma hora: a busca mede meia hora
    otimizar_defasagens_por_pares(c);
    ASSERT_EQ(c.buscas.quant_de_defasagens_candidatas, 6);
    EXPECT_EQ(c.buscas.defasagens_candidatas(6), 50);
    EXPECT_EQ(c.buscas.defasagens_candidatas(7), 0);
    EXPECT_EQ(c.buscas.periodo_de_otimizacao, 1800);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(defasagens_exemplos, sete_pontos_do_colchete) {
    EXPECT_EQ(pontos_do_colchete(50, 0, 10, 60), (std::array<Integer, 8>{0, 40, 45, 50, 55, 0, 5, 10}));
    // p4 pode ser o próprio ciclo.
    EXPECT_EQ(pontos_do_colchete(55, 5, 10, 60), (std::array<Integer, 8>{0, 45, 50, 55, 60, 5, 10, 15}));
    EXPECT_EQ(pontos_do_colchete(0, 10, 10, 60), (std::array<Integer, 8>{0, 50, 55, 0, 5, 10, 15, 20}));
}

// O par (A, B) e os seus links: o link AB, entre os dois nós, só recebe o que A lhe manda e
// represa com a sua caixa útil; os que chegam de fora trazem o seu fluxo, sem limite.
TEST_F(defasagens_exemplos, entradas_e_capacidades_dos_links_do_par) {
    servicos_de_teste s;
    par_a_b(c, 60, 12, 40);

    ASSERT_EQ(c.buscas.quant_de_pares_fase1, 1);
    ASSERT_EQ(c.buscas.quant_de_links_do_par_fase1(1), 4);
    const int ab = link_chamado(c, "AB");
    for (int i = 1; i <= 4; ++i) {
        const int l = c.buscas.links_do_par_fase1(1, i);
        EXPECT_EQ(l, i);
        SCOPED_TRACE(c.rede.nome_do_link_dado(l));
        EXPECT_EQ(c.buscas.entrada_no_par_fase1(1, l), l == ab ? 0.0f : c.copias.fluxo_por_segundo(l));
        EXPECT_EQ(c.buscas.capacidade_no_par_fase1(1, l),
                  l == ab ? static_cast<int>(std::nearbyint(c.derivados.capacidade_util_da_caixa(l))) : 32000);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

// Encadeamento da fase 1 com um mestre M (nó 3) e dois escravos: S1 (nó 4, no par com a
// referência R, nó 1) coloca M ao ser colocado; o par de S2 (nó 2) com M, numerado nas duas
// orientações, deixa S2 a M + a sua defasagem de escravo (7), com a relativa do par guardada
// no sentido em que foi numerado, e M onde S1 o pôs.
TEST_F(defasagens_exemplos, par_de_escravo_com_o_mestre_nas_duas_orientacoes) {
    servicos_de_teste s;
    for (bool escravo_primeiro : {true, false}) {
        SCOPED_TRACE(escravo_primeiro ? "par (S2, M)" : "par (M, S2)");
        c.rede.existe_no.preencher(false);
        for (int n = 1; n <= 4; ++n) c.rede.existe_no(n) = true;
        c.rede.max_indice_no = 4;
        zerar_variaveis_de_calculo(c);
        c.derivados.t_de_ciclo = 60;
        c.buscas.quant_de_nos_do_caminho = 4;
        const int caminho[] = {1, 4, 3, 2};
        for (int i = 1; i <= 4; ++i) c.buscas.nos_do_caminho_principal(i) = static_cast<Byte>(caminho[i - 1]);
        c.derivados.eh_no_mestre(3) = true;
        for (int esc : {2, 4}) {
            c.derivados.no_mestre(esc) = 3;
            c.derivados.eh_escravo_valendo(esc) = true;
        }
        c.derivados.defasagem_do_escravo(4) = 5;
        c.derivados.defasagem_do_escravo(2) = 7;
        c.buscas.quant_de_pares_fase1 = 2;
        c.buscas.par_fase1(1, 4) = 1;
        c.buscas.defasagem_do_par_fase1(1) = 10;
        if (escravo_primeiro) c.buscas.par_fase1(2, 3) = 2;
        else c.buscas.par_fase1(3, 2) = 2;
        c.buscas.defasagem_do_par_fase1(2) = 33;  // a da busca, que a relação do escravo substitui

        propagar_defasagens_fase1(c);
        EXPECT_EQ(c.buscas.defasagem(1), 0);
        EXPECT_EQ(c.buscas.defasagem(4), 10);
        EXPECT_EQ(c.buscas.defasagem(3), 5);
        EXPECT_EQ(c.buscas.defasagem(2), 12);
        EXPECT_EQ(c.buscas.defasagem_do_par_fase1(2), escravo_primeiro ? -7 : 7);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

// C = 62, passo 10: a grade 0..60 e o colchete (50, 60) dão os sete pontos 40, 45, 50, 55, 60,
// 3 (65 - 62) e 8; o melhor subcolchete, (60, 3), dá a volta: os segundos simulados são 61 e,
// recomeçando do 0, 0 e 2. O melhor, com o percurso de 2 s, é o 2.
TEST_F(defasagens_exemplos, subcolchete_que_da_a_volta_recomeca_do_zero) {
    servicos_de_teste s;
    par_a_b(c, 62, 2);
    ASSERT_EQ(c.buscas.quant_de_pares_fase1, 1);
    std::vector<int> simuladas;
    for (int d = 0; d <= 62; ++d)
        if (c.buscas.simulada[static_cast<std::size_t>(d)]) simuladas.push_back(d);
    EXPECT_EQ(simuladas, (std::vector<int>{0, 2, 3, 8, 10, 20, 30, 40, 45, 50, 55, 60, 61}));
    EXPECT_EQ(c.buscas.melhor_defasagem, 2);
    EXPECT_EQ(c.buscas.defasagem(no_chamado(c, "B")), 2);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(defasagens_exemplos, movimentos_grossos_e_passo_do_deslocamento) {
    EXPECT_EQ(movimentos_grossos(60), (std::array<Integer, 7>{8, -8, 15, -15, 22, -22, 30}));
    EXPECT_EQ(movimentos_grossos(90), (std::array<Integer, 7>{11, -11, 22, -22, 34, -34, 45}));
    EXPECT_EQ(passo_do_deslocamento(60), 2);
    EXPECT_EQ(passo_do_deslocamento(50), 2);
    EXPECT_EQ(passo_do_deslocamento(90), 3);
}

}  // namespace
}  // namespace orvel
