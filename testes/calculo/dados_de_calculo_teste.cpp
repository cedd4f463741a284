#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calculo/dados_de_calculo.h"
#include "calculo/zerar_variaveis_de_calculo.h"
#include "comum/rede_de_teste.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class preparar_dados_de_calculo_numeros : public teste::com_rede_propria {};

using namespace teste;

// Limpeza, cópia e preparação, como no início de um processamento.
void preparar_do_zero(contexto_da_rede& c) {
    zerar_variaveis_de_calculo(c);
    copiar_dados_de_calculo(c);
    preparar_dados_de_calculo(c);
}

float por_segundo(float por_hora) { return por_hora / 3600.0f; }

TEST_F(preparar_dados_de_calculo_numeros, opcoes_padrao_e_graus_de_saturacao_em_porcentagem) {
    servicos_de_teste s;
    esvaziar_rede(c.rede);
    preparar_do_zero(c);
    EXPECT_EQ(c.copias.t_de_ciclo_maximo, 120);
    EXPECT_EQ(c.copias.grau_de_saturacao_meta, 0.88f);
    EXPECT_EQ(c.copias.grau_de_saturacao_limite, 0.95f);
    EXPECT_EQ(c.copias.peso_da_parada, 30);

    c.rede.nome_da_rede_dado = "Centro";
    c.rede.t_de_ciclo_maximo_imposto_dado = 100;
    c.rede.grau_de_saturacao_meta_imposto_dado = 85;
    c.rede.grau_de_saturacao_limite_imposto_dado = 97;
    c.rede.peso_da_parada_imposto_dado = 50;
    preparar_do_zero(c);
    EXPECT_EQ(c.copias.nome_da_rede, "Centro");
    EXPECT_EQ(c.copias.t_de_ciclo_maximo, 100);
    EXPECT_EQ(c.copias.grau_de_saturacao_meta_imposto, 85.0f);
    EXPECT_EQ(c.copias.grau_de_saturacao_meta, 0.85f);
    EXPECT_EQ(c.copias.grau_de_saturacao_limite, 0.97f);
    EXPECT_EQ(c.copias.peso_da_parada, 50);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(preparar_dados_de_calculo_numeros, capacidade_util_de_link_comum_curto_minimo_vazio_e_de_entrada) {
    servicos_de_teste s;
    esvaziar_rede(c.rede);
    novo_no(c.rede, "A");
    novo_no(c.rede, "B");
    const int comum = novo_link(c.rede, "comum", "A", "B", 600, 1800, 100);
    const int curto = novo_link(c.rede, "curto", "A", "B", 600, 5000, 10);
    const int minimo = novo_link(c.rede, "minimo", "A", "B", 600, 5000, 2);
    const int vazio = novo_link(c.rede, "vazio", "A", "B", 600, 5000, 0);
    const int entrada = novo_link(c.rede, "entrada", "", "B", 720, 1800, 50);
    preparar_do_zero(c);

    EXPECT_EQ(c.derivados.capacidade_util_da_caixa(comum), 88.0f);
    EXPECT_EQ(c.derivados.capacidade_util_da_caixa(curto), 10.0f - por_segundo(5000) / (1700.0f / 3600.0f));
    EXPECT_NEAR(c.derivados.capacidade_util_da_caixa(curto), 7.0588236f, 1e-6);
    EXPECT_EQ(c.derivados.capacidade_util_da_caixa(minimo), 2.0f);
    EXPECT_EQ(c.derivados.capacidade_util_da_caixa(vazio), 0.0f);
    EXPECT_EQ(c.copias.capacidade_da_caixa(entrada), 32000);
    EXPECT_EQ(c.derivados.capacidade_util_da_caixa(entrada), 32000.0f);
    EXPECT_EQ(c.derivados.entrada_externa_por_segundo(entrada), 0.2f);
    EXPECT_EQ(c.derivados.entrada_externa_por_segundo(comum), 0.0f);
    EXPECT_EQ(c.rede.capacidade_da_caixa_dado(entrada), 50);  // a entrada do usuário não muda
    EXPECT_EQ(c.derivados.no_origem(comum), 1);
    EXPECT_EQ(c.derivados.no_destino(comum), 2);
    EXPECT_EQ(c.derivados.no_origem(entrada), 0);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(preparar_dados_de_calculo_numeros, aviso_de_fornecimento_acima_de_120_porcento) {
    servicos_de_teste s;
    esvaziar_rede(c.rede);
    novo_no(c.rede, "A");
    const int um = novo_link(c.rede, "um", "", "A", 1000);
    const int dois = novo_link(c.rede, "dois", "", "A", 100);
    const int tres = novo_link(c.rede, "tres", "", "A", 1000);
    const int quatro = novo_link(c.rede, "quatro", "", "A", 1000);
    recebedor_do_link(c.rede, um, 1, "dois", 1300);
    recebedor_do_link(c.rede, dois, 2, "tres", 120);   // 120% exatos
    recebedor_do_link(c.rede, tres, 4, " UM", 1200);   // 120% exatos
    recebedor_do_link(c.rede, quatro, 1, "dois", 1300);
    recebedor_do_link(c.rede, quatro, 3, "DOIS", 1300);  // o mesmo recebedor duas vezes: dois avisos
    preparar_do_zero(c);

    const std::string um_para_dois = "O fluxo fornecido do link  um  para o link  dois  é maior do que 120% do fluxo do link  um";
    const std::string quatro_para_dois =
        "O fluxo fornecido do link  quatro  para o link  dois  é maior do que 120% do fluxo do link  quatro";
    EXPECT_EQ(s.textos_das_mensagens(), (std::vector<std::string>{um_para_dois, quatro_para_dois, quatro_para_dois}));
    for (const auto& m : s.mensagens) {
        EXPECT_EQ(m.titulo, "Aviso");
        EXPECT_EQ(m.estilo, estilo_ok);
    }
    EXPECT_EQ(c.derivados.recebedor(um, 1), dois);
    EXPECT_EQ(c.derivados.recebedor(tres, 4), um);
    EXPECT_EQ(c.derivados.fluxo_fornecido(um, dois), por_segundo(1300));
    EXPECT_EQ(c.derivados.fracao_do_fornecimento(um, dois), por_segundo(1300) / por_segundo(1000));  // nada é corrigido
    EXPECT_GT(static_cast<double>(c.derivados.fracao_do_fornecimento(dois, tres)), 1.2);  // 1,2 em Single
    EXPECT_EQ(c.derivados.fracao_do_fornecimento(dois, tres), 1.2f);
}

TEST_F(preparar_dados_de_calculo_numeros, divisao_por_zero_e_a_falha_da_etapa) {
    servicos_de_teste s;
    esvaziar_rede(c.rede);
    novo_no(c.rede, "A");
    const int sem_saturacao = novo_link(c.rede, "L", "", "A", 600, 0);
    links_do_grupo(c.rede, 1, 1, {"L"});
    preparar_do_zero(c);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 121");
    EXPECT_EQ(s.mensagens[0].texto, "Divisão por zero\n");
    EXPECT_EQ(c.derivados.no_destino(sem_saturacao), 0);  // a preparação parou ali

    // Link sem fluxo que fornece a um recebedor.
    s.mensagens.clear();
    c.rede.fluxo_de_saturacao_dado(sem_saturacao) = 1800;
    c.rede.fluxo_dado(sem_saturacao) = 0;
    recebedor_do_link(c.rede, sem_saturacao, 1, "L", 100);
    preparar_do_zero(c);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 121");
    EXPECT_EQ(c.derivados.no_destino(sem_saturacao), 1);
}

// A (3 grupos, 3 intervalos) com três links de entrada; B escravo de A, com demanda.
struct rede_de_dois_nos {
    int a, b, e1, e2, e3, ab;
    explicit rede_de_dois_nos(contexto_da_rede& c) {
        esvaziar_rede(c.rede);
        a = novo_no(c.rede, "A", 3, 3);
        b = novo_no(c.rede, "B", 1, 2);
        e1 = novo_link(c.rede, "E1", "", "A", 900, 1800, 20);
        e2 = novo_link(c.rede, "E2", "", "A", 450, 900, 20);
        e3 = novo_link(c.rede, "E3", "", "A", 0, 1800, 20);
        ab = novo_link(c.rede, "AB", "A", "b", 600, 1800, 40);
        cores_do_grupo(c.rede, a, 1, "113");
        cores_do_grupo(c.rede, a, 2, "311");
        cores_do_grupo(c.rede, a, 3, "333");
        links_do_grupo(c.rede, a, 1, {"E2", "e1"});
        links_do_grupo(c.rede, a, 2, {"E3"});
        links_do_grupo(c.rede, a, 3, {"AB"});
        cores_do_grupo(c.rede, b, 1, "13");
        links_do_grupo(c.rede, b, 1, {"AB"});
        c.rede.duracao_imposta_dado(a, 1) = 20;
        c.rede.duracao_imposta_dado(a, 2) = 15;
        c.rede.duracao_imposta_dado(a, 3) = 10;
        c.rede.eh_no_escravo_dado(b) = true;
        c.rede.nome_do_mestre_dado(b) = "a";
        c.rede.eh_no_demandado_dado(b) = true;
        c.rede.n_acionamentos_dado(b) = 40;
        recebedor_do_link(c.rede, e1, 1, "AB", 300);
    }
};

TEST_F(preparar_dados_de_calculo_numeros, verdes_grupos_criticos_mestres_e_demanda) {
    servicos_de_teste s;
    const rede_de_dois_nos r(c);
    preparar_do_zero(c);
    EXPECT_TRUE(s.mensagens.empty());

    EXPECT_TRUE(c.derivados.grupo_verde_no_intervalo(r.a, 1, 2));
    EXPECT_FALSE(c.derivados.grupo_verde_no_intervalo(r.a, 1, 3));
    EXPECT_FALSE(c.derivados.grupos_conflitantes(r.a, 1, 2));
    EXPECT_TRUE(c.derivados.grupos_conflitantes(r.a, 1, 3));
    EXPECT_TRUE(c.derivados.grupos_conflitantes(r.a, 2, 3));
    EXPECT_TRUE(c.derivados.grupos_conflitantes(r.a, 2, 1));  // só os pares g1 < g2 são escritos
    EXPECT_TRUE(c.derivados.link_pertence_ao_grupo(r.e1, r.a, 1));
    EXPECT_FALSE(c.derivados.link_pertence_ao_grupo(r.e1, r.a, 2));
    // AB está no grupo 3 de A e no grupo 1 de B: o último achado (B) decide os verdes.
    EXPECT_TRUE(c.derivados.link_pertence_ao_grupo(r.ab, r.a, 3));
    EXPECT_TRUE(c.derivados.link_verde_no_intervalo(r.ab, 1));
    EXPECT_FALSE(c.derivados.link_verde_no_intervalo(r.e3, 1));
    EXPECT_TRUE(c.derivados.link_verde_no_intervalo(r.e3, 3));

    // Empate de taxas: vale o link de posição mais baixa, mesmo listado depois.
    EXPECT_EQ(c.derivados.y(r.e1), 0.5f);
    EXPECT_EQ(c.derivados.y(r.e2), 0.5f);
    EXPECT_EQ(c.derivados.link_critico_do_grupo(r.a, 1), r.e1);
    EXPECT_EQ(c.derivados.link_critico_do_grupo(r.a, 2), 0);  // taxa 0
    EXPECT_EQ(c.copias.fluxo_por_segundo(r.e1), 0.25f);

    EXPECT_TRUE(c.derivados.duracao_eh_imposta(r.a, 3));
    EXPECT_EQ(c.derivados.duracao_do_intervalo(r.a, 2), 15);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(r.e3), 0);  // depois da limpeza, nenhum nó destino anterior

    EXPECT_EQ(c.derivados.no_mestre(r.b), r.a);
    EXPECT_EQ(c.derivados.no_escravo(r.a), r.b);
    EXPECT_TRUE(c.derivados.eh_no_mestre(r.a));
    EXPECT_TRUE(c.derivados.eh_escravo_valendo(r.b));
    EXPECT_EQ(c.derivados.probabilidade_de_demanda(r.b), 0.63212055f);
    EXPECT_EQ(c.derivados.fracao_do_fornecimento(r.e1, r.ab), por_segundo(300) / 0.25f);
}

// Guarda cópias de tabelas para conferir depois que nada mudou.
struct retrato {
    std::vector<std::function<void()>> conferir;
    template <class T, int... L>
    void guardar(const char* nome, tabela<T, L...>& t) {
        auto copia = std::make_shared<tabela<T, L...>>(t);
        conferir.push_back([nome, copia, &t] {
            EXPECT_TRUE(std::equal(t.dados(), t.dados() + tabela<T, L...>::total, copia->dados())) << nome;
        });
    }
};

#define GUARDAR(t) r.guardar(#t, t)

TEST_F(preparar_dados_de_calculo_numeros, processar_duas_vezes_da_as_mesmas_tabelas) {
    servicos_de_teste s;
    const rede_de_dois_nos rede(c);
    recebedor_do_link(c.rede, rede.e3, 2, "E1", 100);
    c.rede.fluxo_dado(rede.e3) = 50;  // 200%: um aviso a cada preparação
    preparar_do_zero(c);

    retrato r;
    GUARDAR(c.copias.nome_do_link);
    GUARDAR(c.copias.nome_do_no);
    GUARDAR(c.copias.fluxo_por_segundo);
    GUARDAR(c.copias.fluxo_de_saturacao_por_segundo);
    GUARDAR(c.copias.capacidade_da_caixa);
    GUARDAR(c.derivados.no_origem);
    GUARDAR(c.derivados.no_destino);
    GUARDAR(c.derivados.recebedor);
    GUARDAR(c.derivados.fluxo_fornecido);
    GUARDAR(c.derivados.fracao_do_fornecimento);
    GUARDAR(c.derivados.entrada_externa_por_segundo);
    GUARDAR(c.derivados.capacidade_util_da_caixa);
    GUARDAR(c.derivados.y);
    GUARDAR(c.derivados.link_pertence_ao_grupo);
    GUARDAR(c.derivados.grupo_verde_no_intervalo);
    GUARDAR(c.derivados.link_verde_no_intervalo);
    GUARDAR(c.derivados.grupos_conflitantes);
    GUARDAR(c.derivados.link_critico_do_grupo);
    GUARDAR(c.derivados.duracao_eh_imposta);
    GUARDAR(c.derivados.duracao_do_intervalo);
    GUARDAR(c.derivados.t_de_verde_do_link);
    GUARDAR(c.derivados.probabilidade_de_demanda);
    GUARDAR(c.derivados.no_mestre);
    GUARDAR(c.derivados.no_escravo);
    GUARDAR(c.derivados.eh_no_mestre);
    GUARDAR(c.derivados.eh_escravo_valendo);
    GUARDAR(c.rede.fluxo_dado);
    GUARDAR(c.rede.capacidade_da_caixa_dado);

    preparar_do_zero(c);
    for (auto& f : r.conferir) f();
    EXPECT_EQ(s.mensagens.size(), 2u);

    // Cópia e preparação repetidas sem a limpeza (como nas vistas de resultado): o verde
    // provisório usa o nó destino da preparação anterior; os fluxos não são divididos duas vezes.
    copiar_dados_de_calculo(c);
    preparar_dados_de_calculo(c);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(rede.e3), 15 + 10);
    EXPECT_EQ(c.derivados.t_de_verde_do_link(rede.e1), 20 + 15);
    EXPECT_EQ(c.copias.fluxo_por_segundo(rede.e1), 0.25f);
    EXPECT_EQ(s.mensagens.size(), 3u);
}

}  // namespace
}  // namespace orvel
