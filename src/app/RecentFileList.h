#pragma once

#include "document/FileIo.h"

#include <string>
#include <vector>

namespace quilby {

// The recent-file list: at most `capacity` paths, most recent first, no
// duplicates. Storage is the caller's (the Qt layer keeps it in settings).
class RecentFileList {
public:
    explicit RecentFileList(std::size_t capacity = 4) : capacity_(capacity) {}

    void setEntries(std::vector<std::string> paths);
    const std::vector<std::string>& entries() const { return entries_; }

    void add(const std::string& path);
    void remove(const std::string& path);

    // Menu text of entry `index` (0-based): "&1 path", with '&' in the path
    // doubled so it shows as itself.
    std::string menuText(std::size_t index) const;

private:
    std::size_t capacity_;
    std::vector<std::string> entries_;
};

// Whether a recent-file entry whose opening failed with `error` goes from the
// list: a missing file, a folder, a device, a file the user may not read or
// one far too large will fail again; a passing fault (out of memory, an I/O
// error in the middle of reading) keeps the entry for another try.
bool dropsRecentEntry(const FileError& error);

} // namespace quilby
