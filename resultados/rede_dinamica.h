#pragma once
// A rede animada: repassa, sobre uma cópia do desenho da rede, a gravação segundo a segundo da
// simulação das filas. Cada link ganha uma linha grossa de fila que cresce para trás a partir
// do ponto de parada, na proporção da fila, e a cor do estado do seu sinal; cada tique do
// temporizador mostra um segundo simulado. A janela principal a mostra modal, depois da
// gravação, e a carrega de novo a cada vez: os elementos criados não sobrevivem ao fechamento.

#include "plataforma/formularios.h"

namespace orvel {

class janela_rede_dinamica : public formulario {
public:
    janela_rede_dinamica();

    // Cabeçalho. A faixa (Label13) fica por baixo dos rótulos que estão sobre ela.
    rotulo Label14{*this, "Label14"};
    caixa_de_texto Text1{*this, "Text1"};          // escala de tempos
    botao_de_comando Command1{*this, "Command1"};  // "Iniciar apresentação"
    botao_de_comando Command2{*this, "Command2"};  // "Parar apresentação"
    rotulo Label8{*this, "Label8"};
    rotulo Label7{*this, "Label7"};  // período de simulação
    rotulo Label9{*this, "Label9"};
    rotulo Label6{*this, "Label6"};
    rotulo Label5{*this, "Label5"};  // segundos desde o começo da apresentação
    rotulo Label10{*this, "Label10"};
    rotulo Label11{*this, "Label11"};  // ciclo
    rotulo Label12{*this, "Label12"};
    rotulo Label4{*this, "Label4"};
    rotulo Label3{*this, "Label3"};  // instante no ciclo
    linha Line7{*this, "Line7"};
    linha Line8{*this, "Line8"};
    rotulo Label13{*this, "Label13"};
    temporizador Timer1{*this, "Timer1"};

    // O desenho: o elemento i é o do nó ou do link da posição i.
    matriz_de_controles<forma> Shape1{*this, "Shape1"};         // círculo do nó
    matriz_de_controles<rotulo> Label1{*this, "Label1"};        // nome do nó
    matriz_de_controles<rotulo> Label2{*this, "Label2"};        // nome do link (nunca mostrado)
    matriz_de_controles<linha> Line3{*this, "Line3"};           // corpo do link
    matriz_de_controles<linha> Line4{*this, "Line4"};           // uma haste da seta
    matriz_de_controles<linha> Line5{*this, "Line5"};           // a outra haste
    matriz_de_controles<linha> braco_line{*this, "braco_line"};  // braço de um link de conversão
    matriz_de_controles<linha> Line1{*this, "Line1"};           // fila sobre o corpo
    matriz_de_controles<linha> cor_braco{*this, "cor_braco"};    // fila sobre o braço

    void Form_Load() override;
    void Form_Activate() override;
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();

    Integer instante_da_animacao() const { return instante_da_animacao_; }

private:
    void copiar_o_desenho();
    void mostrar_o_instante();
    void desenhar_a_fila(int l, Single r);

    Integer instante_da_animacao_ = 0;  // o segundo simulado à vista
};

janela_rede_dinamica& rede_dinamica_unica();

}  // namespace orvel
