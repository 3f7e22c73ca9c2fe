#pragma once

#include "link/KeyMessage.h"
#include "link/LinkSettings.h"

#include <cstdint>
#include <string_view>

namespace quilby {

// The model whose identification ends the typed text (UTF-8, exactly as
// typed: case and the leading space count), or `current` when neither does.
// The MOLBRIX forms are tried first.
KeyboardBrand decideKeyboardBrand(std::string_view typedText, KeyboardBrand current);

// OK of the version check: decides the brand and selects its identification
// forms, in every case.
void applyVersionCheck(LinkSettings& settings, std::string_view typedText);

// The version check's key pre-processing: Escape and Enter key-downs are
// consumed, so neither the keyboard's typing nor the user closes the dialog
// with them; everything else takes its normal course into the text field.
KeyVerdict versionCheckKey(const KeyMessage& message);

} // namespace quilby
