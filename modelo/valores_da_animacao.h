#pragma once
// Valores da rede animada e da janela de apresentação.

#include "modelo/contexto_do_processo.h"
#include "modelo/rede.h"

namespace orvel {

inline auto& caixa_da_animacao = contexto_global.animacao.caixa_da_animacao;
inline auto& comprimento_do_link_1 = contexto_global.animacao.comprimento_do_link_1;
inline auto& comprimento_do_link_2 = contexto_global.animacao.comprimento_do_link_2;
inline auto& reiniciar_apresentacao = contexto_global.animacao.reiniciar_apresentacao;
inline auto& no_do_diagrama = contexto_global.animacao.no_do_diagrama;

// A apresentação inicial terminou ou a área de desenho já recebeu um clique.
inline auto& apresentacao_encerrada = contexto_global.janelas.apresentacao_encerrada;

}  // namespace orvel
