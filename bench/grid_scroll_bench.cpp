// Paging through a table of 1,000,000 rows with the keyboard: one Page Down through the grid's
// key handling, and the viewport painted after it. The summary walks from the first row to the
// last by pages and prints the time per page (key handling alone, and with painting).

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;

std::unique_ptr<grid::TQvStringGrid> makeGrid()
{
    auto g = std::make_unique<grid::TQvStringGrid>();
    g->resize(1000, 700);
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    for (int r = 1; r < kRows; r += 997)
        g->SetCells(1, r, QStringLiteral("row %1").arg(r));
    g->show();
    g->setFocus();
    return g;
}

void pageDown(grid::TQvStringGrid& g)
{
    QKeyEvent e(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(&g, &e);
}

void paint(grid::TQvStringGrid& g)
{
    static QImage img(1000, 700, QImage::Format_RGB32);
    g.viewport()->render(&img);
}

void BM_PageDownAndPaint(benchmark::State& state)
{
    auto g = makeGrid();
    for (auto _ : state) {
        if (g->Row() >= kRows - 1)
            g->FocusCell(1, 1, true);
        pageDown(*g);
        paint(*g);
    }
}
BENCHMARK(BM_PageDownAndPaint)->Unit(benchmark::kMicrosecond);

void summary()
{
    auto g = makeGrid();
    const auto walk = [&](bool painted) {
        g->FocusCell(1, 1, true);
        int pages = 0;
        const auto t0 = std::chrono::steady_clock::now();
        while (g->Row() < kRows - 1 && pages < kRows) {
            pageDown(*g);
            if (painted)
                paint(*g);
            ++pages;
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        std::printf("%s: %d pages to row %d in %.0f ms, %.4f ms per page\n",
                    painted ? "Page Down and paint" : "Page Down alone", pages, g->Row(), ms, ms / pages);
    };
    std::printf("\n%d rows, %d rows visible\n", kRows, g->VisibleRowCount());
    walk(false);
    walk(true);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
