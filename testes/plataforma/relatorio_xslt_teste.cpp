#include <gtest/gtest.h>

#include <filesystem>

#include "comum/arquivos.h"
#include "comum/pasta_temporaria.h"
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

TEST_F(relatorio_xslt, href_resolvido_por_conta_propria) {
    EXPECT_EQ(caminhos_do_href("/opt/Orvel%20%C3%81rea/modelo_orvel.xsl", "/p"),
              (std::vector<std::string>{"/opt/Orvel Área/modelo_orvel.xsl", "/opt/Orvel%20%C3%81rea/modelo_orvel.xsl"}));
    EXPECT_EQ(caminhos_do_href("file:///opt/a%20b/m.xsl", "/p"), (std::vector<std::string>{"/opt/a b/m.xsl"}));
    EXPECT_EQ(caminhos_do_href("FILE://localhost/opt/m.xsl#x", "/p"), (std::vector<std::string>{"/opt/m.xsl"}));
    EXPECT_EQ(caminhos_do_href("  estilos/m.xsl ", "/p"), (std::vector<std::string>{"/p/estilos/m.xsl"}));
    // Um caminho de disco de outro sistema não é URI: fica como está, relativo ao projeto.
    EXPECT_EQ(caminhos_do_href("C:\\Arquivos de programas\\Orvel\\modelo_orvel.xsl", "/p"),
              (std::vector<std::string>{"/p/C:\\Arquivos de programas\\Orvel\\modelo_orvel.xsl"}));
    EXPECT_EQ(caminhos_do_href("/a/100%.xsl", "/p"), (std::vector<std::string>{"/a/100%.xsl"}));
    for (const char* sem_caminho : {"http://exemplo.com/m.xsl", "https://x/m.xsl", "file://outra-maquina/m.xsl", "#interna", ""})
        EXPECT_TRUE(caminhos_do_href(sem_caminho, "/p").empty()) << sem_caminho;
}

TEST_F(relatorio_xslt, usa_a_folha_que_o_projeto_nomeia) {
    std::filesystem::create_directories(programa.caminho() / "outra pasta");
    const std::string propria = programa.arquivo("outra pasta") + "/estilo.xsl";
    escrever(propria, folha("propria"));
    // Gravado como o programa grava: o caminho como URI, com o espaço em %20.
    EXPECT_NE(relatorio(instrucao("file://" + programa.arquivo("outra%20pasta") + "/estilo.xsl")).find("propria:Centro"),
              std::string::npos);
    EXPECT_NE(relatorio(instrucao(programa.arquivo("outra pasta") + "/estilo.xsl")).find("propria:Centro"),
              std::string::npos);
    // Relativo à pasta do projeto.
    escrever(projetos.arquivo("vizinha.xsl"), folha("vizinha"));
    EXPECT_NE(relatorio("<?xml-stylesheet href='vizinha.xsl' type='text/xsl'?>").find("vizinha:Centro"),
              std::string::npos);
    // Uma instrução de CSS antes não conta.
    EXPECT_NE(relatorio("<?xml-stylesheet type=\"text/css\" href=\"a.css\"?>" + instrucao("vizinha.xsl")).find("vizinha:"),
              std::string::npos);
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
}

TEST_F(relatorio_xslt, sai_em_utf8_qualquer_que_seja_a_codificacao_pedida) {
    escrever(projetos.arquivo("latin1.xsl"), folha("latin1", "method=\"html\" encoding=\"ISO-8859-1\""));
    const std::string caminho = projetos.arquivo("acento.xml");
    // "São João" em ISO-8859-1 no disco.
    escrever(caminho, projeto(instrucao("latin1.xsl"), "S\xE3o Jo\xE3o"));
    const std::string html = relatorio_em_html(caminho, pasta_do_programa);
    EXPECT_NE(html.find("latin1:São João"), std::string::npos) << html;
    EXPECT_EQ(html.find("ISO-8859-1"), std::string::npos);
}

TEST_F(relatorio_xslt, nem_entidades_externas_nem_arquivos_gravados) {
    const std::string segredo = programa.arquivo("segredo.txt");
    escrever(segredo, "SEGREDO");
    const std::string caminho = projetos.arquivo("xxe.xml");
    escrever(caminho, "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [<!ENTITY s SYSTEM \"file://" + segredo + "\">]>\n" +
                          "<rss><rede><nome_da_rede_dado>&s;</nome_da_rede_dado></rede></rss>");
    EXPECT_EQ(relatorio_em_html(caminho, pasta_do_programa).find("SEGREDO"), std::string::npos);

    // Uma folha que tenta gravar um arquivo não vai até o fim, e o arquivo não aparece.
    const std::string gravado = projetos.arquivo("gravado.html");
    escrever(projetos.arquivo("grava.xsl"),
             "<xsl:stylesheet version=\"1.1\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
             "<xsl:template match=\"/\"><xsl:document href=\"" + gravado + "\"><x/></xsl:document><p/></xsl:template>"
             "</xsl:stylesheet>");
    escrever(caminho, projeto(instrucao("grava.xsl")));
    EXPECT_EQ(falha_de([&] { relatorio_em_html(caminho, pasta_do_programa); }), tipo_de_falha::generica);
    EXPECT_FALSE(std::filesystem::exists(gravado));
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

}  // namespace
}  // namespace orvel
