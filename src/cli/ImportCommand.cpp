#include "cli/CommandLine.h"
#include "cli/TableTextCommands.h"
#include "common/TextEscape.h"
#include "document/FileIo.h"
#include "document/KeyFileWriter.h"
#include "document/TableRules.h"
#include "document/WriteGuard.h"
#include "exchange/TableText.h"

#include <ostream>

namespace quilby {

int runImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)out;
    const ParsedArgs parsed = parseArgs(args, commandSyntax({}));
    if (parsed.fault != ParsedArgs::Fault::None) {
        err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return kBadArguments;
    }
    if (parsed.operands.size() != 2) {
        return kBadArguments;
    }
    const std::string& input = parsed.operands[0];
    const std::string& output = parsed.operands[1];
    const auto text = readWholeFile(input);
    if (const auto* error = std::get_if<FileError>(&text)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    const auto imported = importTableText(std::get<std::string>(text));
    if (const auto* error = std::get_if<TableTextError>(&imported)) {
        err << "quilby-key: " << printableText(input) << ": " << printableText(error->message())
            << "\n";
        return error->kind == TableTextError::Kind::Refused ? kExitRefused : kExitError;
    }
    const KeyTableData& table = std::get<KeyTableData>(imported);
    if (const WriteVerdict verdict = checkWrite(output, {input}, InPlace::Refused)) {
        err << "quilby-key: " << printableText(verdict.message(output)) << "\n";
        return kExitRefused;
    }
    // The readers keep the rules already; the writer's check stays the last word.
    if (const auto broken = tableRuleBreak(table)) {
        err << "quilby-key: " << printableText(input)
            << ": the table cannot be written in the file format: "
            << printableText(broken->message()) << "\n";
        return kExitRefused;
    }
    const auto result = saveFileAtomically(output, writeKeyFile(table));
    if (const auto* error = std::get_if<FileError>(&result)) {
        err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace quilby
