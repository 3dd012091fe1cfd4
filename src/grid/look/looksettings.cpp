// The writers of the look and behaviour settings that painting and input handling read, and
// the few that do more than store and repaint (vertical alignment, automatic sizing,
// spreadsheet behaviour, the editor's length limit).

#include "grid/QvGrid.h"

#include <QFont>
#include <QFontMetrics>

namespace grid {

namespace {

template <class T>
bool storeIfChanged(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TQvStringGrid::SetSelectionColor(TColor v)
{
    if (storeIfChanged(SelectionColor, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionColorTo(TColor v)
{
    if (storeIfChanged(SelectionColorTo, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionMirrorColor(TColor v)
{
    if (storeIfChanged(SelectionMirrorColor, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionMirrorColorTo(TColor v)
{
    if (storeIfChanged(SelectionMirrorColorTo, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionTextColor(TColor v)
{
    if (storeIfChanged(SelectionTextColor, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionColorMixer(bool v)
{
    if (storeIfChanged(SelectionColorMixer, v))
        Invalidate();
}

// The comparison is with the value given, so writing 150 twice repaints twice.
void TQvStringGrid::SetSelectionColorMixerFactor(int v)
{
    if (v == SelectionColorMixerFactor)
        return;
    SelectionColorMixerFactor = std::clamp(v, 0, 100);
    Invalidate();
}

void TQvStringGrid::SetSelectionRectangle(bool v)
{
    if (storeIfChanged(SelectionRectangle, v))
        Invalidate();
}

void TQvStringGrid::SetSelectionResizer(bool v)
{
    if (storeIfChanged(SelectionResizer, v))
        Invalidate();
}

void TQvStringGrid::SetShowSelection(bool v)
{
    if (ShowSelection == v && FShowSel == v)
        return;
    ShowSelection = v;
    FShowSel = v; // the flag the base grid's painter reads
    Invalidate();
}

void TQvStringGrid::SetFlat(bool v)
{
    Flat = v;
    if (!loading)
        Invalidate();
}

// The editor keeps a 16-bit limit; 0 there means no limit, as it did for the user.
void TQvStringGrid::SetMaxEditLength(int v)
{
    MaxEditLength = v;
    if (TInplaceEdit* e = InplaceEditor()) {
        const int limit = int(static_cast<unsigned short>(v));
        e->setMaxLength(limit == 0 ? 32767 : limit);
    }
}

void TQvStringGrid::SetVAlignment(TVAlignment v)
{
    VAlignment = v;
    FVAlignFlag = v == vtaTop ? 0 : v == vtaBottom ? 8 : 4;
    if (FUpdateCount == 0)
        Invalidate();
}

void TQvStringGrid::SetAutoSize(bool v)
{
    AutoSize = v;
    if (v && !loading)
        AutoSizeColumns(false, 10);
}

// Switching the behaviour on sets up range selection with editing; switching it off only
// clears the flag: it never turns editing on for a grid that did not have it.
void TQvStringGrid::SetSpreadSheet(bool v)
{
    SpreadSheet = v;
    if (!v)
        return;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    SetOptions(Options() | goRangeSelect | goEditing);
    FMouseActions->SetRangeSelectAndEdit(true);
}

} // namespace grid
