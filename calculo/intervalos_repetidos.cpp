// Deslocamento de tempo entre intervalos repetidos: num nó cujo diagrama mostra o mesmo
// conjunto de grupos verdes em dois intervalos, passa tempo de uma repetição para a outra,
// alguns segundos de cada vez, enquanto a simulação da vizinhança do nó melhora e toda
// sequência de verde mantém o seu verde de segurança.

#include <array>
#include <optional>
#include <vector>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/simulacao.h"
#include "calculo/sondagem.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::periodo_em_ciclos;
using defasagens::somar;

namespace {

struct par_repetido {
    Byte i = 0;
    Byte j = 0;
};

// Os intervalos i e j repetem um ao outro: nenhum tem duração imposta e todo grupo tem a
// mesma bandeira de verde nos dois.
bool repetem(const rede_em_calculo& ctx, int no, int i, int j) {
    if (ctx.derivados.duracao_eh_imposta(no, i) || ctx.derivados.duracao_eh_imposta(no, j)) return false;
    for (int g = 1; g <= ctx.copias.quant_de_grupos(no); ++g)
        if (ctx.derivados.grupo_verde_no_intervalo(no, g, i) != ctx.derivados.grupo_verde_no_intervalo(no, g, j)) return false;
    return true;
}

void pares_repetidos(const rede_em_calculo& ctx, int no, std::vector<par_repetido>& pares) {
    pares.clear();
    const int n = ctx.derivados.quant_de_intervalos_depois(no);
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (repetem(ctx, no, i, j)) pares.push_back({static_cast<Byte>(i), static_cast<Byte>(j)});
}

bool tem_par_repetido(const rede_em_calculo& ctx, int no) {
    const int n = ctx.derivados.quant_de_intervalos_depois(no);
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (repetem(ctx, no, i, j)) return true;
    return false;
}

void recalcular_inicios(const rede_em_calculo& ctx, int no) {
    const int n = ctx.derivados.quant_de_intervalos_depois(no);
    for (int m = 2; m <= n; ++m)
        ctx.derivados.inicio_do_intervalo(no, m) = somar(ctx.derivados.inicio_do_intervalo(no, m - 1), ctx.derivados.duracao_com_demanda(no, m - 1));
}

void passar_segundos(const rede_em_calculo& ctx, int no, int de, int para, Integer segundos) {
    ctx.derivados.duracao_do_intervalo(no, para) = somar(ctx.derivados.duracao_do_intervalo(no, para), segundos);
    ctx.derivados.duracao_com_demanda(no, para) = somar(ctx.derivados.duracao_com_demanda(no, para), segundos);
    ctx.derivados.duracao_do_intervalo(no, de) = somar(ctx.derivados.duracao_do_intervalo(no, de), -Long(segundos));
    ctx.derivados.duracao_com_demanda(no, de) = somar(ctx.derivados.duracao_com_demanda(no, de), -Long(segundos));
}

// Toda sequência de verde do grupo g do nó k (pela sequência dobrada 1..2n, o intervalo 0
// valendo o n) dura ao menos o verde de segurança do grupo? Uma soma fora de 16 bits falha
// (estouro).
bool grupo_atende_ao_verde_de_seguranca(const rede_em_calculo& ctx, int k, int g) {
    const int n = ctx.derivados.quant_de_intervalos_depois(k);
    auto no_ciclo = [n](int m) { return (m - 1) % n + 1; };
    auto verde = [&](int m) { return ctx.derivados.grupo_verde_no_intervalo(k, g, m == 0 ? n : m); };
    for (int m = 1; m <= n; ++m) {
        if (!verde(m) || verde(m - 1)) continue;
        // Uma sequência de verde começa em m e segue pela sequência dobrada 1..2n.
        Integer duracao = 0;
        for (int x = m; x <= 2 * n && verde(no_ciclo(x)); ++x)
            duracao = somar(duracao, ctx.derivados.duracao_do_intervalo(k, no_ciclo(x)));
        if (duracao < ctx.derivados.verde_de_seguranca_do_grupo(k, g)) return false;
    }
    return true;
}

// O que verificar_verdes_minimos responderia para o nó, sem escrever nem relatar nada;
// vazio quando a conta estouraria (a verificação de verdade relata a falha).
std::optional<bool> verdes_minimos_ok(const rede_em_calculo& ctx, int k) {
    const int n = ctx.derivados.quant_de_intervalos_depois(k);
    if (n < 1 || n > max_intervalos_de_inicio) return std::nullopt;
    try {
        for (int g = 1; g <= ctx.copias.quant_de_grupos(k); ++g)
            if (!grupo_atende_ao_verde_de_seguranca(ctx, k, g)) return false;
    } catch (const falha& f) {
        if (f.tipo() != tipo_de_falha::estouro) throw;
        return std::nullopt;
    }
    return true;
}

// Os próximos movimentos de `de` para `para` supondo que cada um melhora: os inícios do nó
// depois de cada um, até oito, parando antes de um que a sequência não simularia (duração
// curta, verde de segurança) ou cuja conta estouraria. As tabelas voltam como estavam.
int planejar_deslocamentos(const rede_em_calculo& ctx, int no, int de, int para, Integer passo, inicios_das_faixas& inicios) {
    std::array<Integer, max_intervalos_de_inicio + 2> inicio_antes{};
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) inicio_antes[static_cast<std::size_t>(x)] = ctx.derivados.inicio_do_intervalo(no, x);
    const Integer duracoes_antes[4] = {ctx.derivados.duracao_do_intervalo(no, de), ctx.derivados.duracao_com_demanda(no, de), ctx.derivados.duracao_do_intervalo(no, para),
                                       ctx.derivados.duracao_com_demanda(no, para)};
    int quant = 0;
    try {
        for (; quant < max_faixas; ++quant) {
            if (ctx.derivados.duracao_do_intervalo(no, de) < passo || ctx.derivados.duracao_com_demanda(no, de) < passo) break;
            passar_segundos(ctx, no, de, para, passo);
            const std::optional<bool> validos = verdes_minimos_ok(ctx, no);
            if (!validos || !*validos) break;
            recalcular_inicios(ctx, no);
            for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
                inicios[static_cast<std::size_t>(quant)][static_cast<std::size_t>(x)] = ctx.derivados.inicio_do_intervalo(no, x);
        }
    } catch (...) {
        // A conta falharia: a sequência chega nela.
    }
    ctx.derivados.duracao_do_intervalo(no, de) = duracoes_antes[0];
    ctx.derivados.duracao_com_demanda(no, de) = duracoes_antes[1];
    ctx.derivados.duracao_do_intervalo(no, para) = duracoes_antes[2];
    ctx.derivados.duracao_com_demanda(no, para) = duracoes_antes[3];
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) ctx.derivados.inicio_do_intervalo(no, x) = inicio_antes[static_cast<std::size_t>(x)];
    return quant;
}

// Um movimento: passa `passo` segundos de `de` para `para` e recalcula os inícios. Não o faz
// (e devolve false) quando deixaria uma duração abaixo de zero ou um verde mínimo não atendido.
bool mover(const rede_em_calculo& ctx, int no, int de, int para, Integer passo) {
    if (ctx.derivados.duracao_do_intervalo(no, de) < passo || ctx.derivados.duracao_com_demanda(no, de) < passo) return false;
    passar_segundos(ctx, no, de, para, passo);
    verificar_verdes_minimos(ctx);
    if (!ctx.buscas.intervalos_validos) {
        passar_segundos(ctx, no, para, de, passo);
        return false;
    }
    recalcular_inicios(ctx, no);
    return true;
}

// Passa `passo` segundos de `de` para `para` enquanto a vizinhança melhora. Devolve se algum
// movimento foi aceito. Um movimento que deixaria uma duração abaixo de zero não é feito.
// Em faixas, o lote supõe que cada movimento melhora; cada faixa é tomada na ordem, com as
// mesmas contas nas tabelas, e o primeiro que não melhora encerra o lote.
bool deslocar(const rede_em_calculo& ctx, int no, int de, int para, Integer passo) {
    bool melhorou = false;
    bool faixas_servem = buscas_em_faixas();
    for (;;) {
        if (faixas_servem) {
            inicios_das_faixas inicios{};
            const int quant = planejar_deslocamentos(ctx, no, de, para, passo, inicios);
            if (quant > 0 && simular_vizinhanca_em_faixas(ctx, quant, no, inicios)) {
                for (int j = 0; j < quant; ++j) {
                    if (!mover(ctx, no, de, para, passo)) return melhorou;
                    bool mesmos = true;
                    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
                        mesmos = mesmos && ctx.derivados.inicio_do_intervalo(no, x) == inicios[static_cast<std::size_t>(j)][static_cast<std::size_t>(x)];
                    const bool em_sequencia = faixa_precisa_de_sequencia(ctx, j) || !mesmos;
                    if (em_sequencia) simular_vizinhanca(ctx);
                    else devolver_faixa(ctx, j);
                    if (ctx.buscas.indice_da_vizinhanca < ctx.buscas.melhor_indice) {
                        ctx.buscas.melhor_indice = ctx.buscas.indice_da_vizinhanca;
                        melhorou = true;
                        if (em_sequencia) break;
                        continue;
                    }
                    passar_segundos(ctx, no, para, de, passo);
                    recalcular_inicios(ctx, no);
                    return melhorou;
                }
                continue;
            }
            faixas_servem = false;
        }
        if (!mover(ctx, no, de, para, passo)) return melhorou;
        simular_vizinhanca(ctx);
        if (ctx.buscas.indice_da_vizinhanca < ctx.buscas.melhor_indice) {
            ctx.buscas.melhor_indice = ctx.buscas.indice_da_vizinhanca;
            melhorou = true;
            continue;
        }
        passar_segundos(ctx, no, para, de, passo);
        recalcular_inicios(ctx, no);
        return melhorou;
    }
}

// Candidatos, numerados em ordem de posição, com as suas vizinhanças: o próprio nó e os nós
// ligados a ele por algum link, e os links que chegam à vizinhança com as suas entradas e
// capacidades.
int preparar_candidatos(const rede_em_calculo& ctx) {
    std::array<std::array<bool, max_nos + 1>, max_nos + 1> ligados{};
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        ligados[ctx.derivados.no_origem(l)][ctx.derivados.no_destino(l)] = true;
        ligados[ctx.derivados.no_destino(l)][ctx.derivados.no_origem(l)] = true;
    }

    int quant = 0;
    for (int k = 1; k <= ctx.rede.max_indice_no; ++k) {
        if (!ctx.rede.existe_no(k) || !tem_par_repetido(ctx, k)) continue;
        const int c = ++quant;
        int nos = 1;
        ctx.buscas.nos_da_vizinhanca_do_candidato(c, 1) = static_cast<Byte>(k);
        std::array<bool, max_nos + 1> na_vizinhanca{};
        na_vizinhanca[k] = true;
        for (int m = 1; m <= ctx.rede.max_indice_no; ++m)
            if (m != k && ctx.rede.existe_no(m) && ligados[k][m]) {
                ctx.buscas.nos_da_vizinhanca_do_candidato(c, ++nos) = static_cast<Byte>(m);
                na_vizinhanca[m] = true;
            }
        ctx.buscas.quant_de_nos_da_vizinhanca(c) = static_cast<Byte>(nos);

        for (int l = 0; l <= max_links; ++l) ctx.buscas.fluxo_externo_da_vizinhanca(c, l) = 0;
        int links = 0;
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!ctx.rede.existe_link(l)) continue;
            if (na_vizinhanca[ctx.derivados.no_destino(l)]) {
                ctx.buscas.fluxo_externo_da_vizinhanca(c, l) = ctx.copias.fluxo_por_segundo(l);
                ctx.buscas.capacidade_na_vizinhanca(c, l) = 32000;
                ctx.buscas.links_da_vizinhanca(c, ++links) = static_cast<Byte>(l);
            }
            if (na_vizinhanca[ctx.derivados.no_origem(l)]) {
                ctx.buscas.fluxo_externo_da_vizinhanca(c, l) = 0;
                ctx.buscas.capacidade_na_vizinhanca(c, l) = para_integer(ctx.derivados.capacidade_util_da_caixa(l));
            }
        }
        ctx.buscas.quant_de_links_da_vizinhanca(c) = static_cast<Byte>(links);
    }
    return quant;
}

void deslocar_no_candidato(const rede_em_calculo& ctx, int c, Integer passo, std::vector<par_repetido>& pares) {
    ctx.buscas.candidato_corrente = static_cast<Byte>(c);
    const int k = ctx.buscas.nos_da_vizinhanca_do_candidato(c, 1);
    for (int i = 1; i <= ctx.buscas.quant_de_nos_da_vizinhanca(c); ++i) ctx.buscas.no_da_vizinhanca(i) = ctx.buscas.nos_da_vizinhanca_do_candidato(c, i);
    simular_vizinhanca(ctx);
    ctx.buscas.melhor_indice = ctx.buscas.indice_da_vizinhanca;

    pares_repetidos(ctx, k, pares);
    for (const par_repetido& p : pares)
        if (!deslocar(ctx, k, p.j, p.i, passo)) deslocar(ctx, k, p.i, p.j, passo);

    // Mudaram os intervalos: a relação entre mestre e escravo é derivada de novo.
    if (ctx.derivados.eh_no_mestre(k))
        for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
            if (ctx.rede.existe_no(s) && ctx.derivados.no_mestre(s) == k) {
                calcular_defasagem_do_escravo(ctx, s);
                ctx.buscas.defasagem(s) = somar(ctx.buscas.defasagem(k), ctx.derivados.defasagem_do_escravo(s));
            }
    if (ctx.derivados.eh_escravo_valendo(k)) {
        calcular_defasagem_do_escravo(ctx, k);
        ctx.buscas.defasagem(k) = somar(ctx.buscas.defasagem(ctx.derivados.no_mestre(k)), ctx.derivados.defasagem_do_escravo(k));
    }
}

}  // namespace

Byte passo_do_deslocamento(Integer C) { return para_byte(0.03 * double(C)); }

void otimizar_intervalos_repetidos(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 144", [&] {
        const Integer C = ctx.derivados.t_de_ciclo;
        const Integer passo = passo_do_deslocamento(C);
        const int candidatos = preparar_candidatos(ctx);
        ctx.buscas.periodo_local = periodo_em_ciclos(600, C);

        std::vector<par_repetido> pares;
        pares.reserve(max_intervalos_de_inicio * max_intervalos_de_inicio / 2);
        for (int c = 1; c <= candidatos; ++c) deslocar_no_candidato(ctx, c, passo, pares);
        sondar_parada(ctx);
    });
}

void verificar_verdes_minimos(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 150", [&] {
        ctx.buscas.intervalos_validos = true;
        const int k = ctx.buscas.no_da_vizinhanca(1);
        const int n = ctx.derivados.quant_de_intervalos_depois(k);
        for (int g = 1; g <= ctx.copias.quant_de_grupos(k); ++g) {
            ctx.derivados.grupo_verde_no_intervalo(k, g, 0) = ctx.derivados.grupo_verde_no_intervalo(k, g, n);
            if (!grupo_atende_ao_verde_de_seguranca(ctx, k, g)) {
                ctx.buscas.intervalos_validos = false;
                return;
            }
        }
    });
}

}  // namespace orvel
