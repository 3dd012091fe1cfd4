// The drop-down's side of the popup: creating it and the drop button, sizing and placing it,
// opening and closing it, the drop button's click and the hosted control's keys.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Internal.h"
#include "platform/Desktop.h"

#include <QKeyEvent>
#include <QToolTip>

namespace dropdowns {

using internal::meantVisible;

namespace {

// A popup computed smaller than this is held to it.
constexpr int kMinPopupWidth = 80;
constexpr int kMinPopupHeight = 50;
// A click on the drop button this soon after the popup lost activation is the click that
// closed it.
constexpr std::uint32_t kReopenGuardMs = 250;

} // namespace

// Passes the hosted control's keys to the drop-down before the control sees them; a key the
// drop-down dropped does not reach the control.
class ControlKeyFilter final : public QObject {
public:
    explicit ControlKeyFilter(TQvCustomDropDown* owner) : QObject(owner), dd(owner) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != dd->FControl.data())
            return false;
        if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            int key = ke->key();
            if (key != 0 && key != Qt::Key_unknown)
                dd->ControlKeyDown(key, ke->modifiers());
            bool charsKept = ke->text().isEmpty();
            for (QChar ch : ke->text()) {
                QChar c = ch;
                dd->ControlKeyPress(c);
                charsKept = charsKept || !c.isNull();
            }
            return key == 0 || !charsKept;
        }
        if (e->type() == QEvent::KeyRelease) {
            auto* ke = static_cast<QKeyEvent*>(e);
            int key = ke->key();
            if (key != 0 && key != Qt::Key_unknown)
                dd->ControlKeyUp(key, ke->modifiers());
            return key == 0;
        }
        return false;
    }

private:
    TQvCustomDropDown* dd;
};

// ---- creation --------------------------------------------------------------------------------

void TQvCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm)
        return;
    auto* form = new TDropDownForm(this, FDesktop);
    form->SetQvDropDown(this);
    form->hide();
    form->resize(std::max(0, FDropDownWidth), std::max(0, FDropDownHeight));
    form->OnHide = [this] { DropDownClosed(); };
    form->OnKeyPress = [this](QChar& key) { FormKeyPress(key); };
    form->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    form->OnKeyUp = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyUp(key, shift); };
    form->OnMouseWheelDown = [this](Qt::KeyboardModifiers shift, const QPoint& pos, bool& handled) {
        FormWheelDown(shift, pos, handled);
    };
    form->OnMouseWheelUp = [this](Qt::KeyboardModifiers shift, const QPoint& pos, bool& handled) {
        FormWheelUp(shift, pos, handled);
    };
    form->OnDestroy = [this] { DropDownFormDestroyed(); };
    form->OnSizing = [this] { DropDownResized(); };
    FDropDownForm = form;
}

void TQvCustomDropDown::CreateDropDownButton()
{
    if (FButton)
        return;
    FButton = new TDropDownEditButton(this);
    FButton->OnClick = [this](QObject*) { DropButtonClick(); };
    SizeDropDownButton();
}

void TQvCustomDropDown::SizeDropDownButton()
{
    if (!FButton)
        return;
    FButton->SetBounds(FButton->x(), FButton->y(), FButtonWidth, 17);
    FButton->setVisible(true);
    FButton->SetFocusControl(this);
}

// ---- the drop button -------------------------------------------------------------------------

void TQvCustomDropDown::DropButtonClick()
{
    if (!FDropDownForm || FDropDownForm->isVisible())
        return;
    if (FDesktop->tickCount() - FDropDownForm->DeActivateTime() > kReopenGuardMs)
        OpenDropDown();
}

// ---- sizing and placing ----------------------------------------------------------------------

void TQvCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TQvCustomDropDown::SizeDropDown()
{
    if (!FDropDownForm)
        return;
    const bool control = FControl && meantVisible(FControl);
    int w = width();
    if (FDropDownWidth > 0)
        w = FDropDownWidth;
    else if (control)
        w = FControl->width();
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader.Visible())
            h += FDropDownHeader.Height();
        if (FDropDownFooter.Visible())
            h += FDropDownFooter.Height();
        if (control)
            h += FControl->height();
    }
    FDropDownForm->resize(w, h);
}

void TQvCustomDropDown::PlaceControl()
{
    if (!FDropDownForm || !FControl)
        return;
    QWidget* control = FControl;
    if (control->parentWidget() != FDropDownForm) {
        const bool hidden = !meantVisible(control);
        control->setParent(FDropDownForm);
        if (!hidden)
            control->show();
    }
    control->move(control->x(), FDropDownHeader.Visible() ? FDropDownHeader.Height() + 2 : FDropDownBorderWidth);
    FDropDownForm->SetAlign(control, alClient);
}

void TQvCustomDropDown::FocusDropDownControl()
{
    QWidget* fc = FFocusControl;
    if (fc && (fc->focusPolicy() & Qt::TabFocus) && fc->isEnabled() && fc->isVisible() && !fc->hasFocus())
        fc->setFocus(Qt::PopupFocusReason);
}

// ---- opening ---------------------------------------------------------------------------------

void TQvCustomDropDown::OpenDropDown()
{
    Q_ASSERT_X(FConstructed, "OpenDropDown", "a picker's constructor ends with ConstructDropDown()");
    TDropDownForm* form = FDropDownForm;
    // 1.
    if (!form || form->isVisible() || !isEnabled() || ReadOnly())
        return;
    // Pickers fill their control here.
    BeforeDropDown();
    // 3-4. The shadow is a setting only; the bars follow the looks.
    form->SetShadow(FDropDownShadow);
    form->InitializeAndUpdate();
    // 5.
    form->move(x(), y());
    SizeDropDown();
    PlaceControl();
    // 6.
    form->setMinimumSize(kMinPopupWidth, kMinPopupHeight);
    // The hosted control's keys come to the edit as well.
    if (FControl) {
        if (!FControlKeys)
            FControlKeys = new ControlKeyFilter(this);
        FControl->installEventFilter(FControlKeys);
    }
    // The edit's top-left corner on the screen.
    const QPoint p = mapToGlobal(QPoint(0, 0));
    // Below the edit (over its bottom line) or above it.
    const QSize computed = form->size();
    const QPoint below(p.x(), p.y() + height() - 1);
    const QPoint above(p.x(), p.y() - computed.height());
    QPoint pos = below;
    switch (FDropPosition) {
    case dpDown:
        pos = below;
        break;
    case dpUp:
        pos = above;
        break;
    case dpAuto:
        pos = p.y() + computed.height() < FDesktop->screenHeight() ? below : above;
        break;
    }
    // 10.
    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept)
        return;
    // Kept inside the right edge of the work area, except on a monitor left of the primary.
    if (const std::optional<QRect> area = FDesktop->workAreaNear(p)) {
        const int right = area->x() + area->width();
        if (area->x() >= 0 && pos.x() + computed.width() > right && pos.x() < right)
            pos.setX(right - computed.width());
    }
    // The size the popup had when it last closed.
    QSize size = computed;
    if (FUserDropDownWidth != -1)
        size.setWidth(FUserDropDownWidth);
    if (FUserDropDownHeight != -1)
        size.setHeight(FUserDropDownHeight);
    size = size.expandedTo(form->minimumSize());
    // 13-14.
    int h = size.height();
    AdjustDropDownHeight(h);
    // Shown placed and sized in one step.
    FDroppedDown = true;
    form->ShowAt(QRect(pos, QSize(size.width(), h)));
    // 16.
    FocusDropDownControl();
}

// ---- closing ---------------------------------------------------------------------------------

void TQvCustomDropDown::CloseDropDown(bool cancelChanges)
{
    TDropDownForm* form = FDropDownForm;
    // 1.
    if (!form || !form->isVisible())
        return;
    // 2.
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    // Every later opening takes this size until DropDownWidth or DropDownHeight is written.
    FUserDropDownWidth = form->width();
    FUserDropDownHeight = form->height();
    // The popup's hiding runs DropDownClosed.
    form->hide();
    // 5.
    QToolTip::hideText();
    // Live updates made while open are undone.
    if (cancelChanges)
        SetText(FOldText);
    // 7.
    if (OnDropUp)
        OnDropUp(this, cancelChanges);
}

void TQvCustomDropDown::DropDownClosed()
{
    FDroppedDown = false;
    if ((focusPolicy() & Qt::TabFocus) && isEnabled() && isVisible() && !hasFocus() && !FDestroying)
        setFocus(Qt::PopupFocusReason);
}

// ---- wheel -----------------------------------------------------------------------------------

void TQvCustomDropDown::FormWheelDown(Qt::KeyboardModifiers, const QPoint&, bool&)
{
    WheelDown();
}

void TQvCustomDropDown::FormWheelUp(Qt::KeyboardModifiers, const QPoint&, bool&)
{
    WheelUp();
}

} // namespace dropdowns
