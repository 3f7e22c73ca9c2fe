#include "exchange/JsonText.h"

#include <charconv>
#include <cstdio>
#include <unordered_set>

namespace quilby {

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void writeJsonString(std::ostream& out, std::string_view text) {
    std::string literal;
    appendJsonString(literal, text);
    out << literal;
}

const JsonValue* JsonValue::member(std::string_view name) const {
    for (const auto& [key, value] : members) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

bool JsonValue::integerIn(std::int64_t low, std::int64_t high, std::int64_t& value) const {
    if (kind != Kind::Number || text.find_first_of(".eE") != std::string::npos) {
        return false;
    }
    std::int64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

namespace {

constexpr int kMaxDepth = 64;

void appendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the UTF-8 sequence at the start of `s`, 0 when it is not one
// (overlong forms, surrogates and values past U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const auto tail = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char lead = b(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return tail(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!tail(1) || !tail(2) || (lead == 0xE0 && b(1) < 0xA0) ||
            (lead == 0xED && b(1) > 0x9F)) {
            return 0;
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!tail(1) || !tail(2) || !tail(3) || (lead == 0xF0 && b(1) < 0x90) ||
            (lead == 0xF4 && b(1) > 0x8F)) {
            return 0;
        }
        return 4;
    }
    return 0;
}

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> document() {
        JsonValue value;
        if (!parseValue(value, 0)) {
            return error_;
        }
        skipBlanks();
        if (at_ != text_.size()) {
            fail("more text after the JSON value");
            return error_;
        }
        return value;
    }

private:
    bool fail(std::string message) {
        error_ = {line_, std::move(message)};
        return false;
    }

    void skipBlanks() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++at_;
        }
    }

    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            return fail("not a JSON value");
        }
        at_ += word.size();
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        skipBlanks();
        value.line = line_;
        if (at_ >= text_.size()) {
            return fail("the JSON text ends early");
        }
        switch (text_[at_]) {
        case '{':
            return parseObject(value, depth + 1);
        case '[':
            return parseArray(value, depth + 1);
        case '"':
            value.kind = JsonValue::Kind::String;
            return parseString(value.text);
        case 't':
            value.kind = JsonValue::Kind::Bool;
            value.boolean = true;
            return literal("true");
        case 'f':
            value.kind = JsonValue::Kind::Bool;
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return parseNumber(value);
        }
    }

    bool parseNumber(JsonValue& value) {
        const std::size_t start = at_;
        const auto digits = [&] {
            const std::size_t from = at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
                ++at_;
            }
            return at_ - from;
        };
        if (at_ < text_.size() && text_[at_] == '-') {
            ++at_;
        }
        const std::size_t intStart = at_;
        const std::size_t intDigits = digits();
        if (intDigits == 0 || (intDigits > 1 && text_[intStart] == '0')) {
            at_ = start;
            return fail("not a JSON value");
        }
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (digits() == 0) {
                return fail("a number without digits after its point");
            }
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) {
                ++at_;
            }
            if (digits() == 0) {
                return fail("a number without digits in its exponent");
            }
        }
        value.kind = JsonValue::Kind::Number;
        value.text = std::string(text_.substr(start, at_ - start));
        return true;
    }

    bool hex4(std::uint32_t& out) {
        if (at_ + 4 > text_.size()) {
            return fail("a \\u escape without four hex digits");
        }
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return fail("a \\u escape without four hex digits");
            }
            out = out * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool parseEscape(std::string& out) {
        if (at_ >= text_.size()) {
            return fail("a string that never ends");
        }
        const char c = text_[at_++];
        static constexpr std::string_view kFrom = "\"\\/bfnrt";
        static constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
        if (const auto i = kFrom.find(c); i != std::string_view::npos) {
            out += kTo[i];
            return true;
        }
        if (c != 'u') {
            return fail(std::string("an unknown escape \\") + c);
        }
        std::uint32_t code = 0;
        if (!hex4(code)) {
            return false;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return fail("a lone low surrogate escape");
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(at_, 2) != "\\u" || (at_ += 2, !hex4(low)) || low < 0xDC00 ||
                low > 0xDFFF) {
                return fail("a high surrogate escape without its low half");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, code);
        return true;
    }

    bool parseString(std::string& out) {
        ++at_; // the opening quote
        while (true) {
            if (at_ >= text_.size()) {
                return fail("a string that never ends");
            }
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\\') {
                ++at_;
                if (!parseEscape(out)) {
                    return false;
                }
                continue;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail("a control character inside a string");
            }
            const std::size_t n = utf8SequenceLength(text_.substr(at_));
            if (n == 0) {
                return fail("a string that is not UTF-8");
            }
            out.append(text_.substr(at_, n));
            at_ += n;
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return fail("nesting deeper than 64 levels");
        }
        value.kind = JsonValue::Kind::Array;
        ++at_;
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == ']') {
            ++at_;
            return true;
        }
        while (true) {
            value.items.emplace_back();
            if (!parseValue(value.items.back(), depth)) {
                return false;
            }
            skipBlanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
            } else if (at_ < text_.size() && text_[at_] == ']') {
                ++at_;
                return true;
            } else {
                return fail("expected ',' or ']' in an array");
            }
        }
    }

    bool parseObject(JsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return fail("nesting deeper than 64 levels");
        }
        value.kind = JsonValue::Kind::Object;
        std::unordered_set<std::string> names; // a linear search would be quadratic
        ++at_;
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == '}') {
            ++at_;
            return true;
        }
        while (true) {
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != '"') {
                return fail("expected a member name in quotes");
            }
            std::string name;
            if (!parseString(name)) {
                return false;
            }
            if (!names.insert(name).second) {
                return fail("the member \"" + name + "\" is given twice");
            }
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != ':') {
                return fail("expected ':' after a member name");
            }
            ++at_;
            value.members.push_back({std::move(name), JsonValue{}});
            if (!parseValue(value.members.back().value, depth)) {
                return false;
            }
            skipBlanks();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
            } else if (at_ < text_.size() && text_[at_] == '}') {
                ++at_;
                return true;
            } else {
                return fail("expected ',' or '}' in an object");
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
    JsonError error_;
};

} // namespace

std::variant<JsonValue, JsonError> parseJson(std::string_view text) {
    return JsonParser(text).document();
}

} // namespace quilby
