#include "link/DownloadWorker.h"
#include "link/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>

using namespace quilby;
using Clock = std::chrono::steady_clock;

// The real pacing of a download: the worker sends to the simulated keyboard
// with the real sleeps. Run with QUILBY_BENCH_BYTES=1960 for a full image
// (about 49 s); the default of 200 bytes takes about 5 s.

namespace {

constexpr std::chrono::milliseconds kBytePeriod =
    kDownloadPauseBeforeTouch + kDownloadPauseBeforeWrite;

// Stops the transfer after `stopAfter` bytes and notes when each report came.
class TimingListener : public DownloadListener {
public:
    TimingListener(std::atomic<std::int32_t>& runFlag, std::size_t stopAfter)
        : runFlag_(runFlag), stopAfter_(stopAfter) {}

    void downloadProgress(std::size_t bytesSent, int) override {
        if (bytesSent == stopAfter_) {
            const std::lock_guard lock(mutex_);
            lastByte_ = Clock::now();
            runFlag_.store(0);
        }
    }
    void downloadEnded(DownloadEnd, PortRefusal) override {
        const std::lock_guard lock(mutex_);
        ended_ = Clock::now();
        changed_.notify_all();
    }
    Clock::time_point waitForEnd() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ended_.has_value(); });
        return *ended_;
    }
    Clock::time_point lastByte() {
        const std::lock_guard lock(mutex_);
        return lastByte_;
    }
    void reset() {
        const std::lock_guard lock(mutex_);
        ended_.reset();
    }

private:
    std::atomic<std::int32_t>& runFlag_;
    std::size_t stopAfter_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Clock::time_point lastByte_{};
    std::optional<Clock::time_point> ended_;
};

DownloadImage benchImage() {
    DownloadImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 13);
    }
    return image;
}

void byteCounts(benchmark::internal::Benchmark* b) {
    const char* env = std::getenv("QUILBY_BENCH_BYTES");
    const long bytes = env ? std::strtol(env, nullptr, 10) : 200;
    b->Arg(std::clamp<long>(bytes, 1, static_cast<long>(kDownloadImageSize)));
}

} // namespace

// Elapsed time of N bytes against N x 25 ms.
static void BM_DownloadPacing(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        SimulatedKeyboard keyboard;
        SteadyPacer pacer;
        NoConsoleKeys console;
        std::atomic<std::int32_t> runFlag{1};
        TimingListener listener(runFlag, bytes);
        DownloadWorker worker(keyboard, pacer, runFlag, console, listener);
        const auto start = Clock::now();
        worker.start(DownloadJob{benchImage(), OsFamily::OpenPorts, 0});
        listener.waitForEnd();
        worker.wait();
        const std::chrono::duration<double> elapsed = listener.lastByte() - start;
        state.SetIterationTime(elapsed.count());
        const std::chrono::duration<double> floor = kBytePeriod * static_cast<double>(bytes);
        state.counters["ratio"] = elapsed.count() / floor.count();
        state.counters["bytes_received"] = static_cast<double>(keyboard.counters().bytesReceived);
    }
}
BENCHMARK(BM_DownloadPacing)
    ->Apply(byteCounts)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Time from a confirmed Cancel (the run flag cleared at a random moment of
// a byte's period) to the worker's end, in byte periods.
static void BM_CancelReaction(benchmark::State& state) {
    constexpr int kTrials = 10;
    std::mt19937 random(1960);
    std::uniform_int_distribution<int> delayMs(30, 130);
    for (auto _ : state) {
        double total = 0;
        double worst = 0;
        for (int trial = 0; trial < kTrials; ++trial) {
            SimulatedKeyboard keyboard;
            SteadyPacer pacer;
            NoConsoleKeys console;
            std::atomic<std::int32_t> runFlag{1};
            TimingListener listener(runFlag, kDownloadImageSize + 1);
            DownloadWorker worker(keyboard, pacer, runFlag, console, listener);
            worker.start(DownloadJob{benchImage(), OsFamily::OpenPorts, 0});
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
            const auto cancelled = Clock::now();
            runFlag.store(0);
            const std::chrono::duration<double> reaction = listener.waitForEnd() - cancelled;
            worker.wait();
            total += reaction.count();
            worst = std::max(worst, reaction.count());
        }
        state.SetIterationTime(total / kTrials);
        const std::chrono::duration<double> period = kBytePeriod;
        state.counters["mean_periods"] = total / kTrials / period.count();
        state.counters["worst_periods"] = worst / period.count();
    }
}
BENCHMARK(BM_CancelReaction)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
