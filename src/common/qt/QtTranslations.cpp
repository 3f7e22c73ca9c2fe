#include "common/qt/QtTranslations.h"

#include "common/ProgramLocation.h"
#include "common/qt/QtText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quilby {

namespace {

Language running = Language::Korean;

// The program's translation of `language` from where it is installed or
// built; false when there is none.
bool loadProgramTranslation(QTranslator& translator, Language language) {
    const auto path = findTranslation(language, runningBinaryDir());
    return path && translator.load(fromLocalPath(path->string()));
}

} // namespace

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

bool installProgramTranslations(Language language) {
    if (language == Language::Korean) {
        return installKoreanQtTranslations();
    }
    static QTranslator* installed = nullptr;
    if (installed) {
        return true;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!loadProgramTranslation(*translator, language)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    running = language;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return true;
}

Language runningLanguage() {
    return running;
}

QString textIn(Language language, const char* context, const char* source) {
    if (language == running) {
        return QCoreApplication::translate(context, source);
    }
    QTranslator translator;
    if (language == Language::Korean || !loadProgramTranslation(translator, language)) {
        return QString::fromUtf8(source);
    }
    const QString text = translator.translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

} // namespace quilby
