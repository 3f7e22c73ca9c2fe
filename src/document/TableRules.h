#pragma once

#include "document/KeyFileFinding.h"
#include "document/KeyTable.h"

#include <optional>
#include <string_view>

namespace quilby {

// The rules every table the program writes or takes in keeps: a label is at
// most 15 bytes of code page 949 text without control bytes, and every
// count is 0..20. Paste, the key editor and the writer check them before
// anything changes; a table that breaks one is refused, never cut.

// What is wrong with a label (LabelTooLong, LabelControlBytes or
// LabelNotDecodable); nullopt when it keeps the rules.
std::optional<KeyFileFinding::Kind> labelRuleBreak(std::string_view label);

// The first rule the table breaks, as a finding (position, the label's text
// made printable, or the count as raw value); nullopt when it keeps them all.
std::optional<KeyFileFinding> tableRuleBreak(const KeyTableData& table);

} // namespace quilby
