#include "link/LinkState.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

using namespace quilby;

namespace {

// What start-up leaves in the settings.
struct Started {
    std::int32_t family = 0;
    std::int32_t ready = 0;
    int instructionsError = 0;
    int devPortError = 0;

    void into(LinkSettings& settings) const {
        settings.osFamily = OsFamily{family};
        settings.portReady = ready;
        settings.portGrant.granted = ready != 0;
        settings.portGrant.instructionsError = instructionsError;
        settings.portGrant.devPortError = devPortError;
    }
};

} // namespace

// The status bar and the up-front refusal agree on one decision: whether
// the port can be reached, why not, and whether a permission would cure it.
TEST(LinkState, TellsReachabilityReasonAndCure) {
    struct Case {
        const char* name;
        Started started;
        PortReach reach;
        bool details; // the permission step's explanation is shown
        bool cure;
    };
    const Case cases[] = {
        {"permission granted", {1, 1}, PortReach::Ready, false, false},
        {"no permission", {1, 0, EPERM, EACCES}, PortReach::NoPermission, true, true},
        {"/dev/port refused", {1, 0, ENOSYS, EACCES}, PortReach::NoPermission, true, true},
        {"/dev/port not permitted", {1, 0, ENOSYS, EPERM}, PortReach::NoPermission, true, true},
        {"kernel without ioperm nor /dev/port",
         {1, 0, ENOSYS, ENOENT},
         PortReach::KernelRefuses,
         true,
         false},
        {"no port instructions", {0, 0}, PortReach::NoPortInstructions, false, false},
        {"open ports", {2, 0}, PortReach::Ready, false, false},
    };
    for (const Case& c : cases) {
        LinkSettings settings;
        c.started.into(settings);
        EXPECT_EQ(portReach(settings), c.reach) << c.name;
        const auto facts = portRefusalFacts(settings);
        ASSERT_EQ(facts.has_value(), c.reach != PortReach::Ready) << c.name;
        if (!facts) {
            continue;
        }
        EXPECT_EQ(facts->reach, c.reach) << c.name;
        EXPECT_EQ(!facts->details.empty(), c.details) << c.name;
        if (c.details) {
            EXPECT_EQ(facts->details, settings.portGrant.explanation()) << c.name;
        }
        EXPECT_EQ(facts->permissionCures, c.cure) << c.name;
    }
}

// The cure is a command to paste: a path with spaces or quotes stays one word.
TEST(LinkState, QuotesTheProgramPathOfTheCure) {
    const struct {
        const char* path;
        const char* word;
    } cases[] = {
        {"/opt/quilby-1.0/bin/quilby", "/opt/quilby-1.0/bin/quilby"},
        {"/home/kim/POS tools/quilby", "'/home/kim/POS tools/quilby'"},
        {"/tmp/it's/quilby", "'/tmp/it'\\''s/quilby'"},
        {"/tmp/$(rm -rf ~)/quilby", "'/tmp/$(rm -rf ~)/quilby'"},
        {"", "''"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shellWord(c.path), c.word) << c.path;
    }
}
