#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quilby {

inline constexpr int kKeyPositions = 98;
inline constexpr int kEntriesPerKey = 20;
// A label line holds 15 values, so a label holds at most 15 bytes.
inline constexpr std::size_t kLabelValues = 15;

// One key position: up to 20 keystrokes, each a code byte (what the keyboard
// receives), a PC scan/character word and a label in code page 949 bytes.
struct KeyDefinition {
    std::array<std::uint8_t, kEntriesPerKey> codes{};
    std::array<std::uint16_t, kEntriesPerKey> words{};
    std::array<std::string, kEntriesPerKey> labels{};

    bool operator==(const KeyDefinition&) const = default;
};

// Entry i of a KeyDefinition: its code, word and label taken together.
struct KeyEntry {
    std::uint8_t code = 0;
    std::uint16_t word = 0;
    std::string label;

    bool operator==(const KeyEntry&) const = default;
};

using KeyTable = std::array<KeyDefinition, kKeyPositions>;
using EntryCounts = std::array<std::int32_t, kKeyPositions>;

// MCR head-code options as the EPROM & MCR dialog numbers them.
enum McrOptionValue : std::int32_t {
    McrCannotUse = 0,
    McrDisabled = 1,
    McrHeadFf = 2,
    McrHeadQuestion = 3,
    McrHeadSemicolon = 4,
};

// The document's data. Everything the program edits lives here; the MCR
// fields travel with the document but not with the .KEY file.
struct KeyTableData {
    std::string mcrHeadCode;
    std::int32_t mcrOption = McrCannotUse;
    bool tableLoaded = false;
    quilby::EntryCounts entryCounts{};
    quilby::KeyTable keyTable{};

    // Empties every position and clears tableLoaded; the MCR fields survive.
    void clearTable();

    // Entry `entry` of position `key`; both indexes must be in range.
    KeyEntry entryAt(int key, int entry) const;
    void setEntry(int key, int entry, const KeyEntry& value);

    // The count of a position forced into 0..20, so no reader of the table
    // ever walks past the 20 entries whatever a file or caller put there.
    int usedEntries(int key) const;

    bool sameTable(const KeyTableData& other) const {
        return entryCounts == other.entryCounts && keyTable == other.keyTable;
    }
};

inline bool validKeyIndex(int key) {
    return key >= 0 && key < kKeyPositions;
}
inline bool validEntryIndex(int entry) {
    return entry >= 0 && entry < kEntriesPerKey;
}

// Position numbers are shown as two decimal digits: "00" to "97".
std::string keyPositionName(int key);

} // namespace quilby
