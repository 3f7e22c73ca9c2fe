#include "editing/KeyScript.h"

#include "editing/ScanCodes.h"

#include <algorithm>
#include <array>

namespace quilby {

namespace {

struct NamedKey {
    std::string_view name;
    int evdev; // Linux input code; 1-83 and 86-88 are the set-1 codes themselves
};

// Keys whose name is not a single letter or digit.
constexpr std::array<NamedKey, 70> kNamedKeys = {{
    {"esc", 1},     {"-", 12},       {"=", 13},     {"bs", 14},     {"tab", 15},    {"[", 26},
    {"]", 27},      {"enter", 28},   {"ctrl", 29},  {";", 39},      {"'", 40},      {"`", 41},
    {"shift", 42},  {"\\", 43},      {",", 51},     {".", 52},      {"/", 53},      {"rshift", 54},
    {"kp*", 55},    {"alt", 56},     {"space", 57}, {"caps", 58},   {"f1", 59},     {"f2", 60},
    {"f3", 61},     {"f4", 62},      {"f5", 63},    {"f6", 64},     {"f7", 65},     {"f8", 66},
    {"f9", 67},     {"f10", 68},     {"num", 69},   {"scroll", 70}, {"kp7", 71},    {"kp8", 72},
    {"kp9", 73},    {"kp-", 74},     {"kp4", 75},   {"kp5", 76},    {"kp6", 77},    {"kp+", 78},
    {"kp1", 79},    {"kp2", 80},     {"kp3", 81},   {"kp0", 82},    {"kp.", 83},    {"f11", 87},
    {"f12", 88},    {"kpenter", 96}, {"rctrl", 97}, {"kp/", 98},    {"prtsc", 99},  {"ralt", 100},
    {"home", 102},  {"up", 103},     {"pgup", 104}, {"left", 105},  {"right", 106}, {"end", 107},
    {"down", 108},  {"pgdn", 109},   {"ins", 110},  {"del", 111},   {"pause", 119}, {"hangul", 122},
    {"hanja", 123}, {"lwin", 125},   {"rwin", 126}, {"menu", 127},
}};

// Set-1 codes of the letters a-z and of the digits 0-9.
constexpr std::array<int, 26> kLetterCodes = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                              49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr std::array<int, 10> kDigitCodes = {11, 2, 3, 4, 5, 6, 7, 8, 9, 10};

} // namespace

std::optional<PcKey> pcKeyByName(std::string_view name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
        return pcKeyFromEvdev(kLetterCodes[static_cast<std::size_t>(name[0] - 'a')]);
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        return pcKeyFromEvdev(kDigitCodes[static_cast<std::size_t>(name[0] - '0')]);
    }
    for (const auto& named : kNamedKeys) {
        if (named.name == name) {
            return pcKeyFromEvdev(named.evdev);
        }
    }
    return std::nullopt;
}

std::string pcKeyName(const PcKey& key) {
    const auto evdev = evdevFromPcKey(key.scan, key.extended);
    if (!evdev) {
        return {};
    }
    for (std::size_t i = 0; i < kLetterCodes.size(); ++i) {
        if (kLetterCodes[i] == *evdev) {
            return std::string(1, static_cast<char>('a' + i));
        }
    }
    for (std::size_t i = 0; i < kDigitCodes.size(); ++i) {
        if (kDigitCodes[i] == *evdev) {
            return std::string(1, static_cast<char>('0' + i));
        }
    }
    for (const auto& named : kNamedKeys) {
        if (named.evdev == *evdev) {
            return std::string(named.name);
        }
    }
    return {};
}

std::vector<std::string_view> keyScriptNames() {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz";
    static constexpr std::string_view kDigits = "0123456789";
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        names.push_back(kLetters.substr(i, 1));
    }
    for (std::size_t i = 0; i < kDigits.size(); ++i) {
        names.push_back(kDigits.substr(i, 1));
    }
    for (const auto& named : kNamedKeys) {
        names.push_back(named.name);
    }
    return names;
}

std::variant<std::vector<KeyScriptStep>, std::string> parseKeyScript(std::string_view script) {
    std::vector<KeyScriptStep> steps;
    std::size_t at = 0;
    while (at < script.size()) {
        if (script[at] == ' ' || script[at] == '\t' || script[at] == '\n') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(script.find_first_of(" \t\n", at), script.size());
        std::string_view word = script.substr(at, end - at);
        at = end;
        KeyScriptStep step;
        if (word.size() > 1 && (word[0] == '+' || word[0] == '-')) {
            step.action =
                word[0] == '+' ? KeyScriptStep::Action::Press : KeyScriptStep::Action::Release;
            word.remove_prefix(1);
        }
        const auto key = pcKeyByName(word);
        if (!key) {
            return "unknown key name '" + std::string(word) + "'";
        }
        step.key = *key;
        steps.push_back(step);
    }
    return steps;
}

CaptureKeyboard::CaptureKeyboard(KeyCapture& capture, LockStates toggles) : capture_(capture) {
    source_.setLockToggles(toggles);
}

CaptureOutcome CaptureKeyboard::send(const KeyEvent& event) {
    const LockStates locks = source_.locks();
    const CaptureOutcome outcome = capture_.captureKeyEvent(event, locks);
    if (listener_) {
        listener_(event, locks, outcome);
    }
    return outcome;
}

CaptureOutcome CaptureKeyboard::press(const PcKey& key) {
    const bool repeat = std::find(down_.begin(), down_.end(), key) != down_.end();
    if (!repeat) {
        down_.push_back(key);
    }
    // The key's own key-down is the last event; a synthetic Shift release may
    // come before it.
    std::optional<KeyEvent> keyDown;
    CaptureOutcome outcome = CaptureOutcome::Consumed;
    for (const KeyEvent& event : source_.press(key, repeat)) {
        outcome = send(event);
        keyDown = event;
    }
    if (!keyDown || outcome == CaptureOutcome::Consumed) {
        return outcome;
    }
    if (keyDown->kind == KeyEventKind::KeyDown && keyDown->scan == scan::Escape &&
        !keyDown->extended) {
        ++cancels_;
        return outcome;
    }
    if (const auto character = source_.characterAfter(*keyDown)) {
        send(*character);
    }
    return outcome;
}

CaptureOutcome CaptureKeyboard::release(const PcKey& key) {
    down_.erase(std::remove(down_.begin(), down_.end(), key), down_.end());
    // The key's own key-up comes first; a synthetic Shift key-down may follow.
    std::optional<CaptureOutcome> keyUp;
    for (const KeyEvent& event : source_.release(key)) {
        const CaptureOutcome outcome = send(event);
        if (!keyUp) {
            keyUp = outcome;
        }
    }
    return keyUp.value_or(CaptureOutcome::Consumed);
}

void CaptureKeyboard::play(const std::vector<KeyScriptStep>& steps) {
    for (const auto& step : steps) {
        if (step.action != KeyScriptStep::Action::Release) {
            press(step.key);
        }
        if (step.action != KeyScriptStep::Action::Press) {
            release(step.key);
        }
    }
}

} // namespace quilby
