// Any bytes read as a .KEY file: the table read back from what the writer
// made of it is the same table, reads without findings except about the
// labels themselves, and writing it again gives the same bytes.
#include "FuzzCheck.h"

#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

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

    const std::string written = writeKeyFile(first);
    KeyTableData second;
    const KeyFileReport report = readKeyFile(written, second);
    FUZZ_CHECK(second.sameTable(first));
    // The writer keeps labels byte for byte, so a label with control bytes or
    // broken code page 949 text is still reported; nothing else may be.
    for (const KeyFileFinding& finding : report.findings) {
        FUZZ_CHECK(finding.kind == KeyFileFinding::Kind::LabelControlBytes ||
                   finding.kind == KeyFileFinding::Kind::LabelNotDecodable);
    }
    FUZZ_CHECK(writeKeyFile(second) == written);
    return 0;
}
