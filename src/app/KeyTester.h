#pragma once

#include "app/TableEdit.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"

#include <cstdint>
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

} // namespace quilby
