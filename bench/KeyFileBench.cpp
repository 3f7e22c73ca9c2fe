#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"

#include "../tests/support/TableFixtures.h"

#include <benchmark/benchmark.h>

#include <cstring>

using namespace quilby;

// Saving and loading a full table: 98 positions x 20 entries, double-byte labels.
static void BM_WriteFullTable(benchmark::State& state) {
    const KeyTableData table = quilby::testing::fullTable();
    for (auto _ : state) {
        std::string text = writeKeyFile(table);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_WriteFullTable);

static void BM_ReadFullTable(benchmark::State& state) {
    const std::string text = writeKeyFile(quilby::testing::fullTable());
    KeyTableData table;
    for (auto _ : state) {
        auto report = readKeyFile(text, table);
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadFullTable);

// Baseline: one pass over the same bytes that only finds the line ends, the
// least any reader has to do. Load and save are reported against it.
static void BM_BaselineScanLines(benchmark::State& state) {
    const std::string text = writeKeyFile(quilby::testing::fullTable());
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char* p = text.data();
             (p = static_cast<const char*>(std::memchr(p, '\n', text.data() + text.size() - p)));
             ++p) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_BaselineScanLines);
