// Tempo de um "Processar" inteiro (da validação aos textos de resultado, sem gravar o arquivo)
// na maior rede que as tabelas permitem: a grade de 50 nós e 150 links, ciclo de 120 s, no
// período de dez minutos e, com uma via saturada, no de uma hora.
//
// Antes de medir, uma execução conferida: a rede é válida, nenhuma caixa aparece e o período
// é o esperado. A máquina pode estar ocupada com outras coisas: vale a menor das repetições.
//
// Cada período é medido com as buscas das defasagens em faixas (em_faixas:1) e em sequência
// (em_faixas:0), lado a lado; `sequencial_por_faixas` é a razão entre os dois tempos e
// `maior_trecho_sem_sondagem_ms` o maior tempo que o "Interromper processamento" esperaria.
//
// `processar_com_parada` mede, com as buscas em faixas, pares de execuções da mesma rede: uma
// inteira e uma com a parada pedida na primeira sondagem (parada_no_meio:0) ou na do meio
// (parada_no_meio:1). O tempo é o da execução parada; `parada_por_sem_parada` é a razão entre
// os dois tempos do par, `maior_trecho_depois_da_parada_ms` o maior tempo sem sondagem da
// parada até o fim, `execucoes_em_sequencia` e `execucoes_em_faixas` as simulações da execução
// parada e `sem_parada_em_sequencia` e `sem_parada_em_faixas` as da inteira. Para a razão, vale
// a mediana das repetições (--benchmark_repetitions).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "calculo/processar_rede.h"
#include "calculo/simulacao.h"
#include "comum/rede_em_grade.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/servicos_de_teste.h"

namespace {

using namespace orvel;

constexpr Integer ciclo = 120;

// O menor tempo em sequência de cada período, para a razão.
double menor_tempo_em_sequencia[2] = {0, 0};

void processar(benchmark::State& estado) {
    const bool uma_hora = estado.range(0) == 1;
    const bool em_faixas = estado.range(1) == 1;
    const bool antes = ligar_buscas_em_faixas(em_faixas);
    // A rede num contexto próprio (grande: no heap).
    const auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 5, 10, ciclo, uma_hora);
    etapas() = etapas_de_verdade();
    etapas().salvar = [](contexto_da_rede&, observador_do_calculo&) { return true; };

    {
        servicos_de_teste s;
        processar_rede(*c, observador_do_calculo_instalado());
        const Integer esperado = uma_hora ? 3600 : 600;
        if (!c->projeto.dados_ok || !s.mensagens.empty() || c->derivados.t_de_ciclo != ciclo || c->derivados.periodo_de_simulacao != esperado ||
            c->resultados.t_ciclo_da_rede_rel.empty()) {
            std::string motivo = "a execução conferida não saiu como esperado";
            if (!s.mensagens.empty()) motivo += ": " + s.mensagens.front().titulo + " " + s.mensagens.front().texto;
            estado.SkipWithError(motivo.c_str());
            ligar_buscas_em_faixas(antes);
            return;
        }
    }

    // O maior trecho sem sondagem da parada: entre duas sondagens, ou do começo à primeira e
    // da última ao fim.
    servicos_de_teste s;
    auto ultima = std::chrono::steady_clock::now();
    double maior_trecho = 0;
    auto marcar = [&] {
        const auto agora = std::chrono::steady_clock::now();
        maior_trecho = std::max(maior_trecho, std::chrono::duration<double>(agora - ultima).count());
        ultima = agora;
    };
    s.ao_processar_eventos = marcar;
    double menor = 1e300;
    for (auto _ : estado) {
        const auto inicio = std::chrono::steady_clock::now();
        ultima = inicio;
        processar_rede(*c, observador_do_calculo_instalado());
        benchmark::DoNotOptimize(c->resultados.atraso_total);
        marcar();
        menor = std::min(menor, std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count());
    }
    estado.counters["maior_trecho_sem_sondagem_ms"] = maior_trecho * 1000;
    ligar_buscas_em_faixas(antes);
    double& em_sequencia = menor_tempo_em_sequencia[uma_hora ? 1 : 0];
    if (!em_faixas) em_sequencia = em_sequencia > 0 ? std::min(em_sequencia, menor) : menor;
    else if (em_sequencia > 0)
        estado.counters["sequencial_por_faixas"] = em_sequencia / menor;
    estado.counters["nos"] = double(c->rede.total_de_nos_dado);
    estado.counters["links"] = double(c->rede.total_de_links_dado);
    estado.counters["nos_no_caminho"] = double(c->buscas.quant_de_nos_do_caminho);
    estado.counters["niveis"] = double(c->buscas.quant_de_niveis);
}

// Um "Processar" com a parada pedida na sondagem `parar_em` (0: nenhuma): o tempo, o maior
// trecho sem sondagem da parada até o fim e as simulações feitas.
struct execucao_medida {
    double tempo = 0;
    double maior_trecho_depois_da_parada = 0;
    int sondagens = 0;
    execucoes_feitas simulacoes;
};

execucao_medida processar_medindo(contexto_da_rede& c, int parar_em) {
    servicos_de_teste s;
    execucao_medida m;
    auto ultima = std::chrono::steady_clock::now();
    auto marcar = [&] {
        const auto agora = std::chrono::steady_clock::now();
        const double trecho = std::chrono::duration<double>(agora - ultima).count();
        if (parar_em > 0 && m.sondagens >= parar_em)
            m.maior_trecho_depois_da_parada = std::max(m.maior_trecho_depois_da_parada, trecho);
        ultima = agora;
    };
    s.ao_processar_eventos = [&] {
        marcar();
        if (++m.sondagens == parar_em) c.projeto.parar_processamento = true;
    };
    const execucoes_feitas antes = contar_execucoes(c);
    const auto inicio = std::chrono::steady_clock::now();
    processar_rede(c, observador_do_calculo_instalado());
    benchmark::DoNotOptimize(c.resultados.atraso_total);
    marcar();
    m.tempo = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    const execucoes_feitas depois = contar_execucoes(c);
    m.simulacoes = {depois.em_sequencia - antes.em_sequencia, depois.em_faixas - antes.em_faixas};
    return m;
}

void processar_com_parada(benchmark::State& estado) {
    const bool uma_hora = estado.range(0) == 1;
    const bool no_meio = estado.range(1) == 1;
    const bool antes = ligar_buscas_em_faixas(true);
    // A rede num contexto próprio (grande: no heap).
    const auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 5, 10, ciclo, uma_hora);
    etapas() = etapas_de_verdade();
    etapas().salvar = [](contexto_da_rede&, observador_do_calculo&) { return true; };

    // A execução conferida, que conta as sondagens; a parada tem de deixar as mesmas defasagens.
    const execucao_medida conferida = processar_medindo(*c, 0);
    const Integer esperado = uma_hora ? 3600 : 600;
    if (!c->projeto.dados_ok || c->derivados.t_de_ciclo != ciclo || c->derivados.periodo_de_simulacao != esperado ||
        c->resultados.t_ciclo_da_rede_rel.empty() ||
        conferida.sondagens < 2) {
        estado.SkipWithError("a execução conferida não saiu como esperado");
        ligar_buscas_em_faixas(antes);
        return;
    }
    std::vector<Integer> defasagens;
    for (int n = 1; n <= c->rede.max_indice_no; ++n) defasagens.push_back(c->buscas.defasagem_valendo(n));
    const int parar_em = no_meio ? conferida.sondagens / 2 : 1;

    execucao_medida inteira;
    execucao_medida parada;
    double razao = 0;
    bool mesmas_defasagens = true;
    auto medir_parada = [&] {
        parada = processar_medindo(*c, parar_em);
        for (int n = 1; n <= c->rede.max_indice_no; ++n)
            if (c->buscas.defasagem_valendo(n) != defasagens[static_cast<std::size_t>(n - 1)]) mesmas_defasagens = false;
    };
    // A ordem do par se alterna de uma repetição para a outra.
    static int pares_medidos = 0;
    for (auto _ : estado) {
        if (pares_medidos++ % 2 == 0) {
            inteira = processar_medindo(*c, 0);
            medir_parada();
        } else {
            medir_parada();
            inteira = processar_medindo(*c, 0);
        }
        estado.SetIterationTime(parada.tempo);
        razao = parada.tempo / inteira.tempo;
    }
    if (!mesmas_defasagens) estado.SkipWithError("a execução parada deixou outras defasagens");
    estado.counters["parada_por_sem_parada"] = razao;
    estado.counters["maior_trecho_depois_da_parada_ms"] = parada.maior_trecho_depois_da_parada * 1000;
    estado.counters["execucoes_em_sequencia"] = double(parada.simulacoes.em_sequencia);
    estado.counters["execucoes_em_faixas"] = double(parada.simulacoes.em_faixas);
    estado.counters["sem_parada_em_sequencia"] = double(inteira.simulacoes.em_sequencia);
    estado.counters["sem_parada_em_faixas"] = double(inteira.simulacoes.em_faixas);
    estado.counters["sondagens"] = double(parada.sondagens);
    ligar_buscas_em_faixas(antes);
}

double menor(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(processar)
    ->ArgNames({"uma_hora", "em_faixas"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("menor", menor);

BENCHMARK(processar_com_parada)
    ->ArgNames({"uma_hora", "parada_no_meio"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime()
    ->ComputeStatistics("menor", menor);

BENCHMARK_MAIN();
