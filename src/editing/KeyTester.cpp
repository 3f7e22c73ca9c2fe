#include "editing/KeyTester.h"

#include "document/Cp949.h"
#include "editing/KeyEditor.h"

namespace quilby {

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

void KeyTester::press(const PcKey& key, std::int64_t ms) {
    keyboard_.press(key);
    harvest(ms);
}

void KeyTester::release(const PcKey& key, std::int64_t ms) {
    keyboard_.release(key);
    harvest(ms);
}

void KeyTester::feed(const KeyEvent& event, LockStates locks, std::int64_t ms) {
    capture_.captureKeyEvent(event, locks);
    harvest(ms);
}

// Whatever the event entered is taken out of the editor at once, so the
// editor never fills up and BackSpace or an arrow cannot disturb an earlier
// press; pending modifiers stay with the capture.
void KeyTester::harvest(std::int64_t ms) {
    PositionEntries entries;
    for (int key = 0; key < kKeyPositions; ++key) {
        for (auto& entry : entriesAt(editor_.workingTable(), key)) {
            entries.push_back(std::move(entry));
        }
    }
    if (entries.empty()) {
        return;
    }
    editor_.initialise(empty_);
    if (!pending_.empty() && ms - lastEntryMs_ > pauseMs_) {
        finish();
    }
    pending_.insert(pending_.end(), entries.begin(), entries.end());
    lastEntryMs_ = ms;
}

bool KeyTester::idle(std::int64_t ms) {
    if (pending_.empty() || ms - lastEntryMs_ <= pauseMs_) {
        return false;
    }
    return finish();
}

bool KeyTester::finish() {
    if (pending_.empty()) {
        return false;
    }
    Press press{std::move(pending_), {}};
    pending_.clear();
    press.matches = positionsHolding(*table_, press.entries);
    presses_.push_back(std::move(press));
    return true;
}

std::string pressText(const KeyTester::Press& press, const PressWording& wording) {
    std::string text;
    for (const auto& entry : press.entries) {
        if (!text.empty()) {
            text += ", ";
        }
        text += formatWord(entry.word) + " " + cp949ToUtf8(entry.label);
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
