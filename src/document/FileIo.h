#pragma once

#include <cstddef>
#include <string>
#include <variant>

namespace quilby {

// A file-system failure with enough detail to tell the user which file and
// why. `code` is an errno value.
struct FileError {
    enum class Operation { Read, Write };
    Operation operation = Operation::Read;
    std::string path;
    int code = 0;
    // Set when the file was opened and the failure came while reading it;
    // the document then cannot keep what it had (it was being replaced).
    bool duringRead = false;

    // "cannot read FILE: REASON" in English (command-line tool).
    std::string message() const;
    // The same in Korean, for the program's message boxes.
    std::string messageKorean() const;
};

// The reason for an errno value in Korean ("파일을 찾을 수 없습니다" ...).
std::string koreanReason(int code);

// Owns a file descriptor: closed on scope exit unless closed earlier, so
// every early return of the file code leaks nothing.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    // Closes now and returns close()'s result, so a delayed write error is seen.
    int close();

private:
    int fd_;
};

template <typename T> using FileResult = std::variant<T, FileError>;

// Largest file the program reads: a real key table is about 170 KB, so a
// file far beyond that is not one and is refused instead of filling memory.
inline constexpr std::size_t kMaxReadBytes = 8u * 1024u * 1024u;

// Reads a whole regular file. Folders, devices, pipes and files over
// `maxBytes` are refused with EISDIR, ENODEV or EFBIG.
FileResult<std::string> readWholeFile(const std::string& path,
                                      std::size_t maxBytes = kMaxReadBytes);

// Writes `bytes` to `path` atomically: a temporary file in the same folder is
// written, flushed and synced, then renamed over the target (a symbolic link
// is followed to the file it names). On failure the old file is untouched,
// the temporary file is removed, and the error is returned. An existing file
// the user may not write is not replaced.
std::variant<std::monostate, FileError> saveFileAtomically(const std::string& path,
                                                           const std::string& bytes);

} // namespace quilby
