#pragma once

#include "document/KeyFileFinding.h"
#include "document/KeyTable.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quilby {

// A key table as text for people and other programs, both ways: JSON for
// programs (every field exact) and CSV for spreadsheets (keystrokes as key
// scripts). Either form read back gives the same table, so writing it again
// gives the same .KEY bytes.
enum class TableTextFormat : std::uint8_t { Json, Csv };

// The JSON form's name and version, at the top of every exported document.
inline constexpr std::string_view kTableJsonFormat = "quilby-key-table";
inline constexpr int kTableJsonVersion = 1;
// The CSV form's header row.
inline constexpr std::string_view kTableCsvHeader = "position,keys,spare";

// What is wrong with a text that was to become a table, and where, as a
// typed value: the command line words it in English (message()), the
// windows in their own words.
struct TableTextError {
    enum class Kind : std::uint8_t {
        Unreadable, // not the form it claims, or not a form at all
        Refused,    // read, but the table it describes breaks a rule typing or the file keeps
    };
    enum class Problem : std::uint8_t {
        NotTableText,        // neither form
        JsonSyntax,          // `detail`: where the JSON reader stopped (English)
        NotThisFormat,       // "format" names another form
        UnknownVersion,      // `detail`: the version given
        MissingField,        // `field` is missing
        WrongType,           // `detail`: what the field must be ("a number", ...)
        UnknownField,        // `field` is no member of the form
        WrongItemCount,      // `number` items where `limit` belong
        OutOfRange,          // not a whole number from 0 to `limit`
        PositionTwice,       // position `number`, given first on line `limit` (CSV)
        LabelNoCp949,        // a character code page 949 lacks (or no UTF-8 at all)
        LabelTooLong,        // `number` bytes in code page 949
        LabelControlChars,   // control characters in a label
        CsvSyntax,           // `detail`: what breaks RFC 4180 (English)
        CsvHeader,           // the first line is not the header
        CsvColumns,          // a row of `number` columns
        BadPosition,         // not a position number 0..97
        UnknownKeyName,      // `word` names no key
        BadRawEntry,         // `word` is no #CODE:WORD:LABEL; `detail` says why (English)
        SpareNotRaw,         // `word` in the spare column is no raw entry
        TooManySpare,        // more spare slots than 20 - count
        PositionFull,        // `word` would make a 21st entry
        KeyRefused,          // the key editor beeps at `word`
        EscCloses,           // `word` is Esc, which closes the key editor
        MovesPosition,       // `word` selects another position
        ModifierLeftPending, // the keys end with Shift, Ctrl or Alt waiting
        RawWhileModifier,    // raw entry `word` while a modifier waits for its key
    };
    Kind kind = Kind::Unreadable;
    Problem problem = Problem::NotTableText;
    int line = 0;      // 1-based; 0 when no line can be named
    std::string field; // the JSON field ("positions[3].labels[2]") or CSV column ("keys")
    std::string word;  // the keystroke or raw entry concerned (CSV)
    std::string detail;
    std::int64_t number = 0;
    std::int64_t limit = 0;
    bool csv = false; // the field is a CSV column

    // English, for the command line: "line 4, column keys: 'x': unknown key name".
    std::string message() const;
};

// The problem of a label that breaks the label rule (TableRules.h).
TableTextError::Problem labelRuleProblem(KeyFileFinding::Kind broken);

// The format a path's extension names (.json, .csv, any case); nullopt else.
std::optional<TableTextFormat> tableTextFormatOf(std::string_view path);

std::string exportTableText(const KeyTableData& table, TableTextFormat format);

// Reads either form: JSON when the text starts with '{', CSV when its first
// line starts with the header's first name. The table comes back with tableLoaded set.
std::variant<KeyTableData, TableTextError> importTableText(std::string_view text);

} // namespace quilby
