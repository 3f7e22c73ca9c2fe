#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace quilby;

namespace {

KeyTableData loadedEmptyTable() {
    KeyTableData t;
    t.tableLoaded = true;
    return t;
}

constexpr std::uint8_t kLetterScans[] = {0x1e, 0x30, 0x2e, 0x20, 0x12, 0x21, 0x22,
                                         0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31,
                                         0x18, 0x19, 0x10, 0x13, 0x1f, 0x14};

// The events of typing letter n (0-19) alone: key-down, its character, key-up.
std::vector<KeyEvent> letterEvents(int n) {
    const auto vk = static_cast<std::uint8_t>('A' + n);
    const auto scan = kLetterScans[n];
    return {{KeyEventKind::KeyDown, vk, scan},
            {KeyEventKind::Character, static_cast<std::uint8_t>('a' + n), scan},
            {KeyEventKind::KeyUp, vk, scan}};
}

} // namespace

// One plain letter: its character event becomes an entry; BackSpace takes it
// away again so the position never fills.
static void BM_TranslateLetter(benchmark::State& state) {
    KeyEditor editor;
    editor.initialise(loadedEmptyTable());
    KeyCapture capture(editor);
    const KeyEvent character{KeyEventKind::Character, 'a', 0x1e};
    const KeyEvent backSpace{KeyEventKind::KeyDown, vk::BackSpace, 14};
    for (auto _ : state) {
        benchmark::DoNotOptimize(capture.captureKeyEvent(character, {}));
        benchmark::DoNotOptimize(capture.captureKeyEvent(backSpace, {}));
    }
}
BENCHMARK(BM_TranslateLetter);

// Shift held and a, all five events, which stores the Shift entry and "A";
// two BackSpaces undo it.
static void BM_TranslateShiftedLetter(benchmark::State& state) {
    KeyEditor editor;
    editor.initialise(loadedEmptyTable());
    KeyCapture capture(editor);
    const KeyEvent events[] = {
        {KeyEventKind::KeyDown, vk::Shift, 42},    {KeyEventKind::KeyDown, 'A', 0x1e},
        {KeyEventKind::Character, 'A', 0x1e},      {KeyEventKind::KeyUp, 'A', 0x1e},
        {KeyEventKind::KeyUp, vk::Shift, 42},      {KeyEventKind::KeyDown, vk::BackSpace, 14},
        {KeyEventKind::KeyDown, vk::BackSpace, 14}};
    for (auto _ : state) {
        for (const auto& e : events) {
            benchmark::DoNotOptimize(capture.captureKeyEvent(e, {}));
        }
    }
}
BENCHMARK(BM_TranslateShiftedLetter);

// A whole position typed from scratch: the editor opens on an empty table
// and 20 letters are typed (60 events), filling position 00.
static void BM_TypeFullPositionFromScratch(benchmark::State& state) {
    std::vector<KeyEvent> events;
    for (int n = 0; n < kEntriesPerKey; ++n) {
        for (const auto& e : letterEvents(n)) {
            events.push_back(e);
        }
    }
    const KeyTableData empty = loadedEmptyTable();
    KeyEditor editor;
    for (auto _ : state) {
        editor.initialise(empty);
        KeyCapture capture(editor);
        for (const auto& e : events) {
            benchmark::DoNotOptimize(capture.captureKeyEvent(e, {}));
        }
        benchmark::DoNotOptimize(editor.currentEntry());
    }
    if (editor.currentCount() != kEntriesPerKey) {
        state.SkipWithError("the position did not fill");
    }
}
BENCHMARK(BM_TypeFullPositionFromScratch);
