#include "calculo/dados_de_calculo.h"

#include <cmath>
#include <string>

#include "calculo/observador_do_calculo.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/servicos.h"
#include "plataforma/textos.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

inline constexpr Integer capacidade_ilimitada = 32000;

// ---------------------------------------------------------------- cópia

void copiar_links(const rede_em_calculo& ctx) {
    for (int l = 1; l <= max_links; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        ctx.copias.nome_do_link(l) = ctx.rede.nome_do_link_dado(l);
        ctx.copias.nome_do_no_origem(l) = ctx.rede.nome_do_no_origem_dado(l);
        ctx.copias.nome_do_no_destino(l) = ctx.rede.nome_do_no_destino_dado(l);
        ctx.copias.verde_de_seguranca(l) = ctx.rede.verde_de_seguranca_dado(l);
        ctx.copias.fluxo_por_segundo(l) = ctx.rede.fluxo_dado(l);  // ainda por hora: a preparação divide
        ctx.copias.fluxo_de_saturacao_por_segundo(l) = ctx.rede.fluxo_de_saturacao_dado(l);
        ctx.copias.t_de_percurso(l) = Integer{ctx.rede.t_de_percurso_dado(l)};
        ctx.copias.capacidade_da_caixa(l) = ctx.rede.capacidade_da_caixa_dado(l);
        for (int k = 1; k <= max_recebedores; ++k) {
            ctx.copias.nome_do_recebedor(l, k) = ctx.rede.nome_do_recebedor_dado(l, k);
            ctx.copias.valor_do_fornecimento(l, k) = ctx.rede.valor_do_fornecimento_dado(l, k);
        }
    }
}

void copiar_nos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= max_nos; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        ctx.copias.nome_do_no(n) = ctx.rede.nome_do_no_dado(n);
        ctx.copias.quant_de_grupos(n) = ctx.rede.quant_de_grupos_dado(n);
        ctx.copias.eh_ciclo_duplo_permitido(n) = ctx.rede.eh_ciclo_duplo_permitido_dado(n);
        ctx.copias.eh_no_escravo(n) = ctx.rede.eh_no_escravo_dado(n);
        ctx.copias.nome_do_mestre(n) = ctx.rede.nome_do_mestre_dado(n);
        ctx.copias.intervalo_do_escravo(n) = ctx.rede.intervalo_do_escravo_dado(n);
        ctx.copias.intervalo_do_mestre(n) = ctx.rede.intervalo_do_mestre_dado(n);
        ctx.copias.defasagem_forcada(n) = ctx.rede.defasagem_forcada_dado(n);
        ctx.copias.eh_no_demandado(n) = ctx.rede.eh_no_demandado_dado(n);
        ctx.copias.n_acionamentos(n) = ctx.rede.n_acionamentos_dado(n);
        ctx.copias.intervalo_demandado(n) = ctx.rede.intervalo_demandado_dado(n);
        ctx.copias.intervalo_beneficiado(n) = ctx.rede.intervalo_beneficiado_dado(n);
        ctx.copias.quant_de_intervalos_antes(n) = ctx.rede.quant_de_intervalos_antes_dado(n);
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= max_links_por_grupo; ++k) ctx.copias.nome_dos_links_do_grupo(n, g, k) = ctx.rede.nome_dos_links_do_grupo_dado(n, g, k);
        // A última coluna da régua é sempre divisa; ninguém lê a cópia dela.
        for (int c = 1; c <= ultima_divisa; ++c) ctx.copias.existe_ordenada(n, c) = ctx.rede.existe_ordenada_dado(n, c);
        for (int g = 1; g <= max_grupos; ++g)
            for (int k = 1; k <= max_intervalos_duplos; ++k) ctx.copias.cor_do_intervalo_do_grupo(n, g, k) = ctx.rede.cor_do_intervalo_do_grupo_dado(n, g, k);
        for (int k = 1; k <= max_intervalos_duplos; ++k) ctx.copias.duracao_imposta(n, k) = ctx.rede.duracao_imposta_dado(n, k);
    }
}

void copiar_opcoes(const rede_em_calculo& ctx) {
    ctx.copias.nome_da_rede = ctx.rede.nome_da_rede_dado;
    ctx.copias.t_de_ciclo_imposto = ctx.rede.t_de_ciclo_imposto_dado;
    ctx.copias.t_de_ciclo_maximo_imposto = ctx.rede.t_de_ciclo_maximo_imposto_dado;
    ctx.copias.grau_de_saturacao_meta_imposto = ctx.rede.grau_de_saturacao_meta_imposto_dado;
    ctx.copias.grau_de_saturacao_limite_imposto = ctx.rede.grau_de_saturacao_limite_imposto_dado;
    ctx.copias.peso_da_parada_imposto = ctx.rede.peso_da_parada_imposto_dado;
}

// ---------------------------------------------------------------- preparação

bool no_em_uso(const rede_em_calculo& ctx, int n) { return ctx.rede.existe_no(n); }
bool link_em_uso(const rede_em_calculo& ctx, int l) { return ctx.rede.existe_link(l); }

// Os graus de saturação são entrados em porcentagem (88 quer dizer 0,88).
Single grau_efetivo(Single imposto_em_porcentagem, Single padrao) {
    return imposto_em_porcentagem != 0 ? dividir_single(imposto_em_porcentagem, 100.0f) : padrao;
}

void definir_opcoes_efetivas(const rede_em_calculo& ctx) {
    ctx.copias.t_de_ciclo_maximo = ctx.copias.t_de_ciclo_maximo_imposto != 0 ? ctx.copias.t_de_ciclo_maximo_imposto : t_de_ciclo_maximo_padrao;
    ctx.copias.grau_de_saturacao_meta = grau_efetivo(ctx.copias.grau_de_saturacao_meta_imposto, grau_de_saturacao_meta_padrao);
    ctx.copias.grau_de_saturacao_limite = grau_efetivo(ctx.copias.grau_de_saturacao_limite_imposto, grau_de_saturacao_limite_padrao);
    ctx.copias.peso_da_parada = ctx.copias.peso_da_parada_imposto != 0 ? ctx.copias.peso_da_parada_imposto : peso_da_parada_padrao;
}

void marcar_grupos_verdes(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g)
            for (int k = 1; k <= max_intervalos_de_inicio; ++k)
                ctx.derivados.grupo_verde_no_intervalo(n, g, k) = ctx.copias.cor_do_intervalo_do_grupo(n, g, k) == cor_verde;
    }
}

// A posição p do grupo g do nó n nomeia o link?
bool grupo_nomeia(const rede_em_calculo& ctx, int n, int g, int p, const std::string& nome) {
    return nomes_iguais(ctx.copias.nome_dos_links_do_grupo(n, g, p), nome);
}

// Quando vários grupos nomeiam o mesmo link, o último encontrado decide os verdes dele.
void associar_links_aos_grupos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!link_em_uso(ctx, l)) continue;
            for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
                for (int p = 1; p <= max_links_por_grupo; ++p) {
                    if (!grupo_nomeia(ctx, n, g, p, ctx.copias.nome_do_link(l))) continue;
                    ctx.derivados.link_pertence_ao_grupo(l, n, g) = true;
                    for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(n); ++k)
                        ctx.derivados.link_verde_no_intervalo(l, k) = ctx.derivados.grupo_verde_no_intervalo(n, g, k);
                }
            }
        }
    }
}

// Verde do link pelas durações do nó destino que a preparação anterior achou (nenhum depois
// da limpeza: o verde de verdade vem mais adiante).
void somar_verde_provisorio(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        const int d = ctx.derivados.no_destino(l);
        Integer soma = 0;
        for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(d); ++k)
            if (ctx.derivados.link_verde_no_intervalo(l, k)) soma = para_integer(Long{soma} + Long{ctx.derivados.duracao_do_intervalo(d, k)});
        ctx.derivados.t_de_verde_do_link(l) = soma;
    }
}

void marcar_grupos_conflitantes(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int g1 = 1; g1 <= ctx.copias.quant_de_grupos(n); ++g1) {
            for (int g2 = g1 + 1; g2 <= ctx.copias.quant_de_grupos(n); ++g2) {
                ctx.derivados.grupos_conflitantes(n, g1, g2) = true;
                for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(n); ++k)
                    if (ctx.derivados.grupo_verde_no_intervalo(n, g1, k) && ctx.derivados.grupo_verde_no_intervalo(n, g2, k))
                        ctx.derivados.grupos_conflitantes(n, g1, g2) = false;
            }
        }
    }
}

void aplicar_duracoes_impostas(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(n); ++k) {
            if (ctx.copias.duracao_imposta(n, k) <= 0) continue;
            ctx.derivados.duracao_eh_imposta(n, k) = true;
            ctx.derivados.duracao_do_intervalo(n, k) = ctx.copias.duracao_imposta(n, k);
        }
    }
}

void converter_fluxos_para_segundos(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        ctx.copias.fluxo_por_segundo(l) = dividir_single(ctx.copias.fluxo_por_segundo(l), 3600.0f);
        ctx.copias.fluxo_de_saturacao_por_segundo(l) = dividir_single(ctx.copias.fluxo_de_saturacao_por_segundo(l), 3600.0f);
    }
}

// Taxa de ocupação de cada link nomeado por um grupo; o crítico do grupo é o de maior taxa
// (no empate, o primeiro encontrado).
void achar_links_criticos(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n)) continue;
        for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
            Single maior = 0.0f;
            for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
                if (!link_em_uso(ctx, l)) continue;
                for (int p = 1; p <= max_links_por_grupo; ++p) {
                    if (!grupo_nomeia(ctx, n, g, p, ctx.copias.nome_do_link(l))) continue;
                    ctx.derivados.y(l) = dividir_single(ctx.copias.fluxo_por_segundo(l), ctx.copias.fluxo_de_saturacao_por_segundo(l));
                    if (ctx.derivados.y(l) > maior) {
                        ctx.derivados.link_critico_do_grupo(n, g) = para_byte(l);
                        maior = ctx.derivados.y(l);
                    }
                }
            }
        }
    }
}

// Com nomes de nó repetidos, vale a posição mais alta.
void achar_nos_dos_links(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!no_em_uso(ctx, n)) continue;
            if (nomes_iguais(ctx.copias.nome_do_no_origem(l), ctx.copias.nome_do_no(n))) ctx.derivados.no_origem(l) = para_byte(n);
            if (nomes_iguais(ctx.copias.nome_do_no_destino(l), ctx.copias.nome_do_no(n))) ctx.derivados.no_destino(l) = para_byte(n);
        }
    }
}

// Um link de entrada recebe o seu fluxo de fora da rede e tem caixa ilimitada.
void preparar_links_de_entrada(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l) || ctx.derivados.no_origem(l) != 0) continue;
        ctx.derivados.entrada_externa_por_segundo(l) = ctx.copias.fluxo_por_segundo(l);
        ctx.copias.capacidade_da_caixa(l) = capacidade_ilimitada;
    }
}

// Quanto da caixa a fila pode ocupar: tira 12% da caixa ou o fluxo de saturação por hora
// dividido por 1700, o que for maior, e nunca fica abaixo de 2 veículos.
void calcular_capacidade_util(const rede_em_calculo& ctx) {
    const Single saturacao_de_referencia = dividir_single(1700.0f, 3600.0f);
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        const Integer c = ctx.copias.capacidade_da_caixa(l);
        if (c == 0) {
            ctx.derivados.capacidade_util_da_caixa(l) = 0.0f;
        } else if (c == capacidade_ilimitada) {
            ctx.derivados.capacidade_util_da_caixa(l) = 32000.0f;
        } else {
            const Single a = verificar_single(static_cast<double>(c) * 0.12);
            const Single b = dividir_single(ctx.copias.fluxo_de_saturacao_por_segundo(l), saturacao_de_referencia);
            const Single tirar = b > a ? b : a;
            Single util = static_cast<Single>(c) - tirar;
            if (util < 2.0f) util = 2.0f;
            ctx.derivados.capacidade_util_da_caixa(l) = util;
        }
    }
}

void calcular_probabilidade_de_demanda(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!no_em_uso(ctx, n) || !ctx.copias.eh_no_demandado(n)) continue;
        const Single expoente = dividir_single(static_cast<float>(para_integer(-Long{ctx.copias.n_acionamentos(n)})), 40.0f);
        ctx.derivados.probabilidade_de_demanda(n) = verificar_single(1.0 - std::exp(static_cast<double>(expoente)));
    }
}

// Um mestre guarda só o último escravo encontrado.
void ligar_mestres_e_escravos(const rede_em_calculo& ctx) {
    for (int s = 1; s <= ctx.rede.max_indice_no; ++s) {
        if (!no_em_uso(ctx, s) || !ctx.copias.eh_no_escravo(s)) continue;
        for (int m = 1; m <= ctx.rede.max_indice_no; ++m) {
            if (!no_em_uso(ctx, m) || !nomes_iguais(ctx.copias.nome_do_no(m), ctx.copias.nome_do_mestre(s))) continue;
            ctx.derivados.no_mestre(s) = para_byte(m);
            ctx.derivados.eh_no_mestre(m) = true;
            ctx.derivados.no_escravo(m) = para_byte(s);
            ctx.derivados.eh_escravo_valendo(s) = true;
        }
    }
}

void achar_recebedores(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        for (int k = 1; k <= max_recebedores; ++k) {
            if (ctx.copias.nome_do_recebedor(l, k).empty()) continue;
            for (int m = 1; m <= ctx.rede.max_indice_link; ++m) {
                if (!link_em_uso(ctx, m) || !nomes_iguais(ctx.copias.nome_do_link(m), ctx.copias.nome_do_recebedor(l, k))) continue;
                ctx.derivados.recebedor(l, k) = para_integer(m);
                ctx.derivados.fluxo_fornecido(l, m) = dividir_single(ctx.copias.valor_do_fornecimento(l, k), 3600.0f);
            }
        }
    }
}

// Fração do fluxo de cada link que vai para cada recebedor. Mais de 120% é avisado e fica
// como está. A fração é um Single: comparada com 1,2 em precisão simples, para que uma fração
// de exatamente 120% (que em Single pode cair um tico acima de 1,2) não seja avisada.
void calcular_fracoes_do_fornecimento(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!link_em_uso(ctx, l)) continue;
        for (int m = 1; m <= ctx.rede.max_indice_link; ++m) {
            if (!link_em_uso(ctx, m)) continue;
            for (int k = 1; k <= max_recebedores; ++k) {
                if (ctx.derivados.recebedor(l, k) != m) continue;
                ctx.derivados.fracao_do_fornecimento(l, m) = dividir_single(ctx.derivados.fluxo_fornecido(l, m), ctx.copias.fluxo_por_segundo(l));
                if (ctx.derivados.fracao_do_fornecimento(l, m) > 1.2f)
                    ctx.observador.mensagem(
                        "O fluxo fornecido do link  " + ctx.copias.nome_do_link(l) + "  para o link  " + ctx.copias.nome_do_link(m) +
                            "  é maior do que 120% do fluxo do link  " + ctx.copias.nome_do_link(l),
                        estilo_ok, "Aviso");
            }
        }
    }
}

}  // namespace

void copiar_dados_de_calculo(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 126", [&] {
        copiar_links(ctx);
        copiar_nos(ctx);
        copiar_opcoes(ctx);
    });
}

void preparar_dados_de_calculo(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 121", [&] {
        definir_opcoes_efetivas(ctx);
        marcar_grupos_verdes(ctx);
        associar_links_aos_grupos(ctx);
        somar_verde_provisorio(ctx);
        marcar_grupos_conflitantes(ctx);
        aplicar_duracoes_impostas(ctx);
        converter_fluxos_para_segundos(ctx);
        achar_links_criticos(ctx);
        achar_nos_dos_links(ctx);
        preparar_links_de_entrada(ctx);
        calcular_capacidade_util(ctx);
        calcular_probabilidade_de_demanda(ctx);
        ligar_mestres_e_escravos(ctx);
        achar_recebedores(ctx);
        calcular_fracoes_do_fornecimento(ctx);
    });
}

}  // namespace orvel
