#include "app/CommandTable.h"
#include "common/qt/QtTranslations.h"
#include "help/qt/ManualWindow.h"

#include "../support/UiTestSupport.h"
#include "../support/WindowTour.h"

#include <QKeySequence>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

using namespace quilby;

// With English loaded, no window, menu or message of the program may show
// Hangul. lupdate only sees marked texts; this tour is what proves none was
// missed, whether it was never marked or never translated.
class EnglishTextTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        setUpCase();
        QVERIFY(installProgramTranslations(Language::English));
        QCOMPARE(runningLanguage(), Language::English);
    }
    void init() {
        // The real boxes and file dialogs: their texts are checked too.
        resetPrompts();
        programSettings().clear();
    }
    void cleanup() { tearDownTest(); }

    void noWindowMenuOrMessageShowsHangul() {
        const QString oldCurrent = QDir::currentPath();
        start();
        frame()->action(Command::ShowLayout)->setChecked(true);
        const QRegularExpression hangul(QStringLiteral("[\\x{1100}-\\x{11ff}\\x{3130}-\\x{318f}"
                                                       "\\x{ac00}-\\x{d7a3}]"));
        // Korean on purpose: the language item names Korean in its own
        // words, and the note after choosing Korean speaks Korean.
        const QString koreanItem = QCoreApplication::translate(kCommandTextContext, "한국어(&O)");
        const QStringList korean = {koreanItem, QString(koreanItem).remove(QLatin1Char('&')),
                                    QString::fromUtf8(kLanguageRestartNote)};
        QStringList found;
        QStringList stopsWithWindows;
        quilby::testing::takeTour(
            *app_, quilby::testing::tourStops(tmp_.path()), [&](const char* stop, QWidget* window) {
                if (window != frame()) {
                    stopsWithWindows << QString::fromLatin1(stop);
                }
                quilby::testing::forEachShownText(window, [&](const QString& where,
                                                              const QString& text) {
                    // The manual's pages (and the title they give their
                    // window) keep the Korean a keyboard or label shows;
                    // ManualTest checks their words.
                    const bool manualPage =
                        window->objectName() == QStringLiteral("manualWindow") &&
                        (where.contains(QStringLiteral("QTextBrowser")) ||
                         text == window->windowTitle());
                    if (manualPage || !text.contains(hangul) || korean.contains(text)) {
                        return;
                    }
                    found
                        << QStringLiteral("%1: %2: %3").arg(QString::fromLatin1(stop), where, text);
                });
            });
        found.removeDuplicates();
        for (const QString& place : found) {
            qWarning("Hangul in English: %s", qPrintable(place));
        }
        QVERIFY2(found.isEmpty(), "Hangul shown with English loaded (listed above)");
        // Each stop opened a window of its own (the first: the simulated
        // keyboard's): a stop that opens nothing checks nothing.
        QDir::setCurrent(oldCurrent);
        QStringList windowless;
        for (const auto& stop : quilby::testing::tourStops(tmp_.path())) {
            if (!stopsWithWindows.contains(QString::fromLatin1(stop.name))) {
                windowless << QString::fromLatin1(stop.name);
            }
        }
        QVERIFY2(windowless.isEmpty(), qPrintable(windowless.join(QStringLiteral("; "))));
    }

    // The View menu's choice is kept for the next start, said in the language
    // chosen, and loses to --lang; the running language stays checked.
    void languageChoiceIsRememberedForTheNextStart() {
        start();
        setUpTest(); // scripted prompts
        QAction* korean = frame()->action(Command::KoreanLanguage);
        QAction* english = frame()->action(Command::EnglishLanguage);
        QVERIFY(english->isChecked() && !korean->isChecked());
        english->trigger();
        QVERIFY(answers_.informations.isEmpty()); // already running
        korean->trigger();
        QVERIFY(korean->isChecked() && !english->isChecked());
        QCOMPARE(programSettings().value(QStringLiteral("Language")).toString(),
                 QStringLiteral("ko"));
        QCOMPARE(answers_.informations, QStringList{QString::fromUtf8(kLanguageRestartNote)});
        QCOMPARE(startupLanguage({}), Language::Korean);
        QCOMPARE(startupLanguage({QStringLiteral("--lang=en"), QStringLiteral("a.KEY")}),
                 Language::English);
        english->trigger();
        QCOMPARE(startupLanguage({}), Language::English);
        QCOMPARE(startupLanguage({QStringLiteral("--lang=ko")}), Language::Korean);
    }

    // Alt and a letter must reach one item in English too.
    void helpOpensTheEnglishManual() {
        resetManualViewerHooks();
        const auto manual = manualViewerHooks().findManual();
        QVERIFY(manual);
        QCOMPARE(QString::fromStdString(manual->filename().string()),
                 QStringLiteral("quilby-manual.en.html"));
    }

    void englishMenusHaveUniqueMnemonics() {
        start();
        QSet<int> titles;
        for (QAction* menuAction : frame()->menuBar()->actions()) {
            const int title = QKeySequence::mnemonic(menuAction->text())[0].toCombined();
            QVERIFY2(title != 0 && !titles.contains(title), qPrintable(menuAction->text()));
            titles.insert(title);
            QSet<int> keys;
            for (QAction* item : menuAction->menu()->actions()) {
                // The placeholder of the empty recent-file list cannot be picked.
                if (item->isSeparator() || !item->isVisible() ||
                    item->data().toInt() == static_cast<int>(Command::RecentFile)) {
                    continue;
                }
                const int key = QKeySequence::mnemonic(item->text())[0].toCombined();
                QVERIFY2(key != 0 && !keys.contains(key), qPrintable(item->text()));
                keys.insert(key);
            }
        }
    }
};

QTEST_MAIN(EnglishTextTest)
#include "EnglishTextTest.moc"
