#pragma once
// Tabelas do cálculo: cópias de trabalho, dados derivados, estado das buscas de defasagem e
// do deslocamento de intervalos, estado da simulação segundo a segundo e resultados. Ficam
// aqui, junto das tabelas da rede, porque a limpeza da rede e o arquivo de projeto também
// as leem e escrevem; quem as preenche é o cálculo.

#include <string>

#include "modelo/contexto_da_rede.h"
#include "modelo/rede.h"

namespace orvel {

// --- Cópias de trabalho (Processar as preenche a partir das tabelas da rede) ---
inline auto& nome_da_rede = contexto_global.copias.nome_da_rede;
inline auto& t_de_ciclo_imposto = contexto_global.copias.t_de_ciclo_imposto;
inline auto& t_de_ciclo_maximo_imposto = contexto_global.copias.t_de_ciclo_maximo_imposto;
inline auto& peso_da_parada_imposto = contexto_global.copias.peso_da_parada_imposto;
inline auto& grau_de_saturacao_meta_imposto = contexto_global.copias.grau_de_saturacao_meta_imposto;
inline auto& grau_de_saturacao_limite_imposto = contexto_global.copias.grau_de_saturacao_limite_imposto;
inline auto& t_de_ciclo_maximo = contexto_global.copias.t_de_ciclo_maximo;
inline auto& peso_da_parada = contexto_global.copias.peso_da_parada;
inline auto& grau_de_saturacao_meta = contexto_global.copias.grau_de_saturacao_meta;
inline auto& grau_de_saturacao_limite = contexto_global.copias.grau_de_saturacao_limite;
inline auto& nome_do_no = contexto_global.copias.nome_do_no;
inline auto& nome_do_mestre = contexto_global.copias.nome_do_mestre;
inline auto& quant_de_grupos = contexto_global.copias.quant_de_grupos;
inline auto& quant_de_intervalos_antes = contexto_global.copias.quant_de_intervalos_antes;
inline auto& eh_no_escravo = contexto_global.copias.eh_no_escravo;
inline auto& eh_no_demandado = contexto_global.copias.eh_no_demandado;
inline auto& eh_ciclo_duplo_permitido = contexto_global.copias.eh_ciclo_duplo_permitido;
inline auto& intervalo_do_escravo = contexto_global.copias.intervalo_do_escravo;
inline auto& intervalo_do_mestre = contexto_global.copias.intervalo_do_mestre;
inline auto& intervalo_demandado = contexto_global.copias.intervalo_demandado;
inline auto& intervalo_beneficiado = contexto_global.copias.intervalo_beneficiado;
inline auto& defasagem_forcada = contexto_global.copias.defasagem_forcada;
inline auto& n_acionamentos = contexto_global.copias.n_acionamentos;
inline auto& nome_dos_links_do_grupo = contexto_global.copias.nome_dos_links_do_grupo;
inline auto& duracao_imposta = contexto_global.copias.duracao_imposta;
inline auto& cor_do_intervalo_do_grupo = contexto_global.copias.cor_do_intervalo_do_grupo;
inline auto& existe_ordenada = contexto_global.copias.existe_ordenada;
inline auto& nome_do_link = contexto_global.copias.nome_do_link;
inline auto& nome_do_no_origem = contexto_global.copias.nome_do_no_origem;
inline auto& nome_do_no_destino = contexto_global.copias.nome_do_no_destino;
inline auto& verde_de_seguranca = contexto_global.copias.verde_de_seguranca;
inline auto& fluxo_por_segundo = contexto_global.copias.fluxo_por_segundo;
inline auto& fluxo_de_saturacao_por_segundo = contexto_global.copias.fluxo_de_saturacao_por_segundo;
inline auto& t_de_percurso = contexto_global.copias.t_de_percurso;
inline auto& capacidade_da_caixa = contexto_global.copias.capacidade_da_caixa;  // 32000 = ilimitada
inline auto& nome_do_recebedor = contexto_global.copias.nome_do_recebedor;
inline auto& valor_do_fornecimento = contexto_global.copias.valor_do_fornecimento;

// --- Dados derivados ---
inline auto& no_origem = contexto_global.derivados.no_origem;  // 0 = link de entrada
inline auto& no_destino = contexto_global.derivados.no_destino;
inline auto& recebedor = contexto_global.derivados.recebedor;
inline auto& fluxo_fornecido = contexto_global.derivados.fluxo_fornecido;
inline auto& fracao_do_fornecimento = contexto_global.derivados.fracao_do_fornecimento;
inline auto& entrada_externa_por_segundo = contexto_global.derivados.entrada_externa_por_segundo;
inline auto& capacidade_util_da_caixa = contexto_global.derivados.capacidade_util_da_caixa;
inline auto& y = contexto_global.derivados.y;
inline auto& link_pertence_ao_grupo = contexto_global.derivados.link_pertence_ao_grupo;
inline auto& grupo_verde_no_intervalo = contexto_global.derivados.grupo_verde_no_intervalo;
inline auto& link_verde_no_intervalo = contexto_global.derivados.link_verde_no_intervalo;
inline auto& grupos_conflitantes = contexto_global.derivados.grupos_conflitantes;
inline auto& link_critico_do_grupo = contexto_global.derivados.link_critico_do_grupo;
inline auto& quant_de_periodos_de_verde_do_grupo = contexto_global.derivados.quant_de_periodos_de_verde_do_grupo;
inline auto& verde_de_seguranca_do_grupo = contexto_global.derivados.verde_de_seguranca_do_grupo;
inline auto& t_de_verde_do_grupo = contexto_global.derivados.t_de_verde_do_grupo;
inline auto& grupo_eh_critico = contexto_global.derivados.grupo_eh_critico;
inline auto& grau_de_saturacao_do_grupo = contexto_global.derivados.grau_de_saturacao_do_grupo;
inline auto& quant_de_grupos_criticos = contexto_global.derivados.quant_de_grupos_criticos;
inline auto& tempo_perdido_do_no = contexto_global.derivados.tempo_perdido_do_no;
inline auto& t_de_ciclo_de_seguranca_do_no = contexto_global.derivados.t_de_ciclo_de_seguranca_do_no;
inline auto& y_critico_do_no = contexto_global.derivados.y_critico_do_no;
inline auto& grau_de_saturacao_do_no = contexto_global.derivados.grau_de_saturacao_do_no;
inline auto& probabilidade_de_demanda = contexto_global.derivados.probabilidade_de_demanda;
inline auto& tempo_nao_usado_da_demanda = contexto_global.derivados.tempo_nao_usado_da_demanda;
inline auto& t_de_ciclo_minimo_de_seguranca = contexto_global.derivados.t_de_ciclo_minimo_de_seguranca;
inline auto& t_de_ciclo_calculado = contexto_global.derivados.t_de_ciclo_calculado;
inline auto& t_de_ciclo = contexto_global.derivados.t_de_ciclo;  // ciclo final; < 1 = projeto ainda não processado
inline auto& periodo_de_simulacao = contexto_global.derivados.periodo_de_simulacao;
inline auto& eh_periodo_de_uma_hora = contexto_global.derivados.eh_periodo_de_uma_hora;
inline auto& duracao_eh_imposta = contexto_global.derivados.duracao_eh_imposta;
inline auto& t_de_verde_do_link = contexto_global.derivados.t_de_verde_do_link;
inline auto& no_mestre = contexto_global.derivados.no_mestre;
inline auto& no_escravo = contexto_global.derivados.no_escravo;
inline auto& eh_no_mestre = contexto_global.derivados.eh_no_mestre;
inline auto& eh_escravo_valendo = contexto_global.derivados.eh_escravo_valendo;
inline auto& eh_ciclo_duplo = contexto_global.derivados.eh_ciclo_duplo;
inline auto& defasagem_do_escravo = contexto_global.derivados.defasagem_do_escravo;
inline auto& quant_de_intervalos_depois = contexto_global.derivados.quant_de_intervalos_depois;
inline auto& duracao_do_intervalo = contexto_global.derivados.duracao_do_intervalo;
inline auto& duracao_com_demanda = contexto_global.derivados.duracao_com_demanda;
// Um nó com 72 intervalos (36 dobrados) guarda C + 1 na entrada 73.
inline auto& inicio_do_intervalo = contexto_global.derivados.inicio_do_intervalo;

// --- Busca das defasagens ---
inline auto& defasagem = contexto_global.buscas.defasagem;
inline auto& defasagem_tentativa = contexto_global.buscas.defasagem_tentativa;
inline auto& defasagem_valendo = contexto_global.buscas.defasagem_valendo;
inline auto& defasagem_do_par_fase1 = contexto_global.buscas.defasagem_do_par_fase1;
inline auto& defasagem_do_par_fase2 = contexto_global.buscas.defasagem_do_par_fase2;
inline auto& indice_de_desempenho = contexto_global.buscas.indice_de_desempenho;
inline auto& melhor_indice = contexto_global.buscas.melhor_indice;
inline auto& fim_da_direcao = contexto_global.buscas.fim_da_direcao;
inline auto& houve_melhora = contexto_global.buscas.houve_melhora;
inline auto& eh_fase1 = contexto_global.buscas.eh_fase1;
inline auto& eh_fase2 = contexto_global.buscas.eh_fase2;
inline auto& nos_do_caminho_principal = contexto_global.buscas.nos_do_caminho_principal;
inline auto& quant_de_nos_do_caminho = contexto_global.buscas.quant_de_nos_do_caminho;
inline auto& quant_de_links_do_caminho = contexto_global.buscas.quant_de_links_do_caminho;
inline auto& quant_de_niveis = contexto_global.buscas.quant_de_niveis;
inline auto& quant_de_pares_fase1 = contexto_global.buscas.quant_de_pares_fase1;
inline auto& quant_de_pares_fase2 = contexto_global.buscas.quant_de_pares_fase2;
inline auto& par_corrente = contexto_global.buscas.par_corrente;
inline auto& quant_de_defasagens_candidatas = contexto_global.buscas.quant_de_defasagens_candidatas;
inline auto& links_do_caminho = contexto_global.buscas.links_do_caminho;
inline auto& fluxo_externo_do_caminho = contexto_global.buscas.fluxo_externo_do_caminho;
inline auto& capacidade_no_caminho = contexto_global.buscas.capacidade_no_caminho;
inline auto& arvore_de_niveis = contexto_global.buscas.arvore_de_niveis;
inline auto& quant_de_nos_por_nivel = contexto_global.buscas.quant_de_nos_por_nivel;
inline auto& no_defasado = contexto_global.buscas.no_defasado;
inline auto& par_fase1 = contexto_global.buscas.par_fase1;
inline auto& par_fase2 = contexto_global.buscas.par_fase2;
inline auto& par_numerado = contexto_global.buscas.par_numerado;
inline auto& par_numerado_copia = contexto_global.buscas.par_numerado_copia;
inline auto& quant_de_links_do_par_fase1 = contexto_global.buscas.quant_de_links_do_par_fase1;
inline auto& quant_de_links_do_par_fase2 = contexto_global.buscas.quant_de_links_do_par_fase2;
inline auto& links_do_par_fase1 = contexto_global.buscas.links_do_par_fase1;
inline auto& links_do_par_fase2 = contexto_global.buscas.links_do_par_fase2;
inline auto& entrada_no_par_fase1 = contexto_global.buscas.entrada_no_par_fase1;
inline auto& entrada_no_par_fase2 = contexto_global.buscas.entrada_no_par_fase2;
inline auto& capacidade_no_par_fase1 = contexto_global.buscas.capacidade_no_par_fase1;
inline auto& capacidade_no_par_fase2 = contexto_global.buscas.capacidade_no_par_fase2;
inline auto& periodo_de_otimizacao = contexto_global.buscas.periodo_de_otimizacao;
inline auto& melhor_defasagem = contexto_global.buscas.melhor_defasagem;
inline auto& passo_da_defasagem = contexto_global.buscas.passo_da_defasagem;
inline auto& custo_da_defasagem = contexto_global.buscas.custo_da_defasagem;
inline auto& defasagens_candidatas = contexto_global.buscas.defasagens_candidatas;

// --- Deslocamento de tempo entre intervalos repetidos ---
inline auto& nos_da_vizinhanca_do_candidato = contexto_global.buscas.nos_da_vizinhanca_do_candidato;
inline auto& no_da_vizinhanca = contexto_global.buscas.no_da_vizinhanca;
inline auto& candidato_corrente = contexto_global.buscas.candidato_corrente;
inline auto& fluxo_externo_da_vizinhanca = contexto_global.buscas.fluxo_externo_da_vizinhanca;
inline auto& capacidade_na_vizinhanca = contexto_global.buscas.capacidade_na_vizinhanca;
inline auto& quant_de_links_da_vizinhanca = contexto_global.buscas.quant_de_links_da_vizinhanca;
inline auto& quant_de_nos_da_vizinhanca = contexto_global.buscas.quant_de_nos_da_vizinhanca;
inline auto& links_da_vizinhanca = contexto_global.buscas.links_da_vizinhanca;
inline auto& indice_da_vizinhanca = contexto_global.buscas.indice_da_vizinhanca;
inline auto& periodo_local = contexto_global.buscas.periodo_local;
inline auto& intervalos_validos = contexto_global.buscas.intervalos_validos;

// --- Simulação segundo a segundo ---
inline auto& link_corrente = contexto_global.simulacao.link_corrente;
inline auto& instante_no_ciclo = contexto_global.simulacao.instante_no_ciclo;
inline auto& verde_agora = contexto_global.simulacao.verde_agora;
inline auto& verde_antes = contexto_global.simulacao.verde_antes;
inline auto& fila = contexto_global.simulacao.fila;
inline auto& atraso = contexto_global.simulacao.atraso;
inline auto& paradas_no_segundo = contexto_global.simulacao.paradas_no_segundo;
inline auto& paradas = contexto_global.simulacao.paradas;
inline auto& ocupacao_da_caixa = contexto_global.simulacao.ocupacao_da_caixa;
inline auto& caixa_com_espaco = contexto_global.simulacao.caixa_com_espaco;
inline auto& vazao_possivel = contexto_global.simulacao.vazao_possivel;
inline auto& vazao_bloqueada = contexto_global.simulacao.vazao_bloqueada;
inline auto& bloqueado_no_recebedor = contexto_global.simulacao.bloqueado_no_recebedor;
inline auto& paradas_no_inicio_do_vermelho = contexto_global.simulacao.paradas_no_inicio_do_vermelho;
// Por link (0..max_indice_link) e segundo; dimensionadas durante a execução.
inline auto& perfil_de_entrada = contexto_global.simulacao.perfil_de_entrada;
inline auto& perfil_de_chegada = contexto_global.simulacao.perfil_de_chegada;
inline auto& fila_no_instante = contexto_global.simulacao.fila_no_instante;
inline auto& estado_no_instante = contexto_global.simulacao.estado_no_instante;

// --- Resultados e seus textos ---
inline auto& fila_maxima = contexto_global.resultados.fila_maxima;
inline auto& grau_de_saturacao = contexto_global.resultados.grau_de_saturacao;
inline auto& estourou_caixa = contexto_global.resultados.estourou_caixa;
inline auto& periodo_de_verde_do_link = contexto_global.resultados.periodo_de_verde_do_link;
inline auto& atraso_total = contexto_global.resultados.atraso_total;
inline auto& paradas_total = contexto_global.resultados.paradas_total;
inline auto& links_com_maior_grau_de_saturacao = contexto_global.resultados.links_com_maior_grau_de_saturacao;
inline auto& max_quant_de_intervalos = contexto_global.resultados.max_quant_de_intervalos;
inline auto& cor_do_intervalo_do_grupo_depois = contexto_global.resultados.cor_do_intervalo_do_grupo_depois;
inline auto& t_ciclo_da_rede_rel = contexto_global.resultados.t_ciclo_da_rede_rel;
inline auto& atraso_rede_rel = contexto_global.resultados.atraso_rede_rel;
inline auto& n_paradas_rede_rel = contexto_global.resultados.n_paradas_rede_rel;
inline auto& espera_media_rel = contexto_global.resultados.espera_media_rel;
inline auto& maior_grau_de_saturacao_rel = contexto_global.resultados.maior_grau_de_saturacao_rel;
inline auto& StrLinks_com_maior_grau_de_saturacao_rel = contexto_global.resultados.StrLinks_com_maior_grau_de_saturacao_rel;
inline auto& data_rel = contexto_global.resultados.data_rel;
inline auto& y_rel = contexto_global.resultados.y_rel;
inline auto& grau_de_saturacao_por_link_rel = contexto_global.resultados.grau_de_saturacao_por_link_rel;
inline auto& fila_maxima_rel = contexto_global.resultados.fila_maxima_rel;
inline auto& estourou_caixa_rel = contexto_global.resultados.estourou_caixa_rel;
inline auto& atraso_rel = contexto_global.resultados.atraso_rel;
inline auto& n_paradas_rel = contexto_global.resultados.n_paradas_rel;
inline auto& periodo_de_verde_do_link_rel = contexto_global.resultados.periodo_de_verde_do_link_rel;

}  // namespace orvel
