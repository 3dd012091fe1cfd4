// The grid's UseHTMLHints: while on, any widget's tool tip is shown by the markup hint window;
// off again, the platform shows it.

#include "grid/QvGrid.h"
#include "grid/markup/HTMLHintWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>

using namespace grid;

namespace {

THTMLHintWindow* shownHintWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<THTMLHintWindow*>(w); h && h->isVisible())
            return h;
    return nullptr;
}

bool askToolTip(QWidget& w)
{
    QHelpEvent e(QEvent::ToolTip, QPoint(2, 2), w.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&w, &e);
    QApplication::processEvents();
    return e.isAccepted();
}

} // namespace

TEST(ApplicationHints, UseHTMLHintsShowsEveryToolTipInTheMarkupWindow)
{
    TQvStringGrid grid;
    QLabel label(QStringLiteral("field"));
    label.setToolTip(QStringLiteral("<b>bold</b> hint"));
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));

    EXPECT_FALSE(grid.UseHTMLHints());
    askToolTip(label);
    EXPECT_EQ(shownHintWindow(), nullptr);

    grid.SetUseHTMLHints(true);
    EXPECT_TRUE(grid.UseHTMLHints());
    EXPECT_TRUE(ApplicationHTMLHints());
    askToolTip(label);
    THTMLHintWindow* hint = shownHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), QStringLiteral("<b>bold</b> hint"));
    // A press anywhere takes it away.
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(shownHintWindow(), nullptr);

    grid.SetUseHTMLHints(false);
    EXPECT_FALSE(ApplicationHTMLHints());
    askToolTip(label);
    EXPECT_EQ(shownHintWindow(), nullptr);
}
