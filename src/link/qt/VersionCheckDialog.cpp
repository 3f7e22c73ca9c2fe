#include "link/qt/VersionCheckDialog.h"

#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtScreenFit.h"
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
    // Smaller on a screen too small for the designed size.
    setFont(fontFittingScreen(dialogFont("System", 10), 187, 199, availableArea(parent)));
    keepOnScreenWhenShown(this);
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(187), du.y(199));

    // The text field comes first in the tab ring: it has the focus, and the
    // keyboard's typing lands there.
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("typedText"));
    text_->setAccessibleName(tr("키보드가 입력한 알림"));
    text_->setGeometry(dluRect(du, 4, 127, 179, 12));
    // What the keyboard types is compared as it arrives: no input method may
    // compose it into something else.
    text_->setAttribute(Qt::WA_InputMethodEnabled, false);

    connect(text_, &QLineEdit::textChanged, this, &VersionCheckDialog::onTextEdited);

    verdict_ = new QLabel(this);
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setGeometry(dluRect(du, 4, 142, 179, 30));
    verdict_->setWordWrap(true);
    verdict_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    verdict_->setText(trCore("VersionCheck", kVersionCheckWaitingText));

    ok_ = new QPushButton(tr("확인"), this);
    ok_->setGeometry(dluRect(du, 7, 176, 85, 14));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &VersionCheckDialog::accept);
    cancel_ = new QPushButton(tr("취소"), this);
    cancel_->setGeometry(dluRect(du, 93, 176, 87, 14));
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

void VersionCheckDialog::onTextEdited(const QString& text) {
    const QString shown = qs(typed_.update(toUtf8(text)));
    if (shown != text) {
        text_->setText(shown); // comes back here once, unchanged
        return;
    }
    if (const auto found = typed_.found()) {
        const QString name = trCore("VersionCheck", brandName(*found));
        verdict_->setText(trCore("VersionCheck", kVersionCheckFoundText).arg(name));
    } else if (text.isEmpty()) {
        verdict_->setText(trCore("VersionCheck", kVersionCheckWaitingText));
    } else {
        const QString name = trCore("VersionCheck", brandName(settings_.keyboardBrand));
        verdict_->setText(trCore("VersionCheck", kVersionCheckUnknownText).arg(name));
    }
}

void VersionCheckDialog::accept() {
    applyVersionCheck(settings_, toUtf8(text_->text()));
    QDialog::accept();
}

} // namespace quilby
