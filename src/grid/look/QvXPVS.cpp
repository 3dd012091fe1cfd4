#include "grid/look/QvXPVS.h"

#include <QDebug>

namespace grid {

TThemeApi GridThemeApi;

namespace {

// The table is bound when the program loads, before any window exists, and released at exit
// after the last window is gone.
struct UnitLifetime {
    UnitLifetime() { BindGridThemeApi(); }
    ~UnitLifetime() { ReleaseGridThemeApi(); }
} unitLifetime;

} // namespace

bool BindThemeTable(TThemeApi& api, platform::VisualStyles* library, bool withThemeName)
{
    if (api.Loaded)
        return true;
    api = TThemeApi{};
    if (!library)
        return false;
    const char* needed[] = {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "IsThemeActive",
                            "GetCurrentThemeName"};
    const int count = withThemeName ? 5 : 4;
    for (int i = 0; i < count; ++i) {
        if (!library->hasEntry(needed[i])) {
            qWarning("theme unavailable: the visual-styles implementation lacks %s", needed[i]);
            return false;
        }
    }
    api.Library = library;
    api.OpenThemeData = [library](QWidget* w, const QString& cls) { return library->openThemeData(w, cls); };
    api.CloseThemeData = [library](HTHEME t) { return library->closeThemeData(t); };
    api.DrawThemeBackground = [library](HTHEME t, QPainter& c, int part, int state, const QRect& r) {
        return library->drawThemeBackground(t, c, part, state, r);
    };
    api.IsThemeActive = [library] { return library->isThemeActive(); };
    if (withThemeName)
        api.GetCurrentThemeName = [library](QString& f, QString& c, QString& s) {
            return library->getCurrentThemeName(f, c, s);
        };
    api.Loaded = true;
    return true;
}

void ReleaseThemeTable(TThemeApi& api)
{
    if (!api.Loaded)
        return;
    api = TThemeApi{};
}

bool ThemeTableActive(const TThemeApi& api)
{
    return api.Loaded && api.IsThemeActive && api.IsThemeActive();
}

bool BindGridThemeApi()
{
    return BindGridThemeApi(platform::defaultVisualStyles());
}

bool BindGridThemeApi(platform::VisualStyles& library)
{
    return BindThemeTable(GridThemeApi, &library, true);
}

void ReleaseGridThemeApi()
{
    ReleaseThemeTable(GridThemeApi);
}

bool IsThemeActive()
{
    return ThemeTableActive(GridThemeApi);
}

bool DrawThemedPart(const TThemeApi& api, QWidget* window, const QString& themeClass, QPainter& canvas, int part,
                    int state, const QRect& rect)
{
    if (!ThemeTableActive(api))
        return false;
    const HTHEME theme = api.OpenThemeData(window, themeClass);
    if (!theme)
        return false;
    const bool drawn = api.DrawThemeBackground(theme, canvas, part, state, rect);
    api.CloseThemeData(theme);
    return drawn;
}

} // namespace grid
