#include "link/qt/VersionCheckDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtText.h"
#include "link/LinkTexts.h"
#include "link/VersionCheck.h"
#include "link/qt/QtLinkKeys.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quilby {

VersionCheckDialog::VersionCheckDialog(LinkSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(trCore("LinkTexts", texts::kVersionCheckCaption));
    // Modal to the main window only: the simulated keyboard's window stays usable.
    setWindowModality(Qt::WindowModal);
    setFont(dialogFont("System", 10));
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(187), du.y(171));

    // The text field comes first in the tab ring: it has the focus, and the
    // keyboard's typing lands there.
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("typedText"));
    text_->setGeometry(dluRect(du, 4, 127, 179, 12));
    // What the keyboard types is compared as it arrives: no input method may
    // compose it into something else.
    text_->setAttribute(Qt::WA_InputMethodEnabled, false);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setGeometry(dluRect(du, 7, 146, 85, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &VersionCheckDialog::accept);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setGeometry(dluRect(du, 93, 146, 87, 14));
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    QGroupBox* group =
        templateGroupBox(this, du, trCore("LinkTexts", texts::kAnnouncePrompt), 0, 0, 187, 121);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("announcePicture"));
    picture_->setGeometry(dluRect(du, 4, 13, 179, 103));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setPixmap(announcePicture(picture_->size()));
    // The group box is drawn behind the picture it frames.
    group->lower();

    new QtLinkKeyFilter(this, versionCheckKey);
    text_->setFocus(Qt::OtherFocusReason);
}

void VersionCheckDialog::accept() {
    applyVersionCheck(settings_, toUtf8(text_->text()));
    QDialog::accept();
}

} // namespace quilby
