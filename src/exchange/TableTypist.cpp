#include "exchange/TableTypist.h"

#include "document/TableRules.h"
#include "editing/KeyButtonGrid.h"

namespace quilby {

using Problem = TableTextError::Problem;

TableTypist::TableTypist() : capture_(editor_) {
    editor_.initialise(KeyTableData{}); // an empty table, as a new document's
    startPosition(0);
}

void TableTypist::startPosition(int position) {
    position_ = position;
    editor_.selectPlace(keyButtonPlace(position));
    capture_.dropPendingModifiers();
    keyboard_ = std::make_unique<CaptureKeyboard>(capture_);
}

std::optional<TableTextError::Problem> TableTypist::play(const KeyScriptStep& step) {
    const long beeps = editor_.beepCount();
    const int cancels = keyboard_->cancels();
    if (step.action != KeyScriptStep::Action::Release) {
        keyboard_->press(step.key);
    }
    if (step.action != KeyScriptStep::Action::Press) {
        keyboard_->release(step.key);
    }
    if (keyboard_->cancels() != cancels) {
        return Problem::EscCloses;
    }
    if (editor_.currentKey() != position_) {
        return Problem::MovesPosition;
    }
    if (editor_.beepCount() != beeps) {
        return editor_.currentCount() >= kEntriesPerKey ? Problem::PositionFull
                                                        : Problem::KeyRefused;
    }
    return std::nullopt;
}

std::optional<TableTextError::Problem> TableTypist::putEntry(const KeyEntry& entry) {
    if (modifierPending()) {
        return Problem::RawWhileModifier;
    }
    const int slot = editor_.currentEntry() + 1;
    if (slot >= kEntriesPerKey || editor_.currentCount() >= kEntriesPerKey) {
        return Problem::PositionFull;
    }
    const long beeps = editor_.beepCount();
    editor_.appendEntry(slot, entry.code, entry.word, entry.label);
    // The editor refuses a label that breaks the label rule.
    if (editor_.beepCount() != beeps) {
        return labelRuleProblem(labelRuleBreak(entry.label).value_or(KeyFileFinding::Kind{}));
    }
    editor_.setCurrentEntry(slot);
    editor_.setCurrentCount(slot + 1);
    return std::nullopt;
}

KeyTableData TableTypist::table() const {
    KeyTableData table;
    (void)editor_.commitTable(table);
    table.tableLoaded = true;
    return table;
}

} // namespace quilby
