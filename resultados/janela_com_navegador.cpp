#include "resultados/janela_com_navegador.h"

#include "editor/desenho_da_rede.h"

namespace orvel {

janela_com_navegador::janela_com_navegador(std::string nome) : formulario(std::move(nome)) {}

void janela_com_navegador::Form_Load() {
    auto& principal = frmTela_principal_versao2();
    Height = principal.Height;
    Width = principal.Width;
    Left = principal.Left;
    Top = principal.Top;

    WebBrowser1.Height = Height;
    WebBrowser1.Width = Width;
    WebBrowser1.Left = Left;
    WebBrowser1.Top = Top;
}

void janela_com_navegador::Form_Resize() {
    if (WindowState == estado_minimizado) return;
    // Numa janela menor que 30 pixels de altura ou 10 de largura o navegador não encolhe além
    // de 0: a medida que ficaria negativa fica como estava.
    const Single altura = Height - 30.0f * tela().TwipsPerPixelY;
    const Single largura = Width - 10.0f * tela().TwipsPerPixelY;
    if (altura >= 0) WebBrowser1.Height = altura;
    if (largura >= 0) WebBrowser1.Width = largura;
}

}  // namespace orvel
