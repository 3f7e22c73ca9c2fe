#include "cli/LinkReport.h"
#include "common/TextEscape.h"

#include "cli/Json.h"

#include <cstdio>
#include <ostream>

namespace quilby {

int exitStatusOf(LinkResult result) {
    switch (result) {
    case LinkResult::Completed:
        return kExitCompleted;
    case LinkResult::Refused:
        return kExitRefused;
    case LinkResult::Aborted:
        return kExitAborted;
    case LinkResult::Error:
        return kExitUsage;
    case LinkResult::Timeout:
        break;
    }
    return kExitTimeout;
}

std::string_view resultName(LinkResult result) {
    switch (result) {
    case LinkResult::Completed:
        return "completed";
    case LinkResult::Refused:
        return "refused";
    case LinkResult::Aborted:
        return "aborted";
    case LinkResult::Error:
        return "error";
    case LinkResult::Timeout:
        break;
    }
    return "timeout";
}

std::string progressBarText(std::size_t bytes, std::size_t total, std::chrono::seconds left,
                            int columns) {
    constexpr std::size_t kWidth = 30;
    constexpr std::size_t kNarrowest = 10;
    const auto percent = total == 0 ? 100u : static_cast<unsigned>(100 * bytes / total);
    const auto secs = left.count() < 0 ? 0 : left.count();
    // The last column stays free: writing there wraps some terminals.
    const std::size_t room = columns > 1 ? static_cast<std::size_t>(columns - 1) : 0;
    char full[96];
    std::snprintf(full, sizeof full, "] %4zu/%zu bytes %3u%%  %lld:%02lld left", bytes, total,
                  percent, static_cast<long long>(secs / 60), static_cast<long long>(secs % 60));
    char shorter[32];
    std::snprintf(shorter, sizeof shorter, "] %3u%%", percent);
    for (const std::string& tail : {std::string(full), std::string(shorter)}) {
        if (room < 1 + kNarrowest + tail.size()) {
            continue;
        }
        const std::size_t width = std::min(kWidth, room - 1 - tail.size());
        const std::size_t filled = total == 0 ? width : width * bytes / total;
        return "[" + std::string(filled, '#') + std::string(width - filled, ' ') + tail;
    }
    char bare[16];
    std::snprintf(bare, sizeof bare, "%u%%", percent);
    return std::string(bare).substr(0, room);
}

LinkReporter::LinkReporter(std::ostream& out, std::ostream& err, bool json, bool progressBar,
                           int columns)
    : columns_(columns), out_(out), err_(err), json_(json), bar_(progressBar && !json) {}

void LinkReporter::endBar() {
    if (barShown_) {
        err_ << "\n";
        barShown_ = false;
    }
}

void LinkReporter::waiting(std::string_view command, std::string_view model,
                           std::string_view source) {
    if (json_) {
        out_ << "{\"event\": \"waiting\", \"command\": ";
        writeJsonString(out_, command);
        out_ << ", \"model\": ";
        writeJsonString(out_, model);
        out_ << ", \"input\": ";
        writeJsonString(out_, source);
        out_ << "}" << std::endl;
    }
    err_ << "Waiting for the keyboard (" << source
         << "): press its five marked keys, 1 to 5 in order.\n";
}

void LinkReporter::identified(std::string_view model) {
    if (json_) {
        out_ << "{\"event\": \"identified\", \"model\": ";
        writeJsonString(out_, model);
        out_ << "}" << std::endl;
    }
    err_ << "Keyboard identified: " << model << "\n";
}

void LinkReporter::progress(std::size_t bytes, std::size_t total, std::chrono::seconds left) {
    const auto percent = static_cast<int>(100 * bytes / (total == 0 ? 1 : total));
    if (json_ && (percent != lastPercent_ || bytes == total)) {
        out_ << "{\"event\": \"progress\", \"bytes\": " << bytes << ", \"percent\": " << percent
             << "}" << std::endl;
    }
    lastPercent_ = percent;
    const auto now = std::chrono::steady_clock::now();
    if (bar_ &&
        (!barShown_ || bytes == total || now - lastDraw_ >= std::chrono::milliseconds(100))) {
        err_ << "\r" << progressBarText(bytes, total, left, columns_) << std::flush;
        barShown_ = true;
        lastDraw_ = now;
    }
}

void LinkReporter::note(std::string_view text) {
    endBar();
    err_ << text << "\n";
}

void LinkReporter::done(const Done& d) {
    endBar();
    if (json_) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", d.seconds);
        out_ << "{\"event\": \"done\", \"result\": \"" << resultName(d.result)
             << "\", \"bytes\": " << d.bytes << ", \"seconds\": " << seconds;
        if (!d.model.empty()) {
            out_ << ", \"model\": ";
            writeJsonString(out_, d.model);
        }
        if (!d.version.empty() || !d.checksum.empty()) {
            out_ << ", \"version\": ";
            writeJsonString(out_, d.version);
            out_ << ", \"checksum\": ";
            writeJsonString(out_, d.checksum);
        }
        if (d.bells) {
            out_ << ", \"bells\": " << *d.bells;
        }
        if (d.imageMatches) {
            out_ << ", \"imageMatches\": " << (*d.imageMatches ? "true" : "false");
        }
        if (!d.reason.empty()) {
            out_ << ", \"reason\": ";
            writeJsonString(out_, printableText(d.reason));
        }
        out_ << "}" << std::endl;
    } else {
        if (!d.model.empty()) {
            out_ << d.model << "\n";
        }
        if (!d.version.empty() || !d.checksum.empty()) {
            out_ << "version " << d.version << "\nchecksum " << d.checksum << "\n";
        }
    }
    if (!d.reason.empty()) {
        err_ << "quilby-key: " << printableText(d.reason) << "\n";
    }
    if (d.bells) {
        err_ << "Simulated keyboard: received " << d.received.value_or(0)
             << " bytes, rang its bell " << *d.bells << " time" << (*d.bells == 1 ? "" : "s");
        if (d.imageMatches) {
            err_ << "; its last image " << (*d.imageMatches ? "equals" : "differs from")
                 << " the file's";
        }
        err_ << ".\n";
    }
    if (d.result == LinkResult::Completed && d.bytes > 0) {
        char line[80];
        std::snprintf(line, sizeof line, "Sent %zu bytes in %.1f s.", d.bytes, d.seconds);
        err_ << line << "\n";
    }
}

} // namespace quilby
