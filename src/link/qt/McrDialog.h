#pragma once

#include "link/McrSession.h"
#include "link/qt/QtLinkPrompts.h"

#include <QDialog>

#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quilby {

class Pacer;
class PortIo;

// The EPROM & MCR dialog: the head-code option buttons and their apply to
// MCR.OPN, and the exchange with the keyboard that sends the option and shows
// the EPROM version and checksum the keyboard types back. It renders what
// the McrSession decides; every key event of the dialog and its controls
// goes to the session first.
class McrDialog : public QDialog {
    Q_OBJECT
public:
    // The table's McrOption must have been loaded from `folder`/MCR.OPN.
    McrDialog(LinkSettings& settings, KeyTableData& table, std::string folder, PortIo& port,
              Pacer& pacer, QWidget* parent = nullptr);

    const McrSession& session() const { return session_; }
    // The button of head-code choice 0 to 3.
    QRadioButton* optionButton(int headCodeChoice) const;
    QLineEdit* statusField() const { return status_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* quitButton() const { return quit_; }
    QLabel* resultLabel() const { return result_; }
    QLabel* pictureLabel() const { return picture_; }

    // The apply button: stores the selected option; the dialog stays open.
    void onApply();

private:
    void onOption(int headCodeChoice);
    KeyVerdict onKey(const KeyMessage& message);
    // Copies the session's values into the controls.
    void showSession();

    QtLinkPrompts prompts_;
    McrSession session_;
    QButtonGroup* options_ = nullptr;
    QLineEdit* status_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* quit_ = nullptr;
};

} // namespace quilby
