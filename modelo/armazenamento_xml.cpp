#include "modelo/armazenamento_xml.h"

#include "plataforma/falha.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

documento_de_xml& documento_aberto() {
    if (!documento_xml || !raiz_xml) falhar(tipo_de_falha::objeto_nao_definido);
    return *documento_xml;
}

void liberar_referencias() {
    elemento_xml = {};
    raiz_xml = {};
    valor_xml = {};
}

// Elementos de posições livres saem na primeira gravação de um salvamento; "rede", "links",
// "nos" e qualquer outro elemento que não tenha nome de posição ficam.
void podar_posicoes_livres(const rede_dada& rede) {
    documento_de_xml& doc = documento_aberto();
    for (int l = 1; l <= max_links; ++l) {
        const no_xml e = doc.primeiro_filho_elemento(raiz_xml, nome_do_elemento_do_link(l));
        if (e && !rede.existe_link(l)) {
            doc.remover_filho(raiz_xml, e);
            removido_xml = e;
        }
    }
    for (int n = 1; n <= max_nos; ++n) {
        const no_xml e = doc.primeiro_filho_elemento(raiz_xml, nome_do_elemento_do_no(n));
        if (e && !rede.existe_no(n)) {
            doc.remover_filho(raiz_xml, e);
            removido_xml = e;
        }
    }
}

// Por que um projeto não é gravado: o documento pronto não passaria na leitura que o abriria
// de novo (o arquivo antigo fica como estava).
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

}  // namespace

bool documento_xml_eh_projeto() { return situacao_do_documento_xml == situacao_do_arquivo_xml::projeto; }

std::string nome_do_elemento_do_link(int link) { return "link" + texto_de_inteiro(link); }

std::string nome_do_elemento_do_no(int no) { return "no" + texto_de_inteiro(no); }

std::string dados_da_folha_de_estilo() {
    std::string pasta = servicos().pasta_do_programa();
    while (!pasta.empty() && pasta.back() == '/') pasta.pop_back();
    return "type=\"text/xsl\" href=\"" + caminho_como_uri(pasta + "/modelo_orvel.xsl") + "\"";
}

void abrir_documento_xml(const std::string& caminho, finalidade_da_abertura_xml finalidade) {
    const bool substituir = xml_substituir_arquivo && finalidade == finalidade_da_abertura_xml::gravacao;
    xml_substituir_arquivo = false;
    raiz_xml = elemento_xml = valor_xml = removido_xml = instrucao_xml = {};
    situacao_do_documento_xml = situacao_do_arquivo_xml::nenhum;

    if (!documento_xml || substituir) documento_xml = std::make_unique<documento_de_xml>();
    resultado_da_carga carga = resultado_da_carga::inexistente;
    if (!substituir) carga = documento_xml->carregar(caminho);
    carga_do_documento_xml = carga;

    switch (carga) {
        case resultado_da_carga::carregado:
            raiz_xml = documento_xml->raiz();
            // Um "rss" com elementos num espaço de nomes não é um projeto: a abertura o recusaria.
            if (raiz_xml.nome() == "rss" && documento_xml->espaco_de_nomes_de_um_elemento().empty()) {
                situacao_do_documento_xml = situacao_do_arquivo_xml::projeto;
                return;
            }
            situacao_do_documento_xml = situacao_do_arquivo_xml::outra_raiz;
            if (finalidade == finalidade_da_abertura_xml::leitura) return;
            // Um salvamento nunca grava a rede dentro de outro documento (outra raiz, ou
            // elementos num espaço de nomes): começa um documento de projeto novo, como o do
            // primeiro salvamento, que a abertura lê.
            raiz_xml = {};
            documento_xml = std::make_unique<documento_de_xml>();
            break;
        case resultado_da_carga::inexistente: situacao_do_documento_xml = situacao_do_arquivo_xml::sem_arquivo; break;
        case resultado_da_carga::ilegivel:
        case resultado_da_carga::grande_demais:
        // Um DOCTYPE nunca sai do programa, nem um documento além dos limites: o arquivo é
        // recusado sem ler valor algum, como um arquivo que não pôde ser lido.
        case resultado_da_carga::com_doctype:
        case resultado_da_carga::elementos_demais:
        case resultado_da_carga::profundo_demais:
        case resultado_da_carga::atributos_demais:
        case resultado_da_carga::atributos_demais_no_documento:
        case resultado_da_carga::outros_nos_demais:
        case resultado_da_carga::espacos_de_nomes_demais:
        case resultado_da_carga::codificacao_nao_lida:
        case resultado_da_carga::bytes_invalidos: situacao_do_documento_xml = situacao_do_arquivo_xml::ilegivel; break;
        case resultado_da_carga::mal_formado:
        case resultado_da_carga::espacos_de_nomes_mal_formados:
            situacao_do_documento_xml = situacao_do_arquivo_xml::nao_eh_xml;
            break;
    }

    // Documento de projeto novo. O arquivo só é criado pelo salvamento final da sequência;
    // uma leitura trabalha nele em memória, sem chave alguma.
    documento_de_xml& doc = *documento_xml;
    raiz_xml = doc.criar_elemento("rss");
    doc.anexar_filho(doc.documento(), raiz_xml);
    instrucao_xml = doc.criar_instrucao("xml-stylesheet", dados_da_folha_de_estilo());
    doc.inserir_antes(doc.documento(), instrucao_xml, doc.primeiro_filho(doc.documento()));
}

void gravar_texto_xml(const std::string& caminho, std::string_view chave, std::string_view texto,
                      std::string_view elemento, contexto_da_rede& c) {
    if (c.projeto.xml_recarregar) {
        abrir_documento_xml(caminho, finalidade_da_abertura_xml::gravacao);
        podar_posicoes_livres(c.rede);
    }
    c.projeto.xml_recarregar = false;

    documento_de_xml& doc = documento_aberto();
    elemento_xml = doc.primeiro_filho_elemento(raiz_xml, elemento);
    if (!elemento_xml) {
        elemento_xml = doc.criar_elemento(elemento);
        doc.anexar_filho(raiz_xml, elemento_xml);
    }
    valor_xml = doc.primeiro_filho_elemento(elemento_xml, chave);
    if (!valor_xml) {
        valor_xml = doc.criar_elemento(chave);
        doc.anexar_filho(elemento_xml, valor_xml);
    }
    doc.substituir_texto(valor_xml, texto);

    if (c.projeto.xml_salvar_e_liberar) {
        const resultado_da_carga gravado = doc.salvar(caminho);
        liberar_referencias();
        if (gravado != resultado_da_carga::carregado) falhar(tipo_de_falha::erro_de_arquivo, por_que_nao_grava(gravado));
    }
}

std::string ler_valor_xml(const std::string& caminho, std::string_view chave, std::string_view elemento,
                          contexto_da_rede& c) {
    if (c.projeto.xml_recarregar) abrir_documento_xml(caminho, finalidade_da_abertura_xml::leitura);
    c.projeto.xml_recarregar = false;

    const documento_de_xml& doc = documento_aberto();
    std::string texto;
    elemento_xml = doc.primeiro_filho_elemento(raiz_xml, elemento);
    if (elemento_xml) {
        valor_xml = doc.primeiro_filho_elemento(elemento_xml, chave);
        if (valor_xml) texto = doc.texto(valor_xml);
    }
    if (c.projeto.xml_salvar_e_liberar) liberar_referencias();
    return texto;
}

}  // namespace orvel
