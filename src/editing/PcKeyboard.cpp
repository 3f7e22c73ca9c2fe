#include "editing/PcKeyboard.h"

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

// Keypad digit keys with NumLock on: VK_NUMPAD0-9 and VK_DECIMAL.
std::uint8_t numLockVk(std::uint8_t scan) {
    switch (scan) {
    case 71:
        return 0x67;
    case 72:
        return 0x68;
    case 73:
        return 0x69;
    case 75:
        return 0x64;
    case 76:
        return 0x65;
    case 77:
        return 0x66;
    case 79:
        return 0x61;
    case 80:
        return 0x62;
    case 81:
        return 0x63;
    case 82:
        return 0x60;
    case 83:
        return 0x6e;
    default:
        return 0;
    }
}

struct ExtendedKey {
    int evdev;
    PcKey key;
};

constexpr std::array<ExtendedKey, 21> kSpecialKeys = {{
    {96, {28, true, 0x0d}},    // keypad Enter
    {97, {29, true, 0x11}},    // right Ctrl
    {98, {53, true, 0x6f}},    // keypad /
    {99, {55, true, 0x2c}},    // PrintScreen
    {100, {56, true, 0x12}},   // right Alt
    {102, {71, true, 0x24}},   // Home
    {103, {72, true, 0x26}},   // Up
    {104, {73, true, 0x21}},   // Page Up
    {105, {75, true, 0x25}},   // Left
    {106, {77, true, 0x27}},   // Right
    {107, {79, true, 0x23}},   // End
    {108, {80, true, 0x28}},   // Down
    {109, {81, true, 0x22}},   // Page Down
    {110, {82, true, 0x2d}},   // Insert
    {111, {83, true, 0x2e}},   // Delete
    {119, {69, false, 0x13}},  // Pause: the NumLock make code, not extended
    {122, {114, false, 0x15}}, // Hangul
    {123, {113, false, 0x19}}, // Hanja
    {125, {91, true, 0x5b}},   // left Windows key
    {126, {92, true, 0x5c}},   // right Windows key
    {127, {93, true, 0x5d}},   // Menu
}};

bool isLetterVk(std::uint8_t vk) {
    return vk >= 0x41 && vk <= 0x5a;
}

struct Punctuation {
    std::uint8_t scan;
    char normal;
    char shifted;
};
constexpr std::array<Punctuation, 21> kPrintable = {{
    {2, '1', '!'},   {3, '2', '@'},  {4, '3', '#'},   {5, '4', '$'},  {6, '5', '%'},
    {7, '6', '^'},   {8, '7', '&'},  {9, '8', '*'},   {10, '9', '('}, {11, '0', ')'},
    {12, '-', '_'},  {13, '=', '+'}, {26, '[', '{'},  {27, ']', '}'}, {39, ';', ':'},
    {40, '\'', '"'}, {41, '`', '~'}, {43, '\\', '|'}, {51, ',', '<'}, {52, '.', '>'},
    {53, '/', '?'},
}};

} // namespace

std::optional<PcKey> pcKeyFromEvdev(int evdevCode) {
    if ((evdevCode >= 1 && evdevCode <= 83) || (evdevCode >= 86 && evdevCode <= 88)) {
        const auto scan = static_cast<std::uint8_t>(evdevCode);
        return PcKey{scan, false, kBaseVk[scan]};
    }
    for (const auto& special : kSpecialKeys) {
        if (special.evdev == evdevCode) {
            return special.key;
        }
    }
    return std::nullopt;
}

std::optional<int> evdevFromPcKey(std::uint8_t scan, bool extended) {
    if (!extended && ((scan >= 1 && scan <= 83) || (scan >= 86 && scan <= 88))) {
        return scan;
    }
    for (const auto& special : kSpecialKeys) {
        if (special.key.scan == scan && special.key.extended == extended) {
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
        if (key.scan == 28) {
            return ch(state.ctrl ? 0x0a : 0x0d);
        }
        if (key.scan == 53) {
            return state.ctrl ? std::nullopt : ch('/');
        }
        return std::nullopt;
    }
    if (isLetterVk(key.vk)) {
        if (state.ctrl) {
            return ch(key.vk - 0x40);
        }
        const bool upper = state.shift != state.capsLock;
        return ch(upper ? key.vk : key.vk + 0x20);
    }
    switch (key.scan) {
    case 1:
        return ch(0x1b);
    case 14:
        return ch(state.ctrl ? 0x7f : 0x08);
    case 15:
        return state.ctrl ? std::nullopt : ch(0x09);
    case 28:
        return ch(state.ctrl ? 0x0a : 0x0d);
    case 57:
        return ch(' ');
    case 55:
        return state.ctrl ? std::nullopt : ch('*');
    case 74:
        return state.ctrl ? std::nullopt : ch('-');
    case 78:
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
        return ch(key.scan == 83 ? '.' : "789-456+1230"[key.scan - 71]);
    }
    if (state.ctrl) {
        switch (key.scan) {
        case 26:
            return ch(0x1b);
        case 43:
            return ch(0x1c);
        case 27:
            return ch(0x1d);
        case 7:
            return state.shift ? ch(0x1e) : std::nullopt;
        case 12:
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
    if (key.vk == 0x79) { // F10 is a system key on its own
        return true;
    }
    // Alt itself is a system key unless Ctrl is down: the capture learns of a
    // pending Alt only from its system key-down.
    return (altDown() || key.vk == 0x12) && !ctrlDown();
}

KeyEvent PcKeyEventSource::keyEvent(KeyEventKind kind, const PcKey& key) const {
    std::uint8_t vk = key.vk;
    if (isKeypadDigitKey(key) && locks().numLock && !shiftDown()) {
        vk = numLockVk(key.scan);
    }
    return KeyEvent{kind, vk, key.scan, key.extended};
}

void PcKeyEventSource::track(const PcKey& key, bool down) {
    switch (key.vk) {
    case 0x10:
        (key.scan == 54 ? rightShift_ : leftShift_) = down;
        break;
    case 0x11:
        (key.extended ? rightCtrl_ : leftCtrl_) = down;
        break;
    case 0x12:
        (key.extended ? rightAlt_ : leftAlt_) = down;
        break;
    case 0x14:
        if (down && !capsHeld_) {
            capsToggled_ = !capsToggled_;
        }
        capsHeld_ = down;
        break;
    case 0x90:
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
        // NumLock on and Shift held: the keyboard lifts Shift for the keypad
        // key and presses it again afterwards.
        events.push_back(KeyEvent{KeyEventKind::KeyUp, 0x10, 42, false});
        shiftLifted_ = true;
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
    events.push_back(keyEvent(system ? KeyEventKind::SystemKeyUp : KeyEventKind::KeyUp, key));
    track(key, false);
    if (shiftLifted_ && isKeypadDigitKey(key)) {
        shiftLifted_ = false;
        if (shiftDown()) {
            events.push_back(KeyEvent{KeyEventKind::KeyDown, 0x10, 42, false});
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
