#pragma once

#include "document/KeyTable.h"
#include "exchange/TableText.h"

#include <string>
#include <string_view>
#include <variant>

namespace quilby {

// The CSV form (RFC 4180, UTF-8, CR LF, a header row): one row per position,
//
//   position,keys,spare
//   05,+shift 1 -shift #28:001c:Enter,#0:0000:
//
// `keys` holds the position's entries in order: key script words
// (editing/KeyScript.h), played through the key editor's capture, and
// "#CODE:WORD:LABEL" for an entry typing cannot make (CODE decimal, WORD
// four hex digits, LABEL UTF-8 with '%', blanks and control bytes as %XX).
// `spare` holds the slots past the count the same raw way, from the first
// one to the last that is not empty. A missing row is an empty position.
std::string writeTableCsv(const KeyTableData& table);
std::variant<KeyTableData, TableTextError> readTableCsv(std::string_view text);

} // namespace quilby
