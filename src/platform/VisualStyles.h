#pragma once
// Stand-in for the desktop's visual-styles library: open a theme for a class name, draw a part
// of it in a state, ask whether a theme is active and what it is called. The production
// implementation draws through the widget's QStyle; whether a theme counts as active is chosen
// when the object is built, so tests can run the themed and the classic paths side by side.

#include <QRect>
#include <QString>

#include <cstdint>
#include <map>
#include <string_view>

class QPainter;
class QWidget;

namespace platform {

// Theme handle as the library hands it out; 0 is no theme.
using HTHEME = std::uintptr_t;

// Part and state numbers of the classes this implementation knows, as the library numbers them.
namespace theme {
// "button"
inline constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
inline constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// Check boxes: unchecked 1..4, checked 5..8, mixed 9..12 (normal, hot, pressed, disabled);
// radio buttons use 1..8 the same way.
inline constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9;
// "combobox"
inline constexpr int CP_DROPDOWNBUTTON = 1;
inline constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
// "spin"
inline constexpr int SPNP_UP = 1, SPNP_DOWN = 2;
inline constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
// "header"
inline constexpr int HP_HEADERITEM = 1;
inline constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
// "progress"
inline constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
} // namespace theme

class VisualStyles {
public:
    virtual ~VisualStyles() = default;
    // True when the implementation offers the entry point of that export name.
    virtual bool hasEntry(std::string_view name) const = 0;
    virtual bool isThemeActive() const = 0;
    // Theme of a comma-separated class list for a window (which may be null); 0 when no class
    // of the list is known.
    virtual HTHEME openThemeData(QWidget* window, const QString& classList) = 0;
    virtual bool closeThemeData(HTHEME theme) = 0;
    // False for an unknown handle or a part the class lacks.
    virtual bool drawThemeBackground(HTHEME theme, QPainter& canvas, int part, int state, const QRect& rect) = 0;
    virtual bool getCurrentThemeName(QString& fileName, QString& colorScheme, QString& sizeName) const = 0;
};

// Draws push buttons, radio buttons, check boxes, combo drop-down buttons, spin buttons, header
// items and progress bars with the window's style (the application style without a window).
class QtVisualStyles : public VisualStyles {
public:
    explicit QtVisualStyles(bool themeActive = true);

    bool hasEntry(std::string_view name) const override;
    bool isThemeActive() const override { return active; }
    HTHEME openThemeData(QWidget* window, const QString& classList) override;
    bool closeThemeData(HTHEME theme) override;
    bool drawThemeBackground(HTHEME theme, QPainter& canvas, int part, int state, const QRect& rect) override;
    bool getCurrentThemeName(QString& fileName, QString& colorScheme, QString& sizeName) const override;

    // Themes opened and not yet closed.
    int openThemes() const { return int(themes.size()); }

private:
    enum class ThemeClass { Button, ComboBox, Spin, Header, Progress };
    struct Theme {
        ThemeClass cls;
        QWidget* window;
    };
    bool active;
    HTHEME nextHandle = 1;
    std::map<HTHEME, Theme> themes;
};

// The process's production instance (themes active).
VisualStyles& defaultVisualStyles();

} // namespace platform
