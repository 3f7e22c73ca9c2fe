#pragma once

#include "document/KeyTable.h"

#include <string>
#include <vector>

namespace quilby {

// What one position holds, as the table edits move it: its entries in use.
// Slots past the count are not part of it; writing it clears them.
using PositionEntries = std::vector<KeyEntry>;

// The entries in use at `key` (its count forced into 0..20).
PositionEntries entriesAt(const KeyTableData& table, int key);

// Replaces the entries of `key` with `entries` (at most 20; more are refused
// with std::length_error before anything changes) and clears the other slots.
void putEntries(KeyTableData& table, int key, const PositionEntries& entries);

// One undoable change of the table: the positions it touches with their full
// state (all 20 slots and the raw count) before and after. Applying and
// reverting restore exactly, spare slots and damaged counts included.
class TableEdit {
public:
    struct Change {
        int key = 0;
        std::int32_t countBefore = 0;
        KeyDefinition before;
        std::int32_t countAfter = 0;
        KeyDefinition after;
    };

    // Paste: `key` takes `entries`.
    static TableEdit replace(const KeyTableData& table, int key, const PositionEntries& entries);
    // Delete (and the second half of Cut): `key` becomes empty.
    static TableEdit clear(const KeyTableData& table, int key);
    // Drag and drop: the two positions exchange their contents whole.
    static TableEdit swap(const KeyTableData& table, int a, int b);
    // Everything that differs between two states of the table (a key
    // editor's OK); empty when nothing changed.
    static TableEdit between(const KeyTableData& before, const KeyTableData& after);

    void apply(KeyTableData& table) const;
    void revert(KeyTableData& table) const;

    bool empty() const { return changes_.empty(); }
    const std::vector<Change>& changes() const { return changes_; }

private:
    void add(const KeyTableData& table, int key, std::int32_t countAfter,
             const KeyDefinition& after);

    std::vector<Change> changes_;
};

} // namespace quilby
