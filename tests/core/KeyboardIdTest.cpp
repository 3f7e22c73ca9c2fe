#include "link/KeyboardIdMatcher.h"
#include "link/LinkSettings.h"
#include "link/VersionCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quilby;

namespace {

KeyboardIdBuffer bufferOf(std::string_view bytes) {
    KeyboardIdBuffer b{};
    for (std::size_t i = 0; i < bytes.size() && i < b.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    return b;
}

// Key-downs of `keys`, where '~' stands for Escape, '|' for Enter and '^' for
// Shift; everything else is the key code itself.
std::vector<KeyMessage> keyDowns(std::string_view keys) {
    std::vector<KeyMessage> out;
    for (const char c : keys) {
        std::uint16_t vk = static_cast<unsigned char>(c);
        if (c == '~') {
            vk = KeyMessage::kEscape;
        } else if (c == '|') {
            vk = KeyMessage::kEnter;
        } else if (c == '^') {
            vk = KeyMessage::kShift;
        }
        out.push_back(KeyMessage::keyDown(vk));
    }
    return out;
}

struct Fed {
    std::vector<std::size_t> completedAt; // 1-based key-down numbers
    std::vector<std::size_t> consumedAt;
};

Fed feed(KeyboardIdMatcher& matcher, std::string_view keys, bool busy = false) {
    Fed fed;
    std::size_t n = 0;
    for (const KeyMessage& m : keyDowns(keys)) {
        ++n;
        const auto step = matcher.step(m, busy);
        if (step.completed) {
            fed.completedAt.push_back(n);
        }
        if (step.verdict == KeyVerdict::Consumed) {
            fed.consumedAt.push_back(n);
        }
    }
    return fed;
}

// Brands by the numbers the keyboard's tools use: 1 MOLBRIX, 2 VARO.
void selectBrand(LinkSettings& s, std::int32_t brand) {
    s.keyboardBrand = KeyboardBrand{brand};
    s.selectKeyboardId();
}

constexpr std::string_view kVaro = "VAROPOSKEYBOARD";
constexpr std::string_view kMolbrix = " MOLBRIXPOSKEYBOARD";

} // namespace

TEST(SelectKeyboardId, CopiesTheFormAndItsNulOnly) {
    struct Case {
        const char* name;
        std::vector<std::int32_t> brands;
        std::string upper; // all 20 bytes expected
        std::string lower;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"never selected", {}, std::string(20, '\0'), std::string(20, '\0')},
        {"VARO", {2}, "VAROPOSKEYBOARD\0\0\0\0\0"s, "varoposkeyboard\0\0\0\0\0"s},
        {"MOLBRIX", {1}, " MOLBRIXPOSKEYBOARD\0"s, " molbrixposkeyboard\0"s},
        {"MOLBRIX then VARO keeps the old tail",
         {1, 2},
         "VAROPOSKEYBOARD\0ARD\0"s,
         "varoposkeyboard\0ard\0"s},
        {"VARO then MOLBRIX overwrites all",
         {2, 1},
         " MOLBRIXPOSKEYBOARD\0"s,
         " molbrixposkeyboard\0"s},
        {"unknown brands change nothing",
         {2, 0, 3, -1},
         "VAROPOSKEYBOARD\0\0\0\0\0"s,
         "varoposkeyboard\0\0\0\0\0"s},
    };
    for (const Case& c : cases) {
        KeyboardIdBuffers buffers;
        for (const std::int32_t brand : c.brands) {
            selectKeyboardId(KeyboardBrand{brand}, buffers);
        }
        EXPECT_EQ(buffers.upper, bufferOf(c.upper)) << c.name;
        EXPECT_EQ(buffers.lower, bufferOf(c.lower)) << c.name;
    }
    EXPECT_EQ(expectedKeyboardIdLength(KeyboardBrand{1}), 19);
    EXPECT_EQ(expectedKeyboardIdLength(KeyboardBrand{2}), 15);
    EXPECT_EQ(expectedKeyboardIdLength(KeyboardBrand{7}), 0);
}

TEST(KeyboardIdMatcher, RecognisesTheIdentificationKeyDownByKeyDown) {
    struct Case {
        const char* name;
        std::int32_t brand;
        std::string keys;
        std::vector<std::size_t> completedAt;
        std::vector<std::size_t> consumedAt;
        std::uint8_t counterAfter;
    };
    const std::string varo(kVaro);
    const std::string molbrix(kMolbrix);
    const Case cases[] = {
        {"VARO completes on the 15th code", 2, varo, {15}, {15}, 15},
        {"the lower-case buffer is compared too", 2, "varoposkeyboard", {15}, {15}, 15},
        {"MOLBRIX begins with the space", 1, molbrix, {19}, {19}, 19},
        {"MOLBRIX without the space never completes", 1, "MOLBRIXPOSKEYBOARD", {}, {}, 0},
        {"the VARO form does not complete for MOLBRIX", 1, varo, {}, {}, 0},
        {"a doubled first letter costs the whole string", 2, "V" + varo, {}, {}, 0},
        {"Escape and Enter are consumed and skipped", 2, "VAR~OPOS|KEYBOARD", {17}, {4, 9, 17}, 15},
        {"a Shift in the middle is a mismatch", 2, "VARO^POSKEYBOARD", {}, {}, 0},
        {"an announcement right after a completed one is lost", 2, varo + varo, {15}, {15}, 0},
        {"and the one after that matches", 2, varo + varo + varo, {15, 45}, {15, 45}, 15},
        {"a stray key after completion saves the next",
         2,
         varo + "X" + varo,
         {15, 31},
         {15, 31},
         15},
        {"a stray key restarts the match", 2, "VAROPQ" + varo, {21}, {21}, 15},
    };
    for (const Case& c : cases) {
        LinkSettings settings;
        selectBrand(settings, c.brand);
        KeyboardIdMatcher matcher(settings);
        const Fed fed = feed(matcher, c.keys);
        EXPECT_EQ(fed.completedAt, c.completedAt) << c.name;
        EXPECT_EQ(fed.consumedAt, c.consumedAt) << c.name;
        EXPECT_EQ(matcher.counter(), c.counterAfter) << c.name;
    }
}

TEST(KeyboardIdMatcher, LooksOnlyAtKeyDownsAndNotWhileBusy) {
    LinkSettings settings;
    selectBrand(settings, 2);
    KeyboardIdMatcher matcher(settings);
    feed(matcher, "VARO");
    ASSERT_EQ(matcher.counter(), 4);

    const KeyMessage others[] = {
        KeyMessage::keyUp('P'),
        KeyMessage::characterOf('p'),
        {KeyMessage::Kind::SystemKeyDown, 'P', 0, 0x19, false},
    };
    for (const KeyMessage& m : others) {
        const auto step = matcher.step(m, false);
        EXPECT_EQ(step.verdict, KeyVerdict::PassOn);
        EXPECT_EQ(matcher.counter(), 4);
    }

    // Busy: passed on unmatched, but Escape and Enter are still consumed.
    EXPECT_EQ(matcher.step(KeyMessage::keyDown('P'), true).verdict, KeyVerdict::PassOn);
    EXPECT_EQ(matcher.step(KeyMessage::keyDown('X'), true).verdict, KeyVerdict::PassOn);
    EXPECT_EQ(matcher.step(KeyMessage::keyDown(KeyMessage::kEscape), true).verdict,
              KeyVerdict::Consumed);
    EXPECT_EQ(matcher.counter(), 4);

    const Fed rest = feed(matcher, "POSKEYBOARD");
    EXPECT_EQ(rest.completedAt, std::vector<std::size_t>{11});
}

TEST(KeyboardIdMatcher, ComparesTheLowByteAsASignedCode) {
    LinkSettings settings;
    selectBrand(settings, 2);
    {
        // Only the low byte of the key code counts.
        KeyboardIdMatcher matcher(settings);
        EXPECT_FALSE(matcher.step(KeyMessage::keyDown(0x0156), false).completed);
        EXPECT_EQ(matcher.counter(), 1);
    }
    {
        // A buffer byte of 0x80 or above never matches, not even its own code.
        settings.keyboardId.upper[0] = 0xD6;
        settings.keyboardId.lower[0] = 0xD6;
        KeyboardIdMatcher matcher(settings);
        feed(matcher, "V");
        matcher.step(KeyMessage::keyDown(0xD6), false);
        EXPECT_EQ(matcher.counter(), 0);
    }
}

TEST(KeyboardIdMatcher, FollowsABrandChangeAndNeverReadsPastTheBuffers) {
    LinkSettings settings;
    selectBrand(settings, 1);
    settings.keyboardBrand = KeyboardBrand::Varo;
    settings.selectKeyboardId();
    KeyboardIdMatcher matcher(settings);
    // The stale tail "ARD" after the VARO form is never reached: after a
    // completion its A meets the NUL and resets the counter.
    EXPECT_EQ(feed(matcher, std::string(kVaro) + "ARD").completedAt, std::vector<std::size_t>{15});
    EXPECT_EQ(matcher.counter(), 0);
    EXPECT_EQ(feed(matcher, kVaro).completedAt, std::vector<std::size_t>{15});

    for (const std::uint8_t position : {19, 20, 25, 255}) {
        matcher.setCounter(position);
        matcher.step(KeyMessage::keyDown(0), false);
        EXPECT_LE(matcher.counter(), 20) << int{position};
    }
}

TEST(VersionCheck, DecidesTheBrandFromTheTypedTail) {
    struct Case {
        std::string text;
        std::int32_t from;
        std::int32_t brand;
    };
    const Case cases[] = {
        {"VAROPOSKEYBOARD", 1, 2},
        {"varoposkeyboard", 1, 2},
        {"xx  VAROPOSKEYBOARD", 1, 2},
        {" MOLBRIXPOSKEYBOARD", 2, 1},
        {" molbrixposkeyboard", 2, 1},
        {"abc molbrixposkeyboard", 2, 1},
        {"MOLBRIXPOSKEYBOARD", 2, 2},
        {"MOLBRIXPOSKEYBOARD", 1, 1},
        {"VaroPosKeyboard", 1, 1},
        {"VAROPOSKEYBOARD ", 1, 1},
        {"", 1, 1},
        {"", 2, 2},
        {"ROPOSKEYBOARD", 1, 1},
        {"\xED\x82\xA4VAROPOSKEYBOARD", 1, 2}, // UTF-8 text before it
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decideKeyboardBrand(c.text, KeyboardBrand{c.from}), KeyboardBrand{c.brand})
            << '"' << c.text << '"';
    }
}

TEST(VersionCheck, SelectsTheFormsInEveryCase) {
    LinkSettings settings;
    selectBrand(settings, 2);
    applyVersionCheck(settings, "junkMOLBRIXPOSKEYBOARD");
    EXPECT_EQ(settings.keyboardBrand, KeyboardBrand::Varo);

    // Unchanged brand, and the buffers rewritten all the same.
    settings.keyboardId = KeyboardIdBuffers{};
    applyVersionCheck(settings, "");
    EXPECT_EQ(settings.keyboardId.upper, bufferOf(kVaro));

    applyVersionCheck(settings, " MOLBRIXPOSKEYBOARD");
    EXPECT_EQ(settings.keyboardBrand, KeyboardBrand::Molbrix);
    EXPECT_EQ(settings.keyboardId.lower, bufferOf(" molbrixposkeyboard"));

    applyVersionCheck(settings, "varoposkeyboard");
    EXPECT_EQ(settings.keyboardBrand, KeyboardBrand::Varo);
    using namespace std::string_literals;
    EXPECT_EQ(settings.keyboardId.upper, bufferOf("VAROPOSKEYBOARD\0ARD\0"s));
}

TEST(VersionCheck, ConsumesOnlyEscapeAndEnterKeyDowns) {
    struct Case {
        KeyMessage message;
        KeyVerdict verdict;
    };
    const Case cases[] = {
        {KeyMessage::keyDown(KeyMessage::kEscape), KeyVerdict::Consumed},
        {KeyMessage::keyDown(KeyMessage::kEnter), KeyVerdict::Consumed},
        {KeyMessage::keyUp(KeyMessage::kEnter), KeyVerdict::PassOn},
        {KeyMessage::characterOf(13), KeyVerdict::PassOn},
        {KeyMessage::characterOf(27), KeyVerdict::PassOn},
        {{KeyMessage::Kind::SystemKeyDown, KeyMessage::kEnter, 0, 0x1c, false}, KeyVerdict::PassOn},
        {KeyMessage::keyDown('V'), KeyVerdict::PassOn},
        {KeyMessage::keyDown(KeyMessage::kSpace), KeyVerdict::PassOn},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(versionCheckKey(c.message), c.verdict)
            << int(c.message.kind) << " " << c.message.virtualKey;
    }
}

// Announcements typed one after another into the field, a character at a
// time: the field holds the last one only, and says which model it found.
TEST(VersionCheck, EachAnnouncementStartsTheFieldAfresh) {
    struct Case {
        const char* name;
        std::vector<std::string> typed; // typed one after another
        std::string shown;
        std::optional<KeyboardBrand> found;
    };
    const Case cases[] = {
        {"one", {"varoposkeyboard"}, "varoposkeyboard", KeyboardBrand::Varo},
        {"twice the same",
         {"varoposkeyboard", "varoposkeyboard"},
         "varoposkeyboard",
         KeyboardBrand::Varo},
        {"then the other model",
         {"varoposkeyboard", "varoposkeyboard", " molbrixposkeyboard"},
         " molbrixposkeyboard",
         KeyboardBrand::Molbrix},
        {"capitals after small",
         {" molbrixposkeyboard", "VAROPOSKEYBOARD"},
         "VAROPOSKEYBOARD",
         KeyboardBrand::Varo},
        {"half an announcement", {"varoposkeyboard", "varopos"}, "varopos", std::nullopt},
        {"no identification piles up", {"abc", "def"}, "abcdef", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VersionCheckText field;
        std::string text;
        for (const auto& announcement : c.typed) {
            for (const char ch : announcement) {
                text = field.update(text + ch);
            }
        }
        EXPECT_EQ(text, c.shown);
        EXPECT_EQ(field.found(), c.found);
    }
}

TEST(VersionCheck, AnEditedFieldForgetsTheModelFound) {
    VersionCheckText field;
    EXPECT_EQ(field.update("varoposkeyboard"), "varoposkeyboard");
    EXPECT_EQ(field.update("varoposkeyboar"), "varoposkeyboar");
    EXPECT_EQ(field.found(), std::nullopt);
}
