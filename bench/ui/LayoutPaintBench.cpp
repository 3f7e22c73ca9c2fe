#include "common/qt/QtFonts.h"
#include "layout/qt/LayoutPage.h"

#include "../../tests/support/TableFixtures.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

// One repaint of the layout view with every position full (20 entries, long
// and Korean labels), at the view's usual size; the view must stay under 5 ms.
static void BM_LayoutRepaintFullTable(benchmark::State& state) {
    const quilby::KeyTableData table = quilby::testing::fullTable();
    QImage image(1080, 460, QImage::Format_ARGB32_Premultiplied);
    const QRectF area(8, 8, 1064, 444);
    for (auto _ : state) {
        QPainter painter(&image);
        quilby::drawKeyLayout(painter, area, table, quilby::LayoutMarks{5, {7, 8}, false, {}});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LayoutRepaintFullTable)->Unit(benchmark::kMillisecond);

// The same at the size the view has in the program's first window (600 x 600).
static void BM_LayoutRepaintFullTableStartWindow(benchmark::State& state) {
    const quilby::KeyTableData table = quilby::testing::fullTable();
    QImage image(590, 520, QImage::Format_ARGB32_Premultiplied);
    const QRectF area(8, 8, 574, 504);
    for (auto _ : state) {
        QPainter painter(&image);
        quilby::drawKeyLayout(painter, area, table, quilby::LayoutMarks{5, {7, 8}, false, {}});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LayoutRepaintFullTableStartWindow)->Unit(benchmark::kMillisecond);

// The empty table: the floor of the grid itself.
static void BM_LayoutRepaintEmptyTable(benchmark::State& state) {
    const quilby::KeyTableData table;
    QImage image(1080, 460, QImage::Format_ARGB32_Premultiplied);
    const QRectF area(8, 8, 1064, 444);
    for (auto _ : state) {
        QPainter painter(&image);
        quilby::drawKeyLayout(painter, area, table, quilby::LayoutMarks{});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LayoutRepaintEmptyTable)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    quilby::installKoreanFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
