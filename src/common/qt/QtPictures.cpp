#include "common/qt/QtPictures.h"

#include "common/FontFaces.h"
#include "common/qt/QtText.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

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

namespace {

struct KeyboardLayout {
    QRectF body;
    QRectF slot;
    QPointF origin; // top-left of the first key pitch
    qreal pitchX = 0;
    qreal pitchY = 0;
    qreal keyW = 0;
    qreal keyH = 0;
};

// Fifteen key pitches across (two blocks of seven with one between) and
// seven down, below a strip for the card reader.
KeyboardLayout keyboardLayout(QSize size) {
    KeyboardLayout l;
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal m = std::max<qreal>(1.0, std::min(w, h) * 0.03);
    l.body = QRectF(m, m, w - 2 * m, h - 2 * m);
    const qreal strip = l.body.height() * 0.16;
    l.slot = QRectF(l.body.left() + l.body.width() * 0.08, l.body.top() + strip * 0.38,
                    l.body.width() * 0.84, strip * 0.24);
    const QRectF keys(l.body.left() + l.body.width() * 0.03, l.body.top() + strip,
                      l.body.width() * 0.94, l.body.height() - strip - l.body.height() * 0.04);
    l.origin = keys.topLeft();
    l.pitchX = keys.width() / 15.0;
    l.pitchY = keys.height() / 7.0;
    l.keyW = l.pitchX * 0.82;
    l.keyH = l.pitchY * 0.82;
    return l;
}

QRectF keyRect(const KeyboardLayout& l, int position) {
    if (position < 0 || position > 97) {
        return {};
    }
    const bool right = position >= 49;
    const int inBlock = right ? position - 49 : position;
    const int row = inBlock / 7;
    const int column = inBlock % 7 + (right ? 8 : 0);
    const QPointF pitchTopLeft = l.origin + QPointF(column * l.pitchX, row * l.pitchY);
    return QRectF(pitchTopLeft + QPointF((l.pitchX - l.keyW) / 2, (l.pitchY - l.keyH) / 2),
                  QSizeF(l.keyW, l.keyH));
}

// An arrow from the edge of one key towards the next, its head at the end.
void drawArrow(QPainter& p, QPointF from, QPointF to, qreal inset, qreal width) {
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    if (length <= 2 * inset) {
        return;
    }
    const QPointF u = d / length;
    const QPointF a = from + u * inset;
    const QPointF b = to - u * inset;
    const QPointF n(-u.y(), u.x());
    const qreal head = width * 3.2;
    const QPointF shaftEnd = b - u * head * 0.8;
    for (const bool halo : {true, false}) {
        const QColor colour = halo ? QColor(255, 255, 255, 220) : QColor(200, 30, 30);
        const qreal extra = halo ? width * 1.2 : 0;
        p.setPen(QPen(colour, width + extra, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, shaftEnd);
        QPolygonF tip;
        tip << b + u * extra * 0.5 << shaftEnd + n * (head * 0.55 + extra * 0.5)
            << shaftEnd - n * (head * 0.55 + extra * 0.5);
        p.setPen(halo ? QPen(colour, extra, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                      : Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(tip);
    }
}

} // namespace

QRectF posKeyboardKeyRect(QSize size, int position) {
    return keyRect(keyboardLayout(size), position);
}

QPixmap posKeyboardPicture(QSize size, bool markAnnounceKeys) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const KeyboardLayout l = keyboardLayout(size);
    const qreal unit = std::min(l.pitchX, l.pitchY);

    // The case, with a darker frame and a lighter deck.
    QLinearGradient caseFill(l.body.topLeft(), l.body.bottomLeft());
    caseFill.setColorAt(0, QColor(92, 96, 104));
    caseFill.setColorAt(1, QColor(58, 61, 68));
    p.setPen(QPen(QColor(35, 37, 42), 1));
    p.setBrush(caseFill);
    p.drawRoundedRect(l.body, unit * 0.35, unit * 0.35);

    // The card reader: a raised rail with the slot cut along it.
    const QRectF rail = l.slot.adjusted(-unit * 0.15, -unit * 0.18, unit * 0.15, unit * 0.18);
    p.setPen(QPen(QColor(30, 31, 35), 1));
    p.setBrush(QColor(120, 124, 132));
    p.drawRoundedRect(rail, unit * 0.12, unit * 0.12);
    p.setBrush(QColor(20, 20, 24));
    p.drawRoundedRect(l.slot, l.slot.height() / 2, l.slot.height() / 2);

    // The keys.
    std::array<bool, 98> marked{};
    if (markAnnounceKeys) {
        for (int pos : kAnnounceKeyPositions) {
            marked[static_cast<std::size_t>(pos)] = true;
        }
    }
    for (int pos = 0; pos < 98; ++pos) {
        const QRectF k = keyRect(l, pos);
        const bool mark = marked[static_cast<std::size_t>(pos)];
        const qreal r = unit * 0.12;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 26, 30, 150));
        p.drawRoundedRect(k.translated(unit * 0.03, unit * 0.05), r, r);
        QLinearGradient keyFill(k.topLeft(), k.bottomLeft());
        keyFill.setColorAt(0, mark ? QColor(255, 236, 120) : QColor(242, 242, 238));
        keyFill.setColorAt(1, mark ? QColor(236, 196, 40) : QColor(208, 208, 202));
        p.setPen(QPen(QColor(40, 40, 44), 1));
        p.setBrush(keyFill);
        p.drawRoundedRect(k, r, r);
    }

    if (markAnnounceKeys) {
        const qreal inset = std::min(l.keyW, l.keyH) * 0.42;
        for (std::size_t i = 0; i + 1 < kAnnounceKeyPositions.size(); ++i) {
            drawArrow(p, keyRect(l, kAnnounceKeyPositions[i]).center(),
                      keyRect(l, kAnnounceKeyPositions[i + 1]).center(), inset,
                      std::max<qreal>(1.5, unit * 0.09));
        }
        QFont digits(qs(kKoreanFace));
        digits.setBold(true);
        digits.setPixelSize(std::max(7, static_cast<int>(l.keyH * 0.78)));
        p.setFont(digits);
        p.setPen(Qt::black);
        for (std::size_t i = 0; i < kAnnounceKeyPositions.size(); ++i) {
            p.drawText(keyRect(l, kAnnounceKeyPositions[i]), Qt::AlignCenter,
                       QString::number(i + 1));
        }
    }
    p.end();
    return pixmap;
}

QPixmap announcePicture() {
    return posKeyboardPicture(kAnnouncePictureSize, true);
}

QPixmap announcePicture(QSize room) {
    if (room.width() >= kAnnouncePictureSize.width() &&
        room.height() >= kAnnouncePictureSize.height()) {
        return announcePicture();
    }
    return posKeyboardPicture(kAnnouncePictureSize.scaled(room, Qt::KeepAspectRatio), true);
}

} // namespace quilby
