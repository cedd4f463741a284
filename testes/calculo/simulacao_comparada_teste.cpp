// A simulação rápida contra o modelo literal, em redes e defasagens geradas: toda fila,
// atraso, parada, perfil e resultado deve sair igual bit a bit, execução após execução.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "calculo/simulacao.h"
#include "comum/rede_de_simulacao.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "simulacao_literal.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class simulacao_comparada_com_a_literal : public teste::com_rede_propria {};

// A escolha do AVX2 volta ao que era no fim do escopo, também quando uma asserção sai antes.
class avx2_escolhido {
public:
    explicit avx2_escolhido(bool usar) : antes_(usar_instrucoes_avx2(usar)) {}
    ~avx2_escolhido() { usar_instrucoes_avx2(antes_); }
    avx2_escolhido(const avx2_escolhido&) = delete;
    avx2_escolhido& operator=(const avx2_escolhido&) = delete;

private:
    bool antes_;
};

using teste::variante;

// Tudo o que uma execução escreve.
struct estado_da_simulacao {
    std::remove_cvref_t<decltype(tabelas_da_simulacao::fila)> fila_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::atraso)> atraso_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::paradas_no_segundo)> paradas_no_segundo_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::paradas)> paradas_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::ocupacao_da_caixa)> ocupacao_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::caixa_com_espaco)> caixa_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::verde_agora)> verde_agora_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::verde_antes)> verde_antes_;
    std::remove_cvref_t<decltype(tabelas_da_simulacao::instante_no_ciclo)> instante_;
    std::remove_cvref_t<decltype(resultados_do_calculo::fila_maxima)> fila_maxima_;
    std::remove_cvref_t<decltype(estado_das_buscas::defasagem_tentativa)> defasagem_tentativa_;
    std::remove_cvref_t<decltype(estado_das_buscas::custo_da_defasagem)> custo_;
    tabela_dinamica<Single> entrada_, chegada_;
    Single escalares[8];
    Long paradas_no_inicio_do_vermelho_;
    Byte link_corrente_;

    static estado_da_simulacao tirar(const contexto_da_rede& c) {
        return {c.simulacao.fila, c.simulacao.atraso, c.simulacao.paradas_no_segundo, c.simulacao.paradas, c.simulacao.ocupacao_da_caixa, c.simulacao.caixa_com_espaco, c.simulacao.verde_agora, c.simulacao.verde_antes,
                c.simulacao.instante_no_ciclo, c.resultados.fila_maxima, c.buscas.defasagem_tentativa, c.buscas.custo_da_defasagem, c.simulacao.perfil_de_entrada, c.simulacao.perfil_de_chegada,
                {c.simulacao.vazao_possivel, c.simulacao.vazao_bloqueada, c.simulacao.bloqueado_no_recebedor, c.buscas.indice_de_desempenho, c.buscas.indice_da_vizinhanca,
                 c.resultados.atraso_total, c.resultados.paradas_total, 0},
                c.simulacao.paradas_no_inicio_do_vermelho, c.simulacao.link_corrente};
    }

    void repor(contexto_da_rede& c) const {
        c.simulacao.fila = fila_;
        c.simulacao.atraso = atraso_;
        c.simulacao.paradas_no_segundo = paradas_no_segundo_;
        c.simulacao.paradas = paradas_;
        c.simulacao.ocupacao_da_caixa = ocupacao_;
        c.simulacao.caixa_com_espaco = caixa_;
        c.simulacao.verde_agora = verde_agora_;
        c.simulacao.verde_antes = verde_antes_;
        c.simulacao.instante_no_ciclo = instante_;
        c.resultados.fila_maxima = fila_maxima_;
        c.buscas.defasagem_tentativa = defasagem_tentativa_;
        c.buscas.custo_da_defasagem = custo_;
        c.simulacao.perfil_de_entrada = entrada_;
        c.simulacao.perfil_de_chegada = chegada_;
        c.simulacao.vazao_possivel = escalares[0];
        c.simulacao.vazao_bloqueada = escalares[1];
        c.simulacao.bloqueado_no_recebedor = escalares[2];
        c.buscas.indice_de_desempenho = escalares[3];
        c.buscas.indice_da_vizinhanca = escalares[4];
        c.resultados.atraso_total = escalares[5];
        c.resultados.paradas_total = escalares[6];
        c.simulacao.paradas_no_inicio_do_vermelho = paradas_no_inicio_do_vermelho_;
        c.simulacao.link_corrente = link_corrente_;
    }
};

template <class T>
bool mesmos_bits(const T& a, const T& b) {
    return std::memcmp(a.dados(), b.dados(), sizeof(*a.dados()) * T::total) == 0;
}

bool mesmos_bits(const tabela_dinamica<Single>& a, const tabela_dinamica<Single>& b) {
    if (a.limite1() != b.limite1() || a.limite2() != b.limite2()) return false;
    for (long long l = 0; l <= a.limite1(); ++l)
        for (long long t = 0; t <= a.limite2(); ++t)
            if (std::bit_cast<std::uint32_t>(a(l, t)) != std::bit_cast<std::uint32_t>(b(l, t))) return false;
    return true;
}

// Os perfis só contam depois da execução final: as das buscas não os escrevem.
void comparar(const estado_da_simulacao& rapida, const estado_da_simulacao& literal, const std::string& onde, bool com_perfis) {
    EXPECT_TRUE(mesmos_bits(rapida.fila_, literal.fila_)) << onde << ": fila";
    EXPECT_TRUE(mesmos_bits(rapida.atraso_, literal.atraso_)) << onde << ": atraso";
    EXPECT_TRUE(mesmos_bits(rapida.paradas_no_segundo_, literal.paradas_no_segundo_)) << onde << ": paradas no segundo";
    EXPECT_TRUE(mesmos_bits(rapida.paradas_, literal.paradas_)) << onde << ": paradas";
    EXPECT_TRUE(mesmos_bits(rapida.ocupacao_, literal.ocupacao_)) << onde << ": ocupação";
    EXPECT_TRUE(mesmos_bits(rapida.caixa_, literal.caixa_)) << onde << ": caixa com espaço";
    EXPECT_TRUE(mesmos_bits(rapida.verde_agora_, literal.verde_agora_)) << onde << ": verde agora";
    EXPECT_TRUE(mesmos_bits(rapida.verde_antes_, literal.verde_antes_)) << onde << ": verde antes";
    EXPECT_TRUE(mesmos_bits(rapida.instante_, literal.instante_)) << onde << ": instante no ciclo";
    EXPECT_TRUE(mesmos_bits(rapida.fila_maxima_, literal.fila_maxima_)) << onde << ": fila máxima";
    EXPECT_TRUE(mesmos_bits(rapida.defasagem_tentativa_, literal.defasagem_tentativa_)) << onde << ": defasagem em teste";
    EXPECT_TRUE(mesmos_bits(rapida.custo_, literal.custo_)) << onde << ": custo da defasagem";
    if (com_perfis) {
        EXPECT_TRUE(mesmos_bits(rapida.entrada_, literal.entrada_)) << onde << ": perfil de entrada";
        EXPECT_TRUE(mesmos_bits(rapida.chegada_, literal.chegada_)) << onde << ": perfil de chegada";
    }
    EXPECT_EQ(std::memcmp(rapida.escalares, literal.escalares, sizeof rapida.escalares), 0) << onde << ": índices e vazões";
    EXPECT_EQ(rapida.paradas_no_inicio_do_vermelho_, literal.paradas_no_inicio_do_vermelho_) << onde;
    EXPECT_EQ(rapida.link_corrente_, literal.link_corrente_) << onde;
}

// Os conjuntos das variantes de subconjunto: caminho, dois pares e uma vizinhança, com um
// link repetido no caminho e um nó repetido na vizinhança.
void preencher_subconjuntos(teste::sorteio& s, int nos, Integer C, contexto_da_rede& ctx) {
    auto links_que_chegam = [&ctx](int a, int b) {
        std::vector<int> v;
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
            if (ctx.derivados.no_destino(l) == a || ctx.derivados.no_destino(l) == b) v.push_back(l);
        return v;
    };
    const int a = s.entre(1, nos), b = s.entre(1, nos);
    ctx.buscas.quant_de_nos_do_caminho = 2;
    ctx.buscas.nos_do_caminho_principal(1) = static_cast<Byte>(a);
    ctx.buscas.nos_do_caminho_principal(2) = static_cast<Byte>(b);
    std::vector<int> caminho = links_que_chegam(a, b);
    if (!caminho.empty()) caminho.push_back(caminho.front());
    ctx.buscas.quant_de_links_do_caminho = static_cast<Byte>(std::min<std::size_t>(caminho.size(), max_links));
    for (int i = 0; i < ctx.buscas.quant_de_links_do_caminho; ++i) ctx.buscas.links_do_caminho(i + 1) = static_cast<Integer>(caminho[i]);

    ctx.buscas.par_corrente = 3;
    for (int fase = 1; fase <= 2; ++fase) {
        const int x = s.entre(1, nos), y = s.entre(1, nos);
        (fase == 1 ? ctx.buscas.par_fase1 : ctx.buscas.par_fase2)(x, y) = ctx.buscas.par_corrente;
        std::vector<int> v = links_que_chegam(x, y);
        const int quant = std::min<int>(static_cast<int>(v.size()), max_links_do_par);
        (fase == 1 ? ctx.buscas.quant_de_links_do_par_fase1 : ctx.buscas.quant_de_links_do_par_fase2)(ctx.buscas.par_corrente) = static_cast<Byte>(quant);
        for (int i = 0; i < quant; ++i) (fase == 1 ? ctx.buscas.links_do_par_fase1 : ctx.buscas.links_do_par_fase2)(ctx.buscas.par_corrente, i + 1) = static_cast<Integer>(v[i]);
    }

    ctx.buscas.candidato_corrente = static_cast<Byte>(s.entre(1, max_candidatos));
    const int cand = ctx.buscas.candidato_corrente;
    const int v1 = s.entre(1, nos), v2 = s.entre(1, nos);
    ctx.buscas.quant_de_nos_da_vizinhanca(cand) = 3;
    ctx.buscas.no_da_vizinhanca(1) = static_cast<Byte>(v1);
    ctx.buscas.no_da_vizinhanca(2) = static_cast<Byte>(v2);
    ctx.buscas.no_da_vizinhanca(3) = static_cast<Byte>(v1);
    std::vector<int> viz = links_que_chegam(v1, v2);
    ctx.buscas.quant_de_links_da_vizinhanca(cand) = static_cast<Byte>(viz.size());
    for (std::size_t i = 0; i < viz.size(); ++i) ctx.buscas.links_da_vizinhanca(cand, i + 1) = static_cast<Byte>(viz[i]);

    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        auto entrada = [&] { return s.entre(0, 2) == 0 ? 0.0f : static_cast<Single>(s.entre(1, 3)) / 8.0f; };
        auto capacidade = [&] { return static_cast<Integer>(s.entre(0, 3) == 0 ? 32000 : s.entre(2, 40)); };
        ctx.buscas.fluxo_externo_do_caminho(l) = entrada();
        ctx.buscas.capacidade_no_caminho(l) = capacidade();
        ctx.buscas.entrada_no_par_fase1(ctx.buscas.par_corrente, l) = entrada();
        ctx.buscas.capacidade_no_par_fase1(ctx.buscas.par_corrente, l) = capacidade();
        ctx.buscas.entrada_no_par_fase2(ctx.buscas.par_corrente, l) = entrada();
        ctx.buscas.capacidade_no_par_fase2(ctx.buscas.par_corrente, l) = capacidade();
        ctx.buscas.fluxo_externo_da_vizinhanca(cand, l) = entrada();
        ctx.buscas.capacidade_na_vizinhanca(cand, l) = capacidade();
    }
    ctx.buscas.periodo_de_otimizacao = static_cast<Integer>(s.entre(1, 4) * C);
    ctx.buscas.periodo_local = static_cast<Integer>(s.entre(1, 4) * C + s.entre(0, 7));
}

struct execucao {
    variante v;
    Integer defasagem_do_par = 0;
    bool fase1 = true;
};

// Roda a sequência com a simulação rápida e com a literal a partir do mesmo estado e
// compara depois de cada execução. Entre execuções, as defasagens em teste mudam.
void rodar_lado_a_lado(contexto_da_rede& c, const std::vector<execucao>& sequencia, std::uint64_t semente, const std::string& nome) {
    const estado_da_simulacao inicial = estado_da_simulacao::tirar(c);
    auto mexer = [&c](int k) {
        for (int n = 1; n <= c.rede.max_indice_no; ++n) c.buscas.defasagem_tentativa(n) = static_cast<Integer>((c.buscas.defasagem_tentativa(n) + 7 * k + n) % 97);
    };
    std::vector<estado_da_simulacao> rapidos;
    {
        servicos_de_teste s;
        for (std::size_t k = 0; k < sequencia.size(); ++k) {
            c.buscas.eh_fase1 = sequencia[k].fase1;
            c.buscas.eh_fase2 = !sequencia[k].fase1;
            switch (sequencia[k].v) {
                case variante::rede: simular_rede(c); break;
                case variante::par: simular_par(c, sequencia[k].defasagem_do_par); break;
                case variante::caminho: simular_caminho(c); break;
                case variante::vizinhanca: simular_vizinhanca(c); break;
                case variante::rede_final: simular_rede_final(c); break;
            }
            rapidos.push_back(estado_da_simulacao::tirar(c));
            mexer(static_cast<int>(k));
        }
        EXPECT_TRUE(s.mensagens.empty()) << nome << ": " << (s.mensagens.empty() ? "" : s.mensagens[0].titulo);
    }
    inicial.repor(c);
    for (std::size_t k = 0; k < sequencia.size(); ++k) {
        c.buscas.eh_fase1 = sequencia[k].fase1;
        c.buscas.eh_fase2 = !sequencia[k].fase1;
        teste::simular_literal(c, sequencia[k].v, sequencia[k].defasagem_do_par);
        const estado_da_simulacao literal = estado_da_simulacao::tirar(c);
        comparar(rapidos[k], literal, nome + " semente " + std::to_string(semente) + " execução " + std::to_string(k),
                 sequencia[k].v == variante::rede_final);
        mexer(static_cast<int>(k));
    }
}

TEST_F(simulacao_comparada_com_a_literal, iguais_bit_a_bit_em_redes_geradas) {
    const std::vector<execucao> sequencia = {
        {variante::rede},          {variante::rede_final},   {variante::par, 7, true}, {variante::par, 250, false},
        {variante::caminho},       {variante::vizinhanca},   {variante::rede},         {variante::caminho},
        {variante::rede_final},    {variante::vizinhanca},
    };
    const Integer ciclos[] = {40, 60, 90, 97};
    for (std::uint64_t semente = 1; semente <= 12; ++semente) {
        teste::montagem_da_rede m(c);
        teste::sorteio s(semente * 31);
        const int nos = s.entre(2, 9);
        const int links = s.entre(nos, 4 * nos + 6);
        const Integer C = ciclos[semente % 4];
        teste::gerar_rede(m, semente, nos, links, C, static_cast<Integer>(s.entre(1, 6) * C), semente % 2 == 0);
        preencher_subconjuntos(s, nos, C, c);
        rodar_lado_a_lado(c, sequencia, semente, "rede gerada");
        if (HasFailure()) return;
    }
}

// As faixas contra o modelo literal: oito defasagens diferentes rodadas juntas, cada faixa
// começando do estado em que a execução literal da faixa anterior deixou as tabelas. Toda
// fila, atraso, parada, verde e resultado de cada faixa é o da execução literal, bit a bit,
// com e sem AVX2; as faixas se separam (resultados diferentes e caixas que enchem numa faixa e
// não noutra).
TEST_F(simulacao_comparada_com_a_literal, faixas_iguais_bit_a_bit_a_execucoes_em_sequencia) {
    const Integer ciclos[] = {40, 60, 90, 97};
    int faixas_com_caixas_diferentes = 0;
    for (const bool avx2 : {true, false}) {
        const avx2_escolhido escolha(avx2);
        for (std::uint64_t semente = 1; semente <= 10; ++semente) {
            teste::montagem_da_rede m(c);
            teste::sorteio s(semente * 53 + 5);
            const int nos = s.entre(2, 9);
            const int links = s.entre(nos, 4 * nos + 6);
            const Integer C = ciclos[semente % 4];
            teste::gerar_rede(m, semente + 100, nos, links, C, static_cast<Integer>(s.entre(1, 6) * C), semente % 2 == 0);
            preencher_subconjuntos(s, nos, C, c);
            c.buscas.eh_fase1 = semente % 3 != 0;
            c.buscas.eh_fase2 = !c.buscas.eh_fase1;
            simular_rede(c);  // verde_antes de uma execução anterior
            for (const variante v : {variante::rede, variante::caminho, variante::par, variante::vizinhanca}) {
                const int quant = s.entre(1, max_faixas);
                defasagens_das_faixas d{};
                std::array<Integer, max_faixas> do_par{};
                // Na vizinhança, as faixas diferem nos inícios dos intervalos do primeiro nó:
                // cada uma move uma divisa entre dois intervalos.
                const int k = c.buscas.no_da_vizinhanca(1);
                inicios_das_faixas inicios{};
                auto por_inicios = [this, k](const std::array<Integer, max_intervalos_de_inicio + 2>& linha) {
                    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) c.derivados.inicio_do_intervalo(k, x) = linha[static_cast<std::size_t>(x)];
                };
                auto inicios_agora = [this, k] {
                    std::array<Integer, max_intervalos_de_inicio + 2> linha{};
                    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) linha[static_cast<std::size_t>(x)] = c.derivados.inicio_do_intervalo(k, x);
                    return linha;
                };
                const auto inicios_antes = inicios_agora();
                for (int j = 0; j < quant; ++j) {
                    for (int n = 0; n <= max_nos; ++n) d[j][n] = j == 0 ? c.buscas.defasagem_tentativa(n) : d[j - 1][n];
                    // Uma faixa move um nó (como as buscas), às vezes dois.
                    for (int k = s.entre(1, 2); k > 0; --k) {
                        const int n = s.entre(1, nos);
                        d[j][n] = static_cast<Integer>(d[j][n] + s.entre(-C, 2 * C));
                    }
                    do_par[j] = static_cast<Integer>(s.entre(0, 300));
                    auto& linha = inicios[static_cast<std::size_t>(j)];
                    linha = j == 0 ? inicios_antes : inicios[static_cast<std::size_t>(j - 1)];
                    const int m = s.entre(2, c.derivados.quant_de_intervalos_depois(k));
                    const Integer novo = static_cast<Integer>(linha[static_cast<std::size_t>(m)] + s.entre(-3, 3));
                    if (novo > linha[static_cast<std::size_t>(m - 1)] && novo < linha[static_cast<std::size_t>(m + 1)])
                        linha[static_cast<std::size_t>(m)] = novo;
                }
                const estado_da_simulacao inicial = estado_da_simulacao::tirar(c);
                bool servem = false;
                switch (v) {
                    case variante::rede: servem = simular_rede_em_faixas(c, quant, d); break;
                    case variante::caminho: servem = simular_caminho_em_faixas(c, quant, d); break;
                    case variante::par: servem = simular_par_em_faixas(c, quant, do_par); break;
                    default: servem = simular_vizinhanca_em_faixas(c, quant, k, inicios); break;
                }
                EXPECT_TRUE(inicios_antes == inicios_agora()) << "as faixas devolvem os inícios como estavam";
                ASSERT_TRUE(servem) << semente;
                std::vector<estado_da_simulacao> das_faixas;
                std::vector<Single> resultados;
                for (int j = 0; j < quant; ++j) {
                    ASSERT_FALSE(faixa_precisa_de_sequencia(c, j));
                    if (v == variante::rede || v == variante::caminho)
                        for (int n = 0; n <= max_nos; ++n) c.buscas.defasagem_tentativa(n) = d[j][n];
                    devolver_faixa(c, j);
                    das_faixas.push_back(estado_da_simulacao::tirar(c));
                    resultados.push_back(resultado_da_faixa(c, j));
                    if (j > 0 && std::memcmp(&das_faixas[j].caixa_, &das_faixas[j - 1].caixa_, sizeof das_faixas[j].caixa_) != 0)
                        ++faixas_com_caixas_diferentes;
                }
                inicial.repor(c);
                for (int j = 0; j < quant; ++j) {
                    if (v == variante::rede || v == variante::caminho)
                        for (int n = 0; n <= max_nos; ++n) c.buscas.defasagem_tentativa(n) = d[j][n];
                    if (v == variante::vizinhanca) por_inicios(inicios[static_cast<std::size_t>(j)]);
                    teste::simular_literal(c, v, do_par[j]);
                    if (v == variante::vizinhanca) por_inicios(inicios_antes);
                    const estado_da_simulacao literal = estado_da_simulacao::tirar(c);
                    const std::string onde = std::string(avx2 ? "avx2" : "simples") + " semente " + std::to_string(semente) +
                                             " variante " + std::to_string(static_cast<int>(v)) + " faixa " + std::to_string(j);
                    comparar(das_faixas[j], literal, onde, false);
                    const Single esperado = v == variante::par          ? c.buscas.custo_da_defasagem(do_par[j])
                                            : v == variante::vizinhanca ? c.buscas.indice_da_vizinhanca
                                                                        : c.buscas.indice_de_desempenho;
                    EXPECT_EQ(std::bit_cast<std::uint32_t>(resultados[j]), std::bit_cast<std::uint32_t>(esperado)) << onde;
                }
                if (HasFailure()) return;
            }
        }
    }
    EXPECT_GE(faixas_com_caixas_diferentes, 5);
}

// Duas redes no mesmo processo: as áreas de trabalho da simulação são do contexto de cada rede.
// As faixas de uma rede, deixadas de lado no seu contexto enquanto outra rede simula as suas
// num outro, devolvem depois o mesmo que antes, bit a bit.
TEST_F(simulacao_comparada_com_a_literal, faixas_de_uma_rede_sobrevivem_a_execucao_de_outra) {
    auto gerar = [](contexto_da_rede& c, std::uint64_t semente, int nos, int links, Integer C, defasagens_das_faixas& d) {
        teste::montagem_da_rede m(c);
        teste::sorteio s(semente);
        teste::gerar_rede(m, semente + 100, nos, links, C, 2 * C);
        preencher_subconjuntos(s, nos, C, c);
        simular_rede(c);
        for (int j = 0; j < max_faixas; ++j)
            for (int n = 0; n <= max_nos; ++n) d[j][n] = static_cast<Integer>(c.buscas.defasagem_tentativa(n) + (n == 1 ? 5 * j : 0));
    };
    auto devolver = [](contexto_da_rede& c, const defasagens_das_faixas& d, int j) {
        for (int n = 0; n <= max_nos; ++n) c.buscas.defasagem_tentativa(n) = d[j][n];
        devolver_faixa(c, j);
    };
    const auto primeira = std::make_unique<contexto_da_rede>();
    defasagens_das_faixas da_primeira{};
    gerar(*primeira, 7, 6, 20, 60, da_primeira);
    ASSERT_TRUE(simular_rede_em_faixas(*primeira, max_faixas, da_primeira));
    // O que cada faixa devolve logo depois, numa cópia da primeira rede.
    std::vector<estado_da_simulacao> antes;
    std::vector<Single> resultados_antes;
    {
        const auto copia = std::make_unique<contexto_da_rede>(*primeira);
        for (int j = 0; j < max_faixas; ++j) {
            devolver(*copia, da_primeira, j);
            antes.push_back(estado_da_simulacao::tirar(*copia));
            resultados_antes.push_back(resultado_da_faixa(*copia, j));
        }
    }

    // Outra rede, noutro contexto, com outras faixas.
    const auto segunda = std::make_unique<contexto_da_rede>();
    defasagens_das_faixas da_segunda{};
    gerar(*segunda, 11, 9, 30, 90, da_segunda);
    ASSERT_TRUE(simular_rede_em_faixas(*segunda, max_faixas, da_segunda));
    ASSERT_NE(std::bit_cast<std::uint32_t>(resultado_da_faixa(*segunda, 0)), std::bit_cast<std::uint32_t>(resultados_antes[0]));

    for (int j = 0; j < max_faixas; ++j) {
        devolver(*primeira, da_primeira, j);
        comparar(estado_da_simulacao::tirar(*primeira), antes[static_cast<std::size_t>(j)], "faixa " + std::to_string(j), false);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(resultado_da_faixa(*primeira, j)), std::bit_cast<std::uint32_t>(resultados_antes[static_cast<std::size_t>(j)]))
            << "faixa " << j;
    }
}

// Uma execução que falha no meio deixa as tabelas como o modelo as deixaria no ponto da falha,
// e a falha é relatada uma vez: um nó cujos inícios não cobrem o fim do ciclo, ou uma fila
// grande demais para as paradas do início do vermelho.
TEST_F(simulacao_comparada_com_a_literal, falha_no_meio_deixa_o_mesmo_estado) {
    for (int caso = 0; caso < 2; ++caso) {
        teste::montagem_da_rede m(c);
        teste::gerar_rede(m, 77, 5, 16, 60, 120);
        simular_rede(c);  // verde_antes e fila_maxima de uma execução anterior
        simular_rede_final(c);
        if (caso == 0) {
            const int n = 3;
            c.derivados.inicio_do_intervalo(n, c.derivados.quant_de_intervalos_depois(n) + 1) = 55;  // 55..60 sem intervalo
        } else {
            for (int l = 1; l <= c.rede.max_indice_link; ++l)
                if (c.derivados.no_origem(l) == 0) c.derivados.entrada_externa_por_segundo(l) = 1e8f;
        }
        const estado_da_simulacao inicial = estado_da_simulacao::tirar(c);
        {
            servicos_de_teste s;
            simular_rede_final(c);
            ASSERT_EQ(s.mensagens.size(), 1u);
            EXPECT_EQ(s.mensagens[0].titulo, "Erro 153");
        }
        const estado_da_simulacao rapida = estado_da_simulacao::tirar(c);
        inicial.repor(c);
        EXPECT_ANY_THROW(teste::simular_literal(c, variante::rede_final));
        const estado_da_simulacao literal = estado_da_simulacao::tirar(c);
        comparar(rapida, literal, "falha " + std::to_string(caso), true);
    }
}

}  // namespace
}  // namespace orvel
