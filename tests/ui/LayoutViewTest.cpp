#include "app/CommandTable.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainView.h"
#include "app/qt/MainWindow.h"
#include "document/KeyFileWriter.h"
#include "editing/DefaultKeyTable.h"
#include "editing/EntryClipboard.h"
#include "editing/KeyTrace.h"
#include "editing/qt/KeyEditDialog.h"
#include "editing/qt/KeyTesterWindow.h"
#include "layout/KeyLayout.h"
#include "layout/qt/KeyLayoutView.h"
#include "layout/qt/LayoutPage.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>

using namespace quilby;
using quilby::testing::readBytes;
using quilby::testing::writeBytes;

class LayoutViewTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    DocumentController* doc() const { return app_->document(); }
    MainView* view() const { return frame()->view(); }
    KeyLayoutView* layout() const { return view()->layoutView(); }
    void command(Command command) { frame()->action(command)->trigger(); }

    // The program with `table` opened from a file and the layout shown.
    void startWith(const KeyTableData& table) {
        start();
        const QString path = file(QStringLiteral("table.KEY"));
        writeBytes(path, writeKeyFile(table));
        QVERIFY(app_->openDocumentFile(path));
        if (!view()->layoutShown()) {
            command(Command::ShowLayout);
        }
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() {
        setUpTest();
        programSettings().clear();
    }
    void cleanup() { tearDownTest(); }

    void layoutViewIsAToggleRememberedAcrossRuns() {
        start();
        QVERIFY(!view()->layoutShown()); // the notes stay the default view
        QAction* action = frame()->action(Command::ShowLayout);
        QVERIFY(action->isCheckable());
        QCOMPARE(action->toolTip(), QStringLiteral("키 배치"));
        QVERIFY(!frame()->action(Command::Copy)->isEnabled());
        command(Command::ShowLayout);
        QVERIFY(view()->layoutShown());
        QVERIFY(action->isChecked());
        QCOMPARE(view()->widget(), static_cast<QWidget*>(layout()));
        QVERIFY(frame()->action(Command::Copy)->isEnabled());
        tearDownTest();
        setUpTest();
        start();
        QVERIFY(view()->layoutShown());
        QVERIFY(frame()->action(Command::ShowLayout)->isChecked());
        command(Command::ShowLayout);
        QVERIFY(!view()->layoutShown());
    }

    void keysSelectAndEnterOpensTheEditorOnTheCell() {
        startWith(quilby::testing::fullTable());
        struct Step {
            Qt::Key key;
            int selected;
        };
        const Step steps[] = {{Qt::Key_Right, 1}, {Qt::Key_Down, 8}, {Qt::Key_Home, 0},
                              {Qt::Key_Left, 0},  {Qt::Key_Up, 0},   {Qt::Key_Right, 1}};
        for (const auto& s : steps) {
            QTest::keyClick(layout(), s.key);
            QCOMPARE(layout()->selected(), s.selected);
        }
        int editorKey = -1;
        quilby::testing::onNextModal(this, [&](QDialog* dialog) {
            editorKey = static_cast<KeyEditDialog*>(dialog)->editor().currentKey();
            dialog->accept();
        });
        QTest::keyClick(layout(), Qt::Key_Return);
        QCOMPARE(editorKey, 1);
        // An OK that changed nothing changes nothing: no modified mark that
        // Undo could not take back.
        QVERIFY(!doc()->isModified());
        QCOMPARE(doc()->undoStack()->count(), 0);
    }

    void editsAreUndoneBackToTheSavedState() {
        const KeyTableData full = quilby::testing::fullTable();
        startWith(full);
        layout()->select(0);
        command(Command::Copy);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromStdString(entriesText(entriesAt(full, 0))));
        layout()->select(1);
        command(Command::Paste);
        QCOMPARE(entriesAt(doc()->data(), 1), entriesAt(full, 0));
        QVERIFY(doc()->isModified());
        QCOMPARE(frame()->action(Command::Undo)->text(),
                 QStringLiteral("실행 취소(&U) 붙여넣기 01"));
        QCOMPARE(frame()->action(Command::Undo)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Z")));

        command(Command::Undo);
        QVERIFY(doc()->data().sameTable(full));
        QVERIFY(!doc()->isModified());
        command(Command::Redo);
        QCOMPARE(entriesAt(doc()->data(), 1), entriesAt(full, 0));
        QVERIFY(doc()->isModified());

        // Saving moves the clean state: undoing now marks it modified again.
        command(Command::SaveFile);
        QVERIFY(!doc()->isModified());
        layout()->select(5);
        command(Command::Cut);
        QCOMPARE(doc()->data().entryCounts[5], 0);
        // An empty cell has nothing to cut or delete; Copy and Paste stay.
        QVERIFY(!frame()->action(Command::Cut)->isEnabled());
        QVERIFY(!frame()->action(Command::Delete)->isEnabled());
        QVERIFY(frame()->action(Command::Copy)->isEnabled());
        QVERIFY(frame()->action(Command::Paste)->isEnabled());
        command(Command::Delete); // disabled: no step
        layout()->select(6);
        QVERIFY(frame()->action(Command::Cut)->isEnabled());
        Q_EMIT layout()->swapRequested(2, 97);
        QCOMPARE(entriesAt(doc()->data(), 97), entriesAt(full, 2));
        QCOMPARE(doc()->undoStack()->count(), 3);
        command(Command::Undo);
        command(Command::Undo);
        QVERIFY(!doc()->isModified());
        QCOMPARE(entriesAt(doc()->data(), 5), entriesAt(full, 5));
        QVERIFY(!frame()->action(Command::Undo)->isEnabled() || doc()->undoStack()->canUndo());

        // Opening another file starts a new history.
        QVERIFY(app_->openDocumentFile(file(QStringLiteral("table.KEY"))));
        QCOMPARE(doc()->undoStack()->count(), 0);
        QVERIFY(!frame()->action(Command::Undo)->isEnabled());
    }

    void badClipboardTextIsRefusedWithAMessage() {
        const KeyTableData full = quilby::testing::fullTable();
        startWith(full);
        layout()->select(4);
        QApplication::clipboard()->setText(QStringLiteral("1e61 a\nnot a key"));
        command(Command::Paste);
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.front().contains(QStringLiteral("2번째 줄")));
        QVERIFY(doc()->data().sameTable(full));
        QVERIFY(!doc()->isModified());

        // Text from a mail is taken when every line is a known word.
        QApplication::clipboard()->setText(QStringLiteral("1e61 a\n1c0d Enter\n"));
        command(Command::Paste);
        QCOMPARE(doc()->data().entryCounts[4], 2);
        QCOMPARE(doc()->data().keyTable[4].words[1], 0x1c0d);
    }

    void keyEditorOkIsOneUndoStep() {
        startWith(quilby::testing::fullTable());
        const KeyTableData before = doc()->data();
        layout()->select(30);
        quilby::testing::onNextModal(this, [](QDialog* dialog) {
            // BackSpace through the capture: the last entry of 30 goes.
            auto* editor = static_cast<KeyEditDialog*>(dialog);
            const_cast<KeyEditor&>(editor->editor()).deleteLastEntry();
            dialog->accept();
        });
        Q_EMIT layout()->editRequested(30);
        QCOMPARE(doc()->data().entryCounts[30], 19);
        QCOMPARE(doc()->undoStack()->count(), 1);
        QCOMPARE(doc()->undoStack()->undoText(), QStringLiteral("키 편집"));
        command(Command::Undo);
        QVERIFY(doc()->data().sameTable(before));
        QVERIFY(!doc()->isModified());
    }

    void keyTesterShowsAndHighlightsWhatWasPressed() {
        startWith(buildDefaultKeyTable());
        layout()->select(30);
        command(Command::KeyTester);
        KeyTesterWindow* tester = view()->keyTester();
        QVERIFY(tester);
        QCOMPARE(tester->windowTitle(), QStringLiteral("키 테스트"));
        const char* lines[] = {"keydown 0x41 30", "char 0x61 30", "keyup 0x41 30",
                               "keydown 0x42 48", "char 0x62 48", "keyup 0x42 48"};
        // Two bursts a second apart, long before the window's clock began.
        std::int64_t ms = -5000;
        for (const char* line : lines) {
            const auto steps = std::get<std::vector<KeyTraceStep>>(parseKeyTrace(line));
            tester->tester().feed(steps.front().event, {}, ms += 2);
            if (QByteArray(line).startsWith("keyup 0x41")) {
                ms += 1000;
            }
        }
        tester->poll();
        QCOMPARE(tester->pressList()->count(), 2);
        QVERIFY(tester->pressList()->item(0)->text().contains(QStringLiteral("키 07")));
        QCOMPARE(layout()->highlighted(), (std::vector<int>{8}));
        // Only highlighted: Del and the edits still act on the user's selection.
        QCOMPARE(layout()->selected(), 30);
        // The highlight has a fill of its own, which the selected cell does not take.
        const QImage shot = layout()->grab().toImage();
        const auto colours = [&shot, this](int position) {
            QHash<QRgb, int> counts;
            const QRect cell = layoutCellRect(layout()->gridArea(), position).toRect();
            for (int y = cell.top() + 6; y < cell.bottom() - 6; ++y) {
                for (int x = cell.left() + 6; x < cell.right() - 6; ++x) {
                    ++counts[shot.pixel(x, y)];
                }
            }
            return counts;
        };
        const QHash<QRgb, int> lit = colours(8);
        QRgb litFill = 0;
        for (auto it = lit.begin(); it != lit.end(); ++it) {
            litFill = it.value() > lit.value(litFill) ? it.key() : litFill;
        }
        QCOMPARE(colours(30).value(litFill), 0);
        QVERIFY(colours(31).value(litFill) == 0);

        // A press no position holds says so.
        putEntries(doc()->data(), 8, {});
        for (const char* line : {"keydown 0x42 48", "char 0x62 48"}) {
            const auto steps = std::get<std::vector<KeyTraceStep>>(parseKeyTrace(line));
            tester->tester().feed(steps.front().event, {}, -1000);
        }
        tester->poll();
        QVERIFY(tester->pressList()->item(2)->text().contains(QStringLiteral("일치하는 키 없음")));
        QVERIFY(layout()->highlighted().empty());
        tester->close();
    }

    // The listing pages are a choice the program remembers; the export
    // follows it (one page without, more with the listing of a full table).
    void listingIsAChoiceAndTheExportFollowsIt() {
        startWith(quilby::testing::fullTable());
        QAction* listing = frame()->action(Command::LayoutListing);
        QVERIFY(listing->isCheckable());
        QVERIFY(listing->isChecked());
        const auto pages = [this](const QString& name) {
            answers_.exportName = file(name);
            command(Command::ExportLayoutPdf);
            const std::string pdf = readBytes(file(name));
            std::size_t n = 0;
            for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
                 at = pdf.find("/Type /Page\n", at + 1)) {
                ++n;
            }
            return n;
        };
        const std::size_t withListing = pages(QStringLiteral("with.pdf"));
        command(Command::LayoutListing);
        QVERIFY(!listing->isChecked());
        QCOMPARE(pages(QStringLiteral("without.pdf")), std::size_t{1});
        QVERIFY(withListing > 1);
        tearDownTest();
        setUpTest();
        start();
        QVERIFY(!frame()->action(Command::LayoutListing)->isChecked());
    }

    // Every label line ends inside its cell, whatever the window's size, and
    // the position numbers are as large as the labels and legible.
    void cellTextsEndInsideTheirCells() {
        KeyTableData table = quilby::testing::fullTable();
        putEntries(table, 0,
                   {{1, 0x0100, "PageDownDown"},
                    {2, 0x0e08, "BackSpace\x1b[0"},
                    {3, 0x1c0d, "\xC7\xD1\xB1\xDB\xC7\xD1\xB1\xDB\xC7\xD1\xB1\xDB"},
                    {4, 0x011b, std::string("W\0WWWWWWWWWWWWWW", 16)}});
        const QSizeF sizes[] = {{574, 504}, {1064, 444}, {560, 280}, {1600, 900}, {3000, 1000}};
        for (const QSizeF& size : sizes) {
            const QRectF area(QPointF(8, 8), size);
            const LayoutCellStyle style = layoutCellStyle(area, 10);
            QVERIFY(style.numberFont.pixelSize() >= style.labelFont.pixelSize());
            QVERIFY(style.labelFont.pixelSize() >= 10);
            const QFontMetricsF metrics(style.labelFont);
            const QRectF cell = layoutCellRect(area, 0);
            const double innerWidth = cell.width() - 2 - 2 * style.pad;
            const double innerHeight = cell.height() - 2 - 2 * style.pad;
            QVERIFY(style.lineHeight * double(style.fit.lines + 1) <= innerHeight + 0.5);
            for (int p = 0; p < kKeyPositions; ++p) {
                for (const std::string& line : layoutCell(table, p, style.fit).lines) {
                    for (const TextRun& run : textRuns(line)) {
                        const double end =
                            double(run.column) * style.column +
                            (run.control
                                 ? double(run.text.size()) * style.column
                                 : metrics.horizontalAdvance(QString::fromStdString(run.text)));
                        QVERIFY2(end <= innerWidth + 0.5,
                                 qPrintable(QStringLiteral("%1x%2 %3: %4")
                                                .arg(size.width())
                                                .arg(size.height())
                                                .arg(p)
                                                .arg(QString::fromStdString(line))));
                    }
                }
            }
        }
    }

    void layoutExportWritesAPdfOrFailsCleanly() {
        const QString out = file(QStringLiteral("layout.pdf"));
        const auto job = [](bool listing) {
            return LayoutPrintJob{QStringLiteral("x.KEY"), QDateTime::currentDateTime(), listing};
        };
        QVERIFY(exportKeyLayoutPdf(out, quilby::testing::fullTable(), job(true)));
        QVERIFY(readBytes(out).rfind("%PDF", 0) == 0);
        // An existing file stays whole when the new one cannot be written.
        QVERIFY(!exportKeyLayoutPdf(file(QStringLiteral("no/such/dir.pdf")), {}, job(false)));
        QVERIFY(!QFileInfo::exists(file(QStringLiteral("no/such/dir.pdf"))));
    }
};

QTEST_MAIN(LayoutViewTest)
#include "LayoutViewTest.moc"
