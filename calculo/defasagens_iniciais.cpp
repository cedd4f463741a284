// Primeira etapa das defasagens: período de simulação, perfis por segundo, caminho principal
// e níveis, defasagens dos escravos e a busca por pares.

#include <array>

#include "calculo/defasagens.h"
#include "calculo/defasagens_comum.h"
#include "calculo/sondagem.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

namespace orvel {

using defasagens::periodo_em_ciclos;
using defasagens::reduzir_ao_ciclo;
using defasagens::somar;

namespace {

// Os perfis por segundo servem a todas as simulações da execução: até 8 ciclos de aquecimento,
// o período T e a folga dos percursos. Dimensionar já os deixa zerados.
void dimensionar_perfis(const rede_em_calculo& ctx) {
    const Integer C = ctx.derivados.t_de_ciclo;
    const Integer ultimo_segundo = somar(somar(para_integer(Long(8) * Long(C)), 220), ctx.derivados.periodo_de_simulacao);
    ctx.simulacao.perfil_de_entrada.dimensionar(ctx.rede.max_indice_link, ultimo_segundo);
    ctx.simulacao.perfil_de_chegada.dimensionar(ctx.rede.max_indice_link, ultimo_segundo);
    ctx.simulacao.fila_no_instante.dimensionar(ctx.rede.max_indice_link, ultimo_segundo);
    ctx.simulacao.estado_no_instante.dimensionar(ctx.rede.max_indice_link, ultimo_segundo);
}

using marcas_de_no = std::array<bool, max_nos + 1>;

// Um nível a partir dos nós dados: os vizinhos ainda não visitados, por link em ordem de
// posição, primeiro o destino de um link que sai do nó, depois a origem de um que chega.
void montar_nivel(const rede_em_calculo& ctx, int nivel, const Byte* de, int quant_de, marcas_de_no& visitado) {
    int quant = 0;
    auto incluir = [&](int n) {
        if (visitado[n]) return;
        visitado[n] = true;
        ++quant;
        ctx.buscas.arvore_de_niveis(nivel, quant) = static_cast<Byte>(n);
    };
    for (int i = 0; i < quant_de; ++i) {
        const int no = de[i];
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
            if (!ctx.rede.existe_link(l)) continue;
            if (ctx.derivados.no_origem(l) == no) incluir(ctx.derivados.no_destino(l));
            if (ctx.derivados.no_destino(l) == no) incluir(ctx.derivados.no_origem(l));
        }
    }
    ctx.buscas.quant_de_nos_por_nivel(nivel) = static_cast<Byte>(quant);
}

}  // namespace

void calcular_defasagens_iniciais(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 134", [&] {
        calcular_grau_de_saturacao_dos_grupos(ctx);
        dimensionar_perfis(ctx);
        montar_caminho_principal(ctx);
        sondar_parada(ctx);
        for (int no = 1; no <= ctx.rede.max_indice_no; ++no)
            if (ctx.rede.existe_no(no) && ctx.copias.eh_no_escravo(no)) calcular_defasagem_do_escravo(ctx, no);
        otimizar_defasagens_por_pares(ctx);
        sondar_parada(ctx);
    });
}

void calcular_grau_de_saturacao_dos_grupos(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 127", [&] {
        const Integer C = ctx.derivados.t_de_ciclo;
        ctx.derivados.periodo_de_simulacao = periodo_em_ciclos(600, C);
        ctx.derivados.eh_periodo_de_uma_hora = false;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            for (int g = 1; g <= ctx.copias.quant_de_grupos(n); ++g) {
                Integer verde = 0;
                for (int k = 1; k <= ctx.derivados.quant_de_intervalos_depois(n); ++k)
                    if (ctx.derivados.grupo_verde_no_intervalo(n, g, k)) verde = somar(verde, ctx.derivados.duracao_com_demanda(n, k));
                ctx.derivados.t_de_verde_do_grupo(n, g) = verde;
                // Um grupo sem verde não tem grau de saturação: não decide o período.
                if (verde == 0) continue;
                const Single grau =
                    verificar_single(dividir_single(Single(C), Single(verde)) * ctx.derivados.y(ctx.derivados.link_critico_do_grupo(n, g)));
                ctx.derivados.grau_de_saturacao_do_grupo(n, g) = grau;
                if (grau > Single(0.98) && !ctx.derivados.eh_periodo_de_uma_hora) {
                    ctx.derivados.periodo_de_simulacao = periodo_em_ciclos(3600, C);
                    ctx.derivados.eh_periodo_de_uma_hora = true;
                }
            }
        }
    });
}

void calcular_defasagem_do_escravo(const rede_em_calculo& ctx, int no) {
    com_codigo(ctx.observador, "Erro 129", [&ctx, no] {
        const int m = ctx.derivados.no_mestre(no);
        ctx.derivados.duracao_com_demanda(m, 0) = 0;
        ctx.derivados.duracao_com_demanda(no, 0) = 0;
        // Do começo de cada ciclo ao começo do intervalo combinado.
        Integer no_mestre_ate = 0;
        for (int k = 0; k <= ctx.copias.intervalo_do_mestre(no) - 1; ++k) no_mestre_ate = somar(no_mestre_ate, ctx.derivados.duracao_com_demanda(m, k));
        Integer no_escravo_ate = 0;
        for (int k = 0; k <= ctx.copias.intervalo_do_escravo(no) - 1; ++k)
            no_escravo_ate = somar(no_escravo_ate, ctx.derivados.duracao_com_demanda(no, k));
        const Integer d = somar(somar(ctx.copias.defasagem_forcada(no), no_mestre_ate), -Long(no_escravo_ate));
        ctx.derivados.defasagem_do_escravo(no) = reduzir_ao_ciclo(d, ctx.derivados.t_de_ciclo);
    });
}

void montar_caminho_principal(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 133", [&] {
        if (ctx.rede.total_de_nos_dado == 1) {
            int unico = 0;
            for (int n = ctx.rede.max_indice_no; n >= 1; --n)
                if (ctx.rede.existe_no(n)) unico = n;
            ctx.buscas.nos_do_caminho_principal(1) = static_cast<Byte>(unico);
            ctx.buscas.quant_de_nos_do_caminho = 1;
            return;
        }

        // Fluxo que atravessa cada nó: o fornecido de um link a outro que sai do nó.
        std::array<Single, max_nos + 1> atravessa{};
        for (int l1 = 1; l1 <= ctx.rede.max_indice_link; ++l1) {
            if (!ctx.rede.existe_link(l1)) continue;
            for (int l2 = 1; l2 <= ctx.rede.max_indice_link; ++l2) {
                if (!ctx.rede.existe_link(l2)) continue;
                const Single f = ctx.derivados.fluxo_fornecido(l1, l2);
                if (f > 0) {
                    const int n = ctx.derivados.no_origem(l2);
                    atravessa[n] = verificar_single(atravessa[n] + f);
                }
            }
        }
        int inicio = 0;
        Single maior = 0;
        for (int n = 1; n <= ctx.rede.max_indice_no; ++n)
            if (ctx.rede.existe_no(n) && atravessa[n] > maior) {
                maior = atravessa[n];
                inicio = n;
            }
        const int primeiro = ctx.derivados.eh_escravo_valendo(inicio) ? ctx.derivados.no_mestre(inicio) : inicio;

        // A posição 0 conta como visitada: a origem de um link de entrada nunca é nó.
        marcas_de_no visitado{};
        for (int n = 0; n <= max_nos; ++n) visitado[n] = !ctx.rede.existe_no(n);
        visitado[0] = true;
        visitado[primeiro] = true;
        int quant = 1;
        ctx.buscas.nos_do_caminho_principal(1) = static_cast<Byte>(primeiro);

        // Para a frente: o maior fornecimento de um link que chega ao último nó para um link
        // cujo destino não foi visitado.
        for (int ultimo = primeiro;;) {
            Single melhor = 0;
            int escolhido = 0;
            for (int l1 = 1; l1 <= ctx.rede.max_indice_link; ++l1) {
                if (!ctx.rede.existe_link(l1) || ctx.derivados.no_destino(l1) != ultimo) continue;
                for (int l2 = 1; l2 <= ctx.rede.max_indice_link; ++l2) {
                    if (!ctx.rede.existe_link(l2)) continue;
                    const Single f = ctx.derivados.fluxo_fornecido(l1, l2);
                    if (f > melhor && !visitado[ctx.derivados.no_destino(l2)]) {
                        melhor = f;
                        escolhido = ctx.derivados.no_destino(l2);
                    }
                }
            }
            if (escolhido == 0) break;
            ctx.buscas.nos_do_caminho_principal(++quant) = static_cast<Byte>(escolhido);
            visitado[escolhido] = true;
            ultimo = escolhido;
        }

        // Para trás, a partir do primeiro: o maior fornecimento que chega a um link do último
        // nó acrescentado, vindo de um link cujo destino não foi visitado.
        for (int ultimo = primeiro;;) {
            Single melhor = 0;
            int escolhido = 0;
            for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
                if (!ctx.rede.existe_link(l) || ctx.derivados.no_destino(l) != ultimo) continue;
                for (int anterior = 1; anterior <= ctx.rede.max_indice_link; ++anterior) {
                    if (!ctx.rede.existe_link(anterior)) continue;
                    const Single f = ctx.derivados.fluxo_fornecido(anterior, l);
                    if (f > melhor && !visitado[ctx.derivados.no_destino(anterior)]) {
                        melhor = f;
                        escolhido = ctx.derivados.no_destino(anterior);
                    }
                }
            }
            if (escolhido == 0) break;
            ctx.buscas.nos_do_caminho_principal(++quant) = static_cast<Byte>(escolhido);
            visitado[escolhido] = true;
            ultimo = escolhido;
        }
        // Sem nó de partida, a posição 1 fica vazia e o caminho também.
        ctx.buscas.quant_de_nos_do_caminho = static_cast<Byte>(primeiro == 0 ? 0 : quant);

        // Níveis em volta do caminho, até o primeiro vazio (um nível 1 vazio ainda conta).
        std::array<Byte, max_nos> caminho{};
        for (int i = 1; i <= ctx.buscas.quant_de_nos_do_caminho; ++i) caminho[i - 1] = ctx.buscas.nos_do_caminho_principal(i);
        montar_nivel(ctx, 1, caminho.data(), ctx.buscas.quant_de_nos_do_caminho, visitado);
        ctx.buscas.quant_de_niveis = max_niveis;
        for (int nivel = 2; nivel <= max_niveis; ++nivel) {
            std::array<Byte, max_nos> anterior{};
            const int quant_anterior = ctx.buscas.quant_de_nos_por_nivel(nivel - 1);
            for (int i = 1; i <= quant_anterior; ++i) anterior[i - 1] = ctx.buscas.arvore_de_niveis(nivel - 1, i);
            montar_nivel(ctx, nivel, anterior.data(), quant_anterior, visitado);
            if (ctx.buscas.quant_de_nos_por_nivel(nivel) == 0) {
                ctx.buscas.quant_de_niveis = static_cast<Byte>(nivel - 1);
                break;
            }
        }
    });
}

}  // namespace orvel
