#include "dialogos/janelas_dos_dialogos.h"

#include "modelo/tela_principal.h"

namespace orvel {

formulario& frmEditarNo_versao2() { return formulario_unico<janela_editar_no>(); }

}  // namespace orvel
