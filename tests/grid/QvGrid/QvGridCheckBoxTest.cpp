// Check boxes, radio buttons and radio groups in cells: adding, states, toggling, data check
// boxes over their texts, radio wrap, the glyph hit test, hidden rows and undo.

#include "grid/QvGrid.h"
#include "grid/paint/GridPaint.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

using namespace grid;
using test::errorOf;

namespace {

TEST(QvGridCheckBox, AddingPlainAndDataCheckBoxes)
{
    struct Case {
        QString before;
        bool state, data;
        QString after;
        bool checked;
    };
    const Case cases[] = {
        {"", true, false, "", true},        {"", false, false, "", false},
        {"N", true, true, "N", false}, // a check text is kept
        {"Y", false, true, "Y", true},      {"", true, true, "Y", true},
        {"other", false, true, "N", false},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.SetCells(1, 2, c.before);
        g.AddCheckBox(1, 2, c.state, c.data);
        SCOPED_TRACE(c.before.toStdString());
        EXPECT_EQ(g.Cells(1, 2), c.after);
        EXPECT_EQ(g.IsChecked(1, 2), c.checked);
        EXPECT_TRUE(g.HasCheckBox(1, 2));
        EXPECT_EQ(g.HasDataCheckBox(1, 2), c.data);
        EXPECT_EQ(g.GetCellType(1, 2), c.data ? ctDataCheckBox : ctCheckBox);
    }
}

TEST(QvGridCheckBox, RefusalsAndCellsWithoutBox)
{
    TQvStringGrid g; // 5 columns, 10 rows
    EXPECT_EQ(errorOf([&] { g.AddCheckBox(5, 1, true, false); }), "Invalid cell");
    EXPECT_EQ(errorOf([&] { g.AddCheckBox(1, 10, true, false); }), "Invalid cell");
    EXPECT_EQ(errorOf([&] { g.AddCheckBox(-1, 1, true, false); }), "Invalid cell");
    EXPECT_EQ(errorOf([&] { g.AddRadioButton(1, -1); }), "Invalid cell");
    g.HideColumn(4);
    EXPECT_EQ(errorOf([&] { g.AddCheckBox(4, 1, true, false); }), "no error"); // hidden columns count
    EXPECT_FALSE(g.IsChecked(2, 2));
    bool state = true;
    EXPECT_FALSE(g.GetCheckBoxState(2, 2, state));
    EXPECT_FALSE(g.SetCheckBoxState(2, 2, true));
    EXPECT_FALSE(g.HasCheckBox(-1, 0));
}

TEST(QvGridCheckBox, ToggleReportsAndRecordsTheNewState)
{
    TQvStringGrid g;
    std::vector<std::tuple<int, int, bool>> changes;
    g.OnCheckBoxChange = [&](TQvStringGrid*, int c, int r, bool s) { changes.emplace_back(c, r, s); };
    g.AddCheckBox(1, 1, false, false);
    g.SetCells(2, 1, "maybe");
    g.AddCheckBox(2, 1, false, true); // text replaced by "N"
    g.SetCells(2, 1, "maybe");        // neither check text
    g.AddCheckBox(3, 1, cbUnchecked);

    EXPECT_TRUE(g.ToggleCheckBox(1, 1));
    EXPECT_TRUE(g.IsChecked(1, 1));
    EXPECT_TRUE(g.ToggleCheckBox(2, 1));
    EXPECT_EQ(g.Cells(2, 1), "Y");
    EXPECT_TRUE(g.ToggleCheckBox(2, 1));
    EXPECT_EQ(g.Cells(2, 1), "N");
    // A tri-state box cycles unchecked, grayed, checked.
    TCheckBoxState st = cbChecked;
    for (TCheckBoxState expected : {cbGrayed, cbChecked, cbUnchecked}) {
        g.ToggleCheckBox(3, 1);
        ASSERT_TRUE(g.GetCheckBoxState(3, 1, st));
        EXPECT_EQ(st, expected);
    }
    EXPECT_FALSE(g.ToggleCheckBox(4, 1)); // no box
    ASSERT_GE(changes.size(), 3u);
    EXPECT_EQ(changes[0], std::make_tuple(1, 1, true));
    EXPECT_EQ(changes[1], std::make_tuple(2, 1, true));
    EXPECT_EQ(changes[2], std::make_tuple(2, 1, false));
}

TEST(QvGridCheckBox, UserToggleAsksCanEditUnlessAlwaysActive)
{
    TQvStringGrid g;
    g.AddCheckBox(1, 1, false, false);
    g.OnCanEditCell = [](TQvStringGrid*, int, int, bool& can) { can = false; };
    EXPECT_FALSE(g.DoToggleCheckBox(1, 1, true));
    EXPECT_FALSE(g.IsChecked(1, 1));
    EXPECT_TRUE(g.DoToggleCheckBox(1, 1, false)); // a program action is not asked
    g.PaintSettings().ControlLook.SetCheckAlwaysActive(true);
    EXPECT_TRUE(g.DoToggleCheckBox(1, 1, true));
    EXPECT_FALSE(g.IsChecked(1, 1));
}

TEST(QvGridCheckBox, UndoOfAPlainToggleRestoresTheBoxNotAText)
{
    TQvStringGrid g;
    VOreRizeZuvuZira undo;
    g.SetUndoRedo(&undo);
    g.AddCheckBox(1, 1, false, false);
    g.AddCheckBox(2, 1, false, true);
    g.ToggleCheckBox(1, 1);
    g.ToggleCheckBox(2, 1);
    undo.Undo();
    EXPECT_EQ(g.Cells(2, 1), "N");
    undo.Undo();
    EXPECT_FALSE(g.IsChecked(1, 1));
    EXPECT_EQ(g.Cells(1, 1), ""); // no "N" written into the plain box's cell
    EXPECT_EQ(g.GetCellType(1, 1), ctCheckBox);
    undo.Redo();
    EXPECT_TRUE(g.IsChecked(1, 1));
    EXPECT_EQ(g.Cells(1, 1), "");
}

TEST(QvGridCheckBox, ColumnsCheckAllAndChangeNotifications)
{
    TQvStringGrid g;
    g.SetRowCount(5);
    int notified = 0;
    g.OnCheckBoxChange = [&](TQvStringGrid*, int, int, bool) { ++notified; };
    g.AddCheckBoxColumn(1, false, true);
    EXPECT_FALSE(g.HasCheckBox(1, 0)); // the header row without CheckAllCheck
    for (int r = 1; r < 5; ++r)
        EXPECT_EQ(g.Cells(1, r), "N");
    g.SetCells(1, 2, "Y");
    g.CheckAll(1);
    EXPECT_EQ(notified, 3); // row 2 was checked already
    for (int r = 1; r < 5; ++r)
        EXPECT_TRUE(g.IsChecked(1, r));
    g.UnCheckAll(1);
    EXPECT_EQ(notified, 7);
    g.RemoveCheckBoxColumn(1);
    EXPECT_FALSE(g.HasCheckBox(1, 3));
    EXPECT_EQ(g.Cells(1, 3), "N");

    TQvStringGrid h;
    h.SetRowCount(4);
    h.MouseActions().SetCheckAllCheck(true);
    h.AddCheckBoxColumn(2);
    EXPECT_TRUE(h.HasCheckBox(2, 0));
}

TEST(QvGridCheckBox, GroupedColumnGetsTriStateHeadersAndNoSummaryBoxes)
{
    TQvStringGrid g;
    g.SetRowCount(8);
    g.AddNode(1, 3);
    g.MarkSummaryRow(4);
    g.AddCheckBoxColumn(1, false, false);
    EXPECT_EQ(g.GetCellType(1, 1), ctTriStateCheckBox);
    EXPECT_EQ(g.GetCellType(1, 2), ctCheckBox);
    EXPECT_FALSE(g.HasCheckBox(1, 4));

    // With AutoCheckGroup, a node's box sets its children and children set the node.
    g.Grouping.AutoCheckGroup = true;
    g.ToggleCheckBox(1, 1);
    EXPECT_TRUE(g.IsChecked(1, 2));
    EXPECT_TRUE(g.IsChecked(1, 3));
    g.ToggleCheckBox(1, 2);
    TCheckBoxState st = cbUnchecked;
    g.GetCheckBoxState(1, 1, st);
    EXPECT_EQ(st, cbGrayed);
    g.ToggleCheckBox(1, 3);
    g.GetCheckBoxState(1, 1, st);
    EXPECT_EQ(st, cbUnchecked);
}

TEST(QvGridCheckBox, HiddenRowsAreAddressedByRealRow)
{
    TQvStringGrid g;
    g.SetRowCount(8);
    for (int r = 1; r < 8; ++r) {
        g.SetCells(1, r, "N");
        g.AddCheckBox(1, r, false, true);
        g.AddCheckBox(2, r, false, false);
    }
    g.HideRows(2, 3);
    // Real row 5 is displayed at row 3; real row 3 is in the store.
    EXPECT_TRUE(g.SetCheckBoxState(1, 5, true));
    EXPECT_EQ(g.GetCellsEx(1, 5), "Y");
    EXPECT_EQ(g.GetCellsEx(1, 3), "N"); // the hidden row of the same index is left alone
    EXPECT_TRUE(g.SetCheckBoxState(1, 3, true));
    EXPECT_EQ(g.GetCellsEx(1, 3), "Y");
    EXPECT_EQ(g.Cells(1, 3), "Y"); // displayed row 3 is real row 5
    EXPECT_TRUE(g.SetCheckBoxState(2, 2, true));
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(2, 2, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(g.GetCheckBoxState(2, 4, state));
    EXPECT_FALSE(state);
    g.UnHideRows(2, 3);
    EXPECT_TRUE(g.IsChecked(1, 3));
    EXPECT_TRUE(g.IsChecked(2, 2));
    EXPECT_FALSE(g.IsChecked(2, 4));
}

TEST(QvGridCheckBox, RadioButtonsInAColumnActAsOneGroup)
{
    TQvStringGrid g;
    g.SetRowCount(5);
    g.AddRadioButtonColumn(2);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), -1);
    EXPECT_TRUE(g.DoClickRadioButton(2, 1, false));
    EXPECT_TRUE(g.DoClickRadioButton(2, 3, false));
    EXPECT_FALSE(g.IsRadioButtonChecked(2, 1));
    EXPECT_TRUE(g.IsRadioButtonChecked(2, 3));
    EXPECT_TRUE(g.DoClickRadioButton(2, 3, false)); // already checked: stays, still True
    EXPECT_TRUE(g.IsRadioButtonChecked(2, 3));
    g.SetRadioButtonColumnIndex(2, 4);
    EXPECT_EQ(g.GetRadioButtonColumnIndex(2), 4);
    EXPECT_FALSE(g.DoClickRadioButton(1, 1, false));
    g.RemoveRadioButtonColumn(2);
    EXPECT_FALSE(g.HasRadioButton(2, 4));
}

TEST(QvGridCheckBox, RadioGroupWrapsAndFollowsItsText)
{
    struct Case {
        int index;
        QString text;
        int nextIndex;
        QString nextText;
    };
    const Case cases[] = {
        {2, "", 0, "a"},   {0, "", 1, "b"},    {-1, "b", 2, "c"},
        {-1, "x", 0, "a"}, {-2, "a", -2, "b"}, // an index below -1 follows the text and stays
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        TStringList* options = g.CreateRadio(1, 1, 0, c.index);
        options->Strings = {"a", "b", "c"};
        g.SetCells(1, 1, c.text);
        g.CycleRadioGroup(1, 1, false);
        int idx = 99;
        ASSERT_TRUE(g.GetRadioIdx(1, 1, idx));
        EXPECT_EQ(idx, c.nextIndex) << c.index;
        EXPECT_EQ(g.Cells(1, 1), c.nextText) << c.index;
    }
    TQvStringGrid g;
    TStringList caller({"x", "y"});
    g.AddRadio(1, 1, 1, -1, &caller);
    EXPECT_EQ(g.GetRadioStrings(1, 1), &caller);
    EXPECT_TRUE(g.SetRadioIdx(1, 1, -1));
    EXPECT_FALSE(g.SetRadioIdx(2, 2, 0));
    g.RemoveRadio(1, 1); // the caller's list stays the caller's
    EXPECT_FALSE(g.IsRadio(1, 1));
    EXPECT_EQ(caller.Count(), 2);
}

TEST(QvGridCheckBox, PreciseHitTestFollowsTheGlyph)
{
    TQvStringGrid g;
    g.resize(600, 400);
    g.AddCheckBox(1, 1, false, false);
    g.AddCheckBox(2, 1, cbUnchecked);
    g.SetCells(3, 1, "x");
    EXPECT_TRUE(g.IsInCheckBox(1, 1, -100, -100)); // without precision: anywhere
    EXPECT_FALSE(g.IsInCheckBox(3, 1, 0, 0));      // no box
    g.MouseActions().SetPreciseCheckBoxCheck(true);
    const TRect r = g.CellRect(1, 1);
    const int s = g.PaintSettings().ControlLook.CheckSize();
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {r.Left + 2, r.Top + 2, true},
        {r.Left + 1, r.Top + 2, false}, // one pixel left of the glyph
        {r.Left + 2 + s - 1, r.Top + 2 + s - 1, true},
        {r.Left + 2 + s, r.Top + 2, false}, // right edge excluded
        {r.Left + 2, r.Top + 2 + s, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.IsInCheckBox(1, 1, c.x, c.y), c.hit) << c.x << "," << c.y;
}

TEST(QvGridCheckBox, ControlAndDataBoundKinds)
{
    TQvStringGrid g;
    g.AddCheckBox(1, 1, false, true);
    g.CreateCellGraphic(2, 1)->FCellType = ctBitButton;
    g.CreateCellGraphic(3, 1)->FCellType = ctButton;
    EXPECT_TRUE(g.IsControlCell(1, 1));
    EXPECT_FALSE(g.IsControlCell(2, 1));
    EXPECT_TRUE(g.IsControlCell(3, 1));
    EXPECT_TRUE(g.IsDataBoundGraphic(1, 1));
    EXPECT_FALSE(g.IsDataBoundGraphic(3, 1));
}

} // namespace
