#include "plataforma/qt/espelho_qt.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QValidator>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <type_traits>
#include <vector>

#include "plataforma/qt/cursores.h"
#include "plataforma/qt/figuras.h"

namespace orvel {

namespace {

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Os navegadores só seguem um link para uma âncora da própria página; nenhum abre um arquivo
// ou outro endereço.
bool link_da_propria_pagina(const QUrl& link, const QUrl& pagina) {
    if (!link.hasFragment()) return false;
    const QUrl sem_ancora = link.adjusted(QUrl::RemoveFragment);
    return sem_ancora.isEmpty() || sem_ancora == pagina.adjusted(QUrl::RemoveFragment);
}

// Uma cor com o bit mais alto ligado (&H80000000 + n) é a cor n do sistema.
QColor cor(Long v) {
    if (v < 0) {
        switch (v & 0xFF) {
            case 0: return QColor(200, 200, 200);   // barras de rolagem
            case 1: return QColor(58, 110, 165);    // área de trabalho
            case 5: return QColor(255, 255, 255);   // fundo de janela
            case 8: return QColor(0, 0, 0);         // texto de janela
            case 15: return QColor(240, 240, 240);  // face dos botões
            case 16: return QColor(160, 160, 160);  // sombra dos botões
            case 18: return QColor(0, 0, 0);        // texto dos botões
            default: return QColor(240, 240, 240);
        }
    }
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

double px_x(Single twips) { return static_cast<double>(twips) / static_cast<double>(tela().TwipsPerPixelX); }
double px_y(Single twips) { return static_cast<double>(twips) / static_cast<double>(tela().TwipsPerPixelY); }
Single tw_x(double px) { return static_cast<Single>(px * static_cast<double>(tela().TwipsPerPixelX)); }
Single tw_y(double px) { return static_cast<Single>(px * static_cast<double>(tela().TwipsPerPixelY)); }

QFont fonte(const std::string& nome, Single tamanho, bool negrito) {
    QFont f(q(nome));
    f.setStyleHint(QFont::SansSerif);
    // As fontes de tela estreitas do projeto das janelas quase nunca existem aqui; a que as
    // substitui é a DejaVu Sans Condensed (fonts-dejavu-extra), estreitada mais um pouco para
    // caber nos mesmos twips.
    if (!QFontInfo(f).exactMatch()) {
        f = QFont(QStringLiteral("DejaVu Sans Condensed"));
        f.setStyleHint(QFont::SansSerif);
        f.setStretch(82);
    }
    f.setPointSizeF(tamanho > 0 ? static_cast<double>(tamanho) : 8.25);
    f.setBold(negrito);
    return f;
}

// Tamanho do texto numa fonte, quebrado nas palavras numa largura quando se pode.
QSizeF tamanho_do_texto(const QFont& f, const QString& texto, double largura, bool quebra) {
    const QRectF r = QFontMetricsF(f).boundingRect(QRectF(0, 0, largura, 100000),
                                                   Qt::AlignLeft | Qt::AlignTop | (quebra ? Qt::TextWordWrap : Qt::TextSingleLine), texto);
    return r.size();
}

// Nenhuma legenda é desenhada em letra menor do que esta, em pontos.
constexpr double menor_ponto_legivel = 7.0;

// A fonte em que um texto cabe inteiro numa área: a fonte dada, se couber; senão, a maior que
// couber, mais estreita e depois menor, até o menor tamanho legível (nunca reticências). `cabe`
// diz se um tamanho de texto serve. Quando nem a menor serve, `coube` fica false e a fonte
// devolvida é a menor de todas, a que mostra mais do texto.
QFont fonte_que_cabe(const QFont& base, const QString& texto, double largura, bool quebra,
                     const std::function<bool(QSizeF)>& cabe, bool* coube = nullptr) {
    auto serve = [&](const QFont& f) {
        const QSizeF t = tamanho_do_texto(f, texto, largura, quebra);
        return t.width() <= largura + 0.01 && cabe(t);
    };
    if (coube) *coube = true;
    const double pontos = std::max(menor_ponto_legivel, base.pointSizeF() > 0 ? base.pointSizeF() : 8.25);
    QFont f = base;
    f.setPointSizeF(pontos);
    if (texto.isEmpty() || largura <= 0 || serve(f)) return f;
    const int estiramento = base.stretch() > 0 ? base.stretch() : 100;
    struct candidata {
        double pontos;
        int estiramento;
    };
    std::vector<candidata> v;
    const int menor_estiramento = std::min(estiramento, 60);
    for (double p = pontos;; p = std::max(menor_ponto_legivel, p - 0.25)) {
        for (int e = estiramento;; e = std::max(menor_estiramento, e - 4)) {
            v.push_back({p, e});
            if (e == menor_estiramento) break;
        }
        if (p == menor_ponto_legivel) break;
    }
    // Primeiro as que deixam o texto mais largo (as mais legíveis); no empate, a maior.
    std::stable_sort(v.begin(), v.end(), [](const candidata& a, const candidata& b) {
        const double la = a.pontos * a.estiramento, lb = b.pontos * b.estiramento;
        return la != lb ? la > lb : a.pontos > b.pontos;
    });
    for (const candidata& c : v) {
        f.setPointSizeF(c.pontos);
        f.setStretch(c.estiramento);
        if (serve(f)) return f;
    }
    if (coube) *coube = false;
    f.setPointSizeF(menor_ponto_legivel);
    f.setStretch(menor_estiramento);
    return f;
}

// Onde e em que fonte a legenda de um rótulo aparece: no retângulo do rótulo, quebrada nas
// palavras; quando ela não cabe ali na sua fonte, o rótulo usa também o espaço livre à sua
// direita, se com ele a letra fica maior ou mais larga. Esse espaço acaba antes do controle
// visível seguinte na mesma faixa e antes da linha da moldura que contém o rótulo (ou da borda
// da janela), sempre com uma folga: a legenda nunca passa por cima da moldura nem encosta na
// caixa ao lado; o que não couber nele quebra em mais linhas.
struct legenda_de_rotulo {
    QFont fonte;
    QRectF area;
};

// A distância, em pixels, entre a legenda que cresceu e o que a limita à direita.
constexpr double folga_a_direita = 6.0;

legenda_de_rotulo legenda_do_rotulo(const rotulo& r) {
    const QFont base = fonte(r.FontName, r.FontSize, r.FontBold);
    const QString texto = q(r.Caption.texto());
    QRectF area(px_x(r.Left), px_y(r.Top), px_x(r.Width), px_y(r.Height));
    auto na_altura = [&](QSizeF t) { return t.height() <= area.height() + 0.01; };
    bool coube = true;
    const QFont f = fonte_que_cabe(base, texto, area.width(), true, na_altura, &coube);
    if (coube && f.pointSizeF() >= base.pointSizeF() && f.stretch() == base.stretch()) return {f, area};
    const formulario& dono = r.dono();
    double limite = px_x(dono.Width) - folga_a_direita;
    const Single direita = r.Left + r.Width, baixo = r.Top + r.Height;
    for (const controle* c : dono.controles()) {
        if (c == &r || !c->Visible) continue;
        Single esquerda = 0, cima = 0, fundo = 0;
        if (const auto* o = dynamic_cast<const controle_retangular*>(c)) {
            // Um fundo que contém o rótulo inteiro (uma faixa, uma moldura) o limita só na sua
            // borda direita.
            if (o->Left <= r.Left && o->Top <= r.Top && o->Left + o->Width >= direita && o->Top + o->Height >= baixo) {
                limite = std::min(limite, px_x(o->Left + o->Width) - folga_a_direita);
                continue;
            }
            esquerda = o->Left;
            cima = o->Top;
            fundo = o->Top + o->Height;
        } else if (c->tipo() == tipo_de_controle::linha) {
            const auto* l = static_cast<const linha*>(c);
            esquerda = std::min(l->X1, l->X2);
            cima = std::min(l->Y1, l->Y2);
            fundo = std::max(l->Y1, l->Y2);
        } else {
            continue;
        }
        if (esquerda >= direita && cima < baixo && fundo > r.Top) limite = std::min(limite, px_x(esquerda) - folga_a_direita);
    }
    if (limite <= area.right()) return {f, area};
    QRectF maior = area;
    maior.setRight(limite);
    bool coube_maior = true;
    const QFont g = fonte_que_cabe(base, texto, maior.width(), true, na_altura, &coube_maior);
    const auto legibilidade = [](const QFont& x) { return x.pointSizeF() * (x.stretch() > 0 ? x.stretch() : 100); };
    if (coube_maior && (!coube || legibilidade(g) > legibilidade(f))) return {g, maior};
    return {f, area};
}

Integer botao_de(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return botao_esquerdo;
        case Qt::RightButton: return botao_direito;
        case Qt::MiddleButton: return botao_do_meio;
        default: return 0;
    }
}

Integer botoes_de(Qt::MouseButtons bs) {
    Integer r = 0;
    if (bs & Qt::LeftButton) r |= botao_esquerdo;
    if (bs & Qt::RightButton) r |= botao_direito;
    if (bs & Qt::MiddleButton) r |= botao_do_meio;
    return r;
}

Integer shift_de(Qt::KeyboardModifiers m) {
    Integer r = 0;
    if (m & Qt::ShiftModifier) r |= 1;
    if (m & Qt::ControlModifier) r |= 2;
    if (m & Qt::AltModifier) r |= 4;
    return r;
}

bool ainda_no_formulario(formulario& f, controle* c) {
    const auto& cs = f.controles();
    return std::find(cs.begin(), cs.end(), c) != cs.end();
}

// O foco que o programa dá chega ao widget como o Tab o daria: uma caixa fica com o texto todo
// selecionado, e o que se digita substitui o valor que ela mostra.
void dar_o_foco_do_programa(QWidget* w) {
    w->setFocus(Qt::OtherFocusReason);
    if (auto* caixa = qobject_cast<QLineEdit*>(w)) caixa->selectAll();
}

// A superfície: pinta os controles gráficos e encaminha o mouse.
class superficie_qt : public QWidget {
public:
    explicit superficie_qt(formulario& f, QWidget* pai) : QWidget(pai), f_(f) {
        setMouseTracking(true);
        setAutoFillBackground(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillRect(rect(), cor(f_.BackColor));
        const auto& cs = f_.controles();
        for (auto it = cs.rbegin(); it != cs.rend(); ++it) {
            controle* c = *it;
            if (!c->Visible) continue;
            switch (c->tipo()) {
                case tipo_de_controle::rotulo: pintar(p, *static_cast<rotulo*>(c)); break;
                case tipo_de_controle::forma: pintar(p, *static_cast<forma*>(c)); break;
                case tipo_de_controle::linha: pintar(p, *static_cast<linha*>(c)); break;
                case tipo_de_controle::caixa_de_imagem: pintar(p, *static_cast<caixa_de_imagem*>(c)); break;
                default: break;
            }
        }
    }

    void mousePressEvent(QMouseEvent* e) override {
        const Single x = tw_x(e->position().x()), y = tw_y(e->position().y());
        if (!capturando_) {
            capturando_ = true;
            capturado_ = rotulo_sob(x, y);
        }
        const Integer b = botao_de(e->button()), sh = shift_de(e->modifiers());
        despachar_evento(&f_, [&] {
            ativar_janela(f_);
            enviar(capturado_, 0, b, sh, x, y);
        });
        atualizar_cursor();
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        const Single x = tw_x(e->position().x()), y = tw_y(e->position().y());
        rotulo* alvo = capturando_ ? capturado_ : rotulo_sob(x, y);
        const Integer b = botoes_de(e->buttons()), sh = shift_de(e->modifiers());
        despachar_evento(&f_, [&] { enviar(alvo, 1, b, sh, x, y); });
        atualizar_cursor();
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        const Single x = tw_x(e->position().x()), y = tw_y(e->position().y());
        rotulo* alvo = capturando_ ? capturado_ : rotulo_sob(x, y);
        if (e->buttons() == Qt::NoButton) {
            capturando_ = false;
            capturado_ = nullptr;
        }
        const Integer b = botao_de(e->button()), sh = shift_de(e->modifiers());
        despachar_evento(&f_, [&] {
            enviar(alvo, 2, b, sh, x, y);
            if (b == botao_esquerdo) {
                if (alvo && ainda_no_formulario(f_, alvo) && alvo->contem(x, y) && alvo->Click) alvo->Click();
                else if (!alvo) f_.Form_Click();
            }
        });
        atualizar_cursor();
    }

    void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }

private:
    // O rótulo visível mais de cima sob o ponto; rótulos engolem o clique mesmo sem tratador.
    rotulo* rotulo_sob(Single x, Single y) {
        for (controle* c : f_.controles())
            if (c->Visible && c->tipo() == tipo_de_controle::rotulo && static_cast<rotulo*>(c)->contem(x, y))
                return static_cast<rotulo*>(c);
        return nullptr;
    }

    // tipo 0 = MouseDown, 1 = MouseMove, 2 = MouseUp.
    void enviar(rotulo* alvo, int tipo, Integer b, Integer sh, Single x, Single y) {
        if (alvo) {
            if (!ainda_no_formulario(f_, alvo)) return;  // descarregado durante a captura
            const Single lx = x - alvo->Left, ly = y - alvo->Top;
            const evento_de_mouse& ev = tipo == 0 ? alvo->MouseDown : tipo == 1 ? alvo->MouseMove : alvo->MouseUp;
            if (ev) ev(b, sh, lx, ly);
            return;
        }
        if (!f_.carregado()) return;
        if (tipo == 0) f_.Form_MouseDown(b, sh, x, y);
        else if (tipo == 1) f_.Form_MouseMove(b, sh, x, y);
        else f_.Form_MouseUp(b, sh, x, y);
    }

    void atualizar_cursor() {
        if (f_.carregado()) setCursor(cursor_do_codigo(f_.MousePointer));
    }

    static QRectF retangulo(const controle_retangular& c) {
        return QRectF(px_x(c.Left), px_y(c.Top), px_x(c.Width), px_y(c.Height));
    }

    void pintar(QPainter& p, const rotulo& r) {
        const QRectF ret = retangulo(r);
        if (r.BackStyle == 1) p.fillRect(ret, cor(r.BackColor));
        if (r.BorderStyle == 1) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(ret.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        if (!r.Caption.texto().empty()) {
            p.setPen(cor(r.ForeColor));
            const legenda_de_rotulo legenda = legenda_do_rotulo(r);
            p.setFont(legenda.fonte);
            const int alinhamento = r.Alignment == 1 ? Qt::AlignRight : r.Alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
            // Alinhada à direita ou ao centro, a legenda fica no retângulo do rótulo.
            p.drawText(r.Alignment == 0 ? legenda.area : ret, alinhamento | Qt::AlignTop | Qt::TextWordWrap, q(r.Caption.texto()));
        }
    }

    void pintar(QPainter& p, const forma& s) {
        QRectF ret = retangulo(s);
        if (s.Shape == 1 || s.Shape == 3 || s.Shape == 5) {
            const double lado = std::min(ret.width(), ret.height());
            ret = QRectF(ret.center().x() - lado / 2, ret.center().y() - lado / 2, lado, lado);
        }
        QPen caneta(cor(s.BorderColor), std::max<int>(1, s.BorderWidth));
        if (s.BorderStyle == 0) caneta = Qt::NoPen;
        else if (s.BorderStyle == 2) caneta.setStyle(Qt::DashLine);
        else if (s.BorderStyle == 3) caneta.setStyle(Qt::DotLine);
        const double meia = s.BorderStyle == 0 ? 0.0 : std::max<int>(1, s.BorderWidth) / 2.0;
        const QRectF dentro = ret.adjusted(meia, meia, -meia, -meia);
        auto desenhar = [&](const QBrush& pincel, const QPen& pen) {
            p.setBrush(pincel);
            p.setPen(pen);
            switch (s.Shape) {
                case 2:
                case 3: p.drawEllipse(dentro); break;
                case 4:
                case 5: p.drawRoundedRect(dentro, dentro.width() / 8, dentro.height() / 8); break;
                default: p.drawRect(dentro); break;
            }
        };
        if (s.BackStyle == 1) desenhar(QBrush(cor(s.BackColor)), Qt::NoPen);
        if (s.FillStyle == 0) desenhar(QBrush(cor(s.FillColor)), Qt::NoPen);
        desenhar(Qt::NoBrush, caneta);
    }

    void pintar(QPainter& p, const caixa_de_imagem& i) {
        const QRectF ret = retangulo(i);
        p.fillRect(ret, cor(i.BackColor));
        const QPixmap figura = figura_da_imagem(i.Picture, ret.size().toSize());
        if (!figura.isNull()) p.drawPixmap(ret.topLeft(), figura);
        if (i.BorderStyle == 1) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(ret.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }

    void pintar(QPainter& p, const linha& l) {
        QPen caneta(cor(l.BorderColor), std::max<int>(1, l.BorderWidth));
        if (l.BorderStyle == 2) caneta.setStyle(Qt::DashLine);
        else if (l.BorderStyle == 3) caneta.setStyle(Qt::DotLine);
        if (l.BorderStyle == 0) return;
        p.setPen(caneta);
        p.drawLine(QPointF(px_x(l.X1), px_y(l.Y1)), QPointF(px_x(l.X2), px_y(l.Y2)));
    }

    formulario& f_;
    bool capturando_ = false;
    rotulo* capturado_ = nullptr;  // nullptr com captura = a própria janela
};

// As margens da última moldura que o gerenciador de janelas pôs em volta de uma janela de cada
// feitio (sem moldura, de borda fixa, redimensionável): o palpite para uma janela que ainda não
// apareceu.
int feitio(const formulario& f) { return f.sem_moldura ? 0 : f.borda_fixa ? 1 : 2; }

std::map<int, QMargins>& margens_conhecidas() {
    static std::map<int, QMargins> m;
    return m;
}

QMargins palpite_de_margens(const formulario& f) {
    if (f.sem_moldura) return {};
    const auto& conhecidas = margens_conhecidas();
    if (auto it = conhecidas.find(feitio(f)); it != conhecidas.end()) return it->second;
    for (const auto& [outro, m] : conhecidas)
        if (outro != 0) return m;
    // Antes da primeira moldura: a barra de título e as bordas do estilo, que não ficam menores
    // do que as dos gerenciadores de janelas costumam ser.
    const QStyle* estilo = QApplication::style();
    const int borda = estilo->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return QMargins(borda, estilo->pixelMetric(QStyle::PM_TitleBarHeight) + borda, borda, borda);
}

// Laços das janelas modais em curso.
std::vector<std::pair<const formulario*, QEventLoop*>>& lacos_modais() {
    static std::vector<std::pair<const formulario*, QEventLoop*>> v;
    return v;
}

void terminar_modal(const formulario& f) {
    for (auto& [form, laco] : lacos_modais())
        if (form == &f) laco->quit();
}

}  // namespace

// --- espelho ---

espelho_qt::espelho_qt() {
    instalar_observador_de_formularios(this);
    // Todas as janelas, também as caixas e os diálogos comuns, levam o ícone do programa.
    QApplication::setWindowIcon(icone_do_programa());
}

espelho_qt::~espelho_qt() {
    instalar_observador_de_formularios(nullptr);
    for (auto& [f, j] : janelas_)
        if (j) delete j.data();
}

void espelho_qt::ler_a_tela() {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return;
    const double dpi_x = s->logicalDotsPerInchX() > 0 ? s->logicalDotsPerInchX() : 96.0;
    const double dpi_y = s->logicalDotsPerInchY() > 0 ? s->logicalDotsPerInchY() : 96.0;
    tela().TwipsPerPixelX = static_cast<Single>(1440.0 / dpi_x);
    tela().TwipsPerPixelY = static_cast<Single>(1440.0 / dpi_y);
    tela().Width = static_cast<Single>(s->geometry().width() * 1440.0 / dpi_x);
    tela().Height = static_cast<Single>(s->geometry().height() * 1440.0 / dpi_y);
}

janela_qt* espelho_qt::janela_de(const formulario& f) const {
    auto it = janelas_.find(&f);
    return it == janelas_.end() ? nullptr : it->second.data();
}

void espelho_qt::ao_mostrar(formulario& f) {
    janela_qt* j = janela_de(f);
    if (!j) {
        j = new janela_qt(f, *this);
        janelas_[&f] = j;
    }
    const bool nova = !j->isVisible();
    j->sincronizar();
    if (nova) j->mostrar(f.modal(), f.dialogo_do_programa ? janela_principal_na_tela() : nullptr);
    j->raise();
    j->activateWindow();
    // Ao aparecer, a janela recebe o seu primeiro Resize, com o tamanho que tem.
    if (nova) despachar_evento(&f, [&f] { f.Form_Resize(); });
}

void espelho_qt::ao_trazer_para_a_frente(formulario& f) {
    janela_qt* j = janela_de(f);
    if (!j) return;
    if (j->isMinimized()) j->setWindowState(j->windowState() & ~Qt::WindowMinimized);
    j->raise();
    j->activateWindow();
}

void espelho_qt::ao_esconder(formulario& f) {
    if (janela_qt* j = janela_de(f)) j->esconder();
    terminar_modal(f);
}

void espelho_qt::ao_descarregar(formulario& f) {
    auto it = janelas_.find(&f);
    if (it != janelas_.end()) {
        if (it->second) {
            it->second->esquecer();
            it->second->hide();
            it->second->deleteLater();
        }
        janelas_.erase(it);
    }
    terminar_modal(f);
}

std::function<std::optional<std::string>(const std::string&)>& espelho_qt::conversor_para_html() {
    static std::function<std::optional<std::string>(const std::string&)> c;
    return c;
}

void espelho_qt::ao_mudar_o_foco(controle_com_foco& c) {
    janela_qt* j = janela_de(c.dono());
    if (!j) return;
    j->sincronizar();
    if (QWidget* w = j->widget_de(&c)) dar_o_foco_do_programa(w);
}

void espelho_qt::ao_navegar(navegador& n) {
    janela_qt* j = janela_de(n.dono());
    if (!j) return;
    j->sincronizar();
    j->mostrar_endereco(n);
}

void espelho_qt::ao_mudar() {
    if (sincronizacao_pendente_) return;
    sincronizacao_pendente_ = true;
    QTimer::singleShot(0, [this] { sincronizar(); });
}

void espelho_qt::sincronizar() {
    sincronizacao_pendente_ = false;
    for (auto& [f, j] : janelas_)
        if (j) j->sincronizar();
}

void espelho_qt::mostrar_menu_suspenso(formulario& f, item_de_menu& menu) {
    sincronizar();
    QMenu m;
    std::vector<std::pair<QAction*, item_de_menu*>> acoes;
    for (item_de_menu* item : menu.filhos()) {
        if (!item->Visible) continue;
        if (item->eh_separador()) {
            m.addSeparator();
            continue;
        }
        QAction* a = m.addAction(q(item->Caption));
        a->setEnabled(item->Enabled);
        acoes.emplace_back(a, item);
    }
    QAction* escolhida = m.exec(QCursor::pos());
    for (auto& [a, item] : acoes)
        if (a == escolhida && item->Click) despachar_evento(&f, item->Click);
}

void espelho_qt::executar_modal(formulario& f) {
    janela_qt* j = janela_de(f);
    // A janela já apareceu modal (ao_mostrar); o laço só roda enquanto ela está na tela, e
    // esconder e mostrar de novo uma janela que acabou de aparecer deixaria o laço esperando
    // uma janela que o gerenciador nunca mapeia.
    if (!j || !f.Visible || !j->isVisible()) return;
    QEventLoop laco;
    lacos_modais().emplace_back(&f, &laco);
    laco.exec();
    auto& v = lacos_modais();
    v.erase(std::remove_if(v.begin(), v.end(), [&](auto& par) { return par.second == &laco; }), v.end());
}

janela_qt* espelho_qt::janela_principal_na_tela() const {
    for (formulario* f : janelas_carregadas())
        if (f->janela_principal && f->Visible)
            if (janela_qt* j = janela_de(*f); j && j->isVisible()) return j;
    return nullptr;
}

QFont espelho_qt::fonte_de_tela(const std::string& nome, Single tamanho, bool negrito) {
    return fonte(nome, tamanho, negrito);
}

QFont espelho_qt::fonte_de_tela(const rotulo& r) { return legenda_do_rotulo(r).fonte; }

QRectF espelho_qt::area_da_legenda(const rotulo& r) {
    const legenda_de_rotulo l = legenda_do_rotulo(r);
    return r.Alignment == 0 ? l.area : QRectF(px_x(r.Left), px_y(r.Top), px_x(r.Width), px_y(r.Height));
}

std::pair<Single, Single> espelho_qt::area_interna(const formulario& f) {
    if (janela_qt* j = janela_de(f); j && j->isVisible())
        return {tw_x(j->superficie()->width()), tw_y(j->superficie()->height())};
    // Antes de aparecer: a medida dos dados, sem as margens da moldura (o palpite) numa janela
    // medida pela moldura, e sem a barra de menus.
    const QMargins m = palpite_de_margens(f);
    double largura = px_x(f.Width), altura = px_y(f.Height);
    if (!f.medida_pelo_interior) {
        largura -= m.left() + m.right();
        altura -= m.top() + m.bottom();
    }
    if (!f.menus_do_topo().empty()) {
        static const int altura_da_barra = [] {
            QMenuBar barra;
            barra.addMenu(QStringLiteral("Arquivo"));
            return barra.sizeHint().height();
        }();
        altura -= altura_da_barra;
    }
    return {tw_x(largura), tw_y(altura)};
}

std::pair<Single, Single> espelho_qt::medir_texto(const std::string& texto, const std::string& nome, Single tamanho,
                                                  bool negrito) {
    QFontMetricsF m(fonte(nome, tamanho, negrito));
    const double largura = m.horizontalAdvance(q(texto)) + 2.0;
    return {tw_x(largura), tw_y(m.height())};
}

// --- janela ---

janela_qt::janela_qt(formulario& f, espelho_qt& espelho) : QWidget(nullptr), f_(f), espelho_(espelho) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    montar_menus();
    if (barra_) layout->setMenuBar(barra_);
    superficie_ = new superficie_qt(f_, this);
    layout->addWidget(superficie_, 1);
    // Enquanto os dados não dão o foco a um controle, ele fica na superfície (as teclas vão para
    // a janela): sem isso, ao aparecer a janela o Qt o daria ao primeiro botão habilitado, e
    // Espaço ou Enter o apertariam.
    superficie_->setFocus(Qt::OtherFocusReason);
    setObjectName(q(f_.nome()));
    if (f_.sem_moldura) setWindowFlag(Qt::FramelessWindowHint);
    // Um diálogo: só assim a tela o põe acima da sua dona (a janela principal).
    if (f_.dialogo_do_programa) setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
}

janela_qt::~janela_qt() = default;

void janela_qt::montar_menus() {
    const auto topo = f_.menus_do_topo();
    if (topo.empty()) return;
    barra_ = new QMenuBar(this);
    for (item_de_menu* t : topo) {
        if (t->filhos().empty()) {
            QAction* a = barra_->addAction(q(t->Caption));
            QObject::connect(a, &QAction::triggered, [this, t] {
                if (t->Click) despachar_evento(&f_, t->Click);
            });
            acoes_[t] = a;
            continue;
        }
        QMenu* menu = barra_->addMenu(q(t->Caption));
        acoes_[t] = menu->menuAction();
        for (item_de_menu* item : t->filhos()) {
            if (item->eh_separador()) {
                acoes_[item] = menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(q(item->Caption));
            QObject::connect(a, &QAction::triggered, [this, item] {
                if (item->Click) despachar_evento(&f_, item->Click);
            });
            acoes_[item] = a;
        }
    }
}

void janela_qt::sincronizar() {
    if (esquecido_ || !f_.carregado()) return;
    setWindowTitle(q(f_.Caption));
    aplicar_geometria();
    setEnabled(f_.Enabled);
    sincronizar_menus();
    sincronizar_widgets();
    sincronizar_temporizadores();
    superficie_->setCursor(cursor_do_codigo(f_.MousePointer));
    superficie_->update();
}

QMargins janela_qt::margens_da_moldura() const {
    if (f_.sem_moldura) return {};
    // Na tela, as que o gerenciador de janelas pôs, quando já as disse; antes, o palpite.
    if (const QWindow* w = windowHandle(); w && isVisible()) {
        const QMargins m = w->frameMargins();
        if (!m.isNull()) return m;
    }
    return palpite_de_margens(f_);
}

QPoint janela_qt::canto_dos_dados() const { return QPoint(static_cast<int>(px_x(f_.Left)), static_cast<int>(px_y(f_.Top))); }

QSize janela_qt::interior_dos_dados(const QMargins& m) const {
    const QSize medida(std::max(1, static_cast<int>(px_x(f_.Width))), std::max(1, static_cast<int>(px_y(f_.Height))));
    // Medida pelo interior: a área da janela é a de desenho, com a barra de menus (se houver)
    // acima dela; senão, o interior é o que sobra dentro da moldura.
    if (f_.medida_pelo_interior) return QSize(medida.width(), medida.height() + (barra_ ? barra_->sizeHint().height() : 0));
    return QSize(std::max(1, medida.width() - m.left() - m.right()), std::max(1, medida.height() - m.top() - m.bottom()));
}

void janela_qt::aplicar_geometria() {
    if (esquecido_ || !f_.carregado()) return;
    const QMargins m = margens_da_moldura();
    margens_aplicadas_ = m;
    const QPoint canto = canto_dos_dados();
    const QSize interior = interior_dos_dados(m);
    aplicando_geometria_ = true;
    if (f_.borda_fixa) {
        if (minimumSize() != interior || maximumSize() != interior) setFixedSize(interior);
    } else if (size() != interior) {
        resize(interior);
    }
    if (!isVisible()) {
        // Antes de aparecer, a posição de uma janela no Qt (move) é a da moldura: o gerenciador
        // põe a moldura ali ao mapear a janela.
        move(canto);
    } else if (acomodando_ || canto != canto_aplicado_) {
        // Na tela, o Qt só sabe onde fica a moldura depois que o gerenciador disse as margens:
        // então o interior vai para o canto mais as margens. Uma janela que o usuário arrastou
        // fica onde ele a pôs até os dados mudarem a posição.
        const QWindow* w = windowHandle();
        const QMargins reais = w ? w->frameMargins() : QMargins();
        // Acomodando, a janela espera o gerenciador dizer as margens; sem gerenciador (nenhuma
        // margem), a posição é a do interior.
        const bool esperando_as_margens = acomodando_ && reais.isNull() && !f_.sem_moldura;
        if (w && !esperando_as_margens) {
            const QPoint lugar = canto + QPoint(reais.left(), reais.top());
            if (w->geometry().topLeft() != lugar) setGeometry(QRect(lugar, interior));
        }
    }
    canto_aplicado_ = canto;
    aplicando_geometria_ = false;
}

bool janela_qt::moldura_mudou() {
    if (margens_da_moldura() == margens_aplicadas_) return false;
    aplicar_geometria();
    return true;
}

void janela_qt::mostrar(bool modal, janela_qt* dona) {
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    if (dona) {
        // A janela nativa é criada já no lugar (aplicar_geometria), antes de receber a dona.
        winId();
        dona->winId();
        windowHandle()->setTransientParent(dona->windowHandle());
    } else if (windowHandle() && windowHandle()->transientParent()) {
        windowHandle()->setTransientParent(nullptr);
    }
    if (!acomodacao_) {
        acomodacao_ = new QTimer(this);
        acomodacao_->setInterval(10);
        QObject::connect(acomodacao_, &QTimer::timeout, this, [this] { acomodar(); });
    }
    acomodando_ = true;
    exposta_ = false;
    fim_da_acomodacao_ = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    show();
    if (QWindow* w = windowHandle(); w && !filtrando_a_janela_) {
        w->installEventFilter(this);
        filtrando_a_janela_ = true;
    }
    acomodacao_->start();
    acomodar();
}

void janela_qt::esconder() {
    acomodando_ = false;
    if (acomodacao_) acomodacao_->stop();
    hide();
}

void janela_qt::acomodar() {
    if (!acomodando_) return;
    QWindow* w = windowHandle();
    if (esquecido_ || !f_.carregado() || !w || std::chrono::steady_clock::now() > fim_da_acomodacao_) {
        // Descarregada ou sem resposta da tela a tempo: fica como está.
        acomodando_ = false;
        if (acomodacao_) acomodacao_->stop();
        return;
    }
    // Só o que a tela disse depois de a janela aparecer desta vez vale: a exposição, as margens
    // e o lugar de antes de ela ser escondida não dizem nada.
    if (!isVisible() || !exposta_ || !w->isExposed()) return;
    const QMargins m = w->frameMargins();
    if (m.isNull() && !f_.sem_moldura) return;  // o gerenciador ainda não pôs a moldura
    if (!m.isNull()) margens_conhecidas()[feitio(f_)] = m;
    aplicar_geometria();
    const QPoint moldura = w->geometry().topLeft() - QPoint(m.left(), m.top());
    if (moldura == canto_dos_dados() && w->geometry().size() == interior_dos_dados(m)) {
        acomodando_ = false;
        acomodacao_->stop();
    }
}

void janela_qt::sincronizar_menus() {
    for (auto& [item, acao] : acoes_) {
        if (!ainda_no_formulario(f_, item)) continue;
        if (!item->eh_separador()) acao->setText(q(item->Caption));
        acao->setEnabled(item->Enabled);
        acao->setVisible(item->Visible);
        acao->setCheckable(item->Checked);
        acao->setChecked(item->Checked);
    }
}

namespace {

// Código de tecla (KeyDown/KeyUp) de uma tecla do Qt.
Integer codigo_da_tecla(const QKeyEvent* e) {
    const int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<Integer>(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Integer>(k);
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return tecla_enter;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return tecla_tab;
        case Qt::Key_Escape: return tecla_esc;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Space: return 32;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        default: return static_cast<Integer>(k & 0x7FFF);
    }
}

// Código de caractere (KeyPress) de uma tecla; 0 quando a tecla não produz caractere.
Integer codigo_do_caractere(const QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return tecla_enter;
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Escape: return tecla_esc;
        default: break;
    }
    const QString t = e->text();
    if (t.isEmpty() || t.at(0).unicode() < 32) return 0;
    const char16_t c = t.at(0).unicode();
    return c <= 0xFF ? static_cast<Integer>(c) : 0;
}

// O limite de caracteres (MaxLength) vale só para o que o usuário digita ou cola: um texto posto
// pelo programa, mesmo mais comprido, aparece inteiro, e o usuário ainda pode apagar ou trocar
// caracteres dele, mas não alongá-lo.
class limite_do_usuario : public QValidator {
public:
    using consulta = std::function<std::pair<int, qsizetype>()>;  // limite e tamanho atual
    limite_do_usuario(consulta c, QObject* pai) : QValidator(pai), c_(std::move(c)) {}
    State validate(QString& texto, int&) const override {
        const auto [limite, atual] = c_();
        if (limite > 0 && texto.size() > limite && texto.size() > atual) return Invalid;
        return Acceptable;
    }

private:
    consulta c_;
};

// Botão gráfico (Style 1): a figura em cima, centrada, e a legenda inteira embaixo, quebrada nas
// palavras. A fonte e o tamanho da figura são os que o espelho escolheu para a legenda caber.
class botao_com_figura_qt : public QToolButton {
public:
    using QToolButton::QToolButton;

    static constexpr int margem = 1;
    static constexpr int figura_maxima = 20;
    static constexpr int figura_minima = 10;

    // O que aparece da legenda: ela inteira ou, quando não cabe no menor tamanho legível, o que
    // couber (a legenda inteira fica na dica do botão).
    QString legenda_visivel;

    // A área da legenda, abaixo da figura.
    QRectF area_da_legenda() const {
        QRectF a = QRectF(rect()).adjusted(margem, margem, -margem, -margem);
        if (!icon().isNull()) a.setTop(a.top() + iconSize().height() + 1);
        return a;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionToolButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        opt.toolButtonStyle = Qt::ToolButtonIconOnly;
        p.drawComplexControl(QStyle::CC_ToolButton, opt);
        if (!icon().isNull()) {
            const QSize lado = iconSize();
            const QPixmap figura = icon().pixmap(lado, isEnabled() ? QIcon::Normal : QIcon::Disabled);
            p.drawPixmap(QRect(QPoint((width() - lado.width()) / 2, margem), lado), figura);
        }
        p.setFont(font());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(area_da_legenda(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   legenda_visivel.isNull() ? text() : legenda_visivel);
    }
};

// O começo de um texto que cabe numa área numa fonte, quebrado nas palavras; o que sobra vira
// reticências no fim da última linha que cabe.
QString o_que_cabe(const QFont& f, const QString& texto, double largura, double altura) {
    const QFontMetricsF m(f);
    const int linhas = std::max(1, static_cast<int>((altura - m.height() + 0.01) / m.lineSpacing()) + 1);
    const QStringList palavras = texto.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList feitas;
    QString linha;
    qsizetype i = 0;
    for (; i < palavras.size(); ++i) {
        const QString com = linha.isEmpty() ? palavras[i] : linha + QLatin1Char(' ') + palavras[i];
        if (linha.isEmpty() || m.horizontalAdvance(com) <= largura) {
            linha = com;
            continue;
        }
        if (static_cast<int>(feitas.size()) + 1 == linhas) break;
        feitas << m.elidedText(linha, Qt::ElideRight, largura);
        linha = palavras[i];
    }
    if (i < palavras.size()) linha += QStringLiteral(" ") + palavras.mid(i).join(QLatin1Char(' '));
    feitas << m.elidedText(linha, Qt::ElideRight, largura);
    return feitas.join(QLatin1Char('\n'));
}

// Caixa de seleção ou botão de opção cuja legenda se quebra nas palavras na altura do controle
// e nunca é cortada; um clique em qualquer ponto do controle vale.
template <class B>
class com_legenda_inteira : public B {
public:
    using B::B;

    QRectF area_da_legenda() const {
        constexpr bool caixa = std::is_same_v<B, QCheckBox>;
        const int indicador =
            this->style()->pixelMetric(caixa ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr, this);
        const int espaco =
            this->style()->pixelMetric(caixa ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
        QRectF a(this->rect());
        a.setLeft(indicador + espaco);
        return a;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        constexpr bool caixa = std::is_same_v<B, QCheckBox>;
        QStylePainter p(this);
        QStyleOptionButton opt;
        this->initStyleOption(&opt);
        opt.text.clear();
        opt.state &= ~QStyle::State_HasFocus;
        p.drawControl(caixa ? QStyle::CE_CheckBox : QStyle::CE_RadioButton, opt);
        const QRectF area = area_da_legenda();
        p.setFont(this->font());
        p.setPen(this->palette().color(this->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        QRectF ocupada;
        p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, this->text(), &ocupada);
        if (this->hasFocus() && !this->text().isEmpty()) {
            QStyleOptionFocusRect foco;
            foco.initFrom(this);
            foco.rect = ocupada.toAlignedRect().adjusted(-1, 0, 1, 0) & this->rect();
            p.drawPrimitive(QStyle::PE_FrameFocusRect, foco);
        }
    }
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// Põe no botão gráfico a fonte e o tamanho de figura com que a legenda cabe inteira: a figura
// encolhe até um mínimo antes de a fonte encolher.
void ajustar_legenda(botao_com_figura_qt* b, const QFont& base) {
    const QString chave = b->text() + QChar(0) + base.toString() + QChar(0) + QString::number(b->width()) + 'x' +
                          QString::number(b->height()) + (b->icon().isNull() ? "-" : "+");
    if (b->property("legenda_ajustada").toString() == chave) return;
    b->setProperty("legenda_ajustada", chave);
    const int m = botao_com_figura_qt::margem;
    const double largura = b->width() - 2 * m;
    const double altura = b->height() - 2 * m;
    const bool com_figura = !b->icon().isNull();
    const double figura_minima = com_figura ? botao_com_figura_qt::figura_minima + 1 : 0;
    bool coube = true;
    const QFont f = fonte_que_cabe(base, b->text(), largura, true,
                                   [&](QSizeF t) { return t.height() <= altura - figura_minima + 0.01; }, &coube);
    b->legenda_visivel = coube ? QString() : o_que_cabe(f, b->text(), largura, altura - figura_minima);
    const QString visivel = coube ? b->text() : b->legenda_visivel;
    if (com_figura) {
        const double sobra = altura - 1 - tamanho_do_texto(f, visivel, largura, true).height();
        const int figura = std::clamp(static_cast<int>(sobra), botao_com_figura_qt::figura_minima, botao_com_figura_qt::figura_maxima);
        b->setIconSize(QSize(figura, figura));
    }
    b->setFont(f);
}

// A fonte com que a legenda de uma caixa de seleção ou botão de opção cabe inteira.
template <class B>
void ajustar_legenda(com_legenda_inteira<B>* w, const QFont& base) {
    const QString chave = w->text() + QChar(0) + base.toString() + QChar(0) + QString::number(w->width()) + 'x' +
                          QString::number(w->height());
    if (w->property("legenda_ajustada").toString() == chave) return;
    w->setProperty("legenda_ajustada", chave);
    const QRectF area = w->area_da_legenda();
    w->setFont(fonte_que_cabe(base, w->text(), area.width(), true, [&](QSizeF t) { return t.height() <= area.height() + 0.01; }));
}

// Põe uma cor num papel da paleta, só quando muda. Sem "desabilitado", o texto de um controle
// desabilitado fica com o cinza do sistema.
void colorir(QWidget* w, QPalette::ColorRole papel, Long valor, bool tambem_desabilitado = true) {
    const QColor c = cor(valor);
    const QPalette& atual = w->palette();
    if (atual.color(QPalette::Active, papel) == c && atual.color(QPalette::Inactive, papel) == c &&
        (!tambem_desabilitado || atual.color(QPalette::Disabled, papel) == c))
        return;
    QPalette p = atual;
    p.setColor(QPalette::Active, papel, c);
    p.setColor(QPalette::Inactive, papel, c);
    if (tambem_desabilitado) p.setColor(QPalette::Disabled, papel, c);
    w->setPalette(p);
}

// Borda (BorderStyle), aparência plana ou tridimensional (Appearance) e cores de uma caixa.
void aparencia_da_caixa(QLineEdit* e, const caixa_de_texto& c) {
    const bool borda = c.BorderStyle != 0;
    QString folha;
    if (!borda) folha = QStringLiteral("QLineEdit { border: none; padding: 0px; background-color: %1; color: %2; }");
    else if (c.Appearance == 0) folha = QStringLiteral("QLineEdit { border: 1px solid black; background-color: %1; color: %2; }");
    if (!folha.isEmpty()) folha = folha.arg(cor(c.BackColor).name(), cor(c.ForeColor).name());
    if (e->styleSheet() != folha) e->setStyleSheet(folha);
    if (e->hasFrame() != borda) e->setFrame(borda);
    colorir(e, QPalette::Base, c.BackColor);
    colorir(e, QPalette::Text, c.ForeColor, false);
}

// Cor de fundo de uma caixa de seleção ou de um botão de opção.
void fundo_do_controle(QWidget* w, Long back_color) {
    if (!w->autoFillBackground()) w->setAutoFillBackground(true);
    colorir(w, QPalette::Window, back_color);
}

void rotulo_e_valor(QCheckBox* w, const caixa_de_selecao& c) {
    w->setText(q(c.Caption));
    w->setCheckState(c.Value == 1 ? Qt::Checked : c.Value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

}  // namespace

QWidget* janela_qt::widget_de(controle* c) const {
    auto it = widgets_.find(c);
    return it == widgets_.end() ? nullptr : it->second.data();
}

QWidget* janela_qt::criar_widget(controle* c) {
    QWidget* w = nullptr;
    switch (c->tipo()) {
        case tipo_de_controle::botao_de_comando: {
            auto* b = static_cast<botao_de_comando*>(c);
            QAbstractButton* botao;
            if (b->Style == 1) {
                auto* t = new botao_com_figura_qt(superficie_);
                t->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                t->setIcon(figura_do_botao(b->Picture));
                t->setIconSize(QSize(botao_com_figura_qt::figura_maxima, botao_com_figura_qt::figura_maxima));
                botao = t;
            } else {
                botao = new QPushButton(superficie_);
                botao->setFocusPolicy(Qt::StrongFocus);
            }
            QObject::connect(botao, &QAbstractButton::clicked, [this, b] {
                if (ainda_no_formulario(f_, b) && b->Click) despachar_evento(&f_, b->Click);
            });
            w = botao;
            break;
        }
        case tipo_de_controle::caixa_de_texto: {
            auto* caixa = static_cast<caixa_de_texto*>(c);
            auto* e = new QLineEdit(superficie_);
            e->setMaxLength(32767);
            e->setValidator(new limite_do_usuario(
                [this, caixa]() -> std::pair<int, qsizetype> {
                    if (esquecido_ || !ainda_no_formulario(f_, caixa)) return {0, 0};
                    return {caixa->MaxLength, q(caixa->Text.texto()).size()};
                },
                e));
            QObject::connect(e, &QLineEdit::textEdited, [this, caixa](const QString& t) {
                if (sincronizando_ || !ainda_no_formulario(f_, caixa)) return;
                const std::string texto = t.toUtf8().toStdString();
                despachar_evento(&f_, [caixa, texto] { caixa->Text = texto; });
            });
            w = e;
            break;
        }
        case tipo_de_controle::caixa_de_selecao: {
            auto* caixa = static_cast<caixa_de_selecao*>(c);
            auto* e = new com_legenda_inteira<QCheckBox>(superficie_);
            QObject::connect(e, &QCheckBox::clicked, [this, caixa, e](bool) {
                if (sincronizando_ || !ainda_no_formulario(f_, caixa)) return;
                const Integer v = e->checkState() == Qt::Checked ? 1 : 0;
                despachar_evento(&f_, [caixa, v] { caixa->definir_valor(v); });
            });
            w = e;
            break;
        }
        case tipo_de_controle::botao_de_opcao: {
            auto* opcao = static_cast<botao_de_opcao*>(c);
            auto* e = new com_legenda_inteira<QRadioButton>(superficie_);
            e->setAutoExclusive(false);
            QObject::connect(e, &QRadioButton::clicked, [this, opcao](bool) {
                if (sincronizando_ || !ainda_no_formulario(f_, opcao)) return;
                despachar_evento(&f_, [opcao] { opcao->marcar(); });
            });
            w = e;
            break;
        }
        case tipo_de_controle::navegador: {
            auto* e = new QTextBrowser(superficie_);
            e->setOpenExternalLinks(false);
            e->setOpenLinks(false);
            QObject::connect(e, &QTextBrowser::anchorClicked, e, [e](const QUrl& link) {
                if (link_da_propria_pagina(link, e->source())) e->scrollToAnchor(link.fragment());
            });
            w = e;
            break;
        }
        default: return nullptr;
    }
    w->setObjectName(q(c->nome() + (c->indice() > 0 ? "_" + std::to_string(c->indice()) : std::string())));
    w->installEventFilter(this);
    controle_do_widget_[w] = c;
    return w;
}

void janela_qt::sincronizar_widgets() {
    sincronizando_ = true;
    std::vector<controle*> vivos;
    bool novos = false;
    // O foco que os dados deram a um controle que ainda não tinha widget: é o do programa.
    const bool foco_sem_widget = f_.ActiveControl() && !widget_de(f_.ActiveControl());
    for (controle* c : f_.controles()) {
        switch (c->tipo()) {
            case tipo_de_controle::botao_de_comando:
            case tipo_de_controle::caixa_de_texto:
            case tipo_de_controle::caixa_de_selecao:
            case tipo_de_controle::botao_de_opcao:
            case tipo_de_controle::navegador: break;
            default: continue;  // pintados pela superfície
        }
        QPointer<QWidget>& w = widgets_[c];
        if (!w) {
            QWidget* criado = criar_widget(c);
            if (!criado) {
                widgets_.erase(c);
                continue;
            }
            w = criado;
            novos = true;
        }
        vivos.push_back(c);
        auto* r = dynamic_cast<controle_retangular*>(c);
        if (r)
            w->setGeometry(static_cast<int>(px_x(r->Left)), static_cast<int>(px_y(r->Top)),
                           std::max(1, static_cast<int>(px_x(r->Width))), std::max(1, static_cast<int>(px_y(r->Height))));
        // O foco de um controle que some ou é desabilitado não passa sozinho para outro: só os
        // dados dizem quem tem o foco (sem isso, uma caixa ganharia o foco com o texto todo
        // selecionado, na tela e no papel).
        if ((!c->Visible || !c->Enabled) && w->window()->focusWidget() == w) w->clearFocus();
        w->setEnabled(c->Enabled);
        w->setVisible(c->Visible);
        if (c->tipo() != tipo_de_controle::botao_de_comando)
            if (const auto* com_foco = dynamic_cast<const controle_com_foco*>(c); com_foco && w->toolTip() != q(com_foco->ToolTipText))
                w->setToolTip(q(com_foco->ToolTipText));
        switch (c->tipo()) {
            case tipo_de_controle::botao_de_comando: {
                auto* b = static_cast<botao_de_comando*>(c);
                auto* botao = static_cast<QAbstractButton*>(w.data());
                botao->setText(q(b->Caption));
                auto* grafico = dynamic_cast<botao_com_figura_qt*>(botao);
                if (grafico) ajustar_legenda(grafico, fonte(b->FontName, b->FontSize, false));
                else botao->setFont(fonte(b->FontName, b->FontSize, false));
                colorir(botao, QPalette::Button, b->BackColor);
                // Sem dica própria, um botão gráfico cuja legenda não cabe tem a legenda inteira na dica.
                const QString dica = !b->ToolTipText.empty()                          ? q(b->ToolTipText)
                                     : grafico && !grafico->legenda_visivel.isNull() ? botao->text()
                                                                                       : QString();
                if (botao->toolTip() != dica) botao->setToolTip(dica);
                break;
            }
            case tipo_de_controle::caixa_de_texto: {
                auto* caixa = static_cast<caixa_de_texto*>(c);
                auto* e = static_cast<QLineEdit*>(w.data());
                const QString t = q(caixa->Text.texto());
                if (e->text() != t) {
                    e->setText(t);
                    // Fora do foco, o começo do texto fica à vista.
                    if (!e->hasFocus()) e->setCursorPosition(0);
                }
                e->setReadOnly(caixa->Locked);
                e->setFont(fonte(caixa->FontName, caixa->FontSize, false));
                e->setAlignment(caixa->Alignment == 1 ? Qt::AlignRight : caixa->Alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
                aparencia_da_caixa(e, *caixa);
                break;
            }
            case tipo_de_controle::caixa_de_selecao:
                rotulo_e_valor(static_cast<QCheckBox*>(w.data()), *static_cast<caixa_de_selecao*>(c));
                ajustar_legenda(static_cast<com_legenda_inteira<QCheckBox>*>(w.data()), fonte("MS Sans Serif", 8.25f, false));
                fundo_do_controle(w, static_cast<caixa_de_selecao*>(c)->BackColor);
                break;
            case tipo_de_controle::botao_de_opcao: {
                auto* opcao = static_cast<botao_de_opcao*>(c);
                auto* e = static_cast<QRadioButton*>(w.data());
                e->setText(q(opcao->Caption));
                e->setChecked(opcao->Value);
                ajustar_legenda(static_cast<com_legenda_inteira<QRadioButton>*>(e), fonte("MS Sans Serif", 8.25f, false));
                fundo_do_controle(e, opcao->BackColor);
                break;
            }
            default: break;
        }
    }
    for (auto it = widgets_.begin(); it != widgets_.end();) {
        if (std::find(vivos.begin(), vivos.end(), it->first) == vivos.end()) {
            if (it->second) {
                controle_do_widget_.erase(it->second.data());
                it->second->hide();
                it->second->deleteLater();
            }
            it = widgets_.erase(it);
        } else {
            ++it;
        }
    }
    if (novos) {
        ordenar_tabulacao();
        // O foco que os dados deram antes de a janela existir na tela chega ao widget agora.
        if (controle_com_foco* foco = f_.ActiveControl())
            if (QWidget* w = widget_de(foco); w && QApplication::focusWidget() != w) {
                if (foco_sem_widget) dar_o_foco_do_programa(w);
                else w->setFocus(Qt::OtherFocusReason);
            }
    }
    sincronizando_ = false;
}

void janela_qt::ordenar_tabulacao() {
    std::vector<std::pair<Integer, QWidget*>> ordem;
    for (auto& [c, w] : widgets_) {
        if (!w) continue;
        auto* f = dynamic_cast<controle_com_foco*>(c);
        const Integer i = f ? f->TabIndex : 0;
        ordem.emplace_back(i, w.data());
    }
    std::stable_sort(ordem.begin(), ordem.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1].second, ordem[i].second);
}

bool janela_qt::eventFilter(QObject* alvo, QEvent* e) {
    // A janela apareceu na tela: a moldura já pode estar posta.
    if (alvo == windowHandle()) {
        if (e->type() == QEvent::Expose && acomodando_ && windowHandle()->isExposed()) {
            exposta_ = true;
            QTimer::singleShot(0, this, [this] { acomodar(); });
        }
        return false;
    }
    auto it = controle_do_widget_.find(alvo);
    if (it == controle_do_widget_.end() || esquecido_ || !f_.carregado()) return QWidget::eventFilter(alvo, e);
    controle* c = it->second;
    if (!ainda_no_formulario(f_, c)) return QWidget::eventFilter(alvo, e);
    auto* foco = dynamic_cast<controle_com_foco*>(c);
    if (!foco) return QWidget::eventFilter(alvo, e);
    switch (e->type()) {
        case QEvent::FocusIn:
            if (!sincronizando_) despachar_evento(&f_, [this, foco] {
                ativar_janela(f_);
                f_.mover_foco(foco);
            });
            break;
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            // Tab e Shift+Tab só passam o foco adiante: não são teclas do controle.
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !(k->modifiers() & Qt::ControlModifier))
                break;
            Integer codigo = codigo_da_tecla(k);
            const Integer shift = shift_de(k->modifiers());
            bool engolida = false;
            despachar_evento(&f_, [&] {
                if (codigo == tecla_esc && f_.apertar_o_cancelar()) {
                    engolida = true;
                    return;
                }
                foco->receber_descida(codigo, shift);
                if (codigo == 0) {
                    engolida = true;
                    return;
                }
                Integer caractere = codigo_do_caractere(k);
                if (caractere != 0 && foco->KeyPress) {
                    foco->KeyPress(caractere);
                    if (caractere == 0) engolida = true;
                }
            });
            if (esquecido_) return true;  // o tratador descarregou a janela
            if (engolida) return true;
            // O que os tratadores fizeram (uma caixa esvaziada no KeyDown) chega ao widget antes
            // da tecla: o caractere entra no texto que os dados têm.
            sincronizar();
            if (!ainda_no_formulario(f_, c)) return true;
            // Enter num botão com o foco aperta esse botão; o Enter da janela é só das caixas.
            if (c->tipo() == tipo_de_controle::botao_de_comando &&
                (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
                if (auto* botao = qobject_cast<QAbstractButton*>(alvo); botao && botao->isEnabled()) botao->click();
                return true;
            }
            break;
        }
        case QEvent::KeyRelease: {
            auto* k = static_cast<QKeyEvent*>(e);
            Integer codigo = codigo_da_tecla(k);
            const Integer shift = shift_de(k->modifiers());
            despachar_evento(&f_, [&] { foco->receber_subida(codigo, shift); });
            break;
        }
        case QEvent::FocusOut:
            // O foco foi para outra janela (uma caixa de mensagem) ou outro controle: uma
            // subida que chegar depois não é de uma descida que este controle viu.
            foco->esquecer_teclas_descidas();
            break;
        default: break;
    }
    return QWidget::eventFilter(alvo, e);
}

void janela_qt::keyPressEvent(QKeyEvent* e) {
    Integer codigo = codigo_da_tecla(e);
    const Integer shift = shift_de(e->modifiers());
    despachar_evento(&f_, [&] {
        if (codigo == tecla_esc && f_.apertar_o_cancelar()) return;
        f_.Form_KeyDown(codigo, shift);
        Integer caractere = codigo_do_caractere(e);
        if (caractere != 0) f_.Form_KeyPress(caractere);
    });
}

void janela_qt::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (esquecido_ || !f_.carregado() || sincronizando_ || aplicando_geometria_) return;
    if (acomodando_) {
        acomodar();
        return;
    }
    if (moldura_mudou()) return;
    // Só um redimensionamento do usuário muda os dados: o que veio dos dados já está neles.
    const QMargins& m = margens_aplicadas_;
    const int barra = barra_ ? barra_->height() : 0;
    const int largura = f_.medida_pelo_interior ? width() : width() + m.left() + m.right();
    const int altura = f_.medida_pelo_interior ? height() - barra : height() + m.top() + m.bottom();
    const int w_dados = std::max(1, static_cast<int>(px_x(f_.Width)));
    const int h_dados = std::max(1, static_cast<int>(px_y(f_.Height)));
    if (largura == w_dados && altura == h_dados) return;
    despachar_evento(&f_, [this, largura, altura] {
        f_.Width = tw_x(largura);
        f_.Height = tw_y(altura);
        f_.Form_Resize();
    });
}

void janela_qt::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (esquecido_ || !f_.carregado() || aplicando_geometria_ || !isVisible()) return;
    // A moldura apareceu ou mudou (o gerenciador de janelas a pôs em volta): a janela volta ao
    // lugar dos dados.
    if (acomodando_) acomodar();
    else moldura_mudou();
}

void janela_qt::mostrar_endereco(navegador& n) {
    auto* w = qobject_cast<QTextBrowser*>(widget_de(&n));
    if (!w) return;
    const std::string& caminho = n.endereco();
    if (!n.mostra_projeto) {
        w->setSource(QUrl::fromLocalFile(q(caminho)));
        return;
    }
    // O projeto só aparece transformado: o arquivo nunca é lido como página.
    std::optional<std::string> html;
    if (auto& conv = espelho_qt::conversor_para_html()) html = conv(caminho);
    if (html) {
        w->setSearchPaths({QFileInfo(q(caminho)).absolutePath()});
        w->setHtml(q(*html));
    } else {
        w->clear();
    }
}

void janela_qt::sincronizar_temporizadores() {
    for (controle* c : f_.controles()) {
        if (c->tipo() != tipo_de_controle::temporizador) continue;
        auto* t = static_cast<temporizador*>(c);
        QPointer<QTimer>& q_t = temporizadores_[t];
        if (!q_t) {
            q_t = new QTimer(this);
            QObject::connect(q_t.data(), &QTimer::timeout, [this, t] {
                // Uma janela descarregada não tem mais dados: o temporizador que ainda disparar até
                // a janela Qt ser destruída não faz nada.
                if (!esquecido_ && ainda_no_formulario(f_, t) && t->Enabled && t->Interval > 0 && t->Timer) despachar_evento(&f_, t->Timer);
            });
        }
        const bool ligado = t->Enabled && t->Interval > 0;
        if (ligado && (!q_t->isActive() || q_t->interval() != t->Interval)) q_t->start(t->Interval);
        if (!ligado && q_t->isActive()) q_t->stop();
    }
}

void janela_qt::closeEvent(QCloseEvent* e) {
    if (esquecido_ || !f_.carregado()) {
        e->accept();
        return;
    }
    bool descarregou = false;
    despachar_evento(&f_, [&] { descarregou = f_.Unload(0); });
    if (descarregou) e->accept();
    else e->ignore();
}

void janela_qt::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !esquecido_ && f_.carregado() && f_.Visible)
        despachar_evento(&f_, [this] { ativar_janela(f_); });
}

}  // namespace orvel
