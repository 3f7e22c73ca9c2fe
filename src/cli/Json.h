#pragma once

#include <ostream>
#include <string_view>

namespace quilby {

// Writes `text` (UTF-8) as a JSON string literal, quotes included.
void writeJsonString(std::ostream& out, std::string_view text);

} // namespace quilby
