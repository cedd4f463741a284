#pragma once
// O que o visualizador do relatório e o da ajuda têm em comum: um navegador embutido do
// tamanho da janela, a colocação sobre a janela principal e o ajuste ao redimensionar.

#include <string>

#include "plataforma/formularios.h"

namespace orvel {

class janela_com_navegador : public formulario {
public:
    explicit janela_com_navegador(std::string nome);

    navegador WebBrowser1{*this, "WebBrowser1"};

    // Toma a posição e o tamanho da janela principal; o navegador fica com o tamanho da janela
    // e, como posição dentro dela, a posição da própria janela na tela.
    void Form_Load() override;
    // Fora de minimizada, o navegador acompanha o tamanho da janela.
    void Form_Resize() override;
};

}  // namespace orvel
