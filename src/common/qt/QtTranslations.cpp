#include "common/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quilby {

bool installKoreanQtTranslations() {
    static QTranslator* installed = nullptr;
    if (installed) {
        return true;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt_ko" gathers the Korean catalogues of every Qt module.
    if (!translator->load(QStringLiteral("qt_ko"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    // Dates and sizes in the file dialog follow the same language.
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    return true;
}

} // namespace quilby
