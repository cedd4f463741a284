#pragma once
// O editor de link: os dados de entrada do link selecionado na janela principal
// (link_selecionado), editados nas cópias de edição e confirmados por "Inserir dados".

#include <array>

#include "plataforma/formularios.h"

namespace orvel {

class janela_editar_link : public formulario {
public:
    janela_editar_link();

    rotulo Label1{*this, "Label1"};
    caixa_de_texto codigo_texto{*this, "codigo_texto"};
    forma Shape3{*this, "Shape3"};
    rotulo Label13{*this, "Label13"};
    caixa_de_texto no_origem_texto{*this, "no_origem_texto"};
    rotulo Label2{*this, "Label2"};
    caixa_de_texto no_destino_texto{*this, "no_destino_texto"};
    rotulo Label3{*this, "Label3"};
    caixa_de_texto verde_de_seguranca_texto{*this, "verde_de_seguranca_texto"};
    rotulo Label8{*this, "Label8"};
    caixa_de_texto fluxo_texto{*this, "fluxo_texto"};
    rotulo Label4{*this, "Label4"};
    caixa_de_texto fluxo_de_saturacao_texto{*this, "fluxo_de_saturacao_texto"};
    rotulo Label5{*this, "Label5"};
    caixa_de_texto t_de_percurso_texto{*this, "t_de_percurso_texto"};
    rotulo Label6{*this, "Label6"};
    caixa_de_texto capacidade_da_caixa_texto{*this, "capacidade_da_caixa_texto"};
    rotulo Label7{*this, "Label7"};
    forma Shape2{*this, "Shape2"};
    rotulo Label12{*this, "Label12"};
    matriz_de_controles<caixa_de_texto> codigo_do_iesimo_recebedor_texto{*this, "codigo_do_iesimo_recebedor_texto"};
    matriz_de_controles<rotulo> Label9{*this, "Label9"};
    rotulo Label11{*this, "Label11"};
    matriz_de_controles<caixa_de_texto> valor_do_iesimo_fornecimento_texto{*this, "valor_do_iesimo_fornecimento_texto"};
    matriz_de_controles<rotulo> Label10{*this, "Label10"};
    rotulo Label14{*this, "Label14"};
    botao_de_comando calculadora_command{*this, "calculadora_command"};
    botao_de_comando inserir_dados_button{*this, "inserir_dados_button"};
    botao_de_comando cancelar_button{*this, "cancelar_button"};

    void Form_Load() override;
    void Form_Activate() override;  // "Erro 103"
    void Form_Deactivate() override;
    void Form_Unload(Integer& cancelar) override;
    void Form_KeyPress(Integer& codigo) override;

    void inserir_dados_button_Click();  // "Erro 101"
    void cancelar_button_Click();

    void limpar_editor_de_link();

    // As caixas na ordem de tabulação: código, origem, destino, verde de segurança, fluxo,
    // fluxo de saturação, tempo de percurso, capacidade e, de cada recebedor, o nome e o valor.
    std::array<caixa_de_texto*, 16> caixas();

private:
    // Guarda a caixa na cópia de edição do link selecionado. Um número que não cabe no tipo
    // não é guardado: o aviso diz a caixa e a faixa, o foco fica nela e devolve false.
    bool guardar(caixa_de_texto& caixa);
    void confirmar();
    caixa_de_texto* caixa_recusada_ = nullptr;
};

janela_editar_link& editor_de_link_unico();

}  // namespace orvel
