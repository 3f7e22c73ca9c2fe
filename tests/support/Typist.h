#pragma once

#include "editing/KeyCapture.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quilby::testing {

// Types on a US PC keyboard into a KeyCapture the way the platform delivers
// the events: a character follows a key-down only when the key-down was not
// consumed; keys pressed while Alt alone is down are system key-downs and
// -ups; F10 is a system key; with NumLock on, a keypad key pressed with
// Shift held is wrapped in a synthetic Shift release and Shift press.
//
// A script is a list of key names separated by spaces: "name" presses and
// releases a key, "+name" only presses it, "-name" only releases it.
// Names: a-z, 0-9, - = [ ] \ ; ' ` , . /, space tab enter kpenter esc bs,
// shift rshift ctrl rctrl alt ralt caps num scroll, f1-f12, up down left
// right home end pgup pgdn ins del, kp0-kp9 kp. kp/ kp* kp- kp+, lwin.
class Typist {
public:
    struct Sent {
        KeyEvent event;
        CaptureOutcome outcome;
    };

    explicit Typist(KeyCapture& capture, LockStates locks = {})
        : capture_(capture), numLock_(locks.numLock), capsLock_(locks.capsLock) {}

    void type(std::string_view script) {
        std::istringstream words{std::string(script)};
        std::string word;
        while (words >> word) {
            if (word.size() > 1 && (word[0] == '+' || word[0] == '-')) {
                const Key key = lookup(word.substr(1));
                word[0] == '+' ? press(key) : release(key);
            } else {
                const Key key = lookup(word);
                press(key);
                release(key);
            }
        }
    }

    CaptureOutcome send(const KeyEvent& event) {
        const auto outcome = capture_.CaptureKeyEvent(event, LockStates{numLock_, capsLock_});
        sent.push_back({event, outcome});
        return outcome;
    }

    std::vector<Sent> sent;

private:
    struct Key {
        std::string name;
        std::uint8_t vk = 0;
        std::uint8_t scan = 0;
        bool extended = false;
        int plain = -1; // character typed alone, -1 for none
        int shifted = -1;
        int keypadDigit = -1; // a keypad key that NumLock turns into a digit
        std::uint8_t vkWithoutNumLock = 0;
    };

    static Key lookup(const std::string& name) {
        static const char* const letterScans =
            "\x1e\x30\x2e\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32"
            "\x31\x18\x19\x10\x13\x1f\x14\x16\x2f\x11\x2d\x15\x2c";
        if (name.size() == 1 && std::islower(static_cast<unsigned char>(name[0]))) {
            const int i = name[0] - 'a';
            return {name,
                    static_cast<std::uint8_t>('A' + i),
                    static_cast<std::uint8_t>(letterScans[i]),
                    false,
                    'a' + i,
                    'A' + i};
        }
        if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
            const int d = name[0] - '0';
            const char* shifted = ")!@#$%^&*(";
            return {name,
                    static_cast<std::uint8_t>('0' + d),
                    static_cast<std::uint8_t>(d == 0 ? 11 : d + 1),
                    false,
                    '0' + d,
                    shifted[d]};
        }
        struct Named {
            const char* name;
            std::uint8_t vk, scan;
            bool extended;
            int plain, shifted;
        };
        static const Named named[] = {
            {"-", 0xbd, 12, false, '-', '_'},    {"=", 0xbb, 13, false, '=', '+'},
            {"[", 0xdb, 26, false, '[', '{'},    {"]", 0xdd, 27, false, ']', '}'},
            {"\\", 0xdc, 43, false, '\\', '|'},  {";", 0xba, 39, false, ';', ':'},
            {"'", 0xde, 40, false, '\'', '"'},   {"`", 0xc0, 41, false, '`', '~'},
            {",", 0xbc, 51, false, ',', '<'},    {".", 0xbe, 52, false, '.', '>'},
            {"/", 0xbf, 53, false, '/', '?'},    {"space", 0x20, 57, false, ' ', ' '},
            {"tab", 0x09, 15, false, 9, 9},      {"enter", 0x0d, 28, false, 13, 13},
            {"kpenter", 0x0d, 28, true, 13, 13}, {"esc", 0x1b, 1, false, 27, 27},
            {"bs", 0x08, 14, false, 8, 8},       {"shift", 0x10, 42, false, -1, -1},
            {"rshift", 0x10, 54, false, -1, -1}, {"ctrl", 0x11, 29, false, -1, -1},
            {"rctrl", 0x11, 29, true, -1, -1},   {"alt", 0x12, 56, false, -1, -1},
            {"ralt", 0x12, 56, true, -1, -1},    {"caps", 0x14, 58, false, -1, -1},
            {"num", 0x90, 69, false, -1, -1},    {"scroll", 0x91, 70, false, -1, -1},
            {"f11", 0x7a, 87, false, -1, -1},    {"f12", 0x7b, 88, false, -1, -1},
            {"up", 0x26, 72, true, -1, -1},      {"down", 0x28, 80, true, -1, -1},
            {"left", 0x25, 75, true, -1, -1},    {"right", 0x27, 77, true, -1, -1},
            {"home", 0x24, 71, true, -1, -1},    {"end", 0x23, 79, true, -1, -1},
            {"pgup", 0x21, 73, true, -1, -1},    {"pgdn", 0x22, 81, true, -1, -1},
            {"ins", 0x2d, 82, true, -1, -1},     {"del", 0x2e, 83, true, -1, -1},
            {"kp/", 0x6f, 53, true, '/', '/'},   {"kp*", 0x6a, 55, false, '*', '*'},
            {"kp-", 0x6d, 74, false, '-', '-'},  {"kp+", 0x6b, 78, false, '+', '+'},
            {"lwin", 0x5b, 91, true, -1, -1},
        };
        for (const auto& n : named) {
            if (name == n.name) {
                return {name, n.vk, n.scan, n.extended, n.plain, n.shifted};
            }
        }
        if (name.size() >= 2 && name[0] == 'f' &&
            std::isdigit(static_cast<unsigned char>(name[1]))) {
            const int f = std::stoi(name.substr(1));
            if (f >= 1 && f <= 10) {
                return {name, static_cast<std::uint8_t>(0x6f + f),
                        static_cast<std::uint8_t>(58 + f)};
            }
        }
        // Keypad digits: scan, the virtual key with NumLock off, the digit.
        struct Pad {
            const char* name;
            std::uint8_t scan, vkOff;
            int digit;
        };
        static const Pad pads[] = {{"kp7", 71, 0x24, 7}, {"kp8", 72, 0x26, 8}, {"kp9", 73, 0x21, 9},
                                   {"kp4", 75, 0x25, 4}, {"kp5", 76, 0x0c, 5}, {"kp6", 77, 0x27, 6},
                                   {"kp1", 79, 0x23, 1}, {"kp2", 80, 0x28, 2}, {"kp3", 81, 0x22, 3},
                                   {"kp0", 82, 0x2d, 0}, {"kp.", 83, 0x2e, 10}};
        for (const auto& p : pads) {
            if (name == p.name) {
                Key key{name, 0, p.scan};
                key.keypadDigit = p.digit;
                key.vkWithoutNumLock = p.vkOff;
                return key;
            }
        }
        throw std::invalid_argument("unknown key name " + name);
    }

    bool altAlone() const { return altDown_ && !ctrlDown_; }

    // A keypad key with Shift held and NumLock on acts as if Shift were up.
    bool keypadUnshift(const Key& key) const {
        return key.keypadDigit >= 0 && numLock_ && shiftDown_;
    }

    std::uint8_t virtualKey(const Key& key) const {
        if (key.keypadDigit < 0) {
            return key.vk;
        }
        if (!numLock_ || shiftDown_) {
            return key.vkWithoutNumLock;
        }
        return static_cast<std::uint8_t>(key.keypadDigit == 10 ? 0x6e : 0x60 + key.keypadDigit);
    }

    std::optional<int> character(const Key& key) const {
        if (key.keypadDigit >= 0) {
            if (numLock_ && !shiftDown_ && !ctrlDown_) {
                return key.keypadDigit == 10 ? '.' : '0' + key.keypadDigit;
            }
            return std::nullopt;
        }
        const bool letter = key.plain >= 'a' && key.plain <= 'z';
        if (ctrlDown_) {
            if (letter) {
                return key.plain - 'a' + 1;
            }
            switch (key.plain) {
            case '[':
                return 27;
            case '\\':
                return 28;
            case ']':
                return 29;
            case ' ':
                return ' ';
            case 8:
                return 0x7f;
            case 13:
                return 10;
            default:
                return std::nullopt;
            }
        }
        if (key.plain < 0) {
            return std::nullopt;
        }
        const bool shifted = letter ? shiftDown_ != capsLock_ : shiftDown_;
        return shifted ? key.shifted : key.plain;
    }

    void press(const Key& key) {
        const bool unshift = keypadUnshift(key);
        if (unshift) {
            send({KeyEventKind::KeyUp, 0x10, 42, true});
            syntheticShiftPending_ = true;
        }
        const bool system =
            key.name == "f10" || (altAlone() && key.vk != 0x12) || (key.vk == 0x12 && !ctrlDown_);
        if (key.vk == 0x14) {
            capsLock_ = !capsLock_;
        } else if (key.vk == 0x90) {
            numLock_ = !numLock_;
        }
        const bool shiftBefore = shiftDown_;
        shiftDown_ = shiftDown_ && !unshift;
        const KeyEvent down{system ? KeyEventKind::SystemKeyDown : KeyEventKind::KeyDown,
                            virtualKey(key), key.scan, key.extended};
        const auto outcome = send(down);
        if (!system && outcome != CaptureOutcome::Consumed && key.vk != 0x1b) {
            if (const auto c = character(key)) {
                send({KeyEventKind::Character, static_cast<std::uint8_t>(*c), key.scan,
                      key.extended});
            }
        }
        shiftDown_ = shiftBefore;
        if (key.vk == 0x10) {
            shiftDown_ = true;
        } else if (key.vk == 0x11) {
            ctrlDown_ = true;
        } else if (key.vk == 0x12) {
            altDown_ = true;
        }
    }

    void release(const Key& key) {
        const bool system = altAlone() || (key.vk == 0x12 && !ctrlDown_);
        if (key.vk == 0x10) {
            shiftDown_ = false;
        } else if (key.vk == 0x11) {
            ctrlDown_ = false;
        } else if (key.vk == 0x12) {
            altDown_ = false;
        }
        const bool shiftBefore = shiftDown_;
        shiftDown_ = shiftDown_ && !syntheticShiftPending_;
        send({system ? KeyEventKind::SystemKeyUp : KeyEventKind::KeyUp, virtualKey(key), key.scan,
              key.extended});
        shiftDown_ = shiftBefore;
        if (key.keypadDigit >= 0 && syntheticShiftPending_) {
            syntheticShiftPending_ = false;
            send({KeyEventKind::KeyDown, 0x10, 42, true});
        }
    }

    KeyCapture& capture_;
    bool numLock_ = false;
    bool capsLock_ = false;
    bool shiftDown_ = false;
    bool ctrlDown_ = false;
    bool altDown_ = false;
    bool syntheticShiftPending_ = false;
};

} // namespace quilby::testing
