// The grid as a drop target: while a drag is over it, the drop cell, auto-scroll and the arrows
// marking where the drop lands; on the drop, the handlers that write text, cell blocks, columns,
// links and a dropped file into the grid.

#include "grid/QvGrid.h"
#include "grid/dragdrop/GridDragDrop.h"
#include "grid/input/HeaderDragButton.h"

#include <QFileInfo>

namespace grid {

namespace {
// Within this many pixels of the top of a grid without fixed rows, a drag scrolls up.
constexpr int kTopScrollBand = 8;
// The row arrow stands this far left of the drop row's first cell, the column arrow above it.
constexpr int kRowArrowGap = 10;
constexpr int kColumnArrowGap = 8;

bool isCell(TPoint p)
{
    return p.X >= 0 && p.Y >= 0;
}

bool offers(TDropFormats formats, TDropFormat f)
{
    return (formats & DropFormatBit(f)) != 0;
}

} // namespace

TPoint TGridDropTarget::dropCell(QPoint pt, bool columnDrag, bool& Append) const
{
    const TQvStringGrid& g = *FGrid;
    TPoint cell{-1, -1};
    g.ScreenToCell(pt, cell.X, cell.Y);
    Append = false;
    const TDragDropSettings& dd = FGrid->DragDropSettings();
    if (columnDrag || cell.Y != -1 || !dd.OleEntireRows() || !dd.OleAppendRows() || g.RowCount() == 0)
        return cell;
    const int last = g.RowCount() - 1;
    if (g.TopRow() + g.VisibleRowCount() < g.RowCount())
        return cell; // the last row is out of view: the point cannot lie below it
    const QPoint client = g.viewport()->mapFromGlobal(pt);
    if (client.y() >= g.CellRect(g.FixedCols(), last).Bottom) {
        cell = {g.FixedCols(), last};
        Append = true;
    }
    return cell;
}

void TGridDropTarget::hideArrows()
{
    for (TArrowDirection d : {arrUp, arrDown, arrLeft})
        FGrid->arrows[d]->hide();
}

// After a drop of text or cells: the row and column marks and a header that followed the pointer.
void TGridDropTarget::hideDropMarks()
{
    FGrid->arrows[arrLeft]->hide();
    FGrid->arrows[arrDown]->hide();
    if (FGrid->FMoveButton)
        FGrid->FMoveButton->hide();
}

// ---- dragging over ----------------------------------------------------------------------------

void TGridDropTarget::DragMouseMove(QPoint pt, bool& Allow, TDropFormats DropFormats)
{
    TQvStringGrid& g = *FGrid;
    const TDragDropSettings& dd = g.DragDropSettings();
    const bool columnDrag = offers(DropFormats, dfCol);
    bool append = false;
    TPoint cell = dropCell(pt, columnDrag, append);
    const QPoint client = g.viewport()->mapFromGlobal(pt);
    const bool valid = isCell(cell);
    Allow = valid;

    if (valid && !columnDrag) {
        if ((cell.Y == 0 && g.TopRow() > g.FixedRows())
            || (g.FixedRows() == 0 && client.y() < kTopScrollBand && g.TopRow() > 0))
            g.SetTopRow(g.TopRow() - 1);
        else if (cell.Y == g.TopRow() + g.VisibleRowCount() && g.TopRow() + g.VisibleRowCount() < g.RowCount())
            g.SetTopRow(g.TopRow() + 1);
        // Sideways at most once per grid-timer tick, or the grid would race to its edge.
        if (g.FTimerTicks % 2 == 0) {
            if (cell.X == 0 && g.LeftCol() > g.FixedCols()) {
                g.SetLeftCol(g.LeftCol() - 1);
                ++g.FTimerTicks;
            } else if (cell.X == g.LeftCol() + g.VisibleColCount() && cell.X < g.ColCount()) {
                g.SetLeftCol(g.LeftCol() + 1);
                ++g.FTimerTicks;
            }
        }
    }

    if (!columnDrag) {
        const bool headerOnly = g.RowCount() == 1 && g.FixedRowAlways();
        if (valid && cell.Y < g.FixedRows() && !headerOnly)
            Allow = false;
    } else if (!valid) {
        cell = {g.ColCount(), 0};
        Allow = true;
    } else {
        Allow = cell.Y < g.FixedRows() && cell.X >= g.FixedCols();
    }

    Allow = Allow || offers(DropFormats, dfFile) || offers(DropFormats, dfGridCells);
    if (g.OnOleDragOver)
        g.OnOleDragOver(&g, cell.Y, cell.X, Allow);
    Allow = Allow && (valid || offers(DropFormats, dfFile));

    // The arrows mark where the drop lands.
    if (Allow && columnDrag && cell.X < g.ColCount()) {
        const TRect r = g.CellRect(cell.X, cell.Y);
        const QPoint top = g.viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        const QPoint bottom = g.viewport()->mapToGlobal(QPoint(r.Left, r.Bottom));
        TArrowWindow* down = g.arrows[arrDown];
        TArrowWindow* up = g.arrows[arrUp];
        // Placed as in a header move: the down arrow's top 8 pixels above the cell, the up arrow's
        // at its bottom, both centred on the left edge.
        down->move(top.x() - down->width() / 2, top.y() - kColumnArrowGap);
        up->move(bottom.x() - up->width() / 2, bottom.y());
        down->show();
        up->show();
        g.arrows[arrLeft]->hide();
    } else if (Allow && valid && !columnDrag) {
        int row = cell.Y;
        if (row == 0 && g.FixedRowAlways() && g.RowCount() == 1)
            row = 1;
        const int col = dd.OleEntireRows() ? g.FixedCols() : cell.X;
        const TRect r = g.CellRect(col, std::min(row, g.RowCount() - 1));
        const int y = append || row >= g.RowCount() ? r.Bottom : r.Top;
        const QPoint at = g.viewport()->mapToGlobal(QPoint(r.Left, y));
        TArrowWindow* left = g.arrows[arrLeft];
        left->move(at.x() - kRowArrowGap, at.y() - left->height() / 2);
        left->show();
        g.arrows[arrDown]->hide();
        g.arrows[arrUp]->hide();
    } else {
        hideArrows();
    }
}

void TGridDropTarget::DragMouseLeave()
{
    hideArrows();
}

// ---- the drops --------------------------------------------------------------------------------

void TGridDropTarget::DropText(QPoint pt, const QString& s)
{
    TQvStringGrid& g = *FGrid;
    const TDragDropSettings& dd = g.DragDropSettings();
    bool append = false;
    const TPoint cell = dropCell(pt, false, append);
    int col = cell.X, row = cell.Y;
    bool allow = true;
    const TPoint block = TQvStringGrid::MeasureTextBlock(s);
    const int fields = block.X;
    const int lines = block.Y + 1; // a final line break starts no line
    const bool rowSelect = g.Options() & goRowSelect;
    if (rowSelect)
        col = dd.OleEntireRows() ? 0 : g.FixedCols();
    if (g.OnOleDrop)
        g.OnOleDrop(&g, row, col, s, allow);

    if (allow && isCell({col, row})) {
        const bool inserting = dd.OleInsertRows() && !append;
        // The grid's own dragged rows, when rows go in above them, move down with their cells,
        // so that removing them afterwards hits them and not the rows shifted into their place.
        // Nothing moves when no rows go in.
        if (g.FOleDragging && inserting && dd.OleRemoveRows() && g.FDropSelection.Top >= row) {
            g.FDropSelection.Top += lines;
            g.FDropSelection.Bottom += lines;
        }
        if (row == 0 && g.RowCount() == 1 && g.FixedRowAlways())
            row = 1;
        if (dd.OleInsertRows()) {
            const int top = g.TopRow();
            if (append) {
                g.InsertRows(g.RowCount(), lines);
                ++row;
            } else {
                g.InsertRows(row, lines);
            }
            g.SetTopRow(top > g.FixedRows() ? top + 1 : top);
        }
        g.PasteTextBlock(col, row, s);
        col = std::max(col, g.FixedCols());
        TGridRect sel{col, row, col + fields - 1, row + lines - 1};
        if (rowSelect)
            sel.Right = col + fields - g.FixedCols();
        sel.Right = std::min(sel.Right, g.ColCount() - 1);
        sel.Bottom = std::min(sel.Bottom, g.RowCount() - 1);
        if (sel.Top <= sel.Bottom && sel.Left <= sel.Right) {
            g.SetSelection(sel);
            if (g.FOleDragging) {
                g.FDroppedHere = true;
                g.FDroppedRect = sel;
            }
        }
    }
    hideDropMarks();
    if (g.OnOleDropped)
        g.OnOleDropped(&g, g.Selection());
}

void TGridDropTarget::DropStream(QPoint pt, QIODevice& Stream)
{
    TQvStringGrid& g = *FGrid;
    bool append = false;
    const TPoint cell = dropCell(pt, false, append);
    if (isCell(cell)) {
        Stream.seek(0);
        g.LoadAtPointFromBinStream({g.RealColFromDispl(cell.X), cell.Y}, Stream);
        if (g.FOleDragging) {
            const TGridRect& s = g.FDropSelection;
            g.FDroppedHere = true;
            g.FDroppedRect = {cell.X, cell.Y, cell.X + s.Right - s.Left, cell.Y + s.Bottom - s.Top};
        }
    }
    hideDropMarks();
    if (g.OnOleDropped)
        g.OnOleDropped(&g, g.Selection());
}

void TGridDropTarget::DropCol(QPoint pt, int Col)
{
    TQvStringGrid& g = *FGrid;
    bool append = false;
    const TPoint cell = dropCell(pt, true, append);
    int target = isCell(cell) ? cell.X : g.ColCount();
    g.arrows[arrDown]->hide();
    g.arrows[arrUp]->hide();
    if (g.FMoveButton)
        g.FMoveButton->hide();
    // The platform's moves are the grid's enhanced moves for the duration of the call.
    const auto move = [&g](int from, int to) {
        const bool enh = g.EnhRowColMove;
        g.EnhRowColMove = true;
        g.MoveColumn(from, to);
        g.EnhRowColMove = enh;
    };
    if (g.FOleDragCol >= 0) {
        // A hidden column dragged from a list: shown again where it was dropped.
        if (g.FOleDragList && g.FOleDragIndex >= 0 && g.FOleDragIndex < g.FOleDragList->count())
            delete g.FOleDragList->takeItem(g.FOleDragIndex);
        g.UnHideColumn(g.FOleDragCol);
        const int from = g.DisplColIndex(g.FOleDragCol);
        if (target < g.ColCount() && from >= 0 && from != target)
            move(from, target);
        g.FOleDragCol = -1;
        g.FOleDragIndex = -1;
        g.FOleDragList = nullptr;
    } else if (g.DragDropSettings().OleColumnReorder() && g.FOleDragging) {
        // Only the grid's own column: an index from another grid names some other column here.
        target = std::min(target, g.ColCount() - 1);
        const int from = g.DisplColIndex(Col);
        if (from >= 0 && from != target)
            move(from, target);
    }
    if (g.OnOleDropCol)
        g.OnOleDropCol(&g, cell.Y, target, Col);
}

void TGridDropTarget::dropIntoCell(QPoint pt, const QString& s,
                                   const std::function<void(TQvStringGrid*, int, int, const QString&, bool&)>& ask)
{
    TQvStringGrid& g = *FGrid;
    bool append = false;
    const TPoint cell = dropCell(pt, false, append);
    bool allow = true;
    if (ask)
        ask(&g, cell.Y, cell.X, s, allow);
    if (allow && isCell(cell))
        g.SetCells(g.RealColFromDispl(cell.X), cell.Y, s);
    g.arrows[arrLeft]->hide();
    g.arrows[arrDown]->hide();
}

void TGridDropTarget::DropRTF(QPoint pt, const QString& s)
{
    dropIntoCell(pt, s, FGrid->OnOleDrop);
}

void TGridDropTarget::DropURL(QPoint pt, const QString& s)
{
    dropIntoCell(pt, s, FGrid->OnOleDropURL);
}

void TGridDropTarget::DropFiles(QPoint pt, const QStringList& Files)
{
    TQvStringGrid& g = *FGrid;
    hideArrows();
    if (Files.size() != 1)
        return;
    const QString& name = Files.first();
    bool append = false;
    const TPoint cell = dropCell(pt, false, append);
    bool allow = true;
    if (g.OnOleDropFile)
        g.OnOleDropFile(&g, cell.Y, cell.X, name, allow);
    if (!allow)
        return;
    // The file's own extension decides, in any case: "data.csv.gz" or a file in a folder
    // named "x.csv" is no CSV file, and no name loads twice.
    const QString ext = QFileInfo(name).suffix().toLower();
    const bool csv = ext == QLatin1String("csv");
    const bool xls = ext == QLatin1String("xls") || ext == QLatin1String("xlsx") || ext == QLatin1String("xlsm")
                     || ext == QLatin1String("xlsb");
    if (!csv && !xls)
        return;
    bool load = true;
    if (g.OnOleDrop)
        g.OnOleDrop(&g, -1, -1, name, load);
    if (!load)
        return;
    if (csv)
        g.LoadFromCSV(name, -1);
    else
        g.LoadFromXLS(name);
}

} // namespace grid
