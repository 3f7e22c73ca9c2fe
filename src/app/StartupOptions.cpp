#include "app/StartupOptions.h"

#include "app/Commands.h"

namespace quilby {

namespace {

bool parsePortMode(const std::string& value, PortMode& mode) {
    if (value == "sim") {
        mode = PortMode::Simulated;
        return true;
    }
    if (value == "hw" || value == "hardware") {
        mode = PortMode::Hardware;
        return true;
    }
    return false;
}

} // namespace

StartupOptions parseStartupOptions(const std::vector<std::string>& args,
                                   const std::string& portEnv) {
    StartupOptions options;
    if (!portEnv.empty() && !parsePortMode(portEnv, options.portMode)) {
        options.error = "QUILBY_PORT must be 'sim' or 'hw', not '" + portEnv + "'";
        return options;
    }
    for (const auto& arg : args) {
        if (arg.rfind("--port=", 0) == 0) {
            const std::string value = arg.substr(7);
            if (!parsePortMode(value, options.portMode)) {
                options.error = "--port must be 'sim' or 'hw', not '" + value + "'";
                return options;
            }
        } else if (arg.rfind("-", 0) == 0 && arg != "-") {
            // Qt consumes its own options (-platform, -style ...) before this.
            options.error = "unknown option '" + arg + "'";
            return options;
        } else if (options.file.empty()) {
            options.file = arg;
        } else {
            options.error = "only one file can be opened";
            return options;
        }
    }
    return options;
}

std::string FrameCaption::text(const std::string& documentTitle, bool modified) const {
    if (startup_ && !modified) {
        return std::string(kStartupCaption);
    }
    return documentTitle + (modified ? "*" : "") + " - " + std::string(kWindowTitle);
}

} // namespace quilby
