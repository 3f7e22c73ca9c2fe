#pragma once

#include <string_view>

namespace quilby {

// Texts every window of the program shares: the caption of message boxes and
// the file filter of the open and save dialogs.
inline constexpr std::string_view kApplicationTitle = "Quilby";
inline constexpr std::string_view kFileFilter = "KEY Files(*.KEY)";

} // namespace quilby
