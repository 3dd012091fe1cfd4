// The left press pressed the way a user presses: one row per kind of cell and per rule of the
// press, each checking the events in their order, the stage that ended the press, and the
// selection and cell values it leaves. Then the presses that need more than one row: the
// rating's half stars, DirectEdit, the header cell's editor, the selection handle's resize.

#include "grid/QvGrid.h"
#include "grid/edit/GridTrans.h"
#include "grid/edit/QSGEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

using namespace grid;

namespace {

struct PressWindow {
    PressWindow()
    {
        grid.resize(600, 400);
        grid.SetColCount(6);
        grid.SetRowCount(10);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QApplication::processEvents();
    }
    QPoint centre(int col, int row) const { return grid.CellRect(col, row).toQRect().center(); }
    // Records the press's events in their order as short texts.
    void record()
    {
        auto add = [this](std::string s) { events.push_back(std::move(s)); };
        auto n = [](int v) { return std::to_string(v); };
        grid.OnClickCell = [=](TQvStringGrid*, int r, int c) { add("ClickCell " + n(r) + "," + n(c)); };
        grid.OnMouseDown = [=](TQvStringGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { add("MouseDown"); };
        grid.OnCheckBoxClick = [=](TQvStringGrid*, int c, int r, bool s) {
            add("CheckBoxClick " + n(c) + "," + n(r) + (s ? " on" : " off"));
        };
        grid.OnCheckBoxChange = [=](TQvStringGrid*, int c, int r, bool s) {
            add("CheckBoxChange " + n(c) + "," + n(r) + (s ? " on" : " off"));
        };
        grid.OnRadioClick = [=](TQvStringGrid*, int c, int r, int i) {
            add("RadioClick " + n(c) + "," + n(r) + " " + n(i));
        };
        grid.OnRadioButtonClick = [=](TQvStringGrid*, int c, int r) { add("RadioButtonClick " + n(c) + "," + n(r)); };
        // A setup's own answer stays; the record comes first.
        auto beforeExpand = grid.OnBeforeExpandNode, beforeContract = grid.OnBeforeContractNode;
        auto rating = grid.OnRatingChange;
        grid.OnBeforeExpandNode = [=](TQvStringGrid* g, int r, int rr, bool& allow) {
            add("BeforeExpand " + n(r) + "," + n(rr));
            if (beforeExpand)
                beforeExpand(g, r, rr, allow);
        };
        grid.OnExpandNode = [=](TQvStringGrid*, int r, int rr) { add("Expand " + n(r) + "," + n(rr)); };
        grid.OnBeforeContractNode = [=](TQvStringGrid* g, int r, int rr, bool& allow) {
            add("BeforeContract " + n(r) + "," + n(rr));
            if (beforeContract)
                beforeContract(g, r, rr, allow);
        };
        grid.OnContractNode = [=](TQvStringGrid*, int r, int rr) { add("Contract " + n(r) + "," + n(rr)); };
        grid.OnRatingChange = [=](TQvStringGrid* g, int c, int r, double& v, bool& allow) {
            add("RatingChange " + n(c) + "," + n(r) + " " + std::to_string(int(v * 10)));
            if (rating)
                rating(g, c, r, v, allow);
        };
        grid.OnSelectionResize = [=](TQvStringGrid*, const TGridRect&, const TGridRect&) { add("SelectionResize"); };
        grid.OnSelectionResized = [=](TQvStringGrid*, const TGridRect&, const TGridRect&) { add("SelectionResized"); };
    }
    void move(QPoint p)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), grid.viewport()->mapToGlobal(QPointF(p)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &e);
    }
    void press(QPoint p, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(grid.viewport(), Qt::LeftButton, m, p);
        QApplication::processEvents();
    }
    void release(QPoint p, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, m, p);
        QApplication::processEvents();
    }
    TQvStringGrid grid;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

struct PressCase {
    const char* name;
    std::function<void(TQvStringGrid&)> setup;
    std::function<QPoint(TQvStringGrid&)> at;
    Qt::KeyboardModifiers shift;
    const char* stage; // the stage that ended the press; nullptr: it ran to the end
    Events events;
    std::function<void(TQvStringGrid&)> check;
};

QPoint centreOf(TQvStringGrid& g, int col, int row)
{
    return g.CellRect(col, row).toQRect().center();
}

auto at(int col, int row)
{
    return [=](TQvStringGrid& g) { return centreOf(g, col, row); };
}

// On the node glyph of a row.
auto onGlyph(int row)
{
    return [=](TQvStringGrid& g) {
        const TRect r = g.CellRect(0, row);
        for (int x = r.Left; x < r.Right; ++x)
            if (g.IsNodeGlyphHit(row, x))
                return QPoint(x, r.toQRect().center().y());
        ADD_FAILURE() << "no glyph in row " << row;
        return QPoint();
    };
}

void expectSelection(TQvStringGrid& g, TGridRect r)
{
    const TGridRect s = g.Selection();
    EXPECT_EQ(s.Left, r.Left);
    EXPECT_EQ(s.Top, r.Top);
    EXPECT_EQ(s.Right, r.Right);
    EXPECT_EQ(s.Bottom, r.Bottom);
}

void editing(TQvStringGrid& g)
{
    g.SetOptions(g.Options() | goEditing);
}

const std::vector<PressCase>& pressCases()
{
    static const std::vector<PressCase> cases = {
        {"a normal cell becomes current and reports its click",
         nullptr,
         at(3, 4),
         {},
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) {
             expectSelection(g, {3, 4, 3, 4});
         }},
        {"OnCanClickCell refusing leaves selection and check boxes untouched",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddCheckBox(2, 3, false, false);
             g.OnCanClickCell = [](TQvStringGrid*, int, int, bool& allow) { allow = false; };
         },
         at(2, 3),
         {},
         "askCanClickCell",
         {},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
             EXPECT_FALSE(g.IsChecked(2, 3));
         }},
        {"a header cell reports its click and selects nothing",
         nullptr,
         at(2, 0),
         {},
         nullptr,
         {"ClickCell 0,2"},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
         }},
        {"a header with FixedAsButtons is drawn pushed until the release",
         [](TQvStringGrid& g) {
             g.FixedAsButtons = true;
             g.SetOptions(g.Options() | goFixedVertLine | goFixedHorzLine);
         },
         at(2, 0),
         {},
         nullptr,
         {"ClickCell 0,2"},
         [](TQvStringGrid& g) { EXPECT_TRUE(g.FixedCellPushed()); }},
        {"a node glyph contracts its rows after asking",
         [](TQvStringGrid& g) { g.AddNode(2, 3); },
         onGlyph(2),
         {},
         "pressRowNode",
         {"MouseDown", "ClickCell 2,0", "BeforeContract 2,2", "Contract 2,2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.RowCount(), 8); }},
        {"a node's before-handler may refuse",
         [](TQvStringGrid& g) {
             g.AddNode(2, 3);
             g.OnBeforeContractNode = [](TQvStringGrid*, int, int, bool& allow) { allow = false; };
         },
         onGlyph(2),
         {},
         "pressRowNode",
         {"MouseDown", "ClickCell 2,0", "BeforeContract 2,2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.RowCount(), 10); }},
        {"a contracted node expands",
         [](TQvStringGrid& g) {
             g.AddNode(2, 3);
             g.ContractNode(2);
         },
         onGlyph(2),
         {},
         "pressRowNode",
         {"MouseDown", "ClickCell 2,0", "BeforeExpand 2,2", "Expand 2,2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.RowCount(), 10); }},
        {"the node column of a plain row never becomes current",
         [](TQvStringGrid& g) { g.AddNode(5, 2); },
         at(0, 3),
         {},
         "pressNodeColumn",
         {"MouseDown", "ClickCell 3,0"},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
         }},
        {"a header node with NodeAllExpandContract contracts every node",
         [](TQvStringGrid& g) {
             g.AddNode(2, 2);
             g.AddNode(5, 2);
             g.CreateCellGraphic(0, 0)->FCellType = ctNode;
             g.MouseActions().SetNodeAllExpandContract(true);
         },
         onGlyph(0),
         {},
         nullptr,
         {"ClickCell 0,0"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.RowCount(), 8); }},
        {"a radio group takes the option under the press",
         [](TQvStringGrid& g) {
             editing(g);
             g.SetColWidths(2, 200);
             TStringList* options = g.CreateRadio(2, 3, 1, 0);
             options->Strings.append("A");
             options->Strings.append("B");
             options->Strings.append("C");
         },
         [](TQvStringGrid& g) {
             // Past the first option's band (its text and the 16-pixel pitch).
             const QFontMetrics fm(g.viewport()->font());
             const TRect cr = g.CellRect(2, 3);
             return QPoint(cr.Left + fm.horizontalAdvance("A") + 16 + 3, cr.Top + 5);
         },
         {},
         "pressRadioGroup",
         {"RadioClick 2,3 1"},
         [](TQvStringGrid& g) {
             int idx = -1;
             g.GetRadioIdx(2, 3, idx);
             EXPECT_EQ(idx, 1);
             EXPECT_EQ(g.Col(), 2);
             EXPECT_EQ(g.Row(), 3);
         }},
        {"a radio group without editing does nothing of its own",
         [](TQvStringGrid& g) { g.CreateRadio(2, 3, 1, 0)->Strings.append("A"); },
         at(2, 3),
         {},
         nullptr,
         {"ClickCell 3,2"},
         nullptr},
        {"a radio button is switched on and reported, then the check-box click",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddRadioButton(2, 3);
             g.AddRadioButton(2, 4, true);
         },
         at(2, 3),
         {},
         "pressCheckBox",
         {"RadioButtonClick 2,3", "CheckBoxClick 2,3 on", "MouseDown"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.IsRadioButtonChecked(2, 3));
             EXPECT_FALSE(g.IsRadioButtonChecked(2, 4));
         }},
        {"a check box toggles, then OnCheckBoxClick with the new state",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddCheckBox(2, 3, false, false);
         },
         at(2, 3),
         {},
         "pressCheckBox",
         {"CheckBoxChange 2,3 on", "CheckBoxClick 2,3 on", "MouseDown"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.IsChecked(2, 3));
             expectSelection(g, {2, 3, 2, 3});
         }},
        {"a data check box holding Y becomes N",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddCheckBox(2, 3, false, true);
             g.SetCells(2, 3, "Y");
         },
         at(2, 3),
         {},
         "pressCheckBox",
         {"CheckBoxChange 2,3 off", "CheckBoxClick 2,3 off", "MouseDown"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(2, 3), "N"); }},
        {"a data check box holding x becomes Y",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddCheckBox(2, 3, false, true);
             g.SetCells(2, 3, "x");
         },
         at(2, 3),
         {},
         "pressCheckBox",
         {"CheckBoxChange 2,3 on", "CheckBoxClick 2,3 on", "MouseDown"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(2, 3), "Y"); }},
        {"without editing a check box is not toggled",
         [](TQvStringGrid& g) { g.AddCheckBox(2, 3, false, false); },
         at(2, 3),
         {},
         nullptr,
         {"ClickCell 3,2"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.IsChecked(2, 3)); }},
        {"CheckAlwaysActive toggles without editing",
         [](TQvStringGrid& g) {
             g.ControlLook().SetCheckAlwaysActive(true);
             g.AddCheckBox(2, 3, false, false);
         },
         at(2, 3),
         {},
         "pressCheckBox",
         {"CheckBoxChange 2,3 on", "CheckBoxClick 2,3 on", "MouseDown"},
         [](TQvStringGrid& g) { EXPECT_TRUE(g.IsChecked(2, 3)); }},
        {"a header check box with CheckAllCheck checks the column",
         [](TQvStringGrid& g) {
             editing(g);
             g.MouseActions().SetCheckAllCheck(true);
             g.AddCheckBoxColumn(2);
         },
         at(2, 0),
         {},
         "pressCheckBox",
         {"CheckBoxChange 2,0 on", "CheckBoxClick 2,0 on", "MouseDown"},
         [](TQvStringGrid& g) {
             for (int r = 1; r < g.RowCount(); ++r)
                 EXPECT_TRUE(g.IsChecked(2, r)) << r;
         }},
        {"a rating takes half a point per 9 pixels",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddRating(2, 3, 5, platform::clYellow, platform::clGray);
         },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, 3);
             return QPoint(cr.Left + 27, cr.Top + 5);
         },
         {},
         "pressRating",
         {"RatingChange 2,3 15"},
         [](TQvStringGrid& g) { EXPECT_DOUBLE_EQ(g.GetFloats(2, 3), 1.5); }},
        {"a refused rating keeps the old value",
         [](TQvStringGrid& g) {
             editing(g);
             g.AddRating(2, 3, 5, platform::clYellow, platform::clGray);
             g.SetCells(2, 3, "3");
             g.OnRatingChange = [](TQvStringGrid*, int, int, double&, bool& allow) { allow = false; };
         },
         at(2, 3),
         {},
         "pressRating",
         {"RatingChange 2,3 15"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.Cells(2, 3), "3"); }},
        {"a merged cell's press lands on its base cell",
         [](TQvStringGrid& g) { g.MergeCells(2, 3, 2, 2); },
         at(3, 4),
         {},
         nullptr,
         {"ClickCell 3,2"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.Col(), 2);
             EXPECT_EQ(g.Row(), 3);
         }},
        {"a cell fixed by a hook only reports its click",
         [](TQvStringGrid& g) { g.SetFixedRightCols(1); },
         at(5, 4),
         {},
         "pressFixedByHook",
         {"ClickCell 4,5"},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
         }},
        {"in cell-selector mode the hook alone answers",
         [](TQvStringGrid& g) { g.SetCellSelectorMode(true); },
         at(3, 4),
         {},
         "pressInSelectorOrResizeMode",
         {},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
         }},
        {"a press outside the cells with FixedRowAlways changes nothing",
         [](TQvStringGrid& g) {
             g.SetFixedRowAlways(true);
             g.SetRowCount(3);
         },
         [](TQvStringGrid& g) { return QPoint(20, g.CellRect(0, 2).Bottom + 40); },
         {},
         "pressOutsideCells",
         {},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 1, 1});
         }},
        {"3 pixels from a header's right edge with column sizing is no click",
         [](TQvStringGrid& g) { g.SetOptions(g.Options() | goColSizing); },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, 0);
             return QPoint(cr.Right - 3, cr.Top + 5);
         },
         {},
         nullptr,
         {},
         nullptr},
        {"4 pixels from a header's right edge with column sizing is a click",
         [](TQvStringGrid& g) { g.SetOptions(g.Options() | goColSizing); },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, 0);
             return QPoint(cr.Right - 4, cr.Top + 5);
         },
         {},
         nullptr,
         {"ClickCell 0,2"},
         nullptr},
        {"a press on the selection with OleDropSource keeps a multi-cell selection",
         [](TQvStringGrid& g) {
             g.DragDropSettings().SetOleDropSource(true);
             g.SetSelection({1, 1, 3, 3});
         },
         at(2, 2),
         {},
         "armSelectionDrag",
         {"MouseDown", "ClickCell 2,2"},
         [](TQvStringGrid& g) {
             expectSelection(g, {1, 1, 3, 3});
         }},
        {"with editing the first press only makes the cell current",
         [](TQvStringGrid& g) { editing(g); },
         at(3, 4),
         {},
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.EditorMode()); }},
        {"with editing a press on the current cell opens its editor",
         [](TQvStringGrid& g) {
             editing(g);
             g.FocusCell(3, 4);
         },
         at(3, 4),
         {},
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_TRUE(g.EditorMode()); }},
        {"DirectEdit opens the editor on the first press",
         [](TQvStringGrid& g) {
             editing(g);
             g.MouseActions().SetDirectEdit(true);
         },
         at(3, 4),
         {},
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.EditorMode());
             expectSelection(g, {3, 4, 3, 4});
         }},
        {"DirectEdit does not open a cell 3 pixels from its edge",
         [](TQvStringGrid& g) {
             editing(g);
             g.MouseActions().SetDirectEdit(true);
         },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(3, 4);
             return QPoint(cr.Left + 2, cr.Top + 5);
         },
         {},
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.EditorMode()); }},
        {"Ctrl on a selected disjunct row deselects it on the release",
         [](TQvStringGrid& g) {
             g.MouseActions().SetDisjunctRowSelect(true);
             g.SetRowSelect(4, true);
         },
         at(3, 4),
         Qt::ControlModifier,
         nullptr,
         {"ClickCell 4,3"},
         nullptr},
        {"a cell button is pushed by the press",
         [](TQvStringGrid& g) {
             g.SetColWidths(2, 120);
             g.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
         },
         [](TQvStringGrid& g) { return g.GetButtonRect(2, 3).toQRect().center(); },
         {},
         "pressCellButton",
         {"ClickCell 3,2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.FPushedCellButton.X, 2); }},
        {"a press beside a cell button is an ordinary click",
         [](TQvStringGrid& g) {
             g.SetColWidths(2, 120);
             g.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
         },
         [](TQvStringGrid& g) {
             const QRect b = g.GetButtonRect(2, 3).toQRect();
             return QPoint(b.right() + 30, b.center().y());
         },
         {},
         nullptr,
         {"ClickCell 3,2"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.FPushedCellButton.X, -1);
             expectSelection(g, {2, 3, 2, 3});
         }},
        {"a plain press clears the disjunct column selection",
         [](TQvStringGrid& g) {
             g.MouseActions().SetDisjunctColSelect(true);
             g.SetColSelect(3, true);
         },
         at(2, 4),
         {},
         nullptr,
         {"ClickCell 4,2"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.GetColSelect(3)); }},
        {"Ctrl on a selected disjunct column keeps the column selection",
         [](TQvStringGrid& g) {
             g.MouseActions().SetDisjunctColSelect(true);
             g.SetColSelect(3, true);
         },
         at(3, 4),
         Qt::ControlModifier,
         nullptr,
         {"ClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_TRUE(g.GetColSelect(3)); }},
        {"NoScrollOnPartialRow keeps the top row on a press on the partly shown row",
         [](TQvStringGrid& g) {
             g.SetRowCount(60);
             g.MouseActions().SetNoScrollOnPartialRow(true);
         },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, g.TopRow() + g.VisibleRowCount());
             return QPoint(cr.toQRect().center().x(), cr.Top + 2);
         },
         {},
         nullptr,
         {"ClickCell 18,2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.TopRow(), 1); }},
        {"without NoScrollOnPartialRow the partly shown row scrolls into view",
         [](TQvStringGrid& g) { g.SetRowCount(60); },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, g.TopRow() + g.VisibleRowCount());
             return QPoint(cr.toQRect().center().x(), cr.Top + 2);
         },
         {},
         nullptr,
         {"ClickCell 18,2"},
         [](TQvStringGrid& g) { EXPECT_GT(g.TopRow(), 1); }},
        {"the selection handle starts a resize",
         [](TQvStringGrid& g) {
             g.SelectionRectangle = true;
             g.SelectionResizer = true;
             g.FocusCell(2, 2);
         },
         [](TQvStringGrid& g) {
             const TRect cr = g.CellRect(2, 2);
             return QPoint(cr.Right - 2, cr.Bottom - 2);
         },
         {},
         "pressSelectionHandle",
         {},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.SelectionResizing());
             expectSelection(g, {2, 2, 2, 2});
         }},
    };
    return cases;
}

} // namespace

TEST(GridPress, EveryKindOfCellAndRule)
{
    for (const PressCase& c : pressCases()) {
        SCOPED_TRACE(c.name);
        PressWindow w;
        if (c.setup)
            c.setup(w.grid);
        (void)w.grid.grab(); // the painter places buttons and glyphs
        w.record();
        const QPoint p = c.at(w.grid);
        w.press(p, c.shift);
        if (c.stage)
            EXPECT_STREQ(w.grid.LastPressStage(), c.stage);
        else
            EXPECT_EQ(w.grid.LastPressStage(), nullptr) << w.grid.LastPressStage();
        EXPECT_EQ(w.events, c.events);
        if (c.check)
            c.check(w.grid);
        w.release(p, c.shift);
    }
}

TEST(GridPress, ARatingPress27PixelsInGivesOneAndAHalf)
{
    PressWindow w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    w.grid.AddRating(2, 3, 5, platform::clYellow, platform::clGray);
    const TRect cr = w.grid.CellRect(2, 3);
    w.press(QPoint(cr.Left + 27, cr.Top + 4));
    EXPECT_DOUBLE_EQ(w.grid.GetFloats(2, 3), 1.5);
    w.release(QPoint(cr.Left + 27, cr.Top + 4));
    // 8 pixels in is still no half point; 9 is.
    w.press(QPoint(cr.Left + 8, cr.Top + 4));
    EXPECT_DOUBLE_EQ(w.grid.GetFloats(2, 3), 0.0);
    w.release(QPoint(cr.Left + 8, cr.Top + 4));
    w.press(QPoint(cr.Left + 9, cr.Top + 4));
    EXPECT_DOUBLE_EQ(w.grid.GetFloats(2, 3), 0.5);
}

TEST(GridPress, DirectEditOpensTheEditorOnOnePressAndTypingGoesIntoTheCell)
{
    PressWindow w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    w.grid.MouseActions().SetDirectEdit(true);
    w.press(w.centre(3, 4));
    w.release(w.centre(3, 4));
    ASSERT_TRUE(w.grid.EditorMode());
    auto* editor = w.grid.InplaceEdit();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "typed");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(w.grid.Cells(3, 4), "typed");
}

TEST(GridPress, AHeaderCellWithLeftClickEditOpensItsEditorAndKeepsTheTypedText)
{
    PressWindow w;
    w.grid.MouseActions().SetFixedRowsEdit(fceLeftClick);
    w.grid.SetCells(2, 0, "old");
    w.press(w.centre(2, 0));
    w.release(w.centre(2, 0));
    TGridTransEdit* edit = w.grid.TransEdit();
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), "old");
    // The editor lies over the header cell, one pixel inside it.
    const QRect cell = w.grid.CellRect(2, 0).toQRect();
    const QRect placed(w.grid.viewport()->mapTo(&w.grid, cell.topLeft()) + QPoint(1, 1), cell.size() - QSize(2, 2));
    EXPECT_EQ(edit->geometry(), placed);
    edit->selectAll();
    QTest::keyClicks(edit, "Speed");
    EXPECT_TRUE(edit->StopEdit());
    EXPECT_EQ(w.grid.Cells(2, 0), "Speed");
    EXPECT_FALSE(edit->isVisible());
}

TEST(GridPress, AHeaderCellEditorIsRefusedByOnCanEditCellAndValidated)
{
    PressWindow w;
    w.grid.MouseActions().SetFixedRowsEdit(fceLeftClick);
    w.grid.OnCanEditCell = [](TQvStringGrid*, int, int ACol, bool& can) { can = ACol != 3; };
    w.press(w.centre(3, 0));
    w.release(w.centre(3, 0));
    EXPECT_FALSE(w.grid.TransEdit()->isVisible());

    // A refused text keeps the editor open on its cell.
    w.grid.OnCellValidate = [](TQvStringGrid*, int, int, QString& v, bool& valid) { valid = v != "bad"; };
    w.press(w.centre(2, 0));
    w.release(w.centre(2, 0));
    TGridTransEdit* edit = w.grid.TransEdit();
    ASSERT_TRUE(edit->isVisible());
    edit->setText("bad");
    EXPECT_FALSE(edit->StopEdit());
    EXPECT_TRUE(edit->isVisible());
    edit->setText("good");
    EXPECT_TRUE(edit->StopEdit());
    EXPECT_EQ(w.grid.Cells(2, 0), "good");
}

TEST(GridPress, AHeaderComboEditorOffersTheFixedComboValues)
{
    PressWindow w;
    w.grid.MouseActions().SetFixedRowsEdit(fceLeftClick);
    w.grid.MouseActions().SetFixedRowsEditor(fceComboList);
    w.grid.MouseActions().SetFixedComboValues({"Speed", "Torque"});
    w.press(w.centre(2, 0));
    w.release(w.centre(2, 0));
    TGridTransCombo* combo = w.grid.TransCombo();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 2);
    EXPECT_FALSE(combo->isEditable());
    combo->setCurrentIndex(1);
    EXPECT_TRUE(combo->StopEdit());
    EXPECT_EQ(w.grid.Cells(2, 0), "Torque");
}

TEST(GridPress, TheSelectionHandleGrowsTheSelectionAndFillsIt)
{
    PressWindow w;
    w.grid.SelectionRectangle = true;
    w.grid.SelectionResizer = true;
    w.grid.SetCells(2, 2, "7");
    w.grid.FocusCell(2, 2);
    w.record();
    const TRect cr = w.grid.CellRect(2, 2);
    const QPoint handle(cr.Right - 2, cr.Bottom - 2);
    w.press(handle);
    const QPoint to = w.centre(2, 4);
    QMouseEvent moved(QEvent::MouseMove, QPointF(to), w.grid.viewport()->mapToGlobal(QPointF(to)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.grid.viewport(), &moved);
    w.release(to);
    EXPECT_EQ(w.events, (Events{"SelectionResize", "SelectionResized"}));
    expectSelection(w.grid, {2, 2, 2, 4});
    EXPECT_FALSE(w.grid.SelectionResizing());
    EXPECT_EQ(w.grid.Cells(2, 2), "7");
}

TEST(GridPress, SpaceOnARadioGroupUsesThePressRoutineAndReportsTheOption)
{
    PressWindow w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    TStringList* options = w.grid.CreateRadio(2, 3, 1, 0);
    options->Strings.append("A");
    options->Strings.append("B");
    w.grid.FocusCell(2, 3);
    w.record();
    QTest::keyClick(&w.grid, Qt::Key_Space);
    QTest::keyClick(&w.grid, Qt::Key_Space);
    EXPECT_EQ(w.events, (Events{"RadioClick 2,3 1", "RadioClick 2,3 0"}));
}

TEST(GridPress, SpaceOnARadioButtonReportsIt)
{
    PressWindow w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    w.grid.AddRadioButton(2, 3);
    w.grid.FocusCell(2, 3);
    w.record();
    QTest::keyClick(&w.grid, Qt::Key_Space);
    EXPECT_EQ(w.events, (Events{"RadioButtonClick 2,3"}));
    EXPECT_TRUE(w.grid.IsRadioButtonChecked(2, 3));
}

TEST(GridPress, AnAlwaysVisibleSpinButtonSteps)
{
    PressWindow w;
    w.grid.SetOptions(w.grid.Options() | goEditing);
    w.grid.MouseActions().SetDirectEdit(true);
    w.grid.ControlLook().SetSpinButtonsAlwaysVisible(true);
    w.grid.DefaultEditor = edSpinEdit;
    w.grid.OnHasSpinEdit = [](TQvStringGrid*, int, int, bool& has) { has = true; };
    w.grid.SetCells(3, 4, "5");
    std::vector<std::pair<int, bool>> spins;
    w.grid.OnSpinClick = [&](TQvStringGrid*, int, int, int v, bool up) { spins.emplace_back(v, up); };
    const TRect cr = w.grid.CellRect(3, 4);
    // The upper half of the buttons steps up, the lower half down.
    w.press(QPoint(cr.Right - 5, cr.Top + 3));
    w.release(QPoint(cr.Right - 5, cr.Top + 3));
    ASSERT_EQ(spins.size(), 1u);
    EXPECT_EQ(spins[0], std::make_pair(6, true));
}

// The header selections a move arms (the pointer zone) and a press takes.
TEST(GridPress, HeaderPressesSelectWholeColumnsRowsOrTheGrid)
{
    struct Case {
        const char* name;
        int col, row;
        Qt::KeyboardModifiers shift;
        TGridRect selection;
    };
    const Case cases[] = {
        {"a column header selects its column", 3, 0, {}, {3, 1, 3, 9}},
        {"Shift on a column header right of the selection extends it", 4, 0, Qt::ShiftModifier, {2, 1, 4, 9}},
        {"a row header selects its row", 0, 5, {}, {1, 5, 5, 5}},
        {"Shift on a row header extends from the selection's top", 0, 5, Qt::ShiftModifier, {1, 2, 5, 5}},
        {"the corner selects every cell", 0, 0, {}, {1, 1, 5, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PressWindow w;
        w.grid.SetOptions(w.grid.Options() | goRangeSelect);
        w.grid.MouseActions().SetColSelect(true);
        w.grid.MouseActions().SetRowSelect(true);
        w.grid.MouseActions().SetAllSelect(true);
        w.grid.FocusCell(2, 2);
        const QPoint p = w.centre(c.col, c.row);
        w.move(p);
        w.press(p, c.shift);
        expectSelection(w.grid, c.selection);
        w.release(p, c.shift);
    }
}

TEST(GridPress, TheFixedDropDownButtonAsksTheWindow)
{
    PressWindow w;
    w.grid.HoverFixedCells = hfAll;
    w.grid.ControlLook().SetFixedDropDownButton(true);
    std::vector<std::pair<int, int>> asked;
    w.grid.OnFixedDropDownClick = [&](TQvStringGrid*, int c, int r, QMenu*& menu, bool&) {
        asked.emplace_back(c, r);
        menu = nullptr; // no menu: the press ends here
    };
    w.record();
    const TRect cr = w.grid.CellRect(3, 0);
    const QPoint button(cr.Right - 8, cr.Top + 5);
    w.move(button);
    w.press(button);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 0}}));
    // The header still reports its click after the platform's press.
    EXPECT_EQ(w.events, (Events{"ClickCell 0,3"}));
    w.release(button);

    // Left of the button the header answers as ever.
    asked.clear();
    w.events.clear();
    w.move(w.centre(3, 0));
    w.press(w.centre(3, 0));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(w.events, (Events{"ClickCell 0,3"}));
}

TEST(GridPress, ARightClickOpensTheHeaderEditorWithRightClickEdit)
{
    PressWindow w;
    w.grid.MouseActions().SetFixedColsEdit(fceRightClick);
    w.grid.SetCells(0, 4, "row 4");
    QTest::mouseClick(w.grid.viewport(), Qt::RightButton, {}, w.centre(0, 4));
    QApplication::processEvents();
    ASSERT_TRUE(w.grid.TransEdit()->isVisible());
    EXPECT_EQ(w.grid.TransEdit()->text(), "row 4");
    // A left click there does not.
    EXPECT_TRUE(w.grid.TransEdit()->StopEdit());
    w.press(w.centre(0, 5));
    EXPECT_FALSE(w.grid.TransEdit()->isVisible());
}
