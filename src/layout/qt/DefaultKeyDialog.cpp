#include "layout/qt/DefaultKeyDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtScreenFit.h"
#include "common/qt/QtText.h"
#include "layout/DefaultKeyGrid.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace quilby {

namespace {

// A box shows the name on one line and the word below it, both centred: the
// box is too narrow for both side by side.
QString boxText(const DefaultKeyCell& cell) {
    const QString name = qs(cell.name);
    return cell.word ? name + QLatin1Char('\n') + qs(cell.wordText()) : name;
}

// Whether every box text fits the inside of a box in `font`.
bool boxesFit(const QFont& font, const QSize& inside) {
    const QFontMetrics metrics(font);
    for (const DefaultKeyCell& cell : defaultKeyGrid().cells) {
        const QRect needed = metrics.boundingRect(
            QRect(QPoint(0, 0), inside), Qt::AlignCenter | Qt::TextDontClip, boxText(cell));
        if (needed.width() > inside.width() || needed.height() > inside.height()) {
            return false;
        }
    }
    return true;
}

// A bordered box whose lines share its height evenly, so that the name's
// descenders ("_", ",") keep clear of the word below.
class KeyBox : public QLabel {
public:
    KeyBox(const QString& text, QWidget* parent) : QLabel(text, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawFrame(&painter);
        const QStringList lines = text().split(QLatin1Char('\n'));
        const QRect inside = contentsRect();
        const int lineHeight = fontMetrics().height();
        const int gap = std::max(0, (inside.height() - lineHeight * int(lines.size())) /
                                        (int(lines.size()) + 1));
        painter.setPen(palette().color(QPalette::WindowText));
        int top = inside.top() + gap;
        for (const QString& line : lines) {
            painter.drawText(QRect(inside.left(), top, inside.width(), lineHeight),
                             Qt::AlignCenter | Qt::TextDontClip, line);
            top += lineHeight + gap;
        }
    }
};

} // namespace

DefaultKeyDialog::DefaultKeyDialog(QWidget* parent) : QDialog(parent) {
    const DefaultKeyGrid& grid = defaultKeyGrid();
    setWindowTitle(trCore("DefaultKeyGrid", grid.caption));
    const std::string face(grid.fontFace);
    setFont(fontFittingScreen(dialogFont(face.c_str(), grid.fontPoints), grid.width, grid.height,
                              availableArea(parent)));
    keepOnScreenWhenShown(this);
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(grid.width), du.y(grid.height));

    // The box texts take the dialog font unless some name or word would not
    // fit a box in it; then the largest smaller size that fits every box.
    QFont boxFont = font();
    const DialogRect first = grid.cells.front().rect;
    const QSize inside = dluRect(du, first.x, first.y, first.width, first.height).size() -
                         QSize(4, 2); // the border and a pixel of air on each side
    while (!boxesFit(boxFont, inside) && boxFont.pointSizeF() > 6) {
        boxFont.setPointSizeF(boxFont.pointSizeF() - 0.5);
    }

    for (const DefaultKeyCell& cell : grid.cells) {
        auto* box = new KeyBox(boxText(cell), this);
        box->setObjectName(QStringLiteral("key%1").arg(cell.position, 2, 10, QLatin1Char('0')));
        box->setTextFormat(Qt::PlainText);
        box->setFrameStyle(QFrame::Box | QFrame::Plain);
        box->setLineWidth(1);
        box->setAlignment(Qt::AlignCenter);
        box->setFont(boxFont);
        box->setGeometry(dluRect(du, cell.rect.x, cell.rect.y, cell.rect.width, cell.rect.height));
        boxes_.append(box);
    }

    legend_ = new QLabel(trCore("DefaultKeyGrid", grid.legend), this);
    legend_->setObjectName(QStringLiteral("legend"));
    legend_->setTextFormat(Qt::PlainText);
    QRect legendRect = dluRect(du, grid.legendRect.x, grid.legendRect.y, grid.legendRect.width,
                               grid.legendRect.height);
    // A face wider than the one the line was measured for may need more room;
    // there is free space up to the button.
    const int needed = legend_->fontMetrics().horizontalAdvance(legend_->text());
    const int room = du.x(grid.okRect.x - 4) - legendRect.left();
    legendRect.setWidth(std::max(legendRect.width(), std::min(needed, room)));
    legend_->setGeometry(legendRect);

    ok_ = new QPushButton(trCore("DefaultKeyGrid", grid.okText), this);
    ok_->setGeometry(
        dluRect(du, grid.okRect.x, grid.okRect.y, grid.okRect.width, grid.okRect.height));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace quilby
