#include "link/LinkState.h"

#include <pwd.h>
#include <unistd.h>

namespace quilby {

namespace {

PortReach reachOf(const PortGrant& grant) {
    switch (grant.refusal) {
    case PortGrant::Refusal::NoPermission:
        return PortReach::NoPermission;
    case PortGrant::Refusal::NoController:
        return PortReach::NoController;
    case PortGrant::Refusal::HelperMissing:
    case PortGrant::Refusal::HelperFailed:
        return PortReach::HelperMissing;
    case PortGrant::Refusal::None:
    case PortGrant::Refusal::KernelRefuses:
        break;
    }
    return PortReach::KernelRefuses;
}

} // namespace

std::string currentAccountName() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "NAME";
}

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
    return reachOf(settings.portGrant);
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
    facts.permissionCures = permissionStep && reach == PortReach::NoPermission;
    return facts;
}

} // namespace quilby
