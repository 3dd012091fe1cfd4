// A drag the grid starts: armed by a press on the selection, started by the pointer moving on
// with the button held, run through the services' drag runner; afterwards a move clears or
// removes what was dragged.

#include "grid/QvGrid.h"
#include "grid/dragdrop/GridDragDrop.h"
#include "grid/input/HeaderDragButton.h"

#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

#include <cstdlib>

namespace grid {

using namespace platform;

namespace {
// The pointer must leave a square of this many pixels round the press before a drag starts.
constexpr int kDragThreshold = 3;
// A press this close to a header cell's side may size the column instead.
constexpr int kSizingEdge = 4;
constexpr int kSelectionHandle = 6;
constexpr int kOkEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
} // namespace

// ---- the grid's drop source ----------------------------------------------------------------------

void TGridDropSource::DragStopped()
{
    if (FGrid->DragDropSettings().ShowCells() && FGrid->FMoveForm) {
        delete FGrid->FMoveForm;
        FGrid->FMoveForm = nullptr;
    }
}

void TGridDropSource::CurrentEffect(int dwEffect)
{
    if (dwEffect == DROPEFFECT_MOVE || dwEffect == DROPEFFECT_COPY)
        FLastEffect = dwEffect;
}

void TGridDropSource::QueryDrag()
{
    const QPoint cursor = QCursor::pos();
    if (FGrid->DragDropSettings().ShowCells()) {
        if (FGrid->FMoveForm)
            FGrid->FMoveForm->move(cursor + QPoint(4, 4));
    } else if (THeaderDragButton* button = FGrid->FMoveButton; button && button->isVisible()) {
        button->move(cursor.x(), cursor.y() - button->height());
    }
}

// ---- arming and starting --------------------------------------------------------------------------

bool TQvStringGrid::ArmSelectionDrag(int ACol, int ARow, int X, int Y)
{
    TMouseActions& ma = MouseActions();
    const int realCol = RealColFromDispl(ACol);
    const TRect cr = CellRect(ACol, ARow);
    const int cellType = GetCellType(realCol, ARow);
    const bool onSelection = IsSelected(ACol, ARow) || (ARow < FixedRows() && !EnhRowColMove);
    const bool armed = onSelection && !(Options() & goEditing) && cellType != ctButton && cellType != ctBitButton
                       && !HasCheckBox(realCol, ARow) && FDragDropSettings->OleDropSource()
                       && !((ma.ColSelect() || ma.AllSelect()) && ARow < FixedRows()) && ACol >= FixedCols()
                       && ((X - cr.Left >= kSizingEdge && cr.Right - X >= kSizingEdge) || !(Options() & goColSizing));
    if (!armed)
        return false;
    setFocus(Qt::MouseFocusReason);
    if (OnMouseDown)
        OnMouseDown(this, Qt::LeftButton, QGuiApplication::keyboardModifiers(), X, Y);
    FSelectionClick = true;
    FSelectionClickPos = QPoint(X, Y);
    if (OnClickCell)
        OnClickCell(this, ARow, ACol);
    return true;
}

bool TQvStringGrid::oleDragDue(QMouseEvent* e) const
{
    if (!FSelectionClick || !FDragDropSettings->OleDropSource() || !(e->buttons() & Qt::LeftButton)
        || GridState() == TGridState::gsColSizing)
        return false;
    const QPoint p = e->position().toPoint();
    const QPoint d = p - FSelectionClickPos;
    if (std::abs(d.x()) <= kDragThreshold && std::abs(d.y()) <= kDragThreshold)
        return false;
    int c = -1, r = -1;
    MouseToCell(p.x(), p.y(), c, r);
    if (c < 0 || r < 0)
        return false;
    // The selection's resize handle sizes the selection; it never drags it.
    if (SelectionResizer && SelectionRectangle) {
        const TGridRect s = Selection();
        const TRect cr = CellRect(s.Right, s.Bottom);
        if (p.x() > cr.Right - kSelectionHandle && p.x() <= cr.Right && p.y() > cr.Bottom - kSelectionHandle
            && p.y() <= cr.Bottom)
            return false;
    }
    return true;
}

bool TQvStringGrid::HandleOleDragMove(QMouseEvent* e)
{
    if (!oleDragDue(e))
        return false;
    FSelectionClick = false;
    int c = -1, r = -1;
    MouseToCell(int(e->position().x()), int(e->position().y()), c, r);
    return StartOleDrag(c, r);
}

// The dragged cells' picture: the column down to the last visible row, or the selection
// clipped to the visible cells.
static TGridRect dragPictureRect(const TQvStringGrid& g, bool columnDrag, int ACol)
{
    if (columnDrag)
        return {ACol, 0, ACol, g.VisibleRowCount()};
    const TGridRect s = g.Selection();
    return {std::max(g.LeftCol(), s.Left), std::max(g.TopRow(), s.Top),
            std::min(s.Right, g.LeftCol() + g.VisibleColCount() - 1),
            std::min(s.Bottom, g.TopRow() + g.VisibleRowCount() - 1)};
}

void TQvStringGrid::showDragPicture(const TGridRect& r, QPoint at)
{
    // The platform drag carries the picture as its pixmap, so the form itself stays hidden:
    // shown as well, it would be a second picture trailing the first.
    // The picture shows the cells as they are, without the selection's colour.
    HideSelection();
    FMoveForm = SelectionToForm(r);
    UnHideSelection();
    if (layoutDirection() == Qt::RightToLeft)
        at.setX(at.x() + ColWidths(0) - FMoveForm->width());
    FMoveForm->move(at);
}

// Without a picture of the cells, the dragged column is its header: the button follows the
// pointer (TGridDropSource::QueryDrag) and the drag itself carries no picture.
void TQvStringGrid::showDragButton(int ACol, QPoint at)
{
    FMoveButton->Caption = Cells(RealColFromDispl(ACol), 0);
    FMoveButton->resize(ColWidths(ACol), RowHeights(0));
    FMoveButton->move(at);
    FMoveButton->show();
    FMoveButton->raise();
    FMoveButton->update();
}

bool TQvStringGrid::StartOleDrag(int ACol, int ARow)
{
    TDragDropSettings& dd = *FDragDropSettings;
    const int realCol = RealColFromDispl(ACol);
    bool allow = true;
    if (dd.OleColumnsOnly() && ARow >= FixedRows())
        allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, realCol, Cells(realCol, ARow), allow);
    if (!allow) {
        if (GridState() == TGridState::gsNormal)
            SetGridState(TGridState::gsSelecting);
        return false;
    }

    TGridDropSource source(this);
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, realCol);
    const QPoint P = QCursor::pos();
    StartBlockFocus();
    const bool columnDrag = ARow < FixedRows() && dd.OleColumnDragDrop();
    if (dd.ShowCells() && !FMoveForm)
        showDragPicture(dragPictureRect(*this, columnDrag, ACol), P);
    const TDragRun run{dragRunner(FServices), this, FMoveForm ? FMoveForm->grab() : QPixmap()};
    int effect = DROPEFFECT_NONE;
    // While the drag runs, a drop on this grid knows the dragged cells are its own.
    struct Dragging {
        TQvStringGrid& g;
        explicit Dragging(TQvStringGrid& grid) : g(grid) { g.FOleDragging = true; }
        ~Dragging()
        {
            g.FOleDragging = false;
            g.FDroppedHere = false;
        }
    } dragging(*this);

    if (columnDrag) {
        if (!dd.ShowCells() && FMoveButton)
            showDragButton(ACol, P);
        const HRESULT result = BeginColumnDrag(source, realCol, kOkEffects, effect, run);
        if (result != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, effect);
        if (FMoveButton)
            FMoveButton->hide();
        arrows[arrDown]->hide();
        arrows[arrUp]->hide();
        return true;
    }

    FDropSelection = Selection();
    std::optional<QByteArray> cells;
    if (Navigation().AllowFmtClipboard()) {
        cells.emplace();
        QBuffer stream(&*cells);
        stream.open(QIODevice::WriteOnly);
        SaveRectToBinStream(FDropSelection, stream);
    }
    const HRESULT result =
        BeginTextDrag(source, SelectedText(), Cells(realCol, ARow), effect, kOkEffects, cells ? &*cells : nullptr, run);
    if (result == DRAGDROP_S_CANCEL)
        return true;
    if (effect == DROPEFFECT_MOVE && !dd.OleCopyAlways())
        removeDraggedCells();
    if (OnOleDragStop)
        OnOleDragStop(this, effect);
    return true;
}

void TQvStringGrid::removeDraggedCells()
{
    const TGridRect& s = FDropSelection;
    const bool disjunct = MouseActions().DisjunctRowSelect();
    if (FDragDropSettings->OleRemoveRows() && (Options() & goRowSelect)) {
        if (disjunct)
            RemoveSelectedRows();
        else
            RemoveRows(s.Top, s.Bottom - s.Top + 1);
        return;
    }
    if (disjunct) {
        ClearSelection();
        return;
    }
    if (!FDroppedHere) {
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
        return;
    }
    // Dropped on this grid: the cells the drop has just written stay, the rest of the source goes.
    const TGridRect& d = FDroppedRect;
    for (int r = s.Top; r <= s.Bottom; ++r) {
        if (r < d.Top || r > d.Bottom) {
            ClearRect(s.Left, r, s.Right, r);
            continue;
        }
        if (s.Left < d.Left)
            ClearRect(s.Left, r, std::min(s.Right, d.Left - 1), r);
        if (s.Right > d.Right)
            ClearRect(std::max(s.Left, d.Right + 1), r, s.Right, r);
    }
}

void TQvStringGrid::OleColumnDragStart(int ACol, int AIndex, QListWidget* AList)
{
    FOleDragCol = ACol;
    FOleDragIndex = AIndex;
    FOleDragList = AList;
}

void TQvStringGrid::StartBlockFocus()
{
    if (OnStartBlockFocus)
        OnStartBlockFocus(this);
}

void TQvStringGrid::EndBlockFocus()
{
    if (OnEndBlockFocus)
        OnEndBlockFocus(this);
}

} // namespace grid
