#include "document/KeyFileWriter.h"

#include "document/TableRules.h"

#include <charconv>

namespace quilby {

namespace {

void appendNumber(std::string& out, long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendValue(std::string& out, long value) {
    appendNumber(out, value);
    out.push_back(' ');
}

} // namespace

std::string writeKeyFile(const KeyTableData& table) {
    // The last guard: every caller checks first and says what is wrong; a
    // table that reaches here broken is refused, never cut to fit.
    if (const auto broken = tableRuleBreak(table)) {
        throw TableRuleError(*broken);
    }
    std::string out;
    out.reserve(std::size_t{kKeyPositions} * 1200);
    for (std::size_t key = 0; key < kKeyPositions; ++key) {
        const auto& def = table.keyTable[key];
        for (const auto code : def.codes) {
            appendValue(out, code);
        }
        out.push_back('\n');
        for (const auto word : def.words) {
            appendValue(out, word);
        }
        out.push_back('\n');
        appendNumber(out, table.entryCounts[key]);
        out.push_back('\n');
        for (const auto& label : def.labels) {
            // Each byte as its signed value, then zeros up to 15 values.
            for (const char c : label) {
                appendValue(out, static_cast<signed char>(c));
            }
            for (std::size_t n = label.size(); n < kLabelValues; ++n) {
                out.append("0 ");
            }
            out.push_back('\n');
        }
        out.push_back('\n');
    }
    return out;
}

} // namespace quilby
