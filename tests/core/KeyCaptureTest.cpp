#include "editing/KeyCapture.h"
#include "editing/KeyVocabulary.h"

#include "../support/RenderingObserver.h"
#include "../support/Typist.h"

#include <gtest/gtest.h>

#include <random>

using namespace quilby;
using quilby::testing::RenderingObserver;
using quilby::testing::Typist;

namespace {

using Entries = std::vector<KeyEntry>;

const KeyEntry kShift{62, 0x0000, "Shift"};
const KeyEntry kCtrl{66, 0x0000, "Ctrl"};
const KeyEntry kAlt{67, 0x0000, "Alt"};

// An editor opened as the Key Edit command opens it, with a capture.
struct Bench {
    explicit Bench(const KeyTableData& document = loadedEmpty()) : editor(&view), capture(editor) {
        editor.initialise(document);
    }
    static KeyTableData loadedEmpty() {
        KeyTableData t;
        t.tableLoaded = true;
        return t;
    }

    Entries entries(int key) const {
        Entries out;
        const auto& t = editor.workingTable();
        for (int i = 0; i < t.usedEntries(key); ++i) {
            out.push_back(t.entryAt(key, i));
        }
        return out;
    }
    Entries entries() const { return entries(editor.currentKey()); }

    RenderingObserver view;
    KeyEditor editor;
    KeyCapture capture;
};

// A table whose position 00 already holds `count` entries of "x".
KeyTableData withEntries(int count) {
    KeyTableData t = Bench::loadedEmpty();
    for (int i = 0; i < count; ++i) {
        t.setEntry(0, i, {24, 0x2d78, "x"});
    }
    t.entryCounts[0] = count;
    return t;
}

void expectWaitingState(const Bench& b) {
    EXPECT_EQ(b.editor.currentEntry(), b.editor.currentCount() - 1);
    EXPECT_EQ(b.editor.workingTable().entryCounts[static_cast<std::size_t>(b.editor.currentKey())],
              b.editor.currentCount());
    EXPECT_TRUE(b.view.showsSameAs(b.editor));
}

} // namespace

TEST(KeyCapture, TypingMakesTheseEntries) {
    struct Case {
        const char* script;
        LockStates locks;
        Entries entries;
        int beeps;
    };
    const LockStates off{};
    const LockStates num{true, false};
    const LockStates caps{false, true};
    const Case cases[] = {
        {"a", off, {{1, 0x1e61, "a"}}, 0},
        {"+shift a -shift", off, {kShift, {1, 0x1e41, "A"}}, 0},
        {"+shift 1 -shift", off, {kShift, {41, 0x0221, "!"}}, 0},
        {"+ctrl c -ctrl", off, {kCtrl, {3, 0x2e03, "C"}}, 0},
        {"alt f6", off, {kAlt, {33, 0x6300, "F6"}}, 0},
        {"alt -", off, {kAlt, {51, 0x8200, "-"}}, 0},
        {"+ctrl - -ctrl", off, {kCtrl, {51, 0x0c1f, "-"}}, 0},
        {"+ctrl +shift a -shift -ctrl", off, {{95, 0x0000, "PrintScreen"}}, 0},
        {"enter kpenter", off, {{106, 0x1c0d, "Enter"}, {61, 0xe00d, "Enter"}}, 0},
        {"+shift tab -shift", off, {kShift, {55, 0x0f00, "Tab"}}, 0},
        {"kp7", num, {{84, 0x4737, "Home7"}}, 0},
        {"kp7", off, {{84, 0x4700, "Home7"}}, 0},
        {"+shift kp7 -shift", num, {kShift, {84, 0x4700, "Home7"}}, 0},
        {"a", caps, {kShift, {1, 0x1e41, "A"}}, 0},
        {"+shift a -shift", caps, {kShift, {1, 0x1e61, "a"}}, 0},
        {"shift a", caps, {}, 1},
        // Further combinations worth pinning.
        {"+ctrl +shift z -shift -ctrl", off, {}, 1},
        {"+ctrl +shift y -shift -ctrl", off, {{105, 0x0000, "\xC7\xD1\xC0\xDA"}}, 0},
        {"+ctrl +shift m -shift -ctrl", off, {{54, 0x0e08, "BackSpace"}}, 0},
        {"+ctrl +shift n -shift -ctrl", off, {{75, 0x48e0, "Up"}}, 0},
        {"shift a", off, {}, 1},
        {"shift 1", off, {}, 1},
        {"+ctrl 1 -ctrl", off, {}, 1},
        {"+ctrl 2 -ctrl", off, {kCtrl, {42, 0x0300, "2"}}, 0},
        {"+ctrl o -ctrl", off, {kCtrl, {15, 0x180f, "O"}}, 0},
        {"+ctrl [ -ctrl", off, {kCtrl, {56, 0x1a1b, "["}}, 0},
        {"ctrl a", off, {}, 1},
        {"ctrl = a", off, {{1, 0x1e61, "a"}}, 0},
        {"+alt f6 -alt", off, {kAlt, {33, 0x6300, "F6"}}, 0},
        {"+alt a -alt", off, {kAlt, {1, 0x1e00, "A"}}, 0},
        {"alt 1", off, {kAlt, {41, 0x7800, "1"}}, 0},
        {"alt ;", off, {kAlt, {59, 0x2700, ";"}}, 0},
        {"alt . a", off, {{1, 0x1e61, "a"}}, 0},
        {"alt kp5", off, {}, 2},
        {"alt esc enter", off, {kAlt, {106, 0x1c0a, "Enter"}}, 0},
        {"alt home", off, {kAlt, {71, 0x9700, "Home"}}, 0},
        {"f10", off, {{37, 0x4400, "F10"}}, 0},
        {"+shift f1 -shift", off, {kShift, {28, 0x5400, "F1"}}, 0},
        {"+ctrl f12 -ctrl", off, {kCtrl, {39, 0x8c00, "F12"}}, 0},
        {"del ins kp/ kp* kp- kp+",
         off,
         {{70, 0x53e0, "Delete"},
          {69, 0x52e0, "Insert"},
          {80, 0xe02f, "/"},
          {81, 0x372a, "*"},
          {82, 0x4a2d, "-"},
          {83, 0x4e2b, "+"}},
         0},
        {"space ' `", off, {{68, 0x3920, "Space"}, {60, 0x2827, "'"}, {40, 0x2960, "`"}}, 0},
        {"+shift ; -shift", off, {kShift, {59, 0x273a, ":"}}, 0},
        {"shift ;", off, {}, 1},
        {"+shift kp. -shift", off, {kShift, {94, 0x532e, "Del."}}, 0},
        {"+ctrl +shift a -shift -ctrl", num, {{95, 0x0000, "PrintScreen"}}, 0},
        {"+ctrl +shift 1 -shift -ctrl", off, {}, 1},
        {"+ctrl a -ctrl", caps, {kCtrl, {1, 0x1e01, "A"}}, 0},
        {"+shift a -shift", LockStates{true, true}, {kShift, {1, 0x1e61, "a"}}, 0},
        // Each row of the capture's tables once: Alt's own rows, the keypad and
        // function keys under Alt, the grey editing keys, Ctrl's silent keys.
        {"alt =", off, {kAlt, {52, 0x8300, "="}}, 0},
        {"alt [", off, {kAlt, {56, 0x1a00, "["}}, 0},
        {"alt ]", off, {kAlt, {57, 0x1b00, "]"}}, 0},
        {"alt '", off, {kAlt, {60, 0x2800, "'"}}, 0},
        {"alt \\", off, {kAlt, {53, 0x2b00, "\\"}}, 0},
        {"alt kp*", off, {kAlt, {81, 0x3700, "*"}}, 0},
        {"alt f11", off, {kAlt, {38, 0x8900, "F11"}}, 0},
        {"end pgup pgdn",
         off,
         {{72, 0x4fe0, "End"}, {73, 0x49e0, "PageUp"}, {74, 0x51e0, "PageDown"}},
         0},
        {"+ctrl , -ctrl a", off, {{1, 0x1e61, "a"}}, 0},
        {"+ctrl / -ctrl a", off, {{1, 0x1e61, "a"}}, 0},
        {"lwin esc", off, {}, 0},
        {"caps a", off, {kShift, {1, 0x1e41, "A"}}, 0},
        {"bs bs", off, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typing \"") + c.script + "\" num " +
                     std::to_string(c.locks.numLock) + " caps " + std::to_string(c.locks.capsLock));
        Bench b;
        Typist typist(b.capture, c.locks);
        typist.type(c.script);
        EXPECT_EQ(b.entries(), c.entries);
        EXPECT_EQ(b.view.beeps, c.beeps);
        expectWaitingState(b);
    }
}

TEST(KeyCapture, OutcomesDecideWhoElseSeesTheEvent) {
    using K = KeyEventKind;
    using O = CaptureOutcome;
    struct Case {
        const char* name;
        std::vector<KeyEvent> before;
        KeyEvent event;
        O outcome;
    };
    const Case cases[] = {
        {"letter key-down goes on to make its character",
         {},
         {K::KeyDown, 0x41, 30},
         O::NormalDelivery},
        {"a character is always consumed", {}, {K::Character, 'a', 30}, O::Consumed},
        {"Esc cancels through dialog handling", {}, {K::KeyDown, 0x1b, 1}, O::DialogHandling},
        {"Esc key-up too", {}, {K::KeyUp, 0x1b, 1}, O::DialogHandling},
        {"other key-ups are delivered", {}, {K::KeyUp, 0x41, 30}, O::NormalDelivery},
        {"Ctrl+O never reaches the main window",
         {{K::KeyDown, 0x11, 29}},
         {K::KeyDown, 0x4f, 24},
         O::DialogHandling},
        {"Ctrl+A is delivered",
         {{K::KeyDown, 0x11, 29}},
         {K::KeyDown, 0x41, 30},
         O::NormalDelivery},
        {"CapsLock", {}, {K::KeyDown, 0x14, 58}, O::DialogHandling},
        {"ScrollLock", {}, {K::KeyDown, 0x91, 70}, O::DialogHandling},
        {"NumLock", {}, {K::KeyDown, 0x90, 69}, O::Consumed},
        {"system key-down", {}, {K::SystemKeyDown, 0x41, 30}, O::Consumed},
        {"Alt pending and Esc", {{K::SystemKeyDown, 0x12, 56}}, {K::KeyDown, 0x1b, 1}, O::Consumed},
        {"Alt pending and a key-up",
         {{K::SystemKeyDown, 0x12, 56}},
         {K::KeyUp, 0x10, 42},
         O::Consumed},
        {"Alt pending and an arrow key-up",
         {{K::SystemKeyDown, 0x12, 56}},
         {K::KeyUp, 0x26, 72, true},
         O::NormalDelivery},
        {"grey arrow", {}, {K::KeyDown, 0x26, 72, true}, O::Consumed},
        {"Windows key", {}, {K::KeyDown, 0x5b, 91, true}, O::NormalDelivery},
        {"Tab is an entry, never a focus move", {}, {K::KeyDown, 0x09, 15}, O::Consumed},
        {"Enter is an entry, never OK", {}, {K::KeyDown, 0x0d, 28}, O::Consumed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        for (const auto& e : c.before) {
            b.capture.captureKeyEvent(e, {});
        }
        EXPECT_EQ(b.capture.captureKeyEvent(c.event, {}), c.outcome);
        EXPECT_FALSE(b.capture.state().passThrough);
    }
}

TEST(KeyCapture, CombinationStateAfterRefusalsAndSilentDrops) {
    struct Case {
        const char* script;
        KeyCapture::State state;
        int beeps;
    };
    const KeyCapture::State clean{};
    KeyCapture::State shiftPending{};
    shiftPending.shiftHeld = true;
    shiftPending.shiftPresses = ShiftPresses::Once;
    KeyCapture::State ctrlPending{};
    ctrlPending.ctrlHeld = true;
    KeyCapture::State altPending{};
    altPending.altHeld = true;
    KeyCapture::State ctrlStillPending = ctrlPending;
    const Case cases[] = {
        {"shift", shiftPending, 0},
        {"shift a", clean, 1}, // released Shift: Shift dropped
        {"shift shift", {true, false, false, ShiftPresses::Twice, false, false, false, true}, 0},
        {"ctrl", ctrlPending, 0},
        {"ctrl a", clean, 1}, // released Ctrl: Ctrl dropped
        {"ctrl =", clean, 0}, // dropped silently
        {"ctrl .", clean, 0},
        {"alt", altPending, 0}, // Alt's own release is ignored
        {"alt esc bs", altPending, 0},
        {"alt .", clean, 0},
        {"alt up", clean, 0}, // an arrow drops Alt
        // The locks end the combination but leave the count of Shift presses.
        {"shift ctrl caps",
         {false, false, false, ShiftPresses::Once, false, false, false, true},
         0},
        {"shift ctrl num", {false, false, false, ShiftPresses::Once, false, false, false, true}, 0},
        {"ctrl shift f1", {false, false, false, ShiftPresses::Once, false, false, false, true}, 1},
        {"shift bs", shiftPending, 0}, // BackSpace keeps the combination
        {"ctrl shift 1", {false, false, false, ShiftPresses::Once, false, false, false, true}, 1},
        {"+ctrl 1 -ctrl", clean, 1},
        {"+ctrl +shift z", {false, false, false, ShiftPresses::Once, false, false, false, true}, 1},
        {"ctrl up", ctrlStillPending, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        Bench b;
        Typist typist(b.capture);
        typist.type(c.script);
        EXPECT_EQ(b.capture.state(), c.state);
        EXPECT_EQ(b.view.beeps, c.beeps);
        expectWaitingState(b);
    }
}

TEST(KeyCapture, AutoRepeatedShiftChangesTheColumn) {
    struct Case {
        const char* script;
        Entries entries;
        int beeps;
    };
    const Case cases[] = {
        // Repeated once: the capital's normal column holds ShiftMark.
        {"+shift +shift a -shift", {kShift, {1, 0x0001, "A"}}, 0},
        // Repeated twice: the special keys have no Shift word.
        {"+shift +shift +shift +ctrl a -ctrl -shift", {}, 1},
        // Repeated further: the Shift word again, however long Shift is held.
        {"+shift +shift +shift +shift a -shift", {kShift, {1, 0x1e41, "A"}}, 0},
        {"+shift +shift +shift +shift +shift a -shift", {kShift, {1, 0x1e41, "A"}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        Bench b;
        Typist t(b.capture);
        t.type(c.script);
        EXPECT_EQ(b.entries(), c.entries);
        EXPECT_EQ(b.view.beeps, c.beeps);
    }
}

// With NumLock on, Shift is lifted for a keypad key and pressed again after
// it by the platform. Whatever order Shift and the keypad key go up in, that
// must not cost the user's next Shift combination.
TEST(KeyCapture, ShiftAroundAKeypadKeyInAnyOrderSparesTheNextShift) {
    const KeyEntry home7{84, 0x4700, "Home7"};
    const KeyEntry up8{85, 0x4800, "Up8"};
    const KeyEntry digit7{84, 0x4737, "Home7"};
    const KeyEntry shiftF1{28, 0x5400, "F1"};
    const KeyEntry plainF1{28, 0x3b00, "F1"};
    struct Case {
        const char* keypad;
        Entries entries;
    };
    const Case cases[] = {
        {"+shift +kp7 -kp7 -shift", {kShift, home7, kShift, shiftF1}},
        {"+shift +kp7 -shift -kp7", {kShift, home7, kShift, shiftF1}},
        {"+rshift +kp7 -rshift -kp7", {kShift, home7, kShift, shiftF1}},
        // Auto-repeat under the held Shift repeats the cursor key, not the digit.
        {"+shift +kp7 +kp7 -kp7 -shift", {kShift, home7, home7, kShift, shiftF1}},
        {"+shift +kp7 +kp7 -shift -kp7", {kShift, home7, home7, kShift, shiftF1}},
        // A second keypad key under the same Shift: the combination had ended.
        {"+shift +kp7 +kp8 -kp7 -kp8 -shift", {kShift, home7, up8, kShift, shiftF1}},
        {"+shift +kp7 +kp8 -shift -kp8 -kp7", {kShift, home7, up8, kShift, shiftF1}},
        // Shift released and pressed again while the keypad key is down.
        {"+shift +kp7 -shift +shift -kp7 -shift", {kShift, home7, kShift, plainF1}},
        // Both Shift keys, one released under the keypad key.
        {"+shift +rshift +kp7 -rshift -kp7 -shift", {kShift, home7, kShift, shiftF1}},
        {"+shift +rshift +kp7 -shift -rshift -kp7", {kShift, home7, kShift, shiftF1}},
        // Shift pressed after the keypad key: a Shift press of its own, so the
        // next combination counts two, as after any lone Shift press.
        {"+kp7 +shift -kp7 -shift", {digit7, kShift, plainF1}},
        {"+kp7 +shift -shift -kp7", {digit7, kShift, plainF1}},
        // A pending Shift typed onto the digit key: no platform Shift follows.
        {"shift kp7", {kShift, home7, kShift, shiftF1}},
    };
    const LockStates num{true, false};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typing \"") + c.keypad + "\" then Shift+F1");
        Bench b;
        Typist typist(b.capture, num);
        typist.type(c.keypad);
        typist.type("+shift f1 -shift");
        EXPECT_EQ(b.entries(), c.entries);
        EXPECT_EQ(b.view.beeps, 0);
        EXPECT_FALSE(b.capture.state().keypadShift);
        expectWaitingState(b);
    }
    // With CapsLock on, the same orders followed by Shift+a give a small a.
    for (const char* keypad : {"+shift +kp7 -kp7 -shift", "+shift +kp7 -shift -kp7"}) {
        SCOPED_TRACE(keypad);
        Bench b;
        Typist typist(b.capture, num);
        typist.type(keypad);
        typist.type("caps +shift a -shift");
        EXPECT_EQ(b.entries(), (Entries{kShift, home7, kShift, {1, 0x1e61, "a"}}));
    }
}

TEST(KeyCapture, FullPositionTakesNoMoreThan20Entries) {
    {
        // With 19 entries, Shift+a: the Shift entry becomes the twentieth, a is dropped.
        Bench b(withEntries(19));
        Typist t(b.capture);
        t.type("+shift a -shift");
        const auto entries = b.entries();
        ASSERT_EQ(entries.size(), 20u);
        EXPECT_EQ(entries.back(), kShift);
        EXPECT_EQ(b.view.beeps, 1);
        EXPECT_EQ(b.capture.state(), KeyCapture::State{});
        expectWaitingState(b);
        t.type("b");
        EXPECT_EQ(b.entries().size(), 20u);
        EXPECT_EQ(b.view.beeps, 2);
    }
    {
        // With 20, every keystroke beeps and drops the pending modifiers.
        Bench b(withEntries(20));
        Typist t(b.capture);
        for (const char* script :
             {"a", "+shift a -shift", "f1", "+ctrl +shift a -shift -ctrl", "enter"}) {
            const int before = b.view.beeps;
            t.type(script);
            EXPECT_EQ(b.view.beeps, before + 1) << script;
            EXPECT_FALSE(b.capture.state().shiftHeld || b.capture.state().ctrlHeld ||
                         b.capture.state().altHeld)
                << script;
        }
        EXPECT_EQ(b.entries(), Entries(20, KeyEntry{24, 0x2d78, "x"}));
        EXPECT_EQ(b.editor.currentCount(), 20);
        // BackSpace still frees a slot.
        t.type("bs a");
        EXPECT_EQ(b.entries().back(), (KeyEntry{1, 0x1e61, "a"}));
        expectWaitingState(b);
    }
}

TEST(KeyCapture, RefusedKeystrokeLeavesEntriesAndSparesAlone) {
    KeyTableData doc = withEntries(3);
    doc.setEntry(0, 3, {9, 0x0909, "spare3"});
    doc.setEntry(0, 4, {9, 0x0909, "spare4"});
    Bench b(doc);
    Typist t(b.capture);
    t.type("shift 1"); // the Shift entry is written and taken back
    EXPECT_EQ(b.view.beeps, 1);
    EXPECT_EQ(b.editor.currentCount(), 3);
    EXPECT_EQ(b.editor.currentEntry(), 2);
    // The slot the Shift entry used is cleared; the key's own slot was never written.
    EXPECT_EQ(b.editor.workingTable().entryAt(0, 3), KeyEntry{});
    EXPECT_EQ(b.editor.workingTable().entryAt(0, 4).label, "spare4");
    expectWaitingState(b);
}

TEST(KeyCapture, InputMethodBytesBeyondTheTableAreRefused) {
    for (int code : {220, 0xb0, 255}) {
        Bench b;
        b.capture.captureKeyEvent({KeyEventKind::KeyDown, 0x10, 42}, {});
        EXPECT_EQ(b.capture.captureKeyEvent(
                      {KeyEventKind::Character, static_cast<std::uint8_t>(code), 0}, {}),
                  CaptureOutcome::Consumed);
        if (code >= 220) {
            EXPECT_EQ(b.entries(), Entries{}) << code;
            EXPECT_EQ(b.view.beeps, 1) << code;
            EXPECT_FALSE(b.capture.state().shiftHeld);
        }
        expectWaitingState(b);
    }
}

TEST(KeyCapture, ArrowsSelectPositionsAndKeepPendingModifiers) {
    KeyTableData doc = Bench::loadedEmpty();
    doc.setEntry(43, 0, {1, 0x1e61, "a"});
    doc.entryCounts[43] = 1;
    Bench b(doc);
    Typist t(b.capture);
    t.type("+shift up");
    EXPECT_EQ(b.editor.currentKey(), 43);
    EXPECT_EQ(b.editor.currentEntry(), 0);
    EXPECT_EQ(b.editor.entryList(EntryList::Labels1To5), std::vector<std::string>{"a"});
    EXPECT_TRUE(b.capture.state().shiftHeld);
    t.type("b -shift");
    EXPECT_EQ(b.entries(43), (Entries{{1, 0x1e61, "a"}, kShift, {2, 0x3042, "B"}}));
    t.type("down");
    EXPECT_EQ(b.editor.currentKey(), 0);
    t.type("left");
    EXPECT_EQ(b.editor.currentPlace(), kListViewPlace);
    EXPECT_EQ(b.editor.currentKey(), 0);
    t.type("up right");
    EXPECT_EQ(b.editor.currentKey(), 43);
    // Keypad 8 is not a grey arrow: with NumLock off it is an entry.
    t.type("kp8");
    EXPECT_EQ(b.entries(43).back(), (KeyEntry{85, 0x4800, "Up8"}));
    EXPECT_EQ(b.editor.currentKey(), 43);
    expectWaitingState(b);
}

TEST(KeyCapture, CaptureSwitchedOffPassesEverythingOn) {
    Bench b;
    b.capture.setCaptureEnabled(false);
    Typist t(b.capture);
    t.type("a +shift b -shift esc f10 bs");
    for (const auto& s : t.sent) {
        EXPECT_EQ(s.outcome, CaptureOutcome::NormalDelivery);
    }
    EXPECT_EQ(b.entries(), Entries{});
}

// Long random event streams, checked after every single event.
TEST(KeyCapture, RandomStreamsKeepTheEditorConsistent) {
    const std::uint8_t codes[] = {0x08, 0x09, 0x0d, 0x10, 0x11, 0x12, 0x14, 0x1b, 0x20, 0x24,
                                  0x25, 0x26, 0x27, 0x28, 0x2d, 0x2e, 0x31, 0x41, 0x4f, 0x5a,
                                  0x61, 0x70, 0x79, 0x90, 0x91, 0xba, 0xbd, 0xbe, 0xde, 0xdc};
    const std::uint8_t scans[] = {1,  2,  11, 12, 13, 14, 15, 24, 26, 28, 29, 30, 39,
                                  40, 42, 43, 44, 52, 53, 55, 56, 58, 59, 68, 69, 70,
                                  71, 72, 75, 76, 77, 80, 82, 83, 87, 88, 91};
    std::mt19937 random(20240611);
    for (int stream = 0; stream < 40; ++stream) {
        KeyTableData doc = Bench::loadedEmpty();
        if (stream % 4 == 1) {
            doc = withEntries(18);
        } else if (stream % 4 == 2) {
            doc.entryCounts[0] = 40; // damaged counts must stay harmless
            doc.entryCounts[43] = -7;
        }
        Bench b(doc);
        LockStates locks;
        for (int i = 0; i < 3000; ++i) {
            KeyEvent e;
            e.kind = static_cast<KeyEventKind>(random() % 5);
            if (e.kind == KeyEventKind::Character) {
                e.code = static_cast<std::uint8_t>(random() % 256);
            } else {
                e.code = codes[random() % std::size(codes)];
            }
            e.scan = scans[random() % std::size(scans)];
            e.extended = random() % 4 == 0;
            if (random() % 50 == 0) {
                locks.numLock = !locks.numLock;
            }
            if (random() % 50 == 0) {
                locks.capsLock = !locks.capsLock;
            }
            const auto beepsBefore = b.view.beeps;
            b.capture.captureKeyEvent(e, locks);

            const auto& table = b.editor.workingTable();
            const int key = b.editor.currentKey();
            const int count = table.entryCounts[static_cast<std::size_t>(key)];
            ASSERT_GE(key, 0);
            ASSERT_LE(key, 97);
            const bool damaged = count < 0 || count > 20;
            if (!damaged) {
                ASSERT_EQ(b.editor.currentEntry(), count - 1) << "event " << i;
            }
            ASSERT_EQ(b.editor.currentEntry(), b.editor.currentCount() - 1) << "event " << i;
            ASSERT_EQ(b.editor.shownEntries(), b.editor.currentCount()) << "event " << i;
            ASSERT_TRUE(b.view.showsSameAs(b.editor)) << "event " << i;
            ASSERT_EQ(b.view.badRemovals, 0);
            ASSERT_LE(b.view.beeps - beepsBefore, 2);
            ASSERT_FALSE(b.capture.state().passThrough) << "event " << i;
            if (!damaged) {
                for (int s = count; s < kEntriesPerKey; ++s) {
                    ASSERT_EQ(table.entryAt(key, s), KeyEntry{}) << "slot " << s << " event " << i;
                }
            }
            for (int s = 0; s < b.editor.currentCount(); ++s) {
                const auto& def = table.keyTable[static_cast<std::size_t>(key)];
                ASSERT_EQ(b.editor.entryList(wordList(s / 5))[static_cast<std::size_t>(s % 5)],
                          formatWord(def.words[static_cast<std::size_t>(s)]));
            }
        }
        for (int k = 0; k < kKeyPositions; ++k) {
            const int c = b.editor.workingTable().entryCounts[static_cast<std::size_t>(k)];
            EXPECT_TRUE((c >= 0 && c <= 20) || c == doc.entryCounts[static_cast<std::size_t>(k)])
                << "position " << k;
        }
    }
}
