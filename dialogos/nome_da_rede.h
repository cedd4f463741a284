#pragma once
// O diálogo do nome da rede: o nome vai direto para nome_da_rede_dado, sem cópia de edição.

#include "plataforma/formularios.h"

namespace orvel {

class janela_nome_da_rede : public formulario {
public:
    janela_nome_da_rede();

    caixa_de_texto nome_da_rede_texto{*this, "nome_da_rede_texto"};
    botao_de_comando Command1{*this, "Command1"};  // "Inserir Nome"
    botao_de_comando Command2{*this, "Command2"};  // "Cancelar"

    void Form_Activate() override;
    void Command1_Click();  // "Erro 110"
    void Command2_Click();

    void limpar_editor_de_nome_da_rede();
};

janela_nome_da_rede& nome_da_rede_unico();

}  // namespace orvel
