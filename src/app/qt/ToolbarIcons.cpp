#include "app/qt/ToolbarIcons.h"

#include "app/CommandTable.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quilby {

namespace {

constexpr int kSize = 18;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(40, 90, 180);
const QColor kYellow(240, 200, 70);
const QColor kGreen(40, 150, 60);
const QColor kRed(200, 50, 40);
const QColor kGrey(170, 170, 170);

void page(QPainter& p) {
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(11.5, 1.5);
    path.lineTo(15.5, 5.5);
    path.lineTo(15.5, 16.5);
    path.lineTo(3.5, 16.5);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(11.5, 1.5), QPointF(11.5, 5.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(15.5, 5.5));
}

void keycap(QPainter& p, QRectF r, const QString& text = {}) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(225, 225, 230));
    p.drawRoundedRect(r, 2, 2);
    p.setBrush(kPaper);
    p.drawRoundedRect(r.adjusted(2, 1, -2, -3), 1.5, 1.5);
    if (!text.isEmpty()) {
        QFont f;
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(r.adjusted(2, 1, -2, -3), Qt::AlignCenter, text);
    }
}

void chip(QPainter& p, QRectF body) {
    p.setPen(QPen(kInk, 1));
    for (qreal x = body.left() + 2; x < body.right() - 1; x += 3) {
        p.drawLine(QPointF(x, body.top() - 2), QPointF(x, body.top()));
        p.drawLine(QPointF(x, body.bottom()), QPointF(x, body.bottom() + 2));
    }
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(body);
    p.setBrush(kPaper);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(body.left() + 2.5, body.top() + 2.5), 1, 1);
}

void arrowDown(QPainter& p, QPointF tip, QColor color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPolygonF head{tip, tip + QPointF(-4, -4), tip + QPointF(4, -4)};
    p.drawPolygon(head);
    p.drawRect(QRectF(tip.x() - 1.5, tip.y() - 9, 3, 5.5));
}

void draw(QPainter& p, Command command) {
    switch (command) {
    case Command::NewFile:
        page(p);
        p.setPen(QPen(kYellow.darker(120), 1.5));
        p.drawLine(QPointF(13, 10), QPointF(17, 10));
        p.drawLine(QPointF(15, 8), QPointF(15, 12));
        break;
    case Command::OpenFile: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow.darker(110));
        p.drawRect(QRectF(1.5, 4.5, 13, 11));
        p.drawRect(QRectF(1.5, 3.5, 5, 2));
        p.setBrush(kYellow);
        QPolygonF front{{1.5, 15.5}, {4.5, 8.5}, {17.5, 8.5}, {14.5, 15.5}};
        p.drawPolygon(front);
        break;
    }
    case Command::SaveFile:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(2.5, 2.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 2.5, 9, 6));
        p.setBrush(kGrey);
        p.drawRect(QRectF(5.5, 11.5, 7, 4));
        break;
    case Command::EditKeys:
        keycap(p, QRectF(1.5, 5.5, 12, 11), QStringLiteral("A"));
        p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 9), QPointF(16, 2.5));
        p.setPen(QPen(kInk, 1));
        p.drawLine(QPointF(9, 10), QPointF(10, 9));
        break;
    case Command::EpromMcr:
        chip(p, QRectF(2.5, 4.5, 13, 9));
        break;
    case Command::ShowLayout:
        // Two blocks of keys with a gap, as the layout view shows them.
        p.setPen(QPen(kInk, 1));
        for (int block = 0; block < 2; ++block) {
            for (int row = 0; row < 3; ++row) {
                for (int column = 0; column < 2; ++column) {
                    p.setBrush(block == 0 && row == 0 && column == 0 ? kBlue : kPaper);
                    p.drawRect(QRectF(1.5 + block * 8.5 + column * 3.5, 3.5 + row * 4, 3, 3));
                }
            }
        }
        break;
    case Command::Download:
        keycap(p, QRectF(0.5, 9.5, 8, 8));
        keycap(p, QRectF(9.5, 9.5, 8, 8));
        arrowDown(p, QPointF(9, 9), kGreen);
        break;
    case Command::Print:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 9, 6));
        p.setBrush(kGrey);
        p.drawRoundedRect(QRectF(1.5, 6.5, 15, 7), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 11.5, 9, 5));
        p.setPen(kGreen);
        p.drawPoint(QPointF(14, 8.5));
        break;
    case Command::About: {
        p.setPen(QPen(kBlue.darker(130), 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(9, 5), 1.4, 1.4);
        p.drawRect(QRectF(7.8, 7.5, 2.4, 6.5));
        break;
    }
    case Command::SpecialKeys:
        keycap(p, QRectF(0.5, 4.5, 8, 9), QStringLiteral("C"));
        keycap(p, QRectF(9.5, 4.5, 8, 9), QStringLiteral("S"));
        p.setPen(QPen(kRed, 1.5));
        p.drawLine(QPointF(9, 15), QPointF(9, 18));
        p.drawLine(QPointF(7.5, 16.5), QPointF(10.5, 16.5));
        break;
    case Command::ShowDefaultKeys: {
        page(p);
        QFont f;
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kBlue);
        p.drawText(QRectF(3.5, 5, 12, 11), Qt::AlignCenter, QStringLiteral("D"));
        break;
    }
    case Command::UtilityHelp: {
        p.setPen(QPen(kYellow.darker(150), 1));
        p.setBrush(kYellow);
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        QFont f;
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(1.5, 1.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Command::VersionCheck:
        chip(p, QRectF(1.5, 3.5, 10, 8));
        p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{8, 12}, {11, 16}, {17, 7}});
        break;
    default:
        break;
    }
}

} // namespace

QIcon toolbarIcon(Command command) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, command);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace quilby
