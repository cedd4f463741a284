#include "modelo/buffers_de_edicao.h"

namespace orvel {

void esvaziar_cores_editadas(int n) {
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= limite_de_intervalos; ++k) cor_do_intervalo_do_grupo_editado(n, g, k) = 0;
}

void esvaziar_no_editado(int n) {
    nome_do_no_editado(n).clear();
    quant_de_grupos_editado(n) = 0;
    eh_no_escravo_editado(n) = false;
    nome_do_mestre_editado(n).clear();
    intervalo_do_escravo_editado(n) = 0;
    intervalo_do_mestre_editado(n) = 0;
    defasagem_forcada_editado(n) = 0;
    eh_no_demandado_editado(n) = false;
    n_acionamentos_editado(n) = 0;
    intervalo_demandado_editado(n) = 0;
    intervalo_beneficiado_editado(n) = 0;
    eh_ciclo_duplo_permitido_editado(n) = false;
    quant_de_intervalos_antes_editado(n) = 0;
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= max_links_por_grupo; ++k) nome_dos_links_do_grupo_editado(n, g, k).clear();
    esvaziar_cores_editadas(n);
    for (int c = 1; c <= max_colunas; ++c) existe_ordenada_editado(n, c) = false;
    for (int k = 1; k <= limite_de_intervalos; ++k) duracao_imposta_editado(n, k) = 0;
}

}  // namespace orvel
