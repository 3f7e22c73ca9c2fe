#include "document/FileIo.h"

#include "common/TextMarker.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quilby {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int UniqueFd::close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

SaveCalls SaveCalls::system() {
    return SaveCalls{
        [](int fd, const char* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
}

namespace {

FileError makeError(FileError::Operation op, const std::string& path, int code) {
    return FileError{op, path, code};
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links so that saving replaces the file they name, not the
// link itself; a link whose file does not exist yet names the file to create.
// Anything that is not a link is used as given. Returns the path, or ELOOP.
std::variant<std::string, int> resolveTarget(const std::string& path) {
    std::string current = path;
    // The kernel's own limit on links followed in one lookup.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return current;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            return current;
        }
        link.resize(static_cast<std::size_t>(n));
        current = link.front() == '/' ? link : folderOf(current) + "/" + link;
    }
    return ELOOP;
}

bool writeAll(const SaveCalls& calls, int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            // No progress and no reason: retrying could spin for ever.
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool isTemporarySuffix(std::string_view suffix) {
    return suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// Removes what saves of the same file left when they were cut short (a crash,
// a power cut). A save in progress holds a lock on its temporary, so only
// the temporaries nobody holds go; where locks are not supported, none goes.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || !isTemporarySuffix(name.substr(prefix.size()))) {
            continue;
        }
        UniqueFd fd(
            ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            continue;
        }
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

const char* fileErrorReason(int code) {
    switch (code) {
    case ENOENT:
        return QUILBY_TEXT("FileError", "파일이나 폴더가 없습니다.");
    case EACCES:
    case EPERM:
        return QUILBY_TEXT("FileError", "접근 권한이 없습니다.");
    case EROFS:
        return QUILBY_TEXT("FileError", "읽기 전용 파일 시스템입니다.");
    case EISDIR:
        return QUILBY_TEXT("FileError", "파일이 아니라 폴더입니다.");
    case ENOSPC:
    case EDQUOT:
        return QUILBY_TEXT("FileError", "디스크 공간이 부족합니다.");
    case EFBIG:
        return QUILBY_TEXT("FileError", "파일이 너무 커서 키 파일일 수 없습니다.");
    case ENODEV:
        return QUILBY_TEXT("FileError", "일반 파일이 아닙니다.");
    case ENOTDIR:
        return QUILBY_TEXT("FileError", "경로의 일부가 폴더가 아닙니다.");
    case ENAMETOOLONG:
        return QUILBY_TEXT("FileError", "파일 이름이 너무 깁니다.");
    case EIO:
        return QUILBY_TEXT("FileError", "입출력 오류가 발생했습니다.");
    default:
        return nullptr;
    }
}

std::string koreanReason(int code) {
    const char* reason = fileErrorReason(code);
    return reason != nullptr ? reason : std::strerror(code);
}

FileError::Kind FileError::kind() const {
    switch (code) {
    case EFBIG:
        // Reading refuses a file this large; writing was refused by a limit.
        return operation == Operation::Read ? Kind::TooLarge : Kind::BeyondSizeLimit;
    case ENODEV:
        return Kind::NotRegularFile;
    default:
        return Kind::Failed;
    }
}

std::string FileError::message() const {
    std::string reason;
    switch (kind()) {
    case Kind::TooLarge:
        reason = "file too large to be a key table";
        break;
    case Kind::BeyondSizeLimit:
        reason = "the file size limit does not allow this file";
        break;
    case Kind::NotRegularFile:
        reason = "not a regular file";
        break;
    case Kind::Failed:
        reason = std::strerror(code);
        break;
    }
    return std::string(operation == Operation::Read ? "cannot read " : "cannot write ") + path +
           ": " + reason;
}

FileResult<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    constexpr auto op = FileError::Operation::Read;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return makeError(op, path, errno);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        return makeError(op, path, errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return makeError(op, path, EISDIR);
    }
    if (!S_ISREG(st.st_mode)) {
        return makeError(op, path, ENODEV);
    }
    if (static_cast<std::size_t>(st.st_size) > maxBytes) {
        return makeError(op, path, EFBIG);
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            // The file may have grown since fstat; keep reading up to the limit.
            if (bytes.size() >= maxBytes + 1) {
                return makeError(op, path, EFBIG);
            }
            bytes.resize(std::min(maxBytes + 1, bytes.size() + 4096));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FileError error = makeError(op, path, errno);
            error.duringRead = true;
            return error;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (done > maxBytes) {
        return makeError(op, path, EFBIG);
    }
    bytes.resize(done);
    return bytes;
}

std::string temporaryPrefix(const std::string& fileName) {
    // The marker says what the hidden file is and keeps the clean-up of
    // stale temporaries away from the user's own hidden files.
    static constexpr std::string_view kMarker = ".saving-";
    // "." + name + marker + six characters must fit one name.
    constexpr std::size_t kRoom = NAME_MAX - 1 - kMarker.size() - 6;
    if (fileName.size() <= kRoom) {
        return "." + fileName + std::string(kMarker);
    }
    // FNV-1a: names that share their first bytes still get their own
    // temporaries, so cleaning up after one never touches the other's.
    std::uint32_t hash = 2166136261u;
    for (char c : fileName) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    char tag[10];
    std::snprintf(tag, sizeof tag, "~%08x", static_cast<unsigned>(hash));
    // Cut before a UTF-8 continuation byte, never inside a character.
    std::size_t keep = kRoom - 9;
    while (keep > 0 && (static_cast<unsigned char>(fileName[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    return "." + fileName.substr(0, keep) + tag + std::string(kMarker);
}

std::variant<std::monostate, FileError>
saveFileAtomically(const std::string& path, const std::string& bytes, const SaveCalls& calls) {
    constexpr auto op = FileError::Operation::Write;
    const auto resolved = resolveTarget(path);
    if (const int* code = std::get_if<int>(&resolved)) {
        return makeError(op, path, *code);
    }
    const std::string& target = std::get<std::string>(resolved);

    mode_t mode = 0666;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            return makeError(op, path, EISDIR);
        }
        if (!S_ISREG(st.st_mode)) {
            return makeError(op, path, ENODEV);
        }
        if (::access(target.c_str(), W_OK) != 0) {
            return makeError(op, path, errno);
        }
        // Root passes access(); a mode without any write bit still means
        // "keep this file".
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            return makeError(op, path, EACCES);
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return makeError(op, path, errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(baseNameOf(target));
    std::string temp = folder + "/" + prefix + "XXXXXX";
    UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return makeError(op, path, errno);
    }
    // Held until the rename is done (through a second descriptor, as the
    // first is closed before), so that another save of this file does not
    // take this temporary for one that an interrupted save left behind.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);
    const UniqueFd lockHolder(::dup(fd.get()));
    auto fail = [&](int code) {
        ::unlink(temp.c_str());
        return makeError(op, path, code);
    };
    if (!writeAll(calls, fd.get(), bytes)) {
        return fail(errno);
    }
    if (::fchmod(fd.get(), mode) != 0 || calls.fsync(fd.get()) != 0) {
        return fail(errno);
    }
    if (calls.close(fd.release()) != 0) {
        return fail(errno);
    }
    if (calls.rename(temp.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // Make the rename itself durable; a failure here cannot undo the save.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        calls.fsync(dir.get());
    }
    removeStaleTemporaries(folder, prefix);
    return std::monostate{};
}

} // namespace quilby
