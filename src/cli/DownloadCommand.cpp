#include "cli/LinkCommand.h"
#include "cli/LinkCommands.h"
#include "common/TextEscape.h"

#include "document/KeyDocument.h"
#include "document/TableRefusal.h"
#include "link/ConsoleKeys.h"
#include "link/DownloadRecord.h"
#include "link/DownloadSession.h"
#include "link/DownloadWorker.h"
#include "link/LinkTexts.h"

#include <deque>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <utility>

namespace quilby {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kBytePeriod =
    kDownloadPauseBeforeTouch + kDownloadPauseBeforeWrite;

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

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// download: waits for the announcement, then sends the file's image through
// the download dialog's own session and worker.
class DownloadCommand : public LinkCommand {
public:
    DownloadCommand(const LinkOptions& options, LinkEnvironment& env, std::ostream& out,
                    std::ostream& err)
        : LinkCommand(options, env, out, err, env.progressBar) {}

    // Reads the table; returns the exit status when it cannot be sent.
    std::optional<int> load() {
        const std::string& path = options_.operands[0];
        if (const auto error = document_.open(path)) {
            err_ << "quilby-key: " << printableText(error->message()) << "\n";
            return kExitUsage;
        }
        const auto& report = document_.lastReadReport();
        if (tableRefusal(report, TableUse::Send, options_.force) != TableRefusal::None) {
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.reason = path + " looks damaged (" + keyFileFindingsSummary(report) +
                       "); see quilby-key check, or send it anyway with --force";
            reporter_.done(d);
            return kExitRefused;
        }
        return std::nullopt;
    }

private:
    std::optional<int> start() override {
        worker_.emplace(link().port(), link().pacer(), link().settings.downloadRunFlag, console_,
                        reports_);
        session_.emplace(link().settings, document_.data(), *worker_, prompts_);
        startWaiting("download", modelName(options_.brand));
        return std::nullopt;
    }

    bool sending() const override {
        return session_ && session_->state() == DownloadSession::State::Sending;
    }

    std::optional<LinkReporter::Done> onKey(const KeyMessage& key) override {
        const auto before = session_->state();
        session_->onKey(key);
        if (before != DownloadSession::State::Sending &&
            session_->state() == DownloadSession::State::Sending) {
            started_ = Clock::now();
            reporter_.identified(modelName(options_.brand));
        }
        return std::nullopt;
    }

    std::optional<LinkReporter::Done> afterKeys() override {
        for (const auto& r : reports_.take()) {
            if (r.ended) {
                session_->onEnded(r.end, r.refusal);
            } else {
                sent_ = r.bytes;
                session_->onProgress(r.bytes, r.position);
                const auto left = std::chrono::duration_cast<std::chrono::seconds>(
                    kBytePeriod * static_cast<long long>(kDownloadImageSize - r.bytes));
                reporter_.progress(r.bytes, kDownloadImageSize, left);
            }
        }
        switch (session_->state()) {
        case DownloadSession::State::Completed: {
            LinkReporter::Done d;
            d.bytes = sent_;
            d.seconds = secondsSince(started_);
            return d;
        }
        case DownloadSession::State::Refused:
        case DownloadSession::State::StartFailed: {
            // What the dialog's message box says about it.
            LinkReporter::Done d;
            d.result = LinkResult::Refused;
            d.bytes = sent_;
            d.reason = linkNoticeText(session_->state() == DownloadSession::State::Refused
                                          ? LinkNotice::DownloadFailedRestart
                                          : LinkNotice::DownloadNotCompleted);
            return d;
        }
        case DownloadSession::State::Sending:
            return std::nullopt;
        case DownloadSession::State::Failed:
            // The session saw the keyboard announce itself while it received:
            // it has left its download mode, and the session stopped the worker.
            settle();
            return abortedOutcome("the keyboard announced itself again after " +
                                  std::to_string(sent_) +
                                  " of 1960 bytes: it left its download mode; download the "
                                  "table again");
        case DownloadSession::State::Waiting:
            if (deadlinePassed()) {
                return timedOut("the keyboard did not announce itself");
            }
            return std::nullopt;
        default:
            // The worker saw the run flag a signal cleared before this loop saw
            // the signal.
            return stopRequested() != 0 ? stopped(stopRequested())
                                        : abortedOutcome("the transfer stopped after " +
                                                         std::to_string(sent_) + " bytes");
        }
    }

    LinkReporter::Done stopped(int signal) override {
        const bool waiting = session_->state() == DownloadSession::State::Waiting;
        settle();
        return abortedOutcome(
            "stopped by " + signalName(signal) +
            (sent_ == 0 && waiting
                 ? std::string(" before sending")
                 : " after " + std::to_string(sent_) + " of 1960 bytes; download the table again"));
    }

    void finish(LinkReporter::Done& outcome) override {
        session_->close();
        if (outcome.result != LinkResult::Completed && outcome.seconds == 0 &&
            started_ != Clock::time_point{}) {
            outcome.seconds = secondsSince(started_);
        }
        outcome.bytes = sent_;
        addSimulatorOutcome(outcome, link().simulator(), &session_->image());
        record(outcome);
    }

    // After the transfer, so the record never delays a byte; a record that
    // cannot be written is said, and the download's outcome stands.
    void record(const LinkReporter::Done& outcome) {
        if (sent_ == 0 || env_.historyFolder.empty()) {
            return;
        }
        std::error_code ec;
        std::string path = std::filesystem::absolute(options_.operands[0], ec).string();
        if (ec) {
            path = options_.operands[0];
        }
        const DownloadHistory history(env_.historyFolder);
        const auto appended = history.append(
            downloadRecordOf(path, session_->image(), downloadOutcomeOf(session_->state()), sent_,
                             outcome.seconds, std::string(modelName(options_.brand))),
            document_.data());
        if (const auto* error = std::get_if<FileError>(&appended)) {
            reporter_.note("quilby-key: warning: the download was not recorded: " +
                           printableText(error->message()));
        }
    }

    // Stops the worker and counts the bytes it sent before it saw the flag.
    void settle() {
        session_->close();
        for (const auto& r : reports_.take()) {
            sent_ = r.ended ? sent_ : r.bytes;
        }
    }

    KeyDocument document_;
    NoConsoleKeys console_;
    QueuedReports reports_;
    SilentLinkPrompts prompts_;
    std::optional<DownloadWorker> worker_;
    std::optional<DownloadSession> session_;
    Clock::time_point started_{};
    std::size_t sent_ = 0;
};

} // namespace

int runDownloadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       LinkEnvironment& env) {
    const auto options = parseLinkOptions(
        args, {"--port", "--model", "--json", "--timeout", "--force", "--input"}, env, err);
    if (!options || options->operands.size() != 1) {
        return kBadArguments;
    }
    DownloadCommand command(*options, env, out, err);
    if (const auto refused = command.load()) {
        return *refused;
    }
    return command.run();
}

} // namespace quilby
