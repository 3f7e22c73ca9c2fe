#pragma once

#include "link/LinkPrompts.h"

#include <QPointer>
#include <QWidget>

namespace quilby {

// The message boxes of a link dialog, shown over the dialog through the
// program's prompts, so tests answer them like every other box.
class QtLinkPrompts : public LinkPrompts {
public:
    explicit QtLinkPrompts(QWidget* parent) : parent_(parent) {}

    // A stop box is an error; a box without an icon is an information.
    void showMessage(std::string_view text, Icon icon) override;
    bool askYesNo(std::string_view text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace quilby
