#pragma once
// Colours as the program stores them: 32-bit values, 0x00BBGGRR for a red-green-blue colour,
// 0xFF0000nn for system colour nn, 0x1FFFFFFF for no colour (a setting that is absent).
// System colours resolve through one fixed table of the classic desktop defaults, so drawing
// is the same on every machine and pixel tests can rely on it.

#include <QColor>

#include <cstdint>

namespace platform {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clSystemColor = 0xFF000000;

// System colour indexes (the low byte of a system colour value).
enum SysColorIndex : std::uint8_t {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

constexpr TColor sysColor(std::uint8_t index)
{
    return clSystemColor | index;
}

// Named colours used across the program.
inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                        clCream = 0xF0FBFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clMedGray = 0xA4A0A0;
inline constexpr TColor clScrollBar = sysColor(COLOR_SCROLLBAR), clBackground = sysColor(COLOR_BACKGROUND),
                        clActiveCaption = sysColor(COLOR_ACTIVECAPTION),
                        clInactiveCaption = sysColor(COLOR_INACTIVECAPTION), clMenu = sysColor(COLOR_MENU),
                        clWindow = sysColor(COLOR_WINDOW), clWindowFrame = sysColor(COLOR_WINDOWFRAME),
                        clMenuText = sysColor(COLOR_MENUTEXT), clWindowText = sysColor(COLOR_WINDOWTEXT),
                        clCaptionText = sysColor(COLOR_CAPTIONTEXT), clActiveBorder = sysColor(COLOR_ACTIVEBORDER),
                        clInactiveBorder = sysColor(COLOR_INACTIVEBORDER),
                        clAppWorkSpace = sysColor(COLOR_APPWORKSPACE), clHighlight = sysColor(COLOR_HIGHLIGHT),
                        clHighlightText = sysColor(COLOR_HIGHLIGHTTEXT), clBtnFace = sysColor(COLOR_BTNFACE),
                        clBtnShadow = sysColor(COLOR_BTNSHADOW), clGrayText = sysColor(COLOR_GRAYTEXT),
                        clBtnText = sysColor(COLOR_BTNTEXT),
                        clInactiveCaptionText = sysColor(COLOR_INACTIVECAPTIONTEXT),
                        clBtnHighlight = sysColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = sysColor(COLOR_3DDKSHADOW),
                        cl3DLight = sysColor(COLOR_3DLIGHT), clInfoText = sysColor(COLOR_INFOTEXT),
                        clInfoBk = sysColor(COLOR_INFOBK), clHotLight = sysColor(COLOR_HOTLIGHT),
                        clGradientActiveCaption = sysColor(COLOR_GRADIENTACTIVECAPTION),
                        clGradientInactiveCaption = sysColor(COLOR_GRADIENTINACTIVECAPTION),
                        clMenuHighlight = sysColor(COLOR_MENUHILIGHT), clMenuBar = sysColor(COLOR_MENUBAR);

constexpr bool isSystemColor(TColor c)
{
    return (c & 0xFF000000u) == clSystemColor;
}

// Plain 0x00BBGGRR value of a colour; system colours through the fixed table, clNone and
// clDefault as black.
TColor colorToRGB(TColor c);

constexpr int getRValue(TColor rgb)
{
    return int(rgb & 0xFF);
}
constexpr int getGValue(TColor rgb)
{
    return int((rgb >> 8) & 0xFF);
}
constexpr int getBValue(TColor rgb)
{
    return int((rgb >> 16) & 0xFF);
}
constexpr TColor rgb(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

QColor toQColor(TColor c);
// An opaque QColor as 0x00BBGGRR.
TColor fromQColor(const QColor& c);

} // namespace platform
