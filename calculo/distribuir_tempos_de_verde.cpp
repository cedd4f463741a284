#include "calculo/distribuir_tempos_de_verde.h"

#include <array>

#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

Integer somar(Long a, Long b) { return para_integer(a + b); }

// Conta feita em precisão dupla e guardada como Single antes de arredondar.
Integer arredondar_pela_single(double v) { return para_integer(verificar_single(v)); }

Single y_do_grupo(const rede_em_calculo& ctx, int n, int g) { return ctx.derivados.y(ctx.derivados.link_critico_do_grupo(n, g)); }

// Intervalo k da sequência do nó contado além de n: repete o intervalo k - n.
int no_ciclo(int k, int n) { return n > 0 ? (k - 1) % n + 1 : k; }

bool verde(const rede_em_calculo& ctx, int n, int g, int k, int intervalos) {
    return ctx.derivados.grupo_verde_no_intervalo(n, g, no_ciclo(k, intervalos));
}

// As cópias além do fim da sequência não são impostas.
bool imposta(const rede_em_calculo& ctx, int n, int k, int intervalos) { return k <= intervalos && ctx.derivados.duracao_eh_imposta(n, k); }

// Duração imposta de um intervalo; num ciclo duplo a segunda metade repete a primeira.
Integer duracao_imposta_do_intervalo(const rede_em_calculo& ctx, int n, int k) {
    const int antes = ctx.copias.quant_de_intervalos_antes(n);
    return ctx.copias.duracao_imposta(n, ctx.derivados.eh_ciclo_duplo(n) && antes > 0 ? no_ciclo(k, antes) : k);
}

// Verde de cada grupo crítico. Sem fluxo para repartir (Y = 0), o verde calculado é 0 e os
// intervalos verdes recebem o mínimo.
void verdes_dos_grupos_criticos(const rede_em_calculo& ctx, int n, std::array<Integer, max_grupos + 1>& verde_do_grupo) {
    const int grupos = ctx.copias.quant_de_grupos(n);
    const Integer perdido = ctx.derivados.tempo_perdido_do_no(n);
    const Integer disponivel = somar(ctx.derivados.t_de_ciclo_calculado, -Long(perdido));
    const Single y_no = ctx.derivados.y_critico_do_no(n);

    auto pela_proporcao = [&] {
        for (int g = 1; g <= grupos; ++g) {
            if (!ctx.derivados.grupo_eh_critico(n, g)) continue;
            verde_do_grupo[g] = y_no == 0 ? Integer(0)
                                          : arredondar_pela_single(double(disponivel) * double(y_do_grupo(ctx, n, g)) / double(y_no));
        }
    };

    if (!ctx.copias.eh_no_demandado(n)) {
        pela_proporcao();
        return;
    }

    // Nó demandado: o grupo beneficiado (o crítico verde no intervalo beneficiado) recebe o
    // tempo que a demanda deixa de usar, na média.
    int beneficiado = 0;
    for (int g = 1; g <= grupos; ++g)
        if (ctx.derivados.grupo_eh_critico(n, g) && ctx.derivados.grupo_verde_no_intervalo(n, g, ctx.copias.intervalo_beneficiado(n))) beneficiado = g;
    if (beneficiado == 0 || y_do_grupo(ctx, n, beneficiado) == 0) {
        pela_proporcao();
        return;
    }

    const Single y_b = y_do_grupo(ctx, n, beneficiado);
    Single y_r = 0;
    for (int g = 1; g <= grupos; ++g)
        if (ctx.derivados.grupo_eh_critico(n, g) && !ctx.derivados.grupo_verde_no_intervalo(n, g, ctx.copias.intervalo_beneficiado(n))) y_r = y_r + y_do_grupo(ctx, n, g);
    const Integer demandado = ctx.derivados.duracao_do_intervalo(n, ctx.copias.intervalo_demandado(n));
    const double p = ctx.derivados.probabilidade_de_demanda(n);
    const Integer a = somar(disponivel, demandado);

    const double fator = (1.0 - p) * double(y_r) / double(y_b) + 1.0;
    verde_do_grupo[beneficiado] =
        arredondar_pela_single((double(a) - fator * double(demandado)) * double(y_b) / (double(y_b) + double(y_r)));

    const Integer resto = somar(disponivel, -Long(verde_do_grupo[beneficiado]));
    for (int g = 1; g <= grupos; ++g) {
        if (!ctx.derivados.grupo_eh_critico(n, g) || g == beneficiado) continue;
        verde_do_grupo[g] = y_r == 0 ? Integer(0) : arredondar_pela_single(double(resto) * double(y_do_grupo(ctx, n, g)) / double(y_r));
    }
}

void intervalos_dos_grupos_criticos(const rede_em_calculo& ctx, int n, std::array<Integer, max_grupos + 1>& verde_do_grupo) {
    const int intervalos = ctx.derivados.quant_de_intervalos_depois(n);
    for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
        if (!ctx.derivados.grupo_eh_critico(n, g)) continue;
        Integer imposto = 0;
        int livres = 0;
        for (int k = 1; k <= intervalos; ++k) {
            if (!ctx.derivados.grupo_verde_no_intervalo(n, g, k)) continue;
            if (ctx.derivados.duracao_eh_imposta(n, k)) imposto = somar(imposto, duracao_imposta_do_intervalo(ctx, n, k));
            else ++livres;
        }
        if (imposto > verde_do_grupo[g]) verde_do_grupo[g] = imposto;
        if (livres == 0) continue;
        Integer cada = para_integer(dividir_double(double(somar(verde_do_grupo[g], -Long(imposto))), double(livres)));
        if (cada < 1) cada = 1;
        for (int k = 1; k <= intervalos; ++k)
            if (ctx.derivados.grupo_verde_no_intervalo(n, g, k) && !ctx.derivados.duracao_eh_imposta(n, k)) ctx.derivados.duracao_do_intervalo(n, k) = cada;
    }
}

// Um grupo crítico verde em k, k+1 e k+2, com k+1 imposto entre dois livres: o tempo de k e
// k+2 é repartido pelos grupos não críticos mais fortes que abrem em cada um deles.
void reparar_intervalos_vazios(const rede_em_calculo& ctx, int n) {
    const int intervalos = ctx.derivados.quant_de_intervalos_depois(n);
    const int grupos = ctx.copias.quant_de_grupos(n);
    bool algum_vazio = false;
    for (int k = 1; k <= intervalos; ++k) algum_vazio = algum_vazio || ctx.derivados.duracao_do_intervalo(n, k) == 0;
    if (!algum_vazio) return;

    for (int g = 1; g <= grupos; ++g) {
        if (!ctx.derivados.grupo_eh_critico(n, g)) continue;
        for (int i = 1; i <= 3; ++i) ctx.derivados.duracao_do_intervalo(n, intervalos + i) = ctx.derivados.duracao_do_intervalo(n, i);

        for (int k = 1; k <= intervalos; ++k) {
            if (!(verde(ctx, n, g, k, intervalos) && verde(ctx, n, g, k + 1, intervalos) && verde(ctx, n, g, k + 2, intervalos))) continue;
            if (imposta(ctx, n, k, intervalos) || !imposta(ctx, n, k + 1, intervalos) || imposta(ctx, n, k + 2, intervalos)) continue;

            Single y1 = 0;
            int g1 = 0;
            for (int h = 1; h <= grupos; ++h) {
                if (verde(ctx, n, h, k, intervalos) && !ctx.derivados.grupo_eh_critico(n, h) && y_do_grupo(ctx, n, h) > y1) {
                    y1 = y_do_grupo(ctx, n, h);
                    g1 = h;
                }
            }
            // Além de n só há as cópias dos grupos críticos: um grupo não crítico não está
            // verde na cópia n + 1.
            Single y2 = 0;
            for (int h = 1; h <= grupos; ++h) {
                const bool verde_em_k2 = k + 2 <= intervalos && ctx.derivados.grupo_verde_no_intervalo(n, h, k + 2);
                if (h != g1 && verde_em_k2 && !ctx.derivados.grupo_eh_critico(n, h) && y_do_grupo(ctx, n, h) > y2) y2 = y_do_grupo(ctx, n, h);
            }
            if (y1 == 0 || y2 == 0) y1 = y2 = 1;

            const Integer total = somar(ctx.derivados.duracao_do_intervalo(n, k), ctx.derivados.duracao_do_intervalo(n, k + 2));
            const double soma_dos_y = double(y1) + double(y2);
            ctx.derivados.duracao_do_intervalo(n, k) = arredondar_pela_single(double(total) * double(y1) / soma_dos_y);
            ctx.derivados.duracao_do_intervalo(n, k + 2) = arredondar_pela_single(double(total) * double(y2) / soma_dos_y);
        }
    }
}

Integer escolher_ciclo_final(const rede_em_calculo& ctx, Integer maior_total) {
    if (ctx.copias.t_de_ciclo_imposto != 0) return ctx.copias.t_de_ciclo_imposto;
    const Long multiplo_acima = Long(maior_total) / 5 * 5 + 5;
    if (multiplo_acima > ctx.copias.t_de_ciclo_maximo) return ctx.copias.t_de_ciclo_maximo;
    if (maior_total % 5 == 0) return maior_total;
    return para_integer(multiplo_acima);
}

void ajustar_ao_ciclo(const rede_em_calculo& ctx, int n, Integer total) {
    const int intervalos = ctx.derivados.quant_de_intervalos_depois(n);
    if (total < ctx.derivados.t_de_ciclo) {
        // A falta é dada de segundo em segundo, em volta dos intervalos não impostos.
        bool algum_livre = false;
        for (int k = 1; k <= intervalos; ++k) algum_livre = algum_livre || !ctx.derivados.duracao_eh_imposta(n, k);
        if (!algum_livre) return;
        Long falta = Long(ctx.derivados.t_de_ciclo) - total;
        for (int k = 1; falta > 0; k = k % intervalos + 1) {
            if (ctx.derivados.duracao_eh_imposta(n, k)) continue;
            ctx.derivados.duracao_do_intervalo(n, k) = somar(ctx.derivados.duracao_do_intervalo(n, k), 1);
            --falta;
        }
    } else if (total > ctx.derivados.t_de_ciclo) {
        // O excesso sai de segundo em segundo do maior intervalo livre do grupo mais forte.
        int mais_forte = 0;
        Single maior_y = 0;
        for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
            if (y_do_grupo(ctx, n, g) > maior_y) {
                maior_y = y_do_grupo(ctx, n, g);
                mais_forte = g;
            }
        }
        if (mais_forte == 0) return;
        Long excesso = Long(total) - ctx.derivados.t_de_ciclo;
        while (excesso > 0) {
            int escolhido = 0;
            Integer maior = 0;
            for (int k = 1; k <= intervalos; ++k) {
                if (ctx.derivados.grupo_verde_no_intervalo(n, mais_forte, k) && !ctx.derivados.duracao_eh_imposta(n, k) && ctx.derivados.duracao_do_intervalo(n, k) > maior) {
                    maior = ctx.derivados.duracao_do_intervalo(n, k);
                    escolhido = k;
                }
            }
            if (escolhido == 0) return;  // nada mais pode ceder
            ctx.derivados.duracao_do_intervalo(n, escolhido) = somar(ctx.derivados.duracao_do_intervalo(n, escolhido), -1);
            --excesso;
        }
    }
}

}  // namespace

void distribuir_tempos_de_verde(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 124", [&] {
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            std::array<Integer, max_grupos + 1> verde_do_grupo{};
            verdes_dos_grupos_criticos(ctx, n, verde_do_grupo);
            intervalos_dos_grupos_criticos(ctx, n, verde_do_grupo);
            reparar_intervalos_vazios(ctx, n);
        }

        std::array<Integer, max_nos + 1> total{};
        Integer maior_total = 0;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            for (int k = 1; k <= ctx.derivados.quant_de_intervalos_depois(n); ++k) total[n] = somar(total[n], ctx.derivados.duracao_do_intervalo(n, k));
            if (total[n] > maior_total) maior_total = total[n];
        }

        ctx.derivados.t_de_ciclo = escolher_ciclo_final(ctx, maior_total);

        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n)) ajustar_ao_ciclo(ctx, n, total[n]);
    });
}

}  // namespace orvel
