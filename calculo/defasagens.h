#pragma once
// Etapas das defasagens: período de simulação, caminho principal e níveis, defasagens dos
// escravos, busca por pares de nós, deslocamento de tempo entre intervalos repetidos e os
// refinamentos no caminho principal e na rede.
//
// Um escravo sempre acompanha o seu mestre: depois de cada etapa que move defasagens, a
// defasagem de todo escravo é a do mestre mais `defasagem_do_escravo`.

#include <array>

#include "calculo/rede_em_calculo.h"
#include "plataforma/tipos.h"

namespace orvel {

// --- Período de simulação, caminho principal e busca por pares ---

// A etapa: período, perfis por segundo, caminho e níveis, escravos e a busca por pares
// ("Erro 134"). Sonda a parada depois do caminho e no fim.
void calcular_defasagens_iniciais(const rede_em_calculo& ctx);

// Verde e grau de saturação de cada grupo e, daí, o período de simulação: dez minutos, ou uma
// hora quando algum grupo passa de 0,98 ("Erro 127").
void calcular_grau_de_saturacao_dos_grupos(const rede_em_calculo& ctx);

// Defasagem do escravo em relação ao seu mestre, reduzida ao ciclo ("Erro 129").
void calcular_defasagem_do_escravo(const rede_em_calculo& ctx, int no);

// Caminho principal, a partir do nó de maior fluxo que o atravessa, e os níveis em volta dele
// ("Erro 133").
void montar_caminho_principal(const rede_em_calculo& ctx);

// Os pares de nós vizinhos das duas fases, com os seus links, entradas e capacidades
// ("Erro 131").
void montar_pares_de_nos(const rede_em_calculo& ctx);

// Primeira defasagem de todo nó: busca em cada par e encadeamento a partir do nó de
// referência ("Erro 135").
void otimizar_defasagens_por_pares(const rede_em_calculo& ctx);

// Busca da melhor defasagem relativa do par corrente ("Erro 132" e "Erro 141").
void otimizar_defasagem_do_par_fase1(const rede_em_calculo& ctx);
void otimizar_defasagem_do_par_fase2(const rede_em_calculo& ctx);

// Encadeamento das defasagens relativas dos pares ("Erro 137" e "Erro 142").
void propagar_defasagens_fase1(const rede_em_calculo& ctx);
void propagar_defasagens_fase2(const rede_em_calculo& ctx);

// Passo da grade de defasagens para o ciclo C: o primeiro de 10, 9, 8, 11 e 12 com um múltiplo
// a menos de 3 s de C; sem nenhum, 10.
Integer passo_para_o_ciclo(Integer C);

// Os sete pontos em volta do colchete (p3, p5), já reduzidos ao ciclo (posições 1..7).
std::array<Integer, 8> pontos_do_colchete(Integer p3, Integer p5, Integer passo, Integer C);

// --- Deslocamento de tempo entre intervalos repetidos ---

// A etapa ("Erro 144"). Sonda a parada no fim.
void otimizar_intervalos_repetidos(const rede_em_calculo& ctx);

// Toda sequência de verde do nó da vizinhança corrente dura ao menos o verde de segurança do
// seu grupo? Resposta em `intervalos_validos` ("Erro 150").
void verificar_verdes_minimos(const rede_em_calculo& ctx);

// Segundos movidos de cada vez: 3 % do ciclo, arredondado.
Byte passo_do_deslocamento(Integer C);

// --- Refinamento das defasagens ---

// No caminho principal, pontuado pela simulação do caminho ("Erro 138").
void otimizar_defasagens_do_caminho(const rede_em_calculo& ctx);

// Links que chegam aos nós do caminho, com as suas entradas e capacidades ("Erro 139").
void montar_links_do_caminho(const rede_em_calculo& ctx);

// Nos níveis em volta do caminho, pontuado pela simulação da rede inteira ("Erro 143").
void otimizar_defasagens_da_rede(const rede_em_calculo& ctx);

// Os sete movimentos grossos: ±1/8, ±1/4, ±3/8 e +1/2 do ciclo, arredondados.
std::array<Integer, 7> movimentos_grossos(Integer C);

}  // namespace orvel
