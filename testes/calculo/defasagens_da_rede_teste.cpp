#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "calculo/calcular_resultados.h"
#include "calculo/defasagens.h"
#include "calculo/simulacao.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_em_grade.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_das_defasagens.h"

namespace orvel {
namespace {

using namespace teste_defasagens;

// Índice da rede inteira com as defasagens dadas (uma por nó, na ordem das posições).
Single indice_com(const std::vector<int>& defasagens_dos_nos) {
    for (int n = 1; n <= max_indice_no; ++n) contexto().buscas.defasagem_tentativa(n) = static_cast<Integer>(defasagens_dos_nos[n - 1]);
    simular_rede(contexto());
    return contexto().buscas.indice_de_desempenho;
}

std::vector<int> valendo() {
    std::vector<int> v;
    for (int n = 1; n <= max_indice_no; ++n) v.push_back(contexto().buscas.defasagem_valendo(n));
    return v;
}

// Menor índice entre todas as defasagens dos nós livres (o primeiro fica onde está).
Single menor_por_forca_bruta(std::vector<int> d, int livre = 2) {
    if (livre > max_indice_no) return indice_com(d);
    Single menor = std::numeric_limits<Single>::infinity();
    for (int o = 0; o < contexto().derivados.t_de_ciclo; ++o) {
        d[livre - 1] = o;
        menor = std::min(menor, menor_por_forca_bruta(d, livre + 1));
    }
    return menor;
}

void conferir_contra_forca_bruta(const std::vector<int>& percursos) {
    const Single final = indice_com(valendo());
    const Single menor = menor_por_forca_bruta(valendo());
    EXPECT_LE(final, Single(1.02) * menor) << "índice final " << final << ", menor " << menor;
    const int C = contexto().derivados.t_de_ciclo;
    for (int n = 2; n <= max_indice_no; ++n) {
        const int relativa = no_ciclo(contexto().buscas.defasagem_valendo(n) - contexto().buscas.defasagem_valendo(n - 1), C);
        const int distancia = std::min(no_ciclo(relativa - percursos[n - 2], C), no_ciclo(percursos[n - 2] - relativa, C));
        EXPECT_LE(distancia, 4) << "nó " << n << ": relativa " << relativa << ", percurso " << percursos[n - 2];
    }
}

// Uma via de mão única passando por nós em fila, com os percursos dados entre eles.
void arterial(Integer ciclo, const std::vector<int>& percursos) {
    teste::esvaziar_rede();
    t_de_ciclo_imposto_dado = ciclo;
    std::string anterior = "E";
    via("E", "", "N1", 500, 10);
    cruzamento("N1", {"E"}, 150);
    for (std::size_t i = 0; i < percursos.size(); ++i) {
        const std::string de = "N" + std::to_string(i + 1);
        const std::string para = "N" + std::to_string(i + 2);
        const std::string nome = de + para;
        via(nome, de, para, 500, percursos[i]);
        cruzamento(para, {nome}, 150);
        fornece(anterior, nome, 1.0f);
        anterior = nome;
    }
}

TEST(defasagens_da_rede, dois_nos_numa_via_de_mao_unica) {
    servicos_de_teste s;
    arterial(60, {12});
    ate_os_verdes();
    etapas_das_defasagens();
    ASSERT_EQ(contexto().buscas.quant_de_nos_do_caminho, 2);
    EXPECT_EQ(contexto().buscas.defasagem_valendo(1), 0);  // o nó de referência não se move
    conferir_contra_forca_bruta({12});
    EXPECT_TRUE(s.mensagens.empty());
}

TEST(defasagens_da_rede, arterial_de_quatro_nos) {
    servicos_de_teste s;
    arterial(30, {10, 15, 20});
    ate_os_verdes();
    etapas_das_defasagens();
    ASSERT_EQ(contexto().buscas.quant_de_nos_do_caminho, 4);
    conferir_contra_forca_bruta({10, 15, 20});
    EXPECT_TRUE(s.mensagens.empty());
}

// A relação forçada do escravo, derivada das durações finais dos dois nós.
int relacao_forcada(int esc) {
    const int m = contexto().derivados.no_mestre(esc);
    int so_mestre = 0, so_escravo = 0;
    for (int k = 1; k < contexto().copias.intervalo_do_mestre(esc); ++k) so_mestre += contexto().derivados.duracao_com_demanda(m, k);
    for (int k = 1; k < contexto().copias.intervalo_do_escravo(esc); ++k) so_escravo += contexto().derivados.duracao_com_demanda(esc, k);
    return no_ciclo(contexto().copias.defasagem_forcada(esc) + so_mestre - so_escravo, contexto().derivados.t_de_ciclo);
}

TEST(defasagens_da_rede, escravo_segue_o_mestre_no_caminho_e_fora_dele) {
    servicos_de_teste s;
    teste::esvaziar_rede();
    t_de_ciclo_imposto_dado = 60;
    via("E", "", "A", 600, 10);
    cruzamento("A", {"E"});
    via("AB", "A", "B", 600, 14);
    cruzamento("B", {"AB"});
    via("BC", "B", "C", 500, 9);
    cruzamento("C", {"BC"});
    // D só recebe um link de A sem fornecimento: fica fora do caminho, no primeiro nível.
    via("AD", "A", "D", 200, 20);
    cruzamento("D", {"AD"}, 200, true);
    fornece("E", "AB", 0.9f);
    fornece("AB", "BC", 0.8f);
    escravo("C", "B", 3, 1, 7);    // no caminho
    escravo("D", "A", 1, 3, 50);   // fora dele, com amarelos livres que o deslocamento pode mover
    ate_os_verdes();
    etapas_das_defasagens();

    const int b = no_chamado("B"), c = no_chamado("C"), d = no_chamado("D"), a = no_chamado("A");
    ASSERT_EQ(contexto().buscas.quant_de_nos_do_caminho, 3);
    ASSERT_TRUE(contexto().derivados.eh_escravo_valendo(c) && contexto().derivados.eh_escravo_valendo(d));
    const int C = contexto().derivados.t_de_ciclo;
    for (auto [esc, mestre] : {std::pair{c, b}, std::pair{d, a}}) {
        EXPECT_EQ(contexto().derivados.defasagem_do_escravo(esc), relacao_forcada(esc));
        EXPECT_EQ(no_ciclo(contexto().buscas.defasagem_valendo(esc) - contexto().buscas.defasagem_valendo(mestre), C), relacao_forcada(esc));
        EXPECT_GE(contexto().buscas.defasagem_valendo(esc), 0);
        EXPECT_LT(contexto().buscas.defasagem_valendo(esc), C);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

TEST(defasagens_da_rede, caminhos_de_um_no_vazio_e_comecando_no_mestre) {
    servicos_de_teste s;
    auto processar = [] {
        ate_os_verdes();
        etapas_das_defasagens();
        calcular_resultados(contexto());
    };

    // Um nó só: o caminho é ele, sem níveis.
    teste::esvaziar_rede();
    via("E", "", "A", 600, 10);
    cruzamento("A", {"E"});
    processar();
    EXPECT_EQ(contexto().buscas.quant_de_nos_do_caminho, 1);
    EXPECT_EQ(contexto().buscas.nos_do_caminho_principal(1), 1);
    EXPECT_EQ(contexto().buscas.quant_de_niveis, 0);
    EXPECT_FALSE(contexto().resultados.atraso_rede_rel.empty());

    // Dois nós ligados sem fornecimento: nenhum fluxo atravessa nó algum, o caminho fica vazio
    // (e sem links) e o nível 1, vazio, ainda conta.
    teste::esvaziar_rede();
    via("E", "", "A", 600, 10);
    cruzamento("A", {"E"});
    via("AB", "A", "B", 300, 10);
    cruzamento("B", {"AB"});
    processar();
    EXPECT_EQ(contexto().buscas.quant_de_nos_do_caminho, 0);
    EXPECT_EQ(contexto().buscas.quant_de_links_do_caminho, 0);
    EXPECT_EQ(contexto().buscas.quant_de_niveis, 1);
    EXPECT_FALSE(contexto().resultados.atraso_rede_rel.empty());

    // O nó de maior fluxo é escravo: o caminho começa no mestre.
    teste::esvaziar_rede();
    via("E", "", "A", 300, 10);
    cruzamento("A", {"E"});
    via("F", "", "B", 900, 10);
    cruzamento("B", {"F"});
    via("BC", "B", "C", 900, 10);
    cruzamento("C", {"BC"});
    fornece("F", "BC", 1.0f);
    escravo("B", "A", 1, 1, 0);
    processar();
    EXPECT_EQ(contexto().buscas.nos_do_caminho_principal(1), no_chamado("A"));
    EXPECT_FALSE(contexto().resultados.atraso_rede_rel.empty());

    EXPECT_TRUE(s.mensagens.empty());
}

// A maior rede: mais de 50 pares de nós numa fase, e tudo segue sem caixa alguma.
TEST(defasagens_da_rede, maior_rede_em_grade) {
    servicos_de_teste s;
    teste::montar_rede_em_grade(5, 10, 120);
    ate_os_verdes();
    etapas_das_defasagens();
    calcular_resultados(contexto());
    EXPECT_GT(std::max(contexto().buscas.quant_de_pares_fase1, contexto().buscas.quant_de_pares_fase2), 50);
    EXPECT_GT(contexto().buscas.quant_de_niveis, 0);
    EXPECT_FALSE(contexto().resultados.atraso_rede_rel.empty());
    for (int n = 1; n <= max_indice_no; ++n) {
        EXPECT_GE(contexto().buscas.defasagem_valendo(n), 0);
        EXPECT_LT(contexto().buscas.defasagem_valendo(n), contexto().derivados.t_de_ciclo);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
