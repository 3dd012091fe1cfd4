#include "grid/look/GridLooks.h"

#include "grid/look/ZirAzur.h"

#include <QPainter>

namespace grid {

using platform::clBtnFace;
using platform::clHighlight;
using platform::clHighlightText;

namespace {

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000;

TColor toRGBKeepNone(TColor c)
{
    return c == clNone ? clNone : platform::colorToRGB(c);
}

void keepOr(TColor& target, TColor value)
{
    if (value != kKeep)
        target = value;
}

void invalidate(TGridLookState& g)
{
    if (g.Invalidate)
        g.Invalidate();
}

void setSortHeader(TGridLookState& g, TColor from, TColor to, TColor mirror, TColor mirrorTo)
{
    TSortSettings& s = g.SortSettings();
    s.SetHeaderColor(from);
    s.SetHeaderColorTo(to);
    s.SetHeaderMirrorColor(mirror);
    s.SetHeaderMirrorColorTo(mirrorTo);
}

// The control look's mirror colours follow the vendor look's.
void controlLookMirrorFromVLX(TGridLookState& g)
{
    const TColor mf = g.VLX.MirrorFrom, mt = g.VLX.MirrorTo;
    g.SetFixedGradientMirrorFrom(mf);
    g.SetFixedGradientMirrorTo(mt);
}

} // namespace

QImage MetroGlyph(const QString& name)
{
    constexpr int size = 15;
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white); // the bottom-left pixel is the transparent colour
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor accent(0x2B, 0x57, 0x9A), frame(0x80, 0x80, 0x80), tick(Qt::white);
    const bool radio = name.startsWith(QLatin1String("metroradio"), Qt::CaseInsensitive);
    const bool on = name.endsWith(QLatin1String("on"), Qt::CaseInsensitive);
    if (radio) {
        p.setPen(on ? accent : frame);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(1, 1, size - 3, size - 3);
        if (on) {
            p.setBrush(accent);
            p.drawEllipse(4, 4, size - 9, size - 9);
        }
    } else if (on) {
        p.fillRect(1, 1, size - 2, size - 2, accent);
        p.setPen(QPen(tick, 2));
        p.drawPolyline(QPolygon({QPoint(4, 7), QPoint(6, 10), QPoint(11, 4)}));
    } else {
        p.setPen(frame);
        p.drawRect(1, 1, size - 3, size - 3);
    }
    return img;
}

// ---- property writers ------------------------------------------------------------------------

void TGridLookState::SetVLXGradientFrom(TColor c)
{
    VLX.From = toRGBKeepNone(c);
    invalidate(*this);
}

void TGridLookState::SetVLXGradientTo(TColor c)
{
    VLX.To = toRGBKeepNone(c);
    invalidate(*this);
}

void TGridLookState::SetVLXGradientMirrorFrom(TColor c)
{
    VLX.MirrorFrom = toRGBKeepNone(c);
    invalidate(*this);
}

void TGridLookState::SetVLXGradientMirrorTo(TColor c)
{
    VLX.MirrorTo = toRGBKeepNone(c);
    invalidate(*this);
}

TGridLookState::TGridLookState()
    : ownControlLook(std::make_unique<TControlLook>()), ownSortSettings(std::make_unique<TSortSettings>()),
      FControlLook(ownControlLook.get()), FSortSettings(ownSortSettings.get())
{
    FControlLook->SetGradientCopies(this);
    Hover = {platform::clGray, platform::clWhite, clNone, clNone, platform::clSilver};
    Down = {platform::clGray, platform::clSilver, clNone, clNone, platform::clGray};
}

TGridLookState::TGridLookState(TControlLook& controlLook, TSortSettings& sortSettings)
    : FControlLook(&controlLook), FSortSettings(&sortSettings)
{
    Hover = {platform::clGray, platform::clWhite, clNone, clNone, platform::clSilver};
    Down = {platform::clGray, platform::clSilver, clNone, clNone, platform::clGray};
}

TGridLookState::~TGridLookState() = default;

void TGridLookState::SetFixedGradientFrom(TColor c)
{
    FControlLook->SetFixedGradientFrom(c);
}

void TGridLookState::SetFixedGradientTo(TColor c)
{
    FControlLook->SetFixedGradientTo(c);
}

void TGridLookState::SetFixedGradientMirrorFrom(TColor c)
{
    FControlLook->SetFixedGradientMirrorFrom(c);
}

void TGridLookState::SetFixedGradientMirrorTo(TColor c)
{
    FControlLook->SetFixedGradientMirrorTo(c);
}

void TGridLookState::SetFixedGradientHover(const TLookGradient& g, bool withBorder)
{
    TControlLook& cl = *FControlLook;
    cl.SetFixedGradientHoverFrom(g.From);
    cl.SetFixedGradientHoverTo(g.To);
    cl.SetFixedGradientHoverMirrorFrom(g.MirrorFrom);
    cl.SetFixedGradientHoverMirrorTo(g.MirrorTo);
    if (withBorder)
        cl.SetFixedGradientHoverBorder(g.Border);
}

void TGridLookState::SetFixedGradientDown(const TLookGradient& g, bool withBorder)
{
    TControlLook& cl = *FControlLook;
    cl.SetFixedGradientDownFrom(g.From);
    cl.SetFixedGradientDownTo(g.To);
    cl.SetFixedGradientDownMirrorFrom(g.MirrorFrom);
    cl.SetFixedGradientDownMirrorTo(g.MirrorTo);
    if (withBorder)
        cl.SetFixedGradientDownBorder(g.Border);
}

void TGridLookState::InitControlLook()
{
    FControlLook->Init();
}

// ---- colour schemes ------------------------------------------------------------------------

namespace {
constexpr auto footerKeep = TSchemeFooter::Keep, footerPlain = TSchemeFooter::FromNone,
               footerToMirror = TSchemeFooter::FromMirrorTo;
constexpr auto lookKeep = TSchemeControlLook::Keep, lookFromTo = TSchemeControlLook::FromTo,
               lookNone = TSchemeControlLook::None;
} // namespace

// clBtnFace and clNone stand as they are; kKeep leaves the value.
const std::array<TSchemeColors, kGridStyleCount> kGridSchemes = {{
    // Look, F, T, MF, MT, active cell, active cell to, selection, selection to, selection text,
    // grid line, fixed line, search footer, control look
    {glXP, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, kBlack, 0xC0C0C0, 0x808080,
     footerPlain, lookFromTo}, // Office 2003 blue
    {glXP, 0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, kBlack, 0xC0C0C0, 0x808080,
     footerPlain, lookFromTo}, // Office 2003 silver
    {glXP, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, kBlack, 0xC0C0C0, 0x808080,
     footerPlain, lookFromTo}, // Office 2003 olive
    {glXP, kWhite, 0xCCD4D8, clNone, clNone, 0xD8D5D4, 0xD8D5D4, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080, footerPlain,
     lookNone}, // Office 2003 classic
    {glOffice2007, 0xFBF9F6, 0xE8DBD2, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clNone, kBlack, 0xF1EDEB, 0xD1BBA4,
     footerPlain, lookFromTo}, // Office 2007 Luna
    {glOffice2007, 0xF7F7F7, 0xDEDEDE, clNone, clNone, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clNone, kBlack, 0xE5D7D0, 0x808080,
     footerPlain, lookFromTo}, // Office 2007 Obsidian
    {glXP, clBtnFace, clBtnFace, clNone, clNone, clBtnFace, clBtnFace, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080,
     footerPlain, lookNone}, // Windows XP
    {-1, kWhite, clBtnFace, clNone, clNone, 0x94E6FB, 0x1595EE, kKeep, kKeep, kKeep, 0xC0C0C0, 0x808080, footerPlain,
     lookNone},                                                                                              // Whidbey
    {-1, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, footerKeep, lookKeep}, // custom
    {glOffice2007, 0xF3F3F1, 0xCAC9C8, kKeep, kKeep, 0x99CCFF, 0x699CFF, 0x95C7F5, clNone, kBlack, 0xE5D7D0, 0x808080,
     footerToMirror, lookFromTo}, // Office 2007 silver
    {glVista, kWhite, kWhite, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, clNone, kBlack, 0xECECF0, 0xD4D2D1,
     footerToMirror, lookNone}, // Windows Vista
    {glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, clNone, kBlack, 0xECECF0, 0xD4D2D1,
     footerToMirror, lookNone}, // Windows 7
    {glStandard, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, footerKeep,
     lookKeep}, // terminal: the standard look's colours
    {glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, kBlack, 0xC0C0C0,
     0xC7B0A0, footerToMirror, lookNone}, // Office 2010 blue
    {glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, kBlack, 0xC0C0C0,
     0xBAB5B1, footerToMirror, lookNone}, // Office 2010 silver
    {glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, clNone, kBlack, 0xC0C0C0,
     0x444444, footerToMirror, lookNone}, // Office 2010 black
}};

void SetLook(TGridLookState& g, TGridLook value)
{
    if (value == g.Look)
        return;
    g.Look = value;
    if (value != glCustom) {
        g.SetFixedGradientMirrorFrom(clNone);
        g.SetFixedGradientMirrorTo(clNone);
        g.SetFixedGradientFrom(clNone);
        g.SetFixedGradientTo(clNone);
        g.VLX.From = g.VLX.To = g.VLX.MirrorFrom = g.VLX.MirrorTo = clNone;
        g.SortSettings().SetHeaderColor(clNone);
    }
    switch (value) {
    case glVista:
        SetStyle(g, gsWindowsVista);
        g.ComponentStyle = tsWindowsVista;
        g.SelectionStyle = ssVista;
        break;
    case glWin7:
        SetStyle(g, gsWindows7);
        g.ComponentStyle = tsWindows7;
        g.SelectionStyle = ssWin7;
        break;
    case glOffice2007:
        SetStyle(g, gsOffice2007Luna);
        g.ComponentStyle = tsOffice2007Luna;
        g.SelectionStyle = ssOffice2007;
        break;
    case glCustom:
        break;
    default: {
        if (!g.Designing && g.StyleDropDownEditors)
            g.StyleDropDownEditors(tsWindowsXP);
        g.SelectionStyle = ssDefault;
        if (g.Loading)
            break;
        const bool plain = value == glStandard || value == glSoft || value == glClassic;
        if (plain) {
            g.FixedColor = clBtnFace;
            g.SetFixedGradientFrom(clBtnFace);
            g.SetFixedGradientTo(clNone);
        } else {
            g.SetFixedGradientFrom(kWhite);
            g.SetFixedGradientTo(clBtnFace);
        }
        g.GridFixedLineColor = 0x808080;
        g.SetFixedGradientMirrorFrom(clNone);
        g.SetFixedGradientMirrorTo(clNone);
        g.VLX.MirrorFrom = g.VLX.MirrorTo = clNone;
        g.GridLineColor = 0xC0C0C0;
        if (plain || value == glListView) {
            g.ActiveCellColor = 0x808080;
            g.ActiveCellColorTo = clNone;
            g.SelectionColor = clHighlight;
            g.SelectionTextColor = clHighlightText;
            g.SearchFooterColor = g.SearchFooterColorTo = clBtnFace;
        } else { // glVLX, glXP
            g.ActiveCellColor = 0xEACAB6;
            g.ActiveCellColorTo = clNone;
            g.SelectionColor = 0xEACAB6;
            g.SelectionColorTo = clNone;
            g.SelectionTextColor = kBlack;
            g.SearchFooterColor = g.VLX.From;
            g.SearchFooterColorTo = g.VLX.To;
            g.SetFixedGradientFrom(kWhite);
            g.SetFixedGradientTo(value == glXP ? clBtnFace : TColor(0xC0C0C0));
            g.SetFixedGradientHover({0xCFD0D1, 0xBEC6C8, 0xBEC6C8, 0xABBCBF, clNone}, false);
            g.SetFixedGradientDown({0x868788, 0x737C7E, 0x737C7E, 0x627376, clNone}, false);
        }
        break;
    }
    }
    g.ScrollType = ssNormal;
    g.BorderStyle = bsSingle;
    g.BorderColor = 0xB99D7F;
    invalidate(g);
    if (!g.Loading && g.UpdateFooter)
        g.UpdateFooter();
}

void SetStyle(TGridLookState& g, TQvGridStyle style)
{
    g.SelectionColor = clHighlight;
    g.SelectionColorTo = clNone;
    g.SelectionTextColor = clHighlightText;
    g.SelectionStyle = ssDefault;
    setSortHeader(g, clNone, clNone, clNone, clNone);
    g.InitControlLook();

    const TSchemeColors& s = kGridSchemes[style];
    if (s.Look >= 0)
        SetLook(g, TGridLook(s.Look));
    keepOr(g.VLX.From, s.F);
    keepOr(g.VLX.To, s.T);
    keepOr(g.VLX.MirrorFrom, s.MF);
    keepOr(g.VLX.MirrorTo, s.MT);
    keepOr(g.ActiveCellColor, s.ActiveCell);
    keepOr(g.ActiveCellColorTo, s.ActiveCellTo);
    keepOr(g.SelectionColor, s.Selection);
    keepOr(g.SelectionColorTo, s.SelectionTo);
    keepOr(g.SelectionTextColor, s.SelectionText);
    keepOr(g.GridLineColor, s.GridLine);
    keepOr(g.GridFixedLineColor, s.GridFixedLine);
    if (s.Footer != footerKeep) {
        g.SearchFooterColor = g.VLX.From;
        g.SearchFooterColorTo = s.Footer == footerToMirror ? g.VLX.MirrorTo : clNone;
    }
    if (s.ControlLook == lookFromTo) {
        const TColor f = g.VLX.From, t = g.VLX.To;
        g.SetFixedGradientFrom(f);
        g.SetFixedGradientTo(t);
    } else if (s.ControlLook == lookNone) {
        g.SetFixedGradientFrom(clNone);
        g.SetFixedGradientTo(clNone);
    }

    switch (style) {
    case gsOffice2007Luna:
        g.SetFixedGradientHover({0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87}, true);
        g.SetFixedGradientDown({0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}, true);
        if (g.Look == glOffice2007)
            g.SelectionStyle = ssOffice2007;
        break;
    case gsWindowsVista:
        g.Hover = {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993};
        controlLookMirrorFromVLX(g);
        g.SetFixedGradientHover(g.Hover, false);
        g.SetFixedGradientDown({0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}, true);
        setSortHeader(g, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        g.SelectionStyle = ssVista;
        break;
    case gsWindows7:
        g.Hover = {0xFDF8F3, 0xF9F3EF, clNone, clNone, 0xEEE8E3};
        controlLookMirrorFromVLX(g);
        g.SetFixedGradientHover({0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, clNone}, false);
        g.SetFixedGradientDown({0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}, true);
        setSortHeader(g, 0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        g.SelectionStyle = ssWin7;
        break;
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black: {
        g.Hover = {clNone, clNone, clNone, clNone, clNone};
        controlLookMirrorFromVLX(g);
        g.SetFixedGradientHover({0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8}, true);
        g.SetFixedGradientDown({0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}, true);
        const TColor header = style == gsOffice2010Blue     ? TColor(0xD6CEC7)
                              : style == gsOffice2010Silver ? TColor(0xAAAAAA)
                                                            : TColor(0xBABABA);
        setSortHeader(g, header, header, header, header);
        g.SelectionStyle = ssDefault;
        break;
    }
    default:
        break;
    }
    invalidate(g);
}

void SetComponentStyle(TGridLookState& g, TVLXStyle style)
{
    g.ComponentStyle = style;
    SetStyle(g, TQvGridStyle(style));
    // A scheme whose look selects a scheme of its own (Office 2010 through the Office 2007 look)
    // passes through that one first; the scheme asked for is the one to remember.
    g.ComponentStyle = style;
    if (!g.Designing && g.StyleDropDownEditors)
        g.StyleDropDownEditors(style);
    if (style != tsCustom && g.ScrollType == ssMetro)
        g.ScrollType = ssNormal;
}

TVLXStyle GetComponentStyle(const TGridLookState& g)
{
    return g.ComponentStyle;
}

void SetTheme(TGridLookState& g, TXPColorScheme scheme)
{
    struct Row {
        TColor F, T, MF, MT, AC, ACTo, FooterFrom, FooterTo;
        bool controlLookFromTo;
    };
    static constexpr Row rows[] = {
        {kWhite, clBtnFace, clNone, clNone, kWhite, 0xFFD9B3, kWhite, 0xFFD9B3, false},     // xpNone
        {0xFCE1CB, 0xE0A57D, clNone, clNone, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, true}, // xpBlue
        {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, true}, // xpGreen
        {0xECE2E1, 0xB39698, clNone, clNone, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, true}, // xpGray
        {kWhite, kWhite, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, true}, // vistaAero
    };
    const Row& r = rows[scheme];
    g.VLX.From = r.F;
    g.VLX.To = r.T;
    g.VLX.MirrorFrom = r.MF;
    g.VLX.MirrorTo = r.MT;
    g.ActiveCellColor = r.AC;
    g.ActiveCellColorTo = r.ACTo;
    g.SearchFooterColor = r.FooterFrom;
    g.SearchFooterColorTo = r.FooterTo;
    // The same colours as the grid's copies just written, or clNone, which is not passed on.
    g.ControlLook().SetFixedGradientFrom(r.controlLookFromTo ? r.F : clNone);
    g.ControlLook().SetFixedGradientTo(r.controlLookFromTo ? r.T : clNone);
}

void SetColorTones(TGridLookState& g, const TColorTones& tones)
{
    g.Tones = tones;
    SetLook(g, glClassic);
    g.Flat = true;
    g.ScrollType = ssMetro;
    g.FixedColor = tones.Foreground.BrushColor;
    g.FixedFontColor = tones.Foreground.TextColor;
    g.FixedFontName = g.UIFontName;
    g.Color = tones.Background.BrushColor;
    g.FontName = g.UIFontName;
    g.FontColor = tones.Background.TextColor;
    g.SelectionColor = tones.Selected.BrushColor;
    g.SelectionTextColor = tones.Selected.TextColor;
    g.SelectionColorTo = clNone;
    g.GridLineColor = 0xE6E6E6;
    g.GridFixedLineColor = ZirAzur::ScaleColorPercent(tones.Foreground.BrushColor, -20);
    g.BorderStyle = bsNone;
    TControlLook& cl = g.ControlLook();
    cl.SetControlStyle(csGlyph);
    cl.SetCheckedGlyph(TBitmap(MetroGlyph(QStringLiteral("metrocheckon"))));
    cl.SetUnCheckedGlyph(TBitmap(MetroGlyph(QStringLiteral("metrocheckoff"))));
    cl.SetRadioOffGlyph(TBitmap(MetroGlyph(QStringLiteral("metroradiooff"))));
    cl.SetRadioOnGlyph(TBitmap(MetroGlyph(QStringLiteral("metroradioon"))));
    if (!g.Designing && g.ToneEditors)
        g.ToneEditors(tones);
    cl.SetFlatButton(true);
    g.FloatingFooterColor = tones.Foreground.BrushColor;
    g.SearchFooterColor = g.SearchFooterColorTo = tones.Foreground.BrushColor;
    g.NodeType = cnFlat;
    invalidate(g);
}

void ApplyOfficeTheme(TGridLookState& g, int code)
{
    if (g.Designing || code == g.OfficeThemeCode)
        return;
    static constexpr TVLXStyle byCode[] = {
        tsOffice2003Blue,   tsOffice2003Silver,   tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
        tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue,  tsOffice2010Silver,  tsOffice2010Black};
    if (code >= 0 && code <= 9)
        SetComponentStyle(g, byCode[code]);
    g.OfficeThemeCode = code;
}

void GridLookName(TGridLook look, QString& name)
{
    static const char* names[] = {"Standard", "Soft",          "Classic",   "VLX",       "Windows XP",
                                  "ListView", "Windows Vista", "Windows 7", "Office2007"};
    if (look >= glStandard && look <= glOffice2007)
        name = QLatin1String(names[look]);
}

} // namespace grid
