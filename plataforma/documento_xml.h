#pragma once
// Documento XML sobre a libxml2: carregar, salvar, criar elementos e instruções de
// processamento, anexar, inserir e remover filhos, achar um filho elemento pelo nome, ler e
// substituir o texto de um elemento, listar filhos.
//
// Os textos e nomes que entram e saem daqui são UTF-8. No disco o documento é ISO-8859-1:
// um caractere fora do Latin-1 sai como referência de caractere ("&#8364;"). A declaração
// <?xml ...?> é escrita pela própria libxml2 a partir dessa codificação; nunca há um nó de
// instrução chamado "xml".
//
// A leitura não acessa a rede e não aceita DOCTYPE: um arquivo com declaração de tipo (e, com
// ela, declarações de entidades) é recusado no começo da declaração, antes de qualquer
// entidade ser lida ou expandida. O programa nunca grava um DOCTYPE.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace orvel {

enum class tipo_de_no_xml { documento, elemento, texto, instrucao, comentario, outro };

// Referência a um nó de um documento (não é dona dele). Vale enquanto o documento existir e
// não for recarregado; vazia, é falsa.
class no_xml {
public:
    no_xml() = default;

    explicit operator bool() const noexcept { return no_ != nullptr; }
    bool operator==(const no_xml& outro) const noexcept = default;

    tipo_de_no_xml tipo() const;
    std::string nome() const;  // nome qualificado do elemento, alvo da instrução; "" nos demais

private:
    friend class documento_de_xml;
    explicit no_xml(_xmlNode* no) noexcept : no_(no) {}
    _xmlNode* no_ = nullptr;
};

// Cada motivo de um arquivo não ser carregado, para que quem o abre possa dizê-lo.
enum class resultado_da_carga {
    carregado,
    inexistente,       // não há arquivo nesse caminho
    ilegivel,          // há, mas não pôde ser lido (permissão, é uma pasta...)
    grande_demais,     // passa de limite_de_bytes_de_um_arquivo: nem é lido
    mal_formado,       // foi lido, mas não é XML bem formado
    com_doctype,       // traz uma declaração DOCTYPE (e, com ela, declarações de entidades)
    elementos_demais,  // passa dos limites de elementos, ao todo ou dentro de um mesmo elemento
    profundo_demais,   // tem elementos aninhados além de limite_de_profundidade_de_um_documento
    atributos_demais,  // um elemento tem mais de limite_de_atributos_de_um_elemento atributos
    atributos_demais_no_documento,  // mais de limite_de_atributos_de_um_documento ao todo
    outros_nos_demais,  // mais de limite_de_outros_nos_de_um_documento comentários, instruções e CDATA
    espacos_de_nomes_demais,  // mais de limite_de_espacos_de_nomes_de_um_documento declarações
    espacos_de_nomes_mal_formados,  // um prefixo sem declaração, uma declaração vazia...
    codificacao_nao_lida,  // declara uma codificação que o programa não lê, ou é UTF-16 sem a marca
    bytes_invalidos,       // tem bytes que não valem na sua codificação
    marca_utf8_com_outra_declaracao,  // começa com a marca do UTF-8, declara outra e não é UTF-8
};

class documento_de_xml {
public:
    documento_de_xml();  // vazio: sem filho algum
    ~documento_de_xml();
    documento_de_xml(const documento_de_xml&) = delete;
    documento_de_xml& operator=(const documento_de_xml&) = delete;

    // Lê o arquivo inteiro antes de voltar. Em qualquer falha o documento fica vazio. Toda
    // referência a nós do conteúdo anterior deixa de valer.
    resultado_da_carga carregar(const std::string& caminho);
    // O que completa o motivo da última carga recusada: a codificação (codificacao_nao_lida,
    // bytes_invalidos; a declarada, em marca_utf8_com_outra_declaracao) ou o prefixo sem
    // declaração (espacos_de_nomes_mal_formados); "" nos demais.
    const std::string& detalhe_da_carga() const noexcept { return detalhe_; }

    // Grava num arquivo temporário da mesma pasta e o renomeia sobre o destino; só então o
    // arquivo antigo é trocado. Se o sistema recusar (pasta inexistente ou só de leitura,
    // arquivo só de leitura, disco cheio), falha com erro_de_arquivo, cuja descrição diz o
    // arquivo e o motivo, e o arquivo antigo fica como estava. Um caminho que é um atalho grava
    // no arquivo apontado. Um documento que não poderia ser lido de volta (sem elemento raiz,
    // por exemplo, ou além dos limites de tamanho e de elementos da leitura) não é gravado: o
    // arquivo antigo fica e volta o motivo, como a leitura o daria; gravado, volta carregado.
    // Depois da troca o nome novo é levado ao disco com a pasta; uma pasta que não se deixa
    // abrir (só de escrita) fica sem isso, e a gravação vale do mesmo jeito. Quando a pasta abre
    // mas não chega ao disco, a gravação também vale, e aviso (se dado) recebe o texto que diz
    // que ela pode não sobreviver a uma queda de energia; nos demais casos, fica vazio.
    [[nodiscard]] resultado_da_carga salvar(const std::string& caminho, std::string* aviso = nullptr) const;

    // O próprio documento como nó (pai da raiz e das instruções de fora dela).
    no_xml documento() const noexcept;
    // O elemento raiz; vazio quando não há.
    no_xml raiz() const;

    // Nós novos, ainda soltos. Elemento sem espaço de nomes; nome inválido em XML é falha.
    no_xml criar_elemento(std::string_view nome);
    // O alvo "xml" (em qualquer caixa) é reservado à declaração e é falha.
    no_xml criar_instrucao(std::string_view alvo, std::string_view dados);

    // Anexa como último filho de pai (tirando o nó de onde estivesse).
    void anexar_filho(no_xml pai, no_xml filho);
    // Insere antes de referencia, que tem de ser filho de pai; referencia vazia anexa no fim.
    void inserir_antes(no_xml pai, no_xml novo, no_xml referencia);
    // Tira filho de pai; o nó continua valendo, solto. Falha se não for filho de pai.
    void remover_filho(no_xml pai, no_xml filho);

    std::vector<no_xml> filhos(no_xml pai) const;
    no_xml primeiro_filho(no_xml pai) const;
    // O primeiro filho elemento com exatamente esse nome (diferencia maiúsculas); vazio se
    // não houver.
    no_xml primeiro_filho_elemento(no_xml pai, std::string_view nome) const;

    // O endereço do espaço de nomes do primeiro elemento (em ordem de documento) que está num
    // espaço de nomes; "" quando nenhum está.
    std::string espaco_de_nomes_de_um_elemento() const;

    // Todo o texto de um elemento (o de todos os descendentes, em ordem).
    std::string texto(no_xml elemento) const;
    // Troca todo o conteúdo do elemento por esse texto ("" deixa o elemento vazio).
    void substituir_texto(no_xml elemento, std::string_view texto);

private:
    void verificar(no_xml no) const;
    void soltar(_xmlNode* no);
    void liberar_soltos() noexcept;

    _xmlDoc* doc_ = nullptr;
    std::string detalhe_;
    // Nós criados ou removidos que podem estar fora da árvore: liberados com o documento.
    std::vector<_xmlNode*> soltos_;
};

// As chamadas ao sistema de uma gravação, na ordem em que ela as faz.
enum class chamada_da_gravacao {
    permissao_do_arquivo,  // o arquivo que existe aceita escrita?
    criar_temporario,
    escrever,
    sincronizar,
    fechar,
    renomear,
    abrir_pasta,
    sincronizar_pasta,
};

// Para os testes (o administrador, que roda a integração contínua, grava onde as permissões
// barrariam outro usuário): enquanto existe, a chamada dada de toda gravação falha com o errno
// dado, sem chegar ao sistema (o fechamento fecha de verdade e depois falha).
class falha_simulada_da_gravacao {
public:
    falha_simulada_da_gravacao(chamada_da_gravacao chamada, int erro);
    ~falha_simulada_da_gravacao();
    falha_simulada_da_gravacao(const falha_simulada_da_gravacao&) = delete;
    falha_simulada_da_gravacao& operator=(const falha_simulada_da_gravacao&) = delete;
};

// O maior arquivo que o programa lê. O maior projeto que ele grava (50 nós e 150 links, oito
// grupos de quatro links em cada nó, os 36 intervalos, quatro recebedores em cada link, todas as
// opções e os resultados, com nomes do tamanho que as caixas deixam digitar em caracteres que o
// arquivo grava como referências: testes/comum/rede_cheia.h) tem 767 mil bytes; o limite é a
// primeira potência de dois, em megabytes, acima de oito vezes isso. Um arquivo maior é recusado
// antes de ser lido. Com os limites de nós abaixo, todo arquivo até aqui é lido e aberto em bem
// menos de meio segundo, e os piores deste tamanho que conhecemos abrem com um pico de memória
// abaixo de oito vezes o limite (bench/leitura_xml).
inline constexpr std::uintmax_t limite_de_bytes_de_um_arquivo = std::uintmax_t{8} << 20;

// Quantos elementos um documento lido pode ter, ao todo e dentro de um mesmo elemento. Um
// projeto cheio tem uns 12300 elementos, no máximo uns 200 sob a raiz e uns 120 em cada nó: um
// documento que passa disto é recusado no meio da leitura, sem guardar o resto. Cada nó da
// árvore ocupa uns 130 bytes, por menor que seja a sua marca: com estes limites e os dos
// atributos e dos outros nós, os nós de uma árvore somam no máximo uns 10 MB.
inline constexpr int limite_de_elementos_de_um_documento = 25000;
inline constexpr int limite_de_filhos_de_um_elemento = 1000;

// Um projeto tem três níveis (a raiz, o elemento de um nó ou link, o de uma chave) e nenhum
// atributo; a folha de estilo do relatório, uns quinze níveis e poucos atributos por elemento.
// Um documento que passa destes limites é recusado: a profundidade, no meio da leitura; os
// atributos, antes dela, numa passada pelo texto que os conta marca a marca (a libxml2 gasta
// um tempo que cresce com o quadrado dos atributos de um elemento para montá-lo).
inline constexpr int limite_de_profundidade_de_um_documento = 100;
inline constexpr int limite_de_atributos_de_um_elemento = 100;
// Um projeto não declara espaço de nomes algum; a folha de estilo, dois. Cada nome com prefixo
// a libxml2 procura entre todas as declarações em vigor: com milhares delas, um arquivo de
// poucos megabytes levaria minutos. Passada pelo texto, antes da leitura, como os atributos.
inline constexpr int limite_de_espacos_de_nomes_de_um_documento = 20;
// Ao todo, um projeto não tem atributo algum e a folha de estilo, uns trezentos; e nenhum dos
// dois tem mais que uma dezena de comentários e instruções. Sem estes limites, um arquivo de
// elementos com atributos no limite, ou de comentários vazios, levaria segundos para ser montado
// (e os nós soltos, outros tantos para a abertura percorrer) e ocuparia na memória dezenas de
// vezes o seu tamanho: a leitura para no que passa deles.
inline constexpr int limite_de_atributos_de_um_documento = 10000;
inline constexpr int limite_de_outros_nos_de_um_documento = 1000;

// As opções de leitura da libxml2 da abertura de um arquivo (e da conferência do salvamento).
extern const int opcoes_de_leitura_de_um_arquivo;

// Lê um arquivo comum inteiro. Um caminho que não é arquivo comum (pasta, FIFO, dispositivo,
// soquete) é ilegível, e um arquivo que passa de limite_de_bytes_de_um_arquivo é grande demais:
// os dois são recusados antes de serem lidos; a abertura também não espera: a leitura nunca
// fica bloqueada.
enum class leitura_de_arquivo { lido, inexistente, ilegivel, grande_demais };
leitura_de_arquivo ler_arquivo_comum(const std::string& caminho, std::string& bytes);

// Os atributos de uma marca de início (com as declarações de espaço de nomes) e, deles, as
// declarações.
struct marca_de_inicio {
    int atributos = 0;
    int espacos_de_nomes = 0;
    bool operator==(const marca_de_inicio&) const = default;
};

// Para conferir a contagem que vem antes da leitura com o que a libxml2 monta: as marcas de
// início que a contagem viu e as dos elementos que a leitura montou, em ordem de documento; e
// os comentários, instruções e seções CDATA que a leitura contou.
struct marcas_da_leitura {
    std::vector<marca_de_inicio> contadas, montadas;
    int outros_nos = 0;
    bool operator==(const marcas_da_leitura&) const = default;
};

// Lê um documento XML de bytes na memória, com as opções de leitura da libxml2 dadas. Os bytes
// são decodificados uma vez (ISO-8859-1, UTF-8, US-ASCII, windows-1252, ISO-8859-15, ou UTF-16
// com a marca de ordem dos bytes), e o texto em UTF-8 que sai daí é o que a contagem dos
// atributos de cada elemento percorre e o que a libxml2 lê, sem trocar de codificação. A leitura
// para no começo de um DOCTYPE, no primeiro erro e no elemento que passa dos limites de
// elementos ou de profundidade; os limites contam o mesmo com quaisquer opções (com
// XML_PARSE_NOCDATA, uma seção CDATA vira texto e continua contando entre os outros nós; a
// leitura SAX1 não é pedida a ela). Nulo quando o documento não é bem formado (também quanto aos
// espaços de nomes), traz DOCTYPE, está numa codificação que o programa não lê ou passa de um
// limite; resultado diz qual desses motivos (ou carregado), e detalhe, quando dado, o que o
// completa (veja documento_de_xml::detalhe_da_carga). url é o endereço base do documento (pode
// ser nulo).
_xmlDoc* ler_xml_sem_doctype(std::string_view bytes, const char* url, int opcoes, resultado_da_carga& resultado,
                             std::string* detalhe = nullptr, marcas_da_leitura* marcas = nullptr);

// Um caminho de arquivo como referência de URI: mantém letras e algarismos ASCII, "-", ".",
// "_", "~" e "/"; todo outro byte vira %XX.
std::string caminho_como_uri(std::string_view caminho);

}  // namespace orvel
