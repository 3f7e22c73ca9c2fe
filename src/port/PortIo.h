#pragma once

#include "port/PacedSend.h"

#include <cstdint>
#include <vector>

namespace quilby {

// The keyboard controller's data port: the only port a byte is written to.
inline constexpr std::uint16_t kKeyboardDataPort = 0x60;
// The controller's status port; bit 1 is set while its input buffer is full.
inline constexpr std::uint16_t kKeyboardStatusPort = 0x64;

// Byte-wide access to an I/O port: one byte written, one byte read back.
// A back-end that may not reach the port skips the access without a fault;
// the senders do not act on that and go on with the next byte.
class PortIo {
public:
    virtual ~PortIo() = default;

    // Writes one byte. Returns false when the access was refused and the
    // byte was dropped (the senders ignore the answer, as the keyboard only
    // tells the outcome with its bell).
    virtual bool portWriteByte(std::uint16_t port, std::uint8_t value) = 0;

    // Reads one byte; a refused read answers kRefusedRead.
    virtual std::uint8_t portReadByte(std::uint16_t port) = 0;

    // Called before every download byte on back-ends whose platform grants
    // port access per opening of a device. Nothing to do by default.
    virtual void touchDevice() {}

    // Waits, for a bounded time, until the controller can take a byte.
    // False when it never could: the run ends as failed.
    virtual bool awaitController() { return true; }

    // Sends a whole run. In-process back-ends pace it here with `pacer`; a
    // back-end that hands the run to another process paces it there.
    virtual RunEnd sendRun(RunKind kind, const std::vector<std::uint8_t>& bytes, Pacer& pacer,
                           RunControl& control) {
        return sendPaced(kind, bytes, *this, pacer, control);
    }

    // What a refused read yields: an idle bus reads all ones.
    static constexpr std::uint8_t kRefusedRead = 0xFF;
};

} // namespace quilby
