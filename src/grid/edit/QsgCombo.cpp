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
    applyLabelFont();
    UpdateLabel();
}

void TQsgCustomCombo::SetLabelFont(const QFont& v)
{
    if (!ParentFont())
        FLabelFont = v;
    applyLabelFont();
    UpdateLabel();
}

void TQsgCustomCombo::applyLabelFont()
{
    if (!FLabel)
        return;
    QFont f = ParentFont() ? font() : FLabelFont;
    // A focused box with FocusLabel keeps its label bold.
    f.setBold(f.bold() || (FocusLabel && FHasFocus));
    FLabel->setFont(f);
    FLabel->adjustSize();
}

void TQsgCustomCombo::UpdateLabel()
{
    if (FLabel)
        grid::UpdateLabel(*FLabel, *this, {FLabelPosition, FLabelMargin, FLabelTransparent},
                          TLabelMeasure::DrawTextRect);
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
    if (e->type() == QEvent::FontChange) {
        applyLabelFont();
        UpdateLabel();
    }
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

TDropLook TQsgCustomCombo::Look() const
{
    TDropLook l;
    l.Flat = FFlat;
    l.BorderColor = FBorderColor;
    l.FocusBorderColor = FocusBorderColor;
    l.FlatLineColor = FFlatLineColor;
    l.ButtonColor = ButtonColor;
    l.ButtonColorHot = ButtonColorHot;
    l.ButtonColorDown = ButtonColorDown;
    l.ButtonTextColor = ButtonTextColor;
    l.ButtonTextColorDown = ButtonTextColorDown;
    l.ButtonBorderColor = ButtonBorderColor;
    l.FocusBorder = FocusBorder;
    l.DisabledBorder = DisabledBorder;
    l.IsWinXP = IsWinXP;
    l.IsVista = IsVista;
    l.ButtonWidth = FButtonWidth;
    l.Size = size();
    l.Enabled = isEnabled();
    l.Focused = FHasFocus;
    l.ActiveControl = hasFocus();
    l.MouseInControl = FMouseInControl;
    l.MouseInButton = FMouseInButton;
    l.MouseDown = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
    l.Dropped = FDropped;
    l.UseThemes = UseThemes();
    l.Color = platform::toQColor(platform::colorToRGB(FColor));
    l.ParentColor =
        parentWidget() ? parentWidget()->palette().color(QPalette::Window) : palette().color(QPalette::Window);
    return l;
}

void TQsgCustomCombo::paintEvent(QPaintEvent* e)
{
    QComboBox::paintEvent(e);
    if (IsVista && ButtonColor == clNone)
        return;
    const bool own = FFlat || ButtonColor != clNone || FBorderColor != clNone
                     || (FocusBorderColor != clNone && FHasFocus) || (!isEnabled() && UseThemes() && !DisabledBorder);
    if (!own || layoutDirection() != Qt::LeftToRight)
        return;
    const TDropLook look = Look();
    QPainter p(this);
    // The platform's own button goes under the control's brush; ours is drawn on it.
    p.fillRect(QRect(width() - FButtonWidth - 4, 0, FButtonWidth + 6, height()), look.Color);
    PaintDropButton(p, this, ComboLookRules, look);
    PaintBorder(p, ComboLookRules, look);
}

// ---- paint steps shared with the date pickers ------------------------------------------------

namespace {

QColor rgb(TColor c)
{
    return platform::toQColor(platform::colorToRGB(c));
}

// One-pixel outline just inside a rectangle.
void frameRect(QPainter& p, const TRect& r, const QColor& c)
{
    if (r.IsEmpty())
        return;
    p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

// Top-left and bottom-right halves of a one-pixel outline.
void bevelRect(QPainter& p, const TRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.IsEmpty())
        return;
    p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), topLeft);
    p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), topLeft);
    p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), bottomRight);
    p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), bottomRight);
}

TRect shrink(const TRect& r, int by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// The platform's raised edge: light outer and white inner top-left, dark outer and shadow
// inner bottom-right; flat, a shadow outline over a face-coloured one.
void raisedEdge(QPainter& p, const TRect& r, bool flat)
{
    if (flat) {
        frameRect(p, r, rgb(platform::clBtnShadow));
        frameRect(p, shrink(r, 1), rgb(platform::clBtnFace));
        return;
    }
    bevelRect(p, r, rgb(platform::cl3DLight), rgb(platform::cl3DDkShadow));
    bevelRect(p, shrink(r, 1), rgb(platform::clBtnHighlight), rgb(platform::clBtnShadow));
}

bool showsFocusBorder(const TDropLook& l)
{
    return (l.MouseInControl || l.ActiveControl) && l.FocusBorder;
}

bool isHotOrFocused(const TDropLook& l)
{
    return l.MouseInControl || l.ActiveControl;
}

} // namespace

void PaintBorder(QPainter& p, const TDropLookRules& rules, const TDropLook& l)
{
    if (rules.BorderOnlyInMetroLook && !l.MetroLook)
        return;
    if (l.Enabled && !l.Flat && l.BorderColor == clNone && l.FocusBorderColor == clNone)
        return;
    if (l.IsVista && l.BorderColor == clNone)
        return;
    PaintFrame(p, rules, l);
    if (!(l.IsWinXP && l.UseThemes))
        PaintButtonWell(p, rules, l);
}

void PaintFrame(QPainter& p, const TDropLookRules& rules, const TDropLook& l)
{
    TRect r{0, 0, l.Size.width(), l.Size.height()};
    // Disabled under the styles of creation time (not the theme active now): the fixed frame.
    if (!l.Enabled && l.StylesAtCreation && !l.DisabledBorder) {
        frameRect(p, r, rgb(0xB99D7F));
        return;
    }
    if (l.BorderColor != clNone && (!l.Focused || l.FocusBorderColor == clNone)) {
        frameRect(p, r, rgb(l.BorderColor));
        return;
    }
    if (l.FocusBorderColor != clNone) {
        if (l.Focused)
            frameRect(p, r, rgb(l.FocusBorderColor));
        return;
    }
    const bool focusBorder = showsFocusBorder(l);
    const QColor outer = focusBorder ? rgb(platform::clBtnFace) : l.ParentColor;
    if (focusBorder) {
        bevelRect(p, r, rgb(platform::clBtnShadow), rgb(platform::clBtnHighlight));
        r = shrink(r, 1);
        frameRect(p, r, outer);
        frameRect(p, shrink(r, 1), l.Color);
    } else {
        frameRect(p, r, outer);
        r = shrink(r, 1);
        r.Right -= l.ButtonWidth;
        frameRect(p, r, outer);
        frameRect(p, shrink(r, 1), l.Color);
    }
    if (rules.FlatLine && l.Flat && l.FlatLineColor != clNone)
        p.fillRect(QRect(-2, l.Size.height() - 1, l.Size.width() - l.ButtonWidth - 1 + 2, 1), rgb(l.FlatLineColor));
}

void PaintButtonWell(QPainter& p, const TDropLookRules& rules, const TDropLook& l)
{
    const int w = l.Size.width(), h = l.Size.height();
    const QRect inner(w - l.ButtonWidth + 4, 4, l.ButtonWidth - 8, h - 8);
    const TRect well{w - l.ButtonWidth, 2, w - 2, h - 2};
    p.save();
    QRegion clip(0, 0, w, h);
    clip -= QRegion(inner);
    p.setClipRegion(clip);
    if (!isHotOrFocused(l))
        p.fillRect(TRect{well.Left, well.Top + 1, well.Right - 1, well.Bottom - 1}.toQRect(), rgb(platform::clBtnFace));
    else if (rules.RaisedWellWhenHot)
        raisedEdge(p, well, l.Dropped);
    p.restore();
}

void PaintDropButton(QPainter& p, QWidget* window, const TDropLookRules& rules, const TDropLook& l)
{
    const int w = l.Size.width(), h = l.Size.height();
    const TRect b{w - l.ButtonWidth + 2 + 1, 1, w - 1, h - 1};
    if (l.ButtonColor != clNone) {
        TColor face = l.ButtonColor;
        if (l.MouseInButton) {
            const TColor hover = l.MouseDown ? l.ButtonColorDown : l.ButtonColorHot;
            if (hover != clNone)
                face = hover;
        }
        const TRect fill{b.Left + rules.ButtonFaceLeft, b.Top + 1, b.Right - 1, b.Bottom - 1};
        p.fillRect(fill.toQRect(), rgb(face));
        if (l.ButtonBorderColor != clNone)
            p.fillRect(QRect(fill.Left, b.Top, 1, b.Height()), rgb(l.ButtonBorderColor));
        const TColor arrow = l.MouseDown && l.ButtonTextColorDown != clNone ? l.ButtonTextColorDown : l.ButtonTextColor;
        if (arrow != clNone) {
            const int x = b.Left + rules.ArrowLeft;
            const QPoint corners[3] = {{x, b.Top + 7}, {x + 6, b.Top + 7}, {x + 3, b.Top + 10}};
            p.save();
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(rgb(arrow));
            p.setBrush(rgb(arrow));
            p.drawPolygon(corners, 3);
            p.restore();
        }
        return;
    }
    if (l.UseThemes) {
        using namespace platform::theme;
        const int state = !l.Enabled                                        ? CBXS_DISABLED
                          : (l.MouseDown && l.Dropped)                      ? CBXS_PRESSED
                          : (!l.MouseDown && l.MouseInButton && !l.Dropped) ? CBXS_HOT
                                                                            : CBXS_NORMAL;
        DrawThemedPart(GridThemeApi, window, QStringLiteral("combobox"), p, CP_DROPDOWNBUTTON, state, b.toQRect());
        return;
    }
    // Classic: the frame control of a combo-box scroll button, flat, or inactive when disabled.
    const TRect r{b.Left + rules.ClassicAdjust.Left, b.Top + rules.ClassicAdjust.Top,
                  b.Right + rules.ClassicAdjust.Right, b.Bottom + rules.ClassicAdjust.Bottom};
    p.fillRect(r.toQRect(), rgb(platform::clBtnFace));
    if (l.Enabled)
        frameRect(p, r, rgb(platform::clBtnShadow));
    else
        raisedEdge(p, r, false);
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    const QPoint corners[3] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
    const QColor arrow = rgb(l.Enabled ? platform::clBtnText : platform::clGrayText);
    p.save();
    p.setPen(arrow);
    p.setBrush(arrow);
    p.drawPolygon(corners, 3);
    p.restore();
}

namespace {

// Where a label stands, one row per position: its top from the box's top edge, its left from
// the box's left edge (W: the caption's width, M: the margin, centred: half the difference,
// rounded toward zero).
enum class LabelTop { BoxTop, Centred, BottomAligned, Above, Below };
enum class LabelLeft { BeforeText, BeforeMargin, BoxLeft, Centred, After };

struct TLabelRow {
    LabelTop top;
    LabelLeft left;
};

constexpr TLabelRow kLabelRows[] = {
    {LabelTop::BoxTop, LabelLeft::BeforeText},          // lpLeftTop
    {LabelTop::Centred, LabelLeft::BeforeText},         // lpLeftCenter
    {LabelTop::BottomAligned, LabelLeft::BeforeText},   // lpLeftBottom
    {LabelTop::Above, LabelLeft::BoxLeft},              // lpTopLeft
    {LabelTop::Below, LabelLeft::BoxLeft},              // lpBottomLeft
    {LabelTop::BoxTop, LabelLeft::BeforeMargin},        // lpLeftTopLeft
    {LabelTop::Centred, LabelLeft::BeforeMargin},       // lpLeftCenterLeft
    {LabelTop::BottomAligned, LabelLeft::BeforeMargin}, // lpLeftBottomLeft
    {LabelTop::Above, LabelLeft::Centred},              // lpTopCenter
    {LabelTop::Below, LabelLeft::Centred},              // lpBottomCenter
    {LabelTop::BoxTop, LabelLeft::After},               // lpRightTop
    {LabelTop::Centred, LabelLeft::After},              // lpRightCenter
    {LabelTop::BottomAligned, LabelLeft::After},        // lpRighBottom
};

} // namespace

void UpdateLabel(QLabel& label, const QWidget& box, const TLabelPlace& place, TLabelMeasure measure)
{
    label.setAutoFillBackground(!place.Transparent);
    const QFontMetrics fm(label.font());
    const int w = measure == TLabelMeasure::DrawTextRect
                      ? fm.boundingRect(QRect(0, 0, 1000, 255), Qt::TextHideMnemonic, label.text()).width()
                      : fm.horizontalAdvance(label.text());
    const int lh = label.height();
    const int m = place.Margin;
    const int top = box.y(), left = box.x(), h = box.height(), bw = box.width();
    const TLabelRow& row = kLabelRows[place.Position];
    int lt = top;
    switch (row.top) {
    case LabelTop::BoxTop:
        lt = top;
        break;
    case LabelTop::Centred:
        lt = top + (h - lh) / 2;
        break;
    case LabelTop::BottomAligned:
        lt = top + h - lh;
        break;
    case LabelTop::Above:
        lt = top - lh - m;
        break;
    case LabelTop::Below:
        lt = top + h + m;
        break;
    }
    int ll = left;
    switch (row.left) {
    case LabelLeft::BeforeText:
        ll = left - w - m;
        break;
    case LabelLeft::BeforeMargin:
        ll = left - m;
        break;
    case LabelLeft::BoxLeft:
        ll = left;
        break;
    case LabelLeft::Centred:
        ll = left + (bw - label.width()) / 2;
        break;
    case LabelLeft::After:
        ll = left + bw + m;
        break;
    }
    label.move(ll, lt);
    label.setVisible(box.isVisible());
}

} // namespace grid
