// A stream of keyboard events through the key editor's capture, on an empty
// table or on one read from the input: after every event the counts stay in
// 0..20, the editor stands on its last entry, and its entry lists (its own and
// what it reported to a view) show exactly the entries of the table.
#include "FuzzCheck.h"

#include "document/KeyFileReader.h"
#include "editing/KeyCapture.h"
#include "tests/support/RenderingObserver.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quilby;

namespace {

// Four bytes per event: kind and flags, code, scan code, lock toggles.
constexpr std::size_t kEventSize = 4;

void checkEditor(const KeyEditor& editor, const testing::RenderingObserver& view) {
    const KeyTableData& table = editor.workingTable();
    for (int key = 0; key < kKeyPositions; ++key) {
        const int count = table.entryCounts[static_cast<std::size_t>(key)];
        FUZZ_CHECK(count >= 0 && count <= kEntriesPerKey);
    }
    const int key = editor.currentKey();
    FUZZ_CHECK(validKeyIndex(key));
    FUZZ_CHECK(editor.currentEntry() == editor.currentCount() - 1);
    FUZZ_CHECK(editor.shownEntries() == editor.currentCount());
    const KeyDefinition& def = table.keyTable[static_cast<std::size_t>(key)];
    for (int slot = 0; slot < editor.currentCount(); ++slot) {
        const int group = slot / kEntriesPerGroup;
        const auto index = static_cast<std::size_t>(slot % kEntriesPerGroup);
        FUZZ_CHECK(editor.entryList(wordList(group)).at(index) ==
                   formatWord(def.words[static_cast<std::size_t>(slot)]));
        FUZZ_CHECK(editor.entryList(labelList(group)).at(index) ==
                   def.labels[static_cast<std::size_t>(slot)]);
    }
    FUZZ_CHECK(view.showsSameAs(editor));
    FUZZ_CHECK(view.badRemovals == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte says how the editor opens: on a new table, or on a table
    // read from the bytes after the events.
    const bool fromFile = (data[0] & 1) != 0;
    const std::size_t events = fromFile ? (data[0] >> 1) : (size - 1) / kEventSize;
    const std::size_t eventBytes = std::min(events * kEventSize, size - 1);

    KeyTableData document;
    if (fromFile) {
        readKeyFile(std::string_view(reinterpret_cast<const char*>(data) + 1 + eventBytes,
                                     size - 1 - eventBytes),
                    document);
    }
    testing::RenderingObserver view;
    KeyEditor editor(&view);
    KeyCapture capture(editor);
    editor.initialise(document);
    checkEditor(editor, view);

    LockStates locks;
    for (std::size_t at = 1; at + kEventSize <= 1 + eventBytes; at += kEventSize) {
        KeyEvent event;
        event.kind = static_cast<KeyEventKind>(data[at] % 5);
        event.extended = (data[at] & 0x80) != 0;
        event.code = data[at + 1];
        event.scan = data[at + 2];
        locks.numLock ^= (data[at + 3] & 1) != 0;
        locks.capsLock ^= (data[at + 3] & 2) != 0;
        capture.captureKeyEvent(event, locks);
        checkEditor(editor, view);
    }

    KeyTableData committed;
    (void)editor.commitTable(committed);
    FUZZ_CHECK(committed.sameTable(editor.workingTable()));
    return 0;
}
