#pragma once

#include "editing/KeyCapture.h"
#include "editing/KeyEvent.h"
#include "editing/PcKeyboard.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quilby {

// Keystrokes written down as presses of physical keys, so a sequence an
// operator types can be kept as text and played into the key editor:
//
//   "a"       presses and releases the key
//   "+shift"  only presses it        "-shift"  only releases it
//
// separated by blanks: "+shift 1 -shift" is Shift held while 1 is typed.
// Key names: a-z, 0-9, - = [ ] \ ; ' ` , . /, space tab enter esc bs,
// shift rshift ctrl rctrl alt ralt caps num scroll, f1-f12, up down left
// right home end pgup pgdn ins del, kp0-kp9 kp. kp/ kp* kp- kp+ kpenter,
// lwin rwin menu prtsc pause hangul hanja.

// The physical key of a name; nullopt for a name the list does not hold.
std::optional<PcKey> pcKeyByName(std::string_view name);
// The name of a physical key in that list ("f1", "del", "z"); empty for a
// key it does not hold.
std::string pcKeyName(const PcKey& key);
// Every name the list holds: a-z, 0-9, then the named keys.
std::vector<std::string_view> keyScriptNames();

struct KeyScriptStep {
    enum class Action { Tap, Press, Release };
    Action action = Action::Tap;
    PcKey key;

    bool operator==(const KeyScriptStep&) const = default;
};

// The steps of a script, or the message for its first unknown key name.
std::variant<std::vector<KeyScriptStep>, std::string> parseKeyScript(std::string_view script);

// A PC keyboard attached to a key editor's capture: physical key presses
// become the platform's keyboard events (PcKeyEventSource), each is given to
// the capture, and the character of a key-down follows only when the
// capture did not consume that key-down. Esc is the exception: a key-down
// the dialog gets to handle cancels it, so its character never arrives.
class CaptureKeyboard {
public:
    // Told of every event given to the capture, with the lock states it saw
    // and the capture's answer.
    using Listener =
        std::function<void(const KeyEvent& event, LockStates locks, CaptureOutcome outcome)>;

    explicit CaptureKeyboard(KeyCapture& capture, LockStates toggles = {});

    void setListener(Listener listener) { listener_ = std::move(listener); }

    // A key going down; pressing a key that is already down is its auto-repeat.
    // Returns the capture's answer to the key's own key-down, which tells the
    // dialog what becomes of the platform's key event.
    CaptureOutcome press(const PcKey& key);
    // Returns the capture's answer to the key's own key-up.
    CaptureOutcome release(const PcKey& key);
    // The platform's lock states when it can tell them (else they are tracked).
    void setPlatformLocks(std::optional<LockStates> locks) { source_.setPlatformLocks(locks); }
    void play(const std::vector<KeyScriptStep>& steps);

    // Gives one event to the capture with the current lock states.
    CaptureOutcome send(const KeyEvent& event);

    // Esc key-downs that reached the dialog's own handling (each would close it).
    int cancels() const { return cancels_; }
    const PcKeyEventSource& keyboard() const { return source_; }

private:
    KeyCapture& capture_;
    PcKeyEventSource source_;
    std::vector<PcKey> down_;
    Listener listener_;
    int cancels_ = 0;
};

} // namespace quilby
