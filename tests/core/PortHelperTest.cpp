#include "port/PortHelper.h"
#include "port/Privileges.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quilby;
using namespace std::chrono_literals;
using Exit = helper::Exit;

namespace {

// What the parent sends, and when (ms after the start).
struct Input {
    long at = 0;
    int byte = 0; // kEndOfInput for the end of the pipe
};

// A helper's whole system in memory: a clock that jumps over every wait,
// scripted input, the status port's answers in turn, and one log of every
// call. Nothing reaches a port or a capability.
class FakeHelperSystem {
public:
    int permit60 = 0;
    int permit64 = 0;
    int dropError = 0;
    bool parentAlive = true;
    std::vector<std::uint8_t> status{0x00}; // the last one repeats
    std::vector<Input> input;

    std::vector<std::string> log;
    std::vector<std::uint8_t> replies;
    std::vector<std::pair<long, std::uint8_t>> written; // (ms, byte) on port 0x60
    HelperSystem::Clock::time_point now{};

    long ms() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch())
            .count();
    }

    HelperSystem system() {
        HelperSystem s;
        s.permitPort = [this](std::uint16_t port) {
            log.push_back("permit " + hex(port));
            return port == 0x60 ? permit60 : permit64;
        };
        s.dropPrivileges = [this] {
            log.push_back("drop");
            return dropError;
        };
        s.watchParent = [this] {
            log.push_back("watch");
            return parentAlive;
        };
        s.outByte = [this](std::uint16_t port, std::uint8_t value) {
            log.push_back("out " + hex(port));
            written.emplace_back(ms(), value);
        };
        s.inByte = [this](std::uint16_t port) -> std::uint8_t {
            log.push_back("in " + hex(port));
            if (port != 0x64) {
                return 0xFA;
            }
            const std::uint8_t value = status[std::min(statusAt_, status.size() - 1)];
            ++statusAt_;
            return value;
        };
        s.readByte = [this](std::chrono::microseconds timeout) {
            log.push_back("read");
            if (next_ < input.size() &&
                (timeout.count() < 0 || HelperSystem::Clock::time_point(std::chrono::milliseconds(
                                            input[next_].at)) <= now + timeout)) {
                now = std::max(now, HelperSystem::Clock::time_point(
                                        std::chrono::milliseconds(input[next_].at)));
                const int byte = input[next_].byte;
                if (byte != HelperSystem::kEndOfInput) {
                    ++next_; // the end stays the end
                }
                return byte;
            }
            if (next_ >= input.size() && timeout.count() < 0) {
                return HelperSystem::kEndOfInput;
            }
            now += timeout;
            return HelperSystem::kNoInput;
        };
        s.write = [this](const std::vector<std::uint8_t>& bytes) {
            replies.insert(replies.end(), bytes.begin(), bytes.end());
            return true;
        };
        s.now = [this] { return now; };
        s.sleepUntil = [this](HelperSystem::Clock::time_point until) {
            now = std::max(now, until);
        };
        return s;
    }

    Exit run() {
        HelperSystem s = system();
        return runPortHelper(s);
    }

    void request(RunKind kind, const std::vector<std::uint8_t>& bytes, bool thenEnd = false) {
        for (const std::uint8_t b : helper::encodeRequest(kind, bytes)) {
            input.push_back({0, b});
        }
        if (thenEnd) {
            input.push_back({1000000, HelperSystem::kEndOfInput});
        }
    }

    std::size_t count(const std::string& op) const {
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), op));
    }

private:
    static std::string hex(std::uint16_t port) {
        char text[8];
        std::snprintf(text, sizeof text, "%02x", port);
        return text;
    }
    std::size_t statusAt_ = 0;
    std::size_t next_ = 0;
};

std::string joined(const std::vector<std::string>& ops, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < ops.size() && i < limit; ++i) {
        text += (text.empty() ? "" : "; ") + ops[i];
    }
    return text;
}

} // namespace

// The permission comes first, one port per call, then every capability goes,
// and only then is anything read from the parent. A refusal is told and ends
// the helper before it reads a byte.
TEST(PortHelper, DropsItsCapabilitiesBeforeItReadsAndTellsItsAnswer) {
    struct Case {
        const char* name;
        int permit60;
        int permit64;
        int dropError;
        bool parentAlive;
        std::uint8_t status;
        Exit exit;
        std::vector<std::uint8_t> replies;
        const char* start; // the first calls
    };
    const Case cases[] = {
        {"ready, probe ends",
         0,
         0,
         0,
         true,
         0x00,
         Exit::Done,
         {'R'},
         "permit 60; permit 64; drop; watch; in 64; read"},
        {"no capability",
         EPERM,
         0,
         0,
         true,
         0x00,
         Exit::Refused,
         {'P', EPERM},
         "permit 60; drop; watch"},
        {"status port refused",
         0,
         EPERM,
         0,
         true,
         0x00,
         Exit::Refused,
         {'P', EPERM},
         "permit 60; permit 64; drop; watch"},
        {"capabilities kept",
         0,
         0,
         EPERM,
         true,
         0x00,
         Exit::Refused,
         {'F', EPERM},
         "permit 60; permit 64; drop"},
        {"no controller",
         0,
         0,
         0,
         true,
         0xFF,
         Exit::Refused,
         {'C'},
         "permit 60; permit 64; drop; watch; in 64"},
        {"parent already gone",
         0,
         0,
         0,
         false,
         0x00,
         Exit::Stopped,
         {},
         "permit 60; permit 64; drop; watch"},
    };
    for (const Case& c : cases) {
        FakeHelperSystem sys;
        sys.permit60 = c.permit60;
        sys.permit64 = c.permit64;
        sys.dropError = c.dropError;
        sys.parentAlive = c.parentAlive;
        sys.status = {c.status};
        EXPECT_EQ(sys.run(), c.exit) << c.name;
        EXPECT_EQ(sys.replies, c.replies) << c.name;
        EXPECT_EQ(joined(sys.log, 6), c.start) << c.name;
        EXPECT_EQ(sys.count("out 60"), 0u) << c.name;
        if (c.exit == Exit::Refused || c.exit == Exit::Stopped) {
            EXPECT_EQ(sys.count("read"), 0u) << c.name;
        }
    }
}

// Anything but a whole download image of at most 1960 bytes or the 4-byte
// MCR command is refused before a byte goes out.
TEST(PortHelper, RefusesEveryOtherRequest) {
    struct Case {
        const char* name;
        std::vector<int> input;
        Exit exit;
        std::size_t sent;
    };
    const std::vector<std::uint8_t> image(1960, 0x11);
    std::vector<int> fullImage{'D', 0xA8, 0x07};
    fullImage.insert(fullImage.end(), image.begin(), image.end());
    std::vector<int> tooLong{'D', 0xA9, 0x07};
    tooLong.insert(tooLong.end(), image.begin(), image.end());
    tooLong.push_back(0x11);
    const Case cases[] = {
        {"the whole image", fullImage, Exit::Done, 1960},
        {"the MCR command", {'M', 4, 0, 0xAA, 0xAA, 0xAA, 1}, Exit::Done, 4},
        {"one byte more than the image", tooLong, Exit::BadRequest, 0},
        {"an empty download", {'D', 0, 0}, Exit::BadRequest, 0},
        {"a short MCR command", {'M', 3, 0, 0xAA, 0xAA, 0xAA}, Exit::BadRequest, 0},
        {"a long MCR command", {'M', 5, 0, 0xAA, 0xAA, 0xAA, 1, 2}, Exit::BadRequest, 0},
        {"another kind", {'W', 1, 0, 0x61}, Exit::BadRequest, 0},
        {"a request cut short", {'D', 3, 0, 1, 2, HelperSystem::kEndOfInput}, Exit::BadRequest, 0},
        {"a length cut short", {'D', 3, HelperSystem::kEndOfInput}, Exit::BadRequest, 0},
        {"a stop before any request", {'S'}, Exit::Done, 0},
    };
    for (const Case& c : cases) {
        FakeHelperSystem sys;
        for (const int b : c.input) {
            sys.input.push_back({0, b});
        }
        EXPECT_EQ(sys.run(), c.exit) << c.name;
        EXPECT_EQ(sys.written.size(), c.sent) << c.name;
        if (c.exit == Exit::BadRequest) {
            const std::vector<std::uint8_t> end{'R', 'E', static_cast<std::uint8_t>(c.exit)};
            EXPECT_EQ(sys.replies, end) << c.name;
        }
    }
}

// Each kind keeps its pacing, waits for the controller before every byte,
// writes port 0x60 only and reports every byte read back.
TEST(PortHelper, SendsPacedAndReportsEveryByte) {
    struct Case {
        const char* name;
        RunKind kind;
        std::vector<std::uint8_t> bytes;
        std::vector<long> at; // ms of each write
    };
    const Case cases[] = {
        {"download", RunKind::Download, {1, 2, 3}, {25, 50, 75}},
        {"MCR command", RunKind::Mcr, {0xAA, 0xAA, 0xAA, 2}, {150, 200, 250, 300}},
    };
    for (const Case& c : cases) {
        FakeHelperSystem sys;
        sys.request(c.kind, c.bytes);
        EXPECT_EQ(sys.run(), Exit::Done) << c.name;
        ASSERT_EQ(sys.written.size(), c.bytes.size()) << c.name;
        std::vector<std::uint8_t> expected{'R'};
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            EXPECT_EQ(sys.written[i].first, c.at[i]) << c.name << " byte " << i;
            EXPECT_EQ(sys.written[i].second, c.bytes[i]) << c.name;
            expected.insert(expected.end(), {'B', 0xFA});
        }
        expected.insert(expected.end(), {'E', 0});
        EXPECT_EQ(sys.replies, expected) << c.name;
        // Every write follows a look at the status port.
        for (std::size_t i = 1; i < sys.log.size(); ++i) {
            if (sys.log[i] == "out 60") {
                EXPECT_EQ(sys.log[i - 1], "in 64") << c.name;
            }
        }
        EXPECT_EQ(sys.count("out 64") + sys.count("out 61"), 0u) << c.name;
    }
}

// A controller whose input buffer stays full ends the run as failed after a
// bounded wait; one that empties in time lets the byte go.
TEST(PortHelper, WaitsForTheControllerForABoundedTime) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> status; // after the start-up look
        Exit exit;
        std::size_t sent;
    };
    const Case cases[] = {
        {"empties after a while", {0x02, 0x02, 0x02, 0x00}, Exit::Done, 2},
        {"never empties", {0x02}, Exit::ControllerFault, 0},
        {"output full only", {0x01}, Exit::Done, 2},
    };
    for (const Case& c : cases) {
        FakeHelperSystem sys;
        sys.status = {0x00};
        sys.status.insert(sys.status.end(), c.status.begin(), c.status.end());
        sys.request(RunKind::Download, {7, 8});
        EXPECT_EQ(sys.run(), c.exit) << c.name;
        EXPECT_EQ(sys.written.size(), c.sent) << c.name;
        EXPECT_EQ(sys.replies.back(), static_cast<std::uint8_t>(c.exit)) << c.name;
        if (c.exit == Exit::ControllerFault) {
            EXPECT_GE(sys.ms(), 25 + helper::kControllerWait.count()) << c.name;
            EXPECT_LT(sys.ms(), 25 + 2 * helper::kControllerWait.count()) << c.name;
        }
    }
}

// A stop request or the end of the input pipe (the parent died) ends the run
// within one byte period, and never before a byte's own pauses are over.
TEST(PortHelper, StopsWithinOneBytePeriod) {
    struct Case {
        const char* name;
        long at;
        int byte;
    };
    const Case cases[] = {
        {"stop in a pause", 110, helper::kStop},
        {"stop just after a write", 125, helper::kStop},
        {"parent died", 260, HelperSystem::kEndOfInput},
        {"parent died at once", 0, HelperSystem::kEndOfInput},
    };
    for (const Case& c : cases) {
        FakeHelperSystem sys;
        sys.request(RunKind::Download, std::vector<std::uint8_t>(1960, 0x22));
        sys.input.push_back({c.at, c.byte});
        EXPECT_EQ(sys.run(), Exit::Stopped) << c.name;
        EXPECT_LE(sys.ms() - c.at, 25) << c.name;
        ASSERT_FALSE(sys.written.empty() && c.at > 25) << c.name;
        if (!sys.written.empty()) {
            EXPECT_LE(sys.written.back().first - c.at, 25) << c.name;
        }
        // The pacing of what was sent stayed whole.
        for (std::size_t i = 0; i < sys.written.size(); ++i) {
            EXPECT_EQ(sys.written[i].first, static_cast<long>(25 * (i + 1))) << c.name;
        }
    }
}

// The real drop, in a child process: afterwards the child holds no
// capability and may gain none.
TEST(Privileges, LeavesNoCapabilityAndNoWayBack) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (dropEveryCapability() != 0 || holdsCapabilities()) {
            ::_exit(1);
        }
        std::ifstream status("/proc/self/status");
        std::string line;
        bool noNewPrivs = false;
        bool noEffective = false;
        while (std::getline(status, line)) {
            noNewPrivs |= line == "NoNewPrivs:\t1";
            noEffective |= line == "CapEff:\t0000000000000000";
        }
        ::_exit(noNewPrivs && noEffective ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
