// Colours of the markup: the names FONT and BODY tags accept, "#RRGGBB" values and the
// highlight tag's colours.

#include "grid/markup/RizIVUDE.h"

namespace grid::RizIVUDE {

using namespace platform;

TColor HighlightBackColor = clHighlight;
TColor HighlightTextColor = clHighlightText;

namespace {

struct TColorName {
    const char* name;
    TColor color;
};

const TColorName colorNames[] = {
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", clBackground},
    {"clactivecaption", clActiveCaption},
    {"clinactivecaption", clInactiveCaption},
    {"clmenu", clMenu},
    {"clwindow", clWindow},
    {"clwindowframe", clWindowFrame},
    {"clmenutext", clMenuText},
    {"clwindowtext", clWindowText},
    {"clcaptiontext", clCaptionText},
    {"clactiveborder", clActiveBorder},
    {"clinactiveborder", clInactiveBorder},
    {"clappworkspace", clAppWorkSpace},
    {"clhighlight", clHighlight},
    {"clhighlighttext", clHighlightText},
    {"clbtnface", clBtnFace},
    {"clbtnshadow", clBtnShadow},
    {"clgraytext", clGrayText},
    {"clbtntext", clBtnText},
    {"clinactivecaptiontext", clInactiveCaptionText},
    {"clbtnhighlight", clBtnHighlight},
    {"cl3ddkshadow", cl3DDkShadow},
    {"cl3dlight", cl3DLight},
    {"clinfotext", clInfoText},
    {"clinfobk", clInfoBk},
};

int hexDigit(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return 0;
}

// The pair at 0-based index at; a pair cut short by the end of the text counts 0.
int hexPair(const QString& text, int at)
{
    if (at + 2 > text.size())
        return 0;
    return 16 * hexDigit(text[at]) + hexDigit(text[at + 1]);
}

} // namespace

TColor ColorFromName(const QString& name)
{
    for (const TColorName& c : colorNames)
        if (name == QLatin1String(c.name))
            return c.color;
    return clBlack;
}

TColor HexToColor(const QString& text)
{
    return rgb(hexPair(text, 1), hexPair(text, 3), hexPair(text, 5));
}

void SetMarkupHighlightColors(TColor back, TColor text)
{
    HighlightBackColor = back;
    HighlightTextColor = text;
}

} // namespace grid::RizIVUDE
