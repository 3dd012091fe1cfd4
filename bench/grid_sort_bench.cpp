// Sorting a large table: 1,000,000 rows x 10 columns. QSort on a column of random integers
// (ssNumeric) and on a column of random 8-letter words (ssAlphabetic), and QUnSort after the
// numeric sort, each set against extracting the same column's keys (the parsed numbers, resp.
// the texts) with their row numbers and std::stable_sort'ing them, in the same run. The
// summary prints the ratios (target: each at most 2x), and the default style ssAutomatic on the
// numbers against the same key sort (target: at most 1.5x).

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 10;
constexpr int kNumberCol = 3;
constexpr int kWordCol = 5;

// One fixed header row, then the data rows: random integers, random words, short texts.
std::unique_ptr<grid::TQvStringGrid> makeGrid(int rows)
{
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> number(0, 999'999'999);
    std::uniform_int_distribution<int> letter(0, 25);
    auto g = std::make_unique<grid::TQvStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows + 1);
    g->SetFixedRows(1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            QString t;
            if (c == kNumberCol) {
                t = QString::number(number(rng));
            } else if (c == kWordCol) {
                t.resize(8);
                for (QChar& ch : t)
                    ch = QChar(u'a' + letter(rng));
            } else {
                t = QStringLiteral("r%1c%2").arg(r % 1000).arg(c);
            }
            g->SetCells(c, r, t);
        }
    g->OnGetFormat = [](grid::TQvStringGrid*, int col, grid::TSortStyle& s, QString&, QString&) {
        s = col == kNumberCol ? grid::ssNumeric : grid::ssAlphabetic;
    };
    return g;
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double baselineNumbers(const grid::TQvStringGrid& g)
{
    const auto t0 = std::chrono::steady_clock::now();
    std::vector<std::pair<double, int>> keys;
    keys.reserve(std::size_t(g.RowCount()));
    for (int r = 1; r < g.RowCount(); ++r)
        keys.emplace_back(g.Cells(kNumberCol, r).toDouble(), r);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    benchmark::DoNotOptimize(keys.data());
    return msSince(t0);
}

double baselineTexts(const grid::TQvStringGrid& g)
{
    const auto t0 = std::chrono::steady_clock::now();
    std::vector<std::pair<QString, int>> keys;
    keys.reserve(std::size_t(g.RowCount()));
    for (int r = 1; r < g.RowCount(); ++r)
        keys.emplace_back(g.Cells(kWordCol, r), r);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    benchmark::DoNotOptimize(keys.data());
    return msSince(t0);
}

void BM_QSortNumeric(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = makeGrid(int(state.range(0)));
        state.ResumeTiming();
        g->Sort(kNumberCol, grid::sdAscending);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_QSortNumeric)->Arg(kRows)->Unit(benchmark::kMillisecond)->Iterations(1);

void summary()
{
    // QV_SORT_BENCH_ROWS gives another row count for a quick look.
    const int rows =
        qEnvironmentVariableIsSet("QV_SORT_BENCH_ROWS") ? qEnvironmentVariableIntValue("QV_SORT_BENCH_ROWS") : kRows;
    auto g = makeGrid(rows);
    const double numberBase = baselineNumbers(*g);
    auto t0 = std::chrono::steady_clock::now();
    g->Sort(kNumberCol, grid::sdAscending);
    const double numberSort = msSince(t0);
    t0 = std::chrono::steady_clock::now();
    g->QUnSort();
    const double unsort = msSince(t0);
    const double textBase = baselineTexts(*g);
    t0 = std::chrono::steady_clock::now();
    g->Sort(kWordCol, grid::sdAscending);
    const double textSort = msSince(t0);
    // The style a header click gives by default: the comparison kind is found from the texts.
    g->OnGetFormat = [](grid::TQvStringGrid*, int, grid::TSortStyle& s, QString&, QString&) { s = grid::ssAutomatic; };
    const double autoBase = baselineNumbers(*g);
    t0 = std::chrono::steady_clock::now();
    g->Sort(kNumberCol, grid::sdAscending);
    const double autoSort = msSince(t0);
    std::printf("%d rows x 10 columns\n", rows);
    std::printf("QSort ssNumeric   : %.1f ms, keys + stable_sort %.1f ms, ratio %.2f (target <= 2)\n", numberSort,
                numberBase, numberSort / numberBase);
    std::printf("QSort ssAlphabetic: %.1f ms, keys + stable_sort %.1f ms, ratio %.2f (target <= 2)\n", textSort,
                textBase, textSort / textBase);
    std::printf("QUnSort           : %.1f ms, numeric keys + stable_sort %.1f ms, ratio %.2f (target <= 2)\n", unsort,
                numberBase, unsort / numberBase);
    std::printf("QSort ssAutomatic (numbers): %.1f ms, keys + stable_sort %.1f ms, ratio %.2f (target <= 1.5)\n",
                autoSort, autoBase, autoSort / autoBase);
    std::printf("comparisons %d, swaps %d\n", g->Compares, g->Swaps);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
