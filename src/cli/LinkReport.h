#pragma once

#include "cli/CommandLine.h"

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// How a command of the keyboard link ended, and its exit status.
// Error: a usage error or a file that cannot be read, before any link.
enum class LinkResult { Completed, Refused, Aborted, Timeout, Error };

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitUsage = 2; // also an unreadable file
inline constexpr int kExitAborted = 3;
inline constexpr int kExitTimeout = 4;

int exitStatusOf(LinkResult result);
std::string_view resultName(LinkResult result);

// The progress bar line: "[#####     ]  980/1960 bytes  50%  0:25 left",
// shorter than `columns` (the terminal's width): the bar narrows first, then
// the byte count and the time go, down to the percentage alone.
std::string progressBarText(std::size_t bytes, std::size_t total, std::chrono::seconds left,
                            int columns = 80);

// Tells the operator, or a fleet tool with --json, what a link command does.
// JSON: one object per line on the output stream for each event. Text:
// messages on the error stream, a progress bar there when it is a terminal;
// only the answer of the command (a model, an EPROM report) goes to the
// output stream.
class LinkReporter {
public:
    LinkReporter(std::ostream& out, std::ostream& err, bool json, bool progressBar,
                 int columns = 80);

    void waiting(std::string_view command, std::string_view model, std::string_view source);
    void identified(std::string_view model);
    void progress(std::size_t bytes, std::size_t total, std::chrono::seconds left);
    // A line for the operator (the error stream, in both modes).
    void note(std::string_view text);

    struct Done {
        LinkResult result = LinkResult::Completed;
        std::size_t bytes = 0;
        double seconds = 0;
        std::string reason;            // why it did not complete
        std::string model;             // identify
        std::string version, checksum; // mcr
        std::optional<int> bells;      // the simulated keyboard
        std::optional<std::size_t> received;
        std::optional<bool> imageMatches;
    };
    void done(const Done& done);
    // Whether a write to the standard output failed.
    bool outputFailed() const { return !out_.good(); }

private:
    void endBar();

    int columns_ = 80;
    // The bar is drawn at most ten times a second (and at the end).
    std::chrono::steady_clock::time_point lastDraw_{};

    std::ostream& out_;
    std::ostream& err_;
    bool json_;
    bool bar_;
    bool barShown_ = false;
    int lastPercent_ = -1;
};

} // namespace quilby
