#include "editing/qt/KeyEditDialog.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtFonts.h"
#include "document/KeyDocument.h"

#include "../support/UiTestSupport.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace quilby;

namespace {

// Linux input key codes; the X key code in nativeScanCode is this + 8.
enum Evdev : int {
    kEsc = 1,
    kOne = 2,
    kBackSpace = 14,
    kO = 24,
    kA = 30,
    kLeftShift = 42,
    kLeftCtrl = 29,
    kLeftAlt = 56,
    kRightShift = 54,
    kCapsLock = 58,
    kF1 = 59,
    kF6 = 64,
    kNumLock = 69,
    kKeypad7 = 71,
    kKeypad8 = 72,
    kUp = 103,
    kLeftArrow = 105,
    kRightArrow = 106,
    kDown = 108,
};

struct TestKey {
    int evdev;
    Qt::Key key;
    const char* text;
};

TestKey testKey(int evdev) {
    switch (evdev) {
    case kEsc:
        return {evdev, Qt::Key_Escape, "\x1b"};
    case kOne:
        return {evdev, Qt::Key_1, "1"};
    case kBackSpace:
        return {evdev, Qt::Key_Backspace, "\b"};
    case kO:
        return {evdev, Qt::Key_O, "o"};
    case kA:
        return {evdev, Qt::Key_A, "a"};
    case kLeftShift:
        return {evdev, Qt::Key_Shift, ""};
    case kLeftCtrl:
        return {evdev, Qt::Key_Control, ""};
    case kLeftAlt:
        return {evdev, Qt::Key_Alt, ""};
    case kF6:
        return {evdev, Qt::Key_F6, ""};
    case kF1:
        return {evdev, Qt::Key_F1, ""};
    case kRightShift:
        return {evdev, Qt::Key_Shift, ""};
    case kCapsLock:
        return {evdev, Qt::Key_CapsLock, ""};
    case kNumLock:
        return {evdev, Qt::Key_NumLock, ""};
    case kKeypad7:
        return {evdev, Qt::Key_7, "7"};
    case kKeypad8:
        return {evdev, Qt::Key_8, "8"};
    case kUp:
        return {evdev, Qt::Key_Up, ""};
    case kLeftArrow:
        return {evdev, Qt::Key_Left, ""};
    case kRightArrow:
        return {evdev, Qt::Key_Right, ""};
    case kDown:
        return {evdev, Qt::Key_Down, ""};
    default:
        return {evdev, Qt::Key_unknown, ""};
    }
}

// Sends a key event with its native X key code, as the platform would, to
// the control that has the focus.
void send(KeyEditDialog& dialog, QEvent::Type type, int evdev, bool autoRepeat = false) {
    const TestKey s = testKey(evdev);
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QKeyEvent event(type, s.key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0,
                    QString::fromLatin1(s.text), autoRepeat);
    QApplication::sendEvent(target, &event);
}
void press(KeyEditDialog& d, int evdev) {
    send(d, QEvent::KeyPress, evdev);
}
void release(KeyEditDialog& d, int evdev) {
    send(d, QEvent::KeyRelease, evdev);
}
void tap(KeyEditDialog& d, int evdev) {
    press(d, evdev);
    release(d, evdev);
}
// Plays "+42 +71 *71 -42 -71": presses (+), auto-repeats (*, as the platform
// sends them: a release and a press, both marked) and releases (-) by evdev code.
void play(KeyEditDialog& d, const QString& script) {
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const int evdev = step.mid(1).toInt();
        if (step.startsWith('*')) {
            send(d, QEvent::KeyRelease, evdev, true);
            send(d, QEvent::KeyPress, evdev, true);
        } else {
            step.startsWith('+') ? press(d, evdev) : release(d, evdev);
        }
    }
}

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

// What the eight entry lists show, group by group: "words | labels".
QStringList shown(const KeyEditDialog& d) {
    QStringList out;
    for (int group = 0; group < 4; ++group) {
        out << items(d.entryList(wordList(group))).join(' ') + " | " +
                   items(d.entryList(labelList(group))).join(' ');
    }
    return out;
}

void fill(KeyTableData& t, int key, int count) {
    t.entryCounts[static_cast<std::size_t>(key)] = count;
    for (int e = 0; e < count; ++e) {
        t.setEntry(key, e,
                   {static_cast<std::uint8_t>(e + 1), static_cast<std::uint16_t>(0x1e61 + e),
                    std::string(1, static_cast<char>('a' + e))});
    }
}

} // namespace

class KeyEditDialogTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() { setUpTest(); }
    void cleanup() { tearDownTest(); }

    void layoutAndStartFromTheDocument_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << 0 << QStringList{" | ", " | ", " | ", " | "};
        QTest::newRow("seven") << 7
                               << QStringList{"1e61 1e62 1e63 1e64 1e65 | a b c d e",
                                              "1e66 1e67 | f g", " | ", " | "};
        QTest::newRow("twenty") << 20
                                << QStringList{"1e61 1e62 1e63 1e64 1e65 | a b c d e",
                                               "1e66 1e67 1e68 1e69 1e6a | f g h i j",
                                               "1e6b 1e6c 1e6d 1e6e 1e6f | k l m n o",
                                               "1e70 1e71 1e72 1e73 1e74 | p q r s t"};
    }

    void layoutAndStartFromTheDocument() {
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        KeyDocument doc;
        fill(doc.data(), 0, count);
        doc.data().tableLoaded = true;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("VARO POS keyboard EDIT : BackSpace = Input key Delete!"));
        QCOMPARE(shown(dialog), expected);
        QCOMPARE(dialog.editor().currentEntry(), count - 1);
        QCOMPARE(dialog.keyButton(0)->text(), QStringLiteral("00"));
        QCOMPARE(dialog.keyButton(7)->text(), QStringLiteral("49"));
        QCOMPARE(dialog.keyButton(97)->text(), QStringLiteral("97"));
        QCOMPARE(dialog.specialKeyList()->topLevelItemCount(), 25);
        QVERIFY(dialog.specialKeyList()->isHeaderHidden());
        QCOMPARE(dialog.specialKeyList()->topLevelItem(3)->text(0).left(1), QStringLiteral(" "));
        QCOMPARE(dialog.specialKeyList()->topLevelItem(22)->text(0),
                 QStringLiteral("한/영       : Ctrl+Shift+W"));
        QCOMPARE(dialog.okButton()->text(), QStringLiteral("확인(OK)"));
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("취소(ESC)"));
        // Five items side by side fit their line.
        for (const EntryList entries : kEntryLists) {
            QListWidget* list = dialog.entryList(entries);
            for (int i = 0; i < list->count(); ++i) {
                QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(i))));
            }
        }
    }

    void typingMakesEntries() {
        KeyDocument doc;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("NEW POS keyboard : BackSpace = Input key Delete!"));

        tap(dialog, kA);
        press(dialog, kLeftShift); // Shift held + a
        tap(dialog, kA);
        release(dialog, kLeftShift);
        press(dialog, kLeftCtrl); // Ctrl held + O
        tap(dialog, kO);
        release(dialog, kLeftCtrl);
        QCOMPARE(shown(dialog).front(),
                 QStringLiteral("1e61 0000 1e41 0000 180f | a Shift A Ctrl O"));

        tap(dialog, kLeftAlt); // Alt, then F6
        tap(dialog, kF6);
        QCOMPARE(shown(dialog)[1], QStringLiteral("0000 6300 | Alt F6"));

        press(dialog, kLeftCtrl); // Ctrl+Shift+A: one special-key entry
        press(dialog, kLeftShift);
        tap(dialog, kA);
        release(dialog, kLeftShift);
        release(dialog, kLeftCtrl);
        QCOMPARE(dialog.editor().workingTable().entryCounts[0], 8);
        QCOMPARE(dialog.editor().workingTable().keyTable[0].labels[7], std::string("PrintScreen"));

        tap(dialog, kBackSpace);
        tap(dialog, kBackSpace);
        QCOMPARE(shown(dialog)[1], QStringLiteral("0000 | Alt"));
        QCOMPARE(dialog.editor().workingTable().entryCounts[0], 6);
        QCOMPARE(doc.data().entryCounts[0], 0); // the document waits for OK
    }

    // NumLock on; Shift and a keypad key in every order, then Shift+F1 (or,
    // with CapsLock, Shift+a): the Shift lifted for the keypad key is never
    // taken from the next combination.
    void keypadUnderShiftInEveryOrder_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("shown");
        const QString shiftF1 = QStringLiteral(" +42 +59 -59 -42");
        const QString homeThenShiftF1 =
            QStringLiteral("0000 4700 0000 5400 | Shift Home7 Shift F1");
        QTest::newRow("keypad up first") << "+42 +71 -71 -42" + shiftF1 << homeThenShiftF1;
        QTest::newRow("Shift up first") << "+42 +71 -42 -71" + shiftF1 << homeThenShiftF1;
        QTest::newRow("right Shift up first") << "+54 +71 -54 -71" + shiftF1 << homeThenShiftF1;
        QTest::newRow("keypad repeated") << "+42 +71 *71 -42 -71" + shiftF1
                                         << "0000 4700 4700 0000 5400 | Shift Home7 Home7 Shift F1";
        QTest::newRow("two keypad keys") << "+42 +71 +72 -42 -72 -71" + shiftF1
                                         << "0000 4700 4800 0000 5400 | Shift Home7 Up8 Shift F1";
        QTest::newRow("both Shift keys") << "+42 +54 +71 -54 -71 -42" + shiftF1 << homeThenShiftF1;
        QTest::newRow("Shift up first, CapsLock, Shift+a")
            << "+42 +71 -42 -71 +58 -58 +42 +30 -30 -42"
            << "0000 4700 0000 1e61 | Shift Home7 Shift a";
    }

    void keypadUnderShiftInEveryOrder() {
        QFETCH(QString, script);
        QFETCH(QString, shown);
        KeyDocument doc;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        tap(dialog, kNumLock);
        play(dialog, script);
        QCOMPARE(::shown(dialog).front(), shown);
        QCOMPARE(dialog.editor().beepCount(), 0);
    }

    void keepsItsSizeSoOkAndCancelStayReachable() {
        KeyDocument doc;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        const QSize size = dialog.size();
        dialog.resize(size / 2);
        QCOMPARE(dialog.size(), size);
        for (const QWidget* button : {static_cast<QWidget*>(dialog.okButton()),
                                      static_cast<QWidget*>(dialog.cancelButton())}) {
            QVERIFY(dialog.rect().contains(button->geometry()));
        }
    }

    void arrowsSelectPositions() {
        KeyDocument doc;
        fill(doc.data(), 43, 2);
        doc.data().tableLoaded = true;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        struct Step {
            int key;
            int position;
        };
        // Up from 00 reaches 43 and Down comes back; Left from 00 reaches the
        // special-key list (position 0), Right from there 43.
        const Step steps[] = {
            {kUp, 43}, {kDown, 0}, {kLeftArrow, 0}, {kRightArrow, 43}, {kRightArrow, 44}};
        for (const auto& s : steps) {
            tap(dialog, s.key);
            QCOMPARE(dialog.editor().currentKey(), s.position);
        }
        tap(dialog, kLeftArrow);
        QCOMPARE(dialog.editor().currentKey(), 43);
        QCOMPARE(shown(dialog).front(), QStringLiteral("1e61 1e62 | a b"));
        QVERIFY(dialog.keyButton(85)->isDefault()); // "43" is at place 85
        QVERIFY(!dialog.keyButton(86)->isDefault());
        QCOMPARE(dialog.focusWidget(), dialog.keyButton(85));
    }

    void okCommitsEverythingAndCancelNothing() {
        KeyDocument doc;
        fill(doc.data(), 5, 3);
        doc.data().keyTable[5].codes[10] = 99; // spare slot data goes back unchanged
        doc.data().tableLoaded = true;
        {
            KeyEditDialog dialog(doc.data());
            dialog.show();
            tap(dialog, kA);
            dialog.reject();
        }
        QCOMPARE(doc.data().entryCounts[0], 0);
        {
            KeyEditDialog dialog(doc.data());
            dialog.show();
            tap(dialog, kOne);
            dialog.okButton()->click();
        }
        // Marking the document modified is the opener's part: see the menu test.
        QCOMPARE(doc.data().entryCounts[0], 1);
        QCOMPARE(doc.data().keyTable[0].words[0], 0x0231);
        QCOMPARE(doc.data().entryCounts[5], 3);
        QCOMPARE(doc.data().keyTable[5].codes[10], 99);
    }

    void escCancelsUnlessAltIsPending() {
        KeyDocument doc;
        KeyEditDialog dialog(doc.data());
        dialog.show();
        tap(dialog, kLeftAlt);
        tap(dialog, kEsc);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        tap(dialog, kF6); // Alt is still pending: Alt F6
        QCOMPARE(dialog.editor().workingTable().entryCounts[0], 2);
        tap(dialog, kEsc);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Rejected));
        QCOMPARE(doc.data().entryCounts[0], 0);
    }

    void editorOpensFromTheMenuAndShortcutsStayQuiet() {
        Application app;
        QVERIFY(app.start({}, QStringLiteral("sim")));
        QString caption;
        int entries = -1;
        quilby::testing::onNextModal(this, [&](QDialog* d) {
            auto* dialog = qobject_cast<KeyEditDialog*>(d);
            QVERIFY(dialog);
            caption = dialog->windowTitle();
            press(*dialog, kLeftCtrl);
            tap(*dialog, kO);
            release(*dialog, kLeftCtrl);
            entries = dialog->editor().workingTable().entryCounts[0];
            dialog->okButton()->click();
        });
        app.mainWindow()->action(Command::EditKeys)->trigger();
        QCOMPARE(caption, QStringLiteral("VARO POS keyboard EDIT : BackSpace = Input key Delete!"));
        QCOMPARE(entries, 2);
        QCOMPARE(answers_.openQuestions, 0); // Ctrl+O did not run Open
        QVERIFY(app.document()->isModified());
        QVERIFY(app.document()->data().tableLoaded);

        // New, then Cancel in the editor: empty, untitled, not modified.
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        quilby::testing::onNextModal(this, [](QDialog* d) { d->reject(); });
        app.mainWindow()->action(Command::NewFile)->trigger();
        QCOMPARE(app.document()->title(), QStringLiteral("제목없음"));
        QCOMPARE(app.document()->data().entryCounts[0], 0);
        QVERIFY(!app.document()->isModified());
        answers_.saveName.clear();
        app.mainWindow()->action(Command::SaveFile)->trigger(); // asks for a name: untitled
        QVERIFY(app.document()->path().isEmpty());
        app.mainWindow()->close();
    }
};

QTEST_MAIN(KeyEditDialogTest)
#include "KeyEditDialogTest.moc"
