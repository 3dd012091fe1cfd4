// The colour picker: its colour items, the value and its text, the edit's colour box, the four
// popup styles made on demand, the selection handlers, the keys and the wheel.

#include "dropdowns/QvColorPicker.h"

#include "dropdowns/LookupCompletion.h"
#include "dropdowns/QvDropDown/Draw.h"
#include "dropdowns/QvDropDown/Internal.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <stdexcept>

namespace dropdowns {

using internal::isReturnKey;
using internal::meantVisible;

namespace {

// A type-ahead text lives this long from its first character.
constexpr int kKeySearchMs = 500;
constexpr int kListHeight = 150;
constexpr int kDefaultDropDownHeight = 200;

struct TDefaultColor {
    const char* caption;
    TColor color;
};

constexpr TDefaultColor kDefaultColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QString htmlText(TColor rgbColor)
{
    return QStringLiteral("#%1%2%3")
        .arg(platform::getRValue(rgbColor), 2, 16, QLatin1Char('0'))
        .arg(platform::getGValue(rgbColor), 2, 16, QLatin1Char('0'))
        .arg(platform::getBValue(rgbColor), 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

// ---- colour items ----------------------------------------------------------------------------

void TColorItem::changed()
{
    if (FCollection)
        FCollection->Changed();
}

void TColorItem::SetCaption(const QString& v)
{
    if (FCaption == v)
        return;
    FCaption = v;
    changed();
}

void TColorItem::SetColor(TColor v)
{
    if (FColor == v)
        return;
    FColor = v;
    changed();
}

void TColorItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TColorItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TColorItem");
    SetCaption(s->FCaption);
    SetColor(s->FColor);
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

// ---- construction ----------------------------------------------------------------------------

TQvColorPickerDropDown::TQvColorPickerDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>())
{
    // Editing the colours does not refresh an open list; the next opening shows them.
    FColors->OnChange = [](grid::TObject*) {};
    ConstructDropDown();
    SetEditorEnabled(false);
    FDropDownEnabled = true;
    FKeyTimer = new QTimer(this);
    FKeyTimer->setInterval(kKeySearchMs);
    connect(FKeyTimer, &QTimer::timeout, this, [this] { KeyTimerTick(); });
    SetDropDownHeight(kDefaultDropDownHeight);
    FDropDownHeader.SetVisible(false);
    FDropDownFooter.SetVisible(false);
    setCursor(Qt::ArrowCursor);
}

TQvColorPickerDropDown::~TQvColorPickerDropDown()
{
    FKeyTimer->stop();
}

void TQvColorPickerDropDown::AddDefaultColors()
{
    for (const TDefaultColor& c : kDefaultColors) {
        TColorItem& item = FColors->Add();
        item.SetCaption(QString::fromLatin1(c.caption));
        item.SetColor(c.color);
    }
}

// ---- the value -------------------------------------------------------------------------------

void TQvColorPickerDropDown::SetItemIndex(int value)
{
    if (value >= FColors->Count() || value < -1)
        return;
    FItemIndex = value;
    if (value >= 0)
        FSelectedColor = FColors->Items(value).Color();
    update();
    if (OnSelect)
        OnSelect(this);
}

void TQvColorPickerDropDown::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor)
        return;
    FSelectedColor = value;
    int found = -1;
    for (int i = 0; i < FColors->Count() && found < 0; ++i)
        if (FColors->Items(i).Color() == value)
            found = i;
    if (found >= 0)
        SetItemIndex(found);
    else
        // No item is this colour: the edit shows the colour's own text, not the caption of the
        // item chosen before (which a cell editor would store as the cell's text).
        FItemIndex = -1;
    update();
}

void TQvColorPickerDropDown::SetShowText(bool v)
{
    if (FShowText == v)
        return;
    FShowText = v;
    update();
}

QString TQvColorPickerDropDown::ReadSelectedColorText() const
{
    // 1.
    if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
        return FColors->Items(FItemIndex).Caption();
    // 2.
    const TColor rgbColor = platform::colorToRGB(FSelectedColor);
    switch (FColorValueText) {
    case cvtNone:
        return {};
    case cvtHex:
        return QStringLiteral("%1").arg(FSelectedColor, 6, 16, QLatin1Char('0')).toUpper();
    case cvtWebName: {
        const QString name = WebColorNameOf(rgbColor);
        return name.isEmpty() ? htmlText(rgbColor) : QStringLiteral("clWeb") + name;
    }
    case cvtRGB:
        return QStringLiteral("Red:%1,Green:%2,Blue:%3")
            .arg(platform::getRValue(rgbColor))
            .arg(platform::getGValue(rgbColor))
            .arg(platform::getBValue(rgbColor));
    case cvtHTML:
        return htmlText(rgbColor);
    }
    return {};
}

// ---- the edit --------------------------------------------------------------------------------

void TQvColorPickerDropDown::paintEvent(QPaintEvent* e)
{
    TQvCustomDropDown::paintEvent(e);
    QPainter canvas(this);
    DrawSelectedColor(canvas);
}

void TQvColorPickerDropDown::DrawSelectedColor(QPainter& canvas)
{
    // 1.
    const TRect content{1, 1, width() - FButtonWidth - 2, height() - 2};
    // 2.
    if (OnDrawSelectedColor) {
        OnDrawSelectedColor(this, canvas, content);
        return;
    }
    // The box is drawn with a black pen around the colour.
    const TRect box{content.Left + 4, content.Top + (height() - FColorBoxHeight) / 2, content.Left + 4 + FColorBoxWidth,
                    content.Top + (height() - FColorBoxHeight) / 2 + FColorBoxHeight};
    if (FSelectedColor != clNone) {
        draw::fill(canvas, box.toQRect(), FSelectedColor);
        draw::frame(canvas, box.toQRect(), platform::clBlack);
    }
    // 4.
    if (!FShowText)
        return;
    const bool focused = hasFocus();
    const QRect textRect = TRect{box.Right + 4, content.Top, content.Right, content.Bottom}.toQRect();
    if (textRect.width() <= 0)
        return;
    canvas.save();
    canvas.setFont(font());
    canvas.setPen(!FEditorEnabled && focused ? platform::toQColor(platform::clHighlightText)
                                             : palette().color(QPalette::Text));
    // The text stands on its background colour, as an opaque text does.
    canvas.setBackgroundMode(Qt::OpaqueMode);
    canvas.setBackground(platform::toQColor(focused ? platform::clHighlight : FColor));
    const QString text = QFontMetrics(font()).elidedText(ReadSelectedColorText(), Qt::ElideRight, textRect.width());
    canvas.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    canvas.restore();
}

// ---- the popup controls ----------------------------------------------------------------------

void TQvColorPickerDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (DropDownForm())
        CreateStyleControl(FColorSelectionStyle);
}

void TQvColorPickerDropDown::CreateStyleControl(TColorSelectionStyle style)
{
    switch (style) {
    case csList:
        CreateItemSelector();
        break;
    case csDiscrete:
        CreateColorSelector();
        break;
    case csColorCube:
        CreateCubePanel();
        break;
    case csSpectrum:
        CreateSpectrumPanel();
        break;
    }
}

QWidget* TQvColorPickerDropDown::StyleControl(TColorSelectionStyle style) const
{
    switch (style) {
    case csList:
        return FItemSelector;
    case csDiscrete:
        return FColorSelector;
    case csColorCube:
        return FColorCubePanel;
    case csSpectrum:
        return FSpectrumPanel;
    }
    return nullptr;
}

void TQvColorPickerDropDown::CreateItemSelector()
{
    if (!DropDownForm())
        return;
    if (!FItemSelector) {
        auto* selector = new TQvCustomItemSelector(DropDownForm());
        FItemSelector = selector;
        selector->SetSelectorType(stColor);
        selector->move(0, 0);
        selector->resize(selector->width(), kListHeight);
        selector->UpdateSelectorPanel();
        selector->SetColor(FDropDownColor);
    }
    SetControl(FItemSelector);
}

void TQvColorPickerDropDown::CreateColorSelector()
{
    if (!DropDownForm())
        return;
    if (!FColorSelector) {
        auto* selector = new TCustomColorSelector(DropDownForm());
        FColorSelector = selector;
        selector->FillOfficePalette();
        selector->move(0, 0);
        selector->SetColor(FDropDownColor);
    }
    FColorSelector->LayoutItems();
    SetControl(FColorSelector);
}

void TQvColorPickerDropDown::CreateCubePanel()
{
    if (!DropDownForm())
        return;
    if (!FColorCubePanel) {
        FColorCubePanel = new TQvColorCubePanel(DropDownForm());
        FColorCubePanel->move(0, 0);
        FColorCubePanel->SetColor(FDropDownColor);
    }
    SetControl(FColorCubePanel);
}

void TQvColorPickerDropDown::CreateSpectrumPanel()
{
    if (!DropDownForm())
        return;
    if (!FSpectrumPanel) {
        FSpectrumPanel = new TQvColorSpectrumPanel(DropDownForm());
        FSpectrumPanel->move(0, 0);
        FSpectrumPanel->SetColor(FDropDownColor);
    }
    SetControl(FSpectrumPanel);
}

void TQvColorPickerDropDown::PrepareStyleControl(TColorSelectionStyle style)
{
    CreateStyleControl(style);
    for (TColorSelectionStyle other : {csList, csDiscrete, csColorCube, csSpectrum})
        if (other != style)
            if (QWidget* w = StyleControl(other))
                w->hide();
    switch (style) {
    case csList:
        if (!FItemSelector)
            return;
        UpdateSelector();
        if (OnDrawColor)
            FItemSelector->OnDrawItem = [this](QObject*, QPainter& canvas, const TRect& r, int index) {
                OnDrawColor(this, canvas, r, index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
        FOldItemIndex = FItemIndex;
        FItemSelector->show();
        break;
    case csDiscrete:
        if (!FColorSelector)
            return;
        // Unhooked while the colour is handed over: the palette's own selection is no choice.
        FColorSelector->OnItemSelect = nullptr;
        FColorSelector->SetSelectedColor(FSelectedColor);
        FColorSelector->LayoutItems();
        FColorSelector->OnItemSelect = [this](QObject*) { DiscreteItemSelect(); };
        FColorSelector->SetItemColorStyle(FSelectionColorStyle);
        FColorSelector->show();
        break;
    case csColorCube:
        if (!FColorCubePanel)
            return;
        FColorCubePanel->SetSelectedColor(FSelectedColor);
        FColorCubePanel->BuildCells();
        FColorCubePanel->ResetCube();
        FColorCubePanel->OnSelect = [this](QObject*) { PanelSelect(FColorCubePanel->SelectedColor()); };
        FColorCubePanel->show();
        break;
    case csSpectrum:
        if (!FSpectrumPanel)
            return;
        FSpectrumPanel->SetSelectedColor(FSelectedColor);
        FSpectrumPanel->ArrangeSpectrum();
        FSpectrumPanel->OnSelect = [this](QObject*) { PanelSelect(FSpectrumPanel->SelectedColor()); };
        FSpectrumPanel->show();
        break;
    }
}

void TQvColorPickerDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    PrepareStyleControl(FColorSelectionStyle);
    FOldSelectedColor = FSelectedColor;
}

void TQvColorPickerDropDown::PlaceControl()
{
    TQvCustomDropDown::PlaceControl();
    if (DropDownForm() && FColorSelectionStyle != csList)
        DropDownForm()->SetSizeable(false);
}

void TQvColorPickerDropDown::SizeDropDown()
{
    TDropDownForm* form = DropDownForm();
    if (!form)
        return;
    if (FColorSelectionStyle != csList) {
        SizePanelPopup();
        return;
    }
    if (!FItemSelector) {
        TQvCustomDropDown::SizeDropDown();
        return;
    }
    form->SetAlign(FItemSelector, alNone);
    const QSize panel = FItemSelector->GetPanelSize();
    if (FDropDownWidth < 1)
        FItemSelector->resize(panel.width(), FItemSelector->height());
    if (FDropDownHeight < 1)
        FItemSelector->resize(FItemSelector->width(), panel.height());
    TQvCustomDropDown::SizeDropDown();
    // The list's frame and the popup's border come around the panel, so that the panel's width
    // fits without a horizontal scroll bar.
    const int frames = 2 * FItemSelector->frameWidth() + 2 * FDropDownBorderWidth;
    if (FDropDownWidth < 1)
        form->resize(panel.width() + frames, form->height());
    // The list's scroll bar takes room beside the items rather than from them.
    const int view = form->height() - frames - (FDropDownHeader.Visible() ? FDropDownHeader.Height() : 0)
                     - (FDropDownFooter.Visible() ? FDropDownFooter.Height() : 0);
    if (panel.height() > view)
        form->resize(form->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent), form->height());
}

void TQvColorPickerDropDown::OpenDropDown()
{
    TQvCustomDropDown::OpenDropDown();
    // The chosen colour in view: the list's scroll bar shows only now, too late for the list's
    // own scrolling while it was filled.
    if (!FDroppedDown || FColorSelectionStyle != csList || !FItemSelector || !FItemSelector->Panel())
        return;
    const TRect r = FItemSelector->Panel()->GetItemRect(FItemIndex);
    if (r.Top >= 0)
        FItemSelector->ensureVisible(r.Left, (r.Top + r.Bottom) / 2, 0, r.Height() / 2);
}

void TQvColorPickerDropDown::SizePanelPopup()
{
    TDropDownForm* form = DropDownForm();
    QWidget* control = StyleControl(FColorSelectionStyle);
    if (!form)
        return;
    if (control)
        form->SetAlign(control, alNone);
    const bool shown = control && meantVisible(control);
    const int w = shown ? control->width() + 2 * FDropDownBorderWidth : width();
    int h = 2 * FDropDownBorderWidth;
    if (FDropDownHeader.Visible())
        h += FDropDownHeader.Height();
    if (FDropDownFooter.Visible())
        h += FDropDownFooter.Height();
    if (shown)
        h += control->height();
    form->resize(w, h);
    // The panels are fixed in size and their popup cannot be sized, so no size kept from an
    // earlier opening (of the list, say) may cut them.
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

void TQvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle value)
{
    if (value == FColorSelectionStyle)
        return;
    FColorSelectionStyle = value;
    TDropDownForm* form = DropDownForm();
    if (!form)
        return;
    CreateStyleControl(value);
    QWidget* control = StyleControl(value);
    if (!control)
        return;
    form->SetAlign(control, alNone);
    PrepareStyleControl(value);
    FOldSelectedColor = FSelectedColor;
    SizeDropDown();
    form->SetAlign(control, alClient);
    form->update();
}

void TQvColorPickerDropDown::UpdateSelector()
{
    if (!FItemSelector)
        return;
    TQvCustomItemSelector& s = *FItemSelector;
    s.OnItemSelect = nullptr;
    s.SetColumns(FColumns);
    s.SetImages(FImages);
    s.SetItemLayout(FLayout);
    s.SetColor(FDropDownColor);
    CopyColorsToSelector();
    s.SetColorBoxHeight(FColorBoxHeight);
    s.SetColorBoxWidth(FColorBoxWidth);
    s.SetItemAppearance(*FItemAppearance);
    s.UpdateSelectorPanel();
    s.SetItemIndex(FItemIndex);
    s.OnItemSelect = [this](QObject*) { SelectorItemSelect(); };
}

void TQvColorPickerDropDown::CopyColorsToSelector()
{
    TSelectorItems& items = FItemSelector->Items();
    items.Clear();
    for (int i = 0; i < FColors->Count(); ++i) {
        const TColorItem& c = FColors->Items(i);
        TSelectorItem& item = items.Add();
        item.SetCaption(c.Caption());
        item.SetColor(c.Color());
        item.SetHint(c.Hint());
    }
}

// ---- choices ---------------------------------------------------------------------------------

template <class Move>
void TQvColorPickerDropDown::internalCall(Move&& move)
{
    const bool was = FInternalCall;
    FInternalCall = true;
    move();
    FInternalCall = was;
    update();
}

void TQvColorPickerDropDown::SelectorItemSelect()
{
    if (!FItemSelector)
        return;
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        CloseDropDown(false);
}

void TQvColorPickerDropDown::DiscreteItemSelect()
{
    if (!FColorSelector)
        return;
    SetSelectedColor(FColorSelector->SelectedColor());
    SetItemIndex(-1);
    if (!FInternalCall)
        CloseDropDown(false);
}

void TQvColorPickerDropDown::PanelSelect(TColor color)
{
    SetSelectedColor(color);
    SetItemIndex(-1);
    CloseDropDown(false);
}

void TQvColorPickerDropDown::CloseDropDown(bool cancelChanges)
{
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    if (!open || !cancelChanges)
        return;
    if (FColorSelectionStyle == csList) {
        // The colour comes back too when no item was selected at the opening.
        FSelectedColor = FOldSelectedColor;
        SetItemIndex(FOldItemIndex);
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        FColorSelector->SetSelectedColor(FOldSelectedColor);
        // A colour the palette does not hold cannot come back through its selection.
        if (FSelectedColor != FOldSelectedColor) {
            SetSelectedColor(FOldSelectedColor);
            SetItemIndex(-1);
        }
    }
}

void TQvColorPickerDropDown::DropDownFormDestroyed()
{
    if (FDestroying)
        return;
    // The controls go with the window; they are made again on demand.
    FItemSelector = nullptr;
    FColorCubePanel = nullptr;
    FSpectrumPanel = nullptr;
    FColorSelector = nullptr;
}

// ---- looks -----------------------------------------------------------------------------------

void TQvColorPickerDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(FItemAppearance.get(), style);
}

void TQvColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    TQvCustomDropDown::SetSelectionColorStyle(v);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(v);
}

// ---- keys and wheel --------------------------------------------------------------------------

void TQvColorPickerDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    HandleKeyDownMessage(key, shift);
}

void TQvColorPickerDropDown::HandleKeyDownMessage(int& key, Qt::KeyboardModifiers shift)
{
    const int sent = key;
    const bool enabled = isEnabled();
    // Enter on the hot item or box chooses it, which closes the popup.
    bool handled = false;
    if (isReturnKey(sent) && enabled && FDroppedDown) {
        if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
            FItemSelector->SetItemIndex(FItemSelector->ItemHot());
            handled = true;
        } else if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
            FColorSelector->SetItemIndex(FColorSelector->ItemHot());
            handled = true;
        }
    }
    // 2.
    TQvCustomDropDown::WMKeyDown(key, shift);
    if (!enabled || shift.testFlag(Qt::AltModifier))
        return;
    // 3.
    if (FColorSelectionStyle == csList) {
        if (isReturnKey(sent)) {
            if (!handled && OnSelect)
                OnSelect(this);
        } else {
            ListKeyDown(sent, shift);
        }
        return;
    }
    // 4.
    if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        internalCall([&] { FColorSelector->HandleKey(sent, FEditorEnabled, FDroppedDown); });
        if (isReturnKey(sent) && !handled && OnSelect)
            OnSelect(this);
    }
}

void TQvColorPickerDropDown::stepChoice(TSelectStep step)
{
    const int index = SelectionTarget(FItemIndex, FColors->Count(), step);
    if (index >= 0)
        SetItemIndex(index);
}

bool TQvColorPickerDropDown::ListKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (!FItemSelector)
        return false;
    TQvCustomItemSelector& list = *FItemSelector;
    const bool dropped = FDroppedDown;
    const int count = FColors->Count();
    const auto syncList = [&] {
        if (list.Items().Count() != count)
            UpdateSelector();
    };
    const auto selectInList = [&](int index) { internalCall([&] { list.SetItemIndex(index); }); };
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        syncList();
        const int visible = list.GetVisibleItemCount();
        const int current = FItemIndex;
        if (count > 0)
            selectInList(key == Qt::Key_PageUp ? std::max(current - visible, 0)
                                               : std::min(current + visible, count - 1));
        return true;
    }
    case Qt::Key_End:
    case Qt::Key_Home:
        if (dropped)
            internalCall([&] { key == Qt::Key_End ? list.SelectLast() : list.SelectFirst(); });
        else
            stepChoice(key == Qt::Key_End ? TSelectStep::Last : TSelectStep::First);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (dropped && !FEditorEnabled)
            internalCall([&] { key == Qt::Key_Left ? list.SelectPrevious() : list.SelectNext(); });
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int step = key == Qt::Key_Up ? -1 : 1;
        if (dropped) {
            const int current = list.ItemIndex();
            const int index = current < 0 ? 0 : current + step * FColumns;
            if (index >= 0 && index < list.Items().Count())
                selectInList(index);
        } else {
            stepChoice(key == Qt::Key_Up ? TSelectStep::Previous : TSelectStep::Next);
        }
        return true;
    }
    default:
        break;
    }
    // Typed characters search the captions; letters arrive as their upper-case key codes.
    if (shift.testFlag(Qt::ControlModifier) || key < 0x20 || key >= 0x10000)
        return false;
    syncList();
    FCurSearch += QChar(char16_t(key));
    internalCall([&] { list.LookupItem(FCurSearch); });
    // Counted from the first key of a burst: a running timer is not started again.
    if (!FKeyTimer->isActive())
        FKeyTimer->start();
    return true;
}

void TQvColorPickerDropDown::KeyTimerTick()
{
    FKeyTimer->stop();
    FCurSearch.clear();
}

void TQvColorPickerDropDown::WheelDown()
{
    WheelStep(true);
}

void TQvColorPickerDropDown::WheelUp()
{
    WheelStep(false);
}

void TQvColorPickerDropDown::WheelStep(bool down)
{
    if (!isEnabled() || ReadOnly())
        return;
    // Open, the hot mark moves (Enter or a click chooses it); closed, the choice itself.
    if (FColorSelectionStyle == csList && FItemSelector) {
        TQvCustomItemSelector& list = *FItemSelector;
        if (FDroppedDown) {
            down ? list.HotNext() : list.HotPrevious();
            return;
        }
        if (list.Items().Count() != FColors->Count())
            UpdateSelector();
        internalCall([&] { down ? list.SelectNext() : list.SelectPrevious(); });
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        TCustomColorSelector& palette = *FColorSelector;
        if (FDroppedDown)
            down ? palette.HotNext() : palette.HotPrevious();
        else
            internalCall([&] { down ? palette.SelectNext() : palette.SelectPrevious(); });
    }
}

} // namespace dropdowns
