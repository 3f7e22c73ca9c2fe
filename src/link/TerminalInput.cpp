#include "link/TerminalInput.h"

#include <unistd.h>

namespace quilby {

bool isForegroundTerminal(int fd) {
    if (::isatty(fd) != 1) {
        return false;
    }
    const pid_t foreground = ::tcgetpgrp(fd);
    return foreground < 0 || foreground == ::getpgrp();
}

std::optional<termios> takeTerminalKeys(int fd, bool echo) {
    termios saved{};
    if (!isForegroundTerminal(fd) || ::tcgetattr(fd, &saved) != 0) {
        return std::nullopt;
    }
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(echo ? ~ICANON : ~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::tcflush(fd, TCIFLUSH);
    if (::tcsetattr(fd, TCSANOW, &raw) != 0) {
        return std::nullopt;
    }
    return saved;
}

} // namespace quilby
