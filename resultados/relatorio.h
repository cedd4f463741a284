#pragma once
// O visualizador do relatório: mostra o arquivo de projeto como foi salvo pela última vez,
// transformado pela sua folha de estilo.

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

}  // namespace orvel
