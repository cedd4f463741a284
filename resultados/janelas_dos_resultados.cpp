#include "resultados/janelas_dos_resultados.h"

#include "modelo/tela_principal.h"

namespace orvel {

formulario& frmDiagrama_de_barras_final_versao2() { return formulario_unico<janela_diagrama_de_barras_final>(); }
formulario& frmRede_dinamica_versao2() { return formulario_unico<janela_rede_dinamica>(); }
formulario& frmBrowse() { return formulario_unico<janela_relatorio>(); }

void janela_diagrama_de_barras_final::Form_Load() {
    Left = (tela().Width - Width) / 2;
    Top = (tela().Height - Height) / 2;
}

void janela_relatorio::Form_Load() {
    auto& principal = frmTela_principal_versao2();
    Left = principal.Left;
    Top = principal.Top;
    Width = principal.Width;
    Height = principal.Height;
}

}  // namespace orvel
