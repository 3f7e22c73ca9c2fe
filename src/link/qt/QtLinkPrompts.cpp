#include "link/qt/QtLinkPrompts.h"

#include "common/qt/QtPrompts.h"
#include "common/qt/QtText.h"

#include <utility>

namespace quilby {

QtLinkPrompts::QtLinkPrompts(QWidget* parent, std::function<void()> beforeShowing)
    : parent_(parent), beforeShowing_(std::move(beforeShowing)) {}

void QtLinkPrompts::showMessage(std::string_view text, Icon icon) {
    if (beforeShowing_) {
        beforeShowing_();
    }
    prompts().linkMessage(parent_, qs(text), icon == Icon::Stop);
}

bool QtLinkPrompts::askYesNo(std::string_view text) {
    if (beforeShowing_) {
        beforeShowing_();
    }
    return prompts().askYesNo(parent_, qs(text));
}

} // namespace quilby
