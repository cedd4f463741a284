#pragma once
// Arquivos de projeto feitos à mão pelos testes que a abertura aceita: documentos pequenos
// escritos inteiros e mudanças num arquivo que o programa salvou. O teste de reabrir percorre
// todos: cada um, aberto, processado e salvo, tem de abrir de novo.

#include <charconv>
#include <string>
#include <system_error>
#include <vector>

namespace orvel::teste {

struct arquivo_feito {
    std::string nome;
    std::string texto;
};

// Os documentos pequenos dos testes do armazenamento, das vistas e do salvamento.
inline std::vector<arquivo_feito> documentos_feitos_que_abrem() {
    return {
        {"so_o_nome.xml", "<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede></rss>"},
        {"com_declaracao.xml", "<?xml version=\"1.0\"?>\n<rss><rede><nome_da_rede_dado>X</nome_da_rede_dado></rede></rss>\n"},
        {"com_folha_de_estilo.xml", "<?xml-stylesheet href=\"x.xsl\"?><rss><rede><a>1</a><b>2</b></rede></rss>"},
        {"antiga.xml", "<rss><rede><nome_da_rede_dado>antiga</nome_da_rede_dado></rede></rss>"},
    };
}

namespace detalhe {

inline std::string trocar_primeiro(std::string t, const std::string& de, const std::string& para) {
    const auto p = t.find(de);
    if (p != std::string::npos) t.replace(p, de.size(), para);
    return t;
}

// O texto da chave no primeiro elemento que a tem ("" quando não há).
inline std::string valor_da_chave(const std::string& t, const std::string& chave) {
    const std::string abre = "<" + chave + ">";
    const auto p = t.find(abre);
    if (p == std::string::npos) return "";
    const auto ini = p + abre.size();
    return t.substr(ini, t.find('<', ini) - ini);
}

}  // namespace detalhe

// Mudanças que a abertura aceita, feitas num arquivo salvo pelo programa (com o nó no1): os
// nomes dizem o quê. Uma mudança que não acha o seu lugar deixa o arquivo como estava.
inline std::vector<arquivo_feito> mudancas_que_abrem(const std::string& salvo) {
    using detalhe::trocar_primeiro;
    using detalhe::valor_da_chave;
    std::vector<arquivo_feito> v;
    v.push_back({"contagem_errada.xml", trocar_primeiro(salvo, "<total_de_nos_dado>" + valor_da_chave(salvo, "total_de_nos_dado") + "<",
                                                        "<total_de_nos_dado>9<")});
    // A lista dos links com o primeiro item 0 e sem a vírgula final: os dois das pontas saem.
    const std::string relacao = valor_da_chave(salvo, "relacao");
    const auto primeira = relacao.find(',');
    if (primeira != std::string::npos && relacao.size() > primeira + 1)
        v.push_back({"relacao_sem_virgula_final.xml",
                     trocar_primeiro(salvo, "<relacao>" + relacao + "<",
                                     "<relacao>0" + relacao.substr(primeira, relacao.size() - primeira - 1) + "<")});
    v.push_back({"outra_folha_e_elemento_estranho.xml",
                 trocar_primeiro(trocar_primeiro(salvo, "href=\"", "href=\"file:///outra/pasta/"), "</rss>",
                                 "<anotacao>manter</anotacao></rss>")});
    v.push_back({"flags_com_outra_caixa.xml", trocar_primeiro(salvo, "<eh_ciclo_duplo_permitido_dado>não<",
                                                               "<eh_ciclo_duplo_permitido_dado>Sim<")});
    // Chaves que ficam no arquivo e nada lê: a lista de um grupo além dos do nó e uma duração com
    // demanda além dos seus intervalos.
    v.push_back({"chaves_velhas.xml",
                 trocar_primeiro(salvo, "</no1>",
                                 "<nome_dos_links_do_grupo8_dado>X,,,,</nome_dos_links_do_grupo8_dado><dcd36>999</dcd36></no1>")});
    // Um intervalo mais longo: a soma das durações passa do ciclo, como depois de verdes de
    // segurança que não cabem.
    const std::string d1 = valor_da_chave(salvo, "d1");
    int d = 0;
    if (std::from_chars(d1.data(), d1.data() + d1.size(), d).ec == std::errc())
        v.push_back({"soma_alem_do_ciclo.xml", trocar_primeiro(salvo, "<d1>" + d1 + "<", "<d1>" + std::to_string(d + 1) + "<")});
    return v;
}

}  // namespace orvel::teste
