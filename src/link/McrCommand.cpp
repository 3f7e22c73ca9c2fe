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
    struct Unwatched : RunControl {
        bool stopRequested() override { return false; }
        void byteSent(std::size_t, std::uint8_t) override {}
    } control;
    const McrCommand command = mcrCommand(headCodeChoice);
    const std::vector<std::uint8_t> bytes(command.begin(), command.end());
    return port.sendRun(RunKind::Mcr, bytes, pacer, control) == RunEnd::Completed
               ? PortRefusal::None
               : PortRefusal::NoPermission;
}

} // namespace quilby
