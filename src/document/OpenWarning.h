#pragma once

#include "document/KeyFileReader.h"

#include <optional>
#include <string>
#include <vector>

namespace quilby {

// The decision to warn after loading a file the reader found suspicious
// (shifted structure, missing blocks, cut values ...): the file still opens,
// but nobody should download or save over it unaware. What it says is the
// window's business; this holds which file and which findings.
struct OpenWarning {
    std::string path;                     // the file, as it was opened
    std::vector<KeyFileFinding> findings; // the first few suspicious findings
    int moreFindings = 0;                 // suspicious findings not listed
};

inline constexpr std::size_t kOpenWarningLines = 3;

// nullopt when the report holds notes only (or nothing). Findings of the
// whole file (an early end) come first: they say most about a file that is
// not a key table at all.
std::optional<OpenWarning> openWarningFor(const std::string& path, const KeyFileReport& report,
                                          std::size_t maxLines = kOpenWarningLines);

// Whether a file is no key table at all: it holds bytes, but not one whole
// position's block. Exporting a picture of the empty keyboard it reads as
// would hide that. An empty file is the empty table, not this.
bool holdsNoKeyTable(const KeyFileReport& report);

} // namespace quilby
