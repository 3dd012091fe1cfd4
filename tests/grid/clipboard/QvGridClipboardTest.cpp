// Copy, cut, paste and series fill through the offscreen platform's real clipboard.

#include "grid/QvGrid.h"
#include "grid/clipboard/ClipboardText.h"

#include "grid/support/GridTestHelpers.h"
#include "grid/support/HtmlParser.h"
#include "grid/support/RectRecord.h"
#include "platform/Clipboard.h"
#include "platform/ComponentStream.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace grid;

namespace {

// Records what the paste hooks receive.
class RecordingGrid : public TQvStringGrid {
public:
    TPoint source{-2, -2};
    TClipOperation op = coCopy;
    int begun = 0, ended = 0;
    void BeginClipboardPaste() override { ++begun; }
    void EndClipboardPaste() override { ++ended; }
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

// With column 1 hidden, displayed column 1 is real column 2: the cut empties it, the paste fills
// it, the hidden column is never touched, and the undo records name the real column.
TEST(GridClipboardCut, HiddenColumnLeftOfTheRangeIsLeftAlone)
{
    Grid g(4, 2);
    VOreRizeZuvuZira undo;
    g.g.SetUndoRedo(&undo);
    g.setRow(0, {"a", "b", "c", "d"});
    g.setRow(1, {"e", "f", "g", "h"});
    g.g.HideColumn(1);
    g.select(1, 0, 1, 0);
    g.g.CutSelectionToClipboard();
    EXPECT_EQ(g.g.Cells(1, 0), QStringLiteral("b"));
    EXPECT_EQ(g.g.Cells(2, 0), QString());
    ASSERT_EQ(undo.Items().size(), 3u); // start, one cell, stop
    EXPECT_EQ(undo.Items()[1].Col, 2);

    g.select(1, 1, 1, 1);
    g.g.PasteSelectionFromClipboard();
    EXPECT_EQ(g.g.Cells(1, 1), QStringLiteral("f"));
    EXPECT_EQ(g.g.Cells(2, 1), QStringLiteral("c"));
    int lastCol = -1;
    for (const auto& item : undo.Items())
        if (!item.IsMarker())
            lastCol = item.Col;
    EXPECT_EQ(lastCol, 2);
    g.g.SetUndoRedo(nullptr);
}

// Column 1 is not editable; a cut takes it only with AllowClipboardAlways.
struct LimitedCutCase {
    bool always;
    QStringList row0, row1;
};

class GridLimitedCut : public ::testing::TestWithParam<LimitedCutCase> {};

TEST_P(GridLimitedCut, EmptiesTheEditableCellsAndUndoesInOneStep)
{
    const LimitedCutCase& c = GetParam();
    Grid g(3, 2);
    VOreRizeZuvuZira undo;
    g.g.SetUndoRedo(&undo);
    g.g.OnCanEditCell = [](TQvStringGrid*, int, int col, bool& canEdit) { canEdit = col != 1; };
    g.g.Navigation().SetAllowClipboardAlways(c.always);
    g.setRow(0, {"a", "b", "c"});
    g.setRow(1, {"d", "e", "f"});
    g.select(0, 0, 2, 1);
    g.g.CutSelectionToClipboard();
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("a\tb\tc\r\nd\te\tf\r\n"));
    EXPECT_EQ(g.row(0), c.row0);
    EXPECT_EQ(g.row(1), c.row1);
    undo.Undo();
    EXPECT_EQ(g.row(0), QStringList({"a", "b", "c"}));
    EXPECT_EQ(g.row(1), QStringList({"d", "e", "f"}));
    EXPECT_FALSE(undo.CanUndo()) << "the cut was one undo step";
}

INSTANTIATE_TEST_SUITE_P(Editability, GridLimitedCut,
                         ::testing::Values(LimitedCutCase{false, {"", "b", ""}, {"", "e", ""}},
                                           LimitedCutCase{true, {"", "", ""}, {"", "", ""}}));

TEST(GridClipboardCut, WithThePrivateFormatCutCellsLoseTheirProperties)
{
    Grid g(3, 1);
    g.g.OnCanEditCell = [](TQvStringGrid*, int, int col, bool& canEdit) { canEdit = col != 2; };
    g.setRow(0, {"a", "b", "c"});
    for (int col = 0; col < 3; ++col)
        g.g.GetCellProperties(col, 0)->FBrushColor = platform::clRed;
    g.g.AddCheckBox(1, 0, true, false);
    g.select(0, 0, 2, 0);
    g.g.CutSelectionToClipboard();
    EXPECT_TRUE(g.g.CellHasProperties(0, 0)) << "without the private format the look stays";
    EXPECT_TRUE(g.g.HasCheckBox(1, 0));

    g.setRow(0, {"a", "b", "c"});
    g.g.Navigation().SetAllowFmtClipboard(true);
    g.g.CutSelectionToClipboard();
    EXPECT_FALSE(g.g.CellHasProperties(0, 0));
    EXPECT_FALSE(g.g.CellHasProperties(1, 0));
    EXPECT_FALSE(g.g.HasCheckBox(1, 0));
    // A cell the cut leaves alone keeps its text and its look.
    EXPECT_EQ(g.g.Cells(2, 0), QStringLiteral("c"));
    ASSERT_TRUE(g.g.CellHasProperties(2, 0));
    EXPECT_EQ(g.g.GetCellProperties(2, 0)->FBrushColor, platform::clRed);
}

TEST(GridClipboardCopy, PrivateFormatCarriesColoursCheckBoxesAndMergesToAnotherGrid)
{
    Grid g(3, 3);
    g.g.Navigation().SetAllowFmtClipboard(true);
    g.setRow(0, {"red", "", "x"});
    g.setRow(1, {"merged", "", "y"});
    TCellProperties& p = *g.g.GetCellProperties(0, 0);
    p.FBrushColor = platform::clRed;
    p.FFontColor = platform::clNavy;
    g.g.AddCheckBox(1, 0, true, false);
    g.g.MergeCells(0, 1, 2, 1);
    g.select(0, 0, 1, 1);
    g.g.CopySelectionToClipboard();

    Grid other(4, 4);
    other.g.Navigation().SetAllowFmtClipboard(true);
    other.select(1, 1, 1, 1);
    other.g.PasteSelectionFromClipboard();
    EXPECT_EQ(other.g.Cells(1, 1), QStringLiteral("red"));
    ASSERT_TRUE(other.g.CellHasProperties(1, 1));
    EXPECT_EQ(other.g.GetCellProperties(1, 1)->FBrushColor, platform::clRed);
    EXPECT_EQ(other.g.GetCellProperties(1, 1)->FFontColor, platform::clNavy);
    bool state = false;
    ASSERT_TRUE(other.g.HasCheckBox(2, 1));
    EXPECT_TRUE(other.g.GetCheckBoxState(2, 1, state));
    EXPECT_TRUE(state);
    EXPECT_EQ(other.g.Cells(1, 2), QStringLiteral("merged"));
    EXPECT_TRUE(other.g.IsMergedCell(2, 2));
    EXPECT_EQ(other.g.BaseCell(2, 2), (TPoint{1, 2}));
    EXPECT_EQ(other.g.CellSpan(1, 2), g.g.CellSpan(0, 1));
    EXPECT_EQ(other.g.Cells(3, 1), QString()) << "only the copied range lands";
    EXPECT_EQ(other.g.source, (TPoint{-1, -1})) << "another grid's block has no source origin";
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

// The "HTML Format" header's offsets, read as the clipboard's readers read them.
struct HtmlFormatOffsets {
    int startHtml = -1, endHtml = -1, startFragment = -1, endFragment = -1;
};

HtmlFormatOffsets offsetsOf(const QByteArray& wrapped)
{
    auto field = [&](const char* name) {
        const qsizetype at = wrapped.indexOf(name);
        return at < 0 ? -1 : wrapped.mid(at + qsizetype(qstrlen(name)), 8).toInt();
    };
    return {field("StartHTML:"), field("EndHTML:"), field("StartFragment:"), field("EndFragment:")};
}

struct ClipboardHtmlTest : grid::test::FolderTest {
    // Non-ASCII inside and outside the ANSI code page, and one character beyond 16 bits.
    const QStringList texts{QStringLiteral("caf\u00e9"), QStringLiteral("\u6e29\u5ea6"), QStringLiteral("x\U0001F321y"),
                            QStringLiteral("plain")};
    Grid g{2, 2};
    ClipboardHtmlTest() : FolderTest("clip.html")
    {
        for (int i = 0; i < texts.size(); ++i)
            g.g.SetCells(i % 2, i / 2, texts[i]);
    }
};

TEST_F(ClipboardHtmlTest, TheTableIsReadCellForCellByAnHtmlParser)
{
    if (!grid::test::haveXmllint())
        GTEST_SKIP() << "xmllint not installed";
    g.g.CopyToClipBoardAsHTML();
    put(platform::clipboardData(platform::kClipboardHtmlMime));
    std::vector<grid::test::ExpectedCell> want;
    for (const QString& t : texts)
        want.push_back({t});
    grid::test::expectCells(grid::test::parsedCells(path()), want, "text/html");
}

TEST_F(ClipboardHtmlTest, TheOffsetsPointAtTheFragmentAndTheDocument)
{
    g.g.CopyToClipBoardAsHTML();
    const QByteArray wrapped = platform::clipboardData(platform::kClipboardHtmlFormatMime);
    const HtmlFormatOffsets o = offsetsOf(wrapped);
    // One byte per character in the ANSI code page: the offsets count these bytes.
    const QByteArray fragment = platform::toAnsi(g.g.SaveToHTMLString());
    EXPECT_EQ(o.startHtml, 97);
    EXPECT_EQ(o.endHtml, wrapped.size());
    EXPECT_EQ(wrapped.mid(o.startFragment, o.endFragment - o.startFragment), fragment);
    EXPECT_TRUE(wrapped.mid(o.startHtml).startsWith("<!DOCTYPE"));
    EXPECT_TRUE(wrapped.left(o.startFragment).endsWith("<!--StartFragment-->"));
    EXPECT_TRUE(wrapped.mid(o.endFragment).startsWith("<!--EndFragment-->"));
    EXPECT_TRUE(fragment.contains("caf\xe9"));
    EXPECT_TRUE(fragment.contains(">?"
                                  "?<"))
        << "a character outside the code page is one '?'";
    EXPECT_TRUE(fragment.contains(">x?y<"));
    // The text format holds the same wrapped text, header included.
    EXPECT_EQ(platform::toAnsi(platform::clipboardText()), wrapped);

    if (!grid::test::haveXmllint())
        return;
    // The document the header marks, read in its declared charset.
    put(wrapped.mid(o.startHtml, o.endHtml - o.startHtml));
    std::vector<grid::test::ExpectedCell> want{
        {QStringLiteral("caf\u00e9")}, {QStringLiteral("??")}, {QStringLiteral("x?y")}, {QStringLiteral("plain")}};
    grid::test::expectCells(grid::test::parsedCells(path()), want, "HTML Format");
}

TEST(GridClipboardRichText, TravelsAsEightBitBytesBothWays)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi caf\\'e9 d\u00e9j\u00e0}");
    Grid g(1, 1);
    g.g.Navigation().SetAllowRTFClipboard(true);
    g.g.SetCells(0, 0, rtf);
    g.select(0, 0, 0, 0);
    g.g.CopySelectionToClipboard();
    EXPECT_EQ(platform::clipboardData(platform::kClipboardRtfMime), QByteArray("{\\rtf1\\ansi caf\\'e9 d\xe9j\xe0}"));
    EXPECT_EQ(platform::clipboardText(), QStringLiteral("caf\u00e9 d\u00e9j\u00e0"));

    Grid other(1, 1);
    other.g.Navigation().SetAllowRTFClipboard(true);
    other.select(0, 0, 0, 0);
    other.g.PasteSelectionFromClipboard();
    EXPECT_EQ(other.g.Cells(0, 0), rtf);
}

QString sizeList(int n, const char* size)
{
    return QStringList(n, QLatin1String(size)).join(QLatin1Char(','));
}

struct ForgedCase {
    const char* what;
    int cols, rows, listedCols, listedRows;
};

class GridForeignBlock : public ::testing::TestWithParam<ForgedCase> {};

TEST_P(GridForeignBlock, IsRefusedBeforeTheGridGrows)
{
    const ForgedCase& c = GetParam();
    Grid g(2, 2);
    g.g.Navigation().SetAllowFmtClipboard(true);
    // A cell block that claims more than it holds, as another process might place it.
    const QByteArray block =
        grid::test::rectRecord(c.cols, c.rows, sizeList(c.listedCols, "64"), sizeList(c.listedRows, "20"), false);
    platform::setClipboard({QStringLiteral("text"), {{gridCellsClipboardMime(), block}}});
    g.select(0, 0, 0, 0);
    EXPECT_THROW(g.g.PasteSelectionFromClipboard(), platform::EReadError) << c.what;
    EXPECT_EQ(g.g.ColCount(), 2) << c.what;
    EXPECT_EQ(g.g.RowCount(), 2) << c.what;
    EXPECT_EQ(g.row(0), QStringList({"", ""})) << c.what;
    EXPECT_EQ(g.g.begun, 1) << c.what;
    EXPECT_EQ(g.g.ended, 1) << "the paste hooks stay paired: " << c.what;
}

INSTANTIATE_TEST_SUITE_P(Claims, GridForeignBlock,
                         ::testing::Values(ForgedCase{"columns beyond the width list", 100000000, 1, 1, 1},
                                           ForgedCase{"rows beyond the height list", 1, 100000000, 1, 1},
                                           ForgedCase{"more cells than the block has bytes", 3000, 3000, 3000, 3000},
                                           ForgedCase{"a negative count", -1, 1, 0, 1}));

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

// The empty line after a final line break counts as a field and a row, but holds no column: a
// two-column block copied with its line breaks still reports two columns (reported as one, the
// selection paste pasted it again beside itself, over cells outside the selection).
INSTANTIATE_TEST_SUITE_P(Texts, GridPasteText,
                         ::testing::Values(PasteCase{"a\tb\r\nc\td\r\n", 5, 3, 2}, PasteCase{"a\tb\r\nc\td", 4, 2, 2}));

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

INSTANTIATE_TEST_SUITE_P(Series, GridSmartFill,
                         ::testing::Values(FillCase{{"x"}, QStringList(10, QStringLiteral("x"))},
                                           FillCase{{"1", "3"}, {"1", "3", "5", "7", "9"}},
                                           FillCase{{"1.5", "2"}, {"1.50", "2.00", "2.50"}},
                                           FillCase{{"15/01/2024", "15/02/2024"},
                                                    {"15/01/2024", "15/02/2024", "15/03/2024", "15/04/2024"}}));

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

// The clipboard holds "p" and cell (0, 0) "a" before the key.
struct ClipKeyCase {
    const char* what;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* clipboardAfter;
    const char* cellAfter;
};

class GridClipboardKey : public ::testing::TestWithParam<ClipKeyCase> {};

TEST_P(GridClipboardKey, CopiesPastesOrCuts)
{
    const ClipKeyCase& c = GetParam();
    Grid g(2, 2);
    g.g.SetCells(0, 0, QStringLiteral("a"));
    g.g.Navigation().SetAllowClipboardShortCuts(true);
    g.g.setFocus();
    g.g.FocusCell(0, 0, true);
    g.select(0, 0, 0, 0);
    platform::setClipboard({QStringLiteral("p"), {}});
    QTest::keyClick(&g.g, c.key, c.mods);
    EXPECT_EQ(platform::clipboardText(), QLatin1String(c.clipboardAfter)) << c.what;
    EXPECT_EQ(g.g.Cells(0, 0), QLatin1String(c.cellAfter)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Keys, GridClipboardKey,
                         ::testing::Values(ClipKeyCase{"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "a", "a"},
                                           ClipKeyCase{"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier, "a", "a"},
                                           ClipKeyCase{"Ctrl+Shift+Insert", Qt::Key_Insert,
                                                       Qt::ControlModifier | Qt::ShiftModifier, "a", "a"},
                                           ClipKeyCase{"Ctrl+V", Qt::Key_V, Qt::ControlModifier, "p", "p"},
                                           ClipKeyCase{"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, "p", "p"},
                                           ClipKeyCase{"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "a", ""},
                                           ClipKeyCase{"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, "a", ""}));

} // namespace
