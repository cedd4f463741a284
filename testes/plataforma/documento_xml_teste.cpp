#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "comum/arquivos.h"
#include "comum/fifo_de_teste.h"
#include "comum/limite_de_arquivo.h"
#include "comum/pasta_temporaria.h"
#include "plataforma/documento_xml.h"
#include "plataforma/falha.h"
#include "plataforma/relatorio_xslt.h"

namespace orvel {
namespace {

using teste::conteudo;
using teste::escrever;
using teste::falha_de;

// rss > rede > nome, com o texto dado.
no_xml montar(documento_de_xml& doc, const std::string& texto) {
    const no_xml rss = doc.criar_elemento("rss");
    doc.anexar_filho(doc.documento(), rss);
    const no_xml rede = doc.criar_elemento("rede");
    doc.anexar_filho(rss, rede);
    const no_xml nome = doc.criar_elemento("nome");
    doc.anexar_filho(rede, nome);
    doc.substituir_texto(nome, texto);
    return nome;
}

TEST(documento_xml, textos_vao_e_voltam_em_iso_8859_1) {
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("p.xml");
    const std::string texto = "A & B < C > não €";
    documento_de_xml doc;
    const no_xml nome = montar(doc, texto);
    const no_xml vazio = doc.criar_elemento("vazio");
    doc.anexar_filho(doc.raiz(), vazio);
    doc.substituir_texto(vazio, "x");
    doc.substituir_texto(vazio, "");
    doc.inserir_antes(doc.documento(), doc.criar_instrucao("xml-stylesheet", "href=\"a.xsl\""), doc.primeiro_filho(doc.documento()));
    EXPECT_EQ(doc.texto(nome), texto);
    EXPECT_EQ(doc.salvar(arq), resultado_da_carga::carregado);

    EXPECT_EQ(conteudo(arq),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
              "<?xml-stylesheet href=\"a.xsl\"?>\n"
              "<rss><rede><nome>A &amp; B &lt; C &gt; n\xE3o &#8364;</nome></rede><vazio/></rss>\n");

    documento_de_xml lido;
    ASSERT_EQ(lido.carregar(arq), resultado_da_carga::carregado);
    const no_xml rede = lido.primeiro_filho_elemento(lido.raiz(), "rede");
    EXPECT_EQ(lido.texto(lido.primeiro_filho_elemento(rede, "nome")), texto);
    EXPECT_EQ(lido.texto(lido.primeiro_filho_elemento(lido.raiz(), "vazio")), "");
    // A declaração não é um nó: antes da raiz só está a instrução da folha de estilo.
    const auto filhos = lido.filhos(lido.documento());
    ASSERT_EQ(filhos.size(), 2u);
    EXPECT_EQ(filhos[0].tipo(), tipo_de_no_xml::instrucao);
    EXPECT_EQ(filhos[0].nome(), "xml-stylesheet");
    EXPECT_EQ(filhos[1], lido.raiz());
    // Abrir e salvar sem mudar nada dá o mesmo arquivo.
    const auto antes = conteudo(arq);
    EXPECT_EQ(lido.salvar(arq), resultado_da_carga::carregado);
    EXPECT_EQ(conteudo(arq), antes);
}

TEST(documento_xml, doctype_e_entidades_sao_recusados_sem_ler_nada) {
    teste::pasta_temporaria pasta;
    escrever(pasta.arquivo("segredo.txt"), "SEGREDO");
    escrever(pasta.arquivo("externa.dtd"), "<!ENTITY d \"SEGREDO\">");
    // Uma entidade interna usada 20 000 vezes: expandida, seriam milhões de caracteres.
    std::string muitas;
    for (int i = 0; i < 20000; ++i) muitas += "&e;";
    const std::pair<const char*, std::string> casos[] = {
        {"externas.xml", "<?xml version=\"1.0\"?>\n"
                         "<!DOCTYPE rss SYSTEM \"externa.dtd\" [<!ENTITY e SYSTEM \"segredo.txt\"><!ENTITY i \"dentro\">]>\n"
                         "<rss><a>1&e;2</a><b>&d;</b><c>&i;</c></rss>\n"},
        {"expansao.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [<!ENTITY e \"" + std::string(100, 'x') +
                             "\">]>\n<rss><rede><nome_da_rede_dado>" + muitas + "</nome_da_rede_dado></rede></rss>\n"},
        {"so_doctype.xml", "<?xml version=\"1.0\"?>\n<!DOCTYPE rss>\n<rss><rede/></rss>\n"},
        {"sem_declaracao.xml", "<!DOCTYPE rss [<!ENTITY a \"b\">]><rss/>"},
    };
    for (const auto& [nome, texto] : casos) {
        SCOPED_TRACE(nome);
        const auto arq = pasta.arquivo(nome);
        escrever(arq, texto);
        documento_de_xml doc;
        montar(doc, "anterior");
        EXPECT_EQ(doc.carregar(arq), resultado_da_carga::com_doctype);
        EXPECT_FALSE(doc.raiz());
        EXPECT_TRUE(doc.filhos(doc.documento()).empty());
        EXPECT_EQ(conteudo(arq), texto);  // recusar não grava nada
    }
    // As mesmas leituras sem DOCTYPE continuam valendo (as entidades predefinidas também).
    const auto arq = pasta.arquivo("sem_doctype.xml");
    escrever(arq, "<?xml version=\"1.0\"?>\n<rss><a>1 &amp; 2 &#8364;</a></rss>\n");
    documento_de_xml doc;
    ASSERT_EQ(doc.carregar(arq), resultado_da_carga::carregado);
    EXPECT_EQ(doc.texto(doc.primeiro_filho_elemento(doc.raiz(), "a")), "1 & 2 €");
}

TEST(documento_xml, carga_que_falha_deixa_o_documento_vazio) {
    teste::pasta_temporaria pasta;
    documento_de_xml doc;
    montar(doc, "x");
    EXPECT_EQ(doc.carregar(pasta.arquivo("nao_existe.xml")), resultado_da_carga::inexistente);
    EXPECT_FALSE(doc.raiz());
    EXPECT_TRUE(doc.filhos(doc.documento()).empty());
    EXPECT_EQ(doc.carregar(pasta.caminho().string()), resultado_da_carga::ilegivel);  // uma pasta
    escrever(pasta.arquivo("texto.xml"), "isto não é XML");
    EXPECT_EQ(doc.carregar(pasta.arquivo("texto.xml")), resultado_da_carga::mal_formado);
    escrever(pasta.arquivo("vazio.xml"), "");
    EXPECT_EQ(doc.carregar(pasta.arquivo("vazio.xml")), resultado_da_carga::mal_formado);
    escrever(pasta.arquivo("cortado.xml"), "<rss><rede>");
    montar(doc, "x");
    EXPECT_EQ(doc.carregar(pasta.arquivo("cortado.xml")), resultado_da_carga::mal_formado);
    EXPECT_FALSE(doc.raiz());
}

TEST(documento_xml, fifo_e_dispositivo_sao_ilegiveis_sem_esperar) {
    teste::pasta_temporaria pasta;
    const teste::fifo_de_teste fifo(pasta.arquivo("fifo.xml"));
    documento_de_xml doc;
    montar(doc, "x");
    resultado_da_carga r = resultado_da_carga::carregado;
    EXPECT_TRUE(fifo.volta_sem_bloquear([&] { r = doc.carregar(fifo.caminho()); }));
    EXPECT_EQ(r, resultado_da_carga::ilegivel);
    EXPECT_FALSE(doc.raiz());
    EXPECT_EQ(doc.carregar("/dev/null"), resultado_da_carga::ilegivel);

    std::string bytes = "antes";
    leitura_de_arquivo l = leitura_de_arquivo::lido;
    EXPECT_TRUE(fifo.volta_sem_bloquear([&] { l = ler_arquivo_comum(fifo.caminho(), bytes); }));
    EXPECT_EQ(l, leitura_de_arquivo::ilegivel);
    EXPECT_EQ(ler_arquivo_comum("", bytes), leitura_de_arquivo::inexistente);
    escrever(pasta.arquivo("a.txt"), "abc");
    EXPECT_EQ(ler_arquivo_comum(pasta.arquivo("a.txt"), bytes), leitura_de_arquivo::lido);
    EXPECT_EQ(bytes, "abc");
}

// Um arquivo grande demais é recusado sem ser lido: o arquivo esparso não ocupa o disco e não
// é lido (lê-lo levaria gigabytes de memória). Um documento com elementos demais, ao todo ou
// num mesmo elemento, é recusado no meio da leitura.
TEST(documento_xml, arquivo_grande_demais_e_elementos_demais_sao_recusados) {
    teste::pasta_temporaria pasta;
    const auto grande = pasta.arquivo("grande.xml");
    escrever(grande, "<rss/>");
    std::filesystem::resize_file(grande, limite_de_bytes_de_um_arquivo + 1);
    std::string bytes = "antes";
    EXPECT_EQ(ler_arquivo_comum(grande, bytes), leitura_de_arquivo::grande_demais);
    EXPECT_EQ(bytes, "antes");
    documento_de_xml doc;
    EXPECT_EQ(doc.carregar(grande), resultado_da_carga::grande_demais);
    // Com o limite exato, é lido inteiro.
    std::filesystem::resize_file(grande, limite_de_bytes_de_um_arquivo);
    EXPECT_EQ(ler_arquivo_comum(grande, bytes), leitura_de_arquivo::lido);
    EXPECT_EQ(bytes.size(), limite_de_bytes_de_um_arquivo);

    auto com_elementos = [](int sob_a_raiz, int em_cada) {
        std::string t = "<rss>";
        for (int i = 0; i < sob_a_raiz; ++i) {
            t += "<e>";
            for (int j = 0; j < em_cada; ++j) t += "<k/>";
            t += "</e>";
        }
        return t + "</rss>";
    };
    struct caso {
        int sob_a_raiz, em_cada;
        resultado_da_carga esperado;
    };
    const int filhos = limite_de_filhos_de_um_elemento;
    const int total = limite_de_elementos_de_um_documento;
    const caso casos[] = {
        {filhos, 0, resultado_da_carga::carregado},
        {filhos + 1, 0, resultado_da_carga::elementos_demais},
        {1, filhos, resultado_da_carga::carregado},
        {1, filhos + 1, resultado_da_carga::elementos_demais},
        // Com a raiz, n elementos de (filhos - 1) filhos somam 1 + n * filhos elementos.
        {total / filhos - 1, filhos - 1, resultado_da_carga::carregado},
        {total / filhos, filhos - 1, resultado_da_carga::elementos_demais},
        {39, 640, resultado_da_carga::carregado},  // 1 + 39 × 641, o limite exato
    };
    static_assert(1 + 39 * 641 == limite_de_elementos_de_um_documento);
    for (const caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.sob_a_raiz) + " x " + std::to_string(c.em_cada));
        const auto arq = pasta.arquivo("muitos.xml");
        escrever(arq, com_elementos(c.sob_a_raiz, c.em_cada));
        EXPECT_EQ(doc.carregar(arq), c.esperado);
    }
}

// O resultado da leitura de um texto, liberando o documento lido.
resultado_da_carga ler_texto(const std::string& texto, int opcoes = XML_PARSE_NOERROR | XML_PARSE_NOWARNING) {
    resultado_da_carga r = resultado_da_carga::carregado;
    xmlFreeDoc(ler_xml_sem_doctype(texto, nullptr, opcoes, r));
    return r;
}

// Um elemento com n atributos, do jeito dado ("=" e valor, espaços antes de cada um).
std::string com_atributos(int n, const std::string& abre = "<rss><rede><k", const std::string& fecha = "/></rede></rss>",
                          const std::string& valor = "=\"\"", const std::string& espaco = " ") {
    std::string t = abre;
    for (int i = 0; i < n; ++i) t += espaco + "a" + std::to_string(i) + valor;
    return t + fecha;
}

// UTF-16 little-endian, com a marca de ordem dos bytes (só ASCII aqui).
std::string em_utf16(const std::string& ascii) {
    std::string t = "\xFF\xFE";
    for (const char c : ascii) t += std::string{c, '\0'};
    return t;
}

// Um elemento com atributos demais é recusado antes de ser montado, onde quer que esteja e
// como quer que o texto os esconda; no limite, é lido.
TEST(documento_xml, atributos_demais_num_elemento_sao_recusados) {
    const int limite = limite_de_atributos_de_um_elemento;
    EXPECT_EQ(ler_texto(com_atributos(limite)), resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto(com_atributos(limite + 1)), resultado_da_carga::atributos_demais);
    EXPECT_EQ(ler_texto(com_atributos(100000)), resultado_da_carga::atributos_demais);
    // Na raiz, com aspas simples, com ">" e "/>" dentro dos valores, com quebras de linha e
    // espaços em volta do "=", com declarações de espaço de nomes.
    EXPECT_EQ(ler_texto(com_atributos(limite + 1, "<rss", "/>")), resultado_da_carga::atributos_demais);
    EXPECT_EQ(ler_texto("<rss xmlns:p=\"u\"" + com_atributos(limite, "", "/>", "=\"\"", " p:")),
              resultado_da_carga::atributos_demais);
    EXPECT_EQ(ler_texto(com_atributos(limite + 1, "<rss><k", "></k></rss>", "='>'")), resultado_da_carga::atributos_demais);
    EXPECT_EQ(ler_texto(com_atributos(limite, "<rss><k", "></k></rss>", "=\"/>\"", "\r\n")), resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto(com_atributos(limite + 1, "<rss><k", "></k></rss>", " = \"/>\"", "\n")),
              resultado_da_carga::atributos_demais);
    // As declarações de espaço de nomes contam no texto todo (cada nome com prefixo é procurado
    // entre as que estão em vigor).
    const int espacos = limite_de_espacos_de_nomes_de_um_documento;
    EXPECT_EQ(ler_texto("<rss>" + com_atributos(espacos - 1, "<k", "/>", "=\"u\"", " xmlns:") + "<k xmlns=\"\"/></rss>"),
              resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto("<rss xmlns=\"u\"><k xmlns:p=\"u\">" + com_atributos(espacos - 1, "<k", "/>", "=\"u\"", " xmlns:") +
                        "</k></rss>"),
              resultado_da_carga::espacos_de_nomes_demais);
    // Marcas dentro de comentários, instruções e CDATA não contam; mas a leitura deixa um
    // deles no primeiro caractere que o XML não admite, e uma instrução sem nome logo no "<?",
    // e lê o resto como conteúdo: então contam, ou o texto é recusado ali.
    const std::string escondido = com_atributos(limite + 1, "<k", "/>");
    for (const std::string& dentro : {"<!--" + escondido + "-->", "<?pi " + escondido + "?>", "<![CDATA[" + escondido + "]]>"})
        EXPECT_EQ(ler_texto("<rss>" + dentro + "</rss>"), resultado_da_carga::carregado) << dentro.substr(0, 12);
    EXPECT_EQ(ler_texto("<rss><? " + escondido + "?></rss>"), resultado_da_carga::atributos_demais);
    // Um nome de instrução fora do ASCII é um nome (em UTF-8 ou em Latin-1), e o "<" dentro
    // dela não é marca; a leitura aceita standalone sem espaço antes dele.
    EXPECT_EQ(ler_texto("<?xml version=\"1.0\" encoding=\"UTF-8\"standalone=\"yes\"?><rss><?\xC3\xA9pi a<b?></rss>"),
              resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss><?\xE9pi a<b?></rss>"),
              resultado_da_carga::carregado);
    for (const char* proibido : {"<!-- \x01 ", "<?pi \x1F", "<![CDATA[\xEF\xBF\xBE"}) {
        EXPECT_EQ(ler_texto(std::string("<rss>") + proibido + escondido + "--></rss>"), resultado_da_carga::mal_formado) << proibido;
    }
    EXPECT_EQ(ler_texto("<rss><!-- \xED\xA0\x80" + escondido + "--></rss>"), resultado_da_carga::bytes_invalidos);
    // Num texto em Latin-1, esses bytes são letras.
    EXPECT_EQ(ler_texto("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><rss>\xEF\xBF\xBE\xED\xA0</rss>"),
              resultado_da_carga::carregado);
    // Em UTF-16, e numa codificação declarada que escreve "<" de outro jeito.
    EXPECT_EQ(ler_texto(em_utf16(com_atributos(limite))), resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto(em_utf16(com_atributos(limite + 1))), resultado_da_carga::atributos_demais);
    const std::string declaracao = "<?xml version=\"1.0\" encoding=";
    EXPECT_EQ(ler_texto(declaracao + "\"UTF-7\"?>+ADw-rss" + com_atributos(limite + 1, "", "/+AD4-")),
              resultado_da_carga::codificacao_nao_lida);
    EXPECT_EQ(ler_texto(declaracao + "'KOI8-R' standalone='yes' ?>" + com_atributos(limite + 1)),
              resultado_da_carga::codificacao_nao_lida);
    EXPECT_EQ(ler_texto(em_utf16(declaracao + "\"UTF-16\"?>" + com_atributos(limite))), resultado_da_carga::carregado);
    // Um texto em UTF-16 que declara outra codificação, em que a leitura leria o resto, e as
    // declarações que a leitura recusa.
    EXPECT_EQ(ler_texto(em_utf16(declaracao + "\"ISO-8859-1\"?>") + com_atributos(limite + 1)),
              resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<?xml version=\"1.0\"encoding=\"UTF-7\"?>+ADw-rss/+AD4-"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto(declaracao + "\"UTF-16\"?><rss/>"), resultado_da_carga::mal_formado);
    // Um "<" dentro de um valor ou de uma marca de fim não é XML: a leitura, que se recuperaria
    // do erro e montaria o elemento seguinte, nem começa.
    EXPECT_EQ(ler_texto("<rss a=\"" + escondido + "\"/>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss></rss a=\"" + escondido + "\">"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss a=\"1\"b=\"2\"/>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss a/>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss a=1/>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss><! " + escondido + "></rss>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto(""), resultado_da_carga::mal_formado);
    // Um DOCTYPE depois de um comentário também é visto; depois da raiz, ou dentro dela, é só
    // um texto mal formado.
    EXPECT_EQ(ler_texto("<!-- c --><!DOCTYPE rss><rss/>"), resultado_da_carga::com_doctype);
    EXPECT_EQ(ler_texto("<rss/><!DOCTYPE rss>"), resultado_da_carga::mal_formado);
    EXPECT_EQ(ler_texto("<rss><!DOCTYPE rss></rss>"), resultado_da_carga::mal_formado);
}

// O windows-1252 e o ISO-8859-15, cada um pela sua tabela, nos bytes em que diferem do Latin-1
// (o resto, como nele); os cinco bytes que o windows-1252 não tem (nulos aqui) são recusados,
// ditos por ele. Os nomes valem em qualquer caixa.
TEST(documento_xml, codificacoes_de_8_bits_pelas_suas_tabelas) {
    const char* const windows_1252[32] = {"€", nullptr, "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š",
                                          "‹", "Œ", nullptr, "Ž", nullptr, nullptr, "‘", "’", "“", "”", "•",
                                          "–", "—", "˜", "™", "š", "›", "œ", nullptr, "ž", "Ÿ"};
    std::vector<std::tuple<std::string, int, const char*>> casos = {
        {"ISO-8859-15", 0xA4, "€"}, {"iso-8859-15", 0xA6, "Š"}, {"ISO-8859-15", 0xA8, "š"}, {"Latin9", 0xB4, "Ž"},
        {"ISO-8859-15", 0xB8, "ž"}, {"ISO-8859-15", 0xBC, "Œ"}, {"ISO_8859-15", 0xBD, "œ"}, {"ISO-8859-15", 0xBE, "Ÿ"},
        {"ISO-8859-15", 0xE3, "ã"}, {"ISO-8859-15", 0x80, "\xC2\x80"}, {"windows-1252", 0xA4, "¤"}};
    for (int b = 0x80; b <= 0x9F; ++b) casos.emplace_back(b % 2 ? "windows-1252" : "WINDOWS-1252", b, windows_1252[b - 0x80]);
    teste::pasta_temporaria pasta;
    const std::string arq = pasta.arquivo("byte.xml");
    for (const auto& [codificacao, byte, lido] : casos) {
        SCOPED_TRACE(codificacao + " " + std::to_string(byte));
        escrever(arq, "<?xml version='1.0' encoding='" + codificacao + "'?><rss>" + static_cast<char>(byte) + "</rss>");
        documento_de_xml doc;
        EXPECT_EQ(doc.carregar(arq), lido ? resultado_da_carga::carregado : resultado_da_carga::bytes_invalidos);
        EXPECT_EQ(doc.raiz() ? doc.texto(doc.raiz()) : doc.detalhe_da_carga(), lido ? lido : "windows-1252");
    }
}

// Os limites do documento inteiro: atributos somados e comentários, instruções e CDATA; no
// limite, lido. Valem o mesmo com as opções da abertura, com as do relatório (CDATA como texto)
// e com as que trocam os tratadores da libxml2.
TEST(documento_xml, atributos_e_outros_nos_do_documento_inteiro) {
    const int por_elemento = limite_de_atributos_de_um_elemento;
    const int elementos = limite_de_atributos_de_um_documento / por_elemento;
    auto com_elementos = [&](int extras) {
        std::string t = "<rss>";
        for (int i = 0; i < elementos; ++i) t += com_atributos(por_elemento, "<k", "/>");
        return t + com_atributos(extras, "<k", "/>") + "</rss>";
    };
    auto com_nos = [](int quantos) {
        const std::string nos[] = {"<!---->", "<?p?>", "<![CDATA[]]>"};
        std::string t = "<rss>";
        for (int i = 0; i < quantos; ++i) t += nos[i % 3];
        return t + "</rss>";
    };
    const int nos = limite_de_outros_nos_de_um_documento;
    const std::pair<std::string, resultado_da_carga> casos[] = {
        {com_elementos(0), resultado_da_carga::carregado},
        {com_elementos(1), resultado_da_carga::atributos_demais_no_documento},
        {com_nos(nos), resultado_da_carga::carregado},
        {com_nos(nos + 1), resultado_da_carga::outros_nos_demais},
    };
    for (const int opcoes : {opcoes_de_leitura_de_um_arquivo, opcoes_de_leitura_do_relatorio, XML_PARSE_SAX1 | XML_PARSE_NOBLANKS})
        for (const auto& [texto, esperado] : casos) EXPECT_EQ(ler_texto(texto, opcoes), esperado) << texto.size() << " " << opcoes;
}

TEST(documento_xml, profundidade_alem_do_limite_e_recusada) {
    auto aninhados = [](int niveis) {
        std::string t;
        for (int i = 0; i < niveis; ++i) t += "<e>";
        for (int i = 0; i < niveis; ++i) t += "</e>";
        return t;
    };
    EXPECT_EQ(ler_texto(aninhados(limite_de_profundidade_de_um_documento)), resultado_da_carga::carregado);
    EXPECT_EQ(ler_texto(aninhados(limite_de_profundidade_de_um_documento + 1)), resultado_da_carga::profundo_demais);
    EXPECT_EQ(ler_texto(aninhados(300)), resultado_da_carga::profundo_demais);
}

TEST(documento_xml, espaco_de_nomes_de_um_elemento) {
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("p.xml");
    const std::pair<std::string, std::string> casos[] = {
        {"<rss><rede><k>1</k></rede></rss>", ""},
        // Declarado e não usado, em atributos, ou desfeito por xmlns="": os elementos não têm.
        {"<rss xmlns:p=\"urn:p\" xml:lang=\"pt\"><rede p:a=\"1\"><k xmlns=\"\">1</k></rede></rss>", ""},
        {"<rss xmlns=\"urn:raiz\"><rede/></rss>", "urn:raiz"},
        {"<rss><rede><k>1</k></rede><!-- c --><no1><p:k xmlns:p=\"urn:fundo\"/></no1></rss><!-- d -->", "urn:fundo"},
    };
    for (const auto& [texto, espaco] : casos) {
        escrever(arq, texto);
        documento_de_xml doc;
        ASSERT_EQ(doc.carregar(arq), resultado_da_carga::carregado) << texto;
        EXPECT_EQ(doc.espaco_de_nomes_de_um_elemento(), espaco) << texto;
    }
    EXPECT_EQ(documento_de_xml().espaco_de_nomes_de_um_elemento(), "");
}

TEST(documento_xml, arvore_por_nome_exato_e_posicao) {
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("p.xml");
    escrever(arq, "<rss xmlns=\"urn:x\"><Rede/><rede>1</rede><rede>2</rede><!-- c --><no1/></rss>");
    documento_de_xml doc;
    ASSERT_EQ(doc.carregar(arq), resultado_da_carga::carregado);
    const no_xml rss = doc.raiz();
    const no_xml rede = doc.primeiro_filho_elemento(rss, "rede");
    EXPECT_EQ(doc.texto(rede), "1");  // o primeiro, e só com a mesma caixa
    EXPECT_FALSE(doc.primeiro_filho_elemento(rss, "REDE"));
    EXPECT_FALSE(doc.primeiro_filho_elemento(rss, "no"));

    doc.remover_filho(rss, rede);
    EXPECT_EQ(doc.texto(doc.primeiro_filho_elemento(rss, "rede")), "2");
    EXPECT_EQ(falha_de([&] { doc.remover_filho(rss, rede); }), tipo_de_falha::chamada_invalida);
    const no_xml no1 = doc.primeiro_filho_elemento(rss, "no1");
    doc.inserir_antes(rss, rede, no1);  // o removido volta, antes de no1
    const no_xml novo = doc.criar_elemento("link1");
    doc.anexar_filho(rss, novo);
    const auto filhos = doc.filhos(rss);
    ASSERT_EQ(filhos.size(), 6u);
    EXPECT_EQ(filhos[2].tipo(), tipo_de_no_xml::comentario);
    EXPECT_EQ(filhos[3], rede);
    EXPECT_EQ(filhos[5], novo);

    EXPECT_EQ(falha_de([&] { doc.criar_instrucao("xml", "version=\"1.0\""); }), tipo_de_falha::chamada_invalida);
    EXPECT_EQ(falha_de([&] { doc.criar_instrucao("XML", ""); }), tipo_de_falha::chamada_invalida);
    EXPECT_EQ(falha_de([&] { doc.criar_elemento("d 1"); }), tipo_de_falha::chamada_invalida);
    EXPECT_EQ(falha_de([&] { doc.anexar_filho(doc.documento(), doc.criar_elemento("outra")); }),
              tipo_de_falha::chamada_invalida);  // uma raiz só
    EXPECT_EQ(falha_de([&] { doc.anexar_filho(rede, rss); }), tipo_de_falha::chamada_invalida);
    EXPECT_EQ(falha_de([&] { doc.texto(no_xml()); }), tipo_de_falha::objeto_nao_definido);

    // O elemento criado continua sem espaço de nomes sob o espaço padrão do arquivo.
    EXPECT_EQ(doc.salvar(arq), resultado_da_carga::carregado);
    EXPECT_NE(conteudo(arq).find("<link1 xmlns=\"\"/>"), std::string::npos);
}

TEST(documento_xml, gravacao_que_falha_deixa_o_arquivo_antigo_intacto) {
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("p.xml");
    escrever(arq, "<rss>antigo</rss>");
    std::filesystem::permissions(arq, std::filesystem::perms(0640));
    documento_de_xml doc;
    montar(doc, std::string(4000, 'x'));

    EXPECT_EQ(falha_de([&] { (void)doc.salvar(pasta.arquivo("nao_existe/p.xml")); }), tipo_de_falha::erro_de_arquivo);
    {
        teste::limite_de_arquivo disco_cheio(1000);
        EXPECT_EQ(falha_de([&] { (void)doc.salvar(arq); }), tipo_de_falha::erro_de_arquivo);
    }
    EXPECT_EQ(conteudo(arq), "<rss>antigo</rss>");
    if (geteuid() != 0) {  // o administrador grava em qualquer lugar
        std::filesystem::permissions(arq, std::filesystem::perms::owner_read);
        EXPECT_EQ(falha_de([&] { (void)doc.salvar(arq); }), tipo_de_falha::erro_de_arquivo);
        std::filesystem::permissions(arq, std::filesystem::perms(0640));
        std::filesystem::permissions(pasta.caminho(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(falha_de([&] { (void)doc.salvar(arq); }), tipo_de_falha::erro_de_arquivo);
        std::filesystem::permissions(pasta.caminho(), std::filesystem::perms::owner_all);
        EXPECT_EQ(conteudo(arq), "<rss>antigo</rss>");
    }
    // Nenhum temporário ficou para trás.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pasta.caminho()), {}), 1);

    // Gravação certa: troca o conteúdo, mantém as permissões e grava através de um atalho.
    std::filesystem::create_symlink(arq, pasta.arquivo("atalho.xml"));
    EXPECT_EQ(doc.salvar(pasta.arquivo("atalho.xml")), resultado_da_carga::carregado);
    EXPECT_TRUE(std::filesystem::is_symlink(pasta.arquivo("atalho.xml")));
    EXPECT_NE(conteudo(arq).find(std::string(4000, 'x')), std::string::npos);
    EXPECT_EQ(std::filesystem::status(arq).permissions(), std::filesystem::perms(0640));
}

// O temporário de um salvamento sobre um projeto privado nunca fica à vista: nasce só do dono.
// Uma vigia da pasta olha o modo de cada arquivo no instante em que ele aparece (a gravação de
// 6 MB costuma dar tempo de sobra). Um arquivo novo nasce como a máscara manda.
TEST(documento_xml, temporario_sobre_arquivo_privado_nasce_privado) {
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("p.xml");
    escrever(arq, "<rss/>");
    std::filesystem::permissions(arq, std::filesystem::perms(0600));
    const mode_t mascara = ::umask(022);
    documento_de_xml doc;
    const no_xml nome = montar(doc, std::string(3 << 19, 'x'));
    for (int i = 0; i < 3; ++i) {
        const no_xml outro = doc.criar_elemento("nome");
        doc.anexar_filho(doc.raiz(), outro);
        doc.substituir_texto(outro, doc.texto(nome));
    }
    // O modo do temporário no instante em que ele aparece, numa gravação; nenhum quando a vigia
    // acorda depois do fim da gravação (numa máquina muito carregada), sem o que ver.
    auto vigiar_uma_gravacao = [&]() -> std::optional<mode_t> {
        const int vigia = ::inotify_init1(IN_CLOEXEC);
        if (vigia < 0 || ::inotify_add_watch(vigia, pasta.caminho().c_str(), IN_CREATE) < 0) {
            ADD_FAILURE() << "sem inotify na pasta " << pasta.caminho();
            return std::nullopt;
        }
        std::optional<mode_t> visto;
        std::thread olhar([&] {
            // Uma gravação que não cria o temporário não deixa a vigia esperando para sempre.
            pollfd espera{vigia, POLLIN, 0};
            if (::poll(&espera, 1, 10000) <= 0) return;
            alignas(inotify_event) char eventos[4096];
            const ssize_t n = ::read(vigia, eventos, sizeof eventos);
            if (n <= 0) return;
            const auto* e = reinterpret_cast<const inotify_event*>(eventos);
            struct stat st {};
            if (e->len > 0 && ::stat((pasta.caminho() / e->name).c_str(), &st) == 0) visto = st.st_mode & 0777;
        });
        EXPECT_EQ(doc.salvar(arq), resultado_da_carga::carregado);
        olhar.join();
        ::close(vigia);
        return visto;
    };
    // A gravação se repete até a vigia ver o temporário; se nunca o vê, nada foi conferido.
    std::optional<mode_t> visto;
    for (int tentativa = 0; tentativa < 20 && !visto && !HasFailure(); ++tentativa) visto = vigiar_uma_gravacao();
    EXPECT_TRUE(visto.has_value()) << "a vigia não viu o temporário em 20 gravações";
    EXPECT_EQ(visto.value_or(0), 0600u);
    EXPECT_EQ(std::filesystem::status(arq).permissions(), std::filesystem::perms(0600));
    EXPECT_EQ(doc.salvar(pasta.arquivo("novo.xml")), resultado_da_carga::carregado);
    EXPECT_EQ(std::filesystem::status(pasta.arquivo("novo.xml")).permissions(), std::filesystem::perms(0644));
    ::umask(mascara);
}

TEST(documento_xml, caminho_como_uri) {
    EXPECT_EQ(caminho_como_uri("/opt/orvel-2.0/a_b~c"), "/opt/orvel-2.0/a_b~c");
    EXPECT_EQ(caminho_como_uri("/home/João Silva/#1%\\\"x\""), "/home/Jo%C3%A3o%20Silva/%231%25%5C%22x%22");
}

}  // namespace
}  // namespace orvel
