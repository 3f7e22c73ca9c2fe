#pragma once

#include "document/KeyFileFinding.h"
#include "document/KeyTable.h"

#include <stdexcept>
#include <string>

namespace quilby {

// A table that breaks the table's rules (TableRules.h) reached the writer.
class TableRuleError : public std::invalid_argument {
public:
    explicit TableRuleError(KeyFileFinding broken)
        : std::invalid_argument(broken.message()), finding(std::move(broken)) {}
    KeyFileFinding finding;
};

// The writer's form of a .KEY file: per position, the 20 codes, the 20 words,
// the count, 20 label lines and an empty line, every line ended by LF alone.
// Throws TableRuleError for a table that breaks a rule (check it first with
// tableRuleBreak): it never writes a label line of more than 15 values.
std::string writeKeyFile(const KeyTableData& table);

} // namespace quilby
