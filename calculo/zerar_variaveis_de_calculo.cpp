#include "calculo/zerar_variaveis_de_calculo.h"

#include "modelo/tabelas_de_calculo.h"

namespace orvel {

namespace {

void zerar_escalares_da_execucao() {
    parar_processamento = false;
    zerar_opcoes_de_trabalho();
    periodo_de_simulacao = 0;
    eh_periodo_de_uma_hora = false;
}

void zerar_linha_do_no(int n) {
    tempo_perdido_do_no(n) = 0;
    y_critico_do_no(n) = 0;
    grau_de_saturacao_do_no(n) = 0;
    eh_ciclo_duplo(n) = false;
    tempo_nao_usado_da_demanda(n) = 0;
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) duracao_eh_imposta(n, k) = false;

    for (int g = 1; g <= max_grupos; ++g) {
        link_critico_do_grupo(n, g) = 0;
        quant_de_periodos_de_verde_do_grupo(n, g) = 0;
        verde_de_seguranca_do_grupo(n, g) = 0;
        grau_de_saturacao_do_grupo(n, g) = 0;
        t_de_verde_do_grupo(n, g) = 0;
        grupo_eh_critico(n, g) = false;
        for (int k = 1; k <= max_intervalos_duplos; ++k) {
            grupo_verde_no_intervalo(n, g, k) = false;
            cor_do_intervalo_do_grupo(n, g, k) = 0;
            duracao_do_intervalo(n, k) = 0;
            duracao_com_demanda(n, k) = 0;
        }
        for (int l = 1; l <= max_links; ++l) link_pertence_ao_grupo(l, n, g) = false;
    }

    for (int g1 = 1; g1 <= max_grupos; ++g1)
        for (int g2 = 1; g2 <= max_grupos; ++g2) grupos_conflitantes(n, g1, g2) = true;

    for (int j = 1; j <= max_nos; ++j) {
        par_fase1(n, j) = 0;
        par_fase2(n, j) = 0;
        par_numerado(n, j) = false;
        par_numerado_copia(n, j) = false;
    }

    nos_do_caminho_principal(n) = 0;
    defasagem(n) = 0;
    defasagem_tentativa(n) = 0;
    defasagem_valendo(n) = 0;
    no_defasado(n) = false;
    defasagem_do_escravo(n) = 0;
    eh_no_escravo(n) = false;
    eh_no_mestre(n) = false;
    eh_escravo_valendo(n) = false;
    no_mestre(n) = 0;
    no_escravo(n) = 0;
    nome_do_mestre(n).clear();
    intervalo_do_escravo(n) = 0;
    intervalo_do_mestre(n) = 0;
    defasagem_forcada(n) = 0;
    eh_no_demandado(n) = false;
    n_acionamentos(n) = 0;
    intervalo_demandado(n) = 0;
    intervalo_beneficiado(n) = 0;
    quant_de_intervalos_antes(n) = 0;
    quant_de_intervalos_depois(n) = 0;
    nome_do_no(n).clear();
    quant_de_grupos(n) = 0;
    eh_ciclo_duplo_permitido(n) = false;
    quant_de_grupos_criticos(n) = 0;
    t_de_ciclo_de_seguranca_do_no(n) = 0;
    probabilidade_de_demanda(n) = 0;
    instante_no_ciclo(n) = 0;
    quant_de_links_do_par_fase1(n) = 0;
    quant_de_links_do_par_fase2(n) = 0;
    no_da_vizinhanca(n) = 0;

    for (int c = 1; c <= max_colunas; ++c) existe_ordenada(n, c) = false;
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) {
        duracao_imposta(n, k) = 0;
        inicio_do_intervalo(n, k) = 0;
    }
    for (int g = 1; g <= max_grupos; ++g)
        for (int p = 1; p <= max_links_por_grupo; ++p) nome_dos_links_do_grupo(n, g, p).clear();

    for (int l = 1; l <= max_links; ++l) {
        entrada_no_par_fase1(n, l) = 0;
        entrada_no_par_fase2(n, l) = 0;
        capacidade_no_par_fase1(n, l) = 0;
        capacidade_no_par_fase2(n, l) = 0;
        links_da_vizinhanca(n, l) = 0;
    }
    for (int p = 1; p <= max_links_do_par; ++p) {
        links_do_par_fase1(n, p) = 0;
        links_do_par_fase2(n, p) = 0;
    }
    for (int c = 1; c <= max_candidatos; ++c) nos_da_vizinhanca_do_candidato(c, n) = 0;
}

void zerar_linha_do_link(int l) {
    y(l) = 0;
    ocupacao_da_caixa(l) = 0;
    fila(l) = 0;
    atraso(l) = 0;
    paradas_no_segundo(l) = 0;
    paradas(l) = 0;
    entrada_externa_por_segundo(l) = 0;
    estourou_caixa(l) = false;
    caixa_com_espaco(l) = true;
    for (int r = 1; r <= max_links; ++r) {
        fluxo_fornecido(l, r) = 0;
        fracao_do_fornecimento(l, r) = 0;
    }
    nome_do_link(l).clear();
    nome_do_no_origem(l).clear();
    nome_do_no_destino(l).clear();
    verde_de_seguranca(l) = 0;
    fluxo_por_segundo(l) = 0;
    fluxo_de_saturacao_por_segundo(l) = 0;
    t_de_percurso(l) = 0;
    capacidade_da_caixa(l) = 0;
    for (int k = 1; k <= max_recebedores; ++k) {
        nome_do_recebedor(l, k).clear();
        valor_do_fornecimento(l, k) = 0;
        recebedor(l, k) = 0;
    }
    for (int k = 1; k <= max_intervalos_de_inicio; ++k) link_verde_no_intervalo(l, k) = false;
    verde_agora(l) = false;
    verde_antes(l) = false;
    no_origem(l) = 0;
    no_destino(l) = 0;
    t_de_verde_do_link(l) = 0;
    links_do_caminho(l) = 0;
    fluxo_externo_do_caminho(l) = 0;
    capacidade_no_caminho(l) = 0;
    capacidade_util_da_caixa(l) = 0;
    fila_maxima(l) = 0;
    y_rel(l).clear();
    grau_de_saturacao_por_link_rel(l).clear();
    fila_maxima_rel(l).clear();
    estourou_caixa_rel(l).clear();
    atraso_rel(l).clear();
    grau_de_saturacao(l) = 0;
    for (int k = 1; k <= max_periodos_de_verde; ++k) {
        periodo_de_verde_do_link(l, k) = 0;
        periodo_de_verde_do_link_rel(l, k).clear();
    }
    n_paradas_rel(l).clear();
}

void zerar_escalares_finais() {
    t_de_ciclo_minimo_de_seguranca = 0;
    t_de_ciclo = 0;
    eh_fase1 = false;
    eh_fase2 = false;
    quant_de_nos_do_caminho = 0;
    quant_de_links_do_caminho = 0;
    fim_da_direcao = false;
    houve_melhora = false;
    link_corrente = 0;
    par_corrente = 0;
    quant_de_pares_fase1 = 0;
    quant_de_pares_fase2 = 0;
    periodo_de_otimizacao = 0;
    melhor_defasagem = 0;
    quant_de_defasagens_candidatas = 0;
    passo_da_defasagem = 0;
    quant_de_niveis = 0;
    candidato_corrente = 0;
    periodo_local = 0;
    intervalos_validos = false;
    t_ciclo_da_rede_rel.clear();
    atraso_rede_rel.clear();
    atraso_total = 0;
    paradas_total = 0;
    espera_media_rel.clear();
    n_paradas_rede_rel.clear();
    maior_grau_de_saturacao_rel.clear();
    StrLinks_com_maior_grau_de_saturacao_rel.clear();
    data_rel.clear();
    indice_de_desempenho = 0;
    melhor_indice = 0;
    indice_da_vizinhanca = 0;
}

}  // namespace

void zerar_opcoes_de_trabalho() {
    nome_da_rede.clear();
    t_de_ciclo_imposto = 0;
    t_de_ciclo_maximo = 0;
    t_de_ciclo_maximo_imposto = 0;
    grau_de_saturacao_meta = 0;
    grau_de_saturacao_meta_imposto = 0;
    grau_de_saturacao_limite = 0;
    grau_de_saturacao_limite_imposto = 0;
    peso_da_parada = 0;
    peso_da_parada_imposto = 0;
}

void zerar_variaveis_de_calculo() {
    com_codigo("Erro 128", [] {
        zerar_escalares_da_execucao();

        for (int n = 1; n <= max_nos; ++n)
            if (existe_no(n)) zerar_linha_do_no(n);

        for (int n = 1; n <= max_nos; ++n) {
            if (!existe_no(n)) continue;
            defasagem_do_par_fase1(n) = 0;
            defasagem_do_par_fase2(n) = 0;
        }

        for (int l = 0; l <= max_links; ++l) zerar_linha_do_link(l);

        vazao_possivel = 0;
        vazao_bloqueada = 0;
        bloqueado_no_recebedor = 0;
        paradas_no_inicio_do_vermelho = 0;

        for (int c = 1; c <= max_niveis; ++c) {
            quant_de_nos_por_nivel(c) = 0;
            for (int p = 1; p <= max_nos; ++p) arvore_de_niveis(c, p) = 0;
            for (int l = 1; l <= max_links; ++l) {
                fluxo_externo_da_vizinhanca(c, l) = 0;
                capacidade_na_vizinhanca(c, l) = 0;
            }
            quant_de_links_da_vizinhanca(c) = 0;
            quant_de_nos_da_vizinhanca(c) = 0;
        }

        for (int k = 1; k <= max_custos; ++k) custo_da_defasagem(k) = 0;
        for (int k = 1; k <= max_defasagens_candidatas; ++k) defasagens_candidatas(k) = 0;
        for (int k = 1; k <= max_nos; ++k) links_com_maior_grau_de_saturacao(k).clear();

        zerar_escalares_finais();
    });
}

}  // namespace orvel
