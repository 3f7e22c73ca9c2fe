#pragma once

#include "editing/TableEdit.h"

#include <string>
#include <string_view>
#include <variant>

namespace quilby {

// A copied position travels on the clipboard twice: exactly, in the
// program's own form (codes, words and label bytes), and as text for a mail
// or a ticket, one "word label" line per entry ("1e61 a").

inline constexpr std::string_view kEntryClipboardMime = "application/x-quilby-key-entries";

// "%04x label" lines, labels in UTF-8, each line ending in a line feed.
std::string entriesText(const PositionEntries& entries);

// The exact form: a header line, then "code word label-bytes" in hex.
std::string encodeEntries(const PositionEntries& entries);

struct ClipboardError {
    int line = 0;        // 1-based; 0 for the whole text
    std::string message; // Korean, for the message box
    bool operator==(const ClipboardError&) const = default;
};

using ClipboardParse = std::variant<PositionEntries, ClipboardError>;

// Reads either form. Text lines are "word label": the word in four hex
// digits, one blank, the label; blank lines are skipped. A word the key
// vocabulary does not know, a label code page 949 cannot hold, or more than
// 20 entries is refused, so a paste never writes what the keyboard cannot take.
ClipboardParse parseEntries(std::string_view text);

} // namespace quilby
