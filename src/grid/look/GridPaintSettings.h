#pragma once
// Switches of the cell painter that the grid does not carry as properties of its own: the
// control look and the sort settings (the grid's ControlLook() and SortSettings()),
// modified-cell marks, the background picture, filter glyphs and the text switches (URLs,
// multi-line cells). The string grid owns one TGridPaintSettings
// and hands it out through PaintSettings(); its model and input code read the switches there,
// and the painter (paint/GridPaint.h) holds a reference to the same object.

#include "grid/GridTypes.h"
#include "grid/QvObj.h"
#include "grid/look/GridLooks.h"

namespace grid {

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

struct TGridPaintSettings {
    explicit TGridPaintSettings(TQvStringGrid* grid) : ControlLook(grid), SortSettings(grid) {}
    TGridPaintSettings(const TGridPaintSettings&) = delete;
    TGridPaintSettings& operator=(const TGridPaintSettings&) = delete;

    // Cell controls (the grid's ControlLook()).
    TControlLook ControlLook;

    // The sort header and its indicator (the grid's SortSettings()).
    TSortSettings SortSettings;

    struct TShowModified {
        bool Enabled = false;
        TColor Color = 0x0000FF;
    } ShowModified;

    struct TBackGround {
        TBitmap Bitmap;
        TBackGroundDisplay Display = bdTile;
        TBackGroundCells BackgroundCells = bcNormal;
        int Left = 0;
        int Top = 0;
        TColor Color = platform::clWhite;
        TColor ColorTo = clNone;
    } BackGround;

    // The filter-row buttons' glyphs are the grid's TFilterDropDown (FilterDropDown()).
    int FilterDropDownRow = 0;
    bool FilterDropDownActive = false; // the filter row shows drop-down glyphs

    bool NoDefaultDraw = false;
    bool NoImageAndText = false;
    bool Multilinecells = false;
    bool EnhTextSize = false;
    bool URLShow = false;
    bool URLFull = false;
    bool XYOffsetTopLeftOnly = false;
};

} // namespace grid
