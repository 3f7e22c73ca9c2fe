#pragma once

#include <QDialog>

namespace quilby {

// The about box: the logo, the version and copyright lines, and the OK button.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace quilby
