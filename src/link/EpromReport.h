#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quilby {

// The keyboard's answer to the MCR command, typed as key-downs and kept as
// their key codes. The buffer holds at most 19 codes and always a zero after
// them; further codes are dropped.
inline constexpr std::size_t kEpromReportBufferSize = 20;
inline constexpr std::size_t kEpromReportMaxLength = kEpromReportBufferSize - 1;
using EpromReportBuffer = std::array<std::uint8_t, kEpromReportBufferSize>;

struct EpromReport {
    std::string version;  // "%s-%s" of the 3 codes at offset 6 and the 3 at offset 10
    std::string checksum; // the 4 codes at offset 2
    bool operator==(const EpromReport&) const = default;
};

// Reads the buffer as a zero-terminated text; a piece that reaches past its
// end is cut short, or empty. Offsets 0, 1 and 9 and anything after 12 are
// not part of either.
EpromReport parseEpromReport(const EpromReportBuffer& buffer);

} // namespace quilby
