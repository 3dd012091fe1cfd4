// Cell objects: the Add / Create / Remove / Has / Get family of every graphic kind a cell can
// show beside its text, the link settings, the look identifiers and the hooks of rating clicks
// and picker editors.
//
// Every Add and Create goes through CreateCellGraphic, which frees the cell's previous graphic;
// every Remove goes through RemoveCellGraphicOfType, so a cell holding another kind is left
// alone. Reads go through the GetCellGraphic hook (a column grid answers its virtual check
// boxes there); writes to an existing graphic touch only the cell's own one, never a graphic
// the grid shares between cells.

#include "grid/QvGrid.h"

namespace grid {

namespace {

bool isButtonKind(TCellType t)
{
    return t == ctButton || t == ctBitButton;
}

bool takesBalloon(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton;
}

// The cell's own graphic (none for the shared ones the hooks hand out).
TCellGraphic* ownGraphic(TQvStringGrid& grid, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    return dynamic_cast<TCellGraphic*>(grid.GetGraphicObjectEx(ACol, ARow));
}

} // namespace

// ---- bitmaps, icons and pictures ---------------------------------------------------------------

void TQvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TQvStringGrid::CreateBitmap(int ACol, int ARow, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto bmp = std::make_unique<TBitmap>();
    g->SetBitmap(bmp.get(), transparent, hal, val);
    g->FCellCreated = true;
    return bmp.release();
}

void TQvStringGrid::RemoveBitmap(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitmap);
}

bool TQvStringGrid::HasBitmap(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctBitmap;
}

TBitmap* TQvStringGrid::GetBitmap(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctBitmap ? dynamic_cast<TBitmap*>(g->FCellBitmap) : nullptr;
}

void TQvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TQvStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto icon = std::make_unique<TIcon>();
    g->SetIcon(icon.get(), hal, val);
    g->FCellCreated = true;
    return icon.release();
}

void TQvStringGrid::RemoveIcon(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctIcon);
}

void TQvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool transparent, TStretchMode stretchmode,
                               int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, transparent, stretchmode, padding, hal, val);
}

TPicture* TQvStringGrid::CreatePicture(int ACol, int ARow, bool transparent, TStretchMode stretchmode, int padding,
                                       TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto picture = std::make_unique<TPicture>();
    g->SetPicture(picture.get(), transparent, stretchmode, padding, hal, val);
    g->FCellCreated = true;
    return picture.release();
}

void TQvStringGrid::RemovePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctPicture);
}

bool TQvStringGrid::HasPicture(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctPicture;
}

TPicture* TQvStringGrid::GetPicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctPicture ? dynamic_cast<TPicture*>(g->FCellBitmap) : nullptr;
}

void TQvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode stretchmode, int padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, stretchmode, padding, hal, val);
}

TFilePicture* TQvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode stretchmode,
                                               int padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto picture = std::make_unique<TFilePicture>();
    g->SetFilePicture(picture.get(), Transparent, stretchmode, padding, hal, val);
    g->FCellCreated = true;
    return picture.release();
}

void TQvStringGrid::RemoveFilePicture(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

TFilePicture* TQvStringGrid::GetFilePicture(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->FCellBitmap) : nullptr;
}

// ---- image-list images ---------------------------------------------------------------------------

void TQvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

void TQvStringGrid::RemoveImageIdx(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImageList);
}

bool TQvStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!GridImages || !g || g->FCellType != ctImageList)
        return false;
    idx = g->FCellIndex;
    return true;
}

void TQvStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (GridImages && g && g->FCellType == ctImageList)
        g->FCellIndex = Idx;
}

void TQvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty())
        SetInts(ACol, ARow, Aidx);
}

void TQvStringGrid::RemoveDataImage(int ACol, int ARow)
{
    // The text was the image number: it goes with the image.
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage))
        SetCells(ACol, ARow, QString());
}

bool TQvStringGrid::HasDataImage(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctDataImage;
}

void TQvStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, int c, int r) {
        CellListChanged(c, r);
    });
}

void TQvStringGrid::RemoveMultiImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctImages);
}

TIntList* TQvStringGrid::GetCellImages(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctImages ? dynamic_cast<TIntList*>(g->FCellBitmap) : nullptr;
}

// ---- rotated text ----------------------------------------------------------------------------------

void TQvStringGrid::AddRotated(int ACol, int ARow, short AAngle, const QString& s)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TQvStringGrid::SetRotated(int ACol, int ARow, short AAngle)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    // A graphic that owns its object would lose track of it as rotated text and never free it:
    // such a cell gets a fresh graphic instead.
    if (!g || g->OwnsBitmap() || g->OwnsIcon())
        g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveRotated(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRotated);
}

bool TQvStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->FCellType != ctRotated)
        return false;
    aAngle = g->FCellAngle;
    return true;
}

// ---- progress bars, pies and range indicators --------------------------------------------------------

// The fields every classic progress bar fills; the range and text colours differ per variant.
namespace {

TCellGraphic* createProgress(TQvStringGrid& grid, int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    TCellGraphic* g = grid.CreateCellGraphic(ACol, ARow);
    g->FCellType = ctProgress;
    g->FCellBitmapColor = FGColor;
    g->FCellIconColor = BKColor;
    g->FCellErrFrom = 0;
    g->FCellErrLen = 100;
    g->FCellBoolean = false;
    g->FCellText.clear();
    g->FCellHAlign = haLeft;
    g->FCellVAlign = vaTop;
    if (grid.AutoNumAlign) {
        grid.GetCellProperties(ACol, ARow)->SetAlignment(taRightJustify);
        grid.RepaintCell(grid.DisplColIndex(ACol), ARow);
    }
    return g;
}

} // namespace

void TQvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    createProgress(*this, ACol, ARow, FGColor, BKColor);
}

void TQvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor)
{
    TCellGraphic* g = createProgress(*this, ACol, ARow, FGColor, BKColor);
    g->FCellIndex = int(FGTextColor);
    g->FCellAngle = int(BKTextColor);
    g->FCellBoolean = true;
}

void TQvStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                         TColor BKTextColor, const QString& Fmt, int Min, int Max)
{
    TCellGraphic* g = createProgress(*this, ACol, ARow, FGColor, BKColor);
    g->FCellIndex = int(FGTextColor);
    g->FCellAngle = int(BKTextColor);
    g->FCellBoolean = true;
    g->FCellErrFrom = Min;
    g->FCellErrLen = Max;
    g->FCellText = Fmt;
}

void TQvStringGrid::RemoveProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgress);
}

bool TQvStringGrid::HasProgress(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctProgress;
}

void TQvStringGrid::AddQvProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctXPProgress;
    g->FCellErrFrom = Min;
    g->FCellErrLen = Max;
    g->FCellBoolean = false;
    g->FCellText.clear();
    g->FCellHAlign = haLeft;
    g->FCellVAlign = vaTop;
}

void TQvStringGrid::RemoveQvProgress(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
}

void TQvStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctProgressPie;
    g->FCellBitmapColor = Color;
    g->FCellAngle = Value;
    g->FCellHAlign = haBeforeText;
    g->FCellVAlign = vaTop;
}

void TQvStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (!g || g->FCellType != ctProgressPie)
        return;
    g->FCellAngle = Value;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveProgressPie(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
}

void TQvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctRangeIndicator;
    g->FCellBitmapColor = NegColor;
    g->FCellIconColor = PosColor;
    g->FCellIndex = Range;
    g->FCellBoolean = ShowValue;
    g->FCellHAlign = haLeft;
    g->FCellVAlign = vaTop;
}

void TQvStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---- comments ----------------------------------------------------------------------------------------

void TQvStringGrid::AddComment(int ACol, int ARow, const QString& Comment)
{
    AddColorComment(ACol, ARow, Comment, PaintSettings().ControlLook.CommentColor());
}

void TQvStringGrid::AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctComment;
    g->FCellIndex = int(Color);
    g->FCellText = Comment;
    g->FCellHAlign = haLeft;
    g->FCellVAlign = vaTop;
}

QString TQvStringGrid::GetComment(int ACol, int ARow)
{
    QString comment;
    IsComment(ACol, ARow, comment);
    return comment;
}

void TQvStringGrid::SetComment(int ACol, int ARow, const QString& Comment)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (!g) {
        if (GetCellGraphic(ACol, ARow)) // a shared graphic stands in this cell
            return;
        AddComment(ACol, ARow, Comment);
        return;
    }
    if (g->FCellType == ctComment) {
        g->FCellText = Comment;
        RepaintCell(DisplColIndex(ACol), ARow);
    }
}

bool TQvStringGrid::IsComment(int ACol, int ARow, QString& comment)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->FCellType != ctComment)
        return false;
    comment = g->FCellText;
    return true;
}

void TQvStringGrid::RemoveComment(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctComment);
}

void TQvStringGrid::RemoveAllComments()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveComment(RealColIndex(c), r);
}

// ---- shapes and ratings ----------------------------------------------------------------------------

void TQvStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                             TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctShape;
    g->FCellBitmapColor = LineColor;
    g->FCellIndex = int(FillColor);
    g->FCellAngle = Shape;
    g->FCellHAlign = hal;
    g->FCellVAlign = val;
}

void TQvStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (g && g->FCellType == ctShape)
        g->FCellIndex = int(FillColor);
}

TColor TQvStringGrid::GetShapeColor(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctShape ? TColor(g->FCellIndex) : clNone;
}

void TQvStringGrid::RemoveShape(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctShape);
}

void TQvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctRating;
    g->FCellBitmapColor = EmptyColor;
    g->FCellIndex = int(FillColor);
    g->FCellAngle = Scale;
    g->FCellHAlign = haFull;
}

void TQvStringGrid::RemoveRating(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRating);
}

bool TQvStringGrid::HasRating(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRating;
}

// ---- cell scroll bars --------------------------------------------------------------------------------
// Position in FCellIndex, page size in FCellAngle, range in FCellErrFrom; all on the base cell.

namespace {

TCellGraphic* scrollGraphic(TQvStringGrid& grid, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    const TPoint b = grid.BaseCell(ACol, ARow);
    TCellGraphic* g = ownGraphic(grid, b.X, b.Y);
    return g && g->FCellType == ctScrollbar ? g : nullptr;
}

} // namespace

void TQvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->FCellType = ctScrollbar;
    g->FCellIndex = 0;
    g->FCellAngle = 0;
    g->FCellErrFrom = 100;
    g->FCellBoolean = AutoRange;
    if (AutoRange)
        CellChanged(ACol, ARow);
}

void TQvStringGrid::RemoveScrollBar(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctScrollbar);
}

bool TQvStringGrid::HasScrollBar(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctScrollbar;
}

bool TQvStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    const TCellGraphic* g = scrollGraphic(*this, ACol, ARow);
    return g && g->FCellBoolean;
}

int TQvStringGrid::GetScrollPosition(int ACol, int ARow)
{
    const TCellGraphic* g = scrollGraphic(*this, ACol, ARow);
    return g ? g->FCellIndex : -1;
}

void TQvStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    TCellGraphic* g = scrollGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->FCellIndex = Pos;
    RepaintCell(DisplColIndex(ACol), ARow);
}

TScrollProp TQvStringGrid::GetScrollProp(int ACol, int ARow)
{
    const TCellGraphic* g = scrollGraphic(*this, ACol, ARow);
    if (!g)
        return {-1, -1};
    return {g->FCellAngle, g->FCellErrFrom};
}

void TQvStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    if (TCellGraphic* g = scrollGraphic(*this, ACol, ARow)) {
        g->FCellAngle = Prop.PageSize;
        g->FCellErrFrom = Prop.Range;
    }
}

// ---- markers -------------------------------------------------------------------------------------------

void TQvStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->FCellType = ctEmpty;
    }
    g->FCellErrFrom = ErrPos;
    g->FCellErrLen = ErrLen;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (!g)
        return;
    if (g->FCellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->FCellErrFrom = 0;
    g->FCellErrLen = 0;
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TQvStringGrid::RemoveAllMarkers()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            RemoveMarker(RealColIndex(c), r);
}

void TQvStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    ErrPos = g ? g->FCellErrFrom : 0;
    ErrLen = g ? g->FCellErrLen : 0;
}

// ---- buttons -------------------------------------------------------------------------------------------

void TQvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                              TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TQvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TQvStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                                        TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto glyph = std::make_unique<TBitmap>();
    g->SetBitButton(bw, bh, Caption, glyph.get(), hal, val);
    g->FCellCreated = true;
    return glyph.release();
}

void TQvStringGrid::SetButtonText(int ACol, int ARow, const QString& Caption)
{
    TCellGraphic* g = ownGraphic(*this, RealColIndex(ACol), ARow);
    if (!g)
        return;
    g->FCellText = Caption;
    RepaintCell(ACol, ARow);
}

QString TQvStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g ? g->FCellText : QString();
}

void TQvStringGrid::RemoveButton(int ACol, int ARow)
{
    if (isButtonKind(GetCellType(ACol, ARow)))
        RemoveCellGraphic(ACol, ARow);
}

void TQvStringGrid::RemoveBitButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TQvStringGrid::RemoveAllButtons()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c) {
            const int rc = RealColIndex(c);
            if (HasButton(rc, r))
                RemoveButton(rc, r);
        }
}

bool TQvStringGrid::HasButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return isButtonKind(GetCellType(b.X, b.Y));
}

// ---- balloons -------------------------------------------------------------------------------------------
// Title and text in an owned list in FCellBitmap, the icon in FCellIndex; on a check box or
// radio button FCellAngle 1 says the list is there.

void TQvStringGrid::AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (g) {
        if (!takesBalloon(g->FCellType))
            return; // made no list: nothing to free
        if (g->FCellAngle == 1)
            delete g->FCellBitmap; // a second balloon replaces the first
        g->FCellAngle = 1;
    } else {
        if (GetCellGraphic(ACol, ARow)) // a shared graphic stands in this cell
            return;
        g = CreateCellGraphic(ACol, ARow);
        g->FCellType = ctBalloon;
        g->FCellAngle = 0;
    }
    g->FCellIndex = Icon;
    g->FCellBitmap = new TStringList(QStringList{Title, Text});
}

void TQvStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = ownGraphic(*this, ACol, ARow);
    if (!g)
        return;
    if (takesBalloon(g->FCellType)) {
        if (g->FCellAngle == 1) {
            delete g->FCellBitmap;
            g->FCellBitmap = nullptr;
            g->FCellAngle = 0;
        }
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TQvStringGrid::HasBalloon(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctBalloon;
}

bool TQvStringGrid::IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->FCellType == ctBalloon || (takesBalloon(g->FCellType) && g->FCellAngle == 1)))
        return false;
    const auto* list = dynamic_cast<const TStringList*>(g->FCellBitmap);
    Title = list && list->Count() > 0 ? list->Strings[0] : QString();
    Text = list && list->Count() > 1 ? list->Strings[1] : QString();
    Icon = TBalloonIcon(g->FCellIndex);
    return true;
}

// ---- interfaced objects -----------------------------------------------------------------------------

void TQvStringGrid::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

void TQvStringGrid::RemoveInterfacedCell(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}

TInterfacedPersistent* TQvStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->FCellType == ctInterface ? dynamic_cast<TInterfacedPersistent*>(g->FCellBitmap) : nullptr;
}

// ---- looks, links and hooks ---------------------------------------------------------------------------

QString TQvStringGrid::GridLookIdent(TGridLook Look)
{
    static const struct {
        TGridLook look;
        const char* ident;
    } idents[] = {{glStandard, "glStandard"}, {glSoft, "glSoft"}, {glClassic, "glClassic"},
                  {glVLX, "glVLX"},           {glXP, "glXP"},     {glListView, "glListView"},
                  {glVista, "glVista"},       {glWin7, "glWin7"}, {glOffice2007, "glOffice2007"}};
    for (const auto& i : idents)
        if (i.look == Look)
            return QString::fromLatin1(i.ident);
    return {};
}

bool TQvStringGrid::RatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TQvStringGrid::ColorSelect(TColor Color, const QString& ColorText)
{
    if (OnColorSelect)
        OnColorSelect(this, Col(), Row(), Color, ColorText);
}

void TQvStringGrid::ImageSelect(int ItemIndex)
{
    if (OnImageSelect)
        OnImageSelect(this, Col(), Row(), ItemIndex);
}

void TQvStringGrid::SetURLColor(TColor v)
{
    URLColor = v;
    if (FPaintSettings.URLShow)
        Invalidate();
}

void TQvStringGrid::SetURLShow(bool v)
{
    if (FPaintSettings.URLShow == v)
        return;
    FPaintSettings.URLShow = v;
    Invalidate();
}

void TQvStringGrid::SetURLShowInText(bool v)
{
    if (URLShowInText == v)
        return;
    URLShowInText = v;
    Invalidate();
}

void TQvStringGrid::SetURLFull(bool v)
{
    FPaintSettings.URLFull = v;
    if (FPaintSettings.URLShow)
        Invalidate();
}

} // namespace grid
