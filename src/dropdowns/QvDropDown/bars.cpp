// The popup's header and footer bars: building and arranging their buttons, painting, and the
// footer's size grip.

#include "dropdowns/DropDownForm.h"
#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/PopupBars.h"
#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "grid/QvObj.h"
#include "grid/look/QvDropXPVS.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace dropdowns {

using platform::clNone;
using platform::clWhite;

namespace {

// A line of the classic canvas: from (x1, y1) towards (x2, y2) without the end point,
// horizontal or vertical, `width` pixels thick and centred on the line.
void penLine(QPainter& canvas, int x1, int y1, int x2, int y2, TColor color, int width)
{
    const int before = (width - 1) / 2;
    QRect r;
    if (y1 == y2) {
        const int from = x2 > x1 ? x1 : x2 + 1, to = x2 > x1 ? x2 - 1 : x1;
        r = QRect(QPoint(from, y1 - before), QPoint(to, y1 - before + width - 1));
    } else {
        const int from = y2 > y1 ? y1 : y2 + 1, to = y2 > y1 ? y2 - 1 : y1;
        r = QRect(QPoint(x1 - before, from), QPoint(x1 - before + width - 1, to));
    }
    if (r.isValid())
        canvas.fillRect(r, platform::toQColor(color));
}

} // namespace

// ---- shared bar ------------------------------------------------------------------------------

template <class Look, class Button>
TQvBar<Look, Button>::TQvBar(QWidget* owner) : QWidget(owner)
{
    FAppearance.OnChange = [this](grid::TObject*) { AppearanceChanged(); };
}

template <class Look, class Button>
TQvBar<Look, Button>::~TQvBar()
{
    FAppearance.OnChange = nullptr;
}

template <class Look, class Button>
bool TQvBar<Look, Button>::PopupWithoutBorder() const
{
    return !FQvDropDown || FQvDropDown->DropDownBorderWidth() <= 0 || FQvDropDown->DropDownBorderColor() == clNone;
}

template <class Look, class Button>
void TQvBar<Look, Button>::AppearanceChanged()
{
    setVisible(FAppearance.Visible());
    resize(width(), FAppearance.Height());
}

template <class Look, class Button>
void TQvBar<Look, Button>::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i)
        delete FButtonList.GetItemsEx(i);
    FButtonList.Clear();
}

template <class Look, class Button>
void TQvBar<Look, Button>::CreateButtons()
{
    const grid::TBarButtons<Button>* items = Buttons();
    if (!FQvDropDown || !items)
        return;
    ClearButtons();
    const int maxHeight = ButtonRect().Height();
    for (int i = 0; i < items->Count(); ++i) {
        const Button& item = items->GetItem(i);
        auto* b = new TQvButton(this);
        b->SetAppearance(&FQvDropDown->ButtonAppearance());
        b->SetCaption(item.Caption());
        b->SetImages(FImages);
        b->SetImageIndex(item.ImageIndex());
        b->setEnabled(item.Enabled());
        SetUpButton(*b, i);
        b->AutoSizeButton();
        if (item.Width() > 0)
            b->resize(item.Width(), b->height());
        if (item.Height() > 0)
            b->resize(b->width(), item.Height());
        if (b->height() > maxHeight)
            b->resize(b->width(), maxHeight);
        b->SetTag(i);
        b->OnClick = [this](QObject* sender) { ButtonClick(sender); };
        b->show();
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

template <class Look, class Button>
void TQvBar<Look, Button>::ArrangeButtons()
{
    if (FButtonList.Count() == 0)
        return;
    const TRect r = ButtonRect();
    int x = FAppearance.ButtonAlignment() == grid::baRight ? r.Right : r.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TQvButton* b = FButtonList.GetItemsEx(i);
        // Centred on the bar's height, not on the rectangle's: the top counts from the bar's
        // top edge.
        const int top = std::max(r.Top, (r.Bottom - b->height()) / 2);
        if (FAppearance.ButtonAlignment() == grid::baRight) {
            x -= b->width();
            b->move(x, top);
        } else {
            b->move(x, top);
            x += b->width();
        }
    }
}

template <class Look, class Button>
TRect TQvBar<Look, Button>::GetCaptionRect() const
{
    if (FButtonList.Count() == 0)
        return {-1, -1, -1, -1};
    TRect r = ButtonRect();
    r.Right = FButtonList.GetItemsEx(FButtonList.Count() - 1)->x() - 2;
    return r;
}

template <class Look, class Button>
void TQvBar<Look, Button>::ButtonClick(QObject* sender)
{
    if (auto* b = qobject_cast<TQvButton*>(sender); b && FQvDropDown)
        ReportButtonClick(b->Tag());
}

template <class Look, class Button>
void TQvBar<Look, Button>::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

template <class Look, class Button>
void TQvBar<Look, Button>::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const TRect r = TRect::fromQRect(rect());
    // A drawing handler replaces everything the bar draws itself.
    if (OnDrawBackGround) {
        OnDrawBackGround(this, canvas, rect());
        return;
    }
    const Look& look = FAppearance;
    // Background.
    if (look.ColorTo() != clNone)
        grid::FillGradientRect(canvas, look.Color(), look.ColorTo(), look.GradientDirection() == grid::gdHorizontal, r,
                               80);
    else if (look.Color() != clNone)
        draw::fill(canvas, rect(), look.Color());
    // Frame, then the light inner frame.
    const int bw = look.BorderWidth();
    if (look.BorderColor() != clNone && bw > 0) {
        DrawFrameLines(canvas, r, PopupWithoutBorder());
        draw::frame(canvas, InnerFrameRect(r).toQRect(), MixColors(look.BorderColor(), clWhite, 20));
    }
    // Content.
    TRect c{r.Left + bw, r.Top + bw, r.Right - bw, r.Bottom - bw};
    // Image.
    if (look.ImageIndex() >= 0 && FImages) {
        FImages->Draw(canvas, c.Left + 4, c.Top + (c.Height() - FImages->Height()) / 2, look.ImageIndex(), true);
        c.Left += 4 + FImages->Width() + 4;
    }
    // Caption, cut before the buttons and centred on the content's height.
    QString text = look.Caption();
    if (OnGetText)
        OnGetText(this, text);
    if (!text.isEmpty()) {
        if (FButtonList.Count() > 0)
            c.Right = GetCaptionRect().Right;
        canvas.setFont(grid::toQFont(look.Font()));
        canvas.setPen(platform::toQColor(look.Font().Color));
        QSize size;
        DrawMarkupText(canvas, text, c, FImages, false, -1, size);
        if (size.height() < c.Height())
            c.Top += (c.Height() - size.height()) / 2;
        DrawMarkupText(canvas, text, c, FImages, true, -1, size);
    }
    // 7.
    PaintExtras(canvas, r);
}

template class TQvBar<grid::THeaderAppearance, grid::THeaderButton>;
template class TQvBar<grid::TFooterAppearance, grid::TFooterButton>;

// ---- header ----------------------------------------------------------------------------------

TQvHeader::TQvHeader(QWidget* owner) : TQvBar(owner) {}

void TQvHeader::SetQvDropDown(TQvCustomDropDown* dropDown)
{
    FQvDropDown = dropDown;
    if (!dropDown) {
        FImages = nullptr;
        return;
    }
    FImages = dropDown->Images();
    FAppearance.Assign(dropDown->DropDownHeader());
}

const grid::TBarButtons<grid::THeaderButton>* TQvHeader::Buttons() const
{
    return FQvDropDown ? &FQvDropDown->DropDownHeader().GetButtons() : nullptr;
}

TRect TQvHeader::ButtonRect() const
{
    return {2, 2, width() - 2, height() - 3};
}

void TQvHeader::ReportButtonClick(int index)
{
    if (FQvDropDown->OnDropDownHeaderButtonClick)
        FQvDropDown->OnDropDownHeaderButtonClick(FQvDropDown, index);
}

void TQvHeader::DrawFrameLines(QPainter& canvas, const TRect& r, bool ownBorder)
{
    const TColor c = FAppearance.BorderColor();
    const int w = FAppearance.BorderWidth();
    penLine(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, c, w);
    if (ownBorder) {
        penLine(canvas, r.Left, r.Bottom - 1, r.Left, r.Top, c, w);
        penLine(canvas, r.Left, r.Top, r.Right, r.Top, c, w);
        penLine(canvas, r.Right, r.Top, r.Right, r.Bottom - 1, c, w);
    }
}

TRect TQvHeader::InnerFrameRect(const TRect& r) const
{
    return {r.Left, r.Top, r.Right, r.Bottom - FAppearance.BorderWidth()};
}

// ---- footer ----------------------------------------------------------------------------------

TQvFooter::TQvFooter(QWidget* owner) : TQvBar(owner)
{
    setMouseTracking(true);
}

void TQvFooter::SetQvDropDown(TQvCustomDropDown* dropDown)
{
    FQvDropDown = dropDown;
    if (!dropDown) {
        FImages = nullptr;
        return;
    }
    FImages = dropDown->Images();
    FAppearance.Assign(dropDown->DropDownFooter());
}

const grid::TBarButtons<grid::TFooterButton>* TQvFooter::Buttons() const
{
    return FQvDropDown ? &FQvDropDown->DropDownFooter().GetButtons() : nullptr;
}

void TQvFooter::SetUpButton(TQvButton& button, int index)
{
    button.SetQvDropDown(FQvDropDown);
    button.SetModalResult(FQvDropDown->DropDownFooter().GetButtons().GetItem(index).ModalResult());
}

bool TQvFooter::SizeGripVisible() const
{
    return FAppearance.SizeGrip() && FQvDropDown && FQvDropDown->DropDownSizeable();
}

TRect TQvFooter::ButtonRect() const
{
    return {2, 2, width() - (SizeGripVisible() ? 14 : 2), height() - 2};
}

void TQvFooter::ReportButtonClick(int index)
{
    if (FQvDropDown->OnDropDownFooterButtonClick)
        FQvDropDown->OnDropDownFooterButtonClick(FQvDropDown, index);
}

void TQvFooter::DrawFrameLines(QPainter& canvas, const TRect& r, bool ownBorder)
{
    const TColor c = FAppearance.BorderColor();
    const int w = FAppearance.BorderWidth();
    penLine(canvas, r.Left, r.Top, r.Right, r.Top, c, w);
    if (ownBorder) {
        penLine(canvas, r.Left, r.Top, r.Left, r.Bottom, c, w);
        penLine(canvas, r.Left, r.Bottom, r.Right, r.Bottom, c, w);
        penLine(canvas, r.Right, r.Bottom, r.Right, r.Top, c, w);
    }
}

TRect TQvFooter::InnerFrameRect(const TRect& r) const
{
    return {r.Left, r.Top + FAppearance.BorderWidth(), r.Right, r.Bottom};
}

void TQvFooter::PaintExtras(QPainter& canvas, const TRect& r)
{
    if (!SizeGripVisible())
        return;
    const int bw = FAppearance.BorderWidth();
    DrawSizeGrip(canvas, {r.Right - bw - 16, 1, r.Right - bw - 1, r.Bottom});
}

void TQvFooter::DrawSizeGrip(QPainter& canvas, const TRect& g)
{
    // Six raised dots: a white square with a square in the border colour one pixel up and
    // left of it.
    static constexpr QPoint kDots[] = {{5, -4}, {9, -4}, {13, -4}, {13, -8}, {13, -12}, {9, -8}};
    for (const QPoint& d : kDots)
        draw::fill(canvas, QRect(g.Left + d.x(), g.Bottom + d.y(), 2, 2), clWhite);
    for (const QPoint& d : kDots)
        draw::fill(canvas, QRect(g.Left + d.x() - 1, g.Bottom + d.y() - 1, 2, 2), FAppearance.BorderColor());
}

// ---- the size grip ---------------------------------------------------------------------------

bool TQvFooter::InGripZone(const QPoint& p) const
{
    return p.x() > width() - 12 && p.y() > height() - 15;
}

void TQvFooter::mousePressEvent(QMouseEvent* e)
{
    auto* form = qobject_cast<TDropDownForm*>(parentWidget());
    if (e->button() == Qt::LeftButton && SizeGripVisible() && form && InGripZone(e->position().toPoint())) {
        // The popup's own sizing by its bottom-right corner takes over.
        FSizing = true;
        form->BeginUserSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void TQvFooter::mouseMoveEvent(QMouseEvent* e)
{
    auto* form = qobject_cast<TDropDownForm*>(parentWidget());
    if (FSizing && form) {
        form->MoveUserSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    const bool grip = SizeGripVisible() && form && InGripZone(e->position().toPoint());
    if (grip && !FSizingCursor) {
        setCursor(Qt::SizeFDiagCursor);
        FSizingCursor = true;
    } else if (!grip) {
        restoreCursor();
    }
    QWidget::mouseMoveEvent(e);
}

void TQvFooter::mouseReleaseEvent(QMouseEvent* e)
{
    if (FSizing && e->button() == Qt::LeftButton) {
        FSizing = false;
        if (auto* form = qobject_cast<TDropDownForm*>(parentWidget()))
            form->EndUserSizing();
    }
    restoreCursor();
    QWidget::mouseReleaseEvent(e);
}

void TQvFooter::leaveEvent(QEvent* e)
{
    restoreCursor();
    QWidget::leaveEvent(e);
}

void TQvFooter::restoreCursor()
{
    if (!FSizingCursor)
        return;
    unsetCursor();
    FSizingCursor = false;
}

} // namespace dropdowns
