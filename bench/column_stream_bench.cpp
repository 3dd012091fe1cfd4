// Reading a column stream of 800 and of 8,000 columns into a fresh column grid, each column
// with a name, a header and a width. Reading must grow with the column count, not with its
// square: the summary times both sizes in the same run and compares the 8,000-column load with
// ten times the 800-column one (at most 12 times the 800-column time passes).

#include "grid/QvCGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

QByteArray columnStream(int columns)
{
    grid::TQvColumnGrid g;
    g.SetColCount(columns);
    for (int c = 0; c < columns; ++c) {
        grid::TGridColumnItem& item = g.Columns()[c];
        item.SetName(QStringLiteral("col%1").arg(c));
        item.SetHeader(QStringLiteral("Column %1").arg(c));
        item.SetWidth(40 + c % 50);
    }
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    g.SaveColumnsToStream(buf);
    return buf.data();
}

// Reads the stream into a fresh grid; the time of the read alone, without making and
// destroying the grid.
double load(const QByteArray& stream)
{
    grid::TQvColumnGrid g;
    QBuffer buf;
    buf.setData(stream);
    buf.open(QIODevice::ReadOnly);
    const auto start = std::chrono::steady_clock::now();
    g.LoadColumnsFromStream(buf);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(g.Columns().Count());
    return took.count();
}

void BM_LoadColumns(benchmark::State& st)
{
    const QByteArray stream = columnStream(int(st.range(0)));
    for (auto _ : st)
        st.SetIterationTime(load(stream));
    st.counters["stream_bytes"] = double(stream.size());
}
BENCHMARK(BM_LoadColumns)->Arg(800)->Arg(8000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Best of a few runs, so a busy machine's pauses count as little as possible.
double bestSeconds(const QByteArray& stream, int runs)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, load(stream));
    return best;
}

void summary()
{
    const QByteArray small = columnStream(800);
    const QByteArray large = columnStream(8000);
    const double tSmall = bestSeconds(small, 20);
    const double tLarge = bestSeconds(large, 10);
    const double ratio = tLarge / tSmall;
    std::printf("\ncolumn stream load: 800 columns %.2f ms, 8000 columns %.2f ms, ratio %.1f (at most 12): %s\n",
                tSmall * 1e3, tLarge * 1e3, ratio, ratio <= 12.0 ? "ok" : "TOO SLOW");
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
