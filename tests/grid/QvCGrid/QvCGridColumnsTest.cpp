// The column grid's column definitions: one per real column, following every change of the grid,
// and the headers in row zero.

#include "grid/QvCGrid.h"
#include "grid/support/LineEditLink.h"
#include "support/TestSupport.h"

#include "grid/QvCGrid/ColumnNames.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <optional>

using namespace grid;

// ---- one definition per real column ------------------------------------------------------------

TEST(QvCGridColumns, CountFollowsEveryStructuralChange)
{
    struct Step {
        const char* what;
        std::function<void(TQvColumnGrid&)> op;
        int colCount;
        int hidden;
    };
    const Step steps[] = {
        {"new grid", [](TQvColumnGrid&) {}, 5, 0},
        {"ColCount 8", [](TQvColumnGrid& g) { g.SetColCount(8); }, 8, 0},
        {"insert 3 at 2", [](TQvColumnGrid& g) { g.InsertCols(2, 3); }, 11, 0},
        {"remove 2 at 1", [](TQvColumnGrid& g) { g.RemoveCols(1, 2); }, 9, 0},
        {"remove past the end", [](TQvColumnGrid& g) { g.RemoveCols(7, 5); }, 7, 0},
        {"hide 3", [](TQvColumnGrid& g) { g.HideColumn(3); }, 6, 1},
        {"hide 5", [](TQvColumnGrid& g) { g.HideColumn(5); }, 5, 2},
        {"ColCount 5 with two hidden", [](TQvColumnGrid& g) { g.SetColCount(5); }, 5, 2},
        {"unhide 3", [](TQvColumnGrid& g) { g.UnHideColumn(3); }, 6, 1},
        {"move 1 to 4", [](TQvColumnGrid& g) { g.MoveColumn(1, 4); }, 6, 1},
        {"unhide all", [](TQvColumnGrid& g) { g.UnHideColumnsAll(); }, 7, 0},
        {"definition added", [](TQvColumnGrid& g) { g.Columns().Add(); }, 8, 0},
        {"definition deleted", [](TQvColumnGrid& g) { g.Columns().Delete(0); }, 7, 0},
        {"insert at the end", [](TQvColumnGrid& g) { g.InsertCols(7, 2); }, 9, 0},
        {"ColCount 2", [](TQvColumnGrid& g) { g.SetColCount(2); }, 2, 0},
    };
    TQvColumnGrid g;
    for (const Step& s : steps) {
        s.op(g);
        SCOPED_TRACE(s.what);
        EXPECT_EQ(g.ColCount(), s.colCount);
        EXPECT_EQ(g.NumHiddenColumns(), s.hidden);
        EXPECT_EQ(g.Columns().Count(), g.ColCount() + g.NumHiddenColumns());
    }
}

TEST(QvCGridColumns, InsertAndRemoveCarryTextsAndDefinitions)
{
    TQvColumnGrid g;
    nameColumns(g);
    for (int c = 0; c < 5; ++c)
        g.SetCells(c, 2, QStringLiteral("t%1").arg(c));
    g.SetColWidths(3, 90);

    g.InsertCols(2, 2);
    EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "", "", "c2", "c3", "c4"}));
    const QStringList afterInsert{"t0", "t1", "", "", "t2", "t3", "t4"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(g.Cells(c, 2), afterInsert[c]) << c;
    EXPECT_EQ(g.ColWidths(5), 90);
    EXPECT_EQ(g.ColWidths(2), g.DefaultColWidth());

    g.RemoveCols(1, 3);
    EXPECT_EQ(columnNames(g), (QStringList{"c0", "c2", "c3", "c4"}));
    const QStringList afterRemove{"t0", "t2", "t3", "t4"};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.Cells(c, 2), afterRemove[c]) << c;
    // Texts of removed columns do not come back when the grid grows again.
    g.SetColCount(7);
    for (int c = 4; c < 7; ++c)
        EXPECT_EQ(g.Cells(c, 2), QString()) << c;
}

TEST(QvCGridColumns, HiddenColumnsKeepTheirCellsThroughInsertAndRemove)
{
    TQvColumnGrid g;
    g.SetColCount(6);
    nameColumns(g);
    for (int c = 0; c < 6; ++c)
        g.SetCells(c, 2, QStringLiteral("t%1").arg(c));
    g.HideColumn(4);
    g.InsertCols(1, 2);
    EXPECT_TRUE(g.IsHiddenColumn(6));
    EXPECT_FALSE(g.IsHiddenColumn(4));
    EXPECT_EQ(g.Cells(6, 2), "t4");
    EXPECT_EQ(g.Columns()[6].Name(), "c4");
    EXPECT_EQ(g.Columns().Count(), g.ColCount() + g.NumHiddenColumns());
    g.RemoveCols(0, 3);
    EXPECT_TRUE(g.IsHiddenColumn(3));
    EXPECT_EQ(g.Cells(3, 2), "t4");
    EXPECT_EQ(columnNames(g), (QStringList{"c1", "c2", "c3", "c4", "c5"}));
    // Removing the hidden column itself.
    g.RemoveCols(3, 1);
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(columnNames(g), (QStringList{"c1", "c2", "c3", "c5"}));
    EXPECT_EQ(g.Cells(3, 2), "t5");
}

TEST(QvCGridColumns, MovedColumnTakesItsDefinition)
{
    TQvColumnGrid g;
    g.SetColCount(7);
    nameColumns(g);
    g.Columns()[2].SetColumnPopupType(cpAllCellsLClick);
    std::optional<std::pair<int, int>> reported;
    g.OnAfterColumnMoved = [&](TQvStringGrid*, int from, int to) { reported = {from, to}; };
    g.MoveColumn(2, 5);
    ASSERT_TRUE(reported);
    EXPECT_EQ(*reported, std::make_pair(2, 5));
    EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "c3", "c4", "c5", "c2", "c6"}));
    EXPECT_EQ(g.Columns()[5].ColumnPopupType(), cpAllCellsLClick);
}

// A definition knows its place without searching the collection; the place must follow every
// change of the order (insert, delete, move, add, a whole new set).
TEST(QvCGridColumns, IndexFollowsEveryChangeOfTheOrder)
{
    TQvColumnGrid g;
    g.SetColCount(6);
    TGridColumnCollection& cols = g.Columns();
    const auto expectInPlace = [&](const char* what) {
        for (int i = 0; i < cols.Count(); ++i) {
            EXPECT_EQ(cols[i].Index(), i) << what;
            EXPECT_EQ(cols.IndexOf(&cols[i]), i) << what;
        }
    };
    expectInPlace("created");
    cols[2].SetName("moved");
    g.MoveColumn(2, 5);
    expectInPlace("moved");
    EXPECT_EQ(cols[5].Name(), "moved");
    cols.Insert(1);
    expectInPlace("inserted");
    cols.Delete(0);
    expectInPlace("deleted");
    cols.Add();
    expectInPlace("added");
    TQvColumnGrid other;
    other.SetColCount(3);
    TGridColumnItem& foreign = other.Columns()[1];
    EXPECT_EQ(cols.IndexOf(&foreign), -1);
    cols.Assign(other.Columns());
    expectInPlace("assigned");
    EXPECT_EQ(cols.Count(), 3);
}

TEST(QvCGridColumns, AddCopiesTheVisualsOfThePreviousColumn)
{
    TQvColumnGrid g;
    g.SetColCount(3);
    TGridColumnItem& prev = g.Columns()[2];
    prev.SetAlignment(taRightJustify);
    prev.SetEditor(edComboList);
    prev.SetReadOnly(true);
    prev.SetCheckTrue("J");
    prev.SetCheckFalse("Nein");
    prev.SetHeader("Header");
    prev.SetComboItems({"a", "b"});
    prev.SetName("third");
    prev.SetColor(0x123456);
    prev.SetFont({"Courier", 12, fsBold, 0x0000FF});
    TFont gridFont{"Verdana", 9, 0, 0};
    g.SetFont(gridFont);
    g.SetColor(0x00FFEE);

    TGridColumnItem* added = g.Columns().Add();
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(added->Index(), 3);
    EXPECT_EQ(added->Alignment(), taRightJustify);
    EXPECT_EQ(added->Editor(), edComboList);
    EXPECT_TRUE(added->ReadOnly());
    EXPECT_EQ(added->CheckTrue(), "J");
    EXPECT_EQ(added->CheckFalse(), "Nein");
    EXPECT_EQ(added->Font(), gridFont);
    EXPECT_EQ(added->Color(), TColor(0x00FFEE));
    EXPECT_EQ(added->Header(), QString());
    EXPECT_TRUE(added->ComboItems().isEmpty());
    EXPECT_EQ(added->Name(), QString());

    // Insert gives plain defaults, no copy of a neighbour.
    TGridColumnItem* inserted = g.Columns().Insert(1);
    EXPECT_EQ(inserted->Alignment(), taLeftJustify);
    EXPECT_EQ(inserted->Editor(), edNormal);
    EXPECT_EQ(inserted->CheckTrue(), "Y");
}

TEST(QvCGridColumns, DefinitionDefaultsAndDisplayName)
{
    TQvColumnGrid g;
    const TGridColumnItem& c = g.Columns()[3];
    EXPECT_EQ(c.CheckTrue(), "Y");
    EXPECT_EQ(c.CheckFalse(), "N");
    EXPECT_EQ(c.DropDownCount(), 8);
    EXPECT_EQ(c.SpinStep(), 1);
    EXPECT_EQ(c.PrintColor(), TColor(0xFFFFFF));
    EXPECT_EQ(c.BorderPen().Color, TColor(0xC0C0C0));
    EXPECT_EQ(c.PrintBorders(), TCellBorders(cbTop | cbLeft | cbRight | cbBottom));
    EXPECT_TRUE(c.PrintFontCustom());
    EXPECT_TRUE(c.PrintBorderCustom());
    EXPECT_EQ(c.Color(), g.Color());
    EXPECT_EQ(c.Font(), g.Font());
    EXPECT_EQ(c.Width(), g.ColWidths(3));
    EXPECT_EQ(c.GetDisplayName(), "Column 3");
    g.Columns()[3].SetName("Speed");
    EXPECT_EQ(c.GetDisplayName(), "Col 3: Speed");
    EXPECT_EQ(g.GetColumnByName("Speed"), &g.Columns()[3]);
    EXPECT_EQ(g.GetColumnByName("speed"), nullptr);
    EXPECT_THROW(g.Columns().GetItem(5), EListError);

    TGridColumnItem loose;
    EXPECT_EQ(loose.Color(), TColor(0));
    EXPECT_EQ(loose.Width(), 0);
    EXPECT_EQ(g.GetVersionNr(), 0x03010301u);
    EXPECT_EQ(g.GetVersionString(), "3.1.3.1 Aug, 2012");
}

TEST(QvCGridColumns, WidthWritesTheGridColumn)
{
    TQvColumnGrid g;
    g.Columns()[2].SetWidth(120);
    EXPECT_EQ(g.ColWidths(2), 120);
    g.SetColWidths(2, 77);
    EXPECT_EQ(g.Columns()[2].Width(), 77);
}

// ---- headers -------------------------------------------------------------------------------------

TEST(QvCGridHeaders, HeaderWriteLandsInRowZero)
{
    struct Case {
        int fixedRows;
        QString row0;
    };
    for (const Case& c : {Case{1, "Name"}, Case{0, "old"}}) {
        TQvColumnGrid g;
        g.SetCells(2, 0, "old");
        g.SetFixedRows(c.fixedRows);
        g.Columns()[1].SetHeader("First");
        g.Columns()[2].SetHeader("Name");
        SCOPED_TRACE(c.fixedRows);
        EXPECT_EQ(g.Cells(2, 0), c.row0);
        EXPECT_EQ(g.Columns()[2].Header(), "Name");
        EXPECT_EQ(g.ColumnHeaders(), (QStringList{"", "First", "Name", "", ""}));
    }
}

TEST(QvCGridHeaders, RebuildTakesRowZeroForEmptyHeaders)
{
    TQvColumnGrid g;
    g.SetCells(3, 0, "from cell");
    g.Columns()[1].SetHeader("set");
    g.RebuildColumnHeaders();
    EXPECT_EQ(g.Columns()[3].Header(), "from cell");
    EXPECT_EQ(g.ColumnHeaders(), (QStringList{"", "set", "", "from cell", ""}));
}

TEST(QvCGridHeaders, DefinitionsFollowTheGridsHeaderList)
{
    TQvColumnGrid g;
    g.SetColumnHeaders({"Index", "Name", "Length"});
    EXPECT_EQ(g.Columns()[1].Header(), "Name");
    EXPECT_EQ(g.Columns()[2].Header(), "Length");
    EXPECT_EQ(g.Cells(2, 0), "Length");
}
