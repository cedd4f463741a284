// Casos de borda do modelo de filas, em redes pequenas montadas à mão com valores exatos em
// binário (as contas dos testes são as do modelo, sem arredondamento escondido). Os perfis
// por segundo só são escritos pela execução final: os casos que os leem rodam a final.

#include <gtest/gtest.h>

#include "calculo/simulacao.h"
#include "comum/rede_de_simulacao.h"
#include "modelo/tabelas_de_calculo.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class simulacao_descarga : public teste::com_rede_propria {};
class simulacao_recebedor_cheio : public teste::com_rede_propria {};
class simulacao_saidas : public teste::com_rede_propria {};
class simulacao_corte : public teste::com_rede_propria {};
class simulacao_medicao : public teste::com_rede_propria {};
class simulacao_paradas : public teste::com_rede_propria {};
class simulacao_indices : public teste::com_rede_propria {};
class simulacao_defasagem : public teste::com_rede_propria {};
class simulacao_caminho : public teste::com_rede_propria {};
class simulacao_conservacao : public teste::com_rede_propria {};
class simulacao_perfis : public teste::com_rede_propria {};
class simulacao_falhas : public teste::com_rede_propria {};

using teste::dados_do_link;
using teste::montagem_da_rede;

// A execução da rede inteira (W = 8) termina no segundo t.
void terminar_em(contexto_da_rede& c, Long t) { c.derivados.periodo_de_simulacao = static_cast<Integer>(t - 8 * c.derivados.t_de_ciclo - 120); }

// Um nó de um intervalo só, com um grupo sempre verde (1) e um nunca verde (2).
struct no_simples {
    explicit no_simples(contexto_da_rede& c) : m(c) {}
    montagem_da_rede m;
    int n = m.no({10});
    int verde = m.grupo(n, {1});
    int vermelho = m.grupo(n, {});
};

TEST_F(simulacao_descarga, fila_menor_que_a_saturacao_sai_toda_e_maior_sai_s) {
    montagem_da_rede m(c);
    const int n = m.no({5, 5});  // instantes 1..5 vermelhos, 6..10 verdes
    const int g = m.grupo(n, {2});
    const int a = m.link({.destino = n, .grupo = g, .fluxo = 0.25f, .saturacao = 1.0f});
    const int b = m.link({.origem = n, .destino = n, .fluxo = 0.25f, .saturacao = 8.0f});
    m.fornece(a, b, 1.0f);
    m.fechar(10, 600);
    simular_rede_final(c);
    // Segundo 126 (instante 6): fila de 1,25 >= s, saem exatamente 1; no 127 a fila de 0,5 sai toda.
    EXPECT_EQ(c.simulacao.perfil_de_entrada(b, 126), 1.0f);
    EXPECT_EQ(c.simulacao.perfil_de_entrada(b, 127), 0.5f);
    EXPECT_EQ(c.simulacao.perfil_de_entrada(b, 128), 0.25f);
    // Ciclo seguinte, já em regime: 1,5 no começo do verde, depois 0,75 de uma vez.
    EXPECT_EQ(c.simulacao.perfil_de_entrada(b, 136), 1.0f);
    EXPECT_EQ(c.simulacao.perfil_de_entrada(b, 137), 0.75f);
}

// A (sempre verde, entrada de 0,5 veh/s, s = 1) fornece a B (nunca verde, capacidade útil 1)
// e a D (saída); A é processado por último.
struct recebedor_que_enche : no_simples {
    using no_simples::no_simples;
    int b = m.link({.origem = n, .destino = n, .grupo = vermelho, .capacidade = 2, .capacidade_util = 1.0f});
    int d = m.link({.origem = n, .destino = n, .grupo = verde, .saturacao = 8.0f});
    int a = m.link({.destino = n, .grupo = verde, .fluxo = 0.5f, .saturacao = 1.0f});
};

TEST_F(simulacao_recebedor_cheio, guarda_a_sua_parte_na_fila) {
    {
        recebedor_que_enche r(c);
        r.m.fornece(r.a, r.b, 0.5f);
        r.m.fornece(r.a, r.d, 0.5f);
        r.m.fechar(10, 600);
        terminar_em(c, 127);
        simular_rede_final(c);
        // B recebe 0,25 por segundo de 122 a 125 e fica com exatamente 1: cheio (o teste é estrito).
        EXPECT_EQ(c.simulacao.perfil_de_entrada(r.b, 125), 0.25f);
        EXPECT_EQ(c.simulacao.perfil_de_entrada(r.b, 126), 0.0f);
        EXPECT_FALSE(c.simulacao.caixa_com_espaco(r.b));
        EXPECT_EQ(c.simulacao.ocupacao_da_caixa(r.b), 1.0f);
        // A partir daí a metade de B fica na fila de A: 0,5 − 0,25 + 0,5 = 0,75; depois
        // 0,75 − 0,375 + 0,5 = 0,875.
        EXPECT_EQ(c.simulacao.perfil_de_entrada(r.d, 126), 0.25f);
        EXPECT_EQ(c.simulacao.perfil_de_entrada(r.d, 127), 0.375f);
        EXPECT_EQ(c.simulacao.fila(r.a), 0.875f);
        EXPECT_EQ(c.simulacao.vazao_possivel, 0.75f);
        EXPECT_EQ(c.simulacao.vazao_bloqueada, 0.375f);
        EXPECT_EQ(c.simulacao.bloqueado_no_recebedor, 0.0f);  // o último recebedor (D) tinha espaço
    }
    {
        // Com B como único recebedor, a descarga inteira fica: a fila só cresce com as chegadas.
        recebedor_que_enche r(c);
        r.m.fornece(r.a, r.b, 1.0f);
        r.m.fechar(10, 600);
        terminar_em(c, 124);
        simular_rede(c);
        EXPECT_EQ(c.simulacao.ocupacao_da_caixa(r.b), 1.0f);  // 0,5 em 122 e 0,5 em 123
        EXPECT_EQ(c.simulacao.fila(r.a), 1.0f);               // em 124: 0,5 bloqueado + 0,5 chegando
        terminar_em(c, 125);
        simular_rede(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 1.5f);
        EXPECT_EQ(c.simulacao.bloqueado_no_recebedor, 1.0f);
    }
}

TEST_F(simulacao_saidas, fracoes_abaixo_de_um_e_link_de_saida_perdem_veiculos) {
    no_simples r(c);
    const int a = r.m.link({.destino = r.n, .grupo = r.verde, .fluxo = 0.5f, .saturacao = 1.0f});
    const int b = r.m.link({.origem = r.n, .destino = r.n, .grupo = r.verde, .saturacao = 8.0f});
    r.m.fornece(a, b, 0.7f);
    r.m.fechar(10, 600);
    for (Long fim = 122; fim <= 140; fim += 6) {
        terminar_em(c, fim);
        simular_rede_final(c);
        // A descarrega 0,5 por segundo e B recebe 70 %; B, de saída, descarrega tudo o que tem.
        EXPECT_EQ(c.simulacao.fila(a), 0.5f);
        EXPECT_EQ(c.simulacao.perfil_de_entrada(b, fim), 0.5f * 0.7f);
        EXPECT_EQ(c.simulacao.fila(b), 0.5f * 0.7f);
    }
}

// Link de entrada sempre vermelho, C = 90, verde de 40 s e q = 0,5 veh/s: no segundo de corte
// a fila passa a no máximo (90 − 40) · 0,5 = 25.
struct entrada_no_corte : no_simples {
    int a = m.link({.destino = n, .grupo = vermelho});
    entrada_no_corte(contexto_da_rede& c, Single chegada_por_segundo) : no_simples(c) {
        m.fechar(90, 540);
        c.derivados.t_de_verde_do_link(a) = 40;
        c.copias.fluxo_por_segundo(a) = 0.5f;
        c.derivados.entrada_externa_por_segundo(a) = chegada_por_segundo;
        terminar_em(c, 8 * 90 + 121);
    }
};

TEST_F(simulacao_corte, limita_a_fila_das_entradas_no_segundo_de_corte) {
    {
        entrada_no_corte r(c, 0.0625f);  // 720 segundos de chegadas: 45
        simular_rede(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 25.0f + 0.0625f);
        // O teste de entrada da rede final é o do nome de origem entrado.
        c.rede.nome_do_no_origem_dado(r.a) = "N1";
        simular_rede_final(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 45.0f + 0.0625f);
        // Nos subconjuntos, é a entrada da variante (aqui 0): não limita.
        c.buscas.quant_de_nos_do_caminho = 1;
        c.buscas.nos_do_caminho_principal(1) = static_cast<Byte>(r.n);
        c.buscas.quant_de_links_do_caminho = 1;
        c.buscas.links_do_caminho(1) = static_cast<Integer>(r.a);
        c.buscas.capacidade_no_caminho(r.a) = 32000;
        simular_caminho(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 0.0f);
        c.buscas.fluxo_externo_do_caminho(r.a) = 0.0625f;
        simular_caminho(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 25.0f + 0.0625f);
    }
    {
        entrada_no_corte r(c, 0.03125f);  // 22,5: fica
        simular_rede(c);
        EXPECT_EQ(c.simulacao.fila(r.a), 22.5f + 0.03125f);
    }
}

TEST_F(simulacao_medicao, conta_os_p_menos_1_segundos_depois_do_corte) {
    no_simples r(c);
    const int a = r.m.link({.destino = r.n, .grupo = r.vermelho, .fluxo = 1.0f});
    r.m.fechar(60, 600);
    simular_rede(c);
    // Vermelho: cada veículo que chega para. 599 segundos medidos, não 600.
    EXPECT_EQ(c.simulacao.paradas(a), 599.0f);
    EXPECT_EQ(c.simulacao.paradas_no_segundo(a), 1.0f);
}

// Vermelho nos instantes 1..5 e verde nos 6..10 (ou o contrário); s grande esvazia a fila
// a cada verde. A execução termina no instante 10 e mede a partir do instante 2.
struct paradas_no_vermelho {
    montagem_da_rede m;
    int n = m.no({5, 5});
    int a;
    paradas_no_vermelho(contexto_da_rede& c, int intervalo_verde) : m(c) {
        a = m.link({.destino = n, .grupo = m.grupo(n, {intervalo_verde}), .fluxo = 1.25f, .saturacao = 100.0f});
        m.fechar(10, 10);
    }
};

TEST_F(simulacao_paradas, inicio_do_vermelho_passa_de_uma_execucao_para_a_outra) {
    {
        paradas_no_vermelho r(c, 2);
        simular_rede(c);
        EXPECT_EQ(c.simulacao.paradas(r.a), 4 * 1.25f);  // chegadas nos instantes 2..5, vermelhos
        EXPECT_TRUE(c.simulacao.verde_antes(r.a));
        // A próxima começa vermelha depois de uma que terminou verde: CLng(2,5) = 2 (para o par).
        simular_rede(c);
        EXPECT_EQ(c.simulacao.paradas(r.a), 4 * 1.25f + 2);
    }
    {
        paradas_no_vermelho r(c, 1);
        simular_rede(c);
        const Single primeira = c.simulacao.paradas(r.a);
        EXPECT_FALSE(c.simulacao.verde_antes(r.a));
        simular_rede(c);
        EXPECT_EQ(c.simulacao.paradas(r.a), primeira);
    }
}

TEST_F(simulacao_paradas, no_verde_so_para_quem_chega_acima_de_tres_s) {
    // s = 0,5 e chegadas de 0,25: no primeiro segundo de verde, depois de 6 s de vermelho a fila
    // é 1,25 e 1,25 + 0,25 não passa de 1,5; depois de 7 s é 1,5 e 1,75 passa.
    for (const auto& [vermelho, esperado] : {std::pair{6, 0.0f}, std::pair{7, 0.25f}}) {
        montagem_da_rede m(c);
        const Integer C = static_cast<Integer>(vermelho + 10);
        const int n = m.no({static_cast<Integer>(vermelho), 10});
        const int a = m.link({.destino = n, .grupo = m.grupo(n, {2}), .fluxo = 0.25f, .saturacao = 0.5f});
        m.fechar(C, C);
        // A execução termina em 9·C + 120: com esta defasagem, no primeiro instante verde.
        c.buscas.defasagem_tentativa(n) = static_cast<Integer>(((120 - (vermelho + 1)) % C + C) % C);
        simular_rede(c);
        EXPECT_EQ(c.simulacao.paradas_no_segundo(a), esperado) << vermelho;
    }
}

TEST_F(simulacao_indices, entradas_contam_pela_metade_so_na_rede) {
    montagem_da_rede m(c);
    const int n = m.no({10, 10});
    const int e = m.link({.destino = n, .grupo = m.grupo(n, {1}), .fluxo = 0.25f});
    const int i = m.link({.origem = n, .destino = n, .grupo = m.grupo(n, {2}), .fluxo = 0.25f, .saturacao = 0.125f});
    m.fornece(e, i, 1.0f);
    m.fechar(20, 100);
    auto custo = [this](int l) { return Single(30) * c.simulacao.paradas(l) + c.simulacao.atraso(l); };

    simular_rede(c);
    EXPECT_GT(custo(e), 0.0f);
    EXPECT_GT(custo(i), 0.0f);
    EXPECT_EQ(c.buscas.indice_de_desempenho, Single(double(custo(e)) * 0.5) + custo(i));

    c.buscas.candidato_corrente = 4;
    c.buscas.quant_de_nos_da_vizinhanca(4) = 1;
    c.buscas.no_da_vizinhanca(1) = static_cast<Byte>(n);
    c.buscas.quant_de_links_da_vizinhanca(4) = 2;
    c.buscas.links_da_vizinhanca(4, 1) = static_cast<Byte>(e);
    c.buscas.links_da_vizinhanca(4, 2) = static_cast<Byte>(i);
    EXPECT_EQ(c.derivados.no_origem(e), 0);
    c.buscas.fluxo_externo_da_vizinhanca(4, e) = 0.25f;
    c.buscas.capacidade_na_vizinhanca(4, i) = 32000;
    c.buscas.periodo_local = 100;
    simular_vizinhanca(c);
    EXPECT_EQ(c.buscas.indice_da_vizinhanca, custo(e) + custo(i));
}

TEST_F(simulacao_defasagem, maior_que_o_segundo_cai_no_mesmo_instante_do_ciclo) {
    teste::montagem_da_rede m(c);
    teste::gerar_rede(m, 5, 4, 12, 60, 120);
    for (int n = 1; n <= 4; ++n) c.buscas.defasagem_tentativa(n) = static_cast<Integer>(13 * n);
    simular_rede(c);
    const Single antes = c.buscas.indice_de_desempenho;
    const auto instantes = c.simulacao.instante_no_ciclo;
    // 10 ciclos a mais: t − defasagem é negativo nos primeiros segundos.
    for (int n = 1; n <= 4; ++n) c.buscas.defasagem_tentativa(n) = static_cast<Integer>(13 * n + 600);
    c.simulacao.verde_antes.preencher(false);
    simular_rede(c);
    const Single com_defasagem_grande = c.buscas.indice_de_desempenho;
    c.simulacao.verde_antes.preencher(false);
    for (int n = 1; n <= 4; ++n) c.buscas.defasagem_tentativa(n) = static_cast<Integer>(13 * n);
    simular_rede(c);
    EXPECT_EQ(c.buscas.indice_de_desempenho, com_defasagem_grande);
    EXPECT_EQ(c.buscas.indice_de_desempenho, antes);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(c.simulacao.instante_no_ciclo(n), instantes(n));
        EXPECT_GE(c.simulacao.instante_no_ciclo(n), 1);
        EXPECT_LE(c.simulacao.instante_no_ciclo(n), 60);
    }
}

TEST_F(simulacao_caminho, recebedor_fora_do_caminho_perde_a_parte_sem_bloquear) {
    recebedor_que_enche r(c);
    r.m.fornece(r.a, r.b, 0.5f);
    r.m.fornece(r.a, r.d, 0.5f);
    r.m.fechar(10, 600);
    c.buscas.quant_de_nos_do_caminho = 1;
    c.buscas.nos_do_caminho_principal(1) = static_cast<Byte>(r.n);
    c.buscas.quant_de_links_do_caminho = 2;
    c.buscas.links_do_caminho(1) = static_cast<Integer>(r.d);
    c.buscas.links_do_caminho(2) = static_cast<Integer>(r.a);
    c.buscas.fluxo_externo_do_caminho(r.a) = 0.5f;
    c.buscas.capacidade_no_caminho(r.d) = 32000;
    terminar_em(c, 129);
    simular_caminho(c);
    const Single ocupacao_de_d = c.simulacao.ocupacao_da_caixa(r.d);
    terminar_em(c, 130);
    simular_caminho(c);
    // B (cheio na rede inteira) está fora do caminho: A descarrega tudo, e D recebe a metade.
    EXPECT_EQ(c.simulacao.fila(r.a), 0.5f);
    EXPECT_EQ(c.simulacao.ocupacao_da_caixa(r.d) - ocupacao_de_d, 0.25f);
    EXPECT_EQ(c.simulacao.vazao_bloqueada, 0.0f);
}

// Cadeia A (entrada) → B (caixa pequena, verde curto: represa A) → D (saída). No fim de cada
// segundo, tudo o que entrou está na fila de A, na fila de B, a caminho da linha de B ou de D,
// ou já chegou à linha de D. No segundo de corte a fila de A perde exatamente o que passa do
// limite, e essa diferença fica daí em diante.
TEST_F(simulacao_conservacao, represamento_numa_cadeia_nao_cria_nem_perde_veiculos) {
    montagem_da_rede m(c);
    const int n = m.no({10, 10});
    const int g_a = m.grupo(n, {1});
    const int g_b = m.grupo(n, {2});
    const int g_d = m.grupo(n, {1, 2});
    const int a = m.link({.destino = n, .grupo = g_a, .fluxo = 0.5f, .saturacao = 1.0f});
    const int b = m.link({.origem = n, .destino = n, .grupo = g_b, .saturacao = 0.25f, .percurso = 3, .capacidade = 5, .capacidade_util = 4});
    const int d = m.link({.origem = n, .destino = n, .grupo = g_d, .saturacao = 2.0f, .percurso = 2});
    m.fornece(a, b, 1.0f);
    m.fornece(b, d, 1.0f);
    m.fechar(20, 60);
    const Long corte = 8 * 20 + 121;
    auto a_caminho = [this](int l, Long t) {
        double v = 0;
        for (Long s = t - c.copias.t_de_percurso(l) + 1; s <= t; ++s) v += c.simulacao.perfil_de_entrada(l, s);
        return v;
    };
    double excesso = 0;
    double fila_de_a_antes = 0;
    for (Long t = 121; t <= corte + 40; ++t) {
        terminar_em(c, t);
        simular_rede_final(c);
        double entrou = 0, chegou_em_d = 0;
        for (Long s = 121; s <= t; ++s) {
            entrou += c.simulacao.perfil_de_chegada(a, s);
            chegou_em_d += c.simulacao.perfil_de_chegada(d, s);
        }
        const double dentro = double(c.simulacao.fila(a)) + c.simulacao.fila(b) + a_caminho(b, t) + a_caminho(d, t) + chegou_em_d;
        if (t == corte) {
            // A fila de A antes do corte: a do fim do segundo anterior menos o que A mandou a B.
            excesso = fila_de_a_antes - c.simulacao.perfil_de_entrada(b, t) - (20 - c.derivados.t_de_verde_do_link(a)) * 0.5;
            ASSERT_GT(excesso, 1.0);
        }
        EXPECT_NEAR(entrou - dentro, t < corte ? 0.0 : excesso, 1e-3) << "segundo " << t;
        fila_de_a_antes = c.simulacao.fila(a);
    }
}

// As execuções das buscas não tocam os perfis por segundo; a final os escreve.
TEST_F(simulacao_perfis, so_a_execucao_final_escreve_os_perfis) {
    teste::montagem_da_rede m(c);
    teste::gerar_rede(m, 21, 6, 20, 60, 120);
    for (int l = 0; l <= c.rede.max_indice_link; ++l)
        for (Long t = 0; t <= c.simulacao.perfil_de_entrada.limite2(); ++t) c.simulacao.perfil_de_entrada(l, t) = c.simulacao.perfil_de_chegada(l, t) = 7.0f;
    const auto entrada = c.simulacao.perfil_de_entrada;
    const auto chegada = c.simulacao.perfil_de_chegada;
    simular_rede(c);
    for (int l = 0; l <= c.rede.max_indice_link; ++l)
        for (Long t = 0; t <= c.simulacao.perfil_de_entrada.limite2(); ++t) {
            ASSERT_EQ(c.simulacao.perfil_de_entrada(l, t), entrada(l, t)) << l << " " << t;
            ASSERT_EQ(c.simulacao.perfil_de_chegada(l, t), chegada(l, t)) << l << " " << t;
        }
    simular_rede_final(c);
    int link = 1;
    while (!c.rede.existe_link(link)) ++link;
    EXPECT_NE(c.simulacao.perfil_de_chegada(link, 8 * 60 + 120 + 120), 7.0f);
}

TEST_F(simulacao_falhas, sao_relatadas_uma_vez_e_nao_escrevem_o_resultado) {
    servicos_de_teste s;
    teste::montagem_da_rede m(c);
    teste::gerar_rede(m, 9, 3, 8, 60, 120);
    c.buscas.indice_de_desempenho = 123;
    c.derivados.inicio_do_intervalo(2, c.derivados.quant_de_intervalos_depois(2) + 1) = 40;  // 40..60 sem intervalo
    simular_rede(c);
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 130");
    EXPECT_EQ(c.buscas.indice_de_desempenho, 123.0f);

    // Ciclo 0: a divisão do instante falha.
    c.derivados.t_de_ciclo = 0;
    c.derivados.periodo_de_simulacao = 10;
    simular_rede_final(c);
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[1].titulo, "Erro 153");
}

}  // namespace
}  // namespace orvel
