#include <gtest/gtest.h>

#include <set>
#include <string>

#include "comum/janela_principal_de_teste.h"
#include "comum/veneno_no_contexto.h"
#include "editor/elementos_do_desenho.h"
#include "editor/janelas.h"
#include "modelo/estado_do_editor.h"

namespace orvel {
namespace {

using elementos_do_desenho = teste::com_janela_principal;

void espera_linha(const linha& l, Single x1, Single y1, Single x2, Single y2) {
    EXPECT_EQ(l.X1, x1);
    EXPECT_EQ(l.Y1, y1);
    EXPECT_EQ(l.X2, x2);
    EXPECT_EQ(l.Y2, y2);
}

TEST_F(elementos_do_desenho, posicao_livre_mais_baixa_e_o_maximo_que_fica) {
    for (int i = 0; i < 5; ++i) t().inserir_link_button_Click();
    EXPECT_EQ(link_selecionado, 5);
    for (int i = 0; i < 5; ++i) t().inserir_no_button_Click();
    EXPECT_EQ(link_selecionado, 0);  // criar um nó tira a seleção
    EXPECT_EQ(max_indice_link, 5);
    EXPECT_EQ(total_de_links_dado, 5);

    s.respostas = {resposta_sim, resposta_sim};
    link_selecionado = 2;
    t().eliminar_link_button_Click();
    no_selecionado = 2;
    t().mnuEliminarNoPop_Click();
    EXPECT_FALSE(existe_link(2));
    EXPECT_FALSE(t().corpo_link_line.carregado(2));
    EXPECT_FALSE(t().no_shape.carregado(2));
    EXPECT_EQ(max_indice_link, 5);
    EXPECT_EQ(total_de_links_dado, 4);

    t().mnuInserirLink_Click();
    EXPECT_EQ(link_selecionado, 2);
    t().mnuInserirNo_Click();
    EXPECT_TRUE(existe_link(2));
    EXPECT_TRUE(existe_no(2));
    EXPECT_EQ(max_indice_link, 5);
    EXPECT_EQ(max_indice_no, 5);
}

TEST_F(elementos_do_desenho, limites_de_50_nos_e_150_links) {
    for (int i = 0; i < 50; ++i) inserir_no();
    for (int i = 0; i < 150; ++i) inserir_link();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(total_de_nos_dado, 50);
    projeto_alterado = false;
    inserir_no();
    inserir_link();
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].texto, "o máximo número de nós de uma rede é 50");
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(s.mensagens[0].estilo, estilo_ok);
    EXPECT_EQ(s.mensagens[1].texto, "o máximo número de links de uma rede é 150");
    EXPECT_EQ(total_de_nos_dado, 50);
    EXPECT_EQ(total_de_links_dado, 150);
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(t().no_shape.indices().size(), 50u);
}

TEST_F(elementos_do_desenho, confirmacao_da_eliminacao_e_nao_muda_nada) {
    inserir_no();
    inserir_link();
    nome_do_link_dado(1) = "L1";
    no_selecionado = 1;
    projeto_alterado = false;
    t().editar_no_button_Click();  // mostra o editor de nó
    EXPECT_TRUE(frmEditarNo_versao2().Visible);
    frmEditarNo_versao2().Hide();  // deixar o editor desfaz a seleção
    EXPECT_EQ(no_selecionado, 0);
    no_selecionado = 1;
    s.respostas = {resposta_nao};
    t().eliminar_no_button_Click();
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "confirma a eliminação do nó  ?");  // nome vazio: dois brancos
    EXPECT_EQ(s.mensagens[0].estilo, estilo_sim_nao);
    EXPECT_TRUE(existe_no(1));
    EXPECT_FALSE(projeto_alterado);

    link_selecionado = 1;
    s.respostas = {resposta_nao};
    t().mnuEliminarLink_Click();
    EXPECT_EQ(s.mensagens.back().texto, "confirma a eliminação do link L1 ?");
    EXPECT_TRUE(existe_link(1));

    // Sem seleção, os três gêmeos não fazem nada.
    no_selecionado = 0;
    link_selecionado = 0;
    t().eliminar_no_button_Click();
    t().mnuEliminarNo_Click();
    t().mnuEliminarNoPop_Click();
    t().mnuEditarLinkPop_Click();
    EXPECT_EQ(s.mensagens.size(), 2u);
    EXPECT_FALSE(frmEditarLink_versao2().Visible);
}

TEST_F(elementos_do_desenho, eliminar_o_unico_no_mantem_o_maximo_e_limpa_os_dados) {
    inserir_no();
    inserir_no();
    no_selecionado = 2;
    nome_do_no_dado(2) = "Centro";
    quant_de_grupos_dado(2) = 3;
    nome_dos_links_do_grupo_dado(2, 8, 4) = "L9";
    cor_do_intervalo_do_grupo_dado(2, 1, 72) = 1;
    cor_do_intervalo_do_grupo_dado(2, 1, 73) = 2;
    existe_ordenada_dado(2, 40) = true;
    s.respostas = {resposta_sim, resposta_sim};
    eliminar_no();
    no_selecionado = 1;
    eliminar_no();
    EXPECT_EQ(total_de_nos_dado, 0);
    EXPECT_EQ(max_indice_no, 1);  // o último apagado não muda o máximo
    EXPECT_EQ(nome_do_no_dado(2), "");
    EXPECT_EQ(quant_de_grupos_dado(2), 0);
    EXPECT_EQ(nome_dos_links_do_grupo_dado(2, 8, 4), "");
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(2, 1, 72), 0);
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(2, 1, 73), 2);
    EXPECT_FALSE(existe_ordenada_dado(2, 40));
    EXPECT_EQ(no_selecionado, 0);
    EXPECT_FALSE(t().Label2.Visible);
    EXPECT_EQ(t().Label2.Left, 10440.0f);
    inserir_no();
    EXPECT_EQ(max_indice_no, 1);
}

TEST_F(elementos_do_desenho, geometria_padrao_dos_dois_tipos_de_link_e_do_no) {
    inserir_no();
    const forma& c = t().no_shape(1);
    EXPECT_EQ(c.Left, 200.0f);
    EXPECT_EQ(c.Top, 800.0f);
    EXPECT_EQ(c.Width, 480.0f);
    EXPECT_TRUE(c.Visible);
    const rotulo& r = t().apoio_no_label(1);
    EXPECT_EQ(r.Left, 270.0f);
    EXPECT_EQ(r.Top, 870.0f);
    EXPECT_EQ(r.Width, 340.0f);
    EXPECT_EQ(r.FontName, "Small Fonts");
    EXPECT_EQ(x_do_no(1), 240);
    EXPECT_EQ(no_selecionado, 0);

    t().inserir_link_button_Click();
    espera_linha(t().corpo_link_line(1), 100, 800, 1100, 800);
    espera_linha(t().esquerda_seta_line(1), 1005, 745, 1100, 800);
    espera_linha(t().direita_seta_line(1), 1005, 855, 1100, 800);
    EXPECT_FALSE(t().braco_link_line(1).Visible);
    EXPECT_FALSE(t().etiqueta_link_label(1).Visible);
    EXPECT_EQ(t().etiqueta_link_label(1).Left, 330.0f);
    EXPECT_EQ(t().Shape2.Left, 48.0f);
    EXPECT_EQ(t().Shape2.Top, 748.0f);
    EXPECT_EQ(t().Shape3.Left, 1048.0f);
    EXPECT_EQ(t().Shape3.Top, 748.0f);
    EXPECT_TRUE(t().Shape3.Visible);
    EXPECT_FALSE(eh_link_conversao(1));

    no_selecionado = 1;
    t().mnuInserirLinkConversao_Click();
    EXPECT_EQ(no_selecionado, 0);  // criar um link tira a seleção do nó
    espera_linha(t().corpo_link_line(2), 100, 950, 900, 950);
    espera_linha(t().braco_link_line(2), 900, 950, 1112, 738);
    espera_linha(t().esquerda_seta_line(2), 1006, 766, 1112, 738);
    espera_linha(t().direita_seta_line(2), 1084, 844, 1112, 738);
    EXPECT_TRUE(t().braco_link_line(2).Visible);
    EXPECT_EQ(t().Shape2.Left, 48.0f);
    EXPECT_EQ(t().Shape2.Top, 898.0f);
    EXPECT_EQ(t().Shape3.Left, 848.0f);
    EXPECT_TRUE(eh_link_conversao(2));
    EXPECT_TRUE(projeto_alterado);
}

TEST_F(elementos_do_desenho, esconder_marcas_mantem_as_selecoes_e_encerra_o_arrasto) {
    inserir_link();
    no_selecionado = 3;
    arrastando_link = true;
    t().Label3.Visible = true;
    t().Label3.Left = 500;
    esconder_marcas_de_selecao();
    EXPECT_FALSE(arrastando_link);
    EXPECT_EQ(link_selecionado, 1);
    EXPECT_EQ(no_selecionado, 3);
    EXPECT_FALSE(t().Shape2.Visible);
    EXPECT_EQ(t().Shape2.Left, 48.0f);  // escondida onde estava
    EXPECT_EQ(t().Label3.Left, 10440.0f);
    EXPECT_FALSE(t().Label3.Visible);
}

// Veneno em todo o contexto: eliminar um nó ou um link esvazia a sua posição nas listas de
// campos dos nós ou dos links (na rede dada, os intervalos até o ciclo duplo; no desenho e nas
// cópias de edição do nó, todos), nunca o índice 0 de outra dimensão nem outra posição; o resto fica.
TEST_F(elementos_do_desenho, eliminar_esvazia_so_a_posicao_pelas_listas_de_campos) {
#define ORVEL_NOME_DO_CAMPO(grupo) [](const char* prefixo) {                      \
    std::set<std::string> v;                                                     \
    grupo(ORVEL_NOME_DO_CAMPO_X) return v;                                       \
}
#define ORVEL_NOME_DO_CAMPO_X(nome, ...) v.insert(std::string(prefixo) + #nome);
    const auto do_no = ORVEL_NOME_DO_CAMPO(ORVEL_CAMPOS_DOS_NOS_DADOS)("rede.");
    const auto do_no_editado = ORVEL_NOME_DO_CAMPO(ORVEL_CAMPOS_DOS_NOS_EDITADOS)("edicao.");
    const auto do_link = ORVEL_NOME_DO_CAMPO(ORVEL_CAMPOS_DOS_LINKS_DADOS)("rede.");
    const auto do_desenho_do_no = ORVEL_NOME_DO_CAMPO(ORVEL_CAMPOS_DO_DESENHO_DOS_NOS)("desenho.");
    const auto do_desenho_do_link = ORVEL_NOME_DO_CAMPO(ORVEL_CAMPOS_DO_DESENHO_DOS_LINKS)("desenho.");
#undef ORVEL_NOME_DO_CAMPO_X
#undef ORVEL_NOME_DO_CAMPO
    ASSERT_TRUE(do_no.count("rede.cor_do_intervalo_do_grupo_dado") && do_link.count("rede.valor_do_fornecimento_dado"));
    const std::set<std::string> contas{"rede.existe_no",     "rede.existe_link",     "rede.total_de_nos_dado",
                                       "rede.total_de_links_dado", "rede.max_indice_no", "rede.max_indice_link",
                                       "projeto.projeto_alterado", "projeto.revisao_da_rede", "editor.no_selecionado",
                                       "editor.link_selecionado"};
    for (int i = 0; i < 3; ++i) {
        inserir_no();
        inserir_link();
    }
    const int posicao = 2;
    auto regra = [&](const std::set<std::string>& dados, const std::set<std::string>& editados) {
        return [&](const std::string& campo, const int* i, std::size_t dimensoes) {
            if (contas.count(campo)) return teste::esperado::qualquer;
            const bool dado = dados.count(campo) > 0;
            if (!dado && editados.count(campo) == 0) return teste::esperado::veneno;
            if (i[0] != posicao) return teste::esperado::veneno;
            for (std::size_t k = 1; k < dimensoes; ++k) {
                if (i[k] == 0) return teste::esperado::veneno;
                const bool de_intervalo = campo.find("cor_do_intervalo") != std::string::npos ||
                                          campo.find("duracao_imposta") != std::string::npos;
                if (dado && de_intervalo && k == dimensoes - 1 && i[k] > 72) return teste::esperado::veneno;
            }
            return teste::esperado::vazio;
        };
    };

    teste::envenenar_o_contexto(contexto());
    no_selecionado = posicao;
    s.respostas = {resposta_sim};
    eliminar_no();
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_FALSE(existe_no(posicao));
    std::set<std::string> editados_do_no = do_no_editado;
    editados_do_no.insert(do_desenho_do_no.begin(), do_desenho_do_no.end());
    teste::conferir_o_contexto(contexto(), regra(do_no, editados_do_no));

    teste::envenenar_o_contexto(contexto());
    link_selecionado = posicao;
    s.respostas = {resposta_sim};
    eliminar_link();
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_FALSE(existe_link(posicao));
    teste::conferir_o_contexto(contexto(), regra(do_link, do_desenho_do_link));
}

}  // namespace
}  // namespace orvel
