#include <gtest/gtest.h>

#include "comum/arquivos.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_em_grade.h"
#include "comum/resultados_da_grade.h"
#include "editor/estado_dos_comandos.h"
#include "modelo/tabelas_de_calculo.h"

namespace orvel {
namespace {

using processar_de_ponta_a_ponta = teste::com_janela_principal;

// Cada nó e link da rede montada nas tabelas ganha os seus elementos no desenho.
void desenhar_a_rede(dados_da_tela_principal& t) {
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n)) {
            t.no_shape.carregar(n);
            t.apoio_no_label.carregar(n);
            t.apoio_no_label(n).Caption = nome_do_no_dado(n);
        }
    for (int l = 1; l <= max_links; ++l)
        if (existe_link(l)) t.carregar_elementos_do_link(l);
}

TEST_F(processar_de_ponta_a_ponta, processa_salva_e_reabre_com_os_mesmos_resultados) {
    teste::pasta_temporaria pasta;
    teste::montar_rede_em_grade(2, 3, 90);
    desenhar_a_rede(t());
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    const std::string arquivo = pasta.arquivo("grade.xml");
    s.respostas_salvar = {arquivo};

    t().processar_button.Click();

    EXPECT_TRUE(s.mensagens.empty()) << s.mensagens.front().titulo << ": " << s.mensagens.front().texto;
    EXPECT_EQ(contexto().derivados.t_de_ciclo, 90);
    EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "90");
    EXPECT_FALSE(contexto().resultados.atraso_rede_rel.empty());
    EXPECT_FALSE(contexto().resultados.grau_de_saturacao_por_link_rel(1).empty());
    EXPECT_FALSE(contexto().resultados.data_rel.empty());
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_EQ(teste::chaves_de_resultado_atuais(), teste::chaves_de_resultado_da_grade());
    const std::string salvo = teste::conteudo(arquivo);
    EXPECT_NE(salvo.find("<t_ciclo_da_rede_rel>90</t_ciclo_da_rede_rel>"), std::string::npos);

    // Reaberto, traz os mesmos textos; processar de novo dá o mesmo arquivo.
    const std::string atraso = contexto().resultados.atraso_rede_rel, y1 = contexto().resultados.y_rel(1), fila = contexto().resultados.fila_maxima_rel(2);
    const Integer defasagem_3 = contexto().buscas.defasagem_valendo(3);
    s.respostas_abrir = {arquivo};
    t().arquivo_abrir_button.Click();
    EXPECT_EQ(contexto().resultados.atraso_rede_rel, atraso);
    EXPECT_EQ(contexto().resultados.y_rel(1), y1);
    EXPECT_EQ(contexto().resultados.fila_maxima_rel(2), fila);
    EXPECT_EQ(contexto().buscas.defasagem_valendo(3), defasagem_3);
    t().processar_button.Click();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(teste::conteudo(arquivo), salvo);
}

}  // namespace
}  // namespace orvel
