#pragma once

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/LinkReport.h"
#include "cli/LinkSetup.h"
#include "link/DownloadImage.h"
#include "link/KeyMessage.h"
#include "link/KeyboardIdMatcher.h"
#include "link/LinkPrompts.h"
#include "link/StopSignals.h"

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// The options of the link commands; which of them a command takes is its own
// syntax.
struct LinkOptions {
    bool simulated = false;
    KeyboardBrand brand = KeyboardBrand::Varo;
    bool json = false;
    std::optional<std::chrono::milliseconds> timeout = std::chrono::seconds(120);
    bool force = false;
    // The head-code choice of --set (0 No Define, 1 "ff", 2 '?', 3 ';').
    std::optional<int> headCodeChoice;
    std::string input;
    std::vector<std::string> operands;
};

// The link commands' options named in `accepted` (e.g. "--port", "--json"),
// with QUILBY_PORT read first. Prints the reason of a refusal.
std::optional<LinkOptions> parseLinkOptions(const std::vector<std::string>& args,
                                            std::initializer_list<std::string_view> accepted,
                                            const LinkEnvironment& env, std::ostream& err);

// The head-code choice of a --set value; nullopt for an unknown name.
std::optional<int> headCodeChoiceOfName(std::string_view name);

// The sessions' message boxes, answered without a window: nothing is shown
// (the command words the outcome itself) and Cancel is never asked.
class SilentLinkPrompts : public LinkPrompts {
public:
    void showNotice(LinkNotice) override {}
    void showFileError(const McrFileError&) override {}
    bool askCancel() override { return false; }
};

// What every link command shares: the signals caught, the port and the key
// source opened (and refused with the reason) before any waiting, then one
// loop that reads keys and watches the stop request and the deadline until
// the command has its outcome, which is reported with the simulated
// keyboard's counters.
class LinkCommand {
public:
    virtual ~LinkCommand() = default;
    LinkCommand(const LinkCommand&) = delete;
    LinkCommand& operator=(const LinkCommand&) = delete;

    // Returns the exit status.
    int run();

protected:
    LinkCommand(const LinkOptions& options, LinkEnvironment& env, std::ostream& out,
                std::ostream& err, bool progressBar);

    // Whether the command sends anything; one that only listens does not
    // ask for the port (the simulated keyboard is still set up, as it is also
    // the one typing).
    virtual bool writesPort() const { return true; }
    // Whether a transfer is under way (an announcement then follows the
    // command's own rule, not the PS/2 guard).
    virtual bool sending() const { return false; }
    // With the link open, before the waiting: the command's own set-up.
    // Returns an exit status to end with.
    virtual std::optional<int> start() = 0;
    // One key the keyboard typed; an outcome ends the loop at once.
    virtual std::optional<LinkReporter::Done> onKey(const KeyMessage& key) = 0;
    // After each slice of keys: the worker's reports, the deadline.
    virtual std::optional<LinkReporter::Done> afterKeys() = 0;
    // A stop request (a signal) arrived.
    virtual LinkReporter::Done stopped(int signal) = 0;
    // The outcome is about to be reported.
    virtual void finish(LinkReporter::Done& outcome);

    // Reports the waiting and starts the deadline.
    void startWaiting(std::string_view command, std::string_view model);
    void restartDeadline();
    bool deadlinePassed() const;
    LinkReporter::Done timedOut(std::string_view what) const;
    // Which stop request is pending; 0 for none.
    int stopRequested() const { return StopSignals::requested(); }

    LinkSetup& link() { return *link_; }

    const LinkOptions& options_;
    LinkEnvironment& env_;
    std::ostream& err_;
    LinkReporter reporter_;

private:
    std::optional<int> openLink();
    std::optional<LinkReporter::Done> refusedAnnouncement(const KeyMessage& key);

    // Members of the base go after those of the command: a session is gone
    // before the link it works on, and the link (and the terminal) before
    // the signal handlers.
    std::optional<StopSignals> signals_;
    std::optional<LinkSetup> link_;
    std::optional<KeyboardIdMatcher> announceGuard_;
    std::chrono::steady_clock::time_point deadline_{};
};

LinkReporter::Done abortedOutcome(std::string reason);
std::string signalName(int signal);
std::string_view modelName(KeyboardBrand brand);
// The simulated keyboard's counters, and whether its last image is `image`.
void addSimulatorOutcome(LinkReporter::Done& d, SimulatedKeyboard* sim, const DownloadImage* image);

} // namespace quilby
