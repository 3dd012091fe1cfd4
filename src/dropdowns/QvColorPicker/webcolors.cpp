// The web colour names the picker writes for cvtWebName, in lookup order: where two names share
// a value (Cyan and Aqua, Magenta and Fuchsia) only the one listed here is ever written.

#include "dropdowns/QvColorPicker.h"

#include <QColor>

#include <array>

namespace dropdowns {

namespace {

// Spelled as they are written out; the values are the CSS keywords' of the same names.
constexpr std::array<const char*, 138> kWebNames = {
    "Snow",
    "FloralWhite",
    "LavenderBlush",
    "OldLace",
    "Ivory",
    "CornSilk",
    "Beige",
    "AntiqueWhite",
    "Wheat",
    "AliceBlue",
    "GhostWhite",
    "Lavender",
    "Seashell",
    "LightYellow",
    "PapayaWhip",
    "NavajoWhite",
    "Moccasin",
    "Burlywood",
    "Azure",
    "Mintcream",
    "Honeydew",
    "Linen",
    "LemonChiffon",
    "BlanchedAlmond",
    "Bisque",
    "PeachPuff",
    "Tan",
    "Yellow",
    "DarkOrange",
    "Red",
    "DarkRed",
    "Maroon",
    "IndianRed",
    "Salmon",
    "Coral",
    "Gold",
    "Tomato",
    "Crimson",
    "Brown",
    "Chocolate",
    "SandyBrown",
    "LightSalmon",
    "LightCoral",
    "Orange",
    "OrangeRed",
    "Firebrick",
    "SaddleBrown",
    "Sienna",
    "Peru",
    "DarkSalmon",
    "RosyBrown",
    "PaleGoldenrod",
    "LightGoldenrodYellow",
    "Olive",
    "ForestGreen",
    "GreenYellow",
    "Chartreuse",
    "LightGreen",
    "Aquamarine",
    "SeaGreen",
    "GoldenRod",
    "Khaki",
    "OliveDrab",
    "Green",
    "YellowGreen",
    "LawnGreen",
    "PaleGreen",
    "MediumAquamarine",
    "MediumSeaGreen",
    "DarkGoldenRod",
    "DarkKhaki",
    "DarkOliveGreen",
    "Darkgreen",
    "LimeGreen",
    "Lime",
    "SpringGreen",
    "MediumSpringGreen",
    "DarkSeaGreen",
    "LightSeaGreen",
    "PaleTurquoise",
    "LightCyan",
    "LightBlue",
    "LightSkyBlue",
    "CornFlowerBlue",
    "DarkBlue",
    "Indigo",
    "MediumTurquoise",
    "Turquoise",
    "Cyan",
    "PowderBlue",
    "SkyBlue",
    "RoyalBlue",
    "MediumBlue",
    "MidnightBlue",
    "DarkTurquoise",
    "CadetBlue",
    "DarkCyan",
    "Teal",
    "DeepskyBlue",
    "DodgerBlue",
    "Blue",
    "Navy",
    "DarkViolet",
    "DarkOrchid",
    "Magenta",
    "DarkMagenta",
    "MediumVioletRed",
    "PaleVioletRed",
    "BlueViolet",
    "MediumOrchid",
    "MediumPurple",
    "Purple",
    "DeepPink",
    "LightPink",
    "Violet",
    "Orchid",
    "Plum",
    "Thistle",
    "HotPink",
    "Pink",
    "LightSteelBlue",
    "MediumSlateBlue",
    "LightSlateGray",
    "White",
    "Lightgrey",
    "Gray",
    "SteelBlue",
    "SlateBlue",
    "SlateGray",
    "WhiteSmoke",
    "Silver",
    "DimGray",
    "MistyRose",
    "DarkSlateBlue",
    "DarkSlategray",
    "Gainsboro",
    "DarkGray",
    "Black",
};

struct TWebColor {
    QString name;
    TColor value;
};

const std::array<TWebColor, kWebNames.size()>& webColors()
{
    static const auto table = [] {
        std::array<TWebColor, kWebNames.size()> t;
        for (std::size_t i = 0; i < kWebNames.size(); ++i) {
            const QString name = QString::fromLatin1(kWebNames[i]);
            // Qt's colour keywords are the CSS ones and match without regard to case.
            t[i] = {name, platform::fromQColor(QColor::fromString(name))};
        }
        return t;
    }();
    return table;
}

} // namespace

int WebColorCount()
{
    return int(kWebNames.size());
}

const QString& WebColorName(int index)
{
    return webColors().at(std::size_t(index)).name;
}

TColor WebColorValue(int index)
{
    return webColors().at(std::size_t(index)).value;
}

QString WebColorNameOf(TColor rgbColor)
{
    for (const TWebColor& c : webColors())
        if (c.value == rgbColor)
            return c.name;
    return {};
}

} // namespace dropdowns
