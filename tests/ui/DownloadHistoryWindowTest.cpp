#include "link/qt/DownloadHistoryWindow.h"
#include "app/CommandTable.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/Sha256.h"
#include "document/KeyFileWriter.h"
#include "link/DownloadRecord.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>

using namespace quilby;

class DownloadHistoryWindowTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    // Two downloads recorded: the full table, then a one-key table.
    KeyTableData oneKey() const {
        KeyTableData t;
        t.setEntry(7, 0, {30, 0x1E61, "a"});
        t.entryCounts[7] = 1;
        return t;
    }
    void recordTwo() {
        const DownloadHistory history(DownloadHistory::defaultFolder());
        const KeyTableData full = quilby::testing::fullTable();
        QVERIFY(std::holds_alternative<std::uint64_t>(
            history.append(downloadRecordOf("/tills/full.KEY", buildDownloadImage(full),
                                            DownloadOutcome::Completed, 1960, 49.2, "varo"),
                           full)));
        QVERIFY(std::holds_alternative<std::uint64_t>(
            history.append(downloadRecordOf("", buildDownloadImage(oneKey()),
                                            DownloadOutcome::Aborted, 300, 7.5, "molbrix"),
                           oneKey())));
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() {
        setUpTest();
        programSettings().clear();
        std::filesystem::remove_all(DownloadHistory::defaultFolder());
    }
    void cleanup() { tearDownTest(); }

    // Newest first; the chosen record's table becomes a new, unsaved
    // document after the save prompt, and the window closes.
    void listsTheRecordsAndOpensAKeptTable() {
        recordTwo();
        start();
        bool checked = false;
        quilby::testing::onNextModal(this, [&](QDialog* dialog) {
            auto* w = qobject_cast<DownloadHistoryWindow*>(dialog);
            QVERIFY(w);
            QCOMPARE(w->windowTitle(), QString::fromUtf8("다운로드 기록"));
            QTreeWidget* list = w->list();
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("2"));
            QCOMPARE(list->topLevelItem(0)->text(2), QString::fromUtf8("중단"));
            QCOMPARE(list->topLevelItem(0)->text(6), QString::fromUtf8("(제목없음)"));
            QCOMPARE(list->topLevelItem(1)->text(5), QStringLiteral("varo"));
            QCOMPARE(list->topLevelItem(1)->text(6), QStringLiteral("/tills/full.KEY"));
            list->setCurrentItem(list->topLevelItem(1));
            w->openButton()->click();
            checked = true;
        });
        frame()->action(Command::DownloadHistory)->trigger();
        QVERIFY(checked);
        QVERIFY(!QApplication::activeModalWidget());
        DocumentController* doc = app_->document();
        QVERIFY(doc->data().sameTable(quilby::testing::fullTable()));
        QVERIFY(doc->core().untitled());
        QVERIFY(doc->isModified());
    }

    // A kept table that no longer matches its name is refused with a box.
    void aChangedKeptTableIsRefused() {
        recordTwo();
        const DownloadHistory history(DownloadHistory::defaultFolder());
        quilby::testing::writeBytes(
            QString::fromStdString(history.tablePath(sha256Hex(writeKeyFile(oneKey())))),
            "changed");
        DownloadHistoryWindow window(
            history.folder(), [](const KeyTableData&) { return true; }, nullptr);
        window.openSelected();
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.at(0).contains(QStringLiteral("SHA-256")));
        QVERIFY(window.result() != QDialog::Accepted);
    }
};

QTEST_MAIN(DownloadHistoryWindowTest)
#include "DownloadHistoryWindowTest.moc"
