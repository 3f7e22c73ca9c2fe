#pragma once

#include "common/ProgramLanguage.h"

#include <optional>
#include <string>
#include <vector>

namespace quilby {

// Which way the program reaches the keyboard.
enum class PortMode { Hardware, Simulated };

struct StartupOptions {
    std::string file; // a .KEY file to open at start-up
    PortMode portMode = PortMode::Hardware;
    std::optional<Language> language; // --lang=ko|en, over the settings and the desktop
    std::string error;                // non-empty: the command line was not understood
};

// Parses the program's arguments (without the program name). `portEnv` is the
// value of QUILBY_PORT (empty when unset); "--port=" on the command line wins.
StartupOptions parseStartupOptions(const std::vector<std::string>& args,
                                   const std::string& portEnv);

// What the command line asks for before any window opens: --help and
// --version are answered on standard output without a display.
enum class InfoRequest { None, Usage, Version };
InfoRequest infoRequest(const std::vector<std::string>& args);

// The program's --help text.
std::string startupUsage();

// The caption of the main window: the start-up caption until the document's
// title first changes, then "TITLE - POS Keyboard Utility" with a "*" after a
// modified document's title.
class FrameCaption {
public:
    std::string text(const std::string& documentTitle, bool modified) const;
    void documentTitleChanged() { startup_ = false; }
    bool showsStartupCaption() const { return startup_; }

private:
    bool startup_ = true;
};

} // namespace quilby
