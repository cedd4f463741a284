#pragma once
// As janelas dos diálogos de entrada de dados. O conteúdo de cada uma vem com o seu diálogo;
// por ora são janelas com título, carregadas uma vez e escondidas.

#include "plataforma/formularios.h"

namespace orvel {

class janela_editar_link : public formulario {
public:
    janela_editar_link() : formulario("frmEditarLink_versao2") { borda_fixa = true; }
};

class janela_nome_da_rede : public formulario {
public:
    janela_nome_da_rede() : formulario("frmNome_da_rede_versao2") { borda_fixa = true; }
};

class janela_opcoes_da_rede : public formulario {
public:
    janela_opcoes_da_rede() : formulario("frmRede_versao2") { borda_fixa = true; }
};

}  // namespace orvel
