#pragma once
// The style interfaces the grid and its drop-down editors share: the own-colour set
// (TColorTones) and the enumerations of the colour schemes. The looks (TGridLook) are declared
// in GridTypes.h.

#include "platform/Colors.h"

namespace grid {

using platform::TColor;

struct TColorTone {
    TColor BrushColor = platform::clNone;
    TColor BorderColor = platform::clNone;
    TColor TextColor = platform::clNone;
    friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
    friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

enum TQvGridStyle {
    gsOffice2003Blue, gsOffice2003Silver, gsOffice2003Olive, gsOffice2003Classic, gsOffice2007Luna,
    gsOffice2007Obsidian, gsWindowsXP, gsWhidbey, gsCustom, gsOffice2007Silver, gsWindowsVista, gsWindows7,
    gsTerminal, gsOffice2010Blue, gsOffice2010Silver, gsOffice2010Black
};
inline constexpr int kGridStyleCount = gsOffice2010Black + 1;

// The same schemes as the style interface names them (same order).
enum TVLXStyle {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };

// Components that take a colour scheme.
class IVLXStyle {
public:
    virtual ~IVLXStyle() = default;
    virtual void SetComponentStyle(TVLXStyle style) = 0;
    virtual TVLXStyle GetComponentStyle() const = 0;
};

// Components that take an own colour set.
class IVLXTones {
public:
    virtual ~IVLXTones() = default;
    virtual void SetColorTones(const TColorTones& tones) = 0;
};

} // namespace grid
