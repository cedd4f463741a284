#include "modelo/limpar_rede.h"

#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "modelo/tabelas_de_calculo.h"
#include "modelo/tela_principal.h"
#include "modelo/valores_da_animacao.h"

namespace orvel {

namespace {

// Descarregar um elemento que não está carregado não faz nada: a limpeza nunca para no meio
// por causa dele.
template <class C>
void descarregar_se_carregado(matriz_de_controles<C>& m, int i) {
    if (m.carregado(i)) m.descarregar(i);
}

void esvaziar_links_dado() {
    for (int l = 1; l <= max_links; ++l) {
        nome_do_link_dado(l).clear();
        nome_do_no_origem_dado(l).clear();
        nome_do_no_destino_dado(l).clear();
        verde_de_seguranca_dado(l) = 0;
        fluxo_dado(l) = 0;
        fluxo_de_saturacao_dado(l) = 0;
        t_de_percurso_dado(l) = 0;
        capacidade_da_caixa_dado(l) = 0;
        for (int k = 1; k <= max_recebedores; ++k) {
            nome_do_recebedor_dado(l, k).clear();
            valor_do_fornecimento_dado(l, k) = 0;
        }
    }
}

void esvaziar_nos() {
    for (int n = 1; n <= max_nos; ++n) {
        nome_do_no_dado(n).clear();
        quant_de_grupos_dado(n) = 0;
        eh_no_escravo_dado(n) = false;
        nome_do_mestre_dado(n).clear();
        intervalo_do_escravo_dado(n) = 0;
        intervalo_do_mestre_dado(n) = 0;
        defasagem_forcada_dado(n) = 0;
        eh_no_demandado_dado(n) = false;
        n_acionamentos_dado(n) = 0;
        intervalo_demandado_dado(n) = 0;
        intervalo_beneficiado_dado(n) = 0;
        eh_ciclo_duplo_permitido_dado(n) = false;
        quant_de_intervalos_antes_dado(n) = 0;
        for (int g = 1; g <= max_grupos; ++g) {
            for (int k = 1; k <= max_links_por_grupo; ++k) nome_dos_links_do_grupo_dado(n, g, k).clear();
            for (int k = 1; k <= limite_de_intervalos; ++k) {
                cor_do_intervalo_do_grupo_dado(n, g, k) = 0;
                cor_do_intervalo_do_grupo(n, g, k) = 0;
                cor_do_intervalo_do_grupo_depois(n, g, k) = 0;
            }
        }
        for (int c = 1; c <= max_colunas; ++c) {
            existe_ordenada_dado(n, c) = false;
            existe_ordenada(n, c) = false;
        }
        for (int k = 1; k <= limite_de_intervalos; ++k) {
            duracao_do_intervalo(n, k) = 0;
            duracao_imposta_dado(n, k) = 0;
        }
        raio_do_no(n) = 0;
        x_do_no(n) = 0;
        y_do_no(n) = 0;
        no_em_arrasto(n) = false;
        esvaziar_no_editado(n);
    }
}

void esvaziar_resultados_por_no_e_link() {
    for (int n = 1; n <= max_nos; ++n) {
        defasagem_valendo(n) = 0;
        eh_ciclo_duplo(n) = false;
        for (int k = 1; k <= max_intervalos_duplos; ++k) {
            duracao_do_intervalo(n, k) = 0;
            duracao_com_demanda(n, k) = 0;
        }
    }
    for (int l = 1; l <= max_links; ++l) {
        y(l) = 0;
        y_rel(l).clear();
        fila_maxima_rel(l).clear();
        estourou_caixa_rel(l).clear();
        grau_de_saturacao_por_link_rel(l).clear();
        atraso_rel(l).clear();
        n_paradas_rel(l).clear();
        for (int k = 1; k <= max_periodos_de_verde; ++k) {
            periodo_de_verde_do_link(l, k) = 0;
            periodo_de_verde_do_link_rel(l, k).clear();
        }
        eh_link_conversao(l) = false;
        nome_do_link_editado(l).clear();
        nome_do_no_origem_editado(l).clear();
        nome_do_no_destino_editado(l).clear();
        verde_de_seguranca_editado(l) = 0;
        fluxo_editado(l) = 0;
        fluxo_de_saturacao_editado(l) = 0;
        t_de_percurso_editado(l) = 0;
        capacidade_da_caixa_editado(l) = 0;
        for (int k = 1; k <= max_recebedores; ++k) {
            nome_do_recebedor_editado(l, k).clear();
            valor_do_fornecimento_editado(l, k) = 0;
        }
        for (int n = 1; n <= max_nos; ++n)
            for (int g = 1; g <= max_grupos; ++g) link_pertence_ao_grupo(l, n, g) = false;
        caixa_da_animacao(l) = 0;
        comprimento_do_link_1(l) = 0;
        comprimento_do_link_2(l) = 0;
    }
}

}  // namespace

void limpar_rede() {
    com_codigo("Erro 151", [] {
        auto& t = frmTela_principal_versao2();
        t.Caption = "";

        for (int n = 1; n <= max_nos; ++n) {
            if (!existe_no(n)) continue;
            descarregar_se_carregado(t.no_shape, n);
            descarregar_se_carregado(t.apoio_no_label, n);
            existe_no(n) = false;
        }

        for (rotulo* r : {&t.Label2, &t.Label3, &t.Label4, &t.Label5}) r->Visible = false;
        t.Line1.Visible = false;
        t.Line2.Visible = false;

        for (int l = 1; l <= max_links; ++l) {
            if (existe_link(l)) {
                descarregar_se_carregado(t.corpo_link_line, l);
                descarregar_se_carregado(t.braco_link_line, l);
                descarregar_se_carregado(t.direita_seta_line, l);
                descarregar_se_carregado(t.esquerda_seta_line, l);
                descarregar_se_carregado(t.etiqueta_link_label, l);
            }
        }
        for (int l = 1; l <= max_links; ++l) existe_link(l) = false;

        t.Shape2.Visible = false;
        t.Shape3.Visible = false;

        arrastando_inicio_do_link = false;
        arrastando_fim_do_link = false;
        arrastando_link = false;
        link_selecionado = 0;
        no_selecionado = 0;
        nome_da_rede_dado.clear();
        t_de_ciclo_imposto_dado = 0;
        t_de_ciclo_maximo_imposto_dado = 0;
        grau_de_saturacao_meta_imposto_dado = 0;
        grau_de_saturacao_limite_imposto_dado = 0;
        peso_da_parada_imposto_dado = 0;
        total_de_nos_dado = 0;
        total_de_links_dado = 0;

        esvaziar_links_dado();
        esvaziar_nos();

        t_ciclo_da_rede_rel.clear();
        atraso_rede_rel.clear();
        n_paradas_rede_rel.clear();
        espera_media_rel.clear();
        maior_grau_de_saturacao_rel.clear();
        paradas_total = 0;
        for (int k = 1; k <= max_nos; ++k) links_com_maior_grau_de_saturacao(k).clear();

        esvaziar_resultados_por_no_e_link();

        link_de_conversao = false;
        desenhando = false;
        max_indice_no = 0;
        t_de_ciclo_imposto_editado = 0;
        t_de_ciclo_maximo_imposto_editado = 0;
        grau_de_saturacao_meta_imposto_editado = 0;
        grau_de_saturacao_limite_imposto_editado = 0;
        peso_da_parada_imposto_editado = 0;
        max_indice_link = 0;
        x_inicial_do_arrasto = 0;
        y_inicial_do_arrasto = 0;
        x1_inicial_do_link = 0;
        x2_inicial_do_link = 0;
        y1_inicial_do_link = 0;
        y2_inicial_do_link = 0;
        reiniciar_apresentacao = false;
        link_corrente = 0;
        relacao_de_links.clear();
        for (int g = 1; g <= max_grupos; ++g) {
            lista_dos_links_do_grupo(g).clear();
            lista_de_cor_do_grupo(g).clear();
        }
        lista_de_existe_ordenada.clear();
        lista_de_duracao_imposta.clear();
        relacao_de_nos.clear();
        atraso_total = 0;
        StrLinks_com_maior_grau_de_saturacao_rel.clear();
        no_do_diagrama = 0;

        // Os resultados de uma rede anterior não podem ser mostrados para uma nova ou fechada.
        t_de_ciclo = 0;
        periodo_de_simulacao = 0;
        max_quant_de_intervalos = 0;
        for (int n = 1; n <= max_nos; ++n) quant_de_intervalos_depois(n) = 0;

        t.Caption = "";
        observador().ao_mudar();
    });
}

}  // namespace orvel
