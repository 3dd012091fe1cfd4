#include "common/GlyphButton.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QShortcutEvent>

using namespace platform;

namespace {

bool isTransparentStyle(TGlyphButtonStyle s)
{
    return s == TGlyphButtonStyle::bsModern || s == TGlyphButtonStyle::bsShape || s == TGlyphButtonStyle::bsQuicken;
}

bool isPressKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// Dotted focus frame from (left, top) to (right, bottom), ends exclusive: every other pixel
// inverted, starting at the top-left corner.
void dottedFocusFrame(QImage& image, int left, int top, int right, int bottom)
{
    if (right - left < 1 || bottom - top < 1)
        return;
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) == 0 && image.valid(x, y))
            image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
    };
    for (int x = left; x < right; ++x) {
        invert(x, top);
        if (bottom - 1 != top)
            invert(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        invert(left, y);
        if (right - 1 != left)
            invert(right - 1, y);
    }
}

} // namespace

TGlyphButton::TGlyphButton(QWidget* owner) : QWidget(owner)
{
    resize(100, 23);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FHTFont = owner && owner->isWindow() ? owner->font() : font();
    FThread = std::make_unique<TGlyphButtonThread>([this](TGlyphButtonThread* t) { FadeStep(t); }, nullptr);
    attachToWindow();
}

TGlyphButton::~TGlyphButton()
{
    destroying = true;
    FThread.reset();
    if (keyWindow)
        keyWindow->removeEventFilter(this);
}

void TGlyphButton::setAlignment(Qt::Alignment value)
{
    FAlignment = value;
    update();
}

void TGlyphButton::setCancel(bool value)
{
    FCancel = value;
    attachToWindow();
}

void TGlyphButton::setCaption(const QString& value)
{
    FCaption = value;
    grabAccelerator();
    update();
}

void TGlyphButton::setColor(TColor value)
{
    FColor = value;
    update();
}

void TGlyphButton::setColorStyle(TGlyphColorStyle value)
{
    const TGlyphColorPreset* preset = GlyphColorPreset(value);
    if (!preset)
        return;
    setColor(preset->color);
    FLightColor = preset->lightColor;
    FShadowColor = preset->shadowColor;
    FColorWhenDown = preset->colorWhenDown;
    FHotTrackColor = preset->hotTrackColor;
    FFlat = preset->flat;
    setStyle(preset->buttonStyle);
    FFontColor = preset->fontColor;
    update();
}

void TGlyphButton::setDefault(bool value)
{
    FDefault = value;
    attachToWindow();
}

void TGlyphButton::setFlat(bool value)
{
    FFlat = value;
    update();
}

void TGlyphButton::setFontColor(TColor value)
{
    FFontColor = value;
    update();
}

void TGlyphButton::setGlyph(const QImage& value)
{
    FGlyph = value;
    FNumGlyphs = FGlyph.height() > 0 ? FGlyph.width() / FGlyph.height() : 0;
    FKind = TGlyphButtonKind::bkCustom;
    update();
}

void TGlyphButton::setKind(TGlyphButtonKind value)
{
    if (const TGlyphKindPreset* preset = GlyphKindPreset(value)) {
        FNumGlyphs = 2;
        FModalResult = preset->modalResult;
        FGlyph = GlyphResource(QString::fromLatin1(preset->resource));
        setCaption(QString::fromUtf8(preset->caption));
    }
    FKind = value;
    update();
}

void TGlyphButton::setLayout(TGlyphButtonLayout value)
{
    FLayout = value;
    update();
}

void TGlyphButton::setLightColor(TColor value)
{
    FLightColor = value;
    update();
}

void TGlyphButton::setModalResult(int value)
{
    FModalResult = value;
    FKind = TGlyphButtonKind::bkCustom;
}

void TGlyphButton::setNumGlyphs(int value)
{
    FNumGlyphs = value;
    update();
}

void TGlyphButton::setShadowColor(TColor value)
{
    FShadowColor = value;
    update();
}

void TGlyphButton::setSlowDecease(bool value)
{
    FSlowDecease = value;
    if (value) {
        if (!FThread)
            FThread = std::make_unique<TGlyphButtonThread>([this](TGlyphButtonThread* t) { FadeStep(t); }, nullptr);
    } else {
        FHotTrackStep = 0;
        FThread.reset();
    }
    update();
}

void TGlyphButton::setStyle(TGlyphButtonStyle value)
{
    FStyle = value;
    // Transparent faces let the parent show through; the others cover every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent, !isTransparentStyle(value));
    update();
}

void TGlyphButton::setWordWrap(bool value)
{
    FWordWrap = value;
    update();
}

void TGlyphButton::setPopupMenu(QMenu* value)
{
    FPopupMenu = value;
    update();
}

void TGlyphButton::setAction(QAction* value)
{
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = value;
    if (FAction) {
        connect(FAction, &QAction::changed, this, &TGlyphButton::ActionChange);
        ActionChange();
    }
}

void TGlyphButton::ActionChange()
{
    if (!FAction)
        return;
    setCaption(FAction->text());
    setEnabled(FAction->isEnabled());
    setToolTip(FAction->toolTip());
    setVisible(FAction->isVisible());
    const QIcon icon = FAction->icon();
    if (!icon.isNull() && FGlyph.isNull()) {
        const QList<QSize> sizes = icon.availableSizes();
        const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.first();
        QImage glyph(size, QImage::Format_RGB32);
        glyph.fill(toQColor(kGlyphTransparentKey));
        {
            QPainter p(&glyph);
            p.drawPixmap(0, 0, icon.pixmap(size));
        }
        FGlyph = glyph;
        FNumGlyphs = 1;
        update();
    }
}

TGlyphFaceParams TGlyphButton::FaceParams() const
{
    TGlyphFaceParams p;
    p.width = width();
    p.height = height();
    p.alignment = FAlignment;
    p.caption = FCaption;
    p.layout = FLayout;
    p.hot = bCursorOnButton || hasFocus();
    const bool useHotFont = p.hot && FUseHTFont;
    p.font = useHotFont ? FHTFont : font();
    p.fontColor = useHotFont ? FHTFontColor : FFontColor;
    p.shadowColor = FShadowColor;
    p.lightColor = FLightColor;
    p.hotTrackColor = FHotTrackColor;
    p.colorWhenDown = FColorWhenDown;
    p.color = FColor;
    p.style = FStyle;
    p.hasPopupMenu = !FPopupMenu.isNull();
    p.wordWrap = FWordWrap;
    p.flat = FFlat;
    p.enabled = isEnabled();
    p.pressed = bDown;
    p.glyph = FGlyph;
    p.numGlyphs = FNumGlyphs;
    p.hotTrackLevel = FHotTrackStep;
    return p;
}

QImage TGlyphButton::renderFace() const
{
    const int w = width();
    const int h = height();
    QImage image(w, h, QImage::Format_RGB32);
    const bool transparent = isTransparentStyle(FStyle);
    image.fill(transparent ? toQColor(kGlyphTransparentKey) : QColor(Qt::black));
    TGlyphFaceParams params = FaceParams();
    const bool focused = hasFocus();
    {
        QPainter painter(&image);
        if (FStyle == TGlyphButtonStyle::bsOld && focused) {
            params.width = w - 2;
            params.height = h - 2;
            if (params.pressed && params.enabled)
                params.lightColor = params.shadowColor;
            painter.save();
            painter.translate(1, 1);
            painter.setClipRect(0, 0, params.width, params.height);
            PaintGlyphButtonFace(painter, params);
            painter.restore();
            painter.setPen(Qt::NoPen);
            painter.fillRect(QRect(0, 0, w, 1), Qt::black);
            painter.fillRect(QRect(0, h - 1, w, 1), Qt::black);
            painter.fillRect(QRect(0, 0, 1, h), Qt::black);
            painter.fillRect(QRect(w - 1, 0, 1, h), Qt::black);
        } else {
            PaintGlyphButtonFace(painter, params);
        }
    }
    if (focused && isEnabled() && FStyle != TGlyphButtonStyle::bsShape)
        dottedFocusFrame(image, 4, 4, w - 4, h - 4);
    if (transparent) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = toQColor(kGlyphTransparentKey).rgb();
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
    }
    return image;
}

void TGlyphButton::paintEvent(QPaintEvent*)
{
    if (destroying || width() <= 0 || height() <= 0)
        return;
    // One copy of a finished off-screen picture, so the face never flickers.
    const QImage face = renderFace();
    QPainter painter(this);
    painter.drawImage(0, 0, face);
}

void TGlyphButton::Click()
{
    bDown = true;
    if (!isHidden() && isEnabled() && bDown) {
        bDown = false;
        const QPointer<TGlyphButton> self(this);
        emit OnClick();
        if (!self)
            return;
        if (FModalResult != 0) {
            if (auto* dialog = qobject_cast<QDialog*>(window())) {
                // A click handler that already closed the dialog leaves only the result to set.
                if (dialog->isModal() && dialog->isVisible())
                    dialog->done(FModalResult);
                else
                    dialog->setResult(FModalResult);
            }
        }
        if (!self)
            return;
        if (FPopupMenu)
            FPopupMenu->popup(mapToGlobal(QPoint(0, height())));
        if (FAction)
            FAction->trigger();
    }
}

bool TGlyphButton::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::ParentChange:
        attachToWindow();
        break;
    case QEvent::Shortcut:
        if (static_cast<QShortcutEvent*>(e)->shortcutId() == acceleratorId) {
            if (isVisible() && isEnabled()) {
                bDown = true;
                Click();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void TGlyphButton::attachToWindow()
{
    QWidget* win = window();
    if (win == this)
        win = nullptr;
    if (win == keyWindow)
        return;
    if (keyWindow)
        keyWindow->removeEventFilter(this);
    keyWindow = win;
    if (win)
        win->installEventFilter(this);
}

void TGlyphButton::grabAccelerator()
{
    if (acceleratorId != 0)
        releaseShortcut(acceleratorId);
    acceleratorId = 0;
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (!key.isEmpty())
        acceleratorId = grabShortcut(key);
}

bool TGlyphButton::eventFilter(QObject* watched, QEvent* e)
{
    // Keys the focused control left unused reach the window; Enter and Escape are ours there.
    if (watched == keyWindow && e->type() == QEvent::KeyPress && !destroying)
        return DialogKey(static_cast<QKeyEvent*>(e));
    return QWidget::eventFilter(watched, e);
}

bool TGlyphButton::DialogKey(QKeyEvent* e)
{
    const int key = e->key();
    const bool enter = (key == Qt::Key_Return || key == Qt::Key_Enter) && FDefault;
    const bool escape = key == Qt::Key_Escape && FCancel
                        && !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
                        && !isHidden() && isEnabled();
    if (!enter && !escape)
        return false;
    // A focused button answers Enter and Escape itself.
    if (QWidget* focused = keyWindow ? keyWindow->focusWidget() : nullptr) {
        const QByteArray name = QByteArray(focused->metaObject()->className()).toUpper();
        if (name.contains("BUTTON") && !name.contains("RADIOBUTTON"))
            return false;
    }
    bDown = true;
    Click();
    e->accept();
    return true;
}

void TGlyphButton::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        FEnabled = isEnabled();
        bDown = false;
        update();
    }
    QWidget::changeEvent(e);
}

void TGlyphButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && isEnabled()) {
        bDown = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void TGlyphButton::mouseReleaseEvent(QMouseEvent*)
{
    // A release clicks wherever the mouse is, as long as the press was on the button.
    const QPointer<TGlyphButton> self(this);
    if (bDown)
        Click();
    if (!self)
        return;
    bDown = false;
    update();
}

void TGlyphButton::keyPressEvent(QKeyEvent* e)
{
    if (isPressKey(e->key())) {
        if (isEnabled() && !e->isAutoRepeat()) {
            bDown = true;
            update();
        }
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TGlyphButton::keyReleaseEvent(QKeyEvent* e)
{
    if (isPressKey(e->key()) && !e->isAutoRepeat()) {
        // Only a release whose press reached this button clicks: a key pressed in a closing
        // message box or another window must not click the button that takes the focus next.
        const QPointer<TGlyphButton> self(this);
        if (bDown)
            Click();
        if (self)
            update();
        e->accept();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void TGlyphButton::enterEvent(QEnterEvent* e)
{
    if (isEnabled() && isVisible()) {
        bCursorOnButton = true;
        FHotTrackStep = 8;
        // Coming back during a fade keeps the button fully hot.
        if (FThread)
            FThread->Suspend();
        update();
        emit OnMouseEnter();
    }
    QWidget::enterEvent(e);
}

void TGlyphButton::leaveEvent(QEvent* e)
{
    bCursorOnButton = false;
    if (FSlowDecease && FThread) {
        if (FThread->Suspended())
            FThread->Resume();
    } else {
        FHotTrackStep = 0;
        update();
    }
    if (isEnabled() && isVisible())
        emit OnMouseExit();
    QWidget::leaveEvent(e);
}

void TGlyphButton::focusInEvent(QFocusEvent* e)
{
    update();
    QWidget::focusInEvent(e);
}

void TGlyphButton::focusOutEvent(QFocusEvent* e)
{
    update();
    QWidget::focusOutEvent(e);
}

void TGlyphButton::showEvent(QShowEvent* e)
{
    attachToWindow();
    QWidget::showEvent(e);
}

void TGlyphButton::FadeStep(TGlyphButtonThread* sender)
{
    if (destroying)
        return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        if (sender && !sender->Suspended())
            sender->Suspend();
        FHotTrackStep = 0;
    }
    update();
}
