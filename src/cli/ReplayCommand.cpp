#include "cli/EditingCommands.h"
#include "common/TextEscape.h"

#include "cli/CommandLine.h"
#include "cli/TableJson.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyTrace.h"

#include <optional>
#include <ostream>

namespace quilby {

namespace {

struct ReplayArgs {
    std::string trace;
    std::optional<std::string> table;
};

// TRACE and, anywhere, --table FILE once; nothing else.
std::optional<ReplayArgs> parseReplayArgs(const std::vector<std::string>& args, std::ostream& err) {
    static constexpr OptionRule kOptions[] = {{"--table", OptionRule::Form::Separate,
                                               OptionRule::Placement::Anywhere,
                                               OptionRule::Repeat::Refused}};
    const ParsedArgs parsed = parseArgs(args, commandSyntax(kOptions));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return std::nullopt;
    }
    if (parsed.operands.size() != 1) {
        return std::nullopt;
    }
    return ReplayArgs{parsed.operands[0], parsed.value("--table")};
}

} // namespace

int runReplayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parseReplayArgs(args, err);
    if (!parsed) {
        return kBadArguments;
    }
    const auto text = readWholeFile(parsed->trace);
    if (const auto* error = std::get_if<FileError>(&text)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    const auto steps = parseKeyTrace(std::get<std::string>(text));
    if (const auto* error = std::get_if<KeyTraceError>(&steps)) {
        err << "quilby-key: " << parsed->trace << ":" << error->line << ": " << error->message
            << "\n";
        return kExitError;
    }

    // As the Key Edit command opens the editor: on the given table, or an
    // empty one, always with tableLoaded set.
    KeyDocument document;
    if (parsed->table) {
        if (const auto error = document.open(*parsed->table)) {
            err << "quilby-key: " << printableText(error->message()) << "\n";
            return kExitError;
        }
    }
    document.data().tableLoaded = true;
    KeyEditor editor;
    editor.initialise(document.data());
    KeyCapture capture(editor);
    const auto outcomes = replayKeyTrace(std::get<std::vector<KeyTraceStep>>(steps), capture);

    out << "{\"outcomes\": [";
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        out << (i ? ", \"" : "\"") << outcomeName(outcomes[i]) << '"';
    }
    out << "],\n \"beeps\": " << editor.beepCount() << ", \"currentKey\": " << editor.currentKey()
        << ", \"currentEntry\": " << editor.currentEntry() << ",\n \"positions\": ";
    writePositionsJsonArray(out, editor.workingTable());
    out << "}\n";
    return kExitOk;
}

} // namespace quilby
