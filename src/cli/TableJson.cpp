#include "cli/TableJson.h"

#include "cli/Json.h"
#include "document/Cp949.h"

#include <ostream>

namespace quilby {

void writePositionsJsonArray(std::ostream& out, const KeyTableData& table) {
    out << '[';
    for (std::size_t k = 0; k < kKeyPositions; ++k) {
        const auto& def = table.KeyTable[k];
        out << (k ? ",\n  " : "\n  ") << "{\"index\": " << k
            << ", \"count\": " << table.EntryCounts[k] << ", \"codes\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "") << static_cast<int>(def.Codes[e]);
        }
        out << "], \"words\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "") << def.Words[e];
        }
        out << "], \"labels\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out << (e ? ", " : "");
            writeJsonString(out, cp949ToUtf8(def.Labels[e]));
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
