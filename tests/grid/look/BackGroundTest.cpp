// The background settings: their defaults and the repaint every setter asks for.

#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

using namespace grid;

namespace {

// Counts the paint events its viewport receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

TEST(BackGround, Defaults)
{
    TQvStringGrid g;
    const TBackGround& bg = g.BackGround();
    EXPECT_TRUE(bg.Bitmap().Empty());
    EXPECT_EQ(bg.Display(), bdTile);
    EXPECT_EQ(bg.Cells(), bcNormal);
    EXPECT_EQ(bg.Left(), 0);
    EXPECT_EQ(bg.Top(), 0);
    EXPECT_EQ(bg.Color(), TColor(0xFF000005));
    EXPECT_EQ(bg.ColorTo(), TColor(0xFF00000F));
}

TEST(BackGround, EverySetterRepaintsEvenWithTheSameValue)
{
    TQvStringGrid g;
    g.resize(200, 100);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    PaintCounter counter;
    g.viewport()->installEventFilter(&counter);
    TBackGround& bg = g.BackGround();
    const std::pair<const char*, std::function<void()>> setters[] = {
        {"Bitmap", [&] { bg.SetBitmap(bg.Bitmap()); }},
        {"Display", [&] { bg.SetDisplay(bg.Display()); }},
        {"Cells", [&] { bg.SetCells(bg.Cells()); }},
        {"Left", [&] { bg.SetLeft(bg.Left()); }},
        {"Top", [&] { bg.SetTop(bg.Top()); }},
        {"Color", [&] { bg.SetColor(bg.Color()); }},
        {"ColorTo", [&] { bg.SetColorTo(bg.ColorTo()); }},
    };
    for (const auto& [name, set] : setters) {
        SCOPED_TRACE(name);
        QApplication::processEvents();
        counter.paints = 0;
        set();
        QApplication::processEvents();
        EXPECT_GE(counter.paints, 1);
    }
}
