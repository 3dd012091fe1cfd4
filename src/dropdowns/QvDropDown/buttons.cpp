// The drop button: the host window the edit places and the speed button that paints it.

#include "dropdowns/DropButtons.h"
#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "grid/look/QvDropXPVS.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dropdowns {

namespace {

// The desktop offers its newer locale functions everywhere here; the themed drop button then
// takes one pixel off its left edge instead of growing on every side.
constexpr bool kHasLocaleInfoEx = true;

// Later colours win where they are set: a state without a colour of its own keeps the one
// before it.
TColor pick(TColor base, bool hot, TColor hotColor, bool pressed, TColor pressedColor)
{
    if (hot && hotColor != clNone)
        base = hotColor;
    if (pressed && pressedColor != clNone)
        base = pressedColor;
    return base;
}

} // namespace

// ---- speed button ----------------------------------------------------------------------------

TQvDropDownSpeedButton::TQvDropDownSpeedButton(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
}

void TQvDropDownSpeedButton::SetEtched(bool v)
{
    if (FEtched == v)
        return;
    FEtched = v;
    update();
}

void TQvDropDownSpeedButton::SetFocused(bool v)
{
    if (FFocused == v)
        return;
    FFocused = v;
    update();
}

void TQvDropDownSpeedButton::SetButtonStyle(TButtonStyle v)
{
    FButtonStyle = v;
    update();
}

void TQvDropDownSpeedButton::SetFlat(bool v)
{
    FFlat = v;
    update();
}

void TQvDropDownSpeedButton::SetGlyph(const QImage& v)
{
    FGlyph = v;
    update();
}

void TQvDropDownSpeedButton::SetCaption(const QString& v)
{
    FCaption = v;
    update();
}

int TQvDropDownSpeedButton::ThemeState() const
{
    if (!isEnabled())
        return 4;
    if (Pressed())
        return 3;
    if (FHot)
        return 2;
    return 1;
}

bool TQvDropDownSpeedButton::ThemesActive() const
{
    return FIsWinXP && grid::ThemeTableActive(grid::DropDownThemeApi);
}

void TQvDropDownSpeedButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        FDown = true;
        FDragging = true;
        update();
    }
    e->accept();
}

void TQvDropDownSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    // The button shows pressed only while the held pointer is over it.
    if (FDragging) {
        const bool inside = rect().contains(e->position().toPoint());
        if (inside != FDown) {
            FDown = inside;
            update();
        }
    }
    e->accept();
}

void TQvDropDownSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, e->button(), e->modifiers(), p.x(), p.y());
    if (e->button() == Qt::LeftButton && FDragging) {
        FDragging = false;
        FDown = false;
        update();
        if (rect().contains(p) && OnClick)
            OnClick(this);
    }
    e->accept();
}

void TQvDropDownSpeedButton::enterEvent(QEnterEvent* e)
{
    QWidget::enterEvent(e);
    FHot = true;
    update();
}

void TQvDropDownSpeedButton::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    FHot = false;
    update();
}

void TQvDropDownSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    if (FButtonStyle == bsButton)
        PaintButtonStyle(canvas);
    else
        PaintDropDownStyle(canvas);
}

void TQvDropDownSpeedButton::PaintClassicFace(QPainter& canvas)
{
    const QRect inside = draw::drawEdge(canvas, rect(), Pressed() ? draw::Edge::PushPressed : draw::Edge::PushRaised);
    draw::fill(canvas, inside, platform::clBtnFace);
    // Glyph and caption side by side, centred, one pixel down and right while pressed.
    const QPoint shift = FDown ? QPoint(1, 1) : QPoint();
    const QFontMetrics fm(font());
    const int gap = !FGlyph.isNull() && !FCaption.isEmpty() ? 4 : 0;
    const int textWidth = FCaption.isEmpty() ? 0 : fm.horizontalAdvance(FCaption);
    const int total = FGlyph.width() + gap + textWidth;
    int x = (width() - total) / 2 + shift.x();
    if (!FGlyph.isNull()) {
        draw::transparentImage(canvas, QPoint(x, (height() - FGlyph.height()) / 2 + shift.y()), FGlyph);
        x += FGlyph.width() + gap;
    }
    if (!FCaption.isEmpty()) {
        canvas.setPen(platform::toQColor(isEnabled() ? platform::clBtnText : platform::clGrayText));
        canvas.drawText(QRect(x, shift.y(), textWidth, height()), Qt::AlignVCenter | Qt::TextSingleLine, FCaption);
    }
}

void TQvDropDownSpeedButton::PaintDropDownStyle(QPainter& canvas)
{
    auto* host = qobject_cast<TDropDownEditButton*>(parentWidget());
    TQvCustomDropDown* edit = host ? host->DropDown() : nullptr;
    const QRect client = rect();
    const bool pressed = Pressed();

    // The host's own colours.
    if (host && host->ButtonColor != clNone) {
        draw::fill(canvas, client, pick(host->ButtonColor, FHot, host->ButtonColorHot, pressed, host->ButtonColorDown));
        // The edit's border colour continues down the button's left edge; without one there is
        // no line to draw.
        if (edit && edit->BorderColor() != clNone)
            draw::fill(canvas, QRect(client.left(), client.top(), 1, client.height()), edit->BorderColor());
        draw::dropArrow(
            canvas, pick(host->ButtonTextColor, FHot, host->ButtonTextColorHot, pressed, host->ButtonTextColorDown));
        return;
    }

    // A glyph replaces the arrow.
    if (!FGlyph.isNull()) {
        draw::fill(canvas, client, platform::clBtnFace);
        draw::frame(canvas, client, platform::clGray);
        draw::transparentImage(canvas, QPoint(0, 0), FGlyph);
        return;
    }

    // A read-only edit shows its button disabled.
    if (edit) {
        const bool enabled = edit->isEnabled() && !edit->ReadOnly();
        if (isEnabled() != enabled)
            setEnabled(enabled);
    }

    // The visual style's combo-box button.
    if (ThemesActive()) {
        QRect r = client;
        if (kHasLocaleInfoEx)
            r.setLeft(r.left() + 1);
        else
            r = r.adjusted(-1, -1, 1, 1).adjusted(2, 0, 0, 0);
        if (draw::themePart(parentWidget(), QStringLiteral("combobox"), canvas, platform::theme::CP_DROPDOWNBUTTON,
                            ThemeState(), r))
            return;
    }

    // Classic: the raised face, a face-coloured and a white line along the top and left, the
    // black arrow.
    PaintClassicFace(canvas);
    const int w = width(), h = height();
    draw::polyline(canvas, platform::clBtnFace, {{w - 2, 0}, {0, 0}, {0, h - 1}});
    draw::polyline(canvas, platform::clWhite, {{w - 3, 1}, {1, 1}, {1, h - 2}});
    draw::dropArrow(canvas, platform::clBlack);
}

void TQvDropDownSpeedButton::PaintButtonStyle(QPainter& canvas)
{
    auto* host = qobject_cast<TDropDownEditButton*>(parentWidget());
    TQvCustomDropDown* edit = host ? host->DropDown() : nullptr;
    if (edit)
        canvas.setFont(edit->font());
    const QPoint shift = FDown ? QPoint(1, 1) : QPoint();
    const QColor textColor = platform::toQColor(isEnabled() ? platform::clBtnText : platform::clGrayText);

    if (ThemesActive()) {
        draw::fill(canvas, rect(), platform::clBtnFace);
        draw::themePart(parentWidget(), QStringLiteral("button"), canvas, platform::theme::BP_PUSHBUTTON, ThemeState(),
                        QRect(0, 0, width() + 1, height() + 1));
        QRect r = rect();
        if (!FGlyph.isNull()) {
            QRect g = r.adjusted(2, 2, -2, -2);
            if (!FCaption.isEmpty())
                g.setLeft(g.left() + 2);
            else if (FGlyph.width() < g.width())
                g.setLeft(g.left() + (g.width() - FGlyph.width()) / 2);
            if (FGlyph.height() < g.height())
                g.setTop(g.top() + (g.height() - FGlyph.height()) / 2);
            draw::transparentImage(canvas, g.topLeft() + shift, FGlyph);
        }
        if (!FCaption.isEmpty()) {
            canvas.setPen(textColor);
            if (FGlyph.isNull()) {
                const QRect t = r.adjusted(3, 1, -3, -1).translated(shift);
                canvas.drawText(t, Qt::AlignHCenter | Qt::AlignTop, FCaption);
            } else {
                QRect t = r;
                t.setLeft(t.left() + FGlyph.width() + 2);
                t.setTop(t.top() - 1);
                canvas.drawText(t, Qt::AlignLeft | Qt::AlignTop, FCaption);
            }
        }
        return;
    }

    if (FFlat) {
        draw::fill(canvas, rect(), platform::clBtnFace);
        const QRect edge = rect().adjusted(0, 0, 1, 1);
        if (FDown)
            draw::frame(canvas, edge, platform::clBtnShadow);
        else
            draw::drawEdge(canvas, edge, FEtched ? draw::Edge::Etched : draw::Edge::Raised);
        if (!FGlyph.isNull()) {
            QImage onFace = FGlyph;
            draw::transparentImage(canvas, rect().adjusted(3, 3, -3, -3).topLeft() + shift, onFace);
        }
        if (!FCaption.isEmpty()) {
            canvas.setPen(textColor);
            canvas.drawText(rect().adjusted(3, 1, -3, -1).translated(shift), Qt::AlignHCenter | Qt::AlignTop, FCaption);
        }
        return;
    }

    PaintClassicFace(canvas);
}

// ---- host ------------------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    FButton = new TQvDropDownSpeedButton(this);
    FButton->setEnabled(isEnabled());
    FButton->OnMouseUp = [this](QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        speedButtonMouseUp(sender, button);
    };
    FButton->SetButtonStyle(bsDropDown);
    FButton->SetGlyph(QImage());
    FBWidth = 16;
    SetBounds(0, 0, 16, 25);
}

TQvCustomDropDown* TDropDownEditButton::DropDown() const
{
    return qobject_cast<TQvCustomDropDown*>(parentWidget());
}

void TDropDownEditButton::speedButtonMouseUp(QObject* sender, Qt::MouseButton button)
{
    // The edit opens its popup on the mouse-up, not the press.
    if (button == Qt::LeftButton && OnClick && sender == FButton)
        OnClick(this);
}

void TDropDownEditButton::applyButtonWidth(int& width, int height)
{
    width = FBWidth;
    FButton->setGeometry(0, 0, FBWidth, height);
}

void TDropDownEditButton::SetBounds(int left, int top, int width, int height)
{
    applyButtonWidth(width, height);
    setGeometry(left, top, width, height);
}

void TDropDownEditButton::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    int w = width();
    applyButtonWidth(w, height());
    if (w != width())
        resize(w, height());
}

void TDropDownEditButton::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
}

void TDropDownEditButton::mousePressEvent(QMouseEvent* e)
{
    e->accept();
}

void TDropDownEditButton::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
}

void TDropDownEditButton::contextMenuEvent(QContextMenuEvent* e)
{
    e->accept();
}

} // namespace dropdowns
