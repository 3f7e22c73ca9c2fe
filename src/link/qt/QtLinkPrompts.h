#pragma once

#include "link/LinkPrompts.h"

#include <functional>

class QWidget;

namespace quilby {

// The link dialogs' message boxes, shown through the program's replaceable
// prompts (caption: the application title), so tests answer them.
class QtLinkPrompts : public LinkPrompts {
public:
    // `beforeShowing` runs before every box: the dialog brings its controls up
    // to date, so what stands behind a box is what has happened so far.
    explicit QtLinkPrompts(QWidget* parent, std::function<void()> beforeShowing = {});

    void showMessage(std::string_view text, Icon icon) override;
    bool askYesNo(std::string_view text) override;

private:
    QWidget* parent_;
    std::function<void()> beforeShowing_;
};

} // namespace quilby
