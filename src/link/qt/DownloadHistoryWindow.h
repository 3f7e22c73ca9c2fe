#pragma once

#include "link/DownloadRecord.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quilby {

// "다운로드 기록": the record of every download, newest first, and a button
// that opens the table a record kept. It is handed the record's folder and
// what opening a table means (true: it was opened, the window closes).
class DownloadHistoryWindow : public QDialog {
    Q_OBJECT
public:
    using TableOpener = std::function<bool(const KeyTableData& table)>;

    DownloadHistoryWindow(std::string folder, TableOpener open, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* openButton() const { return open_; }
    // Opens the selected record's table.
    void openSelected();

private:
    DownloadHistory history_;
    TableOpener opener_;
    std::vector<DownloadRecord> records_;
    QLabel* summary_;
    QTreeWidget* list_;
    QPushButton* open_;
};

} // namespace quilby
