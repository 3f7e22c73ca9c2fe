#include "common/ProgramLanguage.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quilby {

namespace fs = std::filesystem;

std::optional<Language> parseLanguage(std::string_view code) {
    if (code == "ko") {
        return Language::Korean;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

std::string_view languageCode(Language language) {
    return language == Language::English ? "en" : "ko";
}

Language localeLanguage(std::string_view lcAll, std::string_view lcMessages,
                        std::string_view lang) {
    std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    // "ko_KR.UTF-8@euro": the language is what comes before '_', '.' or '@'.
    locale = locale.substr(0, locale.find_first_of("_.@"));
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale == "ko") {
        return Language::Korean;
    }
    return Language::English;
}

Language environmentLanguage() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string_view(value != nullptr ? value : "");
    };
    return localeLanguage(variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG"));
}

Language chooseLanguage(std::optional<Language> commandLine, std::optional<Language> saved,
                        Language desktop) {
    return commandLine.value_or(saved.value_or(desktop));
}

std::vector<fs::path> translationCandidates(Language language, const fs::path& binaryDir,
                                            const fs::path& buildDir) {
    const std::string name = "quilby_" + std::string(languageCode(language)) + ".qm";
    std::vector<fs::path> out;
    if (!binaryDir.empty()) {
        out.push_back(
            (binaryDir / ".." / "share" / "quilby" / "translations" / name).lexically_normal());
    }
    if (!buildDir.empty()) {
        out.push_back((buildDir / name).lexically_normal());
    }
    return out;
}

std::optional<fs::path> findTranslation(Language language, const fs::path& binaryDir) {
    for (const fs::path& p :
         translationCandidates(language, binaryDir, fs::path(QUILBY_TRANSLATIONS_DIR))) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec) && ::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

} // namespace quilby
