#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <filesystem>
#include <optional>

#include "calculo/atender_verdes_de_seguranca.h"
#include "calculo/calcular_resultados.h"
#include "calculo/processar_rede.h"
#include "calculo/sondagem.h"
#include "comum/arquivos.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/limite_de_arquivo.h"
#include "comum/pasta_temporaria.h"
#include "comum/reabrir_projeto.h"
#include "comum/rede_propria.h"
#include "comum/veneno_no_contexto.h"
#include "editor/desenho_da_rede.h"
#include "editor/elementos_do_desenho.h"
#include "editor/janelas.h"
#include "modelo/estado_do_editor.h"
#include "editor/estado_dos_comandos.h"
#include "modelo/projeto.h"
#include "modelo/tabelas_de_calculo.h"
#include "plataforma/documento_xml.h"
#include "plataforma/textos.h"

namespace orvel {
namespace {

std::vector<std::string> passos;
std::vector<int> ponteiros;
int sondagens_antes_da_parada = -1;  // na k-ésima sondagem, o usuário clica em parar
bool validacao_passa = true;
bool falhar_no_ciclo = false;
bool salvar_grava = true;
std::vector<std::string> recusas;  // o que os comandos escolhidos durante a execução disseram

void registrar(const char* nome) {
    passos.emplace_back(nome);
    ponteiros.push_back(frmTela_principal_versao2().MousePointer);
}

// Uma etapa que sonda a parada, como as do cálculo fazem.
void sondar() {
    if (sondagens_antes_da_parada == 0) tela_principal_completa().parar_processamento_button.Click();
    --sondagens_antes_da_parada;
    sondar_parada(contexto());
}

etapas_do_processamento etapas_de_teste() {
    etapas_do_processamento e;
    e.validar = [](const rede_em_calculo&) {
        registrar("validar");
        dados_ok = validacao_passa;
    };
    e.zerar = [](const rede_em_calculo&) {
        registrar("zerar");
        parar_processamento = false;
    };
    e.copiar = [](const rede_em_calculo&) { registrar("copiar"); };
    e.preparar = [](const rede_em_calculo&) { registrar("preparar"); };
    e.ciclo_minimo = [](const rede_em_calculo&) { registrar("ciclo_minimo"); };
    e.tempo_de_ciclo = [](const rede_em_calculo&) {
        registrar("tempo_de_ciclo");
        if (falhar_no_ciclo) com_codigo("Erro 123", [] { falhar(tipo_de_falha::estouro); });
        sondar();
    };
    e.tempos_de_verde = [](const rede_em_calculo&) {
        registrar("tempos_de_verde");
        if (falhar_no_ciclo) com_codigo("Erro 124", [] { falhar(tipo_de_falha::divisao_por_zero); });
    };
    e.verdes_de_seguranca = [](const rede_em_calculo&) { registrar("verdes_de_seguranca"); };
    e.defasagens_iniciais = [](const rede_em_calculo&) {
        registrar("defasagens_iniciais");
        sondar();
        // Um comando escolhido numa sondagem não age enquanto o processamento não volta, e diz
        // por quê (as mensagens ficam à parte, fora das da execução).
        auto& mensagens = static_cast<servicos_de_teste&>(servicos()).mensagens;
        const std::size_t antes = mensagens.size();
        tela_principal_completa().inserir_no_button.Click();
        tela_principal_completa().mnuNovo.Click();
        for (std::size_t k = antes; k < mensagens.size(); ++k) recusas.push_back(mensagens[k].titulo + ": " + mensagens[k].texto);
        mensagens.resize(antes);
        sondar();
    };
    e.intervalos_repetidos = [](const rede_em_calculo&) {
        registrar("intervalos_repetidos");
        sondar();
    };
    e.defasagens_do_caminho = [](const rede_em_calculo&) {
        registrar("defasagens_do_caminho");
        sondar();
    };
    e.defasagens_da_rede = [](const rede_em_calculo&) { registrar("defasagens_da_rede"); };
    e.resultados = [](const rede_em_calculo& ctx) {
        registrar("resultados");
        if (!parar_processamento) contexto().resultados.t_ciclo_da_rede_rel = "90";
        else calcular_resultados(ctx);
    };
    e.salvar = [](contexto_da_rede&, observador_do_calculo&) {
        registrar("salvar");
        return salvar_grava;
    };
    return e;
}

class processamento : public teste::com_janela_principal {
protected:
    void SetUp() override {
        teste::com_janela_principal::SetUp();
        passos.clear();
        ponteiros.clear();
        sondagens_antes_da_parada = -1;
        validacao_passa = true;
        falhar_no_ciclo = false;
        salvar_grava = true;
        recusas.clear();
        contexto().buscas.quant_de_niveis = 0;
        contexto().resultados.t_ciclo_da_rede_rel.clear();
        etapas() = etapas_de_teste();
        aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    }
    void TearDown() override {
        etapas() = etapas_de_verdade();
        teste::com_janela_principal::TearDown();
    }
};

TEST_F(processamento, as_treze_etapas_em_ordem_com_o_ponteiro_de_ocupado) {
    t().processar_button.Click();
    const std::vector<std::string> esperado = {"validar",         "zerar",
                                               "copiar",          "preparar",
                                               "ciclo_minimo",    "tempo_de_ciclo",
                                               "tempos_de_verde", "verdes_de_seguranca",
                                               "defasagens_iniciais", "intervalos_repetidos",
                                               "defasagens_do_caminho", "resultados",
                                               "salvar"};
    EXPECT_EQ(passos, esperado);  // sem níveis, o refinamento da rede fica de fora
    EXPECT_EQ(ponteiros.front(), ponteiro_seta_e_ampulheta);
    for (int p : ponteiros) EXPECT_EQ(p, ponteiro_seta_e_ampulheta);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "90");
    EXPECT_FALSE(existe_no(1));  // o "Criar nó" da sondagem não agiu
    EXPECT_EQ(recusas, (std::vector<std::string>{"Aviso: Aguarde o fim do processamento",
                                                 "Aviso: Aguarde o fim do processamento"}));
    EXPECT_FALSE(processando);
    EXPECT_FALSE(execucao_em_curso);
    // Coluna Proc2: os botões de desenho voltam, os de edição não.
    EXPECT_TRUE(t().terminar_construcao_button.Enabled);
    EXPECT_FALSE(t().construir_button.Enabled);
    EXPECT_FALSE(t().parar_processamento_button.Enabled);
    EXPECT_TRUE(s.mensagens.empty());

    passos.clear();
    contexto().buscas.quant_de_niveis = 2;
    t().processar_button.Click();
    EXPECT_NE(std::find(passos.begin(), passos.end(), "defasagens_da_rede"), passos.end());
}

// Um comando recusado durante o processamento não o segura: o aviso fica aberto enquanto as
// sondagens seguintes acontecem, e o processamento chega ao fim antes de o usuário clicar OK.
TEST_F(processamento, aviso_de_comando_recusado_nao_segura_o_processamento) {
    int sondagens = 0;
    int sondagens_com_o_aviso_aberto = 0;
    s.ao_processar_eventos = [&] {
        ++sondagens;
        if (!s.avisos_abertos.empty()) ++sondagens_com_o_aviso_aberto;
        if (sondagens == 1) t().mnuAbrir.Click();  // na primeira sondagem
    };
    t().processar_button.Click();
    EXPECT_EQ(passos.back(), "salvar");
    EXPECT_EQ(sondagens, 5);
    EXPECT_EQ(sondagens_com_o_aviso_aberto, 4);  // todas as que vieram depois do clique
    EXPECT_EQ(s.avisos_abertos, std::vector<std::string>{"Aguarde o fim do processamento"});
    EXPECT_TRUE(s.dialogos_abrir.empty());
    for (const auto& m : s.mensagens) EXPECT_TRUE(m.sem_esperar) << m.texto;  // nada esperou resposta
    EXPECT_FALSE(execucao_em_curso);
}

TEST_F(processamento, parada_na_k_esima_sondagem) {
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        passos.clear();
        contexto().resultados.t_ciclo_da_rede_rel.clear();
        sondagens_antes_da_parada = k;
        t().processar_button.Click();
        // Todas as etapas seguem até o fim, sem resultado, e o projeto é salvo.
        EXPECT_EQ(passos.back(), "salvar");
        EXPECT_EQ(passos.size(), 13u);
        EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "");
        EXPECT_TRUE(parar_processamento);
        EXPECT_FALSE(desenhando);
        // Proc2 sobre o ramo de parada sobre Parar.
        EXPECT_TRUE(t().mnuRelatorio.Enabled);
        EXPECT_TRUE(t().relatorio_tela_button.Enabled);
        EXPECT_FALSE(t().parar_processamento_button.Enabled);
        EXPECT_FALSE(t().mnuInserirNo.Enabled);
        EXPECT_TRUE(t().inserir_no_button.Enabled);
        EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    }
}

TEST_F(processamento, uma_caixa_de_erro_por_execucao) {
    falhar_no_ciclo = true;
    t().processar_button.Click();
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 123");
    EXPECT_EQ(passos.back(), "salvar");  // o processamento segue até o fim
    // Na próxima execução a primeira falha volta a aparecer.
    t().processar_button.Click();
    EXPECT_EQ(s.mensagens.size(), 2u);
    // Fora de um processamento toda falha aparece.
    com_codigo("Erro 151", [] { falhar(tipo_de_falha::estouro); });
    com_codigo("Erro 151", [] { falhar(tipo_de_falha::estouro); });
    EXPECT_EQ(s.mensagens.size(), 4u);
}

// O salvamento do fim que falha depois de outra falha da mesma execução também mostra a sua
// caixa, e o projeto fica alterado (também com o diálogo do nome cancelado): o que foi
// calculado não se perde calado.
TEST_F(processamento, salvamento_do_fim_que_nao_grava_aparece_e_deixa_o_projeto_alterado) {
    teste::pasta_temporaria pasta;
    auto e = etapas();
    e.preparar = [](const rede_em_calculo&) {
        registrar("preparar");
        com_codigo("Erro 121", [] { falhar(tipo_de_falha::subscrito_fora_do_intervalo); });
    };
    e.salvar = etapas_de_verdade().salvar;
    etapas() = e;
    nome_do_arquivo = pasta.arquivo("sumiu/rede.xml");
    projeto_alterado = false;
    t().processar_button.Click();
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].titulo, "Erro 121");
    EXPECT_EQ(s.mensagens[1].titulo, "Erro 146");
    EXPECT_TRUE(projeto_alterado);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);

    nome_do_arquivo.clear();
    projeto_alterado = false;
    s.respostas_salvar = {std::nullopt};
    t().processar_button.Click();
    EXPECT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_TRUE(projeto_alterado);
    EXPECT_FALSE(std::filesystem::exists(pasta.arquivo("sumiu/rede.xml")));
}

// Depois de um "Salvar como", "Processar" grava no arquivo escolhido sem perguntar de novo.
TEST_F(processamento, depois_de_salvar_como_processar_grava_sem_perguntar) {
    teste::pasta_temporaria pasta;
    auto e = etapas();
    e.salvar = etapas_de_verdade().salvar;
    etapas() = e;
    nome_do_arquivo = pasta.arquivo("antiga.xml");
    s.respostas_salvar = {pasta.arquivo("nova.xml")};
    t().mnuSalvar_como.Click();
    ASSERT_EQ(s.dialogos_salvar.size(), 1u);
    ASSERT_EQ(nome_do_arquivo, pasta.arquivo("nova.xml"));
    for (int vez = 0; vez < 2; ++vez) {
        projeto_alterado = true;
        contexto().resultados.t_ciclo_da_rede_rel.clear();
        t().processar_button.Click();
        EXPECT_FALSE(projeto_alterado);
    }
    EXPECT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_EQ(nome_do_arquivo, pasta.arquivo("nova.xml"));
    EXPECT_NE(teste::conteudo(pasta.arquivo("nova.xml")).find("<t_ciclo_da_rede_rel>90<"), std::string::npos);
}

// Uma coluna de estados que não muda nada não pede pintura: depois de uma parada, cada
// sondagem aplica de novo a coluna de parada, e uma parada cedo não pode pintar mais vezes do
// que uma parada tarde.
TEST_F(processamento, coluna_que_nao_muda_nada_nao_pede_pintura) {
    struct contador : observador_de_formularios {
        int pinturas = 0;
        contador() { instalar_observador_de_formularios(this); }
        ~contador() override { instalar_observador_de_formularios(nullptr); }
        void ao_mudar() override { ++pinturas; }
    } c;
    aplicar_coluna_de_comandos(coluna_de_comandos::parada);
    EXPECT_EQ(c.pinturas, 1);
    aplicar_coluna_de_comandos(coluna_de_comandos::parada);
    aplicar_coluna_de_comandos(coluna_de_comandos::parada);
    EXPECT_EQ(c.pinturas, 1);

    std::vector<int> pinturas;
    for (int k : {0, 4}) {
        aplicar_coluna_de_comandos(coluna_de_comandos::novo);
        sondagens_antes_da_parada = k;
        c.pinturas = 0;
        t().processar_button.Click();
        EXPECT_TRUE(parar_processamento);
        pinturas.push_back(c.pinturas);
    }
    EXPECT_EQ(pinturas[0], pinturas[1]);
}

TEST_F(processamento, verdes_de_seguranca_impossiveis_pulam_para_o_salvamento) {
    auto e = etapas();
    e.verdes_de_seguranca = [](const rede_em_calculo&) {
        registrar("verdes_de_seguranca");
        contexto().derivados.verdes_de_seguranca_nao_atendidos = true;
    };
    etapas() = e;
    t().processar_button.Click();
    EXPECT_EQ(passos.back(), "salvar");
    EXPECT_EQ(std::find(passos.begin(), passos.end(), "defasagens_iniciais"), passos.end());
    EXPECT_EQ(std::find(passos.begin(), passos.end(), "resultados"), passos.end());
    EXPECT_EQ(contexto().resultados.t_ciclo_da_rede_rel, "");
    EXPECT_FALSE(s.encerrado);
}

TEST_F(processamento, rede_invalida_so_oferece_salvar) {
    validacao_passa = false;
    projeto_alterado = true;
    nome_do_arquivo.clear();
    t().MousePointer = ponteiro_padrao;
    s.respostas = {resposta_nao};
    t().processar_button.Click();
    EXPECT_EQ(passos, std::vector<std::string>{"validar"});
    ASSERT_EQ(s.mensagens.size(), 1u);
    EXPECT_EQ(s.mensagens[0].texto, "você quer salvar o projeto?");
    EXPECT_EQ(s.mensagens[0].titulo, "Aviso");
    EXPECT_EQ(s.mensagens[0].estilo, estilo_sim_nao_cancelar | icone_exclamacao);
    EXPECT_TRUE(projeto_alterado);

    // "Sim" com um salvamento que não gravou não perde nada.
    passos.clear();
    salvar_grava = false;
    s.respostas = {resposta_sim};
    t().processar_button.Click();
    EXPECT_EQ(passos, (std::vector<std::string>{"validar", "salvar"}));
    EXPECT_TRUE(salvar_como);
    EXPECT_TRUE(projeto_alterado);

    salvar_grava = true;
    nome_do_arquivo = "/tmp/x.xml";
    s.respostas = {resposta_sim};
    t().processar_button.Click();
    EXPECT_FALSE(salvar_como);
    EXPECT_FALSE(projeto_alterado);
}

// --- Comandos do projeto ---

using comandos_do_projeto = teste::com_janela_principal;

TEST_F(comandos_do_projeto, pergunta_de_salvar_em_sair_e_ao_fechar_a_janela) {
    // Sem alterações, sai de imediato.
    projeto_alterado = false;
    t().mnuSair.Click();
    EXPECT_TRUE(s.mensagens.empty());
    EXPECT_TRUE(s.encerrado);

    s.encerrado = false;
    projeto_alterado = true;
    s.respostas = {resposta_cancelar};
    t().mnuSair.Click();
    EXPECT_FALSE(s.encerrado);
    EXPECT_TRUE(projeto_alterado);

    // "Sim" com o diálogo cancelado mantém o projeto e o programa.
    nome_do_arquivo.clear();
    s.respostas = {resposta_sim};
    t().mnuSair.Click();
    EXPECT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_FALSE(s.encerrado);
    EXPECT_TRUE(projeto_alterado);

    // Fechar a janela com "Cancelar" a mantém aberta.
    s.respostas = {resposta_cancelar};
    EXPECT_FALSE(t().Unload(0));
    EXPECT_TRUE(tela_principal_carregada());
    EXPECT_FALSE(s.encerrado);

    // "Não": sai sem salvar.
    s.respostas = {resposta_nao};
    t().mnuSair.Click();
    EXPECT_TRUE(s.encerrado);
    EXPECT_FALSE(projeto_alterado);
}

TEST_F(comandos_do_projeto, sim_grava_e_segue) {
    teste::pasta_temporaria pasta;
    inserir_no();
    projeto_alterado = true;
    s.respostas = {resposta_sim};
    s.respostas_salvar = {pasta.arquivo("rede.xml")};
    t().mnuFechar.Click();
    EXPECT_TRUE(s.encerrado == false);
    EXPECT_FALSE(projeto_alterado);
    EXPECT_FALSE(existe_no(1));
    EXPECT_EQ(nome_do_arquivo, "");
    EXPECT_FALSE(t().Label1.Visible);
    EXPECT_EQ(t().BackColor, rgb(150, 150, 150));
    EXPECT_FALSE(t().mnuRede.Enabled);
    EXPECT_TRUE(t().arquivo_novo_button.Enabled);
}

// Novo e Abrir perguntam se salva, como Fechar: "Cancelar", ou um "Sim" cujo salvamento não
// gravou, deixam o projeto aberto e alterado, sem diálogo de abrir nem rede nova.
TEST_F(comandos_do_projeto, novo_e_abrir_com_alteracoes_perguntam_e_cancelar_mantem_o_projeto) {
    teste::pasta_temporaria pasta;
    inserir_no();
    nome_do_arquivo = pasta.arquivo("sumiu/antiga.xml");  // "Sim" não consegue gravar aqui
    for (item_de_menu* m : {&t().mnuNovo, &t().mnuAbrir}) {
        for (int resposta : {resposta_cancelar, resposta_sim}) {
            SCOPED_TRACE(m->nome() + " " + std::to_string(resposta));
            projeto_alterado = true;
            s.mensagens.clear();
            s.respostas = {resposta};
            m->Click();
            ASSERT_FALSE(s.mensagens.empty());
            EXPECT_EQ(s.mensagens[0].texto, "você quer salvar o projeto?");
            EXPECT_EQ(s.mensagens[0].estilo, estilo_sim_nao_cancelar | icone_exclamacao);
            EXPECT_TRUE(existe_no(1));
            EXPECT_TRUE(projeto_alterado);
            EXPECT_EQ(nome_do_arquivo, pasta.arquivo("sumiu/antiga.xml"));
            EXPECT_TRUE(s.dialogos_abrir.empty());
            EXPECT_FALSE(frmNome_da_rede_versao2().Visible);
        }
    }
    // "Não": Abrir segue para o diálogo (aqui cancelado).
    s.respostas = {resposta_nao};
    s.respostas_abrir = {std::nullopt};
    t().arquivo_abrir_button.Click();
    EXPECT_EQ(s.dialogos_abrir.size(), 1u);
    EXPECT_TRUE(projeto_alterado);  // nada foi salvo nem aberto: as alterações continuam
}

// Um diálogo cancelado, ou um "Salvar como" que não gravou, não muda nada: o projeto aberto
// continua com o seu arquivo (o "Salvar" seguinte grava nele sem pedir nome, o "Relatório" o
// mostra), os seus títulos, o pedido de nome e "alterado" como estavam; o arquivo escolhido
// fica intacto. Cada comando que abre um diálogo, cancelado ali.
using comando_que_nao_se_completa = teste::com_projeto_em_arquivo;

TEST_F(comando_que_nao_se_completa, deixa_o_projeto_como_estava) {
    const std::string a = pasta.arquivo("a.xml");
    const std::string existente = pasta.arquivo("existente.xml");
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    nome_da_rede_dado = "Centro";
    inserir_no();
    ASSERT_TRUE(salvar_em(a));
    const std::string antigo = "<rss><rede><anotacao>de antes</anotacao></rede></rss>";
    teste::escrever(existente, antigo);

    struct caso {
        const char* nome;
        item_de_menu& comando;
        bool alterado;
        bool com_arquivo;  // false: um projeto que ainda não foi salvo
        std::deque<int> respostas;
        std::deque<std::optional<std::string>> abrir, salvar;
        bool falha = false;  // o salvamento falha e diz por quê
        rlim_t disco = 0;    // o espaço que o disco ainda tem; 0, à vontade
    };
    const caso casos[] = {
        {"Abrir, Cancelar", t().mnuAbrir, false, true, {}, {std::nullopt}, {}},
        {"Abrir, Não, Cancelar", t().mnuAbrir, true, true, {resposta_nao}, {std::nullopt}, {}},
        {"Salvar como, Cancelar", t().mnuSalvar_como, true, true, {}, {}, {std::nullopt}},
        {"Salvar como, não substituir", t().mnuSalvar_como, true, true, {resposta_nao}, {}, {existente}},
        {"Salvar como, pasta que sumiu", t().mnuSalvar_como, true, true, {}, {}, {pasta.arquivo("sumiu/b.xml")}, true},
        {"Salvar como, disco cheio ao substituir", t().mnuSalvar_como, true, true, {resposta_sim}, {}, {existente}, true, 200},
        {"Fechar, Cancelar", t().mnuFechar, true, true, {resposta_cancelar}, {}, {}},
        {"Sair, Sim, Cancelar o nome", t().mnuSair, true, false, {resposta_sim}, {}, {std::nullopt}},
        {"Imprimir", t().mnuImprimir, false, true, {}, {}, {}},
    };
    for (const caso& k : casos) {
        SCOPED_TRACE(k.nome);
        const std::string rede = "rede " + std::to_string(&k - casos);
        ASSERT_TRUE(abrir(a));
        if (!k.com_arquivo) {
            nome_do_arquivo.clear();
            caption_dos_forms.clear();
            titular_as_oito_janelas(titulo_do_produto);
        }
        nome_da_rede_dado = rede;
        projeto_alterado = k.alterado;
        salvar_como = false;
        const std::string arquivo = nome_do_arquivo, caption = caption_dos_forms, titulo = titulo_das_janelas();
        s.respostas = k.respostas;
        s.respostas_abrir = k.abrir;
        s.respostas_salvar = k.salvar;
        s.mensagens.clear();
        teste::com_o_disco(k.disco, [&] { k.comando.Click(); });
        EXPECT_TRUE(s.respostas.empty() && s.respostas_abrir.empty() && s.respostas_salvar.empty());
        EXPECT_EQ(!s.mensagens.empty() && s.mensagens.back().titulo == "Erro 146", k.falha);
        EXPECT_EQ(nome_do_arquivo, arquivo);
        EXPECT_EQ(caption_dos_forms, caption);
        EXPECT_EQ(titulo_das_janelas(), titulo);
        for (formulario* f : janelas_carregadas()) EXPECT_EQ(f->Caption, titulo) << f->nome();
        EXPECT_FALSE(salvar_como);
        EXPECT_EQ(projeto_alterado, k.alterado);
        EXPECT_TRUE(existe_no(1));
        EXPECT_FALSE(s.encerrado);
        if (!k.com_arquivo) continue;
        const auto dialogos = s.dialogos_salvar.size();
        t().mnuSalvar.Click();
        EXPECT_EQ(s.dialogos_salvar.size(), dialogos);
        EXPECT_NE(teste::conteudo(a).find(rede), std::string::npos);
    }
    EXPECT_EQ(teste::conteudo(existente), antigo);
    EXPECT_FALSE(std::filesystem::exists(pasta.arquivo("sumiu")));
}

// Um salvamento que já trocou o arquivo está feito, também quando a pasta não chega ao disco
// depois: a que não se deixa abrir (uma caixa de depósito) fica calada; a que abre e não
// sincroniza dá um "Aviso". O projeto toma o nome e os títulos do arquivo, e o comando segue.
using pasta_que_nao_chega_ao_disco = teste::com_projeto_em_arquivo;

TEST_F(pasta_que_nao_chega_ao_disco, o_salvamento_vale_e_o_comando_segue) {
    const std::string a = pasta.arquivo("a.xml");
    std::string arquivo;  // o que a vez grava
    const auto no_arquivo = [&] {
        return nome_do_arquivo == arquivo && titulo_das_janelas() == "ORVEL - " + parte_do_nome_do_arquivo(arquivo);
    };
    const struct {
        item_de_menu& comando;
        std::deque<int> respostas;
        std::function<bool()> seguiu;
    } casos[] = {
        {t().mnuSalvar, {}, no_arquivo},
        {t().mnuSalvar_como, {}, no_arquivo},
        {t().mnuNovo, {resposta_sim}, [] { return frmNome_da_rede_versao2().Visible; }},
        {t().mnuAbrir, {resposta_sim}, [&] { return s.respostas_abrir.empty(); }},
        {t().mnuFechar, {resposta_sim}, [] { return !existe_no(1); }},
        {t().mnuSair, {resposta_sim}, [&] { return s.encerrado; }},
    };
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    inserir_no();
    ASSERT_TRUE(salvar_em(a));
    int vez = 0;
    for (const auto& k : casos)
        for (const int erro : {EACCES, EIO}) {
            const std::string rede = "rede " + std::to_string(++vez);
            SCOPED_TRACE(k.comando.Caption + ", " + rede);
            s.respostas_abrir.clear();
            ASSERT_TRUE(abrir(a));
            arquivo = &k.comando == &t().mnuSalvar_como ? pasta.arquivo(rede + ".xml") : a;
            if (arquivo != a) s.respostas_salvar = {arquivo};
            if (&k.comando == &t().mnuAbrir) s.respostas_abrir = {std::nullopt};
            nome_da_rede_dado = rede;
            projeto_alterado = true;
            s.respostas = k.respostas;
            s.mensagens.clear();
            {
                const falha_simulada_da_gravacao falha(
                    erro == EIO ? chamada_da_gravacao::sincronizar_pasta : chamada_da_gravacao::abrir_pasta, erro);
                k.comando.Click();
            }
            EXPECT_NE(teste::conteudo(arquivo).find(rede), std::string::npos);
            EXPECT_TRUE(k.seguiu());
            EXPECT_FALSE(projeto_alterado);
            EXPECT_EQ(s.mensagens.size(), k.respostas.size() + (erro == EIO ? 1 : 0));
            EXPECT_EQ(erro == EIO,
                      !s.mensagens.empty() && s.mensagens.back().texto.starts_with("o projeto foi gravado em " + arquivo + ", mas"));
        }

    // Uma caixa de depósito de verdade, para quem não é o administrador: "Salvar como" grava nela.
    if (geteuid() != 0) {
        teste::pasta_temporaria deposito;
        std::filesystem::permissions(deposito.caminho(),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::owner_exec);
        s.mensagens.clear();
        EXPECT_TRUE(salvar_em(deposito.arquivo("entregue.xml")));
        EXPECT_TRUE(s.mensagens.empty());
    }
}

// O título com o nome do arquivo só aparece depois que o arquivo foi gravado: cada mudança dos
// dados pede uma pintura, e um salvamento que falha não o mostra nem por um instante.
using titulos_do_salvamento = teste::com_projeto_em_arquivo;

TEST_F(titulos_do_salvamento, so_mudam_depois_de_gravado) {
    const std::string existente = pasta.arquivo("existente.xml");
    teste::escrever(existente, "<rss/>");
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    nome_da_rede_dado = "Centro";
    inserir_no();

    struct pinturas : observador_de_formularios {
        std::string arquivo;
        std::vector<std::pair<std::string, bool>> titulos;  // o da janela principal e se o arquivo já estava gravado
        pinturas() { instalar_observador_de_formularios(this); }
        ~pinturas() override { instalar_observador_de_formularios(nullptr); }
        void ao_mudar() override { titulos.emplace_back(tela_principal_completa().Caption, std::filesystem::exists(arquivo)); }
    } p;
    struct caso {
        const char* nome;
        std::string arquivo, titulo;
        std::deque<int> respostas;
        rlim_t disco;  // o espaço que o disco ainda tem; 0, à vontade
        bool grava;
    };
    const caso casos[] = {
        {"gravado", pasta.arquivo("novo.xml"), "ORVEL - novo.xml", {}, 0, true},
        {"pasta que sumiu", pasta.arquivo("sumiu/b.xml"), "ORVEL - b.xml", {}, 0, false},
        {"disco cheio ao substituir", existente, "ORVEL - existente.xml", {resposta_sim}, 200, false},
    };
    for (const caso& k : casos) {
        SCOPED_TRACE(k.nome);
        p.arquivo = k.arquivo;
        p.titulos.clear();
        s.respostas = k.respostas;
        EXPECT_EQ(teste::com_o_disco(k.disco, [&] { return salvar_em(k.arquivo); }), k.grava);
        int com_o_nome = 0;
        for (const auto& [titulo, gravado] : p.titulos)
            if (titulo == k.titulo) {
                ++com_o_nome;
                EXPECT_TRUE(gravado);
            }
        EXPECT_EQ(com_o_nome > 0, k.grava);
    }
}

// Abrir e salvar pelas janelas agem só na rede que recebem: a do processo não é lida nem
// escrita (o veneno posto nela fica), e o arquivo aberto sai gravado igual.
using abrir_e_salvar_pelas_janelas = teste::com_projeto_em_arquivo;

TEST_F(abrir_e_salvar_pelas_janelas, agem_na_rede_que_recebem) {
    const std::string referencia = std::string(ORVEL_DADOS_DE_TESTE) + "/projeto_pequeno.xml";
    const std::string copia = pasta.arquivo("pequena.xml");  // o nome que o arquivo guarda
    teste::rede_propria r;
    teste::envenenar_o_contexto(contexto());

    s.respostas_abrir = {referencia};
    EXPECT_TRUE(abrir_pelas_janelas(r.c));
    EXPECT_EQ(r.c.projeto.nome_do_arquivo, referencia);
    r.c.projeto.salvar_como = true;
    s.respostas_salvar = {copia};
    EXPECT_TRUE(salvar_pelas_janelas(r.c));
    EXPECT_EQ(r.c.projeto.nome_do_arquivo, copia);
    EXPECT_EQ(t().Caption, "ORVEL - pequena.xml");
    EXPECT_TRUE(teste::conteudo(copia) == teste::conteudo(referencia));
    EXPECT_TRUE(s.mensagens.empty());

    teste::conferir_o_contexto(contexto(), [](const std::string&, const int*, std::size_t) { return teste::esperado::veneno; });
}

// "Salvar" num projeto que nunca foi salvo pede o nome, propondo o da rede. Um nome digitado sem
// extensão ganha ".xml" (o filtro de "Abrir" o lista); um nome com extensão fica como foi digitado.
TEST_F(comandos_do_projeto, salvar_sem_arquivo_pede_o_nome_e_acrescenta_xml) {
    teste::pasta_temporaria pasta;
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    nome_da_rede_dado = "Centro";
    inserir_no();
    nome_do_arquivo.clear();
    s.respostas_salvar = {pasta.arquivo("Centro")};
    t().salvar_button.Click();
    ASSERT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_EQ(s.dialogos_salvar[0].titulo, "Salvar como");
    EXPECT_EQ(s.dialogos_salvar[0].nome_proposto, "Centro");
    EXPECT_EQ(nome_do_arquivo, pasta.arquivo("Centro.xml"));
    EXPECT_EQ(caption_dos_forms, "Centro.xml");
    EXPECT_TRUE(std::filesystem::exists(pasta.arquivo("Centro.xml")));
    EXPECT_FALSE(std::filesystem::exists(pasta.arquivo("Centro")));
    EXPECT_FALSE(projeto_alterado);

    // Com o arquivo escolhido, "Salvar" grava nele sem perguntar.
    projeto_alterado = true;
    t().mnuSalvar.Click();
    EXPECT_EQ(s.dialogos_salvar.size(), 1u);
    EXPECT_FALSE(projeto_alterado);

    // "Salvar como" com extensão: o nome fica como foi digitado.
    s.respostas_salvar = {pasta.arquivo("centro.v2")};
    t().mnuSalvar_como.Click();
    EXPECT_EQ(nome_do_arquivo, pasta.arquivo("centro.v2"));
    EXPECT_TRUE(std::filesystem::exists(pasta.arquivo("centro.v2")));

    // O nome sem extensão de um arquivo que já existe com ela: a pergunta de substituir é sobre ele.
    s.respostas_salvar = {pasta.arquivo("Centro")};
    s.respostas = {resposta_nao};
    t().mnuSalvar_como.Click();
    ASSERT_FALSE(s.mensagens.empty());
    EXPECT_EQ(s.mensagens.back().texto, "Este arquivo já existe! Deseja Substituir?");
    EXPECT_EQ(nome_do_arquivo, pasta.arquivo("centro.v2"));
}

TEST_F(comandos_do_projeto, novo_depois_do_nao_limpa_e_mostra_o_nome_da_rede) {
    inserir_no();
    projeto_alterado = true;
    nome_do_arquivo = "/tmp/antiga.xml";
    s.respostas = {resposta_nao};
    t().arquivo_novo_button.Click();
    ASSERT_EQ(s.mensagens.size(), 1u);  // a pergunta de salvar, respondida "Não"
    EXPECT_FALSE(existe_no(1));
    EXPECT_FALSE(projeto_alterado);
    EXPECT_EQ(nome_do_arquivo, "");
    EXPECT_TRUE(desenhando);
    EXPECT_TRUE(frmNome_da_rede_versao2().Visible);
    EXPECT_TRUE(t().mnuInserirLinkConversao.Enabled);
    EXPECT_EQ(t().MousePointer, ponteiro_padrao);
    EXPECT_EQ(frmRede_versao2().Caption, "ORVEL - Belmarco QRT");
}

TEST_F(comandos_do_projeto, desenhar_e_encerrar_desenho_pelos_dois_gemeos) {
    aplicar_coluna_de_comandos(coluna_de_comandos::novo);
    nome_da_rede_dado = "Centro";
    inserir_no();
    t().apoio_no_label(1).Width = 340;
    t().apoio_no_label(1).Left = 130;
    inserir_link();
    t().terminar_construcao_button.Click();
    EXPECT_FALSE(desenhando);
    EXPECT_EQ(x_do_no(1), 300);
    EXPECT_EQ(raio_do_no(1), 240);
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede:  Centro");
    EXPECT_EQ(link_selecionado, 0);
    EXPECT_FALSE(t().Shape2.Visible);
    EXPECT_EQ(t().Shape2.Left, 10440.0f);
    EXPECT_TRUE(t().editar_no_button.Enabled);

    t().construir_button.Click();
    EXPECT_TRUE(desenhando);
    EXPECT_EQ(t().Label1.Caption.texto(), "Desenho da rede:  Centro");
    EXPECT_EQ(t().Label1.Left, t().Width / 2 - t().Label1.Width / 2);

    t().mnuEncerrarDesenho.Click();
    EXPECT_EQ(t().Label1.Caption.texto(), "Rede  Centro");
    t().mnuDesenhar.Click();
    EXPECT_EQ(t().Label1.Caption.texto(), "Desenho da rede   Centro");
}

}  // namespace
}  // namespace orvel
