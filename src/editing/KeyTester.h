#pragma once

#include "common/TextMarker.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"
#include "editing/TableEdit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quilby {

// The positions of `table` whose entries in use are exactly `entries` (same
// codes and words, in order; labels are names only). An empty sequence
// matches nothing.
std::vector<int> positionsHolding(const KeyTableData& table, const PositionEntries& entries);

// The key tester: a POS keyboard key types its entries as one quick burst of
// keystrokes, so the keystrokes are captured exactly as the key editor
// captures them and cut into presses at the first pause longer than
// `pauseMs`; each press is then looked up in the table.
class KeyTester {
public:
    static constexpr std::int64_t kDefaultPauseMs = 250;

    struct Press {
        PositionEntries entries;
        std::vector<int> matches; // positions holding exactly these entries
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

    bool pressPending() const { return !pending_.empty(); }
    const std::vector<Press>& presses() const { return presses_; }
    void clearPresses() { presses_.clear(); }
    std::int64_t pauseMs() const { return pauseMs_; }

private:
    void harvest(std::int64_t ms);

    const KeyTableData* table_;
    std::int64_t pauseMs_;
    KeyEditor editor_;
    KeyCapture capture_{editor_};
    CaptureKeyboard keyboard_{capture_};
    KeyTableData empty_;
    PositionEntries pending_;
    std::int64_t lastEntryMs_ = 0;
    std::vector<Press> presses_;
};

// The phrases a press is written with; "%1" stands for the positions. A
// window passes them translated.
inline constexpr const char* kNoMatchingKeyText = QUILBY_TEXT("KeyTester", "일치하는 키 없음");
inline constexpr const char* kMatchingKeysText = QUILBY_TEXT("KeyTester", "키 %1");
struct PressWording {
    std::string noMatch = kNoMatchingKeyText;
    std::string matches = kMatchingKeysText;
};

// A press as the tester shows it: each entry's word and label (UTF-8), then
// the positions holding it, as in "1e61 a, 3062 b  →  키 07, 20".
std::string pressText(const KeyTester::Press& press, const PressWording& wording = {});

// Line `number` (from 1) of the tester's running list: "3. " and the press.
std::string pressListLine(std::size_t number, const KeyTester::Press& press,
                          const PressWording& wording = {});

} // namespace quilby
