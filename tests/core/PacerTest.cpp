#include "port/Pacer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quilby;
using namespace std::chrono_literals;
using TimePoint = SteadyPacer::Clock::time_point;

namespace {

// A clock that moves only when the pacer sleeps (waking `overshoot` late)
// or when the test says work took time.
struct FakeTime {
    TimePoint now = TimePoint{} + 1h;
    std::chrono::microseconds overshoot{0};
    std::vector<TimePoint> deadlines;

    SteadyPacer pacer() {
        return SteadyPacer([this] { return now; },
                           [this](TimePoint t) {
                               deadlines.push_back(t);
                               now = std::max(now, t) + overshoot;
                           });
    }
};

} // namespace

TEST(SteadyPacer, SleepsToDeadlinesSoOvershootDoesNotAddUp) {
    struct Case {
        const char* name;
        std::chrono::microseconds overshoot;
        std::chrono::microseconds workPerByte;
    };
    const Case cases[] = {
        {"exact sleeps", 0us, 0us},
        {"late wake-ups", 90us, 0us},
        {"work between pauses", 60us, 300us},
    };
    for (const Case& c : cases) {
        FakeTime time;
        time.overshoot = c.overshoot;
        SteadyPacer pacer = time.pacer();
        const TimePoint start = time.now;
        for (int byte = 0; byte < 100; ++byte) {
            pacer.pause(15ms);
            pacer.pause(10ms);
            time.now += c.workPerByte;
        }
        ASSERT_EQ(time.deadlines.size(), 200u) << c.name;
        for (std::size_t i = 0; i < time.deadlines.size(); ++i) {
            const auto expected = start + (i / 2) * 25ms + (i % 2 == 0 ? 15ms : 25ms);
            ASSERT_EQ(time.deadlines[i], expected) << c.name << " pause " << i;
        }
    }
}

TEST(SteadyPacer, NeverShortensAPauseByMoreThanItsAllowance) {
    FakeTime time;
    SteadyPacer pacer = time.pacer();
    pacer.pause(10ms);
    EXPECT_EQ(time.deadlines.back(), TimePoint{} + 1h + 10ms);

    // Idle for longer than the pause: the full pause again, no burst.
    time.now += 40ms;
    pacer.pause(15ms);
    EXPECT_EQ(time.deadlines.back(), time.now);
    EXPECT_EQ(time.deadlines.back(), TimePoint{} + 1h + 65ms);

    // Behind by less than the allowance: taken back in full.
    time.now += SteadyPacer::kMaxCatchUp - 1us;
    pacer.pause(10ms);
    EXPECT_EQ(time.deadlines.back(), TimePoint{} + 1h + 75ms);

    // A late wake-up beyond the allowance: the pause is shortened by the
    // allowance only.
    time.now += 3ms;
    const TimePoint woke = time.now;
    pacer.pause(10ms);
    EXPECT_EQ(time.deadlines.back(), woke - SteadyPacer::kMaxCatchUp + 10ms);
}
