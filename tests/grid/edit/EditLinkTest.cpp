// A line edit as a custom cell editor through an edit link, driven with keys: which keys end the
// edit, Escape, a refused value, placement in place and in the popup, and the popup's exit.

#include "grid/edit/EditLink.h"
#include "grid/QvGrid.h"
#include "grid/support/LineEditLink.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;

namespace {

struct LinkWindow {
    LinkWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        window.resize(500, 300);
        grid->SetColCount(3);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() | goEditing);
        grid->OnGetEditorType = [](TQvStringGrid*, int, int, TEditorType& t) { t = edCustom; };
        grid->EditLink = &link;
        grid->SetCells(1, 1, QStringLiteral("old"));
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void open(int col, int row)
    {
        grid->FocusCell(col, row);
        grid->ShowInplaceEdit();
        QApplication::processEvents();
    }
    QWidget window;
    TQvStringGrid* grid = nullptr;
    grid::test::LineLink link;
};

} // namespace

TEST(EditLink, GridKeysAndTheSwitchesThatKeepThem)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        bool TEditLink::*want;
        bool gridKey;
    };
    const Case cases[] = {
        {Qt::Key_Tab, {}, nullptr, true},
        {Qt::Key_Tab, {}, &TEditLink::WantTabs, false},
        {Qt::Key_Return, {}, nullptr, true},
        {Qt::Key_Return, {}, &TEditLink::WantKeyReturn, false},
        {Qt::Key_Escape, {}, nullptr, true},
        {Qt::Key_Escape, {}, &TEditLink::WantKeyEscape, false},
        {Qt::Key_PageUp, {}, nullptr, true},
        {Qt::Key_PageDown, {}, &TEditLink::WantKeyPriorNext, false},
        {Qt::Key_End, {}, nullptr, true},
        {Qt::Key_End, {}, &TEditLink::WantKeyHomeEnd, false},
        {Qt::Key_Home, {}, nullptr, false},
        {Qt::Key_Home, Qt::AltModifier, nullptr, true},
        {Qt::Key_Home, Qt::AltModifier, &TEditLink::WantKeyHomeEnd, false},
        {Qt::Key_Left, {}, nullptr, true},
        {Qt::Key_Right, {}, &TEditLink::WantKeyLeftRight, false},
        {Qt::Key_Up, {}, nullptr, true},
        {Qt::Key_Down, {}, &TEditLink::WantKeyUpDown, false},
        {Qt::Key_A, {}, nullptr, false},
        {Qt::Key_A, Qt::AltModifier, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("key %1 mods %2").arg(c.key, 0, 16).arg(int(c.mods)).toStdString());
        TEditLink link;
        if (c.want)
            link.*c.want = true;
        EXPECT_EQ(link.IsGridKey(c.key, c.mods), c.gridKey);
    }
}

TEST(EditLink, InPlaceEditStoresAndShrinksByTheLineWidth)
{
    LinkWindow w;
    w.grid->SetGridLineWidth(2);
    w.open(1, 1);
    ASSERT_TRUE(w.link.edit);
    EXPECT_EQ(w.link.Grid, w.grid);
    EXPECT_EQ(w.link.EditCell, QPoint(1, 1));
    EXPECT_EQ(w.link.edit->text(), QStringLiteral("old"));
    const TRect r = w.grid->CellRect(1, 1);
    EXPECT_EQ(w.link.edit->geometry(), QRect(r.Left - 2, r.Top - 2, r.Right - r.Left - 2, r.Bottom - r.Top - 2));
    EXPECT_EQ(QApplication::focusWidget(), w.link.edit);
    w.link.edit->setText(QStringLiteral("new"));
    QTest::keyClick(w.link.edit, Qt::Key_Down);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(w.grid->Row(), 2);
    EXPECT_FALSE(w.link.edit->isVisible());

    w.open(1, 1);
    EXPECT_EQ(w.link.created, 2);
    EXPECT_EQ(w.link.destroyed, 0); // only an exit through the popup destroys it
}

TEST(EditLink, EscapePutsTheOldValueBack)
{
    LinkWindow w;
    w.open(1, 1);
    w.link.edit->setText(QStringLiteral("typed"));
    QTest::keyClick(w.link.edit, Qt::Key_Escape);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("old"));
}

TEST(EditLink, EnterAfterARefusedValueReopensOnTheCell)
{
    LinkWindow w;
    w.grid->OnCellValidate = [](TQvStringGrid*, int, int, QString& v, bool& valid) {
        valid = v != QLatin1String("bad");
    };
    w.open(1, 1);
    w.link.edit->setText(QStringLiteral("bad"));
    QTest::keyClick(w.link.edit, Qt::Key_Return);
    EXPECT_EQ(w.grid->Row(), 1);
    EXPECT_GE(w.link.created, 2);
    EXPECT_TRUE(w.link.edit->isVisible());
    EXPECT_TRUE(w.grid->EditMode);
    EXPECT_EQ(w.link.EditCell, QPoint(1, 1));
}

TEST(EditLink, PopupAtTheCellUnlessBothPositionsAreGiven)
{
    LinkWindow w;
    w.link.EditStyle = esPopup;
    w.link.PopupWidth = 120;
    w.link.PopupHeight = 40;
    w.link.PopupLeft = 100;
    w.open(1, 1);
    QWidget* form = w.link.edit->window();
    EXPECT_EQ(form->objectName(), QStringLiteral("gridform"));
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    const TRect r = w.grid->CellRect(1, 1);
    EXPECT_EQ(form->pos(), w.grid->viewport()->mapToGlobal(QPoint(r.Left, r.Top)));
    EXPECT_EQ(form->size(), QSize(120, 40));
    w.link.edit->setText(QStringLiteral("popup"));
    QTest::keyClick(w.link.edit, Qt::Key_Return);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("popup"));
    EXPECT_EQ(w.link.destroyed, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST(EditLink, LeavingThePopupIgnoresOneFocusChangeOnly)
{
    LinkWindow w;
    w.link.EditStyle = esPopup;
    w.link.PopupWidth = 120;
    w.link.PopupHeight = 40;
    w.open(1, 1);
    w.link.edit->setText(QStringLiteral("left"));
    w.link.FormExit(nullptr);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("left"));
    EXPECT_TRUE(w.grid->InvokedFocusChange);
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(w.grid, &in);
    EXPECT_FALSE(w.grid->InvokedFocusChange);
}
