#include <gtest/gtest.h>

#include <algorithm>

#include "comum/janela_principal_de_teste.h"
#include "editor/janelas.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "resultados/ajuda.h"
#include "resultados/relatorio.h"

namespace orvel {
namespace {

using comandos_das_vistas = teste::com_janela_principal;

int quantas_carregadas(const std::string& nome) {
    const auto& js = janelas_carregadas();
    return static_cast<int>(std::count_if(js.begin(), js.end(), [&](formulario* f) { return f->nome() == nome; }));
}

TEST_F(comandos_das_vistas, ajuda_e_relatorio_mostram_a_mesma_janela_e_navegam) {
    s.pasta = "/opt/orvel";
    t().mnuAjuda.Click();
    t().mnuAjuda.Click();
    EXPECT_EQ(quantas_carregadas("frmAjuda"), 1);
    EXPECT_TRUE(frmAjuda().Visible);
    EXPECT_TRUE(frmAjuda().eh_a_ativa());
    EXPECT_EQ(ajuda_unica().WebBrowser1.endereco(), "/opt/orvel/ajuda_html.html");

    // Sem testar processamento nem salvamento: um projeto nunca salvo vai com endereço vazio.
    nome_do_arquivo.clear();
    t().mnuRelatorio.Click();
    EXPECT_TRUE(frmBrowse().Visible);
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), "");
    nome_do_arquivo = "/p/a.xml";
    t().relatorio_tela_button.Click();
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), "/p/a.xml");
    EXPECT_EQ(quantas_carregadas("frmBrowse"), 1);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(comandos_das_vistas, configurar_impressora_vale_da_segunda_vez_e_imprimir_a_janela) {
    t().mnuConfigurar.Click();
    t().mnuConfigurar.Click();
    ASSERT_EQ(s.impressoras_configuradas.size(), 2u);
    EXPECT_EQ(s.impressoras_configuradas[0].titulo, "");
    EXPECT_EQ(s.impressoras_configuradas[0].orientacao, 0);
    EXPECT_EQ(s.impressoras_configuradas[1].titulo, "Configurar impressora");
    EXPECT_EQ(s.impressoras_configuradas[1].orientacao, orientacao_paisagem);
    EXPECT_TRUE(t().cdlImpressora.PrinterDefault);
    EXPECT_EQ(t().cdlImpressora.Flags, 64);

    t().mnuImprimir.Click();
    EXPECT_EQ(s.janelas_impressas, std::vector<std::string>{"frmTela_principal_versao2"});
}

TEST_F(comandos_das_vistas, dialogos_da_rede_e_a_colocacao_do_nome) {
    t().mnuEditarRede.Click();
    EXPECT_TRUE(frmRede_versao2().Visible);

    t().Width = 12001;  // em ponto flutuante: a metade não é arredondada
    t().Height = 9000;
    formulario& d = frmNome_da_rede_versao2();
    t().mnuNomeRede.Click();
    EXPECT_TRUE(d.Visible);
    EXPECT_EQ(d.Left, 6000.5f - d.Width / 2);
    EXPECT_EQ(d.Top, 4500.0f - d.Height / 2 + 4000);
}

TEST_F(comandos_das_vistas, nada_age_durante_um_processamento) {
    execucao_em_curso = true;
    for (item_de_menu* m : {&t().mnuAjuda, &t().mnuConfigurar, &t().mnuImprimir, &t().mnuRelatorio, &t().mnuNomeRede,
                            &t().mnuEditarRede})
        m->Click();
    t().relatorio_tela_button.Click();
    execucao_em_curso = false;
    EXPECT_EQ(quantas_carregadas("frmAjuda"), 0);
    EXPECT_FALSE(frmBrowse().Visible);
    EXPECT_FALSE(frmNome_da_rede_versao2().Visible);
    EXPECT_FALSE(frmRede_versao2().Visible);
    EXPECT_TRUE(s.impressoras_configuradas.empty());
    EXPECT_TRUE(s.janelas_impressas.empty());
}

}  // namespace
}  // namespace orvel
