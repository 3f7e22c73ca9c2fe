#include "port/PacedSend.h"

#include "port/Pacer.h"
#include "port/PortIo.h"

namespace quilby {

namespace {

bool sendOne(PortIo& port, std::uint8_t value, std::size_t index, RunControl& control) {
    if (!port.awaitController()) {
        return false;
    }
    port.portWriteByte(kKeyboardDataPort, value);
    // The keyboard answers 0xFA; whatever comes back, the run goes on: the
    // keyboard tells the outcome with its bell.
    control.byteSent(index, port.portReadByte(kKeyboardDataPort));
    return true;
}

} // namespace

RunEnd sendPaced(RunKind kind, const std::vector<std::uint8_t>& bytes, PortIo& port, Pacer& pacer,
                 RunControl& control) {
    if (kind == RunKind::Mcr) {
        pacer.pause(kMcrPauseBeforeCommand);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            pacer.pause(kMcrPauseBeforeByte);
            if (!sendOne(port, bytes[i], i, control)) {
                return RunEnd::ControllerFault;
            }
        }
        return RunEnd::Completed;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (control.stopRequested()) {
            return RunEnd::Stopped;
        }
        pacer.pause(kDownloadPauseBeforeTouch);
        port.touchDevice();
        pacer.pause(kDownloadPauseBeforeWrite);
        if (!sendOne(port, bytes[i], i, control)) {
            return RunEnd::ControllerFault;
        }
    }
    return RunEnd::Completed;
}

} // namespace quilby
