// The popup bars' flat button and its colour set.

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/PopupBars.h"
#include "dropdowns/QvDropDown.h"
#include "grid/QvObj.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <typeinfo>

namespace dropdowns {

using platform::clNone;

// ---- TQvButtonAppearance ---------------------------------------------------------------------

TQvButtonAppearance::TQvButtonAppearance()
{
    // The checked colours are the hot ones with red and green taken down by a tenth.
    FColorChecked = ScaleColorChannels(FColorHot, -10, -10, 0);
    FColorCheckedTo = ScaleColorChannels(FColorHotTo, -10, -10, 0);
}

void TQvButtonAppearance::set(TColor& field, TColor v)
{
    if (field == v)
        return;
    field = v;
    Changed();
}

void TQvButtonAppearance::SetGradient(grid::TGradientDirection v)
{
    if (FGradient == v)
        return;
    FGradient = v;
    Changed();
}

void TQvButtonAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TQvButtonAppearance::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TQvButtonAppearance*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a "
                                    + ClassName().toStdString());
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetGradient(s->FGradient);
}

// ---- TQvButton -------------------------------------------------------------------------------

namespace {

// Which modal results close the popup, and whether they cancel the choice.
struct TModalClose {
    grid::TModalResult result;
    bool cancel;
};
constexpr TModalClose kClosingResults[] = {
    {1, false},  // OK
    {2, true},   // Cancel
    {3, true},   // Abort
    {5, true},   // Ignore
    {6, false},  // Yes
    {7, true},   // No
    {12, false}, // All
    {13, true},  // No to all
    {14, false}, // Yes to all
};

const TModalClose* closingResult(grid::TModalResult result)
{
    for (const TModalClose& c : kClosingResults)
        if (c.result == result)
            return &c;
    return nullptr;
}

} // namespace

TQvButton::TQvButton(QWidget* owner) : QWidget(owner), FUnHotTimer(new QTimer(this))
{
    setGeometry(0, 0, 23, 22);
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    setFont(f);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    // A hot state the leave notice missed (the mouse left through a window the popup covers)
    // is cleared by the first tick that finds the cursor outside.
    FUnHotTimer->setInterval(1);
    connect(FUnHotTimer, &QTimer::timeout, this, [this] { unHotTick(); });
}

void TQvButton::SetAppearance(TQvButtonAppearance* v)
{
    FAppearance = v;
    update();
}

void TQvButton::SetImages(const grid::TCustomImageList* v)
{
    FImages = v;
    update();
}

void TQvButton::SetImageIndex(int v)
{
    FImageIndex = v;
    update();
}

void TQvButton::SetQvDropDown(TQvCustomDropDown* v)
{
    if (FQvDropDown != v)
        FQvDropDown = v;
}

void TQvButton::SetCaption(const QString& v)
{
    FCaption = v;
    update();
}

void TQvButton::AutoSizeButton()
{
    if (!FAppearance)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter canvas(&scratch);
    canvas.setFont(grid::toQFont(FAppearance->Font()));
    QSize extent = MeasureText(canvas, FCaption);
    if (FImages && FImageIndex >= 0)
        extent = extent.expandedTo(QSize(FImages->Width(), FImages->Height()));
    resize(extent.width() + 8, extent.height() + 4);
}

void TQvButton::DrawButton(QPainter& canvas)
{
    if (!FAppearance)
        return;
    const TQvButtonAppearance& a = *FAppearance;
    const TRect b = TRect::fromQRect(rect());
    // Colours by the first state that applies. Pressed and hot fills are one colour.
    TColor from, to, border;
    if (!isEnabled()) {
        from = a.ColorDisabled(), to = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = a.ColorDown(), to = clNone, border = a.BorderColorDown();
    } else if (FMouseInControl || hasFocus()) {
        from = a.ColorHot(), to = clNone, border = a.BorderColorHot();
    } else {
        from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    }
    // Fill and frame.
    DrawGradientBox(&canvas, b, from, to, border, 1, a.Gradient());
    // 3-4. Image and caption over the fill.
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(grid::toQFont(a.Font()));
    canvas.setPen(platform::toQColor(a.Font().Color));
    DrawImageAndText(&canvas, b, FCaption, FImages, FImageIndex);
}

void TQvButton::paintEvent(QPaintEvent*)
{
    if (!isEnabled())
        FDragging = false;
    // The bar under the button has painted already: a child widget shows its parent through
    // whatever it leaves unpainted.
    QPainter canvas(this);
    DrawButton(canvas);
}

void TQvButton::Click()
{
    if (FQvDropDown) {
        if (const TModalClose* c = closingResult(FModalResult))
            FQvDropDown->HideDropDown(c->cancel);
    }
    if (!FInternalClick && OnClick)
        OnClick(this);
}

bool TQvButton::DialogChar(QChar ch)
{
    if (!isEnabled() || !isVisible())
        return false;
    for (int i = 0; i + 1 < FCaption.size(); ++i) {
        if (FCaption[i] != u'&')
            continue;
        if (FCaption[i + 1] == u'&') {
            ++i;
            continue;
        }
        if (FCaption[i + 1].toUpper() == ch.toUpper()) {
            Click();
            return true;
        }
        return false;
    }
    return false;
}

// ---- mouse tracking --------------------------------------------------------------------------

bool TQvButton::inside(const QPoint& p) const
{
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TQvButton::mouseEnter()
{
    FMouseInControl = true;
    if (isEnabled())
        update();
    FUnHotTimer->start();
}

void TQvButton::mouseLeave()
{
    FUnHotTimer->stop();
    FMouseInControl = false;
    if (isEnabled())
        update();
}

void TQvButton::unHotTick()
{
    // A press in progress tracks the cursor itself.
    if (FDragging || rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    FUnHotTimer->stop();
    FMouseInControl = false;
    if (isEnabled())
        update();
}

void TQvButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    mouseEnter();
}

void TQvButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    mouseLeave();
}

void TQvButton::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    FMouseDownInControl = true;
    FMouseInControl = true;
    FDragging = true;
    FWasInside = true;
    update();
}

void TQvButton::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    const bool in = inside(e->position().toPoint());
    if (FDragging) {
        // The pressed look shows only while the cursor is over the button.
        FMouseInControl = in;
        if (in != FWasInside)
            update();
        FWasInside = in;
    } else if (!FMouseInControl && in) {
        // The mouse is over the button without the enter notice having come.
        mouseEnter();
    }
}

void TQvButton::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() != Qt::LeftButton)
        return;
    const bool in = inside(e->position().toPoint());
    const bool wasDragging = FDragging;
    FMouseDownInControl = false;
    update();
    if (FDragging) {
        FDragging = false;
        FMouseInControl = false;
        if (in)
            update();
    }
    // A button released under the cursor is hot again.
    if (in)
        mouseEnter();
    else if (FMouseInControl)
        mouseLeave();
    if (wasDragging && in && isEnabled())
        Click();
}

// ---- keyboard --------------------------------------------------------------------------------

void TQvButton::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        // A keyboard click closes by the modal result but reports no button click.
        FInternalClick = true;
        Click();
        FInternalClick = false;
    }
    QWidget::keyPressEvent(e);
}

void TQvButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
}

void TQvButton::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void TQvButton::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}

} // namespace dropdowns
