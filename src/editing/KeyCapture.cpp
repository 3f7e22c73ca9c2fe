#include "editing/KeyCapture.h"

#include "editing/KeyVocabulary.h"

#include <optional>

namespace quilby {

namespace {

bool between(int value, int low, int high) {
    return value >= low && value <= high;
}

bool isCapitalLetter(int code) {
    return between(code, 0x41, 0x5a);
}
bool isSmallLetter(int code) {
    return between(code, 0x61, 0x7a);
}
bool isLetter(int code) {
    return isCapitalLetter(code) || isSmallLetter(code);
}

// Keypad keys by scan code, as rows: 7, 8, 9, 4, 5, 6, 1, 2, 3, 0 and the point.
std::optional<int> keypadDigitRow(int scan) {
    switch (scan) {
    case 71:
        return 143;
    case 72:
        return 146;
    case 73:
        return 147;
    case 75:
        return 148;
    case 76:
        return 214;
    case 77:
        return 149;
    case 79:
        return 150;
    case 80:
        return 151;
    case 81:
        return 152;
    case 82:
        return 153;
    case 83:
        return 154;
    default:
        return std::nullopt;
    }
}

bool isKeypadDigitScan(int scan) {
    return keypadDigitRow(scan).has_value();
}

// Keypad *, - and +.
std::optional<int> keypadOperatorRow(int scan) {
    switch (scan) {
    case 55:
        return 139;
    case 74:
        return 140;
    case 78:
        return 141;
    default:
        return std::nullopt;
    }
}

// Function keys F1-F12 by scan code.
std::optional<int> functionKeyRow(int scan) {
    if (between(scan, 59, 68)) {
        return scan + 141;
    }
    if (scan == 87 || scan == 88) {
        return scan + 123;
    }
    return std::nullopt;
}

// Extended keys that make an entry: keypad Enter and the grey editing keys.
std::optional<int> extendedKeyRow(int scan) {
    switch (scan) {
    case 28:
        return 219;
    case 82:
        return 128;
    case 83:
        return 129;
    case 71:
        return 130;
    case 79:
        return 131;
    case 73:
        return 132;
    case 81:
        return 133;
    case 53:
        return 138;
    default:
        return std::nullopt;
    }
}

// Key-downs that are translated at once, whatever the modifiers.
std::optional<int> keyDownTableRow(int scan) {
    switch (scan) {
    case 15:
        return 213;
    case 28:
        return 142;
    default:
        break;
    }
    if (auto row = keypadOperatorRow(scan)) {
        return row;
    }
    if (auto row = functionKeyRow(scan)) {
        return row;
    }
    return keypadDigitRow(scan);
}

// Keys that take a row of their own while Alt is pending (not extended);
// keypad 5, the full stop and the ignored keys are handled by the caller.
std::optional<int> altTableRow(int scan) {
    switch (scan) {
    case 13:
        return 61;
    case 26:
        return 91;
    case 27:
        return 93;
    case 28:
        return 142;
    case 40:
        return 39;
    case 43:
        return 194;
    default:
        break;
    }
    if (auto row = keypadOperatorRow(scan)) {
        return row;
    }
    if (auto row = functionKeyRow(scan)) {
        return row;
    }
    return keypadDigitRow(scan);
}

bool isGreyArrowScan(int scan) {
    return scan == 72 || scan == 75 || scan == 77 || scan == 80;
}

// Scans of the letter keys and [ ] \, which a held Ctrl turns into control
// characters.
bool isControlCharacterScan(int scan) {
    return between(scan, 16, 27) || between(scan, 30, 38) || between(scan, 43, 50);
}

// Function and keypad keys, whose codes may fall among the small letters.
bool isFunctionOrKeypadScan(int scan) {
    return scan == 87 || scan == 88 || between(scan, 59, 68) || scan == 53 || scan == 55 ||
           between(scan, 71, 83);
}

// The unshifted characters that a held Shift would have changed.
bool isUnshiftedPunctuation(int c) {
    switch (c) {
    case 0x27:
    case 0x2c:
    case 0x2d:
    case 0x2e:
    case 0x2f:
    case 0x3b:
    case 0x3d:
    case 0x5b:
    case 0x5c:
    case 0x5d:
    case 0x60:
        return true;
    default:
        return false;
    }
}

} // namespace

CaptureOutcome KeyCapture::CaptureKeyEvent(const KeyEvent& event, LockStates locks) {
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
    // A system key-down never reaches the dialog; only F10 makes an entry.
    if (event.kind == KeyEventKind::SystemKeyDown) {
        if (event.code == vk::Alt) {
            s.altHeld = true;
        }
        if (event.scan == 68) {
            TranslateKey(event, kRowF10);
        }
        return CaptureOutcome::Consumed;
    }
    // Alt pending: key-ups and characters included, so Alt may be released
    // before the key it modifies, and a key pressed with Alt held is entered
    // on its release.
    if (s.altHeld) {
        return altRule(event);
    }
    // Characters: letters, digits, punctuation, Space, control characters
    // and the Ctrl+Shift+letter chords all arrive here.
    if (event.kind == KeyEventKind::Character) {
        if (event.extended && event.scan == 53) {
            return translateAndConsume(event, 138);
        }
        if (event.scan == 14) {
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
    return keyDownOrFallThrough(event);
}

CaptureOutcome KeyCapture::keyDownOrFallThrough(const KeyEvent& event) {
    // Key-ups (and whatever else is not a key-down) go their ordinary way.
    if (event.kind != KeyEventKind::KeyDown) {
        return fallThrough(event);
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
        editor_.DeleteLastEntry();
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
    if (s.shiftHeld && s.ctrlHeld && !between(event.code, 0x41, 0x59)) {
        s.shiftHeld = false;
        s.ctrlHeld = false;
        editor_.beep();
        return CaptureOutcome::Consumed;
    }
    if (event.extended) {
        switch (event.code) {
        case vk::Up:
            MoveSelection(MoveDirection::Up);
            return CaptureOutcome::Consumed;
        case vk::Down:
            MoveSelection(MoveDirection::Down);
            return CaptureOutcome::Consumed;
        case vk::Left:
            MoveSelection(MoveDirection::Left);
            return CaptureOutcome::Consumed;
        case vk::Right:
            MoveSelection(MoveDirection::Right);
            return CaptureOutcome::Consumed;
        default:
            break;
        }
        if (auto row = extendedKeyRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        return fallThrough(event);
    }
    // Ctrl with the letters of the main window's shortcuts (N, O, S, P, Z,
    // X, C, V): the dialog's handling keeps those commands from running, and
    // the control character still arrives.
    if (s.ctrlHeld) {
        switch (event.scan) {
        case 24:
        case 25:
        case 31:
        case 44:
        case 45:
        case 46:
        case 47:
        case 49:
            s.passThrough = true;
            break;
        default:
            break;
        }
    }
    // Keypad rule, for the synthetic Shift events around a keypad key typed
    // with Shift while NumLock is on.
    if (locks_.numLock && !s.ctrlHeld && !s.altHeld && isKeypadDigitScan(event.scan)) {
        if (s.shiftHeld && s.shiftPresses != 0) {
            s.shiftPresses = 2;
            s.keypadShift = true;
        } else if (!s.shiftHeld && s.shiftPresses == 0) {
            s.shiftPresses = 3;
        }
    }
    if (auto row = keyDownTableRow(event.scan)) {
        return translateAndConsume(event, *row);
    }
    if (s.ctrlHeld) {
        // Ctrl with digits and punctuation makes no character of its own.
        if (between(event.scan, 2, 10)) {
            return translateAndConsume(event, event.scan + 47);
        }
        switch (event.scan) {
        case 11:
            return translateAndConsume(event, 48);
        case 12:
            return translateAndConsume(event, 189);
        case 39:
            return translateAndConsume(event, 59);
        case 40:
            return translateAndConsume(event, 39);
        case 41:
            return translateAndConsume(event, 96);
        case 13:
        case 51:
        case 52:
        case 53:
            s.ctrlHeld = false;
            return CaptureOutcome::Consumed;
        default:
            break;
        }
    }
    return fallThrough(event);
}

CaptureOutcome KeyCapture::altRule(const KeyEvent& event) {
    auto& s = state_;
    if (event.extended) {
        if (isGreyArrowScan(event.scan)) {
            // An arrow drops Alt and selects another position.
            s.altHeld = false;
            return keyDownOrFallThrough(event);
        }
        if (auto row = extendedKeyRow(event.scan)) {
            return translateAndConsume(event, *row);
        }
        return CaptureOutcome::Consumed;
    }
    switch (event.scan) {
    case 1:
    case 14:
    case 29:
    case 42:
    case 56:
    case 58:
    case 69:
    case 70:
        // Alt stays pending: its own release in particular is ignored.
        return CaptureOutcome::Consumed;
    case 52:
        s.altHeld = false;
        return CaptureOutcome::Consumed;
    case 76:
        TranslateKey(event, 214);
        editor_.beep();
        s.altHeld = false;
        return CaptureOutcome::Consumed;
    default:
        break;
    }
    if (auto row = altTableRow(event.scan)) {
        return translateAndConsume(event, *row);
    }
    // Letters, digits, Space and the Alt punctuation rows by the key's code.
    return translateAndConsume(event, 0);
}

CaptureOutcome KeyCapture::fallThrough(const KeyEvent& event) {
    if (state_.passThrough || event.scan == 1) {
        state_.passThrough = false;
        return CaptureOutcome::DialogHandling;
    }
    return CaptureOutcome::NormalDelivery;
}

CaptureOutcome KeyCapture::translateAndConsume(const KeyEvent& event, int row) {
    TranslateKey(event, row);
    return CaptureOutcome::Consumed;
}

void KeyCapture::TranslateKey(const KeyEvent& event, int row) {
    auto& s = state_;
    const int code = event.code;
    const int scan = event.scan;
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
    if (s.ctrlHeld && !s.shiftHeld && isControlCharacterScan(scan)) {
        const bool letterOrBracket = isLetter(code) || between(code, 0x5b, 0x5d);
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
        if (!isFunctionOrKeypadScan(scan) && !locks_.capsLock && isSmallLetter(code)) {
            refuseReleasedShift(start);
            return;
        }
        // Keypad 6, 0 and . have codes that look like punctuation.
        const int c = (scan == 77 || scan == 82 || scan == 83) ? 0 : code;
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
        editor_.AppendEntry(slot, mr.code, mr.normal, mr.nameText());
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
        editor_.TakeBackEntries(start);
        refuseAsFull();
        return;
    }
    // The key's own entry ends the combination.
    editor_.AppendEntry(slot, r.code, w, r.nameText());
    editor_.setCurrentCount(slot + 1);
    clearModifiers();
    s.specialMatched = false;
    s.shiftPresses = 0;
}

void KeyCapture::MoveSelection(MoveDirection direction) {
    editor_.SelectPlace(stepFocusRing(editor_.currentPlace(), direction));
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
