#include "cli/LinkCommand.h"
#include "cli/LinkCommands.h"
#include "common/TextEscape.h"
#include "link/McrCommand.h"

#include "link/LinkPrompts.h"
#include "link/McrOptionFile.h"
#include "link/McrSession.h"

#include <ostream>

namespace quilby {

namespace {

// mcr: after the announcement sends the MCR command through the EPROM & MCR
// dialog's own session and prints the EPROM report the keyboard types back.
class EpromMcrCommand : public LinkCommand {
public:
    EpromMcrCommand(const LinkOptions& options, LinkEnvironment& env, std::ostream& out,
                    std::ostream& err)
        : LinkCommand(options, env, out, err, false) {}

    // Reads MCR.OPN; returns the exit status when it cannot be read.
    std::optional<int> load() {
        if (const auto error = loadMcrOption(kFolder, table_)) {
            err_ << "quilby-key: " << printableText(error->message()) << "\n";
            return kExitUsage;
        }
        return std::nullopt;
    }

private:
    // MCR.OPN is looked for where the program's dialog looks: the current folder.
    static constexpr const char* kFolder = ".";

    std::optional<int> start() override {
        session_.emplace(link().settings, table_, kFolder, link().port(), link().pacer(), prompts_);
        if (options_.headCodeChoice) {
            session_->selectOption(*options_.headCodeChoice);
            if (const auto error = session_->apply()) {
                err_ << "quilby-key: " << printableText(error->message()) << "\n";
                return kExitUsage;
            }
            reporter_.note(std::string(kMcrOptionFileName) + ": " + session_->statusText());
        }
        startWaiting("mcr", modelName(options_.brand));
        return std::nullopt;
    }

    std::optional<LinkReporter::Done> onKey(const KeyMessage& key) override {
        session_->onKey(key);
        switch (session_->lastExchange()) {
        case McrSession::Exchange::None:
            break;
        case McrSession::Exchange::CommandRefused: {
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.reason = "the MCR command could not be sent: the port is out of reach";
            return d;
        }
        case McrSession::Exchange::CommandSent:
            sent_ = true;
            restartDeadline();
            reporter_.identified(modelName(options_.brand));
            break;
        case McrSession::Exchange::ReportReceived: {
            LinkReporter::Done d;
            d.version = session_->version();
            d.checksum = session_->checksum();
            return d;
        }
        }
        return std::nullopt;
    }

    std::optional<LinkReporter::Done> afterKeys() override {
        if (deadlinePassed()) {
            return timedOut(sent_ ? "the keyboard did not finish its EPROM report"
                                  : "the keyboard did not announce itself");
        }
        return std::nullopt;
    }

    LinkReporter::Done stopped(int signal) override {
        return abortedOutcome("stopped by " + signalName(signal) +
                              (sent_ ? " while the keyboard typed its report" : ""));
    }

    // The bytes sent: the MCR command once it went out.
    void finish(LinkReporter::Done& outcome) override {
        outcome.bytes = sent_ ? std::tuple_size_v<McrCommand> : 0;
        LinkCommand::finish(outcome);
    }

    KeyTableData table_;
    SilentLinkPrompts prompts_;
    std::optional<McrSession> session_;
    bool sent_ = false;
};

} // namespace

int runMcrCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  LinkEnvironment& env) {
    const auto options = parseLinkOptions(
        args, {"--port", "--model", "--json", "--timeout", "--set", "--input"}, env, err);
    if (!options || !options->operands.empty()) {
        return kBadArguments;
    }
    EpromMcrCommand command(*options, env, out, err);
    if (const auto refused = command.load()) {
        return *refused;
    }
    return command.run();
}

} // namespace quilby
