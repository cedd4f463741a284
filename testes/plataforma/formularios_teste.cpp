#include <gtest/gtest.h>

#include "plataforma/formularios.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

int cargas = 0;
int referencias_na_carga = 0;

class janela_de_teste;
janela_de_teste& janela();

class janela_de_teste : public formulario {
public:
    janela_de_teste() : formulario("janela_de_teste") { Caption = "projeto"; }
    rotulo etiqueta{*this, "etiqueta"};
    matriz_de_controles<rotulo> itens{*this, "itens"};
    linha traco{*this, "traco"};
    std::vector<std::string> eventos;

    void Form_Load() override {
        ++cargas;
        // Uma referência durante a própria carga não a carrega de novo.
        if (&janela() == this) ++referencias_na_carga;
    }
    void Form_Activate() override { eventos.push_back("activate"); }
    void Form_Deactivate() override { eventos.push_back("deactivate"); }
};

class outra_janela : public formulario {
public:
    outra_janela() : formulario("outra_janela") {}
    std::vector<std::string> eventos;
    void Form_Activate() override { eventos.push_back("activate"); }
    void Form_Deactivate() override { eventos.push_back("deactivate"); }
};

janela_de_teste& janela() { return formulario_unico<janela_de_teste>(); }
outra_janela& outra() { return formulario_unico<outra_janela>(); }

class formularios_fixture : public ::testing::Test {
protected:
    void SetUp() override {
        destruir_todas_as_janelas();
        cargas = 0;
        referencias_na_carga = 0;
    }
    void TearDown() override { destruir_todas_as_janelas(); }
    servicos_de_teste s;
};

TEST_F(formularios_fixture, carrega_na_primeira_referencia_e_uma_vez_so) {
    janela().Caption = "ORVEL - x";
    EXPECT_EQ(cargas, 1);
    EXPECT_EQ(referencias_na_carga, 1);
    janela().Caption = "ORVEL - y";
    EXPECT_EQ(cargas, 1);
    EXPECT_TRUE(janela().carregado());
    EXPECT_FALSE(janela().Visible);
    // Descarregada, volta com as propriedades do projeto na próxima referência.
    janela().Unload();
    EXPECT_EQ(janela().Caption, "projeto");
    EXPECT_EQ(cargas, 2);
}

TEST_F(formularios_fixture, matriz_de_controles_copia_o_modelo_escondido_e_falha_fora_das_regras) {
    auto& j = janela();
    j.itens(0).Width = 340;
    j.itens(0).FontName = "Small Fonts";
    j.itens.carregar(3);
    EXPECT_FALSE(j.itens(3).Visible);
    EXPECT_EQ(j.itens(3).Width, 340.0f);
    EXPECT_EQ(j.itens(3).FontName, "Small Fonts");
    EXPECT_EQ(j.itens(3).indice(), 3);
    EXPECT_THROW(j.itens.carregar(3), falha);     // já carregado
    EXPECT_THROW(j.itens.descarregar(0), falha);  // o modelo não se descarrega
    EXPECT_THROW(j.itens.descarregar(4), falha);  // não carregado
    EXPECT_THROW(j.itens(4), falha);
    EXPECT_THROW(j.itens.carregar(-1), falha);
    // O elemento novo fica por cima dos controles do projeto.
    EXPECT_EQ(j.controles().front(), &j.itens(3));
    j.itens.descarregar(3);
    EXPECT_FALSE(j.itens.carregado(3));
    EXPECT_EQ(j.controles().front(), &j.etiqueta);
}

TEST_F(formularios_fixture, descarregar_no_proprio_tratador_adia_a_destruicao) {
    auto& j = janela();
    j.itens.carregar(1);
    bool depois = false;
    j.itens(1).Click = [&j, &depois] {
        rotulo& eu = j.itens(1);
        j.itens.descarregar(1);
        // Ainda usável até o tratador voltar.
        eu.Caption = "ainda aqui";
        depois = eu.Caption == "ainda aqui";
    };
    despachar_evento(&j, [&] { j.itens(1).Click(); });
    EXPECT_TRUE(depois);
    EXPECT_FALSE(j.itens.carregado(1));

    // A janela descarregada no próprio tratador também.
    bool viva = false;
    despachar_evento(&j, [&] {
        j.Unload();
        viva = j.Caption == "projeto";
    });
    EXPECT_TRUE(viva);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(formularios_fixture, ativacao_so_entre_as_janelas_do_programa) {
    janela().Show();
    EXPECT_EQ(janela_ativa(), &janela());
    EXPECT_EQ(janela().eventos, std::vector<std::string>{"activate"});
    outra().Show();
    EXPECT_EQ(janela().eventos, (std::vector<std::string>{"activate", "deactivate"}));
    EXPECT_EQ(outra().eventos, std::vector<std::string>{"activate"});
    // Uma caixa de mensagem não desativa ninguém.
    servicos().caixa_de_mensagem("x", estilo_ok, "Aviso");
    EXPECT_EQ(outra().eventos.size(), 1u);
    // Esconder a ativa devolve a ativação à mais antiga visível.
    outra().Hide();
    EXPECT_EQ(outra().eventos, (std::vector<std::string>{"activate", "deactivate"}));
    EXPECT_EQ(janela_ativa(), &janela());
    EXPECT_EQ(janela().eventos.back(), "activate");
}

TEST_F(formularios_fixture, falha_que_escapa_de_um_tratador_e_relatada_e_nao_passa) {
    janela().Caption = "ORVEL - rede.xml";
    despachar_evento(&janela(), [] { falhar(tipo_de_falha::estouro); });
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "ORVEL - rede.xml");
    EXPECT_EQ(s.mensagens[0].texto, "Estouro\n");
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

class janela_de_caixas : public formulario {
public:
    janela_de_caixas() : formulario("janela_de_caixas") {
        codigo.LostFocus = [this] { eventos.push_back("codigo_lost"); };
        codigo.GotFocus = [this] { eventos.push_back("codigo_got"); };
        nome.GotFocus = [this] { eventos.push_back("nome_got"); };
        codigo.Change = [this] { eventos.push_back("change " + codigo.Text.texto()); };
        codigo.KeyPress = [this](Integer& k) {
            if (k == tecla_enter) {
                eventos.push_back("enter");
                k = 0;
            }
        };
        duplo.Click = [this] { eventos.push_back("duplo " + std::to_string(duplo.Value)); };
        opcoes(0).Click = [this](int i) { eventos.push_back("opcao " + std::to_string(i)); };
        for (int i = 1; i <= 3; ++i) opcoes.carregar(i);
    }
    caixa_de_texto codigo{*this, "codigo"};
    caixa_de_texto nome{*this, "nome"};
    caixa_de_selecao duplo{*this, "duplo"};
    matriz_de_controles<botao_de_opcao> opcoes{*this, "opcoes"};
    std::vector<std::string> eventos;
    void Form_KeyPress(Integer& k) override { eventos.push_back("form_key " + std::to_string(k)); }
};

using caixas_e_foco = formularios_fixture;

TEST_F(caixas_e_foco, foco_texto_selecao_e_opcoes) {
    auto& j = formulario_unico<janela_de_caixas>();
    // Sem foco, a tecla vai para a janela.
    EXPECT_EQ(j.entregar_tecla(65), 65);
    j.codigo.SetFocus();
    j.nome.SetFocus();
    EXPECT_EQ(j.ActiveControl(), &j.nome);
    j.codigo.SetFocus();
    // O Enter da caixa não chega à janela.
    EXPECT_EQ(j.entregar_tecla(tecla_enter), 0);
    j.codigo.Text = "12";
    j.codigo.Text = "12";  // sem mudança, sem Change
    j.duplo.definir_valor(1);
    j.duplo.definir_valor(1);
    j.opcoes(2).marcar();
    j.opcoes(2).marcar();  // já marcado: sem Click
    j.opcoes(3).marcar();
    EXPECT_FALSE(j.opcoes(2).Value);
    EXPECT_TRUE(j.opcoes(3).Value);
    const std::vector<std::string> esperado = {"form_key 65", "codigo_got", "codigo_lost", "nome_got", "codigo_got",
                                               "enter",       "change 12",  "duplo 1",     "opcao 2",  "opcao 3"};
    EXPECT_EQ(j.eventos, esperado);
    // Descarregar o controle com o foco deixa a janela sem foco.
    j.opcoes(3).SetFocus();
    j.opcoes.descarregar(3);
    EXPECT_EQ(j.ActiveControl(), nullptr);
}

// Uma caixa, um botão que confirma e um "Cancelar" que não valida a saída da caixa.
class janela_com_cancelar : public formulario {
public:
    janela_com_cancelar() : formulario("janela_com_cancelar") {
        caixa.LostFocus = [this] { eventos.push_back("caixa_lost"); };
        outra.LostFocus = [this] { eventos.push_back("outra_lost"); };
        caixa.KeyDown = [this](Integer& k, Integer) { eventos.push_back("down " + std::to_string(k)); };
        caixa.KeyUp = [this](Integer& k, Integer) { eventos.push_back("up " + std::to_string(k)); };
        ok.Click = [this] { eventos.push_back("ok"); };
        cancelar.Click = [this] { eventos.push_back("cancelar"); };
        cancelar.CausesValidation = false;
        cancelar.Cancel = true;
    }
    caixa_de_texto caixa{*this, "caixa"};
    caixa_de_texto outra{*this, "outra"};
    botao_de_comando ok{*this, "ok"};
    botao_de_comando cancelar{*this, "cancelar"};
    std::vector<std::string> eventos;
    void Form_KeyPress(Integer& k) override { eventos.push_back("form_key " + std::to_string(k)); }
};

TEST_F(caixas_e_foco, saida_para_o_cancelar_fica_adiada_e_esc_aperta_o_cancelar) {
    auto& j = formulario_unico<janela_com_cancelar>();
    using v = std::vector<std::string>;
    // Para o "Cancelar", a caixa não sai; voltar a ela também não; seguir para quem valida, sim.
    j.caixa.SetFocus();
    j.cancelar.SetFocus();
    EXPECT_EQ(j.eventos, v{});
    j.caixa.SetFocus();
    EXPECT_EQ(j.eventos, v{});
    j.cancelar.SetFocus();
    j.ok.SetFocus();
    EXPECT_EQ(j.eventos, v{"caixa_lost"});
    j.eventos.clear();
    j.caixa.SetFocus();
    j.cancelar.SetFocus();
    j.mover_foco(nullptr);
    EXPECT_EQ(j.eventos, v{"caixa_lost"});
    // O controle que perde o foco para outro que valida sai na hora, como sempre.
    j.eventos.clear();
    j.outra.SetFocus();
    j.caixa.SetFocus();
    EXPECT_EQ(j.eventos, v{"outra_lost"});
    // Uma caixa descarregada com a saída adiada não sai depois.
    j.eventos.clear();
    j.cancelar.SetFocus();
    j.retirar(&j.caixa);
    j.ok.SetFocus();
    EXPECT_EQ(j.eventos, v{});
    j.registrar(&j.caixa, false);

    // Esc aperta o "Cancelar" sem tirar o foco da caixa, escondido ou não; desabilitado, a
    // tecla segue como qualquer outra.
    j.caixa.SetFocus();
    j.eventos.clear();
    EXPECT_EQ(j.entregar_tecla(tecla_esc), 0);
    j.cancelar.Visible = false;
    EXPECT_EQ(j.entregar_tecla(tecla_esc), 0);
    EXPECT_EQ(j.eventos, (v{"cancelar", "cancelar"}));
    j.cancelar.Enabled = false;
    j.mover_foco(nullptr);
    j.eventos.clear();
    EXPECT_EQ(j.entregar_tecla(tecla_esc), tecla_esc);
    EXPECT_EQ(j.eventos, v{"form_key 27"});
}

TEST_F(caixas_e_foco, a_subida_de_uma_tecla_so_chega_a_quem_recebeu_a_descida) {
    auto& j = formulario_unico<janela_com_cancelar>();
    using v = std::vector<std::string>;
    j.caixa.SetFocus();
    Integer k = tecla_enter;
    // O Enter que fechou uma caixa de mensagem sobe na caixa de texto: nada.
    j.caixa.receber_subida(k, 0);
    EXPECT_EQ(j.eventos, v{});
    Integer nove = 57;
    j.caixa.receber_descida(nove, 0);
    nove = 57;
    j.caixa.receber_descida(nove, 0);  // repetição da tecla presa
    nove = 57;
    j.caixa.receber_subida(nove, 0);
    nove = 57;
    j.caixa.receber_subida(nove, 0);
    EXPECT_EQ(j.eventos, (v{"down 57", "down 57", "up 57"}));
    // Descida, o foco sai e volta, subida: a caixa não a vê.
    j.eventos.clear();
    j.caixa.receber_descida(k, 0);
    j.outra.SetFocus();
    j.caixa.SetFocus();
    k = tecla_enter;
    j.caixa.receber_subida(k, 0);
    EXPECT_EQ(j.eventos, (v{"down 13", "caixa_lost", "outra_lost"}));
}

}  // namespace
}  // namespace orvel
