#include "common/FontFaces.h"

namespace quilby {

std::string_view installedFaceFor(std::string_view requested) {
    if (requested == "굴림" || requested == "새굴림" || requested == "System") {
        return kKoreanFace;
    }
    return requested;
}

} // namespace quilby
