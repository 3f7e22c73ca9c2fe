#pragma once

#include <string_view>

namespace quilby {

// The Korean face every Korean text is drawn in. The program's texts and the
// label sheet were laid out for the Windows faces "굴림" and "새굴림", which no
// Debian system has; asking for them by name would leave the choice to the
// font matcher and make the output differ from machine to machine.
inline constexpr std::string_view kKoreanFace = "NanumGothic";

// The fixed-pitch Korean face of the same family (Hangul exactly two Latin
// widths): texts cut by display columns, such as the layout's labels, fit
// where the columns say they do.
inline constexpr std::string_view kKoreanFixedFace = "NanumGothicCoding";

// The installed face to ask for in place of `requested`: the Korean face for
// "굴림", "새굴림" and the dialog face "System" (which on a Korean desktop
// shows Korean too), `requested` itself for every other name.
std::string_view installedFaceFor(std::string_view requested);

} // namespace quilby
