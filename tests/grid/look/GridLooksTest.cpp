// Looks and colour schemes: every scheme and every look against the colours the tables give.

#include "grid/look/GridLooks.h"

#include "grid/look/ZirAzur.h"

#include <vector>

#include <gtest/gtest.h>

using namespace grid;
using platform::clBtnFace;
using platform::clHighlight;
using platform::clHighlightText;

namespace {

constexpr TColor W = 0xFFFFFF, N = clNone;
// Distinct start values, so "left as it was" is visible.
constexpr TColor sF = 0x0000F1, sT = 0x0000F2, sMF = 0x0000F3, sMT = 0x0000F4, sAC = 0x0000F5, sACTo = 0x0000F6,
                 sLine = 0x0000F7, sFixedLine = 0x0000F8, sFooter = 0x0000F9, sFooterTo = 0x0000FA, sSel = 0x0000FB,
                 sSelTo = 0x0000FC, sSelText = 0x0000FD;

void startState(TGridLookState& g, TGridLook look)
{
    g.Look = look;
    g.VLX = {sF, sT, sMF, sMT, N};
    g.ActiveCellColor = sAC;
    g.ActiveCellColorTo = sACTo;
    g.GridLineColor = sLine;
    g.GridFixedLineColor = sFixedLine;
    g.SearchFooterColor = sFooter;
    g.SearchFooterColorTo = sFooterTo;
    g.SelectionColor = sSel;
    g.SelectionColorTo = sSelTo;
    g.SelectionTextColor = sSelText;
}

struct SchemeExpect {
    TQvGridStyle style;
    TGridLook look;
    TColor F, T, MF, MT, AC, ACTo, Sel, SelTo, SelText, Line, FixedLine, Footer, FooterTo, CLFrom, CLTo;
    TGridSelectionStyle selStyle;
    TColor sortHeader, sortHeaderMirrorTo;
};

// Typed from the scheme table; "step 1" selection is clHighlight / clNone / clHighlightText and
// "step 1" control-look gradient is clNone / clNone.
const SchemeExpect kSchemes[] = {
    {gsOffice2003Blue, glXP,     0xFCE1CB, 0xE0A57D, N,        N,        0x94E6FB,  0x1595EE, 0x94E6FB, 0x1595EE, 0,
     0xC0C0C0,         0x808080, 0xFCE1CB, N,        0xFCE1CB, 0xE0A57D, ssDefault, N,        N},
    {gsOffice2003Silver, glXP,     0xECE2E1, 0xB39698, N,        N,        0x94E6FB,  0x1595EE, 0x94E6FB, 0x1595EE, 0,
     0xC0C0C0,           0x808080, 0xECE2E1, N,        0xECE2E1, 0xB39698, ssDefault, N,        N},
    {gsOffice2003Olive, glXP,     0xCFF0EA, 0x8CC0B1, N,        N,        0x94E6FB,  0x1595EE, 0x94E6FB, 0x1595EE, 0,
     0xC0C0C0,          0x808080, 0xCFF0EA, N,        0xCFF0EA, 0x8CC0B1, ssDefault, N,        N},
    {gsOffice2003Classic, glXP,     W,        0xCCD4D8, N, N, 0xD8D5D4, 0xD8D5D4,  clHighlight, N,
     clHighlightText,     0xC0C0C0, 0x808080, W,        N, N, N,        ssDefault, N,           N},
    {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0xE8DBD2, N,        N,        0x9DD8F9,     0x5EC1F1, 0x5EC1F1, N, 0,
     0xF1EDEB,         0xD1BBA4,     0xFBF9F6, N,        0xFBF9F6, 0xE8DBD2, ssOffice2007, N,        N},
    {gsOffice2007Obsidian,
     glOffice2007,
     0xF7F7F7,
     0xDEDEDE,
     N,
     N,
     0x9DD8F9,
     0x5EC1F1,
     0x5EC1F1,
     N,
     0,
     0xE5D7D0,
     0x808080,
     0xF7F7F7,
     N,
     0xF7F7F7,
     0xDEDEDE,
     ssDefault,
     N,
     N},
    {gsWindowsXP,     glXP,     clBtnFace, clBtnFace, N, N, clBtnFace, clBtnFace, clHighlight, N,
     clHighlightText, 0xC0C0C0, 0x808080,  clBtnFace, N, N, N,         ssDefault, N,           N},
    {gsWhidbey,       glSoft,   W,        clBtnFace, N, N, 0x94E6FB, 0x1595EE,  clHighlight, N,
     clHighlightText, 0xC0C0C0, 0x808080, W,         N, N, N,        ssDefault, N,           N},
    {gsCustom,        glSoft, sF,         sT,      sMF,       sMT, sAC, sACTo,     clHighlight, N,
     clHighlightText, sLine,  sFixedLine, sFooter, sFooterTo, N,   N,   ssDefault, N,           N},
    {gsOffice2007Silver, glOffice2007, 0xF3F3F1, 0xCAC9C8, sMF,      sMT,      0x99CCFF,  0x699CFF, 0x95C7F5, N, 0,
     0xE5D7D0,           0x808080,     0xF3F3F1, sMT,      0xF3F3F1, 0xCAC9C8, ssDefault, N,        N},
    {gsWindowsVista, glVista,  W, W,        0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, N, 0,
     0xECECF0,       0xD4D2D1, W, 0xF4F2F1, N,        N,        ssVista,  0xFCF9F2, 0xF6ECD8},
    {gsWindows7, glWin7,   0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, N,
     0,          0xECECF0, 0xD4D2D1, 0xFDFCFA, 0xF7E9DD, N,        N,        ssWin7,   0xFCF9F2, 0xF6ECD8},
    {gsTerminal,      glStandard, sF,         sT,      sMF,       sMT, sAC, sACTo,     clHighlight, N,
     clHighlightText, sLine,      sFixedLine, sFooter, sFooterTo, N,   N,   ssDefault, N,           N},
    {gsOffice2010Blue, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF,  0x71EFFF, 0xFFDBB7, N, 0,
     0xC0C0C0,         0xC7B0A0,     0xF5E7DA, 0xF5E7DA, N,        N,        ssDefault, 0xD6CEC7, 0xD6CEC7},
    {gsOffice2010Silver, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF,  0x71EFFF, 0xFFDBB7, N, 0,
     0xC0C0C0,           0xBAB5B1,     0xE8E3DF, 0xE8E3DF, N,        N,        ssDefault, 0xAAAAAA, 0xAAAAAA},
    {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF,  0x71EFFF, 0xFFDBB7, N, 0,
     0xC0C0C0,          0x444444,     0x6A6A6A, 0x6A6A6A, N,        N,        ssDefault, 0xBABABA, 0xBABABA},
};

} // namespace

TEST(GridSchemes, EverySchemeGivesItsColours)
{
    ASSERT_EQ(std::size(kSchemes), size_t(kGridStyleCount));
    for (const SchemeExpect& e : kSchemes) {
        // Start in the scheme's own look, so the table's colours are all that change.
        TGridLookState g;
        startState(g, e.look);
        int invalidated = 0;
        g.Invalidate = [&] { ++invalidated; };
        SetStyle(g, e.style);
        const int s = e.style;
        EXPECT_EQ(g.Look, e.look) << s;
        EXPECT_EQ(g.VLX.From, e.F) << s;
        EXPECT_EQ(g.VLX.To, e.T) << s;
        EXPECT_EQ(g.VLX.MirrorFrom, e.MF) << s;
        EXPECT_EQ(g.VLX.MirrorTo, e.MT) << s;
        EXPECT_EQ(g.ActiveCellColor, e.AC) << s;
        EXPECT_EQ(g.ActiveCellColorTo, e.ACTo) << s;
        EXPECT_EQ(g.SelectionColor, e.Sel) << s;
        EXPECT_EQ(g.SelectionColorTo, e.SelTo) << s;
        EXPECT_EQ(g.SelectionTextColor, e.SelText) << s;
        EXPECT_EQ(g.GridLineColor, e.Line) << s;
        EXPECT_EQ(g.GridFixedLineColor, e.FixedLine) << s;
        EXPECT_EQ(g.SearchFooterColor, e.Footer) << s;
        EXPECT_EQ(g.SearchFooterColorTo, e.FooterTo) << s;
        EXPECT_EQ(g.ControlLook().FixedGradientFrom(), e.CLFrom) << s;
        EXPECT_EQ(g.ControlLook().FixedGradientTo(), e.CLTo) << s;
        EXPECT_EQ(g.SelectionStyle, e.selStyle) << s;
        EXPECT_EQ(g.SortSettings().HeaderColor(), e.sortHeader) << s;
        EXPECT_EQ(g.SortSettings().HeaderMirrorColorTo(), e.sortHeaderMirrorTo) << s;
        EXPECT_GT(invalidated, 0) << s;
    }
}

TEST(GridSchemes, HoverAndPressedColoursOfTheSchemesThatSetThem)
{
    struct Case {
        TQvGridStyle style;
        TLookGradient hover, down;
    } cases[] = {
        {gsOffice2007Luna,
         {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
         {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D}},
        {gsWindowsVista,
         {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
         {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F}},
        {gsWindows7,
         {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
         {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA}},
        {gsOffice2010Black,
         {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
         {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2}},
    };
    for (const Case& c : cases) {
        TGridLookState g;
        startState(g, kSchemes[c.style].look);
        SetStyle(g, c.style);
        EXPECT_EQ(g.Hover, c.hover) << c.style;
        EXPECT_EQ(g.Down, c.down) << c.style;
        if (c.style != gsOffice2007Luna) {
            // The control look's mirror colours follow the vendor look's.
            EXPECT_EQ(g.ControlLook().FixedGradientMirrorFrom(), g.VLX.MirrorFrom) << c.style;
            EXPECT_EQ(g.ControlLook().FixedGradientMirrorTo(), g.VLX.MirrorTo) << c.style;
        }
    }
}

TEST(GridSchemes, ComponentStyleFromAnotherLook)
{
    // Luna from the standard look: the look and selection style follow, the search footer shows
    // the scheme's first colour without a gradient end.
    TGridLookState g;
    startState(g, glStandard);
    SetComponentStyle(g, tsOffice2007Luna);
    EXPECT_EQ(g.Look, glOffice2007);
    EXPECT_EQ(g.SelectionStyle, ssOffice2007);
    EXPECT_EQ(g.SearchFooterColor, 0xFBF9F6u);
    EXPECT_EQ(g.SearchFooterColorTo, clNone);
    EXPECT_EQ(GetComponentStyle(g), tsOffice2007Luna);

    // Office 2010 passes through Luna (its look selects Luna); the scheme asked for wins and is
    // the one remembered.
    TGridLookState h;
    startState(h, glXP);
    SetComponentStyle(h, tsOffice2010Blue);
    EXPECT_EQ(h.Look, glOffice2007);
    EXPECT_EQ(h.VLX.From, 0xF5E7DAu);
    EXPECT_EQ(h.SelectionColor, 0xFFDBB7u);
    EXPECT_EQ(h.SelectionStyle, ssDefault);
    EXPECT_EQ(GetComponentStyle(h), tsOffice2010Blue);
}

TEST(GridSchemes, WhidbeyAndCustomKeepTheLook)
{
    for (TQvGridStyle s : {gsWhidbey, gsCustom}) {
        TGridLookState g;
        startState(g, glListView);
        SetStyle(g, s);
        EXPECT_EQ(g.Look, glListView) << s;
    }
}

TEST(GridSchemes, ComponentStyleEndsTheMetroScrollLookAndReachesTheEditors)
{
    for (TVLXStyle s : {tsOffice2003Blue, tsWindows7, tsCustom, tsTerminal}) {
        TGridLookState g;
        startState(g, glClassic);
        g.ScrollType = ssMetro;
        std::vector<TVLXStyle> editors;
        g.StyleDropDownEditors = [&](TVLXStyle v) { editors.push_back(v); };
        SetComponentStyle(g, s);
        EXPECT_EQ(g.ScrollType, s == tsCustom ? ssMetro : ssNormal) << s;
        ASSERT_FALSE(editors.empty()) << s;
        EXPECT_EQ(editors.back(), s);
    }
    TGridLookState d;
    startState(d, glXP);
    d.Designing = true;
    bool reached = false;
    d.StyleDropDownEditors = [&](TVLXStyle) { reached = true; };
    SetComponentStyle(d, tsOffice2003Blue);
    EXPECT_FALSE(reached);
}

// ---- looks -----------------------------------------------------------------------------------

TEST(GridLooks, EveryPlainLookGivesItsColours)
{
    const TColor btnFaceRGB = platform::colorToRGB(clBtnFace);
    struct Case {
        TGridLook look;
        TColor fixedColor, clFrom, clTo, vlxFrom, vlxTo, ac, sel, selText, footer, footerTo, hoverFrom, downMirrorTo;
    } cases[] = {
        {glStandard, clBtnFace, clBtnFace, N, btnFaceRGB, N, 0x808080, clHighlight, clHighlightText, clBtnFace,
         clBtnFace, 0x808080, N},
        {glSoft, clBtnFace, clBtnFace, N, btnFaceRGB, N, 0x808080, clHighlight, clHighlightText, clBtnFace, clBtnFace,
         0x808080, N},
        {glClassic, clBtnFace, clBtnFace, N, btnFaceRGB, N, 0x808080, clHighlight, clHighlightText, clBtnFace,
         clBtnFace, 0x808080, N},
        {glListView, 0x0000E0, W, clBtnFace, W, btnFaceRGB, 0x808080, clHighlight, clHighlightText, clBtnFace,
         clBtnFace, 0x808080, N},
        {glXP, 0x0000E0, W, clBtnFace, W, btnFaceRGB, 0xEACAB6, 0xEACAB6, 0, W, btnFaceRGB, 0xCFD0D1, 0x627376},
        {glVLX, 0x0000E0, W, 0xC0C0C0, W, 0xC0C0C0, 0xEACAB6, 0xEACAB6, 0, W, btnFaceRGB, 0xCFD0D1, 0x627376},
    };
    for (const Case& c : cases) {
        TGridLookState g;
        startState(g, glCustom);
        g.FixedColor = 0x0000E0;
        g.Hover.From = 0x808080;
        g.SelectionStyle = ssWin7;
        g.ScrollType = ssMetro;
        std::vector<TVLXStyle> editors;
        int footerUpdates = 0;
        g.StyleDropDownEditors = [&](TVLXStyle v) { editors.push_back(v); };
        g.UpdateFooter = [&] { ++footerUpdates; };
        SetLook(g, c.look);
        const int l = c.look;
        EXPECT_EQ(g.Look, c.look);
        EXPECT_EQ(g.FixedColor, c.fixedColor) << l;
        EXPECT_EQ(g.ControlLook().FixedGradientFrom(), c.clFrom) << l;
        EXPECT_EQ(g.ControlLook().FixedGradientTo(), c.clTo) << l;
        EXPECT_EQ(g.VLX.From, c.vlxFrom) << l;
        EXPECT_EQ(g.VLX.To, c.vlxTo) << l;
        EXPECT_EQ(g.VLX.MirrorFrom, N) << l;
        EXPECT_EQ(g.VLX.MirrorTo, N) << l;
        EXPECT_EQ(g.GridFixedLineColor, 0x808080u) << l;
        EXPECT_EQ(g.GridLineColor, 0xC0C0C0u) << l;
        EXPECT_EQ(g.ActiveCellColor, c.ac) << l;
        EXPECT_EQ(g.ActiveCellColorTo, N) << l;
        EXPECT_EQ(g.SelectionColor, c.sel) << l;
        EXPECT_EQ(g.SelectionTextColor, c.selText) << l;
        EXPECT_EQ(g.SearchFooterColor, c.footer) << l;
        EXPECT_EQ(g.SearchFooterColorTo, c.footerTo) << l;
        EXPECT_EQ(g.Hover.From, c.hoverFrom) << l;
        EXPECT_EQ(g.Down.MirrorTo, c.downMirrorTo) << l;
        EXPECT_EQ(g.SelectionStyle, ssDefault) << l;
        EXPECT_EQ(g.ScrollType, ssNormal) << l;
        EXPECT_EQ(g.BorderStyle, bsSingle) << l;
        EXPECT_EQ(g.BorderColor, 0xB99D7Fu) << l;
        EXPECT_EQ(g.SortSettings().HeaderColor(), N) << l;
        EXPECT_EQ(editors, std::vector<TVLXStyle>{tsWindowsXP}) << l;
        EXPECT_EQ(footerUpdates, 1) << l;
    }
}

TEST(GridLooks, SchemeLooksSelectTheirScheme)
{
    struct Case {
        TGridLook look;
        TVLXStyle scheme;
        TGridSelectionStyle selection;
        TColor vlxFrom;
    } cases[] = {{glVista, tsWindowsVista, ssVista, W},
                 {glWin7, tsWindows7, ssWin7, 0xFDFCFA},
                 {glOffice2007, tsOffice2007Luna, ssOffice2007, 0xFBF9F6}};
    for (const Case& c : cases) {
        TGridLookState g;
        startState(g, glStandard);
        SetLook(g, c.look);
        EXPECT_EQ(g.Look, c.look);
        EXPECT_EQ(GetComponentStyle(g), c.scheme);
        EXPECT_EQ(g.SelectionStyle, c.selection);
        EXPECT_EQ(g.VLX.From, c.vlxFrom);
        EXPECT_EQ(g.BorderColor, 0xB99D7Fu);
    }
}

TEST(GridLooks, SameLookChangesNothingAndLoadingWritesNoColours)
{
    TGridLookState g;
    startState(g, glXP);
    g.BorderColor = 0x123456;
    int repaints = 0;
    g.Invalidate = [&] { ++repaints; };
    SetLook(g, glXP);
    EXPECT_EQ(g.BorderColor, 0x123456u);
    EXPECT_EQ(repaints, 0);

    TGridLookState l;
    startState(l, glCustom);
    l.Loading = true;
    bool footer = false;
    l.UpdateFooter = [&] { footer = true; };
    SetLook(l, glXP);
    EXPECT_EQ(l.ActiveCellColor, sAC);
    EXPECT_EQ(l.SelectionColor, sSel);
    EXPECT_EQ(l.VLX.From, N); // cleared, not yet written
    EXPECT_EQ(l.BorderColor, 0xB99D7Fu);
    EXPECT_FALSE(footer);

    // The custom look keeps every colour.
    TGridLookState c;
    startState(c, glXP);
    SetLook(c, glCustom);
    EXPECT_EQ(c.VLX.From, sF);
    EXPECT_EQ(c.ActiveCellColor, sAC);
}

TEST(GridLooks, XPSchemes)
{
    struct Case {
        TXPColorScheme scheme;
        TColor F, T, MF, MT, AC, ACTo, footer, footerTo, clFrom, clTo;
    } cases[] = {
        {xpBlue, 0xFCE1CB, 0xE0A57D, N, N, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D},
        {xpGreen, 0xCFF0EA, 0x8CC0B1, N, N, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1},
        {xpGray, 0xECE2E1, 0xB39698, N, N, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698},
        {vistaAero, W, W, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698, W, W},
        {xpNone, W, clBtnFace, N, N, W, 0xFFD9B3, W, 0xFFD9B3, N, N},
    };
    for (const Case& c : cases) {
        TGridLookState g;
        startState(g, glXP);
        SetTheme(g, c.scheme);
        const TColor got[] = {g.VLX.From,
                              g.VLX.To,
                              g.VLX.MirrorFrom,
                              g.VLX.MirrorTo,
                              g.ActiveCellColor,
                              g.ActiveCellColorTo,
                              g.SearchFooterColor,
                              g.SearchFooterColorTo,
                              g.ControlLook().FixedGradientFrom(),
                              g.ControlLook().FixedGradientTo()};
        const TColor want[] = {c.F, c.T, c.MF, c.MT, c.AC, c.ACTo, c.footer, c.footerTo, c.clFrom, c.clTo};
        for (size_t i = 0; i < std::size(got); ++i)
            EXPECT_EQ(got[i], want[i]) << "scheme " << c.scheme << " value " << i;
    }
}

TEST(GridLooks, OwnColourSet)
{
    TColorTones t;
    t.Background = {0xFAFAFA, 0xDDDDDD, 0x111111};
    t.Foreground = {platform::rgb(200, 100, 50), 0xCCCCCC, 0x222222};
    t.Selected = {0x0000AA, 0x0000BB, 0xFFFFFF};
    TGridLookState g;
    startState(g, glXP);
    g.UIFontName = QStringLiteral("Segoe UI");
    bool editors = false;
    g.ToneEditors = [&](const TColorTones& v) { editors = v == t; };
    SetColorTones(g, t);
    EXPECT_EQ(g.Tones, t);
    EXPECT_EQ(g.Look, glClassic);
    EXPECT_TRUE(g.Flat);
    EXPECT_EQ(g.ScrollType, ssMetro);
    EXPECT_EQ(g.FixedColor, t.Foreground.BrushColor);
    EXPECT_EQ(g.FixedFontColor, 0x222222u);
    EXPECT_EQ(g.FixedFontName, QStringLiteral("Segoe UI"));
    EXPECT_EQ(g.Color, 0xFAFAFAu);
    EXPECT_EQ(g.FontColor, 0x111111u);
    EXPECT_EQ(g.SelectionColor, 0x0000AAu);
    EXPECT_EQ(g.SelectionTextColor, 0xFFFFFFu);
    EXPECT_EQ(g.SelectionColorTo, N);
    EXPECT_EQ(g.GridLineColor, 0xE6E6E6u);
    EXPECT_EQ(g.GridFixedLineColor, platform::rgb(160, 80, 40));
    EXPECT_EQ(g.BorderStyle, bsNone);
    EXPECT_EQ(g.ControlLook().ControlStyle(), csGlyph);
    EXPECT_EQ(g.ControlLook().CheckedGlyph().Image, MetroGlyph(QStringLiteral("metrocheckon")));
    EXPECT_EQ(g.ControlLook().RadioOffGlyph().Image, MetroGlyph(QStringLiteral("metroradiooff")));
    EXPECT_NE(g.ControlLook().CheckedGlyph().Image, g.ControlLook().UnCheckedGlyph().Image);
    EXPECT_TRUE(g.ControlLook().FlatButton());
    EXPECT_EQ(g.FloatingFooterColor, t.Foreground.BrushColor);
    EXPECT_EQ(g.SearchFooterColor, t.Foreground.BrushColor);
    EXPECT_EQ(g.SearchFooterColorTo, t.Foreground.BrushColor);
    EXPECT_EQ(g.NodeType, cnFlat);
    EXPECT_TRUE(editors);
}

TEST(GridLooks, OfficeThemeFollowsTheCode)
{
    const TVLXStyle byCode[] = {tsOffice2003Blue,   tsOffice2003Silver, tsOffice2003Olive,    tsOffice2003Classic,
                                tsOffice2007Luna,   tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue,
                                tsOffice2010Silver, tsOffice2010Black};
    for (int code = 0; code < 10; ++code) {
        TGridLookState g;
        startState(g, glStandard);
        ApplyOfficeTheme(g, code);
        EXPECT_EQ(GetComponentStyle(g), byCode[code]) << code;
        EXPECT_EQ(g.OfficeThemeCode, code);
    }
    // An unchanged code writes nothing, so the program's own later colours stay.
    TGridLookState g;
    startState(g, glStandard);
    ApplyOfficeTheme(g, 4);
    g.SelectionColor = 0x010203;
    ApplyOfficeTheme(g, 4);
    EXPECT_EQ(g.SelectionColor, 0x010203u);
    // Unknown theme: nothing applied, code remembered.
    ApplyOfficeTheme(g, 10);
    EXPECT_EQ(g.SelectionColor, 0x010203u);
    EXPECT_EQ(g.OfficeThemeCode, 10);
    // Designing: nothing.
    TGridLookState d;
    startState(d, glStandard);
    d.Designing = true;
    ApplyOfficeTheme(d, 0);
    EXPECT_EQ(d.OfficeThemeCode, -1);
    EXPECT_EQ(d.Look, glStandard);
}

TEST(GridLooks, NamesAndGradientWriters)
{
    const char* names[] = {"Standard", "Soft",          "Classic",   "VLX",       "Windows XP",
                           "ListView", "Windows Vista", "Windows 7", "Office2007"};
    for (int l = glStandard; l <= glOffice2007; ++l) {
        QString name;
        GridLookName(TGridLook(l), name);
        EXPECT_EQ(name, QString::fromLatin1(names[l]));
    }
    QString kept = QStringLiteral("as it was");
    GridLookName(glCustom, kept);
    EXPECT_EQ(kept, QStringLiteral("as it was"));

    TGridLookState g;
    g.SetVLXGradientFrom(clBtnFace);
    g.SetVLXGradientMirrorTo(N);
    EXPECT_EQ(g.VLX.From, platform::colorToRGB(clBtnFace));
    EXPECT_EQ(g.VLX.MirrorTo, N);
    // The control look passes set From colours on, and mirror colours always.
    g.SetFixedGradientFrom(N);
    EXPECT_EQ(g.VLX.From, platform::colorToRGB(clBtnFace));
    g.VLX.MirrorFrom = 0x111111;
    g.SetFixedGradientMirrorFrom(N);
    EXPECT_EQ(g.VLX.MirrorFrom, N);
}
