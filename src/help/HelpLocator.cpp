#include "help/HelpLocator.h"

#include <unistd.h>

#include <system_error>

namespace quilby {

namespace fs = std::filesystem;

std::vector<fs::path> manualCandidates(const fs::path& binaryDir, const fs::path& sourceDataDir) {
    std::vector<fs::path> out;
    if (!binaryDir.empty()) {
        out.push_back((binaryDir / ".." / "share" / "quilby" / kManualFileName).lexically_normal());
        out.push_back((binaryDir / kManualFileName).lexically_normal());
    }
    if (!sourceDataDir.empty()) {
        // "<source>/data/" names the same folder as "<source>/data".
        fs::path data = sourceDataDir.lexically_normal();
        if (!data.has_filename()) {
            data = data.parent_path();
        }
        out.push_back(
            (data.parent_path() / "docs" / "manual" / kManualFileName).lexically_normal());
    }
    return out;
}

std::optional<fs::path> findManual(const fs::path& binaryDir, const fs::path& sourceDataDir) {
    for (const fs::path& p : manualCandidates(binaryDir, sourceDataDir)) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec) && ::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<fs::path> findManual(const fs::path& binaryDir) {
    return findManual(binaryDir, fs::path(QUILBY_DATA_DIR));
}

} // namespace quilby
