#include "document/TableDiff.h"

#include "common/TextEscape.h"
#include "document/Cp949.h"

#include <algorithm>
#include <cstdio>

namespace quilby {

std::vector<PositionDifference> diffTables(const KeyTableData& a, const KeyTableData& b) {
    std::vector<PositionDifference> differences;
    for (int k = 0; k < kKeyPositions; ++k) {
        const auto i = static_cast<std::size_t>(k);
        // The raw counts: a count out of range is a difference even where
        // both are bounded to the same number.
        if (a.entryCounts[i] == b.entryCounts[i] && a.keyTable[i] == b.keyTable[i]) {
            continue;
        }
        PositionDifference position{k, a.entryCounts[i], b.entryCounts[i], {}};
        const int counted = std::max(a.usedEntries(k), b.usedEntries(k));
        for (int e = 0; e < kEntriesPerKey; ++e) {
            KeyEntry entryA = a.entryAt(k, e);
            KeyEntry entryB = b.entryAt(k, e);
            if (entryA != entryB) {
                position.entries.push_back({e, e >= counted, std::move(entryA), std::move(entryB)});
            }
        }
        differences.push_back(std::move(position));
    }
    return differences;
}

std::string differenceWordText(std::uint16_t word) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", static_cast<unsigned>(word));
    return text;
}

std::string differenceLabelText(const std::string& label) {
    return '"' + printableText(cp949ToUtf8(label)) + '"';
}

} // namespace quilby
