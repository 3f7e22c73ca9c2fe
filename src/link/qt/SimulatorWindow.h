#pragma once

#include "document/KeyTable.h"
#include "link/SimulatedKeyboard.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace quilby {

// The tool window of the simulated POS keyboard (only with --port=sim): the
// button that makes the keyboard announce itself, the model, the EPROM report
// it types, its bell count, the bytes it received, and whether the last image
// it received is the open document's, and the last MCR command it received
// (so a tester sees the head code go out). What the keyboard types is posted to
// the program as real key events, to the window that has the focus.
class SimulatorWindow : public QWidget, private SimulatedKeyboard::Listener {
    Q_OBJECT
public:
    // `table` is the open document's, which lives as long as the program.
    SimulatorWindow(SimulatedKeyboard* keyboard, const KeyTableData& table, QWidget* mainWindow);
    ~SimulatorWindow() override;

    QPushButton* announceButton() const { return announce_; }
    QComboBox* modelChoice() const { return model_; }
    QLabel* bellLabel() const { return bells_; }
    QLabel* bytesLabel() const { return bytes_; }
    QLabel* imageLabel() const { return image_; }
    QLabel* mcrCommandLabel() const { return mcrCommand_; }

    // Where typed keys go: the focused control of the active dialog, else of
    // the main window.
    QWidget* typingTarget() const;

public Q_SLOTS:
    void refresh();

private:
    // SimulatedKeyboard::Listener: called on any thread, handed on queued.
    void keysTyped() override;
    void bellRang(int rings) override;

    void deliverTypedKeys();
    void applyReport();

    SimulatedKeyboard* keyboard_;
    const KeyTableData& table_;
    QWidget* mainWindow_;
    QPushButton* announce_ = nullptr;
    QComboBox* model_ = nullptr;
    QLineEdit* version_ = nullptr;
    QLineEdit* checksum_ = nullptr;
    QLabel* bells_ = nullptr;
    QLabel* bytes_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* mcrCommand_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace quilby
