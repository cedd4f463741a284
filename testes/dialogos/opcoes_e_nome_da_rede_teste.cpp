#include <gtest/gtest.h>

#include "dialogo_de_teste.h"
#include "dialogos/nome_da_rede.h"
#include "dialogos/opcoes_da_rede.h"
#include "modelo/buffers_de_edicao.h"

namespace orvel {
namespace {

class opcoes_da_rede : public teste::com_dialogos {
protected:
    void SetUp() override {
        com_dialogos::SetUp();
        t_de_ciclo_imposto_dado = 90;
        t_de_ciclo_maximo_imposto_dado = 0;
        grau_de_saturacao_meta_imposto_dado = 87.5f;
        grau_de_saturacao_limite_imposto_dado = 0;
        peso_da_parada_imposto_dado = 30;
    }

    janela_opcoes_da_rede& abrir() {
        auto& o = opcoes_da_rede_unica();
        evento(o, [&] { o.Show(); });
        return o;
    }

    bool aberto() { return carregada("frmRede_versao2"); }

    std::vector<caixa_de_texto*> caixas(janela_opcoes_da_rede& o) {
        return {&o.t_de_ciclo_imposto_texto, &o.t_de_ciclo_maximo_texto, &o.grau_de_saturacao_meta_texto,
                &o.grau_de_saturacao_limite_texto, &o.peso_da_parada_texto};
    }

    void preencher(janela_opcoes_da_rede& o, const std::vector<std::string>& textos) {
        auto c = caixas(o);
        for (std::size_t i = 0; i < textos.size(); ++i) digitar(*c[i], textos[i]);
    }

    void espera_sem_mudanca() {
        EXPECT_EQ(t_de_ciclo_imposto_dado, 90);
        EXPECT_EQ(t_de_ciclo_maximo_imposto_dado, 0);
        EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 87.5f);
        EXPECT_EQ(peso_da_parada_imposto_dado, 30);
        EXPECT_FALSE(projeto_alterado);
    }
};

TEST_F(opcoes_da_rede, abrir_enche_as_caixas_e_enter_guarda_e_confirma) {
    definir_separador_decimal(',');
    auto& o = abrir();
    EXPECT_EQ(o.Width, 9100.0f);
    EXPECT_EQ(o.Shape1.Left, 1010.0f);
    EXPECT_EQ(o.BackColor, rgb(193, 193, 193));
    std::vector<std::string> textos;
    for (caixa_de_texto* c : caixas(o)) textos.push_back(c->Text);
    EXPECT_EQ(textos, (std::vector<std::string>{"90", "", "87.5", "", "30"}));

    // Ciclo imposto sem máximo não compara os dois; o meta fica como estava.
    digitar(o.grau_de_saturacao_meta_texto, o.grau_de_saturacao_meta_texto.Text);
    digitar(o.grau_de_saturacao_limite_texto, "95.5");
    digitar(o.peso_da_parada_texto, "0");
    EXPECT_EQ(enter(o), 0);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(aberto());
    EXPECT_TRUE(projeto_alterado);
    EXPECT_TRUE(dados_ok);
    EXPECT_EQ(t_de_ciclo_imposto_dado, 90);
    EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 87.5f);
    EXPECT_EQ(grau_de_saturacao_limite_imposto_dado, 95.5f);
    EXPECT_EQ(peso_da_parada_imposto_dado, 0);
}

TEST_F(opcoes_da_rede, todas_as_verificacoes_na_ordem_e_as_faixas) {
    auto& o = abrir();
    preencher(o, {"301", "0", "4.5", "500.5", "-1"});
    clicar(o.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "o tempo de ciclo imposto deve estar compreendido na faixa entre 1 e 300 s",
                            "o tempo de ciclo máximo deve estar compreendido na faixa entre 1 e 300 s",
                            "o tempo de ciclo imposto deve ser menor ou igual ao tempo de ciclo máximo imposto",
                            "o grau de saturação meta deve estar compreendido na faixa entre 5 e 500 s",
                            "o grau de saturação limite deve estar compreendido na faixa entre 5 e 500 s",
                            "o peso da parada deve ser maior ou igual a zero",
                        }));
    EXPECT_FALSE(dados_ok);
    EXPECT_TRUE(aberto());
    espera_sem_mudanca();

    s.mensagens.clear();
    preencher(o, {"150", "120", "5", "500", "0"});
    clicar(o.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "o tempo de ciclo imposto deve ser menor ou igual ao tempo de ciclo máximo imposto"}));
    espera_sem_mudanca();

    s.mensagens.clear();
    digitar(o.t_de_ciclo_imposto_texto, "120");
    evento(o, [&] { o.mover_foco(nullptr); });
    EXPECT_EQ(enter(o), 0);  // sem foco, o Enter chega à janela
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(aberto());
    EXPECT_EQ(t_de_ciclo_imposto_dado, 120);
    EXPECT_EQ(t_de_ciclo_maximo_imposto_dado, 120);
    EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 5.0f);
    EXPECT_EQ(grau_de_saturacao_limite_imposto_dado, 500.0f);
}

TEST_F(opcoes_da_rede, caixas_vazias_passam_e_guardam_zero) {
    auto& o = abrir();
    preencher(o, {"", "", "", "", ""});
    const Long revisao = revisao_da_rede;
    clicar(o.inserir_dados_button);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_GT(revisao_da_rede, revisao);  // os resultados de antes não valem mais
    EXPECT_FALSE(aberto());
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(t_de_ciclo_imposto_dado, 0);
    EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 0.0f);
    EXPECT_EQ(peso_da_parada_imposto_dado, 0);
}

TEST_F(opcoes_da_rede, cancelar_desativar_transbordar_e_execucao_nao_confirmam) {
    auto& o = abrir();
    preencher(o, {"60", "70"});
    clicar(o.cancelar_button);
    EXPECT_FALSE(aberto());
    espera_sem_mudanca();

    auto& o2 = abrir();
    digitar(o2.t_de_ciclo_imposto_texto, "60");
    evento(t(), [&] { ativar_janela(t()); });
    EXPECT_TRUE(aberto());
    EXPECT_EQ(o2.t_de_ciclo_imposto_texto.Text.texto(), "");
    evento(o2, [&] { ativar_janela(o2); });
    EXPECT_EQ(o2.t_de_ciclo_imposto_texto.Text.texto(), "90");
    EXPECT_EQ(t_de_ciclo_imposto_editado, 90);

    // Durante um processamento a confirmação não age e diz por quê.
    execucao_em_curso = true;
    digitar(o2.t_de_ciclo_imposto_texto, "0");
    EXPECT_EQ(enter(o2), 0);
    clicar(o2.inserir_dados_button);
    EXPECT_EQ(s.textos_das_mensagens(),
              (std::vector<std::string>{"Aguarde o fim do processamento", "Aguarde o fim do processamento"}));
    EXPECT_TRUE(aberto());
    espera_sem_mudanca();
    execucao_em_curso = false;

}

TEST_F(opcoes_da_rede, numero_que_nao_cabe_avisa_e_a_janela_fica_aberta_com_as_edicoes) {
    const std::string aviso_do_peso =
        "o número digitado na caixa \"Peso da parada imposto (s)\" deve estar compreendido entre 0 e 32767";
    // O peso não tem limite de caracteres: um valor fora do Integer, com Enter.
    auto& o = abrir();
    digitar(o.t_de_ciclo_imposto_texto, "100");
    digitar(o.peso_da_parada_texto, "99999");
    EXPECT_EQ(enter(o), 0);
    EXPECT_EQ(avisos(), std::vector<std::string>{aviso_do_peso});
    EXPECT_TRUE(aberto());
    EXPECT_EQ(o.ActiveControl(), &o.peso_da_parada_texto);
    EXPECT_EQ(o.peso_da_parada_texto.Text.texto(), "99999");
    EXPECT_EQ(o.t_de_ciclo_imposto_texto.Text.texto(), "100");
    EXPECT_EQ(t_de_ciclo_imposto_editado, 100);
    EXPECT_EQ(peso_da_parada_imposto_editado, 30);
    espera_sem_mudanca();

    // Saindo da caixa, o foco volta a ela; o clique em "Inserir dados" não confirma.
    s.mensagens.clear();
    digitar(o.grau_de_saturacao_meta_texto, "90");
    EXPECT_EQ(o.ActiveControl(), &o.peso_da_parada_texto);
    clicar(o.inserir_dados_button);
    EXPECT_EQ(avisos(), (std::vector<std::string>{aviso_do_peso, aviso_do_peso}));
    EXPECT_TRUE(aberto());
    EXPECT_EQ(o.ActiveControl(), &o.peso_da_parada_texto);
    espera_sem_mudanca();

    // Corrigido, confirma com as outras edições; a vírgula decimal vale como ponto.
    s.mensagens.clear();
    digitar(o.peso_da_parada_texto, "20");
    digitar(o.grau_de_saturacao_limite_texto, "0,88");
    digitar(o.grau_de_saturacao_meta_texto, "87,5");
    EXPECT_EQ(grau_de_saturacao_limite_imposto_editado, 0.88f);
    digitar(o.grau_de_saturacao_limite_texto, "95,5");
    EXPECT_EQ(enter(o), 0);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(aberto());
    EXPECT_EQ(t_de_ciclo_imposto_dado, 100);
    EXPECT_EQ(peso_da_parada_imposto_dado, 20);
    EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 87.5f);
    EXPECT_EQ(grau_de_saturacao_limite_imposto_dado, 95.5f);
}

class nome_da_rede : public teste::com_dialogos {
protected:
    janela_nome_da_rede& abrir() {
        auto& n = nome_da_rede_unico();
        evento(n, [&] { n.Show(); });
        return n;
    }
    bool aberto() { return carregada("frmNome_da_rede_versao2"); }
};

TEST_F(nome_da_rede, inserir_avisa_cada_caracter_guarda_como_digitado_e_habilita_salvar) {
    nome_da_rede_dado = "Antiga";
    for (item_de_menu* m : {&t().mnuSalvar, &t().mnuSalvar_como}) m->Enabled = false;
    t().salvar_button.Enabled = false;
    auto& n = abrir();
    EXPECT_EQ(n.Left, 840.0f);  // (12000 - 10320) / 2
    EXPECT_EQ(n.Top, 1400.0f);
    EXPECT_EQ(n.nome_da_rede_texto.Left, 716.0f);
    EXPECT_EQ(n.nome_da_rede_texto.Text.texto(), "Antiga");

    const Single largura_antes = t().Label1.Width;
    digitar(n.nome_da_rede_texto, "a:b?c/d\\\\:");
    clicar(n.Command1);
    const auto aviso = [](char c) {
        return std::string("o caracter '") + c + "' não poderá ser usado no nome do arquivo quando se quiser salvar o projeto";
    };
    EXPECT_EQ(avisos(), (std::vector<std::string>{aviso(':'), aviso('?'), aviso('/'), aviso('\\'), aviso('\\'), aviso(':')}));
    EXPECT_EQ(nome_da_rede_dado, "a:b?c/d\\\\:");
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede:  a:b?c/d\\\\:");
    EXPECT_EQ(t().Label1.Top, 760.0f);
    EXPECT_EQ(t().Label1.Left, (t().Width - largura_antes) / 2.0f);
    EXPECT_TRUE(t().mnuSalvar.Enabled);
    EXPECT_TRUE(t().salvar_button.Enabled);
    EXPECT_TRUE(t().mnuSalvar_como.Enabled);
    EXPECT_FALSE(t().mnuImprimir.Enabled);  // fora da coluna Nome
    EXPECT_TRUE(projeto_alterado);
    EXPECT_FALSE(aberto());

    // Nome vazio: nenhum aviso.
    s.mensagens.clear();
    auto& n2 = abrir();
    EXPECT_EQ(n2.nome_da_rede_texto.Text.texto(), "a:b?c/d\\\\:");
    digitar(n2.nome_da_rede_texto, "");
    clicar(n2.Command1);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(nome_da_rede_dado, "");
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede:  ");
}

// "Novo" esconde o título do desenho da rede deixada; Esc no diálogo do nome o deixa escondido, e
// o nome dado depois (Rede > Nome) o mostra de novo, com o nome novo.
TEST_F(nome_da_rede, novo_esconde_o_titulo_do_desenho_ate_o_nome_ser_dado) {
    nome_da_rede_dado = "Velha";
    t().Label1.Caption = "Desenho da rede:  Velha";
    t().Label1.Visible = true;
    evento(t(), [this] { t().mnuNovo.Click(); });
    ASSERT_TRUE(aberto());
    EXPECT_FALSE(t().Label1.Visible);
    auto& n = nome_da_rede_unico();
    evento(n, [&n] { n.entregar_tecla(tecla_esc); });
    EXPECT_FALSE(aberto());
    EXPECT_FALSE(t().Label1.Visible);

    evento(t(), [this] { t().mnuNomeRede.Click(); });
    auto& n2 = nome_da_rede_unico();
    digitar(n2.nome_da_rede_texto, "Nova");
    clicar(n2.Command1);
    EXPECT_TRUE(t().Label1.Visible);
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede:  Nova");
}

TEST_F(nome_da_rede, cancelar_e_execucao_nao_mudam_nada) {
    nome_da_rede_dado = "Centro";
    t().Label1.Caption = "Rede:  Centro";
    t().salvar_button.Enabled = false;
    auto& n = abrir();
    digitar(n.nome_da_rede_texto, "Outro");
    clicar(n.Command2);
    EXPECT_FALSE(aberto());
    EXPECT_EQ(nome_da_rede_dado, "Centro");
    EXPECT_FALSE(projeto_alterado);
    EXPECT_FALSE(t().salvar_button.Enabled);

    auto& n2 = abrir();
    EXPECT_EQ(n2.nome_da_rede_texto.Text.texto(), "Centro");
    execucao_em_curso = true;
    digitar(n2.nome_da_rede_texto, "Outro");
    clicar(n2.Command1);
    EXPECT_TRUE(aberto());
    EXPECT_EQ(nome_da_rede_dado, "Centro");
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede:  Centro");
    EXPECT_FALSE(projeto_alterado);
}

}  // namespace
}  // namespace orvel
