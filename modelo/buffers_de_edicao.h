#pragma once
// Cópias de edição dos diálogos: preenchidas quando um diálogo se abre e copiadas para as
// tabelas da rede só por uma confirmação que passa em todas as verificações.

#include <string>

#include "modelo/rede.h"

namespace orvel {

// Editor de nó (posições de nó 1..50).
inline tabela<std::string, max_nos> nome_do_no_editado;
inline tabela<Byte, max_nos> quant_de_grupos_editado;
inline tabela<bool, max_nos> eh_no_escravo_editado;
inline tabela<std::string, max_nos> nome_do_mestre_editado;
inline tabela<Byte, max_nos> intervalo_do_escravo_editado;
inline tabela<Byte, max_nos> intervalo_do_mestre_editado;
inline tabela<Integer, max_nos> defasagem_forcada_editado;
inline tabela<bool, max_nos> eh_no_demandado_editado;
inline tabela<Integer, max_nos> n_acionamentos_editado;
inline tabela<Byte, max_nos> intervalo_demandado_editado;
inline tabela<Byte, max_nos> intervalo_beneficiado_editado;
inline tabela<bool, max_nos> eh_ciclo_duplo_permitido_editado;
inline tabela<Byte, max_nos> quant_de_intervalos_antes_editado;
inline tabela<std::string, max_nos, max_grupos, max_links_por_grupo> nome_dos_links_do_grupo_editado;
inline tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo_editado;
inline tabela<bool, max_nos, max_colunas> existe_ordenada_editado;
inline tabela<Integer, max_nos, limite_de_intervalos> duracao_imposta_editado;

// Esvazia as cópias de edição do nó da posição n (a rede limpa e a eliminação do nó), de modo
// que um nó novo na mesma posição não herde nada do antigo.
void esvaziar_no_editado(int n);
// Os códigos de estado de todos os grupos da posição n voltam a "não definido".
void esvaziar_cores_editadas(int n);

// Editor de link (posições de link 1..150).
inline tabela<std::string, max_links> nome_do_link_editado;
inline tabela<std::string, max_links> nome_do_no_origem_editado;
inline tabela<std::string, max_links> nome_do_no_destino_editado;
inline tabela<Byte, max_links> verde_de_seguranca_editado;
inline tabela<Single, max_links> fluxo_editado;
inline tabela<Single, max_links> fluxo_de_saturacao_editado;
inline tabela<Integer, max_links> t_de_percurso_editado;
inline tabela<Integer, max_links> capacidade_da_caixa_editado;
inline tabela<std::string, max_links, max_recebedores> nome_do_recebedor_editado;
inline tabela<Single, max_links, max_recebedores> valor_do_fornecimento_editado;

// Diálogo de opções da rede.
inline Integer t_de_ciclo_imposto_editado = 0;
inline Integer t_de_ciclo_maximo_imposto_editado = 0;
inline Single grau_de_saturacao_meta_imposto_editado = 0;
inline Single grau_de_saturacao_limite_imposto_editado = 0;
inline Integer peso_da_parada_imposto_editado = 0;

}  // namespace orvel
