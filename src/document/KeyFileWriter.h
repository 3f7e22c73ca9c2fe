#pragma once

#include "document/KeyTable.h"

#include <string>

namespace quilby {

// The writer's form of a .KEY file: per position, the 20 codes, the 20 words,
// the count, 20 label lines and an empty line, every line ended by LF alone.
std::string writeKeyFile(const KeyTableData& table);

} // namespace quilby
