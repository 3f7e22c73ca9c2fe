#pragma once

#include "link/LinkSettings.h"
#include "link/VersionCheck.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quilby {

// Finds out which keyboard model is attached: the keyboard types its
// identification into the text field, and OK decides the brand from the end
// of the text and selects that model's identification for every later
// exchange. Each announcement starts the field afresh, and a sentence under
// it says which model was found and what OK sets. Escape and Enter
// key-downs are consumed, so the typing cannot close the dialog.
class VersionCheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit VersionCheckDialog(LinkSettings& settings, QWidget* parent = nullptr);

    QLineEdit* textField() const { return text_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* pictureLabel() const { return picture_; }
    QLabel* verdictLabel() const { return verdict_; }

    // OK: decides the brand and selects its identification, in every case.
    void accept() override;

private:
    void onTextEdited(const QString& text);

    LinkSettings& settings_;
    VersionCheckText typed_;
    QLabel* verdict_ = nullptr;
    QLineEdit* text_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* picture_ = nullptr;
};

} // namespace quilby
