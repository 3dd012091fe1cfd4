// Pointer movement beyond the hover looks: the picture of moved cells, enhanced column and row
// moves with their floating header button and target arrows, header drag selection, and the
// sizing reports (events and the "cw=" / "rh=" hint).

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/markup/HTMLHintWindow.h"
#include "grid/markup/RizIVUDE.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace grid {

namespace {

// The picture of a dragged range is seen through: 192 of 255.
constexpr int kPictureAlpha = 192;
// Target arrows: 5 pixels before the target edge, the down arrow 8 pixels above the header, the
// left arrow 10 pixels left of the row header.
constexpr int kArrowInset = 5;
constexpr int kArrowAbove = 8;
constexpr int kArrowBeside = 10;
constexpr int kSizingHintMaxWidth = 200;

} // namespace

QWidget* TQvStringGrid::SelectionToForm(const TGridRect& r)
{
    const QPixmap whole = viewport()->grab();
    // Cells scrolled out of view have no rectangle; the picture shows the part in view.
    const auto clampedRect = [this](int col, int row) {
        TRect cr = CellRect(col, row);
        if (cr.IsEmpty()) {
            col = std::clamp(col, 0, std::max(0, LeftCol() + VisibleColCount() - 1));
            row = std::clamp(row, 0, std::max(0, TopRow() + VisibleRowCount() - 1));
            cr = CellRect(std::min(col, ColCount() - 1), std::min(row, RowCount() - 1));
        }
        return cr;
    };
    const TRect a = clampedRect(r.Left, r.Top), b = clampedRect(r.Right, r.Bottom);
    // The range's pixel edges, its far grid lines included.
    QRect area(QPoint(std::min(a.Left, b.Left), std::min(a.Top, b.Top)),
               QPoint(std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)));
    area &= viewport()->rect();
    QPixmap picture = area.isEmpty() ? QPixmap(1, 1) : whole.copy(area);
    if (area.isEmpty())
        picture.fill(Qt::transparent);
    {
        // A range cut from the fixed cells' edge keeps the fixed line it started at.
        QPainter p(&picture);
        p.setPen(platform::toQColor(GridFixedLineColor()));
        if (std::min(r.Left, r.Right) == 0 && FixedCols() > 0 && (Options() & goFixedHorzLine))
            p.drawLine(0, 0, 0, picture.height() - 1);
        if (std::min(r.Top, r.Bottom) == 0 && FixedRows() > 0 && (Options() & goFixedVertLine))
            p.drawLine(0, 0, picture.width() - 1, 0);
    }

    auto* form = new TNoActiveForm(this);
    form->setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* image = new QLabel(form);
    image->setPixmap(picture);
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image);
    form->setFixedSize(picture.size());
    // Half a step up: the platform stores the opacity as a byte and truncates.
    form->setWindowOpacity((kPictureAlpha + 0.5) / 255.0);
    return form;
}

// ---- the move, stage by stage ------------------------------------------------------------------

void TQvStringGrid::MouseMoveInGrid(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool held = FPointer->FMouseDownMove && (e->buttons() & Qt::LeftButton);
    if (held && MouseActions().RangeSelectAndEdit() && (Options() & goEditing) && !EditorMode())
        SetOptions(Options() & ~goEditing);
    const TGridRect s0 = Selection();

    cancelForeignHint(X, Y);
    updateHover(X, Y);
    placeCellScrollBar(ACol, ARow);
    if (HandleOleDragMove(e))
        return;
    if (held && FPointer->FMouseSelectStart >= 0)
        headerDragSelect(X, Y, ACol, ARow);

    if (FPointer->FSizingFixed || FPointer->FSizingFixedR) {
        // The width or height is set on the release; meanwhile the dotted line follows.
        if (FPointer->FSizingFixed) {
            DrawColSizingLine(FPointer->FSizeFixedX);
            FPointer->FSizeFixedX = X;
            DrawColSizingLine(FPointer->FSizeFixedX);
        }
        if (FPointer->FSizingFixedR) {
            DrawRowSizingLine(FPointer->FSizeFixedY);
            FPointer->FSizeFixedY = Y;
            DrawRowSizingLine(FPointer->FSizeFixedY);
        }
        reportSizing(X, Y);
        return;
    }
    if (e->buttons() == Qt::NoButton && armFixedSizing(X, Y, ACol, ARow)) {
        FPointer->FMouseSelectMode = msNormal;
        return;
    }

    if (!Designing()) {
        if (GridState() == TGridState::gsColSizing)
            FPointer->ColSized = true;
        if (GridState() == TGridState::gsRowSizing)
            FPointer->Rowsized = true;
        const bool colMove = GridState() == TGridState::gsColMoving;
        if ((colMove || GridState() == TGridState::gsRowMoving) && FPointer->Movecell >= 0) {
            bool allow = true;
            if (colMove && OnColumnMove)
                OnColumnMove(this, FPointer->Movecell, allow);
            else if (!colMove && OnRowMove)
                OnRowMove(this, FPointer->Movecell, allow);
            if (!allow) {
                endEnhancedMove();
                CancelGridState();
            }
        }
    }
    const bool moving = GridState() == TGridState::gsColMoving || GridState() == TGridState::gsRowMoving;
    if (moving && RowCount() > 1 && QPoint(X, Y) != QPoint(FPointer->Clickposx, FPointer->Clickposy) && EnhRowColMove)
        enhancedMove(X, Y, ACol, ARow, e->globalPosition().toPoint());

    mouseSelectZone(X, Y, ACol, ARow);
    const bool onLink = followAnchor(X, Y, ACol, ARow);

    // The selection rectangle is drawn around the cells: a changed selection repaints them.
    if (GridState() == TGridState::gsSelecting && SelectionRectangle && Selection() != FPointer->FMoveSelection) {
        InvalidateCellRange(Selection());
        FPointer->FMoveSelection = Selection();
    }
    TBaseGrid::mouseMoveEvent(e);
    if (Navigation().KeepHorizScroll() && held && GridState() != TGridState::gsColMoving
        && LeftCol() != FPointer->FOldKeepLeftCol) {
        // Selection drags never scroll sideways.
        StartUpdate();
        SetLeftCol(FPointer->FOldKeepLeftCol);
        ResetUpdate();
    }
    if (onLink && GridState() == TGridState::gsNormal)
        viewport()->setCursor(Qt::PointingHandCursor);
    applyCellCursor(X, Y, ACol, ARow);

    reportSizing(X, Y);
    if (moving && EnhRowColMove)
        viewport()->update();
    if (Selection() != s0)
        reportSelectionChanged(true);
}

bool TQvStringGrid::armFixedSizing(int X, int Y, int ACol, int ARow)
{
    if (Designing())
        return false;
    // Within 2 pixels of a fixed row's bottom or a fixed column's right border (running sums
    // as the press measures them).
    const auto nearBorder = [](int count, int at, const auto& size) {
        int s = 0;
        for (int i = 0; i < count; ++i) {
            if (std::abs(size(i) + s - at) < kFixedSizingGrip)
                return true;
            s += size(i) + 1;
        }
        return false;
    };
    const bool rowArmed = MouseActions().SizeFixedRow() && ACol >= FixedCols() && ACol >= 0 && ARow >= 0
                          && nearBorder(FixedRows(), Y, [this](int i) { return RowHeights(i); });
    const bool colArmed = !rowArmed && MouseActions().SizeFixedCol() && ARow >= FixedRows() && ACol >= 0
                          && nearBorder(FixedCols(), X, [this](int i) { return ColWidths(i); });
    if (rowArmed != FPointer->FSizeFixedR || colArmed != FPointer->FSizeFixed) {
        FPointer->FSizeFixedR = rowArmed;
        FPointer->FSizeFixed = colArmed;
        if (rowArmed || colArmed)
            viewport()->setCursor(rowArmed ? Qt::SplitVCursor : Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    return rowArmed || colArmed;
}

// Rows or columns from the header cell the press selected to the one under the pointer.
void TQvStringGrid::headerDragSelect(int /*X*/, int Y, int ACol, int ARow)
{
    if (FPointer->FMouseSelectMode == msRow && MouseActions().RowSelect()) {
        if (ARow >= FixedRows() && ARow < RowCount() - FixedFooters()) {
            const int top = std::max(FixedRows(), std::min(FPointer->FMouseSelectStart, ARow));
            const int bottom = std::max(FixedRows(), std::max(FPointer->FMouseSelectStart, ARow));
            SetSelection({FixedCols(), top, ColCount() - 1, bottom});
        }
        // At the edges the view follows one row a move.
        if (Y > viewport()->height() - 4 && TopRow() + VisibleRowCount() < RowCount())
            SetTopRow(TopRow() + 1);
        else if (FixedRows() > 0 && Y < CellRect(0, 0).Bottom && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
    } else if (FPointer->FMouseSelectMode == msColumn && MouseActions().ColSelect()) {
        if (ACol >= FixedCols()) {
            const int left = std::max(FixedCols(), std::min(FPointer->FMouseSelectStart, ACol));
            const int right = std::max(FixedCols(), std::max(FPointer->FMouseSelectStart, ACol));
            SetSelection({left, FixedRows(), right, RowCount() - 1});
        }
    }
}

// The zone a press acts on: the corner selects all, a column header its column, a row header
// its row; never on a sizing border.
void TQvStringGrid::mouseSelectZone(int X, int Y, int ACol, int ARow)
{
    // A row drag from the row headers keeps its mode over the fixed rows, where it scrolls up.
    const bool rowDragOnFixedRow =
        FPointer->FMouseSelectStart >= 0 && FPointer->FMouseSelectMode == msRow && ARow >= 0 && ARow < FixedRows();
    FPointer->FMouseSelectMode = msNormal;
    if (ACol < 0 || ARow < 0)
        return;
    if (inSelectionHandle(X, Y)) {
        FPointer->FMouseSelectMode = msResize;
        return;
    }
    const TMouseActions& ma = MouseActions();
    const bool fixedRow = ARow < FixedRows(), fixedCol = ACol < FixedCols();
    if (fixedRow && fixedCol && !rowDragOnFixedRow) {
        if (ma.AllSelect())
            FPointer->FMouseSelectMode = msAll;
        return;
    }
    if (fixedRow && ma.ColSelect() && !IsOnSizingBorder(X, Y)) {
        FPointer->FMouseSelectMode = msColumn;
        return;
    }
    const bool footerRow = FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow;
    const int lastRow = RowCount() - (footerRow ? 2 : 1);
    const bool nodeGlyph = ACol == 0 && HasNodes() && IsNode(ARow) && IsNodeGlyphHit(ARow, X);
    if (fixedCol && ARow <= lastRow && ma.RowSelect() && (!fixedRow || rowDragOnFixedRow) && !IsOnSizingBorder(X, Y)
        && !nodeGlyph)
        FPointer->FMouseSelectMode = msRow;
}

// Anchors of markup cells and link texts under the pointer: enter and exit events, the hint an
// anchor shows. Answers whether the pointer is on a link.
bool TQvStringGrid::followAnchor(int X, int Y, int ACol, int ARow)
{
    QString anchor, title;
    bool onLink = false;
    if (ACol >= 0 && ARow >= 0) {
        const TPoint base = BaseCell(ACol, ARow);
        const QString text = Cells(RealColIndex(base.X), base.Y);
        const int kind = ZirAzur::GetCellTextKind(text, EnableHTML);
        if (kind == ZirAzur::ctkMarkup) {
            RizIVUDE::TMarkupResult hit;
            if (MarkupCellHitTest(*this, base.X, base.Y, X, Y, hit) && !hit.AnchorHref.isEmpty()) {
                anchor = hit.AnchorHref;
                title = hit.AnchorTitle;
            }
        } else if (PaintSettings().URLShow && !text.isEmpty() && ZirAzur::TextIsUrl(text)) {
            onLink = true;
        }
    }
    if (!anchor.isEmpty()) {
        onLink = true;
        if (title.isEmpty() && OnAnchorHint)
            OnAnchorHint(this, ARow, ACol, title = anchor);
        if (anchor == FAnchor && title != FLastAnchorHint && !title.isEmpty()) {
            FLastAnchorHint = title;
            cancelCellHint(); // the next hint shows the new text
        }
        if (anchor != FAnchor) {
            if (OnAnchorEnter)
                OnAnchorEnter(this, ARow, ACol, anchor);
            FAnchor = anchor;
        }
    } else if (!FAnchor.isEmpty()) {
        if (OnAnchorExit)
            OnAnchorExit(this, ARow, ACol, QString());
        FAnchor.clear();
    }
    return onLink;
}

// The press on a header armed by the last move selects the whole column or row (or all); the
// press on a header band also names the column or row a move would take.
bool TQvStringGrid::headerSelectPress(int X, int Y, int ACol, int ARow, Qt::KeyboardModifiers shift)
{
    FPointer->Movecell = -1;
    const TMouseActions& ma = MouseActions();
    const bool fixedRow = ARow < FixedRows(), fixedCol = ACol < FixedCols();
    const TGridRect old = Selection();
    bool selected = false;
    const auto clearDisjunctCells = [this, &ma] {
        if (ma.DisjunctCellSelect())
            SelectedCellList().Clear();
    };
    if (fixedRow && fixedCol && ma.AllSelect() && (Options() & goRangeSelect) && FPointer->FMouseSelectMode == msAll) {
        setFocus(Qt::MouseFocusReason);
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        HideSelection();
        TGridRect all{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        SelectAllHook(all);
        SetSelection(all);
        selected = true;
    } else if (fixedCol && !fixedRow && ma.RowSelect() && FPointer->FMouseSelectMode == msRow) {
        if (EditorMode())
            setFocus(Qt::MouseFocusReason);
        HideSelection();
        clearDisjunctCells();
        const int from = (shift & Qt::ShiftModifier) ? old.Top : ARow;
        SetSelection({FixedCols(), std::min(from, ARow), ColCount() - 1, std::max(from, ARow)});
        FPointer->FMouseSelectStart = ARow;
        selected = true;
    } else if (fixedRow && !fixedCol && ma.ColSelect() && (Options() & goRangeSelect)
               && FPointer->FMouseSelectMode == msColumn) {
        setFocus(Qt::MouseFocusReason);
        HideSelection();
        clearDisjunctCells();
        int left = ACol, right = ACol;
        if (shift & Qt::ShiftModifier) {
            if (ACol < old.Left)
                right = old.Right;
            else
                left = old.Left;
        }
        SetSelection({left, FixedRows(), right, RowCount() - 1});
        FPointer->FMouseSelectStart = ACol;
        selected = true;
    }
    if (fixedRow && !fixedCol)
        FPointer->Movecell = ACol;
    else if (fixedCol && !fixedRow)
        FPointer->Movecell = ARow;
    if (FPointer->Movecell >= 0) {
        const TRect r = CellRect(ACol, ARow);
        FPointer->MoveOfsX = X - r.Left;
        FPointer->MoveOfsY = Y - r.Top;
    }
    if (selected) {
        FSelHidden = false;
        ExitGrid();
    }
    if (selected && ActiveCellShow)
        Invalidate();
    return selected;
}

// ---- enhanced moves ----------------------------------------------------------------------------

void TQvStringGrid::enhancedMove(int X, int Y, int ACol, int ARow, const QPoint& global)
{
    if (!FMoveButton)
        return; // none at design time
    bool allow = true;
    StartBlockFocus();
    const bool colMove = GridState() == TGridState::gsColMoving;
    if (colMove && FPointer->Movecell >= FixedCols() && ARow >= 0) {
        if (DragDropSettings().ShowCells() && !FMoveForm) {
            FMoveForm = SelectionToForm(
                {FPointer->Movecell, 0, FPointer->Movecell, TopRow() + VisibleRowCount() - FixedRows()});
            FMoveForm->show();
        }
        FMoveButton->Caption = Cells(RealColIndex(FPointer->Movecell), 0);
        FMoveButton->resize(ColWidths(FPointer->Movecell), RowHeights(ARow));
        FMoveButton->update();
    } else if (!colMove && FPointer->Movecell >= FixedRows() && ACol >= 0) {
        if (DragDropSettings().ShowCells() && !FMoveForm) {
            FMoveForm = SelectionToForm(
                {0, FPointer->Movecell, LeftCol() + VisibleColCount() - FixedCols(), FPointer->Movecell});
            FMoveForm->show();
        }
        FMoveButton->Caption = Cells(RealColIndex(0), FPointer->Movecell);
        FMoveButton->resize(ColWidths(ACol), RowHeights(FPointer->Movecell));
        FMoveButton->update();
    }

    QWidget* floating = DragDropSettings().ShowCells() && FMoveForm ? FMoveForm.data() : FMoveButton;
    QPoint at = global - QPoint(FPointer->MoveOfsX, FPointer->MoveOfsY);
    if (layoutDirection() == Qt::RightToLeft)
        at.setX(at.x() + ColWidths(0) - floating->width());
    floating->move(at);

    placeTargetArrows(ACol, ARow);
    if (colMove) {
        FPointer->FMoveColInd = ACol;
        FPointer->FMoveRowInd = 0;
        if (OnColumnMoving)
            OnColumnMoving(this, ACol, allow);
    } else {
        FPointer->FMoveColInd = 0;
        FPointer->FMoveRowInd = ARow;
        if (OnRowMoving)
            OnRowMoving(this, ARow, allow);
    }

    // Hidden columns or rows come into view one a move at the edges.
    if (colMove) {
        if (X < FixedColsWidth() && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        else if (X > viewport()->width() && LeftCol() + VisibleColCount() < ColCount())
            SetLeftCol(LeftCol() + 1);
    } else {
        if (Y < FixedRowsHeight() && TopRow() > FixedRows())
            SetTopRow(TopRow() - 1);
        else if (Y > viewport()->height() && TopRow() + VisibleRowCount() < RowCount())
            SetTopRow(TopRow() + 1);
    }

    if (!DragDropSettings().ShowCells() && FMoveButton->isHidden())
        FMoveButton->show();
    FMoveButton->setEnabled(true);
    viewport()->setCursor(allow ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

// The arrows mark the target of the previous move, at the edge the moved column or row lands.
void TQvStringGrid::placeTargetArrows(int ACol, int ARow)
{
    const bool colMove = GridState() == TGridState::gsColMoving;
    const auto place = [](TArrowWindow* arrow, QPoint at, bool visible) {
        if (!arrow)
            return;
        arrow->move(at);
        arrow->setVisible(visible);
    };
    if (colMove && FPointer->FMoveColInd >= FixedCols() && FPointer->FMoveColInd < ColCount() && ACol >= 0
        && ARow >= 0) {
        const TRect r = CellRect(FPointer->FMoveColInd, 0);
        const bool visible =
            !r.IsEmpty() && FPointer->FMoveColInd >= LeftCol() && FPointer->FMoveColInd < LeftCol() + VisibleColCount();
        const int x = (FPointer->FMoveColInd < FPointer->Movecell ? r.Left : r.Right) - kArrowInset;
        place(arrows[arrDown], viewport()->mapToGlobal(QPoint(x, r.Top - kArrowAbove)), visible);
        place(arrows[arrUp], viewport()->mapToGlobal(QPoint(x, r.Bottom)), visible);
    }
    const bool footerLast = FloatingFooter.Visible() && FloatingFooter.FooterStyle() == fsFixedLastRow
                            && FPointer->FMoveRowInd == RowCount() - 1;
    if (!colMove && !footerLast && FPointer->FMoveRowInd >= FixedRows() && FPointer->FMoveRowInd < RowCount()
        && ACol >= 0 && ARow >= 0) {
        const TRect r = CellRect(0, FPointer->FMoveRowInd);
        const bool visible =
            !r.IsEmpty() && FPointer->FMoveRowInd >= TopRow() && FPointer->FMoveRowInd < TopRow() + VisibleRowCount();
        const int y = (FPointer->FMoveRowInd < FPointer->Movecell ? r.Top : r.Bottom) - kArrowInset;
        place(arrows[arrLeft], viewport()->mapToGlobal(QPoint(r.Left - kArrowBeside, y)), visible);
        place(arrows[arrRight], viewport()->mapToGlobal(QPoint(r.Right, y)), visible);
    }
}

void TQvStringGrid::endEnhancedMove()
{
    delete FMoveForm.data();
    if (FMoveButton)
        FMoveButton->hide();
    for (TArrowWindow* arrow : arrows)
        if (arrow)
            arrow->hide();
    FPointer->FMoveColInd = FPointer->FMoveRowInd = -1;
}

// ---- sizing reports ----------------------------------------------------------------------------

void TQvStringGrid::reportSizing(int X, int Y)
{
    const bool colSizing = GridState() == TGridState::gsColSizing || FPointer->FSizingFixed;
    const bool rowSizing = GridState() == TGridState::gsRowSizing || FPointer->FSizingFixedR;
    if (!colSizing && !rowSizing)
        return;
    // The width or height the column or row gets when the button is released here.
    const auto platformSize = [](int at, int clicked, int count, const auto& edge) {
        const int ref = clicked >= 0 ? clicked : count - 1;
        return std::max(1, at - edge(ref));
    };
    int size = 0, ref = 0;
    if (colSizing) {
        ref = FPointer->FSizingFixed ? 0 : (FPointer->Colclicked >= 0 ? FPointer->Colclicked : ColCount() - 1);
        size = FPointer->FSizingFixed
                   ? FPointer->FSizeFixedX
                   : platformSize(X, FPointer->Colclicked, ColCount(), [this](int c) { return CellRect(c, 0).Left; });
        if (OnColumnSizing)
            OnColumnSizing(this, FPointer->FSizingFixed ? 0 : FPointer->Colclicked, size);
    } else {
        ref = FPointer->FSizingFixedR ? 0 : (FPointer->Rowclicked >= 0 ? FPointer->Rowclicked : RowCount() - 1);
        size = FPointer->FSizingFixedR
                   ? FPointer->FSizeFixedY
                   : platformSize(Y, FPointer->Rowclicked, RowCount(), [this](int r) { return CellRect(0, r).Top; });
        if (OnRowSizing)
            OnRowSizing(this, FPointer->FSizingFixedR ? 0 : FPointer->Rowclicked, size);
    }
    if (!HintShowSizing && !Designing())
        return;
    const QString text = (colSizing ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(size)
                         + QStringLiteral("</b>");
    const TRect cell =
        colSizing ? CellRect(FPointer->FSizingFixed ? 0 : ref, 0) : CellRect(0, FPointer->FSizingFixedR ? 0 : ref);
    const QPoint at = viewport()->mapToGlobal(QPoint(cell.Left, cell.Top));
    FScrollHintWnd->Color = HintColor;
    const TRect measured = FScrollHintWnd->CalcHintRect(kSizingHintMaxWidth, text, this);
    FScrollHintWnd->ActivateHintData(
        {at.x(), at.y(), at.x() + measured.Right - measured.Left, at.y() + measured.Bottom - measured.Top}, text, this);
    FScrollHintShow = true;
}

// ---- leaving, style -----------------------------------------------------------------------------

void TQvStringGrid::HandleStyleChanged()
{
    AdaptToActiveStyle();
}

void TQvStringGrid::PaintCornerCellLook(QPainter& Canvas, TRect Rect)
{
    // The corner's own text stays out of the face: the button shows the moved header's caption.
    const int realCol = RealColIndex(0);
    const QString text = store.Text(realCol, 0);
    store.SetText(realCol, 0, QString());
    PaintCellExt(Canvas, 0, 0, Rect, gdFixed);
    store.SetText(realCol, 0, text);
}

} // namespace grid
