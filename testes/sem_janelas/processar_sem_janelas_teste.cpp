// O modelo e o cálculo sem janela nenhuma. Este programa liga só com as bibliotecas do modelo e
// do cálculo (e a plataforma abaixo delas): se alguma das duas chamasse o editor, um diálogo ou
// uma vista, ele não ligaria. Abre um arquivo de projeto, processa pelo observador do cálculo e
// confere as chaves de resultado.

#include <gtest/gtest.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "calculo/observador_do_calculo.h"
#include "calculo/processar_rede.h"
#include "comum/arquivos.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_em_grade.h"
#include "comum/resultados_da_grade.h"
#include "modelo/limpar_rede.h"
#include "modelo/projeto.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/documento_xml.h"
#include "plataforma/falha.h"
#include "plataforma/formularios.h"
#include "plataforma/numeros.h"
#include "comum/servicos_de_teste.h"

namespace orvel {
namespace {

// Registra o que o processamento diz ao usuário; as caixas respondem o botão que não muda nada.
class observador_de_registro final : public observador_do_calculo {
public:
    int mensagem(const std::string& texto, int, const std::string& titulo) override {
        mensagens.push_back(titulo + ": " + texto);
        return 0;
    }
    void ponteiro(Integer p) override { ponteiros.push_back(p); }
    void aplicar_coluna(coluna_de_comandos c) override { colunas.push_back(c); }
    void sondar() override { ++sondagens; }

    std::vector<std::string> mensagens;
    std::vector<Integer> ponteiros;
    std::vector<coluna_de_comandos> colunas;
    int sondagens = 0;
};

class sem_janelas : public ::testing::Test {
protected:
    void SetUp() override {
        destruir_todas_as_janelas();
        recomecar(contexto());
        separador_antes = separador_decimal();
        definir_separador_decimal('.');
        instalar_observador_do_calculo(&obs);
        s.pasta = "/opt/orvel";
        nome_do_arquivo.clear();
        salvar_como = false;
        caption_dos_forms.clear();
        etapas() = etapas_de_verdade();
        esvaziar_rede(contexto());
    }
    void TearDown() override {
        instalar_observador_do_calculo(nullptr);
        definir_separador_decimal(separador_antes);
        destruir_todas_as_janelas();
    }

    bool abrir(const std::string& caminho) { return abrir_projeto(contexto(), caminho).feito(); }
    bool salvar(const std::string& caminho) { return salvar_projeto(contexto(), caminho).feito(); }

    // Nem o desenho da rede foi carregado: o modelo o guarda só como dados.
    void conferir_que_nenhuma_janela_abriu() { EXPECT_TRUE(janelas_carregadas().empty()); }

    servicos_de_teste s;
    observador_de_registro obs;
    teste::pasta_temporaria pasta;
    char separador_antes = '.';
};

// O arquivo de referência, aberto e salvo de novo só pelo modelo, sai igual byte a byte.
TEST_F(sem_janelas, abre_e_salva_o_arquivo_de_referencia) {
    const std::string referencia = std::string(ORVEL_DADOS_DE_TESTE) + "/projeto_pequeno.xml";
    ASSERT_TRUE(abrir(referencia));
    EXPECT_EQ(nome_da_rede_dado, "Rede <teste> \xE2\x82\xAC");
    EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "90");
    EXPECT_EQ(contexto().resultados.StrLinks_com_maior_grau_de_saturacao_rel, "L1,L3");

    const std::string copia = pasta.arquivo("pequena.xml");
    ASSERT_TRUE(salvar(copia));
    EXPECT_TRUE(teste::conteudo(copia) == teste::conteudo(referencia)) << "difere de testes/dados/projeto_pequeno.xml";
    EXPECT_TRUE(s.mensagens.empty());
    conferir_que_nenhuma_janela_abriu();
}

// Uma grade de 2 × 3 nós, salva, reaberta e processada: o cálculo só falou pelo observador, e
// as chaves de resultado são as de sempre.
TEST_F(sem_janelas, processa_um_arquivo_de_projeto_pelo_observador) {
    teste::montar_rede_em_grade(2, 3, 90);
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n)) contexto().desenho.apoio_no_label_Caption(n) = nome_do_no_dado(n);
    const std::string arquivo = pasta.arquivo("grade.xml");
    ASSERT_TRUE(salvar(arquivo));

    esvaziar_rede(contexto());
    ASSERT_TRUE(abrir(arquivo));
    processar_rede(contexto(), observador_do_calculo_instalado());

    EXPECT_TRUE(obs.mensagens.empty()) << obs.mensagens.front();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(obs.ponteiros, (std::vector<Integer>{ponteiro_seta_e_ampulheta, ponteiro_padrao}));
    EXPECT_TRUE(obs.colunas.empty());
    EXPECT_GT(obs.sondagens, 0);
    EXPECT_EQ(s.eventos_processados, 0);
    EXPECT_TRUE(dados_ok);
    EXPECT_FALSE(projeto_alterado);
    conferir_que_nenhuma_janela_abriu();

    const auto chaves = teste::chaves_de_resultado_atuais();
    for (const auto& [nome, valor] : chaves) std::cout << nome << " = " << valor << '\n';
    EXPECT_EQ(chaves, teste::chaves_de_resultado_da_grade());

    // Salvo no fim do processamento, o arquivo traz os mesmos textos.
    const std::string salvo = teste::conteudo(arquivo);
    EXPECT_NE(salvo.find("<t_ciclo_da_rede_rel>90</t_ciclo_da_rede_rel>"), std::string::npos);
    EXPECT_NE(salvo.find("<atraso_rede_rel>" + contexto().resultados.atraso_rede_rel + "</atraso_rede_rel>"), std::string::npos);
}

// O salvamento do fim que falha (a pasta do arquivo sumiu) mostra a sua caixa, também quando
// uma etapa da mesma execução já mostrou a dela.
TEST_F(sem_janelas, o_salvamento_do_fim_que_falha_e_relatado_depois_de_outra_falha) {
    teste::montar_rede_em_grade(2, 3, 90);
    nome_do_arquivo = pasta.arquivo("sumiu/grade.xml");
    etapas().resultados = [](const rede_em_calculo& r) {
        com_codigo(r.observador, "Erro 130", [] { falhar(tipo_de_falha::divisao_por_zero); });
    };
    processar_rede(contexto(), observador_do_calculo_instalado());

    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 130");
    EXPECT_EQ(s.mensagens[1].titulo, "Erro 146");
    EXPECT_TRUE(projeto_alterado);
}

// O salvamento do fim que trocou o arquivo vale, também quando a pasta não sincroniza com o
// disco depois: o projeto fica sem alterações, e o "Aviso" diz o risco.
TEST_F(sem_janelas, o_salvamento_do_fim_vale_sem_a_pasta_no_disco) {
    teste::montar_rede_em_grade(2, 3, 90);
    nome_do_arquivo = pasta.arquivo("grade.xml");
    projeto_alterado = true;
    {
        const falha_simulada_da_gravacao falha(chamada_da_gravacao::sincronizar_pasta, EIO);
        processar_rede(contexto(), observador_do_calculo_instalado());
    }
    EXPECT_FALSE(projeto_alterado);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(obs.mensagens, std::vector<std::string>{"Aviso: o projeto foi gravado em " + nome_do_arquivo + ", mas a pasta " +
                                                      pasta.caminho().string() +
                                                      " não pôde ser sincronizada com o disco (erro de entrada e saída): "
                                                      "se faltar energia logo agora, a gravação pode se perder"});
}

}  // namespace
}  // namespace orvel
