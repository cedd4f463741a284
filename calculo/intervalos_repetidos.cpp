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
#include "modelo/tabelas_de_calculo.h"
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
bool repetem(int no, int i, int j) {
    if (duracao_eh_imposta(no, i) || duracao_eh_imposta(no, j)) return false;
    for (int g = 1; g <= quant_de_grupos(no); ++g)
        if (grupo_verde_no_intervalo(no, g, i) != grupo_verde_no_intervalo(no, g, j)) return false;
    return true;
}

void pares_repetidos(int no, std::vector<par_repetido>& pares) {
    pares.clear();
    const int n = quant_de_intervalos_depois(no);
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (repetem(no, i, j)) pares.push_back({static_cast<Byte>(i), static_cast<Byte>(j)});
}

bool tem_par_repetido(int no) {
    const int n = quant_de_intervalos_depois(no);
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (repetem(no, i, j)) return true;
    return false;
}

void recalcular_inicios(int no) {
    const int n = quant_de_intervalos_depois(no);
    for (int m = 2; m <= n; ++m)
        inicio_do_intervalo(no, m) = somar(inicio_do_intervalo(no, m - 1), duracao_com_demanda(no, m - 1));
}

void passar_segundos(int no, int de, int para, Integer segundos) {
    duracao_do_intervalo(no, para) = somar(duracao_do_intervalo(no, para), segundos);
    duracao_com_demanda(no, para) = somar(duracao_com_demanda(no, para), segundos);
    duracao_do_intervalo(no, de) = somar(duracao_do_intervalo(no, de), -Long(segundos));
    duracao_com_demanda(no, de) = somar(duracao_com_demanda(no, de), -Long(segundos));
}

// O que verificar_verdes_minimos responderia para o nó, sem escrever nem relatar nada;
// vazio quando a conta estouraria (a verificação de verdade relata a falha).
std::optional<bool> verdes_minimos_ok(int k) {
    const int n = quant_de_intervalos_depois(k);
    if (n < 1 || n > max_intervalos_de_inicio) return std::nullopt;
    auto no_ciclo = [n](int m) { return (m - 1) % n + 1; };
    for (int g = 1; g <= quant_de_grupos(k); ++g) {
        auto verde = [&](int m) { return grupo_verde_no_intervalo(k, g, m == 0 ? n : m); };
        for (int m = 1; m <= n; ++m) {
            if (!verde(m) || verde(m - 1)) continue;
            Long duracao = 0;
            for (int x = m; x <= 2 * n && verde(no_ciclo(x)); ++x) {
                duracao += duracao_do_intervalo(k, no_ciclo(x));
                if (duracao < -32768 || duracao > 32767) return std::nullopt;
            }
            if (duracao < verde_de_seguranca_do_grupo(k, g)) return false;
        }
    }
    return true;
}

// Os próximos movimentos de `de` para `para` supondo que cada um melhora: os inícios do nó
// depois de cada um, até oito, parando antes de um que a sequência não simularia (duração
// curta, verde de segurança) ou cuja conta estouraria. As tabelas voltam como estavam.
int planejar_deslocamentos(int no, int de, int para, Integer passo, inicios_das_faixas& inicios) {
    std::array<Integer, max_intervalos_de_inicio + 2> inicio_antes{};
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) inicio_antes[static_cast<std::size_t>(x)] = inicio_do_intervalo(no, x);
    const Integer duracoes_antes[4] = {duracao_do_intervalo(no, de), duracao_com_demanda(no, de), duracao_do_intervalo(no, para),
                                       duracao_com_demanda(no, para)};
    int quant = 0;
    try {
        for (; quant < max_faixas; ++quant) {
            if (duracao_do_intervalo(no, de) < passo || duracao_com_demanda(no, de) < passo) break;
            passar_segundos(no, de, para, passo);
            const std::optional<bool> validos = verdes_minimos_ok(no);
            if (!validos || !*validos) break;
            recalcular_inicios(no);
            for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
                inicios[static_cast<std::size_t>(quant)][static_cast<std::size_t>(x)] = inicio_do_intervalo(no, x);
        }
    } catch (...) {
        // A conta falharia: a sequência chega nela.
    }
    duracao_do_intervalo(no, de) = duracoes_antes[0];
    duracao_com_demanda(no, de) = duracoes_antes[1];
    duracao_do_intervalo(no, para) = duracoes_antes[2];
    duracao_com_demanda(no, para) = duracoes_antes[3];
    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x) inicio_do_intervalo(no, x) = inicio_antes[static_cast<std::size_t>(x)];
    return quant;
}

// Um movimento: passa `passo` segundos de `de` para `para` e recalcula os inícios. Não o faz
// (e devolve false) quando deixaria uma duração abaixo de zero ou um verde mínimo não atendido.
bool mover(int no, int de, int para, Integer passo) {
    if (duracao_do_intervalo(no, de) < passo || duracao_com_demanda(no, de) < passo) return false;
    passar_segundos(no, de, para, passo);
    verificar_verdes_minimos();
    if (!intervalos_validos) {
        passar_segundos(no, para, de, passo);
        return false;
    }
    recalcular_inicios(no);
    return true;
}

// Passa `passo` segundos de `de` para `para` enquanto a vizinhança melhora. Devolve se algum
// movimento foi aceito. Um movimento que deixaria uma duração abaixo de zero não é feito.
// Em faixas, o lote supõe que cada movimento melhora; cada faixa é tomada na ordem, com as
// mesmas contas nas tabelas, e o primeiro que não melhora encerra o lote.
bool deslocar(int no, int de, int para, Integer passo) {
    bool melhorou = false;
    bool faixas_servem = buscas_em_faixas();
    for (;;) {
        if (faixas_servem) {
            inicios_das_faixas inicios{};
            const int quant = planejar_deslocamentos(no, de, para, passo, inicios);
            if (quant > 0 && simular_vizinhanca_em_faixas(quant, no, inicios)) {
                for (int j = 0; j < quant; ++j) {
                    if (!mover(no, de, para, passo)) return melhorou;
                    bool mesmos = true;
                    for (int x = 0; x <= max_intervalos_de_inicio + 1; ++x)
                        mesmos = mesmos && inicio_do_intervalo(no, x) == inicios[static_cast<std::size_t>(j)][static_cast<std::size_t>(x)];
                    const bool em_sequencia = faixa_precisa_de_sequencia(j) || !mesmos;
                    if (em_sequencia) simular_vizinhanca();
                    else devolver_faixa(j);
                    if (indice_da_vizinhanca < melhor_indice) {
                        melhor_indice = indice_da_vizinhanca;
                        melhorou = true;
                        if (em_sequencia) break;
                        continue;
                    }
                    passar_segundos(no, para, de, passo);
                    recalcular_inicios(no);
                    return melhorou;
                }
                continue;
            }
            faixas_servem = false;
        }
        if (!mover(no, de, para, passo)) return melhorou;
        simular_vizinhanca();
        if (indice_da_vizinhanca < melhor_indice) {
            melhor_indice = indice_da_vizinhanca;
            melhorou = true;
            continue;
        }
        passar_segundos(no, para, de, passo);
        recalcular_inicios(no);
        return melhorou;
    }
}

// Candidatos, numerados em ordem de posição, com as suas vizinhanças: o próprio nó e os nós
// ligados a ele por algum link, e os links que chegam à vizinhança com as suas entradas e
// capacidades.
int preparar_candidatos() {
    std::array<std::array<bool, max_nos + 1>, max_nos + 1> ligados{};
    for (int l = 1; l <= max_indice_link; ++l) {
        if (!existe_link(l)) continue;
        ligados[no_origem(l)][no_destino(l)] = true;
        ligados[no_destino(l)][no_origem(l)] = true;
    }

    int quant = 0;
    for (int k = 1; k <= max_indice_no; ++k) {
        if (!existe_no(k) || !tem_par_repetido(k)) continue;
        const int c = ++quant;
        int nos = 1;
        nos_da_vizinhanca_do_candidato(c, 1) = static_cast<Byte>(k);
        std::array<bool, max_nos + 1> na_vizinhanca{};
        na_vizinhanca[k] = true;
        for (int m = 1; m <= max_indice_no; ++m)
            if (m != k && existe_no(m) && ligados[k][m]) {
                nos_da_vizinhanca_do_candidato(c, ++nos) = static_cast<Byte>(m);
                na_vizinhanca[m] = true;
            }
        quant_de_nos_da_vizinhanca(c) = static_cast<Byte>(nos);

        for (int l = 0; l <= max_links; ++l) fluxo_externo_da_vizinhanca(c, l) = 0;
        int links = 0;
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!existe_link(l)) continue;
            if (na_vizinhanca[no_destino(l)]) {
                fluxo_externo_da_vizinhanca(c, l) = fluxo_por_segundo(l);
                capacidade_na_vizinhanca(c, l) = 32000;
                links_da_vizinhanca(c, ++links) = static_cast<Byte>(l);
            }
            if (na_vizinhanca[no_origem(l)]) {
                fluxo_externo_da_vizinhanca(c, l) = 0;
                capacidade_na_vizinhanca(c, l) = para_integer(capacidade_util_da_caixa(l));
            }
        }
        quant_de_links_da_vizinhanca(c) = static_cast<Byte>(links);
    }
    return quant;
}

void deslocar_no_candidato(int c, Integer passo, std::vector<par_repetido>& pares) {
    candidato_corrente = static_cast<Byte>(c);
    const int k = nos_da_vizinhanca_do_candidato(c, 1);
    for (int i = 1; i <= quant_de_nos_da_vizinhanca(c); ++i) no_da_vizinhanca(i) = nos_da_vizinhanca_do_candidato(c, i);
    simular_vizinhanca();
    melhor_indice = indice_da_vizinhanca;

    pares_repetidos(k, pares);
    for (const par_repetido& p : pares)
        if (!deslocar(k, p.j, p.i, passo)) deslocar(k, p.i, p.j, passo);

    // Mudaram os intervalos: a relação entre mestre e escravo é derivada de novo.
    if (eh_no_mestre(k))
        for (int s = 1; s <= max_indice_no; ++s)
            if (existe_no(s) && no_mestre(s) == k) {
                calcular_defasagem_do_escravo(s);
                defasagem(s) = somar(defasagem(k), defasagem_do_escravo(s));
            }
    if (eh_escravo_valendo(k)) {
        calcular_defasagem_do_escravo(k);
        defasagem(k) = somar(defasagem(no_mestre(k)), defasagem_do_escravo(k));
    }
}

}  // namespace

Byte passo_do_deslocamento(Integer C) { return para_byte(0.03 * double(C)); }

void otimizar_intervalos_repetidos() {
    com_codigo("Erro 144", [] {
        const Integer C = t_de_ciclo;
        const Integer passo = passo_do_deslocamento(C);
        const int candidatos = preparar_candidatos();
        periodo_local = periodo_em_ciclos(600, C);

        std::vector<par_repetido> pares;
        pares.reserve(max_intervalos_de_inicio * max_intervalos_de_inicio / 2);
        for (int c = 1; c <= candidatos; ++c) deslocar_no_candidato(c, passo, pares);
        sondar_parada();
    });
}

void verificar_verdes_minimos() {
    com_codigo("Erro 150", [] {
        intervalos_validos = true;
        const int k = no_da_vizinhanca(1);
        const int n = quant_de_intervalos_depois(k);
        auto no_ciclo = [n](int m) { return (m - 1) % n + 1; };
        for (int g = 1; g <= quant_de_grupos(k); ++g) {
            grupo_verde_no_intervalo(k, g, 0) = grupo_verde_no_intervalo(k, g, n);
            for (int m = 1; m <= n; ++m) {
                if (!grupo_verde_no_intervalo(k, g, m) || grupo_verde_no_intervalo(k, g, m - 1)) continue;
                // Uma sequência de verde começa em m e segue pela sequência dobrada 1..2n.
                Integer duracao = 0;
                for (int x = m; x <= 2 * n && grupo_verde_no_intervalo(k, g, no_ciclo(x)); ++x)
                    duracao = somar(duracao, duracao_do_intervalo(k, no_ciclo(x)));
                if (duracao < verde_de_seguranca_do_grupo(k, g)) {
                    intervalos_validos = false;
                    return;
                }
            }
        }
    });
}

}  // namespace orvel
