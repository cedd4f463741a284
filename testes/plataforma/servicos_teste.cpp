#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "comum/pasta_temporaria.h"
#include "plataforma/falha.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

TEST(servicos_de_teste, respondem_pelo_roteiro_e_voltam_aos_anteriores) {
    auto* antes = &servicos();
    {
        servicos_de_teste s;
        EXPECT_EQ(&servicos(), &s);
        s.respostas = {resposta_sim};
        EXPECT_EQ(servicos().caixa_de_mensagem("você quer salvar o projeto?", estilo_sim_nao_cancelar | icone_exclamacao, ""),
                  resposta_sim);
        // Sem roteiro: o botão que não muda nada.
        EXPECT_EQ(servicos().caixa_de_mensagem("?", estilo_sim_nao_cancelar, ""), resposta_cancelar);
        EXPECT_EQ(servicos().caixa_de_mensagem("?", estilo_sim_nao | icone_pergunta, ""), resposta_nao);
        s.respostas_salvar = {std::string("/tmp/x.xml")};
        EXPECT_EQ(servicos().dialogo_salvar({"Salvar como", "", "", "rede"}), "/tmp/x.xml");
        EXPECT_EQ(servicos().dialogo_salvar({"Salvar como", "", "", "rede"}), std::nullopt);
        ASSERT_EQ(s.dialogos_salvar.size(), 2u);
        EXPECT_EQ(s.dialogos_salvar[0].nome_proposto, "rede");
        int cliques = 0;
        s.ao_processar_eventos = [&] { ++cliques; };
        servicos().processar_eventos_pendentes();
        EXPECT_EQ(cliques, 1);
        servicos().encerrar_programa();
        EXPECT_TRUE(s.encerrado);
    }
    EXPECT_EQ(&servicos(), antes);
}

TEST(servicos_de_teste, arquivos_de_verdade) {
    servicos_de_teste s;
    teste::pasta_temporaria pasta;
    const auto arq = pasta.arquivo("a.xml");
    EXPECT_FALSE(servicos().arquivo_existe(arq));
    std::ofstream(arq) << "x";
    EXPECT_TRUE(servicos().arquivo_existe(arq));
    servicos().apagar_arquivo(arq);
    EXPECT_FALSE(servicos().arquivo_existe(arq));
    EXPECT_THROW(servicos().apagar_arquivo(arq), falha);
}

}  // namespace
}  // namespace orvel
