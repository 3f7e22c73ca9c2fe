#pragma once

#include "common/TextMarker.h"
#include "document/KeyTable.h"
#include "editing/KeyButtonGrid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

class KeyDocument;

// The entries of the current position are shown as words and as labels,
// each cut into four groups of five entries. The eight lists, in the order
// they stand under the key grid: the words of a group above its labels.
enum class EntryList : std::uint8_t {
    Words1To5,
    Labels1To5,
    Words6To10,
    Labels6To10,
    Words11To15,
    Labels11To15,
    Words16To20,
    Labels16To20,
};
inline constexpr int kEntryListCount = 8;
inline constexpr int kEntryGroups = 4;
inline constexpr int kEntriesPerGroup = 5;

inline constexpr std::array<EntryList, kEntryListCount> kEntryLists = {
    EntryList::Words1To5,   EntryList::Labels1To5,   EntryList::Words6To10,
    EntryList::Labels6To10, EntryList::Words11To15,  EntryList::Labels11To15,
    EntryList::Words16To20, EntryList::Labels16To20,
};

// The list of words, or of labels, that shows group `group` (0-3).
constexpr EntryList wordList(int group) {
    return static_cast<EntryList>(2 * group);
}
constexpr EntryList labelList(int group) {
    return static_cast<EntryList>(2 * group + 1);
}
// A list's place in kEntryLists, top to bottom.
constexpr std::size_t entryListIndex(EntryList list) {
    return static_cast<std::size_t>(list);
}

// What a key edit dialog renders, reported as it changes. Every default does
// nothing, so a renderer overrides only what it shows.
class KeyEditorObserver {
public:
    virtual ~KeyEditorObserver() = default;

    // `text` is the item as shown: "%04x" for a word, the label's code page
    // 949 bytes for a label.
    virtual void entryListItemAppended(EntryList list, const std::string& text) {
        (void)list;
        (void)text;
    }
    virtual void entryListItemRemoved(EntryList list, int index) {
        (void)list;
        (void)index;
    }
    virtual void captionChanged(std::string_view caption) { (void)caption; }
    // The control at `place` of the focus ring takes the focus; after an arrow
    // key it is also marked as the default button.
    virtual void focusGiven(int place, bool markedDefault) {
        (void)place;
        (void)markedDefault;
    }
    // The button at `place` loses its default-button mark.
    virtual void buttonMarkedPlain(int place) { (void)place; }
    virtual void beep() {}
};

// The data of the key edit dialog without any widget: the working copy of the
// table, the position being edited and the entries shown for it. Entries are
// only ever appended at, and removed from, the end of the current position.
class KeyEditor {
public:
    // Captions, marked for translation in the context "KeyEditor".
    static constexpr std::string_view kNewTableCaption =
        QUILBY_TEXT("KeyEditor", "NEW POS keyboard : BackSpace = Input key Delete!");
    static constexpr std::string_view kEditTableCaption =
        QUILBY_TEXT("KeyEditor", "VARO POS keyboard EDIT : BackSpace = Input key Delete!");

    explicit KeyEditor(KeyEditorObserver* observer = nullptr) : observer_(observer) {}

    void setObserver(KeyEditorObserver* observer) { observer_ = observer; }

    // Opens the editor on `document`: its table and counts are copied as they
    // are when tableLoaded is set (edit caption), else the editor starts empty
    // under the new-table caption. Position `startKey` (00 unless a caller
    // opens the editor on a chosen key) is current, focused and shown; an
    // invalid one falls back to 00.
    void initialise(const KeyTableData& document, int startKey = 0);

    // The working copy; only KeyTable and EntryCounts carry meaning here.
    const KeyTableData& workingTable() const { return working_; }
    int currentKey() const { return currentKey_; }
    int currentEntry() const { return currentEntry_; }
    // The focus ring place of the current key button (98: the list view).
    int currentPlace() const { return currentPlace_; }
    const std::string& caption() const { return caption_; }

    // The entries of the current position as the editor sees them: its count
    // forced into 0..20, so a damaged count from a file never makes it read or
    // show more than the 20 slots.
    int currentCount() const;

    // Items of `list`, in display order.
    const std::vector<std::string>& entryList(EntryList list) const;
    // Number of entries shown, that is items in the word lists.
    int shownEntries() const;

    long beepCount() const { return beeps_; }

    // Writes slot `slot` (0-19) of the current position and shows it as the
    // last item of its group. The count is the caller's business. A label
    // that breaks the table's rules (TableRules.h) is refused with a beep.
    void appendEntry(int slot, std::uint8_t code, std::uint16_t word, std::string_view label);

    // Removes the last entry of the current position (BackSpace); nothing on
    // an empty position.
    void deleteLastEntry();

    // Removes the entries shown after index `start` that the keystroke being
    // translated appended, and makes `start` the last entry index again. The
    // count is left alone: the keystroke had not raised it.
    void takeBackEntries(int start);

    // OK: copies every slot of every position and all 98 counts into
    // `document`. The caller marks the document modified, which OK always does.
    struct CommitOutcome {
        bool markDocumentModified = true;
    };
    [[nodiscard]] CommitOutcome commitTable(KeyTableData& document) const;
    // The same into the program's document, marking it modified.
    void commitTable(KeyDocument& document) const;

    // Shows the entries of the current position and makes currentEntry its
    // last index (-1 when it has none).
    void showCurrentKey();
    // Empties the eight entry lists.
    void clearEntryLists();

    // Makes the control at focus ring `place` current (an arrow key's move):
    // the previous button turns plain, the new one takes the focus as default
    // button, its key position becomes current and is shown.
    void selectPlace(int place);

    // Used by the keystroke translation while it builds a keystroke's entries.
    void setCurrentEntry(int entry);
    // Sets the count of the current position (0-20).
    void setCurrentCount(int count);

    void beep();

private:
    KeyDefinition& currentDefinition();
    void showEntry(int slot);
    void clearSlot(int slot);
    void removeShownEntry(int slot);

    KeyEditorObserver* observer_ = nullptr;
    KeyTableData working_;
    int currentKey_ = 0;
    int currentEntry_ = -1;
    int currentPlace_ = 0;
    std::string caption_{kNewTableCaption};
    std::array<std::vector<std::string>, kEntryListCount> entryLists_;
    long beeps_ = 0;
};

// "%04x": how the editor shows a word.
std::string formatWord(std::uint16_t word);

} // namespace quilby
