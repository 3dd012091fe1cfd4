// Keyboard, mouse and wheel handling of the string grid, and its in-place editor.

#include "grid/StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace grid {

namespace {
constexpr int kSizingGrip = 3; // pixels either side of a line that start sizing
}

// ---- editor --------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TStringGrid* grid) : QLineEdit(grid->viewport()), owner(grid)
{
    setFrame(false);
    hide();
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        owner->EditorDone(true);
        return;
    case Qt::Key_Escape:
        owner->EditorDone(false);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        owner->EditorKeyForward(e);
        return;
    default:
        QLineEdit::keyPressEvent(e);
    }
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (isVisible() && e->reason() != Qt::PopupFocusReason)
        owner->EditorDone(true);
}

TInplaceEdit* TStringGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

bool TStringGrid::CanEditShow() const
{
    if ((options & (goEditing | goRowSelect)) != goEditing)
        return false;
    return current.X >= fixedCols && current.Y >= fixedRows;
}

QString TStringGrid::GetEditText(int col, int row)
{
    QString s = Cells(col, row);
    if (OnGetEditText)
        OnGetEditText(this, col, row, s);
    return s;
}

void TStringGrid::SetEditText(int col, int row, const QString& value)
{
    SetCells(col, row, value);
    if (OnSetEditText)
        OnSetEditText(this, col, row, value);
}

bool TStringGrid::EditorMode() const
{
    return editorShown;
}

void TStringGrid::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TStringGrid::ShowEditor()
{
    if (editorShown || !CanEditShow())
        return;
    scrollIntoView(current.X, current.Y);
    if (!editor) {
        editor = CreateEditor();
        // Right after the grid in the focus chain, so Tab out of the editor reaches the
        // control after the grid, not the grid again.
        if (editor)
            QWidget::setTabOrder(this, editor);
    }
    if (!editor)
        return;
    editorShown = true;
    editor->setText(GetEditText(current.X, current.Y));
    placeEditor();
    editor->show();
    editor->setFocus();
    editor->selectAll();
}

void TStringGrid::HideEditor()
{
    if (!editorShown)
        return;
    EditorDone(true);
}

void TStringGrid::EditorDone(bool accept)
{
    if (!editorShown || !editor)
        return;
    editorShown = false; // first, so the focus change below does not end the edit twice
    const QString text = editor->text();
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    if (accept && CanEditModify())
        SetEditText(current.X, current.Y, text);
    if (hadFocus)
        setFocus();
    InvalidateCell(current.X, current.Y);
}

void TStringGrid::EditorKeyForward(QKeyEvent* e)
{
    HideEditor();
    KeyDown(e->key(), e->modifiers());
}

void TStringGrid::placeEditor()
{
    if (!editor || !editorShown)
        return;
    const TRect r = CellRect(current.X, current.Y);
    if (r.IsEmpty()) {
        editor->move(-10000, -10000);
        return;
    }
    editor->setGeometry(r.toQRect());
}

// ---- keys ----------------------------------------------------------------------------------

void TStringGrid::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool handled = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right
                         || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Home
                         || key == Qt::Key_End || key == Qt::Key_F2
                         || ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (options & goTabs));
    if (handled) {
        KeyDown(key, e->modifiers());
        e->accept();
        return;
    }
    QChar ch;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        ch = QChar(13);
    else if (key == Qt::Key_Escape)
        ch = QChar(27);
    else if (key == Qt::Key_Backspace)
        ch = QChar(8);
    else if (!e->text().isEmpty() && !(e->modifiers() & Qt::ControlModifier))
        ch = e->text().at(0);
    if (!ch.isNull()) {
        KeyPress(ch);
        e->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}

void TStringGrid::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (key.isNull())
        return;
    if (key.unicode() == 13) {
        if (editorShown)
            HideEditor();
        else
            ShowEditor();
        return;
    }
    if (key.isPrint() && (options & goEditing)) {
        ShowEditor();
        if (editorShown && editor)
            editor->setText(QString(key));
    }
}

void TStringGrid::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_F2) {
        if (editorShown)
            HideEditor();
        else
            ShowEditor();
        return;
    }
    const bool ctrl = shift & Qt::ControlModifier;
    const bool extend =
        (shift & Qt::ShiftModifier) && (options & goRangeSelect) && key != Qt::Key_Tab && key != Qt::Key_Backtab;
    int c = current.X, r = current.Y;
    const int page = std::max(1, VisibleRowCount());
    const bool rowSelect = options & goRowSelect;
    switch (key) {
    case Qt::Key_Up:
        --r;
        break;
    case Qt::Key_Down:
        ++r;
        break;
    case Qt::Key_Left:
        if (rowSelect) {
            SetLeftCol(LeftCol() - 1);
            return;
        }
        --c;
        break;
    case Qt::Key_Right:
        if (rowSelect) {
            SetLeftCol(LeftCol() + 1);
            return;
        }
        ++c;
        break;
    case Qt::Key_PageUp:
        r -= page;
        SetTopRow(TopRow() - page);
        break;
    case Qt::Key_PageDown:
        r += page;
        SetTopRow(TopRow() + page);
        break;
    case Qt::Key_Home:
        if (ctrl || rowSelect)
            r = fixedRows;
        c = fixedCols;
        break;
    case Qt::Key_End:
        if (ctrl || rowSelect)
            r = rowCount - 1;
        c = colCount - 1;
        break;
    case Qt::Key_Tab:
        if (++c >= colCount) {
            c = fixedCols;
            ++r;
        }
        break;
    case Qt::Key_Backtab:
        if (--c < fixedCols) {
            c = colCount - 1;
            --r;
        }
        break;
    default:
        return;
    }
    c = std::clamp(c, fixedCols, colCount - 1);
    r = std::clamp(r, fixedRows, rowCount - 1);
    if (c < 0 || r < 0)
        return;
    FocusCell(c, r, !extend);
}

// ---- mouse ---------------------------------------------------------------------------------

bool TStringGrid::sizingHit(int x, int y, TGridState& kind, int& index) const
{
    if ((options & goColSizing) && y < fixedHeight()) {
        for (int c = 0; c < colCount; ++c) {
            const TRect r = CellRect(c, 0);
            if (r.IsEmpty())
                continue;
            if (std::abs(x - r.Right) <= kSizingGrip) {
                kind = TGridState::gsColSizing;
                index = c;
                return true;
            }
        }
    }
    if ((options & goRowSizing) && x < fixedWidth()) {
        for (int rr = 0; rr < rowCount; ++rr) {
            const TRect r = CellRect(0, rr);
            if (r.IsEmpty()) {
                if (rr >= fixedRows && rr > topLeft.Y)
                    break;
                continue;
            }
            if (std::abs(y - r.Bottom) <= kSizingGrip) {
                kind = TGridState::gsRowSizing;
                index = rr;
                return true;
            }
        }
    }
    return false;
}

bool TStringGrid::SizingStateAt(int x, int y, TGridState& kind, int& index)
{
    return sizingHit(x, y, kind, index);
}

void TStringGrid::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    setFocus();
    const int x = int(e->position().x()), y = int(e->position().y());
    TGridState kind;
    int index;
    if (SizingStateAt(x, y, kind, index)) {
        HideEditor();
        state = kind;
        sizingIndex = index;
        const TRect r = kind == TGridState::gsColSizing ? CellRect(index, 0) : CellRect(0, index);
        sizingOrigin = kind == TGridState::gsColSizing ? r.Left : r.Top;
        return;
    }
    const TPoint cell = MouseCoord(x, y);
    if (cell.X < 0)
        return;
    if ((options & goColMoving) && cell.Y < fixedRows && cell.X >= fixedCols) {
        HideEditor();
        state = TGridState::gsColMoving;
        moveFrom = moveTo = cell.X;
        return;
    }
    if ((options & goRowMoving) && cell.X < fixedCols && cell.Y >= fixedRows) {
        HideEditor();
        state = TGridState::gsRowMoving;
        moveFrom = moveTo = cell.Y;
        return;
    }
    if (cell.X < fixedCols || cell.Y < fixedRows)
        return;
    const bool extend = (e->modifiers() & Qt::ShiftModifier) && (options & goRangeSelect);
    FocusCell(cell.X, cell.Y, !extend);
    if (options & goRangeSelect)
        state = TGridState::gsSelecting;
}

void TStringGrid::mouseMoveEvent(QMouseEvent* e)
{
    const int x = int(e->position().x()), y = int(e->position().y());
    switch (state) {
    case TGridState::gsColSizing:
        SetColWidths(sizingIndex, std::max(1, x - sizingOrigin));
        return;
    case TGridState::gsRowSizing:
        SetRowHeights(sizingIndex, std::max(1, y - sizingOrigin));
        return;
    case TGridState::gsColMoving: {
        const TPoint cell = MouseCoord(x, 0);
        if (cell.X >= fixedCols)
            moveTo = cell.X;
        return;
    }
    case TGridState::gsRowMoving: {
        const TPoint cell = MouseCoord(0, y);
        if (cell.Y >= fixedRows)
            moveTo = cell.Y;
        return;
    }
    case TGridState::gsSelecting: {
        const TPoint cell = MouseCoord(x, y);
        if (cell.X >= fixedCols && cell.Y >= fixedRows && (cell.X != current.X || cell.Y != current.Y))
            FocusCell(cell.X, cell.Y, false);
        return;
    }
    case TGridState::gsNormal: {
        TGridState kind;
        int index;
        if (SizingStateAt(x, y, kind, index))
            viewport()->setCursor(kind == TGridState::gsColSizing ? Qt::SplitHCursor : Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
        return;
    }
    }
}

void TStringGrid::CancelGridState()
{
    state = TGridState::gsNormal;
    moveFrom = moveTo = -1;
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const TGridState was = state;
    state = TGridState::gsNormal;
    if (was == TGridState::gsColMoving && moveTo >= 0 && moveTo != moveFrom)
        MoveColumn(moveFrom, moveTo);
    else if (was == TGridState::gsRowMoving && moveTo >= 0 && moveTo != moveFrom)
        MoveRow(moveFrom, moveTo);
    moveFrom = moveTo = -1;
    QAbstractScrollArea::mouseReleaseEvent(e);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    const TPoint cell = MouseCoord(int(e->position().x()), int(e->position().y()));
    if (cell.X == current.X && cell.Y == current.Y && (options & goEditing))
        ShowEditor();
}

void TStringGrid::wheelEvent(QWheelEvent* e)
{
    const int dy = e->angleDelta().y();
    if (dy < 0)
        DoMouseWheelDown();
    else if (dy > 0)
        DoMouseWheelUp();
    e->accept();
}

// As the classic grid, the wheel moves the current row.
void TStringGrid::DoMouseWheelDown()
{
    if (current.Y < rowCount - 1)
        FocusCell(current.X, current.Y + 1, true);
}

void TStringGrid::DoMouseWheelUp()
{
    if (current.Y > fixedRows)
        FocusCell(current.X, current.Y - 1, true);
}

} // namespace grid
