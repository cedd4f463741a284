#pragma once
// A janela principal: o projeto da janela (barra de ferramentas e menus), a carga e os comandos
// do desenho.

#include "editor/desenho_da_rede.h"
#include "plataforma/servicos.h"

#include <string_view>
#include <vector>

namespace orvel {

// A janela principal inteira como dados: o desenho da rede (do modelo) mais a barra de
// ferramentas, as linhas e o fundo da barra, a versão e os menus.
class dados_da_tela_principal : public desenho_da_rede {
public:
    dados_da_tela_principal();

    // Barra de ferramentas, na ordem do projeto da janela.
    botao_de_comando construir_button{*this, "construir_button"};
    botao_de_comando terminar_construcao_button{*this, "terminar_construcao_button"};
    botao_de_comando relatorio_tela_button{*this, "relatorio_tela_button"};
    botao_de_comando relatorio_diagrama_de_barras_button{*this, "relatorio_diagrama_de_barras_button"};
    botao_de_comando salvar_button{*this, "salvar_button"};
    botao_de_comando arquivo_fechar_button{*this, "arquivo_fechar_button"};
    botao_de_comando arquivo_abrir_button{*this, "arquivo_abrir_button"};
    botao_de_comando arquivo_novo_button{*this, "arquivo_novo_button"};
    botao_de_comando eliminar_link_button{*this, "eliminar_link_button"};
    botao_de_comando editar_link_button{*this, "editar_link_button"};
    botao_de_comando inserir_link_button{*this, "inserir_link_button"};
    botao_de_comando eliminar_no_button{*this, "eliminar_no_button"};
    botao_de_comando editar_no_button{*this, "editar_no_button"};
    botao_de_comando inserir_no_button{*this, "inserir_no_button"};
    botao_de_comando tela_dinamica_button{*this, "tela_dinamica_button"};
    botao_de_comando parar_processamento_button{*this, "parar_processamento_button"};
    botao_de_comando processar_button{*this, "processar_button"};

    rotulo LblVersao{*this, "LblVersao"};
    linha Line9{*this, "Line9"};
    linha Line8{*this, "Line8"};
    linha Line7{*this, "Line7"};
    rotulo Label7{*this, "Label7"};

    // Menus.
    item_de_menu mnuProjetos{*this, "mnuProjetos", "Arquivo"};
    item_de_menu mnuNovo{*this, "mnuNovo", "&Novo", &mnuProjetos};
    item_de_menu mnuAbrir{*this, "mnuAbrir", "&Abrir", &mnuProjetos};
    item_de_menu mnuFechar{*this, "mnuFechar", "&Fechar", &mnuProjetos};
    item_de_menu mnuTraco{*this, "mnuTraco", "-", &mnuProjetos};
    item_de_menu mnuSalvar{*this, "mnuSalvar", "&Salvar", &mnuProjetos};
    item_de_menu mnuSalvar_como{*this, "mnuSalvar_como", "Salvar &como", &mnuProjetos};
    item_de_menu mnuTraco2{*this, "mnuTraco2", "-", &mnuProjetos};
    item_de_menu mnuConfigurar{*this, "mnuConfigurar", "Con&figurar Impressora", &mnuProjetos};
    item_de_menu mnuImprimir{*this, "mnuImprimir", "&Imprimir o desenho da rede", &mnuProjetos};
    item_de_menu mnuTraco3{*this, "mnuTraco3", "-", &mnuProjetos};
    item_de_menu mnuSair{*this, "mnuSair", "Sair", &mnuProjetos};

    item_de_menu mnuRede{*this, "mnuRede", "Rede"};
    item_de_menu mnuDesenhar{*this, "mnuDesenhar", "Desenhar", &mnuRede};
    item_de_menu mnuEncerrarDesenho{*this, "mnuEncerrarDesenho", "Encerrar desenho", &mnuRede};
    item_de_menu mnuNomeRede{*this, "mnuNomeRede", "Nome", &mnuRede};
    item_de_menu mnuEditarRede{*this, "mnuEditarRede", "Valores opcionais", &mnuRede};

    item_de_menu mnuNo{*this, "mnuNo", "Nó"};
    item_de_menu mnuInserirNo{*this, "mnuInserirNo", "Criar nó", &mnuNo};
    item_de_menu mnuEditarNo{*this, "mnuEditarNo", "Editar", &mnuNo};
    item_de_menu mnuEliminarNo{*this, "mnuEliminarNo", "Eliminar", &mnuNo};

    item_de_menu mnuLink{*this, "mnuLink", "Link"};
    item_de_menu mnuInserirLink{*this, "mnuInserirLink", "Criar link", &mnuLink};
    item_de_menu mnuInserirLinkConversao{*this, "mnuInserirLinkConversao", "Criar link de conversão", &mnuLink};
    item_de_menu mnuEditarLink{*this, "mnuEditarLink", "Editar", &mnuLink};
    item_de_menu mnuEliminarLink{*this, "mnuEliminarLink", "Eliminar", &mnuLink};

    item_de_menu mnuRelatorio{*this, "mnuRelatorio", "Relatório"};
    item_de_menu mnuDiagrama_de_barras{*this, "mnuDiagrama_de_barras", "Diagrama de barras"};
    item_de_menu mnuRede_dinamica{*this, "mnuRede_dinamica", "Rede dinâmica"};
    item_de_menu mnuAjuda{*this, "mnuAjuda", "Ajuda"};

    item_de_menu mnuNospop{*this, "mnuNospop", "Nós_pop"};
    item_de_menu mnuEditarNoPop{*this, "mnuEditarNoPop", "Editar", &mnuNospop};
    item_de_menu mnuEliminarNoPop{*this, "mnuEliminarNoPop", "Eliminar", &mnuNospop};

    item_de_menu mnuLinksPop{*this, "mnuLinksPop", "Link_pop"};
    item_de_menu mnuEditarLinkPop{*this, "mnuEditarLinkPop", "Editar", &mnuLinksPop};
    item_de_menu mnuEliminarLinkPop{*this, "mnuEliminarLinkPop", "Eliminar", &mnuLinksPop};

    // Os dezessete botões na ordem da barra, com o primeiro de cada grupo marcado.
    struct posicao_na_barra {
        botao_de_comando* botao;
        bool primeiro_do_grupo;
    };
    std::vector<posicao_na_barra> ordem_da_barra();

    // Controle pelo nome (menus e botões das colunas de comandos); nullptr se não houver.
    controle* controle_chamado(std::string_view nome);
};

class tela_principal : public dados_da_tela_principal {
public:
    tela_principal();

    void Form_Load() override;
    void Form_Activate() override {}
    void Form_Unload(Integer& cancelar) override;

    // Comandos do projeto.
    void arquivo_novo_button_Click();
    void mnuNovo_Click();
    void arquivo_abrir_button_Click();
    void mnuAbrir_Click();
    void arquivo_fechar_button_Click();
    void mnuFechar_Click();
    void salvar_button_Click();
    void mnuSalvar_Click();
    void mnuSalvar_como_Click();
    void mnuSair_Click();
    void construir_button_Click();
    void mnuDesenhar_Click();
    void terminar_construcao_button_Click();
    void mnuEncerrarDesenho_Click();
    void processar_button_Click();
    void parar_processamento_button_Click();

    // Criação, edição e eliminação de nós e links (botão, menu e menu suspenso).
    void inserir_no_button_Click();
    void mnuInserirNo_Click();
    void inserir_link_button_Click();
    void mnuInserirLink_Click();
    void mnuInserirLinkConversao_Click();
    void editar_no_button_Click();
    void mnuEditarNo_Click();
    void mnuEditarNoPop_Click();
    void editar_link_button_Click();
    void mnuEditarLink_Click();
    void mnuEditarLinkPop_Click();
    void eliminar_no_button_Click();
    void mnuEliminarNo_Click();
    void mnuEliminarNoPop_Click();
    void eliminar_link_button_Click();
    void mnuEliminarLink_Click();
    void mnuEliminarLinkPop_Click();

    // Mouse na área de desenho: seleção e arrasto dos links ("Erro 116", "Erro 117", "Erro 118").
    void Form_MouseDown(Integer Button, Integer Shift, Single X, Single Y) override;
    void Form_MouseMove(Integer Button, Integer Shift, Single X, Single Y) override;
    void Form_MouseUp(Integer Button, Integer Shift, Single X, Single Y) override;

    // Mouse nos nós: o rótulo de apoio seleciona e arrasta; as alças dos cantos mudam o raio.
    void apoio_no_label_MouseDown(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void apoio_no_label_MouseMove(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void apoio_no_label_MouseUp(Integer Index, Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label2_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label3_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label4_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void Label5_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
    // Vistas dos resultados (editor/comandos_das_vistas.cpp).
    void relatorio_diagrama_de_barras_button_Click();
    void mnuDiagrama_de_barras_Click();
    void tela_dinamica_button_Click();
    void mnuRede_dinamica_Click();
    // Vistas, diálogos da rede e impressão.
    void mnuAjuda_Click();
    void mnuConfigurar_Click();
    void mnuImprimir_Click();
    void mnuEditarRede_Click();
    void mnuNomeRede_Click();
    void relatorio_tela_button_Click();
    void mnuRelatorio_Click();

    // O diálogo comum de impressora da janela.
    dialogo_de_impressora cdlImpressora;

private:
    void mover_alca(rotulo& alca, Integer Button, Single X, Single Y);
    void novo(contexto_da_rede& c);
    void abrir(contexto_da_rede& c);
    void fechar(contexto_da_rede& c);
    void sair();
    void calcular_geometria_dos_nos();
    void esconder_marcas_e_selecoes();
    void criar_no();
    void criar_link(bool conversao);
    void editar_no();
    void editar_link();
    void apagar_no();
    void apagar_link();
    void mostrar_relatorio();

    // O nó em volta do qual as alças dos cantos foram postas pela última soltura (0 = nenhum):
    // uma alça só redimensiona esse nó, mesmo que outro tenha sido selecionado depois.
    Byte no_das_alcas_ = 0;
};

tela_principal& tela_principal_completa();

// "Salvar" de uma rede pelas janelas: pede o arquivo ("Salvar como") quando a rede não tem um
// ou quando salvar_como é True, pergunta "Deseja Substituir?" para um arquivo que já existe,
// grava e, gravado, intitula as oito janelas com o nome do arquivo; uma falha vai ao relator de
// erros ("Erro 146"), sempre mostrada. Devolve true só quando o arquivo foi gravado; senão, o
// nome do arquivo e os títulos ficam como estavam.
bool salvar_pelas_janelas(contexto_da_rede& c);

// "Abrir" sem a pergunta de salvar: pede o arquivo e o abre na rede c; um arquivo
// recusado mostra o "Aviso" e uma falha vai ao relator ("Erro 148"); com o diálogo cancelado
// nada muda. Aberto, a janela principal é refeita do desenho da rede, com os estados dos
// comandos de um projeto aberto e os títulos. Devolve true quando o projeto foi aberto.
bool abrir_pelas_janelas(contexto_da_rede& c);

}  // namespace orvel
