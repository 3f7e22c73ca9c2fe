#include "app/TableEdit.h"

#include <stdexcept>

namespace quilby {

namespace {

KeyDefinition definitionOf(const PositionEntries& entries) {
    if (entries.size() > static_cast<std::size_t>(kEntriesPerKey)) {
        throw std::length_error("a key position holds at most 20 entries");
    }
    KeyDefinition def;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        def.Codes[i] = entries[i].Code;
        def.Words[i] = entries[i].Word;
        def.Labels[i] = entries[i].Label;
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
    table.KeyTable[at(key)] = std::move(def);
    table.EntryCounts[at(key)] = static_cast<std::int32_t>(entries.size());
}

void TableEdit::add(const KeyTableData& table, int key, std::int32_t countAfter,
                    const KeyDefinition& after) {
    const std::size_t k = at(key);
    if (table.EntryCounts[k] == countAfter && table.KeyTable[k] == after) {
        return;
    }
    changes_.push_back({key, table.EntryCounts[k], table.KeyTable[k], countAfter, after});
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
    edit.add(table, a, table.EntryCounts[at(b)], table.KeyTable[at(b)]);
    edit.add(table, b, table.EntryCounts[at(a)], table.KeyTable[at(a)]);
    return edit;
}

TableEdit TableEdit::between(const KeyTableData& before, const KeyTableData& after) {
    TableEdit edit;
    for (int key = 0; key < kKeyPositions; ++key) {
        const std::size_t k = at(key);
        edit.add(before, key, after.EntryCounts[k], after.KeyTable[k]);
    }
    return edit;
}

void TableEdit::apply(KeyTableData& table) const {
    for (const auto& change : changes_) {
        table.KeyTable[at(change.key)] = change.after;
        table.EntryCounts[at(change.key)] = change.countAfter;
    }
}

void TableEdit::revert(KeyTableData& table) const {
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
        table.KeyTable[at(it->key)] = it->before;
        table.EntryCounts[at(it->key)] = it->countBefore;
    }
}

} // namespace quilby
