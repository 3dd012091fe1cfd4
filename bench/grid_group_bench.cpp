// Grouping a million rows of ten columns: Group and UnGroup against copying every cell into a
// fresh cell store, and 100,000 groups against 10,000. Rows are in group order, automatic
// sorting is off and summaries are on.

#include "grid/QvGrid.h"
#include "grid/store/CellStore.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace grid;

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

void fill(TQvStringGrid& g, int groups)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows + 1);
    const int per = kRows / groups;
    for (int r = 1; r <= kRows; ++r) {
        for (int c = 0; c < kCols; ++c)
            g.SetCells(c, r, QString::number(c == 1 ? (r - 1) / per : r * 10 + c));
    }
    g.SortSettings().SetAutoSortForGrouping(false);
    g.Grouping.Summary = true;
}

void BM_CopyIntoFreshStore(benchmark::State& state)
{
    TQvStringGrid g;
    fill(g, 10000);
    for (auto _ : state) {
        TCellStore copy;
        for (int r = 0; r <= kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                copy.SetText(c, r, g.Store().TextView(c, r));
        benchmark::DoNotOptimize(copy.UsedCells());
    }
}

void BM_Group(benchmark::State& state)
{
    TQvStringGrid g;
    fill(g, int(state.range(0)));
    for (auto _ : state) {
        g.Group(1);
        state.PauseTiming();
        g.UnGroup();
        state.ResumeTiming();
    }
}

void BM_UnGroup(benchmark::State& state)
{
    TQvStringGrid g;
    fill(g, int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        g.Group(1);
        state.ResumeTiming();
        g.UnGroup();
    }
}

} // namespace

BENCHMARK(BM_CopyIntoFreshStore)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Group)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_UnGroup)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
