// The grid's drag and drop the way Qt delivers it: drag-enter, move and drop events sent to the
// viewport with mime data, and drags started by pressing on the selection and moving the pointer,
// run through the runner double, whose drop lands on this or a second grid.

#include "grid/dragdrop/GridDragDrop.h"
#include "grid/QvGrid.h"
#include "grid/input/HeaderDragButton.h"

#include "support/FakeDragDrop.h"
#include "support/FakeMessages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace grid;
using namespace platform;

namespace {

// A shown grid of 6 columns and 10 rows (one fixed row and column), rows 1..9 holding "rN" in
// column 1 and "xN" in column 2; drops are taken and written without edit mode.
struct DropGrid {
    DropGrid()
    {
        g.resize(600, 400);
        g.SetColCount(6);
        g.SetRowCount(10);
        for (int r = 1; r < 10; ++r) {
            g.SetCells(1, r, "r" + QString::number(r));
            g.SetCells(2, r, "x" + QString::number(r));
        }
        Services s;
        s.messages = &messages;
        s.dragDrop = &runner;
        g.SetServices(s);
        g.Navigation().SetAllowClipboardAlways(true);
        g.DragDropSettings().SetOleDropTarget(true);
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
        QApplication::processEvents();
    }
    QPoint centre(int col, int row) const { return g.CellRect(col, row).toQRect().center(); }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 1; r < g.RowCount(); ++r)
            out << g.Cells(c, r);
        return out;
    }

    // Enter, move and drop at p, as Qt sends them; the effect the drop answered (none when the
    // enter, the move or the drop was refused).
    int dropAt(const QMimeData& mime, QPoint p, Qt::KeyboardModifiers mods = {},
               Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
    {
        QDragEnterEvent enter(p, actions, &mime, Qt::LeftButton, mods);
        QApplication::sendEvent(g.viewport(), &enter);
        if (!enter.isAccepted())
            return DROPEFFECT_NONE;
        QDragMoveEvent move(p, actions, &mime, Qt::LeftButton, mods);
        QApplication::sendEvent(g.viewport(), &move);
        QDropEvent drop(QPointF(p), actions, &mime, Qt::NoButton, mods);
        QApplication::sendEvent(g.viewport(), &drop);
        return drop.isAccepted() ? effectOf(drop.dropAction()) : DROPEFFECT_NONE;
    }
    int dropTextAt(const QString& text, int col, int row)
    {
        QMimeData mime;
        mime.setText(text);
        return dropAt(mime, centre(col, row));
    }
    int dropFilesAt(const QStringList& files, int col, int row)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        mime.setUrls(urls);
        return dropAt(mime, centre(col, row));
    }

    // The pointer as the window system sends it to the viewport.
    void mouse(QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons bs)
    {
        QMouseEvent e(t, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), b, bs, Qt::NoModifier);
        QApplication::sendEvent(g.viewport(), &e);
    }
    // Press on p, move by (dx, dy) with the button held, release there.
    void pressMoveRelease(QPoint p, int dx, int dy)
    {
        mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, p + QPoint(dx, dy), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, p + QPoint(dx, dy), Qt::LeftButton, Qt::NoButton);
    }
    // A drag of the selection from p, as the user starts it.
    void dragSelection(QPoint p) { pressMoveRelease(p, 0, 10); }

    TQvStringGrid g;
    testsupport::FakeMessages messages;
    testsupport::FakeDragRunner runner;
};

QStringList rows(std::initializer_list<int> numbers, const char* prefix = "r")
{
    QStringList out;
    for (int n : numbers)
        out << QString::fromLatin1(prefix) + QString::number(n);
    return out;
}

} // namespace

TEST(GridDragDropSettings, DefaultsAssignAndTheTargetSwitch)
{
    TQvStringGrid g;
    const TDragDropSettings& d = g.DragDropSettings();
    const bool expected[] = {false, true,  false, false, false, true,  true, false,
                             false, false, false, false, false, false, true};
    const bool actual[] = {d.OleDropRTF(),       d.OleAcceptText(),  d.OleEntireRows(), d.OleDropSource(),
                           d.OleRemoveRows(),    d.OleAcceptFiles(), d.OleAcceptURLs(), d.OleDropTarget(),
                           d.OleInsertRows(),    d.OleAppendRows(),  d.OleCopyAlways(), d.OleColumnDragDrop(),
                           d.OleColumnReorder(), d.OleColumnsOnly(), d.ShowCells()};
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(actual[i], expected[i]) << i;
    EXPECT_EQ(d.DropTarget(), nullptr);
    EXPECT_FALSE(g.viewport()->acceptDrops());

    const TDragScrollOptions& o = g.DragScrollOptions;
    EXPECT_FALSE(o.Active);
    EXPECT_EQ(o.Delays.InitialDelay, 1000);
    EXPECT_EQ(o.Delays.RepeatDelay, 250);
    EXPECT_EQ(o.Margins.TopMargin + o.Margins.BottomMargin + o.Margins.LeftMargin + o.Margins.RightMargin, 200);
    TDragScrollOptions other;
    other.Active = true;
    other.Delays.RepeatDelay = 100;
    other.Margins.LeftMargin = 7;
    g.DragScrollOptions.Assign(other);
    EXPECT_TRUE(g.DragScrollOptions.Active);
    EXPECT_EQ(g.DragScrollOptions.Delays.RepeatDelay, 100);
    EXPECT_EQ(g.DragScrollOptions.Margins.LeftMargin, 7);

    // Writing the target switch makes the grid a target and takes it back.
    TQvStringGrid source;
    source.DragDropSettings().SetOleDropTarget(true);
    EXPECT_NE(source.DragDropSettings().DropTarget(), nullptr);
    EXPECT_TRUE(source.viewport()->acceptDrops());
    source.DragDropSettings().SetOleDropRTF(true);
    EXPECT_TRUE(OleDropRTFEnabled);
    source.DragDropSettings().SetOleDropRTF(false);
    source.DragDropSettings().SetOleCopyAlways(true);

    // Assign copies every setting and neither registers a target nor touches the shared flag.
    OleDropRTFEnabled = false;
    TQvStringGrid copy;
    TDragDropSettings withRtf(&copy);
    withRtf.SetOleDropRTF(true);
    OleDropRTFEnabled = false;
    copy.DragDropSettings().Assign(source.DragDropSettings());
    EXPECT_TRUE(copy.DragDropSettings().OleDropTarget());
    EXPECT_TRUE(copy.DragDropSettings().OleCopyAlways());
    EXPECT_EQ(copy.DragDropSettings().DropTarget(), nullptr);
    copy.DragDropSettings().Assign(withRtf);
    EXPECT_TRUE(copy.DragDropSettings().OleDropRTF());
    EXPECT_FALSE(OleDropRTFEnabled);

    source.DragDropSettings().SetOleDropTarget(false);
    EXPECT_EQ(source.DragDropSettings().DropTarget(), nullptr);
    EXPECT_FALSE(source.viewport()->acceptDrops());
}

TEST(GridDragDropTarget, TextInsertsItsLinesAndSelectsThem)
{
    for (const QString& text : {QStringLiteral("a\tb\tc\r\nd\te\tf"), QStringLiteral("a\tb\tc\r\nd\te\tf\r\n")}) {
        SCOPED_TRACE(text.toStdString());
        DropGrid w;
        w.g.DragDropSettings().SetOleInsertRows(true);
        TGridRect dropped{};
        std::vector<std::tuple<int, int, QString>> asked;
        w.g.OnOleDrop = [&](TQvStringGrid*, int r, int c, const QString& s, bool&) { asked.emplace_back(r, c, s); };
        w.g.OnOleDropped = [&](TQvStringGrid*, const TGridRect& r) { dropped = r; };
        EXPECT_EQ(w.dropTextAt(text, 2, 5), DROPEFFECT_MOVE);
        // Two rows in at 5 (a final line break adds none); the old row 5 moves to 7.
        EXPECT_EQ(w.g.RowCount(), 12);
        EXPECT_EQ(w.column(1), (QStringList{"r1", "r2", "r3", "r4", "", "", "r5", "r6", "r7", "r8", "r9"}));
        EXPECT_EQ(w.g.Cells(2, 5), "a");
        EXPECT_EQ(w.g.Cells(4, 6), "f");
        EXPECT_EQ(w.g.Selection(), (TGridRect{2, 5, 4, 6}));
        EXPECT_EQ(dropped, (TGridRect{2, 5, 4, 6}));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], std::make_tuple(5, 2, text));
    }
}

TEST(GridDragDropTarget, CtrlCopiesAndTheApplicationMayRefuse)
{
    DropGrid w;
    QMimeData mime;
    mime.setText(QStringLiteral("z"));
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 3), Qt::ControlModifier), DROPEFFECT_COPY);
    EXPECT_EQ(w.g.Cells(3, 3), "z");
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 4), {}, Qt::CopyAction), DROPEFFECT_COPY);

    w.g.OnOleDragOver = [](TQvStringGrid*, int r, int, bool& allow) { allow = r != 6; };
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 6)), DROPEFFECT_NONE);
    EXPECT_EQ(w.g.Cells(3, 6), "");
    w.g.OnOleDragOver = nullptr;
    w.g.OnOleDrop = [](TQvStringGrid*, int, int, const QString&, bool& allow) { allow = false; };
    w.dropAt(mime, w.centre(3, 7));
    EXPECT_EQ(w.g.Cells(3, 7), "");

    // A grid that is no target takes nothing.
    w.g.OnOleDrop = nullptr;
    w.g.DragDropSettings().SetOleDropTarget(false);
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 8)), DROPEFFECT_NONE);
    EXPECT_EQ(w.g.Cells(3, 8), "");
}

TEST(GridDragDropTarget, FixedRowIsRefusedExceptInAOneRowGrid)
{
    DropGrid w;
    EXPECT_EQ(w.dropTextAt(QStringLiteral("head"), 2, 0), DROPEFFECT_NONE);
    EXPECT_EQ(w.g.Cells(2, 0), "");
    EXPECT_FALSE(w.g.ArrowWindow(arrLeft)->isVisible());

    DropGrid one;
    one.g.SetFixedRowAlways(true);
    one.g.SetRowCount(1);
    ASSERT_EQ(one.g.FixedRows(), 1);
    one.g.DragDropSettings().SetOleInsertRows(true);
    EXPECT_EQ(one.dropTextAt(QStringLiteral("first"), 2, 0), DROPEFFECT_MOVE);
    ASSERT_EQ(one.g.RowCount(), 2);
    EXPECT_EQ(one.g.Cells(2, 1), "first");
    EXPECT_EQ(one.g.Cells(2, 0), "");
}

TEST(GridDragDropTarget, ArrowsFollowTheDragAndGoOnLeaving)
{
    DropGrid w;
    QMimeData mime;
    mime.setText(QStringLiteral("z"));
    const QPoint p = w.centre(3, 4);
    QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(w.g.viewport(), &enter);
    QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(w.g.viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_TRUE(w.g.ArrowWindow(arrLeft)->isVisible());
    QDragLeaveEvent leave;
    QApplication::sendEvent(w.g.viewport(), &leave);
    EXPECT_FALSE(w.g.ArrowWindow(arrLeft)->isVisible());
}

TEST(GridDragDropTarget, DroppedFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& name) {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("one;two\r\nthree;four\r\n");
        return dir.filePath(name);
    };
    const QString csv = write(QStringLiteral("data.csv"));
    const QString gz = write(QStringLiteral("data.csv.gz"));
    const QString inCsvFolder = write(QStringLiteral("x.csv/notes.txt"));
    const QString xls = write(QStringLiteral("book.xls"));

    struct Case {
        const char* what;
        QStringList files;
        QString cell11;
        int dropEvents;
        QString message;
    } cases[] = {
        {"two files do nothing", {csv, gz}, "r1", 0, ""},
        {"a CSV file replaces the contents", {csv}, "four", 1, ""},
        {"a packed CSV file is no CSV file", {gz}, "r1", 0, ""},
        {"nor is a file in a folder named like one", {inCsvFolder}, "r1", 0, ""},
        {"a worksheet needs its server; the grid stays", {xls}, "r1", 1, "Excel OLE server not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DropGrid w;
        std::vector<std::tuple<int, int, QString>> drops;
        int fileAsks = 0;
        w.g.OnOleDropFile = [&](TQvStringGrid*, int, int, const QString&, bool&) { ++fileAsks; };
        w.g.OnOleDrop = [&](TQvStringGrid*, int r, int c2, const QString& s, bool&) { drops.emplace_back(r, c2, s); };
        w.dropFilesAt(c.files, 2, 3);
        EXPECT_EQ(w.g.Cells(1, 1), c.cell11);
        EXPECT_EQ(int(drops.size()), c.dropEvents);
        if (!drops.empty()) {
            EXPECT_EQ(drops[0], std::make_tuple(-1, -1, c.files[0]));
        }
        EXPECT_EQ(fileAsks, c.files.size() == 1 ? 1 : 0);
        EXPECT_EQ(w.messages.lastText(), c.message);
    }
}

// Dropped CSV files that once made the reader loop for ever load like any other.
TEST(GridDragDropTarget, DroppedCsvFilesWithNulsLoad)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* what;
        QByteArray bytes;
        QString cell00;
    } files[] = {
        {"a NUL b", QByteArray("a\0b", 3), QString::fromLatin1("a\0b", 3)},
        {"UTF-16 LE without a mark", QByteArray("o\0k\0", 4), QString::fromLatin1("o\0k\0", 4)},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.what);
        const QString path = dir.filePath(QStringLiteral("drop.csv"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(f.bytes);
        out.close();
        DropGrid w;
        w.dropFilesAt({path}, 2, 3);
        EXPECT_EQ(w.g.Cells(0, 0), f.cell00);
        EXPECT_EQ(w.messages.lastText(), QString());
    }
}

TEST(GridDragDropTarget, LinksAndTheirText)
{
    DropGrid w;
    QMimeData mime;
    mime.setUrls({QUrl(QStringLiteral("https://example.com/page"))});
    QString url;
    w.g.OnOleDropURL = [&](TQvStringGrid*, int, int, const QString& u, bool&) { url = u; };
    w.dropAt(mime, w.centre(3, 2));
    EXPECT_EQ(url, "https://example.com/page");
    // The link's text went to the cell as text, and again as the link.
    EXPECT_EQ(w.g.Cells(3, 2), "https://example.com/page");
}

TEST(GridDragDropSource, FourPixelsStartTheDragAndAnotherGridTakesTheCells)
{
    DropGrid a, b;
    a.g.DragDropSettings().SetOleDropSource(true);
    a.g.Navigation().SetAllowFmtClipboard(true);
    a.g.SetSelection({1, 2, 2, 3});
    int stops = 0, stopEffect = -1;
    a.g.OnOleDragStop = [&](TQvStringGrid*, int e) {
        ++stops;
        stopEffect = e;
    };

    const QPoint p = a.centre(1, 2);
    a.pressMoveRelease(p, 3, -3);
    EXPECT_EQ(a.runner.runs, 0);
    // Three pixels were a click on the selection: it shrank to the cell.
    EXPECT_EQ(a.g.Selection(), (TGridRect{1, 2, 1, 2}));
    a.g.SetSelection({1, 2, 2, 3});
    a.pressMoveRelease(p, 0, 4);
    ASSERT_EQ(a.runner.runs, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(stopEffect, DROPEFFECT_COPY);
    EXPECT_EQ(a.runner.mime->text(), QStringLiteral("r2\tx2\r\nr3\tx3"));
    // The picture the pointer carries is the dragged cells, two columns by two rows.
    const TRect tl = a.g.CellRect(1, 2), br = a.g.CellRect(2, 3);
    EXPECT_EQ(a.runner.last.picture.size(), QSize(br.Right - tl.Left + 1, br.Bottom - tl.Top + 1));

    // The drag's data dropped on the second grid: the same cells there, as a cell block.
    EXPECT_EQ(b.dropAt(*a.runner.mime, b.centre(3, 6)), DROPEFFECT_MOVE);
    EXPECT_EQ(b.g.Cells(3, 6), "r2");
    EXPECT_EQ(b.g.Cells(4, 6), "x2");
    EXPECT_EQ(b.g.Cells(3, 7), "r3");
    EXPECT_EQ(b.g.Cells(4, 7), "x3");
    // A copy leaves the source.
    EXPECT_EQ(a.g.Cells(1, 2), "r2");
}

// The picture of dragged cells shows them as they are, not in the selection's colour, and the
// selection is back once the picture is made.
TEST(GridDragDropSource, PictureShowsTheCellsWithoutTheSelectionColour)
{
    DropGrid w;
    w.g.DragDropSettings().SetOleDropSource(true);
    const TGridRect sel{1, 2, 2, 3};
    w.g.SetSelection(sel);
    const TRect tl = w.g.CellRect(1, 2);
    const QPoint inside(tl.Left + 2, tl.Top + 2); // a corner of the cell, clear of its text
    const QColor selected = w.g.viewport()->grab().toImage().pixelColor(inside);
    const TRect plain = w.g.CellRect(3, 6); // an empty cell outside the selection
    const QColor unselected = w.g.viewport()->grab().toImage().pixelColor(plain.Left + 2, plain.Top + 2);
    ASSERT_NE(selected, unselected);

    w.dragSelection(w.centre(1, 2));
    ASSERT_EQ(w.runner.runs, 1);
    EXPECT_EQ(w.runner.last.picture.toImage().pixelColor(2, 2), unselected);
    EXPECT_EQ(w.g.Selection(), sel);
}

TEST(GridDragDropSource, MoveClearsTheSourceUnlessCopyAlwaysAndCancelChangesNothing)
{
    DropGrid a, b;
    a.g.DragDropSettings().SetOleDropSource(true);
    a.g.SetSelection({1, 2, 2, 2});
    int stops = 0;
    a.g.OnOleDragStop = [&](TQvStringGrid*, int) { ++stops; };
    a.runner.drop = [&](const QMimeData& m) { return b.dropAt(m, b.centre(3, 5)); };

    a.runner.cancel = true;
    a.dragSelection(a.centre(1, 2));
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(a.g.Cells(1, 2), "r2");
    EXPECT_EQ(b.g.Cells(3, 5), "");

    a.runner.cancel = false;
    a.g.DragDropSettings().SetOleCopyAlways(true);
    a.dragSelection(a.centre(1, 2));
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(b.g.Cells(3, 5), "r2");
    EXPECT_EQ(a.g.Cells(1, 2), "r2");

    a.g.DragDropSettings().SetOleCopyAlways(false);
    a.g.SetSelection({1, 2, 2, 2});
    a.dragSelection(a.centre(1, 2));
    EXPECT_EQ(stops, 2);
    EXPECT_EQ(a.g.Cells(1, 2), "");
    EXPECT_EQ(a.g.Cells(2, 2), "");
    EXPECT_EQ(b.g.Cells(4, 5), "x2");
}

TEST(GridDragDropSource, RowsMovedInsideTheGridAreRemovedWhereTheyAreNow)
{
    struct Case {
        const char* what;
        int top, bottom, dropRow;
        QStringList after;
    } cases[] = {
        {"down", 2, 3, 7, rows({1, 4, 5, 6, 2, 3, 7, 8, 9})},
        {"up: the dragged rows were pushed down by the inserted ones", 6, 7, 2, rows({1, 6, 7, 2, 3, 4, 5, 8, 9})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DropGrid w;
        w.g.SetOptions(w.g.Options() | goRowSelect);
        TDragDropSettings& dd = w.g.DragDropSettings();
        dd.SetOleDropSource(true);
        dd.SetOleInsertRows(true);
        dd.SetOleRemoveRows(true);
        w.g.SetSelection({1, c.top, 5, c.bottom});
        w.runner.drop = [&](const QMimeData& m) { return w.dropAt(m, w.centre(2, c.dropRow)); };
        w.dragSelection(w.centre(2, c.top));
        ASSERT_EQ(w.runner.runs, 1);
        EXPECT_EQ(w.column(1), c.after);
        EXPECT_EQ(w.g.RowCount(), 10);
    }
}

TEST(GridDragDropSource, CellsMovedOntoTheirOwnPlaceKeepWhatWasDropped)
{
    DropGrid w;
    w.g.DragDropSettings().SetOleDropSource(true);
    w.g.Navigation().SetAllowFmtClipboard(true);
    w.g.SetSelection({1, 2, 2, 3});
    // One row down: the drop covers the source's second row.
    w.runner.drop = [&](const QMimeData& m) { return w.dropAt(m, w.centre(1, 3)); };
    w.dragSelection(w.centre(1, 2));
    EXPECT_EQ(w.column(1), (QStringList{"r1", "", "r2", "r3", "r5", "r6", "r7", "r8", "r9"}));
    EXPECT_EQ(w.column(2), (QStringList{"x1", "", "x2", "x3", "x5", "x6", "x7", "x8", "x9"}));
}

TEST(GridDragDropSource, RefusedDragSelectsInstead)
{
    DropGrid w;
    w.g.DragDropSettings().SetOleDropSource(true);
    w.g.SetSelection({1, 2, 2, 3});
    int asked = 0;
    w.g.OnOleDrag = [&](TQvStringGrid*, int r, int c, const QString& s, bool& allow) {
        ++asked;
        EXPECT_EQ(r, 2);
        EXPECT_EQ(c, 1);
        EXPECT_EQ(s, "r2");
        allow = false;
    };
    const QPoint p = w.centre(1, 2);
    w.mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    w.mouse(QEvent::MouseMove, p + QPoint(0, 5), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(w.runner.runs, 0);
    EXPECT_EQ(w.g.GridState(), TGridState::gsSelecting);
    w.mouse(QEvent::MouseButtonRelease, p + QPoint(0, 5), Qt::LeftButton, Qt::NoButton);
}

TEST(GridDragDropSource, ColumnDragReordersItsOwnColumns)
{
    DropGrid w;
    w.g.EnhRowColMove = false; // a header press then arms the drag
    TDragDropSettings& dd = w.g.DragDropSettings();
    dd.SetOleDropSource(true);
    dd.SetOleColumnDragDrop(true);
    dd.SetOleColumnReorder(true);
    dd.DropTarget()->AcceptCols = true;
    std::vector<std::tuple<int, int, int>> cols;
    w.g.OnOleDropCol = [&](TQvStringGrid*, int r, int c, int dragged) { cols.emplace_back(r, c, dragged); };
    w.runner.drop = [&](const QMimeData& m) { return w.dropAt(m, w.centre(4, 0)); };
    w.dragSelection(w.centre(1, 0));
    ASSERT_EQ(w.runner.runs, 1);
    EXPECT_EQ(w.runner.last.data.formats().size(), 1u);
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_EQ(cols[0], std::make_tuple(0, 4, 1));
    EXPECT_EQ(w.g.Cells(4, 1), "r1");
    EXPECT_EQ(w.g.Cells(1, 1), "x1");
}

// A header drag without the cells' picture carries the header itself: the button with the
// column's caption, width and header height follows the pointer while the drag runs, and goes
// when it ends, dropped or cancelled. With the picture, the pointer carries the whole column.
TEST(GridDragDropSource, ColumnDragCarriesItsHeaderButtonOrItsPicture)
{
    DropGrid w;
    w.g.EnhRowColMove = false; // a header press then arms the drag
    w.g.SetCells(2, 0, QStringLiteral("Speed"));
    w.g.SetColWidths(2, 90);
    w.g.SetRowHeights(0, 30);
    TDragDropSettings& dd = w.g.DragDropSettings();
    dd.SetOleDropSource(true);
    dd.SetOleColumnDragDrop(true);
    dd.SetShowCells(false);
    THeaderDragButton* button = w.g.MoveButton();
    ASSERT_NE(button, nullptr);

    bool shown = false;
    QString caption;
    QSize size;
    QPoint at, cursor;
    w.runner.drop = [&](const QMimeData&) {
        shown = button->isVisible();
        caption = button->Caption;
        size = button->size();
        at = button->pos();
        cursor = QCursor::pos();
        return int(DROPEFFECT_MOVE);
    };
    int stops = 0;
    w.g.OnOleDragStop = [&](TQvStringGrid*, int) { ++stops; };
    w.dragSelection(w.centre(2, 0));
    ASSERT_EQ(w.runner.runs, 1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, QStringLiteral("Speed"));
    EXPECT_EQ(size, QSize(90, 30));
    EXPECT_EQ(at, cursor - QPoint(0, 30));       // its bottom-left at the pointer
    EXPECT_TRUE(w.runner.last.picture.isNull()); // the button is the only picture
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(w.g.ArrowWindow(arrDown)->isVisible());
    EXPECT_FALSE(w.g.ArrowWindow(arrUp)->isVisible());

    // Escape: no stop reported, and the button goes all the same.
    w.runner.drop = nullptr;
    w.runner.cancel = true;
    w.dragSelection(w.centre(2, 0));
    ASSERT_EQ(w.runner.runs, 2);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(button->isVisible());

    // With the cells' picture: no button, the picture is the column from the header down to the
    // last visible row.
    w.runner.cancel = false;
    w.g.SetRowCount(40);
    dd.SetShowCells(true);
    w.runner.drop = [&](const QMimeData&) {
        shown = button->isVisible();
        return int(DROPEFFECT_COPY);
    };
    w.dragSelection(w.centre(2, 0));
    ASSERT_EQ(w.runner.runs, 3);
    EXPECT_FALSE(shown);
    const TRect head = w.g.CellRect(2, 0), foot = w.g.CellRect(2, w.g.VisibleRowCount());
    EXPECT_EQ(w.runner.last.picture.size(), QSize(head.Right - head.Left + 1, foot.Bottom - head.Top + 1));
    EXPECT_EQ(w.g.MoveForm(), nullptr);
}

TEST(GridDragDropTarget, HiddenColumnDraggedFromAListComesBackWhereDropped)
{
    DropGrid w;
    w.g.HideColumn(2); // "x" column
    ASSERT_EQ(w.g.NumHiddenColumns(), 1);
    QListWidget chooser;
    chooser.addItems({QStringLiteral("other"), QStringLiteral("x column")});
    w.g.OleColumnDragStart(2, 1, &chooser);
    w.g.DragDropSettings().DropTarget()->AcceptCols = true;
    int dropped = -2;
    w.g.OnOleDropCol = [&](TQvStringGrid*, int, int c, int) { dropped = c; };

    DragData column;
    column.set(CF_GRIDCOLUMN, QByteArray("\x02\0\0\0", 4));
    const std::unique_ptr<QMimeData> mime = toMimeData(column, GridDragFormats());
    EXPECT_NE(w.dropAt(*mime, w.centre(4, 0)), DROPEFFECT_NONE);
    EXPECT_EQ(w.g.NumHiddenColumns(), 0);
    EXPECT_EQ(w.g.Cells(4, 1), "x1"); // shown again and moved where it was dropped
    EXPECT_EQ(dropped, 4);
    ASSERT_EQ(chooser.count(), 1);
    EXPECT_EQ(chooser.item(0)->text(), "other");
}

TEST(GridDragDropTarget, RichTextWhileRichDropsAreOn)
{
    DropGrid w;
    QMimeData mime;
    mime.setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1 bold}"));
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 3)), DROPEFFECT_NONE);
    w.g.DragDropSettings().SetOleDropRTF(true);
    EXPECT_EQ(w.dropAt(mime, w.centre(3, 3)), DROPEFFECT_MOVE);
    EXPECT_EQ(w.g.Cells(3, 3), "{\\rtf1 bold}");
    w.g.DragDropSettings().SetOleDropRTF(false);
}
