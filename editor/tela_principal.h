#pragma once
// A janela principal: carga, barra de ferramentas, menus e os comandos do desenho.

#include "modelo/tela_principal.h"

namespace orvel {

class tela_principal : public dados_da_tela_principal {
public:
    tela_principal();

    void Form_Load() override;
    void Form_Activate() override {}

    // Criação, edição e eliminação de nós e links (botão, menu e menu suspenso).
    void inserir_no_button_Click();
    void mnuInserirNo_Click();
    void inserir_link_button_Click();
    void mnuInserirLink_Click();
    void mnuInserirLinkConversao_Click();
    void editar_no_button_Click();
    void mnuEditarNo_Click();
    void mnuEditarNoPop_Click();
    void editar_link_button_Click();
    void mnuEditarLink_Click();
    void mnuEditarLinkPop_Click();
    void eliminar_no_button_Click();
    void mnuEliminarNo_Click();
    void mnuEliminarNoPop_Click();
    void eliminar_link_button_Click();
    void mnuEliminarLink_Click();
    void mnuEliminarLinkPop_Click();

private:
    void criar_no();
    void criar_link(bool conversao);
    void editar_no();
    void editar_link();
    void apagar_no();
    void apagar_link();
};

tela_principal& tela_principal_completa();

}  // namespace orvel
