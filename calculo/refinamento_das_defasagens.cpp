// Refinamento das defasagens por subida de encosta: primeiro no caminho principal, pontuado
// pela simulação só dos links do caminho; depois nos níveis em volta dele, pontuado pela
// simulação da rede inteira. O nó de referência nunca se move; um escravo só se move com o
// seu mestre. O resultado são as defasagens valendo.

#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/simulacao.h"
#include "calculo/sondagem.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::mover_no;
using defasagens::reduzir_ao_ciclo;
using defasagens::todos_os_escravos_acompanham;

namespace {

constexpr Integer passo_fino = 2;

// Onde a busca simula: o caminho principal ou a rede inteira, em sequência ou em faixas.
struct simulacao_da_busca {
    void (*sequencial)(const rede_em_calculo&);
    bool (*em_faixas)(const rede_em_calculo&, int, const defasagens_das_faixas&, const anteriores_das_faixas&);
};
constexpr simulacao_da_busca no_caminho{simular_caminho, simular_caminho_em_faixas};
constexpr simulacao_da_busca na_rede{simular_rede, simular_rede_em_faixas};

// Uma cópia das defasagens em teste, onde as tentativas de um lote são preparadas com as
// mesmas contas que a busca faz na tabela.
struct defasagens_em_copia {
    std::array<Integer, max_nos + 1>& v;
    Integer& operator()(int n) {
        if (n < 0 || n > max_nos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
        return v[static_cast<std::size_t>(n)];
    }
};

std::array<Integer, max_nos + 1> defasagens_em_teste(const rede_em_calculo& ctx) {
    std::array<Integer, max_nos + 1> v{};
    for (int n = 0; n <= max_nos; ++n) v[static_cast<std::size_t>(n)] = ctx.buscas.defasagem_tentativa(n);
    return v;
}

// As faixas de um lote, em ordem. Cada tentativa é uma mudança das defasagens em teste (a
// mesma conta na cópia e na tabela); o lote supõe um desfecho para cada uma (aceita ou não) e
// prepara a seguinte a partir dele. Na hora de cada faixa, a busca faz na tabela o que a
// sequência faria, com o resultado da faixa no lugar da simulação; no primeiro desfecho
// diferente do suposto, o resto do lote é descartado. `tentar(j, copia)` prepara a tentativa
// j na cópia e devolve false quando não há mais tentativas (ou a conta falharia: a sequência
// chega nela); `aplicar(j)` faz a mudança na tabela; `decidir(j)` sonda a parada (se a fase
// sonda) e decide, devolvendo true quando o desfecho foi o suposto. Devolve quantas
// tentativas foram feitas; 0 quando as faixas não servem (ou a rede mudou depois de uma
// parada: veja faixas_depois_da_parada).
template <class Tentar, class Aplicar, class Decidir>
int lote_em_faixas(const rede_em_calculo& ctx, const simulacao_da_busca& sim, Tentar&& tentar, Aplicar&& aplicar, Decidir&& decidir) {
    if (!faixas_depois_da_parada(ctx)) return 0;
    defasagens_das_faixas d{};
    std::array<Integer, max_nos + 1> copia = defasagens_em_teste(ctx);
    int quant = 0;
    for (; quant < max_faixas; ++quant) {
        bool ha = false;
        try {
            defasagens_em_copia c{copia};
            ha = tentar(quant, c);
        } catch (...) {
            ha = false;
        }
        if (!ha) break;
        d[static_cast<std::size_t>(quant)] = copia;
    }
    if (quant == 0 || !sim.em_faixas(ctx, quant, d, faixas_em_fila)) return 0;
    for (int j = 0; j < quant; ++j) {
        aplicar(j);
        const bool mesma = defasagens_em_teste(ctx) == d[static_cast<std::size_t>(j)];
        if (faixa_precisa_de_sequencia(ctx, j) || !mesma) {
            sim.sequencial(ctx);
            decidir(j);
            return j + 1;
        }
        devolver_faixa(ctx, j);
        if (!decidir(j)) return j + 1;
        // A rede mudou na sondagem (depois de uma parada): o resto do lote é descartado e a
        // busca segue em sequência.
        if (!faixas_depois_da_parada(ctx)) return j + 1;
    }
    return quant;
}

// A busca fina de um nó: passos de 2 s num sentido, enquanto cada um melhora o índice; o
// primeiro que não melhora é desfeito e encerra o sentido. Sem melhora no sentido +2, o
// sentido −2. A defasagem dá a volta no ciclo, e meio ciclo de passos já a leva a todo o ciclo.
//
// Em faixas, o lote segue o sentido corrente supondo que cada passo melhora; no começo do
// sentido +2, metade do lote já tenta o sentido −2, que vem quando o primeiro passo não
// melhora (essas faixas continuam da execução daquele primeiro passo).
void busca_fina(const rede_em_calculo& ctx, int no, const simulacao_da_busca& sim) {
    const Integer C = ctx.derivados.t_de_ciclo;
    const int max_passos = (C + 1) / 2;
    ctx.buscas.houve_melhora = false;
    ctx.buscas.fim_da_direcao = false;
    Integer sentido = passo_fino;
    int k = 0;  // passos feitos no sentido

    auto passo = [&](auto& defasagens, Integer s) {
        defasagens(no) = reduzir_ao_ciclo(Long(defasagens(no)) + s, C);
        mover_no(ctx, defasagens, no, 0);
    };
    // Depois de simular o passo: sonda, aceita ou desfaz. Devolve se melhorou.
    auto decidir = [&] {
        sondar_parada(ctx);
        if (ctx.buscas.indice_de_desempenho < ctx.buscas.melhor_indice) {
            ctx.buscas.melhor_indice = ctx.buscas.indice_de_desempenho;
            ctx.buscas.houve_melhora = true;
            return true;
        }
        passo(ctx.buscas.defasagem_tentativa, static_cast<Integer>(-sentido));
        ctx.buscas.fim_da_direcao = true;
        return false;
    };
    // O sentido acabou? Passa para o −2 quando cabe; devolve false quando a busca acabou.
    auto seguir = [&] {
        if (k < max_passos && !ctx.buscas.fim_da_direcao) return true;
        if (sentido == passo_fino && !ctx.buscas.houve_melhora) {
            sentido = static_cast<Integer>(-passo_fino);
            k = 0;
            ctx.buscas.fim_da_direcao = false;
            return k < max_passos;
        }
        return false;
    };

    bool faixas_servem = buscas_em_faixas();
    while (seguir()) {
        if (!faixas_depois_da_parada(ctx)) faixas_servem = false;
        if (faixas_servem) {
            // O plano: as faixas do sentido corrente e, no começo do +2, as do −2.
            struct faixa_planejada {
                Integer sentido;
                int seguinte_se_melhora;  // -1 = fim do lote
                int seguinte_se_nao;
            };
            std::array<faixa_planejada, max_faixas> plano{};
            defasagens_das_faixas d{};
            anteriores_das_faixas anterior{};
            int quant = 0;
            const bool dois_sentidos = sentido == passo_fino && k == 0 && !ctx.buscas.houve_melhora && max_passos > 1;
            try {
                std::array<Integer, max_nos + 1> copia = defasagens_em_teste(ctx);
                defasagens_em_copia c{copia};
                const int no_sentido = dois_sentidos ? max_faixas / 2 : max_faixas;
                for (int j = 0; j < no_sentido && k + j < max_passos; ++j) {
                    passo(c, sentido);
                    d[static_cast<std::size_t>(quant)] = copia;
                    anterior[static_cast<std::size_t>(quant)] = quant - 1;
                    plano[static_cast<std::size_t>(quant)] = {sentido, -1, -1};
                    if (quant > 0) plano[static_cast<std::size_t>(quant - 1)].seguinte_se_melhora = quant;
                    ++quant;
                }
                if (dois_sentidos && quant > 0) {
                    // O primeiro passo desfeito e o sentido −2.
                    copia = d[0];
                    passo(c, static_cast<Integer>(-sentido));
                    const int primeira = quant;
                    for (int j = 0; j < max_faixas / 2 && j < max_passos; ++j) {
                        passo(c, static_cast<Integer>(-passo_fino));
                        d[static_cast<std::size_t>(quant)] = copia;
                        anterior[static_cast<std::size_t>(quant)] = quant == primeira ? 0 : quant - 1;
                        plano[static_cast<std::size_t>(quant)] = {static_cast<Integer>(-passo_fino), -1, -1};
                        if (quant > primeira) plano[static_cast<std::size_t>(quant - 1)].seguinte_se_melhora = quant;
                        ++quant;
                    }
                    plano[0].seguinte_se_nao = primeira;
                }
            } catch (...) {
                quant = 0;  // a conta falharia: a sequência chega nela
            }
            if (quant > 0 && sim.em_faixas(ctx, quant, d, anterior)) {
                int j = 0;
                while (j >= 0) {
                    const faixa_planejada& f = plano[static_cast<std::size_t>(j)];
                    if (f.sentido != sentido) break;  // não deveria acontecer: volta ao plano
                    passo(ctx.buscas.defasagem_tentativa, sentido);
                    const bool mesma = defasagens_em_teste(ctx) == d[static_cast<std::size_t>(j)];
                    if (faixa_precisa_de_sequencia(ctx, j) || !mesma) {
                        sim.sequencial(ctx);
                        decidir();
                        ++k;
                        break;
                    }
                    devolver_faixa(ctx, j);
                    const bool melhorou = decidir();
                    ++k;
                    if (!faixas_depois_da_parada(ctx)) break;  // segue em sequência (veja lote_em_faixas)
                    if (melhorou) {
                        j = f.seguinte_se_melhora;
                    } else {
                        j = f.seguinte_se_nao;
                        if (j >= 0 && !seguir()) break;
                    }
                    if (j >= 0 && !(k < max_passos && !ctx.buscas.fim_da_direcao)) break;
                }
                continue;
            }
            faixas_servem = false;
        }
        passo(ctx.buscas.defasagem_tentativa, sentido);
        sim.sequencial(ctx);
        decidir();
        ++k;
    }
}

// Os movimentos grossos, na ordem: cada movimento em cada nó da lista, que fica no lugar só
// quando `aceitar` diz que o índice melhorou o bastante. Em faixas, o lote supõe que nenhum
// fica. `sonda` diz se a fase sonda a parada depois de cada simulação.
template <class Aceitar>
void movimentos_grossos_nos_nos(const rede_em_calculo& ctx, const std::vector<std::pair<Integer, int>>& tentativas, const simulacao_da_busca& sim, bool sonda,
                                Aceitar&& aceitar) {
    const int n = static_cast<int>(tentativas.size());
    auto aplicar = [&](int i) { mover_no(ctx, ctx.buscas.defasagem_tentativa, tentativas[i].second, tentativas[i].first); };
    auto decidir = [&](int i) {
        if (sonda) sondar_parada(ctx);
        if (aceitar()) return false;
        mover_no(ctx, ctx.buscas.defasagem_tentativa, tentativas[i].second, -Long(tentativas[i].first));
        return true;
    };
    bool faixas_servem = buscas_em_faixas();
    int i = 0;
    while (i < n) {
        if (faixas_servem) {
            const int feitas = lote_em_faixas(ctx, 
                sim,
                [&](int j, defasagens_em_copia& c) {
                    if (i + j >= n) return false;
                    // Cada faixa parte das defasagens atuais com um só nó movido.
                    if (j > 0) {
                        const auto& anterior = tentativas[i + j - 1];
                        mover_no(ctx, c, anterior.second, -Long(anterior.first));
                    }
                    mover_no(ctx, c, tentativas[i + j].second, tentativas[i + j].first);
                    return true;
                },
                [&](int j) { aplicar(i + j); }, [&](int j) { return decidir(i + j); });
            if (feitas > 0) {
                i += feitas;
                continue;
            }
            faixas_servem = false;
        }
        aplicar(i);
        sim.sequencial(ctx);
        decidir(i);
        ++i;
    }
}

void reduzir_tentativa(const rede_em_calculo& ctx, int no) { ctx.buscas.defasagem_tentativa(no) = reduzir_ao_ciclo(ctx.buscas.defasagem_tentativa(no), ctx.derivados.t_de_ciclo); }

// As defasagens valendo de todos os nós: as em teste, reduzidas ao ciclo, com cada escravo
// junto do seu mestre.
void escrever_defasagens_valendo(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
        if (ctx.rede.existe_no(n)) ctx.buscas.defasagem_valendo(n) = reduzir_ao_ciclo(ctx.buscas.defasagem_tentativa(n), ctx.derivados.t_de_ciclo);
}

}  // namespace

std::array<Integer, 7> movimentos_grossos(Integer C) {
    auto fracao = [C](double f) { return para_integer(f * double(C)); };
    const Integer oitavo = fracao(0.125);
    const Integer quarto = fracao(0.25);
    const Integer tres_oitavos = fracao(0.375);
    const Integer meio = fracao(0.5);
    return {oitavo,
            static_cast<Integer>(-oitavo),
            quarto,
            static_cast<Integer>(-quarto),
            tres_oitavos,
            static_cast<Integer>(-tres_oitavos),
            meio};
}

void montar_links_do_caminho(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 139", [&] {
        std::array<bool, max_nos + 1> no_caminho{};
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) no_caminho[ctx.buscas.nos_do_caminho_principal(i)] = true;
        no_caminho[0] = false;

        int quant = 0;
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) {
            const int n = ctx.buscas.nos_do_caminho_principal(i);
            for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
                if (ctx.rede.existe_link(l) && ctx.derivados.no_destino(l) == n) ctx.buscas.links_do_caminho(++quant) = static_cast<Integer>(l);
        }
        ctx.buscas.quant_de_links_do_caminho = para_byte(quant);

        for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
            if (ctx.rede.existe_link(l)) ctx.buscas.fluxo_externo_do_caminho(l) = 0;
        // Um link entre dois nós do caminho só recebe o que o caminho lhe manda e represa com a
        // sua caixa útil; os que vêm de fora trazem o seu fluxo, sem limite.
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!ctx.rede.existe_link(l) || !no_caminho[ctx.derivados.no_destino(l)]) continue;
            if (no_caminho[ctx.derivados.no_origem(l)]) {
                ctx.buscas.fluxo_externo_do_caminho(l) = 0;
                ctx.buscas.capacidade_no_caminho(l) = para_integer(ctx.derivados.capacidade_util_da_caixa(l));
            } else {
                ctx.buscas.fluxo_externo_do_caminho(l) = ctx.copias.fluxo_por_segundo(l);
                ctx.buscas.capacidade_no_caminho(l) = 32000;
            }
        }
    });
}

void otimizar_defasagens_do_caminho(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 138", [&] {
        montar_links_do_caminho(ctx);
        const Integer C = ctx.derivados.t_de_ciclo;
        const int quant_no_caminho = ctx.buscas.quant_de_nos_do_caminho;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n)) ctx.buscas.defasagem_tentativa(n) = ctx.buscas.defasagem(n);
        todos_os_escravos_acompanham(ctx, ctx.buscas.defasagem_tentativa);

        simular_caminho(ctx);
        ctx.buscas.melhor_indice = ctx.buscas.indice_de_desempenho;

        // Um movimento grosso só vale quando melhora o índice em mais de 2 % dividido pelo
        // número de links do caminho. Um caminho sem links não tem margem.
        const int quant_de_links = ctx.buscas.quant_de_links_do_caminho;
        const double fator = quant_de_links > 0 ? 1.0 - dividir_double(0.02, double(quant_de_links)) : 1.0;
        std::vector<std::pair<Integer, int>> tentativas;
        for (const Integer movimento : movimentos_grossos(C)) {
            for (int i = 2; i <= quant_no_caminho; ++i) {
                const int n = ctx.buscas.nos_do_caminho_principal(i);
                if (!ctx.derivados.eh_escravo_valendo(n)) tentativas.emplace_back(movimento, n);
            }
        }
        movimentos_grossos_nos_nos(ctx, tentativas, no_caminho, true, [&] {
            const Single limite = quant_de_links > 0 ? verificar_single(fator * double(ctx.buscas.melhor_indice)) : ctx.buscas.melhor_indice;
            if (!(ctx.buscas.indice_de_desempenho < limite)) return false;
            ctx.buscas.melhor_indice = ctx.buscas.indice_de_desempenho;
            return true;
        });
        for (int i = 1; i <= quant_no_caminho; ++i) reduzir_tentativa(ctx, ctx.buscas.nos_do_caminho_principal(i));

        for (int i = 2; i <= quant_no_caminho; ++i) {
            const int n = ctx.buscas.nos_do_caminho_principal(i);
            if (!ctx.derivados.eh_escravo_valendo(n)) busca_fina(ctx, n, no_caminho);
        }
        for (int i = 1; i <= quant_no_caminho; ++i) reduzir_tentativa(ctx, ctx.buscas.nos_do_caminho_principal(i));
        escrever_defasagens_valendo(ctx);
    });
}

void otimizar_defasagens_da_rede(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 143", [&] {
        const Integer C = ctx.derivados.t_de_ciclo;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n)) ctx.buscas.defasagem_tentativa(n) = ctx.buscas.defasagem(n);
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) {
            const int n = ctx.buscas.nos_do_caminho_principal(i);
            ctx.buscas.defasagem_tentativa(n) = ctx.buscas.defasagem_valendo(n);
        }
        todos_os_escravos_acompanham(ctx, ctx.buscas.defasagem_tentativa);

        simular_rede(ctx);
        ctx.buscas.melhor_indice = ctx.buscas.indice_de_desempenho;

        const int niveis = ctx.buscas.quant_de_niveis;
        std::vector<std::pair<Integer, int>> tentativas;
        for (const Integer movimento : movimentos_grossos(C)) {
            for (int nivel = 1; nivel <= niveis; ++nivel) {
                for (int i = 1; i <= ctx.buscas.quant_de_nos_por_nivel(nivel); ++i) {
                    const int n = ctx.buscas.arvore_de_niveis(nivel, i);
                    if (!ctx.derivados.eh_escravo_valendo(n)) tentativas.emplace_back(movimento, n);
                }
            }
        }
        // Esta fase não sonda a parada.
        movimentos_grossos_nos_nos(ctx, tentativas, na_rede, false, [&ctx] {
            if (!(ctx.buscas.indice_de_desempenho < ctx.buscas.melhor_indice)) return false;
            ctx.buscas.melhor_indice = ctx.buscas.indice_de_desempenho;
            return true;
        });

        for (int nivel = 1; nivel <= niveis; ++nivel)
            for (int i = 1; i <= ctx.buscas.quant_de_nos_por_nivel(nivel); ++i) {
                const int n = ctx.buscas.arvore_de_niveis(nivel, i);
                if (!ctx.derivados.eh_escravo_valendo(n)) busca_fina(ctx, n, na_rede);
            }

        for (int nivel = 1; nivel <= niveis; ++nivel)
            for (int i = 1; i <= ctx.buscas.quant_de_nos_por_nivel(nivel); ++i) reduzir_tentativa(ctx, ctx.buscas.arvore_de_niveis(nivel, i));
        escrever_defasagens_valendo(ctx);
    });
}

}  // namespace orvel
