#pragma once

#include <cstdint>
#include <string>

namespace quilby {

// The keyboard controller's data port: the only port the link ever uses.
inline constexpr std::uint16_t kKeyboardDataPort = 0x60;

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

    // What a refused read yields: an idle bus reads all ones.
    static constexpr std::uint8_t kRefusedRead = 0xFF;
};

// The answer of the platform's permission step for the data port.
struct PortGrant {
    enum class Route : std::uint8_t { None, PortInstructions, DevPort };

    bool granted = false;
    Route route = Route::None;
    // errno values of the routes tried, 0 where a route was not tried:
    // EPERM (no CAP_SYS_RAWIO, or a locked-down kernel), ENOSYS (a kernel
    // without ioperm), ENOENT or EACCES for /dev/port.
    int instructionsError = 0;
    int devPortError = 0;

    // Short English explanation for the command-line tool and the logs of a
    // support request; empty when granted.
    std::string explanation() const;
};

// How this process reaches ports on this platform. Start-up asks it once
// (the family and the permission) and shutdown releases the permission.
class PortAccess {
public:
    virtual ~PortAccess() = default;
    // Whether the processor has port instructions at all.
    virtual bool hasPortInstructions() const = 0;
    // Whether reaching a port takes a permission step first.
    virtual bool needsPermissionStep() const = 0;
    virtual PortGrant acquirePermission() = 0;
    virtual void releasePermission() = 0;
};

// Operating-system families, as far as port access goes.
enum class OsFamily : std::int32_t {
    Unknown = 0,        // no port instructions: the port is out of reach
    PermissionStep = 1, // ports need a permission granted at start-up
    OpenPorts = 2,      // ports are reachable without a permission step
};

OsFamily detectOsFamily(const PortAccess& access);

// Why a sender cannot reach the port at all.
enum class PortRefusal : std::uint8_t {
    None,
    NoPermission,       // family 1 and the permission was not granted
    NoPortInstructions, // family 0: nothing can reach the port
};

// Decided up front by every sender, so that a transfer that cannot reach the
// port is refused instead of running to a "successful" end with every byte
// silently dropped.
PortRefusal portRefusal(OsFamily osFamily, std::int32_t permissionReady);

} // namespace quilby
