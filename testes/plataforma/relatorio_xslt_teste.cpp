#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "comum/arquivos.h"
#include "comum/fifo_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "plataforma/documento_xml.h"
#include "plataforma/falha.h"
#include "plataforma/relatorio_xslt.h"

namespace orvel {
namespace {

using teste::conteudo;
using teste::escrever;
using teste::falha_de;

// Uma folha que escreve a sua marca e o nome da rede.
std::string folha(const std::string& marca, const std::string& saida = "method=\"html\"") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
           "<xsl:output " + saida + "/>\n"
           "<xsl:template match=\"/\"><html><body><p>" + marca +
           ":<xsl:value-of select=\"/rss/rede/nome_da_rede_dado\"/></p></body></html></xsl:template>\n"
           "</xsl:stylesheet>\n";
}

std::string projeto(const std::string& instrucao, const std::string& nome = "Centro") {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + instrucao +
           "<rss><rede><nome_da_rede_dado>" + nome + "</nome_da_rede_dado></rede></rss>\n";
}

std::string instrucao(const std::string& href) {
    return "<?xml-stylesheet type=\"text/xsl\" href=\"" + href + "\"?>\n";
}

class relatorio_xslt : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(programa.caminho() / "pasta do programa");
        pasta_do_programa = programa.arquivo("pasta do programa");
        escrever(pasta_do_programa + "/modelo_orvel.xsl", folha("padrao"));
    }
    // O relatório de um projeto com essa instrução, gravado na pasta do projeto.
    std::string relatorio(const std::string& pi, const std::string& nome_do_arquivo = "rede.xml") {
        const std::string caminho = projetos.arquivo(nome_do_arquivo);
        escrever(caminho, projeto(pi));
        return relatorio_em_html(caminho, pasta_do_programa);
    }
    teste::pasta_temporaria programa, projetos;
    std::string pasta_do_programa;
};

TEST_F(relatorio_xslt, a_instrucao_do_projeto_nao_escolhe_a_folha) {
    std::filesystem::create_directories(programa.caminho() / "outra pasta");
    escrever(programa.arquivo("outra pasta") + "/estilo.xsl", folha("propria"));
    escrever(projetos.arquivo("vizinha.xsl"), folha("vizinha"));
    // Nenhuma forma de endereço leva a outra folha: o relatório é sempre o do programa.
    for (const std::string& pi :
         {instrucao("file://" + programa.arquivo("outra%20pasta") + "/estilo.xsl"),
          instrucao(programa.arquivo("outra pasta") + "/estilo.xsl"),
          instrucao("FILE://localhost" + programa.arquivo("outra%20pasta") + "/estilo.xsl#x"),
          std::string("<?xml-stylesheet href='vizinha.xsl' type='text/xsl'?>"),
          std::string("<?xml-stylesheet type=\"text/css\" href=\"a.css\"?>") + instrucao("  vizinha.xsl "),
          instrucao("rede.xml")})
        EXPECT_NE(relatorio(pi).find("padrao:Centro"), std::string::npos) << pi;
}

TEST_F(relatorio_xslt, projeto_que_e_a_propria_folha_nao_le_outros_arquivos) {
    escrever(programa.arquivo("segredo.xml"), "<s>SEGREDO</s>");
    const std::string segredo_uri = "file://" + programa.arquivo("segredo.xml");
    // Um projeto que é ao mesmo tempo folha de estilo e que se nomeia como folha.
    const std::string caminho = projetos.arquivo("armadilha.xml");
    escrever(caminho, "<?xml version=\"1.0\"?>\n" + instrucao("armadilha.xml") +
                          "<rss xsl:version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                          "<rede><nome_da_rede_dado>Centro<xsl:value-of select=\"document('" + segredo_uri +
                          "')\"/></nome_da_rede_dado></rede></rss>\n");
    std::string html = relatorio_em_html(caminho, pasta_do_programa);
    EXPECT_NE(html.find("padrao:Centro"), std::string::npos) << html;
    EXPECT_EQ(html.find("SEGREDO"), std::string::npos);

    // A própria folha do programa também só lê o projeto e a si mesma: ler outro arquivo
    // não dá o seu conteúdo, e a transformação não vai até o fim.
    auto folha_que_le = [&](const std::string& expressao) {
        escrever(pasta_do_programa + "/modelo_orvel.xsl",
                 "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                 "<xsl:output method=\"html\"/><xsl:template match=\"/\"><p>lido:<xsl:value-of select=\"" +
                     expressao + "\"/></p></xsl:template></xsl:stylesheet>");
    };
    folha_que_le("document('" + segredo_uri + "')");
    EXPECT_EQ(falha_de([&] { html = relatorio_em_html(caminho, pasta_do_programa); }), tipo_de_falha::generica);
    EXPECT_EQ(html.find("SEGREDO"), std::string::npos);
    folha_que_le("count(document('')/*/xsl:template)");
    EXPECT_NE(relatorio_em_html(caminho, pasta_do_programa).find("lido:1"), std::string::npos);
    folha_que_le("document('armadilha.xml', /)/rss/rede/nome_da_rede_dado");
    EXPECT_NE(relatorio_em_html(caminho, pasta_do_programa).find("lido:Centro"), std::string::npos);
}

TEST_F(relatorio_xslt, sem_folha_que_sirva_usa_a_da_pasta_do_programa) {
    escrever(projetos.arquivo("nao_e_folha.xsl"), "<?xml version=\"1.0\"?><rss/>");
    escrever(projetos.arquivo("quebrada.xsl"), "<xsl:stylesheet");
    for (const std::string& pi : {std::string(),
                                  instrucao("C:\\Arquivos de programas\\Orvel\\modelo_orvel.xsl"),
                                  instrucao("/pasta/que/nao/existe/modelo_orvel.xsl"),
                                  instrucao("http://127.0.0.1:9/modelo_orvel.xsl"),
                                  instrucao("nao_e_folha.xsl"),
                                  instrucao("quebrada.xsl"),
                                  std::string("<?xml-stylesheet type=\"text/xsl\" href=\"sem aspas fechadas?>")})
        EXPECT_NE(relatorio(pi).find("padrao:Centro"), std::string::npos) << pi;

    std::filesystem::remove(pasta_do_programa + "/modelo_orvel.xsl");
    EXPECT_EQ(falha_de([&] { relatorio(instrucao("/nao/existe.xsl")); }), tipo_de_falha::arquivo_nao_encontrado);
}

TEST_F(relatorio_xslt, projeto_ausente_ou_ilegivel_falha) {
    EXPECT_EQ(falha_de([&] { relatorio_em_html("", pasta_do_programa); }), tipo_de_falha::arquivo_nao_encontrado);
    EXPECT_EQ(falha_de([&] { relatorio_em_html(projetos.arquivo("nenhum.xml"), pasta_do_programa); }),
              tipo_de_falha::arquivo_nao_encontrado);
    EXPECT_EQ(falha_de([&] { relatorio_em_html(projetos.caminho().string(), pasta_do_programa); }),
              tipo_de_falha::erro_de_arquivo);
    escrever(projetos.arquivo("meio.xml"), "<rss><rede>");
    EXPECT_EQ(falha_de([&] { relatorio_em_html(projetos.arquivo("meio.xml"), pasta_do_programa); }),
              tipo_de_falha::erro_de_arquivo);
    // Uma FIFO não é lida (nem fica à espera de quem escreva).
    const teste::fifo_de_teste fifo(projetos.arquivo("fifo.xml"));
    tipo_de_falha f = tipo_de_falha::generica;
    EXPECT_TRUE(fifo.volta_sem_bloquear([&] { f = falha_de([&] { relatorio_em_html(fifo.caminho(), pasta_do_programa); }); }));
    EXPECT_EQ(f, tipo_de_falha::erro_de_arquivo);
}

TEST_F(relatorio_xslt, sai_em_utf8_qualquer_que_seja_a_codificacao_pedida) {
    escrever(pasta_do_programa + "/modelo_orvel.xsl", folha("latin1", "method=\"html\" encoding=\"ISO-8859-1\""));
    const std::string caminho = projetos.arquivo("acento.xml");
    // "São João" em ISO-8859-1 no disco.
    escrever(caminho, projeto("", "S\xE3o Jo\xE3o"));
    const std::string html = relatorio_em_html(caminho, pasta_do_programa);
    EXPECT_NE(html.find("latin1:São João"), std::string::npos) << html;
    EXPECT_EQ(html.find("ISO-8859-1"), std::string::npos);
}

TEST_F(relatorio_xslt, nem_entidades_nem_dtd_nem_arquivos_gravados) {
    const std::string segredo = programa.arquivo("segredo.txt");
    escrever(segredo, "SEGREDO");
    // Um projeto com DOCTYPE não é lido: nem entidade externa, nem interna.
    const std::string caminho = projetos.arquivo("xxe.xml");
    for (const std::string& doctype : {"<!DOCTYPE rss [<!ENTITY s SYSTEM \"file://" + segredo + "\">]>\n",
                                       std::string("<!DOCTYPE rss [<!ENTITY s \"dentro\">]>\n")}) {
        escrever(caminho, "<?xml version=\"1.0\"?>\n" + doctype +
                              "<rss><rede><nome_da_rede_dado>&s;</nome_da_rede_dado></rede></rss>");
        EXPECT_EQ(falha_de([&] { relatorio_em_html(caminho, pasta_do_programa); }), tipo_de_falha::erro_de_arquivo);
    }

    // Uma folha que tenta gravar um arquivo não vai até o fim, e o arquivo não aparece.
    const std::string gravado = projetos.arquivo("gravado.html");
    escrever(pasta_do_programa + "/modelo_orvel.xsl",
             "<xsl:stylesheet version=\"1.1\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
             "<xsl:template match=\"/\"><xsl:document href=\"" + gravado + "\"><x/></xsl:document><p/></xsl:template>"
             "</xsl:stylesheet>");
    escrever(caminho, projeto(""));
    EXPECT_EQ(falha_de([&] { relatorio_em_html(caminho, pasta_do_programa); }), tipo_de_falha::generica);
    EXPECT_FALSE(std::filesystem::exists(gravado));
}

TEST_F(relatorio_xslt, listas_de_5000_itens_sem_recursao) {
    const std::string recursos = ORVEL_DADOS_DE_TESTE "/../../recursos";
    std::string links, cores;
    for (int i = 1; i <= 5000; ++i) {
        links += "L" + std::to_string(i) + ",";
        cores += "1,";
    }
    const std::string caminho = projetos.arquivo("longa.xml");
    escrever(caminho, "<?xml version=\"1.0\"?>\n<rss><rede><nome_da_rede_dado>Longa</nome_da_rede_dado>"
                      "<t_ciclo_da_rede_rel>90</t_ciclo_da_rede_rel><StrLinks_com_maior_grau_de_saturacao_rel>" +
                          links + "</StrLinks_com_maior_grau_de_saturacao_rel></rede>"
                          "<no1><nome_do_no_dado>N1</nome_do_no_dado><quant_de_grupos_dado>1</quant_de_grupos_dado>"
                          "<quant_de_intervalos_depois_dado>5000</quant_de_intervalos_depois_dado>"
                          "<nome_dos_links_do_grupo1_dado>" + links + "</nome_dos_links_do_grupo1_dado>"
                          "<cor_do_intervalo_do_grupo1_depois>" + cores + "</cor_do_intervalo_do_grupo1_depois>"
                          "</no1></rss>\n");
    const std::string html = relatorio_em_html(caminho, recursos);
    EXPECT_NE(html.find("<td>L1, L2, L3, "), std::string::npos);
    EXPECT_NE(html.find(", L4999, L5000</td>"), std::string::npos);
    std::size_t verdes = 0;
    for (auto p = html.find("estado verde"); p != std::string::npos; p = html.find("estado verde", p + 1)) ++verdes;
    EXPECT_EQ(verdes, 5000u);
}

TEST_F(relatorio_xslt, a_folha_do_programa_num_projeto_com_e_sem_resultados) {
    const std::string recursos = ORVEL_DADOS_DE_TESTE "/../../recursos";
    const std::string html = relatorio_em_html(ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml", recursos);
    for (const char* esperado : {"Relatório da rede Rede &lt;teste&gt; €", "Centro &amp; Sul", "São João", "L1, L3",
                                 "L2 (600.25 veíc/h)", "90 s", "12.5 veíc·s/s", "(entrada)", "Plano de sinalização"})
        EXPECT_NE(html.find(esperado), std::string::npos) << esperado;

    const std::string caminho = projetos.arquivo("sem_resultados.xml");
    escrever(caminho, projeto(""));
    const std::string vazio = relatorio_em_html(caminho, recursos);
    EXPECT_NE(vazio.find("não tem resultados"), std::string::npos);
    EXPECT_NE(vazio.find("A rede não tem nós."), std::string::npos);
}

// Todo arquivo que a abertura aceita tem relatório: os de testes/dados e os que trazem seções
// CDATA (que a leitura do relatório passa como texto), no nome da rede ou sozinha na raiz.
TEST_F(relatorio_xslt, todo_arquivo_que_abre_tem_relatorio) {
    std::vector<std::pair<std::string, std::string>> casos;  // o arquivo e um trecho do relatório
    for (const auto& e : std::filesystem::directory_iterator(ORVEL_DADOS_DE_TESTE))
        if (documento_de_xml{}.carregar(e.path().string()) == resultado_da_carga::carregado)
            casos.emplace_back(e.path().string(), "Relatório da rede");
    ASSERT_FALSE(casos.empty());
    std::string com_cdata = conteudo(ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml");
    const std::string nome = "Rede &lt;teste&gt; &#8364;";
    com_cdata.replace(com_cdata.find(nome), nome.size(), "<![CDATA[Rede <A> & S\xE3o Jos\xE9]]>");
    escrever(projetos.arquivo("cdata_no_nome.xml"), com_cdata);
    escrever(projetos.arquivo("cdata_na_raiz.xml"), "<rss><![CDATA[]]></rss>");
    casos.insert(casos.end(), {{projetos.arquivo("cdata_no_nome.xml"), "Relatório da rede Rede &lt;A&gt; &amp; São José"},
                               {projetos.arquivo("cdata_na_raiz.xml"), "A rede não tem nós."}});
    for (const auto& [caminho, trecho] : casos) {
        EXPECT_EQ(documento_de_xml{}.carregar(caminho), resultado_da_carga::carregado) << caminho;
        EXPECT_NE(relatorio_em_html(caminho, ORVEL_DADOS_DE_TESTE "/../../recursos").find(trecho), std::string::npos) << caminho;
    }
}

}  // namespace
}  // namespace orvel
