#pragma once
// Cópias de edição dos diálogos: preenchidas quando um diálogo se abre e copiadas para as
// tabelas da rede só por uma confirmação que passa em todas as verificações.

#include <string>

#include "modelo/contexto_do_processo.h"
#include "modelo/rede.h"

namespace orvel {

// Editor de nó (posições de nó 1..50).
inline auto& nome_do_no_editado = contexto_global.edicao.nome_do_no_editado;
inline auto& quant_de_grupos_editado = contexto_global.edicao.quant_de_grupos_editado;
inline auto& eh_no_escravo_editado = contexto_global.edicao.eh_no_escravo_editado;
inline auto& nome_do_mestre_editado = contexto_global.edicao.nome_do_mestre_editado;
inline auto& intervalo_do_escravo_editado = contexto_global.edicao.intervalo_do_escravo_editado;
inline auto& intervalo_do_mestre_editado = contexto_global.edicao.intervalo_do_mestre_editado;
inline auto& defasagem_forcada_editado = contexto_global.edicao.defasagem_forcada_editado;
inline auto& eh_no_demandado_editado = contexto_global.edicao.eh_no_demandado_editado;
inline auto& n_acionamentos_editado = contexto_global.edicao.n_acionamentos_editado;
inline auto& intervalo_demandado_editado = contexto_global.edicao.intervalo_demandado_editado;
inline auto& intervalo_beneficiado_editado = contexto_global.edicao.intervalo_beneficiado_editado;
inline auto& eh_ciclo_duplo_permitido_editado = contexto_global.edicao.eh_ciclo_duplo_permitido_editado;
inline auto& quant_de_intervalos_antes_editado = contexto_global.edicao.quant_de_intervalos_antes_editado;
inline auto& nome_dos_links_do_grupo_editado = contexto_global.edicao.nome_dos_links_do_grupo_editado;
inline auto& cor_do_intervalo_do_grupo_editado = contexto_global.edicao.cor_do_intervalo_do_grupo_editado;
inline auto& existe_ordenada_editado = contexto_global.edicao.existe_ordenada_editado;
inline auto& duracao_imposta_editado = contexto_global.edicao.duracao_imposta_editado;

// Esvazia as cópias de edição do nó da posição n (a rede limpa e a eliminação do nó), de modo
// que um nó novo na mesma posição não herde nada do antigo.
inline void esvaziar_no_editado(int n) { esvaziar_posicao_do_no(contexto().edicao, n); }
// Os códigos de estado de todos os grupos da posição n voltam a "não definido".
inline void esvaziar_cores_editadas(int n) {
    for (int g = 1; g <= max_grupos; ++g)
        for (int k = 1; k <= limite_de_intervalos; ++k) contexto().edicao.cor_do_intervalo_do_grupo_editado(n, g, k) = 0;
}

// Editor de link (posições de link 1..150).
inline auto& nome_do_link_editado = contexto_global.edicao.nome_do_link_editado;
inline auto& nome_do_no_origem_editado = contexto_global.edicao.nome_do_no_origem_editado;
inline auto& nome_do_no_destino_editado = contexto_global.edicao.nome_do_no_destino_editado;
inline auto& verde_de_seguranca_editado = contexto_global.edicao.verde_de_seguranca_editado;
inline auto& fluxo_editado = contexto_global.edicao.fluxo_editado;
inline auto& fluxo_de_saturacao_editado = contexto_global.edicao.fluxo_de_saturacao_editado;
inline auto& t_de_percurso_editado = contexto_global.edicao.t_de_percurso_editado;
inline auto& capacidade_da_caixa_editado = contexto_global.edicao.capacidade_da_caixa_editado;
inline auto& nome_do_recebedor_editado = contexto_global.edicao.nome_do_recebedor_editado;
inline auto& valor_do_fornecimento_editado = contexto_global.edicao.valor_do_fornecimento_editado;

// Diálogo de opções da rede.
inline auto& t_de_ciclo_imposto_editado = contexto_global.edicao.t_de_ciclo_imposto_editado;
inline auto& t_de_ciclo_maximo_imposto_editado = contexto_global.edicao.t_de_ciclo_maximo_imposto_editado;
inline auto& grau_de_saturacao_meta_imposto_editado = contexto_global.edicao.grau_de_saturacao_meta_imposto_editado;
inline auto& grau_de_saturacao_limite_imposto_editado = contexto_global.edicao.grau_de_saturacao_limite_imposto_editado;
inline auto& peso_da_parada_imposto_editado = contexto_global.edicao.peso_da_parada_imposto_editado;

}  // namespace orvel
