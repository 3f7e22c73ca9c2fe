#include "editing/qt/KeyTesterWindow.h"

#include "common/qt/QtFonts.h"
#include "editing/DefaultKeyTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace quilby;

namespace {

constexpr int kEvdevA = 30;

// A key event as the platform sends it: the native scan code is the X key
// code, evdev + 8.
void send(QWidget& target, QEvent::Type type, int evdev, Qt::Key key, const char* text) {
    QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0,
                    QString::fromLatin1(text));
    QApplication::sendEvent(&target, &event);
}

QPushButton* button(const KeyTesterWindow& window, const QString& text) {
    for (auto* b : window.findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    return nullptr;
}

} // namespace

class KeyTesterWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installKoreanFonts(); }

    void pressesAreListedInOrderAndTheListClears() {
        const KeyTableData table = buildDefaultKeyTable();
        KeyTesterWindow window(table);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        QSignalSpy matched(&window, &KeyTesterWindow::matched);
        QCOMPARE(window.windowTitle(), QStringLiteral("키 테스트"));

        // A key typed on the window ends as a press once its pause has passed.
        send(window, QEvent::KeyPress, kEvdevA, Qt::Key_A, "a");
        send(window, QEvent::KeyRelease, kEvdevA, Qt::Key_A, "a");
        QTRY_COMPARE(window.pressList()->count(), 1);
        QCOMPARE(window.pressList()->item(0)->text(), QStringLiteral("1. 1e61 a  →  키 07"));
        QVERIFY(window.pressList()->item(0)->foreground() != QBrush(Qt::red));
        QCOMPARE(matched.count(), 1);
        QCOMPARE(matched.takeFirst().at(0).value<QList<int>>(), (QList<int>{7}));

        // b and a in one burst: no position holds that, and the line says so in red.
        for (const KeyEvent& event : {KeyEvent{KeyEventKind::KeyDown, 0x42, 48},
                                      KeyEvent{KeyEventKind::Character, 0x62, 48},
                                      KeyEvent{KeyEventKind::KeyDown, 0x41, 30},
                                      KeyEvent{KeyEventKind::Character, 0x61, 30}}) {
            window.tester().feed(event, {}, -1000);
        }
        window.poll();
        QCOMPARE(window.pressList()->count(), 2);
        QCOMPARE(window.pressList()->item(1)->text(),
                 QStringLiteral("2. 3062 b, 1e61 a  →  일치하는 키 없음"));
        QCOMPARE(window.pressList()->item(1)->foreground(), QBrush(Qt::red));
        QCOMPARE(matched.takeFirst().at(0).value<QList<int>>(), QList<int>{});

        QPushButton* clear = button(window, QStringLiteral("목록 지우기"));
        QVERIFY(clear);
        QVERIFY(button(window, QStringLiteral("닫기")));
        clear->click();
        QCOMPARE(window.pressList()->count(), 0);
        QVERIFY(window.tester().presses().empty());
        QCOMPARE(matched.count(), 1);
        // Numbering starts again after the list is cleared.
        send(window, QEvent::KeyPress, kEvdevA, Qt::Key_A, "a");
        send(window, QEvent::KeyRelease, kEvdevA, Qt::Key_A, "a");
        QTRY_COMPARE(window.pressList()->count(), 1);
        QVERIFY(window.pressList()->item(0)->text().startsWith(QStringLiteral("1. ")));
    }

    // The keys the key editor keeps for itself reach the tester as keys of
    // their own, and none of them closes the window (Esc included).
    void keysTheEditorKeepsAreListed() {
        const KeyTableData table = buildDefaultKeyTable();
        KeyTesterWindow window(table);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        struct Key {
            int evdev;
            Qt::Key key;
            const char* text;
            const char* line;
        };
        const Key keys[] = {
            {1, Qt::Key_Escape, "\x1b", "1. 011b Esc  →  키 00"},
            {14, Qt::Key_Backspace, "\b", "2. 0e08 BackSpace  →  키 93"},
            {105, Qt::Key_Left, "", "3. 4be0 Left  →  키 55"},
            {29, Qt::Key_Control, "", "4. 0000 Left Ctrl  →  일치하는 키 없음"},
            {kEvdevA, Qt::Key_A, "a", "5. 1e61 a  →  키 07"},
        };
        int count = 0;
        for (const Key& k : keys) {
            send(window, QEvent::KeyPress, k.evdev, k.key, k.text);
            send(window, QEvent::KeyRelease, k.evdev, k.key, k.text);
            ++count;
            QTRY_COMPARE(window.pressList()->count(), count);
            QCOMPARE(window.pressList()->item(count - 1)->text(), QString::fromUtf8(k.line));
        }
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(KeyTesterWindowTest)
#include "KeyTesterWindowTest.moc"
