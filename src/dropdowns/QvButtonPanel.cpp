// The button panel: its buttons and their look, the calculator's buttons and arrangement, the
// painting of one button and the mouse.

#include "dropdowns/QvButtonPanel.h"

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "grid/look/QvDropXPVS.h"
#include "platform/VisualStyles.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace dropdowns {

// In the order CreateButtons adds them; rows 1 to 4 are the grid of memory, digit and operator
// columns, row 0 the empty button and the three wide top buttons.
const TCalculatorButtonDef kCalculatorButtons[kCalculatorButtonCount] = {
    {"", "BTN_ON", 30, false, 0, 0},      {"Back", "BTN_BACK", 31, true, 0, 1}, {"CE", "BTN_CE", 32, true, 0, 2},
    {"C", "BTN_C", 16, true, 0, 3},       {"MC", "BTN_MC", 33, true, 1, 0},     {"MR", "BTN_MR", 34, true, 2, 0},
    {"MS", "BTN_MS", 35, true, 3, 0},     {"M+", "BTN_M+", 36, true, 4, 0},     {"0", "BTN_0", 0, false, 4, 1},
    {"1", "BTN_1", 1, false, 3, 1},       {"4", "BTN_4", 4, false, 2, 1},       {"7", "BTN_7", 7, false, 1, 1},
    {"8", "BTN_8", 8, false, 1, 2},       {"5", "BTN_5", 5, false, 2, 2},       {"2", "BTN_2", 2, false, 3, 2},
    {"+/-", "BTN_+/-", 14, false, 4, 2},  {".", "BTN_.", 15, false, 4, 3},      {"3", "BTN_3", 3, false, 3, 3},
    {"6", "BTN_6", 6, false, 2, 3},       {"9", "BTN_9", 9, false, 1, 3},       {"/", "BTN_/", 13, true, 1, 4},
    {"*", "BTN_*", 12, true, 2, 4},       {"-", "BTN_-", 11, true, 3, 4},       {"+", "BTN_+", 10, true, 4, 4},
    {"=", "BTN_=", 17, true, 4, 5},       {"1/x", "BTN_1/x", 38, false, 3, 5},  {"%", "BTN_%", 18, false, 2, 5},
    {"sqrt", "BTN_sqrt", 37, true, 1, 5},
};

namespace {

// A special button's caption colour (kept with the button; drawing takes the appearance's).
constexpr TColor kSpecialCaptionColor = 0x000080;
// Gap between the memory column, the digit block and the operator block; buttons inside a
// block overlap by one pixel so that their borders coincide.
constexpr int kGroupGap = 4;

} // namespace

// ---- buttons ---------------------------------------------------------------------------------

int TButtonItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TButtonItem::SetBounds(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TButtonItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TButtonItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TButtonItem");
    FCaption = s->FCaption;
    FCaptionColor = s->FCaptionColor;
    FTag = s->FTag;
    FImageIndex = s->FImageIndex;
    FImage.Image = s->FImage.Image;
    FEnabled = s->FEnabled;
    FName = s->FName;
}

TButtonItem& TButtonItems::Insert(int index)
{
    TButtonItem& item = insertItem(index, std::make_unique<TButtonItem>(this));
    changed();
    return item;
}

void TButtonItems::Clear()
{
    clearItems();
    changed();
}

void TButtonItems::Assign(const TButtonItems& source)
{
    // One notice for the whole copy.
    const auto notify = OnChange;
    OnChange = nullptr;
    assignItems(*this, source);
    OnChange = notify;
    changed();
}

void TButtonItems::changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- appearance ------------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance()
    // The checked colours are the office look's, red and green taken to 90 %; the disabled ones
    // white at 95 %.
    : FColorCheckedTo(ScaleColorChannels(0xF9D2B2, -10, -10, 0)),
      FColorDisabled(ScaleColorChannels(0xFFFFFF, -5, -5, -5)),
      FColorDisabledTo(ScaleColorChannels(0xFFFFFF, -5, -5, -5)),
      FColorChecked(ScaleColorChannels(0xF5F0E1, -10, -10, 0))
{
    FFont.Size = 10;
    FFont.Style = grid::fsBold;
    FFont.Color = platform::clBlack;
}

void TButtonAppearance::setColor(TColor& field, TColor v)
{
    if (field == v)
        return;
    field = v;
    if (OnChange)
        OnChange(this);
}

void TButtonAppearance::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TButtonAppearance*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TButtonAppearance");
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetShineColor(s->FShineColor);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    FGlowColorHot = s->FGlowColorHot;
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    FGlowColorDown = s->FGlowColorDown;
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    FFont = s->FFont;
    SetTextColor(s->FTextColor);
    SetSpecialTextColor(s->FSpecialTextColor);
}

// ---- panel -----------------------------------------------------------------------------------

TCustomButtonPanel::TCustomButtonPanel(QWidget* owner)
    : QWidget(owner), FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtons->OnChange = [this](grid::TObject*) { ButtonsChanged(); };
    FButtonAppearance->OnChange = [this](grid::TObject*) { AppearanceChanged(); };
    setMouseTracking(true);
    // Keys typed on the popup go to the popup, which passes them on to the picker.
    setFocusPolicy(Qt::NoFocus);
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::SetImages(const grid::TCustomImageList* v)
{
    if (FImages == v)
        return;
    FImages = v;
    ArrangeButtons();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType v)
{
    if (FButtonPanelType == v)
        return;
    FButtonPanelType = v;
    ArrangeButtons();
}

void TCustomButtonPanel::SetColor(TColor v)
{
    FColor = v;
    update();
}

void TCustomButtonPanel::ButtonsChanged()
{
    if (!FQvDropDown)
        update();
}

void TCustomButtonPanel::AppearanceChanged()
{
    if (!FQvDropDown)
        update();
}

void TCustomButtonPanel::Loaded()
{
    if (!FQvDropDown)
        CreateButtons();
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
}

void TCustomButtonPanel::RebuildButtons()
{
    ClearButtons();
    CreateButtons();
}

void TCustomButtonPanel::CreateButtons()
{
    if (FButtons->Count() > 0)
        return;
    if (FButtonPanelType == plCalculator) {
        for (const TCalculatorButtonDef& def : kCalculatorButtons) {
            TButtonItem& b = FButtons->Add();
            b.SetCaption(QString::fromLatin1(def.Caption));
            b.SetName(QString::fromLatin1(def.Name));
            b.SetTag(def.Tag);
            b.SetSpecial(def.Special);
            if (def.Special)
                b.SetCaptionColor(kSpecialCaptionColor);
        }
    }
    ArrangeButtons();
}

grid::TRect TCustomButtonPanel::GetButtonsRect() const
{
    return {FOffSetX, FOffSetY, width() - FOffSetX, height() - FOffSetY};
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtonPanelType != plCalculator || FButtons->Count() == 0)
        return;
    const grid::TRect a = GetButtonsRect();
    // Divisions truncate toward zero, also for a panel too narrow for its buttons.
    const int w = (a.Right - a.Left - 2 * kGroupGap) / 6;
    const int h = (a.Bottom - a.Top - kGroupGap) / 5;
    int column[6];
    column[0] = a.Left;
    column[1] = column[0] + w + kGroupGap;
    column[2] = column[1] + w - 1;
    column[3] = column[2] + w - 1;
    column[4] = column[3] + w + kGroupGap;
    column[5] = column[4] + w - 1;
    const int right = column[5] + w;
    int row[5];
    row[0] = a.Top;
    row[1] = a.Top + h + kGroupGap;
    for (int i = 2; i < 5; ++i)
        row[i] = row[i - 1] + h - 1;
    // The wide top buttons share the room right of button 0.
    const int topLeft = column[0] + w + kGroupGap;
    const int topWidth = (right - topLeft - 2 * kGroupGap) / 3;

    const int n = std::min(FButtons->Count(), kCalculatorButtonCount);
    for (int i = 0; i < n; ++i) {
        const TCalculatorButtonDef& def = kCalculatorButtons[i];
        TButtonItem& b = FButtons->Items(i);
        if (def.Row > 0 || def.Column == 0) {
            b.SetBounds(column[def.Column], row[def.Row], w, h);
            continue;
        }
        const int left = topLeft + (def.Column - 1) * (topWidth + kGroupGap);
        b.SetBounds(left, row[0], def.Column == 3 ? right - left : topWidth, h);
    }
}

grid::TRect TCustomButtonPanel::GetButtonBounds(int index) const
{
    if (index < 0 || index >= FButtons->Count())
        return {-1, -1, -1, -1};
    return FButtons->Items(index).ButtonRect();
}

int TCustomButtonPanel::ButtonAtPos(int x, int y) const
{
    for (int i = 0; i < FButtons->Count(); ++i) {
        const grid::TRect r = FButtons->Items(i).ButtonRect();
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}

// ---- hot and down buttons --------------------------------------------------------------------

void TCustomButtonPanel::setMarked(int& field, int index)
{
    if (index == field)
        return;
    if (index >= 0 && index < FButtons->Count() && !FButtons->Items(index).Enabled())
        return;
    const int old = field;
    field = -1;
    InvalidateButton(old);
    field = index;
    InvalidateButton(index);
}

void TCustomButtonPanel::SetButtonHot(int index)
{
    setMarked(FButtonHot, index);
}

void TCustomButtonPanel::SetButtonDown(int index)
{
    setMarked(FButtonDown, index);
}

void TCustomButtonPanel::InvalidateButton(int index)
{
    if (index < 0 || index >= FButtons->Count())
        return;
    // Themed faces may draw a little outside their rectangle.
    update(FButtons->Items(index).ButtonRect().toQRect().adjusted(-8, -8, 8, 8));
}

void TCustomButtonPanel::ButtonClicked(int index)
{
    if (OnButtonClick)
        OnButtonClick(this, index);
}

void TCustomButtonPanel::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const int index = ButtonAtPos(p.x(), p.y());
    if (index >= 0 && FButtons->Items(index).Enabled())
        SetButtonDown(index);
    e->accept();
}

void TCustomButtonPanel::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    int index = ButtonAtPos(p.x(), p.y());
    if (index >= 0 && !FButtons->Items(index).Enabled())
        index = -1;
    SetButtonHot(index);
    e->accept();
}

void TCustomButtonPanel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (FButtonDown < 0)
        return;
    const QPoint p = e->position().toPoint();
    const int index = ButtonAtPos(p.x(), p.y());
    const int down = FButtonDown;
    SetButtonDown(-1);
    if (index == down)
        ButtonClicked(index);
}

void TCustomButtonPanel::leaveEvent(QEvent* e)
{
    QWidget::leaveEvent(e);
    SetButtonHot(-1);
}

void TCustomButtonPanel::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

// ---- painting --------------------------------------------------------------------------------

QSize TCustomButtonPanel::pictureSize(const TButtonItem& button) const
{
    if (!button.Image().Empty())
        return button.Image().Image.size();
    if (FImages && button.ImageIndex() >= 0)
        return {FImages->Width(), FImages->Height()};
    return {0, 0};
}

void TCustomButtonPanel::drawPicture(QPainter& canvas, const TButtonItem& button, int x, int y) const
{
    if (!button.Image().Empty())
        canvas.drawImage(x, y, button.Image().Image);
    else if (FImages && button.ImageIndex() >= 0)
        FImages->Draw(canvas, x, y, button.ImageIndex(), button.Enabled());
}

void TCustomButtonPanel::DrawButton(int index, QPainter* canvas)
{
    if (!canvas || index < 0 || index >= FButtons->Count())
        return;
    const TButtonItem& button = FButtons->Items(index);
    const grid::TRect br = button.ButtonRect();
    if (br.Left < 0 && br.Right < 0)
        return;
    QPainter& c = *canvas;
    c.save();
    // The face.
    const QRect face = br.toQRect();
    draw::fill(c, face, FColor);
    int state = platform::theme::PBS_NORMAL;
    if (!isEnabled())
        state = platform::theme::PBS_DISABLED;
    else if (index == FButtonDown)
        state = platform::theme::PBS_PRESSED;
    else if (index == FButtonHot)
        state = platform::theme::PBS_HOT;
    const bool themed =
        grid::ThemeTableActive(grid::DropDownThemeApi)
        && draw::themePart(this, QStringLiteral("button"), c, platform::theme::BP_PUSHBUTTON, state, face);
    if (!themed && !face.isEmpty()) {
        const QRect inside = draw::drawEdge(
            c, face, state == platform::theme::PBS_PRESSED ? draw::Edge::PushPressed : draw::Edge::PushRaised);
        draw::fill(c, inside, platform::clBtnFace);
    }

    // The content rectangle, font and text colour.
    grid::TRect r{br.Left + FButtonOffSetX, br.Top + FButtonOffSetY, br.Right - FButtonOffSetX,
                  br.Bottom - FButtonOffSetY};
    c.setFont(grid::toQFont(FButtonAppearance->Font()));
    c.setPen(
        platform::toQColor(button.Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor()));
    c.setBrush(Qt::NoBrush);

    // The picture.
    const QSize picture = pictureSize(button);
    const bool hasPicture = picture.width() > 0 || picture.height() > 0;
    const QString& caption = button.Caption();
    const int centredY = r.Top + (r.Height() - picture.height()) / 2;
    const auto drawCaption = [&](const grid::TRect& t, bool centred) {
        if (caption.isEmpty())
            return;
        c.drawText(t.toQRect(), Qt::TextSingleLine | Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft),
                   caption);
    };
    const int textWidth = MeasureText(c, caption).width();
    const int textHeight = MeasureText(c, caption).height();

    // By layout.
    switch (FButtonLayout) {
    case ilCaptionLeft: {
        int x = r.Left;
        if (!caption.isEmpty()) {
            grid::TRect t = r;
            t.Right -= picture.width();
            drawCaption(t, !hasPicture);
            x = r.Left + textWidth + FCaptionGap;
        }
        drawPicture(c, button, x, centredY);
        break;
    }
    case ilCaptionRight: {
        drawPicture(c, button, r.Left, centredY);
        grid::TRect t = r;
        t.Left = r.Left + picture.width() + FCaptionGap;
        drawCaption(t, !hasPicture);
        break;
    }
    case ilCaptionTop: {
        int y = centredY;
        if (!caption.isEmpty()) {
            grid::TRect t = r;
            t.Bottom -= picture.height();
            drawCaption(t, true);
            y = t.Top + textHeight + FCaptionGap;
        }
        drawPicture(c, button, r.Left, y);
        break;
    }
    case ilCaptionBottom: {
        const int y = caption.isEmpty() ? centredY : r.Top;
        drawPicture(c, button, r.Left, y);
        grid::TRect t = r;
        t.Top = y + picture.height() + FCaptionGap;
        drawCaption(t, true);
        break;
    }
    }
    c.restore();
}

void TCustomButtonPanel::DrawButtons(QPainter& canvas, bool all)
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (all || i != FButtonHot)
            DrawButton(i, &canvas);
}

void TCustomButtonPanel::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    draw::fill(canvas, rect(), FColor);
    if (!FQvDropDown)
        draw::frame(canvas, rect(), platform::clBlack);
    DrawButtons(canvas, false);
    // The hot button last, so that its face lies over its neighbours' shared borders.
    DrawButton(FButtonHot, &canvas);
}

QSize TCustomButtonPanel::GetButtonSize()
{
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter canvas(&scratch);
    canvas.setFont(font());
    int captionW = 0, captionH = 0, pictureW = 0, pictureH = 0;
    for (int i = 0; i < FButtons->Count(); ++i) {
        const TButtonItem& b = FButtons->Items(i);
        const QSize text = MeasureText(canvas, b.Caption());
        captionW = std::max(captionW, text.width());
        captionH = std::max(captionH, text.height());
        const QSize picture = pictureSize(b);
        pictureW = std::max(pictureW, picture.width());
        pictureH = std::max(pictureH, picture.height());
    }
    const int gapW = pictureW > 0 && captionW > 0 ? FCaptionGap : 0;
    const int gapH = pictureH > 0 && captionH > 0 ? FCaptionGap : 0;
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight)
        return {2 * FButtonOffSetX + pictureW + gapW + captionW, std::max(pictureH, captionH) + 2 * FButtonOffSetY};
    return {std::max(pictureW, captionW) + 2 * FButtonOffSetX, 2 * FButtonOffSetY + pictureH + gapH + captionH};
}

} // namespace dropdowns
