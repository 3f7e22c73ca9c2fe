#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quilby {

// Why a write of a table, an image or a picture is refused before anything
// is written.
enum class WriteRefusal : std::uint8_t {
    None,
    OverInput, // the output is one of the inputs (by any name: path, link, hard link)
    ReadOnly,  // the output exists and its mode lets nobody write it
};

// Whether the output may be one of the inputs.
enum class InPlace : std::uint8_t {
    Refused,
    // A clean table rewritten in the program's own form loses nothing.
    Allowed,
};

struct WriteVerdict {
    WriteRefusal refusal = WriteRefusal::None;
    std::string input; // the input the output is, for OverInput

    explicit operator bool() const { return refusal != WriteRefusal::None; }
    // English, for the command line: "OUT is INPUT ..." / "OUT is read-only".
    std::string message(const std::string& output) const;
};

// The one check every writer makes before it writes `output`: never over
// one of its own inputs (unless in place is allowed), never over a file
// whose mode makes it read-only, whoever runs the program (root included).
WriteVerdict checkWrite(const std::string& output, const std::vector<std::string>& inputs,
                        InPlace inPlace);

// The same file by any name: both exist and share device and inode.
bool sameFile(const std::string& a, const std::string& b);

// An existing file no one may write by its mode (links followed).
bool readOnlyByMode(const std::string& path);

} // namespace quilby
