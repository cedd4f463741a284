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
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tabela.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::periodo_em_ciclos;
using defasagens::reduzir_ao_ciclo;
using defasagens::somar;

namespace {

using matriz_de_nos = std::array<std::array<bool, max_nos + 1>, max_nos + 1>;

// Os dois nós de cada par (no contexto da rede do processo).
auto& pares_da_fase1 = contexto_global.buscas.pares_da_fase1;
auto& pares_da_fase2 = contexto_global.buscas.pares_da_fase2;

// (a, b) são vizinhos: algum link que chega a `a` fornece a um link que chega a `b`.
void vizinhos(matriz_de_nos& fase1, matriz_de_nos& fase2) {
    std::array<bool, max_nos + 1> no_caminho{};
    for (int i = 1; i <= quant_de_nos_do_caminho; ++i) no_caminho[nos_do_caminho_principal(i)] = true;
    for (int l1 = 1; l1 <= max_indice_link; ++l1) {
        if (!existe_link(l1)) continue;
        const int a = no_destino(l1);
        for (int l2 = 1; l2 <= max_indice_link; ++l2) {
            if (!existe_link(l2) || !(fluxo_fornecido(l1, l2) > 0)) continue;
            const int b = no_destino(l2);
            fase2[a][b] = true;
            if (no_caminho[a] && no_caminho[b]) fase1[a][b] = true;
        }
    }
}

// Entradas e capacidades dos links do par: um link entre os dois nós recebe só o que o outro
// nó lhe manda e represa com a sua caixa útil; os outros trazem o seu fluxo, sem limite.
template <class Entrada, class Capacidade>
void entradas_do_par(int par, const nos_do_par& p, Entrada& entrada, Capacidade& capacidade) {
    for (int l = 0; l <= max_links; ++l) entrada(par, l) = 0;
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!existe_link(l)) continue;
        const int d = no_destino(l);
        const int o = no_origem(l);
        if (d != p.a && d != p.b) continue;
        if ((d == p.b && o == p.a) || (d == p.a && o == p.b)) {
            entrada(par, l) = 0;
            capacidade(par, l) = para_integer(capacidade_util_da_caixa(l));
        } else {
            entrada(par, l) = fluxo_por_segundo(l);
            capacidade(par, l) = 32000;
        }
    }
}

template <class Links, class Quant>
void links_do_par(int par, const nos_do_par& p, Links& links, Quant& quant) {
    int q = 0;
    for (int l = 1; l <= max_indice_link; ++l)
        if (existe_link(l) && (no_destino(l) == p.a || no_destino(l) == p.b)) links(par, ++q) = static_cast<Integer>(l);
    quant(par) = static_cast<Byte>(q);
}

// Marca de defasagem já simulada no par corrente.
auto& simulada = contexto_global.buscas.simulada;

bool foi_simulada(long long defasagem) {
    if (defasagem < 0 || defasagem > max_custos) falhar(tipo_de_falha::subscrito_fora_do_intervalo);
    return simulada[static_cast<std::size_t>(defasagem)];
}

void simular(Integer defasagem) {
    if (foi_simulada(defasagem)) return;
    simular_par(defasagem);
    simulada[static_cast<std::size_t>(defasagem)] = true;
}

// As defasagens da lista, na ordem, como simular uma a uma: com as faixas, em lotes de até oito
// ainda não simuladas. A faixa j começa do estado que a execução da anterior deixou, e cada
// uma é passada às tabelas na ordem; uma faixa que precisa da execução sequencial é simulada
// assim, e o lote seguinte começa depois dela.
template <class Lista>
void simular_todas(const Lista& lista) {
    const int n = static_cast<int>(std::size(lista));
    bool faixas_servem = buscas_em_faixas();
    int i = 0;
    while (i < n) {
        if (!faixas_servem) {
            simular(lista[i++]);
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
            if (simulada[static_cast<std::size_t>(d)] || std::find(lote.begin(), lote.begin() + quant, d) != lote.begin() + quant)
                continue;
            posicao[quant] = fim;
            lote[quant++] = d;
        }
        if (quant == 0) {
            if (fim == i) simular(lista[i++]);  // falha ali, como na sequência
            else i = fim;
            continue;
        }
        if (!simular_par_em_faixas(quant, lote)) {
            faixas_servem = false;
            continue;
        }
        int proxima = fim;
        for (int j = 0; j < quant; ++j) {
            if (faixa_precisa_de_sequencia(j)) {
                simular(lote[j]);
                proxima = posicao[j] + 1;
                break;
            }
            devolver_faixa(j);
            simulada[static_cast<std::size_t>(lote[j])] = true;
        }
        i = proxima;
    }
}

Single somar_custos(Integer x, Integer y) {
    const Single s = custo_da_defasagem(x) + custo_da_defasagem(y);
    if (!std::isfinite(s)) falhar(tipo_de_falha::estouro);
    return s;
}

// Escolhe, entre pares vizinhos de pontos, o de menor soma de custos; a menor soma fica
// guardada como número inteiro (arredondado) depois de cada melhora.
struct colchete {
    Integer baixo = 0;
    Integer alto = 0;
    double menor_soma = std::numeric_limits<double>::infinity();

    void considerar(Integer x, Integer y) {
        const Single soma = somar_custos(x, y);
        if (double(soma) < menor_soma) {
            menor_soma = double(std::nearbyint(soma));
            baixo = x;
            alto = y;
        }
    }
};

// A busca de um par: a grade, o colchete, os sete pontos, os segundos ímpares do melhor
// subcolchete e a defasagem de menor custo entre as simuladas.
void buscar_no_par() {
    const Integer C = t_de_ciclo;
    const Integer passo = passo_da_defasagem;
    const int n = quant_de_defasagens_candidatas;
    simulada.fill(false);

    std::vector<Integer> lista;
    for (int i = 1; i <= n; ++i) lista.push_back(defasagens_candidatas(i));
    simular_todas(lista);

    colchete grade;
    for (int i = 1; i <= n - 1; ++i) grade.considerar(defasagens_candidatas(i), defasagens_candidatas(i + 1));
    grade.considerar(defasagens_candidatas(n), defasagens_candidatas(n + 1));

    const std::array<Integer, 8> p = pontos_do_colchete(grade.baixo, grade.alto, passo, C);
    simular_todas(std::array<Integer, 5>{p[1], p[2], p[4], p[6], p[7]});

    colchete fino;
    for (int i = 1; i <= 6; ++i) fino.considerar(p[i], p[i + 1]);
    const Integer lo = fino.baixo;
    const Integer hi = fino.alto;
    lista.clear();
    if (lo <= hi) {
        for (int s = lo + 1; s <= hi - 1; s += 2) lista.push_back(static_cast<Integer>(s));
    } else {
        for (int s = lo + 1; s <= C - 1; s += 2) lista.push_back(static_cast<Integer>(s));
        for (int s = 0; s <= hi - 1; s += 2) lista.push_back(static_cast<Integer>(s));
    }
    simular_todas(lista);

    Single menor = std::numeric_limits<Single>::infinity();
    for (int d = 0; d <= C; ++d)
        if (foi_simulada(d) && custo_da_defasagem(d) < menor) {
            menor = custo_da_defasagem(d);
            melhor_defasagem = static_cast<Integer>(d);
        }
}

// Coloca o nó b a partir do nó a já colocado, pelo par k; `direto` quando o par foi numerado
// como (a, b). A defasagem relativa do par é a do seu segundo nó menos a do primeiro; num par
// entre mestre e escravo ela é a relação dos dois. O mestre de b e os escravos de b vêm junto.
template <class Defasagens_do_par>
void colocar(int a, int b, int k, Defasagens_do_par& do_par, bool direto) {
    const int primeiro = direto ? a : b;
    const int segundo = direto ? b : a;
    Integer relativa = do_par(k);
    if (no_mestre(segundo) == primeiro) relativa = defasagem_do_escravo(segundo);
    if (no_mestre(primeiro) == segundo) relativa = para_integer(-Long(defasagem_do_escravo(primeiro)));
    do_par(k) = relativa;
    defasagem(b) = direto ? somar(defasagem(a), relativa) : somar(defasagem(a), -Long(relativa));
    no_defasado(b) = true;
    if (eh_escravo_valendo(b)) {
        const int m = no_mestre(b);
        defasagem(m) = somar(defasagem(b), -Long(defasagem_do_escravo(b)));
        no_defasado(m) = true;
    }
    if (eh_no_mestre(b))
        for (int s = 1; s <= max_indice_no; ++s)
            if (existe_no(s) && no_mestre(s) == b) {
                defasagem(s) = somar(defasagem(b), defasagem_do_escravo(s));
                no_defasado(s) = true;
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

void montar_pares_de_nos() {
    com_codigo("Erro 131", [] {
        matriz_de_nos fase1{};
        matriz_de_nos fase2{};
        vizinhos(fase1, fase2);

        // Cada par sem orientação é numerado uma vez, na orientação encontrada primeiro.
        par_numerado.preencher(false);
        int quant = 0;
        for (int a = 1; a <= max_indice_no; ++a) {
            if (!existe_no(a)) continue;
            for (int b = 1; b <= max_indice_no; ++b) {
                if (!existe_no(b) || !fase1[a][b] || par_numerado(b, a)) continue;
                ++quant;
                par_fase1(a, b) = para_byte(quant);
                par_numerado(a, b) = true;
                pares_da_fase1(quant) = {static_cast<Byte>(a), static_cast<Byte>(b)};
            }
        }
        quant_de_pares_fase1 = para_byte(quant);

        par_numerado_copia = par_numerado;
        quant = 0;
        for (int a = 1; a <= max_indice_no; ++a) {
            if (!existe_no(a)) continue;
            for (int b = 1; b <= max_indice_no; ++b) {
                if (!existe_no(b) || !fase2[a][b] || par_numerado(a, b) || par_numerado_copia(b, a)) continue;
                ++quant;
                par_fase2(a, b) = para_byte(quant);
                par_numerado_copia(a, b) = true;
                pares_da_fase2(quant) = {static_cast<Byte>(a), static_cast<Byte>(b)};
            }
        }
        quant_de_pares_fase2 = para_byte(quant);

        for (int k = 1; k <= quant_de_pares_fase1; ++k)
            entradas_do_par(k, pares_da_fase1(k), entrada_no_par_fase1, capacidade_no_par_fase1);
        for (int k = 1; k <= quant_de_pares_fase2; ++k)
            entradas_do_par(k, pares_da_fase2(k), entrada_no_par_fase2, capacidade_no_par_fase2);
        for (int k = 1; k <= quant_de_pares_fase1; ++k)
            links_do_par(k, pares_da_fase1(k), links_do_par_fase1, quant_de_links_do_par_fase1);
        for (int k = 1; k <= quant_de_pares_fase2; ++k)
            links_do_par(k, pares_da_fase2(k), links_do_par_fase2, quant_de_links_do_par_fase2);
    });
}

void otimizar_defasagens_por_pares() {
    com_codigo("Erro 135", [] {
        montar_pares_de_nos();

        const Integer C = t_de_ciclo;
        passo_da_defasagem = passo_para_o_ciclo(C);
        const Integer passo = passo_da_defasagem;
        int n = 1;
        defasagens_candidatas(1) = 0;
        while (defasagens_candidatas(n) + passo < C) {
            defasagens_candidatas(n + 1) = somar(defasagens_candidatas(n), passo);
            ++n;
        }
        quant_de_defasagens_candidatas = para_byte(n);
        // Depois do último ponto vem o mais perto, 0 ou o passo.
        const Long x = Long(defasagens_candidatas(n)) + passo - C;
        defasagens_candidatas(n + 1) = std::abs(x - defasagens_candidatas(1)) > std::abs(x - defasagens_candidatas(2))
                                           ? defasagens_candidatas(2)
                                           : defasagens_candidatas(1);

        const Integer T = periodo_de_simulacao;
        periodo_de_otimizacao = T == periodo_em_ciclos(600, C) ? T : periodo_em_ciclos(1800, C);

        eh_fase1 = true;
        eh_fase2 = false;
        for (int k = 1; k <= quant_de_pares_fase1; ++k) {
            par_corrente = static_cast<Byte>(k);
            otimizar_defasagem_do_par_fase1();
            defasagem_do_par_fase1(k) = melhor_defasagem;
        }
        propagar_defasagens_fase1();

        eh_fase1 = false;
        eh_fase2 = true;
        for (int k = 1; k <= quant_de_pares_fase2; ++k) {
            par_corrente = static_cast<Byte>(k);
            otimizar_defasagem_do_par_fase2();
            defasagem_do_par_fase2(k) = melhor_defasagem;
        }
        if (quant_de_pares_fase2 > 0) propagar_defasagens_fase2();

        // Todo escravo fica com a defasagem do seu mestre mais a sua, esteja onde estiver.
        for (int s = 1; s <= max_indice_no; ++s)
            if (existe_no(s) && eh_escravo_valendo(s))
                defasagem(s) = reduzir_ao_ciclo(Long(defasagem(no_mestre(s))) + defasagem_do_escravo(s), C);
    });
}

void otimizar_defasagem_do_par_fase1() { com_codigo("Erro 132", buscar_no_par); }

void otimizar_defasagem_do_par_fase2() { com_codigo("Erro 141", buscar_no_par); }

void propagar_defasagens_fase1() {
    com_codigo("Erro 137", [] {
        for (int n = 1; n <= max_indice_no; ++n) no_defasado(n) = false;
        const int referencia = nos_do_caminho_principal(1);
        const int quant_no_caminho = quant_de_nos_do_caminho;
        if (quant_no_caminho == 0 || referencia == 0) return;  // sem caminho, nada a encadear

        defasagem(referencia) = 0;
        no_defasado(referencia) = true;
        for (int s = 1; s <= max_indice_no; ++s)
            if (existe_no(s) && no_mestre(s) == referencia) {
                defasagem(s) = defasagem_do_escravo(s);
                no_defasado(s) = true;
            }

        auto caminho_colocado = [quant_no_caminho] {
            for (int i = 1; i <= quant_no_caminho; ++i)
                if (!no_defasado(nos_do_caminho_principal(i))) return false;
            return true;
        };
        const int quant = quant_de_pares_fase1;
        for (int rodada = 1; rodada <= 49 && !caminho_colocado(); ++rodada) {
            for (int a = 1; a <= max_indice_no; ++a) {
                if (!existe_no(a) || !no_defasado(a)) continue;
                for (int b = 1; b <= max_indice_no; ++b) {
                    if (!existe_no(b) || no_defasado(b)) continue;
                    if (par_valido(par_fase1(a, b), quant)) colocar(a, b, par_fase1(a, b), defasagem_do_par_fase1, true);
                    else if (par_valido(par_fase1(b, a), quant))
                        colocar(a, b, par_fase1(b, a), defasagem_do_par_fase1, false);
                }
            }
        }

        const Integer C = t_de_ciclo;
        for (int i = 1; i <= quant_no_caminho; ++i) {
            const int n = nos_do_caminho_principal(i);
            defasagem(n) = reduzir_ao_ciclo(defasagem(n), C);
        }
    });
}

void propagar_defasagens_fase2() {
    com_codigo("Erro 142", [] {
        quant_de_nos_por_nivel(0) = quant_de_nos_do_caminho;
        for (int i = 1; i <= quant_de_nos_do_caminho; ++i) arvore_de_niveis(0, i) = nos_do_caminho_principal(i);

        const int quant = quant_de_pares_fase2;
        for (int passada = 1; passada <= 49; ++passada) {
            bool colocou = false;
            for (int nivel = 1; nivel <= quant_de_niveis; ++nivel) {
                for (int i = 1; i <= quant_de_nos_por_nivel(nivel); ++i) {
                    const int n = arvore_de_niveis(nivel, i);
                    if (no_defasado(n)) continue;
                    // Um nó achado por mais de um vizinho do nível anterior fica com o último.
                    for (int j = 1; j <= quant_de_nos_por_nivel(nivel - 1); ++j) {
                        const int m = arvore_de_niveis(nivel - 1, j);
                        if (par_valido(par_fase2(m, n), quant)) {
                            colocar(m, n, par_fase2(m, n), defasagem_do_par_fase2, true);
                            colocou = true;
                        } else if (par_valido(par_fase2(n, m), quant)) {
                            colocar(m, n, par_fase2(n, m), defasagem_do_par_fase2, false);
                            colocou = true;
                        }
                    }
                }
            }
            // Uma passada que não colocou nó algum deixa tudo como estava para as seguintes.
            if (!colocou) break;
        }

        for (int s = 1; s <= max_indice_no; ++s)
            if (existe_no(s) && eh_escravo_valendo(s))
                defasagem(s) = somar(defasagem(no_mestre(s)), defasagem_do_escravo(s));

        const Integer C = t_de_ciclo;
        for (int nivel = 1; nivel <= quant_de_niveis; ++nivel)
            for (int i = 1; i <= quant_de_nos_por_nivel(nivel); ++i) {
                const int n = arvore_de_niveis(nivel, i);
                defasagem(n) = reduzir_ao_ciclo(defasagem(n), C);
            }
    });
}

}  // namespace orvel
