#include "document/KeyDocument.h"

#include "document/KeyFileWriter.h"

#include <cerrno>

namespace quilby {

KeyDocument::KeyDocument() {
    newDocument();
}

void KeyDocument::newDocument() {
    data_.clearTable();
    path_.clear();
    title_ = kUntitledTitle;
    modified_ = false;
    lastReport_ = {};
}

std::optional<FileError> KeyDocument::open(const std::string& path) {
    auto bytes = readWholeFile(path);
    if (auto* error = std::get_if<FileError>(&bytes)) {
        if (error->duringRead) {
            newDocument();
        }
        return *error;
    }
    const auto& text = std::get<std::string>(bytes);
    data_.clearTable();
    lastReport_ = {};
    if (!text.empty()) {
        lastReport_ = readKeyFile(text, data_);
    } else {
        lastReport_ = emptyKeyFileReport();
    }
    path_ = path;
    title_ = fileTitle(path);
    modified_ = false;
    return std::nullopt;
}

std::optional<FileError> KeyDocument::saveAs(const std::string& path) {
    if (path.empty()) {
        return FileError{FileError::Operation::Write, path, ENOENT};
    }
    const auto result = saveFileAtomically(path, writeKeyFile(data_));
    if (const auto* error = std::get_if<FileError>(&result)) {
        return *error;
    }
    path_ = path;
    title_ = fileTitle(path);
    modified_ = false;
    return std::nullopt;
}

std::string fileTitle(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withDefaultKeyExtension(const std::string& path) {
    const std::string name = fileTitle(path);
    if (name.empty() || name.find('.') != std::string::npos) {
        return path;
    }
    return path + KeyDocument::kDefaultExtension;
}

} // namespace quilby
