#pragma once
// O estado de uma rede como um valor: a rede dada, as cópias de trabalho e os dados derivados
// do cálculo, o estado das buscas e da simulação, os resultados, as cópias de edição dos
// diálogos e o estado do editor, agrupados por sentido num contexto_da_rede.
//
// O modelo (abrir, salvar e esvaziar a rede) e o cálculo trabalham no contexto que recebem. O
// programa tem um contexto por processo, o das janelas (contexto(), em
// modelo/contexto_do_processo.h, que o modelo e o cálculo não alcançam), e os nomes das tabelas
// que as janelas editam (modelo/rede.h, modelo/buffers_de_edicao.h, modelo/estado_do_editor.h,
// modelo/valores_da_animacao.h) são referências aos membros dele; as tabelas do cálculo não têm
// nome fora do contexto. Outros contextos podem existir como valores (outra rede, ou várias
// tentativas de uma vez); um contexto é grande, então fica na memória estática ou no heap,
// nunca na pilha.
//
// Os valores iniciais dos membros são os de uma rede vazia no começo do programa.

#include <array>
#include <string>

#include "modelo/areas_da_simulacao.h"
#include "modelo/dimensoes_da_rede.h"
#include "plataforma/tabela.h"
#include "plataforma/tipos.h"

namespace orvel {

// Cada grupo é definido por uma lista de campos (nome, tipo) que dá os membros, todos com valor
// inicial vazio (0, "" ou False), e que serve também a quem percorre o grupo campo por campo
// (o esvaziamento da limpeza da rede, os testes): um campo novo entra em todos de uma vez. O
// que cada tabela guarda está nos cabeçalhos citados acima (as do cálculo, em
// modelo/tabelas_de_calculo.h).
#define ORVEL_MEMBRO_VAZIO(nome, ...) __VA_ARGS__ nome{};

// Os padrões das opções da rede (0 nas opções dadas = não imposto; o cálculo aplica então o padrão).
inline constexpr Integer t_de_ciclo_maximo_padrao = 120;
inline constexpr Single grau_de_saturacao_meta_padrao = 0.88f;
inline constexpr Single grau_de_saturacao_limite_padrao = 0.95f;
inline constexpr Integer peso_da_parada_padrao = 30;

// A rede como o usuário a entrou: opções, ocupação das posições, nós e links (modelo/rede.h).
#define ORVEL_CAMPOS_DA_REDE_DADA(X)                                                                \
    X(nome_da_rede_dado, std::string)                                                               \
    X(t_de_ciclo_imposto_dado, Integer)                                                             \
    X(t_de_ciclo_maximo_imposto_dado, Integer)                                                      \
    X(grau_de_saturacao_meta_imposto_dado, Single)                                                  \
    X(grau_de_saturacao_limite_imposto_dado, Single)                                                \
    X(peso_da_parada_imposto_dado, Integer)                                                         \
    X(existe_no, tabela<bool, max_nos>)                                                             \
    X(existe_link, tabela<bool, max_links>)                                                         \
    X(total_de_nos_dado, Byte)                                                                      \
    X(total_de_links_dado, Byte)                                                                    \
    X(max_indice_no, Byte)                                                                          \
    X(max_indice_link, Byte)                                                                        \
    ORVEL_CAMPOS_DOS_NOS_DADOS(X)                                                                   \
    ORVEL_CAMPOS_DOS_LINKS_DADOS(X)                                                                 \
    X(eh_link_conversao, tabela<bool, max_links>)
// Os dados de um nó e os de um link, com a posição como primeiro índice: a eliminação de um nó
// ou de um link esvazia a sua posição em cada um (esvaziar_posicao_do_no, ..._do_link).
#define ORVEL_CAMPOS_DOS_NOS_DADOS(X)                                                               \
    X(nome_do_no_dado, tabela<std::string, max_nos>)                                                \
    X(quant_de_grupos_dado, tabela<Byte, max_nos>)                                                  \
    X(eh_no_escravo_dado, tabela<bool, max_nos>)                                                    \
    X(nome_do_mestre_dado, tabela<std::string, max_nos>)                                            \
    X(intervalo_do_escravo_dado, tabela<Byte, max_nos>)                                             \
    X(intervalo_do_mestre_dado, tabela<Byte, max_nos>)                                              \
    X(defasagem_forcada_dado, tabela<Integer, max_nos>)                                             \
    X(eh_no_demandado_dado, tabela<bool, max_nos>)                                                  \
    X(n_acionamentos_dado, tabela<Integer, max_nos>)                                                \
    X(intervalo_demandado_dado, tabela<Byte, max_nos>)                                              \
    X(intervalo_beneficiado_dado, tabela<Byte, max_nos>)                                            \
    X(eh_ciclo_duplo_permitido_dado, tabela<bool, max_nos>)                                         \
    X(quant_de_intervalos_antes_dado, tabela<Byte, max_nos>)                                        \
    X(nome_dos_links_do_grupo_dado, tabela<std::string, max_nos, max_grupos, max_links_por_grupo>)  \
    X(existe_ordenada_dado, tabela<bool, max_nos, max_colunas>)                                     \
    X(cor_do_intervalo_do_grupo_dado, tabela<Byte, max_nos, max_grupos, limite_de_intervalos>)      \
    X(duracao_imposta_dado, tabela<Integer, max_nos, limite_de_intervalos>)
#define ORVEL_CAMPOS_DOS_LINKS_DADOS(X)                                                             \
    X(nome_do_link_dado, tabela<std::string, max_links>)                                            \
    X(nome_do_no_origem_dado, tabela<std::string, max_links>)                                       \
    X(nome_do_no_destino_dado, tabela<std::string, max_links>)                                      \
    X(verde_de_seguranca_dado, tabela<Byte, max_links>)                                             \
    X(fluxo_dado, tabela<Single, max_links>)                                                        \
    X(fluxo_de_saturacao_dado, tabela<Single, max_links>)                                           \
    X(t_de_percurso_dado, tabela<Byte, max_links>)                                                  \
    X(capacidade_da_caixa_dado, tabela<Integer, max_links>)                                         \
    X(nome_do_recebedor_dado, tabela<std::string, max_links, max_recebedores>)                      \
    X(valor_do_fornecimento_dado, tabela<Single, max_links, max_recebedores>)
struct rede_dada {
    ORVEL_CAMPOS_DA_REDE_DADA(ORVEL_MEMBRO_VAZIO)
};

// O desenho da rede como o arquivo o guarda, em twips, com os nomes das chaves do arquivo: de
// cada link, as pontas do corpo, a ponta do braço, as pontas de fora das duas hastes da seta e
// o rótulo; de cada nó, o rótulo e o círculo (a largura de cada um é a altura). O começo do
// braço e a ponta da seta saem do corpo e do braço. As janelas desenham a rede daqui e cada
// edição do desenho escreve aqui (editor/desenho_da_rede.h).
#define ORVEL_CAMPOS_DO_DESENHO_DADO(X)  \
    ORVEL_CAMPOS_DO_DESENHO_DOS_LINKS(X) \
    ORVEL_CAMPOS_DO_DESENHO_DOS_NOS(X)
#define ORVEL_CAMPOS_DO_DESENHO_DOS_LINKS(X)                        \
    X(corpo_link_line_X1, tabela<Single, max_links>)                \
    X(corpo_link_line_X2, tabela<Single, max_links>)                \
    X(corpo_link_line_Y1, tabela<Single, max_links>)                \
    X(corpo_link_line_Y2, tabela<Single, max_links>)                \
    X(braco_link_line_X2, tabela<Single, max_links>)                \
    X(braco_link_line_Y2, tabela<Single, max_links>)                \
    X(esquerda_seta_line_X1, tabela<Single, max_links>)             \
    X(esquerda_seta_line_Y1, tabela<Single, max_links>)             \
    X(direita_seta_line_X1, tabela<Single, max_links>)              \
    X(direita_seta_line_Y1, tabela<Single, max_links>)              \
    X(etiqueta_link_label_Left, tabela<Single, max_links>)          \
    X(etiqueta_link_label_Top, tabela<Single, max_links>)           \
    X(etiqueta_link_label_Caption, tabela<std::string, max_links>)
#define ORVEL_CAMPOS_DO_DESENHO_DOS_NOS(X)                 \
    X(apoio_no_label_Left, tabela<Single, max_nos>)        \
    X(apoio_no_label_Top, tabela<Single, max_nos>)         \
    X(apoio_no_label_Height, tabela<Single, max_nos>)      \
    X(apoio_no_label_Caption, tabela<std::string, max_nos>) \
    X(no_shape_Left, tabela<Single, max_nos>)              \
    X(no_shape_Top, tabela<Single, max_nos>)               \
    X(no_shape_Height, tabela<Single, max_nos>)
struct desenho_dado {
    ORVEL_CAMPOS_DO_DESENHO_DADO(ORVEL_MEMBRO_VAZIO)
};

// O estado do projeto: arquivo, alterações, validação e processamento em curso.
#define ORVEL_CAMPOS_DO_ESTADO_DO_PROJETO(X) \
    X(nome_do_arquivo, std::string)    \
    X(caption_dos_forms, std::string)  \
    X(salvar_como, bool)               \
    X(projeto_alterado, bool)          \
    X(dados_ok, bool)                  \
    X(parar_processamento, bool)       \
    X(processando, bool)               \
    X(execucao_em_curso, bool)         \
    X(revisao_da_rede, Long)           \
    X(revisao_processada, Long)
struct estado_do_projeto {
    ORVEL_CAMPOS_DO_ESTADO_DO_PROJETO(ORVEL_MEMBRO_VAZIO)
};

// A revisao_processada de quando não há resultados: nenhuma revisão da rede tem esse número.
inline constexpr Long revisao_sem_resultados = -1;

// Os textos das listas do arquivo de projeto.
#define ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO(X)                         \
    X(relacao_de_links, std::string)                                  \
    X(relacao_de_nos, std::string)                                    \
    X(lista_dos_links_do_grupo, tabela<std::string, max_grupos>)      \
    X(lista_de_existe_ordenada, std::string)                          \
    X(lista_de_cor_do_grupo, tabela<std::string, max_grupos>)         \
    X(lista_de_cor_do_grupo_depois, tabela<std::string, max_grupos>)  \
    X(lista_de_duracao_imposta, std::string)
struct listas_do_arquivo {
    ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO(ORVEL_MEMBRO_VAZIO)
};

// As cópias de trabalho da rede dada, feitas a cada processamento (modelo/tabelas_de_calculo.h).
#define ORVEL_CAMPOS_DAS_COPIAS_DE_TRABALHO(X)                                                 \
    X(nome_da_rede, std::string)                                                               \
    X(t_de_ciclo_imposto, Integer)                                                             \
    X(t_de_ciclo_maximo_imposto, Integer)                                                      \
    X(peso_da_parada_imposto, Integer)                                                         \
    X(grau_de_saturacao_meta_imposto, Single)                                                  \
    X(grau_de_saturacao_limite_imposto, Single)                                                \
    X(t_de_ciclo_maximo, Integer)                                                              \
    X(peso_da_parada, Integer)                                                                 \
    X(grau_de_saturacao_meta, Single)                                                          \
    X(grau_de_saturacao_limite, Single)                                                        \
    ORVEL_CAMPOS_DOS_NOS_COPIADOS(X)                                                           \
    ORVEL_CAMPOS_DOS_LINKS_COPIADOS(X)
// As cópias dos dados de um nó e de um link, com a posição como primeiro índice.
#define ORVEL_CAMPOS_DOS_NOS_COPIADOS(X)                                                       \
    X(nome_do_no, tabela<std::string, max_nos>)                                                \
    X(nome_do_mestre, tabela<std::string, max_nos>)                                            \
    X(quant_de_grupos, tabela<Byte, max_nos>)                                                  \
    X(quant_de_intervalos_antes, tabela<Byte, max_nos>)                                        \
    X(eh_no_escravo, tabela<bool, max_nos>)                                                    \
    X(eh_no_demandado, tabela<bool, max_nos>)                                                  \
    X(eh_ciclo_duplo_permitido, tabela<bool, max_nos>)                                         \
    X(intervalo_do_escravo, tabela<Byte, max_nos>)                                             \
    X(intervalo_do_mestre, tabela<Byte, max_nos>)                                              \
    X(intervalo_demandado, tabela<Byte, max_nos>)                                              \
    X(intervalo_beneficiado, tabela<Byte, max_nos>)                                            \
    X(defasagem_forcada, tabela<Integer, max_nos>)                                             \
    X(n_acionamentos, tabela<Integer, max_nos>)                                                \
    X(nome_dos_links_do_grupo, tabela<std::string, max_nos, max_grupos, max_links_por_grupo>)  \
    X(duracao_imposta, tabela<Integer, max_nos, limite_de_intervalos>)                         \
    X(cor_do_intervalo_do_grupo, tabela<Byte, max_nos, max_grupos, limite_de_intervalos>)      \
    X(existe_ordenada, tabela<bool, max_nos, max_colunas>)
#define ORVEL_CAMPOS_DOS_LINKS_COPIADOS(X)                                                     \
    X(nome_do_link, tabela<std::string, max_links>)                                            \
    X(nome_do_no_origem, tabela<std::string, max_links>)                                       \
    X(nome_do_no_destino, tabela<std::string, max_links>)                                      \
    X(verde_de_seguranca, tabela<Byte, max_links>)                                             \
    X(fluxo_por_segundo, tabela<Single, max_links>)                                            \
    X(fluxo_de_saturacao_por_segundo, tabela<Single, max_links>)                               \
    X(t_de_percurso, tabela<Integer, max_links>)                                               \
    X(capacidade_da_caixa, tabela<Integer, max_links>)                                         \
    X(nome_do_recebedor, tabela<std::string, max_links, max_recebedores>)                      \
    X(valor_do_fornecimento, tabela<Single, max_links, max_recebedores>)
struct copias_de_trabalho {
    ORVEL_CAMPOS_DAS_COPIAS_DE_TRABALHO(ORVEL_MEMBRO_VAZIO)
};

// Os dados que as etapas do cálculo derivam das cópias: ciclo, verdes, intervalos.
#define ORVEL_CAMPOS_DOS_DADOS_DERIVADOS(X)                                                   \
    X(no_origem, tabela<Byte, max_links>)                                                     \
    X(no_destino, tabela<Byte, max_links>)                                                    \
    X(recebedor, tabela<Integer, max_links, max_recebedores>)                                 \
    X(fluxo_fornecido, tabela<Single, max_links, max_links>)                                  \
    X(fracao_do_fornecimento, tabela<Single, max_links, max_links>)                           \
    X(entrada_externa_por_segundo, tabela<Single, max_links>)                                 \
    X(capacidade_util_da_caixa, tabela<Single, max_links>)                                    \
    X(y, tabela<Single, max_links>)                                                           \
    X(link_pertence_ao_grupo, tabela<bool, max_links, max_nos, max_grupos>)                   \
    X(grupo_verde_no_intervalo, tabela<bool, max_nos, max_grupos, max_intervalos_de_inicio>)  \
    X(link_verde_no_intervalo, tabela<bool, max_links, max_intervalos_de_inicio>)             \
    X(grupos_conflitantes, tabela<bool, max_nos, max_grupos, max_grupos>)                     \
    X(link_critico_do_grupo, tabela<Byte, max_nos, max_grupos>)                               \
    X(quant_de_periodos_de_verde_do_grupo, tabela<Byte, max_nos, max_grupos>)                 \
    X(verde_de_seguranca_do_grupo, tabela<Integer, max_nos, max_grupos>)                      \
    X(t_de_verde_do_grupo, tabela<Integer, max_nos, max_grupos>)                              \
    X(grupo_eh_critico, tabela<bool, max_nos, max_grupos>)                                    \
    X(grau_de_saturacao_do_grupo, tabela<Single, max_nos, max_grupos>)                        \
    X(quant_de_grupos_criticos, tabela<Byte, max_nos>)                                        \
    X(tempo_perdido_do_no, tabela<Integer, max_nos>)                                          \
    X(t_de_ciclo_de_seguranca_do_no, tabela<Integer, max_nos>)                                \
    X(y_critico_do_no, tabela<Single, max_nos>)                                               \
    X(grau_de_saturacao_do_no, tabela<Single, max_nos>)                                       \
    X(probabilidade_de_demanda, tabela<Single, max_nos>)                                      \
    X(tempo_nao_usado_da_demanda, tabela<Byte, max_nos>)                                      \
    X(t_de_ciclo_minimo_de_seguranca, Integer)                                                \
    X(t_de_ciclo_calculado, Integer)                                                          \
    X(t_de_ciclo, Integer)                                                                    \
    X(periodo_de_simulacao, Integer)                                                          \
    X(eh_periodo_de_uma_hora, bool)                                                           \
    X(duracao_eh_imposta, tabela<bool, max_nos, max_intervalos_de_inicio>)                    \
    X(t_de_verde_do_link, tabela<Integer, max_links>)                                         \
    X(no_mestre, tabela<Byte, max_nos>)                                                       \
    X(no_escravo, tabela<Byte, max_nos>)                                                      \
    X(eh_no_mestre, tabela<bool, max_nos>)                                                    \
    X(eh_escravo_valendo, tabela<bool, max_nos>)                                              \
    X(eh_ciclo_duplo, tabela<bool, max_nos>)                                                  \
    X(defasagem_do_escravo, tabela<Integer, max_nos>)                                         \
    X(quant_de_intervalos_depois, tabela<Byte, max_nos>)                                      \
    X(duracao_do_intervalo, tabela<Integer, max_nos, limite_de_intervalos>)                   \
    X(duracao_com_demanda, tabela<Integer, max_nos, limite_de_intervalos>)                    \
    X(inicio_do_intervalo, tabela<Integer, max_nos, max_intervalos_de_inicio + 1>)            \
    X(verdes_de_seguranca_nao_atendidos, bool)
struct dados_derivados {
    ORVEL_CAMPOS_DOS_DADOS_DERIVADOS(ORVEL_MEMBRO_VAZIO)
};

// O estado das buscas de defasagem e do deslocamento de tempo entre intervalos repetidos.
#define ORVEL_CAMPOS_DO_ESTADO_DAS_BUSCAS(X)                                   \
    X(defasagem, tabela<Integer, max_nos>)                                     \
    X(defasagem_tentativa, tabela<Integer, max_nos>)                           \
    X(defasagem_valendo, tabela<Integer, max_nos>)                             \
    X(defasagem_do_par_fase1, tabela<Integer, max_pares>)                      \
    X(defasagem_do_par_fase2, tabela<Integer, max_pares>)                      \
    X(indice_de_desempenho, Single)                                            \
    X(melhor_indice, Single)                                                   \
    X(fim_da_direcao, bool)                                                    \
    X(houve_melhora, bool)                                                     \
    X(eh_fase1, bool)                                                          \
    X(eh_fase2, bool)                                                          \
    X(nos_do_caminho_principal, tabela<Byte, max_nos>)                         \
    X(quant_de_nos_do_caminho, Byte)                                           \
    X(quant_de_links_do_caminho, Byte)                                         \
    X(quant_de_niveis, Byte)                                                   \
    X(quant_de_pares_fase1, Byte)                                              \
    X(quant_de_pares_fase2, Byte)                                              \
    X(par_corrente, Byte)                                                      \
    X(quant_de_defasagens_candidatas, Byte)                                    \
    X(links_do_caminho, tabela<Integer, max_links>)                            \
    X(fluxo_externo_do_caminho, tabela<Single, max_links>)                     \
    X(capacidade_no_caminho, tabela<Integer, max_links>)                       \
    X(arvore_de_niveis, tabela<Byte, max_niveis, max_nos>)                     \
    X(quant_de_nos_por_nivel, tabela<Byte, max_niveis>)                        \
    X(no_defasado, tabela<bool, max_nos>)                                      \
    X(par_fase1, tabela<Byte, max_nos, max_nos>)                               \
    X(par_fase2, tabela<Byte, max_nos, max_nos>)                               \
    X(par_numerado, tabela<bool, max_nos, max_nos>)                            \
    X(par_numerado_copia, tabela<bool, max_nos, max_nos>)                      \
    X(quant_de_links_do_par_fase1, tabela<Byte, max_pares>)                    \
    X(quant_de_links_do_par_fase2, tabela<Byte, max_pares>)                    \
    X(links_do_par_fase1, tabela<Integer, max_pares, max_links_do_par>)        \
    X(links_do_par_fase2, tabela<Integer, max_pares, max_links_do_par>)        \
    X(entrada_no_par_fase1, tabela<Single, max_pares, max_links>)              \
    X(entrada_no_par_fase2, tabela<Single, max_pares, max_links>)              \
    X(capacidade_no_par_fase1, tabela<Integer, max_pares, max_links>)          \
    X(capacidade_no_par_fase2, tabela<Integer, max_pares, max_links>)          \
    X(periodo_de_otimizacao, Integer)                                          \
    X(melhor_defasagem, Integer)                                               \
    X(passo_da_defasagem, Integer)                                             \
    X(custo_da_defasagem, tabela<Single, max_custos>)                          \
    X(defasagens_candidatas, tabela<Integer, max_defasagens_candidatas>)       \
    X(nos_da_vizinhanca_do_candidato, tabela<Byte, max_candidatos, max_nos>)   \
    X(no_da_vizinhanca, tabela<Byte, max_nos>)                                 \
    X(candidato_corrente, Byte)                                                \
    X(fluxo_externo_da_vizinhanca, tabela<Single, max_candidatos, max_links>)  \
    X(capacidade_na_vizinhanca, tabela<Integer, max_candidatos, max_links>)    \
    X(quant_de_links_da_vizinhanca, tabela<Byte, max_candidatos>)              \
    X(quant_de_nos_da_vizinhanca, tabela<Byte, max_candidatos>)                \
    X(links_da_vizinhanca, tabela<Byte, max_candidatos, max_links>)            \
    X(indice_da_vizinhanca, Single)                                            \
    X(periodo_local, Integer)                                                  \
    X(intervalos_validos, bool)
// Os dois nós de um par, na orientação em que o par foi numerado.
struct nos_do_par {
    Byte a = 0;
    Byte b = 0;
};
struct estado_das_buscas {
    ORVEL_CAMPOS_DO_ESTADO_DAS_BUSCAS(ORVEL_MEMBRO_VAZIO)
    // O trabalho das defasagens por pares (calculo/defasagens_por_pares.cpp), fora da lista de
    // campos: nenhuma limpeza o toca. Os nós de cada par numerado e as defasagens já simuladas
    // no par corrente.
    tabela<nos_do_par, max_pares> pares_da_fase1{};
    tabela<nos_do_par, max_pares> pares_da_fase2{};
    std::array<bool, max_custos + 1> simulada{};
    // A revisão da rede no começo da execução em curso (calculo/sondagem.cpp).
    Long revisao_no_comeco_da_execucao = 0;
};

// O estado da simulação segundo a segundo e os perfis por link e segundo.
#define ORVEL_CAMPOS_DAS_TABELAS_DA_SIMULACAO(X)      \
    X(link_corrente, Byte)                            \
    X(instante_no_ciclo, tabela<Integer, max_nos>)    \
    X(verde_agora, tabela<bool, max_links>)           \
    X(verde_antes, tabela<bool, max_links>)           \
    X(fila, tabela<Single, max_links>)                \
    X(atraso, tabela<Single, max_links>)              \
    X(paradas_no_segundo, tabela<Single, max_links>)  \
    X(paradas, tabela<Single, max_links>)             \
    X(ocupacao_da_caixa, tabela<Single, max_links>)   \
    X(caixa_com_espaco, tabela<bool, max_links>)      \
    X(vazao_possivel, Single)                         \
    X(vazao_bloqueada, Single)                        \
    X(bloqueado_no_recebedor, Single)                 \
    X(paradas_no_inicio_do_vermelho, Long)            \
    X(perfil_de_entrada, tabela_dinamica<Single>)     \
    X(perfil_de_chegada, tabela_dinamica<Single>)     \
    X(fila_no_instante, tabela_dinamica<Single>)      \
    X(estado_no_instante, tabela_dinamica<Byte>)
struct tabelas_da_simulacao {
    ORVEL_CAMPOS_DAS_TABELAS_DA_SIMULACAO(ORVEL_MEMBRO_VAZIO)
    // As áreas de trabalho das execuções (modelo/areas_da_simulacao.h), fora da lista de campos:
    // nenhuma limpeza as toca.
    area_de_trabalho::execucao area{};
    area_de_trabalho::area_das_faixas faixas{};
    execucoes_feitas execucoes{};
};

// Os resultados de um processamento e os seus textos.
#define ORVEL_CAMPOS_DOS_RESULTADOS_DO_CALCULO(X)                                                 \
    X(fila_maxima, tabela<Single, max_links>)                                                     \
    X(grau_de_saturacao, tabela<Single, max_links>)                                               \
    X(estourou_caixa, tabela<bool, max_links>)                                                    \
    X(periodo_de_verde_do_link, tabela<Integer, max_links, max_periodos_de_verde>)                \
    X(atraso_total, Single)                                                                       \
    X(paradas_total, Single)                                                                      \
    X(links_com_maior_grau_de_saturacao, tabela<std::string, max_nos>)                            \
    X(max_quant_de_intervalos, Byte)                                                              \
    X(cor_do_intervalo_do_grupo_depois, tabela<Byte, max_nos, max_grupos, limite_de_intervalos>)  \
    X(t_ciclo_da_rede_rel, std::string)                                                           \
    X(atraso_rede_rel, std::string)                                                               \
    X(n_paradas_rede_rel, std::string)                                                            \
    X(espera_media_rel, std::string)                                                              \
    X(maior_grau_de_saturacao_rel, std::string)                                                   \
    X(StrLinks_com_maior_grau_de_saturacao_rel, std::string)                                      \
    X(data_rel, std::string)                                                                      \
    X(y_rel, tabela<std::string, max_links>)                                                      \
    X(grau_de_saturacao_por_link_rel, tabela<std::string, max_links>)                             \
    X(fila_maxima_rel, tabela<std::string, max_links>)                                            \
    X(estourou_caixa_rel, tabela<std::string, max_links>)                                         \
    X(atraso_rel, tabela<std::string, max_links>)                                                 \
    X(n_paradas_rel, tabela<std::string, max_links>)                                              \
    X(periodo_de_verde_do_link_rel, tabela<std::string, max_links, max_periodos_de_verde>)
struct resultados_do_calculo {
    ORVEL_CAMPOS_DOS_RESULTADOS_DO_CALCULO(ORVEL_MEMBRO_VAZIO)
};

// As cópias de edição dos diálogos (modelo/buffers_de_edicao.h).
#define ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(X)                                                          \
    ORVEL_CAMPOS_DOS_NOS_EDITADOS(X)                                                                   \
    ORVEL_CAMPOS_DOS_LINKS_EDITADOS(X)                                                                 \
    X(t_de_ciclo_imposto_editado, Integer)                                                             \
    X(t_de_ciclo_maximo_imposto_editado, Integer)                                                      \
    X(grau_de_saturacao_meta_imposto_editado, Single)                                                  \
    X(grau_de_saturacao_limite_imposto_editado, Single)                                                \
    X(peso_da_parada_imposto_editado, Integer)
#define ORVEL_CAMPOS_DOS_NOS_EDITADOS(X)                                                               \
    X(nome_do_no_editado, tabela<std::string, max_nos>)                                                \
    X(quant_de_grupos_editado, tabela<Byte, max_nos>)                                                  \
    X(eh_no_escravo_editado, tabela<bool, max_nos>)                                                    \
    X(nome_do_mestre_editado, tabela<std::string, max_nos>)                                            \
    X(intervalo_do_escravo_editado, tabela<Byte, max_nos>)                                             \
    X(intervalo_do_mestre_editado, tabela<Byte, max_nos>)                                              \
    X(defasagem_forcada_editado, tabela<Integer, max_nos>)                                             \
    X(eh_no_demandado_editado, tabela<bool, max_nos>)                                                  \
    X(n_acionamentos_editado, tabela<Integer, max_nos>)                                                \
    X(intervalo_demandado_editado, tabela<Byte, max_nos>)                                              \
    X(intervalo_beneficiado_editado, tabela<Byte, max_nos>)                                            \
    X(eh_ciclo_duplo_permitido_editado, tabela<bool, max_nos>)                                         \
    X(quant_de_intervalos_antes_editado, tabela<Byte, max_nos>)                                        \
    X(nome_dos_links_do_grupo_editado, tabela<std::string, max_nos, max_grupos, max_links_por_grupo>)  \
    X(cor_do_intervalo_do_grupo_editado, tabela<Byte, max_nos, max_grupos, limite_de_intervalos>)      \
    X(existe_ordenada_editado, tabela<bool, max_nos, max_colunas>)                                     \
    X(duracao_imposta_editado, tabela<Integer, max_nos, limite_de_intervalos>)
#define ORVEL_CAMPOS_DOS_LINKS_EDITADOS(X)                                                             \
    X(nome_do_link_editado, tabela<std::string, max_links>)                                            \
    X(nome_do_no_origem_editado, tabela<std::string, max_links>)                                       \
    X(nome_do_no_destino_editado, tabela<std::string, max_links>)                                      \
    X(verde_de_seguranca_editado, tabela<Byte, max_links>)                                             \
    X(fluxo_editado, tabela<Single, max_links>)                                                        \
    X(fluxo_de_saturacao_editado, tabela<Single, max_links>)                                           \
    X(t_de_percurso_editado, tabela<Integer, max_links>)                                               \
    X(capacidade_da_caixa_editado, tabela<Integer, max_links>)                                         \
    X(nome_do_recebedor_editado, tabela<std::string, max_links, max_recebedores>)                      \
    X(valor_do_fornecimento_editado, tabela<Single, max_links, max_recebedores>)
struct buffers_de_edicao {
    ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(ORVEL_MEMBRO_VAZIO)
};

// O estado do editor de desenho: modo, seleção, geometria dos nós e arrasto (modelo/estado_do_editor.h).
#define ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR(X)  \
    X(desenhando, bool)                      \
    X(no_selecionado, Byte)                  \
    X(link_selecionado, Byte)                \
    X(link_de_conversao, bool)               \
    X(x_do_no, tabela<Long, max_nos>)        \
    X(y_do_no, tabela<Long, max_nos>)        \
    X(raio_do_no, tabela<Long, max_nos>)     \
    X(no_em_arrasto, tabela<bool, max_nos>)  \
    X(arrastando_inicio_do_link, bool)       \
    X(arrastando_fim_do_link, bool)          \
    X(arrastando_link, bool)                 \
    X(x_inicial_do_arrasto, Long)            \
    X(y_inicial_do_arrasto, Long)            \
    X(x1_inicial_do_link, Long)              \
    X(x2_inicial_do_link, Long)              \
    X(y1_inicial_do_link, Long)              \
    X(y2_inicial_do_link, Long)
struct estado_do_editor {
    ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR(ORVEL_MEMBRO_VAZIO)
};

// A medida da tela e o fim da apresentação: são das janelas, não da rede, e nenhuma limpeza os
// toca; o título é o que a janela principal e as outras sete levam agora ("" antes do
// primeiro). Cada campo traz o seu valor inicial (nome, tipo, valor).
#define ORVEL_MEMBRO_COM_VALOR_INICIAL(nome, tipo, inicial) tipo nome = inicial;
#define ORVEL_CAMPOS_DO_ESTADO_DAS_JANELAS(X) \
    X(twips_por_pixel_x, Integer, 15)         \
    X(twips_por_pixel_y, Integer, 15)         \
    X(apresentacao_encerrada, bool, false)    \
    X(titulo_das_janelas, std::string, "")
struct estado_das_janelas {
    ORVEL_CAMPOS_DO_ESTADO_DAS_JANELAS(ORVEL_MEMBRO_COM_VALOR_INICIAL)
};

// Os valores da rede animada (modelo/valores_da_animacao.h).
#define ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(X)          \
    X(caixa_da_animacao, tabela<Integer, max_links>)     \
    X(comprimento_do_link_1, tabela<Single, max_links>)  \
    X(comprimento_do_link_2, tabela<Single, max_links>)  \
    X(reiniciar_apresentacao, bool)                      \
    X(no_do_diagrama, Byte)
struct valores_da_animacao {
    ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(ORVEL_MEMBRO_VAZIO)
};

// Uma rede inteira, com tudo o que o editor, os diálogos, o cálculo e as vistas guardam dela.
struct contexto_da_rede {
    rede_dada rede;
    desenho_dado desenho;
    estado_do_projeto projeto;
    listas_do_arquivo listas;
    copias_de_trabalho copias;
    dados_derivados derivados;
    estado_das_buscas buscas;
    tabelas_da_simulacao simulacao;
    resultados_do_calculo resultados;
    buffers_de_edicao edicao;
    estado_do_editor editor;
    estado_das_janelas janelas;
    valores_da_animacao animacao;
};

// O contexto volta inteiro ao valor do começo do programa (uma rede vazia). O valor inicial fica
// guardado fora da pilha.
inline void recomecar(contexto_da_rede& c) {
    static const contexto_da_rede inicial{};
    c = inicial;
}

// Esvazia uma tabela como a limpeza da rede: todo elemento volta ao valor vazio, menos os de
// índice 0 em alguma dimensão, que a limpeza não toca.
template <class T, int... Limites>
void esvaziar_menos_o_indice_0(tabela<T, Limites...>& t) {
    constexpr std::array<int, sizeof...(Limites)> limites{Limites...};
    T* d = t.dados();
    for (std::size_t p = 0; p < tabela<T, Limites...>::total; ++p) {
        std::size_t resto = p;
        bool tem_zero = false;
        for (std::size_t i = limites.size(); i-- > 0;) {
            const auto tamanho = static_cast<std::size_t>(limites[i]) + 1;
            if (resto % tamanho == 0) tem_zero = true;
            resto /= tamanho;
        }
        if (!tem_zero) d[p] = T{};
    }
}

template <class T>
void esvaziar_menos_o_indice_0(T& v) {
    v = T{};
}

// Esvazia a posição p (o primeiro índice) de uma tabela de nós ou de links, menos os índices 0
// das outras dimensões; numa dimensão de intervalos, só até ultimo_intervalo (o que vem depois
// é espaço das cópias do ciclo duplo, que o usuário não entra).
template <class T, int L0, int... Ls>
void esvaziar_posicao(tabela<T, L0, Ls...>& t, int p, int ultimo_intervalo) {
    if (p < 0 || p > L0) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    constexpr std::array<int, sizeof...(Ls)> limites{Ls...};
    constexpr std::size_t por_posicao = tabela<T, L0, Ls...>::total / (static_cast<std::size_t>(L0) + 1);
    T* d = t.dados() + static_cast<std::size_t>(p) * por_posicao;
    for (std::size_t q = 0; q < por_posicao; ++q) {
        std::size_t resto = q;
        bool fora = false;
        for (std::size_t i = limites.size(); i-- > 0;) {
            const auto tamanho = static_cast<std::size_t>(limites[i]) + 1;
            const auto indice = resto % tamanho;
            if (indice == 0 || (limites[i] == limite_de_intervalos && indice > static_cast<std::size_t>(ultimo_intervalo)))
                fora = true;
            resto /= tamanho;
        }
        if (!fora) d[q] = T{};
    }
}

// Esvazia a posição de um nó ou de um link em cada tabela da sua lista de campos: a rede dada
// (os intervalos até o ciclo duplo) e as cópias de edição (os intervalos todos).
#define ORVEL_ESVAZIAR_POSICAO(nome, ...) esvaziar_posicao(g.nome, p, ultimo_intervalo);
inline void esvaziar_posicao_do_no(rede_dada& g, int p) {
    constexpr int ultimo_intervalo = max_intervalos_duplos;
    ORVEL_CAMPOS_DOS_NOS_DADOS(ORVEL_ESVAZIAR_POSICAO)
}
inline void esvaziar_posicao_do_link(rede_dada& g, int p) {
    constexpr int ultimo_intervalo = max_intervalos_duplos;
    ORVEL_CAMPOS_DOS_LINKS_DADOS(ORVEL_ESVAZIAR_POSICAO)
}
inline void esvaziar_posicao_do_no(desenho_dado& g, int p) {
    constexpr int ultimo_intervalo = 0;
    ORVEL_CAMPOS_DO_DESENHO_DOS_NOS(ORVEL_ESVAZIAR_POSICAO)
}
inline void esvaziar_posicao_do_link(desenho_dado& g, int p) {
    constexpr int ultimo_intervalo = 0;
    ORVEL_CAMPOS_DO_DESENHO_DOS_LINKS(ORVEL_ESVAZIAR_POSICAO)
}
inline void esvaziar_posicao_do_no(buffers_de_edicao& g, int p) {
    constexpr int ultimo_intervalo = limite_de_intervalos;
    ORVEL_CAMPOS_DOS_NOS_EDITADOS(ORVEL_ESVAZIAR_POSICAO)
}
#undef ORVEL_ESVAZIAR_POSICAO

// Esvazia um grupo campo por campo, pela mesma lista que define os seus membros.
#define ORVEL_ESVAZIAR_CAMPO(nome, ...) esvaziar_menos_o_indice_0(g.nome);
inline void esvaziar_grupo(rede_dada& g) { ORVEL_CAMPOS_DA_REDE_DADA(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(desenho_dado& g) { ORVEL_CAMPOS_DO_DESENHO_DADO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(listas_do_arquivo& g) { ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(buffers_de_edicao& g) { ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(estado_do_editor& g) { ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(valores_da_animacao& g) { ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(copias_de_trabalho& g) { ORVEL_CAMPOS_DAS_COPIAS_DE_TRABALHO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(dados_derivados& g) { ORVEL_CAMPOS_DOS_DADOS_DERIVADOS(ORVEL_ESVAZIAR_CAMPO) }
#undef ORVEL_ESVAZIAR_CAMPO

}  // namespace orvel
