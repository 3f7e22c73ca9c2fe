#pragma once

#include "common/ProgramLocation.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace quilby {

inline constexpr const char* kManualFileName = "quilby-manual.html";

// Places the user manual may be, in the order they are tried:
// <binaryDir>/../share/quilby/ (installed), <binaryDir>/ (beside the program),
// and <sourceDataDir>/../docs/manual/ (run from a build of the source tree).
// An empty directory contributes no place.
std::vector<std::filesystem::path> manualCandidates(const std::filesystem::path& binaryDir,
                                                    const std::filesystem::path& sourceDataDir);

// The first candidate that is a readable regular file (symbolic links
// followed), or nullopt.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& binaryDir,
                                                const std::filesystem::path& sourceDataDir);

// The same, with the source tree's data folder this program was built from.
std::optional<std::filesystem::path> findManual(const std::filesystem::path& binaryDir);

} // namespace quilby
