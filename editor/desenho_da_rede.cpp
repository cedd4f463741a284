#include "editor/desenho_da_rede.h"

#include "modelo/limpar_rede.h"

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

template <class C>
void descarregar_se_carregado(matriz_de_controles<C>& m, int i) {
    if (m.carregado(i)) m.descarregar(i);
}

void desenhar_link(desenho_da_rede& t, const desenho_dado& d, bool conversao, int l) {
    t.carregar_elementos_do_link(l);
    linha& corpo = t.corpo_link_line(l);
    linha& braco = t.braco_link_line(l);
    linha& esquerda = t.esquerda_seta_line(l);
    linha& direita = t.direita_seta_line(l);
    rotulo& etiqueta = t.etiqueta_link_label(l);
    corpo.X1 = d.corpo_link_line_X1(l);
    corpo.X2 = d.corpo_link_line_X2(l);
    corpo.Y1 = d.corpo_link_line_Y1(l);
    corpo.Y2 = d.corpo_link_line_Y2(l);
    braco.X2 = d.braco_link_line_X2(l);
    braco.Y2 = d.braco_link_line_Y2(l);
    esquerda.X1 = d.esquerda_seta_line_X1(l);
    esquerda.Y1 = d.esquerda_seta_line_Y1(l);
    direita.X1 = d.direita_seta_line_X1(l);
    direita.Y1 = d.direita_seta_line_Y1(l);
    etiqueta.Left = d.etiqueta_link_label_Left(l);
    etiqueta.Top = d.etiqueta_link_label_Top(l);
    etiqueta.Caption = d.etiqueta_link_label_Caption(l);
    etiqueta.Visible = true;
    corpo.Visible = true;
    esquerda.Visible = true;
    direita.Visible = true;
    if (!conversao) {
        esquerda.X2 = corpo.X2;
        esquerda.Y2 = corpo.Y2;
        direita.X2 = corpo.X2;
        direita.Y2 = corpo.Y2;
        braco.Visible = false;
    } else {
        braco.Visible = true;
        braco.X1 = corpo.X2;
        braco.Y1 = corpo.Y2;
        esquerda.X2 = braco.X2;
        esquerda.Y2 = braco.Y2;
        direita.X2 = braco.X2;
        direita.Y2 = braco.Y2;
    }
}

// Cada elemento carregado fica por cima dos outros: o círculo primeiro, para que o nome fique
// sobre ele.
void desenhar_no(desenho_da_rede& t, const desenho_dado& d, int n) {
    t.no_shape.carregar(n);
    t.apoio_no_label.carregar(n);
    rotulo& r = t.apoio_no_label(n);
    r.Left = d.apoio_no_label_Left(n);
    r.Top = d.apoio_no_label_Top(n);
    r.Height = d.apoio_no_label_Height(n);
    r.Width = r.Height;
    r.Caption = d.apoio_no_label_Caption(n);
    forma& c = t.no_shape(n);
    c.Left = d.no_shape_Left(n);
    c.Top = d.no_shape_Top(n);
    c.Height = d.no_shape_Height(n);
    c.Width = c.Height;
    c.Visible = true;
    r.Visible = true;
}

}  // namespace

void desenhar_a_rede(desenho_da_rede& t, const contexto_da_rede& c) {
    for (int n = 1; n <= max_nos; ++n) {
        descarregar_se_carregado(t.no_shape, n);
        descarregar_se_carregado(t.apoio_no_label, n);
    }
    for (rotulo* r : {&t.Label2, &t.Label3, &t.Label4, &t.Label5}) r->Visible = false;
    t.Line1.Visible = false;
    t.Line2.Visible = false;
    for (int l = 1; l <= max_links; ++l) {
        descarregar_se_carregado(t.corpo_link_line, l);
        descarregar_se_carregado(t.braco_link_line, l);
        descarregar_se_carregado(t.direita_seta_line, l);
        descarregar_se_carregado(t.esquerda_seta_line, l);
        descarregar_se_carregado(t.etiqueta_link_label, l);
    }
    t.Shape2.Visible = false;
    t.Shape3.Visible = false;

    for (int l = 1; l <= max_links; ++l)
        if (c.rede.existe_link(l)) desenhar_link(t, c.desenho, c.rede.eh_link_conversao(l), l);
    for (int n = 1; n <= max_nos; ++n)
        if (c.rede.existe_no(n)) desenhar_no(t, c.desenho, n);
}

void guardar_desenho_do_no(const desenho_da_rede& t, int n, contexto_da_rede& c) {
    desenho_dado& d = c.desenho;
    const rotulo& r = t.apoio_no_label(n);
    d.apoio_no_label_Left(n) = r.Left;
    d.apoio_no_label_Top(n) = r.Top;
    d.apoio_no_label_Height(n) = r.Height;
    d.apoio_no_label_Caption(n) = r.Caption.texto();
    const forma& f = t.no_shape(n);
    d.no_shape_Left(n) = f.Left;
    d.no_shape_Top(n) = f.Top;
    d.no_shape_Height(n) = f.Height;
}

void guardar_desenho_do_link(const desenho_da_rede& t, int l, contexto_da_rede& c) {
    desenho_dado& d = c.desenho;
    const linha& corpo = t.corpo_link_line(l);
    d.corpo_link_line_X1(l) = corpo.X1;
    d.corpo_link_line_X2(l) = corpo.X2;
    d.corpo_link_line_Y1(l) = corpo.Y1;
    d.corpo_link_line_Y2(l) = corpo.Y2;
    d.braco_link_line_X2(l) = t.braco_link_line(l).X2;
    d.braco_link_line_Y2(l) = t.braco_link_line(l).Y2;
    d.esquerda_seta_line_X1(l) = t.esquerda_seta_line(l).X1;
    d.esquerda_seta_line_Y1(l) = t.esquerda_seta_line(l).Y1;
    d.direita_seta_line_X1(l) = t.direita_seta_line(l).X1;
    d.direita_seta_line_Y1(l) = t.direita_seta_line(l).Y1;
    const rotulo& etiqueta = t.etiqueta_link_label(l);
    d.etiqueta_link_label_Left(l) = etiqueta.Left;
    d.etiqueta_link_label_Top(l) = etiqueta.Top;
    d.etiqueta_link_label_Caption(l) = etiqueta.Caption.texto();
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

void titular_as_oito_janelas(estado_das_janelas& estado, const std::string& titulo) {
    estado.titulo_das_janelas = titulo;
    if (janelas_) {
        janelas_->titular_as_oito_janelas(titulo);
        return;
    }
    frmTela_principal_versao2().Caption = titulo;
    observador().ao_mudar();
}

std::string titulo_das_janelas(const estado_das_janelas& estado) {
    const std::string& t = estado.titulo_das_janelas;
    return t.empty() ? std::string(titulo_do_produto) : t;
}

void aplicar_coluna_de_comandos(coluna_de_comandos coluna) {
    if (janelas_) janelas_->aplicar_coluna_de_comandos(coluna);
}

void limpar_rede(contexto_da_rede& c) {
    // Outra rede (ou nenhuma), mesmo que a limpeza pare no meio: quem guardou a revisão da
    // anterior sabe que ela mudou.
    ++c.projeto.revisao_da_rede;
    com_codigo("Erro 151", [&c] {
        auto& t = frmTela_principal_versao2();
        t.Caption = "";

        esvaziar_rede(c);

        // O desenho refeito da rede vazia: todo elemento descarregado, as marcas escondidas.
        desenhar_a_rede(t, c);
        t.Caption = "";
        observador().ao_mudar();
    });
}

}  // namespace orvel
