#include "modelo/tela_principal.h"

namespace orvel {

namespace {
void projetar_botao(botao_de_comando& b, const char* caption, const char* figura, bool habilitado) {
    b.Caption = caption;
    b.Style = 1;
    b.Picture = figura;
    b.Enabled = habilitado;
    b.FontSize = 6.75f;
}

void projetar_marca_de_no(rotulo& r) {
    r.Left = left_estacionado;
    r.Top = top_estacionado;
    r.Width = 105;
    r.Height = 105;
    r.Visible = false;
    r.BackColor = cor_preta;
    r.BackStyle = 1;
}

void projetar_marca_de_link(forma& s) {
    s.Shape = 1;
    s.Left = left_estacionado;
    s.Top = top_estacionado;
    s.Width = 105;
    s.Height = 105;
    s.Visible = false;
    s.BackStyle = 1;
    s.BackColor = rgb(0, 0, 255);
    s.BorderColor = rgb(0, 0, 255);
}
}  // namespace

dados_da_tela_principal::dados_da_tela_principal() : formulario("frmTela_principal_versao2") {
    Caption = titulo_do_produto;
    Width = 12000;
    Height = 9000;
    BackColor = cor_de_fundo_da_tela;

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

    Label1.FontName = "MS Sans Serif";
    Label1.FontSize = 9.75f;
    Label1.AutoSize = true;
    Label1.BackColor = cor_de_fundo_da_tela;
    Label1.Visible = false;

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

    for (rotulo* r : {&Label2, &Label3, &Label4, &Label5}) projetar_marca_de_no(*r);
    projetar_marca_de_link(Shape2);
    projetar_marca_de_link(Shape3);

    Line1.Visible = false;
    Line1.BorderStyle = 3;
    Line1.BorderColor = rgb(128, 128, 128);
    Line2.Visible = false;
    Line2.BorderStyle = 3;
    Line2.BorderColor = rgb(128, 128, 128);

    // Modelos das matrizes do desenho.
    forma& circulo = no_shape(0);
    circulo.Shape = 3;
    circulo.BorderColor = rgb(0, 0, 128);
    circulo.BorderWidth = 2;
    circulo.BackStyle = 1;
    circulo.BackColor = rgb(255, 255, 224);
    for (rotulo* r : {&apoio_no_label(0), &etiqueta_link_label(0)}) {
        r->FontName = "Small Fonts";
        r->FontSize = 6.75f;
        r->Alignment = 2;
        r->BackStyle = 0;
    }
    apoio_no_label(0).Width = 340;
    apoio_no_label(0).Height = 340;
    etiqueta_link_label(0).Width = 600;
    etiqueta_link_label(0).Height = 195;
    etiqueta_link_label(0).Alignment = 0;
    for (linha* l : {&corpo_link_line(0), &braco_link_line(0), &esquerda_seta_line(0), &direita_seta_line(0), &base_seta_line(0)}) {
        l->BorderColor = rgb(0, 0, 128);
        l->BorderWidth = 2;
    }

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

void dados_da_tela_principal::carregar_elementos_do_link(int l) {
    corpo_link_line.carregar(l);
    braco_link_line.carregar(l);
    esquerda_seta_line.carregar(l);
    direita_seta_line.carregar(l);
    etiqueta_link_label.carregar(l);
}

controle* dados_da_tela_principal::controle_chamado(std::string_view nome) {
    for (controle* c : controles())
        if (c->indice() < 0 && c->nome() == nome) return c;
    return nullptr;
}

void titular_as_oito_janelas(const std::string& titulo) {
    frmTela_principal_versao2().Caption = titulo;
    frmDiagrama_de_barras_final_versao2().Caption = titulo;
    frmEditarLink_versao2().Caption = titulo;
    frmEditarNo_versao2().Caption = titulo;
    frmNome_da_rede_versao2().Caption = titulo;
    frmRede_dinamica_versao2().Caption = titulo;
    frmRede_versao2().Caption = titulo;
    frmBrowse().Caption = titulo;
    observador().ao_mudar();
}

}  // namespace orvel
