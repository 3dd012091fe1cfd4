// Highlighting, error marks, cell checks and fills: what each writes into which cells, with
// hidden columns, merged cells and texts holding markup characters.

#include "grid/QvGrid.h"
#include "grid/edit/qsgcheck.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

using namespace grid;

namespace {

// A 6 x 5 grid with one fixed row and column, every cell "c,r".
struct Filled {
    Filled()
    {
        g.SetColCount(6);
        g.SetRowCount(5);
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 6; ++c)
                g.SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
    }
    TQvStringGrid g;
};

TEST(QvGridMarks, TextsAreMarkedAndUnmarked)
{
    struct Case {
        bool doCase;
        QString text, search, hilighted;
    };
    for (const Case& c : {Case{false, "Abcab", "ab", "<hi>Ab</hi>c<hi>ab</hi>"},
                          Case{true, "Abcab", "ab", "Abc<hi>ab</hi>"}, Case{false, "xyz", "q", "xyz"}}) {
        EXPECT_EQ(TQvStringGrid::HilightText(c.doCase, c.text, c.search), c.hilighted) << c.text.toStdString();
        EXPECT_EQ(TQvStringGrid::UnHilightText(c.hilighted), c.text) << c.text.toStdString();
        QString marked = c.hilighted;
        marked.replace("hi>", "e>");
        EXPECT_EQ(TQvStringGrid::MarkText(c.doCase, c.text, c.search), marked);
        EXPECT_EQ(TQvStringGrid::UnMarkText(marked), c.text);
    }
    EXPECT_EQ(TQvStringGrid::UnHilightText("<HI>a</Hi>&lt;"), "a<");
}

TEST(QvGridMarks, CellsAreEncodedMarkedAndGivenBack)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "Abcab");
    g.HilightInCell(false, 1, 1, "ab");
    EXPECT_EQ(g.Cells(1, 1), "<hi>Ab</hi>c<hi>ab</hi>");
    g.UnHilightInCell(1, 1);
    EXPECT_EQ(g.Cells(1, 1), "Abcab");
    g.HilightInCell(true, 1, 1, "ab");
    EXPECT_EQ(g.Cells(1, 1), "Abc<hi>ab</hi>");

    g.SetCells(1, 2, "a<b");
    g.HilightInCell(false, 1, 2, "b");
    EXPECT_EQ(g.Cells(1, 2), "a&lt;<hi>b</hi>");
    g.UnHilightInCell(1, 2);
    EXPECT_EQ(g.Cells(1, 2), "a<b");

    // Whatever the text holds comes back as it was.
    for (const QString& text : {QString("R&D <x> \"q\""), QString("x&lt;y"), QString("&amp; & <b>")}) {
        g.SetCells(2, 2, text);
        g.MarkInCell(false, 2, 2, "x");
        g.UnMarkInCell(2, 2);
        EXPECT_EQ(g.Cells(2, 2), text) << text.toStdString();
        g.HilightInCell(false, 2, 2, "&");
        g.UnHilightInCell(2, 2);
        EXPECT_EQ(g.Cells(2, 2), text) << text.toStdString();
    }
}

TEST(QvGridMarks, OnlyCellsWithAnOccurrenceOrATagAreRewritten)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "a<b");
    g.SetCells(2, 1, "R&amp;D");
    g.SetCells(3, 1, "find me");
    g.HilightInGrid(false, false, "find");
    EXPECT_EQ(g.Cells(1, 1), "a<b");
    EXPECT_EQ(g.Cells(2, 1), "R&amp;D");
    EXPECT_EQ(g.Cells(3, 1), "<hi>find</hi> me");
    g.UnMarkInGrid(false);
    EXPECT_EQ(g.Cells(2, 1), "R&amp;D");
    g.UnHilightInGrid(false);
    EXPECT_EQ(g.Cells(2, 1), "R&amp;D");
    EXPECT_EQ(g.Cells(3, 1), "find me");
}

TEST(QvGridMarks, RowsSkipHiddenColumnsAndUnmarkingReachesThem)
{
    Filled f;
    TQvStringGrid& g = f.g;
    g.HideColumn(2);
    g.HilightInRow(false, false, 1, ",");
    for (int c : {1, 3, 4, 5})
        EXPECT_EQ(g.Cells(c, 1), QStringLiteral("%1<hi>,</hi>1").arg(c)) << c;
    EXPECT_EQ(g.Cells(2, 1), "2,1");
    EXPECT_EQ(g.Cells(0, 1), "0,1");

    g.SetCells(2, 3, "<hi>hidden</hi>");
    g.SetCells(5, 3, "<hi>last</hi>");
    g.UnHilightInGrid(false);
    EXPECT_EQ(g.Cells(2, 3), "hidden");
    EXPECT_EQ(g.Cells(5, 3), "last");
    EXPECT_EQ(g.Cells(5, 1), "5,1");
}

// Which operations reach the hidden column (real 2) and the last column (real 5) of the area.
TEST(QvGridMarks, RangesOfTheCellFamily)
{
    struct Case {
        const char* op;
        std::function<void(TQvStringGrid&)> run;
        bool unmark;
        bool reachesHidden;
    };
    const Case cases[] = {
        {"HilightInRow", [](TQvStringGrid& g) { g.HilightInRow(false, false, 2, ","); }, false, false},
        {"MarkInRow", [](TQvStringGrid& g) { g.MarkInRow(true, false, 2, ","); }, false, false},
        {"HilightInGrid", [](TQvStringGrid& g) { g.HilightInGrid(false, false, ","); }, false, true},
        {"HilightInGrid fixed", [](TQvStringGrid& g) { g.HilightInGrid(true, false, ","); }, false, false},
        {"MarkInGrid", [](TQvStringGrid& g) { g.MarkInGrid(false, false, ","); }, false, false},
        {"UnHilightInRow", [](TQvStringGrid& g) { g.UnHilightInRow(false, 2); }, true, true},
        {"UnMarkInRow", [](TQvStringGrid& g) { g.UnMarkInRow(true, 2); }, true, true},
        {"UnMarkInGrid", [](TQvStringGrid& g) { g.UnMarkInGrid(false); }, true, true},
    };
    for (const Case& c : cases) {
        Filled f;
        TQvStringGrid& g = f.g;
        if (c.unmark) {
            for (int col = 0; col < 6; ++col)
                g.SetCells(col, 2, "<hi>x</hi><e>y</e>");
        }
        g.HideColumn(2);
        c.run(g);
        const bool hiddenChanged = g.Cells(2, 2) != (c.unmark ? "<hi>x</hi><e>y</e>" : "2,2");
        EXPECT_EQ(hiddenChanged, c.reachesHidden) << c.op;
        const bool lastChanged = g.Cells(5, 2) != (c.unmark ? "<hi>x</hi><e>y</e>" : "5,2");
        EXPECT_TRUE(lastChanged) << c.op;
    }
}

TEST(QvGridMarks, ColumnsAndMergedCells)
{
    Filled f;
    TQvStringGrid& g = f.g;
    g.MergeCells(3, 2, 2, 2);
    g.HilightInCol(false, false, 3, "3");
    EXPECT_EQ(g.Cells(3, 0), "3,0");
    EXPECT_EQ(g.GetGridCell(3, 1), "<hi>3</hi>,1");
    EXPECT_EQ(g.GetGridCell(3, 2), "<hi>3</hi>,2");
    EXPECT_EQ(g.GetGridCell(3, 3), "3,3"); // covered by the merge: not a cell of its own
    g.HilightInCol(true, false, 1, "0");
    EXPECT_EQ(g.Cells(1, 0), "1,<hi>0</hi>");
}

TEST(QvGridMarks, DisplayTextEventFeedsTheMarks)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "raw");
    g.OnGetDisplText = [](TBaseGrid*, int, int, QString& v) { v = v.toUpper(); };
    g.HilightInCell(false, 1, 1, "a");
    EXPECT_EQ(g.GetGridCell(1, 1), "R<hi>A</hi>W");
}

// ---- checks ----------------------------------------------------------------------------------

class RecordingChecker : public VAviDadoraVidoRavad {
public:
    QString Correct(int ACol, int ARow, const QString& s) override
    {
        visited.insert({ACol, ARow});
        if (ACol == throwAt.X && ARow == throwAt.Y)
            throw std::runtime_error("checker failed");
        return ACol == wrongAt.X && ARow == wrongAt.Y ? s + "!" : s;
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
    std::set<std::pair<int, int>> visited;
    TPoint wrongAt{-1, -1};
    TPoint throwAt{-1, -1};
    int starts = 0, stops = 0;
};

TEST(QvGridMarks, CheckGridWithoutCheckerChangesNothing)
{
    Filled f;
    f.g.SetCells(2, 2, "<e>err</e>");
    EXPECT_TRUE(f.g.CheckGrid(false));
    EXPECT_TRUE(f.g.CheckCell(2, 2));
    EXPECT_EQ(f.g.Cells(2, 2), "<e>err</e>");
}

TEST(QvGridMarks, BaseCheckerRewritesNormalCellsWithoutMarks)
{
    Filled f;
    TQvStringGrid& g = f.g;
    VAviDadoraVidoRavad checker;
    g.CellChecker = &checker;
    g.SetCells(2, 2, "<e>err</e>or");
    g.SetCells(3, 0, "<e>head</e>");
    EXPECT_TRUE(g.CheckGrid(false));
    EXPECT_EQ(g.Cells(2, 2), "error");
    EXPECT_EQ(g.Cells(3, 0), "<e>head</e>");
    EXPECT_EQ(g.Cells(1, 1), "1,1");
}

TEST(QvGridMarks, EveryCellIsVisitedAfterAFalse)
{
    Filled f;
    TQvStringGrid& g = f.g;
    RecordingChecker checker;
    checker.UseCorrect = true;
    checker.wrongAt = {1, 1};
    g.CellChecker = &checker;
    EXPECT_FALSE(g.CheckGrid(false));
    EXPECT_EQ(checker.visited.size(), 5u * 4u);
    EXPECT_EQ(g.Cells(1, 1), "1,1!");
    EXPECT_EQ(checker.starts, 1);
    EXPECT_EQ(checker.stops, 1);
}

TEST(QvGridMarks, CheckerExceptionReachesTheCallerWithoutStopCheck)
{
    Filled f;
    TQvStringGrid& g = f.g;
    RecordingChecker checker;
    checker.UseCorrect = true;
    checker.throwAt = {2, 2};
    g.CellChecker = &checker;
    EXPECT_THROW(g.CheckGrid(false), std::runtime_error);
    EXPECT_EQ(checker.starts, 1);
    EXPECT_EQ(checker.stops, 0);
}

TEST(QvGridMarks, ChecksWalkVisibleColumnsAndPutTheCurrentCellBack)
{
    test::ShownGrid<TQvStringGrid> w(6, 5);
    TQvStringGrid& g = w.g;
    RecordingChecker checker;
    checker.UseCorrect = true;
    checker.GotoCell = true;
    g.CellChecker = &checker;
    g.HideColumn(2);
    g.SetCol(3);
    g.SetRow(2);
    EXPECT_TRUE(g.CheckRow(false, 1));
    const std::set<std::pair<int, int>> row1{{1, 1}, {3, 1}, {4, 1}, {5, 1}};
    EXPECT_EQ(checker.visited, row1);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 2);
    checker.GotoCell = false;
    checker.visited.clear();
    EXPECT_TRUE(g.CheckCol(true, 4));
    EXPECT_EQ(checker.visited.size(), 5u);
    checker.visited.clear();
    EXPECT_TRUE(g.CheckCells(2, 1, 2, 2)); // real columns as given
    const std::set<std::pair<int, int>> hidden{{2, 1}, {2, 2}};
    EXPECT_EQ(checker.visited, hidden);
}

// ---- fills -----------------------------------------------------------------------------------

TEST(QvGridMarks, LinearFillLeavesTheFixedCells)
{
    TQvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(7);
    g.LinearFill(false);
    EXPECT_EQ(g.Cells(2, 5), "2:5");
    EXPECT_EQ(g.Cells(3, 6), "3:6");
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.Cells(c, 0), "") << c;
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(g.Cells(0, r), "") << r;
}

TEST(QvGridMarks, TextFillWithFixedCellsOverwritesTheHeader)
{
    Filled f;
    f.g.TextFill(true, "t");
    EXPECT_EQ(f.g.Cells(0, 0), "t");
    EXPECT_EQ(f.g.Cells(3, 0), "t");
    EXPECT_EQ(f.g.Cells(5, 4), "t");
}

TEST(QvGridMarks, RandomFillStaysInRange)
{
    TQvStringGrid g;
    g.SetColCount(10);
    g.SetRowCount(20);
    g.RandomFill(false, 10);
    for (int r = 1; r < 20; ++r)
        for (int c = 1; c < 10; ++c) {
            const QString v = g.Cells(c, r);
            ASSERT_EQ(v.size(), 1) << c << "," << r;
            EXPECT_TRUE(v[0] >= '0' && v[0] <= '9') << v.toStdString();
        }
    g.RandomFill(false, 0);
    EXPECT_EQ(g.Cells(1, 1), "0");
}

TEST(QvGridMarks, FormatFillTakesColumnAndRowAsIntegers)
{
    struct Case {
        const char* fmt;
        const char* cell25; // column 2, row 5
    };
    for (const Case& c : {Case{"%d-%d", "2-5"}, Case{"R%1d", "R2"}, Case{"%3d|%-3d|", "  2|5  |"}, Case{"%.3u", "002"},
                          Case{"%x%X", "25"}, Case{"%d%%", "2%"}, Case{"none", "none"}}) {
        TQvStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(6);
        g.FormatFill(false, c.fmt);
        EXPECT_EQ(g.Cells(2, 5), c.cell25) << c.fmt;
    }
    TQvStringGrid wide;
    wide.SetColCount(40);
    wide.SetRowCount(2);
    wide.FormatFill(false, "%x");
    EXPECT_EQ(wide.Cells(31, 1), "1F");
}

TEST(QvGridMarks, FormatFillRefusesOtherFormatsBeforeWriting)
{
    for (const char* fmt : {"%s", "%f", "%d %d %d", "%1:d", "%*d", "%", "%-", "%5000d", "%p"}) {
        Filled f;
        EXPECT_THROW(f.g.FormatFill(false, fmt), EConvertError) << fmt;
        EXPECT_EQ(f.g.Cells(1, 1), "1,1") << fmt;
        EXPECT_EQ(f.g.Cells(5, 4), "5,4") << fmt;
    }
}

TEST(QvGridMarks, FillsSkipHiddenColumnsAndRecalculateTheFooter)
{
    Filled f;
    TQvStringGrid& g = f.g;
    g.HideColumn(2);
    g.LinearFill(false);
    EXPECT_EQ(g.Cells(2, 1), "2,1");
    EXPECT_EQ(g.Cells(5, 1), "5:1");

    g.FloatingFooter.SetVisible(true);
    g.SetFooterCalcType(1, acCUSTOM);
    int calls = 0;
    g.OnCalcFooter = [&](TQvStringGrid*, int, int, QString& v) {
        ++calls;
        v = "calc";
    };
    g.TextFill(false, "1");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g.Cells(1, 4), "calc");
}

} // namespace
