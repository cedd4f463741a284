// Tempo da leitura de um documento XML, com a contagem dos atributos feita antes dela, e da
// abertura de um projeto no limite de bytes.
//
// - atributos/N: um elemento de projeto com N atributos vazios: no limite (lido), logo acima
//   dele (recusado) e 100 000 (um arquivo de 1 MB, que a libxml2 levaria minutos para montar:
//   recusado antes da leitura); em UTF-16, a mesma coisa depois da conversão.
// - sem_conferencia/N: a libxml2 sozinha com N atributos, para ver a curva que a contagem evita
//   (o tempo cresce com o quadrado de N).
// - espacos_de_nomes/N: N declarações de espaço de nomes em vigor e, até o limite de atributos do
//   documento, nomes com prefixo.
// - elementos_no_limite: perto de 1 MB de elementos, cada um com atributos no limite: a leitura
//   para no limite de atributos do documento.
// - pior_caso_no_limite, comentarios_no_limite, outros_no_limite/N: os piores arquivos do
//   tamanho máximo que conhecemos (atributos, comentários, referências, um valor só, elementos
//   vazios).
// - desvios/caso/MB: os quatro truques de codificação que escondiam da contagem um elemento de
//   atributos sem fim, em arquivos de 1 MB e do tamanho máximo: recusados pela codificação antes
//   da leitura.
// - projeto: o maior projeto que o programa grava (a rede cheia, processada), com a leitura do
//   programa e com a libxml2 sozinha: o que a contagem acrescenta a uma abertura.
// - abertura_no_limite/caso: a abertura inteira (leitura, chaves e conferências) do maior projeto
//   com o que falta até o limite de bytes antes de todos os seus elementos: comentários de letras
//   acentuadas (0) ou as entidades predefinidas (1). O pico de memória se mede à parte:
//   /usr/bin/time -v leitura_xml --benchmark_filter=abertura_no_limite/0.

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <string>

#include "comum/arquivos.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_cheia.h"
#include "comum/servicos_de_teste.h"
#include "modelo/projeto.h"
#include "plataforma/documento_xml.h"

namespace {

using namespace orvel;

constexpr int opcoes = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

std::string atributos(long long n) {
    std::string t;
    for (long long i = 0; i < n; ++i) t += " a" + std::to_string(i) + "=\"\"";
    return t;
}

std::string com_atributos(long long n, const std::string& codificacao = "ISO-8859-1") {
    return "<?xml version=\"1.0\" encoding=\"" + codificacao + "\"?>\n<rss><rede><k" + atributos(n) + "/></rede></rss>\n";
}

// Perto de 1 MB de elementos com atributos no limite, em grupos de 500: o pior arquivo desse
// tamanho que a contagem deixa para a leitura.
std::string muitos_elementos_no_limite() {
    const std::string k = "<k" + atributos(limite_de_atributos_de_um_elemento) + "/>";
    std::string t = "<rss>";
    while (t.size() + 500 * k.size() < (std::size_t{1} << 20)) {
        t += "<g>";
        for (int i = 0; i < 500; ++i) t += k;
        t += "</g>";
    }
    return t + "</rss>";
}

std::string em_utf16(const std::string& ascii) {
    std::string t = "\xFF\xFE";
    for (const char c : ascii) t += std::string{c, '\0'};
    return t;
}

// O maior projeto que o programa grava: a rede cheia, processada, salva pelo programa.
const std::string& o_maior_projeto() {
    static const std::string texto = [] {
        servicos_de_teste s;
        s.pasta = "/opt/orvel";
        const teste::pasta_temporaria pasta;
        const auto c = std::make_unique<contexto_da_rede>();
        teste::montar_rede_cheia(*c, true);
        const std::string caminho = pasta.arquivo("cheia.xml");
        return salvar_projeto(*c, caminho).feito() ? teste::conteudo(caminho) : std::string();
    }();
    return texto;
}

// Lê o texto a cada volta; os bytes por segundo contam o texto inteiro, mesmo quando a leitura
// para antes do fim.
void ler(benchmark::State& estado, const std::string& texto, resultado_da_carga esperado) {
    for (auto _ : estado) {
        resultado_da_carga r = resultado_da_carga::carregado;
        xmlDoc* doc = ler_xml_sem_doctype(texto, nullptr, opcoes, r);
        if (r != esperado) {
            estado.SkipWithError(("resultado inesperado: " + std::to_string(static_cast<int>(r))).c_str());
            xmlFreeDoc(doc);
            break;
        }
        xmlFreeDoc(doc);
    }
    estado.SetBytesProcessed(static_cast<long long>(texto.size()) * static_cast<long long>(estado.iterations()));
}

resultado_da_carga esperado(long long n) {
    return n > limite_de_atributos_de_um_elemento ? resultado_da_carga::atributos_demais : resultado_da_carga::carregado;
}

void atributos(benchmark::State& estado) { ler(estado, com_atributos(estado.range(0)), esperado(estado.range(0))); }

void atributos_em_utf16(benchmark::State& estado) {
    ler(estado, em_utf16(com_atributos(estado.range(0), "UTF-16")), esperado(estado.range(0)));
}

void sem_conferencia(benchmark::State& estado) {
    const std::string texto = com_atributos(estado.range(0));
    for (auto _ : estado)
        xmlFreeDoc(xmlReadMemory(texto.data(), static_cast<int>(texto.size()), nullptr, nullptr, opcoes));
}

void elementos_no_limite(benchmark::State& estado) {
    ler(estado, muitos_elementos_no_limite(), resultado_da_carga::atributos_demais_no_documento);
}

// Outros arquivos do tamanho máximo que a contagem deixa para a libxml2: referências de
// caractere num texto só, um valor de atributo só (os dois lidos), elementos vazios.
void outros_no_limite(benchmark::State& estado) {
    const std::string unidades[] = {"&#65;", "a", "<a/>"};
    const std::string inicio[] = {"<rss>", "<rss a='", "<rss>"};
    const std::string fim[] = {"</rss>", "'/>", "</rss>"};
    const auto caso = static_cast<std::size_t>(estado.range(0));
    std::string t = inicio[caso];
    while (t.size() + unidades[caso].size() + fim[caso].size() < limite_de_bytes_de_um_arquivo) t += unidades[caso];
    const resultado_da_carga esperados[] = {resultado_da_carga::carregado, resultado_da_carga::carregado,
                                           resultado_da_carga::elementos_demais};
    ler(estado, t + fim[caso], esperados[caso]);
}

// N declarações de espaço de nomes, em até 97 níveis, e elementos cujos 100 atributos usam o
// prefixo declarado primeiro (que a libxml2 procura entre todos os em vigor), tantos quantos o
// limite de atributos do documento deixa: com o limite, lido; com 9700 declarações (280 KB),
// recusado antes da leitura, que levaria um quarto de segundo.
std::string com_declaracoes(long long n) {
    std::string t;
    const long long por_nivel = (n + 96) / 97;
    for (long long d = 0; d < 97; ++d) {
        t += "<e";
        for (long long j = 0; j < por_nivel && d * por_nivel + j < n; ++j)
            t += " xmlns:p" + std::to_string(d) + "_" + std::to_string(j) + "=\"u\"";
        t += ">";
    }
    const int elementos = (limite_de_atributos_de_um_documento - limite_de_espacos_de_nomes_de_um_documento) /
                          limite_de_atributos_de_um_elemento;
    t += "<g>";
    for (int k = 0; k < elementos; ++k) {
        t += "<k";
        for (int j = 0; j < limite_de_atributos_de_um_elemento; ++j) t += " p0_0:a" + std::to_string(j) + "=''";
        t += "/>";
    }
    t += "</g>";
    for (int d = 0; d < 97; ++d) t += "</e>";
    return t;
}

void espacos_de_nomes(benchmark::State& estado) {
    ler(estado, com_declaracoes(estado.range(0)),
        estado.range(0) > limite_de_espacos_de_nomes_de_um_documento ? resultado_da_carga::espacos_de_nomes_demais
                                                                    : resultado_da_carga::carregado);
}

void projeto(benchmark::State& estado) { ler(estado, o_maior_projeto(), resultado_da_carga::carregado); }

void projeto_sem_conferencia(benchmark::State& estado) {
    const std::string& texto = o_maior_projeto();
    for (auto _ : estado)
        xmlFreeDoc(xmlReadMemory(texto.data(), static_cast<int>(texto.size()), nullptr, nullptr, opcoes));
    estado.SetBytesProcessed(static_cast<long long>(texto.size()) * static_cast<long long>(estado.iterations()));
}

// Os quatro jeitos que um arquivo achava de a contagem não ver o que a libxml2 lia, com um
// elemento de atributos sem fim (do tamanho pedido, em MB) logo depois do truque: um caractere
// acima de U+10FFFF numa seção CDATA; um byte que não vale em UTF-8 antes de uma instrução de
// nome em UTF-8; UTF-16LE declarado num texto de 8 bits; um nome de codificação que a libxml2
// não conhece. Cada um é recusado antes da leitura, na decodificação.
std::string desvio(long long caso, long long megabytes) {
    const std::string declaracoes[] = {"UTF-8", "UTF-8", "UTF-16LE", "UTF\x99-7"};
    const std::string antes[] = {"<![CDATA[\xF4\x90\x80\x80", "\xFF<?\xC3\xA9 ", "", ""};
    std::string t = "<?xml version=\"1.0\" encoding=\"" + declaracoes[caso] + "\"?>\n<rss>" + antes[caso] + "<k";
    for (long long i = 0; t.size() < static_cast<std::size_t>(megabytes << 20) - 32; ++i) t += " a" + std::to_string(i) + "=''";
    return t + "/>]]></rss>";
}

void desvios(benchmark::State& estado) {
    const resultado_da_carga esperados[] = {resultado_da_carga::bytes_invalidos, resultado_da_carga::bytes_invalidos,
                                           resultado_da_carga::mal_formado, resultado_da_carga::mal_formado};
    ler(estado, desvio(estado.range(0), estado.range(1)), esperados[estado.range(0)]);
}

// O pior arquivo do tamanho máximo que a contagem deixa para a libxml2: elementos com atributos
// no limite, em grupos de 1000, até perto do limite de bytes: a leitura para no limite de
// atributos do documento.
std::string pior_no_limite() {
    const std::string k = "<k" + atributos(limite_de_atributos_de_um_elemento) + "/>";
    std::string t = "<rss>";
    while (t.size() + 1000 * k.size() + 20 < limite_de_bytes_de_um_arquivo) {
        t += "<g>";
        for (int i = 0; i < 1000; ++i) t += k;
        t += "</g>";
    }
    while (t.size() + k.size() + 20 < limite_de_bytes_de_um_arquivo) t += k;
    return t + "</rss>";
}

void pior_caso_no_limite(benchmark::State& estado) {
    static const std::string texto = pior_no_limite();
    ler(estado, texto, resultado_da_carga::atributos_demais_no_documento);
}

// O limite de bytes de comentários vazios: a leitura para no limite dos outros nós.
void comentarios_no_limite(benchmark::State& estado) {
    std::string t = "<rss>";
    while (t.size() + 7 + 6 < limite_de_bytes_de_um_arquivo) t += "<!---->";
    ler(estado, t + "</rss>", resultado_da_carga::outros_nos_demais);
}

// O maior projeto com o que falta até o limite de bytes logo depois de <rss>, antes de todos os
// elementos que a abertura procura: comentários de letras acentuadas (um byte cada em Latin-1,
// dois no texto decodificado), tantos quantos o limite dos outros nós deixa, com uma quebra de
// linha depois de cada um; ou as cinco entidades predefinidas, num texto só.
std::string projeto_no_limite(long long caso) {
    const std::string& projeto = o_maior_projeto();
    const std::size_t falta = limite_de_bytes_de_um_arquivo - projeto.size();
    std::string enchimento;
    if (caso == 0) {
        const std::size_t comentarios = limite_de_outros_nos_de_um_documento - 1;  // e a instrução da folha de estilo
        const std::string comentario = "<!--" + std::string(falta / comentarios - 8, '\xE9') + "-->\n";
        for (std::size_t i = 0; i < comentarios; ++i) enchimento += comentario;
    } else {
        const std::string entidades = "&amp;&lt;&gt;&quot;&apos;";
        while (enchimento.size() + entidades.size() <= falta) enchimento += entidades;
    }
    enchimento.resize(falta, ' ');
    std::string t = projeto;
    return t.insert(t.find("<rss>") + 5, enchimento);
}

void abertura_no_limite(benchmark::State& estado) {
    servicos_de_teste s;
    const teste::pasta_temporaria pasta;
    const std::string caminho = pasta.arquivo("no_limite.xml");
    const std::string texto = projeto_no_limite(estado.range(0));
    teste::escrever(caminho, texto);
    for (auto _ : estado) {
        const auto c = std::make_unique<contexto_da_rede>();
        const resultado_do_arquivo r = abrir_projeto(*c, caminho);
        if (texto.size() != limite_de_bytes_de_um_arquivo || !r.feito()) {
            estado.SkipWithError(("não abriu: " + r.texto.substr(0, 200)).c_str());
            break;
        }
    }
    estado.SetBytesProcessed(static_cast<long long>(texto.size()) * static_cast<long long>(estado.iterations()));
}

}  // namespace

BENCHMARK(desvios)
    ->ArgsProduct({{0, 1, 2, 3}, {1, static_cast<long long>(limite_de_bytes_de_um_arquivo >> 20)}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(pior_caso_no_limite)->Unit(benchmark::kMillisecond);
BENCHMARK(comentarios_no_limite)->Unit(benchmark::kMillisecond);
BENCHMARK(outros_no_limite)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(abertura_no_limite)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(atributos)
    ->Arg(limite_de_atributos_de_um_elemento)
    ->Arg(limite_de_atributos_de_um_elemento + 1)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(atributos_em_utf16)
    ->Arg(limite_de_atributos_de_um_elemento)
    ->Arg(limite_de_atributos_de_um_elemento + 1)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(sem_conferencia)
    ->Arg(limite_de_atributos_de_um_elemento)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(espacos_de_nomes)->Arg(limite_de_espacos_de_nomes_de_um_documento)->Arg(9700)->Unit(benchmark::kMillisecond);
BENCHMARK(elementos_no_limite)->Unit(benchmark::kMillisecond);
BENCHMARK(projeto)->Unit(benchmark::kMillisecond);
BENCHMARK(projeto_sem_conferencia)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
