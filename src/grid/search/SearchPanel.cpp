// The search footer panel: its children at their fixed places, its gradient, the edit box's
// Enter handling and the button pictures.

#include "grid/search/SearchPanel.h"

#include "grid/QvGrid.h"
#include "grid/look/QvDropXPVS.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace grid {

namespace {

// ---- glyphs ----------------------------------------------------------------------------------

enum class TGlyphShape { ArrowDown, ArrowUp, Cross, Marker };

struct TGlyphDef {
    const char* name;
    TGlyphShape shape;
    int size;    // square, in pixels
    QRgb colour; // the drawing colour
    QRgb back;   // 0: transparent
};

// Normal pictures in the footer's blue, disabled ones grey, the close cross red when hot and
// dark when pressed.
constexpr std::array<TGlyphDef, 9> kGlyphs{{
    {"QSGARDOWN", TGlyphShape::ArrowDown, 16, 0xFF1E5AA8, 0},
    {"QSGARDOWND", TGlyphShape::ArrowDown, 16, 0xFFA0A0A0, 0},
    {"QSGARUP", TGlyphShape::ArrowUp, 16, 0xFF1E5AA8, 0},
    {"QSGARUPD", TGlyphShape::ArrowUp, 16, 0xFFA0A0A0, 0},
    {"QSGCLOSE", TGlyphShape::Cross, 14, 0xFF505050, 0},
    {"QSGCLOSEH", TGlyphShape::Cross, 14, 0xFFFFFFFF, 0xFFD04040},
    {"QSGCLOSED", TGlyphShape::Cross, 14, 0xFFFFFFFF, 0xFF902020},
    {"QSGHI", TGlyphShape::Marker, 16, 0xFFE8C000, 0},
    {"QSGHID", TGlyphShape::Marker, 16, 0xFFA0A0A0, 0},
}};

void drawGlyph(QPainter& p, const TGlyphDef& d)
{
    const QColor c = QColor::fromRgba(d.colour);
    const double s = d.size;
    if (d.back != 0)
        p.fillRect(QRectF(0, 0, s, s), QColor::fromRgba(d.back));
    switch (d.shape) {
    case TGlyphShape::ArrowDown:
    case TGlyphShape::ArrowUp: {
        const bool down = d.shape == TGlyphShape::ArrowDown;
        QPainterPath path;
        const double tip = down ? s - 2 : 2, base = down ? s / 2 : s / 2;
        path.moveTo(s / 2, tip);
        path.lineTo(2, base);
        path.lineTo(5.5, base);
        path.lineTo(5.5, down ? 2 : s - 2);
        path.lineTo(s - 5.5, down ? 2 : s - 2);
        path.lineTo(s - 5.5, base);
        path.lineTo(s - 2, base);
        path.closeSubpath();
        p.fillPath(path, c);
        break;
    }
    case TGlyphShape::Cross:
        p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(s - 3.5, s - 3.5));
        p.drawLine(QPointF(s - 3.5, 3.5), QPointF(3.5, s - 3.5));
        break;
    case TGlyphShape::Marker: {
        // A highlighter pen lying across a marked line.
        p.fillRect(QRectF(1, s - 5, s - 2, 3), c.lighter(130));
        QPainterPath pen;
        pen.moveTo(4, s - 6);
        pen.lineTo(s - 5, 3);
        pen.lineTo(s - 2, 6);
        pen.lineTo(7, s - 3);
        pen.closeSubpath();
        p.fillPath(pen, c);
        p.setPen(QPen(c.darker(160), 1.0));
        p.drawPath(pen);
        break;
    }
    }
}

// ---- layout ----------------------------------------------------------------------------------

enum class TFooterControl { Edit, Next, Previous, Close, Highlight, MatchCase };

struct TFooterPlace {
    TFooterControl control;
    int left, top, width, height; // width 0: the control's own; height 0: the platform's
};

constexpr std::array<TFooterPlace, 6> kFooterLayout{{
    {TFooterControl::Edit, 25, 6, 110, 0},
    {TFooterControl::Next, 140, 5, 90, 23},
    {TFooterControl::Previous, 235, 5, 90, 23},
    {TFooterControl::Close, 5, 7, 14, 14},
    {TFooterControl::Highlight, 330, 5, 90, 23},
    {TFooterControl::MatchCase, 425, 8, 0, 18},
}};

// The match-case box takes the highlight button's place when that is hidden.
constexpr int kMatchCaseLeftAlone = 330;

} // namespace

QImage SearchFooterGlyph(const QString& name)
{
    // Every grid's footer shows the same few glyphs: each is drawn once and then shared (the
    // images are copied on write, so a footer changing its own leaves the others' alone).
    static QHash<QString, QImage> drawn;
    if (const auto it = drawn.constFind(name); it != drawn.cend())
        return *it;
    for (const TGlyphDef& d : kGlyphs) {
        if (name != QLatin1String(d.name))
            continue;
        QImage img(d.size, d.size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            drawGlyph(p, d);
        }
        drawn.insert(name, img);
        return img;
    }
    return {};
}

// ---- TRetEdit --------------------------------------------------------------------------------

TRetEdit::TRetEdit(QWidget* parent) : QLineEdit(parent) {}

void TRetEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    // Taken here, so neither a default button of the window nor the line edit's own handling
    // sees it; the character that goes with the key is reported and dropped.
    e->accept();
    if (e->modifiers() & Qt::ControlModifier) {
        if (OnCtrlReturn)
            OnCtrlReturn(this);
    } else if (OnReturn) {
        OnReturn(this);
    }
    QChar key(13);
    if (OnKeyPress)
        OnKeyPress(this, key);
}

// ---- TSearchPanel ----------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TQvStringGrid* grid, QWidget* parent)
    : QWidget(parent), FGrid(grid), FEdit(new TRetEdit(this)), FForward(new TQvGridButton(this)),
      FBackward(new TQvGridButton(this)), FExit(new TQvGridButton(this)), FHilite(new TQvGridButton(this)),
      FMatchCase(new TQvCheckBox(this))
{
    setAutoFillBackground(false);
    FEdit->setObjectName(QStringLiteral("SearchEdit"));
    FForward->setObjectName(QStringLiteral("FindNext"));
    FBackward->setObjectName(QStringLiteral("FindPrevious"));
    FExit->setObjectName(QStringLiteral("Close"));
    FHilite->setObjectName(QStringLiteral("Highlight"));
    FMatchCase->setObjectName(QStringLiteral("MatchCase"));

    FForward->SetGlyph(SearchFooterGlyph(QStringLiteral("QSGARDOWN")));
    FForward->SetGlyphDisabled(SearchFooterGlyph(QStringLiteral("QSGARDOWND")));
    FBackward->SetGlyph(SearchFooterGlyph(QStringLiteral("QSGARUP")));
    FBackward->SetGlyphDisabled(SearchFooterGlyph(QStringLiteral("QSGARUPD")));
    FExit->SetGlyph(SearchFooterGlyph(QStringLiteral("QSGCLOSE")));
    FExit->SetGlyphHot(SearchFooterGlyph(QStringLiteral("QSGCLOSEH")));
    FExit->SetGlyphDown(SearchFooterGlyph(QStringLiteral("QSGCLOSED")));
    FExit->SetShowCaption(false);
    FHilite->SetGlyph(SearchFooterGlyph(QStringLiteral("QSGHI")));
    FHilite->SetGlyphDisabled(SearchFooterGlyph(QStringLiteral("QSGHID")));
    FHilite->SetStyle(tasCheck);
    for (TQvGridButton* b : {FForward, FBackward, FHilite})
        b->setEnabled(false); // nothing to find yet
    FMatchCase->SetTransparent(true);

    // Each button reports through the panel's event of the same meaning.
    const auto report = [this](TQvGridButton* button, std::function<void(TSearchPanel*)> TSearchPanel::*event) {
        button->OnClick = [this, event](TQvGridButton*) {
            if (this->*event)
                (this->*event)(this);
        };
    };
    report(FForward, &TSearchPanel::OnForwardClick);
    report(FBackward, &TSearchPanel::OnBackwardClick);
    report(FExit, &TSearchPanel::OnExitClick);
    report(FHilite, &TSearchPanel::OnHighlightClick);
    FEdit->OnReturn = [this](TRetEdit*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](TRetEdit*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };
    connect(FEdit, &QLineEdit::textChanged, this, [this](const QString& t) { editChanged(t); });
    LayoutControls();
}

void TSearchPanel::editChanged(const QString& text)
{
    for (TQvGridButton* b : {FForward, FBackward, FHilite})
        b->setEnabled(!text.isEmpty());
    if (OnEditChange)
        OnEditChange(this, text);
}

void TSearchPanel::LayoutControls()
{
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    for (const TFooterPlace& place : kFooterLayout) {
        QWidget* w = nullptr;
        int left = place.left, width = place.width, height = place.height;
        switch (place.control) {
        case TFooterControl::Edit:
            w = FEdit;
            height = FEdit->sizeHint().height();
            break;
        case TFooterControl::Next:
            w = FForward;
            break;
        case TFooterControl::Previous:
            w = FBackward;
            break;
        case TFooterControl::Close:
            w = FExit;
            break;
        case TFooterControl::Highlight:
            w = FHilite;
            break;
        case TFooterControl::MatchCase:
            w = FMatchCase;
            if (FHilite->isHidden())
                left = kMatchCaseLeftAlone;
            width = QFontMetrics(FMatchCase->font()).horizontalAdvance(FMatchCase->Caption()) + 24;
            break;
        }
        // Hidden controls keep their place with no height, as the footer's settings want.
        if (w->isHidden() && place.control != TFooterControl::Edit && place.control != TFooterControl::Close)
            height = 0;
        if (rtl)
            left = this->width() - width - left;
        w->setGeometry(left, place.top, width, height);
    }
}

void TSearchPanel::SetColor(TColor v)
{
    FColor = v;
    update();
}

void TSearchPanel::SetColorTo(TColor v)
{
    FColorTo = v;
    update();
}

void TSearchPanel::SetFindNextCaption(const QString& v)
{
    FForward->SetCaption(v);
}
void TSearchPanel::SetFindPrevCaption(const QString& v)
{
    FBackward->SetCaption(v);
}
void TSearchPanel::SetHighLightCaption(const QString& v)
{
    FHilite->SetCaption(v);
}

void TSearchPanel::SetMatchCaseCaption(const QString& v)
{
    FMatchCase->SetCaption(v);
    LayoutControls();
}

// An empty hint shows none.
void TSearchPanel::SetHintFindNext(const QString& v)
{
    FForward->setToolTip(v);
}
void TSearchPanel::SetHintFindPrev(const QString& v)
{
    FBackward->setToolTip(v);
}
void TSearchPanel::SetHintClose(const QString& v)
{
    FExit->setToolTip(v);
}
void TSearchPanel::SetHintHighlight(const QString& v)
{
    FHilite->setToolTip(v);
}

void TSearchPanel::SetPanelFont(const TFont& f)
{
    const QFont qf = toQFont(f);
    setFont(qf);
    for (TQvGridButton* b : {FForward, FBackward, FExit, FHilite})
        b->setFont(qf);
    FMatchCase->setFont(qf);
    LayoutControls();
}

void TSearchPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TRect r{0, 0, width(), height()};
    if (FColorTo == kNoColorTo || FColorTo == clNone)
        ZirAzur::canvas::fillRect(p, r, FColor);
    else
        FillGradientRect(p, FColor, FColorTo, false, r, 32);
    ZirAzur::canvas::lineTo(p, 0, 0, width(), 0, FGrid->GridLineColor());
}

void TSearchPanel::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    LayoutControls();
}

void TSearchPanel::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LayoutDirectionChange)
        LayoutControls();
}

} // namespace grid
