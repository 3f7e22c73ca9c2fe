#include "port/PortHelper.h"

#include "port/Pacer.h"
#include "port/PortIo.h"

#include <algorithm>

namespace quilby {

namespace helper {

std::vector<std::uint8_t> encodeRequest(RunKind kind, const std::vector<std::uint8_t>& bytes) {
    // Kind, then the length low byte first, then the bytes.
    std::vector<std::uint8_t> request(3 + bytes.size());
    request[0] = static_cast<std::uint8_t>(kind);
    request[1] = static_cast<std::uint8_t>(bytes.size() & 0xFF);
    request[2] = static_cast<std::uint8_t>((bytes.size() >> 8) & 0xFF);
    std::copy(bytes.begin(), bytes.end(), request.begin() + 3);
    return request;
}

std::optional<RunKind> acceptedRequest(std::uint8_t kind, std::size_t length) {
    if (kind == static_cast<std::uint8_t>(RunKind::Download) && length >= 1 &&
        length <= kDownloadRunLength) {
        return RunKind::Download;
    }
    if (kind == static_cast<std::uint8_t>(RunKind::Mcr) && length == kMcrRunLength) {
        return RunKind::Mcr;
    }
    return std::nullopt;
}

} // namespace helper

namespace {

using helper::Exit;

// The data port through the helper's system calls: nothing but port 0x60 is
// written or read, and a byte goes out only once the controller's input
// buffer is empty.
class ControllerPort : public PortIo {
public:
    explicit ControllerPort(HelperSystem& system) : sys_(system) {}

    bool portWriteByte(std::uint16_t port, std::uint8_t value) override {
        if (port != kKeyboardDataPort) {
            return false;
        }
        sys_.outByte(port, value);
        return true;
    }
    std::uint8_t portReadByte(std::uint16_t port) override {
        return port == kKeyboardDataPort ? sys_.inByte(port) : kRefusedRead;
    }
    bool awaitController() override {
        const auto deadline = sys_.now() + helper::kControllerWait;
        while ((sys_.inByte(kKeyboardStatusPort) & 0x02) != 0) {
            if (sys_.now() >= deadline) {
                return false;
            }
            sys_.sleepUntil(sys_.now() + std::chrono::microseconds(50));
        }
        return true;
    }

private:
    HelperSystem& sys_;
};

// Watches the parent between and during the pauses: a stop request or the
// end of input stops the run before its next byte. A pause is never cut
// short, so the byte already under way keeps its pacing.
class ParentWatch : public RunControl {
public:
    explicit ParentWatch(HelperSystem& system) : sys_(system) {}

    void waitUntil(HelperSystem::Clock::time_point deadline) {
        while (!stop_) {
            const auto now = sys_.now();
            if (now >= deadline) {
                return;
            }
            // One precise wait on the input for the rest of the pause, so the
            // pacing does not drift.
            look(sys_.readByte(std::chrono::ceil<std::chrono::microseconds>(deadline - now)));
        }
        sys_.sleepUntil(deadline);
    }
    bool stopRequested() override {
        if (!stop_) {
            look(sys_.readByte(std::chrono::microseconds(0)));
        }
        return stop_;
    }
    void byteSent(std::size_t, std::uint8_t readBack) override {
        if (!sys_.write({helper::kByteSent, readBack})) {
            stop_ = true; // nobody is listening any more
        }
    }

private:
    void look(int input) {
        // Anything but a stop is not part of the protocol here: stop too.
        if (input != HelperSystem::kNoInput) {
            stop_ = true;
        }
    }

    HelperSystem& sys_;
    bool stop_ = false;
};

Exit ended(HelperSystem& sys, Exit status) {
    sys.write({helper::kRunEnded, static_cast<std::uint8_t>(status)});
    return status;
}

Exit exitOf(RunEnd end) {
    switch (end) {
    case RunEnd::Completed:
        return Exit::Done;
    case RunEnd::Stopped:
        return Exit::Stopped;
    case RunEnd::ControllerFault:
        return Exit::ControllerFault;
    case RunEnd::Refused:
        break;
    }
    return Exit::Refused;
}

} // namespace

Exit runPortHelper(HelperSystem& sys) {
    // One port per call: 0x61 and 0x62 between them are not the keyboard's.
    int permitError = sys.permitPort(kKeyboardDataPort);
    if (permitError == 0) {
        permitError = sys.permitPort(kKeyboardStatusPort);
    }
    // Nothing is read from the parent before this.
    const int dropError = sys.dropPrivileges();
    if (dropError != 0) {
        sys.write({helper::kDropFailed, static_cast<std::uint8_t>(dropError & 0xFF)});
        return Exit::Refused;
    }
    if (!sys.watchParent()) {
        return Exit::Stopped;
    }
    if (permitError != 0) {
        sys.write({helper::kNoPermission, static_cast<std::uint8_t>(permitError & 0xFF)});
        return Exit::Refused;
    }
    if (sys.inByte(kKeyboardStatusPort) == 0xFF) {
        sys.write({helper::kNoController});
        return Exit::Refused;
    }
    if (!sys.write({helper::kReady})) {
        return Exit::Done;
    }

    const int kind = sys.readByte(std::chrono::microseconds(-1));
    if (kind == HelperSystem::kEndOfInput || kind == helper::kStop) {
        return Exit::Done;
    }
    const int low = sys.readByte(helper::kRequestWait);
    const int high = low < 0 ? low : sys.readByte(helper::kRequestWait);
    if (kind < 0 || high < 0) {
        return ended(sys, Exit::BadRequest);
    }
    const auto length = static_cast<std::size_t>(low) | (static_cast<std::size_t>(high) << 8);
    const auto runKind = helper::acceptedRequest(static_cast<std::uint8_t>(kind), length);
    if (!runKind) {
        return ended(sys, Exit::BadRequest);
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length);
    while (bytes.size() < length) {
        const int byte = sys.readByte(helper::kRequestWait);
        if (byte < 0) {
            return ended(sys, Exit::BadRequest);
        }
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }

    ControllerPort port(sys);
    ParentWatch watch(sys);
    SteadyPacer pacer([&sys] { return sys.now(); },
                      [&watch](SteadyPacer::Clock::time_point until) { watch.waitUntil(until); });
    return ended(sys, exitOf(sendPaced(*runKind, bytes, port, pacer, watch)));
}

} // namespace quilby
