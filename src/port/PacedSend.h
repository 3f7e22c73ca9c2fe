#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quilby {

class Pacer;
class PortIo;

// The two kinds of run the keyboard is sent, each with its own pacing.
enum class RunKind : std::uint8_t {
    Download = 'D', // the 1960-byte image
    Mcr = 'M',      // the 4-byte MCR command
};

// The longest run of each kind.
inline constexpr std::size_t kDownloadRunLength = 1960;
inline constexpr std::size_t kMcrRunLength = 4;

// The pauses: the keyboard needs them, nothing else paces a run.
inline constexpr std::chrono::milliseconds kDownloadPauseBeforeTouch{15};
inline constexpr std::chrono::milliseconds kDownloadPauseBeforeWrite{10};
inline constexpr std::chrono::milliseconds kMcrPauseBeforeCommand{100};
inline constexpr std::chrono::milliseconds kMcrPauseBeforeByte{50};

enum class RunEnd : std::uint8_t {
    Completed,       // every byte was sent
    Stopped,         // a stop was asked for; the rest was not sent
    Refused,         // the port is out of reach; nothing was sent
    ControllerFault, // the controller never took a byte
};

// What a run asks its owner between bytes and tells it after each.
class RunControl {
public:
    virtual ~RunControl() = default;
    // Looked at before every download byte.
    virtual bool stopRequested() = 0;
    virtual void byteSent(std::size_t index, std::uint8_t readBack) = 0;
};

// Sends `bytes` paced on the calling thread. A download byte: the stop
// check, a pause of 15 ms, the device touch, a pause of 10 ms, the wait for
// the controller, the write and the read-back. The MCR command: a pause of
// 100 ms, then per byte a pause of 50 ms, the wait, the write, the read-back.
RunEnd sendPaced(RunKind kind, const std::vector<std::uint8_t>& bytes, PortIo& port, Pacer& pacer,
                 RunControl& control);

} // namespace quilby
