#include "link/ConsoleKeys.h"

#include "../support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace quilby;
using quilby::testing::PseudoTerminal;

TEST(TerminalConsoleKeys, SeesASingleKeyWithoutEnterAndRestoresTheTerminal) {
    PseudoTerminal pty;
    if (!pty.ok()) {
        GTEST_SKIP() << "no pseudo-terminals here";
    }
    const tcflag_t before = pty.localFlags();
    ASSERT_NE(before & ICANON, 0u);
    pty.type("typed before the transfer");
    ::usleep(100000); // an unfinished line cannot be polled for

    TerminalConsoleKeys keys(pty.console());
    keys.beginWatch();
    ASSERT_TRUE(keys.watching());
    EXPECT_EQ(pty.localFlags() & ICANON, 0u);
    EXPECT_FALSE(keys.keyWaiting()) << "input from before the transfer is discarded";

    pty.type("q");
    pty.waitReadable();
    EXPECT_TRUE(keys.keyWaiting());
    EXPECT_FALSE(keys.keyWaiting()) << "a key stops one transfer, not the next one too";

    keys.endWatch();
    EXPECT_EQ(pty.localFlags(), before);
    EXPECT_FALSE(keys.keyWaiting());
}

TEST(TerminalConsoleKeys, IgnoresInputThatIsNoTerminal) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    {
        TerminalConsoleKeys keys(fds[0]);
        keys.beginWatch();
        EXPECT_FALSE(keys.watching());
        EXPECT_FALSE(keys.keyWaiting());
        keys.endWatch();
    }
    char c = 0;
    EXPECT_EQ(::read(fds[0], &c, 1), 1) << "the pipe's byte was left alone";
    ::close(fds[0]);
    ::close(fds[1]);

    TerminalConsoleKeys closed(-1);
    closed.beginWatch();
    EXPECT_FALSE(closed.keyWaiting());
}
