#include "help/HelpLocator.h"

#include <unistd.h>

#include <system_error>

namespace quilby {

namespace fs = std::filesystem;

const char* manualFileName(std::string_view language) {
    struct Translation {
        std::string_view language;
        const char* fileName;
    };
    static constexpr Translation kTranslations[] = {
        {"en", "quilby-manual.en.html"},
    };
    for (const Translation& t : kTranslations) {
        if (t.language == language) {
            return t.fileName;
        }
    }
    return kManualFileName;
}

std::vector<fs::path> manualCandidates(const fs::path& binaryDir, const fs::path& sourceDataDir,
                                       const char* fileName) {
    std::vector<fs::path> out;
    if (!binaryDir.empty()) {
        out.push_back((binaryDir / ".." / "share" / "quilby" / fileName).lexically_normal());
        out.push_back((binaryDir / fileName).lexically_normal());
    }
    if (!sourceDataDir.empty()) {
        // "<source>/data/" names the same folder as "<source>/data".
        fs::path data = sourceDataDir.lexically_normal();
        if (!data.has_filename()) {
            data = data.parent_path();
        }
        out.push_back((data.parent_path() / "docs" / "manual" / fileName).lexically_normal());
    }
    return out;
}

std::optional<fs::path> findManual(const fs::path& binaryDir, const fs::path& sourceDataDir,
                                   const char* fileName) {
    for (const fs::path& p : manualCandidates(binaryDir, sourceDataDir, fileName)) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec) && ::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

std::optional<fs::path> findManual(const fs::path& binaryDir, const char* fileName) {
    return findManual(binaryDir, fs::path(QUILBY_DATA_DIR), fileName);
}

} // namespace quilby
