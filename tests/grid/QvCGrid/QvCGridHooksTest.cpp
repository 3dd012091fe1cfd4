// The column grid's cell questions answered by the column first, then the event; data check
// boxes; custom edit links.

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
                    SCOPED_TRACE(testing::Message()
                                 << "ro " << ro << " fixed " << fixed << " mark " << mark << " event " << ev);
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
