#pragma once

#include "document/KeyTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quilby {

// A combination that has no scan/character word.
inline constexpr std::uint16_t NoWord = 0xffff;

// Marks, found only in the `normal` column: the row's character is typed with
// that modifier, so the translation treats it as held and takes its column.
inline constexpr std::uint16_t ShiftMark = 1;
inline constexpr std::uint16_t AltMark = 2;
inline constexpr std::uint16_t CtrlMark = 3;

inline constexpr int kVocabularyRows = 220;
inline constexpr int kVocabularyNameField = 15; // 14 bytes of name and the NUL
inline constexpr int kSpecialKeyCount = 25;
inline constexpr int kFirstSpecialKeyRow = 155;

// Rows the keystroke translation names directly. Rows below 128 are the
// character codes themselves and are written as characters where they are used.
inline constexpr int kRowInsert = 128;
inline constexpr int kRowDelete = 129;
inline constexpr int kRowHome = 130;
inline constexpr int kRowEnd = 131;
inline constexpr int kRowPageUp = 132;
inline constexpr int kRowPageDown = 133;
inline constexpr int kRowKeypadSlash = 138;
inline constexpr int kRowKeypadStar = 139;
inline constexpr int kRowKeypadMinus = 140;
inline constexpr int kRowKeypadPlus = 141;
inline constexpr int kRowEnter = 142;
inline constexpr int kRowKeypad7 = 143;
inline constexpr int kRowKeypad8 = 146;
inline constexpr int kRowKeypad9 = 147;
inline constexpr int kRowKeypad4 = 148;
inline constexpr int kRowKeypad6 = 149;
inline constexpr int kRowKeypad1 = 150;
inline constexpr int kRowKeypad2 = 151;
inline constexpr int kRowKeypad3 = 152;
inline constexpr int kRowKeypad0 = 153;
inline constexpr int kRowKeypadPoint = 154;
inline constexpr int kRowCtrlMinus = 189; // the minus key with Ctrl or Alt
inline constexpr int kRowAltBackslash = 194;
inline constexpr int kRowF1 = 200; // F1 to F10 follow in order
inline constexpr int kRowF10 = 209;
inline constexpr int kRowF11 = 210;
inline constexpr int kRowF12 = 211;
inline constexpr int kRowTab = 213;
inline constexpr int kRowKeypad5 = 214;
inline constexpr int kRowAlt = 215;
inline constexpr int kRowShift = 216;
inline constexpr int kRowCtrl = 217;
inline constexpr int kRowKeypadEnter = 219;

enum class WordColumn { Normal, Shift, Alt, Ctrl };

// One row of the key vocabulary: the keyboard's key number, the four words
// chosen by the modifiers held, and the name that becomes the entry's label.
struct KeyVocabularyRow {
    std::uint8_t code = 0;
    std::uint16_t normal = NoWord;
    std::uint16_t shift = NoWord;
    std::uint16_t alt = NoWord;
    std::uint16_t ctrl = NoWord;
    std::array<char, kVocabularyNameField> name{}; // code page 949, NUL-terminated

    constexpr std::string_view nameText() const {
        std::size_t n = 0;
        while (n < name.size() && name[n] != '\0') {
            ++n;
        }
        return {name.data(), n};
    }

    constexpr std::uint16_t word(WordColumn column) const {
        switch (column) {
        case WordColumn::Shift:
            return shift;
        case WordColumn::Alt:
            return alt;
        case WordColumn::Ctrl:
            return ctrl;
        case WordColumn::Normal:
            break;
        }
        return normal;
    }

    constexpr bool isEmpty() const {
        return code == 0 && normal == NoWord && shift == NoWord && alt == NoWord &&
               ctrl == NoWord && name[0] == '\0';
    }
};

// The 220 rows, in row order. Constant for the whole run.
const std::array<KeyVocabularyRow, kVocabularyRows>& keyVocabulary();

inline bool validVocabularyRow(int row) {
    return row >= 0 && row < kVocabularyRows;
}

// Row `row`; a number outside 0..219 yields the empty row.
const KeyVocabularyRow& vocabularyRow(int row);

// The entry a keystroke makes from a row: its code, the chosen word, its name.
KeyEntry makeEntry(const KeyVocabularyRow& row, WordColumn column);

// The special key typed as Ctrl+Shift+letter, whose control character is
// `ctrlCharacter` (1 for A ... 25 for Y); nullopt for anything else (Z too).
std::optional<int> specialKeyRow(int ctrlCharacter);

// The 25 reference texts of the special keys, in chord order A to Y; text r
// names vocabulary row 155 + r. UTF-8, marked for translation in the
// context "KeyVocabulary".
const std::array<std::string_view, kSpecialKeyCount>& specialKeyList();

} // namespace quilby
