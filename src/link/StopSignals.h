#pragma once

#include <atomic>
#include <cstdint>

namespace quilby {

// Ctrl+C, SIGTERM, SIGHUP, SIGQUIT and SIGPIPE ask a command of the keyboard link to
// stop. While an instance lives, their handlers only store into atomics: the
// stop request, and the download run flag given to watch, which stops a
// transfer before its next byte exactly as a confirmed Cancel does. Everything else
// (restoring the terminal, reporting) happens in ordinary code once the
// command sees the request. The previous handlers come back with the
// destructor. One instance at a time.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that asked to stop, or 0.
    static int requested();
    // The run flag a stop request clears (nullptr for none).
    static void watch(std::atomic<std::int32_t>* runFlag);
    // Asks to stop as a signal would (the same path as the handler).
    static void request(int signal);
    static void clear();
};

} // namespace quilby
