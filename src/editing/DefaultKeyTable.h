#pragma once

#include "document/KeyTable.h"

#include <string_view>

namespace quilby {

// The default assignment of the 98 key positions (the table the default-table
// viewer shows, shipped as Default.key), kept as what an operator types for
// each position in the key editor, not as codes and words: the entries come
// from the key vocabulary and the keystroke translation, exactly as the
// editor stores them.

// The keystrokes of `position` (0-97) as a key script (editing/KeyScript.h);
// empty for the position under the long keycap, which has no code.
std::string_view defaultKeyScript(int position);

// Opens a key editor on an empty table, types every position's keystrokes
// with NumLock and CapsLock off and returns the table its OK writes, with
// tableLoaded set as after opening the file. Throws std::logic_error naming
// the position when a keystroke is refused or leaves a modifier pending;
// the scripts are fixed, so that is a fault of the program.
KeyTableData buildDefaultKeyTable();

} // namespace quilby
