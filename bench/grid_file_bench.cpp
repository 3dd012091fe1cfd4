// The grid's two file formats against plain Qt doing the least the same data needs:
// - the text grid file: SaveToFile and LoadFromFile of 1,000,000 rows x 10 cells against a
//   QFile/QTextStream loop writing and reading the same lines (at most 2x passes);
// - the binary cell stream: SaveToBinStream and LoadFromBinStream of 100,000 rows x 10 text
//   cells against QDataStream writing and reading the same texts (saving at most 2.5x, loading at most 4x).
// The summary times each side once, best of a few runs for the smaller one.

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using bench::report;
using bench::seconds;

constexpr int kCols = 10;

QString cellText(int c, int r)
{
    return QStringLiteral("cell %1 of row %2").arg(c).arg(r);
}

void fill(grid::TQvStringGrid& g, int rows)
{
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetColCount(kCols);
    g.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.SetCells(c, r, cellText(c, r));
}

double best(int runs, const std::function<void()>& f)
{
    double b = 1e30;
    for (int i = 0; i < runs; ++i)
        b = std::min(b, seconds(f));
    return b;
}

// ---- text grid file ------------------------------------------------------------------------------

struct TextTimes {
    double save, load, plainWrite, plainRead;
};

TextTimes textFile(int rows, int runs)
{
    QTemporaryDir dir;
    const QString gridFile = dir.filePath(QStringLiteral("grid.txt"));
    const QString plainFile = dir.filePath(QStringLiteral("plain.txt"));
    TextTimes t{};
    {
        grid::TQvStringGrid g;
        fill(g, rows);
        t.save = best(runs, [&] { g.SaveToFile(gridFile); });
    }
    {
        grid::TQvStringGrid g;
        g.SetFixedRows(0);
        g.SetFixedCols(0);
        t.load = best(runs, [&] { g.LoadFromFile(gridFile); });
        benchmark::DoNotOptimize(g.Cells(kCols - 1, rows - 1));
    }
    // The same lines, from texts already made, as plainly as Qt writes and reads lines.
    std::vector<QString> texts;
    texts.reserve(std::size_t(rows) * kCols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts.push_back(cellText(c, r));
    t.plainWrite = best(runs, [&] {
        QFile f(plainFile);
        f.open(QIODevice::WriteOnly);
        QTextStream ts(&f);
        ts << kCols << ',' << rows << "\r\n";
        for (int c = 0; c < kCols; ++c)
            ts << "cw " << c << ",64\r\n";
        std::size_t i = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                ts << c << ',' << r << ',' << texts[i++] << "\r\n";
    });
    t.plainRead = best(runs, [&] {
        QFile f(plainFile);
        f.open(QIODevice::ReadOnly);
        QTextStream ts(&f);
        QString line;
        qsizetype total = 0;
        while (ts.readLineInto(&line))
            total += line.size();
        benchmark::DoNotOptimize(total);
    });
    return t;
}

// ---- binary cell stream --------------------------------------------------------------------------

struct BinTimes {
    double save, load, plainWrite, plainRead;
};

BinTimes binStream(int rows, int runs)
{
    BinTimes t{};
    QByteArray stream;
    {
        grid::TQvStringGrid g;
        fill(g, rows);
        t.save = best(runs, [&] {
            QBuffer buf;
            buf.open(QIODevice::WriteOnly);
            g.SaveToBinStream(buf);
            stream = buf.data();
        });
    }
    {
        grid::TQvStringGrid g;
        t.load = best(runs, [&] {
            QBuffer buf(&stream);
            buf.open(QIODevice::ReadOnly);
            g.LoadFromBinStream(buf);
        });
        benchmark::DoNotOptimize(g.Cells(kCols - 1, rows - 1));
    }
    std::vector<QString> texts;
    texts.reserve(std::size_t(rows) * kCols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts.push_back(cellText(c, r));
    QByteArray plain;
    t.plainWrite = best(runs, [&] {
        plain.clear();
        QDataStream ds(&plain, QIODevice::WriteOnly);
        for (const QString& s : texts)
            ds << s;
    });
    t.plainRead = best(runs, [&] {
        QDataStream ds(plain);
        QString s;
        qsizetype total = 0;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            ds >> s;
            total += s.size();
        }
        benchmark::DoNotOptimize(total);
    });
    return t;
}

void BM_TextFile(benchmark::State& st)
{
    for (auto _ : st) {
        const TextTimes t = textFile(int(st.range(0)), 1);
        st.SetIterationTime(t.save + t.load);
    }
}
BENCHMARK(BM_TextFile)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BinStream(benchmark::State& st)
{
    for (auto _ : st) {
        const BinTimes t = binStream(int(st.range(0)), 1);
        st.SetIterationTime(t.save + t.load);
    }
}
BENCHMARK(BM_BinStream)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void summary()
{
    const TextTimes t = textFile(1000000, 1);
    std::printf("\n");
    report("text file save, 1,000,000 rows x 10 cells", t.save, t.plainWrite, 2);
    report("text file load, 1,000,000 rows x 10 cells", t.load, t.plainRead, 2);
    const BinTimes b = binStream(100000, 3);
    report("binary stream save, 100,000 rows x 10 cells", b.save, b.plainWrite, 2.5);
    report("binary stream load, 100,000 rows x 10 cells", b.load, b.plainRead, 4);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
