#include "help/HelpCommand.h"

#include "help/HelpLocator.h"

#include <sys/wait.h>

#include <cerrno>
#include <system_error>

namespace quilby {

std::vector<std::string> manualViewerCommand(const std::filesystem::path& manual) {
    return {std::string(kDesktopOpener), manual.string()};
}

HelpReport helpReportFor(bool manualFound, int launchError) {
    if (!manualFound) {
        return HelpReport::InstallManual;
    }
    switch (launchError) {
    case 0:
        return HelpReport::None;
    case ENOENT:
    case ENOTDIR:
        return HelpReport::InstallViewer;
    case EACCES:
    case ENOEXEC:
        return HelpReport::InvalidExecutable;
    default:
        return HelpReport::StartFailed;
    }
}

HelpReport helpReportForViewerEnd(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        switch (WEXITSTATUS(waitStatus)) {
        case 0:
            return HelpReport::None;
        case kOpenerFoundNoViewer:
            return HelpReport::InstallViewer;
        default:
            return HelpReport::ViewerFailed;
        }
    }
    return HelpReport::ViewerFailed;
}

} // namespace quilby
