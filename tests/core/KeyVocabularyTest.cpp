#include "editing/KeyVocabulary.h"
#include "document/Cp949.h"
#include "document/TableRules.h"
#include "editing/KeyChords.h"
#include "editing/KeyScript.h"
#include "editing/PcKeyboard.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace quilby;

namespace {

// Words as the editor shows them; "S", "A", "C" are the marks, "-" is NoWord.
std::uint16_t word(const std::string& text) {
    if (text == "-") {
        return NoWord;
    }
    if (text == "S") {
        return ShiftMark;
    }
    if (text == "A") {
        return AltMark;
    }
    if (text == "C") {
        return CtrlMark;
    }
    return static_cast<std::uint16_t>(std::stoul(text, nullptr, 16));
}

struct Written {
    int row;
    int code;
    const char* normal;
    const char* shift;
    const char* alt;
    const char* ctrl;
    const char* name; // UTF-8
};

// Every row that is given value by value rather than by a rule.
const Written kWritten[] = {
    {32, 68, "3920", "3920", "3920", "3920", "Space"},
    {33, 41, "S", "0221", "-", "-", "!"},
    {34, 60, "S", "2822", "-", "-", "\""},
    {35, 43, "S", "0423", "-", "-", "#"},
    {36, 44, "S", "0524", "-", "-", "$"},
    {37, 45, "S", "0625", "-", "-", "%"},
    {38, 47, "S", "0826", "-", "-", "&"},
    {39, 60, "2827", "2822", "2800", "-", "'"},
    {40, 49, "S", "0a28", "-", "-", "("},
    {41, 50, "S", "0b29", "-", "-", ")"},
    {42, 48, "S", "092a", "-", "-", "*"},
    {43, 52, "S", "0d2b", "-", "-", "+"},
    {44, 63, "332c", "333c", "3300", "-", ","},
    {45, 51, "0c2d", "0c5f", "8200", "0c1f", "-"},
    {46, 64, "342e", "343e", "-", "-", "."},
    {47, 65, "352f", "353f", "3500", "-", "/"},
    {48, 50, "0b30", "-", "8100", "-", "0"},
    {49, 41, "0231", "-", "7800", "-", "1"},
    {50, 42, "0332", "-", "7900", "0300", "2"},
    {51, 43, "0433", "-", "7a00", "-", "3"},
    {52, 44, "0534", "-", "7b00", "-", "4"},
    {53, 45, "0635", "-", "7c00", "-", "5"},
    {54, 46, "0736", "-", "7d00", "071e", "6"},
    {55, 47, "0837", "-", "7e00", "-", "7"},
    {56, 48, "0938", "-", "7f00", "-", "8"},
    {57, 49, "0a39", "-", "8000", "-", "9"},
    {58, 59, "S", "273a", "-", "-", ":"},
    {59, 59, "273b", "273a", "2700", "-", ";"},
    {60, 63, "S", "333c", "-", "-", "<"},
    {61, 52, "0d3d", "0d2b", "8300", "-", "="},
    {62, 64, "S", "343e", "-", "-", ">"},
    {63, 65, "S", "353f", "3500", "-", "?"},
    {64, 42, "S", "0340", "-", "-", "@"},
    {91, 56, "1a5b", "1a7b", "1a00", "1a1b", "["},
    {92, 53, "2b5c", "2b7c", "2b00", "2b1c", "\\"},
    {93, 57, "1b5d", "1b7d", "1b00", "1b1d", "]"},
    {94, 46, "S", "075e", "7d00", "071e", "^"},
    {95, 51, "S", "0c5f", "8200", "0c1f", "_"},
    {96, 40, "2960", "297e", "2900", "-", "`"},
    {123, 56, "S", "1a7b", "1a00", "1a1b", "{"},
    {124, 53, "S", "2b7c", "2b00", "2b1c", "|"},
    {125, 57, "S", "1b7d", "1b00", "1b1d", "}"},
    {126, 40, "S", "297e", "-", "-", "~"},
    {127, 54, "C", "0e08", "0e00", "0e7f", "Back Space"},
    {128, 69, "52e0", "52e0", "a200", "92e0", "Insert"},
    {129, 70, "53e0", "53e0", "a300", "93e0", "Delete"},
    {130, 71, "47e0", "47e0", "9700", "77e0", "Home"},
    {131, 72, "4fe0", "4fe0", "9f00", "75e0", "End"},
    {132, 73, "49e0", "49e0", "9900", "84e0", "PageUp"},
    {133, 74, "51e0", "51e0", "a100", "76e0", "PageDown"},
    {134, 75, "48e0", "48e0", "9800", "8de0", "Up"},
    {135, 76, "50e0", "50e0", "a000", "91e0", "Down"},
    {136, 77, "4be0", "4be0", "9b00", "73e0", "Left"},
    {137, 78, "4de0", "4de0", "9d00", "74e0", "Right"},
    {138, 80, "e02f", "e02f", "a400", "9500", "/"},
    {139, 81, "372a", "-", "3700", "9600", "*"},
    {140, 82, "4a2d", "4a2d", "4a00", "8e00", "-"},
    {141, 83, "4e2b", "4e2b", "4e00", "9000", "+"},
    {142, 106, "1c0d", "1c0d", "1c0a", "a600", "Enter"},
    {143, 84, "4700", "4737", "-", "7700", "Home7"},
    {144, 79, "-", "-", "-", "-", "NumLock"},
    {145, 96, "-", "-", "-", "-", "ScrollLock"},
    {146, 85, "4800", "4838", "-", "8d00", "Up8"},
    {147, 86, "4900", "4939", "-", "8400", "PgUp9"},
    {148, 87, "4b00", "4b34", "-", "7300", "Left4"},
    {149, 89, "4d00", "4d36", "-", "7400", "Right6"},
    {150, 90, "4f00", "4f31", "-", "7500", "End1"},
    {151, 91, "5000", "5032", "-", "9100", "Down2"},
    {152, 92, "5100", "5133", "-", "7600", "PgDn3"},
    {153, 93, "5200", "5230", "-", "9200", "Ins0"},
    {154, 94, "5300", "532e", "-", "9300", "Del."},
    {155, 95, "0000", "-", "-", "-", "PrintScreen"},
    {156, 96, "0000", "-", "-", "-", "ScrollLock"},
    {157, 97, "0000", "-", "-", "-", "Pause"},
    {158, 79, "0000", "-", "-", "-", "NumLock"},
    {159, 58, "0000", "-", "-", "-", "CapsLock"},
    {160, 66, "0000", "-", "-", "-", "Left Ctrl"},
    {161, 100, "0000", "-", "-", "-", "Right Ctrl"},
    {162, 67, "0000", "-", "-", "-", "Left Alt"},
    {163, 99, "0000", "-", "-", "-", "Right Alt"},
    {164, 27, "011b", "-", "-", "-", "Esc"},
    {165, 62, "0000", "-", "-", "-", "Left Shift"},
    {166, 98, "0000", "-", "-", "-", "Right Shift"},
    {167, 54, "0e08", "-", "-", "-", "BackSpace"},
    {168, 75, "48e0", "-", "-", "-", "Up"},
    {169, 76, "50e0", "-", "-", "-", "Down"},
    {170, 77, "4be0", "-", "-", "-", "Left"},
    {171, 78, "4de0", "-", "-", "-", "Right"},
    {172, 107, "0000", "-", "-", "-", "00"},
    {173, 108, "0000", "-", "-", "-", "000"},
    {174, 109, "0000", "-", "-", "-", "Ctrl+Alt+Del"},
    {175, 101, "0000", "-", "-", "-", "Left Window"},
    {176, 102, "0000", "-", "-", "-", "Right Window"},
    {177, 103, "0000", "-", "-", "-", "한/영"},
    {178, 104, "0000", "-", "-", "-", "Application"},
    {179, 105, "0000", "-", "-", "-", "한자"},
    {186, 59, "A", "-", "2700", "-", ";"},
    {187, 52, "A", "-", "8300", "-", "="},
    {188, 63, "A", "-", "3300", "-", ","},
    {189, 51, "C", "-", "8200", "0c1f", "-"},
    {191, 65, "A", "-", "3500", "-", "/"},
    {192, 40, "A", "-", "2900", "-", "`"},
    {193, 56, "A", "-", "1a00", "-", "["},
    {194, 53, "A", "-", "2b00", "-", "\\"},
    {195, 57, "A", "-", "1b00", "-", "]"},
    {200, 28, "3b00", "5400", "5e00", "6800", "F1"},
    {201, 29, "3c00", "5500", "5f00", "6900", "F2"},
    {202, 30, "3d00", "5600", "6000", "6a00", "F3"},
    {203, 31, "3e00", "5700", "6100", "6b00", "F4"},
    {204, 32, "3f00", "5800", "6200", "6c00", "F5"},
    {205, 33, "4000", "5900", "6300", "6d00", "F6"},
    {206, 34, "4100", "5a00", "6400", "6e00", "F7"},
    {207, 35, "4200", "5b00", "6500", "6f00", "F8"},
    {208, 36, "4300", "5c00", "6600", "7000", "F9"},
    {209, 37, "4400", "5d00", "6700", "7100", "F10"},
    {210, 38, "8500", "8700", "8900", "8b00", "F11"},
    {211, 39, "8600", "8800", "8a00", "8c00", "F12"},
    {213, 55, "0f09", "0f00", "a500", "9400", "Tab"},
    {214, 88, "4c00", "4c35", "-", "8f00", "5"},
    {215, 67, "0000", "-", "-", "-", "Alt"},
    {216, 62, "0000", "-", "-", "-", "Shift"},
    {217, 66, "0000", "-", "-", "-", "Ctrl"},
    {218, 27, "011b", "011b", "0100", "011b", "Esc"},
    {219, 61, "e00d", "e00d", "-", "-", "Enter"},
};

const std::set<int> kEmptyRows = {0,   30,  31,  180, 181, 182, 183, 184,
                                  185, 190, 196, 197, 198, 199, 212};

// Scan codes of the letter keys and of [ \ ], as the PC keyboard sends them.
const std::map<char, int> kScan = {{'A', 0x1e}, {'B', 0x30}, {'C', 0x2e},  {'D', 0x20}, {'E', 0x12},
                                   {'F', 0x21}, {'G', 0x22}, {'H', 0x23},  {'I', 0x17}, {'J', 0x24},
                                   {'K', 0x25}, {'L', 0x26}, {'M', 0x32},  {'N', 0x31}, {'O', 0x18},
                                   {'P', 0x19}, {'Q', 0x10}, {'R', 0x13},  {'S', 0x1f}, {'T', 0x14},
                                   {'U', 0x16}, {'V', 0x2f}, {'W', 0x11},  {'X', 0x2d}, {'Y', 0x15},
                                   {'Z', 0x2c}, {'[', 0x1a}, {'\\', 0x2b}, {']', 0x1b}};

std::string utf8Name(const KeyVocabularyRow& row) {
    return cp949ToUtf8(row.nameText());
}

} // namespace

TEST(KeyVocabulary, RowsWrittenInFullHoldExactlyTheirValues) {
    const auto& vocabulary = keyVocabulary();
    for (const auto& w : kWritten) {
        SCOPED_TRACE("row " + std::to_string(w.row));
        const auto& row = vocabulary[static_cast<std::size_t>(w.row)];
        EXPECT_EQ(row.code, w.code);
        EXPECT_EQ(row.normal, word(w.normal));
        EXPECT_EQ(row.shift, word(w.shift));
        EXPECT_EQ(row.alt, word(w.alt));
        EXPECT_EQ(row.ctrl, word(w.ctrl));
        EXPECT_EQ(utf8Name(row), w.name);
    }
}

TEST(KeyVocabulary, ControlCharacterAndLetterRowsFollowTheirRules) {
    const auto& v = keyVocabulary();
    const std::string keys = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]";
    const int bracketCodes[] = {56, 53, 57};
    for (int r = 1; r <= 29; ++r) {
        SCOPED_TRACE("control row " + std::to_string(r));
        const char key = keys[static_cast<std::size_t>(r - 1)];
        const auto& row = v[static_cast<std::size_t>(r)];
        EXPECT_EQ(row.code, r <= 26 ? r : bracketCodes[r - 27]);
        EXPECT_EQ(row.normal, CtrlMark);
        EXPECT_EQ(row.shift, NoWord);
        EXPECT_EQ(row.alt, NoWord);
        EXPECT_EQ(row.ctrl, kScan.at(key) * 256 + r);
        EXPECT_EQ(row.nameText(), std::string(1, key));
    }
    for (int n = 1; n <= 26; ++n) {
        SCOPED_TRACE("letter " + std::to_string(n));
        const int s = kScan.at(static_cast<char>('A' + n - 1));
        const auto& capital = v[static_cast<std::size_t>(64 + n)];
        const auto& small = v[static_cast<std::size_t>(96 + n)];
        EXPECT_EQ(capital.code, n);
        EXPECT_EQ(small.code, n);
        EXPECT_EQ(capital.normal, ShiftMark);
        EXPECT_EQ(small.normal, s * 256 + 96 + n);
        for (const auto* row : {&capital, &small}) {
            EXPECT_EQ(row->shift, s * 256 + 64 + n);
            EXPECT_EQ(row->alt, s * 256);
            EXPECT_EQ(row->ctrl, s * 256 + n);
        }
        EXPECT_EQ(capital.nameText(), std::string(1, static_cast<char>('A' + n - 1)));
        EXPECT_EQ(small.nameText(), std::string(1, static_cast<char>('a' + n - 1)));
    }
    // A few values spelled out, should a rule above be read wrongly twice.
    EXPECT_EQ(v[1].ctrl, 0x1e01);
    EXPECT_EQ(v[65].shift, 0x1e41);
    EXPECT_EQ(v[97].normal, 0x1e61);
    EXPECT_EQ(v[26].ctrl, 0x2c1a);
    EXPECT_EQ(v[28].ctrl, 0x2b1c);
}

TEST(KeyVocabulary, EveryRowIsWrittenRuleBuiltOrEmpty) {
    std::set<int> covered(kEmptyRows);
    for (const auto& w : kWritten) {
        EXPECT_TRUE(covered.insert(w.row).second) << "row " << w.row << " twice";
    }
    for (int r = 1; r <= 29; ++r) {
        covered.insert(r);
    }
    for (int n = 1; n <= 26; ++n) {
        covered.insert(64 + n);
        covered.insert(96 + n);
    }
    EXPECT_EQ(covered.size(), 220u);
    for (int r : kEmptyRows) {
        SCOPED_TRACE("empty row " + std::to_string(r));
        const auto& row = vocabularyRow(r);
        EXPECT_TRUE(row.isEmpty());
        EXPECT_EQ(row.code, 0);
        EXPECT_EQ(row.word(WordColumn::Normal), NoWord);
        EXPECT_EQ(row.nameText(), "");
    }
}

// The words are the PC's keystroke words: the scan code of the key in the
// high byte, the character it types in the low byte. The keys, their scan
// codes and characters come from the PC keyboard model, not from the table.
TEST(KeyVocabulary, WordsNameTheKeyThatTypesThemOnAPcKeyboard) {
    auto onKeypad = [](const PcKey& k) {
        return k.extended ? k.scan == 0x35 || k.scan == 0x1c
                          : k.scan == 0x37 || (k.scan >= 0x47 && k.scan <= 0x53);
    };
    std::map<int, std::set<int>> scansTyping; // character -> keys that type it
    std::map<int, PcKey> mainKey;             // scan code -> key of the main block
    for (int evdev = 1; evdev < 128; ++evdev) {
        const auto key = pcKeyFromEvdev(evdev);
        if (!key || onKeypad(*key)) {
            continue;
        }
        if (!key->extended) {
            mainKey[key->scan] = *key;
        }
        for (const KeyboardState state :
             {KeyboardState{}, KeyboardState{.shift = true}, KeyboardState{.ctrl = true}}) {
            if (const auto c = characterForKey(*key, state)) {
                scansTyping[*c].insert(key->scan);
            }
        }
    }
    // Rows reached by a character: the word the row's mark chooses types it.
    for (int row = 1; row <= 127; ++row) {
        const auto& r = vocabularyRow(row);
        if (r.isEmpty()) {
            continue;
        }
        SCOPED_TRACE("row " + std::to_string(row));
        const std::uint16_t w = r.normal == ShiftMark  ? r.shift
                                : r.normal == CtrlMark ? r.ctrl
                                                       : r.normal;
        EXPECT_EQ(w & 0xFF, row);
        EXPECT_EQ(scansTyping[row].count(w >> 8), 1u) << std::hex << w;
        // A key's own word and its Shift word: the same key, with and without Shift.
        if (r.normal > CtrlMark && r.shift != NoWord) {
            ASSERT_EQ(mainKey.count(r.normal >> 8), 1u);
            EXPECT_EQ(r.shift >> 8, r.normal >> 8);
            EXPECT_EQ(characterForKey(mainKey[r.normal >> 8], {.shift = true}), r.shift & 0xFF);
        }
    }
    // Rows reached by a key: its scan code, and 0xe0 for the grey keys.
    const std::pair<int, const char*> byKey[] = {
        {128, "ins"}, {129, "del"},   {130, "home"}, {131, "end"},   {132, "pgup"}, {133, "pgdn"},
        {134, "up"},  {135, "down"},  {136, "left"}, {137, "right"}, {139, "kp*"},  {140, "kp-"},
        {141, "kp+"}, {142, "enter"}, {143, "kp7"},  {146, "kp8"},   {147, "kp9"},  {148, "kp4"},
        {149, "kp6"}, {150, "kp1"},   {151, "kp2"},  {152, "kp3"},   {153, "kp0"},  {154, "kp."},
        {200, "f1"},  {201, "f2"},    {202, "f3"},   {203, "f4"},    {204, "f5"},   {205, "f6"},
        {206, "f7"},  {207, "f8"},    {208, "f9"},   {209, "f10"},   {213, "tab"},  {214, "kp5"},
        {218, "esc"},
    };
    for (const auto& [row, name] : byKey) {
        SCOPED_TRACE(name);
        const auto key = pcKeyByName(name);
        ASSERT_TRUE(key.has_value());
        const std::uint16_t w = vocabularyRow(row).normal;
        EXPECT_EQ(w >> 8, key->scan) << std::hex << w;
        if (key->extended) {
            EXPECT_EQ(w & 0xFF, 0xe0) << std::hex << w;
        }
    }
}

TEST(KeyVocabulary, KeyNumbersAreCarriedByExactlyTheirRows) {
    // Key number -> rows, the keyboard's numbering as its own table lists it.
    std::map<int, std::set<int>> expected = {{27, {164, 218}},
                                             {40, {96, 126, 192}},
                                             {41, {33, 49}},
                                             {42, {50, 64}},
                                             {43, {35, 51}},
                                             {44, {36, 52}},
                                             {45, {37, 53}},
                                             {46, {54, 94}},
                                             {47, {38, 55}},
                                             {48, {42, 56}},
                                             {49, {40, 57}},
                                             {50, {41, 48}},
                                             {51, {45, 95, 189}},
                                             {52, {43, 61, 187}},
                                             {53, {28, 92, 124, 194}},
                                             {54, {127, 167}},
                                             {55, {213}},
                                             {56, {27, 91, 123, 193}},
                                             {57, {29, 93, 125, 195}},
                                             {58, {159}},
                                             {59, {58, 59, 186}},
                                             {60, {34, 39}},
                                             {61, {219}},
                                             {62, {165, 216}},
                                             {63, {44, 60, 188}},
                                             {64, {46, 62}},
                                             {65, {47, 63, 191}},
                                             {66, {160, 217}},
                                             {67, {162, 215}},
                                             {68, {32}},
                                             {75, {134, 168}},
                                             {76, {135, 169}},
                                             {77, {136, 170}},
                                             {78, {137, 171}},
                                             {79, {144, 158}},
                                             {84, {143}},
                                             {85, {146}},
                                             {86, {147}},
                                             {87, {148}},
                                             {88, {214}},
                                             {95, {155}},
                                             {96, {145, 156}},
                                             {97, {157}},
                                             {98, {166}},
                                             {99, {163}},
                                             {100, {161}},
                                             {101, {175}},
                                             {102, {176}},
                                             {103, {177}},
                                             {104, {178}},
                                             {105, {179}},
                                             {106, {142}},
                                             {107, {172}},
                                             {108, {173}},
                                             {109, {174}}};
    for (int n = 1; n <= 26; ++n) {
        expected[n] = {n, 64 + n, 96 + n};
    }
    for (int f = 0; f < 12; ++f) {
        expected[28 + f] = {200 + f};
    }
    for (int k = 0; k < 6; ++k) {
        expected[69 + k] = {128 + k};
    }
    for (int k = 0; k < 4; ++k) {
        expected[80 + k] = {138 + k};
    }
    for (int k = 0; k < 6; ++k) {
        expected[89 + k] = {149 + k};
    }
    std::map<int, std::set<int>> actual;
    for (int r = 0; r < kVocabularyRows; ++r) {
        const int code = vocabularyRow(r).code;
        if (code != 0) {
            actual[code].insert(r);
        }
    }
    EXPECT_EQ(actual.size(), 109u);
    EXPECT_EQ(actual, expected);
}

TEST(KeyVocabulary, NamesAreShortCodePage949Texts) {
    for (int r = 0; r < kVocabularyRows; ++r) {
        const auto& row = vocabularyRow(r);
        EXPECT_LE(row.nameText().size(), 14u) << "row " << r;
        // A name becomes a label: it keeps the table's label rules.
        EXPECT_FALSE(labelRuleBreak(row.nameText()).has_value()) << "row " << r;
        EXPECT_EQ(row.name.back(), '\0') << "row " << r;
        // Marks only ever stand in the normal column.
        for (auto w : {row.shift, row.alt, row.ctrl}) {
            EXPECT_TRUE(w > CtrlMark || w == 0) << "row " << r;
        }
    }
    EXPECT_EQ(vocabularyRow(177).nameText(), "\xC7\xD1/\xBF\xB5");
    EXPECT_EQ(vocabularyRow(179).nameText(), "\xC7\xD1\xC0\xDA");
    EXPECT_EQ(vocabularyRow(177).nameText().size(), 5u);
    EXPECT_EQ(vocabularyRow(179).nameText().size(), 4u);
}

TEST(KeyVocabulary, LookupOutsideTheTableYieldsTheEmptyRow) {
    for (int r : {-1, 220, 255, 100000}) {
        EXPECT_FALSE(validVocabularyRow(r));
        EXPECT_TRUE(vocabularyRow(r).isEmpty()) << r;
    }
    EXPECT_TRUE(validVocabularyRow(219));
}

TEST(KeyVocabulary, EntriesTakeCodeChosenWordAndName) {
    struct Case {
        int row;
        WordColumn column;
        KeyEntry entry;
    };
    const Case cases[] = {
        {97, WordColumn::Normal, {1, 0x1e61, "a"}},
        {97, WordColumn::Shift, {1, 0x1e41, "a"}},
        {142, WordColumn::Alt, {106, 0x1c0a, "Enter"}},
        {142, WordColumn::Ctrl, {106, 0xa600, "Enter"}},
        {219, WordColumn::Alt, {61, NoWord, "Enter"}},
        {179, WordColumn::Normal, {105, 0, "\xC7\xD1\xC0\xDA"}},
        {190, WordColumn::Normal, {0, NoWord, ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(makeEntry(vocabularyRow(c.row), c.column), c.entry) << "row " << c.row;
    }
}

TEST(SpecialKeys, ChordsMapToRows155To179AndZHasNone) {
    EXPECT_EQ(specialKeyRow(1), 155);
    EXPECT_EQ(specialKeyRow(13), 167);
    EXPECT_EQ(vocabularyRow(*specialKeyRow(13)).nameText(), "BackSpace");
    EXPECT_EQ(vocabularyRow(*specialKeyRow(14)).nameText(), "Up");
    EXPECT_EQ(specialKeyRow(25), 179);
    for (int c : {0, 26, -1, 155}) {
        EXPECT_FALSE(specialKeyRow(c).has_value()) << c;
    }
}

TEST(SpecialKeys, ListTextsAreShownExactlyAndNameTheirRows) {
    const std::vector<std::string> expected = {
        "PrintScreen : Ctrl+Shift+A",  "ScrollLock  : Ctrl+Shift+B", "Pause       : Ctrl+Shift+C",
        " NumLock     : Ctrl+Shift+D", "CapsLock    : Ctrl+Shift+E", "Left Ctrl   : Ctrl+Shift+F",
        "Right Ctrl  : Ctrl+Shift+G",  "Left Alt    : Ctrl+Shift+H", "Right Alt   : Ctrl+Shift+I",
        "Esc         : Ctrl+Shift+J",  "Left Shift  : Ctrl+Shift+K", "Right Shift : Ctrl+Shift+L",
        "Back Space  : Ctrl+Shift+M",  "Up Arrow    : Ctrl+Shift+N", "Down Arrow  : Ctrl+Shift+O",
        "Left Arrow  : Ctrl+Shift+P",  "Right Arrow : Ctrl+Shift+Q", "00          : Ctrl+Shift+R",
        "000         : Ctrl+Shift+S",  "Ctrl+Alt+Del: Ctrl+Shift+T", "Left Window : Ctrl+Shift+U",
        "Right Window: Ctrl+Shift+V",  "한/영       : Ctrl+Shift+W", "Application : Ctrl+Shift+X",
        "한자        : Ctrl+Shift+Y"};
    const auto& list = specialKeyList();
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t r = 0; r < list.size(); ++r) {
        EXPECT_EQ(list[r], expected[r]) << "list row " << r;
        // In code page 949, where a Hangul syllable takes two columns, every
        // text lines its colon up at byte 12 (13 for NumLock).
        const auto cp949 = utf8ToCp949(list[r]);
        ASSERT_TRUE(cp949) << "list row " << r;
        EXPECT_EQ(cp949->find(':'), r == 3 ? 13u : 12u) << "list row " << r;
        EXPECT_EQ(list[r].back(), 'A' + static_cast<char>(r));
    }
}

TEST(KeyChords, ChordsFollowTheAlphabetAndNameTheKeysTheyEnter) {
    const auto& chords = quilby::keyChords();
    ASSERT_EQ(chords.size(), 25u);
    for (std::size_t r = 0; r < chords.size(); ++r) {
        EXPECT_EQ(chords[r].chord, std::string("Ctrl + Shift + ") + static_cast<char>('A' + r));
        EXPECT_EQ(chords[r].name.substr(0, 2), "  ");
        // The reference card names the key of the chord's vocabulary row; only
        // BackSpace and the arrows are spelt differently there.
        const std::string label =
            quilby::cp949ToUtf8(quilby::vocabularyRow(155 + static_cast<int>(r)).nameText());
        const std::string name(chords[r].name.substr(2));
        if (r < 12 || r > 16) {
            EXPECT_EQ(name, label) << r;
        }
    }
    EXPECT_EQ(chords[13].name, "  Up Arrow");
    EXPECT_EQ(quilby::vocabularyRow(168).nameText(), "Up");
}
