#pragma once

#include "common/TextMarker.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"
#include "editing/TableEdit.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quilby {

// The positions of `table` whose entries in use are exactly `entries` (same
// codes and words, in order; labels are names only). An empty sequence
// matches nothing.
std::vector<int> positionsHolding(const KeyTableData& table, const PositionEntries& entries);

// The vocabulary row a physical key stands for when the key editor's capture
// keeps it for itself (Esc, BackSpace, the grey arrows, the locks,
// PrintScreen, Pause, the Windows and Korean keys); nullopt for the others.
std::optional<int> ownKeyRow(const PcKey& key);
// The row of a modifier key typed alone (left or right Shift, Ctrl, Alt).
std::optional<int> loneModifierRow(const PcKey& key);

// The key tester: a POS keyboard key types its entries as one quick burst of
// keystrokes, so the keystrokes are captured exactly as the key editor
// captures them and cut into presses at the first pause longer than
// `pauseMs`; each press is then looked up in the table. The keys the editor
// keeps for its own duties, and a modifier pressed and released alone, are
// entered as the special key of that name, which is how a table holds them
// (a modifier only when no key of its burst follows it).
// One key holds at most 20 entries, so a longer burst is cut there.
class KeyTester {
public:
    static constexpr std::int64_t kDefaultPauseMs = 250;

    struct Press {
        PositionEntries entries;
        std::vector<int> matches; // positions holding exactly these entries
        bool cut = false;         // part of a burst longer than one key's 20 entries
        // A key the capture refused (Ctrl+Shift+Z, Shift+F1): its name with
        // the modifiers held, as "Ctrl+Shift+Z"; such a press has no entries.
        std::string refusedKey{};
    };

    explicit KeyTester(const KeyTableData& table, std::int64_t pauseMs = kDefaultPauseMs);

    // The table presses are matched against; earlier presses keep their matches.
    void setTable(const KeyTableData& table) { table_ = &table; }

    // A physical key going down or up at `ms` (a steady clock in milliseconds).
    void press(const PcKey& key, std::int64_t ms);
    void release(const PcKey& key, std::int64_t ms);
    void setPlatformLocks(std::optional<LockStates> locks) { keyboard_.setPlatformLocks(locks); }
    // One recorded event, as the capture would have been given it.
    void feed(const KeyEvent& event, LockStates locks, std::int64_t ms);

    // Ends the press in progress once `pauseMs` have passed since its last
    // keystroke; true when a press was ended. Call it from a timer.
    bool idle(std::int64_t ms);
    // Ends the press in progress now, whatever the time.
    bool finish();

    bool pressPending() const { return !pending_.empty() || !loneRows_.empty(); }
    const std::vector<Press>& presses() const { return presses_; }
    void clearPresses() { presses_.clear(); }
    std::int64_t pauseMs() const { return pauseMs_; }

private:
    // Takes what the last event entered; false when it entered nothing.
    bool harvest(std::int64_t ms);
    void addEntries(PositionEntries entries, std::int64_t ms);
    void enterAlone(int row, std::int64_t ms);
    void enterLoneModifiers();
    bool endPress();
    std::string chordName(const PcKey& key) const;
    void listRefused(std::string chord);

    const KeyTableData* table_;
    std::int64_t pauseMs_;
    KeyEditor editor_;
    KeyCapture capture_{editor_};
    CaptureKeyboard keyboard_{capture_};
    KeyTableData empty_;
    PositionEntries pending_;
    std::int64_t lastEntryMs_ = 0;
    bool cutPending_ = false;           // the press in progress follows a cut
    std::optional<PcKey> loneModifier_; // down, with no other key pressed since
    // Modifiers released alone, in order: a key in the same burst takes them
    // as the capture does (a POS key may type Alt, then 1); a burst that
    // ends with them still waiting lists them as keys of their own.
    std::vector<int> loneRows_;
    std::int64_t loneMs_ = 0;
    std::vector<PcKey> heldModifiers_;
    // Keys down that have entered nothing yet, with their chord's name: one
    // still without an entry when it comes up was refused, and is listed so.
    std::vector<std::pair<PcKey, std::string>> unentered_;
    std::vector<Press> presses_;
};

// The phrases a press is written with; "%1" stands for the positions. A
// window passes them translated.
inline constexpr const char* kNoMatchingKeyText = QUILBY_TEXT("KeyTester", "일치하는 키 없음");
inline constexpr const char* kMatchingKeysText = QUILBY_TEXT("KeyTester", "키 %1");
inline constexpr const char* kCutPressText =
    QUILBY_TEXT("KeyTester", "(한 키에 넣을 수 있는 20개를 넘어 나누어 표시함)");
inline constexpr const char* kRefusedKeyText =
    QUILBY_TEXT("KeyTester", "받을 수 없는 키 조합이라 어느 키에도 넣을 수 없음");
struct PressWording {
    std::string noMatch = kNoMatchingKeyText;
    std::string matches = kMatchingKeysText;
    std::string cut = kCutPressText;
    std::string refused = kRefusedKeyText;
};

// A press as the tester shows it: each entry's word and label (UTF-8), then
// the positions holding it, as in "1e61 a, 3062 b  →  키 07, 20".
std::string pressText(const KeyTester::Press& press, const PressWording& wording = {});

// Line `number` (from 1) of the tester's running list: "3. " and the press.
std::string pressListLine(std::size_t number, const KeyTester::Press& press,
                          const PressWording& wording = {});

} // namespace quilby
