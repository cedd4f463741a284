// Duas redes no mesmo processo, cada uma no seu contexto: o cálculo trabalha só sobre a rede
// que recebe. Processadas etapa por etapa, alternando entre as duas, cada uma dá o mesmo arquivo
// de projeto que processada sozinha, e o contexto do processo não é lido nem escrito.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "calculo/observador_do_calculo.h"
#include "calculo/processar_rede.h"
#include "comum/arquivos.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_em_grade.h"
#include "comum/servicos_de_teste.h"
#include "comum/veneno_no_contexto.h"
#include "modelo/projeto.h"
#include "modelo/tela_principal.h"
#include "plataforma/numeros.h"

namespace orvel {
namespace {

class observador_que_registra final : public observador_do_calculo {
public:
    int mensagem(const std::string& texto, int, const std::string& titulo) override {
        mensagens.push_back(titulo + ": " + texto);
        return 0;
    }
    std::vector<std::string> mensagens;
};

// Uma grade de 2 × 3 nós com o ciclo imposto e uma de 3 × 3, saturada, com o ciclo calculado.
std::unique_ptr<contexto_da_rede> rede_a(const std::string& arquivo) {
    auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 2, 3, 90);
    c->projeto.nome_do_arquivo = arquivo;
    return c;
}

std::unique_ptr<contexto_da_rede> rede_b(const std::string& arquivo) {
    auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 3, 3, 0, true);
    c->rede.nome_da_rede_dado = "outra grade";
    c->projeto.nome_do_arquivo = arquivo;
    return c;
}

// As etapas de processar_rede, cada uma numa rede e logo na outra, e o salvamento de cada uma.
void processar_alternando(contexto_da_rede& a, contexto_da_rede& b, observador_do_calculo& o) {
    const etapas_do_processamento e = etapas_de_verdade();
    const rede_em_calculo ra(a, o);
    const rede_em_calculo rb(b, o);
    const std::pair<void (*)(const rede_em_calculo&), bool> ordem[] = {
        {e.zerar, false},          {e.copiar, false},
        {e.preparar, false},       {e.ciclo_minimo, false},
        {e.tempo_de_ciclo, false}, {e.tempos_de_verde, false},
        {e.verdes_de_seguranca, false}, {e.defasagens_iniciais, false},
        {e.intervalos_repetidos, false}, {e.defasagens_do_caminho, false},
        {e.defasagens_da_rede, true}, {e.resultados, false}};
    for (const rede_em_calculo* r : {&ra, &rb}) {
        e.validar(*r);
        ASSERT_TRUE(r->projeto.dados_ok);
    }
    for (const auto& [etapa, so_com_niveis] : ordem)
        for (const rede_em_calculo* r : {&ra, &rb}) {
            ASSERT_FALSE(r->derivados.verdes_de_seguranca_nao_atendidos);
            if (!so_com_niveis || r->buscas.quant_de_niveis > 0) etapa(*r);
        }
    for (contexto_da_rede* c : {&a, &b}) {
        c->projeto.salvar_como = false;
        ASSERT_TRUE(salvar_projeto(*c));
    }
}

TEST(duas_redes, alternando_etapa_por_etapa_cada_uma_da_o_arquivo_de_quando_processada_sozinha) {
    servicos_de_teste s;
    const char separador_antes = separador_decimal();
    definir_separador_decimal('.');
    recomecar(contexto());
    etapas() = etapas_de_verdade();
    teste::pasta_temporaria pasta;
    const std::string arquivo_a = pasta.arquivo("a.xml");
    const std::string arquivo_b = pasta.arquivo("b.xml");
    // O desenho (da janela principal, um só) tem os elementos das duas grades.
    auto& d = frmTela_principal_versao2();
    for (int n = 1; n <= 9; ++n) {
        d.no_shape.carregar(n);
        d.apoio_no_label.carregar(n);
    }
    for (int l = 1; l <= 27; ++l) d.carregar_elementos_do_link(l);

    observador_que_registra o;
    std::string sozinha_a, sozinha_b;
    {
        const auto a = rede_a(arquivo_a);
        processar_rede(*a, o);
        sozinha_a = teste::conteudo(arquivo_a);
        EXPECT_FALSE(a->resultados.t_ciclo_da_rede_rel.empty());
        const auto b = rede_b(arquivo_b);
        processar_rede(*b, o);
        sozinha_b = teste::conteudo(arquivo_b);
        EXPECT_EQ(b->derivados.periodo_de_simulacao, 3600);
        EXPECT_NE(a->derivados.t_de_ciclo, b->derivados.t_de_ciclo);
    }
    ASSERT_TRUE(o.mensagens.empty()) << o.mensagens.front();
    EXPECT_NE(sozinha_a, sozinha_b);

    // Com veneno em todo campo do contexto do processo: quem o lesse mudaria o resultado, quem o
    // escrevesse apagaria o veneno.
    teste::envenenar_o_contexto(contexto());
    const auto a = rede_a(arquivo_a);
    const auto b = rede_b(arquivo_b);
    processar_alternando(*a, *b, o);
    EXPECT_TRUE(o.mensagens.empty());
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_TRUE(teste::conteudo(arquivo_a) == sozinha_a) << "a rede A mudou quando alternada com a B";
    EXPECT_TRUE(teste::conteudo(arquivo_b) == sozinha_b) << "a rede B mudou quando alternada com a A";
    // Só o título das janelas muda: as janelas (como o desenho) são as do programa, e o
    // salvamento de qualquer rede as intitula com o nome do arquivo gravado.
    teste::conferir_o_contexto(contexto(), [](const std::string& campo, const int*, std::size_t) {
        return campo == "janelas.titulo_das_janelas" ? teste::esperado::qualquer : teste::esperado::veneno;
    });

    recomecar(contexto());
    destruir_todas_as_janelas();
    definir_separador_decimal(separador_antes);
}

// O processamento fala com o usuário pelo observador que recebe, não pelo instalado no processo:
// os avisos da validação de uma rede inválida e a pergunta de salvar chegam a ele.
TEST(duas_redes, o_processamento_fala_pelo_observador_que_recebe) {
    servicos_de_teste s;
    observador_que_registra o;
    const auto c = std::make_unique<contexto_da_rede>();
    teste::novo_no(c->rede, "N1");
    processar_rede(*c, o);
    ASSERT_GE(o.mensagens.size(), 2u);
    EXPECT_EQ(o.mensagens.front().rfind("Aviso: ", 0), 0u) << o.mensagens.front();
    EXPECT_EQ(o.mensagens.back(), "Aviso: você quer salvar o projeto?");
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_FALSE(c->projeto.dados_ok);
}

}  // namespace
}  // namespace orvel
