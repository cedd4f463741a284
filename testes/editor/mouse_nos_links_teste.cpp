#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "comum/janela_principal_de_teste.h"
#include "comum/recursos_do_programa.h"
#include "editor/elementos_do_desenho.h"
#include "modelo/estado_do_editor.h"
#include "modelo/valores_da_animacao.h"

namespace orvel {
namespace {

// Registra os menus suspensos mostrados e escolhe um item, como o usuário faria.
struct menus_de_teste : observador_de_formularios {
    std::vector<std::string> mostrados;
    std::function<void(item_de_menu&)> ao_mostrar;
    menus_de_teste() { instalar_observador_de_formularios(this); }
    ~menus_de_teste() override { instalar_observador_de_formularios(nullptr); }
    void mostrar_menu_suspenso(formulario&, item_de_menu& menu) override {
        mostrados.push_back(menu.nome());
        if (ao_mostrar) ao_mostrar(menu);
    }
};

class mouse_nos_links : public teste::com_janela_principal {
protected:
    void SetUp() override {
        com_janela_principal::SetUp();
        esconder_marcas_de_selecao();
        processando = false;
        execucao_em_curso = false;
    }
    // Os eventos chegam como da tela: o que for descarregado só é destruído no fim.
    void evento(const std::function<void(tela_principal&)>& f) {
        tela_principal& j = t();
        despachar_evento(&j, [&] { f(j); });
    }
    void apertar(Integer b, Single x, Single y) { evento([&](tela_principal& j) { j.Form_MouseDown(b, 0, x, y); }); }
    void mover(Integer b, Single x, Single y) { evento([&](tela_principal& j) { j.Form_MouseMove(b, 0, x, y); }); }
    void soltar(Integer b, Single x, Single y) { evento([&](tela_principal& j) { j.Form_MouseUp(b, 0, x, y); }); }

    // Link ligado a um novo corpo (sem mexer na seleção nem nas marcas).
    int link_com_corpo(Single x1, Single y1, Single x2, Single y2) {
        const Byte antes = link_selecionado;
        inserir_link();
        const int l = link_selecionado;
        link_selecionado = antes;
        t().corpo_link_line(l).posicionar(x1, y1, x2, y2);
        return l;
    }
    int link_sob(Single x, Single y) {
        apertar(botao_esquerdo, x, y);
        return link_selecionado;
    }
};

void espera_linha(const linha& l, Single x1, Single y1, Single x2, Single y2) {
    EXPECT_NEAR(l.X1, x1, 0.006);
    EXPECT_NEAR(l.Y1, y1, 0.006);
    EXPECT_NEAR(l.X2, x2, 0.006);
    EXPECT_NEAR(l.Y2, y2, 0.006);
}

void espera_pos(const controle_retangular& c, Single left, Single top) {
    EXPECT_EQ(c.Left, left);
    EXPECT_EQ(c.Top, top);
}

TEST_F(mouse_nos_links, faixa_de_50_twips_no_eixo_e_so_entre_as_pontas) {
    link_com_corpo(600, 800, 600, 800);  // pontas coincidentes: nunca acerta, a busca segue
    const int horizontal = link_com_corpo(100, 800, 1100, 800);
    link_com_corpo(100, 800, 1100, 800);  // o mesmo corpo numa posição mais alta: perde
    const int vertical = link_com_corpo(3000, 1000, 3000, 2000);
    const int diagonal = link_com_corpo(5000, 2000, 6000, 3000);        // 45 graus, descendo
    const int diagonal_volta = link_com_corpo(8000, 5000, 7000, 4000);  // 45 graus, subindo à esquerda
    const int ingreme = link_com_corpo(2000, 6000, 2100, 4000);         // sobe, medido na horizontal
    const int plano = link_com_corpo(6000, 7000, 5000, 7300);           // para a esquerda, medido na vertical
    const std::vector<std::tuple<Single, Single, int>> casos = {
        {600, 750, 0},        {600, 751, horizontal},  {600, 849, horizontal},  {600, 850, 0},
        {100, 800, 0},        {1100, 800, 0},          {101, 800, horizontal},  {1099, 800, horizontal},
        {2950, 1500, 0},      {2951, 1500, vertical},  {3049, 1500, vertical},  {3050, 1500, 0},
        {3000, 1000, 0},      {3000, 2000, 0},
        {5500, 5549, 0},      {5500, 2549, diagonal},  {5549, 2500, diagonal},  {5500, 2550, 0},
        {5550, 2500, 0},      {7500, 4549, diagonal_volta}, {7549, 4500, diagonal_volta}, {7550, 4500, 0},
        {2050, 5000, ingreme}, {2099, 5000, ingreme},  {2100, 5000, 0},         {2050, 3999, 0},
        {5500, 7150, plano},  {5500, 7199, plano},     {5500, 7200, 0},         {4999, 7300, 0},
    };
    for (const auto& [x, y, esperado] : casos) EXPECT_EQ(link_sob(x, y), esperado) << x << ", " << y;
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(mouse_nos_links, quadrados_das_pontas_e_estacionamento) {
    t().inserir_link_button_Click();  // (100, 800)-(1100, 800), quadrados em (48, 748) e (1048, 748)
    const int l = link_com_corpo(10000, 170, 11000, 170);
    auto& j = t();
    no_selecionado = 3;
    apresentacao_encerrada = false;
    j.LblVersao.Visible = true;

    apertar(botao_direito, 600, 800);  // só encerra a apresentação
    EXPECT_TRUE(apresentacao_encerrada);
    EXPECT_FALSE(j.LblVersao.Visible);
    EXPECT_EQ(link_selecionado, 1);
    EXPECT_TRUE(j.Shape2.Visible);

    apertar(botao_esquerdo, 600.5, 800.5);
    EXPECT_TRUE(arrastando_link);
    EXPECT_FALSE(arrastando_inicio_do_link || arrastando_fim_do_link);
    EXPECT_EQ(j.MousePointer, ponteiro_quatro_setas);
    EXPECT_EQ(x_inicial_do_arrasto, 600);  // metade para o par
    EXPECT_EQ(y_inicial_do_arrasto, 800);
    EXPECT_EQ(std::tuple(x1_inicial_do_link, y1_inicial_do_link, x2_inicial_do_link, y2_inicial_do_link),
              std::tuple(100, 800, 1100, 800));
    EXPECT_TRUE(j.etiqueta_link_label(1).Caption == "");

    x_inicial_do_arrasto = -1;
    apertar(botao_esquerdo, 120, 800);
    EXPECT_TRUE(arrastando_inicio_do_link);
    EXPECT_FALSE(arrastando_link || arrastando_fim_do_link);
    EXPECT_EQ(x_inicial_do_arrasto, -1);  // arrasto de ponta não mexe nas âncoras
    EXPECT_EQ(j.MousePointer, ponteiro_cruz);
    apertar(botao_esquerdo, 153, 800);  // na borda do quadrado: fora
    EXPECT_TRUE(arrastando_link);
    apertar(botao_esquerdo, 1080, 800);
    EXPECT_TRUE(arrastando_fim_do_link);
    EXPECT_FALSE(arrastando_link || arrastando_inicio_do_link);
    EXPECT_TRUE(j.Shape2.Visible && j.Shape3.Visible);
    espera_pos(j.Shape3, 1048, 748);

    // Dentro do quadrado, mas além da ponta: não acerta; a seleção some e os quadrados estacionam.
    j.MousePointer = 0;
    apertar(botao_esquerdo, 60, 800);
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_EQ(no_selecionado, 3);
    EXPECT_FALSE(j.Shape2.Visible || j.Shape3.Visible);
    espera_pos(j.Shape2, left_estacionado, top_estacionado);
    espera_pos(j.Shape3, left_estacionado, top_estacionado);
    EXPECT_FALSE(arrastando_fim_do_link);
    EXPECT_EQ(j.MousePointer, 0);

    // Um corpo que passa pela área estacionada começa o arrasto do início.
    apertar(botao_esquerdo, 10500, 170);
    EXPECT_EQ(link_selecionado, l);
    EXPECT_TRUE(arrastando_inicio_do_link);

    // Vários botões juntos: só o primeiro passo.
    apertar(botao_esquerdo | botao_direito, 600, 800);
    EXPECT_EQ(link_selecionado, l);
    EXPECT_TRUE(arrastando_inicio_do_link);
}

// Onde a ajuda diz que um clique no quadrado de uma ponta a pega, e onde não: o corpo é procurado
// primeiro, e os quadrados, só depois, onde estiverem.
TEST_F(mouse_nos_links, clique_nos_quadrados_das_pontas_como_a_ajuda_diz) {
    const std::string ajuda = teste::texto_da_ajuda();
    const int outro = link_com_corpo(1150, 300, 1150, 1300);  // vertical, pela metade de fora do quadrado do fim
    t().inserir_link_button_Click();
    const int l = link_selecionado;  // (100, 800)-(1100, 800)
    enum arrasto { nenhum, do_inicio, do_fim, do_link };
    const char* const dentro = "pressione o quadradinho dela sobre o próprio link, na metade voltada para a outra ponta";
    const char* const fora = "bem na ponta ou na metade do quadradinho que fica além dela, o clique não acha o link";
    const struct {
        const char* trecho;
        Single x, y;
        int link;
        arrasto esperado;
    } casos[] = {
        {dentro, 120, 800, l, do_inicio},
        {dentro, 1080, 780, l, do_fim},
        {"arraste o corpo do link fora dos quadradinhos", 600, 800, l, do_link},
        {fora, 100, 800, 0, nenhum},
        {fora, 1100, 800, 0, nenhum},
        {fora, 60, 820, 0, nenhum},
        {"seleciona outro link cujo corpo passe ali (e arrastar move então o início ou o fim desse outro", 1150, 800, outro,
         do_fim},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(std::to_string(int(k.x)) + ", " + std::to_string(int(k.y)) + ": " + k.trecho);
        EXPECT_NE(ajuda.find(k.trecho), std::string::npos) << "a ajuda não diz mais isto";
        apertar(botao_esquerdo, 600, 800);  // o link selecionado, com os quadrados nas suas pontas
        soltar(botao_esquerdo, 600, 800);
        apertar(botao_esquerdo, k.x, k.y);
        EXPECT_EQ(link_selecionado, k.link);
        EXPECT_EQ(arrastando_inicio_do_link ? do_inicio
                  : arrastando_fim_do_link  ? do_fim
                  : arrastando_link         ? do_link
                                            : nenhum,
                  k.esperado);
    }
}

TEST_F(mouse_nos_links, rotulo_ao_lado_do_meio_nos_quatro_casos) {
    const int l = link_com_corpo(0, 0, 0, 0);
    auto& j = t();
    nome_do_link_dado(l) = "L7";
    rotulo& etiqueta = j.etiqueta_link_label(l);
    const Single w = etiqueta.Width;
    // Meio em (600, 1500): à direita começa em 620; à esquerda termina em 580; sempre 20 abaixo.
    const std::vector<std::tuple<Single, Single, Single, Single, Single>> casos = {
        {100, 2000, 1100, 1000, 620},      // sobe para a direita
        {100, 1500, 1100, 1500, 620},      // horizontal para a direita
        {100, 1000, 1100, 2000, 580 - w},  // desce para a direita
        {600, 1000, 600, 2000, 580 - w},   // vertical para baixo
        {1100, 1000, 100, 2000, 620},      // desce para a esquerda
        {1100, 1500, 100, 1500, 620},      // horizontal para a esquerda
        {1100, 2000, 100, 1000, 580 - w},  // sobe para a esquerda
        {600, 2000, 600, 1000, 580 - w},   // vertical para cima
    };
    for (const auto& [x1, y1, x2, y2, left] : casos) {
        linha& c = j.corpo_link_line(l);
        std::tie(c.X1, c.Y1, c.X2, c.Y2) = std::tie(x1, y1, x2, y2);
        etiqueta.Caption = "";
        link_selecionado = static_cast<Byte>(l);
        soltar(botao_esquerdo, 0, 0);
        EXPECT_EQ(etiqueta.Left, left) << x1 << "," << y1 << " " << x2 << "," << y2;
        EXPECT_EQ(etiqueta.Top, 1520);
        EXPECT_TRUE(etiqueta.Caption == "L7");
    }
    // Pontas coincidentes: o rótulo fica onde estava. Sem arrasto armado, soltar não recoloca os
    // quadrados; sem link selecionado, nada muda.
    esconder_marcas_de_selecao();
    linha& c = j.corpo_link_line(l);
    std::tie(c.X1, c.Y1, c.X2, c.Y2) = std::tuple(300.f, 300.f, 300.f, 300.f);
    soltar(botao_esquerdo, 0, 0);
    EXPECT_EQ(etiqueta.Top, 1520);
    EXPECT_FALSE(j.Shape2.Visible);
    link_selecionado = 0;
    etiqueta.Left = 1;
    soltar(botao_esquerdo, 0, 0);
    EXPECT_EQ(etiqueta.Left, 1);
}

TEST_F(mouse_nos_links, botao_direito_seleciona_e_abre_o_menu_dos_links) {
    menus_de_teste menus;
    const int a = link_com_corpo(100, 800, 1100, 800);
    const int b = link_com_corpo(100, 2000, 1100, 2000);
    apertar(botao_esquerdo, 600, 800);  // quadrados no link a
    no_selecionado = 4;

    menus.ao_mostrar = [&](item_de_menu&) {
        EXPECT_EQ(link_selecionado, b);
        EXPECT_EQ(no_selecionado, 0);
    };
    soltar(botao_direito, 600, 2030);
    EXPECT_EQ(menus.mostrados, std::vector<std::string>{"mnuLinksPop"});
    espera_pos(t().Shape2, 48, 748);  // os quadrados continuam no link anterior
    EXPECT_TRUE(arrastando_link);

    // "Eliminar" no menu age no link assim selecionado.
    s.respostas = {resposta_sim};
    nome_do_link_dado(b) = "B";
    menus.ao_mostrar = [&](item_de_menu& m) { m.filhos()[1]->Click(); };
    soltar(botao_direito, 600, 2030);
    EXPECT_FALSE(existe_link(b));
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "confirma a eliminação do link B ?");

    // Fora de qualquer link: sem menu, as duas seleções ficam 0.
    link_selecionado = static_cast<Byte>(a);
    no_selecionado = 2;
    soltar(botao_direito, 600, 2030);
    EXPECT_EQ(menus.mostrados.size(), 2u);
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_EQ(no_selecionado, 0);
}

TEST_F(mouse_nos_links, arrasto_das_pontas_redesenha_seta_e_braco) {
    auto& j = t();
    t().inserir_link_button_Click();  // link 1: (100, 800)-(1100, 800)
    projeto_alterado = false;
    apertar(botao_esquerdo, 1080, 800);
    mover(botao_esquerdo, 1100, 800);
    // As hastes trocam de lado em relação à criação.
    espera_linha(j.esquerda_seta_line(1), 1004.74f, 855, 1100, 800);
    espera_linha(j.direita_seta_line(1), 1004.74f, 745, 1100, 800);
    EXPECT_FALSE(j.Shape2.Visible || j.Shape3.Visible);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(j.MousePointer, ponteiro_cruz);

    // O fim para baixo: corpo vertical, hastes em deslocamentos fixos.
    mover(botao_esquerdo, 100, 2000);
    soltar(botao_esquerdo, 100, 2000);
    espera_linha(j.esquerda_seta_line(1), 155, 1905, 100, 2000);
    espera_linha(j.direita_seta_line(1), 45, 1905, 100, 2000);
    EXPECT_TRUE(j.Shape2.Visible && j.Shape3.Visible);
    espera_pos(j.Shape3, 48, 1948);
    // O início para baixo do fim: vertical para cima.
    apertar(botao_esquerdo, 100, 820);
    EXPECT_TRUE(arrastando_inicio_do_link);
    mover(botao_esquerdo, 100, 3200);
    espera_linha(j.corpo_link_line(1), 100, 3200, 100, 2000);
    espera_linha(j.esquerda_seta_line(1), 45, 2095, 100, 2000);
    espera_linha(j.direita_seta_line(1), 155, 2095, 100, 2000);

    // Link de conversão: o braço gira em volta do fim do corpo e a seta fica na ponta do braço.
    t().mnuInserirLinkConversao_Click();  // link 2: (100, 950)-(900, 950)
    apertar(botao_esquerdo, 880, 950);
    EXPECT_EQ(link_selecionado, 2);
    EXPECT_TRUE(arrastando_fim_do_link);
    mover(botao_esquerdo, 900, 950);
    espera_linha(j.braco_link_line(2), 900, 950, 1112.13f, 737.87f);
    espera_linha(j.esquerda_seta_line(2), 1083.66f, 844.12f, 1112.13f, 737.87f);
    espera_linha(j.direita_seta_line(2), 1005.88f, 766.34f, 1112.13f, 737.87f);
    mover(botao_esquerdo, 100, 1950);  // corpo vertical para baixo: braço para baixo e à direita
    espera_linha(j.braco_link_line(2), 100, 1950, 312.13f, 2162.13f);
    EXPECT_TRUE(j.esquerda_seta_line(2).Visible && j.direita_seta_line(2).Visible);
    soltar(botao_esquerdo, 100, 1950);
    apertar(botao_esquerdo, 120, 970);
    EXPECT_TRUE(arrastando_inicio_do_link);
    mover(botao_esquerdo, 100, 2950);  // o início abaixo do fim: o braço gira com o corpo
    espera_linha(j.braco_link_line(2), 100, 1950, -112.13f, 1737.87f);
    soltar(botao_esquerdo, 100, 2950);
    EXPECT_TRUE(teste::desenho_da_rede_como_nos_controles());
}

TEST_F(mouse_nos_links, arrasto_do_link_inteiro_e_movimentos_que_nao_arrastam) {
    auto& j = t();
    t().inserir_link_button_Click();
    apertar(botao_esquerdo, 600, 790);
    mover(botao_esquerdo, 1600, 1290);
    espera_linha(j.corpo_link_line(1), 1100, 1300, 2100, 1300);
    espera_linha(j.esquerda_seta_line(1), 2004.74f, 1355, 2100, 1300);
    EXPECT_EQ(j.MousePointer, ponteiro_quatro_setas);
    soltar(botao_esquerdo, 1600, 1290);
    espera_pos(j.Shape2, 1048, 1248);
    espera_pos(j.Shape3, 2048, 1248);
    espera_pos(j.etiqueta_link_label(1), 1620, 1320);

    // Outros botões, fora do modo de desenho ou sem seleção: nada se move.
    projeto_alterado = false;
    apertar(botao_esquerdo, 1600, 1300);
    for (Integer b : {Integer(botao_direito), Integer(botao_esquerdo | botao_direito)}) mover(b, 5000, 5000);
    desenhando = false;
    mover(botao_esquerdo, 5000, 5000);
    desenhando = true;
    espera_linha(j.corpo_link_line(1), 1100, 1300, 2100, 1300);
    EXPECT_TRUE(j.Shape2.Visible);
    EXPECT_FALSE(projeto_alterado);

    // Sem arrasto armado o link não se move, mas a seta é redesenhada e os quadrados somem.
    esconder_marcas_de_selecao();
    j.Shape2.Visible = true;
    j.esquerda_seta_line(1).X1 = 0;
    mover(botao_esquerdo, 5000, 5000);
    espera_linha(j.corpo_link_line(1), 1100, 1300, 2100, 1300);
    EXPECT_NEAR(j.esquerda_seta_line(1).X1, 2004.74f, 0.006);
    EXPECT_FALSE(j.Shape2.Visible);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(mouse_nos_links, ponteiro_sobre_o_link_selecionado_e_os_quadrados) {
    auto& j = t();
    const int outro = link_com_corpo(100, 3000, 1100, 3000);
    t().inserir_link_button_Click();  // selecionado, quadrados em (48, 748) e (1048, 748)
    ASSERT_NE(link_selecionado, outro);
    const std::vector<std::tuple<Single, Single, Integer>> casos = {
        {600, 800, ponteiro_quatro_setas}, {120, 800, ponteiro_diagonal}, {1080, 800, ponteiro_diagonal},
        {60, 800, ponteiro_padrao},        {600, 900, ponteiro_padrao},   {600, 3000, ponteiro_padrao},
    };
    for (const auto& [x, y, ponteiro] : casos) {
        j.MousePointer = 99;
        mover(0, x, y);
        EXPECT_EQ(j.MousePointer, ponteiro) << x << ", " << y;
    }
    // Durante um processamento o ponteiro de espera fica, salvo sobre o link selecionado.
    processando = true;
    j.MousePointer = ponteiro_seta_e_ampulheta;
    mover(0, 600, 3000);
    EXPECT_EQ(j.MousePointer, ponteiro_seta_e_ampulheta);
    mover(0, 600, 800);
    EXPECT_EQ(j.MousePointer, ponteiro_quatro_setas);
    processando = false;
}

TEST_F(mouse_nos_links, durante_um_processamento_seleciona_mas_nao_arrasta) {
    auto& j = t();
    t().inserir_link_button_Click();
    projeto_alterado = false;
    execucao_em_curso = true;
    apertar(botao_esquerdo, 1080, 800);
    EXPECT_TRUE(arrastando_fim_do_link);
    mover(botao_esquerdo, 3000, 3000);
    soltar(botao_esquerdo, 3000, 3000);
    execucao_em_curso = false;
    // O arrasto recusado diz por quê.
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"Aguarde o fim do processamento"});
    espera_linha(j.corpo_link_line(1), 100, 800, 1100, 800);
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(link_selecionado, 1);
}

TEST_F(mouse_nos_links, falha_relata_o_codigo_e_descarrega_a_janela) {
    // Uma âncora fora da faixa de 32 bits: "Erro 116", depois a pergunta de salvar e o fim.
    link_com_corpo(0, 100, 5e9f, 100);
    projeto_alterado = true;
    s.respostas = {resposta_ok, resposta_nao};
    apertar(botao_esquerdo, 1e9f, 100);
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 116");
    EXPECT_EQ(s.mensagens[1].texto, "você quer salvar o projeto?");
    EXPECT_TRUE(s.encerrado);
    EXPECT_FALSE(tela_principal_carregada());

    // "Erro 117" e "Erro 118"; com "Cancelar" na pergunta, a janela fica.
    for (const auto& [codigo, acao] : std::vector<std::pair<std::string, std::function<void()>>>{
             {"Erro 117", [&] { mover(botao_esquerdo, 1, 1); }}, {"Erro 118", [&] { soltar(botao_esquerdo, 1, 1); }}}) {
        s.mensagens.clear();
        t();
        link_selecionado = 9;  // posição sem link
        projeto_alterado = true;
        s.respostas = {resposta_ok, resposta_cancelar};
        acao();
        ASSERT_EQ(s.mensagens.size(), 2u);
        EXPECT_EQ(s.mensagens[0].titulo, codigo);
        EXPECT_TRUE(tela_principal_carregada());
    }
}

}  // namespace
}  // namespace orvel
