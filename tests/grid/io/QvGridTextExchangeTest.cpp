// Plain-text and fixed-width exchange: columns padded and aligned, multi-line cells on extra
// lines, widths measured or given, columns read from start positions.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace grid;
using grid::test::errorOf;
using grid::test::ShownGrid;

namespace {

struct TextGrid : grid::test::PlainShownGrid<TQvStringGrid> {
    using PlainShownGrid::PlainShownGrid;
    void set(const QList<QStringList>& rows)
    {
        for (int r = 0; r < rows.size(); ++r)
            setRow(r, rows[r]);
    }
};

struct TextExchangeTest : grid::test::FolderTest {
    TextExchangeTest() : FolderTest("grid.txt") {}
};

TEST_F(TextExchangeTest, ARightAlignedTextFillsItsWidthFromTheLeft)
{
    TextGrid t(1, 2);
    t.set({{"abcde"}, {"abc"}});
    t.g.SetDefaultAlignment(taRightJustify);
    t.g.SaveToASCII(path());
    EXPECT_EQ(bytes(), QByteArray("abcde \r\n  abc \r\n"));
    t.g.SetDefaultAlignment(taCenter);
    t.g.SaveToASCII(path());
    EXPECT_EQ(bytes(), QByteArray("abcde \r\n abc  \r\n")) << "a blank on each side until the width is reached";
}

TEST_F(TextExchangeTest, ALongCellKeepsTheColumnsAligned)
{
    TextGrid t(3, 2);
    const QString wide(300, QLatin1Char('w'));
    t.set({{wide, "b", "c"}, {"a", "bb", "cc"}});
    t.g.SaveToASCII(path());
    const QList<QByteArray> lines = bytes().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].indexOf('b'), 301);
    EXPECT_EQ(lines[1].indexOf('b'), 301);
    EXPECT_EQ(lines[0].indexOf('c'), 304);
    EXPECT_EQ(lines[1].indexOf('c'), 304);
}

TEST_F(TextExchangeTest, FurtherLinesOfACellGoBelowAtItsColumn)
{
    ShownGrid<TQvStringGrid> s(3, 2);
    s.g.SetFixedRows(0);
    s.g.SaveFixedCells = false; // the fixed column 0 is not exported
    s.g.PaintSettings().Multilinecells = true;
    s.g.SetCells(0, 0, QStringLiteral("fixed"));
    s.g.SetCells(1, 0, QStringLiteral("ab"));
    s.g.SetCells(2, 0, QStringLiteral("x\r\ny"));
    s.g.SetCells(1, 1, QStringLiteral("c"));
    s.g.SaveToASCII(path());
    EXPECT_EQ(bytes(), QByteArray("ab x \r\n   y \r\nc    \r\n"));
}

TEST_F(TextExchangeTest, UnicodeAppendAndTheCursor)
{
    TextGrid t(1, 1);
    t.set({{QStringLiteral("\u20ac")}});
    t.g.AppendToASCII(path("new.txt"), true);
    EXPECT_EQ(bytes("new.txt"), QByteArray("\xFF\xFE\xAC\x20 \0\r\0\n\0", 10)) << "a missing file counts as empty";
    put("first\r\n");
    t.g.AppendToASCII(path());
    EXPECT_EQ(bytes(), QByteArray("first\r\n\x80 \r\n"));
    EXPECT_NE(errorOf([&] { t.g.SaveToASCII(path("nofolder/x.txt")); }), QStringLiteral("no error"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the hourglass is gone after a failure";
}

TEST_F(TextExchangeTest, FixedWidthMeasuresTheColumnsWithoutAWidth)
{
    TextGrid t(2, 2);
    t.set({{"abc", "d"}, {"a", "defg"}});
    TIntList widths(-1, -1);
    t.g.SaveToFixed(path(), widths);
    EXPECT_EQ(bytes(), QByteArray("abc d    \r\na   defg \r\n"));
    ASSERT_EQ(widths.Count(), 2);
    EXPECT_EQ(widths.GetInteger(0), 4);
    EXPECT_EQ(widths.GetInteger(1), 5);

    TIntList cut(-1, -1);
    cut.Add(2);
    cut.Add(2);
    t.g.SaveToFixed(path(), cut);
    EXPECT_EQ(bytes(), QByteArray("abd \r\na de\r\n"));
    EXPECT_EQ(t.g.ColCount(), 2);
}

TEST_F(TextExchangeTest, FixedWidthReadsColumnsFromStartPositions)
{
    put("abcdefgh\r\n1234567890\r\nlast\r\n");
    TextGrid t(1, 1);
    TIntList positions(-1, -1);
    for (int p : {9, 1, 5})
        positions.Add(p);
    t.g.LoadFromFixed(path(), positions, true, -1);
    EXPECT_EQ(positions.StrValue(), QStringLiteral("1,5,9")) << "the caller's list is sorted";
    ASSERT_EQ(t.g.RowCount(), 3);
    EXPECT_EQ(t.g.Cells(0, 0), QStringLiteral("abcd"));
    EXPECT_EQ(t.g.Cells(1, 0), QStringLiteral("efgh"));
    EXPECT_EQ(t.g.Cells(0, 1), QStringLiteral("1234"));
    EXPECT_EQ(t.g.Cells(1, 1), QStringLiteral("5678"));
    EXPECT_EQ(t.g.Cells(1, 2), QString());

    TextGrid one(1, 1);
    one.g.LoadFromFixed(path(), positions, true, 0);
    EXPECT_EQ(one.g.RowCount(), 1) << "MaxRows 0 still reads one line";
    EXPECT_EQ(one.g.Cells(0, 0), QStringLiteral("abcd"));
}

TEST_F(TextExchangeTest, FixedWidthFailures)
{
    TextGrid t(1, 1);
    TIntList positions(-1, -1);
    const QString missing = path("missing.txt");
    EXPECT_EQ(errorOf([&] { t.g.LoadFromFixed(missing, positions); }),
              QStringLiteral("File ") + missing + QStringLiteral(" not found"));
    const QString blocked = path("nofolder/x.txt");
    EXPECT_EQ(errorOf([&] { t.g.SaveToFixed(blocked, positions); }), QStringLiteral("Cannot Create file ") + blocked);
}

} // namespace
