#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calculo/validar_rede.h"
#include "comum/rede_de_teste.h"
#include "modelo/rede.h"
#include "comum/rede_propria.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

using namespace teste;
using avisos = std::vector<std::pair<std::string, std::string>>;

std::pair<std::string, std::string> aviso(std::string texto) { return {"Aviso", std::move(texto)}; }

// Um nó e um link como os editores os confirmam: o grupo 1 verde em todos os intervalos, o
// último com duração imposta, e o verde de segurança dado.
int no_editado(contexto_da_rede& c, const std::string& nome, int grupos, int intervalos) {
    const int n = novo_no(c.rede, nome, grupos, intervalos);
    cores_do_grupo(c.rede, n, 1, std::string(static_cast<std::size_t>(intervalos), '1'));
    c.rede.duracao_imposta_dado(n, intervalos) = 5;
    return n;
}

int link_editado(contexto_da_rede& c, const std::string& nome, const std::string& origem, const std::string& destino) {
    const int l = novo_link(c.rede, nome, origem, destino);
    c.rede.verde_de_seguranca_dado(l) = 5;
    return l;
}

class validar_rede_cenarios : public teste::com_rede_propria {
protected:
    servicos_de_teste s;

    // A (1) e B (2), dois intervalos cada; EA entra em A, AB vai de A para B.
    void SetUp() override {
        teste::com_rede_propria::SetUp();
        esvaziar_rede(c.rede);
        no_editado(c, "A", 1, 2);
        no_editado(c, "B", 1, 2);
        link_editado(c, "EA", "", "A");
        link_editado(c, "AB", "A", "B");
        links_do_grupo(c.rede, 1, 1, {"EA"});
        links_do_grupo(c.rede, 2, 1, {"AB"});
    }

    // Roda a validação e devolve o que ela mostrou; dados_ok começa do contrário do esperado.
    avisos validar(bool ok_esperado) {
        s.mensagens.clear();
        c.projeto.dados_ok = !ok_esperado;
        validar_rede(c);
        EXPECT_EQ(c.projeto.dados_ok, ok_esperado);
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
    esvaziar_rede(c.rede);
    EXPECT_EQ(validar(false), (avisos{aviso("deve existir, pelo menos, um nó"), aviso("deve existir, pelo menos, um link")}));
}

TEST_F(validar_rede_cenarios, somas_iguais_aos_limites_passam_e_um_segundo_a_mais_nao) {
    struct caso { Integer imposto, maximo, limite; std::string fim; };
    const caso casos[] = {
        {60, 0, 60, " é maior do que o tempo de ciclo imposto"},
        {0, 0, 120, " é maior do que o tempo de ciclo máximo igual a 120 s"},
        {0, 90, 90, " é maior do que o tempo de ciclo máximo imposto"},
    };
    for (const auto& k : casos) {
        c.rede.t_de_ciclo_imposto_dado = k.imposto;
        c.rede.t_de_ciclo_maximo_imposto_dado = k.maximo;
        c.rede.duracao_imposta_dado(2, 1) = 10;
        c.rede.duracao_imposta_dado(2, 2) = static_cast<Integer>(k.limite - 10);
        c.rede.duracao_imposta_dado(2, 3) = 500;  // além dos intervalos do nó: não conta
        EXPECT_EQ(validar(true), avisos{});
        c.rede.duracao_imposta_dado(2, 2) = static_cast<Integer>(k.limite - 9);
        EXPECT_EQ(validar(false), (avisos{aviso("a soma das durações impostas dos intervalos do nó B" + k.fim)}));
    }
}

TEST_F(validar_rede_cenarios, soma_de_130_com_ciclo_imposto_de_60_e_sem_maximo_da_3a_e_3c) {
    c.rede.t_de_ciclo_imposto_dado = 60;
    c.rede.duracao_imposta_dado(1, 1) = 70;
    c.rede.duracao_imposta_dado(1, 2) = 60;
    const std::string inicio = "a soma das durações impostas dos intervalos do nó A é maior do que o tempo de ciclo ";
    EXPECT_EQ(validar(false), (avisos{aviso(inicio + "imposto"), aviso(inicio + "máximo igual a 120 s")}));
}

TEST_F(validar_rede_cenarios, recebedores_ruins_cada_um_o_seu_aviso) {
    recebedor_do_link(c.rede, 2, 1, "X", 100);
    recebedor_do_link(c.rede, 1, 1, " ab", 100);  // existe
    recebedor_do_link(c.rede, 2, 4, "y ", 100);
    EXPECT_EQ(validar(false), (avisos{aviso("não existe o link X que foi definido como recebedor do link AB"),
                                      aviso("não existe o link y  que foi definido como recebedor do link AB")}));
}

TEST_F(validar_rede_cenarios, link_sem_grupo_e_link_desconhecido_no_grupo) {
    link_editado(c, "BA", "B", "A");
    c.rede.nome_dos_links_do_grupo_dado(1, 2, 1) = "BA";  // grupo além dos do nó: não conta
    c.rede.quant_de_grupos_dado(2) = 6;
    for (int g = 2; g <= 6; ++g) cores_do_grupo(c.rede, 2, g, "33");
    for (int g = 2; g <= 5; ++g) links_do_grupo(c.rede, 2, g, {"AB"});
    links_do_grupo(c.rede, 2, 6, {"", "ZZ", "", "ab"});
    EXPECT_EQ(validar(false),
              (avisos{aviso("o link BA não tem nenhum grupo focal a ele associado em nenhu8m nó"),
                      aviso("o link ZZ, que foi definido como link associado ao grupo 6 do nó 2, na verdade, não existe")}));
}

TEST_F(validar_rede_cenarios, escravo_que_tambem_e_mestre) {
    c.rede.eh_no_escravo_dado(1) = true;
    c.rede.nome_do_mestre_dado(1) = "b";
    c.rede.intervalo_do_escravo_dado(1) = 2;
    c.rede.intervalo_do_mestre_dado(1) = 2;
    // C, escravo, nomeia A como mestre.
    no_editado(c, "C", 1, 2);
    link_editado(c, "EC", "", "C");
    links_do_grupo(c.rede, 3, 1, {"EC"});
    c.rede.eh_no_escravo_dado(3) = true;
    c.rede.nome_do_mestre_dado(3) = " A";
    c.rede.intervalo_do_escravo_dado(3) = 1;
    c.rede.intervalo_do_mestre_dado(3) = 1;
    const auto mestre_e_escravo = aviso("o nó A é, ao mesmo tempo, escravo e mestre, o que não é permitido");
    EXPECT_EQ(validar(false), avisos{mestre_e_escravo});

    c.rede.eh_no_escravo_dado(3) = false;
    c.rede.nome_do_mestre_dado(1) = "A";  // mestre de si mesmo: o mestre existe
    EXPECT_EQ(validar(false), avisos{mestre_e_escravo});
}

// Só o mestre de um escravo conta: o arquivo grava "-" como mestre de todo nó que não é escravo,
// e um nó que deixou de ser escravo guarda o nome do mestre que tinha.
TEST_F(validar_rede_cenarios, mestre_guardado_por_no_que_nao_e_escravo_nao_conta) {
    c.rede.nome_do_no_dado(1) = "-";
    c.rede.eh_no_escravo_dado(1) = true;
    c.rede.nome_do_mestre_dado(1) = "B";
    c.rede.intervalo_do_escravo_dado(1) = 1;
    c.rede.intervalo_do_mestre_dado(1) = 1;
    c.rede.nome_do_no_origem_dado(2) = "-";
    c.rede.nome_do_no_destino_dado(1) = "-";
    c.rede.nome_do_mestre_dado(2) = "-";
    EXPECT_EQ(validar(true), avisos{});

    // B escravo de "-", e "-" deixa de ser escravo guardando B como mestre.
    c.rede.eh_no_escravo_dado(1) = false;
    c.rede.eh_no_escravo_dado(2) = true;
    c.rede.intervalo_do_escravo_dado(2) = 1;
    c.rede.intervalo_do_mestre_dado(2) = 1;
    EXPECT_EQ(validar(true), avisos{});

    // Nem um nó apagado cuja linha ainda guarda um escravo de B.
    c.rede.existe_no(4) = false;
    c.rede.max_indice_no = 4;
    c.rede.eh_no_escravo_dado(4) = true;
    c.rede.nome_do_mestre_dado(4) = "B";
    EXPECT_EQ(validar(true), avisos{});
}

TEST_F(validar_rede_cenarios, intervalos_de_escravo_mestre_e_demanda_ruins_no_a_no) {
    c.rede.eh_no_escravo_dado(1) = true;
    c.rede.nome_do_mestre_dado(1) = "B";
    c.rede.intervalo_do_escravo_dado(1) = 3;
    c.rede.intervalo_do_mestre_dado(1) = 0;
    c.rede.eh_no_demandado_dado(1) = true;
    c.rede.intervalo_demandado_dado(1) = 2;
    c.rede.intervalo_beneficiado_dado(1) = 1;
    c.rede.eh_no_demandado_dado(2) = true;
    c.rede.intervalo_demandado_dado(2) = 0;
    c.rede.intervalo_beneficiado_dado(2) = 2;
    no_editado(c, "C", 1, 1);
    links_do_grupo(c.rede, 3, 1, {"EC"});
    link_editado(c, "EC", "", "C");
    c.rede.eh_no_escravo_dado(3) = true;
    c.rede.nome_do_mestre_dado(3) = "Q";
    c.rede.intervalo_do_escravo_dado(3) = 1;
    c.rede.eh_no_demandado_dado(3) = true;
    c.rede.intervalo_demandado_dado(3) = 1;
    c.rede.intervalo_beneficiado_dado(3) = 2;
    EXPECT_EQ(validar(false),
              (avisos{aviso("não existe o intervalo 3 que foi definido como intervalo correspondente ao nó escravo A"),
                      aviso("não existe o intervalo 0 que foi definido como intervalo do mestre do nó escravo A"),
                      aviso("não existe o intervalo 0 que foi definido como intervalo demandado do nó B"),
                      aviso("não existe o nó Q que foi definido como mestre do nó C"),
                      aviso("não existe o intervalo 2 que foi definido como intervalo beneficiado do nó C")}));
}

TEST_F(validar_rede_cenarios, no_sem_chegada_e_origem_em_branco_ou_vazia) {
    no_editado(c, "C", 1, 1);
    link_editado(c, "XA", "  ", "A");  // só brancos: não é link de entrada
    link_editado(c, "AZ", "A", "Z");
    links_do_grupo(c.rede, 1, 1, {"EA", "XA", "AZ"});
    links_do_grupo(c.rede, 3, 1, {"AB"});
    EXPECT_EQ(validar(false), (avisos{aviso("o nó C não é nó destino de nenhum link"), aviso("o link XA não tem nó origem"),
                                      aviso("o link AZ não tem nó destino"),
                                      aviso("o link AB, que foi definido como link associado ao grupo 1 do nó C, não chega a esse nó")}));
}

TEST_F(validar_rede_cenarios, nomes_que_diferem_so_em_maiusculas_e_brancos) {
    no_editado(c, "Centro", 1, 1);
    no_editado(c, "centro ", 1, 1);
    no_editado(c, " CENTRO", 1, 1);
    link_editado(c, "AC", "A", "CENTRO");
    link_editado(c, " ab", "A", "B");
    link_editado(c, "Ab", "A", "B");
    for (int n = 3; n <= 5; ++n) links_do_grupo(c.rede, n, 1, {"AC"});
    EXPECT_EQ(validar(false), (avisos{aviso("o mesmo nome Centro é usado para mais de um nó"),
                                      aviso("o mesmo nome centro  é usado para mais de um nó"),
                                      aviso("o mesmo nome  CENTRO é usado para mais de um nó"),
                                      aviso("o mesmo nome AB é usado para mais de um link"),
                                      aviso("o mesmo nome  ab é usado para mais de um link"),
                                      aviso("o mesmo nome Ab é usado para mais de um link")}));
}

TEST_F(validar_rede_cenarios, links_paralelos_no_mesmo_grupo) {
    link_editado(c, "P1", "A", "B");
    link_editado(c, "P2", "a", "b ");
    link_editado(c, "E2", "", "A");  // paralelo a EA no mesmo grupo, mas de entrada
    c.rede.quant_de_grupos_dado(2) = 2;
    cores_do_grupo(c.rede, 2, 2, "33");
    links_do_grupo(c.rede, 2, 2, {"P1", "", "P2"});
    links_do_grupo(c.rede, 1, 1, {"EA", "E2"});
    EXPECT_EQ(validar(false), (avisos{aviso("os links P1e P2 têm mesmos nós origem e destino e seus nós destino apresentam "
                                            "a mesma configuração do diagrama de barras, o que não é permitido")}));

    // Nas duas últimas posições do grupo, na ordem inversa das posições dos links.
    links_do_grupo(c.rede, 2, 2, {"", "", "P2", "P1"});
    EXPECT_EQ(validar(false), (avisos{aviso("os links P2e P1 têm mesmos nós origem e destino e seus nós destino apresentam "
                                            "a mesma configuração do diagrama de barras, o que não é permitido")}));
}

// Um recebedor tem de sair do nó a que chega o link que o fornece, e um link só pode estar nos
// grupos do nó a que chega: o cálculo tomaria o fluxo fornecido e o verde de um lugar que a rede
// não tem.
TEST_F(validar_rede_cenarios, recebedor_e_grupo_fora_do_no_destino) {
    no_editado(c, "C", 1, 2);
    link_editado(c, "BC", "B", "C");
    link_editado(c, "AC", "A", "C");
    links_do_grupo(c.rede, 3, 1, {"BC", "AC"});
    recebedor_do_link(c.rede, 1, 1, "AB", 100);  // sai de A, onde EA chega
    recebedor_do_link(c.rede, 2, 1, " bc", 100);
    recebedor_do_link(c.rede, 1, 2, "BC", 100);  // sai de B
    recebedor_do_link(c.rede, 2, 2, "EA", 50);   // de entrada
    recebedor_do_link(c.rede, 2, 3, "XY", 50);   // não existe: já tem o seu aviso
    link_editado(c, "QC", "Q", "C");  // sem nó origem: também já tem o seu aviso
    links_do_grupo(c.rede, 3, 2, {"QC"});
    c.rede.quant_de_grupos_dado(3) = 2;
    cores_do_grupo(c.rede, 3, 2, "13");
    recebedor_do_link(c.rede, 1, 3, "QC", 50);
    links_do_grupo(c.rede, 1, 1, {"EA", "", "ac"});  // AC chega a C
    EXPECT_EQ(validar(false),
              (avisos{aviso("não existe o link XY que foi definido como recebedor do link AB"),
                      aviso("o link QC não tem nó origem"),
                      aviso("o link BC, que foi definido como recebedor do link EA, não sai do nó A, a que o link EA chega"),
                      aviso("o link EA, que foi definido como recebedor do link AB, não sai do nó B, a que o link AB chega"),
                      aviso("o link ac, que foi definido como link associado ao grupo 1 do nó A, não chega a esse nó")}));

    recebedor_do_link(c.rede, 1, 2, "", 0);
    recebedor_do_link(c.rede, 2, 2, "", 0);
    recebedor_do_link(c.rede, 2, 3, "", 0);
    recebedor_do_link(c.rede, 1, 3, "", 0);
    c.rede.nome_do_no_origem_dado(5) = "B";
    links_do_grupo(c.rede, 1, 1, {"EA", "", ""});
    EXPECT_EQ(validar(true), avisos{});
}

// Um link que chega a algo que não é nó só tem o aviso do destino, não o do recebedor.
TEST_F(validar_rede_cenarios, recebedor_de_link_sem_no_destino) {
    link_editado(c, "AZ", "A", "Z");
    links_do_grupo(c.rede, 1, 1, {"EA", "AZ"});
    recebedor_do_link(c.rede, 3, 1, "AB", 100);
    EXPECT_EQ(validar(false), (avisos{aviso("o link AZ não tem nó destino")}));
}

// Com dois links de mesmo nome, basta que um deles saia do nó a que chega o fornecedor.
TEST_F(validar_rede_cenarios, recebedor_homonimo_de_um_link_que_sai_do_no) {
    link_editado(c, "ab", "B", "A");
    links_do_grupo(c.rede, 1, 1, {"EA", "ab"});
    recebedor_do_link(c.rede, 1, 1, "AB", 100);
    EXPECT_EQ(validar(false), (avisos{aviso("o mesmo nome AB é usado para mais de um link"),
                                      aviso("o mesmo nome ab é usado para mais de um link")}));
}

// Um nó e um link desenhados e nunca editados passam por todas as outras conferências (nomes
// vazios se casam); um grupo com um intervalo sem cor deixaria os seus links sem verde.
TEST_F(validar_rede_cenarios, nunca_editados_e_intervalo_sem_cor_sao_recusados) {
    c.rede.existe_no(3) = true;
    c.rede.max_indice_no = 3;
    ++c.rede.total_de_nos_dado;
    c.rede.existe_link(3) = true;
    c.rede.max_indice_link = 3;
    ++c.rede.total_de_links_dado;
    c.rede.cor_do_intervalo_do_grupo_dado(2, 1, 2) = cor_nao_definida;
    EXPECT_EQ(validar(false), (avisos{aviso("faltam os dados do nó número 3, que nunca foi editado"),
                                      aviso("faltam os dados do link número 3, que nunca foi editado"),
                                      aviso("falta definir a cor de algum intervalo (nó B)")}));
}

// Cada regra da confirmação dos editores, quebrada uma vez na rede válida do cenário: um arquivo
// pode trazê-la, e o cálculo usaria um valor que ninguém poderia entrar.
TEST_F(validar_rede_cenarios, regras_dos_editores_quebradas_uma_a_uma) {
    struct caso {
        void (*quebrar)(contexto_da_rede& c);
        std::string mensagem;
    };
    const caso casos[] = {
        {[](contexto_da_rede& c) {
             c.rede.eh_no_demandado_dado(2) = true;
             c.rede.intervalo_demandado_dado(2) = c.rede.intervalo_beneficiado_dado(2) = 1;
         },
         "o intervalo demandado deve ter sua duração fixada (nó B)"},
        {[](contexto_da_rede& c) {
             c.rede.quant_de_grupos_dado(2) = 2;
             cores_do_grupo(c.rede, 2, 2, "33");
         },
         "falta definir os links corrrespondentes ao grupo 2 (nó B)"},
        {[](contexto_da_rede& c) { c.rede.duracao_imposta_dado(2, 2) = 0; },
         "deve existir, pelo menos, um intervalo com duração imposta pelo usuário (nó B)"},
        {[](contexto_da_rede& c) {
             // O verde do grupo 2 deixa só o amarelo livre.
             c.rede.quant_de_grupos_dado(2) = 2;
             links_do_grupo(c.rede, 2, 2, {"AB"});
             cores_do_grupo(c.rede, 2, 1, "21");
             cores_do_grupo(c.rede, 2, 2, "11");
         },
         "intervalos que possuem amarelo em algum grupo devem ter sua duração imposta pelo usuário (nó B)"},
        {[](contexto_da_rede& c) {
             cores_do_grupo(c.rede, 2, 1, "13");
             c.rede.duracao_imposta_dado(2, 1) = 5;
             c.rede.duracao_imposta_dado(2, 2) = 0;
         },
         "intervalos que não possuem verde em nenhum grupo devem ter sua duração imposta pelo usuário (nó B)"},
        {[](contexto_da_rede& c) { c.rede.verde_de_seguranca_dado(2) = 0; }, "o verde de segurança deve estar compreendido entre 1 e 99 s (link AB)"},
    };
    EXPECT_EQ(validar(true), avisos{});
    for (const auto& k : casos) {
        SCOPED_TRACE(k.mensagem);
        SetUp();
        k.quebrar(c);
        EXPECT_EQ(validar(false), avisos{aviso(k.mensagem)});
    }
}

TEST_F(validar_rede_cenarios, falha_inesperada_para_a_conferencia_e_deixa_a_rede_invalida) {
    c.rede.quant_de_grupos_dado(1) = 9;
    link_editado(c, "BA", "B", "A");  // sem grupo: a conferência não chega a avisar
    EXPECT_EQ(validar(false), (avisos{{"Erro 154", "Subscrito fora do intervalo\n"}}));
}

}  // namespace
}  // namespace orvel
