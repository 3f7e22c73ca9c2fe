#include "app/QtPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quilby {

QPixmap quilbyLogo(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal m = std::min(w, h) * 0.06;

    // Keycap: a darker skirt and a lighter dished top.
    const QRectF skirt(m, m, w - 2 * m, h - 2 * m);
    QLinearGradient skirtFill(skirt.topLeft(), skirt.bottomRight());
    skirtFill.setColorAt(0, QColor(70, 110, 190));
    skirtFill.setColorAt(1, QColor(25, 50, 110));
    p.setPen(QPen(QColor(20, 35, 80), 1));
    p.setBrush(skirtFill);
    p.drawRoundedRect(skirt, w * 0.12, h * 0.12);
    const QRectF top = skirt.adjusted(w * 0.12, h * 0.08, -w * 0.12, -h * 0.2);
    QLinearGradient topFill(top.topLeft(), top.bottomLeft());
    topFill.setColorAt(0, QColor(245, 248, 255));
    topFill.setColorAt(1, QColor(200, 215, 240));
    p.setBrush(topFill);
    p.drawRoundedRect(top, w * 0.08, h * 0.08);

    // The letter Q with a quill stroke for its tail.
    const QPointF c = top.center();
    const qreal r = std::min(top.width(), top.height()) * 0.3;
    p.setPen(QPen(QColor(25, 50, 110), r * 0.32, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QPainterPath quill;
    quill.moveTo(c + QPointF(r * 0.2, r * 0.3));
    quill.cubicTo(c + QPointF(r * 0.7, r * 0.6), c + QPointF(r * 1.1, r * 0.9),
                  c + QPointF(r * 1.5, r * 1.5));
    p.setPen(QPen(QColor(200, 60, 40), r * 0.22, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(quill);
    p.end();
    return pixmap;
}

} // namespace quilby
