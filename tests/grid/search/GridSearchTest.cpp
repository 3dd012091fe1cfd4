// Finding and replacing text in the cells: the matching rules, the bounds and orders the flags
// ask for, FindNext's walk through the matches, Replace, and the incremental search of typed
// characters.

#include "grid/QvGrid.h"
#include "grid/look/GridPaintSettings.h"

#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>
#include <vector>

using namespace grid;

namespace {

struct CellText {
    int col, row;
    const char* text;
};

// 4 columns x 6 rows with one fixed row and column, every normal cell "-" unless given.
void fill(TQvStringGrid& g, const std::vector<CellText>& cells)
{
    g.SetColCount(4);
    g.SetRowCount(6);
    for (int r = 1; r < 6; ++r)
        for (int c = 1; c < 4; ++c)
            g.SetCells(c, r, QStringLiteral("-"));
    for (const CellText& t : cells)
        g.SetCells(t.col, t.row, QString::fromUtf8(t.text));
}

struct FindCase {
    const char* name;
    std::vector<CellText> cells;
    std::function<void(TQvStringGrid&)> setup;
    const char* text;
    TFindParameters params;
    TPoint expected;
};

TEST(GridSearch, FindFollowsTheMatchRulesBoundsAndOrders)
{
    const auto none = [](TQvStringGrid&) {};
    const FindCase cases[] = {
        {"match start: AB is the start of abc, not of cab",
         {{1, 2, "cab"}, {1, 4, "abc"}},
         none,
         "AB",
         fnMatchStart,
         {1, 4}},
        {"anywhere: cab holds AB", {{1, 2, "cab"}, {1, 4, "abc"}}, none, "AB", 0, {1, 2}},
        {"match case", {{1, 2, "ab"}, {2, 1, "AB"}}, none, "AB", fnMatchCase, {2, 1}},
        {"two double quotes find the first empty cell", {{2, 3, ""}}, none, "\"\"", 0, {2, 3}},
        {"greater than 5 finds the first value above 5",
         {{1, 1, "3"}, {1, 2, "5"}, {1, 3, "12"}, {1, 4, "7"}},
         none,
         ">5",
         fnMatchRegular,
         {1, 3}},
        {"full match", {{1, 1, "abc"}, {1, 2, "ABX"}, {1, 3, "Ab"}}, none, "ab", fnMatchFull, {1, 3}},
        {"an empty text finds nothing", {}, none, "", 0, {-1, -1}},
        {"markup stays in the way without the flag", {{1, 1, "a<b>b</b>c"}}, none, "abc", 0, {-1, -1}},
        {"markup ignored with the flag", {{1, 1, "a<b>b</b>c"}}, none, "abc", fnIgnoreHTMLTags, {1, 1}},
        {"top to bottom: column 1 goes before column 2", {{2, 1, "x"}, {1, 4, "x"}}, none, "x", 0, {1, 4}},
        {"left to right: row 1 goes before row 4", {{2, 1, "x"}, {1, 4, "x"}}, none, "x", fnDirectionLeftRight, {2, 1}},
        {"backward starts at the last cell", {{1, 1, "x"}, {1, 3, "x"}}, none, "x", fnBackward, {1, 3}},
        {"fixed cells only with the flag", {{0, 0, "x"}, {1, 4, "x"}}, none, "x", 0, {1, 4}},
        {"fixed cells with the flag", {{0, 0, "x"}, {1, 4, "x"}}, none, "x", fnIncludeFixed, {0, 0}},
        {"footer rows only with the flag",
         {{1, 5, "y"}},
         [](TQvStringGrid& g) { g.SetFixedFooters(1); },
         "y",
         0,
         {-1, -1}},
        {"footer rows with the flag",
         {{1, 5, "y"}},
         [](TQvStringGrid& g) { g.SetFixedFooters(1); },
         "y",
         fnIncludeFixed,
         {1, 5}},
        {"ignored columns are skipped left to right",
         {{2, 1, "x"}},
         [](TQvStringGrid& g) { g.IgnoreColumns().Add(2); },
         "x",
         fnDirectionLeftRight,
         {-1, -1}},
        {"ignored columns are searched top to bottom",
         {{2, 1, "x"}},
         [](TQvStringGrid& g) { g.IgnoreColumns().Add(2); },
         "x",
         0,
         {2, 1}},
        {"a hidden column is left out", {{2, 2, "x"}}, [](TQvStringGrid& g) { g.HideColumn(2); }, "x", 0, {-1, -1}},
        {"a hidden column by its real index with the flag",
         {{2, 2, "x"}},
         [](TQvStringGrid& g) { g.HideColumn(2); },
         "x",
         fnIncludeHiddenColumns,
         {2, 2}},
        {"a shown column after a hidden one by its displayed index",
         {{3, 2, "x"}},
         [](TQvStringGrid& g) { g.HideColumn(2); },
         "x",
         0,
         {2, 2}},
        {"a hidden row is left out", {{1, 2, "x"}}, [](TQvStringGrid& g) { g.HideRow(2); }, "x", 0, {-1, -1}},
        {"a hidden row by its real index with the flag",
         {{1, 2, "x"}},
         [](TQvStringGrid& g) { g.HideRow(2); },
         "x",
         fnIncludeHiddenRows,
         {1, 2}},
        {"a row below a hidden one by its real index with the flag",
         {{1, 4, "x"}},
         [](TQvStringGrid& g) { g.HideRow(2); },
         "x",
         fnIncludeHiddenRows,
         {1, 4}},
        {"selected cells only",
         {{1, 1, "x"}, {3, 4, "x"}},
         [](TQvStringGrid& g) {
             g.SetSelection({2, 2, 3, 5});
         },
         "x",
         fnSelectedCells,
         {3, 4}},
        {"preset row",
         {{1, 1, "x"}, {2, 3, "x"}},
         [](TQvStringGrid& g) { g.FFindRow = 3; },
         "x",
         fnFindInPresetRow,
         {2, 3}},
        {"preset column",
         {{1, 1, "x"}, {2, 3, "x"}},
         [](TQvStringGrid& g) { g.FFindCol = 2; },
         "x",
         fnFindInPresetCol,
         {2, 3}},
        {"current column",
         {{1, 1, "x"}, {3, 5, "x"}},
         [](TQvStringGrid& g) { g.FocusCell(3, 1); },
         "x",
         fnFindInCurrentCol,
         {3, 5}},
    };
    for (const FindCase& c : cases) {
        TQvStringGrid g;
        fill(g, c.cells);
        c.setup(g);
        EXPECT_EQ(g.Find({-1, -1}, QString::fromUtf8(c.text), c.params), c.expected) << c.name;
    }
}

TEST(GridSearch, FindNextWalksTheMatchesOnceThenStartsOver)
{
    TQvStringGrid g;
    fill(g, {{1, 1, "x"}, {1, 3, "ax"}, {3, 5, "X"}});
    EXPECT_EQ(g.FindFirst(QStringLiteral("x"), 0), (TPoint{1, 1}));
    EXPECT_EQ(g.FindNext(), (TPoint{1, 3}));
    // The last cell of the grid: the next search has nowhere to go and does not wrap.
    EXPECT_EQ(g.FindNext(), (TPoint{3, 5}));
    EXPECT_EQ(g.FindNext(), (TPoint{-1, -1}));
    EXPECT_EQ(g.SearchCell, (TPoint{-1, -1}));
    EXPECT_EQ(g.FindNext(), (TPoint{1, 1}));
    EXPECT_EQ(g.SearchCache, QStringLiteral("X")); // upper case without fnMatchCase
}

TEST(GridSearch, NoSearchExaminesItsStartCellAgain)
{
    TQvStringGrid g;
    fill(g, {{2, 2, "x"}});
    EXPECT_EQ(g.Find({2, 2}, QStringLiteral("x"), 0), (TPoint{-1, -1}));
    EXPECT_EQ(g.Find({2, 2}, QStringLiteral("x"), fnBackward), (TPoint{-1, -1}));
    EXPECT_EQ(g.Find({2, 2}, QStringLiteral("x"), fnDirectionLeftRight), (TPoint{-1, -1}));
    EXPECT_FALSE(g.FFindBusy);
    // From the cell before it, in each order.
    EXPECT_EQ(g.Find({2, 1}, QStringLiteral("x"), 0), (TPoint{2, 2}));
    EXPECT_EQ(g.Find({1, 2}, QStringLiteral("x"), fnDirectionLeftRight), (TPoint{2, 2}));
    EXPECT_EQ(g.Find({2, 3}, QStringLiteral("x"), fnBackward), (TPoint{2, 2}));
    EXPECT_TRUE(g.FFindBusy);
}

TEST(GridSearch, AutoGotoMakesTheFoundCellCurrent)
{
    grid::test::ShownGrid<TQvStringGrid> s(4, 200);
    TQvStringGrid& g = s.g;
    g.SetCells(2, 150, QStringLiteral("needle"));
    EXPECT_EQ(g.Find({-1, -1}, QStringLiteral("NEEDLE"), fnAutoGoto), (TPoint{2, 150}));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 150);
    EXPECT_GE(150, g.TopRow());
    EXPECT_LT(150, g.TopRow() + g.VisibleRowCount());
}

TEST(GridSearch, CellMatchesSearchUsesTheLastSearch)
{
    TQvStringGrid g;
    fill(g, {{1, 1, "Abc"}, {2, 2, "abc"}});
    g.FindFirst(QStringLiteral("Ab"), fnMatchCase);
    EXPECT_TRUE(g.CellMatchesSearch(1, 1, false));
    EXPECT_FALSE(g.CellMatchesSearch(2, 2, false));
}

TEST(GridSearch, ReplaceHonoursMatchCase)
{
    struct Case {
        TFindParameters params;
        const char* after;
    };
    const Case cases[] = {{0, "bb"}, {fnMatchCase, "Ab"}};
    for (const Case& c : cases) {
        TQvStringGrid g;
        fill(g, {{1, 2, "Aa"}});
        EXPECT_EQ(g.Replace(QStringLiteral("a"), QStringLiteral("b"), c.params), 1) << c.params;
        EXPECT_EQ(g.Cells(1, 2), QString::fromUtf8(c.after)) << c.params;
    }
    // A cell holding the text only in the other case is left alone and not counted.
    TQvStringGrid g;
    fill(g, {{1, 2, "A"}});
    EXPECT_EQ(g.Replace(QStringLiteral("a"), QStringLiteral("b"), fnMatchCase), 0);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("A"));
}

TEST(GridSearch, ReplaceMarksRowsModifiedAndEndsWhenTheNewTextHoldsTheOld)
{
    TQvStringGrid g;
    fill(g, {{1, 2, "a"}, {3, 4, "xa"}});
    g.PaintSettings().ShowModified.Enabled = true;
    EXPECT_EQ(g.Replace(QStringLiteral("a"), QStringLiteral("aa"), 0), 2);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("aa"));
    EXPECT_EQ(g.Cells(3, 4), QStringLiteral("xaa"));
    EXPECT_TRUE(g.GetRowModified(2));
    EXPECT_TRUE(g.GetRowModified(4));
    EXPECT_FALSE(g.GetRowModified(3));
}

TEST(GridSearch, ReplaceReachesHiddenRowsByTheirRealIndex)
{
    TQvStringGrid g;
    fill(g, {{1, 3, "old"}});
    g.HideRow(3);
    EXPECT_EQ(g.Replace(QStringLiteral("old"), QStringLiteral("new"), fnIncludeHiddenRows), 1);
    g.UnHideRowsAll();
    EXPECT_EQ(g.Cells(1, 3), QStringLiteral("new"));
}

// Typed characters with editing off jump to the first row whose sort-column text starts with
// them.
TEST(GridSearch, TypedCharactersLookInTheSortColumn)
{
    QWidget window;
    auto* g = new TQvStringGrid(&window);
    g->resize(400, 300);
    fill(*g, {{1, 2, "bravo"}, {2, 4, "bravo"}, {2, 3, "alpha"}});
    g->SetOptions(g->Options() & ~goEditing);
    g->Navigation().SetAutoGotoWhenSorted(true);
    g->SortSettings().SetShow(true);
    g->SortSettings().SetColumn(2);
    window.show();
    g->setFocus();
    QApplication::processEvents();
    QTest::keyClick(g, Qt::Key_B);
    EXPECT_EQ(g->Row(), 4);
    g->SortSettings().SetShow(false); // the first normal column
    QTest::keyClick(g, Qt::Key_B);
    EXPECT_EQ(g->Row(), 2);
}

} // namespace

namespace {

TEST(GridSearch, CellMatchesSearchReadsHiddenRowsByRealIndexAndLeavesTheSearchState)
{
    TQvStringGrid g;
    fill(g, {{1, 3, "Hidden x"}});
    g.HideRow(3);
    EXPECT_EQ(g.Find({-1, -1}, QStringLiteral("nothing"), fnIncludeHiddenRows), (TPoint{-1, -1}));
    g.SearchCache = QStringLiteral("HIDDEN");
    EXPECT_TRUE(g.CellMatchesSearch(1, 3, false));
    EXPECT_FALSE(g.CellMatchesSearch(1, 4, false));
    EXPECT_FALSE(g.FFindBusy);
    EXPECT_EQ(g.SearchCache, QStringLiteral("HIDDEN"));
}

} // namespace
