#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "comum/arquivos.h"
#include "comum/limite_de_arquivo.h"
#include "comum/pasta_temporaria.h"
#include "modelo/armazenamento_xml.h"
#include "modelo/rede.h"
#include "plataforma/falha.h"
#include "plataforma/numeros.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

using teste::conteudo;
using teste::escrever;
using teste::falha_de;

const std::string declaracao = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

struct valor {
    std::string chave, texto, elemento;
};

// Um salvamento inteiro, sobre as posições em uso da rede do processo.
void salvar_valores(const std::string& caminho, const std::vector<valor>& valores, bool substituir = false) {
    documento_de_projeto doc = documento_de_projeto::para_gravar(caminho, substituir, contexto().rede);
    for (const valor& v : valores) doc.gravar(v.elemento, v.chave, v.texto);
    if (doc.salvar(caminho) != resultado_da_carga::carregado) falhar(tipo_de_falha::erro_de_arquivo);
}

class armazenamento_xml : public ::testing::Test {
protected:
    void SetUp() override {
        s.pasta = "/opt/Orvel Área";
        existe_link.preencher(false);
        existe_no.preencher(false);
    }
    void TearDown() override {
        definir_separador_decimal('.');
        existe_link.preencher(false);
        existe_no.preencher(false);
    }

    servicos_de_teste s;
    teste::pasta_temporaria pasta;
    const std::string arq = pasta.arquivo("rede.xml");
};

TEST_F(armazenamento_xml, arquivo_novo_tem_declaracao_folha_de_estilo_e_valores_na_ordem_da_primeira_gravacao) {
    s.pasta = "/opt/Orvel Área/";
    definir_separador_decimal(',');
    {
        documento_de_projeto doc = documento_de_projeto::para_gravar(arq, false, contexto().rede);
        doc.gravar("rede", "nome_da_rede_dado", "Rede & <não> €");
        doc.gravar("rede", "t_de_ciclo_imposto_dado", texto_do_valor_xml(Integer(90)));
        doc.gravar("links", "relacao", "1,");
        doc.gravar("link1", "fluxo_dado", texto_do_valor_xml(Single(1800.5f)));
        doc.gravar("link1", "verde_de_seguranca_dado", texto_do_valor_xml(Byte(12)));
        doc.gravar("link1", "eh_no_escravo_dado", texto_do_valor_xml(false));
        doc.gravar("rede", "t_de_ciclo_imposto_dado", texto_do_valor_xml(Integer(100)));  // chave já escrita: mesmo lugar
        doc.gravar("rede", "data_rel", "");
        EXPECT_FALSE(std::filesystem::exists(arq));  // nada vai ao disco antes de salvar
        ASSERT_EQ(doc.salvar(arq), resultado_da_carga::carregado);
    }

    const std::string esperado =
        declaracao +
        "<?xml-stylesheet type=\"text/xsl\" href=\"/opt/Orvel%20%C3%81rea/modelo_orvel.xsl\"?>\n"
        "<rss><rede><nome_da_rede_dado>Rede &amp; &lt;n\xE3o&gt; &#8364;</nome_da_rede_dado>"
        "<t_de_ciclo_imposto_dado>100</t_de_ciclo_imposto_dado><data_rel/></rede>"
        "<links><relacao>1,</relacao></links>"
        "<link1><fluxo_dado>1800,5</fluxo_dado><verde_de_seguranca_dado>12</verde_de_seguranca_dado>"
        "<eh_no_escravo_dado>False</eh_no_escravo_dado></link1></rss>\n";
    EXPECT_EQ(conteudo(arq), esperado);

    const documento_de_projeto lido = documento_de_projeto::para_ler(arq);
    EXPECT_TRUE(lido.eh_projeto());
    EXPECT_EQ(lido.ler("rede", "nome_da_rede_dado"), "Rede & <não> €");
    EXPECT_EQ(lido.ler("link1", "fluxo_dado"), "1800,5");
    EXPECT_EQ(lido.ler("rede", "data_rel"), "");
    EXPECT_EQ(lido.ler("rede", "nao_ha"), "");
    EXPECT_EQ(lido.ler("no1", "nome_do_no_dado"), "");
    EXPECT_EQ(conteudo(arq), esperado);  // ler nunca grava
}

TEST_F(armazenamento_xml, arquivo_existente_e_atualizado_no_lugar_e_perde_as_posicoes_livres) {
    escrever(arq, declaracao +
                      "<?xml-stylesheet type=\"text/xsl\" href=\"/outra/pasta/modelo_orvel.xsl\"?>\n"
                      "<rss>\n<estranho>x</estranho>\n<rede><a>1</a><b>2</b></rede>\n<link4><k>v</k></link4>\n"
                      "<link40><k>v</k></link40>\n<no4><k>v</k></no4>\n<no5><k>v</k></no5>\n</rss>\n");
    existe_link(40) = true;
    existe_no(4) = true;
    salvar_valores(arq, {{"b", "3", "rede"}, {"c", "novo", "rede"}, {"k2", "w", "link40"}, {"k", "u", "no4"}});
    EXPECT_EQ(conteudo(arq), declaracao +
                                 "<?xml-stylesheet type=\"text/xsl\" href=\"/outra/pasta/modelo_orvel.xsl\"?>\n"
                                 "<rss>\n<estranho>x</estranho>\n<rede><a>1</a><b>3</b><c>novo</c></rede>\n\n"
                                 "<link40><k>v</k><k2>w</k2></link40>\n<no4><k>u</k></no4>\n\n</rss>\n");

    // Ler de novo e salvar sem mudança dá o mesmo arquivo.
    const std::string antes = conteudo(arq);
    salvar_valores(arq, {{"b", "3", "rede"}});
    EXPECT_EQ(conteudo(arq), antes);
}

TEST_F(armazenamento_xml, arquivo_que_nao_e_projeto_e_reconhecido_e_fica_como_estava) {
    const auto ler = [&](const std::string& caminho) {
        const documento_de_projeto doc = documento_de_projeto::para_ler(caminho);
        return std::pair(doc.carga(), doc.eh_projeto() ? doc.ler("rede", "nome_da_rede_dado") : std::string("-"));
    };
    escrever(arq, "isto não é XML");
    EXPECT_EQ(ler(arq), std::pair(resultado_da_carga::mal_formado, std::string("-")));
    EXPECT_EQ(conteudo(arq), "isto não é XML");

    escrever(arq, "<html><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede></html>");
    EXPECT_EQ(ler(arq), std::pair(resultado_da_carga::carregado, std::string("-")));

    const auto inexistente = pasta.arquivo("nao_ha.xml");
    EXPECT_EQ(ler(inexistente), std::pair(resultado_da_carga::inexistente, std::string("-")));
    EXPECT_FALSE(std::filesystem::exists(inexistente));

    escrever(arq, "<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede></rss>");
    EXPECT_EQ(ler(arq), std::pair(resultado_da_carga::carregado, std::string("R")));
}

TEST_F(armazenamento_xml, falhas_do_disco_deixam_o_arquivo_antigo_intacto) {
    EXPECT_EQ(falha_de([&] { salvar_valores(pasta.arquivo("nao_ha/rede.xml"), {{"a", "1", "rede"}}); }),
              tipo_de_falha::erro_de_arquivo);
    EXPECT_FALSE(std::filesystem::exists(pasta.arquivo("nao_ha")));

    // Um salvamento que falha no fim não deixa no disco nem a poda de link4.
    const std::string antigo = "<rss><link4><k>v</k></link4><rede><a>1</a></rede></rss>";
    escrever(arq, antigo);
    {
        teste::limite_de_arquivo disco_cheio(120);
        EXPECT_EQ(falha_de([&] { salvar_valores(arq, {{"a", "2", "rede"}, {"b", std::string(100, 'x'), "rede"}}); }),
                  tipo_de_falha::erro_de_arquivo);
    }
    EXPECT_EQ(conteudo(arq), antigo);
    if (geteuid() != 0) {  // o administrador grava em qualquer lugar
        std::filesystem::permissions(pasta.caminho(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(falha_de([&] { salvar_valores(arq, {{"a", "2", "rede"}}); }), tipo_de_falha::erro_de_arquivo);
        std::filesystem::permissions(pasta.caminho(), std::filesystem::perms::owner_all);
        EXPECT_EQ(conteudo(arq), antigo);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pasta.caminho()), {}), 1);  // sem temporários
}

TEST_F(armazenamento_xml, substituir_arquivo_grava_do_zero) {
    escrever(arq, "<?xml-stylesheet href=\"x.xsl\"?><rss><rede><a>1</a><b>2</b></rede></rss>");
    salvar_valores(arq, {{"b", "3", "rede"}}, true);
    EXPECT_EQ(conteudo(arq), declaracao +
                                 "<?xml-stylesheet type=\"text/xsl\" href=\"/opt/Orvel%20%C3%81rea/modelo_orvel.xsl\"?>\n"
                                 "<rss><rede><b>3</b></rede></rss>\n");
}

}  // namespace
}  // namespace orvel
