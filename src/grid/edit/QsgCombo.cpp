#include "grid/edit/QsgCombo.h"

#include "grid/look/QvXPVS.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace grid {

TQsgCustomCombo::TQsgCustomCombo(QWidget* parent) : QComboBox(parent)
{
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    setMouseTracking(true);
}

TQsgCustomCombo::~TQsgCustomCombo()
{
    delete FLabel.data();
}

void TQsgCustomCombo::applyColor(TColor c)
{
    FColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, platform::toQColor(c));
    pal.setColor(QPalette::Button, platform::toQColor(c));
    setPalette(pal);
}

void TQsgCustomCombo::SetColor(TColor v)
{
    applyColor(v);
}

void TQsgCustomCombo::SetFlat(bool v)
{
    if (v == FFlat)
        return;
    FFlat = v;
    if (FFlatParentColor && FFlat) {
        if (parentWidget()) {
            FLoadedColor = FColor;
            applyColor(platform::fromQColor(parentWidget()->palette().color(QPalette::Window)));
        }
    } else {
        applyColor(FLoadedColor);
    }
    update();
}

void TQsgCustomCombo::SetButtonWidth(int v)
{
    if (v < 14 || v > 32)
        return;
    FButtonWidth = v;
    update();
}

void TQsgCustomCombo::SetDropWidth(int v)
{
    FDropWidth = v;
    if (v > 0)
        view()->setMinimumWidth(v);
}

void TQsgCustomCombo::SetBorderColor(TColor v)
{
    if (v == FBorderColor)
        return;
    FBorderColor = v;
    update();
}

void TQsgCustomCombo::SelectItem(const QString& s)
{
    const int i = findText(s, Qt::MatchExactly);
    if (i >= 0)
        setCurrentIndex(i);
}

void TQsgCustomCombo::SetLabelCaption(const QString& v)
{
    if (!FLabel) {
        FLabel = new QLabel(parentWidget());
        FLabel->setBuddy(this);
    }
    FLabel->setText(v);
    FLabel->adjustSize();
    UpdateLabel();
}

void TQsgCustomCombo::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    const QFontMetrics fm(FLabel->font());
    const int w = fm.boundingRect(QRect(0, 0, 1000, 255), Qt::TextHideMnemonic, FLabel->text()).width();
    const int lh = FLabel->height();
    const int m = FLabelMargin;
    const int top = y(), left = x(), h = height(), bw = width();
    int lt = top, ll = left;
    switch (FLabelPosition) {
    case lpLeftTop: lt = top; ll = left - w - m; break;
    case lpLeftCenter: lt = top + (h - lh) / 2; ll = left - w - m; break;
    case lpLeftBottom: lt = top + h - lh; ll = left - w - m; break;
    case lpTopLeft: lt = top - lh - m; ll = left; break;
    case lpBottomLeft: lt = top + h + m; ll = left; break;
    case lpLeftTopLeft: lt = top; ll = left - m; break;
    case lpLeftCenterLeft: lt = top + (h - lh) / 2; ll = left - m; break;
    case lpLeftBottomLeft: lt = top + h - lh; ll = left - m; break;
    case lpTopCenter: lt = top - lh - m; ll = left + (bw - FLabel->width()) / 2; break;
    case lpBottomCenter: lt = top + h + m; ll = left + (bw - FLabel->width()) / 2; break;
    case lpRightTop: lt = top; ll = left + bw + m; break;
    case lpRightCenter: lt = top + (h - lh) / 2; ll = left + bw + m; break;
    case lpRighBottom: lt = top + h - lh; ll = left + bw + m; break;
    }
    FLabel->move(ll, lt);
    FLabel->setVisible(isVisible());
}

void TQsgCustomCombo::setVisible(bool visible)
{
    QComboBox::setVisible(visible);
    if (FLabel)
        FLabel->setVisible(visible);
}

void TQsgCustomCombo::showPopup()
{
    FDropped = true;
    QComboBox::showPopup();
}

void TQsgCustomCombo::hidePopup()
{
    const bool was = FDropped;
    QComboBox::hidePopup();
    FDropped = false;
    if (was && OnDropUp)
        OnDropUp(this);
}

void TQsgCustomCombo::changeEvent(QEvent* e)
{
    QComboBox::changeEvent(e);
    if (e->type() != QEvent::EnabledChange)
        return;
    // A disabled flat box shows its parent's colour; enabling it brings the earlier one back.
    if (FFlat) {
        if (!isEnabled()) {
            FDisabledSavedColor = FColor;
            if (parentWidget())
                applyColor(platform::fromQColor(parentWidget()->palette().color(QPalette::Window)));
        } else if (FDisabledSavedColor != clNone) {
            applyColor(FDisabledSavedColor);
            FDisabledSavedColor = clNone;
        }
    }
    if (FLabel && !FLabelAlwaysEnabled) {
        FLabel->setEnabled(isEnabled());
        UpdateLabel();
    }
}

void TQsgCustomCombo::moveEvent(QMoveEvent* e)
{
    QComboBox::moveEvent(e);
    UpdateLabel();
}

void TQsgCustomCombo::resizeEvent(QResizeEvent* e)
{
    QComboBox::resizeEvent(e);
    UpdateLabel();
}

void TQsgCustomCombo::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    FHasFocus = true;
    if (FocusColor != clNone) {
        FNormalColor = FColor;
        applyColor(FocusColor);
    }
    if (FLabel && FocusLabel) {
        QFont f = FLabel->font();
        f.setBold(true);
        FLabel->setFont(f);
    }
    update();
}

void TQsgCustomCombo::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    FHasFocus = false;
    if (FocusColor != clNone)
        applyColor(FNormalColor);
    if (FLabel && FocusLabel) {
        QFont f = FLabel->font();
        f.setBold(false);
        FLabel->setFont(f);
    }
    update();
}

void TQsgCustomCombo::enterEvent(QEnterEvent* e)
{
    QComboBox::enterEvent(e);
    if (!isEnabled())
        return;
    FMouseInControl = true;
    if (AutoFocus)
        setFocus(Qt::MouseFocusReason);
    update();
}

void TQsgCustomCombo::leaveEvent(QEvent* e)
{
    QComboBox::leaveEvent(e);
    FMouseInControl = false;
    if (FMouseInButton) {
        FMouseInButton = false;
        update();
    }
}

void TQsgCustomCombo::mouseMoveEvent(QMouseEvent* e)
{
    QComboBox::mouseMoveEvent(e);
    const int x = int(e->position().x());
    const bool in = x > width() - FButtonWidth && x < width();
    if (in != FMouseInButton) {
        FMouseInButton = in;
        update();
    }
}

bool TQsgCustomCombo::UseThemes() const
{
    return IsThemeActive();
}

void TQsgCustomCombo::paintEvent(QPaintEvent* e)
{
    QComboBox::paintEvent(e);
    if (IsVista && ButtonColor == clNone)
        return;
    const bool own = FFlat || ButtonColor != clNone || FBorderColor != clNone ||
                     (FocusBorderColor != clNone && FHasFocus) || (!isEnabled() && UseThemes() && !DisabledBorder);
    if (!own)
        return;
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const bool mouseDown = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
    if (ButtonColor == clNone && UseThemes()) {
        // The themed drop button: disabled, pressed while the list is down, hot under the
        // mouse, else normal.
        const QRect b = QRect(0, 0, width(), height()).adjusted(width() - FButtonWidth + 2, 0, 0, 0).adjusted(1, 1, -1, -1);
        const int state = !isEnabled()                                     ? 4
                          : (mouseDown && FDropped)                        ? 3
                          : (!mouseDown && FMouseInButton && !FDropped)    ? 2
                                                                           : 1;
        DrawThemedPart(GridThemeApi, this, QStringLiteral("combobox"), p, 1, state, b);
    }
    if (ButtonColor != clNone) {
        // Custom drop button: face, left line, arrow.
        QRect b(width() - FButtonWidth + 2, 1, FButtonWidth - 3, height() - 2);
        const bool down = mouseDown;
        TColor face = ButtonColor;
        if (FMouseInButton)
            face = down && ButtonColorDown != clNone ? ButtonColorDown
                                                     : (ButtonColorHot != clNone ? ButtonColorHot : ButtonColor);
        p.fillRect(b.adjusted(-1, 1, -1, -1), platform::toQColor(face));
        if (ButtonBorderColor != clNone) {
            p.setPen(platform::toQColor(ButtonBorderColor));
            p.drawLine(b.left(), b.top(), b.left(), b.bottom());
        }
        const TColor arrow = down && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        if (arrow != clNone) {
            const QPoint pts[3] = {{b.left() + 4, b.top() + 7}, {b.left() + 10, b.top() + 7}, {b.left() + 7, b.top() + 10}};
            p.setPen(platform::toQColor(arrow));
            p.setBrush(platform::toQColor(arrow));
            p.drawPolygon(pts, 3);
        }
    }
    p.setBrush(Qt::NoBrush);
    if (FBorderColor != clNone && (!FHasFocus || FocusBorderColor == clNone)) {
        p.setPen(platform::toQColor(FBorderColor));
        p.drawRect(r);
    } else if (FocusBorderColor != clNone) {
        if (FHasFocus) {
            p.setPen(platform::toQColor(FocusBorderColor));
            p.drawRect(r);
        }
    } else if (FFlat) {
        const QColor outer = (FocusBorder && (FMouseInControl || FHasFocus))
                                 ? palette().color(QPalette::Button)
                                 : (parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                                   : palette().color(QPalette::Window));
        p.setPen(outer);
        p.drawRect(r);
    }
    if (FFlat && FFlatLineColor != clNone) {
        p.setPen(platform::toQColor(FFlatLineColor));
        p.drawLine(r.left(), height() - 1, r.right() - FButtonWidth - 1, height() - 1);
    }
}

} // namespace grid
