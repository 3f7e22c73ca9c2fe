#pragma once

#include "document/KeyFileFinding.h"
#include "document/KeyTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// Whether code page 949 bytes form whole characters: single bytes below
// 0x80, or a lead byte 0x81-0xFE and a trail byte 0x41-0x5A, 0x61-0x7A or
// 0x81-0xFE.
bool isWellFormedCp949(std::string_view bytes);

// Reads a whole .KEY file into `table`: clearTable first, then the 98 blocks,
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
