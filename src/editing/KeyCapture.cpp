#include "editing/KeyCapture.h"

#include "editing/KeyCaptureTables.h"

namespace quilby {

using namespace capture;

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

// The code a keypad digit key has when NumLock makes it type its digit. With
// Shift physically held it comes as its cursor key instead, Shift lifted.
bool isNumLockDigitCode(int code) {
    return between(code, vk::Numpad0, vk::Numpad9) || code == vk::Decimal;
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
    return c != 0 && kUnshiftedPunctuation.find(static_cast<char>(c)) != std::string_view::npos;
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
        if (auto row = rowOf(kKeypadOperatorRows, event.scan)) {
            return translateAndConsume(event, *row);
        }
        if (auto row = rowOf(kKeypadDigitRows, event.scan)) {
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
    for (const LockKey& lock : kLockKeys) {
        if (event.code == lock.code) {
            clearModifiers();
            return lock.outcome;
        }
    }
    if (event.code == vk::BackSpace) {
        editor_.deleteLastEntry();
        return CaptureOutcome::Consumed;
    }
    if (event.code == vk::Shift) {
        // After a keypad key with Shift and NumLock, the platform presses
        // Shift again by itself; that key-down ends the pending Shift.
        if (s.keypadShift) {
            s.shiftHeld = false;
            s.keypadShift = false;
            s.shiftPresses = ShiftPresses::None;
        } else {
            s.shiftPresses = oneMore(s.shiftPresses);
            s.shiftHeld = true;
        }
        return CaptureOutcome::Consumed;
    }
    if (event.code == vk::Control) {
        s.ctrlHeld = true;
        return CaptureOutcome::Consumed;
    }
    // Ctrl+Shift chords exist for the letters A to Y only.
    if (s.shiftHeld && s.ctrlHeld && !between(event.code, 'A', 'Y')) {
        s.shiftHeld = false;
        s.ctrlHeld = false;
        editor_.beep();
        return CaptureOutcome::Consumed;
    }
    if (event.extended) {
        for (const ArrowMove& arrow : kArrowMoves) {
            if (event.code == arrow.code) {
                moveSelection(arrow.direction);
                return CaptureOutcome::Consumed;
            }
        }
        if (auto row = rowOf(kExtendedRows, event.scan)) {
            return translateAndConsume(event, *row);
        }
        return uncapturedOutcome(event);
    }
    // Ctrl with the letters of the main window's shortcuts (N, O, S, P, Z,
    // X, C, V): the dialog's handling keeps those commands from running, and
    // the control character still arrives.
    if (s.ctrlHeld && holds(kShortcutLetterScans, event.scan)) {
        s.passThrough = true;
    }
    // Keypad keys with NumLock on: a pending Shift makes the cursor key's
    // word, no Shift the digit's. Only a keypad key that arrives as its cursor
    // key had Shift physically held and lifted, and only then will the
    // platform press Shift again after it.
    if (locks_.numLock && !s.ctrlHeld && !s.altHeld && rowOf(kKeypadDigitRows, event.scan)) {
        const bool shiftLifted = !isNumLockDigitCode(event.code);
        if (shiftLifted) {
            s.keypadShift = true;
        }
        if (s.shiftHeld && s.shiftPresses != ShiftPresses::None) {
            s.shiftPresses = ShiftPresses::Twice;
        } else if (!s.shiftHeld && s.shiftPresses == ShiftPresses::None && !shiftLifted) {
            s.shiftPresses = ShiftPresses::ThreeTimes;
        }
    }
    if (auto row = rowOf(kKeyDownRows, event.scan)) {
        return translateAndConsume(event, *row);
    }
    if (s.ctrlHeld) {
        if (auto row = rowOf(kCtrlDigitOrPunctuationRows, event.scan)) {
            return translateAndConsume(event, *row);
        }
        if (holds(kCtrlSilentScans, event.scan)) {
            s.ctrlHeld = false;
            return CaptureOutcome::Consumed;
        }
    }
    return uncapturedOutcome(event);
}

CaptureOutcome KeyCapture::captureWithAltPending(const KeyEvent& event) {
    auto& s = state_;
    if (event.extended) {
        if (holds(kGreyArrowScans, event.scan)) {
            // An arrow drops Alt and selects another position.
            s.altHeld = false;
            return captureWithoutAlt(event);
        }
        if (auto row = rowOf(kExtendedRows, event.scan)) {
            return translateAndConsume(event, *row);
        }
        return CaptureOutcome::Consumed;
    }
    if (holds(kAltKeepsPendingScans, event.scan)) {
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
    if (auto row = rowOf(kAltRows, event.scan)) {
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
    if (locks_.capsLock && s.shiftPresses == ShiftPresses::Once && isCapitalLetter(code)) {
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
    if (s.shiftPresses == ShiftPresses::Twice) {
        column = WordColumn::Normal;
    }
    if (s.shiftPresses == ShiftPresses::ThreeTimes) {
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
    s.shiftPresses = ShiftPresses::None;
}

void KeyCapture::moveSelection(MoveDirection direction) {
    editor_.selectPlace(stepFocusRing(editor_.currentPlace(), direction));
}

void KeyCapture::dropPendingModifiers() {
    clearModifiers();
    state_.specialMatched = false;
    state_.shiftPresses = ShiftPresses::None;
}

void KeyCapture::clearModifiers() {
    state_.shiftHeld = false;
    state_.ctrlHeld = false;
    state_.altHeld = false;
}

void KeyCapture::refuseAsFull() {
    clearModifiers();
    state_.specialMatched = false;
    state_.shiftPresses = ShiftPresses::None;
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
    state_.shiftPresses = ShiftPresses::None;
    editor_.beep();
}

} // namespace quilby
