#include "editing/KeyScript.h"
#include "editing/KeyTrace.h"

#include <gtest/gtest.h>

using namespace quilby;

TEST(KeyScript, NamesGiveThePhysicalKeys) {
    struct Case {
        const char* name;
        PcKey key;
    };
    const Case cases[] = {
        {"q", {16, false, 0x51}},      {"m", {50, false, 0x4d}},
        {"1", {2, false, 0x31}},       {"0", {11, false, 0x30}},
        {"-", {12, false, 0xbd}},      {"\\", {43, false, 0xdc}},
        {"`", {41, false, 0xc0}},      {"enter", {28, false, 0x0d}},
        {"kpenter", {28, true, 0x0d}}, {"ctrl", {29, false, 0x11}},
        {"rctrl", {29, true, 0x11}},   {"alt", {56, false, 0x12}},
        {"ralt", {56, true, 0x12}},    {"rshift", {54, false, 0x10}},
        {"kp/", {53, true, 0x6f}},     {"/", {53, false, 0xbf}},
        {"kp7", {71, false, 0x24}},    {"home", {71, true, 0x24}},
        {"kp.", {83, false, 0x2e}},    {"del", {83, true, 0x2e}},
        {"f10", {68, false, 0x79}},    {"f11", {87, false, 0x7a}},
        {"pause", {69, false, 0x13}},  {"num", {69, false, 0x90}},
        {"lwin", {91, true, 0x5b}},    {"prtsc", {55, true, 0x2c}},
        {"kp*", {55, false, 0x6a}},    {"hangul", {114, false, 0x15}},
        {"menu", {93, true, 0x5d}},
    };
    for (const auto& c : cases) {
        const auto key = pcKeyByName(c.name);
        ASSERT_TRUE(key.has_value()) << c.name;
        EXPECT_EQ(*key, c.key) << c.name;
    }
    // Every letter and digit key carries its own virtual-key code.
    for (char ch = 'a'; ch <= 'z'; ++ch) {
        EXPECT_EQ(pcKeyByName(std::string(1, ch))->vk, ch - 'a' + 'A') << ch;
    }
    for (char ch = '0'; ch <= '9'; ++ch) {
        EXPECT_EQ(pcKeyByName(std::string(1, ch))->vk, ch) << ch;
    }
    for (const char* unknown : {"", "A", "kp", "f13", "f0", "+", "shift+a", "esc "}) {
        EXPECT_FALSE(pcKeyByName(unknown).has_value()) << unknown;
    }
}

TEST(KeyScript, ScriptsSplitIntoPressesAndReleases) {
    using A = KeyScriptStep::Action;
    const auto key = [](const char* name) { return *pcKeyByName(name); };
    struct Case {
        const char* script;
        std::vector<KeyScriptStep> steps;
    };
    const Case cases[] = {
        {"", {}},
        {"+shift 1 -shift",
         {{A::Press, key("shift")}, {A::Tap, key("1")}, {A::Release, key("shift")}}},
        {"  a\tb\n", {{A::Tap, key("a")}, {A::Tap, key("b")}}},
        // A lone sign is the minus key; a sign before it presses or releases it.
        {"- +- --", {{A::Tap, key("-")}, {A::Press, key("-")}, {A::Release, key("-")}}},
    };
    for (const auto& c : cases) {
        const auto parsed = parseKeyScript(c.script);
        ASSERT_TRUE(std::holds_alternative<std::vector<KeyScriptStep>>(parsed)) << c.script;
        EXPECT_EQ(std::get<std::vector<KeyScriptStep>>(parsed), c.steps) << c.script;
    }
    const auto bad = parseKeyScript("a +Shift xyz");
    ASSERT_TRUE(std::holds_alternative<std::string>(bad));
    EXPECT_EQ(std::get<std::string>(bad), "unknown key name 'Shift'");
}

// What the capture is given: a character only after a key-down it did not
// consume, none after Esc (the dialog closes), and system keys while Alt is down.
TEST(KeyScript, KeyboardGivesTheCaptureWhatThePcDelivers) {
    struct Case {
        const char* script;
        bool captureEnabled;
        LockStates toggles;
        std::vector<std::string> events;
        int cancels;
    };
    const LockStates off{};
    const LockStates num{true, false};
    const Case cases[] = {
        {"a", true, off, {"keydown 0x41 30", "char 0x61 30", "keyup 0x41 30"}, 0},
        {"tab", true, off, {"keydown 0x09 15", "keyup 0x09 15"}, 0},
        {"tab", false, off, {"keydown 0x09 15", "char 0x09 15", "keyup 0x09 15"}, 0},
        {"esc", true, off, {"keydown 0x1b 1", "keyup 0x1b 1"}, 1},
        {"esc", false, off, {"keydown 0x1b 1", "keyup 0x1b 1"}, 1},
        {"+ctrl c -ctrl",
         true,
         off,
         {"keydown 0x11 29", "keydown 0x43 46", "char 0x03 46", "keyup 0x43 46", "keyup 0x11 29"},
         0},
        {"+alt a -alt",
         true,
         off,
         {"syskeydown 0x12 56", "syskeydown 0x41 30", "syskeyup 0x41 30", "syskeyup 0x12 56"},
         0},
        {"+a +a -a",
         false,
         off,
         {"keydown 0x41 30", "char 0x61 30", "keydown 0x41 30", "char 0x61 30", "keyup 0x41 30"},
         0},
        {"+shift kp7 -shift",
         true,
         num,
         {"keydown 0x10 42", "keyup 0x10 42", "keydown 0x24 71", "keyup 0x24 71", "keydown 0x10 42",
          "keyup 0x10 42"},
         0},
        {"kp7", false, num, {"keydown 0x67 71", "char 0x37 71", "keyup 0x67 71"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        KeyTableData doc;
        doc.tableLoaded = true;
        KeyEditor editor;
        editor.initialise(doc);
        KeyCapture capture(editor);
        capture.setCaptureEnabled(c.captureEnabled);
        CaptureKeyboard keyboard(capture, c.toggles);
        std::vector<std::string> events;
        keyboard.setListener([&](const KeyEvent& e, LockStates locks, CaptureOutcome) {
            events.push_back(formatKeyTraceEvent(e));
            EXPECT_EQ(locks, c.toggles);
        });
        keyboard.play(std::get<std::vector<KeyScriptStep>>(parseKeyScript(c.script)));
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(keyboard.cancels(), c.cancels);
    }
}
