#pragma once
// Redes pequenas para os testes do ciclo e dos verdes: monta as tabelas da rede no contexto dado
// e roda nele a limpeza, a cópia e a preparação do processamento.

#include <cmath>
#include <string>
#include <vector>

#include "calculo/atender_verdes_de_seguranca.h"
#include "calculo/calcular_ciclo_minimo_dos_nos.h"
#include "calculo/dados_de_calculo.h"
#include "calculo/distribuir_tempos_de_verde.h"
#include "calculo/escolher_tempo_de_ciclo.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/textos.h"

namespace orvel::teste_ciclo {

struct no_de_teste {
    std::string nome;
    std::vector<std::string> diagrama;  // um texto por grupo, uma letra por intervalo: V, A ou R
    std::vector<int> impostas = {};     // duração imposta de cada intervalo (0 = livre)
    std::vector<std::vector<std::string>> links = {};  // links de cada grupo
    bool duplo_permitido = false;
    int acionamentos = -1;  // >= 0: nó demandado
    int demandado = 0, beneficiado = 0;
};

struct link_de_teste {
    std::string nome, destino;
    float fluxo, saturacao;  // veículos por hora
    int verde_de_seguranca;
};

struct opcoes_de_teste {
    int ciclo_imposto = 0, ciclo_maximo = 0;
};

inline void montar_rede(contexto_da_rede& c, const std::vector<no_de_teste>& nos, const std::vector<link_de_teste>& links,
                        opcoes_de_teste opcoes = {}) {
    c.rede.existe_no.preencher(false);
    c.rede.existe_link.preencher(false);
    c.rede.max_indice_no = Byte(nos.size());
    c.rede.max_indice_link = Byte(links.size());
    c.rede.total_de_nos_dado = Byte(nos.size());
    c.rede.total_de_links_dado = Byte(links.size());
    c.rede.peso_da_parada_imposto_dado = 0;
    c.rede.t_de_ciclo_imposto_dado = Integer(opcoes.ciclo_imposto);
    c.rede.t_de_ciclo_maximo_imposto_dado = Integer(opcoes.ciclo_maximo);
    c.rede.grau_de_saturacao_meta_imposto_dado = c.rede.grau_de_saturacao_limite_imposto_dado = 0;
    for (int n = 1; n <= int(nos.size()); ++n) {
        const auto& d = nos[n - 1];
        c.rede.existe_no(n) = true;
        c.rede.nome_do_no_dado(n) = d.nome;
        c.rede.quant_de_grupos_dado(n) = Byte(d.diagrama.size());
        c.rede.quant_de_intervalos_antes_dado(n) = Byte(d.diagrama[0].size());
        c.rede.eh_ciclo_duplo_permitido_dado(n) = d.duplo_permitido;
        c.rede.eh_no_escravo_dado(n) = false;
        c.rede.eh_no_demandado_dado(n) = d.acionamentos >= 0;
        c.rede.n_acionamentos_dado(n) = Integer(std::max(d.acionamentos, 0));
        c.rede.intervalo_demandado_dado(n) = Byte(d.demandado);
        c.rede.intervalo_beneficiado_dado(n) = Byte(d.beneficiado);
        for (int k = 1; k <= limite_de_intervalos; ++k) c.rede.duracao_imposta_dado(n, k) = 0;
        for (int k = 1; k <= int(d.impostas.size()); ++k) c.rede.duracao_imposta_dado(n, k) = Integer(d.impostas[k - 1]);
        for (int g = 1; g <= max_grupos; ++g) {
            for (int k = 1; k <= limite_de_intervalos; ++k) c.rede.cor_do_intervalo_do_grupo_dado(n, g, k) = 0;
            for (int s = 1; s <= max_links_por_grupo; ++s) c.rede.nome_dos_links_do_grupo_dado(n, g, s).clear();
        }
        for (int g = 1; g <= int(d.diagrama.size()); ++g) {
            for (int k = 1; k <= int(d.diagrama[g - 1].size()); ++k) {
                const char letra = d.diagrama[g - 1][k - 1];
                c.rede.cor_do_intervalo_do_grupo_dado(n, g, k) = letra == 'V' ? cor_verde : letra == 'A' ? cor_amarelo : cor_vermelho;
            }
            if (g <= int(d.links.size()))
                for (int s = 1; s <= int(d.links[g - 1].size()); ++s) c.rede.nome_dos_links_do_grupo_dado(n, g, s) = d.links[g - 1][s - 1];
        }
    }
    for (int l = 1; l <= int(links.size()); ++l) {
        c.rede.existe_link(l) = true;
        c.rede.nome_do_link_dado(l) = links[l - 1].nome;
        c.rede.nome_do_no_origem_dado(l) = "";
        c.rede.nome_do_no_destino_dado(l) = links[l - 1].destino;
        c.rede.fluxo_dado(l) = links[l - 1].fluxo;
        c.rede.fluxo_de_saturacao_dado(l) = links[l - 1].saturacao;
        c.rede.verde_de_seguranca_dado(l) = Byte(links[l - 1].verde_de_seguranca);
        c.rede.t_de_percurso_dado(l) = 0;
        c.rede.capacidade_da_caixa_dado(l) = 0;
        for (int k = 1; k <= max_recebedores; ++k) {
            c.rede.nome_do_recebedor_dado(l, k).clear();
            c.rede.valor_do_fornecimento_dado(l, k) = 0;
        }
    }
}

// Limpeza, cópia e preparação, como no início de um processamento.
inline void preparar_para_o_ciclo(contexto_da_rede& c) {
    zerar_variaveis_de_calculo(c);
    copiar_dados_de_calculo(c);
    preparar_dados_de_calculo(c);
}

inline void calcular_ciclo_e_verdes(contexto_da_rede& c) {
    calcular_ciclo_minimo_dos_nos(c);
    escolher_tempo_de_ciclo(c);
    distribuir_tempos_de_verde(c);
    atender_verdes_de_seguranca(c);
}

// Os segundos de uma sequência de números por nó, para comparar com o esperado.
inline std::vector<int> duracoes(contexto_da_rede& c, int n) {
    std::vector<int> v;
    for (int k = 1; k <= c.derivados.quant_de_intervalos_depois(n); ++k) v.push_back(c.derivados.duracao_do_intervalo(n, k));
    return v;
}

inline std::vector<int> inicios(contexto_da_rede& c, int n) {
    std::vector<int> v;
    for (int k = 1; k <= c.derivados.quant_de_intervalos_depois(n) + 1; ++k) v.push_back(c.derivados.inicio_do_intervalo(n, k));
    return v;
}

// Para as etapas com as tabelas de cálculo preenchidas direto: nós 1..quant em uso, tabelas
// limpas, opções padrão.
inline void comecar(contexto_da_rede& c, int quant) {
    c.rede.existe_no.preencher(false);
    c.rede.existe_link.preencher(false);
    for (int n = 1; n <= quant; ++n) c.rede.existe_no(n) = true;
    c.rede.max_indice_no = Byte(quant);
    c.rede.max_indice_link = 0;
    zerar_variaveis_de_calculo(c);
    c.copias.t_de_ciclo_maximo = 120;
    c.copias.grau_de_saturacao_meta = Single(0.88);
    c.copias.grau_de_saturacao_limite = Single(0.95);
}

}  // namespace orvel::teste_ciclo
