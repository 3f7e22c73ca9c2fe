#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtTranslations.h"
#include "editing/qt/KeyEditDialog.h"
#include "editing/qt/KeyTesterWindow.h"
#include "help/qt/ManualWindow.h"
#include "link/qt/SimulatorWindow.h"

#include "../support/UiTestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using namespace quilby;

namespace {

// Why `window` does not fit its screen, or an empty text when it does: its
// frame lies on the screen's free area and every button inside the window.
QString misfit(QWidget* window) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const auto rectText = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    if (!area.contains(frame)) {
        return QStringLiteral("%1: frame %2 outside %3")
            .arg(window->metaObject()->className(), rectText(frame), rectText(area));
    }
    // An option's or check box's label shows whole and no two overlap.
    QList<QAbstractButton*> choices;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if ((qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button)) &&
            button->isVisibleTo(window)) {
            choices.append(button);
        }
    }
    for (QAbstractButton* choice : choices) {
        if (choice->sizeHint().width() > choice->width()) {
            return QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                .arg(window->metaObject()->className(), choice->text())
                .arg(choice->sizeHint().width())
                .arg(choice->width());
        }
        const QRect at(choice->mapTo(window, QPoint(0, 0)), choice->size());
        for (QAbstractButton* other : choices) {
            const QRect there(other->mapTo(window, QPoint(0, 0)), other->size());
            if (other != choice && at.intersects(there)) {
                return QStringLiteral("%1: \"%2\" overlaps \"%3\"")
                    .arg(window->metaObject()->className(), choice->text(), other->text());
            }
        }
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        const QRect at(button->mapTo(window, QPoint(0, 0)), button->size());
        if (button->isVisibleTo(window) && !window->rect().contains(at)) {
            return QStringLiteral("%1: button \"%2\" at %3 outside %4")
                .arg(window->metaObject()->className(), button->text(), rectText(at),
                     rectText(window->rect()));
        }
    }
    return {};
}

} // namespace

// Run on a 1280 x 1024 screen at the scales 1, 1.5 and 2 (QT_SCALE_FACTOR,
// see tests/CMakeLists.txt), each in Korean and in English (the desktop's
// language, as the program takes it), and on the offscreen platform's own screen.
class ScreenFitTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        setUpCase();
        // English is longer: every fixed dialog must hold it too.
        const Language language = startupLanguage({});
        QVERIFY(installProgramTranslations(language) || language == Language::Korean);
    }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void theWindowsOpenOnTheScreen() {
        start();
        QVERIFY(QTest::qWaitForWindowExposed(frame()));
        QCOMPARE(misfit(frame()), QString());
        QVERIFY(app_->simulatorWindow());
        QVERIFY(QTest::qWaitForWindowExposed(app_->simulatorWindow()));
        QCOMPARE(misfit(app_->simulatorWindow()), QString());
        // Opened beside the main window, the tester may not leave the screen either.
        frame()->action(Command::KeyTester)->trigger();
        auto* tester = frame()->findChild<KeyTesterWindow*>();
        QVERIFY(tester);
        QCOMPARE(misfit(tester), QString());
        // The manual asks for 860 x 760, more than a magnified screen has.
        ManualWindow* manual = showManual(frame());
        QVERIFY(manual);
        QVERIFY(QTest::qWaitForWindowExposed(manual));
        QCOMPARE(misfit(manual), QString());
        manual->close();
    }

    // Every dialog the menus open fits, its buttons on the screen.
    void everyDialogFits() {
        // EPROM & MCR reads MCR.OPN in the current folder before it opens.
        QDir::setCurrent(tmp_.path());
        quilby::testing::writeBytes(file(QStringLiteral("MCR.OPN")), std::string("2\0\0\0", 4));
        start();
        const Command commands[] = {Command::EditKeys,        Command::SpecialKeys,
                                    Command::ShowDefaultKeys, Command::VersionCheck,
                                    Command::EpromMcr,        Command::Download,
                                    Command::About,           Command::DownloadHistory};
        for (const Command command : commands) {
            QString problem =
                QStringLiteral("no dialog opened for command %1").arg(static_cast<int>(command));
            QObject watching;
            quilby::testing::onNextModal(&watching, [&](QDialog* d) {
                problem = misfit(d);
                d->done(QDialog::Rejected);
            });
            frame()->action(command)->trigger();
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
    }

    // The key editor's OK and Cancel stay on the screen, whatever the scale.
    void theKeyEditorKeepsOkAndCancelOnScreen() {
        start();
        KeyTableData table;
        KeyEditDialog dialog(table, frame());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(misfit(&dialog), QString());
        const QRect area = dialog.screen()->availableGeometry();
        for (QPushButton* button : {dialog.okButton(), dialog.cancelButton()}) {
            const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(area.contains(onScreen), qPrintable(button->text()));
        }
    }
};

QTEST_MAIN(ScreenFitTest)
#include "ScreenFitTest.moc"
