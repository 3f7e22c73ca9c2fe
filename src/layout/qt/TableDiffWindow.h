#pragma once

#include "document/TableDiff.h"

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QTreeWidget;

namespace quilby {

// "다른 파일과 비교": the differences between the open table and another
// file's, listed one position per row with its entries below it. It is
// handed the table it compares (read again on refresh) and the other one.
class TableDiffWindow : public QDialog {
    Q_OBJECT
public:
    TableDiffWindow(const KeyTableData& table, KeyTableData other, const QString& otherName,
                    QWidget* parent = nullptr);

    const std::vector<PositionDifference>& differences() const { return differences_; }
    QTreeWidget* list() const { return list_; }

public Q_SLOTS:
    // The open table changed: compare again.
    void refresh();

Q_SIGNALS:
    // The positions that differ, after every comparison.
    void differingChanged(const QList<int>& positions);
    // A row was chosen: its position.
    void positionChosen(int position);

private:
    const KeyTableData& table_;
    KeyTableData other_;
    QString otherName_;
    std::vector<PositionDifference> differences_;
    QLabel* summary_;
    QTreeWidget* list_;
};

} // namespace quilby
