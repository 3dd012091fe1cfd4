// Automatic sizes within the limits, heights for a number of lines, proportional fitting,
// numbering both ways, swaps and the selection as text.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace grid;
using grid::ZirAzur::QuoteMultilineField;

namespace {

TEST(QvGridAutoSize, ColumnWidthsKeepTheLimits)
{
    TQvStringGrid g;
    g.SetCells(1, 1, QString(200, 'W'));
    g.MaxColWidth = 100;
    g.AutoSizeCol(1, 0);
    EXPECT_EQ(g.ColWidths(1), 100);
    g.MinColWidth = 100; // equal limits: none applies
    g.AutoSizeCol(1, 0);
    EXPECT_GT(g.ColWidths(1), 100);

    TQvStringGrid p;
    p.SetCells(1, 1, "abc");
    p.AutoSizeColumns(false, 0);
    const int fitted = p.ColWidths(1);
    p.AutoSizeColumns(false, 10);
    EXPECT_EQ(p.ColWidths(1), fitted + 10);
}

TEST(QvGridAutoSize, RowHeightForLines)
{
    TQvStringGrid g;
    const int h = QFontMetrics(toQFont(g.Font())).height();
    g.SetRowHeightForLines(2, 3, 4);
    EXPECT_EQ(g.RowHeights(2), 4 + 3 * (h + h / 8));
    g.MaxRowHeight = 10;
    g.SetRowHeightForLines(2, 3, 4);
    EXPECT_EQ(g.RowHeights(2), 10);
}

TEST(QvGridAutoSize, FitColumnsThatFillTheWidthChangesNothing)
{
    TQvStringGrid g;
    g.resize(400, 200);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.AutoFitColumns(true);
    const int a = g.ColWidths(0), b = g.ColWidths(1), c = g.ColWidths(2);
    g.AutoFitColumns(true);
    EXPECT_EQ(g.ColWidths(0), a);
    EXPECT_EQ(g.ColWidths(1), b);
    EXPECT_EQ(g.ColWidths(2), c);

    TQvStringGrid zero; // widths summing to 0: nothing to scale
    zero.resize(400, 200);
    zero.SetColCount(3);
    for (int i = 0; i < 3; ++i)
        zero.SetColWidths(i, 0);
    zero.AutoFitColumns(true);
    EXPECT_EQ(zero.ColWidths(0) + zero.ColWidths(1) + zero.ColWidths(2), 0);
}

TEST(QvGridAutoSize, NumberingBothWays)
{
    struct Case {
        const char* name;
        TSortDirection dir;
        QStringList expected; // normal rows 1..5
    };
    const Case cases[] = {
        {"ascending", sdAscending, {"", "", "3", "4", "5"}},
        {"descending", sdDescending, {"5", "4", "3", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TQvStringGrid g;
        g.SetRowCount(6);
        g.AutoNumberStart = 2;
        g.AutoNumberDirection = c.dir;
        g.AutoNumberCol(1);
        QStringList got;
        for (int r = 1; r <= 5; ++r)
            got << g.Cells(1, r);
        EXPECT_EQ(got, c.expected);
    }
    TQvStringGrid row; // along a row: columns 1..4 of five
    row.AutoNumberOffset = 10;
    row.AutoNumberRow(2);
    EXPECT_EQ(row.Cells(1, 2), "11");
    EXPECT_EQ(row.Cells(4, 2), "14");
    EXPECT_EQ(row.Cells(0, 2), "");
}

TEST(QvGridAutoSize, SwapsCarryTextsWidthsAndTheSortColumn)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetColWidths(1, 30);
    g.SortSettings().SetColumn(1);
    g.SwapColumns(1, 2);
    EXPECT_EQ(g.Cells(1, 1), "b");
    EXPECT_EQ(g.Cells(2, 1), "a");
    EXPECT_EQ(g.ColWidths(2), 30);
    EXPECT_EQ(g.SortSettings().Column(), 2);
    g.SetRowHeights(1, 40);
    g.SwapRows(1, 3);
    EXPECT_EQ(g.Cells(1, 3), "b");
    EXPECT_EQ(g.RowHeights(3), 40);
}

TEST(QvGridAutoSize, SelectionHelpers)
{
    TQvStringGrid g;
    g.SetCells(1, 1, "a");
    g.SetCells(2, 1, "b");
    g.SetCells(1, 2, "c");
    g.SetCells(2, 2, "d");
    g.SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g.SelectedText(), "a\tb\r\nc\td");
    EXPECT_TRUE(g.IsSelected(2, 2));
    EXPECT_FALSE(g.IsSelected(3, 2));
    EXPECT_FALSE(g.IsSelected(0, 1)); // fixed

    // A rich-text cell gives its plain text; a text of two lines is quoted for the spreadsheet.
    g.SetCells(1, 1, QStringLiteral("{\\rtf1 one}"));
    g.SetCells(2, 2, "x\ny");
    g.ExcelClipboardFormat = true;
    g.PaintSettings().Multilinecells = true;
    EXPECT_EQ(g.SelectedText(), "one\tb\r\nc\t" + QuoteMultilineField("x\ny"));
}

} // namespace
