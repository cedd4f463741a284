// Duas redes no mesmo processo, cada uma no seu contexto: o cálculo trabalha só sobre a rede
// que recebe. Processadas etapa por etapa, alternando entre as duas, cada uma dá o mesmo arquivo
// de projeto que processada sozinha, com o seu próprio desenho, e o contexto do processo não é
// lido nem escrito.

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
#include "plataforma/formularios.h"
#include "plataforma/numeros.h"
#include "plataforma/textos.h"

namespace orvel {
namespace {

class observador_que_registra final : public observador_do_calculo {
public:
    int mensagem(const std::string& texto, int, const std::string& titulo) override {
        mensagens.push_back(titulo + ": " + texto);
        return 0;
    }
    void relatar_erro(const std::string& codigo) override { mensagens.push_back(codigo); }
    std::vector<std::string> mensagens;
};

// Um desenho próprio para cada rede: cada nó e cada link num lugar que só ela usa (a partir da
// origem dada), com o seu nome no rótulo.
void desenhar(contexto_da_rede& c, Single origem) {
    desenho_dado& d = c.desenho;
    for (int n = 1; n <= max_nos; ++n) {
        if (!c.rede.existe_no(n)) continue;
        d.no_shape_Left(n) = origem + Single(600 * n);
        d.no_shape_Top(n) = origem + 300;
        d.no_shape_Height(n) = 480;
        d.apoio_no_label_Left(n) = d.no_shape_Left(n) + 70;
        d.apoio_no_label_Top(n) = d.no_shape_Top(n) + 70;
        d.apoio_no_label_Height(n) = 340;
        d.apoio_no_label_Caption(n) = c.rede.nome_do_no_dado(n);
    }
    for (int l = 1; l <= max_links; ++l) {
        if (!c.rede.existe_link(l)) continue;
        d.corpo_link_line_X1(l) = origem + Single(10 * l);
        d.corpo_link_line_Y1(l) = origem + 2000;
        d.corpo_link_line_X2(l) = origem + Single(10 * l + 500);
        d.corpo_link_line_Y2(l) = origem + 2000;
        d.etiqueta_link_label_Left(l) = origem + Single(10 * l + 250);
        d.etiqueta_link_label_Caption(l) = c.rede.nome_do_link_dado(l);
    }
}

// Uma grade de 2 × 3 nós com o ciclo imposto e uma de 3 × 3, saturada, com o ciclo calculado.
std::unique_ptr<contexto_da_rede> rede_a(const std::string& arquivo) {
    auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 2, 3, 90);
    desenhar(*c, 1000);
    c->projeto.nome_do_arquivo = arquivo;
    return c;
}

std::unique_ptr<contexto_da_rede> rede_b(const std::string& arquivo) {
    auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 3, 3, 0, true);
    desenhar(*c, 7000);
    c->rede.nome_da_rede_dado = "outra grade";
    c->projeto.nome_do_arquivo = arquivo;
    return c;
}

// O arquivo tem o desenho da rede gravada: o círculo do nó 1 e o corpo do link 1 no lugar dela.
void conferir_o_desenho_no_arquivo(const std::string& arquivo, Single origem) {
    const std::string texto = teste::conteudo(arquivo);
    for (const std::string& chave :
         {"<no_shape_Left>" + texto_de_single(origem + 600) + "</no_shape_Left>",
          "<corpo_link_line_X1>" + texto_de_single(origem + 10) + "</corpo_link_line_X1>",
          "<etiqueta_link_label_Left>" + texto_de_single(origem + 260) + "</etiqueta_link_label_Left>"})
        EXPECT_NE(texto.find(chave), std::string::npos) << chave << " falta em " << arquivo;
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
        ASSERT_TRUE(salvar_projeto(*c, c->projeto.nome_do_arquivo).feito());
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
    conferir_o_desenho_no_arquivo(arquivo_a, 1000);
    conferir_o_desenho_no_arquivo(arquivo_b, 7000);

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
    // Nem o título das janelas muda: o salvamento de uma rede não fala com janela nenhuma.
    teste::conferir_o_contexto(contexto(), [](const std::string&, const int*, std::size_t) {
        return teste::esperado::veneno;
    });

    recomecar(contexto());
    destruir_todas_as_janelas();
    definir_separador_decimal(separador_antes);
}

// A abertura e o salvamento trabalham na rede que recebem e devolvem o que aconteceu, sem
// caixa nenhuma: o arquivo de referência aberto numa rede própria volta com o seu desenho, e
// um arquivo que não é projeto, um valor recusado e uma gravação que falha só são contados.
TEST(duas_redes, abrir_e_salvar_numa_rede_propria_devolvem_o_que_aconteceu) {
    servicos_de_teste s;
    s.pasta = "/opt/orvel";  // a da folha de estilo do arquivo de referência
    const char separador_antes = separador_decimal();
    definir_separador_decimal('.');
    teste::pasta_temporaria pasta;
    teste::envenenar_o_contexto(contexto());
    const std::string referencia = std::string(ORVEL_DADOS_DE_TESTE) + "/projeto_pequeno.xml";

    const auto c = std::make_unique<contexto_da_rede>();
    c->projeto.projeto_alterado = true;
    ASSERT_TRUE(abrir_projeto(*c, referencia).feito());
    EXPECT_EQ(c->projeto.nome_do_arquivo, referencia);
    EXPECT_FALSE(c->projeto.projeto_alterado);
    EXPECT_EQ(c->desenho.no_shape_Left(2), 3000.0f);
    EXPECT_EQ(c->desenho.etiqueta_link_label_Caption(1), "L1");
    const std::string copia = pasta.arquivo("pequena.xml");  // o nome que o arquivo guarda
    ASSERT_TRUE(salvar_projeto(*c, copia).feito());
    EXPECT_EQ(c->projeto.nome_do_arquivo, copia);
    EXPECT_EQ(c->projeto.caption_dos_forms, "pequena.xml");
    EXPECT_TRUE(teste::conteudo(copia) == teste::conteudo(referencia));

    // Um arquivo que não é projeto: recusado, a rede e o seu arquivo como estavam.
    const std::string outro = pasta.arquivo("outro.xml");
    teste::escrever(outro, "<?xml version=\"1.0\"?><html/>");
    resultado_do_arquivo r = abrir_projeto(*c, outro);
    EXPECT_EQ(r.como, resultado_do_arquivo::situacao::recusado);
    EXPECT_EQ(r.texto, "o arquivo outro.xml não é um projeto do ORVEL");
    EXPECT_EQ(r.chave, "");
    EXPECT_EQ(c->projeto.nome_do_arquivo, copia);
    EXPECT_EQ(c->desenho.no_shape_Left(2), 3000.0f);

    // Um valor que os diálogos não aceitam: a chave e o elemento vêm com o texto.
    std::string texto = teste::conteudo(referencia);
    const std::string verde = "<verde_de_seguranca_dado>12<";
    ASSERT_NE(texto.find(verde), std::string::npos);
    texto.replace(texto.find(verde), verde.size(), "<verde_de_seguranca_dado>300<");
    const std::string fora = pasta.arquivo("fora.xml");
    teste::escrever(fora, texto);
    r = abrir_projeto(*c, fora);
    EXPECT_EQ(r.como, resultado_do_arquivo::situacao::recusado);
    EXPECT_EQ(r.chave, "verde_de_seguranca_dado");
    EXPECT_EQ(r.elemento, "link1");
    EXPECT_EQ(r.texto.rfind("o arquivo fora.xml tem um valor que os diálogos não aceitam: verde_de_seguranca_dado = 300", 0), 0u)
        << r.texto;
    EXPECT_EQ(c->projeto.nome_do_arquivo, copia);

    // Uma gravação que falha: o código do relato, e projeto_alterado como estava.
    c->projeto.projeto_alterado = true;
    r = salvar_projeto(*c, pasta.arquivo("sumiu/rede.xml"));
    EXPECT_EQ(r.como, resultado_do_arquivo::situacao::falhou);
    EXPECT_EQ(r.codigo, "Erro 146");
    EXPECT_FALSE(r.texto.empty());
    EXPECT_TRUE(c->projeto.projeto_alterado);

    EXPECT_TRUE(s.mensagens.empty());
    teste::conferir_o_contexto(contexto(), [](const std::string&, const int*, std::size_t) {
        return teste::esperado::veneno;
    });
    recomecar(contexto());
    definir_separador_decimal(separador_antes);
}

// Uma etapa que falha relata pelo observador da execução, não pelos serviços do processo.
TEST(duas_redes, a_falha_de_uma_etapa_vai_ao_relator_da_execucao) {
    servicos_de_teste s;
    observador_que_registra o;
    const auto c = std::make_unique<contexto_da_rede>();
    teste::montar_rede_em_grade(c->rede, 2, 2, 90);
    c->rede.max_indice_link = 200;  // além das tabelas dos links
    const rede_em_calculo r(*c, o);
    const etapas_do_processamento e = etapas_de_verdade();
    e.zerar(r);
    e.copiar(r);
    e.preparar(r);
    ASSERT_FALSE(o.mensagens.empty());
    EXPECT_EQ(o.mensagens.front().rfind("Erro ", 0), 0u) << o.mensagens.front();
    EXPECT_TRUE(s.mensagens.empty());
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
