#pragma once
// A rede como o usuário a entrou (as tabelas que o arquivo de projeto guarda) e o estado
// do projeto. Nós ocupam as posições 1..50 e links 1..150; a posição 0 existe em toda
// tabela e nunca é usada. Toda passada pelos nós ou links vai de 1 até a maior posição em
// uso (ou até o limite da tabela) e pula as posições cuja existência é False.
//
// As tabelas se referem a nós e links pelo nome, nunca pela posição; dois nomes são o
// mesmo quando iguais depois de aparados e postos em maiúsculas (nomes_iguais).

#include <string>

#include "modelo/contexto_do_processo.h"

namespace orvel {

// --- Opções da rede (0 = não imposto; o cálculo aplica então o padrão) ---
inline auto& nome_da_rede_dado = contexto_global.rede.nome_da_rede_dado;
inline auto& t_de_ciclo_imposto_dado = contexto_global.rede.t_de_ciclo_imposto_dado;
inline auto& t_de_ciclo_maximo_imposto_dado = contexto_global.rede.t_de_ciclo_maximo_imposto_dado;
inline auto& grau_de_saturacao_meta_imposto_dado = contexto_global.rede.grau_de_saturacao_meta_imposto_dado;
inline auto& grau_de_saturacao_limite_imposto_dado = contexto_global.rede.grau_de_saturacao_limite_imposto_dado;
inline auto& peso_da_parada_imposto_dado = contexto_global.rede.peso_da_parada_imposto_dado;

// --- Ocupação das posições ---
inline auto& existe_no = contexto_global.rede.existe_no;
inline auto& existe_link = contexto_global.rede.existe_link;
inline auto& total_de_nos_dado = contexto_global.rede.total_de_nos_dado;
inline auto& total_de_links_dado = contexto_global.rede.total_de_links_dado;
inline auto& max_indice_no = contexto_global.rede.max_indice_no;    // ao eliminar o último nó, guarda o valor que tinha
inline auto& max_indice_link = contexto_global.rede.max_indice_link;

// --- Nós ---
inline auto& nome_do_no_dado = contexto_global.rede.nome_do_no_dado;
inline auto& quant_de_grupos_dado = contexto_global.rede.quant_de_grupos_dado;
inline auto& eh_no_escravo_dado = contexto_global.rede.eh_no_escravo_dado;
inline auto& nome_do_mestre_dado = contexto_global.rede.nome_do_mestre_dado;
inline auto& intervalo_do_escravo_dado = contexto_global.rede.intervalo_do_escravo_dado;
inline auto& intervalo_do_mestre_dado = contexto_global.rede.intervalo_do_mestre_dado;
inline auto& defasagem_forcada_dado = contexto_global.rede.defasagem_forcada_dado;
inline auto& eh_no_demandado_dado = contexto_global.rede.eh_no_demandado_dado;
inline auto& n_acionamentos_dado = contexto_global.rede.n_acionamentos_dado;
inline auto& intervalo_demandado_dado = contexto_global.rede.intervalo_demandado_dado;
inline auto& intervalo_beneficiado_dado = contexto_global.rede.intervalo_beneficiado_dado;
inline auto& eh_ciclo_duplo_permitido_dado = contexto_global.rede.eh_ciclo_duplo_permitido_dado;
inline auto& quant_de_intervalos_antes_dado = contexto_global.rede.quant_de_intervalos_antes_dado;
inline auto& nome_dos_links_do_grupo_dado = contexto_global.rede.nome_dos_links_do_grupo_dado;
inline auto& existe_ordenada_dado = contexto_global.rede.existe_ordenada_dado;
inline auto& cor_do_intervalo_do_grupo_dado = contexto_global.rede.cor_do_intervalo_do_grupo_dado;
inline auto& duracao_imposta_dado = contexto_global.rede.duracao_imposta_dado;

// --- Links ---
inline auto& nome_do_link_dado = contexto_global.rede.nome_do_link_dado;
inline auto& nome_do_no_origem_dado = contexto_global.rede.nome_do_no_origem_dado;  // "" = link de entrada
inline auto& nome_do_no_destino_dado = contexto_global.rede.nome_do_no_destino_dado;
inline auto& verde_de_seguranca_dado = contexto_global.rede.verde_de_seguranca_dado;
inline auto& fluxo_dado = contexto_global.rede.fluxo_dado;                 // veículos por hora
inline auto& fluxo_de_saturacao_dado = contexto_global.rede.fluxo_de_saturacao_dado;    // veículos por hora
inline auto& t_de_percurso_dado = contexto_global.rede.t_de_percurso_dado;
inline auto& capacidade_da_caixa_dado = contexto_global.rede.capacidade_da_caixa_dado;
inline auto& nome_do_recebedor_dado = contexto_global.rede.nome_do_recebedor_dado;
inline auto& valor_do_fornecimento_dado = contexto_global.rede.valor_do_fornecimento_dado;
inline auto& eh_link_conversao = contexto_global.rede.eh_link_conversao;

// --- Estado do projeto ---
inline auto& nome_do_arquivo = contexto_global.projeto.nome_do_arquivo;     // caminho completo; "" = nunca salvo nem aberto
inline auto& caption_dos_forms = contexto_global.projeto.caption_dos_forms;   // a parte do nome do arquivo no caminho
inline auto& salvar_como = contexto_global.projeto.salvar_como;
inline auto& projeto_alterado = contexto_global.projeto.projeto_alterado;
inline auto& dados_ok = contexto_global.projeto.dados_ok;
inline auto& parar_processamento = contexto_global.projeto.parar_processamento;
inline auto& processando = contexto_global.projeto.processando;        // um "Processar" está em andamento (o botão de parar o desliga)
inline auto& execucao_em_curso = contexto_global.projeto.execucao_em_curso;  // de "Processar" até o processamento voltar: nenhum outro comando age
// Cresce a cada mudança da rede que o cálculo lê (nó ou link criado, eliminado ou com dados
// confirmados, opções confirmadas, outro projeto aberto ou um novo): quem guardou o valor sabe
// se a rede ainda é a mesma. Nenhuma limpeza o volta a zero.
inline auto& revisao_da_rede = contexto_global.projeto.revisao_da_rede;
// A revisão que os resultados de agora calcularam: a do último processamento completo, ou a da
// rede lida de um arquivo com os seus resultados; revisao_sem_resultados desde o começo de uma
// execução até o fim dela. Diferente de revisao_da_rede, as vistas dos resultados pedem que a
// rede seja processada de novo e o salvamento grava as chaves de resultado vazias.
inline auto& revisao_processada = contexto_global.projeto.revisao_processada;

// Textos das listas do arquivo de projeto, montados e lidos um nó (ou o arquivo) por vez.
inline auto& relacao_de_links = contexto_global.listas.relacao_de_links;
inline auto& relacao_de_nos = contexto_global.listas.relacao_de_nos;
inline auto& lista_dos_links_do_grupo = contexto_global.listas.lista_dos_links_do_grupo;       // grupos 1..8
inline auto& lista_de_existe_ordenada = contexto_global.listas.lista_de_existe_ordenada;
inline auto& lista_de_cor_do_grupo = contexto_global.listas.lista_de_cor_do_grupo;          // grupos 1..8
inline auto& lista_de_cor_do_grupo_depois = contexto_global.listas.lista_de_cor_do_grupo_depois;   // grupos 1..8
inline auto& lista_de_duracao_imposta = contexto_global.listas.lista_de_duracao_imposta;

}  // namespace orvel
