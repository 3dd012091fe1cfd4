// The cell graphic object and the per-cell properties.

#include "grid/BaseGrid.h"

#include <cmath>

namespace grid {

// ---- TCellGraphic --------------------------------------------------------------------------

TCellGraphic::~TCellGraphic()
{
    freeObjects();
}

bool TCellGraphic::OwnsBitmap() const
{
    if (!FCellBitmap)
        return false;
    switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        return FCellCreated;
    case ctImages:
    case ctBalloon:
        return true;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        return FCellAngle == 1; // a balloon text list is attached
    default:
        return false;
    }
}

bool TCellGraphic::OwnsIcon() const
{
    return FCellIcon && FCellType == ctIcon && FCellCreated;
}

void TCellGraphic::freeObjects()
{
    if (OwnsBitmap())
        delete FCellBitmap;
    if (OwnsIcon())
        delete FCellIcon;
    FCellBitmap = nullptr;
    FCellIcon = nullptr;
}

void TCellGraphic::SetBitmap(TBitmap* bmp, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctBitmap;
    FCellBitmap = bmp;
    FCellTransparent = transparent;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetIcon(TIcon* icon, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctIcon;
    FCellIcon = icon;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctImageList;
    FCellIndex = idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctDataImage;
    FCellIndex = idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetMultiImage(int col, int row, int dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent notifier)
{
    FCellType = ctImages;
    FCellHAlign = hal;
    FCellVAlign = val;
    FCellBoolean = dir == 0;
    auto list = std::make_unique<TIntList>(col, row);
    list->OnChange = std::move(notifier);
    FCellBitmap = list.release();
    FCellCreated = true;
}

void TCellGraphic::SetPicture(TPicture* picture, bool transparent, TStretchMode stretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctPicture;
    FCellBitmap = picture;
    FCellTransparent = transparent;
    FCellAngle = stretchMode;
    FCellIndex = padding;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* picture, bool transparent, TStretchMode stretchMode, int padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPicture(nullptr, transparent, stretchMode, padding, hal, val);
    FCellType = ctFilePicture;
    FCellBitmap = picture;
}

void TCellGraphic::SetCheckBox(bool value, bool data, bool flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = data ? ctDataCheckBox : ctCheckBox;
    FCellAngle = 0;
    FCellBoolean = value;
    FCellTransparent = flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetCheckBox(TCheckBoxState value, bool flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctTriStateCheckBox;
    FCellCheckBoxState = value;
    FCellBoolean = false;
    FCellTransparent = flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool value, bool flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctRadioButton;
    FCellAngle = 0;
    FCellBoolean = value;
    FCellTransparent = flat;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const QString& caption, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctButton;
    FCellHAlign = hal;
    FCellVAlign = val;
    FCellIndex = int((std::uint32_t(bh) & 0xFFFF) << 16 | (std::uint32_t(bw) & 0xFFFF));
    FCellBoolean = false;
    FCellText = caption;
}

void TCellGraphic::SetBitButton(int bw, int bh, const QString& caption, TBitmap* glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    FCellType = ctBitButton;
    FCellBitmap = glyph;
}

void TCellGraphic::SetAngle(short angle)
{
    FCellType = ctRotated;
    int a = angle;
    while (a < 0)
        a += 360;
    while (a > 360)
        a -= 360;
    FCellAngle = a;
}

void TCellGraphic::SetInterfacedCell(TObject* object)
{
    FCellType = ctInterface;
    FCellBitmap = object;
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool) const
{
    int w = 0, h = 0;
    if (FCellType == ctPicture) {
        if (auto* p = dynamic_cast<const TBitmap*>(FCellBitmap)) {
            w = p->Width();
            h = p->Height();
        }
    } else if (FCellType == ctFilePicture) {
        if (auto* p = dynamic_cast<const TFilePicture*>(FCellBitmap)) {
            w = p->Width();
            h = p->Height();
        }
    }
    cw -= FCellIndex;
    rh -= FCellIndex;
    auto aspect = [&](bool limit) {
        double fx = w > 0 ? double(cw) / w : 1.0;
        double fy = h > 0 ? double(rh) / h : 1.0;
        if (limit) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fx < fy)
            return TPoint{cw, int(std::nearbyint(h * fx))};
        return TPoint{int(std::nearbyint(w * fy)), rh};
    };
    switch (FCellAngle) {
    case Stretch:
        return {cw, rh};
    case StretchWithAspectRatio:
        return aspect(false);
    case Shrink:
        if (w <= cw && h <= rh)
            return {w, h};
        return {cw, rh};
    case ShrinkWithAspectRatio:
        if (w <= cw && h <= rh)
            return {w, h};
        return aspect(true);
    default:
        return {w, h};
    }
}

void TCellGraphic::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TCellGraphic*>(&source);
    if (!src || src == this)
        return;
    freeObjects();
    FCellType = src->FCellType;
    FCellVAlign = src->FCellVAlign;
    FCellHAlign = src->FCellHAlign;
    FCellIndex = src->FCellIndex;
    FCellTransparent = src->FCellTransparent;
    FCellValue = src->FCellValue;
    FCellAngle = src->FCellAngle;
    FCellBoolean = src->FCellBoolean;
    FCellErrFrom = src->FCellErrFrom;
    FCellErrLen = src->FCellErrLen;
    FCellText = src->FCellText;
    FCellCreated = src->FCellCreated;
    FCellBitmapColor = src->FCellBitmapColor;
    FCellIconColor = src->FCellIconColor;
    // Copying the ownership flag without the object made the copy free what it never held;
    // an owned object is duplicated instead, a referenced one is referenced here too.
    auto copyObject = [](TObject* obj, bool owned) -> TObject* {
        if (!obj || !owned)
            return obj;
        std::unique_ptr<TObject> c = obj->Clone();
        return c.release();
    };
    FCellBitmap = copyObject(src->FCellBitmap, src->OwnsBitmap());
    FCellIcon = copyObject(src->FCellIcon, src->OwnsIcon());
}

// ---- TCellProperties -----------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* owner, int col, int row)
    : FOwnerGrid(owner), FOwnerCol(col), FOwnerRow(row), FWordWrap(owner ? owner->FWordWrap : true)
{
    if (owner)
        owner->FHasCellProps = true;
}

void TCellProperties::repaint()
{
    if (FOwnerGrid)
        FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    repaint();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    repaint();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    repaint();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    repaint();
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1)
        return {c - FCellSpanX, r - FCellSpanY};
    return {c, r};
}

void TCellProperties::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TCellProperties*>(&source);
    if (!src)
        return;
    FIsBaseCell = src->FIsBaseCell;
    FCellSpanX = src->FCellSpanX;
    FCellSpanY = src->FCellSpanY;
    FOwnerRow = src->FOwnerRow;
    FOwnerCol = src->FOwnerCol;
    FObject = src->FObject;
    FAlignment = src->FAlignment;
    FBorderColor = src->FBorderColor;
    FBorderWidth = src->FBorderWidth;
    FBrushColor = src->FBrushColor;
    FBrushStyle = src->FBrushStyle;
    FFontColor = src->FFontColor;
    FFontStyle = src->FFontStyle;
    FFontName = src->FFontName;
    FFontSize = src->FFontSize;
    FReadOnly = src->FReadOnly;
    FEditor = src->FEditor;
    FVAlignment = src->FVAlignment;
    FWordWrap = src->FWordWrap;
    FNodeLevel = src->FNodeLevel;
    FControl = src->FControl;
}

} // namespace grid
