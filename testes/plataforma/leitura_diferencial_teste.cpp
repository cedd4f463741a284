// A contagem das marcas, que vem antes da leitura, e a libxml2 leem o mesmo texto: documentos
// montados ao acaso (com semente fixa) das construções em que as duas poderiam divergir. Para
// cada documento que a contagem deixa passar, a libxml2 nunca monta um elemento que ela não
// contou, nem com mais atributos ou declarações de espaço de nomes do que ela contou.

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <random>
#include <string>
#include <vector>

#include "plataforma/documento_xml.h"
#include "plataforma/relatorio_xslt.h"

namespace orvel {
namespace {

class gerador {
public:
    explicit gerador(unsigned semente) : acaso_(semente) {}

    // Um documento, já nos bytes de uma codificação (da lista ou não).
    std::string documento() {
        malicia_ = entre(0, 3);
        std::string t = sorte(2) ? fora_da_raiz() : "";
        t += "<rss" + atributos() + ">";
        for (int i = entre(1, 10); i > 0; --i) t += conteudo();
        return codificar(t + "</rss>" + (sorte(4) ? fora_da_raiz() : ""));
    }

private:
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(acaso_); }
    bool sorte(int em) { return entre(1, em) == 1; }
    // Se entra uma construção mal feita: um documento de malícia 0 é bem feito (fora as marcas
    // escondidas em comentários, instruções e CDATA), um de malícia 3 quase só tem delas.
    bool mal() { return entre(1, 4) <= malicia_; }
    // Um item da lista: os primeiros bons são bem feitos; os outros só entram com malícia.
    template <std::size_t N>
    std::string um(const char* const (&lista)[N], std::size_t bons = N) {
        return lista[entre(0, static_cast<int>(mal() ? N : bons) - 1)];
    }

    // Caracteres perto das bordas do que o XML e as codificações admitem (U+10FFFF e além dele
    // escritos à mão, como um arquivo mal feito os traria).
    std::string caractere() {
        static const char* const c[] = {"a", "\xC3\xA9", "\xEF\xBF\xBD", "\xED\x9F\xBF", "\xEE\x80\x80", "\xF4\x8F\xBF\xBF",
                                        "&amp;", "&#x10FFFF;", "\r\n", ">", "=", "\xEF\xBF\xBE", "\xEF\xBF\xBF",
                                        "\xF4\x90\x80\x80", "\xF7\xBF\xBF\xBF", "\xED\xA0\x80", "\xC0\x80", "\x80", "\xFF",
                                        "&#x110000;", "]]>", "--", "?>", "\x01"};
        return um(c, 11);
    }
    std::string texto_solto() {
        std::string t;
        for (int i = entre(0, 3); i > 0; --i) t += caractere();
        return t;
    }
    // Uma marca de início com mais atributos (ou declarações) que os limites: o que a contagem
    // tem de ver onde quer que a libxml2 o leia.
    std::string escondida() {
        const bool atributos = sorte(2);
        const int n = atributos ? limite_de_atributos_de_um_elemento : limite_de_espacos_de_nomes_de_um_documento;
        std::string t = "<h";
        for (int i = 0; i <= n; ++i) t += (atributos ? " a" : " xmlns:p") + std::to_string(i) + "='u'";
        return t + (sorte(2) ? "/>" : "></h>");
    }
    std::string dentro() {
        std::string t;
        for (int i = entre(0, 3); i > 0; --i) t += sorte(3) ? escondida() : sorte(2) ? caractere() : "<a b='>'>";
        return t;
    }
    std::string atributos() {
        static const int quantos[] = {0, 0, 1, 2, 3, limite_de_atributos_de_um_elemento - 1,
                                      limite_de_atributos_de_um_elemento, limite_de_atributos_de_um_elemento + 1};
        static const char* const espacos[] = {" ", "\n", "\t", "", "  "};
        static const char* const valores[] = {"", ">", "=", "/>", "'", "\"", "&lt;", "\xC3\xA9", "<", "\xF4\x90\x80\x80"};
        std::string t;
        for (int i = 0, n = quantos[entre(0, 7)]; i < n; ++i) {
            t += um(espacos, 3);
            t += sorte(8) ? "xmlns:q" + std::to_string(entre(0, 30)) : sorte(12) ? "xmlns" : "a" + std::to_string(i);
            t += sorte(4) ? " = " : "=";
            const char aspa = sorte(2) ? '"' : '\'';
            std::string v = um(valores, 8) + um(valores, 8);
            if (!mal()) std::erase(v, aspa);
            t += aspa + v + aspa;
        }
        return t;
    }
    std::string fora_da_raiz() {
        static const char* const alvos[] = {"pi ", " ", "\xC3\xA9"};
        if (!mal()) return sorte(2) ? "<!--" + dentro() + "-->" : "<?pi " + dentro() + "?>";
        return sorte(3) ? "<!DOCTYPE rss>" : std::string("<?") + alvos[entre(0, 2)] + dentro() + "?>";
    }
    std::string conteudo() {
        static const char* const alvos[] = {"pi", " ", "1", "\xC3\xA9", "\xF4\x90\x80\x80", "xml", "\xE9"};
        static const char* const nomes[] = {"e", "p:e", "xmlns:e", "\xC3\xA9", "e\xF4\x90\x80\x80"};
        const bool m = mal();
        const auto fim = [&](const char* fecha) { return m && sorte(2) ? "" : std::string(fecha); };
        switch (entre(0, m ? 8 : 4)) {
            case 0: return "<!--" + dentro() + fim("-->");
            case 1: return "<?" + um(alvos, 1) + " " + dentro() + fim("?>");
            case 2: return "<![CDATA[" + dentro() + fim("]]>");
            case 3: return texto_solto();
            case 4: {
                const std::string nome = um(nomes, 1);
                return "<" + nome + atributos() + ">" + texto_solto() + fim(("</" + nome + ">").c_str());
            }
            case 5: return "<!DOCTYPE rss>";
            case 6: return escondida();
            case 7: return "<e" + atributos() + "/>";
            default: return "</" + std::string(sorte(2) ? "e" : "e a='" + escondida() + "'") + ">";
        }
    }

    // O texto nos bytes de uma codificação: bem feito, cada codificação da lista com a sua
    // declaração; com malícia, também as que o programa não lê (com nomes que um conversor
    // aceitaria e a libxml2 não) e declarações que não batem com os bytes.
    std::string codificar(const std::string& texto) {
        if (!mal()) {
            switch (entre(0, 3)) {
                case 0: return "\xEF\xBB\xBF" + texto;
                case 1: return em_latin1("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + texto);
                case 2: return em_utf16("<?xml version='1.0' encoding='UTF-16'?>" + texto, sorte(2));
                default: return texto;
            }
        }
        static const char* const declaradas[] = {"",        "UTF-8",     "ISO-8859-1", "US-ASCII", "latin1",
                                                 "UTF-16",  "UTF-16LE",  "UTF-16BE ",  "UTF-16BE//TRANSLIT",
                                                 "UTF\x99-7", "UTF-7",   "EBCDIC-US",  "UCS-4",    "windows-1252"};
        const std::string inteiro = "<?xml version=\"1.0\" encoding=\"" + um(declaradas) + "\"?>" + texto;
        switch (entre(0, 4)) {
            case 0: return "\xEF\xBB\xBF" + inteiro;
            case 1: return em_latin1(inteiro);
            case 2: return em_utf16(inteiro, sorte(2));
            default: return inteiro;  // os bytes como estão, em UTF-8 ou não
        }
    }
    // Os pontos de código de um texto em UTF-8 (sem conferir formas longas nem o máximo); um byte
    // que não começa uma sequência vira uma metade de par substituto sozinha, com ele embaixo.
    static std::vector<char32_t> pontos(const std::string& t) {
        std::vector<char32_t> p;
        for (std::size_t i = 0; i < t.size();) {
            const auto c = static_cast<unsigned char>(t[i]);
            const std::size_t largura = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
            if ((c >= 0x80 && largura == 1) || i + largura > t.size()) {
                p.push_back(0xDC00 | c);
                ++i;
                continue;
            }
            char32_t ponto = largura == 1 ? c : c & (0x7F >> largura);
            for (std::size_t k = 1; k < largura; ++k) ponto = (ponto << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3F);
            p.push_back(ponto);
            i += largura;
        }
        return p;
    }
    // Até U+00FF (e cada byte solto), um byte; os outros pontos, "?".
    static std::string em_latin1(const std::string& t) {
        std::string s;
        for (const char32_t p : pontos(t)) s += p <= 0xFF || (p >= 0xDC80 && p <= 0xDCFF) ? static_cast<char>(p & 0xFF) : '?';
        return s;
    }
    static std::string em_utf16(const std::string& t, bool little_endian) {
        std::string s = little_endian ? "\xFF\xFE" : "\xFE\xFF";
        const auto unidade = [&](char32_t u) {
            const char alto = static_cast<char>(u >> 8), baixo = static_cast<char>(u & 0xFF);
            s += little_endian ? std::string{baixo, alto} : std::string{alto, baixo};
        };
        for (const char32_t p : pontos(t)) {
            if (p < 0x10000 || p > 0x10FFFF) {
                unidade(p & 0xFFFF);
            } else {
                unidade(0xD800 | ((p - 0x10000) >> 10));
                unidade(0xDC00 | ((p - 0x10000) & 0x3FF));
            }
        }
        return s;
    }

    std::mt19937 acaso_;
    int malicia_ = 0;
};

TEST(leitura_diferencial, a_libxml2_nunca_monta_mais_do_que_a_contagem_viu) {
    // Com XML_PARSE_RECOVER a libxml2 chama quem monta os elementos também depois de um erro:
    // assim o teste vê tudo o que ela lê, e não só o que monta sem erro algum antes.
    constexpr int opcoes = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_RECOVER;
    gerador g(20261207);
    int aceitos = 0, montados = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::string bytes = g.documento();
        marcas_da_leitura m;
        resultado_da_carga r = resultado_da_carga::carregado;
        xmlFreeDoc(ler_xml_sem_doctype(bytes, nullptr, opcoes, r, nullptr, &m));
        aceitos += r == resultado_da_carga::carregado;
        montados += !m.montadas.empty();
        SCOPED_TRACE("documento " + std::to_string(n) + ": " + bytes.substr(0, 300));
        ASSERT_LE(m.montadas.size(), m.contadas.size());
        int declaracoes = 0;
        for (std::size_t k = 0; k < m.montadas.size(); ++k) {
            ASSERT_LE(m.montadas[k].atributos, m.contadas[k].atributos) << "elemento " << k;
            ASSERT_LE(m.montadas[k].espacos_de_nomes, m.contadas[k].espacos_de_nomes) << "elemento " << k;
            ASSERT_LE(m.montadas[k].atributos, limite_de_atributos_de_um_elemento);
            declaracoes += m.montadas[k].espacos_de_nomes;
        }
        ASSERT_LE(declaracoes, limite_de_espacos_de_nomes_de_um_documento);
    }
    // O gerador não é só lixo: parte dos documentos é lida até o fim e muitos montam elementos.
    EXPECT_GT(aceitos, 1000) << aceitos;
    EXPECT_GT(montados, 2000) << montados;
}

// O relatório lê o projeto com outras opções (as seções CDATA viram texto): todo documento que a
// abertura aceita, ele também aceita, com as mesmas contagens.
TEST(leitura_diferencial, o_relatorio_conta_o_que_a_abertura_conta) {
    gerador g(20261207);
    int aceitos_com_cdata = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::string bytes = g.documento();
        resultado_da_carga r[2];
        marcas_da_leitura m[2];
        for (const int k : {0, 1})
            xmlFreeDoc(ler_xml_sem_doctype(bytes, nullptr, k ? opcoes_de_leitura_do_relatorio : opcoes_de_leitura_de_um_arquivo,
                                           r[k], nullptr, &m[k]));
        if (r[0] != resultado_da_carga::carregado) continue;
        SCOPED_TRACE("documento " + std::to_string(n) + ": " + bytes.substr(0, 300));
        ASSERT_EQ(r[1], r[0]);
        ASSERT_TRUE(m[1] == m[0]);
        aceitos_com_cdata += bytes.find("<![CDATA[") != std::string::npos;
    }
    EXPECT_GT(aceitos_com_cdata, 500) << aceitos_com_cdata;
}

}  // namespace
}  // namespace orvel
