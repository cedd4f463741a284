#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "dialogos/editor_de_no_de_teste.h"
#include "editor/janelas.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel {
namespace {

using janela_do_editor_de_no = teste::com_editor_de_no;

TEST_F(janela_do_editor_de_no, carregada_com_a_principal_nao_mostra_nada_e_marca_as_bordas) {
    EXPECT_EQ(e().Caption, "ORVEL - Belmarco QRT");
    // A limpeza da rede desmarca as bordas; uma carga nova as marca de novo.
    existe_ordenada_editado(0, 94) = false;
    agir([&] { e().Unload(); });
    editor_de_no& j = e();
    EXPECT_FALSE(j.Visible);
    EXPECT_FALSE(existe_ordenada_editado(0, 94));
    EXPECT_EQ(j.Width, 12000.0f);
    EXPECT_EQ(j.Left, 0.0f);
    // Nem o botão de opção que só serve para desmarcar os outros: fora da janela desenhada, numa
    // tela maior ele ficaria à vista e clicável.
    for (controle* c : j.controles()) EXPECT_FALSE(c->Visible) << c->nome() << " " << c->indice();
    EXPECT_TRUE(j.Option1(0).Value);
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(j.Option1(i).Value);
    EXPECT_EQ(j.ordenada.indices().size(), 95u);
    EXPECT_EQ(j.links_do_G8.indices().size(), 3u);
    EXPECT_EQ(j.ordenada(94).X1, 11760.0f);
    EXPECT_EQ(j.pedaco(3, 1).Width, 9400.0f);
    EXPECT_EQ(j.pedaco(3, 2).BackColor, cor_da_face_dos_botoes);
    EXPECT_EQ(j.duracao_imposta_texto(72).Top, 6040.0f);
    EXPECT_EQ(j.links_do_G5(2).Top, 4455.0f);
    for (int n = 1; n <= max_nos; ++n) {
        EXPECT_TRUE(existe_ordenada_editado(n, 0) && existe_ordenada_editado(n, 94)) << n;
        EXPECT_TRUE(contexto().copias.existe_ordenada(n, 0) && contexto().copias.existe_ordenada(n, 94)) << n;
    }
}

TEST_F(janela_do_editor_de_no, abrir_um_no_enche_os_campos_e_o_diagrama) {
    gravar_no(2, "N2", {50, 56, 87}, {{1, 2, 3, 3}, {3, 3, 1, 2}}, {0, 25, -3, 4});
    eh_no_escravo_dado(2) = true;
    nome_do_mestre_dado(2) = "M";
    defasagem_forcada_dado(2) = -12;
    eh_ciclo_duplo_permitido_dado(2) = true;
    nome_dos_links_do_grupo_dado(2, 2, 4) = "Z";
    cor_do_intervalo_do_grupo_dado(2, 1, 5) = 7;  // código sem cor: o pedaço fica como estava
    abrir(2);

    editor_de_no& j = e();
    EXPECT_TRUE(j.Visible);
    EXPECT_EQ(j.ActiveControl(), &j.codigo_texto);
    EXPECT_EQ(j.codigo_texto.Text, "N2");
    EXPECT_EQ(j.texto_quantos_grupos.Text, "2");
    EXPECT_EQ(j.CheckDuplo.Value, 1);
    EXPECT_EQ(j.CheckEscravo.Value, 1);
    EXPECT_TRUE(j.mestre_texto.Visible && j.Label18.Visible);
    EXPECT_EQ(j.intervalo_escravo_texto.Text, "0");
    EXPECT_EQ(j.defasagem_forcada_texto.Text, "-12");
    EXPECT_EQ(j.CheckDemanda.Value, 0);
    EXPECT_FALSE(j.n_acionamentos_texto.Visible || j.Label21.Visible);
    EXPECT_EQ(j.links_do_G2(3).Text, "Z");
    EXPECT_TRUE(j.links_do_G2(3).Visible && j.fundo_barra_2.Visible && j.Line3.Visible);
    EXPECT_FALSE(j.links_do_G3(0).Visible || j.fundo_barra_3.Visible || j.Label14.Visible);
    EXPECT_TRUE(j.inserir_dados_command.Visible && j.cancelar_command.Visible);

    const Single lefts[] = {2360, 7360, 7960, 11060};
    const Single larguras[] = {5000, 600, 3100, 700};
    const Single caixas[] = {4700, 7500, 9350, 11250};
    const char* textos[] = {"", "25", "", "4"};
    for (int g = 1; g <= 2; ++g)
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(j.pedaco(g, k).Left, lefts[k - 1]);
            EXPECT_EQ(j.pedaco(g, k).Width, larguras[k - 1]);
            EXPECT_TRUE(j.pedaco(g, k).Visible);
        }
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(j.duracao_imposta_texto(k).Left, caixas[k - 1]);
        EXPECT_EQ(j.duracao_imposta_texto(k).Text, textos[k - 1]);
        EXPECT_TRUE(j.duracao_imposta_texto(k).Visible);
    }
    EXPECT_EQ(j.pedaco(1, 5).Left, 11760.0f);
    EXPECT_FALSE(j.pedaco(1, 5).Visible);
    EXPECT_FALSE(j.pedaco(3, 1).Visible);
    EXPECT_EQ(j.pedaco(1, 1).BackColor, cor_do_intervalo_verde);
    EXPECT_EQ(j.pedaco(1, 2).BackColor, cor_do_intervalo_amarelo);
    EXPECT_EQ(j.pedaco(2, 1).BackColor, cor_do_intervalo_vermelho);
    EXPECT_EQ(j.pedaco(1, 5).BackColor, cor_da_face_dos_botoes);
    EXPECT_EQ(j.pedaco(3, 3).BackColor, cor_do_intervalo_nao_definido);
    EXPECT_EQ(j.ordenada(56).X1, 7960.0f);
    EXPECT_TRUE(j.ordenada(56).Visible);
    EXPECT_FALSE(j.ordenada(55).Visible);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(janela_do_editor_de_no, cancelar_sair_e_fechar_nao_confirmam_e_limpam) {
    gravar_no_valido(1);
    auto& marca = t().Label3;
    auto editar = [&] {
        abrir(1);
        marca.Visible = true;
        marca.Left = 500;
        digitar_e_sair(e().codigo_texto, "B");
        EXPECT_EQ(nome_do_no_editado(1), "B");
    };
    auto conferir_fechado = [&](const char* como) {
        EXPECT_EQ(nome_do_no_dado(1), "A") << como;
        EXPECT_EQ(no_selecionado, 0) << como;
        EXPECT_FALSE(marca.Visible) << como;
        EXPECT_EQ(marca.Left, 10440.0f) << como;
        EXPECT_EQ(marca.Top, 120.0f) << como;
        EXPECT_FALSE(projeto_alterado) << como;
        EXPECT_TRUE(s.mensagens.empty()) << como;
    };

    editar();
    agir([&] { e().cancelar_command.Click(); });
    conferir_fechado("cancelar");
    EXPECT_FALSE(frmEditarNo_versao2().Visible);  // descarregado: a referência carrega de novo

    editar();
    agir([&] { e().Unload(); });
    conferir_fechado("fechar");

    editar();
    sair_para_a_principal();
    conferir_fechado("sair");
    editor_de_no& j = e();
    EXPECT_TRUE(j.Visible);
    EXPECT_FALSE(j.codigo_texto.Visible || j.fundo_barra_1.Visible || j.pedaco(1, 1).Visible || j.ordenada(50).Visible);
    EXPECT_EQ(j.codigo_texto.Text, "");
    EXPECT_EQ(j.pedaco(1, 2).Left, 11900.0f);
    EXPECT_EQ(j.pedaco(1, 1).BackColor, cor_do_intervalo_nao_definido);
    EXPECT_EQ(j.duracao_imposta_texto(2).Left, 120.0f);
    EXPECT_EQ(j.ordenada(50).X1, 50.0f);
    EXPECT_EQ(j.ordenada(94).X1, 11760.0f);
    EXPECT_TRUE(j.Option1(0).Value);
    EXPECT_EQ(j.ActiveControl(), nullptr);

    // De volta ao editor, ele se abre de novo do nó gravado: a edição se perdeu.
    abrir(1);
    EXPECT_EQ(e().codigo_texto.Text, "A");
    EXPECT_EQ(nome_do_no_editado(1), "A");
}

// A ordem dos controles que a tecla Tab percorre: os visíveis e habilitados, pelo TabIndex.
std::vector<controle_com_foco*> ordem_da_tabulacao(formulario& f) {
    std::vector<controle_com_foco*> v;
    for (controle* c : f.controles())
        if (auto* foco = dynamic_cast<controle_com_foco*>(c); foco && foco->Visible && foco->Enabled && foco->TabStop)
            v.push_back(foco);
    std::stable_sort(v.begin(), v.end(), [](auto* a, auto* b) { return a->TabIndex < b->TabIndex; });
    return v;
}

TEST_F(janela_do_editor_de_no, tabulacao_segue_os_campos_como_estao_e_acaba_nos_botoes) {
    gravar_no_valido(1);
    eh_no_escravo_dado(1) = true;
    eh_no_demandado_dado(1) = true;
    abrir(1);
    editor_de_no& j = e();
    // Nenhum empate: a ordem não pode depender de como a tela guarda os controles.
    std::set<Integer> indices;
    std::size_t focaveis = 0;
    for (controle* c : j.controles())
        if (auto* foco = dynamic_cast<controle_com_foco*>(c)) {
            ++focaveis;
            indices.insert(foco->TabIndex);
        }
    EXPECT_EQ(indices.size(), focaveis);

    std::vector<controle_com_foco*> esperada = {
        &j.codigo_texto,         &j.texto_quantos_grupos,    &j.CheckDuplo,
        &j.CheckEscravo,         &j.mestre_texto,            &j.intervalo_escravo_texto,
        &j.intervalo_mestre_texto, &j.defasagem_forcada_texto, &j.CheckDemanda,
        &j.n_acionamentos_texto, &j.intervalo_demandado_texto, &j.intervalo_beneficiado_texto};
    for (int g = 1; g <= 2; ++g)
        for (int m = 0; m <= 3; ++m) esperada.push_back(&j.links_do_G(g)(m));
    for (int k = 1; k <= 4; ++k) esperada.push_back(&j.duracao_imposta_texto(k));
    esperada.push_back(&j.inserir_dados_command);
    esperada.push_back(&j.cancelar_command);
    EXPECT_EQ(ordem_da_tabulacao(j), esperada);

    // No painel dos modelos prontos, o botão escondido continua marcado e fora da vista.
    sair_para_a_principal();
    abrir(2);
    EXPECT_TRUE(j.Option1(0).Value);
    EXPECT_FALSE(j.Option1(0).Visible);
    EXPECT_EQ(ordem_da_tabulacao(j),
              (std::vector<controle_com_foco*>{&j.Option1(2), &j.Option1(4), &j.Option1(3), &j.Option1(1)}));
}

TEST_F(janela_do_editor_de_no, falha_ao_abrir_relata_e_descarrega_a_janela) {
    gravar_no_valido(1);
    quant_de_grupos_dado(1) = 9;  // de um arquivo estragado: não há grupo 9
    abrir(1);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 104");
    EXPECT_EQ(no_selecionado, 0);
    EXPECT_FALSE(frmEditarNo_versao2().Visible);
    EXPECT_EQ(nome_do_no_editado(1), "A");  // o que já tinha sido copiado fica
}

TEST_F(janela_do_editor_de_no, foco_esquecido_numa_caixa_limpa_nao_apaga_o_no_aberto_depois) {
    gravar_no_valido(1);
    gravar_no_valido(2, "B");
    eh_no_escravo_dado(1) = true;
    eh_no_escravo_dado(2) = true;
    intervalo_do_escravo_dado(2) = 7;
    abrir(1);
    agir([&] { e().intervalo_escravo_texto.SetFocus(); });
    sair_para_a_principal();
    abrir(2);
    EXPECT_EQ(intervalo_do_escravo_editado(2), 7);
    EXPECT_EQ(e().intervalo_escravo_texto.Text, "7");
    EXPECT_EQ(nome_do_no_editado(2), "B");
}

TEST_F(janela_do_editor_de_no, enter_guarda_e_confirma_e_a_saida_do_foco_so_guarda) {
    gravar_no_valido(1);
    abrir(1);
    // Enter no terceiro link do grupo 2 guarda e confirma na hora.
    digitar_e_enter(e().links_do_G2(2), "L9");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 2, 3), "L9");
    EXPECT_TRUE(projeto_alterado);
    EXPECT_FALSE(frmEditarNo_versao2().Visible);

    // As conversões dos números: o número do início, a vírgula decimal como ponto, metade para o par.
    gravar_no_valido(2);
    eh_no_escravo_dado(2) = true;
    eh_no_demandado_dado(2) = true;
    n_acionamentos_dado(2) = 9;
    abrir(2);
    struct caso {
        caixa_de_texto* caixa;
        const char* texto;
        int esperado;
        std::function<int()> lido;
    };
    editor_de_no& j = e();
    const std::vector<caso> casos = {
        {&j.intervalo_escravo_texto, "12abc", 12, [] { return intervalo_do_escravo_editado(2); }},
        {&j.intervalo_mestre_texto, "12,6", 13, [] { return intervalo_do_mestre_editado(2); }},
        {&j.intervalo_demandado_texto, "2.5", 2, [] { return intervalo_demandado_editado(2); }},
        {&j.intervalo_beneficiado_texto, "3.5", 4, [] { return intervalo_beneficiado_editado(2); }},
        {&j.defasagem_forcada_texto, "-7", -7, [] { return defasagem_forcada_editado(2); }},
        {&j.n_acionamentos_texto, "", 0, [] { return n_acionamentos_editado(2); }},
        {&j.duracao_imposta_texto(3), " 1 5", 15, [] { return duracao_imposta_editado(2, 3); }},
    };
    for (const auto& c : casos) {
        digitar_e_sair(*c.caixa, c.texto);
        EXPECT_EQ(c.lido(), c.esperado) << c.texto;
    }
    agir([&] {
        j.CheckDuplo.SetFocus();
        j.CheckDuplo.definir_valor(1);
        j.mover_foco(nullptr);
        j.CheckDemanda.SetFocus();
        j.CheckDemanda.definir_valor(2);  // cinza: não guarda
        j.mover_foco(nullptr);
    });
    EXPECT_TRUE(eh_ciclo_duplo_permitido_editado(2));
    EXPECT_TRUE(eh_no_demandado_editado(2));
    EXPECT_EQ(nome_do_no_dado(2), "A");
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(janela_do_editor_de_no, numero_que_nao_cabe_avisa_e_a_janela_fica_aberta_com_as_edicoes) {
    gravar_no_valido(1);
    eh_no_escravo_dado(1) = true;
    nome_do_mestre_dado(1) = "B";
    intervalo_do_escravo_dado(1) = 1;
    intervalo_do_mestre_dado(1) = 5;
    defasagem_forcada_dado(1) = 3;
    abrir(1);
    const std::string aviso_do_mestre =
        "o número digitado na caixa \"Intervalo mestre\" deve estar compreendido entre 1 e 36";
    digitar_e_sair(e().codigo_texto, "Z");
    digitar_e_enter(e().intervalo_mestre_texto, "999");
    EXPECT_EQ(avisos(), std::vector<std::string>{aviso_do_mestre});
    EXPECT_EQ(e().ActiveControl(), &e().intervalo_mestre_texto);
    // Sair da caixa que ainda tem 999 avisa de novo e o foco volta a ela; "Inserir Dados" não
    // confirma o valor anterior.
    agir([&] { e().defasagem_forcada_texto.SetFocus(); });
    EXPECT_EQ(e().ActiveControl(), &e().intervalo_mestre_texto);
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{aviso_do_mestre, aviso_do_mestre, aviso_do_mestre}));
    EXPECT_EQ(e().ActiveControl(), &e().intervalo_mestre_texto);
    EXPECT_EQ(e().intervalo_mestre_texto.Text, "999");
    EXPECT_EQ(intervalo_do_mestre_editado(1), 5);
    EXPECT_EQ(nome_do_no_editado(1), "Z");
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(no_selecionado, 1);
    EXPECT_EQ(nome_do_no_dado(1), "A");
    EXPECT_FALSE(projeto_alterado);

    // 40000 numa caixa de 16 bits, depois de corrigido o intervalo.
    s.mensagens.clear();
    digitar_e_sair(e().intervalo_mestre_texto, "6");
    digitar_e_enter(e().defasagem_forcada_texto, "40000");
    EXPECT_EQ(avisos(), std::vector<std::string>{"o número digitado na caixa \"Defasagem imposta\" deve estar "
                                                 "compreendido entre -32768 e 32767"});
    EXPECT_EQ(defasagem_forcada_editado(1), 3);
    EXPECT_EQ(nome_do_no_dado(1), "A");

    // Corrigida a defasagem, tudo é confirmado com as outras edições.
    s.mensagens.clear();
    digitar_e_enter(e().defasagem_forcada_texto, "-4");
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(nome_do_no_dado(1), "Z");
    EXPECT_EQ(intervalo_do_mestre_dado(1), 6);
    EXPECT_EQ(defasagem_forcada_dado(1), -4);
    EXPECT_TRUE(projeto_alterado);
}

TEST_F(janela_do_editor_de_no, nome_que_o_arquivo_nao_guarda_e_recusado_e_nada_confirmado) {
    gravar_no_valido(1);
    abrir(1);
    digitar_e_sair(e().links_do_G2(1), "Av,");
    digitar_e_enter(e().links_do_G1(0), "L11,");
    EXPECT_EQ(avisos(), (std::vector<std::string>{"o caracter ',' não pode ser usado no nome de um link do grupo 1",
                                                  "o caracter ',' não pode ser usado no nome de um link do grupo 2"}));
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 1, 1), "L1");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 2, 2), "");
    EXPECT_FALSE(projeto_alterado);

    s.mensagens.clear();
    digitar_e_sair(e().links_do_G2(1), "Av");
    digitar_e_enter(e().links_do_G1(0), "L11");
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 1, 1), "L11");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 2, 2), "Av");
}

TEST_F(janela_do_editor_de_no, enter_na_janela_confirma_e_outras_teclas_nada_fazem) {
    gravar_no_valido(1);
    abrir(1);
    agir([&] { e().mover_foco(nullptr); });
    EXPECT_EQ(tecla(65), 65);
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(tecla(13), 0);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(no_selecionado, 0);
}

TEST_F(janela_do_editor_de_no, caixas_de_escravo_e_demanda_aparecem_e_somem_com_a_selecao) {
    gravar_no_valido(1);
    abrir(1);
    editor_de_no& j = e();
    agir([&] { j.CheckEscravo.definir_valor(1); });
    EXPECT_TRUE(j.mestre_texto.Visible && j.defasagem_forcada_texto.Visible && j.Label15.Visible);
    digitar_e_sair(j.mestre_texto, "M");
    agir([&] { j.CheckEscravo.definir_valor(0); });
    EXPECT_FALSE(j.mestre_texto.Visible || j.Label18.Visible);
    EXPECT_EQ(j.mestre_texto.Text, "");
    EXPECT_EQ(nome_do_mestre_editado(1), "M");  // a caixa esvaziada não grava
    agir([&] { j.CheckDemanda.definir_valor(1); });
    EXPECT_TRUE(j.n_acionamentos_texto.Visible && j.intervalo_beneficiado_texto.Visible && j.Label20.Visible);
    agir([&] { j.CheckDemanda.definir_valor(0); });
    EXPECT_FALSE(j.intervalo_demandado_texto.Visible || j.Label19.Visible);

    // O nó gravado guarda o mestre do buffer com a marca de escravo desligada.
    inserir_dados();
    EXPECT_EQ(nome_do_mestre_dado(1), "M");
    EXPECT_FALSE(eh_no_escravo_dado(1));
}

TEST_F(janela_do_editor_de_no, quantidade_de_grupos_mostra_as_linhas_e_os_botoes) {
    gravar_no_valido(1);
    for (int g = 1; g <= 8; ++g) nome_dos_links_do_grupo_dado(1, g, 2) = "G" + std::to_string(g);
    abrir(1);
    editor_de_no& j = e();

    tecla_nos_grupos('3', "3");
    EXPECT_EQ(quant_de_grupos_editado(1), 3);
    EXPECT_TRUE(j.inserir_dados_command.Visible && j.cancelar_command.Visible);
    for (int g = 1; g <= 8; ++g) {
        EXPECT_EQ(j.fundo_barra(g).Visible, g <= 3) << g;
        EXPECT_EQ(j.links_do_G(g)(1).Visible, g <= 3) << g;
    }
    EXPECT_EQ(j.links_do_G3(1).Text, "G3");
    EXPECT_TRUE(s.mensagens.empty());

    tecla_nos_grupos('9', "9");
    EXPECT_EQ(avisos(),
              std::vector<std::string>{"A quantidade de grupos semafóricos tem de estar compreendida entre 1 e 8"});
    EXPECT_EQ(quant_de_grupos_editado(1), 3);
    EXPECT_FALSE(j.fundo_barra_1.Visible || j.links_do_G1(0).Visible || j.inserir_dados_command.Visible);

    tecla_nos_grupos('a', "a");
    tecla_nos_grupos('0', "0");
    EXPECT_EQ(s.mensagens.size(), 3u);
    tecla_nos_grupos(16, "");  // Shift sozinho: esvazia e esconde, sem mensagem
    EXPECT_EQ(s.mensagens.size(), 3u);
    EXPECT_EQ(j.texto_quantos_grupos.Text, "");

    tecla_nos_grupos('8', "8");
    for (int g = 1; g <= 8; ++g) EXPECT_TRUE(j.fundo_barra(g).Visible) << g;

    // Enter confirma com a última quantidade aceita; recusada, as linhas seguem escondidas.
    s.mensagens.clear();
    tecla_nos_grupos(13, "");
    EXPECT_EQ(quant_de_grupos_editado(1), 8);
    EXPECT_EQ(s.mensagens.size(), 6u * 4u);  // cores dos grupos 3..8 nos 4 intervalos
    EXPECT_EQ(s.mensagens[0].texto, "falta definir a cor de algum intervalo");
    EXPECT_FALSE(j.fundo_barra_1.Visible || j.inserir_dados_command.Visible);
    EXPECT_EQ(quant_de_grupos_dado(1), 2);
}

TEST_F(janela_do_editor_de_no, quantidade_recusada_avisa_uma_vez_por_tecla) {
    // O Enter que fecha o aviso sobe na caixa da quantidade, que não recebeu a sua descida:
    // o aviso não volta. Cada tecla digitada avisa uma vez.
    gravar_no_valido(1);
    abrir(1);
    auto& c = e().texto_quantos_grupos;
    for (const char* digito : {"9", "0"}) {
        s.mensagens.clear();
        tecla_nos_grupos(digito[0], digito);
        for (int i = 0; i < 3; ++i)
            agir([&] {
                Integer k = tecla_enter;
                c.receber_subida(k, 0);
            });
        EXPECT_EQ(avisos(),
                  std::vector<std::string>{"A quantidade de grupos semafóricos tem de estar compreendida entre 1 e 8"})
            << digito;
    }
}

// --- Validação ---

// Um nome só de brancos é nome nenhum: o nó válido em tudo o mais não é gravado.
TEST_F(janela_do_editor_de_no, nome_so_de_brancos_e_recusado_como_vazio) {
    gravar_no_valido(1);
    const std::string antes = nome_do_no_dado(1);
    abrir(1);
    digitar_e_sair(e().codigo_texto, "   ");
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{"o nó deve ter um nome"}));
    EXPECT_EQ(nome_do_no_dado(1), antes);
}

TEST_F(janela_do_editor_de_no, no_vazio_mostra_as_mensagens_na_ordem_e_nao_grava) {
    abrir(1);
    escolher_modelo(1);  // diagrama novo: sem grupos nem cores
    inserir_dados();
    EXPECT_EQ(avisos(),
              (std::vector<std::string>{
                  "o nó deve ter um nome",
                  "a quantidade de grupos deve estar compreendida entre 1 e 8",
                  "deve existir, pelo menos, um intervalo com duração imposta pelo usuário",
                  "intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário",
              }));
    EXPECT_FALSE(dados_ok);
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(no_selecionado, 1);
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(quant_de_intervalos_antes_editado(1), 1);
}

TEST_F(janela_do_editor_de_no, escravo_demanda_e_links_na_ordem_das_verificacoes) {
    gravar_no(1, "A", {50, 56, 87}, {{1, 2, 3, 3}, {3, 3, 1, 2}, {1, 2, 1, 3}}, {0, 4, 0, 4});
    nome_dos_links_do_grupo_dado(1, 2, 1) = "";
    eh_no_escravo_dado(1) = true;
    intervalo_do_escravo_dado(1) = 40;
    intervalo_do_mestre_dado(1) = 36;
    eh_no_demandado_dado(1) = true;
    n_acionamentos_dado(1) = -1;
    intervalo_demandado_dado(1) = 2;    // amarelo nos grupos 1 e 3, duração 4
    intervalo_beneficiado_dado(1) = 4;  // duração fixada
    abrir(1);
    digitar_e_sair(e().defasagem_forcada_texto, "");
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "falta definir o nome do nó mestre",
                            "o intervalo do escravo deve estar compreendido entre 1 e 36",
                            "falta definir o valor da defasagem forçada",
                            "o intervalo do número de acionamentos deve estar compreendido entre 0 e 99999",
                            "o intervalo beneficiado não deve ter sua duração fixada",
                            "o intervalo demandado não deve ter nenhum grupo em amarelo",
                            "o intervalo demandado não deve ter nenhum grupo em amarelo",
                            "falta definir os links corrrespondentes ao grupo 2",
                        }));
    EXPECT_TRUE(e().Visible);

    // Corrigido um campo, só as outras mensagens voltam.
    s.mensagens.clear();
    digitar_e_sair(e().mestre_texto, "M");
    digitar_e_sair(e().intervalo_escravo_texto, "36");
    inserir_dados();
    EXPECT_EQ(s.mensagens.size(), 6u);
}

TEST_F(janela_do_editor_de_no, intervalo_demandado_alem_da_tabela_recusa_sem_fechar_a_janela) {
    gravar_no_valido(1);
    eh_no_demandado_dado(1) = true;
    intervalo_demandado_dado(1) = 96;
    intervalo_beneficiado_dado(1) = 200;
    abrir(1);
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{"o intervalo demandado deve estar compreendido entre 1 e 36",
                                                  "o intervalo beneficiado deve estar compreendido entre 1 e 36"}));
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(no_selecionado, 1);
}

// O intervalo demandado 95, o último da tabela, é consultado como os outros: além da faixa, a
// falta de duração fixada.
TEST_F(janela_do_editor_de_no, intervalo_demandado_95_e_consultado_como_os_outros) {
    gravar_no_valido(1);
    eh_no_demandado_dado(1) = true;
    intervalo_demandado_dado(1) = 95;
    intervalo_beneficiado_dado(1) = 1;
    abrir(1);
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{"o intervalo demandado deve estar compreendido entre 1 e 36",
                                                  "o intervalo demandado deve ter sua duração fixada"}));
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(no_selecionado, 1);
}

TEST_F(janela_do_editor_de_no, intervalos_cores_e_duracoes) {
    // 37 intervalos: a mensagem do limite e as outras verificações correm sobre os 37.
    std::vector<int> colunas;
    for (int c = 1; c <= 36; ++c) colunas.push_back(2 * c);
    std::vector<Byte> cores(37, 1);
    cores[36] = 0;
    gravar_no(1, "A", colunas, {cores}, {});
    duracao_imposta_dado(1, 1) = 20;
    abrir(1);
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{"a quantidade de intervalos permitida não pode ser superior a 36",
                                                  "falta definir a cor de algum intervalo",
                                                  "intervalos que não possuem verde em nenhum grupo devem ter sua "
                                                  "duração imposta pelo usuário"}));
    EXPECT_EQ(quant_de_intervalos_antes_editado(1), 37);

    // Durações digitadas fora da faixa, zero e um amarelo sem duração.
    sair_para_a_principal();
    s.mensagens.clear();
    gravar_no(2, "B", {50, 56, 87}, {{1, 2, 1, 1}, {1, 1, 1, 1}}, {});
    abrir(2);
    digitar_e_sair(e().duracao_imposta_texto(1), "300");
    digitar_e_sair(e().duracao_imposta_texto(3), "-5");
    digitar_e_sair(e().duracao_imposta_texto(4), "0");
    inserir_dados();
    EXPECT_EQ(avisos(), (std::vector<std::string>{
                            "a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s",
                            "a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s",
                            "a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s",
                            "intervalos que possuem amarelo em algum grupo devem ter sua duração imposta pelo usuário",
                            "a duração imposta de um intervalo deve ser maior do que zero",
                        }));

    // Muitas durações grandes: a soma passa de 16 bits e a janela segue aberta.
    sair_para_a_principal();
    s.mensagens.clear();
    colunas.resize(35);
    existe_ordenada_dado(1, 72) = false;
    gravar_no(1, "A", colunas, {std::vector<Byte>(36, 1)}, std::vector<Integer>(36, 999));
    abrir(1);
    inserir_dados();
    EXPECT_EQ(s.mensagens.size(), 36u);
    EXPECT_EQ(s.mensagens[0].texto, "a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s");
    EXPECT_TRUE(e().Visible);
}

TEST_F(janela_do_editor_de_no, duracao_imposta_de_1_a_290) {
    // As duas pontas confirmam; 291 cabe na caixa e é recusado na confirmação.
    gravar_no_valido(1);
    abrir(1);
    digitar_e_sair(e().duracao_imposta_texto(2), "290");
    digitar_e_sair(e().duracao_imposta_texto(4), "1");
    inserir_dados();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(e().Visible);
    EXPECT_EQ(duracao_imposta_dado(1, 2), 290);
    EXPECT_EQ(duracao_imposta_dado(1, 4), 1);

    sair_para_a_principal();
    abrir(1);
    digitar_e_sair(e().duracao_imposta_texto(2), "291");
    inserir_dados();
    EXPECT_EQ(avisos(), std::vector<std::string>{"a duração imposta de um intervalo deve estar compreendida entre 1 e 290 s"});
    EXPECT_TRUE(e().Visible);
    EXPECT_EQ(duracao_imposta_dado(1, 2), 290);
}

// --- Confirmação ---

TEST_F(janela_do_editor_de_no, confirmacao_valida_grava_o_no_e_o_rotulo_no_desenho) {
    gravar_no(1, "A", {50, 56, 87}, {{1, 2, 3, 3}, {3, 3, 1, 2}, {1, 1, 1, 1}, {2, 2, 2, 2}}, {0, 4, 0, 4});
    cor_do_intervalo_do_grupo_dado(1, 1, 5) = 3;  // além dos intervalos: fica
    t().no_shape(1).Left = 1000;
    t().no_shape(1).Top = 2000;
    t().Label5.Visible = true;
    abrir(1);
    digitar_e_sair(e().codigo_texto, "NOV");
    tecla_nos_grupos('2', "2");
    nome_dos_links_do_grupo_editado(1, 6, 1) = "S6";  // links acima da quantidade também vão
    const Long revisao = revisao_da_rede;
    inserir_dados();

    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_GT(revisao_da_rede, revisao);  // os resultados de antes não valem mais
    EXPECT_TRUE(dados_ok);
    EXPECT_EQ(nome_do_no_dado(1), "NOV");
    EXPECT_EQ(quant_de_grupos_dado(1), 2);
    EXPECT_EQ(quant_de_intervalos_antes_dado(1), 4);
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 6, 1), "S6");
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 3, 1), 1);  // grupos acima da quantidade ficam
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 4, 2), 2);
    EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 1, 5), 3);
    EXPECT_EQ(t().apoio_no_label(1).Caption, "NOV");
    EXPECT_EQ(t().apoio_no_label(1).Left, 1070.0f);
    EXPECT_EQ(t().apoio_no_label(1).Top, 2070.0f);
    EXPECT_FALSE(t().Label5.Visible);
    EXPECT_EQ(t().Label5.Left, 10440.0f);
    EXPECT_EQ(no_selecionado, 0);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_FALSE(frmEditarNo_versao2().Visible);
    EXPECT_TRUE(existe_ordenada_dado(1, 56));
}

TEST_F(janela_do_editor_de_no, confirmacao_nao_age_durante_um_processamento_nem_sem_no) {
    gravar_no_valido(1);
    abrir(1);
    execucao_em_curso = true;
    inserir_dados();
    // Nem o Enter de uma caixa (que ainda guarda a caixa) nem o da quantidade de grupos confirmam.
    digitar_e_enter(e().codigo_texto, "B");
    tecla_nos_grupos(13, "");
    execucao_em_curso = false;
    for (const auto& texto : s.textos_das_mensagens()) EXPECT_EQ(texto, "Aguarde o fim do processamento");
    EXPECT_FALSE(s.mensagens.empty());
    s.mensagens.clear();
    EXPECT_EQ(nome_do_no_editado(1), "B");
    EXPECT_EQ(nome_do_no_dado(1), "A");
    EXPECT_FALSE(projeto_alterado);
    EXPECT_TRUE(e().Visible);

    // Com a janela limpa, um clique nela a reabre na posição 0, que nenhum nó usa.
    sair_para_a_principal();
    agir([&] { e().Show(); });
    escolher_modelo(2);
    digitar_e_sair(e().codigo_texto, "Z");
    digitar_e_sair(e().links_do_G1(0), "L1");
    digitar_e_sair(e().links_do_G2(0), "L2");
    digitar_e_sair(e().duracao_imposta_texto(2), "4");
    digitar_e_sair(e().duracao_imposta_texto(4), "4");
    inserir_dados();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(t().apoio_no_label(0).Caption, "");
    EXPECT_EQ(nome_do_no_dado(0), "");
}

}  // namespace
}  // namespace orvel
