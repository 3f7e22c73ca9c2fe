#include "app/StartupOptions.h"

#include "app/CommandTable.h"

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
        } else if (arg.rfind("--lang=", 0) == 0) {
            const std::string value = arg.substr(7);
            options.language = parseLanguage(value);
            if (!options.language) {
                options.error = "--lang must be 'ko' or 'en', not '" + value + "'";
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

InfoRequest infoRequest(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        if (arg == "--help" || arg == "-h") {
            return InfoRequest::Usage;
        }
        if (arg == "--version") {
            return InfoRequest::Version;
        }
    }
    return InfoRequest::None;
}

std::string startupUsage() {
    return "usage: quilby [--port=sim|hw] [--lang=ko|en] [FILE.KEY]\n\n"
           "Edits the key tables of a PC-attached POS keyboard (.KEY files), downloads\n"
           "them into the keyboard and prints keycap labels.\n\n"
           "  FILE.KEY      open this key table at start-up\n"
           "  --port=sim    use the simulated POS keyboard (no port is touched)\n"
           "  --port=hw     use the keyboard on I/O port 0x60 (the default)\n"
           "  --lang=ko     show the windows in Korean\n"
           "  --lang=en     show the windows in English (by default the language\n"
           "                chosen in the View menu, else the desktop's: Korean for\n"
           "                a Korean or C locale, English for any other)\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n\n"
           "QUILBY_PORT=sim or QUILBY_PORT=hw chooses the port when --port is not given.\n";
}

std::string FrameCaption::text(const std::string& documentTitle, bool modified) const {
    if (startup_ && !modified) {
        return std::string(kStartupCaption);
    }
    return documentTitle + (modified ? "*" : "") + " - " + std::string(kWindowTitle);
}

} // namespace quilby
