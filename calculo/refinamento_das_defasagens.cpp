// Refinamento das defasagens por subida de encosta: primeiro no caminho principal, pontuado
// pela simulação só dos links do caminho; depois nos níveis em volta dele, pontuado pela
// simulação da rede inteira. O nó de referência nunca se move; um escravo só se move com o
// seu mestre. O resultado são as defasagens valendo.

#include <array>
#include <cmath>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/simulacao.h"
#include "calculo/sondagem.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::mover_no;
using defasagens::reduzir_ao_ciclo;
using defasagens::todos_os_escravos_acompanham;

namespace {

constexpr Integer passo_fino = 2;

// Passos de 2 s num sentido, enquanto cada um melhora o índice. O primeiro que não melhora é
// desfeito e encerra o sentido. A defasagem dá a volta no ciclo, e meio ciclo de passos já a
// leva a todo o ciclo.
void passos_finos(int no, Integer sentido, void (*simular)()) {
    const Integer C = t_de_ciclo;
    const int max_passos = (C + 1) / 2;
    fim_da_direcao = false;
    for (int k = 0; k < max_passos && !fim_da_direcao; ++k) {
        defasagem_tentativa(no) = reduzir_ao_ciclo(Long(defasagem_tentativa(no)) + sentido, C);
        mover_no(defasagem_tentativa, no, 0);
        simular();
        sondar_parada();
        if (indice_de_desempenho < melhor_indice) {
            melhor_indice = indice_de_desempenho;
            houve_melhora = true;
        } else {
            defasagem_tentativa(no) = reduzir_ao_ciclo(Long(defasagem_tentativa(no)) - sentido, C);
            mover_no(defasagem_tentativa, no, 0);
            fim_da_direcao = true;
        }
    }
}

void busca_fina(int no, void (*simular)()) {
    houve_melhora = false;
    passos_finos(no, passo_fino, simular);
    if (!houve_melhora) passos_finos(no, static_cast<Integer>(-passo_fino), simular);
}

void reduzir_tentativa(int no) { defasagem_tentativa(no) = reduzir_ao_ciclo(defasagem_tentativa(no), t_de_ciclo); }

// As defasagens valendo de todos os nós: as em teste, reduzidas ao ciclo, com cada escravo
// junto do seu mestre.
void escrever_defasagens_valendo() {
    for (int n = 1; n <= max_indice_no; ++n)
        if (existe_no(n)) defasagem_valendo(n) = reduzir_ao_ciclo(defasagem_tentativa(n), t_de_ciclo);
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

void montar_links_do_caminho() {
    com_codigo("Erro 139", [] {
        std::array<bool, max_nos + 1> no_caminho{};
        for (int i = 1; i <= quant_de_nos_do_caminho; ++i) no_caminho[nos_do_caminho_principal(i)] = true;
        no_caminho[0] = false;

        int quant = 0;
        for (int i = 1; i <= quant_de_nos_do_caminho; ++i) {
            const int n = nos_do_caminho_principal(i);
            for (int l = 1; l <= max_indice_link; ++l)
                if (existe_link(l) && no_destino(l) == n) links_do_caminho(++quant) = static_cast<Integer>(l);
        }
        quant_de_links_do_caminho = para_byte(quant);

        for (int l = 1; l <= max_indice_link; ++l)
            if (existe_link(l)) fluxo_externo_do_caminho(l) = 0;
        // Um link entre dois nós do caminho só recebe o que o caminho lhe manda e represa com a
        // sua caixa útil; os que vêm de fora trazem o seu fluxo, sem limite.
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!existe_link(l) || !no_caminho[no_destino(l)]) continue;
            if (no_caminho[no_origem(l)]) {
                fluxo_externo_do_caminho(l) = 0;
                capacidade_no_caminho(l) = para_integer(capacidade_util_da_caixa(l));
            } else {
                fluxo_externo_do_caminho(l) = fluxo_por_segundo(l);
                capacidade_no_caminho(l) = 32000;
            }
        }
    });
}

void otimizar_defasagens_do_caminho() {
    com_codigo("Erro 138", [] {
        montar_links_do_caminho();
        const Integer C = t_de_ciclo;
        const int quant_no_caminho = quant_de_nos_do_caminho;
        for (int n = 1; n <= max_indice_no; ++n)
            if (existe_no(n)) defasagem_tentativa(n) = defasagem(n);
        todos_os_escravos_acompanham(defasagem_tentativa);

        simular_caminho();
        melhor_indice = indice_de_desempenho;

        // Um movimento grosso só vale quando melhora o índice em mais de 2 % dividido pelo
        // número de links do caminho. Um caminho sem links não tem margem.
        const int quant_de_links = quant_de_links_do_caminho;
        const double fator = quant_de_links > 0 ? 1.0 - dividir_double(0.02, double(quant_de_links)) : 1.0;
        for (const Integer movimento : movimentos_grossos(C)) {
            for (int i = 2; i <= quant_no_caminho; ++i) {
                const int n = nos_do_caminho_principal(i);
                if (eh_escravo_valendo(n)) continue;
                mover_no(defasagem_tentativa, n, movimento);
                simular_caminho();
                sondar_parada();
                const Single limite = quant_de_links > 0 ? verificar_single(fator * double(melhor_indice)) : melhor_indice;
                if (indice_de_desempenho < limite) melhor_indice = indice_de_desempenho;
                else mover_no(defasagem_tentativa, n, -Long(movimento));
            }
        }
        for (int i = 1; i <= quant_no_caminho; ++i) reduzir_tentativa(nos_do_caminho_principal(i));

        for (int i = 2; i <= quant_no_caminho; ++i) {
            const int n = nos_do_caminho_principal(i);
            if (!eh_escravo_valendo(n)) busca_fina(n, simular_caminho);
        }
        for (int i = 1; i <= quant_no_caminho; ++i) reduzir_tentativa(nos_do_caminho_principal(i));
        escrever_defasagens_valendo();
    });
}

void otimizar_defasagens_da_rede() {
    com_codigo("Erro 143", [] {
        const Integer C = t_de_ciclo;
        for (int n = 1; n <= max_indice_no; ++n)
            if (existe_no(n)) defasagem_tentativa(n) = defasagem(n);
        for (int i = 1; i <= quant_de_nos_do_caminho; ++i) {
            const int n = nos_do_caminho_principal(i);
            defasagem_tentativa(n) = defasagem_valendo(n);
        }
        todos_os_escravos_acompanham(defasagem_tentativa);

        simular_rede();
        melhor_indice = indice_de_desempenho;

        const int niveis = quant_de_niveis;
        for (const Integer movimento : movimentos_grossos(C)) {
            for (int nivel = 1; nivel <= niveis; ++nivel) {
                for (int i = 1; i <= quant_de_nos_por_nivel(nivel); ++i) {
                    const int n = arvore_de_niveis(nivel, i);
                    if (eh_escravo_valendo(n)) continue;
                    mover_no(defasagem_tentativa, n, movimento);
                    simular_rede();
                    if (indice_de_desempenho < melhor_indice) melhor_indice = indice_de_desempenho;
                    else mover_no(defasagem_tentativa, n, -Long(movimento));
                }
            }
        }

        for (int nivel = 1; nivel <= niveis; ++nivel)
            for (int i = 1; i <= quant_de_nos_por_nivel(nivel); ++i) {
                const int n = arvore_de_niveis(nivel, i);
                if (!eh_escravo_valendo(n)) busca_fina(n, simular_rede);
            }

        for (int nivel = 1; nivel <= niveis; ++nivel)
            for (int i = 1; i <= quant_de_nos_por_nivel(nivel); ++i) reduzir_tentativa(arvore_de_niveis(nivel, i));
        escrever_defasagens_valendo();
    });
}

}  // namespace orvel
