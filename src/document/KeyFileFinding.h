#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quilby {

// What the reader noticed while reading a .KEY file, as a kind and its facts;
// the words are the renderers' business (English here for the command line,
// the windows' own in the Qt layer). The reader never stops on any of these
// (the format is read tolerantly); `quilby-key check` shows them so a damaged
// or shifted file can be spotted before it is downloaded.
struct KeyFileFinding {
    enum class Kind {
        CrLfLineEnds,      // note: read the same as LF
        SplitRow,          // note: a codes or words row continued on a second line
        RowTooLong,        // more than 20 values (`rawValue`): the extra values were dropped
        CountOutOfRange,   // count `rawValue` outside 0..20, read as `readAs`
        ValueOutOfRange,   // a code, word or label byte `rawValue` that had to be cut
        NotANumber,        // `excerpt` is not a decimal number; a value read as `readAs`
        SeparatorNotEmpty, // the 24th line of a block held something
        MissingBlocks,     // the file ended after `rawValue` complete positions
        TrailingData,      // something after the 98th block
        DosEndOfFile,      // note: a 0x1A byte ends the file, as DOS editors write it
        EmptyFile,         // the file holds no byte at all
        LabelControlBytes, // a label (`excerpt`) holds a control byte
        LabelNotDecodable, // a label (`excerpt`) is not valid code page 949 text
        LabelTooLong,      // a label line of `rawValue` values, more than 15 (`excerpt`)
    };
    // The line of a block a finding is about.
    enum class Row { None, Codes, Words, Count, Labels };

    // The facts in the order of the fields; those a kind does not use stay 0.
    KeyFileFinding(Kind k, int atLine = 0, int atPosition = 0, std::int64_t raw = 0,
                   Row inRow = Row::None, std::int32_t read = 0, std::string text = {})
        : kind(k), line(atLine), position(atPosition), rawValue(raw), row(inRow), readAs(read),
          excerpt(std::move(text)) {}

    Kind kind;
    int line;              // 1-based line number in the file (0: not tied to a line)
    int position;          // key position 0..97 the line belongs to
    std::int64_t rawValue; // the value as the file wrote it (or counted it)
    Row row;
    std::int32_t readAs; // what a count or a value that is no number was read as
    std::string excerpt; // the file's text concerned, already made printable

    // Notes describe tolerated variants of the format; everything else is
    // suspicious.
    bool isNote() const {
        return kind == Kind::CrLfLineEnds || kind == Kind::SplitRow || kind == Kind::DosEndOfFile;
    }

    // The finding in English, as the command line prints it.
    std::string message() const;
};

inline constexpr int kLastFindingKind = static_cast<int>(KeyFileFinding::Kind::LabelTooLong);

struct KeyFileReport {
    std::vector<KeyFileFinding> findings;
    int completeBlocks = 0;  // positions whose 24 lines were all present
    int omittedFindings = 0; // findings past kMaxFindings (a garbage file has many)

    static constexpr std::size_t kMaxFindings = 200;

    bool suspicious() const;
};

// The bounds a label byte's value is read within: a signed or an unsigned
// byte. Anything else is cut to its low byte and reported.
inline constexpr int kLabelByteMin = -128;
inline constexpr int kLabelByteMax = 255;
constexpr bool isLabelByteValue(std::int64_t v) {
    return v >= kLabelByteMin && v <= kLabelByteMax;
}

// The first `count` findings that make a file suspicious, as one line of
// text ("line 7: count 35 of position ...; ..."), with how many more there are.
// Empty for a file that is not suspicious.
std::string keyFileFindingsSummary(const KeyFileReport& report, std::size_t count = 3);

// The report of a zero-length file: suspicious, since it holds no table.
KeyFileReport emptyKeyFileReport();

// Text from a file made safe to print: control bytes and bytes of 0x7F and
// above as \xNN, at most `limit` bytes followed by "..." when cut.
std::string printableBytes(std::string_view bytes, std::size_t limit = 40);

// printableBytes' text as a window shows it: each \xNN of a control byte
// becomes its Unicode control picture (U+2400 to U+241F, U+2421 for DEL), any
// other \xNN becomes <NN>, since a backslash reads as a currency sign in
// Korean fonts. Everything else is kept.
std::string escapesAsPictures(std::string_view printable);

} // namespace quilby
