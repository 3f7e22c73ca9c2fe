#pragma once

#include "editing/KeyTester.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QList>

class QLabel;
class QListWidget;
class QTimer;

namespace quilby {

// "키 테스트": the operator presses keys on the POS keyboard; every press is
// captured as the key editor captures it, cut at the pause after its burst
// and looked up in the open table. It is handed the table it reads.
class KeyTesterWindow : public QDialog {
    Q_OBJECT
public:
    explicit KeyTesterWindow(const KeyTableData& table, QWidget* parent = nullptr);

    KeyTester& tester() { return tester_; }
    QListWidget* pressList() const { return list_; }
    // Ends a press whose pause has passed (the window's timer calls it).
    void poll();

Q_SIGNALS:
    // The positions that hold the last press, empty when none does.
    void matched(const QList<int>& positions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNewPresses();

    KeyTester tester_;
    PressWording wording_;
    QElapsedTimer clock_;
    QTimer* timer_;
    QLabel* last_;
    QListWidget* list_;
    std::size_t shown_ = 0;
};

} // namespace quilby
