// Construction, the cell store with its properties and objects, and the base behaviour of the
// virtual operations.

#include "grid/BaseGrid.h"

#include <cstring>

namespace grid {

TBaseGrid::TBaseGrid(QWidget* parent) : TObjStringGrid(parent)
{
    TStringGrid::SetDefaultDrawing(false);
    SetPlatformLineWidth(0); // the grid draws its own lines
}

TBaseGrid::~TBaseGrid()
{
    destroying = true;
    FreeAllCellObjects();
}

void TBaseGrid::CheckCellIndex(int c, int r)
{
    if (c < 0)
        throw EQvGridError(QStringLiteral("Invalid column accessed"));
    if (r < 0)
        throw EQvGridError(QStringLiteral("Invalid row accessed"));
}

TCellProperties* TBaseGrid::props(int c, int r) const
{
    if (c < 0 || r < 0)
        return nullptr;
    return static_cast<TCellProperties*>(store.Object(c, r));
}

bool TBaseGrid::CellHasProperties(int c, int r) const
{
    return c >= 0 && c < TotalColCount() && r >= 0 && r < RowCount() && store.Object(c, r) != nullptr;
}

namespace {

void assignView(QString& to, QStringView from)
{
    to.resize(from.size());
    if (!from.isEmpty())
        std::memcpy(to.data(), from.data(), std::size_t(from.size()) * sizeof(QChar));
}

} // namespace

TPoint TBaseGrid::baseCellOf(int c, int r) const
{
    if (const TCellProperties* p = props(c, r))
        return p->GetBaseCell(c, r);
    return {c, r};
}

void TBaseGrid::displayed(int c, int r, QString& value) const
{
    if (r < FNormalRowCount) {
        GetDisplText(c, r, value);
        if (OnGetDisplWideText)
            GetDisplWideText(c, r, value);
    }
}

QString TBaseGrid::GetCellEx(int c, int r) const
{
    const TPoint b = baseCellOf(c, r);
    QString value = store.Text(b.X, b.Y);
    displayed(b.X, b.Y, value);
    return value;
}

void TBaseGrid::GetCellEx(int c, int r, QString& value) const
{
    const TPoint b = baseCellOf(c, r);
    assignView(value, store.TextView(b.X, b.Y));
    displayed(b.X, b.Y, value);
}

void TBaseGrid::GetGridCell(int c, int r, QString& value) const
{
    assignView(value, store.TextView(c, r));
}

void TBaseGrid::SetCellEx(int c, int r, const QString& value)
{
    CheckCellIndex(c, r);
    if (const TCellProperties* p = props(c, r)) {
        const TPoint b = p->GetBaseCell(c, r);
        store.SetText(b.X, b.Y, value);
        CellChanged(b.X, b.Y);
        if (parentWidget())
            RepaintCell(c, r);
    } else {
        store.SetText(c, r, value);
        InvalidateCell(DisplColIndex(c), r);
    }
    if (FHideLastRow && r == RowCount() - 1)
        LastRowChanged();
}

void TBaseGrid::SetGridCell(int c, int r, const QString& value)
{
    CheckCellIndex(c, r);
    store.SetText(c, r, value);
}

void TBaseGrid::SetGridObject(int c, int r, TObject* value)
{
    CheckCellIndex(c, r);
    store.SetObject(c, r, value);
}

TCellProperties* TBaseGrid::createProperties(int c, int r, bool withCalcType)
{
    auto owned = std::make_unique<TCellProperties>(this, c, r);
    TCellProperties* p = owned.get();
    store.SetObject(c, r, owned.release());
    TFont font = Font();
    TBrush brush{Color(), bsSolid};
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetCellDefaults(c, r, font, brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    if (withCalcType)
        p->FCalcType = acNONE;
    p->FAlignment = ha;
    p->FVAlignment = va;
    p->FWordWrap = ww;
    p->FFontName = font.Name;
    p->FFontSize = font.Size;
    p->FFontStyle = font.Style;
    p->FFontColor = font.Color;
    p->FBrushColor = brush.Color;
    p->FBrushColorTo = colorTo;
    p->FGradientDirection = gd;
    return p;
}

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    CheckCellIndex(c, r);
    if (TCellProperties* p = props(c, r))
        return p;
    return createProperties(c, r, true);
}

void TBaseGrid::SetCellProperties(int c, int r, std::unique_ptr<TCellProperties> value)
{
    CheckCellIndex(c, r);
    delete store.Object(c, r);
    store.SetObject(c, r, value.release());
}

TObject* TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* p = props(c, r);
    return p ? p->FObject : nullptr;
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const
{
    const TCellProperties* p = props(c, r);
    return p ? p->FGraphicObject : nullptr;
}

TCellGraphic* TBaseGrid::PropertiesGraphic(TObject* p) const
{
    auto* cp = dynamic_cast<TCellProperties*>(p);
    return cp ? dynamic_cast<TCellGraphic*>(cp->FGraphicObject) : nullptr;
}

// An empty cell briefly gets a blank text so that the write goes through the cell's own
// properties, and is emptied again afterwards.
void TBaseGrid::SetObjectEx(int c, int r, TObject* value)
{
    CheckCellIndex(c, r);
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty)
        SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->FObject = value;
    if (empty)
        SetCellEx(c, r, QString());
}

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* value)
{
    if (destroying)
        return;
    CheckCellIndex(c, r);
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty)
        SetCellEx(c, r, QStringLiteral(" "));
    TCellProperties* p = props(c, r);
    if (!p)
        p = createProperties(c, r, false);
    p->FGraphicObject = value;
    if (empty)
        SetCellEx(c, r, QString());
}

void TBaseGrid::DetachColumnCells(int col)
{
    if (col < 0)
        return;
    for (int r = 0; r < RowCount(); ++r) {
        store.SetObject(col, r, nullptr);
        SetCellEx(col, r, QString());
    }
}

void TBaseGrid::DetachRowCells(int row)
{
    if (row < 0)
        return;
    for (int c = 0; c < TotalColCount(); ++c) {
        store.SetObject(c, row, nullptr);
        SetCellEx(c, row, QString());
    }
}

void TBaseGrid::ClearCell(int col, int row)
{
    SetCellEx(col, row, QString());
    store.SetObject(col, row, nullptr);
}

void TBaseGrid::FreeCellObjects(int col1, int row1, int col2, int row2)
{
    if (!FHasCellProps)
        return;
    struct Found {
        int c, r;
        TObject* obj;
    };
    std::vector<Found> found;
    store.ForEachObject(col1, row1, col2, row2, [&](int c, int r, TObject* o) { found.push_back({c, r, o}); });
    for (const Found& f : found) {
        if (auto* p = dynamic_cast<TCellProperties*>(f.obj)) {
            if (p->FGraphicObject && p->FGraphicObject->ClassName() == QLatin1String("TCellGraphic"))
                delete p->FGraphicObject;
            p->FGraphicObject = nullptr;
        }
        delete f.obj;
        store.SetObject(f.c, f.r, nullptr);
    }
}

// The graphic the grid made for the properties goes with them; a user object in the slot is
// only let go, its owner frees it.
void TBaseGrid::FreeCellProperties(int col, int row)
{
    if (auto* p = dynamic_cast<TCellProperties*>(store.Object(col, row))) {
        if (p->FGraphicObject && p->FGraphicObject->ClassName() == QLatin1String("TCellGraphic"))
            delete p->FGraphicObject;
        p->FGraphicObject = nullptr;
        delete p;
    }
    store.SetObject(col, row, nullptr);
}

// Every cell object of the store, the ones beyond the present counts as well, so nothing the
// grid made outlives it.
void TBaseGrid::FreeAllCellObjects()
{
    FreeCellObjects(0, 0, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

void TBaseGrid::SetUndoRedo(VOreRizeZuvuZira* v)
{
    FUndoRedo = v;
    if (v)
        v->SetGrid(this);
}

void TBaseGrid::SetDefaultDrawing(bool value)
{
    FDefaultDrawing = value;
    TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int value)
{
    FGridLineWidth = std::max(0, value);
    SetPlatformLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    Invalidate();
}

#define QV_SET_IF_CHANGED(Field)                                                                                       \
    if (Field == v)                                                                                                    \
        return;                                                                                                        \
    Field = v;                                                                                                         \
    Invalidate();

void TBaseGrid::SetActiveRowShow(bool v)
{
    QV_SET_IF_CHANGED(FActiveRowShow)
}
void TBaseGrid::SetActiveRowColor(TColor v)
{
    QV_SET_IF_CHANGED(FActiveRowColor)
}
void TBaseGrid::SetActiveRowColorTo(TColor v)
{
    QV_SET_IF_CHANGED(FActiveRowColorTo)
}
void TBaseGrid::SetActiveRowMirrorColor(TColor v)
{
    QV_SET_IF_CHANGED(FActiveRowMirrorColor)
}
void TBaseGrid::SetActiveRowMirrorColorTo(TColor v)
{
    QV_SET_IF_CHANGED(FActiveRowMirrorColorTo)
}
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle v)
{
    QV_SET_IF_CHANGED(FSelectionStyle)
}

// ---- base behaviour of the virtual operations ----------------------------------------------

bool TBaseGrid::IsFixed(int, int) const
{
    return false;
}
int TBaseGrid::GetRowIndent(int) const
{
    return 0;
}
bool TBaseGrid::HasNodes() const
{
    return false;
}
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellChanged(int, int) {}
bool TBaseGrid::HasCellBorderEvent() const
{
    return false;
}
bool TBaseGrid::UsesPlatformStyles() const
{
    return false;
}
int TBaseGrid::DisplColIndex(int col) const
{
    return col;
}
int TBaseGrid::TotalColCount() const
{
    return ColCount();
}

void TBaseGrid::GetDisplText(int col, int row, QString& value) const
{
    if (OnGetDisplText)
        OnGetDisplText(const_cast<TBaseGrid*>(this), col, row, value);
}

void TBaseGrid::GetDisplWideText(int col, int row, QString& value) const
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(const_cast<TBaseGrid*>(this), col, row, value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont& font, TBrush& brush, TColor& colorTo, TColor& mirrorColor,
                                TColor& mirrorColorTo, TAlignment& ha, TVAlignment& va, bool& ww,
                                TCellGradientDirection& gd)
{
    font = Font();
    brush.Color = Color();
    colorTo = clNone;
    mirrorColor = clNone;
    mirrorColorTo = clNone;
    ha = taLeftJustify;
    va = vtaTop;
    ww = FWordWrap;
    gd = GradientVertical;
}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush&, TColor&, TColor&, TColor&,
                                    TFont&, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}

} // namespace grid
