#include "link/StopSignals.h"

#include <csignal>

namespace quilby {

namespace {

static_assert(std::atomic<int>::is_always_lock_free, "signal handlers need lock-free atomics");
static_assert(std::atomic<std::int32_t>::is_always_lock_free,
              "signal handlers need lock-free atomics");

// SIGPIPE too: a reader of the output that went away stops a transfer as a
// closed terminal does, before the next byte, never with the process killed
// mid-transfer.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

std::atomic<int> stopSignal{0};
std::atomic<std::atomic<std::int32_t>*> runFlagOfCommand{nullptr};
struct sigaction previous[std::size(kSignals)];

extern "C" void onStopSignal(int signal) {
    stopSignal.store(signal);
    if (auto* flag = runFlagOfCommand.load()) {
        flag->store(0);
    }
}

} // namespace

StopSignals::StopSignals() {
    stopSignal.store(0);
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in poll() returns at once, so the command reacts.
    action.sa_flags = 0;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &previous[i]);
    }
}

StopSignals::~StopSignals() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &previous[i], nullptr);
    }
    runFlagOfCommand.store(nullptr);
}

void StopSignals::watch(std::atomic<std::int32_t>* runFlag) {
    runFlagOfCommand.store(runFlag);
}

int StopSignals::requested() {
    return stopSignal.load();
}

void StopSignals::request(int signal) {
    onStopSignal(signal);
}

void StopSignals::clear() {
    stopSignal.store(0);
}

} // namespace quilby
