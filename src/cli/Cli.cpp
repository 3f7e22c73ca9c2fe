#include "cli/Cli.h"

#include "cli/CommandLine.h"
#include "cli/EditingCommands.h"
#include "cli/Json.h"
#include "cli/LinkCommands.h"
#include "cli/OutputWatch.h"
#include "cli/RecordCommands.h"
#include "cli/TableJson.h"
#include "cli/TableTextCommands.h"
#include "common/ProgramVersion.h"
#include "common/TextEscape.h"
#include "document/Cp949.h"
#include "document/FileIo.h"
#include "document/KeyDocument.h"
#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"
#include "document/TableRefusal.h"
#include "document/WriteGuard.h"
#include "editing/DefaultKeyTable.h"
#include "link/DownloadImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace quilby {

namespace {

constexpr int kExitFound = 1;
constexpr int kExitAborted = 3;

struct Io {
    std::ostream& out;
    std::ostream& err;
    LinkEnvironment& link;
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

// The one parser rule: options before or after the operands, "--" ends
// them, an unknown one is named. nullopt (the reason printed) on a fault.
std::optional<ParsedArgs> parseCommand(const Args& given, std::span<const OptionRule> rules,
                                       Io& io) {
    ParsedArgs parsed = parseArgs(given, commandSyntax(rules));
    if (parsed.fault != ParsedArgs::Fault::None) {
        io.err << "quilby-key: " << printableText(faultText(parsed)) << "\n";
        return std::nullopt;
    }
    return parsed;
}

// Loads a .KEY file the way the program's Open does; prints the reason and
// returns false when it cannot be read.
bool loadTable(const std::string& path, KeyDocument& doc, Io& io) {
    if (const auto error = doc.open(path)) {
        io.err << "quilby-key: " << printableText(error->message()) << "\n";
        return false;
    }
    return true;
}

constexpr OptionRule kDumpOptions[] = {{"--json", OptionRule::Form::Flag}};

int dump(const Args& given, Io& io) {
    const auto parsed = parseCommand(given, kDumpOptions, io);
    if (!parsed) {
        return kBadArguments;
    }
    const ParsedArgs& args = *parsed;
    const bool json = args.has("--json");
    if (args.operands.size() != 1) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args.operands[0], doc, io)) {
        return kExitError;
    }
    const auto& table = doc.data();
    if (json) {
        writeTableJson(io.out, table);
        return kExitOk;
    }
    for (int k = 0; k < kKeyPositions; ++k) {
        const auto& def = table.keyTable[static_cast<std::size_t>(k)];
        const int count = table.usedEntries(k);
        io.out << keyPositionName(k) << "  " << count << (count == 1 ? " entry " : " entries");
        for (int e = 0; e < count; ++e) {
            const auto i = static_cast<std::size_t>(e);
            char head[32];
            std::snprintf(head, sizeof head, "  %3d:%04x ", def.codes[i], def.words[i]);
            io.out << head << printableText(cp949ToUtf8(def.labels[i]));
        }
        bool spareData = false;
        for (int e = count; e < kEntriesPerKey; ++e) {
            const auto i = static_cast<std::size_t>(e);
            spareData |= def.codes[i] != 0 || def.words[i] != 0 || !def.labels[i].empty();
        }
        if (spareData) {
            io.out << "  (spare entries hold data)";
        }
        io.out << "\n";
    }
    return kExitOk;
}

// Worst first: an unreadable file outweighs a suspicious one.
int worse(int a, int b) {
    return std::max(a, b);
}

int check(const Args& given, Io& io) {
    // Every operand is a file.
    const auto parsed = parseCommand(given, {}, io);
    if (!parsed) {
        return kBadArguments;
    }
    const std::vector<std::string> paths = parsed->operands;
    if (paths.empty()) {
        return kBadArguments;
    }
    // One file: every finding on a line of its own. Several: one line each.
    const bool detailed = paths.size() == 1;
    int status = kExitOk;
    for (const std::string& path : paths) {
        KeyDocument doc;
        if (const auto error = doc.open(path)) {
            if (detailed) {
                io.err << "quilby-key: " << printableText(error->message()) << "\n";
            } else {
                io.out << printableText(path) << ": unreadable: " << printableText(error->message())
                       << "\n";
            }
            status = worse(status, kExitError);
            continue;
        }
        const auto& report = doc.lastReadReport();
        const std::string name = printableText(path);
        if (detailed) {
            for (const auto& f : report.findings) {
                io.out << name << ':';
                if (f.line > 0) {
                    io.out << f.line << ':';
                }
                io.out << (f.isNote() ? " note: " : " warning: ") << f.message() << "\n";
            }
            if (report.omittedFindings > 0) {
                io.out << name << ": ... and " << report.omittedFindings << " more findings\n";
            }
            io.out << name << (report.suspicious() ? ": suspicious\n" : ": clean\n");
        } else if (report.suspicious()) {
            io.out << name << ": suspicious: " << keyFileFindingsSummary(report, 1) << "\n";
        } else {
            io.out << name << ": clean\n";
        }
        status = worse(status, report.suspicious() ? kExitFound : kExitOk);
    }
    return status;
}

constexpr OptionRule kForceOption[] = {{"--force", OptionRule::Form::Flag}};

// A table `check` calls suspicious is not turned into something that looks
// sound unless the user insists.
bool refuseSuspicious(const std::string& path, const KeyDocument& doc, bool force, Io& io) {
    if (tableRefusal(doc.lastReadReport(), TableUse::Send, force) == TableRefusal::None) {
        return false;
    }
    io.err << "quilby-key: " << printableText(path) << " looks damaged ("
           << keyFileFindingsSummary(doc.lastReadReport())
           << "); see quilby-key check, or go ahead with --force\n";
    return true;
}

// The write guard's refusal as the command line gives it: exit 1, the
// output untouched.
bool refuseWrite(const std::string& output, const std::vector<std::string>& inputs, InPlace inPlace,
                 Io& io) {
    const WriteVerdict verdict = checkWrite(output, inputs, inPlace);
    if (!verdict) {
        return false;
    }
    io.err << "quilby-key: " << printableText(verdict.message(output)) << "\n";
    return true;
}

int normalize(const Args& given, Io& io) {
    const auto parsed = parseCommand(given, kForceOption, io);
    if (!parsed) {
        return kBadArguments;
    }
    const bool force = parsed->has("--force");
    const Args& args = parsed->operands;
    if (args.size() != 2) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args[0], doc, io)) {
        return kExitError;
    }
    if (refuseSuspicious(args[0], doc, force, io)) {
        return kExitFound;
    }
    // What was read from a damaged file is a guess: it never replaces the
    // only copy of what the file held. A clean one rewritten loses nothing.
    const InPlace inPlace = doc.lastReadReport().suspicious() ? InPlace::Refused : InPlace::Allowed;
    if (refuseWrite(args[1], {args[0]}, inPlace, io)) {
        return kExitFound;
    }
    // A table the writer may not write (a label over 15 bytes ...) is
    // refused whole, never cut to fit.
    if (const auto broken = doc.ruleBreak()) {
        io.err << "quilby-key: " << printableText(args[0])
               << ": the table cannot be written in the file format: "
               << printableText(broken->message()) << "\n";
        return kExitFound;
    }
    if (const auto error = doc.saveAs(args[1])) {
        io.err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    return kExitOk;
}

int image(const Args& given, Io& io) {
    const auto parsed = parseCommand(given, kForceOption, io);
    if (!parsed) {
        return kBadArguments;
    }
    const bool force = parsed->has("--force");
    const Args& args = parsed->operands;
    if (args.size() != 2) {
        return kBadArguments;
    }
    KeyDocument doc;
    if (!loadTable(args[0], doc, io)) {
        return kExitError;
    }
    if (refuseSuspicious(args[0], doc, force, io)) {
        return kExitFound;
    }
    // An image holds no labels or words: it never replaces its table.
    if (refuseWrite(args[1], {args[0]}, InPlace::Refused, io)) {
        return kExitFound;
    }
    const DownloadImage bytes = buildDownloadImage(doc.data());
    const auto result = saveFileAtomically(args[1], std::string(bytes.begin(), bytes.end()));
    if (const auto* error = std::get_if<FileError>(&result)) {
        io.err << "quilby-key: " << printableText(error->message()) << "\n";
        return kExitError;
    }
    return kExitOk;
}

// The shipped Default.key is this command's output.
int defaultTable(const Args& given, Io& io) {
    const auto parsed = parseCommand(given, {}, io);
    if (!parsed) {
        return kBadArguments;
    }
    const Args& args = parsed->operands;
    if (args.size() != 1) {
        return kBadArguments;
    }
    if (refuseWrite(args[0], {}, InPlace::Refused, io)) {
        return kExitFound;
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
        io.err << "quilby-key: " << printableText(error->message()) << "\n";
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
        {"check", "check FILE.KEY...",
         "report what is suspicious in key files (an empty file, counts outside\n"
         "      0..20, rows of more than 20 values, missing blocks, trailing data, a\n"
         "      shifted structure, labels with control bytes or broken code page 949\n"
         "      text); notes (CR LF, split rows, a DOS end-of-file byte) are harmless.\n"
         "      One file: every finding; several: one line per file. Bytes of the file\n"
         "      are printed as \\xNN. Exit 0 clean, 1 suspicious, 2 unreadable (the\n"
         "      worst of all files)",
         check},
        {"normalize", "normalize [--force] IN.KEY OUT.KEY",
         "rewrite a key file in the program's own form (atomically); a table check\n"
         "      calls suspicious is refused (exit 1) without --force, and never\n"
         "      written over its own file (a clean one may be); a read-only OUT is\n"
         "      never replaced",
         normalize},
        {"image", "image [--force] FILE.KEY OUT",
         "write the 1960-byte download image (byte 20*k+j = code j of key k); a\n"
         "      table check calls suspicious is refused (exit 1) without --force; OUT\n"
         "      is never FILE.KEY (by any name) nor a read-only file",
         image},
        {"default-table", "default-table OUT.KEY",
         "write the default key table (the viewer's Default.key), typed key by key\n"
         "      through the key editor (atomically)",
         defaultTable},
        {"export", "export [--format=json|csv] FILE.KEY [OUT]",
         "write the table as text: JSON (every field, as quilby-table.schema.json in\n"
         "      the data folder describes) or CSV (position,keys,spare: keystrokes as\n"
         "      key scripts); to standard output without OUT; the format from OUT's\n"
         "      extension when not given",
         [](const Args& args, Io& io) { return runExportCommand(args, io.out, io.err); }},
        {"import", "import IN OUT.KEY",
         "read a table exported as JSON or CSV (key scripts typed through the key\n"
         "      editor's rules) and write it as OUT.KEY; an error names the line and\n"
         "      nothing is written. Exit 0 written, 1 refused, 2 unreadable",
         [](const Args& args, Io& io) { return runImportCommand(args, io.out, io.err); }},
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
        {"download",
         "download [--port=hw|sim] [--model=varo|molbrix] [--json] [--timeout=S] [--force]\n"
         "                    [--input=tty|DEVICE] FILE.KEY",
         "send the key table to the keyboard: wait until it announces itself (someone\n"
         "      presses its five marked keys), then send the 1960-byte image, paced at\n"
         "      25 ms a byte (about 49 s); a table check calls suspicious is refused\n"
         "      without --force",
         [](const Args& args, Io& io) {
             return runDownloadCommand(args, io.out, io.err, io.link);
         }},
        {"mcr",
         "mcr [--port=hw|sim] [--model=varo|molbrix] [--json] [--timeout=S]\n"
         "                    [--set=off|ff|?|;] [--input=tty|DEVICE]",
         "after the announcement send the MCR command and print the EPROM version\n"
         "      and checksum the keyboard types back; --set first stores that MCR head\n"
         "      code option in MCR.OPN of the current folder (which must exist)",
         [](const Args& args, Io& io) { return runMcrCommand(args, io.out, io.err, io.link); }},
        {"identify", "identify [--port=hw|sim] [--json] [--timeout=S] [--input=tty|DEVICE]",
         "wait for the keyboard to announce itself and print its model (varo or\n"
         "      molbrix)",
         [](const Args& args, Io& io) {
             return runIdentifyCommand(args, io.out, io.err, io.link);
         }},
        {"diff", "diff [--json] A.KEY B.KEY",
         "print the positions where two tables differ: counts, and the code, word\n"
         "      and label of each entry (all 20, spare ones marked); --json prints\n"
         "      {\"positions\": [...]}. Exit 0 same, 1 different, 2 trouble",
         [](const Args& args, Io& io) { return runDiffCommand(args, io.out, io.err); }},
        {"history", "history [--json] | history --table N OUT.KEY",
         "list the record of every download (oldest first; --json prints\n"
         "      {\"downloads\": [...]}), or write the table record N sent to OUT.KEY",
         [](const Args& args, Io& io) { return runHistoryCommand(args, io.out, io.err, io.link); }},
        {"port-status", "port-status",
         "ask the port helper whether port 0x60 can be reached, without sending a\n"
         "      byte: prints \"ready\" (exit 0), or why not and the cure (exit 1)",
         [](const Args& args, Io& io) {
             return runPortStatusCommand(args, io.out, io.err, io.link);
         }},
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
           "Errors go to standard error with the file name and the reason.\n\n"
           "Keyboard link (download, mcr, identify):\n"
           "  --port=sim, or QUILBY_PORT=sim, uses the simulated keyboard, which announces\n"
           "  itself half a second after the start; --port=hw (the default) port 0x60,\n"
           "  reached through the port helper, which only members of the group quilby\n"
           "  may run (sudo adduser NAME quilby, then log in again); an account outside\n"
           "  the group cannot reprogram the keyboard. Port 0x60 reaches only a keyboard\n"
           "  on the PS/2 port: one typed through another way (USB) is refused.\n"
           "  The keyboard's typing is read from the terminal when it is a local console\n"
           "  (or with --input=tty), otherwise from the keyboards among /dev/input/event*\n"
           "  (or the one --input=DEVICE names), which needs the 'input' group.\n"
           "  --timeout=S: seconds to wait for the announcement, in decimal (\"2\",\n"
           "  \"0.5\"), 0 to 86400 (default 120, 0 for no limit). --json: one JSON object\n"
           "  per line on standard output for each event: waiting, identified (model),\n"
           "  progress (bytes, percent), done (result completed|refused|aborted|timeout|\n"
           "  error, bytes, seconds; bells and imageMatches with the simulator; reason\n"
           "  when it did not complete). The done line comes last on every road, usage\n"
           "  errors and unreadable files included (result error).\n"
           "Options go before or after the operands; -- ends them (a file named -x\n"
           "is given as -- -x); an unknown option is refused by name.\n"
           "Standard output that cannot be written (a full disk, a closed pipe) ends\n"
           "a command with a message: exit 2, or 3 during a transfer, which stops\n"
           "before its next byte (SIGPIPE as SIGHUP).\n"
           "  Exit status: 0 completed; 1 refused before sending (port out of reach, no\n"
           "  keyboard input, a suspicious table); 2 usage error or unreadable file;\n"
           "  3 aborted (Ctrl+C, SIGTERM, the keyboard announcing again); 4 timeout.\n"
           "  Ctrl+C stops a transfer before its next byte and leaves the terminal as\n"
           "  it was.\n";
}

} // namespace

int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    LinkEnvironment link;
    return runQuilbyKey(args, out, err, link);
}

namespace {

bool isLinkCommand(std::string_view name) {
    return name == "download" || name == "mcr" || name == "identify";
}

// Whether a link command was asked for JSON (an option before any "--").
bool wantsJson(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--json") {
            return true;
        }
    }
    return false;
}

int runCommand(const std::vector<std::string>& args, Io& io);

} // namespace

int runQuilbyKey(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 LinkEnvironment& link) {
    // Every byte goes through a watch: a write that fails is never a success,
    // and the JSON stream ends with its done line whatever road was taken.
    OutputWatch outWatch(out);
    OutputWatch errWatch(err);
    std::ostream watchedOut(&outWatch);
    std::ostream watchedErr(&errWatch);
    Io io{watchedOut, watchedErr, link};
    int status = runCommand(args, io);
    if (!args.empty() && isLinkCommand(args[0]) && wantsJson(args) &&
        !outWatch.lastLine().starts_with("{\"event\": \"done\"")) {
        std::string reason = errWatch.firstLine();
        if (reason.starts_with("quilby-key: ")) {
            reason.erase(0, 12);
        }
        watchedOut << "{\"event\": \"done\", \"result\": \""
                   << (status == kExitFound ? "refused" : "error")
                   << "\", \"bytes\": 0, \"seconds\": 0.000, \"reason\": ";
        writeJsonString(watchedOut, printableText(reason));
        watchedOut << "}\n";
    }
    watchedOut.flush();
    if (outWatch.failed()) {
        const int code = outWatch.errorCode();
        err << "quilby-key: cannot write standard output"
            << (code != 0 ? std::string(": ") + std::strerror(code) : std::string()) << "\n";
        // A transfer cut by it already says so (exit 3); before any, exit 2.
        return status == kExitAborted ? status : kExitError;
    }
    return status;
}

namespace {

int runCommand(const std::vector<std::string>& args, Io& io) {
    std::ostream& out = io.out;
    std::ostream& err = io.err;
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
    err << "quilby-key: unknown command '" << printableText(args[0])
        << "' (see quilby-key --help)\n";
    return kExitError;
}

} // namespace

} // namespace quilby
