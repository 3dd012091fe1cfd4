// CSV against plain Qt doing the least the same data needs: SaveToCSV and LoadFromCSV of
// 1,000,000 rows x 10 cells against a QFile/QTextStream loop joining the same fields into lines
// and writing them, and reading the lines back and splitting them at the delimiter (saving at
// most 1.3x, loading at most 2x). Both sides run in the same process, one after the other.

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
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

struct Times {
    double save, load, plainWrite, plainRead;
};

Times csv(int rows)
{
    QTemporaryDir dir;
    const QString gridFile = dir.filePath(QStringLiteral("grid.csv"));
    const QString plainFile = dir.filePath(QStringLiteral("plain.csv"));
    Times t{};
    {
        grid::TQvStringGrid g;
        g.SetFixedRows(0);
        g.SetFixedCols(0);
        g.SetColCount(kCols);
        g.SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                g.SetCells(c, r, cellText(c, r));
        t.save = seconds([&] { g.SaveToCSV(gridFile); });
    }
    {
        grid::TQvStringGrid g;
        g.SetFixedRows(0);
        g.SetFixedCols(0);
        t.load = seconds([&] { g.LoadFromCSV(gridFile); });
        benchmark::DoNotOptimize(g.Cells(kCols - 1, rows - 1));
        if (g.RowCount() != rows || g.ColCount() != kCols)
            std::printf("CSV load read %d x %d\n", g.ColCount(), g.RowCount());
    }
    std::vector<QString> texts;
    texts.reserve(std::size_t(rows) * kCols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts.push_back(cellText(c, r));
    t.plainWrite = seconds([&] {
        QFile f(plainFile);
        f.open(QIODevice::WriteOnly);
        QTextStream ts(&f);
        std::size_t i = 0;
        QStringList fields;
        for (int r = 0; r < rows; ++r) {
            fields.clear();
            for (int c = 0; c < kCols; ++c)
                fields << texts[i++];
            ts << fields.join(QLatin1Char(',')) << "\r\n";
        }
    });
    t.plainRead = seconds([&] {
        QFile f(plainFile);
        f.open(QIODevice::ReadOnly);
        QTextStream ts(&f);
        QString line;
        qsizetype total = 0;
        while (ts.readLineInto(&line))
            for (const QString& field : line.split(QLatin1Char(',')))
                total += field.size();
        benchmark::DoNotOptimize(total);
    });
    return t;
}

void BM_Csv(benchmark::State& st)
{
    for (auto _ : st) {
        const Times t = csv(int(st.range(0)));
        st.SetIterationTime(t.save + t.load);
    }
}
BENCHMARK(BM_Csv)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void summary()
{
    const Times t = csv(1000000);
    std::printf("\n");
    report("SaveToCSV, 1,000,000 rows x 10 cells", t.save, t.plainWrite, 1.3);
    report("LoadFromCSV, 1,000,000 rows x 10 cells", t.load, t.plainRead, 2);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
