// How a user starts an edit: a typed character opens the cell's editor and becomes its first
// keystroke; a click on the cell that is already current opens the editor.

#include "grid/edit/GridCombo.h"
#include "grid/edit/GridEdit.h"
#include "grid/edit/QSGEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace grid {

void TQvStringGrid::keyPressEvent(QKeyEvent* e)
{
    if (HandleKeyDownMessage(e))
        return;
    const QString t = e->text();
    const bool typed = !t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    // The grid's first current cell never passed the select decision: let it switch editing
    // on (a column grid's editable column) before the typed character is judged.
    if (typed && !EditMode && !EditorMode() && !(Options() & goEditing) && Col() >= FixedCols() && Row() >= FixedRows())
        SelectCell(Col(), Row());
    if (typed && !EditMode && !EditorMode() && IsEditable(Col(), Row()) && CanEditNonFixedCell(Col(), Row())) {
        QChar key = t.at(0);
        if (OnKeyPress)
            OnKeyPress(this, key);
        if (key.isNull())
            return;
        FStartEditChar = key;
        ShowInplaceEdit();
        // A special editor has taken the character as its first keystroke already.
        const bool textEditor = EditorMode() && FQvInplaceEdit;
        FStartEditChar = QChar();
        if (textEditor) {
            QKeyEvent first(QEvent::KeyPress, e->key(), e->modifiers() & Qt::KeypadModifier, QString(key));
            QApplication::sendEvent(FQvInplaceEdit, &first);
        }
        return;
    }
    TBaseGrid::keyPressEvent(e);
}

void TQvStringGrid::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton) {
        HandleRightButtonDown(e);
        return;
    }
    if (e->button() != Qt::LeftButton) {
        TBaseGrid::mousePressEvent(e);
        return;
    }
    HandleLeftButtonDown(e);
}

// The platform grid's own press, where the left press's stages run it: it moves the current
// cell or starts sizing, moving or range selection; a press on the current cell opens its
// editor.
void TQvStringGrid::platformPress(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(X, Y), viewport()->mapToGlobal(QPointF(X, Y)), Button, Button,
                  Shift);
    const TPoint cell = MouseCoord(X, Y);
    const bool wasCurrent = cell.X == Col() && cell.Y == Row() && !EditMode && !EditorMode();
    TBaseGrid::mousePressEvent(&e);
    if (Button != Qt::LeftButton)
        return;
    if (wasCurrent && !(Options() & goEditing) && cell.X >= FixedCols() && cell.Y >= FixedRows())
        SelectCell(cell.X, cell.Y); // a click on the current cell passes the select decision too
    if (wasCurrent && !(Shift & Qt::ShiftModifier) && cell.X == Col() && cell.Y == Row() && IsEditable(Col(), Row())
        && CanEditNonFixedCell(Col(), Row()) && !EditorMode())
        ShowInplaceEdit();
    if (!EditorMode())
        LButFlg = false;
}

} // namespace grid
