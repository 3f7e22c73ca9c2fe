#include "link/PortIo.h"

#include <cstring>

namespace quilby {

std::string PortGrant::explanation() const {
    switch (refusal) {
    case Refusal::None:
        return granted ? std::string() : "port 0x60 is out of reach";
    case Refusal::HelperMissing:
        return "the port helper " + helperPath + " is not installed";
    case Refusal::HelperFailed:
        return "the port helper " + helperPath + " could not be started or gave no answer";
    case Refusal::NoPermission:
        return "this account may not use the keyboard port: only members of the group quilby "
               "may (sudo adduser NAME quilby, then log in again); an account outside the group "
               "cannot reprogram the keyboard";
    case Refusal::KernelRefuses:
        return std::string("the kernel gives no way to port 0x60 (ioperm: ") +
               std::strerror(instructionsError) + ")";
    case Refusal::NoController:
        return "this machine has no keyboard controller (its status port reads 0xFF); the "
               "keyboard must be on the PS/2 port";
    }
    return {};
}

OsFamily detectOsFamily(const PortAccess& access) {
    if (!access.hasPortInstructions()) {
        return OsFamily::Unknown;
    }
    return access.needsPermissionStep() ? OsFamily::PermissionStep : OsFamily::OpenPorts;
}

PortRefusal portRefusal(OsFamily osFamily, std::int32_t permissionReady) {
    switch (osFamily) {
    case OsFamily::OpenPorts:
        return PortRefusal::None;
    case OsFamily::PermissionStep:
        return permissionReady != 0 ? PortRefusal::None : PortRefusal::NoPermission;
    default:
        return PortRefusal::NoPortInstructions;
    }
}

} // namespace quilby
