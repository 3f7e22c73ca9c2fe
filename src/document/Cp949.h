#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// Labels are kept as the code page 949 bytes the .KEY file holds (the Windows
// table, "CP949" in glibc's iconv); they are converted only for display.

// Decodes code page 949 bytes into UTF-8 as the standard (WHATWG) EUC-KR
// decoder does: a lead byte is 0x81..0xFE; a byte that starts no character,
// a lead byte at the end and a pair the table does not assign each become
// one U+FFFD; an ASCII byte after a lead byte is never swallowed by it.
std::string cp949ToUtf8(std::string_view bytes);

// Whether that decoder reads `bytes` without a single error.
bool isValidCp949(std::string_view bytes);

// Encodes UTF-8 text into code page 949 bytes; nullopt when a character has
// no code page 949 form or the input is not valid UTF-8.
std::optional<std::string> utf8ToCp949(std::string_view text);

} // namespace quilby
