#include "link/ConsoleKeys.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace quilby;

namespace {

// A pseudo-terminal standing in for the program's console.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            return;
        }
        const char* name = ::ptsname(master_);
        slave_ = name ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    }
    ~PseudoTerminal() {
        if (slave_ >= 0) {
            ::close(slave_);
        }
        if (master_ >= 0) {
            ::close(master_);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return slave_ >= 0; }
    int console() const { return slave_; }
    void type(const char* text) const {
        ASSERT_EQ(::write(master_, text, std::char_traits<char>::length(text)),
                  static_cast<ssize_t>(std::char_traits<char>::length(text)));
    }
    // Waits until the console can read what was typed (the terminal passes
    // input on asynchronously).
    void waitReadable() const {
        pollfd p{slave_, POLLIN, 0};
        ::poll(&p, 1, 2000);
    }
    tcflag_t localFlags() const {
        termios t{};
        ::tcgetattr(slave_, &t);
        return t.c_lflag;
    }

private:
    int master_ = -1;
    int slave_ = -1;
};

} // namespace

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
