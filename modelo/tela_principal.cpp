#include "modelo/tela_principal.h"
#include "modelo/contexto_da_rede.h"

namespace orvel {

namespace {
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

desenho_da_rede::desenho_da_rede() : formulario("frmTela_principal_versao2") {
    Caption = titulo_do_produto;
    Width = 12000;
    Height = 9000;
    BackColor = cor_de_fundo_da_tela;

    Label1.FontName = "MS Sans Serif";
    Label1.FontSize = 9.75f;
    Label1.AutoSize = true;
    Label1.BackColor = cor_de_fundo_da_tela;
    Label1.Visible = false;

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
}


void desenho_da_rede::carregar_elementos_do_link(int l) {
    corpo_link_line.carregar(l);
    braco_link_line.carregar(l);
    esquerda_seta_line.carregar(l);
    direita_seta_line.carregar(l);
    etiqueta_link_label.carregar(l);
}

namespace {
janelas_do_programa* janelas_ = nullptr;
}  // namespace

void instalar_janelas_do_programa(janelas_do_programa* j) { janelas_ = j; }

janelas_do_programa* janelas_instaladas() { return janelas_; }

desenho_da_rede& frmTela_principal_versao2() {
    if (janelas_) return janelas_->tela_principal();
    return formulario_unico<desenho_da_rede>();
}

bool tela_principal_carregada() {
    for (formulario* f : janelas_carregadas())
        if (f->nome() == "frmTela_principal_versao2" && f->carregado()) return true;
    return false;
}

void titular_as_oito_janelas(const std::string& titulo) {
    contexto().janelas.titulo_das_janelas = titulo;
    if (janelas_) {
        janelas_->titular_as_oito_janelas(titulo);
        return;
    }
    frmTela_principal_versao2().Caption = titulo;
    observador().ao_mudar();
}

std::string titulo_das_janelas() {
    const std::string& t = contexto().janelas.titulo_das_janelas;
    return t.empty() ? std::string(titulo_do_produto) : t;
}

void aplicar_coluna_de_comandos(coluna_de_comandos coluna) {
    if (janelas_) janelas_->aplicar_coluna_de_comandos(coluna);
}

}  // namespace orvel
