// Painting one full viewport of the table control: a grid of 100 rows against one of
// 1,000,000 rows, same columns, same visible texts, check boxes and progress bars, same
// viewport. Painting walks only the visible cells, so the two must cost about the same; the
// summary prints the ratio (the target is at most 1.2).

#include "grid/QvGrid.h"
#include "grid/paint/GridPaint.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kCols = 10;

std::unique_ptr<grid::TQvStringGrid> makeGrid(int rows)
{
    auto g = std::make_unique<grid::TQvStringGrid>();
    g->resize(1000, 700);
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    // The same content in the rows any viewport shows, whatever the row count.
    for (int r = 1; r < 40 && r < rows; ++r) {
        for (int c = 1; c < kCols; ++c)
            g->SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
        g->CreateCellGraphic(1, r)->SetCheckBox(r % 2 == 0, false, false, grid::haLeft, grid::vaCenter);
        grid::TCellGraphic* p = g->CreateCellGraphic(3, r);
        p->FCellType = grid::ctXPProgress;
        p->FCellErrFrom = 0;
        p->FCellErrLen = 100;
        g->SetCells(3, r, QString::number(r * 2));
    }
    g->MergeCells(5, 3, 2, 2);
    g->show();
    return g;
}

QImage& canvasImage()
{
    static QImage img(1000, 700, QImage::Format_RGB32);
    return img;
}

void paintViewport(grid::TQvStringGrid& g)
{
    g.viewport()->render(&canvasImage());
}

void BM_PaintViewport(benchmark::State& state)
{
    auto g = makeGrid(int(state.range(0)));
    for (auto _ : state)
        paintViewport(*g);
    state.SetLabel(std::to_string(state.range(0)) + " rows");
}
BENCHMARK(BM_PaintViewport)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Best of several rounds per grid, alternating, so both see the same machine state.
void summary()
{
    auto small = makeGrid(100);
    auto large = makeGrid(1'000'000);
    const auto best = [](grid::TQvStringGrid& g) {
        double bestMs = 1e9;
        for (int round = 0; round < 5; ++round) {
            const auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < 20; ++i)
                paintViewport(g);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / 20;
            bestMs = std::min(bestMs, ms);
        }
        return bestMs;
    };
    paintViewport(*small);
    paintViewport(*large);
    const double a = best(*small), b = best(*large);
    std::printf("\nviewport %dx%d, %d x %d cells visible\n", large->viewport()->width(), large->viewport()->height(),
                large->VisibleColCount(), large->VisibleRowCount());
    std::printf("viewport paint: 100 rows %.3f ms, 1,000,000 rows %.3f ms, ratio %.3f (target <= 1.2)\n", a, b, b / a);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
