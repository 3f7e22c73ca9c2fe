#include "common/qt/QtFonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace quilby {

void installKoreanFonts() {
    const QStringList preferred = {QStringLiteral("NanumGothic"),
                                   QStringLiteral("NanumBarunGothic"),
                                   QStringLiteral("Noto Sans CJK KR"), QStringLiteral("UnDotum")};
    QString face;
    const QStringList families = QFontDatabase::families();
    for (const auto& candidate : preferred) {
        if (families.contains(candidate)) {
            face = candidate;
            break;
        }
    }
    if (face.isEmpty()) {
        return; // fontconfig's own fallback is all there is
    }
    for (const char* name : {"굴림", "새굴림", "Gulim", "New Gulim"}) {
        QFont::insertSubstitution(QString::fromUtf8(name), face);
    }
    QFont font(face);
    font.setPointSize(9);
    QApplication::setFont(font);
}

} // namespace quilby
