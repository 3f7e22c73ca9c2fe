#include "document/KeyFileReader.h"
#include "document/KeyFileWriter.h"
#include "exchange/TableText.h"

#include "../tests/support/TableFixtures.h"

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

using namespace quilby;

namespace {

// Every position full of entries typing makes (20 keystrokes each, some
// with Shift), so the CSV import types all 1960 of them through the key
// editor's capture and the export finds a script for each.
const KeyTableData& typedTable() {
    static const KeyTableData table = [] {
        std::string csv = "position,keys,spare\n";
        for (int k = 0; k < kKeyPositions; ++k) {
            csv += keyPositionName(k) + ",a b c d e f g h i j +shift 1 -shift k l m n o p q r\n";
        }
        return std::get<KeyTableData>(importTableText(csv));
    }();
    return table;
}

// The tables the benchmarks take: full of raw entries (every field
// arbitrary, double-byte labels) or full of typed ones.
const KeyTableData& tableOf(const benchmark::State& state) {
    static const KeyTableData full = quilby::testing::fullTable();
    return state.range(0) == 0 ? full : typedTable();
}

TableTextFormat formatOf(const benchmark::State& state) {
    return state.range(1) == 0 ? TableTextFormat::Json : TableTextFormat::Csv;
}

} // namespace

// Export and import of a full table, against the .KEY writer and reader
// (BM_WriteFullTable, BM_ReadFullTable) on the same table as the baseline.
// Arguments: {0 raw entries | 1 typed entries, 0 JSON | 1 CSV}.
static void BM_ExportTableText(benchmark::State& state) {
    const KeyTableData& table = tableOf(state);
    const TableTextFormat format = formatOf(state);
    for (auto _ : state) {
        std::string text = exportTableText(table, format);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ExportTableText)->ArgsProduct({{0, 1}, {0, 1}});

static void BM_ImportTableText(benchmark::State& state) {
    const std::string text = exportTableText(tableOf(state), formatOf(state));
    for (auto _ : state) {
        auto table = importTableText(text);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ImportTableText)->ArgsProduct({{0, 1}, {0, 1}});

// The .KEY form of the typed table, the baseline of the typed rows.
static void BM_WriteTypedTable(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = writeKeyFile(typedTable());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_WriteTypedTable);
