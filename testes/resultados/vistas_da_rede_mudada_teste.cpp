#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comum/arquivos.h"
#include "comum/pasta_temporaria.h"
#include "dialogos/opcoes_da_rede.h"
#include "editor/desenho_da_rede.h"
#include "editor/janelas.h"
#include "modelo/estado_do_editor.h"
#include "resultados/rede_dinamica.h"
#include "vistas_de_teste.h"

namespace orvel {
namespace {

// As duas vistas dos resultados sobre uma rede que mudou depois do processamento: recusam como
// numa rede não processada, nunca com um "Erro".
class vistas_da_rede_mudada : public teste::com_janela_principal {
protected:
    // "Rede dinâmica" pelos dois gêmeos e "Diagrama de barras final": as mensagens de cada um.
    std::vector<std::string> usar_as_vistas() {
        s.mensagens.clear();
        t().tela_dinamica_button.Click();
        if (rede_dinamica_unica().Visible) rede_dinamica_unica().Unload();
        t().mnuRede_dinamica.Click();
        if (rede_dinamica_unica().Visible) rede_dinamica_unica().Unload();
        t().relatorio_diagrama_de_barras_button.Click();
        std::vector<std::string> m;
        for (const auto& x : s.mensagens) m.push_back(x.titulo + ": " + x.texto);
        return m;
    }
    const std::vector<std::string> recusadas = {"Aviso: Favor processar o projeto", "Aviso: Favor processar o projeto",
                                                "Aviso: favor processar o projeto"};

    void processar_uma_grade(int linhas, int colunas, Integer ciclo, const std::string& arquivo) {
        nome_do_arquivo.clear();
        limpar_rede(contexto());
        teste::montar_rede_em_grade(linhas, colunas, ciclo);
        teste::desenhar_a_rede(t());
        aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
        s.respostas_salvar = {arquivo};
        t().processar_button.Click();
        ASSERT_TRUE(s.mensagens.empty()) << s.mensagens.front().titulo << ": " << s.mensagens.front().texto;
        ASSERT_EQ(contexto().derivados.t_de_ciclo, ciclo);
    }

    // "Abrir" do arquivo dado, sem salvar o que estava aberto.
    void abrir(const std::string& arquivo) {
        s.respostas = {resposta_nao};
        s.respostas_abrir = {arquivo};
        t().arquivo_abrir_button.Click();
        ASSERT_EQ(nome_do_arquivo, arquivo);
    }

    // "Processar" com "Interromper  processamento" na primeira sondagem (o tempo de ciclo já
    // foi escolhido).
    void processar_e_interromper() {
        s.ao_processar_eventos = [this] {
            if (!parar_processamento) t().parar_processamento_button.Click();
        };
        t().processar_button.Click();
        s.ao_processar_eventos = nullptr;
        ASSERT_TRUE(parar_processamento);
        ASSERT_GE(contexto().derivados.t_de_ciclo, 1);  // o que a execução parada deixou
    }
};

// Uma rede pequena processada, aberta depois de processar uma maior: a cópia e a preparação das
// vistas não leem nada que sobrou da maior (um recebedor além do último link da pequena), e os
// resultados guardados no arquivo valem sem processar de novo.
TEST_F(vistas_da_rede_mudada, rede_processada_aberta_depois_de_outra_maior_grava_sem_erro) {
    teste::pasta_temporaria pasta;
    processar_uma_grade(1, 3, 55, pasta.arquivo("pequena.xml"));
    processar_uma_grade(3, 4, 90, pasta.arquivo("grande.xml"));
    s.respostas_abrir = {pasta.arquivo("pequena.xml")};
    t().arquivo_abrir_button.Click();
    ASSERT_EQ(contexto().derivados.t_de_ciclo, 55);
    EXPECT_TRUE(usar_as_vistas().empty());
    EXPECT_TRUE(frmDiagrama_de_barras_final_versao2().Visible);
    EXPECT_EQ(contexto().simulacao.fila_no_instante.limite1(), max_indice_link);
}

// Um link criado (sem dados), um nó eliminado e outro criado na mesma posição, um link
// eliminado, opções confirmadas, outro projeto: as vistas pedem que a rede seja processada de
// novo. Arrastar um nó não muda nada.
TEST_F(vistas_da_rede_mudada, mudanca_que_o_calculo_le_pede_processar_de_novo) {
    teste::pasta_temporaria pasta;
    processar_uma_grade(2, 3, 90, pasta.arquivo("grade.xml"));
    t().construir_button.Click();
    no_selecionado = 2;
    t().apoio_no_label(2).MouseDown(botao_esquerdo, 0, 100, 100);
    t().apoio_no_label(2).MouseMove(botao_esquerdo, 0, 400, 300);
    t().apoio_no_label(2).MouseUp(botao_esquerdo, 0, 400, 300);
    EXPECT_TRUE(usar_as_vistas().empty());
    frmDiagrama_de_barras_final_versao2().Unload();

    t().inserir_link_button.Click();
    EXPECT_EQ(usar_as_vistas(), recusadas);
    EXPECT_FALSE(rede_dinamica_unica().Visible);
    EXPECT_FALSE(frmDiagrama_de_barras_final_versao2().Visible);

    auto de_novo = [&] {
        nome_do_arquivo = pasta.arquivo("grade.xml");
        s.respostas = {resposta_nao};
        s.respostas_abrir = {pasta.arquivo("grade.xml")};
        t().arquivo_abrir_button.Click();
        ASSERT_TRUE(usar_as_vistas().empty());
        frmDiagrama_de_barras_final_versao2().Unload();
        t().construir_button.Click();
    };
    de_novo();
    s.respostas = {resposta_sim};
    no_selecionado = 1;
    t().eliminar_no_button.Click();
    t().inserir_no_button.Click();
    ASSERT_TRUE(existe_no(1));
    EXPECT_EQ(usar_as_vistas(), recusadas);

    de_novo();
    s.respostas = {resposta_sim};
    link_selecionado = 1;
    t().eliminar_link_button.Click();
    EXPECT_EQ(usar_as_vistas(), recusadas);

    de_novo();
    t().mnuEditarRede.Click();
    const Long antes = revisao_da_rede;
    opcoes_da_rede_unica().inserir_dados_button.Click();  // confirma e descarrega a janela
    ASSERT_GT(revisao_da_rede, antes);
    EXPECT_EQ(usar_as_vistas(), recusadas);
}

// Depois de um processamento interrompido as vistas recusam: nenhuma execução chegou ao fim para
// a rede como está, seja ela aberta de um arquivo sem resultados, seja processada antes. O arquivo
// que a execução parada salvou abre como não processado.
TEST_F(vistas_da_rede_mudada, processamento_interrompido_nao_deixa_plano_para_as_vistas) {
    teste::pasta_temporaria pasta;
    const std::string arquivo = pasta.arquivo("sem_resultados.xml");
    nome_do_arquivo.clear();
    limpar_rede(contexto());
    teste::montar_rede_em_grade(2, 3, 90);
    teste::desenhar_a_rede(t());
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    s.respostas_salvar = {arquivo};
    t().salvar_button.Click();
    abrir(arquivo);
    EXPECT_EQ(usar_as_vistas(), recusadas);
    processar_e_interromper();
    EXPECT_EQ(usar_as_vistas(), recusadas);
    EXPECT_FALSE(rede_dinamica_unica().Visible);
    EXPECT_FALSE(frmDiagrama_de_barras_final_versao2().Visible);
    abrir(arquivo);
    EXPECT_EQ(usar_as_vistas(), recusadas);

    // Uma rede processada até o fim e depois processada de novo com parada: o plano anterior
    // já foi apagado pela nova execução.
    s.mensagens.clear();
    processar_uma_grade(2, 3, 90, pasta.arquivo("processada.xml"));
    ASSERT_TRUE(usar_as_vistas().empty());
    frmDiagrama_de_barras_final_versao2().Unload();
    processar_e_interromper();
    EXPECT_EQ(usar_as_vistas(), recusadas);
}

// Uma rede mudada depois do processamento e salva (pela pergunta da validação que falha, ou ao
// fechar a janela principal) vai para o arquivo sem os resultados da rede de antes: aberta de
// novo, é uma rede não processada.
TEST_F(vistas_da_rede_mudada, rede_mudada_e_salva_vai_ao_arquivo_sem_os_resultados_de_antes) {
    teste::pasta_temporaria pasta;
    const std::string arquivo = pasta.arquivo("grade.xml");
    processar_uma_grade(2, 3, 90, arquivo);
    const std::string processado = teste::conteudo(arquivo);
    ASSERT_NE(processado.find("<t_ciclo_da_rede_rel>90<"), std::string::npos);
    ASSERT_EQ(processado.find("<data_rel/>"), std::string::npos);

    auto sem_resultados = [&](const char* quando) {
        SCOPED_TRACE(quando);
        const std::string salvo = teste::conteudo(arquivo);
        EXPECT_NE(salvo.find("<t_ciclo_da_rede_rel/>"), std::string::npos);
        EXPECT_NE(salvo.find("<atraso_rede_rel/>"), std::string::npos);
        EXPECT_NE(salvo.find("<data_rel/>"), std::string::npos);
        EXPECT_NE(salvo.find("<periodo_de_simulacao>0<"), std::string::npos);
        EXPECT_EQ(salvo.find("<quant_de_intervalos_depois_dado>2<"), std::string::npos);
        EXPECT_EQ(salvo.find("<eh_ciclo_duplo_rel>sim<"), std::string::npos);
        EXPECT_NE(salvo.find("<d1>-</d1>"), std::string::npos);
        EXPECT_EQ(salvo.find("<d1>1"), std::string::npos);
        EXPECT_NE(salvo.find("<periodo_de_verde_do_link1_rel>-<"), std::string::npos);
        EXPECT_NE(salvo.find("<fila_maxima_rel/>"), std::string::npos);
        abrir(arquivo);
        EXPECT_EQ(contexto().derivados.t_de_ciclo, 0);
        EXPECT_EQ(usar_as_vistas(), recusadas);
    };

    // Um nó eliminado, "Processar": a validação falha e "Sim" salva.
    t().construir_button.Click();
    s.respostas = {resposta_sim};
    no_selecionado = 2;
    t().eliminar_no_button.Click();
    ASSERT_FALSE(existe_no(2));
    s.mensagens.clear();
    s.resposta_padrao = resposta_sim;
    t().processar_button.Click();
    s.resposta_padrao = 0;
    ASSERT_FALSE(s.mensagens.empty());
    ASSERT_EQ(s.mensagens.back().texto, "você quer salvar o projeto?");
    EXPECT_FALSE(dados_ok);
    EXPECT_FALSE(projeto_alterado);
    sem_resultados("validação que falha");

    // Um link eliminado, a janela principal fechada e "Sim".
    teste::escrever(arquivo, processado);
    abrir(arquivo);
    ASSERT_TRUE(usar_as_vistas().empty());
    t().construir_button.Click();
    s.respostas = {resposta_sim};
    link_selecionado = 1;
    t().eliminar_link_button.Click();
    ASSERT_FALSE(existe_link(1));
    s.respostas = {resposta_sim};
    EXPECT_TRUE(t().Unload(0));
    EXPECT_TRUE(s.encerrado);
    sem_resultados("janela fechada");
}

// Cada mudança sozinha: um nó criado, um nó eliminado.
TEST_F(vistas_da_rede_mudada, no_criado_ou_eliminado_sozinho_pede_processar_de_novo) {
    teste::pasta_temporaria pasta;
    const std::string arquivo = pasta.arquivo("grade.xml");
    processar_uma_grade(2, 3, 90, arquivo);
    t().construir_button.Click();
    t().inserir_no_button.Click();
    EXPECT_EQ(usar_as_vistas(), recusadas);

    abrir(arquivo);
    ASSERT_TRUE(usar_as_vistas().empty());
    frmDiagrama_de_barras_final_versao2().Unload();
    t().construir_button.Click();
    s.respostas = {resposta_sim};
    no_selecionado = 2;
    t().eliminar_no_button.Click();
    ASSERT_FALSE(existe_no(2));
    EXPECT_EQ(usar_as_vistas(), recusadas);
}

}  // namespace
}  // namespace orvel
