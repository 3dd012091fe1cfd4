// The grid check box: box position by alignment, themed or classic box, caption, the parent's
// background under a transparent box (optionally cached), and mouse, Space, Enter and
// accelerator input.

#include "grid/QvObj.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

namespace grid {

using namespace ZirAzur::canvas;

namespace {

constexpr int kThemedBox = 14;
constexpr int kClassicBox = 13;
// Width of the side of the control that holds the box; a state change repaints only that.
constexpr int kBoxSide = 20;

// The classic sunken 13 x 13 check box: white inside (button face when inactive), a
// three-pixel-thick tick when checked.
void ClassicCheckBox(QPainter& canvas, const QRect& box, bool checked, bool inactive)
{
    const TRect b{box.left(), box.top(), box.left() + kClassicBox, box.top() + kClassicBox};
    fillRect(canvas, b, inactive ? platform::clBtnFace : platform::clWindow);
    lineTo(canvas, b.Left, b.Top, b.Right - 1, b.Top, platform::clBtnShadow);
    lineTo(canvas, b.Left, b.Top, b.Left, b.Bottom - 1, platform::clBtnShadow);
    lineTo(canvas, b.Left + 1, b.Top + 1, b.Right - 2, b.Top + 1, platform::cl3DDkShadow);
    lineTo(canvas, b.Left + 1, b.Top + 1, b.Left + 1, b.Bottom - 2, platform::cl3DDkShadow);
    lineTo(canvas, b.Left, b.Bottom - 1, b.Right, b.Bottom - 1, platform::clBtnHighlight);
    lineTo(canvas, b.Right - 1, b.Top, b.Right - 1, b.Bottom, platform::clBtnHighlight);
    lineTo(canvas, b.Left + 1, b.Bottom - 2, b.Right - 1, b.Bottom - 2, platform::cl3DLight);
    lineTo(canvas, b.Right - 2, b.Top + 1, b.Right - 2, b.Bottom - 1, platform::cl3DLight);
    if (!checked)
        return;
    // Seven columns, each three pixels tall: down to the bottom of the tick, then up.
    constexpr int tops[7] = {5, 6, 7, 6, 5, 4, 3};
    const TColor c = inactive ? platform::clGrayText : platform::clWindowText;
    for (int i = 0; i < 7; ++i)
        fillRect(canvas, {b.Left + 3 + i, b.Top + tops[i], b.Left + 4 + i, b.Top + tops[i] + 3}, c);
}

void DottedFrame(QPainter& canvas, const QRect& r, TColor color)
{
    for (int x = r.left(); x <= r.right(); x += 2) {
        setPixel(canvas, x, r.top(), color);
        setPixel(canvas, x, r.bottom(), color);
    }
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        setPixel(canvas, r.left(), y, color);
        setPixel(canvas, r.right(), y, color);
    }
}

} // namespace

TQvCheckBox::TQvCheckBox(QWidget* owner) : QWidget(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    resize(98, 20);
    SetCaption(QStringLiteral("TQvCheckBox"));
}

TQvCheckBox::~TQvCheckBox() = default;

// ---- properties ----------------------------------------------------------------------------

void TQvCheckBox::SetAlignment(TLeftRight v)
{
    if (v != FAlignment) {
        FAlignment = v;
        update();
    }
}

void TQvCheckBox::SetButtonVertAlign(TTextLayout v)
{
    if (v != FBtnVAlign) {
        FBtnVAlign = v;
        update();
    }
}

void TQvCheckBox::SetCaption(const QString& v)
{
    FCaption = v;
    setAccessibleName(v);
    grabAccelerator();
    update();
}

void TQvCheckBox::SetChecked(bool v)
{
    FState = v ? cbChecked : cbUnchecked;
    update();
}

void TQvCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    update(FAlignment == taRightJustify ? QRect(width() - kBoxSide, 0, kBoxSide, height())
                                        : QRect(0, 0, kBoxSide, height()));
}

void TQvCheckBox::SetEllipsis(bool v)
{
    if (v != FEllipsis) {
        FEllipsis = v;
        update();
    }
}

void TQvCheckBox::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    dropBackground();
    update();
}

void TQvCheckBox::SetColor(TColor v)
{
    FColor = v;
    update();
}

void TQvCheckBox::SetFontColor(TColor v)
{
    FFontColor = v;
    update();
}

void TQvCheckBox::SetDown(bool v)
{
    if (v != FDown) {
        FDown = v;
        update(boxArea());
    }
}

void TQvCheckBox::Toggle()
{
    if (!FReadOnly)
        SetChecked(!Checked());
}

// ---- geometry ------------------------------------------------------------------------------

bool TQvCheckBox::themed() const
{
    return FIsWinXP && IsThemeActive();
}

QRect TQvCheckBox::boxRect() const
{
    const bool right = FAlignment == taRightJustify;
    const int h = height();
    if (themed()) {
        const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? h / 2 - 6 : h - 14;
        return {right ? width() - 15 : 0, y, kThemedBox, kThemedBox};
    }
    const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? h / 2 - 6 : h - 17;
    return {right ? width() - kClassicBox : 0, y, kClassicBox, kClassicBox};
}

QRect TQvCheckBox::boxArea() const
{
    return QRect(boxRect().topLeft(), QSize(16, 16));
}

// ---- painting ------------------------------------------------------------------------------

void TQvCheckBox::dropBackground()
{
    FBkgCache = false;
    FBkgBmp = QImage();
}

void TQvCheckBox::paintBackground(QPainter& canvas)
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    // A cache taken at another place or size shows the wrong part of the parent.
    if (FBkgCache && FTransparentCaching && bkgGeometry == geometry()) {
        canvas.drawImage(0, 0, FBkgBmp);
        return;
    }
    QImage bkg(size(), QImage::Format_ARGB32_Premultiplied);
    bkg.fill(Qt::transparent);
    const QRect area = geometry() & parent->rect();
    if (!area.isEmpty())
        parent->render(&bkg, area.topLeft() - pos(), QRegion(area), QWidget::DrawWindowBackground);
    canvas.drawImage(0, 0, bkg);
    if (FTransparentCaching) {
        FBkgBmp = bkg;
        FBkgCache = true;
        bkgGeometry = geometry();
    }
}

void TQvCheckBox::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    canvas.setFont(font());
    if (FTransparent)
        paintBackground(canvas);
    else
        fillRect(canvas, TRect::fromQRect(rect()), FColor);

    const QRect box = boxRect();
    bool drawn = false;
    if (themed()) {
        namespace th = platform::theme;
        const int group = FState == cbChecked  ? th::CBS_CHECKEDNORMAL
                          : FState == cbGrayed ? th::CBS_MIXEDNORMAL
                                               : th::CBS_UNCHECKEDNORMAL;
        // Disabled, pressed, hot, normal: the first that applies.
        const int step = !isEnabled() ? 3 : FDown ? 2 : FHot ? 1 : 0;
        drawn =
            DrawThemedPart(GridThemeApi, this, QStringLiteral("button"), canvas, th::BP_CHECKBOX, group + step, box);
    }
    if (!drawn)
        ClassicCheckBox(canvas, box, FState == cbChecked, FState == cbGrayed || !isEnabled());

    const QRect caption = FAlignment == taRightJustify ? QRect(QPoint(6, 4), QPoint(width() - 10, height() - 1))
                                                       : QRect(QPoint(15, 4), QPoint(width() - 1, height() - 1));
    const QFontMetrics fm(font());
    const QString text =
        FEllipsis ? fm.elidedText(FCaption, Qt::ElideRight, caption.width(), Qt::TextShowMnemonic) : FCaption;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!isEnabled()) {
        canvas.setPen(platform::toQColor(platform::clWhite));
        canvas.drawText(caption.translated(1, 1), flags, text);
        canvas.setPen(platform::toQColor(platform::clGray));
    } else {
        canvas.setPen(platform::toQColor(FFontColor));
    }
    canvas.drawText(caption, flags, text);

    if (hasFocus()) {
        const QSize t = fm.boundingRect(QRect(0, 0, caption.width(), 0), flags, text).size();
        DottedFrame(canvas,
                    QRect(QPoint(caption.left() - 2, caption.top()),
                          QPoint(caption.left() + t.width() + 1, caption.top() + t.height() + 1)),
                    FFontColor);
    }
}

// ---- input ---------------------------------------------------------------------------------

void TQvCheckBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    FMouseDown = true;
    setFocus(Qt::MouseFocusReason);
    FDown = true;
    update(boxArea());
}

void TQvCheckBox::mouseMoveEvent(QMouseEvent* e)
{
    if (FMouseDown)
        SetDown(rect().contains(e->position().toPoint()));
}

void TQvCheckBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    const bool pressedHere = FMouseDown;
    FMouseDown = false;
    FDown = false;
    const QPointer<TQvCheckBox> self(this);
    if (pressedHere && rect().contains(e->position().toPoint()) && hasFocus()) {
        Toggle();
        if (OnClick)
            OnClick(this);
    }
    if (self)
        update(boxArea());
}

void TQvCheckBox::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FReturnIsTab) {
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (key == Qt::Key_Space) {
        if (!e->isAutoRepeat()) {
            spacePressed = true;
            SetDown(true);
        }
        return;
    }
    QWidget::keyPressEvent(e);
}

void TQvCheckBox::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    // Only a release whose press reached this box toggles it: a Space pressed in a closing
    // message box must not change the setting that takes the focus next.
    if (e->isAutoRepeat() || !spacePressed)
        return;
    spacePressed = false;
    SetDown(false);
    Toggle();
    if (OnClick)
        OnClick(this);
}

void TQvCheckBox::focusOutEvent(QFocusEvent* e)
{
    spacePressed = false;
    SetDown(false);
    QWidget::focusOutEvent(e);
}

void TQvCheckBox::enterEvent(QEnterEvent* e)
{
    FHot = true;
    update(boxArea());
    QWidget::enterEvent(e);
}

void TQvCheckBox::leaveEvent(QEvent* e)
{
    FHot = false;
    update(boxArea());
    QWidget::leaveEvent(e);
}

void TQvCheckBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange || e->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(e);
}

void TQvCheckBox::grabAccelerator()
{
    if (acceleratorId != 0)
        releaseShortcut(acceleratorId);
    acceleratorId = 0;
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (!key.isEmpty())
        acceleratorId = grabShortcut(key);
}

bool TQvCheckBox::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut && acceleratorId != 0
        && static_cast<QShortcutEvent*>(e)->shortcutId() == acceleratorId) {
        // Toggles without a click event; the character goes no further.
        if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus) {
            Toggle();
            if (TabStop())
                setFocus(Qt::ShortcutFocusReason);
        }
        return true;
    }
    return QWidget::event(e);
}

} // namespace grid
