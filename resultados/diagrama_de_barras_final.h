#pragma once
// O diagrama de barras final de um nó, como o processamento o deixou: uma linha de barras
// coloridas por grupo semafórico, uma barra por intervalo do ciclo, o instante de cada divisa,
// a duração de cada intervalo e, num nó com demanda de pedestres, as marcas do intervalo
// demandado ("D") e do beneficiado ("B"). O usuário dá o nome do nó, aperta "Apl", pode
// escrever o nome do nó e o da rede, que entram na figura, e imprime a janela com "Imp".
//
// A janela tem dois estados: o de entrada (a cada ativação: caixa do código e "Apl") e o do
// diagrama (depois de "Apl": só "Imp"). Para ver outro nó, o usuário sai da janela e volta.

#include <array>

#include "plataforma/formularios.h"

namespace orvel {

class janela_diagrama_de_barras_final : public formulario {
public:
    janela_diagrama_de_barras_final();

    botao_de_comando Command2{*this, "Command2"};  // "Apl"
    botao_de_comando Command1{*this, "Command1"};  // "Imp"
    caixa_de_texto Text3{*this, "Text3"};          // nome (código) do nó a mostrar
    rotulo Label16{*this, "Label16"};
    caixa_de_texto Text1{*this, "Text1"};  // nome do nó, livre
    rotulo Label14{*this, "Label14"};
    caixa_de_texto Text2{*this, "Text2"};  // nome da rede, livre
    rotulo Label15{*this, "Label15"};
    matriz_de_controles<rotulo> Label9{*this, "Label9"};  // instantes nas divisas
    rotulo Label1{*this, "Label1"};
    rotulo Label2{*this, "Label2"};
    rotulo Label3{*this, "Label3"};
    rotulo Label4{*this, "Label4"};
    rotulo Label5{*this, "Label5"};
    rotulo Label6{*this, "Label6"};
    rotulo Label7{*this, "Label7"};
    rotulo Label8{*this, "Label8"};
    matriz_de_controles<forma> Shape1{*this, "Shape1"};
    matriz_de_controles<forma> Shape2{*this, "Shape2"};
    matriz_de_controles<forma> Shape3{*this, "Shape3"};
    matriz_de_controles<forma> Shape4{*this, "Shape4"};
    matriz_de_controles<forma> Shape5{*this, "Shape5"};
    matriz_de_controles<forma> Shape6{*this, "Shape6"};
    matriz_de_controles<forma> Shape7{*this, "Shape7"};
    matriz_de_controles<forma> Shape8{*this, "Shape8"};
    rotulo Label10{*this, "Label10"};                      // "Duração"
    matriz_de_controles<rotulo> Label11{*this, "Label11"};  // durações
    rotulo Label12{*this, "Label12"};                      // "Demanda"
    matriz_de_controles<rotulo> Label13{*this, "Label13"};  // marcas "D" e "B"
    linha Line1{*this, "Line1"};                           // eixo do tempo
    linha Line2{*this, "Line2"};                           // começo do ciclo
    linha Line3{*this, "Line3"};                           // fim do ciclo
    matriz_de_controles<linha> Line4{*this, "Line4"};       // divisas dos intervalos

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload(Integer& cancelar) override;
    void Command2_Click();
    void Command1_Click();

    // O título e as barras do grupo g (1..8).
    rotulo& titulo_do_grupo(int g) { return *titulos_[static_cast<std::size_t>(g)]; }
    matriz_de_controles<forma>& barras_do_grupo(int g) { return *barras_[static_cast<std::size_t>(g)]; }

private:
    void desenhar();
    void remover();
    void fonte_dos_titulos(Single tamanho);  // "Nome do nó:" e "Nome da rede:"

    std::array<rotulo*, 9> titulos_{};
    std::array<matriz_de_controles<forma>*, 9> barras_{};
};

janela_diagrama_de_barras_final& diagrama_de_barras_final_unico();

// A cor em que um código de estado do intervalo é mostrado (0 sem estado, 1 verde, 2 amarelo,
// 3 vermelho); false para um código fora de 0..3.
bool cor_do_estado_do_intervalo(Byte codigo, Long& cor);

}  // namespace orvel
