#include "link/KeySources.h"

#include "link/TerminalInput.h"

#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace quilby {

KeyMessage keyMessageOf(const KeyEvent& e) {
    switch (e.kind) {
    case KeyEventKind::KeyDown:
        return {KeyMessage::Kind::KeyDown, e.code, 0, e.scan, e.extended};
    case KeyEventKind::SystemKeyDown:
        return {KeyMessage::Kind::SystemKeyDown, e.code, 0, e.scan, e.extended};
    case KeyEventKind::Character:
        return {KeyMessage::Kind::Character, 0, e.code, e.scan, e.extended};
    case KeyEventKind::KeyUp:
    case KeyEventKind::SystemKeyUp:
        break;
    }
    return {KeyMessage::Kind::KeyUp, e.code, 0, e.scan, e.extended};
}

namespace {

constexpr std::uint16_t kStrayKey = 0xFF;
constexpr std::uint8_t kEnterScan = 0x1C;
constexpr std::uint8_t kEscapeScan = 0x01;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::vector<KeyMessage> keyMessagesOfTerminalBytes(std::string_view bytes) {
    std::vector<KeyMessage> keys;
    for (const char c : bytes) {
        if (isLetter(c) || (c >= '0' && c <= '9') || c == ' ') {
            // The character keeps the case it was typed in.
            const auto typed =
                SimulatedKeyboard::typingOf(std::string_view(&c, 1), c >= 'A' && c <= 'Z');
            keys.insert(keys.end(), typed.begin(), typed.end());
        } else if (c == '\r' || c == '\n') {
            keys.push_back(KeyMessage::keyDown(KeyMessage::kEnter, kEnterScan));
            keys.push_back(KeyMessage::keyUp(KeyMessage::kEnter, kEnterScan));
        } else if (c == '\x1b') {
            keys.push_back(KeyMessage::keyDown(KeyMessage::kEscape, kEscapeScan));
            keys.push_back(KeyMessage::keyUp(KeyMessage::kEscape, kEscapeScan));
        } else {
            keys.push_back(KeyMessage::keyDown(kStrayKey));
            keys.push_back(KeyMessage::keyUp(kStrayKey));
        }
    }
    return keys;
}

bool isLocalConsole(std::string_view ttyName) {
    constexpr std::string_view kVt = "/dev/tty";
    if (ttyName == "/dev/console") {
        return true;
    }
    if (ttyName.rfind(kVt, 0) != 0 || ttyName.size() == kVt.size()) {
        return false;
    }
    for (std::size_t i = kVt.size(); i < ttyName.size(); ++i) {
        if (ttyName[i] < '0' || ttyName[i] > '9') {
            return false;
        }
    }
    return true;
}

struct TerminalKeySource::Saved {
    termios settings{};
};

bool TerminalKeySource::usable(int fd) {
    return isForegroundTerminal(fd);
}

// What was typed before the command started is not the keyboard's answer,
// and the keyboard's typing is not echoed.
TerminalKeySource::TerminalKeySource(int fd) : fd_(fd) {
    if (const auto settings = takeTerminalKeys(fd_, false)) {
        saved_ = std::make_unique<Saved>(Saved{*settings});
    }
}

TerminalKeySource::~TerminalKeySource() {
    restore();
}

void TerminalKeySource::restore() {
    if (!saved_) {
        return;
    }
    ::tcsetattr(fd_, TCSANOW, &saved_->settings);
    saved_.reset();
}

std::vector<KeyMessage> TerminalKeySource::read(std::chrono::milliseconds timeout) {
    // After a stop (Ctrl+Z) and fg the shell has put its own settings back:
    // without this a line would have to be finished before a key counted.
    termios now{};
    if (saved_ && ::tcgetattr(fd_, &now) == 0 && (now.c_lflag & (ICANON | ECHO)) != 0) {
        now.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        now.c_cc[VMIN] = 0;
        now.c_cc[VTIME] = 0;
        ::tcsetattr(fd_, TCSANOW, &now);
    }
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(timeout.count()));
    if (ready != 1 || (p.revents & POLLIN) == 0) {
        if (ready == 1) {
            // The terminal hung up: do not spin on it.
            ::usleep(static_cast<useconds_t>(timeout.count()) * 1000u);
        }
        return {};
    }
    char buffer[256];
    ssize_t n = 0;
    do {
        n = ::read(fd_, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        return {};
    }
    return keyMessagesOfTerminalBytes(std::string_view(buffer, static_cast<std::size_t>(n)));
}

SimulatorKeySource::SimulatorKeySource(SimulatedKeyboard& keyboard,
                                       std::chrono::milliseconds announceAfter)
    : keyboard_(keyboard), announceAt_(std::chrono::steady_clock::now() + announceAfter) {
    keyboard_.setListener(this);
}

SimulatorKeySource::~SimulatorKeySource() {
    keyboard_.setListener(nullptr);
}

void SimulatorKeySource::keysTyped() {
    const std::lock_guard lock(mutex_);
    keysWaiting_ = true;
    typed_.notify_all();
}

std::vector<KeyMessage> SimulatorKeySource::read(std::chrono::milliseconds timeout) {
    const auto now = std::chrono::steady_clock::now();
    if (!announced_ && now >= announceAt_) {
        announced_ = true;
        keyboard_.announce();
    }
    keyboard_.poll();
    {
        std::unique_lock lock(mutex_);
        auto until = now + timeout;
        if (!announced_ && announceAt_ < until) {
            until = announceAt_;
        }
        typed_.wait_until(lock, until, [this] { return keysWaiting_; });
        keysWaiting_ = false;
    }
    return keyboard_.takeTypedKeys();
}

} // namespace quilby
