#include "link/KeyboardIdMatcher.h"

namespace quilby {

KeyboardIdMatcher::Step KeyboardIdMatcher::step(const KeyMessage& message, bool busy) {
    if (message.kind != KeyMessage::Kind::KeyDown) {
        return {};
    }
    if (message.virtualKey == KeyMessage::kEscape || message.virtualKey == KeyMessage::kEnter) {
        return {KeyVerdict::Consumed, false};
    }
    if (busy) {
        return {};
    }
    // The low byte of the key code as a signed byte, against the buffer bytes
    // as unsigned ones: codes of 0x80 and above can never match.
    const int code = static_cast<std::int8_t>(message.virtualKey & 0xFF);
    const std::size_t position = counter_;
    const bool inBuffer = position < kKeyboardIdBufferSize;
    if (inBuffer && (code == settings_.keyboardId.lower[position] ||
                     code == settings_.keyboardId.upper[position])) {
        ++counter_;
        if (counter_ == expectedKeyboardIdLength(settings_.keyboardBrand)) {
            return {KeyVerdict::Consumed, true};
        }
        return {};
    }
    // The stray key is not tried again at the first position: the keyboard
    // has to type the whole identification again.
    counter_ = 0;
    return {};
}

} // namespace quilby
