#pragma once
// O arquivo de projeto é lido e gravado um valor por vez sobre um único documento XML do
// processo. Cada valor mora numa árvore de dois níveis sob a raiz "rss": um elemento de
// nível 1 ("rede", "links", "nos", "link7", "no3"...) com um elemento por chave, cujo texto
// é o valor.
//
// Uma sequência de chamadas (um salvamento ou uma abertura) começa com xml_recarregar True e
// xml_salvar_e_liberar False; antes da última chamada o chamador põe xml_salvar_e_liberar em
// True. A primeira chamada carrega o arquivo; as do meio trabalham no documento em memória;
// a última libera as referências (e, na gravação, salva). Nada chega ao disco antes da
// última gravação, e ela troca o arquivo de uma vez: numa falha o arquivo fica como estava.
//
// Estas operações não têm código de local: uma falha (arquivo que não pode ser gravado,
// chamada sem documento aberto) sobe para o salvamento ou a abertura que as chamou.

#include <concepts>
#include <memory>
#include <string>
#include <string_view>

#include "modelo/contexto_da_rede.h"
#include "plataforma/documento_xml.h"
#include "plataforma/numeros.h"
#include "plataforma/tipos.h"

namespace orvel {

// Referências mantidas entre as chamadas.
inline std::unique_ptr<documento_de_xml> documento_xml;  // criado no primeiro uso
inline no_xml raiz_xml;       // a raiz do documento aberto; vazia quando não há sequência aberta
inline no_xml elemento_xml;   // o elemento de nível 1 da chamada corrente
inline no_xml valor_xml;      // o elemento da chave da chamada corrente
inline no_xml removido_xml;   // o último elemento de posição livre podado
inline no_xml instrucao_xml;  // a instrução da folha de estilo de um documento novo

// Quando True, a próxima sequência de gravação não lê o arquivo que existe no caminho:
// começa de um documento novo, que só substitui o arquivo antigo no salvamento final
// (é o "substituir" de um arquivo escolhido no "Salvar como"). Toda abertura o volta a False.
inline bool xml_substituir_arquivo = false;

// O que a última abertura achou no caminho.
enum class situacao_do_arquivo_xml {
    nenhum,       // ainda não houve abertura
    projeto,      // XML bem formado com a raiz "rss"
    sem_arquivo,  // não havia arquivo (ou xml_substituir_arquivo o pôs de lado): documento novo
    ilegivel,     // havia, mas não pôde ser lido (ou traz DOCTYPE): documento novo
    nao_eh_xml,   // foi lido, mas não é XML bem formado: documento novo
    outra_raiz,   // XML bem formado cuja raiz não é "rss"
};
inline situacao_do_arquivo_xml situacao_do_documento_xml = situacao_do_arquivo_xml::nenhum;
// O resultado da carga do arquivo na última abertura: diz por que um arquivo não foi lido.
inline resultado_da_carga carga_do_documento_xml = resultado_da_carga::inexistente;

// True quando a última abertura carregou um arquivo de projeto: XML bem formado com a raiz
// "rss". Depois da primeira leitura de uma abertura, é o que separa um projeto de um arquivo
// qualquer (que se lê como um documento sem chave alguma).
bool documento_xml_eh_projeto();

enum class finalidade_da_abertura_xml { gravacao, leitura };

// Carrega o arquivo no documento; sem arquivo legível e bem formado (e, numa gravação, também
// quando a raiz do arquivo não é "rss"), monta um documento de projeto novo: a instrução "xml-stylesheet" que aponta para "modelo_orvel.xsl" na pasta do
// programa e a raiz "rss" (a declaração <?xml?> sai sozinha na gravação, em ISO-8859-1).
// Só gravar_valor_xml e ler_valor_xml a chamam.
void abrir_documento_xml(const std::string& caminho, finalidade_da_abertura_xml finalidade);

// Os dados da instrução da folha de estilo de um arquivo novo.
std::string dados_da_folha_de_estilo();

// Nomes dos elementos de nível 1 de uma posição: "link" + l, "no" + n.
std::string nome_do_elemento_do_link(int link);
std::string nome_do_elemento_do_no(int no);

// Grava o texto na chave do elemento de nível 1, criando o que faltar no fim do pai. Na
// primeira chamada da sequência, carrega o arquivo e poda os elementos das posições livres.
// As marcas da sequência (xml_recarregar, xml_salvar_e_liberar) e as posições em uso são as do
// contexto dado.
void gravar_texto_xml(const std::string& caminho, std::string_view chave, std::string_view texto,
                      std::string_view elemento, contexto_da_rede& c);

// O texto de um valor: Byte, Integer e Long em decimal; Single com até 7 algarismos e o
// separador decimal regional; Boolean "True"/"False"; textos como são.
template <class T>
std::string texto_do_valor_xml(const T& valor) {
    if constexpr (std::same_as<T, bool>) {
        return texto_de_booleano(valor);
    } else if constexpr (std::same_as<T, Single>) {
        return texto_de_single(valor);
    } else if constexpr (std::integral<T> && !std::same_as<T, char>) {
        return texto_de_inteiro(valor);
    } else {
        static_assert(std::convertible_to<const T&, std::string_view>, "tipo sem forma de texto no arquivo");
        return std::string(std::string_view(valor));
    }
}

template <class T>
void gravar_valor_xml(const std::string& caminho, std::string_view chave, const T& valor, std::string_view elemento,
                      contexto_da_rede& c) {
    gravar_texto_xml(caminho, chave, texto_do_valor_xml(valor), elemento, c);
}

// O texto da chave dentro do elemento de nível 1; "" quando falta um dos dois. Nunca grava.
std::string ler_valor_xml(const std::string& caminho, std::string_view chave, std::string_view elemento,
                          contexto_da_rede& c);

}  // namespace orvel
