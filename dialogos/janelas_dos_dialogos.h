#pragma once
// As janelas dos diálogos de entrada de dados. O conteúdo de cada uma vem com o seu diálogo;
// por ora são janelas com título, carregadas uma vez e escondidas.

#include "plataforma/formularios.h"

namespace orvel {

class janela_editar_no : public formulario {
public:
    janela_editar_no() : formulario("frmEditarNo_versao2") { borda_fixa = true; }
};

}  // namespace orvel
