#include "editing/qt/KeyChordDialog.h"

#include "common/qt/QtFonts.h"

#include <QListWidget>
#include <QtTest>

using namespace quilby;

class KeyChordDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installKoreanFonts(); }

    void specialKeyReferenceListsFiftyItemsInTwoColumns() {
        KeyChordDialog dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("특수키 조합"));
        QListWidget* list = dialog.chordList();
        QCOMPARE(list->count(), 50);
        QCOMPARE(list->item(0)->text(), QStringLiteral("  PrintScreen"));
        QCOMPARE(list->item(25)->text(), QStringLiteral("Ctrl + Shift + A"));
        QCOMPARE(list->item(49)->text(), QStringLiteral("Ctrl + Shift + Y"));
        // Each chord stands on the line of its key, in the second column.
        for (int r = 0; r < 25; ++r) {
            const QRect name = list->visualItemRect(list->item(r));
            const QRect chord = list->visualItemRect(list->item(25 + r));
            QCOMPARE(chord.top(), name.top());
            QVERIFY(chord.left() > name.left());
        }
        QCOMPARE(list->item(13)->text(), QStringLiteral("  Up Arrow"));
        QCOMPARE(list->selectionMode(), QAbstractItemView::NoSelection);
    }
};

QTEST_MAIN(KeyChordDialogTest)
#include "KeyChordDialogTest.moc"
