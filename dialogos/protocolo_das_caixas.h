#pragma once
// O teclado e o foco nas caixas dos diálogos de dados (o editor de link e as opções da rede):
// perder o foco guarda a caixa; Enter numa caixa a guarda e, guardada, confirma; Enter na
// janela confirma. O Enter é engolido nos dois casos.

#include <functional>

#include "plataforma/formularios.h"
#include "plataforma/tipos.h"

namespace orvel {

// Liga o KeyPress e o LostFocus da caixa. `guardar` devolve false quando a caixa não foi
// guardada (um número que não coube): o Enter então não confirma.
void ligar_caixa_de_dados(caixa_de_texto& caixa, std::function<bool(caixa_de_texto&)> guardar,
                          std::function<void()> confirmar);

// O Enter que chega à janela: engole a tecla e confirma; outra tecla passa.
void enter_da_janela_confirma(Integer& codigo, const std::function<void()>& confirmar);

// O botão "Cancelar" de um diálogo: Esc o aperta, e a caixa que perde o foco para ele não
// guarda nem confere o seu número (nada vai ser gravado). Se o foco seguir dele para outro
// controle, a caixa guarda então, com a sua conferência.
void sair_sem_validar(botao_de_comando& cancelar);

}  // namespace orvel
