#include "document/TableRules.h"

#include "document/Cp949.h"

#include <algorithm>

namespace quilby {

std::optional<KeyFileFinding::Kind> labelRuleBreak(std::string_view label) {
    using Kind = KeyFileFinding::Kind;
    if (label.size() > kLabelValues) {
        return Kind::LabelTooLong;
    }
    if (std::any_of(label.begin(), label.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7F;
        })) {
        return Kind::LabelControlBytes;
    }
    if (!isValidCp949(label)) {
        return Kind::LabelNotDecodable;
    }
    return std::nullopt;
}

std::optional<KeyFileFinding> tableRuleBreak(const KeyTableData& table) {
    for (int k = 0; k < kKeyPositions; ++k) {
        const auto key = static_cast<std::size_t>(k);
        const int count = table.entryCounts[key];
        if (count < 0 || count > kEntriesPerKey) {
            return KeyFileFinding{
                KeyFileFinding::Kind::CountOutOfRange, 0, k, count, KeyFileFinding::Row::Count,
                std::clamp(count, 0, kEntriesPerKey)};
        }
        for (const std::string& label : table.keyTable[key].labels) {
            if (const auto kind = labelRuleBreak(label)) {
                return KeyFileFinding{*kind,
                                      0,
                                      k,
                                      static_cast<std::int64_t>(label.size()),
                                      KeyFileFinding::Row::Labels,
                                      0,
                                      printableBytes(label)};
            }
        }
    }
    return std::nullopt;
}

} // namespace quilby
