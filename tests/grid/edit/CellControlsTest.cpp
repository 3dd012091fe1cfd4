// Inline CONTROL tags edited the way a user does it: a click on the tag opens the editor over
// it, typing and Enter or Tab write the value back into the cell's markup; Tab goes on to the
// next text control of the cell and, past the last one, back to the grid.

#include "grid/QvGrid.h"
#include "grid/edit/ControlEdit.h"
#include "grid/markup/GridMarkup.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <vector>

using namespace grid;

namespace {

QString tag(const QString& type, const QString& id, const QString& value, const QString& extra = {})
{
    return QStringLiteral("<CONTROL TYPE=\"%1\" ID=\"%2\" VALUE=\"%3\" WIDTH=\"80\"%4>")
        .arg(type, id, value, extra.isEmpty() ? QString() : QLatin1Char(' ') + extra);
}

struct ControlWindow {
    ControlWindow()
    {
        g.resize(600, 300);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetDefaultRowHeight(40);
        g.SetColWidths(1, 260);
        g.SetOptions(g.Options() | goEditing);
        g.OnControlEditDone = [this](TQvStringGrid*, int ARow, int ACol, const QString& id, const QString& type,
                                     const QString& value) {
            done.push_back(QStringLiteral("%1,%2 %3 %4 %5").arg(ARow).arg(ACol).arg(id, type, value));
        };
        g.show();
        g.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&g));
        g.setFocus();
    }
    // The control's rectangle in the viewport, as the press finds it.
    TRect controlRect(int col, int row, const QString& id)
    {
        RizIVUDE::TMarkupResult r;
        r.ControlID = id;
        EXPECT_TRUE(MarkupCellHitTest(g, col, row, -1, -1, r)) << id.toStdString();
        return r.HitControlRect;
    }
    void clickControl(int col, int row, const QString& id)
    {
        const TRect r = controlRect(col, row, id);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        QApplication::processEvents();
    }
    QString value(int col, int row, const QString& id) const
    {
        QString v;
        EXPECT_TRUE(RizIVUDE::GetControlValue(g.Cells(col, row), id, v));
        return v;
    }
    TControlEdit* edit() const { return g.ControlEdit(); }
    TControlCombo* combo() const { return g.ControlCombo(); }
    TQvStringGrid g;
    std::vector<QString> done;
};

TEST(CellControls, ClickOnAnEditTagOpensTheEditorOverIt)
{
    ControlWindow w;
    w.g.SetCells(1, 2, tag("EDIT", "e1", "abc"));
    w.clickControl(1, 2, "e1");
    ASSERT_TRUE(w.edit()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w.edit());
    const TRect r = w.controlRect(1, 2, "e1");
    const QPoint vp = w.g.viewport()->pos();
    EXPECT_EQ(w.edit()->geometry(), QRect(vp.x() + r.Left + 1, vp.y() + r.Top + 8, r.Right - r.Left - 4, 14));
    EXPECT_EQ(w.edit()->text(), "abc");
    EXPECT_EQ(w.edit()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(w.g.Row(), 1) << "a press on a control leaves the current cell";

    QTest::keyClicks(w.edit(), "xy");
    QTest::keyClick(w.edit(), Qt::Key_Return);
    EXPECT_EQ(w.value(1, 2, "e1"), "abcxy");
    EXPECT_EQ(w.done, std::vector<QString>{"2,1 e1 EDIT abcxy"});
    EXPECT_FALSE(w.edit()->isVisible());
    EXPECT_TRUE(w.g.hasFocus());
}

TEST(CellControls, TheTagSetsUpTheEditor)
{
    struct Case {
        const char* what;
        QString markup;
        QString typed;
        std::function<void(ControlWindow&)> check;
        QString stored;
    };
    const Case cases[] = {
        {"PASSWORD shows a star per character", tag("PASSWORD", "p", "abc"), "d",
         [](ControlWindow& w) { EXPECT_EQ(w.edit()->displayText(), "****"); }, "abcd"},
        {"MASK takes PROP as its edit mask", tag("MASK", "m", "", "PROP=\"000;1;_\""), "12a3",
         [](ControlWindow& w) {
             EXPECT_EQ(w.edit()->EditMask(), "000;1;_");
             EXPECT_EQ(w.edit()->echoMode(), QLineEdit::Normal);
         },
         "123"},
        {"MAXLEN limits the typing", tag("EDIT", "e", "", "MAXLEN=\"3\""), "abcdef",
         [](ControlWindow& w) { EXPECT_EQ(w.edit()->maxLength(), 3); }, "abc"},
        {"MAXLEN 0 limits nothing", tag("EDIT", "e", "", "MAXLEN=\"0\""), "abcdef",
         [](ControlWindow& w) { EXPECT_EQ(w.edit()->maxLength(), 32767); }, "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ControlWindow w;
        w.g.SetCells(1, 1, c.markup);
        const QString id = RizIVUDE::NextEditControlID(c.markup, {});
        w.clickControl(1, 1, id);
        ASSERT_TRUE(w.edit()->isVisible());
        if (c.markup.contains("MASK"))
            w.edit()->setCursorPosition(0);
        QTest::keyClicks(w.edit(), c.typed);
        c.check(w);
        QTest::keyClick(w.edit(), Qt::Key_Return);
        EXPECT_EQ(w.value(1, 1, id), c.stored);
    }
}

TEST(CellControls, ComboWithoutAListHandlerIsEditableAndEmpty)
{
    ControlWindow w;
    w.g.SetCells(1, 1, tag("COMBO", "c", "typed"));
    w.clickControl(1, 1, "c");
    ASSERT_TRUE(w.combo()->isVisible());
    EXPECT_TRUE(w.combo()->isEditable());
    EXPECT_EQ(w.combo()->count(), 0);
    EXPECT_EQ(w.combo()->maxVisibleItems(), 8);
    EXPECT_EQ(w.combo()->currentText(), "typed");
    EXPECT_EQ(w.combo()->DropHeight, w.combo()->ItemHeight() * 10);
    const TRect r = w.controlRect(1, 1, "c");
    const QPoint vp = w.g.viewport()->pos();
    EXPECT_EQ(w.combo()->x(), vp.x() + r.Left - 1);
    EXPECT_EQ(w.combo()->y(), vp.y() + r.Top + 4);
    EXPECT_EQ(w.combo()->width(), r.Right - r.Left);

    QTest::keyClicks(w.combo(), "!");
    QTest::keyClick(w.combo(), Qt::Key_Return);
    EXPECT_EQ(w.value(1, 1, "c"), "typed!");
    EXPECT_EQ(w.done, std::vector<QString>{"1,1 c COMBO typed!"});
}

TEST(CellControls, ComboListHandlerFillsAPickOnlyList)
{
    ControlWindow w;
    w.g.SetCells(1, 1, tag("COMBO", "c", "two"));
    w.g.OnControlComboList = [](TQvStringGrid*, int ARow, int ACol, const QString& id, const QString& type,
                                const QString& value, QStringList& values, bool& edit, int& dropCount) {
        EXPECT_EQ(ARow, 1);
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(id, "c");
        EXPECT_EQ(type, "COMBO");
        EXPECT_EQ(value, "two");
        values = {"one", "two", "three"};
        edit = false;
        dropCount = 3;
    };
    std::vector<QString> selected;
    w.g.OnControlComboSelect = [&](TQvStringGrid*, int ARow, int ACol, int index, const QString& id,
                                   const QString& value) {
        selected.push_back(QStringLiteral("%1,%2 %3 %4 %5").arg(ARow).arg(ACol).arg(index).arg(id, value));
    };
    w.clickControl(1, 1, "c");
    ASSERT_TRUE(w.combo()->isVisible());
    EXPECT_FALSE(w.combo()->isEditable());
    EXPECT_EQ(w.combo()->currentIndex(), 1);
    EXPECT_EQ(w.combo()->maxVisibleItems(), 3);
    EXPECT_EQ(w.combo()->DropHeight, w.combo()->ItemHeight() * 5);
    EXPECT_TRUE(w.combo()->view()->isVisible()) << "the list opens";

    // The user picks "one" in the opened list.
    QAbstractItemView* list = w.combo()->view();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(selected, std::vector<QString>{"1,1 0 c one"});
    QTest::keyClick(w.combo(), Qt::Key_Return);
    EXPECT_EQ(w.value(1, 1, "c"), "one");
}

TEST(CellControls, TabMovesToTheNextTextControlThenBackToTheGrid)
{
    ControlWindow w;
    w.g.SetCells(1, 1, tag("EDIT", "a", "1") + tag("CHECK", "k", "FALSE") + tag("EDIT", "b", "2"));
    w.clickControl(1, 1, "a");
    ASSERT_TRUE(w.edit()->isVisible());
    QTest::keyClicks(w.edit(), "x");
    QTest::keyClick(w.edit(), Qt::Key_Tab);
    EXPECT_EQ(w.value(1, 1, "a"), "1x");
    ASSERT_TRUE(w.edit()->isVisible()) << "the editor stands over the next text control";
    EXPECT_EQ(w.g.FCtrlID, "b");
    EXPECT_EQ(w.edit()->text(), "2");
    EXPECT_EQ(QApplication::focusWidget(), w.edit());

    QTest::keyClicks(w.edit(), "y");
    QTest::keyClick(w.edit(), Qt::Key_Tab);
    EXPECT_EQ(w.value(1, 1, "b"), "2y");
    EXPECT_FALSE(w.edit()->isVisible());
    EXPECT_TRUE(w.g.hasFocus()) << "no text control is left in the cell";
    EXPECT_EQ(w.done, (std::vector<QString>{"1,1 a EDIT 1x", "1,1 b EDIT 2y"}));
}

TEST(CellControls, ClicksOnCheckRadioAndButtonTags)
{
    ControlWindow w;
    w.g.SetCells(1, 1, tag("CHECK", "k", "TRUE") + tag("RADIO", "r1", "TRUE") + tag("RADIO", "r2", "FALSE"));
    std::vector<QString> clicks;
    w.g.OnControlClick = [&](TQvStringGrid*, int, int, const QString& id, const QString& type, const QString& v) {
        clicks.push_back(id + ' ' + type + ' ' + v);
    };
    w.clickControl(1, 1, "k");
    EXPECT_EQ(w.value(1, 1, "k"), "FALSE");
    w.clickControl(1, 1, "r2");
    EXPECT_EQ(w.value(1, 1, "r1"), "FALSE");
    EXPECT_EQ(w.value(1, 1, "r2"), "TRUE");
    EXPECT_EQ(clicks, (std::vector<QString>{"k CHECK FALSE", "r2 RADIO TRUE"}));
    EXPECT_FALSE(w.edit()->isVisible());

    // A BUTTON tag is held down from the press to the release.
    w.g.SetCells(2, 3, tag("BUTTON", "go", "Go"));
    const TRect r = w.controlRect(2, 3, "go");
    const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    QTest::mousePress(w.g.viewport(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(w.g.FCtrlDown);
    EXPECT_EQ(w.g.FCtrlXY, TPoint(2, 3));
    QTest::mouseRelease(w.g.viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(w.g.FCtrlDown);
}

TEST(CellControls, ControlsOfACellThatCannotBeEditedStayClosed)
{
    struct Case {
        const char* what;
        std::function<void(ControlWindow&)> setup;
    };
    const Case cases[] = {
        {"no goEditing", [](ControlWindow& w) { w.g.SetOptions(w.g.Options() & ~goEditing); }},
        {"OnCanEditCell refuses",
         [](ControlWindow& w) { w.g.OnCanEditCell = [](TQvStringGrid*, int, int, bool& can) { can = false; }; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ControlWindow w;
        c.setup(w);
        w.g.SetCells(1, 1, tag("EDIT", "e", "v") + tag("CHECK", "k", "TRUE"));
        QString anchor;
        w.g.OnAnchorClick = [&](TQvStringGrid*, int, int, const QString& a, bool&) { anchor = a; };
        w.clickControl(1, 1, "e");
        w.clickControl(1, 1, "k");
        EXPECT_FALSE(w.edit()->isVisible());
        EXPECT_EQ(w.value(1, 1, "k"), "TRUE");
        EXPECT_EQ(anchor, "ctrl") << "the press is reported as an anchor click";
    }
}

TEST(CellControls, PressBesideTheControlsMakesTheCellCurrent)
{
    ControlWindow w;
    w.g.SetCells(2, 3, tag("EDIT", "e", "v"));
    std::vector<TPoint> clicked;
    w.g.OnClickCell = [&](TQvStringGrid*, int ARow, int ACol) { clicked.push_back({ACol, ARow}); };
    const TRect cell = w.g.CellRect(2, 3);
    QTest::mouseClick(w.g.viewport(), Qt::LeftButton, {}, QPoint(cell.Right - 5, cell.Bottom - 3));
    QApplication::processEvents();
    EXPECT_EQ(w.g.Col(), 2);
    EXPECT_EQ(w.g.Row(), 3);
    EXPECT_EQ(clicked, std::vector<TPoint>{TPoint(2, 3)});
    EXPECT_FALSE(w.edit()->isVisible());
}

} // namespace
