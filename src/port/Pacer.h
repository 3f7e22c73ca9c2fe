#pragma once

#include <chrono>
#include <functional>

namespace quilby {

// The fixed pauses of the senders go through a pacer, so tests run instantly
// and see every pause while the program sleeps for real.
class Pacer {
public:
    virtual ~Pacer() = default;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

// Sleeps to deadlines: each pause ends `duration` after the end of the
// previous one, so the small overshoot of every sleep is taken back by the
// next and a transfer does not drift. A pause is never shortened by more
// than kMaxCatchUp, so a late wake-up never turns into a burst of bytes; after
// the pacer has been idle for longer than the pause, it starts afresh.
class SteadyPacer : public Pacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kMaxCatchUp{2000};

    SteadyPacer();
    // For tests of the deadline arithmetic: a clock and a sleep of their own.
    SteadyPacer(std::function<Clock::time_point()> now,
                std::function<void(Clock::time_point)> sleepUntil);

    void pause(std::chrono::milliseconds duration) override;

private:
    std::function<Clock::time_point()> now_;
    std::function<void(Clock::time_point)> sleepUntil_;
    Clock::time_point deadline_{};
};

} // namespace quilby
