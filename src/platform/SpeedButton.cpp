#include "platform/SpeedButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace platform {

TSpeedButton::TSpeedButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    resize(23, 22);
}

void TSpeedButton::SetDown(bool down)
{
    if (down_ != down) {
        down_ = down;
        update();
    }
}

void TSpeedButton::SetFlat(bool flat)
{
    if (flat_ != flat) {
        flat_ = flat;
        update();
    }
}

void TSpeedButton::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    update();
}

void TSpeedButton::SetNumGlyphs(int n)
{
    numGlyphs_ = std::clamp(n, 1, 4);
    update();
}

void TSpeedButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

TSpeedButton::TButtonState TSpeedButton::State() const
{
    if (!isEnabled())
        return bsDisabled;
    if (down_)
        return bsExclusive;
    return pressed_ && mouseIn_ ? bsDown : bsUp;
}

QImage TSpeedButton::GlyphFor(TButtonState state) const
{
    if (glyph_.isNull())
        return {};
    const int w = glyph_.width() / numGlyphs_;
    int index = 0;
    switch (state) {
    case bsDisabled:
        index = 1;
        break;
    case bsDown:
        index = 2;
        break;
    case bsExclusive:
        index = 3;
        break;
    case bsUp:
        index = 0;
        break;
    }
    if (index >= numGlyphs_)
        index = 0;
    return glyph_.copy(index * w, 0, w, glyph_.height());
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick();
}

void TSpeedButton::Paint(QPainter& canvas)
{
    QStyleOptionButton option;
    option.initFrom(this);
    const TButtonState state = State();
    if (state == bsDown || state == bsExclusive)
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    if (flat_)
        option.features |= QStyleOptionButton::Flat;
    if (!flat_ || mouseIn_ || state != bsUp)
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &canvas, this);
    const int shift = (state == bsDown || state == bsExclusive) ? 1 : 0;
    const QImage picture = GlyphFor(state);
    if (!picture.isNull()) {
        const int x = std::max(0, (width() - picture.width()) / 2) + shift;
        const int y = std::max(0, (height() - picture.height()) / 2) + shift;
        canvas.drawImage(x, y, picture);
    }
    if (!caption_.isEmpty()) {
        canvas.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        canvas.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextSingleLine, caption_);
    }
}

void TSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void TSpeedButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && isEnabled()) {
        pressed_ = true;
        update();
    }
    if (OnMouseDown)
        OnMouseDown(e);
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = e->button() == Qt::LeftButton && pressed_ && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        pressed_ = false;
    update();
    if (click)
        Click();
    if (OnMouseUp)
        OnMouseUp(e);
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    // While held, the button looks pressed only over itself.
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != mouseIn_) {
        mouseIn_ = inside;
        update();
    }
}

void TSpeedButton::enterEvent(QEnterEvent*)
{
    mouseIn_ = true;
    MouseEnter();
    update();
}

void TSpeedButton::leaveEvent(QEvent*)
{
    mouseIn_ = false;
    MouseLeave();
    update();
}

void TSpeedButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

} // namespace platform
