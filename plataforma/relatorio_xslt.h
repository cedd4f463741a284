#pragma once
// O relatório: o arquivo de projeto (XML) transformado em HTML pela sua folha de estilo, com a
// libxslt.
//
// A folha de estilo é a que a instrução "xml-stylesheet" do projeto nomeia. O endereço (href)
// dessa instrução é resolvido aqui mesmo, e não pela libxslt, que recusa um endereço que não
// é URI válido (espaços, barras invertidas de um caminho de outro sistema): um endereço
// "file:" ou com "%XX" é decodificado; um caminho relativo vale a partir da pasta do projeto.
// Quando a instrução falta, nomeia um endereço de rede, nomeia um arquivo que não existe ou
// um arquivo que não é folha de estilo, vale "modelo_orvel.xsl" da pasta do programa.
//
// Nada é lido da rede e nenhuma entidade externa é carregada, nem no projeto, nem na folha
// de estilo, nem nos documentos que ela incluir ou abrir; a folha de estilo também não pode
// gravar arquivos.

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

inline constexpr char nome_da_folha_de_estilo[] = "modelo_orvel.xsl";

// Os caminhos locais que o href pode nomear, na ordem em que são tentados (o decodificado
// antes do texto como está); vazio para um endereço de rede ou só de fragmento.
std::vector<std::string> caminhos_do_href(std::string_view href, const std::string& pasta_do_projeto);

// O HTML do relatório do projeto, em UTF-8 qualquer que seja a codificação que a folha de
// estilo peça. Falha quando o projeto não existe (arquivo_nao_encontrado), não pode ser lido
// ou não é XML bem formado (erro_de_arquivo), quando não há folha de estilo que sirva
// (arquivo_nao_encontrado) ou quando a transformação não vai até o fim (generica).
std::string relatorio_em_html(const std::string& caminho_do_projeto, const std::string& pasta_do_programa);

}  // namespace orvel
