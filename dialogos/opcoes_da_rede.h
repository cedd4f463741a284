#pragma once
// O diálogo "Dados opcionais": as cinco opções da rede, editadas nas suas cópias de edição e
// confirmadas só quando todas as verificações passam.

#include "plataforma/formularios.h"

namespace orvel {

class janela_opcoes_da_rede : public formulario {
public:
    janela_opcoes_da_rede();

    forma Shape1{*this, "Shape1"};
    rotulo Label7{*this, "Label7"};
    caixa_de_texto t_de_ciclo_imposto_texto{*this, "t_de_ciclo_imposto_texto"};
    rotulo Label5{*this, "Label5"};
    caixa_de_texto t_de_ciclo_maximo_texto{*this, "t_de_ciclo_maximo_texto"};
    rotulo Label1{*this, "Label1"};
    caixa_de_texto grau_de_saturacao_meta_texto{*this, "grau_de_saturacao_meta_texto"};
    rotulo Label2{*this, "Label2"};
    caixa_de_texto grau_de_saturacao_limite_texto{*this, "grau_de_saturacao_limite_texto"};
    rotulo Label3{*this, "Label3"};
    caixa_de_texto peso_da_parada_texto{*this, "peso_da_parada_texto"};
    rotulo Label4{*this, "Label4"};
    botao_de_comando inserir_dados_button{*this, "inserir_dados_button"};
    botao_de_comando cancelar_button{*this, "cancelar_button"};

    void Form_Load() override;
    void Form_Activate() override;    // "Erro 112"
    void Form_Deactivate() override;
    void Form_Unload(Integer& cancelar) override;
    void Form_KeyPress(Integer& codigo) override;

    void inserir_dados_button_Click();  // "Erro 113"
    void cancelar_button_Click();

    void limpar_editor_de_rede();

private:
    // Guarda a caixa na sua cópia de edição. Um número que não cabe no tipo não é guardado:
    // o aviso diz a caixa e a faixa, o foco fica nela e devolve false.
    bool guardar(caixa_de_texto& caixa);
    caixa_de_texto* caixa_recusada_ = nullptr;
};

janela_opcoes_da_rede& opcoes_da_rede_unica();

}  // namespace orvel
