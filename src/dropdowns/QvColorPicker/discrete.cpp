// The discrete colour selector: its boxes, their frame colours, the layout in rows and strips,
// the box painter, the mouse, the keys and the 60-colour palette.

#include "dropdowns/ColorSelector.h"
#include "dropdowns/QvDropDown/Draw.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace dropdowns {

namespace {

constexpr QSize kEmptyPanelSize{100, 50};

struct TPaletteRow {
    TItemPos pos;
    TColor colors[10];
};

// A row of base colours, then per base colour a strip of five tints and shades (0xBBGGRR).
// clang-format off
constexpr TPaletteRow kOfficePalette[] = {
    {ipStandAlone, {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {ipTop,        {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {ipMiddle,     {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {ipMiddle,     {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {ipMiddle,     {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {ipBottom,     {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
};
// clang-format on

} // namespace

// ---- boxes and their looks -------------------------------------------------------------------

void TColorBoxItem::SetColor(TColor v)
{
    if (FColor == v)
        return;
    FColor = v;
    if (FCollection)
        FCollection->Changed();
}

void TColorBoxItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TColorBoxItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TColorBoxItem");
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
}

void TColorBoxAppearance::LoadDefaults()
{
    Assign(TColorBoxAppearance());
}

void TColorBoxAppearance::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TColorBoxAppearance*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString()
                                    + " to a TColorBoxAppearance");
    FBorderColor = s->FBorderColor;
    FOuterBorderColorHot = s->FOuterBorderColorHot;
    FInnerBorderColorHot = s->FInnerBorderColorHot;
    FOuterBorderColorSelected = s->FOuterBorderColorSelected;
    FInnerBorderColorSelected = s->FInnerBorderColorSelected;
}

// ---- the selector ----------------------------------------------------------------------------

TCustomColorSelector::TCustomColorSelector(QWidget* owner)
    : TQvCustomColorSelectorPanel(owner), FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this))
{
    setMouseTracking(true);
    SetItemColorStyle(scOffice2007);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetColumns(int v)
{
    if (v == FColumns)
        return;
    FColumns = v;
    LayoutItems();
}

void TCustomColorSelector::SetColumnGap(int v)
{
    if (v == FColumnGap)
        return;
    FColumnGap = v;
    LayoutItems();
}

void TCustomColorSelector::SetColorBoxHeight(int v)
{
    if (v == FColorBoxHeight)
        return;
    FColorBoxHeight = v;
    LayoutItems();
}

void TCustomColorSelector::SetColorBoxWidth(int v)
{
    if (v == FColorBoxWidth)
        return;
    FColorBoxWidth = v;
    LayoutItems();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle v)
{
    if (v == FItemColorStyle)
        return;
    FItemColorStyle = v;
    if (v != scCustom)
        FColorBoxAppearance->LoadDefaults();
}

bool TCustomColorSelector::enabledBox(int index) const
{
    return index >= 0 && index < FItems->Count() && FItems->Items(index).Enabled();
}

void TCustomColorSelector::SetItemIndex(int index)
{
    if (index >= FItems->Count() || (index >= 0 && !enabledBox(index)))
        return;
    if (FItemIndex >= 0 && index != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = index;
    if (index < 0)
        return;
    FSelectedColor = FItems->Items(index).Color();
    InvalidateItem(index);
    // Reselecting the same box reports it again: the picker closes on any choice.
    if (OnItemSelect)
        OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int index)
{
    if (index == FItemHot || (index >= 0 && !enabledBox(index)))
        return;
    const int old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
    FItemHot = index;
    InvalidateItem(index);
}

void TCustomColorSelector::SetSelectedColor(TColor v)
{
    if (v == FSelectedColor)
        return;
    FSelectedColor = v;
    if (v == clNone)
        SetItemIndex(-1);
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i).Color() == v) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

TRect TCustomColorSelector::GetItemsOrigin() const
{
    return {FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY};
}

QSize TCustomColorSelector::GetItemSize() const
{
    return {FColorBoxWidth, FColorBoxHeight};
}

void TCustomColorSelector::LayoutItems()
{
    // 1.
    if (FItems->Count() == 0) {
        resize(kEmptyPanelSize);
        return;
    }
    // 2.
    FItemHot = -1;
    const QSize size = GetItemSize();
    const int w = size.width(), h = size.height();
    const TRect origin = GetItemsOrigin();
    const int x0 = origin.Left, y0 = origin.Top;
    int x = x0, y = y0, widest = 0, column = 0;
    bool gap = false;
    // A row holding a stand-alone box keeps a gap below it, strips join up.
    const int last = FItems->Count() - 1;
    for (int i = 0; i <= last; ++i) {
        TColorBoxItem& item = FItems->Items(i);
        item.FRect = {x, y, x + w, y + h};
        ++column;
        if (i == last)
            break;
        if (item.ColorBoxPos() == ipStandAlone)
            gap = true;
        if (column < FColumns) {
            x += w + FColumnGap;
            continue;
        }
        if (gap)
            y += FColumnGap;
        gap = false;
        y += h;
        widest = std::max(widest, x);
        x = x0;
        column = 0;
    }
    // 4.
    resize(std::max(x, widest) + w + x0 + 1, y + h + y0);
    update();
}

void TCustomColorSelector::InvalidateItem(int index)
{
    if (index >= 0 && index < FItems->Count())
        update(FItems->Items(index).Rect().toQRect().adjusted(0, 0, 2, 2));
}

TRect TCustomColorSelector::GetItemRect(int index) const
{
    if (index < 0 || index >= FItems->Count())
        return {-1, -1, -1, -1};
    return FItems->Items(index).Rect();
}

int TCustomColorSelector::ItemAtPos(int x, int y) const
{
    for (int i = 0; i < FItems->Count(); ++i) {
        const TRect& r = FItems->Items(i).Rect();
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}

void TCustomColorSelector::DrawItem(int index, QPainter* canvas)
{
    if (!canvas || index < 0 || index >= FItems->Count())
        return;
    const TColorBoxItem& item = FItems->Items(index);
    TRect r = item.Rect();
    if (r.Left < 0 && r.Right < 0)
        return;
    const TColorBoxAppearance& look = *FColorBoxAppearance;
    // Selected wins over hot.
    TColor outer = look.BorderColor(), inner = clNone;
    bool marked = false;
    if (index == FItemHot) {
        outer = look.OuterBorderColorHot();
        inner = look.InnerBorderColorHot();
        marked = true;
    }
    if (index == FItemIndex) {
        outer = look.OuterBorderColorSelected();
        inner = look.InnerBorderColorSelected();
        marked = true;
    }
    // 2.
    if (item.Color() != clNone)
        draw::fill(*canvas, r.toQRect(), item.Color());
    // 3.
    if (marked) {
        if (outer != clNone) {
            draw::frame(*canvas, r.toQRect(), outer);
            r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        }
        if (inner != clNone)
            draw::frame(*canvas, r.toQRect(), inner);
        return;
    }
    // The sides a strip shares with its neighbours stay open.
    const TColor c = look.BorderColor();
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    switch (item.ColorBoxPos()) {
    case ipStandAlone:
        draw::polyline(*canvas, c, {{L, B}, {L, T}, {R, T}, {R, B}, {L, B}});
        break;
    case ipTop:
        draw::polyline(*canvas, c, {{L, B}, {L, T}, {R, T}, {R, B}});
        break;
    case ipMiddle:
        draw::polyline(*canvas, c, {{L, T}, {L, B}});
        draw::polyline(*canvas, c, {{R, T}, {R, B}});
        break;
    case ipBottom:
        draw::polyline(*canvas, c, {{L, T}, {L, B}, {R, B}});
        draw::polyline(*canvas, c, {{R, T}, {R, B + 1}});
        break;
    }
}

void TCustomColorSelector::DrawItems(QPainter* canvas)
{
    for (int i = 0; i < FItems->Count(); ++i)
        DrawItem(i, canvas);
}

void TCustomColorSelector::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    paintBackground(canvas);
    DrawItems(&canvas);
}

// ---- moving the selection and the hot box ----------------------------------------------------

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0)
        SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems->Count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems->Count())
        SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0)
        SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(int key, bool editorEnabled, bool droppedDown)
{
    if (!isEnabled())
        return;
    const auto byRow = [&](int step) {
        const int index = FItemIndex < 0 ? 0 : FItemIndex + step;
        if (index >= 0 && index < FItems->Count())
            SetItemIndex(index);
    };
    // The edit that takes typing keeps Left and Right for its caret while the popup is closed.
    const bool caretKeys = editorEnabled && !droppedDown;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_Home:
        SelectFirst();
        break;
    case Qt::Key_PageDown:
    case Qt::Key_End:
        SelectLast();
        break;
    case Qt::Key_Left:
        if (!caretKeys)
            SelectPrevious();
        break;
    case Qt::Key_Right:
        if (!caretKeys)
            SelectNext();
        break;
    case Qt::Key_Up:
        if (droppedDown)
            byRow(-FColumns);
        else
            SelectPrevious();
        break;
    case Qt::Key_Down:
        if (droppedDown)
            byRow(FColumns);
        else
            SelectNext();
        break;
    default:
        break;
    }
}

void TCustomColorSelector::FillOfficePalette()
{
    FItems->Clear();
    FItemIndex = -1;
    FItemHot = -1;
    for (const TPaletteRow& row : kOfficePalette)
        for (TColor c : row.colors) {
            TColorBoxItem& item = FItems->Add();
            item.SetColor(c);
            item.SetColorBoxPos(row.pos);
        }
}

// ---- mouse -----------------------------------------------------------------------------------

void TCustomColorSelector::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int index = ItemAtPos(p.x(), p.y());
    SetItemHot(enabledBox(index) ? index : -1);
}

void TCustomColorSelector::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int index = ItemAtPos(p.x(), p.y());
    if (enabledBox(index))
        SetItemIndex(index);
}

void TCustomColorSelector::leaveEvent(QEvent* e)
{
    SetItemHot(-1);
    TQvCustomColorSelectorPanel::leaveEvent(e);
}

} // namespace dropdowns
