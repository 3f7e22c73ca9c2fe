#include "cli/TableJson.h"

#include "cli/Json.h"
#include "document/Cp949.h"

#include <ostream>

namespace quilby {

void writePositionsJsonArray(std::ostream& out, const KeyTableData& table) {
    out << '[';
    for (std::size_t k = 0; k < kKeyPositions; ++k) {
        const auto& def = table.keyTable[k];
        out << (k ? ",\n  " : "\n  ") << "{\"index\": " << k
            << ", \"count\": " << table.entryCounts[k] << ", \"codes\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "") << static_cast<int>(def.codes[e]);
        }
        out << "], \"words\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "") << def.words[e];
        }
        out << "], \"labels\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "");
            writeJsonString(out, cp949ToUtf8(def.labels[e]));
        }
        out << "]}";
    }
    out << "\n]";
}

void writeTableJson(std::ostream& out, const KeyTableData& table) {
    out << "{\"positions\": ";
    writePositionsJsonArray(out, table);
    out << "}\n";
}

} // namespace quilby
