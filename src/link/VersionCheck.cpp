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

std::optional<KeyboardBrand> identifiedBrand(std::string_view typedText) {
    for (const KeyboardBrand brand : {KeyboardBrand::Molbrix, KeyboardBrand::Varo}) {
        const KeyboardIdForms forms = keyboardIdForms(brand);
        if (endsWithForm(typedText, forms.lower) || endsWithForm(typedText, forms.upper)) {
            return brand;
        }
    }
    return std::nullopt;
}

KeyboardBrand decideKeyboardBrand(std::string_view typedText, KeyboardBrand current) {
    return identifiedBrand(typedText).value_or(current);
}

std::string VersionCheckText::update(std::string_view text) {
    std::string shown(text);
    if (found_) {
        if (shown.size() > announcement_.size() && shown.starts_with(announcement_)) {
            // Typing after a finished announcement: the next one begins.
            shown.erase(0, announcement_.size());
        }
        if (shown != announcement_) {
            found_.reset();
            announcement_.clear();
        }
    }
    if (!found_) {
        if (const auto brand = identifiedBrand(shown)) {
            found_ = brand;
            announcement_ = shown;
        }
    }
    return shown;
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
