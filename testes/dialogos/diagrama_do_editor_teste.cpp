#include <gtest/gtest.h>

#include <algorithm>

#include "dialogos/editor_de_no_de_teste.h"

namespace orvel {
namespace {

using diagrama_do_editor_de_no = teste::com_editor_de_no;

std::vector<int> colunas_marcadas(int n) {
    std::vector<int> v;
    for (int c = 0; c <= 94; ++c)
        if (existe_ordenada_editado(n, c)) v.push_back(c);
    return v;
}

// --- Modelos prontos ---

struct esperado_do_modelo {
    int opcao;
    int grupos;
    std::vector<int> colunas;
    std::vector<Single> lefts, larguras, caixas;
    std::vector<std::vector<Byte>> codigos;
};

TEST_F(diagrama_do_editor_de_no, os_tres_modelos_prontos_desenham_e_gravam_o_diagrama) {
    const std::vector<esperado_do_modelo> modelos = {
        {2,
         2,
         {0, 50, 56, 87, 94},
         {2360, 7360, 7960, 11060},
         {5000, 600, 3100, 700},
         {4700, 7500, 9350, 11250},
         {{1, 2, 3, 3}, {3, 3, 1, 2}}},
        {3,
         4,
         {0, 36, 41, 62, 67, 88, 94},
         {2360, 5960, 6460, 8560, 9060, 11160},
         {3600, 500, 2100, 500, 2100, 600},
         {4000, 6050, 7350, 8650, 9950, 11300},
         {{1, 2, 3, 3, 3, 3}, {3, 3, 1, 2, 3, 3}, {1, 1, 1, 2, 3, 3}, {3, 3, 3, 3, 1, 2}}},
        {4,
         2,
         {0, 44, 50, 63, 88, 94},
         {2360, 6760, 7360, 8660, 11160},
         {4400, 600, 1300, 2500, 600},
         {4400, 6900, 7850, 9750, 11300},
         {{1, 2, 3, 3, 3}, {3, 3, 3, 1, 2}}},
    };
    for (const auto& m : modelos) {
        SCOPED_TRACE(m.opcao);
        duracao_imposta_dado(1, 1) = 17;
        abrir(1);
        agir([&] { e().duracao_imposta_texto(1).Text = "x"; });
        escolher_modelo(m.opcao);
        editor_de_no& j = e();
        const int intervalos = static_cast<int>(m.lefts.size());
        EXPECT_EQ(quant_de_grupos_editado(1), m.grupos);
        EXPECT_EQ(quant_de_intervalos_antes_editado(1), intervalos);
        EXPECT_EQ(j.texto_quantos_grupos.Text, std::to_string(m.grupos));
        EXPECT_EQ(colunas_marcadas(1), m.colunas);
        for (int g = 1; g <= 8; ++g) {
            EXPECT_EQ(j.fundo_barra(g).Visible, g <= m.grupos);
            EXPECT_EQ(j.links_do_G(g)(3).Visible, g <= m.grupos);
            for (int k = 1; k <= intervalos; ++k) {
                EXPECT_EQ(j.pedaco(g, k).Visible, g <= m.grupos);
                if (g > m.grupos) continue;
                const std::size_t i = static_cast<std::size_t>(k - 1);
                EXPECT_EQ(j.pedaco(g, k).Left, m.lefts[i]);
                EXPECT_EQ(j.pedaco(g, k).Width, m.larguras[i]);
                EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, g, k), m.codigos[static_cast<std::size_t>(g - 1)][i]);
                EXPECT_EQ(j.pedaco(g, k).BackColor, *cor_do_estado(m.codigos[static_cast<std::size_t>(g - 1)][i]));
            }
        }
        EXPECT_EQ(j.pedaco(1, intervalos + 1).Left, 11760.0f);
        EXPECT_FALSE(j.pedaco(1, intervalos + 1).Visible);
        for (int k = 1; k <= intervalos; ++k) {
            EXPECT_EQ(j.duracao_imposta_texto(k).Left, m.caixas[static_cast<std::size_t>(k - 1)]);
            EXPECT_TRUE(j.duracao_imposta_texto(k).Visible);
        }
        EXPECT_EQ(j.duracao_imposta_texto(1).Text, "x");
        EXPECT_EQ(duracao_imposta_editado(1, 1), 17);
        EXPECT_TRUE(j.codigo_texto.Visible && j.Label14.Visible && j.Line3.Visible && j.inserir_dados_command.Visible);
        EXPECT_EQ(j.ActiveControl(), &j.codigo_texto);
        EXPECT_FALSE(j.Shape1.Visible || j.Label1.Visible || j.Option1(m.opcao).Visible);
        EXPECT_FALSE(projeto_alterado);
        agir([&] { e().cancelar_command.Click(); });
    }
}

TEST_F(diagrama_do_editor_de_no, no_sem_grupos_mostra_o_painel_e_o_diagrama_novo_so_os_campos) {
    nome_do_no_dado(1) = "X";
    abrir(1);
    editor_de_no& j = e();
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(j.Option1(i).Visible) << i;
    EXPECT_TRUE(j.Shape1.Visible && j.Label1.Visible);
    EXPECT_FALSE(j.codigo_texto.Visible || j.inserir_dados_command.Visible || j.Label4.Visible);
    EXPECT_EQ(nome_do_no_editado(1), "X");

    escolher_modelo(1);
    EXPECT_EQ(quant_de_grupos_editado(1), 0);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 94}));
    EXPECT_TRUE(j.codigo_texto.Visible && j.CheckDemanda.Visible);
    EXPECT_FALSE(j.inserir_dados_command.Visible || j.fundo_barra_1.Visible || j.Option1(2).Visible);
    for (int g = 1; g <= 8; ++g)
        for (int k = 1; k <= 94; ++k) {
            EXPECT_EQ(j.pedaco(g, k).BackColor, cor_do_intervalo_nao_definido);
            EXPECT_FALSE(j.pedaco(g, k).Visible);
        }
    // Sem grupos, o mouse não faz nada.
    mouse(botao_esquerdo, 5000, 2600);
    mouse(botao_esquerdo, 3000, 3150);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 94}));
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 1), 0);
}

TEST_F(diagrama_do_editor_de_no, modelo_num_no_sem_grupos_com_divisas_antigas_parte_so_das_bordas) {
    existe_ordenada_dado(1, 20) = true;  // de um arquivo: divisa sem grupos
    abrir(1);
    escolher_modelo(2);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 50, 56, 87, 94}));
    EXPECT_EQ(e().pedaco(1, 1).Width, 5000.0f);
}

TEST_F(diagrama_do_editor_de_no, modelo_pronto_gravado_volta_com_as_mesmas_divisas) {
    abrir(1);
    escolher_modelo(4);
    digitar_e_sair(e().codigo_texto, "P");
    digitar_e_sair(e().links_do_G1(0), "L1");
    digitar_e_sair(e().links_do_G2(1), "L2");
    digitar_e_sair(e().duracao_imposta_texto(2), "3");
    digitar_e_sair(e().duracao_imposta_texto(3), "12");
    digitar_e_sair(e().duracao_imposta_texto(5), "3");
    inserir_dados();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(quant_de_intervalos_antes_dado(1), 5);
    EXPECT_EQ(duracao_imposta_dado(1, 3), 12);
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 2, 4), 1);
    abrir(1);
    EXPECT_TRUE(e().ordenada(63).Visible);
    EXPECT_EQ(e().ordenada(63).X1, 8660.0f);
    EXPECT_EQ(e().duracao_imposta_texto(3).Text, "12");
    EXPECT_FALSE(e().Option1(1).Visible);
}

// --- O que a tela mostra é o que a cópia de edição guarda ---

TEST_F(diagrama_do_editor_de_no, cores_de_um_modelo_cancelado_nao_voltam_no_diagrama_novo) {
    abrir(1);
    escolher_modelo(2);
    agir([&] { e().cancelar_command.Click(); });
    abrir(1);
    for (int g = 1; g <= 8; ++g)
        for (int k = 1; k <= 95; ++k) EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, g, k), 0) << g << " " << k;
    escolher_modelo(1);
    digitar_e_sair(e().codigo_texto, "N");
    tecla_nos_grupos('2', "2");
    mouse(botao_esquerdo, 7360, 2600);  // divisa na coluna 50
    digitar_e_sair(e().links_do_G1(0), "L1");
    digitar_e_sair(e().links_do_G2(0), "L2");
    digitar_e_sair(e().duracao_imposta_texto(1), "20");
    digitar_e_sair(e().duracao_imposta_texto(2), "20");
    for (int g = 1; g <= 2; ++g)
        for (int k = 1; k <= 2; ++k) {
            EXPECT_TRUE(e().pedaco(g, k).Visible);
            EXPECT_EQ(e().pedaco(g, k).BackColor, cor_do_intervalo_nao_definido);
        }
    inserir_dados();
    EXPECT_EQ(avisos(), std::vector<std::string>(4, "falta definir a cor de algum intervalo"));
    EXPECT_EQ(quant_de_grupos_dado(1), 0);
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 1, 1), 0);
    EXPECT_TRUE(e().Visible);
}

TEST_F(diagrama_do_editor_de_no, no_eliminado_nao_deixa_nada_para_o_que_reusa_a_posicao) {
    gravar_no_valido(1);
    eh_no_escravo_dado(1) = true;
    nome_do_mestre_dado(1) = "M";
    abrir(1);
    sair_para_a_principal();
    no_selecionado = 1;
    s.respostas = {resposta_sim};
    despachar_evento(&t(), [this] { t().eliminar_no_button_Click(); });
    ASSERT_FALSE(existe_no(1));
    EXPECT_EQ(nome_do_no_editado(1), "");
    EXPECT_EQ(quant_de_grupos_editado(1), 0);
    EXPECT_FALSE(eh_no_escravo_editado(1));
    EXPECT_EQ(nome_do_mestre_editado(1), "");
    EXPECT_EQ(nome_dos_links_do_grupo_editado(1, 1, 1), "");
    EXPECT_FALSE(existe_ordenada_editado(1, 50));
    EXPECT_EQ(duracao_imposta_editado(1, 2), 0);
    for (int g = 1; g <= 8; ++g)
        for (int k = 1; k <= 95; ++k) EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, g, k), 0) << g << " " << k;

    // O nó novo toma a posição 1 e começa pelo diagrama novo: nada de cores antigas.
    s.mensagens.clear();
    despachar_evento(&t(), [] { inserir_no(); });
    ASSERT_TRUE(existe_no(1));
    abrir(1);
    escolher_modelo(1);
    tecla_nos_grupos('2', "2");
    for (int g = 1; g <= 2; ++g) EXPECT_EQ(e().pedaco(g, 1).BackColor, cor_do_intervalo_nao_definido);
    inserir_dados();
    const auto v = avisos();
    EXPECT_EQ(std::count(v.begin(), v.end(), "falta definir a cor de algum intervalo"), 2);
    EXPECT_EQ(quant_de_grupos_dado(1), 0);
}

TEST_F(diagrama_do_editor_de_no, quantidade_de_grupos_refaz_as_linhas_do_diagrama) {
    gravar_no_valido(1);
    cor_do_intervalo_do_grupo_editado(1, 3, 2) = 1;  // sobra de uma edição antiga do grupo 3
    abrir(1);
    editor_de_no& j = e();
    const Single lefts[] = {2360, 7360, 7960, 11060};
    const Single larguras[] = {5000, 600, 3100, 700};
    const Single caixas[] = {4700, 7500, 9350, 11250};

    // De 2 para 3: a linha nova ganha os quatro intervalos de agora, sem cor.
    tecla_nos_grupos('3', "3");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(j.pedaco(3, k).Visible) << k;
        EXPECT_EQ(j.pedaco(3, k).Left, lefts[k - 1]);
        EXPECT_EQ(j.pedaco(3, k).Width, larguras[k - 1]);
        EXPECT_EQ(j.pedaco(3, k).BackColor, cor_do_intervalo_nao_definido);
        EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 3, k), 0);
        EXPECT_TRUE(j.duracao_imposta_texto(k).Visible);
        EXPECT_EQ(j.duracao_imposta_texto(k).Left, caixas[k - 1]);
    }
    EXPECT_FALSE(j.pedaco(3, 5).Visible);
    EXPECT_FALSE(j.pedaco(4, 1).Visible);
    EXPECT_EQ(j.pedaco(1, 1).BackColor, cor_do_intervalo_verde);  // as linhas que ficam, com as suas cores
    EXPECT_EQ(j.pedaco(2, 4).BackColor, cor_do_intervalo_amarelo);
    // A linha nova se pinta com o mouse como as outras.
    mouse(botao_esquerdo, 3000, 3870);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 3, 1), 1);

    // De 3 para 1: as barras dos grupos 2 e 3 saem da tela e das verificações.
    tecla_nos_grupos('1', "1");
    for (int g = 2; g <= 8; ++g)
        for (int k = 1; k <= 94; ++k) EXPECT_FALSE(j.pedaco(g, k).Visible) << g << " " << k;
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(j.pedaco(1, k).Visible) << k;
    inserir_dados();
    EXPECT_EQ(avisos(), std::vector<std::string>{
                            "intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário"});
}

// --- Mouse ---

TEST_F(diagrama_do_editor_de_no, clique_esquerdo_na_regua_cria_divisa_na_coluna_mais_proxima) {
    gravar_no(1, "A", {}, {{1}, {3}}, {30});
    abrir(1);
    // Sem divisa interna, um só intervalo.
    EXPECT_EQ(e().pedaco(2, 1).Width, 9400.0f);
    EXPECT_EQ(e().duracao_imposta_texto(1).Left, 6900.0f);
    EXPECT_EQ(e().duracao_imposta_texto(1).Text, "30");
    // 2410 fica na coluna 0 e de 11710 em diante na 94: nada muda.
    for (Single x : {2410.0f, 11710.0f, 11759.0f}) mouse(botao_esquerdo, x, 2600);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 94}));
    // Fora da faixa da régua (bordas estritas) e com o botão do meio também não.
    mouse(botao_esquerdo, 3000, 2530);
    mouse(botao_esquerdo, 3000, 2750);
    mouse(botao_do_meio, 3000, 2600);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 94}));

    mouse(botao_esquerdo, 2410.5f, 2600);
    mouse(botao_esquerdo, 2610, 2600);  // 2,5 vai para 2
    mouse(botao_esquerdo, 2710, 2600);  // 3,5 vai para 4
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 1, 2, 4, 94}));
    editor_de_no& j = e();
    EXPECT_EQ(j.ordenada(4).X1, 2760.0f);
    EXPECT_TRUE(j.ordenada(4).Visible);
    const Single lefts[] = {2360, 2460, 2560, 2760};
    const Single larguras[] = {100, 100, 200, 9000};
    for (int g = 1; g <= 2; ++g)
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(j.pedaco(g, k).Left, lefts[k - 1]);
            EXPECT_EQ(j.pedaco(g, k).Width, larguras[k - 1]);
            EXPECT_TRUE(j.pedaco(g, k).Visible);
        }
    EXPECT_FALSE(j.pedaco(3, 2).Visible);
    EXPECT_EQ(j.duracao_imposta_texto(4).Left, 7100.0f);
    EXPECT_FALSE(j.duracao_imposta_texto(5).Visible);
    EXPECT_EQ(j.pedaco(1, 1).BackColor, cor_do_intervalo_verde);
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(quant_de_intervalos_antes_editado(1), 1);
}

TEST_F(diagrama_do_editor_de_no, clique_direito_tira_a_divisa_a_menos_de_45_twips) {
    gravar_no(1, "A", {50, 56, 87}, {{1, 2, 3, 3}}, {0, 7, 0, 0});
    abrir(1);
    editor_de_no& j = e();
    mouse(botao_direito, 7360 + 45, 2600);  // exatamente 45: nada
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 50, 56, 87, 94}));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_FALSE(j.duracao_imposta_texto(k).Visible);  // escondidas mesmo sem acerto
        EXPECT_EQ(j.duracao_imposta_texto(k).Left, 100.0f);
    }
    mouse(botao_direito, 7360 - 44, 2600);
    EXPECT_EQ(colunas_marcadas(1), (std::vector<int>{0, 56, 87, 94}));
    EXPECT_FALSE(j.ordenada(50).Visible);
    EXPECT_EQ(j.ordenada(50).X1, 50.0f);
    // Os intervalos se juntam pelo número: o 1 vai até a coluna 56 e os de depois sobem.
    EXPECT_EQ(j.pedaco(1, 1).Width, 5600.0f);
    EXPECT_EQ(j.pedaco(1, 2).Left, 7960.0f);
    EXPECT_EQ(j.pedaco(1, 2).BackColor, cor_do_intervalo_amarelo);
    EXPECT_EQ(j.duracao_imposta_texto(2).Text, "7");
    EXPECT_FALSE(j.pedaco(1, 4).Visible);
    EXPECT_TRUE(j.duracao_imposta_texto(3).Visible);
    EXPECT_FALSE(j.duracao_imposta_texto(4).Visible);
    // O botão direito nas faixas dos grupos não faz nada.
    mouse(botao_direito, 3000, 3150);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 1), 1);
}

TEST_F(diagrama_do_editor_de_no, clique_na_faixa_do_grupo_troca_o_estado_do_intervalo) {
    gravar_no(1, "A", {50}, {{0, 1}, {0, 0}}, {});
    abrir(1);
    editor_de_no& j = e();
    const std::vector<std::pair<Long, Byte>> ciclo = {{cor_do_intervalo_verde, 1},
                                                      {cor_do_intervalo_amarelo, 2},
                                                      {cor_do_intervalo_vermelho, 3},
                                                      {cor_do_intervalo_nao_definido, 0}};
    for (const auto& [cor, codigo] : ciclo) {
        mouse(botao_esquerdo, 3000, 3021);  // 99 twips acima da barra do grupo 1
        EXPECT_EQ(j.pedaco(1, 1).BackColor, cor);
        EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 1), codigo);
    }
    // Na borda de um pedaço, fora da faixa e no grupo de baixo até a base da barra.
    mouse(botao_esquerdo, 7360, 3150);
    mouse(botao_esquerdo, 3000, 3295);
    mouse(botao_esquerdo, 3000, 3020);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 1), 0);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 2), 1);
    mouse(botao_esquerdo, 8000, 3654);  // grupo 2, intervalo 2
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 2, 2), 1);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 2, 1), 0);

    // A faixa do grupo 5 acaba na base da sua barra; um grupo acima da quantidade ainda
    // muda o seu pedaço 1, escondido.
    mouse(botao_esquerdo, 3000, 4634);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 5, 1), 1);
    mouse(botao_esquerdo, 3000, 4635);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 5, 1), 1);
    EXPECT_EQ(j.pedaco(5, 1).BackColor, cor_do_intervalo_verde);
    EXPECT_FALSE(j.pedaco(5, 1).Visible);

    // Criar uma divisa dentro do intervalo 1 o divide: o lado esquerdo fica com o número 1 e
    // o da direita passa a mostrar a cor do número 2.
    mouse(botao_esquerdo, 3000, 3150);  // grupo 1, intervalo 1 volta a verde
    mouse(botao_esquerdo, 5360, 2600);  // coluna 30
    EXPECT_EQ(j.pedaco(1, 1).Width, 3000.0f);
    EXPECT_EQ(j.pedaco(1, 1).BackColor, cor_do_intervalo_verde);
    EXPECT_EQ(j.pedaco(1, 2).Left, 5360.0f);
    EXPECT_EQ(j.pedaco(1, 2).BackColor, cor_do_intervalo_verde);
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 3), 0);
    EXPECT_TRUE(j.pedaco(1, 3).Visible);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(diagrama_do_editor_de_no, mais_de_36_intervalos_se_desenham_e_so_a_confirmacao_recusa) {
    gravar_no(1, "A", {}, {{1}}, {});
    abrir(1);
    for (int c = 1; c <= 93; ++c) mouse(botao_esquerdo, static_cast<Single>(2360 + 100 * c), 2600);
    editor_de_no& j = e();
    EXPECT_EQ(colunas_marcadas(1).size(), 95u);
    EXPECT_TRUE(j.pedaco(1, 94).Visible);
    EXPECT_EQ(j.pedaco(1, 94).Left, 11660.0f);
    EXPECT_EQ(j.pedaco(1, 94).Width, 100.0f);
    EXPECT_TRUE(j.duracao_imposta_texto(94).Visible);
    mouse(botao_esquerdo, 11700, 3150);  // intervalo 94: além do que o mouse pinta
    EXPECT_EQ(cor_do_intervalo_do_grupo_editado(1, 1, 94), 0);
    mouse(botao_direito, 11660, 2600);  // tira a coluna 93: estaciona até o pedaço 94
    EXPECT_FALSE(j.pedaco(1, 94).Visible);
    EXPECT_EQ(j.pedaco(1, 93).Width, 200.0f);
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
