// Every way of hiding and showing rows, mixed at random, against a model of which real rows are
// hidden: the counts, both index mappings and every cell text (read by displayed and by real
// row) stay what the model says, and showing everything brings back the table as it was.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace grid;

namespace {

constexpr int kHiddenFormRows = 60;

QString hiddenFormRowText(int real)
{
    return QStringLiteral("row %1").arg(real);
}

void expectHiddenFormsMatchModel(const TQvStringGrid& g, const std::vector<bool>& hidden, int step)
{
    int shown = 0;
    for (int r = 0; r < kHiddenFormRows; ++r) {
        ASSERT_EQ(g.IsHiddenRow(r), bool(hidden[std::size_t(r)])) << "step " << step << " row " << r;
        ASSERT_EQ(g.GetCellsEx(1, r), hiddenFormRowText(r)) << "step " << step << " row " << r;
        if (hidden[std::size_t(r)])
            continue;
        ASSERT_EQ(g.RealRowIndex(shown), r) << "step " << step;
        ASSERT_EQ(g.DisplRowIndex(r), shown) << "step " << step;
        ASSERT_EQ(g.Cells(1, shown), hiddenFormRowText(r)) << "step " << step;
        ++shown;
    }
    ASSERT_EQ(g.RowCount(), shown) << "step " << step;
    ASSERT_EQ(g.TotalRowCount(), kHiddenFormRows) << "step " << step;
}

} // namespace

TEST(QvGridHiddenRowForms, RandomMixOfFormsKeepsMappingAndTexts)
{
    std::mt19937 rng(3);
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(kHiddenFormRows);
    g.SetFixedRows(0);
    for (int r = 0; r < kHiddenFormRows; ++r)
        g.SetCells(1, r, hiddenFormRowText(r));
    std::vector<bool> hidden(kHiddenFormRows, false);
    auto shownCount = [&] { return int(std::count(hidden.begin(), hidden.end(), false)); };
    for (int step = 0; step < 400; ++step) {
        const int a = int(rng() % kHiddenFormRows);
        const int b = std::min(kHiddenFormRows - 1, a + int(rng() % 5));
        switch (rng() % 6) {
        case 0:
            if (shownCount() > 1 && !hidden[std::size_t(a)]) {
                g.HideRow(a);
                hidden[std::size_t(a)] = true;
            }
            break;
        case 1: {
            int hiding = 0;
            for (int r = a; r <= b; ++r)
                hiding += hidden[std::size_t(r)] ? 0 : 1;
            if (shownCount() - hiding >= 1) {
                g.HideRows(a, b);
                for (int r = a; r <= b; ++r)
                    hidden[std::size_t(r)] = true;
            }
            break;
        }
        case 2:
            g.UnHideRow(a);
            hidden[std::size_t(a)] = false;
            break;
        case 3: {
            // Only a run of hidden rows from a comes back, as node expansion passes it.
            int last = a;
            while (last < kHiddenFormRows && hidden[std::size_t(last)])
                ++last;
            if (last > a) {
                g.UnHideRows(a, last - 1);
                for (int r = a; r < last; ++r)
                    hidden[std::size_t(r)] = false;
            }
            break;
        }
        case 4:
            if (step % 40 == 0) {
                g.UnHideRowsAll();
                std::fill(hidden.begin(), hidden.end(), false);
            }
            break;
        default: {
            // A level of every third displayed row (as a filter hides them), shown again later.
            TIntList list(0, 0);
            for (int d = 0; d < g.RowCount() - 1; d += 3)
                list.Add(d);
            if (list.Count() == 0)
                break;
            std::vector<int> real;
            for (int i = 0; i < list.Count(); ++i)
                real.push_back(g.RealRowIndex(list.GetInteger(i)));
            g.HideRowList(list);
            for (int r : real)
                hidden[std::size_t(r)] = true;
            expectHiddenFormsMatchModel(g, hidden, step);
            g.UnHideRowList();
            for (int r : real)
                hidden[std::size_t(r)] = false;
            break;
        }
        }
        expectHiddenFormsMatchModel(g, hidden, step);
    }
    g.UnHideRowsAll();
    std::fill(hidden.begin(), hidden.end(), false);
    expectHiddenFormsMatchModel(g, hidden, -1);
}
