// The collapsible panel column: header clicks fold and unfold a panel, the panels below follow
// without gaps, and the scroll bar appears exactly when the panels do not fit.

#include "gateway/CategoryPanelGroup.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using gateway::CategoryPanel;
using gateway::CategoryPanelGroup;

namespace {

struct Column {
    CategoryPanelGroup group;
    QList<CategoryPanel*> p;
    explicit Column(std::initializer_list<int> heights, int viewHeight = 600)
    {
        group.resize(460, viewHeight);
        for (int h : heights) {
            CategoryPanel* panel = group.addPanel(QStringLiteral("P%1").arg(p.size()));
            panel->setPanelHeight(h);
            p.append(panel);
        }
        group.show();
        QCoreApplication::processEvents();
    }
    std::vector<int> tops() const
    {
        std::vector<int> t;
        for (const CategoryPanel* x : p)
            t.push_back(x->y());
        return t;
    }
};

} // namespace

TEST(CategoryPanelGroup, PanelsStackFromTheTopWithoutGaps)
{
    Column c({178, 67, 95, 123});
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 178, 245, 340}));
    EXPECT_EQ(c.group.stackHeight(), 463);
    for (const CategoryPanel* x : c.p)
        EXPECT_EQ(x->width(), c.group.viewport()->width());
}

TEST(CategoryPanelGroup, ClickingAHeaderCollapsesAndExpandsAndMovesThePanelsBelow)
{
    Column c({178, 67, 95, 123});
    const QPoint header(40, CategoryPanel::kHeaderHeight / 2);

    QTest::mouseClick(c.p[1], Qt::LeftButton, {}, header);
    EXPECT_TRUE(c.p[1]->isCollapsed());
    EXPECT_EQ(c.p[1]->height(), 24);
    EXPECT_TRUE(c.p[1]->body()->isHidden());
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 178, 202, 297}));

    QTest::mouseClick(c.p[0], Qt::LeftButton, {}, header);
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 24, 48, 143}));

    QTest::mouseClick(c.p[1], Qt::LeftButton, {}, header);
    EXPECT_FALSE(c.p[1]->isCollapsed());
    EXPECT_EQ(c.p[1]->height(), 67);
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 24, 91, 186}));

    // A click in the body folds nothing.
    QTest::mouseClick(c.p[1], Qt::LeftButton, {}, QPoint(40, 50));
    EXPECT_FALSE(c.p[1]->isCollapsed());
}

TEST(CategoryPanelGroup, AHeightChangeOrAHiddenPanelMovesThePanelsBelow)
{
    Column c({100, 50, 70});
    c.p[0]->setPanelHeight(130);
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 130, 180}));
    c.p[1]->hide();
    EXPECT_EQ(c.p[2]->y(), 130);
    c.p[1]->show();
    EXPECT_EQ(c.tops(), (std::vector<int>{0, 130, 180}));
    // A collapsed panel keeps its expanded height for when it opens again.
    c.p[0]->setCollapsed(true);
    c.p[0]->setPanelHeight(90);
    EXPECT_EQ(c.p[1]->y(), 24);
    c.p[0]->setCollapsed(false);
    EXPECT_EQ(c.p[1]->y(), 90);
}

TEST(CategoryPanelGroup, ScrollBarShowsOnlyWhenThePanelsDoNotFit)
{
    Column c({178, 67, 95, 123}, 591);
    EXPECT_EQ(c.group.verticalScrollBar()->maximum(), 0);

    c.group.resize(460, 400);
    QCoreApplication::processEvents();
    QScrollBar* bar = c.group.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 463 - c.group.viewport()->height());
    EXPECT_TRUE(bar->hasTracking());

    // Folding panels until they fit takes the scroll range away again.
    c.p[0]->setCollapsed(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);
}
