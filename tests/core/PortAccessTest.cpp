#include "cli/Cli.h"
#include "link/HelperPortIo.h"
#include "link/LinkSettings.h"
#include "link/SimulatedKeyboard.h"

#include "../support/LinkFakes.h"
#include "../support/RecordingHelper.h"
#include "../support/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace quilby;
using quilby::testing::OpLog;
using quilby::testing::recordingHelper;

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

// The programs' hardware back-end asks the helper, and tells from its
// answer (or from its absence) why the port is out of reach.
TEST(HelperPortIo, TellsTheHelpersAnswer) {
    using Refusal = PortGrant::Refusal;
    const std::string record = "/dev/null";
    // One file this account may not execute, one that is no program.
    quilby::testing::ScratchDir dir{"quilby-helper"};
    const std::string locked = dir.file("locked");
    const std::string text = dir.file("text");
    quilby::testing::writeFile(locked, "#!/bin/sh\n");
    quilby::testing::writeFile(text, "not a program\n");
    ::chmod(locked.c_str(), 0640);
    ::chmod(text.c_str(), 0755);
    struct Case {
        const char* name;
        HelperCommand command;
        Refusal refusal;
        int error;
    };
    const Case cases[] = {
        {"ready", recordingHelper(record), Refusal::None, 0},
        {"no capability", recordingHelper(record, {"--permit=1"}), Refusal::NoPermission, EPERM},
        {"no ioperm in this kernel", recordingHelper(record, {"--permit=38"}),
         Refusal::KernelRefuses, ENOSYS},
        {"no controller", recordingHelper(record, {"--status=ff"}), Refusal::NoController, 0},
        {"not installed", HelperCommand{"/nonexistent/quilby-port", {}}, Refusal::HelperMissing, 0},
        {"not in the group", HelperCommand{locked, {}}, Refusal::NoPermission, EACCES},
        {"not a program", HelperCommand{text, {}}, Refusal::HelperFailed, ENOEXEC},
        {"gives no answer", HelperCommand{"/bin/true", {}}, Refusal::HelperFailed, 0},
    };
    for (const Case& c : cases) {
        HelperPortIo port(c.command);
        const PortGrant grant = port.acquirePermission();
        EXPECT_EQ(grant.granted, c.refusal == Refusal::None) << c.name;
        EXPECT_EQ(grant.refusal, c.refusal) << c.name;
        EXPECT_EQ(grant.instructionsError, c.error) << c.name;
        EXPECT_EQ(grant.explanation().empty(), c.refusal == Refusal::None) << c.name;
    }
}

TEST(HelperPortIo, FindsTheHelperBesideTheProgramElseInLibexec) {
    const auto none = [](const std::string&) { return false; };
    const auto beside = [](const std::string& p) { return p == "/build/src/quilby-port"; };
    EXPECT_EQ(HelperCommand::locatedFrom("/build/src", beside).path, "/build/src/quilby-port");
    EXPECT_EQ(HelperCommand::locatedFrom("/usr/bin", none).path,
              "/usr/bin/../libexec/quilby/quilby-port");
}

TEST(PortGrant, ExplainsTheRefusalAndTheCure) {
    using Refusal = PortGrant::Refusal;
    const struct {
        Refusal refusal;
        const char* says;
    } cases[] = {
        {Refusal::NoPermission, "sudo adduser NAME quilby"},
        {Refusal::NoPermission, "cannot reprogram the keyboard"},
        {Refusal::NoController, "PS/2 port"},
        {Refusal::HelperMissing, "/x/quilby-port is not installed"},
        {Refusal::KernelRefuses, "ioperm"},
    };
    for (const auto& c : cases) {
        PortGrant g;
        g.refusal = c.refusal;
        g.helperPath = "/x/quilby-port";
        g.instructionsError = ENOSYS;
        EXPECT_NE(g.explanation().find(c.says), std::string::npos) << g.explanation();
    }
    PortGrant other;
    other.refusal = Refusal::KernelRefuses;
    other.instructionsError = ENOSYS;
    EXPECT_EQ(other.explanation().find("adduser"), std::string::npos) << other.explanation();
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
    const Backend backends[] = {
        {"recording fake",
         [&] { return std::make_unique<quilby::testing::RecordingPort>(log, 0x42); }, true, 0x42},
        {"simulated keyboard", [] { return std::make_unique<SimulatedKeyboard>(); }, true, 0xFA},
        // The programs reach no port themselves: only whole runs go to the helper.
        {"port helper client",
         [] {
             return std::make_unique<HelperPortIo>(quilby::testing::recordingHelper("/dev/null"));
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

// port-status asks the helper and sends nothing: "ready", or the refusal
// with its cure, for a fleet's rehearsal to read.
TEST(PortStatusCommand, PrintsReadyOrTheRefusalWithItsCure) {
    quilby::testing::ScratchDir dir{"quilby-status"};
    const std::string record = dir.file("written");
    struct Case {
        const char* name;
        std::vector<std::string> helperOptions;
        bool backEnd;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"ready", {}, true, 0, "ready\n"},
        {"no capability", {"--permit=1"}, true, 1, "sudo adduser NAME quilby"},
        {"no controller", {"--status=ff"}, true, 1, "PS/2 port"},
        {"no back-end", {}, false, 1, "refused: "},
    };
    for (const Case& c : cases) {
        LinkEnvironment env;
        if (c.backEnd) {
            env.hardware = [&] {
                return std::make_unique<HelperPortIo>(recordingHelper(record, c.helperOptions));
            };
        }
        std::ostringstream out, err;
        EXPECT_EQ(runQuilbyKey({"port-status"}, out, err, env), c.status) << c.name;
        EXPECT_NE(out.str().find(c.says), std::string::npos) << c.name << ": " << out.str();
    }
    EXPECT_TRUE(quilby::testing::recordedBytes(record).empty());
}

// The helper as built, run without the capability (as an account outside
// the group would run it, or under setpriv when these tests run as root),
// refuses before it reaches any port.
TEST(ShippedHelper, WithoutTheCapabilityRefuses) {
    HelperCommand command{QUILBY_SHIPPED_HELPER, {}};
    if (::geteuid() == 0) {
        if (::access("/usr/bin/setpriv", X_OK) != 0) {
            GTEST_SKIP() << "running as root without setpriv to take the capability away";
        }
        command = HelperCommand{
            "/usr/bin/setpriv",
            {"--bounding-set=-sys_rawio", "--inh-caps=-sys_rawio", "--", QUILBY_SHIPPED_HELPER}};
    }
    HelperPortIo port(command);
    const PortGrant grant = port.acquirePermission();
    EXPECT_FALSE(grant.granted);
    EXPECT_TRUE(grant.refusal == PortGrant::Refusal::NoPermission ||
                grant.refusal == PortGrant::Refusal::KernelRefuses)
        << grant.explanation();
}

TEST(KeyOrigin, OnlyThePs2KeyboardPortCounts) {
    const struct {
        const char* path;
        bool ps2;
    } cases[] = {
        {"isa0060/serio0/input0", true},      {"isa0060/serio0", true},
        {"isa0060/serio1/input0", false},     {"isa0060/serio00/input0", false},
        {"usb-0000:00:14.0-2/input0", false}, {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(onPs2Port(c.path), c.ps2) << c.path;
    }
}
