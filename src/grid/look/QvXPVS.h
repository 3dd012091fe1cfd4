#pragma once
// The table control's table of visual-styles entry points. Painters never talk to the
// visual-styles implementation directly: they read an entry of GridThemeApi and call it, and
// take their classic look whenever the table is unbound or no theme is active.
//
// Only the five entries the control ever calls are bound. When the implementation lacks one of
// them the binding reports the theme as unavailable and leaves every entry empty, so start-up
// goes on and every painter draws classic.

#include "platform/VisualStyles.h"

#include <QString>

#include <functional>

class QPainter;
class QWidget;

namespace grid {

using platform::HTHEME;

struct TThemeApi {
    std::function<HTHEME(QWidget* window, const QString& classList)> OpenThemeData;
    std::function<bool(HTHEME theme)> CloseThemeData;
    std::function<bool(HTHEME theme, QPainter& canvas, int part, int state, const QRect& rect)> DrawThemeBackground;
    std::function<bool()> IsThemeActive;
    // Bound in the grid's table only.
    std::function<bool(QString& fileName, QString& colorScheme, QString& sizeName)> GetCurrentThemeName;

    platform::VisualStyles* Library = nullptr;
    bool Loaded = false;
};

// Fills `api` from `library` (the entries named in `names`); returns false and leaves the
// table empty and unloaded when the library is null or lacks one of them. A loaded table is
// left as it is.
bool BindThemeTable(TThemeApi& api, platform::VisualStyles* library, bool withThemeName);
void ReleaseThemeTable(TThemeApi& api);
// Checked call of the table's IsThemeActive: false while unbound.
bool ThemeTableActive(const TThemeApi& api);

extern TThemeApi GridThemeApi;

// Binds GridThemeApi, by default to the process's visual-styles implementation (which the
// program does once as it loads; tests bind their own). Returns
// whether a theme can be used; false means "theme unavailable" and the classic look.
bool BindGridThemeApi();
bool BindGridThemeApi(platform::VisualStyles& library);
void ReleaseGridThemeApi();

// Whether painters should take the themed path: the table is bound and a theme is active.
bool IsThemeActive();

// Opens a theme class for a window, draws one part and closes it again; false (nothing drawn)
// when no theme is active or the class or part is unknown, so the caller draws classic.
bool DrawThemedPart(const TThemeApi& api, QWidget* window, const QString& themeClass, QPainter& canvas, int part,
                    int state, const QRect& rect);

} // namespace grid
