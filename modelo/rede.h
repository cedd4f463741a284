#pragma once
// A rede como o usuário a entrou (as tabelas que o arquivo de projeto guarda) e o estado
// do projeto. Nós ocupam as posições 1..50 e links 1..150; a posição 0 existe em toda
// tabela e nunca é usada. Toda passada pelos nós ou links vai de 1 até a maior posição em
// uso (ou até o limite da tabela) e pula as posições cuja existência é False.
//
// As tabelas se referem a nós e links pelo nome, nunca pela posição; dois nomes são o
// mesmo quando iguais depois de aparados e postos em maiúsculas (nomes_iguais).

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

// --- Opções da rede (0 = não imposto; o cálculo aplica então o padrão) ---
inline constexpr Integer t_de_ciclo_maximo_padrao = 120;
inline constexpr Single grau_de_saturacao_meta_padrao = 0.88f;
inline constexpr Single grau_de_saturacao_limite_padrao = 0.95f;
inline constexpr Integer peso_da_parada_padrao = 30;
inline std::string nome_da_rede_dado;
inline Integer t_de_ciclo_imposto_dado = 0;
inline Integer t_de_ciclo_maximo_imposto_dado = 0;
inline Single grau_de_saturacao_meta_imposto_dado = 0;
inline Single grau_de_saturacao_limite_imposto_dado = 0;
inline Integer peso_da_parada_imposto_dado = 0;

// --- Ocupação das posições ---
inline tabela<bool, max_nos> existe_no;
inline tabela<bool, max_links> existe_link;
inline Byte total_de_nos_dado = 0;
inline Byte total_de_links_dado = 0;
inline Byte max_indice_no = 0;    // ao eliminar o último nó, guarda o valor que tinha
inline Byte max_indice_link = 0;

// --- Nós ---
inline tabela<std::string, max_nos> nome_do_no_dado;
inline tabela<Byte, max_nos> quant_de_grupos_dado;
inline tabela<bool, max_nos> eh_no_escravo_dado;
inline tabela<std::string, max_nos> nome_do_mestre_dado;
inline tabela<Byte, max_nos> intervalo_do_escravo_dado;
inline tabela<Byte, max_nos> intervalo_do_mestre_dado;
inline tabela<Integer, max_nos> defasagem_forcada_dado;
inline tabela<bool, max_nos> eh_no_demandado_dado;
inline tabela<Integer, max_nos> n_acionamentos_dado;
inline tabela<Byte, max_nos> intervalo_demandado_dado;
inline tabela<Byte, max_nos> intervalo_beneficiado_dado;
inline tabela<bool, max_nos> eh_ciclo_duplo_permitido_dado;
inline tabela<Byte, max_nos> quant_de_intervalos_antes_dado;
inline tabela<std::string, max_nos, max_grupos, max_links_por_grupo> nome_dos_links_do_grupo_dado;
inline tabela<bool, max_nos, max_colunas> existe_ordenada_dado;
inline tabela<Byte, max_nos, max_grupos, limite_de_intervalos> cor_do_intervalo_do_grupo_dado;
inline tabela<Integer, max_nos, limite_de_intervalos> duracao_imposta_dado;

// --- Links ---
inline tabela<std::string, max_links> nome_do_link_dado;
inline tabela<std::string, max_links> nome_do_no_origem_dado;  // "" = link de entrada
inline tabela<std::string, max_links> nome_do_no_destino_dado;
inline tabela<Byte, max_links> verde_de_seguranca_dado;
inline tabela<Single, max_links> fluxo_dado;                 // veículos por hora
inline tabela<Single, max_links> fluxo_de_saturacao_dado;    // veículos por hora
inline tabela<Byte, max_links> t_de_percurso_dado;
inline tabela<Integer, max_links> capacidade_da_caixa_dado;
inline tabela<std::string, max_links, max_recebedores> nome_do_recebedor_dado;
inline tabela<Single, max_links, max_recebedores> valor_do_fornecimento_dado;
inline tabela<bool, max_links> eh_link_conversao;

// --- Estado do projeto ---
inline std::string nome_do_arquivo;     // caminho completo; "" = nunca salvo nem aberto
inline std::string caption_dos_forms;   // a parte do nome do arquivo no caminho
inline bool salvar_como = false;
inline bool projeto_alterado = false;
inline bool dados_ok = false;
inline bool parar_processamento = false;
inline bool processando = false;        // um "Processar" está em andamento (o botão de parar o desliga)
inline bool execucao_em_curso = false;  // de "Processar" até o processamento voltar: nenhum outro comando age
inline bool xml_recarregar = false;
inline bool xml_salvar_e_liberar = false;

// Textos das listas do arquivo de projeto, montados e lidos um nó (ou o arquivo) por vez.
inline std::string relacao_de_links;
inline std::string relacao_de_nos;
inline tabela<std::string, max_grupos> lista_dos_links_do_grupo;       // grupos 1..8
inline std::string lista_de_existe_ordenada;
inline tabela<std::string, max_grupos> lista_de_cor_do_grupo;          // grupos 1..8
inline tabela<std::string, max_grupos> lista_de_cor_do_grupo_depois;   // grupos 1..8
inline std::string lista_de_duracao_imposta;

}  // namespace orvel
