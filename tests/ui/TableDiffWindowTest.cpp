#include "layout/qt/TableDiffWindow.h"
#include "app/CommandTable.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainView.h"
#include "app/qt/MainWindow.h"
#include "document/KeyFileWriter.h"
#include "layout/qt/KeyLayoutView.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QPointer>
#include <QTreeWidget>
#include <QtTest>

using namespace quilby;
using quilby::testing::writeBytes;

class TableDiffWindowTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    MainView* view() const { return frame()->view(); }
    KeyLayoutView* layout() const { return view()->layoutView(); }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() {
        setUpTest();
        programSettings().clear();
    }
    void cleanup() { tearDownTest(); }

    // The command asks for the other file, marks exactly the differing
    // cells, lists them, follows the document's edits and unmarks on close.
    void comparingMarksAndListsTheDifferingCells() {
        start();
        app_->document()->data() = quilby::testing::fullTable();
        KeyTableData other = quilby::testing::fullTable();
        other.keyTable[4].labels[0] = "x";
        other.entryCounts[60] = 3;
        answers_.openName = file(QStringLiteral("other.KEY"));
        writeBytes(answers_.openName, writeKeyFile(other));

        frame()->action(Command::CompareWithFile)->trigger();
        QPointer<TableDiffWindow> window = view()->comparison();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(view()->layoutShown());
        QCOMPARE(window->windowTitle(), QString::fromUtf8("다른 파일과 비교"));
        QCOMPARE(layout()->differing(), (std::vector<int>{4, 60}));
        QTreeWidget* list = window->list();
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QString::fromUtf8("04번 키"));
        QCOMPARE(list->topLevelItem(0)->child(0)->text(1),
                 QString::fromUtf8("라벨 \"한/영\" → \"x\""));
        QCOMPARE(list->topLevelItem(1)->text(1), QString::fromUtf8("항목 수 20 → 3"));
        list->setCurrentItem(list->topLevelItem(1));
        QCOMPARE(layout()->selected(), 60);

        // An edit that makes position 4 the same leaves only 60 marked.
        app_->document()->data().keyTable[4].labels[0] = "x";
        app_->document()->notifyTableChanged();
        QCOMPARE(layout()->differing(), (std::vector<int>{60}));

        // A second comparison replaces the first; its marks stay.
        other.entryCounts[61] = 2;
        writeBytes(answers_.openName, writeKeyFile(other));
        frame()->action(Command::CompareWithFile)->trigger();
        QVERIFY(view()->comparison() != window);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(layout()->differing(), (std::vector<int>{60, 61}));

        view()->comparison()->close();
        QTRY_VERIFY(!view()->comparison());
        QVERIFY(layout()->differing().empty());
    }

    void anUnreadableFileIsSaidAndNothingOpens() {
        start();
        answers_.openName = file(QStringLiteral("missing.KEY"));
        frame()->action(Command::CompareWithFile)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.at(0).contains(QStringLiteral("missing.KEY")));
        QVERIFY(!view()->comparison());
    }
};

QTEST_MAIN(TableDiffWindowTest)
#include "TableDiffWindowTest.moc"
