#include "exchange/TableCsv.h"

#include "document/Cp949.h"
#include "document/TableRules.h"
#include "editing/KeyScript.h"
#include "exchange/EntryScripts.h"
#include "exchange/TableTypist.h"

#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

namespace quilby {

namespace {

using Kind = TableTextError::Kind;
using Problem = TableTextError::Problem;

TableTextError problemOf(Kind kind, Problem problem, std::string_view word = {},
                         std::string detail = {}, std::int64_t number = 0) {
    TableTextError error;
    error.kind = kind;
    error.problem = problem;
    error.word = std::string(word);
    error.detail = std::move(detail);
    error.number = number;
    error.csv = true;
    return error;
}

TableTextError syntaxError(int line, std::string detail) {
    TableTextError error = problemOf(Kind::Unreadable, Problem::CsvSyntax, {}, std::move(detail));
    error.line = line;
    return error;
}

bool escapedInLabel(unsigned char c) {
    return c <= 0x20 || c == '%' || c == 0x7f;
}

constexpr std::string_view kHexDigits = "0123456789abcdef";

void appendRawEntry(std::string& out, const KeyEntry& entry) {
    char code[4];
    out += '#';
    out.append(code, std::to_chars(code, code + sizeof code, entry.code).ptr);
    out += ':';
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHexDigits[(entry.word >> shift) & 0xF];
    }
    out += ':';
    for (const char c : cp949ToUtf8(entry.label)) {
        const auto byte = static_cast<unsigned char>(c);
        if (escapedInLabel(byte)) {
            out += '%';
            out += static_cast<char>(std::toupper(kHexDigits[byte >> 4]));
            out += static_cast<char>(std::toupper(kHexDigits[byte & 0xF]));
        } else {
            out += c;
        }
    }
}

void appendField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

} // namespace

std::string writeTableCsv(const KeyTableData& table) {
    std::string out(kTableCsvHeader);
    out += "\r\n";
    for (int k = 0; k < kKeyPositions; ++k) {
        const KeyDefinition& def = table.keyTable[static_cast<std::size_t>(k)];
        const int count = table.usedEntries(k);
        std::string keys;
        for (int e = 0; e < count;) {
            if (!keys.empty()) {
                keys += ' ';
            }
            if (const EntryScript* typed = scriptTyping(def, e, count)) {
                keys += typed->script;
                e += static_cast<int>(typed->entries.size());
            } else {
                appendRawEntry(keys, table.entryAt(k, e));
                ++e;
            }
        }
        int lastUsed = kEntriesPerKey - 1;
        while (lastUsed >= count && table.entryAt(k, lastUsed) == KeyEntry{}) {
            --lastUsed;
        }
        std::string spare;
        for (int e = count; e <= lastUsed; ++e) {
            if (!spare.empty()) {
                spare += ' ';
            }
            appendRawEntry(spare, table.entryAt(k, e));
        }
        out += keyPositionName(k);
        out += ',';
        appendField(out, keys);
        out += ',';
        appendField(out, spare);
        out += "\r\n";
    }
    return out;
}

namespace {

struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// RFC 4180 records; LF alone ends a line too, and a UTF-8 byte order mark
// in front (as spreadsheets write it) is skipped.
std::variant<std::vector<CsvRecord>, TableTextError> splitCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<CsvRecord> records;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        CsvRecord record{line, {}};
        while (true) {
            std::string field;
            if (at < text.size() && text[at] == '"') {
                const int opened = line;
                ++at;
                while (true) {
                    if (at >= text.size()) {
                        return syntaxError(opened, "a quoted field that never ends");
                    }
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field += '"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        break;
                    }
                    if (text[at] == '\n') {
                        ++line;
                    }
                    field += text[at++];
                }
                if (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n') {
                    return syntaxError(line, "text after a quoted field's closing quote");
                }
            } else {
                const std::size_t start = at;
                while (at < text.size() && text[at] != ',' && text[at] != '\r' &&
                       text[at] != '\n') {
                    if (text[at] == '"') {
                        return syntaxError(line, "a quote inside a field that is not quoted");
                    }
                    ++at;
                }
                field.assign(text.substr(start, at - start));
            }
            record.fields.push_back(std::move(field));
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            break;
        }
        if (at < text.size() && text[at] == '\r') {
            ++at;
        }
        if (at < text.size() && text[at] == '\n') {
            ++at;
            ++line;
        } else if (at < text.size()) {
            return syntaxError(line, "a carriage return alone");
        }
        records.push_back(std::move(record));
    }
    return records;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string_view> wordsOf(std::string_view cell) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (true) {
        while (at < cell.size() && isBlank(cell[at])) {
            ++at;
        }
        if (at == cell.size()) {
            return words;
        }
        std::size_t end = at;
        while (end < cell.size() && !isBlank(cell[end])) {
            ++end;
        }
        words.push_back(cell.substr(at, end - at));
        at = end;
    }
}

int hexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

template <typename Number>
bool readNumber(std::string_view text, int base, Number max, Number& value) {
    unsigned long parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        parsed > static_cast<unsigned long>(max)) {
        return false;
    }
    value = static_cast<Number>(parsed);
    return true;
}

// "#CODE:WORD:LABEL"; the reason it is not one otherwise.
std::variant<KeyEntry, TableTextError> readRawEntry(std::string_view word) {
    const auto bad = [&](std::string what) {
        return problemOf(Kind::Unreadable, Problem::BadRawEntry, word, std::move(what));
    };
    const std::size_t colon1 = word.find(':');
    const std::size_t colon2 =
        colon1 == std::string_view::npos ? colon1 : word.find(':', colon1 + 1);
    if (colon2 == std::string_view::npos) {
        return bad("a raw entry is #CODE:WORD:LABEL");
    }
    KeyEntry entry;
    if (!readNumber(word.substr(1, colon1 - 1), 10, std::uint8_t{255}, entry.code)) {
        return bad("the code must be a decimal number from 0 to 255");
    }
    const std::string_view wordHex = word.substr(colon1 + 1, colon2 - colon1 - 1);
    if (wordHex.size() != 4 || !readNumber(wordHex, 16, std::uint16_t{0xffff}, entry.word)) {
        return bad("the word must be four hex digits");
    }
    std::string label;
    const std::string_view escaped = word.substr(colon2 + 1);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '%') {
            label += escaped[i];
            continue;
        }
        const int high = i + 1 < escaped.size() ? hexDigit(escaped[i + 1]) : -1;
        const int low = i + 2 < escaped.size() ? hexDigit(escaped[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return bad("'%' in a label must be followed by two hex digits");
        }
        label += static_cast<char>(high * 16 + low);
        i += 2;
    }
    auto bytes = utf8ToCp949(label);
    if (!bytes) {
        return problemOf(Kind::Refused, Problem::LabelNoCp949, word);
    }
    if (const auto broken = labelRuleBreak(*bytes)) {
        return problemOf(Kind::Refused, labelRuleProblem(*broken), word, {},
                         static_cast<std::int64_t>(bytes->size()));
    }
    entry.label = std::move(*bytes);
    return entry;
}

// Plays one `keys` cell into the typist; the first problem otherwise.
std::optional<TableTextError> typeKeys(std::string_view cell, TableTypist& typist) {
    for (const std::string_view word : wordsOf(cell)) {
        if (word.starts_with('#')) {
            auto entry = readRawEntry(word);
            if (auto* error = std::get_if<TableTextError>(&entry)) {
                return std::move(*error);
            }
            if (const auto problem = typist.putEntry(std::get<KeyEntry>(entry))) {
                return problemOf(Kind::Refused, *problem, word);
            }
            continue;
        }
        const auto steps = parseKeyScript(word);
        if (std::holds_alternative<std::string>(steps)) {
            return problemOf(Kind::Unreadable, Problem::UnknownKeyName, word);
        }
        for (const KeyScriptStep& step : std::get<std::vector<KeyScriptStep>>(steps)) {
            if (const auto problem = typist.play(step)) {
                return problemOf(Kind::Refused, *problem, word);
            }
        }
    }
    if (typist.modifierPending()) {
        return problemOf(Kind::Refused, Problem::ModifierLeftPending);
    }
    return std::nullopt;
}

// Fills the slots from `count` on with the `spare` cell's raw entries.
std::optional<TableTextError> putSpare(std::string_view cell, int count, KeyDefinition& def) {
    auto slot = static_cast<std::size_t>(count);
    for (const std::string_view word : wordsOf(cell)) {
        if (!word.starts_with('#')) {
            return problemOf(Kind::Unreadable, Problem::SpareNotRaw, word);
        }
        auto entry = readRawEntry(word);
        if (auto* error = std::get_if<TableTextError>(&entry)) {
            return std::move(*error);
        }
        if (slot >= kEntriesPerKey) {
            return problemOf(Kind::Refused, Problem::TooManySpare);
        }
        auto& e = std::get<KeyEntry>(entry);
        def.codes[slot] = e.code;
        def.words[slot] = e.word;
        def.labels[slot] = std::move(e.label);
        ++slot;
    }
    return std::nullopt;
}

bool isCsvHeader(const std::vector<std::string>& fields) {
    std::string joined;
    for (const std::string& field : fields) {
        joined += (joined.empty() ? "" : ",") + field;
    }
    return joined == kTableCsvHeader;
}

std::optional<int> positionOf(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(' ');
    const std::size_t last = cell.find_last_not_of(' ');
    int position = 0;
    if (first == std::string_view::npos ||
        !readNumber(cell.substr(first, last - first + 1), 10, kKeyPositions - 1, position)) {
        return std::nullopt;
    }
    return position;
}

} // namespace

std::variant<KeyTableData, TableTextError> readTableCsv(std::string_view text) {
    auto split = splitCsv(text);
    if (auto* error = std::get_if<TableTextError>(&split)) {
        return std::move(*error);
    }
    const auto& records = std::get<std::vector<CsvRecord>>(split);
    static constexpr std::array<std::string_view, 3> kColumns = {"position", "keys", "spare"};
    if (records.empty() || !isCsvHeader(records[0].fields)) {
        TableTextError error = problemOf(Kind::Unreadable, Problem::CsvHeader);
        error.line = 1;
        return error;
    }
    TableTypist typist;
    std::array<int, kKeyPositions> rowOf{};
    KeyTable spare{};
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const auto at = [&](std::size_t column, TableTextError error) {
            error.line = record.line;
            error.field = std::string(kColumns[column]);
            return error;
        };
        if (record.fields.size() == 1 && record.fields[0].empty()) {
            continue; // an empty line
        }
        if (record.fields.size() < 2 || record.fields.size() > kColumns.size()) {
            TableTextError error = problemOf(Kind::Unreadable, Problem::CsvColumns, {}, {},
                                             static_cast<std::int64_t>(record.fields.size()));
            error.line = record.line;
            return error;
        }
        const auto position = positionOf(record.fields[0]);
        if (!position) {
            return at(0, problemOf(Kind::Unreadable, Problem::BadPosition));
        }
        int& earlier = rowOf[static_cast<std::size_t>(*position)];
        if (earlier != 0) {
            TableTextError error =
                problemOf(Kind::Unreadable, Problem::PositionTwice, {}, {}, *position);
            error.limit = earlier;
            return at(0, std::move(error));
        }
        earlier = record.line;
        typist.startPosition(*position);
        if (auto error = typeKeys(record.fields[1], typist)) {
            return at(1, std::move(*error));
        }
        if (record.fields.size() == kColumns.size()) {
            if (auto error = putSpare(record.fields[2], typist.count(),
                                      spare[static_cast<std::size_t>(*position)])) {
                return at(2, std::move(*error));
            }
        }
    }
    KeyTableData table = typist.table();
    for (int k = 0; k < kKeyPositions; ++k) {
        for (int e = table.usedEntries(k); e < kEntriesPerKey; ++e) {
            const auto& def = spare[static_cast<std::size_t>(k)];
            const auto i = static_cast<std::size_t>(e);
            table.setEntry(k, e, {def.codes[i], def.words[i], def.labels[i]});
        }
    }
    return table;
}

} // namespace quilby
