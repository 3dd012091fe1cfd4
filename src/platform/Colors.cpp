#include "platform/Colors.h"

#include <array>

namespace platform {

namespace {

// The classic desktop defaults of the system colours, as 0x00BBGGRR.
constexpr std::array<TColor, 31> kSystemColors = {
    rgb(200, 200, 200), // scroll bar
    rgb(0, 0, 0),       // desktop
    rgb(153, 180, 209), // active caption
    rgb(191, 205, 219), // inactive caption
    rgb(240, 240, 240), // menu
    rgb(255, 255, 255), // window
    rgb(100, 100, 100), // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(0, 0, 0),       // caption text
    rgb(180, 180, 180), // active border
    rgb(244, 247, 252), // inactive border
    rgb(171, 171, 171), // application workspace
    rgb(51, 153, 255),  // highlight
    rgb(255, 255, 255), // highlight text
    rgb(240, 240, 240), // button face
    rgb(160, 160, 160), // button shadow
    rgb(109, 109, 109), // gray text
    rgb(0, 0, 0),       // button text
    rgb(67, 78, 84),    // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(105, 105, 105), // 3D dark shadow
    rgb(227, 227, 227), // 3D light
    rgb(0, 0, 0),       // info text
    rgb(255, 255, 225), // info background
    rgb(0, 0, 0),       // (unused index 25)
    rgb(0, 102, 204),   // hot light
    rgb(185, 209, 234), // gradient active caption
    rgb(215, 228, 242), // gradient inactive caption
    rgb(51, 153, 255),  // menu highlight
    rgb(240, 240, 240), // menu bar
};

} // namespace

TColor colorToRGB(TColor c)
{
    if (isSystemColor(c)) {
        const unsigned index = c & 0xFF;
        return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
    }
    if (c == clNone || c == clDefault)
        return clBlack;
    return c & 0x00FFFFFF;
}

QColor toQColor(TColor c)
{
    const TColor v = colorToRGB(c);
    return QColor(getRValue(v), getGValue(v), getBValue(v));
}

TColor fromQColor(const QColor& c)
{
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace platform
