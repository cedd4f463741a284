#include "modelo/armazenamento_xml.h"

#include "plataforma/falha.h"
#include "plataforma/servicos.h"

namespace orvel {

std::string nome_do_elemento_do_link(int link) { return "link" + texto_de_inteiro(link); }

std::string nome_do_elemento_do_no(int no) { return "no" + texto_de_inteiro(no); }

std::string dados_da_folha_de_estilo() {
    std::string pasta = servicos().pasta_do_programa();
    while (!pasta.empty() && pasta.back() == '/') pasta.pop_back();
    return "type=\"text/xsl\" href=\"" + caminho_como_uri(pasta + "/modelo_orvel.xsl") + "\"";
}

std::string por_que_nao_grava(resultado_da_carga recusa) {
    switch (recusa) {
        case resultado_da_carga::grande_demais:
            return "o projeto passaria de " + texto_de_inteiro(static_cast<long long>(limite_de_bytes_de_um_arquivo >> 20)) +
                   " MB";
        case resultado_da_carga::elementos_demais: return "o projeto teria elementos demais";
        case resultado_da_carga::profundo_demais: return "o projeto teria elementos uns dentro dos outros em níveis demais";
        case resultado_da_carga::atributos_demais: return "o projeto teria um elemento com atributos demais";
        case resultado_da_carga::atributos_demais_no_documento: return "o projeto teria atributos demais";
        case resultado_da_carga::outros_nos_demais: return "o projeto teria comentários, instruções ou seções CDATA demais";
        case resultado_da_carga::espacos_de_nomes_demais: return "o projeto declararia espaços de nomes demais";
        default: return "o projeto gravado não seria um documento XML que o programa lê";
    }
}

// Um documento de projeto novo: a instrução "xml-stylesheet" que aponta para "modelo_orvel.xsl"
// na pasta do programa e a raiz "rss" (a declaração <?xml?> sai sozinha na gravação, em
// ISO-8859-1).
void documento_de_projeto::comecar_projeto_novo() {
    xml_ = std::make_unique<documento_de_xml>();
    documento_de_xml& doc = *xml_;
    raiz_ = doc.criar_elemento("rss");
    doc.anexar_filho(doc.documento(), raiz_);
    doc.inserir_antes(doc.documento(), doc.criar_instrucao("xml-stylesheet", dados_da_folha_de_estilo()),
                      doc.primeiro_filho(doc.documento()));
}

documento_de_projeto documento_de_projeto::para_ler(const std::string& caminho) {
    documento_de_projeto d;
    d.xml_ = std::make_unique<documento_de_xml>();
    d.carga_ = d.xml_->carregar(caminho);
    if (d.carga_ == resultado_da_carga::carregado) {
        d.raiz_ = d.xml_->raiz();
        // Um "rss" com elementos num espaço de nomes não é um projeto: a folha de estilo do
        // relatório procura os elementos sem espaço de nomes.
        d.projeto_ = d.raiz_.nome() == "rss" && d.xml_->espaco_de_nomes_de_um_elemento().empty();
    }
    return d;
}

documento_de_projeto documento_de_projeto::para_gravar(const std::string& caminho, bool substituir,
                                                       const rede_dada& rede) {
    // Um salvamento nunca grava a rede dentro de outro documento (outra raiz, elementos num
    // espaço de nomes) nem de um arquivo que a abertura recusaria: começa um projeto novo, como
    // o do primeiro salvamento.
    documento_de_projeto d = substituir ? documento_de_projeto{} : para_ler(caminho);
    if (!d.projeto_) {
        d.comecar_projeto_novo();
        return d;
    }
    // Os elementos das posições livres saem; "rede", "links", "nos" e qualquer outro elemento
    // que não tenha nome de posição ficam.
    documento_de_xml& doc = *d.xml_;
    for (int l = 1; l <= max_links; ++l)
        if (const no_xml e = doc.primeiro_filho_elemento(d.raiz_, nome_do_elemento_do_link(l)); e && !rede.existe_link(l))
            doc.remover_filho(d.raiz_, e);
    for (int n = 1; n <= max_nos; ++n)
        if (const no_xml e = doc.primeiro_filho_elemento(d.raiz_, nome_do_elemento_do_no(n)); e && !rede.existe_no(n))
            doc.remover_filho(d.raiz_, e);
    return d;
}

std::string documento_de_projeto::ler(std::string_view elemento, std::string_view chave) const {
    if (!projeto_) return {};
    const no_xml e = xml_->primeiro_filho_elemento(raiz_, elemento);
    if (!e) return {};
    const no_xml v = xml_->primeiro_filho_elemento(e, chave);
    return v ? xml_->texto(v) : std::string();
}

void documento_de_projeto::gravar(std::string_view elemento, std::string_view chave, std::string_view texto) {
    documento_de_xml& doc = *xml_;
    no_xml e = doc.primeiro_filho_elemento(raiz_, elemento);
    if (!e) {
        e = doc.criar_elemento(elemento);
        doc.anexar_filho(raiz_, e);
    }
    no_xml v = doc.primeiro_filho_elemento(e, chave);
    if (!v) {
        v = doc.criar_elemento(chave);
        doc.anexar_filho(e, v);
    }
    doc.substituir_texto(v, texto);
}

}  // namespace orvel
