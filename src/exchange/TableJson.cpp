#include "exchange/TableJson.h"

#include "document/Cp949.h"
#include "document/TableRules.h"
#include "exchange/JsonText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>
#include <string>

namespace quilby {

namespace {

void appendNumber(std::string& out, long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Built as one string: a stream's formatting costs more than the table.
void appendPositions(std::string& out, const KeyTableData& table) {
    out += '[';
    for (std::size_t k = 0; k < kKeyPositions; ++k) {
        const auto& def = table.keyTable[k];
        out += k ? ",\n  {\"index\": " : "\n  {\"index\": ";
        appendNumber(out, static_cast<long>(k));
        out += ", \"count\": ";
        appendNumber(out, table.entryCounts[k]);
        out += ", \"codes\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out += e ? ", " : "";
            appendNumber(out, def.codes[e]);
        }
        out += "], \"words\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out += e ? ", " : "";
            appendNumber(out, def.words[e]);
        }
        out += "], \"labels\": [";
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            out += e ? ", " : "";
            appendJsonString(out, cp949ToUtf8(def.labels[e]));
        }
        out += "]}";
    }
    out += "\n]";
}

} // namespace

void writePositionsJsonArray(std::ostream& out, const KeyTableData& table) {
    std::string text;
    appendPositions(text, table);
    out << text;
}

void writeTableJson(std::ostream& out, const KeyTableData& table) {
    std::string text = "{\"positions\": ";
    appendPositions(text, table);
    text += "}\n";
    out << text;
}

std::string tableExportJson(const KeyTableData& table) {
    std::string text = "{\"format\": ";
    appendJsonString(text, kTableJsonFormat);
    text += ", \"version\": ";
    appendNumber(text, kTableJsonVersion);
    text += ",\n \"positions\": ";
    appendPositions(text, table);
    text += "}\n";
    return text;
}

namespace {

using Kind = TableTextError::Kind;
using Problem = TableTextError::Problem;

struct Failure {
    TableTextError error;
};

[[noreturn]] void fail(Kind kind, Problem problem, const JsonValue& at, std::string field,
                       std::string detail = {}, std::int64_t number = 0, std::int64_t limit = 0) {
    TableTextError error;
    error.kind = kind;
    error.problem = problem;
    error.line = at.line;
    error.field = std::move(field);
    error.detail = std::move(detail);
    error.number = number;
    error.limit = limit;
    throw Failure{std::move(error)};
}

std::string fieldName(const std::string& where, std::string_view name) {
    return where.empty() ? std::string(name) : where + "." + std::string(name);
}

std::string_view kindName(JsonValue::Kind kind) {
    static constexpr std::array<std::string_view, 6> kNames = {
        "null", "true or false", "a number", "a string", "an array", "an object"};
    return kNames[static_cast<std::size_t>(kind)];
}

const JsonValue& memberOf(const JsonValue& object, std::string_view name, JsonValue::Kind kind,
                          const std::string& where) {
    const JsonValue* value = object.member(name);
    if (!value) {
        fail(Kind::Unreadable, Problem::MissingField, object, fieldName(where, name));
    }
    if (value->kind != kind) {
        fail(Kind::Unreadable, Problem::WrongType, *value, fieldName(where, name),
             std::string(kindName(kind)));
    }
    return *value;
}

void onlyKnownMembers(const JsonValue& object, std::initializer_list<std::string_view> known,
                      const std::string& where) {
    for (const auto& [name, value] : object.members) {
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            fail(Kind::Unreadable, Problem::UnknownField, value, fieldName(where, name));
        }
    }
}

// The items of array `name`, which must hold `size` of them.
const std::vector<JsonValue>& itemsOf(const JsonValue& object, std::string_view name,
                                      std::size_t size, const std::string& where) {
    const JsonValue& list = memberOf(object, name, JsonValue::Kind::Array, where);
    if (list.items.size() != size) {
        fail(Kind::Unreadable, Problem::WrongItemCount, list, fieldName(where, name), {},
             static_cast<std::int64_t>(list.items.size()), static_cast<std::int64_t>(size));
    }
    return list.items;
}

std::string itemName(const std::string& where, std::string_view name, std::size_t i) {
    return fieldName(where, name) + "[" + std::to_string(i) + "]";
}

// `field()` names the value; called only for an error, since 5880 names
// built for nothing would cost more than the reading.
template <typename FieldName>
std::int64_t integerOf(const JsonValue& value, std::int64_t high, Kind kind,
                       const FieldName& field) {
    std::int64_t n = 0;
    if (value.kind != JsonValue::Kind::Number) {
        fail(Kind::Unreadable, Problem::WrongType, value, field(),
             std::string(kindName(JsonValue::Kind::Number)));
    }
    if (!value.integerIn(0, high, n)) {
        fail(kind, Problem::OutOfRange, value, field(), {}, 0, high);
    }
    return n;
}

template <typename FieldName> std::string labelOf(const JsonValue& value, const FieldName& field) {
    if (value.kind != JsonValue::Kind::String) {
        fail(Kind::Unreadable, Problem::WrongType, value, field(),
             std::string(kindName(JsonValue::Kind::String)));
    }
    auto label = utf8ToCp949(value.text);
    if (!label) {
        fail(Kind::Refused, Problem::LabelNoCp949, value, field());
    }
    if (const auto broken = labelRuleBreak(*label)) {
        fail(Kind::Refused, labelRuleProblem(*broken), value, field(), {},
             static_cast<std::int64_t>(label->size()));
    }
    return std::move(*label);
}

void readPosition(const JsonValue& object, const std::string& where, KeyTableData& table,
                  std::array<bool, kKeyPositions>& seen) {
    if (object.kind != JsonValue::Kind::Object) {
        fail(Kind::Unreadable, Problem::WrongType, object, where,
             std::string(kindName(JsonValue::Kind::Object)));
    }
    onlyKnownMembers(object, {"index", "count", "codes", "words", "labels"}, where);
    const auto k = static_cast<std::size_t>(
        integerOf(memberOf(object, "index", JsonValue::Kind::Number, where), kKeyPositions - 1,
                  Kind::Unreadable, [&] { return fieldName(where, "index"); }));
    if (seen[k]) {
        fail(Kind::Unreadable, Problem::PositionTwice, *object.member("index"),
             fieldName(where, "index"), {}, static_cast<std::int64_t>(k));
    }
    seen[k] = true;
    // A count outside 0..20 is a table the writer refuses, not a misread.
    table.entryCounts[k] = static_cast<std::int32_t>(
        integerOf(memberOf(object, "count", JsonValue::Kind::Number, where), kEntriesPerKey,
                  Kind::Refused, [&] { return fieldName(where, "count"); }));
    KeyDefinition& def = table.keyTable[k];
    const auto& codes = itemsOf(object, "codes", kEntriesPerKey, where);
    const auto& words = itemsOf(object, "words", kEntriesPerKey, where);
    const auto& labels = itemsOf(object, "labels", kEntriesPerKey, where);
    for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
        def.codes[e] = static_cast<std::uint8_t>(integerOf(
            codes[e], 255, Kind::Unreadable, [&] { return itemName(where, "codes", e); }));
        def.words[e] = static_cast<std::uint16_t>(integerOf(
            words[e], 65535, Kind::Unreadable, [&] { return itemName(where, "words", e); }));
        def.labels[e] = labelOf(labels[e], [&] { return itemName(where, "labels", e); });
    }
}

} // namespace

std::variant<KeyTableData, TableTextError> readTableJson(std::string_view text) {
    auto parsed = parseJson(text);
    if (const auto* error = std::get_if<JsonError>(&parsed)) {
        TableTextError problem;
        problem.problem = Problem::JsonSyntax;
        problem.line = error->line;
        problem.detail = error->message;
        return problem;
    }
    const JsonValue& root = std::get<JsonValue>(parsed);
    try {
        if (root.kind != JsonValue::Kind::Object) {
            fail(Kind::Unreadable, Problem::WrongType, root, {},
                 std::string(kindName(JsonValue::Kind::Object)));
        }
        onlyKnownMembers(root, {"format", "version", "positions"}, {});
        const JsonValue& format = memberOf(root, "format", JsonValue::Kind::String, {});
        if (format.text != kTableJsonFormat) {
            fail(Kind::Unreadable, Problem::NotThisFormat, format, "format");
        }
        const JsonValue& version = memberOf(root, "version", JsonValue::Kind::Number, {});
        std::int64_t number = 0;
        if (!version.integerIn(kTableJsonVersion, kTableJsonVersion, number)) {
            fail(Kind::Unreadable, Problem::UnknownVersion, version, "version", version.text);
        }
        const auto& positions = itemsOf(root, "positions", kKeyPositions, {});
        KeyTableData table;
        std::array<bool, kKeyPositions> seen{};
        for (std::size_t i = 0; i < positions.size(); ++i) {
            readPosition(positions[i], "positions[" + std::to_string(i) + "]", table, seen);
        }
        table.tableLoaded = true;
        return table;
    } catch (const Failure& failure) {
        return failure.error;
    }
}

} // namespace quilby
