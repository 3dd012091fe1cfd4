#pragma once
// The drop-down controls' own table of visual-styles entry points (the same layout as the
// grid's, without the theme-name entry), and the banded gradient those controls paint with.

#include "grid/GridTypes.h"
#include "grid/look/QvXPVS.h"

class QPainter;

namespace grid {

extern TThemeApi DropDownThemeApi;

bool BindThemeApi();
bool BindThemeApi(platform::VisualStyles& library);
void ReleaseThemeApi();

// Exactly `count` bands from `from` towards `to` (the last band stops one step short of `to`);
// a count of 0 counts as 1. Bands are not clipped to r. clNone is not handled: callers pass
// real colours.
void FillGradientRect(QPainter& canvas, TColor from, TColor to, bool horizontal, const TRect& r, int count);

} // namespace grid
