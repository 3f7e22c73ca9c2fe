#pragma once

#include "document/FileIo.h"
#include "document/KeyTable.h"
#include "link/DownloadImage.h"
#include "link/DownloadSession.h"
#include "link/KeyboardId.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quilby {

// How a download that sent at least one byte ended.
enum class DownloadOutcome : std::uint8_t {
    Completed, // every byte sent
    Aborted,   // stopped by the user (Cancel, a console key, a signal)
    Failed,    // the keyboard left the transfer, the port failed, a timeout, or a
               // lock key was pressed during it
};
std::string_view downloadOutcomeName(DownloadOutcome outcome);
// The outcome of a download whose session ended in `state` (one stopped
// while still sending was stopped by the user).
DownloadOutcome downloadOutcomeOf(DownloadSession::State state);
// The model as the record names it; empty before it is known.
std::string_view recordedModelName(KeyboardBrand brand);

// One download as the record keeps it. `number` is given by the record when
// it is appended and is never changed or given again.
struct DownloadRecord {
    std::uint64_t number = 0;
    std::string time; // UTC, "2026-12-07T23:10:05Z"
    std::string path; // the table's file; empty for an untitled document
    std::string imageSha256;
    DownloadOutcome outcome = DownloadOutcome::Completed;
    std::size_t bytes = 0;
    double seconds = 0;
    std::string model;       // empty when not known
    std::string tableSha256; // the kept table; empty when it could not be kept

    bool operator==(const DownloadRecord&) const = default;
};

// A record of a download of `image`, stamped `when`.
DownloadRecord
downloadRecordOf(const std::string& path, const DownloadImage& image, DownloadOutcome outcome,
                 std::size_t bytes, double seconds, std::string model,
                 std::chrono::system_clock::time_point when = std::chrono::system_clock::now());

// The log's line of a record, newline included: tab-separated fields, the
// path last but one with '%', tabs and control bytes as %XX, and "end" last,
// so a line cut short by a kill never reads as a whole one.
std::string downloadRecordLine(const DownloadRecord& record);
// A line (without its newline) read back; nullopt for one that is not whole.
std::optional<DownloadRecord> parseDownloadRecordLine(std::string_view line);

// What the log holds: the whole records oldest first, and how many lines were
// skipped (cut short by a kill, or damaged).
struct DownloadLog {
    std::vector<DownloadRecord> records;
    int skippedLines = 0;
};
DownloadLog parseDownloadLog(std::string_view bytes);

// Why `history --table` or the record window cannot give a recorded table.
struct RecordedTableFault {
    enum class Kind : std::uint8_t {
        NoSuchRecord,
        NotKept,    // the record names no table (it could not be written)
        Unreadable, // the kept copy cannot be read (`error`)
        Damaged,    // the kept copy's bytes no longer match its name
    };
    Kind kind = Kind::NoSuchRecord;
    std::uint64_t number = 0;
    FileError error;
    // English, for the command line.
    std::string message() const;
};

inline constexpr std::size_t kKeptDownloadRecords = 1000;

// The record of every download, in a folder of its own:
//   downloads.log   one line per download, appended with one write(2) of the
//                   whole line on an O_APPEND descriptor
//   downloads.next  the next record number, replaced atomically
//   downloads.lock  held (flock) while a record is appended
//   tables/SHA.KEY  each table sent once, named by the SHA-256 of its bytes
//                   in the program's form (the .KEY writer's output)
// Only the last `kept` records are kept, with the tables they name.
class DownloadHistory {
public:
    explicit DownloadHistory(std::string folder, std::size_t kept = kKeptDownloadRecords);

    // $XDG_STATE_HOME/quilby (an absolute XDG_STATE_HOME), else
    // $HOME/.local/state/quilby; empty when neither is set.
    static std::string folderFor(const char* xdgStateHome, const char* home);
    static std::string defaultFolder();

    const std::string& folder() const { return folder_; }
    std::string logPath() const;
    std::string tablePath(std::string_view sha) const;

    // Numbers the record, keeps a copy of `table` and appends the line;
    // returns the number, or the first step that failed.
    std::variant<std::uint64_t, FileError> append(DownloadRecord record,
                                                  const KeyTableData& table) const;

    // The log as it stands; a log not written yet is an empty one.
    FileResult<DownloadLog> read() const;

    // The bytes of the table record `number` names, checked against their name.
    std::variant<std::string, RecordedTableFault> recordedTable(std::uint64_t number) const;

private:
    std::optional<FileError> keepTable(const std::string& sha, const std::string& bytes) const;
    std::optional<FileError> prune(const DownloadLog& log) const;

    std::string folder_;
    std::size_t kept_;
};

} // namespace quilby
