#pragma once
// As dimensões das tabelas da rede e os códigos de estado de um grupo num intervalo.

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
// Os links de um par são os que chegam a um dos dois nós: cabem todos os links da rede.
inline constexpr int max_links_do_par = max_links;
inline constexpr int max_custos = 300;
inline constexpr int max_defasagens_candidatas = 40;

}  // namespace orvel
