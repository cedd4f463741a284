#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calculo/gravar_animacao.h"
#include "comum/pasta_temporaria.h"
#include "modelo/valores_da_animacao.h"
#include "resultados/rede_dinamica.h"
#include "vistas_de_teste.h"

namespace orvel {
namespace {

constexpr Long verde_da_animacao = rgb(0, 135, 135);
constexpr Long vermelho_da_animacao = rgb(255, 26, 34);

class rede_dinamica : public teste::com_janela_principal {
protected:
    janela_rede_dinamica& r() { return rede_dinamica_unica(); }

    // Nós nas posições 1 e 3 (a 2 livre); o link 1 reto, de entrada, de (1000, 1000) até a
    // ponta (3100, 1000), com o ponto de parada em (3000, 1000); o link 2 de conversão, com
    // caixa de 100 veículos, corpo de 900 twips até a dobra (900, 2000) e braço de 300 até a
    // ponta (1200, 2000), parando em (1150, 2000). Ciclo de 60 s e período de 600 s, com as
    // tabelas por segundo postas à mão.
    void montar(Single braco = 300) {
        teste::esvaziar_rede();
        for (const char* nome : {"A", "B", "C"}) teste::novo_no(nome);
        existe_no(2) = false;
        for (int n : {1, 3}) {
            t().no_shape.carregar(n);
            t().no_shape(n).Left = 500.0f * n;
            t().apoio_no_label.carregar(n);
            t().apoio_no_label(n).Caption = nome_do_no_dado(n);
        }
        teste::novo_link("E", "", "A");
        teste::novo_link("K", "A", "C", 0, 1800, 100);
        eh_link_conversao(2) = true;
        for (int l : {1, 2}) t().carregar_elementos_do_link(l);
        t().corpo_link_line(1).posicionar(1000, 1000, 3100, 1000);
        t().esquerda_seta_line(1).posicionar(3000, 900, 3100, 1000);
        t().direita_seta_line(1).posicionar(3000, 1100, 3100, 1000);
        t().corpo_link_line(2).posicionar(0, 2000, 900, 2000);
        t().braco_link_line(2).posicionar(900, 2000, 900 + braco, 2000);
        t().esquerda_seta_line(2).posicionar(850 + braco, 1950, 900 + braco, 2000);
        t().direita_seta_line(2).posicionar(850 + braco, 2050, 900 + braco, 2000);
        contexto().derivados.t_de_ciclo = 60;
        contexto().derivados.periodo_de_simulacao = 600;
        dimensionar_tabelas_por_segundo(contexto());
    }

    void segundo(int t, std::pair<Single, Byte> link1, std::pair<Single, Byte> link2) {
        contexto().simulacao.fila_no_instante(1, t) = link1.first;
        contexto().simulacao.estado_no_instante(1, t) = link1.second;
        contexto().simulacao.fila_no_instante(2, t) = link2.first;
        contexto().simulacao.estado_no_instante(2, t) = link2.second;
    }

    void iniciar(const std::string& escala) {
        r().Text1.Text = escala;
        r().Command1.Click();
    }
};

TEST_F(rede_dinamica, ativacao_copia_o_desenho_e_prepara_as_escalas) {
    montar();
    r().Show(1);
    EXPECT_TRUE(r().Shape1.carregado(1) && r().Shape1.carregado(3));
    EXPECT_FALSE(r().Shape1.carregado(2));
    EXPECT_EQ(r().Shape1(3).Left, 1500);
    EXPECT_EQ(r().Label1(3).Caption.texto(), "C");
    // Link reto: corpo e fila terminam no ponto de parada.
    EXPECT_EQ(r().Line3(1).X2, 3000);
    EXPECT_EQ(r().Line1(1).X1, 1000);
    EXPECT_EQ(r().Line1(1).X2, 3000);
    EXPECT_FALSE(r().braco_line(1).Visible);
    // Link de conversão: o corpo fica na dobra, o braço e a sua fila param no ponto de parada.
    EXPECT_EQ(r().Line3(2).X2, 900);
    EXPECT_TRUE(r().braco_line(2).Visible);
    EXPECT_EQ(r().braco_line(2).X2, 1150);
    EXPECT_EQ(r().cor_braco(2).X1, 900);
    EXPECT_EQ(r().cor_braco(2).X2, 1150);
    EXPECT_EQ(comprimento_do_link_1(2), 300);
    EXPECT_EQ(comprimento_do_link_2(2), 900);
    EXPECT_EQ(caixa_da_animacao(1), 400);  // entrada, sem caixa
    EXPECT_EQ(caixa_da_animacao(2), 100);
    EXPECT_EQ(r().Label7.Caption.texto(), "600");
    EXPECT_EQ(r().Label11.Caption.texto(), "60");
    EXPECT_FALSE(r().Label3.Visible || r().Label5.Visible);
    EXPECT_TRUE(r().Text1.tem_o_foco());
    EXPECT_EQ(r().Left, t().Left);
    EXPECT_EQ(r().Width, t().Width);
    EXPECT_TRUE(s.mensagens.empty());
}

// Sem gerenciador de janelas, a janela modal pode ser ativada de novo na mesma apresentação.
TEST_F(rede_dinamica, ativada_duas_vezes_fica_com_um_so_desenho) {
    montar();
    r().Show(1);
    ativar_janela(t());
    ativar_janela(r());
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_TRUE(r().carregado());
    EXPECT_TRUE(r().Visible);
    EXPECT_EQ(r().Shape1.indices(), (std::vector<int>{1, 3}));
    EXPECT_EQ(r().Label1.indices(), (std::vector<int>{1, 3}));
    for (const auto* m : {&r().Line1, &r().Line3, &r().Line4, &r().Line5, &r().braco_line, &r().cor_braco})
        EXPECT_EQ(m->indices(), (std::vector<int>{1, 2})) << m->nome();
    EXPECT_EQ(r().Label2.indices(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(r().Shape1(3).Visible);
    EXPECT_EQ(r().Line3(1).X2, 3000);
    EXPECT_EQ(r().braco_line(2).X2, 1150);
    EXPECT_TRUE(r().braco_line(2).Visible);
    EXPECT_FALSE(r().Line1(1).Visible);
}

TEST_F(rede_dinamica, escala_de_tempo) {
    montar();
    r().Show(1);
    const std::vector<std::pair<std::string, Long>> validas = {{"1", 1000}, {"10", 100}, {"3", 333},
                                                               {"6", 167},  {"2.9", 500}, {" 5", 200}};
    for (const auto& [texto, intervalo] : validas) {
        iniciar(texto);
        EXPECT_EQ(r().Timer1.Interval, intervalo) << texto;
        EXPECT_TRUE(r().Timer1.Enabled && r().Command2.Enabled);
        EXPECT_FALSE(r().Command1.Enabled);
        r().Command2.Click();
        EXPECT_FALSE(r().Timer1.Enabled || r().Command2.Enabled);
        EXPECT_TRUE(r().Command1.Enabled);
    }
    for (const char* texto : {"0", "0.5", "10.5", "", "abc"}) {
        s.mensagens.clear();
        iniciar(texto);
        ASSERT_EQ(s.mensagens.size(), 1u) << texto;
        EXPECT_EQ(s.mensagens[0].texto,
                  "Cada intervalo de 1 segundo da apresentação deve representar, no mínimo, 1 segundo e, no máximo, 10 "
                  "segundos da vida real");
        EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
        EXPECT_FALSE(r().Timer1.Enabled);
        EXPECT_EQ(r().Timer1.Interval, 200);
    }
    // Os contadores aparecem com o que tinham, mesmo sem tique algum.
    EXPECT_TRUE(r().Label3.Visible && r().Label5.Visible);
    EXPECT_EQ(r().Label3.Caption.texto(), "221");
    EXPECT_EQ(r().Label5.Caption.texto(), "3665");
}

// O primeiro segundo mostrado é 8·60 + 121 = 601.
TEST_F(rede_dinamica, tiques_avancam_filas_e_cores) {
    montar();
    segundo(601, {200, cor_verde}, {20, cor_vermelho});     // r = 0,5 e 0,2
    segundo(602, {0, 0}, {50, cor_vermelho});               // fila vazia; estado sem cor
    segundo(603, {500, cor_vermelho}, {0, cor_vermelho});  // fila acima da escala
    r().Show(1);
    iniciar("1");

    r().Timer1.Timer();
    EXPECT_EQ(r().Label3.Caption.texto(), "1");
    EXPECT_EQ(r().Label5.Caption.texto(), "0");
    EXPECT_TRUE(r().Line1(1).Visible);
    EXPECT_EQ(r().Line1(1).X1, 2000);
    for (linha* l : {&r().Line1(1), &r().Line3(1), &r().Line4(1), &r().Line5(1)}) EXPECT_EQ(l->BorderColor, verde_da_animacao);
    // No braço: a fila cobre 80% dele, e o corpo fica sem fila.
    EXPECT_FLOAT_EQ(r().cor_braco(2).X1, 950);
    EXPECT_FALSE(r().Line1(2).Visible);
    EXPECT_EQ(r().braco_line(2).BorderColor, vermelho_da_animacao);

    r().Timer1.Timer();
    EXPECT_FALSE(r().Line1(1).Visible);
    EXPECT_EQ(r().Line3(1).BorderColor, verde_da_animacao);  // estado 0: a cor fica
    // O braço cheio e um terço do corpo, a partir da dobra.
    EXPECT_EQ(r().cor_braco(2).X1, 900);
    EXPECT_TRUE(r().Line1(2).Visible);
    EXPECT_EQ(r().Line1(2).X1, 600);

    r().Timer1.Timer();
    EXPECT_EQ(r().Line1(1).X1, 1000);
    EXPECT_EQ(r().Line3(1).BorderColor, vermelho_da_animacao);
    EXPECT_FALSE(r().cor_braco(2).Visible);

    // O período acaba no tique que mostra o segundo 601 da apresentação: T + 2 tiques.
    int tiques = 3;
    while (r().Timer1.Enabled && tiques < 1000) {
        r().Timer1.Timer();
        ++tiques;
    }
    EXPECT_EQ(tiques, 602);
    EXPECT_EQ(r().Label5.Caption.texto(), "601");
    EXPECT_TRUE(r().Command1.Enabled);
    EXPECT_FALSE(r().Command2.Enabled);
    EXPECT_EQ(s.eventos_processados, 601);

    // Recomeçar volta ao primeiro segundo.
    iniciar("1");
    r().Timer1.Timer();
    EXPECT_EQ(r().Label5.Caption.texto(), "0");
    EXPECT_EQ(r().Line1(1).X1, 2000);
    EXPECT_TRUE(s.mensagens.empty());
}

// Um braço de comprimento zero não tem parte da fila: ela vai toda para o corpo.
TEST_F(rede_dinamica, braco_de_comprimento_zero_nao_interrompe_a_apresentacao) {
    montar(0);
    segundo(601, {0, 0}, {0, cor_verde});
    segundo(602, {0, 0}, {50, cor_verde});
    r().Show(1);
    iniciar("1");
    despachar_evento(&r(), r().Timer1.Timer);
    despachar_evento(&r(), r().Timer1.Timer);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(r().Line1(2).X1, 450);
    EXPECT_TRUE(r().Timer1.Enabled);
}

TEST_F(rede_dinamica, comando_sem_processamento_so_apaga_a_gravacao) {
    contexto().simulacao.fila_no_instante.dimensionar(1, 900);
    contexto().simulacao.fila_no_instante(1, 700) = 3;
    t().mnuRede_dinamica.Click();
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"Favor processar o projeto"});
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(contexto().simulacao.fila_no_instante.limite2(), 220);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_FALSE(r().Visible);
}

// Gravada logo depois de processar e de novo depois de reabrir o arquivo (sem processar), a
// rede dá os mesmos segundos; a apresentação mostra a gravação.
TEST_F(rede_dinamica, comando_grava_e_mostra_a_rede_processada_ou_reaberta) {
    teste::pasta_temporaria pasta;
    const std::string arquivo = pasta.arquivo("grade.xml");
    teste::processar_a_grade(t(), s, arquivo);
    ASSERT_EQ(contexto().derivados.t_de_ciclo, 90);
    t().tela_dinamica_button.Click();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_TRUE(r().Visible);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    const int fim = 8 * 90 + 220 + contexto().derivados.periodo_de_simulacao;
    EXPECT_EQ(contexto().simulacao.fila_no_instante.limite2(), fim);

    iniciar("1");
    r().Timer1.Timer();
    EXPECT_EQ(r().Label5.Caption.texto(), "0");
    for (int l = 1; l <= max_indice_link; ++l) {
        const Single fila = contexto().simulacao.fila_no_instante(l, 841);
        EXPECT_EQ(r().Line1(l).Visible, fila != 0) << l;
        EXPECT_EQ(r().Line3(l).BorderColor, contexto().simulacao.estado_no_instante(l, 841) == cor_verde ? verde_da_animacao : vermelho_da_animacao)
            << l;
    }
    std::vector<Single> gravada;
    for (int l = 1; l <= max_indice_link; ++l)
        for (int t = 0; t <= fim; ++t) gravada.push_back(contexto().simulacao.fila_no_instante(l, t));
    r().Unload();

    s.respostas_abrir = {arquivo};
    t().arquivo_abrir_button.Click();
    t().mnuRede_dinamica.Click();
    EXPECT_TRUE(s.mensagens.empty());
    std::vector<Single> de_novo;
    for (int l = 1; l <= max_indice_link; ++l)
        for (int t = 0; t <= fim; ++t) de_novo.push_back(contexto().simulacao.fila_no_instante(l, t));
    EXPECT_EQ(de_novo, gravada);
}

// Um nó criado depois do processamento não tem plano: o comando pede que a rede seja
// processada de novo, como numa rede não processada, e o programa segue.
TEST_F(rede_dinamica, no_criado_depois_do_processamento_pede_processar_e_o_programa_segue) {
    teste::pasta_temporaria pasta;
    teste::processar_a_grade(t(), s, pasta.arquivo("grade.xml"));
    ASSERT_EQ(contexto().derivados.t_de_ciclo, 90);
    t().construir_button.Click();
    t().inserir_no_button.Click();
    projeto_alterado = true;
    s.respostas = {resposta_sim, resposta_sim};  // o que uma pergunta de salvar receberia
    t().tela_dinamica_button.Click();
    t().mnuRede_dinamica.Click();
    EXPECT_EQ(s.textos_das_mensagens(), (std::vector<std::string>{"Favor processar o projeto", "Favor processar o projeto"}));
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_FALSE(s.encerrado);
    EXPECT_TRUE(tela_principal_carregada());
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_FALSE(r().Visible);

    // Uma falha na gravação (8·C + 220 + T não cabe em 16 bits) é relatada com o código do
    // comando, e a janela principal fica: nenhuma vista encerra o programa.
    s.mensagens.clear();
    teste::no_processado_a_mao(4000, {2000, 2000});
    contexto().derivados.periodo_de_simulacao = 1000;
    t().tela_dinamica_button.Click();
    t().mnuRede_dinamica.Click();
    EXPECT_EQ(s.textos_das_mensagens(), (std::vector<std::string>{"Estouro\n", "Estouro\n"}));
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 1115");
    EXPECT_EQ(s.mensagens[1].titulo, "Erro 114");
    EXPECT_FALSE(s.encerrado);
    EXPECT_TRUE(tela_principal_carregada());
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_FALSE(r().Visible);
}

}  // namespace
}  // namespace orvel
