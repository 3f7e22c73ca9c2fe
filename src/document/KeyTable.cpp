#include "document/KeyTable.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quilby {

void KeyTableData::clearTable() {
    tableLoaded = false;
    for (auto& def : keyTable) {
        def.codes.fill(0);
        def.words.fill(0);
        for (auto& label : def.labels) {
            label.clear();
        }
    }
    entryCounts.fill(0);
}

KeyEntry KeyTableData::entryAt(int key, int entry) const {
    if (!validKeyIndex(key) || !validEntryIndex(entry)) {
        throw std::out_of_range("key entry index out of range");
    }
    const auto& def = keyTable[static_cast<std::size_t>(key)];
    const auto e = static_cast<std::size_t>(entry);
    return KeyEntry{def.codes[e], def.words[e], def.labels[e]};
}

void KeyTableData::setEntry(int key, int entry, const KeyEntry& value) {
    if (!validKeyIndex(key) || !validEntryIndex(entry)) {
        throw std::out_of_range("key entry index out of range");
    }
    auto& def = keyTable[static_cast<std::size_t>(key)];
    const auto e = static_cast<std::size_t>(entry);
    def.codes[e] = value.code;
    def.words[e] = value.word;
    def.labels[e] = value.label;
}

int KeyTableData::usedEntries(int key) const {
    if (!validKeyIndex(key)) {
        throw std::out_of_range("key index out of range");
    }
    return std::clamp(entryCounts[static_cast<std::size_t>(key)], 0, kEntriesPerKey);
}

std::string keyPositionName(int key) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", key);
    return text;
}

} // namespace quilby
