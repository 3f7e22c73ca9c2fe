#pragma once

#include "document/KeyTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// What the reader noticed while reading a .KEY file. The reader never stops
// on any of these (the format is read tolerantly); `quilby-key check` shows
// them so a damaged or shifted file can be spotted before it is downloaded.
struct KeyFileFinding {
    enum class Kind {
        CrLfLineEnds,      // note: read the same as LF
        SplitRow,          // note: a codes or words row continued on a second line
        RowTooLong,        // more than 20 values: the extra values were dropped
        CountOutOfRange,   // count outside 0..20: clamped, raw value in `rawValue`
        ValueOutOfRange,   // a code, word or label byte that had to be cut
        NotANumber,        // a value with text that is not a decimal number
        SeparatorNotEmpty, // the 24th line of a block held something
        MissingBlocks,     // the file ended before the last position
        TrailingData,      // something after the 98th block
        DosEndOfFile,      // note: a 0x1A byte ends the file, as DOS editors write it
        EmptyFile,         // the file holds no byte at all
        LabelControlBytes, // a label holds a control byte
        LabelNotDecodable, // a label is not valid code page 949 text
    };
    Kind kind;
    int line = 0;     // 1-based line number in the file (0: not tied to a line)
    int position = 0; // key position 0..97 the line belongs to
    std::int64_t rawValue = 0;
    std::string message;

    // Notes describe tolerated variants of the format; everything else is
    // suspicious.
    bool isNote() const {
        return kind == Kind::CrLfLineEnds || kind == Kind::SplitRow || kind == Kind::DosEndOfFile;
    }
};

struct KeyFileReport {
    std::vector<KeyFileFinding> findings;
    int completeBlocks = 0;  // positions whose 24 lines were all present
    int omittedFindings = 0; // findings past kMaxFindings (a garbage file has many)

    static constexpr std::size_t kMaxFindings = 200;

    bool suspicious() const;
};

// The first `count` findings that make a file suspicious, as one line of
// text ("line 7: count 35 of position ...; ..."), with how many more there are.
// Empty for a file that is not suspicious.
std::string keyFileFindingsSummary(const KeyFileReport& report, std::size_t count = 3);

// The report of a zero-length file: suspicious, since it holds no table.
KeyFileReport emptyKeyFileReport();

// Text from a file made safe to print: control bytes and bytes of 0x7F and
// above as \xNN, at most `limit` bytes followed by "..." when cut.
std::string printableBytes(std::string_view bytes, std::size_t limit = 40);

// Whether code page 949 bytes form whole characters: single bytes below
// 0x80, or a lead byte 0x81-0xFE and a trail byte 0x41-0x5A, 0x61-0x7A or
// 0x81-0xFE.
bool isWellFormedCp949(std::string_view bytes);

// Reads a whole .KEY file into `table`: ClearTable first, then the 98 blocks,
// then tableLoaded set. Counts outside 0..20 are clamped into 0..20 and rows
// with more than 20 values keep their first 20; both are reported.
KeyFileReport readKeyFile(std::string_view bytes, KeyTableData& table);

// The value conversion of the format: leading white space, an optional sign,
// decimal digits up to the first non-digit; no digits gives 0. Saturates at
// the limits of a signed 32-bit integer.
std::int32_t convertKeyFileValue(std::string_view text);

// Splits a line at blanks: the text before each blank is one value; text
// after the last blank is not a value.
std::vector<std::string_view> splitKeyFileValues(std::string_view line);

// The same without building a list: calls `f` with each value in turn.
template <typename F> void forEachKeyFileValue(std::string_view line, F f) {
    std::size_t start = 0;
    for (std::size_t i = line.find(' '); i != std::string_view::npos; i = line.find(' ', start)) {
        f(line.substr(start, i - start));
        start = i + 1;
    }
}

} // namespace quilby
