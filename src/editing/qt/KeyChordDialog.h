#pragma once

#include <QDialog>

class QListWidget;

namespace quilby {

// The reference card of the special-key chords: a picture of the keyboard,
// the logo, and the 25 keys beside their Ctrl+Shift chords.
class KeyChordDialog : public QDialog {
    Q_OBJECT
public:
    explicit KeyChordDialog(QWidget* parent = nullptr);

    QListWidget* chordList() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};

} // namespace quilby
