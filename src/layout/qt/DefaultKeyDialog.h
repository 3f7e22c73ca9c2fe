#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

namespace quilby {

// The viewer of the default key table: the default assignment of the 98 key
// positions as bordered boxes in the keyboard's two blocks, each with the
// key's name above its word. The content is fixed; it reads no file and
// leaves the document alone.
class DefaultKeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit DefaultKeyDialog(QWidget* parent = nullptr);

    // The boxes row by row, left to right, as the grid lists them.
    const QList<QLabel*>& boxes() const { return boxes_; }
    QLabel* legendLine() const { return legend_; }
    QPushButton* okButton() const { return ok_; }

private:
    QList<QLabel*> boxes_;
    QLabel* legend_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace quilby
