#pragma once

// A pseudo-terminal for tests of code that reads the program's terminal.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace quilby::testing {

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

} // namespace quilby::testing
