#pragma once

#include "document/KeyTable.h"
#include "exchange/TableText.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <variant>

namespace quilby {

// [...] with the 98 positions in index order, each {"index", "count",
// "codes", "words", "labels"}, labels as UTF-8. Shared by `dump --json`,
// every command that prints a table, and the exported form.
void writePositionsJsonArray(std::ostream& out, const KeyTableData& table);
// {"positions": [...]}: what `dump --json` prints.
void writeTableJson(std::ostream& out, const KeyTableData& table);
// {"format": "quilby-key-table", "version": 1, "positions": [...]}: the
// exported form (data/quilby-table.schema.json describes it).
std::string tableExportJson(const KeyTableData& table);

// Reads the exported form back; every field is checked, every position
// must be there once.
std::variant<KeyTableData, TableTextError> readTableJson(std::string_view text);

} // namespace quilby
