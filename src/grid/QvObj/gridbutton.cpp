// The grid button: its state rules (press, drag, release, the group of its parent), its face
// (flat fills and gradients, themed or classic raised face, drop-down part), the glyph and
// caption layout, the glyphs it derives from its glyph, the colour looks and the action link.

#include "grid/QvObj.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

#include <array>
#include <cmath>

namespace grid {

using namespace ZirAzur::canvas;
using platform::rgb;

namespace {

// Width of the drop-down part at the right edge.
constexpr int kDropDownWidth = 12;

int roundHalfEven(double v)
{
    return int(std::nearbyint(v));
}

TRect inflated(const TRect& r, int d)
{
    return {r.Left - d, r.Top - d, r.Right + d, r.Bottom + d};
}

bool isPressed(TButtonState s)
{
    return s == bsDown || s == bsExclusive;
}

// 16 bands from the top down, each overlapping the next by a row so that rounding never leaves
// a gap; then the outline when a border colour is given.
void DrawGradient(QPainter& canvas, TColor from, TColor to, TColor border, const TRect& r)
{
    const TColor a = platform::colorToRGB(from), b = platform::colorToRGB(to);
    const int r0 = platform::getRValue(a), g0 = platform::getGValue(a), b0 = platform::getBValue(a);
    const int dr = platform::getRValue(b) - r0, dg = platform::getGValue(b) - g0, db = platform::getBValue(b) - b0;
    const double h = r.Height() / 16.0;
    for (int i = 0; i < 16; ++i) {
        const int top = r.Top + roundHalfEven(i * h);
        const TColor c = rgb(r0 + roundHalfEven(i * dr / 16.0), g0 + roundHalfEven(i * dg / 16.0),
                             b0 + roundHalfEven(i * db / 16.0));
        fillRect(canvas, {r.Left, top, r.Right, top + roundHalfEven(h) + 1}, c);
    }
    if (border != clNone)
        frameRect(canvas, r, border);
}

// Solid face, or banded when `to` is set; outlined in `border` unless that is clNone.
void FillFace(QPainter& canvas, const TRect& r, TColor from, TColor to, TColor border)
{
    if (to != clNone) {
        DrawGradient(canvas, from, to, border, r);
        return;
    }
    fillRect(canvas, r, from);
    if (border != clNone)
        frameRect(canvas, r, border);
}

// Unfilled rectangle with 8 x 8 corner arcs, covering Left..Right-1 and Top..Bottom-1.
void RoundBorder(QPainter& canvas, const TRect& r, TColor color)
{
    if (color == clNone || r.Width() < 2 || r.Height() < 2)
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(platform::toQColor(color), 0));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), 4, 4);
    canvas.restore();
}

// Pixels of the colour of the lower-left pixel stay unpainted.
void DrawTransparentGlyph(QPainter& canvas, const QImage& glyph, const QPoint& at)
{
    if (glyph.isNull())
        return;
    QImage img = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1) & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    canvas.drawImage(at, img);
}

QImage GreyGlyph(const QImage& glyph)
{
    QImage grey = glyph.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int v = ((qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3) / 2 + 96;
            line[x] = qRgb(v, v, v);
        }
    }
    return grey;
}

QImage ShadeGlyph(const QImage& glyph)
{
    if (glyph.isNull())
        return {};
    QImage shade = glyph.convertToFormat(QImage::Format_RGB32);
    const QRgb key = shade.pixel(0, shade.height() - 1);
    const QRgb grey = platform::toQColor(platform::clGray).rgb();
    for (int y = 0; y < shade.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shade.scanLine(y));
        for (int x = 0; x < shade.width(); ++x)
            line[x] = line[x] == key ? key : grey;
    }
    return shade;
}

struct TButtonLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo, BorderDownColor,
        BorderHotColor;
};

constexpr TColor kFace = platform::clBtnFace;

constexpr std::array<TButtonLook, 7> kLooks = {{
    {rgb(241, 241, 237), rgb(235, 235, 223), rgb(252, 252, 250), rgb(237, 236, 229), rgb(231, 230, 224),
     rgb(225, 224, 216), rgb(255, 255, 255), clNone, rgb(122, 152, 175), rgb(206, 206, 195)},
    {kFace, clNone, rgb(193, 210, 238), clNone, rgb(152, 181, 226), clNone, rgb(225, 230, 232), clNone,
     rgb(49, 106, 197), rgb(49, 106, 197)},
    {rgb(218, 234, 253), rgb(136, 174, 228), rgb(255, 244, 204), rgb(255, 208, 145), rgb(254, 145, 78),
     rgb(255, 211, 142), rgb(255, 211, 142), rgb(255, 173, 85), rgb(0, 0, 0), rgb(0, 0, 0)},
    {rgb(234, 240, 207), rgb(177, 192, 140), rgb(255, 244, 204), rgb(255, 208, 145), rgb(254, 145, 78),
     rgb(255, 211, 142), rgb(255, 211, 142), rgb(255, 173, 85), rgb(0, 0, 0), rgb(0, 0, 0)},
    {rgb(225, 226, 236), rgb(152, 150, 179), rgb(255, 244, 204), rgb(255, 208, 145), rgb(254, 145, 78),
     rgb(255, 211, 142), rgb(255, 211, 142), rgb(255, 173, 85), rgb(0, 0, 0), rgb(0, 0, 0)},
    {kFace, clNone, kFace, clNone, rgb(210, 211, 216), clNone, rgb(199, 199, 202), clNone, clNone, clNone},
    {rgb(255, 255, 202), rgb(255, 255, 166), rgb(253, 240, 168), rgb(252, 233, 124), rgb(251, 224, 77),
     rgb(252, 233, 122), rgb(242, 230, 181), rgb(237, 221, 156), rgb(128, 128, 128), rgb(128, 128, 128)},
}};

// Colour-scheme names of the desktop's visual styles and the look each one takes.
struct TSchemeLook {
    const char* scheme;
    int look;
};
constexpr std::array<TSchemeLook, 3> kSchemeLooks = {{{"NormalColor", 2}, {"HomeStead", 3}, {"Metallic", 4}}};
constexpr int kDefaultLook = 1;

} // namespace

// ---- creation and properties ---------------------------------------------------------------

TQvGridButton::TQvGridButton(QWidget* owner) : QWidget(owner)
{
    FColor = platform::clBtnFace;
    FColorHot = 0xCAC7C7;
    FColorDown = 0xD8D3D2;
    FColorChecked = 0x808080;
    setFocusPolicy(Qt::NoFocus);
    // The face is drawn over whatever the parent shows; the corners a rounded look leaves stay
    // the parent's.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(false);
    // Mouse moves without a button re-evaluate the hot state.
    setMouseTracking(true);
    resize(23, 22);
}

TQvGridButton::~TQvGridButton() = default;

#define QV_BUTTON_COLOR_WRITER(Name)                                                                                   \
    void TQvGridButton::Set##Name(TColor v)                                                                            \
    {                                                                                                                  \
        F##Name = v;                                                                                                   \
        update();                                                                                                      \
    }
QV_BUTTON_COLORS(QV_BUTTON_COLOR_WRITER)
#undef QV_BUTTON_COLOR_WRITER

void TQvGridButton::SetFlat(bool v)
{
    if (v != FFlat) {
        FFlat = v;
        update();
    }
}

void TQvGridButton::SetLayout(TButtonLayout v)
{
    if (v != FLayout) {
        FLayout = v;
        update();
    }
}

void TQvGridButton::SetMargin(int v)
{
    if (v != FMargin && v >= -1) {
        FMargin = v;
        update();
    }
}

void TQvGridButton::SetSpacing(int v)
{
    if (v != FSpacing) {
        FSpacing = v;
        update();
    }
}

void TQvGridButton::SetShowCaption(bool v)
{
    if (v != FShowCaption) {
        FShowCaption = v;
        update();
    }
}

void TQvGridButton::SetShaded(bool v)
{
    FShaded = v;
    if (v)
        CreateShade();
    update();
}

void TQvGridButton::SetStyle(TQvGridButtonStyle v)
{
    FStyle = v;
    update();
}

void TQvGridButton::SetRounded(bool v)
{
    FRounded = v;
    update();
}

void TQvGridButton::SetDropDownButton(bool v)
{
    FDropDownButton = v;
    update();
}

void TQvGridButton::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    if (v)
        ThemeAdapt();
}

void TQvGridButton::SetCaption(const QString& v)
{
    if (v == FCaption)
        return;
    FCaption = v;
    grabAccelerator();
    update();
}

void TQvGridButton::SetFontColor(TColor v)
{
    FFontColor = v;
    update();
}

void TQvGridButton::SetGlyph(const QImage& v)
{
    FGlyph = v;
    // A grey copy made from an earlier glyph, and a shade made from one, would show the old
    // picture: both follow the new glyph.
    if (FGlyphDisabled.isNull() || disabledDerived) {
        FGlyphDisabled = v.isNull() ? QImage() : GreyGlyph(v);
        disabledDerived = !v.isNull();
    }
    if (!FGlyphShade.isNull())
        CreateShade();
    update();
}

void TQvGridButton::SetGlyphDisabled(const QImage& v)
{
    FGlyphDisabled = v;
    disabledDerived = false;
}

void TQvGridButton::CreateShade()
{
    FGlyphShade = ShadeGlyph(FGlyph);
}

void TQvGridButton::Loaded()
{
    if (FShaded)
        CreateShade();
}

void TQvGridButton::SetLook(int v)
{
    if (v < 0 || v >= int(kLooks.size()))
        return;
    const TButtonLook& l = kLooks[std::size_t(v)];
    FLook = v;
    FColor = l.Color;
    FColorTo = l.ColorTo;
    FColorHot = l.ColorHot;
    FColorHotTo = l.ColorHotTo;
    FColorDown = l.ColorDown;
    FColorDownTo = l.ColorDownTo;
    FColorChecked = l.ColorChecked;
    FColorCheckedTo = l.ColorCheckedTo;
    FBorderDownColor = l.BorderDownColor;
    FBorderHotColor = l.BorderHotColor;
    FBorderColor = clNone;
    FRounded = v == 0;
    FFlat = true;
    update();
}

void TQvGridButton::ThemeAdapt()
{
    int look = kDefaultLook;
    QString file, scheme, size;
    if (IsThemeActive() && GridThemeApi.GetCurrentThemeName && GridThemeApi.GetCurrentThemeName(file, scheme, size)) {
        for (const TSchemeLook& s : kSchemeLooks)
            if (scheme == QLatin1String(s.scheme))
                look = s.look;
    }
    SetLook(look);
}

// ---- down state and group ------------------------------------------------------------------

void TQvGridButton::SetDown(bool v)
{
    if (v && FGroupIndex == 0 && FStyle == tasButton)
        v = false;
    if (FStyle == tasCheck) {
        FDown = v;
        update();
        return;
    }
    if (v == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = v;
    FState = v ? bsExclusive : bsUp;
    update();
    if (v)
        UpdateExclusive();
}

void TQvGridButton::SetGroupIndex(int v)
{
    if (v != FGroupIndex) {
        FGroupIndex = v;
        UpdateExclusive();
    }
}

void TQvGridButton::SetAllowAllUp(bool v)
{
    if (v != FAllowAllUp) {
        FAllowAllUp = v;
        UpdateExclusive();
    }
}

void TQvGridButton::UpdateExclusive()
{
    QWidget* parent = parentWidget();
    if (FGroupIndex == 0 || !parent)
        return;
    const QObjectList siblings = parent->children();
    for (QObject* o : siblings)
        if (auto* b = qobject_cast<TQvGridButton*>(o))
            b->ButtonPressed(FGroupIndex, this);
}

void TQvGridButton::ButtonPressed(int groupIndex, TQvGridButton* sender)
{
    if (groupIndex != FGroupIndex || sender == this)
        return;
    if (sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (QAction* a = Action())
            a->setChecked(false);
        update();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TQvGridButton::UpdateState()
{
    if (!isEnabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = bsDown;
}

// ---- mouse ---------------------------------------------------------------------------------

void TQvGridButton::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const QPointer<TQvGridButton> self(this);
    if (OnMouseDown)
        OnMouseDown(this, e->button(), p.x(), p.y());
    if (self && e->button() == Qt::LeftButton && isEnabled())
        pressed(p);
}

void TQvGridButton::pressed(const QPoint& p)
{
    if (FDropDownButton && p.x() >= width() - kDropDownWidth) {
        FState = bsUp;
        update();
        const QPointer<TQvGridButton> self(this);
        if (OnDropDown)
            OnDropDown(this);
        if (self && FDropDownMenu)
            FDropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    if (!FDown) {
        FState = bsDown;
        update();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
}

void TQvGridButton::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const QPointer<TQvGridButton> self(this);
    if (OnMouseMove)
        OnMouseMove(this, e->button(), p.x(), p.y());
    if (!self)
        return;
    if (!FDragging) {
        UpdateTracking(p);
        return;
    }
    const bool inside = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
    TButtonState s = FDown ? bsExclusive : inside ? bsDown : bsUp;
    if (FStyle == tasCheck && FDown)
        s = bsDown;
    if (s != FState) {
        FState = s;
        update();
    }
}

void TQvGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const QPointer<TQvGridButton> self(this);
    if (OnMouseUp)
        OnMouseUp(this, e->button(), p.x(), p.y());
    if (!self || !FDragging)
        return;
    FDragging = false;
    const bool doClick = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
    if (FGroupIndex == 0) {
        FState = bsUp;
        // Dragging off a check button cancels it: flipping without the click would change
        // the state behind its owner's back.
        if (FStyle == tasCheck && doClick) {
            SetDown(!FDown);
            FState = bsUp;
        }
    } else if (doClick) {
        SetDown(!FDown);
    } else if (FDown) {
        FState = bsExclusive;
    }
    update();
    if (doClick)
        Click();
    if (self)
        UpdateTracking(p);
}

void TQvGridButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // The second press of a double click is a press like any other.
    mousePressEvent(e);
    if (FDown && OnDblClick)
        OnDblClick(this);
}

void TQvGridButton::UpdateTracking(const QPoint& cursor)
{
    if (!isEnabled())
        return;
    const bool inside = rect().contains(cursor);
    if (inside && !FMouseInControl)
        MouseEnter();
    else if (!inside && FMouseInControl)
        MouseLeave();
}

void TQvGridButton::MouseEnter()
{
    if (isEnabled() && !QWidget::mouseGrabber()) {
        FMouseInControl = true;
        update();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TQvGridButton::MouseLeave()
{
    if (!FDragging && FMouseInControl) {
        FMouseInControl = false;
        update();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TQvGridButton::enterEvent(QEnterEvent* e)
{
    MouseEnter();
    QWidget::enterEvent(e);
}

void TQvGridButton::leaveEvent(QEvent* e)
{
    MouseLeave();
    QWidget::leaveEvent(e);
}

// ---- click, accelerator, notifications -----------------------------------------------------

void TQvGridButton::Click()
{
    const QPointer<TQvGridButton> self(this);
    if (OnClick)
        OnClick(this);
    if (self && Action())
        Action()->trigger();
}

void TQvGridButton::grabAccelerator()
{
    if (acceleratorId != 0)
        releaseShortcut(acceleratorId);
    acceleratorId = 0;
    const QKeySequence key = QKeySequence::mnemonic(FCaption);
    if (!key.isEmpty())
        acceleratorId = grabShortcut(key);
}

bool TQvGridButton::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Shortcut:
        if (acceleratorId != 0 && static_cast<QShortcutEvent*>(e)->shortcutId() == acceleratorId) {
            if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
                Click();
            return true;
        }
        break;
    case QEvent::ThemeChange:
        if (FAutoThemeAdapt)
            ThemeAdapt();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void TQvGridButton::changeEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

// ---- painting ------------------------------------------------------------------------------

void TQvGridButton::paintEvent(QPaintEvent*)
{
    UpdateState();
    QPainter canvas(this);
    canvas.setFont(font());
    const bool hot = FMouseInControl && isEnabled();
    TRect r{0, 0, width(), height()};
    r = FFlat ? PaintFlatFace(canvas, r, hot) : PaintRaisedFace(canvas, r);
    if (FState == bsExclusive && (!FFlat || !hot))
        FillFace(canvas, inflated(r, 1), FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);

    QPoint offset(0, 0);
    if (!FFlat && isPressed(FState))
        offset = {1, 1};
    else if (FFlat && hot && FShaded && FState != bsDown)
        offset = {-1, -1}; // the lifted look of a hot flat button

    if (FDropDownButton) {
        const int m = r.Top + (r.Bottom - r.Top) / 2;
        // Corners (Right - 8, m - 1), (Right - 4, m - 1) and (Right - 6, m + 1).
        triangleDown(canvas, r.Right - 8, r.Right - 4, m - 1, FFontColor);
        r.Right -= kDropDownWidth;
    }
    // A down grouped button shows the pressed look however it got there.
    const TButtonState drawState = FDown && FGroupIndex != 0 ? bsDown : FState;
    PaintContent(canvas, r, offset, drawState);
}

TRect TQvGridButton::PaintFlatFace(QPainter& canvas, TRect r, bool hot)
{
    if (FBorderDownColor == clNone || FRounded)
        r = inflated(r, -1);
    const bool checkedDown = FStyle == tasCheck && FDown;
    if (!hot) {
        if (checkedDown) {
            FillFace(canvas, r, FColorChecked, FColorCheckedTo, FBorderDownColor);
        } else {
            FillFace(canvas, r, FColor, FColorTo, FRounded ? clNone : FDown ? FBorderDownColor : FBorderColor);
            // A rounded border stays unfilled, as on a hot button, so the face shows inside it.
            if (FRounded)
                RoundBorder(canvas, inflated(r, 1), FBorderColor);
            else if (FBorderColor != clNone)
                frameRect(canvas, r, FBorderColor);
        }
    } else {
        TColor from = FColorHot, to = FColorHotTo, border = FBorderHotColor;
        if (FState == bsDown) {
            from = FColorDown;
            to = FColorDownTo;
            border = FBorderDownColor;
        } else if (checkedDown) {
            from = FColorChecked;
            to = FColorCheckedTo;
            border = FBorderDownColor;
        }
        FillFace(canvas, r, from, to, FRounded ? clNone : border);
        if (FRounded)
            RoundBorder(canvas, inflated(r, 1), border);
        if (FDropDownButton)
            lineTo(canvas, r.Right - kDropDownWidth, r.Top, r.Right - kDropDownWidth, r.Bottom, border);
    }
    return inflated(r, -1);
}

TRect TQvGridButton::PaintRaisedFace(QPainter& canvas, TRect r)
{
    if (FAutoXPStyle && FIsComCtl6 && IsThemeActive()) {
        namespace th = platform::theme;
        const int state = isPressed(FState) ? th::PBS_PRESSED : FMouseInControl ? th::PBS_HOT : th::PBS_NORMAL;
        if (DrawThemedPart(GridThemeApi, this, QStringLiteral("button"), canvas, th::BP_PUSHBUTTON, state, r.toQRect()))
            return r;
    }
    classicButton(canvas, r, false, isPressed(FState), FState == bsDisabled);
    return inflated(r, -2); // inside the raised or sunken edge
}

TQvGridButton::TContentLayout TQvGridButton::LayoutContent(const TRect& c, const QPoint& offset) const
{
    TButtonLayout layout = FLayout;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }
    const QSize glyph = FGlyph.isNull() ? QSize(0, 0) : FGlyph.size();
    QSize text(0, 0);
    if (!FCaption.isEmpty())
        text = QFontMetrics(font()).boundingRect(QRect(0, 0, c.Width(), 0), Qt::TextShowMnemonic, FCaption).size();
    const QSize client(c.Width(), c.Height());
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    // Along the layout axis (a) and across it.
    auto along = [horizontal](const QSize& s) { return horizontal ? s.width() : s.height(); };
    QPoint glyphPos, textPos;
    if (horizontal) {
        glyphPos.setY((client.height() - glyph.height() + 1) / 2);
        textPos.setY((client.height() - text.height() + 1) / 2);
    } else {
        glyphPos.setX((client.width() - glyph.width() + 1) / 2);
        textPos.setX((client.width() - text.width() + 1) / 2);
    }
    int spacing = FSpacing, margin = FMargin;
    if (text.width() == 0 || glyph.width() == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (along(client) - along(glyph) - along(text)) / 3;
            spacing = margin;
        } else {
            margin = (along(client) - along(glyph) - spacing - along(text) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (along(client) - margin - along(glyph) - along(text)) / 2;
    }
    int g = 0, t = 0;
    switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
        g = margin;
        t = g + along(glyph) + spacing;
        break;
    case blGlyphRight:
    case blGlyphBottom:
        g = along(client) - margin - along(glyph);
        t = g - spacing - along(text);
        break;
    }
    if (horizontal) {
        glyphPos.setX(g);
        textPos.setX(t);
    } else {
        glyphPos.setY(g);
        textPos.setY(t);
    }
    const QPoint origin = QPoint(c.Left, c.Top) + offset;
    return {glyphPos + origin, QRect(textPos + origin, text)};
}

void TQvGridButton::PaintContent(QPainter& canvas, const TRect& c, const QPoint& offset, TButtonState state)
{
    TContentLayout l = LayoutContent(c, offset);
    const QPoint origin = QPoint(c.Left, c.Top) + offset;
    const bool noCaption = FCaption.isEmpty();
    const QPoint glyphAt = noCaption ? origin : l.glyph;

    const QImage* shown = &FGlyph;
    auto prefer = [&shown](const QImage& g) {
        if (!g.isNull())
            shown = &g;
    };
    if (!isEnabled())
        prefer(FGlyphDisabled);
    else if (FMouseInControl && isPressed(state))
        prefer(FGlyphDown);
    else if (FMouseInControl)
        prefer(FGlyphHot);
    else if (isPressed(state))
        prefer(FGlyphDown);

    if (FMouseInControl && FShaded && isEnabled() && state != bsDown) {
        DrawTransparentGlyph(canvas, FGlyphShade, noCaption ? glyphAt : glyphAt + QPoint(2, 2));
        if (FFlat && state != bsExclusive)
            l.text.translate(1, 1); // the caption stays put while the glyph lifts
    }
    DrawTransparentGlyph(canvas, *shown, glyphAt);

    if (!FShowCaption || noCaption)
        return;
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (state == bsDisabled) {
        canvas.setPen(platform::toQColor(platform::clBtnHighlight));
        canvas.drawText(l.text.translated(1, 1), flags, FCaption);
        canvas.setPen(platform::toQColor(platform::clBtnShadow));
    } else {
        canvas.setPen(platform::toQColor(FFontColor));
    }
    canvas.drawText(l.text, flags, FCaption);
}

// ---- action link ---------------------------------------------------------------------------

void TQvGridButton::SetAction(QAction* action)
{
    FActionLink.reset();
    if (!action)
        return;
    SetCaption(action->text());
    setEnabled(action->isEnabled());
    setToolTip(action->toolTip());
    if (parentWidget())
        setVisible(action->isVisible());
    SetGroupIndex(action->property(kActionGroupIndexProperty).toInt());
    SetDown(action->isChecked());
    FActionLink = std::make_unique<TQvGridButtonActionLink>(this, action);
}

TQvGridButtonActionLink::TQvGridButtonActionLink(TQvGridButton* client, QAction* action)
    : FClient(client), FAction(action), lastCaption(action->text()), lastChecked(action->isChecked()),
      lastGroupIndex(action->property(kActionGroupIndexProperty).toInt())
{
    connect(action, &QAction::changed, this, &TQvGridButtonActionLink::ActionChanged);
    action->installEventFilter(this);
}

bool TQvGridButtonActionLink::IsCaptionLinked() const
{
    return FClient->Caption() == lastCaption;
}

bool TQvGridButtonActionLink::IsCheckedLinked() const
{
    return FClient->GroupIndex() != 0 && FClient->AllowAllUp() && FClient->Down() == lastChecked;
}

bool TQvGridButtonActionLink::IsGroupIndexLinked() const
{
    return FClient->GroupIndex() == lastGroupIndex;
}

void TQvGridButtonActionLink::ActionChanged()
{
    QAction* a = FAction;
    if (!a)
        return;
    if (a->text() != lastCaption) {
        if (IsCaptionLinked())
            FClient->SetCaption(a->text());
        lastCaption = a->text();
    }
    if (a->isChecked() != lastChecked) {
        if (IsCheckedLinked())
            FClient->SetDown(a->isChecked());
        lastChecked = a->isChecked();
    }
    FClient->setEnabled(a->isEnabled());
    FClient->setToolTip(a->toolTip());
    if (FClient->parentWidget())
        FClient->setVisible(a->isVisible());
}

bool TQvGridButtonActionLink::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FAction && e->type() == QEvent::DynamicPropertyChange
        && static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName() == kActionGroupIndexProperty) {
        const int index = FAction->property(kActionGroupIndexProperty).toInt();
        if (index != lastGroupIndex) {
            if (IsGroupIndexLinked())
                FClient->SetGroupIndex(index);
            lastGroupIndex = index;
        }
    }
    return QObject::eventFilter(watched, e);
}

} // namespace grid
