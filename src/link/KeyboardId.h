#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quilby {

// The keyboard models the link knows. The VARO model is assumed until a
// version check finds the other one.
// The numbers are the ones the keyboard's own tools use.
enum class KeyboardBrand : std::int32_t {
    Unknown = 0, // before start-up
    Molbrix = 1,
    Varo = 2,
};

inline constexpr std::size_t kKeyboardIdBufferSize = 20;
using KeyboardIdBuffer = std::array<std::uint8_t, kKeyboardIdBufferSize>;

// The identification string the keyboard types when its announce keys are
// pressed, in the two forms the link accepts. NUL-terminated; all zero until
// the first selection.
struct KeyboardIdBuffers {
    KeyboardIdBuffer upper{};
    KeyboardIdBuffer lower{};
};

// The forms of one model; empty views for an unknown brand.
struct KeyboardIdForms {
    std::string_view upper;
    std::string_view lower;
};
KeyboardIdForms keyboardIdForms(KeyboardBrand brand);

// Length of the expected identification: 19 for MOLBRIX (it begins with a
// space), 15 for VARO, 0 for any other brand.
int expectedKeyboardIdLength(KeyboardBrand brand);

// Copies the forms of `brand` with their terminating NUL into the buffers.
// Only the form and its NUL are written: after a switch from the 19-character
// form to the 15-character one, bytes 16 to 19 keep the old tail. An unknown
// brand changes nothing.
void selectKeyboardId(KeyboardBrand brand, KeyboardIdBuffers& buffers);

} // namespace quilby
