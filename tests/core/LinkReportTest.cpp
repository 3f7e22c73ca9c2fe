#include "cli/LinkReport.h"
#include "link/KeySources.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkSettings.h"

#include "../support/CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quilby;
using namespace quilby::testing;
using namespace std::chrono_literals;

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
    // Every width a terminal may have: the line always fits, keeps its
    // percentage while there is room for it, and uses the room it has.
    for (int columns = 0; columns <= 120; ++columns) {
        SCOPED_TRACE(columns);
        const std::string line = progressBarText(980, 1960, 24s, columns);
        EXPECT_LT(line.size(), static_cast<std::size_t>(std::max(columns, 1)));
        if (columns > 4) {
            EXPECT_NE(line.find("50%"), std::string::npos) << line;
        }
        if (columns >= 60) {
            EXPECT_NE(line.find("0:24 left"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(progressBarText(980, 1960, 24s, 40), "[###############               ]  50%");
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
