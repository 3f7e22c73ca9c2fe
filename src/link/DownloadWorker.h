#pragma once

#include "link/ConsoleKeys.h"
#include "link/DownloadImage.h"
#include "link/PortIo.h"
#include "port/Pacer.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace quilby {

// Progress position after `bytesSent` bytes: 100 * bytesSent / 1960, so 0
// until byte 20 and 100 only after the last byte.
int downloadProgressPosition(std::size_t bytesSent);

// How a transfer ended.
enum class DownloadEnd : std::uint8_t {
    Completed,    // every byte was sent
    Cancelled,    // the run flag was cleared; it has been set back to 1
    Refused,      // the port is out of reach; nothing was sent
    ConsoleAbort, // a key was pressed in the program's console
    Failed,       // the controller never took a byte, or the port helper went away
};

// Receives the worker's reports on the worker's thread; the Qt layer turns
// them into queued signals, so nothing here touches a widget.
class DownloadListener {
public:
    virtual ~DownloadListener() = default;
    // After every byte: bytes sent so far and the progress position.
    virtual void downloadProgress(std::size_t bytesSent, int position) = 0;
    // Once per transfer, last. `refusal` says why a Refused transfer was.
    virtual void downloadEnded(DownloadEnd end, PortRefusal refusal) = 0;
};

// What a transfer needs, copied when it starts.
struct DownloadJob {
    DownloadImage image{};
    OsFamily osFamily = OsFamily::Unknown;
    std::int32_t permissionReady = 0;
};

// Sends one image on the calling thread: the run flag and the port refusal
// first, then the port back-end's paced run (see port/PacedSend.h), which
// looks at the run flag and the console before every byte and reports the
// progress after it.
DownloadEnd runDownload(const DownloadJob& job, PortIo& port, Pacer& pacer,
                        std::atomic<std::int32_t>& runFlag, ConsoleKeys& console,
                        DownloadListener& listener);

// Runs transfers on a thread of their own, one at a time.
class DownloadWorker {
public:
    enum class StartResult : std::uint8_t {
        Started,
        Busy,         // a transfer is still running; nothing was started
        ThreadFailed, // the thread could not be created
    };

    // Creates the thread for a transfer; tests replace it to fail.
    using ThreadLauncher = std::function<std::thread(std::function<void()>)>;

    DownloadWorker(PortIo& port, Pacer& pacer, std::atomic<std::int32_t>& runFlag,
                   ConsoleKeys& console, DownloadListener& listener, ThreadLauncher launcher = {});
    // Waits for a running transfer: its last reports never outlive the owner.
    ~DownloadWorker();
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    StartResult start(const DownloadJob& job);
    bool busy() const { return busy_.load(); }
    // Waits until the running transfer, if any, has ended.
    void wait();

private:
    PortIo& port_;
    Pacer& pacer_;
    std::atomic<std::int32_t>& runFlag_;
    ConsoleKeys& console_;
    DownloadListener& listener_;
    ThreadLauncher launcher_;
    std::mutex threadMutex_;
    std::thread thread_;
    std::atomic<bool> busy_{false};
};

} // namespace quilby
