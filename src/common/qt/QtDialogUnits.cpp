#include "common/qt/QtDialogUnits.h"

#include "common/FontFaces.h"
#include "common/qt/QtText.h"

#include <QFontMetrics>
#include <QGroupBox>

namespace quilby {

DialogUnits dialogUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    units.baseWidth = (letters / 26 + 1) / 2;
    units.baseHeight = metrics.height();
    return units;
}

QRect dluRect(const DialogUnits& units, int left, int top, int width, int height) {
    const int x = units.x(left);
    const int y = units.y(top);
    return QRect(x, y, units.x(left + width) - x, units.y(top + height) - y);
}

QFont dialogFont(const char* face, int pointSize) {
    QFont font(qs(installedFaceFor(face)));
    font.setPointSize(pointSize);
    return font;
}

QGroupBox* templateGroupBox(QWidget* dialog, const DialogUnits& units, const QString& title,
                            int left, int top, int width, int height) {
    auto* box = new QGroupBox(title, dialog);
    box->setGeometry(dluRect(units, left, top, width, height));
    const int half = QFontMetrics(dialog->font()).height() / 2;
    box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: "
                                      "2px; margin-top: %1px; }"
                                      "QGroupBox::title { subcontrol-origin: margin; "
                                      "subcontrol-position: top left; left: %2px; "
                                      "padding: 0px 2px; }")
                           .arg(half)
                           .arg(units.x(4)));
    return box;
}

} // namespace quilby
