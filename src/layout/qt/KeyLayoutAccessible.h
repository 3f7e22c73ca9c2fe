#pragma once

#include "document/KeyTable.h"

#include <QAccessibleWidget>

#include <array>

namespace quilby {

class KeyLayoutView;

// The layout view as assistive technology sees it: a table of 7 rows and 14
// columns holding the 98 positions, each cell named by its number, its value
// the labels, its description the count. The view draws the cells itself, so
// without this a screen reader would find one blank widget.
class KeyLayoutAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit KeyLayoutAccessible(KeyLayoutView* view);
    ~KeyLayoutAccessible() override;

    // Makes every KeyLayoutView answer with this interface (once per program).
    static void installFactory();
    // The selected cell has the focus: tells assistive technology so.
    static void announceFocus(KeyLayoutView* view);

    KeyLayoutView* view() const;
    // The cell of a position (0 to 97), created on first use and kept.
    QAccessibleInterface* cell(int position) const;

    // QAccessibleInterface
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int rowCount() const override;
    int columnCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::array<QAccessible::Id, kKeyPositions> cells_{};
};

} // namespace quilby
