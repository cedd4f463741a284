#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "calculo/zerar_variaveis_de_calculo.h"
#include "comum/conferencia.h"
#include "comum/percorrer.h"
#include "comum/veneno_no_contexto.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

using teste::conferencia;

// Nós em uso com buracos: 1, 3 e 50.
bool no_em_uso(int n) { return n == 1 || n == 3 || n == 50; }
bool entre(int v, int a, int b) { return v >= a && v <= b; }


TEST(zerar_variaveis_de_calculo, limpa_exatamente_o_que_deve_e_nada_mais) {
    servicos_de_teste s;
    // Veneno em todo campo do contexto; as tabelas conferidas abaixo recebem o seu.
    teste::envenenar_o_contexto(contexto());
    existe_no.preencher(false);
    for (int n = 1; n <= max_nos; ++n) existe_no(n) = no_em_uso(n);

    conferencia c;
    auto no = [](int n) { return no_em_uso(n); };
    auto no_i72 = [](int n, int k) { return no_em_uso(n) && entre(k, 1, 72); };
    auto no_g = [](int n, int g) { return no_em_uso(n) && entre(g, 1, 8); };
    auto no_g_i72 = [](int n, int g, int k) { return no_em_uso(n) && entre(g, 1, 8) && entre(k, 1, 72); };
    auto no_g_g = [](int n, int a, int b) { return no_em_uso(n) && entre(a, 1, 8) && entre(b, 1, 8); };
    auto no_no = [](int n, int j) { return no_em_uso(n) && entre(j, 1, 50); };
    auto no_l = [](int n, int l) { return no_em_uso(n) && entre(l, 1, 150); };
    auto no_p = [](int n, int p) { return no_em_uso(n) && entre(p, 1, max_links_do_par); };
    auto link = [](int) { return true; };
    auto link_l = [](int, int r) { return entre(r, 1, 150); };
    auto link_k4 = [](int, int k) { return entre(k, 1, 4); };
    auto link_i72 = [](int, int k) { return entre(k, 1, 72); };
    auto link_k10 = [](int, int k) { return entre(k, 1, 10); };
    auto c30 = [](int k) { return entre(k, 1, 30); };
    auto c30_l = [](int k, int l) { return entre(k, 1, 30) && entre(l, 1, 150); };
    auto c30_p50 = [](int k, int p) { return entre(k, 1, 30) && entre(p, 1, 50); };
    auto nunca1 = [](int) { return false; };
    auto nunca2 = [](int, int) { return false; };
    auto nunca3 = [](int, int, int) { return false; };

    // 1. escalares da execução
    ESC(parar_processamento, true);
    ESC(contexto().copias.nome_da_rede, true);
    ESC(contexto().copias.t_de_ciclo_imposto, true);
    ESC(contexto().copias.t_de_ciclo_maximo, true);
    ESC(contexto().copias.t_de_ciclo_maximo_imposto, true);
    ESC(contexto().copias.grau_de_saturacao_meta, true);
    ESC(contexto().copias.grau_de_saturacao_meta_imposto, true);
    ESC(contexto().copias.grau_de_saturacao_limite, true);
    ESC(contexto().copias.grau_de_saturacao_limite_imposto, true);
    ESC(contexto().copias.peso_da_parada, true);
    ESC(contexto().copias.peso_da_parada_imposto, true);
    ESC(contexto().derivados.periodo_de_simulacao, true);
    ESC(contexto().derivados.eh_periodo_de_uma_hora, true);

    // 2. linhas dos nós em uso
    TAB(contexto().derivados.tempo_perdido_do_no, no);
    TAB(contexto().derivados.y_critico_do_no, no);
    TAB(contexto().derivados.grau_de_saturacao_do_no, no);
    TAB(contexto().derivados.eh_ciclo_duplo, no);
    TAB(contexto().derivados.tempo_nao_usado_da_demanda, no);
    TAB(contexto().derivados.duracao_eh_imposta, no_i72);
    TAB(contexto().derivados.link_critico_do_grupo, no_g);
    TAB(contexto().derivados.quant_de_periodos_de_verde_do_grupo, no_g);
    TAB(contexto().derivados.verde_de_seguranca_do_grupo, no_g);
    TAB(contexto().derivados.grau_de_saturacao_do_grupo, no_g);
    TAB(contexto().derivados.t_de_verde_do_grupo, no_g);
    TAB(contexto().derivados.grupo_eh_critico, no_g);
    TAB(contexto().derivados.grupo_verde_no_intervalo, no_g_i72);
    TAB(contexto().copias.cor_do_intervalo_do_grupo, no_g_i72);
    TAB(contexto().derivados.duracao_do_intervalo, no_i72);
    TAB(contexto().derivados.duracao_com_demanda, no_i72);
    TAB(contexto().derivados.link_pertence_ao_grupo, ([](int l, int n, int g) { return entre(l, 1, 150) && no_em_uso(n) && entre(g, 1, 8); }));
    TAB(contexto().derivados.grupos_conflitantes, no_g_g, false, true);
    TAB(contexto().buscas.par_fase1, no_no);
    TAB(contexto().buscas.par_fase2, no_no);
    TAB(contexto().buscas.par_numerado, no_no);
    TAB(contexto().buscas.par_numerado_copia, no_no);
    TAB(contexto().buscas.nos_do_caminho_principal, no);
    TAB(contexto().buscas.defasagem, no);
    TAB(contexto().buscas.defasagem_tentativa, no);
    TAB(contexto().buscas.defasagem_valendo, no);
    TAB(contexto().buscas.no_defasado, no);
    TAB(contexto().derivados.defasagem_do_escravo, no);
    TAB(contexto().copias.eh_no_escravo, no);
    TAB(contexto().derivados.eh_no_mestre, no);
    TAB(contexto().derivados.eh_escravo_valendo, no);
    TAB(contexto().derivados.no_mestre, no);
    TAB(contexto().derivados.no_escravo, no);
    TAB(contexto().copias.nome_do_mestre, no);
    TAB(contexto().copias.intervalo_do_escravo, no);
    TAB(contexto().copias.intervalo_do_mestre, no);
    TAB(contexto().copias.defasagem_forcada, no);
    TAB(contexto().copias.eh_no_demandado, no);
    TAB(contexto().copias.n_acionamentos, no);
    TAB(contexto().copias.intervalo_demandado, no);
    TAB(contexto().copias.intervalo_beneficiado, no);
    TAB(contexto().copias.quant_de_intervalos_antes, no);
    TAB(contexto().derivados.quant_de_intervalos_depois, no);
    TAB(contexto().copias.nome_do_no, no);
    TAB(contexto().copias.quant_de_grupos, no);
    TAB(contexto().copias.eh_ciclo_duplo_permitido, no);
    TAB(contexto().derivados.quant_de_grupos_criticos, no);
    TAB(contexto().derivados.t_de_ciclo_de_seguranca_do_no, no);
    TAB(contexto().derivados.probabilidade_de_demanda, no);
    TAB(contexto().simulacao.instante_no_ciclo, no);
    TAB(contexto().buscas.quant_de_links_do_par_fase1, no);
    TAB(contexto().buscas.quant_de_links_do_par_fase2, no);
    TAB(contexto().buscas.no_da_vizinhanca, no);
    TAB(contexto().copias.existe_ordenada, ([](int n, int k) { return no_em_uso(n) && entre(k, 1, 94); }));
    TAB(contexto().copias.duracao_imposta, no_i72);
    TAB(contexto().derivados.inicio_do_intervalo, no_i72);
    TAB(contexto().copias.nome_dos_links_do_grupo, ([](int n, int g, int p) { return no_em_uso(n) && entre(g, 1, 8) && entre(p, 1, 4); }));
    TAB(contexto().buscas.entrada_no_par_fase1, no_l);
    TAB(contexto().buscas.entrada_no_par_fase2, no_l);
    TAB(contexto().buscas.capacidade_no_par_fase1, no_l);
    TAB(contexto().buscas.capacidade_no_par_fase2, no_l);
    TAB(contexto().buscas.links_da_vizinhanca, no_l);
    TAB(contexto().buscas.links_do_par_fase1, no_p);
    TAB(contexto().buscas.links_do_par_fase2, no_p);
    TAB(contexto().buscas.nos_da_vizinhanca_do_candidato, ([](int k, int n) { return entre(k, 1, max_candidatos) && no_em_uso(n); }));

    // 3.
    TAB(contexto().buscas.defasagem_do_par_fase1, no);
    TAB(contexto().buscas.defasagem_do_par_fase2, no);

    // 4. toda linha de link 0..150
    TAB(contexto().derivados.y, link);
    TAB(contexto().simulacao.ocupacao_da_caixa, link);
    TAB(contexto().simulacao.fila, link);
    TAB(contexto().simulacao.atraso, link);
    TAB(contexto().simulacao.paradas_no_segundo, link);
    TAB(contexto().simulacao.paradas, link);
    TAB(contexto().derivados.entrada_externa_por_segundo, link);
    TAB(contexto().resultados.estourou_caixa, link);
    TAB(contexto().simulacao.caixa_com_espaco, link, false, true);
    TAB(contexto().derivados.fluxo_fornecido, link_l);
    TAB(contexto().derivados.fracao_do_fornecimento, link_l);
    TAB(contexto().copias.nome_do_link, link);
    TAB(contexto().copias.nome_do_no_origem, link);
    TAB(contexto().copias.nome_do_no_destino, link);
    TAB(contexto().copias.verde_de_seguranca, link);
    TAB(contexto().copias.fluxo_por_segundo, link);
    TAB(contexto().copias.fluxo_de_saturacao_por_segundo, link);
    TAB(contexto().copias.t_de_percurso, link);
    TAB(contexto().copias.capacidade_da_caixa, link);
    TAB(contexto().copias.nome_do_recebedor, link_k4);
    TAB(contexto().copias.valor_do_fornecimento, link_k4);
    TAB(contexto().derivados.recebedor, link_k4);
    TAB(contexto().derivados.link_verde_no_intervalo, link_i72);
    TAB(contexto().simulacao.verde_agora, link);
    TAB(contexto().simulacao.verde_antes, link);
    TAB(contexto().derivados.no_origem, link);
    TAB(contexto().derivados.no_destino, link);
    TAB(contexto().derivados.t_de_verde_do_link, link);
    TAB(contexto().buscas.links_do_caminho, link);
    TAB(contexto().buscas.fluxo_externo_do_caminho, link);
    TAB(contexto().buscas.capacidade_no_caminho, link);
    TAB(contexto().derivados.capacidade_util_da_caixa, link);
    TAB(contexto().resultados.fila_maxima, link);
    TAB(contexto().resultados.y_rel, link);
    TAB(contexto().resultados.grau_de_saturacao_por_link_rel, link);
    TAB(contexto().resultados.fila_maxima_rel, link);
    TAB(contexto().resultados.estourou_caixa_rel, link);
    TAB(contexto().resultados.atraso_rel, link);
    TAB(contexto().resultados.grau_de_saturacao, link);
    TAB(contexto().resultados.periodo_de_verde_do_link, link_k10);
    TAB(contexto().resultados.periodo_de_verde_do_link_rel, link_k10);
    TAB(contexto().resultados.n_paradas_rel, link);

    // 5.
    ESC(contexto().simulacao.vazao_possivel, true);
    ESC(contexto().simulacao.vazao_bloqueada, true);
    ESC(contexto().simulacao.bloqueado_no_recebedor, true);
    ESC(contexto().simulacao.paradas_no_inicio_do_vermelho, true);

    // 6.
    TAB(contexto().buscas.quant_de_nos_por_nivel, c30);
    TAB(contexto().buscas.arvore_de_niveis, c30_p50);
    TAB(contexto().buscas.fluxo_externo_da_vizinhanca, c30_l);
    TAB(contexto().buscas.capacidade_na_vizinhanca, c30_l);
    TAB(contexto().buscas.quant_de_links_da_vizinhanca, c30);
    TAB(contexto().buscas.quant_de_nos_da_vizinhanca, c30);

    // 7.
    TAB(contexto().buscas.custo_da_defasagem, ([](int k) { return entre(k, 1, 300); }));
    TAB(contexto().buscas.defasagens_candidatas, ([](int k) { return entre(k, 1, 40); }));
    TAB(contexto().resultados.links_com_maior_grau_de_saturacao, ([](int k) { return entre(k, 1, 50); }));

    // 8.
    ESC(contexto().derivados.t_de_ciclo_minimo_de_seguranca, true);
    ESC(contexto().derivados.t_de_ciclo, true);
    ESC(contexto().buscas.eh_fase1, true);
    ESC(contexto().buscas.eh_fase2, true);
    ESC(contexto().buscas.quant_de_nos_do_caminho, true);
    ESC(contexto().buscas.quant_de_links_do_caminho, true);
    ESC(contexto().buscas.fim_da_direcao, true);
    ESC(contexto().buscas.houve_melhora, true);
    ESC(contexto().simulacao.link_corrente, true);
    ESC(contexto().buscas.par_corrente, true);
    ESC(contexto().buscas.quant_de_pares_fase1, true);
    ESC(contexto().buscas.quant_de_pares_fase2, true);
    ESC(contexto().buscas.periodo_de_otimizacao, true);
    ESC(contexto().buscas.melhor_defasagem, true);
    ESC(contexto().buscas.quant_de_defasagens_candidatas, true);
    ESC(contexto().buscas.passo_da_defasagem, true);
    ESC(contexto().buscas.quant_de_niveis, true);
    ESC(contexto().buscas.candidato_corrente, true);
    ESC(contexto().buscas.periodo_local, true);
    ESC(contexto().buscas.intervalos_validos, true);
    ESC(contexto().resultados.t_ciclo_da_rede_rel, true);
    ESC(contexto().resultados.atraso_rede_rel, true);
    ESC(contexto().resultados.atraso_total, true);
    ESC(contexto().resultados.paradas_total, true);
    ESC(contexto().resultados.espera_media_rel, true);
    ESC(contexto().resultados.n_paradas_rede_rel, true);
    ESC(contexto().resultados.maior_grau_de_saturacao_rel, true);
    ESC(contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel, true);
    ESC(contexto().resultados.data_rel, true);
    ESC(contexto().buscas.indice_de_desempenho, true);
    ESC(contexto().buscas.melhor_indice, true);
    ESC(contexto().buscas.indice_da_vizinhanca, true);

    // O que a limpeza não toca.
    ESC(contexto().derivados.t_de_ciclo_calculado, false);
    ESC(contexto().resultados.max_quant_de_intervalos, false);
    TAB(contexto().resultados.cor_do_intervalo_do_grupo_depois, nunca3);
    TAB(nome_do_no_dado, nunca1);
    TAB(fluxo_dado, nunca1);
    TAB(cor_do_intervalo_do_grupo_dado, nunca3);
    TAB(existe_link, nunca1);
    TAB(nome_do_recebedor_dado, nunca2);
    ESC(projeto_alterado, false);
    ESC(dados_ok, false);
    ESC(total_de_nos_dado, false);
    ESC(max_indice_link, false);
    contexto().simulacao.perfil_de_chegada.dimensionar(3, 5);
    contexto().simulacao.perfil_de_chegada(2, 4) = 9;
    contexto().simulacao.estado_no_instante.dimensionar(3, 5);
    contexto().simulacao.estado_no_instante(1, 1) = 3;

    zerar_variaveis_de_calculo(contexto());

    EXPECT_TRUE(s.mensagens.empty());
    for (auto& f : c.conferir) f();
    EXPECT_EQ(contexto().simulacao.perfil_de_chegada(2, 4), 9.0f);
    EXPECT_EQ(contexto().simulacao.estado_no_instante(1, 1), 3);

    // Todo campo do contexto que não foi conferido acima ainda tem o veneno.
    teste::conferir_o_contexto(contexto(), [&](const std::string& campo, const int*, std::size_t) {
        const std::string nome = campo.substr(campo.find('.') + 1);
        const bool conferido = c.nomes.count(nome) > 0 || nome == "existe_no" || nome == "perfil_de_chegada" ||
                               nome == "estado_no_instante";
        return conferido ? teste::esperado::qualquer : teste::esperado::veneno;
    });
}

TEST(zerar_variaveis_de_calculo, sem_no_em_uso_limpa_escalares_links_e_niveis_e_nenhuma_linha_de_no) {
    servicos_de_teste s;
    existe_no.preencher(false);
    contexto().buscas.defasagem_valendo.preencher(5);
    contexto().derivados.grupos_conflitantes.preencher(false);
    contexto().derivados.y.preencher(2.0f);
    contexto().buscas.custo_da_defasagem.preencher(1.0f);
    contexto().derivados.t_de_ciclo = 90;
    zerar_variaveis_de_calculo(contexto());
    EXPECT_EQ(contexto().buscas.defasagem_valendo(1), 5);
    EXPECT_FALSE(contexto().derivados.grupos_conflitantes(1, 1, 1));
    EXPECT_EQ(contexto().derivados.y(0), 0.0f);
    EXPECT_EQ(contexto().derivados.y(150), 0.0f);
    EXPECT_EQ(contexto().buscas.custo_da_defasagem(0), 1.0f);
    EXPECT_EQ(contexto().buscas.custo_da_defasagem(300), 0.0f);
    EXPECT_EQ(contexto().derivados.t_de_ciclo, 0);
    EXPECT_TRUE(contexto().simulacao.caixa_com_espaco(77));
    EXPECT_TRUE(s.mensagens.empty());
}

// Duas redes no mesmo processo: a limpeza de um outro contexto segue as posições em uso dele e
// não toca o contexto do processo.
TEST(zerar_variaveis_de_calculo, limpa_outro_contexto_sem_tocar_o_do_processo) {
    servicos_de_teste s;
    auto outro = std::make_unique<contexto_da_rede>();
    teste::envenenar_o_contexto(contexto());
    teste::envenenar_o_contexto(*outro);
    outro->rede.existe_no.preencher(false);
    outro->rede.existe_no(3) = true;

    zerar_variaveis_de_calculo(*outro);

    EXPECT_TRUE(s.mensagens.empty());
    teste::conferir_o_contexto(contexto(),
                               [](const std::string&, const int*, std::size_t) { return teste::esperado::veneno; });
    EXPECT_EQ(outro->buscas.defasagem_valendo(3), 0);
    EXPECT_EQ(outro->buscas.defasagem_valendo(1), 7);
    EXPECT_EQ(outro->copias.nome_do_no(3), "");
    EXPECT_EQ(outro->copias.nome_do_no(2), "veneno");
    EXPECT_TRUE(outro->derivados.grupos_conflitantes(3, 1, 2));
    EXPECT_EQ(outro->derivados.y(0), 0.0f);
    EXPECT_EQ(outro->derivados.t_de_ciclo, 0);
    EXPECT_EQ(outro->derivados.t_de_ciclo_calculado, 7);
    EXPECT_EQ(outro->copias.nome_da_rede, "");
    EXPECT_FALSE(outro->projeto.parar_processamento);
    EXPECT_TRUE(outro->simulacao.caixa_com_espaco(5));
    EXPECT_EQ(outro->resultados.max_quant_de_intervalos, 7);
}

}  // namespace
}  // namespace orvel
