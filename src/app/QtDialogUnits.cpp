#include "app/QtDialogUnits.h"

#include "app/FontFaces.h"
#include "app/QtText.h"

#include <QFontMetrics>

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

} // namespace quilby
