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

// O armazenamento trabalha no contexto que recebe; aqui, no do processo.
template <class T>
void gravar_valor_xml(const std::string& caminho, std::string_view chave, const T& valor, std::string_view elemento) {
    orvel::gravar_valor_xml(caminho, chave, valor, elemento, contexto());
}
std::string ler_valor_xml(const std::string& caminho, std::string_view chave, std::string_view elemento) {
    return orvel::ler_valor_xml(caminho, chave, elemento, contexto());
}

using teste::conteudo;
using teste::escrever;
using teste::falha_de;

const std::string declaracao = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

struct valor {
    std::string chave, texto, elemento;
};

// Um salvamento inteiro: a primeira gravação recarrega, a última salva e libera.
void salvar_valores(const std::string& caminho, const std::vector<valor>& valores) {
    xml_recarregar = true;
    xml_salvar_e_liberar = false;
    for (std::size_t i = 0; i < valores.size(); ++i) {
        if (i + 1 == valores.size()) xml_salvar_e_liberar = true;
        gravar_valor_xml(caminho, valores[i].chave, valores[i].texto, valores[i].elemento);
    }
}

class armazenamento_xml : public ::testing::Test {
protected:
    void SetUp() override {
        s.pasta = "/opt/Orvel Área";
        existe_link.preencher(false);
        existe_no.preencher(false);
        xml_substituir_arquivo = false;
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
    xml_recarregar = true;
    xml_salvar_e_liberar = false;
    gravar_valor_xml(arq, "nome_da_rede_dado", std::string("Rede & <não> €"), "rede");
    gravar_valor_xml(arq, "t_de_ciclo_imposto_dado", Integer(90), "rede");
    gravar_valor_xml(arq, "relacao", "1,", "links");
    gravar_valor_xml(arq, "fluxo_dado", Single(1800.5f), "link1");
    gravar_valor_xml(arq, "verde_de_seguranca_dado", Byte(12), "link1");
    gravar_valor_xml(arq, "eh_no_escravo_dado", false, "link1");
    gravar_valor_xml(arq, "t_de_ciclo_imposto_dado", Integer(100), "rede");  // chave já escrita: mesmo lugar
    EXPECT_FALSE(std::filesystem::exists(arq));  // nada vai ao disco antes da última gravação
    xml_salvar_e_liberar = true;
    gravar_valor_xml(arq, "data_rel", "", "rede");
    EXPECT_FALSE(raiz_xml);
    EXPECT_FALSE(elemento_xml);
    EXPECT_FALSE(valor_xml);

    const std::string esperado =
        declaracao +
        "<?xml-stylesheet type=\"text/xsl\" href=\"/opt/Orvel%20%C3%81rea/modelo_orvel.xsl\"?>\n"
        "<rss><rede><nome_da_rede_dado>Rede &amp; &lt;n\xE3o&gt; &#8364;</nome_da_rede_dado>"
        "<t_de_ciclo_imposto_dado>100</t_de_ciclo_imposto_dado><data_rel/></rede>"
        "<links><relacao>1,</relacao></links>"
        "<link1><fluxo_dado>1800,5</fluxo_dado><verde_de_seguranca_dado>12</verde_de_seguranca_dado>"
        "<eh_no_escravo_dado>False</eh_no_escravo_dado></link1></rss>\n";
    EXPECT_EQ(conteudo(arq), esperado);

    xml_recarregar = true;
    xml_salvar_e_liberar = false;
    EXPECT_EQ(ler_valor_xml(arq, "nome_da_rede_dado", "rede"), "Rede & <não> €");
    EXPECT_TRUE(documento_xml_eh_projeto());
    EXPECT_EQ(ler_valor_xml(arq, "fluxo_dado", "link1"), "1800,5");
    EXPECT_EQ(ler_valor_xml(arq, "data_rel", "rede"), "");
    EXPECT_EQ(ler_valor_xml(arq, "nao_ha", "rede"), "");
    xml_salvar_e_liberar = true;
    EXPECT_EQ(ler_valor_xml(arq, "nome_do_no_dado", "no1"), "");
    EXPECT_FALSE(raiz_xml);
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
        xml_recarregar = true;
        xml_salvar_e_liberar = true;
        return ler_valor_xml(caminho, "nome_da_rede_dado", "rede");
    };
    escrever(arq, "isto não é XML");
    EXPECT_EQ(ler(arq), "");
    EXPECT_EQ(situacao_do_documento_xml, situacao_do_arquivo_xml::nao_eh_xml);
    EXPECT_FALSE(documento_xml_eh_projeto());
    EXPECT_EQ(conteudo(arq), "isto não é XML");

    escrever(arq, "<html><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede></html>");
    ler(arq);
    EXPECT_EQ(situacao_do_documento_xml, situacao_do_arquivo_xml::outra_raiz);
    EXPECT_FALSE(documento_xml_eh_projeto());

    const auto inexistente = pasta.arquivo("nao_ha.xml");
    EXPECT_EQ(ler(inexistente), "");
    EXPECT_EQ(situacao_do_documento_xml, situacao_do_arquivo_xml::sem_arquivo);
    EXPECT_FALSE(std::filesystem::exists(inexistente));

    escrever(arq, "<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede></rss>");
    EXPECT_EQ(ler(arq), "R");
    EXPECT_TRUE(documento_xml_eh_projeto());
}

TEST_F(armazenamento_xml, falhas_sobem_para_o_chamador_e_o_arquivo_antigo_fica_intacto) {
    // Sem sequência aberta (depois da liberação e sem recarregar).
    salvar_valores(arq, {{"a", "1", "rede"}});
    EXPECT_EQ(falha_de([&] { gravar_valor_xml(arq, "a", "2", "rede"); }), tipo_de_falha::objeto_nao_definido);
    EXPECT_EQ(falha_de([&] { ler_valor_xml(arq, "a", "rede"); }), tipo_de_falha::objeto_nao_definido);

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
    xml_substituir_arquivo = true;
    salvar_valores(arq, {{"b", "3", "rede"}});
    EXPECT_FALSE(xml_substituir_arquivo);
    EXPECT_EQ(conteudo(arq), declaracao +
                                 "<?xml-stylesheet type=\"text/xsl\" href=\"/opt/Orvel%20%C3%81rea/modelo_orvel.xsl\"?>\n"
                                 "<rss><rede><b>3</b></rede></rss>\n");
    // Uma leitura não substitui nada, e desfaz o pedido.
    xml_substituir_arquivo = true;
    xml_recarregar = true;
    xml_salvar_e_liberar = true;
    EXPECT_EQ(ler_valor_xml(arq, "b", "rede"), "3");
    EXPECT_FALSE(xml_substituir_arquivo);
}

}  // namespace
}  // namespace orvel
