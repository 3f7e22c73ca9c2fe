#include "port/Pacer.h"

#include <thread>
#include <utility>

namespace quilby {

SteadyPacer::SteadyPacer()
    : SteadyPacer([] { return Clock::now(); },
                  [](Clock::time_point t) { std::this_thread::sleep_until(t); }) {}

SteadyPacer::SteadyPacer(std::function<Clock::time_point()> now,
                         std::function<void(Clock::time_point)> sleepUntil)
    : now_(std::move(now)), sleepUntil_(std::move(sleepUntil)) {}

void SteadyPacer::pause(std::chrono::milliseconds duration) {
    const auto now = now_();
    if (now - deadline_ > duration) {
        deadline_ = now; // idle since the last pause: a fresh start
    } else if (now - deadline_ > kMaxCatchUp) {
        deadline_ = now - kMaxCatchUp; // woke late: take back no more than this
    }
    deadline_ += duration;
    sleepUntil_(deadline_);
}

} // namespace quilby
