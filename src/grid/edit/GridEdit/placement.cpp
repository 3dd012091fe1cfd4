// Putting a special editor over its cell, loaded with the cell's value. Every kind takes the
// rectangle R of the cell (the merged area for a merged cell) with W = R.Right - R.Left - 1
// and H = R.Bottom - R.Top - 1, the cell's colour, and the character that started the edit
// where its row says so.

#include "grid/QvCGrid.h"
#include "grid/edit/DropDownEditors.h"
#include "grid/edit/EditLink.h"
#include "grid/edit/GridButtons.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridDatePicker.h"
#include "grid/edit/GridEdit.h"
#include "grid/edit/GridEditBtn.h"
#include "grid/edit/GridEditorEnd.h"
#include "grid/edit/GridSpin.h"
#include "grid/edit/GridUnitHelpers.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QTextCursor>

namespace grid {

namespace {

// The typed character reaches the editor as its first keystroke, with the key code a keyboard
// would give it so the editor's key step sees the key as well as its text.
void handOverTyped(QWidget* editor, QChar typed)
{
    if (typed.isNull())
        return;
    const QChar upper = typed.toUpper();
    const int key = upper.unicode() < 128 ? upper.unicode() : 0;
    QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier, QString(typed));
    QApplication::sendEvent(editor, &ev);
}

void setEditorColor(QWidget* editor, TColor color)
{
    QPalette pal = editor->palette();
    pal.setColor(QPalette::Base, platform::toQColor(color));
    editor->setPalette(pal);
}

QDateTime nowValue()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), now.time(), Qt::UTC);
}

// A cell text read by the locale as a date (with a time when it has one); invalid when it
// is none.
QDateTime localeDateTime(const QString& s)
{
    const QLocale l;
    const QString t = s.trimmed();
    const QString date = LocaleShortDateFormat();
    for (const QString& f :
         {date + QLatin1Char(' ') + LocaleLongTimeFormat(), date + QLatin1Char(' ') + LocaleShortTimeFormat()}) {
        const QDateTime v = l.toDateTime(t, f);
        if (v.isValid())
            return QDateTime(v.date(), v.time(), Qt::UTC);
    }
    const QDate d = l.toDate(t, date);
    return d.isValid() ? QDateTime(d, QTime(0, 0), Qt::UTC) : QDateTime();
}

QTime localeTime(const QString& s)
{
    const QLocale l;
    for (const QString& f : {LocaleLongTimeFormat(), LocaleShortTimeFormat()}) {
        const QTime t = l.toTime(s.trimmed(), f);
        if (t.isValid())
            return t;
    }
    return QTime();
}

bool comCtl470()
{
    if (GridRegistrations().GridShiftFocusMessage == QEvent::None)
        QvGridInitialization(); // the grid unit's start-up records the version once per process
    return GridRegistrations().IsComCtl470;
}

} // namespace

void TQvStringGrid::GetEditorProp(int ACol, int ARow, void* AEditLink)
{
    if (OnGetEditorProp)
        OnGetEditorProp(this, ACol, ARow, AEditLink);
    if (OnGetEditorPropInt)
        OnGetEditorPropInt(this, ACol, ARow, AEditLink);
}

void TQvStringGrid::showSpinEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    TGridSpin* spin = SpinEdit();
    spin->ReCreate();
    EditMode = true;
    FNoEditChange = true;
    spin->setGeometry(r.Left, r.Top, w, h);
    setEditorColor(spin, color);
    spin->ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator;
    // The application's limits come first, so the loaded value is kept within them.
    GetEditorProp(realCol, ARow, nullptr);
    const bool blank = FEditText.trimmed().isEmpty() && spin->AllowEmptyValue;
    switch (EditControl) {
    case edSpinEdit:
        spin->SetSpinType(sptNormal);
        spin->SetValue(LeadingInteger(FEditText));
        break;
    case edFloatSpinEdit: {
        spin->SetSpinType(sptFloat);
        bool ok = false;
        const double v = ZirAzur::NormalizeNumberText(FEditText).toDouble(&ok);
        spin->SetFloatValue(ok ? v : 0.0);
        break;
    }
    case edTimeSpinEdit:
        spin->SetSpinType(sptTime);
        spin->setText(FEditText);
        break;
    default: {
        spin->SetSpinType(sptDate);
        const QDate d = QLocale().toDate(FEditText.trimmed(), LocaleShortDateFormat());
        spin->SetDateValue(d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime::currentDateTime());
        break;
    }
    }
    // A blank cell stays blank when the editor may store an empty value.
    if (blank)
        spin->clear();
    spin->setEnabled(true);
    spin->show();
    spin->raise();
    spin->setFocus(Qt::OtherFocusReason);
    FNoEditChange = false;
    if (FSpinUpClick)
        spin->UpButtonClick(spin);
    else if (FSpinDnClick)
        spin->DownButtonClick(spin);
    FSpinUpClick = FSpinDnClick = false;
    EditCtrl = spin;
    handOverTyped(spin, typed);
}

void TQvStringGrid::showButtonEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    const bool unit =
        EditControl == edUnitEditBtn || EditControl == edNumericUnitEditBtn || EditControl == edFloatUnitEditBtn;
    TQsgEditBtn* edit = nullptr;
    EditMode = true;
    FNoEditChange = true;
    if (unit) {
        TGridUnitEditBtn* u = UnitEditBtn();
        u->ReCreate();
        // The units come from the application's editor setup; the text is split by them.
        GetEditorProp(realCol, ARow, nullptr);
        u->setMaxLength(MaxEditLength > 0 ? MaxEditLength : 32767);
        u->LoadTextAndUnit(FEditText);
        edit = u;
    } else {
        TGridEditBtn* b = EditBtn();
        b->ReCreate();
        b->SetEditMask(EditControl == edMaskEditBtn ? QueryEditMask(realCol, ARow) : QString());
        b->setMaxLength(MaxEditLength > 0 ? MaxEditLength : 32767);
        b->setText(FEditText);
        edit = b;
    }
    edit->setGeometry(r.Left, r.Top, w, h);
    setEditorColor(edit, color);
    edit->setEnabled(true);
    edit->show();
    edit->raise();
    edit->setFocus(Qt::OtherFocusReason);
    FNoEditChange = false;
    EditCtrl = edit;
    handOverTyped(edit, typed);
}

void TQvStringGrid::showDateEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    TGridDatePicker* picker = GetEditDate();
    picker->ReCreate();
    EditMode = true;
    const bool time = EditControl == edTimeEdit;
    picker->SetKind(time ? platform::dtkTime : platform::dtkDate);
    picker->SetDateMode(EditControl == edDateEditUpDown ? platform::dmUpDown : platform::dmComboBox);
    GetEditorProp(realCol, ARow, nullptr);
    QDateTime value;
    if (time) {
        const QTime t = localeTime(FEditText);
        value = t.isValid() ? QDateTime(QDate::currentDate(), t, Qt::UTC) : nowValue();
    } else if (OnCustomStrToDate) {
        TDateTime d = QDateTimeToDateTime(nowValue());
        OnCustomStrToDate(this, FEditText, d);
        value = DateTimeToQDateTime(d);
    } else {
        value = localeDateTime(FEditText);
        if (!value.isValid())
            value = nowValue();
        // Unset limits (none) limit nothing; a value past them goes just inside.
        const QDate maxDate = picker->MaxDate(), minDate = picker->MinDate();
        if (maxDate.isValid() && value.date() > maxDate)
            value.setDate(maxDate.addDays(-1));
        if (minDate.isValid() && value.date() <= minDate)
            value.setDate(minDate.addDays(1));
    }
    picker->platform::TDateTimePicker::SetDateTime(value);
    picker->setGeometry(r.Left, r.Top, w, h);
    setEditorColor(picker, color);
    picker->setEnabled(true);
    picker->show();
    picker->raise();
    picker->setFocus(Qt::OtherFocusReason);
    if (!time && MouseActions().DirectDateDrop()) {
        QKeyEvent f4(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier);
        QApplication::sendEvent(picker, &f4);
    }
    EditCtrl = picker;
    if (!time)
        handOverTyped(picker, typed);
}

void TQvStringGrid::showDateTimeEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color)
{
    TGridDateTimePicker* picker = DateAndTimePicker();
    EditMode = true;
    GetEditorProp(realCol, ARow, nullptr);
    QDateTime value = localeDateTime(FEditText);
    if (!value.isValid())
        value = nowValue();
    const TDateTime v = QDateTimeToDateTime(value);
    picker->SetDateTime(v);
    FOriginalDateTime = picker->DateTime();
    picker->SetBorderStyle(bsNone);
    picker->setGeometry(r.Left, r.Top, w, std::max(picker->height(), h));
    setEditorColor(picker, color);
    picker->setEnabled(true);
    picker->show();
    picker->raise();
    picker->setFocus(Qt::OtherFocusReason);
}

void TQvStringGrid::showCustomEditor(int realCol, int ARow, const TRect& r, TColor color, QChar typed)
{
    TEditLink* link = EditLink;
    if (!link) {
        EditMode = false; // nothing opened, so nothing is to be closed or stored
        return;
    }
    EditMode = true;
    link->Grid = this;
    link->EditCell = QPoint(realCol, ARow);
    if (link->EditStyle == esPopup) {
        if (link->AutoPopupWidth)
            link->PopupWidth = r.Right - r.Left;
        QWidget* form = link->PopupForm();
        QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Top));
        if (link->PopupLeft != -1 && link->PopupTop != -1)
            at = QPoint(link->PopupLeft, link->PopupTop);
        form->setGeometry(at.x(), at.y(), std::max(link->PopupWidth, 1), std::max(link->PopupHeight, 1));
        form->show();
        link->CreateEditor(form);
        link->SetRect(TRect{0, 0, link->PopupWidth, link->PopupHeight});
    } else {
        link->CreateEditor(viewport());
        link->SetRect(r);
    }
    link->SetVisible(true);
    link->SetCellProps(color, QWidget::font());
    link->SetProperties();
    GetEditorProp(realCol, ARow, link);
    link->SetEditorValue(FEditText);
    link->SetFocus(true);
    FEditActive = true;
    QWidget* control = link->GetEditControl();
    if (control && !typed.isNull())
        QCoreApplication::postEvent(control, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(typed)));
    EditCtrl = control;
}

namespace {

// The in-place link's control keeps Tab under goTabs: the key goes to the link's decision
// instead of moving the focus along the window's chain.
class TEditLinkControlFilter : public QObject {
public:
    explicit TEditLinkControlFilter(TQvStringGrid* grid) : grid(grid) {}
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || !grid->HasOption(goTabs) || !grid->EditLink)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab)
            return false;
        int key = k->key();
        grid->EditLink->EditKeyDown(obj, key, k->modifiers());
        return true;
    }
    TQvStringGrid* grid;
};

} // namespace

QObject* TQvStringGrid::EditLinkFilter()
{
    if (!FEditLinkFilter)
        FEditLinkFilter = std::make_unique<TEditLinkControlFilter>(this);
    return FEditLinkFilter.get();
}

void TQvStringGrid::showRichEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    EditMode = true;
    TQvRichEdit* re = InplaceRichEdit();
    // A fresh document stands for the re-created control: nothing of the last cell's undo
    // history or formats carries over.
    re->LockResize();
    re->clear();
    re->setCurrentCharFormat(QTextCharFormat());
    re->SetWordWrap(WordWrap());
    re->setGeometry(r.Left, r.Top, w, h);
    CellToRich(realCol, ARow, re);
    if (Navigation().EditSelectAll())
        re->selectAll();
    else
        re->moveCursor(QTextCursor::End);
    // The formatting rectangle inset by 2 pixels.
    re->SetFormatInset(2);
    setEditorColor(re, color);
    re->setEnabled(true);
    re->show();
    re->raise();
    re->setFocus(Qt::OtherFocusReason);
    if (!typed.isNull())
        QCoreApplication::postEvent(re, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(typed)));
    re->UnlockResize();
    EditCtrl = re;
}

void TQvStringGrid::showComboEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    const bool list = EditControl == edComboList;
    TGridCombo* combo = EditCombo();
    EditMode = true;
    FNoEditChange = true;
    combo->blockSignals(true);
    combo->clear();
    LoadEditorFromColumn(realCol, ARow);
    combo->setMaxVisibleItems(std::max(1, DropDownCount));
    GetEditorProp(realCol, ARow, nullptr);
    combo->setGeometry(r.Left, r.Top, 0, 0);
    combo->setEnabled(true);
    combo->setEditable(!list);
    bool comboEventDue = false;
    if (list) {
        int idx = combo->findText(Cells(realCol, ARow), Qt::MatchExactly);
        if (FComboIdx == -1 && idx == -1) {
            idx = combo->findText(FEditText, Qt::MatchExactly);
            if (idx == -1)
                idx = 0;
            comboEventDue = true;
        } else if (idx == -1) {
            idx = FComboIdx;
        }
        combo->setCurrentIndex(idx < combo->count() ? idx : -1);
    } else {
        combo->setEditText(FEditText);
        if (FComboIdx != -1 && combo->currentIndex() == -1)
            combo->setCurrentIndex(FComboIdx);
        combo->setEditText(FEditText);
        if (combo->lineEdit() && MaxComboLength > 0)
            combo->lineEdit()->setMaxLength(MaxComboLength);
    }
    combo->blockSignals(false);
    combo->SetColor(color);
    combo->setGeometry(r.Left, r.Top, w, h);
    const bool flat = Look == glSoft || Look == glVLX || Look == glXP || Look == glListView || Look == glVista
                      || Look == glWin7 || Look == glOffice2007;
    combo->SetFlat(flat);
    combo->SetEtched(flat);
    if (Navigation().AutoComboDropSize())
        combo->SizeDropDownWidth();
    else if (combo->DropWidth() > 0)
        combo->SetDropWidth(combo->DropWidth());
    combo->show();
    combo->raise();
    combo->setFocus(Qt::OtherFocusReason);
    FNoEditChange = false;
    if (MouseActions().DirectComboDrop() || DropDownAlwaysVisible)
        combo->showPopup();
    if (MouseActions().DirectEdit() && MouseActions().DirectComboDrop()) {
        const TGridRect sel = Selection();
        SelectionChangedNotify(sel.Left, sel.Top, sel.Right, sel.Bottom);
    }
    if (comboEventDue && combo->count() > 0 && OnComboChange)
        OnComboChange(this, realCol, ARow, 0, combo->itemText(0));
    EditCtrl = combo;
    handOverTyped(combo, typed);
}

void TQvStringGrid::showCheckEditor(const TRect& r, int w, int h, TColor color)
{
    TGridCheckBox* check = EditCheck();
    check->ReCreate();
    EditMode = true;
    check->setGeometry(r.Left, r.Top, w, h);
    check->setText(FEditText);
    check->setChecked(false);
    setEditorColor(check, color);
    check->setEnabled(true);
    check->show();
    check->raise();
    check->setFocus(Qt::OtherFocusReason);
}

void TQvStringGrid::showButtonControl(const TRect& r, int w, int h)
{
    TGridButton* button = GridButton();
    button->ReCreate();
    EditMode = true;
    // One pixel larger on every side, so the button's own frame covers the cell's lines.
    button->setGeometry(r.Left - 1, r.Top - 1, w + 2, h + 2);
    button->setText(FEditText);
    button->setEnabled(true);
    button->show();
    button->raise();
    button->setFocus(Qt::OtherFocusReason);
    EditCtrl = button;
}

void TQvStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    startFocusFrame();
    const int realCol = RealColIndex(ACol);
    TRect r = CellRect(ACol, ARow);
    const int w = r.Right - r.Left - 1;
    const int h = r.Bottom - r.Top - 1;
    const TColor color = editHost()->CellColor(ACol, ARow);
    EditCtrl = nullptr;
    if (EditControl != edCustom)
        FLastValidation = true;
    const QChar typed = FStartEditChar;

    switch (EditControl) {
    case edComboEdit:
    case edComboList:
        showComboEditor(realCol, ARow, r, w, h, color, typed);
        break;
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        showSpinEditor(realCol, ARow, r, w, h, color, typed);
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        showButtonEditor(realCol, ARow, r, w, h, color, typed);
        break;
    case edCheckBox:
        showCheckEditor(r, w, h, color);
        break;
    case edButton:
        showButtonControl(r, w, h);
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (comCtl470())
            showDateEditor(realCol, ARow, r, w, h, color, typed);
        break;
    case edDateTimeEdit:
        if (comCtl470())
            showDateTimeEditor(realCol, ARow, r, w, h, color);
        break;
    case edCustom:
        showCustomEditor(realCol, ARow, r, color, typed);
        break;
    case edRichEdit:
        showRichEditor(realCol, ARow, r, w, h, color, typed);
        break;
    default:
        if (IsDropDownEditorKind(EditControl)) {
            showDropDownEditor(realCol, ARow, r, w, h, color, typed);
            break;
        }
        // The other special kinds come with their editor controls; until then nothing opens.
        EditMode = false;
        FEditActive = false;
        FSpecialEditor = false;
        break;
    }
    FStartEditChar = QChar();
}

} // namespace grid
