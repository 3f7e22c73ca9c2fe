#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/RecordCommands.h"
#include "common/Sha256.h"
#include "common/TextEscape.h"
#include "document/WriteGuard.h"
#include "link/DownloadRecord.h"

#include <cstdio>
#include <ostream>

namespace quilby {

namespace {

constexpr int kOk = 0;
constexpr int kRefused = 1;
constexpr int kTrouble = 2;

void writeRecordJson(std::ostream& out, const DownloadRecord& r) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    out << "{\"number\": " << r.number << ", \"time\": \"" << r.time << "\", \"path\": ";
    writeJsonString(out, printableText(r.path));
    out << ", \"sha256\": \"" << r.imageSha256 << "\", \"outcome\": \""
        << downloadOutcomeName(r.outcome) << "\", \"bytes\": " << r.bytes
        << ", \"seconds\": " << seconds << ", \"model\": ";
    if (r.model.empty()) {
        out << "null";
    } else {
        writeJsonString(out, r.model);
    }
    out << ", \"table\": ";
    if (r.tableSha256.empty()) {
        out << "null";
    } else {
        out << '"' << r.tableSha256 << '"';
    }
    out << '}';
}

void writeRecordText(std::ostream& out, const DownloadRecord& r) {
    char line[96];
    std::snprintf(line, sizeof line, "%6llu  %s  %-9s %4zu bytes %8.3f s  %-7s ",
                  static_cast<unsigned long long>(r.number), r.time.c_str(),
                  std::string(downloadOutcomeName(r.outcome)).c_str(), r.bytes, r.seconds,
                  r.model.empty() ? "-" : r.model.c_str());
    out << line << r.imageSha256.substr(0, 12) << "  "
        << (r.path.empty() ? std::string("(untitled)") : printableText(r.path)) << "\n";
}

// history --table N OUT.KEY: the kept copy, byte for byte, through the guard.
int writeRecordedTable(const DownloadHistory& history, const std::string& numberText,
                       const std::string& output, std::ostream& err) {
    const auto number = parseDecimal(numberText, 1e18);
    if (!number || *number < 1 || *number != static_cast<double>(static_cast<long long>(*number))) {
        err << "quilby-key: --table needs a record number, not '" << printableText(numberText)
            << "'\n";
        return kBadArguments;
    }
    const auto table = history.recordedTable(static_cast<std::uint64_t>(*number));
    if (const auto* fault = std::get_if<RecordedTableFault>(&table)) {
        err << "quilby-key: " << printableText(fault->message()) << "\n";
        return fault->kind == RecordedTableFault::Kind::NoSuchRecord ? kRefused : kTrouble;
    }
    const std::string& bytes = std::get<std::string>(table);
    const std::string kept = history.tablePath(sha256Hex(bytes));
    if (const WriteVerdict verdict = checkWrite(output, {kept}, InPlace::Refused)) {
        err << "quilby-key: " << printableText(verdict.message(output)) << "\n";
        return kRefused;
    }
    const auto saved = saveFileAtomically(output, bytes);
    if (const auto* error = std::get_if<FileError>(&saved)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kTrouble;
    }
    return kOk;
}

} // namespace

int runHistoryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const LinkEnvironment& link) {
    static constexpr OptionRule kOptions[] = {{"--json", OptionRule::Form::Flag},
                                              {"--table", OptionRule::Form::Separate}};
    const ParsedArgs parsed = parseArgs(args, commandSyntax(kOptions));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return kBadArguments;
    }
    if (link.historyFolder.empty()) {
        err << "quilby-key: no folder for the download record (neither XDG_STATE_HOME nor "
               "HOME is set)\n";
        return kTrouble;
    }
    const DownloadHistory history(link.historyFolder);
    if (const auto number = parsed.value("--table")) {
        if (parsed.operands.size() != 1 || parsed.has("--json")) {
            return kBadArguments;
        }
        return writeRecordedTable(history, *number, parsed.operands[0], err);
    }
    if (!parsed.operands.empty()) {
        return kBadArguments;
    }
    const auto log = history.read();
    if (const auto* error = std::get_if<FileError>(&log)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kTrouble;
    }
    const DownloadLog& records = std::get<DownloadLog>(log);
    if (records.skippedLines > 0) {
        err << "quilby-key: " << records.skippedLines << " damaged or unfinished line(s) of "
            << printableText(history.logPath()) << " skipped\n";
    }
    if (parsed.has("--json")) {
        out << "{\"downloads\": [";
        for (std::size_t i = 0; i < records.records.size(); ++i) {
            out << (i ? ",\n  " : "\n  ");
            writeRecordJson(out, records.records[i]);
        }
        out << (records.records.empty() ? "]}\n" : "\n]}\n");
    } else {
        for (const auto& r : records.records) {
            writeRecordText(out, r);
        }
    }
    return kOk;
}

} // namespace quilby
