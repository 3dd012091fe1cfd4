// The grid's hint window: markup and wide-coded hints measured, placed on the screen and drawn.

#include "grid/markup/HTMLHintWindow.h"

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/GridMarkup.h"
#include "grid/markup/RizIVUDE.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace grid {

QString& HintFontName()
{
    static QString name;
    return name;
}

namespace {

// The widest hint; longer texts wrap.
constexpr int kMaxHintWidth = 1008;
constexpr int kMarkupMargin = 16;
constexpr int kWideMargin = 8;

bool isWideCoded(const QString& hint)
{
    return ZirAzur::GetCellTextKind(hint, true) == ZirAzur::ctkWide;
}

// The markup request every measure and paint of a hint shares.
RizIVUDE::TMarkupRequest hintRequest(QWidget* window, const TCustomImageList* images, const TPictureContainer* pictures)
{
    RizIVUDE::TMarkupRequest m;
    m.Images = images;
    m.HitX = 0;
    m.HitY = 0;
    m.FocusAnchor = -1;
    m.HoverAnchor = 0;
    m.ShadowShift = 1;
    m.ScaleFactor = 0;
    m.AnchorColor = platform::clBlue;
    m.HoverBackColor = clNone;
    m.HoverTextColor = clNone;
    m.ShadowColor = platform::clGray;
    m.PictureCache = nullptr;
    m.Pictures = pictures;
    m.Window = window;
    m.BiDiMode = window->layoutDirection() == Qt::RightToLeft ? RizIVUDE::bdRightToLeft : RizIVUDE::bdLeftToRight;
    return m;
}

// The screen holding the point, else the primary one.
QRect screenRectAt(const QPoint& p)
{
    QScreen* s = QGuiApplication::screenAt(p);
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect();
}

} // namespace

THTMLHintWindow::THTMLHintWindow(QWidget* AOwner)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("THTMLHintWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(QToolTip::font());
}

void THTMLHintWindow::SetCaption(const QString& text)
{
    if (FCaption == text)
        return;
    FCaption = text;
    update();
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, const QObject* AData)
{
    if (const auto* g = qobject_cast<const TQvStringGrid*>(AData)) {
        FImages = g->GridImages;
        FPictureContainer = g->PictureContainer;
    }
    ActivateHint(Rect, AHint);
}

QSize THTMLHintWindow::measure(const QString& hint, int maxWidth)
{
    QImage device = MeasuringDevice(this);
    QPainter canvas(&device);
    canvas.setFont(font());
    if (isWideCoded(hint)) {
        TRect r{0, 0, maxWidth, 0};
        const int h = ZirAzur::DrawTextFlags(canvas, ZirAzur::DecodeWideCellText(hint), r,
                                             ZirAzur::DT_NOPREFIX | ZirAzur::DT_CALCRECT | ZirAzur::DT_SINGLELINE);
        return QSize(r.Right, h);
    }
    RizIVUDE::TMarkupRequest m = hintRequest(this, FImages, FPictureContainer);
    m.Canvas = &canvas;
    m.Text = hint;
    m.Rect = {0, 0, maxWidth, 0};
    m.MeasureOnly = true;
    m.Wrap = true;
    RizIVUDE::TMarkupResult result;
    RizIVUDE::PaintMarkup(m, result);
    return QSize(result.MarkupWidth, result.MarkupHeight);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& AHint, const QObject*)
{
    const QSize s = measure(AHint, MaxWidth);
    return {0, 0, s.width(), s.height()};
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString& AHint)
{
    SetCaption(AHint);
    Rect.Right = Rect.Left + kMaxHintWidth;
    const bool wide = isWideCoded(AHint);
    FWideCaption = wide ? ZirAzur::DecodeWideCellText(AHint) : QString();
    const QSize s = measure(AHint, Rect.Width());
    const int margin = wide ? kWideMargin : kMarkupMargin;
    FTextWidth = s.width();
    Rect.Right = Rect.Left + s.width() + margin;
    FTextHeight = s.height();
    Rect.Bottom = Rect.Top + s.height() + 4;
    // Kept 2 pixels inside the screen holding the top-left corner.
    const QRect screen = screenRectAt(QPoint(Rect.Left, Rect.Top));
    if (!screen.isEmpty()) {
        const int screenRight = screen.x() + screen.width();
        const int screenBottom = screen.y() + screen.height();
        if (Rect.Right > screenRight) {
            const int shift = Rect.Right - (screenRight - 2);
            Rect.Left -= shift;
            Rect.Right -= shift;
        }
        if (Rect.Bottom > screenBottom) {
            const int shift = Rect.Bottom - (screenBottom - 2);
            Rect.Top -= shift;
            Rect.Bottom -= shift;
        }
    }
    setGeometry(Rect.toQRect());
    if (!isVisible())
        show();
    update();
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void THTMLHintWindow::Paint(QPainter& canvas)
{
    const int w = width();
    const int h = height();
    canvas.fillRect(rect(), platform::toQColor(Color));
    // The 3D frame: light along the top and left, dark shadow along the bottom and right.
    const QColor light = platform::toQColor(platform::cl3DLight);
    const QColor dark = platform::toQColor(platform::cl3DDkShadow);
    canvas.fillRect(QRect(0, 0, 1, std::max(0, h - 1)), light);
    canvas.fillRect(QRect(0, 0, std::max(0, w - 1), 1), light);
    canvas.fillRect(QRect(0, h - 1, std::max(0, w - 1), 1), dark);
    canvas.fillRect(QRect(w - 1, 0, 1, h), dark);

    TRect r{4, 0, w - 4, 0};
    r.Top = (h - FTextHeight) / 2;
    r.Bottom = r.Top + FTextHeight + 8;
    canvas.setFont(font());
    canvas.setPen(platform::toQColor(platform::clInfoText));
    canvas.setBrush(platform::toQColor(Color));
    if (!FWideCaption.isEmpty() || isWideCoded(FCaption)) {
        ZirAzur::DrawTextFlags(canvas, FWideCaption, r, ZirAzur::DT_SINGLELINE | ZirAzur::DT_NOPREFIX);
        return;
    }
    RizIVUDE::TMarkupRequest m = hintRequest(this, FImages, FPictureContainer);
    m.Canvas = &canvas;
    m.Text = FCaption;
    m.Rect = r;
    m.Wrap = false;
    RizIVUDE::TMarkupResult result;
    RizIVUDE::PaintMarkup(m, result);
}

} // namespace grid
