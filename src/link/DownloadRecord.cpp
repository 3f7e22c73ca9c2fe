#include "link/DownloadRecord.h"

#include "common/Sha256.h"
#include "document/KeyFileWriter.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace quilby {

namespace {

constexpr std::string_view kLineForm = "1";
constexpr std::string_view kLineEnd = "end";

FileError writeError(const std::string& path, int code) {
    return {FileError::Operation::Write, path, code, false};
}

std::string escapePath(std::string_view path) {
    std::string out;
    for (const char c : path) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f || c == '%') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescapePath(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size() ||
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr !=
                text.data() + i + 3) {
            return std::nullopt;
        }
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

template <typename T> std::optional<T> decimal(std::string_view text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<DownloadOutcome> outcomeOfName(std::string_view name) {
    for (const auto outcome :
         {DownloadOutcome::Completed, DownloadOutcome::Aborted, DownloadOutcome::Failed}) {
        if (downloadOutcomeName(outcome) == name) {
            return outcome;
        }
    }
    return std::nullopt;
}

bool isModelName(std::string_view name) {
    for (const char c : name) {
        if (c < 'a' || c > 'z') {
            return false;
        }
    }
    return true;
}

// Reads a file that may not exist yet; missing is empty.
FileResult<std::string> readIfPresent(const std::string& path) {
    auto bytes = readWholeFile(path);
    if (const auto* error = std::get_if<FileError>(&bytes); error && error->code == ENOENT) {
        return std::string();
    }
    return bytes;
}

} // namespace

std::string_view downloadOutcomeName(DownloadOutcome outcome) {
    switch (outcome) {
    case DownloadOutcome::Completed:
        return "completed";
    case DownloadOutcome::Aborted:
        return "aborted";
    case DownloadOutcome::Failed:
        break;
    }
    return "failed";
}

DownloadOutcome downloadOutcomeOf(DownloadSession::State state) {
    switch (state) {
    case DownloadSession::State::Completed:
        return DownloadOutcome::Completed;
    case DownloadSession::State::Failed:
    case DownloadSession::State::LockKeyPressed:
    case DownloadSession::State::Refused:
    case DownloadSession::State::StartFailed:
        return DownloadOutcome::Failed;
    default:
        return DownloadOutcome::Aborted;
    }
}

std::string_view recordedModelName(KeyboardBrand brand) {
    switch (brand) {
    case KeyboardBrand::Molbrix:
        return "molbrix";
    case KeyboardBrand::Varo:
        return "varo";
    case KeyboardBrand::Unknown:
        break;
    }
    return {};
}

DownloadRecord downloadRecordOf(const std::string& path, const DownloadImage& image,
                                DownloadOutcome outcome, std::size_t bytes, double seconds,
                                std::string model, std::chrono::system_clock::time_point when) {
    DownloadRecord record;
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    ::gmtime_r(&t, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
    record.time = stamp;
    record.path = path;
    record.imageSha256 = sha256Hex({reinterpret_cast<const char*>(image.data()), image.size()});
    record.outcome = outcome;
    record.bytes = bytes;
    record.seconds = seconds;
    record.model = std::move(model);
    return record;
}

std::string downloadRecordLine(const DownloadRecord& r) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
    const std::string number = std::to_string(r.number);
    const std::string bytes = std::to_string(r.bytes);
    const std::string_view table =
        r.tableSha256.empty() ? std::string_view("-") : std::string_view(r.tableSha256);
    std::string line;
    for (const std::string_view field :
         {kLineForm, std::string_view(number), std::string_view(r.time),
          downloadOutcomeName(r.outcome), std::string_view(bytes), std::string_view(seconds),
          std::string_view(r.model), std::string_view(r.imageSha256), table}) {
        line.append(field).push_back('\t');
    }
    return line.append(escapePath(r.path)).append("\t").append(kLineEnd).append("\n");
}

std::optional<DownloadRecord> parseDownloadRecordLine(std::string_view line) {
    std::vector<std::string_view> f;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        f.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    if (f.size() != 11 || f[0] != kLineForm || f[10] != kLineEnd) {
        return std::nullopt;
    }
    DownloadRecord r;
    const auto number = decimal<std::uint64_t>(f[1]);
    const auto outcome = outcomeOfName(f[3]);
    const auto bytes = decimal<std::size_t>(f[4]);
    const auto seconds = decimal<double>(f[5]);
    const auto path = unescapePath(f[9]);
    const bool tableKept = f[8] != "-";
    if (!number || *number == 0 || f[2].size() != 20 || !f[2].ends_with('Z') || !outcome ||
        !bytes || !seconds || !isModelName(f[6]) || !isSha256Hex(f[7]) ||
        (tableKept && !isSha256Hex(f[8])) || !path) {
        return std::nullopt;
    }
    r.number = *number;
    r.time = f[2];
    r.outcome = *outcome;
    r.bytes = *bytes;
    r.seconds = *seconds;
    r.model = f[6];
    r.imageSha256 = f[7];
    r.tableSha256 = tableKept ? std::string(f[8]) : std::string();
    r.path = *path;
    return r;
}

DownloadLog parseDownloadLog(std::string_view bytes) {
    DownloadLog log;
    std::size_t start = 0;
    for (std::size_t nl = bytes.find('\n'); nl != std::string_view::npos;
         start = nl + 1, nl = bytes.find('\n', start)) {
        if (auto record = parseDownloadRecordLine(bytes.substr(start, nl - start))) {
            log.records.push_back(std::move(*record));
        } else {
            ++log.skippedLines;
        }
    }
    // A last line without its newline was cut short by a kill.
    if (start < bytes.size()) {
        ++log.skippedLines;
    }
    return log;
}

std::string RecordedTableFault::message() const {
    const std::string record = "download record " + std::to_string(number);
    switch (kind) {
    case Kind::NoSuchRecord:
        return "there is no " + record;
    case Kind::NotKept:
        return record + " keeps no table (it could not be written at the time)";
    case Kind::Unreadable:
        return record + ": " + error.message();
    case Kind::Damaged:
        break;
    }
    return record + ": the kept table " + error.path + " no longer matches its SHA-256";
}

DownloadHistory::DownloadHistory(std::string folder, std::size_t kept)
    : folder_(std::move(folder)), kept_(kept) {}

std::string DownloadHistory::folderFor(const char* xdgStateHome, const char* home) {
    // A relative XDG_STATE_HOME is invalid and ignored.
    if (xdgStateHome != nullptr && xdgStateHome[0] == '/') {
        return std::string(xdgStateHome) + "/quilby";
    }
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/state/quilby";
    }
    return {};
}

std::string DownloadHistory::defaultFolder() {
    return folderFor(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string DownloadHistory::logPath() const {
    return folder_ + "/downloads.log";
}

std::string DownloadHistory::tablePath(std::string_view sha) const {
    return folder_ + "/tables/" + std::string(sha) + ".KEY";
}

std::variant<std::uint64_t, FileError> DownloadHistory::append(DownloadRecord record,
                                                               const KeyTableData& table) const {
    std::error_code ec;
    std::filesystem::create_directories(folder_ + "/tables", ec);
    if (ec) {
        return writeError(folder_ + "/tables", ec.value());
    }
    // One appender at a time (the window and quilby-key may both record).
    const std::string lockPath = folder_ + "/downloads.lock";
    UniqueFd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) {
        return writeError(lockPath, errno);
    }
    // Another appender takes milliseconds; one that holds the lock for
    // seconds is stuck, and waiting for it would hang the caller.
    for (int tries = 0; ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0; ++tries) {
        if (errno != EWOULDBLOCK || tries == 100) {
            return writeError(lockPath, errno);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const std::string log = logPath();
    const auto logBytes = readIfPresent(log);
    if (const auto* error = std::get_if<FileError>(&logBytes)) {
        return *error;
    }
    const std::string& text = std::get<std::string>(logBytes);
    DownloadLog kept = parseDownloadLog(text);

    // The next number: past every number in the log and the one stored,
    // which outlives the records pruning drops and lines a kill cut short.
    const std::string counterPath = folder_ + "/downloads.next";
    const auto counterBytes = readIfPresent(counterPath);
    if (const auto* error = std::get_if<FileError>(&counterBytes)) {
        return *error;
    }
    std::string counterText = std::get<std::string>(counterBytes);
    if (!counterText.empty() && counterText.back() == '\n') {
        counterText.pop_back();
    }
    std::uint64_t number = decimal<std::uint64_t>(counterText).value_or(1);
    for (const auto& r : kept.records) {
        number = std::max(number, r.number + 1);
    }
    if (const auto saved = saveFileAtomically(counterPath, std::to_string(number + 1) + "\n");
        std::holds_alternative<FileError>(saved)) {
        return std::get<FileError>(saved);
    }
    record.number = number;

    // A table the writer refuses (a rule broken) is recorded without a copy.
    try {
        const std::string bytes = writeKeyFile(table);
        const std::string sha = sha256Hex(bytes);
        if (!keepTable(sha, bytes)) {
            record.tableSha256 = sha;
        }
    } catch (const TableRuleError&) {
        record.tableSha256.clear();
    }

    // One write of the whole line: appenders never interleave, and a kill
    // leaves at most one line without its newline, which the reader skips.
    // That line is ended first, so this one starts on a line of its own.
    std::string line = downloadRecordLine(record);
    if (!text.empty() && text.back() != '\n') {
        line.insert(line.begin(), '\n');
    }
    UniqueFd fd(::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        return writeError(log, errno);
    }
    const ssize_t written = ::write(fd.get(), line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size())) {
        return writeError(log, written < 0 ? errno : ENOSPC);
    }
    if (::fdatasync(fd.get()) != 0 || fd.close() != 0) {
        return writeError(log, errno);
    }
    kept.records.push_back(record);
    if (kept.records.size() > kept_) {
        if (auto error = prune(kept)) {
            return *error;
        }
    }
    return number;
}

std::optional<FileError> DownloadHistory::keepTable(const std::string& sha,
                                                    const std::string& bytes) const {
    const std::string path = tablePath(sha);
    // Stored once: a copy already there is kept if it is still whole.
    if (const auto present = readWholeFile(path);
        std::holds_alternative<std::string>(present) && std::get<std::string>(present) == bytes) {
        return std::nullopt;
    }
    const auto saved = saveFileAtomically(path, bytes);
    if (const auto* error = std::get_if<FileError>(&saved)) {
        return *error;
    }
    return std::nullopt;
}

// Rewrites the log with its newest `kept_` records (write and rename: the
// old log stays whole until the new one replaces it) and removes the tables
// no kept record names. The counter already holds the next number.
std::optional<FileError> DownloadHistory::prune(const DownloadLog& log) const {
    std::string text;
    std::set<std::string> named;
    for (std::size_t i = log.records.size() - kept_; i < log.records.size(); ++i) {
        text += downloadRecordLine(log.records[i]);
        named.insert(log.records[i].tableSha256);
    }
    const auto saved = saveFileAtomically(logPath(), text);
    if (const auto* error = std::get_if<FileError>(&saved)) {
        return *error;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/tables", ec)) {
        const std::filesystem::path& p = entry.path();
        if (p.extension() == ".KEY" && isSha256Hex(p.stem().string()) &&
            !named.contains(p.stem().string())) {
            std::filesystem::remove(p, ec);
        }
    }
    return std::nullopt;
}

FileResult<DownloadLog> DownloadHistory::read() const {
    auto bytes = readIfPresent(logPath());
    if (auto* error = std::get_if<FileError>(&bytes)) {
        return std::move(*error);
    }
    return parseDownloadLog(std::get<std::string>(bytes));
}

std::variant<std::string, RecordedTableFault>
DownloadHistory::recordedTable(std::uint64_t number) const {
    RecordedTableFault fault;
    fault.number = number;
    auto log = read();
    if (auto* error = std::get_if<FileError>(&log)) {
        fault.kind = RecordedTableFault::Kind::Unreadable;
        fault.error = std::move(*error);
        return fault;
    }
    for (const auto& r : std::get<DownloadLog>(log).records) {
        if (r.number != number) {
            continue;
        }
        if (r.tableSha256.empty()) {
            fault.kind = RecordedTableFault::Kind::NotKept;
            return fault;
        }
        fault.error.path = tablePath(r.tableSha256);
        auto bytes = readWholeFile(fault.error.path);
        if (auto* error = std::get_if<FileError>(&bytes)) {
            fault.kind = RecordedTableFault::Kind::Unreadable;
            fault.error = std::move(*error);
            return fault;
        }
        if (sha256Hex(std::get<std::string>(bytes)) != r.tableSha256) {
            fault.kind = RecordedTableFault::Kind::Damaged;
            return fault;
        }
        return std::move(std::get<std::string>(bytes));
    }
    return fault;
}

} // namespace quilby
