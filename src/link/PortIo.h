#pragma once

#include "port/PortIo.h"

#include <cstdint>
#include <string>

namespace quilby {

// The answer of the permission step for the data port: the port helper's
// first reply, or why no helper could be asked.
struct PortGrant {
    enum class Refusal : std::uint8_t {
        None,
        HelperMissing, // no port helper where the program looks for it
        HelperFailed,  // the helper could not be started or gave no answer
        NoPermission,  // the helper holds no port permission (EPERM)
        KernelRefuses, // the kernel offers no way to the port (ENOSYS, ...)
        NoController,  // no keyboard controller: the status port reads 0xFF
    };

    bool granted = false;
    Refusal refusal = Refusal::None;
    // The errno value of the helper's ioperm, 0 where it did not say.
    int instructionsError = 0;
    // The helper the program asked (or looked for).
    std::string helperPath;

    // Short English explanation for the command-line tool and the logs of a
    // support request, with the cure where there is one; empty when granted.
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
