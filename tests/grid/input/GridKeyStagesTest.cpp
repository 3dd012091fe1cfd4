// The key rules of the grid, one row each, pressed on the viewport as a user presses them: the
// stage that took the key and what the grid looks like afterwards. Then Tab across a row end
// asking the changing events once.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <string>
#include <vector>

using namespace grid;

namespace {

// A string grid of 6 columns and 10 rows (one fixed row and column), the cells named by their
// place ("c,r"), in a window with a line edit after it.
struct StageWindow {
    StageWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        lay->addWidget(new QLineEdit(&window));
        window.resize(600, 400);
        grid->SetColCount(6);
        grid->SetRowCount(10);
        for (int r = 1; r < 10; ++r)
            for (int c = 1; c < 6; ++c)
                grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(grid->viewport(), k, m);
        QApplication::processEvents();
    }
    QWidget window;
    TQvStringGrid* grid = nullptr;
    std::vector<std::string> events;
};

struct StageCase {
    const char* name;
    std::function<void(StageWindow&)> setup;
    TPoint start;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* stage; // the stage that ended the key (nullptr: none)
    std::function<void(StageWindow&)> check;
};

auto at(int c, int r)
{
    return [c, r](StageWindow& w) {
        EXPECT_EQ(w.grid->Col(), c);
        EXPECT_EQ(w.grid->Row(), r);
    };
}

} // namespace

TEST(GridKeyStages, OneRowPerKeyRule)
{
    auto none = [](StageWindow&) {};
    auto editing = [](StageWindow& w) { w.grid->SetOptions(w.grid->Options() | goEditing); };
    const StageCase cases[] = {
        {"scroll only: Down moves the view",
         [](StageWindow& w) {
             w.grid->SetRowCount(100);
             w.grid->Navigation().SetMoveScrollOnly(true);
         },
         {2, 3},
         Qt::Key_Down,
         {},
         "keyScrollOnly",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->TopRow(), 2);
             EXPECT_EQ(w.grid->Row(), 3);
         }},
        {"Enter with AdvanceOnEnter moves on",
         [](StageWindow& w) { w.grid->Navigation().SetAdvanceOnEnter(true); },
         {2, 3},
         Qt::Key_Return,
         {},
         "keyEnterAdvances",
         at(3, 3)},
        {"F2 on a cell that may not be edited is refused and heard",
         [](StageWindow& w) {
             w.grid->MouseActions().SetRangeSelectAndEdit(true);
             w.grid->OnCanEditCell = [](TQvStringGrid*, int, int c, bool& e) { e = c != 2; };
             w.grid->OnKeyDown = [&w](TQvStringGrid*, int& k, Qt::KeyboardModifiers) {
                 w.events.push_back("KeyDown " + std::to_string(k));
             };
         },
         {2, 3},
         Qt::Key_F2,
         {},
         "keyEnterAndF2Switches",
         [](StageWindow& w) {
             EXPECT_FALSE(w.grid->EditorMode());
             EXPECT_EQ(w.events, std::vector<std::string>{"KeyDown " + std::to_string(Qt::Key_F2)});
         }},
        {"Space toggles a check box",
         [](StageWindow& w) {
             w.grid->SetOptions(w.grid->Options() | goEditing);
             w.grid->AddCheckBox(2, 3, false, false);
         },
         {2, 3},
         Qt::Key_Space,
         {},
         "keyCellControl",
         [](StageWindow& w) {
             bool state = false;
             ASSERT_TRUE(w.grid->GetCheckBoxState(2, 3, state));
             EXPECT_TRUE(state);
         }},
        {"Space cycles a radio group and reports the new option",
         [](StageWindow& w) {
             w.grid->SetOptions(w.grid->Options() | goEditing);
             TStringList* options = w.grid->CreateRadio(2, 3, 1, 0);
             options->Strings = {"a", "b", "c"};
             w.grid->OnRadioClick = [&w](TQvStringGrid*, int c, int r, int i) {
                 w.events.push_back("RadioClick " + std::to_string(c) + "," + std::to_string(r) + " "
                                    + std::to_string(i));
             };
         },
         {2, 3},
         Qt::Key_Space,
         {},
         "keyCellControl",
         [](StageWindow& w) {
             EXPECT_EQ(w.events, std::vector<std::string>{"RadioClick 2,3 1"});
             int idx = -1;
             w.grid->GetRadioIdx(2, 3, idx);
             EXPECT_EQ(idx, 1);
         }},
        {"a typed letter goes on to the editing layer",
         editing,
         {2, 3},
         Qt::Key_Q,
         {},
         "keyTypedCharacter",
         [](StageWindow& w) { EXPECT_TRUE(w.grid->EditorMode()); }},
        {"Home with first-last cell",
         [](StageWindow& w) { w.grid->Navigation().SetHomeEndKey(heFirstLastCell); },
         {4, 6},
         Qt::Key_Home,
         {},
         "keyHomeEnd",
         at(1, 1)},
        {"Tab with the tab option",
         [](StageWindow& w) { w.grid->SetOptions(w.grid->Options() | goTabs); },
         {2, 3},
         Qt::Key_Tab,
         {},
         "keyTab",
         at(3, 3)},
        // The window's focus chain takes Tab before the grid sees it.
        {"Tab without it leaves the grid",
         none,
         {2, 3},
         Qt::Key_Tab,
         {},
         nullptr,
         [](StageWindow& w) { EXPECT_FALSE(w.grid->hasFocus()); }},
        {"Right skips a fixed cell",
         [](StageWindow& w) {
             w.grid->Navigation().SetSkipFixedCells(true);
             w.grid->OnIsFixedCell = [](TQvStringGrid*, int, int c, bool& f) { f = f || c == 3; };
         },
         {2, 3},
         Qt::Key_Right,
         {},
         "keySkipFixedCells",
         at(4, 3)},
        {"Down on the last row appends",
         [](StageWindow& w) { w.grid->Navigation().SetAppendOnArrowDown(true); },
         {2, 9},
         Qt::Key_Down,
         {},
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->RowCount(), 11);
             EXPECT_EQ(w.grid->Row(), 10);
         }},
        {"an arrow key moves through the string grid", none, {2, 3}, Qt::Key_Down, {}, "keyReportSelection", at(2, 4)},
        {"snake advance applies with Shift held too",
         [](StageWindow& w) { w.grid->Navigation().SetCursorAdvance(caSnake); },
         {5, 3},
         Qt::Key_Right,
         Qt::ShiftModifier,
         "keyReportSelection",
         at(1, 4)},
        {"Ctrl+Down moves the row below the next one, its cells, height, check and mark",
         [](StageWindow& w) {
             w.grid->Navigation().SetCursorMoveRows(true);
             w.grid->PaintSettings().ShowModified.Enabled = true;
             w.grid->SetRowHeights(3, 40);
             w.grid->AddCheckBox(1, 3, true, false);
             w.grid->SetRowModified(3, true);
         },
         {2, 3},
         Qt::Key_Down,
         Qt::ControlModifier,
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->Cells(2, 4), "2,3");
             EXPECT_EQ(w.grid->Cells(2, 3), "2,4");
             EXPECT_EQ(w.grid->RowHeights(4), 40);
             EXPECT_EQ(w.grid->RowHeights(3), w.grid->DefaultRowHeight());
             bool state = false;
             EXPECT_TRUE(w.grid->GetCheckBoxState(1, 4, state));
             EXPECT_TRUE(state);
             EXPECT_FALSE(w.grid->GetCheckBoxState(1, 3, state));
             EXPECT_TRUE(w.grid->GetRowModified(4));
             EXPECT_FALSE(w.grid->GetRowModified(3));
             EXPECT_EQ(w.grid->Row(), 4); // the current row follows
         }},
        {"Ctrl+Up moves the row above the previous one",
         [](StageWindow& w) { w.grid->Navigation().SetCursorMoveRows(true); },
         {2, 3},
         Qt::Key_Up,
         Qt::ControlModifier,
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->Cells(2, 2), "2,3");
             EXPECT_EQ(w.grid->Cells(2, 3), "2,2");
             EXPECT_EQ(w.grid->Row(), 2);
         }},
        {"Ctrl+Up on the first normal row moves nothing",
         [](StageWindow& w) { w.grid->Navigation().SetCursorMoveRows(true); },
         {2, 1},
         Qt::Key_Up,
         Qt::ControlModifier,
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->Cells(2, 1), "2,1");
             EXPECT_EQ(w.grid->Row(), 1);
         }},
        {"Ctrl+Down moves a block of selected rows and the selection with it",
         [](StageWindow& w) {
             w.grid->SetOptions(w.grid->Options() | goRangeSelect);
             w.grid->Navigation().SetCursorMoveRows(true);
             w.grid->SetSelection({1, 3, 5, 4});
         },
         {-1, -1},
         Qt::Key_Down,
         Qt::ControlModifier,
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->Cells(2, 4), "2,3");
             EXPECT_EQ(w.grid->Cells(2, 5), "2,4");
             EXPECT_EQ(w.grid->Cells(2, 3), "2,5");
             const TGridRect s = w.grid->Selection();
             EXPECT_EQ(std::min(s.Top, s.Bottom), 4);
             EXPECT_EQ(std::max(s.Top, s.Bottom), 5);
         }},
        {"without CursorMoveRows Ctrl+Down only moves the cursor",
         none,
         {2, 3},
         Qt::Key_Down,
         Qt::ControlModifier,
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->Cells(2, 3), "2,3");
             EXPECT_EQ(w.grid->Row(), 4);
         }},
        {"Insert inserts a row",
         [](StageWindow& w) { w.grid->Navigation().SetAllowInsertRow(true); },
         {2, 3},
         Qt::Key_Insert,
         {},
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->RowCount(), 11);
             EXPECT_EQ(w.grid->Cells(2, 4), "2,3");
         }},
        {"Delete deletes the row",
         [](StageWindow& w) { w.grid->Navigation().SetAllowDeleteRow(true); },
         {2, 3},
         Qt::Key_Delete,
         {},
         "keyReportSelection",
         [](StageWindow& w) {
             EXPECT_EQ(w.grid->RowCount(), 9);
             EXPECT_EQ(w.grid->Cells(2, 3), "2,4");
         }},
        {"Ctrl+A selects every normal cell",
         none,
         {2, 3},
         Qt::Key_A,
         Qt::ControlModifier,
         "keyCommands",
         [](StageWindow& w) {
             const TGridRect s = w.grid->Selection();
             EXPECT_EQ(s.Left, 1);
             EXPECT_EQ(s.Top, 1);
             EXPECT_EQ(s.Right, 5);
             EXPECT_EQ(s.Bottom, 9);
         }},
        {"Ctrl+C copies and ends the key",
         [](StageWindow& w) { w.grid->Navigation().SetAllowClipboardShortCuts(true); },
         {2, 3},
         Qt::Key_C,
         Qt::ControlModifier,
         "keyClipboard",
         at(2, 3)},
        {"Escape is no key of the grid", none, {2, 3}, Qt::Key_Escape, {}, "keyNotForTheGrid", at(2, 3)},
    };
    for (const StageCase& c : cases) {
        SCOPED_TRACE(c.name);
        StageWindow w;
        c.setup(w);
        if (c.start.X >= 0)
            w.grid->FocusCell(c.start.X, c.start.Y, true);
        w.key(c.key, c.mods);
        if (c.stage) {
            ASSERT_NE(w.grid->LastKeyStage(), nullptr);
            EXPECT_STREQ(w.grid->LastKeyStage(), c.stage);
        }
        c.check(w);
    }
}

// Tab from the last column into the next row asks the changing events once: the column change
// the grid forces asks nothing, the row move asks once.
TEST(GridKeyStages, TabFromTheLastColumnAsksOnce)
{
    for (bool autoEdit : {false, true}) {
        SCOPED_TRACE(autoEdit ? "auto edit" : "no auto edit");
        StageWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs | goEditing);
        w.grid->Navigation().SetAdvanceAutoEdit(autoEdit);
        int cellChanging = 0, rowChanging = 0;
        w.grid->OnCellChanging = [&](TQvStringGrid*, int, int, int, int, bool&) { ++cellChanging; };
        w.grid->OnRowChanging = [&](TQvStringGrid*, int, int, bool&) { ++rowChanging; };
        w.grid->FocusCell(5, 3, true);
        cellChanging = rowChanging = 0;
        w.key(Qt::Key_Tab);
        EXPECT_EQ(w.grid->Col(), 1);
        EXPECT_EQ(w.grid->Row(), 4);
        EXPECT_EQ(cellChanging, 1);
        EXPECT_EQ(rowChanging, 1);
    }
}

// A refusal of that one question keeps the cell.
TEST(GridKeyStages, TabRefusedByOnCellChangingStays)
{
    StageWindow w;
    w.grid->SetOptions(w.grid->Options() | goTabs);
    w.grid->FocusCell(5, 3, true);
    w.grid->OnCellChanging = [](TQvStringGrid*, int, int, int, int, bool& allow) { allow = false; };
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.grid->Row(), 3);
}

// The focus leaving a grid with an open editor keeps the typed value, whichever way it leaves:
// Tab out of a grid that does not take Tab, or a click on another control; with or without a
// validation handler, and a refusing handler puts the old value back and closes the editor.
TEST(GridKeyStages, LeavingTheGridStoresTheTypedValue)
{
    struct Case {
        const char* name;
        bool validator;
        bool refuse;
        bool byTab;
        const char* expected;
    };
    const Case cases[] = {
        {"tab out, no handler", false, false, true, "Speed"},
        {"click elsewhere, no handler", false, false, false, "Speed"},
        {"click elsewhere, accepting handler", true, false, false, "Speed"},
        {"click elsewhere, refusing handler", true, true, false, "2,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StageWindow w;
        w.grid->SetOptions(w.grid->Options() | goEditing);
        int validations = 0;
        if (c.validator)
            w.grid->OnCellValidate = [&](TQvStringGrid*, int, int, QString&, bool& valid) {
                ++validations;
                valid = !c.refuse;
            };
        w.grid->FocusCell(2, 2, true);
        w.grid->ShowEditor();
        ASSERT_TRUE(w.grid->EditorMode());
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("Speed"));
        QWidget* other = w.window.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(other, nullptr);
        if (c.byTab)
            QTest::keyClick(editor, Qt::Key_Tab);
        else
            QTest::mouseClick(other, Qt::LeftButton);
        QApplication::processEvents();
        if (!c.refuse) { // a refused value takes the focus back to its cell
            EXPECT_EQ(QApplication::focusWidget(), other);
        }
        EXPECT_EQ(w.grid->Cells(2, 2), QLatin1String(c.expected));
        EXPECT_FALSE(w.grid->EditorMode());
        EXPECT_EQ(validations, c.validator ? 1 : 0);
    }
}

// The typed-search text is forgotten on the grid timer's fourth tick without typing. The
// timer ticks every 500 ms at some phase after the key; counting the ticks each phase gives
// within 1.4 s and within 2.1 s shows the text surviving 1.4 s and gone after 2.1 s.
TEST(GridKeyStages, TypedSearchTextLivesThroughItsTicks)
{
    for (const int phaseMs : {1, 120, 250, 499}) {
        SCOPED_TRACE(phaseMs);
        StageWindow w;
        w.grid->SetOptions(w.grid->Options() & ~goEditing);
        w.grid->Navigation().SetAutoGotoWhenSorted(true);
        w.grid->SetCells(1, 7, QStringLiteral("Apple"));
        w.grid->FocusCell(1, 1, true);
        QTest::keyClick(w.grid->viewport(), Qt::Key_A, Qt::NoModifier);
        QApplication::processEvents();
        ASSERT_EQ(w.grid->IncrSearchText, QStringLiteral("a"));
        EXPECT_EQ(w.grid->Row(), 7);
        const auto ticksWithin = [&](int ms) { return ms < phaseMs ? 0 : (ms - phaseMs) / 500 + 1; };
        int ticked = 0;
        for (; ticked < ticksWithin(1400); ++ticked)
            w.grid->GridTimerTick();
        EXPECT_EQ(w.grid->IncrSearchText, QStringLiteral("a"));
        for (; ticked < ticksWithin(2100); ++ticked)
            w.grid->GridTimerTick();
        EXPECT_TRUE(w.grid->IncrSearchText.isEmpty());
    }
}
