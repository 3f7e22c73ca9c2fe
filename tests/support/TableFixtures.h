#pragma once

#include "document/KeyTable.h"

#include <cstdint>
#include <string>

namespace quilby::testing {

// A table with every position full: 20 entries with distinct codes and words
// and labels that mix ASCII, double-byte code page 949 text and labels of
// 15 bytes (all a label may hold), so every branch of the writer and reader is exercised.
inline KeyTableData fullTable() {
    static const std::string labels[] = {"a",
                                         "Esc",
                                         "F1",
                                         "\xBF\xA3\xC5\xCD",
                                         /* 엔터 */ "\xC7\xD1/\xBF\xB5", /* 한/영 */
                                         "Ctrl+Alt+Del",
                                         "LongLabel123456",
                                         /* 15 bytes */ "VeryLongLabel15",
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

// The file format written without the writer's rules, for tests that need a
// file the program itself would refuse to write (long labels, control bytes,
// broken text).
inline std::string keyFileText(const KeyTableData& t) {
    std::string out;
    for (int k = 0; k < kKeyPositions; ++k) {
        const auto& def = t.keyTable[static_cast<std::size_t>(k)];
        for (const auto code : def.codes) {
            out += std::to_string(code) + " ";
        }
        out += "\n";
        for (const auto word : def.words) {
            out += std::to_string(word) + " ";
        }
        out += "\n" + std::to_string(t.entryCounts[static_cast<std::size_t>(k)]) + "\n";
        for (const auto& label : def.labels) {
            for (const char c : label) {
                out += std::to_string(static_cast<signed char>(c)) + " ";
            }
            for (std::size_t n = label.size(); n < 15; ++n) {
                out += "0 ";
            }
            out += "\n";
        }
        out += "\n";
    }
    return out;
}

} // namespace quilby::testing
