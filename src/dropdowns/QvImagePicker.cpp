// The image picker: its items, filling them from an image list or from picture files, the
// selector in the popup, the keys, the wheel and the chosen image drawn into the edit.

#include "dropdowns/QvImagePicker.h"

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/LookupCompletion.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <stdexcept>

namespace dropdowns {

namespace {

// A typed search lives this long from its first key.
constexpr int kKeySearchMs = 500;

} // namespace

// ---- items -----------------------------------------------------------------------------------

int TImageItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TImageItem::SetCaption(const QString& v)
{
    SetAndNotify(FCaption, v, FCollection);
}

void TImageItem::SetImageIndex(int v)
{
    SetAndNotify(FImageIndex, v, FCollection);
}

void TImageItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TImageItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TImageItem");
    if (s == this)
        return;
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    FImage.Image = s->FImage.Image;
    FEnabled = s->FEnabled;
    FHint = s->FHint;
}

// ---- construction ----------------------------------------------------------------------------

TQvImagePickerDropDown::TQvImagePickerDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>())
{
    // Editing the items does not refresh an open popup; the next opening shows them.
    FItems->OnChange = [](grid::TObject*) {};
    FItemAppearance->SetColorStyle(scOffice2007);
    ConstructDropDown();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    FKeyTimer = new QTimer(this);
    FKeyTimer->setInterval(kKeySearchMs);
    connect(FKeyTimer, &QTimer::timeout, this, [this] { KeyTimerTick(); });
    setCursor(Qt::ArrowCursor);
}

TQvImagePickerDropDown::~TQvImagePickerDropDown()
{
    FKeyTimer->stop();
    // The selector paints from copies; it still goes before the items it was filled from.
    delete FItemSelector.data();
}

void TQvImagePickerDropDown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FItemSelector) {
        auto* selector = new TQvCustomItemSelector(DropDownForm());
        FItemSelector = selector;
        selector->SetSelectorType(stImage);
        selector->move(0, 0);
        selector->resize(selector->width(), 150);
        // Keys stay with the popup, which passes them on to the picker.
        selector->setFocusPolicy(Qt::NoFocus);
    }
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

// ---- the choice ------------------------------------------------------------------------------

void TQvImagePickerDropDown::SetItemIndex(int value)
{
    if (value == FItemIndex || value >= FItems->Count())
        return;
    FItemIndex = value;
    update();
    if (OnChange)
        OnChange(this);
    if (OnSelect)
        OnSelect(this);
}

int TQvImagePickerDropDown::ImageIndex() const
{
    // The items may have been cleared or cut since the choice: a choice past them is none.
    return FItemIndex < 0 || FItemIndex >= FItems->Count() ? -1 : FItems->Items(FItemIndex).ImageIndex();
}

void TQvImagePickerDropDown::SetImageIndex(int value)
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i).ImageIndex() == value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TQvImagePickerDropDown::selectStep(TSelectStep step)
{
    const int target = SelectionTarget(FItemIndex, FItems->Count(), step);
    if (target >= 0)
        SetItemIndex(target);
}

void TQvImagePickerDropDown::SelectFirst()
{
    selectStep(TSelectStep::First);
}
void TQvImagePickerDropDown::SelectLast()
{
    selectStep(TSelectStep::Last);
}
void TQvImagePickerDropDown::SelectNext()
{
    selectStep(TSelectStep::Next);
}
void TQvImagePickerDropDown::SelectPrevious()
{
    selectStep(TSelectStep::Previous);
}

// ---- filling the items -----------------------------------------------------------------------

void TQvImagePickerDropDown::AddImagesFromImageList()
{
    if (!FImages)
        return;
    for (int i = 0; i < FImages->Count(); ++i)
        FItems->Add().SetImageIndex(i);
}

void TQvImagePickerDropDown::AddImagesFromFolder(const QString& folder, bool setImageCaption)
{
    // 1-2. The folder part keeps its delimiter; the last part is the pattern.
    const qsizetype cut = std::max(folder.lastIndexOf(QLatin1Char('/')), folder.lastIndexOf(QLatin1Char('\\'))) + 1;
    const QString folderPart = folder.left(cut);
    const QString pattern = folder.mid(cut);
    const QDir dir(folderPart.isEmpty() ? QStringLiteral(".") : folderPart);
    // Any entry, folders and "." and ".." included, in name order (the file system gives none).
    const QStringList names =
        dir.entryList({pattern}, QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        // 3-5.
        TImageItem& item = FItems->Add();
        QImage picture;
        if (LoadPictureFile(folderPart + name, picture)) {
            item.SetImage(grid::TPicture(picture));
            if (setImageCaption)
                item.SetCaption(name);
        }
    }
}

// ---- looks -----------------------------------------------------------------------------------

void TQvImagePickerDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(FItemAppearance.get(), style);
}

void TQvImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    TQvCustomDropDown::SetSelectionColorStyle(v);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(v);
}

// ---- the popup -------------------------------------------------------------------------------

void TQvImagePickerDropDown::UpdateSelector()
{
    if (!FItemSelector)
        return;
    TQvCustomItemSelector& s = *FItemSelector;
    // 1.
    s.OnItemSelect = nullptr;
    // 2.
    s.SetColumns(FColumns);
    s.SetImages(FImages);
    s.SetItemLayout(FLayout);
    s.SetColor(FDropDownColor);
    s.SetItemAppearance(*FItemAppearance);
    // 3.
    s.Items().Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TImageItem& item = FItems->Items(i);
        TSelectorItem& added = s.Items().Add();
        added.SetCaption(item.Caption());
        added.SetImage(item.Image().Image);
        added.SetImageIndex(item.ImageIndex());
        added.SetHint(item.Hint());
    }
    // 4.
    s.UpdateSelectorPanel();
    s.SetItemIndex(FItemIndex);
    // 5.
    s.OnItemSelect = [this](QObject*) { SelectorItemSelect(); };
}

void TQvImagePickerDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    UpdateSelector();
    if (FItemSelector) {
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](QObject*, QPainter& canvas, const grid::TRect& r, int index) {
                OnDrawItem(this, canvas, r, index);
            };
        else
            FItemSelector->OnDrawItem = nullptr;
    }
    FOldItemIndex = FItemIndex;
}

void TQvImagePickerDropDown::SizeDropDown()
{
    if (!FItemSelector) {
        TQvCustomDropDown::SizeDropDown();
        return;
    }
    TDropDownForm* form = DropDownForm();
    if (form)
        form->SetAlign(FItemSelector, alNone);
    // The selector shows the whole panel inside its own frame once it fills the popup's
    // client area (the popup takes the control's width as its own, border included).
    const QSize panel = FItemSelector->GetPanelSize();
    const int frame = 2 * FItemSelector->frameWidth();
    QSize size = FItemSelector->size();
    if (FDropDownWidth < 1)
        size.setWidth(panel.width() + frame + 2 * FDropDownBorderWidth);
    if (FDropDownHeight < 1)
        size.setHeight(panel.height() + frame);
    FItemSelector->resize(size);
    TQvCustomDropDown::SizeDropDown();
    if (!form)
        return;
    // A panel taller than the room left under the bars scrolls: the popup widens by the bar.
    int room = form->height() - 2 * FDropDownBorderWidth - frame;
    if (FDropDownHeader.Visible())
        room -= FDropDownHeader.Height();
    if (FDropDownFooter.Visible())
        room -= FDropDownFooter.Height();
    if (panel.height() > room)
        form->resize(form->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent), form->height());
}

void TQvImagePickerDropDown::CloseDropDown(bool cancelChanges)
{
    // Escape on the closed picker asks for a cancelled close as well; the choice of some
    // earlier opening is not brought back then.
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    if (open && cancelChanges && FItemSelector)
        SetItemIndex(FOldItemIndex);
}

void TQvImagePickerDropDown::SelectorItemSelect()
{
    SetItemIndex(FItemSelector->ItemIndex());
    if (!FInternalCall)
        CloseDropDown(false);
}

// ---- keys and wheel --------------------------------------------------------------------------

void TQvImagePickerDropDown::internalMove(const std::function<void()>& move)
{
    const bool was = FInternalCall;
    FInternalCall = true;
    move();
    FInternalCall = was;
}

void TQvImagePickerDropDown::moveTo(int index)
{
    if (!FItemSelector || index < 0 || index >= FItemSelector->Items().Count())
        return;
    internalMove([&] { FItemSelector->SetItemIndex(index); });
}

void TQvImagePickerDropDown::typedSearch(int key, Qt::KeyboardModifiers shift)
{
    // Only keys that stand for a character search (letter keys give capitals).
    if (!FItemSelector || shift.testFlag(Qt::ControlModifier) || key <= 0x20 || key >= 0x10000)
        return;
    FCurSearch += QChar(char16_t(key));
    internalMove([&] { FItemSelector->LookupItem(FCurSearch); });
    // Counted from the first key of a search: a running timer is not started again.
    if (!FKeyTimer->isActive())
        FKeyTimer->start();
}

void TQvImagePickerDropDown::KeyTimerTick()
{
    FKeyTimer->stop();
    FCurSearch.clear();
}

void TQvImagePickerDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int pressed = key;
    // Enter over a hot item chooses it (and closes the popup through SelectorItemSelect).
    bool hotChosen = false;
    if (isEnabled() && FDroppedDown && pressed == Qt::Key_Return && FItemSelector && FItemSelector->ItemHot() >= 0) {
        FItemSelector->SetItemIndex(FItemSelector->ItemHot());
        hotChosen = true;
    }
    // 2.
    TQvCustomDropDown::WMKeyDown(key, shift);
    // 3.
    if (!isEnabled() || shift.testFlag(Qt::AltModifier) || FDesktop->keyModifiers().testFlag(Qt::AltModifier))
        return;
    const bool open = FDroppedDown;
    const int current = FItemSelector ? FItemSelector->ItemIndex() : -1;
    switch (pressed) {
    case Qt::Key_Return:
        if (!hotChosen && OnSelect)
            OnSelect(this);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (!FItemSelector)
            break;
        if (FItemSelector->Items().Count() != FItems->Count())
            UpdateSelector();
        const int visible = FItemSelector->GetVisibleItemCount();
        if (visible < 1)
            break;
        const int at = FItemSelector->ItemIndex();
        moveTo(pressed == Qt::Key_PageUp ? std::max(0, at - visible) : std::min(at + visible, FItems->Count() - 1));
        break;
    }
    case Qt::Key_End:
    case Qt::Key_Home: {
        const bool end = pressed == Qt::Key_End;
        if (open && FItemSelector)
            internalMove([&] { end ? FItemSelector->SelectLast() : FItemSelector->SelectFirst(); });
        else if (!open)
            end ? SelectLast() : SelectFirst();
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (open && !FEditorEnabled && FItemSelector)
            internalMove(
                [&] { pressed == Qt::Key_Left ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext(); });
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (open)
            moveTo(current < 0 ? 0 : current + (pressed == Qt::Key_Up ? -FColumns : FColumns));
        else
            pressed == Qt::Key_Up ? SelectPrevious() : SelectNext();
        break;
    default:
        typedSearch(pressed, shift);
        break;
    }
}

void TQvImagePickerDropDown::WheelDown()
{
    TQvCustomDropDown::WheelDown();
    if (!isEnabled() || ReadOnly() || !FItemSelector)
        return;
    if (FDroppedDown)
        FItemSelector->HotNext();
    else
        internalMove([&] { FItemSelector->SelectNext(); });
}

void TQvImagePickerDropDown::WheelUp()
{
    TQvCustomDropDown::WheelUp();
    if (!isEnabled() || ReadOnly() || !FItemSelector)
        return;
    if (FDroppedDown)
        FItemSelector->HotPrevious();
    else
        internalMove([&] { FItemSelector->SelectPrevious(); });
}

// ---- the chosen image in the edit ------------------------------------------------------------

void TQvImagePickerDropDown::paintEvent(QPaintEvent* e)
{
    TQvCustomDropDown::paintEvent(e);
    QPainter canvas(this);
    DrawSelectedImage(canvas);
}

void TQvImagePickerDropDown::DrawSelectedImage(QPainter& canvas)
{
    // Centred in the text rectangle itself, whatever the border.
    const grid::TRect r = FEditRect;
    // 2.
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, canvas, r);
        return;
    }
    // 3.
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return;
    const TImageItem& item = FItems->Items(FItemIndex);
    if (!item.Image().Empty()) {
        canvas.drawImage((r.Left + (r.Width() - item.Image().Width()) / 2),
                         r.Top + (r.Height() - item.Image().Height()) / 2, item.Image().Image);
    } else if (FImages && item.ImageIndex() >= 0) {
        FImages->Draw(canvas, r.Left + (r.Width() - FImages->Width()) / 2, r.Top + (r.Height() - FImages->Height()) / 2,
                      item.ImageIndex(), true);
    }
}

} // namespace dropdowns
