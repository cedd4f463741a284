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

namespace orvel {
namespace {

class gerador {
public:
    explicit gerador(unsigned semente) : acaso_(semente) {}

    // Um documento, já nos bytes de uma codificação (da lista ou não).
    std::string documento() {
        malicia_ = entre(0, 3);
        std::string texto;  // em pontos de código, guardados como UTF-8 sem conferência
        const int antes = entre(0, 2);
        for (int i = 0; i < antes; ++i) texto += fora_da_raiz();
        texto += "<rss" + atributos() + ">";
        const int pecas = entre(1, 10);
        for (int i = 0; i < pecas; ++i) texto += conteudo();
        texto += "</rss>";
        if (sorte(4)) texto += fora_da_raiz();
        return codificar(texto);
    }

private:
    int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(acaso_); }
    bool sorte(int em) { return entre(1, em) == 1; }
    // Se entra uma construção mal feita: um documento de malícia 0 é bem feito (fora as marcas
    // escondidas em comentários, instruções e CDATA), um de malícia 3 quase só tem delas.
    bool mal() { return entre(1, 4) <= malicia_; }
    template <class T, std::size_t N>
    const T& um(const T (&lista)[N]) {
        return lista[static_cast<std::size_t>(entre(0, static_cast<int>(N) - 1))];
    }

    // Caracteres perto das bordas do que o XML e as codificações admitem (U+10FFFF e além dele
    // escritos à mão, como um arquivo mal feito os traria).
    std::string caractere() {
        static const char* const bons[] = {"a", "\xC3\xA9", "\xEF\xBF\xBD", "\xED\x9F\xBF", "\xEE\x80\x80",
                                           "\xF4\x8F\xBF\xBF", "&amp;", "&#x10FFFF;", "\r\n", ">", "="};
        if (!mal()) return um(bons);
        static const char* const c[] = {"a", "\xC3\xA9", "\xEF\xBF\xBD", "\xEF\xBF\xBE", "\xEF\xBF\xBF", "\xED\x9F\xBF",
                                        "\xEE\x80\x80", "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF7\xBF\xBF\xBF",
                                        "\xED\xA0\x80", "\xC0\x80", "\x80", "\xFF", "&amp;", "&#x10FFFF;",
                                        "&#x110000;", "]]>", "--", "?>", "\x01", "\r\n"};
        return um(c);
    }
    std::string texto_solto() {
        std::string t;
        for (int i = entre(0, 3); i > 0; --i) t += caractere();
        return t;
    }
    // Uma marca de início com mais atributos (ou declarações) que os limites: o que a contagem
    // tem de ver onde quer que a libxml2 o leia.
    std::string escondida() {
        std::string t = "<h";
        if (sorte(2)) {
            for (int i = 0; i <= limite_de_atributos_de_um_elemento; ++i) t += " a" + std::to_string(i) + "=''";
        } else {
            for (int i = 0; i <= limite_de_espacos_de_nomes_de_um_documento; ++i)
                t += " xmlns:p" + std::to_string(i) + "='u'";
        }
        return t + (sorte(2) ? "/>" : "></h>");
    }
    std::string dentro() {
        std::string t;
        for (int i = entre(0, 3); i > 0; --i) t += sorte(3) ? escondida() : sorte(2) ? caractere() : std::string("<a b='>'>");
        return t;
    }
    std::string valor() {
        static const char* const v[] = {"", ">", "=", "/>", "'", "\"", "&lt;", "\xC3\xA9", "<", "\xF4\x90\x80\x80"};
        std::string t;
        for (int i = entre(0, 2); i > 0; --i) t += v[entre(0, mal() ? 9 : 7)];
        return t;
    }
    std::string atributos() {
        static const int quantos[] = {0, 0, 1, 2, 3, limite_de_atributos_de_um_elemento - 1, limite_de_atributos_de_um_elemento,
                                      limite_de_atributos_de_um_elemento + 1};
        std::string t;
        const int n = um(quantos);
        for (int i = 0; i < n; ++i) {
            static const char* const espacos[] = {" ", "\n", "\t", "", "  "};
            t += espacos[entre(0, mal() ? 4 : 2)];
            t += sorte(8) ? "xmlns:q" + std::to_string(entre(0, 30)) : sorte(12) ? std::string("xmlns") : "a" + std::to_string(i);
            t += sorte(4) ? " = " : "=";
            const char aspa = sorte(2) ? '"' : '\'';
            std::string v = valor();
            if (!mal()) std::erase(v, aspa);
            t += aspa + v + aspa;
        }
        return t;
    }
    std::string fora_da_raiz() {
        switch (entre(0, mal() ? 4 : 1)) {
            case 0: return "<!--" + dentro() + "-->";
            case 1: return "<?pi " + dentro() + "?>";
            case 2: return "<!DOCTYPE rss>";
            case 3: return "\n";
            default: return "<?" + std::string(sorte(2) ? " " : "\xC3\xA9") + dentro() + "?>";
        }
    }
    std::string conteudo() {
        static const char* const alvos[] = {"pi", " ", "1", "\xC3\xA9", "\xF4\x90\x80\x80", "xml", "\xE9"};
        static const char* const nomes[] = {"e", "p:e", "xmlns:e", "\xC3\xA9", "e\xF4\x90\x80\x80"};
        const bool m = mal();
        switch (entre(0, m ? 8 : 4)) {
            case 0: return "<!--" + dentro() + (m && sorte(2) ? "" : "-->");
            case 1: return std::string("<?") + alvos[entre(0, m ? 6 : 0)] + " " + dentro() + (m && sorte(2) ? "" : "?>");
            case 2: return "<![CDATA[" + dentro() + (m && sorte(2) ? "" : "]]>");
            case 3: return texto_solto();
            case 4: {
                const std::string nome = nomes[entre(0, m ? 4 : 0)];
                return "<" + nome + atributos() + ">" + texto_solto() + (m && sorte(2) ? "" : "</" + nome + ">");
            }
            case 5: return "<!DOCTYPE rss>";
            case 6: return escondida();
            case 7: return "<e" + atributos() + "/>";
            default: return "</" + std::string(sorte(2) ? "e" : "e a='" + escondida() + "'") + ">";
        }
    }

    // O texto nos bytes de uma codificação: as da lista, com e sem declaração e marca, e as
    // que o programa não lê (com nomes que um conversor aceitaria e a libxml2 não).
    std::string codificar(const std::string& texto) {
        static const char* const declaradas[] = {"",         "UTF-8",     "ISO-8859-1",          "US-ASCII",     "latin1",
                                                 "UTF-16",   "UTF-16LE",  "UTF-16BE ",           "UTF-16BE//TRANSLIT",
                                                 "UTF\x99-7", "UTF-7",    "EBCDIC-US",           "UCS-4",        "windows-1252"};
        const std::string declarada = declaradas[entre(0, mal() ? 13 : 4)];
        const std::string declaracao =
            declarada.empty() && sorte(2) ? "" : "<?xml version=\"1.0\" encoding=\"" + declarada + "\"?>";
        const std::string inteiro = declaracao + texto;
        if (!mal()) {
            // Bem feito: cada codificação com a sua declaração.
            switch (entre(0, 3)) {
                case 0: return "\xEF\xBB\xBF" + texto;
                case 1: return em_latin1("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + texto);
                case 2: return em_utf16("<?xml version='1.0' encoding='UTF-16'?>" + texto, sorte(2));
                default: return texto;
            }
        }
        switch (entre(0, 5)) {
            case 0: return "\xEF\xBB\xBF" + inteiro;
            case 1:
            case 2: return em_latin1(inteiro);
            case 3: return em_utf16(inteiro, sorte(2));
            default: return inteiro;  // os bytes como estão, em UTF-8 ou não
        }
    }
    // Cada ponto de código até U+00FF vira um byte; os outros ficam como estão.
    static std::string em_latin1(const std::string& t) {
        std::string s;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const auto c = static_cast<unsigned char>(t[i]);
            const auto c1 = i + 1 < t.size() ? static_cast<unsigned char>(t[i + 1]) : 0u;
            if ((c == 0xC2 || c == 0xC3) && (c1 & 0xC0u) == 0x80u) {
                s += static_cast<char>(((c & 0x1Fu) << 6) | (c1 & 0x3Fu));
                ++i;
            } else {
                s += static_cast<char>(c);
            }
        }
        return s;
    }
    // Em UTF-16 com a marca; um byte solto (de um UTF-8 mal feito) vira uma metade de par
    // substituto sozinha.
    static std::string em_utf16(const std::string& t, bool little_endian) {
        std::string s = little_endian ? "\xFF\xFE" : "\xFE\xFF";
        auto unidade = [&](unsigned u) {
            const char alto = static_cast<char>(u >> 8), baixo = static_cast<char>(u & 0xFF);
            s += little_endian ? std::string{baixo, alto} : std::string{alto, baixo};
        };
        for (std::size_t i = 0; i < t.size();) {
            const auto c = static_cast<unsigned char>(t[i]);
            unsigned ponto = c;
            std::size_t largura = 1;
            if (c >= 0xC2 && c <= 0xDF && i + 1 < t.size()) {
                ponto = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(t[i + 1]) & 0x3Fu);
                largura = 2;
            } else if (c >= 0xE0 && c <= 0xEF && i + 2 < t.size()) {
                ponto = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(t[i + 1]) & 0x3Fu) << 6) |
                        (static_cast<unsigned char>(t[i + 2]) & 0x3Fu);
                largura = 3;
            } else if (c >= 0xF0 && c <= 0xF4 && i + 3 < t.size()) {
                ponto = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(t[i + 1]) & 0x3Fu) << 12) |
                        ((static_cast<unsigned char>(t[i + 2]) & 0x3Fu) << 6) | (static_cast<unsigned char>(t[i + 3]) & 0x3Fu);
                largura = 4;
            } else if (c >= 0x80) {
                ponto = 0xDC00 | c;
            }
            if (ponto >= 0x10000 && ponto <= 0x10FFFF) {
                unidade(0xD800 | ((ponto - 0x10000) >> 10));
                unidade(0xDC00 | ((ponto - 0x10000) & 0x3FF));
            } else {
                unidade(ponto & 0xFFFF);
            }
            i += largura;
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
        if (r == resultado_da_carga::carregado) ++aceitos;
        if (!m.montadas.empty()) ++montados;
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

}  // namespace
}  // namespace orvel
