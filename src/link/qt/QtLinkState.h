#pragma once

#include "link/LinkState.h"

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <string_view>

namespace quilby {

// The link's state and the port's refusal, told in the dialogs' language.
class QtLinkState {
    Q_DECLARE_TR_FUNCTIONS(QtLinkState)
public:
    // Why the port is out of reach, in a few words; empty when it is ready.
    static QString reachText(PortReach reach);
    // For the status bar, short enough to stay there: the real port ready,
    // out of reach with the short reason, or the simulated keyboard.
    static QString statusText(const LinkSettings& settings, LinkBackEnd backEnd);
    // The box a command shows instead of opening its dialog when the port is
    // out of reach: the command's own failure message (a text of
    // link/LinkTexts.h), the reason, the system's details and, when the
    // group would help, the step that puts `accountName` in it.
    // nullopt when the port can be reached.
    static std::optional<QString> refusalMessage(const LinkSettings& settings,
                                                 std::string_view failureMessage,
                                                 std::string_view accountName);
};

} // namespace quilby
