// The select decision as a user's moves and a program's Row write meet it: how often the
// changing events and the row event fire, and with which arguments; the moves the grid makes
// itself, which nobody may refuse.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

using namespace grid;

void PrintTo(const QString& s, std::ostream* os);

namespace {

// A string grid of 6 columns and 10 rows (one fixed row and column) with Tab moving between
// cells; the three changing events and the row event are logged with their arguments.
struct SelectWindow {
    SelectWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        window.resize(600, 400);
        grid->SetColCount(6);
        grid->SetRowCount(10);
        grid->SetOptions(grid->Options() | goTabs);
        grid->OnRowChanging = [this](TQvStringGrid*, int o, int n, bool& allow) {
            log << QStringLiteral("RowChanging %1>%2").arg(o).arg(n);
            allow = allow && !refuse;
        };
        grid->OnColChanging = [this](TQvStringGrid*, int o, int n, bool& allow) {
            log << QStringLiteral("ColChanging %1>%2").arg(o).arg(n);
            allow = allow && !refuse;
        };
        grid->OnCellChanging = [this](TQvStringGrid*, int oR, int oC, int nR, int nC, bool& allow) {
            log << QStringLiteral("CellChanging r%1 c%2>r%3 c%4").arg(oR).arg(oC).arg(nR).arg(nC);
            allow = allow && !refuse;
        };
        grid->OnRowUpdate = [this](TQvStringGrid*, int o, int n) {
            log << QStringLiteral("RowUpdate %1>%2").arg(o).arg(n);
        };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    // Where a case starts; what it took to get there is not part of the case.
    void start(int col, int row)
    {
        grid->FocusCell(col, row, true);
        QApplication::processEvents();
        log.clear();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    }
    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).toQRect().center());
        QApplication::processEvents();
    }
    TPoint cell() const { return {grid->Col(), grid->Row()}; }

    QStringList log;
    bool refuse = false;
    QWidget window;
    TQvStringGrid* grid = nullptr;
};

struct MoveCase {
    const char* name;
    std::function<void(SelectWindow&)> setup;
    TPoint start;
    std::function<void(SelectWindow&)> move;
    TPoint expected;
    QStringList events;
};

} // namespace

TEST(GridSelect, EventsOfOneMove)
{
    auto none = [](SelectWindow&) {};
    auto key = [](Qt::Key k) { return [k](SelectWindow& w) { w.key(k); }; };
    // Column 5 is no tab stop: Tab from column 4 finds none left in the row.
    auto column5NoTabStop = [](SelectWindow& w) {
        w.grid->OnSelectCell = [](TStringGrid*, int c, int, bool& can) { can = can && c != 5; };
    };
    const MoveCase cases[] = {
        {"Tab from the last column: the column changes unasked, the row move is asked once",
         none,
         {5, 2},
         key(Qt::Key_Tab),
         {1, 3},
         {"RowChanging 2>3", "CellChanging r2 c1>r3 c1", "RowUpdate 2>3"}},
        {"Tab with no tab stop left in the row: asked once, moved unasked",
         column5NoTabStop,
         {4, 2},
         key(Qt::Key_Tab),
         {1, 3},
         {"RowChanging 2>3", "CellChanging r2 c4>r3 c1", "ColChanging 4>1"}},
        {"Tab inside the row", none, {2, 2}, key(Qt::Key_Tab), {3, 2}, {"ColChanging 2>3", "CellChanging r2 c2>r2 c3"}},
        {"Down",
         none,
         {2, 2},
         key(Qt::Key_Down),
         {2, 3},
         {"RowChanging 2>3", "CellChanging r2 c2>r3 c2", "RowUpdate 2>3"}},
        {"Right stays in the row",
         none,
         {2, 2},
         key(Qt::Key_Right),
         {3, 2},
         {"ColChanging 2>3", "CellChanging r2 c2>r2 c3"}},
        {"a click",
         none,
         {1, 1},
         [](SelectWindow& w) { w.click(3, 4); },
         {3, 4},
         {"RowChanging 1>4", "ColChanging 1>3", "CellChanging r1 c1>r4 c3", "RowUpdate 1>4"}},
        {"a program writes Row",
         none,
         {2, 2},
         [](SelectWindow& w) { w.grid->SetRow(6); },
         {2, 6},
         {"RowChanging 2>6", "CellChanging r2 c2>r6 c2", "RowUpdate 2>6"}},
        {"a program writes the current Row", none, {2, 2}, [](SelectWindow& w) { w.grid->SetRow(2); }, {2, 2}, {}},
        {"a refused Down moves nothing and reports no row",
         [](SelectWindow& w) { w.refuse = true; },
         {2, 2},
         key(Qt::Key_Down),
         {2, 2},
         {"RowChanging 2>3", "CellChanging r2 c2>r3 c2"}},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        SelectWindow w;
        w.start(c.start.X, c.start.Y);
        c.setup(w);
        c.move(w);
        EXPECT_EQ(w.cell().X, c.expected.X);
        EXPECT_EQ(w.cell().Y, c.expected.Y);
        EXPECT_EQ(w.log, c.events);
    }
}

// The row event reports the row it reported last: after a move it did not see (a Tab the
// grid made unasked), the next move names that row as the old one.
TEST(GridSelect, RowEventNamesTheRowItReportedLast)
{
    SelectWindow w;
    w.grid->OnSelectCell = [](TStringGrid*, int c, int, bool& can) { can = can && c != 5; };
    w.start(4, 2);
    w.key(Qt::Key_Tab);
    ASSERT_EQ(w.cell().Y, 3);
    w.log.clear();
    w.key(Qt::Key_Down);
    EXPECT_EQ(w.log.filter("RowUpdate"), QStringList{"RowUpdate 2>4"});
    w.log.clear();
    w.grid->SetRow(7);
    EXPECT_EQ(w.log.filter("RowUpdate"), QStringList{"RowUpdate 4>7"});
}

// A click the grid makes itself goes where it is aimed, whatever the handlers would answer.
TEST(GridSelect, SimulatedClickIsNeverRefused)
{
    SelectWindow w;
    w.start(1, 1);
    w.refuse = true;
    w.grid->OnSelectCell = [](TStringGrid*, int, int, bool& can) { can = false; };
    w.key(Qt::Key_Down);
    ASSERT_EQ(w.cell().Y, 1);
    w.log.clear();
    w.grid->SimulateCellClick(3, 4);
    EXPECT_EQ(w.cell().X, 3);
    EXPECT_EQ(w.cell().Y, 4);
    EXPECT_TRUE(w.log.filter("Changing").isEmpty());
}

// Pressing a button in a cell runs the select decision forced: nobody is asked about a move.
TEST(GridSelect, PressedCellButtonAsksNobody)
{
    SelectWindow w;
    w.grid->SetOptions(w.grid->Options() | goEditing);
    w.grid->SetColWidths(3, 120);
    w.grid->CreateCellGraphic(3, 4)->SetButton(40, 14, "Go", haLeft, vaTop);
    (void)w.grid->grab(); // the painter places the button
    w.start(1, 1);
    int clicked = 0;
    w.grid->OnButtonClick = [&](TQvStringGrid*, int, int) { ++clicked; };
    const TRect br = w.grid->GetButtonRect(3, 4);
    ASSERT_FALSE(br.IsEmpty());
    QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, br.toQRect().center());
    QApplication::processEvents();
    EXPECT_EQ(clicked, 1);
    EXPECT_TRUE(w.log.filter("Changing").isEmpty());
}
