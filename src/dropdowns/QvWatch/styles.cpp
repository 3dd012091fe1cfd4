// The clock's twelve style presets and the sixteen colour schemes, as tables. A preset is a
// reset of the look followed by an ordered list of writes, each through its setter (so each
// changed value repaints), then the two switches of the clock; the neon and sports groups are
// write lists with parameters that several presets share. A colour scheme is one table row
// written in a fixed order; the Obsidian scheme writes a list of its own.

#include "dropdowns/QvWatch.h"

#include <cmath>
#include <vector>

namespace dropdowns {

using namespace platform;
using grid::TVLXStyle;

namespace {

// What one write of a preset sets. The *OfSize writes take the control's smaller side: the
// value is the divisor in tenths (Round(min * 10 / value)) or, for MinuteMarkLengthOfSize, the
// integer divisor. The *IsBackground writes copy the background colour.
enum class W {
    AMPMFontName,
    AMPMFontSize,
    AMPMFontColor,
    HourFontName,
    HourFontSize,
    HourFontColor,
    HourFontBold,
    HourFontColorIsBackground,
    AMPMFrame,
    BorderWidth,
    BorderColor,
    BackgroundColor,
    BackgroundColorTo,
    BackgroundGradient,
    CenterPointColor,
    CenterPointSize,
    CenterPointSizeOfSize,
    CenterPointBorderColor,
    CenterPointOuterBorderColor,
    HourPointer,
    HourPointerShadow,
    HourPointerSize,
    MinutePointer,
    MinutePointerShadow,
    MinutePointerSize,
    SecondPointer,
    Shape,
    PointerStyle,
    TickMarks,
    HourMarkLength,
    HourMarkLengthOfSize,
    HourMarkWidth,
    HourMarkStyle,
    MinuteMarkLength,
    MinuteMarkLengthOfSize,
    HourColor,
    HourColorIsBackground,
    MinuteColor,
    AMPMColor,
    AMPMColorIsBackground,
    AMPMBorderColor,
    Animation,
    AnimationFactor
};

struct Step {
    W what;
    TColor value = 0;
    const char* name = nullptr;
};

Step font(W what, const char* name)
{
    return {what, 0, name};
}

enum class Switch { Off, On, Unchanged };

struct Preset {
    TWatchStyle style;
    std::vector<Step> steps;
    Switch showAMPM;
    Switch showNumbers;
};

std::vector<Step> join(std::initializer_list<std::vector<Step>> parts)
{
    std::vector<Step> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

std::vector<Step> neonGroup(TColor c, TWatchShape shape)
{
    return {{W::CenterPointSize, 20},
            {W::HourFontColor, clWindowText},
            {W::HourFontSize, 8},
            font(W::HourFontName, "MS Sans Serif"),
            {W::HourColor, c},
            {W::HourMarkLength, 10},
            {W::HourPointer, c},
            {W::HourPointerShadow, clBtnShadow},
            {W::HourPointerSize, 2},
            {W::MinuteColor, c},
            {W::MinutePointer, c},
            {W::MinutePointerShadow, clBtnShadow},
            {W::MinutePointerSize, 2},
            {W::Shape, TColor(shape)},
            {W::CenterPointOuterBorderColor, 0x000000},
            {W::HourMarkWidth, 2},
            {W::HourMarkStyle, hmsQuartDblLine}};
}

std::vector<Step> sportsGroup(TColor hourPointer, TColor shadow, TColor minutePointer, TColor secondPointer)
{
    return {{W::HourColor, 0xABB0B1},
            {W::HourFontColor, 0x797979},
            font(W::HourFontName, "Times New Roman"),
            {W::HourFontSize, 9},
            {W::HourPointer, hourPointer},
            {W::HourPointerShadow, shadow},
            {W::HourPointerSize, 2},
            {W::MinuteColor, 0x808080},
            {W::MinutePointer, minutePointer},
            {W::MinutePointerSize, 2},
            {W::MinutePointerShadow, shadow},
            {W::MinuteMarkLength, 1},
            {W::SecondPointer, secondPointer},
            {W::TickMarks, tmQuartHours}};
}

// clang-format off
const std::vector<Preset>& presets()
{
    static const std::vector<Preset> table = {
        {wsClassic, {
            font(W::AMPMFontName, "MS Sans Serif"), font(W::HourFontName, "Comic Sans MS"), {W::HourFontSize, 10},
            {W::HourFontBold, 1}, {W::HourMarkLength, 8}, {W::HourPointer, 0x000000},
            {W::HourPointerShadow, clBtnShadow}, {W::HourPointerSize, 5}, {W::MinutePointerShadow, clBtnShadow},
            {W::MinuteMarkLength, 4}, {W::Animation, 1}, {W::AnimationFactor, 10}},
         Switch::On, Switch::On},
        {wsTower, {
            font(W::AMPMFontName, "MS Sans Serif"), {W::AMPMFrame, apRect}, {W::BorderWidth, 1},
            {W::BackgroundColor, 0xB1F0FE}, {W::BackgroundColorTo, 0x54C9E7},
            {W::BackgroundGradient, wgDiagonalForward}, {W::CenterPointColor, 0x002BD5}, {W::CenterPointSize, 6},
            {W::HourFontColor, clWindowText}, font(W::HourFontName, "Century"), {W::HourFontBold, 1},
            {W::HourPointer, 0x000000}, {W::HourPointerShadow, clBtnShadow}, {W::HourPointerSize, 5},
            {W::MinutePointerShadow, clBtnShadow}, {W::SecondPointer, 0x002BD5}, {W::Shape, wsRect},
            {W::PointerStyle, psPointer}, {W::BackgroundColorTo, 0x5BCCE8}, {W::AMPMColorIsBackground},
            {W::TickMarks, tmHours}},
         Switch::Unchanged, Switch::Off},
        {wsFluorescent, join({{
            {W::AMPMFontColor, clWindowText}, {W::AMPMFontSize, 10}, font(W::AMPMFontName, "MS Sans Serif"),
            {W::AMPMFrame, apRoundRect}, {W::BorderColor, 0xFF3E3E}, {W::BackgroundColor, 0x000000},
            {W::BackgroundColorTo, 0x000000}, {W::CenterPointColor, 0xFF3E3E},
            {W::CenterPointBorderColor, 0x000000}, {W::CenterPointOuterBorderColor, 0x000000}},
            neonGroup(0xFF3E3E, wsRoundRect), {{W::TickMarks, tmHours}}}),
         Switch::Off, Switch::Off},
        {wsEmerald, {
            {W::AMPMFontColor, 0xA00000}, font(W::AMPMFontName, "MS Sans Serif"), {W::AMPMFrame, apRoundRect},
            {W::BorderColor, 0x3AE800}, {W::BackgroundColor, 0x3AE800}, {W::BackgroundColorTo, 0x000000},
            {W::BackgroundGradient, wgDiagonalForward}, {W::CenterPointBorderColor, 0x40FF00},
            {W::CenterPointColor, 0x38E100}, {W::CenterPointSize, 16}, {W::HourFontColor, clWindowText},
            font(W::HourFontName, "MS Sans Serif"), {W::HourPointer, 0x40FF00}, {W::HourPointerShadow, clBtnShadow},
            {W::HourPointerSize, 5}, {W::MinutePointer, 0x40FF00}, {W::MinutePointerShadow, clBtnShadow},
            {W::Shape, wsRect}, {W::PointerStyle, psPointer}, {W::AMPMColor, clNone},
            {W::HourFontColorIsBackground}, {W::CenterPointOuterBorderColor, 0x000000},
            {W::HourMarkStyle, hmsQuartDblLine}, {W::HourColorIsBackground}, {W::SecondPointer, 0x00FFFF},
            {W::TickMarks, tmHours}},
         Switch::Off, Switch::Off},
        {wsBlueStar, {
            {W::AMPMFontColor, 0xA00000}, {W::AMPMFontSize, 10}, font(W::AMPMFontName, "MS Sans Serif"),
            {W::AMPMBorderColor, clNone}, {W::AMPMFrame, apRoundRect}, {W::BorderColor, 0xFFD5D5},
            {W::BackgroundColor, 0xFFD5D5}, {W::BackgroundColorTo, 0xA00000}, {W::BackgroundGradient, wgRadial},
            {W::HourFontColor, clWindowText}, {W::HourFontSize, 8}, font(W::HourFontName, "MS Sans Serif"),
            {W::HourPointer, 0xA00000}, {W::HourPointerShadow, clBtnShadow}, {W::HourPointerSize, 5},
            {W::MinutePointer, 0xA00000}, {W::MinutePointerShadow, clBtnShadow}, {W::Shape, wsRoundRect},
            {W::PointerStyle, psPointer}, {W::AMPMColor, clNone}, {W::HourFontColorIsBackground}},
         Switch::On, Switch::On},
        {wsFuchsia, join({{
            {W::AMPMFontColor, clWindowText}, {W::AMPMFontSize, 10}, font(W::AMPMFontName, "MS Sans Serif"),
            {W::AMPMFrame, apRoundRect}, {W::BorderColor, 0xFFD0FF}, {W::BackgroundColor, 0x000000},
            {W::BackgroundColorTo, 0x000000}, {W::CenterPointBorderColor, 0xDD68DD}},
            neonGroup(0xFFD0FF, wsRect), {{W::SecondPointer, 0xDD68DD}, {W::TickMarks, tmQuartHours}}}),
         Switch::Off, Switch::Off},
        {wsBlack, {
            font(W::AMPMFontName, "MS Sans Serif"), {W::BackgroundColor, 0x202020}, {W::BackgroundColorTo, clNone},
            {W::BorderColor, 0x000000}, {W::CenterPointBorderColor, 0xFFFFFF},
            {W::CenterPointOuterBorderColor, 0xFFFFFF}, {W::CenterPointColor, 0xFFFFFF}, {W::HourColor, 0x585858},
            {W::HourFontColor, 0xFFFFFF}, font(W::HourFontName, "Century Gothic"), {W::HourFontSize, 11},
            {W::HourPointer, 0xFFFFFF}, {W::HourPointerShadow, clBtnShadow}, {W::HourPointerSize, 5},
            {W::MinuteColor, 0x585858}, {W::MinutePointer, 0xFFFFFF}, {W::MinutePointerShadow, clBtnShadow},
            {W::MinuteMarkLength, 4}},
         Switch::Off, Switch::On},
        {wsBlackWhite, {
            {W::BackgroundColor, 0xFFFFFF}, {W::BackgroundColorTo, clNone}, {W::BorderColor, 0x000000},
            {W::BorderWidth, 8}, {W::CenterPointBorderColor, 0x000000}, {W::CenterPointOuterBorderColor, 0x000000},
            {W::CenterPointColor, 0x000000}, {W::CenterPointSize, 8}, {W::HourColor, 0x585858},
            {W::HourFontColor, 0x000000}, font(W::HourFontName, "Century Gothic"), {W::HourFontSize, 14},
            {W::HourFontBold, 1}, {W::HourPointer, 0x000000}, {W::HourPointerShadow, clBtnShadow},
            {W::HourPointerSize, 5}, {W::MinutePointer, 0x000000}, {W::MinutePointerShadow, clBtnShadow},
            {W::MinuteMarkLength, 4}, {W::SecondPointer, 0x000080}, {W::PointerStyle, psPointer},
            {W::TickMarks, tmQuartHours}},
         Switch::Off, Switch::On},
        {wsGray, {
            font(W::AMPMFontName, "MS Sans Serif"), {W::AMPMFontSize, 10}, {W::BackgroundColor, 0xD1D1D1},
            {W::BackgroundColorTo, 0x6C6C6C}, {W::BackgroundGradient, wgRadial}, {W::BorderColor, 0x454545},
            {W::CenterPointBorderColor, 0x454545}, {W::CenterPointColor, 0x000000},
            {W::CenterPointOuterBorderColor, clNone}, {W::HourColor, 0x000000},
            font(W::HourFontName, "Comic Sans MS"), {W::HourFontSize, 8}, {W::HourPointer, 0x4E4E4E},
            {W::HourPointerShadow, clNone}, {W::HourPointerSize, 1}, {W::MinuteColor, 0x808080},
            {W::MinutePointer, 0x4E4E4E}, {W::MinutePointerShadow, clNone}, {W::MinutePointerSize, 1},
            {W::SecondPointer, 0x0000FF}},
         Switch::On, Switch::On},
        {wsSuperNova, {
            {W::BackgroundColorTo, 0xD1D3D3}, {W::BorderColor, clNone}, {W::CenterPointOuterBorderColor, 0x000000},
            {W::CenterPointSize, 10}, {W::HourMarkLengthOfSize, 45}, {W::HourPointer, 0x000000},
            {W::HourPointerShadow, clBtnShadow}, {W::MinuteColor, 0x808080}, {W::MinuteMarkLengthOfSize, 3},
            {W::MinutePointer, 0x000000}},
         Switch::Off, Switch::Off},
        {wsSports, join({{
            {W::BackgroundColor, 0x000000}, {W::BackgroundColorTo, clNone}, {W::BorderColor, 0x000000},
            {W::BorderWidth, 1}, {W::CenterPointBorderColor, 0xFF0000}, {W::CenterPointOuterBorderColor, 0x000000},
            {W::CenterPointColor, 0x191919}, {W::CenterPointSizeOfSize, 36}},
            sportsGroup(0x0000FF, clNone, 0x00FFFF, 0x188BFE)}),
         Switch::Off, Switch::On},
        {wsSmooth, join({{
            {W::BackgroundColor, 0xFFFFFF}, {W::BackgroundColorTo, 0xABB0B1}, {W::BorderColor, 0x585858},
            {W::BorderWidth, 1}, {W::CenterPointBorderColor, 0x000000}, {W::CenterPointOuterBorderColor, 0x4A4A4A},
            {W::CenterPointColor, 0xFFFFFF}, {W::CenterPointSize, 6}},
            sportsGroup(0x4A4A4A, 0xB2B2B2, 0x4A4A4A, 0x4A4A4A)}),
         Switch::Off, Switch::On},
    };
    return table;
}
// clang-format on

TFont with(TFont f, const Step& s)
{
    switch (s.what) {
    case W::AMPMFontName:
    case W::HourFontName:
        f.Name = QString::fromLatin1(s.name);
        break;
    case W::AMPMFontSize:
    case W::HourFontSize:
        f.Size = int(s.value);
        break;
    case W::HourFontBold:
        f.Style |= grid::fsBold;
        break;
    default:
        f.Color = s.value;
        break;
    }
    return f;
}

void apply(TQvWatch& watch, const Step& s)
{
    TWatchAppearance& a = watch.Appearance();
    const int side = std::min(watch.width(), watch.height());
    const int v = int(s.value);
    switch (s.what) {
    case W::AMPMFontName:
    case W::AMPMFontSize:
    case W::AMPMFontColor:
        a.SetAMPMFont(with(a.AMPMFont(), s));
        break;
    case W::HourFontName:
    case W::HourFontSize:
    case W::HourFontColor:
    case W::HourFontBold:
        a.SetHourFont(with(a.HourFont(), s));
        break;
    case W::HourFontColorIsBackground:
        a.SetHourFont(with(a.HourFont(), {W::HourFontColor, a.BackgroundColor()}));
        break;
    case W::AMPMFrame:
        a.SetAMPMFrame(TAMPMFrame(v));
        break;
    case W::BorderWidth:
        a.SetBorderWidth(v);
        break;
    case W::BorderColor:
        a.SetBorderColor(s.value);
        break;
    case W::BackgroundColor:
        a.SetBackgroundColor(s.value);
        break;
    case W::BackgroundColorTo:
        a.SetBackgroundColorTo(s.value);
        break;
    case W::BackgroundGradient:
        a.SetBackgroundGradient(TWatchGradient(v));
        break;
    case W::CenterPointColor:
        a.SetCenterPointColor(s.value);
        break;
    case W::CenterPointSize:
        a.SetCenterPointSize(v);
        break;
    case W::CenterPointSizeOfSize:
        a.SetCenterPointSize(int(std::nearbyint(side * 10.0 / v)));
        break;
    case W::CenterPointBorderColor:
        a.SetCenterPointBorderColor(s.value);
        break;
    case W::CenterPointOuterBorderColor:
        a.SetCenterPointOuterBorderColor(s.value);
        break;
    case W::HourPointer:
        a.SetHourPointer(s.value);
        break;
    case W::HourPointerShadow:
        a.SetHourPointerShadow(s.value);
        break;
    case W::HourPointerSize:
        a.SetHourPointerSize(v);
        break;
    case W::MinutePointer:
        a.SetMinutePointer(s.value);
        break;
    case W::MinutePointerShadow:
        a.SetMinutePointerShadow(s.value);
        break;
    case W::MinutePointerSize:
        a.SetMinutePointerSize(v);
        break;
    case W::SecondPointer:
        a.SetSecondPointer(s.value);
        break;
    case W::Shape:
        a.SetShape(TWatchShape(v));
        break;
    case W::PointerStyle:
        a.SetPointerStyle(TPointerStyle(v));
        break;
    case W::TickMarks:
        a.SetTickMarks(TTickMarks(v));
        break;
    case W::HourMarkLength:
        a.SetHourMarkLength(v);
        break;
    case W::HourMarkLengthOfSize:
        a.SetHourMarkLength(int(std::nearbyint(side * 10.0 / v)));
        break;
    case W::HourMarkWidth:
        a.SetHourMarkWidth(v);
        break;
    case W::HourMarkStyle:
        a.SetHourMarkStyle(THourMarkStyle(v));
        break;
    case W::MinuteMarkLength:
        a.SetMinuteMarkLength(v);
        break;
    case W::MinuteMarkLengthOfSize:
        a.SetMinuteMarkLength(side / v);
        break;
    case W::HourColor:
        a.SetHourColor(s.value);
        break;
    case W::HourColorIsBackground:
        a.SetHourColor(a.BackgroundColor());
        break;
    case W::MinuteColor:
        a.SetMinuteColor(s.value);
        break;
    case W::AMPMColor:
        a.SetAMPMColor(s.value);
        break;
    case W::AMPMColorIsBackground:
        a.SetAMPMColor(a.BackgroundColor());
        break;
    case W::AMPMBorderColor:
        a.SetAMPMBorderColor(s.value);
        break;
    case W::Animation:
        watch.SetAnimation(v != 0);
        break;
    case W::AnimationFactor:
        watch.SetAnimationFactor(v);
        break;
    }
}

// ---- colour schemes ---------------------------------------------------------------------------

struct WatchScheme {
    TVLXStyle style;
    TColor ampmBorder, ampm, background, backgroundTo, border, centerBorder, center, hands, shadow, second;
};

// clang-format off
constexpr WatchScheme kSchemes[] = {
    {grid::tsOffice2003Blue,    0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
    {grid::tsOffice2003Silver,  0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    {grid::tsOffice2003Olive,   0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    {grid::tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {grid::tsOffice2007Luna,    0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
    {grid::tsWindowsXP,         0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0x000000},
    {grid::tsWhidbey,           0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    {grid::tsOffice2007Silver,  0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
    {grid::tsWindowsVista,      0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
    {grid::tsWindows7,          0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    {grid::tsTerminal,          0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {grid::tsOffice2010Blue,    0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
    {grid::tsOffice2010Silver,  0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    {grid::tsOffice2010Black,   0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
};
// clang-format on

TFont colored(TFont f, TColor c)
{
    f.Color = c;
    return f;
}

void applyObsidian(TWatchAppearance& a)
{
    a.SetAMPMBorderColor(0xF2F1F0);
    a.SetAMPMColor(0x5C534C);
    a.SetAMPMFont(colored(a.AMPMFont(), 0xF2F1F0));
    a.SetBackgroundColor(0x5C534C);
    a.SetBackgroundColorTo(0x5C534C);
    a.SetBorderColor(0xF2F1F0);
    a.SetCenterPointBorderColor(0xFFEFE3);
    a.SetCenterPointColor(0xFFEFE3);
    a.SetHourColor(0xF2F1F0);
    a.SetMinuteColor(0xF2F1F0);
    a.SetHourPointerShadow(0xFFFFFF);
    a.SetHourPointer(0xF2F1F0);
    a.SetMinutePointerShadow(0xFFFFFF);
    a.SetMinutePointer(0xF2F1F0);
    a.SetSecondPointer(0xF2F1F0);
    a.SetHourFont(colored(a.HourFont(), 0xF2F1F0));
}

} // namespace

void TQvWatch::SetStyle(TWatchStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    for (const Preset& preset : presets()) {
        if (preset.style != v)
            continue;
        FAppearance.Reset();
        for (const Step& step : preset.steps)
            apply(*this, step);
        if (preset.showAMPM != Switch::Unchanged)
            SetShowAMPM(preset.showAMPM == Switch::On);
        if (preset.showNumbers != Switch::Unchanged)
            SetShowNumbers(preset.showNumbers == Switch::On);
        break;
    }
    // The reset itself notifies nobody.
    Invalidate();
}

void TQvWatch::SetComponentStyle(TVLXStyle style)
{
    FVLXStyle = style;
    ApplyWatchColorScheme(FAppearance, style);
}

void ApplyWatchColorScheme(TWatchAppearance& a, TVLXStyle style)
{
    a.SetCenterPointOuterBorderColor(0x000000);
    a.SetHourFont(colored(a.HourFont(), 0x000000));
    a.SetAMPMFont(colored(a.AMPMFont(), 0x000000));
    if (style == grid::tsCustom)
        return;
    if (style == grid::tsOffice2007Obsidian) {
        applyObsidian(a);
        return;
    }
    for (const WatchScheme& s : kSchemes) {
        if (s.style != style)
            continue;
        a.SetAMPMBorderColor(s.ampmBorder);
        a.SetAMPMColor(s.ampm);
        a.SetBackgroundColor(s.background);
        a.SetBackgroundColorTo(s.backgroundTo);
        a.SetBorderColor(s.border);
        a.SetCenterPointBorderColor(s.centerBorder);
        a.SetCenterPointColor(s.center);
        a.SetHourColor(s.hands);
        a.SetMinuteColor(s.hands);
        a.SetHourPointerShadow(s.shadow);
        a.SetHourPointer(s.hands);
        a.SetMinutePointerShadow(s.shadow);
        a.SetMinutePointer(s.hands);
        a.SetSecondPointer(s.second);
        return;
    }
}

} // namespace dropdowns
