#include "editing/DefaultKeyTable.h"

#include "editing/KeyButtonGrid.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"

#include <array>
#include <stdexcept>
#include <string>
#include <variant>

namespace quilby {

namespace {

constexpr int kBlockSize = 7;
using Block = std::array<std::array<std::string_view, kBlockSize>, kBlockSize>;

// Keys that cannot be typed into the editor as themselves (Esc, BackSpace,
// the arrows, "00") are entered by their Ctrl+Shift+letter chords; Alt and a
// digit make the Alt entry and the digit's Alt word.

// Positions 00-48, row by row, as the viewer's left block shows them.
constexpr Block kLeftBlock = {{
    {"+ctrl +shift j -shift -ctrl", "tab", "alt 1", "alt 2", "alt 3", "alt 4", "alt 5"},
    {"a", "b", "c", "d", "e", "f", "g"},
    {"h", "i", "j", "k", "l", "m", "n"},
    {"o", "p", "q", "r", "s", "t", "u"},
    {"v", "w", "x", "y", "z", "+shift 1 -shift", "+shift 2 -shift"},
    {"+shift 3 -shift", "+shift 4 -shift", "+shift 5 -shift", "+shift 7 -shift", "+shift ; -shift",
     "+shift 9 -shift", "+shift 0 -shift"},
    {"\\", "+shift / -shift", ";", "+shift , -shift", "+shift . -shift", ",", "+shift - -shift"},
}};

// Positions 49-97, row by row, as the viewer's right block shows them. The
// digits are those of the main keyboard; /, *, - and + those of the keypad.
constexpr Block kRightBlock = {{
    {"+shift ` -shift", "f1", "f7", "home", "pgup", "+ctrl +shift n -shift -ctrl",
     "+ctrl +shift p -shift -ctrl"},
    {"`", "f2", "f8", "end", "pgdn", "+ctrl +shift o -shift -ctrl", "+ctrl +shift q -shift -ctrl"},
    {"+shift \\ -shift", "f3", "f9", "kp/", "kp*", "kp-", "kp+"},
    {"=", "f4", "f10", "7", "8", "9", "del"},
    {"+shift ' -shift", "f5", "f11", "4", "5", "6", "ins"},
    {"+shift [ -shift", "f6", "f12", "1", "2", "3", ""}, // the long keycap has no code
    {"+shift ] -shift", "space", "+ctrl +shift m -shift -ctrl", "0", "+ctrl +shift r -shift -ctrl",
     ".", "enter"},
}};

} // namespace

std::string_view defaultKeyScript(int position) {
    if (!validKeyIndex(position)) {
        throw std::out_of_range("key position out of range");
    }
    const bool right = position >= kBlockSize * kBlockSize;
    const int inBlock = right ? position - kBlockSize * kBlockSize : position;
    const Block& block = right ? kRightBlock : kLeftBlock;
    return block[static_cast<std::size_t>(inBlock / kBlockSize)]
                [static_cast<std::size_t>(inBlock % kBlockSize)];
}

KeyTableData buildDefaultKeyTable() {
    KeyTableData empty; // tableLoaded false: the editor starts on an empty table
    KeyEditor editor;
    editor.initialise(empty);
    KeyCapture capture(editor);
    CaptureKeyboard keyboard(capture);
    for (int position = 0; position < kKeyPositions; ++position) {
        const auto fail = [position](const std::string& why) {
            throw std::logic_error("default key table, position " + keyPositionName(position) +
                                   ": " + why);
        };
        const auto steps = parseKeyScript(defaultKeyScript(position));
        if (const auto* error = std::get_if<std::string>(&steps)) {
            fail(*error);
        }
        // As the arrow keys select a position; each starts empty.
        editor.selectPlace(keyButtonPlace(position));
        const long beeps = editor.beepCount();
        keyboard.play(std::get<std::vector<KeyScriptStep>>(steps));
        if (editor.beepCount() != beeps) {
            fail("a keystroke was refused");
        }
        if (capture.state() != KeyCapture::State{}) {
            fail("a modifier is left pending");
        }
        if (editor.currentKey() != position) {
            fail("the keystrokes moved to another position");
        }
    }
    KeyTableData table;
    (void)editor.commitTable(table);
    table.tableLoaded = true;
    return table;
}

} // namespace quilby
