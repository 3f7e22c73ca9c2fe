#include "editing/KeyTester.h"
#include "editing/DefaultKeyTable.h"
#include "editing/KeyTrace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quilby;

namespace {

const KeyTableData& defaultTable() {
    static const KeyTableData table = buildDefaultKeyTable();
    return table;
}

// A recorded stream: trace lines, each with the millisecond it arrived.
struct TimedLine {
    std::int64_t ms;
    const char* line;
};

void play(KeyTester& tester, const std::vector<TimedLine>& stream) {
    std::string text;
    for (const auto& t : stream) {
        text += std::string(t.line) + "\n";
    }
    const auto parsed = parseKeyTrace(text);
    ASSERT_TRUE(std::holds_alternative<std::vector<KeyTraceStep>>(parsed));
    const auto& steps = std::get<std::vector<KeyTraceStep>>(parsed);
    ASSERT_EQ(steps.size(), stream.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        tester.feed(steps[i].event, {}, stream[i].ms);
    }
}

std::vector<TimedLine> keyA(std::int64_t at) {
    return {{at, "keydown 0x41 30"}, {at + 2, "char 0x61 30"}, {at + 4, "keyup 0x41 30"}};
}
std::vector<TimedLine> keyB(std::int64_t at) {
    return {{at, "keydown 0x42 48"}, {at + 2, "char 0x62 48"}, {at + 4, "keyup 0x42 48"}};
}
std::vector<TimedLine> joined(std::initializer_list<std::vector<TimedLine>> parts) {
    std::vector<TimedLine> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// Plays a key script (see KeyScript.h) from `at`, 3 ms a step.
std::int64_t typeScript(KeyTester& tester, const std::string& script, std::int64_t at) {
    const auto parsed = parseKeyScript(script);
    EXPECT_TRUE(std::holds_alternative<std::vector<KeyScriptStep>>(parsed)) << script;
    for (const auto& step : std::get<std::vector<KeyScriptStep>>(parsed)) {
        if (step.action != KeyScriptStep::Action::Release) {
            tester.press(step.key, at += 3);
        }
        if (step.action != KeyScriptStep::Action::Press) {
            tester.release(step.key, at += 3);
        }
    }
    return at;
}

// Each script typed 1 s after the last, then the last press ended.
const std::vector<KeyTester::Press>& typeApart(KeyTester& tester,
                                               const std::vector<std::string>& scripts) {
    std::int64_t ms = 0;
    for (const auto& script : scripts) {
        ms = typeScript(tester, script, ms) + 1000;
    }
    tester.finish();
    return tester.presses();
}

std::vector<std::string> labelsOf(const KeyTester::Press& press) {
    std::vector<std::string> labels;
    for (const auto& entry : press.entries) {
        labels.push_back(entry.label);
    }
    return labels;
}

} // namespace

// The keys the key editor keeps for its own duties, and a modifier typed
// alone, are listed as the special keys of the same name; Default.key holds
// Esc at 00, the arrows at 54, 55, 61, 62 and BackSpace at 93.
TEST(KeyTester, KeysTheEditorKeepsAndLoneModifiersAreListedAndMatched) {
    struct Case {
        const char* script;
        const char* label;
        std::vector<int> matches;
    };
    const Case cases[] = {
        {"esc", "Esc", {0}},
        {"bs", "BackSpace", {93}},
        {"up", "Up", {54}},
        {"left", "Left", {55}},
        {"right", "Right", {62}},
        {"down", "Down", {61}},
        {"prtsc", "PrintScreen", {}},
        {"pause", "Pause", {}},
        {"num", "NumLock", {}},
        {"caps", "CapsLock", {}},
        {"scroll", "ScrollLock", {}},
        {"lwin", "Left Window", {}},
        {"menu", "Application", {}},
        {"ctrl", "Left Ctrl", {}},
        {"rctrl", "Right Ctrl", {}},
        {"alt", "Left Alt", {}},
        {"ralt", "Right Alt", {}},
        {"shift", "Left Shift", {}},
        {"rshift", "Right Shift", {}},
        {"+shift +shift -shift", "Left Shift", {}}, // an auto-repeat is still alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        KeyTester tester(defaultTable());
        const auto& presses = typeApart(tester, {c.script});
        ASSERT_EQ(presses.size(), 1u);
        EXPECT_EQ(labelsOf(presses[0]), std::vector<std::string>{c.label});
        EXPECT_EQ(presses[0].matches, c.matches);
    }
}

// A lone modifier must not hang over the next key, nor a key typed with a
// modifier held count the modifier as alone; the keypad's arrows are keypad keys.
TEST(KeyTester, NothingAfterAModifierIsLost) {
    struct Case {
        const char* name;
        std::vector<std::string> scripts; // typed 1 s apart
        std::vector<std::vector<std::string>> labels;
    };
    const Case cases[] = {
        {"ctrl, then a", {"ctrl", "a"}, {{"Left Ctrl"}, {"a"}}},
        {"shift, then 1", {"shift", "1"}, {{"Left Shift"}, {"1"}}},
        {"alt, then a", {"alt", "a"}, {{"Left Alt"}, {"a"}}},
        // A POS key may type a modifier, then its key: as the editor takes it.
        {"alt, then 1, in one burst", {"alt 1"}, {{"Alt", "1"}}},
        {"shift, then a, in one burst", {"shift a"}, {{"Left Shift", "a"}}},
        {"ctrl, then b, in one burst", {"ctrl b"}, {{"Left Ctrl", "b"}}},
        {"ctrl and shift alone", {"ctrl shift"}, {{"Left Ctrl", "Left Shift"}}},
        {"shift held over a", {"+shift a -shift"}, {{"Shift", "A"}}},
        {"shift held over esc", {"+shift esc -shift", "a"}, {{"Esc"}, {"a"}}},
        {"ctrl held over an arrow", {"+ctrl up -ctrl", "b"}, {{"Up"}, {"b"}}},
        {"keypad 8 without NumLock", {"kp8"}, {{"Up8"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTester tester(defaultTable());
        const auto& presses = typeApart(tester, c.scripts);
        ASSERT_EQ(presses.size(), c.labels.size());
        for (std::size_t i = 0; i < presses.size(); ++i) {
            EXPECT_EQ(labelsOf(presses[i]), c.labels[i]) << i;
        }
    }
}

// One key holds 20 entries: a burst of more is cut there and its pieces marked.
TEST(KeyTester, ABurstLongerThanOneKeyIsCutAndMarked) {
    struct Case {
        int keys;
        std::vector<std::size_t> sizes;
        bool cut;
    };
    const Case cases[] = {{20, {20}, false}, {21, {20, 1}, true}, {36, {20, 16}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        KeyTester tester(defaultTable());
        std::string script;
        for (int i = 0; i < c.keys; ++i) {
            script += "a ";
        }
        const auto& presses = typeApart(tester, {script});
        ASSERT_EQ(presses.size(), c.sizes.size());
        for (std::size_t i = 0; i < presses.size(); ++i) {
            EXPECT_EQ(presses[i].entries.size(), c.sizes[i]) << i;
            EXPECT_EQ(presses[i].cut, c.cut) << i;
        }
    }
}

// The entry of a key is made by its character event, 2 ms after its key-down.
// Presses are cut at the first pause longer than the tester's, then looked
// up: positions 07 (a) and 08 (b) of the default table, and 20 set to "a b".
TEST(KeyTester, GroupsBurstsByThePauseAndMatchesExactSequences) {
    KeyTableData table = defaultTable();
    PositionEntries ab = entriesAt(table, 7);
    const PositionEntries b = entriesAt(table, 8);
    ab.insert(ab.end(), b.begin(), b.end());
    putEntries(table, 20, ab);

    struct Case {
        const char* name;
        std::vector<TimedLine> stream;
        std::vector<std::vector<int>> matches; // one list per press
    };
    const Case cases[] = {
        {"one key", keyA(0), {{7}}},
        {"two keys apart", joined({keyA(0), keyB(400)}), {{7}, {8}}},
        {"one burst", joined({keyA(0), keyB(30)}), {{20}}},
        {"pause exactly at the limit", joined({keyA(0), keyB(250)}), {{20}}},
        {"no position holds it", joined({keyB(0), keyA(20)}), {{}}},
        {"releases and shift alone type nothing",
         {{0, "keydown 0x10 42"}, {5, "keyup 0x10 42"}, {600, "keyup 0x41 30"}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyTester tester(table);
        play(tester, c.stream);
        tester.idle(c.stream.back().ms + KeyTester::kDefaultPauseMs + 1);
        EXPECT_FALSE(tester.pressPending());
        ASSERT_EQ(tester.presses().size(), c.matches.size());
        for (std::size_t i = 0; i < c.matches.size(); ++i) {
            EXPECT_EQ(tester.presses()[i].matches, c.matches[i]) << i;
            EXPECT_FALSE(tester.presses()[i].entries.empty());
        }
    }
}

TEST(KeyTester, APressEndsOnlyAfterThePause) {
    KeyTester tester(defaultTable());
    play(tester, keyA(1000));
    EXPECT_FALSE(tester.idle(1002 + KeyTester::kDefaultPauseMs));
    EXPECT_TRUE(tester.pressPending());
    EXPECT_TRUE(tester.idle(1003 + KeyTester::kDefaultPauseMs));
    EXPECT_FALSE(tester.idle(5000));
    EXPECT_EQ(tester.presses().size(), 1u);
}

// Walking a whole keyboard that holds the default table: every key typed as
// the operator would, through the same capture as the key editor, finds the
// position it was pressed for, and nothing more than the keys pressed.
TEST(KeyTester, EveryDefaultKeyFindsItsPosition) {
    const KeyTableData& table = defaultTable();
    KeyTester tester(table);
    std::int64_t ms = 0;
    std::vector<int> pressed;
    for (int position = 0; position < kKeyPositions; ++position) {
        const auto script = defaultKeyScript(position);
        if (script.empty()) {
            continue;
        }
        pressed.push_back(position);
        const auto parsed = parseKeyScript(script);
        for (const auto& step : std::get<std::vector<KeyScriptStep>>(parsed)) {
            if (step.action != KeyScriptStep::Action::Release) {
                tester.press(step.key, ms += 3);
            }
            if (step.action != KeyScriptStep::Action::Press) {
                tester.release(step.key, ms += 3);
            }
        }
        ms += 1000;
    }
    tester.finish();
    ASSERT_EQ(tester.presses().size(), pressed.size());
    for (std::size_t i = 0; i < pressed.size(); ++i) {
        const auto& matches = tester.presses()[i].matches;
        EXPECT_NE(std::find(matches.begin(), matches.end(), pressed[i]), matches.end())
            << keyPositionName(pressed[i]);
    }
}

// How the running list writes a press: every entry as its word and label,
// then the positions that hold it or the phrase for none.
TEST(KeyTester, APressIsWrittenAsItsEntriesAndItsPositions) {
    const KeyEntry a{1, 0x1e61, "a"};
    const KeyEntry enter{106, 0x1c0d, "\xBF\xA3\xC5\xCD"}; // 엔터
    struct Case {
        const char* name;
        KeyTester::Press press;
        PressWording wording;
        std::string text;
    };
    const Case cases[] = {
        {"one position", {{a}, {7}}, {}, "1e61 a  →  키 07"},
        {"labels in UTF-8, positions in order",
         {{a, enter}, {0, 20, 97}},
         {},
         "1e61 a, 1c0d 엔터  →  키 00, 20, 97"},
        {"no position", {{enter}, {}}, {}, "1c0d 엔터  →  일치하는 키 없음"},
        {"a translated wording", {{a}, {7, 8}}, {"no match", "keys %1"}, "1e61 a  →  keys 07, 08"},
        {"a translated no match", {{a}, {}}, {"no match", "keys %1"}, "1e61 a  →  no match"},
        {"a cut burst",
         {{a}, {}, true},
         {"no match", "keys %1", "(cut)"},
         "1e61 a (cut)  →  no match"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pressText(c.press, c.wording), c.text);
        EXPECT_EQ(pressListLine(12, c.press, c.wording), "12. " + c.text);
    }
}

// Every key press gives a line: a chord the capture refuses (with no lone
// modifier before it) is listed by its name and marked refused, in its
// place, and the key after it is listed as usual.
TEST(KeyTester, EveryKeyPressGivesALine) {
    struct Case {
        const char* script;
        std::vector<std::string> lines; // a press's labels, or "!" and the refused chord
    };
    const Case cases[] = {
        {"+ctrl +shift z -shift -ctrl", {"!Ctrl+Shift+Z", "a"}},
        {"+ctrl +shift z -shift -ctrl b", {"!Ctrl+Shift+Z", "b", "a"}},
        {"+ctrl +shift 1 -shift -ctrl", {"!Ctrl+Shift+1", "a"}},
        {"+rctrl +rshift f5 -rshift -rctrl", {"!Ctrl+Shift+F5", "a"}},
        {"+alt . -alt", {"!Alt+.", "a"}},
        {"+shift f1 -shift", {"Shift F1", "a"}},
        {"+shift f12 -shift", {"Shift F12", "a"}},
        {"+ctrl +alt del -alt -ctrl", {"Ctrl Delete", "a"}},
        {"+ctrl +alt f4 -alt -ctrl", {"Ctrl F4", "a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        KeyTester tester(defaultTable());
        std::vector<std::string> lines;
        for (const auto& press : typeApart(tester, {c.script, "a"})) {
            std::string line = press.refusedKey.empty() ? "" : "!" + press.refusedKey;
            for (const auto& label : labelsOf(press)) {
                line += (line.empty() ? "" : " ") + label;
            }
            lines.push_back(line);
        }
        EXPECT_EQ(lines, c.lines);
    }
    KeyTester::Press refused;
    refused.refusedKey = "Ctrl+Shift+Z";
    EXPECT_EQ(pressListLine(3, refused),
              "3. Ctrl+Shift+Z  →  받을 수 없는 키 조합이라 어느 키에도 넣을 수 없음");
}
