#include "common/ProgramLanguage.h"
#include "app/StartupOptions.h"

#include <gtest/gtest.h>

using namespace quilby;

namespace {
constexpr Language ko = Language::Korean;
constexpr Language en = Language::English;
} // namespace

// LC_ALL, then LC_MESSAGES, then LANG; Korean for ko and for C / POSIX.
TEST(ProgramLanguage, DesktopLanguageFollowsTheMessagesLocale) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language language;
    };
    const Case cases[] = {
        {"", "", "", ko},
        {"", "", "ko_KR.UTF-8", ko},
        {"", "", "ko", ko},
        {"", "", "C.UTF-8", ko},
        {"", "", "C", ko},
        {"", "", "POSIX", ko},
        {"", "", "en_US.UTF-8", en},
        {"", "", "de_DE@euro", en},
        {"", "", "kok_IN", en}, // Konkani, not Korean
        {"", "en_GB.UTF-8", "ko_KR.UTF-8", en},
        {"ko_KR.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", ko},
        {"C.UTF-8", "", "en_US.UTF-8", ko},
        {"en_US.UTF-8", "", "ko_KR.UTF-8", en},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(localeLanguage(c.lcAll, c.lcMessages, c.lang), c.language)
            << c.lcAll << " / " << c.lcMessages << " / " << c.lang;
    }
}

// --lang over the View menu's saved choice over the desktop.
TEST(ProgramLanguage, CommandLineThenSavedChoiceThenDesktop) {
    EXPECT_EQ(chooseLanguage(std::nullopt, std::nullopt, en), en);
    EXPECT_EQ(chooseLanguage(std::nullopt, ko, en), ko);
    EXPECT_EQ(chooseLanguage(en, ko, ko), en);
    EXPECT_EQ(chooseLanguage(ko, en, en), ko);

    struct Case {
        std::vector<std::string> args;
        std::optional<Language> language;
        bool error;
    };
    const Case cases[] = {
        {{}, std::nullopt, false},
        {{"--lang=en", "a.KEY"}, en, false},
        {{"--lang=ko"}, ko, false},
        {{"--lang=en", "--lang=ko"}, ko, false},
        {{"--lang=EN"}, std::nullopt, true},
        {{"--lang="}, std::nullopt, true},
        {{"--lang", "en"}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        const StartupOptions o = parseStartupOptions(c.args, "");
        EXPECT_EQ(!o.error.empty(), c.error) << c.args.front();
        if (!c.error) {
            EXPECT_EQ(o.language, c.language);
        }
    }
    for (const Language language : {ko, en}) {
        EXPECT_EQ(parseLanguage(languageCode(language)), language);
    }
}

TEST(ProgramLanguage, TranslationIsFoundInstalledThenInTheBuildTree) {
    EXPECT_EQ(translationCandidates(en, "/usr/bin", "/b/translations"),
              (std::vector<std::filesystem::path>{"/usr/share/quilby/translations/quilby_en.qm",
                                                  "/b/translations/quilby_en.qm"}));
    EXPECT_EQ(translationCandidates(en, "", ""), std::vector<std::filesystem::path>{});
}
