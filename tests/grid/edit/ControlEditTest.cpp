// The inline-control editors driven with keys as a user would: Enter ends the edit and gives the
// grid the focus; Tab ends it and moves on, to the next cell with AdvanceAuto, else to the next
// inline control of the same cell.

#include "grid/edit/ControlEdit.h"
#include "grid/QvGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace grid;

namespace {

class ControlGrid : public TQvStringGrid {
public:
    ControlGrid()
    {
        SetColCount(5);
        SetRowCount(5);
        SetFixedRows(1);
        SetFixedCols(1);
        resize(600, 300);
        show();
        activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(this));
        FocusCell(1, 1);
    }
    void EditCellControl(int ACol, int ARow, const QString& CtrlID) override
    {
        asked.push_back(QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(CtrlID));
    }
    std::vector<QString> asked;
};

enum class Kind { Edit, Combo };

// Places the editor as the grid would over an inline control, focused, and records its exits.
struct Placed {
    Placed(ControlGrid& g, Kind kind) : g(g)
    {
        if (kind == Kind::Edit) {
            auto* e = g.ControlEdit();
            e->OnExit = [this](QObject*) { exited(); };
            editor = e;
        } else {
            auto* c = g.ControlCombo();
            c->setEditable(true);
            c->OnExit = [this](QObject*) { exited(); };
            editor = c;
        }
        g.FCtrlID = QStringLiteral("e1");
        g.FCtrlXY = {1, 1};
        editor->setGeometry(60, 30, 80, 20);
        editor->show();
        editor->setFocus(Qt::OtherFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([&] { return editor->hasFocus(); }, 5000));
    }
    void exited()
    {
        ++exits;
        gridFocusedAtExit = g.hasFocus();
    }
    ControlGrid& g;
    QWidget* editor = nullptr;
    int exits = 0;
    bool gridFocusedAtExit = true;
};

const Kind kKinds[] = {Kind::Edit, Kind::Combo};

TEST(ControlEdit, CreatedHiddenWithTheGrid)
{
    TQvStringGrid g;
    ASSERT_NE(g.ControlEdit(), nullptr);
    ASSERT_NE(g.ControlCombo(), nullptr);
    EXPECT_EQ(g.ControlEdit()->parentWidget(), &g);
    EXPECT_EQ(g.ControlCombo()->parentWidget(), &g);
    EXPECT_TRUE(g.ControlEdit()->isHidden());
    EXPECT_TRUE(g.ControlCombo()->isHidden());
}

TEST(ControlEdit, EnterEndsTheEditThenFocusesTheGrid)
{
    for (Kind kind : kKinds) {
        ControlGrid g;
        Placed p(g, kind);
        QTest::keyClick(p.editor, Qt::Key_Return);
        EXPECT_EQ(p.exits, 1) << int(kind);
        EXPECT_FALSE(p.gridFocusedAtExit) << "the exit handling runs first";
        EXPECT_TRUE(QTest::qWaitFor([&] { return g.hasFocus(); }, 5000)) << int(kind);
        QApplication::processEvents();
        EXPECT_EQ(p.exits, 1) << "leaving the editor does not end the edit twice";
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Row(), 1);
        EXPECT_TRUE(g.asked.empty());
    }
}

TEST(ControlEdit, TabWithAdvanceAutoMovesTheCurrentCell)
{
    for (Kind kind : kKinds) {
        ControlGrid g;
        g.Navigation().SetAdvanceAuto(true);
        Placed p(g, kind);
        QTest::keyClick(p.editor, Qt::Key_Tab);
        EXPECT_EQ(p.exits, 1) << int(kind);
        EXPECT_EQ(g.Col(), 2) << int(kind);
        EXPECT_EQ(g.Row(), 1) << int(kind);
        EXPECT_TRUE(g.asked.empty()) << int(kind);
    }
}

TEST(ControlEdit, TabWithoutAdvanceAutoAsksForTheNextControl)
{
    for (Kind kind : kKinds) {
        ControlGrid g;
        Placed p(g, kind);
        QTest::keyClick(p.editor, Qt::Key_Tab);
        EXPECT_EQ(p.exits, 1) << int(kind);
        EXPECT_EQ(g.asked, std::vector<QString>{QStringLiteral("1,1 e1")}) << int(kind);
        EXPECT_EQ(g.Col(), 1) << "the current cell stays";
        EXPECT_TRUE(p.editor->hasFocus()) << "Tab stays with the editor, which now edits the next control";
        // The edit of the next control ends in turn.
        g.FCtrlID = QStringLiteral("e2");
        QTest::keyClick(p.editor, Qt::Key_Tab);
        EXPECT_EQ(p.exits, 2) << int(kind);
        EXPECT_EQ(g.asked.back(), QStringLiteral("1,1 e2"));
    }
}

TEST(ControlEdit, OtherKeysReachTheEditor)
{
    ControlGrid g;
    Placed p(g, Kind::Edit);
    QTest::keyClicks(p.editor, QStringLiteral("ab"));
    EXPECT_EQ(g.ControlEdit()->text(), QStringLiteral("ab"));
    EXPECT_EQ(p.exits, 0);
    Placed c(g, Kind::Combo);
    QTest::keyClicks(c.editor, QStringLiteral("cd"));
    EXPECT_EQ(g.ControlCombo()->currentText(), QStringLiteral("cd"));
}

} // namespace
