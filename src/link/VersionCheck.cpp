#include "link/VersionCheck.h"

namespace quilby {

namespace {

// The text's last form.size() characters are the form. UTF-8 continuation
// bytes are never ASCII, so a byte comparison of the tail is a character
// comparison for these ASCII forms.
bool endsWithForm(std::string_view text, std::string_view form) {
    return text.size() >= form.size() && text.substr(text.size() - form.size()) == form;
}

} // namespace

KeyboardBrand decideKeyboardBrand(std::string_view typedText, KeyboardBrand current) {
    for (const KeyboardBrand brand : {KeyboardBrand::Molbrix, KeyboardBrand::Varo}) {
        const KeyboardIdForms forms = keyboardIdForms(brand);
        if (endsWithForm(typedText, forms.lower) || endsWithForm(typedText, forms.upper)) {
            return brand;
        }
    }
    return current;
}

void applyVersionCheck(LinkSettings& settings, std::string_view typedText) {
    settings.keyboardBrand = decideKeyboardBrand(typedText, settings.keyboardBrand);
    settings.selectKeyboardId();
}

KeyVerdict versionCheckKey(const KeyMessage& message) {
    const bool escapeOrEnter =
        message.virtualKey == KeyMessage::kEscape || message.virtualKey == KeyMessage::kEnter;
    return message.kind == KeyMessage::Kind::KeyDown && escapeOrEnter ? KeyVerdict::Consumed
                                                                      : KeyVerdict::PassOn;
}

} // namespace quilby
