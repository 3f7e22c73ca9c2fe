#pragma once

#include "document/KeyTable.h"

#include <cstdint>
#include <string>

namespace quilby::testing {

// A table with every position full: 20 entries with distinct codes and words
// and labels that mix ASCII, double-byte code page 949 text and labels of
// 15 bytes and more, so every branch of the writer and reader is exercised.
inline KeyTableData fullTable() {
    static const std::string labels[] = {"a",
                                         "Esc",
                                         "F1",
                                         "\xBF\xA3\xC5\xCD",
                                         /* 엔터 */ "\xC7\xD1/\xBF\xB5", /* 한/영 */
                                         "Ctrl+Alt+Del",
                                         "LongLabel123456",
                                         /* 15 bytes */ "VeryLongLabel-17b", /* 17 */
                                         "\xC7\xD1\xC0\xDA",
                                         /* 한자 */ "-",
                                         "0",
                                         "NumLock"};
    KeyTableData t;
    for (int k = 0; k < kKeyPositions; ++k) {
        auto& def = t.keyTable[static_cast<std::size_t>(k)];
        t.entryCounts[static_cast<std::size_t>(k)] = 20;
        for (int e = 0; e < kEntriesPerKey; ++e) {
            const auto i = static_cast<std::size_t>(e);
            def.codes[i] = static_cast<std::uint8_t>((k * 7 + e * 13) % 256);
            def.words[i] = static_cast<std::uint16_t>((k * 977 + e * 4099) % 65536);
            def.labels[i] = labels[static_cast<std::size_t>(k + e) % std::size(labels)];
        }
    }
    t.tableLoaded = true;
    return t;
}

} // namespace quilby::testing
