#include "cli/CommandLine.h"
#include "cli/TableTextCommands.h"
#include "common/TextEscape.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/WriteGuard.h"
#include "exchange/TableText.h"

#include <ostream>

namespace quilby {

int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    static constexpr OptionRule kOptions[] = {{"--format", OptionRule::Form::Joined}};
    const ParsedArgs parsed = parseArgs(args, commandSyntax(kOptions));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return kBadArguments;
    }
    if (parsed.operands.empty() || parsed.operands.size() > 2) {
        return kBadArguments;
    }
    const std::string& input = parsed.operands[0];
    const std::optional<std::string> output =
        parsed.operands.size() == 2 ? std::optional(parsed.operands[1]) : std::nullopt;

    TableTextFormat format = TableTextFormat::Json;
    if (const auto named = parsed.value("--format")) {
        if (*named != "json" && *named != "csv") {
            err << "quilby-key: --format is json or csv, not '" << printableText(*named) << "'\n";
            return kBadArguments;
        }
        format = *named == "csv" ? TableTextFormat::Csv : TableTextFormat::Json;
    } else if (output) {
        const auto byName = tableTextFormatOf(*output);
        if (!byName) {
            err << "quilby-key: " << printableText(*output)
                << ": the name ends in neither .json nor .csv; give --format=json or "
                   "--format=csv\n";
            return kBadArguments;
        }
        format = *byName;
    }

    KeyDocument doc;
    if (const auto error = doc.open(input)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    // The text says what was read; a damaged file's guess is said to be one.
    if (doc.lastReadReport().suspicious()) {
        err << "quilby-key: warning: " << printableText(input) << " looks damaged ("
            << keyFileFindingsSummary(doc.lastReadReport())
            << "); the export holds what was read\n";
    }
    const std::string text = exportTableText(doc.data(), format);
    if (!output) {
        out << text;
        return kExitOk;
    }
    if (const WriteVerdict verdict = checkWrite(*output, {input}, InPlace::Refused)) {
        err << "quilby-key: " << printableText(verdict.message(*output)) << "\n";
        return kExitRefused;
    }
    const auto result = saveFileAtomically(*output, text);
    if (const auto* error = std::get_if<FileError>(&result)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace quilby
