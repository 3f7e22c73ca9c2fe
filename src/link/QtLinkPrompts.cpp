#include "link/QtLinkPrompts.h"

#include "app/Commands.h"
#include "app/QtPrompts.h"
#include "app/QtText.h"

#include <QMessageBox>

namespace quilby {

void QtLinkPrompts::showMessage(std::string_view text, Icon icon) {
    if (icon == Icon::Stop) {
        prompts().error(parent_, qs(text));
    } else {
        prompts().information(parent_, qs(text));
    }
}

bool QtLinkPrompts::askYesNo(std::string_view text) {
    return QMessageBox::question(parent_, qs(kApplicationTitle), qs(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace quilby
