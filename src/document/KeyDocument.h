#pragma once

#include "common/TextMarker.h"
#include "document/FileIo.h"
#include "document/KeyFileReader.h"
#include "document/KeyTable.h"
#include "document/WriteGuard.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quilby {

// The program's one document: the key table and its MCR fields, plus the
// path, title and modified flag that the document lifecycle keeps. Qt-free,
// so every step of New / Open / Save is testable without a window.
class KeyDocument {
public:
    // The title of a document that has no file yet; the windows show it too.
    static constexpr const char* kUntitledTitle = QUILBY_TEXT("KeyDocument", "제목없음");
    static constexpr const char* kDefaultExtension = ".KEY";

    KeyDocument();

    KeyTableData& data() { return data_; }
    const KeyTableData& data() const { return data_; }

    const std::string& path() const { return path_; }
    const std::string& title() const { return title_; }
    bool modified() const { return modified_; }
    bool untitled() const { return path_.empty(); }

    // The key editor's OK is the only thing that sets the flag.
    void setModified(bool modified) { modified_ = modified; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Empties the table (clearTable), clears path and modified flag.
    void newDocument();

    // Opens `path`. A file that cannot be opened leaves the document as it
    // was; an error in the middle of reading leaves a new untitled document. A zero-length file
    // gives the empty table with tableLoaded false. The report of what the reader noticed is kept.
    std::optional<FileError> open(const std::string& path);

    // Whether the user has confirmed writing over the file a damaged table
    // was read from.
    enum class SaveOver : std::uint8_t { Guarded, Confirmed };

    // The write guard's verdict on saving to `path`: a table read with
    // findings is a guess, so the file it came from is not replaced by it
    // unasked (OverInput); a read-only file never (ReadOnly).
    WriteVerdict saveVerdict(const std::string& path) const;
    // The first rule of the table (TableRules.h) the table breaks; such a
    // table is not saved (saveAs fails with EINVAL) until it is mended.
    std::optional<KeyFileFinding> ruleBreak() const;

    // Whether the table was read from a file with suspicious findings.
    bool openedWithFindings() const { return lastReport_.suspicious(); }

    // Writes the table to `path` atomically. On success the path, title and
    // modified flag follow the file; on failure nothing changes. A save the
    // guard refuses fails with EEXIST (over the damaged source, unless
    // `over` is Confirmed) or EACCES (read-only).
    std::optional<FileError> saveAs(const std::string& path, SaveOver over = SaveOver::Guarded);
    std::optional<FileError> save(SaveOver over = SaveOver::Guarded) { return saveAs(path_, over); }

    const KeyFileReport& lastReadReport() const { return lastReport_; }

private:
    KeyTableData data_;
    std::string path_;
    std::string title_ = kUntitledTitle;
    bool modified_ = false;
    KeyFileReport lastReport_;
    // The file the table was read from (empty for a new document).
    std::string sourcePath_;
};

// The file name shown as the document title: the last path component.
std::string fileTitle(const std::string& path);

// Appends ".KEY" to a name the user typed without any extension.
std::string withDefaultKeyExtension(const std::string& path);

} // namespace quilby
