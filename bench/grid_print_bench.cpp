// Printing against plain Qt doing the least the same page needs: Print of a 10,000-row x
// 10-column grid into a PDF file through the printer stand-in, against a bare QPainter loop that
// draws the same texts and cell lines, with as many rows a page, into the same kind of PDF
// printer (at most 3x). Counting the pages of 10,000 rows against 1,000 rows shows whether the
// layout has a quadratic step (at most 12x). Both sides run in the same process.

#include "grid/QvGrid.h"
#include "grid/print/GridPrint.h"
#include "platform/Printer.h"
#include "platform/Services.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using bench::report;
using bench::seconds;

constexpr int kCols = 10;

// Texts of one length, so that 10,000 rows cost ten times 1,000 rows when the layout is linear.
QString cellText(int c, int r)
{
    return QStringLiteral("cell %1 of row %2").arg(c).arg(r, 5, 10, QLatin1Char('0'));
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

struct PrintTimes {
    double grid = 0, bare = 0;
    int pages = 0;
};

// The grid's printout, then the bare loop with the grid's row count per page, column widths and
// font size.
PrintTimes print(int rows)
{
    QTemporaryDir dir;
    PrintTimes t;
    grid::TQvStringGrid g;
    fill(g, rows);
    platform::QtPrinter printer(dir.filePath(QStringLiteral("grid.pdf")));
    platform::Services services;
    services.printer = &printer;
    g.SetServices(services);
    int rowsOnFirstPage = 0;
    g.OnPrintStart = [&](grid::TQvStringGrid*, int pages, int&, int&) { t.pages = pages; };
    g.OnPrintPageDone = [&](grid::TQvStringGrid*, QPainter&, int lastRow, int, int page, int, int) {
        if (page == 1)
            rowsOnFirstPage = lastRow;
    };
    t.grid = seconds([&] { g.Print(); });

    // What the grid measured, in device pixels of the printer.
    const double toDevice = printer.ResolutionX() / 254.0;
    std::vector<int> widths;
    for (int c = 0; c < kCols; ++c)
        widths.push_back(int(g.GetPrintColWidth(c) * toDevice));
    QFont font = grid::toQFont(g.Font());
    font.setPixelSize(std::max(1, int(-g.MapFontHeight(g.PrintSettings().Font().Size) * toDevice)));
    const int perPage = std::max(1, rowsOnFirstPage);

    platform::QtPrinter bare(dir.filePath(QStringLiteral("bare.pdf")));
    t.bare = seconds([&] {
        bare.BeginDoc();
        QPainter& canvas = *bare.Canvas();
        canvas.setFont(font);
        canvas.setPen(Qt::black);
        const int pitch = QFontMetrics(font, canvas.device()).height() * 5 / 4;
        for (int r = 0; r < rows; ++r) {
            if (r > 0 && r % perPage == 0)
                bare.NewPage();
            const int y = (r % perPage) * pitch;
            int x = 0;
            for (int c = 0; c < kCols; ++c) {
                canvas.drawText(QRect(x, y, widths[std::size_t(c)], pitch), Qt::AlignLeft | Qt::AlignVCenter,
                                cellText(c, r));
                canvas.drawLine(x, y, x + widths[std::size_t(c)], y);
                canvas.drawLine(x, y, x, y + pitch);
                x += widths[std::size_t(c)];
            }
        }
        bare.EndDoc();
    });
    return t;
}

// The counting run alone, on a page the size of A4 at 254 dpi.
double count(int rows)
{
    grid::TQvStringGrid g;
    fill(g, rows);
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    QPainter canvas(&image);
    grid::SetLoMetric(canvas);
    grid::TGridPrinter& p = g.Printer();
    p.PrintRect = {0, 0, kCols - 1, rows - 1};
    int pages = 0;
    const double took = seconds([&] { pages = p.PrintGridPages(canvas, grid::pmCountPrint, false, 2100, -2970); });
    benchmark::DoNotOptimize(pages);
    return took;
}

void BM_Print(benchmark::State& st)
{
    for (auto _ : st) {
        const PrintTimes t = print(int(st.range(0)));
        st.SetIterationTime(t.grid);
    }
}
BENCHMARK(BM_Print)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Count(benchmark::State& st)
{
    for (auto _ : st)
        st.SetIterationTime(count(int(st.range(0))));
}
BENCHMARK(BM_Count)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void summary()
{
    const PrintTimes t = print(10000);
    std::printf("\n%d pages\n", t.pages);
    report("Print, 10,000 rows x 10 cells, to PDF", t.grid, t.bare, 3);
    // The best of three runs each, so that a busy machine does not decide the ratio.
    const auto best = [](int rows) { return std::min({count(rows), count(rows), count(rows)}); };
    const double small = best(1000), large = best(10000);
    report("Counting 10,000 rows against 1,000", large, small, 12);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
