#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// Labels are kept as the code page 949 bytes the .KEY file holds (the Windows
// table, "CP949" in glibc's iconv); they are converted only for display.

// Decodes code page 949 bytes into UTF-8. A byte that does not start a valid
// character becomes U+FFFD and decoding goes on with the next byte.
std::string cp949ToUtf8(std::string_view bytes);

// Encodes UTF-8 text into code page 949 bytes; nullopt when a character has
// no code page 949 form or the input is not valid UTF-8.
std::optional<std::string> utf8ToCp949(std::string_view text);

} // namespace quilby
