#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/RecordCommands.h"
#include "common/TextEscape.h"
#include "document/Cp949.h"
#include "document/KeyDocument.h"
#include "document/TableDiff.h"

#include <cstdio>
#include <ostream>

namespace quilby {

namespace {

constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

void writeText(std::ostream& out, const std::vector<PositionDifference>& differences) {
    for (const auto& p : differences) {
        out << "position " << keyPositionName(p.position) << ':';
        if (p.countDiffers()) {
            out << " count " << p.countA << " -> " << p.countB;
        }
        out << '\n';
        for (const auto& e : p.entries) {
            out << "  entry " << e.entry + 1
                << (e.spare ? " (spare, only the download image carries it)" : "") << ':';
            const char* comma = " ";
            if (e.codeDiffers()) {
                out << comma << "code " << int{e.a.code} << " -> " << int{e.b.code};
                comma = ", ";
            }
            if (e.wordDiffers()) {
                out << comma << "word " << differenceWordText(e.a.word) << " -> "
                    << differenceWordText(e.b.word);
                comma = ", ";
            }
            if (e.labelDiffers()) {
                out << comma << "label " << differenceLabelText(e.a.label) << " -> "
                    << differenceLabelText(e.b.label);
            }
            out << '\n';
        }
    }
}

template <typename T> void writePair(std::ostream& out, std::string_view name, T a, T b) {
    out << ", \"" << name << "\": {\"a\": " << a << ", \"b\": " << b << '}';
}

void writeJson(std::ostream& out, const std::vector<PositionDifference>& differences) {
    out << "{\"positions\": [";
    const char* separator = "\n  ";
    for (const auto& p : differences) {
        out << separator << "{\"position\": " << p.position;
        separator = ",\n  ";
        if (p.countDiffers()) {
            writePair(out, "count", p.countA, p.countB);
        }
        out << ", \"entries\": [";
        for (std::size_t i = 0; i < p.entries.size(); ++i) {
            const auto& e = p.entries[i];
            out << (i ? ", " : "") << "{\"entry\": " << e.entry + 1
                << ", \"spare\": " << (e.spare ? "true" : "false");
            if (e.codeDiffers()) {
                writePair(out, "code", int{e.a.code}, int{e.b.code});
            }
            if (e.wordDiffers()) {
                writePair(out, "word", e.a.word, e.b.word);
            }
            if (e.labelDiffers()) {
                out << ", \"label\": {\"a\": ";
                writeJsonString(out, cp949ToUtf8(e.a.label));
                out << ", \"b\": ";
                writeJsonString(out, cp949ToUtf8(e.b.label));
                out << '}';
            }
            out << '}';
        }
        out << "]}";
    }
    out << (differences.empty() ? "]}\n" : "\n]}\n");
}

} // namespace

int runDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr OptionRule kOptions[] = {{"--json", OptionRule::Form::Flag}};
    const ParsedArgs parsed = parseArgs(args, commandSyntax(kOptions));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return kBadArguments;
    }
    if (parsed.operands.size() != 2) {
        return kBadArguments;
    }
    KeyDocument docs[2];
    for (int i = 0; i < 2; ++i) {
        const std::string& path = parsed.operands[static_cast<std::size_t>(i)];
        if (const auto error = docs[i].open(path)) {
            err << "quilby-key: " << printableText(error->message()) << "\n";
            return kTrouble;
        }
        // Compared as read; the reader's guesses are worth knowing of.
        if (docs[i].lastReadReport().suspicious()) {
            err << "quilby-key: " << printableText(path) << " looks damaged ("
                << keyFileFindingsSummary(docs[i].lastReadReport()) << "); compared as read\n";
        }
    }
    const auto differences = diffTables(docs[0].data(), docs[1].data());
    if (parsed.has("--json")) {
        writeJson(out, differences);
    } else {
        writeText(out, differences);
    }
    return differences.empty() ? kSame : kDifferent;
}

} // namespace quilby
