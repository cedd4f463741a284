#pragma once
// A janela de apresentação: a primeira janela do programa. Durante quatro segundos mostra o
// semáforo verde, o amarelo, o vermelho e de novo o verde; no primeiro tique do temporizador
// carrega a janela principal e põe nela o rótulo da versão; no fim, mostra a janela principal.
// Uma tecla ou um clique encerram a apresentação na hora.

#include <string>

#include "plataforma/formularios.h"

namespace orvel {

inline constexpr Integer versao_maior = 1;
inline constexpr Integer versao_menor = 0;

// "ORVEL  1.0": o nome, dois espaços e a versão.
std::string texto_da_versao();

// Leitura do relógio (segundos) quando a apresentação foi carregada.
inline Single instante_da_apresentacao = 0;

// As figuras do semáforo, desenhadas pelo próprio programa.
inline constexpr char figura_semaforo_verde[] = "semaforo_verde";
inline constexpr char figura_semaforo_amarelo[] = "semaforo_amarelo";
inline constexpr char figura_semaforo_vermelho[] = "semaforo_vermelho";

class janela_apresentacao : public formulario {
public:
    janela_apresentacao();

    // As três caixas cobrem a janela; a de uma fase mais adiante fica por cima, para que um
    // tique atrasado (que pula uma fase) não deixe à vista a figura de antes.
    temporizador Timer1{*this, "Timer1"};
    caixa_de_imagem pctOrvel_vermelho{*this, "pctOrvel_vermelho"};
    caixa_de_imagem pctOrvel_amarelo{*this, "pctOrvel_amarelo"};
    caixa_de_imagem pctOrvel_verde{*this, "pctOrvel_verde"};

    // A figura de fundo da própria janela.
    std::string Picture = figura_semaforo_verde;

    void Form_Load() override;
    // O pedido de fechar que vem da moldura (Alt+F4, o botão de fechar) é recusado: a
    // apresentação só acaba pelo tempo, por uma tecla ou por um clique, e então mostra a janela
    // principal. Sem isso, a janela principal, carregada mas ainda escondida, nunca apareceria.
    void Form_QueryUnload(Integer& cancelar, Integer modo) override;
    void Timer1_Timer();
    void Form_KeyPress(Integer& codigo) override;
    void Form_MouseUp(Integer botao, Integer shift, Single x, Single y) override;
};

janela_apresentacao& apresentacao_unica();
formulario& frmApresentacao_orvel_versao2();

}  // namespace orvel
