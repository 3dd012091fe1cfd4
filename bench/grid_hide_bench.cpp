// Hiding and showing rows in every form the grid offers, on grids of N and 10 N data rows
// (4 columns of short texts, one fixed row), half the data rows each time:
//   one at a time   HideRow on every second row, then UnHideRow on each (or UnHideRowsAll)
//   runs            HideRows / UnHideRows on runs of 4 rows, every second run
//   list            HideRowList with the same rows as HideRow, then UnHideRowList
// The summary sets HideRow and UnHideRowsAll against the list forms on the same rows (at most
// 2x), and every form at 10 N against N (at most 12x: linear growth). Each figure is the
// median of 3 runs in this process; filling the grid is not timed.

#include "grid/QvGrid.h"

#include "BenchMain.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kCols = 4;
constexpr int kRun = 4;

std::unique_ptr<grid::TQvStringGrid> makeHideGrid(int rows)
{
    auto g = std::make_unique<grid::TQvStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows + 1);
    g->SetFixedRows(1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
    return g;
}

struct FormTimes {
    double hideOne = 0, unhideOne = 0, unhideAll = 0;
    double hideRuns = 0, unhideRuns = 0;
    double hideList = 0, unhideList = 0;
};

// The shown rows afterwards must be what they were: a benchmark of a wrong result is no use.
void checkAllShown(const grid::TQvStringGrid& g, int rows, const char* what)
{
    if (g.RowCount() != rows + 1 || g.NumHiddenRows() != 0 || g.Cells(0, rows) != QStringLiteral("r%1c0").arg(rows)) {
        std::fprintf(stderr, "%s: rows not back (%d shown, %d hidden)\n", what, g.RowCount(), g.NumHiddenRows());
        std::exit(1);
    }
}

FormTimes timeForms(int rows)
{
    FormTimes t;
    {
        auto g = makeHideGrid(rows);
        t.hideOne = bench::seconds([&] {
            for (int r = 1; r <= rows; r += 2)
                g->HideRow(r);
        });
        t.unhideOne = bench::seconds([&] {
            for (int r = 1; r <= rows; r += 2)
                g->UnHideRow(r);
        });
        checkAllShown(*g, rows, "UnHideRow");
    }
    {
        auto g = makeHideGrid(rows);
        for (int r = 1; r <= rows; r += 2)
            g->HideRow(r);
        t.unhideAll = bench::seconds([&] { g->UnHideRowsAll(); });
        checkAllShown(*g, rows, "UnHideRowsAll");
    }
    {
        auto g = makeHideGrid(rows);
        t.hideRuns = bench::seconds([&] {
            for (int r = 1; r <= rows; r += 2 * kRun)
                g->HideRows(r, std::min(rows, r + kRun - 1));
        });
        t.unhideRuns = bench::seconds([&] {
            for (int r = 1; r <= rows; r += 2 * kRun)
                g->UnHideRows(r, std::min(rows, r + kRun - 1));
        });
        checkAllShown(*g, rows, "UnHideRows");
    }
    {
        auto g = makeHideGrid(rows);
        grid::TIntList list(0, 0);
        for (int r = 1; r <= rows; r += 2)
            list.Add(r);
        t.hideList = bench::seconds([&] { g->HideRowList(list); });
        t.unhideList = bench::seconds([&] { g->UnHideRowList(); });
        checkAllShown(*g, rows, "UnHideRowList");
    }
    return t;
}

double median3(std::array<double, 3> v)
{
    std::sort(v.begin(), v.end());
    return v[1];
}

FormTimes medianForms(int rows)
{
    std::array<FormTimes, 3> runs;
    for (auto& r : runs)
        r = timeForms(rows);
    auto med = [&](double FormTimes::*f) { return median3({runs[0].*f, runs[1].*f, runs[2].*f}); };
    FormTimes m;
    for (auto f : {&FormTimes::hideOne, &FormTimes::unhideOne, &FormTimes::unhideAll, &FormTimes::hideRuns,
                   &FormTimes::unhideRuns, &FormTimes::hideList, &FormTimes::unhideList})
        m.*f = med(f);
    return m;
}

void summary()
{
    const int n =
        std::max(1000, std::atoi(qgetenv("QV_BENCH_HIDE_ROWS").isEmpty() ? "100000"
                                                                         : qgetenv("QV_BENCH_HIDE_ROWS").constData()));
    const FormTimes small = medianForms(n);
    const FormTimes large = medianForms(10 * n);
    std::printf("hidden rows, %d and %d data rows, half of them hidden (median of 3):\n", n, 10 * n);
    bench::report("HideRow every 2nd row / HideRowList", large.hideOne, large.hideList, 2);
    bench::report("UnHideRowsAll / UnHideRowList", large.unhideAll, large.unhideList, 2);
    const struct {
        const char* what;
        double FormTimes::*f;
    } forms[] = {
        {"HideRow one at a time, 10N / N", &FormTimes::hideOne},
        {"UnHideRow one at a time, 10N / N", &FormTimes::unhideOne},
        {"UnHideRowsAll, 10N / N", &FormTimes::unhideAll},
        {"HideRows runs, 10N / N", &FormTimes::hideRuns},
        {"UnHideRows runs, 10N / N", &FormTimes::unhideRuns},
        {"HideRowList, 10N / N", &FormTimes::hideList},
        {"UnHideRowList, 10N / N", &FormTimes::unhideList},
    };
    for (const auto& f : forms)
        bench::report(f.what, large.*(f.f), small.*(f.f), 12);
}

} // namespace

int main(int argc, char** argv)
{
    return bench::RunThenSummarise(argc, argv, summary);
}
