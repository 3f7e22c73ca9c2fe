#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quilby {

// Writes `text` (UTF-8) as a JSON string literal, quotes included.
void writeJsonString(std::ostream& out, std::string_view text);
void appendJsonString(std::string& out, std::string_view text);

struct JsonMember;

// A parsed JSON value and the line it starts on, so a reader can say where
// something it does not accept stands. Numbers keep their text: a table's
// fields are integers and are checked as such by whoever reads them.
struct JsonValue {
    enum class Kind : std::uint8_t { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    int line = 1;
    bool boolean = false;
    std::string text; // a string's UTF-8 text, or a number as written
    std::vector<JsonValue> items;
    std::vector<JsonMember> members; // in the order written

    // The member named `name`; nullptr when there is none.
    const JsonValue* member(std::string_view name) const;
    // A number written as an integer (no fraction, no exponent) within
    // [low, high]; false otherwise.
    bool integerIn(std::int64_t low, std::int64_t high, std::int64_t& value) const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

struct JsonError {
    int line = 1;
    std::string message;
};

// Reads one JSON document (RFC 8259): a value, surrounded only by blanks.
// Strings must be UTF-8, escapes included; objects with a name twice and
// nesting deeper than 64 levels are refused.
std::variant<JsonValue, JsonError> parseJson(std::string_view text);

} // namespace quilby
