// The grid's drawing around its cells: the focus frame while a cell is edited, the border line
// over the frame, the dotted sizing lines, the balloon text of a cell, the date picker's change
// and the panning mark.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/look/GridLooks.h"
#include "grid/look/ZirAzur.h"
#include "grid/paint/GridPaint.h"

#include "grid/support/FakeEditHost.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// A window with a grid and a line edit to take the focus, the grid's first cells filled.
struct FrameWindow {
    FrameWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvStringGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(500, 300);
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetOptions(grid->Options() | goEditing);
        grid->FocusHelper().SetEnabled(true);
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
        QTest::keyClicks(QApplication::focusWidget(), s);
        QApplication::processEvents();
    }
    QRect cellOnScreen(int col, int row) const
    {
        const QRect r = grid->CellRect(col, row).toQRect();
        return QRect(grid->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QWidget window;
    TQvStringGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

TEST(FocusFrame, SurroundsTheEditedCellAndGoesWithValidation)
{
    FrameWindow w;
    w.click(1, 2);
    w.type(QStringLiteral("x"));
    TGridFocusWindow* f = w.grid->FocusWindow();
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(FocusWindowGrid(), w.grid);
    const QRect cell = w.cellOnScreen(1, 2);
    EXPECT_EQ(f->geometry(), QRect(cell.left() - 4, cell.top() - 4, cell.width() + 9, cell.height() + 9));
    // The ring: 4 pixels at the left and top, 5 at the right and bottom; the cell stays clear.
    const QRegion ring = f->mask();
    const int W = cell.width() + 9, H = cell.height() + 9;
    EXPECT_TRUE(ring.contains(QPoint(3, 3)));
    EXPECT_FALSE(ring.contains(QPoint(4, 4)));
    EXPECT_FALSE(ring.contains(QPoint(W - 6, H - 6)));
    EXPECT_TRUE(ring.contains(QPoint(W - 5, H - 5)));
    EXPECT_TRUE(ring.contains(QPoint(W - 1, H / 2)));
    // The blurred outline in the frame colour, with the window's opacity.
    EXPECT_EQ(f->Opacity(), 230);
    EXPECT_EQ(f->Picture().size(), QSize(W, H));
    const QColor c = QColor::fromRgba(f->Picture().pixel(4, H / 2)); // on the outline
    EXPECT_GT(c.alpha(), 100);
    EXPECT_NEAR(c.red() * 255.0 / c.alpha(), 0x97, 2);
    EXPECT_NEAR(c.green() * 255.0 / c.alpha(), 0xD3, 2);
    EXPECT_NEAR(c.blue() * 255.0 / c.alpha(), 0xFD, 2);
    EXPECT_EQ(qAlpha(f->Picture().pixel(W / 2, H / 2)), 0);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(FocusWindowGrid(), nullptr);
}

TEST(FocusFrame, StaysOffWithoutTheFocusHelper)
{
    FrameWindow w;
    w.grid->FocusHelper().SetEnabled(false);
    w.click(1, 2);
    w.type(QStringLiteral("x"));
    EXPECT_FALSE(w.grid->FocusWindow()->isVisible());
    EXPECT_EQ(FocusWindowGrid(), nullptr);
}

TEST(FocusFrame, FollowsTheMovedWindowThroughOneFilter)
{
    QvGridInitialization();
    QObject* hook = GridHookHandle();
    QvGridInitialization();
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(GridHookHandle(), hook); // the second start-up installs no second filter

    FrameWindow w;
    w.click(2, 3);
    w.type(QStringLiteral("y"));
    ASSERT_TRUE(w.grid->FocusWindow()->isVisible());
    w.window.move(w.window.pos() + QPoint(37, 21));
    QApplication::processEvents();
    const QRect cell = w.cellOnScreen(2, 3);
    EXPECT_EQ(w.grid->FocusWindow()->pos(), cell.topLeft() - QPoint(4, 4));
    QvGridFinalization();
    QvGridFinalization();
}

// ---- border colour -------------------------------------------------------------------------

TEST(BorderColor, LinesOverTheFrameByLookFlatAndFit)
{
    struct Case {
        const char* name;
        TGridLook look;
        bool flat, fit;
        TColor border;
        TBorderStyle style;
        bool inner, outer; // border colour one pixel in / at the edge
    };
    const Case cases[] = {
        {"XP, fit in grid", glXP, false, true, 0x0000FF, bsSingle, true, false},
        {"Office 2007, not fit", glOffice2007, false, false, 0x0000FF, bsSingle, false, true},
        {"flat", glXP, true, true, 0x0000FF, bsSingle, false, false},
        {"no colour", glXP, false, true, clNone, bsSingle, false, false},
        {"no border", glXP, false, true, 0x0000FF, bsNone, false, false},
        {"standard look", glStandard, false, true, 0x0000FF, bsSingle, false, false},
        {"classic look", glClassic, false, false, 0x0000FF, bsSingle, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget parent;
        QPalette pal = parent.palette();
        pal.setColor(parent.backgroundRole(), QColor(0x10, 0x80, 0x20));
        parent.setPalette(pal);
        auto* g = new TQvStringGrid(&parent);
        g->SetColCount(2); // no scroll bars over the edges
        g->SetRowCount(3);
        g->resize(200, 120);
        g->Look = c.look;
        g->Flat = c.flat;
        g->FitCellsInGrid = c.fit;
        g->LookState().BorderStyle = c.style;
        g->SetBorderColor(c.border);
        parent.resize(220, 140);
        parent.show();
        QApplication::processEvents();
        const QImage img = g->grab().toImage();
        const QColor red(0xFF, 0, 0);
        EXPECT_EQ(img.pixelColor(1, 60) == red, c.inner);
        EXPECT_EQ(img.pixelColor(100, 1) == red, c.inner);
        EXPECT_EQ(img.pixelColor(198, 60) == red, c.inner);
        EXPECT_EQ(img.pixelColor(100, 118) == red, c.inner);
        EXPECT_EQ(img.pixelColor(0, 60) == red, c.outer);
        EXPECT_EQ(img.pixelColor(199, 60) == red, c.outer);
        if (c.inner) { // the outermost ring takes the parent's colour
            EXPECT_EQ(img.pixelColor(0, 60), QColor(0x10, 0x80, 0x20));
        }
    }
}

// ---- sizing lines --------------------------------------------------------------------------

TEST(SizingLines, ShownByTheNextPaintAndGoneAfterTheSecondCall)
{
    TQvStringGrid g;
    g.resize(300, 200);
    g.SetColor(0xFFFFFF);
    g.show();
    QApplication::processEvents();
    const QImage before = g.viewport()->grab().toImage();
    g.DrawColSizingLine(40);
    g.DrawRowSizingLine(50);
    const QImage shown = g.viewport()->grab().toImage();
    // The gaps of the dotted pen are inverted; the dots themselves stay as they were.
    const int y = 100, x = 150;
    EXPECT_NE(shown.pixel(40, y + (3 - y % 6 + 6) % 6), before.pixel(40, y + (3 - y % 6 + 6) % 6));
    EXPECT_EQ(shown.pixel(40, 6 * 17), before.pixel(40, 6 * 17));
    EXPECT_NE(shown.pixel(x + (3 - x % 6 + 6) % 6, 50), before.pixel(x + (3 - x % 6 + 6) % 6, 50));
    g.DrawColSizingLine(40);
    g.DrawRowSizingLine(50);
    EXPECT_EQ(g.viewport()->grab().toImage(), before);
}

// ---- balloon text --------------------------------------------------------------------------

struct BalloonGrid {
    BalloonGrid()
    {
        g.resize(400, 300);
        g.SetColCount(3);
        g.SetRowCount(4);
        g.Balloon.SetEnable(true);
        g.show();
        QApplication::processEvents();
    }
    QPoint at(int col, int row) const { return g.viewport()->mapToGlobal(g.CellRect(col, row).toQRect().center()); }
    TQvStringGrid::TCellBalloon ask(int col, int row)
    {
        TQvStringGrid::TCellBalloon b;
        EXPECT_TRUE(g.CellBalloonRequest(at(col, row), b));
        return b;
    }
    TQvStringGrid g;
};

TEST(CellBalloon, TextTitleAndIconByTheRules)
{
    struct Case {
        const char* name;
        QString cell, text;
    };
    const QString a3000(3000, QLatin1Char('a')), a2048(2048, QLatin1Char('b'));
    const Case cases[] = {
        {"3000 characters", a3000, QString(2045, QLatin1Char('a')) + QStringLiteral("...")},
        {"2048 shown whole", a2048, a2048},
        {"leading line breaks", QStringLiteral("\r\n\nline"), QStringLiteral("line")},
        {"tabs", QStringLiteral("a\tb"), QStringLiteral("a b")},
        {"markup", QStringLiteral("<b>bold</b> text"), QStringLiteral("bold text")},
        {"rich text", QStringLiteral("{\\rtf1\\ansi rich {\\b words}\\par}"), QStringLiteral("rich words")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BalloonGrid b;
        b.g.SetCells(1, 1, c.cell);
        const auto r = b.ask(1, 1);
        EXPECT_EQ(r.Text.trimmed(), c.text);
        EXPECT_EQ(r.Title, QStringLiteral(" "));
        EXPECT_EQ(r.Icon, 1);
        EXPECT_EQ(r.MaxTipWidth, 300);
        EXPECT_EQ(r.ACol, 1);
        EXPECT_EQ(r.ARow, 1);
        EXPECT_EQ(b.g.LastBalloonCell(), (TPoint{1, 1}));
    }
}

TEST(CellBalloon, TitlesEventsOwnBalloonsAndOutsideCells)
{
    BalloonGrid b;
    b.g.Balloon.TextColor = 0x0000FF;
    b.g.SetCells(2, 2, QStringLiteral("cell"));
    QStringList log;
    QString title;
    b.g.OnCellBalloon = [&](TQvStringGrid*, int c, int r, QString& t, QString& x, int& icon) {
        log << QStringLiteral("%1 %2 [%3] [%4] %5").arg(c).arg(r).arg(t, x).arg(icon);
        if (!title.isNull())
            t = title;
    };
    title = QString(101, QLatin1Char('t'));
    auto r = b.ask(2, 2);
    EXPECT_EQ(r.Title, QString(97, QLatin1Char('t')) + QStringLiteral("..."));
    EXPECT_EQ(r.TextColor, 0x0000FFu);
    EXPECT_EQ(r.BackgroundColor, clNone); // the system's tool-tip colour
    title = QString();

    // A cell's own balloon comes before the event.
    b.g.AddBalloon(2, 2, QStringLiteral("Own"), QStringLiteral("own text"), biWarning);
    r = b.ask(2, 2);
    EXPECT_EQ(r.Title, QStringLiteral("Own"));
    EXPECT_EQ(r.Text, QStringLiteral("own text"));
    EXPECT_EQ(r.Icon, 2);

    // Outside any cell: the title " ", no text, the event with the failed indexes.
    log.clear();
    TQvStringGrid::TCellBalloon out;
    ASSERT_TRUE(b.g.CellBalloonRequest(b.g.viewport()->mapToGlobal(QPoint(390, 290)), out));
    EXPECT_EQ(out.Title, QStringLiteral(" "));
    EXPECT_EQ(out.Text, QString());
    EXPECT_EQ(log, QStringList({QStringLiteral("-1 -1 [ ] [] 1")}));

    b.g.Balloon.SetEnable(false);
    EXPECT_FALSE(b.g.CellBalloonRequest(b.at(2, 2), out));
}

// ---- date change and panning mark ----------------------------------------------------------

TEST(DateTimeChange, ReportsTheDateOrZeroForNoDate)
{
    TQvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.FocusCell(2, 1);
    std::vector<std::tuple<int, int, double>> seen;
    g.OnDateTimeChange = [&](TQvStringGrid*, int c, int r, TDateTime d) { seen.emplace_back(c, r, d); };
    g.DateTimeChangeNotify(2024, 3, 1, QTime(12, 0));
    g.DateTimeChangeNotify(0, 0, 0, QTime(12, 0));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(std::get<0>(seen[0]), 2);
    EXPECT_EQ(std::get<1>(seen[0]), 1);
    EXPECT_DOUBLE_EQ(std::get<2>(seen[0]), 45352.5); // days since 30 December 1899, and noon
    EXPECT_EQ(std::get<2>(seen[1]), 0.0);
}

TEST(PanIndicator, MarkAtTheOriginWithAWhiteBackground)
{
    for (auto [pan, name] : {std::pair{TQvStringGrid::ipVertical, "INTLI3"},
                             {TQvStringGrid::ipHorizontal, "INTLI2"},
                             {TQvStringGrid::ipBoth, "INTLI1"}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ZirAzur::GridGlyph(QString::fromLatin1(name)).size(), QSize(32, 32));
        TQvStringGrid g;
        g.resize(300, 200);
        g.SetColor(0x00FFFF);
        g.IntelliPan = pan;
        g.show();
        QApplication::processEvents();
        g.StartPanning(QPoint(100, 60));
        const QImage img = g.viewport()->grab().toImage();
        EXPECT_EQ(img.pixelColor(100, 60), QColor(Qt::white)); // the glyph's background
        EXPECT_EQ(img.pixelColor(115, 75), QColor(Qt::black)); // the centre dot
        // Arrows only where the grid pans: above the dot for vertical panning.
        EXPECT_EQ(img.pixelColor(115, 108 - 100 + 60) == QColor(Qt::black), pan != TQvStringGrid::ipHorizontal);
        g.EndPanning();
        EXPECT_NE(g.viewport()->grab().toImage().pixelColor(100, 60), QColor(Qt::white));
    }
}

} // namespace

namespace {

// The date cell editor tells its grid of every change the user makes.
struct DateHost : grid::test::FakeEditHost {
    using FakeEditHost::FakeEditHost;
    void DateTimeChanged(const QDateTime& v) override { seen.push_back(v); }
    std::vector<QDateTime> seen;
};

TEST(DateTimeChange, TheDateEditorReportsTheUsersChange)
{
    QWidget grid;
    DateHost host(&grid);
    TGridDatePicker p(&grid, &host);
    p.platform::TDateTimePicker::SetDateTime(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    EXPECT_TRUE(host.seen.empty()); // the program's own setting is no change
    // What a spin of the day field or a calendar pick does.
    p.QDateTimeEdit::setDateTime(QDateTime(QDate(2024, 3, 2), QTime(0, 0)));
    ASSERT_EQ(host.seen.size(), 1u);
    EXPECT_EQ(host.seen[0].date(), QDate(2024, 3, 2));
}

} // namespace
