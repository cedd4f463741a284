#pragma once
// O relatório: o arquivo de projeto (XML) transformado em HTML, com a libxslt, pela folha de
// estilo "modelo_orvel.xsl" da pasta do programa. A instrução "xml-stylesheet" que o projeto
// traz (o programa a grava, e ela fica no arquivo) não escolhe a folha: é sempre a do programa.
//
// A transformação lê o projeto e essa folha e mais nada: nem rede, nem outro arquivo local
// (document() de outro arquivo é recusado, e a transformação não vai até o fim), nem DTD ou
// entidade (um projeto com DOCTYPE é recusado); não grava arquivos nem cria pastas.

#include <string>

namespace orvel {

inline constexpr char nome_da_folha_de_estilo[] = "modelo_orvel.xsl";

// As opções de leitura da libxml2 com que o relatório lê o projeto e a folha de estilo (as seções
// CDATA viram texto).
extern const int opcoes_de_leitura_do_relatorio;

// O HTML do relatório do projeto, em UTF-8 qualquer que seja a codificação que a folha de
// estilo peça. A folha recebe no parâmetro "arquivo" o nome do arquivo do caminho, o mesmo dos
// títulos das janelas, que ela mostra no lugar do nome guardado no arquivo. Falha quando o
// projeto não existe (arquivo_nao_encontrado), não pode ser lido (não é arquivo comum, por
// exemplo uma FIFO), não é XML bem formado ou traz DOCTYPE (erro_de_arquivo), quando a folha do
// programa falta ou não serve (arquivo_nao_encontrado) ou quando a transformação não vai até o
// fim (generica).
std::string relatorio_em_html(const std::string& caminho_do_projeto, const std::string& pasta_do_programa);

}  // namespace orvel
