#pragma once
// Redes pequenas para os testes das defasagens, montadas no contexto dado: cruzamentos de dois
// grupos (a via principal e uma transversal que vem de fora da rede), vias entre eles com
// percurso conhecido, e as etapas reais do processamento.

#include <initializer_list>
#include <string>

#include "calculo/atender_verdes_de_seguranca.h"
#include "calculo/calcular_ciclo_minimo_dos_nos.h"
#include "calculo/dados_de_calculo.h"
#include "calculo/defasagens.h"
#include "calculo/distribuir_tempos_de_verde.h"
#include "calculo/escolher_tempo_de_ciclo.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "comum/rede_de_teste.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel::teste_defasagens {

// Um cruzamento: grupo 1 com os links da via principal, grupo 2 com a transversal "X" + nome,
// que entra na rede. Intervalos: verde 1, amarelo 1, verde 2, amarelo 2; os amarelos têm 3 s
// impostos, salvo com `amarelos_livres`.
inline int cruzamento(contexto_da_rede& c, const std::string& nome, std::initializer_list<std::string> principais, Single transversal = 200,
                      bool amarelos_livres = false) {
    const int n = teste::novo_no(c.rede, nome, 2, 4);
    teste::cores_do_grupo(c.rede, n, 1, "1233");
    teste::cores_do_grupo(c.rede, n, 2, "3312");
    if (!amarelos_livres) c.rede.duracao_imposta_dado(n, 2) = c.rede.duracao_imposta_dado(n, 4) = 3;
    teste::links_do_grupo(c.rede, n, 1, principais);
    teste::links_do_grupo(c.rede, n, 2, {"X" + nome});
    const int x = teste::novo_link(c.rede, "X" + nome, "", nome, transversal, 1800, 0);
    c.rede.verde_de_seguranca_dado(x) = 8;
    return n;
}

inline int via(contexto_da_rede& c, const std::string& nome, const std::string& origem, const std::string& destino, Single fluxo,
               int percurso, Integer capacidade = 60) {
    const int l = teste::novo_link(c.rede, nome, origem, destino, fluxo, 1800, capacidade);
    c.rede.t_de_percurso_dado(l) = static_cast<Byte>(percurso);
    c.rede.verde_de_seguranca_dado(l) = 8;
    return l;
}

inline int link_chamado(contexto_da_rede& c, const std::string& nome) {
    for (int l = 1; l <= c.rede.max_indice_link; ++l)
        if (c.rede.existe_link(l) && c.rede.nome_do_link_dado(l) == nome) return l;
    return 0;
}

inline int no_chamado(contexto_da_rede& c, const std::string& nome) {
    for (int n = 1; n <= c.rede.max_indice_no; ++n)
        if (c.rede.existe_no(n) && c.rede.nome_do_no_dado(n) == nome) return n;
    return 0;
}

// O link `de` manda a fração dada do seu fluxo para o link `para`.
inline void fornece(contexto_da_rede& c, const std::string& de, const std::string& para, Single fracao) {
    const int l = link_chamado(c, de);
    int k = 1;
    while (!c.rede.nome_do_recebedor_dado(l, k).empty()) ++k;
    teste::recebedor_do_link(c.rede, l, k, para, fracao * c.rede.fluxo_dado(l));
}

inline void escravo(contexto_da_rede& c, const std::string& nome, const std::string& mestre, int intervalo_do_mestre, int intervalo_proprio,
                    Integer forcada) {
    const int n = no_chamado(c, nome);
    c.rede.eh_no_escravo_dado(n) = true;
    c.rede.nome_do_mestre_dado(n) = mestre;
    c.rede.intervalo_do_mestre_dado(n) = static_cast<Byte>(intervalo_do_mestre);
    c.rede.intervalo_do_escravo_dado(n) = static_cast<Byte>(intervalo_proprio);
    c.rede.defasagem_forcada_dado(n) = forcada;
}

// Da limpeza aos verdes de segurança, como o processamento faz.
inline void ate_os_verdes(contexto_da_rede& c) {
    zerar_variaveis_de_calculo(c);
    copiar_dados_de_calculo(c);
    preparar_dados_de_calculo(c);
    calcular_ciclo_minimo_dos_nos(c);
    escolher_tempo_de_ciclo(c);
    distribuir_tempos_de_verde(c);
    atender_verdes_de_seguranca(c);
}

// As quatro etapas das defasagens, na ordem do processamento.
inline void etapas_das_defasagens(contexto_da_rede& c) {
    calcular_defasagens_iniciais(c);
    otimizar_intervalos_repetidos(c);
    otimizar_defasagens_do_caminho(c);
    if (c.buscas.quant_de_niveis > 0) otimizar_defasagens_da_rede(c);
}

inline int no_ciclo(int valor, int C) { return ((valor % C) + C) % C; }

}  // namespace orvel::teste_defasagens
