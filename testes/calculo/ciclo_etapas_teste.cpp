// Os exemplos de cada etapa do ciclo e dos verdes, com as tabelas preenchidas direto.
#include <gtest/gtest.h>

#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"
#include "rede_de_teste_do_ciclo.h"

namespace orvel {
namespace {

// Cada teste monta a sua rede no seu próprio contexto (c).
class ciclo_minimo_dos_nos_exemplos : public teste::com_rede_propria {};
class escolher_tempo_de_ciclo_exemplos : public teste::com_rede_propria {};
class distribuir_tempos_de_verde_exemplos : public teste::com_rede_propria {};
class atender_verdes_de_seguranca_exemplos : public teste::com_rede_propria {};

using namespace teste_ciclo;
using v = std::vector<int>;

// Um nó pronto para as etapas: grupos por letras (V verde), durações (as impostas marcadas
// com "I" em `impostas`), o y e o verde de segurança de cada grupo (o link do grupo g do nó n
// é o 10n + g) e os grupos críticos.
void no_pronto(contexto_da_rede& c, int n, std::vector<std::string> diagrama, v duracoes, std::string impostas = "", std::vector<float> ys = {},
               v seguranca = {}, std::string criticos = "") {
    const int q = int(duracoes.size());
    c.copias.quant_de_grupos(n) = Byte(diagrama.size());
    c.copias.quant_de_intervalos_antes(n) = c.derivados.quant_de_intervalos_depois(n) = Byte(q);
    for (int k = 1; k <= q; ++k) {
        c.derivados.duracao_do_intervalo(n, k) = Integer(duracoes[k - 1]);
        c.derivados.duracao_eh_imposta(n, k) = k <= int(impostas.size()) && impostas[k - 1] == 'I';
        if (c.derivados.duracao_eh_imposta(n, k)) c.copias.duracao_imposta(n, k) = Integer(duracoes[k - 1]);
    }
    for (int g = 1; g <= int(diagrama.size()); ++g) {
        for (int k = 1; k <= q; ++k) {
            c.derivados.grupo_verde_no_intervalo(n, g, k) = diagrama[g - 1][k - 1] == 'V';
            c.copias.cor_do_intervalo_do_grupo(n, g, k) = c.derivados.grupo_verde_no_intervalo(n, g, k) ? cor_verde : cor_vermelho;
        }
        c.derivados.link_critico_do_grupo(n, g) = Byte(10 * n + g);
        c.derivados.y(10 * n + g) = g <= int(ys.size()) ? ys[g - 1] : 0.0f;
        c.derivados.verde_de_seguranca_do_grupo(n, g) = Integer(g <= int(seguranca.size()) ? seguranca[g - 1] : 0);
        c.derivados.grupo_eh_critico(n, g) = g <= int(criticos.size()) && criticos[g - 1] == 'C';
        if (c.derivados.grupo_eh_critico(n, g)) c.derivados.quant_de_grupos_criticos(n) = Byte(c.derivados.quant_de_grupos_criticos(n) + 1);
    }
}

// Só o que a escolha do ciclo lê de um nó.
void no_com_conjunto_critico(contexto_da_rede& c, int n, float y_no, int perdido, std::vector<float> ys, v seguranca = {}, int ciclo_de_seguranca = 0) {
    no_pronto(c, n, std::vector<std::string>(ys.size(), "VR"), {0, 3}, ".I", ys, seguranca, std::string(ys.size(), 'C'));
    c.derivados.y_critico_do_no(n) = y_no;
    c.derivados.tempo_perdido_do_no(n) = Integer(perdido);
    c.derivados.t_de_ciclo_de_seguranca_do_no(n) = Integer(ciclo_de_seguranca);
}

// Distribui os verdes do nó 1 com o y crítico, o tempo perdido e o ciclo calculado dados.
void distribuir_no_no_1(contexto_da_rede& c, float y_critico, int perdido, int calculado) {
    c.derivados.y_critico_do_no(1) = y_critico;
    c.derivados.tempo_perdido_do_no(1) = Integer(perdido);
    c.derivados.t_de_ciclo_calculado = Integer(calculado);
    distribuir_tempos_de_verde(c);
}

TEST_F(ciclo_minimo_dos_nos_exemplos, conjuntos_tempo_perdido_e_ciclo) {
    servicos_de_teste s;
    // Grupos 1 (y 0,3) e 2 (y 0,4) em conflito, três intervalos vermelhos, um imposto de 4 s:
    // L = 4 + 1 + 1 = 6 e C = 6 / 0,3 = 20. O grupo 3 verde junto com o 2: {1,3} empata com
    // 20 (fica o primeiro conjunto) quando y3 = 0,4 e ganha com 6 / 0,29 -> 21 quando y3 = 0,41.
    // Com y 0,6 e 0,6, Y = 1,2 vale 0,99 (C = 600): sem esse teto não haveria conjunto crítico.
    struct caso { float a, b, c; int critico; float y_no; };
    for (const caso& k : {caso{540, 720, 720, 2, 0.7f}, caso{540, 720, 738, 3, 0.71f}, caso{1080, 1080, 0, 2, 0.99f}}) {
        montar_rede(c, {{"N1", {"VRRRR", "RRVRR", "RRVRR"}, {0, 4, 0, 0, 0}, {{"A"}, {"B"}, {"C"}}}},
                    {{"A", "N1", k.a, 1800, 5}, {"B", "N1", k.b, 1800, 9}, {"C", "N1", k.c, 1800, 0}});
        preparar_para_o_ciclo(c);
        calcular_ciclo_minimo_dos_nos(c);
        EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 6);
        EXPECT_FLOAT_EQ(c.derivados.y_critico_do_no(1), k.y_no);
        EXPECT_EQ(c.derivados.quant_de_grupos_criticos(1), 2);
        EXPECT_TRUE(c.derivados.grupo_eh_critico(1, k.critico));
        EXPECT_FALSE(c.derivados.grupo_eh_critico(1, 5 - k.critico));
        // Ciclo de segurança: o maior de 6 + (5 + 2) + (9 + 2) = 24 e 6 + 7 + 2 = 15.
        EXPECT_EQ(c.derivados.t_de_ciclo_de_seguranca_do_no(1), 24);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(ciclo_minimo_dos_nos_exemplos, um_grupo_grupos_juntos_periodos_e_oito_grupos) {
    servicos_de_teste s;
    // Nó 1: um grupo só, verde nos intervalos 4 e 1 (uma sequência que dá a volta): L = 2.
    // Nó 2: dois grupos verdes juntos no intervalo 2: nenhum conjunto.
    // Nó 3: grupo 1 verde nos intervalos 1 e 3 de quatro: dois períodos, (5 + 2) * 2 = 14.
    // Nó 4: oito grupos em conflito dois a dois formam 210 conjuntos; o de cinco grupos tem o
    // maior ciclo de segurança, 3 + 5 * 2 = 13.
    std::vector<std::string> oito;
    for (int g = 0; g < 8; ++g) oito.push_back(std::string(g, 'R') + "V" + std::string(7 - g, 'R'));
    montar_rede(c, {{"N1", {"VRRV"}}, {"N2", {"VVR", "RVV"}, {}, {{"B"}}}, {"N3", {"VRVR", "RVRR"}, {}, {{"C"}}}, {"N4", oito}},
                {{"B", "N2", 900, 1800, 30}, {"C", "N3", 900, 1800, 5}});
    preparar_para_o_ciclo(c);
    calcular_ciclo_minimo_dos_nos(c);
    EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 2);
    EXPECT_EQ(c.derivados.quant_de_periodos_de_verde_do_grupo(1, 1), 1);
    EXPECT_EQ(c.derivados.quant_de_grupos_criticos(2), 0);
    EXPECT_EQ(c.derivados.t_de_ciclo_de_seguranca_do_no(2), 0);
    EXPECT_EQ(c.derivados.quant_de_periodos_de_verde_do_grupo(3, 1), 2);
    EXPECT_EQ(c.derivados.t_de_ciclo_de_seguranca_do_no(3), 1 + 14 + 2);
    EXPECT_EQ(c.derivados.quant_de_grupos_criticos(4), 2);
    EXPECT_EQ(c.derivados.t_de_ciclo_de_seguranca_do_no(4), 13);
    EXPECT_EQ(c.derivados.t_de_ciclo_minimo_de_seguranca, 17);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(escolher_tempo_de_ciclo_exemplos, ciclo_do_no_elevacao_e_registro_de_antes) {
    servicos_de_teste s;
    // Yn 0,66 e meta 0,88: X = 0,75, Cn = 12 / 0,25 = 48. Com verde de segurança 20 o grupo
    // (0,33 / 0,66) * 38 = 19 eleva o ciclo a 2 * 20 + 12 = 52; o ciclo de antes (48) decide o
    // ciclo duplo: 48 < 97 / 2, 52 não.
    for (int seguranca : {0, 20}) {
        comecar(c, 1);
        no_com_conjunto_critico(c, 1, 0.66f, 10, {0.33f, 0.33f}, {seguranca});
        escolher_tempo_de_ciclo(c);
        EXPECT_FLOAT_EQ(c.derivados.grau_de_saturacao_do_no(1), 0.75f);
        EXPECT_EQ(c.derivados.t_de_ciclo_calculado, seguranca ? 52 : 48);
        comecar(c, 1);
        no_com_conjunto_critico(c, 1, 0.66f, 10, {0.33f, 0.33f}, {seguranca});
        c.copias.eh_ciclo_duplo_permitido(1) = true;
        c.copias.t_de_ciclo_imposto = 97;
        escolher_tempo_de_ciclo(c);
        EXPECT_TRUE(c.derivados.eh_ciclo_duplo(1));
    }
    EXPECT_EQ(s.eventos_processados, 4);  // a sondagem no fim
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(escolher_tempo_de_ciclo_exemplos, grau_de_saturacao_do_no_para_em_0_99) {
    servicos_de_teste s;
    // Yn / meta acima de 0,99 fica em 0,99 (0,9 / 0,88 = 1,023); logo abaixo fica como é
    // (0,87 / 0,88 = 0,9886).
    comecar(c, 1);
    no_com_conjunto_critico(c, 1, 0.9f, 10, {0.45f, 0.45f});
    escolher_tempo_de_ciclo(c);
    EXPECT_EQ(c.derivados.grau_de_saturacao_do_no(1), Single(0.99));
    comecar(c, 1);
    no_com_conjunto_critico(c, 1, 0.87f, 10, {0.435f, 0.435f});
    escolher_tempo_de_ciclo(c);
    EXPECT_EQ(c.derivados.grau_de_saturacao_do_no(1), 0.87f / 0.88f);
    EXPECT_LT(c.derivados.grau_de_saturacao_do_no(1), Single(0.99));
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(escolher_tempo_de_ciclo_exemplos, ciclo_duplo) {
    servicos_de_teste s;
    // Cn = 15 / 0,5 = 30 em todos; ciclo imposto 90. Nó 1 (segurança 40): 30 < 45 e 86 < 90,
    // dobra. Nó 2 (segurança 42): 90 não é menor que 90. Nó 3, demandado: 30 não é menor que
    // 90 / 3. Nó 4 não pode dobrar.
    comecar(c, 4);
    const int seguranca[] = {0, 40, 42, 0, 0};
    for (int n = 1; n <= 4; ++n) {
        no_com_conjunto_critico(c, n, 0.44f, 13, {0.22f, 0.22f}, {}, seguranca[n]);
        c.copias.eh_ciclo_duplo_permitido(n) = n != 4;
        c.derivados.quant_de_periodos_de_verde_do_grupo(n, 1) = 1;
    }
    c.copias.eh_no_demandado(3) = true;
    c.rede.existe_link(5) = true;
    c.rede.max_indice_link = 5;
    c.derivados.no_destino(5) = 1;
    c.derivados.link_verde_no_intervalo(5, 1) = true;
    c.copias.t_de_ciclo_imposto = 90;
    escolher_tempo_de_ciclo(c);
    EXPECT_TRUE(c.derivados.eh_ciclo_duplo(1));
    EXPECT_EQ(c.derivados.quant_de_intervalos_depois(1), 4);
    EXPECT_EQ(c.derivados.tempo_perdido_do_no(1), 26);
    EXPECT_EQ(c.derivados.quant_de_periodos_de_verde_do_grupo(1, 1), 2);
    EXPECT_EQ(c.derivados.duracao_do_intervalo(1, 4), 3);
    EXPECT_TRUE(c.derivados.duracao_eh_imposta(1, 4));
    EXPECT_TRUE(c.derivados.grupo_verde_no_intervalo(1, 2, 3));
    EXPECT_EQ(c.copias.cor_do_intervalo_do_grupo(1, 1, 3), cor_verde);
    EXPECT_TRUE(c.derivados.link_verde_no_intervalo(5, 3));
    for (int n = 2; n <= 4; ++n) {
        EXPECT_FALSE(c.derivados.eh_ciclo_duplo(n));
        EXPECT_EQ(c.derivados.quant_de_intervalos_depois(n), 2);
    }
}

TEST_F(escolher_tempo_de_ciclo_exemplos, metade_do_ciclo_exata_e_ciclo_de_antes_zero) {
    servicos_de_teste s;
    // Cn = 15 / 0,5 = 30: com C = 61, 30 < 30,5 e o nó dobra; com C = 60, 30 não é menor que
    // 30 e não dobra (a metade não é arredondada nem truncada).
    for (int ciclo : {61, 60}) {
        comecar(c, 1);
        no_com_conjunto_critico(c, 1, 0.44f, 13, {0.22f, 0.22f});
        c.copias.eh_ciclo_duplo_permitido(1) = true;
        c.copias.t_de_ciclo_imposto = Integer(ciclo);
        escolher_tempo_de_ciclo(c);
        EXPECT_EQ(c.derivados.eh_ciclo_duplo(1), ciclo == 61) << ciclo;
        EXPECT_EQ(c.derivados.quant_de_intervalos_depois(1), ciclo == 61 ? 4 : 2) << ciclo;
    }

    // Nó demandado cujo tempo não usado (12 s) iguala L + k: Cn = 0. Um ciclo de 0 s não tem
    // acionamentos por ciclo, a demanda fica como está e nada falha; o verde do grupo 1 fica
    // abaixo do de segurança, o ciclo sobe a 2 * 5 + 12 = 22 e o ciclo de antes, 0, não conta
    // para o ciclo duplo: o nó não dobra, por curto que seja diante de 97.
    comecar(c, 1);
    no_com_conjunto_critico(c, 1, 0.66f, 10, {0.33f, 0.33f}, {5, 5});
    c.copias.eh_no_demandado(1) = true;
    c.copias.n_acionamentos(1) = 60;
    c.copias.intervalo_demandado(1) = 2;
    c.derivados.tempo_nao_usado_da_demanda(1) = 12;
    c.copias.eh_ciclo_duplo_permitido(1) = true;
    c.copias.t_de_ciclo_imposto = 97;
    escolher_tempo_de_ciclo(c);
    EXPECT_EQ(c.derivados.probabilidade_de_demanda(1), 0.0f);
    EXPECT_EQ(c.derivados.tempo_nao_usado_da_demanda(1), 12);
    EXPECT_EQ(c.derivados.t_de_ciclo_calculado, 97);
    EXPECT_FALSE(c.derivados.eh_ciclo_duplo(1));
    EXPECT_EQ(c.derivados.quant_de_intervalos_depois(1), 2);
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(escolher_tempo_de_ciclo_exemplos, media_da_rede_e_limites) {
    servicos_de_teste s;
    struct caso { float y2; int perdido2, minimo, imposto; int esperado; };
    // Nó 1: Cn = 30 (Y 0,44); nó 2: Y 0,22, Cn = 21 / 0,75 = 28: média (13,2 + 6,16) / 0,66
    // = 29,3 -> 29. Ciclo de segurança 60: 65. Imposto 90: 90. Y 0,94992 no limite 0,95: o
    // ciclo limite passa de 32767 e o máximo (120) o limita. Sem Y em nó algum: só os limites.
    for (const caso& k : {caso{0.22f, 19, 0, 0, 29}, caso{0.22f, 19, 60, 0, 65}, caso{0.22f, 19, 0, 90, 90},
                          caso{0.94992f, 20, 0, 0, 120}, caso{0, 0, 30, 0, 35}}) {
        comecar(c, 2);
        no_com_conjunto_critico(c, 1, k.y2 == 0 ? 0.0f : 0.44f, k.y2 == 0 ? 0 : 13, {0.22f, 0.22f});
        no_com_conjunto_critico(c, 2, k.y2, k.perdido2, {k.y2 / 2, k.y2 / 2});
        c.derivados.t_de_ciclo_minimo_de_seguranca = Integer(k.minimo);
        c.copias.t_de_ciclo_imposto = Integer(k.imposto);
        escolher_tempo_de_ciclo(c);
        EXPECT_EQ(c.derivados.t_de_ciclo_calculado, k.esperado);
    }
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(distribuir_tempos_de_verde_exemplos, verdes_dos_grupos_criticos) {
    servicos_de_teste s;
    // C' = 60, L = 10, y 0,3 e 0,2: 30 s e 20 s; também num nó demandado cujo intervalo
    // beneficiado não tem grupo crítico verde (a fórmula comum).
    for (bool demandado : {false, true}) {
        comecar(c, 1);
        no_pronto(c, 1, {"VRRR", "RRVR"}, {0, 5, 0, 5}, ".I.I", {0.3f, 0.2f}, {}, "CC");
        c.copias.eh_no_demandado(1) = demandado;
        c.copias.intervalo_beneficiado(1) = 2;
        c.copias.intervalo_demandado(1) = 4;
        distribuir_no_no_1(c, 0.5f, 10, 60);
        EXPECT_EQ(duracoes(c, 1), (v{30, 5, 20, 5}));
        EXPECT_EQ(c.derivados.t_de_ciclo, 60);
    }
    // Um grupo em dois intervalos livres: (G - S) / F = 2,5 dá 2 s e 3,5 dá 4 s.
    for (int ciclo : {15, 17}) {
        comecar(c, 1);
        no_pronto(c, 1, {"VRV"}, {0, 10, 0}, ".I.", {0.5f}, {}, "C");
        c.copias.t_de_ciclo_imposto = Integer(ciclo == 15 ? 14 : 18);
        distribuir_no_no_1(c, 0.5f, 10, ciclo);
        EXPECT_EQ(duracoes(c, 1), ciclo == 15 ? (v{2, 10, 2}) : (v{4, 10, 4}));
    }
    // Grupos sem fluxo (Y = 0): cada verde recebe o mínimo de 1 s e o nó é completado.
    comecar(c, 1);
    no_pronto(c, 1, {"VRRR", "RRVR"}, {0, 3, 0, 3}, ".I.I", {0, 0}, {}, "CC");
    distribuir_no_no_1(c, 0, 6, 30);
    EXPECT_EQ(c.derivados.t_de_ciclo, 10);
    EXPECT_EQ(duracoes(c, 1), (v{2, 3, 2, 3}));
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(distribuir_tempos_de_verde_exemplos, reparo_de_intervalo_vazio) {
    servicos_de_teste s;
    // O grupo crítico 1 é verde em 1, 2 (imposto) e 3: 30 - 4 = 26 s em 13 + 13. O intervalo 4
    // ficou com 0 s, então os 26 s vão para 1 e 3 na proporção dos grupos não críticos que
    // abrem neles (y 0,1 e 0,4): 5,2 -> 5 e 20,8 -> 21.
    comecar(c, 1);
    no_pronto(c, 1, {"VVVRR", "RRRRV", "VRRRR", "RRVRR"}, {0, 4, 0, 0, 0}, ".I", {0.3f, 0.2f, 0.1f, 0.4f}, {}, "CC");
    distribuir_no_no_1(c, 0.5f, 10, 60);
    EXPECT_EQ(duracoes(c, 1), (v{5, 4, 21, 0, 20}));
    EXPECT_EQ(c.derivados.t_de_ciclo, 50);

    // Na volta (k = n - 1) o intervalo k + 2 é a cópia n + 1, onde só os grupos críticos
    // foram copiados: o não crítico verde no intervalo 1 não conta, y2 = 0 e os 26 s de 4 e da
    // cópia se repartem meio a meio; o intervalo 1 fica com os seus 13 s.
    comecar(c, 1);
    no_pronto(c, 1, {"VRRVV", "RVRRR", "RRRVR", "VRRRR"}, {0, 0, 0, 0, 4}, "....I", {0.3f, 0.2f, 0.3f, 0.1f}, {}, "CC");
    distribuir_no_no_1(c, 0.5f, 10, 60);
    EXPECT_EQ(duracoes(c, 1), (v{13, 20, 0, 13, 4}));
    EXPECT_EQ(c.derivados.t_de_ciclo, 50);

    // O último intervalo imposto conta como imposto: verde em 2 (livre), 3 e 4 (impostos), o
    // k + 2 = 4 é imposto e nada se reparte; o intervalo 1, sem verde crítico, fica com 0 s.
    comecar(c, 1);
    no_pronto(c, 1, {"RVVV", "VRRR"}, {0, 0, 4, 5}, "..II", {0.3f, 0.1f}, {}, "C");
    distribuir_no_no_1(c, 0.3f, 10, 60);
    EXPECT_EQ(duracoes(c, 1), (v{0, 41, 4, 5}));
    EXPECT_EQ(c.derivados.t_de_ciclo, 50);
}

TEST_F(distribuir_tempos_de_verde_exemplos, ciclo_final_e_ajuste_dos_nos) {
    servicos_de_teste s;
    struct caso { int total, maximo, imposto, esperado; };
    for (const caso& k : {caso{93, 120, 0, 95}, caso{95, 120, 0, 95}, caso{116, 118, 0, 118}, caso{115, 118, 0, 118},
                          caso{115, 120, 0, 115}, caso{40, 120, 90, 90}}) {
        comecar(c, 1);
        no_pronto(c, 1, {"V"}, {k.total}, "I");
        c.copias.t_de_ciclo_maximo = Integer(k.maximo);
        c.copias.t_de_ciclo_imposto = Integer(k.imposto);
        distribuir_tempos_de_verde(c);
        EXPECT_EQ(c.derivados.t_de_ciclo, k.esperado) << k.total;
        EXPECT_EQ(duracoes(c, 1), v{k.total});  // todo imposto: nada a completar
    }
    // 3 s a menos com o intervalo 2 imposto: +1 s em 1, 3 e 4.
    comecar(c, 1);
    no_pronto(c, 1, {"VRRR"}, {0, 5, 0, 0}, ".I");
    c.copias.t_de_ciclo_imposto = 8;
    distribuir_tempos_de_verde(c);
    EXPECT_EQ(duracoes(c, 1), (v{1, 5, 1, 1}));
    // 2 s a mais num grupo verde em dois intervalos livres de 20 s: cada um perde 1 s.
    comecar(c, 1);
    no_pronto(c, 1, {"VRVR"}, {0, 3, 0, 3}, ".I.I", {0.5f}, {}, "C");
    c.copias.t_de_ciclo_imposto = 44;
    distribuir_no_no_1(c, 0.5f, 6, 46);
    EXPECT_EQ(duracoes(c, 1), (v{19, 3, 19, 3}));
}

TEST_F(atender_verdes_de_seguranca_exemplos, rodadas_demanda_e_inicios) {
    servicos_de_teste s;
    // Verde de segurança 10 numa sequência de 4 s + 5 s: o de 4 s ganha 1 s do de 20 s.
    comecar(c, 1);
    no_pronto(c, 1, {"VVR"}, {4, 5, 20}, "", {}, {10});
    c.derivados.t_de_ciclo = 29;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(duracoes(c, 1), (v{5, 5, 19}));
    EXPECT_EQ(inicios(c, 1), (v{1, 6, 11, 30}));
    // Sem falta de verde nada muda: início de 20, 25 e 15 s em C = 60.
    comecar(c, 1);
    no_pronto(c, 1, {"VRR"}, {20, 25, 15});
    c.derivados.t_de_ciclo = 60;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(inicios(c, 1), (v{1, 21, 46, 61}));
    // Demanda: 6 s não usados tirados do demandado (10 -> 4) e dados ao beneficiado (20 -> 26);
    // com 12 s, o demandado fica em 0 s e o beneficiado ganha só os 10 s tirados.
    for (int nao_usado : {6, 12}) {
        comecar(c, 1);
        no_pronto(c, 1, {"VRR"}, {20, 10, 30});
        c.copias.eh_no_demandado(1) = true;
        c.copias.intervalo_demandado(1) = 2;
        c.copias.intervalo_beneficiado(1) = 1;
        c.derivados.tempo_nao_usado_da_demanda(1) = Byte(nao_usado);
        c.derivados.t_de_ciclo = 60;
        atender_verdes_de_seguranca(c);
        EXPECT_EQ(inicios(c, 1), nao_usado == 6 ? (v{1, 27, 31, 61}) : (v{1, 31, 31, 61}));
        EXPECT_EQ(duracoes(c, 1), (v{20, 10, 30}));
    }
    // Duas sequências curtas (22 s de 21 cada) não trocam o mesmo segundo: quem cede é o
    // intervalo de 6 s, cuja sequência pode ficar com 4 s.
    comecar(c, 1);
    no_pronto(c, 1, {"VRR", "RVR", "RRV"}, {21, 21, 6}, "", {}, {22, 22, 4});
    c.derivados.t_de_ciclo = 48;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(duracoes(c, 1), (v{22, 22, 4}));
    EXPECT_TRUE(s.mensagens.empty());
}

TEST_F(atender_verdes_de_seguranca_exemplos, verdes_que_nao_cabem) {
    const std::string inatendidos = "Não foi possível atender aos verdes de segurança";
    const std::string acima =
        "Não foi possível atender, simultaneamente, aos verdes de segurança e ao máximo tempo de ciclo permitido";
    // Dois verdes de 30 s num ciclo de 40 (as rodadas se esgotam) e um verde imposto curto
    // demais: a mensagem, a etapa para no nó (o nó 2 fica sem inícios) e o programa continua.
    for (int caso = 0; caso < 2; ++caso) {
        servicos_de_teste s;
        comecar(c, 2);
        if (caso == 0) no_pronto(c, 1, {"VR", "RV"}, {20, 20}, "", {}, {30, 30});
        else no_pronto(c, 1, {"VR"}, {5, 35}, "I", {}, {10});
        no_pronto(c, 2, {"VR"}, {20, 20});
        c.derivados.t_de_ciclo = 40;
        atender_verdes_de_seguranca(c);
        EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{inatendidos});
        EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
        EXPECT_TRUE(c.derivados.verdes_de_seguranca_nao_atendidos);
        EXPECT_FALSE(s.encerrado);
        EXPECT_EQ(c.derivados.inicio_do_intervalo(2, 1), 0);
    }
    // Sem doador, o recebedor ganha assim mesmo: o nó passa do ciclo e só a segunda mensagem
    // aparece; a próxima execução desliga o aviso da anterior.
    servicos_de_teste s;
    comecar(c, 1);
    no_pronto(c, 1, {"VR"}, {15, 15}, "", {}, {50});
    c.derivados.t_de_ciclo = 30;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(duracoes(c, 1), (v{50, 0}));
    EXPECT_EQ(s.textos_das_mensagens(), std::vector<std::string>{acima});
    EXPECT_FALSE(c.derivados.verdes_de_seguranca_nao_atendidos);
}

TEST_F(atender_verdes_de_seguranca_exemplos, ciclo_duplo_de_72_intervalos) {
    servicos_de_teste s;
    // Uma sequência de 70 intervalos de 1 s precisa de 71 s: ganha 1 s no intervalo 1, tirado
    // do 71; o início do fim do ciclo fica na entrada 73.
    comecar(c, 1);
    no_pronto(c, 1, {std::string(70, 'V') + "RR", std::string(70, 'R') + "VV"}, v(72, 1), "", {}, {71, 0});
    c.derivados.t_de_ciclo = 72;
    atender_verdes_de_seguranca(c);
    EXPECT_EQ(c.derivados.duracao_do_intervalo(1, 1), 2);
    EXPECT_EQ(c.derivados.duracao_do_intervalo(1, 71), 0);
    EXPECT_EQ(c.derivados.inicio_do_intervalo(1, 72), 72);
    EXPECT_EQ(c.derivados.inicio_do_intervalo(1, 73), 73);
    EXPECT_TRUE(s.mensagens.empty());
}

}  // namespace
}  // namespace orvel
