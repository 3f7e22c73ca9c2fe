#include "link/ConsoleKeys.h"

#include "link/TerminalInput.h"

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
    if (saved_) {
        return;
    }
    if (const auto settings = takeTerminalKeys(fd_, true)) {
        saved_ = std::make_unique<Saved>(Saved{*settings});
    }
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
