#include "document/ShippedFiles.h"

#include <unistd.h>

#include <system_error>

namespace quilby {

namespace fs = std::filesystem;

std::vector<fs::path> shippedFileCandidates(const fs::path& binaryDir,
                                            const fs::path& sourceDataDir, std::string_view name) {
    std::vector<fs::path> out;
    if (!binaryDir.empty()) {
        out.push_back((binaryDir / ".." / "share" / "quilby" / name).lexically_normal());
    }
    if (!sourceDataDir.empty()) {
        out.push_back((sourceDataDir / name).lexically_normal());
    }
    return out;
}

std::optional<fs::path> findShippedFile(const fs::path& binaryDir, const fs::path& sourceDataDir,
                                        std::string_view name) {
    for (const fs::path& p : shippedFileCandidates(binaryDir, sourceDataDir, name)) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec) && ::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<fs::path> findShippedFile(std::string_view name) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return findShippedFile(ec ? fs::path() : exe.parent_path(), fs::path(QUILBY_DATA_DIR), name);
}

} // namespace quilby
