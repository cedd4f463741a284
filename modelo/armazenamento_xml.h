#pragma once
// O documento XML de uma abertura ou de um salvamento do arquivo de projeto. Cada operação tem o
// seu, que vive só enquanto ela dura: nada do arquivo fica no processo entre uma e outra.
//
// Cada valor mora numa árvore de dois níveis sob a raiz "rss": um elemento de nível 1 ("rede",
// "links", "nos", "link7", "no3"...) com um elemento por chave, cujo texto é o valor. Um
// arquivo que já existe é atualizado no lugar: um elemento que existe fica onde está, uma chave
// que o salvamento não escreve guarda o texto antigo, e o que é novo entra no fim do seu pai.

#include <concepts>
#include <memory>
#include <string>
#include <string_view>

#include "modelo/contexto_da_rede.h"
#include "plataforma/documento_xml.h"
#include "plataforma/numeros.h"
#include "plataforma/tipos.h"

namespace orvel {

class documento_de_projeto {
public:
    // O documento do arquivo, para ler. Sem projeto no caminho (não há arquivo, ele não se lê,
    // não é XML, a raiz não é "rss" ou tem elementos num espaço de nomes), carga() e eh_projeto()
    // dizem por quê, e toda chave se lê "".
    static documento_de_projeto para_ler(const std::string& caminho);

    // O documento em que se grava a rede: o do projeto que o caminho já tem, sem os elementos das
    // posições que a rede não usa; ou um documento de projeto novo quando não há projeto legível
    // no caminho, ou quando o arquivo vai ser substituído por inteiro. Nada vai ao disco antes de
    // salvar().
    static documento_de_projeto para_gravar(const std::string& caminho, bool substituir, const rede_dada& rede);

    // O que a carga do arquivo deu, e o seu detalhe (a codificação, o prefixo...).
    resultado_da_carga carga() const noexcept { return carga_; }
    const std::string& detalhe_da_carga() const noexcept { return xml_->detalhe_da_carga(); }
    // True quando o arquivo carregado é um projeto: XML bem formado com a raiz "rss" e nenhum
    // elemento num espaço de nomes.
    bool eh_projeto() const noexcept { return projeto_; }
    // O espaço de nomes de algum elemento do arquivo carregado ("" quando nenhum tem).
    std::string espaco_de_nomes_de_um_elemento() const { return xml_->espaco_de_nomes_de_um_elemento(); }

    // O texto da chave dentro do elemento de nível 1; "" quando falta um dos dois.
    std::string ler(std::string_view elemento, std::string_view chave) const;
    // Grava o texto na chave do elemento de nível 1, criando o que faltar no fim do pai.
    void gravar(std::string_view elemento, std::string_view chave, std::string_view texto);

    // Troca o arquivo do caminho pelo documento, de uma vez: carregado quando gravou; senão, por
    // que o documento pronto não seria lido de volta (o arquivo antigo fica como estava). Uma
    // falha do disco é a falha erro_de_arquivo, que diz o arquivo e o motivo. Gravado, aviso (se
    // dado) recebe o texto de uma pasta que não chegou ao disco ("" quando chegou ou não se abriu).
    [[nodiscard]] resultado_da_carga salvar(const std::string& caminho, std::string* aviso = nullptr) const {
        return xml_->salvar(caminho, aviso);
    }

private:
    documento_de_projeto() = default;
    void comecar_projeto_novo();

    std::unique_ptr<documento_de_xml> xml_;
    no_xml raiz_;
    resultado_da_carga carga_ = resultado_da_carga::inexistente;
    bool projeto_ = false;
};

// Os dados da instrução da folha de estilo de um arquivo novo.
std::string dados_da_folha_de_estilo();

// Nomes dos elementos de nível 1 de uma posição: "link" + l, "no" + n.
std::string nome_do_elemento_do_link(int link);
std::string nome_do_elemento_do_no(int no);

// Por que um projeto não é gravado, quando o documento pronto não passaria na leitura que o
// abriria de novo.
std::string por_que_nao_grava(resultado_da_carga recusa);

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

}  // namespace orvel
