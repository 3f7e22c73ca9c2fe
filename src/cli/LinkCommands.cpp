#include "cli/LinkCommands.h"

#include "cli/EvdevDevices.h"
#include "cli/LinkReport.h"
#include "document/KeyDocument.h"
#include "document/KeyFileReader.h"
#include "link/DownloadSession.h"
#include "link/DownloadWorker.h"
#include "link/HardwarePortIo.h"
#include "link/KeySources.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkTexts.h"
#include "link/McrOptionFile.h"
#include "link/McrSession.h"
#include "link/Pacer.h"
#include "link/SimulatedKeyboard.h"
#include "link/StopSignals.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <ostream>
#include <unistd.h>
#include <utility>

namespace quilby {

namespace {

using Clock = std::chrono::steady_clock;
using Args = std::vector<std::string>;
constexpr int kBadArguments = -1;
// How long one wait for keys lasts: the longest a stop request or a deadline
// goes unseen while waiting.
constexpr std::chrono::milliseconds kPollSlice{20};
constexpr std::chrono::milliseconds kBytePeriod =
    kDownloadPauseBeforeTouch + kDownloadPauseBeforeWrite;

struct LinkOptions {
    bool simulated = false;
    std::int32_t brand = KeyboardVaro;
    bool modelGiven = false;
    bool json = false;
    std::optional<std::chrono::milliseconds> timeout = std::chrono::seconds(120);
    bool force = false;
    std::optional<int> setRadio;
    std::string input;
    Args operands;
};

std::string_view modelName(std::int32_t brand) {
    return brand == KeyboardMolbrix ? "molbrix" : "varo";
}

std::optional<int> mcrRadioOfName(std::string_view name) {
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

// Parses the options a command accepts (`allowed`: the option names without
// their values). Prints the reason of a refusal.
std::optional<LinkOptions> parseOptions(const Args& args, std::string_view allowed,
                                        const LinkEnvironment& env, std::ostream& err) {
    LinkOptions o;
    if (env.portEnv == "sim") {
        o.simulated = true;
    } else if (!env.portEnv.empty() && env.portEnv != "hw") {
        err << "quilby-key: QUILBY_PORT must be hw or sim, not '" << env.portEnv << "'\n";
        return std::nullopt;
    }
    const auto value = [](const std::string& arg,
                          std::string_view name) -> std::optional<std::string> {
        const std::string prefix = std::string(name) + "=";
        if (arg.rfind(prefix, 0) == 0) {
            return arg.substr(prefix.size());
        }
        return std::nullopt;
    };
    const auto accepts = [&](std::string_view name) {
        return allowed.find(std::string(name) + " ") != std::string_view::npos;
    };
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            o.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string name = arg.substr(0, arg.find('='));
        if (!accepts(name)) {
            err << "quilby-key: unknown option " << name << "\n";
            return std::nullopt;
        }
        if (arg == "--json") {
            o.json = true;
        } else if (arg == "--force") {
            o.force = true;
        } else if (auto v = value(arg, "--port")) {
            if (*v != "hw" && *v != "sim") {
                err << "quilby-key: --port must be hw or sim\n";
                return std::nullopt;
            }
            o.simulated = *v == "sim";
        } else if (auto m = value(arg, "--model")) {
            if (*m != "varo" && *m != "molbrix") {
                err << "quilby-key: --model must be varo or molbrix\n";
                return std::nullopt;
            }
            o.brand = *m == "molbrix" ? KeyboardMolbrix : KeyboardVaro;
            o.modelGiven = true;
        } else if (auto t = value(arg, "--timeout")) {
            char* end = nullptr;
            const double seconds = std::strtod(t->c_str(), &end);
            if (t->empty() || *end != '\0' || !(seconds >= 0) || seconds > 86400) {
                err << "quilby-key: --timeout takes seconds (0 waits without limit)\n";
                return std::nullopt;
            }
            o.timeout = seconds == 0 ? std::nullopt
                                     : std::optional(std::chrono::milliseconds(
                                           static_cast<long long>(seconds * 1000)));
        } else if (auto s = value(arg, "--set")) {
            o.setRadio = mcrRadioOfName(*s);
            if (!o.setRadio) {
                err << "quilby-key: --set takes off, ff, ? (question) or ; (semicolon)\n";
                return std::nullopt;
            }
        } else if (auto in = value(arg, "--input")) {
            if (in->empty()) {
                err << "quilby-key: --input takes tty or an input device\n";
                return std::nullopt;
            }
            o.input = *in;
        } else {
            err << "quilby-key: option " << name << " needs a value\n";
            return std::nullopt;
        }
    }
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
    default:
        return "signal " + std::to_string(signal);
    }
}

// Message boxes of the sessions, answered without a window: nothing is asked
// (Cancel is never pressed here) and the last message is kept as a reason.
class SilentPrompts : public LinkPrompts {
public:
    void showMessage(std::string_view text, Icon) override { last = std::string(text); }
    bool askYesNo(std::string_view) override { return false; }
    std::string last;
};

// The worker's reports, kept until the command's own thread takes them.
class QueuedReports : public DownloadListener {
public:
    struct Report {
        bool ended = false;
        std::size_t bytes = 0;
        int position = 0;
        DownloadEnd end = DownloadEnd::Completed;
        PortRefusal refusal = PortRefusal::None;
    };
    void downloadProgress(std::size_t bytes, int position) override {
        const std::lock_guard lock(mutex_);
        reports_.push_back({false, bytes, position});
    }
    void downloadEnded(DownloadEnd end, PortRefusal refusal) override {
        const std::lock_guard lock(mutex_);
        reports_.push_back({true, 0, 0, end, refusal});
    }
    std::deque<Report> take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(reports_, {});
    }

private:
    std::mutex mutex_;
    std::deque<Report> reports_;
};

bool isatty(int fd) {
    return fd >= 0 && ::isatty(fd) == 1;
}

std::string ttyNameOf(int fd) {
    const char* name = fd >= 0 ? ::ttyname(fd) : nullptr;
    return name ? name : "";
}

// The port back-end, the pacing and the key source of one command, set up
// in this order; the link is shut down and the terminal restored when it goes.
class Link {
public:
    Link(const LinkOptions& options, LinkEnvironment& env) : options_(options), env_(env) {}
    ~Link() {
        keysOwned_.reset();
        if (access_ != nullptr) {
            shutdownKeyboardLink(settings, *access_);
        }
    }
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Opens the port; returns the reason when it is out of reach.
    std::optional<std::string> openPort() {
        if (options_.simulated) {
            if (env_.simulator == nullptr) {
                simOwned_ = std::make_unique<SimulatedKeyboard>(
                    options_.brand == KeyboardMolbrix ? SimulatedKeyboard::Model::Molbrix
                                                      : SimulatedKeyboard::Model::Varo);
            }
            sim_ = env_.simulator != nullptr ? env_.simulator : simOwned_.get();
            port_ = sim_;
            access_ = sim_;
        } else {
            if (env_.hardware) {
                hardware_ = env_.hardware();
            }
            if (!hardware_) {
                // No back-end at all: the same answer as a machine without ports.
                PortSyscalls none;
                none.portInstructions = false;
                hardware_ = std::make_unique<HardwarePortIo>(std::move(none));
            }
            port_ = hardware_.get();
            access_ = hardware_.get();
        }
        startKeyboardLink(settings, *access_);
        settings.keyboardBrand = options_.brand;
        settings.selectKeyboardId();
        if (portRefusal(settings.osFamily, settings.portReady) == PortRefusal::None) {
            return std::nullopt;
        }
        std::string why = settings.osFamily == OsFamilyUnknown
                              ? "port 0x60 is out of reach: this machine or build has no port "
                                "instructions"
                              : settings.portGrant.explanation();
        return why + "; nothing was sent (try the command with --port=sim to rehearse)";
    }

    // Chooses where the keyboard's typing is read; returns the reason when
    // nothing can be read.
    std::optional<std::string> openKeys() {
        if (env_.keys != nullptr) {
            keys_ = env_.keys;
            return std::nullopt;
        }
        if (sim_ != nullptr) {
            keysOwned_ = std::make_unique<SimulatorKeySource>(*sim_, env_.simulatorAnnounceAfter);
        } else if (options_.input == "tty" || (options_.input.empty() && isatty(env_.terminalFd) &&
                                               isLocalConsole(ttyNameOf(env_.terminalFd)))) {
            if (!TerminalKeySource::usable(env_.terminalFd)) {
                return "standard input is not a terminal in the foreground, so the keyboard's "
                       "typing cannot be read there; give --input=/dev/input/eventN";
            }
            keysOwned_ = std::make_unique<TerminalKeySource>(env_.terminalFd);
        } else if (!options_.input.empty()) {
            InputOpening opened = openInputDevice(options_.input);
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

    Pacer& pacer() {
        if (env_.pacer != nullptr) {
            return *env_.pacer;
        }
        if (!pacerOwned_) {
            pacerOwned_ = std::make_unique<SteadyPacer>();
        }
        return *pacerOwned_;
    }

    bool simulatedPort() const { return options_.simulated; }
    PortIo& port() { return *port_; }
    KeySource& keys() { return *keys_; }
    SimulatedKeyboard* simulator() { return sim_; }

    LinkSettings settings;

private:
    const LinkOptions& options_;
    LinkEnvironment& env_;
    std::unique_ptr<SimulatedKeyboard> simOwned_;
    SimulatedKeyboard* sim_ = nullptr;
    std::unique_ptr<HardwarePortIo> hardware_;
    PortIo* port_ = nullptr;
    PortAccess* access_ = nullptr;
    std::unique_ptr<SteadyPacer> pacerOwned_;
    std::unique_ptr<KeySource> keysOwned_;
    KeySource* keys_ = nullptr;
};

// Signals are caught for the length of a command when the environment asks.
// Declared before the link, so the terminal is restored before the
// handlers go.
class SignalScope {
public:
    explicit SignalScope(bool catchThem) {
        StopSignals::clear();
        if (catchThem) {
            signals_.emplace();
        }
    }
    void watch(std::atomic<std::int32_t>& runFlag) const { StopSignals::watch(&runFlag); }
    int requested() const { return StopSignals::requested(); }

private:
    std::optional<StopSignals> signals_;
};

class Deadline {
public:
    explicit Deadline(std::optional<std::chrono::milliseconds> timeout) : timeout_(timeout) {
        restart();
    }
    void restart() { end_ = Clock::now() + timeout_.value_or(std::chrono::milliseconds(0)); }
    bool passed() const { return timeout_ && Clock::now() >= end_; }

private:
    std::optional<std::chrono::milliseconds> timeout_;
    Clock::time_point end_;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Opens the port and the keys; on a refusal reports it and returns its status.
// `writesPort`: whether the command sends anything; one that only listens
// does not ask for the port (the simulated keyboard is still set up, as it
// is also the one typing).
std::optional<int> openLink(Link& link, LinkReporter& reporter, bool writesPort = true) {
    for (auto step : {&Link::openPort, &Link::openKeys}) {
        if (step == &Link::openPort && !writesPort && !link.simulatedPort()) {
            continue;
        }
        if (auto why = (link.*step)()) {
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.reason = *why;
            reporter.done(d);
            return exitStatusOf(d.result);
        }
    }
    return std::nullopt;
}

LinkReporter::Done aborted(std::string reason) {
    LinkReporter::Done d;
    d.result = LinkResult::Aborted;
    d.reason = std::move(reason);
    return d;
}

LinkReporter::Done timedOut(const LinkOptions& o, std::string_view what) {
    LinkReporter::Done d;
    d.result = LinkResult::Timeout;
    char limit[32];
    std::snprintf(limit, sizeof limit, "%.1f",
                  static_cast<double>(o.timeout.value_or(std::chrono::milliseconds(0)).count()) /
                      1000.0);
    d.reason = std::string(what) + " within " + limit + " s (--timeout)";
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

} // namespace

LinkEnvironment LinkEnvironment::forProgram() {
    LinkEnvironment env;
    if (const char* port = std::getenv("QUILBY_PORT")) {
        env.portEnv = port;
    }
    env.hardware = [] { return std::make_unique<HardwarePortIo>(); };
    env.terminalFd = STDIN_FILENO;
    env.progressBar = ::isatty(STDERR_FILENO) == 1;
    return env;
}

int runDownloadCommand(const Args& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& env) {
    const auto o = parseOptions(args, "--port --model --json --timeout --force --input ", env, err);
    if (!o || o->operands.size() != 1) {
        return kBadArguments;
    }
    LinkReporter reporter(out, err, o->json, env.progressBar);
    KeyDocument doc;
    if (const auto error = doc.open(o->operands[0])) {
        err << "quilby-key: " << error->message() << "\n";
        return kExitUsage;
    }
    if (doc.lastReadReport().suspicious() && !o->force) {
        LinkReporter::Done d;
        d.result = LinkResult::Refused;
        d.reason = o->operands[0] + " looks damaged (" +
                   keyFileFindingsSummary(doc.lastReadReport()) +
                   "); see quilby-key check, or send it anyway with --force";
        reporter.done(d);
        return kExitRefused;
    }
    // Caught before the terminal is taken over, so no signal can leave it raw.
    const SignalScope signals(env.catchSignals);
    Link link(*o, env);
    signals.watch(link.settings.downloadRunFlag);
    if (const auto refused = openLink(link, reporter)) {
        return *refused;
    }
    NoConsoleKeys console;
    QueuedReports reports;
    SilentPrompts prompts;
    DownloadWorker worker(link.port(), link.pacer(), link.settings.downloadRunFlag, console,
                          reports);
    DownloadSession session(link.settings, doc.data(), worker, prompts);
    reporter.waiting("download", modelName(o->brand), link.keys().describe());
    const Deadline deadline(o->timeout);
    Clock::time_point started{};
    std::size_t sent = 0;

    std::optional<LinkReporter::Done> outcome;
    // Stops the worker and counts the bytes it sent before it saw the flag.
    const auto settle = [&] {
        session.close();
        for (const auto& r : reports.take()) {
            sent = r.ended ? sent : r.bytes;
        }
    };
    const auto stopped = [&](int signal) {
        const bool waiting = session.state() == DownloadSession::State::Waiting;
        settle();
        return aborted("stopped by " + signalName(signal) +
                       (sent == 0 && waiting ? std::string(" before sending")
                                             : " after " + std::to_string(sent) +
                                                   " of 1960 bytes; download the table again"));
    };
    while (!outcome) {
        if (const int signal = signals.requested()) {
            outcome = stopped(signal);
            break;
        }
        for (const KeyMessage& key : link.keys().read(kPollSlice)) {
            const auto before = session.state();
            session.onKey(key);
            if (before != DownloadSession::State::Sending &&
                session.state() == DownloadSession::State::Sending) {
                started = Clock::now();
                reporter.identified(modelName(o->brand));
            }
        }
        for (const auto& r : reports.take()) {
            if (r.ended) {
                session.onEnded(r.end, r.refusal);
            } else {
                sent = r.bytes;
                session.onProgress(r.bytes, r.position);
                const auto left = std::chrono::duration_cast<std::chrono::seconds>(
                    kBytePeriod * static_cast<long long>(kDownloadImageSize - r.bytes));
                reporter.progress(r.bytes, kDownloadImageSize, left);
            }
        }
        switch (session.state()) {
        case DownloadSession::State::Completed: {
            LinkReporter::Done d;
            d.bytes = sent;
            d.seconds = secondsSince(started);
            outcome = d;
            break;
        }
        case DownloadSession::State::Refused:
        case DownloadSession::State::StartFailed: {
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.bytes = sent;
            d.reason = prompts.last.empty() ? "the transfer could not start" : prompts.last;
            outcome = d;
            break;
        }
        case DownloadSession::State::Sending:
            break;
        case DownloadSession::State::Failed:
            // The session saw the keyboard announce itself while it received:
            // it has left its download mode, and the session stopped the worker.
            settle();
            outcome = aborted("the keyboard announced itself again after " + std::to_string(sent) +
                              " of 1960 bytes: it left its download mode; download the "
                              "table again");
            break;
        case DownloadSession::State::Waiting:
            if (deadline.passed()) {
                outcome = timedOut(*o, "the keyboard did not announce itself");
            }
            break;
        default:
            // The worker saw the run flag a signal cleared before this loop saw
            // the signal.
            outcome =
                signals.requested() != 0
                    ? stopped(signals.requested())
                    : aborted("the transfer stopped after " + std::to_string(sent) + " bytes");
            break;
        }
    }
    session.close();
    if (outcome->result != LinkResult::Completed && outcome->seconds == 0 &&
        started != Clock::time_point{}) {
        outcome->seconds = secondsSince(started);
    }
    outcome->bytes = sent;
    addSimulatorOutcome(*outcome, link.simulator(), &session.image());
    reporter.done(*outcome);
    return exitStatusOf(outcome->result);
}

int runMcrCommand(const Args& args, std::ostream& out, std::ostream& err, LinkEnvironment& env) {
    const auto o = parseOptions(args, "--port --model --json --timeout --set --input ", env, err);
    if (!o || !o->operands.empty()) {
        return kBadArguments;
    }
    LinkReporter reporter(out, err, o->json, false);
    // MCR.OPN is looked for where the program's dialog looks: the current folder.
    const std::string folder = ".";
    KeyTableData table;
    if (const auto error = loadMcrOption(folder, table)) {
        err << "quilby-key: " << error->message() << "\n";
        return kExitUsage;
    }
    // Caught before the terminal is taken over, so no signal can leave it raw.
    const SignalScope signals(env.catchSignals);
    Link link(*o, env);
    signals.watch(link.settings.downloadRunFlag);
    if (const auto refused = openLink(link, reporter)) {
        return *refused;
    }
    SilentPrompts prompts;
    McrSession session(link.settings, table, folder, link.port(), link.pacer(), prompts);
    if (o->setRadio) {
        session.selectOption(*o->setRadio);
        if (const auto error = session.apply()) {
            err << "quilby-key: " << error->message() << "\n";
            return kExitUsage;
        }
        reporter.note(std::string(kMcrOptionFileName) + ": " + session.statusText());
    }
    reporter.waiting("mcr", modelName(o->brand), link.keys().describe());
    Deadline deadline(o->timeout);
    bool sent = false;
    std::optional<LinkReporter::Done> outcome;
    while (!outcome) {
        if (const int signal = signals.requested()) {
            outcome = aborted("stopped by " + signalName(signal) +
                              (sent ? " while the keyboard typed its report" : ""));
            break;
        }
        for (const KeyMessage& key : link.keys().read(kPollSlice)) {
            const bool receiving = session.receiving();
            session.onKey(key);
            if (!prompts.last.empty()) {
                LinkReporter::Done d;
                d.result = LinkResult::Refused;
                d.reason = "the MCR command could not be sent: the port is out of reach";
                outcome = d;
                break;
            }
            if (!receiving && session.receiving()) {
                sent = true;
                deadline.restart();
                reporter.identified(modelName(o->brand));
            } else if (receiving && !session.receiving()) {
                LinkReporter::Done d;
                d.version = session.version();
                d.checksum = session.checksum();
                outcome = d;
                break;
            }
        }
        if (!outcome && deadline.passed()) {
            outcome = timedOut(*o, sent ? "the keyboard did not finish its EPROM report"
                                        : "the keyboard did not announce itself");
        }
    }
    addSimulatorOutcome(*outcome, link.simulator(), nullptr);
    reporter.done(*outcome);
    return exitStatusOf(outcome->result);
}

int runIdentifyCommand(const Args& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& env) {
    const auto o = parseOptions(args, "--port --json --timeout --input ", env, err);
    if (!o || !o->operands.empty()) {
        return kBadArguments;
    }
    LinkReporter reporter(out, err, o->json, false);
    // Caught before the terminal is taken over, so no signal can leave it raw.
    const SignalScope signals(env.catchSignals);
    Link link(*o, env);
    signals.watch(link.settings.downloadRunFlag);
    if (const auto refused = openLink(link, reporter, false)) {
        return *refused;
    }
    // One matcher for each model, each with its own expected identification.
    LinkSettings varo;
    LinkSettings molbrix;
    varo.keyboardBrand = KeyboardVaro;
    molbrix.keyboardBrand = KeyboardMolbrix;
    varo.selectKeyboardId();
    molbrix.selectKeyboardId();
    KeyboardIdMatcher matchVaro(varo);
    KeyboardIdMatcher matchMolbrix(molbrix);
    reporter.waiting("identify", "any", link.keys().describe());
    const Deadline deadline(o->timeout);
    std::optional<LinkReporter::Done> outcome;
    while (!outcome) {
        if (const int signal = signals.requested()) {
            outcome = aborted("stopped by " + signalName(signal));
            break;
        }
        for (const KeyMessage& key : link.keys().read(kPollSlice)) {
            const bool isVaro = matchVaro.step(key, false).completed;
            const bool isMolbrix = matchMolbrix.step(key, false).completed;
            if (isVaro || isMolbrix) {
                LinkReporter::Done d;
                d.model = modelName(isMolbrix ? KeyboardMolbrix : KeyboardVaro);
                reporter.identified(d.model);
                outcome = d;
                break;
            }
        }
        if (!outcome && deadline.passed()) {
            outcome = timedOut(*o, "no keyboard announced itself");
        }
    }
    addSimulatorOutcome(*outcome, link.simulator(), nullptr);
    reporter.done(*outcome);
    return exitStatusOf(outcome->result);
}

} // namespace quilby
