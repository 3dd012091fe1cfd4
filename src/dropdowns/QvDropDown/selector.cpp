// The item selector: items, item look, the inner panel's layout, painting and mouse, and the
// outer scrolling window.

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/ItemSelector.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "grid/QvObj.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <stdexcept>

namespace dropdowns {

using platform::clNone;

// ---- items -----------------------------------------------------------------------------------

int TSelectorItem::Index() const
{
    if (!FCollection)
        return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (&FCollection->Items(i) == this)
            return i;
    return -1;
}

void TSelectorItem::changed()
{
    if (FCollection && FCollection->OnChange)
        FCollection->OnChange(FCollection);
}

void TSelectorItem::SetCaption(const QString& v)
{
    if (FCaption == v)
        return;
    FCaption = v;
    changed();
}

void TSelectorItem::SetImageIndex(int v)
{
    if (FImageIndex == v)
        return;
    FImageIndex = v;
    changed();
}

void TSelectorItem::SetColor(TColor v)
{
    if (FColor == v)
        return;
    FColor = v;
    changed();
}

void TSelectorItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TSelectorItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a "
                                    + ClassName().toStdString());
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    SetImageIndex(s->FImageIndex);
    FImage = s->FImage;
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

TSelectorItem& TSelectorItems::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto it = FItems.insert(FItems.begin() + index, std::make_unique<TSelectorItem>(this));
    return **it;
}

void TSelectorItems::Delete(int index)
{
    Items(index);
    FItems.erase(FItems.begin() + index);
}

TSelectorItem& TSelectorItems::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return *FItems[std::size_t(index)];
}

void TSelectorItems::Assign(const TSelectorItems& source)
{
    if (&source == this)
        return;
    FItems.clear();
    for (int i = 0; i < source.Count(); ++i)
        Add().Assign(source.Items(i));
}

// ---- item look -------------------------------------------------------------------------------

namespace {

struct TItemPreset {
    TSelectionColorStyle style;
    TColor hot, hotTo, mirrorHot, mirrorHotTo, borderTop, borderBottom, border, edge;
    TColor selected, selectedTo, mirrorSelected, mirrorSelectedTo;
};

// clang-format off
constexpr TItemPreset kItemPresets[] = {
    {scOffice2007, 0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF,
     0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9},
    {scWindowsVista, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB,
     0xFAEEDE, 0xFAE3B4, clNone, clNone},
    {scWindows7, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE,
     0xF9D8B9, 0xFBCAA2, clNone, clNone},
};
// clang-format on

} // namespace

TItemAppearance::TItemAppearance()
{
    SetColorStyle(scOffice2007);
    FColorSelectedText = platform::clBlack;
    FColorHotText = platform::clBlack;
    FBorderColorHot = clNone;
    FBorderColorSelected = clNone;
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle style)
{
    if (style == FColorStyle)
        return;
    FColorStyle = style;
    for (const TItemPreset& p : kItemPresets) {
        if (p.style != style)
            continue;
        FColorHot = p.hot;
        FColorHotTo = p.hotTo;
        FColorMirrorHot = p.mirrorHot;
        FColorMirrorHotTo = p.mirrorHotTo;
        FBorderColorTop = p.borderTop;
        FBorderColorBottom = p.borderBottom;
        FBorderColor = p.border;
        FEdgeColor = p.edge;
        FColorSelected = p.selected;
        FColorSelectedTo = p.selectedTo;
        FColorMirrorSelected = p.mirrorSelected;
        FColorMirrorSelectedTo = p.mirrorSelectedTo;
    }
}

void TItemAppearance::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TItemAppearance*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a "
                                    + ClassName().toStdString());
    FColorMirrorHotTo = s->FColorMirrorHotTo;
    FBorderColor = s->FBorderColor;
    FColorMirrorHot = s->FColorMirrorHot;
    FColorSelectedTo = s->FColorSelectedTo;
    FColorSelected = s->FColorSelected;
    FEdgeColor = s->FEdgeColor;
    FColorHotTo = s->FColorHotTo;
    FBorderColorBottom = s->FBorderColorBottom;
    FColorHot = s->FColorHot;
    FBorderColorTop = s->FBorderColorTop;
    FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
    FColorMirrorSelected = s->FColorMirrorSelected;
    FFont = s->FFont;
    SetColorStyle(s->FColorStyle);
    FColorSelectedText = s->FColorSelectedText;
    FColorHotText = s->FColorHotText;
    FBorderColorHot = s->FBorderColorHot;
    FBorderColorSelected = s->FBorderColorSelected;
}

// ---- the panel -------------------------------------------------------------------------------

namespace {

TQvCustomItemSelector* selectorOwner(QWidget* owner)
{
    auto* s = qobject_cast<TQvCustomItemSelector*>(owner);
    if (!s)
        throw std::invalid_argument("Invalid parent");
    return s;
}

} // namespace

TCustomItemSelector::TCustomItemSelector(QWidget* owner) : QWidget(nullptr), FQvItemSelector(selectorOwner(owner))
{
    setMouseTracking(true);
    // The panel shows the selector's colour wherever no item is drawn.
    setAutoFillBackground(false);
}

int TCustomItemSelector::count() const
{
    return FQvItemSelector->Items().Count();
}

int TCustomItemSelector::Columns() const
{
    return FQvItemSelector->Columns();
}
const TSelectorItems& TCustomItemSelector::Items() const
{
    return FQvItemSelector->Items();
}
TSelectorType TCustomItemSelector::SelectorType() const
{
    return FQvItemSelector->SelectorType();
}
TItemLayout TCustomItemSelector::ItemLayout() const
{
    return FQvItemSelector->ItemLayout();
}
const grid::TCustomImageList* TCustomItemSelector::Images() const
{
    return FQvItemSelector->Images();
}
TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const
{
    return FQvItemSelector->ItemAppearance().ColorStyle();
}
TColor TCustomItemSelector::ItemColorHot() const
{
    return FQvItemSelector->ItemAppearance().ColorHot();
}
TColor TCustomItemSelector::ItemColorHotTo() const
{
    return FQvItemSelector->ItemAppearance().ColorHotTo();
}
TColor TCustomItemSelector::ItemColorSelected() const
{
    return FQvItemSelector->ItemAppearance().ColorSelected();
}
TColor TCustomItemSelector::ItemColorSelectedTo() const
{
    return FQvItemSelector->ItemAppearance().ColorSelectedTo();
}
int TCustomItemSelector::ColorBoxHeight() const
{
    return FQvItemSelector->ColorBoxHeight();
}
int TCustomItemSelector::ColorBoxWidth() const
{
    return FQvItemSelector->ColorBoxWidth();
}

// ---- selection and hot mark ------------------------------------------------------------------

void TCustomItemSelector::SetItemIndex(int value)
{
    if (FItemIndex >= 0 && value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = value;
    if (value >= 0) {
        // Reselecting the same item reports it again: a picker closes on any choice.
        drawItemNow(value);
        if (OnItemSelect)
            OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(int index)
{
    if (index == FItemHot)
        return;
    const int old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
    FItemHot = index;
    if (index >= 0)
        drawItemNow(index);
}

void TCustomItemSelector::drawItemNow(int index)
{
    // Painting happens in the paint event; marking the item is enough to have it drawn with
    // the next frame, which comes before any input is read.
    InvalidateItem(index);
}

void TCustomItemSelector::SelectFirst()
{
    if (count() > 0)
        SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (count() > 0)
        SetItemIndex(count() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex + 1 < count())
        SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot + 1 < count())
        SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (FItemHot < 0)
        SetItemHot(0);
    else if (FItemHot > 0)
        SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (int i = 0; i < count(); ++i) {
        QString key;
        LookupKey(grid::RizIVUDE::MarkupToPlainText(Items().Items(i).Caption()).trimmed(), false, key);
        if (key.startsWith(s)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

TRect TCustomItemSelector::GetItemRect(int index) const
{
    if (index < 0 || index >= count())
        return {-1, -1, -1, -1};
    return Items().Items(index).FRect;
}

int TCustomItemSelector::ItemAtPos(int x, int y) const
{
    for (int i = 0; i < count(); ++i) {
        const TRect& r = Items().Items(i).FRect;
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}

void TCustomItemSelector::InvalidateItem(int index)
{
    if (index >= 0 && index < count())
        update(Items().Items(index).FRect.toQRect());
}

// ---- layout ----------------------------------------------------------------------------------

QSize TCustomItemSelector::contentSize(const TSelectorItem& item) const
{
    if (SelectorType() == stColor)
        return {ColorBoxWidth(), ColorBoxHeight()};
    if (!item.Image().isNull())
        return item.Image().size();
    if (Images() && item.ImageIndex() >= 0)
        return {Images()->Width(), Images()->Height()};
    return {0, 0};
}

QSize TCustomItemSelector::GetItemSize()
{
    if (FQvItemSelector->OnItemSize) {
        QSize size;
        FQvItemSelector->OnItemSize(this, size);
        return size;
    }
    // Content: the colour box, or the largest picture or list image.
    QSize content;
    if (SelectorType() == stColor) {
        content = {ColorBoxWidth(), ColorBoxHeight()};
    } else {
        for (int i = 0; i < count(); ++i)
            content = content.expandedTo(contentSize(Items().Items(i)));
    }
    // Caption: the largest markup extent in the look's font.
    QSize caption;
    {
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter canvas(&scratch);
        canvas.setFont(grid::toQFont(FQvItemSelector->ItemAppearance().Font()));
        for (int i = 0; i < count(); ++i) {
            QSize s;
            DrawMarkupText(canvas, Items().Items(i).Caption(), {0, 0, 1000, 500}, Images(), false, -1, s);
            caption = caption.expandedTo(s);
        }
    }
    if (caption.width() > 0)
        caption.rwidth() += 4;
    const int cw = content.width(), ch = content.height(), tw = caption.width(), th = caption.height();
    switch (ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        return {2 * FItemOffSetX + std::max(cw, 0) + (cw > 0 && tw > 0 ? FCaptionGap : 0) + std::max(tw, 0),
                std::max(ch, th) + 2 * FItemOffSetY};
    case ilCaptionTop:
    case ilCaptionBottom:
        break;
    }
    return {std::max(tw, cw) + 2 * FItemOffSetX,
            2 * FItemOffSetY + std::max(ch, 0) + (ch > 0 && th > 0 ? FCaptionGap : 0) + std::max(th, 0)};
}

TRect TCustomItemSelector::GetItemsOrigin() const
{
    return {FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY};
}

void TCustomItemSelector::LayoutItems()
{
    if (count() == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    const QSize cell = GetItemSize();
    const int w = cell.width(), h = cell.height();
    const TRect origin = GetItemsOrigin();
    int x = origin.Left, y = origin.Top, column = 0, widest = x;
    for (int i = 0; i < count(); ++i) {
        Items().Items(i).FRect = {x, y, x + w, y + h};
        widest = std::max(widest, x);
        ++column;
        if (i == count() - 1)
            break;
        if (column < Columns()) {
            x += w;
        } else {
            x = origin.Left;
            y += h;
            column = 0;
        }
    }
    resize(widest + w + FOffSetX, y + h + FOffSetY);
    update();
}

// ---- painting --------------------------------------------------------------------------------

void TCustomItemSelector::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.fillRect(rect(), platform::toQColor(FQvItemSelector->Color()));
    for (int i = 0; i < count(); ++i)
        DrawItem(i, &canvas);
}

void TCustomItemSelector::drawContent(QPainter& canvas, const TSelectorItem& item, const QPoint& at, const QSize& size)
{
    if (SelectorType() == stColor) {
        // A colour box: black outline, the item's colour inside.
        const QRect box(at, size);
        draw::fill(canvas, box, item.Color());
        draw::frame(canvas, box, platform::clBlack);
    } else if (!item.Image().isNull()) {
        canvas.drawImage(at, item.Image());
    } else if (Images() && item.ImageIndex() >= 0) {
        Images()->Draw(canvas, at.x(), at.y(), item.ImageIndex(), true);
    }
}

void TCustomItemSelector::DrawItem(int index, QPainter* canvas)
{
    if (index < 0 || index >= count() || !canvas || !FQvItemSelector)
        return;
    const TSelectorItem& item = Items().Items(index);
    const TRect r = item.FRect;
    if (r.Left < 0 && r.Right < 0)
        return;
    const TItemAppearance& look = FQvItemSelector->ItemAppearance();
    const bool hot = index == FItemHot, selected = index == FItemIndex;

    // 1-3. Colours: the look's frame, then the hot and the selected colours (selected wins).
    TColor border = look.BorderColor(), top = look.BorderColorTop(), bottom = look.BorderColorBottom(),
           edge = look.EdgeColor();
    TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
    if (hot) {
        fill = look.ColorHot(), fillTo = look.ColorHotTo();
        mirror = look.ColorMirrorHot(), mirrorTo = look.ColorMirrorHotTo();
        if (look.BorderColorHot() != clNone)
            border = look.BorderColorHot(), top = bottom = edge = clNone;
    }
    if (selected) {
        fill = look.ColorSelected(), fillTo = look.ColorSelectedTo();
        mirror = look.ColorMirrorSelected(), mirrorTo = look.ColorMirrorSelectedTo();
        if (look.BorderColorSelected() != clNone)
            border = look.BorderColorSelected(), top = bottom = edge = clNone;
    }

    // Background.
    if (!hot && !selected)
        draw::fill(*canvas, r.toQRect(), FQvItemSelector->Color());
    else if (top == clNone)
        DrawGradientBox(canvas, r, fill, fillTo, border, 1, grid::gdVertical);
    else
        grid::ZirAzur::DrawRoundedFrame(*canvas, fill, fillTo, mirror, mirrorTo, top, bottom, border, edge,
                                        FQvItemSelector->Color(), r, 0);

    // An owner-drawn item.
    if (FQvItemSelector->OnDrawItem) {
        FQvItemSelector->OnDrawItem(this, *canvas, r, index);
        return;
    }

    // 6-7. Content size, caption area, font.
    const QSize content = contentSize(item);
    TRect t{r.Left + FItemOffSetX, r.Top + FItemOffSetY, r.Right - FItemOffSetX, r.Bottom - FItemOffSetY};
    TRect p = t;
    grid::TFont font = look.Font();
    if (hot)
        font.Color = look.ColorHotText();
    if (selected)
        font.Color = look.ColorSelectedText();
    canvas->save();
    canvas->setFont(grid::toQFont(font));
    canvas->setPen(platform::toQColor(font.Color));
    const QString& caption = item.Caption();
    const bool hasContent = content.width() > 0 || content.height() > 0;
    QSize drawn;
    const auto centreCaption = [&](TRect& area) {
        QSize s;
        DrawMarkupText(*canvas, caption, area, Images(), false, -1, s);
        if (s.height() < area.Height())
            area.Top += (area.Height() - s.height()) / 2;
    };
    const auto drawCaption = [&](const TRect& area) {
        DrawMarkupText(*canvas, caption, area, Images(), true, -1, drawn);
    };
    const auto vCentre = [&] { return p.Top + (p.Height() - content.height()) / 2; };

    // By layout.
    switch (ItemLayout()) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            t.Right -= content.width();
            centreCaption(t);
            drawCaption(t);
        }
        p.Left = t.Left + drawn.width() + FCaptionGap;
        drawContent(*canvas, item, {p.Left, SelectorType() == stColor ? p.Top : vCentre()}, content);
        break;
    case ilCaptionRight:
        drawContent(*canvas, item, {p.Left, SelectorType() == stColor ? p.Top : vCentre()}, content);
        if (hasContent)
            t.Left = p.Left + content.width() + FCaptionGap;
        if (!caption.isEmpty()) {
            centreCaption(t);
            drawCaption(t);
        }
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            t.Bottom -= content.height();
            drawCaption(t);
            p.Top = t.Top + drawn.height() + FCaptionGap;
        } else {
            p.Top += (p.Height() - content.height()) / 2;
        }
        p.Left += (p.Width() - content.width()) / 2;
        drawContent(*canvas, item, {p.Left, p.Top}, content);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty())
            p.Top += (p.Height() - content.height()) / 2;
        p.Left += (p.Width() - content.width()) / 2;
        drawContent(*canvas, item, {p.Left, p.Top}, content);
        if (hasContent)
            t.Top = p.Top + content.height() + FCaptionGap;
        if (!caption.isEmpty())
            drawCaption(t);
        break;
    }
    canvas->restore();
}

// ---- mouse -----------------------------------------------------------------------------------

void TCustomItemSelector::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int index = ItemAtPos(p.x(), p.y());
    if (index >= 0)
        SetItemIndex(index);
    e->accept();
}

void TCustomItemSelector::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int index = ItemAtPos(p.x(), p.y());
    if (index >= 0 && index != FItemHot) {
        SetItemHot(index);
        setToolTip(Items().Items(index).Hint());
        QToolTip::hideText();
    } else if (index < 0) {
        SetItemHot(-1);
    }
    e->accept();
}

void TCustomItemSelector::leaveEvent(QEvent* e)
{
    SetItemHot(-1);
    QWidget::leaveEvent(e);
}

// ---- the outer selector ----------------------------------------------------------------------

TQvCustomItemSelector::TQvCustomItemSelector(QWidget* owner)
    : QScrollArea(owner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>())
{
    FItems->OnChange = [this](grid::TObject*) { ItemsChanged(); };
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetColor(FColor);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TQvCustomItemSelector::~TQvCustomItemSelector()
{
    // The panel reads the items while it goes; it goes first.
    delete takeWidget();
    FItemSelectorPanel = nullptr;
}

void TQvCustomItemSelector::CreateSelectorPanel()
{
    if (FItemSelectorPanel)
        return;
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->OnItemSelect = [this](QObject*) { PanelItemSelect(); };
    setWidget(FItemSelectorPanel);
}

void TQvCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel)
        FItemSelectorPanel->LayoutItems();
}

void TQvCustomItemSelector::ItemsChanged()
{
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::PanelItemSelect()
{
    if (OnItemSelect)
        OnItemSelect(this);
}

void TQvCustomItemSelector::SetSelectorType(TSelectorType v)
{
    if (FSelectorType == v)
        return;
    FSelectorType = v;
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::SetColumns(int v)
{
    if (v <= 0 || v == FColumns)
        return;
    FColumns = v;
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::SetColorBoxWidth(int v)
{
    if (FColorBoxWidth == v)
        return;
    FColorBoxWidth = v;
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::SetColorBoxHeight(int v)
{
    if (FColorBoxHeight == v)
        return;
    FColorBoxHeight = v;
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::SetImages(const grid::TCustomImageList* v)
{
    if (FImages == v)
        return;
    FImages = v;
    UpdateSelectorPanel();
}

void TQvCustomItemSelector::SetColor(TColor v)
{
    FColor = v;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, platform::toQColor(v));
    setPalette(pal);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    if (FItemSelectorPanel)
        FItemSelectorPanel->update();
}

int TQvCustomItemSelector::ItemIndex() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TQvCustomItemSelector::SetItemIndex(int v)
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SetItemIndex(v);
    ScrollItemInView(ItemIndex());
}

int TQvCustomItemSelector::ItemHot() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

void TQvCustomItemSelector::SelectFirst()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SelectFirst();
    ScrollItemInView(ItemIndex());
}

void TQvCustomItemSelector::SelectLast()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SelectLast();
    ScrollItemInView(ItemIndex());
}

void TQvCustomItemSelector::SelectNext()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SelectNext();
    ScrollItemInView(ItemIndex());
}

void TQvCustomItemSelector::SelectPrevious()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SelectPrevious();
    ScrollItemInView(ItemIndex());
}

void TQvCustomItemSelector::HotNext()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->HotNext();
    ScrollItemInView(ItemHot());
}

void TQvCustomItemSelector::HotPrevious()
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->HotPrevious();
    ScrollItemInView(ItemHot());
}

bool TQvCustomItemSelector::LookupItem(const QString& s)
{
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(s);
}

void TQvCustomItemSelector::ScrollItemInView(int index)
{
    if (!FItemSelectorPanel || index < 0 || index >= FItems->Count() || !verticalScrollBar()->isVisible())
        return;
    const TRect item = FItemSelectorPanel->GetItemRect(index);
    // The item in the view's coordinates.
    const int offset = FItemSelectorPanel->y();
    int top = item.Top + offset, bottom = item.Bottom + offset;
    const int clientHeight = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    if (top < 0) {
        bar->setValue(bar->value() + top);
    } else if (bottom > clientHeight) {
        if (bottom - top > clientHeight)
            bottom = top + clientHeight;
        bar->setValue(bar->value() + bottom - clientHeight);
    }
}

int TQvCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems->Count() == 0)
        return 0;
    const int itemHeight = FItemSelectorPanel->GetItemRect(0).Height();
    // A zero-high item (possible only through OnItemSize) would divide by zero.
    if (itemHeight <= 0)
        return 0;
    int h = height();
    if (horizontalScrollBar()->isVisible())
        h -= 20;
    return h / itemHeight * FColumns;
}

QSize TQvCustomItemSelector::GetPanelSize() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->size() : QSize(100, 50);
}

} // namespace dropdowns
