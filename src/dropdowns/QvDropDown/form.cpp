// The popup window: background, aligned children, key and wheel forwarding, loss of activation,
// resizing by the bottom-right corner and the switch to a plain window while a modal window
// opened from it is up.

#include "dropdowns/DropDownForm.h"
#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "dropdowns/QvDropDown/Internal.h"
#include "grid/look/QvDropXPVS.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace dropdowns {

using internal::meantVisible;

TDropDownForm::TDropDownForm(QWidget* owner, platform::Desktop* desktop)
    : QWidget(owner, windowFlagsFor(false)), FDesktop(desktop ? desktop : &platform::productionDesktop())
{
    // The edit keeps the activation and the focus; the popup never takes them from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoMouseReplay);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    FShadow = true;
    FCancelOnDeActivate = true;
}

TDropDownForm::~TDropDownForm()
{
    if (OnDestroy)
        OnDestroy();
}

Qt::WindowFlags TDropDownForm::windowFlagsFor(bool blocked)
{
    const Qt::WindowFlags common = Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
    return blocked ? (Qt::Tool | Qt::WindowStaysOnTopHint | common) : (Qt::Popup | common);
}

// ---- modal windows over the popup ------------------------------------------------------------

void TDropDownForm::SetBlockActivate(bool v)
{
    if (FBlockActivate == v)
        return;
    FBlockActivate = v;
    if (isVisible())
        switchWindowMode();
}

void TDropDownForm::switchWindowMode()
{
    const QRect g = geometry();
    FSwitchingMode = true;
    setWindowFlags(windowFlagsFor(FBlockActivate)); // hides the window
    setGeometry(g);
    show();
    raise();
    FSwitchingMode = false;
}

void TDropDownForm::ShowAt(const QRect& g)
{
    const bool popup = windowFlags().testFlag(Qt::Popup) && !windowFlags().testFlag(Qt::Tool);
    if (popup == FBlockActivate) {
        FSwitchingMode = true;
        setWindowFlags(windowFlagsFor(FBlockActivate));
        FSwitchingMode = false;
    }
    setGeometry(g);
    show();
    raise();
}

// ---- losing activation -----------------------------------------------------------------------

void TDropDownForm::Deactivated()
{
    if (FBlockActivate || !isVisible())
        return;
    FDeActivate = FDesktop->tickCount();
    if (FQvDropDown)
        FQvDropDown->CloseDropDown(FCancelOnDeActivate);
    else
        hide();
}

void TDropDownForm::closeEvent(QCloseEvent* e)
{
    // Qt asks a popup to close when a modal window opens or the application loses the
    // activation: that is the popup losing activation. It stays while BlockActivate is set.
    e->ignore();
    Deactivated();
}

void TDropDownForm::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!FSwitchingMode && !e->spontaneous() && OnHide)
        OnHide();
}

// ---- painting and layout ---------------------------------------------------------------------

void TDropDownForm::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    PaintBackground(canvas);
}

void TDropDownForm::PaintBackground(QPainter& canvas)
{
    if (!FQvDropDown)
        return;
    const TQvCustomDropDown& dd = *FQvDropDown;
    const int b = dd.DropDownBorderWidth();
    const QRect client = rect();
    // Background: a gradient of 80 bands, or one colour.
    const QRect r = client.adjusted(b, b, -b, -b);
    if (dd.DropDownColor() != clNone && dd.DropDownColorTo() != clNone)
        grid::FillGradientRect(canvas, dd.DropDownColor(), dd.DropDownColorTo(),
                               dd.DropDownGradient() == grid::gdHorizontal, grid::TRect::fromQRect(r), 80);
    else if (dd.DropDownColor() != clNone)
        draw::fill(canvas, r, dd.DropDownColor());
    // The border, b pixels wide inside the window's edge. Most colour schemes set no border
    // colour while keeping the 1-pixel width: no colour draws no border.
    if (b > 0 && dd.DropDownBorderColor() != clNone)
        draw::frame(canvas, client, dd.DropDownBorderColor(), b);
}

void TDropDownForm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    AlignControls();
    update();
}

void TDropDownForm::SetAlign(QWidget* child, TAlign align)
{
    if (!child)
        return;
    auto it = std::find_if(FAligned.begin(), FAligned.end(), [child](const auto& a) { return a.first == child; });
    if (it != FAligned.end())
        it->second = align;
    else
        FAligned.emplace_back(child, align);
    AlignControls();
}

TAlign TDropDownForm::Align(const QWidget* child) const
{
    for (const auto& [w, align] : FAligned)
        if (w == child)
            return align;
    return alNone;
}

QRect TDropDownForm::AlignRect() const
{
    // Aligned children sit inside the drop-down's popup border.
    const int b = FQvDropDown ? FQvDropDown->DropDownBorderWidth() : 0;
    return rect().adjusted(b, b, -b, -b);
}

void TDropDownForm::AlignControls()
{
    // Children keep their own size until the window first exists: a picker's control sizes the
    // first opening, and from then on fills the popup it was aligned to.
    if (!testAttribute(Qt::WA_WState_Created))
        return;
    FAligned.erase(std::remove_if(FAligned.begin(), FAligned.end(),
                                  [this](const auto& a) { return !a.first || a.first->parentWidget() != this; }),
                   FAligned.end());
    QRect free = AlignRect();
    // A visible bar look whose bar is not built keeps its place, so the client control keeps
    // the size it was given.
    if (FQvDropDown && !FHeader && FQvDropDown->DropDownHeader().Visible())
        free.setTop(free.top() + FQvDropDown->DropDownHeader().Height());
    if (FQvDropDown && !FFooter && FQvDropDown->DropDownFooter().Visible())
        free.setBottom(free.bottom() - FQvDropDown->DropDownFooter().Height());
    // Top bars first, then bottom bars, then the client control in what is left.
    for (const TAlign pass : {alTop, alBottom, alClient}) {
        for (const auto& [w, align] : FAligned) {
            if (align != pass || !meantVisible(w))
                continue;
            switch (align) {
            case alTop:
                w->setGeometry(free.left(), free.top(), free.width(), w->height());
                free.setTop(free.top() + w->height());
                break;
            case alBottom:
                w->setGeometry(free.left(), free.bottom() + 1 - w->height(), free.width(), w->height());
                free.setBottom(free.bottom() - w->height());
                break;
            case alClient:
                w->setGeometry(free.left(), free.top(), std::max(0, free.width()), std::max(0, free.height()));
                break;
            case alNone:
                break;
            }
        }
    }
}

namespace {

// Links a bar to the drop-down again and rebuilds its buttons; creates it first when there is
// none and the look is visible. Bars once created stay; a hidden look only hides them.
template <class Bar, class Look>
void initializeBar(TDropDownForm& form, QPointer<Bar>& bar, TQvCustomDropDown& dd, const Look& look, TAlign align)
{
    if (bar) {
        bar->SetQvDropDown(&dd);
        // The look's height may have changed since the bar was made; the popup is sized by it.
        bar->resize(bar->width(), look.Height());
        bar->CreateButtons();
        bar->setVisible(look.Visible());
    } else if (look.Visible()) {
        bar = new Bar(&form);
        bar->resize(form.width(), look.Height());
        bar->SetQvDropDown(&dd);
        bar->CreateButtons();
        bar->show();
        form.SetAlign(bar, align);
    }
}

} // namespace

void TDropDownForm::InitializeAndUpdate()
{
    if (!FQvDropDown)
        return;
    TQvCustomDropDown& dd = *FQvDropDown;
    initializeBar(*this, FHeader, dd, dd.DropDownHeader(), alTop);
    if (FHeader) {
        FHeader->OnDrawBackGround = dd.OnDrawHeader;
        FHeader->OnGetText = dd.OnGetHeaderText;
    }
    initializeBar(*this, FFooter, dd, dd.DropDownFooter(), alBottom);
    if (FFooter) {
        FFooter->OnDrawBackGround = dd.OnDrawFooter;
        FFooter->OnGetText = dd.OnGetFooterText;
    }
    AlignControls();
}

bool TDropDownForm::BarDialogChar(QChar ch)
{
    for (QWidget* bar : {static_cast<QWidget*>(FHeader.data()), static_cast<QWidget*>(FFooter.data())}) {
        if (!bar || !bar->isVisible())
            continue;
        for (TQvButton* b : bar->findChildren<TQvButton*>(Qt::FindDirectChildrenOnly))
            if (b->DialogChar(ch))
                return true;
    }
    return false;
}

// ---- keys and wheel --------------------------------------------------------------------------

bool TDropDownForm::keyFromChild() const
{
    // A key the focused child did not take comes up to the popup; the child's own key events
    // were forwarded already.
    const QWidget* focus = focusWidget();
    return focus && focus != this;
}

void TDropDownForm::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    // Alt plus a bar button's accelerator clicks the button; the key goes no further.
    const bool altOnly = e->modifiers().testFlag(Qt::AltModifier) && !e->modifiers().testFlag(Qt::ControlModifier);
    QChar ch = e->text().isEmpty() ? QChar() : e->text().at(0);
    if (ch.isNull() && e->key() >= Qt::Key_0 && e->key() <= Qt::Key_Z)
        ch = QChar(e->key());
    if (altOnly && !ch.isNull() && BarDialogChar(ch))
        return;
    if (keyFromChild())
        return;
    int key = e->key();
    if (key != 0 && key != Qt::Key_unknown && OnKeyDown)
        OnKeyDown(key, e->modifiers());
    // The characters follow the key-down as the window system sends them, whatever the
    // key-down handler did with the key.
    if (OnKeyPress && !(e->modifiers().testFlag(Qt::AltModifier) && !e->modifiers().testFlag(Qt::ControlModifier)))
        for (QChar ch : e->text()) {
            QChar c = ch;
            OnKeyPress(c);
        }
}

void TDropDownForm::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    if (keyFromChild() || e->isAutoRepeat())
        return;
    int key = e->key();
    if (key != 0 && key != Qt::Key_unknown && OnKeyUp)
        OnKeyUp(key, e->modifiers());
}

void TDropDownForm::wheelEvent(QWheelEvent* e)
{
    const int delta = e->angleDelta().y();
    bool handled = false;
    const QPoint pos = e->position().toPoint();
    if (delta < 0 && OnMouseWheelDown)
        OnMouseWheelDown(e->modifiers(), pos, handled);
    else if (delta > 0 && OnMouseWheelUp)
        OnMouseWheelUp(e->modifiers(), pos, handled);
    e->accept();
}

// ---- mouse: outside presses and the sizing corner --------------------------------------------

bool TDropDownForm::InSizingCorner(const QPoint& p) const
{
    return FSizeable && p.x() > width() - kSizingCorner && p.y() > height() - kSizingCorner;
}

void TDropDownForm::BeginUserSizing(const QPoint& globalPos)
{
    FSizing = true;
    FSizingStart = globalPos;
    FSizingStartSize = size();
}

void TDropDownForm::MoveUserSizing(const QPoint& globalPos)
{
    if (!FSizing)
        return;
    const QPoint d = globalPos - FSizingStart;
    const QSize wanted = (FSizingStartSize + QSize(d.x(), d.y())).expandedTo(minimumSize()).boundedTo(maximumSize());
    if (wanted == size())
        return;
    resize(wanted);
    if (OnSizing)
        OnSizing();
}

void TDropDownForm::EndUserSizing()
{
    FSizing = false;
}

void TDropDownForm::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    const QPoint p = e->position().toPoint();
    if (!rect().contains(p)) {
        Deactivated();
        return;
    }
    if (e->button() == Qt::LeftButton && InSizingCorner(p))
        BeginUserSizing(e->globalPosition().toPoint());
}

void TDropDownForm::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    if (FSizing) {
        MoveUserSizing(e->globalPosition().toPoint());
        return;
    }
    if (InSizingCorner(e->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
}

void TDropDownForm::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (FSizing && e->button() == Qt::LeftButton)
        EndUserSizing();
}

} // namespace dropdowns
