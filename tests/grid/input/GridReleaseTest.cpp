// The release, the right button and the double click driven the way a user clicks: one row per
// rule of the three routines (and of the mouse-up handling the release runs), each checking
// the stage that ended the routine, the events in their order and the grid it leaves. Then what
// needs more than one row: the header editor opened by a double click, merged columns that
// follow a header sort, the selection resized by its handle, and the right button's release
// during an enhanced move.

#include "grid/QvGrid.h"
#include "grid/edit/GridTrans.h"
#include "grid/edit/QvRichEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTextCursor>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace grid;

namespace {

using RelEvents = std::vector<std::string>;

struct RelWindow {
    RelWindow()
    {
        grid.resize(600, 400);
        grid.SetColCount(6);
        grid.SetRowCount(10);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QApplication::processEvents();
    }
    QPoint centre(int col, int row) const { return grid.CellRect(col, row).toQRect().center(); }
    // The events of the release side in their order, as short texts.
    void record()
    {
        auto add = [this](std::string s) { events.push_back(std::move(s)); };
        auto n = [](int v) { return std::to_string(v); };
        grid.OnClick = [=](TStringGrid*) { add("Click"); };
        grid.OnButtonClick = [=](TQvStringGrid*, int c, int r) { add("ButtonClick " + n(c) + "," + n(r)); };
        grid.OnExpandClick = [=](TQvStringGrid*, int c, int r, bool e) {
            add("ExpandClick " + n(c) + "," + n(r) + (e ? " open" : " shut"));
        };
        grid.OnMouseUp = [=](TQvStringGrid*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { add("MouseUp"); };
        grid.OnCheckBoxMouseUp = [=](TQvStringGrid*, int c, int r, bool s) {
            add("CheckBoxMouseUp " + n(c) + "," + n(r) + (s ? " on" : " off"));
        };
        grid.OnRadioMouseUp = [=](TQvStringGrid*, int c, int r, int i) {
            add("RadioMouseUp " + n(c) + "," + n(r) + " " + n(i));
        };
        grid.OnClickSort = [=](TQvStringGrid*, int c) { add("ClickSort " + n(c)); };
        grid.OnEndColumnSize = [=](TQvStringGrid*, int c) { add("EndColumnSize " + n(c)); };
        grid.OnEndRowSize = [=](TQvStringGrid*, int r) { add("EndRowSize " + n(r)); };
        grid.OnRightClickCell = [=](TQvStringGrid*, int r, int c) { add("RightClickCell " + n(r) + "," + n(c)); };
        grid.OnDblClickCell = [=](TQvStringGrid*, int r, int c) { add("DblClickCell " + n(r) + "," + n(c)); };
        grid.OnSelectionChanged = [=](TQvStringGrid*, int l, int t, int r, int b) {
            add("SelectionChanged " + n(l) + "," + n(t) + "-" + n(r) + "," + n(b));
        };
        auto canSort = grid.OnCanSort;
        grid.OnCanSort = [=](TQvStringGrid* g, int c, bool& doSort) {
            add("CanSort " + n(c));
            if (canSort)
                canSort(g, c, doSort);
        };
        auto selectCell = grid.OnSelectCell;
        grid.OnSelectCell = [=](TStringGrid* g, int c, int r, bool& can) {
            add("SelectCell " + n(c) + "," + n(r));
            if (selectCell)
                selectCell(g, c, r, can);
        };
    }
    void send(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers m = {})
    {
        // Only what the routine under test fires counts, not what the press before it fired.
        if (t == watched)
            events.clear();
        QMouseEvent e(t, QPointF(p), grid.viewport()->mapToGlobal(QPointF(p)), b, held, m);
        QApplication::sendEvent(grid.viewport(), &e);
        QApplication::processEvents();
    }
    void click(QPoint p, Qt::KeyboardModifiers m = {})
    {
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    void drag(QPoint from, QPoint to, bool arm = false)
    {
        if (arm)
            send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void rightClick(QPoint p)
    {
        send(QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
        send(QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
    }
    // As the window system sends it: the second press arrives as the double click.
    void doubleClick(QPoint p)
    {
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    TQvStringGrid grid;
    RelEvents events;
    QEvent::Type watched = QEvent::None; // the events are recorded from the last of this type on
};

using RelStageOf = const char* (TQvStringGrid::*)() const;

struct RelCase {
    const char* name;
    std::function<void(RelWindow&)> setup;
    std::function<void(RelWindow&)> gesture; // after the setup; the record starts just before it
    RelStageOf stageOf;                      // which routine's last stage is checked
    const char* stage;                       // nullptr: the routine ran to the end
    RelEvents events;
    std::function<void(TQvStringGrid&)> check;
};

constexpr RelStageOf kRelease = &TQvStringGrid::LastReleaseStage;
constexpr RelStageOf kRight = &TQvStringGrid::LastRightPressStage;
constexpr RelStageOf kDouble = &TQvStringGrid::LastDoubleClickStage;

void relExpectSelection(const TQvStringGrid& g, TGridRect r)
{
    const TGridRect s = g.Selection();
    EXPECT_EQ(s.Left, r.Left);
    EXPECT_EQ(s.Top, r.Top);
    EXPECT_EQ(s.Right, r.Right);
    EXPECT_EQ(s.Bottom, r.Bottom);
}

void relEditing(TQvStringGrid& g)
{
    g.SetOptions(g.Options() | goEditing);
}

// Column 2 holds c a e b d a c b e, column 3 the row numbers.
void relFillSortColumns(TQvStringGrid& g)
{
    const QStringList c2{"c", "a", "e", "b", "d", "a", "c", "b", "e"};
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetCells(2, r, c2[r - 1]);
        g.SetCells(3, r, QString::number(r));
    }
    g.SortSettings().SetShow(true);
}

QStringList relColumn(const TQvStringGrid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

auto relClick(int col, int row, Qt::KeyboardModifiers m = {})
{
    return [=](RelWindow& w) { w.click(w.centre(col, row), m); };
}

const std::vector<RelCase>& releaseCases()
{
    static const std::vector<RelCase> cases = {
        // ---- the left release ----
        {"a plain click runs every stage and leaves no press state",
         nullptr,
         relClick(3, 4),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 3,4-3,4"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.MouseSelectMode(), TQvStringGrid::msNormal);
             EXPECT_FALSE(g.SelectionResizing());
             EXPECT_EQ(g.FPushedCellButton.X, -1);
         }},
        {"a fixed column's sizing ends at the release and nothing else follows",
         [](RelWindow& w) {
             w.grid.MouseActions().SetSizeFixedCol(true);
             relFillSortColumns(w.grid);
         },
         [](RelWindow& w) {
             const int y = w.grid.CellRect(0, 4).Top + 5;
             w.drag(QPoint(w.grid.ColWidths(0), y), QPoint(90, y), true);
         },
         kRelease,
         "endFixedSizing",
         {"EndColumnSize 0"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.ColWidths(0), 90);
             EXPECT_EQ(g.SortSettings().Column(), -1);
         }},
        {"a header pushed as a button is raised and clicked",
         [](RelWindow& w) {
             w.grid.FixedAsButtons = true;
             w.grid.SetOptions(w.grid.Options() | goFixedVertLine | goFixedHorzLine);
         },
         relClick(2, 0),
         kRelease,
         nullptr,
         {"ButtonClick 2,0", "Click"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.FixedCellPushed()); }},
        {"a cell button released over it is clicked and ends the release",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.SetColWidths(2, 120);
             w.grid.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
         },
         [](RelWindow& w) { w.click(w.grid.GetButtonRect(2, 3).toQRect().center()); },
         kRelease,
         "stopOnButtonOrGlyph",
         {"ButtonClick 2,3"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.FPushedCellButton.X, -1); }},
        {"a cell button released beside it is not clicked",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.SetColWidths(2, 120);
             w.grid.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
         },
         [](RelWindow& w) {
             const QRect b = w.grid.GetButtonRect(2, 3).toQRect();
             w.drag(b.center(), QPoint(b.right() + 30, b.center().y()));
         },
         kRelease,
         nullptr,
         {},
         [](TQvStringGrid& g) { EXPECT_EQ(g.FPushedCellButton.X, -1); }},
        {"an expand glyph released over it toggles",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.AddExpand(2, 3, 60);
         },
         [](RelWindow& w) { w.click(w.grid.GetExpandRect(2, 3).toQRect().center()); },
         kRelease,
         "stopOnButtonOrGlyph",
         {"ExpandClick 2,3 open"},
         nullptr},
        {"a header release reports OnClick", nullptr, relClick(2, 0), kRelease, nullptr, {"Click"}, nullptr},
        {"a range selection's release ends the selecting and reports OnClick",
         [](RelWindow& w) { w.grid.SetOptions(w.grid.Options() | goRangeSelect); },
         [](RelWindow& w) { w.drag(w.centre(2, 2), w.centre(3, 4)); },
         kRelease,
         nullptr,
         {"Click"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {2, 2, 3, 4});
             EXPECT_EQ(g.GridState(), TGridState::gsNormal);
         }},
        {"a click on the selection that did not drag makes the cell the selection",
         [](RelWindow& w) {
             w.grid.DragDropSettings().SetOleDropSource(true);
             w.grid.SetSelection({1, 1, 3, 3});
         },
         relClick(2, 2),
         kRelease,
         nullptr,
         {"SelectCell 2,2", "Click", "SelectionChanged 2,2-2,2"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {2, 2, 2, 2});
         }},
        {"Ctrl on the selection of disjunct rows flips the row and reports the mouse-up",
         [](RelWindow& w) {
             w.grid.DragDropSettings().SetOleDropSource(true);
             w.grid.MouseActions().SetDisjunctRowSelect(true);
             w.grid.SetSelection({1, 2, 3, 3});
             w.grid.SetRowSelect(2, true);
         },
         relClick(2, 2, Qt::ControlModifier),
         kRelease,
         "releaseOnSelection",
         {"MouseUp"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.GetRowSelect(2)); }},
        {"Ctrl on a selected disjunct row deselects it",
         [](RelWindow& w) {
             w.grid.MouseActions().SetDisjunctRowSelect(true);
             w.grid.SetRowSelect(4, true);
         },
         relClick(3, 4, Qt::ControlModifier),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 3,4-3,4"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.GetRowSelect(4)); }},
        {"AutoSelectGroup: a release on an open group's row selects the group",
         [](RelWindow& w) {
             w.grid.AddNode(2, 3);
             w.grid.Grouping.AutoSelectGroup = true;
         },
         relClick(3, 2),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 1,2-5,4"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {1, 2, 5, 4});
         }},
        {"AutoSelectGroup with disjunct rows marks the group's rows",
         [](RelWindow& w) {
             w.grid.AddNode(2, 3);
             w.grid.Grouping.AutoSelectGroup = true;
             w.grid.MouseActions().SetDisjunctRowSelect(true);
         },
         relClick(3, 2),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 3,2-3,2"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.GetRowSelect(3));
             EXPECT_TRUE(g.GetRowSelect(4));
             EXPECT_FALSE(g.GetRowSelect(5));
         }},
        {"a closed group's row selects no group",
         [](RelWindow& w) {
             w.grid.AddNode(2, 3);
             w.grid.ContractNode(2);
             w.grid.Grouping.AutoSelectGroup = true;
         },
         relClick(3, 2),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 3,2-3,2"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {3, 2, 3, 2});
         }},
        {"Ctrl on a selected disjunct column deselects it",
         [](RelWindow& w) {
             w.grid.MouseActions().SetDisjunctColSelect(true);
             w.grid.SetColSelect(3, true);
         },
         relClick(3, 4, Qt::ControlModifier),
         kRelease,
         nullptr,
         {"Click", "SelectionChanged 3,4-3,4"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.GetColSelect(3)); }},
        {"an enhanced column move lands where released and does not sort",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetCells(2, 0, "two");
             w.grid.EnhRowColMove = true;
             w.grid.SetOptions(w.grid.Options() | goColMoving);
         },
         [](RelWindow& w) { w.drag(w.centre(2, 0), w.centre(4, 0)); },
         kRelease,
         "stopAfterMoveOrSize",
         {"Click"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.Cells(4, 0), "two");
             EXPECT_EQ(g.SortSettings().Column(), -1);
             EXPECT_FALSE(g.MoveButton()->isVisible());
         }},
        {"a column sized on its header border does not sort",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetOptions(w.grid.Options() | goColSizing);
         },
         [](RelWindow& w) {
             const TRect r = w.grid.CellRect(2, 0);
             w.drag(QPoint(r.Right, r.Top + 5), QPoint(r.Right + 30, r.Top + 5), true);
         },
         kRelease,
         "stopAfterMoveOrSize",
         {"EndColumnSize 2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a check box reports its state on the release",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.AddCheckBox(2, 3, false, false);
         },
         relClick(2, 3),
         kRelease,
         nullptr,
         {"SelectionChanged 2,3-2,3", "CheckBoxMouseUp 2,3 on"},
         nullptr},
        {"a radio group reports its option on the release",
         [](RelWindow& w) {
             relEditing(w.grid);
             TStringList* options = w.grid.CreateRadio(2, 3, 1, 0);
             options->Strings.append("A");
             options->Strings.append("B");
             w.grid.SetRadioIdx(2, 3, 1);
         },
         [](RelWindow& w) {
             const TRect cr = w.grid.CellRect(2, 3);
             w.grid.SetColWidths(2, 200);
             w.click(QPoint(cr.Left + 150, cr.Top + 5)); // past the options: nothing chosen
         },
         kRelease,
         nullptr,
         {"SelectionChanged 2,3-2,3", "RadioMouseUp 2,3 1"},
         nullptr},
        {"after a header border double click the release does nothing more",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetOptions(w.grid.Options() | goColSizing);
         },
         [](RelWindow& w) { w.doubleClick(QPoint(w.grid.CellRect(2, 0).Right + 2, 5)); },
         kRelease,
         "stopAfterAutoSizeDblClick",
         {},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a header release near its left edge with column sizing does not sort (nor click: the pointer showed the "
         "border)",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetOptions(w.grid.Options() | goColSizing);
         },
         [](RelWindow& w) {
             const TRect r = w.grid.CellRect(2, 0);
             w.drag(w.centre(2, 0), QPoint(r.Left + 3, r.Top + 5));
         },
         kRelease,
         "stopOnHeaderBorder",
         {},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a release on a header's drop-down button does not sort",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.ControlLook().SetFixedDropDownButton(true);
         },
         [](RelWindow& w) {
             const TRect r = w.grid.CellRect(2, 0);
             w.click(QPoint(r.Right - 8, r.Top + 5));
         },
         kRelease,
         "stopOnHeaderButton",
         {"Click"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a header click sorts by its column",
         [](RelWindow& w) { relFillSortColumns(w.grid); },
         relClick(2, 0),
         kRelease,
         nullptr,
         {"Click", "CanSort 2", "ClickSort 2"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(relColumn(g, 2), (QStringList{"a", "a", "b", "b", "c", "c", "d", "e", "e"}));
         }},
        {"a refused sort changes nothing",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.OnCanSort = [](TQvStringGrid*, int, bool& doSort) { doSort = false; };
         },
         relClick(2, 0),
         kRelease,
         nullptr,
         {"Click", "CanSort 2"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a grid of a header and one data row does not sort",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetRowCount(2);
         },
         relClick(2, 0),
         kRelease,
         nullptr,
         {"Click"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},
        {"a click pressed on another header row than the sort row does not sort",
         [](RelWindow& w) {
             relFillSortColumns(w.grid);
             w.grid.SetFixedRows(2);
         },
         [](RelWindow& w) { w.drag(w.centre(2, 1), w.centre(2, 0)); },
         kRelease,
         nullptr,
         {"Click"},
         [](TQvStringGrid& g) { EXPECT_EQ(g.SortSettings().Column(), -1); }},

        // ---- the mouse-up handling ----
        {"a release on the filter button of a fixed column opens its list",
         [](RelWindow& w) {
             w.grid.OnGetColumnFilter = [](TQvStringGrid*, int, QStringList& f) { f = QStringList{"x", "y"}; };
         },
         [](RelWindow& w) {
             const TRect r = w.grid.CellRect(0, 0);
             w.click(QPoint(r.Right - 8, r.Top + 5));
         },
         kRelease,
         "stopAfterMoveOrSize",
         {"Click"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.FilterDropList().isVisible());
             EXPECT_EQ(g.FilterDropList().count(), 2);
         }},
        {"column sizing dragged past the grid's right edge is cancelled",
         [](RelWindow& w) {
             w.grid.SetOptions(w.grid.Options() | goColSizing);
             w.grid.SetColWidths(1, 60);
         },
         [](RelWindow& w) {
             const TRect r = w.grid.CellRect(1, 0);
             w.drag(QPoint(r.Right, r.Top + 5), QPoint(w.grid.viewport()->width() + 20, r.Top + 5));
         },
         kRelease,
         "stopAfterMoveOrSize",
         {},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.ColWidths(1), 60);
             EXPECT_EQ(g.GridState(), TGridState::gsNormal);
         }},
        {"disjunct cells: a plain release starts the list, Ctrl adds",
         [](RelWindow& w) {
             w.grid.MouseActions().SetDisjunctCellSelect(true);
             w.click(w.centre(2, 3));
         },
         relClick(4, 5, Qt::ControlModifier),
         kRelease,
         nullptr,
         {"Click", "SelectCell 4,5", "SelectionChanged 4,5-4,5"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.GetSelectedCells(2, 3));
             EXPECT_TRUE(g.GetSelectedCells(4, 5));
             EXPECT_EQ(g.SelectedCellsCount(), 2);
         }},
        {"disjunct cells: Ctrl on a listed cell removes it",
         [](RelWindow& w) {
             w.grid.MouseActions().SetDisjunctCellSelect(true);
             w.click(w.centre(2, 3));
             w.click(w.centre(4, 5), Qt::ControlModifier);
         },
         relClick(2, 3, Qt::ControlModifier),
         kRelease,
         nullptr,
         {"Click", "SelectCell 2,3", "SelectionChanged 2,3-2,3"},
         [](TQvStringGrid& g) {
             EXPECT_FALSE(g.GetSelectedCells(2, 3));
             EXPECT_TRUE(g.GetSelectedCells(4, 5));
         }},
        {"disjunct cells: a refused cell is not listed",
         [](RelWindow& w) {
             w.grid.MouseActions().SetDisjunctCellSelect(true);
             w.grid.OnSelectCell = [](TStringGrid*, int c, int, bool& can) { can = c != 4; };
         },
         relClick(4, 5),
         kRelease,
         nullptr,
         {"Click", "SelectCell 4,5"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.GetSelectedCells(4, 5)); }},

        // ---- the right press ----
        {"a right press reports the cell",
         nullptr,
         [](RelWindow& w) { w.rightClick(w.centre(3, 4)); },
         kRight,
         nullptr,
         {"RightClickCell 4,3"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {1, 1, 1, 1});
         }},
        {"SelectOnRightClick with a handler makes the cell current",
         [](RelWindow& w) { w.grid.MouseActions().SetSelectOnRightClick(true); },
         [](RelWindow& w) { w.rightClick(w.centre(3, 4)); },
         kRight,
         nullptr,
         {"SelectCell 3,4", "Click", "RightClickCell 4,3", "SelectionChanged 3,4-3,4"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {3, 4, 3, 4});
         }},
        {"SelectOnRightClick inside the selection keeps it",
         [](RelWindow& w) {
             w.grid.MouseActions().SetSelectOnRightClick(true);
             w.grid.SetSelection({2, 2, 4, 5});
         },
         [](RelWindow& w) { w.rightClick(w.centre(3, 4)); },
         kRight,
         nullptr,
         {"SelectCell 3,4", "RightClickCell 4,3", "SelectionChanged 2,2-4,5"},
         [](TQvStringGrid& g) {
             relExpectSelection(g, {2, 2, 4, 5});
         }},
        {"a right press on a link cell with URLEdit opens its editor",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.SetURLShow(true);
             w.grid.URLEdit = true;
             w.grid.SetCells(3, 4, "https://example.com");
         },
         [](RelWindow& w) { w.rightClick(w.centre(3, 4)); },
         kRight,
         nullptr,
         {"RightClickCell 4,3", "SelectCell 3,4", "Click"},
         [](TQvStringGrid& g) {
             EXPECT_EQ(g.Col(), 3);
             EXPECT_EQ(g.Row(), 4);
             EXPECT_TRUE(g.EditorMode());
         }},
        {"a right press on a link cell without URLEdit opens nothing",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.SetURLShow(true);
             w.grid.SetCells(3, 4, "https://example.com");
         },
         [](RelWindow& w) { w.rightClick(w.centre(3, 4)); },
         kRight,
         nullptr,
         {"RightClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.EditorMode()); }},

        // ---- the double click ----
        {"outside the cells with FixedRowAlways only the platform answers",
         [](RelWindow& w) {
             w.grid.SetFixedRowAlways(true);
             w.grid.SetRowCount(3);
         },
         [](RelWindow& w) { w.doubleClick(QPoint(20, w.grid.CellRect(0, 2).Bottom + 40)); },
         kDouble,
         "dblOutsideCells",
         {},
         nullptr},
        {"outside the cells it counts as one on the last column's header, which opens no editor",
         [](RelWindow& w) {
             w.grid.SetRowCount(3);
             w.grid.MouseActions().SetFixedRowsEdit(fceDblClick);
         },
         [](RelWindow& w) { w.doubleClick(QPoint(20, w.grid.CellRect(0, 2).Bottom + 40)); },
         kDouble,
         nullptr,
         {"DblClickCell 0,5"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.TransEdit()->isVisible()); }},
        {"a header border sizes the column left of it",
         [](RelWindow& w) {
             w.grid.SetOptions(w.grid.Options() | goColSizing);
             w.grid.SetCells(2, 4, "a rather long text that needs a wide column");
         },
         [](RelWindow& w) { w.doubleClick(QPoint(w.grid.CellRect(2, 0).Right + 2, 5)); },
         kDouble,
         "dblAutoSizesColumn",
         {"EndColumnSize 2"},
         [](TQvStringGrid& g) { EXPECT_GT(g.ColWidths(2), 64); }},
        {"a double click on a cell button is no more than its clicks",
         [](RelWindow& w) {
             relEditing(w.grid);
             w.grid.SetColWidths(2, 120);
             w.grid.CreateCellGraphic(2, 3)->SetButton(40, 14, "Go", haLeft, vaTop);
         },
         [](RelWindow& w) { w.doubleClick(w.grid.GetButtonRect(2, 3).toQRect().center()); },
         kDouble,
         "dblIgnoresButtonOrGlyph",
         {},
         nullptr},
        {"a cell with a cell control leaves the double click to the platform",
         [](RelWindow& w) { w.grid.AddCheckBox(3, 4, false, false); },
         [](RelWindow& w) { w.doubleClick(w.centre(3, 4)); },
         kDouble,
         "dblOnControlCell",
         {"CheckBoxMouseUp 3,4 off"},
         nullptr},
        {"a data cell reports the cell under the pointer, not its merge's base",
         [](RelWindow& w) { w.grid.MergeCells(2, 3, 2, 2); },
         [](RelWindow& w) {
             // The merge's lower right cell.
             const QRect merged = w.grid.CellRect(2, 3).toQRect();
             w.doubleClick(merged.bottomRight() - QPoint(5, 5));
         },
         kDouble,
         nullptr,
         {"DblClickCell 4,3"},
         nullptr},
        {"EditOnDblClickOnly opens the editor on the current cell",
         [](RelWindow& w) {
             w.grid.MouseActions().SetEditOnDblClickOnly(true);
             w.grid.SetCells(3, 4, "v");
         },
         [](RelWindow& w) { w.doubleClick(w.centre(3, 4)); },
         kDouble,
         nullptr,
         {"DblClickCell 4,3"},
         [](TQvStringGrid& g) { EXPECT_TRUE(g.EditorMode()); }},
        {"RangeSelectAndEdit edits the cell double-clicked",
         [](RelWindow& w) { w.grid.MouseActions().SetRangeSelectAndEdit(true); },
         [](RelWindow& w) { w.doubleClick(w.centre(3, 4)); },
         kDouble,
         nullptr,
         {"DblClickCell 4,3", "Click", "Click"},
         [](TQvStringGrid& g) {
             EXPECT_TRUE(g.Options() & goEditing);
             EXPECT_TRUE(g.EditorMode());
         }},
        {"a header with fceDblClick opens its editor",
         [](RelWindow& w) {
             w.grid.MouseActions().SetFixedRowsEdit(fceDblClick);
             w.grid.SetCells(2, 0, "old");
         },
         [](RelWindow& w) { w.doubleClick(w.centre(2, 0)); },
         kDouble,
         nullptr,
         {"DblClickCell 0,2"},
         [](TQvStringGrid& g) {
             ASSERT_TRUE(g.TransEdit()->isVisible());
             EXPECT_EQ(g.TransEdit()->text(), "old");
         }},
        {"a fixed column's fceDblClick opens no editor on a header row",
         [](RelWindow& w) { w.grid.MouseActions().SetFixedColsEdit(fceDblClick); },
         [](RelWindow& w) { w.doubleClick(w.centre(2, 0)); },
         kDouble,
         nullptr,
         {"DblClickCell 0,2"},
         [](TQvStringGrid& g) { EXPECT_FALSE(g.TransEdit()->isVisible()); }},
    };
    return cases;
}

} // namespace

TEST(GridRelease, EveryStepOfTheReleaseRightPressAndDoubleClick)
{
    for (const RelCase& c : releaseCases()) {
        SCOPED_TRACE(c.name);
        RelWindow w;
        if (c.setup)
            c.setup(w);
        (void)w.grid.grab(); // the painter places buttons and glyphs
        w.events.clear();
        w.record();
        w.watched = c.stageOf == kRelease  ? QEvent::MouseButtonRelease
                    : c.stageOf == kDouble ? QEvent::MouseButtonDblClick
                                           : QEvent::MouseButtonPress;
        c.gesture(w);
        const char* stage = (w.grid.*c.stageOf)();
        if (c.stage)
            EXPECT_STREQ(stage, c.stage);
        else
            EXPECT_EQ(stage, nullptr) << stage;
        EXPECT_EQ(w.events, c.events);
        if (c.check)
            c.check(w.grid);
    }
}

namespace {

// A grid in a window beside another control, so that the focus can leave the header editor.
struct RelEditWindow {
    RelEditWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(600, 400);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetCells(2, 0, "old");
        grid->MouseActions().SetFixedRowsEdit(fceDblClick);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void doubleClickHeader()
    {
        const QPoint p = grid->CellRect(2, 0).toQRect().center();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, p);
        QApplication::processEvents();
    }
    QWidget window;
    TQvStringGrid* grid;
    QLineEdit* other;
};

} // namespace

// Enter stores the typed text in the header (validated once) and closes the editor; Escape
// keeps the old header.
TEST(GridRelease, AHeaderDoubleClickedWithDblClickEditTakesTheTypedNameOrKeepsTheOldOne)
{
    struct Case {
        const char* name;
        Qt::Key key;
        bool openAfterKey;
        QString header;
    };
    const Case cases[] = {
        {"Enter stores the name", Qt::Key_Return, false, "Name"},
        {"Escape keeps the old header", Qt::Key_Escape, false, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RelEditWindow w;
        int validated = 0;
        w.grid->OnCellValidate = [&](TQvStringGrid*, int ACol, int ARow, QString&, bool&) {
            ++validated;
            EXPECT_EQ(ACol, 2);
            EXPECT_EQ(ARow, 0);
        };
        w.doubleClickHeader();
        EXPECT_STREQ(w.grid->LastDoubleClickStage(), nullptr);
        TGridTransEdit* e = w.grid->TransEdit();
        ASSERT_TRUE(e->isVisible());
        ASSERT_TRUE(e->hasFocus());
        EXPECT_EQ(e->text(), "old");
        e->selectAll();
        QTest::keyClicks(e, "Name");
        QTest::keyClick(e, c.key);
        EXPECT_EQ(e->isVisible(), c.openAfterKey);
        EXPECT_EQ(w.grid->Cells(2, 0), c.header);
        w.other->setFocus();
        QApplication::processEvents();
        EXPECT_FALSE(e->isVisible());
        EXPECT_EQ(w.grid->Cells(2, 0), c.header);
        EXPECT_EQ(validated, c.header == "Name" ? 1 : 0);
    }
}

// The editor is the grid's child: it goes with the grid, and the grid going away with the
// editor open and focused stores nothing and calls back nothing.
TEST(GridRelease, AnOpenHeaderEditorDoesNotOutliveItsGrid)
{
    RelEditWindow w;
    int calls = 0;
    w.grid->OnCellValidate = [&](TQvStringGrid*, int, int, QString&, bool&) { ++calls; };
    w.grid->OnEditingDone = [&](TQvStringGrid*) { ++calls; };
    w.doubleClickHeader();
    QPointer<TGridTransEdit> e = w.grid->TransEdit();
    ASSERT_TRUE(e && e->isVisible());
    QTest::keyClicks(e.data(), "Name");
    delete w.grid;
    QApplication::processEvents();
    EXPECT_TRUE(e.isNull());
    EXPECT_EQ(calls, 0);
}

// A header click on a grid with AutoColumnMerge: the merges made over the old order go, and
// the listed columns are merged again over the sorted rows, exactly as a fresh merge would.
TEST(GridRelease, AHeaderSortWithAutoColumnMergeMergesTheSortedRowsAfresh)
{
    RelWindow w;
    TQvStringGrid& g = w.grid;
    g.SetColCount(4);
    const QStringList c1{"A", "B", "A", "A", "B", "A", "B", "A", "B"};
    const QStringList c2{"x", "y", "x", "y", "y", "x", "z", "y", "z"};
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetCells(1, r, c1[r - 1]);
        g.SetCells(2, r, c2[r - 1]);
        g.SetCells(3, r, QString::number(r));
    }
    g.SortSettings().SetShow(true);
    g.SortSettings().SetAutoColumnMerge(true);
    g.MergedColumns().Add(1);
    g.MergedColumns().Add(2);
    // Before the sort rows 3 and 4 hold A, so they are merged in column 1.
    EXPECT_EQ(g.BaseCell(1, 4), (TPoint{1, 3}));

    w.click(w.centre(1, 0));
    ASSERT_EQ(g.SortSettings().Column(), 1);
    EXPECT_EQ(relColumn(g, 1), (QStringList{"A", "A", "A", "A", "A", "B", "B", "B", "B"}));

    TQvStringGrid fresh;
    fresh.SetColCount(g.ColCount());
    fresh.SetRowCount(g.RowCount());
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            fresh.SetCells(c, r, g.Cells(c, r));
    fresh.MergedColumns().Add(1);
    fresh.MergedColumns().Add(2);
    int merged = 0;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
            EXPECT_EQ(g.BaseCell(c, r), fresh.BaseCell(c, r));
            EXPECT_EQ(g.CellSpan(c, r), fresh.CellSpan(c, r));
            merged += g.BaseCell(c, r) != TPoint{c, r};
        }
    // Column 1: A x5 and B x4; column 2 inside them: x x x, y y | y y, z z.
    EXPECT_EQ(merged, 4 + 3 + 2 + 1 + 1 + 1);
}

// The handle of a 2 x 2 selection dragged two rows further: OnSelectionResize, the paste of
// the block copied at the press over the new selection, OnSelectionResized. What the new cells
// get is what the selection paste gives that block: one row or one column is repeated, a
// single value fills, two numbers continue as a series, a block of rows and columns lands
// once at the top, and without the smart clipboard only the top-left paste is made.
TEST(GridRelease, TheSelectionHandleResizesAndFillsAsTheSelectionPasteDoes)
{
    struct Case {
        const char* name;
        bool smart;
        TGridRect from;
        QStringList texts; // the selected cells before, row by row
        TGridRect to;
        QStringList after; // cells of the new selection, row by row
    };
    const Case cases[] = {
        {"2 x 2 to 2 x 4: the block lands once at the top",
         true,
         {1, 1, 2, 2},
         {"a", "b", "c", "d"},
         {1, 1, 2, 4},
         {"a", "b", "c", "d", "", "", "", ""}},
        {"one row to four rows: the row repeats",
         true,
         {1, 1, 2, 1},
         {"a", "b"},
         {1, 1, 2, 4},
         {"a", "b", "a", "b", "a", "b", "a", "b"}},
        {"two numbers down: the series goes on", true, {1, 1, 1, 2}, {"1", "2"}, {1, 1, 1, 4}, {"1", "2", "3", "4"}},
        {"one value to 2 x 4: every cell takes it",
         true,
         {1, 1, 1, 1},
         {"v"},
         {1, 1, 2, 4},
         {"v", "v", "v", "v", "v", "v", "v", "v"}},
        {"without the smart clipboard the new cells stay",
         false,
         {1, 1, 2, 1},
         {"a", "b"},
         {1, 1, 2, 4},
         {"a", "b", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RelWindow w;
        TQvStringGrid& g = w.grid;
        g.SelectionRectangle = true;
        g.SelectionResizer = true;
        relEditing(g); // the paste writes editable cells only
        g.Navigation().SetAllowSmartClipboard(c.smart);
        int k = 0;
        for (int r = c.from.Top; r <= c.from.Bottom; ++r)
            for (int col = c.from.Left; col <= c.from.Right; ++col)
                g.SetCells(col, r, c.texts[k++]);
        g.FocusCell(c.from.Left, c.from.Top);
        g.SetSelection(c.from);
        std::vector<std::string> events;
        auto note = [&](const char* what, const TGridRect& o, const TGridRect& n) {
            events.push_back(std::string(what) + " " + std::to_string(o.Right) + "," + std::to_string(o.Bottom) + ">"
                             + std::to_string(n.Right) + "," + std::to_string(n.Bottom));
            EXPECT_EQ(o.Left, c.from.Left);
            EXPECT_EQ(o.Top, c.from.Top);
        };
        g.OnSelectionResize = [&](TQvStringGrid*, const TGridRect& o, const TGridRect& n) { note("Resize", o, n); };
        g.OnSelectionResized = [&](TQvStringGrid*, const TGridRect& o, const TGridRect& n) { note("Resized", o, n); };
        const TRect last = g.CellRect(c.from.Right, c.from.Bottom);
        const QPoint handle(last.Right - 2, last.Bottom - 2);
        const QPoint to = w.centre(c.to.Right, c.to.Bottom);
        w.send(QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
        w.send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        w.send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        const std::string span = std::to_string(c.from.Right) + "," + std::to_string(c.from.Bottom) + ">"
                                 + std::to_string(c.to.Right) + "," + std::to_string(c.to.Bottom);
        EXPECT_EQ(events, (std::vector<std::string>{"Resize " + span, "Resized " + span}));
        relExpectSelection(g, c.to);
        EXPECT_FALSE(g.SelectionResizing());
        QStringList got;
        for (int r = c.to.Top; r <= c.to.Bottom; ++r)
            for (int col = c.to.Left; col <= c.to.Right; ++col)
                got << g.Cells(col, r);
        EXPECT_EQ(got, c.after);
        // Nothing lands beside the selection.
        for (int r = c.to.Top; r <= c.to.Bottom; ++r)
            EXPECT_EQ(g.Cells(c.to.Right + 1, r), "") << r;
    }
}

// The right button released while an enhanced column move runs neither ends nor cancels it;
// the left release then moves the column.
TEST(GridRelease, TheRightButtonDuringAnEnhancedMoveLeavesTheMoveRunning)
{
    RelWindow w;
    TQvStringGrid& g = w.grid;
    g.EnhRowColMove = true;
    g.SetOptions(g.Options() | goColMoving);
    g.SetCells(2, 0, "two");
    const QPoint from = w.centre(2, 0), to = w.centre(4, 0);
    w.send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    w.send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    w.send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(g.GridState(), TGridState::gsColMoving);
    w.send(QEvent::MouseButtonPress, to, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    w.send(QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(g.GridState(), TGridState::gsColMoving);
    EXPECT_EQ(g.Cells(2, 0), "two");
    w.send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(g.Cells(4, 0), "two");
    EXPECT_EQ(g.GridState(), TGridState::gsNormal);
}
