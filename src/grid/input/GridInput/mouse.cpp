// Links opened by a click, the pointer over a sizing border, the double click and the right
// press, each of the last two an ordered table of named stages over the press context
// (input/PressContext.h); the left press is in press.cpp, the release in release.cpp.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/input/PressContext.h"
#include "grid/input/StageTable.h"
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
    return a.startsWith(QLatin1String("http://")) || a.startsWith(QLatin1String("https://"))
           || a.startsWith(QLatin1String("mailto:"));
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
        if (ZirAzur::ParseCellAnchor(anchor.mid(cellAt + 7), cell) && cell.X >= 0 && cell.Y >= 0 && cell.X < ColCount()
            && cell.Y < RowCount()) {
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
    return sizingBorderHalf(gaColumns, {X, Y}, {c, r}, false).value_or(false)
           || sizingBorderHalf(gaRows, {X, Y}, {c, r}, false).value_or(false);
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

// ---- the double click ---------------------------------------------------------------------------

void TQvStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        HandleLeftDoubleClick(e);
    else
        TBaseGrid::mouseDoubleClickEvent(e);
}

// The double click as an ordered table of named stages: a header border sizes its column, a
// cell reports OnDblClickCell and may start editing, a header may open its editor.
void TQvStringGrid::HandleLeftDoubleClick(QMouseEvent* e)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"dblFindCell", &TQvStringGrid::dblFindCell},
        {"dblOutsideCells", &TQvStringGrid::dblOutsideCells},
        {"dblAutoSizesColumn", &TQvStringGrid::dblAutoSizesColumn},
        {"dblIgnoresButtonOrGlyph", &TQvStringGrid::dblIgnoresButtonOrGlyph},
        {"dblOnControlCell", &TQvStringGrid::dblOnControlCell},
        {"dblReportsCell", &TQvStringGrid::dblReportsCell},
        {"dblEditOnDblClickOnly", &TQvStringGrid::dblEditOnDblClickOnly},
        {"dblRangeSelectAndEdit", &TQvStringGrid::dblRangeSelectAndEdit},
        {"dblEditsFixedCell", &TQvStringGrid::dblEditsFixedCell},
    };
    TPressContext p;
    p.Event = e;
    p.X = int(e->position().x());
    p.Y = int(e->position().y());
    FLastDoubleClickStage = RunStages(*this, p, std::span<const Stage>(kStages));
}

bool TQvStringGrid::dblFindCell(TPressContext& p)
{
    MouseToCell(p.X, p.Y, p.ACol, p.ARow);
    FPointer->FDblClk = false;
    if (MouseActions().RangeSelectAndEdit() && p.ACol >= 0 && p.ARow >= 0
        && !IsControlCell(RealColIndex(p.ACol), p.ARow))
        FForceSel = true;
    return false;
}

// Below or right of the cells the double click counts as one on the last column's header, so
// that its border can still be double-clicked (unless FixedRowAlways keeps the platform's own).
bool TQvStringGrid::dblOutsideCells(TPressContext& p)
{
    if (p.ACol < 0 || p.ARow < 0) {
        if (FFixedRowAlways) {
            TBaseGrid::mouseDoubleClickEvent(p.Event);
            FForceSel = false;
            return true;
        }
        p.ACol = ColCount() - 1;
        p.ARow = 0;
        p.SameCell = true; // not on the cell it now names: no header editor opens for it
    }
    p.RealCol = RealColIndex(p.ACol);
    p.CR = CellRect(p.ACol, p.ARow);
    p.FixedCell = p.ACol < FixedCols() || p.ARow < FixedRows();
    return false;
}

// A double click on a header border sizes the column left of it to its content; the release
// that follows does nothing more (FDblClk).
bool TQvStringGrid::dblAutoSizesColumn(TPressContext& p)
{
    if (p.ARow >= FixedRows() || !(Options() & goColSizing) || !MouseActions().AutoSizeColOnDblClick())
        return false;
    constexpr int kBorderGrab = 3;
    TPointerState& s = *FPointer;
    if (std::abs(p.X - p.CR.Left) <= kBorderGrab) {
        s.FDblClk = true;
        if (p.ACol - 1 >= FixedCols())
            autoSizeColumnByDblClick(p.ACol - 1);
    } else if (std::abs(p.X - p.CR.Right) <= kBorderGrab && p.ACol >= FixedCols()) {
        s.FDblClk = true;
        autoSizeColumnByDblClick(p.ACol);
    }
    if (!s.FDblClk)
        return false;
    FForceSel = false;
    TBaseGrid::mouseDoubleClickEvent(p.Event);
    return true;
}

void TQvStringGrid::autoSizeColumnByDblClick(int ACol)
{
    bool allow = true;
    if (OnColumnSize)
        OnColumnSize(this, ACol, allow);
    if (!allow)
        return;
    AutoSizeCol(ACol, 0);
    if (OnEndColumnSize)
        OnEndColumnSize(this, ACol);
}

// The press and release already clicked the button or glyph; a double click there is no more.
bool TQvStringGrid::dblIgnoresButtonOrGlyph(TPressContext& p)
{
    const TPoint base = BaseCell(p.ACol, p.ARow);
    const int real = RealColIndex(base.X);
    const QPoint at(p.X, p.Y);
    if (!GetButtonRect(real, base.Y).toQRect().contains(at)
        && !(HasExpand(real, base.Y) && GetExpandRect(real, base.Y).toQRect().contains(at)))
        return false;
    FForceSel = false; // left set, it would let the next selection pass unasked
    return true;
}

bool TQvStringGrid::dblOnControlCell(TPressContext& p)
{
    if (!IsControlCell(p.RealCol, p.ARow))
        return false;
    TBaseGrid::mouseDoubleClickEvent(p.Event);
    FForceSel = false;
    return true;
}

bool TQvStringGrid::dblReportsCell(TPressContext& p)
{
    TBaseGrid::mouseDoubleClickEvent(p.Event);
    // The cell under the pointer, not the base cell of its merge.
    if (OnDblClickCell)
        OnDblClickCell(this, p.ARow, p.ACol);
    return false;
}

bool TQvStringGrid::dblEditOnDblClickOnly(TPressContext& p)
{
    TMouseActions& ma = MouseActions();
    if (!ma.EditOnDblClickOnly())
        return false;
    const bool was = ma.RangeSelectAndEdit();
    ma.SetRangeSelectAndEdit(true);
    if (p.ACol == Col() && p.ARow == Row() && IsEditable(p.ACol, p.ARow)) {
        SetOptions(Options() | goEditing);
        ShowInplaceEdit();
    }
    ma.SetRangeSelectAndEdit(was);
    return false;
}

// RangeSelectAndEdit: the double click edits the cell as a press on it would.
bool TQvStringGrid::dblRangeSelectAndEdit(TPressContext& p)
{
    const TMouseActions& ma = MouseActions();
    if (ma.EditOnDblClickOnly() || !ma.RangeSelectAndEdit() || p.FixedCell)
        return false;
    const TPoint base = BaseCell(p.ACol, p.ARow);
    if (!IsEditable(base.X, base.Y))
        return false;
    SetOptions(Options() | goEditing);
    const TRect r = CellRect(base.X, base.Y);
    MouseDownInGrid(Qt::LeftButton, Qt::NoModifier, r.Left + 4, r.Top + 4);
    return false;
}

bool TQvStringGrid::dblEditsFixedCell(TPressContext& p)
{
    FForceSel = false;
    if (p.SameCell || p.ACol >= ColCount() || p.ARow >= RowCount())
        return false;
    const TMouseActions& ma = MouseActions();
    if ((p.ARow < FixedRows() && ma.FixedRowsEdit() == fceDblClick)
        || (p.ACol < FixedCols() && ma.FixedColsEdit() == fceDblClick))
        EditFixedCell(p.ACol, p.ARow);
    return false;
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

// ---- the right button ---------------------------------------------------------------------------

// The right press as an ordered table of named stages: the platform's press (where a header set
// to fceRightClick opens its editor), the cell selected with SelectOnRightClick, OnRightClickCell,
// and a link cell's editor with URLEdit.
void TQvStringGrid::HandleRightButtonDown(QMouseEvent* e)
{
    using Stage = TInputStage<TQvStringGrid, TPressContext>;
    static constexpr Stage kStages[] = {
        {"rightPlatformPress", &TQvStringGrid::rightPlatformPress},
        {"rightSelectsCell", &TQvStringGrid::rightSelectsCell},
        {"rightReportsClick", &TQvStringGrid::rightReportsClick},
        {"rightEditsLink", &TQvStringGrid::rightEditsLink},
    };
    TPressContext p;
    p.Event = e;
    p.Button = Qt::RightButton;
    p.X = int(e->position().x());
    p.Y = int(e->position().y());
    FLastRightPressStage = RunStages(*this, p, std::span<const Stage>(kStages));
}

bool TQvStringGrid::rightPlatformPress(TPressContext& p)
{
    MouseDownInGrid(Qt::RightButton, p.Event->modifiers(), p.X, p.Y);
    MouseToCell(p.X, p.Y, p.ACol, p.ARow);
    return false;
}

// SelectOnRightClick: a cell inside the selection keeps it (a popup menu acts on it); another
// cell becomes current, through a whole left click when no OnRightClickCell handler takes it.
bool TQvStringGrid::rightSelectsCell(TPressContext& p)
{
    TMouseActions& ma = MouseActions();
    if (!ma.SelectOnRightClick() || p.ACol < 0 || p.ARow < 0 || IsFixed(p.ACol, p.ARow)
        || (ma.DisjunctCellSelect() && GetSelectedCells(p.ACol, p.ARow)))
        return false;
    const TGridRect s = Selection();
    const bool selected = p.ACol >= s.Left && p.ACol <= s.Right && p.ARow >= s.Top && p.ARow <= s.Bottom;
    if (selected) {
        bool can = true;
        if (OnSelectCell)
            OnSelectCell(this, p.ACol, p.ARow, can);
    } else if (!IsControlCell(RealColIndex(p.ACol), p.ARow)) {
        if (OnRightClickCell) {
            const TPoint b = BaseCell(p.ACol, p.ARow);
            const int left = LeftCol();
            TStringGrid::FocusCell(b.X, b.Y, true);
            if (Navigation().KeepHorizScroll() && LeftCol() != left)
                SetLeftCol(left);
        } else {
            const QPointF at = p.Event->position(), global = p.Event->globalPosition();
            QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport(), &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(viewport(), &release);
        }
    }
    if (ma.DisjunctRowSelect()) {
        if ((p.Event->modifiers() & Qt::ControlModifier) || ma.DisjunctRowSelectNoCtrl()) {
            SetRowSelect(p.ARow, !GetRowSelect(p.ARow));
        } else if (!(RowSelectCount() > 1 && GetRowSelect(p.ARow))) {
            ClearRowSelect();
            SetRowSelect(p.ARow, true);
        }
    }
    return false;
}

bool TQvStringGrid::rightReportsClick(TPressContext& p)
{
    if (OnRightClickCell)
        OnRightClickCell(this, p.ARow, p.ACol);
    return false;
}

// A left click on a link cell opens the link; the right button is the way to edit its text.
bool TQvStringGrid::rightEditsLink(TPressContext& p)
{
    if (!URLShow() || !URLEdit || p.ACol < FixedCols() || p.ARow < FixedRows() || p.ACol >= ColCount()
        || p.ARow >= RowCount())
        return false;
    const QString text = Cells(RealColIndex(p.ACol), p.ARow);
    if (text.isEmpty() || !ZirAzur::TextIsUrl(text))
        return false;
    TStringGrid::FocusCell(p.ACol, p.ARow, true);
    ShowInplaceEdit();
    return false;
}

} // namespace grid
