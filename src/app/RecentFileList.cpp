#include "app/RecentFileList.h"

#include <algorithm>
#include <cerrno>

namespace quilby {

void RecentFileList::setEntries(std::vector<std::string> paths) {
    entries_.clear();
    // Added oldest first so the result keeps the given order, minus empties
    // and duplicates.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        if (!it->empty()) {
            add(*it);
        }
    }
}

void RecentFileList::add(const std::string& path) {
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > capacity_) {
        entries_.resize(capacity_);
    }
}

void RecentFileList::remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

std::string RecentFileList::menuText(std::size_t index) const {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (const char c : entries_.at(index)) {
        text += c;
        if (c == '&') {
            text += '&';
        }
    }
    return text;
}

bool dropsRecentEntry(const FileError& error) {
    if (error.operation != FileError::Operation::Read || error.duringRead) {
        return false;
    }
    switch (error.code) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case EACCES:
    case EPERM:
    case ENODEV:
    case ENXIO:
    case EFBIG:
    case ELOOP:
    case ENAMETOOLONG:
        return true;
    default:
        return false;
    }
}

} // namespace quilby
