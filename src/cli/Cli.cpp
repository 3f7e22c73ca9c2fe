#include "cli/Cli.h"

#include "cli/EditingCommands.h"
#include "cli/TableJson.h"
#include "common/ProgramVersion.h"
#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/KeyFileWriter.h"
#include "editing/DefaultKeyTable.h"
#include "link/DownloadImage.h"

#include <cstdio>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace quilby {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFound = 1;
constexpr int kExitError = 2;
// Returned by a command for wrong arguments; becomes its usage line.
constexpr int kBadArguments = -1;

struct Io {
    std::ostream& out;
    std::ostream& err;
};

using Args = std::vector<std::string>;

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    std::function<int(const Args&, Io&)> run;
};

int usageError(Io& io, const Command& cmd) {
    io.err << "usage: quilby-key " << cmd.usage << "\n";
    return kExitError;
}

// Loads a .KEY file the way the program's Open does; prints the reason and
// returns false when it cannot be read.
bool loadTable(const std::string& path, KeyDocument& doc, Io& io) {
    if (const auto error = doc.open(path)) {
        io.err << "quilby-key: " << error->message() << "\n";
        return false;
    }
    return true;
}

int dump(const Args& args, Io& io) {
    const bool json = !args.empty() && args[0] == "--json";
    const std::size_t first = json ? 1 : 0;
    if (args.size() != first + 1) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args[first], doc, io)) {
        return kExitError;
    }
    const auto& table = doc.data();
    if (json) {
        writeTableJson(io.out, table);
        return kExitOk;
    }
    for (int k = 0; k < kKeyPositions; ++k) {
        const auto& def = table.KeyTable[static_cast<std::size_t>(k)];
        const int count = table.usedEntries(k);
        io.out << keyPositionName(k) << "  " << count << (count == 1 ? " entry " : " entries");
        for (int e = 0; e < count; ++e) {
            const auto i = static_cast<std::size_t>(e);
            char head[32];
            std::snprintf(head, sizeof head, "  %3d:%04x ", def.Codes[i], def.Words[i]);
            io.out << head << cp949ToUtf8(def.Labels[i]);
        }
        bool spareData = false;
        for (int e = count; e < kEntriesPerKey; ++e) {
            const auto i = static_cast<std::size_t>(e);
            spareData |= def.Codes[i] != 0 || def.Words[i] != 0 || !def.Labels[i].empty();
        }
        if (spareData) {
            io.out << "  (spare entries hold data)";
        }
        io.out << "\n";
    }
    return kExitOk;
}

int check(const Args& args, Io& io) {
    if (args.size() != 1) {
        return kBadArguments;
    }
    const std::string& path = args[0];
    KeyDocument doc;
    if (!loadTable(path, doc, io)) {
        return kExitError;
    }
    const auto& report = doc.lastReadReport();
    for (const auto& f : report.findings) {
        io.out << path << ':';
        if (f.line > 0) {
            io.out << f.line << ':';
        }
        io.out << (f.isNote() ? " note: " : " warning: ") << f.message << "\n";
    }
    if (report.omittedFindings > 0) {
        io.out << path << ": ... and " << report.omittedFindings << " more findings\n";
    }
    if (report.suspicious()) {
        io.out << path << ": suspicious\n";
        return kExitFound;
    }
    io.out << path << ": clean\n";
    return kExitOk;
}

int normalize(const Args& args, Io& io) {
    if (args.size() != 2) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args[0], doc, io)) {
        return kExitError;
    }
    if (const auto error = doc.saveAs(args[1])) {
        io.err << "quilby-key: " << error->message() << "\n";
        return kExitError;
    }
    return kExitOk;
}

int image(const Args& args, Io& io) {
    if (args.size() != 2) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args[0], doc, io)) {
        return kExitError;
    }
    const DownloadImage bytes = buildDownloadImage(doc.data());
    const auto result = saveFileAtomically(args[1], std::string(bytes.begin(), bytes.end()));
    if (const auto* error = std::get_if<FileError>(&result)) {
        io.err << "quilby-key: " << error->message() << "\n";
        return kExitError;
    }
    return kExitOk;
}

// The shipped Default.key is this command's output.
int defaultTable(const Args& args, Io& io) {
    if (args.size() != 1) {
        return kBadArguments;
    }
    std::string bytes;
    try {
        bytes = writeKeyFile(buildDefaultKeyTable());
    } catch (const std::logic_error& fault) {
        io.err << "quilby-key: " << fault.what() << "\n";
        return kExitError;
    }
    const auto result = saveFileAtomically(args[0], bytes);
    if (const auto* error = std::get_if<FileError>(&result)) {
        io.err << "quilby-key: " << error->message() << "\n";
        return kExitError;
    }
    return kExitOk;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"dump", "dump [--json] FILE.KEY",
         "print the key table; --json prints {\"positions\": [98 objects]} with\n"
         "      index, count, codes, words and labels (UTF-8)",
         dump},
        {"check", "check FILE.KEY",
         "report what is suspicious in a key file (counts outside 0..20, rows\n"
         "      of more than 20 values, missing blocks, trailing data, a shifted\n"
         "      structure); exit 0 clean, 1 suspicious, 2 unreadable",
         check},
        {"normalize", "normalize IN.KEY OUT.KEY",
         "rewrite a key file in the program's own form (atomically)", normalize},
        {"image", "image FILE.KEY OUT",
         "write the 1960-byte download image (byte 20*k+j = code j of key k)", image},
        {"default-table", "default-table OUT.KEY",
         "write the default key table (the viewer's Default.key), typed key by key\n"
         "      through the key editor (atomically)",
         defaultTable},
        {"keys", "keys [--json]",
         "print the 220-row key vocabulary; --json prints {\"rows\": [220 objects]}\n"
         "      with row, code, the four words (marks 1-3, no word 65535) and name",
         [](const Args& args, Io& io) { return runKeysCommand(args, io.out, io.err); }},
        {"replay", "replay TRACE [--table FILE.KEY]",
         "play a key event trace through the key editor, opened as Key Edit opens\n"
         "      it on FILE.KEY or an empty table; prints {\"outcomes\", \"beeps\",\n"
         "      \"currentKey\", \"currentEntry\", \"positions\"}; a malformed line\n"
         "      stops it with the line number (exit 2)",
         [](const Args& args, Io& io) { return runReplayCommand(args, io.out, io.err); }},
    };
    return table;
}

void printHelp(std::ostream& out) {
    out << "usage: quilby-key COMMAND [ARGS]\n\n"
           "Reads, checks and converts POS keyboard key tables (.KEY files).\n\n"
           "commands:\n";
    for (const auto& cmd : commands()) {
        out << "  " << cmd.usage << "\n      " << cmd.summary << "\n";
    }
    out << "  --help\n      show this help\n"
           "  --version\n      show the version\n\n"
           "Errors go to standard error with the file name and the reason.\n";
}

} // namespace

int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Io io{out, err};
    if (args.empty()) {
        printHelp(err);
        return kExitError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << versionLine("quilby-key") << "\n" << kCopyrightLine << "\n";
        return kExitOk;
    }
    for (const auto& cmd : commands()) {
        if (cmd.name == args[0]) {
            const Args rest(args.begin() + 1, args.end());
            if (rest.size() == 1 && rest[0] == "--help") {
                out << "usage: quilby-key " << cmd.usage << "\n      " << cmd.summary << "\n";
                return kExitOk;
            }
            const int status = cmd.run(rest, io);
            return status == kBadArguments ? usageError(io, cmd) : status;
        }
    }
    err << "quilby-key: unknown command '" << args[0] << "' (see quilby-key --help)\n";
    return kExitError;
}

} // namespace quilby
