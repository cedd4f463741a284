#include "calculo/escolher_tempo_de_ciclo.h"

#include <array>
#include <cmath>

#include "calculo/sondagem.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

struct ciclo_do_no {
    Integer ciclo = 0;               // Cn
    bool elevado = false;            // algum grupo crítico pediu mais verde de segurança
    Integer antes_da_elevacao = 0;   // Cn logo antes da última elevação
};

Integer somar(Long a, Long b) { return para_integer(a + b); }

// (L - e + k) / (1 - x), arredondado; o numerador é um Integer.
Single quociente_do_ciclo(const rede_em_calculo& ctx, int n, Single x) {
    const Integer numerador = somar(somar(ctx.derivados.tempo_perdido_do_no(n), -Long(ctx.derivados.tempo_nao_usado_da_demanda(n))),
                                    ctx.derivados.quant_de_grupos_criticos(n));
    return dividir_single(Single(numerador), Single(1) - x);
}

void calcular_ciclo_do_no(const rede_em_calculo& ctx, int n, ciclo_do_no& c) {
    const Single y_no = ctx.derivados.y_critico_do_no(n);
    const Integer perdido = ctx.derivados.tempo_perdido_do_no(n);

    Single x = dividir_single(y_no, ctx.copias.grau_de_saturacao_meta);
    if (double(x) > 0.99) x = Single(0.99);
    ctx.derivados.grau_de_saturacao_do_no(n) = x;

    c.ciclo = para_integer(quociente_do_ciclo(ctx, n, x));

    // Os acionamentos são contados por hora: leva-se a taxa a um ciclo de Cn segundos. Um
    // ciclo que não é positivo (o tempo não usado vem de um conjunto que não é o crítico e
    // passa do tempo perdido deste) não tem acionamentos por ciclo: a demanda fica como está.
    if (ctx.derivados.tempo_nao_usado_da_demanda(n) > 0 && c.ciclo > 0) {
        const Single ciclos_por_hora = dividir_single(Single(3600), Single(c.ciclo));
        const Single expoente = dividir_single(Single(ctx.copias.n_acionamentos(n)), ciclos_por_hora);
        ctx.derivados.probabilidade_de_demanda(n) = verificar_single(1.0 - std::exp(-double(expoente)));
        const Single nao_usado =
            (Single(1) - ctx.derivados.probabilidade_de_demanda(n)) * Single(ctx.derivados.duracao_do_intervalo(n, ctx.copias.intervalo_demandado(n)));
        ctx.derivados.tempo_nao_usado_da_demanda(n) = para_byte(nao_usado);
        c.ciclo = para_integer(quociente_do_ciclo(ctx, n, x));
    }

    // Sem fluxo no conjunto crítico não há proporção a manter: o ciclo não é elevado.
    if (y_no == 0) return;
    const Integer criticos_e_perdido = somar(ctx.derivados.quant_de_grupos_criticos(n), perdido);
    for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
        if (!ctx.derivados.grupo_eh_critico(n, g)) continue;
        const Single y_grupo = ctx.derivados.y(ctx.derivados.link_critico_do_grupo(n, g));
        if (y_grupo == 0) continue;
        const Integer seguranca = ctx.derivados.verde_de_seguranca_do_grupo(n, g);
        const Integer verde = para_integer(dividir_single(y_grupo, y_no) * Single(somar(c.ciclo, -Long(perdido))));
        if (verde < seguranca) {
            c.elevado = true;
            c.antes_da_elevacao = c.ciclo;
            c.ciclo = para_integer(dividir_single(y_no, y_grupo) * Single(seguranca) + Single(criticos_e_perdido));
        }
    }
}

void dobrar_no(const rede_em_calculo& ctx, int n, bool elevado) {
    ctx.derivados.eh_ciclo_duplo(n) = true;
    ctx.derivados.tempo_perdido_do_no(n) = para_integer(Long(ctx.derivados.tempo_perdido_do_no(n)) * 2);
    if (!elevado) ctx.derivados.tempo_nao_usado_da_demanda(n) = para_byte(int(ctx.derivados.tempo_nao_usado_da_demanda(n)) * 2);

    const int intervalos = ctx.copias.quant_de_intervalos_antes(n);
    const int grupos = ctx.copias.quant_de_grupos(n);
    ctx.derivados.quant_de_intervalos_depois(n) = para_byte(intervalos * 2);
    for (int g = 1; g <= grupos; ++g)
        ctx.derivados.quant_de_periodos_de_verde_do_grupo(n, g) = para_byte(int(ctx.derivados.quant_de_periodos_de_verde_do_grupo(n, g)) * 2);

    for (int j = 1; j <= intervalos; ++j) {
        ctx.derivados.duracao_do_intervalo(n, intervalos + j) = ctx.derivados.duracao_do_intervalo(n, j);
        ctx.derivados.duracao_eh_imposta(n, intervalos + j) = ctx.derivados.duracao_eh_imposta(n, j);
        for (int g = 1; g <= grupos; ++g) {
            ctx.derivados.grupo_verde_no_intervalo(n, g, intervalos + j) = ctx.derivados.grupo_verde_no_intervalo(n, g, j);
            ctx.copias.cor_do_intervalo_do_grupo(n, g, intervalos + j) = ctx.copias.cor_do_intervalo_do_grupo(n, g, j);
        }
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
            if (ctx.rede.existe_link(l) && ctx.derivados.no_destino(l) == n) ctx.derivados.link_verde_no_intervalo(l, intervalos + j) = ctx.derivados.link_verde_no_intervalo(l, j);
    }
}

}  // namespace

void escolher_tempo_de_ciclo(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 123", [&] {
        std::array<ciclo_do_no, max_nos + 1> ciclos{};

        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n)) calcular_ciclo_do_no(ctx, n, ciclos[n]);

        // Média dos ciclos dos nós ponderada pelo Y de cada um. Uma rede sem fluxo em conjunto
        // crítico algum não tem média: fica só com os limites.
        Single soma_ponderada = 0;
        Single soma_dos_y = 0;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            soma_ponderada = soma_ponderada + Single(ciclos[n].ciclo) * ctx.derivados.y_critico_do_no(n);
            soma_dos_y = soma_dos_y + ctx.derivados.y_critico_do_no(n);
        }
        // O ciclo da rede é levado largo até o máximo o limitar: o ciclo no grau de saturação
        // limite pode passar muito de 32767 quando o Y de um nó fica logo abaixo do limite.
        double ciclo = 0;
        if (soma_dos_y != 0) ciclo = para_integer(dividir_single(soma_ponderada, soma_dos_y));

        const Integer piso = somar(ctx.derivados.t_de_ciclo_minimo_de_seguranca, 5);
        if (ciclo < piso) ciclo = piso;

        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            const Single x_limite = dividir_single(ctx.derivados.y_critico_do_no(n), ctx.copias.grau_de_saturacao_limite);
            if (x_limite < Single(1)) {
                const double ciclo_limite = std::nearbyint(verificar_double(quociente_do_ciclo(ctx, n, x_limite)));
                if (ciclo_limite > ciclo) ciclo = ciclo_limite;
            } else {
                ciclo = ctx.copias.t_de_ciclo_maximo;
            }
        }

        if (ciclo > ctx.copias.t_de_ciclo_maximo) ciclo = ctx.copias.t_de_ciclo_maximo;
        if (ctx.copias.t_de_ciclo_imposto > 0) ciclo = ctx.copias.t_de_ciclo_imposto;
        ctx.derivados.t_de_ciclo_calculado = para_integer(ciclo);

        const Integer c = ctx.derivados.t_de_ciclo_calculado;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n) || !ctx.copias.eh_ciclo_duplo_permitido(n)) continue;
            const ciclo_do_no& cn = ciclos[n];
            Integer referencia = cn.ciclo;
            if (cn.elevado) {
                if (cn.antes_da_elevacao <= 0) continue;
                referencia = cn.antes_da_elevacao;
            }
            // R < C / 2 (ou C / 3 num nó demandado), sem arredondar a divisão.
            const bool curto = ctx.copias.eh_no_demandado(n) ? Long(referencia) * 3 < c : Long(referencia) * 2 < c;
            const Integer seguranca = para_integer(Long(somar(ctx.derivados.t_de_ciclo_de_seguranca_do_no(n), 3)) * 2);
            if (curto && seguranca < c) dobrar_no(ctx, n, cn.elevado);
        }

        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n) && !ctx.derivados.eh_ciclo_duplo(n)) ctx.derivados.quant_de_intervalos_depois(n) = ctx.copias.quant_de_intervalos_antes(n);

        sondar_parada(ctx);
    });
}

}  // namespace orvel
