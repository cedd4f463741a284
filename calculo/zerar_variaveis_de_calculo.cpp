#include "calculo/zerar_variaveis_de_calculo.h"

namespace orvel {

namespace {

void zerar_escalares_da_execucao(const rede_em_calculo& ctx) {
    ctx.projeto.parar_processamento = false;
    zerar_opcoes_de_trabalho(ctx);
    ctx.derivados.periodo_de_simulacao = 0;
    ctx.derivados.eh_periodo_de_uma_hora = false;
}

void zerar_linha_do_no(const rede_em_calculo& ctx, int n) {
    ctx.derivados.tempo_perdido_do_no(n) = 0;
    ctx.derivados.y_critico_do_no(n) = 0;
    ctx.derivados.grau_de_saturacao_do_no(n) = 0;
    ctx.derivados.eh_ciclo_duplo(n) = false;
    ctx.derivados.tempo_nao_usado_da_demanda(n) = 0;
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) ctx.derivados.duracao_eh_imposta(n, k) = false;

    for (int g = 1; g <= max_grupos; ++g) {
        ctx.derivados.link_critico_do_grupo(n, g) = 0;
        ctx.derivados.quant_de_periodos_de_verde_do_grupo(n, g) = 0;
        ctx.derivados.verde_de_seguranca_do_grupo(n, g) = 0;
        ctx.derivados.grau_de_saturacao_do_grupo(n, g) = 0;
        ctx.derivados.t_de_verde_do_grupo(n, g) = 0;
        ctx.derivados.grupo_eh_critico(n, g) = false;
        for (int k = 1; k <= max_intervalos_duplos; ++k) {
            ctx.derivados.grupo_verde_no_intervalo(n, g, k) = false;
            ctx.copias.cor_do_intervalo_do_grupo(n, g, k) = 0;
            ctx.derivados.duracao_do_intervalo(n, k) = 0;
            ctx.derivados.duracao_com_demanda(n, k) = 0;
        }
        for (int l = 1; l <= max_links; ++l) ctx.derivados.link_pertence_ao_grupo(l, n, g) = false;
    }

    for (int g1 = 1; g1 <= max_grupos; ++g1)
        for (int g2 = 1; g2 <= max_grupos; ++g2) ctx.derivados.grupos_conflitantes(n, g1, g2) = true;

    for (int j = 1; j <= max_nos; ++j) {
        ctx.buscas.par_fase1(n, j) = 0;
        ctx.buscas.par_fase2(n, j) = 0;
        ctx.buscas.par_numerado(n, j) = false;
        ctx.buscas.par_numerado_copia(n, j) = false;
    }

    ctx.buscas.nos_do_caminho_principal(n) = 0;
    ctx.buscas.defasagem(n) = 0;
    ctx.buscas.defasagem_tentativa(n) = 0;
    ctx.buscas.defasagem_valendo(n) = 0;
    ctx.buscas.no_defasado(n) = false;
    ctx.derivados.defasagem_do_escravo(n) = 0;
    ctx.copias.eh_no_escravo(n) = false;
    ctx.derivados.eh_no_mestre(n) = false;
    ctx.derivados.eh_escravo_valendo(n) = false;
    ctx.derivados.no_mestre(n) = 0;
    ctx.derivados.no_escravo(n) = 0;
    ctx.copias.nome_do_mestre(n).clear();
    ctx.copias.intervalo_do_escravo(n) = 0;
    ctx.copias.intervalo_do_mestre(n) = 0;
    ctx.copias.defasagem_forcada(n) = 0;
    ctx.copias.eh_no_demandado(n) = false;
    ctx.copias.n_acionamentos(n) = 0;
    ctx.copias.intervalo_demandado(n) = 0;
    ctx.copias.intervalo_beneficiado(n) = 0;
    ctx.copias.quant_de_intervalos_antes(n) = 0;
    ctx.derivados.quant_de_intervalos_depois(n) = 0;
    ctx.copias.nome_do_no(n).clear();
    ctx.copias.quant_de_grupos(n) = 0;
    ctx.copias.eh_ciclo_duplo_permitido(n) = false;
    ctx.derivados.quant_de_grupos_criticos(n) = 0;
    ctx.derivados.t_de_ciclo_de_seguranca_do_no(n) = 0;
    ctx.derivados.probabilidade_de_demanda(n) = 0;
    ctx.simulacao.instante_no_ciclo(n) = 0;
    ctx.buscas.quant_de_links_do_par_fase1(n) = 0;
    ctx.buscas.quant_de_links_do_par_fase2(n) = 0;
    ctx.buscas.no_da_vizinhanca(n) = 0;

    for (int c = 1; c <= max_colunas; ++c) ctx.copias.existe_ordenada(n, c) = false;
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) {
        ctx.copias.duracao_imposta(n, k) = 0;
        ctx.derivados.inicio_do_intervalo(n, k) = 0;
    }
    for (int g = 1; g <= max_grupos; ++g)
        for (int p = 1; p <= max_links_por_grupo; ++p) ctx.copias.nome_dos_links_do_grupo(n, g, p).clear();

    for (int l = 1; l <= max_links; ++l) {
        ctx.buscas.entrada_no_par_fase1(n, l) = 0;
        ctx.buscas.entrada_no_par_fase2(n, l) = 0;
        ctx.buscas.capacidade_no_par_fase1(n, l) = 0;
        ctx.buscas.capacidade_no_par_fase2(n, l) = 0;
        ctx.buscas.links_da_vizinhanca(n, l) = 0;
    }
    for (int p = 1; p <= max_links_do_par; ++p) {
        ctx.buscas.links_do_par_fase1(n, p) = 0;
        ctx.buscas.links_do_par_fase2(n, p) = 0;
    }
    for (int c = 1; c <= max_candidatos; ++c) ctx.buscas.nos_da_vizinhanca_do_candidato(c, n) = 0;
}

void zerar_linha_do_link(const rede_em_calculo& ctx, int l) {
    ctx.derivados.y(l) = 0;
    ctx.simulacao.ocupacao_da_caixa(l) = 0;
    ctx.simulacao.fila(l) = 0;
    ctx.simulacao.atraso(l) = 0;
    ctx.simulacao.paradas_no_segundo(l) = 0;
    ctx.simulacao.paradas(l) = 0;
    ctx.derivados.entrada_externa_por_segundo(l) = 0;
    ctx.resultados.estourou_caixa(l) = false;
    ctx.simulacao.caixa_com_espaco(l) = true;
    for (int r = 1; r <= max_links; ++r) {
        ctx.derivados.fluxo_fornecido(l, r) = 0;
        ctx.derivados.fracao_do_fornecimento(l, r) = 0;
    }
    ctx.copias.nome_do_link(l).clear();
    ctx.copias.nome_do_no_origem(l).clear();
    ctx.copias.nome_do_no_destino(l).clear();
    ctx.copias.verde_de_seguranca(l) = 0;
    ctx.copias.fluxo_por_segundo(l) = 0;
    ctx.copias.fluxo_de_saturacao_por_segundo(l) = 0;
    ctx.copias.t_de_percurso(l) = 0;
    ctx.copias.capacidade_da_caixa(l) = 0;
    for (int k = 1; k <= max_recebedores; ++k) {
        ctx.copias.nome_do_recebedor(l, k).clear();
        ctx.copias.valor_do_fornecimento(l, k) = 0;
        ctx.derivados.recebedor(l, k) = 0;
    }
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) ctx.derivados.link_verde_no_intervalo(l, k) = false;
    ctx.simulacao.verde_agora(l) = false;
    ctx.simulacao.verde_antes(l) = false;
    ctx.derivados.no_origem(l) = 0;
    ctx.derivados.no_destino(l) = 0;
    ctx.derivados.t_de_verde_do_link(l) = 0;
    ctx.buscas.links_do_caminho(l) = 0;
    ctx.buscas.fluxo_externo_do_caminho(l) = 0;
    ctx.buscas.capacidade_no_caminho(l) = 0;
    ctx.derivados.capacidade_util_da_caixa(l) = 0;
    ctx.resultados.fila_maxima(l) = 0;
    ctx.resultados.y_rel(l).clear();
    ctx.resultados.grau_de_saturacao_por_link_rel(l).clear();
    ctx.resultados.fila_maxima_rel(l).clear();
    ctx.resultados.estourou_caixa_rel(l).clear();
    ctx.resultados.atraso_rel(l).clear();
    ctx.resultados.grau_de_saturacao(l) = 0;
    for (int k = 1; k <= max_periodos_de_verde; ++k) {
        ctx.resultados.periodo_de_verde_do_link(l, k) = 0;
        ctx.resultados.periodo_de_verde_do_link_rel(l, k).clear();
    }
    ctx.resultados.n_paradas_rel(l).clear();
}

void zerar_escalares_finais(const rede_em_calculo& ctx) {
    ctx.derivados.t_de_ciclo_minimo_de_seguranca = 0;
    ctx.derivados.t_de_ciclo = 0;
    ctx.buscas.eh_fase1 = false;
    ctx.buscas.eh_fase2 = false;
    ctx.buscas.quant_de_nos_do_caminho = 0;
    ctx.buscas.quant_de_links_do_caminho = 0;
    ctx.buscas.fim_da_direcao = false;
    ctx.buscas.houve_melhora = false;
    ctx.simulacao.link_corrente = 0;
    ctx.buscas.par_corrente = 0;
    ctx.buscas.quant_de_pares_fase1 = 0;
    ctx.buscas.quant_de_pares_fase2 = 0;
    ctx.buscas.periodo_de_otimizacao = 0;
    ctx.buscas.melhor_defasagem = 0;
    ctx.buscas.quant_de_defasagens_candidatas = 0;
    ctx.buscas.passo_da_defasagem = 0;
    ctx.buscas.quant_de_niveis = 0;
    ctx.buscas.candidato_corrente = 0;
    ctx.buscas.periodo_local = 0;
    ctx.buscas.intervalos_validos = false;
    ctx.resultados.t_ciclo_da_rede_rel.clear();
    ctx.resultados.atraso_rede_rel.clear();
    ctx.resultados.atraso_total = 0;
    ctx.resultados.paradas_total = 0;
    ctx.resultados.espera_media_rel.clear();
    ctx.resultados.n_paradas_rede_rel.clear();
    ctx.resultados.maior_grau_de_saturacao_rel.clear();
    ctx.resultados.StrLinks_com_maior_grau_de_saturacao_rel.clear();
    ctx.resultados.data_rel.clear();
    ctx.buscas.indice_de_desempenho = 0;
    ctx.buscas.melhor_indice = 0;
    ctx.buscas.indice_da_vizinhanca = 0;
}

}  // namespace

void zerar_opcoes_de_trabalho(const rede_em_calculo& ctx) {
    ctx.copias.nome_da_rede.clear();
    ctx.copias.t_de_ciclo_imposto = 0;
    ctx.copias.t_de_ciclo_maximo = 0;
    ctx.copias.t_de_ciclo_maximo_imposto = 0;
    ctx.copias.grau_de_saturacao_meta = 0;
    ctx.copias.grau_de_saturacao_meta_imposto = 0;
    ctx.copias.grau_de_saturacao_limite = 0;
    ctx.copias.grau_de_saturacao_limite_imposto = 0;
    ctx.copias.peso_da_parada = 0;
    ctx.copias.peso_da_parada_imposto = 0;
}

void zerar_variaveis_de_calculo(const rede_em_calculo& ctx) {
    com_codigo(ctx.observador, "Erro 128", [&ctx] {
        zerar_escalares_da_execucao(ctx);

        for (int n = 1; n <= max_nos; ++n)
            if (ctx.rede.existe_no(n)) zerar_linha_do_no(ctx, n);

        for (int n = 1; n <= max_nos; ++n) {
            if (!ctx.rede.existe_no(n)) continue;
            ctx.buscas.defasagem_do_par_fase1(n) = 0;
            ctx.buscas.defasagem_do_par_fase2(n) = 0;
        }

        for (int l = 0; l <= max_links; ++l) zerar_linha_do_link(ctx, l);

        ctx.simulacao.vazao_possivel = 0;
        ctx.simulacao.vazao_bloqueada = 0;
        ctx.simulacao.bloqueado_no_recebedor = 0;
        ctx.simulacao.paradas_no_inicio_do_vermelho = 0;

        for (int c = 1; c <= max_niveis; ++c) {
            ctx.buscas.quant_de_nos_por_nivel(c) = 0;
            for (int p = 1; p <= max_nos; ++p) ctx.buscas.arvore_de_niveis(c, p) = 0;
            for (int l = 1; l <= max_links; ++l) {
                ctx.buscas.fluxo_externo_da_vizinhanca(c, l) = 0;
                ctx.buscas.capacidade_na_vizinhanca(c, l) = 0;
            }
            ctx.buscas.quant_de_links_da_vizinhanca(c) = 0;
            ctx.buscas.quant_de_nos_da_vizinhanca(c) = 0;
        }

        for (int k = 1; k <= max_custos; ++k) ctx.buscas.custo_da_defasagem(k) = 0;
        for (int k = 1; k <= max_defasagens_candidatas; ++k) ctx.buscas.defasagens_candidatas(k) = 0;
        for (int k = 1; k <= max_nos; ++k) ctx.resultados.links_com_maior_grau_de_saturacao(k).clear();

        zerar_escalares_finais(ctx);
    });
}

}  // namespace orvel
