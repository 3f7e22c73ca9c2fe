#pragma once

#include "editing/KeyEvent.h"
#include "link/KeyMessage.h"
#include "link/SimulatedKeyboard.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace quilby {

// The link's key message of a PC keyboard event: what a window would deliver.
KeyMessage keyMessageOf(const KeyEvent& event);

// The key messages of bytes typed into a terminal: letters give their
// upper-case virtual key whatever their case, digits and the space bar their
// own; CR and LF give Enter, ESC gives Escape. Any other byte is a key no
// identification or report holds (virtual key 0xFF), so it breaks a match as
// a stray key would.
std::vector<KeyMessage> keyMessagesOfTerminalBytes(std::string_view bytes);

// Whether a terminal of this name is a local console, where a keyboard
// plugged into the machine types (not a pseudo-terminal of a remote shell or
// a terminal window): /dev/console and the virtual consoles /dev/ttyN.
bool isLocalConsole(std::string_view ttyName);

// Where a command without a window hears the keyboard type.
class KeySource {
public:
    virtual ~KeySource() = default;
    // Waits up to `timeout` for keystrokes and returns those that came (may
    // be none). Never waits much longer than `timeout`, so the caller keeps
    // seeing its stop flag and deadlines.
    virtual std::vector<KeyMessage> read(std::chrono::milliseconds timeout) = 0;
    // A short description for messages ("the terminal", a device name).
    virtual std::string describe() const = 0;
    // Whether the keys say which keyboard typed them (KeyMessage::origin).
    virtual bool tellsOrigin() const { return false; }
};

// The terminal the command runs on, when the keyboard types there (a local
// console). While it exists the terminal is in non-canonical mode without
// echo, so every key counts at once and the typed identification does not
// clutter the screen; signals (Ctrl+C) still work. The destructor restores
// the settings; so does restore(), which is safe to call more than once.
class TerminalKeySource : public KeySource {
public:
    explicit TerminalKeySource(int fd);
    ~TerminalKeySource() override;
    TerminalKeySource(const TerminalKeySource&) = delete;
    TerminalKeySource& operator=(const TerminalKeySource&) = delete;

    // Whether `fd` is a terminal this process may read (it is in the
    // foreground).
    static bool usable(int fd);

    std::vector<KeyMessage> read(std::chrono::milliseconds timeout) override;
    std::string describe() const override { return "the terminal"; }
    void restore();

private:
    struct Saved;
    int fd_;
    std::unique_ptr<Saved> saved_;
};

// The simulated keyboard's typing. It presses its announce keys once,
// `announceAfter` after the source is made, as an operator would shortly
// after starting the command.
class SimulatorKeySource : public KeySource, private SimulatedKeyboard::Listener {
public:
    SimulatorKeySource(SimulatedKeyboard& keyboard, std::chrono::milliseconds announceAfter);
    ~SimulatorKeySource() override;
    SimulatorKeySource(const SimulatorKeySource&) = delete;
    SimulatorKeySource& operator=(const SimulatorKeySource&) = delete;

    std::vector<KeyMessage> read(std::chrono::milliseconds timeout) override;
    std::string describe() const override { return "the simulated keyboard"; }

private:
    void keysTyped() override;

    SimulatedKeyboard& keyboard_;
    std::chrono::steady_clock::time_point announceAt_;
    bool announced_ = false;
    mutable std::mutex mutex_;
    std::condition_variable typed_;
    bool keysWaiting_ = false;
};

} // namespace quilby
