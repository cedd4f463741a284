// Primeira etapa das defasagens: período de simulação, perfis por segundo, caminho principal
// e níveis, defasagens dos escravos e a busca por pares.

#include <array>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/sondagem.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::periodo_em_ciclos;
using defasagens::reduzir_ao_ciclo;
using defasagens::somar;

namespace {

// Os perfis por segundo servem a todas as simulações da execução: até 8 ciclos de aquecimento,
// o período T e a folga dos percursos. Dimensionar já os deixa zerados.
void dimensionar_perfis() {
    const Integer C = t_de_ciclo;
    const Integer ultimo_segundo = somar(somar(para_integer(Long(8) * Long(C)), 220), periodo_de_simulacao);
    perfil_de_entrada.dimensionar(max_indice_link, ultimo_segundo);
    perfil_de_chegada.dimensionar(max_indice_link, ultimo_segundo);
    fila_no_instante.dimensionar(max_indice_link, ultimo_segundo);
    estado_no_instante.dimensionar(max_indice_link, ultimo_segundo);
}

using marcas_de_no = std::array<bool, max_nos + 1>;

// Um nível a partir dos nós dados: os vizinhos ainda não visitados, por link em ordem de
// posição, primeiro o destino de um link que sai do nó, depois a origem de um que chega.
void montar_nivel(int nivel, const Byte* de, int quant_de, marcas_de_no& visitado) {
    int quant = 0;
    auto incluir = [&](int n) {
        if (visitado[n]) return;
        visitado[n] = true;
        ++quant;
        arvore_de_niveis(nivel, quant) = static_cast<Byte>(n);
    };
    for (int i = 0; i < quant_de; ++i) {
        const int no = de[i];
        for (int l = 1; l <= max_indice_link; ++l) {
            if (!existe_link(l)) continue;
            if (no_origem(l) == no) incluir(no_destino(l));
            if (no_destino(l) == no) incluir(no_origem(l));
        }
    }
    quant_de_nos_por_nivel(nivel) = static_cast<Byte>(quant);
}

}  // namespace

void calcular_defasagens_iniciais() {
    com_codigo("Erro 134", [] {
        calcular_grau_de_saturacao_dos_grupos();
        dimensionar_perfis();
        montar_caminho_principal();
        sondar_parada();
        for (int no = 1; no <= max_indice_no; ++no)
            if (existe_no(no) && eh_no_escravo(no)) calcular_defasagem_do_escravo(no);
        otimizar_defasagens_por_pares();
        sondar_parada();
    });
}

void calcular_grau_de_saturacao_dos_grupos() {
    com_codigo("Erro 127", [] {
        const Integer C = t_de_ciclo;
        periodo_de_simulacao = periodo_em_ciclos(600, C);
        eh_periodo_de_uma_hora = false;
        for (int n = 1; n <= max_indice_no; ++n) {
            if (!existe_no(n)) continue;
            for (int g = 1; g <= quant_de_grupos(n); ++g) {
                Integer verde = 0;
                for (int k = 1; k <= quant_de_intervalos_depois(n); ++k)
                    if (grupo_verde_no_intervalo(n, g, k)) verde = somar(verde, duracao_com_demanda(n, k));
                t_de_verde_do_grupo(n, g) = verde;
                // Um grupo sem verde não tem grau de saturação: não decide o período.
                if (verde == 0) continue;
                const Single grau =
                    verificar_single(dividir_single(Single(C), Single(verde)) * y(link_critico_do_grupo(n, g)));
                grau_de_saturacao_do_grupo(n, g) = grau;
                if (grau > Single(0.98) && !eh_periodo_de_uma_hora) {
                    periodo_de_simulacao = periodo_em_ciclos(3600, C);
                    eh_periodo_de_uma_hora = true;
                }
            }
        }
    });
}

void calcular_defasagem_do_escravo(int no) {
    com_codigo("Erro 129", [no] {
        const int m = no_mestre(no);
        duracao_com_demanda(m, 0) = 0;
        duracao_com_demanda(no, 0) = 0;
        // Do começo de cada ciclo ao começo do intervalo combinado.
        Integer no_mestre_ate = 0;
        for (int k = 0; k <= intervalo_do_mestre(no) - 1; ++k) no_mestre_ate = somar(no_mestre_ate, duracao_com_demanda(m, k));
        Integer no_escravo_ate = 0;
        for (int k = 0; k <= intervalo_do_escravo(no) - 1; ++k)
            no_escravo_ate = somar(no_escravo_ate, duracao_com_demanda(no, k));
        const Integer d = somar(somar(defasagem_forcada(no), no_mestre_ate), -Long(no_escravo_ate));
        defasagem_do_escravo(no) = reduzir_ao_ciclo(d, t_de_ciclo);
    });
}

void montar_caminho_principal() {
    com_codigo("Erro 133", [] {
        if (total_de_nos_dado == 1) {
            int unico = 0;
            for (int n = max_indice_no; n >= 1; --n)
                if (existe_no(n)) unico = n;
            nos_do_caminho_principal(1) = static_cast<Byte>(unico);
            quant_de_nos_do_caminho = 1;
            return;
        }

        // Fluxo que atravessa cada nó: o fornecido de um link a outro que sai do nó.
        std::array<Single, max_nos + 1> atravessa{};
        for (int l1 = 1; l1 <= max_indice_link; ++l1) {
            if (!existe_link(l1)) continue;
            for (int l2 = 1; l2 <= max_indice_link; ++l2) {
                if (!existe_link(l2)) continue;
                const Single f = fluxo_fornecido(l1, l2);
                if (f > 0) {
                    const int n = no_origem(l2);
                    atravessa[n] = verificar_single(atravessa[n] + f);
                }
            }
        }
        int inicio = 0;
        Single maior = 0;
        for (int n = 1; n <= max_indice_no; ++n)
            if (existe_no(n) && atravessa[n] > maior) {
                maior = atravessa[n];
                inicio = n;
            }
        const int primeiro = eh_escravo_valendo(inicio) ? no_mestre(inicio) : inicio;

        // A posição 0 conta como visitada: a origem de um link de entrada nunca é nó.
        marcas_de_no visitado{};
        for (int n = 0; n <= max_nos; ++n) visitado[n] = !existe_no(n);
        visitado[0] = true;
        visitado[primeiro] = true;
        int quant = 1;
        nos_do_caminho_principal(1) = static_cast<Byte>(primeiro);

        // Para a frente: o maior fornecimento de um link que chega ao último nó para um link
        // cujo destino não foi visitado.
        for (int ultimo = primeiro;;) {
            Single melhor = 0;
            int escolhido = 0;
            for (int l1 = 1; l1 <= max_indice_link; ++l1) {
                if (!existe_link(l1) || no_destino(l1) != ultimo) continue;
                for (int l2 = 1; l2 <= max_indice_link; ++l2) {
                    if (!existe_link(l2)) continue;
                    const Single f = fluxo_fornecido(l1, l2);
                    if (f > melhor && !visitado[no_destino(l2)]) {
                        melhor = f;
                        escolhido = no_destino(l2);
                    }
                }
            }
            if (escolhido == 0) break;
            nos_do_caminho_principal(++quant) = static_cast<Byte>(escolhido);
            visitado[escolhido] = true;
            ultimo = escolhido;
        }

        // Para trás, a partir do primeiro: o maior fornecimento que chega a um link do último
        // nó acrescentado, vindo de um link cujo destino não foi visitado.
        for (int ultimo = primeiro;;) {
            Single melhor = 0;
            int escolhido = 0;
            for (int l = 1; l <= max_indice_link; ++l) {
                if (!existe_link(l) || no_destino(l) != ultimo) continue;
                for (int anterior = 1; anterior <= max_indice_link; ++anterior) {
                    if (!existe_link(anterior)) continue;
                    const Single f = fluxo_fornecido(anterior, l);
                    if (f > melhor && !visitado[no_destino(anterior)]) {
                        melhor = f;
                        escolhido = no_destino(anterior);
                    }
                }
            }
            if (escolhido == 0) break;
            nos_do_caminho_principal(++quant) = static_cast<Byte>(escolhido);
            visitado[escolhido] = true;
            ultimo = escolhido;
        }
        // Sem nó de partida, a posição 1 fica vazia e o caminho também.
        quant_de_nos_do_caminho = static_cast<Byte>(primeiro == 0 ? 0 : quant);

        // Níveis em volta do caminho, até o primeiro vazio (um nível 1 vazio ainda conta).
        std::array<Byte, max_nos> caminho{};
        for (int i = 1; i <= quant_de_nos_do_caminho; ++i) caminho[i - 1] = nos_do_caminho_principal(i);
        montar_nivel(1, caminho.data(), quant_de_nos_do_caminho, visitado);
        quant_de_niveis = max_niveis;
        for (int nivel = 2; nivel <= max_niveis; ++nivel) {
            std::array<Byte, max_nos> anterior{};
            const int quant_anterior = quant_de_nos_por_nivel(nivel - 1);
            for (int i = 1; i <= quant_anterior; ++i) anterior[i - 1] = arvore_de_niveis(nivel - 1, i);
            montar_nivel(nivel, anterior.data(), quant_anterior, visitado);
            if (quant_de_nos_por_nivel(nivel) == 0) {
                quant_de_niveis = static_cast<Byte>(nivel - 1);
                break;
            }
        }
    });
}

}  // namespace orvel
