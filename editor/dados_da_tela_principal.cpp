#include "editor/tela_principal.h"

#include <algorithm>

namespace orvel {

namespace {
void projetar_botao(botao_de_comando& b, const char* caption, const char* figura, bool habilitado) {
    b.Caption = caption;
    b.Style = 1;
    b.Picture = figura;
    b.Enabled = habilitado;
    b.FontSize = 6.75f;
}
}  // namespace

dados_da_tela_principal::dados_da_tela_principal() {
    janela_principal = true;
    projetar_botao(construir_button, "Desenhar", "desenhar", false);
    projetar_botao(terminar_construcao_button, "Encerrar desenho", "encerrar_desenho", false);
    projetar_botao(relatorio_tela_button, "Relatório", "relatorio", false);
    projetar_botao(relatorio_diagrama_de_barras_button, "Diagrama de barras final", "diagrama_de_barras", false);
    projetar_botao(salvar_button, "Salvar", "salvar", false);
    projetar_botao(arquivo_fechar_button, "Fechar", "fechar", false);
    projetar_botao(arquivo_abrir_button, "Abrir", "abrir", true);
    projetar_botao(arquivo_novo_button, "Novo", "novo", true);
    projetar_botao(eliminar_link_button, "Eliminar link", "eliminar_link", false);
    projetar_botao(editar_link_button, "Editar link", "editar_link", false);
    projetar_botao(inserir_link_button, "Criar link", "criar_link", false);
    projetar_botao(eliminar_no_button, "Eliminar nó", "eliminar_no", false);
    projetar_botao(editar_no_button, "Editar nó", "editar_no", false);
    projetar_botao(inserir_no_button, "Criar nó", "criar_no", false);
    projetar_botao(tela_dinamica_button, "Rede dinâmica", "rede_dinamica", false);
    projetar_botao(parar_processamento_button, "Interromper  processamento", "interromper", false);
    projetar_botao(processar_button, "Processar", "processar", false);

    LblVersao.Visible = false;
    LblVersao.AutoSize = true;
    LblVersao.BackStyle = 0;

    Line9.X1 = 0;
    Line9.X2 = 12800;
    Line9.BorderColor = cor_da_sombra_do_botao;
    Line8.X1 = 0;
    Line8.Y1 = 10;
    Line8.X2 = 12800;
    Line8.Y2 = 10;
    Line8.BorderColor = cor_da_sombra_do_botao;
    Line7.X1 = 0;
    Line7.Y1 = 0;
    Line7.X2 = 12000;
    Line7.Y2 = 0;
    Line7.BorderColor = cor_do_fundo_da_janela;

    Label7.BackColor = cor_da_face_do_botao;
    Label7.BackStyle = 1;
    Label7.Left = 0;
    Label7.Top = 0;
    Label7.Width = 12400;
    Label7.Height = 585;

    mnuFechar.Enabled = false;
    mnuSalvar.Enabled = false;
    mnuSalvar_como.Enabled = false;
    mnuImprimir.Enabled = false;
    mnuDesenhar.Enabled = false;
    mnuEncerrarDesenho.Enabled = false;
    for (item_de_menu* m : {&mnuInserirNo, &mnuEditarNo, &mnuEliminarNo, &mnuInserirLink, &mnuInserirLinkConversao,
                            &mnuEditarLink, &mnuEliminarLink, &mnuRelatorio, &mnuDiagrama_de_barras, &mnuRede_dinamica,
                            &mnuEliminarNoPop, &mnuEliminarLinkPop})
        m->Enabled = false;
    mnuNospop.Visible = false;
    mnuLinksPop.Visible = false;

    // A ordem de profundidade do projeto da janela (o primeiro fica por cima), com os
    // controles do desenho entre os da barra; os menus vêm depois.
    const std::vector<controle*> ordem = {
        &construir_button, &terminar_construcao_button, &relatorio_tela_button,
        &relatorio_diagrama_de_barras_button, &salvar_button, &arquivo_fechar_button, &arquivo_abrir_button,
        &arquivo_novo_button, &eliminar_link_button, &editar_link_button, &inserir_link_button,
        &eliminar_no_button, &editar_no_button, &inserir_no_button, &tela_dinamica_button,
        &parar_processamento_button, &processar_button, &LblVersao, &braco_link_line(0), &Label1,
        &etiqueta_link_label(0), &Line9, &no_shape(0), &Line8, &Line7, &base_seta_line(0), &Label5, &Label4,
        &Label3, &Label2, &apoio_no_label(0), &direita_seta_line(0), &esquerda_seta_line(0),
        &corpo_link_line(0), &Shape3, &Shape2, &Line2, &Line1, &Label7,
    };
    std::vector<controle*> menus;
    for (controle* c : controles())
        if (std::find(ordem.begin(), ordem.end(), c) == ordem.end()) menus.push_back(c);
    for (controle* c : ordem) retirar(c);
    for (controle* c : menus) retirar(c);
    for (controle* c : ordem) registrar(c, false);
    for (controle* c : menus) registrar(c, false);
}

std::vector<dados_da_tela_principal::posicao_na_barra> dados_da_tela_principal::ordem_da_barra() {
    return {
        {&arquivo_novo_button, false},         {&arquivo_abrir_button, false},
        {&arquivo_fechar_button, false},       {&salvar_button, false},
        {&construir_button, true},             {&terminar_construcao_button, false},
        {&inserir_no_button, true},            {&editar_no_button, false},
        {&eliminar_no_button, false},          {&inserir_link_button, false},
        {&editar_link_button, false},          {&eliminar_link_button, false},
        {&processar_button, true},             {&parar_processamento_button, false},
        {&relatorio_tela_button, true},        {&relatorio_diagrama_de_barras_button, false},
        {&tela_dinamica_button, false},
    };
}

controle* dados_da_tela_principal::controle_chamado(std::string_view nome) {
    for (controle* c : controles())
        if (c->indice() < 0 && c->nome() == nome) return c;
    return nullptr;
}

}  // namespace orvel
