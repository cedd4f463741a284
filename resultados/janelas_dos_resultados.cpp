#include "resultados/janelas_dos_resultados.h"

#include "modelo/tela_principal.h"

namespace orvel {

formulario& frmBrowse() { return formulario_unico<janela_relatorio>(); }

void janela_relatorio::Form_Load() {
    auto& principal = frmTela_principal_versao2();
    Left = principal.Left;
    Top = principal.Top;
    Width = principal.Width;
    Height = principal.Height;
}

}  // namespace orvel
