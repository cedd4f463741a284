#include "modelo/buffers_de_edicao.h"

namespace orvel {

void esvaziar_cores_editadas(int n) {
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= limite_de_intervalos; ++k) cor_do_intervalo_do_grupo_editado(n, g, k) = 0;
}

void esvaziar_no_editado(int n) { esvaziar_posicao_do_no(contexto().edicao, n); }

}  // namespace orvel
