#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quilby {

using Sha256Digest = std::array<std::uint8_t, 32>;

// SHA-256 (FIPS 180-4) of `bytes`. The download record names images and
// tables by it; nothing the core links provides one.
Sha256Digest sha256(std::string_view bytes);

// The digest as 64 lowercase hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// Whether `text` is 64 lowercase hexadecimal digits (a name sha256Hex gives).
bool isSha256Hex(std::string_view text);

} // namespace quilby
