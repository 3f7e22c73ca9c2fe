#include "common/Sha256.h"
#include "document/TableDiff.h"
#include "link/DownloadRecord.h"

#include "../tests/support/TableFixtures.h"
#include "../tests/support/TempFiles.h"

#include <benchmark/benchmark.h>

#include <fstream>

using namespace quilby;

// Comparing two full tables (98 x 20 entries). The baseline is reading one
// of them from its .KEY text (BM_ReadFullTable in KeyFileBench.cpp).
static void BM_DiffFullTablesSame(benchmark::State& state) {
    const KeyTableData a = quilby::testing::fullTable();
    const KeyTableData b = a;
    for (auto _ : state) {
        auto differences = diffTables(a, b);
        benchmark::DoNotOptimize(differences);
    }
}
BENCHMARK(BM_DiffFullTablesSame);

// The worst case: every entry of every position differs in code, word and label.
static void BM_DiffFullTablesAllDiffer(benchmark::State& state) {
    const KeyTableData a = quilby::testing::fullTable();
    KeyTableData b = a;
    for (auto& def : b.keyTable) {
        for (std::size_t e = 0; e < kEntriesPerKey; ++e) {
            ++def.codes[e];
            ++def.words[e];
            def.labels[e] += 'x';
        }
    }
    for (auto _ : state) {
        auto differences = diffTables(a, b);
        benchmark::DoNotOptimize(differences);
    }
}
BENCHMARK(BM_DiffFullTablesAllDiffer);

static void BM_Sha256OfImage(benchmark::State& state) {
    const DownloadImage image = buildDownloadImage(quilby::testing::fullTable());
    for (auto _ : state) {
        auto hex = sha256Hex({reinterpret_cast<const char*>(image.data()), image.size()});
        benchmark::DoNotOptimize(hex);
    }
}
BENCHMARK(BM_Sha256OfImage);

// One record appended after a transfer (wall time: it syncs to the disk),
// against an empty log and against a full one (1000 records: every append
// then also rewrites the log). Compared with one paced byte (25 ms).
static void BM_RecordAppend(benchmark::State& state) {
    const quilby::testing::ScratchDir dir("quilby-bench");
    const DownloadHistory history(dir.path());
    const KeyTableData table = quilby::testing::fullTable();
    const DownloadRecord record =
        downloadRecordOf("/tills/t.KEY", buildDownloadImage(table), DownloadOutcome::Completed,
                         kDownloadImageSize, 49.0, "varo");
    if (state.range(0) != 0) {
        std::ofstream log(history.logPath());
        for (std::uint64_t n = 1; n <= kKeptDownloadRecords; ++n) {
            DownloadRecord r = record;
            r.number = n;
            log << downloadRecordLine(r);
        }
    }
    for (auto _ : state) {
        auto number = history.append(record, table);
        benchmark::DoNotOptimize(number);
    }
}
BENCHMARK(BM_RecordAppend)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);
