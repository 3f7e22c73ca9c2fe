#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilby {

// The languages the windows speak. Korean is the source language of every
// text; English comes from the translation file.
enum class Language { Korean, English };

// "ko" or "en" (the --lang values and the settings' value); nullopt otherwise.
std::optional<Language> parseLanguage(std::string_view code);
std::string_view languageCode(Language language);

// The language of the desktop, resolved as glibc resolves the messages
// category: LC_ALL, then LC_MESSAGES, then LANG, the first one set and not
// empty. Korean for "ko..." and for the C / POSIX locale (also when nothing
// is set), English for any other language.
Language localeLanguage(std::string_view lcAll, std::string_view lcMessages, std::string_view lang);
// The same, read from this process's environment.
Language environmentLanguage();

// The command line's --lang wins, then the choice saved from the View menu,
// then the desktop's language.
Language chooseLanguage(std::optional<Language> commandLine, std::optional<Language> saved,
                        Language desktop);

// Where the compiled translation of `language` may be, in the order they are
// tried: <binaryDir>/../share/quilby/translations/ (installed), then
// `buildDir` (the build tree's translations). An empty folder contributes no
// place.
std::vector<std::filesystem::path> translationCandidates(Language language,
                                                         const std::filesystem::path& binaryDir,
                                                         const std::filesystem::path& buildDir);

// The first readable candidate, with the build tree this program was built in.
std::optional<std::filesystem::path> findTranslation(Language language,
                                                     const std::filesystem::path& binaryDir);

} // namespace quilby
