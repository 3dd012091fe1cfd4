// The fixed-cell editors driven with keys and focus changes: Enter does not end the edit,
// leaving the editor stores its text through the grid's validation, and a refused text keeps
// the editor open on its cell.

#include "grid/edit/GridTrans.h"
#include "grid/QvGrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

struct TransWindow {
    TransWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(500, 300);
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetCells(2, 0, "old");
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Opens the editor over header cell (2, 0), as the mouse code does.
    template <class Editor>
    void open(Editor* e)
    {
        e->SetCol(2);
        e->SetRow(0);
        e->setGeometry(10, 10, 80, 20);
        e->show();
        e->setFocus();
        QApplication::processEvents();
    }
    void leave()
    {
        other->setFocus();
        QApplication::processEvents();
    }
    QWidget window;
    TQvStringGrid* grid;
    QLineEdit* other;
};

// Enter and leaving the editor end the edit alike: once, through the validation, the text in
// the header cell and the editor hidden.
TEST(GridTransEdit, EnterOrLeavingStores)
{
    for (const bool byEnter : {true, false}) {
        SCOPED_TRACE(byEnter ? "Enter" : "leaving");
        TransWindow w;
        TGridTransEdit* e = w.grid->TransEdit();
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(e->isVisible());
        int done = 0;
        w.grid->OnEditingDone = [&](TQvStringGrid*) { ++done; };
        w.open(e);
        QTest::keyClicks(e, "Name");
        if (byEnter)
            QTest::keyClick(e, Qt::Key_Return);
        else
            w.leave();
        EXPECT_FALSE(e->isVisible());
        EXPECT_EQ(w.grid->Cells(2, 0), "Name");
        EXPECT_EQ(done, 1);
    }
}

TEST(GridTransEdit, ValidationChangesOrRefusesTheText)
{
    TransWindow w;
    TGridTransEdit* e = w.grid->TransEdit();
    int calls = 0;
    w.grid->OnCellValidate = [&](TQvStringGrid*, int ACol, int ARow, QString& value, bool& valid) {
        ++calls;
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 0);
        valid = value != "bad";
        value = value.toUpper();
    };
    w.open(e);
    QTest::keyClicks(e, "bad");
    QTest::keyClick(e, Qt::Key_Return); // refused: the editor stays
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(e->isVisible());
    w.leave();
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(e->isVisible());
    EXPECT_TRUE(e->hasFocus());
    EXPECT_EQ(w.grid->Cells(2, 0), "old");
    EXPECT_EQ(w.grid->Col(), 2);
    EXPECT_EQ(w.grid->Row(), 0);

    e->clear();
    QTest::keyClicks(e, "good");
    w.leave();
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(w.grid->Cells(2, 0), "GOOD");
}

TEST(GridTransCombo, EnterOrLeavingStoresThePick)
{
    for (const bool byEnter : {true, false}) {
        SCOPED_TRACE(byEnter ? "Enter" : "leaving");
        TransWindow w;
        TGridTransCombo* c = w.grid->TransCombo();
        ASSERT_NE(c, nullptr);
        c->addItems({"one", "two"});
        w.open(c);
        QTest::keyClick(c, Qt::Key_Down);
        if (byEnter)
            QTest::keyClick(c, Qt::Key_Return);
        else
            w.leave();
        EXPECT_FALSE(c->isVisible());
        EXPECT_EQ(w.grid->Cells(2, 0), "two");
    }
}

TEST(GridTransEdit, WithoutAGridStopEditOnlyHides)
{
    TransWindow w;
    TGridTransEdit* e = w.grid->TransEdit();
    e->SetGrid(nullptr);
    e->show();
    EXPECT_TRUE(e->StopEdit());
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(w.grid->Cells(2, 0), "old");
}

} // namespace
