#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "comum/arquivos.h"
#include "comum/fifo_de_teste.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/reabrir_projeto.h"
#include "editor/desenho_da_rede.h"
#include "editor/elementos_do_desenho.h"
#include "editor/janelas.h"
#include "modelo/chaves_do_projeto.h"
#include "modelo/estado_do_editor.h"
#include "modelo/limites_dos_valores.h"
#include "modelo/projeto.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/documento_xml.h"
#include "plataforma/numeros.h"
#include "plataforma/relatorio_xslt.h"

namespace orvel {
namespace {

using teste::conteudo;
using teste::escrever;

class arquivo_de_projeto : public teste::com_projeto_em_arquivo {
protected:
    // Rede pequena e completa: link de entrada, recebedores com uma lacuna, escravo, nó com
    // demanda, três grupos, link de conversão e resultados com dez intervalos num nó.
    void montar_rede() {
        for (int i = 0; i < 3; ++i) inserir_no();
        link_de_conversao = false;
        inserir_link();
        link_de_conversao = true;
        inserir_link();
        link_de_conversao = false;
        inserir_link();
        auto& d = contexto().desenho;
        d.no_shape_Left(2) = 3000;
        d.apoio_no_label_Left(2) = 3070;
        d.apoio_no_label_Caption(1) = "Centro & Sul";
        d.apoio_no_label_Caption(2) = "N2";
        d.apoio_no_label_Caption(3) = "São João";
        d.etiqueta_link_label_Caption(1) = "L1";
        d.etiqueta_link_label_Left(1) = 620.5f;

        nome_da_rede_dado = "Rede <teste> €";
        t_de_ciclo_maximo_imposto_dado = 110;
        grau_de_saturacao_meta_imposto_dado = 85;
        peso_da_parada_imposto_dado = 0;

        nome_do_no_dado(1) = "Centro & Sul";
        quant_de_grupos_dado(1) = 3;
        quant_de_intervalos_antes_dado(1) = 3;
        nome_dos_links_do_grupo_dado(1, 1, 1) = "L1";
        nome_dos_links_do_grupo_dado(1, 2, 2) = "L9";
        nome_dos_links_do_grupo_dado(1, 3, 1) = "L2";
        for (int k = 1; k <= 3; ++k) {
            cor_do_intervalo_do_grupo_dado(1, 1, k) = k == 1 ? 1 : 3;
            cor_do_intervalo_do_grupo_dado(1, 2, k) = k == 2 ? 1 : 3;
            cor_do_intervalo_do_grupo_dado(1, 3, k) = k == 3 ? 1 : 2;
        }
        existe_ordenada_dado(1, 0) = true;
        existe_ordenada_dado(1, 30) = true;
        existe_ordenada_dado(1, 61) = true;
        existe_ordenada_dado(1, 94) = true;
        duracao_imposta_dado(1, 2) = 12;
        eh_ciclo_duplo_permitido_dado(1) = true;

        nome_do_no_dado(2) = "N2";
        quant_de_grupos_dado(2) = 2;
        quant_de_intervalos_antes_dado(2) = 2;
        eh_no_escravo_dado(2) = true;
        nome_do_mestre_dado(2) = "Centro & Sul";
        intervalo_do_escravo_dado(2) = 1;
        intervalo_do_mestre_dado(2) = 2;
        defasagem_forcada_dado(2) = -15;

        nome_do_no_dado(3) = "São João";
        quant_de_grupos_dado(3) = 2;
        quant_de_intervalos_antes_dado(3) = 2;
        eh_no_demandado_dado(3) = true;
        n_acionamentos_dado(3) = 20;
        intervalo_demandado_dado(3) = 2;
        intervalo_beneficiado_dado(3) = 1;

        nome_do_link_dado(1) = "L1";
        nome_do_no_destino_dado(1) = "Centro & Sul";
        verde_de_seguranca_dado(1) = 12;
        fluxo_dado(1) = 1800.5f;
        fluxo_de_saturacao_dado(1) = 3600;
        nome_do_recebedor_dado(1, 1) = "L2";
        valor_do_fornecimento_dado(1, 1) = 600.25f;
        nome_do_recebedor_dado(1, 3) = "L3";
        valor_do_fornecimento_dado(1, 3) = 0.88f;

        nome_do_link_dado(2) = "L2";
        nome_do_no_origem_dado(2) = "Centro & Sul";
        nome_do_no_destino_dado(2) = "N2";
        verde_de_seguranca_dado(2) = 10;
        fluxo_dado(2) = 600;
        fluxo_de_saturacao_dado(2) = 1800;
        t_de_percurso_dado(2) = 25;
        capacidade_da_caixa_dado(2) = 40;

        nome_do_link_dado(3) = "L3";
        nome_do_no_origem_dado(3) = "Centro & Sul";
        nome_do_no_destino_dado(3) = "São João";
        fluxo_dado(3) = 300;
        fluxo_de_saturacao_dado(3) = 1700;
        t_de_percurso_dado(3) = 18;
        capacidade_da_caixa_dado(3) = 30;

        // Resultados de uma execução.
        contexto().resultados.max_quant_de_intervalos = 10;
        contexto().resultados.t_ciclo_da_rede_rel = "90";
        contexto().resultados.atraso_rede_rel = texto_de_single(12.5f);
        contexto().resultados.n_paradas_rede_rel = "1234";
        contexto().resultados.espera_media_rel = texto_de_single(7.25f);
        contexto().resultados.maior_grau_de_saturacao_rel = "88";
        contexto().resultados.links_com_maior_grau_de_saturacao(1) = "L1";
        contexto().resultados.links_com_maior_grau_de_saturacao(2) = "L3";
        contexto().derivados.periodo_de_simulacao = 600;
        contexto().resultados.data_rel = "07/12/2026 10:30:00";
        contexto().derivados.quant_de_intervalos_depois(1) = 10;
        for (int j = 1; j <= 10; ++j) {
            contexto().derivados.duracao_do_intervalo(1, j) = static_cast<Integer>(j + 3);
            contexto().derivados.duracao_com_demanda(1, j) = static_cast<Integer>(j + 4);
            contexto().resultados.cor_do_intervalo_do_grupo_depois(1, 1, j) = j <= 4 ? 1 : 3;
        }
        contexto().buscas.defasagem_valendo(1) = 0;
        contexto().buscas.defasagem_valendo(2) = 75;
        contexto().derivados.eh_ciclo_duplo(1) = true;
        contexto().resultados.y_rel(1) = "0.5";
        contexto().resultados.periodo_de_verde_do_link(1, 1) = 32;
        contexto().resultados.periodo_de_verde_do_link_rel(1, 1) = "32";
        contexto().resultados.periodo_de_verde_do_link(1, 2) = 11;
        contexto().resultados.periodo_de_verde_do_link_rel(1, 2) = "11";
        contexto().resultados.fila_maxima_rel(1) = "14.2";
        contexto().resultados.estourou_caixa_rel(1) = "True";
        contexto().resultados.grau_de_saturacao_por_link_rel(1) = "88";
        contexto().resultados.atraso_rel(1) = "8.1";
        contexto().resultados.n_paradas_rel(1) = "410";
        contexto().resultados.estourou_caixa_rel(2) = "False";
        // Os resultados são os desta rede, como ao fim de um processamento.
        revisao_processada = revisao_da_rede;
    }

};

TEST_F(arquivo_de_projeto, arquivo_de_referencia_byte_a_byte) {
    montar_rede();
    const std::string caminho = pasta.arquivo("pequena.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::string esperado = conteudo(std::string(ORVEL_DADOS_DE_TESTE) + "/projeto_pequeno.xml");
    ASSERT_FALSE(esperado.empty());
    EXPECT_TRUE(conteudo(caminho) == esperado) << "difere de testes/dados/projeto_pequeno.xml";
    EXPECT_EQ(caption_dos_forms, "pequena.xml");
    EXPECT_EQ(frmBrowse().Caption, "ORVEL - pequena.xml");
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(t().MousePointer, 0);
    ASSERT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_EQ(s.dialogos_salvar[0].titulo, "Salvar como");
    EXPECT_EQ(s.dialogos_salvar[0].nome_proposto, "Rede <teste> €");
    EXPECT_EQ(s.dialogos_salvar[0].filtro, "XML's (*.xml)|*.xml|Todos os arquivos (*.*)|*.*");
    // Salvar de novo não repete os empatados.
    salvar_como = false;
    for (int k = 1; k <= 50; ++k) contexto().resultados.links_com_maior_grau_de_saturacao(k).clear();
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    EXPECT_EQ(contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel, "L1,L3");
    EXPECT_TRUE(conteudo(caminho) == esperado);
}

// O desenho aberto fica como o salvo: o nome de cada nó por cima do seu círculo (opaco) e o
// nome de cada link por cima das suas linhas. O primeiro controle da lista fica por cima.
TEST_F(arquivo_de_projeto, abrir_deixa_os_nomes_por_cima_dos_circulos_e_das_linhas) {
    montar_rede();
    const std::string caminho = pasta.arquivo("rede.xml");
    auto profundidade = [&](const controle& c) {
        const auto& v = t().controles();
        return std::find(v.begin(), v.end(), &c) - v.begin();
    };
    auto confere = [&](const char* quando) {
        SCOPED_TRACE(quando);
        for (int n = 1; n <= 3; ++n)
            EXPECT_LT(profundidade(t().apoio_no_label(n)), profundidade(t().no_shape(n))) << "nó " << n;
        for (int l = 1; l <= 3; ++l)
            for (const linha* k : {&t().corpo_link_line(l), &t().braco_link_line(l), &t().esquerda_seta_line(l),
                                   &t().direita_seta_line(l)})
                EXPECT_LT(profundidade(t().etiqueta_link_label(l)), profundidade(*k)) << "link " << l;
    };
    confere("desenhado à mão");
    ASSERT_TRUE(salvar_em(caminho));
    ASSERT_TRUE(abrir(caminho));
    confere("aberto");
    salvar_como = false;  // "Salvar" no projeto que já tem nome
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    ASSERT_TRUE(abrir(caminho));
    confere("salvo e aberto de novo");
}

// O arquivo guarda só a altura do rótulo e do círculo de cada nó: aberto, cada um tem a largura
// igual à altura guardada, não a dos modelos das matrizes.
TEST_F(arquivo_de_projeto, largura_de_cada_no_aberto_e_a_altura_guardada) {
    montar_rede();
    struct caso {
        int no;
        Single rotulo, circulo;
    };
    const caso casos[] = {{1, 400, 560}, {2, 510, 650.5f}, {3, 300, 420}};
    for (const caso& k : casos) {
        contexto().desenho.apoio_no_label_Height(k.no) = k.rotulo;
        contexto().desenho.no_shape_Height(k.no) = k.circulo;
    }
    const std::string caminho = pasta.arquivo("rede.xml");
    ASSERT_TRUE(salvar_em(caminho));
    limpar_rede(contexto());
    ASSERT_TRUE(abrir(caminho));
    for (const caso& k : casos) {
        SCOPED_TRACE(k.no);
        EXPECT_EQ(t().apoio_no_label(k.no).Width, k.rotulo);
        EXPECT_EQ(t().no_shape(k.no).Width, k.circulo);
    }
}

// Depois de abrir, nada fica selecionado e nenhuma marca de seleção fica à vista, como depois de
// "Novo": nem as alças dos cantos de um nó, nem os quadrados das pontas do link clicado antes
// (que ficariam sobre a rede aberta).
TEST_F(arquivo_de_projeto, abrir_nao_deixa_selecao_nem_marcas) {
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    inserir_no();
    inserir_no();
    inserir_link();  // corpo de (100, 800) a (1100, 800)
    const std::string caminho = pasta.arquivo("rede.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::initializer_list<controle*> marcas = {&t().Label2, &t().Label3, &t().Label4,
                                                     &t().Label5, &t().Shape2, &t().Shape3};
    for (controle* marca : marcas) {
        SCOPED_TRACE(marca->nome());
        despachar_evento(&t(), [this] { t().Form_MouseDown(botao_esquerdo, 0, 600, 800); });
        ASSERT_EQ(link_selecionado, 1);
        ASSERT_TRUE(arrastando_link);
        no_selecionado = 2;
        marca->Visible = true;
        ASSERT_TRUE(abrir(caminho));
        EXPECT_EQ(no_selecionado, 0);
        EXPECT_EQ(link_selecionado, 0);
        EXPECT_FALSE(arrastando_link || arrastando_inicio_do_link || arrastando_fim_do_link);
        for (controle* m : marcas) EXPECT_FALSE(m->Visible) << m->nome();
    }
}

TEST_F(arquivo_de_projeto, ida_e_volta_com_virgula_e_com_ponto) {
    for (char sep : {',', '.'}) {
        SCOPED_TRACE(sep);
        definir_separador_decimal(sep);
        limpar_rede(contexto());
        montar_rede();
        const std::string primeiro = pasta.arquivo(std::string("ida_") + sep + ".xml");
        ASSERT_TRUE(salvar_em(primeiro));
        if (sep == ',') {
            EXPECT_NE(conteudo(primeiro).find("<fluxo_dado>1800,5</fluxo_dado>"), std::string::npos);
        }

        limpar_rede(contexto());
        projeto_alterado = true;
        ASSERT_TRUE(abrir(primeiro));
        EXPECT_FALSE(projeto_alterado);
        EXPECT_FALSE(desenhando);
        EXPECT_EQ(nome_do_arquivo, primeiro);
        EXPECT_EQ(t().MousePointer, ponteiro_ampulheta);  // o comando que chamou o devolve
        EXPECT_EQ(nome_da_rede_dado, "Rede <teste> €");
        EXPECT_EQ(grau_de_saturacao_meta_imposto_dado, 85.0f);
        EXPECT_EQ(t_de_ciclo_maximo_imposto_dado, 110);
        EXPECT_EQ(total_de_nos_dado, 3);
        EXPECT_EQ(total_de_links_dado, 3);
        EXPECT_EQ(fluxo_dado(1), 1800.5f);
        EXPECT_EQ(valor_do_fornecimento_dado(1, 1), 600.25f);
        EXPECT_EQ(valor_do_fornecimento_dado(1, 3), 0.88f);
        EXPECT_EQ(nome_do_recebedor_dado(1, 2), "");
        EXPECT_EQ(nome_do_no_origem_dado(1), "");
        EXPECT_EQ(nome_do_mestre_dado(2), "Centro & Sul");
        EXPECT_EQ(nome_do_mestre_dado(1), "-");  // o traço de um nó que não é escravo fica
        EXPECT_EQ(defasagem_forcada_dado(2), -15);
        EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 2, 2), "L9");
        EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 2, 1), "");
        EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 3, 3), 1);
        EXPECT_TRUE(existe_ordenada_dado(1, 61));
        EXPECT_FALSE(existe_ordenada_dado(1, 94));  // só 1..93 vão ao arquivo
        EXPECT_TRUE(eh_ciclo_duplo_permitido_dado(1));
        EXPECT_TRUE(eh_no_demandado_dado(3));
        EXPECT_EQ(intervalo_demandado_dado(3), 2);
        EXPECT_TRUE(eh_link_conversao(2));
        // Desenho, com a ponta da seta e o começo do braço recalculados.
        EXPECT_EQ(t().apoio_no_label(1).Caption.texto(), "Centro & Sul");
        EXPECT_EQ(t().apoio_no_label(3).Caption.texto(), "São João");
        EXPECT_EQ(t().apoio_no_label(2).Left, 3070.0f);
        EXPECT_EQ(t().apoio_no_label(2).Width, 340.0f);
        EXPECT_EQ(t().no_shape(2).Left, 3000.0f);
        EXPECT_EQ(t().etiqueta_link_label(1).Left, 620.5f);
        EXPECT_TRUE(t().etiqueta_link_label(1).Visible);
        EXPECT_EQ(t().braco_link_line(2).X1, 900.0f);
        EXPECT_EQ(t().esquerda_seta_line(2).X2, 1112.0f);
        EXPECT_EQ(t().esquerda_seta_line(2).Y2, 738.0f);
        EXPECT_EQ(t().direita_seta_line(1).X2, 1100.0f);
        EXPECT_FALSE(t().braco_link_line(1).Visible);
        // Resultados.
        EXPECT_EQ(contexto().derivados.t_de_ciclo, 90);
        EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "90");
        EXPECT_EQ(contexto().resultados.atraso_rede_rel, std::string("12") + sep + "5");
        EXPECT_EQ(contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel, "L1,L3");
        EXPECT_EQ(contexto().derivados.quant_de_intervalos_depois(1), 10);
        EXPECT_EQ(contexto().derivados.duracao_do_intervalo(1, 10), 13);
        EXPECT_EQ(contexto().derivados.duracao_com_demanda(1, 10), 14);
        EXPECT_EQ(contexto().resultados.cor_do_intervalo_do_grupo_depois(1, 1, 4), 1);
        EXPECT_EQ(contexto().buscas.defasagem_valendo(2), 75);
        EXPECT_TRUE(contexto().derivados.eh_ciclo_duplo(1));
        EXPECT_EQ(contexto().resultados.periodo_de_verde_do_link_rel(1, 2), "11");
        EXPECT_EQ(contexto().resultados.periodo_de_verde_do_link_rel(1, 3), "0");
        EXPECT_TRUE(contexto().resultados.estourou_caixa(1));
        EXPECT_FLOAT_EQ(contexto().resultados.grau_de_saturacao(1), 0.88f);
        EXPECT_EQ(t().Label1.Caption.texto(), "Desenho da rede:  Rede <teste> €");
        EXPECT_EQ(t().Label1.Top, 760.0f);
        EXPECT_EQ(t().Caption, "ORVEL - " + std::string("ida_") + sep + ".xml");
        EXPECT_TRUE(t().processar_button.Enabled);
        EXPECT_FALSE(t().inserir_no_button.Enabled);

        // Abrir e salvar dá o mesmo arquivo, byte a byte (os períodos de verde lidos só como
        // texto também voltam).
        const std::string antes = conteudo(primeiro);
        salvar_como = false;
        ASSERT_TRUE(salvar_pelas_janelas(contexto()));
        EXPECT_TRUE(conteudo(primeiro) == antes) << "abrir e salvar mudou o arquivo";
    }
}

TEST_F(arquivo_de_projeto, divisas_das_colunas_1_e_93_vao_e_voltam) {
    // As divisas ocupam as colunas 1..93 da régua: as duas pontas vão ao arquivo e voltam; a
    // borda 94 não é gravada.
    montar_rede();
    existe_ordenada_dado(1, 1) = true;
    existe_ordenada_dado(1, 93) = true;
    const std::string caminho = pasta.arquivo("colunas.xml");
    ASSERT_TRUE(salvar_em(caminho));
    EXPECT_NE(conteudo(caminho).find("<existe_ordenada_dado>1,30,61,93,</existe_ordenada_dado>"), std::string::npos);

    limpar_rede(contexto());
    ASSERT_TRUE(abrir(caminho));
    for (int c = 1; c <= max_colunas; ++c)
        EXPECT_EQ(existe_ordenada_dado(1, c), c == 1 || c == 30 || c == 61 || c == 93) << "coluna " << c;
}

TEST_F(arquivo_de_projeto, atualizacao_no_lugar_mantem_o_que_nao_foi_gravado) {
    montar_rede();
    quant_de_grupos_dado(1) = 5;
    nome_dos_links_do_grupo_dado(1, 5, 1) = "L5";
    const std::string caminho = pasta.arquivo("lugar.xml");
    ASSERT_TRUE(salvar_em(caminho));
    // Um elemento e uma folha de estilo estranhos, postos por outra mão.
    std::string texto = conteudo(caminho);
    const auto pi = texto.find("<?xml-stylesheet");
    const auto fim_pi = texto.find("?>", pi) + 2;
    texto.replace(pi, fim_pi - pi, "<?xml-stylesheet type=\"text/xsl\" href=\"file:///outra/pasta/estilo.xsl\"?>");
    texto.replace(texto.find("</rss>"), 6, "<anotacao>manter</anotacao></rss>");
    escrever(caminho, texto);

    quant_de_grupos_dado(1) = 4;
    s.respostas = {resposta_sim};
    no_selecionado = 3;
    eliminar_no();
    salvar_como = false;
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    const std::string depois = conteudo(caminho);
    EXPECT_NE(depois.find("<nome_dos_links_do_grupo5_dado>L5,,,,</nome_dos_links_do_grupo5_dado>"), std::string::npos);
    EXPECT_NE(depois.find("<quant_de_grupos_dado>4</quant_de_grupos_dado>"), std::string::npos);
    EXPECT_EQ(depois.find("<no3>"), std::string::npos);
    EXPECT_NE(depois.find("<anotacao>manter</anotacao>"), std::string::npos);
    EXPECT_NE(depois.find("file:///outra/pasta/estilo.xsl"), std::string::npos);
    EXPECT_EQ(depois.find("/opt/orvel"), std::string::npos);
}

TEST_F(arquivo_de_projeto, substituir_cancelar_sim_e_nao) {
    montar_rede();
    const std::string existente = pasta.arquivo("existente.xml");
    escrever(existente, "<rss><rede><nome_da_rede_dado>antiga</nome_da_rede_dado></rede></rss>");
    projeto_alterado = true;

    // Cancelar o diálogo: nada muda.
    salvar_como = true;
    EXPECT_FALSE(salvar_pelas_janelas(contexto()));
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(nome_do_arquivo, "");

    // "Não": nem o arquivo nem o nome do arquivo mudam.
    nome_do_arquivo = pasta.arquivo("meu.xml");
    s.respostas = {resposta_nao};
    EXPECT_FALSE(salvar_em(existente));
    EXPECT_EQ(s.mensagens.back().texto, "Este arquivo já existe! Deseja Substituir?");
    EXPECT_EQ(s.mensagens.back().estilo, estilo_sim_nao | icone_pergunta);
    EXPECT_EQ(nome_do_arquivo, pasta.arquivo("meu.xml"));
    EXPECT_TRUE(projeto_alterado);
    EXPECT_NE(conteudo(existente).find("antiga"), std::string::npos);

    // "Sim": um arquivo escrito do zero.
    s.respostas = {resposta_sim};
    EXPECT_TRUE(salvar_em(existente));
    EXPECT_EQ(conteudo(existente).find("antiga"), std::string::npos);
    EXPECT_NE(conteudo(existente).find("<rede><nome_da_rede_dado>Rede &lt;teste&gt;"), std::string::npos);
    EXPECT_FALSE(projeto_alterado);
}

// "Sim" à pergunta de substituir grava o arquivo do zero: nada do que o antigo tinha a mais
// (uma chave, um link de uma posição livre, um elemento estranho) fica nele.
TEST_F(arquivo_de_projeto, substituir_com_sim_da_o_arquivo_de_um_caminho_novo) {
    montar_rede();
    // O mesmo nome de arquivo numa pasta onde ele não existia: o arquivo leva o seu nome.
    std::filesystem::create_directory(pasta.arquivo("outra"));
    const std::string novo = pasta.arquivo("outra/rede.xml");
    ASSERT_TRUE(salvar_em(novo));
    std::string texto = conteudo(novo);
    texto.replace(texto.find("</rede>"), 7, "<chave_estranha>1</chave_estranha></rede>");
    texto.replace(texto.find("</rss>"), 6, "<link7><nome_do_link_dado>L7</nome_do_link_dado></link7><anotacao/></rss>");
    const std::string existente = pasta.arquivo("rede.xml");
    escrever(existente, texto);

    s.respostas = {resposta_sim};
    ASSERT_TRUE(salvar_em(existente));
    EXPECT_TRUE(conteudo(existente) == conteudo(novo));
}

TEST_F(arquivo_de_projeto, pasta_que_sumiu_da_erro_146_e_nada_se_perde) {
    montar_rede();
    const std::string caminho = pasta.arquivo("bom.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::string antes = conteudo(caminho);
    projeto_alterado = true;
    t().MousePointer = ponteiro_seta_e_ampulheta;
    EXPECT_FALSE(salvar_em(pasta.arquivo("sumiu/novo.xml")));
    ASSERT_FALSE(s.mensagens.empty());
    EXPECT_EQ(s.mensagens.back().titulo, "Erro 146");
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(t().MousePointer, ponteiro_seta_e_ampulheta);
    EXPECT_EQ(conteudo(caminho), antes);

    // O arquivo do projeto trocado por uma FIFO: o salvamento não fica à espera dela.
    const teste::fifo_de_teste fifo(pasta.arquivo("fifo.xml"));
    nome_do_arquivo = fifo.caminho();
    salvar_como = false;
    s.mensagens.clear();
    bool salvo = true;
    EXPECT_TRUE(fifo.volta_sem_bloquear([&] { salvo = salvar_pelas_janelas(contexto()); }));
    EXPECT_FALSE(salvo);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 146");
}

// Um salvamento que o sistema recusa diz, no "Erro 146", o arquivo e o motivo; o arquivo antigo,
// o projeto e os títulos ficam como estavam, e nenhum temporário fica na pasta.
TEST_F(arquivo_de_projeto, salvamento_recusado_diz_o_arquivo_e_o_motivo) {
    montar_rede();
    const std::string caminho = pasta.arquivo("rede.xml"), p = pasta.caminho().string();
    ASSERT_TRUE(salvar_em(caminho));
    const std::string antes = conteudo(caminho);
    using enum chamada_da_gravacao;
    const struct {
        chamada_da_gravacao chamada;
        int erro;  // 0: nada simulado
        std::string destino, motivo;
    } casos[] = {
        {escrever, ENOSPC, caminho, "o disco está cheio"},
        {fechar, EDQUOT, caminho, "a cota de disco acabou"},
        {criar_temporario, EACCES, caminho, "sem permissão para gravar em " + p},
        {permissao_do_arquivo, EACCES, caminho, "sem permissão para gravar em " + caminho},
        {renomear, EPERM, caminho, "sem permissão para gravar em " + caminho},
        {sincronizar, EIO, caminho, "erro de entrada e saída"},
        {escrever, 0, p + "/sumiu/novo.xml", "a pasta " + p + "/sumiu não existe"},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.motivo);
        nome_do_arquivo = k.destino;
        projeto_alterado = true;
        s.mensagens.clear();
        {
            const falha_simulada_da_gravacao falha(k.chamada, k.erro);
            EXPECT_FALSE(salvar_pelas_janelas(contexto()));
        }
        ASSERT_EQ(s.mensagens.size(), 1u);
        EXPECT_EQ(s.mensagens[0].titulo, "Erro 146");
        EXPECT_EQ(s.mensagens[0].texto,
                  "Erro de acesso ao caminho/arquivo\nNão foi possível gravar " + k.destino + ": " + k.motivo + ".\n");
        EXPECT_TRUE(projeto_alterado);
        EXPECT_EQ(t().Caption, "ORVEL - rede.xml");
        EXPECT_EQ(conteudo(caminho), antes);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pasta.caminho()), {}), 1);
    }
}

TEST_F(arquivo_de_projeto, abertura_que_falha_deixa_a_rede_atual) {
    const std::string base = pasta.arquivo("base.xml");
    montar_rede();
    ASSERT_TRUE(salvar_em(base));
    const std::string bom = conteudo(base);

    struct caso {
        std::string nome;
        std::string texto;
        const char* titulo;
        std::string aviso = "";  // "": o de um arquivo que não é projeto
        bool fifo = false;
    };
    auto trocar = [&](const std::string& de, const std::string& para) {
        std::string t = bom;
        const auto p = t.find(de);
        EXPECT_NE(p, std::string::npos) << de;
        return t.replace(p, de.size(), para);
    };
    std::string entidade_20000_vezes;
    for (int i = 0; i < 20000; ++i) entidade_20000_vezes += "&e;";
    const std::vector<caso> casos = {
        {"texto.xml", "isto não é xml", "Aviso", "o arquivo texto.xml não é um documento XML bem formado"},
        {"outra_raiz.xml", "<?xml version=\"1.0\"?><html><rede/></html>", "Aviso"},
        // Um projeto bom com DOCTYPE, e um cuja entidade interna, expandida, daria um nome de
        // rede de 2 MB: recusados antes de qualquer valor.
        {"doctype.xml", trocar("<rss>", "<!DOCTYPE rss>\n<rss>"), "Aviso", "o arquivo doctype.xml tem uma declaração DOCTYPE"},
        {"entidade.xml",
         trocar("<rss><rede><nome_da_rede_dado>Rede &lt;teste&gt;",
                "<!DOCTYPE rss [<!ENTITY e \"" + std::string(100, 'x') + "\">]>\n<rss><rede><nome_da_rede_dado>" +
                    entidade_20000_vezes),
         "Aviso", "o arquivo entidade.xml tem uma declaração DOCTYPE"},
        {"fifo.xml", "", "Aviso", "não foi possível ler o arquivo fifo.xml", true},
        // Um valor longo: o aviso mostra os seus primeiros 100 caracteres.
        {"lista_longa.xml",
         trocar("<nome_dos_links_do_grupo1_dado>L1,,,,<", "<nome_dos_links_do_grupo1_dado>" + std::string(5000, ',') + "<"),
         "Aviso",
         "o arquivo lista_longa.xml tem um valor que os diálogos não aceitam: nome_dos_links_do_grupo1_dado = " +
             std::string(100, ',') + "… (em no1), com mais de 4 links"},
    };
    // Valores que os diálogos não deixariam entrar: o aviso diz a chave e o valor.
    struct fora_da_faixa {
        const char* de;
        const char* para;
        const char* aviso;
    };
    const fora_da_faixa valores[] = {
        {"<max_indice_no>3<", "<max_indice_no>51<", "max_indice_no = 51 (em rede), fora da faixa entre 0 e 50"},
        {"<max_indice_link>3<", "<max_indice_link>151<",
         "max_indice_link = 151 (em rede), fora da faixa entre 0 e 150"},
        {"<t_de_ciclo_maximo_imposto_dado>110<", "<t_de_ciclo_maximo_imposto_dado>301<",
         "t_de_ciclo_maximo_imposto_dado = 301 (em rede), fora da faixa entre 1 e 300"},
        {"<grau_de_saturacao_meta_imposto_dado>85<", "<grau_de_saturacao_meta_imposto_dado>4,5<",
         "grau_de_saturacao_meta_imposto_dado = 4,5 (em rede), fora da faixa entre 5 e 500"},
        {"<peso_da_parada_imposto_dado>-<", "<peso_da_parada_imposto_dado>-1<",
         "peso_da_parada_imposto_dado = -1 (em rede), fora da faixa entre 0 e 32767"},
        {"<verde_de_seguranca_dado>12<", "<verde_de_seguranca_dado>300<",
         "verde_de_seguranca_dado = 300 (em link1), fora da faixa entre 1 e 99"},
        {"<verde_de_seguranca_dado>12<", "<verde_de_seguranca_dado>-1<",
         "verde_de_seguranca_dado = -1 (em link1), fora da faixa entre 1 e 99"},
        {"<fluxo_dado>1800.5<", "<fluxo_dado>10000<", "fluxo_dado = 10000 (em link1), fora da faixa entre 1 e 9999"},
        {"<valor_do_primeiro_fornecimento_dado>600.25<", "<valor_do_primeiro_fornecimento_dado>1E40<",
         "valor_do_primeiro_fornecimento_dado = 1E40 (em link1), fora da faixa entre 0 e 9999"},
        {"<t_de_percurso_dado>25<", "<t_de_percurso_dado>121<",
         "t_de_percurso_dado = 121 (em link2), fora da faixa entre 1 e 120"},
        {"<capacidade_da_caixa_dado>40<", "<capacidade_da_caixa_dado>1<",
         "capacidade_da_caixa_dado = 1 (em link2), fora da faixa entre 2 e 9999"},
        {"<nome_do_link_dado>L2<", "<nome_do_link_dado>L2,<", "nome_do_link_dado = L2, (em link2), com o caracter ','"},
        {"<quant_de_grupos_dado>3<", "<quant_de_grupos_dado>9<",
         "quant_de_grupos_dado = 9 (em no1), fora da faixa entre 1 e 8"},
        {"<quant_de_grupos_dado>3<", "<quant_de_grupos_dado>0<",
         "quant_de_grupos_dado = 0 (em no1), fora da faixa entre 1 e 8"},
        {"<quant_de_intervalos_antes_dado>3<", "<quant_de_intervalos_antes_dado>0<",
         "quant_de_intervalos_antes_dado = 0 (em no1), fora da faixa entre 1 e 36"},
        {"<quant_de_intervalos_antes_dado>3<", "<quant_de_intervalos_antes_dado>40<",
         "quant_de_intervalos_antes_dado = 40 (em no1), fora da faixa entre 1 e 36"},
        {"<intervalo_do_escravo_dado>1<", "<intervalo_do_escravo_dado>37<",
         "intervalo_do_escravo_dado = 37 (em no2), fora da faixa entre 1 e 36"},
        {"<defasagem_forcada_dado>-15<", "<defasagem_forcada_dado>40000<",
         "defasagem_forcada_dado = 40000 (em no2), fora da faixa entre -32768 e 32767"},
        {"<n_acionamentos_dado>20<", "<n_acionamentos_dado>-1<",
         "n_acionamentos_dado = -1 (em no3), fora da faixa entre 0 e 32767"},
        {"<duracao_imposta_dado>0,12,", "<duracao_imposta_dado>0,291,",
         "duracao_imposta_dado = 291 (em no1), fora da faixa entre 1 e 290"},
        {"<cor_do_intervalo_do_grupo1_dado>1,3,", "<cor_do_intervalo_do_grupo1_dado>1,4,",
         "cor_do_intervalo_do_grupo1_dado = 4 (em no1), fora da faixa entre 0 e 3"},
        // Posições e listas além das tabelas, e números que não cabem no seu tipo.
        {"<relacao>1,2,3,</relacao>", "<relacao>1,2,151,</relacao>", "relacao = 151 (em links), fora da faixa entre 0 e 150"},
        {"<relacao>1,2,3,</relacao>", "<relacao>1,-1,</relacao>", "relacao = -1 (em links), fora da faixa entre 0 e 150"},
        {"<nome_dos_links_do_grupo1_dado>L1,,,,<", "<nome_dos_links_do_grupo1_dado>L1,,,,,<",
         "nome_dos_links_do_grupo1_dado = L1,,,,, (em no1), com mais de 4 links"},
        {"<existe_ordenada_dado>30,", "<existe_ordenada_dado>95,",
         "existe_ordenada_dado = 95 (em no1), fora da faixa entre 0 e 94"},
        {"<corpo_link_line_X1>100<", "<corpo_link_line_X1>1e39<",
         "corpo_link_line_X1 = 1e39 (em link1), grande demais para um número de precisão simples"},
        {"<quant_de_intervalos_depois_dado>10<", "<quant_de_intervalos_depois_dado>256<",
         "quant_de_intervalos_depois_dado = 256 (em no1), fora da faixa entre 0 e 255"},
        // Resultados que nenhuma execução dá: as vistas falhariam com eles.
        {"<periodo_de_simulacao>600<", "<periodo_de_simulacao>-600<",
         "periodo_de_simulacao = -600 (em rede), fora da faixa entre 0 e 3600"},
        {"<d1>4<", "<d1>-1<", "d1 = -1 (em no1), fora da faixa entre 0 e 32767"},
        {"<dcd1>5<", "<dcd1>-1<", "dcd1 = -1 (em no1), fora da faixa entre 0 e 32767"},
        {"<d1>4<", "<d1>32767<", "d1 = 32767 (em no1), a soma das durações passa de 32767"},
        {"<t_ciclo_da_rede_rel>90<", "<t_ciclo_da_rede_rel>301<",
         "t_ciclo_da_rede_rel = 301 (em rede), fora da faixa entre 0 e 300"},
        {"<defasagem_valendo_rel>75<", "<defasagem_valendo_rel>91<",
         "defasagem_valendo_rel = 91 (em no2), fora da faixa entre 0 e 90"},
        // Regras da confirmação dos editores que um arquivo pode quebrar.
        {"<fluxo_dado>1800.5<", "<fluxo_dado>3601<",
         "fluxo_de_saturacao_dado = 3600 (em link1), o fluxo não pode seer maior do que seu respectivo fluxo de "
         "saturação"},
        {"<capacidade_da_caixa_dado>40<", "<capacidade_da_caixa_dado>-<",
         "capacidade_da_caixa_dado = 0 (em link2), a capacidade da caixa deve estar compreendida entre 2 e 9999 veíc"},
        {"<nome_do_link_dado>L2<", "<nome_do_link_dado>   <", "nome_do_link_dado =     (em link2), o link deve ter um nome"},
        {"<nome_do_no_dado>N2<", "<nome_do_no_dado> <", "nome_do_no_dado =   (em no2), o nó deve ter um nome"},
        {"<fluxo_de_saturacao_dado>3600<", "<fluxo_de_saturacao_dado>0<",
         "fluxo_de_saturacao_dado = 0 (em link1), o fluxo de saturação deve estar compreendido entre 1 e 9999 veíc/h"},
        {"<fluxo_dado>1800.5<", "<fluxo_dado>0<",
         "fluxo_dado = 0 (em link1), o fluxo deve estar compreendido entre 1 e 9999 veíc/h"},
        {"<t_de_percurso_dado>25<", "<t_de_percurso_dado>-<",
         "t_de_percurso_dado = 0 (em link2), o tempo de percurso dos links internos deve estar compreendido entre 1 e "
         "120 s"},
        {"<nome_do_no_destino_dado>N2<", "<nome_do_no_destino_dado>centro &amp; sul <",
         "nome_do_no_origem_dado = Centro & Sul (em link2), o nó origem deve ser diferente do nó destino"},
        {"<nome_do_segundo_recebedor_dado>-<", "<nome_do_segundo_recebedor_dado>L2<",
         "valor_do_segundo_fornecimento_dado = 0 (em link1), falta definir o valor do fornecimento para um link"},
        {"<t_de_ciclo_imposto_dado>-<", "<t_de_ciclo_imposto_dado>111<",
         "t_de_ciclo_imposto_dado = 111 (em rede), o tempo de ciclo imposto deve ser menor ou igual ao tempo de ciclo "
         "máximo imposto"},
        {"<intervalo_do_escravo_dado>1<", "<intervalo_do_escravo_dado>0<",
         "intervalo_do_escravo_dado = 0 (em no2), o intervalo do escravo deve estar compreendido entre 1 e 36"},
        {"<intervalo_beneficiado_dado>1<", "<intervalo_beneficiado_dado>0<",
         "intervalo_beneficiado_dado = 0 (em no3), o intervalo beneficiado deve estar compreendido entre 1 e 36"},
    };
    std::vector<caso> todos = casos;
    int i = 0;
    for (const auto& v : valores) {
        const std::string nome = "fora_da_faixa" + std::to_string(++i) + ".xml";
        todos.push_back({nome, trocar(v.de, v.para), "Aviso",
                         "o arquivo " + nome + " tem um valor que os diálogos não aceitam: " + v.aviso});
    }
    const std::string arquivo_atual = pasta.arquivo("atual.xml");
    for (const caso& c : todos) {
        SCOPED_TRACE(c.nome);
        limpar_rede(contexto());
        montar_rede();
        nome_da_rede_dado = "atual";
        nome_do_arquivo = arquivo_atual;
        caption_dos_forms = "atual.xml";
        t().Caption = "ORVEL - atual.xml";
        projeto_alterado = true;
        const std::string caminho = pasta.arquivo(c.nome);
        s.mensagens.clear();
        if (c.fifo) {
            // A leitura de uma FIFO não pode esperar por quem escreva.
            const teste::fifo_de_teste fifo(caminho);
            bool aberto = true;
            EXPECT_TRUE(fifo.volta_sem_bloquear([&] { aberto = abrir(caminho); }));
            EXPECT_FALSE(aberto);
        } else {
            escrever(caminho, c.texto);
            EXPECT_FALSE(abrir(caminho));
        }
        ASSERT_EQ(s.mensagens.size(), 1u);
        EXPECT_EQ(s.mensagens[0].titulo, c.titulo);
        if (std::string(c.titulo) == "Aviso") {
            EXPECT_EQ(s.mensagens[0].texto,
                      c.aviso.empty() ? "o arquivo " + std::string(c.nome) + " não é um projeto do ORVEL" : c.aviso);
        }
        EXPECT_EQ(nome_da_rede_dado, "atual");
        EXPECT_EQ(nome_do_arquivo, arquivo_atual);
        EXPECT_EQ(caption_dos_forms, "atual.xml");
        EXPECT_EQ(total_de_links_dado, 3);
        EXPECT_TRUE(t().corpo_link_line.carregado(3));
        EXPECT_EQ(t().Caption, "ORVEL - atual.xml");
        EXPECT_TRUE(projeto_alterado);
        EXPECT_EQ(t().MousePointer, 0);
        EXPECT_EQ(max_indice_link, 3);
        EXPECT_EQ(quant_de_grupos_dado(1), 3);
        EXPECT_EQ(verde_de_seguranca_dado(1), 12);
    }
}

TEST_F(arquivo_de_projeto, rede_desenhada_e_nunca_editada_e_nomes_variados_abrem_iguais) {
    // Nós e links recém-desenhados: 0 grupos, 0 intervalos, verde e fluxos 0, opções não impostas.
    for (int i = 0; i < 2; ++i) inserir_no();
    inserir_link();
    inserir_link();
    // Nomes que o arquivo guarda: brancos, traço, ponto e vírgula, caracteres do XML e acentos.
    // O link 1 confirmado pelo editor; o 2 só desenhado, sem nome.
    nome_do_link_dado(1) = " a-b ";
    nome_do_no_origem_dado(1) = "N-1";
    nome_do_no_destino_dado(1) = "<&>";
    verde_de_seguranca_dado(1) = 10;
    fluxo_dado(1) = 100;
    fluxo_de_saturacao_dado(1) = 1800;
    t_de_percurso_dado(1) = 10;
    capacidade_da_caixa_dado(1) = 20;
    nome_do_recebedor_dado(1, 2) = "x;y";
    valor_do_fornecimento_dado(1, 2) = 10;
    nome_do_no_dado(1) = "<&>";
    quant_de_grupos_dado(1) = 1;
    quant_de_intervalos_antes_dado(1) = 1;
    nome_dos_links_do_grupo_dado(1, 1, 1) = " a-b ";
    nome_dos_links_do_grupo_dado(1, 1, 3) = "çã;";
    const std::string caminho = pasta.arquivo("nunca_editada.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::string antes = conteudo(caminho);
    limpar_rede(contexto());
    s.mensagens.clear();
    ASSERT_TRUE(abrir(caminho));
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(total_de_nos_dado, 2);
    EXPECT_EQ(total_de_links_dado, 2);
    EXPECT_EQ(quant_de_grupos_dado(2), 0);
    EXPECT_EQ(nome_do_link_dado(1), " a-b ");
    EXPECT_EQ(nome_do_link_dado(2), "");
    EXPECT_EQ(nome_do_no_origem_dado(1), "N-1");
    EXPECT_EQ(nome_do_recebedor_dado(1, 2), "x;y");
    EXPECT_EQ(nome_do_no_dado(1), "<&>");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 1, 1), " a-b ");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 1, 2), "");
    EXPECT_EQ(nome_dos_links_do_grupo_dado(1, 1, 3), "çã;");
    salvar_como = false;
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    EXPECT_TRUE(conteudo(caminho) == antes) << "abrir e salvar mudou o arquivo";
}

TEST_F(arquivo_de_projeto, relacao_com_e_sem_virgula_final_e_contagens_do_arquivo) {
    montar_rede();
    const std::string caminho = pasta.arquivo("relacao.xml");
    ASSERT_TRUE(salvar_em(caminho));
    std::string texto = conteudo(caminho);
    texto.replace(texto.find("<relacao>1,2,3,</relacao>"), 25, "<relacao>0,2,3</relacao>");
    texto.replace(texto.find("<total_de_nos_dado>3<"), 21, "<total_de_nos_dado>9<");
    escrever(caminho, texto);
    limpar_rede(contexto());
    ASSERT_TRUE(abrir(caminho));
    EXPECT_FALSE(existe_link(1));
    EXPECT_TRUE(existe_link(2));
    EXPECT_FALSE(existe_link(3));  // texto depois da última vírgula não conta
    EXPECT_EQ(total_de_links_dado, 1);
    EXPECT_EQ(total_de_nos_dado, 3);  // recontado pela lista
    EXPECT_EQ(max_indice_link, 3);
}

// Uma lista com um item por intervalo da tabela abre, um item a mais é recusado; o fornecimento
// de um recebedor "-" é 0, qualquer que seja o seu texto.
TEST_F(arquivo_de_projeto, lista_no_limite_e_fornecimento_de_recebedor_nenhum) {
    montar_rede();
    const std::string caminho = pasta.arquivo("limite.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::string bom = conteudo(caminho);
    const std::string abre = "<cor_do_intervalo_do_grupo1_dado>";
    const auto ini = bom.find(abre) + abre.size();
    std::string cores;
    for (int k = 1; k <= limite_de_intervalos; ++k) cores += k == limite_de_intervalos ? "3," : "1,";
    for (const std::string& lista : {cores, "1," + cores}) {
        std::string texto = bom;
        texto.replace(ini, texto.find('<', ini) - ini, lista);
        const std::string fornecimento = "<valor_do_segundo_fornecimento_dado>-<";
        texto.replace(texto.find(fornecimento), fornecimento.size(), "<valor_do_segundo_fornecimento_dado>5<");
        escrever(caminho, texto);
        limpar_rede(contexto());
        s.mensagens.clear();
        if (lista == cores) {
            ASSERT_TRUE(abrir(caminho));
            EXPECT_EQ(cor_do_intervalo_do_grupo_dado(1, 1, limite_de_intervalos), 3);
            EXPECT_EQ(valor_do_fornecimento_dado(1, 2), 0);
        } else {
            EXPECT_FALSE(abrir(caminho));
            ASSERT_EQ(s.mensagens.size(), 1u);
            EXPECT_TRUE(s.mensagens[0].texto.ends_with("(em no1), com mais de 95 itens")) << s.mensagens[0].texto;
        }
    }
}

// Os resultados de uma rede que mudou depois do cálculo não vão para o arquivo, nem o ciclo duplo.
TEST_F(arquivo_de_projeto, rede_mudada_nao_grava_o_ciclo_duplo_de_antes) {
    montar_rede();
    ++revisao_da_rede;
    const std::string caminho = pasta.arquivo("mudada.xml");
    ASSERT_TRUE(salvar_em(caminho));
    EXPECT_EQ(conteudo(caminho).find("<eh_ciclo_duplo_rel>sim<"), std::string::npos);
}

TEST_F(arquivo_de_projeto, cancelar_a_abertura_deixa_a_rede_e_o_seu_arquivo) {
    montar_rede();
    nome_do_arquivo = "/x/y.xml";
    EXPECT_FALSE(abrir_pelas_janelas(contexto()));
    EXPECT_EQ(nome_do_arquivo, "/x/y.xml");
    EXPECT_EQ(total_de_links_dado, 3);
    ASSERT_EQ(s.dialogos_abrir.size(), 1u);
    EXPECT_EQ(s.dialogos_abrir[0].titulo, "Abrir");
    EXPECT_EQ(s.dialogos_abrir[0].pasta_inicial, "/opt/orvel");
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

TEST_F(arquivo_de_projeto, projeto_nao_processado_aberto_e_salvo_fica_igual) {
    montar_rede();
    contexto().resultados.t_ciclo_da_rede_rel.clear();
    contexto().resultados.atraso_rede_rel.clear();
    contexto().resultados.n_paradas_rede_rel.clear();
    contexto().resultados.espera_media_rel.clear();
    contexto().resultados.maior_grau_de_saturacao_rel.clear();
    revisao_processada = revisao_sem_resultados;  // nenhum processamento chegou ao fim
    const std::string caminho = pasta.arquivo("sem_resultados.xml");
    ASSERT_TRUE(salvar_em(caminho));
    const std::string antes = conteudo(caminho);
    limpar_rede(contexto());
    ASSERT_TRUE(abrir(caminho));
    EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "");
    EXPECT_EQ(contexto().resultados.atraso_rede_rel, "");
    salvar_como = false;
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    EXPECT_TRUE(conteudo(caminho) == antes) << "abrir e salvar inventou resultados";
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Um arquivo sem tempo de ciclo (de uma execução interrompida, com durações de parte do cálculo)
// abre como não processado: salvo de novo, não passa aquelas durações e defasagens por resultado.
TEST_F(arquivo_de_projeto, arquivo_sem_tempo_de_ciclo_abre_como_nao_processado) {
    montar_rede();
    contexto().resultados.t_ciclo_da_rede_rel.clear();
    const std::string caminho = pasta.arquivo("interrompido.xml");
    ASSERT_TRUE(salvar_em(caminho));
    ASSERT_NE(conteudo(caminho).find("<d1>4</d1>"), std::string::npos);
    limpar_rede(contexto());
    ASSERT_TRUE(abrir(caminho));
    EXPECT_EQ(contexto().derivados.t_de_ciclo, 0);
    salvar_como = false;
    ASSERT_TRUE(salvar_pelas_janelas(contexto()));
    const std::string salvo = conteudo(caminho);
    EXPECT_NE(salvo.find("<d1>-</d1>"), std::string::npos);
    EXPECT_EQ(salvo.find("<defasagem_valendo_rel>75<"), std::string::npos);
    EXPECT_NE(salvo.find("<data_rel/>"), std::string::npos);
}

// Cada chave da tabela das faixas, num arquivo que a abertura aceita, é recusada logo acima e
// logo abaixo da sua faixa (numa lista, no segundo item), com a chave, o valor e a faixa no aviso.
TEST_F(arquivo_de_projeto, cada_chave_da_tabela_das_faixas_recusada_acima_e_abaixo) {
    montar_rede();
    // Todas as listas de cores de grupo vão ao arquivo; o ciclo imposto não passa do máximo.
    quant_de_grupos_dado(1) = max_grupos;
    t_de_ciclo_imposto_dado = 100;
    const std::string base = pasta.arquivo("base.xml");
    ASSERT_TRUE(salvar_em(base));
    const std::string bom = conteudo(base);
    limpar_rede(contexto());
    ASSERT_TRUE(abrir(base)) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);

    int testadas = 0;
    for (const chave_com_faixa& f : chaves_com_faixa()) {
        const double abaixo = f.faixa->minimo - 1 == 0 && f.faixa->aceita_zero ? -1 : f.faixa->minimo - 1;
        for (const double v : {f.faixa->maximo + 1, abaixo}) {
            const std::string valor = texto_de_double(v);
            SCOPED_TRACE(f.chave + " = " + valor);
            const std::string abre = "<" + f.chave + ">";
            std::string texto = bom;
            const auto p = texto.find(abre);
            ASSERT_NE(p, std::string::npos);
            // Numa lista (o arquivo diz qual é, não a tabela), o segundo item: o primeiro,
            // válido, não basta para aceitá-la.
            const auto depois = texto.find('<', p + abre.size());
            const bool lista = texto.find(',', p) < depois;
            EXPECT_EQ(lista, f.lista);
            const auto ini = lista ? texto.find(',', p) + 1 : p + abre.size();
            const auto fim = lista ? texto.find(',', ini) : depois;
            texto.replace(ini, fim - ini, valor);
            const std::string arq = pasta.arquivo("chave.xml");
            escrever(arq, texto);
            s.mensagens.clear();
            EXPECT_FALSE(abrir(arq));
            ASSERT_EQ(s.mensagens.size(), 1u);
            const std::string& aviso = s.mensagens[0].texto;
            EXPECT_NE(aviso.find(": " + f.chave + " = " + valor + " (em "), std::string::npos) << aviso;
            EXPECT_NE(aviso.find("fora da faixa " + texto_da_faixa(*f.faixa)), std::string::npos) << aviso;
            EXPECT_EQ(nome_do_arquivo, base);
            ++testadas;
        }
    }
    EXPECT_EQ(testadas, 2 * static_cast<int>(chaves_com_faixa().size()));
}

// Um arquivo maior que o limite não é lido, nem pela abertura nem pelo relatório: o arquivo
// esparso não ocupa o disco.
TEST_F(arquivo_de_projeto, arquivo_grande_demais_nao_e_lido) {
    montar_rede();
    const std::string caminho = pasta.arquivo("grande.xml");
    ASSERT_TRUE(salvar_em(caminho));
    std::filesystem::resize_file(caminho, limite_de_bytes_de_um_arquivo + 1);
    s.mensagens.clear();
    EXPECT_FALSE(abrir(caminho));
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "o arquivo grande.xml passa de 8 MB");
    EXPECT_EQ(total_de_links_dado, 3);
    EXPECT_EQ(teste::falha_de([&] { relatorio_em_html(caminho, "/nenhuma"); }), tipo_de_falha::erro_de_arquivo);
}

// Cada motivo de um arquivo não ser lido é dito no aviso; o relatório recusa os mesmos
// arquivos. Um elemento no limite de atributos e um projeto com xmlns="" abrem como sempre.
TEST_F(arquivo_de_projeto, aviso_diz_por_que_o_arquivo_nao_e_lido) {
    montar_rede();
    const std::string base = pasta.arquivo("base.xml");
    ASSERT_TRUE(salvar_em(base));
    const std::string bom = conteudo(base);
    auto trocar = [&](const std::string& de, const std::string& para) {
        std::string t = bom;
        const auto p = t.find(de);
        EXPECT_NE(p, std::string::npos) << de;
        return t.replace(p, de.size(), para);
    };
    auto repetido = [](int vezes, const std::string& texto) {
        std::string t;
        for (int i = 0; i < vezes; ++i) t += texto;
        return t;
    };
    auto atributos = [](int quantos) {
        std::string t;
        for (int i = 0; i < quantos; ++i) t += " a" + std::to_string(i) + "=\"\"";
        return t;
    };
    auto fechar_com = [](std::string t, const std::string& de, const std::string& para) {
        const auto p = t.find("</" + de + ">");
        return t.replace(p + 2, de.size(), para);
    };
    // O projeto em UTF-16 com a marca de ordem dos bytes, em qualquer das ordens e com qualquer
    // dos nomes do UTF-16, abre; com uma metade de par substituto sozinha ou sem a marca, não.
    auto em_utf16 = [](const std::string& latin1, bool little_endian, bool marca) {
        std::string t = !marca ? "" : little_endian ? "\xFF\xFE" : "\xFE\xFF";
        for (const char c : latin1) t += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
        return t;
    };
    const std::string utf16 = em_utf16(trocar("ISO-8859-1", "UTF-16"), true, true);
    // Regravado em UTF-8 por um editor, com a marca e a declaração de antes.
    std::string utf8;
    for (const char c : bom) {
        const auto b = static_cast<unsigned char>(c);
        utf8 += b < 0x80 ? std::string{c} : std::string{static_cast<char>(0xC0 | (b >> 6)), static_cast<char>(0x80 | (b & 0x3F))};
    }
    // O euro escrito como um byte da codificação declarada.
    auto com_euro = [&](const std::string& codificacao, const std::string& euro) {
        std::string t = trocar("ISO-8859-1", codificacao);
        return t.replace(t.find("&#8364;"), 7, euro);
    };
    const int niveis = limite_de_profundidade_de_um_documento;
    const std::pair<std::string, std::string> casos[] = {
        {"doctype.xml", trocar("<rss>", "<!DOCTYPE rss>\n<rss>")},
        {"elementos.xml", trocar("<rss>", "<rss>" + repetido(limite_de_filhos_de_um_elemento, "<x/>"))},
        {"profundo.xml", trocar("<rede>", "<rede>" + repetido(niveis, "<x>") + repetido(niveis, "</x>"))},
        {"atributos.xml", trocar("<rede>", "<rede" + atributos(limite_de_atributos_de_um_elemento + 1) + ">")},
        {"declaracoes.xml", trocar("<rss>", "<rss>" + repetido(limite_de_espacos_de_nomes_de_um_documento + 1,
                                                               "<x xmlns:p=\"urn:p\"/>"))},
        {"cortado.xml", bom.substr(0, bom.size() / 2)},
        {"espaco.xml", trocar("<rss>", "<rss xmlns=\"urn:exemplo:rede\">")},
        {"espaco_numa_chave.xml",
         trocar("<t_ciclo_da_rede_rel>", "<p:t xmlns:p=\"http://exemplo.com/p\"/><t_ciclo_da_rede_rel>")},
        {"prefixo.xml", fechar_com(trocar("<rede>", "<p:rede>"), "rede", "p:rede")},
        {"raiz_com_prefixo.xml", fechar_com(trocar("<rss>", "<p:rss xmlns:p=\"urn:x\">"), "rss", "p:rss")},
        {"utf7.xml", trocar("ISO-8859-1", "UTF-7")},
        {"latin1_como_utf8.xml", trocar("ISO-8859-1\"?>", "UTF-8\"?><!-- Jos\xE9 -->")},
        {"alem_do_unicode.xml", trocar("ISO-8859-1\"?>", "UTF-8\"?><!-- \xF4\x90\x80\x80 -->")},
        {"ascii.xml", trocar("ISO-8859-1\"?>", "US-ASCII\"?><!-- Jos\xE9 -->")},
        {"surrogato.xml", utf16 + std::string("\x00\xDC", 2)},
        {"marca_e_latin1.xml", "\xEF\xBB\xBF" + bom},
        {"utf16_sem_marca.xml", em_utf16(trocar("ISO-8859-1", "UTF-16LE"), true, false)},
        {"utf16be_sem_marca.xml", em_utf16(trocar("ISO-8859-1", "UTF-16BE"), false, false)},
        {"windows_1252_sem_o_byte.xml", trocar("ISO-8859-1\"?>", "windows-1252\"?><!-- \x81 -->")},
    };
    const char* avisos[] = {
        "o arquivo doctype.xml tem uma declaração DOCTYPE",
        "o arquivo elementos.xml tem elementos demais",
        "o arquivo profundo.xml tem elementos uns dentro dos outros em níveis demais",
        "o arquivo atributos.xml tem um elemento com atributos demais",
        "o arquivo declaracoes.xml declara espaços de nomes demais",
        "o arquivo cortado.xml não é um documento XML bem formado",
        "o arquivo espaco.xml tem elementos no espaço de nomes urn:exemplo:rede",
        "o arquivo espaco_numa_chave.xml tem elementos no espaço de nomes http://exemplo.com/p",
        "o arquivo prefixo.xml usa o prefixo p sem declarar o seu espaço de nomes",
        "o arquivo raiz_com_prefixo.xml tem elementos no espaço de nomes urn:x",
        "o arquivo utf7.xml usa a codificação UTF-7, que o programa não lê",
        "o arquivo latin1_como_utf8.xml tem bytes que não valem na codificação UTF-8",
        "o arquivo alem_do_unicode.xml tem bytes que não valem na codificação UTF-8",
        "o arquivo ascii.xml tem bytes que não valem na codificação US-ASCII",
        "o arquivo surrogato.xml tem bytes que não valem na codificação UTF-16",
        "o arquivo marca_e_latin1.xml começa com a marca de ordem dos bytes do UTF-8 e declara a codificação ISO-8859-1, mas tem bytes que não valem em UTF-8",
        "o arquivo utf16_sem_marca.xml usa a codificação UTF-16 sem a marca de ordem dos bytes, que o programa não lê",
        "o arquivo utf16be_sem_marca.xml usa a codificação UTF-16 sem a marca de ordem dos bytes, que o programa não lê",
        "o arquivo windows_1252_sem_o_byte.xml tem bytes que não valem na codificação windows-1252",
    };
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        const auto& [nome, texto] = casos[i];
        SCOPED_TRACE(nome);
        const std::string caminho = pasta.arquivo(nome);
        escrever(caminho, texto);
        s.mensagens.clear();
        EXPECT_FALSE(abrir(caminho));
        ASSERT_EQ(s.mensagens.size(), 1u);
        EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
        EXPECT_EQ(s.mensagens[0].texto, avisos[i]);
        EXPECT_EQ(nome_do_arquivo, base);
        if (i < 6) {
            EXPECT_EQ(teste::falha_de([&] { relatorio_em_html(caminho, "/nenhuma"); }), tipo_de_falha::erro_de_arquivo);
        }
    }
    // Uma pasta não pode ser lida: o texto de sempre.
    const std::string uma_pasta = pasta.arquivo("pasta.xml");
    std::filesystem::create_directory(uma_pasta);
    s.mensagens.clear();
    EXPECT_FALSE(abrir(uma_pasta));
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "não foi possível ler o arquivo pasta.xml");

    // No limite: níveis e atributos no máximo; espaço de nomes declarado, mas em elemento algum.
    const std::pair<std::string, std::string> aceitos[] = {
        {"niveis.xml", trocar("<rede>", "<rede>" + repetido(niveis - 2, "<x>") + repetido(niveis - 2, "</x>"))},
        {"no_limite.xml", trocar("<rede>", "<rede" + atributos(limite_de_atributos_de_um_elemento) + ">")},
        {"sem_espaco.xml", trocar("<rss>", "<rss xmlns:p=\"urn:p\"><x xmlns=\"\" p:a=\"1\"/>")},
        {"utf16.xml", utf16},
        {"utf16le.xml", em_utf16(trocar("ISO-8859-1", "UTF-16LE"), true, true)},
        {"utf16be.xml", em_utf16(trocar("ISO-8859-1", "utf-16be"), false, true)},
        {"ucs2.xml", em_utf16(trocar("ISO-8859-1", "UCS-2"), true, true)},
        {"windows_1252.xml", com_euro("Windows-1252", "\x80")},
        {"iso_8859_15.xml", com_euro("iso-8859-15", "\xA4")},
        {"marca_utf8_declarando_latin1.xml", "\xEF\xBB\xBF" + utf8},
        {"utf8.xml", std::string(utf8).replace(utf8.find("ISO-8859-1"), 10, "utf-8")},
    };
    for (const auto& [nome, texto] : aceitos) {
        SCOPED_TRACE(nome);
        const std::string caminho = pasta.arquivo(nome);
        escrever(caminho, texto);
        s.mensagens.clear();
        EXPECT_TRUE(abrir(caminho));
        EXPECT_TRUE(s.mensagens.empty());
        EXPECT_EQ(total_de_links_dado, 3);
        EXPECT_EQ(nome_da_rede_dado, "Rede <teste> €");
        EXPECT_EQ(nome_do_no_dado(3), "São João");
    }
}

// Os nomes que o arquivo guarda: o espaço passa, o caracter de controle logo abaixo dele não.
TEST(limites_dos_valores, caracteres_de_controle_e_nomes_em_branco) {
    EXPECT_EQ(caracter_que_o_arquivo_nao_guarda("a\x1F", uso_do_nome::no), "de código 31");
    EXPECT_EQ(caracter_que_o_arquivo_nao_guarda("a b\t", uso_do_nome::no), std::nullopt);
    EXPECT_TRUE(nome_em_branco(""));
    EXPECT_TRUE(nome_em_branco("   "));
    EXPECT_FALSE(nome_em_branco(" a "));
}

}  // namespace
}  // namespace orvel
