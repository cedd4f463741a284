#include "calculo/dados_de_calculo.h"

#include <cmath>
#include <string>

#include "calculo/observador_do_calculo.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

inline constexpr Integer capacidade_ilimitada = 32000;

// ---------------------------------------------------------------- cópia

void copiar_links() {
    for (int l = 1; l <= max_links; ++l) {
        if (!existe_link(l)) continue;
        nome_do_link(l) = nome_do_link_dado(l);
        nome_do_no_origem(l) = nome_do_no_origem_dado(l);
        nome_do_no_destino(l) = nome_do_no_destino_dado(l);
        verde_de_seguranca(l) = verde_de_seguranca_dado(l);
        fluxo_por_segundo(l) = fluxo_dado(l);  // ainda por hora: a preparação divide
        fluxo_de_saturacao_por_segundo(l) = fluxo_de_saturacao_dado(l);
        t_de_percurso(l) = Integer{t_de_percurso_dado(l)};
        capacidade_da_caixa(l) = capacidade_da_caixa_dado(l);
        for (int k = 1; k <= max_recebedores; ++k) {
            nome_do_recebedor(l, k) = nome_do_recebedor_dado(l, k);
            valor_do_fornecimento(l, k) = valor_do_fornecimento_dado(l, k);
        }
    }
}

void copiar_nos() {
    for (int n = 1; n <= max_nos; ++n) {
        if (!existe_no(n)) continue;
        nome_do_no(n) = nome_do_no_dado(n);
        quant_de_grupos(n) = quant_de_grupos_dado(n);
        eh_ciclo_duplo_permitido(n) = eh_ciclo_duplo_permitido_dado(n);
        eh_no_escravo(n) = eh_no_escravo_dado(n);
        nome_do_mestre(n) = nome_do_mestre_dado(n);
        intervalo_do_escravo(n) = intervalo_do_escravo_dado(n);
        intervalo_do_mestre(n) = intervalo_do_mestre_dado(n);
        defasagem_forcada(n) = defasagem_forcada_dado(n);
        eh_no_demandado(n) = eh_no_demandado_dado(n);
        n_acionamentos(n) = n_acionamentos_dado(n);
        intervalo_demandado(n) = intervalo_demandado_dado(n);
        intervalo_beneficiado(n) = intervalo_beneficiado_dado(n);
        quant_de_intervalos_antes(n) = quant_de_intervalos_antes_dado(n);
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= max_links_por_grupo; ++k) nome_dos_links_do_grupo(n, g, k) = nome_dos_links_do_grupo_dado(n, g, k);
        // A última coluna da régua é sempre divisa; ninguém lê a cópia dela.
        for (int c = 1; c <= ultima_divisa; ++c) existe_ordenada(n, c) = existe_ordenada_dado(n, c);
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= max_intervalos_duplos; ++k) cor_do_intervalo_do_grupo(n, g, k) = cor_do_intervalo_do_grupo_dado(n, g, k);
        for (int k = 1; k <= max_intervalos_duplos; ++k) duracao_imposta(n, k) = duracao_imposta_dado(n, k);
    }
}

void copiar_opcoes() {
    nome_da_rede = nome_da_rede_dado;
    t_de_ciclo_imposto = t_de_ciclo_imposto_dado;
    t_de_ciclo_maximo_imposto = t_de_ciclo_maximo_imposto_dado;
    grau_de_saturacao_meta_imposto = grau_de_saturacao_meta_imposto_dado;
    grau_de_saturacao_limite_imposto = grau_de_saturacao_limite_imposto_dado;
    peso_da_parada_imposto = peso_da_parada_imposto_dado;
}

// ---------------------------------------------------------------- preparação

bool no_em_uso(int n) { return existe_no(n); }
bool link_em_uso(int l) { return existe_link(l); }

// Os graus de saturação são entrados em porcentagem (88 quer dizer 0,88).
Single grau_efetivo(Single imposto_em_porcentagem, Single padrao) {
    return imposto_em_porcentagem != 0 ? dividir_single(imposto_em_porcentagem, 100.0f) : padrao;
}

void definir_opcoes_efetivas() {
    t_de_ciclo_maximo = t_de_ciclo_maximo_imposto != 0 ? t_de_ciclo_maximo_imposto : t_de_ciclo_maximo_padrao;
    grau_de_saturacao_meta = grau_efetivo(grau_de_saturacao_meta_imposto, grau_de_saturacao_meta_padrao);
    grau_de_saturacao_limite = grau_efetivo(grau_de_saturacao_limite_imposto, grau_de_saturacao_limite_padrao);
    peso_da_parada = peso_da_parada_imposto != 0 ? peso_da_parada_imposto : peso_da_parada_padrao;
}

void marcar_grupos_verdes() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n)) continue;
        for (int g = 1; g <= quant_de_grupos(n); ++g)
            for (int k = 1; k <= max_intervalos_de_inicio; ++k)
                grupo_verde_no_intervalo(n, g, k) = cor_do_intervalo_do_grupo(n, g, k) == cor_verde;
    }
}

// A posição p do grupo g do nó n nomeia o link?
bool grupo_nomeia(int n, int g, int p, const std::string& nome) {
    return nomes_iguais(nome_dos_links_do_grupo(n, g, p), nome);
}

// Quando vários grupos nomeiam o mesmo link, o último encontrado decide os verdes dele.
void associar_links_aos_grupos() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n)) continue;
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!link_em_uso(l)) continue;
            for (int g = 1; g <= quant_de_grupos(n); ++g) {
                for (int p = 1; p <= max_links_por_grupo; ++p) {
                    if (!grupo_nomeia(n, g, p, nome_do_link(l))) continue;
                    link_pertence_ao_grupo(l, n, g) = true;
                    for (int k = 1; k <= quant_de_intervalos_antes(n); ++k)
                        link_verde_no_intervalo(l, k) = grupo_verde_no_intervalo(n, g, k);
                }
            }
        }
    }
}

// Verde do link pelas durações do nó destino que a preparação anterior achou (nenhum depois
// da limpeza: o verde de verdade vem mais adiante).
void somar_verde_provisorio() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        const int d = no_destino(l);
        Integer soma = 0;
        for (int k = 1; k <= quant_de_intervalos_antes(d); ++k)
            if (link_verde_no_intervalo(l, k)) soma = para_integer(Long{soma} + Long{duracao_do_intervalo(d, k)});
        t_de_verde_do_link(l) = soma;
    }
}

void marcar_grupos_conflitantes() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n)) continue;
        for (int g1 = 1; g1 <= quant_de_grupos(n); ++g1) {
            for (int g2 = g1 + 1; g2 <= quant_de_grupos(n); ++g2) {
                grupos_conflitantes(n, g1, g2) = true;
                for (int k = 1; k <= quant_de_intervalos_antes(n); ++k)
                    if (grupo_verde_no_intervalo(n, g1, k) && grupo_verde_no_intervalo(n, g2, k))
                        grupos_conflitantes(n, g1, g2) = false;
            }
        }
    }
}

void aplicar_duracoes_impostas() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n)) continue;
        for (int k = 1; k <= quant_de_intervalos_antes(n); ++k) {
            if (duracao_imposta(n, k) <= 0) continue;
            duracao_eh_imposta(n, k) = true;
            duracao_do_intervalo(n, k) = duracao_imposta(n, k);
        }
    }
}

void converter_fluxos_para_segundos() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        fluxo_por_segundo(l) = dividir_single(fluxo_por_segundo(l), 3600.0f);
        fluxo_de_saturacao_por_segundo(l) = dividir_single(fluxo_de_saturacao_por_segundo(l), 3600.0f);
    }
}

// Taxa de ocupação de cada link nomeado por um grupo; o crítico do grupo é o de maior taxa
// (no empate, o primeiro encontrado).
void achar_links_criticos() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n)) continue;
        for (int g = 1; g <= quant_de_grupos(n); ++g) {
            Single maior = 0.0f;
            for (int l = 1; l <= max_indice_link; ++l) {
                if (!link_em_uso(l)) continue;
                for (int p = 1; p <= max_links_por_grupo; ++p) {
                    if (!grupo_nomeia(n, g, p, nome_do_link(l))) continue;
                    y(l) = dividir_single(fluxo_por_segundo(l), fluxo_de_saturacao_por_segundo(l));
                    if (y(l) > maior) {
                        link_critico_do_grupo(n, g) = para_byte(l);
                        maior = y(l);
                    }
                }
            }
        }
    }
}

// Com nomes de nó repetidos, vale a posição mais alta.
void achar_nos_dos_links() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!no_em_uso(n)) continue;
            if (nomes_iguais(nome_do_no_origem(l), nome_do_no(n))) no_origem(l) = para_byte(n);
            if (nomes_iguais(nome_do_no_destino(l), nome_do_no(n))) no_destino(l) = para_byte(n);
        }
    }
}

// Um link de entrada recebe o seu fluxo de fora da rede e tem caixa ilimitada.
void preparar_links_de_entrada() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l) || no_origem(l) != 0) continue;
        entrada_externa_por_segundo(l) = fluxo_por_segundo(l);
        capacidade_da_caixa(l) = capacidade_ilimitada;
    }
}

// Quanto da caixa a fila pode ocupar: tira 12% da caixa ou o fluxo de saturação por hora
// dividido por 1700, o que for maior, e nunca fica abaixo de 2 veículos.
void calcular_capacidade_util() {
    const Single saturacao_de_referencia = dividir_single(1700.0f, 3600.0f);
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        const Integer c = capacidade_da_caixa(l);
        if (c == 0) {
            capacidade_util_da_caixa(l) = 0.0f;
        } else if (c == capacidade_ilimitada) {
            capacidade_util_da_caixa(l) = 32000.0f;
        } else {
            const Single a = verificar_single(static_cast<double>(c) * 0.12);
            const Single b = dividir_single(fluxo_de_saturacao_por_segundo(l), saturacao_de_referencia);
            const Single tirar = b > a ? b : a;
            Single util = static_cast<Single>(c) - tirar;
            if (util < 2.0f) util = 2.0f;
            capacidade_util_da_caixa(l) = util;
        }
    }
}

void calcular_probabilidade_de_demanda() {
    for (int n = 1; n <= max_indice_no; ++n) {
        if (!no_em_uso(n) || !eh_no_demandado(n)) continue;
        const Single expoente = dividir_single(static_cast<float>(para_integer(-Long{n_acionamentos(n)})), 40.0f);
        probabilidade_de_demanda(n) = verificar_single(1.0 - std::exp(static_cast<double>(expoente)));
    }
}

// Um mestre guarda só o último escravo encontrado.
void ligar_mestres_e_escravos() {
    for (int s = 1; s <= max_indice_no; ++s) {
        if (!no_em_uso(s) || !eh_no_escravo(s)) continue;
        for (int m = 1; m <= max_indice_no; ++m) {
            if (!no_em_uso(m) || !nomes_iguais(nome_do_no(m), nome_do_mestre(s))) continue;
            no_mestre(s) = para_byte(m);
            eh_no_mestre(m) = true;
            no_escravo(m) = para_byte(s);
            eh_escravo_valendo(s) = true;
        }
    }
}

void achar_recebedores() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        for (int k = 1; k <= max_recebedores; ++k) {
            if (nome_do_recebedor(l, k).empty()) continue;
            for (int m = 1; m <= max_indice_link; ++m) {
                if (!link_em_uso(m) || !nomes_iguais(nome_do_link(m), nome_do_recebedor(l, k))) continue;
                recebedor(l, k) = para_integer(m);
                fluxo_fornecido(l, m) = dividir_single(valor_do_fornecimento(l, k), 3600.0f);
            }
        }
    }
}

// Fração do fluxo de cada link que vai para cada recebedor. Mais de 120% é avisado e fica
// como está. A fração é um Single: comparada com 1,2 em precisão simples, para que uma fração
// de exatamente 120% (que em Single pode cair um tico acima de 1,2) não seja avisada.
void calcular_fracoes_do_fornecimento() {
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!link_em_uso(l)) continue;
        for (int m = 1; m <= max_indice_link; ++m) {
            if (!link_em_uso(m)) continue;
            for (int k = 1; k <= max_recebedores; ++k) {
                if (recebedor(l, k) != m) continue;
                fracao_do_fornecimento(l, m) = dividir_single(fluxo_fornecido(l, m), fluxo_por_segundo(l));
                if (fracao_do_fornecimento(l, m) > 1.2f)
                    observador_do_calculo_instalado().mensagem(
                        "O fluxo fornecido do link  " + nome_do_link(l) + "  para o link  " + nome_do_link(m) +
                            "  é maior do que 120% do fluxo do link  " + nome_do_link(l),
                        estilo_ok, "Aviso");
            }
        }
    }
}

}  // namespace

void copiar_dados_de_calculo() {
    com_codigo("Erro 126", [] {
        copiar_links();
        copiar_nos();
        copiar_opcoes();
    });
}

void preparar_dados_de_calculo() {
    com_codigo("Erro 121", [] {
        definir_opcoes_efetivas();
        marcar_grupos_verdes();
        associar_links_aos_grupos();
        somar_verde_provisorio();
        marcar_grupos_conflitantes();
        aplicar_duracoes_impostas();
        converter_fluxos_para_segundos();
        achar_links_criticos();
        achar_nos_dos_links();
        preparar_links_de_entrada();
        calcular_capacidade_util();
        calcular_probabilidade_de_demanda();
        ligar_mestres_e_escravos();
        achar_recebedores();
        calcular_fracoes_do_fornecimento();
    });
}

}  // namespace orvel
