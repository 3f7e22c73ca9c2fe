#include "app/qt/CKeyLayoutView.h"

#include "app/KeyLayout.h"
#include "app/qt/CQuilbyDoc.h"
#include "app/qt/QtLayoutPage.h"
#include "common/qt/QtText.h"

#include <QApplication>
#include <QContextMenuEvent>
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

CKeyLayoutView::CKeyLayoutView(CQuilbyDoc* document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setAccessibleName(QStringLiteral("키 배치"));
    connect(document_, &CQuilbyDoc::tableChanged, this, qOverload<>(&QWidget::update));
}

QSize CKeyLayoutView::sizeHint() const {
    return {2 * kMargin + 14 * 76, 2 * kMargin + 7 * 64};
}

QSize CKeyLayoutView::minimumSizeHint() const {
    return {2 * kMargin + 14 * 40, 2 * kMargin + 7 * 40};
}

QRectF CKeyLayoutView::gridArea() const {
    return QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

int CKeyLayoutView::positionAt(QPointF point) const {
    return layoutPositionAt(gridArea(), point);
}

void CKeyLayoutView::select(int position) {
    if (!validKeyIndex(position) || position == selected_) {
        return;
    }
    selected_ = position;
    update();
    Q_EMIT selectionChanged(selected_);
}

void CKeyLayoutView::setHighlighted(std::vector<int> positions) {
    highlighted_ = std::move(positions);
    update();
}

void CKeyLayoutView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawKeyLayout(painter, gridArea(), document_->data(),
                  LayoutMarks{selected_, highlighted_, false});
}

void CKeyLayoutView::keyPressEvent(QKeyEvent* event) {
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

void CKeyLayoutView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    pressPosition_ = positionAt(event->position());
    pressPoint_ = event->position().toPoint();
    if (pressPosition_ >= 0) {
        select(pressPosition_);
    }
}

void CKeyLayoutView::mouseMoveEvent(QMouseEvent* event) {
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

void CKeyLayoutView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int position = positionAt(event->position());
    if (position >= 0) {
        select(position);
        Q_EMIT editRequested(position);
    }
}

void CKeyLayoutView::contextMenuEvent(QContextMenuEvent* event) {
    const int position = positionAt(event->pos());
    if (position < 0 || contextActions_.isEmpty()) {
        return;
    }
    select(position);
    QMenu menu(this);
    menu.addActions(contextActions_);
    menu.exec(event->globalPos());
}

void CKeyLayoutView::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedPosition(event->mimeData()) && event->source() == this) {
        event->acceptProposedAction();
    }
}

void CKeyLayoutView::dragMoveEvent(QDragMoveEvent* event) {
    const int target = positionAt(event->position());
    if (draggedPosition(event->mimeData()) && event->source() == this && target >= 0) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CKeyLayoutView::dropEvent(QDropEvent* event) {
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

bool CKeyLayoutView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int position = positionAt(help->pos());
        if (position < 0) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), qs(layoutTooltip(document_->data(), position)),
                               this, layoutCellRect(gridArea(), position).toRect());
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace quilby
