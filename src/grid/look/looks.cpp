// Ready-made looks and colour schemes applied to the grid through its look store: the grid's
// present colours go into the store, the look routine rewrites them, and they come back. The
// gradient copies live in the store itself, and the control look and sort settings it writes
// are the grid's own.

#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"

namespace grid {

TGridLookState& TQvStringGrid::LookState()
{
    if (!FLookState) {
        FLookState = std::make_unique<TGridLookState>(FPaintSettings.ControlLook, FPaintSettings.SortSettings);
        FLookState->Look = Look;
        FLookState->VLX.From = 0xFFFFFF;
        FLookState->VLX.To = platform::colorToRGB(platform::clBtnFace);
        FLookState->Invalidate = [this] { Invalidate(); };
        FLookState->UIFontName = Font().Name;
    }
    return *FLookState;
}

TColor TQvStringGrid::VLXGradientFrom() const
{
    return FLookState->VLX.From;
}

TColor TQvStringGrid::VLXGradientTo() const
{
    return FLookState->VLX.To;
}

TColor TQvStringGrid::VLXGradientMirrorFrom() const
{
    return FLookState->VLX.MirrorFrom;
}

TColor TQvStringGrid::VLXGradientMirrorTo() const
{
    return FLookState->VLX.MirrorTo;
}

void TQvStringGrid::SetVLXGradientFrom(TColor c)
{
    LookState().SetVLXGradientFrom(c);
}

void TQvStringGrid::SetVLXGradientTo(TColor c)
{
    LookState().SetVLXGradientTo(c);
}

void TQvStringGrid::SetVLXGradientMirrorFrom(TColor c)
{
    LookState().SetVLXGradientMirrorFrom(c);
}

void TQvStringGrid::SetVLXGradientMirrorTo(TColor c)
{
    LookState().SetVLXGradientMirrorTo(c);
}

void TQvStringGrid::pullLook()
{
    TGridLookState& st = LookState();
    st.Loading = loading;
    st.Designing = designing;
    st.Look = Look;
    st.ActiveCellColor = ActiveCellColor;
    st.ActiveCellColorTo = ActiveCellColorTo;
    st.SelectionColor = SelectionColor;
    st.SelectionColorTo = SelectionColorTo;
    st.SelectionTextColor = SelectionTextColor;
    st.SelectionStyle = SelectionStyle();
    st.GridLineColor = GridLineColor();
    st.GridFixedLineColor = GridFixedLineColor();
    st.FixedColor = FixedColor();
    st.BorderColor = BorderColor;
    st.ScrollType = ScrollType;
    st.Color = Color();
    st.Flat = Flat;
    st.FontName = Font().Name;
    st.FontColor = Font().Color;
    st.FixedFontName = FFixedFont.Name;
    st.FixedFontColor = FFixedFont.Color;
    st.NodeType = FCellNode->NodeType();
}

void TQvStringGrid::pushLook()
{
    const TGridLookState& st = LookState();
    Look = st.Look;
    ActiveCellColor = st.ActiveCellColor;
    ActiveCellColorTo = st.ActiveCellColorTo;
    SelectionColor = st.SelectionColor;
    SelectionColorTo = st.SelectionColorTo;
    SelectionTextColor = st.SelectionTextColor;
    SetSelectionStyle(st.SelectionStyle);
    SetGridLineColor(st.GridLineColor);
    SetGridFixedLineColor(st.GridFixedLineColor);
    SetFixedColor(st.FixedColor);
    BorderColor = st.BorderColor;
    // Through the writer, so the metro look gets its thin bars and leaving it gives the bars back.
    if (st.ScrollType != ScrollType)
        SetScrollType(st.ScrollType);
    SetColor(st.Color);
    Flat = st.Flat;
    TFont f = Font();
    f.Name = st.FontName;
    f.Color = st.FontColor;
    SetFont(f);
    FFixedFont.Name = st.FixedFontName;
    FFixedFont.Color = st.FixedFontColor;
    FCellNode->SetNodeType(st.NodeType);
    Invalidate();
}

void TQvStringGrid::SetLook(TGridLook value)
{
    pullLook();
    grid::SetLook(LookState(), value);
    pushLook();
}

void TQvStringGrid::SetStyle(TQvGridStyle style)
{
    pullLook();
    grid::SetStyle(LookState(), style);
    pushLook();
}

void TQvStringGrid::SetComponentStyle(TVLXStyle style)
{
    pullLook();
    grid::SetComponentStyle(LookState(), style);
    pushLook();
}

TVLXStyle TQvStringGrid::GetComponentStyle()
{
    pullLook();
    return grid::GetComponentStyle(LookState());
}

void TQvStringGrid::SetTheme(TXPColorScheme scheme)
{
    pullLook();
    grid::SetTheme(LookState(), scheme);
    pushLook();
}

void TQvStringGrid::SetColorTones(const TColorTones& tones)
{
    pullLook();
    grid::SetColorTones(LookState(), tones);
    pushLook();
}

void TQvStringGrid::applyDesktopTheme()
{
    ApplyOfficeTheme(int(OfficeThemeKind(Services().registry)));
}

void TQvStringGrid::registerThemeWindow(bool on)
{
    if (designing || loading)
        return;
    if (on)
        ThemeNotifierInstance(this, Services().registry)->RegisterWindow(this);
    else if (GlobalThemeNotifier)
        GlobalThemeNotifier->UnRegisterWindow(this);
}

void TQvStringGrid::SetAutoThemeAdapt(bool v)
{
    if (v == FAutoThemeAdapt)
        return;
    FAutoThemeAdapt = v;
    FSearchFooter->SetAutoThemeAdapt(v);
    if (v) {
        applyDesktopTheme();
        Invalidate();
    }
    registerThemeWindow(v);
}

void TQvStringGrid::ApplyOfficeTheme(int code)
{
    pullLook();
    grid::ApplyOfficeTheme(LookState(), code);
    pushLook();
}

// The platform's application styles do not exist here: the grid is never styled by one and
// keeps the colours it was given.
void TQvStringGrid::AdaptToActiveStyle()
{
    FUseVCLStyles = false;
}

} // namespace grid
