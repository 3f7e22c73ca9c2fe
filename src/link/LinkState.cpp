#include "link/LinkState.h"

#include <cerrno>

namespace quilby {

namespace {

// A permission can cure the refusal: the kernel said no to this process, not
// that it has no way to the port at all.
bool permissionWouldHelp(const PortGrant& grant) {
    return grant.instructionsError == EPERM || grant.devPortError == EPERM ||
           grant.devPortError == EACCES;
}

} // namespace

std::string shellWord(std::string_view path) {
    const bool plain =
        !path.empty() && path.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                                "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                "0123456789/._+-") == std::string_view::npos;
    if (plain) {
        return std::string(path);
    }
    std::string word = "'";
    for (const char c : path) {
        if (c == '\'') {
            word += "'\\''";
        } else {
            word += c;
        }
    }
    return word + "'";
}

PortReach portReach(const LinkSettings& settings) {
    switch (portRefusal(settings.osFamily, settings.portReady)) {
    case PortRefusal::None:
        return PortReach::Ready;
    case PortRefusal::NoPortInstructions:
        return PortReach::NoPortInstructions;
    case PortRefusal::NoPermission:
        break;
    }
    return permissionWouldHelp(settings.portGrant) ? PortReach::NoPermission
                                                   : PortReach::KernelRefuses;
}

std::optional<PortRefusalFacts> portRefusalFacts(const LinkSettings& settings) {
    const PortReach reach = portReach(settings);
    if (reach == PortReach::Ready) {
        return std::nullopt;
    }
    PortRefusalFacts facts;
    facts.reach = reach;
    const bool permissionStep = settings.osFamily == OsFamily::PermissionStep;
    if (permissionStep && !settings.portGrant.granted) {
        facts.details = settings.portGrant.explanation();
    }
    facts.permissionCures = permissionStep && permissionWouldHelp(settings.portGrant);
    return facts;
}

} // namespace quilby
