#include "plataforma/relatorio_xslt.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlstring.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>
#include <libexslt/exslt.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <new>

#include "plataforma/documento_xml.h"
#include "plataforma/falha.h"
#include "plataforma/textos.h"

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

// Os dois únicos arquivos que a transformação pode ler: o projeto e a folha de estilo (caminhos
// absolutos, como a libxslt os entrega à verificação de leitura).
struct leituras_permitidas {
    std::string projeto, folha;
};

// Verificação de toda leitura local da transformação (document(), inclusões, importações):
// só o projeto e a folha; fora de uma transformação, nada.
int ler_so_o_projeto_e_a_folha(xsltSecurityPrefsPtr, xsltTransformContextPtr contexto, const char* caminho) {
    if (contexto == nullptr || contexto->_private == nullptr || caminho == nullptr) return 0;
    const auto* permitidas = static_cast<const leituras_permitidas*>(contexto->_private);
    return (caminho == permitidas->projeto || caminho == permitidas->folha) ? 1 : 0;
}

// A libxslt nunca carrega documento algum por conta própria: o projeto e a folha já estão
// carregados (document() do projeto acha o documento na lista do contexto; document('') é a
// própria folha).
xmlDocPtr nada_a_carregar(const xmlChar*, xmlDictPtr, int, void*, xsltLoadType) { return nullptr; }

// Nada de rede; nada de gravar arquivos ou criar pastas; ler, só o projeto e a folha.
xsltSecurityPrefsPtr preferencias_de_seguranca() {
    static xsltSecurityPrefsPtr p = [] {
        xsltSecurityPrefsPtr s = xsltNewSecurityPrefs();
        if (s == nullptr) throw std::bad_alloc();
        xsltSetSecurityPrefs(s, XSLT_SECPREF_READ_FILE, ler_so_o_projeto_e_a_folha);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(s, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
        // As inclusões e importações da folha de estilo seguem as mesmas regras.
        xsltSetDefaultSecurityPrefs(s);
        xsltSetLoaderFunc(nada_a_carregar);
        // As funções de texto da EXSLT (str:split): a folha percorre listas longas sem recursão.
        exsltStrRegister();
        return s;
    }();
    return p;
}

std::string absoluto(const std::string& caminho) {
    std::error_code e;
    const auto a = std::filesystem::absolute(caminho, e);
    return e ? caminho : a.lexically_normal().string();
}

// Lê um documento XML do disco; nulo quando não é bem formado, traz DOCTYPE ou passa dos
// limites da leitura (os mesmos da abertura de um projeto). O endereço base
// do documento é o caminho como URI, para que os endereços relativos dentro dele se resolvam
// mesmo com espaços no caminho.
documento_ptr ler_documento(const std::string& caminho, const std::string& conteudo) {
    const std::string base = caminho_como_uri(absoluto(caminho));
    resultado_da_carga resultado = resultado_da_carga::carregado;
    return documento_ptr(ler_xml_sem_doctype(conteudo, base.c_str(), opcoes_de_leitura, resultado));
}

// Tenta usar o arquivo como folha de estilo; nulo quando ele não existe ou não serve.
folha_ptr carregar_folha(const std::string& caminho) {
    std::string conteudo;
    if (ler_arquivo_comum(caminho, conteudo) != leitura_de_arquivo::lido) return nullptr;
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

const int opcoes_de_leitura_do_relatorio = opcoes_de_leitura;

std::string relatorio_em_html(const std::string& caminho_do_projeto, const std::string& pasta_do_programa) {
    const xsltSecurityPrefsPtr seguranca = preferencias_de_seguranca();
    const auto nao_montou = [&] {
        falhar(tipo_de_falha::generica, "A folha de estilo não conseguiu montar o relatório de " + caminho_do_projeto);
    };
    silencio_das_bibliotecas silencio;

    std::string conteudo;
    switch (ler_arquivo_comum(caminho_do_projeto, conteudo)) {
        case leitura_de_arquivo::inexistente:
            falhar(tipo_de_falha::arquivo_nao_encontrado, "Arquivo não encontrado: " + caminho_do_projeto);
        case leitura_de_arquivo::ilegivel:
        case leitura_de_arquivo::grande_demais:
            falhar(tipo_de_falha::erro_de_arquivo, "Não foi possível ler " + caminho_do_projeto);
        case leitura_de_arquivo::lido: break;
    }
    documento_ptr projeto = ler_documento(caminho_do_projeto, conteudo);
    if (!projeto) falhar(tipo_de_falha::erro_de_arquivo, "O arquivo não é um documento XML: " + caminho_do_projeto);

    // Sempre a folha do programa: a instrução xml-stylesheet do projeto não conta.
    const std::string caminho_da_folha = pasta_do_programa + "/" + nome_da_folha_de_estilo;
    folha_ptr folha = carregar_folha(caminho_da_folha);
    if (!folha) falhar(tipo_de_falha::arquivo_nao_encontrado, "Folha de estilo não encontrada: " + caminho_da_folha);

    // A saída é sempre UTF-8, e a página diz isso, qualquer que seja a codificação pedida.
    if (folha->encoding != nullptr) xmlFree(folha->encoding);
    folha->encoding = xmlStrdup(x("UTF-8"));

    contexto_ptr contexto(xsltNewTransformContext(folha.get(), projeto.get()));
    if (!contexto) throw std::bad_alloc();
    const leituras_permitidas permitidas{absoluto(caminho_do_projeto), absoluto(caminho_da_folha)};
    contexto->_private = const_cast<leituras_permitidas*>(&permitidas);
    xsltSetCtxtSecurityPrefs(seguranca, contexto.get());
    xsltSetCtxtParseOptions(contexto.get(), opcoes_de_leitura);
    // O nome do arquivo do projeto, o mesmo dos títulos das janelas (não o que o arquivo guarda,
    // que numa cópia renomeada é o de outro arquivo); passado como texto, nunca como expressão.
    const std::string arquivo = parte_do_nome_do_arquivo(caminho_do_projeto);
    const char* parametros[] = {"arquivo", arquivo.c_str(), nullptr};
    if (xsltQuoteUserParams(contexto.get(), parametros) != 0) nao_montou();
    documento_ptr resultado(xsltApplyStylesheetUser(folha.get(), projeto.get(), nullptr, nullptr, nullptr, contexto.get()));
    if (!resultado || contexto->state != XSLT_STATE_OK) nao_montou();

    xmlChar* texto = nullptr;
    int tamanho = 0;
    if (xsltSaveResultToString(&texto, &tamanho, resultado.get(), folha.get()) != 0) nao_montou();
    std::string html;
    if (texto != nullptr) {
        html.assign(c(texto), static_cast<std::size_t>(tamanho));
        xmlFree(texto);
    }
    return html;
}

}  // namespace orvel
