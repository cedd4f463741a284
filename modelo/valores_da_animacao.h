#pragma once
// Valores da rede animada e da janela de apresentação.

#include "modelo/rede.h"

namespace orvel {

inline tabela<Integer, max_links> caixa_da_animacao;
inline tabela<Single, max_links> comprimento_do_link_1;
inline tabela<Single, max_links> comprimento_do_link_2;
inline bool reiniciar_apresentacao = false;
inline Byte no_do_diagrama = 0;

// A apresentação inicial terminou ou a área de desenho já recebeu um clique.
inline bool apresentacao_encerrada = false;

}  // namespace orvel
