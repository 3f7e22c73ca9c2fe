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
    const PositionEntries odd = {
        {0xff, 0xffff, ""}, {0, 0, "\xA1\xA1 x"}, {1, 2, "15-byte-label.."}};
    for (const auto& entries : {kTwo, odd, PositionEntries{}, PositionEntries(20, kTwo[1])}) {
        const auto parsed = parseEntries(encodeEntries(entries));
        ASSERT_TRUE(std::holds_alternative<PositionEntries>(parsed));
        EXPECT_EQ(std::get<PositionEntries>(parsed), entries);
    }
    // Text typed or pasted back from a mail: the code comes from the
    // vocabulary row whose name the label is, in whichever column the word
    // is (Enter's Alt word 1c0a), with Windows line ends.
    const auto fromText = parseEntries("1e61 a\r\n\n1c0a Enter\r\n1c0d Enter");
    ASSERT_TRUE(std::holds_alternative<PositionEntries>(fromText));
    const auto& entries = std::get<PositionEntries>(fromText);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].word, 0x1e61);
    EXPECT_EQ(entries[0].label, "a");
    EXPECT_EQ(entries[0].code, 1);
    EXPECT_EQ(entries[1].label, "Enter"); // no CR kept
    EXPECT_EQ(entries[1].code, 106);
    EXPECT_EQ(entries[2].code, 106);
}

TEST(EntryClipboard, RefusesWhatTheKeyboardCannotTake) {
    std::string twentyOne;
    for (int i = 0; i < 21; ++i) {
        twentyOne += "1e61 a\n";
    }
    using P = ClipboardProblem;
    struct Case {
        std::string text;
        ClipboardError error;
        std::string message;
    };
    const Case cases[] = {
        {"", {P::NothingToPaste, 0, 0}, "붙여 넣을 키 설정이 없습니다."},
        {"\n  \n", {P::NothingToPaste, 0, 0}, "붙여 넣을 키 설정이 없습니다."},
        {"hello", {P::NotWordAndLabel, 1, 0}, "1번째 줄: \"워드 라벨\" 형식이 아닙니다."},
        {"1e61a", {P::NotWordAndLabel, 1, 0}, "1번째 줄: \"워드 라벨\" 형식이 아닙니다."},
        {"1e61 a\n1g61 a", {P::NotWordAndLabel, 2, 0}, "2번째 줄: \"워드 라벨\" 형식이 아닙니다."},
        // no key makes this word
        {"1e61 a\nfffe x", {P::UnknownWord, 2, 0xfffe}, "2번째 줄: 알 수 없는 워드 fffe입니다."},
        // code page 949 has no emoji
        {"1e61 \xF0\x9F\x98\x80",
         {P::LabelNotCp949, 1, 0},
         "1번째 줄: 키 이름에 쓸 수 없는 글자가 있습니다."},
        {twentyOne, {P::TooManyEntries, 0, 0}, "한 키에는 20개까지만 넣을 수 있습니다."},
        // The table's label rules, in both forms.
        {"1e61 ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         {P::LabelTooLong, 1, 0},
         "1번째 줄: 키 이름이 15바이트를 넘습니다."},
        {"1e61 가나다라마바사아",
         {P::LabelTooLong, 1, 0},
         "1번째 줄: 키 이름이 15바이트를 넘습니다."},
        {"1e61 a\tb", {P::LabelControlBytes, 1, 0}, "1번째 줄: 키 이름에 제어 문자가 있습니다."},
        {"quilby-key-entries 1\n1e 1e61 4142434445464748494a4b4c4d4e4f50",
         {P::LabelTooLong, 2, 0},
         "2번째 줄: 키 이름이 15바이트를 넘습니다."},
        {"quilby-key-entries 1\n1e 1e61 611b",
         {P::LabelControlBytes, 2, 0},
         "2번째 줄: 키 이름에 제어 문자가 있습니다."},
        {"quilby-key-entries 1\n1e 1e61 c741",
         {P::LabelNotCp949, 2, 0},
         "2번째 줄: 키 이름에 쓸 수 없는 글자가 있습니다."},
        // A label of the user's own gives no code: PrintScreen's word with "Foo".
        {"0000 Foo",
         {P::LabelNotKeyName, 1, 0},
         "1번째 줄: 단어 0000의 키 이름이 아닙니다. 다른 이름의 키 설정은 이 프로그램에서 "
         "복사한 것만 붙여 넣을 수 있습니다."},
        {"1c0d 엔터",
         {P::LabelNotKeyName, 1, 0x1c0d},
         "1번째 줄: 단어 1c0d의 키 이름이 아닙니다. 다른 이름의 키 설정은 이 프로그램에서 "
         "복사한 것만 붙여 넣을 수 있습니다."},
        {"quilby-key-entries 1\n1e 1e61 6", {P::BadForm, 2, 0}, "2번째 줄: 형식이 맞지 않습니다."},
        {"quilby-key-entries 1\n1e 1e61", {P::BadForm, 2, 0}, "2번째 줄: 형식이 맞지 않습니다."},
        {"quilby-key-entries 1\nzz 1e61 61", {P::BadForm, 2, 0}, "2번째 줄: 형식이 맞지 않습니다."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = parseEntries(c.text);
        ASSERT_TRUE(std::holds_alternative<ClipboardError>(parsed));
        EXPECT_EQ(std::get<ClipboardError>(parsed), c.error);
        EXPECT_EQ(clipboardErrorMessage(std::get<ClipboardError>(parsed)), c.message);
    }
}

TEST(EntryClipboard, PasteReadsTheExactFormFirst) {
    struct Case {
        bool exact;
        bool text;
        ClipboardForm form;
    };
    const Case cases[] = {
        {true, true, ClipboardForm::Exact},
        {true, false, ClipboardForm::Exact},
        {false, true, ClipboardForm::Text},
        {false, false, ClipboardForm::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pasteForm(c.exact, c.text), c.form) << c.exact << c.text;
    }
}
