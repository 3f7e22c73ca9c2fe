#pragma once

#include "common/TextMarker.h"
#include "editing/TableEdit.h"

#include <cstdint>

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

// Why a paste is refused.
enum class ClipboardProblem : std::uint8_t {
    BadForm,           // a line of the exact form is not "code word label-bytes" in hex
    NotWordAndLabel,   // a text line is not "word label"
    LabelNotCp949,     // the label has a character code page 949 cannot hold
    UnknownWord,       // no key makes the word
    TooManyEntries,    // more than 20 entries
    NothingToPaste,    // not one entry
    LabelTooLong,      // the label has more than 15 bytes
    LabelControlBytes, // the label holds a control byte
    LabelNotKeyName,   // a text line's label is not the vocabulary's name of its word
};

struct ClipboardError {
    ClipboardProblem problem = ClipboardProblem::BadForm;
    int line = 0;           // 1-based; 0 for the whole text
    std::uint16_t word = 0; // the word no key makes (UnknownWord)
    bool operator==(const ClipboardError&) const = default;
};

// The sentence for `problem`, marked for translation in the context
// "EntryClipboard"; in the unknown word's sentence "%1" stands for the word.
const char* clipboardProblemText(ClipboardProblem problem);
// A problem of one line: "%1" is the line number, "%2" the sentence.
inline constexpr const char* kClipboardLineText = QUILBY_TEXT("EntryClipboard", "%1번째 줄: %2");

// The message as the program words it, e.g. "2번째 줄: 알 수 없는 워드 fffe입니다."
std::string clipboardErrorMessage(const ClipboardError& error);

using ClipboardParse = std::variant<PositionEntries, ClipboardError>;

// Reads either form. Text lines are "word label": the word in four hex
// digits, one blank, the label; blank lines are skipped; a line may end in
// CR LF. A text line's code comes from the vocabulary row that makes the word
// and whose name the label is; any other label is refused (only the exact
// form carries labels of the user's own). A word the key vocabulary does not
// know, a label that breaks the table's rules (over 15 bytes, control bytes,
// not code page 949 text), or more than 20 entries is refused, so a paste
// never writes what the keyboard or the file cannot take.
ClipboardParse parseEntries(std::string_view text);

// Which of the clipboard's forms a paste reads: the exact form whenever it is
// there (it keeps codes and slots the text cannot), else the text; None when
// the clipboard holds neither, so Paste stays disabled.
enum class ClipboardForm { Exact, Text, None };
ClipboardForm pasteForm(bool hasExactForm, bool hasText);

} // namespace quilby
