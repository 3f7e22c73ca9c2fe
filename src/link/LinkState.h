#pragma once

#include "link/LinkSettings.h"

#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// Which back-end the program talks to.
enum class LinkBackEnd : std::uint8_t { Hardware, Simulated };

// The link's state for the status bar, short enough to stay there: the real
// port ready, out of reach with the short reason, or the simulated keyboard.
std::string linkStatusText(const LinkSettings& settings, LinkBackEnd backEnd);

// Why the port is out of reach, in a few words; empty when it can be reached.
std::string portRefusalReason(const LinkSettings& settings);

// When the port is out of reach, the box a command shows instead of opening a
// dialog that would wait for a keyboard it cannot answer: the command's own
// failure message, the reason, the system's details and, when a permission
// would help, the step that grants it to `programPath`. nullopt when the port
// can be reached.
std::optional<std::string> portRefusalMessage(const LinkSettings& settings,
                                              std::string_view failureMessage,
                                              std::string_view programPath);

} // namespace quilby
