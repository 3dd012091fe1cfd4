#pragma once
// Switches of the cell painter that the grid does not carry as properties of its own: cell
// control looks, the sort header, modified-cell marks, the background picture, filter glyphs
// and the text switches (URLs, multi-line cells). The string grid owns one TGridPaintSettings
// and hands it out through PaintSettings(); its model and input code read the switches there,
// and the painter (paint/GridPaint.h) holds a reference to the same object.

#include "grid/GridTypes.h"
#include "grid/QvObj.h"
#include "grid/look/GridLooks.h"

namespace grid {

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TPaintSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };

struct TGridPaintSettings {
    // Cell controls.
    struct TControlLook {
        TControlStyle ControlStyle = csTheme;
        TColor Color = platform::clBlack;
        TColor CommentColor = 0x0000FF;
        TColor ProgressBorderColor = 0x808080;
        int CheckBoxSize = 15;
        int RadioSize = 10;
        bool FlatButton = false;
        int ProgressMarginX = 2;
        int ProgressMarginY = 2;
        bool ProgressXP = false;
        bool DropDownAlwaysVisible = false;
        bool SpinButtonsAlwaysVisible = false;
        bool NoDisabledCheckRadioLook = false;
        bool NoDisabledButtonLook = false;
        bool CheckAlwaysActive = false;
        bool RadioAlwaysActive = false;
        bool FixedDropdownButton = false;
        TBitmap CheckedGlyph, UnCheckedGlyph, RadioOnGlyph, RadioOffGlyph;
        // Hot-tracked and pressed header gradients.
        TColor FixedGradientHoverFrom = 0x808080, FixedGradientHoverTo = 0xFFFFFF;
        TColor FixedGradientHoverMirrorFrom = clNone, FixedGradientHoverMirrorTo = clNone;
        TColor FixedGradientHoverBorder = 0xC0C0C0;
        TColor FixedGradientDownFrom = 0x808080, FixedGradientDownTo = 0xC0C0C0;
        TColor FixedGradientDownMirrorFrom = clNone, FixedGradientDownMirrorTo = clNone;
        TColor FixedGradientDownBorder = 0x808080;
    } ControlLook;

    // The sort header and its indicator.
    struct TSortSettings {
        int Column = -1;
        int Row = 0;
        bool Show = false;
        bool IndexShow = false;
        TColor IndexColor = 0xFFFF00; // aqua
        bool FixedCols = false;
        TPaintSortDirection Direction = sdAscending;
        TBitmap UpGlyph, DownGlyph, IndexUpGlyph, IndexDownGlyph;

        // How rows are compared and moved (QvGrid/sort.cpp) and what a header click does
        // (input/GridInput/mouse.cpp).
        bool Full = true;                // ties go on to the next columns or sort keys
        bool SingleColumn = false;       // only the sort column's cells move
        bool IgnoreBlanks = false;       // empty cells go to BlankPos whatever the direction
        TSortBlankPosition BlankPos = blFirst;
        bool AutoFormat = true;          // the style is detected from the texts
        bool IgnoreCase = false;
        bool NormalCellsOnly = false;    // with fixed columns, column 0 keeps its texts
        bool SortOnVirtualCells = true;  // compare the display texts
        bool AutoSortForGrouping = true;
        TPaintSortDirection InitSortDirection = sdAscending;
        bool UndoSort = false;           // a third click on the sort column unsorts
        TIndexSortKey IndexSortKey = ikShift;
        bool AutoColumnMerge = false;
    } SortSettings;

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
