#include "plataforma/qt/figuras_do_semaforo.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace orvel {

QImage figura_do_semaforo(const std::string& nome, QSize tamanho) {
    int acesa;  // 0 a de cima, 1 a do meio, 2 a de baixo
    if (nome == "semaforo_vermelho") acesa = 0;
    else if (nome == "semaforo_amarelo") acesa = 1;
    else if (nome == "semaforo_verde") acesa = 2;
    else return {};
    if (tamanho.isEmpty()) return {};

    QImage imagem(tamanho, QImage::Format_RGB32);
    imagem.fill(Qt::black);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Tudo é desenhado num quadrado de 478 unidades, centrado.
    const double lado = std::min(tamanho.width(), tamanho.height());
    p.translate((tamanho.width() - lado) / 2.0, (tamanho.height() - lado) / 2.0);
    p.scale(lado / 478.0, lado / 478.0);

    // A placa em losango, amarela com a borda preta por dentro.
    const QPolygonF placa({{239, 12}, {466, 239}, {239, 466}, {12, 239}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 204, 0));
    p.drawPolygon(placa);
    p.setPen(QPen(Qt::black, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({{239, 34}, {444, 239}, {239, 444}, {34, 239}}));

    // A caixa do semáforo.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(199, 114, 80, 250), 18, 18);

    // As três luzes: vermelha, amarela e verde, de cima para baixo.
    const QColor acesas[] = {QColor(255, 26, 34), QColor(255, 255, 0), QColor(0, 200, 120)};
    const QColor apagadas[] = {QColor(70, 20, 20), QColor(70, 70, 20), QColor(20, 60, 40)};
    for (int i = 0; i < 3; ++i) {
        const QPointF centro(239, 158 + 81 * i);
        p.setBrush(i == acesa ? acesas[i] : apagadas[i]);
        p.drawEllipse(centro, 30, 30);
    }
    return imagem;
}

}  // namespace orvel
