#include "link/EpromReport.h"

#include <algorithm>
#include <string_view>

namespace quilby {

EpromReport parseEpromReport(const EpromReportBuffer& buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
    const std::string text(buffer.begin(), end);
    const auto piece = [&text](std::size_t offset, std::size_t length) {
        return offset < text.size() ? text.substr(offset, length) : std::string();
    };
    return EpromReport{piece(6, 3) + "-" + piece(10, 3), piece(2, 4)};
}

} // namespace quilby
