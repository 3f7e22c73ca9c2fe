#include "document/FileIo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

// Follows a symbolic link so that saving replaces the file it names, not the
// link itself. A path that does not exist yet is used as given.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string koreanReason(int code) {
    switch (code) {
    case ENOENT:
        return "파일이나 폴더가 없습니다.";
    case EACCES:
    case EPERM:
        return "접근 권한이 없습니다.";
    case EROFS:
        return "읽기 전용 파일 시스템입니다.";
    case EISDIR:
        return "파일이 아니라 폴더입니다.";
    case ENOSPC:
    case EDQUOT:
        return "디스크 공간이 부족합니다.";
    case EFBIG:
        return "파일이 너무 커서 키 파일일 수 없습니다.";
    case ENODEV:
        return "일반 파일이 아닙니다.";
    case ENOTDIR:
        return "경로의 일부가 폴더가 아닙니다.";
    case ENAMETOOLONG:
        return "파일 이름이 너무 깁니다.";
    case EIO:
        return "입출력 오류가 발생했습니다.";
    default:
        return std::strerror(code);
    }
}

std::string FileError::message() const {
    std::string reason;
    switch (code) {
    case EFBIG:
        reason = "file too large to be a key table";
        break;
    case ENODEV:
        reason = "not a regular file";
        break;
    default:
        reason = std::strerror(code);
        break;
    }
    return std::string(operation == Operation::Read ? "cannot read " : "cannot write ") + path +
           ": " + reason;
}

std::string FileError::messageKorean() const {
    return path + "\n" +
           (operation == Operation::Read ? "파일을 읽을 수 없습니다: "
                                         : "파일을 저장할 수 없습니다: ") +
           koreanReason(code);
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

std::variant<std::monostate, FileError> saveFileAtomically(const std::string& path,
                                                           const std::string& bytes) {
    constexpr auto op = FileError::Operation::Write;
    const std::string target = resolveTarget(path);

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
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return makeError(op, path, errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = folderOf(target);
    std::string temp = folder + "/." + baseNameOf(target) + ".XXXXXX";
    UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return makeError(op, path, errno);
    }
    auto fail = [&](int code) {
        ::unlink(temp.c_str());
        return makeError(op, path, code);
    };
    if (!writeAll(fd.get(), bytes)) {
        return fail(errno);
    }
    if (::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0) {
        return fail(errno);
    }
    if (fd.close() != 0) {
        return fail(errno);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // Make the rename itself durable; a failure here cannot undo the save.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    return std::monostate{};
}

} // namespace quilby
