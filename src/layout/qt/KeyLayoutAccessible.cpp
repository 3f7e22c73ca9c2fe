#include "layout/qt/KeyLayoutAccessible.h"

#include "common/qt/QtText.h"
#include "document/KeyTable.h"
#include "layout/KeyLayout.h"
#include "layout/qt/KeyLayoutView.h"
#include "layout/qt/LayoutPage.h"

#include <QCoreApplication>

namespace quilby {

namespace {

// One position of the layout view: a table cell.
class KeyCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    KeyCellAccessible(KeyLayoutView* view, int position) : view_(view), position_(position) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) {
            return {};
        }
        const KeyTableData& table = view_->table();
        switch (kind) {
        case QAccessible::Name:
            return QCoreApplication::translate("KeyLayoutView", "키 %1")
                .arg(qs(keyPositionName(position_)));
        case QAccessible::Value: {
            // Every label, none cut: a reader has no cell width.
            QStringList labels;
            for (int e = 0; e < table.usedEntries(position_); ++e) {
                labels << qs(labelDisplayText(table.entryAt(position_, e).label));
            }
            return labels.join(QLatin1Char(' '));
        }
        case QAccessible::Description:
            return QCoreApplication::translate("KeyLayoutView", "입력 %1개")
                .arg(table.usedEntries(position_));
        default:
            return {};
        }
    }

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect local = layoutCellRect(view_->gridArea(), position_).toRect();
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (isValid() && view_->selected() == position_) {
            state.selected = true;
            state.focused = view_->hasFocus();
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return isValid() && view_->selected() == position_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return layoutPlace(position_).column; }
    int rowIndex() const override { return layoutPlace(position_).row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<KeyLayoutView> view_;
    int position_;
};

QAccessibleInterface* layoutFactory(const QString&, QObject* object) {
    if (auto* view = qobject_cast<KeyLayoutView*>(object)) {
        return new KeyLayoutAccessible(view);
    }
    return nullptr;
}

} // namespace

KeyLayoutAccessible::KeyLayoutAccessible(KeyLayoutView* view)
    : QAccessibleWidget(view, QAccessible::Table) {}

KeyLayoutAccessible::~KeyLayoutAccessible() {
    for (const QAccessible::Id id : cells_) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

void KeyLayoutAccessible::installFactory() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(layoutFactory);
    }
}

void KeyLayoutAccessible::announceFocus(KeyLayoutView* view) {
    if (!QAccessible::isActive()) {
        return;
    }
    auto* table = static_cast<KeyLayoutAccessible*>(QAccessible::queryAccessibleInterface(view));
    QAccessibleEvent event(table->cell(view->selected()), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

KeyLayoutView* KeyLayoutAccessible::view() const {
    return static_cast<KeyLayoutView*>(widget());
}

QAccessibleInterface* KeyLayoutAccessible::cell(int position) const {
    if (!validKeyIndex(position)) {
        return nullptr;
    }
    QAccessible::Id& id = cells_[static_cast<std::size_t>(position)];
    if (id == 0) {
        id = QAccessible::registerAccessibleInterface(new KeyCellAccessible(view(), position));
    }
    return QAccessible::accessibleInterface(id);
}

int KeyLayoutAccessible::childCount() const {
    return kKeyPositions;
}

QAccessibleInterface* KeyLayoutAccessible::child(int index) const {
    return cell(index);
}

int KeyLayoutAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int p = 0; p < kKeyPositions; ++p) {
        if (cells_[static_cast<std::size_t>(p)] != 0 && cell(p) == child) {
            return p;
        }
    }
    return -1;
}

QAccessibleInterface* KeyLayoutAccessible::childAt(int x, int y) const {
    const QPoint local = view()->mapFromGlobal(QPoint(x, y));
    return cell(layoutPositionAt(view()->gridArea(), local));
}

QAccessibleInterface* KeyLayoutAccessible::focusChild() const {
    return view()->hasFocus() ? cell(view()->selected()) : nullptr;
}

void* KeyLayoutAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* KeyLayoutAccessible::cellAt(int row, int column) const {
    return cell(layoutPosition(row, column));
}

QList<QAccessibleInterface*> KeyLayoutAccessible::selectedCells() const {
    return {cell(view()->selected())};
}

int KeyLayoutAccessible::rowCount() const {
    return kLayoutRows;
}

int KeyLayoutAccessible::columnCount() const {
    return kLayoutColumns;
}

} // namespace quilby
