#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/recursos_do_programa.h"
#include "editor/janelas.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "resultados/ajuda.h"
#include "resultados/relatorio.h"

namespace orvel {
namespace {

using comandos_das_vistas = teste::com_janela_principal;

using teste::pasta_dos_recursos;

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

    // Sem testar processamento: o relatório de um arquivo salvo, sempre na mesma janela.
    s.pasta = pasta_dos_recursos();
    nome_do_arquivo = ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml";
    t().mnuRelatorio.Click();
    EXPECT_TRUE(frmBrowse().Visible);
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), nome_do_arquivo);
    t().relatorio_tela_button.Click();
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), nome_do_arquivo);
    EXPECT_EQ(quantas_carregadas("frmBrowse"), 1);
    EXPECT_TRUE(s.mensagens.empty());
}

// Um relatório que não pode ser montado dá só o seu "Aviso": nenhuma janela de relatório fica,
// nem vazia nem com o relatório anterior. Um projeto nunca salvo e um arquivo que sumiu avisam
// como um arquivo que a folha não transforma.
TEST_F(comandos_das_vistas, relatorio_que_nao_pode_ser_montado_avisa_e_nao_deixa_janela) {
    teste::pasta_temporaria pasta;
    const std::string arquivo = pasta.arquivo("rede.xml");
    std::filesystem::copy_file(ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml", arquivo);

    s.pasta = pasta.caminho().string();  // sem a folha de estilo: a transformação falha
    nome_do_arquivo = arquivo;
    t().relatorio_tela_button.Click();
    ASSERT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"não foi possível montar o relatório do arquivo rede.xml"});
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(quantas_carregadas("frmBrowse"), 0);

    s.pasta = pasta_dos_recursos();
    t().mnuRelatorio.Click();
    ASSERT_TRUE(frmBrowse().Visible);
    s.mensagens.clear();
    std::filesystem::remove(arquivo);
    t().mnuRelatorio.Click();
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"não foi possível montar o relatório do arquivo rede.xml"});
    EXPECT_EQ(quantas_carregadas("frmBrowse"), 0);

    s.mensagens.clear();
    nome_do_arquivo.clear();
    t().relatorio_tela_button.Click();
    ASSERT_EQ(s.textos_das_mensagens(),
              std::vector<std::string>{"não foi possível montar o relatório: o projeto ainda não foi salvo"});
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(quantas_carregadas("frmBrowse"), 0);
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

// As sete janelas que levam o título do projeto o guardam quando fechadas e abertas de novo;
// depois de "Fechar", o do produto.
TEST_F(comandos_das_vistas, titulo_do_projeto_fica_depois_de_fechar_e_abrir_a_janela) {
    using janela = formulario& (*)();
    const std::vector<janela> sete = {frmDiagrama_de_barras_final_versao2, frmEditarLink_versao2, frmEditarNo_versao2,
                                      frmNome_da_rede_versao2,           frmRede_dinamica_versao2, frmRede_versao2,
                                      frmBrowse};
    for (const char* titulo : {"ORVEL - rede.xml", "ORVEL - Belmarco QRT"}) {
        if (std::string(titulo) == "ORVEL - rede.xml") {
            titular_as_oito_janelas(titulo);
        } else {
            s.respostas = {resposta_nao};
            t().mnuFechar.Click();
        }
        for (janela j : sete) {
            SCOPED_TRACE(j().nome());
            j().Show();
            EXPECT_EQ(j().Caption, titulo);
            j().Unload();
            EXPECT_EQ(j().Caption, titulo);
        }
        EXPECT_EQ(t().Caption, titulo);
    }
}

TEST_F(comandos_das_vistas, nada_age_durante_um_processamento) {
    execucao_em_curso = true;
    for (item_de_menu* m : {&t().mnuAjuda, &t().mnuConfigurar, &t().mnuImprimir, &t().mnuRelatorio, &t().mnuNomeRede,
                            &t().mnuEditarRede})
        m->Click();
    t().relatorio_tela_button.Click();
    // Fechar a janela principal também espera.
    EXPECT_FALSE(t().Unload(0));
    execucao_em_curso = false;
    // Cada comando recusado diz por quê.
    ASSERT_EQ(s.textos_das_mensagens(), std::vector<std::string>(8, "Aguarde o fim do processamento"));
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(quantas_carregadas("frmAjuda"), 0);
    EXPECT_FALSE(frmBrowse().Visible);
    EXPECT_FALSE(frmNome_da_rede_versao2().Visible);
    EXPECT_FALSE(frmRede_versao2().Visible);
    EXPECT_TRUE(s.impressoras_configuradas.empty());
    EXPECT_TRUE(s.janelas_impressas.empty());
}

}  // namespace
}  // namespace orvel
