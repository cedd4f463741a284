#pragma once
// As chaves de resultado da grade de 2 × 3 nós com ciclo de 90 s (montar_rede_em_grade(2, 3, 90))
// depois de um "Processar": as mesmas com as janelas e sem elas.

#include <string>
#include <utility>
#include <vector>

#include "modelo/tabelas_de_calculo.h"
#include "plataforma/numeros.h"

namespace orvel::teste {

using chaves_de_resultado = std::vector<std::pair<std::string, std::string>>;

inline chaves_de_resultado chaves_de_resultado_atuais() {
    return {
        {"t_ciclo_da_rede_rel", contexto().resultados.t_ciclo_da_rede_rel},
        {"atraso_rede_rel", contexto().resultados.atraso_rede_rel},
        {"n_paradas_rede_rel", contexto().resultados.n_paradas_rede_rel},
        {"espera_media_rel", contexto().resultados.espera_media_rel},
        {"maior_grau_de_saturacao_rel", contexto().resultados.maior_grau_de_saturacao_rel},
        {"StrLinks_com_maior_grau_de_saturacao_rel", contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel},
        {"periodo_de_simulacao", texto_de_inteiro(contexto().derivados.periodo_de_simulacao)},
        {"y_rel(1)", contexto().resultados.y_rel(1)},
        {"fila_maxima_rel(2)", contexto().resultados.fila_maxima_rel(2)},
        {"defasagem_valendo(3)", texto_de_inteiro(contexto().buscas.defasagem_valendo(3))},
    };
}

inline const chaves_de_resultado& chaves_de_resultado_da_grade() {
    static const chaves_de_resultado c = {
        {"t_ciclo_da_rede_rel", "90"},
        {"atraso_rede_rel", "18.76"},
        {"n_paradas_rede_rel", "2710"},
        {"espera_media_rel", "9"},
        {"maior_grau_de_saturacao_rel", "47"},
        {"StrLinks_com_maior_grau_de_saturacao_rel", "E1_2,W1_2"},
        {"periodo_de_simulacao", "540"},
        {"y_rel(1)", "25"},
        {"fila_maxima_rel(2)", "2"},
        {"defasagem_valendo(3)", "2"},
    };
    return c;
}

}  // namespace orvel::teste
