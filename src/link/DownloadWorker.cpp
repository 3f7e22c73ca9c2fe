#include "link/DownloadWorker.h"

#include <system_error>
#include <utility>

namespace quilby {

int downloadProgressPosition(std::size_t bytesSent) {
    return static_cast<int>(100u * bytesSent / kDownloadImageSize);
}

namespace {

// Keeps the console watched for exactly the length of one transfer.
class ConsoleWatch {
public:
    explicit ConsoleWatch(ConsoleKeys& console) : console_(console) { console_.beginWatch(); }
    ~ConsoleWatch() { console_.endWatch(); }
    ConsoleWatch(const ConsoleWatch&) = delete;
    ConsoleWatch& operator=(const ConsoleWatch&) = delete;

private:
    ConsoleKeys& console_;
};

// The run's questions before every byte and its progress after each.
class TransferControl : public RunControl {
public:
    TransferControl(std::atomic<std::int32_t>& runFlag, ConsoleKeys& console,
                    DownloadListener& listener)
        : runFlag_(runFlag), console_(console), listener_(listener) {}

    bool stopRequested() override {
        if (runFlag_.load() == 0) {
            runFlag_.store(1);
            stop_ = DownloadEnd::Cancelled;
            return true;
        }
        if (console_.keyWaiting()) {
            stop_ = DownloadEnd::ConsoleAbort;
            return true;
        }
        return false;
    }
    void byteSent(std::size_t index, std::uint8_t) override {
        listener_.downloadProgress(index + 1, downloadProgressPosition(index + 1));
    }
    DownloadEnd stop() const { return stop_; }

private:
    std::atomic<std::int32_t>& runFlag_;
    ConsoleKeys& console_;
    DownloadListener& listener_;
    DownloadEnd stop_ = DownloadEnd::Cancelled;
};

DownloadEnd transfer(const DownloadJob& job, PortIo& port, Pacer& pacer,
                     std::atomic<std::int32_t>& runFlag, ConsoleKeys& console,
                     DownloadListener& listener, PortRefusal& refusal) {
    const ConsoleWatch watch(console);
    if (runFlag.load() == 0) {
        runFlag.store(1);
        return DownloadEnd::Cancelled;
    }
    refusal = portRefusal(job.osFamily, job.permissionReady);
    if (refusal != PortRefusal::None) {
        return DownloadEnd::Refused;
    }
    TransferControl control(runFlag, console, listener);
    const std::vector<std::uint8_t> bytes(job.image.begin(), job.image.end());
    switch (port.sendRun(RunKind::Download, bytes, pacer, control)) {
    case RunEnd::Completed:
        return DownloadEnd::Completed;
    case RunEnd::Stopped:
        return control.stop();
    case RunEnd::Refused:
        // The helper said no after start-up had said yes.
        refusal = PortRefusal::NoPermission;
        return DownloadEnd::Refused;
    case RunEnd::ControllerFault:
        break;
    }
    return DownloadEnd::Failed;
}

} // namespace

DownloadEnd runDownload(const DownloadJob& job, PortIo& port, Pacer& pacer,
                        std::atomic<std::int32_t>& runFlag, ConsoleKeys& console,
                        DownloadListener& listener) {
    PortRefusal refusal = PortRefusal::None;
    const DownloadEnd end = transfer(job, port, pacer, runFlag, console, listener, refusal);
    listener.downloadEnded(end, end == DownloadEnd::Refused ? refusal : PortRefusal::None);
    return end;
}

DownloadWorker::DownloadWorker(PortIo& port, Pacer& pacer, std::atomic<std::int32_t>& runFlag,
                               ConsoleKeys& console, DownloadListener& listener,
                               ThreadLauncher launcher)
    : port_(port), pacer_(pacer), runFlag_(runFlag), console_(console), listener_(listener),
      launcher_(std::move(launcher)) {
    if (!launcher_) {
        launcher_ = [](std::function<void()> body) { return std::thread(std::move(body)); };
    }
}

DownloadWorker::~DownloadWorker() {
    wait();
}

DownloadWorker::StartResult DownloadWorker::start(const DownloadJob& job) {
    const std::lock_guard lock(threadMutex_);
    if (busy_.load()) {
        return StartResult::Busy;
    }
    // The previous transfer has ended; collect its thread.
    if (thread_.joinable()) {
        thread_.join();
    }
    busy_.store(true);
    try {
        thread_ = launcher_([this, job] {
            PortRefusal refusal = PortRefusal::None;
            const DownloadEnd end =
                transfer(job, port_, pacer_, runFlag_, console_, listener_, refusal);
            // Free before the last report, so that an owner reacting to it can
            // start the next transfer at once; the port is no longer used.
            busy_.store(false);
            listener_.downloadEnded(end, end == DownloadEnd::Refused ? refusal : PortRefusal::None);
        });
    } catch (const std::system_error&) {
        busy_.store(false);
        return StartResult::ThreadFailed;
    }
    return StartResult::Started;
}

void DownloadWorker::wait() {
    const std::lock_guard lock(threadMutex_);
    if (thread_.joinable()) {
        thread_.join();
    }
}

} // namespace quilby
