#pragma once
// O estado de uma rede como um valor: a rede dada, as cópias de trabalho e os dados derivados
// do cálculo, o estado das buscas e da simulação, os resultados, as cópias de edição dos
// diálogos e o estado do editor, agrupados por sentido num contexto_da_rede.
//
// O programa tem um contexto por processo (contexto()), e os nomes das tabelas (modelo/rede.h,
// modelo/tabelas_de_calculo.h, modelo/buffers_de_edicao.h, modelo/estado_do_editor.h,
// modelo/valores_da_animacao.h) são referências aos membros dele: o endereço de cada tabela é
// uma constante, como o de uma tabela global. Outros contextos podem existir como valores (por
// exemplo para avaliar várias tentativas de uma vez); um contexto é grande, então fica na
// memória estática ou no heap, nunca na pilha.
//
// Os valores iniciais dos membros são os de uma rede vazia no começo do programa.

#include <string>

#include "plataforma/tabela.h"
#include "plataforma/tipos.h"

namespace orvel {

inline constexpr int max_nos = 50;
inline constexpr int max_links = 150;
inline constexpr int max_grupos = 8;
inline constexpr int max_links_por_grupo = 4;
inline constexpr int max_recebedores = 4;
inline constexpr int max_intervalos_entrados = 36;
inline constexpr int max_intervalos_duplos = 72;
inline constexpr int limite_de_intervalos = 95;  // espaço para o ciclo duplo e as cópias
inline constexpr int max_colunas = 94;           // colunas da régua do diagrama de barras
// Na régua, 0 e max_colunas são as bordas: as divisas entre intervalos ficam nas colunas
// 1..ultima_divisa, e uma barra tem, de borda a borda, até max_intervalos_na_regua pedaços.
inline constexpr int ultima_divisa = max_colunas - 1;
inline constexpr int max_intervalos_na_regua = max_colunas;

// Códigos de estado de um grupo num intervalo.
inline constexpr Byte cor_nao_definida = 0;
inline constexpr Byte cor_verde = 1;
inline constexpr Byte cor_amarelo = 2;
inline constexpr Byte cor_vermelho = 3;


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

// Os grupos que a limpeza da rede esvazia inteiros são definidos por uma lista de campos
// (nome, tipo) que dá tanto os membros, todos com valor inicial vazio (0, "" ou False), quanto
// o esvaziamento (esvaziar_grupo): um campo novo entra nos dois de uma vez.
#define ORVEL_MEMBRO_VAZIO(nome, ...) __VA_ARGS__ nome{};

#define ORVEL_CAMPOS_DA_REDE_DADA(X) \
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
    X(duracao_imposta_dado, tabela<Integer, max_nos, limite_de_intervalos>)                         \
    X(nome_do_link_dado, tabela<std::string, max_links>)                                            \
    X(nome_do_no_origem_dado, tabela<std::string, max_links>)                                       \
    X(nome_do_no_destino_dado, tabela<std::string, max_links>)                                      \
    X(verde_de_seguranca_dado, tabela<Byte, max_links>)                                             \
    X(fluxo_dado, tabela<Single, max_links>)                                                        \
    X(fluxo_de_saturacao_dado, tabela<Single, max_links>)                                           \
    X(t_de_percurso_dado, tabela<Byte, max_links>)                                                  \
    X(capacidade_da_caixa_dado, tabela<Integer, max_links>)                                         \
    X(nome_do_recebedor_dado, tabela<std::string, max_links, max_recebedores>)                      \
    X(valor_do_fornecimento_dado, tabela<Single, max_links, max_recebedores>)                       \
    X(eh_link_conversao, tabela<bool, max_links>)                                                  
struct rede_dada {
    ORVEL_CAMPOS_DA_REDE_DADA(ORVEL_MEMBRO_VAZIO)
};

struct estado_do_projeto {
    std::string nome_do_arquivo;
    std::string caption_dos_forms;
    bool salvar_como = false;
    bool projeto_alterado = false;
    bool dados_ok = false;
    bool parar_processamento = false;
    bool processando = false;
    bool execucao_em_curso = false;
    bool xml_recarregar = false;
    bool xml_salvar_e_liberar = false;
};

#define ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO(X) \
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

struct copias_de_trabalho {
    std::string nome_da_rede;
    Integer t_de_ciclo_imposto = 0;
    Integer t_de_ciclo_maximo_imposto = 0;
    Integer peso_da_parada_imposto = 0;
    Single grau_de_saturacao_meta_imposto = 0;
    Single grau_de_saturacao_limite_imposto = 0;
    Integer t_de_ciclo_maximo = 0;
    Integer peso_da_parada = 0;
    Single grau_de_saturacao_meta = 0;
    Single grau_de_saturacao_limite = 0;
    tabela<std::string, max_nos> nome_do_no;
    tabela<std::string, max_nos> nome_do_mestre;
    tabela<Byte, max_nos> quant_de_grupos;
    tabela<Byte, max_nos> quant_de_intervalos_antes;
    tabela<bool, max_nos> eh_no_escravo;
    tabela<bool, max_nos> eh_no_demandado;
    tabela<bool, max_nos> eh_ciclo_duplo_permitido;
    tabela<Byte, max_nos> intervalo_do_escravo;
    tabela<Byte, max_nos> intervalo_do_mestre;
    tabela<Byte, max_nos> intervalo_demandado;
    tabela<Byte, max_nos> intervalo_beneficiado;
    tabela<Integer, max_nos> defasagem_forcada;
    tabela<Integer, max_nos> n_acionamentos;
    tabela<std::string, max_nos, max_grupos, max_links_por_grupo> nome_dos_links_do_grupo;
    tabela<Integer, max_nos, limite_de_intervalos> duracao_imposta;
    tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo;
    tabela<bool, max_nos, max_colunas> existe_ordenada;
    tabela<std::string, max_links> nome_do_link;
    tabela<std::string, max_links> nome_do_no_origem;
    tabela<std::string, max_links> nome_do_no_destino;
    tabela<Byte, max_links> verde_de_seguranca;
    tabela<Single, max_links> fluxo_por_segundo;
    tabela<Single, max_links> fluxo_de_saturacao_por_segundo;
    tabela<Integer, max_links> t_de_percurso;
    tabela<Integer, max_links> capacidade_da_caixa;
    tabela<std::string, max_links, max_recebedores> nome_do_recebedor;
    tabela<Single, max_links, max_recebedores> valor_do_fornecimento;
};

struct dados_derivados {
    tabela<Byte, max_links> no_origem;
    tabela<Byte, max_links> no_destino;
    tabela<Integer, max_links, max_recebedores> recebedor;
    tabela<Single, max_links, max_links> fluxo_fornecido;
    tabela<Single, max_links, max_links> fracao_do_fornecimento;
    tabela<Single, max_links> entrada_externa_por_segundo;
    tabela<Single, max_links> capacidade_util_da_caixa;
    tabela<Single, max_links> y;
    tabela<bool, max_links, max_nos, max_grupos> link_pertence_ao_grupo;
    tabela<bool, max_nos, max_grupos, max_intervalos_de_inicio> grupo_verde_no_intervalo;
    tabela<bool, max_links, max_intervalos_de_inicio> link_verde_no_intervalo;
    tabela<bool, max_nos, max_grupos, max_grupos> grupos_conflitantes;
    tabela<Byte, max_nos, max_grupos> link_critico_do_grupo;
    tabela<Byte, max_nos, max_grupos> quant_de_periodos_de_verde_do_grupo;
    tabela<Integer, max_nos, max_grupos> verde_de_seguranca_do_grupo;
    tabela<Integer, max_nos, max_grupos> t_de_verde_do_grupo;
    tabela<bool, max_nos, max_grupos> grupo_eh_critico;
    tabela<Single, max_nos, max_grupos> grau_de_saturacao_do_grupo;
    tabela<Byte, max_nos> quant_de_grupos_criticos;
    tabela<Integer, max_nos> tempo_perdido_do_no;
    tabela<Integer, max_nos> t_de_ciclo_de_seguranca_do_no;
    tabela<Single, max_nos> y_critico_do_no;
    tabela<Single, max_nos> grau_de_saturacao_do_no;
    tabela<Single, max_nos> probabilidade_de_demanda;
    tabela<Byte, max_nos> tempo_nao_usado_da_demanda;
    Integer t_de_ciclo_minimo_de_seguranca = 0;
    Integer t_de_ciclo_calculado = 0;
    Integer t_de_ciclo = 0;
    Integer periodo_de_simulacao = 0;
    bool eh_periodo_de_uma_hora = false;
    tabela<bool, max_nos, max_intervalos_de_inicio> duracao_eh_imposta;
    tabela<Integer, max_links> t_de_verde_do_link;
    tabela<Byte, max_nos> no_mestre;
    tabela<Byte, max_nos> no_escravo;
    tabela<bool, max_nos> eh_no_mestre;
    tabela<bool, max_nos> eh_escravo_valendo;
    tabela<bool, max_nos> eh_ciclo_duplo;
    tabela<Integer, max_nos> defasagem_do_escravo;
    tabela<Byte, max_nos> quant_de_intervalos_depois;
    tabela<Integer, max_nos, limite_de_intervalos> duracao_do_intervalo;
    tabela<Integer, max_nos, limite_de_intervalos> duracao_com_demanda;
    tabela<Integer, max_nos, max_intervalos_de_inicio + 1> inicio_do_intervalo;
};

struct estado_das_buscas {
    tabela<Integer, max_nos> defasagem;
    tabela<Integer, max_nos> defasagem_tentativa;
    tabela<Integer, max_nos> defasagem_valendo;
    tabela<Integer, max_pares> defasagem_do_par_fase1;
    tabela<Integer, max_pares> defasagem_do_par_fase2;
    Single indice_de_desempenho = 0;
    Single melhor_indice = 0;
    bool fim_da_direcao = false;
    bool houve_melhora = false;
    bool eh_fase1 = false;
    bool eh_fase2 = false;
    tabela<Byte, max_nos> nos_do_caminho_principal;
    Byte quant_de_nos_do_caminho = 0;
    Byte quant_de_links_do_caminho = 0;
    Byte quant_de_niveis = 0;
    Byte quant_de_pares_fase1 = 0;
    Byte quant_de_pares_fase2 = 0;
    Byte par_corrente = 0;
    Byte quant_de_defasagens_candidatas = 0;
    tabela<Integer, max_links> links_do_caminho;
    tabela<Single, max_links> fluxo_externo_do_caminho;
    tabela<Integer, max_links> capacidade_no_caminho;
    tabela<Byte, max_niveis, max_nos> arvore_de_niveis;
    tabela<Byte, max_niveis> quant_de_nos_por_nivel;
    tabela<bool, max_nos> no_defasado;
    tabela<Byte, max_nos, max_nos> par_fase1;
    tabela<Byte, max_nos, max_nos> par_fase2;
    tabela<bool, max_nos, max_nos> par_numerado;
    tabela<bool, max_nos, max_nos> par_numerado_copia;
    tabela<Byte, max_pares> quant_de_links_do_par_fase1;
    tabela<Byte, max_pares> quant_de_links_do_par_fase2;
    tabela<Integer, max_pares, max_links_do_par> links_do_par_fase1;
    tabela<Integer, max_pares, max_links_do_par> links_do_par_fase2;
    tabela<Single, max_pares, max_links> entrada_no_par_fase1;
    tabela<Single, max_pares, max_links> entrada_no_par_fase2;
    tabela<Integer, max_pares, max_links> capacidade_no_par_fase1;
    tabela<Integer, max_pares, max_links> capacidade_no_par_fase2;
    Integer periodo_de_otimizacao = 0;
    Integer melhor_defasagem = 0;
    Integer passo_da_defasagem = 0;
    tabela<Single, max_custos> custo_da_defasagem;
    tabela<Integer, max_defasagens_candidatas> defasagens_candidatas;
    tabela<Byte, max_candidatos, max_nos> nos_da_vizinhanca_do_candidato;
    tabela<Byte, max_nos> no_da_vizinhanca;
    Byte candidato_corrente = 0;
    tabela<Single, max_candidatos, max_links> fluxo_externo_da_vizinhanca;
    tabela<Integer, max_candidatos, max_links> capacidade_na_vizinhanca;
    tabela<Byte, max_candidatos> quant_de_links_da_vizinhanca;
    tabela<Byte, max_candidatos> quant_de_nos_da_vizinhanca;
    tabela<Byte, max_candidatos, max_links> links_da_vizinhanca;
    Single indice_da_vizinhanca = 0;
    Integer periodo_local = 0;
    bool intervalos_validos = false;
};

struct tabelas_da_simulacao {
    Byte link_corrente = 0;
    tabela<Integer, max_nos> instante_no_ciclo;
    tabela<bool, max_links> verde_agora;
    tabela<bool, max_links> verde_antes;
    tabela<Single, max_links> fila;
    tabela<Single, max_links> atraso;
    tabela<Single, max_links> paradas_no_segundo;
    tabela<Single, max_links> paradas;
    tabela<Single, max_links> ocupacao_da_caixa;
    tabela<bool, max_links> caixa_com_espaco;
    Single vazao_possivel = 0;
    Single vazao_bloqueada = 0;
    Single bloqueado_no_recebedor = 0;
    Long paradas_no_inicio_do_vermelho = 0;
    tabela_dinamica<Single> perfil_de_entrada;
    tabela_dinamica<Single> perfil_de_chegada;
    tabela_dinamica<Single> fila_no_instante;
    tabela_dinamica<Byte> estado_no_instante;
};

struct resultados_do_calculo {
    tabela<Single, max_links> fila_maxima;
    tabela<Single, max_links> grau_de_saturacao;
    tabela<bool, max_links> estourou_caixa;
    tabela<Integer, max_links, max_periodos_de_verde> periodo_de_verde_do_link;
    Single atraso_total = 0;
    Single paradas_total = 0;
    tabela<std::string, max_nos> links_com_maior_grau_de_saturacao;
    Byte max_quant_de_intervalos = 0;
    tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo_depois;
    std::string t_ciclo_da_rede_rel;
    std::string atraso_rede_rel;
    std::string n_paradas_rede_rel;
    std::string espera_media_rel;
    std::string maior_grau_de_saturacao_rel;
    std::string StrLinks_com_maior_grau_de_saturacao_rel;
    std::string data_rel;
    tabela<std::string, max_links> y_rel;
    tabela<std::string, max_links> grau_de_saturacao_por_link_rel;
    tabela<std::string, max_links> fila_maxima_rel;
    tabela<std::string, max_links> estourou_caixa_rel;
    tabela<std::string, max_links> atraso_rel;
    tabela<std::string, max_links> n_paradas_rel;
    tabela<std::string, max_links, max_periodos_de_verde> periodo_de_verde_do_link_rel;
};

#define ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(X) \
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
    X(duracao_imposta_editado, tabela<Integer, max_nos, limite_de_intervalos>)                         \
    X(nome_do_link_editado, tabela<std::string, max_links>)                                            \
    X(nome_do_no_origem_editado, tabela<std::string, max_links>)                                       \
    X(nome_do_no_destino_editado, tabela<std::string, max_links>)                                      \
    X(verde_de_seguranca_editado, tabela<Byte, max_links>)                                             \
    X(fluxo_editado, tabela<Single, max_links>)                                                        \
    X(fluxo_de_saturacao_editado, tabela<Single, max_links>)                                           \
    X(t_de_percurso_editado, tabela<Integer, max_links>)                                               \
    X(capacidade_da_caixa_editado, tabela<Integer, max_links>)                                         \
    X(nome_do_recebedor_editado, tabela<std::string, max_links, max_recebedores>)                      \
    X(valor_do_fornecimento_editado, tabela<Single, max_links, max_recebedores>)                       \
    X(t_de_ciclo_imposto_editado, Integer)                                                             \
    X(t_de_ciclo_maximo_imposto_editado, Integer)                                                      \
    X(grau_de_saturacao_meta_imposto_editado, Single)                                                  \
    X(grau_de_saturacao_limite_imposto_editado, Single)                                                \
    X(peso_da_parada_imposto_editado, Integer)                                                        
struct buffers_de_edicao {
    ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(ORVEL_MEMBRO_VAZIO)
};

#define ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR(X) \
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

struct estado_das_janelas {
    Integer twips_por_pixel_x = 15;
    Integer twips_por_pixel_y = 15;
    bool apresentacao_encerrada = false;
};

#define ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(X) \
    X(caixa_da_animacao, tabela<Integer, max_links>)     \
    X(comprimento_do_link_1, tabela<Single, max_links>)  \
    X(comprimento_do_link_2, tabela<Single, max_links>)  \
    X(reiniciar_apresentacao, bool)                      \
    X(no_do_diagrama, Byte)                             
struct valores_da_animacao {
    ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(ORVEL_MEMBRO_VAZIO)
};

struct contexto_da_rede {
    rede_dada rede;
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

// O contexto do processo.
inline contexto_da_rede contexto_global;
inline contexto_da_rede& contexto() { return contexto_global; }

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

// Esvazia um grupo campo por campo, pela mesma lista que define os seus membros.
#define ORVEL_ESVAZIAR_CAMPO(nome, ...) esvaziar_menos_o_indice_0(g.nome);
inline void esvaziar_grupo(rede_dada& g) { ORVEL_CAMPOS_DA_REDE_DADA(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(listas_do_arquivo& g) { ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(buffers_de_edicao& g) { ORVEL_CAMPOS_DOS_BUFFERS_DE_EDICAO(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(estado_do_editor& g) { ORVEL_CAMPOS_DO_ESTADO_DO_EDITOR(ORVEL_ESVAZIAR_CAMPO) }
inline void esvaziar_grupo(valores_da_animacao& g) { ORVEL_CAMPOS_DOS_VALORES_DA_ANIMACAO(ORVEL_ESVAZIAR_CAMPO) }
#undef ORVEL_ESVAZIAR_CAMPO

}  // namespace orvel
