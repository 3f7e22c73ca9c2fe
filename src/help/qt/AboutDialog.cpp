#include "help/qt/AboutDialog.h"

#include "common/ProgramVersion.h"
#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace quilby {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("AboutDialog", "POS Keyboard  정보"));
    setFont(dialogFont("굴림", 9));
    const DialogUnits du = dialogUnitsOf(font());
    setFixedSize(du.x(323), du.y(71));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("logo"));
    picture->setGeometry(dluRect(du, 7, 7, 60, 57));
    picture->setPixmap(quilbyLogo(picture->size()));

    auto* line1 =
        new QLabel(QCoreApplication::translate("AboutDialog", "POS Keyboard Utility 버전 %1")
                       .arg(qs(programVersion())),
                   this);
    line1->setObjectName(QStringLiteral("versionLine"));
    line1->setGeometry(dluRect(du, 79, 10, 173, 8));
    auto* line2 = new QLabel(qs(kCopyrightLine), this);
    line2->setObjectName(QStringLiteral("copyrightLine"));
    line2->setGeometry(dluRect(du, 79, 25, 149, 8));

    auto* ok = new QPushButton(QCoreApplication::translate("AboutDialog", "확인(OK)"), this);
    ok->setGeometry(dluRect(du, 266, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace quilby
