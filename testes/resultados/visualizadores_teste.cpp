#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <utility>

#include "comum/arquivos.h"
#include "comum/contexto_novo.h"
#include "comum/fifo_de_teste.h"
#include "comum/janela_principal_de_teste.h"
#include "comum/pasta_temporaria.h"
#include "comum/rede_em_grade.h"
#include "comum/reabrir_projeto.h"
#include "comum/recursos_do_programa.h"
#include "editor/estado_dos_comandos.h"
#include "editor/janelas.h"
#include "modelo/rede.h"
#include "plataforma/relatorio_xslt.h"
#include "plataforma/textos.h"
#include "resultados/ajuda.h"
#include "resultados/relatorio.h"
#include "vistas_de_teste.h"

namespace orvel {
namespace {

using visualizadores = teste::com_janela_principal;

using teste::com_espacos_simples;
using teste::pasta_dos_recursos;

// O texto sem os brancos que a indentação põe no começo das linhas, e sem as quebras.
std::string sem_indentacao(const std::string& html) {
    std::string compacto;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '\n' || html[i] == '\r') {
            while (i + 1 < html.size() && (html[i + 1] == ' ' || html[i + 1] == '\t')) ++i;
            continue;
        }
        compacto += html[i];
    }
    return compacto;
}

// Uma tela cujo navegador recusa todo endereço.
class navegador_que_falha : public observador_de_formularios {
public:
    navegador_que_falha() { instalar_observador_de_formularios(this); }
    ~navegador_que_falha() override { instalar_observador_de_formularios(nullptr); }
    void ao_navegar(navegador&) override { falhar(tipo_de_falha::arquivo_nao_encontrado); }
};

TEST_F(visualizadores, abrem_sobre_a_janela_principal_com_o_navegador_deslocado) {
    t().Left = 1500;
    t().Top = 900;
    t().Width = 9000;
    t().Height = 7000;
    frmBrowse().Unload();  // carregado pela janela principal; a próxima referência o recarrega
    for (janela_com_navegador* j : {static_cast<janela_com_navegador*>(&relatorio_unico()),
                                    static_cast<janela_com_navegador*>(&ajuda_unica())}) {
        EXPECT_EQ(j->Left, 1500.0f) << j->nome();
        EXPECT_EQ(j->Top, 900.0f);
        EXPECT_EQ(j->Width, 9000.0f);
        EXPECT_EQ(j->Height, 7000.0f);
        EXPECT_EQ(j->WebBrowser1.Left, 1500.0f);
        EXPECT_EQ(j->WebBrowser1.Top, 900.0f);
        EXPECT_EQ(j->WebBrowser1.Width, 9000.0f);
        EXPECT_EQ(j->WebBrowser1.Height, 7000.0f);
    }
    EXPECT_EQ(ajuda_unica().Caption, "ORVEL - Ajuda");
}

TEST_F(visualizadores, redimensionar_usa_o_fator_vertical_nas_duas_medidas) {
    tela().TwipsPerPixelX = 12;  // não conta: a largura também usa o fator vertical
    janela_com_navegador& j = ajuda_unica();
    j.Width = 6000;
    j.Height = 4500;
    j.Form_Resize();
    EXPECT_EQ(j.WebBrowser1.Width, 5850.0f);
    EXPECT_EQ(j.WebBrowser1.Height, 4050.0f);

    j.WindowState = estado_minimizado;
    j.Width = 3000;
    j.Form_Resize();
    EXPECT_EQ(j.WebBrowser1.Width, 5850.0f);

    // Menor que 30 pixels de altura: a altura do navegador fica; a largura acompanha.
    j.WindowState = estado_normal;
    j.Height = 300;
    j.Form_Resize();
    EXPECT_EQ(j.WebBrowser1.Height, 4050.0f);
    EXPECT_EQ(j.WebBrowser1.Width, 2850.0f);
}

TEST_F(visualizadores, enderecos_e_falha_relatada_com_o_titulo_da_janela) {
    nome_do_arquivo.clear();
    relatorio_unico().Atualiza();
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), "");  // sem mensagem antes
    EXPECT_TRUE(s.mensagens.empty());
    nome_do_arquivo = "/projetos/rede centro.xml";
    relatorio_unico().Atualiza("ignorado");
    EXPECT_EQ(relatorio_unico().WebBrowser1.endereco(), "/projetos/rede centro.xml");
    s.pasta = "/opt/orvel";
    ajuda_unica().Atualiza_ajuda();
    EXPECT_EQ(ajuda_unica().WebBrowser1.endereco(), "/opt/orvel/ajuda_html.html");

    navegador_que_falha tela_com_falha;
    relatorio_unico().Caption = "ORVEL - rede centro.xml";
    s.definir_ponteiro_da_tela(ponteiro_ampulheta);
    relatorio_unico().Atualiza();
    ajuda_unica().Atualiza_ajuda();
    ASSERT_EQ(s.mensagens.size(), 2u);
    EXPECT_EQ(s.mensagens[0].titulo, "ORVEL - rede centro.xml");
    EXPECT_EQ(s.mensagens[0].estilo, icone_exclamacao);
    EXPECT_EQ(s.mensagens[0].ponteiro_da_tela, ponteiro_padrao);
    EXPECT_EQ(s.mensagens[1].titulo, "ORVEL - Ajuda");
    EXPECT_TRUE(relatorio_unico().carregado());  // relatar não fecha a janela
}

TEST_F(visualizadores, relatorio_mostra_o_ultimo_salvamento_depois_de_processar) {
    teste::pasta_temporaria pasta;
    s.pasta = pasta_dos_recursos();
    teste::montar_rede_em_grade(2, 2, 90);
    for (int n = 1; n <= max_nos; ++n)
        if (existe_no(n)) {
            t().no_shape.carregar(n);
            t().apoio_no_label.carregar(n);
        }
    for (int l = 1; l <= max_links; ++l)
        if (existe_link(l)) t().carregar_elementos_do_link(l);
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    s.respostas_salvar = {pasta.arquivo("grade.xml")};
    nome_da_rede_dado = "Grade central";
    t().processar_button.Click();
    ASSERT_TRUE(s.mensagens.empty()) << s.mensagens.front().texto;

    t().relatorio_tela_button.Click();
    ASSERT_EQ(relatorio_unico().WebBrowser1.endereco(), pasta.arquivo("grade.xml"));
    const std::string html = relatorio_em_html(relatorio_unico().WebBrowser1.endereco(), s.pasta);
    EXPECT_NE(html.find("Relatório da rede Grade central"), std::string::npos);
    EXPECT_NE(html.find("Tempo de ciclo da rede</th>\n<td class=\"numero\">90 s"), std::string::npos) << html;
    EXPECT_NE(html.find("<td>" + nome_do_link_dado(1) + "</td>"), std::string::npos);
    EXPECT_EQ(html.find("não tem resultados"), std::string::npos);

    // O que mudou depois do salvamento não aparece.
    nome_da_rede_dado = "Outro nome";
    t().mnuRelatorio.Click();
    EXPECT_EQ(relatorio_em_html(relatorio_unico().WebBrowser1.endereco(), s.pasta), html);
}

// Uma cópia de projeto com outro nome (o arquivo guarda "pequena.xml") abre com o nome dela nos
// oito títulos e no relatório, sem que a abertura grave no arquivo; também quando refazer o
// desenho falha depois de a rede já ser a do arquivo (a falha é relatada, a abertura vale).
TEST_F(visualizadores, titulos_e_relatorio_nomeiam_o_arquivo_aberto) {
    teste::pasta_temporaria pasta;
    s.pasta = pasta_dos_recursos();
    const std::string original = teste::conteudo(ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml");
    const std::string copia = pasta.arquivo("curto.xml");
    teste::escrever(copia, original);
    for (const bool desenho_falha : {false, true}) {
        SCOPED_TRACE(desenho_falha);
        titular_as_oito_janelas(titulo_do_produto);
        projeto_alterado = true;
        s.mensagens.clear();
        if (desenho_falha) t().apoio_no_label.ao_carregar = [](rotulo&) { falhar(tipo_de_falha::memoria_insuficiente); };
        s.respostas_abrir = {copia};
        EXPECT_TRUE(abrir_pelas_janelas(contexto()));
        EXPECT_EQ(s.mensagens.size(), desenho_falha ? 1u : 0u);
        EXPECT_EQ(desenho_falha, !s.mensagens.empty() && s.mensagens[0].titulo == "Erro 148");
        EXPECT_EQ(caption_dos_forms, "curto.xml");
        EXPECT_FALSE(projeto_alterado);
        for (formulario* f : {static_cast<formulario*>(&t()), &frmDiagrama_de_barras_final_versao2(),
                              &frmEditarLink_versao2(), &frmEditarNo_versao2(), &frmNome_da_rede_versao2(),
                              &frmRede_dinamica_versao2(), &frmRede_versao2(), &frmBrowse()})
            EXPECT_EQ(f->Caption, "ORVEL - curto.xml") << f->nome();
        EXPECT_TRUE(teste::conteudo(copia) == original);
        const std::string pagina = com_espacos_simples(pagina_do_relatorio(copia).value_or(""));
        EXPECT_NE(pagina.find("Projeto: curto.xml."), std::string::npos) << pagina;
    }
}

// A página do relatório: o projeto transformado, ou um "Aviso" e uma página vazia; nunca o XML cru.
TEST_F(visualizadores, pagina_do_relatorio_nunca_e_o_xml_cru) {
    teste::pasta_temporaria pasta;
    s.pasta = pasta_dos_recursos();
    const auto bom = pagina_do_relatorio(ORVEL_DADOS_DE_TESTE "/projeto_pequeno.xml");
    ASSERT_TRUE(bom.has_value());
    EXPECT_NE(bom->find("Relatório da rede Rede &lt;teste&gt;"), std::string::npos);
    // Sem arquivo: o navegador mostra a sua própria página, sem mensagem.
    EXPECT_FALSE(pagina_do_relatorio("").has_value());
    EXPECT_FALSE(pagina_do_relatorio(pasta.arquivo("nenhum.xml")).has_value());
    EXPECT_TRUE(s.mensagens.empty());

    const std::string projeto = pasta.arquivo("rede.xml");
    teste::escrever(projeto, "<?xml version=\"1.0\"?>\n<rss><rede><nome_da_rede_dado>X</nome_da_rede_dado></rede></rss>\n");
    const std::string doctype = pasta.arquivo("doctype.xml");
    teste::escrever(doctype, "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [<!ENTITY e \"x\">]>\n<rss>&e;</rss>\n");
    const teste::fifo_de_teste fifo(pasta.arquivo("fifo.xml"));
    std::optional<std::string> pagina_da_fifo;
    EXPECT_TRUE(fifo.volta_sem_bloquear([&] { pagina_da_fifo = pagina_do_relatorio(fifo.caminho()); }));
    EXPECT_EQ(pagina_da_fifo, std::string());
    EXPECT_EQ(pagina_do_relatorio(doctype), std::string());
    EXPECT_EQ(pagina_do_relatorio(pasta.caminho().string()), std::string());  // uma pasta
    // Uma folha que não consegue montar o relatório.
    s.pasta = pasta.caminho().string();
    teste::escrever(pasta.arquivo("modelo_orvel.xsl"),
                    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                    "<xsl:template match=\"/\"><xsl:message terminate=\"yes\">erro</xsl:message></xsl:template>"
                    "</xsl:stylesheet>");
    EXPECT_EQ(pagina_do_relatorio(projeto), std::string());
    std::filesystem::remove(pasta.arquivo("modelo_orvel.xsl"));
    EXPECT_EQ(pagina_do_relatorio(projeto), std::string());

    const std::string nome_da_pasta = parte_do_nome_do_arquivo(pasta.caminho().string());
    const std::vector<std::string> esperados = {
        "não foi possível ler o arquivo fifo.xml", "não foi possível ler o arquivo doctype.xml",
        "não foi possível ler o arquivo " + nome_da_pasta, "não foi possível montar o relatório do arquivo rede.xml",
        "não foi possível montar o relatório do arquivo rede.xml"};
    ASSERT_EQ(s.mensagens.size(), esperados.size());
    for (std::size_t i = 0; i < esperados.size(); ++i) {
        EXPECT_EQ(s.mensagens[i].texto, esperados[i]);
        EXPECT_EQ(s.mensagens[i].titulo, "Aviso");
    }
}

// A célula "Fornece a" tem uma linha por recebedor: nenhuma quebra depois do último, que a
// faria com o dobro da altura.
TEST(relatorio_da_rede, fornece_a_sem_quebra_depois_do_ultimo_recebedor) {
    teste::pasta_temporaria pasta;
    const std::string projeto = pasta.arquivo("fornece.xml");
    auto link = [](int i, const std::string& nome, const std::string& recebedores) {
        const std::string tag = "link" + std::to_string(i);
        return "<" + tag + "><nome_do_link_dado>" + nome + "</nome_do_link_dado>" + recebedores + "</" + tag + ">";
    };
    teste::escrever(projeto,
                    "<?xml version=\"1.0\"?>\n<rss><rede><nome_da_rede_dado>R</nome_da_rede_dado></rede><links/><nos/>" +
                        link(1, "L1",
                             "<nome_do_primeiro_recebedor_dado>L2</nome_do_primeiro_recebedor_dado>"
                             "<valor_do_primeiro_fornecimento_dado>300</valor_do_primeiro_fornecimento_dado>"
                             "<nome_do_segundo_recebedor_dado></nome_do_segundo_recebedor_dado>"
                             "<nome_do_terceiro_recebedor_dado>L3</nome_do_terceiro_recebedor_dado>"
                             "<valor_do_terceiro_fornecimento_dado>200</valor_do_terceiro_fornecimento_dado>") +
                        link(2, "L2",
                             "<nome_do_primeiro_recebedor_dado>L3</nome_do_primeiro_recebedor_dado>"
                             "<valor_do_primeiro_fornecimento_dado>100</valor_do_primeiro_fornecimento_dado>") +
                        link(3, "L3", "") + "</rss>\n");
    const std::string html = relatorio_em_html(projeto, pasta_dos_recursos());
    // O texto de cada célula, sem os brancos que a indentação põe entre as marcas.
    const std::string compacto = sem_indentacao(html);
    EXPECT_NE(compacto.find("<td>L2 (300 veíc/h)<br>L3 (200 veíc/h)</td>"), std::string::npos) << compacto;
    EXPECT_NE(compacto.find("<td>L3 (100 veíc/h)</td>"), std::string::npos) << compacto;
    EXPECT_EQ(compacto.find("<br></td>"), std::string::npos) << compacto;
}

// Num nó com demanda de pedestres, a linha das durações corrigidas pela demanda é a duração
// média (o intervalo demandado de 15 s aparece com menos), e a defasagem diz de onde é medida.
TEST_F(visualizadores, relatorio_nomeia_a_duracao_media_e_a_origem_da_defasagem) {
    teste::pasta_temporaria pasta;
    s.pasta = pasta_dos_recursos();
    teste::montar_rede_em_grade(2, 3, 90);
    // O primeiro nó ganha uma travessia de pedestres de 15 s, todo vermelho, só com acionamento.
    const int n = 1;
    quant_de_intervalos_antes_dado(n) = 5;
    teste::cores_do_grupo(n, 1, "12333");
    teste::cores_do_grupo(n, 2, "33123");
    duracao_imposta_dado(n, 5) = 15;
    eh_no_demandado_dado(n) = true;
    n_acionamentos_dado(n) = 80;
    intervalo_demandado_dado(n) = 5;
    intervalo_beneficiado_dado(n) = 1;
    teste::desenhar_a_rede(t());
    aplicar_coluna_de_comandos(coluna_de_comandos::abrir);
    s.respostas_salvar = {pasta.arquivo("grade.xml")};
    t().processar_button.Click();
    ASSERT_TRUE(s.mensagens.empty()) << s.mensagens.front().texto;
    const auto& d = contexto().derivados;
    ASSERT_EQ(d.duracao_do_intervalo(n, 5), 15);
    ASSERT_EQ(d.duracao_com_demanda(n, 5), 9);

    const std::string pagina = relatorio_em_html(pasta.arquivo("grade.xml"), s.pasta);
    const std::string html = sem_indentacao(pagina);
    std::string linha = "<th>Duração média (s)</th>";
    for (int k = 1; k <= d.quant_de_intervalos_depois(n); ++k)
        linha += "<td class=\"numero\">" + std::to_string(d.duracao_com_demanda(n, k)) + "</td>";
    EXPECT_NE(html.find(linha + "</tr>"), std::string::npos) << linha << "\n" << html;
    EXPECT_EQ(html.find("Com demanda"), std::string::npos);
    for (const char* esperado :
         {"o intervalo demandado (5) não é usado e o seu tempo passa ao intervalo beneficiado (1)",
          "<th>Defasagem do intervalo 1 (s)</th>",
          "quantos segundos depois do início do ciclo da rede começa o intervalo 1 do nó"})
        EXPECT_NE(com_espacos_simples(pagina).find(esperado), std::string::npos) << esperado;
}

// Cada frase da ajuda que diz qual comando funciona quando está na página e vale no programa:
// levado pelos próprios comandos ao estado de que ela fala (cada comando usado só quando está
// habilitado), o programa habilita, no menu (e nos menus acima do item) e na barra de
// ferramentas, o que a frase diz.
using ajuda_e_estados_dos_comandos = teste::com_projeto_em_arquivo;

TEST_F(ajuda_e_estados_dos_comandos, cada_frase_vale_no_programa) {
    const std::string ajuda = teste::texto_da_ajuda();
    // Uma rede que se processa (com sondagens de parada), salva uma vez e aberta a cada frase.
    const std::string salva = pasta.arquivo("grade_salva.xml"), arquivo = pasta.arquivo("grade.xml");
    teste::montar_rede_em_grade(2, 3, 90);
    teste::carregar_o_desenho_da_rede();
    ASSERT_TRUE(salvar_em(salva));
    auto usavel = [&](const std::string& nome) {
        controle* c = t().controle_chamado(nome);
        bool sim = c->Enabled;
        if (c->tipo() == tipo_de_controle::menu)
            for (const item_de_menu* m = static_cast<item_de_menu*>(c)->pai(); m; m = m->pai()) sim = sim && m->Enabled;
        return sim;
    };
    auto clicar = [&](const std::string& nome) {
        EXPECT_TRUE(usavel(nome)) << nome << " desabilitado no caminho";
        controle* c = t().controle_chamado(nome);
        if (c->tipo() == tipo_de_controle::menu) static_cast<item_de_menu*>(c)->Click();
        else static_cast<botao_de_comando*>(c)->Click();
    };
    const std::map<std::string, std::function<void()>> passos = {
        {"novo", [&] { clicar("arquivo_novo_button"); }},
        {"abrir", [&] { s.respostas_abrir = {arquivo}; clicar("mnuAbrir"); }},
        {"desenhar", [&] { clicar("construir_button"); }},
        {"encerrar", [&] { clicar("mnuEncerrarDesenho"); }},
        {"encerrar_na_barra", [&] { clicar("terminar_construcao_button"); }},
        {"processar", [&] { clicar("processar_button"); }},
        {"interromper", [&] {  // na primeira sondagem do cálculo
             bool parado = false;
             s.ao_processar_eventos = [&] {
                 if (!std::exchange(parado, true)) clicar("parar_processamento_button");
             };
             clicar("processar_button");
             s.ao_processar_eventos = nullptr;
             EXPECT_TRUE(parado) << "o cálculo não sondou a parada";
         }},
        {"fechar", [&] { clicar("mnuFechar"); }},
    };
    // Os comandos, na ordem das colunas dos estados: os itens de menu (com os do botão direito)
    // e os botões da barra de ferramentas.
    const struct {
        std::vector<std::string> menus, barra;
    } comandos[] = {
        {{"mnuDesenhar"}, {"construir_button"}},
        {{"mnuEncerrarDesenho"}, {"terminar_construcao_button"}},
        {{"mnuInserirNo", "mnuInserirLink"}, {"inserir_no_button", "inserir_link_button"}},
        {{"mnuEliminarNo", "mnuEliminarNoPop", "mnuEliminarLink", "mnuEliminarLinkPop"},
         {"eliminar_no_button", "eliminar_link_button"}},
        {{"mnuEditarNo", "mnuEditarNoPop", "mnuEditarLink", "mnuEditarLinkPop"},
         {"editar_no_button", "editar_link_button"}},
        {{"mnuInserirLinkConversao"}, {}},
    };
    // Um trecho de cada frase, na página.
    const char* const desenhar = "depois de <b>Encerrar desenho</b> ou de abrir um projeto, volta com <b>Desenhar</b>";
    const char* const no_desenho = "na barra de ferramentas e nos menus <b>Nó</b> e <b>Link</b>, e só nele";
    const char* const fora_do_desenho = "a abertura de um projeto desabilitam esses comandos na barra e nos menus";
    const char* const barra_depois = "<b>Eliminar nó</b> e <b>Eliminar link</b>, também fora do modo de desenho";
    const char* const menus_depois = "fica desabilitado e os menus ficam como estavam antes de <b>Processar</b>";
    const char* const encerrar_depois = "<b>Editar link</b>, na barra e nos menus, e desabilita os comandos do desenho";
    const char* const interrompido = "<b>Interromper processamento</b> encerra o desenho: os menus ficam como depois de";
    const char* const conversao = "esse item só é habilitado por <b>Novo</b> e continua habilitado";
    const char* const eliminar = "No modo de desenho eliminam a barra e os menus; depois de <b>Processar</b>, a barra";
    const char* const editar = "Só depois dele, da abertura de um projeto ou de um processamento interrompido os dados";
    const char* const editar_depois = "<b>Editar link</b> da barra de ferramentas ficam desabilitados depois dele";
    const char* const voltar = "depois de <b>Processar</b>, o do menu <b>Rede</b>, ou <b>Encerrar desenho</b> na barra";
    const struct {
        const char* trecho;
        const char* caminho;
        const char* estados;  // menu e barra de cada comando: 'E' habilitado, 'D' não, '.' a frase não diz
    } frases[] = {
        //                                                     Des Enc Cri Eli Edi Conv
        {desenhar, "novo encerrar",                            "EE .. .. .. .. .."},
        {desenhar, "abrir",                                    "EE .. .. .. .. .."},
        {no_desenho, "novo",                                   ".. .. EE EE .. .."},
        {no_desenho, "abrir desenhar",                         ".. .. EE EE .. .."},
        {fora_do_desenho, "novo encerrar",                     ".. .. DD DD .. .."},
        {fora_do_desenho, "abrir",                             ".. .. DD DD .. .."},
        {barra_depois, "abrir processar",                      ".. .E .E .E .. .."},
        {barra_depois, "abrir desenhar interromper",           ".. .E .E .E .. .."},
        {menus_depois, "abrir processar",                      "ED D. D. D. E. .."},
        {menus_depois, "abrir desenhar processar",             "DD E. E. E. D. .."},
        {encerrar_depois, "abrir processar encerrar_na_barra", "EE .. DD DD EE .."},
        {interrompido, "abrir desenhar interromper",           "EE DE DE DE EE D."},
        {conversao, "novo encerrar",                           ".. .. .. .. .. E."},
        {conversao, "novo abrir",                              ".. .. .. .. .. E."},
        {conversao, "abrir",                                   ".. .. .. .. .. D."},
        {conversao, "novo fechar",                             ".. .. .. .. .. D."},
        {conversao, "novo abrir desenhar interromper",         ".. .. .. .. .. D."},
        {eliminar, "novo",                                     ".. .. .. EE .. .."},
        {eliminar, "abrir desenhar processar",                 ".. .. .. EE .. .."},
        {eliminar, "abrir processar",                          ".. .. .. DE .. .."},
        {eliminar, "abrir desenhar interromper",               ".. .. .. DE .. .."},
        {eliminar, "novo encerrar",                            ".. .. .. DD .. .."},
        {eliminar, "abrir",                                    ".. .. .. DD .. .."},
        {editar, "novo encerrar",                              ".. .. .. .. EE .."},
        {editar, "abrir",                                      ".. .. .. .. EE .."},
        {editar, "abrir desenhar interromper",                 ".. .. .. .. EE .."},
        {editar, "novo",                                       ".. .. .. .. DD .."},
        {editar, "abrir desenhar",                             ".. .. .. .. DD .."},
        {editar_depois, "abrir processar",                     ".. .. .. .. ED .."},
        {editar_depois, "abrir desenhar processar",            ".. .. .. .. DD .."},
        {voltar, "abrir processar",                            "E. .E .. .. .. .."},
        {voltar, "abrir desenhar interromper",                 "E. .E .. .. .. .."},
    };
    for (const auto& f : frases) {
        SCOPED_TRACE(std::string(f.caminho) + ": " + f.trecho);
        EXPECT_NE(ajuda.find(f.trecho), std::string::npos) << "a ajuda não diz mais isto";
        teste::recomecar_o_programa();
        std::filesystem::copy_file(salva, arquivo, std::filesystem::copy_options::overwrite_existing);
        s.mensagens.clear();
        std::istringstream caminho(f.caminho);
        for (std::string p; caminho >> p;) passos.at(p)();
        EXPECT_TRUE(s.mensagens.empty()) << s.mensagens.front().texto;
        for (std::size_t k = 0; k < std::size(comandos); ++k)
            for (const auto& [nomes, estado] : {std::pair(comandos[k].menus, f.estados[3 * k]),
                                                std::pair(comandos[k].barra, f.estados[3 * k + 1])}) {
                if (estado == '.') continue;
                for (const std::string& nome : nomes) EXPECT_EQ(usavel(nome), estado == 'E') << nome;
            }
    }

    // Frases que não falam de estados: os botões da rede dinâmica e a janela do nome.
    for (const auto& [trecho, esta] : std::initializer_list<std::pair<const char*, bool>>{
             {"dois botões no alto, à direita", false},
             {"use o primeiro dos dois botões da faixa do alto da janela", true},
             {"a janela do nome se abre; escreva o nome da rede e use <b>Inserir Nome</b>", true}})
        EXPECT_EQ(ajuda.find(trecho) != std::string::npos, esta) << trecho;
}

}  // namespace
}  // namespace orvel
