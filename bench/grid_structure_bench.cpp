// Removing every second row of a 1,000,000 x 10 grid by check state (RemoveCheckedRows)
// against the least any removal must do: copying the kept rows into a fresh cell store.
//
// Each run builds the grid anew (not timed): texts in every cell and a check box in column 1
// of every row, every second one ticked. The summary at the end runs both workloads three
// times in this process and prints the best times and their ratio.

#include "grid/QvGrid.h"
#include "grid/store/CellStore.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace grid;

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;

// A pool of distinct texts, so building the grid costs little and timing sees the grid's own
// work only.
const std::vector<QString>& pool()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> v;
        for (int i = 0; i < 4096; ++i)
            v.push_back(QStringLiteral("R%1C%2").arg(i).arg(i % kCols));
        return v;
    }();
    return texts;
}

std::unique_ptr<TQvStringGrid> makeGrid()
{
    auto g = std::make_unique<TQvStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(kRows + 1);
    const auto& texts = pool();
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c, r, texts[std::size_t(r * kCols + c) % texts.size()]);
    for (int r = 1; r <= kRows; ++r)
        g->AddCheckBox(1, r, r % 2 == 0, false);
    return g;
}

double removeChecked()
{
    auto g = makeGrid();
    const auto t0 = std::chrono::steady_clock::now();
    g->RemoveCheckedRows(1, true);
    const auto t1 = std::chrono::steady_clock::now();
    if (g->RowCount() != kRows / 2 + 1)
        std::fprintf(stderr, "unexpected row count %d\n", g->RowCount());
    return std::chrono::duration<double>(t1 - t0).count();
}

// The kept rows (the unchecked ones) copied cell by cell into a fresh store.
double copyKept()
{
    auto g = makeGrid();
    const TCellStore& from = g->Store();
    const auto t0 = std::chrono::steady_clock::now();
    {
        TCellStore to;
        int out = 0;
        for (int r = 0; r <= kRows; ++r) {
            if (r > 0 && r % 2 == 0)
                continue;
            for (int c = 0; c < kCols; ++c)
                to.SetText(c, out, from.TextView(c, r));
            ++out;
        }
        benchmark::DoNotOptimize(to.RowExtent());
    }
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_RemoveCheckedRows(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(removeChecked());
}
BENCHMARK(BM_RemoveCheckedRows)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_CopyKeptRowsIntoAFreshStore(benchmark::State& state)
{
    for (auto _ : state)
        state.SetIterationTime(copyKept());
}
BENCHMARK(BM_CopyKeptRowsIntoAFreshStore)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    double removeBest = 1e9, copyBest = 1e9;
    for (int i = 0; i < 3; ++i) {
        removeBest = std::min(removeBest, removeChecked());
        copyBest = std::min(copyBest, copyKept());
    }
    std::printf("RemoveCheckedRows (every second of %d x %d): %.1f ms\n", kRows, kCols, removeBest * 1000);
    std::printf("copying the kept rows into a fresh store:    %.1f ms\n", copyBest * 1000);
    std::printf("ratio: %.2f (at most 2 expected)\n", removeBest / copyBest);
    return 0;
}
