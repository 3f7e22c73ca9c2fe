#include "link/McrCommand.h"

namespace quilby {

McrCommand mcrCommand(int radioIndex) {
    const auto code =
        static_cast<std::uint8_t>(radioIndex >= 1 && radioIndex <= 3 ? radioIndex : 0);
    return {0xAA, 0xAA, 0xAA, code};
}

PortRefusal sendMcrCommand(PortIo& port, Pacer& pacer, std::int32_t osFamily,
                           std::int32_t permissionReady, int radioIndex) {
    const PortRefusal refusal = portRefusal(osFamily, permissionReady);
    if (refusal != PortRefusal::None) {
        return refusal;
    }
    pacer.pause(kMcrPauseBeforeCommand);
    for (const std::uint8_t byte : mcrCommand(radioIndex)) {
        pacer.pause(kMcrPauseBeforeByte);
        port.portWriteByte(kKeyboardDataPort, byte);
        static_cast<void>(port.portReadByte(kKeyboardDataPort));
    }
    return PortRefusal::None;
}

} // namespace quilby
