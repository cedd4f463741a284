#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculo/defasagens.h"
#include "calculo/escolher_tempo_de_ciclo.h"
#include "calculo/processar_rede.h"
#include "calculo/simulacao.h"
#include "comum/janela_principal_de_teste.h"
#include "modelo/estado_do_editor.h"
#include "modelo/tabelas_de_calculo.h"
#include "rede_de_teste_das_defasagens.h"

namespace orvel {
namespace {

using namespace teste_defasagens;

std::string etapa_em_curso;
int salvamentos = 0;

// As etapas de verdade, cada uma dizendo que está em curso.
etapas_do_processamento etapas_marcadas() {
    etapas_do_processamento e = etapas_de_verdade();
    e.tempo_de_ciclo = [](const rede_em_calculo& ctx) {
        etapa_em_curso = "tempo_de_ciclo";
        escolher_tempo_de_ciclo(ctx);
    };
    e.defasagens_iniciais = [](const rede_em_calculo& ctx) {
        etapa_em_curso = "defasagens_iniciais";
        calcular_defasagens_iniciais(ctx);
    };
    e.intervalos_repetidos = [](const rede_em_calculo& ctx) {
        etapa_em_curso = "intervalos_repetidos";
        otimizar_intervalos_repetidos(ctx);
    };
    e.defasagens_do_caminho = [](const rede_em_calculo& ctx) {
        etapa_em_curso = "defasagens_do_caminho";
        otimizar_defasagens_do_caminho(ctx);
    };
    e.defasagens_da_rede = [](const rede_em_calculo& ctx) {
        etapa_em_curso = "defasagens_da_rede";
        otimizar_defasagens_da_rede(ctx);
    };
    e.salvar = [](contexto_da_rede&, observador_do_calculo&) {
        ++salvamentos;
        return true;
    };
    return e;
}

class parada_nas_defasagens : public teste::com_janela_principal {
protected:
    void SetUp() override {
        teste::com_janela_principal::SetUp();
        // Uma arterial A -> B -> C, um nó D ao lado de A (primeiro nível) e o verde do grupo 1
        // de C repetido no ciclo (intervalos repetidos).
        teste::esvaziar_rede();
        t_de_ciclo_imposto_dado = 60;
        via(contexto(), "E", "", "A", 600, 10);
        cruzamento(contexto(), "A", {"E"});
        via(contexto(), "AB", "A", "B", 600, 14);
        cruzamento(contexto(), "B", {"AB"});
        via(contexto(), "BC", "B", "C", 500, 9);
        const int c = cruzamento(contexto(), "C", {"BC"});
        quant_de_intervalos_antes_dado(c) = 6;
        teste::cores_do_grupo(c, 1, "123312");
        teste::cores_do_grupo(c, 2, "331233");
        duracao_imposta_dado(c, 6) = 3;
        via(contexto(), "AD", "A", "D", 200, 20);
        cruzamento(contexto(), "D", {"AD"});
        fornece(contexto(), "E", "AB", 0.9f);
        fornece(contexto(), "AB", "BC", 0.8f);
        etapas() = etapas_marcadas();
        salvamentos = 0;
    }
    void TearDown() override {
        etapas() = etapas_de_verdade();
        teste::com_janela_principal::TearDown();
    }

    // Processa pedindo a parada na primeira sondagem da etapa dada; devolve quantas sondagens
    // a etapa fez.
    int processar_parando_em(const std::string& alvo) {
        int sondagens_da_etapa = 0;
        s.ao_processar_eventos = [&] {
            if (etapa_em_curso != alvo) return;
            if (sondagens_da_etapa++ == 0) t().parar_processamento_button.Click();
        };
        etapa_em_curso.clear();
        t().processar_button.Click();
        s.ao_processar_eventos = nullptr;
        return sondagens_da_etapa;
    }
};

TEST_F(parada_nas_defasagens, parada_numa_sondagem_de_cada_etapa) {
    for (const char* alvo :
         {"tempo_de_ciclo", "defasagens_iniciais", "intervalos_repetidos", "defasagens_do_caminho", "defasagens_da_rede"}) {
        SCOPED_TRACE(alvo);
        salvamentos = 0;
        const int sondagens = processar_parando_em(alvo);
        ASSERT_GT(sondagens, 0);
        EXPECT_TRUE(parar_processamento);
        // As etapas seguem até o fim: o refinamento escreveu as defasagens valendo.
        EXPECT_EQ(contexto().buscas.quant_de_nos_do_caminho, 3);
        EXPECT_GT(contexto().buscas.quant_de_niveis, 0);
        for (int n = 1; n <= max_indice_no; ++n) {
            EXPECT_GE(contexto().buscas.defasagem_valendo(n), 0);
            EXPECT_LT(contexto().buscas.defasagem_valendo(n), contexto().derivados.t_de_ciclo);
        }
        // Sem textos de resultado, e o projeto salvo.
        EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "");
        EXPECT_EQ(contexto().resultados.atraso_rede_rel, "");
        for (int l = 1; l <= max_indice_link; ++l) EXPECT_EQ(contexto().resultados.atraso_rel(l), "");
        EXPECT_EQ(salvamentos, 1);
        // O ramo de parada devolveu os comandos (e o "Processar" pôs a sua coluna por cima).
        EXPECT_FALSE(desenhando);
        EXPECT_TRUE(t().mnuRelatorio.Enabled);
        EXPECT_TRUE(t().relatorio_tela_button.Enabled);
        EXPECT_FALSE(t().mnuInserirNo.Enabled);
        EXPECT_FALSE(t().parar_processamento_button.Enabled);
        EXPECT_TRUE(s.mensagens.empty());
    }

    // Sem pedido de parada, a mesma rede termina com os resultados.
    processar_parando_em("nenhuma");
    EXPECT_FALSE(parar_processamento);
    EXPECT_FALSE(contexto().resultados.t_ciclo_da_rede_rel.empty());
}

// Parada na primeira sondagem de cada etapa, com as buscas em faixas e em sequência: as mesmas
// defasagens valendo, e em faixas a execução parada não simula mais que a inteira.
TEST_F(parada_nas_defasagens, parada_em_faixas_da_o_mesmo_que_em_sequencia_sem_simular_mais) {
    struct resultado {
        std::vector<Integer> defasagens;
        execucoes_feitas simulacoes;
    };
    auto processar = [&](bool em_faixas, const std::string& alvo) {
        ligar_buscas_em_faixas(em_faixas);
        const execucoes_feitas antes = contar_execucoes(contexto());
        processar_parando_em(alvo);
        const execucoes_feitas depois = contar_execucoes(contexto());
        resultado r{{}, {depois.em_sequencia - antes.em_sequencia, depois.em_faixas - antes.em_faixas}};
        for (int n = 0; n <= max_indice_no; ++n) r.defasagens.push_back(contexto().buscas.defasagem_valendo(n));
        return r;
    };
    const bool faixas_antes = ligar_buscas_em_faixas(true);
    const resultado inteira = processar(true, "nenhuma");
    EXPECT_GT(inteira.simulacoes.em_faixas, 0);
    for (const char* alvo :
         {"tempo_de_ciclo", "defasagens_iniciais", "intervalos_repetidos", "defasagens_do_caminho", "defasagens_da_rede"}) {
        SCOPED_TRACE(alvo);
        const resultado sequencial = processar(false, alvo);
        const resultado em_faixas = processar(true, alvo);
        EXPECT_TRUE(parar_processamento);
        EXPECT_EQ(sequencial.defasagens, inteira.defasagens);
        EXPECT_EQ(em_faixas.defasagens, inteira.defasagens);
        EXPECT_LE(em_faixas.simulacoes.em_sequencia, inteira.simulacoes.em_sequencia);
        EXPECT_LE(em_faixas.simulacoes.em_faixas, inteira.simulacoes.em_faixas);
    }
    ligar_buscas_em_faixas(faixas_antes);
}

TEST_F(parada_nas_defasagens, cada_etapa_sonda_onde_deve) {
    EXPECT_EQ(processar_parando_em("tempo_de_ciclo"), 1);
    EXPECT_EQ(processar_parando_em("defasagens_iniciais"), 2);
    EXPECT_EQ(processar_parando_em("intervalos_repetidos"), 1);
    // Caminho: uma sondagem por simulação em teste (7 movimentos × 2 nós livres e ao menos dois
    // passos finos por nó); rede: só os passos finos do nó D (ao menos dois).
    EXPECT_GE(processar_parando_em("defasagens_do_caminho"), 7 * 2 + 2 * 2);
    const int na_rede = processar_parando_em("defasagens_da_rede");
    EXPECT_GE(na_rede, 2);
    EXPECT_LE(na_rede, 2 * 30);
}

}  // namespace
}  // namespace orvel
