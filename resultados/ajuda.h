#pragma once
// O visualizador da ajuda: a página "ajuda_html.html" da pasta do programa.

#include <string>

#include "resultados/janela_com_navegador.h"

namespace orvel {

inline constexpr char nome_da_pagina_de_ajuda[] = "ajuda_html.html";

class janela_ajuda : public janela_com_navegador {
public:
    janela_ajuda();

    // Leva o navegador à página de ajuda da pasta do programa.
    void Atualiza_ajuda(const std::string& SelLocal_ajuda = "");
};

janela_ajuda& ajuda_unica();

}  // namespace orvel
