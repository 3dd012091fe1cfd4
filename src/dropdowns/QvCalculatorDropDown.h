#pragma once
// A number edit whose popup is a pocket calculator (the button panel in calculator mode). The
// edit always shows the current number, so closing the popup leaves the last result as the
// value. The calculator works left to right without precedence: an operator first applies the
// operation still pending to the accumulator, then remembers itself (2 + 3 * 4 = gives 20).
//
// The accumulator and the memory are extended reals; every result is shown through FloatValue
// (a double, then Precision decimals) and the next step reads the number back from the text.
//
// Three ways in:
//   - the panel's buttons: CalculatorButtonClick walks the tag table (kCalculatorActions);
//   - keys typed into the edit while the popup is closed: CalculatorKeyPress, the key-press
//     step before the edit's own character rules (operators compute; digits start a new number
//     after a result);
//   - keys typed on the open popup: PopupKeyPress and PopupKeyDown, after the popup has passed
//     the key on to the edit.
// "Error" stands in the edit after a division by zero, the square root of a negative number
// and the reciprocal of 0; it reads as 0, and the next operator, "=" or "%" starts from 0.

#include "dropdowns/QvButtonPanel.h"
#include "dropdowns/QvDropDown.h"

#include <QPointer>

namespace dropdowns {

class TQvCalculatorDropdown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvCalculatorDropdown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);
    ~TQvCalculatorDropdown() override;

    // The pending operation, like the "=" button.
    void CalcResult() { CalcEquals(); }
    // The text as a number (thousands separators removed); "0" written into an empty text
    // first; a text that does not convert reads as 0.
    long double Value();
    // The value in the general number format.
    void SetValue(long double v);
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    // On: the edit groups thousands (etMoney); off: plain (etFloat). The value is rewritten.
    void SetShowThousandSeparator(bool v);
    TButtonAppearance& CalcButtonAppearance() { return *FCalcButtonAppearance; }
    const TButtonAppearance& CalcButtonAppearance() const { return *FCalcButtonAppearance; }
    void SetCalcButtonAppearance(const TButtonAppearance& v) { FCalcButtonAppearance->Assign(v); }
    TCustomButtonPanel* ButtonPanel() const { return FQvButtonPanel; }
    // The memory (MS, M+, MR, MC).
    long double Memory() const { return FMVal; }

    // The drop-down's style, then the drop button's colours into CalcButtonAppearance.
    void SetComponentStyle(TVLXStyle style) override;

    // The key-press step of the edit (the table control's cell editor calls it too): with the
    // popup closed the operator keys compute; digits after a result start a new number; keys
    // that are no number characters are consumed (QChar() on return), the rest go on to the
    // edit's character rules.
    virtual void CalculatorKeyPress(QChar& key);
    // A click on the panel's button with that index.
    void CalculatorButtonClick(int index);

    // The four operators: the pending operation applied, then this one pending.
    void CalcAdd() { calcOperator(kAdd); }
    void CalcSubtract() { calcOperator(kSubtract); }
    void CalcMultiply() { calcOperator(kMultiply); }
    void CalcDivide() { calcOperator(kDivide); }
    void CalcEquals();
    void CalcPercent();

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void CloseDropDown(bool cancelChanges) override;
    // The key typed on the open popup: passed on to the edit, then the calculator's keys.
    void FormKeyPress(QChar& key) override;
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar& key, Qt::KeyboardModifiers shift) override;
    void HandleSetFocus(QFocusEvent* e) override;
    // Called before every button click and every key typed on the popup.
    virtual void DoBeforeCalc() {}

    void PopupKeyPress(QChar& key);
    void PopupKeyDown(int& key, Qt::KeyboardModifiers shift);
    void HandlePopupChar(QChar key);
    // The edit's key-down: after the drop-down's own handling, Delete turns an empty text or
    // "Error" into "0".
    void HandleKeyDownMessage(int& key, Qt::KeyboardModifiers shift);
    void ApplyPendingOperation();

private:
    // The pending operation's codes.
    static constexpr int kNone = -1, kAdd = 0, kMultiply = 1, kSubtract = 2, kDivide = 3;
    friend struct TCalculatorAction;

    void calcOperator(int op);
    // The text as a number with the thousands separators removed; false when it is none.
    bool readText(long double& v) const;
    QString generalText(long double v);
    void showAccumulator();
    // A value typed into the edit: written as it stands, the caret after its first character.
    void writeTyped(const QString& value);
    // The button actions (TCalculatorAction::Table), each given the button's tag.
    void digitButton(int tag);
    void operatorButton(int tag);
    void changeSign(int tag);
    void decimalPoint(int tag);
    void clearAll(int tag);
    void equalsButton(int tag);
    void percentButton(int tag);
    void back(int tag);
    void memoryButton(int tag);
    void squareRoot(int tag);
    void reciprocal(int tag);
    bool popupShowing() const;

    QPointer<TCustomButtonPanel> FQvButtonPanel;
    int FDecim = 0;
    bool FNewval = false;
    long double FPrevval = 0;
    int FPrevop = kNone;
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0;
    bool FShowThousandSeparator = false;
    // A character passed on from the open popup: CalculatorKeyPress treats it as typed there,
    // even when the key-down of the same key has closed the popup already.
    bool FPopupChar = false;
    // The number shown when the popup opened, which a cancel brings back.
    QString FOpenedText;
};

} // namespace dropdowns
