#include "resultados/janelas_dos_resultados.h"

#include "modelo/tela_principal.h"

namespace orvel {

formulario& frmDiagrama_de_barras_final_versao2() { return formulario_unico<janela_diagrama_de_barras_final>(); }
formulario& frmRede_dinamica_versao2() { return formulario_unico<janela_rede_dinamica>(); }

void janela_diagrama_de_barras_final::Form_Load() {
    Left = (tela().Width - Width) / 2;
    Top = (tela().Height - Height) / 2;
}

}  // namespace orvel
