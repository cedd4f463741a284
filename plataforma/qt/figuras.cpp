#include "plataforma/qt/figuras.h"
#include "plataforma/qt/figuras_do_semaforo.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace orvel {

namespace {

const QColor azul(30, 60, 140);
const QColor verde(40, 140, 60);
const QColor vermelho(190, 40, 40);
const QColor amarelo(230, 180, 30);
const QColor cinza(110, 110, 110);

void pagina(QPainter& p) {
    p.setPen(QPen(cinza, 1.5));
    p.setBrush(Qt::white);
    QPolygonF f;
    f << QPointF(6, 2) << QPointF(15, 2) << QPointF(19, 6) << QPointF(19, 22) << QPointF(6, 22);
    p.drawPolygon(f);
}

void no(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(azul, 2));
    p.setBrush(QColor(255, 255, 224));
    p.drawEllipse(c, r, r);
}

void seta(QPainter& p, QPointF a, QPointF b, const QColor& cor) {
    p.setPen(QPen(cor, 2));
    p.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
    p.drawLine(b, b - u * 5 + n * 3);
    p.drawLine(b, b - u * 5 - n * 3);
}

void sinal_mais(QPainter& p) {
    p.setPen(QPen(verde, 2.5));
    p.drawLine(QPointF(17, 16), QPointF(23, 16));
    p.drawLine(QPointF(20, 13), QPointF(20, 19));
}

void lapis(QPainter& p) {
    p.setPen(QPen(amarelo.darker(140), 2.5));
    p.drawLine(QPointF(14, 22), QPointF(22, 14));
}

void xis(QPainter& p) {
    p.setPen(QPen(vermelho, 2.5));
    p.drawLine(QPointF(15, 15), QPointF(22, 22));
    p.drawLine(QPointF(22, 15), QPointF(15, 22));
}

void semaforo(QPainter& p, int aceso) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(7, 1, 10, 22), 3, 3);
    const QColor cores[] = {vermelho, amarelo, verde};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == aceso ? cores[i] : cores[i].darker(300));
        p.drawEllipse(QPointF(12, 5 + i * 7), 2.6, 2.6);
    }
}

}  // namespace

QIcon figura_do_botao(const std::string& nome) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (nome == "novo") {
        pagina(p);
        sinal_mais(p);
    } else if (nome == "abrir") {
        p.setPen(QPen(amarelo.darker(150), 1.5));
        p.setBrush(amarelo);
        QPolygonF f;
        f << QPointF(2, 6) << QPointF(9, 6) << QPointF(11, 8) << QPointF(21, 8) << QPointF(21, 20) << QPointF(2, 20);
        p.drawPolygon(f);
    } else if (nome == "fechar") {
        pagina(p);
        xis(p);
    } else if (nome == "salvar") {
        p.setPen(QPen(azul.darker(120), 1.5));
        p.setBrush(azul);
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(6, 13, 12, 8));
    } else if (nome == "desenhar") {
        no(p, QPointF(7, 8), 4);
        seta(p, QPointF(10, 11), QPointF(20, 20), azul);
        lapis(p);
    } else if (nome == "encerrar_desenho") {
        no(p, QPointF(7, 8), 4);
        seta(p, QPointF(10, 11), QPointF(18, 19), azul);
        p.setPen(QPen(verde, 2.5));
        p.drawLine(QPointF(13, 17), QPointF(16, 21));
        p.drawLine(QPointF(16, 21), QPointF(23, 12));
    } else if (nome == "criar_no") {
        no(p, QPointF(10, 10), 7);
        sinal_mais(p);
    } else if (nome == "editar_no") {
        no(p, QPointF(10, 10), 7);
        lapis(p);
    } else if (nome == "eliminar_no") {
        no(p, QPointF(10, 10), 7);
        xis(p);
    } else if (nome == "criar_link") {
        seta(p, QPointF(2, 10), QPointF(18, 10), azul);
        sinal_mais(p);
    } else if (nome == "editar_link") {
        seta(p, QPointF(2, 10), QPointF(18, 10), azul);
        lapis(p);
    } else if (nome == "eliminar_link") {
        seta(p, QPointF(2, 10), QPointF(18, 10), azul);
        xis(p);
    } else if (nome == "processar") {
        semaforo(p, 2);
    } else if (nome == "interromper") {
        semaforo(p, 0);
    } else if (nome == "relatorio") {
        pagina(p);
        p.setPen(QPen(cinza, 1.2));
        for (int i = 0; i < 4; ++i) p.drawLine(QPointF(9, 8 + i * 3.5), QPointF(16, 8 + i * 3.5));
    } else if (nome == "diagrama_de_barras") {
        const QColor cores[] = {verde, amarelo, vermelho};
        for (int i = 0; i < 3; ++i) {
            p.fillRect(QRectF(2, 4 + i * 6, 8 + i * 4, 4), cores[i]);
            p.fillRect(QRectF(10 + i * 4, 4 + i * 6, 12 - i * 4, 4), cores[(i + 2) % 3]);
        }
    } else if (nome == "rede_dinamica") {
        no(p, QPointF(5, 6), 3.5);
        no(p, QPointF(19, 18), 3.5);
        seta(p, QPointF(8, 9), QPointF(16, 15), verde);
        p.fillRect(QRectF(4, 16, 6, 4), vermelho);
    } else {
        pagina(p);
    }
    p.end();
    return QIcon(pm);
}

}  // namespace orvel

namespace orvel {

QIcon icone_do_programa() {
    QIcon icone;
    for (int lado : {16, 24, 32, 48, 64})
        icone.addPixmap(QPixmap::fromImage(figura_do_semaforo("semaforo_verde", QSize(lado, lado))));
    return icone;
}

QPixmap figura_da_imagem(const std::string& nome, QSize tamanho) {
    const QImage semaforo = figura_do_semaforo(nome, tamanho);
    if (!semaforo.isNull()) return QPixmap::fromImage(semaforo);
    return QPixmap();
}

}  // namespace orvel
