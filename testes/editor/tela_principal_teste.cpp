#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "comum/janela_principal_de_teste.h"
#include "comum/veneno_no_contexto.h"
#include "editor/janelas.h"
#include "editor/tela_principal.h"
#include "modelo/estado_do_editor.h"
#include "editor/estado_dos_comandos.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel {
namespace {

using carga_da_tela_principal = teste::com_janela_principal;

TEST_F(carga_da_tela_principal, barra_de_ferramentas_em_twips_a_96_dpi) {
    EXPECT_EQ(twips_por_pixel_x, 15);
    EXPECT_EQ(t().Width, 12000.0f);
    EXPECT_EQ(t().Height, 12000.0f);
    EXPECT_EQ(t().Left, 0.0f);
    EXPECT_EQ(t().Top, 0.0f);
    const int lefts_px[] = {30, 66, 102, 138, 204, 240, 306, 342, 378, 414, 450, 486, 552, 588, 654, 690, 726};
    int i = 0;
    for (const auto& [botao, primeiro] : t().ordem_da_barra()) {
        EXPECT_EQ(botao->Left, static_cast<Single>(lefts_px[i] * 15)) << botao->nome();
        EXPECT_EQ(botao->Width, 540.0f);
        EXPECT_EQ(botao->Height, 525.0f);
        EXPECT_EQ(botao->Top, 40.0f);
        ++i;
    }
    EXPECT_EQ(i, 17);
    EXPECT_EQ(t().Label7.Height, 585.0f);
    EXPECT_EQ(t().Label7.Width, 12400.0f);
    EXPECT_EQ(t().Line9.Y1, 590.0f);
    EXPECT_EQ(t().Line9.Y2, 590.0f);
    EXPECT_EQ(t().Label1.Left, 3354.0f);
    EXPECT_EQ(t().Label1.Top, 800.0f);
    EXPECT_TRUE(t().Label1.Visible);
    EXPECT_EQ(t().parar_processamento_button.Caption, "Interromper  processamento");
    EXPECT_EQ(t().BackColor, rgb(242, 242, 242));
    EXPECT_TRUE(desenhando);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(carga_da_tela_principal, twips_por_pixel_fracionario_arredonda_metade_para_o_par) {
    destruir_todas_as_janelas();
    tela().TwipsPerPixelX = 12.5f;  // 115,2 dpi
    tela().TwipsPerPixelY = 13.5f;
    tela_principal_completa();
    EXPECT_EQ(twips_por_pixel_x, 12);
    EXPECT_EQ(twips_por_pixel_y, 14);
    EXPECT_EQ(t().arquivo_novo_button.Left, 360.0f);
    EXPECT_EQ(t().arquivo_novo_button.Height, 490.0f);
    EXPECT_EQ(t().Label7.Height, 546.0f);
}

TEST_F(carga_da_tela_principal, as_sete_outras_janelas_carregadas_uma_vez_escondidas_e_tituladas) {
    const std::vector<std::string> nomes = {"frmTela_principal_versao2",  "frmDiagrama_de_barras_final_versao2",
                                            "frmEditarLink_versao2",      "frmEditarNo_versao2",
                                            "frmNome_da_rede_versao2",    "frmRede_dinamica_versao2",
                                            "frmRede_versao2",            "frmBrowse"};
    std::vector<std::string> carregadas;
    for (formulario* f : janelas_carregadas()) carregadas.push_back(f->nome());
    EXPECT_EQ(carregadas, nomes);
    for (formulario* f : janelas_carregadas()) {
        EXPECT_EQ(f->Caption, "ORVEL - Belmarco QRT") << f->nome();
        EXPECT_EQ(f->Visible, false) << f->nome();
    }
    // O relatório copiou a posição e o tamanho da janela principal ao carregar.
    EXPECT_EQ(frmBrowse().Width, 12000.0f);
}

// Um programa que acaba de começar, antes de a janela principal dar título às outras, tem o
// título do produto: é o que uma janela carregada antes dela toma.
TEST(titulo_das_janelas, o_do_produto_antes_do_primeiro) {
    destruir_todas_as_janelas();
    EXPECT_EQ(titulo_das_janelas(), "ORVEL - Belmarco QRT");
    EXPECT_EQ(frmNome_da_rede_versao2().Caption, "ORVEL - Belmarco QRT");
    EXPECT_FALSE(tela_principal_carregada());
    destruir_todas_as_janelas();
}

TEST_F(carga_da_tela_principal, estado_inicial_dos_comandos) {
    for (const char* e : {"arquivo_fechar_button", "mnuFechar", "salvar_button", "mnuSalvar", "mnuSalvar_como", "mnuRede",
                          "arquivo_novo_button", "arquivo_abrir_button", "mnuProjetos", "mnuNovo", "mnuAbrir",
                          "mnuConfigurar", "mnuSair", "mnuNomeRede", "mnuEditarRede", "mnuAjuda"})
        EXPECT_TRUE(t().controle_chamado(e)->Enabled) << e;
    for (const char* d :
         {"mnuImprimir", "mnuEncerrarDesenho", "terminar_construcao_button", "mnuDesenhar", "construir_button", "mnuNo",
          "mnuInserirNo", "inserir_no_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEliminarNo",
          "eliminar_no_button", "mnuEliminarNoPop", "mnuLink", "mnuInserirLink", "mnuInserirLinkConversao",
          "inserir_link_button", "mnuEditarLink", "editar_link_button", "mnuEditarLinkPop", "mnuEliminarLink",
          "eliminar_link_button", "mnuEliminarLinkPop", "processar_button", "parar_processamento_button", "mnuRelatorio",
          "relatorio_tela_button", "mnuDiagrama_de_barras", "relatorio_diagrama_de_barras_button", "mnuRede_dinamica",
          "tela_dinamica_button"})
        EXPECT_FALSE(t().controle_chamado(d)->Enabled) << d;
}

// --- Tabela de estados dos comandos ---

using colunas_de_comandos = teste::com_janela_principal;

TEST_F(colunas_de_comandos, cada_coluna_a_partir_de_tudo_habilitado_e_de_tudo_desabilitado) {
    // Cada coluna escrita à parte: os controles que ela habilita e os que desabilita; todo
    // controle fora das duas listas fica como estava.
    struct coluna_esperada {
        coluna_de_comandos coluna;
        std::vector<std::string> habilitados;
        std::vector<std::string> desabilitados;
    };
    const std::vector<coluna_esperada> colunas = {
        {coluna_de_comandos::carregar,
         {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como", "mnuRede"},
         {"mnuDesenhar", "construir_button", "mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo",
          "inserir_no_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "mnuInserirLinkConversao",
          "inserir_link_button", "mnuEditarLink", "mnuEditarLinkPop", "editar_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button", "processar_button", "parar_processamento_button",
          "relatorio_tela_button", "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuNo",
          "mnuLink", "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica"}},
        {coluna_de_comandos::novo,
         {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como", "mnuImprimir",
          "mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "mnuInserirLinkConversao",
          "inserir_link_button", "mnuEliminarLink", "mnuEliminarLinkPop", "eliminar_link_button",
          "processar_button", "mnuRede", "mnuNo", "mnuLink"},
         {"mnuDesenhar", "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button", "parar_processamento_button", "relatorio_tela_button",
          "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuRelatorio", "mnuDiagrama_de_barras",
          "mnuRede_dinamica"}},
        {coluna_de_comandos::desenhar,
         {"mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "inserir_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button", "mnuNo", "mnuLink"},
         {"mnuDesenhar", "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button"}},
        {coluna_de_comandos::encerrar,
         {"mnuDesenhar", "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button", "mnuNo", "mnuLink"},
         {"mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "inserir_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button"}},
        {coluna_de_comandos::fechar,
         {},
         {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como", "mnuImprimir",
          "mnuDesenhar", "construir_button", "mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo",
          "inserir_no_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "mnuInserirLinkConversao",
          "inserir_link_button", "mnuEditarLink", "mnuEditarLinkPop", "editar_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button", "processar_button", "parar_processamento_button",
          "relatorio_tela_button", "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuRede",
          "mnuNo", "mnuLink", "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica"}},
        {coluna_de_comandos::abrir,
         {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como", "mnuImprimir",
          "mnuDesenhar", "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button", "processar_button", "relatorio_tela_button",
          "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuRede", "mnuNo", "mnuLink",
          "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica"},
         {"mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "inserir_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button", "parar_processamento_button"}},
        {coluna_de_comandos::parada,
         {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como", "mnuImprimir",
          "mnuDesenhar", "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button", "processar_button", "relatorio_tela_button",
          "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuRede", "mnuNo", "mnuLink",
          "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica"},
         {"mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "inserir_link_button", "mnuEliminarLink",
          "mnuEliminarLinkPop", "eliminar_link_button", "parar_processamento_button"}},
        {coluna_de_comandos::parar,
         {"arquivo_fechar_button", "salvar_button", "arquivo_novo_button", "arquivo_abrir_button", "mnuDesenhar",
          "construir_button", "mnuEditarNo", "mnuEditarNoPop", "editar_no_button", "mnuEditarLink",
          "mnuEditarLinkPop", "editar_link_button", "processar_button", "relatorio_tela_button",
          "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuProjetos", "mnuRede", "mnuNo",
          "mnuLink", "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica", "mnuAjuda"},
         {"mnuEncerrarDesenho", "terminar_construcao_button", "mnuInserirNo", "inserir_no_button", "mnuEliminarNo",
          "mnuEliminarNoPop", "eliminar_no_button", "mnuInserirLink", "mnuInserirLinkConversao",
          "inserir_link_button", "mnuEliminarLink", "mnuEliminarLinkPop", "eliminar_link_button",
          "parar_processamento_button"}},
        {coluna_de_comandos::processar1,
         {"parar_processamento_button"},
         {"arquivo_fechar_button", "salvar_button", "arquivo_novo_button", "arquivo_abrir_button",
          "construir_button", "terminar_construcao_button", "inserir_no_button", "editar_no_button",
          "eliminar_no_button", "inserir_link_button", "editar_link_button", "eliminar_link_button",
          "processar_button", "relatorio_tela_button", "relatorio_diagrama_de_barras_button",
          "tela_dinamica_button", "mnuProjetos", "mnuRede", "mnuNo", "mnuLink", "mnuRelatorio",
          "mnuDiagrama_de_barras", "mnuRede_dinamica", "mnuAjuda"}},
        {coluna_de_comandos::processar2,
         {"arquivo_fechar_button", "salvar_button", "arquivo_novo_button", "arquivo_abrir_button",
          "terminar_construcao_button", "inserir_no_button", "eliminar_no_button", "inserir_link_button",
          "eliminar_link_button", "processar_button", "relatorio_tela_button",
          "relatorio_diagrama_de_barras_button", "tela_dinamica_button", "mnuProjetos", "mnuRede", "mnuNo",
          "mnuLink", "mnuRelatorio", "mnuDiagrama_de_barras", "mnuRede_dinamica", "mnuAjuda"},
         {"parar_processamento_button"}},
        {coluna_de_comandos::nome,
         {"mnuSalvar", "salvar_button", "mnuSalvar_como"},
         {}},
    };
    ASSERT_EQ(colunas.size(), 11u);
    for (const auto& esperada : colunas) {
        const int k = static_cast<int>(esperada.coluna);
        for (bool partida : {true, false}) {
            for (controle* c : t().controles()) c->Enabled = partida;
            aplicar_coluna_de_comandos(esperada.coluna);
            for (controle* c : t().controles()) {
                const auto& hab = esperada.habilitados;
                const auto& des = esperada.desabilitados;
                const bool em_hab = std::find(hab.begin(), hab.end(), c->nome()) != hab.end();
                const bool em_des = std::find(des.begin(), des.end(), c->nome()) != des.end();
                const bool esperado = em_hab ? true : em_des ? false : partida;
                EXPECT_EQ(c->Enabled, esperado) << c->nome() << " coluna " << k;
            }
            for (const auto& nome : esperada.habilitados) EXPECT_NE(t().controle_chamado(nome), nullptr) << nome;
            for (const auto& nome : esperada.desabilitados) EXPECT_NE(t().controle_chamado(nome), nullptr) << nome;
        }
    }
}

TEST_F(colunas_de_comandos, parada_e_abrir_conferem_com_as_suas_listas) {
    // O ramo de parada e a abertura de um projeto dão as suas próprias listas de estados.
    const std::vector<std::pair<const char*, bool>> parada = {
        {"mnuFechar", true},          {"arquivo_fechar_button", true},      {"mnuSalvar", true},
        {"salvar_button", true},      {"mnuSalvar_como", true},             {"mnuImprimir", true},
        {"mnuRede", true},            {"mnuEncerrarDesenho", false},        {"terminar_construcao_button", false},
        {"mnuDesenhar", true},        {"construir_button", true},           {"mnuNo", true},
        {"mnuInserirNo", false},      {"inserir_no_button", false},         {"mnuEditarNo", true},
        {"editar_no_button", true},   {"mnuEditarNoPop", true},             {"mnuEliminarNo", false},
        {"eliminar_no_button", false}, {"mnuEliminarNoPop", false},         {"mnuLink", true},
        {"mnuInserirLink", false},    {"inserir_link_button", false},       {"mnuEditarLink", true},
        {"editar_link_button", true}, {"mnuEditarLinkPop", true},           {"mnuEliminarLink", false},
        {"eliminar_link_button", false}, {"mnuEliminarLinkPop", false},     {"processar_button", true},
        {"parar_processamento_button", false}, {"mnuRelatorio", true},      {"relatorio_tela_button", true},
        {"mnuDiagrama_de_barras", true}, {"relatorio_diagrama_de_barras_button", true},
        {"mnuRede_dinamica", true},   {"tela_dinamica_button", true}};
    for (controle* c : t().controles()) c->Enabled = true;
    t().mnuInserirLinkConversao.Enabled = false;
    aplicar_coluna_de_comandos(coluna_de_comandos::parada);
    for (const auto& [nome, e] : parada) EXPECT_EQ(t().controle_chamado(nome)->Enabled, e) << nome;
    EXPECT_FALSE(t().mnuInserirLinkConversao.Enabled);  // fora da lista: como estava
    EXPECT_TRUE(t().mnuNovo.Enabled);

    for (controle* c : t().controles()) c->Enabled = false;
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    for (const char* e : {"mnuFechar", "arquivo_fechar_button", "mnuSalvar", "salvar_button", "mnuSalvar_como",
                          "mnuImprimir", "mnuRede", "mnuDesenhar", "construir_button", "mnuNo", "mnuEditarNo",
                          "editar_no_button", "mnuEditarNoPop", "mnuLink", "mnuEditarLink", "editar_link_button",
                          "mnuEditarLinkPop", "processar_button", "mnuRelatorio", "relatorio_tela_button",
                          "mnuDiagrama_de_barras", "relatorio_diagrama_de_barras_button", "mnuRede_dinamica",
                          "tela_dinamica_button"})
        EXPECT_TRUE(t().controle_chamado(e)->Enabled) << e;
    EXPECT_FALSE(t().mnuInserirLinkConversao.Enabled);
    EXPECT_FALSE(t().arquivo_novo_button.Enabled);
}

// A carga esvazia, de cada posição de nó e de link, os campos das listas dos nós e dos links nas
// cópias de edição e nas de trabalho (até o ciclo duplo nos intervalos).
TEST_F(carga_da_tela_principal, esvazia_as_posicoes_pelas_listas_de_campos) {
#define ORVEL_NOME_DO_CAMPO(prefixo_, grupo) [] {  \
    const std::string prefixo = prefixo_;        \
    std::set<std::string> v;                     \
    grupo(ORVEL_NOME_DO_CAMPO_X) return v;       \
}()
#define ORVEL_NOME_DO_CAMPO_X(nome, ...) v.insert(prefixo + #nome);
    std::set<std::string> campos = ORVEL_NOME_DO_CAMPO(std::string("edicao."), ORVEL_CAMPOS_DOS_NOS_EDITADOS);
    campos.merge(ORVEL_NOME_DO_CAMPO(std::string("edicao."), ORVEL_CAMPOS_DOS_LINKS_EDITADOS));
    campos.merge(ORVEL_NOME_DO_CAMPO(std::string("copias."), ORVEL_CAMPOS_DOS_NOS_COPIADOS));
    campos.merge(ORVEL_NOME_DO_CAMPO(std::string("copias."), ORVEL_CAMPOS_DOS_LINKS_COPIADOS));
#undef ORVEL_NOME_DO_CAMPO_X
#undef ORVEL_NOME_DO_CAMPO
    ASSERT_TRUE(campos.count("copias.existe_ordenada") && campos.count("edicao.valor_do_fornecimento_editado"));
    destruir_todas_as_janelas();
    teste::envenenar_o_contexto(contexto());
    tela() = dados_da_tela{};
    tela_principal_completa();
    teste::conferir_o_contexto(contexto(), [&](const std::string& campo, const int* i, std::size_t dimensoes) {
        if (!campos.count(campo)) return teste::esperado::qualquer;
        // A borda direita da régua é do editor de nó, carregado com a janela principal.
        if (campo.find("existe_ordenada") != std::string::npos && i[1] == max_colunas) return teste::esperado::qualquer;
        for (std::size_t k = 0; k < dimensoes; ++k) {
            if (i[k] == 0) return teste::esperado::qualquer;  // a limpeza do cálculo, na carga
            const bool de_intervalo =
                campo.find("cor_do_intervalo") != std::string::npos || campo.find("duracao_imposta") != std::string::npos;
            if (de_intervalo && k == dimensoes - 1 && i[k] > 72) return teste::esperado::veneno;
        }
        return teste::esperado::vazio;
    });
    recomecar(contexto());
}

}  // namespace
}  // namespace orvel
