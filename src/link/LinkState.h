#pragma once

#include "link/LinkSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// Which back-end the program talks to.
enum class LinkBackEnd : std::uint8_t { Hardware, Simulated };

// Whether the port can be reached, or why not.
enum class PortReach : std::uint8_t {
    Ready,
    NoPortInstructions, // this machine or build has no port instructions
    NoPermission,       // this account may not use the port helper: the group would help
    KernelRefuses,      // the kernel offers no way to the port at all
    NoController,       // no keyboard controller answers on this machine
    HelperMissing,      // the port helper is not installed or did not answer
};

PortReach portReach(const LinkSettings& settings);

// What a command tells instead of opening a dialog that would wait for a
// keyboard it cannot answer, when the port is out of reach.
struct PortRefusalFacts {
    PortReach reach = PortReach::NoPortInstructions;
    // The permission step's own explanation (English, for a support
    // request); empty when there is none to show.
    std::string details;
    // Adding the operator's account to the group quilby would cure it.
    bool permissionCures = false;
};

// nullopt when the port can be reached.
std::optional<PortRefusalFacts> portRefusalFacts(const LinkSettings& settings);

// The name of the account this program runs as ("NAME" when it has none).
std::string currentAccountName();

// A path as one shell word, so a command naming it can be pasted as it is.
std::string shellWord(std::string_view path);

} // namespace quilby
