// The lists kept by real row follow their rows through every change of the row order: a row's
// modified and enabled flags, its disjunct selection (flag and place in SelectedRows) and the
// control placed in one of its cells stay with the row's text through moves, sorts, inserts
// and removals.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <functional>

using namespace grid;
using namespace grid::test;

namespace {

// One key per normal row in column 1; row 0 is the fixed header row.
struct FlaggedGrid {
    FlaggedGrid() : s(2, 7), label(s.g.viewport())
    {
        TQvStringGrid& g = s.g;
        g.MouseActions().SetDisjunctRowSelect(true);
        g.Navigation().SetMoveRowOnSort(true);
        for (int r = 1; r < g.RowCount(); ++r)
            g.SetCells(1, r, QString(QChar(u'a' + r - 1)));
        g.SetRowModified(rowOf("b"), true);
        g.SetRowEnabled(rowOf("c"), false);
        g.SetRowSelect(rowOf("d"), true);
        g.ControlList().AddControl(1, rowOf("e"), &label);
    }

    int rowOf(const QString& key)
    {
        for (int r = 1; r < s.g.RowCount(); ++r)
            if (s.g.Cells(1, r) == key)
                return r;
        return -1;
    }

    int controlRow()
    {
        for (int i = 0; i < s.g.ControlList().Count(); ++i)
            if (s.g.ControlList().GetControl(i)->Control() == &label)
                return s.g.ControlList().GetControl(i)->Y();
        return -1;
    }

    // Only the flagged rows carry their flag, wherever they are now.
    void expectFlagsFollow(const char* step)
    {
        SCOPED_TRACE(step);
        TQvStringGrid& g = s.g;
        for (int r = 1; r < g.RowCount(); ++r) {
            const QString key = g.Cells(1, r);
            EXPECT_EQ(g.GetRowModified(r), key == "b") << "row " << r << " " << key.toStdString();
            EXPECT_EQ(g.GetRowEnabled(r), key != "c") << "row " << r << " " << key.toStdString();
            EXPECT_EQ(g.GetRowSelect(r), key == "d") << "row " << r << " " << key.toStdString();
        }
        const int d = rowOf("d");
        if (d >= 0) {
            ASSERT_EQ(g.SelectedRows().Count(), 1);
            EXPECT_EQ(g.SelectedRows().GetInteger(0), d);
        } else {
            EXPECT_EQ(g.SelectedRows().Count(), 0) << "a removed row leaves the selected rows";
        }
        EXPECT_EQ(controlRow(), rowOf("e"));
        EXPECT_EQ(g.ModifiedRowCount(), rowOf("b") >= 0 ? 1 : 0);
    }

    ShownGrid<TQvStringGrid> s;
    QLabel label;
};

} // namespace

TEST(RowSideData, EveryListFollowsMovesSortsInsertsAndRemovals)
{
    FlaggedGrid f;
    TQvStringGrid& g = f.s.g;
    struct Step {
        const char* what;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"a row moved down", [&] { g.MoveRow(f.rowOf("b"), 5); }},
        {"a row moved up", [&] { g.MoveRow(f.rowOf("e"), 1); }},
        {"sorted descending", [&] { g.Sort(1, sdDescending); }},
        {"sorted ascending", [&] { g.Sort(1, sdAscending); }},
        {"unsorted", [&] { g.QUnSort(); }},
        {"rows inserted above all", [&] { g.InsertRows(1, 2); }},
        {"a row inserted between", [&] { g.InsertRows(f.rowOf("d"), 1); }},
        {"a block moved", [&] { g.MoveRows(f.rowOf("b"), 1, 3); }},
        {"a plain row removed", [&] { g.RemoveRows(f.rowOf("a"), 1); }},
        {"the selected row removed", [&] { g.RemoveRows(f.rowOf("d"), 1); }},
        {"sorted after the removals", [&] { g.Sort(1, sdDescending); }},
    };
    f.expectFlagsFollow("filled");
    for (const Step& step : steps) {
        step.run();
        f.expectFlagsFollow(step.what);
    }
}
