#include "grid/QvCGrid.h"
#include "grid/support/LineEditLink.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <optional>

using namespace grid;

namespace {

QStringList columnNames(const TQvColumnGrid& g)
{
    QStringList names;
    for (int i = 0; i < g.Columns().Count(); ++i)
        names << g.Columns()[i].Name();
    return names;
}

void nameColumns(TQvColumnGrid& g)
{
    for (int i = 0; i < g.Columns().Count(); ++i)
        g.Columns()[i].SetName(QStringLiteral("c%1").arg(i));
}

} // namespace

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

// ---- per-cell hooks ------------------------------------------------------------------------------

TEST(QvCGridHooks, CanEditCellMatrix)
{
    enum Event { none, setTrue, setFalse };
    TQvColumnGrid g;
    for (bool ro : {false, true})
        for (bool fixed : {false, true})
            for (bool mark : {false, true})
                for (Event ev : {none, setTrue, setFalse}) {
                    g.Columns()[2].SetReadOnly(ro);
                    g.Columns()[2].SetFixed(fixed);
                    g.SetReadOnly(2, 3, mark);
                    std::optional<std::pair<int, int>> asked;
                    g.OnCanEditCell = [&](TQvStringGrid*, int row, int col, bool& can) {
                        asked = {row, col};
                        if (ev != none)
                            can = ev == setTrue;
                    };
                    bool can = true;
                    g.CanEditCell(2, 3, can);
                    const bool expected = ev == none ? !(ro || fixed || mark) : ev == setTrue;
                    SCOPED_TRACE(testing::Message() << "ro " << ro << " fixed " << fixed << " mark " << mark
                                                    << " event " << ev);
                    EXPECT_EQ(can, expected);
                    ASSERT_TRUE(asked);
                    EXPECT_EQ(*asked, std::make_pair(3, 2)); // row first
                }
}

TEST(QvCGridHooks, FixedCellsAndMergedCellsInCanEdit)
{
    TQvColumnGrid g;
    g.OnCanEditCell = nullptr;
    bool can = true;
    g.CanEditCell(2, 0, can); // header row
    EXPECT_FALSE(can);
    can = true;
    g.CanEditCell(0, 3, can); // fixed column
    EXPECT_FALSE(can);
    // Editable without the grid's editing option.
    EXPECT_FALSE(g.HasOption(goEditing));
    can = false;
    g.CanEditCell(3, 3, can);
    EXPECT_TRUE(can);
    // The event hears of the merge's base cell.
    g.MergeCells(2, 2, 2, 2);
    std::pair<int, int> asked{-1, -1};
    g.OnCanEditCell = [&](TQvStringGrid*, int row, int col, bool&) { asked = {row, col}; };
    g.CanEditCell(3, 3, can);
    EXPECT_EQ(asked, std::make_pair(2, 2));
}

TEST(QvCGridHooks, FixedColumnIsPaintedInFixedColorAndIsFixed)
{
    TQvColumnGrid g;
    g.SetFixedColor(0x0000AA);
    g.Columns()[2].SetFixed(true);
    g.Columns()[3].SetColor(0x00BB00);
    TBrush brush;
    TFont font;
    g.GetCellColor(2, 3, 0, brush, font);
    EXPECT_EQ(brush.Color, TColor(0x0000AA));
    g.GetCellColor(3, 3, 0, brush, font);
    EXPECT_EQ(brush.Color, TColor(0x00BB00));
    g.SetColors(3, 4, 0x111111);
    g.GetCellColor(3, 4, 0, brush, font);
    EXPECT_EQ(brush.Color, TColor(0x111111));

    bool fixed = false;
    g.IsFixedCell(2, 3, fixed);
    EXPECT_TRUE(fixed);
    // IsFixedCell gets a displayed column: with column 1 hidden, displayed 1 is real 2.
    g.Columns()[2].SetFixed(false);
    g.Columns()[3].SetFixed(true);
    g.HideColumn(1);
    fixed = false;
    g.IsFixedCell(2, 3, fixed);
    EXPECT_TRUE(fixed);
}

TEST(QvCGridHooks, ColumnAnswersFirstThenTheEvent)
{
    TQvColumnGrid g;
    auto& c = g.Columns()[2];
    c.SetAlignment(taCenter);
    c.SetHeaderAlignment(taRightJustify);
    c.SetPassword(true);
    c.SetSortStyle(ssNumeric);
    c.SetEditor(edSpinEdit);
    c.SetFloatFormat("%.3f");
    c.SetMinSize(30);
    c.SetMaxSize(80);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellAlignment(2, 3, ha, va);
    EXPECT_EQ(ha, taCenter);
    g.GetCellAlignment(2, 0, ha, va);
    EXPECT_EQ(ha, taRightJustify);
    bool pw = false;
    g.IsPasswordCell(2, 0, pw);
    EXPECT_TRUE(pw);
    TSortStyle st = ssAutomatic;
    QString pre, suf;
    g.GetCellFormat(2, st, pre, suf);
    EXPECT_EQ(st, ssNumeric);
    int w = 10;
    g.UpdateColumnSize(2, w);
    EXPECT_EQ(w, 30);
    w = 100;
    g.UpdateColumnSize(2, w);
    EXPECT_EQ(w, 80);

    TEditorType ed = edNormal;
    g.GetCellEditor(2, 3, ed);
    EXPECT_EQ(ed, edSpinEdit);
    EXPECT_EQ(g.FloatFormat, "%.3f"); // taken over and kept
    g.OnGetEditorType = [](TQvStringGrid*, int, int, TEditorType& e) { e = edFloat; };
    g.GetCellEditor(2, 3, ed);
    EXPECT_EQ(ed, edFloat);

    c.SetEditor(edComboList);
    EXPECT_TRUE(g.CellHasComboBox(2, 3));
    EXPECT_FALSE(g.CellHasComboBox(2, 0));
    g.OnHasComboBox = [](TQvStringGrid*, int, int, bool& has) { has = false; };
    EXPECT_FALSE(g.CellHasComboBox(2, 3));
}

TEST(QvCGridHooks, FloatFormatAndTypedColumnAccess)
{
    TQvColumnGrid g;
    g.FloatFormat = "%.2f";
    g.Columns()[3].SetFloatFormat("%.4f");
    EXPECT_EQ(g.GetFloatFormat(3, 1), "%.4f");
    EXPECT_EQ(g.GetFloatFormat(2, 1), "%.2f");
    g.Columns()[2].SetInts(4, 42);
    EXPECT_EQ(g.Cells(2, 4), "42");
    EXPECT_EQ(g.Columns()[2].GetInts(4), 42);
    g.Columns()[2].SetRows(5, "x");
    EXPECT_EQ(g.Columns()[2].GetRows(5), "x");
}

TEST(QvCGridHooks, EditLimitAndMask)
{
    TQvColumnGrid g;
    g.Columns()[2].SetEditLength(0);
    g.Columns()[3].SetEditLength(4);
    g.Columns()[3].SetEditMask("00");
    g.MaxEditLength = 10;
    g.SetCol(2);
    EXPECT_EQ(g.InplaceEditLimit(), 0);
    g.SetCol(3);
    EXPECT_EQ(g.InplaceEditLimit(), 4);
    g.SetCol(0);
    EXPECT_EQ(g.InplaceEditLimit(), 10);
    EXPECT_EQ(g.InplaceEditMask(3, 1), "00");
    g.EditMask = "AAA";
    EXPECT_EQ(g.InplaceEditMask(3, 1), "AAA");
}

TEST(QvCGridHooks, ColumnFilterItems)
{
    TQvColumnGrid g;
    g.FilterDropDownAuto = true;
    g.SetCells(2, 1, "x");
    EXPECT_FALSE(g.GetColumnFilter(2)); // no filter items: no list, whatever was collected
    g.Columns()[2].SetFilter({"Small=<10", "Large=>100", "All"});
    EXPECT_TRUE(g.GetColumnFilter(2));
    EXPECT_EQ(g.FilterList(), (QStringList{"Small", "Large", "All"}));
}

TEST(QvCGridHooks, CellDefaultsComeFromTheColumn)
{
    TQvColumnGrid g;
    g.Columns()[2].SetColor(0x223344);
    g.Columns()[2].SetAlignment(taRightJustify);
    TCellProperties* p = g.GetCellProperties(2, 3);
    EXPECT_EQ(p->BrushColor(), TColor(0x223344));
    EXPECT_EQ(p->Alignment(), taRightJustify);
    EXPECT_EQ(g.GetCellProperties(2, 0)->BrushColor(), clNone); // fixed row keeps no colour
}

// ---- data check boxes ----------------------------------------------------------------------------

TEST(QvCGridCheckBoxes, DataCheckBoxToggles)
{
    TQvColumnGrid g;
    g.Columns()[2].SetEditor(edDataCheckBox);
    std::vector<bool> changes;
    g.OnCheckBoxChange = [&](TQvStringGrid*, int, int, bool state) { changes.push_back(state); };
    struct Step {
        QString before;
        TCheckBoxState stateBefore;
        QString after;
    };
    const Step steps[] = {{"", cbUnchecked, "Y"}, {"Y", cbChecked, "N"}, {"N", cbUnchecked, "Y"}};
    for (const Step& s : steps) {
        EXPECT_EQ(g.Cells(2, 3), s.before);
        TCheckBoxState st = cbGrayed;
        ASSERT_TRUE(g.GetCheckBoxState(2, 3, st));
        EXPECT_EQ(st, s.stateBefore);
        ASSERT_TRUE(g.DoToggleCheckBox(2, 3, true));
        EXPECT_EQ(g.Cells(2, 3), s.after);
    }
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true}));
    g.SetCells(2, 4, "maybe");
    g.ToggleCheckBox(2, 4);
    EXPECT_EQ(g.Cells(2, 4), "Y");

    // Windows read and set the state by real row, hidden rows included.
    g.HideRow(4);
    bool state = false;
    ASSERT_TRUE(g.GetCheckBoxState(2, 4, state));
    EXPECT_TRUE(state);
    ASSERT_TRUE(g.SetCheckBoxState(2, 4, false));
    EXPECT_EQ(g.GetCellsEx(2, 4), "N");
}

TEST(QvCGridCheckBoxes, ReadOnlyColumnRefusesUserToggles)
{
    TQvColumnGrid g;
    g.Columns()[2].SetEditor(edDataCheckBox);
    g.Columns()[2].SetReadOnly(true);
    EXPECT_FALSE(g.DoToggleCheckBox(2, 3, true));
    EXPECT_EQ(g.Cells(2, 3), "");
    EXPECT_TRUE(g.DoToggleCheckBox(2, 3, false)); // the program may still set it
    EXPECT_EQ(g.Cells(2, 3), "Y");
}

TEST(QvCGridCheckBoxes, OnlyInnerNormalCellsShowTheBox)
{
    TQvColumnGrid g;
    g.SetColCount(6);
    g.Columns()[2].SetEditor(edDataCheckBox);
    g.Columns()[5].SetEditor(edDataCheckBox);
    g.SetFixedRightCols(1);
    g.SetFixedFooters(1);
    struct Case {
        int col, row;
        bool box;
    };
    const Case cases[] = {{2, 3, true}, {2, 0, false}, {2, 9, false}, {5, 3, false}, {3, 3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        EXPECT_EQ(g.GetCellType(c.col, c.row) == ctDataCheckBox, c.box);
        const TCellGraphic* gr = g.GetCellGraphic(c.col, c.row);
        EXPECT_EQ(gr != nullptr && gr->FCellType == ctVirtCheckBox, c.box);
    }
    EXPECT_EQ(g.GetCellGraphic(2, 3), g.GetCellGraphic(2, 4)); // one shared graphic
}

TEST(QvCGridCheckBoxes, ColumnCheckTextWinsOverTheEvent)
{
    TQvColumnGrid g;
    g.OnGetCheckTrue = [](TQvStringGrid*, int, int, QString& v) { v = "X"; };
    QString v;
    g.GetCheckTrue(2, 3, v);
    EXPECT_EQ(v, "Y");
    g.GetCheckTrue(2, 0, v); // header cell: the event decides
    EXPECT_EQ(v, "X");
    g.Columns()[2].SetCheckFalse("off");
    g.GetCheckFalse(2, 3, v);
    EXPECT_EQ(v, "off");
}

// ---- column positions in an INI file -----------------------------------------------------------

TEST(QvCGridPositions, RoundTrip)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    TQvColumnGrid a;
    nameColumns(a);
    a.Loaded();
    a.MoveColumn(1, 3);
    ASSERT_EQ(columnNames(a), (QStringList{"c0", "c2", "c3", "c1", "c4"}));
    ASSERT_TRUE(a.SaveColumnPositions(ini, "Grid"));

    TQvColumnGrid b;
    nameColumns(b);
    for (int c = 0; c < 5; ++c)
        b.SetCells(c, 1, b.Columns()[c].Name());
    b.Loaded();
    ASSERT_TRUE(b.LoadColumnPositions(ini, "Grid"));
    EXPECT_EQ(columnNames(b), columnNames(a));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(b.Cells(c, 1), b.Columns()[c].Name()) << c; // texts moved with their definitions
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(b.Columns()[c].DefIdx(), a.Columns()[c].DefIdx()) << c;

    // Through the column-size settings.
    TQvColumnGrid d;
    nameColumns(d);
    d.Loaded();
    d.ColumnSize().SetLocation(clIniFile);
    d.ColumnSize().SetKey(ini);
    d.ColumnSize().SetSection("Grid");
    d.LoadColPositions();
    EXPECT_EQ(columnNames(d), columnNames(a));
}

TEST(QvCGridPositions, BadFilesChangeNothing)
{
    struct Case {
        const char* what;
        std::vector<std::pair<QString, QString>> values;
    };
    const Case cases[] = {
        {"missing position", {{"CP0", "0"}, {"CP1", "1"}}},
        {"duplicate value", {{"CP0", "1"}, {"CP1", "1"}, {"CP2", "0"}}},
        {"all the same", {{"CP0", "0"}, {"CP1", "0"}, {"CP2", "0"}}},
        {"outside the grid", {{"CP0", "0"}, {"CP1", "7"}, {"CP2", "1"}}},
        {"not a number", {{"CP0", "0"}, {"CP1", "x"}, {"CP2", "1"}}},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString ini = dir.filePath("cols.ini");
        {
            QSettings s(ini, QSettings::IniFormat);
            for (const auto& [k, v] : c.values)
                s.setValue("Grid/" + k, v);
        }
        TQvColumnGrid g;
        g.SetColCount(3);
        nameColumns(g);
        g.Loaded();
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(g.LoadColumnPositions(ini, "Grid"));
        EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "c2"}));
    }
}

TEST(QvCGridPositions, ResetOrganizationReachesEveryPermutation)
{
    // Every order of five columns.
    std::vector<int> order{0, 1, 2, 3, 4};
    do {
        TQvColumnGrid g;
        nameColumns(g);
        for (int i = 0; i < 5; ++i)
            g.Columns()[i].SetDefIdx(order[std::size_t(i)]);
        ASSERT_TRUE(g.Columns().ResetOrganization());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(g.Columns()[i].DefIdx(), i);
    } while (std::next_permutation(order.begin(), order.end()));
    // Duplicate default indexes are refused instead of moving for ever.
    TQvColumnGrid g;
    nameColumns(g);
    g.Columns()[0].SetDefIdx(0);
    g.Columns()[1].SetDefIdx(0);
    EXPECT_FALSE(g.Columns().ResetOrganization());
    EXPECT_EQ(columnNames(g), (QStringList{"c0", "c1", "c2", "c3", "c4"}));
}

// ---- cell accessors --------------------------------------------------------------------------------

TEST(QvCGridCells, LookAccessorsCreatePropertiesOnlyWhenWriting)
{
    TQvColumnGrid g;
    EXPECT_EQ(g.GetColors(2, 3), clNone);
    EXPECT_EQ(g.GetFontColors(2, 3), clNone);
    EXPECT_EQ(g.GetAlignments(2, 3), taLeftJustify);
    EXPECT_FALSE(g.CellHasProperties(2, 3));
    g.GetWordWraps(2, 3);
    EXPECT_TRUE(g.CellHasProperties(2, 3));
    g.SetFontSizes(3, 3, 14);
    g.SetFontNames(3, 3, "Arial");
    g.SetAlignments(3, 3, taCenter);
    EXPECT_EQ(g.GetFontSizes(3, 3), 14);
    EXPECT_EQ(g.GetFontNames(3, 3), "Arial");
    EXPECT_EQ(g.GetAlignments(3, 3), taCenter);
    EXPECT_EQ(g.GetLinesInCell(3, 3), 1);
    g.SetCells(3, 3, "a\r\nb\r\nc");
    EXPECT_EQ(g.GetLinesInCell(3, 3), 3);
}

TEST(QvCGridCells, RowColoursAndCheckBoxes)
{
    TQvColumnGrid g;
    g.AddCheckBox(2, 3, cbChecked);
    g.SetRowColor(3, 0x00FF00);
    EXPECT_EQ(g.GetColors(2, 3), TColor(0x00FF00));
    EXPECT_EQ(g.GetColors(4, 3), TColor(0x00FF00));
    g.SetRowColor(3, clNone);
    EXPECT_EQ(g.GetColors(2, 3), clNone);
    EXPECT_EQ(g.GetCellType(2, 3), ctTriStateCheckBox); // the box stays
    EXPECT_FALSE(g.CellHasProperties(4, 3)); // a plain cell returns to its defaults
    g.SetRowColorTo(3, clNone);
    EXPECT_EQ(g.GetCellType(2, 3), ctEmpty); // the box goes with the properties
    g.SetRowFontColor(4, 0x0000FF);
    EXPECT_EQ(g.GetFontColors(3, 4), TColor(0x0000FF));
    g.SetColors(2, 4, clNone);
    g.SetRowFontColor(4, clNone);
    EXPECT_TRUE(g.CellHasProperties(3, 4)); // keeps the column's colour: kept
    EXPECT_FALSE(g.CellHasProperties(2, 4));
}

TEST(QvCGridCells, HiddenRowCellsReadWithoutError)
{
    TQvColumnGrid g;
    g.SetColCount(8);
    g.SetCells(2, 5, "kept");
    g.HideRow(5);
    EXPECT_EQ(g.GetCellsEx(2, 5), "kept");
    for (int c = 0; c < g.AllColCount(); ++c)
        EXPECT_NO_THROW(g.GetCellsEx(c, 5)) << c;
    g.SetCellsEx(7, 5, "late");
    EXPECT_EQ(g.GetCellsEx(7, 5), "late");
}

TEST(QvCGridCells, RawTextsAndObjectsByRealRow)
{
    struct Tag : TObject {};
    Tag shown, hidden;
    TQvColumnGrid g;
    g.SetCells(2, 3, "three");
    g.SetObjectsEx(2, 3, &shown);
    g.SetObjectsEx(2, 6, &hidden);
    g.HideRow(3);
    // Real row 6 is shown at displayed row 5 now.
    EXPECT_EQ(g.GetObjectsEx(2, 6), &hidden);
    EXPECT_EQ(g.GetObjectEx(2, 5), &hidden);
    EXPECT_EQ(g.GetObjectsEx(2, 3), &shown);
    EXPECT_NE(g.GridObjectByRealRow(2, 3), nullptr); // the properties holding the object
    EXPECT_EQ(g.GetGridCellsEx(2, 3), "three");
    g.SetGridCellsEx(2, 6, "six");
    EXPECT_EQ(g.Cells(2, 5), "six");
    g.SetGridCellsEx(9, 3, "beyond the stored lines");
    EXPECT_EQ(g.GetGridCellsEx(9, 3), "beyond the stored lines");
    g.UnHideRow(3);
    EXPECT_EQ(g.GetObjectEx(2, 3), &shown);
    EXPECT_EQ(g.Cells(2, 6), "six");
}

TEST(QvCGridCells, CellControlsFollowTheCell)
{
    TQvColumnGrid g;
    g.resize(600, 400);
    auto* w = new QWidget;
    g.SetCellControls(2, 3, w);
    EXPECT_EQ(g.GetCellControls(2, 3), w);
    EXPECT_EQ(g.NumCellControls(), 1);
    EXPECT_EQ(g.ControlList().ControlIndex(2, 3), 0);
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.NumCellControls(), 0);
    EXPECT_EQ(g.ControlList().ControlIndex(2, 3), -1);
    g.SetCellControls(2, 3, nullptr);
    EXPECT_EQ(g.NumCellControls(), 0);
}

// ---- selected cells ------------------------------------------------------------------------------

TEST(QvCGridSelection, CountsFromTheRectangle)
{
    struct Case {
        TGridRect sel;
        int cells, rows, cols;
    };
    const Case cases[] = {
        {{2, 3, 2, 3}, 1, 1, 1},
        {{2, 3, 4, 5}, 9, 3, 3},
        {{1, 1, 4, 8}, 32, 8, 4},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        g.SetColCount(6);
        g.SetSelection(c.sel);
        SCOPED_TRACE(testing::Message() << c.sel.Left << "," << c.sel.Top);
        EXPECT_EQ(g.SelectedCellsCount(), c.cells);
        EXPECT_EQ(g.SelectedRowCount(), c.rows);
        EXPECT_EQ(g.SelectedColCount(), c.cols);
    }
    TQvColumnGrid g;
    g.SetSelection({2, 3, 4, 5});
    g.SelectedCellsCount();
    const TPoint order[] = {{2, 3}, {2, 4}, {2, 5}, {3, 3}};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(g.GetSelectedCell(k), order[k]) << k;
    g.SetSelection({2, 3, 2, 3});
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    EXPECT_EQ(g.GetSelectedCell(0), (TPoint{g.Col(), g.Row()}));
}

TEST(QvCGridSelection, FooterRowsAndMergedCellsInTheCounts)
{
    TQvColumnGrid g;
    g.SetFixedFooters(2); // rows 8 and 9
    g.SetSelection({1, 6, 1, 9});
    EXPECT_EQ(g.SelectedRowCount(), 2);
    g.MergeCells(2, 2, 3, 2);
    g.SetSelection({2, 2, 2, 2});
    EXPECT_EQ(g.SelectedColCount(), 3);
    EXPECT_EQ(g.SelectedRowCount(), 2);
}

TEST(QvCGridSelection, SelectedRowsAndCells)
{
    TQvColumnGrid g;
    g.SetRowCount(12);
    g.SetSelection({1, 7, 3, 9});
    EXPECT_EQ(g.GetSelectedRow(0), 7);
    EXPECT_EQ(g.GetSelectedRow(2), 9);
    EXPECT_EQ(g.GetSelectedRow(3), -1);
    // A rectangle stored with its corners swapped still contains its cells.
    TQvColumnGrid h;
    h.SetColCount(7);
    h.SetRowCount(8);
    h.SetSelection({2, 1, 5, 6});
    EXPECT_TRUE(h.GetSelectedCells(3, 4));
    EXPECT_FALSE(h.GetSelectedCells(6, 4));

    g.MouseActions().SetDisjunctRowSelect(true);
    g.SelectRows(2, 3);
    EXPECT_EQ(g.SelectedRowCount(), 3);
    EXPECT_EQ(g.GetSelectedRow(3), -1);

    g.MouseActions().SetDisjunctCellSelect(true);
    g.SetSelectedCells(2, 2, true);
    g.SetSelectedCells(3, 4, true);
    g.SetSelectedCells(3, 4, true);
    EXPECT_EQ(g.SelectedCellsCount(), 2);
    EXPECT_TRUE(g.GetSelectedCells(3, 4));
    g.SetSelectedCells(2, 2, false);
    EXPECT_EQ(g.SelectedCellsCount(), 1);
    g.ClearSelectedCells();
    EXPECT_EQ(g.SelectedCellsCount(), 0);
}

TEST(QvCGridSelection, ListenersAndNotifiers)
{
    struct Listener : ITQvStringGridSelect {
        void SelectionChanged(int, int) override {}
    } first, second;
    TQvColumnGrid g;
    g.RegisterSelListener(&first);
    g.RegisterSelListener(&second);
    EXPECT_EQ(g.SelListener(), &second);
    g.UnRegisterSelListener(&first);
    EXPECT_EQ(g.SelListener(), nullptr);

    struct Recorder : ITQvStringGridSelect {
        void SelectionChanged(int c, int r) override { cells.push_back({c, r}); }
        std::vector<TPoint> cells;
    } rec;
    g.RegisterSelListener(&rec);
    g.FocusCell(3, 4, true);
    ASSERT_EQ(rec.cells.size(), 1u);
    EXPECT_EQ(rec.cells[0], (TPoint{3, 4}));
    g.UnRegisterSelListener(&rec);

    struct Counting : TGridChangeNotifier {
        void CellsChanged(const TRect& r) override { seen.push_back(r); }
        std::vector<TRect> seen;
    } counting;
    g.RegisterNotifier(&counting);
    g.RemoveCols(2, 1);
    ASSERT_EQ(counting.seen.size(), 1u);
    EXPECT_EQ(counting.seen[0].Left, 2);
    g.UnRegisterNotifier(&counting);

    TGridChangeNotifier n1, n2;
    g.RegisterNotifier(&n1);
    g.RegisterNotifier(&n1);
    g.RegisterNotifier(&n2);
    EXPECT_EQ(g.NotifierCount(), 2);
    g.UnRegisterNotifier(&n1);
    EXPECT_EQ(g.NotifierCount(), 1);
}

// ---- column popups and scaling ------------------------------------------------------------------

TEST(QvCGridMouse, ColumnPopupByClickKind)
{
    struct Case {
        TColumnPopupType type;
        Qt::MouseButton button;
        int row;
        bool fires, shows;
    };
    const Case cases[] = {
        {cpNormalCellsLClick, Qt::LeftButton, 2, true, true},
        {cpNormalCellsLClick, Qt::LeftButton, 0, true, false},
        {cpFixedCellsLClick, Qt::LeftButton, 0, true, true},
        {cpAllCellsRClick, Qt::RightButton, 2, true, true},
        {cpAllCellsRClick, Qt::LeftButton, 2, false, false},
        {cpFixedCellsRClick, Qt::RightButton, 2, true, false},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        g.resize(600, 400);
        g.show();
        QApplication::processEvents();
        QMenu menu;
        menu.addAction("x");
        g.Columns()[2].SetColumnPopup(&menu);
        g.Columns()[2].SetColumnPopupType(c.type);
        int fired = 0;
        g.OnColumnPopup = [&](TQvStringGrid*, int col, int row, QMenu* m) {
            ++fired;
            EXPECT_EQ(col, 2);
            EXPECT_EQ(row, c.row);
            EXPECT_EQ(m, &menu);
        };
        const TRect r = g.CellRect(2, c.row);
        QTest::mouseClick(g.viewport(), c.button, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        SCOPED_TRACE(testing::Message() << c.type << " row " << c.row);
        EXPECT_EQ(fired, c.fires ? 1 : 0);
        EXPECT_EQ(menu.isVisible(), c.shows);
        menu.hide();
    }
}

TEST(QvCGridMouse, ScaleGridRoundsHalvesAwayFromZero)
{
    TQvColumnGrid g;
    g.Columns()[1].SetFont({"Tahoma", 9, 0, 0});
    g.Columns()[1].SetHeaderFont({"Tahoma", 11, 0, 0});
    g.ScaleGrid(3, 2);
    EXPECT_EQ(g.Columns()[1].Font().Size, 14);       // 13.5
    EXPECT_EQ(g.Columns()[1].HeaderFont().Size, 17); // 16.5
    g.ScaleGrid(2, 2);
    EXPECT_EQ(g.Columns()[1].Font().Size, 14);
}

// ---- unit start-up -----------------------------------------------------------------------------

TEST(QvCGridRegistrations, StartUpRunsOnce)
{
    QvGridInitialization();
    QvCGridInitialization();
    const TGridUnitRegistrations first = GridRegistrations();
    QvGridInitialization();
    QvCGridInitialization();
    const TGridUnitRegistrations& again = GridRegistrations();
    EXPECT_EQ(again.GridEditDoneMessage, first.GridEditDoneMessage);
    EXPECT_EQ(again.GridShiftFocusMessage, first.GridShiftFocusMessage);
    EXPECT_NE(first.GridEditDoneMessage, first.GridShiftFocusMessage);
    EXPECT_GE(int(first.GridEditDoneMessage), int(QEvent::User));
    EXPECT_EQ(again.RegisteredClasses, first.RegisteredClasses);
    EXPECT_EQ(first.RegisteredClasses.count("TQvStringGrid"), 1);
    EXPECT_TRUE(first.RegisteredClasses.contains("TQvColumnGrid"));
    EXPECT_TRUE(first.RegisteredClasses.contains("TSearchPanel"));
    EXPECT_TRUE(first.GridCellsClipboardFormat.contains("TQvStringGrid Cells"));
    EXPECT_TRUE(first.IsComCtl470);
    QvGridFinalization();
    QvCGridFinalization();
    QvGridFinalization();
    QvCGridFinalization();
    // A start after a full shutdown keeps the message ids.
    QvGridInitialization();
    EXPECT_EQ(GridRegistrations().GridEditDoneMessage, first.GridEditDoneMessage);
    QvGridFinalization();
}

TEST(QvCGridRegistrations, CommonControlsVersion)
{
    struct Case {
        int version;
        bool atLeast470;
    };
    for (const Case& c : {Case{0x00040046, true}, Case{0x00040045, false}, Case{0x00060000, true}, Case{-1, false}})
        EXPECT_EQ(ComCtlVersionIsAtLeast470(c.version), c.atLeast470) << std::hex << c.version;
}

// ---- column stream -------------------------------------------------------------------------------

namespace {

QByteArray saveColumns(TQvColumnGrid& g)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    g.SaveColumnsToStream(buf);
    return buf.data();
}

void loadColumns(TQvColumnGrid& g, const QByteArray& data)
{
    QBuffer buf;
    buf.setData(data);
    buf.open(QIODevice::ReadOnly);
    g.LoadColumnsFromStream(buf);
}

} // namespace

TEST(QvCGridStream, RoundTripKeepsEverySettingACopyTakes)
{
    QWidget form;
    auto* menu = new QMenu(&form);
    menu->setObjectName("ColumnMenu");
    auto* a = new TQvColumnGrid(&form);
    a->SetColCount(4);
    TGridColumnItem& c = a->Columns()[1];
    c.SetAlignment(taRightJustify);
    c.SetHeaderAlignment(taCenter);
    c.SetBorders(cbTop | cbBottom);
    c.SetBorderPen({0x123456, 2, psDash});
    c.SetCheckTrue("Ja");
    c.SetCheckFalse("Nein");
    c.SetColor(0xFFFFFF);
    c.SetColumnPopup(menu);
    c.SetColumnPopupType(cpAllCellsLClick);
    c.SetComboItems({"one", "two", QString::fromUtf8("dr\xc3\xab")});
    c.SetDropDownCount(12);
    c.SetEditLength(7);
    c.SetEditMask("000");
    c.SetEditor(edComboList);
    c.SetFilter({"Low=<5"});
    c.SetFilterCaseSensitive(true);
    c.SetFixed(true);
    c.SetFloatFormat("%.1f");
    c.SetFont({"Courier New", 10, fsBold | fsItalic, 0x0000FF});
    c.SetHeader("Speed");
    c.SetHeaderFont({"Arial", 12, fsUnderline, platform::clWindowText});
    c.SetMinSize(20);
    c.SetMaxSize(300);
    c.SetAutoMinSize(10);
    c.SetAutoMaxSize(400);
    c.SetName("speed");
    c.SetPassword(true);
    c.SetPrintBorderCustom(false);
    c.SetPrintBorders(cbLeft);
    c.SetPrintBorderPen({0x00FF00, 3, psDot});
    c.SetPrintColor(0xEEEEEE);
    c.SetPrintFontCustom(false);
    c.SetPrintFont({"Verdana", 9, 0, 0});
    c.SetReadOnly(true);
    c.SetShowBands(true);
    c.SetSortStyle(ssNumeric);
    c.SetSortPrefix("$");
    c.SetSortSuffix(" km");
    c.SetSpinMin(-5);
    c.SetSpinMax(70000);
    c.SetSpinStep(5);
    c.SetTag(-100000);
    c.SetWidth(140);
    const QByteArray stream = saveColumns(*a);
    EXPECT_TRUE(stream.startsWith("TPF0\x0fTQvColumnGridIO\x00\x05Items\x0e"));

    auto* b = new TQvColumnGrid(&form);
    loadColumns(*b, stream);
    EXPECT_EQ(b->ColCount(), 4);
    EXPECT_EQ(b->Columns().Count(), 4);
    const TGridColumnItem& d = b->Columns()[1];
    EXPECT_EQ(d.Alignment(), taRightJustify);
    EXPECT_EQ(d.HeaderAlignment(), taCenter);
    EXPECT_EQ(d.Borders(), TCellBorders(cbTop | cbBottom));
    EXPECT_EQ(d.BorderPen().Color, TColor(0x123456));
    EXPECT_EQ(d.BorderPen().Width, 2);
    EXPECT_EQ(d.BorderPen().Style, psDash);
    EXPECT_EQ(d.CheckTrue(), "Ja");
    EXPECT_EQ(d.CheckFalse(), "Nein");
    EXPECT_EQ(d.Color(), TColor(0xFFFFFF));
    EXPECT_EQ(d.ColumnPopup(), menu);
    // A definition's copy leaves the popup type and the custom print switches out, so the
    // stream does too: they come back as a new definition has them.
    EXPECT_EQ(d.ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_EQ(d.ComboItems(), c.ComboItems());
    EXPECT_EQ(d.DropDownCount(), 12);
    EXPECT_EQ(d.EditLength(), 7);
    EXPECT_EQ(d.EditMask(), "000");
    EXPECT_EQ(d.Editor(), edComboList);
    EXPECT_EQ(d.Filter(), c.Filter());
    EXPECT_TRUE(d.FilterCaseSensitive());
    EXPECT_TRUE(d.Fixed());
    EXPECT_EQ(d.FloatFormat(), "%.1f");
    EXPECT_EQ(d.Font(), c.Font());
    EXPECT_EQ(d.Header(), "Speed");
    EXPECT_EQ(b->Cells(1, 0), "Speed");
    EXPECT_EQ(d.HeaderFont(), c.HeaderFont());
    EXPECT_EQ(d.MinSize(), 20);
    EXPECT_EQ(d.MaxSize(), 300);
    EXPECT_EQ(d.AutoMinSize(), 10);
    EXPECT_EQ(d.AutoMaxSize(), 400);
    EXPECT_EQ(d.Name(), "speed");
    EXPECT_TRUE(d.Password());
    EXPECT_TRUE(d.PrintBorderCustom());
    EXPECT_EQ(d.PrintBorders(), TCellBorders(cbLeft));
    EXPECT_EQ(d.PrintBorderPen().Width, 3);
    EXPECT_EQ(d.PrintColor(), TColor(0xEEEEEE));
    EXPECT_TRUE(d.PrintFontCustom());
    EXPECT_EQ(d.PrintFont(), c.PrintFont());
    EXPECT_TRUE(d.ReadOnly());
    EXPECT_TRUE(d.ShowBands());
    EXPECT_EQ(d.SortStyle(), ssNumeric);
    EXPECT_EQ(d.SortPrefix(), "$");
    EXPECT_EQ(d.SortSuffix(), " km");
    EXPECT_EQ(d.SpinMin(), -5);
    EXPECT_EQ(d.SpinMax(), 70000);
    EXPECT_EQ(d.SpinStep(), 5);
    EXPECT_EQ(d.Tag(), -100000);
    EXPECT_EQ(d.Width(), 140);
    EXPECT_EQ(b->ColWidths(1), 140);
    // A definition the stream left plain stays plain.
    EXPECT_EQ(b->Columns()[2].Editor(), edNormal);
    EXPECT_EQ(b->Columns()[2].CheckTrue(), "Y");
}

TEST(QvCGridStream, BadStreamsLeaveTheColumnsAlone)
{
    TQvColumnGrid a;
    a.Columns()[1].SetName("kept");
    const QByteArray good = saveColumns(a);
    QByteArray unknown = good;
    unknown.replace("AutoMinSize", "AutoMinSizX");
    struct Case {
        const char* what;
        QByteArray data;
        QString error;
    };
    const Case cases[] = {
        {"empty", {}, "Stream read error"},
        {"other signature", "TPF1" + good.mid(4), "Invalid stream format"},
        {"cut short", good.left(good.size() / 2), "Stream read error"},
        {"unknown property", unknown, "Property AutoMinSizX does not exist"},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        g.Columns()[1].SetName("before");
        QString error;
        try {
            loadColumns(g, c.data);
        } catch (const EQvGridError& e) {
            error = e.Message();
        }
        SCOPED_TRACE(c.what);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(g.Columns()[1].Name(), "before");
        EXPECT_EQ(g.Columns().Count(), 5);
    }
}

// ---- the formats against hand-made fixtures --------------------------------------------------

TEST(QvCGridFixtures, ColumnStreamOfOneColumn)
{
    TQvColumnGrid g;
    g.SetColCount(1);
    TGridColumnItem& c = g.Columns()[0];
    c.SetName("speed");
    c.SetHeader("Speed");
    c.SetEditor(edDataCheckBox);
    c.SetWidth(80);
    const QByteArray expected = testsupport::readFile(testsupport::fixturePath("grid/column_stream_one_column.bin"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(saveColumns(g).toHex(' '), expected.toHex(' '));

    // One definition into a five-column grid with a fixed column: the count stays (a grid
    // keeps a normal column beside its fixed ones) and the missing definitions are added.
    TQvColumnGrid h;
    loadColumns(h, expected);
    EXPECT_EQ(h.ColCount(), 5);
    EXPECT_EQ(h.Columns().Count(), 5);
    EXPECT_EQ(h.Columns()[0].Name(), "speed");
    EXPECT_EQ(h.Columns()[0].Editor(), edDataCheckBox);
    EXPECT_EQ(h.ColWidths(0), 80);
    EXPECT_EQ(h.Cells(0, 0), "Speed");
}

// The popup type and the custom print switches are not streamed: the same column with them
// changed writes the same bytes, and loads back with a new definition's values.
TEST(QvCGridFixtures, ColumnStreamLeavesThePopupTypeAndPrintSwitchesOut)
{
    TQvColumnGrid g;
    g.SetColCount(1);
    TGridColumnItem& c = g.Columns()[0];
    c.SetName("speed");
    c.SetHeader("Speed");
    c.SetEditor(edDataCheckBox);
    c.SetWidth(80);
    c.SetColumnPopupType(cpAllCellsLClick);
    c.SetPrintBorderCustom(false);
    c.SetPrintFontCustom(false);
    const QByteArray expected = testsupport::readFile(testsupport::fixturePath("grid/column_stream_one_column.bin"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(saveColumns(g).toHex(' '), expected.toHex(' '));

    TQvColumnGrid h;
    h.SetColCount(1);
    h.Columns()[0].SetColumnPopupType(cpNormalCellsLClick);
    loadColumns(h, saveColumns(g));
    EXPECT_EQ(h.Columns()[0].Name(), "speed");
    EXPECT_EQ(h.Columns()[0].ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(h.Columns()[0].PrintBorderCustom());
    EXPECT_TRUE(h.Columns()[0].PrintFontCustom());
}

TEST(QvCGridFixtures, ColumnPositionsFile)
{
    QTemporaryDir dir;
    const QString written = dir.filePath("positions.ini");
    TQvColumnGrid a;
    nameColumns(a);
    a.Loaded();
    a.MoveColumn(1, 3);
    ASSERT_TRUE(a.SaveColumnPositions(written, "Grid"));
    EXPECT_EQ(testsupport::readFile(written),
              testsupport::readFile(testsupport::fixturePath("grid/column_positions_moved.ini")));

    struct Case {
        const char* file;
        bool loads;
        QStringList order;
    };
    const Case cases[] = {
        {"grid/column_positions_moved.ini", true, {"c0", "c2", "c3", "c1", "c4"}},
        {"grid/column_positions_duplicate.ini", false, {"c0", "c1", "c2", "c3", "c4"}},
    };
    for (const Case& c : cases) {
        TQvColumnGrid g;
        nameColumns(g);
        g.Loaded();
        if (QString(c.file).contains("duplicate")) {
            g.SetColCount(3);
            nameColumns(g);
        }
        SCOPED_TRACE(c.file);
        EXPECT_EQ(g.LoadColumnPositions(testsupport::fixturePath(c.file), "Grid"), c.loads);
        EXPECT_EQ(columnNames(g), c.order.mid(0, g.Columns().Count()));
    }
}

// ---- the column's edit link ---------------------------------------------------------------------

// An edCustom column opens the link its definition names, with the cell's text; an edCustom
// column without a link opens nothing.
TEST(QvCGridHooks, CustomColumnsOpenTheirOwnEditLink)
{
    TQvColumnGrid g;
    g.resize(500, 300);
    g.SetColCount(4);
    g.SetRowCount(5);
    g.SetOptions(g.Options() | goEditing);
    grid::test::LineLink link;
    g.Columns()[1].SetEditor(edCustom);
    g.Columns()[1].SetEditLink(&link);
    g.Columns()[2].SetEditor(edCustom);
    g.SetCells(1, 1, "linked");
    g.SetCells(2, 1, "plain");
    g.show();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    g.setFocus();

    g.FocusCell(3, 1);
    g.FocusCell(1, 1);
    QTest::keyClick(&g, Qt::Key_F2);
    QApplication::processEvents();
    ASSERT_TRUE(link.edit);
    EXPECT_TRUE(link.edit->isVisible());
    EXPECT_EQ(link.edit->text(), "linked");
    QTest::keyClicks(link.edit, "!");
    QTest::keyClick(link.edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(g.Cells(1, 1), "linked!");
    EXPECT_FALSE(g.EditMode);

    g.FocusCell(2, 1);
    QTest::keyClick(&g, Qt::Key_F2);
    QApplication::processEvents();
    EXPECT_FALSE(g.EditMode);
    EXPECT_EQ(g.EditLink, nullptr);
}
