#include "calculo/gravar_animacao.h"

#include <array>
#include <cmath>
#include <vector>

#include "calculo/dados_de_calculo.h"
#include "calculo/rede_em_calculo.h"
#include "plataforma/falha.h"
#include "plataforma/tipos.h"

// A gravação é uma passada só, de 8·C + T segundos, com as tabelas dimensionadas uma vez por
// comando: segue o modelo das simulações do processamento passo a passo, de forma direta.

namespace orvel {

namespace {

constexpr Long primeiro_segundo = 121;

// 8·C + 120 + T, o último segundo do período de simulação, em 16 bits.
Integer fim_do_periodo(Integer C, Integer T) {
    const Integer oito_ciclos = para_integer(Long{8} * C);
    return para_integer(Long{para_integer(Long{oito_ciclos} + 120)} + T);
}

// O instante do segundo t no ciclo de um nó com a defasagem dada: (t − defasagem) reduzido
// ao ciclo, arredondando o quociente para baixo (um t − defasagem negativo também cai em
// 0..C − 1); 0 vira C.
Integer instante_do_no(Long t, Integer defasagem_do_no, Integer C) {
    const Long x = diferenca_long(t, defasagem_do_no);
    Long r = resto(x, C);
    if (r < 0) r += C;
    return para_integer(r == 0 ? Long{C} : r);
}

// O intervalo em que cai o instante: o primeiro j com início(j) <= instante < início(j + 1),
// procurado a partir de 1 sem outro limite que o da tabela.
int intervalo_no_instante(const rede_em_calculo& ctx, int n, Integer instante) {
    int j = 1;
    while (instante >= ctx.derivados.inicio_do_intervalo(n, j + 1) || instante < ctx.derivados.inicio_do_intervalo(n, j)) ++j;
    return j;
}

// Os inícios dos intervalos refeitos pelas durações com demanda do plano que vale.
void refazer_inicios_dos_intervalos(const rede_em_calculo& ctx, Integer C) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const int N = ctx.derivados.quant_de_intervalos_depois(n);
        ctx.derivados.inicio_do_intervalo(n, 1) = 1;
        ctx.derivados.inicio_do_intervalo(n, N + 1) = para_integer(Long{C} + 1);
        ctx.derivados.duracao_do_intervalo(n, 0) = 0;
        ctx.derivados.duracao_com_demanda(n, 0) = 0;
        for (int k = 2; k <= N; ++k)
            ctx.derivados.inicio_do_intervalo(n, k) = para_integer(Long{ctx.derivados.inicio_do_intervalo(n, k - 1)} + ctx.derivados.duracao_com_demanda(n, k - 1));
    }
}

// O verde de cada link no ciclo do seu nó de destino (num ciclo duplo, o do primeiro dos dois
// ciclos), com que a simulação final limitou as filas das entradas no segundo de corte. A
// preparação o soma com o nó de destino que a preparação anterior achou, que num projeto
// recém-aberto ainda é nenhum: sem refazê-lo, a primeira gravação depois de abrir o projeto
// limitaria as filas das entradas a um ciclo inteiro de chegadas, e a seguinte não.
void refazer_verdes_dos_links(const rede_em_calculo& ctx) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const int m = ctx.derivados.no_destino(l);
        Integer verde = 0;
        for (int k = 1; k <= ctx.copias.quant_de_intervalos_antes(m); ++k)
            if (ctx.derivados.link_verde_no_intervalo(l, k)) verde = para_integer(Long{verde} + ctx.derivados.duracao_do_intervalo(m, k));
        ctx.derivados.t_de_verde_do_link(l) = verde;
    }
}

// Os links que chegam a cada nó, em ordem de posição, e o grupo que dá a cor de cada um: o
// primeiro dos grupos 1 a 8 do nó de destino a que o link pertence (0 = nenhum: o link fica
// sem cor e sem verde).
struct links_da_gravacao {
    std::array<std::vector<int>, max_nos + 1> que_chegam{};
    std::array<int, max_links + 1> grupo{};
};

void montar_links(const rede_em_calculo& ctx, links_da_gravacao& g) {
    for (int l = 1; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        const int n = ctx.derivados.no_destino(l);
        if (n < 1 || n > ctx.rede.max_indice_no || !ctx.rede.existe_no(n)) continue;
        g.que_chegam[n].push_back(l);
        for (int grupo = 1; grupo <= max_grupos; ++grupo)
            if (ctx.derivados.link_pertence_ao_grupo(l, n, grupo)) {
                g.grupo[l] = grupo;
                break;
            }
    }
}

// A cor de cada link que chega a um nó no segundo t, e com ela o verde.
void sinais_no_segundo(const rede_em_calculo& ctx, const links_da_gravacao& g, Long t, Integer C) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const Integer instante = instante_do_no(t, ctx.buscas.defasagem_valendo(n), C);
        ctx.simulacao.instante_no_ciclo(n) = instante;
        const int j = intervalo_no_instante(ctx, n, instante);
        for (int l : g.que_chegam[n]) {
            const Byte cor = g.grupo[l] != 0 ? ctx.resultados.cor_do_intervalo_do_grupo_depois(n, g.grupo[l], j) : Byte{0};
            ctx.simulacao.estado_no_instante(l, t) = cor;
            ctx.derivados.link_verde_no_intervalo(l, j) = cor == cor_verde;
            ctx.simulacao.verde_agora(l) = ctx.derivados.link_verde_no_intervalo(l, j);
        }
    }
}

// Um segundo de um link, como no modelo: descarga, recebedores (todos, com a caixa útil),
// chegadas, o corte das filas dos links de entrada e a fila gravada, depois da descarga e antes
// das chegadas. Atraso, paradas, `verde_antes` e fila máxima não são tocados.
void segundo_do_link(const rede_em_calculo& ctx, int l, Long t, Long segundo_de_corte, Integer C) {
    ctx.simulacao.link_corrente = para_byte(l);
    const Single s = ctx.copias.fluxo_de_saturacao_por_segundo(l);
    ctx.simulacao.vazao_possivel = ctx.simulacao.fila(l) < s ? ctx.simulacao.fila(l) : s;
    ctx.simulacao.vazao_bloqueada = 0;
    ctx.simulacao.bloqueado_no_recebedor = 0;
    const bool verde = ctx.simulacao.verde_agora(l);
    for (int k = 1; k <= max_recebedores; ++k) {
        const Integer r = ctx.derivados.recebedor(l, k);
        const Single f = ctx.derivados.fracao_do_fornecimento(l, r);
        if (f <= 0) continue;
        Single movido = 0;
        if (verde && ctx.simulacao.caixa_com_espaco(r)) {
            movido = ctx.simulacao.vazao_possivel * f;
            ctx.simulacao.bloqueado_no_recebedor = 0;
        } else if (verde) {
            ctx.simulacao.bloqueado_no_recebedor = ctx.simulacao.vazao_possivel * f;
        } else {
            ctx.simulacao.bloqueado_no_recebedor = 0;
        }
        ctx.simulacao.perfil_de_entrada(r, t) += movido;
        ctx.simulacao.ocupacao_da_caixa(r) += movido;
        ctx.simulacao.caixa_com_espaco(r) = ctx.simulacao.ocupacao_da_caixa(r) < ctx.derivados.capacidade_util_da_caixa(r);
        ctx.simulacao.vazao_bloqueada += ctx.simulacao.bloqueado_no_recebedor;
    }
    if (verde) {
        const Single saida = ctx.simulacao.vazao_possivel - ctx.simulacao.vazao_bloqueada;
        ctx.simulacao.fila(l) = ctx.simulacao.fila(l) - saida;
        ctx.simulacao.ocupacao_da_caixa(l) = ctx.simulacao.ocupacao_da_caixa(l) - saida;
    }

    // Uma partida anterior ao primeiro segundo não traz ninguém.
    const Long partida = t - ctx.copias.t_de_percurso(l);
    const Single chegada = (partida < primeiro_segundo ? 0.0f : ctx.simulacao.perfil_de_entrada(l, partida)) + ctx.derivados.entrada_externa_por_segundo(l);
    ctx.simulacao.perfil_de_chegada(l, t) = chegada;

    if (t == segundo_de_corte && ctx.derivados.no_origem(l) == 0) {
        const Integer vermelho = para_integer(Long{C} - ctx.derivados.t_de_verde_do_link(l));
        const Single limite = verificar_single(double(Single(vermelho) * ctx.copias.fluxo_por_segundo(l)));
        if (limite < ctx.simulacao.fila(l)) ctx.simulacao.fila(l) = limite;
    }

    if (!std::isfinite(ctx.simulacao.fila(l))) falhar(tipo_de_falha::estouro);
    ctx.simulacao.fila_no_instante(l, t) = ctx.simulacao.fila(l);
    ctx.simulacao.fila(l) = ctx.simulacao.fila(l) + chegada;
}

}  // namespace

void dimensionar_tabelas_por_segundo(const rede_em_calculo& ctx) {
    const Integer ultimo = para_integer(Long{fim_do_periodo(ctx.derivados.t_de_ciclo, ctx.derivados.periodo_de_simulacao)} + 100);
    ctx.simulacao.perfil_de_entrada.dimensionar(ctx.rede.max_indice_link, ultimo);
    ctx.simulacao.perfil_de_chegada.dimensionar(ctx.rede.max_indice_link, ultimo);
    ctx.simulacao.fila_no_instante.dimensionar(ctx.rede.max_indice_link, ultimo);
    ctx.simulacao.estado_no_instante.dimensionar(ctx.rede.max_indice_link, ultimo);
}

bool plano_cobre_a_rede(const rede_em_calculo& ctx) {
    for (int n = 1; n <= ctx.rede.max_indice_no; ++n) {
        if (!ctx.rede.existe_no(n)) continue;
        const int N = ctx.derivados.quant_de_intervalos_depois(n);
        if (N < 1 || N > max_intervalos_de_inicio) return false;
        for (int k = 1; k < N; ++k)
            if (ctx.derivados.duracao_com_demanda(n, k) < 0) return false;
    }
    return true;
}

void gravar_rede_dinamica(const rede_em_calculo& ctx) {
    const Integer C = ctx.derivados.t_de_ciclo;
    const Integer T = ctx.derivados.periodo_de_simulacao;
    const Long segundo_de_corte = Long{para_integer(Long{8} * C)} + 121;
    const Long ultimo = Long{fim_do_periodo(C, T)} + 2;

    for (int l = 0; l <= ctx.rede.max_indice_link; ++l) {
        if (!ctx.rede.existe_link(l)) continue;
        ctx.simulacao.fila(l) = 0;
        ctx.simulacao.ocupacao_da_caixa(l) = 0;
        ctx.simulacao.caixa_com_espaco(l) = true;
        for (Long t = primeiro_segundo; t <= ultimo; ++t) ctx.simulacao.perfil_de_entrada(l, t) = ctx.simulacao.perfil_de_chegada(l, t) = 0;
    }

    // As cópias de trabalho são tomadas de novo da rede entrada: um dado mudado depois do
    // último processamento vale, com o plano de intervalos e as defasagens de então.
    copiar_dados_de_calculo(ctx);
    preparar_dados_de_calculo(ctx);
    refazer_verdes_dos_links(ctx);
    refazer_inicios_dos_intervalos(ctx, C);

    links_da_gravacao links;
    montar_links(ctx, links);
    for (Long t = primeiro_segundo; t <= ultimo; ++t) {
        sinais_no_segundo(ctx, links, t, C);
        for (int l = 1; l <= ctx.rede.max_indice_link; ++l)
            if (ctx.rede.existe_link(l)) segundo_do_link(ctx, l, t, segundo_de_corte, C);
    }
}

}  // namespace orvel
