#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace quilby {

// Files that come with the program (Default.key, MCR.OPN) may be in
// <binaryDir>/../share/quilby/ (installed, /usr/share/quilby for the package)
// or in <sourceDataDir>/ (a build of the source tree), tried in that order.
// An empty directory contributes no place.
std::vector<std::filesystem::path> shippedFileCandidates(const std::filesystem::path& binaryDir,
                                                         const std::filesystem::path& sourceDataDir,
                                                         std::string_view name);

// The first candidate that is a readable regular file, or nullopt.
std::optional<std::filesystem::path> findShippedFile(const std::filesystem::path& binaryDir,
                                                     const std::filesystem::path& sourceDataDir,
                                                     std::string_view name);

// The same for the running program and the source tree it was built from.
std::optional<std::filesystem::path> findShippedFile(std::string_view name);

} // namespace quilby
