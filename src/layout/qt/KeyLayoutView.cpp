#include "layout/qt/KeyLayoutView.h"

#include "common/qt/QtText.h"
#include "document/KeyTable.h"
#include "layout/KeyLayout.h"
#include "layout/qt/KeyLayoutAccessible.h"
#include "layout/qt/LayoutPage.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QToolTip>

namespace quilby {

namespace {

// A position dragged inside the program; only the layout view takes it.
const QString kPositionMime = QStringLiteral("application/x-quilby-key-position");
constexpr int kMargin = 8;

std::optional<int> draggedPosition(const QMimeData* mime) {
    if (!mime || !mime->hasFormat(kPositionMime)) {
        return std::nullopt;
    }
    bool ok = false;
    const int position = QString::fromLatin1(mime->data(kPositionMime)).toInt(&ok);
    if (!ok || !validKeyIndex(position)) {
        return std::nullopt;
    }
    return position;
}

} // namespace

KeyLayoutView::KeyLayoutView(const KeyTableData& table, QWidget* parent)
    : QWidget(parent), table_(table) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setAccessibleName(QCoreApplication::translate("KeyLayoutView", "키 배치"));
    setAccessibleDescription(QCoreApplication::translate(
        "KeyLayoutView",
        "화살표 키로 키를 고르고 Enter 키로 편집합니다. 메뉴 키로 편집 메뉴를 엽니다."));
    KeyLayoutAccessible::installFactory();
}

QSize KeyLayoutView::sizeHint() const {
    return {2 * kMargin + 14 * 76, 2 * kMargin + 7 * 64};
}

QSize KeyLayoutView::minimumSizeHint() const {
    return {2 * kMargin + 14 * 40, 2 * kMargin + 7 * 40};
}

QRectF KeyLayoutView::gridArea() const {
    return QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

int KeyLayoutView::positionAt(QPointF point) const {
    return layoutPositionAt(gridArea(), point);
}

void KeyLayoutView::select(int position) {
    if (!validKeyIndex(position) || position == selected_) {
        return;
    }
    selected_ = position;
    update();
    if (hasFocus()) {
        KeyLayoutAccessible::announceFocus(this);
    }
    Q_EMIT selectionChanged(selected_);
}

void KeyLayoutView::setHighlighted(std::vector<int> positions) {
    highlighted_ = std::move(positions);
    update();
}

void KeyLayoutView::setDiffering(std::vector<int> positions) {
    differing_ = std::move(positions);
    update();
}

void KeyLayoutView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawKeyLayout(painter, gridArea(), table_,
                  LayoutMarks{selected_, highlighted_, false, differing_});
    // The keyboard's place: a dashed frame inside the selected cell while the
    // view has the focus (the selection's own frame shows without it too).
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layoutCellRect(gridArea(), selected_).adjusted(4, 4, -5, -5));
    }
}

void KeyLayoutView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    KeyLayoutAccessible::announceFocus(this);
}

void KeyLayoutView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void KeyLayoutView::keyPressEvent(QKeyEvent* event) {
    const auto step = [this](LayoutMove move) { select(layoutStep(selected_, move)); };
    switch (event->key()) {
    case Qt::Key_Left:
        step(LayoutMove::Left);
        return;
    case Qt::Key_Right:
        step(LayoutMove::Right);
        return;
    case Qt::Key_Up:
        step(LayoutMove::Up);
        return;
    case Qt::Key_Down:
        step(LayoutMove::Down);
        return;
    case Qt::Key_Home:
        step(LayoutMove::Home);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT editRequested(selected_);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KeyLayoutView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    pressPosition_ = positionAt(event->position());
    pressPoint_ = event->position().toPoint();
    if (pressPosition_ >= 0) {
        select(pressPosition_);
    }
}

void KeyLayoutView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || pressPosition_ < 0 ||
        (event->position().toPoint() - pressPoint_).manhattanLength() <
            QApplication::startDragDistance()) {
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(kPositionMime, QByteArray::number(pressPosition_));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    pressPosition_ = -1;
    drag->exec(Qt::MoveAction);
}

void KeyLayoutView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int position = positionAt(event->position());
    if (position >= 0) {
        select(position);
        Q_EMIT editRequested(position);
    }
}

void KeyLayoutView::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard (the menu key, Shift+F10) the menu is the selected
    // cell's, opened at that cell, wherever the mouse pointer is.
    const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    const int position = fromKeyboard ? selected_ : positionAt(event->pos());
    if (position < 0 || contextActions_.isEmpty()) {
        return;
    }
    select(position);
    QMenu menu(this);
    menu.addActions(contextActions_);
    menu.exec(fromKeyboard ? mapToGlobal(layoutCellRect(gridArea(), position).center().toPoint())
                           : event->globalPos());
}

void KeyLayoutView::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedPosition(event->mimeData()) && event->source() == this) {
        event->acceptProposedAction();
    }
}

void KeyLayoutView::dragMoveEvent(QDragMoveEvent* event) {
    const int target = positionAt(event->position());
    if (draggedPosition(event->mimeData()) && event->source() == this && target >= 0) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void KeyLayoutView::dropEvent(QDropEvent* event) {
    const auto from = draggedPosition(event->mimeData());
    const int to = positionAt(event->position());
    if (!from || to < 0 || event->source() != this) {
        return;
    }
    event->acceptProposedAction();
    select(to);
    if (*from != to) {
        Q_EMIT swapRequested(*from, to);
    }
}

bool KeyLayoutView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int position = positionAt(help->pos());
        if (position < 0) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), qs(layoutTooltip(table_, position)), this,
                               layoutCellRect(gridArea(), position).toRect());
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace quilby
