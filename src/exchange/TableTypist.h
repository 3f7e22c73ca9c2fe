#pragma once

#include "document/KeyTable.h"
#include "editing/KeyCapture.h"
#include "editing/KeyEditor.h"
#include "editing/KeyScript.h"
#include "exchange/TableText.h"

#include <memory>
#include <optional>

namespace quilby {

// Types a table into a key editor opened on an empty table, position by
// position, as an operator would: every key script step goes through the
// editor's own capture, so a row obeys every rule typing obeys (20 entries,
// the keys the editor refuses). Entries typing cannot make are put in as
// they are, under the same limit and label rule.
class TableTypist {
public:
    TableTypist();

    // Selects `position` (0-97) as the arrow keys would, with NumLock and
    // CapsLock off and no key held.
    void startPosition(int position);

    // Each returns what is wrong when the editor refuses the step or the
    // entry; the table is then not to be used.
    std::optional<TableTextError::Problem> play(const KeyScriptStep& step);
    std::optional<TableTextError::Problem> putEntry(const KeyEntry& entry);
    // Whether a modifier is still waiting for its key.
    bool modifierPending() const { return capture_.state() != KeyCapture::State{}; }

    // The entries typed at the current position so far.
    int count() const { return editor_.currentCount(); }
    // What the editor's OK would write.
    KeyTableData table() const;

private:
    KeyEditor editor_;
    KeyCapture capture_;
    std::unique_ptr<CaptureKeyboard> keyboard_;
    int position_ = 0;
};

} // namespace quilby
