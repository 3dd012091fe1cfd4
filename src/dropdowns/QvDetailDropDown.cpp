// The detail list picker: its items, the list in the popup, the item painter, completion while
// typing and the list keys.

#include "dropdowns/QvDetailDropDown.h"

#include "dropdowns/DropDownHelpers.h"
#include "dropdowns/LookupCompletion.h"
#include "grid/QvObj.h"
#include "grid/look/ZirAzur.h"

#include <QBitmap>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <stdexcept>

namespace dropdowns {

namespace {

// The list's search text lives this long after the last key.
constexpr int kKeySearchMs = 500;

grid::TFont fontOf(const QFont& f)
{
    grid::TFont t;
    t.Name = f.family();
    t.Size = f.pointSize() > 0 ? f.pointSize() : 8;
    t.Style = (f.bold() ? grid::fsBold : 0u) | (f.italic() ? grid::fsItalic : 0u)
              | (f.underline() ? grid::fsUnderline : 0u) | (f.strikeOut() ? grid::fsStrikeOut : 0u);
    return t;
}

// A picture drawn transparent: a picture without alpha shows through where it has the colour
// of its bottom-left pixel.
void drawTransparentPicture(QPainter& canvas, const QImage& image, int x, int y)
{
    if (image.hasAlphaChannel()) {
        canvas.drawImage(x, y, image);
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    const QRgb key = image.pixel(0, image.height() - 1);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor)));
    canvas.drawPixmap(x, y, pixmap);
}

// Runs a callback whenever the watched widget is resized.
class ResizeWatcher final : public QObject {
public:
    ResizeWatcher(QObject* parent, std::function<void()> onResize) : QObject(parent), onResize(std::move(onResize)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize)
            onResize();
        return false;
    }

private:
    std::function<void()> onResize;
};

} // namespace

// ---- items -----------------------------------------------------------------------------------

int TDetailItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TDetailItem::SetCaption(const QString& v)
{
    SetAndNotify(FCaption, v, FCollection);
}

void TDetailItem::SetImageIndex(int v)
{
    SetAndNotify(FImageIndex, v, FCollection);
}

void TDetailItem::Assign(const grid::TPersistent& source)
{
    const auto* s = dynamic_cast<const TDetailItem*>(&source);
    if (!s)
        throw std::invalid_argument("Cannot assign a " + source.ClassName().toStdString() + " to a TDetailItem");
    if (s == this)
        return;
    SetCaption(s->FCaption);
    SetImageIndex(s->FImageIndex);
    FImage = s->FImage;
    FEnabled = s->FEnabled;
    FNotes = s->FNotes;
    FTag = s->FTag;
    FItemObject = s->FItemObject;
}

int TDetailItems::IndexOf(const QString& value) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Caption() == value)
            return i;
    return -1;
}

// ---- construction ----------------------------------------------------------------------------

TQvDetailDropDown::TQvDetailDropDown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>())
{
    // Editing the items does not refresh an open list; the next opening shows them.
    FItems->OnChange = [](grid::TObject*) {};
    ConstructDropDown();
    FItemIndex = -1;
    FOldItemIndex = -1;
    FLayout = ilCaptionRight;
    SetEditorEnabled(true);
    FDropDownEnabled = true;
    FKeyTimer = new QTimer(this);
    FKeyTimer->setSingleShot(true);
    FKeyTimer->setInterval(kKeySearchMs);
    connect(FKeyTimer, &QTimer::timeout, this, [this] { FCurSearch.clear(); });
    FItemHeight = 22;
    FCaptionFont = fontOf(font());
    FNotesFont = fontOf(font());
    FWorkMode = true;
}

TQvDetailDropDown::~TQvDetailDropDown()
{
    FKeyTimer->stop();
    // The list paints from the items; it goes before them.
    delete FItemSelector.data();
}

void TQvDetailDropDown::CreateDropDownForm()
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
        selector->setAttribute(Qt::WA_OpaquePaintEvent);
        selector->setFocusPolicy(Qt::StrongFocus);
        selector->OnDrawItem = [this](QObject*, QPainter& canvas, const grid::TRect& r, int index) {
            DrawItem(canvas, r, index);
        };
        selector->OnItemSize = [this](QObject*, QSize& size) { ItemSize(size); };
        selector->installEventFilter(new ResizeWatcher(selector, [selector] { selector->UpdateSelectorPanel(); }));
        selector->UpdateSelectorPanel();
    }
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
}

// ---- item index and selection ----------------------------------------------------------------

void TQvDetailDropDown::WriteText(const QString& text)
{
    SetText(text);
}

void TQvDetailDropDown::SetText(const QString& value)
{
    const bool was = FWritingText;
    FWritingText = true;
    TQvCustomDropDown::SetText(value);
    FWritingText = was;
}

void TQvDetailDropDown::SetItemIndex(int value)
{
    if (value != FItemIndex && value < FItems->Count() && value >= 0) {
        FItemIndex = value;
        WriteText(FItems->Items(value).Caption());
        setSelection(0, int(QLineEdit::text().size()));
        update();
        if (FItemSelector)
            FItemSelector->viewport()->update();
        if (OnSelect)
            OnSelect(this);
    } else if (value == -1 && value != FItemIndex) {
        WriteText(QString());
        FItemIndex = -1;
    }
}

void TQvDetailDropDown::selectStep(TSelectStep step)
{
    const int target = SelectionTarget(FItemIndex, FItems->Count(), step);
    if (target >= 0)
        SetItemIndex(target);
}

void TQvDetailDropDown::SelectFirst()
{
    selectStep(TSelectStep::First);
}
void TQvDetailDropDown::SelectLast()
{
    selectStep(TSelectStep::Last);
}
void TQvDetailDropDown::SelectNext()
{
    selectStep(TSelectStep::Next);
}
void TQvDetailDropDown::SelectPrevious()
{
    selectStep(TSelectStep::Previous);
}

// ---- colour schemes --------------------------------------------------------------------------

void TQvDetailDropDown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    ApplyItemAppearanceStyle(FItemAppearance.get(), style);
}

void TQvDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle v)
{
    TQvCustomDropDown::SetSelectionColorStyle(v);
    if (FItemSelector)
        FItemSelector->ItemAppearance().SetColorStyle(v);
}

// ---- the list in the popup -------------------------------------------------------------------

void TQvDetailDropDown::PrepareList(bool beforeDropDown)
{
    if (!FItemSelector)
        return;
    TQvCustomItemSelector& s = *FItemSelector;
    // 1.
    s.OnItemSelect = nullptr;
    s.SetColumns(1);
    s.SetImages(FImages);
    s.SetItemLayout(FLayout);
    s.SetColor(FDropDownColor);
    s.SetItemAppearance(*FItemAppearance);
    // Captions are shared, not copied.
    s.Items().Clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        const TDetailItem& item = FItems->Items(i);
        TSelectorItem& added = s.Items().Add();
        added.SetCaption(item.Caption());
        added.SetImage(item.Image());
        added.SetImageIndex(item.ImageIndex());
    }
    // 3.
    s.UpdateSelectorPanel();
    s.SetItemIndex(FItemIndex);
    s.OnItemSelect = [this](QObject*) { ItemChosen(); };
    // 4.
    if (beforeDropDown)
        FOldItemIndex = FItemIndex;
}

void TQvDetailDropDown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    PrepareList(true);
}

void TQvDetailDropDown::SizeDropDown()
{
    if (FItemSelector) {
        if (DropDownForm())
            DropDownForm()->SetAlign(FItemSelector, alNone);
        int w = FItemSelector->width(), h = FItemSelector->height();
        if (FDropDownWidth <= 0)
            w = width();
        if (FDropDownHeight <= 0)
            h = 100;
        FItemSelector->resize(w, h);
    }
    TQvCustomDropDown::SizeDropDown();
}

void TQvDetailDropDown::OpenDropDown()
{
    TQvCustomDropDown::OpenDropDown();
    if (FItemSelector && FDroppedDown)
        FItemSelector->setFocus(Qt::PopupFocusReason);
}

void TQvDetailDropDown::DropDownResized()
{
    TQvCustomDropDown::DropDownResized();
    if (FItemSelector)
        FItemSelector->UpdateSelectorPanel();
}

void TQvDetailDropDown::CloseDropDown(bool cancelChanges)
{
    // Escape in the closed picker also asks for a cancelled close; the index of some earlier
    // opening is not brought back then.
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    if (open && cancelChanges && FItemSelector && FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
}

void TQvDetailDropDown::ItemChosen()
{
    if (!FItemSelector)
        return;
    const int index = FItemSelector->ItemIndex();
    SetItemIndex(index);
    if (index >= 0 && index < FItems->Count()) {
        WriteText(FItems->Items(index).Caption());
        setSelection(0, int(QLineEdit::text().size()));
    }
    if (!FInternalCall)
        CloseDropDown(false);
}

void TQvDetailDropDown::ItemSize(QSize& size)
{
    const int w = FDropDownWidth > 0 ? FDropDownWidth : (DropDownForm() ? DropDownForm()->width() : width());
    int scrollBar = 0;
    if (FItemSelector && FItemSelector->verticalScrollBar()->isVisible())
        scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    size = QSize(w - scrollBar - 2 * border - 4, FItemHeight);
}

void TQvDetailDropDown::DrawItem(QPainter& canvas, const grid::TRect& rect, int index)
{
    // 1.
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, canvas, rect);
        return;
    }
    if (index < 0 || index >= FItems->Count())
        return;
    const TDetailItem& item = FItems->Items(index);
    grid::TRect r = rect;
    // The picture, or the list image, at the left (centred when there is no caption).
    const auto place = [&](int w, int h) {
        const int x = item.Caption().isEmpty() ? r.Left + (r.Width() - w) / 2 : r.Left + 2;
        return QPoint(x, r.Top + (r.Height() - h) / 2);
    };
    if (item.Image().isNull()) {
        if (FImages && item.ImageIndex() >= 0) {
            const QPoint at = place(FImages->Width(), FImages->Height());
            FImages->Draw(canvas, at.x(), at.y(), item.ImageIndex(), true);
            r.Left += FImages->Width() + 4;
        }
    } else {
        const QPoint at = place(item.Image().width(), item.Image().height());
        drawTransparentPicture(canvas, item.Image(), at.x(), at.y());
        r.Left += item.Image().width() + 4;
    }
    const int hot = FItemSelector ? FItemSelector->ItemHot() : -1;
    const auto stateColor = [&](TColor normal) {
        TColor c = normal;
        if (index == hot)
            c = FItemAppearance->ColorHotText();
        if (index == FItemIndex)
            c = FItemAppearance->ColorSelectedText();
        return c;
    };
    canvas.save();
    // The caption from the top-left, line breaks honoured, "&" underlining, end ellipsis.
    grid::TFont font = FCaptionFont;
    font.Color = stateColor(font.Color);
    canvas.setFont(grid::toQFont(font));
    canvas.setPen(platform::toQColor(font.Color));
    canvas.setBrush(Qt::NoBrush);
    r.Left += 4;
    r.Right -= 4;
    r.Top += 2;
    {
        grid::TRect captionRect = r;
        grid::ZirAzur::DrawTextFlags(canvas, item.Caption(), captionRect, grid::ZirAzur::DT_END_ELLIPSIS);
    }
    // The notes under one caption line.
    if (!item.Notes().isEmpty()) {
        r.Top += QFontMetrics(canvas.font(), canvas.device()).height();
        grid::TFont notes = FNotesFont;
        notes.Color = stateColor(notes.Color);
        canvas.setFont(grid::toQFont(notes));
        canvas.setPen(platform::toQColor(notes.Color));
        QSize size;
        DrawMarkupText(canvas, item.Notes(), r, FImages, true, -1, size);
    }
    canvas.restore();
}

// ---- completion while typing -----------------------------------------------------------------

void TQvDetailDropDown::Change()
{
    TextChanged();
}

void TQvDetailDropDown::TextChanged()
{
    // 1.
    FItemChange = false;
    TQvCustomDropDown::Change();
    // 2.
    if (!FWorkMode)
        return;
    // 3.
    const QString text = Text();
    SetModifiedState(text != FOldValue);
    // 4-6.
    const int caret = FWritingText ? 0 : (hasSelectedText() ? selectionStart() : cursorPosition());
    const TCompletion c = CompleteTyped(text, caret, FMatchCase, FItems->Count(),
                                        [this](int i) -> const QString& { return FItems->Items(i).Caption(); });
    if (c.Kind == TCompletion::ckCompleted) {
        FItemIndex = c.Index;
        FItemIdx = c.Index;
        FItemSel = c.TypedLength;
        FItemChange = true;
        WriteText(c.Text);
        setSelection(c.SelStart, c.SelLength);
    } else if (c.Kind == TCompletion::ckCut) {
        WriteText(c.Text);
        setCursorPosition(c.SelStart);
    }
}

// ---- keys ------------------------------------------------------------------------------------

void TQvDetailDropDown::DropDownKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    ItemKeyDown(key, shift);
}

void TQvDetailDropDown::ItemKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (FItems->Count() == 0) {
        TQvCustomDropDown::DropDownKeyDown(key, shift);
        return;
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Escape || key == Qt::Key_Delete) {
        FWorkMode = false;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int index = FItems->IndexOf(Text());
        if (index >= 0) {
            WriteText(FItems->Items(index).Caption());
            SetItemIndex(index);
            TextChanged();
        }
    } else {
        FWorkMode = true;
    }
    TQvCustomDropDown::DropDownKeyDown(key, shift);
    if (key == Qt::Key_Escape) {
        const int index = FItems->IndexOf(Text());
        if (index >= 0)
            SetItemIndex(index);
    }
}

void TQvDetailDropDown::WMKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    TQvCustomDropDown::WMKeyUp(key, shift);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
}

void TQvDetailDropDown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (isEnabled() && !shift.testFlag(Qt::AltModifier) && ListKeyDown(key, shift))
        return;
    TQvCustomDropDown::WMKeyDown(key, shift);
}

void TQvDetailDropDown::ControlKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int sent = key;
    TQvCustomDropDown::ControlKeyDown(key, shift);
    // The keys that move the list's selection do not scroll the list's view as well.
    const bool listKey = sent == Qt::Key_PageUp || sent == Qt::Key_PageDown || sent == Qt::Key_Left
                         || sent == Qt::Key_Right || sent == Qt::Key_Up || sent == Qt::Key_Down || sent == Qt::Key_Home
                         || sent == Qt::Key_End;
    if (listKey && !shift.testFlag(Qt::AltModifier))
        key = 0;
}

void TQvDetailDropDown::MoveListSelection(int index)
{
    if (!FItemSelector)
        return;
    const bool was = FInternalCall;
    FInternalCall = true;
    FItemSelector->SetItemIndex(index);
    FInternalCall = was;
    update();
}

void TQvDetailDropDown::StepListSelection(int delta)
{
    if (!FItemSelector)
        return;
    const int current = FItemSelector->ItemIndex();
    const int next = current < 0 ? 0 : current + delta;
    if (next >= 0 && next < FItemSelector->Items().Count())
        MoveListSelection(next);
}

bool TQvDetailDropDown::ListKeyDown(int key, Qt::KeyboardModifiers shift)
{
    const bool dropped = FDroppedDown;
    const auto internal = [this](auto&& move) {
        const bool was = FInternalCall;
        FInternalCall = true;
        move();
        FInternalCall = was;
        update();
    };
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (FItemSelector) {
            if (FItemSelector->Items().Count() != FItems->Count())
                PrepareList(false);
            const int visible = FItemSelector->GetVisibleItemCount();
            if (visible > 0) {
                const int current = FItemSelector->ItemIndex();
                MoveListSelection(key == Qt::Key_PageUp ? std::max(current - visible, 0)
                                                        : std::min(current + visible, FItems->Count() - 1));
            }
        }
        break;
    case Qt::Key_End:
    case Qt::Key_Home:
        if (dropped && FItemSelector)
            internal([&] { key == Qt::Key_End ? FItemSelector->SelectLast() : FItemSelector->SelectFirst(); });
        else if (!dropped && !FEditorEnabled)
            key == Qt::Key_End ? SelectLast() : SelectFirst();
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (dropped && !FEditorEnabled && FItemSelector)
            internal([&] { key == Qt::Key_Left ? FItemSelector->SelectPrevious() : FItemSelector->SelectNext(); });
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (dropped)
            StepListSelection(key == Qt::Key_Up ? -1 : 1);
        else
            key == Qt::Key_Up ? SelectPrevious() : SelectNext();
        break;
    default:
        // The typed search of the list runs only while the list shows: run on a closed picker
        // it would overwrite the text being typed with whole captions.
        if (dropped && FItemSelector && !shift.testFlag(Qt::ControlModifier) && key > 0 && key < 0x10000) {
            FCurSearch += QChar(char16_t(key));
            internal([&] { FItemSelector->LookupItem(FCurSearch); });
            // Counted from the first key of a burst: a running timer is not started again.
            if (!FKeyTimer->isActive())
                FKeyTimer->start();
        }
        return false;
    }
    return dropped;
}

void TQvDetailDropDown::WheelDown()
{
    TQvCustomDropDown::WheelDown();
    if (FDroppedDown)
        StepListSelection(1);
    else
        SelectNext();
}

void TQvDetailDropDown::WheelUp()
{
    TQvCustomDropDown::WheelUp();
    if (FDroppedDown)
        StepListSelection(-1);
    else
        SelectPrevious();
}

} // namespace dropdowns
