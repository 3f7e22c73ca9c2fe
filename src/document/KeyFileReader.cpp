#include "document/KeyFileReader.h"

#include "document/Cp949.h"

#include <algorithm>
#include <cstring>
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

// Calls `f(text, value, clean)` for each value of a line, as
// forEachKeyFileValue splits it. A value that is only an optional sign and up
// to 10 digits is converted in the same pass that finds its end; anything
// else takes the general conversion. Loading a table is mostly this loop.
template <typename F> void forEachValue(std::string_view line, F f) {
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        const char* const start = p;
        const char* q = p;
        const bool negative = *q == '-';
        if (*q == '-' || *q == '+') {
            ++q;
        }
        const char* const digits = q;
        std::int64_t v = 0;
        while (q < end && q - digits < 10 && isDigit(*q)) {
            v = v * 10 + (*q - '0');
            ++q;
        }
        if (q < end && *q == ' ' && q > digits) {
            v = negative ? -v : v;
            f(std::string_view(start, static_cast<std::size_t>(q - start)),
              static_cast<std::int32_t>(
                  std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                           std::numeric_limits<std::int32_t>::max())),
              true);
            p = q + 1;
            continue;
        }
        const void* blank = std::memchr(start, ' ', static_cast<std::size_t>(end - start));
        if (blank == nullptr) {
            return; // text after the last blank is not a value
        }
        const std::string_view text(
            start, static_cast<std::size_t>(static_cast<const char*>(blank) - start));
        f(text, convertKeyFileValue(text), isCleanNumber(text));
        p = static_cast<const char*>(blank) + 1;
    }
}

// The byte a label value stands for: its low byte, so -65 and 191 are the
// same byte.
unsigned char labelByte(std::int32_t v) {
    return static_cast<unsigned char>(static_cast<std::uint32_t>(v) & 0xFFu);
}

// A label line without its trailing "0 " values: the writer pads every label
// with them, zeros add nothing to a label, and skipping them in one
// comparison per 16 bytes is most of what makes loading fast.
std::string_view withoutZeroFill(std::string_view line) {
    static constexpr std::string_view kFill = "0 0 0 0 0 0 0 0 ";
    while (line.size() >= kFill.size() && line.substr(line.size() - kFill.size()) == kFill &&
           (line.size() == kFill.size() || line[line.size() - kFill.size() - 1] == ' ')) {
        line.remove_suffix(kFill.size());
    }
    while (line.size() >= 2 && line.substr(line.size() - 2) == "0 " &&
           (line.size() == 2 || line[line.size() - 3] == ' ')) {
        line.remove_suffix(2);
    }
    return line;
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
        // Two vectorised searches beat one byte-by-byte loop over both ends.
        const char* const from = bytes_.data() + start;
        const std::size_t left = bytes_.size() - start;
        const void* lf = std::memchr(from, '\n', left);
        const std::size_t lineEnd =
            lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - from) : left;
        const void* cr = std::memchr(from, '\r', lineEnd);
        pos_ =
            start + (cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - from)
                                   : lineEnd);
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
using Row = KeyFileFinding::Row;

class Reader {
public:
    Reader(std::string_view bytes, KeyTableData& table) : lines_(bytes), table_(table) {}

    KeyFileReport run() {
        table_.clearTable();
        for (int key = 0; key < kKeyPositions; ++key) {
            if (readBlock(key)) {
                report_.completeBlocks = key + 1;
            }
        }
        table_.tableLoaded = true;
        if (lines_.sawCrLf()) {
            add({Kind::CrLfLineEnds});
        }
        if (report_.completeBlocks < kKeyPositions) {
            add({Kind::MissingBlocks, 0, report_.completeBlocks, report_.completeBlocks});
        } else if (!isBlankLine(lines_.rest())) {
            add({Kind::TrailingData, lines_.lineNumber() + 1, kKeyPositions - 1});
        }
        return std::move(report_);
    }

private:
    void add(KeyFileFinding finding) {
        const Kind kind = finding.kind;
        const bool fileLevel = kind == Kind::CrLfLineEnds || kind == Kind::MissingBlocks ||
                               kind == Kind::TrailingData || kind == Kind::DosEndOfFile;
        if (!fileLevel && report_.findings.size() >= KeyFileReport::kMaxFindings) {
            ++report_.omittedFindings;
            return;
        }
        report_.findings.push_back(std::move(finding));
    }

    // Returns whether the block's 23 lines of data were all in the file; the
    // separator line may be missing at the very end without harm.
    bool readBlock(int key) {
        auto& def = table_.keyTable[static_cast<std::size_t>(key)];
        readRow(key, Row::Codes, [&](std::size_t i, std::int32_t v) {
            if (v < 0 || v > 255) {
                add({Kind::ValueOutOfRange, lines_.lineNumber(), key, v, Row::Codes});
            }
            def.codes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) & 0xFFu);
        });
        readRow(key, Row::Words, [&](std::size_t i, std::int32_t v) {
            if (v < 0 || v > 65535) {
                add({Kind::ValueOutOfRange, lines_.lineNumber(), key, v, Row::Words});
            }
            def.words[i] = static_cast<std::uint16_t>(static_cast<std::uint32_t>(v) & 0xFFFFu);
        });
        readCount(key);
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            readLabel(key, def.labels[e]);
        }
        const bool complete = !lines_.pastEnd();
        const std::string_view separator = lines_.next();
        if (!lines_.pastEnd() && !isBlankLine(separator)) {
            add({Kind::SeparatorNotEmpty, lines_.lineNumber(), key});
        }
        return complete;
    }

    template <typename Store> void readRow(int key, Row row, Store store) {
        std::size_t stored = 0;
        int dropped = 0;
        for (int part = 0; part < 2 && stored < kEntriesPerKey; ++part) {
            const std::string_view line = lines_.next();
            if (part == 1 && !lines_.pastEnd()) {
                add({Kind::SplitRow, lines_.lineNumber(), key, 0, row});
            }
            forEachValue(line, [&](std::string_view value, std::int32_t v, bool clean) {
                if (stored == kEntriesPerKey) {
                    ++dropped;
                    return;
                }
                noteUnclean(value, clean, v, key, row);
                store(stored++, v);
            });
        }
        if (dropped > 0) {
            add({Kind::RowTooLong, lines_.lineNumber(), key, kEntriesPerKey + dropped, row});
        }
    }

    void readCount(int key) {
        const std::string_view line = lines_.next();
        if (lines_.pastEnd()) {
            return;
        }
        if (!isCleanNumber(line)) {
            add({Kind::NotANumber, lines_.lineNumber(), key, 0, Row::Count, 0,
                 printableBytes(line)});
        }
        const std::int32_t raw = convertKeyFileValue(line);
        const std::int32_t clamped = std::clamp(raw, 0, kEntriesPerKey);
        if (raw != clamped) {
            add({Kind::CountOutOfRange, lines_.lineNumber(), key, raw, Row::Count, clamped});
        }
        table_.entryCounts[static_cast<std::size_t>(key)] = clamped;
    }

    void readLabel(int key, std::string& label) {
        const std::string_view whole = lines_.next();
        const std::string_view line = withoutZeroFill(whole);
        // The format holds 15 values a line; a line of more is read whole
        // but reported, as another reader takes only the first 15.
        if (whole.size() >= 2 * (kLabelValues + 1)) {
            checkLabelLength(whole, key);
        }
        // Label values are mostly short and clean: they are gathered in a
        // local buffer by a loop of their own, anything unusual goes through
        // labelValue.
        char bytes[64];
        std::size_t count = 0;
        bool control = false;
        bool high = false;
        bool general = false;
        label.clear();
        const char* p = line.data();
        const char* const end = p + line.size();
        while (p < end) {
            const char* q = p;
            const bool negative = *q == '-';
            q += negative ? 1 : 0;
            int v = 0;
            const char* const digits = q;
            while (q < end && q - digits < 3 && isDigit(*q)) {
                v = v * 10 + (*q - '0');
                ++q;
            }
            v = negative ? -v : v;
            // Out of bounds goes the general way, which reports it.
            if (q < end && *q == ' ' && q > digits && isLabelByteValue(v)) {
                p = q + 1;
                const unsigned char byte = labelByte(v);
                if (byte == 0) {
                    continue;
                }
                if (count == sizeof bytes) {
                    label.append(bytes, count);
                    count = 0;
                }
                bytes[count++] = static_cast<char>(byte);
                control |= byte < 0x20 || byte == 0x7F;
                high |= byte >= 0x80;
                continue;
            }
            // The general path, one value.
            general = true;
            label.append(bytes, count);
            count = 0;
            const void* blank = std::memchr(p, ' ', static_cast<std::size_t>(end - p));
            if (blank == nullptr) {
                break; // text after the last blank is not a value
            }
            const std::string_view text(
                p, static_cast<std::size_t>(static_cast<const char*>(blank) - p));
            labelValue(text, key, label);
            p = static_cast<const char*>(blank) + 1;
        }
        label.append(bytes, count);
        // Plain ASCII gathered by the loop above needs no second look.
        if (general || control || high) {
            checkLabel(label, key);
        }
    }

    void labelValue(std::string_view text, int key, std::string& label) {
        const std::int32_t v = convertKeyFileValue(text);
        noteUnclean(text, isCleanNumber(text), v, key, Row::Labels);
        if (v == 0) {
            return;
        }
        if (!isLabelByteValue(v)) {
            add({Kind::ValueOutOfRange, lines_.lineNumber(), key, v, Row::Labels});
        }
        const unsigned char byte = labelByte(v);
        // A value whose low byte is 0 would put a NUL inside the label,
        // which no later step can write back: it is skipped like a 0.
        if (byte != 0) {
            label.push_back(static_cast<char>(byte));
        }
    }

    void checkLabelLength(std::string_view line, int key) {
        std::int64_t values = 0;
        bool inValue = false;
        for (const char c : line) {
            const bool blank = c == ' ' || c == '\t' || c == '\r';
            values += !blank && !inValue ? 1 : 0;
            inValue = !blank;
        }
        if (values > static_cast<std::int64_t>(kLabelValues)) {
            add({Kind::LabelTooLong, lines_.lineNumber(), key, values, Row::Labels, 0,
                 printableBytes(line)});
        }
    }

    // Labels are shown and printed: a control byte or a broken double-byte
    // character there is worth a look even though the keyboard never sees it.
    void checkLabel(std::string_view label, int key) {
        if (std::any_of(label.begin(), label.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
            add({Kind::LabelControlBytes, lines_.lineNumber(), key, 0, Row::Labels, 0,
                 printableBytes(label)});
        } else if (!isWellFormedCp949(label)) {
            add({Kind::LabelNotDecodable, lines_.lineNumber(), key, 0, Row::Labels, 0,
                 printableBytes(label)});
        }
    }

    void noteUnclean(std::string_view value, bool clean, std::int32_t v, int key, Row row) {
        if (!clean && !value.empty()) {
            add({Kind::NotANumber, lines_.lineNumber(), key, 0, row, v, printableBytes(value)});
        }
    }

    LineSource lines_;
    KeyTableData& table_;
    KeyFileReport report_;
};

} // namespace

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

bool isWellFormedCp949(std::string_view bytes) {
    return isValidCp949(bytes);
}

KeyFileReport readKeyFile(std::string_view bytes, KeyTableData& table) {
    // DOS editors and `copy` may end a text file with one 0x1A byte. It is
    // only that when the whole table stands before it and nothing but blanks
    // after it; anywhere else the byte is read as what it is.
    const auto eof = bytes.find('\x1a');
    if (eof != std::string_view::npos && isBlankLine(bytes.substr(eof + 1))) {
        KeyFileReport report = Reader(bytes.substr(0, eof), table).run();
        const bool wholeTable =
            report.completeBlocks == kKeyPositions &&
            std::none_of(report.findings.begin(), report.findings.end(), [](const auto& f) {
                return f.kind == Kind::MissingBlocks || f.kind == Kind::TrailingData;
            });
        if (wholeTable) {
            report.findings.push_back({Kind::DosEndOfFile, 0, kKeyPositions - 1});
            return report;
        }
    }
    return Reader(bytes, table).run();
}

} // namespace quilby
