#pragma once

#include <QDialog>

namespace quilby {

// The about box: the logo, the version and copyright lines, and the OK button.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace quilby
