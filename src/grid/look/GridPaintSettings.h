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

// The picture or gradient behind the cells. Every setter repaints the whole grid, the same
// value too, so a program can force a repaint after changing the picture it handed in.
class TBackGround {
public:
    explicit TBackGround(TQvStringGrid* grid) : FGrid(grid) {}

    const TBitmap& Bitmap() const { return FBitmap; }
    void SetBitmap(const TBitmap& v)
    {
        FBitmap = v;
        Changed();
    }
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay v)
    {
        FDisplay = v;
        Changed();
    }
    TBackGroundCells Cells() const { return FBackgroundCells; }
    void SetCells(TBackGroundCells v)
    {
        FBackgroundCells = v;
        Changed();
    }
    int Left() const { return FLeft; }
    void SetLeft(int v)
    {
        FLeft = v;
        Changed();
    }
    int Top() const { return FTop; }
    void SetTop(int v)
    {
        FTop = v;
        Changed();
    }
    TColor Color() const { return FColor; } // gradient start
    void SetColor(TColor v)
    {
        FColor = v;
        Changed();
    }
    TColor ColorTo() const { return FColorTo; } // gradient end; clNone: no gradient
    void SetColorTo(TColor v)
    {
        FColorTo = v;
        Changed();
    }

private:
    void Changed();

    TQvStringGrid* FGrid;
    TBitmap FBitmap;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FBackgroundCells = bcNormal;
    int FLeft = 0;
    int FTop = 0;
    TColor FColor = platform::clWindow;
    TColor FColorTo = platform::clBtnFace;
};

// The mark of rows changed by editing, toggling, pasting or replacing: a bar at the right of
// the row's cell in column 0. The grid binds OnChange to repaint that column.
class TShowModified : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TShowModified"); }
    void Assign(const TPersistent& source)
    {
        if (auto* src = dynamic_cast<const TShowModified*>(&source)) {
            SetColor(src->FColor);
            Enabled = src->Enabled;
        }
    }
    bool Enabled = false; // read when a row changes; the mark shows from the next change on
    TColor Color() const { return FColor; }
    void SetColor(TColor v)
    {
        FColor = v;
        if (OnChange)
            OnChange(this);
    }
    TNotifyEvent OnChange;

private:
    TColor FColor = 0x0000FFFF; // yellow
};

struct TGridPaintSettings {
    explicit TGridPaintSettings(TQvStringGrid* grid) : ControlLook(grid), SortSettings(grid), BackGround(grid) {}
    TGridPaintSettings(const TGridPaintSettings&) = delete;
    TGridPaintSettings& operator=(const TGridPaintSettings&) = delete;

    // Cell controls (the grid's ControlLook()).
    TControlLook ControlLook;

    // The sort header and its indicator (the grid's SortSettings()).
    TSortSettings SortSettings;

    // Modified rows (the grid's ShowModified()).
    TShowModified ShowModified;

    // The grid's BackGround().
    TBackGround BackGround;

    // The filter-row buttons' glyphs are the grid's TFilterDropDown (FilterDropDown()).
    int FilterDropDownRow = 0;

    bool NoDefaultDraw = false;
    bool NoImageAndText = false;
    bool Multilinecells = false;
    bool EnhTextSize = false;
    bool URLShow = false;
    bool URLFull = false;
    bool XYOffsetTopLeftOnly = false;
};

} // namespace grid
