#include "cli/EditingCommands.h"

#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "common/TextEscape.h"
#include "document/Cp949.h"
#include "editing/KeyVocabulary.h"

#include <cstdio>
#include <ostream>

namespace quilby {

namespace {

// A word as the editor shows it; marks and NoWord spelled out.
std::string readableWord(std::uint16_t word, bool normalColumn) {
    if (word == NoWord) {
        return "-";
    }
    if (normalColumn && word == ShiftMark) {
        return "<Shift>";
    }
    if (normalColumn && word == AltMark) {
        return "<Alt>";
    }
    if (normalColumn && word == CtrlMark) {
        return "<Ctrl>";
    }
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(word));
    return text;
}

void printReadable(std::ostream& out) {
    out << "row code normal  shift   alt     ctrl    name\n";
    const auto& rows = keyVocabulary();
    for (int r = 0; r < kVocabularyRows; ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        char line[96];
        if (row.isEmpty()) {
            std::snprintf(line, sizeof line, "%3d  (empty)\n", r);
            out << line;
            continue;
        }
        std::snprintf(line, sizeof line, "%3d %4d %-7s %-7s %-7s %-7s ", r, row.code,
                      readableWord(row.normal, true).c_str(),
                      readableWord(row.shift, false).c_str(), readableWord(row.alt, false).c_str(),
                      readableWord(row.ctrl, false).c_str());
        out << line << cp949ToUtf8(row.nameText()) << "\n";
    }
    out << "\n<Shift>, <Alt>, <Ctrl>: the character is typed with that modifier and takes its "
           "column's word;\n-: the combination has no word.\n";
}

void printJson(std::ostream& out) {
    out << "{\"rows\": [";
    const auto& rows = keyVocabulary();
    for (int r = 0; r < kVocabularyRows; ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        out << (r ? ",\n  " : "\n  ") << "{\"row\": " << r
            << ", \"code\": " << static_cast<int>(row.code) << ", \"normal\": " << row.normal
            << ", \"shift\": " << row.shift << ", \"alt\": " << row.alt
            << ", \"ctrl\": " << row.ctrl << ", \"name\": ";
        writeJsonString(out, cp949ToUtf8(row.nameText()));
        out << '}';
    }
    out << "\n]}\n";
}

} // namespace

int runKeysCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // --json, or nothing.
    static constexpr OptionRule kOptions[] = {{"--json", OptionRule::Form::Flag}};
    const ParsedArgs parsed = parseArgs(args, commandSyntax(kOptions));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return kBadArguments;
    }
    if (!parsed.operands.empty()) {
        return kBadArguments;
    }
    if (parsed.has("--json")) {
        printJson(out);
    } else {
        printReadable(out);
    }
    return 0;
}

} // namespace quilby
