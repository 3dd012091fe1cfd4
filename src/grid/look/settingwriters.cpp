// Writers of a group of the grid's look and behaviour settings, and forgetting linked objects
// that go away.

#include "grid/QvGrid.h"
#include "grid/input/GridInput.h"
#include "grid/markup/HTMLHintWindow.h"
#include "grid/markup/RizIVUDE.h"

namespace grid {

void TQvStringGrid::SetShowDesignHelper(bool v)
{
    if (v == ShowDesignHelper)
        return;
    ShowDesignHelper = v;
    Invalidate();
}

void TQvStringGrid::SetRowIndicator(const TBitmap& v)
{
    FRowIndicator->Image = v.Image;
    RepaintCell(0, Row());
}

// The markup renderer's highlight pair follows the last grid written (hint windows and other
// markup use it); the grid's own cells always take the grid's pair (CellMarkupRequest).
void TQvStringGrid::SetHighlightColor(TColor v)
{
    if (v == HighlightColor)
        return;
    HighlightColor = v;
    RizIVUDE::SetMarkupHighlightColors(HighlightColor, HighlightTextColor);
    Invalidate();
}

void TQvStringGrid::SetHighlightTextColor(TColor v)
{
    if (v == HighlightTextColor)
        return;
    HighlightTextColor = v;
    RizIVUDE::SetMarkupHighlightColors(HighlightColor, HighlightTextColor);
    Invalidate();
}

TColor TQvStringGrid::ArrowColor() const
{
    return arrows[arrUp] ? arrows[arrUp]->Color : platform::clLime;
}

void TQvStringGrid::SetArrowColor(TColor color)
{
    for (TArrowWindow* a : arrows)
        if (a) {
            a->Color = color;
            a->update();
        }
}

void TQvStringGrid::SetUseHTMLHints(bool on)
{
    FUseHTMLHints = on;
    SetApplicationHTMLHints(on);
}

void TQvStringGrid::SetActiveCellShow(bool v)
{
    ActiveCellShow = v;
    Invalidate();
}

void TQvStringGrid::SetActiveCellColor(TColor v)
{
    ActiveCellColor = v;
    Invalidate();
}

void TQvStringGrid::SetActiveCellColorTo(TColor v)
{
    ActiveCellColorTo = v;
    Invalidate();
}

void TQvStringGrid::SetActiveCellFont(const TFont& v)
{
    FActiveCellFont = v;
    Invalidate();
}

void TQvStringGrid::SetXYOffset(TPoint v)
{
    XYOffset = v;
    Invalidate();
}

void TQvStringGrid::ForgetRemovedComponent(const void* AComponent)
{
    if (!AComponent)
        return;
    if (static_cast<const void*>(CellChecker) == AComponent)
        CellChecker = nullptr;
    if (static_cast<const void*>(GridImages) == AComponent)
        GridImages = nullptr;
    if (static_cast<const void*>(PictureContainer) == AComponent)
        PictureContainer = nullptr;
    if (!destroying && static_cast<const void*>(SyncGrid().Grid()) == AComponent)
        SyncGrid().SetGrid(nullptr);
}

void TQvStringGrid::SetBorderColor(TColor value)
{
    if (value == BorderColor)
        return;
    BorderColor = value;
    if (parentWidget())
        update();
}

void TQvStringGrid::ShowModifiedChanged()
{
    RepaintCol(0); // the marks sit in column 0
}

void TQvStringGrid::BandsChanged()
{
    Invalidate();
}

} // namespace grid
