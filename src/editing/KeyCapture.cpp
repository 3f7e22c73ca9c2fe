#include "editing/KeyCapture.h"

#include "editing/KeyVocabulary.h"
#include "editing/ScanCodes.h"

#include <optional>

namespace quilby {

namespace {

bool between(int value, int low, int high) {
    return value >= low && value <= high;
}

bool isCapitalLetter(int code) {
    return between(code, 'A', 'Z');
}
bool isSmallLetter(int code) {
    return between(code, 'a', 'z');
}
bool isLetter(int code) {
    return isCapitalLetter(code) || isSmallLetter(code);
}

// The keypad digit keys and their rows: 7, 8, 9, 4, 5, 6, 1, 2, 3, 0 and the point.
std::optional<int> keypadDigitRow(int code) {
    switch (code) {
    case scan::Keypad7:
        return kRowKeypad7;
    case scan::Keypad8:
        return kRowKeypad8;
    case scan::Keypad9:
        return kRowKeypad9;
    case scan::Keypad4:
        return kRowKeypad4;
    case scan::Keypad5:
        return kRowKeypad5;
    case scan::Keypad6:
        return kRowKeypad6;
    case scan::Keypad1:
        return kRowKeypad1;
    case scan::Keypad2:
        return kRowKeypad2;
    case scan::Keypad3:
        return kRowKeypad3;
    case scan::Keypad0:
        return kRowKeypad0;
    case scan::KeypadPoint:
        return kRowKeypadPoint;
    default:
        return std::nullopt;
    }
}

bool isKeypadDigitScan(int code) {
    return keypadDigitRow(code).has_value();
}

// The code a keypad digit key has when NumLock makes it type its digit. With
// Shift physically held it comes as its cursor key instead, Shift lifted.
bool isNumLockDigitCode(int code) {
    return between(code, vk::Numpad0, vk::Numpad9) || code == vk::Decimal;
}

// Keypad *, - and +.
std::optional<int> keypadOperatorRow(int code) {
    switch (code) {
    case scan::KeypadStar:
        return kRowKeypadStar;
    case scan::KeypadMinus:
        return kRowKeypadMinus;
    case scan::KeypadPlus:
        return kRowKeypadPlus;
    default:
        return std::nullopt;
    }
}

// Function keys F1-F12.
std::optional<int> functionKeyRow(int code) {
    if (between(code, scan::F1, scan::F10)) {
        return kRowF1 + (code - scan::F1);
    }
    if (code == scan::F11) {
        return kRowF11;
    }
    if (code == scan::F12) {
        return kRowF12;
    }
    return std::nullopt;
}

// Extended keys that make an entry: keypad Enter and /, and the grey editing keys.
std::optional<int> extendedKeyRow(int code) {
    switch (code) {
    case scan::KeypadEnter:
        return kRowKeypadEnter;
    case scan::Insert:
        return kRowInsert;
    case scan::Delete:
        return kRowDelete;
    case scan::Home:
        return kRowHome;
    case scan::End:
        return kRowEnd;
    case scan::PageUp:
        return kRowPageUp;
    case scan::PageDown:
        return kRowPageDown;
    case scan::KeypadSlash:
        return kRowKeypadSlash;
    default:
        return std::nullopt;
    }
}

// Key-downs that are translated at once, whatever the modifiers.
std::optional<int> keyDownTableRow(int code) {
    switch (code) {
    case scan::Tab:
        return kRowTab;
    case scan::Enter:
        return kRowEnter;
    default:
        break;
    }
    if (auto row = keypadOperatorRow(code)) {
        return row;
    }
    if (auto row = functionKeyRow(code)) {
        return row;
    }
    return keypadDigitRow(code);
}

// Keys that take a row of their own while Alt is pending (not extended);
// keypad 5, the full stop and the ignored keys are handled by the caller.
std::optional<int> altTableRow(int code) {
    switch (code) {
    case scan::Equals:
        return '=';
    case scan::LeftBracket:
        return '[';
    case scan::RightBracket:
        return ']';
    case scan::Enter:
        return kRowEnter;
    case scan::Apostrophe:
        return '\'';
    case scan::Backslash:
        return kRowAltBackslash;
    default:
        break;
    }
    if (auto row = keypadOperatorRow(code)) {
        return row;
    }
    if (auto row = functionKeyRow(code)) {
        return row;
    }
    return keypadDigitRow(code);
}

// Keys a pending Alt lets pass without ending the combination; Alt's own
// release is among them.
bool altKeepsPending(int code) {
    switch (code) {
    case scan::Escape:
    case scan::BackSpace:
    case scan::Ctrl:
    case scan::LeftShift:
    case scan::Alt:
    case scan::CapsLock:
    case scan::NumLock:
    case scan::ScrollLock:
        return true;
    default:
        return false;
    }
}

// With Ctrl held, the letters of the main window's shortcuts (N, O, S, P, Z,
// X, C, V).
bool isShortcutLetterScan(int code) {
    switch (code) {
    case scan::O:
    case scan::P:
    case scan::S:
    case scan::Z:
    case scan::X:
    case scan::C:
    case scan::V:
    case scan::N:
        return true;
    default:
        return false;
    }
}

// The row of a digit or punctuation key with Ctrl held, which makes no
// character of its own.
std::optional<int> ctrlDigitOrPunctuationRow(int code) {
    if (between(code, scan::Digit1, scan::Digit9)) {
        return '1' + (code - scan::Digit1);
    }
    switch (code) {
    case scan::Digit0:
        return '0';
    case scan::Minus:
        return kRowCtrlMinus;
    case scan::Semicolon:
        return ';';
    case scan::Apostrophe:
        return '\'';
    case scan::Grave:
        return '`';
    default:
        return std::nullopt;
    }
}

// Keys whose Ctrl combination types nothing: Ctrl is dropped silently.
bool ctrlDropsSilently(int code) {
    switch (code) {
    case scan::Equals:
    case scan::Comma:
    case scan::Period:
    case scan::Slash:
        return true;
    default:
        return false;
    }
}

bool isGreyArrowScan(int code) {
    return code == scan::Up || code == scan::Left || code == scan::Right || code == scan::Down;
}

// Scans of the letter keys and [ ] \, which a held Ctrl turns into control
// characters.
bool isControlCharacterScan(int code) {
    return between(code, scan::Q, scan::RightBracket) || between(code, scan::A, scan::L) ||
           between(code, scan::Backslash, scan::M);
}

// Function and keypad keys, whose codes may fall among the small letters.
bool isFunctionOrKeypadScan(int code) {
    return code == scan::F11 || code == scan::F12 || between(code, scan::F1, scan::F10) ||
           code == scan::KeypadSlash || code == scan::KeypadStar ||
           between(code, scan::Keypad7, scan::KeypadPoint);
}

// The unshifted characters that a held Shift would have changed.
bool isUnshiftedPunctuation(int c) {
    switch (c) {
    case '\'':
    case ',':
    case '-':
    case '.':
    case '/':
    case ';':
    case '=':
    case '[':
    case '\\':
    case ']':
    case '`':
        return true;
    default:
        return false;
    }
}

} // namespace

CaptureOutcome KeyCapture::captureKeyEvent(const KeyEvent& event, LockStates locks) {
    locks_ = locks;
    auto& s = state_;
    // Capture off: the event goes its ordinary way.
    if (!s.captureEnabled) {
        if (s.passThrough) {
            s.passThrough = false;
            return CaptureOutcome::DialogHandling;
        }
        return CaptureOutcome::NormalDelivery;
    }
    // Shift came up: the platform will not press it again by itself after a
    // keypad key, so the next Shift key-down is the user's own.
    if (event.code == vk::Shift &&
        (event.kind == KeyEventKind::KeyUp || event.kind == KeyEventKind::SystemKeyUp)) {
        s.keypadShift = false;
    }
    // A system key-down never reaches the dialog; only F10 makes an entry.
    if (event.kind == KeyEventKind::SystemKeyDown) {
        if (event.code == vk::Alt) {
            s.altHeld = true;
        }
        if (event.scan == scan::F10) {
            translateKey(event, kRowF10);
        }
        return CaptureOutcome::Consumed;
    }
    // Alt pending: key-ups and characters included, so Alt may be released
    // before the key it modifies, and a key pressed with Alt held is entered
    // on its release.
    if (s.altHeld) {
        return captureWithAltPending(event);
    }
    // Characters: letters, digits, punctuation, Space, control characters
    // and the Ctrl+Shift+letter chords all arrive here.
    if (event.kind == KeyEventKind::Character) {
        if (event.extended && event.scan == scan::KeypadSlash) {
            return translateAndConsume(event, kRowKeypadSlash);
        }
        if (event.scan == scan::BackSpace) {
            return CaptureOutcome::Consumed;
        }
        if (auto row = keypadOperatorRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        if (auto row = keypadDigitRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        return translateAndConsume(event, 0);
    }
    return captureWithoutAlt(event);
}

CaptureOutcome KeyCapture::captureWithoutAlt(const KeyEvent& event) {
    // Key-ups (and whatever else is not a key-down) go their ordinary way.
    if (event.kind != KeyEventKind::KeyDown) {
        return uncapturedOutcome(event);
    }
    return keyDown(event);
}

CaptureOutcome KeyCapture::keyDown(const KeyEvent& event) {
    auto& s = state_;
    switch (event.code) {
    case vk::CapsLock:
    case vk::ScrollLock:
        clearModifiers();
        return CaptureOutcome::DialogHandling;
    case vk::NumLock:
        clearModifiers();
        return CaptureOutcome::Consumed;
    case vk::BackSpace:
        editor_.deleteLastEntry();
        return CaptureOutcome::Consumed;
    case vk::Shift:
        // After a keypad key with Shift and NumLock, the platform presses
        // Shift again by itself; that key-down ends the pending Shift.
        if (s.keypadShift) {
            s.shiftHeld = false;
            s.keypadShift = false;
            s.shiftPresses = 0;
        } else {
            ++s.shiftPresses;
            s.shiftHeld = true;
        }
        return CaptureOutcome::Consumed;
    case vk::Control:
        s.ctrlHeld = true;
        return CaptureOutcome::Consumed;
    default:
        break;
    }
    // Ctrl+Shift chords exist for the letters A to Y only.
    if (s.shiftHeld && s.ctrlHeld && !between(event.code, 'A', 'Y')) {
        s.shiftHeld = false;
        s.ctrlHeld = false;
        editor_.beep();
        return CaptureOutcome::Consumed;
    }
    if (event.extended) {
        switch (event.code) {
        case vk::Up:
            moveSelection(MoveDirection::Up);
            return CaptureOutcome::Consumed;
        case vk::Down:
            moveSelection(MoveDirection::Down);
            return CaptureOutcome::Consumed;
        case vk::Left:
            moveSelection(MoveDirection::Left);
            return CaptureOutcome::Consumed;
        case vk::Right:
            moveSelection(MoveDirection::Right);
            return CaptureOutcome::Consumed;
        default:
            break;
        }
        if (auto row = extendedKeyRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        return uncapturedOutcome(event);
    }
    // Ctrl with the letters of the main window's shortcuts (N, O, S, P, Z,
    // X, C, V): the dialog's handling keeps those commands from running, and
    // the control character still arrives.
    if (s.ctrlHeld && isShortcutLetterScan(event.scan)) {
        s.passThrough = true;
    }
    // Keypad keys with NumLock on: a pending Shift makes the cursor key's
    // word, no Shift the digit's. Only a keypad key that arrives as its cursor
    // key had Shift physically held and lifted, and only then will the
    // platform press Shift again after it.
    if (locks_.numLock && !s.ctrlHeld && !s.altHeld && isKeypadDigitScan(event.scan)) {
        const bool shiftLifted = !isNumLockDigitCode(event.code);
        if (shiftLifted) {
            s.keypadShift = true;
        }
        if (s.shiftHeld && s.shiftPresses != 0) {
            s.shiftPresses = 2;
        } else if (!s.shiftHeld && s.shiftPresses == 0 && !shiftLifted) {
            s.shiftPresses = 3;
        }
    }
    if (auto row = keyDownTableRow(event.scan)) {
        return translateAndConsume(event, *row);
    }
    if (s.ctrlHeld) {
        if (auto row = ctrlDigitOrPunctuationRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        if (ctrlDropsSilently(event.scan)) {
            s.ctrlHeld = false;
            return CaptureOutcome::Consumed;
        }
    }
    return uncapturedOutcome(event);
}

CaptureOutcome KeyCapture::captureWithAltPending(const KeyEvent& event) {
    auto& s = state_;
    if (event.extended) {
        if (isGreyArrowScan(event.scan)) {
            // An arrow drops Alt and selects another position.
            s.altHeld = false;
            return captureWithoutAlt(event);
        }
        if (auto row = extendedKeyRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        return CaptureOutcome::Consumed;
    }
    if (altKeepsPending(event.scan)) {
        return CaptureOutcome::Consumed;
    }
    if (event.scan == scan::Period) {
        s.altHeld = false;
        return CaptureOutcome::Consumed;
    }
    if (event.scan == scan::Keypad5) {
        translateKey(event, kRowKeypad5);
        editor_.beep();
        s.altHeld = false;
        return CaptureOutcome::Consumed;
    }
    if (auto row = altTableRow(event.scan)) {
        return translateAndConsume(event, *row);
    }
    // Letters, digits, Space and the Alt punctuation rows by the key's code.
    return translateAndConsume(event, 0);
}

CaptureOutcome KeyCapture::uncapturedOutcome(const KeyEvent& event) {
    if (state_.passThrough || event.scan == scan::Escape) {
        state_.passThrough = false;
        return CaptureOutcome::DialogHandling;
    }
    return CaptureOutcome::NormalDelivery;
}

CaptureOutcome KeyCapture::translateAndConsume(const KeyEvent& event, int row) {
    translateKey(event, row);
    return CaptureOutcome::Consumed;
}

void KeyCapture::translateKey(const KeyEvent& event, int row) {
    auto& s = state_;
    const int code = event.code;
    const int keyScan = event.scan;
    const int start = editor_.currentEntry();

    // Room for one more entry.
    if (start >= kEntriesPerKey - 1 || editor_.currentCount() >= kEntriesPerKey) {
        refuseAsFull();
        return;
    }
    int slot = start + 1;
    editor_.setCurrentEntry(slot);
    if (row == 0) {
        row = code;
    }
    // Ctrl+Shift+A to Y type the characters 1 to 25: the special keys.
    if (s.shiftHeld && s.ctrlHeld) {
        if (const auto special = specialKeyRow(code)) {
            row = *special;
            s.specialMatched = true;
        }
    }
    // Character codes past the last row (bytes of double-byte characters from
    // an input method) name no key.
    if (!validVocabularyRow(row)) {
        editor_.setCurrentEntry(start);
        refuseAsFull();
        return;
    }
    const KeyVocabularyRow& r = vocabularyRow(row);
    const std::uint16_t m = r.normal;
    // CapsLock inverts the letters: a Ctrl character cannot be had this way.
    if (locks_.capsLock && s.ctrlHeld && isLetter(code) && m == ShiftMark) {
        refuseReleasedCtrl(start);
        return;
    }
    // A mark says which modifier the row's character is typed with.
    if (m == ShiftMark) {
        s.shiftHeld = true;
    } else if (m == CtrlMark) {
        s.ctrlHeld = true;
    } else if (m == AltMark) {
        s.altHeld = true;
    }
    // A Ctrl still held would have turned these keys into control characters.
    if (s.ctrlHeld && !s.shiftHeld && isControlCharacterScan(keyScan)) {
        const bool letterOrBracket = isLetter(code) || between(code, '[', ']');
        if (letterOrBracket && m != CtrlMark) {
            refuseReleasedCtrl(start);
            return;
        }
    }
    // Likewise a Shift still held would have shifted these characters.
    if (locks_.capsLock && s.shiftPresses == 1 && isCapitalLetter(code)) {
        refuseReleasedShift(start);
        return;
    }
    if (s.shiftHeld) {
        if (!isFunctionOrKeypadScan(keyScan) && !locks_.capsLock && isSmallLetter(code)) {
            refuseReleasedShift(start);
            return;
        }
        // Keypad 6, 0 and . have codes that look like punctuation.
        const bool keypadLookalike =
            keyScan == scan::Keypad6 || keyScan == scan::Keypad0 || keyScan == scan::KeypadPoint;
        const int c = keypadLookalike ? 0 : code;
        if (isUnshiftedPunctuation(c)) {
            refuseReleasedShift(start);
            return;
        }
    }
    // The modifier goes in as an entry of its own ahead of the key.
    const bool oneOfShiftCtrl = s.shiftHeld != s.ctrlHeld;
    const bool bothWithLock = s.shiftHeld && s.ctrlHeld && (locks_.numLock || locks_.capsLock);
    if (!s.specialMatched && (s.altHeld || oneOfShiftCtrl || bothWithLock)) {
        const int modifierRow = s.altHeld ? kRowAlt : s.ctrlHeld ? kRowCtrl : kRowShift;
        const auto& mr = vocabularyRow(modifierRow);
        editor_.appendEntry(slot, mr.code, mr.normal, mr.nameText());
        if (slot == kEntriesPerKey - 1) {
            // The modifier took the last slot: it stays, the key is dropped.
            editor_.setCurrentCount(kEntriesPerKey);
            refuseAsFull();
            return;
        }
        ++slot;
        editor_.setCurrentEntry(slot);
    }
    // The word column; each rule overrides the ones before it.
    WordColumn column = WordColumn::Normal;
    if (m == ShiftMark || s.shiftHeld) {
        column = WordColumn::Shift;
    }
    if (m == CtrlMark || s.ctrlHeld) {
        column = WordColumn::Ctrl;
    }
    if (m == AltMark || s.altHeld) {
        column = WordColumn::Alt;
    }
    if (s.shiftHeld && s.ctrlHeld) {
        column = WordColumn::Normal;
    }
    if (s.shiftPresses == 2) {
        column = WordColumn::Normal;
    }
    if (s.shiftPresses == 3) {
        column = WordColumn::Shift;
    }
    if (locks_.capsLock && between(r.code, 1, 26) && s.shiftHeld && !s.altHeld && !s.ctrlHeld) {
        column = m == ShiftMark ? WordColumn::Shift : WordColumn::Normal;
    }
    // A modifier the key has no word for.
    const std::uint16_t w = r.word(column);
    if (w == NoWord && (s.shiftHeld || s.ctrlHeld || s.altHeld)) {
        editor_.takeBackEntries(start);
        refuseAsFull();
        return;
    }
    // The key's own entry ends the combination.
    editor_.appendEntry(slot, r.code, w, r.nameText());
    editor_.setCurrentCount(slot + 1);
    clearModifiers();
    s.specialMatched = false;
    s.shiftPresses = 0;
}

void KeyCapture::moveSelection(MoveDirection direction) {
    editor_.selectPlace(stepFocusRing(editor_.currentPlace(), direction));
}

void KeyCapture::clearModifiers() {
    state_.shiftHeld = false;
    state_.ctrlHeld = false;
    state_.altHeld = false;
}

void KeyCapture::refuseAsFull() {
    clearModifiers();
    state_.specialMatched = false;
    state_.shiftPresses = 0;
    editor_.beep();
}

void KeyCapture::refuseReleasedCtrl(int start) {
    editor_.setCurrentEntry(start);
    state_.ctrlHeld = false;
    editor_.beep();
}

void KeyCapture::refuseReleasedShift(int start) {
    editor_.setCurrentEntry(start);
    state_.shiftHeld = false;
    state_.shiftPresses = 0;
    editor_.beep();
}

} // namespace quilby
