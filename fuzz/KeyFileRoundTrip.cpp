// Any bytes read as a .KEY file: a table that breaks the table's rules is
// refused by the writer; any other is read back from what the writer made
// of it as the same table, without findings, and written again as the same
// bytes.
#include "FuzzCheck.h"

#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"
#include "document/TableRules.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quilby;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    KeyTableData first;
    readKeyFile(bytes, first);
    for (int key = 0; key < kKeyPositions; ++key) {
        const int count = first.entryCounts[static_cast<std::size_t>(key)];
        FUZZ_CHECK(count >= 0 && count <= kEntriesPerKey);
    }

    if (tableRuleBreak(first)) {
        bool refused = false;
        try {
            writeKeyFile(first);
        } catch (const TableRuleError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        return 0;
    }
    const std::string written = writeKeyFile(first);
    KeyTableData second;
    const KeyFileReport report = readKeyFile(written, second);
    FUZZ_CHECK(second.sameTable(first));
    FUZZ_CHECK(report.findings.empty());
    FUZZ_CHECK(writeKeyFile(second) == written);
    return 0;
}
