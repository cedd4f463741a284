// Resultados de uma execução: a simulação final contra uma referência calculada à mão e os
// textos de uma rede pequena, também à mão.

#include <gtest/gtest.h>

#include "editor/tela_principal.h"

#include <cmath>
#include <string>
#include <vector>

#include "calculo/calcular_resultados.h"
#include "comum/rede_de_simulacao.h"
#include "modelo/estado_do_editor.h"
#include "editor/estado_dos_comandos.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/numeros.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class resultados_da_execucao : public teste::com_rede_propria {};

using teste::montagem_da_rede;

struct separador_virgula {
    char antes = separador_decimal();
    separador_virgula() { definir_separador_decimal(','); }
    ~separador_virgula() { definir_separador_decimal(antes); }
};

std::vector<std::string> periodos(contexto_da_rede& c, int l) {
    std::vector<std::string> v;
    for (int r = 1; r <= max_periodos_de_verde; ++r) v.push_back(c.resultados.periodo_de_verde_do_link_rel(l, r));
    return v;
}

// Um link de entrada, 1200 veh/h chegando, saturação de 3000 veh/h, ciclo de 60 s: 30 s de
// vermelho e 30 de verde. Em segundos discretos, em regime: no vermelho a fila depois da
// descarga do instante k é k/3 (soma 155); no verde, 10 − m/2 no m-ésimo segundo até esvaziar
// no 20º (soma 95): 250 veículos·segundo por ciclo, a área do triângulo da fila. A medição
// (segundos 602..1200) pega 10 ciclos menos o instante 1 do primeiro, em que a fila é 1/3.
// Paradas por ciclo: as 10 chegadas do vermelho e as dos 15 primeiros segundos de verde, em
// que chegada + fila passa de 3·s = 2,5.
TEST_F(resultados_da_execucao, atraso_e_grau_de_saturacao_de_uma_entrada_conferem_com_a_fila_deterministica) {
    servicos_de_teste s;
    separador_virgula virgula;
    montagem_da_rede m(c);
    const int n = m.no({30, 30});
    const int l = m.link({.destino = n, .grupo = m.grupo(n, {2}), .fluxo = 1200.0f / 3600, .saturacao = 3000.0f / 3600});
    m.fechar(60, 600);
    calcular_resultados(c);
    EXPECT_TRUE(s.mensagens.empty());

    EXPECT_NEAR(c.simulacao.atraso(l), 10 * 250.0 - 1.0 / 3, 0.02);
    EXPECT_NEAR(c.simulacao.paradas(l), 10 * 15.0 - 1.0 / 3, 0.001);
    EXPECT_NEAR(c.resultados.fila_maxima(l), 10.0, 1e-4);
    EXPECT_NEAR(c.resultados.grau_de_saturacao(l), 0.8, 1e-6);
    EXPECT_EQ(c.resultados.atraso_total, c.simulacao.atraso(l));
    EXPECT_EQ(c.resultados.paradas_total, c.simulacao.paradas(l));

    EXPECT_EQ(c.resultados.y_rel(l), "40");
    EXPECT_EQ(periodos(c, l), (std::vector<std::string>{"30", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(c.resultados.fila_maxima_rel(l), "10");
    EXPECT_EQ(c.resultados.estourou_caixa_rel(l), "False");
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(l), "80");
    EXPECT_EQ(c.resultados.atraso_rel(l), "4,2");        // 2499,67 / 600 = 4,166
    EXPECT_EQ(c.resultados.n_paradas_rel(l), "898");     // 149,67 · 3600 / 600
    EXPECT_EQ(c.resultados.t_ciclo_da_rede_rel, "60");
    EXPECT_EQ(c.resultados.atraso_rede_rel, "4,17");
    EXPECT_EQ(c.resultados.n_paradas_rede_rel, "898");
    EXPECT_EQ(c.resultados.espera_media_rel, "12");      // 2499,67 / (600 · 1/3)
    EXPECT_EQ(c.resultados.maior_grau_de_saturacao_rel, "80");
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(1), "L1");
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(2), "");
    EXPECT_EQ(c.resultados.max_quant_de_intervalos, 2);
    EXPECT_EQ(c.resultados.data_rel, "07/12/2026 10:30:00");
}

// Rede sem veículos (só links internos, sem entrada): os textos vêm dos verdes, dos fluxos,
// das capacidades e das filas máximas postas à mão.
TEST_F(resultados_da_execucao, textos_de_uma_rede_pequena) {
    servicos_de_teste s;
    montagem_da_rede m(c);
    const int n1 = m.no({10, 12, 14, 16, 18});
    const int n2 = m.no({15, 20, 25, 10});
    std::vector<Integer> vinte_e_dois(20, 3);
    vinte_e_dois.insert(vinte_e_dois.end(), {5, 5});
    const int n3 = m.no(vinte_e_dois);
    const int g_4_5_1 = m.grupo(n1, {4, 5, 1});  // uma sequência que passa do fim: 16 + 18 + 10
    const int g_2 = m.grupo(n1, {2});
    const int g_1_3 = m.grupo(n2, {1, 3});       // duas: 15 e 25
    const int g_todos = m.grupo(n2, {1, 2, 3, 4});
    const int g_impares = m.grupo(n3, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21});  // onze
    auto link = [&](int destino, int grupo, Single y_do_link) {
        const int l = m.link({.origem = n3, .destino = destino, .grupo = grupo, .fluxo = 0.1f, .capacidade = 50, .capacidade_util = 40});
        c.derivados.y(l) = y_do_link;
        return l;
    };
    const int a = link(n1, g_4_5_1, 0.4567f);
    const int b = link(n2, g_1_3, 0.5f);
    const int l_c = link(n2, g_todos, 0.125f);
    const int e = link(n2, g_1_3, 0.5f);
    const int f = link(n1, 0, 0.3f);  // sem grupo: sem verde
    const int h = link(n3, g_impares, 0.25f);
    const int k = link(n1, g_2, 0.1f);
    const int cheia = link(n1, g_2, 0.1f);
    const int quase = link(n1, g_2, 0.1f);
    m.fechar(70, 560);
    c.copias.capacidade_da_caixa(b) = c.copias.capacidade_da_caixa(e) = 20;
    c.derivados.capacidade_util_da_caixa(b) = c.derivados.capacidade_util_da_caixa(e) = 15;
    c.resultados.fila_maxima(b) = 12;  // 20/15 · 12 = 16
    c.resultados.fila_maxima(e) = 16;  // 21,3, limitado a 20
    c.copias.capacidade_da_caixa(cheia) = c.copias.capacidade_da_caixa(quase) = 100;
    c.derivados.capacidade_util_da_caixa(cheia) = c.derivados.capacidade_util_da_caixa(quase) = 100;
    c.resultados.fila_maxima(cheia) = 99;  // igual a Single(100 · 0,99)
    c.resultados.fila_maxima(quase) = std::nextafter(99.0f, 0.0f);

    calcular_resultados(c);
    EXPECT_TRUE(s.mensagens.empty());

    EXPECT_EQ(periodos(c, a), (std::vector<std::string>{"44", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(periodos(c, b), (std::vector<std::string>{"15", "25", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(periodos(c, l_c), (std::vector<std::string>{"70", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(periodos(c, h), std::vector<std::string>(10, "3"));
    EXPECT_EQ(periodos(c, f), std::vector<std::string>(10, "0"));
    EXPECT_TRUE(c.derivados.grupo_verde_no_intervalo(n1, g_4_5_1, 0));  // o intervalo 0 é o último

    EXPECT_EQ(c.resultados.y_rel(a), "46");
    EXPECT_EQ(c.resultados.y_rel(l_c), "12");
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(a), "73");  // 70/44 · 0,4567
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(b), "88");  // 0,875
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(l_c), "12");  // verde o ciclo inteiro: 0,125
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(h), "50");  // as onze sequências: 70/35 · 0,25
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(k), "58");  // 70/12 · 0,1
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(f), "");    // sem verde: sem texto, e o resto segue
    EXPECT_EQ(c.resultados.grau_de_saturacao(f), 0.0f);

    EXPECT_EQ(c.resultados.fila_maxima_rel(b), "16");
    EXPECT_EQ(c.resultados.estourou_caixa_rel(b), "False");
    EXPECT_EQ(c.resultados.fila_maxima_rel(e), "20");
    EXPECT_EQ(c.resultados.estourou_caixa_rel(e), "True");
    EXPECT_EQ(c.resultados.estourou_caixa_rel(cheia), "True");
    EXPECT_EQ(c.resultados.estourou_caixa_rel(quase), "False");
    EXPECT_EQ(c.resultados.fila_maxima_rel(a), "0");

    EXPECT_EQ(c.resultados.maior_grau_de_saturacao_rel, "88");
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(1), c.rede.nome_do_link_dado(b));
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(2), c.rede.nome_do_link_dado(e));
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(3), "");
    EXPECT_EQ(c.resultados.atraso_rel(a), "0");
    EXPECT_EQ(c.resultados.n_paradas_rel(a), "0");
    EXPECT_EQ(c.resultados.t_ciclo_da_rede_rel, "70");
    EXPECT_EQ(c.resultados.atraso_rede_rel, "0");
    EXPECT_EQ(c.resultados.n_paradas_rede_rel, "0");
    EXPECT_EQ(c.resultados.espera_media_rel, "0");
    EXPECT_EQ(c.resultados.max_quant_de_intervalos, 22);
}

TEST_F(resultados_da_execucao, empates_no_maior_grau_e_mais_de_cinquenta) {
    servicos_de_teste s;
    // Verde a metade do ciclo: o grau é 2·y. 0,8, 0,8, 0,9: só o terceiro; 0,9, 0,8, 0,9: o
    // primeiro e o terceiro.
    for (const auto& graus : {std::vector<Single>{0.4f, 0.4f, 0.45f}, std::vector<Single>{0.45f, 0.4f, 0.45f}}) {
        montagem_da_rede m(c);
        const int n = m.no({30, 30});
        const int g = m.grupo(n, {1});
        for (Single y_do_link : graus) c.derivados.y(m.link({.destino = n, .grupo = g})) = y_do_link;
        m.fechar(60, 600);
        calcular_resultados(c);
        EXPECT_EQ(c.resultados.maior_grau_de_saturacao_rel, "90");
        EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(1), graus[0] == 0.45f ? "L1" : "L3");
        EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(2), graus[0] == 0.45f ? "L3" : "");
    }
    // 60 links empatados: a lista guarda os 50 primeiros e os resultados vão até o fim.
    montagem_da_rede m(c);
    const int n = m.no({30, 30});
    const int g = m.grupo(n, {1});
    for (int i = 0; i < 60; ++i) c.derivados.y(m.link({.destino = n, .grupo = g})) = 0.25f;
    m.fechar(60, 600);
    calcular_resultados(c);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(c.resultados.links_com_maior_grau_de_saturacao(50), "L50");
    EXPECT_EQ(c.resultados.maior_grau_de_saturacao_rel, "50");
    EXPECT_EQ(c.resultados.max_quant_de_intervalos, 2);
    EXPECT_FALSE(c.resultados.data_rel.empty());
}

TEST_F(resultados_da_execucao, com_a_parada_pedida_so_devolve_os_comandos) {
    servicos_de_teste s;
    com_a_janela_principal();
    destruir_todas_as_janelas();
    auto& tela = tela_principal_completa();
    for (controle* ct : tela.controles()) ct->Enabled = false;
    montagem_da_rede m(c);
    const int n = m.no({30, 30});
    m.link({.destino = n, .grupo = m.grupo(n, {1}), .fluxo = 0.25f});
    m.fechar(60, 600);
    c.projeto.parar_processamento = true;
    c.editor.desenhando = true;
    calcular_resultados(c);
    c.projeto.parar_processamento = false;
    // A coluna de parada: os resultados voltam, o botão de parar sai.
    EXPECT_TRUE(tela.relatorio_tela_button.Enabled);
    EXPECT_TRUE(tela.processar_button.Enabled);
    EXPECT_FALSE(tela.parar_processamento_button.Enabled);
    EXPECT_FALSE(tela.arquivo_novo_button.Enabled);  // fora da coluna: como estava
    destruir_todas_as_janelas();
    EXPECT_FALSE(c.editor.desenhando);
    EXPECT_EQ(c.simulacao.atraso(1), 0.0f);  // a simulação final não rodou
    EXPECT_EQ(c.resultados.t_ciclo_da_rede_rel, "");
    EXPECT_EQ(c.resultados.y_rel(1), "");
    EXPECT_EQ(c.resultados.data_rel, "");
}

TEST_F(resultados_da_execucao, periodo_zero_nao_interrompe_os_textos) {
    servicos_de_teste s;
    montagem_da_rede m(c);
    const int n = m.no({30, 30});
    const int l = m.link({.destino = n, .grupo = m.grupo(n, {1}), .fluxo = 0.25f, .saturacao = 0.5f});
    m.fechar(60, 0);
    calcular_resultados(c);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(c.resultados.atraso_rel(l), "");
    EXPECT_EQ(c.resultados.espera_media_rel, "");
    EXPECT_EQ(c.resultados.grau_de_saturacao_por_link_rel(l), "100");
    EXPECT_EQ(c.resultados.data_rel, "07/12/2026 10:30:00");
}

}  // namespace
}  // namespace orvel
