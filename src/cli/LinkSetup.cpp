#include "cli/LinkSetup.h"

#include "cli/EvdevDevices.h"
#include "link/HelperPortIo.h"
#include "link/KeySources.h"
#include "link/SimulatedKeyboard.h"
#include "port/Pacer.h"

#include <unistd.h>
#include <utility>

namespace quilby {

namespace {

bool isTerminal(int fd) {
    return fd >= 0 && ::isatty(fd) == 1;
}

std::string ttyNameOf(int fd) {
    const char* name = fd >= 0 ? ::ttyname(fd) : nullptr;
    return name ? name : "";
}

// Why the port is out of reach, for the operator.
std::string portRefusalReason(const LinkSettings& settings) {
    const std::string why = settings.osFamily == OsFamily::Unknown
                                ? "port 0x60 is out of reach: this machine or build has no port "
                                  "instructions"
                                : settings.portGrant.explanation();
    return why + "; nothing was sent (try the command with --port=sim to rehearse)";
}

} // namespace

LinkSetup::LinkSetup(LinkEnvironment& env, bool simulated, KeyboardBrand brand, std::string input)
    : env_(env), simulated_(simulated), brand_(brand), input_(std::move(input)) {}

LinkSetup::~LinkSetup() {
    keysOwned_.reset();
    if (access_ != nullptr) {
        shutdownKeyboardLink(settings, *access_);
    }
}

std::optional<std::string> LinkSetup::openPort() {
    if (simulated_) {
        if (env_.simulator == nullptr) {
            simOwned_ = std::make_unique<SimulatedKeyboard>(brand_ == KeyboardBrand::Molbrix
                                                                ? SimulatedKeyboard::Model::Molbrix
                                                                : SimulatedKeyboard::Model::Varo);
        }
        sim_ = env_.simulator != nullptr ? env_.simulator : simOwned_.get();
        port_ = sim_;
        access_ = sim_;
    } else {
        if (env_.hardware) {
            hardware_ = env_.hardware();
        }
        if (hardware_) {
            port_ = hardware_.get();
            access_ = hardware_.get();
        } else {
            // No back-end at all: the same answer as a machine without ports.
            port_ = &noPorts_;
            access_ = &noPorts_;
        }
    }
    startKeyboardLink(settings, *access_);
    settings.keyboardBrand = brand_;
    settings.selectKeyboardId();
    if (portRefusal(settings.osFamily, settings.portReady) == PortRefusal::None) {
        return std::nullopt;
    }
    return portRefusalReason(settings);
}

std::optional<std::string> LinkSetup::openKeys() {
    if (env_.keys != nullptr) {
        keys_ = env_.keys;
        return std::nullopt;
    }
    if (sim_ != nullptr && !input_.empty() && input_ != "tty") {
        // The simulated keyboard types by itself, but a --input that names
        // nothing readable is a mistake said before any waiting.
        if (InputOpening opened = openInputDevice(input_); !opened.device) {
            return opened.error;
        }
    }
    if (sim_ != nullptr) {
        keysOwned_ = std::make_unique<SimulatorKeySource>(*sim_, env_.simulatorAnnounceAfter);
    } else if (input_ == "tty" || (input_.empty() && isTerminal(env_.terminalFd) &&
                                   isLocalConsole(ttyNameOf(env_.terminalFd)))) {
        if (!TerminalKeySource::usable(env_.terminalFd)) {
            return "standard input is not a terminal in the foreground, so the keyboard's "
                   "typing cannot be read there; give --input=/dev/input/eventN";
        }
        keysOwned_ = std::make_unique<TerminalKeySource>(env_.terminalFd);
    } else if (!input_.empty()) {
        InputOpening opened = openInputDevice(input_);
        if (!opened.device) {
            return opened.error;
        }
        std::vector<std::unique_ptr<InputDevice>> devices;
        devices.push_back(std::move(opened.device));
        keysOwned_ = std::make_unique<EvdevKeySource>(std::move(devices));
    } else {
        KeyboardSearch search = findKeyboards();
        if (search.keyboards.empty()) {
            std::string why = search.folderMissing
                                  ? "this machine has no " + search.folder
                                  : "no keyboard could be read in " + search.folder;
            if (search.denied > 0) {
                why += ": " + inputPermissionHint();
            } else {
                why += "; on the till's own console use --input=tty";
            }
            return why;
        }
        keysOwned_ = std::make_unique<EvdevKeySource>(std::move(search.keyboards));
    }
    keys_ = keysOwned_.get();
    return std::nullopt;
}

Pacer& LinkSetup::pacer() {
    if (env_.pacer != nullptr) {
        return *env_.pacer;
    }
    if (!pacerOwned_) {
        pacerOwned_ = std::make_unique<SteadyPacer>();
    }
    return *pacerOwned_;
}

} // namespace quilby
