#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// The project's own page; its download area has the manual and the notes on
// viewing it.
inline constexpr std::string_view kProjectPage = "https://quilby.example.org/";

// The program that opens a file with the desktop's viewer for its format.
inline constexpr std::string_view kDesktopOpener = "xdg-open";

// The command line that shows the manual.
std::vector<std::string> manualViewerCommand(const std::filesystem::path& manual);

// What the utility help tells the user after trying to show the manual.
enum class HelpReport {
    None,              // the manual is shown
    InstallManual,     // the manual file is not installed
    InstallViewer,     // the desktop's viewer or a folder of its path is missing
    InvalidExecutable, // the viewer is there but is no program that can be run
    StartFailed,       // it could not be started for another reason
    ViewerFailed,      // it started, then ended saying it could not show the manual
};

// `launchError` is 0 when the manual is shown (in the program's own window,
// or the desktop's viewer started), otherwise the errno of the start; it is
// not looked at when no manual was found.
HelpReport helpReportFor(bool manualFound, int launchError);

// The opener's exit status when it finds no program for the file (no browser
// installed).
inline constexpr int kOpenerFoundNoViewer = 3;

// What help says once the desktop's opener has ended with `waitStatus` (as
// waitpid gives it): nothing when it succeeded, InstallViewer when it found
// no browser, ViewerFailed when it failed otherwise (no display, the browser
// would not start) or was killed.
HelpReport helpReportForViewerEnd(int waitStatus);

} // namespace quilby
