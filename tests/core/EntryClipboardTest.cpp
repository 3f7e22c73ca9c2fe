#include "editing/EntryClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

using namespace quilby;

namespace {

const PositionEntries kTwo = {{0x1e, 0x1e61, "a"}, {0x1c, 0x1c0d, "\xBF\xA3\xC5\xCD"}};

} // namespace

TEST(EntryClipboard, BothFormsCarryTheEntries) {
    EXPECT_EQ(entriesText(kTwo), "1e61 a\n1c0d 엔터\n");
    EXPECT_EQ(entriesText({}), "");
    const PositionEntries odd = {{0xff, 0xffff, ""}, {0, 0, std::string("\x00\xA0 x", 4)}};
    for (const auto& entries : {kTwo, odd, PositionEntries{}, PositionEntries(20, kTwo[1])}) {
        const auto parsed = parseEntries(encodeEntries(entries));
        ASSERT_TRUE(std::holds_alternative<PositionEntries>(parsed));
        EXPECT_EQ(std::get<PositionEntries>(parsed), entries);
    }
    // Text typed or pasted back from a mail: the code comes from the vocabulary.
    const auto fromText = parseEntries("1e61 a\r\n\n1c0d 엔터\n");
    ASSERT_TRUE(std::holds_alternative<PositionEntries>(fromText));
    const auto& entries = std::get<PositionEntries>(fromText);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].word, 0x1e61);
    EXPECT_EQ(entries[1].label, "\xBF\xA3\xC5\xCD");
    EXPECT_NE(entries[0].code, 0);
}

TEST(EntryClipboard, RefusesWhatTheKeyboardCannotTake) {
    std::string twentyOne;
    for (int i = 0; i < 21; ++i) {
        twentyOne += "1e61 a\n";
    }
    struct Case {
        std::string text;
        int line;
    };
    const Case cases[] = {
        {"", 0},
        {"\n  \n", 0},
        {"hello", 1},
        {"1e61a", 1},
        {"1e61 a\n1g61 a", 2},
        {"1e61 a\nfffe x", 2},        // no key makes this word
        {"1e61 \xF0\x9F\x98\x80", 1}, // code page 949 has no emoji
        {twentyOne, 0},
        {"quilby-key-entries 1\n1e 1e61 6", 2},
        {"quilby-key-entries 1\n1e 1e61", 2},
        {"quilby-key-entries 1\nzz 1e61 61", 2},
    };
    for (const auto& c : cases) {
        const auto parsed = parseEntries(c.text);
        ASSERT_TRUE(std::holds_alternative<ClipboardError>(parsed)) << c.text;
        EXPECT_EQ(std::get<ClipboardError>(parsed).line, c.line) << c.text;
        EXPECT_FALSE(std::get<ClipboardError>(parsed).message.empty());
    }
}
