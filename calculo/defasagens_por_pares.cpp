// Primeira defasagem de cada nó, por pares de nós vizinhos: para cada par, a defasagem
// relativa do segundo nó que custa menos numa simulação curta dos links do par; depois o
// encadeamento das defasagens relativas a partir do nó de referência do caminho principal.
// A fase 1 trata os pares de nós do caminho; a fase 2, os outros, nível a nível.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/simulacao.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tabela.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::periodo_em_ciclos;
using defasagens::reduzir_ao_ciclo;
using defasagens::somar;

namespace {

using matriz_de_nos = std::array<std::array<bool, max_nos + 1>, max_nos + 1>;

// (a, b) são vizinhos: algum link que chega a `a` fornece a um link que chega a `b`.
void vizinhos(const rede_em_calculo& ctx, matriz_de_nos& fase1, matriz_de_nos& fase2) {
    std::array<bool, max_nos + 1> no_caminho{};
    for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) no_caminho[ctx.buscas.nos_do_caminho_principal(i)] = true;
    for (int l1 = 1; l1 <= ctx.rede.max_indice_link; ++l1) {
        if (!ctx.rede.existe_link(l1)) continue;
        const int a = ctx.derivados.no_destino(l1);
        for (int l2 = 1; l2 <= ctx.rede.max_indice_link; ++l2) {
            if (!ctx.rede.existe_link(l2) || !(ctx.derivados.fluxo_fornecido(l1, l2) > 0)) continue;
            const int b = ctx.derivados.no_destino(l2);
            fase2[a][b] = true;
            if (no_caminho[a] && no_caminho[b]) fase1[a][b] = true;
        }
    }
}

// Entradas e capacidades dos links do par: um link entre os dois nós recebe só o que o outro
// nó lhe manda e represa com a sua caixa útil; os outros trazem o seu fluxo, sem limite.
template <class Entrada, class Capacidade>
void entradas_do_par(const rede_em_calculo& ctx, int par, const nos_do_par& p, Entrada& entrada, Capacidade& capacidade) {
    for (int l = 0; l <= max_links; ++l) entrada(par, l) = 0;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const int d = ctx.derivados.no_destino(l);
        const int o = ctx.derivados.no_origem(l);
        if (d != p.a && d != p.b) continue;
        if ((d == p.b && o == p.a) || (d == p.a && o == p.b)) {
            entrada(par, l) = 0;
            capacidade(par, l) = para_integer(ctx.derivados.capacidade_util_da_caixa(l));
        } else {
            entrada(par, l) = ctx.copias.fluxo_por_segundo(l);
            capacidade(par, l) = 32000;
        }
    }
}

template <class Links, class Quant>
void links_do_par(const rede_em_calculo& ctx, int par, const nos_do_par& p, Links& links, Quant& quant) {
    int q = 0;
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
        if (ctx.rede.existe_link(l) && (ctx.derivados.no_destino(l) == p.a || ctx.derivados.no_destino(l) == p.b)) links(par, ++q) = static_cast<Integer>(l);
    quant(par) = static_cast<Byte>(q);
}

bool foi_simulada(const rede_em_calculo& ctx, long long defasagem) {
    if (defasagem < 0 || defasagem > max_custos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    return ctx.buscas.simulada[static_cast<std::size_t>(defasagem)];
}

void simular(const rede_em_calculo& ctx, Integer defasagem) {
    if (foi_simulada(ctx, defasagem)) return;
    simular_par(ctx, defasagem);
    ctx.buscas.simulada[static_cast<std::size_t>(defasagem)] = true;
}

// As defasagens da lista, na ordem, como simular uma a uma: com as faixas, em lotes de até oito
// ainda não simuladas. A faixa j começa do estado que a execução da anterior deixou, e cada
// uma é passada às tabelas na ordem; uma faixa que precisa da execução sequencial é simulada
// assim, e o lote seguinte começa depois dela.
template <class Lista>
void simular_todas(const rede_em_calculo& ctx, const Lista& lista) {
    const int n = static_cast<int>(std::size(lista));
    bool faixas_servem = buscas_em_faixas();
    int i = 0;
    while (i < n) {
        if (!faixas_servem) {
            simular(ctx, lista[i++]);
            continue;
        }
        // O lote: as próximas ainda não simuladas, sem repetir; pára numa defasagem fora da
        // tabela (a busca sequencial falha nela).
        std::array<Integer, max_faixas> lote{};
        std::array<int, max_faixas> posicao{};
        int quant = 0;
        int fim = i;
        for (; fim < n && quant < max_faixas; ++fim) {
            const Integer d = lista[fim];
            if (d < 0 || d > max_custos) break;
            if (ctx.buscas.simulada[static_cast<std::size_t>(d)] || std::find(lote.begin(), lote.begin() + quant, d) != lote.begin() + quant)
                continue;
            posicao[quant] = fim;
            lote[quant++] = d;
        }
        if (quant == 0) {
            if (fim == i) simular(ctx, lista[i++]);  // falha ali, como na sequência
            else i = fim;
            continue;
        }
        if (!simular_par_em_faixas(ctx, quant, lote)) {
            faixas_servem = false;
            continue;
        }
        int proxima = fim;
        for (int j = 0; j < quant; ++j) {
            if (faixa_precisa_de_sequencia(ctx, j)) {
                simular(ctx, lote[j]);
                proxima = posicao[j] + 1;
                break;
            }
            devolver_faixa(ctx, j);
            ctx.buscas.simulada[static_cast<std::size_t>(lote[j])] = true;
        }
        i = proxima;
    }
}

Single somar_custos(const rede_em_calculo& ctx, Integer x, Integer y) {
    const Single s = ctx.buscas.custo_da_defasagem(x) + ctx.buscas.custo_da_defasagem(y);
    if (!std::isfinite(s)) falhar(tipo_de_falha::estouro);
    return s;
}

// Escolhe, entre pares vizinhos de pontos, o de menor soma de custos; a menor soma fica
// guardada como número inteiro (arredondado) depois de cada melhora.
struct colchete {
    Integer baixo = 0;
    Integer alto = 0;
    double menor_soma = std::numeric_limits<double>::infinity();

    void considerar(const rede_em_calculo& ctx, Integer x, Integer y) {
        const Single soma = somar_custos(ctx, x, y);
        if (double(soma) < menor_soma) {
            menor_soma = double(std::nearbyint(soma));
            baixo = x;
            alto = y;
        }
    }
};

// A busca de um par: a grade, o colchete, os sete pontos, os segundos ímpares do melhor
// subcolchete e a defasagem de menor custo entre as simuladas.
void buscar_no_par(const rede_em_calculo& ctx) {
    const Integer C = ctx.derivados.t_de_ciclo;
    const Integer passo = ctx.buscas.passo_da_defasagem;
    const int n = ctx.buscas.quant_de_defasagens_candidatas;
    ctx.buscas.simulada.fill(false);

    std::vector<Integer> lista;
    for (int i = 1; i <= n; ++i) lista.push_back(ctx.buscas.defasagens_candidatas(i));
    simular_todas(ctx, lista);

    colchete grade;
    for (int i = 1; i <= n - 1; ++i) grade.considerar(ctx, ctx.buscas.defasagens_candidatas(i), ctx.buscas.defasagens_candidatas(i + 1));
    grade.considerar(ctx, ctx.buscas.defasagens_candidatas(n), ctx.buscas.defasagens_candidatas(n + 1));

    const std::array<Integer, 8> p = pontos_do_colchete(grade.baixo, grade.alto, passo, C);
    simular_todas(ctx, std::array<Integer, 5>{p[1], p[2], p[4], p[6], p[7]});

    colchete fino;
    for (int i = 1; i <= 6; ++i) fino.considerar(ctx, p[i], p[i + 1]);
    const Integer lo = fino.baixo;
    const Integer hi = fino.alto;
    lista.clear();
    if (lo <= hi) {
        for (int s = lo + 1; s <= hi - 1; s += 2) lista.push_back(static_cast<Integer>(s));
    } else {
        for (int s = lo + 1; s <= C - 1; s += 2) lista.push_back(static_cast<Integer>(s));
        for (int s = 0; s <= hi - 1; s += 2) lista.push_back(static_cast<Integer>(s));
    }
    simular_todas(ctx, lista);

    Single menor = std::numeric_limits<Single>::infinity();
    for (int d = 0; d <= C; ++d)
        if (foi_simulada(ctx, d) && ctx.buscas.custo_da_defasagem(d) < menor) {
            menor = ctx.buscas.custo_da_defasagem(d);
            ctx.buscas.melhor_defasagem = static_cast<Integer>(d);
        }
}

// Coloca o nó b a partir do nó a já colocado, pelo par k; `direto` quando o par foi numerado
// como (a, b). A defasagem relativa do par é a do seu segundo nó menos a do primeiro; num par
// entre mestre e escravo ela é a relação dos dois. O mestre de b e os escravos de b vêm junto.
template <class Defasagens_do_par>
void colocar(const rede_em_calculo& ctx, int a, int b, int k, Defasagens_do_par& do_par, bool direto) {
    const int primeiro = direto ? a : b;
    const int segundo = direto ? b : a;
    Integer relativa = do_par(k);
    if (ctx.derivados.no_mestre(segundo) == primeiro) relativa = ctx.derivados.defasagem_do_escravo(segundo);
    if (ctx.derivados.no_mestre(primeiro) == segundo) relativa = para_integer(-Long(ctx.derivados.defasagem_do_escravo(primeiro)));
    do_par(k) = relativa;
    ctx.buscas.defasagem(b) = direto ? somar(ctx.buscas.defasagem(a), relativa) : somar(ctx.buscas.defasagem(a), -Long(relativa));
    ctx.buscas.no_defasado(b) = true;
    if (ctx.derivados.eh_escravo_valendo(b)) {
        const int m = ctx.derivados.no_mestre(b);
        ctx.buscas.defasagem(m) = somar(ctx.buscas.defasagem(b), -Long(ctx.derivados.defasagem_do_escravo(b)));
        ctx.buscas.no_defasado(m) = true;
    }
    if (ctx.derivados.eh_no_mestre(b))
        for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
            if (ctx.rede.existe_no(s) && ctx.derivados.no_mestre(s) == b) {
                ctx.buscas.defasagem(s) = somar(ctx.buscas.defasagem(b), ctx.derivados.defasagem_do_escravo(s));
                ctx.buscas.no_defasado(s) = true;
            }
}

bool par_valido(int k, int quant) { return k >= 1 && k <= quant; }

}  // namespace

Integer passo_para_o_ciclo(Integer C) {
    for (Integer passo : {10, 9, 8, 11, 12})
        for (int j = 1; j <= 40; ++j)
            if (std::abs(Long(C) - Long(passo) * j) < 3) return passo;
    return 10;
}

std::array<Integer, 8> pontos_do_colchete(Integer p3, Integer p5, Integer passo, Integer C) {
    auto meio = [](Integer x, Integer y) { return para_integer(dividir_single(Single(somar(x, y)), Single(2))); };
    std::array<Integer, 8> p{};
    p[3] = p3;
    p[5] = p5;
    p[1] = somar(p3, -Long(passo));
    p[7] = somar(p5, passo);
    p[4] = meio(p3, p5 < p3 ? somar(p5, C) : p5);
    p[2] = meio(p[1], p3 < p[1] ? somar(p3, C) : p3);
    p[6] = meio(p5, p[7] < p5 ? somar(p[7], C) : p[7]);
    for (int i = 1; i <= 7; ++i) {
        if (p[i] < 0) p[i] = somar(p[i], C);
        else if (i == 4 ? p[i] > C : p[i] >= C) p[i] = somar(p[i], -Long(C));
    }
    return p;
}

void montar_pares_de_nos(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 131", [&] {
        matriz_de_nos fase1{};
        matriz_de_nos fase2{};
        vizinhos(ctx, fase1, fase2);

        // Cada par sem orientação é numerado uma vez, na orientação encontrada primeiro.
        ctx.buscas.par_numerado.preencher(false);
        int quant = 0;
        for (int a = 1; a <= ctx.rede.max_indice_no; ++a) {
            if (!ctx.rede.existe_no(a)) continue;
            for (int b = 1; b <= ctx.rede.max_indice_no; ++b) {
                if (!ctx.rede.existe_no(b) || !fase1[a][b] || ctx.buscas.par_numerado(b, a)) continue;
                ++quant;
                ctx.buscas.par_fase1(a, b) = para_byte(quant);
                ctx.buscas.par_numerado(a, b) = true;
                ctx.buscas.pares_da_fase1(quant) = {static_cast<Byte>(a), static_cast<Byte>(b)};
            }
        }
        ctx.buscas.quant_de_pares_fase1 = para_byte(quant);

        ctx.buscas.par_numerado_copia = ctx.buscas.par_numerado;
        quant = 0;
        for (int a = 1; a <= ctx.rede.max_indice_no; ++a) {
            if (!ctx.rede.existe_no(a)) continue;
            for (int b = 1; b <= ctx.rede.max_indice_no; ++b) {
                if (!ctx.rede.existe_no(b) || !fase2[a][b] || ctx.buscas.par_numerado(a, b) || ctx.buscas.par_numerado_copia(b, a)) continue;
                ++quant;
                ctx.buscas.par_fase2(a, b) = para_byte(quant);
                ctx.buscas.par_numerado_copia(a, b) = true;
                ctx.buscas.pares_da_fase2(quant) = {static_cast<Byte>(a), static_cast<Byte>(b)};
            }
        }
        ctx.buscas.quant_de_pares_fase2 = para_byte(quant);

        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase1; ++k)
            entradas_do_par(ctx, k, ctx.buscas.pares_da_fase1(k), ctx.buscas.entrada_no_par_fase1, ctx.buscas.capacidade_no_par_fase1);
        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase2; ++k)
            entradas_do_par(ctx, k, ctx.buscas.pares_da_fase2(k), ctx.buscas.entrada_no_par_fase2, ctx.buscas.capacidade_no_par_fase2);
        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase1; ++k)
            links_do_par(ctx, k, ctx.buscas.pares_da_fase1(k), ctx.buscas.links_do_par_fase1, ctx.buscas.quant_de_links_do_par_fase1);
        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase2; ++k)
            links_do_par(ctx, k, ctx.buscas.pares_da_fase2(k), ctx.buscas.links_do_par_fase2, ctx.buscas.quant_de_links_do_par_fase2);
    });
}

void otimizar_defasagens_por_pares(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 135", [&] {
        montar_pares_de_nos(ctx);

        const Integer C = ctx.derivados.t_de_ciclo;
        ctx.buscas.passo_da_defasagem = passo_para_o_ciclo(C);
        const Integer passo = ctx.buscas.passo_da_defasagem;
        int n = 1;
        ctx.buscas.defasagens_candidatas(1) = 0;
        while (ctx.buscas.defasagens_candidatas(n) + passo < C) {
            ctx.buscas.defasagens_candidatas(n + 1) = somar(ctx.buscas.defasagens_candidatas(n), passo);
            ++n;
        }
        ctx.buscas.quant_de_defasagens_candidatas = para_byte(n);
        // Depois do último ponto vem o mais perto, 0 ou o passo.
        const Long x = Long(ctx.buscas.defasagens_candidatas(n)) + passo - C;
        ctx.buscas.defasagens_candidatas(n + 1) = std::abs(x - ctx.buscas.defasagens_candidatas(1)) > std::abs(x - ctx.buscas.defasagens_candidatas(2))
                                           ? ctx.buscas.defasagens_candidatas(2)
                                           : ctx.buscas.defasagens_candidatas(1);

        const Integer T = ctx.derivados.periodo_de_simulacao;
        ctx.buscas.periodo_de_otimizacao = T == periodo_em_ciclos(600, C) ? T : periodo_em_ciclos(1800, C);

        ctx.buscas.eh_fase1 = true;
        ctx.buscas.eh_fase2 = false;
        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase1; ++k) {
            ctx.buscas.par_corrente = static_cast<Byte>(k);
            otimizar_defasagem_do_par_fase1(ctx);
            ctx.buscas.defasagem_do_par_fase1(k) = ctx.buscas.melhor_defasagem;
        }
        propagar_defasagens_fase1(ctx);

        ctx.buscas.eh_fase1 = false;
        ctx.buscas.eh_fase2 = true;
        for (int k = 1; k <= ctx.buscas.quant_de_pares_fase2; ++k) {
            ctx.buscas.par_corrente = static_cast<Byte>(k);
            otimizar_defasagem_do_par_fase2(ctx);
            ctx.buscas.defasagem_do_par_fase2(k) = ctx.buscas.melhor_defasagem;
        }
        if (ctx.buscas.quant_de_pares_fase2 > 0) propagar_defasagens_fase2(ctx);

        // Todo escravo fica com a defasagem do seu mestre mais a sua, esteja onde estiver.
        for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
            if (ctx.rede.existe_no(s) && ctx.derivados.eh_escravo_valendo(s))
                ctx.buscas.defasagem(s) = reduzir_ao_ciclo(Long(ctx.buscas.defasagem(ctx.derivados.no_mestre(s))) + ctx.derivados.defasagem_do_escravo(s), C);
    });
}

void otimizar_defasagem_do_par_fase1(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 132", [&ctx] { buscar_no_par(ctx); });
}

void otimizar_defasagem_do_par_fase2(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 141", [&ctx] { buscar_no_par(ctx); });
}

void propagar_defasagens_fase1(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 137", [&] {
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) ctx.buscas.no_defasado(n) = false;
        const int referencia = ctx.buscas.nos_do_caminho_principal(1);
        const int quant_no_caminho = ctx.buscas.quant_de_nos_do_caminho;
        if (quant_no_caminho == 0 || referencia == 0) return;  // sem caminho, nada a encadear

        ctx.buscas.defasagem(referencia) = 0;
        ctx.buscas.no_defasado(referencia) = true;
        for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
            if (ctx.rede.existe_no(s) && ctx.derivados.no_mestre(s) == referencia) {
                ctx.buscas.defasagem(s) = ctx.derivados.defasagem_do_escravo(s);
                ctx.buscas.no_defasado(s) = true;
            }

        auto caminho_colocado = [&ctx, quant_no_caminho] {
            for (int i = 1; i <= quant_no_caminho; ++i)
                if (!ctx.buscas.no_defasado(ctx.buscas.nos_do_caminho_principal(i))) return false;
            return true;
        };
        const int quant = ctx.buscas.quant_de_pares_fase1;
        for (int rodada = 1; rodada <= 49 && !caminho_colocado(); ++rodada) {
            for (int a = 1; a <= ctx.rede.max_indice_no; ++a) {
                if (!ctx.rede.existe_no(a) || !ctx.buscas.no_defasado(a)) continue;
                for (int b = 1; b <= ctx.rede.max_indice_no; ++b) {
                    if (!ctx.rede.existe_no(b) || ctx.buscas.no_defasado(b)) continue;
                    if (par_valido(ctx.buscas.par_fase1(a, b), quant)) colocar(ctx, a, b, ctx.buscas.par_fase1(a, b), ctx.buscas.defasagem_do_par_fase1, true);
                    else if (par_valido(ctx.buscas.par_fase1(b, a), quant))
                        colocar(ctx, a, b, ctx.buscas.par_fase1(b, a), ctx.buscas.defasagem_do_par_fase1, false);
                }
            }
        }

        const Integer C = ctx.derivados.t_de_ciclo;
        for (int i = 1; i <= quant_no_caminho; ++i) {
            const int n = ctx.buscas.nos_do_caminho_principal(i);
            ctx.buscas.defasagem(n) = reduzir_ao_ciclo(ctx.buscas.defasagem(n), C);
        }
    });
}

void propagar_defasagens_fase2(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 142", [&] {
        ctx.buscas.quant_de_nos_por_nivel(0) = ctx.buscas.quant_de_nos_do_caminho;
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) ctx.buscas.arvore_de_niveis(0, i) = ctx.buscas.nos_do_caminho_principal(i);

        const int quant = ctx.buscas.quant_de_pares_fase2;
        for (int passada = 1; passada <= 49; ++passada) {
            bool colocou = false;
            for (int nivel = 1; nivel <= ctx.buscas.quant_de_niveis; ++nivel) {
                for (int i = 1; i <= ctx.buscas.quant_de_nos_por_nivel(nivel); ++i) {
                    const int n = ctx.buscas.arvore_de_niveis(nivel, i);
                    if (ctx.buscas.no_defasado(n)) continue;
                    // Um nó achado por mais de um vizinho do nível anterior fica com o último.
                    for (int j = 1; j <= ctx.buscas.quant_de_nos_por_nivel(nivel - 1); ++j) {
                        const int m = ctx.buscas.arvore_de_niveis(nivel - 1, j);
                        if (par_valido(ctx.buscas.par_fase2(m, n), quant)) {
                            colocar(ctx, m, n, ctx.buscas.par_fase2(m, n), ctx.buscas.defasagem_do_par_fase2, true);
                            colocou = true;
                        } else if (par_valido(ctx.buscas.par_fase2(n, m), quant)) {
                            colocar(ctx, m, n, ctx.buscas.par_fase2(n, m), ctx.buscas.defasagem_do_par_fase2, false);
                            colocou = true;
                        }
                    }
                }
            }
            // Uma passada que não colocou nó algum deixa tudo como estava para as seguintes.
            if (!colocou) break;
        }

        for (int s = 1; s <= ctx.rede.max_indice_no; ++s)
            if (ctx.rede.existe_no(s) && ctx.derivados.eh_escravo_valendo(s))
                ctx.buscas.defasagem(s) = somar(ctx.buscas.defasagem(ctx.derivados.no_mestre(s)), ctx.derivados.defasagem_do_escravo(s));

        const Integer C = ctx.derivados.t_de_ciclo;
        for (int nivel = 1; nivel <= ctx.buscas.quant_de_niveis; ++nivel)
            for (int i = 1; i <= ctx.buscas.quant_de_nos_por_nivel(nivel); ++i) {
                const int n = ctx.buscas.arvore_de_niveis(nivel, i);
                ctx.buscas.defasagem(n) = reduzir_ao_ciclo(ctx.buscas.defasagem(n), C);
            }
    });
}

}  // namespace orvel
