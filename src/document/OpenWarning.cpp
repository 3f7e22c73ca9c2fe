#include "document/OpenWarning.h"

#include <algorithm>

namespace quilby {

std::optional<OpenWarning> openWarningFor(const std::string& path, const KeyFileReport& report,
                                          std::size_t maxLines) {
    std::vector<const KeyFileFinding*> suspicious;
    for (const KeyFileFinding& f : report.findings) {
        // An empty file opens as the empty table a new document is: there is
        // nothing in it to download, and saving over it loses nothing.
        if (!f.isNote() && f.kind != KeyFileFinding::Kind::EmptyFile) {
            suspicious.push_back(&f);
        }
    }
    if (suspicious.empty()) {
        return std::nullopt;
    }
    std::stable_partition(suspicious.begin(), suspicious.end(),
                          [](const KeyFileFinding* f) { return f->line == 0; });
    OpenWarning warning;
    warning.path = path;
    const std::size_t shown = std::min(maxLines, suspicious.size());
    for (std::size_t i = 0; i < shown; ++i) {
        warning.findings.push_back(*suspicious[i]);
    }
    warning.moreFindings = static_cast<int>(suspicious.size() - shown) + report.omittedFindings;
    return warning;
}

bool holdsNoKeyTable(const KeyFileReport& report) {
    const bool empty =
        std::any_of(report.findings.begin(), report.findings.end(), [](const KeyFileFinding& f) {
            return f.kind == KeyFileFinding::Kind::EmptyFile;
        });
    return report.completeBlocks == 0 && !empty;
}

} // namespace quilby
