// Copy, cut, paste and series fill through the offscreen platform's real clipboard.

#include "grid/QvGrid.h"
#include "grid/QvGrid/ClipboardText.h"

#include "grid/support/GridTestHelpers.h"
#include "platform/Clipboard.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace grid;

namespace {

// Records what the paste hook receives.
class RecordingGrid : public TQvStringGrid {
public:
    TPoint source{-2, -2};
    TClipOperation op = coCopy;
    void ClipboardCellsPasted(TPoint s, const TRect& target, TClipOperation o) override
    {
        source = s;
        op = o;
        TQvStringGrid::ClipboardCellsPasted(s, target, o);
    }
};

struct Grid : grid::test::PlainShownGrid<RecordingGrid> {
    Grid(int cols, int rows) : PlainShownGrid(cols, rows) { g.SetOptions(g.Options() | goEditing | goRangeSelect); }
    void select(int l, int t, int r, int b) { g.SetSelection({l, t, r, b}); }
};

TEST(GridClipboardCopy, TextFormOfCellsAndRanges)
{
    Grid g(2, 2);
    g.setRow(0, {"a", "b"});
    g.setRow(1, {"c", "d"});
    g.select(0, 0, 0, 0);
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("a"));
    g.select(0, 0, 1, 1);
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(g.g.ClipLastOp, coCopy);
    EXPECT_EQ(g.g.ClipTopLeft, (TPoint{0, 0}));
}

TEST(GridClipboardCopy, TwoLineCellIsQuotedWithOneLfAndTagsStripWhenAsked)
{
    Grid g(1, 1);
    g.g.SetCells(0, 0, QStringLiteral("x\r\ny"));
    g.select(0, 0, 0, 0);
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("\"x\ny\""));
    g.g.SetCells(0, 0, QStringLiteral("<b>x</b>"));
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("<b>x</b>"));
    g.g.Navigation().SetCopyHTMLTagsToClipboard(false);
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("x"));
}

TEST(GridClipboardCut, EmptiesCellsAsOneUndoStep)
{
    Grid g(2, 2);
    VOreRizeZuvuZira undo;
    g.g.SetUndoRedo(&undo);
    g.setRow(0, {"a", "b"});
    g.setRow(1, {"c", "d"});
    g.select(0, 0, 1, 1);
    g.g.CutSelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(g.row(0), QStringList({"", ""}));
    EXPECT_EQ(g.g.ClipLastOp, coCut);
    undo.Undo();
    EXPECT_EQ(g.row(0), QStringList({"a", "b"}));
    EXPECT_EQ(g.row(1), QStringList({"c", "d"}));
}

TEST(GridClipboardCut, PrivateFormatCarriesCellsAndSameGridPasteHandsOnTheCut)
{
    Grid g(3, 3);
    g.g.Navigation().SetAllowFmtClipboard(true);
    g.setRow(0, {"a", "b", ""});
    g.g.AddCheckBox(0, 0, true, false);
    ASSERT_TRUE(g.g.CellHasProperties(0, 0));
    g.select(0, 0, 1, 0);
    g.g.CutSelectionToClipboard();
    EXPECT_FALSE(g.g.CellHasProperties(0, 0));
    EXPECT_TRUE(platform::clipboardHas(gridCellsClipboardMime()));

    Grid other(3, 3);
    other.g.Navigation().SetAllowFmtClipboard(true);
    other.select(1, 1, 1, 1);
    other.g.PasteSelectionFromClipboard();
    EXPECT_EQ(other.g.Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(other.g.Cells(2, 1), QStringLiteral("b"));
    EXPECT_TRUE(other.g.CellHasProperties(1, 1));
    EXPECT_EQ(other.g.source, (TPoint{-1, -1}));

    g.select(0, 2, 0, 2);
    g.g.PasteSelectionFromClipboard();
    EXPECT_EQ(g.g.Cells(0, 2), QStringLiteral("a"));
    EXPECT_EQ(g.g.source, (TPoint{0, 0}));
    EXPECT_EQ(g.g.op, coCut);
}

TEST(GridClipboardHtml, PlacesTheTableAndTheWrappedFragment)
{
    Grid g(1, 1);
    g.g.SetCells(0, 0, QStringLiteral("caf\u00e9"));
    g.g.CopyToClipBoardAsHTML();
    const QByteArray wrapped = platform::clipboardData(platform::kClipboardHtmlFormatMime);
    const int start = wrapped.mid(wrapped.indexOf("StartFragment:") + 14, 10).toInt();
    const int end = wrapped.mid(wrapped.indexOf("EndFragment:") + 12, 10).toInt();
    const QByteArray fragment = wrapped.mid(start, end - start);
    EXPECT_TRUE(fragment.contains("caf\xe9")) << fragment.constData();
    EXPECT_TRUE(platform::clipboardHas(platform::kClipboardHtmlMime));
}

struct PasteCase {
    const char* text;
    int fields, rows, cols;
};

class GridPasteText : public ::testing::TestWithParam<PasteCase> {};

TEST_P(GridPasteText, ReportsFieldsRowsAndColumns)
{
    const PasteCase& c = GetParam();
    Grid g(4, 4);
    const TQvStringGrid::TPasteResult res = g.g.PasteTextBlock(1, 1, QString::fromUtf8(c.text));
    EXPECT_EQ(res.Fields, c.fields);
    EXPECT_EQ(res.Rows, c.rows);
    EXPECT_EQ(res.Cols, c.cols);
    EXPECT_EQ(g.row(1), QStringList({"", "a", "b", ""}));
    EXPECT_EQ(g.row(2), QStringList({"", "c", "d", ""}));
}

INSTANTIATE_TEST_SUITE_P(Texts, GridPasteText,
                         ::testing::Values(PasteCase{"a\tb\r\nc\td\r\n", 5, 3, 1}, PasteCase{"a\tb\r\nc\td", 4, 2, 2}));

TEST(GridPaste, SpreadsheetTextLandsCellForCell)
{
    Grid g(3, 1);
    platform::setClipboard({QStringLiteral("x\t\"two\nlines\"\r\ny\tz\r\n"), {}});
    g.select(0, 0, 0, 0);
    g.g.PasteSelectionFromClipboard();
    EXPECT_EQ(g.g.RowCount(), 2);
    EXPECT_EQ(g.row(0), QStringList({"x", "two\nlines", ""}));
    EXPECT_EQ(g.row(1), QStringList({"y", "z", ""}));
}

TEST(GridPaste, InsertMovesRowsAndGrowthOffDropsOutsideFields)
{
    Grid g(2, 2);
    g.setRow(0, {"keep", ""});
    g.g.Navigation().SetClipboardPasteAction(paInsert);
    g.g.PasteTextBlock(0, 0, QStringLiteral("1\r\n2\r\n3"));
    EXPECT_EQ(g.g.Cells(0, 3), QStringLiteral("keep"));
    EXPECT_EQ(g.g.Cells(0, 2), QStringLiteral("3"));

    Grid h(2, 2);
    h.g.Navigation().SetAllowClipboardColGrow(false);
    h.g.Navigation().SetAllowClipboardRowGrow(false);
    h.g.PasteTextBlock(1, 1, QStringLiteral("a\tb\r\nc"));
    EXPECT_EQ(h.g.ColCount(), 2);
    EXPECT_EQ(h.g.RowCount(), 2);
    EXPECT_EQ(h.g.Cells(1, 1), QStringLiteral("a"));
}

TEST(GridSelectionText, ThreeLinesFromTheLastRowAddTwoRows)
{
    Grid g(1, 2);
    g.select(0, 1, 0, 1);
    g.g.SetSelectionAsText(QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(g.g.RowCount(), 4);
    EXPECT_EQ(g.g.Cells(0, 3), QStringLiteral("c"));
}

struct FillCase {
    QStringList copied;
    QStringList expected;
};

class GridSmartFill : public ::testing::TestWithParam<FillCase> {};

TEST_P(GridSmartFill, FillsTheOneColumnSelection)
{
    const grid::test::DefaultLocale locale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const FillCase& c = GetParam();
    Grid g(1, int(c.expected.size()));
    g.g.Navigation().SetAllowSmartClipboard(true);
    platform::setClipboard({c.copied.join(QStringLiteral("\r\n")), {}});
    g.select(0, 0, 0, int(c.expected.size()) - 1);
    g.g.PasteSelectionFromClipboard();
    QStringList got;
    for (int r = 0; r < g.g.RowCount(); ++r)
        got << g.g.Cells(0, r);
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Series, GridSmartFill,
    ::testing::Values(FillCase{{"x"}, QStringList(10, QStringLiteral("x"))},
                      FillCase{{"1", "3"}, {"1", "3", "5", "7", "9"}},
                      FillCase{{"1.5", "2"}, {"1.50", "2.00", "2.50"}},
                      FillCase{{"15/01/2024", "15/02/2024"}, {"15/01/2024", "15/02/2024", "15/03/2024", "15/04/2024"}}));

TEST(GridClipboardKeys, CtrlCCopiesAndCtrlVPastesWhenShortcutsAreOn)
{
    Grid g(2, 2);
    g.setRow(0, {"a", "b"});
    g.g.Navigation().SetAllowClipboardShortCuts(true);
    g.g.setFocus();
    g.g.FocusCell(0, 0, true);
    g.select(0, 0, 0, 0);
    QTest::keyClick(&g.g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("a"));
    g.select(1, 1, 1, 1);
    QTest::keyClick(&g.g, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.g.Cells(1, 1), QStringLiteral("a"));
    bool refuse = false;
    g.g.OnClipboardCut = [&](QObject*, bool& allow) { allow = refuse; };
    g.select(1, 0, 1, 0);
    QTest::keyClick(&g.g, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(g.g.Cells(1, 0), QStringLiteral("b"));
}

} // namespace
