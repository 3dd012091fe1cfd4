// The grid's sort settings and control look: writers with their repaints and pass-ons, the
// Assign lists and the sort state as text.

#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"

namespace grid {

// ---- sort settings ---------------------------------------------------------------------------

void TSortSettings::Assign(const TPersistent& source)
{
    const auto* src = dynamic_cast<const TSortSettings*>(&source);
    if (!src)
        return;
    FAutoSortForGrouping = src->FAutoSortForGrouping;
    FAutoColumnMerge = src->FAutoColumnMerge;
    FColumn = src->FColumn;
    FShow = src->FShow;
    FIndexShow = src->FIndexShow;
    FIndexColor = src->FIndexColor;
    FFull = src->FFull;
    FSingleColumn = src->FSingleColumn;
    FIgnoreBlanks = src->FIgnoreBlanks;
    FBlankPos = src->FBlankPos;
    FAutoFormat = src->FAutoFormat;
    FDirection = src->FDirection;
    SetUpGlyph(src->FUpGlyph);
    SetDownGlyph(src->FDownGlyph);
    SetIndexUpGlyph(src->FIndexUpGlyph);
    SetIndexDownGlyph(src->FIndexDownGlyph);
    FIndexSortKey = src->FIndexSortKey;
    FInitSortDirection = src->FInitSortDirection;
    FFixedCols = src->FFixedCols;
    FNormalCellsOnly = src->FNormalCellsOnly;
    FRow = src->FRow;
    FUndoSort = src->FUndoSort;
    FHeaderColor = src->FHeaderColor;
    FHeaderColorTo = src->FHeaderColorTo;
    FHeaderMirrorColor = src->FHeaderMirrorColor;
    FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
}

void TSortSettings::SetShow(bool v)
{
    if (FShow == v)
        return;
    FShow = v;
    if (FGrid)
        FGrid->Invalidate();
}

void TSortSettings::SetRow(int v)
{
    if (FGrid && v >= FGrid->FixedRows())
        throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    FRow = v;
}

void TSortSettings::repaintHeader()
{
    if (FGrid && FGrid->FixedRows() > 0)
        FGrid->RepaintRow(FGrid->FixedRows() - 1);
}

#define QV_SORT_HEADER_WRITER(Name)                                                                                    \
    void TSortSettings::Set##Name(TColor v)                                                                            \
    {                                                                                                                  \
        if (F##Name == v)                                                                                              \
            return;                                                                                                    \
        F##Name = v;                                                                                                   \
        repaintHeader();                                                                                               \
    }
QV_SORT_HEADER_WRITER(HeaderColor)
QV_SORT_HEADER_WRITER(HeaderColorTo)
QV_SORT_HEADER_WRITER(HeaderMirrorColor)
QV_SORT_HEADER_WRITER(HeaderMirrorColorTo)
#undef QV_SORT_HEADER_WRITER

void TSortSettings::ToggleDirection()
{
    FDirection = FDirection == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::Remove()
{
    FColumn = -1;
    if (FGrid)
        FGrid->SortIndexes().Clear();
    repaintHeader();
}

QString TSortSettings::SaveToString() const
{
    if (FIndexShow)
        return QStringLiteral("i;") + (FGrid ? FGrid->SortIndexes().SaveToString() : QString());
    return (FDirection == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(FColumn);
}

void TSortSettings::LoadFromString(const QString& value)
{
    if (value.isEmpty())
        return;
    SetShow(true);
    if (value.size() < 2)
        throw Exception(QStringLiteral("Invalid sort settings specifier"));
    if (value.contains(QLatin1String("i;"))) {
        FIndexShow = true;
        const QString keys = value.mid(2);
        if (!keys.isEmpty() && FGrid) {
            FGrid->SortIndexes().LoadFromString(keys);
            FGrid->QSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
    bool ok = false;
    const int column = value.mid(1).toInt(&ok, 10);
    if (!ok)
        return;
    FColumn = column;
    if (FGrid)
        FGrid->QSort();
}

// ---- control look ----------------------------------------------------------------------------

TControlLook::TControlLook(TQvStringGrid* grid)
    : FGrid(grid), FDropDownHeader(std::make_unique<THeaderAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>())
{
    // The grid is still being built: its copies start with clear mirror colours already.
    FConstructing = true;
    Init();
    FConstructing = false;
}

TControlLook::~TControlLook() = default;

TGridLookState* TControlLook::copies() const
{
    if (FCopies)
        return FCopies;
    return FGrid && !FConstructing ? &FGrid->LookState() : nullptr;
}

void TControlLook::repaint()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TControlLook::Init()
{
    FFixedGradientFrom = FFixedGradientTo = clNone;
    FFixedGradientMirrorFrom = FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = platform::clGray;
    FFixedGradientHoverTo = platform::clWhite;
    FFixedGradientHoverBorder = platform::clSilver;
    FFixedGradientDownFrom = platform::clGray;
    FFixedGradientDownTo = platform::clSilver;
    FFixedGradientDownBorder = platform::clGray;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::Assign(const TPersistent& source)
{
    const auto* src = dynamic_cast<const TControlLook*>(&source);
    if (!src || src == this)
        return;
    FCheckBoxSize = src->FCheckBoxSize;
    FRadioSize = src->FRadioSize;
    FControlStyle = src->FControlStyle;
    FCheckedGlyph.Image = src->FCheckedGlyph.Image;
    FUnCheckedGlyph.Image = src->FUnCheckedGlyph.Image;
    FRadioOnGlyph.Image = src->FRadioOnGlyph.Image;
    FRadioOffGlyph.Image = src->FRadioOffGlyph.Image;
    FProgressMarginX = src->FProgressMarginX;
    FProgressMarginY = src->FProgressMarginY;
    FCommentColor = src->FCommentColor;
    FColor = src->FColor;
    FProgressBorderColor = src->FProgressBorderColor;
    FCheckAlwaysActive = src->FCheckAlwaysActive;
    FRadioAlwaysActive = src->FRadioAlwaysActive;
#define QV_COPY_GRADIENT(Name, Default) F##Name = src->F##Name;
    QV_CONTROLLOOK_GRADIENTS(QV_COPY_GRADIENT)
#undef QV_COPY_GRADIENT
    FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
    FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
    FDropDownCount = src->FDropDownCount;
    FDropDownFooter->Assign(*src->FDropDownFooter);
    FDropDownHeader->Assign(*src->FDropDownHeader);
    FHintMaxWidth = src->FHintMaxWidth;
}

#define QV_CONTROLLOOK_REPAINT_WRITER(Type, Name, Default)                                                             \
    void TControlLook::Set##Name(const Type& v)                                                                        \
    {                                                                                                                  \
        F##Name = v;                                                                                                   \
        repaint();                                                                                                     \
    }
QV_CONTROLLOOK_REPAINT(QV_CONTROLLOOK_REPAINT_WRITER)
#undef QV_CONTROLLOOK_REPAINT_WRITER

void TControlLook::SetCheckSize(int v)
{
    FCheckBoxSize = v;
    repaint();
}

#define QV_CONTROLLOOK_GLYPH_WRITER(Name)                                                                              \
    void TControlLook::Set##Name(const TBitmap& v)                                                                     \
    {                                                                                                                  \
        F##Name.Image = v.Image;                                                                                       \
        repaint();                                                                                                     \
    }
QV_CONTROLLOOK_GLYPH_WRITER(CheckedGlyph)
QV_CONTROLLOOK_GLYPH_WRITER(UnCheckedGlyph)
QV_CONTROLLOOK_GLYPH_WRITER(RadioOnGlyph)
QV_CONTROLLOOK_GLYPH_WRITER(RadioOffGlyph)
#undef QV_CONTROLLOOK_GLYPH_WRITER

namespace {

// How a gradient writer reaches the grid's copy: only a set colour, or always.
enum class TPass { IfSet, Always };

void passOn(TColor& copy, TColor v, TPass pass)
{
    if (pass == TPass::Always)
        copy = v == clNone ? clNone : platform::colorToRGB(v);
    else if (v != clNone)
        copy = platform::colorToRGB(v);
}

} // namespace

void TControlLook::SetFixedGradientFrom(TColor v)
{
    FFixedGradientFrom = v;
    if (TGridLookState* c = copies(); c && v != clNone)
        c->SetVLXGradientFrom(v);
}

void TControlLook::SetFixedGradientTo(TColor v)
{
    FFixedGradientTo = v;
    if (TGridLookState* c = copies(); c && v != clNone)
        c->SetVLXGradientTo(v);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor v)
{
    FFixedGradientMirrorFrom = v;
    if (TGridLookState* c = copies())
        c->SetVLXGradientMirrorFrom(v);
}

void TControlLook::SetFixedGradientMirrorTo(TColor v)
{
    FFixedGradientMirrorTo = v;
    if (TGridLookState* c = copies())
        c->SetVLXGradientMirrorTo(v);
}

#define QV_HOVER_DOWN_WRITER(Name, Copy, Field, Pass)                                                                  \
    void TControlLook::Set##Name(TColor v)                                                                             \
    {                                                                                                                  \
        F##Name = v;                                                                                                   \
        if (TGridLookState* c = copies())                                                                              \
            passOn(c->Copy.Field, v, TPass::Pass);                                                                     \
    }
QV_HOVER_DOWN_WRITER(FixedGradientHoverFrom, Hover, From, IfSet)
QV_HOVER_DOWN_WRITER(FixedGradientHoverTo, Hover, To, IfSet)
QV_HOVER_DOWN_WRITER(FixedGradientHoverMirrorFrom, Hover, MirrorFrom, Always)
QV_HOVER_DOWN_WRITER(FixedGradientHoverMirrorTo, Hover, MirrorTo, Always)
QV_HOVER_DOWN_WRITER(FixedGradientHoverBorder, Hover, Border, IfSet)
QV_HOVER_DOWN_WRITER(FixedGradientDownFrom, Down, From, IfSet)
QV_HOVER_DOWN_WRITER(FixedGradientDownTo, Down, To, IfSet)
QV_HOVER_DOWN_WRITER(FixedGradientDownMirrorFrom, Down, MirrorFrom, Always)
QV_HOVER_DOWN_WRITER(FixedGradientDownMirrorTo, Down, MirrorTo, Always)
QV_HOVER_DOWN_WRITER(FixedGradientDownBorder, Down, Border, IfSet)
#undef QV_HOVER_DOWN_WRITER

} // namespace grid
