#include "cli/CommandLine.h"
#include "cli/LinkCommands.h"
#include "cli/LinkReport.h"
#include "link/HelperPortIo.h"
#include "link/LinkSettings.h"

#include <ostream>

namespace quilby {

// port-status: asks the port helper whether port 0x60 can be reached,
// without sending a byte. One line on standard output: "ready", or the
// refusal with its cure.
int runPortStatusCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&,
                         LinkEnvironment& link) {
    if (!args.empty()) {
        return kBadArguments;
    }
    std::unique_ptr<HelperPortIo> helper = link.hardware ? link.hardware() : nullptr;
    if (!helper) {
        out << "refused: no port back-end in this program\n";
        return kExitRefused;
    }
    LinkSettings settings;
    startKeyboardLink(settings, *helper);
    if (settings.osFamily != OsFamily::PermissionStep) {
        out << "refused: port 0x60 is out of reach: this machine or build has no port "
               "instructions\n";
        return kExitRefused;
    }
    if (!settings.portReady) {
        out << "refused: " << settings.portGrant.explanation() << "\n";
        return kExitRefused;
    }
    out << "ready\n";
    return 0;
}

} // namespace quilby
