// Todo arquivo que o programa grava, a partir de um arquivo que ele aceitou, abre de novo: o
// que uma execução deixa nas tabelas, o que o salvamento mantém do arquivo e o tamanho do que
// ele grava.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <tuple>

#include "calculo/observador_do_calculo.h"
#include "calculo/processar_rede.h"
#include "comum/arquivos.h"
#include "comum/arquivos_feitos_que_abrem.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_de_teste.h"
#include "comum/reabrir_projeto.h"
#include "comum/rede_cheia.h"
#include "comum/rede_propria.h"
#include "comum/percorrer.h"
#include "comum/redes_comparadas_como_entrada.h"
#include "editor/desenho_da_rede.h"
#include "modelo/projeto.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/documento_xml.h"
#include "plataforma/numeros.h"

namespace orvel {
namespace {

using teste::conteudo;
using teste::escrever;

class reabrir_projeto : public teste::com_projeto_em_arquivo {
protected:
    void SetUp() override {
        teste::com_projeto_em_arquivo::SetUp();
        etapas() = etapas_de_verdade();
    }

    // Um nó de dois grupos e quatro intervalos (os amarelos impostos em 3 s) e os links de
    // entrada dados: fluxo, fluxo de saturação e grupo.
    struct entrada {
        Single fluxo, saturacao;
        int grupo;
    };
    void no_com_entradas(std::initializer_list<entrada> entradas, Byte verde = 10, const char* cores_do_grupo2 = "3312") {
        const int n = teste::novo_no("N1", 2, 4);
        teste::cores_do_grupo(n, 1, "1233");
        teste::cores_do_grupo(n, 2, cores_do_grupo2);
        duracao_imposta_dado(n, 2) = 3;
        duracao_imposta_dado(n, 4) = 3;
        int k[3] = {0, 0, 0};
        for (const entrada& e : entradas) {
            const std::string nome = "E" + std::to_string(total_de_links_dado + 1);
            const int l = teste::novo_link(nome, "", "N1", e.fluxo, e.saturacao);
            verde_de_seguranca_dado(l) = verde;
            nome_dos_links_do_grupo_dado(n, e.grupo, ++k[e.grupo]) = nome;
        }
        teste::carregar_o_desenho_da_rede();
    }

    // Processa o projeto aberto (ou salvo), como o "Processar": o salvamento do fim grava nele.
    void processar() { processar_rede(contexto(), observador_do_calculo_instalado()); }

    bool mostrou(const std::string& texto) const {
        for (const auto& m : s.mensagens)
            if (m.texto == texto) return true;
        return false;
    }
};

constexpr char nao_cabe_no_ciclo[] =
    "Não foi possível atender, simultaneamente, aos verdes de segurança e ao máximo tempo de ciclo permitido";

// Os verdes de segurança que não cabem no ciclo: o "Processar" avisa, segue com as durações como
// estão e salva; a soma passa do ciclo (e, com um ciclo imposto curto e um grupo sempre verde,
// uma duração também).
TEST_F(reabrir_projeto, duracoes_que_passam_do_ciclo_depois_dos_verdes_de_seguranca_abrem) {
    struct caso {
        const char* nome;
        Integer ciclo_imposto;
        Single fluxo;
        Byte verde;
    };
    for (const caso& c : {caso{"maximo_120", 0, 0, 10}, caso{"imposto_300", 300, 9999, 10}, caso{"imposto_20", 20, 0, 40}}) {
        SCOPED_TRACE(c.nome);
        limpar_rede(contexto());
        teste::esvaziar_rede();
        if (c.fluxo == 0 && c.ciclo_imposto == 0)
            no_com_entradas({{100, 100, 1}, {300, 300, 1}, {300, 300, 2}}, c.verde);
        else if (c.fluxo == 0)
            no_com_entradas({{300, 1800, 1}, {300, 1800, 2}}, c.verde, "1111");
        else
            no_com_entradas({{c.fluxo, c.fluxo, 1}, {c.fluxo, c.fluxo, 2}}, c.verde);
        t_de_ciclo_imposto_dado = c.ciclo_imposto;
        const std::string caminho = pasta.arquivo(std::string(c.nome) + ".xml");
        s.mensagens.clear();
        ASSERT_TRUE(salvar_em(caminho)) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
        processar();
        ASSERT_TRUE(mostrou(nao_cabe_no_ciclo)) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
        Long soma = 0;
        for (int k = 1; k <= 4; ++k) soma += contexto().derivados.duracao_do_intervalo(1, k);
        ASSERT_GT(soma, contexto().derivados.t_de_ciclo);
        if (c.ciclo_imposto == 20) {
            ASSERT_GT(contexto().derivados.duracao_do_intervalo(1, 1), 20);
        }

        teste::reabre_sem_aviso(s, caminho);
        EXPECT_EQ(contexto().derivados.t_de_ciclo, c.ciclo_imposto == 0 ? 120 : c.ciclo_imposto);
    }
}

// Um nó que tinha 6 intervalos e passou a ter 4: o salvamento mantém as chaves dcd5 e dcd6 da
// execução anterior, maiores que o ciclo novo, e nada as lê.
TEST_F(reabrir_projeto, chaves_dcd_alem_dos_intervalos_do_no_abrem) {
    const int n = teste::novo_no("N1", 2, 6);
    teste::cores_do_grupo(n, 1, "123312");
    teste::cores_do_grupo(n, 2, "331233");
    for (int k : {2, 4, 6}) duracao_imposta_dado(n, k) = 3;
    for (const char* nome : {"E1", "E2"}) {
        const int l = teste::novo_link(nome, "", "N1", nome[1] == '1' ? 1600 : 200, 1800);
        verde_de_seguranca_dado(l) = 8;
    }
    teste::links_do_grupo(n, 1, {"E1"});
    teste::links_do_grupo(n, 2, {"E2"});
    teste::carregar_o_desenho_da_rede();
    t_de_ciclo_imposto_dado = 150;
    const std::string caminho = pasta.arquivo("seis.xml");
    ASSERT_TRUE(salvar_em(caminho));
    processar();
    ASSERT_EQ(contexto().derivados.quant_de_intervalos_depois(n), 6);

    teste::reabre_sem_aviso(s, caminho);
    quant_de_intervalos_antes_dado(n) = 4;
    teste::cores_do_grupo(n, 1, "1233");
    teste::cores_do_grupo(n, 2, "3312");
    for (int k = 5; k <= 6; ++k) {
        duracao_imposta_dado(n, k) = 0;
        for (int g = 1; g <= 2; ++g) cor_do_intervalo_do_grupo_dado(n, g, k) = 0;
    }
    t_de_ciclo_imposto_dado = 25;
    processar();
    ASSERT_EQ(contexto().derivados.quant_de_intervalos_depois(n), 4);
    const std::string salvo = conteudo(caminho);
    const auto p = salvo.find("<dcd5>");
    ASSERT_NE(p, std::string::npos);
    ASSERT_GT(ler_numero_do_arquivo(salvo.substr(p + 6, 4)), 25.0) << "a chave velha deveria passar do ciclo novo";

    teste::reabre_sem_aviso(s, caminho);
    EXPECT_EQ(contexto().derivados.t_de_ciclo, 25);
}

// Um código de cor que nenhuma execução dá, num intervalo além dos que a execução reescreve,
// é recusado já num projeto não processado: nenhuma execução chega a guardá-lo.
TEST_F(reabrir_projeto, cor_final_fora_da_faixa_recusada_antes_de_processar) {
    no_com_entradas({{300, 1800, 1}, {300, 1800, 2}});
    const std::string caminho = pasta.arquivo("cor.xml");
    ASSERT_TRUE(salvar_em(caminho));
    std::string texto = conteudo(caminho);
    const std::string de = "<cor_do_intervalo_do_grupo1_depois>0,0,0,0,0,";
    const auto p = texto.find(de);
    ASSERT_NE(p, std::string::npos);
    texto.replace(p, de.size(), "<cor_do_intervalo_do_grupo1_depois>0,0,0,0,7,");
    const std::string cor = pasta.arquivo("cor7.xml");
    escrever(cor, texto);
    s.mensagens.clear();
    EXPECT_FALSE(abrir(cor));
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "o arquivo cor7.xml tem um valor que os diálogos não aceitam: "
                                    "cor_do_intervalo_do_grupo1_depois = 7 (em no1), fora da faixa entre 0 e 3");
}

// O salvamento nunca grava o que a abertura não lê: um arquivo aceito perto do limite de
// tamanho, ou de elementos, passaria dele com as chaves que o salvamento acrescenta.
TEST_F(reabrir_projeto, salvamento_que_passaria_dos_limites_da_abertura_falha_e_mantem_o_arquivo) {
    const std::string bloco(limite_de_bytes_de_um_arquivo / 100, 'x');
    std::string grande = "<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede>";
    while (grande.size() + bloco.size() + 20 < limite_de_bytes_de_um_arquivo) grande += "<a>" + bloco + "</a>";
    // A 200 bytes do limite: a declaração, a instrução e as chaves do salvamento passam dele.
    grande += "<a>" + std::string(limite_de_bytes_de_um_arquivo - grande.size() - 200, 'x') + "</a>";
    // Elementos de 1000 filhos e, na raiz, o que deixa o documento a 18 elementos do limite (com
    // uns 20 filhos a menos que o limite na raiz): perto dos dois limites.
    std::string mil;
    for (int k = 0; k < limite_de_filhos_de_um_elemento; ++k) mil += "<c/>";
    std::string muitos = "<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede>";
    const int blocos = limite_de_elementos_de_um_documento / limite_de_filhos_de_um_elemento - 1;
    for (int i = 0; i < blocos; ++i) muitos += "<b>" + mil + "</b>";
    for (int i = 0; i < limite_de_elementos_de_um_documento - 21 - blocos * (limite_de_filhos_de_um_elemento + 1); ++i)
        muitos += "<c/>";
    for (const auto& [nome, texto, motivo] :
         {std::tuple<const char*, std::string, const char*>{"grande.xml", grande + "</rss>", "o projeto passaria de 8 MB\n"},
          std::tuple<const char*, std::string, const char*>{"muitos.xml", muitos + "</rss>", "o projeto teria elementos demais\n"}}) {
        SCOPED_TRACE(nome);
        const std::string caminho = pasta.arquivo(nome);
        escrever(caminho, texto);
        limpar_rede(contexto());
        s.mensagens.clear();
        ASSERT_TRUE(abrir(caminho));
        ASSERT_TRUE(s.mensagens.empty()) << s.mensagens[0].texto;
        projeto_alterado = true;
        EXPECT_FALSE(salvar_pelas_janelas(contexto()));
        ASSERT_EQ(s.mensagens.size(), 1u);
        EXPECT_EQ(s.mensagens[0].titulo, "Erro 146");
        EXPECT_EQ(s.mensagens[0].texto, motivo);
        EXPECT_TRUE(projeto_alterado);
        EXPECT_TRUE(conteudo(caminho) == texto) << "o arquivo antigo mudou";
    }
}

// O arquivo do projeto trocado no disco por um documento que a abertura recusaria (outra raiz,
// o mesmo projeto num espaço de nomes, um prefixo sem declaração): o salvamento grava o projeto
// num documento novo, com a sua própria raiz e a instrução da folha de estilo, e o arquivo abre
// de novo.
TEST_F(reabrir_projeto, arquivo_trocado_por_outro_documento_recebe_um_projeto_inteiro) {
    no_com_entradas({{300, 1800, 1}, {300, 1800, 2}});
    const std::string caminho = pasta.arquivo("trocado.xml");
    ASSERT_TRUE(salvar_em(caminho));
    ASSERT_TRUE(abrir(caminho));
    const std::string projeto = conteudo(caminho);
    auto trocado = [&](const std::string& de, const std::string& para) {
        std::string t = projeto;
        for (auto p = t.find(de); p != std::string::npos; p = t.find(de, p + para.size())) t.replace(p, de.size(), para);
        return t + "<!-- outro -->";
    };
    const std::string outros[] = {
        "<?xml version=\"1.0\"?>\n<html><body><p>outro</p></body></html>\n",
        trocado("<rss>", "<rss xmlns=\"urn:x\">"),
        trocado("<rede>", "<rede xmlns=\"urn:x\">"),
        trocado("rss>", "p:rss>"),
    };
    for (const std::string& outro : outros) {
        SCOPED_TRACE(outro.substr(0, 120));
        escrever(caminho, outro);
        salvar_como = false;
        ASSERT_TRUE(salvar_pelas_janelas(contexto()));
        const std::string salvo = conteudo(caminho);
        EXPECT_EQ(salvo.find("<html>"), std::string::npos);
        EXPECT_EQ(salvo.find("outro"), std::string::npos);
        EXPECT_EQ(salvo.find("urn:x"), std::string::npos);
        EXPECT_NE(salvo.find("<?xml-stylesheet type=\"text/xsl\" href=\"/opt/orvel/modelo_orvel.xsl\"?>\n<rss>"),
                  std::string::npos);
        teste::reabre_sem_aviso(s, caminho);
        EXPECT_EQ(nome_do_link_dado(2), "E2");
    }
}

// As faixas da abertura nos seus extremos: o ciclo imposto igual ao máximo e o fluxo igual ao
// de saturação abrem; um nó com nome e sem grupos, não.
TEST_F(reabrir_projeto, faixas_da_abertura_nos_valores_iguais) {
    no_com_entradas({{1800, 1800, 1}, {300, 1800, 2}});
    t_de_ciclo_imposto_dado = 90;
    t_de_ciclo_maximo_imposto_dado = 90;
    const std::string caminho = pasta.arquivo("iguais.xml");
    ASSERT_TRUE(salvar_em(caminho));
    teste::reabre_sem_aviso(s, caminho);
    EXPECT_EQ(t_de_ciclo_imposto_dado, 90);
    EXPECT_EQ(fluxo_dado(1), fluxo_de_saturacao_dado(1));

    std::string texto = conteudo(caminho);
    for (const char* chave : {"quant_de_grupos_dado", "quant_de_intervalos_antes_dado"}) {
        const std::string abre = std::string("<") + chave + ">";
        const auto p = texto.find(abre) + abre.size();
        texto.replace(p, texto.find('<', p) - p, "0");
    }
    const std::string sem_grupos = pasta.arquivo("sem_grupos.xml");
    escrever(sem_grupos, texto);
    s.mensagens.clear();
    EXPECT_FALSE(abrir(sem_grupos));
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "o arquivo sem_grupos.xml tem um valor que os diálogos não aceitam: "
                                    "quant_de_grupos_dado = 0 (em no1), fora da faixa entre 1 e 8");
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// A propriedade: um arquivo aceito, processado e salvo (e salvo de novo sem processar) abre
// outra vez sem aviso algum.
class reabrir_toda_rede : public reabrir_projeto {
protected:
    // O projeto no caminho abre sem aviso; processado, abre; salvo de novo, abre.
    void processar_e_reabrir(const std::string& caminho) {
        teste::reabre_sem_aviso(s, caminho);
        if (HasFailure()) return;
        processar();
        teste::reabre_sem_aviso(s, caminho);
        if (HasFailure()) return;
        salvar_como = false;
        ASSERT_TRUE(salvar_pelas_janelas(contexto()));
        teste::reabre_sem_aviso(s, caminho);
    }
};

TEST_F(reabrir_toda_rede, redes_da_simulacao_comparada) {
    int processadas = 0, i = 0;
    for (const teste::rede_comparada& p : teste::redes_da_simulacao_comparada()) {
        SCOPED_TRACE("rede " + std::to_string(++i) + ", semente " + std::to_string(p.semente));
        limpar_rede(contexto());
        teste::montar_rede_comparada(contexto().rede, p);
        teste::carregar_o_desenho_da_rede();
        const std::string caminho = pasta.arquivo("comparada" + std::to_string(i) + ".xml");
        s.mensagens.clear();
        ASSERT_TRUE(salvar_em(caminho)) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
        processar();
        // A rede é uma que o "Processar" aceita: foi calculada até o fim.
        EXPECT_TRUE(dados_ok) << (s.mensagens.empty() ? "" : s.mensagens[0].texto);
        processadas += contexto().derivados.t_de_ciclo == p.ciclo;
        processar_e_reabrir(caminho);
        if (HasFailure()) return;
    }
    EXPECT_EQ(processadas, static_cast<int>(teste::redes_da_simulacao_comparada().size()));
}

TEST_F(reabrir_toda_rede, arquivos_de_teste_e_arquivos_feitos_a_mao) {
    std::vector<teste::arquivo_feito> arquivos = teste::documentos_feitos_que_abrem();
    for (const auto& e : std::filesystem::directory_iterator(ORVEL_DADOS_DE_TESTE))
        if (e.path().extension() == ".xml") arquivos.push_back({e.path().filename().string(), conteudo(e.path().string())});
    // As mudanças, num arquivo de projeto de teste e numa rede processada.
    const std::string pequeno = conteudo(std::string(ORVEL_DADOS_DE_TESTE) + "/projeto_pequeno.xml");
    ASSERT_FALSE(pequeno.empty());
    for (auto m : teste::mudancas_que_abrem(pequeno)) arquivos.push_back({"pequeno_" + m.nome, m.texto});
    teste::montar_rede_comparada(contexto().rede, teste::redes_da_simulacao_comparada()[0]);
    teste::carregar_o_desenho_da_rede();
    const std::string processada = pasta.arquivo("processada.xml");
    ASSERT_TRUE(salvar_em(processada));
    processar();
    for (auto m : teste::mudancas_que_abrem(conteudo(processada))) arquivos.push_back({"processada_" + m.nome, m.texto});
    EXPECT_GE(arquivos.size(), 15u);

    for (const teste::arquivo_feito& a : arquivos) {
        SCOPED_TRACE(a.nome);
        const std::string caminho = pasta.arquivo(a.nome);
        escrever(caminho, a.texto);
        processar_e_reabrir(caminho);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Os campos em que duas redes diferem: "grupo.campo(índices,)" do primeiro elemento diferente
// de cada um.
struct diferencas_entre_redes {
    std::vector<std::string> campos;

    template <class T, int... L>
    void comparar(const std::string& nome, tabela<T, L...>& a, const tabela<T, L...>& b) {
        bool achou = false;
        teste::percorrer(a, [&](const std::array<int, sizeof...(L)>& i, T& v) {
            if (achou || v == b.dados()[&v - a.dados()]) return;
            achou = true;
            std::string s = nome + "(";
            for (int k : i) s += std::to_string(k) + ",";
            campos.push_back(s + ")");
        });
    }
    template <class T>
    void comparar(const std::string& nome, const T& a, const T& b) {
        if (!(a == b)) campos.push_back(nome);
    }
};

// A rede, o desenho e as listas do arquivo das duas são iguais, campo por campo; com_resultados,
// também os dados derivados, os resultados e o estado das buscas.
::testing::AssertionResult mesma_rede(contexto_da_rede& a, contexto_da_rede& b, bool com_resultados) {
    diferencas_entre_redes d;
    std::string grupo;
#define ORVEL_COMPARAR(campos, membro) \
    grupo = #membro ".";               \
    [&](auto& x, auto& y) { campos(ORVEL_COMPARAR_CAMPO) }(a.membro, b.membro);
#define ORVEL_COMPARAR_CAMPO(nome, ...) d.comparar(grupo + #nome, x.nome, y.nome);
    ORVEL_COMPARAR(ORVEL_CAMPOS_DA_REDE_DADA, rede)
    ORVEL_COMPARAR(ORVEL_CAMPOS_DO_DESENHO_DADO, desenho)
    ORVEL_COMPARAR(ORVEL_CAMPOS_DAS_LISTAS_DO_ARQUIVO, listas)
    if (com_resultados) {
        ORVEL_COMPARAR(ORVEL_CAMPOS_DOS_DADOS_DERIVADOS, derivados)
        ORVEL_COMPARAR(ORVEL_CAMPOS_DOS_RESULTADOS_DO_CALCULO, resultados)
        ORVEL_COMPARAR(ORVEL_CAMPOS_DO_ESTADO_DAS_BUSCAS, buscas)
    }
#undef ORVEL_COMPARAR_CAMPO
#undef ORVEL_COMPARAR
    if (d.campos.empty()) return ::testing::AssertionSuccess();
    auto falha = ::testing::AssertionFailure() << d.campos.size() << " campos diferentes:";
    for (const std::string& c : d.campos) falha << " " << c;
    return falha;
}

// A rede com todas as posições em uso, salva, aberta numa rede nova e salva de novo por cima,
// volta igual campo a campo e byte a byte; sem o nó 50 e o link 150, gravada por cima do
// arquivo da rede cheia, dá o mesmo arquivo que num caminho novo. O maior projeto, processado,
// dá a medida do limite de bytes da leitura.
TEST(rede_cheia, vai_e_volta_campo_a_campo_e_byte_a_byte) {
    servicos_de_teste s;
    s.pasta = "/opt/orvel";
    definir_separador_decimal('.');
    teste::pasta_temporaria pasta;
    // O mesmo nome de arquivo nas duas pastas: o arquivo guarda o nome.
    std::filesystem::create_directory(pasta.caminho() / "antigo");
    std::filesystem::create_directory(pasta.caminho() / "novo");
    struct caso {
        const char* nome;
        bool processada, sem_as_ultimas_posicoes;
    };
    for (const caso& c : {caso{"sem_resultados", false, false}, caso{"processada", true, false},
                          caso{"sem_o_no_50_e_o_link_150", false, true}}) {
        SCOPED_TRACE(c.nome);
        const std::string arquivo = std::string(c.nome) + ".xml";
        const std::string antigo = pasta.arquivo("antigo/" + arquivo), novo = pasta.arquivo("novo/" + arquivo);
        teste::rede_propria a, b;
        teste::montar_rede_cheia(a.c, c.processada);
        if (c.sem_as_ultimas_posicoes) {
            ASSERT_TRUE(salvar_projeto(a.c, antigo).feito());
            rede_dada& r = a.c.rede;
            esvaziar_posicao_do_no(r, max_nos);
            esvaziar_posicao_do_no(a.c.desenho, max_nos);
            r.existe_no(max_nos) = false;
            esvaziar_posicao_do_link(r, max_links);
            esvaziar_posicao_do_link(a.c.desenho, max_links);
            r.existe_link(max_links) = false;
            --r.total_de_nos_dado;
            --r.total_de_links_dado;
        }
        ASSERT_TRUE(salvar_projeto(a.c, antigo).feito());
        ASSERT_TRUE(salvar_projeto(a.c, novo, gravacao::substituindo).feito());
        const std::string salvo = conteudo(antigo);
        EXPECT_TRUE(salvo == conteudo(novo)) << "o arquivo gravado por cima difere do gravado num caminho novo";

        const resultado_do_arquivo aberto = abrir_projeto(b.c, antigo);
        ASSERT_TRUE(aberto.feito()) << aberto.texto;
        EXPECT_TRUE(mesma_rede(a.c, b.c, c.processada));
        ASSERT_TRUE(salvar_projeto(b.c, antigo).feito());
        EXPECT_TRUE(conteudo(antigo) == salvo) << "abrir e salvar mudou o arquivo";
        if (c.processada && !c.sem_as_ultimas_posicoes) {
            // O limite de bytes da leitura é a primeira potência de dois, em megabytes, que passa
            // de oito vezes o maior projeto.
            EXPECT_LE(8 * salvo.size(), limite_de_bytes_de_um_arquivo);
            EXPECT_GT(8 * salvo.size(), limite_de_bytes_de_um_arquivo / 2);
        }
    }
}

}  // namespace
}  // namespace orvel
