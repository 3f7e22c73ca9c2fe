#include "editing/PcKeyboard.h"

#include "editing/ScanCodes.h"

#include <array>

namespace quilby {

namespace {

// Virtual-key codes of the set-1 keys 0-88 on a US layout (0: none). The
// keypad digit keys hold their NumLock-off codes here.
constexpr std::array<std::uint8_t, 89> kBaseVk = {
    0x00, 0x1b, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, // 0-9
    0x39, 0x30, 0xbd, 0xbb, 0x08, 0x09, 0x51, 0x57, 0x45, 0x52, // 10-19
    0x54, 0x59, 0x55, 0x49, 0x4f, 0x50, 0xdb, 0xdd, 0x0d, 0x11, // 20-29
    0x41, 0x53, 0x44, 0x46, 0x47, 0x48, 0x4a, 0x4b, 0x4c, 0xba, // 30-39
    0xde, 0xc0, 0x10, 0xdc, 0x5a, 0x58, 0x43, 0x56, 0x42, 0x4e, // 40-49
    0x4d, 0xbc, 0xbe, 0xbf, 0x10, 0x6a, 0x12, 0x20, 0x14, 0x70, // 50-59
    0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x90, // 60-69
    0x91, 0x24, 0x26, 0x21, 0x6d, 0x25, 0x0c, 0x27, 0x6b, 0x23, // 70-79
    0x28, 0x22, 0x2d, 0x2e, 0x00, 0x00, 0xe2, 0x7a, 0x7b,       // 80-88
};

// Keypad digit keys with NumLock on: the numpad digits and the decimal point.
std::uint8_t numLockVk(std::uint8_t code) {
    switch (code) {
    case scan::Keypad7:
        return vk::Numpad7;
    case scan::Keypad8:
        return vk::Numpad8;
    case scan::Keypad9:
        return vk::Numpad9;
    case scan::Keypad4:
        return vk::Numpad4;
    case scan::Keypad5:
        return vk::Numpad5;
    case scan::Keypad6:
        return vk::Numpad6;
    case scan::Keypad1:
        return vk::Numpad1;
    case scan::Keypad2:
        return vk::Numpad2;
    case scan::Keypad3:
        return vk::Numpad3;
    case scan::Keypad0:
        return vk::Numpad0;
    case scan::KeypadPoint:
        return vk::Decimal;
    default:
        return 0;
    }
}

struct ExtendedKey {
    int evdev;
    PcKey key;
};

constexpr std::array<ExtendedKey, 21> kSpecialKeys = {{
    {96, {scan::KeypadEnter, true, vk::Enter}},
    {97, {scan::RightCtrl, true, vk::Control}},
    {98, {scan::KeypadSlash, true, vk::Divide}},
    {99, {scan::PrintScreen, true, vk::PrintScreen}},
    {100, {scan::RightAlt, true, vk::Alt}},
    {102, {scan::Home, true, vk::Home}},
    {103, {scan::Up, true, vk::Up}},
    {104, {scan::PageUp, true, vk::PageUp}},
    {105, {scan::Left, true, vk::Left}},
    {106, {scan::Right, true, vk::Right}},
    {107, {scan::End, true, vk::End}},
    {108, {scan::Down, true, vk::Down}},
    {109, {scan::PageDown, true, vk::PageDown}},
    {110, {scan::Insert, true, vk::Insert}},
    {111, {scan::Delete, true, vk::Delete}},
    {119, {scan::Pause, false, vk::Pause}}, // not extended
    {122, {scan::Hangul, false, vk::Hangul}},
    {123, {scan::Hanja, false, vk::Hanja}},
    {125, {scan::LeftWindows, true, vk::LeftWindows}},
    {126, {scan::RightWindows, true, vk::RightWindows}},
    {127, {scan::Menu, true, vk::Menu}},
}};

bool isLetterVk(std::uint8_t code) {
    return code >= 'A' && code <= 'Z';
}

struct Punctuation {
    std::uint8_t scan;
    char normal;
    char shifted;
};
constexpr std::array<Punctuation, 21> kPrintable = {{
    {scan::Digit1, '1', '!'},      {scan::Digit2, '2', '@'},       {scan::Digit3, '3', '#'},
    {scan::Digit4, '4', '$'},      {scan::Digit5, '5', '%'},       {scan::Digit6, '6', '^'},
    {scan::Digit7, '7', '&'},      {scan::Digit8, '8', '*'},       {scan::Digit9, '9', '('},
    {scan::Digit0, '0', ')'},      {scan::Minus, '-', '_'},        {scan::Equals, '=', '+'},
    {scan::LeftBracket, '[', '{'}, {scan::RightBracket, ']', '}'}, {scan::Semicolon, ';', ':'},
    {scan::Apostrophe, '\'', '"'}, {scan::Grave, '`', '~'},        {scan::Backslash, '\\', '|'},
    {scan::Comma, ',', '<'},       {scan::Period, '.', '>'},       {scan::Slash, '/', '?'},
}};

// One bit for each keypad digit key.
std::uint16_t keypadBit(std::uint8_t code) {
    return static_cast<std::uint16_t>(1u << (code - scan::Keypad7));
}

// Linux numbers these keys by their set-1 make codes.
bool isEvdevSameAsScan(int code) {
    return (code >= scan::Escape && code <= scan::KeypadPoint) ||
           (code >= scan::Iso102nd && code <= scan::F12);
}

} // namespace

std::optional<PcKey> pcKeyFromEvdev(int evdevCode) {
    if (isEvdevSameAsScan(evdevCode)) {
        const auto makeCode = static_cast<std::uint8_t>(evdevCode);
        return PcKey{makeCode, false, kBaseVk[makeCode]};
    }
    for (const auto& special : kSpecialKeys) {
        if (special.evdev == evdevCode) {
            return special.key;
        }
    }
    return std::nullopt;
}

std::optional<int> evdevFromPcKey(std::uint8_t makeCode, bool extended) {
    if (!extended && isEvdevSameAsScan(makeCode)) {
        return makeCode;
    }
    for (const auto& special : kSpecialKeys) {
        if (special.key.scan == makeCode && special.key.extended == extended) {
            return special.evdev;
        }
    }
    return std::nullopt;
}

bool isKeypadDigitKey(const PcKey& key) {
    return !key.extended && numLockVk(key.scan) != 0;
}

std::optional<std::uint8_t> characterForKey(const PcKey& key, const KeyboardState& state) {
    if (state.alt && !state.ctrl) {
        return std::nullopt; // system keys make no ordinary character
    }
    const auto ch = [](int c) { return std::optional<std::uint8_t>(static_cast<std::uint8_t>(c)); };
    if (key.extended) {
        if (key.scan == scan::KeypadEnter) {
            return ch(state.ctrl ? '\n' : '\r');
        }
        if (key.scan == scan::KeypadSlash) {
            return state.ctrl ? std::nullopt : ch('/');
        }
        return std::nullopt;
    }
    if (isLetterVk(key.vk)) {
        if (state.ctrl) {
            return ch(key.vk - 'A' + 1);
        }
        const bool upper = state.shift != state.capsLock;
        return ch(upper ? key.vk : key.vk - 'A' + 'a');
    }
    switch (key.scan) {
    case scan::Escape:
        return ch(0x1b);
    case scan::BackSpace:
        return ch(state.ctrl ? 0x7f : '\b');
    case scan::Tab:
        return state.ctrl ? std::nullopt : ch('\t');
    case scan::Enter:
        return ch(state.ctrl ? '\n' : '\r');
    case scan::Space:
        return ch(' ');
    case scan::KeypadStar:
        return state.ctrl ? std::nullopt : ch('*');
    case scan::KeypadMinus:
        return state.ctrl ? std::nullopt : ch('-');
    case scan::KeypadPlus:
        return state.ctrl ? std::nullopt : ch('+');
    default:
        break;
    }
    if (isKeypadDigitKey(key)) {
        // With NumLock on a keypad key types its digit; Shift turns it back
        // into a cursor key (the synthetic Shift release), which types nothing.
        if (!state.numLock || state.shift || state.ctrl) {
            return std::nullopt;
        }
        return ch(key.scan == scan::KeypadPoint ? '.' : "789-456+1230"[key.scan - scan::Keypad7]);
    }
    if (state.ctrl) {
        switch (key.scan) {
        case scan::LeftBracket:
            return ch(0x1b);
        case scan::Backslash:
            return ch(0x1c);
        case scan::RightBracket:
            return ch(0x1d);
        case scan::Digit6: // Ctrl+^
            return state.shift ? ch(0x1e) : std::nullopt;
        case scan::Minus:
            return state.shift ? ch(0x1f) : std::nullopt;
        default:
            return std::nullopt;
        }
    }
    for (const auto& p : kPrintable) {
        if (p.scan == key.scan) {
            return ch(static_cast<unsigned char>(state.shift ? p.shifted : p.normal));
        }
    }
    return std::nullopt;
}

LockStates PcKeyEventSource::locks() const {
    LockStates states = platformLocks_.value_or(LockStates{numToggled_, capsToggled_});
    states.numLock = states.numLock || numHeld_;
    states.capsLock = states.capsLock || capsHeld_;
    return states;
}

bool PcKeyEventSource::systemKey(const PcKey& key) const {
    if (key.vk == vk::F10) { // F10 is a system key on its own
        return true;
    }
    // Alt itself is a system key unless Ctrl is down: the capture learns of a
    // pending Alt only from its system key-down.
    return (altDown() || key.vk == vk::Alt) && !ctrlDown();
}

KeyEvent PcKeyEventSource::keyEvent(KeyEventKind kind, const PcKey& key) const {
    std::uint8_t code = key.vk;
    if (isKeypadDigitKey(key) && locks().numLock && !shiftDown()) {
        code = numLockVk(key.scan);
    }
    return KeyEvent{kind, code, key.scan, key.extended};
}

void PcKeyEventSource::track(const PcKey& key, bool down) {
    switch (key.vk) {
    case vk::Shift:
        (key.scan == scan::RightShift ? rightShift_ : leftShift_) = down;
        break;
    case vk::Control:
        (key.extended ? rightCtrl_ : leftCtrl_) = down;
        break;
    case vk::Alt:
        (key.extended ? rightAlt_ : leftAlt_) = down;
        break;
    case vk::CapsLock:
        if (down && !capsHeld_) {
            capsToggled_ = !capsToggled_;
        }
        capsHeld_ = down;
        break;
    case vk::NumLock:
        if (down && !numHeld_) {
            numToggled_ = !numToggled_;
        }
        numHeld_ = down;
        break;
    default:
        break;
    }
}

std::vector<KeyEvent> PcKeyEventSource::press(const PcKey& key, bool autoRepeat) {
    std::vector<KeyEvent> events;
    if (!autoRepeat && isKeypadDigitKey(key) && shiftDown() && locks().numLock && !ctrlDown() &&
        !altDown()) {
        // NumLock on and Shift held: Shift is lifted for the keypad key, once
        // for any number of keypad keys held together.
        if (liftedKeys_ == 0) {
            events.push_back(KeyEvent{KeyEventKind::KeyUp, vk::Shift, scan::LeftShift, false});
        }
        liftedKeys_ |= keypadBit(key.scan);
    }
    const bool system = systemKey(key);
    track(key, true);
    events.push_back(keyEvent(system ? KeyEventKind::SystemKeyDown : KeyEventKind::KeyDown, key));
    return events;
}

std::vector<KeyEvent> PcKeyEventSource::release(const PcKey& key) {
    std::vector<KeyEvent> events;
    // Any key released while Alt is down without Ctrl, Alt's own release
    // included, is a system key-up.
    const bool system = systemKey(key);
    const KeyEvent keyUp = keyEvent(system ? KeyEventKind::SystemKeyUp : KeyEventKind::KeyUp, key);
    track(key, false);
    if (key.vk == vk::Shift && liftedKeys_ != 0) {
        if (shiftDown()) {
            // One of two Shift keys: Shift stays lifted, and was reported up.
            return events;
        }
        // Shift released under a keypad key: there is nothing to press again,
        // and a later Shift key-down is the user's own.
        liftedKeys_ = 0;
    }
    events.push_back(keyUp);
    if (isKeypadDigitKey(key) && (liftedKeys_ & keypadBit(key.scan)) != 0) {
        liftedKeys_ &= static_cast<std::uint16_t>(~keypadBit(key.scan));
        // The last lifted keypad key came up with Shift still held.
        if (liftedKeys_ == 0 && shiftDown()) {
            events.push_back(KeyEvent{KeyEventKind::KeyDown, vk::Shift, scan::LeftShift, false});
        }
    }
    return events;
}

std::optional<KeyEvent> PcKeyEventSource::characterAfter(const KeyEvent& keyDown) const {
    if (keyDown.kind != KeyEventKind::KeyDown) {
        return std::nullopt;
    }
    const PcKey key{keyDown.scan, keyDown.extended,
                    isKeypadDigitKey(PcKey{keyDown.scan, keyDown.extended, 0})
                        ? kBaseVk[keyDown.scan]
                        : keyDown.code};
    const LockStates l = locks();
    const KeyboardState state{shiftDown(), ctrlDown(), altDown(), l.capsLock, l.numLock};
    const auto code = characterForKey(key, state);
    if (!code) {
        return std::nullopt;
    }
    return KeyEvent{KeyEventKind::Character, *code, keyDown.scan, keyDown.extended};
}

} // namespace quilby
