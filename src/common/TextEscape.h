#pragma once

#include <string>
#include <string_view>

namespace quilby {

// Text from outside (a file name, a file's bytes, a device name) made safe
// for a terminal: control characters (C0, DEL, and C1 written in UTF-8) and
// every byte that is not part of valid UTF-8 become \xNN, so nothing from
// outside can move the cursor, recolour the screen or set a window title.
// Valid UTF-8 otherwise passes unchanged.
std::string printableText(std::string_view text);

} // namespace quilby
