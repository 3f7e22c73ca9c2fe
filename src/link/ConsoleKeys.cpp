#include "link/ConsoleKeys.h"

#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace quilby {

struct TerminalConsoleKeys::Saved {
    termios settings{};
};

TerminalConsoleKeys::TerminalConsoleKeys(int fd) : fd_(fd) {}

TerminalConsoleKeys::~TerminalConsoleKeys() {
    endWatch();
}

bool TerminalConsoleKeys::watching() const {
    return saved_ != nullptr;
}

void TerminalConsoleKeys::beginWatch() {
    if (saved_ || ::isatty(fd_) != 1) {
        return;
    }
    // A background job may not read or reconfigure its controlling terminal.
    // A terminal that is not the controlling one answers ENOTTY here and is
    // safe to use.
    const pid_t foreground = ::tcgetpgrp(fd_);
    if (foreground >= 0 && foreground != ::getpgrp()) {
        return;
    }
    auto saved = std::make_unique<Saved>();
    if (::tcgetattr(fd_, &saved->settings) != 0) {
        return;
    }
    termios raw = saved->settings;
    raw.c_lflag &= static_cast<tcflag_t>(~ICANON);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::tcflush(fd_, TCIFLUSH);
    if (::tcsetattr(fd_, TCSANOW, &raw) != 0) {
        return;
    }
    saved_ = std::move(saved);
}

bool TerminalConsoleKeys::keyWaiting() {
    if (!saved_) {
        return false;
    }
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) != 1 || (p.revents & POLLIN) == 0) {
        return false;
    }
    char buffer[64];
    ssize_t n = 0;
    do {
        n = ::read(fd_, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    return n > 0;
}

void TerminalConsoleKeys::endWatch() {
    if (!saved_) {
        return;
    }
    ::tcsetattr(fd_, TCSANOW, &saved_->settings);
    saved_.reset();
}

} // namespace quilby
