#include "link/qt/VersionCheckDialog.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtFonts.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/QtLinkKeys.h"
#include "link/qt/SimulatorWindow.h"

#include "../support/UiTestSupport.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

using namespace quilby;

namespace {

std::string formOf(const KeyboardIdBuffer& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.data()));
}

void tapKey(QWidget* dialog, int evdev, Qt::Key key, const QString& text) {
    QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0, text);
        QApplication::sendEvent(target, &event);
    }
}

} // namespace

class VersionCheckDialogTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    // In the program: the simulated keyboard types into the dialog, and OK
    // decides the brand from what it typed.
    void typedIdentificationDecidesTheBrand() {
        struct Step {
            const char* name;
            int model;     // index of the simulator's model choice; -1: type `other`
            bool capsLock; // typed in upper case
            const char* other;
            bool ok; // else Cancel
            const char* typed;
            KeyboardBrand brand;
        };
        const Step steps[] = {
            {"molbrix", 1, false, "", true, " molbrixposkeyboard", KeyboardBrand::Molbrix},
            {"varo in capitals", 0, true, "", true, "VAROPOSKEYBOARD", KeyboardBrand::Varo},
            {"molbrix in capitals", 1, true, "", true, " MOLBRIXPOSKEYBOARD",
             KeyboardBrand::Molbrix},
            {"something else", -1, false, "SOMETHING ELSE", true, "something else",
             KeyboardBrand::Molbrix},
            {"varo, cancelled", 0, false, "", false, "varoposkeyboard", KeyboardBrand::Molbrix},
            {"varo", 0, false, "", true, "varoposkeyboard", KeyboardBrand::Varo},
        };
        Application app;
        QVERIFY(app.start({}, QStringLiteral("sim")));
        QCOMPARE(app.linkSettings().keyboardBrand, KeyboardBrand::Varo);
        SimulatorWindow* simulator = app.simulatorWindow();
        QVERIFY(simulator);
        for (const Step& s : steps) {
            // The forms are written again by every OK, whatever the brand.
            app.linkSettings().keyboardId = KeyboardIdBuffers{};
            app.simulator()->setCapsLock(s.capsLock);
            QString typed;
            bool focused = false;
            QObject watching;
            quilby::testing::onNextModal(&watching, [&](QDialog* d) {
                auto* dialog = qobject_cast<VersionCheckDialog*>(d);
                QVERIFY(dialog);
                const auto close = qScopeGuard([dialog] { dialog->done(QDialog::Rejected); });
                focused = dialog->focusWidget() == dialog->textField();
                if (s.model >= 0) {
                    simulator->modelChoice()->setCurrentIndex(s.model);
                    QTest::mouseClick(simulator->announceButton(), Qt::LeftButton);
                } else {
                    postTypedKeys(dialog->textField(),
                                  SimulatedKeyboard::typingOf(s.other, s.capsLock));
                }
                QTRY_COMPARE(dialog->textField()->text(), QString::fromLatin1(s.typed));
                typed = dialog->textField()->text();
                QTest::mouseClick(s.ok ? dialog->okButton() : dialog->cancelButton(),
                                  Qt::LeftButton);
            });
            app.mainWindow()->action(Command::VersionCheck)->trigger();
            QVERIFY2(focused, s.name);
            QVERIFY2(typed == QString::fromLatin1(s.typed), s.name);
            QVERIFY2(app.linkSettings().keyboardBrand == s.brand, s.name);
            if (s.ok) {
                const KeyboardIdForms forms = keyboardIdForms(s.brand);
                QVERIFY2(formOf(app.linkSettings().keyboardId.upper) == forms.upper, s.name);
                QVERIFY2(formOf(app.linkSettings().keyboardId.lower) == forms.lower, s.name);
            } else {
                QVERIFY2(formOf(app.linkSettings().keyboardId.upper).empty(), s.name);
            }
        }
        app.mainWindow()->close();
    }

    // Announced twice, then from the other model, with the dialog open: the
    // field holds the last announcement and the sentence names its model.
    void everyAnnouncementStartsTheFieldAfresh() {
        Application app;
        QVERIFY(app.start({}, QStringLiteral("sim")));
        SimulatorWindow* simulator = app.simulatorWindow();
        QVERIFY(simulator);
        QString verdict;
        QStringList buttons;
        QObject watching;
        quilby::testing::onNextModal(&watching, [&](QDialog* d) {
            auto* dialog = qobject_cast<VersionCheckDialog*>(d);
            QVERIFY(dialog);
            const auto close = qScopeGuard([dialog] { dialog->done(QDialog::Rejected); });
            buttons = {dialog->okButton()->text(), dialog->cancelButton()->text()};
            for (const int model : {0, 0, 1}) {
                simulator->modelChoice()->setCurrentIndex(model);
                QTest::mouseClick(simulator->announceButton(), Qt::LeftButton);
                QTRY_COMPARE(dialog->textField()->text(),
                             model == 0 ? QStringLiteral("varoposkeyboard")
                                        : QStringLiteral(" molbrixposkeyboard"));
                QTest::qWait(20);
            }
            verdict = dialog->verdictLabel()->text();
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        app.mainWindow()->action(Command::VersionCheck)->trigger();
        QCOMPARE(buttons, QStringList({QStringLiteral("확인"), QStringLiteral("취소")}));
        QVERIFY2(verdict.startsWith(QStringLiteral("MOLBRIX 키보드를 찾았습니다.")),
                 qPrintable(verdict));
        QCOMPARE(app.linkSettings().keyboardBrand, KeyboardBrand::Molbrix);
        app.mainWindow()->close();
    }

    void escapeAndEnterNeitherCloseNorConfirm() {
        LinkSettings settings;
        settings.keyboardBrand = KeyboardBrand::Molbrix;
        settings.selectKeyboardId();
        VersionCheckDialog dialog(settings);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Pos Keyboard Version Check"));
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.textField()));

        postTypedKeys(dialog.textField(), SimulatedKeyboard::typingOf("VAROPOSKEYBOARD", true));
        QTRY_COMPARE(dialog.textField()->text(), QStringLiteral("VAROPOSKEYBOARD"));
        for (QWidget* focus :
             std::vector<QWidget*>{dialog.textField(), dialog.okButton(), dialog.cancelButton()}) {
            focus->setFocus();
            tapKey(&dialog, 28, Qt::Key_Return, QStringLiteral("\r"));
            tapKey(&dialog, 1, Qt::Key_Escape, QStringLiteral("\x1b"));
        }
        QTest::qWait(20);
        QVERIFY(dialog.isVisible());
        QCOMPARE(settings.keyboardBrand, KeyboardBrand::Molbrix); // Enter pressed no OK
        QCOMPARE(dialog.textField()->text(), QStringLiteral("VAROPOSKEYBOARD"));

        dialog.okButton()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.keyboardBrand, KeyboardBrand::Varo);
    }

    void layoutKeepsEveryTextWhole() {
        LinkSettings settings;
        VersionCheckDialog dialog(settings);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (QPushButton* button : {dialog.okButton(), dialog.cancelButton()}) {
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        }
        const QPixmap picture = dialog.pictureLabel()->pixmap();
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() <= dialog.pictureLabel()->width());
        QVERIFY(picture.height() <= dialog.pictureLabel()->height());
        // The longest identification fits the field.
        const QFontMetrics metrics(dialog.textField()->font());
        QVERIFY(metrics.horizontalAdvance(QStringLiteral(" MOLBRIXPOSKEYBOARD")) <
                dialog.textField()->width() - 8);
    }
};

QTEST_MAIN(VersionCheckDialogTest)
#include "VersionCheckDialogTest.moc"
