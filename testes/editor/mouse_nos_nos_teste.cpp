#include <gtest/gtest.h>

#include "comum/janela_principal_de_teste.h"
#include "editor/elementos_do_desenho.h"
#include "modelo/estado_do_editor.h"

namespace orvel {
namespace {

class mouse_nos_nos : public teste::com_janela_principal {
protected:
    void SetUp() override {
        com_janela_principal::SetUp();
        execucao_em_curso = false;
        for (int n = 0; n <= max_nos; ++n) no_em_arrasto(n) = false;
    }
    // Pelos eventos ligados aos controles, como a tela os chama.
    rotulo& rotulo_do_no(int n) { return t().apoio_no_label(n); }
    void apertar(int n, Integer b = botao_esquerdo) { rotulo_do_no(n).MouseDown(b, 0, 100, 100); }
    void arrastar(int n, Single x, Single y) { rotulo_do_no(n).MouseMove(botao_esquerdo, 0, x, y); }
    void soltar(int n, Integer b = botao_esquerdo) { rotulo_do_no(n).MouseUp(b, 0, 100, 100); }
    // Arrasta a alça até o seu ponto de referência ficar em (x, y).
    void alca_em(rotulo& alca, Single x, Single y) { alca.MouseMove(botao_esquerdo, 0, x - alca.Left, y - alca.Top); }
    int no_novo() {
        inserir_no();
        return max_indice_no;
    }
};

void espera_pos(const controle_retangular& c, Single left, Single top) {
    EXPECT_NEAR(c.Left, left, 0.006);
    EXPECT_NEAR(c.Top, top, 0.006);
}

TEST_F(mouse_nos_nos, clique_sem_movimento_mostra_as_alcas_e_guarda_o_centro) {
    auto& j = t();
    t().inserir_link_button_Click();  // link selecionado com os quadrados à vista
    const int n = no_novo();
    nome_do_no_dado(n) = "N1";
    apertar(n);
    EXPECT_EQ(no_selecionado, n);
    EXPECT_EQ(link_selecionado, 1);
    EXPECT_FALSE(j.Shape2.Visible || j.Shape3.Visible);
    espera_pos(j.Shape3, left_estacionado, top_estacionado);
    EXPECT_TRUE(rotulo_do_no(n).Caption == "");
    soltar(n);
    espera_pos(j.Label2, 148, 748);
    espera_pos(j.Label3, 628, 748);
    espera_pos(j.Label4, 148, 1228);
    espera_pos(j.Label5, 628, 1228);
    for (rotulo* a : {&j.Label2, &j.Label3, &j.Label4, &j.Label5}) EXPECT_TRUE(a->Visible);
    espera_pos(rotulo_do_no(n), 270, 870);
    EXPECT_EQ(x_do_no(n), 440);
    EXPECT_EQ(y_do_no(n), 1040);
    EXPECT_TRUE(rotulo_do_no(n).Caption == "N1");
}

TEST_F(mouse_nos_nos, arrasto_com_linhas_guia_e_o_circulo_um_movimento_atras) {
    auto& j = t();
    const int n = no_novo();
    apertar(n);
    soltar(n);
    projeto_alterado = false;
    apertar(n);
    arrastar(n, 200, 200);
    espera_pos(rotulo_do_no(n), 300, 900);
    espera_pos(j.no_shape(n), 200, 800);
    EXPECT_TRUE(j.Line1.Visible && j.Line2.Visible);
    EXPECT_EQ(j.Line1.Y1, 1040);
    EXPECT_EQ(j.Line1.Y2, 1040);
    EXPECT_EQ(j.Line2.X1, 440);
    EXPECT_EQ(j.Line2.X2, 440);
    EXPECT_FALSE(j.Label2.Visible || j.Label5.Visible);
    EXPECT_TRUE(projeto_alterado);
    arrastar(n, 170, 170);
    espera_pos(rotulo_do_no(n), 300, 900);
    espera_pos(j.no_shape(n), 230, 830);
    soltar(n);
    EXPECT_FALSE(j.Line1.Visible || j.Line2.Visible);
    espera_pos(rotulo_do_no(n), 300, 900);
    EXPECT_EQ(x_do_no(n), 470);
    EXPECT_EQ(y_do_no(n), 1070);

    // Uma tela larga: posições além de 32767 twips são guardadas sem estouro.
    apertar(n);
    arrastar(n, 40000, 170);
    arrastar(n, 170, 170);
    soltar(n);
    EXPECT_EQ(x_do_no(n), 40300);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_TRUE(teste::desenho_da_rede_como_nos_controles());
}

TEST_F(mouse_nos_nos, alca_muda_o_raio_em_volta_do_centro_guardado) {
    auto& j = t();
    const int n = no_novo();
    apertar(n);
    soltar(n);
    projeto_alterado = false;
    j.Label5.MouseDown(botao_esquerdo, 0, 52, 52);
    EXPECT_EQ(j.MousePointer, ponteiro_cruz);
    alca_em(j.Label5, 740, 1040);
    EXPECT_EQ(raio_do_no(n), 300);
    EXPECT_EQ(j.no_shape(n).Width, 600);
    EXPECT_EQ(j.no_shape(n).Height, 600);
    espera_pos(j.no_shape(n), 140, 740);
    EXPECT_NEAR(rotulo_do_no(n).Width, 424.26, 0.001);
    EXPECT_NEAR(rotulo_do_no(n).Height, 424.26, 0.001);
    espera_pos(rotulo_do_no(n), 227.87f, 827.87f);
    for (rotulo* a : {&j.Label2, &j.Label3, &j.Label4, &j.Label5}) EXPECT_FALSE(a->Visible);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(x_do_no(n), 440);  // o centro não se move
    // Metade para o par; qualquer alça usa a mesma regra.
    alca_em(j.Label5, 740.5f, 1040);
    EXPECT_EQ(raio_do_no(n), 300);
    alca_em(j.Label2, 440, 1040 - 301.5f);
    EXPECT_EQ(raio_do_no(n), 302);
    EXPECT_TRUE(teste::desenho_da_rede_como_nos_controles());
    j.Label2.MouseUp(botao_esquerdo, 0, 0, 0);
    EXPECT_EQ(j.MousePointer, ponteiro_padrao);

    // Alças à vista sem nó selecionado: o movimento não muda nada.
    soltar(n);
    no_selecionado = 0;
    alca_em(j.Label3, 5000, 5000);
    EXPECT_EQ(raio_do_no(n), 302);
    EXPECT_TRUE(j.Label3.Visible);
}

// Uma alça só muda o nó em volta do qual foi posta, mesmo que outro nó tenha sido
// selecionado depois pelo botão direito.
TEST_F(mouse_nos_nos, alca_so_muda_o_no_para_o_qual_foi_posta) {
    auto& j = t();
    const int a = no_novo();
    const int b = no_novo();
    j.no_shape(b).Left = 3000;
    rotulo_do_no(b).Left = 3070;
    apertar(a);
    soltar(a);
    soltar(b, botao_direito);
    ASSERT_EQ(no_selecionado, b);
    alca_em(j.Label5, 740, 1040);
    EXPECT_EQ(raio_do_no(a), 300);
    EXPECT_EQ(j.no_shape(a).Width, 600);
    espera_pos(j.no_shape(a), 140, 740);
    EXPECT_EQ(raio_do_no(b), 240);
    EXPECT_EQ(j.no_shape(b).Width, 480);
    espera_pos(j.no_shape(b), 3000, 800);
    espera_pos(rotulo_do_no(b), 3070, 870);
}

TEST_F(mouse_nos_nos, ponteiros_sem_botao_e_o_menu_do_botao_direito) {
    struct menus : observador_de_formularios {
        std::vector<std::string> mostrados;
        menus() { instalar_observador_de_formularios(this); }
        ~menus() override { instalar_observador_de_formularios(nullptr); }
        void mostrar_menu_suspenso(formulario&, item_de_menu& m) override { mostrados.push_back(m.nome()); }
    } menus_mostrados;
    auto& j = t();
    const int n = no_novo();
    rotulo_do_no(n).MouseMove(0, 0, 10, 10);
    EXPECT_EQ(j.MousePointer, ponteiro_quatro_setas);
    j.Label4.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(j.MousePointer, ponteiro_diagonal);

    link_selecionado = 7;
    apertar(n, botao_direito);
    EXPECT_EQ(no_selecionado, 0);
    EXPECT_FALSE(no_em_arrasto(n));
    EXPECT_TRUE(menus_mostrados.mostrados.empty());
    soltar(n, botao_direito);
    EXPECT_EQ(no_selecionado, n);
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_EQ(menus_mostrados.mostrados, std::vector<std::string>{"mnuNospop"});
}

TEST_F(mouse_nos_nos, fora_do_desenho_e_durante_um_processamento_so_seleciona) {
    auto& j = t();
    const int n = no_novo();
    for (bool processamento : {false, true}) {
        desenhando = processamento;  // fora do modo de desenho; depois desenhando, mas processando
        execucao_em_curso = processamento;
        projeto_alterado = false;
        apertar(n);
        arrastar(n, 900, 900);
        soltar(n);
        EXPECT_TRUE(j.Label2.Visible);
        alca_em(j.Label5, 3000, 3000);
        espera_pos(rotulo_do_no(n), 270, 870);
        espera_pos(j.no_shape(n), 200, 800);
        EXPECT_EQ(j.no_shape(n).Width, 480);
        EXPECT_EQ(no_selecionado, n);
        EXPECT_FALSE(projeto_alterado);
    }
    execucao_em_curso = false;
    // Fora do desenho o arrasto não começa; durante o processamento ele e a alça dizem por quê.
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>(2, "Aguarde o fim do processamento"));
}

}  // namespace
}  // namespace orvel
