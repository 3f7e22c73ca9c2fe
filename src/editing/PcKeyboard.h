#pragma once

#include "editing/KeyEvent.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quilby {

// A physical key of a PC keyboard as the key editor knows it: its set-1 make
// code, whether it is one of the extended keys, and its virtual-key code.
struct PcKey {
    std::uint8_t scan = 0;
    bool extended = false;
    std::uint8_t vk = 0;

    bool operator==(const PcKey&) const = default;
};

// The Linux input (evdev) key code of a key to its PC key; nullopt for keys a
// PC keyboard does not have. Codes 1-83 and 86-88 are the set-1 codes
// themselves; the extended and the Korean keys have a table of their own.
std::optional<PcKey> pcKeyFromEvdev(int evdevCode);

// The Linux input key code of a set-1 key, the inverse of pcKeyFromEvdev.
std::optional<int> evdevFromPcKey(std::uint8_t scan, bool extended);

// The keypad digit keys change their virtual-key code with NumLock.
bool isKeypadDigitKey(const PcKey& key);

// Modifier and lock state at the moment a key goes down.
struct KeyboardState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool capsLock = false;
    bool numLock = false;
};

// The character a key-down produces on a US layout, as the Windows message
// loop computes it: Ctrl with a letter gives 1-26, Ctrl+[ 27, Ctrl+\ 28,
// Ctrl+] 29, Ctrl+Shift+6 30, Ctrl+Shift+- 31, Ctrl+BackSpace 0x7f, Ctrl+Enter
// 0x0a; CapsLock turns letters only; nullopt when the key makes no character
// (function, cursor and modifier keys, Ctrl with a digit, anything with Alt).
std::optional<std::uint8_t> characterForKey(const PcKey& key, const KeyboardState& state);

// Turns presses and releases of physical keys into the keyboard events the key
// editor expects from a PC: key-down or system key-down (Alt itself and any
// key pressed while Alt is down, both without Ctrl, and F10), key-up or system
// key-up, the virtual-key
// code that NumLock gives a keypad key, and the synthetic Shift release and
// Shift key-down around a keypad digit key pressed with Shift held and
// NumLock on. It tracks which modifiers are down and, when the platform
// cannot say, the lock toggles.
class PcKeyEventSource {
public:
    // The platform's own lock states, when it can tell them; otherwise the
    // toggles are tracked from the lock keys, starting off.
    void setPlatformLocks(std::optional<LockStates> locks) { platformLocks_ = locks; }
    // The lock toggles to start from when they are tracked (a keyboard that
    // was set up before the first key event, as in a replayed session).
    void setLockToggles(LockStates toggles) {
        numToggled_ = toggles.numLock;
        capsToggled_ = toggles.capsLock;
    }

    // Events for a key going down (auto-repeat included).
    std::vector<KeyEvent> press(const PcKey& key, bool autoRepeat);
    // Events for a key coming up.
    std::vector<KeyEvent> release(const PcKey& key);

    // The character event that follows a key-down given to the dialog or
    // delivered normally (never after a consumed one).
    std::optional<KeyEvent> characterAfter(const KeyEvent& keyDown) const;

    // NumLock and CapsLock as an event sees them: on when toggled on or held.
    LockStates locks() const;

    bool shiftDown() const { return leftShift_ || rightShift_; }
    bool ctrlDown() const { return leftCtrl_ || rightCtrl_; }
    bool altDown() const { return leftAlt_ || rightAlt_; }

private:
    KeyEvent keyEvent(KeyEventKind kind, const PcKey& key) const;
    void track(const PcKey& key, bool down);
    bool systemKey(const PcKey& key) const;

    std::optional<LockStates> platformLocks_;
    bool leftShift_ = false, rightShift_ = false;
    bool leftCtrl_ = false, rightCtrl_ = false;
    bool leftAlt_ = false, rightAlt_ = false;
    bool capsToggled_ = false, numToggled_ = false;
    bool capsHeld_ = false, numHeld_ = false;
    // Keypad digit keys (one bit each) that went down with Shift held and
    // NumLock on: when the last of them comes up with Shift still held, the
    // synthetic Shift key-down brings Shift back.
    std::uint16_t liftedKeys_ = 0;
};

} // namespace quilby
