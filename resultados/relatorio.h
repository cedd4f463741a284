#pragma once
// O visualizador do relatório: mostra o arquivo de projeto como foi salvo pela última vez,
// transformado pela folha de estilo da pasta do programa.

#include <optional>
#include <string>

#include "resultados/janela_com_navegador.h"

namespace orvel {

class janela_relatorio : public janela_com_navegador {
public:
    janela_relatorio();

    // Leva o navegador ao arquivo de projeto (nome_do_arquivo). Não lê o arquivo nem confere
    // se o projeto foi processado ou salvo.
    void Atualiza(const std::string& SelLocal = "");

    void Form_QueryUnload(Integer&, Integer) override {}
    void Form_Unload(Integer&) override {}
};

janela_relatorio& relatorio_unico();

// A página que o navegador do relatório mostra para o arquivo de projeto: o projeto
// transformado pela folha de estilo da pasta do programa. nullopt para um caminho vazio ou um
// arquivo que não existe (o navegador mostra então a sua própria página). Um arquivo que não
// pode ser lido (não é arquivo comum, traz DOCTYPE, não é XML) ou um relatório que a folha não
// consegue montar mostra um "Aviso" e dá uma página vazia: o XML cru nunca aparece.
std::optional<std::string> pagina_do_relatorio(const std::string& caminho);

// O comando "Relatório" confere antes de mostrar a janela que o relatório do projeto
// (nome_do_arquivo) pode ser montado. Um projeto nunca salvo, um arquivo que não existe mais,
// que não pode ser lido ou que a folha não transforma dão o seu "Aviso" e false.
bool relatorio_pode_ser_mostrado();

}  // namespace orvel
