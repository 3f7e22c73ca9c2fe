#include "cli/LinkCommand.h"
#include "common/TextEscape.h"
#include "link/DownloadRecord.h"

#include "cli/CommandLine.h"
#include "link/HelperPortIo.h"
#include "link/KeySources.h"
#include "link/SimulatedKeyboard.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quilby {

namespace {

using Clock = std::chrono::steady_clock;

// The longest --timeout: a day.
constexpr double kMaxTimeoutSeconds = 86400;

// How long one wait for keys lasts: the longest a stop request or a deadline
// goes unseen while waiting.
constexpr std::chrono::milliseconds kPollSlice{20};

// Every option of the link commands; a command accepts some of them.
constexpr OptionRule kLinkOptions[] = {
    {"--port", OptionRule::Form::Joined},  {"--model", OptionRule::Form::Joined},
    {"--json", OptionRule::Form::Flag},    {"--timeout", OptionRule::Form::Joined},
    {"--force", OptionRule::Form::Flag},   {"--set", OptionRule::Form::Joined},
    {"--input", OptionRule::Form::Joined},
};

// Takes one option's value into `o`; prints why it is refused.
bool takeOption(const ParsedArgs::Option& option, LinkOptions& o, std::ostream& err) {
    const std::string& v = option.value;
    if (option.name == "--json") {
        o.json = true;
    } else if (option.name == "--force") {
        o.force = true;
    } else if (option.name == "--port") {
        if (v != "hw" && v != "sim") {
            err << "quilby-key: --port must be hw or sim\n";
            return false;
        }
        o.simulated = v == "sim";
    } else if (option.name == "--model") {
        if (v != "varo" && v != "molbrix") {
            err << "quilby-key: --model must be varo or molbrix\n";
            return false;
        }
        o.brand = v == "molbrix" ? KeyboardBrand::Molbrix : KeyboardBrand::Varo;
    } else if (option.name == "--timeout") {
        const auto parsedSeconds = parseDecimal(v, kMaxTimeoutSeconds);
        if (!parsedSeconds) {
            err << "quilby-key: --timeout takes seconds in decimal, 0 to 86400 (0 waits without "
                   "limit)\n";
            return false;
        }
        const double seconds = *parsedSeconds;
        o.timeout =
            seconds == 0
                ? std::nullopt
                : std::optional(std::chrono::milliseconds(static_cast<long long>(seconds * 1000)));
    } else if (option.name == "--set") {
        o.headCodeChoice = headCodeChoiceOfName(v);
        if (!o.headCodeChoice) {
            err << "quilby-key: --set takes off, ff, ? (question) or ; (semicolon)\n";
            return false;
        }
    } else if (option.name == "--input") {
        if (v.empty()) {
            err << "quilby-key: --input takes tty or an input device\n";
            return false;
        }
        o.input = v;
    }
    return true;
}

} // namespace

std::optional<int> headCodeChoiceOfName(std::string_view name) {
    if (name == "off") {
        return 0;
    }
    if (name == "ff") {
        return 1;
    }
    if (name == "?" || name == "question") {
        return 2;
    }
    if (name == ";" || name == "semicolon") {
        return 3;
    }
    return std::nullopt;
}

std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& args,
                                            std::initializer_list<std::string_view> accepted,
                                            const LinkEnvironment& env, std::ostream& err) {
    LinkOptions o;
    if (env.portEnv == "sim") {
        o.simulated = true;
    } else if (!env.portEnv.empty() && env.portEnv != "hw") {
        err << "quilby-key: QUILBY_PORT must be hw or sim, not '" << printableText(env.portEnv)
            << "'\n";
        return std::nullopt;
    }
    std::vector<OptionRule> rules;
    for (const OptionRule& rule : kLinkOptions) {
        if (std::find(accepted.begin(), accepted.end(), rule.name) != accepted.end()) {
            rules.push_back(rule);
        }
    }
    const CommandSyntax syntax = commandSyntax(rules);
    const ParsedArgs parsed = parseArgs(args, syntax);
    // In the order given: the first wrong argument is the one reported.
    for (const ParsedArgs::Option& option : parsed.options) {
        if (!takeOption(option, o, err)) {
            return std::nullopt;
        }
    }
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return std::nullopt;
    }
    o.operands = parsed.operands;
    return o;
}

std::string signalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "Ctrl+C";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP (the terminal went away)";
    case SIGQUIT:
        return "SIGQUIT";
    case SIGPIPE:
        return "SIGPIPE (the output went away)";
    default:
        return "signal " + std::to_string(signal);
    }
}

std::string_view modelName(KeyboardBrand brand) {
    return brand == KeyboardBrand::Molbrix ? "molbrix" : "varo";
}

LinkReporter::Done abortedOutcome(std::string reason) {
    LinkReporter::Done d;
    d.result = LinkResult::Aborted;
    d.reason = std::move(reason);
    return d;
}

void addSimulatorOutcome(LinkReporter::Done& d, SimulatedKeyboard* sim,
                         const DownloadImage* image) {
    if (sim == nullptr) {
        return;
    }
    d.bells = sim->counters().bellRings;
    d.received = sim->counters().bytesReceived;
    if (image != nullptr) {
        const auto last = sim->lastImage();
        d.imageMatches = last.has_value() && *last == *image;
    }
}

LinkEnvironment LinkEnvironment::forProgram() {
    LinkEnvironment env;
    if (const char* port = std::getenv("QUILBY_PORT")) {
        env.portEnv = port;
    }
    env.hardware = [] { return std::make_unique<HelperPortIo>(); };
    env.terminalFd = STDIN_FILENO;
    env.historyFolder = DownloadHistory::defaultFolder();
    env.progressBar = ::isatty(STDERR_FILENO) == 1;
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        env.terminalColumns = size.ws_col;
    }
    return env;
}

LinkCommand::LinkCommand(const LinkOptions& options, LinkEnvironment& env, std::ostream& out,
                         std::ostream& err, bool progressBar)
    : options_(options), env_(env), err_(err),
      reporter_(out, err, options.json, progressBar, env.terminalColumns) {}

int LinkCommand::run() {
    // Caught for the length of the command when the environment asks, and
    // before the terminal is taken over, so no signal can leave it raw.
    StopSignals::clear();
    if (env_.catchSignals) {
        signals_.emplace();
    }
    link_.emplace(env_, options_.simulated, options_.brand, options_.input);
    StopSignals::watch(&link_->settings.downloadRunFlag);
    if (const auto refused = openLink()) {
        return *refused;
    }
    if (const auto status = start()) {
        return *status;
    }
    // Nobody receives the output before anything was sent: a usage failure
    // (exit 2), reported by the caller that watches the stream.
    if (reporter_.outputFailed()) {
        return kExitUsage;
    }
    std::optional<LinkReporter::Done> outcome;
    while (!outcome) {
        if (const int signal = stopRequested()) {
            outcome = stopped(signal);
            break;
        }
        // Output nobody receives (a full disk, a reader gone without the
        // signal) ends the command as a closed pipe does.
        if (reporter_.outputFailed()) {
            link_->settings.downloadRunFlag.store(0);
            outcome = stopped(SIGPIPE);
            break;
        }
        for (const KeyMessage& key : link_->keys().read(kPollSlice)) {
            outcome = refusedAnnouncement(key);
            if (!outcome) {
                outcome = onKey(key);
            }
            if (outcome) {
                break;
            }
        }
        if (!outcome) {
            outcome = afterKeys();
        }
    }
    finish(*outcome);
    reporter_.done(*outcome);
    return exitStatusOf(outcome->result);
}

// Port 0x60 reaches only a keyboard on the PS/2 port. An announcement typed
// on a keyboard attached another way is refused before any byte is sent,
// instead of a transfer that "completes" into a port that keyboard never
// hears. The guard follows the announcement as the command's own matching
// does, and only while nothing is being sent.
std::optional<LinkReporter::Done> LinkCommand::refusedAnnouncement(const KeyMessage& key) {
    if (!writesPort() || link().simulatedPort()) {
        return std::nullopt;
    }
    if (!announceGuard_) {
        announceGuard_.emplace(link_->settings);
    }
    if (sending() || !announceGuard_->step(key, false).completed) {
        return std::nullopt;
    }
    announceGuard_->setCounter(0);
    if (key.origin != KeyOrigin::Elsewhere) {
        return std::nullopt;
    }
    LinkReporter::Done d;
    d.result = LinkResult::Refused;
    d.reason = "the keyboard announced itself through an input device that is not on the PS/2 "
               "port (USB or a USB adapter); port 0x60 reaches only a keyboard on the PS/2 port, "
               "so nothing was sent";
    return d;
}

void LinkCommand::finish(LinkReporter::Done& outcome) {
    addSimulatorOutcome(outcome, link().simulator(), nullptr);
}

// Opens the port and the keys; on a refusal reports it and returns its status.
std::optional<int> LinkCommand::openLink() {
    for (auto step : {&LinkSetup::openPort, &LinkSetup::openKeys}) {
        if (step == &LinkSetup::openPort && !writesPort() && !link().simulatedPort()) {
            continue;
        }
        if (auto why = (link().*step)()) {
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.reason = *why;
            reporter_.done(d);
            return exitStatusOf(d.result);
        }
    }
    return std::nullopt;
}

void LinkCommand::startWaiting(std::string_view command, std::string_view model) {
    reporter_.waiting(command, model, link_->keys().describe());
    if (writesPort() && !link_->simulatedPort() && !link_->keys().tellsOrigin()) {
        err_ << "note: port 0x60 reaches only a keyboard on the PS/2 port; the keyboard must "
                "be plugged in there (one on USB or a USB adapter never hears the download)\n";
    }
    restartDeadline();
}

void LinkCommand::restartDeadline() {
    deadline_ = Clock::now() + options_.timeout.value_or(std::chrono::milliseconds(0));
}

bool LinkCommand::deadlinePassed() const {
    return options_.timeout && Clock::now() >= deadline_;
}

LinkReporter::Done LinkCommand::timedOut(std::string_view what) const {
    LinkReporter::Done d;
    d.result = LinkResult::Timeout;
    char limit[32];
    std::snprintf(
        limit, sizeof limit, "%.1f",
        static_cast<double>(options_.timeout.value_or(std::chrono::milliseconds(0)).count()) /
            1000.0);
    d.reason = std::string(what) + " within " + limit + " s (--timeout)";
    return d;
}

} // namespace quilby
