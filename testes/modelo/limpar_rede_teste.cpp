#include <gtest/gtest.h>

#include <set>
#include <string>

#include "comum/conferencia.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/veneno_no_contexto.h"
#include "editor/desenho_da_rede.h"
#include "editor/elementos_do_desenho.h"
#include "modelo/buffers_de_edicao.h"
#include "modelo/estado_do_editor.h"
#include "modelo/tabelas_de_calculo.h"
#include "modelo/valores_da_animacao.h"

namespace orvel {
namespace {

using teste::conferencia;
using limpeza_da_rede = teste::com_janela_principal;

bool entre(int v, int a, int b) { return v >= a && v <= b; }

TEST_F(limpeza_da_rede, limpa_exatamente_o_que_deve_e_descarrega_so_os_elementos_em_uso) {
    // Nós 1 e 3 e links 1 e 3 em uso, com buracos nas posições 2.
    for (int i = 0; i < 3; ++i) inserir_no();
    for (int i = 0; i < 3; ++i) inserir_link();
    s.respostas = {resposta_sim, resposta_sim};
    no_selecionado = 2;
    eliminar_no();
    link_selecionado = 2;
    eliminar_link();
    ASSERT_TRUE(t().no_shape.carregado(3));
    t().Caption = "ORVEL - rede.xml";

    conferencia c;
    auto sempre1 = [](int k) { return entre(k, 1, 150) || false; };
    auto no1 = [](int n) { return entre(n, 1, 50); };
    auto link1 = [](int l) { return entre(l, 1, 150); };
    auto no_g_k4 = [](int n, int g, int k) { return entre(n, 1, 50) && entre(g, 1, 8) && entre(k, 1, 4); };
    auto no_g_i95 = [](int n, int g, int k) { return entre(n, 1, 50) && entre(g, 1, 8) && entre(k, 1, 95); };
    auto no_c94 = [](int n, int k) { return entre(n, 1, 50) && entre(k, 1, 94); };
    auto no_i95 = [](int n, int k) { return entre(n, 1, 50) && entre(k, 1, 95); };
    auto link_k4 = [](int l, int k) { return entre(l, 1, 150) && entre(k, 1, 4); };
    auto link_k10 = [](int l, int k) { return entre(l, 1, 150) && entre(k, 1, 10); };
    auto nunca1 = [](int) { return false; };
    (void)sempre1;

    // Passo 2 e 4 (existência: a limpeza descarrega e zera).
    TAB(existe_no, no1, true, false);
    existe_no.preencher(false);
    existe_no(0) = existe_no(1) = existe_no(3) = true;
    TAB(existe_link, link1, true, false);
    existe_link.preencher(false);
    existe_link(0) = existe_link(1) = existe_link(3) = true;
    // Passo 7: tabela dos links.
    TAB(nome_do_link_dado, link1);
    TAB(nome_do_no_origem_dado, link1);
    TAB(nome_do_no_destino_dado, link1);
    TAB(verde_de_seguranca_dado, link1);
    TAB(fluxo_dado, link1);
    TAB(fluxo_de_saturacao_dado, link1);
    TAB(t_de_percurso_dado, link1);
    TAB(capacidade_da_caixa_dado, link1);
    TAB(nome_do_recebedor_dado, link_k4);
    TAB(valor_do_fornecimento_dado, link_k4);
    // Passo 8: nós, buffers, cópias e desenho dos nós.
    TAB(nome_do_no_dado, no1);
    TAB(quant_de_grupos_dado, no1);
    TAB(eh_no_escravo_dado, no1);
    TAB(nome_do_mestre_dado, no1);
    TAB(intervalo_do_escravo_dado, no1);
    TAB(intervalo_do_mestre_dado, no1);
    TAB(defasagem_forcada_dado, no1);
    TAB(eh_no_demandado_dado, no1);
    TAB(n_acionamentos_dado, no1);
    TAB(intervalo_demandado_dado, no1);
    TAB(intervalo_beneficiado_dado, no1);
    TAB(eh_ciclo_duplo_permitido_dado, no1);
    TAB(quant_de_intervalos_antes_dado, no1);
    TAB(nome_dos_links_do_grupo_dado, no_g_k4);
    TAB(nome_dos_links_do_grupo_editado, no_g_k4);
    TAB(cor_do_intervalo_do_grupo_dado, no_g_i95);
    TAB(cor_do_intervalo_do_grupo_editado, no_g_i95);
    TAB(contexto().copias.cor_do_intervalo_do_grupo, no_g_i95);
    TAB(contexto().resultados.cor_do_intervalo_do_grupo_depois, no_g_i95);
    TAB(existe_ordenada_dado, no_c94);
    TAB(existe_ordenada_editado, no_c94);
    TAB(contexto().copias.existe_ordenada, no_c94);
    TAB(contexto().derivados.duracao_do_intervalo, no_i95);
    TAB(duracao_imposta_dado, no_i95);
    TAB(duracao_imposta_editado, no_i95);
    TAB(raio_do_no, no1);
    TAB(x_do_no, no1);
    TAB(y_do_no, no1);
    TAB(no_em_arrasto, no1);
    TAB(nome_do_no_editado, no1);
    TAB(quant_de_grupos_editado, no1);
    TAB(eh_no_escravo_editado, no1);
    TAB(nome_do_mestre_editado, no1);
    TAB(intervalo_do_escravo_editado, no1);
    TAB(intervalo_do_mestre_editado, no1);
    TAB(defasagem_forcada_editado, no1);
    TAB(eh_no_demandado_editado, no1);
    TAB(n_acionamentos_editado, no1);
    TAB(intervalo_demandado_editado, no1);
    TAB(intervalo_beneficiado_editado, no1);
    TAB(eh_ciclo_duplo_permitido_editado, no1);
    TAB(quant_de_intervalos_antes_editado, no1);
    // Passo 9.
    ESC(contexto().resultados.t_ciclo_da_rede_rel, true);
    ESC(contexto().resultados.atraso_rede_rel, true);
    ESC(contexto().resultados.n_paradas_rede_rel, true);
    ESC(contexto().resultados.espera_media_rel, true);
    ESC(contexto().resultados.maior_grau_de_saturacao_rel, true);
    ESC(contexto().resultados.paradas_total, true);
    TAB(contexto().resultados.links_com_maior_grau_de_saturacao, no1);
    // Passo 10.
    TAB(contexto().buscas.defasagem_valendo, no1);
    TAB(contexto().derivados.eh_ciclo_duplo, no1);
    TAB(contexto().derivados.duracao_com_demanda, no_i95);
    TAB(contexto().derivados.y, link1);
    TAB(contexto().resultados.y_rel, link1);
    TAB(contexto().resultados.fila_maxima_rel, link1);
    TAB(contexto().resultados.estourou_caixa_rel, link1);
    TAB(contexto().resultados.grau_de_saturacao_por_link_rel, link1);
    TAB(contexto().resultados.atraso_rel, link1);
    TAB(contexto().resultados.n_paradas_rel, link1);
    TAB(contexto().resultados.periodo_de_verde_do_link, link_k10);
    TAB(contexto().resultados.periodo_de_verde_do_link_rel, link_k10);
    TAB(eh_link_conversao, link1);
    TAB(nome_do_link_editado, link1);
    TAB(fluxo_editado, link1);
    TAB(t_de_percurso_editado, link1);
    TAB(nome_do_recebedor_editado, link_k4);
    TAB(valor_do_fornecimento_editado, link_k4);
    TAB(contexto().derivados.link_pertence_ao_grupo, ([](int l, int n, int g) { return entre(l, 1, 150) && entre(n, 1, 50) && entre(g, 1, 8); }));
    TAB(caixa_da_animacao, link1);
    TAB(comprimento_do_link_1, link1);
    TAB(comprimento_do_link_2, link1);
    // Passos 6 e 11.
    ESC(nome_da_rede_dado, true);
    ESC(t_de_ciclo_imposto_dado, true);
    ESC(grau_de_saturacao_meta_imposto_dado, true);
    ESC(peso_da_parada_imposto_dado, true);
    ESC(total_de_nos_dado, true, Byte{2});
    ESC(total_de_links_dado, true, Byte{2});
    ESC(max_indice_no, true, Byte{3});
    ESC(max_indice_link, true, Byte{3});
    ESC(link_selecionado, true);
    ESC(no_selecionado, true);
    ESC(arrastando_link, true);
    ESC(link_de_conversao, true);
    ESC(desenhando, true);
    ESC(t_de_ciclo_imposto_editado, true);
    ESC(peso_da_parada_imposto_editado, true);
    ESC(x_inicial_do_arrasto, true);
    ESC(y2_inicial_do_link, true);
    ESC(reiniciar_apresentacao, true);
    ESC(contexto().simulacao.link_corrente, true);
    ESC(relacao_de_links, true);
    ESC(relacao_de_nos, true);
    ESC(lista_de_existe_ordenada, true);
    ESC(lista_de_duracao_imposta, true);
    ESC(contexto().resultados.atraso_total, true);
    ESC(contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel, true);
    ESC(no_do_diagrama, true);
    TAB(lista_dos_links_do_grupo, ([](int g) { return entre(g, 1, 8); }));
    TAB(lista_de_cor_do_grupo, ([](int g) { return entre(g, 1, 8); }));
    // Os resultados de uma rede anterior não podem ser mostrados para a nova.
    ESC(contexto().derivados.t_de_ciclo, true);
    ESC(contexto().derivados.periodo_de_simulacao, true);
    ESC(contexto().resultados.max_quant_de_intervalos, true);
    TAB(contexto().derivados.quant_de_intervalos_depois, no1);
    // Nem as cópias e os dados derivados da rede anterior, que as vistas copiam e preparam de
    // novo sem a limpeza do cálculo: um recebedor numa posição que a rede nova não tem.
    TAB(contexto().copias.nome_do_no, no1);
    TAB(contexto().derivados.recebedor, link_k4);
    TAB(contexto().derivados.fracao_do_fornecimento, ([](int l, int m) { return entre(l, 1, 150) && entre(m, 1, 150); }));
    // O que fica.
    ESC(nome_do_arquivo, false);
    ESC(caption_dos_forms, false);
    ESC(salvar_como, false);
    ESC(projeto_alterado, false);
    ESC(dados_ok, false);
    ESC(parar_processamento, false);
    TAB(lista_de_cor_do_grupo_depois, nunca1);
    TAB(contexto().buscas.defasagem, nunca1);

    s.mensagens.clear();
    limpar_rede(contexto());

    EXPECT_TRUE(s.mensagens.empty()) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
    for (auto& f : c.conferir) f();
    EXPECT_EQ(t().Caption, "");
    EXPECT_TRUE(t().no_shape.indices().empty());
    EXPECT_TRUE(t().corpo_link_line.indices().empty());
    EXPECT_TRUE(t().etiqueta_link_label.indices().empty());
    EXPECT_FALSE(t().Shape2.Visible);
    EXPECT_FALSE(t().Label2.Visible);

    // Uma rede vazia se limpa de novo sem falha nem mensagem.
    limpar_rede(contexto());
    EXPECT_TRUE(s.mensagens.empty());
}

// Veneno em todo campo do contexto, também no índice 0 de toda tabela: dos grupos que a limpeza
// esvazia inteiros sai o veneno de tudo menos o índice 0 (e as listas das cores depois do
// processamento ficam); do cálculo, das cópias de trabalho e dos dados derivados inteiros e dos
// campos que as vistas e o arquivo mostram; o resto (estado do projeto, buscas, simulação,
// perfis) fica como estava, menos a revisão da rede, que cresce.
TEST_F(limpeza_da_rede, veneno_em_todo_o_contexto_sai_so_do_que_a_limpeza_esvazia) {
    teste::envenenar_o_contexto(contexto());
    s.mensagens.clear();
    limpar_rede(contexto());
    EXPECT_TRUE(s.mensagens.empty()) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);

    const std::set<std::string> grupos_inteiros{"rede.",   "desenho.", "edicao.", "editor.",   "animacao.",
                                                "listas.", "copias.",  "derivados."};
    const std::set<std::string> do_calculo{
        "buscas.defasagem_valendo", "simulacao.link_corrente", "resultados.periodo_de_verde_do_link",
        "resultados.atraso_total", "resultados.paradas_total", "resultados.links_com_maior_grau_de_saturacao",
        "resultados.max_quant_de_intervalos", "resultados.cor_do_intervalo_do_grupo_depois",
        "resultados.t_ciclo_da_rede_rel", "resultados.atraso_rede_rel", "resultados.n_paradas_rede_rel",
        "resultados.espera_media_rel", "resultados.maior_grau_de_saturacao_rel",
        "resultados.StrLinks_com_maior_grau_de_saturacao_rel", "resultados.y_rel",
        "resultados.grau_de_saturacao_por_link_rel", "resultados.fila_maxima_rel", "resultados.estourou_caixa_rel",
        "resultados.atraso_rel", "resultados.n_paradas_rel", "resultados.periodo_de_verde_do_link_rel"};
    teste::conferir_o_contexto(contexto(), [&](const std::string& campo, const int* i, std::size_t dimensoes) {
        bool sem_indice_0 = true;
        for (std::size_t k = 0; k < dimensoes; ++k) sem_indice_0 = sem_indice_0 && i[k] != 0;
        bool limpa = false;
        if (campo == "projeto.revisao_da_rede") return teste::esperado::qualquer;
        if (campo == "listas.lista_de_cor_do_grupo_depois") limpa = false;
        else if (grupos_inteiros.count(campo.substr(0, campo.find('.') + 1)) > 0) limpa = sem_indice_0;
        else limpa = do_calculo.count(campo) > 0 && sem_indice_0;
        return limpa ? teste::esperado::vazio : teste::esperado::veneno;
    });
}

TEST_F(limpeza_da_rede, elemento_ja_descarregado_nao_interrompe_a_limpeza) {
    inserir_no();
    inserir_link();
    t().corpo_link_line.descarregar(1);  // fora de sincronia com existe_link
    nome_da_rede_dado = "x";
    limpar_rede(contexto());
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(t().etiqueta_link_label.carregado(1));
    EXPECT_EQ(nome_da_rede_dado, "");
}

}  // namespace
}  // namespace orvel
