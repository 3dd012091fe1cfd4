// The grid picker's popup grid: taking the picker's settings at every opening, filling the rows
// from the items, measuring, and the keys, clicks, wheel steps and drags that choose a row or
// raise the events the table control has no field for.

#include "dropdowns/QvCustomGridDropDown.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace dropdowns::customgrid {

namespace {

// The table control's padding when the direct mode sizes columns to their cells.
constexpr int kDirectAutoSizePadding = 4;

} // namespace

TQvColGrid::TQvColGrid(TCustomQvGridDropDown* owner, QWidget* parent)
    : grid::TQvStringGrid(parent), FQvDropDown(owner), FColumns(std::make_unique<TDropDownColumns>(this))
{
    SetFixedRowAlways(true);
    SetFixedCols(0);
    SetFixedRows(1);
    SetOptions((Options() | grid::goHorzLine | grid::goRowSelect) & ~grid::goRangeSelect);
    setFrameShape(QFrame::NoFrame);
    FGridLineWidth = 1;
    FOldRow = Row();
}

TQvColGrid::~TQvColGrid() = default;

void TQvColGrid::SetOwnGridLineWidth(int value)
{
    FGridLineWidth = value;
    SetGridLineWidth(0);
    Invalidate();
}

int TQvColGrid::ScrollBarWidth() const
{
    return multicolumn::SystemScrollBarWidth(*this);
}

void TQvColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

// ---- taking the picker's settings ------------------------------------------------------------

void TQvColGrid::InitFromDropDown(TCustomQvGridDropDown* dropDown)
{
    if (!dropDown)
        return;
    TCustomQvGridDropDown& dd = *dropDown;
    FQvDropDown = dropDown;
    FColumns->Assign(dd.Columns());
    // Never lowered: directly the application's columns stay.
    if (ColCount() < FColumns->Count())
        SetColCount(FColumns->Count());
    if (dd.UseItems())
        SetRowCount(dd.Items().Count() + 1);
    for (int c = 0; c < FColumns->Count(); ++c)
        SetColWidths(c, FColumns->Items(c).Width());
    FLineColor = dd.LineColor();
    FFixedLineColor = dd.FixedLineColor();
    FHeaderColor = dd.HeaderColor();
    FHeaderColorTo = dd.HeaderColorTo();
    FHeaderHeight = dd.HeaderHeight();
    FHeaderFont = dd.HeaderFont();
    FImages = dd.Images();
    FHoverRow = dd.HoverRow();
    FHoverRowColor = dd.HoverRowColor();
    FHoverRowColorTo = dd.HoverRowColorTo();
    SetDefaultRowHeight(dd.rowHeight());
    SetRowHeights(0, FHeaderHeight);
    const auto option = [](grid::TGridOptions options, grid::TGridOption o, bool on) {
        return on ? (options | o) : (options & ~grid::TGridOptions(o));
    };
    grid::TGridOptions options = Options();
    options = option(options, grid::goColSizing, dd.ColumnSizing());
    options = option(options, grid::goColMoving, dd.ColumnMoving());
    options = option(options, grid::goRowSizing, dd.RowSizing());
    options = option(options, grid::goRowMoving, dd.RowMoving());
    SetOptions(options);
    if (dd.AutoSizeColumns()) {
        if (dd.UseItems())
            AutoSizeItemColumns();
        else
            grid::TQvStringGrid::AutoSizeColumns(true, kDirectAutoSizePadding);
    }
    SizeWrappedRows();
}

void TQvColGrid::FillFromItems()
{
    if (!FQvDropDown)
        return;
    TCustomQvGridDropDown& dd = *FQvDropDown;
    // Rows hidden by the last narrowing would come back over the new ones.
    RemoveAllFilters();
    const TDropDownColumns& columns = dd.Columns();
    if (ColCount() != columns.Count() && columns.Count() > 0)
        SetColCount(columns.Count());
    for (int c = 0; c < columns.Count(); ++c) {
        SetCells(c, 0, columns.Items(c).Header());
        if (GetObjectEx(c, 0))
            SetObjectEx(c, 0, nullptr);
    }
    const TDropDownItems& items = dd.Items();
    if (items.Count() == 0)
        return;
    SetRowCount(FixedRows() + items.Count());
    const int cols = ColCount();
    for (int i = 0; i < items.Count(); ++i) {
        const QStringList& lines = items.Items(i).Text();
        const int row = i + 1;
        for (int c = 0; c < cols; ++c)
            SetCells(c, row, c < lines.size() ? lines[c] : QString());
        SetObjectEx(0, row, dd.indexObject(i));
    }
}

int TQvColGrid::ContentWidth() const
{
    return multicolumn::GridContentWidth(*this, ScrollBarWidth());
}

void TQvColGrid::AutoSizeColumn(int index)
{
    if (!FQvDropDown || parentWidget() != FQvDropDown->DropDownForm() || index < 0 || index >= FColumns->Count())
        return;
    TDropDownColumn& column = FColumns->Items(index);
    const int widest = multicolumn::MeasureItemColumn(column, index, FQvDropDown->Items(), RowCount() - 1, FImages);
    column.SetWidth(widest);
    if (index < ColCount())
        SetColWidths(index, widest);
}

void TQvColGrid::AutoSizeItemColumns()
{
    for (int c = 0; c < FColumns->Count(); ++c)
        if (FColumns->Items(c).AutoSize())
            AutoSizeColumn(c);
}

void TQvColGrid::SizeWrappedRows()
{
    if (!FQvDropDown || parentWidget() != FQvDropDown->DropDownForm() || !multicolumn::HasWordwrap(*FColumns))
        return;
    if (FQvDropDown->UseItems()) {
        const TDropDownItems& items = FQvDropDown->Items();
        for (int r = 1; r < RowCount() && r - 1 < items.Count(); ++r) {
            const TDropDownItem& item = items.Items(r - 1);
            SetRowHeights(r, multicolumn::MeasureWrappedRow(*FColumns, item.Text(), item.ImageIndex(), FImages));
        }
        return;
    }
    // Directly the grid's own cells are measured.
    for (int r = FixedRows(); r < RowCount(); ++r) {
        QStringList lines;
        for (int c = 0; c < FColumns->Count(); ++c)
            lines << Cells(c, r);
        SetRowHeights(r, multicolumn::MeasureWrappedRow(*FColumns, lines, -1, nullptr));
    }
}

TRect TQvColGrid::CellBounds(int col, int row) const
{
    return multicolumn::CellBoundsOf(*this, col, row);
}

// ---- keys, clicks, wheel and drags -----------------------------------------------------------

void TQvColGrid::keyPressEvent(QKeyEvent* e)
{
    FConfirmSelection = true;
    const int key = e->key();
    // Alt+Up and Alt+Down went to the picker already (its key filter passes them on), which
    // closes the popup; the grid does not move for them.
    if (e->modifiers().testFlag(Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        e->accept();
        return;
    }
    // Return chooses the row; the table control does not see it (it would start an edit).
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        e->accept();
        DoSelect();
        return;
    }
    grid::TQvStringGrid::keyPressEvent(e);
}

bool TQvColGrid::event(QEvent* e)
{
    // Tab stays in the grid: it does not move the focus out of the popup.
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            e->accept();
            return true;
        }
    }
    return grid::TQvStringGrid::event(e);
}

void TQvColGrid::dragNotifications(bool starting)
{
    const grid::TGridState state = GridState();
    const bool cols = state == grid::TGridState::gsColSizing || state == grid::TGridState::gsColMoving;
    const bool rows = state == grid::TGridState::gsRowSizing || state == grid::TGridState::gsRowMoving;
    if (!cols && !rows) {
        FDragIndex = -1;
        return;
    }
    if (starting)
        FDragIndex = cols ? Col() : Row();
    if (FDragIndex < 0)
        return;
    bool allow = true;
    switch (state) {
    case grid::TGridState::gsColSizing:
        if (OnColumnSizing)
            OnColumnSizing(this, FDragIndex, ColWidths(FDragIndex));
        break;
    case grid::TGridState::gsRowSizing:
        if (OnRowSizing)
            OnRowSizing(this, FDragIndex, RowHeights(FDragIndex));
        break;
    case grid::TGridState::gsColMoving:
        if (starting && OnColumnMove)
            OnColumnMove(this, FDragIndex, allow);
        else if (!starting && OnColumnMoving)
            OnColumnMoving(this, FDragIndex, allow);
        break;
    case grid::TGridState::gsRowMoving:
        if (starting && OnRowMove)
            OnRowMove(this, FDragIndex, allow);
        else if (!starting && OnRowMoving)
            OnRowMoving(this, FDragIndex, allow);
        break;
    default:
        break;
    }
    // The table control has no way back for a refused move; the answer is the handler's own.
    (void)allow;
}

void TQvColGrid::mousePressEvent(QMouseEvent* e)
{
    FConfirmSelection = true;
    FOldRow = Row();
    if (OnMouseDown)
        OnMouseDown(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    grid::TQvStringGrid::mousePressEvent(e);
    dragNotifications(true);
}

void TQvColGrid::mouseMoveEvent(QMouseEvent* e)
{
    if (OnMouseMove)
        OnMouseMove(this, e->modifiers(), int(e->position().x()), int(e->position().y()));
    grid::TQvStringGrid::mouseMoveEvent(e);
    if (FDragIndex >= 0)
        dragNotifications(false);
}

void TQvColGrid::mouseReleaseEvent(QMouseEvent* e)
{
    FDragIndex = -1;
    grid::TQvStringGrid::mouseReleaseEvent(e);
    if (OnMouseUp)
        OnMouseUp(this, e->button(), e->modifiers(), int(e->position().x()), int(e->position().y()));
    if (e->button() != Qt::LeftButton)
        return;
    const grid::TPoint cell = MouseCoord(int(e->position().x()), int(e->position().y()));
    if (cell.Y >= FixedRows() && cell.Y < RowCount() && !HasCheckBox(cell.X, cell.Y))
        DoSelect();
}

void TQvColGrid::wheelEvent(QWheelEvent* e)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    grid::TQvStringGrid::wheelEvent(e);
    FMouseWheelSelection = false;
}

} // namespace dropdowns::customgrid
