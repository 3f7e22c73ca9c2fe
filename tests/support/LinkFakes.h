#pragma once

#include "link/ConsoleKeys.h"
#include "link/DownloadSession.h"
#include "link/DownloadWorker.h"
#include "link/LinkPrompts.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"
#include "link/PortIo.h"
#include "port/Pacer.h"

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quilby::testing {

// One log shared by the fakes, so a test sees the exact interleaving of
// pauses, console checks and port accesses. Written from the worker thread.
class OpLog {
public:
    void add(std::string op) {
        const std::lock_guard lock(mutex_);
        ops_.push_back(std::move(op));
    }
    std::vector<std::string> ops() const {
        const std::lock_guard lock(mutex_);
        return ops_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> ops_;
};

inline std::string hexByte(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

class RecordingPacer : public Pacer {
public:
    explicit RecordingPacer(OpLog& log) : log_(log) {}
    void pause(std::chrono::milliseconds duration) override {
        log_.add("pause " + std::to_string(duration.count()));
    }

private:
    OpLog& log_;
};

// Does not sleep; keeps the length of every pause in milliseconds.
class InstantPacer : public Pacer {
public:
    void pause(std::chrono::milliseconds duration) override {
        const std::lock_guard lock(mutex_);
        pauses_.push_back(static_cast<int>(duration.count()));
    }
    std::vector<int> pauses() const {
        const std::lock_guard lock(mutex_);
        return pauses_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        pauses_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<int> pauses_;
};

// Lets the worker through a given number of pauses, then holds it in the
// next one until more are allowed (or all, with open), so a test can act
// while a transfer runs. A new pacer holds the very first pause.
class HoldingPacer : public Pacer {
public:
    void pause(std::chrono::milliseconds) override {
        std::unique_lock lock(mutex_);
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_ || budget_ > 0; });
        --waiting_;
        if (!open_) {
            --budget_;
        }
    }
    void allowBytes(int bytes) {
        const std::lock_guard lock(mutex_);
        budget_ += 2 * bytes; // two pauses a byte
        changed_.notify_all();
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // Returns once the worker is inside a pause.
    void waitUntilPausing() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_ > 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int budget_ = 0;
    int waiting_ = 0;
    bool open_ = false;
};

// Opens `gate` once the run flag has been cleared, from a thread of its own:
// a session that stops its worker waits for it on the caller's thread. A
// session that never stops it gets the gate opened after a while all the
// same, so the test fails instead of hanging.
class OpensWhenStopped {
public:
    OpensWhenStopped(HoldingPacer& gate, const std::atomic<std::int32_t>& runFlag)
        : thread_([&gate, &runFlag] {
              const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
              while (runFlag.load() != 0 && std::chrono::steady_clock::now() < giveUp) {
                  std::this_thread::yield();
              }
              gate.open();
          }) {}
    ~OpensWhenStopped() { thread_.join(); }
    OpensWhenStopped(const OpensWhenStopped&) = delete;
    OpensWhenStopped& operator=(const OpensWhenStopped&) = delete;

private:
    std::thread thread_;
};

// Records every access; writes whose index (0-based, counting all writes) is
// in `refuseWrites` are refused and dropped, as a port the process may not
// reach would.
class RecordingPort : public PortIo {
public:
    explicit RecordingPort(OpLog& log, std::uint8_t answer = 0xFA) : log_(log), answer_(answer) {}

    bool portWriteByte(std::uint16_t port, std::uint8_t value) override {
        const std::lock_guard lock(mutex_);
        const bool refused = refuseWrites.count(writes_++) != 0;
        log_.add((refused ? "refused " : "write ") + portName(port) + " " + hexByte(value));
        if (!refused) {
            written_.push_back(value);
        }
        return !refused;
    }
    std::uint8_t portReadByte(std::uint16_t port) override {
        log_.add("read " + portName(port));
        return answer_;
    }
    void touchDevice() override { log_.add("touch"); }

    std::vector<std::uint8_t> written() const {
        const std::lock_guard lock(mutex_);
        return written_;
    }

    std::set<std::size_t> refuseWrites;

private:
    static std::string portName(std::uint16_t port) { return port == 0x60 ? "60" : "other"; }

    OpLog& log_;
    std::uint8_t answer_;
    mutable std::mutex mutex_;
    std::size_t writes_ = 0;
    std::vector<std::uint8_t> written_;
};

// A console where a key is waiting at the `keyAtCheck`-th check (1-based;
// 0 for never).
class ScriptedConsole : public ConsoleKeys {
public:
    explicit ScriptedConsole(OpLog& log, std::size_t keyAtCheck = 0)
        : log_(log), keyAt_(keyAtCheck) {}
    void beginWatch() override { log_.add("watch"); }
    bool keyWaiting() override {
        log_.add("console");
        return ++checks_ == keyAt_;
    }
    void endWatch() override { log_.add("unwatch"); }

private:
    OpLog& log_;
    std::size_t keyAt_;
    std::size_t checks_ = 0;
};

// Keeps the worker's reports until the test delivers them, the way queued
// signals reach the dialog on its own thread later.
class QueuedListener : public DownloadListener {
public:
    struct Event {
        bool ended = false;
        std::size_t bytesSent = 0;
        int position = 0;
        DownloadEnd end = DownloadEnd::Completed;
        PortRefusal refusal = PortRefusal::None;
    };

    void downloadProgress(std::size_t bytesSent, int position) override {
        const std::lock_guard lock(mutex_);
        events_.push_back({false, bytesSent, position});
    }
    void downloadEnded(DownloadEnd end, PortRefusal refusal) override {
        const std::lock_guard lock(mutex_);
        events_.push_back({true, 0, 0, end, refusal});
    }
    std::vector<Event> take() {
        const std::lock_guard lock(mutex_);
        std::vector<Event> events(events_.begin(), events_.end());
        events_.clear();
        return events;
    }
    void deliverTo(DownloadSession& session) {
        for (const Event& e : take()) {
            if (e.ended) {
                session.onEnded(e.end, e.refusal);
            } else {
                session.onProgress(e.bytesSent, e.position);
            }
        }
    }

private:
    std::mutex mutex_;
    std::deque<Event> events_;
};

// Message boxes answered by the test: every box is recorded as
// "icon|text" ("-" for no icon, "stop"), questions as "?|text".
// Records each box as "icon|text" ("-", "stop" or "?" for a question), with
// the text the core gives for it (a file error in English).
class ScriptedLinkPrompts : public LinkPrompts {
public:
    void showNotice(LinkNotice notice) override {
        shown.push_back(
            std::string(linkNoticeIcon(notice) == LinkNoticeIcon::Stop ? "stop|" : "-|") +
            std::string(linkNoticeText(notice)));
    }
    void showFileError(const McrFileError& error) override {
        shown.push_back("stop|" + error.message());
    }
    bool askCancel() override {
        shown.push_back("?|" + std::string(texts::kCancelQuestion));
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }

    std::vector<std::string> shown;
    std::deque<bool> answers;
};

} // namespace quilby::testing
