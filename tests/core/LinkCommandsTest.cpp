#include "cli/LinkCommands.h"
#include "cli/Cli.h"
#include "cli/LinkReport.h"
#include "document/KeyFileWriter.h"
#include "link/DownloadImage.h"
#include "link/EvdevKeys.h"
#include "link/HelperPortIo.h"
#include "link/KeySources.h"
#include "link/SimulatedKeyboard.h"

#include "../support/CliRun.h"
#include "../support/LinkFakes.h"
#include "../support/PseudoTerminal.h"
#include "../support/RecordingHelper.h"
#include "../support/TableFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
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
        // With --json a done line comes last on every road, usage and file
        // errors included.
        {"no file", {"download", "--json"}, 2, "error", "usage: quilby-key download", false},
        {"unreadable file, json",
         {"download", "--json", path("missing.KEY")},
         2,
         "error",
         "\"reason\": \"cannot read",
         false},
        {"a folder, json", {"download", "--json", dir_}, 2, "error", "cannot read", false},
        {"unknown option, json",
         {"mcr", "--json", "--bogus"},
         2,
         "error",
         "\"reason\": \"unknown option --bogus",
         false},
        {"bad timeout, json",
         {"identify", "--timeout=x", "--json"},
         2,
         "error",
         "\"reason\": \"--timeout takes",
         false},
        {"two files", {"download", good, good}, 2, "", "usage:", false},
        {"bad model", {"download", "--model=ibm", good}, 2, "", "--model must be varo", false},
        {"bad timeout", {"download", "--timeout=soon", good}, 2, "", "--timeout takes", false},
        {"unknown option", {"identify", "--force"}, 2, "", "unknown option --force", false},
        {"bad port", {"identify", "--port=com1"}, 2, "", "--port must be hw or sim", false},
        // --input is checked before any waiting, with the simulator too.
        {"input that names nothing",
         {"identify", "--json", "--input=/dev/none"},
         1,
         "refused",
         "/dev/none",
         false},
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

// Every signal that asks a command to stop (a closed pipe as a closed
// terminal) stops a transfer before its next byte, with exit 3 and a done
// line, and gives the handler back afterwards.
TEST_F(LinkCommandTest, SignalStopsTheTransferBeforeItsNextByte) {
    const struct {
        int signal;
        const char* named;
    } cases[] = {
        {SIGTERM, "stopped by SIGTERM"}, {SIGHUP, "stopped by SIGHUP"},
        {SIGPIPE, "stopped by SIGPIPE"}, {SIGINT, "stopped by Ctrl+C"},
        {SIGQUIT, "stopped by SIGQUIT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        SimulatedKeyboard fresh;
        env.simulator = &fresh;
        HoldingPacer holding;
        env.pacer = &holding;
        const std::string file = tableFile();
        CliRun r{};
        std::thread command([&] { r = runLink({"download", "--json", file}); });
        holding.allowBytes(100);
        // Wait until the worker is held inside byte 101.
        while (fresh.counters().bytesReceived < 100) {
            std::this_thread::sleep_for(1ms);
        }
        holding.waitUntilPausing();
        ASSERT_EQ(std::raise(c.signal), 0);
        holding.open();
        command.join();
        EXPECT_EQ(r.status, 3) << r.err;
        const std::string done = doneLine(r.out);
        EXPECT_NE(done.find("\"result\": \"aborted\""), std::string::npos) << done;
        EXPECT_NE(done.find(c.named), std::string::npos) << done;
        // The byte in progress may go out, none after it.
        EXPECT_LE(fresh.counters().bytesReceived, 101u);
        const std::string bytes =
            "\"bytes\": " + std::to_string(fresh.counters().bytesReceived) + ",";
        EXPECT_NE(done.find(bytes), std::string::npos) << "the bytes that did go out: " << done;
        EXPECT_EQ(fresh.counters().completedDownloads, 0);
        // The handler is gone again: the default action would end the test program.
        struct sigaction now {};
        ::sigaction(c.signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL);
    }
}

namespace {

// Standard output on a full disk or a closed pipe: every write fails once
// `failing` is set.
class FailingOutput : public std::streambuf {
public:
    std::atomic<bool> failing{true};

protected:
    int overflow(int c) override {
        if (failing) {
            errno = ENOSPC;
            return traits_type::eof();
        }
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize size) override {
        if (failing) {
            errno = ENOSPC;
            return 0;
        }
        return size;
    }
};

} // namespace

// A write that fails is never a success: before a transfer exit 2 with a
// message, during one the transfer stops and exits 3.
TEST_F(LinkCommandTest, OutputThatCannotBeWrittenIsNeverASuccess) {
    const std::string file = tableFile();
    const std::vector<std::vector<std::string>> before = {
        {"dump", "--json", file}, {"dump", file}, {"check", file}, {"keys", "--json"}, {"--help"},
        {"identify", "--json"},   {"--version"},  {"keys"},
    };
    for (const auto& args : before) {
        SCOPED_TRACE(args[0]);
        SimulatedKeyboard fresh;
        env.simulator = &fresh;
        FailingOutput full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(runQuilbyKey(args, out, err, env), 2);
        EXPECT_NE(err.str().find("cannot write standard output: No space left on device"),
                  std::string::npos)
            << err.str();
    }

    env.simulator = &keyboard;
    HoldingPacer holding;
    env.pacer = &holding;
    FailingOutput full;
    full.failing = false;
    std::ostream out(&full);
    std::ostringstream err;
    int status = -1;
    std::thread command([&] {
        status = runQuilbyKey({"download", "--json", file}, out, err, env);
    });
    holding.allowBytes(100);
    while (keyboard.counters().bytesReceived < 100) {
        std::this_thread::sleep_for(1ms);
    }
    holding.waitUntilPausing();
    full.failing = true;
    // Another hundred bytes: the next progress line fails, and the transfer
    // stops at the byte after it is seen.
    holding.allowBytes(100);
    std::this_thread::sleep_for(300ms);
    holding.open();
    command.join();
    EXPECT_EQ(status, 3) << err.str();
    EXPECT_LE(keyboard.counters().bytesReceived, 201u);
    EXPECT_EQ(keyboard.counters().completedDownloads, 0);
    EXPECT_NE(err.str().find("cannot write standard output"), std::string::npos) << err.str();
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
    // A short limit: a simulator that does not answer fails the test at once.
    const auto r = runLink({"mcr", "--set=ff", "--timeout=10"});
    const auto json = runLink({"mcr", "--json", "--set=;", "--timeout=10"});
    std::filesystem::remove(path("MCR.OPN"));
    const auto missing = runLink({"mcr", "--timeout=10"});
    std::filesystem::current_path(previous);

    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "version A12-B34\nchecksum 9C8D\n");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(doneLine(json.out).find("\"version\": \"A12-B34\", \"checksum\": \"9C8D\""),
              std::string::npos)
        << json.out;
    // The four bytes of the MCR command went out.
    EXPECT_NE(doneLine(json.out).find("\"bytes\": 4,"), std::string::npos) << json.out;
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
    explicit RecordedDevice(std::vector<InputEvent> events, std::string physical = {})
        : events_(std::move(events)), physical_(std::move(physical)) {}
    int fd() const override { return -1; }
    std::optional<InputEvent> next() override {
        if (at_ == events_.size()) {
            return std::nullopt;
        }
        return events_[at_++];
    }
    std::string name() const override { return "recorded"; }
    std::string physicalPath() const override { return physical_; }

private:
    std::vector<InputEvent> events_;
    std::string physical_;
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

} // namespace

TEST_F(LinkCommandTest, DownloadHearsTheKeyboardThroughItsInputDevice) {
    struct Case {
        std::string name;
        std::vector<InputEvent> events;
        int status;
        std::string physical = "isa0060/serio0/input0";
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
        // Port 0x60 never reaches these: refused before any byte is sent.
        {"on a USB port", typed("VAROPOSKEYBOARD"), 1, "usb-0000:00:14.0-2/input0"},
        {"through a USB adapter", typed("VAROPOSKEYBOARD"), 1, "usb-0000:00:1d.0-1.2/input0"},
        {"on the PS/2 mouse port", typed("VAROPOSKEYBOARD"), 1, "isa0060/serio1/input0"},
        {"a device without a path", typed("VAROPOSKEYBOARD"), 0, ""},
    };
    const std::string file = tableFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string record = path("written-" + std::to_string(&c - &cases[0]));
        std::vector<std::unique_ptr<InputDevice>> devices;
        devices.push_back(std::make_unique<RecordedDevice>(c.events, c.physical));
        EvdevKeySource keys(std::move(devices));
        env.portEnv = "";
        env.keys = &keys;
        env.hardware = [&] { return std::make_unique<HelperPortIo>(recordingHelper(record)); };
        const auto r = runLink({"download", "--timeout=0.2", file});
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status == 1) {
            EXPECT_NE(r.err.find("not on the PS/2 port"), std::string::npos) << r.err;
        }
        const DownloadImage image = buildDownloadImage(fullTable());
        const auto written = recordedBytes(record);
        if (c.status == 0) {
            EXPECT_EQ(written, std::vector<std::uint8_t>(image.begin(), image.end()));
        } else {
            EXPECT_TRUE(written.empty());
        }
    }
}

TEST_F(LinkCommandTest, TerminalRouteReadsTheTypingAndLeavesTheTerminalAsItWas) {
    PseudoTerminal pty;
    if (!pty.ok()) {
        GTEST_SKIP() << "no pseudo-terminals here";
    }
    const tcflag_t before = pty.localFlags();
    const std::string record = path("written");
    env.portEnv = "hw";
    env.terminalFd = pty.console();
    env.hardware = [&] { return std::make_unique<HelperPortIo>(recordingHelper(record)); };
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
    EXPECT_EQ(recordedBytes(record).size(), kDownloadImageSize);

    CliRun interrupted{};
    std::thread waiting([&] { interrupted = runLink({"identify", "--input=tty", "--timeout=5"}); });
    waitForRawMode();
    ASSERT_EQ(std::raise(SIGINT), 0);
    waiting.join();
    EXPECT_EQ(interrupted.status, 3) << interrupted.err;
    EXPECT_NE(interrupted.err.find("stopped by Ctrl+C"), std::string::npos) << interrupted.err;
    EXPECT_EQ(pty.localFlags(), before);
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

// A transfer reports every byte; the bar on the terminal is redrawn at most
// ten times a second (and once at the end), and fits the terminal's width.
TEST_F(LinkCommandTest, TheProgressBarIsRedrawnAtMostTenTimesASecond) {
    env.progressBar = true;
    env.terminalColumns = 40;
    const auto started = std::chrono::steady_clock::now();
    const auto r = runLink({"download", tableFile()});
    const auto elapsed = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(r.status, 0) << r.err;
    const auto draws = static_cast<long>(std::count(r.err.begin(), r.err.end(), '\r'));
    EXPECT_GE(draws, 2);
    EXPECT_LE(draws,
              2 + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 100)
        << r.err;
    std::size_t from = 0;
    while ((from = r.err.find('\r', from)) != std::string::npos) {
        const std::size_t end = r.err.find_first_of("\r\n", from + 1);
        EXPECT_LT(end - from - 1, 40u) << r.err.substr(from + 1, end - from - 1);
        from = end;
    }
}
