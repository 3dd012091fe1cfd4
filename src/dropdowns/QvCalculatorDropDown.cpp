// The calculator picker: its popup panel, the button actions by tag, the arithmetic, and the
// keys of the edit and of the open popup.

#include "dropdowns/QvCalculatorDropDown.h"

#include "dropdowns/QvDropDown/EditTypeHost.h"
#include "grid/edit/GridUnitHelpers.h"
#include "platform/Desktop.h"

#include <QGuiApplication>

#include <cmath>

namespace dropdowns {

namespace {

const QString kError = QStringLiteral("Error");

} // namespace

// What a button does, by its tag. Operators, the sign, "C", "=" and "%" end a decimal entry;
// digits, the sign and the point do nothing while the text is MaxLength long.
struct TCalculatorAction {
    int First;
    int Last;
    void (TQvCalculatorDropdown::*Run)(int tag);
    bool EndsDecimalEntry;
    bool HeldByMaxLength;

    static const TCalculatorAction Table[];
};

const TCalculatorAction TCalculatorAction::Table[] = {
    {0, 9, &TQvCalculatorDropdown::digitButton, false, true},
    {10, 13, &TQvCalculatorDropdown::operatorButton, true, false},
    {14, 14, &TQvCalculatorDropdown::changeSign, true, true},
    {15, 15, &TQvCalculatorDropdown::decimalPoint, false, true},
    {16, 16, &TQvCalculatorDropdown::clearAll, true, false},
    {17, 17, &TQvCalculatorDropdown::equalsButton, true, false},
    {18, 18, &TQvCalculatorDropdown::percentButton, true, false},
    // The empty top-left button and "CE" clear like "C" but keep a decimal entry going.
    {30, 30, &TQvCalculatorDropdown::clearAll, false, false},
    {31, 31, &TQvCalculatorDropdown::back, false, false},
    {32, 32, &TQvCalculatorDropdown::clearAll, false, false},
    {33, 36, &TQvCalculatorDropdown::memoryButton, false, false},
    {37, 37, &TQvCalculatorDropdown::squareRoot, false, false},
    {38, 38, &TQvCalculatorDropdown::reciprocal, false, false},
};

// ---- construction ----------------------------------------------------------------------------

TQvCalculatorDropdown::TQvCalculatorDropdown(QWidget* owner, platform::Desktop* desktop)
    : TQvCustomDropDown(owner, desktop), FCalcButtonAppearance(std::make_unique<TButtonAppearance>())
{
    ConstructDropDown();
    SetDropDownColor(platform::clWhite);
    SetDropDownWidth(230);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    SetDropDownEnabled(true);
}

TQvCalculatorDropdown::~TQvCalculatorDropdown() = default;

void TQvCalculatorDropdown::CreateDropDownForm()
{
    TQvCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FQvButtonPanel) {
        auto* panel = new TCustomButtonPanel(DropDownForm());
        FQvButtonPanel = panel;
        panel->SetQvDropDown(this);
        panel->resize(panel->width(), 150);
        panel->CreateButtons();
    }
    SetControl(FQvButtonPanel);
    FQvButtonPanel->OnButtonClick = [this](QObject*, int index) { CalculatorButtonClick(index); };
}

void TQvCalculatorDropdown::BeforeDropDown()
{
    TQvCustomDropDown::BeforeDropDown();
    // A click elsewhere keeps the shown number.
    DropDownForm()->SetCancelOnDeActivate(false);
    if (FQvButtonPanel) {
        FQvButtonPanel->SetButtonAppearance(*FCalcButtonAppearance);
        FQvButtonPanel->SetColor(FDropDownColor);
        FQvButtonPanel->ArrangeButtons();
    }
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
    FOpenedText = Text();
}

void TQvCalculatorDropdown::CloseDropDown(bool cancelChanges)
{
    const bool open = DropDownForm() && DropDownForm()->isVisible();
    TQvCustomDropDown::CloseDropDown(cancelChanges);
    // Every result is written through the Text setter, so the base's restore would bring back
    // the last result; a cancel brings back the number from before the opening.
    if (open && cancelChanges)
        SetText(FOpenedText);
}

void TQvCalculatorDropdown::SetComponentStyle(TVLXStyle style)
{
    TQvCustomDropDown::SetComponentStyle(style);
    const TQvButtonAppearance& b = ButtonAppearance();
    TButtonAppearance& c = *FCalcButtonAppearance;
    c.SetBorderColor(b.BorderColor());
    c.SetBorderColorHot(b.BorderColorHot());
    c.SetBorderColorDown(b.BorderColorDown());
    c.SetColor(b.Color());
    c.SetColorTo(b.ColorTo());
    c.SetColorDown(b.ColorDown());
    c.SetColorDownTo(b.ColorDownTo());
    c.SetColorHot(b.ColorHot());
    c.SetColorHotTo(b.ColorHotTo());
    c.SetBorderColorChecked(b.BorderColorDisabled());
    c.SetColorChecked(b.ColorDisabledTo());
    c.SetColorCheckedTo(b.ColorHotTo());
    c.SetColorDisabled(b.ColorDisabled());
    c.SetColorDisabledTo(b.ColorDisabledTo());
    if (style == grid::tsOffice2010Blue || style == grid::tsOffice2010Silver || style == grid::tsOffice2010Black) {
        c.SetGlowColorHot(b.ColorHot());
        c.SetGlowColorDown(b.ColorHot());
    } else {
        c.SetGlowColorDown(0xD5C244);
        c.SetGlowColorHot(b.ColorDownTo());
    }
}

// ---- numbers ---------------------------------------------------------------------------------

bool TQvCalculatorDropdown::readText(long double& v) const
{
    EditTypeHost host(const_cast<TQvCalculatorDropdown&>(*this));
    double d = 0;
    if (!host.rules.ReadFloat(Text(), d))
        return false;
    v = d;
    return true;
}

QString TQvCalculatorDropdown::generalText(long double v)
{
    EditTypeHost host(*this);
    return host.rules.FormatGeneral(double(v));
}

long double TQvCalculatorDropdown::Value()
{
    if (Text().isEmpty())
        SetText(QStringLiteral("0"));
    long double v = 0;
    return readText(v) ? v : 0;
}

void TQvCalculatorDropdown::SetValue(long double v)
{
    SetText(generalText(v));
}

void TQvCalculatorDropdown::SetShowThousandSeparator(bool v)
{
    if (FShowThousandSeparator == v)
        return;
    FShowThousandSeparator = v;
    SetEditType(v ? etMoney : etFloat);
    SetFloatValue(FloatValue());
}

void TQvCalculatorDropdown::showAccumulator()
{
    // A result past the double's range shows as 0 rather than as a text no step can read.
    if (!std::isfinite(double(FPrevval)))
        FPrevval = 0;
    SetFloatValue(double(FPrevval));
}

void TQvCalculatorDropdown::ApplyPendingOperation()
{
    // 1.
    if (Text().isEmpty() || Text() == kError)
        SetText(QStringLiteral("0"));
    // A text that is no number counts as 0 (the Value rule) instead of failing the step.
    long double x = 0;
    if (!readText(x))
        x = 0;
    // 3.
    switch (FPrevop) {
    case kAdd:
        FPrevval = FPrevval + x;
        break;
    case kMultiply:
        FPrevval = FPrevval * x;
        break;
    case kSubtract:
        FPrevval = FPrevval - x;
        break;
    case kDivide:
        if (x == 0) {
            FPrevval = 0;
            SetText(kError);
            return;
        }
        FPrevval = FPrevval / x;
        break;
    default:
        FPrevval = x;
        break;
    }
    // An overflow resets the accumulator.
    if (!std::isfinite(FPrevval))
        FPrevval = 0;
    showAccumulator();
    FNewval = true;
}

void TQvCalculatorDropdown::calcOperator(int op)
{
    ApplyPendingOperation();
    FPrevop = op;
}

void TQvCalculatorDropdown::CalcEquals()
{
    ApplyPendingOperation();
    if (Text().isEmpty())
        SetText(QStringLiteral("0"));
    FPrevop = kNone;
    long double x = 0;
    if (Text() != kError && readText(x))
        FPrevval = x;
}

void TQvCalculatorDropdown::CalcPercent()
{
    if (Text().isEmpty() || Text() == kError)
        SetText(QStringLiteral("0"));
    long double x = 0;
    if (!readText(x))
        x = 0;
    SetText(generalText(FPrevval * x / 100));
}

// ---- buttons ---------------------------------------------------------------------------------

void TQvCalculatorDropdown::CalculatorButtonClick(int index)
{
    // 1.
    if (!FQvButtonPanel || index < 0 || index >= FQvButtonPanel->Buttons().Count())
        return;
    const int tag = FQvButtonPanel->Buttons().Items(index).Tag();
    // 2.
    DoBeforeCalc();
    const TCalculatorAction* action = nullptr;
    for (const TCalculatorAction& a : TCalculatorAction::Table)
        if (tag >= a.First && tag <= a.Last)
            action = &a;
    // 3.
    if (action && action->EndsDecimalEntry)
        FDecim = 0;
    // 4.
    if (action && action->HeldByMaxLength && MaxLength() > 0 && Text().size() == MaxLength())
        return;
    // 5.
    if (action)
        (this->*action->Run)(tag);
    // 6.
    SetModifiedState(true);
}

void TQvCalculatorDropdown::digitButton(int tag)
{
    const double v = FloatValue();
    // 1.
    if ((v == 0 && FDecim == 0) || FNewval) {
        SetText(QString::number(tag));
        FNewval = false;
        return;
    }
    // 2-3. The next decimal place, or the integer part; the number grows away from zero.
    const double sign = v < 0 ? -1 : 1;
    if (FDecim > 0) {
        SetFloatValue(v + sign * tag / double(FDecim));
        FDecim *= 10;
    } else {
        SetFloatValue(v * 10 + sign * tag);
    }
}

void TQvCalculatorDropdown::operatorButton(int tag)
{
    // "+", "-", "*", "/" in tag order.
    static constexpr int kOperators[] = {kAdd, kSubtract, kMultiply, kDivide};
    calcOperator(kOperators[tag - 10]);
}

void TQvCalculatorDropdown::changeSign(int)
{
    QString t = Text();
    if (t.contains(QLatin1Char('-')))
        t.remove(0, 1);
    else
        t.prepend(QLatin1Char('-'));
    SetText(t);
}

void TQvCalculatorDropdown::decimalPoint(int)
{
    const QChar separator = grid::LocaleDecimalSeparator();
    if (!Text().contains(separator))
        SetText(Text() + separator);
    FDecim = 10;
    if (FNewval)
        SetText(QStringLiteral("0"));
    FNewval = false;
}

void TQvCalculatorDropdown::clearAll(int)
{
    SetText(QStringLiteral("0"));
    FPrevval = 0;
    FPrevop = kNone;
}

void TQvCalculatorDropdown::equalsButton(int)
{
    CalcEquals();
}

void TQvCalculatorDropdown::percentButton(int)
{
    CalcPercent();
}

void TQvCalculatorDropdown::back(int)
{
    if (FPrevop >= 0)
        return;
    QString t = generalText(FloatValue());
    t.chop(1);
    SetText(t);
}

void TQvCalculatorDropdown::memoryButton(int tag)
{
    long double x = 0;
    switch (tag) {
    case 33:
        FMVal = 0;
        break;
    case 34:
        SetFloatValue(double(FMVal));
        break;
    // MS and M+ on a text that is no number ("Error") leave the memory as it is.
    case 35:
        if (readText(x))
            FMVal = x;
        break;
    case 36:
        if (readText(x))
            FMVal = FMVal + x;
        break;
    default:
        break;
    }
}

void TQvCalculatorDropdown::squareRoot(int)
{
    const double v = FloatValue();
    if (v >= 0)
        SetFloatValue(std::sqrt(v));
    else
        SetText(kError);
}

void TQvCalculatorDropdown::reciprocal(int)
{
    const double v = FloatValue();
    if (v != 0)
        SetFloatValue(1 / v);
    else
        SetText(kError);
}

// ---- keys ------------------------------------------------------------------------------------

bool TQvCalculatorDropdown::popupShowing() const
{
    return FPopupChar || (DropDownForm() && DropDownForm()->isVisible());
}

void TQvCalculatorDropdown::writeTyped(const QString& value)
{
    SetRawText(FPrefix + value + FSuffix);
    setCursorPosition(int(FPrefix.size()) + 1);
    SetModifiedState(true);
}

void TQvCalculatorDropdown::CalculatorKeyPress(QChar& key)
{
    const char16_t c = key.unicode();
    // Operators typed into the edit itself.
    if (!popupShowing()) {
        switch (c) {
        case '\r':
        case '=':
            CalcEquals();
            break;
        case '%':
            CalcPercent();
            break;
        case '*':
            CalcMultiply();
            break;
        case '+':
            CalcAdd();
            break;
        case '-':
            CalcSubtract();
            break;
        case '/':
            CalcDivide();
            break;
        case 'C':
        case 'c':
            SetText(QStringLiteral("0"));
            FNewval = true;
            FPrevop = kNone;
            break;
        default:
            break;
        }
    }
    const QChar decimal = grid::LocaleDecimalSeparator();
    const bool number = key.isDigit() || key.isNumber();
    // 2.
    if (!number && key != decimal && c != '\b' && c != '-') {
        key = QChar();
        return;
    }
    // A digit after a result (or after "Error") starts a new number. It stands unformatted,
    // as typed, so that a decimal separator typed next goes on after it.
    if ((Text() == QStringLiteral("0") || Text() == kError || FNewval) && number) {
        writeTyped(QString(key));
        FNewval = false;
        key = QChar();
        return;
    }
    // 4.
    if (Text().size() == 1 && c == '\b') {
        writeTyped(QStringLiteral("0"));
        key = QChar();
        return;
    }
    // The rest goes on to the edit's rules, which take a "-" only on a signed edit.
    if (key == grid::LocaleThousandSeparator() || (key == decimal && Text().contains(decimal)))
        key = QChar();
}

void TQvCalculatorDropdown::WMChar(QChar& key, Qt::KeyboardModifiers shift)
{
    if (FEditorEnabled)
        CalculatorKeyPress(key);
    if (!key.isNull())
        TQvCustomDropDown::WMChar(key, shift);
}

void TQvCalculatorDropdown::FormKeyPress(QChar& key)
{
    PopupKeyPress(key);
}

void TQvCalculatorDropdown::PopupKeyPress(QChar& key)
{
    // Backspace was taken off by the popup's key-down already.
    if (key != QLatin1Char('\b')) {
        FPopupChar = true;
        TQvCustomDropDown::FormKeyPress(key);
        FPopupChar = false;
    }
    HandlePopupChar(key);
}

void TQvCalculatorDropdown::HandlePopupChar(QChar key)
{
    const char16_t c = key.unicode();
    // 1.
    DoBeforeCalc();
    // 2.
    const QChar decimal = grid::LocaleDecimalSeparator();
    if (key == decimal && !Text().contains(decimal))
        SetText(Text() + decimal);
    // 3.
    const bool number = key.isDigit() || key.isNumber();
    if (number && MaxLength() > 0 && Text().size() == MaxLength())
        return;
    // 4.
    switch (c) {
    case '\r':
        CalcEquals();
        CloseDropDown(false);
        break;
    case 0x1B:
        CloseDropDown(true);
        break;
    case '%':
        CalcPercent();
        break;
    case '&':
        if (FDesktop->keyModifiers().testFlag(Qt::AltModifier))
            CloseDropDown(true);
        break;
    case '*':
        CalcMultiply();
        break;
    case '+':
        CalcAdd();
        break;
    case '-':
        CalcSubtract();
        break;
    case '/':
        CalcDivide();
        break;
    case '=':
        CalcEquals();
        break;
    case 'C':
    case 'c':
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = kNone;
        break;
    default:
        if (c >= '0' && c <= '9' && (Text() == QStringLiteral("0") || FNewval))
            FNewval = false;
        break;
    }
}

void TQvCalculatorDropdown::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    PopupKeyDown(key, shift);
}

void TQvCalculatorDropdown::PopupKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const int pressed = key;
    TQvCustomDropDown::FormKeyDown(key, shift);
    if (pressed == Qt::Key_Tab || pressed == Qt::Key_F4) {
        CloseDropDown(false);
    } else if (pressed == Qt::Key_Backspace) {
        QString t = Text();
        t.chop(1);
        SetText(t.isEmpty() || t == kError ? QStringLiteral("0") : t);
    }
}

void TQvCalculatorDropdown::WMKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    HandleKeyDownMessage(key, shift);
}

void TQvCalculatorDropdown::HandleKeyDownMessage(int& key, Qt::KeyboardModifiers shift)
{
    const int pressed = key;
    TQvCustomDropDown::WMKeyDown(key, shift);
    if (pressed == Qt::Key_Delete && (Text().isEmpty() || Text() == kError))
        SetText(QStringLiteral("0"));
}

void TQvCalculatorDropdown::HandleSetFocus(QFocusEvent* e)
{
    if (FAutoSelect && !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton))
        SelectAll();
    TQvCustomDropDown::HandleSetFocus(e);
}

} // namespace dropdowns
