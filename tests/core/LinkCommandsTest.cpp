#include "cli/LinkCommands.h"
#include "cli/Cli.h"
#include "cli/LinkReport.h"
#include "document/KeyFileWriter.h"
#include "link/DownloadImage.h"
#include "link/EvdevKeys.h"
#include "link/HardwarePortIo.h"
#include "link/KeySources.h"
#include "link/SimulatedKeyboard.h"

#include "../support/CliRun.h"
#include "../support/LinkFakes.h"
#include "../support/PseudoTerminal.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <linux/input-event-codes.h>
#include <mutex>
#include <sstream>
#include <thread>

using namespace quilby;
using namespace quilby::testing;
using namespace std::chrono_literals;

namespace {

// Counts the JSON lines of one event.
std::size_t countEvents(const std::string& out, const std::string& event) {
    std::size_t n = 0;
    const std::string key = "{\"event\": \"" + event + "\"";
    for (std::size_t p = out.find(key); p != std::string::npos; p = out.find(key, p + 1)) {
        ++n;
    }
    return n;
}

std::string doneLine(const std::string& out) {
    const auto at = out.find("{\"event\": \"done\"");
    return at == std::string::npos ? std::string() : out.substr(at);
}

// Runs link commands in-process against a simulated keyboard with instant
// pacing; the keyboard announces itself at once unless a test says otherwise.
class LinkCommandTest : public CliFixture {
protected:
    LinkCommandTest() {
        env.pacer = &pacer;
        env.simulator = &keyboard;
        env.simulatorAnnounceAfter = 0ms;
        env.portEnv = "sim";
    }

    CliRun runLink(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = runQuilbyKey(args, out, err, env);
        return {status, out.str(), err.str()};
    }

    std::string tableFile(const std::string& name = "t.KEY") {
        return write(name, writeKeyFile(fullTable()));
    }

    SimulatedKeyboard keyboard;
    InstantPacer pacer;
    LinkEnvironment env;
};

} // namespace

TEST_F(LinkCommandTest, DownloadSendsTheFilesImageAndReportsEachEvent) {
    const auto r = runLink({"download", "--json", tableFile()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("{\"event\": \"waiting\", \"command\": \"download\", \"model\": \"varo\""),
              0u)
        << r.out;
    EXPECT_EQ(countEvents(r.out, "identified"), 1u);
    EXPECT_NE(r.out.find("{\"event\": \"identified\", \"model\": \"varo\"}"), std::string::npos);
    EXPECT_EQ(countEvents(r.out, "progress"), 101u) << "one per percent, 0 to 100";
    EXPECT_NE(r.out.find("{\"event\": \"progress\", \"bytes\": 1960, \"percent\": 100}"),
              std::string::npos);
    const std::string done = doneLine(r.out);
    EXPECT_EQ(done.rfind("{\"event\": \"done\", \"result\": \"completed\", \"bytes\": 1960, ", 0),
              0u)
        << done;
    EXPECT_NE(done.find("\"bells\": 1, \"imageMatches\": true}"), std::string::npos) << done;
    EXPECT_EQ(keyboard.lastImage(), buildDownloadImage(fullTable()));
    EXPECT_EQ(keyboard.counters().bytesReceived, kDownloadImageSize);
    // The same pacing as the dialog: 15 ms and 10 ms before every byte.
    const auto pauses = pacer.pauses();
    ASSERT_EQ(pauses.size(), 2 * kDownloadImageSize);
    EXPECT_EQ(pauses[0], 15);
    EXPECT_EQ(pauses[1], 10);
}

TEST_F(LinkCommandTest, ExitStatusTellsHowACommandEnded) {
    std::string damaged = writeKeyFile(fullTable());
    damaged.replace(damaged.find("\n20\n"), 4, "\n35\n");
    struct Case {
        std::string name;
        std::vector<std::string> args;
        int status;
        std::string result; // the done event's result, or empty for none
        std::string mentions;
        bool sends;
    };
    const std::string good = tableFile();
    const std::string bad = write("bad.KEY", damaged);
    const std::vector<Case> cases = {
        {"suspicious table", {"download", "--json", bad}, 1, "refused", "quilby-key check", false},
        {"suspicious table forced",
         {"download", "--json", "--force", bad},
         0,
         "completed",
         "",
         true},
        {"unreadable file", {"download", path("missing.KEY")}, 2, "", "missing.KEY", false},
        {"no file", {"download", "--json"}, 2, "", "usage: quilby-key download", false},
        {"two files", {"download", good, good}, 2, "", "usage:", false},
        {"bad model", {"download", "--model=ibm", good}, 2, "", "--model must be varo", false},
        {"bad timeout", {"download", "--timeout=soon", good}, 2, "", "--timeout takes", false},
        {"unknown option", {"identify", "--force"}, 2, "", "unknown option --force", false},
        {"bad port", {"identify", "--port=com1"}, 2, "", "--port must be hw or sim", false},
        {"other model expected",
         {"download", "--json", "--model=molbrix", "--timeout=0.2", good},
         4,
         "timeout",
         "did not announce itself",
         false},
        {"hardware out of reach",
         {"download", "--json", "--port=hw", good},
         1,
         "refused",
         "port 0x60 is out of reach",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedKeyboard fresh;
        env.simulator = &fresh;
        const auto r = runLink(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        const std::string done = doneLine(r.out);
        if (c.result.empty()) {
            EXPECT_EQ(done, "");
        } else {
            EXPECT_NE(done.find("\"result\": \"" + c.result + "\""), std::string::npos) << done;
        }
        EXPECT_NE((r.out + r.err).find(c.mentions), std::string::npos) << r.out << r.err;
        EXPECT_EQ(fresh.counters().bytesReceived, c.sends ? kDownloadImageSize : 0u);
    }
}

TEST_F(LinkCommandTest, SignalStopsTheTransferBeforeItsNextByte) {
    HoldingPacer holding;
    env.pacer = &holding;
    const std::string file = tableFile();
    CliRun r{};
    std::thread command([&] { r = runLink({"download", "--json", file}); });
    holding.allowBytes(100);
    // Wait until the worker is held inside byte 101.
    while (keyboard.counters().bytesReceived < 100) {
        std::this_thread::sleep_for(1ms);
    }
    holding.waitUntilPausing();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    holding.open();
    command.join();
    EXPECT_EQ(r.status, 3) << r.err;
    const std::string done = doneLine(r.out);
    EXPECT_NE(done.find("\"result\": \"aborted\""), std::string::npos) << done;
    EXPECT_NE(done.find("stopped by SIGTERM"), std::string::npos) << done;
    // The byte in progress may go out, none after it.
    EXPECT_LE(keyboard.counters().bytesReceived, 101u);
    const std::string bytes =
        "\"bytes\": " + std::to_string(keyboard.counters().bytesReceived) + ",";
    EXPECT_NE(done.find(bytes), std::string::npos) << "the bytes that did go out: " << done;
    EXPECT_EQ(keyboard.counters().completedDownloads, 0);
    // The handler is gone again: the default action would end the test program.
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST_F(LinkCommandTest, KeyboardAnnouncingAgainAbortsTheTransfer) {
    HoldingPacer holding;
    env.pacer = &holding;
    const std::string file = tableFile();
    CliRun r{};
    std::thread command([&] { r = runLink({"download", "--json", file}); });
    holding.allowBytes(50);
    while (keyboard.counters().bytesReceived < 50) {
        std::this_thread::sleep_for(1ms);
    }
    holding.waitUntilPausing();
    keyboard.announce();
    // The command sees the announcement within one of its waits.
    std::this_thread::sleep_for(200ms);
    holding.open();
    command.join();
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(doneLine(r.out).find("announced itself again"), std::string::npos) << r.out;
    EXPECT_LT(keyboard.counters().bytesReceived, 60u);
    // Three rings for the interrupted transfer, once, however many bytes the
    // worker still sent before it stopped.
    EXPECT_NE(doneLine(r.out).find("\"bells\": 3,"), std::string::npos) << r.out;
}

TEST_F(LinkCommandTest, McrStoresTheOptionThenPrintsTheEpromReport) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    write("MCR.OPN", std::string("1\0\0\0tail", 8));
    ASSERT_TRUE(keyboard.setEpromReport("A12-B34", "9C8D"));
    const auto r = runLink({"mcr", "--set=ff"});
    const auto json = runLink({"mcr", "--json", "--set=;"});
    std::filesystem::remove(path("MCR.OPN"));
    const auto missing = runLink({"mcr"});
    std::filesystem::current_path(previous);

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "version A12-B34\nchecksum 9C8D\n");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(doneLine(json.out).find("\"version\": \"A12-B34\", \"checksum\": \"9C8D\""),
              std::string::npos)
        << json.out;
    // The command carried the stored option: ff first, then ;.
    EXPECT_EQ(keyboard.counters().mcrCommands, 2);
    EXPECT_EQ(keyboard.counters().lastMcrOption, 3);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("MCR.OPN was not found"), std::string::npos) << missing.err;
}

TEST_F(LinkCommandTest, IdentifyNamesTheModelThatAnnounced) {
    for (const auto model : {SimulatedKeyboard::Model::Varo, SimulatedKeyboard::Model::Molbrix}) {
        keyboard.setModel(model);
        const auto r = runLink({"identify"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, model == SimulatedKeyboard::Model::Varo ? "varo\n" : "molbrix\n");
    }
    env.simulatorAnnounceAfter = 10s;
    const auto late = runLink({"identify", "--json", "--timeout=0.1"});
    EXPECT_EQ(late.status, 4);
    EXPECT_NE(doneLine(late.out).find("\"result\": \"timeout\""), std::string::npos);
}

namespace {

// A keyboard on a Linux input device, replaying a recorded event stream.
class RecordedDevice : public InputDevice {
public:
    explicit RecordedDevice(std::vector<InputEvent> events) : events_(std::move(events)) {}
    int fd() const override { return -1; }
    std::optional<InputEvent> next() override {
        if (at_ == events_.size()) {
            return std::nullopt;
        }
        return events_[at_++];
    }
    std::string name() const override { return "recorded"; }

private:
    std::vector<InputEvent> events_;
    std::size_t at_ = 0;
};

// What the kernel reports for a key typed on a USB keyboard: the scan code,
// the key and a report boundary, for the press and the release.
void typeKey(std::vector<InputEvent>& events, std::uint16_t code, bool repeat = false) {
    events.push_back({EV_MSC, MSC_SCAN, 0x70004});
    events.push_back({EV_KEY, code, 1});
    events.push_back({EV_SYN, SYN_REPORT, 0});
    if (repeat) {
        events.push_back({EV_KEY, code, 2});
        events.push_back({EV_SYN, SYN_REPORT, 0});
    }
    events.push_back({EV_MSC, MSC_SCAN, 0x70004});
    events.push_back({EV_KEY, code, 0});
    events.push_back({EV_SYN, SYN_REPORT, 0});
}

std::vector<InputEvent> typed(std::string_view text) {
    static const std::uint16_t kLetters[26] = {
        KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
        KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};
    std::vector<InputEvent> events;
    for (const char c : text) {
        typeKey(events, c == ' ' ? KEY_SPACE : kLetters[c - 'A']);
    }
    return events;
}

// Port syscalls that grant port 0x60 and keep every byte written: a recording
// stand-in for the hardware, never the real port.
PortSyscalls recordingPort(std::vector<std::uint8_t>& written, std::mutex& mutex) {
    PortSyscalls s;
    s.portInstructions = true;
    s.ioperm = [](unsigned long, unsigned long, bool) { return 0; };
    s.openDevPort = [] { return -ENOENT; };
    s.closeFd = [](int) {};
    s.devPortWrite = [](int, std::uint16_t, std::uint8_t) { return false; };
    s.devPortRead = [](int, std::uint16_t) { return -1; };
    s.outByte = [&](std::uint16_t, std::uint8_t value) {
        const std::lock_guard lock(mutex);
        written.push_back(value);
    };
    s.inByte = [](std::uint16_t) { return std::uint8_t{0xFA}; };
    return s;
}

} // namespace

TEST_F(LinkCommandTest, DownloadHearsTheKeyboardThroughItsInputDevice) {
    struct Case {
        std::string name;
        std::vector<InputEvent> events;
        int status;
    };
    std::vector<InputEvent> withRepeat = typed("VAROPOS");
    typeKey(withRepeat, KEY_K, true); // auto-repeat: a second K key-down breaks the match
    const auto rest = typed("EYBOARD");
    withRepeat.insert(withRepeat.end(), rest.begin(), rest.end());
    std::vector<InputEvent> shifted;
    shifted.push_back({EV_KEY, KEY_LEFTSHIFT, 1});
    const auto upper = typed("VAROPOSKEYBOARD");
    shifted.insert(shifted.end(), upper.begin(), upper.end());
    shifted.push_back({EV_KEY, KEY_LEFTSHIFT, 0});
    const std::vector<Case> cases = {
        {"typed", typed("VAROPOSKEYBOARD"), 0},
        {"typed with Shift held", shifted, 0},
        {"after a stray key", typed("XVAROPOSKEYBOARD"), 0},
        {"a repeated key", withRepeat, 4},
        {"the other model", typed(" MOLBRIXPOSKEYBOARD"), 4},
    };
    const std::string file = tableFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> written;
        std::mutex mutex;
        std::vector<std::unique_ptr<InputDevice>> devices;
        devices.push_back(std::make_unique<RecordedDevice>(c.events));
        EvdevKeySource keys(std::move(devices));
        env.portEnv = "";
        env.keys = &keys;
        env.hardware = [&] {
            return std::make_unique<HardwarePortIo>(recordingPort(written, mutex));
        };
        const auto r = runLink({"download", "--timeout=0.2", file});
        EXPECT_EQ(r.status, c.status) << r.err;
        const DownloadImage image = buildDownloadImage(fullTable());
        const std::lock_guard lock(mutex);
        if (c.status == 0) {
            EXPECT_EQ(written, std::vector<std::uint8_t>(image.begin(), image.end()));
        } else {
            EXPECT_TRUE(written.empty());
        }
    }
}

TEST(TerminalKeys, TypedBytesMatchLikeKeyDowns) {
    LinkSettings settings;
    settings.keyboardBrand = KeyboardBrand::Varo;
    settings.selectKeyboardId();
    struct Case {
        std::string typed;
        bool completes;
    };
    const std::vector<Case> cases = {
        {"varoposkeyboard", true},   {"VAROPOSKEYBOARD", true},   {"varopos\nkeyboard", true},
        {"varopos-keyboard", false}, {"vvaroposkeyboard", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        KeyboardIdMatcher matcher(settings);
        bool completed = false;
        for (const KeyMessage& key : keyMessagesOfTerminalBytes(c.typed)) {
            completed |= matcher.step(key, false).completed;
        }
        EXPECT_EQ(completed, c.completes);
    }
}

TEST(TerminalKeys, OnlyVirtualConsolesCountAsLocal) {
    EXPECT_TRUE(isLocalConsole("/dev/tty1"));
    EXPECT_TRUE(isLocalConsole("/dev/tty12"));
    EXPECT_TRUE(isLocalConsole("/dev/console"));
    EXPECT_FALSE(isLocalConsole("/dev/pts/3"));
    EXPECT_FALSE(isLocalConsole("/dev/tty"));
    EXPECT_FALSE(isLocalConsole("/dev/ttyS0"));
    EXPECT_FALSE(isLocalConsole(""));
}

TEST(LinkReport, ProgressBarShowsBytesPercentAndTimeLeft) {
    EXPECT_EQ(progressBarText(980, 1960, 24s),
              "[###############               ]  980/1960 bytes  50%  0:24 left");
    EXPECT_EQ(progressBarText(1960, 1960, 0s),
              "[##############################] 1960/1960 bytes 100%  0:00 left");
    EXPECT_EQ(progressBarText(0, 1960, 49s).substr(32), "    0/1960 bytes   0%  0:49 left");
}

TEST_F(LinkCommandTest, TerminalRouteReadsTheTypingAndLeavesTheTerminalAsItWas) {
    PseudoTerminal pty;
    if (!pty.ok()) {
        GTEST_SKIP() << "no pseudo-terminals here";
    }
    const tcflag_t before = pty.localFlags();
    std::vector<std::uint8_t> written;
    std::mutex mutex;
    env.portEnv = "hw";
    env.terminalFd = pty.console();
    env.hardware = [&] { return std::make_unique<HardwarePortIo>(recordingPort(written, mutex)); };
    const std::string file = tableFile();
    // Returns once the command has taken the terminal over.
    const auto waitForRawMode = [&] {
        for (int i = 0; i < 2000 && (pty.localFlags() & ECHO) != 0; ++i) {
            std::this_thread::sleep_for(1ms);
        }
    };

    CliRun typed{};
    std::thread command([&] { typed = runLink({"download", "--input=tty", "--timeout=5", file}); });
    waitForRawMode();
    // As a shell does when the command is stopped with Ctrl+Z and continued:
    // its own settings come back, and the command must take the terminal again.
    termios shell{};
    ::tcgetattr(pty.console(), &shell);
    shell.c_lflag = before;
    ::tcsetattr(pty.console(), TCSANOW, &shell);
    waitForRawMode();
    pty.type("varoposkeyboard");
    command.join();
    EXPECT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(pty.localFlags(), before);
    {
        const std::lock_guard lock(mutex);
        EXPECT_EQ(written.size(), kDownloadImageSize);
    }

    CliRun interrupted{};
    std::thread waiting([&] { interrupted = runLink({"identify", "--input=tty", "--timeout=5"}); });
    waitForRawMode();
    ASSERT_EQ(std::raise(SIGINT), 0);
    waiting.join();
    EXPECT_EQ(interrupted.status, 3) << interrupted.err;
    EXPECT_NE(interrupted.err.find("stopped by Ctrl+C"), std::string::npos) << interrupted.err;
    EXPECT_EQ(pty.localFlags(), before);
}

TEST(LinkHelp, HelpDescribesTheLinkCommandsAndTheirExitStatuses) {
    const auto help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text :
         {"download [--port=hw|sim] [--model=varo|molbrix] [--json] [--timeout=S] [--force]",
          "mcr [--port=hw|sim]", "identify [--port=hw|sim] [--json] [--timeout=S]",
          "QUILBY_PORT=sim", "'input' group", "3 aborted", "4 timeout"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const auto one = run({"mcr", "--help"});
    EXPECT_EQ(one.status, 0);
    EXPECT_NE(one.out.find("--set=off|ff|?|;"), std::string::npos) << one.out;
}

TEST_F(LinkCommandTest, IdentifyOnlyListensSoNeedsNoPort) {
    std::vector<std::unique_ptr<InputDevice>> devices;
    devices.push_back(std::make_unique<RecordedDevice>(typed(" MOLBRIXPOSKEYBOARD")));
    EvdevKeySource keys(std::move(devices));
    env.portEnv = "hw"; // and no hardware back-end at all
    env.keys = &keys;
    const auto r = runLink({"identify", "--json", "--timeout=1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(doneLine(r.out).find("\"model\": \"molbrix\""), std::string::npos) << r.out;
}
