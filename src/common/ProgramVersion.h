#pragma once

#include <string>
#include <string_view>

namespace quilby {

// The version of this build, from the project's CMake version.
std::string_view programVersion();

// "NAME VERSION", the first line of --version.
std::string versionLine(std::string_view programName);

inline constexpr std::string_view kCopyrightLine = "Copyright (C) 2026 The Quilby developers";

} // namespace quilby
