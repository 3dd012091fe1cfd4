#include "grid/QvGrid.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace grid;
using test::errorOf;
using test::ShownGrid;

namespace {

struct Tag : TObject {
    explicit Tag(int* alive) : alive(alive) { ++*alive; }
    ~Tag() override { --*alive; }
    int* alive;
};

} // namespace

TEST(QvStringGrid, DefaultsOfANewGrid)
{
    TQvStringGrid g;
    struct Case {
        const char* what;
        QVariant actual, expected;
    };
    const Case cases[] = {
        {"RowCount", g.RowCount(), 10},
        {"ColCount", g.ColCount(), 5},
        {"FixedRows", g.FixedRows(), 1},
        {"FixedCols", g.FixedCols(), 1},
        {"DefaultRowHeight", g.DefaultRowHeight(), 22},
        {"FixedRowHeight", g.FixedRowHeight(), 22},
        {"Width", g.width(), 400},
        {"Height", g.height(), 250},
        {"CheckTrue", g.CheckTrue, "Y"},
        {"CheckFalse", g.CheckFalse, "N"},
        {"FloatFormat", g.FloatFormat, "%.2f"},
        {"XMLEncoding", g.XMLEncoding, "ISO-8859-1"},
        {"FilterDropDownClear", g.FilterDropDownClear, "(All)"},
        {"PasswordChar", QString(g.PasswordChar), "*"},
        {"SelectionColor", uint(g.SelectionColor), 0xEACAB6u},
        {"SelectionColorTo", uint(g.SelectionColorTo), uint(clNone)},
        {"SelectionTextColor", uint(g.SelectionTextColor), 0u},
        {"SelectionColorMixerFactor", g.SelectionColorMixerFactor, 50},
        {"HintColor", uint(g.HintColor), 0xFF000018u},
        {"HighlightColor", uint(g.HighlightColor), 0xFF00000Du},
        {"HighlightTextColor", uint(g.HighlightTextColor), 0xFF00000Eu},
        {"ActiveCellColor", uint(g.ActiveCellColor), 0x808080u},
        {"DisabledFontColor", uint(g.DisabledFontColor), 0xC0C0C0u},
        {"URLColor", uint(g.URLColor), 0xFF0000u},
        {"BorderColor", uint(g.BorderColor), 0xB99D7Fu},
        {"VLXGradientFrom", uint(g.VLXGradientFrom()), 0xFFFFFFu},
        {"VLXGradientTo", uint(g.VLXGradientTo()), uint(platform::colorToRGB(platform::clBtnFace))},
        {"Look", int(g.Look), int(glXP)},
        {"XYOffset", QPoint(g.XYOffset.X, g.XYOffset.Y), QPoint(2, 2)},
        {"VAlignment", int(g.VAlignment), int(vtaTop)},
        {"ScrollType", int(g.ScrollType), int(ssNormal)},
        {"DefaultEditor", int(g.DefaultEditor), int(edNormal)},
        {"DefaultAlignment", int(g.DefaultAlignment()), int(taLeftJustify)},
        {"WordWrap", g.WordWrap(), true},
        {"ShowSelection", g.ShowSelection, true},
        {"SaveFixedCells", g.SaveFixedCells, true},
        {"SaveHiddenCells", g.SaveHiddenCells, false},
        {"FilterCol", g.FilterCol, -1},
        {"GroupColumn", g.GroupColumn(), -1},
        {"FixedFont bold Tahoma", g.FixedFont().Name + QString::number(g.FixedFont().Style), "Tahoma1"},
        {"ActiveCellFont bold", int(g.ActiveCellFont().Style), int(fsBold)},
        {"Version", g.Version(), "6.2.1.3"},
        {"VersionString", g.GetVersionString(), "6.2.1.3 Sep, 2012"},
        {"SearchFooter caption at run time", g.SearchFooter().FindNextCaption(), ""},
        {"MaxRowCount", g.MaxRowCount(), 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.what;
    EXPECT_EQ(g.GetVersionNr(), 0x06020103u);
    EXPECT_NE(g.FocusWindow(), nullptr);
    EXPECT_NE(g.ArrowWindow(arrLeft), nullptr);

    TQvStringGrid designed(nullptr, true);
    EXPECT_EQ(designed.SearchFooter().FindNextCaption(), "Find &next");
    EXPECT_EQ(designed.FocusWindow(), nullptr); // no windows in the designer
}

TEST(QvStringGrid, HooksPassTheirArgumentsInThePublishedOrder)
{
    TQvStringGrid g;
    g.SetColCount(6);
    std::vector<QString> seen;
    auto rc = [&](const char* name) {
        return [&seen, name](TQvStringGrid*, int a, int b, auto&&...) {
            seen.push_back(QStringLiteral("%1(%2,%3)").arg(name).arg(a).arg(b));
        };
    };
    g.OnGridHint = rc("hint");
    g.OnGetCellColor = rc("color");
    g.OnGetCellPrintColor = rc("printcolor");
    g.OnGetCellBorder = rc("border");
    g.OnGetCellPrintBorder = rc("printborder");
    g.OnGetAlignment = rc("align");
    g.OnGetEditorType = rc("editor");
    g.OnIsPasswordCell = rc("password");
    g.OnGetWordWrap = rc("wordwrap");
    g.OnHasComboBox = rc("combo");
    g.OnHasSpinEdit = rc("spin");
    g.OnGetCheckTrue = rc("checktrue");
    g.OnGetCheckFalse = rc("checkfalse");
    g.OnButtonClick = rc("button");
    g.OnComboCloseUp = rc("closeup");
    g.OnComboDropDown = rc("dropdown");
    g.OnCanEditCell = rc("canedit");
    g.OnIsFixedCell = rc("isfixed");

    // Called with column 3 and row 5 (close-up and drop-down take the row first).
    QString s;
    TBrush brush;
    TFont font;
    TPen pen;
    TCellBorders borders = 0;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    TEditorType ed = edNormal;
    bool b = false;
    g.GetCellHint(3, 5, s);
    g.GetCellColor(3, 5, 0, brush, font);
    g.GetCellPrintColor(3, 5, 0, brush, font);
    g.GetCellBorder(3, 5, pen, borders);
    g.GetCellPrintBorder(3, 5, pen, borders);
    g.GetCellAlignment(3, 5, ha, va);
    g.GetCellEditor(3, 5, ed);
    g.IsPasswordCell(3, 5, b);
    g.GetCellWordWrap(3, 5, b);
    g.CellHasComboBox(3, 5);
    g.CellHasSpinEdit(3, 5);
    g.GetCheckTrue(3, 5, s);
    g.GetCheckFalse(3, 5, s);
    g.CellButtonClick(3, 5);
    g.ComboCloseUp(5, 3);
    g.ComboDropDown(5, 3);
    b = true;
    g.CanEditCell(3, 5, b);
    b = false;
    g.IsFixedCell(3, 5, b);
    const std::vector<QString> expected = {
        "hint(5,3)",       "color(5,3)",    "printcolor(5,3)", "border(5,3)",   "printborder(5,3)", "align(5,3)",
        "editor(3,5)",     "password(5,3)", "wordwrap(3,5)",   "combo(3,5)",    "spin(3,5)",        "checktrue(3,5)",
        "checkfalse(3,5)", "button(3,5)",   "closeup(5,3)",    "dropdown(5,3)", "canedit(5,3)",     "isfixed(5,3)"};
    EXPECT_EQ(seen, expected);
}

TEST(QvStringGrid, HookDefaultsArrivePreset)
{
    TQvStringGrid g;
    QString v;
    g.GetCheckTrue(2, 2, v);
    EXPECT_EQ(v, "Y");
    g.OnGetCheckFalse = [](TQvStringGrid*, int, int, QString& value) {
        EXPECT_EQ(value, "N"); // preset with the default
        value = "no";
    };
    g.GetCheckFalse(2, 2, v);
    EXPECT_EQ(v, "no");

    EXPECT_FALSE(g.IsNoEditorCell(1, 1)); // no handler
    g.OnGetEditorType = [](TQvStringGrid*, int col, int, TEditorType& e) {
        EXPECT_EQ(e, edNormal);
        if (col == 2)
            e = edNone;
    };
    EXPECT_TRUE(g.IsNoEditorCell(2, 1));
    EXPECT_FALSE(g.IsNoEditorCell(1, 1));

    g.MouseActions().SetHotmailRowSelect(true);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g.GetCellAlignment(0, 3, ha, va);
    EXPECT_EQ(ha, taCenter);
}

TEST(QvStringGrid, IsFixedCellMatrix)
{
    struct Case {
        int fixedRows, fixedCols, col, row;
        bool expected, eventCalled;
    };
    const Case cases[] = {
        {2, 1, 5, 1, true, false}, {2, 1, 5, 2, false, true}, {1, 1, 0, 5, true, false},
        {1, 1, 1, 5, false, true}, {0, 0, 0, 0, false, true}, {1, 2, 1, 4, true, false},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.SetColCount(8);
        g.SetFixedRows(c.fixedRows);
        g.SetFixedCols(c.fixedCols);
        bool called = false;
        g.OnIsFixedCell = [&](TQvStringGrid*, int, int, bool&) { called = true; };
        bool fixed = false;
        g.IsFixedCell(c.col, c.row, fixed);
        EXPECT_EQ(fixed, c.expected) << c.col << "," << c.row;
        EXPECT_EQ(called, c.eventCalled) << c.col << "," << c.row;
    }
    // Footer rows and right columns count as fixed without asking.
    TQvStringGrid g;
    g.SetFixedFooters(1);
    g.SetFixedRightCols(1);
    EXPECT_TRUE(g.IsFixed(2, 9));
    EXPECT_TRUE(g.IsFixed(4, 3));
    EXPECT_FALSE(g.IsFixed(2, 3));
}

TEST(QvStringGrid, CanEditCellMatrix)
{
    struct Case {
        bool editing, rangeEdit, readOnly, hasProps;
        int col;
        bool expected;
    };
    const Case cases[] = {
        {false, false, false, true, 2, false}, // editing off: no edit of a cell with properties
        {false, false, false, false, 2, true}, // no properties: the preset stands
        {false, false, false, true, 9, true},  // beyond all columns
        {true, false, false, true, 2, true},   {true, false, true, true, 2, false}, {false, true, false, true, 2, true},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        if (c.editing)
            g.SetOptions(g.Options() | goEditing);
        g.MouseActions().SetRangeSelectAndEdit(c.rangeEdit);
        if (c.hasProps && c.col < g.ColCount())
            g.GetCellProperties(c.col, 3)->FReadOnly = c.readOnly;
        bool can = true;
        g.CanEditCell(c.col, 3, can);
        EXPECT_EQ(can, c.expected) << c.editing << c.rangeEdit << c.readOnly << c.hasProps << c.col;
    }
    // The event has the last word.
    TQvStringGrid g;
    g.OnCanEditCell = [](TQvStringGrid*, int, int, bool& can) { can = false; };
    bool can = true;
    g.CanEditCell(2, 3, can);
    EXPECT_FALSE(can);
}

TEST(QvStringGrid, EditingSuspendedOnAReadOnlyCellStillAllowsOtherCells)
{
    struct Probe : TQvStringGrid {
        using TQvStringGrid::IsEditable;
    };
    Probe g;
    g.SetOptions(g.Options() | goEditing);
    g.OnCanEditCell = [](TQvStringGrid*, int, int c, bool& can) {
        if (c == 1)
            can = false;
    };
    g.SetRow(3); // onto the read-only column 1: editing is switched off for that cell only
    ASSERT_FALSE(g.Options() & goEditing);
    EXPECT_TRUE(g.IsEditable(2, 3));
    EXPECT_FALSE(g.IsEditable(1, 3));
    // Without the suspension a grid without editing edits nothing.
    Probe off;
    EXPECT_FALSE(off.IsEditable(2, 3));
}

TEST(QvStringGrid, RefusalTexts)
{
    TQvStringGrid g;
    struct Case {
        std::function<void()> op;
        QString message;
    };
    const Case cases[] = {
        {[&] { g.GetRowSelect(10); }, "Invalid row 10 accessed"},
        {[&] { g.GetRowSelect(-1); }, "Invalid row -1 accessed"},
        {[&] { g.SetRowSelect(10, true); }, "Invalid row accessed"},
        {[&] { g.GetColSelect(5); }, "Invalid column accessed"},
        {[&] { g.SetColSelect(-1, true); }, "Invalid column accessed"},
        {[&] { g.AddCheckBox(5, 1, cbChecked); }, "Invalid cell"},
        {[&] { g.AddCheckBox(1, 10, cbChecked); }, "Invalid cell"},
        {[&] { g.AddCheckBox(-1, 1, cbChecked); }, "Invalid cell"},
        {[&] { g.SetRow(10); }, SGridIndexOutOfRange},
        {[&] { g.SetFixedRows(10); }, SFixedRowTooBig},
        {[&] { g.SetFixedCols(5); }, SFixedColTooBig},
        {[&] { g.SetFixedCols(-1); }, SGridIndexOutOfRange},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.op), c.message);
    EXPECT_EQ(g.GetCellGraphic(1, 1), nullptr); // nothing half-done
}

TEST(QvStringGrid, SelectRowsSelectsWholeRowsAndMovesTheCurrentCell)
{
    TQvStringGrid g; // 10 rows, 5 columns, one of each fixed
    int rowUpdates = 0;
    g.OnRowUpdate = [&](TQvStringGrid*, int, int) { ++rowUpdates; };
    g.SelectRows(3, 1);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 4, 3}));
    EXPECT_EQ(g.Col(), 4);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(rowUpdates, 0);
    EXPECT_TRUE(g.GetRowSelect(3));
    EXPECT_FALSE(g.GetRowSelect(4));
    EXPECT_EQ(g.RowSelectCount(), 1);

    g.SelectRows(8, 5);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 8, 4, 9}));

    // A block wholly beyond the grid selects nothing: the current cell stays inside.
    g.SelectRows(12, 2);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 8, 4, 9}));
    EXPECT_LT(g.Row(), g.RowCount());
    g.SelectRows(4, 0);
    EXPECT_EQ(g.Row(), 9);
}

TEST(QvStringGrid, DisjunctRowSelection)
{
    TQvStringGrid g;
    g.MouseActions().SetDisjunctRowSelect(true);
    int vetoed = 0, selected = 0;
    g.OnRowDisjunctSelect = [&](TQvStringGrid*, int row, bool, bool& allow) {
        if (row == 7) {
            allow = false;
            ++vetoed;
        }
    };
    g.OnRowDisjunctSelected = [&](TQvStringGrid*, int) { ++selected; };
    g.SetRowSelect(0, true); // fixed row: flag set, not listed
    g.SetRowSelect(4, true);
    g.SetRowSelect(4, true);
    g.SetRowSelect(7, true);
    EXPECT_TRUE(g.GetRowSelect(0));
    EXPECT_TRUE(g.GetRowSelect(4));
    EXPECT_FALSE(g.GetRowSelect(7));
    EXPECT_EQ(g.SelectedRows().StrValue(), "4");
    EXPECT_EQ(vetoed, 1);
    EXPECT_EQ(selected, 3);
    EXPECT_EQ(g.RowSelectCount(), 2);
    g.SelectRows(5, 2);
    EXPECT_EQ(g.SelectedRows().StrValue(), "4,5,6");
    g.UnSelectRows(4, 1);
    EXPECT_EQ(g.SelectedRows().StrValue(), "5,6");
    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);
    EXPECT_EQ(g.SelectedRows().Count(), 0);
}

TEST(QvStringGrid, RowStates)
{
    TQvStringGrid g;
    g.SetRowModified(50, true); // beyond the rows: the list grows
    g.SetRowModified(2, true);
    g.SetRowModified(2, false);
    EXPECT_TRUE(g.GetRowModified(50));
    EXPECT_FALSE(g.GetRowModified(2));
    EXPECT_EQ(g.ModifiedRowCount(), 1);

    g.SetRow(1);
    g.SetRowEnabled(1, false);
    EXPECT_FALSE(g.GetRowEnabled(1));
    EXPECT_EQ(g.Row(), 2); // the first enabled normal row
    EXPECT_TRUE(g.UseEnabledRows());
    g.SetRowEnabled(1, true);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_TRUE(g.GetRowEnabled(99));
}

TEST(QvStringGrid, FixedRowScenarios)
{
    {
        TQvStringGrid g;
        g.SetFixedRowAlways(true);
        g.SetRowCount(1);
        EXPECT_EQ(g.TStringGrid::FixedRows(), 0);
        g.SetFixedRows(1); // applies 0, reads back 1
        EXPECT_EQ(g.TStringGrid::FixedRows(), 0);
        EXPECT_EQ(g.FixedRows(), 1);
        EXPECT_EQ(g.FixedRowsMin(), 1);
        g.SetRowCount(5);
        EXPECT_EQ(g.TStringGrid::FixedRows(), 1); // a real header row again
    }
    {
        TQvStringGrid g;
        g.SetRowCount(0);
        EXPECT_EQ(g.RowCount(), 1);
        EXPECT_EQ(g.FixedRows(), 0);
    }
    {
        TQvStringGrid g;
        g.SetRow(8);
        g.SetRowCount(4);
        EXPECT_EQ(g.Row(), 3);
    }
    {
        TQvStringGrid g;
        g.SetColWidths(0, 30);
        g.SetFixedColWidth(g.DefaultColWidth()); // the default width changes nothing
        EXPECT_EQ(g.ColWidths(0), 30);
        g.SetFixedColWidth(50);
        EXPECT_EQ(g.ColWidths(0), 50);
        g.SetRowHeights(5, 40);
        g.SetFixedRowHeight(30);
        EXPECT_EQ(g.RowHeights(0), 30);
        g.SetFixedRowHeight(g.DefaultRowHeight()); // resets every row
        EXPECT_EQ(g.RowHeights(0), 22);
        EXPECT_EQ(g.RowHeights(5), 22);
    }
    {
        TQvStringGrid g;
        g.SetRowCount(500);
        g.SetRowCount(20);
        EXPECT_EQ(g.MaxRowCount(), 500);
    }
}

TEST(QvStringGrid, RowWriterReportsRowChanges)
{
    TQvStringGrid g;
    std::vector<std::pair<int, int>> updates;
    g.OnRowUpdate = [&](TQvStringGrid*, int o, int n) { updates.push_back({o, n}); };
    g.SetRow(4);
    g.SetRow(4);
    g.SetRow(2);
    EXPECT_EQ(updates, (std::vector<std::pair<int, int>>{{1, 4}, {4, 2}}));
    EXPECT_THROW(g.SetRow(-1), EInvalidGridOperation);
    EXPECT_EQ(updates.size(), 2u);
}

TEST(QvStringGrid, GridsCoupledBothWaysPassAMoveOnOnce)
{
    TQvStringGrid a, b;
    a.SyncGrid().SetGrid(&b);
    b.SyncGrid().SetGrid(&a);
    for (TQvStringGrid* g : {&a, &b}) {
        g->SyncGrid().SetSelectionColumn(true);
        g->SyncGrid().SetSelectionRow(true);
    }
    int aRows = 0, bRows = 0;
    a.OnRowUpdate = [&](TQvStringGrid*, int, int) { ++aRows; };
    b.OnRowUpdate = [&](TQvStringGrid*, int, int) { ++bRows; };
    a.SetCol(3);
    EXPECT_EQ(b.Col(), 3);
    a.SetRow(4);
    EXPECT_EQ(b.Row(), 4);
    b.SetCol(2);
    b.SetRow(3);
    EXPECT_EQ(a.Col(), 2);
    EXPECT_EQ(a.Row(), 3);
    EXPECT_EQ(aRows, 2);
    EXPECT_EQ(bRows, 2);
}

TEST(QvStringGrid, TypedKeys)
{
    ShownGrid<TQvStringGrid> s;
    TQvStringGrid& g = s.g;
    int presses = 0;
    g.OnKeyPress = [&](TStringGrid*, QChar&) { ++presses; };
    QTest::keyClick(&g, Qt::Key_Return); // not editable, no advance: swallowed after the event
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(g.EditorMode());
    QTest::keyClick(&g, Qt::Key_Escape);
    EXPECT_EQ(presses, 2);

    // Incremental search in column 1: a, b, Backspace search A, AB, A.
    const QStringList texts{"x", "apple", "abacus", "banana", "able"};
    for (int r = 1; r <= texts.size(); ++r)
        g.SetCells(1, r, texts[r - 1]);
    g.Navigation().SetAutoGotoWhenSorted(true);
    g.Navigation().SetAutoGotoIncremental(true);
    QTest::keyClick(&g, Qt::Key_A);
    EXPECT_EQ(g.Row(), 2);
    QTest::keyClick(&g, Qt::Key_B);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.IncrSearchText, "ab");
    QTest::keyClick(&g, Qt::Key_Backspace);
    EXPECT_EQ(g.Row(), 2);
    QTest::keyClick(&g, Qt::Key_Z); // "az" finds nothing: the text empties
    EXPECT_EQ(g.IncrSearchText, "");

    // The fourth timer tick without typing forgets the search text (1.5 to 2 s).
    QTest::keyClick(&g, Qt::Key_B);
    EXPECT_EQ(g.Row(), 4);
    g.GridTimerTick();
    g.GridTimerTick();
    g.GridTimerTick();
    EXPECT_EQ(g.IncrSearchText, "b");
    g.GridTimerTick();
    EXPECT_EQ(g.IncrSearchText, "");
}

TEST(QvStringGrid, CheckBoxStates)
{
    TQvStringGrid g;
    TCellGraphic* data = g.CreateCellGraphic(2, 2);
    data->SetCheckBox(false, true, false, haLeft, vaTop);
    g.SetCells(2, 2, "Y");
    TCheckBoxState st = cbGrayed;
    EXPECT_TRUE(g.GetCheckBoxState(2, 2, st));
    EXPECT_EQ(st, cbChecked);
    g.SetCells(2, 2, "y"); // the comparison is exact
    EXPECT_TRUE(g.GetCheckBoxState(2, 2, st));
    EXPECT_EQ(st, cbUnchecked);
    st = cbGrayed;
    EXPECT_FALSE(g.GetCheckBoxState(3, 3, st));
    EXPECT_EQ(st, cbGrayed);

    TQvStringGrid two;
    two.SetFixedRows(2);
    two.AddTriStateCheckBoxColumn(1, cbGrayed);
    EXPECT_EQ(two.GetCellType(1, 0), ctEmpty);
    EXPECT_EQ(two.GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(two.GetCellType(1, 2), ctTriStateCheckBox);
    EXPECT_TRUE(two.GetCheckBoxState(1, 9, st));
    EXPECT_EQ(st, cbGrayed);
}

TEST(QvStringGrid, CellColourOnlyForKindsWithoutTheirOwnLook)
{
    TQvStringGrid g;
    g.GetCellProperties(2, 2)->FBrushColor = 0x0000FF;
    g.GetCellProperties(3, 2)->FBrushColor = 0x0000FF;
    g.CreateCellGraphic(3, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
    TBrush b{platform::clWindow};
    TFont f;
    g.GetCellColor(2, 2, 0, b, f);
    EXPECT_EQ(b.Color, 0x0000FFu);
    TBrush b2{platform::clWindow};
    g.GetCellColor(3, 2, 0, b2, f);
    EXPECT_EQ(b2.Color, platform::clWindow);
}

TEST(QvStringGrid, NewPropertiesOfFixedCellsKeepNoColour)
{
    TQvStringGrid g;
    EXPECT_EQ(g.GetCellProperties(0, 3)->BrushColor(), clNone);
    EXPECT_EQ(g.GetCellProperties(2, 3)->BrushColor(), g.Color());
}

TEST(QvStringGrid, ColumnFilterValues)
{
    TQvStringGrid g;
    g.SetRowCount(5);
    g.FilterDropDownAuto = true;
    const QStringList texts{"b", "a", "a b", "b"};
    for (int r = 1; r <= texts.size(); ++r)
        g.SetCells(2, r, texts[r - 1]);
    EXPECT_TRUE(g.GetColumnFilter(2));
    EXPECT_EQ(g.FilterList(), (QStringList{"(All)", "a", "a b=\"a b\"", "b"}));
    int calls = 0;
    g.OnGetColumnFilter = [&](TQvStringGrid*, int column, QStringList& list) {
        EXPECT_EQ(column, 2);
        EXPECT_EQ(list.size(), 4);
        list.clear();
        ++calls;
    };
    EXPECT_FALSE(g.GetColumnFilter(2)); // an emptied list means no drop-down
    EXPECT_EQ(calls, 1);
}

TEST(QvStringGrid, TeardownFreesPropertiesAndGraphicsButNotUserObjects)
{
    int alive = 0;
    std::vector<std::unique_ptr<Tag>> users;
    {
        TQvStringGrid g;
        g.SetRowCount(500);
        for (int r = 0; r < 500; r += 3) {
            g.GetCellProperties(1, r)->SetBrushColor(0x00FF00);
            g.CreateCellGraphic(2, r)->SetMultiImage(2, r, 0, haLeft, vaTop, {});
            users.push_back(std::make_unique<Tag>(&alive));
            g.SetObjectEx(3, r, users.back().get());
        }
        g.MergeCells(1, 10, 2, 2);
        g.SetRowCount(20); // properties below row 20 must go too
    }
    EXPECT_EQ(alive, int(users.size())); // user objects stay their owners'
}

TEST(QvStringGrid, IntegralHeightHoldsWholeRows)
{
    TQvStringGrid g;
    g.SetColCount(2); // no horizontal scroll bar needed
    g.IntegralHeight = true;
    g.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(g.height(), 92); // 2 + (98 - 98 mod 22) + 2
    g.IntegralHeight = false;
    g.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(g.height(), 100);
}

TEST(QvStringGrid, ResizeFiresItsEvent)
{
    ShownGrid<TQvStringGrid> s;
    int resized = 0;
    s.g.OnGridResize = [&](TQvStringGrid*) { ++resized; };
    s.g.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(resized, 1);
}

TEST(QvStringGrid, BorderColourWithoutParentIsStored)
{
    TQvStringGrid g;
    g.SetBorderColor(0x123456);
    EXPECT_EQ(g.BorderColor, 0x123456u);
}

TEST(QvStringGrid, AssignCopiesSettingsAndCells)
{
    TQvStringGrid src, dst;
    src.SetColCount(7);
    src.SetRowCount(12);
    src.SetColWidths(3, 99);
    src.Navigation().SetAdvanceOnEnter(true);
    src.SetCells(2, 5, "text");
    src.CreateCellGraphic(4, 4)->SetCheckBox(true, false, false, haLeft, vaTop);
    std::vector<QString> loaded;
    dst.OnLoadCell = [&](TQvStringGrid*, int c, int r, QString& v) {
        loaded.push_back(QString("%1,%2=%3").arg(c).arg(r).arg(v));
    };
    dst.Assign(src);
    EXPECT_EQ(dst.ColCount(), 7);
    EXPECT_EQ(dst.RowCount(), 12);
    EXPECT_EQ(dst.ColWidths(3), 99);
    EXPECT_TRUE(dst.Navigation().AdvanceOnEnter());
    EXPECT_EQ(dst.Cells(2, 5), "text");
    EXPECT_EQ(dst.Cells(4, 4), "Y"); // a check box is saved as its check text
    EXPECT_EQ(loaded, (std::vector<QString>{"4,4=Y", "2,5=text"}));
}

TEST(QvStringGrid, PastedTextIsRegisteredForUndo)
{
    TQvStringGrid g;
    VOreRizeZuvuZira undo;
    g.SetUndoRedo(&undo);
    g.SetCells(2, 2, "old");
    g.PasteCellText(2, 2, "new");
    EXPECT_EQ(g.Cells(2, 2), "new");
    undo.Undo();
    EXPECT_EQ(g.Cells(2, 2), "old");
    g.CreateCellGraphic(3, 3)->SetCheckBox(false, false, false, haLeft, vaTop);
    g.PasteCellText(3, 3, "Y");
    EXPECT_TRUE(g.GetCellGraphic(3, 3)->FCellBoolean);
}

TEST(QvStringGrid, ChangingEventsAndDisabledRowsRefuseMoves)
{
    ShownGrid<TQvStringGrid> s;
    TQvStringGrid& g = s.g;
    std::vector<QString> seen;
    g.OnRowChanging = [&](TQvStringGrid*, int o, int n, bool& allow) {
        seen.push_back(QString("row %1->%2").arg(o).arg(n));
        allow = n != 6;
    };
    g.OnCellChanging = [&](TQvStringGrid*, int orow, int ocol, int nrow, int ncol, bool&) {
        seen.push_back(QString("cell %1,%2->%3,%4").arg(orow).arg(ocol).arg(nrow).arg(ncol));
    };
    g.SetRow(3);
    g.SetRow(6);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(seen.front(), "row 1->3");
    EXPECT_EQ(seen[1], "cell 1,1->3,1");
    g.OnRowChanging = nullptr;
    g.SetRowEnabled(7, false);
    QTest::keyClick(&g, Qt::Key_Down); // to 4
    g.SetRow(7);
    EXPECT_EQ(g.Row(), 4);
}

TEST(QvStringGrid, SaveTextOfEmptyCheckBoxes)
{
    TQvStringGrid g;
    g.AddCheckBox(2, 2, cbChecked);
    g.AddCheckBox(2, 3, cbUnchecked);
    QString v;
    g.GetSaveCellText(2, 2, v);
    EXPECT_EQ(v, "Y");
    g.GetSaveCellText(2, 3, v);
    EXPECT_EQ(v, "N");
    g.SetCells(2, 4, "plain");
    g.GetSaveCellText(2, 4, v);
    EXPECT_EQ(v, "plain");
}
