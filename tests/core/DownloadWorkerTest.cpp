#include "link/DownloadWorker.h"
#include "link/DownloadRecord.h"
#include "link/DownloadSession.h"
#include "link/LinkTexts.h"
#include "link/SimulatedKeyboard.h"

#include "../support/LinkFakes.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <system_error>
#include <thread>

using namespace quilby;
using namespace quilby::testing;

namespace {

// The ops of sending `bytes` in full, with `console` checks.
std::vector<std::string> expectedOps(const DownloadImage& image, std::size_t bytes) {
    std::vector<std::string> ops{"watch"};
    for (std::size_t i = 0; i < bytes; ++i) {
        ops.insert(ops.end(), {"console", "pause 15", "touch", "pause 10",
                               "write 60 " + hexByte(image[i]), "read 60"});
    }
    return ops;
}

DownloadImage patternImage() {
    return buildDownloadImage(fullTable());
}

// Calls `action` after the `after`-th progress report, on the worker thread.
class ActingListener : public QueuedListener {
public:
    ActingListener(std::size_t after, std::function<void()> action)
        : after_(after), action_(std::move(action)) {}
    void downloadProgress(std::size_t bytesSent, int position) override {
        QueuedListener::downloadProgress(bytesSent, position);
        if (bytesSent == after_) {
            action_();
        }
    }

private:
    std::size_t after_;
    std::function<void()> action_;
};

std::vector<KeyMessage> announcement() {
    return SimulatedKeyboard::typingOf("VAROPOSKEYBOARD", false);
}

} // namespace

TEST(DownloadImage, TakesAllTwentyCodesOfEveryPositionInOrder) {
    KeyTableData table = fullTable();
    table.entryCounts[3] = 2; // counts do not matter: spare entries go too
    table.entryCounts[97] = -5;
    const DownloadImage image = buildDownloadImage(table);
    for (int k : {0, 3, 50, 97}) {
        for (int j : {0, 1, 19}) {
            EXPECT_EQ(
                image[static_cast<std::size_t>(20 * k + j)],
                table.keyTable[static_cast<std::size_t>(k)].codes[static_cast<std::size_t>(j)])
                << k << "/" << j;
        }
    }
    KeyTableData empty;
    empty.clearTable();
    const DownloadImage zeros = buildDownloadImage(empty);
    EXPECT_TRUE(std::all_of(zeros.begin(), zeros.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(DownloadWorker, SendsEveryByteWithItsPausesAndProgress) {
    OpLog log;
    RecordingPacer pacer(log);
    RecordingPort port(log);
    ScriptedConsole console(log);
    QueuedListener listener;
    std::atomic<std::int32_t> runFlag{1};
    const DownloadJob job{patternImage(), OsFamily::PermissionStep, 1};

    EXPECT_EQ(runDownload(job, port, pacer, runFlag, console, listener), DownloadEnd::Completed);

    auto expected = expectedOps(job.image, kDownloadImageSize);
    expected.push_back("unwatch");
    EXPECT_EQ(log.ops(), expected);

    const auto events = listener.take();
    ASSERT_EQ(events.size(), kDownloadImageSize + 1);
    for (std::size_t i = 0; i < kDownloadImageSize; ++i) {
        ASSERT_FALSE(events[i].ended);
        ASSERT_EQ(events[i].bytesSent, i + 1);
    }
    const std::pair<std::size_t, int> positions[] = {{1, 0},  {19, 0},   {20, 1},    {39, 1},
                                                     {40, 2}, {980, 50}, {1959, 99}, {1960, 100}};
    for (const auto& [bytes, position] : positions) {
        EXPECT_EQ(events[bytes - 1].position, position) << bytes;
    }
    EXPECT_TRUE(events.back().ended);
    EXPECT_EQ(events.back().end, DownloadEnd::Completed);
    EXPECT_EQ(runFlag.load(), 1);
}

TEST(DownloadWorker, AReadBackOrARefusedWriteNeverStopsTheTransfer) {
    OpLog log;
    RecordingPacer pacer(log);
    RecordingPort port(log, 0xFE); // the keyboard resends instead of acknowledging
    port.refuseWrites = {0, 5, 1959};
    NoConsoleKeys console;
    QueuedListener listener;
    std::atomic<std::int32_t> runFlag{1};
    const DownloadJob job{patternImage(), OsFamily::OpenPorts, 0};
    EXPECT_EQ(runDownload(job, port, pacer, runFlag, console, listener), DownloadEnd::Completed);
    EXPECT_EQ(port.written().size(), kDownloadImageSize - 3);
}

TEST(DownloadWorker, StopsBeforeTheNextByte) {
    struct Case {
        const char* name;
        std::int32_t family;
        std::int32_t ready;
        std::int32_t flagAtStart;
        std::size_t cancelAfter; // 0: never
        std::size_t keyAtCheck;  // 0: never
        DownloadEnd end;
        PortRefusal refusal;
        std::size_t bytesSent;
    };
    const Case cases[] = {
        {"cancelled before the start", 1, 1, 0, 0, 0, DownloadEnd::Cancelled, PortRefusal::None, 0},
        {"cancelled after the first byte", 1, 1, 1, 1, 0, DownloadEnd::Cancelled, PortRefusal::None,
         1},
        {"cancelled before the last byte", 2, 0, 1, 1959, 0, DownloadEnd::Cancelled,
         PortRefusal::None, 1959},
        {"console key at once", 1, 1, 1, 0, 1, DownloadEnd::ConsoleAbort, PortRefusal::None, 0},
        {"console key before byte 3", 2, 0, 1, 0, 3, DownloadEnd::ConsoleAbort, PortRefusal::None,
         2},
        {"permission not granted", 1, 0, 1, 0, 1, DownloadEnd::Refused, PortRefusal::NoPermission,
         0},
        {"no port instructions", 0, 0, 1, 0, 1, DownloadEnd::Refused,
         PortRefusal::NoPortInstructions, 0},
        {"no port instructions, flag set", 0, 1, 1, 0, 0, DownloadEnd::Refused,
         PortRefusal::NoPortInstructions, 0},
        {"the run flag is looked at first", 1, 0, 0, 0, 0, DownloadEnd::Cancelled,
         PortRefusal::None, 0},
    };
    for (const Case& c : cases) {
        OpLog log;
        RecordingPacer pacer(log);
        RecordingPort port(log);
        ScriptedConsole console(log, c.keyAtCheck);
        std::atomic<std::int32_t> runFlag{c.flagAtStart};
        ActingListener listener(c.cancelAfter, [&runFlag] { runFlag.store(0); });
        const DownloadJob job{patternImage(), OsFamily{c.family}, c.ready};

        EXPECT_EQ(runDownload(job, port, pacer, runFlag, console, listener), c.end) << c.name;
        EXPECT_EQ(port.written().size(), c.bytesSent) << c.name;
        EXPECT_EQ(runFlag.load(), 1) << c.name;
        const auto events = listener.take();
        ASSERT_FALSE(events.empty()) << c.name;
        EXPECT_TRUE(events.back().ended) << c.name;
        EXPECT_EQ(events.back().end, c.end) << c.name;
        EXPECT_EQ(events.back().refusal, c.refusal) << c.name;
        EXPECT_EQ(log.ops().back(), "unwatch") << c.name;
        if (c.end == DownloadEnd::Refused) {
            EXPECT_EQ(log.ops(), (std::vector<std::string>{"watch", "unwatch"})) << c.name;
        }
    }
}

TEST(DownloadWorker, RunsOneTransferAtATime) {
    OpLog log;
    HoldingPacer pacer;
    RecordingPort port(log);
    NoConsoleKeys console;
    QueuedListener listener;
    std::atomic<std::int32_t> runFlag{1};
    DownloadWorker worker(port, pacer, runFlag, console, listener);
    const DownloadJob job{patternImage(), OsFamily::OpenPorts, 0};

    ASSERT_EQ(worker.start(job), DownloadWorker::StartResult::Started);
    pacer.waitUntilPausing();
    EXPECT_TRUE(worker.busy());
    EXPECT_EQ(worker.start(job), DownloadWorker::StartResult::Busy);
    pacer.open();
    worker.wait();
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(port.written().size(), kDownloadImageSize);

    // The next transfer starts from byte 0 again.
    ASSERT_EQ(worker.start(job), DownloadWorker::StartResult::Started);
    worker.wait();
    const auto written = port.written();
    ASSERT_EQ(written.size(), 2 * kDownloadImageSize);
    EXPECT_TRUE(std::equal(job.image.begin(), job.image.end(), written.begin() + 1960));
}

TEST(DownloadWorker, ReportsAThreadThatCannotBeCreated) {
    OpLog log;
    RecordingPacer pacer(log);
    RecordingPort port(log);
    NoConsoleKeys console;
    QueuedListener listener;
    std::atomic<std::int32_t> runFlag{1};
    DownloadWorker worker(port, pacer, runFlag, console, listener,
                          [](std::function<void()>) -> std::thread {
                              throw std::system_error(
                                  std::make_error_code(std::errc::resource_unavailable_try_again));
                          });
    EXPECT_EQ(worker.start(DownloadJob{}), DownloadWorker::StartResult::ThreadFailed);
    EXPECT_FALSE(worker.busy());
    EXPECT_TRUE(log.ops().empty());
}

// The download dialog's decisions, with the worker's reports delivered the
// way queued signals would be.
class DownloadSessionTest : public ::testing::Test {
protected:
    DownloadSessionTest() {
        settings.keyboardBrand = KeyboardBrand::Varo;
        settings.selectKeyboardId();
        settings.osFamily = OsFamily::PermissionStep;
        settings.portReady = true;
    }

    void announce(DownloadSession& session) {
        for (const KeyMessage& k : announcement()) {
            session.onKey(k);
        }
    }

    LinkSettings settings;
    KeyTableData table = fullTable();
    OpLog log;
    RecordingPacer pacer{log};
    RecordingPort port{log};
    NoConsoleKeys console;
    QueuedListener listener;
    ScriptedLinkPrompts prompts;
};

TEST_F(DownloadSessionTest, WaitsThenSendsAndCompletes) {
    DownloadWorker worker(port, pacer, settings.downloadRunFlag, console, listener);
    DownloadSession session(settings, table, worker, prompts);
    table.keyTable[0].codes[0] = 0x77; // the image was taken when the dialog opened
    EXPECT_EQ(session.state(), DownloadSession::State::Waiting);
    EXPECT_FALSE(session.cancelEnabled());
    EXPECT_TRUE(session.quitEnabled());
    EXPECT_EQ(session.status(), DownloadStatus::None);
    for (const std::uint16_t vk : {KeyMessage::kEscape, KeyMessage::kEnter}) {
        EXPECT_EQ(session.onKey(KeyMessage::keyDown(vk)), KeyVerdict::Consumed);
    }

    announce(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Sending);
    EXPECT_EQ(session.status(), DownloadStatus::SendingFile);
    EXPECT_TRUE(session.cancelEnabled());
    EXPECT_FALSE(session.quitEnabled());
    EXPECT_FALSE(session.started());

    worker.wait();
    listener.deliverTo(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Completed);
    EXPECT_EQ(session.status(), DownloadStatus::SendingCompleted);
    EXPECT_EQ(session.progress(), 100);
    EXPECT_FALSE(session.cancelEnabled());
    EXPECT_TRUE(session.quitEnabled());
    const auto written = port.written();
    const DownloadImage image = patternImage();
    EXPECT_TRUE(std::equal(written.begin(), written.end(), image.begin(), image.end()));
    EXPECT_TRUE(prompts.shown.empty());

    // The counter stayed at 15: the next announcement is lost, the one after
    // it sends the same image again from byte 0.
    EXPECT_EQ(session.matchCounter(), 15);
    announce(session);
    worker.wait();
    EXPECT_EQ(port.written().size(), kDownloadImageSize);
    announce(session);
    worker.wait();
    listener.deliverTo(session);
    EXPECT_EQ(port.written().size(), 2 * kDownloadImageSize);
    EXPECT_EQ(session.state(), DownloadSession::State::Completed);
}

// The keyboard announces itself again after the last byte went out but before
// the worker's end report was handled: the transfer was complete, and the
// end report, not the announcement, decides.
TEST_F(DownloadSessionTest, AnAnnouncementAfterTheLastByteLeavesTheTransferComplete) {
    DownloadWorker worker(port, pacer, settings.downloadRunFlag, console, listener);
    DownloadSession session(settings, table, worker, prompts);
    announce(session);
    worker.wait();
    ASSERT_EQ(session.state(), DownloadSession::State::Sending); // end not handled yet
    announce(session);
    listener.deliverTo(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Completed);
    EXPECT_EQ(session.status(), DownloadStatus::SendingCompleted);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(port.written().size(), kDownloadImageSize);
}

// A lock key pressed while the table goes out makes the system write the
// keyboard's LED command to the same port, among the table's bytes: such a
// transfer still sends every byte unchanged, but it ends as a failure that
// asks for another download, and is recorded as failed. A press outside the
// transfer, or during an earlier one, leaves the transfer a success.
TEST_F(DownloadSessionTest, ALockKeyPressedDuringTheTransferFailsIt) {
    enum class When : std::uint8_t { BeforeTheTransfer, DuringIt, AfterItsEnd, DuringAnEarlierOne };
    const std::string lockKeyNotice = "-|" + std::string(texts::kDownloadLockKeyPressed);
    const struct {
        const char* name;
        When when;
        DownloadSession::State state;
        DownloadStatus status;
        std::vector<std::string> shown;
        DownloadOutcome outcome;
    } cases[] = {
        {"before",
         When::BeforeTheTransfer,
         DownloadSession::State::Completed,
         DownloadStatus::SendingCompleted,
         {},
         DownloadOutcome::Completed},
        {"during",
         When::DuringIt,
         DownloadSession::State::LockKeyPressed,
         DownloadStatus::SendingFail,
         {lockKeyNotice},
         DownloadOutcome::Failed},
        {"after",
         When::AfterItsEnd,
         DownloadSession::State::Completed,
         DownloadStatus::SendingCompleted,
         {},
         DownloadOutcome::Completed},
        {"earlier",
         When::DuringAnEarlierOne,
         DownloadSession::State::Completed,
         DownloadStatus::SendingCompleted,
         {lockKeyNotice},
         DownloadOutcome::Completed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpLog caseLog;
        RecordingPort casePort{caseLog};
        QueuedListener caseListener;
        ScriptedLinkPrompts casePrompts;
        DownloadWorker worker(casePort, pacer, settings.downloadRunFlag, console, caseListener);
        DownloadSession session(settings, table, worker, casePrompts);
        if (c.when == When::BeforeTheTransfer) {
            session.onLockKeyPressed();
        }
        if (c.when == When::DuringAnEarlierOne) {
            announce(session);
            session.onLockKeyPressed();
            worker.wait();
            caseListener.deliverTo(session);
            ASSERT_EQ(session.state(), DownloadSession::State::LockKeyPressed);
            announce(session); // lost: the counter stayed at 15
        }
        announce(session);
        if (c.when == When::DuringIt) {
            session.onLockKeyPressed();
        }
        worker.wait();
        caseListener.deliverTo(session);
        if (c.when == When::AfterItsEnd) {
            session.onLockKeyPressed();
        }
        EXPECT_EQ(session.state(), c.state);
        EXPECT_EQ(session.status(), c.status);
        EXPECT_EQ(casePrompts.shown, c.shown);
        EXPECT_EQ(downloadOutcomeOf(session.state()), c.outcome);
        EXPECT_TRUE(session.quitEnabled());
        EXPECT_FALSE(session.cancelEnabled());
        // The bytes sent are the image, unchanged and in full.
        const auto written = casePort.written();
        const DownloadImage image = patternImage();
        ASSERT_EQ(written.size() % kDownloadImageSize, 0u);
        EXPECT_TRUE(std::equal(written.end() - kDownloadImageSize, written.end(), image.begin(),
                               image.end()));
    }
}

TEST_F(DownloadSessionTest, RefusesWhenThePortIsOutOfReach) {
    for (const auto& [family, ready] : {std::pair{1, 0}, std::pair{0, 0}}) {
        settings.osFamily = OsFamily{family};
        settings.portReady = ready;
        prompts.shown.clear();
        DownloadWorker worker(port, pacer, settings.downloadRunFlag, console, listener);
        DownloadSession session(settings, table, worker, prompts);
        announce(session);
        worker.wait();
        listener.deliverTo(session);
        EXPECT_EQ(session.state(), DownloadSession::State::Refused);
        EXPECT_EQ(session.status(), DownloadStatus::SendingFile);
        EXPECT_EQ(prompts.shown,
                  std::vector<std::string>{"-|" + std::string(texts::kDownloadFailedRestart)});
        EXPECT_FALSE(session.cancelEnabled());
        EXPECT_TRUE(session.quitEnabled());
        EXPECT_EQ(session.progress(), 0);
        EXPECT_TRUE(port.written().empty());
    }
}

TEST_F(DownloadSessionTest, StopsOnAConsoleKey) {
    ScriptedConsole keyAtThirdCheck(log, 3);
    DownloadWorker worker(port, pacer, settings.downloadRunFlag, keyAtThirdCheck, listener);
    DownloadSession session(settings, table, worker, prompts);
    announce(session);
    worker.wait();
    listener.deliverTo(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Aborted);
    EXPECT_EQ(session.status(), DownloadStatus::QuitDownload);
    EXPECT_TRUE(session.cancelEnabled());
    EXPECT_FALSE(session.quitEnabled());
    EXPECT_EQ(port.written().size(), 2u);
    EXPECT_FALSE(session.started());
}

TEST_F(DownloadSessionTest, AFailedStartIsFinal) {
    int launches = 0;
    DownloadWorker worker(port, pacer, settings.downloadRunFlag, console, listener,
                          [&launches](std::function<void()>) -> std::thread {
                              ++launches;
                              throw std::system_error(
                                  std::make_error_code(std::errc::resource_unavailable_try_again));
                          });
    DownloadSession session(settings, table, worker, prompts);
    announce(session);
    EXPECT_EQ(session.state(), DownloadSession::State::StartFailed);
    EXPECT_EQ(session.status(), DownloadStatus::SendingFail);
    EXPECT_EQ(prompts.shown,
              (std::vector<std::string>{"-|" + std::string(texts::kThreadFailed),
                                        "stop|" + std::string(texts::kDownloadNotCompleted)}));
    EXPECT_TRUE(session.cancelEnabled());
    EXPECT_FALSE(session.quitEnabled());
    EXPECT_TRUE(session.started());
    announce(session);
    announce(session);
    EXPECT_EQ(launches, 1);
}

TEST_F(DownloadSessionTest, CancelAsksAndStopsAfterTheByteInProgress) {
    HoldingPacer gate;
    DownloadWorker worker(port, gate, settings.downloadRunFlag, console, listener);
    DownloadSession session(settings, table, worker, prompts);
    announce(session);
    gate.waitUntilPausing();

    prompts.answers = {false};
    EXPECT_FALSE(session.cancel());
    EXPECT_EQ(settings.downloadRunFlag.load(), 1);
    EXPECT_EQ(session.state(), DownloadSession::State::Sending);
    EXPECT_EQ(session.status(), DownloadStatus::SendingFile);

    prompts.answers = {true};
    EXPECT_TRUE(session.cancel());
    // Behind the message the field no longer says the file is being sent.
    EXPECT_EQ(session.status(), DownloadStatus::QuitDownload);
    const std::string asked = "?|" + std::string(texts::kCancelQuestion);
    EXPECT_EQ(prompts.shown, (std::vector<std::string>{
                                 asked, asked, "-|" + std::string(texts::kDownloadCancelled)}));
    gate.open();
    worker.wait();
    EXPECT_EQ(port.written().size(), 1u);
    EXPECT_EQ(settings.downloadRunFlag.load(), 1);
    listener.deliverTo(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Cancelled);
}

// The keyboard announces itself only outside its receiving state: a transfer
// it announces during has failed. The worker stops after the byte in
// progress, the failure is shown once, its late reports change nothing, and
// the next announcement sends the whole image afresh with one worker.
TEST_F(DownloadSessionTest, AnIdentificationDuringATransferFailsIt) {
    HoldingPacer gate;
    DownloadWorker worker(port, gate, settings.downloadRunFlag, console, listener);
    DownloadSession session(settings, table, worker, prompts);
    announce(session);
    gate.allowBytes(980);
    while (port.written().size() < 980) {
        std::this_thread::yield();
    }
    gate.waitUntilPausing();
    // No other key first: the one announcement is enough, although the
    // dialog's own matcher still stands at 15 from the match that started it.
    {
        const OpensWhenStopped opener(gate, settings.downloadRunFlag);
        announce(session);
    }
    EXPECT_FALSE(worker.busy());
    EXPECT_EQ(port.written().size(), 981u); // the byte in progress was the last
    EXPECT_EQ(settings.downloadRunFlag.load(), 1);
    const auto failed = [&] {
        EXPECT_EQ(session.state(), DownloadSession::State::Failed);
        EXPECT_EQ(session.status(), DownloadStatus::SendingFail);
        EXPECT_FALSE(session.cancelEnabled());
        EXPECT_TRUE(session.quitEnabled());
        EXPECT_FALSE(session.started());
        EXPECT_EQ(session.progress(), 0); // no report had been delivered yet
    };
    failed();
    // Its own words: the keyboard interrupted it, not the port.
    EXPECT_EQ(prompts.shown,
              std::vector<std::string>{"-|" + std::string(texts::kDownloadInterrupted)});
    listener.deliverTo(session); // progress up to 50, then "Cancelled"
    failed();

    announce(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Sending);
    worker.wait();
    listener.deliverTo(session);
    EXPECT_EQ(session.state(), DownloadSession::State::Completed);
    EXPECT_EQ(session.progress(), 100);
    const auto written = port.written();
    ASSERT_EQ(written.size(), 981u + kDownloadImageSize);
    const DownloadImage image = patternImage();
    EXPECT_TRUE(std::equal(written.begin() + 981, written.end(), image.begin(), image.end()));
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(DownloadSessionTest, TheWindowsCloseButtonActsAsTheEnabledButton) {
    struct Case {
        const char* name;
        DownloadSession::State state;
        std::deque<bool> answers;
        bool asked;
        bool closes;
    };
    const Case cases[] = {
        {"waiting: Quit", DownloadSession::State::Waiting, {}, false, true},
        {"completed: Quit", DownloadSession::State::Completed, {}, false, true},
        {"refused: Quit", DownloadSession::State::Refused, {}, false, true},
        {"aborted: Cancel, No", DownloadSession::State::Aborted, {false}, true, false},
        {"aborted: Cancel, Yes", DownloadSession::State::Aborted, {true}, true, true},
        {"start failed: Cancel, Yes", DownloadSession::State::StartFailed, {true}, true, true},
    };
    for (const Case& c : cases) {
        settings.osFamily =
            c.state == DownloadSession::State::Refused ? OsFamily::Unknown : OsFamily::OpenPorts;
        ScriptedConsole keyAtOnce(log, c.state == DownloadSession::State::Aborted ? 1 : 0);
        DownloadWorker::ThreadLauncher launcher;
        if (c.state == DownloadSession::State::StartFailed) {
            launcher = [](std::function<void()>) -> std::thread {
                throw std::system_error(std::make_error_code(std::errc::not_enough_memory));
            };
        }
        DownloadWorker worker(port, pacer, settings.downloadRunFlag, keyAtOnce, listener, launcher);
        DownloadSession session(settings, table, worker, prompts);
        if (c.state != DownloadSession::State::Waiting) {
            announce(session);
            worker.wait();
            listener.deliverTo(session);
        }
        ASSERT_EQ(session.state(), c.state) << c.name;
        prompts.shown.clear();
        prompts.answers = c.answers;
        EXPECT_EQ(session.closeRequested(), c.closes) << c.name;
        // A confirmed Cancel also says the download was cancelled.
        const std::size_t boxes = c.asked ? (c.closes ? 2u : 1u) : 0u;
        EXPECT_EQ(prompts.shown.size(), boxes) << c.name;
    }
}

// A dialog that goes away while its transfer runs (a confirmed Cancel closes
// it at once) stops the worker before its next byte and outlives it.
TEST_F(DownloadSessionTest, ClosingStopsARunningTransferAndWaitsForIt) {
    for (const bool byDestructor : {false, true}) {
        HoldingPacer gate;
        RecordingPort ownPort(log);
        DownloadWorker worker(ownPort, gate, settings.downloadRunFlag, console, listener);
        auto session = std::make_unique<DownloadSession>(settings, table, worker, prompts);
        announce(*session);
        gate.waitUntilPausing();
        {
            const OpensWhenStopped opener(gate, settings.downloadRunFlag);
            if (byDestructor) {
                session.reset();
            } else {
                session->close();
            }
        }
        EXPECT_FALSE(worker.busy()) << byDestructor;
        EXPECT_EQ(ownPort.written().size(), 1u) << byDestructor; // the byte in progress
        EXPECT_EQ(settings.downloadRunFlag.load(), 1) << byDestructor;
        const auto events = listener.take();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back().end, DownloadEnd::Cancelled);
    }
}
