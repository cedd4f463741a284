#pragma once
// Tabelas do cálculo: cópias de trabalho, dados derivados, estado das buscas de defasagem e
// do deslocamento de intervalos, estado da simulação segundo a segundo e resultados. Ficam
// aqui, junto das tabelas da rede, porque a limpeza da rede e o arquivo de projeto também
// as leem e escrevem; quem as preenche é o cálculo.

#include <string>

#include "modelo/rede.h"

namespace orvel {

inline constexpr int max_intervalos_de_inicio = 72;  // dimensões de flags e inícios
inline constexpr int max_periodos_de_verde = 10;
inline constexpr int max_niveis = 30;
// Um candidato do deslocamento de tempo é um nó: cabem todos os nós da rede.
inline constexpr int max_candidatos = max_nos;
// Um par de nós vizinhos corresponde a um link entre eles: cabem tantos pares quantos links.
inline constexpr int max_pares = max_links;
inline constexpr int max_links_do_par = 20;
inline constexpr int max_custos = 300;
inline constexpr int max_defasagens_candidatas = 40;

// --- Cópias de trabalho (Processar as preenche a partir das tabelas da rede) ---
inline std::string nome_da_rede;
inline Integer t_de_ciclo_imposto = 0;
inline Integer t_de_ciclo_maximo_imposto = 0;
inline Integer peso_da_parada_imposto = 0;
inline Single grau_de_saturacao_meta_imposto = 0;
inline Single grau_de_saturacao_limite_imposto = 0;
inline Integer t_de_ciclo_maximo = 0;
inline Integer peso_da_parada = 0;
inline Single grau_de_saturacao_meta = 0;
inline Single grau_de_saturacao_limite = 0;
inline tabela<std::string, max_nos> nome_do_no;
inline tabela<std::string, max_nos> nome_do_mestre;
inline tabela<Byte, max_nos> quant_de_grupos;
inline tabela<Byte, max_nos> quant_de_intervalos_antes;
inline tabela<bool, max_nos> eh_no_escravo;
inline tabela<bool, max_nos> eh_no_demandado;
inline tabela<bool, max_nos> eh_ciclo_duplo_permitido;
inline tabela<Byte, max_nos> intervalo_do_escravo;
inline tabela<Byte, max_nos> intervalo_do_mestre;
inline tabela<Byte, max_nos> intervalo_demandado;
inline tabela<Byte, max_nos> intervalo_beneficiado;
inline tabela<Integer, max_nos> defasagem_forcada;
inline tabela<Integer, max_nos> n_acionamentos;
inline tabela<std::string, max_nos, max_grupos, max_links_por_grupo> nome_dos_links_do_grupo;
inline tabela<Integer, max_nos, limite_de_intervalos> duracao_imposta;
inline tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo;
inline tabela<bool, max_nos, max_colunas> existe_ordenada;
inline tabela<std::string, max_links> nome_do_link;
inline tabela<std::string, max_links> nome_do_no_origem;
inline tabela<std::string, max_links> nome_do_no_destino;
inline tabela<Byte, max_links> verde_de_seguranca;
inline tabela<Single, max_links> fluxo_por_segundo;
inline tabela<Single, max_links> fluxo_de_saturacao_por_segundo;
inline tabela<Integer, max_links> t_de_percurso;
inline tabela<Integer, max_links> capacidade_da_caixa;  // 32000 = ilimitada
inline tabela<std::string, max_links, max_recebedores> nome_do_recebedor;
inline tabela<Single, max_links, max_recebedores> valor_do_fornecimento;

// --- Dados derivados ---
inline tabela<Byte, max_links> no_origem;  // 0 = link de entrada
inline tabela<Byte, max_links> no_destino;
inline tabela<Integer, max_links, max_recebedores> recebedor;
inline tabela<Single, max_links, max_links> fluxo_fornecido;
inline tabela<Single, max_links, max_links> fracao_do_fornecimento;
inline tabela<Single, max_links> entrada_externa_por_segundo;
inline tabela<Single, max_links> capacidade_util_da_caixa;
inline tabela<Single, max_links> y;
inline tabela<bool, max_links, max_nos, max_grupos> link_pertence_ao_grupo;
inline tabela<bool, max_nos, max_grupos, max_intervalos_de_inicio> grupo_verde_no_intervalo;
inline tabela<bool, max_links, max_intervalos_de_inicio> link_verde_no_intervalo;
inline tabela<bool, max_nos, max_grupos, max_grupos> grupos_conflitantes;
inline tabela<Byte, max_nos, max_grupos> link_critico_do_grupo;
inline tabela<Byte, max_nos, max_grupos> quant_de_periodos_de_verde_do_grupo;
inline tabela<Integer, max_nos, max_grupos> verde_de_seguranca_do_grupo;
inline tabela<Integer, max_nos, max_grupos> t_de_verde_do_grupo;
inline tabela<bool, max_nos, max_grupos> grupo_eh_critico;
inline tabela<Single, max_nos, max_grupos> grau_de_saturacao_do_grupo;
inline tabela<Byte, max_nos> quant_de_grupos_criticos;
inline tabela<Integer, max_nos> tempo_perdido_do_no;
inline tabela<Integer, max_nos> t_de_ciclo_de_seguranca_do_no;
inline tabela<Single, max_nos> y_critico_do_no;
inline tabela<Single, max_nos> grau_de_saturacao_do_no;
inline tabela<Single, max_nos> probabilidade_de_demanda;
inline tabela<Byte, max_nos> tempo_nao_usado_da_demanda;
inline Integer t_de_ciclo_minimo_de_seguranca = 0;
inline Integer t_de_ciclo_calculado = 0;
inline Integer t_de_ciclo = 0;  // ciclo final; < 1 = projeto ainda não processado
inline Integer periodo_de_simulacao = 0;
inline bool eh_periodo_de_uma_hora = false;
inline tabela<bool, max_nos, max_intervalos_de_inicio> duracao_eh_imposta;
inline tabela<Integer, max_links> t_de_verde_do_link;
inline tabela<Byte, max_nos> no_mestre;
inline tabela<Byte, max_nos> no_escravo;
inline tabela<bool, max_nos> eh_no_mestre;
inline tabela<bool, max_nos> eh_escravo_valendo;
inline tabela<bool, max_nos> eh_ciclo_duplo;
inline tabela<Integer, max_nos> defasagem_do_escravo;
inline tabela<Byte, max_nos> quant_de_intervalos_depois;
inline tabela<Integer, max_nos, limite_de_intervalos> duracao_do_intervalo;
inline tabela<Integer, max_nos, limite_de_intervalos> duracao_com_demanda;
// Um nó com 72 intervalos (36 dobrados) guarda C + 1 na entrada 73.
inline tabela<Integer, max_nos, max_intervalos_de_inicio + 1> inicio_do_intervalo;

// --- Busca das defasagens ---
inline tabela<Integer, max_nos> defasagem;
inline tabela<Integer, max_nos> defasagem_tentativa;
inline tabela<Integer, max_nos> defasagem_valendo;
inline tabela<Integer, max_pares> defasagem_do_par_fase1;
inline tabela<Integer, max_pares> defasagem_do_par_fase2;
inline Single indice_de_desempenho = 0;
inline Single melhor_indice = 0;
inline bool fim_da_direcao = false;
inline bool houve_melhora = false;
inline bool eh_fase1 = false;
inline bool eh_fase2 = false;
inline tabela<Byte, max_nos> nos_do_caminho_principal;
inline Byte quant_de_nos_do_caminho = 0;
inline Byte quant_de_links_do_caminho = 0;
inline Byte quant_de_niveis = 0;
inline Byte quant_de_pares_fase1 = 0;
inline Byte quant_de_pares_fase2 = 0;
inline Byte par_corrente = 0;
inline Byte quant_de_defasagens_candidatas = 0;
inline tabela<Integer, max_links> links_do_caminho;
inline tabela<Single, max_links> fluxo_externo_do_caminho;
inline tabela<Integer, max_links> capacidade_no_caminho;
inline tabela<Byte, max_niveis, max_nos> arvore_de_niveis;
inline tabela<Byte, max_niveis> quant_de_nos_por_nivel;
inline tabela<bool, max_nos> no_defasado;
inline tabela<Byte, max_nos, max_nos> par_fase1;
inline tabela<Byte, max_nos, max_nos> par_fase2;
inline tabela<bool, max_nos, max_nos> par_numerado;
inline tabela<bool, max_nos, max_nos> par_numerado_copia;
inline tabela<Byte, max_pares> quant_de_links_do_par_fase1;
inline tabela<Byte, max_pares> quant_de_links_do_par_fase2;
inline tabela<Integer, max_pares, max_links_do_par> links_do_par_fase1;
inline tabela<Integer, max_pares, max_links_do_par> links_do_par_fase2;
inline tabela<Single, max_pares, max_links> entrada_no_par_fase1;
inline tabela<Single, max_pares, max_links> entrada_no_par_fase2;
inline tabela<Integer, max_pares, max_links> capacidade_no_par_fase1;
inline tabela<Integer, max_pares, max_links> capacidade_no_par_fase2;
inline Integer periodo_de_otimizacao = 0;
inline Integer melhor_defasagem = 0;
inline Integer passo_da_defasagem = 0;
inline tabela<Single, max_custos> custo_da_defasagem;
inline tabela<Integer, max_defasagens_candidatas> defasagens_candidatas;

// --- Deslocamento de tempo entre intervalos repetidos ---
inline tabela<Byte, max_candidatos, max_nos> nos_da_vizinhanca_do_candidato;
inline tabela<Byte, max_nos> no_da_vizinhanca;
inline Byte candidato_corrente = 0;
inline tabela<Single, max_candidatos, max_links> fluxo_externo_da_vizinhanca;
inline tabela<Integer, max_candidatos, max_links> capacidade_na_vizinhanca;
inline tabela<Byte, max_candidatos> quant_de_links_da_vizinhanca;
inline tabela<Byte, max_candidatos> quant_de_nos_da_vizinhanca;
inline tabela<Byte, max_candidatos, max_links> links_da_vizinhanca;
inline Single indice_da_vizinhanca = 0;
inline Integer periodo_local = 0;
inline bool intervalos_validos = false;

// --- Simulação segundo a segundo ---
inline Byte link_corrente = 0;
inline tabela<Integer, max_nos> instante_no_ciclo;
inline tabela<bool, max_links> verde_agora;
inline tabela<bool, max_links> verde_antes;
inline tabela<Single, max_links> fila;
inline tabela<Single, max_links> atraso;
inline tabela<Single, max_links> paradas_no_segundo;
inline tabela<Single, max_links> paradas;
inline tabela<Single, max_links> ocupacao_da_caixa;
inline tabela<bool, max_links> caixa_com_espaco;
inline Single vazao_possivel = 0;
inline Single vazao_bloqueada = 0;
inline Single bloqueado_no_recebedor = 0;
inline Long paradas_no_inicio_do_vermelho = 0;
// Por link (0..max_indice_link) e segundo; dimensionadas durante a execução.
inline tabela_dinamica<Single> perfil_de_entrada;
inline tabela_dinamica<Single> perfil_de_chegada;
inline tabela_dinamica<Single> fila_no_instante;
inline tabela_dinamica<Byte> estado_no_instante;

// --- Resultados e seus textos ---
inline tabela<Single, max_links> fila_maxima;
inline tabela<Single, max_links> grau_de_saturacao;
inline tabela<bool, max_links> estourou_caixa;
inline tabela<Integer, max_links, max_periodos_de_verde> periodo_de_verde_do_link;
inline Single atraso_total = 0;
inline Single paradas_total = 0;
inline tabela<std::string, max_nos> links_com_maior_grau_de_saturacao;
inline Byte max_quant_de_intervalos = 0;
inline tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo_depois;
inline std::string t_ciclo_da_rede_rel;
inline std::string atraso_rede_rel;
inline std::string n_paradas_rede_rel;
inline std::string espera_media_rel;
inline std::string maior_grau_de_saturacao_rel;
inline std::string StrLinks_com_maior_grau_de_saturacao_rel;
inline std::string data_rel;
inline tabela<std::string, max_links> y_rel;
inline tabela<std::string, max_links> grau_de_saturacao_por_link_rel;
inline tabela<std::string, max_links> fila_maxima_rel;
inline tabela<std::string, max_links> estourou_caixa_rel;
inline tabela<std::string, max_links> atraso_rel;
inline tabela<std::string, max_links> n_paradas_rel;
inline tabela<std::string, max_links, max_periodos_de_verde> periodo_de_verde_do_link_rel;

}  // namespace orvel
