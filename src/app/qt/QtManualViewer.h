#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace quilby {

// How the utility help finds the manual and starts its viewer; tests replace
// both, so no browser opens during a test run.
struct ManualViewerHooks {
    std::function<std::optional<std::filesystem::path>()> findManual;
    // Starts argv without waiting: 0 when it started, otherwise the errno.
    std::function<int(const std::vector<std::string>& argv)> launch;
};

ManualViewerHooks& manualViewerHooks();
void resetManualViewerHooks();

// The utility help: opens the manual in the desktop's viewer, or tells the
// user (through the program's prompts) why it could not.
void showManual(QWidget* parent);

} // namespace quilby
