#pragma once

#include "link/LinkPrompts.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class QWidget;

namespace quilby {

// The link sessions' message boxes, rendered in the dialogs' language and
// shown through the program's replaceable prompts (caption: the application
// title), so tests answer them.
class QtLinkPrompts : public LinkPrompts {
    Q_DECLARE_TR_FUNCTIONS(QtLinkPrompts)
public:
    // `beforeShowing` runs before every box: the dialog brings its controls up
    // to date, so what stands behind a box is what has happened so far.
    explicit QtLinkPrompts(QWidget* parent, std::function<void()> beforeShowing = {});

    void showNotice(LinkNotice notice) override;
    void showFileError(const McrFileError& error) override;
    bool askCancel() override;

    static QString noticeText(LinkNotice notice);
    // Why MCR.OPN could not be read or written, and what to do.
    static QString fileErrorText(const McrFileError& error);

private:
    void bringUpToDate();

    QWidget* parent_;
    std::function<void()> beforeShowing_;
};

} // namespace quilby
