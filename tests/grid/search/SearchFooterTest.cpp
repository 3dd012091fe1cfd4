// The search footer as the user drives it: its controls at their places, typing, Enter and
// Ctrl+Enter, the buttons, the highlight, the close button, Ctrl+F and the accelerators, and
// the last row kept above it. One test leaves a picture of a grid with its footer.

#include "grid/QvGrid.h"
#include "grid/search/SearchPanel.h"

#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <vector>

using namespace grid;

namespace {

// A grid of 4 columns and 40 rows in a dialog whose OK button is the default, so a stray Enter
// would close it. Column c, row r holds "r<r>c<c>", rows 10 and 30 hold "apple" in column 2
// and row 20 "Apple" in column 1.
struct FooterWindow {
    FooterWindow()
    {
        auto* lay = new QVBoxLayout(&dialog);
        grid = new TQvStringGrid(&dialog);
        lay->addWidget(grid);
        ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, [this] { ++okPressed; });
        lay->addWidget(ok);
        dialog.resize(640, 420);
        grid->SetColCount(4);
        grid->SetRowCount(40);
        for (int r = 1; r < 40; ++r)
            for (int c = 1; c < 4; ++c)
                grid->SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        grid->SetCells(2, 10, QStringLiteral("apple"));
        grid->SetCells(1, 20, QStringLiteral("Apple"));
        grid->SetCells(2, 30, QStringLiteral("apple"));
        TSearchFooter& f = grid->SearchFooter();
        f.SetFindNextCaption(QStringLiteral("Find &next"));
        f.SetFindPrevCaption(QStringLiteral("Find &previous"));
        f.SetHighLightCaption(QStringLiteral("&Highlight"));
        f.SetMatchCaseCaption(QStringLiteral("Match case"));
        grid->OnSearchFooterAction = [this](TQvStringGrid*, const QString&, int c, int r, TSearchAction a) {
            actions.push_back({a, c, r});
        };
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        f.SetVisible(true);
        QApplication::processEvents();
    }
    TSearchPanel& panel() { return *grid->SearchPanel(); }
    TRetEdit& edit() { return *panel().EditControl(); }
    void type(const QString& text)
    {
        edit().setFocus();
        QTest::keyClicks(&edit(), text);
        QApplication::processEvents();
    }
    void click(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
        QApplication::processEvents();
    }
    TPoint cell() const { return {grid->Col(), grid->Row()}; }
    struct Action {
        TSearchAction action;
        int col, row;
        bool operator==(const Action&) const = default;
    };
    QDialog dialog;
    TQvStringGrid* grid = nullptr;
    QPushButton* ok = nullptr;
    int okPressed = 0;
    std::vector<Action> actions;
};

QRect rectOf(int l, int t, int w, int h)
{
    return QRect(l, t, w, h);
}

TEST(SearchFooter, ControlsSitAtTheirPlaces)
{
    FooterWindow w;
    TSearchPanel& p = w.panel();
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.height(), 32);
    EXPECT_EQ(p.y(), w.grid->viewport()->height() - 32);
    EXPECT_EQ(p.width(), w.grid->viewport()->width());
    EXPECT_EQ(p.EditControl()->geometry().topLeft(), QPoint(25, 6));
    EXPECT_EQ(p.EditControl()->width(), 110);
    EXPECT_EQ(p.ForwardButton()->geometry(), rectOf(140, 5, 90, 23));
    EXPECT_EQ(p.BackwardButton()->geometry(), rectOf(235, 5, 90, 23));
    EXPECT_EQ(p.ExitButton()->geometry(), rectOf(5, 7, 14, 14));
    EXPECT_EQ(p.HiliteButton()->geometry(), rectOf(330, 5, 90, 23));
    EXPECT_EQ(p.MatchCase()->geometry().topLeft(), QPoint(425, 8));
    EXPECT_EQ(p.MatchCase()->height(), 18);
    EXPECT_EQ(p.HiliteButton()->Style(), tasCheck);

    w.grid->SearchFooter().SetShowHighLight(false);
    EXPECT_EQ(p.MatchCase()->x(), 330);
    EXPECT_EQ(p.HiliteButton()->height(), 0);
    EXPECT_FALSE(p.HiliteButton()->isVisible());

    // Right-to-left: every child's place is mirrored.
    w.grid->SearchFooter().SetShowHighLight(true);
    p.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(p.ForwardButton()->x(), p.width() - 90 - 140);
    EXPECT_EQ(p.ExitButton()->x(), p.width() - 14 - 5);

    w.grid->SearchFooter().SetVisible(false);
    EXPECT_FALSE(p.isVisible());
}

TEST(SearchFooter, GlyphsAreDrawnForEveryName)
{
    for (const char* name :
         {"QSGARDOWN", "QSGARDOWND", "QSGARUP", "QSGARUPD", "QSGCLOSE", "QSGCLOSEH", "QSGCLOSED", "QSGHI", "QSGHID"})
        EXPECT_FALSE(SearchFooterGlyph(QString::fromLatin1(name)).isNull()) << name;
    EXPECT_TRUE(SearchFooterGlyph(QStringLiteral("QSGNONE")).isNull());
}

TEST(SearchFooter, TypingFindsTheFirstMatchAndColoursTheEditBox)
{
    FooterWindow w;
    TSearchPanel& p = w.panel();
    for (QWidget* b : std::initializer_list<QWidget*>{p.ForwardButton(), p.BackwardButton(), p.HiliteButton()})
        EXPECT_FALSE(b->isEnabled());
    w.type(QStringLiteral("appl"));
    for (QWidget* b : std::initializer_list<QWidget*>{p.ForwardButton(), p.BackwardButton(), p.HiliteButton()})
        EXPECT_TRUE(b->isEnabled());
    // Top to bottom: column 1 comes before column 2.
    EXPECT_EQ(w.cell(), (TPoint{1, 20}));
    EXPECT_EQ(w.actions.back(), (FooterWindow::Action{saFindFirst, 1, 20}));
    EXPECT_EQ(w.edit().palette().color(QPalette::Base), platform::toQColor(platform::clWindow));

    w.type(QStringLiteral("x"));
    EXPECT_EQ(w.edit().palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(w.actions.back(), (FooterWindow::Action{saFindFirst, -1, -1}));
    QTest::keyClick(&w.edit(), Qt::Key_Backspace);
    EXPECT_EQ(w.edit().palette().color(QPalette::Base), platform::toQColor(platform::clWindow));

    w.edit().clear();
    QApplication::processEvents();
    for (QWidget* b : std::initializer_list<QWidget*>{p.ForwardButton(), p.BackwardButton(), p.HiliteButton()})
        EXPECT_FALSE(b->isEnabled());
}

TEST(SearchFooter, EnterFindsNextAndCtrlEnterPrevious)
{
    FooterWindow w;
    w.type(QStringLiteral("apple"));
    EXPECT_EQ(w.cell(), (TPoint{1, 20}));
    QTest::keyClick(&w.edit(), Qt::Key_Return);
    EXPECT_EQ(w.cell(), (TPoint{2, 10}));
    QTest::keyClick(&w.edit(), Qt::Key_Enter);
    EXPECT_EQ(w.cell(), (TPoint{2, 30}));
    QTest::keyClick(&w.edit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w.cell(), (TPoint{2, 10}));
    // No line break, no default button, the dialog stays.
    EXPECT_EQ(w.edit().text(), QStringLiteral("apple"));
    EXPECT_EQ(w.okPressed, 0);
    EXPECT_TRUE(w.dialog.isVisible());
    const std::vector<FooterWindow::Action> tail(w.actions.end() - 3, w.actions.end());
    EXPECT_EQ(tail,
              (std::vector<FooterWindow::Action>{{saFindNext, 2, 10}, {saFindNext, 2, 30}, {saFindPrevious, 2, 10}}));
}

TEST(SearchFooter, ButtonsFindNextAndPreviousAndStartOverAfterTheLast)
{
    FooterWindow w;
    w.type(QStringLiteral("apple"));
    TSearchPanel& p = w.panel();
    w.click(p.ForwardButton());
    w.click(p.ForwardButton());
    EXPECT_EQ(w.cell(), (TPoint{2, 30}));
    w.click(p.ForwardButton()); // nothing after the last
    EXPECT_EQ(w.grid->SearchCell, (TPoint{-1, -1}));
    w.click(p.ForwardButton());
    EXPECT_EQ(w.cell(), (TPoint{1, 20}));
    w.click(p.BackwardButton());
    EXPECT_EQ(w.grid->SearchCell, (TPoint{-1, -1}));
}

TEST(SearchFooter, MatchCaseAndSearchColumnNarrowTheSearch)
{
    FooterWindow w;
    w.click(w.panel().MatchCase());
    EXPECT_TRUE(w.panel().MatchCase()->Checked());
    w.type(QStringLiteral("apple"));
    EXPECT_EQ(w.cell(), (TPoint{2, 10}));

    FooterWindow v;
    v.grid->SetCells(1, 5, QStringLiteral("apple"));
    v.grid->SearchFooter().SetSearchColumn(2);
    v.type(QStringLiteral("apple"));
    EXPECT_EQ(v.cell(), (TPoint{2, 10}));
    QTest::keyClick(&v.edit(), Qt::Key_Return);
    EXPECT_EQ(v.cell(), (TPoint{2, 30}));
}

TEST(SearchFooter, HighlightOnAndOffLeavesOtherTextAsItWas)
{
    FooterWindow w;
    w.grid->SetCells(3, 3, QStringLiteral("a<b"));
    w.grid->SetCells(3, 4, QStringLiteral("a&lt;b"));
    w.grid->SetCells(3, 5, QStringLiteral("<b>bold</b> b"));
    w.type(QStringLiteral("b"));
    w.click(w.panel().HiliteButton());
    EXPECT_TRUE(w.panel().HiliteButton()->Down());
    EXPECT_TRUE(w.grid->Cells(3, 3).contains(QStringLiteral("<hi>")));
    w.click(w.panel().HiliteButton());
    EXPECT_FALSE(w.panel().HiliteButton()->Down());
    EXPECT_EQ(w.grid->Cells(3, 3), QStringLiteral("a<b"));
    EXPECT_EQ(w.grid->Cells(3, 4), QStringLiteral("a&lt;b"));
    EXPECT_EQ(w.grid->Cells(3, 5), QStringLiteral("<b>bold</b> b"));
}

TEST(SearchFooter, CloseHidesTheFooterAndTellsTheWindow)
{
    FooterWindow w;
    int closed = 0;
    w.grid->OnSearchFooterClose = [&](TQvStringGrid*) { ++closed; };
    w.click(w.panel().ExitButton());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(w.grid->SearchFooter().Visible());
    EXPECT_FALSE(w.panel().isVisible());
}

TEST(SearchFooter, CtrlFAndAcceleratorsReachTheFooter)
{
    FooterWindow w;
    w.grid->setFocus();
    QApplication::processEvents();
    QTest::keyClick(w.grid, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(w.edit().hasFocus());
    QTest::keyClicks(&w.edit(), QStringLiteral("apple"));
    w.grid->setFocus();
    QApplication::processEvents();
    QTest::keyClick(w.grid, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(w.cell(), (TPoint{2, 10}));
    QTest::keyClick(w.grid, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(w.cell(), (TPoint{1, 20}));
    // The grid's own dialog-character handling, as the platform hands a character on.
    EXPECT_TRUE(w.grid->SearchFooterDialogChar(QLatin1Char('h')));
    EXPECT_TRUE(w.panel().HiliteButton()->Down());
    EXPECT_FALSE(w.grid->SearchFooterDialogChar(QLatin1Char('q')));
    w.grid->SearchFooter().SetVisible(false);
    EXPECT_FALSE(w.grid->SearchFooterDialogChar(QLatin1Char('n')));
}

TEST(SearchFooter, TheLastRowStaysAboveTheFooter)
{
    FooterWindow w;
    w.grid->setFocus();
    QTest::keyClick(w.grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w.grid, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(w.grid->Row(), 39);
    EXPECT_TRUE(w.grid->IsLastRowAboveFooter());
    const TRect last = w.grid->CellRect(w.grid->Col(), 39);
    EXPECT_LT(last.Bottom, w.panel().y() + 2);

    // A search that lands on the last row keeps it clear of the footer too.
    w.grid->SetCells(3, 39, QStringLiteral("bottom"));
    w.grid->FocusCell(1, 1, true);
    w.type(QStringLiteral("bottom"));
    EXPECT_EQ(w.cell(), (TPoint{3, 39}));
    EXPECT_LT(w.grid->CellRect(3, 39).Bottom, w.panel().y() + 2);
}

TEST(SearchFooter, CreatedEventAndAPictureOfTheFooter)
{
    QWidget window;
    auto* g = new TQvStringGrid(&window);
    int created = 0;
    g->OnCreatedSearchFooter = [&](TQvStringGrid*) { ++created; };
    g->resize(600, 260);
    g->SetColCount(5);
    g->SetRowCount(12);
    for (int r = 1; r < 12; ++r)
        for (int c = 1; c < 5; ++c)
            g->SetCells(c, r, QStringLiteral("item %1.%2").arg(r).arg(c));
    TSearchFooter& f = g->SearchFooter();
    f.SetFindNextCaption(QStringLiteral("Find &next"));
    f.SetFindPrevCaption(QStringLiteral("Find &previous"));
    f.SetHighLightCaption(QStringLiteral("Highlight"));
    f.SetMatchCaseCaption(QStringLiteral("Match case"));
    f.SetColor(0xFFFFFF);
    f.SetColorTo(0xC08040);
    f.SetVisible(true);
    window.resize(600, 260);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(created, 1);
    g->SearchPanel()->EditControl()->setText(QStringLiteral("item 3"));
    QApplication::processEvents();

    const QImage shot = g->grab().toImage();
    ASSERT_TRUE(testsupport::saveScreenshot(shot, QStringLiteral("grid_search_footer.png")));
    // The 32-band gradient: white at the top of the panel, the end colour near its bottom.
    const int x = g->SearchPanel()->width() - 5;
    const QColor top = shot.pixelColor(g->SearchPanel()->mapTo(g, QPoint(x, 2)));
    const QColor bottom = shot.pixelColor(g->SearchPanel()->mapTo(g, QPoint(x, 30)));
    EXPECT_GT(top.lightness(), bottom.lightness());
}

} // namespace
