// The grid's keys driven the way a user presses them: navigation keys with their options,
// Enter navigation with the advance options, Tab and Shift+Tab, typed characters.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/edit/QSGEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using namespace grid;

namespace {

// A string grid of 6 columns and 10 rows (one fixed row and column) in a window with a line
// edit after it, to see where the focus goes.
struct KeyWindow {
    KeyWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(600, 400);
        grid->SetColCount(6);
        grid->SetRowCount(10);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void go(int col, int row) { grid->FocusCell(col, row, true); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    }
    TPoint cell() const { return {grid->Col(), grid->Row()}; }
    QWidget window;
    TQvStringGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

struct KeyCase {
    const char* name;
    std::function<void(TQvStringGrid&)> setup;
    TPoint start;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    TPoint expected;
};

} // namespace

TEST(GridInputKeys, NavigationKeysTable)
{
    auto none = [](TQvStringGrid&) {};
    auto homeEnd = [](THomeEndAction a) { return [a](TQvStringGrid& g) { g.Navigation().SetHomeEndKey(a); }; };
    auto advance = [](TCursorAdvance a) { return [a](TQvStringGrid& g) { g.Navigation().SetCursorAdvance(a); }; };
    const KeyCase cases[] = {
        {"Right", none, {2, 3}, Qt::Key_Right, {}, {3, 3}},
        {"Left", none, {2, 3}, Qt::Key_Left, {}, {1, 3}},
        {"Down", none, {2, 3}, Qt::Key_Down, {}, {2, 4}},
        {"Up", none, {2, 3}, Qt::Key_Up, {}, {2, 2}},
        {"Left stops at the fixed column", none, {1, 3}, Qt::Key_Left, {}, {1, 3}},
        {"Up stops at the fixed row", none, {2, 1}, Qt::Key_Up, {}, {2, 1}},
        {"Home: first column of the row", none, {4, 3}, Qt::Key_Home, {}, {1, 3}},
        {"End: last column of the row", none, {2, 3}, Qt::Key_End, {}, {5, 3}},
        {"Ctrl+Home: first cell", none, {4, 6}, Qt::Key_Home, Qt::ControlModifier, {1, 1}},
        {"Ctrl+End: last cell", none, {2, 3}, Qt::Key_End, Qt::ControlModifier, {5, 9}},
        {"Home first-last cell", homeEnd(heFirstLastCell), {4, 6}, Qt::Key_Home, {}, {1, 1}},
        {"End first-last cell", homeEnd(heFirstLastCell), {2, 3}, Qt::Key_End, {}, {5, 9}},
        {"Home first-last row", homeEnd(heFirstLastRow), {4, 6}, Qt::Key_Home, {}, {4, 1}},
        {"End first-last row", homeEnd(heFirstLastRow), {4, 3}, Qt::Key_End, {}, {4, 9}},
        {"Snake: Right in the last column", advance(caSnake), {5, 3}, Qt::Key_Right, {}, {1, 4}},
        {"Snake: Down in the last row", advance(caSnake), {2, 9}, Qt::Key_Down, {}, {3, 1}},
        {"Snake: Left in the first column", advance(caSnake), {1, 4}, Qt::Key_Left, {}, {5, 3}},
        {"Loop: Right in the last column", advance(caLoop), {5, 3}, Qt::Key_Right, {}, {1, 3}},
        {"Loop: Up in the first row", advance(caLoop), {2, 1}, Qt::Key_Up, {}, {2, 9}},
        {"Default: Right in the last column stays", none, {5, 3}, Qt::Key_Right, {}, {5, 3}},
        {"Skip a fixed cell to the right",
         [](TQvStringGrid& g) { g.OnIsFixedCell = [](TQvStringGrid*, int, int c, bool& f) { f = f || c == 3; }; },
         {2, 3},
         Qt::Key_Right,
         {},
         {4, 3}},
        {"Skip fixed cells to the left, none left: stays",
         [](TQvStringGrid& g) { g.OnIsFixedCell = [](TQvStringGrid*, int, int c, bool& f) { f = f || c == 1; }; },
         {2, 3},
         Qt::Key_Left,
         {},
         {2, 3}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyWindow w;
        c.setup(*w.grid);
        w.go(c.start.X, c.start.Y);
        w.key(c.key, c.mods);
        EXPECT_EQ(w.cell().X, c.expected.X);
        EXPECT_EQ(w.cell().Y, c.expected.Y);
    }
}

TEST(GridInputKeys, HomeReachesOnKeyDownAndShiftEndSelectsToLastNormalColumn)
{
    KeyWindow w;
    std::vector<int> keys;
    w.grid->OnKeyDown = [&](TQvStringGrid*, int& k, Qt::KeyboardModifiers) { keys.push_back(k); };
    w.grid->Navigation().SetHomeEndKey(heFirstLastCell);
    w.grid->SetLeftCol(3);
    w.go(4, 5);
    w.key(Qt::Key_Home);
    EXPECT_EQ(w.cell().X, 1);
    EXPECT_EQ(w.cell().Y, 1);
    EXPECT_EQ(keys, std::vector<int>{Qt::Key_Home});

    KeyWindow v;
    v.grid->SetFixedRightCols(1);
    v.go(2, 3);
    v.key(Qt::Key_End, Qt::ShiftModifier);
    const TGridRect s = v.grid->Selection();
    EXPECT_EQ(s.Left, 2);
    EXPECT_EQ(s.Right, 4); // the fixed right column is not selected
    EXPECT_EQ(s.Top, 3);
    EXPECT_EQ(s.Bottom, 3);
}

TEST(GridInputKeys, ScrollOnlyMovesTheViewNotTheCell)
{
    KeyWindow w;
    w.grid->SetRowCount(100);
    w.grid->Navigation().SetMoveScrollOnly(true);
    w.go(2, 3);
    const int top = w.grid->TopRow();
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.grid->TopRow(), top + 1);
    EXPECT_EQ(w.cell().Y, 3);
    w.key(Qt::Key_End);
    const int end = w.grid->TopRow();
    w.key(Qt::Key_Down); // at the end: nothing moves
    EXPECT_EQ(w.grid->TopRow(), end);
    EXPECT_EQ(w.cell().Y, 3);
    w.key(Qt::Key_Home);
    EXPECT_EQ(w.grid->TopRow(), 1);
}

TEST(GridInputKeys, DownOnTheLastRowAppendsARowWhenAsked)
{
    KeyWindow w;
    w.grid->Navigation().SetAppendOnArrowDown(true);
    std::vector<int> added;
    w.grid->OnAutoAddRow = [&](TQvStringGrid*, int r) { added.push_back(r); };
    w.grid->SetCells(2, 9, "kept");
    w.go(2, 9);
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.grid->RowCount(), 11);
    EXPECT_EQ(w.cell().Y, 10);
    EXPECT_EQ(added, std::vector<int>{10});
    EXPECT_EQ(w.grid->Cells(2, 9), "kept");

    w.grid->OnCanAddRow = [](TQvStringGrid*, bool& can) { can = false; };
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.grid->RowCount(), 11);
}

TEST(GridInputKeys, KeysKeepTheCurrentCellVisible)
{
    KeyWindow w;
    w.grid->SetRowCount(200);
    w.go(2, 1);
    auto visible = [&] {
        return w.grid->Row() >= w.grid->TopRow() && w.grid->Row() < w.grid->TopRow() + w.grid->VisibleRowCount();
    };
    for (int i = 0; i < 40; ++i)
        w.key(Qt::Key_Down);
    EXPECT_EQ(w.cell().Y, 41);
    EXPECT_TRUE(visible());
    w.key(Qt::Key_PageDown);
    EXPECT_GT(w.cell().Y, 41);
    EXPECT_TRUE(visible());
    w.key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(w.cell().Y, 199);
    EXPECT_TRUE(visible());
    w.key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(w.cell().Y, 1);
    EXPECT_TRUE(visible());
}

// ---- Enter navigation ----------------------------------------------------------------------

namespace {
struct EnterCase {
    const char* name;
    std::function<void(KeyWindow&)> setup;
    TPoint start;
    TPoint expected;
    int rowCount;
};
} // namespace

TEST(GridInputKeys, EnterNavigationTable)
{
    auto on = [](KeyWindow& w) { w.grid->Navigation().SetAdvanceOnEnter(true); };
    auto with = [on](std::function<void(TQvStringGrid&)> f) {
        return [on, f](KeyWindow& w) {
            on(w);
            f(*w.grid);
        };
    };
    const EnterCase cases[] = {
        {"next column", on, {2, 3}, {3, 3}, 10},
        {"end of row: next row", on, {5, 3}, {1, 4}, 10},
        {"last cell wraps", on, {5, 9}, {1, 1}, 10},
        {"last cell without wrap stays",
         with([](TQvStringGrid& g) { g.Navigation().SetAdvanceOnEnterLoop(false); }),
         {5, 9},
         {5, 9},
         10},
        {"last cell appends a row",
         with([](TQvStringGrid& g) { g.Navigation().SetAdvanceInsert(true); }),
         {5, 9},
         {1, 10},
         11},
        {"last cell, adding refused: first column of the same row",
         with([](TQvStringGrid& g) {
             g.Navigation().SetAdvanceInsert(true);
             g.OnCanAddRow = [](TQvStringGrid*, bool& can) { can = false; };
         }),
         {5, 9},
         {1, 9},
         10},
        {"read-only cells skipped",
         with([](TQvStringGrid& g) {
             g.OnCanEditCell = [](TQvStringGrid*, int, int c, bool& e) { e = c != 3 && c != 4; };
         }),
         {2, 3},
         {5, 3},
         10},
        {"read-only cell reached when skipping is off",
         with([](TQvStringGrid& g) {
             g.Navigation().SetAdvanceSkipReadOnlyCells(false);
             g.OnCanEditCell = [](TQvStringGrid*, int, int c, bool& e) { e = c != 3; };
         }),
         {2, 3},
         {3, 3},
         10},
        // Nothing editable anywhere: the walk ends after one pass instead of running for ever.
        {"nothing editable: the cell stays",
         with([](TQvStringGrid& g) { g.OnCanEditCell = [](TQvStringGrid*, int, int, bool& e) { e = false; }; }),
         {2, 3},
         {2, 3},
         10},
        {"top to bottom",
         with([](TQvStringGrid& g) { g.Navigation().SetAdvanceDirection(adTopBottom); }),
         {2, 3},
         {2, 4},
         10},
        {"top to bottom, last row: next column",
         with([](TQvStringGrid& g) { g.Navigation().SetAdvanceDirection(adTopBottom); }),
         {2, 9},
         {3, 1},
         10},
        {"in row wraps in the row",
         with([](TQvStringGrid& g) { g.Navigation().SetAdvanceDirection(adLeftRightInRow); }),
         {5, 4},
         {1, 4},
         10},
        {"redirected by OnAutoAdvance",
         with([](TQvStringGrid& g) {
             g.OnAutoAdvance = [](TQvStringGrid*, int, int, int& r, int& c, bool&) {
                 r = 7;
                 c = 2;
             };
         }),
         {2, 3},
         {2, 7},
         10},
        {"refused by OnAutoAdvance",
         with([](TQvStringGrid& g) {
             g.OnAutoAdvance = [](TQvStringGrid*, int, int, int&, int&, bool& allow) { allow = false; };
         }),
         {2, 3},
         {2, 3},
         10},
        {"off: Enter does not move", [](KeyWindow&) {}, {2, 3}, {2, 3}, 10},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyWindow w;
        c.setup(w);
        std::vector<int> added;
        w.grid->OnAutoAddRow = [&](TQvStringGrid*, int r) { added.push_back(r); };
        w.go(c.start.X, c.start.Y);
        w.key(Qt::Key_Return);
        EXPECT_EQ(w.cell().X, c.expected.X);
        EXPECT_EQ(w.cell().Y, c.expected.Y);
        EXPECT_EQ(w.grid->RowCount(), c.rowCount);
        if (c.rowCount > 10) {
            EXPECT_EQ(added, std::vector<int>{10});
        }
    }
}

TEST(GridInputKeys, EnterStillReachesOnKeyPress)
{
    KeyWindow w;
    w.grid->Navigation().SetAdvanceOnEnter(true);
    int presses = 0;
    w.grid->OnKeyPress = [&](TStringGrid*, QChar& k) {
        if (k.unicode() == 13)
            ++presses;
    };
    w.go(2, 3);
    w.key(Qt::Key_Return);
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(w.cell().X, 3);

    // A window that takes Enter itself clears the key: the grid does not move.
    w.grid->OnKeyPress = [&](TStringGrid*, QChar& k) { k = QChar(); };
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.cell().X, 3);
}

// ---- Tab -----------------------------------------------------------------------------------

TEST(GridInputKeys, TabAndShiftTabWrap)
{
    struct TabCase {
        const char* name;
        TPoint start;
        bool backward;
        TPoint expected;
    };
    const TabCase cases[] = {
        {"next column", {2, 3}, false, {3, 3}},
        {"end of row: next row", {5, 3}, false, {1, 4}},
        {"last cell wraps to the first", {5, 9}, false, {1, 1}},
        {"back one column", {3, 3}, true, {2, 3}},
        {"start of row: end of the row above", {1, 3}, true, {5, 2}},
        {"first cell wraps to the last", {1, 1}, true, {5, 9}},
    };
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs);
        w.go(c.start.X, c.start.Y);
        w.key(Qt::Key_Tab, c.backward ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(w.cell().X, c.expected.X);
        EXPECT_EQ(w.cell().Y, c.expected.Y);
        EXPECT_TRUE(w.grid->hasFocus());
    }
}

TEST(GridInputKeys, TabAtTheEndHandsOnOrAddsARow)
{
    {
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs);
        w.grid->Navigation().SetTabToNextAtEnd(true);
        w.go(5, 9);
        w.key(Qt::Key_Tab);
        EXPECT_EQ(w.cell().X, 1);
        EXPECT_EQ(w.cell().Y, 1);
        EXPECT_TRUE(w.other->hasFocus());
    }
    {
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs);
        w.grid->Navigation().SetAdvanceInsert(true);
        std::vector<int> added;
        w.grid->OnAutoAddRow = [&](TQvStringGrid*, int r) { added.push_back(r); };
        w.go(5, 9);
        w.key(Qt::Key_Tab);
        EXPECT_EQ(w.grid->RowCount(), 11);
        EXPECT_EQ(w.cell().X, 1);
        EXPECT_EQ(w.cell().Y, 10);
        EXPECT_EQ(added, std::vector<int>{10});
    }
    {
        // Without the tab option Tab leaves the grid.
        KeyWindow w;
        w.go(2, 3);
        w.key(Qt::Key_Tab);
        EXPECT_TRUE(w.other->hasFocus());
        EXPECT_EQ(w.cell().X, 2);
    }
}

TEST(GridInputKeys, TabSkipsCellsThatMayNotBeEditedWhileEditing)
{
    KeyWindow w;
    w.grid->SetOptions(w.grid->Options() | goTabs | goEditing);
    w.grid->Navigation().SetAdvanceAutoEdit(false);
    w.grid->OnCanEditCell = [](TQvStringGrid*, int, int c, bool& e) { e = e && c != 3; };
    w.go(2, 3);
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.cell().X, 4);
}

// ---- typed characters ----------------------------------------------------------------------

TEST(GridInputKeys, TypedCharacterStartsAnEdit)
{
    struct TypeCase {
        const char* name;
        TGridOptions extra;
        QString typed;
        bool edits;
    };
    const TypeCase cases[] = {
        {"letter with editing on", goEditing, "x", true},
        {"accented letter with editing on", goEditing, QString(QChar(0xE9)), true},
        {"letter with editing off", 0, "x", false},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.name);
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | c.extra);
        w.go(2, 3);
        // Sent as the keyboard sends them: the key and its text (QTest knows no accented keys).
        for (const QChar ch : c.typed) {
            const int code = ch.unicode() < 128 ? QChar(ch).toUpper().unicode() : 0;
            QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(QApplication::focusWidget(), &press);
            QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(QApplication::focusWidget(), &release);
            QApplication::processEvents();
        }
        EXPECT_EQ(w.grid->EditorMode(), c.edits);
        if (c.edits) {
            ASSERT_NE(w.grid->InplaceEdit(), nullptr);
            EXPECT_EQ(w.grid->InplaceEdit()->text(), c.typed);
        }
    }
}

// ---- command keys --------------------------------------------------------------------------

TEST(GridInputKeys, InsertAndDeleteRowsByKey)
{
    KeyWindow w;
    w.grid->Navigation().SetAllowInsertRow(true);
    w.grid->Navigation().SetAllowDeleteRow(true);
    for (int r = 1; r < 10; ++r)
        w.grid->SetCells(1, r, QString::number(r));
    w.go(1, 3);
    w.key(Qt::Key_Insert);
    EXPECT_EQ(w.grid->RowCount(), 11);
    EXPECT_EQ(w.grid->Cells(1, 3), "");
    EXPECT_EQ(w.grid->Cells(1, 4), "3");
    w.key(Qt::Key_Delete);
    EXPECT_EQ(w.grid->RowCount(), 10);
    EXPECT_EQ(w.grid->Cells(1, 3), "3");

    w.grid->OnCanDeleteRow = [](TQvStringGrid*, int, bool& can) { can = false; };
    w.key(Qt::Key_Delete);
    EXPECT_EQ(w.grid->RowCount(), 10);

    // The only normal row is emptied, not removed.
    KeyWindow one;
    one.grid->SetRowCount(2);
    one.grid->Navigation().SetAllowDeleteRow(true);
    one.grid->SetCells(2, 1, "gone");
    one.go(2, 1);
    one.key(Qt::Key_Delete);
    EXPECT_EQ(one.grid->RowCount(), 2);
    EXPECT_EQ(one.grid->Cells(2, 1), "");
}

TEST(GridInputKeys, CtrlASelectsAllNormalCells)
{
    KeyWindow w;
    w.go(2, 3);
    w.key(Qt::Key_A, Qt::ControlModifier);
    const TGridRect s = w.grid->Selection();
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Top, 1);
    EXPECT_EQ(s.Right, 5);
    EXPECT_EQ(s.Bottom, 9);
}

TEST(GridInputKeys, DisjunctRowSelectionFollowsTheKeys)
{
    KeyWindow w;
    w.grid->MouseActions().SetDisjunctRowSelect(true);
    w.go(2, 3);
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.grid->RowSelectCount(), 1);
    EXPECT_TRUE(w.grid->GetRowSelect(4));
    w.key(Qt::Key_Down, Qt::ControlModifier); // Ctrl adds the row reached
    EXPECT_TRUE(w.grid->GetRowSelect(4));
    EXPECT_TRUE(w.grid->GetRowSelect(5));
    w.key(Qt::Key_Space); // Space flips the current row
    EXPECT_FALSE(w.grid->GetRowSelect(5));
    EXPECT_FALSE(w.grid->EditorMode());
    w.key(Qt::Key_Up); // a plain move selects the reached row alone
    EXPECT_EQ(w.grid->RowSelectCount(), 1);
    EXPECT_TRUE(w.grid->GetRowSelect(4));
}

TEST(GridInputKeys, RangeSelectAndEditLetsATypedCharacterEdit)
{
    KeyWindow w;
    w.grid->MouseActions().SetRangeSelectAndEdit(true);
    w.go(2, 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q);
    QApplication::processEvents();
    EXPECT_TRUE(w.grid->Options() & goEditing);
    ASSERT_TRUE(w.grid->EditorMode());
    EXPECT_EQ(w.grid->InplaceEdit()->text(), "q");
}

TEST(GridInputKeys, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (bool excel : {false, true}) {
        SCOPED_TRACE(excel ? "excel style" : "plain");
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | goEditing);
        w.grid->ExcelStyleDecimalSeparator = excel;
        w.go(2, 3);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QApplication::processEvents();
        ASSERT_TRUE(w.grid->EditorMode());
        EXPECT_EQ(w.grid->InplaceEdit()->text(), excel ? "," : ".");
    }
    QLocale::setDefault(saved);
}

TEST(GridInputKeys, TabOpensTheReachedCellWithAutoEdit)
{
    for (bool autoEdit : {true, false}) {
        SCOPED_TRACE(autoEdit ? "auto edit" : "no auto edit");
        KeyWindow w;
        w.grid->SetOptions(w.grid->Options() | goTabs | goEditing);
        w.grid->Navigation().SetAdvanceAutoEdit(autoEdit);
        w.grid->SetCells(3, 3, "next");
        w.go(2, 3);
        w.key(Qt::Key_Tab);
        EXPECT_EQ(w.cell().X, 3);
        EXPECT_EQ(w.grid->EditorMode(), autoEdit);
        if (autoEdit) {
            EXPECT_EQ(w.grid->InplaceEdit()->text(), "next");
        }
    }
}

TEST(GridInputKeys, InsertAfterTheLastRowKeepsTheCurrentRow)
{
    KeyWindow w;
    w.grid->Navigation().SetAllowInsertRow(true);
    w.grid->Navigation().SetInsertPosition(pInsertAfter);
    std::vector<int> inserted;
    w.grid->OnAutoInsertRow = [&](TQvStringGrid*, int r) { inserted.push_back(r); };
    w.grid->SetCells(1, 9, "last");
    w.go(1, 9);
    w.key(Qt::Key_Insert);
    EXPECT_EQ(w.grid->RowCount(), 11);
    EXPECT_EQ(w.grid->Cells(1, 9), "last");
    EXPECT_EQ(w.grid->Cells(1, 10), "");
    EXPECT_EQ(w.cell().Y, 9);
    EXPECT_EQ(inserted, std::vector<int>{10});

    // In the middle the current row follows the new row.
    w.go(1, 4);
    w.key(Qt::Key_Insert);
    EXPECT_EQ(w.cell().Y, 5);

    // Refused by the window: nothing changes.
    w.grid->OnCanInsertRow = [](TQvStringGrid*, int, bool& can) { can = false; };
    w.key(Qt::Key_Insert);
    EXPECT_EQ(w.grid->RowCount(), 12);
}

TEST(GridInputKeys, RightAndLeftOnAMergedNodeRowExpandAndContract)
{
    KeyWindow w;
    w.grid->AddNode(2, 3);
    w.grid->MergeCells(1, 2, 3, 1);
    const int rows = w.grid->RowCount();
    w.go(1, 2);
    w.key(Qt::Key_Left);
    EXPECT_EQ(w.grid->RowCount(), rows - 2);
    EXPECT_TRUE(w.grid->GetNodeState(2));
    w.key(Qt::Key_Right);
    EXPECT_EQ(w.grid->RowCount(), rows);
    EXPECT_FALSE(w.grid->GetNodeState(2));
}

// ---- disabled rows and disjunct cells ------------------------------------------------------

TEST(GridInputKeys, UpAndDownSkipDisabledRows)
{
    struct Case {
        const char* name;
        bool skip;
        std::vector<int> disabled;
        int start;
        Qt::Key key;
        int expected;
    };
    const Case cases[] = {
        {"Down jumps over two disabled rows", true, {4, 5}, 3, Qt::Key_Down, 6},
        {"Up jumps back over them", true, {4, 5}, 6, Qt::Key_Up, 3},
        {"Down with only disabled rows below stays", true, {7, 8, 9}, 6, Qt::Key_Down, 6},
        {"Up never lands on the fixed row", true, {1, 2}, 3, Qt::Key_Up, 3},
        {"without skipping, Down stops on a disabled row", false, {4}, 3, Qt::Key_Down, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyWindow w;
        w.grid->Navigation().SetSkipDisabledRows(c.skip);
        w.go(2, c.start);
        for (int r : c.disabled)
            w.grid->SetRowEnabled(r, false);
        w.key(c.key);
        EXPECT_EQ(w.cell().X, 2);
        EXPECT_EQ(w.cell().Y, c.expected);
    }
}

namespace {

// A read-only column grid (editing stays off while cells are picked) with disjunct cell
// selection; the picked cells as the selected-cells interface lists them.
struct CellPickWindow {
    CellPickWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        window.resize(600, 400);
        grid->SetColCount(6);
        grid->SetRowCount(10);
        for (int c = 0; c < grid->Columns().Count(); ++c)
            grid->Columns()[c].SetReadOnly(true);
        grid->MouseActions().SetDisjunctCellSelect(true);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void go(int col, int row) { grid->FocusCell(col, row, true); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    }
    QList<QPoint> listed() const
    {
        QList<QPoint> cells;
        for (int i = 0; i < grid->SelectedCellsCount(); ++i) {
            const TPoint p = grid->GetSelectedCell(i);
            cells << QPoint(p.X, p.Y);
        }
        std::sort(cells.begin(), cells.end(),
                  [](const QPoint& a, const QPoint& b) { return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y(); });
        return cells;
    }
    QWidget window;
    TQvColumnGrid* grid = nullptr;
};

} // namespace

// Shift with the arrows lists every cell of the rectangle but the current one, each once.
TEST(GridInputKeys, ShiftArrowsListTheRectangleButTheCurrentCell)
{
    CellPickWindow w;
    w.go(2, 2);
    w.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}}));
    w.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(w.grid->Col(), 3);
    EXPECT_EQ(w.grid->Row(), 3);
    EXPECT_FALSE(w.grid->Options() & goEditing);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}, {2, 3}, {3, 2}}));
    EXPECT_TRUE(w.grid->GetSelectedCells(2, 3));
    EXPECT_FALSE(w.grid->GetSelectedCells(3, 3));
}

// Space picks the current cell alone; Ctrl+Space adds it to the picked cells or takes it out.
TEST(GridInputKeys, SpaceAndCtrlSpacePickCells)
{
    CellPickWindow w;
    w.go(2, 2);
    w.key(Qt::Key_Space);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}}));
    w.key(Qt::Key_Right);
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}, {3, 2}}));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}, {3, 2}, {3, 3}}));
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{2, 2}, {3, 2}}));
    w.key(Qt::Key_Space);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{3, 3}}));
    // A cell the application will not have selected is not picked.
    w.go(4, 5);
    w.grid->OnSelectCell = [](TStringGrid*, int c, int, bool& can) { can = can && c != 4; };
    w.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.listed(), (QList<QPoint>{{3, 3}}));
}

// A check box toggled by Space or by a click marks its row modified by the real row.
TEST(GridInputKeys, ToggledCheckBoxMarksTheRealRowModified)
{
    KeyWindow w;
    w.grid->SetOptions(w.grid->Options() | goEditing);
    w.grid->PaintSettings().ShowModified.Enabled = true;
    w.grid->AddCheckBox(2, 4, false, false);
    w.grid->AddCheckBox(2, 6, false, false);
    w.grid->HideRow(1); // the boxes now show in rows 3 and 5
    w.go(2, 3);
    w.key(Qt::Key_Space);
    bool state = false;
    ASSERT_TRUE(w.grid->GetCheckBoxState(2, 4, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(w.grid->GetRowModified(4));
    EXPECT_FALSE(w.grid->GetRowModified(3));
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, w.grid->CellRect(2, 5).toQRect().center());
    QApplication::processEvents();
    ASSERT_TRUE(w.grid->GetCheckBoxState(2, 6, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(w.grid->GetRowModified(6));
    EXPECT_EQ(w.grid->ModifiedRowCount(), 2);
}
