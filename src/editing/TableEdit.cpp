#include "editing/TableEdit.h"

#include <stdexcept>

namespace quilby {

namespace {

KeyDefinition definitionOf(const PositionEntries& entries) {
    if (entries.size() > static_cast<std::size_t>(kEntriesPerKey)) {
        throw std::length_error("a key position holds at most 20 entries");
    }
    KeyDefinition def;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        def.codes[i] = entries[i].code;
        def.words[i] = entries[i].word;
        def.labels[i] = entries[i].label;
    }
    return def;
}

std::size_t at(int key) {
    if (!validKeyIndex(key)) {
        throw std::out_of_range("key position out of range");
    }
    return static_cast<std::size_t>(key);
}

} // namespace

PositionEntries entriesAt(const KeyTableData& table, int key) {
    PositionEntries entries;
    const int count = table.usedEntries(key);
    for (int e = 0; e < count; ++e) {
        entries.push_back(table.entryAt(key, e));
    }
    return entries;
}

void putEntries(KeyTableData& table, int key, const PositionEntries& entries) {
    KeyDefinition def = definitionOf(entries);
    table.keyTable[at(key)] = std::move(def);
    table.entryCounts[at(key)] = static_cast<std::int32_t>(entries.size());
}

void TableEdit::add(const KeyTableData& table, int key, std::int32_t countAfter,
                    const KeyDefinition& after) {
    const std::size_t k = at(key);
    if (table.entryCounts[k] == countAfter && table.keyTable[k] == after) {
        return;
    }
    changes_.push_back({key, table.entryCounts[k], table.keyTable[k], countAfter, after});
}

TableEdit TableEdit::replace(const KeyTableData& table, int key, const PositionEntries& entries) {
    TableEdit edit;
    edit.add(table, key, static_cast<std::int32_t>(entries.size()), definitionOf(entries));
    return edit;
}

TableEdit TableEdit::clear(const KeyTableData& table, int key) {
    return replace(table, key, {});
}

TableEdit TableEdit::swap(const KeyTableData& table, int a, int b) {
    TableEdit edit;
    if (at(a) == at(b)) {
        return edit;
    }
    edit.add(table, a, table.entryCounts[at(b)], table.keyTable[at(b)]);
    edit.add(table, b, table.entryCounts[at(a)], table.keyTable[at(a)]);
    return edit;
}

TableEdit TableEdit::between(const KeyTableData& before, const KeyTableData& after) {
    TableEdit edit;
    for (int key = 0; key < kKeyPositions; ++key) {
        const std::size_t k = at(key);
        edit.add(before, key, after.entryCounts[k], after.keyTable[k]);
    }
    return edit;
}

void TableEdit::apply(KeyTableData& table) const {
    for (const auto& change : changes_) {
        table.keyTable[at(change.key)] = change.after;
        table.entryCounts[at(change.key)] = change.countAfter;
    }
}

void TableEdit::revert(KeyTableData& table) const {
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
        table.keyTable[at(it->key)] = it->before;
        table.entryCounts[at(it->key)] = it->countBefore;
    }
}

} // namespace quilby
