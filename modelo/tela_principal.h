#pragma once
// Os controles da janela principal, como dados. O desenho da rede não tem figura própria: cada
// nó e cada link são elementos de matrizes de controles desta janela, e só eles guardam a
// posição, o tamanho e o rótulo de cada um; por isso o arquivo de projeto, a limpeza da rede e o
// cálculo os leem e escrevem aqui. Os tratadores de evento ficam no editor.

#include "plataforma/formularios.h"

namespace orvel {

inline constexpr char titulo_do_produto[] = "ORVEL - Belmarco QRT";

// Posição de estacionamento das marcas de seleção escondidas.
inline constexpr Single left_estacionado = 10440;
inline constexpr Single top_estacionado = 120;

inline constexpr Long cor_de_fundo_da_tela = rgb(242, 242, 242);
inline constexpr Long cor_de_fundo_fechado = rgb(150, 150, 150);

class dados_da_tela_principal : public formulario {
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
    matriz_de_controles<linha> braco_link_line{*this, "braco_link_line"};
    rotulo Label1{*this, "Label1"};
    matriz_de_controles<rotulo> etiqueta_link_label{*this, "etiqueta_link_label"};
    linha Line9{*this, "Line9"};
    matriz_de_controles<forma> no_shape{*this, "no_shape"};
    linha Line8{*this, "Line8"};
    linha Line7{*this, "Line7"};
    matriz_de_controles<linha> base_seta_line{*this, "base_seta_line"};
    rotulo Label5{*this, "Label5"};
    rotulo Label4{*this, "Label4"};
    rotulo Label3{*this, "Label3"};
    rotulo Label2{*this, "Label2"};
    matriz_de_controles<rotulo> apoio_no_label{*this, "apoio_no_label"};
    matriz_de_controles<linha> direita_seta_line{*this, "direita_seta_line"};
    matriz_de_controles<linha> esquerda_seta_line{*this, "esquerda_seta_line"};
    matriz_de_controles<linha> corpo_link_line{*this, "corpo_link_line"};
    forma Shape3{*this, "Shape3"};
    forma Shape2{*this, "Shape2"};
    linha Line2{*this, "Line2"};
    linha Line1{*this, "Line1"};
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

    // Carrega os cinco elementos de um link, nesta ordem: corpo, braço, as duas hastes da
    // seta e o rótulo.
    void carregar_elementos_do_link(int l);

    // Controle pelo nome (menus e botões das colunas de comandos); nullptr se não houver.
    controle* controle_chamado(std::string_view nome);
};

// A janela principal, carregada na primeira referência (a definição fica no editor).
dados_da_tela_principal& frmTela_principal_versao2();
bool tela_principal_carregada();

// As outras janelas, vistas só como janelas (título, carga, mostrar). Referir-se a uma delas a
// carrega, sem mostrar.
formulario& frmDiagrama_de_barras_final_versao2();
formulario& frmEditarLink_versao2();
formulario& frmEditarNo_versao2();
formulario& frmNome_da_rede_versao2();
formulario& frmRede_dinamica_versao2();
formulario& frmRede_versao2();
formulario& frmBrowse();
formulario& frmAjuda();

// Os métodos das vistas que os comandos da janela principal chamam: Atualiza do relatório e
// Atualiza_ajuda da ajuda, com o argumento opcional vazio.
void frmBrowse_Atualiza();
void frmAjuda_Atualiza_ajuda();

// Põe o mesmo título na janela principal e nas outras sete, nesta ordem.
void titular_as_oito_janelas(const std::string& titulo);

}  // namespace orvel
