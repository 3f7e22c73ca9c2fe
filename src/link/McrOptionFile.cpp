#include "link/McrOptionFile.h"

#include "common/TextMarker.h"
#include "document/FileIo.h"
#include "document/ShippedFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quilby {

namespace {

std::string absoluteFolder(const std::string& folder) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(folder.empty() ? "." : folder, ec);
    if (ec) {
        return folder;
    }
    return absolute.lexically_normal().string();
}

std::string filePath(const std::string& folder) {
    return (std::filesystem::path(folder.empty() ? "." : folder) / kMcrOptionFileName).string();
}

McrFileError fail(McrFileError::Operation op, const std::string& folder, int code) {
    McrFileError error{op, absoluteFolder(folder), code, {}};
    if (op == McrFileError::Operation::Read && code == ENOENT) {
        if (const auto copy = findShippedFile(kMcrOptionFileName)) {
            error.shippedCopy = copy->string();
        }
    }
    return error;
}

// Opens the existing file (never creating it) and checks it is a regular one:
// a folder, a pipe or a device of that name is refused, not waited on.
int openExisting(const std::string& folder, int flags, int& error) {
    const int fd = ::open(filePath(folder).c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::string McrFileError::message() const {
    const std::string name(kMcrOptionFileName);
    if (operation == Operation::Read && code == ENOENT) {
        std::string text =
            name + " was not found in the folder " + folder + " (the program does not create it)";
        if (!shippedCopy.empty()) {
            text += "; copy " + shippedCopy + " (head code disabled) there";
        }
        return text;
    }
    std::string text =
        std::string(operation == Operation::Read ? "cannot read " : "cannot write ") + name +
        " in the folder " + folder + ": " +
        (code == ENODEV ? "not a regular file" : std::strerror(code));
    if (operation == Operation::Write) {
        text += "; the MCR option was not changed";
    }
    return text;
}

McrStoredOption parseMcrOption(std::string_view firstBytes) {
    McrStoredOption stored;
    const char first = firstBytes.empty() ? '\0' : firstBytes[0];
    stored.option = (first >= '0' && first <= '9') ? first - '0' : 0;
    if (stored.option != McrCannotUse && stored.option != McrDisabled) {
        for (std::size_t i = 1; i < 3 && i < firstBytes.size() && firstBytes[i] != '\0'; ++i) {
            stored.headCode += firstBytes[i];
        }
    }
    return stored;
}

std::variant<McrStoredOption, McrFileError> readMcrOption(const std::string& folder) {
    constexpr auto op = McrFileError::Operation::Read;
    int error = 0;
    UniqueFd fd(openExisting(folder, O_RDONLY, error));
    if (fd.get() < 0) {
        return fail(op, folder, error);
    }
    char bytes[3] = {};
    std::size_t done = 0;
    while (done < sizeof bytes) {
        const ssize_t n = ::read(fd.get(), bytes + done, sizeof bytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return fail(op, folder, errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return parseMcrOption(std::string_view(bytes, done));
}

std::optional<McrFileError> loadMcrOption(const std::string& folder, KeyTableData& document) {
    auto result = readMcrOption(folder);
    if (auto* error = std::get_if<McrFileError>(&result)) {
        return *error;
    }
    auto& stored = std::get<McrStoredOption>(result);
    document.mcrOption = stored.option;
    document.mcrHeadCode = std::move(stored.headCode);
    return std::nullopt;
}

McrOptionRecord mcrOptionRecord(int headCodeChoice) {
    static constexpr std::string_view kHeadCodes[] = {"", "", "ff", "?", ";"};
    McrOptionRecord record;
    const int option = headCodeChoice + 1;
    // Only the option buttons' values exist; anything else stores "nothing
    // chosen" rather than a byte that is not a digit.
    record.option = (option >= McrCannotUse && option <= McrHeadSemicolon) ? option : McrCannotUse;
    record.headCode = kHeadCodes[record.option];
    record.bytes[0] = static_cast<std::uint8_t>('0' + record.option);
    for (std::size_t i = 0; i < record.headCode.size(); ++i) {
        record.bytes[i + 1] = static_cast<std::uint8_t>(record.headCode[i]);
    }
    return record;
}

std::optional<McrFileError> writeMcrOption(const std::string& folder,
                                           const std::array<std::uint8_t, 4>& bytes) {
    constexpr auto op = McrFileError::Operation::Write;
    int error = 0;
    UniqueFd fd(openExisting(folder, O_WRONLY, error));
    if (fd.get() < 0) {
        return fail(op, folder, error);
    }
    // The whole record in one write at offset 0: the first 4 bytes end up as
    // the option digit, its head code and zero fill, nothing beyond is touched.
    ssize_t n = 0;
    do {
        n = ::pwrite(fd.get(), bytes.data(), bytes.size(), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return fail(op, folder, errno);
    }
    if (static_cast<std::size_t>(n) != bytes.size()) {
        return fail(op, folder, ENOSPC);
    }
    if (fd.close() != 0) {
        return fail(op, folder, errno);
    }
    return std::nullopt;
}

std::optional<std::string_view> mcrShowStatusText(int option) {
    switch (option) {
    case McrCannotUse:
        return QUILBY_TEXT("McrOptionFile", "현재 MCR Head Code 사용 불가 상태입니다!");
    case McrDisabled:
        return QUILBY_TEXT("McrOptionFile", "현재 MCR Head Code  사용 안함 상태 입니다.");
    case McrHeadFf:
        return QUILBY_TEXT("McrOptionFile", "현재 MCR Head Code  'ff' 사용 상태 입니다.");
    case McrHeadQuestion:
        return QUILBY_TEXT("McrOptionFile", "현재 MCR Head Code  '?' 사용 상태 입니다.");
    case McrHeadSemicolon:
        return QUILBY_TEXT("McrOptionFile", "현재 MCR Head Code  ';' 사용 상태 입니다.");
    default:
        return std::nullopt;
    }
}

std::optional<std::string_view> mcrApplyStatusText(int option) {
    switch (option) {
    case McrDisabled:
        return QUILBY_TEXT("McrOptionFile", "Now, MCR Head Code Disabled!");
    case McrHeadFf:
        return QUILBY_TEXT("McrOptionFile", "Now, MCR Head Code 'ff' ");
    case McrHeadQuestion:
        return QUILBY_TEXT("McrOptionFile", "Now, MCR Head Code '?' ");
    case McrHeadSemicolon:
        return QUILBY_TEXT("McrOptionFile", "Now, MCR Head Code ';' ");
    default:
        return std::nullopt;
    }
}

std::optional<int> mcrHeadCodeChoiceOf(int option) {
    if (option >= McrCannotUse && option <= McrHeadSemicolon) {
        return option - 1;
    }
    return std::nullopt;
}

} // namespace quilby
