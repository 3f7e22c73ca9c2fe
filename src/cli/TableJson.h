#pragma once

#include "document/KeyTable.h"

#include <iosfwd>

namespace quilby {

// {"positions": [...]} with the 98 positions in index order, labels as UTF-8.
// Shared by `dump --json` and every command that prints a table.
void writeTableJson(std::ostream& out, const KeyTableData& table);
void writePositionsJsonArray(std::ostream& out, const KeyTableData& table);

} // namespace quilby
