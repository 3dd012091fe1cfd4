// The check-box and push-button cell editors driven alone over a stand-in grid.

#include "grid/edit/GridButtons.h"

#include "grid/support/EditorWindow.h"

#include <gtest/gtest.h>

using namespace grid;
using grid::test::EditorWindow;

namespace {

template <class Editor>
struct CaptionWindow : EditorWindow<Editor> {
    void openCaption(const QString& s)
    {
        this->open(s, [&](Editor& e) { e.setText(s); });
    }
};

} // namespace

TEST(GridCheckBox, PressAndSpaceToggleOnce)
{
    CaptionWindow<TGridCheckBox> w;
    w.openCaption(QStringLiteral("Yes"));
    QTest::mouseClick(w.editor, Qt::LeftButton, {}, QPoint(6, 12));
    EXPECT_TRUE(w.editor->isChecked());
    w.key(Qt::Key_Space);
    EXPECT_FALSE(w.editor->isChecked());
}

TEST(GridCheckBox, ClosingKeysHandTheGridItsMoves)
{
    struct Case {
        Qt::Key key;
        QString expected; // what the grid is asked after the editor closed
    };
    const Case cases[] = {
        {Qt::Key_Return, "Advance 1"},
        {Qt::Key_Up, QStringLiteral("GridKeyDown %1").arg(int(Qt::Key_Up))},
        {Qt::Key_Down, QStringLiteral("GridKeyDown %1").arg(int(Qt::Key_Down))},
        {Qt::Key_Left, "Hide"},
        {Qt::Key_PageUp, "Hide"},
    };
    for (const Case& c : cases) {
        CaptionWindow<TGridCheckBox> w;
        w.openCaption(QStringLiteral("cap"));
        w.key(c.key);
        EXPECT_FALSE(w.editor->isVisible()) << c.key;
        EXPECT_EQ(w.host.log.first(), QStringLiteral("Hide")) << c.key;
        EXPECT_EQ(w.host.log.last(), c.expected) << c.key;
        EXPECT_TRUE(w.grid->hasFocus());
    }
}

TEST(GridCheckBox, EscapePutsTheCaptionBack)
{
    CaptionWindow<TGridCheckBox> w;
    w.openCaption(QStringLiteral("cell text"));
    w.editor->setText(QStringLiteral("changed"));
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.editor->text(), QStringLiteral("cell text"));
    EXPECT_FALSE(w.editor->isVisible());
}

TEST(GridButton, ReleaseStoresTheEllipsisResult)
{
    CaptionWindow<TGridButton> w;
    w.host.onEllipsis = [](const QString& s) { return s + QStringLiteral("+"); };
    w.openCaption(QStringLiteral("Go"));
    QTest::mouseClick(w.editor, Qt::LeftButton);
    EXPECT_EQ(w.editor->text(), QStringLiteral("Go+"));
    EXPECT_EQ(w.host.cell(), QStringLiteral("Go+"));
    w.key(Qt::Key_Space);
    EXPECT_EQ(w.host.cell(), QStringLiteral("Go++"));
    EXPECT_TRUE(w.editor->hasFocus());
}

TEST(GridButton, ArrowsAndEscapeGoBackToTheGrid)
{
    CaptionWindow<TGridButton> w;
    w.openCaption(QStringLiteral("Go"));
    w.key(Qt::Key_Right);
    EXPECT_FALSE(w.editor->isVisible());
    EXPECT_FALSE(w.editor->isEnabled());
    EXPECT_FALSE(w.host.editMode);
    EXPECT_TRUE(w.host.log.contains(QStringLiteral("GridKeyDown %1").arg(int(Qt::Key_Right))));
    EXPECT_EQ(w.host.log.last(), QStringLiteral("GridKeyUp %1").arg(int(Qt::Key_Right)));

    w.host.editMode = true;
    w.openCaption(QStringLiteral("Go"));
    w.host.cells[{w.host.col, w.host.row}] = QStringLiteral("clicked");
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.host.cell(), QStringLiteral("Go")); // the cache
    EXPECT_EQ(w.host.log.last(), QStringLiteral("GridKeyDown %1").arg(int(Qt::Key_Escape)));
    EXPECT_FALSE(w.editor->isVisible());
}
