#include "document/OpenWarning.h"

#include <algorithm>

namespace quilby {

std::optional<OpenWarning> openWarningFor(const KeyFileReport& report, std::size_t maxLines) {
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
    const std::size_t shown = std::min(maxLines, suspicious.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const KeyFileFinding& f = *suspicious[i];
        warning.lines.push_back(f.line > 0 ? "줄 " + std::to_string(f.line) + ": " + f.message
                                           : f.message);
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

std::string openWarningText(const std::string& displayPath, const OpenWarning& warning) {
    std::string text = displayPath + "\n\n키 테이블 파일로 보기에 이상한 점이 있습니다:\n";
    for (const std::string& line : warning.lines) {
        text += "\n- " + line;
    }
    if (warning.moreFindings > 0) {
        text += "\n- 그 밖에 " + std::to_string(warning.moreFindings) + "건";
    }
    text += "\n\n파일은 열었지만, 다운로드하거나 저장하기 전에 내용을 확인하십시오.";
    return text;
}

} // namespace quilby
