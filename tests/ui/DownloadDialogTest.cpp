#include "link/qt/DownloadDialog.h"
#include "app/CommandTable.h"
#include "app/qt/Application.h"
#include "app/qt/DocumentController.h"
#include "app/qt/MainWindow.h"
#include "common/qt/QtDialogUnits.h"
#include "common/qt/QtFonts.h"
#include "common/qt/QtText.h"
#include "link/DownloadRecord.h"
#include "link/HelperPortIo.h"
#include "link/LinkTexts.h"
#include "link/SimulatedKeyboard.h"
#include "link/qt/QtLinkKeys.h"
#include "link/qt/SimulatorWindow.h"

#include "../support/LinkFakes.h"
#include "../support/RecordingHelper.h"
#include "../support/TableFixtures.h"
#include "../support/UiTestSupport.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

using namespace quilby;
using quilby::testing::HoldingPacer;
using quilby::testing::InstantPacer;
using State = DownloadSession::State;

namespace {

// A key waits in the console at the `keyAt`-th check (1-based).
class ConsoleKeyAt : public ConsoleKeys {
public:
    explicit ConsoleKeyAt(int keyAt) : keyAt_(keyAt) {}
    bool keyWaiting() override { return ++checks_ == keyAt_; }

private:
    int keyAt_;
    int checks_ = 0;
};

// Linux input key codes; the X key code in nativeScanCode is this + 8.
constexpr int kEvdevEsc = 1;
constexpr int kEvdevEnter = 28;
constexpr int kEvdevKeypadEnter = 96;

void tapKey(QWidget* target, int evdev, Qt::Key key, const QString& text) {
    for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, static_cast<quint32>(evdev + 8), 0, 0, text);
        QApplication::sendEvent(target, &event);
    }
}

// The keyboard typing `text` into the dialog, as the simulated keyboard's
// window delivers it: real key events posted to the focused control.
void typeInto(DownloadDialog& dialog, const char* text) {
    postTypedKeys(dialog.focusWidget(), SimulatedKeyboard::typingOf(text, false));
    QCoreApplication::sendPostedEvents();
}

const char* const kAnnouncement = "VAROPOSKEYBOARD";

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// What the dialog shows: status | Cancel enabled | Quit enabled | progress.
QString shown(const DownloadDialog& d) {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(d.statusField()->text())
        .arg(d.cancelButton()->isEnabled() ? "cancel" : "-")
        .arg(d.quitButton()->isEnabled() ? "quit" : "-")
        .arg(d.progressBar()->value());
}

} // namespace

class DownloadDialogTest : public QObject, quilby::testing::UiFixture {
    Q_OBJECT

private:
    std::unique_ptr<LinkSettings> settings_;
    std::unique_ptr<DocumentController> doc_;
    std::unique_ptr<SimulatedKeyboard> keyboard_;
    std::atomic<long long> clockShiftMs_{0};
    std::unique_ptr<QWidget> main_;
    InstantPacer instant_;
    NoConsoleKeys noConsole_;

    DownloadLink link(Pacer& pacer, ConsoleKeys& console,
                      DownloadWorker::ThreadLauncher launcher = {}) {
        return DownloadLink{*settings_, *keyboard_, pacer, console, std::move(launcher)};
    }
    std::unique_ptr<DownloadDialog> open(const DownloadLink& l) {
        auto dialog = std::make_unique<DownloadDialog>(doc_->data(), l, main_.get());
        dialog->show();
        return dialog;
    }

private Q_SLOTS:
    void initTestCase() { setUpCase(); }

    void init() {
        setUpTest();
        settings_ = std::make_unique<LinkSettings>();
        settings_->keyboardBrand = KeyboardBrand::Varo;
        settings_->selectKeyboardId();
        settings_->osFamily = OsFamily::OpenPorts;
        doc_ = std::make_unique<DocumentController>();
        doc_->data() = quilby::testing::fullTable();
        clockShiftMs_ = 0;
        keyboard_ = std::make_unique<SimulatedKeyboard>(SimulatedKeyboard::Model::Varo, [this] {
            return SimulatedKeyboard::Clock::now() + std::chrono::milliseconds(clockShiftMs_);
        });
        main_ = std::make_unique<QWidget>();
        main_->show();
    }

    void cleanup() {
        main_.reset();
        keyboard_.reset();
        tearDownTest();
    }

    void opensWaitingWithItsLayoutAndTexts() {
        auto d = open(link(instant_, noConsole_));
        QCOMPARE(d->windowTitle(), u8("다운로드"));
        QCOMPARE(d->windowModality(), Qt::WindowModal);
        QCOMPARE(d->announceGroup()->title(), u8("POS 키보드를 눌러주세요!"));
        QCOMPARE(d->cautionLabel()->text(), u8("       **주  의**\n"
                                               "1. 다운로드중 벨소리가 3번 울리면 다운로드 \n"
                                               "실패이오니 취소하고 다시 다운로드하여 주십시요!\n"
                                               " 2. 다운로드가 완료된후 벨소리가 한번 울릴때까지\n"
                                               "   기다려 주십시요"));
        QCOMPARE(d->cancelButton()->text(), u8("취소(Cancel)"));
        QCOMPARE(d->quitButton()->text(), u8("닫기(QUIT)"));
        QCOMPARE(shown(*d), QStringLiteral("|-|quit|0"));
        QCOMPARE(d->progressBar()->minimum(), 0);
        QCOMPARE(d->progressBar()->maximum(), 100);
        QVERIFY(d->statusField()->isReadOnly());
        QVERIFY(d->statusField()->alignment() & Qt::AlignHCenter);
        QCOMPARE(d->focusWidget(), d->statusField());
        QVERIFY(d->session().image() == buildDownloadImage(doc_->data()));

        // The layout in dialog units of the dialog's font.
        const DialogUnits du = dialogUnitsOf(d->font());
        QCOMPARE(d->size(), QSize(du.x(201), du.y(243)));
        const struct {
            QWidget* control;
            int x, y, w, h;
        } places[] = {
            {d->announceGroup(), 7, 3, 187, 121},  {d->cautionLabel(), 7, 126, 187, 50},
            {d->progressGroup(), 7, 175, 187, 41}, {d->progressBar(), 11, 183, 179, 14},
            {d->statusField(), 11, 200, 179, 12},  {d->cancelButton(), 19, 222, 81, 14},
            {d->quitButton(), 102, 222, 81, 14},
        };
        for (const auto& p : places) {
            QCOMPARE(p.control->geometry(), dluRect(du, p.x, p.y, p.w, p.h));
        }
        // The picture sits at its place, inside the group box, as large as
        // the place allows up to its own 351 x 200 pixels.
        const QRect picturePlace = dluRect(du, 11, 16, 179, 103);
        QCOMPARE(d->picture()->geometry().topLeft(), picturePlace.topLeft());
        QVERIFY(d->announceGroup()->geometry().contains(d->picture()->geometry()));
        QCOMPARE(d->picture()->pixmap().size(), QSize(351, 200).boundedTo(QSize(351, 200).scaled(
                                                    picturePlace.size(), Qt::KeepAspectRatio)));
    }

    // The simulated keyboard announces itself into the dialog through its
    // window; the matcher sees it and the document's image arrives.
    void theSimulatorsAnnouncementSendsTheDocument() {
        SimulatorWindow simulator(keyboard_.get(), doc_->data(), main_.get());
        simulator.show();
        auto d = open(link(instant_, noConsole_));
        QCOMPARE(simulator.typingTarget(), d->statusField());
        // A window-modal dialog leaves the simulator's window usable: the
        // click goes through the window system, which drops it on a blocked
        // window.
        QPushButton* announce = simulator.announceButton();
        QTest::mouseClick(simulator.windowHandle(), Qt::LeftButton, {},
                          announce->mapTo(&simulator, announce->rect().center()));
        QTRY_COMPARE(d->session().state(), State::Completed);
        QCOMPARE(shown(*d), QStringLiteral("Sending Completed!!|-|quit|100"));
        QCOMPARE(keyboard_->counters().bytesReceived, kDownloadImageSize);
        QVERIFY(keyboard_->lastImage() == buildDownloadImage(doc_->data()));
        QCOMPARE(keyboard_->counters().bellRings, 1);
        QTRY_COMPARE(simulator.imageLabel()->text(), u8("문서와 같음"));
        QCOMPARE(simulator.bellLabel()->text(), QStringLiteral("1"));
        QVERIFY(answers_.linkBoxes.isEmpty());
    }

    // The real back-end of the program: the dialog's transfer goes to the
    // port helper (the test build's, which records instead of reaching a
    // port), which paces it and reports every byte; the image arrives whole.
    void theTransferGoesThroughThePortHelper() {
        QTemporaryDir dir;
        const std::string record = quilby::toLocalPath(dir.filePath(QStringLiteral("written")));
        HelperPortIo helper(quilby::testing::recordingHelper(record));
        settings_->osFamily = OsFamily::PermissionStep;
        settings_->portReady = true;
        auto d = open(DownloadLink{*settings_, helper, instant_, noConsole_});
        QVERIFY(!d->findChild<QLabel*>(QStringLiteral("announcePicture"))->toolTip().isEmpty());
        typeInto(*d, "VAROPOSKEYBOARD");
        QTRY_COMPARE_WITH_TIMEOUT(d->session().state(), State::Completed, 20000);
        QCOMPARE(shown(*d), QStringLiteral("Sending Completed!!|-|quit|100"));
        const auto written = quilby::testing::recordedBytes(record);
        const DownloadImage image = buildDownloadImage(doc_->data());
        QVERIFY(written == std::vector<std::uint8_t>(image.begin(), image.end()));
        QVERIFY(answers_.linkBoxes.isEmpty());
    }

    void escapeAndEnterNeverCloseIt() {
        HoldingPacer pacer;
        auto d = open(link(pacer, noConsole_));
        const auto keys = {std::tuple{kEvdevEsc, Qt::Key_Escape, QStringLiteral("\x1b")},
                           std::tuple{kEvdevEnter, Qt::Key_Return, QStringLiteral("\r")},
                           std::tuple{kEvdevKeypadEnter, Qt::Key_Enter, QStringLiteral("\r")}};
        auto pressAll = [&] {
            for (const auto& [evdev, key, text] : keys) {
                for (QWidget* target :
                     {static_cast<QWidget*>(d->statusField()),
                      static_cast<QWidget*>(d->quitButton()), static_cast<QWidget*>(d.get())}) {
                    tapKey(target, evdev, key, text);
                }
                // Also without a native key code, which no matcher can read.
                QTest::keyClick(d.get(), key);
            }
        };

        // Waiting: Escape in the middle of the announcement does not break it.
        pressAll();
        QVERIFY(d->isVisible());
        typeInto(*d, "VARO");
        tapKey(d->statusField(), kEvdevEsc, Qt::Key_Escape, QStringLiteral("\x1b"));
        typeInto(*d, "POSKEYBOARD");
        QCOMPARE(d->session().state(), State::Sending);

        // Sending, then Completed.
        pressAll();
        QVERIFY(d->isVisible());
        pacer.open();
        QTRY_COMPARE(d->session().state(), State::Completed);
        pressAll();
        QVERIFY(d->isVisible());
        QVERIFY(answers_.linkBoxes.isEmpty());
    }

    void cancelDuringATransferAsksAndStopsBeforeTheNextByte() {
        HoldingPacer pacer;
        auto d = open(link(pacer, noConsole_));
        typeInto(*d, kAnnouncement);
        QCOMPARE(shown(*d), QStringLiteral("Sending File .......!|cancel|-|0"));
        pacer.allowBytes(980);
        QTRY_COMPARE(d->progressBar()->value(), 50);

        // No: nothing changes, the transfer goes on.
        answers_.yesNo = {false};
        d->cancelButton()->click();
        QCOMPARE(answers_.linkBoxes, QStringList{u8("?|취소하시겠습니까?")});
        QVERIFY(d->isVisible());
        QCOMPARE(settings_->downloadRunFlag.load(), 1);
        pacer.allowBytes(20);
        QTRY_COMPARE(keyboard_->counters().bytesReceived, std::size_t{1000});
        QCOMPARE(d->session().state(), State::Sending);

        // Yes: the window closes at once; the byte in progress is the last.
        answers_.yesNo = {true};
        d->cancelButton()->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), static_cast<int>(QDialog::Rejected));
        QCOMPARE(answers_.linkBoxes,
                 QStringList({u8("?|취소하시겠습니까?"), u8("?|취소하시겠습니까?"),
                              QStringLiteral("-|") + qs(texts::kDownloadCancelled)}));
        pacer.open();
        d.reset(); // waits for the worker
        QCOMPARE(keyboard_->counters().bytesReceived, std::size_t{1001});
        QCOMPARE(settings_->downloadRunFlag.load(), 1);
        QCoreApplication::processEvents(); // the worker's last reports go nowhere

        // The keyboard rings three times once no byte has come for a while.
        keyboard_->poll();
        QCOMPARE(keyboard_->counters().bellRings, 0);
        clockShiftMs_ = 1500;
        keyboard_->poll();
        QCOMPARE(keyboard_->counters().bellRings, 3);
        QCOMPARE(keyboard_->counters().abortedDownloads, 1);
    }

    // The simulated keyboard announcing itself mid-transfer has left its
    // receiving state and kept nothing: the dialog ends the transfer as
    // failed, never as completed, and the next announcement starts afresh.
    void anAnnouncementDuringATransferFailsIt() {
        HoldingPacer pacer;
        auto d = open(link(pacer, noConsole_));
        typeInto(*d, kAnnouncement);
        pacer.allowBytes(980);
        QTRY_COMPARE(d->progressBar()->value(), 50);
        pacer.waitUntilPausing();
        keyboard_->announce();
        {
            const quilby::testing::OpensWhenStopped opener(pacer, settings_->downloadRunFlag);
            postTypedKeys(d->focusWidget(), keyboard_->takeTypedKeys());
            QCoreApplication::sendPostedEvents();
        }
        QCOMPARE(d->session().state(), State::Failed);
        QCoreApplication::processEvents(); // the stopped worker's last reports
        QCOMPARE(shown(*d), QStringLiteral("Sending Fail .......!|-|quit|50"));
        QCOMPARE(answers_.linkBoxes,
                 QStringList{QStringLiteral("-|") + qs(texts::kDownloadInterrupted)});
        QCOMPARE(keyboard_->counters().bytesReceived, std::size_t{981});
        QCOMPARE(keyboard_->counters().completedDownloads, 0);
        QVERIFY(!keyboard_->lastImage());

        keyboard_->announce();
        postTypedKeys(d->focusWidget(), keyboard_->takeTypedKeys());
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(d->session().state(), State::Completed);
        QCOMPARE(shown(*d), QStringLiteral("Sending Completed!!|-|quit|100"));
        QVERIFY(keyboard_->lastImage() == buildDownloadImage(doc_->data()));
        QCOMPARE(answers_.linkBoxes.size(), 1);
    }

    void theTransferEndsInEveryWay() {
        struct Case {
            const char* name;
            std::int32_t family; // the number the family is known by
            std::int32_t ready;
            int consoleKeyAt;
            bool threadFails;
            State state;
            QString shown;
            QStringList boxes;
            std::size_t bytes;
        };
        const QString refused = u8("-|다운로드 실패 처음부터 다시 시작하여 주십시요 !");
        const Case cases[] = {
            {"completed",
             2,
             0,
             0,
             false,
             State::Completed,
             QStringLiteral("Sending Completed!!|-|quit|100"),
             {},
             kDownloadImageSize},
            {"completed, permission granted",
             1,
             1,
             0,
             false,
             State::Completed,
             QStringLiteral("Sending Completed!!|-|quit|100"),
             {},
             kDownloadImageSize},
            {"refused: no permission",
             1,
             0,
             0,
             false,
             State::Refused,
             QStringLiteral("Sending File .......!|-|quit|0"),
             {refused},
             0},
            {"refused: no port instructions",
             0,
             0,
             0,
             false,
             State::Refused,
             QStringLiteral("Sending File .......!|-|quit|0"),
             {refused},
             0},
            {"console key before byte 3",
             2,
             0,
             3,
             false,
             State::Aborted,
             QStringLiteral("Quit Download !|cancel|-|0"),
             {},
             2},
            {"no thread",
             2,
             0,
             0,
             true,
             State::StartFailed,
             QStringLiteral("Sending Fail .......!|cancel|-|0"),
             {u8("-|다운로드 실패!!"), u8("stop|다운로드를 완성하지 못했습니다.\n다시 시도해 "
                                          "주십시요!")},
             0},
        };
        for (const Case& c : cases) {
            init();
            settings_->osFamily = OsFamily{c.family};
            settings_->portReady = c.ready;
            ConsoleKeyAt console(c.consoleKeyAt);
            int launches = 0;
            DownloadWorker::ThreadLauncher launcher;
            if (c.threadFails) {
                launcher = [&launches](std::function<void()>) -> std::thread {
                    ++launches;
                    throw std::system_error(
                        std::make_error_code(std::errc::resource_unavailable_try_again));
                };
            }
            auto d = open(link(instant_, console, launcher));
            // What stood behind each box when it was shown.
            QStringList behind;
            prompts().linkMessage = [&](QWidget*, const QString& text, bool stop) {
                answers_.linkBoxes
                    << (stop ? QStringLiteral("stop|") : QStringLiteral("-|")) + text;
                behind << shown(*d);
            };
            typeInto(*d, kAnnouncement);
            QTRY_COMPARE(d->session().state(), c.state);
            QCOMPARE(shown(*d), c.shown);
            QCOMPARE(answers_.linkBoxes, c.boxes);
            QCOMPARE(keyboard_->counters().bytesReceived, c.bytes);
            if (c.threadFails) {
                QCOMPARE(behind, (QStringList{QStringLiteral("Sending File .......!|-|quit|0"),
                                              QStringLiteral("Sending Fail .......!|cancel|-|0")}));
                typeInto(*d, "X");
                typeInto(*d, kAnnouncement);
                QCOMPARE(launches, 1); // final: nothing more is matched
            }
            QVERIFY2(d->isVisible(), c.name);
        }
    }

    // Quit closes without a question; the close button of the window acts
    // as whichever of Cancel and Quit is enabled.
    void closingInEachState() {
        struct Case {
            const char* name;
            int consoleKeyAt;
            bool announce;
            bool byQuit;
            QList<bool> answers;
            bool asked;
            bool closes;
        };
        const Case cases[] = {
            {"waiting, Quit", 0, false, true, {}, false, true},
            {"waiting, close button", 0, false, false, {}, false, true},
            {"completed, close button", 0, true, false, {}, false, true},
            {"aborted, close button, No", 1, true, false, {false}, true, false},
            {"aborted, close button, Yes", 1, true, false, {true}, true, true},
        };
        for (const Case& c : cases) {
            init();
            ConsoleKeyAt console(c.consoleKeyAt);
            auto d = open(link(instant_, console));
            if (c.announce) {
                typeInto(*d, kAnnouncement);
                QTRY_VERIFY(d->session().state() != State::Sending);
            }
            answers_.yesNo = c.answers;
            if (c.byQuit) {
                d->quitButton()->click();
            } else {
                d->close();
            }
            // A confirmed Cancel also says the download was cancelled.
            QCOMPARE(answers_.linkBoxes.size(), c.asked ? (c.closes ? 2 : 1) : 0);
            if (c.asked && c.closes) {
                QCOMPARE(answers_.linkBoxes.last(),
                         QStringLiteral("-|") + qs(texts::kDownloadCancelled));
            }
            QVERIFY2(d->isVisible() != c.closes, c.name);
        }
    }

    // The keys of a message box shown over the dialog are the box's own.
    void aBoxOverTheDialogKeepsItsKeys() {
        auto d = open(link(instant_, noConsole_));
        auto* box = new QWidget(d.get(), Qt::Dialog);
        auto* field = new QLineEdit(box);
        box->show();
        typeInto(*d, "VARO");
        postTypedKeys(field, SimulatedKeyboard::typingOf("POSKEYBOARD", false));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(d->session().matchCounter(), 4);
        QCOMPARE(field->text(), QStringLiteral("poskeyboard"));
    }

    // The view's Download command, the whole road in the program with the
    // simulated keyboard and the real pacing.
    void theDownloadCommandRunsOnTheDocument() {
        std::filesystem::remove_all(DownloadHistory::defaultFolder());
        Application app;
        QVERIFY(app.start({}, QStringLiteral("sim")));
        app.document()->data() = quilby::testing::fullTable();
        QVERIFY(app.mainWindow()->action(Command::Download)->isEnabled());
        bool checked = false;
        quilby::testing::onNextModal(this, [&](QDialog* dialog) {
            auto* d = qobject_cast<DownloadDialog*>(dialog);
            QVERIFY(d);
            QCOMPARE(d->parentWidget(), app.mainWindow());
            QCOMPARE(d->windowModality(), Qt::WindowModal);
            QVERIFY(d->session().image() == buildDownloadImage(app.document()->data()));
            QCOMPARE(app.simulatorWindow()->typingTarget(), d->statusField());
            app.simulatorWindow()->announceButton()->click();
            QTRY_COMPARE(d->session().state(), State::Sending);
            QTRY_VERIFY(app.simulator()->counters().bytesReceived > 0);
            answers_.yesNo = {true};
            d->cancelButton()->click();
            checked = true;
        });
        app.mainWindow()->action(Command::Download)->trigger();
        QVERIFY(checked);
        QVERIFY(!QApplication::activeModalWidget());
        const std::size_t sent = app.simulator()->counters().bytesReceived;
        QVERIFY(sent > 0 && sent < kDownloadImageSize);
        QCOMPARE(app.linkSettings().downloadRunFlag.load(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(app.simulator()->counters().bellRings, 3, 5000);
        // The stopped transfer is recorded with the image it was sending.
        const auto log = DownloadHistory(DownloadHistory::defaultFolder()).read();
        QVERIFY(std::holds_alternative<DownloadLog>(log));
        const auto& records = std::get<DownloadLog>(log).records;
        QCOMPARE(records.size(), std::size_t{1});
        QCOMPARE(records[0].outcome, DownloadOutcome::Aborted);
        QVERIFY(records[0].bytes > 0 && records[0].bytes <= sent);
        QCOMPARE(records[0].model, std::string("varo"));
        QCOMPARE(records[0].imageSha256,
                 downloadRecordOf("", buildDownloadImage(app.document()->data()),
                                  DownloadOutcome::Aborted, 0, 0, "")
                     .imageSha256);
        app.mainWindow()->close();
    }

    // Every transfer the dialog makes is recorded once, the second one
    // after the keyboard announced itself again included.
    void eachTransferIsRecordedOnce() {
        QTemporaryDir dir;
        DownloadLink l = link(instant_, noConsole_);
        l.historyFolder = quilby::toLocalPath(dir.path());
        l.tablePath = "/tills/full.KEY";
        auto d = open(l);
        for (int transfer = 1; transfer <= 2; ++transfer) {
            // The matcher's counter left by the first match swallows the
            // next announcement, as the dialog always did: the second
            // transfer starts at the second one.
            for (int typed = 0; typed < transfer; ++typed) {
                typeInto(*d, kAnnouncement);
            }
            QTRY_COMPARE(keyboard_->counters().completedDownloads, transfer);
            QTRY_COMPARE(d->session().state(), State::Completed);
        }
        d.reset();
        const auto log = DownloadHistory(l.historyFolder).read();
        const auto& records = std::get<DownloadLog>(log).records;
        QCOMPARE(records.size(), std::size_t{2});
        for (const auto& r : records) {
            QCOMPARE(r.outcome, DownloadOutcome::Completed);
            QCOMPARE(r.bytes, kDownloadImageSize);
            QCOMPARE(r.path, l.tablePath);
        }
        QVERIFY(answers_.errors.isEmpty());
    }

    // A record that cannot be written leaves the transfer completed and is
    // said after it, once.
    void aRecordThatCannotBeWrittenIsSaidAfterTheTransfer() {
        QTemporaryDir dir;
        const QString blocked = dir.filePath(QStringLiteral("state"));
        quilby::testing::writeBytes(blocked, "a file where the folder should be");
        DownloadLink l = link(instant_, noConsole_);
        l.historyFolder = quilby::toLocalPath(blocked) + "/quilby";
        auto d = open(l);
        typeInto(*d, kAnnouncement);
        QTRY_COMPARE(d->session().state(), State::Completed);
        QCOMPARE(keyboard_->counters().bytesReceived, kDownloadImageSize);
        QTRY_COMPARE(answers_.errors.size(), 1);
        QVERIFY(
            answers_.errors.at(0).contains(QString::fromUtf8("다운로드 기록을 남기지 못했습니다")));
        d.reset();
        QCOMPARE(answers_.errors.size(), 1);
    }
};

QTEST_MAIN(DownloadDialogTest)
#include "DownloadDialogTest.moc"
