#include "link/KeyboardId.h"

#include <algorithm>

namespace quilby {

KeyboardIdForms keyboardIdForms(KeyboardBrand brand) {
    switch (brand) {
    case KeyboardBrand::Molbrix:
        return {" MOLBRIXPOSKEYBOARD", " molbrixposkeyboard"};
    case KeyboardBrand::Varo:
        return {"VAROPOSKEYBOARD", "varoposkeyboard"};
    default:
        return {};
    }
}

int expectedKeyboardIdLength(KeyboardBrand brand) {
    return static_cast<int>(keyboardIdForms(brand).upper.size());
}

namespace {

void copyForm(std::string_view form, KeyboardIdBuffer& buffer) {
    const auto end = std::copy(form.begin(), form.end(), buffer.begin());
    *end = 0;
}

} // namespace

void selectKeyboardId(KeyboardBrand brand, KeyboardIdBuffers& buffers) {
    const KeyboardIdForms forms = keyboardIdForms(brand);
    if (forms.upper.empty()) {
        return;
    }
    copyForm(forms.upper, buffers.upper);
    copyForm(forms.lower, buffers.lower);
}

} // namespace quilby
