// Ready-made looks and colour schemes applied to the grid through its look store: the grid's
// present colours go into the store, the look routine rewrites them, and they come back.

#include "grid/look/GridLooks.h"
#include "grid/QvGrid.h"

namespace grid {

TGridLookState& TQvStringGrid::LookState()
{
    if (!FLookState) {
        FLookState = std::make_unique<TGridLookState>();
        FLookState->Look = Look;
        FLookState->Invalidate = [this] { Invalidate(); };
        FLookState->UIFontName = Font().Name;
    }
    return *FLookState;
}

void TQvStringGrid::pullLook()
{
    TGridLookState& st = LookState();
    st.Loading = loading;
    st.Designing = designing;
    st.Look = Look;
    st.VLX.From = VLXGradientFrom;
    st.VLX.To = VLXGradientTo;
    st.VLX.MirrorFrom = VLXGradientMirrorFrom;
    st.VLX.MirrorTo = VLXGradientMirrorTo;
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
    const auto& cl = PaintSettings().ControlLook;
    st.Hover = {cl.FixedGradientHoverFrom, cl.FixedGradientHoverTo, cl.FixedGradientHoverMirrorFrom,
                cl.FixedGradientHoverMirrorTo, cl.FixedGradientHoverBorder};
    st.Down = {cl.FixedGradientDownFrom, cl.FixedGradientDownTo, cl.FixedGradientDownMirrorFrom,
               cl.FixedGradientDownMirrorTo, cl.FixedGradientDownBorder};
}

void TQvStringGrid::pushLook()
{
    const TGridLookState& st = LookState();
    Look = st.Look;
    VLXGradientFrom = st.VLX.From;
    VLXGradientTo = st.VLX.To;
    VLXGradientMirrorFrom = st.VLX.MirrorFrom;
    VLXGradientMirrorTo = st.VLX.MirrorTo;
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
    ScrollType = st.ScrollType;
    SetColor(st.Color);
    Flat = st.Flat;
    TFont f = Font();
    f.Name = st.FontName;
    f.Color = st.FontColor;
    SetFont(f);
    FFixedFont.Name = st.FixedFontName;
    FFixedFont.Color = st.FixedFontColor;
    FCellNode->SetNodeType(st.NodeType);
    auto& cl = PaintSettings().ControlLook;
    cl.FixedGradientHoverFrom = st.Hover.From;
    cl.FixedGradientHoverTo = st.Hover.To;
    cl.FixedGradientHoverMirrorFrom = st.Hover.MirrorFrom;
    cl.FixedGradientHoverMirrorTo = st.Hover.MirrorTo;
    cl.FixedGradientHoverBorder = st.Hover.Border;
    cl.FixedGradientDownFrom = st.Down.From;
    cl.FixedGradientDownTo = st.Down.To;
    cl.FixedGradientDownMirrorFrom = st.Down.MirrorFrom;
    cl.FixedGradientDownMirrorTo = st.Down.MirrorTo;
    cl.FixedGradientDownBorder = st.Down.Border;
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

void TQvStringGrid::ApplyOfficeTheme(int code)
{
    pullLook();
    grid::ApplyOfficeTheme(LookState(), code);
    pushLook();
}

} // namespace grid
