#include <gtest/gtest.h>

#include <vector>

#include "comum/pasta_temporaria.h"
#include "modelo/valores_da_animacao.h"
#include "resultados/diagrama_de_barras_final.h"
#include "vistas_de_teste.h"

namespace orvel {
namespace {

class diagrama_de_barras_final : public teste::com_janela_principal {
protected:
    janela_diagrama_de_barras_final& d() { return diagrama_de_barras_final_unico(); }

    // O comando da janela principal e "Apl" com o código dado.
    void aplicar(const std::string& codigo) {
        t().mnuDiagrama_de_barras.Click();
        d().Text3.Text = codigo;
        d().Command2.Click();
    }

    std::vector<Single> larguras() {
        std::vector<Single> v;
        for (int k : d().Shape1.indices()) v.push_back(d().Shape1(k).Width);
        return v;
    }

    static bool carregada(const std::string& nome) {
        for (formulario* f : janelas_carregadas())
            if (f->nome() == nome) return true;
        return false;
    }
};

// Ciclo de 60 s com 30, 28 e 2 s: larguras 5000, 4667 e 333; a terceira sobe para 400 com os
// 67 twips tirados da mais larga.
TEST_F(diagrama_de_barras_final, instantes_duracoes_e_marcas_de_demanda) {
    const int n = teste::no_processado_a_mao(60, {30, 28, 2});
    eh_no_demandado_dado(n) = true;
    intervalo_demandado_dado(n) = 2;
    intervalo_beneficiado_dado(n) = 3;
    aplicar("  a ");  // sem importar maiúsculas e brancos

    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(no_do_diagrama, n);
    EXPECT_EQ(larguras(), (std::vector<Single>{4933, 4667, 400}));
    const Single x[] = {0, 6013, 10680, 11080};
    const char* instantes[] = {"", "30", "58", "60"};
    const char* duracoes[] = {"", "30", "28", "2"};
    const Long cores[] = {0, rgb(255, 26, 34), rgb(0, 135, 88), rgb(255, 255, 0)};
    for (int k = 1; k <= 3; ++k) {
        const Single largura = d().Shape1(k).Width;
        EXPECT_EQ(d().Line4(k).X1, x[k]);
        EXPECT_EQ(d().Line4(k).Y2, 5500);
        EXPECT_EQ(d().Label9(k).Caption.texto(), instantes[k]);
        EXPECT_EQ(d().Label9(k).Left, x[k] - d().Label9(0).Width / 2);
        EXPECT_EQ(d().Label11(k).Caption.texto(), duracoes[k]);
        EXPECT_EQ(d().Label11(k).Left, x[k] - largura / 2);
        EXPECT_EQ(d().Label11(k).Top, 4900);
        EXPECT_EQ(d().Shape1(k).Left, x[k] - largura);
        EXPECT_EQ(d().Shape1(k).BackColor, cores[k]);
        EXPECT_TRUE(d().Shape2(k).Visible);
    }
    EXPECT_FALSE(d().Label13(1).Visible);
    EXPECT_EQ(d().Label13(2).Caption.texto(), "D");
    EXPECT_EQ(d().Label13(2).Left, 10680 - 4667 / 2.0f - 14);
    EXPECT_EQ(d().Label13(3).Caption.texto(), "B");
    EXPECT_EQ(d().Label13(3).Left, 11080 - 200 - 1);
    EXPECT_EQ(d().Label13(3).Top, 5300);
    EXPECT_TRUE(d().Label12.Visible);
    EXPECT_EQ(d().Label12.Top, 5300);
    EXPECT_TRUE(d().Label2.Visible);
    EXPECT_FALSE(d().Label3.Visible);
    EXPECT_FALSE(d().Shape3.carregado(1));
    // Estado do diagrama: só "Imp", e as caixas de texto sem moldura.
    EXPECT_FALSE(d().Text3.Visible);
    EXPECT_FALSE(d().Command2.Visible);
    EXPECT_TRUE(d().Command1.Visible && d().Command1.Enabled);
    EXPECT_EQ(d().Text1.BorderStyle, 0);
    EXPECT_EQ(d().Text1.Width, 8760);

    // Sair da janela tira o desenho; voltar a ela é o estado de entrada.
    ativar_janela(t());
    EXPECT_FALSE(d().Line4.carregado(1));
    EXPECT_FALSE(d().Shape2.carregado(3));
    EXPECT_FALSE(d().Label1.Visible);
    EXPECT_EQ(no_do_diagrama, 0);
    d().Show();
    EXPECT_TRUE(d().Text3.Visible && d().Command2.Visible);
    EXPECT_FALSE(d().Command1.Visible);
    EXPECT_EQ(d().Text1.BorderStyle, 1);
    EXPECT_EQ(d().Text1.Width, 6975);
    EXPECT_TRUE(d().Text1.tem_o_foco());
}

// O título "Demanda" de um nó com demanda não fica na tela (nem no papel) do nó mostrado depois.
TEST_F(diagrama_de_barras_final, titulo_da_demanda_so_com_o_no_com_demanda) {
    const int n = teste::no_processado_a_mao(60, {30, 30});
    eh_no_demandado_dado(n) = true;
    intervalo_demandado_dado(n) = 1;
    intervalo_beneficiado_dado(n) = 2;
    aplicar("A");
    EXPECT_TRUE(d().Label12.Visible);
    ativar_janela(t());
    EXPECT_FALSE(d().Label12.Visible);

    eh_no_demandado_dado(n) = false;
    aplicar("A");
    EXPECT_FALSE(d().Label12.Visible);
    d().Command1.Click();
    EXPECT_FALSE(d().Label12.Visible);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(diagrama_de_barras_final, barras_estreitas_ganham_a_largura_minima) {
    // 312,5 arredonda para 312 (metade para o par); a mais larga, escolhida uma vez, paga as duas.
    teste::no_processado_a_mao(32, {1, 1, 30});
    aplicar("A");
    EXPECT_EQ(larguras(), (std::vector<Single>{400, 400, 9199}));
    ativar_janela(t());
    // A segunda estreita paga da mais larga de agora (a primeira das empatadas fica para trás).
    teste::no_processado_a_mao(60, {2, 2, 28, 28});
    aplicar("A");
    EXPECT_EQ(larguras(), (std::vector<Single>{400, 400, 4600, 4600}));
}

// Verdes de segurança que não couberam num ciclo imposto curto deixam durações que somam mais que
// o ciclo, e uma delas de quatro ciclos: o desenho reparte os 10000 twips pela soma, sem
// "Erro".
TEST_F(diagrama_de_barras_final, duracoes_que_passam_do_ciclo_cabem_no_desenho) {
    teste::no_processado_a_mao(10, {40, 5});
    aplicar("A");
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(larguras(), (std::vector<Single>{8889, 1111}));
    EXPECT_EQ(d().Label9(2).Caption.texto(), "45");
}

TEST_F(diagrama_de_barras_final, nome_sem_no_desenha_so_a_moldura) {
    teste::no_processado_a_mao(60, {30, 30});
    no_do_diagrama = 0;  // como depois de uma saída da janela
    aplicar("B");
    ASSERT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"não existe nenhum nó com este nome"});
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_TRUE(d().Line1.Visible && d().Line2.Visible && d().Line3.Visible);
    EXPECT_TRUE(d().Label10.Visible);
    EXPECT_EQ(d().Label10.Top, 3900);
    EXPECT_FALSE(d().Line4.carregado(1));
    EXPECT_EQ(d().Label12.Top, 9320);  // nó sem demanda: o título fica onde estava
    EXPECT_FALSE(d().Command2.Visible);
    EXPECT_TRUE(d().Command1.Visible);
}

// Um nó com mais de 25 intervalos (36 entrados, 72 depois de dobrado o ciclo) mostra todos: a
// largura mínima passa a ser a parte igual do ciclo, e os números mudam de linha para não se
// encostarem.
TEST_F(diagrama_de_barras_final, todos_os_intervalos_de_um_no_com_mais_de_25) {
    struct caso {
        Integer ciclo;
        std::vector<Integer> duracoes;
        Single minima;
        int linhas_dos_instantes;
    };
    std::vector<Integer> trinta_e_seis(35, 2);
    trinta_e_seis.push_back(50);
    const caso casos[] = {{120, trinta_e_seis, 277, 2}, {72, std::vector<Integer>(72, 1), 138, 3}, {104, std::vector<Integer>(26, 4), 384, 2}};
    for (const caso& c : casos) {
        const int q = static_cast<int>(c.duracoes.size());
        teste::no_processado_a_mao(c.ciclo, c.duracoes);
        t().mnuDiagrama_de_barras.Click();
        d().Text3.Text = "A";
        despachar_evento(&d(), d().Command2.Click);
        ASSERT_TRUE(s.mensagens.empty()) << q << ": " << s.mensagens.front().titulo;
        ASSERT_TRUE(carregada("frmDiagrama_de_barras_final_versao2"));
        ASSERT_EQ(d().Shape1.indices().size(), static_cast<std::size_t>(q));
        ASSERT_EQ(d().Shape2.indices().size(), static_cast<std::size_t>(q));
        EXPECT_EQ(d().Label9(q).Caption.texto(), std::to_string(c.ciclo));
        Single soma = 0;
        for (int k = 1; k <= q; ++k) {
            EXPECT_GE(d().Shape1(k).Width, c.minima) << q << " " << k;
            soma += d().Shape1(k).Width;
            EXPECT_EQ(d().Shape1(k).Left + d().Shape1(k).Width, d().Line4(k).X1);
            EXPECT_EQ(d().Label9(k).Top, 3000 - 200 * (k % c.linhas_dos_instantes));
            EXPECT_EQ(d().Label11(k).Top, k % 2 == 0 ? 4900 + 200 : 4900);
            EXPECT_EQ(d().Label11(k).Caption.texto(), std::to_string(c.duracoes[static_cast<std::size_t>(k - 1)]));
        }
        EXPECT_NEAR(soma, 10000, q / 2.0);  // os arredondamentos de cada barra
        ativar_janela(t());  // sair tira o desenho inteiro
        EXPECT_FALSE(d().Line4.carregado(1));
        EXPECT_FALSE(d().Shape2.carregado(q));
        EXPECT_TRUE(s.mensagens.empty());
    }
}

TEST_F(diagrama_de_barras_final, imprimir_esconde_o_botao_para_sempre) {
    teste::no_processado_a_mao(60, {30, 30});
    aplicar("A");
    d().Command1.Click();
    EXPECT_EQ(s.janelas_impressas, std::vector<std::string>{"frmDiagrama_de_barras_final_versao2"});
    EXPECT_FALSE(d().Command1.Visible);
}

// Fechar a janela com o desenho e abri-la de novo: a saída da janela nova não tenta tirar o
// desenho que morreu com a antiga.
TEST_F(diagrama_de_barras_final, fechada_com_o_desenho_volta_sem_erro) {
    teste::no_processado_a_mao(60, {30, 30});
    aplicar("A");
    despachar_evento(&d(), [this] { d().Unload(); });
    t().mnuDiagrama_de_barras.Click();
    ativar_janela(t());
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(no_do_diagrama, 0);
}

TEST_F(diagrama_de_barras_final, comando_pede_o_processamento_e_depois_mostra_a_rede_processada) {
    t().relatorio_diagrama_de_barras_button.Click();
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{"favor processar o projeto"});
    EXPECT_FALSE(d().Visible);

    s.mensagens.clear();
    teste::pasta_temporaria pasta;
    teste::processar_a_grade(t(), s, pasta.arquivo("grade.xml"));
    contexto().copias.nome_do_no(1).clear();  // a cópia de trabalho volta com o comando
    t().relatorio_diagrama_de_barras_button.Click();
    EXPECT_TRUE(d().Visible);
    d().Text3.Text = "n0_0";
    d().Command2.Click();
    EXPECT_TRUE(s.mensagens.empty());
    const int q = contexto().derivados.quant_de_intervalos_depois(1);
    ASSERT_GT(q, 0);
    EXPECT_EQ(d().Label9(q).Caption.texto(), "90");
    for (int k = 1; k <= q; ++k) EXPECT_EQ(d().Label11(k).Caption.texto(), std::to_string(contexto().derivados.duracao_do_intervalo(1, k)));
    EXPECT_EQ(d().Shape2.indices().size(), static_cast<std::size_t>(q));
}

}  // namespace
}  // namespace orvel
