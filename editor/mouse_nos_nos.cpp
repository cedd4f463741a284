// O mouse nos nós: o rótulo de apoio seleciona o nó e o arrasta com as linhas-guia pelo centro;
// ao soltar, as alças dos cantos aparecem e o centro é guardado. Cada alça muda o raio em volta
// do centro guardado, e o rótulo acompanha o círculo.

#include <cmath>

#include "editor/contas_do_desenho.h"
#include "editor/estado_dos_comandos.h"
#include "editor/tela_principal.h"
#include "modelo/estado_do_editor.h"
#include "modelo/rede.h"
#include "plataforma/servicos.h"

namespace orvel {

namespace {

using desenho::dif;
using desenho::quoc;
using desenho::single_de;
using desenho::soma;

constexpr Single referencia_da_alca = 52;     // do canto de cima à esquerda ao ponto de referência
constexpr double ponto_que_segue = 170;       // o centro de um rótulo de 340 twips
constexpr double lado_por_raio = 1.4142;      // lado do quadrado inscrito no círculo

double metade(Long v) { return dividir_double(v, 2); }

void esconder_as_alcas(tela_principal& t) {
    for (rotulo* alca : {&t.Label2, &t.Label3, &t.Label4, &t.Label5}) alca->Visible = false;
}

// O rótulo no meio do círculo.
void centrar_rotulo(rotulo& r, const forma& c) {
    r.Left = soma(c.Left, quoc(dif(c.Width, r.Width), 2));
    r.Top = soma(c.Top, quoc(dif(c.Height, r.Height), 2));
}

// O círculo segue a posição do rótulo antes deste movimento; a soltura centra o rótulo de novo.
void arrastar_no(tela_principal& t, Single x, Single y) {
    const Byte n = no_selecionado;
    rotulo& r = t.apoio_no_label(n);
    forma& c = t.no_shape(n);
    const Long l0 = para_long(r.Left), t0 = para_long(r.Top), h = para_long(r.Height);
    const Long sl = para_long(c.Left), st = para_long(c.Top), sh = para_long(c.Height);

    r.Left = verificar_single(static_cast<double>(l0) + static_cast<double>(x) - ponto_que_segue);
    r.Top = verificar_single(static_cast<double>(t0) + static_cast<double>(y) - ponto_que_segue);

    t.Line1.Visible = true;
    t.Line1.Y1 = verificar_single(static_cast<double>(st) + metade(sh));
    t.Line1.Y2 = t.Line1.Y1;
    t.Line2.Visible = true;
    t.Line2.X1 = verificar_single(static_cast<double>(sl) + metade(sh));
    t.Line2.X2 = t.Line2.X1;

    const Long folga = diferenca_long(sh, h);
    c.Left = verificar_single(static_cast<double>(l0) - metade(folga));
    c.Top = verificar_single(static_cast<double>(t0) - metade(folga));

    esconder_as_alcas(t);
    guardar_desenho_do_no(t, n, contexto());
    projeto_alterado = true;
}

// Soltar: as alças nos cantos do quadrado do círculo, o rótulo centrado e o centro guardado.
void soltar_no(tela_principal& t) {
    const Byte n = no_selecionado;
    t.Line1.Visible = false;
    t.Line2.Visible = false;
    const forma& c = t.no_shape(n);
    rotulo& r = t.apoio_no_label(n);

    t.Label2.Left = dif(c.Left, referencia_da_alca);
    t.Label2.Top = dif(c.Top, referencia_da_alca);
    t.Label2.Visible = true;
    t.Label3.Left = soma(t.Label2.Left, c.Width);
    t.Label3.Top = t.Label2.Top;
    t.Label3.Visible = true;
    t.Label4.Left = t.Label2.Left;
    t.Label4.Top = soma(t.Label2.Top, c.Height);
    t.Label4.Visible = true;
    t.Label5.Left = t.Label3.Left;
    t.Label5.Top = t.Label4.Top;
    t.Label5.Visible = true;

    centrar_rotulo(r, c);
    r.Caption = nome_do_no_dado(n);
    x_do_no(n) = para_long(soma(r.Left, quoc(r.Width, 2)));
    y_do_no(n) = para_long(soma(r.Top, quoc(r.Height, 2)));
    guardar_desenho_do_no(t, n, contexto());
}

// O ponto de referência da alça vai para o ponteiro e o círculo do nó n passa por ele, com o
// centro guardado parado.
void redimensionar(tela_principal& t, Byte n, rotulo& alca, Single x, Single y) {
    alca.Left = dif(soma(alca.Left, x), referencia_da_alca);
    alca.Top = dif(soma(alca.Top, y), referencia_da_alca);

    const double dx = dif(single_de(x_do_no(n)), soma(alca.Left, referencia_da_alca));
    const double dy = dif(single_de(y_do_no(n)), soma(alca.Top, referencia_da_alca));
    const Long raio = para_long(std::sqrt(dx * dx + dy * dy));
    raio_do_no(n) = raio;

    forma& c = t.no_shape(n);
    const Long diametro = produto_long(2, raio);
    c.Height = single_de(diametro);
    c.Width = single_de(diametro);
    c.Left = single_de(diferenca_long(x_do_no(n), raio));
    c.Top = single_de(diferenca_long(y_do_no(n), raio));

    rotulo& r = t.apoio_no_label(n);
    const Single lado = verificar_single(static_cast<double>(raio) * lado_por_raio);
    r.Width = lado;
    r.Height = lado;
    centrar_rotulo(r, c);

    esconder_as_alcas(t);  // também a que está sendo arrastada, que segue recebendo o mouse
    guardar_desenho_do_no(t, n, contexto());
    projeto_alterado = true;
}

}  // namespace

// --- Rótulo de apoio do nó ---

void tela_principal::apoio_no_label_MouseDown(Integer Index, Integer Button, Integer /*Shift*/, Single /*X*/,
                                              Single /*Y*/) {
    if (Button != botao_esquerdo) return;
    for (forma* marca : {&Shape2, &Shape3}) {
        marca->Visible = false;
        marca->Left = left_estacionado;
        marca->Top = top_estacionado;
    }
    no_selecionado = para_byte(Index);
    no_em_arrasto(Index) = true;
    apoio_no_label(Index).Caption = "";  // o nome volta ao soltar
}

void tela_principal::apoio_no_label_MouseMove(Integer /*Index*/, Integer Button, Integer /*Shift*/, Single X,
                                              Single Y) {
    if (Button == 0) {
        MousePointer = ponteiro_quatro_setas;
        return;
    }
    // Durante um processamento o desenho não se edita.
    if (Button != botao_esquerdo || !desenhando || !no_em_arrasto(no_selecionado)) return;
    if (recusado_pela_execucao()) return;
    arrastar_no(*this, X, Y);
}

void tela_principal::apoio_no_label_MouseUp(Integer Index, Integer Button, Integer /*Shift*/, Single /*X*/,
                                            Single /*Y*/) {
    if (Button == botao_esquerdo) {
        if (no_selecionado != 0) {
            soltar_no(*this);
            no_das_alcas_ = no_selecionado;
        }
    } else if (Button == botao_direito) {
        link_selecionado = 0;
        no_selecionado = para_byte(Index);
        PopupMenu(mnuNospop);
    }
}

// --- Alças dos cantos ---

void tela_principal::mover_alca(rotulo& alca, Integer Button, Single X, Single Y) {
    if (Button == 0) {
        MousePointer = ponteiro_diagonal;
        return;
    }
    // Sem nó selecionado (alças deixadas à vista por quem tirou a seleção) nada muda. A alça
    // muda o nó para o qual foi posta, não o que foi selecionado depois (botão direito noutro
    // nó, por exemplo).
    if (Button != botao_esquerdo || !desenhando || no_selecionado == 0) return;
    if (no_das_alcas_ == 0 || !existe_no(no_das_alcas_)) return;
    if (recusado_pela_execucao()) return;
    redimensionar(*this, no_das_alcas_, alca, X, Y);
}

void tela_principal::Label2_MouseDown(Integer, Integer, Single, Single) { MousePointer = ponteiro_cruz; }
void tela_principal::Label3_MouseDown(Integer, Integer, Single, Single) { MousePointer = ponteiro_cruz; }
void tela_principal::Label4_MouseDown(Integer, Integer, Single, Single) { MousePointer = ponteiro_cruz; }
void tela_principal::Label5_MouseDown(Integer, Integer, Single, Single) { MousePointer = ponteiro_cruz; }

void tela_principal::Label2_MouseMove(Integer Button, Integer, Single X, Single Y) { mover_alca(Label2, Button, X, Y); }
void tela_principal::Label3_MouseMove(Integer Button, Integer, Single X, Single Y) { mover_alca(Label3, Button, X, Y); }
void tela_principal::Label4_MouseMove(Integer Button, Integer, Single X, Single Y) { mover_alca(Label4, Button, X, Y); }
void tela_principal::Label5_MouseMove(Integer Button, Integer, Single X, Single Y) { mover_alca(Label5, Button, X, Y); }

void tela_principal::Label2_MouseUp(Integer, Integer, Single, Single) { MousePointer = ponteiro_padrao; }
void tela_principal::Label3_MouseUp(Integer, Integer, Single, Single) { MousePointer = ponteiro_padrao; }
void tela_principal::Label4_MouseUp(Integer, Integer, Single, Single) { MousePointer = ponteiro_padrao; }
void tela_principal::Label5_MouseUp(Integer, Integer, Single, Single) { MousePointer = ponteiro_padrao; }

}  // namespace orvel
