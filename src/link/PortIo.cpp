#include "link/PortIo.h"

#include <cerrno>
#include <cstring>

namespace quilby {

namespace {

std::string errnoText(int code) {
    switch (code) {
    case EPERM:
        return "EPERM, the program lacks CAP_SYS_RAWIO or the kernel is locked down";
    case ENOSYS:
        return "ENOSYS, the kernel has no ioperm";
    case ENOENT:
        return "ENOENT, there is no /dev/port";
    case EACCES:
        return "EACCES, /dev/port may not be opened";
    default:
        return std::strerror(code);
    }
}

} // namespace

std::string PortGrant::explanation() const {
    if (granted) {
        return {};
    }
    std::string text = "port 0x60 is out of reach";
    if (instructionsError != 0) {
        text += "; ioperm: " + errnoText(instructionsError);
    }
    if (devPortError != 0) {
        text += "; /dev/port: " + errnoText(devPortError);
    }
    if (instructionsError == EPERM || devPortError == EPERM || devPortError == EACCES) {
        text += " (grant it once with: setcap cap_sys_rawio+ep on the installed program)";
    }
    return text;
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
