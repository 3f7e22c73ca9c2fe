#include "document/KeyFileReader.h"

#include <algorithm>
#include <limits>

namespace quilby {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when the value text is exactly an optional sign and digits, after
// optional leading white space; anything else converts, but is worth a note.
bool isCleanNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            return false;
        }
    }
    return true;
}

bool isBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), isSpace);
}

// DOS editors and `copy` may end a text file with one 0x1A byte: what
// follows the last block is then blank apart from that single byte.
bool endsWithDosEndOfFile(std::string_view rest) {
    const auto eof = rest.find('\x1A');
    return eof != std::string_view::npos && isBlankLine(rest.substr(0, eof)) &&
           isBlankLine(rest.substr(eof + 1));
}

// Hands out the file's lines. A line ends at LF, at CR LF, or at a lone CR;
// every line asked for after the end of the file is empty.
class LineSource {
public:
    explicit LineSource(std::string_view bytes) : bytes_(bytes) {}

    std::string_view next() {
        ++lineNumber_;
        if (pos_ >= bytes_.size()) {
            ++linesPastEnd_;
            return {};
        }
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r') {
            ++pos_;
        }
        const std::string_view line = bytes_.substr(start, pos_ - start);
        if (pos_ < bytes_.size()) {
            if (bytes_[pos_] == '\r') {
                ++pos_;
                // Only the LF of a CR LF pair goes with the CR: eating any other
                // byte after a lone CR would silently drop a digit.
                if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
                    ++pos_;
                    sawCrLf_ = true;
                }
            } else {
                ++pos_;
            }
        }
        return line;
    }

    int lineNumber() const { return lineNumber_; }
    bool pastEnd() const { return linesPastEnd_ > 0; }
    bool sawCrLf() const { return sawCrLf_; }
    std::string_view rest() const { return bytes_.substr(std::min(pos_, bytes_.size())); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
    int linesPastEnd_ = 0;
    bool sawCrLf_ = false;
};

using Kind = KeyFileFinding::Kind;

class Reader {
public:
    Reader(std::string_view bytes, KeyTableData& table) : lines_(bytes), table_(table) {}

    KeyFileReport run() {
        table_.ClearTable();
        for (int key = 0; key < kKeyPositions; ++key) {
            if (readBlock(key)) {
                report_.completeBlocks = key + 1;
            }
        }
        table_.TableLoaded = 1;
        if (lines_.sawCrLf()) {
            add(Kind::CrLfLineEnds, 0, 0, 0, "CR LF line ends (read the same as LF)");
        }
        if (report_.completeBlocks < kKeyPositions) {
            add(Kind::MissingBlocks, 0, report_.completeBlocks, report_.completeBlocks,
                "the file ends early: only " + std::to_string(report_.completeBlocks) +
                    " of 98 positions are complete, the rest read as empty");
        } else if (endsWithDosEndOfFile(lines_.rest())) {
            add(Kind::DosEndOfFile, lines_.lineNumber() + 1, kKeyPositions - 1, 0,
                "DOS end-of-file byte (0x1A) after the last position (ignored)");
        } else if (!isBlankLine(lines_.rest())) {
            add(Kind::TrailingData, lines_.lineNumber() + 1, kKeyPositions - 1, 0,
                "data after the 98th position (ignored)");
        }
        return std::move(report_);
    }

private:
    void add(Kind kind, int line, int position, std::int64_t raw, std::string message) {
        const bool fileLevel = kind == Kind::CrLfLineEnds || kind == Kind::MissingBlocks ||
                               kind == Kind::TrailingData || kind == Kind::DosEndOfFile;
        if (!fileLevel && report_.findings.size() >= KeyFileReport::kMaxFindings) {
            ++report_.omittedFindings;
            return;
        }
        report_.findings.push_back(KeyFileFinding{kind, line, position, raw, std::move(message)});
    }

    // Returns whether the block's 23 lines of data were all in the file; the
    // separator line may be missing at the very end without harm.
    bool readBlock(int key) {
        auto& def = table_.KeyTable[static_cast<std::size_t>(key)];
        readRow(key, "codes", [&](std::size_t i, std::int32_t v) {
            if (v < 0 || v > 255) {
                add(Kind::ValueOutOfRange, lines_.lineNumber(), key, v,
                    "code " + std::to_string(v) + " cut to 8 bits");
            }
            def.Codes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) & 0xFFu);
        });
        readRow(key, "words", [&](std::size_t i, std::int32_t v) {
            if (v < 0 || v > 65535) {
                add(Kind::ValueOutOfRange, lines_.lineNumber(), key, v,
                    "word " + std::to_string(v) + " cut to 16 bits");
            }
            def.Words[i] = static_cast<std::uint16_t>(static_cast<std::uint32_t>(v) & 0xFFFFu);
        });
        readCount(key);
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            def.Labels[e] = readLabel(key);
        }
        const bool complete = !lines_.pastEnd();
        const std::string_view separator = lines_.next();
        if (!lines_.pastEnd() && !isBlankLine(separator)) {
            add(Kind::SeparatorNotEmpty, lines_.lineNumber(), key, 0,
                "the line after the labels of position " + keyPositionName(key) +
                    " is not empty: the structure may be shifted");
        }
        return complete;
    }

    template <typename Store> void readRow(int key, const char* what, Store store) {
        std::size_t stored = 0;
        int dropped = 0;
        for (int part = 0; part < 2 && stored < kEntriesPerKey; ++part) {
            const std::string_view line = lines_.next();
            if (part == 1 && !lines_.pastEnd()) {
                add(Kind::SplitRow, lines_.lineNumber(), key, 0,
                    std::string(what) + " row of position " + keyPositionName(key) +
                        " continues on a second line");
            }
            forEachKeyFileValue(line, [&](std::string_view value) {
                if (stored == kEntriesPerKey) {
                    ++dropped;
                    return;
                }
                noteUnclean(value, key);
                store(stored++, convertKeyFileValue(value));
            });
        }
        if (dropped > 0) {
            add(Kind::RowTooLong, lines_.lineNumber(), key, 20 + dropped,
                std::string(what) + " row of position " + keyPositionName(key) + " has " +
                    std::to_string(20 + dropped) +
                    " values; the values after the 20th were dropped");
        }
    }

    void readCount(int key) {
        const std::string_view line = lines_.next();
        if (lines_.pastEnd()) {
            return;
        }
        if (!isCleanNumber(line)) {
            add(Kind::NotANumber, lines_.lineNumber(), key, 0,
                "count line of position " + keyPositionName(key) + " is \"" +
                    std::string(line.substr(0, 40)) + "\": the structure may be shifted");
        }
        const std::int32_t raw = convertKeyFileValue(line);
        const std::int32_t clamped = std::clamp(raw, 0, kEntriesPerKey);
        if (raw != clamped) {
            add(Kind::CountOutOfRange, lines_.lineNumber(), key, raw,
                "count " + std::to_string(raw) + " of position " + keyPositionName(key) +
                    " is outside 0 to 20; read as " + std::to_string(clamped));
        }
        table_.EntryCounts[static_cast<std::size_t>(key)] = clamped;
    }

    std::string readLabel(int key) {
        const std::string_view line = lines_.next();
        std::string label;
        forEachKeyFileValue(line, [&](std::string_view value) {
            noteUnclean(value, key);
            const std::int32_t v = convertKeyFileValue(value);
            if (v == 0) {
                return;
            }
            if (v < -128 || v > 255) {
                add(Kind::ValueOutOfRange, lines_.lineNumber(), key, v,
                    "label byte " + std::to_string(v) + " is outside -128 to 255");
            }
            const auto byte = static_cast<unsigned char>(static_cast<std::uint32_t>(v) & 0xFFu);
            // A value whose low byte is 0 would put a NUL inside the label,
            // which no later step can write back: it is skipped like a 0.
            if (byte != 0) {
                label.push_back(static_cast<char>(byte));
            }
        });
        return label;
    }

    void noteUnclean(std::string_view value, int key) {
        if (!value.empty() && !isCleanNumber(value)) {
            add(Kind::NotANumber, lines_.lineNumber(), key, 0,
                "\"" + std::string(value.substr(0, 40)) + "\" is not a number (read as " +
                    std::to_string(convertKeyFileValue(value)) + ")");
        }
    }

    LineSource lines_;
    KeyTableData& table_;
    KeyFileReport report_;
};

} // namespace

bool KeyFileReport::suspicious() const {
    return std::any_of(findings.begin(), findings.end(),
                       [](const KeyFileFinding& f) { return !f.isNote(); });
}

std::int32_t convertKeyFileValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::vector<std::string_view> splitKeyFileValues(std::string_view line) {
    std::vector<std::string_view> values;
    forEachKeyFileValue(line, [&](std::string_view value) { values.push_back(value); });
    return values;
}

KeyFileReport readKeyFile(std::string_view bytes, KeyTableData& table) {
    return Reader(bytes, table).run();
}

} // namespace quilby
