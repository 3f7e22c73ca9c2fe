#pragma once

#include "link/KeyMessage.h"
#include "link/LinkSettings.h"

#include "common/TextMarker.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quilby {

// The model whose identification ends the typed text (UTF-8, exactly as
// typed: case and the leading space count), or `current` when neither does.
// The MOLBRIX forms are tried first.
KeyboardBrand decideKeyboardBrand(std::string_view typedText, KeyboardBrand current);

// The model whose identification ends the text; nullopt when neither does.
std::optional<KeyboardBrand> identifiedBrand(std::string_view typedText);

// The version check's text field while the keyboard announces itself: once
// an announcement has ended in an identification, the next one starts the
// field afresh, so the field holds one announcement, never a pile of them.
class VersionCheckText {
public:
    // The field's text after a keystroke (the keyboard's or the user's);
    // returns the text it is to show.
    std::string update(std::string_view text);
    // The model the last announcement identified.
    std::optional<KeyboardBrand> found() const { return found_; }

private:
    std::string announcement_; // the field's text when it ended in an identification
    std::optional<KeyboardBrand> found_;
};

// What the version check tells under its field; "%1" is the model's name.
inline constexpr const char* kVersionCheckWaitingText =
    QUILBY_TEXT("VersionCheck", "키보드가 알림을 보내면 찾은 모델을 여기에 알려 드립니다.");
inline constexpr const char* kVersionCheckFoundText =
    QUILBY_TEXT("VersionCheck", "%1 키보드를 찾았습니다. 확인을 누르면 다운로드와 EPROM & MCR이 "
                                "%1 키보드의 알림을 기다리도록 설정합니다.");
inline constexpr const char* kVersionCheckUnknownText = QUILBY_TEXT(
    "VersionCheck", "알 수 없는 알림입니다. 확인을 눌러도 지금의 모델(%1)을 그대로 둡니다.");
// The model's name as the simulator's model choice shows it.
inline constexpr const char* kVaroName = QUILBY_TEXT("VersionCheck", "VARO");
inline constexpr const char* kMolbrixName = QUILBY_TEXT("VersionCheck", "MOLBRIX");
inline const char* brandName(KeyboardBrand brand) {
    return brand == KeyboardBrand::Molbrix ? kMolbrixName : kVaroName;
}

// OK of the version check: decides the brand and selects its identification
// forms, in every case.
void applyVersionCheck(LinkSettings& settings, std::string_view typedText);

// The version check's key pre-processing: Escape and Enter key-downs are
// consumed, so neither the keyboard's typing nor the user closes the dialog
// with them; everything else takes its normal course into the text field.
KeyVerdict versionCheckKey(const KeyMessage& message);

} // namespace quilby
