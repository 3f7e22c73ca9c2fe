#pragma once

#include "common/ProgramLocation.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace quilby {

// The Korean manual is the original; each translation sits beside it.
inline constexpr const char* kManualFileName = "quilby-manual.html";

// The manual's file name for a language of the windows ("ko", "en"). A
// language without a translated manual gets the Korean one.
const char* manualFileName(std::string_view language);

// Places the manual named fileName may be, in the order they are tried:
// <binaryDir>/../share/quilby/ (installed), <binaryDir>/ (beside the program),
// and <sourceDataDir>/../docs/manual/ (run from a build of the source tree).
// An empty directory contributes no place. File names are C strings: a
// string_view would make findManual(dir, name) ambiguous between the
// overloads below.
std::vector<std::filesystem::path> manualCandidates(const std::filesystem::path& binaryDir,
                                                    const std::filesystem::path& sourceDataDir,
                                                    const char* fileName = kManualFileName);

// The first candidate that is a readable regular file (symbolic links
// followed), or nullopt.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& binaryDir,
                                                const std::filesystem::path& sourceDataDir,
                                                const char* fileName = kManualFileName);

// The same, with the source tree's data folder this program was built from.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& binaryDir,
                                                const char* fileName = kManualFileName);

} // namespace quilby
