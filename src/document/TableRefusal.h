#pragma once

#include "document/KeyFileReader.h"

#include <cstdint>

namespace quilby {

// What is about to be done with a table read from a file.
enum class TableUse : std::uint8_t {
    // Sent to the keyboard, or written out as a table or an image: a damaged
    // reading would pass for the real thing.
    Send,
    // Drawn as a picture of the keyboard: a damaged reading shows as it is
    // read, but a file that is no key table at all would show as an empty
    // keyboard.
    Picture,
    // Exported to a file of its own: the export must say what the table
    // holds, so an empty file (nothing to export), a file that is no key
    // table and every file the windows warn about are refused.
    Export,
};

// Why a table is not used.
enum class TableRefusal : std::uint8_t {
    None,
    Damaged,    // the reader found it suspicious and the user did not insist
    NoKeyTable, // it holds bytes but not one whole position
    Empty,      // a file of no bytes: nothing to export
};

// The one rule for a damaged table: refused unless forced when it is sent;
// drawn unless it is no key table at all (forcing does not help there);
// exported only when it opens without a warning and holds something.
TableRefusal tableRefusal(const KeyFileReport& report, TableUse use, bool forced);

} // namespace quilby
