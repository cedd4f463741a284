#include "calculo/calcular_resultados.h"

#include <array>
#include <cmath>
#include <string>

#include "calculo/observador_do_calculo.h"
#include "calculo/simulacao.h"
#include "calculo/rede_em_calculo.h"
#include "modelo/colunas_de_comandos.h"
#include "plataforma/falha.h"
#include "plataforma/numeros.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

// Arredonda a `casas` decimais, metade para o par, sobre o valor guardado; o resultado fica
// em precisão simples. O produto de um Single por 10 ou 100 é exato em precisão dupla, então
// o lado de um empate não se perde.
Single arredondar(Single v, int casas) {
    const double escala = casas == 0 ? 1.0 : casas == 1 ? 10.0 : 100.0;
    const double inteiro = std::nearbyint(double(v) * escala);
    return verificar_single(inteiro / escala);
}

// Texto de uma fração em pontos percentuais: Round(v, 2) · 100, em precisão simples.
std::string texto_percentual(Single v) { return texto_de_single(verificar_single(arredondar(v, 2) * Single(100))); }

std::string dois_algarismos(int v) {
    std::string s = texto_de_inteiro(v);
    return s.size() < 2 ? "0" + s : s;
}

// Data e hora na forma brasileira: dd/mm/aaaa hh:mm:ss.
std::string texto_da_data(const data_hora& d) {
    return dois_algarismos(d.dia) + "/" + dois_algarismos(d.mes) + "/" + texto_de_inteiro(d.ano) + " " +
           dois_algarismos(d.hora) + ":" + dois_algarismos(d.minuto) + ":" + dois_algarismos(d.segundo);
}

// Tempo total de verde de cada link no ciclo (0 = sem verde).
using verde_por_link = std::array<Long, max_links + 1>;

// Sequências de verde de cada grupo, sobre a sequência duplicada de intervalos 1..2N; cada
// sequência conta uma vez, no intervalo em que começa, com o comprimento inteiro, mesmo quando
// passa do fim do ciclo. Cada link do grupo recebe as dez primeiras e o total de verde; num
// link de vários grupos vale o último nó e grupo.
void calcular_periodos_de_verde(const rede_em_calculo& ctx, verde_por_link& total) {
    constexpr int max_duplicado = 2 * max_intervalos_de_inicio;
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const int N = ctx.derivados.quant_de_intervalos_depois(n);
        for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
            ctx.derivados.grupo_verde_no_intervalo(n, g, 0) = ctx.derivados.grupo_verde_no_intervalo(n, g, N);

            std::array<bool, max_duplicado + 1> verde{};
            std::array<Integer, max_duplicado + 1> duracao{};
            verde[0] = ctx.derivados.grupo_verde_no_intervalo(n, g, 0);
            bool verde_sempre = N > 0;
            for (int k = 1; k <= N; ++k) {
                verde[k] = verde[N + k] = ctx.derivados.grupo_verde_no_intervalo(n, g, k);
                duracao[k] = duracao[N + k] = ctx.derivados.duracao_do_intervalo(n, k);
                verde_sempre = verde_sempre && verde[k];
            }

            std::array<Integer, max_duplicado + 1> sequencias{};
            int quant = 0;
            if (verde_sempre) {
                // Nenhuma sequência começa: o verde é o ciclo inteiro.
                sequencias[quant++] = ctx.derivados.t_de_ciclo;
            } else {
                for (int k = 1; k <= N; ++k) {
                    if (!verde[k] || verde[k - 1]) continue;
                    Integer comprimento = duracao[k];
                    for (int m = k + 1; m <= 2 * N && verde[m]; ++m)
                        comprimento = para_integer(Long(comprimento) + Long(duracao[m]));
                    sequencias[quant++] = comprimento;
                }
            }
            Long soma = 0;
            for (int r = 0; r < quant; ++r) soma += sequencias[r];

            for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
                if (!ctx.rede.existe_link(l) || !ctx.derivados.link_pertence_ao_grupo(l, n, g)) continue;
                // A tabela guarda dez sequências; as que passam disso contam só no total.
                for (int r = 1; r <= max_periodos_de_verde; ++r)
                    ctx.resultados.periodo_de_verde_do_link(l, r) = r <= quant ? sequencias[r - 1] : Integer{0};
                total[l] = soma;
            }
        }
    }
}

void textos_dos_links(const rede_em_calculo& ctx, const verde_por_link& total) {
    const Integer C = ctx.derivados.t_de_ciclo;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        ctx.resultados.y_rel(l) = texto_percentual(ctx.derivados.y(l));
        for (int r = 1; r <= max_periodos_de_verde; ++r)
            ctx.resultados.periodo_de_verde_do_link_rel(l, r) = texto_de_inteiro(ctx.resultados.periodo_de_verde_do_link(l, r));

        // Fila máxima levada da capacidade útil para a capacidade inteira da caixa. Sem
        // capacidade útil (caixa 0) a escala não existe: o link fica sem texto de fila máxima
        // e os resultados seguem.
        const Single capacidade = Single(ctx.copias.capacidade_da_caixa(l));
        if (ctx.derivados.capacidade_util_da_caixa(l) != 0) {
            Single q = verificar_single(dividir_single(capacidade, ctx.derivados.capacidade_util_da_caixa(l)) * ctx.resultados.fila_maxima(l));
            if (q > capacidade) q = capacidade;
            ctx.resultados.fila_maxima_rel(l) = texto_de_single(arredondar(q, 0));
            if (Single(double(ctx.copias.capacidade_da_caixa(l)) * 0.99) <= q) ctx.resultados.estourou_caixa(l) = true;
        }
        ctx.resultados.estourou_caixa_rel(l) = texto_de_booleano(ctx.resultados.estourou_caixa(l));

        // Um link sem verde algum fica sem grau de saturação; os outros seguem.
        if (total[l] != 0) {
            const Integer G = para_integer(total[l]);
            ctx.resultados.grau_de_saturacao(l) = verificar_single(dividir_single(Single(C), Single(G)) * ctx.derivados.y(l));
            ctx.resultados.grau_de_saturacao_por_link_rel(l) = texto_percentual(ctx.resultados.grau_de_saturacao(l));
        }
    }
}

void textos_de_atraso_e_paradas(const rede_em_calculo& ctx) {
    const Integer T = ctx.derivados.periodo_de_simulacao;
    if (T == 0) return;  // sem período medido (ciclo acima de 600 s) não há médias; o resto segue
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        ctx.resultados.atraso_rel(l) = texto_de_single(arredondar(dividir_single(ctx.simulacao.atraso(l), Single(T)), 1));
        ctx.resultados.n_paradas_rel(l) = texto_de_double(verificar_double(std::nearbyint(double(ctx.simulacao.paradas(l)) * dividir_double(3600, T))));
    }
}

void textos_da_rede(const rede_em_calculo& ctx) {
    const Integer T = ctx.derivados.periodo_de_simulacao;
    ctx.resultados.t_ciclo_da_rede_rel = texto_de_inteiro(ctx.derivados.t_de_ciclo);
    if (T != 0) {
        ctx.resultados.atraso_rede_rel = texto_de_single(arredondar(dividir_single(ctx.resultados.atraso_total, Single(T)), 2));
        ctx.resultados.n_paradas_rede_rel =
            texto_de_single(arredondar(verificar_single(dividir_single(3600, Single(T)) * ctx.resultados.paradas_total), 0));
    }
    Single fluxo_total = 0;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
        if (ctx.rede.existe_link(l)) fluxo_total = verificar_single(fluxo_total + ctx.copias.fluxo_por_segundo(l));
    const Single veiculos = verificar_single(Single(T) * fluxo_total);
    if (veiculos != 0) ctx.resultados.espera_media_rel = texto_de_single(arredondar(dividir_single(ctx.resultados.atraso_total, veiculos), 0));
}

// Maior grau de saturação e os links empatados nele (igualdade exata), em ordem de posição.
// A lista guarda 50 nomes; um empate além disso não entra nela.
void links_com_maior_grau(const rede_em_calculo& ctx) {
    constexpr int max_empatados = 50;
    Single maior = 0;
    int proxima = 1;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const Single x = ctx.resultados.grau_de_saturacao(l);
        if (x > maior) {
            for (int p = 1; p <= max_empatados; ++p) ctx.resultados.links_com_maior_grau_de_saturacao(p).clear();
            ctx.resultados.links_com_maior_grau_de_saturacao(1) = ctx.rede.nome_do_link_dado(l);
            maior = x;
            proxima = 2;
        } else if (x == maior) {
            if (proxima <= max_empatados) ctx.resultados.links_com_maior_grau_de_saturacao(proxima) = ctx.rede.nome_do_link_dado(l);
            ++proxima;
        }
    }
    ctx.resultados.maior_grau_de_saturacao_rel = texto_percentual(maior);
}

}  // namespace

void calcular_resultados(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 152", [&] {
        if (ctx.projeto.parar_processamento) {
            ctx.observador.aplicar_coluna(coluna_de_comandos::parada);
            ctx.editor.desenhando = false;
            return;
        }
        simular_rede_final(ctx);

        verde_por_link total{};
        calcular_periodos_de_verde(ctx, total);
        textos_dos_links(ctx, total);
        textos_de_atraso_e_paradas(ctx);
        textos_da_rede(ctx);
        links_com_maior_grau(ctx);

        ctx.resultados.max_quant_de_intervalos = 0;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n) && ctx.derivados.quant_de_intervalos_depois(n) > ctx.resultados.max_quant_de_intervalos)
                ctx.resultados.max_quant_de_intervalos = ctx.derivados.quant_de_intervalos_depois(n);

        ctx.resultados.data_rel = texto_da_data(servicos().agora());
    });
}

}  // namespace orvel
