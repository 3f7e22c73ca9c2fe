#include "editing/KeyTester.h"

#include "document/Cp949.h"
#include "editing/KeyEditor.h"
#include "editing/KeyVocabulary.h"
#include "editing/ScanCodes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace quilby {

namespace {

struct VkRow {
    std::uint8_t vk;
    bool extended; // required: the keypad's arrows share the grey arrows' codes
    int row;
};

// The special keys' rows (see the vocabulary's Ctrl+Shift chords).
constexpr std::array<VkRow, 16> kOwnKeyRows = {{
    {vk::PrintScreen, true, 155},
    {vk::ScrollLock, false, 156},
    {vk::Pause, false, 157},
    {vk::NumLock, false, 158},
    {vk::CapsLock, false, 159},
    {vk::Escape, false, 164},
    {vk::BackSpace, false, 167},
    {vk::Up, true, 168},
    {vk::Down, true, 169},
    {vk::Left, true, 170},
    {vk::Right, true, 171},
    {vk::LeftWindows, true, 175},
    {vk::RightWindows, true, 176},
    {vk::Hangul, false, 177},
    {vk::Menu, true, 178},
    {vk::Hanja, false, 179},
}};

struct ScanRow {
    std::uint8_t scan;
    bool extended;
    int row;
};

constexpr std::array<ScanRow, 6> kModifierRows = {{
    {scan::Ctrl, false, 160},
    {scan::Ctrl, true, 161},
    {scan::Alt, false, 162},
    {scan::Alt, true, 163},
    {scan::LeftShift, false, 165},
    {scan::RightShift, false, 166},
}};

} // namespace

std::optional<int> ownKeyRow(const PcKey& key) {
    for (const VkRow& own : kOwnKeyRows) {
        if (key.vk == own.vk && (!own.extended || key.extended)) {
            return own.row;
        }
    }
    return std::nullopt;
}

std::optional<int> loneModifierRow(const PcKey& key) {
    for (const ScanRow& modifier : kModifierRows) {
        if (key.scan == modifier.scan && key.extended == modifier.extended) {
            return modifier.row;
        }
    }
    return std::nullopt;
}

std::vector<int> positionsHolding(const KeyTableData& table, const PositionEntries& entries) {
    std::vector<int> found;
    if (entries.empty()) {
        return found;
    }
    for (int key = 0; key < kKeyPositions; ++key) {
        if (table.usedEntries(key) != static_cast<int>(entries.size())) {
            continue;
        }
        bool same = true;
        for (std::size_t e = 0; e < entries.size() && same; ++e) {
            const KeyEntry held = table.entryAt(key, static_cast<int>(e));
            same = held.code == entries[e].code && held.word == entries[e].word;
        }
        if (same) {
            found.push_back(key);
        }
    }
    return found;
}

KeyTester::KeyTester(const KeyTableData& table, std::int64_t pauseMs)
    : table_(&table), pauseMs_(pauseMs) {
    editor_.initialise(empty_);
}

// The capture still sees every key, so the lock toggles and the held
// modifiers stay as the platform has them.
void KeyTester::press(const PcKey& key, std::int64_t ms) {
    if (!loneRows_.empty() && ms - loneMs_ > pauseMs_) {
        enterLoneModifiers();
    }
    long beeps = editor_.beepCount();
    keyboard_.press(key);
    bool entered = harvest(ms);
    if (loneModifierRow(key)) {
        if (std::find(heldModifiers_.begin(), heldModifiers_.end(), key) == heldModifiers_.end()) {
            heldModifiers_.push_back(key);
        }
        loneModifier_ = key;
        return;
    }
    loneModifier_.reset();
    if (const auto row = ownKeyRow(key)) {
        loneRows_.clear();
        enterAlone(*row, ms);
        return;
    }
    // The capture refused the modifiers released alone with this key (Shift,
    // then a small letter): they were keys of their own, and so is this one.
    if (!entered && !loneRows_.empty() && editor_.beepCount() != beeps) {
        enterLoneModifiers();
        keyboard_.release(key);
        beeps = editor_.beepCount();
        keyboard_.press(key);
        entered = harvest(ms);
    }
    loneRows_.clear(); // the capture has taken them, with this key
    if (entered) {
        return;
    }
    // Refused with a beep: listed now, in its place among the presses. A
    // key that entered nothing without a beep is decided at its release.
    if (editor_.beepCount() != beeps) {
        listRefused(chordName(key));
        return;
    }
    const bool known = std::any_of(unentered_.begin(), unentered_.end(),
                                   [&key](const auto& down) { return down.first == key; });
    if (!known) {
        unentered_.emplace_back(key, chordName(key));
    }
}

void KeyTester::listRefused(std::string chord) {
    endPress();
    presses_.push_back(Press{{}, {}, false, std::move(chord)});
}

void KeyTester::release(const PcKey& key, std::int64_t ms) {
    keyboard_.release(key);
    const bool entered = harvest(ms);
    std::erase(heldModifiers_, key);
    if (loneModifier_ == key) {
        loneModifier_.reset();
        loneRows_.push_back(*loneModifierRow(key));
        loneMs_ = ms;
    }
    const auto down = std::find_if(unentered_.begin(), unentered_.end(),
                                   [&key](const auto& d) { return d.first == key; });
    if (down == unentered_.end()) {
        return;
    }
    std::string name = std::move(down->second);
    unentered_.erase(down);
    // A key with Alt held may be entered on its release; otherwise the
    // capture refused it silently (Alt, then a period), and the list says so.
    if (!entered) {
        listRefused(std::move(name));
    }
}

std::string KeyTester::chordName(const PcKey& key) const {
    struct Modifier {
        std::uint8_t scan;
        const char* name;
    };
    constexpr Modifier kModifiers[] = {
        {scan::Ctrl, "Ctrl"}, {scan::Alt, "Alt"}, {scan::LeftShift, "Shift"}};
    std::string name;
    for (const Modifier& m : kModifiers) {
        const bool held =
            std::any_of(heldModifiers_.begin(), heldModifiers_.end(), [&m](const PcKey& k) {
                return k.scan == m.scan ||
                       (m.scan == scan::LeftShift && k.scan == scan::RightShift);
            });
        if (held) {
            name += std::string(m.name) + "+";
        }
    }
    std::string own = pcKeyName(key);
    if (own.empty()) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%s%02X", key.extended ? "E0" : "", key.scan);
        own = code;
    }
    own[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(own[0])));
    return name + own;
}

// A key entered by itself: modifiers still pending in the capture would
// otherwise fall on (or refuse) the next key.
void KeyTester::enterAlone(int row, std::int64_t ms) {
    capture_.dropPendingModifiers();
    addEntries({makeEntry(vocabularyRow(row), WordColumn::Normal)}, ms);
}

void KeyTester::feed(const KeyEvent& event, LockStates locks, std::int64_t ms) {
    capture_.captureKeyEvent(event, locks);
    harvest(ms);
}

void KeyTester::enterLoneModifiers() {
    const std::vector<int> rows = std::move(loneRows_);
    loneRows_.clear();
    for (const int row : rows) {
        enterAlone(row, loneMs_);
    }
}

// Whatever the event entered is taken out of the editor at once, so the
// editor never fills up and BackSpace or an arrow cannot disturb an earlier
// press; pending modifiers stay with the capture.
bool KeyTester::harvest(std::int64_t ms) {
    PositionEntries entries;
    for (int key = 0; key < kKeyPositions; ++key) {
        for (auto& entry : entriesAt(editor_.workingTable(), key)) {
            entries.push_back(std::move(entry));
        }
    }
    if (entries.empty()) {
        return false;
    }
    editor_.initialise(empty_);
    addEntries(std::move(entries), ms);
    return true;
}

void KeyTester::addEntries(PositionEntries entries, std::int64_t ms) {
    if (!pending_.empty() && ms - lastEntryMs_ > pauseMs_) {
        endPress();
    }
    // No key types more than 20 entries: the burst is several keys, or
    // keys typed faster than the pause; its pieces are marked.
    if (!pending_.empty() &&
        pending_.size() + entries.size() > static_cast<std::size_t>(kEntriesPerKey)) {
        cutPending_ = true;
        endPress();
        cutPending_ = true;
    }
    pending_.insert(pending_.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    lastEntryMs_ = ms;
}

bool KeyTester::idle(std::int64_t ms) {
    if (!loneRows_.empty() && ms - loneMs_ > pauseMs_) {
        enterLoneModifiers();
    }
    if (pending_.empty() || ms - lastEntryMs_ <= pauseMs_) {
        return false;
    }
    return endPress();
}

bool KeyTester::finish() {
    enterLoneModifiers();
    return endPress();
}

bool KeyTester::endPress() {
    if (pending_.empty()) {
        return false;
    }
    Press press{std::move(pending_), {}, cutPending_};
    pending_.clear();
    cutPending_ = false;
    press.matches = positionsHolding(*table_, press.entries);
    presses_.push_back(std::move(press));
    return true;
}

std::string pressText(const KeyTester::Press& press, const PressWording& wording) {
    if (!press.refusedKey.empty()) {
        return press.refusedKey + "  →  " + wording.refused;
    }
    std::string text;
    for (const auto& entry : press.entries) {
        if (!text.empty()) {
            text += ", ";
        }
        text += formatWord(entry.word) + " " + cp949ToUtf8(entry.label);
    }
    if (press.cut) {
        text += " " + wording.cut;
    }
    text += "  →  ";
    if (press.matches.empty()) {
        return text + wording.noMatch;
    }
    std::string positions;
    for (const int key : press.matches) {
        if (!positions.empty()) {
            positions += ", ";
        }
        positions += keyPositionName(key);
    }
    std::string found = wording.matches;
    if (const auto at = found.find("%1"); at != std::string::npos) {
        found.replace(at, 2, positions);
    }
    return text + found;
}

std::string pressListLine(std::size_t number, const KeyTester::Press& press,
                          const PressWording& wording) {
    return std::to_string(number) + ". " + pressText(press, wording);
}

} // namespace quilby
