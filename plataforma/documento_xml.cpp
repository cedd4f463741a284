#include "plataforma/documento_xml.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlstring.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <new>
#include <optional>

#include "plataforma/falha.h"
#include "plataforma/numeros.h"

namespace orvel {

namespace {

// Sem rede, sem substituir entidades, sem DTD externa (e um DOCTYPE para a leitura); os erros
// de leitura não vão para a saída de erro (quem carrega recebe o resultado).
constexpr int opcoes_de_leitura = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

constexpr const char* codificacao_do_arquivo = "ISO-8859-1";

const xmlChar* x(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

[[noreturn]] void chamada_invalida() { falhar(tipo_de_falha::chamada_invalida); }

[[noreturn]] void erro_de_arquivo() { falhar(tipo_de_falha::erro_de_arquivo); }

std::string nome_qualificado(const xmlNode* no) {
    std::string nome = no->name ? reinterpret_cast<const char*>(no->name) : "";
    if (no->type == XML_ELEMENT_NODE && no->ns && no->ns->prefix)
        nome = reinterpret_cast<const char*>(no->ns->prefix) + (":" + nome);
    return nome;
}

// O mesmo que nome_qualificado(no) == nome, sem montar o texto (as buscas são muitas).
bool tem_nome(const xmlNode* no, std::string_view nome) {
    const std::string_view local = no->name ? reinterpret_cast<const char*>(no->name) : "";
    if (!(no->ns && no->ns->prefix)) return local == nome;
    const std::string_view prefixo = reinterpret_cast<const char*>(no->ns->prefix);
    return nome.size() == prefixo.size() + 1 + local.size() && nome.starts_with(prefixo) &&
           nome[prefixo.size()] == ':' && nome.ends_with(local);
}

bool utf8_valido(const std::string& s) {
    return s.find('\0') == std::string::npos && xmlCheckUTF8(x(s)) != 0;
}

struct fechar_descritor {
    int fd;
    ~fechar_descritor() {
        if (fd >= 0) ::close(fd);
    }
};

// A falha que um teste mandou simular (falha_simulada_da_gravacao); 0 é nenhuma.
chamada_da_gravacao chamada_simulada = chamada_da_gravacao::permissao_do_arquivo;
int erro_simulado = 0;

// Verdadeiro quando um teste mandou esta chamada falhar: errno fica com o erro pedido.
bool falha_simulada(chamada_da_gravacao chamada) noexcept {
    if (erro_simulado == 0 || chamada != chamada_simulada) return false;
    errno = erro_simulado;
    return true;
}

bool escrever_tudo(int fd, const char* dados, std::size_t tamanho) {
    while (tamanho > 0) {
        const ssize_t n = falha_simulada(chamada_da_gravacao::escrever) ? -1 : ::write(fd, dados, tamanho);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;  // nada escrito e nenhum motivo: o disco não aceitou
        if (n <= 0) return false;
        dados += n;
        tamanho -= static_cast<std::size_t>(n);
    }
    return true;
}

// O motivo de uma recusa do sistema, como o usuário o lê. sem_permissao_em é o que a
// permissão negada protege: a pasta, onde o temporário nasce, ou o arquivo que seria trocado.
std::string motivo_da_recusa(int erro, const std::string& pasta, const std::string& sem_permissao_em) {
    switch (erro) {
        case ENOSPC: return "o disco está cheio";
        case EDQUOT: return "a cota de disco acabou";
        case EACCES:
        case EPERM:
        case EROFS: return "sem permissão para gravar em " + sem_permissao_em;
        case EIO: return "erro de entrada e saída";
        case ENOENT:
        case ENOTDIR: return "a pasta " + pasta + " não existe";
        case EFBIG: return "o arquivo passaria do tamanho que o sistema permite";
        default: return "o sistema recusou a gravação (erro " + texto_de_inteiro(erro) + ")";
    }
}

[[noreturn]] void nao_gravou(const std::string& caminho, const std::string& motivo) {
    falhar(tipo_de_falha::erro_de_arquivo,
           descricao_padrao(tipo_de_falha::erro_de_arquivo) + "\nNão foi possível gravar " + caminho + ": " + motivo + ".");
}

// Grava os bytes num arquivo novo da pasta do destino e o renomeia sobre ele: o destino ou
// fica como estava ou passa a ter o conteúdo inteiro. Depois da troca nada mais falha: volta
// o aviso de uma pasta que não chegou ao disco, ou "".
std::string gravar_substituindo(const std::string& caminho, const char* dados, std::size_t tamanho) {
    std::string destino = caminho;
    struct stat st {};
    if (::lstat(destino.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(destino.c_str(), nullptr)) {
            destino = real;
            ::free(real);
        }
    }
    if (destino.empty()) nao_gravou(caminho, "o caminho está vazio");
    const auto barra = destino.find_last_of('/');
    const std::string pasta = barra == std::string::npos ? "." : barra == 0 ? "/" : destino.substr(0, barra);

    const bool existe = ::stat(destino.c_str(), &st) == 0;
    if (existe && !S_ISREG(st.st_mode)) nao_gravou(caminho, "não é um arquivo comum");
    // O rename passaria por cima de um arquivo só de leitura; ele tem de recusar a gravação.
    if (existe && (falha_simulada(chamada_da_gravacao::permissao_do_arquivo) || ::access(destino.c_str(), W_OK) != 0))
        nao_gravou(caminho, motivo_da_recusa(errno, pasta, destino));

    static unsigned contador = 0;
    std::string temporario;
    int fd = -1;
    for (int tentativa = 0; fd < 0; ++tentativa) {
        temporario = pasta + "/.orvel_" + texto_de_inteiro(::getpid()) + "_" + texto_de_inteiro(++contador) + ".tmp";
        // No lugar de um arquivo que existe, o temporário nasce só do dono e recebe as
        // permissões do antigo antes de ter conteúdo: um projeto privado nunca fica à vista,
        // nem enquanto é gravado. Um arquivo novo nasce como a máscara do processo manda.
        fd = falha_simulada(chamada_da_gravacao::criar_temporario)
                 ? -1
                 : ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existe ? 0600 : 0666);
        if (fd < 0 && (errno != EEXIST || tentativa >= 100)) nao_gravou(caminho, motivo_da_recusa(errno, pasta, pasta));
    }
    fechar_descritor aberto{fd};
    // Numa recusa o temporário sai e o destino fica como estava.
    const auto desistir = [&](int erro, const std::string& sem_permissao_em) {
        ::unlink(temporario.c_str());
        nao_gravou(caminho, motivo_da_recusa(erro, pasta, sem_permissao_em));
    };
    if (existe && ::fchmod(fd, st.st_mode & 07777) != 0) desistir(errno, destino);
    if (!escrever_tudo(fd, dados, tamanho)) desistir(errno, pasta);
    if (falha_simulada(chamada_da_gravacao::sincronizar) || ::fsync(fd) != 0) desistir(errno, pasta);
    aberto.fd = -1;
    if (::close(fd) != 0 || falha_simulada(chamada_da_gravacao::fechar)) desistir(errno, pasta);
    if (falha_simulada(chamada_da_gravacao::renomear) || ::rename(temporario.c_str(), destino.c_str()) != 0)
        desistir(errno, destino);

    // O arquivo já é o novo. O nome novo também tem de chegar ao disco: sem isto, uma queda de
    // energia logo depois do salvamento pode deixar a pasta apontando para o arquivo antigo (ou
    // para nenhum). Uma pasta que só aceita escrita não se deixa abrir para isso: fica como está.
    const int pasta_fd = falha_simulada(chamada_da_gravacao::abrir_pasta)
                             ? -1
                             : ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (pasta_fd < 0) return {};
    fechar_descritor fechar_pasta{pasta_fd};
    if (falha_simulada(chamada_da_gravacao::sincronizar_pasta) || (::fsync(pasta_fd) != 0 && errno != EINVAL)) {
        const int erro = errno;
        try {
            return "o projeto foi gravado em " + caminho + ", mas a pasta " + pasta +
                   " não pôde ser sincronizada com o disco (" + motivo_da_recusa(erro, pasta, pasta) +
                   "): se faltar energia logo agora, a gravação pode se perder";
        } catch (...) {
            // Sem memória nem para o aviso: a gravação vale assim mesmo.
        }
    }
    return {};
}

// --- O texto que a leitura vê -------------------------------------------------------------
//
// O arquivo é decodificado uma vez, aqui, para UTF-8, e é esse texto que a contagem das marcas
// percorre e que a libxml2 lê, com a codificação fixada: ela não troca de conversor por causa
// da declaração nem de um byte inválido. Um projeto está numa destas codificações: ISO-8859-1
// (a que o programa grava), UTF-8 (também sem declaração), US-ASCII, windows-1252 e
// ISO-8859-15, ou UTF-16 com a marca de ordem dos bytes. Outra codificação declarada é
// recusada pelo nome, e um byte que não vale na codificação do arquivo também: nada passa por
// um conversor que a leitura leria de outro jeito. Os nomes valem em qualquer caixa.

enum class codificacao_lida { utf8, latin1, ascii, windows_1252, latin9 };

char minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool mesmo_nome(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) { return minuscula(p) == minuscula(q); });
}

bool algum_nome(std::string_view nome, std::initializer_list<std::string_view> nomes) {
    return std::any_of(nomes.begin(), nomes.end(), [&](std::string_view n) { return mesmo_nome(nome, n); });
}

// A codificação de um texto de 8 bits pelo nome declarado ("" é UTF-8); nenhuma quando o
// programa não a lê.
std::optional<codificacao_lida> codificacao_de_8_bits(std::string_view nome) {
    if (nome.empty() || algum_nome(nome, {"UTF-8", "UTF8"})) return codificacao_lida::utf8;
    if (algum_nome(nome, {"ISO-8859-1", "ISO_8859-1", "ISO8859-1", "LATIN1"})) return codificacao_lida::latin1;
    if (algum_nome(nome, {"US-ASCII", "ASCII"})) return codificacao_lida::ascii;
    if (algum_nome(nome, {"windows-1252", "CP1252"})) return codificacao_lida::windows_1252;
    if (algum_nome(nome, {"ISO-8859-15", "ISO_8859-15", "ISO8859-15", "LATIN9"})) return codificacao_lida::latin9;
    return std::nullopt;
}

// O nome com que um byte inválido num texto de 8 bits é dito.
const char* nome_da_codificacao(codificacao_lida c) {
    switch (c) {
        case codificacao_lida::utf8: return "UTF-8";
        case codificacao_lida::latin1: return "ISO-8859-1";
        case codificacao_lida::ascii: return "US-ASCII";
        case codificacao_lida::windows_1252: return "windows-1252";
        case codificacao_lida::latin9: return "ISO-8859-15";
    }
    return "";
}

// Os nomes do UTF-16 que um texto com a marca de ordem dos bytes pode declarar: a ordem é
// sempre a da marca (foi por ela que a declaração foi lida).
bool nome_de_utf16(std::string_view nome) { return algum_nome(nome, {"UTF-16", "UTF-16LE", "UTF-16BE", "UCS-2"}); }

// Os bytes 0x80 a 0x9F no windows-1252 (0: o byte não tem caractere); de 0xA0 em diante, os
// do Latin-1.
constexpr char16_t windows_1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// O caractere de um byte de 0x80 a 0xFF num texto de 8 bits; 0 quando a codificação não tem
// um para ele.
char32_t de_um_byte(codificacao_lida c, unsigned char b) {
    switch (c) {
        case codificacao_lida::utf8:
        case codificacao_lida::ascii: return 0;
        case codificacao_lida::latin1: return b;
        case codificacao_lida::windows_1252: return b < 0xA0 ? windows_1252[b - 0x80] : b;
        case codificacao_lida::latin9:
            // O euro e as sete letras que o ISO-8859-15 põe no lugar de sinais do Latin-1.
            switch (b) {
                case 0xA4: return 0x20AC;
                case 0xA6: return 0x0160;
                case 0xA8: return 0x0161;
                case 0xB4: return 0x017D;
                case 0xB8: return 0x017E;
                case 0xBC: return 0x0152;
                case 0xBD: return 0x0153;
                case 0xBE: return 0x0178;
                default: return b;
            }
    }
    return 0;
}

void acrescentar_utf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 sem formas longas, sem metades de par substituto e sem nada acima de U+10FFFF.
bool utf8_estrito(std::string_view t) {
    const auto b = [&](std::size_t k) { return k < t.size() ? static_cast<unsigned char>(t[k]) : 0u; };
    const auto seguinte = [&](std::size_t k) { return (b(k) & 0xC0u) == 0x80u; };
    for (std::size_t i = 0; i < t.size();) {
        const unsigned c = b(i);
        const unsigned c1 = b(i + 1);
        if (c < 0x80) {
            i += 1;
        } else if (c >= 0xC2 && c <= 0xDF && seguinte(i + 1)) {
            i += 2;
        } else if (c >= 0xE0 && c <= 0xEF && seguinte(i + 1) && seguinte(i + 2) && !(c == 0xE0 && c1 < 0xA0) &&
                   !(c == 0xED && c1 > 0x9F)) {
            i += 3;
        } else if (c >= 0xF0 && c <= 0xF4 && seguinte(i + 1) && seguinte(i + 2) && seguinte(i + 3) &&
                   !(c == 0xF0 && c1 < 0x90) && !(c == 0xF4 && c1 > 0x8F)) {
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

// A declaração <?xml ...?> do começo do texto: válida (também quando não há) e a codificação
// declarada, que tem de ser um nome de codificação do XML.
struct declaracao_xml {
    bool valida = true;
    std::string codificacao;
};

bool nome_de_codificacao(std::string_view nome) {
    const auto letra = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return !nome.empty() && letra(nome[0]) && std::all_of(nome.begin() + 1, nome.end(), [&](char c) {
        return letra(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

declaracao_xml ler_declaracao(std::string_view t) {
    std::size_t i = t.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    auto espaco = [&](std::size_t k) {
        return k < t.size() && (t[k] == ' ' || t[k] == '\t' || t[k] == '\r' || t[k] == '\n');
    };
    if (!t.substr(i).starts_with("<?xml") || !espaco(i + 5)) return {};
    i += 5;
    auto brancos = [&] {
        const std::size_t antes = i;
        while (espaco(i)) ++i;
        return i > antes;
    };
    // nome = "valor" (ou 'valor'); o valor em valor.
    auto pseudo_atributo = [&](std::string_view nome, std::string& valor) {
        if (!t.substr(i).starts_with(nome)) return false;
        i += nome.size();
        brancos();
        if (i >= t.size() || t[i] != '=') return false;
        ++i;
        brancos();
        if (i >= t.size() || (t[i] != '"' && t[i] != '\'')) return false;
        const auto fim = t.find(t[i], i + 1);
        if (fim == std::string_view::npos) return false;
        valor = std::string(t.substr(i + 1, fim - i - 1));
        i = fim + 1;
        return true;
    };
    declaracao_xml d;
    std::string valor;
    brancos();
    d.valida = pseudo_atributo("version", valor);
    bool separado = brancos();
    if (d.valida && separado && t.substr(i).starts_with("encoding")) {
        d.valida = pseudo_atributo("encoding", d.codificacao) && nome_de_codificacao(d.codificacao);
        separado = brancos();
    }
    // A leitura aceita standalone mesmo sem espaço antes dele.
    if (d.valida && (separado || !d.codificacao.empty()) && t.substr(i).starts_with("standalone")) {
        d.valida = pseudo_atributo("standalone", valor);
        brancos();
    }
    d.valida = d.valida && t.substr(i).starts_with("?>");
    return d;
}

// UTF-16 com a marca de ordem dos bytes, passado para UTF-8 (sem a marca).
resultado_da_carga de_utf16(std::string_view bytes, std::string& texto) {
    const bool little_endian = bytes.starts_with("\xFF\xFE");
    if (bytes.size() % 2 != 0) return resultado_da_carga::bytes_invalidos;
    const auto unidade = [&](std::size_t k) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[k]), b1 = static_cast<unsigned char>(bytes[k + 1]);
        return little_endian ? char32_t(b0 | (b1 << 8)) : char32_t((b0 << 8) | b1);
    };
    texto.reserve(bytes.size());
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        char32_t c = unidade(i);
        if (c >= 0xDC00 && c <= 0xDFFF) return resultado_da_carga::bytes_invalidos;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return resultado_da_carga::bytes_invalidos;
            const char32_t baixa = unidade(i + 2);
            if (baixa < 0xDC00 || baixa > 0xDFFF) return resultado_da_carga::bytes_invalidos;
            c = 0x10000 + ((c - 0xD800) << 10) + (baixa - 0xDC00);
            i += 2;
        }
        acrescentar_utf8(texto, c);
    }
    return resultado_da_carga::carregado;
}

// Um texto em UTF-16 sem a marca de ordem dos bytes: os quatro primeiros bytes são dois
// caracteres ASCII com um byte zero ao lado de cada um (nenhum arquivo de 8 bits tem um byte
// zero, que o XML não admite).
bool utf16_sem_marca(std::string_view bytes) {
    if (bytes.size() < 4) return false;
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const auto ascii = [](unsigned c) { return c != 0 && c < 0x80; };
    return (ascii(b(0)) && b(1) == 0 && ascii(b(2)) && b(3) == 0) || (b(0) == 0 && ascii(b(1)) && b(2) == 0 && ascii(b(3)));
}

// O texto que a contagem e a leitura veem, em UTF-8; codificacao é a do arquivo (numa recusa
// por codificação, o nome declarado).
resultado_da_carga decodificar(std::string_view bytes, std::string& texto, std::string& codificacao) {
    texto.clear();
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        codificacao = "UTF-16";
        if (const auto r = de_utf16(bytes, texto); r != resultado_da_carga::carregado) return r;
        const declaracao_xml d = ler_declaracao(texto);
        if (!d.valida) return resultado_da_carga::mal_formado;
        if (d.codificacao.empty() || nome_de_utf16(d.codificacao)) return resultado_da_carga::carregado;
        codificacao = d.codificacao;
        // Uma codificação de 8 bits declarada num texto em UTF-16 não é a do arquivo.
        return codificacao_de_8_bits(d.codificacao) ? resultado_da_carga::mal_formado
                                                    : resultado_da_carga::codificacao_nao_lida;
    }
    if (utf16_sem_marca(bytes)) {
        codificacao = "UTF-16 sem a marca de ordem dos bytes";
        return resultado_da_carga::codificacao_nao_lida;
    }
    const declaracao_xml d = ler_declaracao(bytes);
    if (!d.valida) return resultado_da_carga::mal_formado;
    const auto lida = codificacao_de_8_bits(d.codificacao);
    if (!lida) {
        codificacao = d.codificacao;
        return nome_de_utf16(d.codificacao) ? resultado_da_carga::mal_formado : resultado_da_carga::codificacao_nao_lida;
    }
    const bool marca_utf8 = bytes.starts_with("\xEF\xBB\xBF");
    const std::string_view corpo = bytes.substr(marca_utf8 ? 3 : 0);
    // Com a marca do UTF-8, o texto é UTF-8, mesmo que declare uma codificação de 8 bits: é o
    // que um editor deixa quando grava em UTF-8 um projeto que declarava ISO-8859-1.
    if (*lida == codificacao_lida::utf8 || marca_utf8) {
        if (utf8_estrito(corpo)) {
            texto.assign(corpo);
            return resultado_da_carga::carregado;
        }
        if (*lida == codificacao_lida::utf8) {
            codificacao = "UTF-8";
            return resultado_da_carga::bytes_invalidos;
        }
        codificacao = d.codificacao;
        return resultado_da_carga::marca_utf8_com_outra_declaracao;
    }
    codificacao = nome_da_codificacao(*lida);
    texto.reserve(corpo.size() + corpo.size() / 8);
    for (const char c : corpo) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t caractere = b < 0x80 ? b : de_um_byte(*lida, b);
        if (b >= 0x80 && caractere == 0) return resultado_da_carga::bytes_invalidos;
        acrescentar_utf8(texto, caractere);
    }
    return resultado_da_carga::carregado;
}

// --- Contagem das marcas, antes da leitura -----------------------------------------------

// Se o texto (UTF-8) começa com um caractere que pode começar um nome em XML.
bool comeca_nome(std::string_view t) {
    if (t.empty()) return false;
    const auto b = [&](std::size_t k) { return k < t.size() ? static_cast<unsigned char>(t[k]) : 0u; };
    char32_t c = b(0);
    if (c >= 0xC0 && c <= 0xDF) {
        c = ((c & 0x1Fu) << 6) | (b(1) & 0x3Fu);
    } else if (c >= 0xE0 && c <= 0xEF) {
        c = ((c & 0x0Fu) << 12) | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
    } else if (c >= 0xF0) {
        c = ((c & 0x07u) << 18) | ((b(1) & 0x3Fu) << 12) | ((b(2) & 0x3Fu) << 6) | (b(3) & 0x3Fu);
    }
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

// Percorre o texto decodificado (UTF-8 válido) de marca em marca e conta os atributos de cada
// marca de início; para na primeira que passa do limite (e também conta as declarações de
// espaço de nomes do texto todo). Comentários, instruções e seções CDATA são pulados inteiros,
// como a leitura os pula. O que esta passada não sabe ler com certeza (um "<" dentro do valor
// de um atributo, um atributo sem "=" ou sem aspas, uma marca de fim com algo além do nome, um
// caractere que o XML não admite) nunca está num documento bem formado: ela o recusa ali. Um
// texto que acaba no meio de uma marca fica para a leitura, que o recusa sem nada depois dele.
// A leitura, por sua vez, para no primeiro erro: nunca monta nada depois de um trecho que esta
// passada poderia ter lido de outro jeito. Com marcas, cada marca de início contada vai para lá.
resultado_da_carga contar_marcas(std::string_view t, std::vector<marca_de_inicio>* marcas) {
    constexpr auto nada = std::string_view::npos;
    const std::size_t n = t.size();
    for (std::size_t k = 0; k < n; ++k) {
        const auto c = static_cast<unsigned char>(t[k]);
        // Controles (fora tabulação e quebras de linha), U+FFFE e U+FFFF.
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') ||
            (c == 0xEF && k + 2 < n && static_cast<unsigned char>(t[k + 1]) == 0xBF &&
             (static_cast<unsigned char>(t[k + 2]) == 0xBE || static_cast<unsigned char>(t[k + 2]) == 0xBF)))
            return resultado_da_carga::mal_formado;
    }
    auto espaco = [&](std::size_t k) { return k < n && (t[k] == ' ' || t[k] == '\t' || t[k] == '\r' || t[k] == '\n'); };
    // Um caractere que pode estar num nome de elemento ou de atributo (a leitura confere o resto).
    auto de_nome = [&](std::size_t k) {
        return k < n && !espaco(k) && t[k] != '>' && t[k] != '/' && t[k] != '<' && t[k] != '=' && t[k] != '"' &&
               t[k] != '\'';
    };
    auto depois_de = [&](std::size_t de, std::string_view fim) {
        const auto p = t.find(fim, de);
        return p == nada ? n : p + fim.size();
    };
    bool antes_da_raiz = true;
    int declaracoes_de_espaco_de_nomes = 0;
    std::size_t i = 0;
    while ((i = t.find('<', i)) != nada) {
        const std::string_view marca = t.substr(i);
        if (marca.starts_with("<!--")) {
            i = depois_de(i + 4, "-->");
        } else if (marca.starts_with("<?")) {
            // Sem um nome logo depois do "<?", não é instrução: a leitura para ali, e esta
            // passada segue de marca em marca.
            i = comeca_nome(t.substr(i + 2)) ? depois_de(i + 2, "?>") : i + 2;
        } else if (marca.starts_with("<![CDATA[")) {
            i = depois_de(i + 9, "]]>");
        } else if (marca.starts_with("<!DOCTYPE") && antes_da_raiz) {
            return resultado_da_carga::com_doctype;
        } else if (marca.starts_with("<!")) {
            return resultado_da_carga::mal_formado;
        } else if (marca.starts_with("</")) {
            i += 2;
            const std::size_t nome = i;
            while (de_nome(i)) ++i;
            while (espaco(i)) ++i;
            if (i >= n) return resultado_da_carga::carregado;
            if (i == nome || t[i] != '>') return resultado_da_carga::mal_formado;
            ++i;
        } else {
            antes_da_raiz = false;
            const std::size_t nome = ++i;
            while (de_nome(i)) ++i;
            if (i >= n) return resultado_da_carga::carregado;
            if (i == nome) return resultado_da_carga::mal_formado;
            marca_de_inicio contada;
            for (;; ++contada.atributos) {
                if (contada.atributos > limite_de_atributos_de_um_elemento) return resultado_da_carga::atributos_demais;
                const std::size_t antes = i;
                while (espaco(i)) ++i;
                if (i + 1 >= n) return resultado_da_carga::carregado;
                if (t[i] == '>' || (t[i] == '/' && t[i + 1] == '>')) break;
                const std::size_t atributo = i;
                while (de_nome(i)) ++i;
                // Cada atributo vem depois de um espaço e tem nome.
                if (atributo == antes || i == atributo) return resultado_da_carga::mal_formado;
                const std::string_view nome_do_atributo = t.substr(atributo, i - atributo);
                if (nome_do_atributo == "xmlns" || nome_do_atributo.starts_with("xmlns:")) {
                    ++contada.espacos_de_nomes;
                    if (++declaracoes_de_espaco_de_nomes > limite_de_espacos_de_nomes_de_um_documento)
                        return resultado_da_carga::espacos_de_nomes_demais;
                }
                while (espaco(i)) ++i;
                if (i < n && t[i] != '=') return resultado_da_carga::mal_formado;
                ++i;
                while (espaco(i)) ++i;
                if (i >= n) return resultado_da_carga::carregado;
                if (t[i] != '"' && t[i] != '\'') return resultado_da_carga::mal_formado;
                const auto fim = t.find_first_of(t[i] == '"' ? "\"<" : "'<", i + 1);
                if (fim == nada) return resultado_da_carga::carregado;
                if (t[fim] == '<') return resultado_da_carga::mal_formado;
                i = fim + 1;
            }
            if (marcas) marcas->push_back(contada);
        }
    }
    return resultado_da_carga::carregado;
}

// --- Leitura ---------------------------------------------------------------------------

// O que a leitura de um documento acompanha: o motivo de uma recusa (e o prefixo de um erro de
// espaço de nomes), as contagens de elementos (ao todo e os filhos do elemento aberto em cada
// profundidade) e, quando pedido, as marcas de início montadas. Por baixo de cada contagem, o
// tratador que as opções da leitura deixaram à libxml2 (nulo quando ela não tem um).
struct acompanhamento_da_leitura {
    resultado_da_carga& recusa;
    std::string* detalhe = nullptr;
    std::vector<marca_de_inicio>* montadas = nullptr;
    int elementos = 0;
    int atributos = 0;
    int outros_nos = 0;
    std::vector<int> filhos;
    startElementNsSAX2Func abrir_elemento = nullptr;
    commentSAXFunc comentario = nullptr;
    processingInstructionSAXFunc instrucao = nullptr;
    cdataBlockSAXFunc cdata = nullptr;
    charactersSAXFunc caracteres = nullptr;
};

acompanhamento_da_leitura& acompanhamento(void* contexto) {
    return *static_cast<acompanhamento_da_leitura*>(static_cast<xmlParserCtxtPtr>(contexto)->_private);
}

void parar(void* contexto, resultado_da_carga motivo) {
    acompanhamento_da_leitura& a = acompanhamento(contexto);
    if (a.recusa == resultado_da_carga::carregado) a.recusa = motivo;
    xmlStopParser(static_cast<xmlParserCtxtPtr>(contexto));
}

// Chamada no começo de um DOCTYPE, antes do subconjunto interno: marca e para a leitura ali,
// sem ler declaração alguma.
void parar_no_doctype(void* contexto, const xmlChar*, const xmlChar*, const xmlChar*) {
    parar(contexto, resultado_da_carga::com_doctype);
}

// A leitura para no primeiro erro (os avisos seguem): nada do que vem depois dele é lido nem
// montado. Um erro de espaço de nomes (um prefixo sem declaração, uma declaração vazia) não
// deixa o documento "mal formado" para a libxml2, mas o deixa sem o sentido que tem: é recusado.
void parar_no_erro(void* contexto, xmlError* erro) {
    if (erro == nullptr || erro->level < XML_ERR_ERROR) return;
    if (erro->domain == XML_FROM_NAMESPACE) {
        acompanhamento_da_leitura& a = acompanhamento(contexto);
        if (a.recusa == resultado_da_carga::carregado && a.detalhe != nullptr)
            *a.detalhe = erro->code == XML_NS_ERR_UNDEFINED_NAMESPACE && erro->str1 != nullptr ? erro->str1 : "";
        parar(contexto, resultado_da_carga::espacos_de_nomes_mal_formados);
        return;
    }
    parar(contexto, resultado_da_carga::mal_formado);
}

// Conta cada elemento antes de guardá-lo; o que passa dos limites para a leitura ali.
void contar_elemento(void* contexto, const xmlChar* nome, const xmlChar* prefixo, const xmlChar* uri, int quant_ns,
                     const xmlChar** ns, int quant_atributos, int quant_padrao, const xmlChar** atributos) {
    auto* leitor = static_cast<xmlParserCtxtPtr>(contexto);
    acompanhamento_da_leitura& a = acompanhamento(contexto);
    if (a.montadas) a.montadas->push_back({quant_atributos + quant_ns, quant_ns});
    // Os elementos abertos são os ancestrais deste: a sua quantidade é a profundidade do pai.
    const auto pai = static_cast<std::size_t>(std::max(leitor->nodeNr, 0));
    if (a.filhos.size() < pai + 2) a.filhos.resize(pai + 2, 0);
    if (++a.elementos > limite_de_elementos_de_um_documento || ++a.filhos[pai] > limite_de_filhos_de_um_elemento) {
        parar(contexto, resultado_da_carga::elementos_demais);
        return;
    }
    if (pai >= static_cast<std::size_t>(limite_de_profundidade_de_um_documento)) {
        parar(contexto, resultado_da_carga::profundo_demais);
        return;
    }
    a.atributos += quant_atributos + quant_ns;
    if (a.atributos > limite_de_atributos_de_um_documento) {
        parar(contexto, resultado_da_carga::atributos_demais_no_documento);
        return;
    }
    a.filhos[pai + 1] = 0;
    if (a.abrir_elemento) a.abrir_elemento(contexto, nome, prefixo, uri, quant_ns, ns, quant_atributos, quant_padrao, atributos);
}

// Comentários, instruções e seções CDATA: contados antes de guardados, como os elementos.
bool mais_um_no(void* contexto) {
    if (++acompanhamento(contexto).outros_nos <= limite_de_outros_nos_de_um_documento) return true;
    parar(contexto, resultado_da_carga::outros_nos_demais);
    return false;
}

void contar_comentario(void* contexto, const xmlChar* texto) {
    const acompanhamento_da_leitura& a = acompanhamento(contexto);
    if (mais_um_no(contexto) && a.comentario) a.comentario(contexto, texto);
}

void contar_instrucao(void* contexto, const xmlChar* alvo, const xmlChar* dados) {
    const acompanhamento_da_leitura& a = acompanhamento(contexto);
    if (mais_um_no(contexto) && a.instrucao) a.instrucao(contexto, alvo, dados);
}

// Com XML_PARSE_NOCDATA não há tratador de CDATA, e a libxml2 passaria a seção ao de texto:
// ela vai para lá, depois de contada como com as outras opções.
void contar_cdata(void* contexto, const xmlChar* texto, int tamanho) {
    const acompanhamento_da_leitura& a = acompanhamento(contexto);
    if (!mais_um_no(contexto)) return;
    if (a.cdata) {
        a.cdata(contexto, texto, tamanho);
    } else if (a.caracteres) {
        a.caracteres(contexto, texto, tamanho);
    }
}

struct liberar_xml {
    void operator()(xmlChar* p) const { xmlFree(p); }
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

}  // namespace

const int opcoes_de_leitura_de_um_arquivo = opcoes_de_leitura;

leitura_de_arquivo ler_arquivo_comum(const std::string& caminho, std::string& bytes) {
    struct stat st {};
    // Olha antes de abrir: abrir uma FIFO ou um dispositivo pode esperar ou ter efeitos.
    if (::stat(caminho.c_str(), &st) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? leitura_de_arquivo::inexistente : leitura_de_arquivo::ilegivel;
    if (!S_ISREG(st.st_mode)) return leitura_de_arquivo::ilegivel;
    // Sem esperar, mesmo que o caminho tenha sido trocado entre o stat e o open.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? leitura_de_arquivo::inexistente : leitura_de_arquivo::ilegivel;
    fechar_descritor fechar{fd};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return leitura_de_arquivo::ilegivel;
    if (static_cast<std::uintmax_t>(st.st_size) > limite_de_bytes_de_um_arquivo) return leitura_de_arquivo::grande_demais;
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char bloco[65536];
    for (;;) {
        const ssize_t n = ::read(fd, bloco, sizeof bloco);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return leitura_de_arquivo::ilegivel;
        if (n == 0) return leitura_de_arquivo::lido;
        // Um arquivo que cresce depois do fstat também para no limite.
        if (bytes.size() + static_cast<std::size_t>(n) > limite_de_bytes_de_um_arquivo)
            return leitura_de_arquivo::grande_demais;
        bytes.append(bloco, static_cast<std::size_t>(n));
    }
}

namespace {

// A leitura de ler_xml_sem_doctype. Com dono_dos_bytes (de quem são os bytes), eles saem da
// memória logo depois de decodificados; o texto decodificado sai logo depois de copiado para a
// libxml2: o pico de uma leitura tem, além da árvore, uma cópia só do arquivo.
xmlDoc* ler_sem_doctype(std::string_view bytes, std::string* dono_dos_bytes, const char* url, int opcoes,
                        resultado_da_carga& resultado, std::string* detalhe, marcas_da_leitura* marcas) {
    std::string nada;
    std::string& detalhe_da_recusa = detalhe ? *detalhe : nada;
    detalhe_da_recusa.clear();
    resultado = resultado_da_carga::mal_formado;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX) || bytes.empty()) return nullptr;  // vazio não é XML
    std::string texto;
    resultado = decodificar(bytes, texto, detalhe_da_recusa);
    if (dono_dos_bytes) std::string().swap(*dono_dos_bytes);
    if (resultado != resultado_da_carga::carregado) return nullptr;
    detalhe_da_recusa.clear();
    if (texto.size() > static_cast<std::size_t>(INT_MAX) || texto.empty()) {
        resultado = resultado_da_carga::mal_formado;
        return nullptr;
    }
    resultado = contar_marcas(texto, marcas ? &marcas->contadas : nullptr);
    if (resultado != resultado_da_carga::carregado) return nullptr;
    xmlParserCtxtPtr leitor = xmlCreateMemoryParserCtxt(texto.data(), static_cast<int>(texto.size()));
    if (leitor == nullptr) throw std::bad_alloc();
    // A libxml2 2.9 copia o texto para o seu buffer: o nosso já não serve. (Uma que o lesse onde
    // está o teria ainda em uso.)
    if (leitor->input && leitor->input->base != reinterpret_cast<const xmlChar*>(texto.data())) std::string().swap(texto);
    // O texto já está em UTF-8: nem a declaração nem os primeiros bytes trocam a codificação.
    // A contagem acompanha a leitura SAX2 (elementos com espaços de nomes, erros estruturados):
    // com XML_PARSE_SAX1 a libxml2 montaria os elementos sem passar por ela.
    xmlCtxtUseOptions(leitor, (opcoes & ~XML_PARSE_SAX1) | XML_PARSE_IGNORE_ENC);
    xmlSwitchEncoding(leitor, XML_CHAR_ENCODING_UTF8);
    acompanhamento_da_leitura a{resultado,
                                &detalhe_da_recusa,
                                marcas ? &marcas->montadas : nullptr,
                                0,
                                0,
                                0,
                                {},
                                leitor->sax->startElementNs,
                                leitor->sax->comment,
                                leitor->sax->processingInstruction,
                                leitor->sax->cdataBlock,
                                leitor->sax->characters};
    leitor->_private = &a;
    leitor->sax->internalSubset = parar_no_doctype;
    leitor->sax->startElementNs = contar_elemento;
    leitor->sax->comment = contar_comentario;
    leitor->sax->processingInstruction = contar_instrucao;
    leitor->sax->cdataBlock = contar_cdata;
    leitor->sax->serror = parar_no_erro;
    if (url != nullptr && leitor->input != nullptr && leitor->input->filename == nullptr)
        leitor->input->filename = reinterpret_cast<char*>(xmlStrdup(BAD_CAST url));
    xmlParseDocument(leitor);
    std::unique_ptr<xmlDoc, liberar_xml> doc(leitor->myDoc);
    leitor->myDoc = nullptr;
    const bool bem_formado = leitor->wellFormed != 0 && leitor->nsWellFormed != 0;
    xmlFreeParserCtxt(leitor);
    if (marcas) marcas->outros_nos = a.outros_nos;
    if (resultado != resultado_da_carga::carregado) return nullptr;
    if (!bem_formado) {
        resultado = resultado_da_carga::mal_formado;
        return nullptr;
    }
    return doc.release();
}

}  // namespace

xmlDoc* ler_xml_sem_doctype(std::string_view bytes, const char* url, int opcoes, resultado_da_carga& resultado,
                            std::string* detalhe, marcas_da_leitura* marcas) {
    return ler_sem_doctype(bytes, nullptr, url, opcoes, resultado, detalhe, marcas);
}

// ---------------------------------------------------------------------------------------

tipo_de_no_xml no_xml::tipo() const {
    if (!no_) falhar(tipo_de_falha::objeto_nao_definido);
    switch (no_->type) {
        case XML_DOCUMENT_NODE: return tipo_de_no_xml::documento;
        case XML_ELEMENT_NODE: return tipo_de_no_xml::elemento;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE: return tipo_de_no_xml::texto;
        case XML_PI_NODE: return tipo_de_no_xml::instrucao;
        case XML_COMMENT_NODE: return tipo_de_no_xml::comentario;
        default: return tipo_de_no_xml::outro;
    }
}

std::string no_xml::nome() const {
    if (!no_) falhar(tipo_de_falha::objeto_nao_definido);
    if (no_->type == XML_ELEMENT_NODE || no_->type == XML_PI_NODE) return nome_qualificado(no_);
    return "";
}

// ---------------------------------------------------------------------------------------

documento_de_xml::documento_de_xml() : doc_(xmlNewDoc(BAD_CAST "1.0")) {
    if (!doc_) throw std::bad_alloc();
}

documento_de_xml::~documento_de_xml() {
    liberar_soltos();
    xmlFreeDoc(doc_);
}

void documento_de_xml::liberar_soltos() noexcept {
    // Primeiro acha os que continuam fora da árvore; só depois libera (um solto pode estar
    // dentro de outro solto e ser liberado junto com ele).
    std::sort(soltos_.begin(), soltos_.end());
    soltos_.erase(std::unique(soltos_.begin(), soltos_.end()), soltos_.end());
    std::vector<xmlNode*> fora;
    for (xmlNode* n : soltos_)
        if (n->parent == nullptr) fora.push_back(n);
    for (xmlNode* n : fora) xmlFreeNode(n);
    soltos_.clear();
}

void documento_de_xml::soltar(xmlNode* no) {
    soltos_.push_back(no);
}

resultado_da_carga documento_de_xml::carregar(const std::string& caminho) {
    std::string bytes;
    resultado_da_carga resultado = resultado_da_carga::carregado;
    switch (ler_arquivo_comum(caminho, bytes)) {
        case leitura_de_arquivo::inexistente: resultado = resultado_da_carga::inexistente; break;
        case leitura_de_arquivo::ilegivel: resultado = resultado_da_carga::ilegivel; break;
        case leitura_de_arquivo::grande_demais: resultado = resultado_da_carga::grande_demais; break;
        case leitura_de_arquivo::lido: break;
    }
    std::unique_ptr<xmlDoc, liberar_xml> novo;
    std::string detalhe;
    if (resultado == resultado_da_carga::carregado)
        novo.reset(ler_sem_doctype(bytes, &bytes, caminho.c_str(), opcoes_de_leitura, resultado, &detalhe, nullptr));
    if (!novo) {
        novo.reset(xmlNewDoc(BAD_CAST "1.0"));
        if (!novo) throw std::bad_alloc();
    }
    liberar_soltos();
    xmlFreeDoc(doc_);
    doc_ = novo.release();
    detalhe_ = std::move(detalhe);
    return resultado;
}

resultado_da_carga documento_de_xml::salvar(const std::string& caminho, std::string* aviso) const {
    xmlChar* memoria = nullptr;
    int tamanho = 0;
    xmlDocDumpFormatMemoryEnc(doc_, &memoria, &tamanho, codificacao_do_arquivo, 0);
    std::unique_ptr<xmlChar, liberar_xml> texto(memoria);
    if (!texto || tamanho < 0) erro_de_arquivo();
    const char* dados = reinterpret_cast<const char*>(texto.get());
    // O que se grava tem de poder ser lido de volta, pela mesma leitura e com os mesmos limites
    // da abertura (um nome de fora do Latin-1 vindo de um arquivo alheio, por exemplo, não tem
    // forma válida nesta codificação; um arquivo aceito perto dos limites pode passar deles com
    // o que o salvamento acrescenta).
    if (static_cast<std::uintmax_t>(tamanho) > limite_de_bytes_de_um_arquivo) return resultado_da_carga::grande_demais;
    resultado_da_carga recusado = resultado_da_carga::carregado;
    std::unique_ptr<xmlDoc, liberar_xml> conferido(
        ler_xml_sem_doctype(std::string_view(dados, static_cast<std::size_t>(tamanho)), nullptr, opcoes_de_leitura, recusado));
    if (!conferido) return recusado == resultado_da_carga::carregado ? resultado_da_carga::mal_formado : recusado;
    std::string pasta_fora_do_disco = gravar_substituindo(caminho, dados, static_cast<std::size_t>(tamanho));
    if (aviso) *aviso = std::move(pasta_fora_do_disco);
    return resultado_da_carga::carregado;
}

falha_simulada_da_gravacao::falha_simulada_da_gravacao(chamada_da_gravacao chamada, int erro) {
    chamada_simulada = chamada;
    erro_simulado = erro;
}

falha_simulada_da_gravacao::~falha_simulada_da_gravacao() { erro_simulado = 0; }

void documento_de_xml::verificar(no_xml no) const {
    if (!no.no_) falhar(tipo_de_falha::objeto_nao_definido);
    if (no.no_->doc != doc_) chamada_invalida();
}

no_xml documento_de_xml::documento() const noexcept { return no_xml(reinterpret_cast<xmlNode*>(doc_)); }

no_xml documento_de_xml::raiz() const { return no_xml(xmlDocGetRootElement(doc_)); }

no_xml documento_de_xml::criar_elemento(std::string_view nome) {
    const std::string n(nome);
    if (!utf8_valido(n) || xmlValidateNCName(x(n), 0) != 0) chamada_invalida();
    xmlNode* e = xmlNewDocNode(doc_, nullptr, x(n), nullptr);
    if (!e) throw std::bad_alloc();
    soltar(e);
    return no_xml(e);
}

no_xml documento_de_xml::criar_instrucao(std::string_view alvo, std::string_view dados) {
    const std::string a(alvo), d(dados);
    if (!utf8_valido(a) || xmlValidateName(x(a), 0) != 0 || xmlStrcasecmp(x(a), BAD_CAST "xml") == 0) chamada_invalida();
    if (!utf8_valido(d) || d.find("?>") != std::string::npos) chamada_invalida();
    xmlNode* pi = xmlNewDocPI(doc_, x(a), x(d));
    if (!pi) throw std::bad_alloc();
    soltar(pi);
    return no_xml(pi);
}

namespace {

// Só elementos, instruções e comentários mudam de lugar (um nó de texto seria fundido com
// o vizinho pela libxml2), e nunca para dentro de si mesmos.
void conferir_colocacao(xmlNode* pai, xmlNode* filho) {
    if (pai->type != XML_ELEMENT_NODE && pai->type != XML_DOCUMENT_NODE) chamada_invalida();
    if (filho->type != XML_ELEMENT_NODE && filho->type != XML_PI_NODE && filho->type != XML_COMMENT_NODE)
        chamada_invalida();
    for (xmlNode* p = pai; p; p = p->parent)
        if (p == filho) chamada_invalida();
    // O documento tem um só elemento raiz.
    if (pai->type == XML_DOCUMENT_NODE && filho->type == XML_ELEMENT_NODE) {
        xmlNode* raiz = xmlDocGetRootElement(reinterpret_cast<xmlDoc*>(pai));
        if (raiz && raiz != filho) chamada_invalida();
    }
}

// Um elemento sem espaço de nomes posto sob um espaço de nomes padrão declara xmlns="",
// para continuar sem espaço de nomes quando o arquivo for lido de novo.
void manter_sem_espaco_de_nomes(xmlNode* e) {
    if (e->type != XML_ELEMENT_NODE || e->ns != nullptr) return;
    for (xmlNs* d = e->nsDef; d; d = d->next)
        if (d->prefix == nullptr) return;
    const xmlNs* padrao = e->parent ? xmlSearchNs(e->doc, e->parent, nullptr) : nullptr;
    if (padrao && padrao->href && padrao->href[0] != 0) xmlNewNs(e, BAD_CAST "", nullptr);
}

}  // namespace

void documento_de_xml::anexar_filho(no_xml pai, no_xml filho) {
    verificar(pai);
    verificar(filho);
    conferir_colocacao(pai.no_, filho.no_);
    xmlUnlinkNode(filho.no_);
    if (!xmlAddChild(pai.no_, filho.no_)) chamada_invalida();
    manter_sem_espaco_de_nomes(filho.no_);
}

void documento_de_xml::inserir_antes(no_xml pai, no_xml novo, no_xml referencia) {
    if (!referencia) {
        anexar_filho(pai, novo);
        return;
    }
    verificar(pai);
    verificar(novo);
    verificar(referencia);
    if (referencia.no_->parent != pai.no_ || novo == referencia) chamada_invalida();
    conferir_colocacao(pai.no_, novo.no_);
    xmlUnlinkNode(novo.no_);
    if (!xmlAddPrevSibling(referencia.no_, novo.no_)) chamada_invalida();
    manter_sem_espaco_de_nomes(novo.no_);
}

void documento_de_xml::remover_filho(no_xml pai, no_xml filho) {
    verificar(pai);
    verificar(filho);
    if (filho.no_->parent != pai.no_) chamada_invalida();
    xmlUnlinkNode(filho.no_);
    soltar(filho.no_);
}

std::vector<no_xml> documento_de_xml::filhos(no_xml pai) const {
    verificar(pai);
    std::vector<no_xml> lista;
    for (xmlNode* n = pai.no_->children; n; n = n->next) lista.push_back(no_xml(n));
    return lista;
}

no_xml documento_de_xml::primeiro_filho(no_xml pai) const {
    verificar(pai);
    return no_xml(pai.no_->children);
}

no_xml documento_de_xml::primeiro_filho_elemento(no_xml pai, std::string_view nome) const {
    verificar(pai);
    for (xmlNode* n = pai.no_->children; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && tem_nome(n, nome)) return no_xml(n);
    return {};
}

std::string documento_de_xml::espaco_de_nomes_de_um_elemento() const {
    // Em ordem de documento, sem recursão (a profundidade vem do arquivo).
    for (xmlNode* n = xmlDocGetRootElement(doc_); n != nullptr;) {
        if (n->type == XML_ELEMENT_NODE && n->ns != nullptr && n->ns->href != nullptr && n->ns->href[0] != 0)
            return reinterpret_cast<const char*>(n->ns->href);
        if (n->type == XML_ELEMENT_NODE && n->children != nullptr) {
            n = n->children;
            continue;
        }
        while (n != nullptr && n->next == nullptr) n = n->parent == reinterpret_cast<xmlNode*>(doc_) ? nullptr : n->parent;
        if (n != nullptr) n = n->next;
    }
    return "";
}

std::string documento_de_xml::texto(no_xml elemento) const {
    verificar(elemento);
    std::unique_ptr<xmlChar, liberar_xml> t(xmlNodeGetContent(elemento.no_));
    return t ? std::string(reinterpret_cast<const char*>(t.get())) : std::string();
}

void documento_de_xml::substituir_texto(no_xml elemento, std::string_view texto) {
    verificar(elemento);
    if (elemento.no_->type != XML_ELEMENT_NODE) chamada_invalida();
    const std::string t(texto);
    if (!utf8_valido(t)) chamada_invalida();
    while (xmlNode* filho = elemento.no_->children) {
        xmlUnlinkNode(filho);
        soltar(filho);
    }
    if (t.empty()) return;
    // Texto literal: a libxml2 escapa "&" e "<" ao gravar.
    xmlNode* n = xmlNewDocTextLen(doc_, x(t), static_cast<int>(t.size()));
    if (!n) throw std::bad_alloc();
    xmlAddChild(elemento.no_, n);
}

std::string caminho_como_uri(std::string_view caminho) {
    static constexpr char hexa[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : caminho) {
        const auto b = static_cast<unsigned char>(c);
        const bool fica = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                          b == '.' || b == '_' || b == '~' || b == '/';
        if (fica) {
            uri += c;
        } else {
            uri += '%';
            uri += hexa[b >> 4];
            uri += hexa[b & 15];
        }
    }
    return uri;
}

}  // namespace orvel
