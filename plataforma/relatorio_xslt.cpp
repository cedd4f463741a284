#include "plataforma/relatorio_xslt.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlstring.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <optional>

#include "plataforma/documento_xml.h"
#include "plataforma/falha.h"

namespace orvel {

namespace {

// Sem rede, sem substituir entidades (nenhuma entidade externa é lida), sem DTD externa e sem
// mensagens na saída de erro.
constexpr int opcoes_de_leitura = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;

const char* c(const xmlChar* s) { return reinterpret_cast<const char*>(s); }
const xmlChar* x(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

struct liberar_documento {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct liberar_folha {
    void operator()(xsltStylesheet* f) const { xsltFreeStylesheet(f); }
};
struct liberar_contexto {
    void operator()(xsltTransformContext* t) const { xsltFreeTransformContext(t); }
};
using documento_ptr = std::unique_ptr<xmlDoc, liberar_documento>;
using folha_ptr = std::unique_ptr<xsltStylesheet, liberar_folha>;
using contexto_ptr = std::unique_ptr<xsltTransformContext, liberar_contexto>;

// As mensagens das bibliotecas não vão para a saída de erro: quem pede o relatório recebe a
// falha com uma descrição própria.
void sem_mensagem(void*, const char*, ...) {}

class silencio_das_bibliotecas {
public:
    silencio_das_bibliotecas()
        : xml_(xmlGenericError), xml_contexto_(xmlGenericErrorContext), xslt_(xsltGenericError),
          xslt_contexto_(xsltGenericErrorContext) {
        xmlSetGenericErrorFunc(nullptr, sem_mensagem);
        xsltSetGenericErrorFunc(nullptr, sem_mensagem);
    }
    ~silencio_das_bibliotecas() {
        xmlSetGenericErrorFunc(xml_contexto_, xml_);
        xsltSetGenericErrorFunc(xslt_contexto_, xslt_);
    }
    silencio_das_bibliotecas(const silencio_das_bibliotecas&) = delete;
    silencio_das_bibliotecas& operator=(const silencio_das_bibliotecas&) = delete;

private:
    xmlGenericErrorFunc xml_;
    void* xml_contexto_;
    xmlGenericErrorFunc xslt_;
    void* xslt_contexto_;
};

// O que a folha de estilo inclui, importa ou abre com document() é lido com as mesmas opções
// do projeto, nunca com as da libxslt (que substituem entidades e carregam a DTD).
xmlDocPtr carregar_sem_rede(const xmlChar* uri, xmlDictPtr dicionario, int, void*, xsltLoadType) {
    xmlParserCtxtPtr p = xmlNewParserCtxt();
    if (p == nullptr) return nullptr;
    if (dicionario != nullptr) {
        if (p->dict != nullptr) xmlDictFree(p->dict);
        p->dict = dicionario;
        xmlDictReference(dicionario);
    }
    xmlDocPtr d = xmlCtxtReadFile(p, c(uri), nullptr, opcoes_de_leitura);
    xmlFreeParserCtxt(p);
    return d;
}

// Nada de rede; nada de gravar arquivos ou criar pastas.
xsltSecurityPrefsPtr preferencias_de_seguranca() {
    static xsltSecurityPrefsPtr p = [] {
        xsltSecurityPrefsPtr s = xsltNewSecurityPrefs();
        if (s == nullptr) throw std::bad_alloc();
        xsltSetSecurityPrefs(s, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
        // As inclusões e importações da folha de estilo seguem as preferências padrão.
        xsltSetDefaultSecurityPrefs(s);
        xsltSetLoaderFunc(carregar_sem_rede);
        return s;
    }();
    return p;
}

enum class leitura { lido, inexistente, ilegivel };

leitura ler_arquivo(const std::string& caminho, std::string& conteudo) {
    std::error_code e;
    if (caminho.empty() || !std::filesystem::exists(caminho, e)) return leitura::inexistente;
    if (!std::filesystem::is_regular_file(caminho, e)) return leitura::ilegivel;
    std::ifstream f(caminho, std::ios::binary);
    if (!f) return leitura::ilegivel;
    conteudo.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    if (f.bad() || conteudo.size() > static_cast<std::size_t>(INT_MAX)) return leitura::ilegivel;
    return leitura::lido;
}

std::string absoluto(const std::string& caminho) {
    std::error_code e;
    const auto a = std::filesystem::absolute(caminho, e);
    return e ? caminho : a.lexically_normal().string();
}

// Lê um documento XML do disco. O endereço base do documento é o caminho como URI, para que
// os endereços relativos dentro dele se resolvam mesmo com espaços no caminho.
documento_ptr ler_documento(const std::string& caminho, const std::string& conteudo) {
    const std::string base = caminho_como_uri(absoluto(caminho));
    return documento_ptr(xmlReadMemory(conteudo.data(), static_cast<int>(conteudo.size()), base.c_str(), nullptr,
                                       opcoes_de_leitura));
}

std::string minusculas(std::string s) {
    for (char& ch : s)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return s;
}

bool espaco(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

std::string aparado(std::string_view s) {
    while (!s.empty() && espaco(s.front())) s.remove_prefix(1);
    while (!s.empty() && espaco(s.back())) s.remove_suffix(1);
    return std::string(s);
}

int valor_hexadecimal(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// "%XX" vira o byte; um "%" sem dois algarismos hexadecimais, ou um byte nulo, invalida tudo.
std::optional<std::string> decodificado(std::string_view s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            r += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return std::nullopt;
        const int a = valor_hexadecimal(s[i + 1]), b = valor_hexadecimal(s[i + 2]);
        if (a < 0 || b < 0 || (a == 0 && b == 0)) return std::nullopt;
        r += static_cast<char>(a * 16 + b);
        i += 2;
    }
    return r;
}

// Os pseudoatributos de uma instrução xml-stylesheet: nome="valor" ou nome='valor'.
std::optional<std::string> pseudoatributo(std::string_view dados, std::string_view nome) {
    std::size_t i = 0;
    while (i < dados.size()) {
        while (i < dados.size() && espaco(dados[i])) ++i;
        const std::size_t ini = i;
        while (i < dados.size() && dados[i] != '=' && !espaco(dados[i])) ++i;
        const std::string_view achado = dados.substr(ini, i - ini);
        while (i < dados.size() && espaco(dados[i])) ++i;
        if (i >= dados.size() || dados[i] != '=') return std::nullopt;
        ++i;
        while (i < dados.size() && espaco(dados[i])) ++i;
        if (i >= dados.size() || (dados[i] != '"' && dados[i] != '\'')) return std::nullopt;
        const char aspas = dados[i++];
        const std::size_t fim = dados.find(aspas, i);
        if (fim == std::string_view::npos) return std::nullopt;
        const std::string_view valor = dados.substr(i, fim - i);
        i = fim + 1;
        if (achado != nome) continue;
        // As entidades predefinidas que um valor pode trazer.
        std::string v;
        for (std::size_t k = 0; k < valor.size(); ++k) {
            bool trocou = false;
            if (valor[k] == '&') {
                for (const auto& [ent, ch] : {std::pair<std::string_view, char>{"&amp;", '&'},
                                              {"&quot;", '"'},
                                              {"&apos;", '\''},
                                              {"&lt;", '<'},
                                              {"&gt;", '>'}}) {
                    if (valor.substr(k, ent.size()) == ent) {
                        v += ch;
                        k += ent.size() - 1;
                        trocou = true;
                        break;
                    }
                }
            }
            if (!trocou) v += valor[k];
        }
        return v;
    }
    return std::nullopt;
}

// O href da primeira instrução xml-stylesheet do prólogo que pede uma folha XSLT.
std::optional<std::string> href_da_folha(xmlDocPtr doc) {
    for (xmlNodePtr n = doc->children; n != nullptr; n = n->next) {
        if (n->type == XML_ELEMENT_NODE) break;
        if (n->type != XML_PI_NODE || !xmlStrEqual(n->name, x("xml-stylesheet"))) continue;
        const std::string dados = n->content ? c(n->content) : "";
        if (pseudoatributo(dados, "alternate") == std::optional<std::string>("yes")) continue;
        if (const auto tipo = pseudoatributo(dados, "type")) {
            const std::string t = minusculas(aparado(*tipo));
            if (t != "text/xsl" && t != "text/xml" && t != "application/xml" && t != "application/xslt+xml") continue;
        }
        if (auto href = pseudoatributo(dados, "href")) return href;
    }
    return std::nullopt;
}

// Tenta usar o arquivo como folha de estilo; nulo quando ele não existe ou não serve.
folha_ptr carregar_folha(const std::string& caminho) {
    std::string conteudo;
    if (ler_arquivo(caminho, conteudo) != leitura::lido) return nullptr;
    documento_ptr doc = ler_documento(caminho, conteudo);
    if (!doc) return nullptr;
    xsltStylesheetPtr f = xsltParseStylesheetDoc(doc.get());
    if (f == nullptr) return nullptr;  // o documento continua nosso e é liberado aqui
    doc.release();                     // agora pertence à folha
    folha_ptr folha(f);
    if (folha->errors != 0) return nullptr;
    return folha;
}

}  // namespace

std::vector<std::string> caminhos_do_href(std::string_view href, const std::string& pasta_do_projeto) {
    std::vector<std::string> r;
    auto incluir = [&](std::string caminho) {
        if (caminho.empty()) return;
        if (caminho.front() != '/') caminho = pasta_do_projeto + "/" + caminho;
        for (const auto& j : r)
            if (j == caminho) return;
        r.push_back(std::move(caminho));
    };
    const std::string h = aparado(href);
    if (h.empty() || h.front() == '#') return r;

    // Um esquema tem ao menos duas letras antes de ":" ("C:\..." é um caminho de disco).
    std::size_t dois_pontos = h.find(':');
    bool tem_esquema = dois_pontos != std::string::npos && dois_pontos >= 2;
    for (std::size_t i = 0; tem_esquema && i < dois_pontos; ++i) {
        const char ch = h[i];
        const bool letra = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
        const bool outro = (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.';
        if (!letra && !(i > 0 && outro)) tem_esquema = false;
    }
    if (tem_esquema) {
        if (minusculas(h.substr(0, dois_pontos)) != "file") return r;  // endereço de rede: nunca
        std::string resto = h.substr(dois_pontos + 1);
        const std::size_t corte = resto.find_first_of("?#");
        if (corte != std::string::npos) resto.erase(corte);
        if (resto.starts_with("//")) {
            resto.erase(0, 2);
            const std::size_t barra = resto.find('/');
            const std::string maquina = resto.substr(0, barra);
            if (!maquina.empty() && minusculas(maquina) != "localhost") return r;
            resto = barra == std::string::npos ? "" : resto.substr(barra);
        }
        if (const auto d = decodificado(resto)) incluir(*d);
        else incluir(resto);
        return r;
    }
    if (const auto d = decodificado(h); d && *d != h) incluir(*d);
    incluir(h);
    return r;
}

std::string relatorio_em_html(const std::string& caminho_do_projeto, const std::string& pasta_do_programa) {
    const xsltSecurityPrefsPtr seguranca = preferencias_de_seguranca();
    silencio_das_bibliotecas silencio;

    std::string conteudo;
    switch (ler_arquivo(caminho_do_projeto, conteudo)) {
        case leitura::inexistente:
            falhar(tipo_de_falha::arquivo_nao_encontrado, "Arquivo não encontrado: " + caminho_do_projeto);
        case leitura::ilegivel: falhar(tipo_de_falha::erro_de_arquivo, "Não foi possível ler " + caminho_do_projeto);
        case leitura::lido: break;
    }
    documento_ptr projeto = ler_documento(caminho_do_projeto, conteudo);
    if (!projeto) falhar(tipo_de_falha::erro_de_arquivo, "O arquivo não é um documento XML: " + caminho_do_projeto);

    folha_ptr folha;
    if (const auto href = href_da_folha(projeto.get())) {
        const std::string pasta = std::filesystem::path(absoluto(caminho_do_projeto)).parent_path().string();
        for (const auto& caminho : caminhos_do_href(*href, pasta))
            if ((folha = carregar_folha(caminho))) break;
    }
    if (!folha) {
        const std::string padrao = pasta_do_programa + "/" + nome_da_folha_de_estilo;
        folha = carregar_folha(padrao);
        if (!folha) falhar(tipo_de_falha::arquivo_nao_encontrado, "Folha de estilo não encontrada: " + padrao);
    }

    // A saída é sempre UTF-8, e a página diz isso, qualquer que seja a codificação pedida.
    if (folha->encoding != nullptr) xmlFree(folha->encoding);
    folha->encoding = xmlStrdup(x("UTF-8"));

    contexto_ptr contexto(xsltNewTransformContext(folha.get(), projeto.get()));
    if (!contexto) throw std::bad_alloc();
    xsltSetCtxtSecurityPrefs(seguranca, contexto.get());
    xsltSetCtxtParseOptions(contexto.get(), opcoes_de_leitura);
    documento_ptr resultado(xsltApplyStylesheetUser(folha.get(), projeto.get(), nullptr, nullptr, nullptr, contexto.get()));
    if (!resultado || contexto->state != XSLT_STATE_OK)
        falhar(tipo_de_falha::generica, "A folha de estilo não conseguiu montar o relatório de " + caminho_do_projeto);

    xmlChar* texto = nullptr;
    int tamanho = 0;
    if (xsltSaveResultToString(&texto, &tamanho, resultado.get(), folha.get()) != 0)
        falhar(tipo_de_falha::generica, "A folha de estilo não conseguiu montar o relatório de " + caminho_do_projeto);
    std::string html;
    if (texto != nullptr) {
        html.assign(c(texto), static_cast<std::size_t>(tamanho));
        xmlFree(texto);
    }
    return html;
}

}  // namespace orvel
