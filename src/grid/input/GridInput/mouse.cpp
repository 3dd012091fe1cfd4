// The release, the double click (header auto-size) and the pointer over a fixed column's
// border; the left press is in press.cpp.

#include "grid/input/GridInput.h"
#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/markup/HTMLHintWindow.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QMouseEvent>

#include <optional>

#include <cstdlib>

namespace grid {

bool IsOpenableLink(const QString& anchor)
{
    const QString a = anchor.trimmed().toLower();
    return a.startsWith(QLatin1String("http://")) || a.startsWith(QLatin1String("https://")) ||
           a.startsWith(QLatin1String("mailto:"));
}

bool TQvStringGrid::openAnchor(int ARow, int ACol, const QString& anchor)
{
    bool autoHandle = true;
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    if (!autoHandle)
        return false;
    const qsizetype cellAt = anchor.toUpper().indexOf(QLatin1String("CELL://"));
    if (cellAt >= 0) {
        TPoint cell;
        if (ZirAzur::ParseCellAnchor(anchor.mid(cellAt + 7), cell) && cell.X >= 0 && cell.Y >= 0 &&
            cell.X < ColCount() && cell.Y < RowCount()) {
            TStringGrid::FocusCell(cell.X, cell.Y, true);
            ScrollInView(cell.X, cell.Y);
        }
        return true;
    }
    // Only web and mail links go to the shell: a cell text naming a file or a program must not
    // start anything on a click.
    if (!IsOpenableLink(anchor))
        return false;
    if (platform::Shell* s = FServices.shell)
        return s->openUrl(anchor.trimmed());
    return false;
}

// One half of the sizing-border tests: the pointer within 3 pixels of a border of the cell
// along the axis, where the cell lies in the other axis's fixed part (or, with withFirstNormal,
// in its first normal cell too) and the axis may be sized. Empty where the half does not apply.
std::optional<bool> TQvStringGrid::sizingBorderHalf(TGridAxisKind k, TPoint pointer, TPoint cell,
                                                    bool withFirstNormal) const
{
    const TGridAxisKind across = AcrossAxis(k);
    const int fixedAcross = across == gaColumns ? FixedCols() : FixedRows();
    const int at = Along(cell, across);
    const bool inFixed = withFirstNormal ? at <= fixedAcross : at < fixedAcross;
    if (!inFixed || !(Options() & (k == gaColumns ? goColSizing : goRowSizing)))
        return std::nullopt;
    const TRect cr = CellRect(cell.X, cell.Y);
    const int p = Along(pointer, k);
    const int low = k == gaColumns ? cr.Left : cr.Top, high = k == gaColumns ? cr.Right : cr.Bottom;
    return std::abs(p - low) < 4 || std::abs(p - high) < 4;
}

bool TQvStringGrid::IsOnSizingBorder(int X, int Y) const
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    return sizingBorderHalf(gaColumns, {X, Y}, {c, r}, false).value_or(false) ||
           sizingBorderHalf(gaRows, {X, Y}, {c, r}, false).value_or(false);
}

bool TQvStringGrid::IsAtSizingBorder(int X, int Y) const
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    // Where both halves apply, the row half decides.
    const std::optional<bool> rowHalf = sizingBorderHalf(gaRows, {X, Y}, {c, r}, true);
    return rowHalf ? *rowHalf : sizingBorderHalf(gaColumns, {X, Y}, {c, r}, true).value_or(false);
}

void TQvStringGrid::mouseMoveEvent(QMouseEvent* e)
{
    MouseMoveInGrid(e);
}

void TQvStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        TBaseGrid::mouseReleaseEvent(e);
        return;
    }
    FSelectionClick = false;
    const int X = int(e->position().x());
    FPointer->FMouseDownMove = false;
    FPointer->FMouseKeepDown = false;
    if (FPointer->FFixedCellPushed) {
        FPointer->FFixedCellPushed = false;
        FPushedCellButton = {-1, -1};
        viewport()->update(FPointer->FPushedFixedCell.toQRect());
    }
    if (FPointer->FMouseResize) {
        TBaseGrid::mouseReleaseEvent(e);
        endSelectionResize();
        return;
    }
    FPointer->FMouseSelectStart = -1;
    endEnhancedMove();
    if (FScrollHintShow) {
        FScrollHintShow = false;
        FScrollHintWnd->hide();
    }
    if (FPointer->FSizingFixed)
        DrawColSizingLine(FPointer->FSizeFixedX);
    if (FPointer->FSizingFixedR)
        DrawRowSizingLine(FPointer->FSizeFixedY);
    if (FPointer->FSizingFixed) {
        FPointer->FSizeFixed = FPointer->FSizingFixed = false;
        viewport()->unsetCursor();
        const int col = FPointer->FSizingFixedCol;
        FPointer->FSizingFixedCol = -1;
        if (col < 0 || col >= ColCount())
            return;
        int left = 0;
        for (int i = 0; i < col; ++i)
            left += ColWidths(i);
        // A release left of the column's own left edge would leave it zero or less wide and
        // lost to the user: it keeps one pixel.
        int w = std::max(1, X - left);
        SetColWidths(col, w);
        if (OnEndColumnSize)
            OnEndColumnSize(this, col);
        if (OnUpdateColumnSize) {
            int u = w;
            OnUpdateColumnSize(this, col, u);
            if (u != w)
                SetColWidths(col, std::max(1, u));
        }
        return;
    }
    if (FPointer->FSizingFixedR) {
        FPointer->FSizeFixedR = FPointer->FSizingFixedR = false;
        viewport()->unsetCursor();
        const int row = FPointer->FSizingFixedRow;
        FPointer->FSizingFixedRow = -1;
        if (row < 0 || row >= RowCount())
            return;
        int top = 0;
        for (int i = 0; i < row; ++i)
            top += RowHeights(i);
        // As for fixed columns: a fixed row keeps at least one pixel.
        SetRowHeights(row, std::max(1, int(e->position().y()) - top));
        if (OnEndRowSize)
            OnEndRowSize(this, row);
        return;
    }
    if (FPushedCellButton.X >= 0) {
        const TPoint pushed = FPushedCellButton;
        int c = -1, r = -1;
        MouseToCell(X, int(e->position().y()), c, r);
        const auto& look = PaintSettings().ControlLook;
        bool usable = Options() & goEditing;
        if (c >= 0 && r >= 0 && !look.NoDisabledButtonLook())
            usable = CanEditNonFixedCell(c, r);
        const int displ = DisplColIndex(pushed.X);
        const bool inFixed = displ < FixedCols() || pushed.Y < FixedRows();
        PushButton(pushed.X, pushed.Y, false);
        if ((usable || look.NoDisabledButtonLook() || inFixed) && c >= 0 && r >= 0) {
            const QPoint at(X, int(e->position().y()));
            if (GetButtonRect(pushed.X, pushed.Y).toQRect().contains(at))
                CellButtonClick(pushed.X, pushed.Y);
            if (HasExpand(pushed.X, pushed.Y) && GetExpandRect(pushed.X, pushed.Y).toQRect().contains(at))
                CellExpandClick(pushed.X, pushed.Y, ToggleExpand(pushed.X, pushed.Y));
        }
        return;
    }
    const bool wasColSizing = GridState() == TGridState::gsColSizing;
    const bool wasRowSizing = GridState() == TGridState::gsRowSizing;
    const bool wasColMoving = GridState() == TGridState::gsColMoving;
    TBaseGrid::mouseReleaseEvent(e);
    FPointer->FDoOnClick = false;
    FilterMouseUp(X, int(e->position().y()));
    TMouseActions& ma = MouseActions();
    if (ma.DisjunctRowSelect()) {
        int c = -1, r = -1;
        MouseToCell(X, int(e->position().y()), c, r);
        if (c >= 0 && r >= 0 && !(c == 0 && HasNodes() && IsNode(r))) {
            if (!(c == 0 && ma.HotmailRowSelect()))
                SyncRowSelectWithSelection(false);
            if (FPointer->FDeselectState && r >= FixedRows() && r < RowCount() - FFixedFooters)
                SetRowSelect(ma.RowSelectPersistent() ? RealRowIndex(r) : r, false);
        }
    }
    FPointer->FDeselectState = false;
    FPointer->FMouseDown = false;
    if (FPointer->FDblClk) {
        FPointer->FDblClk = false; // the release that follows a header auto-size does nothing more
        return;
    }
    if (wasColSizing && FPointer->Colclicked >= 0)
        afterColumnResize(FPointer->Colclicked);
    else if (wasRowSizing && FPointer->Rowclicked >= 0)
        afterRowResize(FPointer->Rowclicked);
    else if (!wasColSizing && !wasRowSizing)
        headerSortRelease(X, int(e->position().y()), e->modifiers(), wasColMoving);
}

// A release on the sort row where the press began sorts by the column (clickSort in
// QvGrid/sort.cpp). A column move that ended here, a release on a sizing border, a fixed
// drop-down or filter button, or a check box does not.
void TQvStringGrid::headerSortRelease(int X, int Y, Qt::KeyboardModifiers shift, bool wasColMoving)
{
    const auto& ss = SortSettings();
    if (!ss.Show() || FixedRows() <= 0 || RowCount() <= 2)
        return;
    int dc = -1, r = -1;
    MouseToCell(X, Y, dc, r);
    if (dc < 0 || r < 0 || (dc < FixedCols() && !ss.FixedCols()))
        return;
    int pc = -1, pr = -1;
    MouseToCell(FPointer->Clickposx, FPointer->Clickposy, pc, pr);
    // The platform moved the column when the press began on another one.
    if (r != ss.Row() || pr != ss.Row() || (wasColMoving && pc != dc))
        return;
    const int col = RealColIndex(dc);
    const TRect cell = CellRect(dc, r);
    if (r == 0 && HasOption(goColSizing) && (X - cell.Left < 4 || cell.Right - X < 4))
        return;
    if (X > cell.Right - 16) {
        if (ControlLook().FixedDropDownButton() && CanShowFixedDropDown(col))
            return;
        if (r == FilterDropDownRow() && GetColumnFilter(col))
            return;
    }
    if (IsInCheckBox(col, r, X, Y))
        return;
    bool doSort = !IsIgnoredColumn(col);
    if (OnCanSort)
        OnCanSort(this, col, doSort);
    if (!doSort) {
        RepaintCell(dc, ss.Row());
        return;
    }
    clickSort(col, shift);
}

void TQvStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        TBaseGrid::mouseDoubleClickEvent(e);
        return;
    }
    const int X = int(e->position().x()), Y = int(e->position().y());
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    TMouseActions& ma = MouseActions();
    FPointer->FDblClk = false;
    if (ma.RangeSelectAndEdit() && ACol >= 0 && ARow >= 0 && !IsControlCell(RealColIndex(ACol), ARow))
        FForceSel = true;
    if (ACol < 0 || ARow < 0) {
        if (FFixedRowAlways) {
            TBaseGrid::mouseDoubleClickEvent(e);
            FForceSel = false;
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }

    // A double click on a header border sizes the column to its content and goes no further.
    if (ARow < FixedRows() && (Options() & goColSizing) && ma.AutoSizeColOnDblClick()) {
        const TRect r = CellRect(ACol, ARow);
        int sized = -1;
        if (std::abs(X - r.Left) <= 3) {
            FPointer->FDblClk = true;
            if (ACol - 1 >= FixedCols())
                sized = ACol - 1;
        } else if (std::abs(X - r.Right) <= 3 && ACol >= FixedCols()) {
            FPointer->FDblClk = true;
            sized = ACol;
        }
        if (FPointer->FDblClk) {
            if (sized >= 0) {
                bool allow = true;
                if (OnColumnSize)
                    OnColumnSize(this, sized, allow);
                if (allow) {
                    AutoSizeCol(sized, 0);
                    if (OnEndColumnSize)
                        OnEndColumnSize(this, sized);
                }
            }
            FForceSel = false;
            TBaseGrid::mouseDoubleClickEvent(e);
            return;
        }
    }

    if (IsControlCell(RealColIndex(ACol), ARow)) {
        TBaseGrid::mouseDoubleClickEvent(e);
        FForceSel = false;
        return;
    }
    TBaseGrid::mouseDoubleClickEvent(e);
    if (OnDblClickCell)
        OnDblClickCell(this, ARow, ACol);
    if (ma.EditOnDblClickOnly()) {
        const bool was = ma.RangeSelectAndEdit();
        ma.SetRangeSelectAndEdit(true);
        if (ACol == Col() && ARow == Row() && IsEditable(ACol, ARow)) {
            SetOptions(Options() | goEditing);
            ShowInplaceEdit();
        }
        ma.SetRangeSelectAndEdit(was);
    }
    FForceSel = false;
}

TRect TQvStringGrid::GetButtonRect(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || (g->FCellType != ctButton && g->FCellType != ctBitButton))
        return {};
    const TRect cell = CellRect(DisplColIndex(ACol), ARow);
    if (cell.IsEmpty())
        return {};
    // The painter keeps where it placed the button: top offset * 65536 + left offset.
    const long long placed = static_cast<long long>(g->FCellValue);
    const int dy = int(placed / 65536), dx = int(placed % 65536);
    const int w = g->FCellIndex & 0xFFFF, h = (unsigned(g->FCellIndex) >> 16) & 0xFFFF;
    return {cell.Left + dx, cell.Top + dy, cell.Left + dx + w, cell.Top + dy + h};
}

void TQvStringGrid::PushButton(int ACol, int ARow, bool pushed)
{
    FPushedCellButton = pushed ? TPoint{ACol, ARow} : TPoint{-1, -1};
    RepaintCell(DisplColIndex(ACol), ARow);
}

} // namespace grid

namespace grid {

// The right button: with SelectOnRightClick it selects the cell first (as a left click when no
// OnRightClickCell handler takes it), then OnRightClickCell reports the cell.
void TQvStringGrid::HandleRightButtonDown(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    MouseDownInGrid(Qt::RightButton, e->modifiers(), X, Y);
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    TMouseActions& ma = MouseActions();
    if (ma.SelectOnRightClick() && ACol >= 0 && ARow >= 0 && !IsFixed(ACol, ARow) &&
        !IsControlCell(RealColIndex(ACol), ARow)) {
        const TGridRect s = Selection();
        const bool selected = ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
        if (selected) {
            bool can = true;
            if (OnSelectCell)
                OnSelectCell(this, ACol, ARow, can);
        } else if (OnRightClickCell) {
            const TPoint b = BaseCell(ACol, ARow);
            TStringGrid::FocusCell(b.X, b.Y, true);
        } else {
            const QPointF p = e->position();
            QMouseEvent press(QEvent::MouseButtonPress, p, e->globalPosition(), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport(), &press);
            QMouseEvent release(QEvent::MouseButtonRelease, p, e->globalPosition(), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(viewport(), &release);
        }
        if (ma.DisjunctRowSelect()) {
            if ((e->modifiers() & Qt::ControlModifier) || ma.DisjunctRowSelectNoCtrl()) {
                SetRowSelect(ARow, !GetRowSelect(ARow));
            } else if (!(RowSelectCount() > 1 && GetRowSelect(ARow))) {
                ClearRowSelect();
                SetRowSelect(ARow, true);
            }
        }
    }
    if (OnRightClickCell)
        OnRightClickCell(this, ARow, ACol);
}

} // namespace grid
