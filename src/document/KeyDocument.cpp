#include "document/KeyDocument.h"

#include "document/KeyFileWriter.h"
#include "document/TableRules.h"

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
    sourcePath_.clear();
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
    sourcePath_ = path;
    title_ = fileTitle(path);
    modified_ = false;
    return std::nullopt;
}

std::optional<KeyFileFinding> KeyDocument::ruleBreak() const {
    return tableRuleBreak(data_);
}

WriteVerdict KeyDocument::saveVerdict(const std::string& path) const {
    std::vector<std::string> inputs;
    if (!sourcePath_.empty()) {
        inputs.push_back(sourcePath_);
    }
    return checkWrite(path, inputs, openedWithFindings() ? InPlace::Refused : InPlace::Allowed);
}

std::optional<FileError> KeyDocument::saveAs(const std::string& path, SaveOver over) {
    if (path.empty()) {
        return FileError{FileError::Operation::Write, path, ENOENT};
    }
    if (ruleBreak()) {
        return FileError{FileError::Operation::Write, path, EINVAL};
    }
    const WriteVerdict verdict = saveVerdict(path);
    if (verdict.refusal == WriteRefusal::ReadOnly) {
        return FileError{FileError::Operation::Write, path, EACCES};
    }
    if (verdict.refusal == WriteRefusal::OverInput && over == SaveOver::Guarded) {
        return FileError{FileError::Operation::Write, path, EEXIST};
    }
    const auto result = saveFileAtomically(path, writeKeyFile(data_));
    if (const auto* error = std::get_if<FileError>(&result)) {
        return *error;
    }
    if (verdict.refusal == WriteRefusal::OverInput) {
        // The damaged original is gone now; what the file holds is ours.
        sourcePath_.clear();
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
