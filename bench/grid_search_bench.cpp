// Searching a large table: 1,000,000 rows x 4 columns of short texts, a text that only the
// last row holds. Find (no flags) is set against a plain loop of QString::contains without
// case over the same texts in a std::vector<QString>, in the same run; Replace of that text is
// timed beside it. The summary prints the ratio (target: Find at most 1.5x the plain loop).

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1'000'000;
constexpr int kCols = 4;
const QString kNeedle = QStringLiteral("zebra");

std::vector<QString> makeTexts()
{
    std::vector<QString> texts(std::size_t(kRows) * kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts[std::size_t(r) * kCols + std::size_t(c)] = QStringLiteral("r%1c%2").arg(r % 1000).arg(c);
    texts.back() = QStringLiteral("the ZEBRA");
    return texts;
}

// One fixed row and column as every table has, then the texts.
std::unique_ptr<grid::TQvStringGrid> makeGrid(const std::vector<QString>& texts)
{
    auto g = std::make_unique<grid::TQvStringGrid>();
    g->SetColCount(kCols + 1);
    g->SetRowCount(kRows + 1);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c + 1, r + 1, texts[std::size_t(r) * kCols + std::size_t(c)]);
    return g;
}

double msSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

int plainLoop(const std::vector<QString>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i].contains(kNeedle, Qt::CaseInsensitive))
            return int(i);
    return -1;
}

void BM_GridFind(benchmark::State& state)
{
    const auto texts = makeTexts();
    auto g = makeGrid(texts);
    for (auto _ : state)
        benchmark::DoNotOptimize(g->Find({-1, -1}, kNeedle, 0));
}

void BM_PlainContainsLoop(benchmark::State& state)
{
    const auto texts = makeTexts();
    for (auto _ : state)
        benchmark::DoNotOptimize(plainLoop(texts));
}

BENCHMARK(BM_GridFind)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlainContainsLoop)->Unit(benchmark::kMillisecond)->Iterations(5);

// Best of five of each, interleaved, so both see the same machine load.
void summary()
{
    const auto texts = makeTexts();
    auto g = makeGrid(texts);
    double find = 1e300, loop = 1e300;
    grid::TPoint found{};
    int index = 0;
    for (int k = 0; k < 5; ++k) {
        auto t0 = std::chrono::steady_clock::now();
        found = g->Find({-1, -1}, kNeedle, 0);
        find = std::min(find, msSince(t0));
        t0 = std::chrono::steady_clock::now();
        index = plainLoop(texts);
        loop = std::min(loop, msSince(t0));
    }
    auto t0 = std::chrono::steady_clock::now();
    const int replaced = g->Replace(kNeedle, QStringLiteral("horse"), 0);
    const double replace = msSince(t0);
    std::printf("Find found (%d, %d), the loop index %d\n", found.X, found.Y, index);
    std::printf("Find %.1f ms, plain contains loop %.1f ms, ratio %.2f (target <= 1.5)\n", find, loop, find / loop);
    std::printf("Replace %.1f ms (%d cell), %.2f x the plain loop\n", replace, replaced, replace / loop);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
