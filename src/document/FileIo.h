#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>
#include <variant>

namespace quilby {

// A file-system failure: which step, which file and the errno value that
// says why. The words are the renderers' business: message() in English for
// the command line, the windows' own in the Qt layer.
struct FileError {
    enum class Operation { Read, Write };
    // How the renderers tell failures apart; the errno value decides it.
    enum class Kind {
        Failed,          // the system refused or failed the step for `code`
        TooLarge,        // a read refused: larger than any key table (EFBIG)
        BeyondSizeLimit, // a write refused by the file size limit (EFBIG)
        NotRegularFile,  // a device, pipe or socket (ENODEV)
    };

    Operation operation = Operation::Read;
    std::string path;
    int code = 0;
    // Set when the file was opened and the failure came while reading it;
    // the document then cannot keep what it had (it was being replaced).
    bool duringRead = false;

    Kind kind() const;

    // "cannot read FILE: REASON" in English (command-line tool).
    std::string message() const;
};

// The reason for an errno value as the windows give it ("파일이나 폴더가
// 없습니다." ...), marked for translation in the context "FileError";
// nullptr for a value without one of its own.
const char* fileErrorReason(int code);

// That reason, or the system's text for a value without one.
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
    // Gives up ownership: the caller closes the descriptor.
    int release();
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

// The calls of a save from the first byte written to the last sync, the ones
// whose failure decides between a saved file and a kept old one. Each behaves
// as the system call of its name: -1 with errno set on failure. Tests replace
// them to fail any step and to see the order of the steps.
struct SaveCalls {
    std::function<ssize_t(int fd, const char* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;

    // The real ones.
    static SaveCalls system();
};

// Writes `bytes` to `path` atomically: a temporary file in the same folder is
// written, flushed and synced, then renamed over the target, and the folder is
// synced. A symbolic link is followed to the file it names, which is created
// if it does not exist yet. On failure the old file is untouched, the
// temporary file is removed, and the error is returned. An existing file the
// user may not write, or whose mode has no write bit (even for root), is
// not replaced. After a successful save, temporaries
// that interrupted saves of the same file left behind are removed.
std::variant<std::monostate, FileError>
saveFileAtomically(const std::string& path, const std::string& bytes,
                   const SaveCalls& calls = SaveCalls::system());

// The name the temporary files of a save of `fileName` (no folder) start
// with: a dot, the name (shortened, with a hash of the whole name, where the
// temporary's name would not fit the file system's limit), ".saving-". Six
// letters and digits follow it.
std::string temporaryPrefix(const std::string& fileName);

} // namespace quilby
