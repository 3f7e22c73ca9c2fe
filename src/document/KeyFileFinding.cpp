#include "document/KeyFileFinding.h"

#include "document/KeyTable.h"

#include <algorithm>

namespace quilby {

namespace {

using Kind = KeyFileFinding::Kind;
using Row = KeyFileFinding::Row;

std::string rowName(Row row) {
    return row == Row::Words ? "words" : "codes";
}

std::string quoted(const std::string& excerpt) {
    return "\"" + excerpt + "\"";
}

std::string outOfRange(const KeyFileFinding& f) {
    const std::string value = std::to_string(f.rawValue);
    switch (f.row) {
    case Row::Words:
        return "word " + value + " cut to 16 bits";
    case Row::Labels:
        return "label byte " + value + " is outside " + std::to_string(kLabelByteMin) + " to " +
               std::to_string(kLabelByteMax);
    default:
        return "code " + value + " cut to 8 bits";
    }
}

} // namespace

std::string KeyFileFinding::message() const {
    const std::string at = keyPositionName(position);
    switch (kind) {
    case Kind::CrLfLineEnds:
        return "CR LF line ends (read the same as LF)";
    case Kind::SplitRow:
        return rowName(row) + " row of position " + at + " continues on a second line";
    case Kind::RowTooLong:
        return rowName(row) + " row of position " + at + " has " + std::to_string(rawValue) +
               " values; the values after the 20th were dropped";
    case Kind::CountOutOfRange:
        return "count " + std::to_string(rawValue) + " of position " + at +
               " is outside 0 to 20; read as " + std::to_string(readAs);
    case Kind::ValueOutOfRange:
        return outOfRange(*this);
    case Kind::NotANumber:
        if (row == Row::Count) {
            return "count line of position " + at + " is " + quoted(excerpt) +
                   ": the structure may be shifted";
        }
        return quoted(excerpt) + " is not a number (read as " + std::to_string(readAs) + ")";
    case Kind::SeparatorNotEmpty:
        return "the line after the labels of position " + at +
               " is not empty: the structure may be shifted";
    case Kind::MissingBlocks:
        return "the file ends early: only " + std::to_string(rawValue) +
               " of 98 positions are complete, the rest read as empty";
    case Kind::TrailingData:
        return "data after the 98th position (ignored)";
    case Kind::DosEndOfFile:
        return "DOS end-of-file byte (0x1A) after the last position";
    case Kind::EmptyFile:
        return "the file is empty: it holds no key table";
    case Kind::LabelControlBytes:
        return "a label of position " + at + " holds control bytes: " + quoted(excerpt);
    case Kind::LabelNotDecodable:
        return "a label of position " + at + " is not code page 949 text: " + quoted(excerpt);
    case Kind::LabelTooLong:
        return "a label of position " + at + " has " + std::to_string(rawValue) +
               " values, more than 15: " + quoted(excerpt);
    }
    return {};
}

bool KeyFileReport::suspicious() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const KeyFileFinding& f) { return !f.isNote(); });
}

std::string keyFileFindingsSummary(const KeyFileReport& report, std::size_t count) {
    std::string text;
    std::size_t shown = 0;
    std::size_t more = static_cast<std::size_t>(report.omittedFindings);
    for (const KeyFileFinding& f : report.findings) {
        if (f.isNote()) {
            continue;
        }
        if (shown == count) {
            ++more;
            continue;
        }
        text += shown++ == 0 ? "" : "; ";
        if (f.line > 0) {
            text += "line " + std::to_string(f.line) + ": ";
        }
        text += f.message();
    }
    if (more > 0) {
        text += "; and " + std::to_string(more) + " more";
    }
    return text;
}

KeyFileReport emptyKeyFileReport() {
    KeyFileReport report;
    report.findings.push_back(KeyFileFinding{Kind::EmptyFile});
    return report;
}

std::string printableBytes(std::string_view bytes, std::size_t limit) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return bytes.size() > limit ? out + "..." : out;
}

std::string escapesAsPictures(std::string_view printable) {
    const auto hexValue = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < printable.size(); ++i) {
        const bool escape = printable[i] == '\\' && i + 3 < printable.size() &&
                            printable[i + 1] == 'x' && hexValue(printable[i + 2]) >= 0 &&
                            hexValue(printable[i + 3]) >= 0;
        if (!escape) {
            out += printable[i];
            continue;
        }
        const int value = hexValue(printable[i + 2]) * 16 + hexValue(printable[i + 3]);
        if (value < 0x20 || value == 0x7f) {
            const int picture = value == 0x7f ? 0x2421 : 0x2400 + value;
            // Three bytes of UTF-8: every picture lies in U+0800..U+FFFF.
            out += static_cast<char>(0xe0 | (picture >> 12));
            out += static_cast<char>(0x80 | ((picture >> 6) & 0x3f));
            out += static_cast<char>(0x80 | (picture & 0x3f));
        } else {
            out += '<';
            out += printable.substr(i + 2, 2);
            out += '>';
        }
        i += 3;
    }
    return out;
}

} // namespace quilby
