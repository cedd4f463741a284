// Gravação da rede animada: a mesma simulação final do processamento, segundo a segundo, e as
// cores tiradas do plano de um nó montado à mão.

#include <gtest/gtest.h>

#include <algorithm>

#include "calculo/gravar_animacao.h"
#include "calculo/processar_rede.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "comum/rede_em_grade.h"
#include "modelo/tabelas_de_calculo.h"
#include "editor/desenho_da_rede.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class gravacao_da_rede_dinamica : public teste::com_rede_propria {};

// A fila gravada é a do segundo depois da descarga e antes das chegadas, a mesma que a
// simulação final soma no atraso (segundos medidos) e compara para a fila máxima (todos).
TEST_F(gravacao_da_rede_dinamica, repete_a_simulacao_final_de_uma_rede_processada) {
    servicos_de_teste s;
    com_a_janela_principal();
    frmTela_principal_versao2();  // a carga dela limpa a rede do processo; a do teste é a do seu contexto
    teste::montar_rede_em_grade(c.rede, 2, 3, 90, true);
    // Caixas pequenas nos links internos: recebedores cheios seguram a descarga.
    for (int l = 1; l <= c.rede.max_indice_link; ++l)
        if (!c.rede.nome_do_no_origem_dado(l).empty()) c.rede.capacidade_da_caixa_dado(l) = 8;
    processar_rede(c, observador_do_calculo_instalado());
    destruir_todas_as_janelas();
    ASSERT_EQ(c.derivados.t_de_ciclo, 90);
    const int C = c.derivados.t_de_ciclo, T = c.derivados.periodo_de_simulacao;
    tabela<Single, max_links> atraso_final, fila_maxima_final;
    for (int l = 1; l <= c.rede.max_indice_link; ++l) {
        atraso_final(l) = c.simulacao.atraso(l);
        fila_maxima_final(l) = c.resultados.fila_maxima(l);
    }

    dimensionar_tabelas_por_segundo(c);
    gravar_rede_dinamica(c);

    EXPECT_EQ(c.simulacao.fila_no_instante.limite1(), c.rede.max_indice_link);
    EXPECT_EQ(c.simulacao.fila_no_instante.limite2(), 8 * C + 220 + T);
    EXPECT_EQ(c.simulacao.estado_no_instante.limite2(), 8 * C + 220 + T);
    for (int l = 1; l <= c.rede.max_indice_link; ++l) {
        Single soma = 0, maior = 0;
        for (int t = 121; t <= 8 * C + 120 + T; ++t) {
            if (t > 8 * C + 121) soma += c.simulacao.fila_no_instante(l, t);
            maior = std::max(maior, c.simulacao.fila_no_instante(l, t));
            ASSERT_GE(c.simulacao.estado_no_instante(l, t), 1) << "link " << l << ", segundo " << t;
        }
        EXPECT_EQ(soma, atraso_final(l)) << "link " << l;
        EXPECT_EQ(maior, fila_maxima_final(l)) << "link " << l;
        EXPECT_EQ(c.simulacao.fila_no_instante(l, 120), 0.0f);
        EXPECT_EQ(c.simulacao.estado_no_instante(l, 8 * C + 123 + T), 0);
    }
    EXPECT_GT(fila_maxima_final(1), 0.0f);
    EXPECT_TRUE(s.mensagens.empty());
}

// Um nó de 4 intervalos (25, 5, 25 e 5 s num ciclo de 60 s): o grupo 1 verde, amarelo,
// vermelho, vermelho; o grupo 2 vermelho, vermelho, verde, amarelo. Entradas de 0,2 veh/s.
struct no_processado_a_mao {
    int E = 0, V = 0, W = 0, X = 0;

    no_processado_a_mao(contexto_da_rede& c, Integer defasagem_do_no) {
        zerar_variaveis_de_calculo(c);
        teste::esvaziar_rede(c.rede);
        const int n = teste::novo_no(c.rede, "A", 2, 4);
        teste::cores_do_grupo(c.rede, n, 1, "1233");
        teste::cores_do_grupo(c.rede, n, 2, "3312");
        teste::links_do_grupo(c.rede, n, 1, {"E", "W"});
        teste::links_do_grupo(c.rede, n, 2, {"V", "W"});
        E = teste::novo_link(c.rede, "E", "", "A", 720);
        V = teste::novo_link(c.rede, "V", "", "A", 1440);  // mais do que o verde dá vazão
        W = teste::novo_link(c.rede, "W", "", "A", 720);
        X = teste::novo_link(c.rede, "X", "", "A", 360);  // de grupo nenhum
        c.derivados.t_de_ciclo = 60;
        c.derivados.periodo_de_simulacao = 120;
        c.derivados.quant_de_intervalos_depois(n) = 4;
        const Integer duracoes[] = {0, 25, 5, 25, 5};
        for (int k = 1; k <= 4; ++k) {
            c.derivados.duracao_do_intervalo(n, k) = c.derivados.duracao_com_demanda(n, k) = duracoes[k];
            for (int g = 1; g <= 2; ++g) c.resultados.cor_do_intervalo_do_grupo_depois(n, g, k) = c.rede.cor_do_intervalo_do_grupo_dado(n, g, k);
        }
        c.buscas.defasagem_valendo(n) = defasagem_do_no;
        dimensionar_tabelas_por_segundo(c);
        gravar_rede_dinamica(c);
    }
};

TEST_F(gravacao_da_rede_dinamica, cores_e_filas_de_um_no_processado_a_mao) {
    servicos_de_teste s;
    const no_processado_a_mao r(c, 0);
    EXPECT_EQ(c.simulacao.fila_no_instante.limite2(), 8 * 60 + 220 + 120);
    const Integer inicios[] = {1, 26, 31, 56, 61};
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(c.derivados.inicio_do_intervalo(1, k), inicios[k - 1]);

    // Vermelho, a entrada só acumula: 0; 0,2; 0,4... a partir da fila vazia.
    Single esperada = 0;
    for (int t = 121; t <= 150; ++t) {
        EXPECT_EQ(c.simulacao.estado_no_instante(r.V, t), cor_vermelho);
        EXPECT_EQ(c.simulacao.fila_no_instante(r.V, t), esperada) << t;
        esperada += 0.4f;
    }
    // Verde, a chegada de um segundo sai no seguinte; no amarelo (146..150) nada sai.
    EXPECT_EQ(c.simulacao.estado_no_instante(r.E, 121), cor_verde);
    EXPECT_EQ(c.simulacao.fila_no_instante(r.E, 145), 0.0f);
    EXPECT_EQ(c.simulacao.estado_no_instante(r.E, 146), cor_amarelo);
    EXPECT_EQ(c.simulacao.fila_no_instante(r.E, 147), c.simulacao.fila_no_instante(r.E, 146) + 0.2f);
    EXPECT_EQ(c.simulacao.estado_no_instante(r.E, 151), cor_vermelho);
    // O link de dois grupos toma a cor do primeiro; o de nenhum fica sem cor e nunca sai.
    for (int t = 121; t <= 8 * 60 + 122 + 120; ++t) {
        ASSERT_EQ(c.simulacao.estado_no_instante(r.W, t), c.simulacao.estado_no_instante(r.E, t)) << t;
        ASSERT_EQ(c.simulacao.estado_no_instante(r.X, t), 0) << t;
        if (t < 600) {
            ASSERT_GT(c.simulacao.fila_no_instante(r.X, t + 1), c.simulacao.fila_no_instante(r.X, t)) << t;
        }
    }
    // No segundo de corte (601) a fila de uma entrada vai a (C − verde) · q = 35 · 0,4, também
    // com as tabelas do cálculo recém-zeradas, como num projeto que acabou de ser aberto.
    EXPECT_GT(c.simulacao.fila_no_instante(r.V, 600), 14.0f);
    EXPECT_EQ(c.simulacao.fila_no_instante(r.V, 601), Single(35) * 0.4f);
    // Os dois segundos depois do período (721 e 722) ainda são simulados: a apresentação os
    // mostra.
    EXPECT_GT(c.simulacao.fila_no_instante(r.V, 722), 0.0f);
    EXPECT_EQ(c.simulacao.fila_no_instante(r.V, 723), 0.0f);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(gravacao_da_rede_dinamica, a_defasagem_desloca_o_plano) {
    servicos_de_teste s;
    // Com defasagem 10, o segundo 121 é o instante 51 do nó: intervalo 3.
    const no_processado_a_mao r(c, 10);
    EXPECT_EQ(c.simulacao.instante_no_ciclo(1), (8 * 60 + 122 + 120 - 10) % 60);
    EXPECT_EQ(c.simulacao.estado_no_instante(r.E, 121), cor_vermelho);
    EXPECT_EQ(c.simulacao.estado_no_instante(r.V, 121), cor_verde);
    EXPECT_EQ(c.simulacao.estado_no_instante(r.V, 126), cor_amarelo);
}

}  // namespace
}  // namespace orvel
