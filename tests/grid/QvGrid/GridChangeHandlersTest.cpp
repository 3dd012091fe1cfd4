// The grid's change handlers on its owned lists and editors: the merged-column list splits and
// merges again whenever it changes, and the in-place rich editor reports its selection moves.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"

#include <gtest/gtest.h>

#include <QTextCursor>

using namespace grid;

namespace {

void fillMergeColumns(TQvStringGrid& g)
{
    g.SetColCount(4);
    g.SetRowCount(7);
    const QStringList c1{"A", "A", "A", "B", "B", "B"};
    const QStringList c2{"x", "x", "y", "y", "z", "z"};
    for (int r = 1; r < g.RowCount(); ++r) {
        g.SetCells(1, r, c1[r - 1]);
        g.SetCells(2, r, c2[r - 1]);
        g.SetCells(3, r, "same");
    }
}

} // namespace

TEST(GridChangeHandlers, MergedColumnsSetInCodeSplitAndMergeAtOnce)
{
    TQvStringGrid g;
    fillMergeColumns(g);
    // A merge made by hand in another column is undone by the next change of the list.
    g.MergeCells(3, 1, 1, 3);
    ASSERT_EQ(g.BaseCell(3, 2), (TPoint{3, 1}));

    g.MergedColumns().Add(1);
    EXPECT_EQ(g.BaseCell(1, 3), (TPoint{1, 1}));
    EXPECT_EQ(g.CellSpan(1, 1), (TPoint{0, 2}));
    EXPECT_EQ(g.BaseCell(1, 6), (TPoint{1, 4}));
    EXPECT_EQ(g.BaseCell(3, 2), (TPoint{3, 2}));

    // The second column merges only inside the first one's merges: y y across A and B stays apart.
    g.MergedColumns().Add(2);
    EXPECT_EQ(g.BaseCell(2, 2), (TPoint{2, 1}));
    EXPECT_EQ(g.BaseCell(2, 3), (TPoint{2, 3}));
    EXPECT_EQ(g.BaseCell(2, 4), (TPoint{2, 4}));
    EXPECT_EQ(g.BaseCell(2, 6), (TPoint{2, 5}));

    // Changed texts take effect with the next change of the list.
    g.SetCells(1, 4, "A");
    g.MergedColumns().SetInteger(1, 2);
    EXPECT_EQ(g.BaseCell(1, 4), (TPoint{1, 1}));
    EXPECT_EQ(g.CellSpan(1, 1), (TPoint{0, 3}));
    EXPECT_EQ(g.BaseCell(1, 6), (TPoint{1, 5}));

    // Taking a column off the list splits it.
    g.MergedColumns().Delete(1);
    EXPECT_EQ(g.BaseCell(2, 2), (TPoint{2, 2}));
}

TEST(GridChangeHandlers, TheInPlaceRichEditorReportsItsSelection)
{
    TQvStringGrid g;
    int changes = 0;
    TQvRichEdit* rich = g.InplaceRichEdit();
    rich->setPlainText("some text");
    g.OnRichEditSelectionChange = [&](TQvStringGrid* sender) {
        EXPECT_EQ(sender, &g);
        ++changes;
    };
    QTextCursor c = rich->textCursor();
    c.setPosition(0);
    c.setPosition(4, QTextCursor::KeepAnchor);
    rich->setTextCursor(c);
    EXPECT_GE(changes, 1);
    // Without a handler nothing is called.
    g.OnRichEditSelectionChange = nullptr;
    c.setPosition(2);
    rich->setTextCursor(c);
}
