#include "calculo/calcular_ciclo_minimo_dos_nos.h"

#include <array>
#include <vector>

#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/textos.h"
#include "plataforma/tipos.h"

namespace orvel {

namespace {

// Oito grupos em conflito dois a dois formam 28 pares, 56 trios, 70 quádruplas e 56
// quíntuplas: 210 conjuntos, o máximo possível.
constexpr int max_conjuntos = 210;
constexpr int max_grupos_do_conjunto = 5;

struct conjunto {
    std::array<int, max_grupos_do_conjunto> grupos{};
    int tamanho = 0;
    Single y_somado = 0;
    Integer tempo_perdido = 0;
    Integer ciclo = 0;
};

Integer somar(Integer a, Long b) { return para_integer(Long(a) + b); }

bool conflitam(const rede_em_calculo& ctx, int n, int g1, int g2) {
    return g1 < g2 ? ctx.derivados.grupos_conflitantes(n, g1, g2) : ctx.derivados.grupos_conflitantes(n, g2, g1);
}

// Todos os conjuntos de `tamanho` grupos entre 1..G, em ordem lexicográfica, cujos pares
// conflitam todos.
void acrescentar_conjuntos(const rede_em_calculo& ctx, int n, int quant, int tamanho, std::vector<conjunto>& conjuntos) {
    conjunto atual;
    atual.tamanho = tamanho;
    auto escolher = [&](auto&& self, int posicao, int primeiro) -> void {
        if (posicao == tamanho) {
            if (conjuntos.size() >= max_conjuntos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
            conjuntos.push_back(atual);
            return;
        }
        for (int g = primeiro; g <= quant; ++g) {
            bool conflita_com_todos = true;
            for (int i = 0; i < posicao && conflita_com_todos; ++i) conflita_com_todos = conflitam(ctx, n, atual.grupos[i], g);
            if (!conflita_com_todos) continue;
            atual.grupos[posicao] = g;
            self(self, posicao + 1, g + 1);
        }
    };
    escolher(escolher, 0, 1);
}

bool no_conjunto(const conjunto& c, int g) {
    for (int i = 0; i < c.tamanho; ++i)
        if (c.grupos[i] == g) return true;
    return false;
}

void calcular_no(const rede_em_calculo& ctx, int n) {
    const int quant = ctx.copias.quant_de_grupos(n);
    const int intervalos = ctx.copias.quant_de_intervalos_antes(n);

    std::vector<conjunto> conjuntos;
    if (quant == 1) {
        conjunto unico;
        unico.grupos[0] = 1;
        unico.tamanho = 1;
        conjuntos.push_back(unico);
    } else {
        for (int tamanho = 2; tamanho <= max_grupos_do_conjunto; ++tamanho)
            acrescentar_conjuntos(ctx, n, quant, tamanho, conjuntos);
    }

    for (auto& c : conjuntos) {
        Single y_somado = 0;
        for (int i = 0; i < c.tamanho; ++i) y_somado = y_somado + ctx.derivados.y(ctx.derivados.link_critico_do_grupo(n, c.grupos[i]));
        if (double(y_somado) > 0.99) y_somado = Single(0.99);
        c.y_somado = y_somado;

        Integer perdido = 0;
        for (int j = 1; j <= intervalos; ++j) {
            bool algum_verde = false;
            for (int i = 0; i < c.tamanho && !algum_verde; ++i) algum_verde = ctx.derivados.grupo_verde_no_intervalo(n, c.grupos[i], j);
            if (algum_verde) continue;
            perdido = somar(perdido, ctx.copias.duracao_imposta(n, j) > 0 ? ctx.copias.duracao_imposta(n, j) : 1);
            if (ctx.copias.eh_no_demandado(n) && j == ctx.copias.intervalo_demandado(n)) {
                const Single nao_usado = (Single(1) - ctx.derivados.probabilidade_de_demanda(n)) * Single(ctx.derivados.duracao_do_intervalo(n, j));
                ctx.derivados.tempo_nao_usado_da_demanda(n) = para_byte(nao_usado);
            }
        }
        c.tempo_perdido = perdido;

        const Integer util = somar(perdido, -Long(ctx.derivados.tempo_nao_usado_da_demanda(n)));
        c.ciclo = para_integer(dividir_single(Single(util), Single(1) - y_somado));
    }

    // O conjunto crítico: o primeiro de maior ciclo.
    const conjunto* critico = nullptr;
    Integer maior_ciclo = 0;
    for (const auto& c : conjuntos) {
        if (c.ciclo > maior_ciclo) {
            maior_ciclo = c.ciclo;
            critico = &c;
        }
    }
    if (critico != nullptr) {
        ctx.derivados.tempo_perdido_do_no(n) = critico->tempo_perdido;
        ctx.derivados.y_critico_do_no(n) = critico->y_somado;
    }

    ctx.derivados.quant_de_grupos_criticos(n) = 0;
    if (critico != nullptr) {
        for (int g = 1; g <= quant; ++g) {
            if (!no_conjunto(*critico, g)) continue;
            ctx.derivados.grupo_eh_critico(n, g) = true;
            ctx.derivados.quant_de_grupos_criticos(n) = para_byte(ctx.derivados.quant_de_grupos_criticos(n) + 1);
        }
    }

    for (int g = 1; g <= quant; ++g) {
        Integer maior_verde = 0;
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!ctx.rede.existe_link(l)) continue;
            for (int s = 1; s <= max_links_por_grupo; ++s) {
                if (nomes_iguais(ctx.copias.nome_dos_links_do_grupo(n, g, s), ctx.copias.nome_do_link(l)) && ctx.copias.verde_de_seguranca(l) > maior_verde)
                    maior_verde = ctx.copias.verde_de_seguranca(l);
            }
        }
        ctx.derivados.verde_de_seguranca_do_grupo(n, g) = maior_verde;
    }

    for (int g = 1; g <= quant; ++g) {
        ctx.derivados.grupo_verde_no_intervalo(n, g, 0) = ctx.derivados.grupo_verde_no_intervalo(n, g, intervalos);
        Byte periodos = 0;
        for (int j = 1; j <= intervalos; ++j)
            if (ctx.derivados.grupo_verde_no_intervalo(n, g, j) && !ctx.derivados.grupo_verde_no_intervalo(n, g, j - 1)) periodos = para_byte(periodos + 1);
        ctx.derivados.quant_de_periodos_de_verde_do_grupo(n, g) = periodos;
    }

    Integer ciclo_de_seguranca = 0;
    for (const auto& c : conjuntos) {
        Integer soma = c.tempo_perdido;
        for (int i = 0; i < c.tamanho; ++i) {
            const int g = c.grupos[i];
            const Integer verde_e_entreverde = somar(ctx.derivados.verde_de_seguranca_do_grupo(n, g), 2);
            soma = somar(soma, para_integer(Long(verde_e_entreverde) * ctx.derivados.quant_de_periodos_de_verde_do_grupo(n, g)));
        }
        if (soma > ciclo_de_seguranca) ciclo_de_seguranca = soma;
    }
    ctx.derivados.t_de_ciclo_de_seguranca_do_no(n) = ciclo_de_seguranca;
}

}  // namespace

void calcular_ciclo_minimo_dos_nos(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 122", [&] {
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n)) calcular_no(ctx, n);

        Integer maior = 0;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n) && ctx.derivados.t_de_ciclo_de_seguranca_do_no(n) > maior) maior = ctx.derivados.t_de_ciclo_de_seguranca_do_no(n);
        ctx.derivados.t_de_ciclo_minimo_de_seguranca = maior;
    });
}

}  // namespace orvel
