#pragma once

#include <memory>

namespace quilby {

// The download stops when a key is pressed in the program's console. The
// worker watches the console for the length of one transfer.
class ConsoleKeys {
public:
    virtual ~ConsoleKeys() = default;
    virtual void beginWatch() {}
    // Whether a keystroke is waiting; never blocks. A keystroke seen here is
    // consumed, so it does not stop the next transfer as well.
    virtual bool keyWaiting() = 0;
    virtual void endWatch() {}
};

// No console: never a keystroke.
class NoConsoleKeys : public ConsoleKeys {
public:
    bool keyWaiting() override { return false; }
};

// The program's terminal, when `fd` is one. While watched, the terminal is
// taken out of line mode (echo stays on) so a single key counts, and input
// typed before the transfer is discarded; endWatch restores the settings.
// A terminal of which the program is a background job is left alone, since
// touching it would stop the process.
class TerminalConsoleKeys : public ConsoleKeys {
public:
    explicit TerminalConsoleKeys(int fd);
    ~TerminalConsoleKeys() override;
    TerminalConsoleKeys(const TerminalConsoleKeys&) = delete;
    TerminalConsoleKeys& operator=(const TerminalConsoleKeys&) = delete;

    void beginWatch() override;
    bool keyWaiting() override;
    void endWatch() override;

    // Whether the terminal is being watched (it is a terminal and ours).
    bool watching() const;

private:
    struct Saved;
    int fd_;
    std::unique_ptr<Saved> saved_;
};

} // namespace quilby
