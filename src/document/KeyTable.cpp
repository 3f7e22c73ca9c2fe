#include "document/KeyTable.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quilby {

void KeyTableData::ClearTable() {
    TableLoaded = 0;
    for (auto& def : KeyTable) {
        def.Codes.fill(0);
        def.Words.fill(0);
        for (auto& label : def.Labels) {
            label.clear();
        }
    }
    EntryCounts.fill(0);
}

KeyEntry KeyTableData::entryAt(int key, int entry) const {
    if (!validKeyIndex(key) || !validEntryIndex(entry)) {
        throw std::out_of_range("key entry index out of range");
    }
    const auto& def = KeyTable[static_cast<std::size_t>(key)];
    const auto e = static_cast<std::size_t>(entry);
    return KeyEntry{def.Codes[e], def.Words[e], def.Labels[e]};
}

void KeyTableData::setEntry(int key, int entry, const KeyEntry& value) {
    if (!validKeyIndex(key) || !validEntryIndex(entry)) {
        throw std::out_of_range("key entry index out of range");
    }
    auto& def = KeyTable[static_cast<std::size_t>(key)];
    const auto e = static_cast<std::size_t>(entry);
    def.Codes[e] = value.Code;
    def.Words[e] = value.Word;
    def.Labels[e] = value.Label;
}

int KeyTableData::usedEntries(int key) const {
    if (!validKeyIndex(key)) {
        throw std::out_of_range("key index out of range");
    }
    return std::clamp(EntryCounts[static_cast<std::size_t>(key)], 0, kEntriesPerKey);
}

std::string keyPositionName(int key) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", key);
    return text;
}

} // namespace quilby
