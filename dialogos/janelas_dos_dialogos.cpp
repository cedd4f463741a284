#include "dialogos/janelas_dos_dialogos.h"

#include "modelo/tela_principal.h"

namespace orvel {

formulario& frmEditarLink_versao2() { return formulario_unico<janela_editar_link>(); }
formulario& frmNome_da_rede_versao2() { return formulario_unico<janela_nome_da_rede>(); }
formulario& frmRede_versao2() { return formulario_unico<janela_opcoes_da_rede>(); }

}  // namespace orvel
