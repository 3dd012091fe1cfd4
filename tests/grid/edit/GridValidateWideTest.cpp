// A cell holding wide text is validated as wide text when the user leaves it: the window's
// wide validation event gets the plain text, the cell keeps the wide form, a refusal keeps the
// old text. Also the F2 hook after the editor opened.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

struct Window {
    Window()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new F2Grid(&window);
        lay->addWidget(grid);
        window.resize(500, 300);
        grid->SetColCount(4);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        grid->SetCells(1, 2, ZirAzur::EncodeWideCellText(QStringLiteral("\u03a9 old")));
        grid->OnCellValidateWide = [this](TQvStringGrid*, int c, int r, QString& v, bool& valid) {
            log << QStringLiteral("wide c%1 r%2 %3").arg(c).arg(r).arg(v);
            valid = !refuse;
        };
        grid->OnCellValidate = [this](TQvStringGrid*, int, int, QString& v, bool&) { log << "plain " + v; };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).toQRect().center());
        QApplication::processEvents();
    }
    void type(const QString& s)
    {
        for (const QChar c : s)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QApplication::processEvents();
    }
    struct F2Grid : TQvStringGrid {
        using TQvStringGrid::TQvStringGrid;
        void AfterF2Edit() override { ++afterF2; }
        int afterF2 = 0;
    };
    QStringList log;
    bool refuse = false;
    QWidget window;
    F2Grid* grid = nullptr;
};

} // namespace

TEST(GridValidateWide, AWideCellIsValidatedAsWideTextAndKeepsTheWideForm)
{
    Window w;
    w.click(1, 2);
    w.type(QStringLiteral("v"));
    w.click(1, 3);
    EXPECT_EQ(w.log, QStringList({"wide c1 r2 v"}));
    EXPECT_EQ(w.grid->Cells(1, 2), ZirAzur::EncodeWideCellText(QStringLiteral("v")));
}

TEST(GridValidateWide, ARefusedWideValueKeepsTheOldText)
{
    Window w;
    w.refuse = true;
    w.click(1, 2);
    w.type(QStringLiteral("v"));
    w.click(1, 3);
    ASSERT_EQ(w.log.size(), 1);
    EXPECT_EQ(w.grid->Cells(1, 2), ZirAzur::EncodeWideCellText(QStringLiteral("\u03a9 old")));
    EXPECT_EQ(w.grid->Row(), 2); // back on the refused cell
}

TEST(GridValidateWide, PlainCellsStayWithThePlainValidation)
{
    Window w;
    w.click(2, 2);
    w.type(QStringLiteral("p"));
    w.click(2, 3);
    EXPECT_EQ(w.log, QStringList({"plain p"}));
}

TEST(GridValidateWide, F2OpeningTheEditorAsksTheAfterF2Hook)
{
    Window w;
    w.click(2, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    QApplication::processEvents();
    EXPECT_TRUE(w.grid->EditorMode());
    EXPECT_EQ(w.grid->afterF2, 1);
}
