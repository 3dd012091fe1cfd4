// The undo and redo history of one grid's cell texts.

#include "grid/BaseGrid.h"

namespace grid {

VOreRizeZuvuZira::VOreRizeZuvuZira(QObject* owner) : QObject(owner) {}

void VOreRizeZuvuZira::SetGrid(TBaseGrid* grid)
{
    FGrid = grid;
}

void VOreRizeZuvuZira::RegisterChange(int col, int row, const QString& oldValue, const QString& newValue)
{
    // One record at most is dropped per call, the oldest.
    if (FMaxLevel > 0 && int(FItems.size()) >= FMaxLevel)
        FItems.erase(FItems.begin());
    TUndoRedoItem item;
    item.Col = col;
    item.Row = row;
    item.Value = newValue;
    item.OrigValue = oldValue;
    FItems.push_back(item);
    FLevel = int(FItems.size());
}

void VOreRizeZuvuZira::StartSequence()
{
    TUndoRedoItem item;
    item.SequenceStart = true;
    FItems.push_back(item);
    FLevel = int(FItems.size());
}

void VOreRizeZuvuZira::StopSequence()
{
    TUndoRedoItem item;
    item.SequenceStop = true;
    FItems.push_back(item);
    FLevel = int(FItems.size());
}

// Emptying the history also empties the done part, so CanUndo never promises a step that
// is not there.
void VOreRizeZuvuZira::Reset()
{
    FItems.clear();
    FLevel = 0;
}

void VOreRizeZuvuZira::restore(const TUndoRedoItem& r)
{
    if (r.IsMarker() || !FGrid)
        return; // a marker left alone by the size limit is no cell change
    if (OnUndo)
        OnUndo(this, FGrid, r.Col, r.Row, FGrid->UndoRedoCell(r.Col, r.Row), r.OrigValue);
    FGrid->UndoRedoSetCell(r.Col, r.Row, r.OrigValue);
    focusRecord(r);
}

// The restored cell becomes current where it is shown; a hidden one changes in its store only.
void VOreRizeZuvuZira::focusRecord(const TUndoRedoItem& r)
{
    const int dc = FGrid->DisplColIndex(r.Col);
    const int dr = FGrid->UndoRedoShownRow(r.Row);
    if (dc >= 0 && dc < FGrid->ColCount() && dr >= 0 && dr < FGrid->RowCount())
        FGrid->FocusCell(dc, dr, true);
}

void VOreRizeZuvuZira::reapply(const TUndoRedoItem& r)
{
    if (r.IsMarker() || !FGrid)
        return;
    if (OnRedo)
        OnRedo(this, FGrid, r.Col, r.Row, FGrid->UndoRedoCell(r.Col, r.Row), r.Value);
    FGrid->UndoRedoSetCell(r.Col, r.Row, r.Value);
    focusRecord(r);
}

void VOreRizeZuvuZira::Undo()
{
    const int count = int(FItems.size());
    if (!FGrid || FLevel == 0 || FLevel > count)
        return;
    if (FItems[FLevel - 1].SequenceStop) {
        --FLevel;
        while (FLevel > 0 && !FItems[FLevel - 1].SequenceStart) {
            restore(FItems[FLevel - 1]);
            --FLevel;
        }
        FLevel = std::max(0, FLevel - 1);
        FGrid->Invalidate();
    } else {
        const TUndoRedoItem& r = FItems[FLevel - 1];
        restore(r);
        if (!r.IsMarker() && FGrid->UndoRedoShownRow(r.Row) >= 0)
            FGrid->RepaintCell(FGrid->Col(), FGrid->UndoRedoShownRow(r.Row));
        --FLevel;
    }
}

void VOreRizeZuvuZira::Redo()
{
    const int count = int(FItems.size());
    if (!FGrid || FLevel >= count)
        return;
    const int i = FLevel;
    FLevel = i + 1;
    if (FItems[i].SequenceStart) {
        ++FLevel;
        while (FLevel <= count && !FItems[FLevel - 1].SequenceStop) {
            reapply(FItems[FLevel - 1]);
            ++FLevel;
        }
        FLevel = std::min(FLevel, count);
        FGrid->Invalidate();
    } else {
        reapply(FItems[i]);
    }
}

} // namespace grid
