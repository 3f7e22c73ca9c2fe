#include "editing/KeyEditor.h"

#include "document/KeyDocument.h"
#include "document/TableRules.h"

#include <algorithm>
#include <stdexcept>

namespace quilby {

std::string formatWord(std::uint16_t word) {
    // By hand: formatting every typed entry through printf shows in a table's import.
    static constexpr std::string_view kHex = "0123456789abcdef";
    return {kHex[word >> 12], kHex[(word >> 8) & 0xF], kHex[(word >> 4) & 0xF], kHex[word & 0xF]};
}

void KeyEditor::initialise(const KeyTableData& document, int startKey) {
    clearEntryLists();
    currentKey_ = validKeyIndex(startKey) ? startKey : 0;
    currentEntry_ = -1;
    currentPlace_ = keyButtonPlace(currentKey_);
    beeps_ = 0;
    working_.clearTable();
    if (document.tableLoaded) {
        // Taken as it is, spare slots included: OK writes them back unchanged.
        working_.keyTable = document.keyTable;
        working_.entryCounts = document.entryCounts;
        caption_ = kEditTableCaption;
    } else {
        caption_ = kNewTableCaption;
    }
    if (observer_) {
        observer_->captionChanged(caption_);
        observer_->focusGiven(currentPlace_, false);
    }
    showCurrentKey();
}

int KeyEditor::currentCount() const {
    return working_.usedEntries(currentKey_);
}

const std::vector<std::string>& KeyEditor::entryList(EntryList list) const {
    return entryLists_.at(entryListIndex(list));
}

int KeyEditor::shownEntries() const {
    std::size_t n = 0;
    for (int group = 0; group < kEntryGroups; ++group) {
        n += entryList(wordList(group)).size();
    }
    return static_cast<int>(n);
}

KeyDefinition& KeyEditor::currentDefinition() {
    return working_.keyTable[static_cast<std::size_t>(currentKey_)];
}

void KeyEditor::appendEntry(int slot, std::uint8_t code, std::uint16_t word,
                            std::string_view label) {
    if (!validEntryIndex(slot)) {
        throw std::out_of_range("entry slot out of range");
    }
    // The table's label rules hold here too: an entry the file could not
    // take is not added (the editor beeps, as for any key it refuses).
    if (labelRuleBreak(label)) {
        beep();
        return;
    }
    working_.setEntry(currentKey_, slot, KeyEntry{code, word, std::string(label)});
    showEntry(slot);
}

void KeyEditor::showEntry(int slot) {
    const auto& def = currentDefinition();
    const auto e = static_cast<std::size_t>(slot);
    const int group = slot / kEntriesPerGroup;
    const std::pair<EntryList, std::string> items[] = {
        {wordList(group), formatWord(def.words[e])},
        {labelList(group), def.labels[e]},
    };
    for (const auto& [list, text] : items) {
        entryLists_[entryListIndex(list)].push_back(text);
        if (observer_) {
            observer_->entryListItemAppended(list, text);
        }
    }
}

void KeyEditor::clearSlot(int slot) {
    working_.setEntry(currentKey_, slot, KeyEntry{});
}

void KeyEditor::removeShownEntry(int slot) {
    const int group = slot / kEntriesPerGroup;
    const int index = slot % kEntriesPerGroup;
    for (const EntryList list : {wordList(group), labelList(group)}) {
        auto& items = entryLists_[entryListIndex(list)];
        if (index < static_cast<int>(items.size())) {
            items.erase(items.begin() + index);
            if (observer_) {
                observer_->entryListItemRemoved(list, index);
            }
        }
    }
}

void KeyEditor::deleteLastEntry() {
    // No step for a full key: whenever a key arrives, the last entry is the
    // count less one, for a full key too (a damaged count is shown as 20).
    if (currentEntry_ < 0) {
        return;
    }
    const int last = currentEntry_;
    clearSlot(last);
    // The count becomes the deleted index rather than "one less": the same for
    // every sound count, and a count beyond 20 from a damaged file still ends
    // in step with what is shown.
    working_.entryCounts[static_cast<std::size_t>(currentKey_)] = last;
    removeShownEntry(last);
    --currentEntry_;
}

void KeyEditor::takeBackEntries(int start) {
    start = std::max(start, -1);
    for (int shown = shownEntries(); shown - 1 > start; --shown) {
        clearSlot(shown - 1);
        removeShownEntry(shown - 1);
    }
    currentEntry_ = start;
}

KeyEditor::CommitOutcome KeyEditor::commitTable(KeyTableData& document) const {
    document.keyTable = working_.keyTable;
    document.entryCounts = working_.entryCounts;
    return CommitOutcome{};
}

void KeyEditor::commitTable(KeyDocument& document) const {
    if (commitTable(document.data()).markDocumentModified) {
        document.setModified(true);
    }
}

void KeyEditor::showCurrentKey() {
    const int count = currentCount();
    for (int i = 0; i < count; ++i) {
        showEntry(i);
    }
    currentEntry_ = count - 1;
}

void KeyEditor::clearEntryLists() {
    for (const EntryList list : kEntryLists) {
        auto& items = entryLists_[entryListIndex(list)];
        while (!items.empty()) {
            items.erase(items.begin());
            if (observer_) {
                observer_->entryListItemRemoved(list, 0);
            }
        }
    }
}

void KeyEditor::selectPlace(int place) {
    if (!validFocusPlace(place)) {
        throw std::out_of_range("focus ring place out of range");
    }
    if (observer_) {
        observer_->buttonMarkedPlain(currentPlace_);
    }
    currentPlace_ = place;
    if (observer_) {
        observer_->focusGiven(place, true);
    }
    currentEntry_ = -1;
    currentKey_ = focusPlaceKeyNumber(place);
    clearEntryLists();
    showCurrentKey();
}

void KeyEditor::setCurrentEntry(int entry) {
    if (entry < -1 || entry >= kEntriesPerKey) {
        throw std::out_of_range("current entry out of range");
    }
    currentEntry_ = entry;
}

void KeyEditor::setCurrentCount(int count) {
    if (count < 0 || count > kEntriesPerKey) {
        throw std::out_of_range("entry count out of range");
    }
    working_.entryCounts[static_cast<std::size_t>(currentKey_)] = count;
}

void KeyEditor::beep() {
    ++beeps_;
    if (observer_) {
        observer_->beep();
    }
}

} // namespace quilby
