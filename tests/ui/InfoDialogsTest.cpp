#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/ProgramVersion.h"
#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtPictures.h"
#include "common/qt/QtText.h"
#include "document/KeyFileWriter.h"
#include "help/qt/AboutDialog.h"
#include "help/qt/ManualWindow.h"
#include "layout/DefaultKeyGrid.h"
#include "layout/qt/DefaultKeyDialog.h"

#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <csignal>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>

using namespace quilby;
using quilby::testing::writeBytes;

namespace {

// Saves what a person should look at when QUILBY_SNAPSHOT_DIR is set: the
// widget as Qt draws it, and the whole screen as the window system shows it.
void snapshot(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariable("QUILBY_SNAPSHOT_DIR");
    if (dir.isEmpty()) {
        return;
    }
    widget->grab().save(dir + QStringLiteral("/%1.png").arg(name));
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        QTest::qWait(300); // let the window system paint the mapped window
        widget->screen()->grabWindow(0).save(dir + QStringLiteral("/%1-screen.png").arg(name));
    }
}

// Sets PATH for one test and puts the old one back.
class ScopedPath {
public:
    explicit ScopedPath(const QByteArray& value) : old_(qgetenv("PATH")) { qputenv("PATH", value); }
    ~ScopedPath() { qputenv("PATH", old_); }

private:
    QByteArray old_;
};

} // namespace

class InfoDialogsTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    QList<std::vector<std::string>> launched_;

    // Runs a view command that opens a modal dialog and hands the dialog to
    // `inspect`, which must close it.
    template <typename Dialog, typename Inspect> void withDialog(Command command, Inspect inspect) {
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            inspect(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        frame()->action(command)->trigger();
        QVERIFY(seen);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Replaces the manual's location and the launcher, recording each start;
    // a started opener ends with `endStatus` (a wait status) when one is given.
    void fakeHelp(bool found, int launchError, std::optional<int> endStatus = std::nullopt) {
        launched_.clear();
        manualViewerHooks().findManual = [found]() -> std::optional<std::filesystem::path> {
            if (!found) {
                return std::nullopt;
            }
            return std::filesystem::path("/opt/quilby/share/quilby/quilby-manual.html");
        };
        manualViewerHooks().launch = [this, launchError,
                                      endStatus](const std::vector<std::string>& argv) {
            launched_.append(argv);
            DetachedStart started{launchError, -1};
            int fds[2];
            if (launchError == 0 && endStatus && ::pipe(fds) == 0) {
                (void)!::write(fds[1], &*endStatus, sizeof *endStatus);
                ::close(fds[1]);
                started.endPipe = fds[0];
            }
            return started;
        };
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }
    void init() { setUpTest(); }
    void cleanup() {
        tearDownTest();
        resetManualViewerHooks();
    }

    void helpMessagesNameOnlyTheProjectPage() {
        QCOMPARE(
            helpReportText(HelpReport::InstallViewer, ENOENT),
            QStringLiteral("메뉴얼을 보기 위해선 \n\n웹 브라우저(HTML 뷰어)의 설치가 필요합니다. "
                           "\n\n메뉴얼은 https://quilby.example.org/ 자료실 에서 다운로드 "
                           "하실수 있습니다."));
        QCOMPARE(helpReportText(HelpReport::InstallManual, ENOENT),
                 QStringLiteral("메뉴얼을 보기 위해선 \n\n메뉴얼 파일(quilby-manual.html)의 설치가 "
                                "필요합니다. \n\n메뉴얼은 https://quilby.example.org/ 자료실 에서 "
                                "다운로드 하실수 있습니다."));
        QCOMPARE(helpReportText(HelpReport::InvalidExecutable, EACCES),
                 QStringLiteral("메모리 오류"));
        QVERIFY(helpReportText(HelpReport::None, 0).isEmpty());
        const QString failed = helpReportText(HelpReport::StartFailed, ENOMEM);
        QVERIFY(failed.contains(QStringLiteral("시작할 수 없습니다")));
        QVERIFY2(failed.contains(QStringLiteral("memory")), qPrintable(failed));
    }

    void viewerAndHelpCommandsAreEnabled() {
        start();
        QVERIFY(frame()->action(Command::ShowDefaultKeys)->isEnabled());
        QVERIFY(frame()->action(Command::UtilityHelp)->isEnabled());
    }

    void defaultKeyViewerShowsTheGrid() {
        start();
        withDialog<DefaultKeyDialog>(Command::ShowDefaultKeys, [](DefaultKeyDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("POS Keyboard [Default.key]"));
            const DialogUnits du = dialogUnitsOf(dialog->font());
            QCOMPARE(dialog->size(), QSize(du.x(437), du.y(220)));
            QCOMPARE(QFontInfo(dialog->font()).family(), QStringLiteral("NanumGothic"));

            const auto& boxes = dialog->boxes();
            QCOMPARE(boxes.size(), 98);
            QCOMPARE(dialog->findChildren<QLabel*>().size(), 99); // and the legend line
            struct Expected {
                int row;
                int column;
                const char* text;
            };
            const Expected expected[] = {
                {0, 0, "Esc\n(011b)"},
                {0, 13, "←\n(4be0)"},
                {5, 3, "&\n(0826)"},
                {5, 10, "1\n(0231)"},
                {5, 11, "2\n(0332)"},
                {5, 12, "3\n(0433)"},
                {5, 13, "○"},
                {6, 0, "＼\n(2b5c)"},
                {6, 11, "00\n(0000)"},
                {1, 11, "PageDn\n(51e0)"},
                {6, 13, "Enter\n(1c0d)"},
            };
            for (const Expected& e : expected) {
                QCOMPARE(boxes[e.row * 14 + e.column]->text(), QString::fromUtf8(e.text));
            }
            // The ampersand is shown, not taken as a mnemonic marker.
            QLabel* ampersand = boxes[5 * 14 + 3];
            QVERIFY(!ampersand->buddy());
            QCOMPARE(ampersand->textFormat(), Qt::PlainText);
            QCOMPARE(ampersand->text().count(QLatin1Char('&')), 1);

            QCOMPARE(dialog->legendLine()->text(),
                     QStringLiteral("English: ＼  Korean:\\   BS:BackSpace   ○ : Long Cab : NULL"));
            QCOMPARE(dialog->okButton()->text(), QStringLiteral("확인(OK)"));
            QVERIFY(dialog->okButton()->isDefault());
            QCOMPARE(dialog->okButton()->geometry(), dluRect(du, 305, 199, 125, 14));
            snapshot(dialog, QStringLiteral("default-key-viewer"));
            dialog->okButton()->click();
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
        });
    }

    void everyViewerTextIsLegibleAndFitsItsBox() {
        DefaultKeyDialog dialog;
        const DialogUnits du = dialogUnitsOf(dialog.font());
        const QRect client(QPoint(0, 0), dialog.size());
        QRegion used;
        for (int i = 0; i < dialog.boxes().size(); ++i) {
            QLabel* box = dialog.boxes()[i];
            const DefaultKeyCell& cell = defaultKeyGrid().cells[static_cast<std::size_t>(i)];
            QCOMPARE(box->geometry(),
                     dluRect(du, cell.rect.x, cell.rect.y, cell.rect.width, cell.rect.height));
            QCOMPARE(box->frameShape(), QFrame::Box);
            QVERIFY(client.contains(box->geometry()));
            QVERIFY2(!used.intersects(box->geometry()), qPrintable(box->text()));
            used += box->geometry();
            // Both lines fit inside the border, in a font of at least 8 points.
            const QRect needed = box->fontMetrics().boundingRect(
                box->contentsRect(), Qt::AlignCenter | Qt::TextDontClip, box->text());
            QVERIFY2(box->contentsRect().contains(needed), qPrintable(box->text()));
            QVERIFY(box->font().pointSizeF() >= 8);
            QVERIFY(box->fontMetrics().inFontUcs4(box->text().toUcs4().front()));
        }
        QLabel* legend = dialog.legendLine();
        QVERIFY(legend->fontMetrics().horizontalAdvance(legend->text()) <= legend->width());
        QVERIFY(!legend->geometry().intersects(dialog.okButton()->geometry()));
        QVERIFY(!used.intersects(legend->geometry()));
        const QPushButton* ok = dialog.okButton();
        QVERIFY(ok->fontMetrics().horizontalAdvance(ok->text()) < ok->width());
    }

    void viewerNeitherReadsDefaultKeyNorChangesTheDocument_data() {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("no Default.key") << false;
        QTest::newRow("a different Default.key") << true;
    }

    void viewerNeitherReadsDefaultKeyNorChangesTheDocument() {
        QFETCH(bool, withFile);
        const QString old = QDir::currentPath();
        QTemporaryDir work;
        QDir::setCurrent(work.path());
        if (withFile) {
            writeBytes(work.filePath(QStringLiteral("Default.key")),
                       writeKeyFile(quilby::testing::fullTable()));
        }
        start();
        const KeyTableData before = app_->document()->data();
        QStringList texts;
        withDialog<DefaultKeyDialog>(Command::ShowDefaultKeys, [&texts](DefaultKeyDialog* dialog) {
            for (QLabel* box : dialog->boxes()) {
                texts << box->text();
            }
        });
        QDir::setCurrent(old);
        QCOMPARE(texts.value(0), QStringLiteral("Esc\n(011b)"));
        QCOMPARE(texts.size(), 98);
        QVERIFY(writeKeyFile(app_->document()->data()) == writeKeyFile(before));
        QCOMPARE(app_->document()->data().tableLoaded, before.tableLoaded);
        QVERIFY(!app_->document()->isModified());
        QCOMPARE(app_->document()->title(), QStringLiteral("제목없음"));
    }

    // A small manual beside a picture, as the shipped one may have.
    std::filesystem::path writeManual(const QTemporaryDir& dir) {
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(dir.filePath(QStringLiteral("keyboard.png")));
        writeBytes(dir.filePath(QStringLiteral("manual.html")),
                   "<html><head><meta charset=\"utf-8\"><title>설명서 제목</title></head><body>"
                   "<p><a href=\"#second\">둘째 절</a></p><img src=\"keyboard.png\">"
                   "<p>다운로드 방법</p><h2 id=\"second\">둘째 절</h2><p>다운로드 끝</p>"
                   "</body></html>");
        return std::filesystem::path(dir.filePath(QStringLiteral("manual.html")).toStdString());
    }

    void helpShowsTheManualInItsOwnWindow() {
        QTemporaryDir dir;
        const auto manual = writeManual(dir);
        start();
        fakeHelp(true, 0);
        manualViewerHooks().findManual = [manual] { return std::optional(manual); };
        frame()->action(Command::UtilityHelp)->trigger();
        auto* window = frame()->findChild<ManualWindow*>();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QCOMPARE(window->windowTitle(), QStringLiteral("설명서 제목"));
        QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("다운로드 방법")));
        // The picture beside the file is found and drawn.
        const QVariant picture = window->browser()->document()->resource(
            QTextDocument::ImageResource, QUrl(QStringLiteral("keyboard.png")));
        QVERIFY(picture.isValid());
        QCOMPARE(picture.value<QImage>().size(), QSize(40, 20));
        // A link inside the manual stays in the window (Tab to it, Enter follows it).
        QTextBrowser* browser = window->browser();
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source().fileName(), QStringLiteral("manual.html"));
        QCOMPARE(browser->source().fragment(), QStringLiteral("second"));
        QVERIFY(browser->isBackwardAvailable());
        // Asking again brings the same window forward; nothing was launched
        // and nothing was said.
        frame()->action(Command::UtilityHelp)->trigger();
        QCOMPARE(frame()->findChildren<ManualWindow*>().size(), 1);
        QVERIFY(launched_.isEmpty());
        QVERIFY(answers_.informations.isEmpty());
        QVERIFY(answers_.errors.isEmpty());
        QVERIFY(!app_->document()->isModified());
        snapshot(window, QStringLiteral("manual-window-small"));
    }

    void withoutTheManualHelpSaysWhatToInstall() {
        start();
        fakeHelp(false, 0);
        frame()->action(Command::UtilityHelp)->trigger();
        QVERIFY(!frame()->findChild<ManualWindow*>());
        QVERIFY(launched_.isEmpty());
        QCOMPARE(
            answers_.informations,
            QStringList{QStringLiteral(
                "메뉴얼을 보기 위해선 \n\n메뉴얼 파일(quilby-manual.html)의 설치가 필요합니다. "
                "\n\n메뉴얼은 https://quilby.example.org/ 자료실 에서 다운로드 하실수 "
                "있습니다.")});
    }

    void findGoesRoundTheEndAndSaysWhenNothingIsThere() {
        QTemporaryDir dir;
        ManualWindow window(writeManual(dir), nullptr);
        window.findField()->setText(QStringLiteral("다운로드"));
        QVERIFY(window.findNext());
        const int first = window.browser()->textCursor().selectionStart();
        QVERIFY(window.findNext());
        const int second = window.browser()->textCursor().selectionStart();
        QVERIFY(second > first);
        QVERIFY(window.findNext()); // round the end, back to the first
        QCOMPARE(window.browser()->textCursor().selectionStart(), first);
        QVERIFY(window.findNext(true)); // backwards, round the start
        QCOMPARE(window.browser()->textCursor().selectionStart(), second);
        QCOMPARE(window.browser()->textCursor().selectedText(), QStringLiteral("다운로드"));
        QVERIFY(window.findStatus()->text().isEmpty());

        window.findField()->setText(QStringLiteral("없는낱말"));
        QVERIFY(!window.findNext());
        QCOMPARE(window.findStatus()->text(), QStringLiteral("찾을 수 없습니다"));
        // The place found last stays selected.
        QCOMPARE(window.browser()->textCursor().selectionStart(), second);
        window.findField()->setText(QStringLiteral("다"));
        QVERIFY(window.findStatus()->text().isEmpty());
    }

    void desktopViewerButtonOpensTheManualOrSaysWhy_data() {
        QTest::addColumn<int>("launchError");
        QTest::addColumn<int>("endStatus");  // a wait status; -1: the opener has not ended
        QTest::addColumn<QString>("report"); // its beginning; empty: nothing is said
        const QString install = QStringLiteral(
            "메뉴얼을 보기 위해선 \n\n웹 브라우저(HTML 뷰어)의 설치가 필요합니다. \n\n"
            "메뉴얼은 https://quilby.example.org/ 자료실 에서 다운로드 하실수 있습니다.");
        const QString failed = QStringLiteral("웹 브라우저를 여는 프로그램(xdg-open)이 실패하여");
        QTest::newRow("started") << 0 << -1 << QString();
        QTest::newRow("opened") << 0 << 0 << QString();
        QTest::newRow("no viewer") << ENOENT << -1 << install;
        QTest::newRow("not executable") << EACCES << -1 << QStringLiteral("메모리 오류");
        // Any other failure is not passed over in silence.
        QTest::newRow("other failure") << EAGAIN << -1 << QStringLiteral("메뉴얼 보기 프로그램을");
        // The opener started, then ended without a browser to hand the file to.
        QTest::newRow("opener found no browser") << 0 << (3 << 8) << install;
        QTest::newRow("opener failed") << 0 << (4 << 8) << failed + QStringLiteral("(종료 코드 4)");
        QTest::newRow("opener killed")
            << 0 << SIGTERM << QStringLiteral("웹 브라우저를 여는 프로그램(xdg-open)이 신호 15로");
    }

    void desktopViewerButtonOpensTheManualOrSaysWhy() {
        QFETCH(int, launchError);
        QFETCH(int, endStatus);
        QFETCH(QString, report);
        start();
        fakeHelp(true, launchError, endStatus < 0 ? std::nullopt : std::optional(endStatus));
        QTemporaryDir dir;
        const auto manual = writeManual(dir);
        manualViewerHooks().findManual = [manual] { return std::optional(manual); };
        ManualWindow* window = showManual(frame());
        QVERIFY(window);
        QVERIFY(launched_.isEmpty());
        window->desktopButton()->click(); // returns at once: the opener's end comes later
        QCOMPARE(launched_.size(), 1);
        const std::vector<std::string> expected = {"xdg-open", manual.string()};
        QVERIFY(launched_.front() == expected);
        if (endStatus >= 0) {
            QTRY_VERIFY(report.isEmpty() || window->viewerReport()->isVisible());
            QTest::qWait(20); // an end that says nothing shows nothing either
        }
        QCOMPARE(window->viewerReport()->isVisible(), !report.isEmpty());
        QVERIFY2(window->viewerReport()->text().startsWith(report),
                 qPrintable(window->viewerReport()->text()));
        QVERIFY(answers_.informations.isEmpty() && answers_.errors.isEmpty()); // no box to close
        QVERIFY(window->isVisible()); // the manual stays readable in the program
    }

    void realLauncherReportsAMissingOrBrokenViewer_data() {
        QTest::addColumn<QString>("opener"); // its script; empty: none on PATH
        QTest::addColumn<QString>("report");
        QTest::newRow("no opener on PATH") << QString() << QStringLiteral("설치가 필요합니다");
        QTest::newRow("opener not executable")
            << QStringLiteral("-") << QStringLiteral("메모리 오류");
        QTest::newRow("opener finds no browser")
            << QStringLiteral("#!/bin/sh\nexit 3\n") << QStringLiteral("설치가 필요합니다");
        QTest::newRow("opener fails later")
            << QStringLiteral("#!/bin/sh\nsleep 0.2\nexit 4\n") << QStringLiteral("(종료 코드 4)");
    }

    void realLauncherReportsAMissingOrBrokenViewer() {
        // The program's own launcher, on a PATH that has no working opener,
        // so no browser can open during the test.
        QFETCH(QString, opener);
        QFETCH(QString, report);
        QTemporaryDir bin;
        const QString path = bin.filePath(QStringLiteral("xdg-open"));
        if (opener == QStringLiteral("-")) {
            writeBytes(path, "#!/bin/sh\nexit 0\n");
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        } else if (!opener.isEmpty()) {
            writeBytes(path, opener.toStdString());
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        ScopedPath scopedPath(QFile::encodeName(bin.path()));
        start();
        ManualWindow* window = showManual(frame());
        QVERIFY(window);
        window->desktopButton()->click();
        QTRY_VERIFY(window->viewerReport()->isVisible());
        QVERIFY2(window->viewerReport()->text().contains(report),
                 qPrintable(window->viewerReport()->text()));
        QVERIFY(answers_.informations.isEmpty() && answers_.errors.isEmpty());
    }

    void announcePictureNumbersFiveKeys() {
        QCOMPARE(kAnnouncePictureSize, QSize(351, 200));
        const QImage marked = announcePicture().toImage();
        const QImage plain = posKeyboardPicture(kAnnouncePictureSize).toImage();
        QCOMPARE(marked.size(), QSize(351, 200));
        QRegion keys;
        for (int pos = 0; pos < 98; ++pos) {
            const QRect key = posKeyboardKeyRect(kAnnouncePictureSize, pos).toAlignedRect();
            QVERIFY(QRect(0, 0, 351, 200).contains(key));
            QVERIFY2(!keys.intersects(key), qPrintable(QString::number(pos)));
            keys += key;
        }
        QVERIFY(posKeyboardKeyRect(kAnnouncePictureSize, 98).isEmpty());
        QVERIFY(posKeyboardKeyRect(kAnnouncePictureSize, -1).isEmpty());
        // The two blocks side by side: the right block starts past the left one.
        QVERIFY(posKeyboardKeyRect(kAnnouncePictureSize, 49).left() >
                posKeyboardKeyRect(kAnnouncePictureSize, 6).right() +
                    posKeyboardKeyRect(kAnnouncePictureSize, 0).width() / 2);
        QCOMPARE(posKeyboardKeyRect(kAnnouncePictureSize, 42).left(),
                 posKeyboardKeyRect(kAnnouncePictureSize, 0).left());
        QVERIFY(posKeyboardKeyRect(kAnnouncePictureSize, 97).bottom() >
                posKeyboardKeyRect(kAnnouncePictureSize, 90).bottom());

        // A marked key differs from its unmarked look near its corner (its
        // colour); an unmarked key no arrow crosses looks the same in both.
        auto corner = [](int pos) {
            const QRectF k = posKeyboardKeyRect(kAnnouncePictureSize, pos);
            return (k.topLeft() + QPointF(k.width() * 0.2, k.height() * 0.3)).toPoint();
        };
        for (int pos : kAnnounceKeyPositions) {
            QVERIFY2(marked.pixel(corner(pos)) != plain.pixel(corner(pos)),
                     qPrintable(QString::number(pos)));
        }
        for (int pos : {1, 24, 48, 52, 84, 96}) { // away from the arrows
            QCOMPARE(marked.pixel(corner(pos)), plain.pixel(corner(pos)));
        }
        // Any size works, e.g. the special-key reference's photograph place.
        QCOMPARE(posKeyboardPicture(QSize(207, 156)).size(), QSize(207, 156));
        if (!qEnvironmentVariableIsEmpty("QUILBY_SNAPSHOT_DIR")) {
            const QString dir = qEnvironmentVariable("QUILBY_SNAPSHOT_DIR");
            marked.save(dir + QStringLiteral("/announce.png"));
            posKeyboardPicture(QSize(207, 156)).save(dir + QStringLiteral("/keyboard.png"));
        }
    }

    void aboutBoxSnapshot() {
        start();
        bool seen = false;
        QTimer::singleShot(0, this, [&seen] {
            auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            auto* version = box->findChild<QLabel*>(QStringLiteral("versionLine"));
            auto* copyright = box->findChild<QLabel*>(QStringLiteral("copyrightLine"));
            QVERIFY(version && copyright);
            QCOMPARE(version->text(),
                     QStringLiteral("POS Keyboard Utility 버전 ") + qs(programVersion()));
            QVERIFY(copyright->text().startsWith(QStringLiteral("Copyright (C) ")));
            // Both lines fit beside the logo and clear of the button.
            for (QLabel* line : {version, copyright}) {
                QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) <= line->width(),
                         qPrintable(line->text()));
                QVERIFY(!line->geometry().intersects(box->findChild<QPushButton*>()->geometry()));
                QVERIFY(line->geometry().left() >
                        box->findChild<QLabel*>(QStringLiteral("logo"))->geometry().right());
            }
            snapshot(box, QStringLiteral("about-box"));
            box->accept();
        });
        frame()->action(Command::About)->trigger();
        QVERIFY(seen);
    }
};

QTEST_MAIN(InfoDialogsTest)
#include "InfoDialogsTest.moc"
