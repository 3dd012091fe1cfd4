#include "platform/VisualStyles.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <array>

namespace platform {

namespace {

// The entry points the table control calls; the library's other exports are never needed.
constexpr std::array<std::string_view, 5> kEntries = {"OpenThemeData", "CloseThemeData", "DrawThemeBackground",
                                                      "IsThemeActive", "GetCurrentThemeName"};

QStyle* styleOf(QWidget* window)
{
    return window ? window->style() : QApplication::style();
}

// Normal, hot, pressed, disabled as the library counts them (1..4) to style state flags.
QStyle::State stateFlags(int s)
{
    QStyle::State st = QStyle::State_Enabled;
    switch (s) {
    case 2:
        st |= QStyle::State_MouseOver;
        break;
    case 3:
        st |= QStyle::State_Sunken;
        break;
    case 4:
        st &= ~QStyle::State_Enabled;
        break;
    default:
        break;
    }
    return st;
}

void initOption(QStyleOption& opt, QWidget* window, const QRect& rect, int s)
{
    if (window)
        opt.initFrom(window);
    opt.rect = rect;
    opt.state = stateFlags(s);
}

} // namespace

QtVisualStyles::QtVisualStyles(bool themeActive) : active(themeActive) {}

bool QtVisualStyles::hasEntry(std::string_view name) const
{
    for (auto e : kEntries)
        if (e == name)
            return true;
    return false;
}

HTHEME QtVisualStyles::openThemeData(QWidget* window, const QString& classList)
{
    for (const QString& raw : classList.split(QLatin1Char(';'))) {
        for (const QString& part : raw.split(QLatin1Char(','))) {
            const QString name = part.trimmed().toLower();
            ThemeClass cls;
            if (name == QLatin1String("button"))
                cls = ThemeClass::Button;
            else if (name == QLatin1String("combobox"))
                cls = ThemeClass::ComboBox;
            else if (name == QLatin1String("spin"))
                cls = ThemeClass::Spin;
            else if (name == QLatin1String("header"))
                cls = ThemeClass::Header;
            else if (name == QLatin1String("progress"))
                cls = ThemeClass::Progress;
            else
                continue;
            const HTHEME h = nextHandle++;
            themes[h] = {cls, window};
            return h;
        }
    }
    return 0;
}

bool QtVisualStyles::closeThemeData(HTHEME theme)
{
    return themes.erase(theme) > 0;
}

bool QtVisualStyles::drawThemeBackground(HTHEME theme, QPainter& canvas, int part, int state, const QRect& rect)
{
    const auto it = themes.find(theme);
    if (it == themes.end())
        return false;
    QWidget* w = it->second.window;
    QStyle* style = styleOf(w);
    using namespace platform::theme;
    switch (it->second.cls) {
    case ThemeClass::Button: {
        QStyleOptionButton opt;
        if (part == BP_PUSHBUTTON) {
            initOption(opt, w, rect, state == PBS_DEFAULTED ? PBS_NORMAL : state);
            if (state == PBS_DEFAULTED)
                opt.features |= QStyleOptionButton::DefaultButton;
            style->drawControl(QStyle::CE_PushButtonBevel, &opt, &canvas, w);
            return true;
        }
        if (part == BP_CHECKBOX || part == BP_RADIOBUTTON) {
            // States run in groups of four: unchecked, checked, then (check boxes) mixed.
            const int group = (state - 1) / 4;
            initOption(opt, w, rect, (state - 1) % 4 + 1);
            opt.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
            style->drawPrimitive(part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                                 &opt, &canvas, w);
            return true;
        }
        return false;
    }
    case ThemeClass::ComboBox: {
        if (part != CP_DROPDOWNBUTTON)
            return false;
        QStyleOptionButton panel;
        initOption(panel, w, rect, state);
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &panel, &canvas, w);
        QStyleOption arrow;
        initOption(arrow, w, rect, state);
        style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &canvas, w);
        return true;
    }
    case ThemeClass::Spin: {
        if (part != SPNP_UP && part != SPNP_DOWN)
            return false;
        QStyleOptionButton panel;
        initOption(panel, w, rect, state);
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &panel, &canvas, w);
        QStyleOption arrow;
        initOption(arrow, w, rect, state);
        style->drawPrimitive(part == SPNP_UP ? QStyle::PE_IndicatorSpinUp : QStyle::PE_IndicatorSpinDown, &arrow,
                             &canvas, w);
        return true;
    }
    case ThemeClass::Header: {
        if (part != HP_HEADERITEM)
            return false;
        QStyleOptionHeader opt;
        initOption(opt, w, rect, state);
        style->drawControl(QStyle::CE_HeaderSection, &opt, &canvas, w);
        return true;
    }
    case ThemeClass::Progress: {
        if (part < PP_BAR || part > PP_CHUNKVERT)
            return false;
        QStyleOptionProgressBar opt;
        initOption(opt, w, rect, state);
        opt.state |= QStyle::State_Horizontal;
        if (part == PP_BARVERT || part == PP_CHUNKVERT)
            opt.state &= ~QStyle::State_Horizontal;
        opt.minimum = 0;
        opt.maximum = 100;
        opt.progress = 100;
        if (part == PP_BAR || part == PP_BARVERT)
            style->drawControl(QStyle::CE_ProgressBarGroove, &opt, &canvas, w);
        else
            style->drawPrimitive(QStyle::PE_IndicatorProgressChunk, &opt, &canvas, w);
        return true;
    }
    }
    return false;
}

bool QtVisualStyles::getCurrentThemeName(QString& fileName, QString& colorScheme, QString& sizeName) const
{
    if (!active)
        return false;
    const QString name = QApplication::style() ? QApplication::style()->name() : QString();
    fileName = name;
    colorScheme = name;
    sizeName = QStringLiteral("NormalSize");
    return true;
}

VisualStyles& defaultVisualStyles()
{
    static QtVisualStyles instance(true);
    return instance;
}

} // namespace platform
