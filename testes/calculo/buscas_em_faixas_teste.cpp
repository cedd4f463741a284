// As buscas das defasagens com as tentativas em faixas contra as mesmas buscas em sequência,
// num "Processar" inteiro de redes geradas: em cada sondagem da parada, as mesmas defasagens
// em teste, o mesmo melhor índice e o mesmo estado das filas; no fim, o mesmo arquivo de
// projeto, byte a byte. Também com a parada pedida na k-ésima sondagem, e com a rede mudada
// numa sondagem depois da parada.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "calculo/processar_rede.h"
#include "calculo/simulacao.h"
#include "comum/arquivos.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_de_simulacao.h"
#include "comum/rede_em_grade.h"
#include "modelo/estado_do_editor.h"
#include "modelo/projeto.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel {
namespace {

// Sob os sanitizadores, menos redes e nenhuma de 50 nós (cada uma roda dez vezes mais devagar).
#if defined(__SANITIZE_ADDRESS__)
constexpr int redes_a_gerar = 12;
constexpr bool com_a_maior = false;
#else
constexpr int redes_a_gerar = 200;
constexpr bool com_a_maior = true;
#endif

enum class tipo_de_rede { qualquer, a_maior, de_uma_hora };

// O que a sondagem vê: defasagens em teste, índices e o estado das filas e dos verdes.
std::uint64_t marca_da_sondagem() {
    std::uint64_t h = 1469598103934665603ull;
    auto juntar = [&h](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ull;
    };
    juntar(contexto().buscas.defasagem_tentativa.dados(), sizeof(Integer) * contexto().buscas.defasagem_tentativa.total);
    juntar(&contexto().buscas.melhor_indice, sizeof contexto().buscas.melhor_indice);
    juntar(&contexto().buscas.indice_de_desempenho, sizeof contexto().buscas.indice_de_desempenho);
    juntar(contexto().simulacao.fila.dados(), sizeof(Single) * contexto().simulacao.fila.total);
    juntar(contexto().simulacao.atraso.dados(), sizeof(Single) * contexto().simulacao.atraso.total);
    juntar(contexto().simulacao.paradas.dados(), sizeof(Single) * contexto().simulacao.paradas.total);
    juntar(contexto().simulacao.ocupacao_da_caixa.dados(), sizeof(Single) * contexto().simulacao.ocupacao_da_caixa.total);
    juntar(contexto().simulacao.verde_antes.dados(), sizeof(bool) * contexto().simulacao.verde_antes.total);
    juntar(contexto().simulacao.verde_agora.dados(), sizeof(bool) * contexto().simulacao.verde_agora.total);
    juntar(contexto().simulacao.caixa_com_espaco.dados(), sizeof(bool) * contexto().simulacao.caixa_com_espaco.total);
    juntar(contexto().simulacao.instante_no_ciclo.dados(), sizeof(Integer) * contexto().simulacao.instante_no_ciclo.total);
    return h;
}

struct execucao {
    std::vector<std::uint64_t> sondagens;
    std::string arquivo;
    bool ok = false;
    execucoes_feitas simulacoes;  // as desta execução
};

// Uma mudança do que a execução lê, como a de um comando que a guarda deixasse passar, com a
// revisão da rede, que cresce a cada mudança.
void mudar_o_que_a_execucao_le() {
    for (int l = 1; l <= max_indice_link; ++l)
        if (existe_link(l)) contexto().copias.fluxo_de_saturacao_por_segundo(l) *= 0.875f;
    ++revisao_da_rede;
}

class buscas_em_faixas : public teste::com_janela_principal {
protected:
    void SetUp() override {
        teste::com_janela_principal::SetUp();
        avx2_antes = ligar_buscas_em_faixas(true);
        etapas() = etapas_de_verdade();
        etapas().salvar = [](contexto_da_rede& c, observador_do_calculo&) { return salvar_pelas_janelas(c); };
    }
    void TearDown() override {
        ligar_buscas_em_faixas(avx2_antes);
        etapas() = etapas_de_verdade();
        teste::com_janela_principal::TearDown();
    }

    // Rede gerada nas tabelas da rede entrada: uma grade de 1 a 50 nós, ciclo imposto ou não,
    // às vezes saturada (período de uma hora), caixas pequenas que represam, ciclos duplos
    // permitidos e escravos de um vizinho.
    void gerar(std::uint64_t semente, tipo_de_rede tipo = tipo_de_rede::qualquer) {
        const bool a_maior = tipo == tipo_de_rede::a_maior;
        teste::sorteio s(semente);
        if (semente == 0) {
            // Uma grade média, sempre igual.
            teste::montar_rede_em_grade(2, 3, 60);
            desenhar();
            return;
        }
        int linhas = 1;
        int colunas = 1;
        // Poucas redes grandes (são as que mais custam).
        const int tamanho = s.entre(0, 39);
        if (a_maior) {
            linhas = 5;
            colunas = 10;
        } else if (tamanho == 0) {
            linhas = s.entre(3, 5);
            colunas = s.entre(6, 10);
        } else if (tamanho <= 8) {
            linhas = s.entre(2, 3);
            colunas = s.entre(3, 4);
        } else {
            linhas = s.entre(1, 2);
            colunas = s.entre(1, 3);
        }
        if (tipo == tipo_de_rede::de_uma_hora) {
            linhas = 1;
            colunas = 3;
        }
        const bool uma_hora = tipo == tipo_de_rede::de_uma_hora || (s.entre(0, 7) == 0 && linhas * colunas <= 3);
        const Integer ciclos[] = {0, 40, 50, 60, 72, 90};
        const Integer ciclo = a_maior || tamanho == 0 ? 40 : ciclos[s.entre(0, 5)];
        teste::montar_rede_em_grade(linhas, colunas, ciclo, uma_hora);
        t_de_ciclo_maximo_imposto_dado = static_cast<Integer>(a_maior || tamanho == 0 ? 50 : 90);
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!existe_link(l)) continue;
            if (s.entre(0, 3) == 0) capacidade_da_caixa_dado(l) = static_cast<Integer>(s.entre(2, 8));
            if (s.entre(0, 2) == 0) t_de_percurso_dado(l) = static_cast<Byte>(s.entre(0, 60));
        }
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!existe_no(n)) continue;
            if (s.entre(0, 3) == 0) eh_ciclo_duplo_permitido_dado(n) = true;
            // Escravo do nó anterior, quando este não é escravo.
            if (n > 1 && s.entre(0, 5) == 0 && !eh_no_escravo_dado(n - 1)) {
                eh_no_escravo_dado(n) = true;
                nome_do_mestre_dado(n) = nome_do_no_dado(n - 1);
                intervalo_do_escravo_dado(n) = 1;
                intervalo_do_mestre_dado(n) = static_cast<Byte>(s.entre(1, 2));
                defasagem_forcada_dado(n) = static_cast<Integer>(s.entre(0, 30));
            }
        }
        desenhar();
    }

    // O desenho que o arquivo guarda.
    void desenhar() {
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!existe_no(n) || t().no_shape.carregado(n)) continue;
            t().apoio_no_label.carregar(n);
            t().no_shape.carregar(n);
            t().no_shape(n).Left = static_cast<Single>(300 * n);
            t().no_shape(n).Visible = true;
            t().apoio_no_label(n).Caption = nome_do_no_dado(n);
        }
        for (int l = 1; l <= max_indice_link; ++l)
            if (existe_link(l) && !t().corpo_link_line.carregado(l)) t().carregar_elementos_do_link(l);
    }

    // Processa a rede atual com ou sem faixas; com `parar_em` > 0, pede a parada nessa sondagem;
    // com `mudar_em` > 0, muda a rede nessa.
    execucao processar(bool em_faixas, const std::string& caminho, int parar_em = 0, int mudar_em = 0) {
        ligar_buscas_em_faixas(em_faixas);
        execucao e;
        nome_do_arquivo = caminho;
        salvar_como = false;
        s.ao_processar_eventos = [&] {
            e.sondagens.push_back(marca_da_sondagem());
            if (static_cast<int>(e.sondagens.size()) == parar_em) t().parar_processamento_button.Click();
            if (static_cast<int>(e.sondagens.size()) == mudar_em) mudar_o_que_a_execucao_le();
        };
        const execucoes_feitas antes = contar_execucoes(contexto());
        processar_rede(contexto(), observador_do_calculo_instalado());
        s.ao_processar_eventos = nullptr;
        const execucoes_feitas depois = contar_execucoes(contexto());
        e.simulacoes = {depois.em_sequencia - antes.em_sequencia, depois.em_faixas - antes.em_faixas};
        e.ok = dados_ok;
        e.arquivo = teste::conteudo(caminho);
        return e;
    }

    bool avx2_antes = false;
    teste::pasta_temporaria pasta;
};

TEST_F(buscas_em_faixas, mesmas_sondagens_e_mesmo_arquivo_que_em_sequencia) {
    int processadas = 0;
    int grandes = 0;
    int com_50_nos = 0;
    int de_uma_hora = 0;
    for (int k = 1; k <= redes_a_gerar; ++k) {
        const std::uint64_t semente = static_cast<std::uint64_t>(k) * 7919;
        const tipo_de_rede tipo = k == 1 && com_a_maior ? tipo_de_rede::a_maior
                                  : k == 2              ? tipo_de_rede::de_uma_hora
                                                        : tipo_de_rede::qualquer;
        gerar(semente, tipo);
        const std::string nome = "semente " + std::to_string(semente);
        const execucao sequencial = processar(false, pasta.arquivo("projeto.xml"));
        gerar(semente, tipo);
        const execucao em_faixas = processar(true, pasta.arquivo("projeto.xml"));
        ASSERT_EQ(sequencial.ok, em_faixas.ok) << nome;
        if (!sequencial.ok) continue;
        ++processadas;
        if (total_de_nos_dado >= 18) ++grandes;
        if (total_de_nos_dado == 50) ++com_50_nos;
        if (contexto().derivados.periodo_de_simulacao > 1000) ++de_uma_hora;
        ASSERT_EQ(sequencial.sondagens.size(), em_faixas.sondagens.size()) << nome;
        const auto diferente =
            std::mismatch(sequencial.sondagens.begin(), sequencial.sondagens.end(), em_faixas.sondagens.begin()).first;
        ASSERT_TRUE(diferente == sequencial.sondagens.end())
            << nome << ": sondagem " << (diferente - sequencial.sondagens.begin()) + 1;
        ASSERT_FALSE(sequencial.arquivo.empty()) << nome;
        ASSERT_TRUE(sequencial.arquivo == em_faixas.arquivo) << nome << ": arquivos diferentes";
    }
    EXPECT_GE(processadas, redes_a_gerar * 3 / 4);
    if (com_a_maior) {
        EXPECT_GT(grandes, 0);
        EXPECT_GT(com_50_nos, 0);
    }
    EXPECT_GT(de_uma_hora, 0);
}

// A parada pedida na k-ésima sondagem: as sondagens seguintes e o arquivo são os da sequência
// parada na mesma sondagem. A busca não muda com a parada, e as faixas seguem depois dela: a
// execução parada não simula mais, em sequência nem em faixas, que a inteira.
TEST_F(buscas_em_faixas, parada_na_mesma_sondagem_deixa_o_mesmo_estado) {
    gerar(0);
    const execucao inteira = processar(false, pasta.arquivo("projeto.xml"));
    ASSERT_TRUE(inteira.ok);
    gerar(0);
    const execucao inteira_em_faixas = processar(true, pasta.arquivo("projeto.xml"));
    ASSERT_GT(inteira_em_faixas.simulacoes.em_faixas, 0);
    const int total = static_cast<int>(inteira.sondagens.size());
    ASSERT_GT(total, 20);
    for (const int k : {1, 2, 3, 5, 8, total / 3, total / 2, total - 1, total}) {
        SCOPED_TRACE(k);
        gerar(0);
        const execucao sequencial = processar(false, pasta.arquivo("projeto.xml"), k);
        gerar(0);
        const execucao em_faixas = processar(true, pasta.arquivo("projeto.xml"), k);
        EXPECT_TRUE(parar_processamento);
        EXPECT_TRUE(sequencial.sondagens == em_faixas.sondagens);
        EXPECT_TRUE(sequencial.arquivo == em_faixas.arquivo);
        EXPECT_FALSE(sequencial.arquivo.empty());
        EXPECT_LE(em_faixas.simulacoes.em_sequencia, inteira_em_faixas.simulacoes.em_sequencia);
        EXPECT_LE(em_faixas.simulacoes.em_faixas, inteira_em_faixas.simulacoes.em_faixas);
    }
}

// A rede mudada numa sondagem depois da parada (a revisão cresce): o que as faixas simularam
// antes dela não vale mais, e a busca segue em sequência com a rede nova, como a sequência
// mudada na mesma sondagem.
TEST_F(buscas_em_faixas, rede_mudada_depois_da_parada_segue_como_a_sequencia) {
    gerar(0);
    const execucao inteira = processar(false, pasta.arquivo("projeto.xml"));
    ASSERT_TRUE(inteira.ok);
    const int total = static_cast<int>(inteira.sondagens.size());
    ASSERT_GT(total, 20);
    struct caso {
        int parar_em;
        int mudar_em;
    };
    for (const caso c : {caso{1, 1}, caso{2, total / 3}, caso{total / 3, total / 3}, caso{total / 3, total / 2},
                         caso{total / 2, total - 2}}) {
        SCOPED_TRACE(std::to_string(c.parar_em) + " " + std::to_string(c.mudar_em));
        gerar(0);
        const execucao so_parada = processar(true, pasta.arquivo("projeto.xml"), c.parar_em);
        gerar(0);
        const execucao sequencial = processar(false, pasta.arquivo("projeto.xml"), c.parar_em, c.mudar_em);
        gerar(0);
        const execucao em_faixas = processar(true, pasta.arquivo("projeto.xml"), c.parar_em, c.mudar_em);
        ASSERT_EQ(sequencial.sondagens.size(), em_faixas.sondagens.size());
        const auto diferente =
            std::mismatch(sequencial.sondagens.begin(), sequencial.sondagens.end(), em_faixas.sondagens.begin()).first;
        EXPECT_TRUE(diferente == sequencial.sondagens.end())
            << "sondagem " << (diferente - sequencial.sondagens.begin()) + 1;
        EXPECT_TRUE(sequencial.arquivo == em_faixas.arquivo);
        // A mudança chegou às sondagens seguintes, e a busca seguiu em sequência depois dela.
        EXPECT_FALSE(so_parada.sondagens == em_faixas.sondagens);
        EXPECT_GT(em_faixas.simulacoes.em_sequencia, so_parada.simulacoes.em_sequencia);
        EXPECT_LE(em_faixas.simulacoes.em_faixas, so_parada.simulacoes.em_faixas);
    }
}

}  // namespace
}  // namespace orvel
