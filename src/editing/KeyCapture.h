#pragma once

#include "editing/KeyButtonGrid.h"
#include "editing/KeyEditor.h"
#include "editing/KeyEvent.h"

#include <cstdint>

namespace quilby {

// The Shift key-downs of the combination being typed (auto-repeats count as
// presses), and the two states a keypad key with NumLock forces. Each state
// names the word column it makes the key take.
enum class ShiftPresses : std::uint8_t {
    None,       // no Shift key-down yet
    Once,       // the user's Shift: the key takes its Shift word
    Twice,      // Shift repeated once, or held over a keypad key: the normal word
    ThreeTimes, // Shift repeated twice, or a keypad digit typed alone: the Shift word
    Many,       // repeated further: no column of its own
};

// One more Shift key-down.
constexpr ShiftPresses oneMore(ShiftPresses presses) {
    return presses == ShiftPresses::Many ? presses
                                         : static_cast<ShiftPresses>(static_cast<int>(presses) + 1);
}

// The key editor is programmed by typing: every keyboard event of the dialog
// comes here first. Keystrokes become entries of the current position, Shift,
// Ctrl and Alt stay pending until the key they modify arrives, and whatever
// cannot be entered is refused with a beep. Only BackSpace (delete the last
// entry), the grey arrows (select another position) and Esc (cancel) keep a
// duty of their own.
class KeyCapture {
public:
    struct State {
        bool shiftHeld = false; // modifiers for the next key; a key-up never clears them
        bool ctrlHeld = false;
        bool altHeld = false;
        ShiftPresses shiftPresses = ShiftPresses::None;
        bool keypadShift = false;    // the platform's own Shift key-down after a keypad key is due
        bool specialMatched = false; // the character came from a Ctrl+Shift+letter chord
        bool passThrough = false;    // this key-down goes to the dialog's own handling
        bool captureEnabled = true;

        bool operator==(const State&) const = default;
    };

    explicit KeyCapture(KeyEditor& editor) : editor_(editor) {}

    // The dialog's keyboard hook: decides the event's fate and makes its entries.
    CaptureOutcome captureKeyEvent(const KeyEvent& event, LockStates locks);

    // Appends the entries of one keystroke to the current position; row 0
    // means the row is the event's code. Uses the lock states of the event
    // being captured.
    void translateKey(const KeyEvent& event, int row);

    // Makes the control an arrow step away the current key position.
    void moveSelection(MoveDirection direction);

    const State& state() const { return state_; }
    // Capture stays on for the dialog's whole life; a host may switch it off
    // before its editor is set up.
    void setCaptureEnabled(bool enabled) { state_.captureEnabled = enabled; }
    // Forgets the modifiers waiting for a key (the key tester enters some
    // keys without the capture).
    void dropPendingModifiers();

private:
    CaptureOutcome captureWithAltPending(const KeyEvent& event);
    CaptureOutcome captureWithoutAlt(const KeyEvent& event);
    CaptureOutcome keyDown(const KeyEvent& event);
    CaptureOutcome uncapturedOutcome(const KeyEvent& event);
    CaptureOutcome translateAndConsume(const KeyEvent& event, int row);

    void clearModifiers();
    void refuseAsFull();
    void refuseReleasedCtrl(int start);
    void refuseReleasedShift(int start);

    KeyEditor& editor_;
    State state_;
    LockStates locks_;
};

} // namespace quilby
