#pragma once

#include "editing/KeyButtonGrid.h"
#include "editing/KeyEvent.h"
#include "editing/KeyVocabulary.h"
#include "editing/ScanCodes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The keys the capture tells apart, as lookup tables. Which table a key is
// looked up in depends on the event and the modifiers pending; the capture's
// rules in KeyCapture.cpp decide that.
namespace quilby::capture {

// A key, by its scan code, and the vocabulary row its keystroke enters.
struct ScanRow {
    std::uint8_t scan = 0;
    int row = 0;
};

// A key, by its virtual-key code, and the step it moves the selection.
struct ArrowMove {
    std::uint8_t code = 0;
    MoveDirection direction = MoveDirection::Up;
};

// A lock key, by its virtual-key code, and who sees its key-down.
struct LockKey {
    std::uint8_t code = 0;
    CaptureOutcome outcome = CaptureOutcome::Consumed;
};

template <std::size_t... N>
constexpr std::array<ScanRow, (N + ...)> joinRows(const std::array<ScanRow, N>&... parts) {
    std::array<ScanRow, (N + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), joined.begin() + static_cast<std::ptrdiff_t>(at)),
      at += N),
     ...);
    return joined;
}

// The keypad digit keys: 7, 8, 9, 4, 5, 6, 1, 2, 3, 0 and the point.
inline constexpr std::array<ScanRow, 11> kKeypadDigitRows = {{
    {scan::Keypad7, kRowKeypad7},
    {scan::Keypad8, kRowKeypad8},
    {scan::Keypad9, kRowKeypad9},
    {scan::Keypad4, kRowKeypad4},
    {scan::Keypad5, kRowKeypad5},
    {scan::Keypad6, kRowKeypad6},
    {scan::Keypad1, kRowKeypad1},
    {scan::Keypad2, kRowKeypad2},
    {scan::Keypad3, kRowKeypad3},
    {scan::Keypad0, kRowKeypad0},
    {scan::KeypadPoint, kRowKeypadPoint},
}};

// Keypad *, - and +.
inline constexpr std::array<ScanRow, 3> kKeypadOperatorRows = {{
    {scan::KeypadStar, kRowKeypadStar},
    {scan::KeypadMinus, kRowKeypadMinus},
    {scan::KeypadPlus, kRowKeypadPlus},
}};

// F1 to F10 have consecutive scan codes and rows; F11 and F12 come later.
constexpr std::array<ScanRow, 12> makeFunctionKeyRows() {
    std::array<ScanRow, 12> rows{};
    for (int i = 0; i < 10; ++i) {
        rows[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(scan::F1 + i), kRowF1 + i};
    }
    rows[10] = {scan::F11, kRowF11};
    rows[11] = {scan::F12, kRowF12};
    return rows;
}
inline constexpr std::array<ScanRow, 12> kFunctionKeyRows = makeFunctionKeyRows();

// Keys that make the same entry with Alt pending or not: the keypad and the
// function keys.
inline constexpr auto kKeypadAndFunctionRows =
    joinRows(kKeypadOperatorRows, kFunctionKeyRows, kKeypadDigitRows);

// Key-downs translated at once, whatever the modifiers.
inline constexpr auto kKeyDownRows = joinRows(std::array<ScanRow, 2>{{
                                                  {scan::Tab, kRowTab},
                                                  {scan::Enter, kRowEnter},
                                              }},
                                              kKeypadAndFunctionRows);

// Keys that take a row of their own while Alt is pending (not extended);
// keypad 5 and the full stop have rules of their own.
inline constexpr auto kAltRows = joinRows(std::array<ScanRow, 6>{{
                                              {scan::Equals, '='},
                                              {scan::LeftBracket, '['},
                                              {scan::RightBracket, ']'},
                                              {scan::Enter, kRowEnter},
                                              {scan::Apostrophe, '\''},
                                              {scan::Backslash, kRowAltBackslash},
                                          }},
                                          kKeypadAndFunctionRows);

// Extended keys that make an entry: keypad Enter and /, and the grey editing keys.
inline constexpr std::array<ScanRow, 8> kExtendedRows = {{
    {scan::KeypadEnter, kRowKeypadEnter},
    {scan::Insert, kRowInsert},
    {scan::Delete, kRowDelete},
    {scan::Home, kRowHome},
    {scan::End, kRowEnd},
    {scan::PageUp, kRowPageUp},
    {scan::PageDown, kRowPageDown},
    {scan::KeypadSlash, kRowKeypadSlash},
}};

// Digit and punctuation keys with Ctrl held, which makes no character of its own.
constexpr std::array<ScanRow, 14> makeCtrlDigitOrPunctuationRows() {
    std::array<ScanRow, 14> rows{};
    for (int i = 0; i < 9; ++i) {
        rows[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(scan::Digit1 + i), '1' + i};
    }
    rows[9] = {scan::Digit0, '0'};
    rows[10] = {scan::Minus, kRowCtrlMinus};
    rows[11] = {scan::Semicolon, ';'};
    rows[12] = {scan::Apostrophe, '\''};
    rows[13] = {scan::Grave, '`'};
    return rows;
}
inline constexpr std::array<ScanRow, 14> kCtrlDigitOrPunctuationRows =
    makeCtrlDigitOrPunctuationRows();

// Keys a pending Alt lets pass without ending the combination; Alt's own
// release is among them.
inline constexpr std::array<std::uint8_t, 8> kAltKeepsPendingScans = {
    scan::Escape, scan::BackSpace, scan::Ctrl,    scan::LeftShift,
    scan::Alt,    scan::CapsLock,  scan::NumLock, scan::ScrollLock,
};

// With Ctrl held, the letters of the main window's shortcuts.
inline constexpr std::array<std::uint8_t, 8> kShortcutLetterScans = {
    scan::N, scan::O, scan::S, scan::P, scan::Z, scan::X, scan::C, scan::V,
};

// Keys whose Ctrl combination types nothing: Ctrl is dropped silently.
inline constexpr std::array<std::uint8_t, 4> kCtrlSilentScans = {
    scan::Equals,
    scan::Comma,
    scan::Period,
    scan::Slash,
};

// The grey arrows, extended; the same scan codes without the flag are keypad keys.
inline constexpr std::array<std::uint8_t, 4> kGreyArrowScans = {
    scan::Up,
    scan::Left,
    scan::Right,
    scan::Down,
};

// The grey arrows' key-downs select another position.
inline constexpr std::array<ArrowMove, 4> kArrowMoves = {{
    {vk::Up, MoveDirection::Up},
    {vk::Down, MoveDirection::Down},
    {vk::Left, MoveDirection::Left},
    {vk::Right, MoveDirection::Right},
}};

// The lock keys end a combination; CapsLock and ScrollLock go to the dialog.
inline constexpr std::array<LockKey, 3> kLockKeys = {{
    {vk::CapsLock, CaptureOutcome::DialogHandling},
    {vk::ScrollLock, CaptureOutcome::DialogHandling},
    {vk::NumLock, CaptureOutcome::Consumed},
}};

// The unshifted characters that a held Shift would have changed.
inline constexpr std::string_view kUnshiftedPunctuation = "',-./;=[\\]`";

constexpr std::optional<int> rowOf(std::span<const ScanRow> table, int scanCode) {
    for (const ScanRow& entry : table) {
        if (entry.scan == scanCode) {
            return entry.row;
        }
    }
    return std::nullopt;
}

constexpr bool holds(std::span<const std::uint8_t> scans, int scanCode) {
    for (const std::uint8_t s : scans) {
        if (s == scanCode) {
            return true;
        }
    }
    return false;
}

// A key listed twice would make the table's order a hidden rule.
template <typename T, std::size_t N, typename Key>
constexpr bool keysUnique(const std::array<T, N>& table, Key key) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            if (key(table[i]) == key(table[j])) {
                return false;
            }
        }
    }
    return true;
}
inline constexpr auto kScanOfRow = [](const ScanRow& r) { return r.scan; };
static_assert(keysUnique(kKeyDownRows, kScanOfRow));
static_assert(keysUnique(kAltRows, kScanOfRow));
static_assert(keysUnique(kExtendedRows, kScanOfRow));
static_assert(keysUnique(kCtrlDigitOrPunctuationRows, kScanOfRow));

} // namespace quilby::capture
