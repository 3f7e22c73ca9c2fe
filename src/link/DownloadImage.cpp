#include "link/DownloadImage.h"

#include <algorithm>

namespace quilby {

DownloadImage buildDownloadImage(const KeyTableData& table) {
    DownloadImage image{};
    auto out = image.begin();
    for (const auto& def : table.keyTable) {
        out = std::copy(def.codes.begin(), def.codes.end(), out);
    }
    return image;
}

} // namespace quilby
