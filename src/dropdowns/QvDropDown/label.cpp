// The attached caption label: a sibling of the edit, created with the first caption and placed
// by one table of fifteen positions around the edit.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Internal.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

#include <array>

namespace dropdowns {

using internal::meantVisible;
using internal::toQFont;

// Passes the label's clicks to the drop-down.
class LabelEvents final : public QObject {
public:
    explicit LabelEvents(TQvCustomDropDown* owner) : QObject(owner), dd(owner) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            dd->LabelClick();
        else if (e->type() == QEvent::MouseButtonDblClick)
            dd->LabelDblClick();
        return false;
    }

private:
    TQvCustomDropDown* dd;
};

namespace {

// How far from the edit the label's top and left edge lie. With the edit's bounds L, T, W, H,
// the label's size lw x lh, the caption's measured width w and the margin m:
enum class Top { Same, Centre, BottomAligned, Above, Below }; // T; centred; T+H-lh; T-lh-m; T+H+m
enum class Left {
    BeforeText,
    BeforeMargin,
    Same,
    Centre,
    After,
    RightAligned
}; // L-w-m; L-m; L; centred; L+W+m; L+W-lw

struct Placement {
    Top top;
    Left left;
};

constexpr std::array<Placement, kLabelPositionCount> kPlacements{{
    {Top::Same, Left::BeforeText},            // lpLeftTop
    {Top::Centre, Left::BeforeText},          // lpLeftCenter
    {Top::BottomAligned, Left::BeforeText},   // lpLeftBottom
    {Top::Above, Left::Same},                 // lpTopLeft
    {Top::Below, Left::Same},                 // lpBottomLeft
    {Top::Same, Left::BeforeMargin},          // lpLeftTopLeft
    {Top::Centre, Left::BeforeMargin},        // lpLeftCenterLeft
    {Top::BottomAligned, Left::BeforeMargin}, // lpLeftBottomLeft
    {Top::Above, Left::Centre},               // lpTopCenter
    {Top::Below, Left::Centre},               // lpBottomCenter
    {Top::Same, Left::After},                 // lpRightTop
    {Top::Centre, Left::After},               // lpRightCenter
    {Top::BottomAligned, Left::After},        // lpRighBottom
    {Top::Above, Left::RightAligned},         // lpTopRight
    {Top::Below, Left::RightAligned},         // lpBottomRight
}};

} // namespace

QString TQvCustomDropDown::LabelCaption() const
{
    return FLabel ? FLabel->text() : QString();
}

void TQvCustomDropDown::SetLabelCaption(const QString& v)
{
    if (!FLabel) {
        FLabel = new QLabel(parentWidget());
        FLabel->setBuddy(this);
        FLabel->setFont(toQFont(FLabelFont));
        FLabel->installEventFilter(new LabelEvents(this));
        if (!parentWidget())
            FLabel->hide();
    }
    FLabel->setText(v);
    PositionLabel();
}

void TQvCustomDropDown::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    PositionLabel();
}

void TQvCustomDropDown::SetLabelMargin(int v)
{
    FLabelMargin = v;
    PositionLabel();
}

void TQvCustomDropDown::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    PositionLabel();
}

void TQvCustomDropDown::SetLabelFont(const TFont& v)
{
    // The label follows the control's font while that comes from the parent.
    if (!testAttribute(Qt::WA_SetFont))
        return;
    FLabelFont = v;
    labelFontChanged();
}

void TQvCustomDropDown::labelFontChanged()
{
    if (FLabel)
        PositionLabel();
}

void TQvCustomDropDown::LabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TQvCustomDropDown::LabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

void TQvCustomDropDown::PositionLabel()
{
    if (!FLabel)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    FLabel->setFont(FParentFnt ? font() : toQFont(FLabelFont));
    FLabel->adjustSize();
    const int w =
        QFontMetrics(FLabel->font()).boundingRect(QRect(0, 0, 1000, 255), Qt::TextHideMnemonic, FLabel->text()).width();
    const int L = x(), T = y(), W = width(), H = height();
    const int lw = FLabel->width(), lh = FLabel->height(), m = FLabelMargin;
    const Placement& p = kPlacements[std::size_t(FLabelPosition)];
    int top = T;
    switch (p.top) {
    case Top::Same:
        top = T;
        break;
    case Top::Centre:
        top = T + (H - lh) / 2;
        break;
    case Top::BottomAligned:
        top = T + H - lh;
        break;
    case Top::Above:
        top = T - lh - m;
        break;
    case Top::Below:
        top = T + H + m;
        break;
    }
    int left = L;
    switch (p.left) {
    case Left::BeforeText:
        left = L - w - m;
        break;
    case Left::BeforeMargin:
        left = L - m;
        break;
    case Left::Same:
        left = L;
        break;
    case Left::Centre:
        left = L + (W - lw) / 2;
        break;
    case Left::After:
        left = L + W + m;
        break;
    case Left::RightAligned:
        left = L + W - lw;
        break;
    }
    FLabel->move(left, top);
    if (FLabel->parentWidget())
        FLabel->setVisible(meantVisible(this));
}

void TQvCustomDropDown::setVisible(bool visible)
{
    QLineEdit::setVisible(visible);
    if (FLabel && FLabel->parentWidget() && !LabelCaption().isEmpty())
        FLabel->setVisible(visible);
}

} // namespace dropdowns
