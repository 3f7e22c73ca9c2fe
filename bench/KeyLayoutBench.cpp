#include "layout/KeyLayout.h"

#include "../tests/support/TableFixtures.h"

#include <benchmark/benchmark.h>

// The text work of one layout repaint: the cells of all 98 full positions.
static void BM_LayoutCellsFullTable(benchmark::State& state) {
    const quilby::KeyTableData table = quilby::testing::fullTable();
    for (auto _ : state) {
        for (int p = 0; p < quilby::kKeyPositions; ++p) {
            benchmark::DoNotOptimize(quilby::layoutCell(table, p, {10, 3}));
        }
    }
}
BENCHMARK(BM_LayoutCellsFullTable)->Unit(benchmark::kMillisecond);
