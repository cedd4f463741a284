#include <gtest/gtest.h>

#include "comum/rede_de_teste.h"
#include "dialogo_de_teste.h"
#include "dialogos/editor_de_link.h"
#include "dialogos/numeros_das_caixas.h"
#include "editor/elementos_do_desenho.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"

namespace orvel {
namespace {

class editor_de_link : public teste::com_dialogos {
protected:
    // Cria um link interno válido na posição livre mais baixa e o deixa selecionado.
    int criar_link(const std::string& nome) {
        inserir_link();
        const int l = link_selecionado;
        teste::dados_do_link_valido(l, nome);
        for (int k = 1; k <= max_recebedores; ++k) {
            nome_do_recebedor_dado(l, k) = "";
            valor_do_fornecimento_dado(l, k) = 0;
        }
        projeto_alterado = false;
        return l;
    }

    // Mostra o editor pelo botão da janela principal (a ativação lê o link).
    janela_editar_link& abrir(int l) {
        auto& e = editor_de_link_unico();
        link_selecionado = static_cast<Byte>(l);
        evento(t(), [&] { t().editar_link_button_Click(); });
        return e;
    }

    bool aberto() { return carregada("frmEditarLink_versao2"); }

    void espera_marcas_estacionadas() {
        for (forma* f : {&t().Shape2, &t().Shape3}) {
            EXPECT_FALSE(f->Visible);
            EXPECT_EQ(f->Left, 10440.0f);
            EXPECT_EQ(f->Top, 120.0f);
        }
    }
};

TEST_F(editor_de_link, abrir_enche_as_caixas_e_zero_aparece_vazio) {
    const int l = criar_link("L1");
    nome_do_no_origem_dado(l) = "";  // link de entrada
    fluxo_dado(l) = 0;
    t_de_percurso_dado(l) = 0;
    capacidade_da_caixa_dado(l) = 0;
    nome_do_recebedor_dado(l, 2) = "L7";
    valor_do_fornecimento_dado(l, 2) = 300.5f;
    definir_separador_decimal(',');
    auto& e = abrir(l);

    EXPECT_TRUE(e.Visible);
    std::vector<std::string> textos;
    for (caixa_de_texto* c : e.caixas()) textos.push_back(c->Text);
    const std::vector<std::string> esperado = {"L1", "", "N2", "5", "", "1800", "", "", "", "", "L7", "300.5", "", "", "", ""};
    EXPECT_EQ(textos, esperado);
    EXPECT_EQ(e.ActiveControl(), &e.codigo_texto);
    // A janela cobre a tela.
    EXPECT_EQ(e.Left, 0.0f);
    EXPECT_EQ(e.Width, tela().Width);

    // Passar pelas caixas sem mudar nada guarda o mesmo valor, também com a vírgula regional.
    for (caixa_de_texto* c : e.caixas()) digitar(*c, c->Text);
    EXPECT_EQ(valor_do_fornecimento_editado(l, 2), 300.5f);
    EXPECT_EQ(fluxo_de_saturacao_editado(l), 1800.0f);
    EXPECT_EQ(fluxo_editado(l), 0.0f);
}

TEST_F(editor_de_link, perder_o_foco_guarda_com_a_leitura_dos_numeros) {
    const int l = criar_link("L1");
    auto& e = abrir(l);
    projeto_alterado = false;
    digitar(e.verde_de_seguranca_texto, "2.5");
    digitar(e.fluxo_texto, "12abc");
    digitar(e.valor_do_iesimo_fornecimento_texto(3), "12,5");
    digitar(e.fluxo_de_saturacao_texto, "1800,5");
    digitar(e.t_de_percurso_texto, "3.5");
    digitar(e.capacidade_da_caixa_texto, "");
    digitar(e.codigo_do_iesimo_recebedor_texto(3), " x ");
    digitar(e.codigo_texto, "");  // a última caixa perde o foco aqui
    EXPECT_EQ(verde_de_seguranca_editado(l), 2);
    EXPECT_EQ(fluxo_editado(l), 12.0f);
    // A vírgula decimal vale como ponto.
    EXPECT_EQ(valor_do_fornecimento_editado(l, 4), 12.5f);
    EXPECT_EQ(fluxo_de_saturacao_editado(l), 1800.5f);
    EXPECT_EQ(t_de_percurso_editado(l), 4);
    EXPECT_EQ(capacidade_da_caixa_editado(l), 0);
    EXPECT_EQ(nome_do_recebedor_editado(l, 4), " x ");
    // Guardar não confirma nem valida.
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(fluxo_dado(l), 800.0f);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(editor_de_link, enter_numa_caixa_guarda_e_confirma_e_o_rotulo_vai_para_o_meio_do_corpo) {
    const int l = criar_link("L1");
    const int outro = criar_link("L2");
    t().corpo_link_line(l).X1 = 1000;
    t().corpo_link_line(l).Y1 = 3000;
    t().corpo_link_line(l).X2 = 3000;
    t().corpo_link_line(l).Y2 = 1000;
    t().etiqueta_link_label(l).Width = 400;
    auto& e = abrir(l);
    digitar(e.codigo_texto, "A1");
    digitar(e.valor_do_iesimo_fornecimento_texto(0), "250");
    digitar(e.codigo_do_iesimo_recebedor_texto(0), "L2");
    digitar(e.t_de_percurso_texto, "7");  // guardado só pelo Enter
    const Long revisao = revisao_da_rede;
    EXPECT_EQ(enter(e), 0);

    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_GT(revisao_da_rede, revisao);  // os resultados de antes não valem mais
    EXPECT_EQ(nome_do_link_dado(l), "A1");
    EXPECT_EQ(t_de_percurso_dado(l), 7);
    EXPECT_EQ(nome_do_recebedor_dado(l, 1), "L2");
    EXPECT_EQ(valor_do_fornecimento_dado(l, 1), 250.0f);
    EXPECT_EQ(fluxo_dado(l), 800.0f);
    EXPECT_TRUE(dados_ok);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_FALSE(aberto());
    espera_marcas_estacionadas();
    const rotulo& r = t().etiqueta_link_label(l);
    EXPECT_EQ(r.Caption.texto(), "A1");
    EXPECT_TRUE(r.Visible);
    EXPECT_EQ(r.Left, 2020.0f);
    EXPECT_EQ(r.Top, 2020.0f);
    EXPECT_FALSE(t().etiqueta_link_label(outro).Visible);
    EXPECT_TRUE(teste::desenho_da_rede_como_nos_controles());

    // Os outros sentidos do corpo, pelo botão e pelo Enter da janela.
    struct caso {
        Single x1, y1, x2, y2, left, top;
    };
    const caso casos[] = {
        {1000, 1000, 3000, 3000, 1580, 2020},  // desce para a direita
        {3000, 800, 1000, 800, 2020, 820},     // horizontal da direita para a esquerda
        {2000, 3000, 2000, 1000, 1580, 2020},  // vertical para cima
        {2000, 2000, 2000, 2000, 1580, 2020},  // um ponto: não move
    };
    bool pelo_botao = true;
    for (const caso& c : casos) {
        linha& corpo = t().corpo_link_line(l);
        corpo.X1 = c.x1;
        corpo.Y1 = c.y1;
        corpo.X2 = c.x2;
        corpo.Y2 = c.y2;
        auto& e2 = abrir(l);
        if (pelo_botao) {
            clicar(e2.inserir_dados_button);
        } else {
            evento(e2, [&] { e2.mover_foco(nullptr); });
            EXPECT_EQ(enter(e2), 0);
        }
        pelo_botao = !pelo_botao;
        EXPECT_FALSE(aberto());
        EXPECT_EQ(t().etiqueta_link_label(l).Left, c.left) << c.x1 << " " << c.y1;
        EXPECT_EQ(t().etiqueta_link_label(l).Top, c.top) << c.x1 << " " << c.y1;
    }
}

// Um nome só de brancos é nome nenhum, para o link e para o seu nó destino.
TEST_F(editor_de_link, nomes_so_de_brancos_sao_recusados_como_vazios) {
    const int l = criar_link("L1");
    auto& e = abrir(l);
    for (caixa_de_texto* c : e.caixas()) digitar(*c, "   ");
    clicar(e.inserir_dados_button);
    const auto v = avisos();
    ASSERT_GE(v.size(), 2u);
    EXPECT_EQ(v[0], "o link deve ter um nome");
    EXPECT_EQ(v[1], "o link deve ter um nó destino");
    EXPECT_EQ(nome_do_link_dado(l), "L1");
}

TEST_F(editor_de_link, cada_verificacao_na_ordem_e_nada_confirmado) {
    const int l = criar_link("L1");
    auto& e = abrir(l);
    for (caixa_de_texto* c : e.caixas()) digitar(*c, "");
    clicar(e.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "o link deve ter um nome",
                            "o link deve ter um nó destino",
                            "o nó origem deve ser diferente do nó destino",
                            "o verde de segurança deve estar compreendido entre 1 e 99 s",
                            "o fluxo deve estar compreendido entre 1 e 9999 veíc/h",
                            "o fluxo de saturação deve estar compreendido entre 1 e 9999 veíc/h",
                        }));
    EXPECT_FALSE(dados_ok);
    EXPECT_TRUE(aberto());
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    EXPECT_EQ(link_selecionado, l);

    // Link interno com o resto errado; a passada dos recebedores mostra uma vez por posição.
    s.mensagens.clear();
    const std::pair<caixa_de_texto*, const char*> entradas[] = {
        {&e.codigo_texto, "L1"},
        {&e.no_origem_texto, "a"},
        {&e.no_destino_texto, "A "},
        {&e.verde_de_seguranca_texto, "5"},
        {&e.fluxo_texto, "800"},
        {&e.fluxo_de_saturacao_texto, "799.5"},
        {&e.t_de_percurso_texto, "121"},
        {&e.capacidade_da_caixa_texto, "1"},
        {&e.codigo_do_iesimo_recebedor_texto(0), "L2"},
        {&e.valor_do_iesimo_fornecimento_texto(1), "300"},
        {&e.valor_do_iesimo_fornecimento_texto(2), "-5"},
        {&e.codigo_do_iesimo_recebedor_texto(3), "L9"},
        {&e.valor_do_iesimo_fornecimento_texto(3), "1E4"},
    };
    for (const auto& [c, texto] : entradas) digitar(*c, texto);
    clicar(e.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "o nó origem deve ser diferente do nó destino",
                            "o fluxo não pode seer maior do que seu respectivo fluxo de saturação",
                            "o tempo de percurso dos links internos deve estar compreendido entre 1 e 120 s",
                            "a capacidade da caixa deve estar compreendida entre 2 e 9999 veíc",
                            "falta definir o valor do fornecimento para um link",
                            "falta definir o nome de um link para o qual há fornecimento",
                            "falta definir o nome de um link para o qual há fornecimento",
                            "o fluxo de fornecimento deve estar compreendido entre 1 e 9999 veíc/h",
                            "o fluxo de fornecimento deve estar compreendido entre 1 e 9999 veíc/h",
                        }));
    EXPECT_EQ(nome_do_no_origem_dado(l), "N1");

    // Link de entrada: tempo de percurso e capacidade têm de ser zero; os limites passam.
    s.mensagens.clear();
    const std::pair<caixa_de_texto*, const char*> correcoes[] = {
        {&e.no_origem_texto, ""},
        {&e.fluxo_de_saturacao_texto, "800"},
        {&e.t_de_percurso_texto, "15"},
        {&e.capacidade_da_caixa_texto, "3"},
        {&e.valor_do_iesimo_fornecimento_texto(0), "9999"},
        {&e.valor_do_iesimo_fornecimento_texto(1), ""},
        {&e.valor_do_iesimo_fornecimento_texto(2), ""},
        {&e.valor_do_iesimo_fornecimento_texto(3), "1"},
    };
    for (const auto& [c, texto] : correcoes) digitar(*c, texto);
    clicar(e.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "o tempo de percurso dos links de entrada deve ser igual a zero",
                            "não deve ser fornecida a capacidade da caixa dos links de entrada",
                        }));
    // Negativo também não é zero.
    s.mensagens.clear();
    digitar(e.t_de_percurso_texto, "-5");
    digitar(e.capacidade_da_caixa_texto, "");
    clicar(e.inserir_dados_button);
    EXPECT_EQ(avisos(), std::vector<std::string>{"o tempo de percurso dos links de entrada deve ser igual a zero"});
    s.mensagens.clear();
    digitar(e.t_de_percurso_texto, "");
    clicar(e.inserir_dados_button);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(aberto());
    EXPECT_EQ(nome_do_no_origem_dado(l), "");
    EXPECT_EQ(capacidade_da_caixa_dado(l), 0);
    EXPECT_EQ(valor_do_fornecimento_dado(l, 4), 1.0f);
}

TEST_F(editor_de_link, verde_de_seguranca_de_1_a_99) {
    // As duas pontas confirmam; 100 cabe na caixa e é recusado na confirmação.
    const int l = criar_link("L1");
    for (const int verde : {1, 99}) {
        s.mensagens.clear();
        auto& e = abrir(l);
        digitar(e.verde_de_seguranca_texto, std::to_string(verde));
        clicar(e.inserir_dados_button);
        EXPECT_TRUE(s.mensagens.empty()) << verde;
        EXPECT_FALSE(aberto());
        EXPECT_EQ(verde_de_seguranca_dado(l), verde);
    }
    auto& e = abrir(l);
    digitar(e.verde_de_seguranca_texto, "100");
    clicar(e.inserir_dados_button);
    EXPECT_EQ(avisos(), std::vector<std::string>{"o verde de segurança deve estar compreendido entre 1 e 99 s"});
    EXPECT_TRUE(aberto());
    EXPECT_EQ(verde_de_seguranca_dado(l), 99);
}

TEST_F(editor_de_link, cancelar_e_desativar_nao_confirmam) {
    const int l = criar_link("L1");
    const int outro = criar_link("L2");
    t().Shape2.Visible = true;
    auto& e = abrir(l);
    digitar(e.codigo_texto, "novo");
    digitar(e.fluxo_texto, "5");
    clicar(e.cancelar_button);
    EXPECT_FALSE(aberto());
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    EXPECT_EQ(fluxo_dado(l), 800.0f);
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_FALSE(projeto_alterado);
    espera_marcas_estacionadas();

    // Ir para a janela principal limpa o editor e a seleção; voltar lê o link selecionado então.
    auto& e2 = abrir(l);
    digitar(e2.codigo_texto, "novo");
    digitar(e2.fluxo_texto, "5");
    t().Shape3.Visible = true;
    evento(t(), [&] { ativar_janela(t()); });
    EXPECT_TRUE(aberto());
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_EQ(e2.codigo_texto.Text.texto(), "");
    espera_marcas_estacionadas();
    link_selecionado = static_cast<Byte>(outro);
    evento(e2, [&] { ativar_janela(e2); });
    EXPECT_EQ(e2.codigo_texto.Text.texto(), "L2");
    EXPECT_EQ(fluxo_editado(outro), 800.0f);
    EXPECT_EQ(nome_do_link_dado(l), "L1");

    // Sem link selecionado ao voltar, a confirmação não tem o que gravar: o usuário fica
    // sabendo por quê e o editor se fecha como em "Cancelar", sem gravar nada.
    evento(t(), [&] { ativar_janela(t()); });
    evento(e2, [&] { ativar_janela(e2); });
    for (const auto& [c, texto] : {std::pair{&e2.codigo_texto, "X"}, {&e2.no_destino_texto, "N"},
                                   {&e2.verde_de_seguranca_texto, "5"}, {&e2.fluxo_texto, "5"},
                                   {&e2.fluxo_de_saturacao_texto, "50"}})
        digitar(*c, texto);
    EXPECT_EQ(enter(e2), 0);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "nenhum link selecionado: selecione o link no desenho e abra o editor de novo");
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_FALSE(aberto());
    espera_marcas_estacionadas();
    EXPECT_EQ(nome_do_link_dado(0), "");
    EXPECT_FALSE(t().etiqueta_link_label(0).Visible);
    EXPECT_FALSE(projeto_alterado);

    // O mesmo pelo botão "Inserir dados".
    auto& e3 = abrir(l);
    evento(t(), [&] { ativar_janela(t()); });
    evento(e3, [&] { ativar_janela(e3); });
    digitar(e3.codigo_texto, "Y");
    clicar(e3.inserir_dados_button);
    EXPECT_EQ(s.mensagens.size(), 2u);
    EXPECT_FALSE(aberto());
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(editor_de_link, numero_que_nao_cabe_avisa_e_a_janela_fica_aberta_com_as_edicoes) {
    const int l = criar_link("L1");
    struct caso {
        caixa_de_texto* (*caixa)(janela_editar_link&);
        const char* texto;
        const char* aviso;
    };
    const caso casos[] = {
        {[](janela_editar_link& e) { return &e.verde_de_seguranca_texto; }, "300",
         "o número digitado na caixa \"Verde de segurança (s)\" deve estar compreendido entre 1 e 99"},
        {[](janela_editar_link& e) { return &e.verde_de_seguranca_texto; }, "-1",
         "o número digitado na caixa \"Verde de segurança (s)\" deve estar compreendido entre 1 e 99"},
        {[](janela_editar_link& e) { return &e.capacidade_da_caixa_texto; }, "40000",
         "o número digitado na caixa \"Capacidade de armazenamento (veic)\" deve estar compreendido entre 2 e 9999"},
        {[](janela_editar_link& e) { return &e.fluxo_texto; }, "9E99",
         "o número digitado na caixa \"Fluxo (veic/h)\" deve estar compreendido entre 1 e 9999"},
        {[](janela_editar_link& e) { return &e.t_de_percurso_texto; }, "-4E4",
         "o número digitado na caixa \"Tempo de percurso (s)\" deve estar compreendido entre 1 e 120"},
        {[](janela_editar_link& e) { return &e.valor_do_iesimo_fornecimento_texto(2); }, "1E39",
         "o número digitado na caixa \"Valor do terceiro fornecimento\" deve estar compreendido entre 0 e 9999"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        s.mensagens.clear();
        auto& e = abrir(l);
        digitar(e.codigo_texto, "novo");
        caixa_de_texto& ruim = *c.caixa(e);
        digitar(ruim, c.texto);
        EXPECT_EQ(enter(e), 0);
        EXPECT_EQ(avisos(), std::vector<std::string>{c.aviso});
        // Nada se perde: a janela aberta, a outra edição guardada, a caixa com o foco e o texto.
        EXPECT_TRUE(aberto());
        EXPECT_EQ(e.ActiveControl(), &ruim);
        EXPECT_EQ(ruim.Text.texto(), c.texto);
        EXPECT_EQ(e.codigo_texto.Text.texto(), "novo");
        EXPECT_EQ(nome_do_link_editado(l), "novo");
        EXPECT_EQ(nome_do_link_dado(l), "L1");
        EXPECT_EQ(verde_de_seguranca_editado(l), 5);
        EXPECT_EQ(capacidade_da_caixa_editado(l), 30);
        EXPECT_EQ(fluxo_editado(l), 800.0f);
        EXPECT_EQ(t_de_percurso_editado(l), 20);
        EXPECT_FALSE(projeto_alterado);
        evento(e, [&] { e.cancelar_button_Click(); });
    }

    // Sair da caixa: o aviso, e o foco volta para ela; o clique em "Inserir dados" avisa de
    // novo e não confirma; corrigida, a confirmação passa com as outras edições.
    s.mensagens.clear();
    auto& e = abrir(l);
    digitar(e.codigo_texto, "novo");
    digitar(e.verde_de_seguranca_texto, "256");
    digitar(e.fluxo_texto, "900");
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(e.ActiveControl(), &e.verde_de_seguranca_texto);
    clicar(e.inserir_dados_button);
    EXPECT_EQ(s.mensagens.size(), 2u);
    EXPECT_TRUE(aberto());
    EXPECT_EQ(e.ActiveControl(), &e.verde_de_seguranca_texto);
    EXPECT_EQ(verde_de_seguranca_dado(l), 5);
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    digitar(e.verde_de_seguranca_texto, "12");
    clicar(e.inserir_dados_button);
    EXPECT_EQ(s.mensagens.size(), 2u);
    EXPECT_FALSE(aberto());
    EXPECT_EQ(verde_de_seguranca_dado(l), 12);
    EXPECT_EQ(nome_do_link_dado(l), "novo");
    EXPECT_TRUE(projeto_alterado);
}

// A confirmação espera a caixa recusada enquanto ela está à vista e com texto (e lhe devolve o
// foco); uma caixa recusada que o programa esvaziou ou escondeu deixa de contar.
TEST_F(editor_de_link, caixa_recusada_esvaziada_ou_escondida_deixa_de_prender_a_confirmacao) {
    const int l = criar_link("L1");
    auto& e = abrir(l);
    caixa_de_texto& caixa = e.verde_de_seguranca_texto;
    caixa_de_texto* recusada = nullptr;
    EXPECT_FALSE(confirmacao_espera_a_caixa_recusada(recusada));

    evento(e, [&] { e.fluxo_texto.SetFocus(); });
    caixa.Text = "300";
    recusada = &caixa;
    evento(e, [&] { EXPECT_TRUE(confirmacao_espera_a_caixa_recusada(recusada)); });
    EXPECT_EQ(recusada, &caixa);
    EXPECT_EQ(e.ActiveControl(), &caixa);

    caixa.Text = "";
    EXPECT_FALSE(confirmacao_espera_a_caixa_recusada(recusada));
    EXPECT_EQ(recusada, nullptr);

    caixa.Text = "300";
    caixa.Visible = false;
    recusada = &caixa;
    EXPECT_FALSE(confirmacao_espera_a_caixa_recusada(recusada));
    EXPECT_EQ(recusada, nullptr);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(editor_de_link, nome_que_o_arquivo_nao_guarda_e_recusado_e_nada_confirmado) {
    const int l = criar_link("L1");
    auto& e = abrir(l);
    digitar(e.codigo_texto, "L11,");
    digitar(e.no_origem_texto, "-");
    digitar(e.no_destino_texto, "N\x01");  // o XML não guarda caracteres de controle
    digitar(e.codigo_do_iesimo_recebedor_texto(1), "a,b");
    digitar(e.valor_do_iesimo_fornecimento_texto(1), "10");
    EXPECT_EQ(enter(e), 0);
    EXPECT_EQ(avisos(), (std::vector<std::string>{"o caracter ',' não pode ser usado no nome de um link",
                                                  "o caracter '-' não pode ser usado no nome do nó origem",
                                                  "o caracter de código 1 não pode ser usado no nome do nó destino",
                                                  "o caracter ',' não pode ser usado no nome de um link recebedor"}));
    EXPECT_FALSE(dados_ok);
    EXPECT_TRUE(aberto());
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    EXPECT_EQ(nome_do_no_origem_dado(l), "N1");
    EXPECT_EQ(nome_do_recebedor_dado(l, 2), "");
    EXPECT_FALSE(projeto_alterado);

    // Sem a vírgula, o mesmo link é confirmado; um "-" dentro de um nome serve.
    s.mensagens.clear();
    digitar(e.codigo_texto, "L11");
    digitar(e.no_origem_texto, "N-1");
    digitar(e.no_destino_texto, "N2");
    digitar(e.codigo_do_iesimo_recebedor_texto(1), "a b");
    EXPECT_EQ(enter(e), 0);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(nome_do_link_dado(l), "L11");
    EXPECT_EQ(nome_do_recebedor_dado(l, 2), "a b");
}

TEST_F(editor_de_link, falhas_da_abertura_e_da_confirmacao_e_execucao_em_curso) {
    const int l = criar_link("L1");
    abrir(200);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 103");
    EXPECT_FALSE(aberto());

    s.mensagens.clear();
    auto& e = abrir(l);
    evento(e, [&] { e.mover_foco(nullptr); });
    link_selecionado = 151;
    clicar(e.inserir_dados_button);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 101");
    EXPECT_FALSE(aberto());

    // Durante um processamento nenhuma confirmação age, e cada uma diz por quê; o Enter ainda
    // guarda a caixa.
    s.mensagens.clear();
    auto& e2 = abrir(l);
    execucao_em_curso = true;
    digitar(e2.codigo_texto, "");
    EXPECT_EQ(enter(e2), 0);
    clicar(e2.inserir_dados_button);
    EXPECT_EQ(s.textos_das_mensagens(),
              (std::vector<std::string>{"Aguarde o fim do processamento", "Aguarde o fim do processamento"}));
    EXPECT_EQ(s.mensagens[1].titulo, "Aviso");
    EXPECT_EQ(nome_do_link_editado(l), "");
    EXPECT_EQ(nome_do_link_dado(l), "L1");
    EXPECT_TRUE(aberto());
    EXPECT_EQ(link_selecionado, l);
    // "Calculadora" não faz nada.
    clicar(e2.calculadora_command);
    EXPECT_TRUE(aberto());
}

}  // namespace
}  // namespace orvel
