#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calculo/validar_rede.h"
#include "comum/rede_de_teste.h"
#include "modelo/rede.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

using namespace teste;
using avisos = std::vector<std::pair<std::string, std::string>>;

std::pair<std::string, std::string> aviso(std::string texto) { return {"Aviso", std::move(texto)}; }

// Um nó e um link como os editores os confirmam: o grupo 1 verde em todos os intervalos, o
// último com duração imposta, e o verde de segurança dado.
int no_editado(const std::string& nome, int grupos, int intervalos) {
    const int n = novo_no(nome, grupos, intervalos);
    cores_do_grupo(n, 1, std::string(static_cast<std::size_t>(intervalos), '1'));
    duracao_imposta_dado(n, intervalos) = 5;
    return n;
}

int link_editado(const std::string& nome, const std::string& origem, const std::string& destino) {
    const int l = novo_link(nome, origem, destino);
    verde_de_seguranca_dado(l) = 5;
    return l;
}

class validar_rede_cenarios : public ::testing::Test {
protected:
    servicos_de_teste s;

    // A (1) e B (2), dois intervalos cada; EA entra em A, AB vai de A para B.
    void SetUp() override {
        esvaziar_rede();
        no_editado("A", 1, 2);
        no_editado("B", 1, 2);
        link_editado("EA", "", "A");
        link_editado("AB", "A", "B");
        links_do_grupo(1, 1, {"EA"});
        links_do_grupo(2, 1, {"AB"});
    }

    // Roda a validação e devolve o que ela mostrou; dados_ok começa do contrário do esperado.
    avisos validar(bool ok_esperado) {
        s.mensagens.clear();
        dados_ok = !ok_esperado;
        validar_rede(contexto());
        EXPECT_EQ(dados_ok, ok_esperado);
        avisos r;
        for (const auto& m : s.mensagens) {
            if (m.titulo == "Aviso") {
                EXPECT_EQ(m.estilo, estilo_ok) << m.texto;
            }
            r.emplace_back(m.titulo, m.texto);
        }
        return r;
    }
};

TEST_F(validar_rede_cenarios, rede_vazia_so_pede_um_no_e_um_link) {
    esvaziar_rede();
    EXPECT_EQ(validar(false), (avisos{aviso("deve existir, pelo menos, um nó"), aviso("deve existir, pelo menos, um link")}));
}

TEST_F(validar_rede_cenarios, somas_iguais_aos_limites_passam_e_um_segundo_a_mais_nao) {
    struct caso { Integer imposto, maximo, limite; std::string fim; };
    const caso casos[] = {
        {60, 0, 60, " é maior do que o tempo de ciclo imposto"},
        {0, 0, 120, " é maior do que o tempo de ciclo máximo igual a 120 s"},
        {0, 90, 90, " é maior do que o tempo de ciclo máximo imposto"},
    };
    for (const auto& c : casos) {
        t_de_ciclo_imposto_dado = c.imposto;
        t_de_ciclo_maximo_imposto_dado = c.maximo;
        duracao_imposta_dado(2, 1) = 10;
        duracao_imposta_dado(2, 2) = static_cast<Integer>(c.limite - 10);
        duracao_imposta_dado(2, 3) = 500;  // além dos intervalos do nó: não conta
        EXPECT_EQ(validar(true), avisos{});
        duracao_imposta_dado(2, 2) = static_cast<Integer>(c.limite - 9);
        EXPECT_EQ(validar(false), (avisos{aviso("a soma das durações impostas dos intervalos do nó B" + c.fim)}));
    }
}

TEST_F(validar_rede_cenarios, soma_de_130_com_ciclo_imposto_de_60_e_sem_maximo_da_3a_e_3c) {
    t_de_ciclo_imposto_dado = 60;
    duracao_imposta_dado(1, 1) = 70;
    duracao_imposta_dado(1, 2) = 60;
    const std::string inicio = "a soma das durações impostas dos intervalos do nó A é maior do que o tempo de ciclo ";
    EXPECT_EQ(validar(false), (avisos{aviso(inicio + "imposto"), aviso(inicio + "máximo igual a 120 s")}));
}

TEST_F(validar_rede_cenarios, recebedores_ruins_cada_um_o_seu_aviso) {
    recebedor_do_link(2, 1, "X", 100);
    recebedor_do_link(2, 2, " ea", 100);  // existe
    recebedor_do_link(2, 4, "y ", 100);
    EXPECT_EQ(validar(false), (avisos{aviso("não existe o link X que foi definido como recebedor do link AB"),
                                      aviso("não existe o link y  que foi definido como recebedor do link AB")}));
}

TEST_F(validar_rede_cenarios, link_sem_grupo_e_link_desconhecido_no_grupo) {
    link_editado("BA", "B", "A");
    nome_dos_links_do_grupo_dado(1, 2, 1) = "BA";  // grupo além dos do nó: não conta
    quant_de_grupos_dado(2) = 6;
    for (int g = 2; g <= 6; ++g) cores_do_grupo(2, g, "33");
    for (int g = 2; g <= 5; ++g) links_do_grupo(2, g, {"AB"});
    links_do_grupo(2, 6, {"", "ZZ", "", "ab"});
    EXPECT_EQ(validar(false),
              (avisos{aviso("o link BA não tem nenhum grupo focal a ele associado em nenhu8m nó"),
                      aviso("o link ZZ, que foi definido como link associado ao grupo 6 do nó 2, na verdade, não existe")}));
}

TEST_F(validar_rede_cenarios, escravo_que_tambem_e_mestre) {
    eh_no_escravo_dado(1) = true;
    nome_do_mestre_dado(1) = "b";
    intervalo_do_escravo_dado(1) = 2;
    intervalo_do_mestre_dado(1) = 2;
    nome_do_mestre_dado(2) = " A";  // B não é escravo, mas nomeia A como mestre
    const auto mestre_e_escravo = aviso("o nó A é, ao mesmo tempo, escravo e mestre, o que não é permitido");
    EXPECT_EQ(validar(false), avisos{mestre_e_escravo});

    nome_do_mestre_dado(2).clear();
    nome_do_mestre_dado(1) = "A";  // mestre de si mesmo: o mestre existe
    EXPECT_EQ(validar(false), avisos{mestre_e_escravo});
}

TEST_F(validar_rede_cenarios, intervalos_de_escravo_mestre_e_demanda_ruins_no_a_no) {
    eh_no_escravo_dado(1) = true;
    nome_do_mestre_dado(1) = "B";
    intervalo_do_escravo_dado(1) = 3;
    intervalo_do_mestre_dado(1) = 0;
    eh_no_demandado_dado(1) = true;
    intervalo_demandado_dado(1) = 2;
    intervalo_beneficiado_dado(1) = 1;
    eh_no_demandado_dado(2) = true;
    intervalo_demandado_dado(2) = 0;
    intervalo_beneficiado_dado(2) = 2;
    no_editado("C", 1, 1);
    links_do_grupo(3, 1, {"EC"});
    link_editado("EC", "", "C");
    eh_no_escravo_dado(3) = true;
    nome_do_mestre_dado(3) = "Q";
    intervalo_do_escravo_dado(3) = 1;
    eh_no_demandado_dado(3) = true;
    intervalo_demandado_dado(3) = 1;
    intervalo_beneficiado_dado(3) = 2;
    EXPECT_EQ(validar(false),
              (avisos{aviso("não existe o intervalo 3 que foi definido como intervalo correspondente ao nó escravo A"),
                      aviso("não existe o intervalo 0 que foi definido como intervalo do mestre do nó escravo A"),
                      aviso("não existe o intervalo 0 que foi definido como intervalo demandado do nó B"),
                      aviso("não existe o nó Q que foi definido como mestre do nó C"),
                      aviso("não existe o intervalo 2 que foi definido como intervalo beneficiado do nó C")}));
}

TEST_F(validar_rede_cenarios, no_sem_chegada_e_origem_em_branco_ou_vazia) {
    no_editado("C", 1, 1);
    link_editado("XA", "  ", "A");  // só brancos: não é link de entrada
    link_editado("AZ", "A", "Z");
    links_do_grupo(1, 1, {"EA", "XA", "AZ"});
    links_do_grupo(3, 1, {"AB"});
    EXPECT_EQ(validar(false), (avisos{aviso("o nó C não é nó destino de nenhum link"), aviso("o link XA não tem nó origem"),
                                      aviso("o link AZ não tem nó destino")}));
}

TEST_F(validar_rede_cenarios, nomes_que_diferem_so_em_maiusculas_e_brancos) {
    no_editado("Centro", 1, 1);
    no_editado("centro ", 1, 1);
    no_editado(" CENTRO", 1, 1);
    link_editado("AC", "A", "CENTRO");
    link_editado(" ab", "A", "B");
    link_editado("Ab", "A", "B");
    for (int n = 3; n <= 5; ++n) links_do_grupo(n, 1, {"AC"});
    EXPECT_EQ(validar(false), (avisos{aviso("o mesmo nome Centro é usado para mais de um nó"),
                                      aviso("o mesmo nome centro  é usado para mais de um nó"),
                                      aviso("o mesmo nome  CENTRO é usado para mais de um nó"),
                                      aviso("o mesmo nome AB é usado para mais de um link"),
                                      aviso("o mesmo nome  ab é usado para mais de um link"),
                                      aviso("o mesmo nome Ab é usado para mais de um link")}));
}

TEST_F(validar_rede_cenarios, links_paralelos_no_mesmo_grupo) {
    link_editado("P1", "A", "B");
    link_editado("P2", "a", "b ");
    link_editado("E2", "", "A");  // paralelo a EA no mesmo grupo, mas de entrada
    quant_de_grupos_dado(2) = 2;
    cores_do_grupo(2, 2, "33");
    links_do_grupo(2, 2, {"P1", "", "P2"});
    links_do_grupo(1, 1, {"EA", "E2"});
    EXPECT_EQ(validar(false), (avisos{aviso("os links P1e P2 têm mesmos nós origem e destino e seus nós destino apresentam "
                                            "a mesma configuração do diagrama de barras, o que não é permitido")}));
}

// Um nó e um link desenhados e nunca editados passam por todas as outras conferências (nomes
// vazios se casam); um grupo com um intervalo sem cor deixaria os seus links sem verde.
TEST_F(validar_rede_cenarios, nunca_editados_e_intervalo_sem_cor_sao_recusados) {
    existe_no(3) = true;
    max_indice_no = 3;
    ++total_de_nos_dado;
    existe_link(3) = true;
    max_indice_link = 3;
    ++total_de_links_dado;
    cor_do_intervalo_do_grupo_dado(2, 1, 2) = cor_nao_definida;
    EXPECT_EQ(validar(false), (avisos{aviso("faltam os dados do nó número 3, que nunca foi editado"),
                                      aviso("faltam os dados do link número 3, que nunca foi editado"),
                                      aviso("falta definir a cor de algum intervalo (nó B)")}));
}

// Cada regra da confirmação dos editores, quebrada uma vez na rede válida do cenário: um arquivo
// pode trazê-la, e o cálculo usaria um valor que ninguém poderia entrar.
TEST_F(validar_rede_cenarios, regras_dos_editores_quebradas_uma_a_uma) {
    struct caso {
        void (*quebrar)();
        std::string mensagem;
    };
    const caso casos[] = {
        {[] {
             eh_no_demandado_dado(2) = true;
             intervalo_demandado_dado(2) = intervalo_beneficiado_dado(2) = 1;
         },
         "o intervalo demandado deve ter sua duração fixada (nó B)"},
        {[] {
             quant_de_grupos_dado(2) = 2;
             cores_do_grupo(2, 2, "33");
         },
         "falta definir os links corrrespondentes ao grupo 2 (nó B)"},
        {[] { duracao_imposta_dado(2, 2) = 0; },
         "deve existir, pelo menos, um intervalo com duração imposta pelo usuário (nó B)"},
        {[] {
             // O verde do grupo 2 deixa só o amarelo livre.
             quant_de_grupos_dado(2) = 2;
             links_do_grupo(2, 2, {"AB"});
             cores_do_grupo(2, 1, "21");
             cores_do_grupo(2, 2, "11");
         },
         "intervalos que possuem amarelo em algum grupo devem ter sua duração imposta pelo usuário (nó B)"},
        {[] {
             cores_do_grupo(2, 1, "13");
             duracao_imposta_dado(2, 1) = 5;
             duracao_imposta_dado(2, 2) = 0;
         },
         "intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário (nó B)"},
        {[] { verde_de_seguranca_dado(2) = 0; }, "o verde de segurança deve estar compreendido entre 1 e 99 s (link AB)"},
    };
    EXPECT_EQ(validar(true), avisos{});
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensagem);
        SetUp();
        c.quebrar();
        EXPECT_EQ(validar(false), avisos{aviso(c.mensagem)});
    }
}

TEST_F(validar_rede_cenarios, falha_inesperada_para_a_conferencia_e_deixa_a_rede_invalida) {
    quant_de_grupos_dado(1) = 9;
    link_editado("BA", "B", "A");  // sem grupo: a conferência não chega a avisar
    EXPECT_EQ(validar(false), (avisos{{"Erro 154", "Subscrito fora do intervalo\n"}}));
}

}  // namespace
}  // namespace orvel
