// The viewport's drag events, turned into the drop target's calls: screen positions, the Ctrl
// state and the effects the source allows. Qt stops a drag over a widget that ignored its
// enter, so a refused drag is ignored there once and for all.

#include "grid/QvGrid.h"
#include "grid/dragdrop/GridDragDrop.h"

#include "platform/Messages.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace grid {

using namespace platform;

namespace {

void answer(QDropEvent* e, int effect)
{
    if (effect == DROPEFFECT_NONE) {
        e->ignore();
        return;
    }
    e->setDropAction(effect == DROPEFFECT_MOVE ? Qt::MoveAction : Qt::CopyAction);
    e->accept();
}

} // namespace

unsigned TQvStringGrid::dragKeyState(const QDropEvent& e) const
{
    unsigned keys = 0;
    if (e.modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    if (e.buttons() & Qt::LeftButton)
        keys |= MK_LBUTTON;
    return keys;
}

void TQvStringGrid::reportDropError(const QString& message)
{
    MessageBoxes* boxes = FServices.messages ? FServices.messages : productionServices().messages;
    if (boxes)
        boxes->error(this, message);
}

void TQvStringGrid::dragEnterEvent(QDragEnterEvent* e)
{
    TGridDropTarget* target = FDragDropSettings->DropTarget();
    if (!target) {
        e->ignore();
        return;
    }
    // The accept flags follow the settings as they are when a drag comes in.
    target->AcceptText = FDragDropSettings->OleAcceptText();
    target->AcceptFiles = FDragDropSettings->OleAcceptFiles();
    target->AcceptURLs = FDragDropSettings->OleAcceptURLs();
    FDragData = std::make_unique<TDragDataObject>(fromMimeData(*e->mimeData(), GridDragFormats()));
    int effect = effectsOf(e->possibleActions());
    const QPoint p = e->position().toPoint();
    target->DragEnter(*FDragData, dragKeyState(*e), viewport()->mapToGlobal(p), effect);
    if (!target->Ok()) {
        e->ignore();
        return;
    }
    DragOverGrid(p.x(), p.y(), dsDragEnter);
    FLastDragEffect = effect;
    answer(e, effect);
}

void TQvStringGrid::dragMoveEvent(QDragMoveEvent* e)
{
    TGridDropTarget* target = FDragDropSettings->DropTarget();
    if (!target || !FDragData) {
        e->ignore();
        return;
    }
    const QPoint p = e->position().toPoint();
    DragOverGrid(p.x(), p.y(), dsDragMove);
    int effect = effectsOf(e->possibleActions());
    target->DragOver(dragKeyState(*e), viewport()->mapToGlobal(p), effect);
    FLastDragEffect = effect;
    answer(e, effect);
}

void TQvStringGrid::dragLeaveEvent(QDragLeaveEvent* e)
{
    if (TGridDropTarget* target = FDragDropSettings->DropTarget())
        target->DragLeave();
    DragOverGrid(0, 0, dsDragLeave);
    FDragData.reset();
    FLastDragEffect = DROPEFFECT_NONE;
    e->accept();
}

void TQvStringGrid::dropEvent(QDropEvent* e)
{
    TGridDropTarget* target = FDragDropSettings->DropTarget();
    DragOverGrid(0, 0, dsDragLeave);
    FDragData.reset();
    if (!target) {
        e->ignore();
        return;
    }
    // As the platform does: a drag the last move refused is not dropped but leaves.
    if (FLastDragEffect == DROPEFFECT_NONE) {
        target->DragLeave();
        e->ignore();
        return;
    }
    FLastDragEffect = DROPEFFECT_NONE;
    TDragDataObject data(fromMimeData(*e->mimeData(), GridDragFormats()));
    int effect = effectsOf(e->possibleActions());
    const QPoint p = e->position().toPoint();
    // A drop runs inside the source's drag loop, possibly another program's: nothing thrown
    // may leave it. What failed is shown, and the drop reports that nothing was taken.
    try {
        target->Drop(data, dragKeyState(*e), viewport()->mapToGlobal(p), effect);
    } catch (const EQvGridError& err) {
        reportDropError(err.Message());
        effect = DROPEFFECT_NONE;
    } catch (const std::exception& err) {
        reportDropError(QString::fromLocal8Bit(err.what()));
        effect = DROPEFFECT_NONE;
    }
    answer(e, effect);
}

} // namespace grid
