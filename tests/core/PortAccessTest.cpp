#include "link/HardwarePortIo.h"
#include "link/LinkSettings.h"
#include "link/SimulatedKeyboard.h"

#include "../support/LinkFakes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quilby;
using quilby::testing::OpLog;

namespace {

class FakeAccess : public PortAccess {
public:
    FakeAccess(bool instructions, bool permissionStep, bool grants)
        : instructions_(instructions), permissionStep_(permissionStep), grants_(grants) {}
    bool hasPortInstructions() const override { return instructions_; }
    bool needsPermissionStep() const override { return permissionStep_; }
    PortGrant acquirePermission() override {
        ++acquired;
        PortGrant g;
        g.granted = grants_;
        g.instructionsError = grants_ ? 0 : EPERM;
        return g;
    }
    void releasePermission() override { ++released; }

    int acquired = 0;
    int released = 0;

private:
    bool instructions_;
    bool permissionStep_;
    bool grants_;
};

// System calls that record what the hardware back-end asked for; no real
// port, ioperm or /dev/port is ever reached.
struct FakeSystem {
    bool instructions = true;
    int iopermResult = 0; // errno for the "on" call
    int openResult = 7;   // descriptor, or -errno
    std::vector<std::string> calls;

    PortSyscalls syscalls() {
        PortSyscalls s;
        s.portInstructions = instructions;
        s.ioperm = [this](unsigned long from, unsigned long count, bool on) {
            calls.push_back("ioperm " + std::to_string(from) + " " + std::to_string(count) +
                            (on ? " on" : " off"));
            return on ? iopermResult : 0;
        };
        s.openDevPort = [this] {
            calls.push_back("open /dev/port");
            return openResult;
        };
        s.closeFd = [this](int fd) { calls.push_back("close " + std::to_string(fd)); };
        s.devPortWrite = [this](int fd, std::uint16_t port, std::uint8_t value) {
            calls.push_back("pwrite " + std::to_string(fd) + " " + std::to_string(port) + " " +
                            std::to_string(value));
            return true;
        };
        s.devPortRead = [this](int fd, std::uint16_t port) {
            calls.push_back("pread " + std::to_string(fd) + " " + std::to_string(port));
            return 0xFA;
        };
        s.outByte = [this](std::uint16_t port, std::uint8_t value) {
            calls.push_back("outb " + std::to_string(port) + " " + std::to_string(value));
        };
        s.inByte = [this](std::uint16_t port) {
            calls.push_back("inb " + std::to_string(port));
            return std::uint8_t{0xFA};
        };
        return s;
    }
};

} // namespace

TEST(KeyboardLinkStartup, DecidesFamilyAndPermissionInOrder) {
    struct Case {
        const char* name;
        bool instructions;
        bool permissionStep;
        bool grants;
        std::int32_t family; // the number the family is known by
        std::int32_t ready;
        int acquired;
        int releasedAtExit;
        PortRefusal refusal;
    };
    const Case cases[] = {
        {"permission granted", true, true, true, 1, 1, 1, 1, PortRefusal::None},
        {"permission refused", true, true, false, 1, 0, 1, 0, PortRefusal::NoPermission},
        {"no permission step", true, false, true, 2, 0, 0, 0, PortRefusal::None},
        {"no port instructions", false, true, true, 0, 0, 0, 0, PortRefusal::NoPortInstructions},
        {"no instructions, no step", false, false, false, 0, 0, 0, 0,
         PortRefusal::NoPortInstructions},
    };
    for (const Case& c : cases) {
        FakeAccess access(c.instructions, c.permissionStep, c.grants);
        LinkSettings settings;
        settings.keyboardBrand = KeyboardBrand::Molbrix;
        settings.portReady = 5; // whatever it was, start-up clears it first
        startKeyboardLink(settings, access);
        EXPECT_EQ(settings.keyboardBrand, KeyboardBrand::Varo) << c.name;
        EXPECT_EQ(settings.keyboardId.upper[0], 'V') << c.name;
        EXPECT_EQ(static_cast<std::int32_t>(settings.osFamily), c.family) << c.name;
        EXPECT_EQ(settings.portReady, c.ready) << c.name;
        EXPECT_EQ(settings.portGrant.granted, c.ready != 0) << c.name;
        EXPECT_EQ(access.acquired, c.acquired) << c.name;
        EXPECT_EQ(portRefusal(settings.osFamily, settings.portReady), c.refusal) << c.name;

        shutdownKeyboardLink(settings, access);
        shutdownKeyboardLink(settings, access);
        EXPECT_EQ(access.released, c.releasedAtExit) << c.name;
    }
}

TEST(HardwarePortIo, ObtainsARouteOrRefusesBeforeAnyInstruction) {
    using Route = PortGrant::Route;
    struct Case {
        const char* name;
        bool instructions;
        int ioperm;
        int open;
        Route route; // None: refused
        int instructionsError;
        int devPortError;
        const char* calls; // of acquire, write, read, release
    };
    const Case cases[] = {
        {"ioperm granted", true, 0, 7, Route::PortInstructions, 0, 0,
         "ioperm 96 1 on; outb 96 171; inb 96; ioperm 96 1 off"},
        {"no capability, /dev/port opens", true, EPERM, 7, Route::DevPort, EPERM, 0,
         "ioperm 96 1 on; open /dev/port; pwrite 7 96 171; pread 7 96; close 7"},
        {"locked down", true, EPERM, -EPERM, Route::None, EPERM, EPERM,
         "ioperm 96 1 on; open /dev/port"},
        {"no ioperm, no /dev/port", true, ENOSYS, -ENOENT, Route::None, ENOSYS, ENOENT,
         "ioperm 96 1 on; open /dev/port"},
        {"/dev/port not ours", true, EPERM, -EACCES, Route::None, EPERM, EACCES,
         "ioperm 96 1 on; open /dev/port"},
        {"no port instructions", false, 0, 7, Route::None, ENOSYS, 0, ""},
    };
    for (const Case& c : cases) {
        FakeSystem sys;
        sys.instructions = c.instructions;
        sys.iopermResult = c.ioperm;
        sys.openResult = c.open;
        HardwarePortIo port(sys.syscalls());
        const bool granted = c.route != Route::None;
        const PortGrant grant = port.acquirePermission();
        EXPECT_EQ(grant.granted, granted) << c.name;
        EXPECT_EQ(grant.route, c.route) << c.name;
        EXPECT_EQ(grant.instructionsError, c.instructionsError) << c.name;
        EXPECT_EQ(grant.devPortError, c.devPortError) << c.name;
        EXPECT_EQ(grant.explanation().empty(), granted) << c.name;

        EXPECT_EQ(port.portWriteByte(kKeyboardDataPort, 0xAB), granted) << c.name;
        EXPECT_EQ(port.portReadByte(kKeyboardDataPort), granted ? 0xFA : PortIo::kRefusedRead)
            << c.name;
        port.releasePermission();
        port.releasePermission();
        std::string calls;
        for (const std::string& call : sys.calls) {
            calls += (calls.empty() ? "" : "; ") + call;
        }
        EXPECT_EQ(calls, c.calls) << c.name;
        EXPECT_EQ(port.route(), PortGrant::Route::None) << c.name;
    }
}

TEST(HardwarePortIo, ReachesNoPortButTheDataPort) {
    FakeSystem sys;
    HardwarePortIo port(sys.syscalls());
    ASSERT_TRUE(port.acquirePermission().granted);
    sys.calls.clear();
    EXPECT_FALSE(port.portWriteByte(0x64, 1));
    EXPECT_EQ(port.portReadByte(0x61), PortIo::kRefusedRead);
    EXPECT_TRUE(sys.calls.empty());
    EXPECT_TRUE(port.needsPermissionStep());
}

TEST(HardwarePortIo, ReleasesWhatItHoldsWhenDestroyed) {
    FakeSystem sys;
    {
        HardwarePortIo port(sys.syscalls());
        port.acquirePermission();
    }
    EXPECT_EQ(sys.calls.back(), "ioperm 96 1 off");
}

TEST(PortGrant, ExplainsTheRefusalAndTheCure) {
    PortGrant g;
    g.instructionsError = EPERM;
    g.devPortError = ENOENT;
    const std::string text = g.explanation();
    EXPECT_NE(text.find("CAP_SYS_RAWIO"), std::string::npos) << text;
    EXPECT_NE(text.find("setcap cap_sys_rawio+ep"), std::string::npos) << text;
    EXPECT_NE(text.find("no /dev/port"), std::string::npos) << text;

    g.instructionsError = ENOSYS;
    g.devPortError = ENOENT;
    EXPECT_EQ(g.explanation().find("setcap"), std::string::npos) << g.explanation();
}

// Every back-end keeps the contract the senders rely on: a write to the data
// port and one byte read back, a refused access answering without a fault.
TEST(PortIoBackEnds, WriteOneByteAndReadOneBack) {
    struct Backend {
        const char* name;
        std::function<std::unique_ptr<PortIo>()> make;
        bool writes;
        std::uint8_t answer;
    };
    OpLog log;
    FakeSystem grantedSys;
    FakeSystem refusedSys;
    refusedSys.iopermResult = ENOSYS;
    refusedSys.openResult = -ENOENT;
    const Backend backends[] = {
        {"recording fake",
         [&] { return std::make_unique<quilby::testing::RecordingPort>(log, 0x42); }, true, 0x42},
        {"simulated keyboard", [] { return std::make_unique<SimulatedKeyboard>(); }, true, 0xFA},
        {"hardware, granted",
         [&] {
             auto p = std::make_unique<HardwarePortIo>(grantedSys.syscalls());
             p->acquirePermission();
             return p;
         },
         true, 0xFA},
        {"hardware, refused",
         [&] {
             auto p = std::make_unique<HardwarePortIo>(refusedSys.syscalls());
             p->acquirePermission();
             return p;
         },
         false, PortIo::kRefusedRead},
    };
    for (const Backend& b : backends) {
        const auto port = b.make();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(port->portWriteByte(kKeyboardDataPort, static_cast<std::uint8_t>(i)),
                      b.writes)
                << b.name;
            EXPECT_EQ(port->portReadByte(kKeyboardDataPort), b.answer) << b.name;
            port->touchDevice();
        }
    }
}
