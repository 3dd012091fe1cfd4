// The colour schemes of a drop-down (popup, bars and bar buttons), its selection styles and the
// item look of each scheme. Each scheme is a row of the tables below, walked by one routine.

#include "dropdowns/ItemSelector.h"
#include "dropdowns/QvDropDown.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/look/ZirAzur.h"

#include <QPainter>

namespace dropdowns {

using namespace platform;
using grid::TVLXStyle;

namespace {

// "Leave as it is" in the popup border column: the Office 2003 blue and silver and the XP
// schemes keep whatever border the user gave the popup.
constexpr TColor kUnchanged = 0x2FFFFFFF;

struct TBarLook {
    TColor color, colorTo, fontColor, borderColor;
};

struct TPopupScheme {
    TVLXStyle style;
    TColor dropDownColor, dropDownColorTo, dropDownBorderColor;
    TBarLook header, footer;
};

// clang-format off
constexpr TPopupScheme kPopupSchemes[] = {
    {grid::tsOffice2003Blue, clWhite, clNone, kUnchanged,
     {0xFCE1CB, 0xE0A57D, clBlack, clBlack}, {0xFCE1CB, 0xE0A57D, clBlack, 0x962D00}},
    {grid::tsOffice2003Silver, clWhite, clNone, kUnchanged,
     {0xECE2E1, 0xB39698, clBlack, 0x947C7C}, {0xECE2E1, 0xB39698, clBlack, 0x947C7C}},
    {grid::tsOffice2003Olive, clWhite, clNone, clNone,
     {0xCFF0EA, 0x8CC0B1, clBlack, 0x588060}, {0xCFF0EA, 0x8CC0B1, clBlack, 0x588060}},
    {grid::tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone,
     {0x808080, 0x808080, clWhite, 0x808080}, {0x808080, 0x808080, clWhite, 0x808080}},
    {grid::tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone,
     {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}, {0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF}},
    {grid::tsOffice2007Obsidian, clWhite, clNone, clNone,
     {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}, {0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C}},
    {grid::tsWindowsXP, clWhite, clNone, kUnchanged,
     {clWhite, clBtnFace, clBlack, 0x808080}, {clWhite, clBtnFace, clBlack, 0x808080}},
    {grid::tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone,
     {0xEBEEEF, 0x7E9898, clWhite, 0x962D00}, {0xEBEEEF, 0x7E9898, clWhite, 0x962D00}},
    {grid::tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone,
     {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}, {0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F}},
    {grid::tsWindowsVista, clWhite, clWhite, 0x979797,
     {0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA}, {0xFFFAF0, 0xFFFDF9, clBlack, 0xFCF2DA}},
    {grid::tsWindows7, clWhite, clWhite, 0x979797,
     {0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8}, {0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8}},
    {grid::tsTerminal, clWhite, clWhite, 0x808080,
     {clBtnFace, clBtnFace, clBlack, clNone}, {clBtnFace, clBtnFace, clBlack, clNone}},
    {grid::tsOffice2010Blue, clWhite, 0xF1EFED, 0xEDEDEC,
     {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}, {0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F}},
    {grid::tsOffice2010Silver, clWhite, 0xF1EFED, 0xEDEDEC,
     {clWhite, 0xEDE5E0, 0x5B391E, 0xD2CDC8}, {clWhite, 0xEDE5E0, 0x5B391E, 0xD2CDC8}},
    {grid::tsOffice2010Black, clWhite, 0xF1EFED, 0xEDEDEC,
     {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}, {0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D}},
};

// The bar-button colours a group of schemes shares: hot, down, disabled and checked.
struct TButtonStates {
    TColor hot, hotTo, hotBorder;
    TColor down, downTo, downBorder;
    TColor disabled, disabledTo;
    TColor checked, checkedTo, checkedBorder;
};

constexpr TButtonStates kOfficeButtons{0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE,
                                       0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
constexpr TButtonStates kOffice2010Buttons{0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2,
                                           0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE};
constexpr TButtonStates kClassicButtons{0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
                                        0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080};
constexpr TButtonStates kXPButtons{0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption,
                                   clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, clBlack};
constexpr TButtonStates kVistaButtons{0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
                                      clWhite, clWhite, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A};
constexpr TButtonStates kWindows7Buttons{0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D,
                                         clWhite, clWhite, 0xFEF9F0, 0xFCDBC1, 0xCEA27D};
constexpr TButtonStates kTerminalButtons{0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
                                         clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight};

struct TButtonScheme {
    TVLXStyle style;
    TColor color, colorTo, borderColor;
    const TButtonStates* states;
};

constexpr TButtonScheme kButtonSchemes[] = {
    {grid::tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, &kOfficeButtons},
    {grid::tsOffice2003Silver, 0xECE2E1, 0xB39698, clNone, &kOfficeButtons},
    {grid::tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, &kOfficeButtons},
    {grid::tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, &kOfficeButtons},
    {grid::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, clNone, &kOfficeButtons},
    {grid::tsOffice2007Silver, 0xF9F8F8, 0xE4E2DF, clNone, &kOfficeButtons},
    {grid::tsWhidbey, clWhite, 0xDFEDF0, clNone, &kOfficeButtons},
    {grid::tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, &kOffice2010Buttons},
    {grid::tsOffice2010Silver, clWhite, 0xEDE5E0, 0xD2CDC8, &kOffice2010Buttons},
    {grid::tsOffice2010Black, 0xBFBFBF, 0x919191, 0xD7D7D6, &kOffice2010Buttons},
    {grid::tsOffice2003Classic, clWhite, 0xC9D1D5, clNone, &kClassicButtons},
    {grid::tsWindowsXP, clWhite, clBtnFace, clNone, &kXPButtons},
    {grid::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, &kVistaButtons},
    {grid::tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, &kWindows7Buttons},
    {grid::tsTerminal, clBtnFace, clBtnFace, clNone, &kTerminalButtons},
};

// Hot and selected item colours of each scheme.
struct TItemScheme {
    TVLXStyle style;
    TColor hot, hotTo, mirrorHot, mirrorHotTo;
    TColor selected, selectedTo, mirrorSelected, mirrorSelectedTo;
    TColor border, borderTop, borderBottom, edge;
    TColor selectedText;
};

constexpr TItemScheme kItemSchemes[] = {
    {grid::tsOffice2003Blue, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2003Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2003Olive, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, clNone, clNone, clNone, clBlack},
    {grid::tsWhidbey, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2007Luna, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2007Obsidian, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2007Silver, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE,
     0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2003Classic, 0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone,
     0x808080, clNone, clNone, clNone, clBlack},
    {grid::tsWindowsXP, 0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone,
     clHighlight, clNone, clNone, clNone, clHighlightText},
    {grid::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone,
     0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clBlack},
    {grid::tsWindows7, 0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone,
     0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clBlack},
    {grid::tsTerminal, 0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone,
     0x808080, clNone, clNone, clNone, clHighlightText},
    {grid::tsOffice2010Blue, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF,
     0x308AC2, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2010Silver, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF,
     0x308AC2, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2010Black, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF,
     0x308AC2, clNone, clNone, clNone, clBlack},
};

// Selection colours of the named selection styles, and the frame each draws around them.
struct TSelectionScheme {
    TSelectionColorStyle style;
    TColor color, colorTo;
    TColor border, innerTop, innerBottom, cornerBlend, mirror, mirrorTo;
};

constexpr TSelectionScheme kSelectionSchemes[] = {
    {scOffice2007, 0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0x58D4FC, 0xB3F1FC},
    {scWindowsVista, 0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clNone, clNone},
    {scWindows7, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clNone, clNone},
};
// clang-format on

template <class Rows, class Key>
auto findRow(const Rows& rows, Key key) -> decltype(&rows[0])
{
    for (const auto& row : rows)
        if (row.style == key)
            return &row;
    return nullptr;
}

template <class Look>
void applyBarLook(Look& look, const TBarLook& c)
{
    look.SetColor(c.color);
    look.SetColorTo(c.colorTo);
    grid::TFont f = look.Font();
    f.Color = c.fontColor;
    look.SetFont(f);
    look.SetBorderColor(c.borderColor);
}

void applyButtonScheme(TQvButtonAppearance& a, const TButtonScheme& s)
{
    const TButtonStates& st = *s.states;
    a.SetColor(s.color);
    a.SetColorTo(s.colorTo);
    a.SetBorderColor(s.borderColor);
    a.SetColorHot(st.hot);
    a.SetColorHotTo(st.hotTo);
    a.SetBorderColorHot(st.hotBorder);
    a.SetColorDown(st.down);
    a.SetColorDownTo(st.downTo);
    a.SetBorderColorDown(st.downBorder);
    a.SetColorDisabled(st.disabled);
    a.SetColorDisabledTo(st.disabledTo);
    a.SetColorChecked(st.checked);
    a.SetColorCheckedTo(st.checkedTo);
    a.SetBorderColorChecked(st.checkedBorder);
}

} // namespace

void TQvCustomDropDown::SetComponentStyle(TVLXStyle style)
{
    FVLXStyle = style;
    if (style == grid::tsCustom)
        return;
    if (const TPopupScheme* p = findRow(kPopupSchemes, style)) {
        FDropDownColor = p->dropDownColor;
        FDropDownColorTo = p->dropDownColorTo;
        if (p->dropDownBorderColor != kUnchanged)
            FDropDownBorderColor = p->dropDownBorderColor;
        applyBarLook(FDropDownHeader, p->header);
        applyBarLook(FDropDownFooter, p->footer);
    }
    if (const TButtonScheme* b = findRow(kButtonSchemes, style))
        applyButtonScheme(FButtonAppearance, *b);
}

void TQvCustomDropDown::SetColorTones(const grid::TColorTones& tones)
{
    if (FButton) {
        FButton->ButtonColor = tones.Background.BrushColor;
        FButton->ButtonColorHot = tones.Hover.BrushColor;
        FButton->ButtonColorDown = tones.Selected.BrushColor;
        FButton->ButtonBorderColor = tones.Background.BorderColor;
    }
    SetBorderColor(tones.Background.BorderColor);
}

void TQvCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    FSelectionColorStyle = v;
    if (const TSelectionScheme* s = findRow(kSelectionSchemes, v)) {
        FSelectionColor = s->color;
        FSelectionColorTo = s->colorTo;
    }
}

void TQvCustomDropDown::DrawSelection(QPainter& canvas, const grid::TRect& r, TColor cornerColor, int kind)
{
    const TSelectionScheme* s = findRow(kSelectionSchemes, FSelectionColorStyle);
    if (!s) {
        canvas.fillRect(r.toQRect(), platform::toQColor(FSelectionColor));
        return;
    }
    grid::ZirAzur::DrawRoundedFrame(canvas, FSelectionColor, FSelectionColorTo, s->mirror, s->mirrorTo, s->innerTop,
                                    s->innerBottom, s->border, s->cornerBlend, cornerColor, r, kind);
}

void TQvCustomDropDown::DrawDropDownGradient(QPainter& canvas, TColor fromColor, TColor toColor, int steps,
                                             const grid::TRect& r, TGradientDirection direction)
{
    grid::FillGradientRect(canvas, fromColor, toColor, direction == grid::gdHorizontal, r, steps);
}

void TQvCustomDropDown::ApplyItemAppearanceStyle(TItemAppearance* appearance, TVLXStyle style)
{
    if (!appearance || style == grid::tsCustom)
        return;
    TItemAppearance& a = *appearance;
    a.SetBorderColorHot(clNone);
    a.SetBorderColorSelected(clNone);
    a.SetColorSelectedText(clBlack);
    a.SetColorHotText(clBlack);
    const TItemScheme* s = findRow(kItemSchemes, style);
    if (!s)
        return;
    a.SetColorHot(s->hot);
    a.SetColorHotTo(s->hotTo);
    a.SetColorMirrorHot(s->mirrorHot);
    a.SetColorMirrorHotTo(s->mirrorHotTo);
    a.SetColorSelected(s->selected);
    a.SetColorSelectedTo(s->selectedTo);
    a.SetColorMirrorSelected(s->mirrorSelected);
    a.SetColorMirrorSelectedTo(s->mirrorSelectedTo);
    a.SetBorderColor(s->border);
    a.SetBorderColorTop(s->borderTop);
    a.SetBorderColorBottom(s->borderBottom);
    a.SetEdgeColor(s->edge);
    a.SetColorSelectedText(s->selectedText);
}

} // namespace dropdowns
