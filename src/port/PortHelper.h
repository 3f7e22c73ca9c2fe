#pragma once

#include "port/PacedSend.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quilby {

// How the programs and the port helper talk, over one stream socket that is
// the helper's standard input and output.
//
// The helper answers first, before it reads anything, with one reply:
//   'R'             ready: the permission is held and a controller answers
//   'P' errno       the kernel refused the permission (errno of ioperm)
//   'C'             no keyboard controller: its status port reads 0xFF
//   'F' errno       the capabilities could not be dropped
// Then it reads one request: the kind ('D' download, 'M' MCR command), the
// length in two bytes (low byte first) and that many bytes. While it sends,
// it reports 'B' and the byte read back after every byte, and reads 'S' (or
// the end of its input) as a stop request. It ends with 'E' and its exit
// status. End of input before a request is a probe that asked for nothing.
namespace helper {
inline constexpr std::uint8_t kReady = 'R';
inline constexpr std::uint8_t kNoPermission = 'P';
inline constexpr std::uint8_t kNoController = 'C';
inline constexpr std::uint8_t kDropFailed = 'F';
inline constexpr std::uint8_t kStop = 'S';
inline constexpr std::uint8_t kByteSent = 'B';
inline constexpr std::uint8_t kRunEnded = 'E';

// The helper's exit statuses.
enum class Exit : int {
    Done = 0,            // the run completed, or a probe ended
    Refused = 2,         // no permission, no controller, capabilities kept
    Stopped = 3,         // a stop request or the end of input ended the run
    ControllerFault = 4, // the controller never took a byte
    BadRequest = 5,      // not a request this helper takes
    Usage = 64,          // an option other than --version
};

// How long the helper waits for the controller's input buffer to empty.
inline constexpr std::chrono::milliseconds kControllerWait{100};
// How long a request may take to arrive once its first byte has.
inline constexpr std::chrono::milliseconds kRequestWait{5000};

// The request for a run, as the programs send it.
std::vector<std::uint8_t> encodeRequest(RunKind kind, const std::vector<std::uint8_t>& bytes);

// Whether a request header is one the helper takes: a known kind and a
// length that fits it (1 to 1960 bytes of image, exactly the 4 MCR bytes).
std::optional<RunKind> acceptedRequest(std::uint8_t kind, std::size_t length);
} // namespace helper

// Everything the helper does to the system, so that tests stand in for all
// of it: no test reaches a real port.
struct HelperSystem {
    using Clock = std::chrono::steady_clock;
    // ioperm(port, 1, on): 0, or the errno value.
    std::function<int(std::uint16_t port)> permitPort;
    // Clears the capabilities and sets no_new_privs: 0, or the errno value.
    std::function<int()> dropPrivileges;
    // Asks for a signal when the parent dies; false when it already has.
    std::function<bool()> watchParent;
    std::function<void(std::uint16_t port, std::uint8_t value)> outByte;
    std::function<std::uint8_t(std::uint16_t port)> inByte;
    // One byte from the parent within `timeout`: 0 to 255, kEndOfInput, or
    // kNoInput when none came in time.
    // A negative timeout waits for ever.
    std::function<int(std::chrono::microseconds timeout)> readByte;
    // Writes all of it; false when the parent is gone.
    std::function<bool(const std::vector<std::uint8_t>& bytes)> write;
    std::function<Clock::time_point()> now;
    std::function<void(Clock::time_point until)> sleepUntil;

    static constexpr int kEndOfInput = -1;
    static constexpr int kNoInput = -2;
};

// The helper's whole life after its options: the permission, the drop of
// every capability, the reply, one request and its run. Returns the exit
// status.
helper::Exit runPortHelper(HelperSystem& system);

} // namespace quilby
