// Velocidade da simulação da rede inteira, em link-segundos simulados por segundo, na maior
// rede que as tabelas permitem: 50 nós de 2 a 6 intervalos e 2 a 4 grupos, 150 links (cerca
// de um quarto de entrada), recebedores com frações de fornecimento, capacidades que represam.
// A rede é gerada sempre igual.
//
// Uma execução simula 8·C + T segundos de cada link. As execuções em faixas rodam oito
// configurações (defasagens diferentes) juntas: a medida é por configuração-link-segundo, com
// AVX2 (arg 1) e sem (arg 0), ao lado da sequencial. A máquina pode estar ocupada com outras
// coisas: vale a menor das médias das repetições ("menor").

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "calculo/simulacao.h"
#include "comum/rede_de_simulacao.h"
#include "modelo/tabelas_de_calculo.h"

namespace {

using namespace orvel;

// A rede gerada num contexto próprio (grande: no heap).
std::unique_ptr<contexto_da_rede> montar_maior_rede(Integer C) {
    auto c = std::make_unique<contexto_da_rede>();
    teste::montagem_da_rede m(*c);
    teste::gerar_rede(m, 2026, max_nos, max_links, C, static_cast<Integer>(600 / C * C));
    return c;
}

void contar(benchmark::State& estado, const contexto_da_rede& c) {
    const double link_segundos = double(max_links) * double(8 * c.derivados.t_de_ciclo + c.derivados.periodo_de_simulacao) * double(estado.iterations());
    estado.counters["link_segundos"] = benchmark::Counter(link_segundos, benchmark::Counter::kIsRate);
    // Segundos por link-segundo, mostrados em ns ("n").
    estado.counters["por_link_segundo"] =
        benchmark::Counter(link_segundos, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void simulacao_da_rede(benchmark::State& estado) {
    const auto c = montar_maior_rede(static_cast<Integer>(estado.range(0)));
    for (auto _ : estado) {
        simular_rede(*c);
        benchmark::DoNotOptimize(c->buscas.indice_de_desempenho);
    }
    contar(estado, *c);
}

void simulacao_em_faixas(benchmark::State& estado) {
    const auto c = montar_maior_rede(120);
    const bool antes = usar_instrucoes_avx2(estado.range(0) == 1);
    defasagens_das_faixas d{};
    for (int j = 0; j < max_faixas; ++j)
        for (int n = 0; n <= max_nos; ++n) d[j][n] = static_cast<Integer>(c->buscas.defasagem_tentativa(n) + (n == j + 1 ? 15 : 0));
    for (auto _ : estado) {
        if (!simular_rede_em_faixas(*c, max_faixas, d)) {
            estado.SkipWithError("as faixas não serviram");
            break;
        }
        benchmark::DoNotOptimize(resultado_da_faixa(*c, 0));
    }
    usar_instrucoes_avx2(antes);
    const double link_segundos =
        double(max_faixas) * double(max_links) * double(8 * c->derivados.t_de_ciclo + c->derivados.periodo_de_simulacao) * double(estado.iterations());
    estado.counters["por_configuracao_link_segundo"] =
        benchmark::Counter(link_segundos, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void simulacao_final(benchmark::State& estado) {
    const auto c = montar_maior_rede(static_cast<Integer>(estado.range(0)));
    for (auto _ : estado) {
        simular_rede_final(*c);
        benchmark::DoNotOptimize(c->resultados.atraso_total);
    }
    contar(estado, *c);
}

double menor(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(simulacao_da_rede)->Arg(60)->Arg(120)->Unit(benchmark::kMillisecond)->MinTime(0.1)->Repetitions(15)->ComputeStatistics("menor", menor);
BENCHMARK(simulacao_em_faixas)->ArgName("avx2")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(0.1)->Repetitions(15)->ComputeStatistics("menor", menor);
BENCHMARK(simulacao_final)->Arg(120)->Unit(benchmark::kMillisecond)->MinTime(0.1)->Repetitions(15)->ComputeStatistics("menor", menor);

BENCHMARK_MAIN();
