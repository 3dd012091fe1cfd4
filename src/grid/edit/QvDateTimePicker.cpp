#include "grid/edit/QvDateTimePicker.h"

#include "grid/QvCGrid.h"
#include "grid/look/QvXPVS.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include <array>
#include <cmath>

namespace grid {

namespace {

// TCustomDateTimePicker and TQvDateTimePicker paint alike.
constexpr TPickerPaintRow kCustomPaintRow{4, true, false};

// Where the companion stands at the picker's right end, one row per branch of the platform:
// left = width - a - b - FromRight, with a = the time text's width + 31 and b = the bevel
// (counted only where the row says), then top and height = height - b - HeightLess.
struct TCompanionRow {
    int FromRight;
    int Top;
    int HeightLess;
    bool CountsBevel;
};

enum TCompanionBranch { cbPlainControls, cbNoActiveStyle, cbStyledMetro, cbStyled, cbBeforeVista };

constexpr std::array<TCompanionRow, 5> kCompanionRows{{
    {23, -2, 0, true}, // Vista or later without common controls 6 or the visual-styles table
    {21, 2, 4, true},  // common controls 6, no active visual style
    {21, 1, 2, true},  // active visual style, metro look
    {34, 1, 2, true},  // active visual style
    {21, -2, 0, false} // before Vista
}};

// This platform counts as Windows Vista or later (it offers GetLocaleInfoEx) with common
// controls 6; it has no bevels around a picker.
constexpr bool kVistaOrLater = true;
constexpr bool kComCtl6 = true;
constexpr int kBevel = 0;

bool isDigitKey(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QDateTime wholeSeconds(const QDateTime& v)
{
    const QTime t = v.time();
    return QDateTime(v.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
}

} // namespace

QEvent::Type PickerShiftFocusMessage()
{
    if (GridRegistrations().GridShiftFocusMessage == QEvent::None)
        QvGridInitialization(); // the grid unit's start-up registers it once per process
    return GridRegistrations().GridShiftFocusMessage;
}

// ---- TCustomDateTimePicker -------------------------------------------------------------------

TCustomDateTimePicker::TCustomDateTimePicker(QWidget* parent) : TPickerLookBase(kCustomPaintRow, parent)
{
    SetCtl3D(false);
    SetBorderColor(platform::clBlack);
}

void TCustomDateTimePicker::RememberValue()
{
    if (Kind() != platform::dtkTime)
        return;
    const QTime t = platform::TDateTimePicker::DateTime().time();
    Fth = t.hour();
    Ftm = t.minute();
    Fts = t.second();
    Ftms = t.msec();
}

void TCustomDateTimePicker::KeyPress(QChar& key)
{
    const bool advance = FAutoTab && isDigitKey(key);
    if (advance)
        RememberValue();
    TPickerLookBase::KeyPress(key);
    // Posted: the platform takes the key first, then the value is compared.
    if (advance)
        QCoreApplication::postEvent(this, new QEvent(PickerShiftFocusMessage()));
}

bool TCustomDateTimePicker::event(QEvent* e)
{
    if (e->type() == PickerShiftFocusMessage()) {
        ShiftFocus();
        return true;
    }
    return TPickerLookBase::event(e);
}

void TCustomDateTimePicker::ShiftFocus()
{
    if (Kind() != platform::dtkTime)
        return;
    const QTime t = platform::TDateTimePicker::DateTime().time();
    if (t.hour() != Fth || t.minute() != Ftm || t.second() != Fts)
        PostKeyDown(Qt::Key_Right);
}

// ---- TQvDateTimePicker -----------------------------------------------------------------------

TQvDateTimePicker::TQvDateTimePicker(QWidget* parent) : TCustomDateTimePicker(parent)
{
    SetCtl3D(true);
    TPickerLookBase::SetBorderStyle(bsSingle);
    applyKind(dkDate);
}

TQvDateTimePicker::~TQvDateTimePicker()
{
    // The label stands on the picker's parent, which may outlive the picker. It is let go of
    // before it dies: its own destruction still passes events through this filter.
    if (QLabel* label = FLabel.data()) {
        label->removeEventFilter(this);
        FLabel.clear();
        delete label;
    }
}

void TQvDateTimePicker::SetKind(TQvDateTimeKind v)
{
    if (v == FKind)
        return;
    const TQvDateTimeKind old = FKind;
    FKind = v;
    applyKind(old);
}

void TQvDateTimePicker::applyKind(TQvDateTimeKind)
{
    platform::TDateTimePicker::SetKind(FKind == dkTime ? platform::dtkTime : platform::dtkDate);
    if (FKind == dkDateTime)
        CreateTimePicker();
    UpdateTimePicker();
}

TDateTime TQvDateTimePicker::DateTime() const
{
    QDateTime v = platform::TDateTimePicker::DateTime();
    if (FTimePicker)
        v.setTime(static_cast<const platform::TDateTimePicker*>(FTimePicker.data())->DateTime().time());
    return QDateTimeToDateTime(v);
}

void TQvDateTimePicker::SetDateTime(TDateTime v)
{
    const QDateTime q = wholeSeconds(DateTimeToQDateTime(v));
    platform::TDateTimePicker::SetDateTime(q);
    if (FKind == dkDateTime) {
        CreateTimePicker();
        static_cast<platform::TDateTimePicker*>(FTimePicker.data())->SetDateTime(q);
    }
}

void TQvDateTimePicker::SetDate(TDateTime v)
{
    const QTime timeOfDay = wholeSeconds(DateTimeToQDateTime(DateTime())).time();
    SetDateTime(QDateTimeToDateTime(QDateTime(DateTimeToQDateTime(v).date(), timeOfDay, Qt::UTC)));
}

TDateTime TQvDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker)
        return FTimePicker->Time();
    return TPickerLookBase::Time();
}

void TQvDateTimePicker::SetTime(TDateTime v)
{
    TPickerLookBase::SetTime(v);
    UpdateTimePicker();
}

void TQvDateTimePicker::SetTimeFormat(const QString& v)
{
    if (FTimePicker)
        FTimePicker->SetFormat(v);
    if (FKind == dkTime)
        SetFormat(v);
    FTimeFormat = v;
    UpdateTimePicker();
}

void TQvDateTimePicker::SetAutoTab(bool v)
{
    TCustomDateTimePicker::SetAutoTab(v);
    if (FTimePicker)
        FTimePicker->SetAutoTab(v);
}

void TQvDateTimePicker::SetBorderStyle(TBorderStyle v)
{
    TCustomDateTimePicker::SetBorderStyle(v);
    UpdateTimePicker();
}

// ---- companion -------------------------------------------------------------------------------

void TQvDateTimePicker::CreateTimePicker()
{
    if (FKind != dkDateTime || FTimePicker)
        return;
    auto* t = new TCustomDateTimePicker(this);
    FTimePicker = t;
    t->resize(90, 17);
    t->hide();
    t->setEnabled(isEnabled());
    t->platform::TDateTimePicker::SetKind(platform::dtkTime);
    t->SetAutoTab(AutoTab());
    t->OnChange = [this](QObject*) {
        // The picker's own value keeps the companion's time.
        QDateTime own = platform::TDateTimePicker::DateTime();
        own.setTime(static_cast<platform::TDateTimePicker*>(FTimePicker.data())->DateTime().time());
        platform::TDateTimePicker::SetDateTime(own);
        NotifyChange();
        if (OnTimeChange)
            OnTimeChange(this);
    };
    t->OnClick = [this](QObject*) { NotifyClick(); };
    t->OnKeyDown = [this](QObject*, int& key, Qt::KeyboardModifiers shift) { KeyDown(key, shift); };
    t->OnKeyPress = [this](QObject*, QChar& key) { TimePickerKeyPress(key); };
}

void TQvDateTimePicker::enableTimePicker()
{
    if (FTimePicker)
        FTimePicker->setEnabled(isEnabled() && (Checked() || !ShowCheckbox()));
}

void TQvDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker)
        return;
    TCustomDateTimePicker* t = FTimePicker;
    if (FKind != dkDateTime) {
        // Freed later: this may run inside one of the companion's own handlers.
        FTimePicker = nullptr;
        t->hide();
        t->OnChange = nullptr;
        t->OnClick = nullptr;
        t->OnKeyDown = nullptr;
        t->OnKeyPress = nullptr;
        t->deleteLater();
        return;
    }
    if (t->parentWidget() != this)
        t->setParent(this);
    QPalette pal = t->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Base));
    t->setPalette(pal);
    enableTimePicker();
    const QDateTime v = DateTimeToQDateTime(DateTime());
    static_cast<platform::TDateTimePicker*>(t)->SetDateTime(v);
    if (t->Format() != FTimeFormat)
        t->SetFormat(FTimeFormat);
    t->setFont(font());
    t->show();
    placeTimePicker();
}

void TQvDateTimePicker::placeTimePicker()
{
    TCustomDateTimePicker* t = FTimePicker;
    const int a = QFontMetrics(font()).horizontalAdvance(t->Text().left(255)) + 31;
    TCompanionBranch branch = cbBeforeVista;
    if (kVistaOrLater) {
        if (!kComCtl6 || !GridThemeApi.Loaded)
            branch = cbPlainControls;
        else if (!IsThemeActive())
            branch = cbNoActiveStyle;
        else
            branch = MetroLookActive() ? cbStyledMetro : cbStyled;
    }
    const TCompanionRow& row = kCompanionRows[branch];
    const int b = row.CountsBevel ? kBevel : 0;
    t->setGeometry(width() - a - b - row.FromRight, row.Top, a, height() - b - row.HeightLess);
}

void TQvDateTimePicker::NotifyChange()
{
    if (OnChange)
        OnChange(this);
}

void TQvDateTimePicker::NotifyClick()
{
    if (OnClick)
        OnClick(this);
}

// ---- check box -------------------------------------------------------------------------------

// The stand-in never reports a value put in by code as a change, so a set needs no guard
// against its own change report.
void TQvDateTimePicker::MsgSetDateTime(const QDateTime& value)
{
    TCustomDateTimePicker::MsgSetDateTime(value);
    enableTimePicker();
}

void TQvDateTimePicker::MsgSetNoDate()
{
    TCustomDateTimePicker::MsgSetNoDate();
    enableTimePicker();
}

void TQvDateTimePicker::DateTimeChangeNotify(bool noDate)
{
    TCustomDateTimePicker::DateTimeChangeNotify(noDate);
    if (!ShowCheckbox() || !FTimePicker)
        return;
    enableTimePicker();
    if (noDate)
        FTimePicker->setEnabled(false);
}

// ---- automatic advance -----------------------------------------------------------------------

void TQvDateTimePicker::RememberValue()
{
    const QDate d = DateTimeToQDateTime(DateTime()).date();
    Fy = d.year();
    Fm = d.month();
    Fd = d.day();
    TCustomDateTimePicker::RememberValue();
}

void TQvDateTimePicker::keyPressEvent(QKeyEvent* e)
{
    // A key the companion left unused goes on to the picker's parent; the companion has
    // already reported it through the picker.
    if (FTimePicker && FTimePicker->hasFocus()) {
        e->ignore();
        return;
    }
    TCustomDateTimePicker::keyPressEvent(e);
}

void TQvDateTimePicker::ShiftFocus()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::ShiftFocus();
        return;
    }
    const QDate d = platform::TDateTimePicker::DateTime().date();
    const bool day = d.day() != Fd, month = d.month() != Fm, year = d.year() != Fy;
    const auto toCompanion = [this] {
        if (FTimePicker)
            FTimePicker->setFocus(Qt::TabFocusReason);
    };
    const QString f = Format();
    if (f.isEmpty()) {
        if (day || month)
            PostKeyDown(Qt::Key_Right);
        else if (year)
            toCompanion();
        return;
    }
    // The last field of the format typed: the date is done, the time comes next.
    const QChar last = f.back().toLower();
    const bool lastChanged =
        (last == QLatin1Char('d') && day) || (last == QLatin1Char('m') && month) || (last == QLatin1Char('y') && year);
    if (lastChanged)
        toCompanion();
    else if (day || month || year)
        PostKeyDown(Qt::Key_Right);
}

// ---- label -----------------------------------------------------------------------------------

void TQvDateTimePicker::SetLabelCaption(const QString& v)
{
    if (!FLabel) {
        FLabel = new QLabel(parentWidget());
        FLabel->setBuddy(this);
        FLabel->setFont(FLabelUsesPickerFont ? font() : FLabelFont);
        FLabel->installEventFilter(this);
    }
    FLabel->setText(v);
    UpdateLabel();
}

void TQvDateTimePicker::SetLabelPosition(TLabelPosition v)
{
    FLabelPlace.Position = v;
    UpdateLabel();
}

void TQvDateTimePicker::SetLabelMargin(int v)
{
    FLabelPlace.Margin = v;
    UpdateLabel();
}

void TQvDateTimePicker::SetLabelTransparent(bool v)
{
    FLabelPlace.Transparent = v;
    UpdateLabel();
}

void TQvDateTimePicker::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (v && FLabel) {
        FLabel->setEnabled(true);
        FLabel->update();
    }
}

void TQvDateTimePicker::SetLabelFont(const QFont& v)
{
    FLabelFont = v;
    UpdateLabel();
}

void TQvDateTimePicker::UpdateLabel()
{
    if (!FLabel || !FLabel->parentWidget())
        return;
    QFont f = FLabelUsesPickerFont ? font() : FLabelFont;
    f.setBold(FLabelBold);
    FLabel->setFont(f);
    FLabel->adjustSize();
    grid::UpdateLabel(*FLabel, *this, FLabelPlace, TLabelMeasure::TextWidth);
}

void TQvDateTimePicker::setLabelBold(bool bold)
{
    if (!FocusLabel || !FLabel)
        return;
    FLabelBold = bold;
    UpdateLabel();
}

void TQvDateTimePicker::Loaded()
{
    CreateTimePicker();
    UpdateTimePicker();
    if (ShowCheckbox() && !Checked()) {
        MsgSetNoDate();
        if (FTimePicker)
            FTimePicker->setEnabled(false);
    }
    FLabelUsesPickerFont = !testAttribute(Qt::WA_SetFont);
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->setEnabled(isEnabled());
    UpdateLabel();
}

void TQvDateTimePicker::setVisible(bool visible)
{
    TCustomDateTimePicker::setVisible(visible);
    if (FLabel)
        FLabel->setVisible(visible);
}

// ---- events ----------------------------------------------------------------------------------

bool TQvDateTimePicker::event(QEvent* e)
{
    if (e->type() == QEvent::ParentChange && FLabel) {
        FLabel->setParent(parentWidget());
        UpdateLabel();
    }
    return TCustomDateTimePicker::event(e);
}

bool TQvDateTimePicker::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == FLabel.data()) {
        if (e->type() == QEvent::MouseButtonRelease && OnLabelClick)
            OnLabelClick(this);
        else if (e->type() == QEvent::MouseButtonDblClick && OnLabelDblClick)
            OnLabelDblClick(this);
    }
    return TCustomDateTimePicker::eventFilter(watched, e);
}

void TQvDateTimePicker::changeEvent(QEvent* e)
{
    TCustomDateTimePicker::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        // An unticked box keeps the companion disabled: there is no date to give a time to.
        enableTimePicker();
        if (FLabel && !FLabelAlwaysEnabled)
            FLabel->setEnabled(isEnabled());
        break;
    case QEvent::FontChange:
        if (FLabelUsesPickerFont)
            UpdateLabel();
        break;
    case QEvent::PaletteChange:
        UpdateTimePicker();
        break;
    default:
        break;
    }
}

void TQvDateTimePicker::paintEvent(QPaintEvent* e)
{
    if (!FPainted) {
        FPainted = true;
        UpdateTimePicker();
    }
    TCustomDateTimePicker::paintEvent(e);
}

void TQvDateTimePicker::resizeEvent(QResizeEvent* e)
{
    TCustomDateTimePicker::resizeEvent(e);
    UpdateTimePicker();
    UpdateLabel();
}

void TQvDateTimePicker::moveEvent(QMoveEvent* e)
{
    TCustomDateTimePicker::moveEvent(e);
    UpdateLabel();
}

void TQvDateTimePicker::focusInEvent(QFocusEvent* e)
{
    TCustomDateTimePicker::focusInEvent(e);
    setLabelBold(true);
}

void TQvDateTimePicker::focusOutEvent(QFocusEvent* e)
{
    TCustomDateTimePicker::focusOutEvent(e);
    setLabelBold(false);
}

} // namespace grid
