#include "resultados/relatorio.h"

#include "modelo/rede.h"
#include "modelo/tela_principal.h"
#include "plataforma/falha.h"

namespace orvel {

janela_relatorio& relatorio_unico() { return formulario_unico<janela_relatorio>(); }

formulario& frmBrowse() { return relatorio_unico(); }

void frmBrowse_Atualiza() { relatorio_unico().Atualiza(); }

janela_relatorio::janela_relatorio() : janela_com_navegador("frmBrowse") { Caption = titulo_do_produto; }

// Uma falha ao navegar é relatada com o título da janela.
void janela_relatorio::Atualiza(const std::string& /*SelLocal*/) {
    com_codigo(Caption, [&] { WebBrowser1.Navigate(nome_do_arquivo); });
}

}  // namespace orvel
