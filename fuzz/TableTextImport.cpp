// Any bytes as an exported table (JSON or CSV): a text the import takes is
// a table the writer takes, and exporting it in either form and importing
// that again gives the same table.
#include "FuzzCheck.h"

#include "document/KeyFileWriter.h"
#include "document/TableRules.h"
#include "exchange/TableText.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

using namespace quilby;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto first = importTableText(text);
    if (const auto* error = std::get_if<TableTextError>(&first)) {
        FUZZ_CHECK(!error->message().empty());
        return 0;
    }
    const KeyTableData& table = std::get<KeyTableData>(first);
    FUZZ_CHECK(!tableRuleBreak(table));
    for (const auto format : {TableTextFormat::Json, TableTextFormat::Csv}) {
        const auto again = importTableText(exportTableText(table, format));
        FUZZ_CHECK(std::holds_alternative<KeyTableData>(again));
        FUZZ_CHECK(writeKeyFile(std::get<KeyTableData>(again)) == writeKeyFile(table));
    }
    return 0;
}
