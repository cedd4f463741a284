#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "calculo/defasagens.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_das_defasagens.h"
#include "rede_de_teste_do_ciclo.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class intervalos_repetidos : public teste::com_rede_propria {};

using namespace teste_defasagens;
using teste_ciclo::duracoes;

// As bandeiras de verde de todos os grupos num intervalo, como chave de classe.
std::vector<bool> bandeiras(contexto_da_rede& c, int n, int k) {
    std::vector<bool> b;
    for (int g = 1; g <= c.copias.quant_de_grupos(n); ++g) b.push_back(c.derivados.grupo_verde_no_intervalo(n, g, k));
    return b;
}

// Soma das durações de cada classe de intervalos com as mesmas bandeiras.
std::map<std::vector<bool>, std::pair<int, int>> somas_por_classe(contexto_da_rede& c, int n) {
    std::map<std::vector<bool>, std::pair<int, int>> somas;
    for (int k = 1; k <= c.derivados.quant_de_intervalos_depois(n); ++k) {
        auto& s = somas[bandeiras(c, n, k)];
        s.first += c.derivados.duracao_do_intervalo(n, k);
        s.second += c.derivados.duracao_com_demanda(n, k);
    }
    return somas;
}

void conferir_sequencias_de_verde(contexto_da_rede& c, int n) {
    const int N = c.derivados.quant_de_intervalos_depois(n);
    auto verde = [&c, n, N](int g, int k) { return c.derivados.grupo_verde_no_intervalo(n, g, (k - 1 + N) % N + 1); };
    for (int g = 1; g <= c.copias.quant_de_grupos(n); ++g)
        for (int m = 1; m <= N; ++m) {
            if (!verde(g, m) || verde(g, m - 1)) continue;
            int duracao = 0;
            for (int x = m; x <= 2 * N && verde(g, x); ++x) duracao += c.derivados.duracao_do_intervalo(n, (x - 1) % N + 1);
            EXPECT_GE(duracao, c.derivados.verde_de_seguranca_do_grupo(n, g)) << "nó " << n << " grupo " << g << " intervalo " << m;
        }
}

// E -> U -> K -> W: E manda 55 % do seu fluxo para UK e UK 80 % para KW; até os verdes.
struct rede_u_k_w {
    Integer ciclo = 60;
    int percurso_uk = 5;
    bool k_com_amarelos_livres = true, k_pode_dobrar = true, w_com_amarelos_livres = false;
};

// Devolve K.
int montar_u_k_w(contexto_da_rede& c, rede_u_k_w r) {
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = r.ciclo;
    via(c, "E", "", "U", 900, 10);
    cruzamento(c, "U", {"E"}, 600);
    via(c, "UK", "U", "K", 500, r.percurso_uk);
    const int k = cruzamento(c, "K", {"UK"}, 100, r.k_com_amarelos_livres);
    c.rede.eh_ciclo_duplo_permitido_dado(k) = r.k_pode_dobrar;
    via(c, "KW", "K", "W", 400, 25);
    cruzamento(c, "W", {"KW"}, 300, r.w_com_amarelos_livres);
    fornece(c, "E", "UK", 0.55f);
    fornece(c, "UK", "KW", 0.8f);
    ate_os_verdes(c);
    return k;
}

// Um nó de ciclo duplo a jusante de uma arterial carregada, e um nó de amarelos livres (os dois
// amarelos não têm verde: repetem um ao outro, e só o zero limita o que se tira deles).
TEST_F(intervalos_repetidos, ciclo_duplo_e_amarelos_livres_mantem_somas_verdes_e_duracoes) {
    servicos_de_teste s;
    const int k = montar_u_k_w(c, {.ciclo = 90, .percurso_uk = 17, .k_com_amarelos_livres = false, .w_com_amarelos_livres = true});
    ASSERT_TRUE(c.derivados.eh_ciclo_duplo(k));
    ASSERT_EQ(c.derivados.quant_de_intervalos_depois(k), 8);

    calcular_defasagens_iniciais(c);
    std::map<int, std::map<std::vector<bool>, std::pair<int, int>>> antes;
    for (int n = 1; n <= c.rede.max_indice_no; ++n) antes[n] = somas_por_classe(c, n);
    otimizar_intervalos_repetidos(c);

    for (int n = 1; n <= c.rede.max_indice_no; ++n) {
        EXPECT_EQ(somas_por_classe(c, n), antes[n]) << "nó " << n;
        conferir_sequencias_de_verde(c, n);
        for (int m = 1; m <= c.derivados.quant_de_intervalos_depois(n); ++m) {
            EXPECT_GE(c.derivados.duracao_do_intervalo(n, m), 0);
            EXPECT_GE(c.derivados.duracao_com_demanda(n, m), 0);
        }
        // Os inícios acompanham as durações.
        for (int m = 2; m <= c.derivados.quant_de_intervalos_depois(n); ++m)
            EXPECT_EQ(c.derivados.inicio_do_intervalo(n, m), c.derivados.inicio_do_intervalo(n, m - 1) + c.derivados.duracao_com_demanda(n, m - 1));
    }
    EXPECT_TRUE(s.mensagens.empty());
}

// Só intervalos sem duração imposta se repetem: U (amarelos impostos) e B (um amarelo imposto,
// o outro livre) não são candidatos; K (amarelos livres) é, com a vizinhança U, K, B. Na
// simulação da vizinhança, um link que sai de um nó dela só recebe o que ela lhe manda e
// represa com a sua caixa útil; os outros trazem o seu fluxo, sem limite.
TEST_F(intervalos_repetidos, candidatos_sem_intervalos_impostos_e_entradas_da_vizinhanca) {
    servicos_de_teste s;
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = 60;
    via(c, "E", "", "U", 600, 10);
    const int u = cruzamento(c, "U", {"E"});
    via(c, "UK", "U", "K", 500, 12, 40);
    const int k = cruzamento(c, "K", {"UK"}, 200, true);
    via(c, "KB", "K", "B", 400, 15, 25);
    const int b = cruzamento(c, "B", {"KB"}, 200, true);
    c.rede.duracao_imposta_dado(b, 4) = 3;
    fornece(c, "E", "UK", 0.8f);
    fornece(c, "UK", "KB", 0.7f);
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
    otimizar_intervalos_repetidos(c);

    EXPECT_EQ(c.buscas.candidato_corrente, 1);
    ASSERT_EQ(c.buscas.quant_de_nos_da_vizinhanca(1), 3);
    EXPECT_EQ(c.buscas.nos_da_vizinhanca_do_candidato(1, 1), k);
    EXPECT_EQ(c.buscas.nos_da_vizinhanca_do_candidato(1, 2), u);
    EXPECT_EQ(c.buscas.nos_da_vizinhanca_do_candidato(1, 3), b);
    ASSERT_EQ(c.buscas.quant_de_links_da_vizinhanca(1), 6);
    for (int l = 1; l <= 6; ++l) {
        EXPECT_EQ(c.buscas.links_da_vizinhanca(1, l), l);
        const bool de_entrada = c.rede.nome_do_no_origem_dado(l).empty();
        SCOPED_TRACE(c.rede.nome_do_link_dado(l));
        EXPECT_EQ(c.buscas.fluxo_externo_da_vizinhanca(1, l), de_entrada ? c.copias.fluxo_por_segundo(l) : 0.0f);
        EXPECT_EQ(c.buscas.capacidade_na_vizinhanca(1, l),
                  de_entrada ? 32000 : static_cast<int>(std::nearbyint(c.derivados.capacidade_util_da_caixa(l))));
    }
    EXPECT_TRUE(s.mensagens.empty());
}

// U -> K -> W, com K em ciclo duplo (amarelos livres), ciclo de 60 s (passo 2 s) e K a 20 s.
// Partindo de 21 s nas duas repetições do verde 1 (intervalos 1 e 5), passar 2 s de uma para
// a outra melhora o índice nos dois sentidos; o primeiro sentido tentado é o do intervalo 5
// para o 1, e o outro não se tenta mais.
TEST_F(intervalos_repetidos, primeiro_sentido_e_da_segunda_repeticao_para_a_primeira) {
    servicos_de_teste s;
    const int k = montar_u_k_w(c, {});
    calcular_defasagens_iniciais(c);
    c.buscas.defasagem(k) = 20;
    ASSERT_EQ(duracoes(c, k), (std::vector<int>{21, 1, 8, 1, 21, 0, 8, 0}));
    otimizar_intervalos_repetidos(c);
    EXPECT_EQ(duracoes(c, k), (std::vector<int>{23, 1, 8, 1, 19, 0, 8, 0}));
    EXPECT_TRUE(s.mensagens.empty());
}

// Um movimento pode deixar o intervalo que cede com exatamente 0 s: os amarelos livres de K
// (sem verde, só o zero os limita) com 1 s e 2 s; os 2 s do amarelo 4 passam para o 2.
TEST_F(intervalos_repetidos, movimento_que_deixa_o_intervalo_com_zero_segundos) {
    servicos_de_teste s;
    const int k = montar_u_k_w(c, {.k_pode_dobrar = false});
    calcular_defasagens_iniciais(c);
    c.buscas.defasagem(k) = 10;
    ASSERT_EQ(duracoes(c, k), (std::vector<int>{49, 1, 10, 0}));
    ASSERT_EQ(passo_do_deslocamento(c.derivados.t_de_ciclo), 2);
    // O verde do grupo 2 (intervalo 3) cede 2 s ao amarelo 4; ainda cabe o seu verde de segurança.
    for (auto* d : {&c.derivados.duracao_do_intervalo, &c.derivados.duracao_com_demanda}) {
        (*d)(k, 3) = 8;
        (*d)(k, 4) = 2;
    }
    for (int m = 2; m <= 4; ++m)
        c.derivados.inicio_do_intervalo(k, m) =
            static_cast<Integer>(c.derivados.inicio_do_intervalo(k, m - 1) + c.derivados.duracao_com_demanda(k, m - 1));
    otimizar_intervalos_repetidos(c);
    EXPECT_EQ(duracoes(c, k), (std::vector<int>{49, 3, 8, 0}));
    EXPECT_TRUE(s.mensagens.empty());
}

// Mais candidatos do que as 30 linhas de antes: todos são tratados, sem falha.
TEST_F(intervalos_repetidos, trinta_e_dois_candidatos) {
    servicos_de_teste s;
    teste::esvaziar_rede(c.rede);
    for (int i = 1; i <= 32; ++i) {
        const std::string nome = "N" + std::to_string(i);
        via(c, "E" + nome, "", nome, 400, 10);
        cruzamento(c, nome, {"E" + nome}, 200, true);
    }
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
    otimizar_intervalos_repetidos(c);
    EXPECT_EQ(c.buscas.candidato_corrente, 32);
    EXPECT_EQ(c.buscas.nos_da_vizinhanca_do_candidato(32, 1), 32);
    EXPECT_EQ(c.buscas.quant_de_links_da_vizinhanca(32), 2);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(intervalos_repetidos, verde_de_seguranca_recusa_a_sequencia_curta) {
    teste::esvaziar_rede(c.rede);
    via(c, "E", "", "A", 600, 10);
    const int a = cruzamento(c, "A", {"E"});
    ate_os_verdes(c);
    c.buscas.no_da_vizinhanca(1) = static_cast<Byte>(a);
    verificar_verdes_minimos(c);
    EXPECT_TRUE(c.buscas.intervalos_validos);
    c.derivados.duracao_do_intervalo(a, 3) = static_cast<Integer>(c.derivados.verde_de_seguranca_do_grupo(a, 2) - 1);
    verificar_verdes_minimos(c);
    EXPECT_FALSE(c.buscas.intervalos_validos);
}

// Uma sequência de verde que passa do fim do ciclo (intervalos 4 e 1) é somada pela volta: 3 s
// no intervalo 4 mais os do intervalo 1.
TEST_F(intervalos_repetidos, verde_de_seguranca_soma_a_sequencia_que_da_a_volta) {
    teste::esvaziar_rede(c.rede);
    via(c, "E", "", "A", 600, 10);
    const int a = cruzamento(c, "A", {"E"});
    ate_os_verdes(c);
    ASSERT_EQ(c.derivados.quant_de_intervalos_depois(a), 4);
    const int seguranca = c.derivados.verde_de_seguranca_do_grupo(a, 1);
    ASSERT_EQ(seguranca, 8);
    c.derivados.grupo_verde_no_intervalo(a, 1, 4) = true;
    c.derivados.duracao_do_intervalo(a, 4) = 3;
    c.buscas.no_da_vizinhanca(1) = static_cast<Byte>(a);
    for (const auto& [no_intervalo_1, valida] : {std::pair{5, true}, std::pair{4, false}}) {
        c.derivados.duracao_do_intervalo(a, 1) = static_cast<Integer>(no_intervalo_1);
        verificar_verdes_minimos(c);
        EXPECT_EQ(c.buscas.intervalos_validos, valida) << "3 s + " << no_intervalo_1 << " s";
    }
}

// Só um índice menor aceita o deslocamento: sem fluxo algum o índice da vizinhança é zero antes
// e depois de cada passo, e os amarelos livres, que se repetem e cabem o passo, ficam como estavam.
TEST_F(intervalos_repetidos, deslocamento_que_empata_o_indice_e_desfeito) {
    servicos_de_teste s;
    teste::esvaziar_rede(c.rede);
    c.rede.t_de_ciclo_imposto_dado = 90;
    via(c, "E", "", "A", 0, 10);
    const int a = cruzamento(c, "A", {"E"}, 0, true);
    ate_os_verdes(c);
    calcular_defasagens_iniciais(c);
    const int passo = passo_do_deslocamento(c.derivados.t_de_ciclo);
    ASSERT_EQ(passo, 3);
    const std::vector<int> antes = duracoes(c, a);
    ASSERT_EQ(antes, (std::vector<int>{23, 22, 23, 22}));
    otimizar_intervalos_repetidos(c);
    EXPECT_EQ(c.buscas.melhor_indice, 0.0f);
    EXPECT_EQ(duracoes(c, a), antes);
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
