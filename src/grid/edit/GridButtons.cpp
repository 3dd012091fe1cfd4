#include "grid/edit/GridButtons.h"

#include "grid/edit/GridEditorEnd.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace grid {

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

// ---- TGridCheckBox

TGridCheckBox::TGridCheckBox(QWidget* grid, TGridEditHost* h) : QCheckBox(grid), host(h)
{
    setObjectName(QStringLiteral("GridCheckBox"));
    setAutoFillBackground(true);
    hide();
    setEnabled(false);
}

void TGridCheckBox::ReCreate()
{
    setChecked(false);
    setText(QString());
}

void TGridCheckBox::mousePressEvent(QMouseEvent* e)
{
    // The box toggles as the button goes down; the release has nothing left to do.
    if (e->button() == Qt::LeftButton) {
        toggle();
        e->accept();
        return;
    }
    QCheckBox::mousePressEvent(e);
}

void TGridCheckBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        e->accept();
        return;
    }
    QCheckBox::mouseReleaseEvent(e);
}

void TGridCheckBox::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_Space) {
        toggle();
        e->accept();
        return;
    }
    const bool closing = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_PageUp
                         || key == Qt::Key_PageDown || key == Qt::Key_End || isArrow(key);
    if (!host || !closing) {
        QCheckBox::keyPressEvent(e);
        // What the box does not use stays with it, as with the platform's box; passed on, the
        // grid would act on a key meant for the editor.
        if (host)
            e->accept();
        return;
    }
    e->accept();
    if (key == Qt::Key_Escape)
        setText(host->CurrentCellText());
    host->HideInplaceEdit();
    host->FocusGrid();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        host->AdvanceToNextCell(true, false);
    else if (key == Qt::Key_Up || key == Qt::Key_Down)
        host->GridKeyDown(key, e->modifiers());
}

void TGridCheckBox::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space) {
        e->accept();
        return;
    }
    QCheckBox::keyReleaseEvent(e);
}

void TGridCheckBox::focusOutEvent(QFocusEvent* e)
{
    QCheckBox::focusOutEvent(e);
    if (host && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

// ---- TGridButton

TGridButton::TGridButton(QWidget* grid, TGridEditHost* h) : QPushButton(grid), host(h)
{
    setObjectName(QStringLiteral("GridButton"));
    hide();
    setEnabled(false);
}

void TGridButton::ReCreate()
{
    setDown(false);
    setText(QString());
}

void TGridButton::click()
{
    if (!host)
        return;
    setText(host->EllipsisClick(text()));
    host->StoreCurrentCellText(text());
}

void TGridButton::handBack()
{
    // Hidden before the grid takes the focus, so the exit step does not close it a second time.
    hide();
    setEnabled(false);
    host->SetEditMode(false);
    host->FocusGrid();
}

bool TGridButton::event(QEvent* e)
{
    // Escape and the arrows belong to the button, not to the dialog's default handling.
    if (e->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Escape || isArrow(key)) {
            e->accept();
            return true;
        }
    }
    return QPushButton::event(e);
}

void TGridButton::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (!host || !(key == Qt::Key_Escape || isArrow(key) || key == Qt::Key_Space)) {
        QPushButton::keyPressEvent(e);
        if (host)
            e->accept(); // as the check box: keys of the editor do not reach the grid
        return;
    }
    e->accept();
    if (key == Qt::Key_Space)
        return; // the release clicks
    if (key == Qt::Key_Escape) {
        handBack();
        host->RestoreCellCache();
        host->GridKeyDown(Qt::Key_Escape, e->modifiers());
        return;
    }
    host->GridKeyDown(key, e->modifiers());
    handBack();
    host->GridKeyUp(key, e->modifiers());
}

void TGridButton::keyReleaseEvent(QKeyEvent* e)
{
    if (host && e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        click();
        setFocus();
        update();
        e->accept();
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

void TGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (host && e->button() == Qt::LeftButton && host->IsGridWindow(parentWidget())
        && rect().contains(e->position().toPoint()))
        click();
    QPushButton::mouseReleaseEvent(e);
}

void TGridButton::focusOutEvent(QFocusEvent* e)
{
    QPushButton::focusOutEvent(e);
    if (host && EditorLeftForGood(this, e))
        host->HideInplaceEdit();
}

} // namespace grid
