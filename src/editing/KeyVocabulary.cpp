#include "editing/KeyVocabulary.h"

#include "common/TextMarker.h"

namespace quilby {

namespace {

constexpr std::uint16_t SM = ShiftMark;
constexpr std::uint16_t AM = AltMark;
constexpr std::uint16_t CM = CtrlMark;
constexpr std::uint16_t NW = NoWord;

// A row written out in full; a null name means the name comes from the naming
// rule (the row's character, or that of the key's unshifted row).
struct FullRow {
    int row;
    std::uint8_t code;
    std::uint16_t normal, shift, alt, ctrl;
    const char* name;
};

// Scan codes of the keys behind the control characters 1 to 29 (A to Z, [, \, ]).
constexpr std::array<std::uint8_t, 29> kControlKeyScans = {
    0x1e, 0x30, 0x2e, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32, 0x31, 0x18,
    0x19, 0x10, 0x13, 0x1f, 0x14, 0x16, 0x2f, 0x11, 0x2d, 0x15, 0x2c, 0x1a, 0x2b, 0x1b};

constexpr FullRow kFullRows[] = {
    // Space, punctuation and digits.
    {32, 68, 0x3920, 0x3920, 0x3920, 0x3920, "Space"},
    {33, 41, SM, 0x0221, NW, NW, nullptr},
    {34, 60, SM, 0x2822, NW, NW, nullptr},
    {35, 43, SM, 0x0423, NW, NW, nullptr},
    {36, 44, SM, 0x0524, NW, NW, nullptr},
    {37, 45, SM, 0x0625, NW, NW, nullptr},
    {38, 47, SM, 0x0826, NW, NW, nullptr},
    {39, 60, 0x2827, 0x2822, 0x2800, NW, nullptr},
    {40, 49, SM, 0x0a28, NW, NW, nullptr},
    {41, 50, SM, 0x0b29, NW, NW, nullptr},
    {42, 48, SM, 0x092a, NW, NW, nullptr},
    {43, 52, SM, 0x0d2b, NW, NW, nullptr},
    {44, 63, 0x332c, 0x333c, 0x3300, NW, nullptr},
    {45, 51, 0x0c2d, 0x0c5f, 0x8200, 0x0c1f, nullptr},
    {46, 64, 0x342e, 0x343e, NW, NW, nullptr},
    {47, 65, 0x352f, 0x353f, 0x3500, NW, nullptr},
    {48, 50, 0x0b30, NW, 0x8100, NW, nullptr},
    {49, 41, 0x0231, NW, 0x7800, NW, nullptr},
    {50, 42, 0x0332, NW, 0x7900, 0x0300, nullptr},
    {51, 43, 0x0433, NW, 0x7a00, NW, nullptr},
    {52, 44, 0x0534, NW, 0x7b00, NW, nullptr},
    {53, 45, 0x0635, NW, 0x7c00, NW, nullptr},
    {54, 46, 0x0736, NW, 0x7d00, 0x071e, nullptr},
    {55, 47, 0x0837, NW, 0x7e00, NW, nullptr},
    {56, 48, 0x0938, NW, 0x7f00, NW, nullptr},
    {57, 49, 0x0a39, NW, 0x8000, NW, nullptr},
    {58, 59, SM, 0x273a, NW, NW, nullptr},
    {59, 59, 0x273b, 0x273a, 0x2700, NW, nullptr},
    {60, 63, SM, 0x333c, NW, NW, nullptr},
    {61, 52, 0x0d3d, 0x0d2b, 0x8300, NW, nullptr},
    {62, 64, SM, 0x343e, NW, NW, nullptr},
    {63, 65, SM, 0x353f, 0x3500, NW, nullptr},
    {64, 42, SM, 0x0340, NW, NW, nullptr},
    {91, 56, 0x1a5b, 0x1a7b, 0x1a00, 0x1a1b, nullptr},
    {92, 53, 0x2b5c, 0x2b7c, 0x2b00, 0x2b1c, nullptr},
    {93, 57, 0x1b5d, 0x1b7d, 0x1b00, 0x1b1d, nullptr},
    {94, 46, SM, 0x075e, 0x7d00, 0x071e, nullptr},
    {95, 51, SM, 0x0c5f, 0x8200, 0x0c1f, nullptr},
    {96, 40, 0x2960, 0x297e, 0x2900, NW, nullptr},
    {123, 56, SM, 0x1a7b, 0x1a00, 0x1a1b, nullptr},
    {124, 53, SM, 0x2b7c, 0x2b00, 0x2b1c, nullptr},
    {125, 57, SM, 0x1b7d, 0x1b00, 0x1b1d, nullptr},
    {126, 40, SM, 0x297e, NW, NW, nullptr},
    {127, 54, CM, 0x0e08, 0x0e00, 0x0e7f, "Back Space"},
    // Editing, cursor and keypad keys.
    {128, 69, 0x52e0, 0x52e0, 0xa200, 0x92e0, "Insert"},
    {129, 70, 0x53e0, 0x53e0, 0xa300, 0x93e0, "Delete"},
    {130, 71, 0x47e0, 0x47e0, 0x9700, 0x77e0, "Home"},
    {131, 72, 0x4fe0, 0x4fe0, 0x9f00, 0x75e0, "End"},
    {132, 73, 0x49e0, 0x49e0, 0x9900, 0x84e0, "PageUp"},
    {133, 74, 0x51e0, 0x51e0, 0xa100, 0x76e0, "PageDown"},
    {134, 75, 0x48e0, 0x48e0, 0x9800, 0x8de0, "Up"},
    {135, 76, 0x50e0, 0x50e0, 0xa000, 0x91e0, "Down"},
    {136, 77, 0x4be0, 0x4be0, 0x9b00, 0x73e0, "Left"},
    {137, 78, 0x4de0, 0x4de0, 0x9d00, 0x74e0, "Right"},
    {138, 80, 0xe02f, 0xe02f, 0xa400, 0x9500, "/"},
    {139, 81, 0x372a, NW, 0x3700, 0x9600, "*"},
    {140, 82, 0x4a2d, 0x4a2d, 0x4a00, 0x8e00, "-"},
    {141, 83, 0x4e2b, 0x4e2b, 0x4e00, 0x9000, "+"},
    {142, 106, 0x1c0d, 0x1c0d, 0x1c0a, 0xa600, "Enter"},
    {143, 84, 0x4700, 0x4737, NW, 0x7700, "Home7"},
    {144, 79, NW, NW, NW, NW, "NumLock"},
    {145, 96, NW, NW, NW, NW, "ScrollLock"},
    {146, 85, 0x4800, 0x4838, NW, 0x8d00, "Up8"},
    {147, 86, 0x4900, 0x4939, NW, 0x8400, "PgUp9"},
    {148, 87, 0x4b00, 0x4b34, NW, 0x7300, "Left4"},
    {149, 89, 0x4d00, 0x4d36, NW, 0x7400, "Right6"},
    {150, 90, 0x4f00, 0x4f31, NW, 0x7500, "End1"},
    {151, 91, 0x5000, 0x5032, NW, 0x9100, "Down2"},
    {152, 92, 0x5100, 0x5133, NW, 0x7600, "PgDn3"},
    {153, 93, 0x5200, 0x5230, NW, 0x9200, "Ins0"},
    {154, 94, 0x5300, 0x532e, NW, 0x9300, "Del."},
    // Special keys, entered with Ctrl+Shift+A to Ctrl+Shift+Y.
    {155, 95, 0x0000, NW, NW, NW, "PrintScreen"},
    {156, 96, 0x0000, NW, NW, NW, "ScrollLock"},
    {157, 97, 0x0000, NW, NW, NW, "Pause"},
    {158, 79, 0x0000, NW, NW, NW, "NumLock"},
    {159, 58, 0x0000, NW, NW, NW, "CapsLock"},
    {160, 66, 0x0000, NW, NW, NW, "Left Ctrl"},
    {161, 100, 0x0000, NW, NW, NW, "Right Ctrl"},
    {162, 67, 0x0000, NW, NW, NW, "Left Alt"},
    {163, 99, 0x0000, NW, NW, NW, "Right Alt"},
    {164, 27, 0x011b, NW, NW, NW, "Esc"},
    {165, 62, 0x0000, NW, NW, NW, "Left Shift"},
    {166, 98, 0x0000, NW, NW, NW, "Right Shift"},
    {167, 54, 0x0e08, NW, NW, NW, "BackSpace"},
    {168, 75, 0x48e0, NW, NW, NW, "Up"},
    {169, 76, 0x50e0, NW, NW, NW, "Down"},
    {170, 77, 0x4be0, NW, NW, NW, "Left"},
    {171, 78, 0x4de0, NW, NW, NW, "Right"},
    {172, 107, 0x0000, NW, NW, NW, "00"},
    {173, 108, 0x0000, NW, NW, NW, "000"},
    {174, 109, 0x0000, NW, NW, NW, "Ctrl+Alt+Del"},
    {175, 101, 0x0000, NW, NW, NW, "Left Window"},
    {176, 102, 0x0000, NW, NW, NW, "Right Window"},
    {177, 103, 0x0000, NW, NW, NW, "\xC7\xD1/\xBF\xB5"}, // 한/영 in code page 949
    {178, 104, 0x0000, NW, NW, NW, "Application"},
    {179, 105, 0x0000, NW, NW, NW, "\xC7\xD1\xC0\xDA"}, // 한자 in code page 949
    // Punctuation typed with Alt; minus carries CtrlMark and its Ctrl word.
    {186, 59, AM, NW, 0x2700, NW, nullptr},
    {187, 52, AM, NW, 0x8300, NW, nullptr},
    {188, 63, AM, NW, 0x3300, NW, nullptr},
    {189, 51, CM, NW, 0x8200, 0x0c1f, nullptr},
    {191, 65, AM, NW, 0x3500, NW, nullptr},
    {192, 40, AM, NW, 0x2900, NW, nullptr},
    {193, 56, AM, NW, 0x1a00, NW, nullptr},
    {194, 53, AM, NW, 0x2b00, NW, nullptr},
    {195, 57, AM, NW, 0x1b00, NW, nullptr},
    // Function keys.
    {200, 28, 0x3b00, 0x5400, 0x5e00, 0x6800, "F1"},
    {201, 29, 0x3c00, 0x5500, 0x5f00, 0x6900, "F2"},
    {202, 30, 0x3d00, 0x5600, 0x6000, 0x6a00, "F3"},
    {203, 31, 0x3e00, 0x5700, 0x6100, 0x6b00, "F4"},
    {204, 32, 0x3f00, 0x5800, 0x6200, 0x6c00, "F5"},
    {205, 33, 0x4000, 0x5900, 0x6300, 0x6d00, "F6"},
    {206, 34, 0x4100, 0x5a00, 0x6400, 0x6e00, "F7"},
    {207, 35, 0x4200, 0x5b00, 0x6500, 0x6f00, "F8"},
    {208, 36, 0x4300, 0x5c00, 0x6600, 0x7000, "F9"},
    {209, 37, 0x4400, 0x5d00, 0x6700, 0x7100, "F10"},
    {210, 38, 0x8500, 0x8700, 0x8900, 0x8b00, "F11"},
    {211, 39, 0x8600, 0x8800, 0x8a00, 0x8c00, "F12"},
    // Tab, keypad 5, the modifier rows, Esc and keypad Enter.
    {213, 55, 0x0f09, 0x0f00, 0xa500, 0x9400, "Tab"},
    {214, 88, 0x4c00, 0x4c35, NW, 0x8f00, "5"},
    {215, 67, 0x0000, NW, NW, NW, "Alt"},
    {216, 62, 0x0000, NW, NW, NW, "Shift"},
    {217, 66, 0x0000, NW, NW, NW, "Ctrl"},
    {218, 27, 0x011b, 0x011b, 0x0100, 0x011b, "Esc"},
    {219, 61, 0xe00d, 0xe00d, NW, NW, "Enter"},
};

constexpr void setName(KeyVocabularyRow& row, std::string_view text) {
    row.name = {};
    for (std::size_t i = 0; i < text.size() && i + 1 < row.name.size(); ++i) {
        row.name[i] = text[i];
    }
}

constexpr void setCharacterName(KeyVocabularyRow& row, int character) {
    row.name = {};
    row.name[0] = static_cast<char>(character);
}

constexpr std::array<KeyVocabularyRow, kVocabularyRows> buildVocabulary() {
    std::array<KeyVocabularyRow, kVocabularyRows> rows{};

    // Control characters Ctrl+A to Ctrl+Z, Ctrl+[, Ctrl+\, Ctrl+].
    constexpr std::uint8_t bracketCodes[] = {56, 53, 57};
    for (int r = 1; r <= 29; ++r) {
        auto& row = rows[static_cast<std::size_t>(r)];
        const int scan = kControlKeyScans[static_cast<std::size_t>(r - 1)];
        row.code = r <= 26 ? static_cast<std::uint8_t>(r) : bracketCodes[r - 27];
        row.normal = CtrlMark;
        row.ctrl = static_cast<std::uint16_t>(scan * 256 + r);
        setCharacterName(row, r + 64);
    }
    // Letters: the capital rows are typed with Shift, the small rows alone.
    for (int n = 1; n <= 26; ++n) {
        const int scan = kControlKeyScans[static_cast<std::size_t>(n - 1)];
        auto& capital = rows[static_cast<std::size_t>(64 + n)];
        capital.code = static_cast<std::uint8_t>(n);
        capital.normal = ShiftMark;
        capital.shift = static_cast<std::uint16_t>(scan * 256 + 64 + n);
        capital.alt = static_cast<std::uint16_t>(scan * 256);
        capital.ctrl = static_cast<std::uint16_t>(scan * 256 + n);
        setCharacterName(capital, 64 + n);

        auto& small = rows[static_cast<std::size_t>(96 + n)];
        small.code = static_cast<std::uint8_t>(n);
        small.normal = static_cast<std::uint16_t>(scan * 256 + 96 + n);
        small.shift = static_cast<std::uint16_t>(scan * 256 + 64 + n);
        small.alt = static_cast<std::uint16_t>(scan * 256);
        small.ctrl = static_cast<std::uint16_t>(scan * 256 + n);
        setCharacterName(small, 96 + n);
    }
    for (const FullRow& full : kFullRows) {
        auto& row = rows[static_cast<std::size_t>(full.row)];
        row.code = full.code;
        row.normal = full.normal;
        row.shift = full.shift;
        row.alt = full.alt;
        row.ctrl = full.ctrl;
        if (full.name != nullptr) {
            setName(row, full.name);
        } else if (full.row < 128) {
            setCharacterName(row, full.row);
        }
    }
    // The Alt punctuation rows share the name of their key's unshifted row.
    constexpr int altPunctuation[][2] = {{186, 59}, {187, 61}, {188, 44}, {189, 45}, {191, 47},
                                         {192, 96}, {193, 91}, {194, 92}, {195, 93}};
    for (const auto& pair : altPunctuation) {
        rows[static_cast<std::size_t>(pair[0])].name = rows[static_cast<std::size_t>(pair[1])].name;
    }
    return rows;
}

constexpr std::array<KeyVocabularyRow, kVocabularyRows> kVocabulary = buildVocabulary();

constexpr std::array<std::string_view, kSpecialKeyCount> kSpecialKeyList = {
    QUILBY_TEXT("KeyVocabulary", "PrintScreen : Ctrl+Shift+A"),
    QUILBY_TEXT("KeyVocabulary", "ScrollLock  : Ctrl+Shift+B"),
    QUILBY_TEXT("KeyVocabulary", "Pause       : Ctrl+Shift+C"),
    QUILBY_TEXT("KeyVocabulary", " NumLock     : Ctrl+Shift+D"),
    QUILBY_TEXT("KeyVocabulary", "CapsLock    : Ctrl+Shift+E"),
    QUILBY_TEXT("KeyVocabulary", "Left Ctrl   : Ctrl+Shift+F"),
    QUILBY_TEXT("KeyVocabulary", "Right Ctrl  : Ctrl+Shift+G"),
    QUILBY_TEXT("KeyVocabulary", "Left Alt    : Ctrl+Shift+H"),
    QUILBY_TEXT("KeyVocabulary", "Right Alt   : Ctrl+Shift+I"),
    QUILBY_TEXT("KeyVocabulary", "Esc         : Ctrl+Shift+J"),
    QUILBY_TEXT("KeyVocabulary", "Left Shift  : Ctrl+Shift+K"),
    QUILBY_TEXT("KeyVocabulary", "Right Shift : Ctrl+Shift+L"),
    QUILBY_TEXT("KeyVocabulary", "Back Space  : Ctrl+Shift+M"),
    QUILBY_TEXT("KeyVocabulary", "Up Arrow    : Ctrl+Shift+N"),
    QUILBY_TEXT("KeyVocabulary", "Down Arrow  : Ctrl+Shift+O"),
    QUILBY_TEXT("KeyVocabulary", "Left Arrow  : Ctrl+Shift+P"),
    QUILBY_TEXT("KeyVocabulary", "Right Arrow : Ctrl+Shift+Q"),
    QUILBY_TEXT("KeyVocabulary", "00          : Ctrl+Shift+R"),
    QUILBY_TEXT("KeyVocabulary", "000         : Ctrl+Shift+S"),
    QUILBY_TEXT("KeyVocabulary", "Ctrl+Alt+Del: Ctrl+Shift+T"),
    QUILBY_TEXT("KeyVocabulary", "Left Window : Ctrl+Shift+U"),
    QUILBY_TEXT("KeyVocabulary", "Right Window: Ctrl+Shift+V"),
    QUILBY_TEXT("KeyVocabulary", "한/영       : Ctrl+Shift+W"),
    QUILBY_TEXT("KeyVocabulary", "Application : Ctrl+Shift+X"),
    QUILBY_TEXT("KeyVocabulary", "한자        : Ctrl+Shift+Y"),
};

} // namespace

const std::array<KeyVocabularyRow, kVocabularyRows>& keyVocabulary() {
    return kVocabulary;
}

const KeyVocabularyRow& vocabularyRow(int row) {
    return kVocabulary[validVocabularyRow(row) ? static_cast<std::size_t>(row) : 0];
}

KeyEntry makeEntry(const KeyVocabularyRow& row, WordColumn column) {
    return KeyEntry{row.code, row.word(column), std::string(row.nameText())};
}

std::optional<int> specialKeyRow(int ctrlCharacter) {
    if (ctrlCharacter < 1 || ctrlCharacter > kSpecialKeyCount) {
        return std::nullopt;
    }
    return kFirstSpecialKeyRow - 1 + ctrlCharacter;
}

const std::array<std::string_view, kSpecialKeyCount>& specialKeyList() {
    return kSpecialKeyList;
}

} // namespace quilby
