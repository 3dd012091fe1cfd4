// The drop-down's colour schemes, selection styles and item looks, and the colour and drawing
// helpers the bars, buttons and selectors share.

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/ItemSelector.h"
#include "dropdowns/QvDropDown.h"
#include "grid/QvObj.h"
#include "support/TestDropDown.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace dropdowns;
using namespace platform;
using testsupport::FakeDesktop;
using testsupport::TestDropDown;

namespace {

constexpr TColor kKept = 0x2FFFFFFF; // the border the popup had before stays

TColor at(const QImage& img, int x, int y)
{
    return platform::fromQColor(QColor(img.pixel(x, y)));
}

QImage canvasImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(0xFF010203);
    return img;
}

class DropDownStyles : public ::testing::Test {
protected:
    FakeDesktop desktop;
    QWidget parent;
};

// ---- popup and bar colours -------------------------------------------------------------------

struct PopupRow {
    grid::TVLXStyle style;
    TColor color, colorTo, border;
    TColor hColor, hColorTo, hFont, hBorder;
    TColor fColor, fColorTo, fFont, fBorder;
};

// clang-format off
const PopupRow kPopupRows[] = {
    {grid::tsOffice2003Blue, clWhite, clNone, kKept, 0xFCE1CB, 0xE0A57D, clBlack, clBlack, 0xFCE1CB, 0xE0A57D, clBlack, 0x962D00},
    {grid::tsOffice2003Silver, clWhite, clNone, kKept, 0xECE2E1, 0xB39698, clBlack, 0x947C7C, 0xECE2E1, 0xB39698, clBlack, 0x947C7C},
    {grid::tsOffice2003Olive, clWhite, clNone, clNone, 0xCFF0EA, 0x8CC0B1, clBlack, 0x588060, 0xCFF0EA, 0x8CC0B1, clBlack, 0x588060},
    {grid::tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, clWhite, 0x808080, 0x808080, 0x808080, clWhite, 0x808080},
    {grid::tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF},
    {grid::tsOffice2007Obsidian, clWhite, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C},
    {grid::tsWindowsXP, clWhite, clNone, kKept, clWhite, clBtnFace, clBlack, 0x808080, clWhite, clBtnFace, clBlack, 0x808080},
    {grid::tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, clWhite, 0x962D00, 0xEBEEEF, 0x7E9898, clWhite, 0x962D00},
    {grid::tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F},
    {grid::tsWindowsVista, clWhite, clWhite, 0x979797, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, clBlack, 0xFCF2DA},
    {grid::tsWindows7, clWhite, clWhite, 0x979797, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8},
    {grid::tsTerminal, clWhite, clWhite, 0x808080, clBtnFace, clBtnFace, clBlack, clNone, clBtnFace, clBtnFace, clBlack, clNone},
    {grid::tsOffice2010Blue, clWhite, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F},
    {grid::tsOffice2010Silver, clWhite, 0xF1EFED, 0xEDEDEC, clWhite, 0xEDE5E0, 0x5B391E, 0xD2CDC8, clWhite, 0xEDE5E0, 0x5B391E, 0xD2CDC8},
    {grid::tsOffice2010Black, clWhite, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D},
};
// clang-format on

TEST_F(DropDownStyles, EverySchemeSetsThePopupAndBarColours)
{
    for (const PopupRow& row : kPopupRows) {
        SCOPED_TRACE(int(row.style));
        TestDropDown dd(&parent, &desktop);
        dd.SetComponentStyle(grid::tsCustom);
        dd.SetDropDownBorderColor(0x123456);
        dd.SetComponentStyle(row.style);
        EXPECT_EQ(dd.GetComponentStyle(), row.style);
        EXPECT_EQ(dd.DropDownColor(), row.color);
        EXPECT_EQ(dd.DropDownColorTo(), row.colorTo);
        EXPECT_EQ(dd.DropDownBorderColor(), row.border == kKept ? 0x123456u : row.border);
        const auto& h = dd.DropDownHeader();
        EXPECT_EQ(h.Color(), row.hColor);
        EXPECT_EQ(h.ColorTo(), row.hColorTo);
        EXPECT_EQ(h.Font().Color, row.hFont);
        EXPECT_EQ(h.BorderColor(), row.hBorder);
        const auto& f = dd.DropDownFooter();
        EXPECT_EQ(f.Color(), row.fColor);
        EXPECT_EQ(f.ColorTo(), row.fColorTo);
        EXPECT_EQ(f.Font().Color, row.fFont);
        EXPECT_EQ(f.BorderColor(), row.fBorder);
    }
}

TEST_F(DropDownStyles, CustomChangesOnlyTheRememberedScheme)
{
    TestDropDown dd(&parent, &desktop);
    dd.SetComponentStyle(grid::tsOffice2003Blue);
    dd.ButtonAppearance().SetColorHot(0x010101);
    dd.SetComponentStyle(grid::tsCustom);
    EXPECT_EQ(dd.GetComponentStyle(), grid::tsCustom);
    EXPECT_EQ(dd.DropDownHeader().Color(), 0xFCE1CBu);
    EXPECT_EQ(dd.DropDownFooter().BorderColor(), 0x962D00u);
    EXPECT_EQ(dd.ButtonAppearance().ColorHot(), 0x010101u);
}

TEST_F(DropDownStyles, ConstructorAppliesLunaAndOffice2007Selection)
{
    TestDropDown dd(&parent, &desktop);
    EXPECT_EQ(dd.GetComponentStyle(), grid::tsOffice2007Luna);
    EXPECT_EQ(dd.DropDownColor(), 0xF3E5DAu);
    EXPECT_EQ(dd.DropDownHeader().ColorTo(), 0xFFD2AFu);
    EXPECT_EQ(dd.ButtonAppearance().ColorTo(), 0xFFDDC4u);
    EXPECT_EQ(dd.SelectionColor(), 0xD7FFFDu);
    EXPECT_EQ(dd.SelectionColorTo(), 0x58D4FCu);
}

// ---- bar-button colours ----------------------------------------------------------------------

struct ButtonRow {
    grid::TVLXStyle style;
    TColor color, colorTo, border;
    TColor hot, hotTo, hotBorder, down, downTo, downBorder, disabled, disabledTo, checked, checkedTo, checkedBorder;
};

// clang-format off
#define OFFICE 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B
#define OFFICE2010 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE
const ButtonRow kButtonRows[] = {
    {grid::tsOffice2003Blue, 0xFCE1CB, 0xE0A57D, clNone, OFFICE},
    {grid::tsOffice2003Silver, 0xECE2E1, 0xB39698, clNone, OFFICE},
    {grid::tsOffice2003Olive, 0xCFF0EA, 0x8CC0B1, clNone, OFFICE},
    {grid::tsOffice2007Luna, 0xFFEFE3, 0xFFDDC4, clNone, OFFICE},
    {grid::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, clNone, OFFICE},
    {grid::tsOffice2007Silver, 0xF9F8F8, 0xE4E2DF, clNone, OFFICE},
    {grid::tsWhidbey, clWhite, 0xDFEDF0, clNone, OFFICE},
    {grid::tsOffice2010Blue, 0xFDF6EF, 0xF0DAC7, 0xC7B29F, OFFICE2010},
    {grid::tsOffice2010Silver, clWhite, 0xEDE5E0, 0xD2CDC8, OFFICE2010},
    {grid::tsOffice2010Black, 0xBFBFBF, 0x919191, 0xD7D7D6, OFFICE2010},
    {grid::tsOffice2003Classic, clWhite, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
     0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080},
    {grid::tsWindowsXP, clWhite, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption,
     clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, clBlack},
    {grid::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
     clWhite, clWhite, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A},
    {grid::tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D,
     clWhite, clWhite, 0xFEF9F0, 0xFCDBC1, 0xCEA27D},
    {grid::tsTerminal, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
     clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight},
};
#undef OFFICE
#undef OFFICE2010
// clang-format on

TEST_F(DropDownStyles, EverySchemeSetsTheBarButtonColours)
{
    for (const ButtonRow& row : kButtonRows) {
        SCOPED_TRACE(int(row.style));
        TestDropDown dd(&parent, &desktop);
        dd.SetComponentStyle(row.style);
        const TQvButtonAppearance& a = dd.ButtonAppearance();
        const TColor got[] = {a.Color(),           a.ColorTo(),           a.BorderColor(),     a.ColorHot(),
                              a.ColorHotTo(),      a.BorderColorHot(),    a.ColorDown(),       a.ColorDownTo(),
                              a.BorderColorDown(), a.ColorDisabled(),     a.ColorDisabledTo(), a.ColorChecked(),
                              a.ColorCheckedTo(),  a.BorderColorChecked()};
        const TColor want[] = {row.color,      row.colorTo, row.border,    row.hot,          row.hotTo,
                               row.hotBorder,  row.down,    row.downTo,    row.downBorder,   row.disabled,
                               row.disabledTo, row.checked, row.checkedTo, row.checkedBorder};
        for (std::size_t i = 0; i < std::size(want); ++i)
            EXPECT_EQ(got[i], want[i]) << "colour " << i;
    }
}

TEST_F(DropDownStyles, SchemeChangesReachTheButtonLookThroughItsWriters)
{
    TestDropDown dd(&parent, &desktop);
    int changes = 0;
    dd.ButtonAppearance().OnChange = [&](grid::TObject*) { ++changes; };
    dd.SetComponentStyle(grid::tsOffice2007Luna); // already applied: nothing differs
    EXPECT_EQ(changes, 0);
    dd.SetComponentStyle(grid::tsTerminal);
    EXPECT_GT(changes, 0);
}

// ---- the button look's own defaults ----------------------------------------------------------

TEST(ButtonAppearance, DefaultsWithCheckedColoursFromTheHotOnes)
{
    TQvButtonAppearance a;
    EXPECT_EQ(a.ColorChecked(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0u);
    EXPECT_EQ(a.ColorHot(), 0xF5F0E1u);
    EXPECT_EQ(a.ColorHotTo(), 0xF9D2B2u);
    EXPECT_EQ(a.ColorDown(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorDownTo(), 0xF9BDA0u);
    EXPECT_EQ(a.BorderColor(), clNone);
    EXPECT_EQ(a.BorderColorHot(), 0x808080u);
    EXPECT_EQ(a.BorderColorDown(), 0x800000u);
    EXPECT_EQ(a.BorderColorChecked(), 0xFF0000u);
    EXPECT_EQ(a.ColorDisabled(), 0xF2F2F2u);
    EXPECT_EQ(a.ColorDisabledTo(), clNone);
    EXPECT_EQ(a.Gradient(), grid::gdVertical);
    EXPECT_EQ(a.Font().Name, QStringLiteral("Tahoma"));
}

TEST(ButtonAppearance, AssignCopiesColoursNotTheFontAndRefusesOtherClasses)
{
    TQvButtonAppearance a, b;
    b.SetColorHot(0x112233);
    b.SetBorderColorChecked(0x445566);
    b.SetGradient(grid::gdHorizontal);
    grid::TFont f = b.Font();
    f.Name = QStringLiteral("Arial");
    b.SetFont(f);
    int changes = 0;
    a.OnChange = [&](grid::TObject*) { ++changes; };
    a.Assign(b);
    EXPECT_EQ(a.ColorHot(), 0x112233u);
    EXPECT_EQ(a.BorderColorChecked(), 0x445566u);
    EXPECT_EQ(a.Gradient(), grid::gdHorizontal);
    EXPECT_EQ(a.Font().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(changes, 3);
    grid::TCustomImageList other;
    EXPECT_THROW(a.Assign(other), std::invalid_argument);
}

// ---- selection styles ------------------------------------------------------------------------

TEST_F(DropDownStyles, SelectionStylesLoadTheirColours)
{
    struct Row {
        TSelectionColorStyle style;
        TColor color, colorTo;
    };
    TestDropDown dd(&parent, &desktop);
    for (const Row& r : {Row{scWindowsVista, 0xFDF8F1, 0xFCEFD5}, Row{scWindows7, 0xFCEBDC, 0xFCDBC1},
                         Row{scOffice2007, 0xD7FFFD, 0x58D4FC}}) {
        dd.SetSelectionColorStyle(r.style);
        EXPECT_EQ(dd.SelectionColor(), r.color);
        EXPECT_EQ(dd.SelectionColorTo(), r.colorTo);
    }
    dd.SetSelectionColor(0x0000FF);
    dd.SetSelectionColorStyle(scCustom);
    EXPECT_EQ(dd.SelectionColor(), 0x0000FFu) << "custom keeps the colours";
}

TEST_F(DropDownStyles, DrawSelectionFillsForCustomAndFramesForTheNamedStyles)
{
    struct Row {
        TSelectionColorStyle style;
        TColor border, innerTop;
    };
    TestDropDown dd(&parent, &desktop);
    for (const Row& r : {Row{scOffice2007, 0x8DD7D3, 0xF4FEFF}, Row{scWindowsVista, 0xFDDE99, 0xFDFBF6},
                         Row{scWindows7, 0xCEA27D, 0xFDF4EB}}) {
        SCOPED_TRACE(int(r.style));
        dd.SetSelectionColorStyle(r.style);
        QImage img = canvasImage(40, 20);
        {
            QPainter p(&img);
            dd.DrawSelection(p, {0, 0, 40, 20}, 0x00FF00, 0);
        }
        EXPECT_EQ(at(img, 20, 0), r.border) << "the outer top line";
        EXPECT_EQ(at(img, 20, 1), r.innerTop) << "the inner top line";
        EXPECT_EQ(at(img, 0, 0), 0x00FF00u) << "the corner colour";
    }
    dd.SetSelectionColorStyle(scCustom);
    dd.SetSelectionColor(0x0000FF);
    QImage img = canvasImage(40, 20);
    {
        QPainter p(&img);
        dd.DrawSelection(p, {0, 0, 40, 20}, 0x00FF00, 0);
    }
    EXPECT_EQ(at(img, 0, 0), 0x0000FFu);
    EXPECT_EQ(at(img, 39, 19), 0x0000FFu);
}

// ---- item looks of the schemes ---------------------------------------------------------------

struct ItemRow {
    grid::TVLXStyle style;
    TColor hot, hotTo, mirrorHot, mirrorHotTo, selected, selectedTo, mirrorSelected, mirrorSelectedTo;
    TColor border, top, bottom, edge, selectedText;
};

// clang-format off
#define OFFICE_HOT_SEL 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE
#define OFFICE2010_HOT_SEL 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2
const ItemRow kItemRows[] = {
    {grid::tsOffice2003Blue, OFFICE_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2003Silver, OFFICE_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2003Olive, OFFICE_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsWhidbey, OFFICE_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2007Luna, OFFICE_HOT_SEL, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2007Obsidian, OFFICE_HOT_SEL, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2007Silver, OFFICE_HOT_SEL, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, clBlack},
    {grid::tsOffice2003Classic, 0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080,
     clNone, clNone, clNone, clBlack},
    {grid::tsWindowsXP, 0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight,
     clNone, clNone, clNone, clHighlightText},
    {grid::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A,
     0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clBlack},
    {grid::tsWindows7, 0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D,
     0xFDF4EB, 0xFDEADB, 0xE0C5AE, clBlack},
    {grid::tsTerminal, 0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080,
     clNone, clNone, clNone, clHighlightText},
    {grid::tsOffice2010Blue, OFFICE2010_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2010Silver, OFFICE2010_HOT_SEL, clNone, clNone, clNone, clBlack},
    {grid::tsOffice2010Black, OFFICE2010_HOT_SEL, clNone, clNone, clNone, clBlack},
};
#undef OFFICE_HOT_SEL
#undef OFFICE2010_HOT_SEL
// clang-format on

TEST(ItemAppearanceStyle, EverySchemeSetsTheItemColours)
{
    for (const ItemRow& row : kItemRows) {
        SCOPED_TRACE(int(row.style));
        TItemAppearance a;
        a.SetBorderColorHot(0x111111);
        a.SetBorderColorSelected(0x222222);
        a.SetColorHotText(0x333333);
        TQvCustomDropDown::ApplyItemAppearanceStyle(&a, row.style);
        const TColor got[] = {
            a.ColorHot(),         a.ColorHotTo(),      a.ColorMirrorHot(),      a.ColorMirrorHotTo(),
            a.ColorSelected(),    a.ColorSelectedTo(), a.ColorMirrorSelected(), a.ColorMirrorSelectedTo(),
            a.BorderColor(),      a.BorderColorTop(),  a.BorderColorBottom(),   a.EdgeColor(),
            a.ColorSelectedText()};
        const TColor want[] = {row.hot,        row.hotTo,          row.mirrorHot,        row.mirrorHotTo, row.selected,
                               row.selectedTo, row.mirrorSelected, row.mirrorSelectedTo, row.border,      row.top,
                               row.bottom,     row.edge,           row.selectedText};
        for (std::size_t i = 0; i < std::size(want); ++i)
            EXPECT_EQ(got[i], want[i]) << "colour " << i;
        EXPECT_EQ(a.BorderColorHot(), clNone);
        EXPECT_EQ(a.BorderColorSelected(), clNone);
        EXPECT_EQ(a.ColorHotText(), clBlack);
    }
}

TEST(ItemAppearanceStyle, CustomAndNoLookChangeNothing)
{
    TItemAppearance a;
    a.SetColorHot(0x010203);
    a.SetBorderColorHot(0x040506);
    TQvCustomDropDown::ApplyItemAppearanceStyle(&a, grid::tsCustom);
    EXPECT_EQ(a.ColorHot(), 0x010203u);
    EXPECT_EQ(a.BorderColorHot(), 0x040506u);
    TQvCustomDropDown::ApplyItemAppearanceStyle(nullptr, grid::tsOffice2007Luna); // no crash
}

// ---- tone sets -------------------------------------------------------------------------------

TEST_F(DropDownStyles, ColorTonesColourTheDropButtonAndTheBorder)
{
    TestDropDown dd(&parent, &desktop);
    grid::TColorTones tones;
    tones.Background = {0x0000AA, 0x0000BB, 0};
    tones.Hover = {0x00AA00, 0, 0};
    tones.Selected = {0xAA0000, 0, 0};
    dd.SetColorTones(tones);
    EXPECT_EQ(dd.Button()->ButtonColor, 0x0000AAu);
    EXPECT_EQ(dd.Button()->ButtonColorHot, 0x00AA00u);
    EXPECT_EQ(dd.Button()->ButtonColorDown, 0xAA0000u);
    EXPECT_EQ(dd.Button()->ButtonBorderColor, 0x0000BBu);
    EXPECT_EQ(dd.BorderColor(), 0x0000BBu);
}

// ---- colour helpers --------------------------------------------------------------------------

TEST(ColorHelpers, MixColors)
{
    struct Case {
        TColor c1, c2;
        int percent;
        TColor want;
    };
    const Case cases[] = {
        {clWhite, clBlack, 50, 0x808080},         // 127.5 rounds to the even 128
        {0x000001, 0x000000, 50, 0x000000},       // 0.5 rounds to the even 0
        {0x000003, 0x000000, 50, 0x000002},       // 1.5 rounds to 2
        {clHighlight, clBlack, 100, clHighlight}, // unchanged, system colour and all
        {clBlack, clBtnFace, 0, clBtnFace},       {clBlack, clBtnFace, -5, clBtnFace},
        {0xFFD2AF, clWhite, 20, 0xFFF6EF}, // the bars' light inner frame
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixColors(c.c1, c.c2, c.percent), c.want) << std::hex << c.c1 << " " << c.c2 << " " << c.percent;
    // A system colour below 100 % is mixed by its RGB value.
    const TColor face = colorToRGB(clBtnFace);
    EXPECT_EQ(MixColors(clBtnFace, face, 50), face);
}

TEST(ColorHelpers, ScaleColorChannels)
{
    EXPECT_EQ(ScaleColorChannels(0x808080, -10, -10, 0), 0x807373u);
    EXPECT_EQ(ScaleColorChannels(0x000000, 20, 20, 20), 0x141414u);
    EXPECT_EQ(ScaleColorChannels(0x808080, 50, 50, 50), 0x808080u) << "a non-zero channel never brightens";
    EXPECT_EQ(ScaleColorChannels(0x000000, -20, 300, 0), 0x002C00u) << "low 8 bits of max(0, p)";
    EXPECT_EQ(ScaleColorChannels(0x0000E1, -10, 0, 0), 0x0000CAu) << "202.5 rounds to the even 202";
}

// ---- text helpers ----------------------------------------------------------------------------

class TextHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        painter.begin(&img);
        painter.setFont(grid::toQFont(grid::TFont{}));
    }
    void TearDown() override { painter.end(); }
    int width(const QString& s) { return MeasureText(painter, s).width(); }
    QImage img = canvasImage(300, 40);
    QPainter painter;
};

TEST_F(TextHelpers, MeasureTextGivesOneLineOrNothing)
{
    EXPECT_EQ(MeasureText(painter, QString()), QSize(0, 0));
    const QSize s = MeasureText(painter, QStringLiteral("Abc"));
    EXPECT_GT(s.width(), 0);
    EXPECT_EQ(s.height(), MeasureText(painter, QStringLiteral("Abc def")).height());
    EXPECT_GT(MeasureText(painter, QStringLiteral("Abc def")).width(), s.width());
}

TEST_F(TextHelpers, FitTextToWidth)
{
    const QString text = QStringLiteral("Temperature");
    struct Case {
        int maxWidth;
        bool ellipsis;
        QString want;
    };
    const int dots = width(QStringLiteral("..."));
    const int full = width(text);
    // The longest beginning narrower than the width.
    const auto longest = [&](int maxWidth, bool ellipsis) {
        for (int n = text.size() - 1; n >= 0; --n) {
            const QString t = text.left(n) + (ellipsis ? QStringLiteral("...") : QString());
            if (width(t) < maxWidth)
                return t;
        }
        return text;
    };
    const Case cases[] = {
        {full, true, text},       // fits exactly
        {full + 10, false, text}, // fits
        {dots, true, text},       // not even the dots fit: the whole text
        {dots - 1, true, text},
        {full - 1, false, longest(full - 1, false)},
        {full / 2, true, longest(full / 2, true)},
        {1, false, QString()}, // the empty text at worst
    };
    for (const Case& c : cases) {
        QString result = QStringLiteral("unset");
        FitTextToWidth(painter, text, c.maxWidth, c.ellipsis, result);
        EXPECT_EQ(result, c.want) << c.maxWidth << " " << c.ellipsis;
    }
    QString r;
    FitTextToWidth(painter, text, full / 2, true, r);
    EXPECT_TRUE(r.endsWith(QStringLiteral("..."))) << r.toStdString();
    EXPECT_LT(width(r), full / 2);
}

TEST_F(TextHelpers, DrawMarkupTextMeasuresWithoutPaintingAndEmptyGivesNothing)
{
    QSize size(5, 5);
    DrawMarkupText(painter, QString(), {0, 0, 300, 40}, nullptr, true, -1, size);
    EXPECT_EQ(size, QSize(0, 0));
    const QImage before = img.copy();
    DrawMarkupText(painter, QStringLiteral("<b>Abc</b> def"), {0, 0, 300, 40}, nullptr, false, -1, size);
    EXPECT_GT(size.width(), 0);
    EXPECT_GT(size.height(), 0);
    EXPECT_EQ(img, before) << "measuring paints nothing";
    QSize painted;
    DrawMarkupText(painter, QStringLiteral("<b>Abc</b> def"), {0, 0, 300, 40}, nullptr, true, -1, painted);
    EXPECT_EQ(painted, size);
    EXPECT_NE(img, before);
}

TEST(LookupKeyHelper, UpperCasesUnlessCaseSensitive)
{
    QString r;
    LookupKey(QStringLiteral("abc"), true, r);
    EXPECT_EQ(r, QStringLiteral("abc"));
    LookupKey(QStringLiteral("abc"), false, r);
    EXPECT_EQ(r, QStringLiteral("ABC"));
}

// ---- drawing helpers -------------------------------------------------------------------------

TEST(DrawingHelpers, GradientBoxSolidGradientAndFrame)
{
    QImage img = canvasImage(100, 20);
    {
        QPainter p(&img);
        DrawGradientBox(&p, {0, 0, 100, 20}, 0x0000FF, 0xFF0000, 0x00FF00, 1, grid::gdHorizontal);
    }
    EXPECT_EQ(at(img, 0, 10), 0x00FF00u) << "frame";
    EXPECT_EQ(at(img, 99, 10), 0x00FF00u);
    // Bands are round(99 / 80) + 1 = 2 wide, each starting at round(i * 99 / 80): column 1 is
    // already band 1, 3 steps from red towards blue.
    EXPECT_EQ(at(img, 1, 10), platform::rgb(252, 0, 3)) << "gradient starts at the from colour";
    EXPECT_NE(at(img, 97, 10), 0x0000FFu);
    EXPECT_EQ(at(img, 50, 1), at(img, 50, 18)) << "horizontal: columns are one colour";

    img = canvasImage(100, 20);
    {
        QPainter p(&img);
        DrawGradientBox(&p, {10, 5, 30, 15}, 0x0000FF, clNone, clNone, 1, grid::gdVertical);
    }
    EXPECT_EQ(at(img, 10, 5), 0x0000FFu);
    EXPECT_EQ(at(img, 29, 14), 0x0000FFu);
    EXPECT_EQ(img.pixel(30, 14), 0xFF010203u);
    DrawGradientBox(nullptr, {0, 0, 1, 1}, 0, 0, 0, 1, grid::gdVertical); // no canvas: nothing
}

TEST(DrawingHelpers, ImageAndTextPlacesTheImageAndMovesTheText)
{
    grid::TCustomImageList images(8, 8);
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    images.Add(red);
    QImage img = canvasImage(60, 20);
    {
        QPainter p(&img);
        DrawImageAndText(&p, {0, 0, 60, 20}, QString(), &images, 0);
    }
    // At (4, (20 - 8) div 2).
    EXPECT_EQ(at(img, 4, 6), 0x0000FFu);
    EXPECT_EQ(at(img, 11, 13), 0x0000FFu);
    EXPECT_EQ(img.pixel(3, 6), 0xFF010203u);
    EXPECT_EQ(img.pixel(4, 5), 0xFF010203u);
}

TEST(DrawingHelpers, TransparentBitmapShowsTheBackColourAndStaysInsideR)
{
    QImage bmp(10, 10, QImage::Format_RGB32);
    bmp.fill(QColor(0, 255, 0));
    bmp.setPixel(5, 5, qRgb(255, 0, 0));
    QImage img = canvasImage(30, 30);
    {
        QPainter p(&img);
        DrawTransparentBitmap(p, bmp, 0x808080, {2, 2, 8, 12});
    }
    EXPECT_EQ(at(img, 2, 2), 0x808080u) << "the top-left pixel's colour shows the back colour";
    EXPECT_EQ(at(img, 7, 7), 0x0000FFu);
    EXPECT_EQ(img.pixel(8, 7), 0xFF010203u) << "cut to R's width";
}

} // namespace
