#pragma once

#include "document/KeyTable.h"

#include <array>
#include <cstdint>

namespace quilby {

inline constexpr std::size_t kDownloadImageSize = std::size_t{kKeyPositions} * kEntriesPerKey;

// The bytes sent to the keyboard: all 20 codes of every position, spare
// entries included, in position order (byte 20 * k + j is code j of key k).
using DownloadImage = std::array<std::uint8_t, kDownloadImageSize>;

DownloadImage buildDownloadImage(const KeyTableData& table);

} // namespace quilby
