#include "link/DownloadImage.h"

#include <algorithm>

namespace quilby {

DownloadImage buildDownloadImage(const KeyTableData& table) {
    DownloadImage image{};
    auto out = image.begin();
    for (const auto& def : table.KeyTable) {
        out = std::copy(def.Codes.begin(), def.Codes.end(), out);
    }
    return image;
}

} // namespace quilby
