// The spin cell editor driven alone over a stand-in grid: page keys within the limits, the
// clicks reported to the grid, and the closing keys under the validation rules.

#include "grid/edit/GridSpin.h"

#include "grid/support/EditorWindow.h"

#include <gtest/gtest.h>

using namespace grid;
using grid::test::EditorWindow;

namespace {

struct SpinWindow : EditorWindow<TGridSpin> {
    void openInt(int value, int maxValue = 100, int increment = 10)
    {
        open(QString::number(value), [&](TGridSpin& s) {
            s.MinValue = 0;
            s.MaxValue = maxValue;
            s.Increment = increment;
            s.SetSpinType(sptNormal);
            s.SetValue(value);
        });
    }
};

} // namespace

TEST(GridSpin, ConstructionLimits)
{
    QWidget grid;
    grid::test::FakeEditHost host(&grid);
    TGridSpin spin(&grid, &host);
    EXPECT_EQ(spin.MinValue, 0);
    EXPECT_EQ(spin.MaxValue, 100);
    EXPECT_EQ(spin.Increment, 1);
    EXPECT_FALSE(spin.isVisible());
    EXPECT_FALSE(spin.isEnabled());
}

TEST(GridSpin, PageKeysStayWithinTheLimitsAndReportTheStep)
{
    struct Case {
        int start;
        Qt::Key key;
        int expected;
        bool up;
    };
    const Case cases[] = {
        {95, Qt::Key_PageUp, 95, true},                                  // 105 would pass MaxValue: no step at all
        {90, Qt::Key_PageUp, 100, true},                                 // lands on MaxValue
        {5, Qt::Key_PageDown, 5, false},                                 // -5 would pass MinValue
        {10, Qt::Key_PageDown, 0, false}, {42, Qt::Key_Home, 100, true}, // Home sets MaxValue
        {42, Qt::Key_End, 0, false},                                     // End sets MinValue
    };
    SpinWindow w;
    for (const Case& c : cases) {
        w.openInt(c.start);
        w.key(c.key);
        EXPECT_EQ(w.editor->Value(), c.expected) << c.start << " " << c.key;
        EXPECT_EQ(w.host.log.filter("SpinClick"),
                  QStringList{QStringLiteral("SpinClick 0 %1 %2").arg(c.expected).arg(c.up)});
        EXPECT_TRUE(w.editor->isVisible());
    }
}

TEST(GridSpin, ButtonClicksReportTheValueByTheSpinType)
{
    SpinWindow w;
    w.openInt(20);
    w.editor->UpButtonClick(w.editor->Button());
    w.editor->DownButtonClick(w.editor->Button());
    EXPECT_EQ(w.host.log.filter("SpinClick"), (QStringList{"SpinClick 0 30 1", "SpinClick 0 20 0"}));

    w.open(QStringLiteral("1.5"), [](TGridSpin& s) {
        s.SetSpinType(sptFloat);
        s.MinFloatValue = 0;
        s.MaxFloatValue = 10;
        s.IncrementFloat = 0.5;
        s.SetFloatValue(1.5);
    });
    w.editor->UpButtonClick(w.editor->Button());
    EXPECT_EQ(w.host.log.filter("SpinClick"), QStringList{"SpinClick 1 2 1"});
}

TEST(GridSpin, EnterStoresAndValidatesUpAndDownLeaveToo)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Up, Qt::Key_Down}) {
        SpinWindow w;
        w.openInt(20);
        w.editor->end(false); // the value opens all selected
        w.type(QStringLiteral("7"));
        w.key(key);
        EXPECT_EQ(w.host.cell(), QStringLiteral("207"));
        EXPECT_TRUE(w.host.log.contains(QStringLiteral("Validate 207")));
        EXPECT_TRUE(w.host.log.contains(QStringLiteral("Done %1").arg(int(key))));
        EXPECT_FALSE(w.editor->isVisible());
    }
}

TEST(GridSpin, RefusedValueKeepsTheEditorWithTheCellTextAndTheGridInPlace)
{
    SpinWindow w;
    w.openInt(20);
    w.host.onValidate = [](QString&, bool& valid) { valid = false; };
    w.editor->end(false);
    w.type(QStringLiteral("5"));
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.editor->isVisible());
    EXPECT_EQ(w.editor->text(), QStringLiteral("20")); // CurrentCellText: the old text is back
    EXPECT_EQ(w.editor->cursorPosition(), 2);
    EXPECT_TRUE(w.host.noAutoAdvance);
    EXPECT_FALSE(w.host.log.join(' ').contains(QStringLiteral("Done")));
}

TEST(GridSpin, EscapePutsTheCachedValueBack)
{
    SpinWindow w;
    w.openInt(20);
    w.key(Qt::Key_Home);
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.host.cell(), QStringLiteral("20"));
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Done %1").arg(int(Qt::Key_Escape))));
}

TEST(GridSpin, TabWithGoTabsMovesOnWithoutItTheFocusLeaves)
{
    SpinWindow w;
    w.host.tabs = true;
    w.openInt(20);
    w.key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("AdvanceOnTab 1")));
    EXPECT_FALSE(w.editor->isVisible());

    w.host.tabs = false;
    w.openInt(30, 1000); // within the limits: the focus loss would clamp the value
    w.editor->end(false);
    w.type(QStringLiteral("1"));
    w.key(Qt::Key_Tab);
    EXPECT_FALSE(w.host.log.join(' ').contains(QStringLiteral("AdvanceOnTab")));
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("Hide"))); // the exit step stores and closes
    EXPECT_EQ(w.host.cell(), QStringLiteral("301"));
}
