#include "link/McrCommand.h"

namespace quilby {

McrCommand mcrCommand(int headCodeChoice) {
    const auto code =
        static_cast<std::uint8_t>(headCodeChoice >= 1 && headCodeChoice <= 3 ? headCodeChoice : 0);
    return {0xAA, 0xAA, 0xAA, code};
}

PortRefusal sendMcrCommand(PortIo& port, Pacer& pacer, OsFamily osFamily,
                           std::int32_t permissionReady, int headCodeChoice) {
    const PortRefusal refusal = portRefusal(osFamily, permissionReady);
    if (refusal != PortRefusal::None) {
        return refusal;
    }
    pacer.pause(kMcrPauseBeforeCommand);
    for (const std::uint8_t byte : mcrCommand(headCodeChoice)) {
        pacer.pause(kMcrPauseBeforeByte);
        port.portWriteByte(kKeyboardDataPort, byte);
        static_cast<void>(port.portReadByte(kKeyboardDataPort));
    }
    return PortRefusal::None;
}

} // namespace quilby
