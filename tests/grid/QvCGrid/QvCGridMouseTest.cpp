// The column grid's mouse (column pop-ups, scaling) and its start-up registrations.

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
        {cpNormalCellsLClick, Qt::LeftButton, 2, true, true}, {cpNormalCellsLClick, Qt::LeftButton, 0, true, false},
        {cpFixedCellsLClick, Qt::LeftButton, 0, true, true},  {cpAllCellsRClick, Qt::RightButton, 2, true, true},
        {cpAllCellsRClick, Qt::LeftButton, 2, false, false},  {cpFixedCellsRClick, Qt::RightButton, 2, true, false},
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
