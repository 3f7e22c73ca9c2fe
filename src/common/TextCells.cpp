#include "common/TextCells.h"

#include <cstdint>

namespace quilby {

namespace {

bool wideCodePoint(std::uint32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6);
}

} // namespace

TextCell textCellAt(std::string_view utf8, std::size_t at) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
        return {1, 1};
    }
    if ((lead & 0xE0) == 0xC0) {
        len = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4;
        cp = lead & 0x07;
    }
    bool valid = len != 0 && at + len <= utf8.size();
    for (std::size_t k = 1; valid && k < len; ++k) {
        const auto cont = static_cast<unsigned char>(utf8[at + k]);
        valid = (cont & 0xC0) == 0x80;
        cp = (cp << 6) | (cont & 0x3F);
    }
    if (!valid) {
        return {1, 1};
    }
    return {len, wideCodePoint(cp) ? 2 : 1};
}

int textCells(std::string_view utf8) {
    int cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const TextCell c = textCellAt(utf8, i);
        cells += c.cells;
        i += c.bytes;
    }
    return cells;
}

} // namespace quilby
