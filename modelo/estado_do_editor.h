#pragma once
// Estado do editor de desenho que as outras camadas também leem ou limpam.

#include "modelo/rede.h"

namespace orvel {

inline bool desenhando = false;        // modo de desenho
inline Byte no_selecionado = 0;        // 0 = nenhum
inline Byte link_selecionado = 0;      // 0 = nenhum
inline bool link_de_conversao = false; // o próximo link criado é de conversão

// Geometria dos nós calculada pelo editor (twips). Guardada em 32 bits: numa tela larga as
// coordenadas passam de 32767 twips; o arredondamento é o mesmo, metade para o par.
inline tabela<Long, max_nos> x_do_no;
inline tabela<Long, max_nos> y_do_no;
inline tabela<Long, max_nos> raio_do_no;
inline tabela<bool, max_nos> no_em_arrasto;

// Arrasto de um link.
inline bool arrastando_inicio_do_link = false;
inline bool arrastando_fim_do_link = false;
inline bool arrastando_link = false;
inline Long x_inicial_do_arrasto = 0;
inline Long y_inicial_do_arrasto = 0;
inline Long x1_inicial_do_link = 0;
inline Long x2_inicial_do_link = 0;
inline Long y1_inicial_do_link = 0;
inline Long y2_inicial_do_link = 0;

}  // namespace orvel

namespace orvel {

// Twips por pixel da tela, arredondados para inteiros de 16 bits na carga da janela principal.
inline Integer twips_por_pixel_x = 15;
inline Integer twips_por_pixel_y = 15;

}  // namespace orvel
