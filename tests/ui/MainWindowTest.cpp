#include "app/qt/MainWindow.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainView.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtTranslations.h"
#include "document/KeyFileWriter.h"
#include "exchange/TableText.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace quilby;
using quilby::testing::readBytes;
using quilby::testing::writeBytes;

class MainWindowTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    DocumentController* doc() const { return app_->document(); }

    // What the key editor's OK does to the document.
    void editTable() {
        doc()->data().entryCounts[5] = 1;
        doc()->data().setEntry(5, 0, {1, 0x1E61, "a"});
        doc()->setModifiedFlag(true);
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }

    void init() {
        setUpTest();
        programSettings().clear();
    }

    void cleanup() { tearDownTest(); }

    // The first start after the move to the organisation "Quilby" takes the
    // recent files and choices from the old place once; later changes of the
    // old file no longer count.
    void settingsOfTheOldOrganisationAreAdoptedOnce() {
        QSettings legacy(QStringLiteral("Local AppWizard-Generated Applications"),
                         QStringLiteral("Quilby"));
        legacy.clear();
        legacy.setValue(QStringLiteral("Recent File List/File1"), file(QStringLiteral("a.KEY")));
        legacy.setValue(QStringLiteral("Settings/LayoutView"), true);
        legacy.sync();
        programSettings().clear();
        QVERIFY(adoptLegacySettings());
        QCOMPARE(programSettings().value(QStringLiteral("Recent File List/File1")).toString(),
                 file(QStringLiteral("a.KEY")));
        QVERIFY(programSettings().value(QStringLiteral("Settings/LayoutView")).toBool());
        legacy.setValue(QStringLiteral("Settings/LayoutView"), false);
        legacy.sync();
        QVERIFY(!adoptLegacySettings());
        QVERIFY(programSettings().value(QStringLiteral("Settings/LayoutView")).toBool());
        legacy.clear();
        programSettings().clear();
        QVERIFY(!adoptLegacySettings()); // nothing to adopt
    }

    void startsEmptyWithMenuToolbarAndStatusBar() {
        start();
        QCOMPARE(frame()->windowTitle(), QStringLiteral("TARNWELL POS KEYBOARD UTIL"));
        QCOMPARE(frame()->frameGeometry().topLeft(), QPoint(150, 50));
        QCOMPARE(frame()->frameGeometry().size(), QSize(600, 600));
        QVERIFY(!doc()->isModified());
        QVERIFY(!doc()->data().tableLoaded);

        QStringList menus;
        for (QAction* a : frame()->menuBar()->actions()) {
            menus << a->text();
        }
        QCOMPARE(menus, (QStringList{QStringLiteral("파일(&F)"), QStringLiteral("편집(&E)"),
                                     QStringLiteral("POS-KBD(&P)"), QStringLiteral("보기(&V)"),
                                     QStringLiteral("도움말(&H)")}));
        int buttons = 0;
        for (QAction* a : frame()->toolBar()->actions()) {
            buttons += a->isSeparator() ? 0 : 1;
            if (!a->isSeparator()) {
                QVERIFY(!a->icon().isNull());
            }
        }
        QCOMPARE(buttons, 13); // the Part's twelve and the layout view
        QStringList indicators;
        for (auto* label : frame()->statusBar()->findChildren<QLabel*>()) {
            indicators << label->text();
        }
        for (const char* text : {"준비", "CAP", "NUM", "SCRL"}) {
            QVERIFY2(indicators.contains(QString::fromUtf8(text)), text);
        }
        QAction* save = frame()->action(Command::SaveFile);
        QCOMPARE(save->statusTip(), QStringLiteral("현재 열린 문서를 저장합니다"));
        QCOMPARE(save->toolTip(), QStringLiteral("저장"));
        QVERIFY(save->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+S"))));
        // A button without a tooltip of its own shows its menu words, no mnemonic.
        QCOMPARE(frame()->action(Command::VersionCheck)->toolTip(),
                 QStringLiteral("POS Keyboard 버전확인"));
    }

    void openShowsTheFileAndSaveWritesTheWritersForm() {
        start();
        const auto full = quilby::testing::fullTable();
        std::string crlf;
        for (char c : writeKeyFile(full)) {
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        writeBytes(file(QStringLiteral("dos.KEY")), crlf);
        answers_.openName = file(QStringLiteral("dos.KEY"));
        frame()->action(Command::OpenFile)->trigger();
        QVERIFY(doc()->data().sameTable(full));
        QVERIFY(doc()->data().tableLoaded);
        QCOMPARE(doc()->title(), QStringLiteral("dos.KEY"));
        QCOMPARE(frame()->windowTitle(), QStringLiteral("dos.KEY - POS Keyboard Utility"));
        QCOMPARE(answers_.saveQuestions, 0);

        frame()->action(Command::SaveFile)->trigger();
        QCOMPARE(readBytes(file(QStringLiteral("dos.KEY"))), writeKeyFile(full));
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{1});
    }

    // Import makes a new, unsaved document of a JSON or CSV table, or shows
    // where the text is wrong and keeps the document; Export writes the form
    // the chosen name says, never over the document's own .KEY file.
    void importAndExportGoThroughTheTextForms() {
        start();
        const auto full = quilby::testing::fullTable();
        writeBytes(file(QStringLiteral("t.csv")), exportTableText(full, TableTextFormat::Csv));
        writeBytes(file(QStringLiteral("bad.csv")), "position,keys,spare\n00,a\n01,foo\n");
        answers_.importTableName = file(QStringLiteral("bad.csv"));
        frame()->action(Command::ImportTable)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY2(answers_.errors[0].contains(
                     QStringLiteral("3행, keys 열: 'foo': 알 수 없는 키 이름입니다")),
                 qPrintable(answers_.errors[0]));
        QVERIFY(!doc()->isModified());

        answers_.importTableName = file(QStringLiteral("t.csv"));
        frame()->action(Command::ImportTable)->trigger();
        QVERIFY(doc()->data().sameTable(full));
        QVERIFY(doc()->isModified());
        QVERIFY(doc()->core().untitled());

        for (const auto format : {TableTextFormat::Json, TableTextFormat::Csv}) {
            const QString name = format == TableTextFormat::Json ? QStringLiteral("out.json")
                                                                 : QStringLiteral("out.csv");
            answers_.exportTableName = file(name);
            frame()->action(Command::ExportTable)->trigger();
            QCOMPARE(readBytes(file(name)), exportTableText(full, format));
        }

        writeBytes(file(QStringLiteral("t.KEY")), writeKeyFile(full));
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        answers_.openName = file(QStringLiteral("t.KEY"));
        frame()->action(Command::OpenFile)->trigger();
        answers_.exportTableName = file(QStringLiteral("t.KEY"));
        frame()->action(Command::ExportTable)->trigger();
        QCOMPARE(readBytes(file(QStringLiteral("t.KEY"))), writeKeyFile(full));
        QCOMPARE(answers_.errors.size(), 2);
    }

    // A file the reader warned about is a guess once read: Save asks before
    // replacing it, naming the findings; Save As is the default, Cancel and
    // a refused Save As leave the file as it was; only Overwrite replaces it.
    void saveOverADamagedFileAsksFirst() {
        start();
        // A count of 35: read clamped to 20, and the file is suspicious.
        std::string text = writeKeyFile(quilby::testing::fullTable());
        text.replace(text.find("\n20\n"), 4, "\n35\n");
        const QString damaged = file(QStringLiteral("damaged.KEY"));
        writeBytes(damaged, text);
        answers_.openName = damaged;
        frame()->action(Command::OpenFile)->trigger();
        QCOMPARE(answers_.errors.size(), 1); // the open warning

        answers_.damagedSaveAnswer = QtPrompts::DamagedSaveAnswer::Cancel;
        frame()->action(Command::SaveFile)->trigger();
        QCOMPARE(answers_.damagedSaveQuestions.size(), 1);
        QVERIFY(answers_.damagedSaveQuestions.at(0).contains(QStringLiteral("damaged.KEY")));
        QVERIFY(answers_.damagedSaveQuestions.at(0).contains(QStringLiteral("- ")));
        QCOMPARE(readBytes(damaged), text);

        // Save As chosen, its dialog cancelled: still untouched.
        answers_.damagedSaveAnswer = QtPrompts::DamagedSaveAnswer::SaveAs;
        answers_.saveName.clear();
        frame()->action(Command::SaveFile)->trigger();
        QCOMPARE(readBytes(damaged), text);
        // Save As to another file writes there, and the damaged one stays.
        answers_.saveName = file(QStringLiteral("rescued.KEY"));
        frame()->action(Command::SaveFile)->trigger();
        QVERIFY(QFileInfo::exists(file(QStringLiteral("rescued.KEY"))));
        QCOMPARE(readBytes(damaged), text);
        QCOMPARE(answers_.damagedSaveQuestions.size(), 3);

        // Downloading the guess asks too; No sends nothing.
        frame()->action(Command::Download)->trigger();
        QCOMPARE(answers_.goAheadQuestions.size(), 1);

        // Only an explicit Overwrite replaces the damaged file.
        answers_.saveName = damaged;
        answers_.damagedSaveAnswer = QtPrompts::DamagedSaveAnswer::Overwrite;
        frame()->action(Command::SaveFileAs)->trigger();
        QVERIFY(readBytes(damaged) != text);

        // A file with one line removed reads shifted, with labels no file may
        // hold: Save says why it cannot write, and the file stays.
        std::string shifted = writeKeyFile(quilby::testing::fullTable());
        shifted.erase(0, shifted.find('\n') + 1);
        const QString cut = file(QStringLiteral("cut.KEY"));
        writeBytes(cut, shifted);
        answers_.openName = cut;
        frame()->action(Command::OpenFile)->trigger();
        answers_.errors.clear();
        frame()->action(Command::SaveFile)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.at(0).contains(QStringLiteral("저장할 수 없습니다")));
        QCOMPARE(readBytes(cut), shifted);
    }

    void savePromptDecidesWhetherOpenGoesOn() {
        start();
        writeBytes(file(QStringLiteral("other.KEY")), writeKeyFile(quilby::testing::fullTable()));
        answers_.openName = file(QStringLiteral("other.KEY"));
        editTable();
        QCOMPARE(frame()->windowTitle(), QStringLiteral("제목없음* - POS Keyboard Utility"));

        // Cancel: nothing changes.
        answers_.saveAnswer = QtPrompts::SaveAnswer::Cancel;
        frame()->action(Command::OpenFile)->trigger();
        QCOMPARE(answers_.saveQuestions, 1);
        QVERIFY(doc()->isModified());
        QCOMPARE(doc()->data().entryCounts[5], 1);

        // Save, with the file dialog cancelled: the save fails, so Open stops.
        answers_.saveAnswer = QtPrompts::SaveAnswer::Save;
        answers_.saveName.clear();
        frame()->action(Command::OpenFile)->trigger();
        QVERIFY(doc()->isModified());
        QCOMPARE(doc()->data().entryCounts[5], 1);

        // Save under a name without extension: ".KEY" is added, then Open goes on.
        answers_.saveName = file(QStringLiteral("edited"));
        frame()->action(Command::OpenFile)->trigger();
        QVERIFY(QFileInfo::exists(file(QStringLiteral("edited.KEY"))));
        QCOMPARE(doc()->title(), QStringLiteral("other.KEY"));
        QVERIFY(!doc()->isModified());

        // Discard: the edit is dropped.
        editTable();
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        frame()->action(Command::OpenFile)->trigger();
        QVERIFY(!doc()->isModified());
        QCOMPARE(doc()->data().entryCounts[5], 20);
    }

    void newEmptiesTheDocumentAfterThePrompt() {
        start();
        editTable();
        answers_.saveAnswer = QtPrompts::SaveAnswer::Cancel;
        frame()->action(Command::NewFile)->trigger();
        QVERIFY(doc()->isModified());
        QCOMPARE(doc()->data().entryCounts[5], 1);

        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        QString editorCaption;
        quilby::testing::onNextModal(this, [&](QDialog* editor) {
            editorCaption = editor->windowTitle();
            editor->reject();
        });
        frame()->action(Command::NewFile)->trigger();
        QCOMPARE(editorCaption, QStringLiteral("NEW POS keyboard : BackSpace = Input key Delete!"));
        QVERIFY(!doc()->isModified());
        QCOMPARE(doc()->data().entryCounts[5], 0);
        QVERIFY(!doc()->data().tableLoaded);
        QCOMPARE(doc()->title(), QStringLiteral("제목없음"));
        QCOMPARE(frame()->windowTitle(), QStringLiteral("제목없음 - POS Keyboard Utility"));

        // Save of the untitled document asks for a name.
        answers_.saveName.clear();
        frame()->action(Command::SaveFile)->trigger();
        QVERIFY(doc()->path().isEmpty());
    }

    void zeroLengthFileGivesAnEmptyUnloadedTable() {
        start();
        writeBytes(file(QStringLiteral("empty.KEY")), "");
        QVERIFY(app_->openDocumentFile(file(QStringLiteral("empty.KEY"))));
        QVERIFY(!doc()->data().tableLoaded);
        QCOMPARE(doc()->title(), QStringLiteral("empty.KEY"));
        QVERIFY(answers_.errors.isEmpty());
    }

    void failedSaveKeepsTheOldFileAndTheModifiedFlag() {
        start();
        const QString path = file(QStringLiteral("kept.KEY"));
        writeBytes(path, writeKeyFile(quilby::testing::fullTable()));
        QVERIFY(app_->openDocumentFile(path));
        editTable();
        // Replace the file by a folder of the same name's sibling: saving
        // into a folder that does not exist must fail and keep everything.
        answers_.saveName = file(QStringLiteral("missing-folder/x.KEY"));
        frame()->action(Command::SaveFileAs)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.front().contains(QStringLiteral("x.KEY")));
        QVERIFY(doc()->isModified());
        QCOMPARE(doc()->path(), path);
        QCOMPARE(readBytes(path), writeKeyFile(quilby::testing::fullTable()));

        // Saving onto a folder is refused with its reason.
        QDir(tmp_.path()).mkdir(QStringLiteral("folder.KEY"));
        answers_.saveName = file(QStringLiteral("folder.KEY"));
        frame()->action(Command::SaveFileAs)->trigger();
        QCOMPARE(answers_.errors.size(), 2);
        QVERIFY(answers_.errors.back().contains(QStringLiteral("폴더")));
        QVERIFY(doc()->isModified());
    }

    void unreadableFileKeepsTheDocument() {
        start();
        editTable();
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        QVERIFY(!app_->openDocumentFile(file(QStringLiteral("nothing-here.KEY"))));
        QCOMPARE(answers_.errors.size(), 1);
        QVERIFY(answers_.errors.front().contains(QStringLiteral("nothing-here.KEY")));
        QVERIFY(answers_.errors.front().contains(QStringLiteral("없습니다")));
        QCOMPARE(doc()->data().entryCounts[5], 1);
    }

    void commandLineFileIsOpenedAndShown() {
        const QString path = file(QStringLiteral("start.KEY"));
        writeBytes(path, writeKeyFile(quilby::testing::fullTable()));
        start({path});
        QCOMPARE(doc()->title(), QStringLiteral("start.KEY"));
        QVERIFY(doc()->data().tableLoaded);
        QCOMPARE(frame()->windowTitle(), QStringLiteral("start.KEY - POS Keyboard Utility"));
    }

    void badCommandLineRefusesToStart() {
        Application app;
        QVERIFY(!app.start({QStringLiteral("--port=serial")}, QString()));
        QVERIFY(app.errorText().contains(QStringLiteral("--port")));
        QVERIFY(!app.mainWindow());
    }

    void recentFilesKeepFourAndDropVanishedOnes() {
        start();
        for (int i = 0; i < 5; ++i) {
            const QString path = file(QStringLiteral("r%1.KEY").arg(i));
            writeBytes(path, "");
            QVERIFY(app_->openDocumentFile(path));
        }
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{4});
        QVERIFY(QString::fromStdString(app_->recentFiles().entries().front()).endsWith("r4.KEY"));
        QFile::remove(file(QStringLiteral("r2.KEY")));
        frame()->recentFileActions().at(2)->trigger();
        QCOMPARE(answers_.errors.size(), 1);
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{3});
        QCOMPARE(doc()->title(), QStringLiteral("r4.KEY"));

        // The list survives a restart.
        app_->mainWindow()->close();
        start();
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{3});
        frame()->recentFileActions().at(1)->trigger();
        QCOMPARE(doc()->title(), QStringLiteral("r3.KEY"));
    }

    void recentEntriesThatCannotBeReadAreDropped_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("cancelSavePrompt");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("folder") << QStringLiteral("folder.KEY") << false << true;
        QTest::newRow("device") << QStringLiteral("/dev/null") << false << true;
        QTest::newRow("far too large") << QStringLiteral("huge.KEY") << false << true;
        // Nothing was tried: the entry stays.
        QTest::newRow("save prompt cancelled") << QStringLiteral("folder.KEY") << true << false;
    }

    void recentEntriesThatCannotBeReadAreDropped() {
        QFETCH(QString, entry);
        QFETCH(bool, cancelSavePrompt);
        QFETCH(bool, dropped);
        QDir(tmp_.path()).mkpath(QStringLiteral("folder.KEY"));
        QFile huge(file(QStringLiteral("huge.KEY")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64{9} * 1024 * 1024)); // sparse, takes no room
        huge.close();
        const QString bad = entry.startsWith(QLatin1Char('/')) ? entry : file(entry);
        const QString good = file(QStringLiteral("good.KEY"));
        writeBytes(good, writeKeyFile(quilby::testing::fullTable()));
        QSettings settings = programSettings();
        settings.setValue(QStringLiteral("Recent File List/File1"), bad);
        settings.setValue(QStringLiteral("Recent File List/File2"), good);
        settings.sync();
        start();
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{2});
        if (cancelSavePrompt) {
            editTable();
            answers_.saveAnswer = QtPrompts::SaveAnswer::Cancel;
        }
        frame()->recentFileActions().at(0)->trigger();
        QCOMPARE(answers_.errors.size(), cancelSavePrompt ? 0 : 1);
        if (dropped) {
            QVERIFY(answers_.errors.front().contains(QDir::toNativeSeparators(bad)));
            QVERIFY(answers_.errors.front().endsWith(QStringLiteral("최근 파일 목록에서 뺍니다.")));
        }
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{dropped ? 1u : 2u});
        QCOMPARE(app_->recentFiles().entries().back(), good.toStdString());
        QCOMPARE(doc()->title(), QStringLiteral("제목없음"));
        // The shortened list is what the next start sees.
        frame()->close();
        start();
        QCOMPARE(app_->recentFiles().entries().size(), std::size_t{dropped ? 1u : 2u});
    }

    void aFileThatIsNoKeyTableWarnsAfterLoading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mentions"); // empty: no warning
        // Which files warn is the core's to decide; here: shown or not, and where.
        const std::string good = writeKeyFile(quilby::testing::fullTable());
        QTest::newRow("DOS end-of-file byte")
            << QByteArray::fromStdString(good + "\x1A") << QString();
        QTest::newRow("letter") << QByteArray("Dear customer,\nthis is a letter.\n")
                                << QStringLiteral("파일이 일찍 끝납니다");
    }

    void aFileThatIsNoKeyTableWarnsAfterLoading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mentions);
        start();
        const QString path = file(QStringLiteral("maybe.KEY"));
        writeBytes(path, bytes.toStdString());
        answers_.openName = path;
        frame()->action(Command::OpenFile)->trigger();
        // The file is loaded either way: the reader stays tolerant.
        QCOMPARE(doc()->title(), QStringLiteral("maybe.KEY"));
        QVERIFY(doc()->data().tableLoaded);
        QVERIFY(!doc()->isModified());
        if (mentions.isEmpty()) {
            QVERIFY(answers_.errors.isEmpty());
            return;
        }
        QCOMPARE(answers_.errors.size(), 1);
        const QString& warning = answers_.errors.front();
        QVERIFY(warning.startsWith(QDir::toNativeSeparators(path) + QStringLiteral("\n")));
        QVERIFY2(warning.contains(mentions), qPrintable(warning));
    }

    void closingAskFirst() {
        start();
        editTable();
        answers_.saveAnswer = QtPrompts::SaveAnswer::Cancel;
        frame()->action(Command::Exit)->trigger();
        QVERIFY(frame()->isVisible());
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        frame()->action(Command::Exit)->trigger();
        QVERIFY(!frame()->isVisible());
    }

    void droppedFileOpensAfterThePrompt() {
        start();
        const QString path = file(QStringLiteral("dropped.KEY"));
        writeBytes(path, writeKeyFile(quilby::testing::fullTable()));
        editTable();
        answers_.saveAnswer = QtPrompts::SaveAnswer::Discard;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame(), &drop);
        QTRY_COMPARE(doc()->title(), QStringLiteral("dropped.KEY"));
        QCOMPARE(answers_.saveQuestions, 1);
        QCOMPARE(doc()->data().entryCounts[5], 20);
    }

    void aboutBoxShowsItsCaptionAndClosesOnOk() {
        start();
        QTimer::singleShot(0, this, [] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("POS Keyboard  정보"));
            auto* ok = box->findChild<QPushButton*>();
            QCOMPARE(ok->text(), QStringLiteral("확인(OK)"));
            ok->click();
        });
        frame()->action(Command::About)->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void notesDoNotDependOnTheDocument() {
        start();
        QImage before(MainView::notesSize(), QImage::Format_RGB32);
        before.fill(Qt::white);
        {
            QPainter p(&before);
            MainView::drawNotes(p);
        }
        writeBytes(file(QStringLiteral("n.KEY")), writeKeyFile(quilby::testing::fullTable()));
        QVERIFY(app_->openDocumentFile(file(QStringLiteral("n.KEY"))));
        QImage after(MainView::notesSize(), QImage::Format_RGB32);
        after.fill(Qt::white);
        {
            QPainter p(&after);
            MainView::drawNotes(p);
        }
        QCOMPARE(before, after);
        QVERIFY(before != QImage(before.size(), QImage::Format_RGB32)); // something was drawn
    }

    // Last: it leaves Qt's Korean texts installed for the rest of the run.
    void frameworkDialogsSpeakKorean() {
        QVERIFY(installKoreanQtTranslations());
        QVERIFY(installKoreanQtTranslations()); // a second call changes nothing
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quilby"), QStringLiteral("x"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("확인"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("취소"));
        QFileDialog dialog(nullptr, QStringLiteral("열기"), tmp_.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (auto* label : dialog.findChildren<QLabel*>()) {
            labels << label->text();
        }
        QVERIFY2(labels.join(QLatin1Char(' ')).contains(QStringLiteral("파일")),
                 qPrintable(labels.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
