#pragma once
// Estado do editor de desenho que as outras camadas também leem ou limpam.

#include "modelo/contexto_do_processo.h"
#include "modelo/rede.h"

namespace orvel {

inline auto& desenhando = contexto_global.editor.desenhando;        // modo de desenho
inline auto& no_selecionado = contexto_global.editor.no_selecionado;        // 0 = nenhum
inline auto& link_selecionado = contexto_global.editor.link_selecionado;      // 0 = nenhum
inline auto& link_de_conversao = contexto_global.editor.link_de_conversao; // o próximo link criado é de conversão

// Geometria dos nós calculada pelo editor (twips). Guardada em 32 bits: numa tela larga as
// coordenadas passam de 32767 twips; o arredondamento é o mesmo, metade para o par.
inline auto& x_do_no = contexto_global.editor.x_do_no;
inline auto& y_do_no = contexto_global.editor.y_do_no;
inline auto& raio_do_no = contexto_global.editor.raio_do_no;
inline auto& no_em_arrasto = contexto_global.editor.no_em_arrasto;

// Arrasto de um link.
inline auto& arrastando_inicio_do_link = contexto_global.editor.arrastando_inicio_do_link;
inline auto& arrastando_fim_do_link = contexto_global.editor.arrastando_fim_do_link;
inline auto& arrastando_link = contexto_global.editor.arrastando_link;
inline auto& x_inicial_do_arrasto = contexto_global.editor.x_inicial_do_arrasto;
inline auto& y_inicial_do_arrasto = contexto_global.editor.y_inicial_do_arrasto;
inline auto& x1_inicial_do_link = contexto_global.editor.x1_inicial_do_link;
inline auto& x2_inicial_do_link = contexto_global.editor.x2_inicial_do_link;
inline auto& y1_inicial_do_link = contexto_global.editor.y1_inicial_do_link;
inline auto& y2_inicial_do_link = contexto_global.editor.y2_inicial_do_link;

}  // namespace orvel

namespace orvel {

// Twips por pixel da tela, arredondados para inteiros de 16 bits na carga da janela principal.
inline auto& twips_por_pixel_x = contexto_global.janelas.twips_por_pixel_x;
inline auto& twips_por_pixel_y = contexto_global.janelas.twips_por_pixel_y;

}  // namespace orvel
