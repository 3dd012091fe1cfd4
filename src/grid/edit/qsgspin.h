#pragma once
// The spin edit: a masked edit with a pair of spin buttons at its right edge that edits an
// integer, a float, a date or a time, steps it with the buttons, the arrow keys and Page Up /
// Page Down, keeps it within its limits and filters typed characters by its kind. The grid's
// spin cell editor derives from it. The button pair and its repeating buttons are usable alone.
// Separators and formats come from the locale at each use.

#include "grid/GridTypes.h"
#include "platform/MaskEdit.h"
#include "platform/SpeedButton.h"

#include <QDateTime>
#include <QImage>
#include <QTime>

#include <functional>

class QTimer;

namespace grid {

enum TQsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned;

class TQsgSpinButton;

// One button of the pair: repeats its click while held (first after 400 ms, then every
// 100 ms) and paints in the pair's custom colours, themed ("spin") or classic.
class TQvTimerSpeedButton : public platform::TSpeedButton {
    Q_OBJECT
public:
    explicit TQvTimerSpeedButton(TQsgSpinButton* owner);

    TTimeBtnState TimeBtnState = 0;
    TButtonDirection ButtonDirection = bdUp;
    bool IsWinXP = false;

    // The repeat timer; created at the first press.
    QTimer* RepeatTimer() const { return FRepeatTimer; }
    void RepeatTimerTick();

protected:
    void Paint(QPainter& canvas) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TQsgSpinButton* FOwner;
    QTimer* FRepeatTimer = nullptr;
};

// The up and down buttons, above each other or side by side.
class TQsgSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TQsgSpinButton(QWidget* parent = nullptr);

    TQvTimerSpeedButton* UpButton() const { return FUpButton; }
    TQvTimerSpeedButton* DownButton() const { return FDownButton; }
    TQvTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

    // nullptr gives the built-in arrow.
    void SetUpGlyph(const QImage& glyph);
    void SetDownGlyph(const QImage& glyph);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int n) { FUpButton->SetNumGlyphs(n); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int n) { FDownButton->SetNumGlyphs(n); }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection d);
    void SetIsWinXP(bool v);

    // Takes the focus when a button is pressed.
    QWidget* FocusControl = nullptr;
    std::function<void(QObject*)> OnUpClick;
    std::function<void(QObject*)> OnDownClick;

    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;

    // Places the buttons in a pair of this size; answers the size the pair takes (the width
    // raised to its minimum).
    QSize LayoutButtons(int w, int h);
    void FocusButton(TQvTimerSpeedButton* button);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void buttonClick(TQvTimerSpeedButton* button);
    void buttonPress(TQvTimerSpeedButton* button, QMouseEvent* e);

    TQvTimerSpeedButton* FUpButton;
    TQvTimerSpeedButton* FDownButton;
    TQvTimerSpeedButton* FFocusedButton;
    TSpinDirection FDirection = spVertical;
};

// The built-in arrows of the pair ("QsgSpinUp", "QsgSpinDown").
QImage SpinArrowGlyph(bool up);

class TQsgSpinEdit : public platform::TCustomMaskEdit {
    Q_OBJECT
public:
    explicit TQsgSpinEdit(QWidget* parent = nullptr);
    ~TQsgSpinEdit() override;

    TQsgSpinButton* Button() const { return FButton; }

    TQsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TQsgSpinType t);

    int Value() const;
    void SetValue(int v);
    double FloatValue() const;
    void SetFloatValue(double v);
    QDateTime DateValue() const;
    void SetDateValue(const QDateTime& v);
    QTime TimeValue() const;
    void SetTimeValue(const QTime& v);

    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0.0;
    double MaxFloatValue = 100.0;
    // Limits of date and time values; equal limits (both unset by default) mean none.
    QDateTime MinDateValue;
    QDateTime MaxDateValue;
    int Increment = 1;
    double IncrementFloat = 0.1;
    double IncrementFloatPage = 1.0;
    int IncrementHours = 1;
    int IncrementMinutes = 1;
    int IncrementSeconds = 1;
    bool ReturnIsTab = false;
    bool ExcelStyleDecimalSeparator = false;
    // Read by the owner: a blank text stands for an empty cell.
    bool AllowEmptyValue = false;

    int Precision() const { return FPrecision; }
    void SetPrecision(int p);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TSpinDirection Direction() const { return FButton->Direction(); }
    void SetDirection(TSpinDirection d);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign a);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    void SetIsWinXP(bool v);
    bool AutoSelect = true;
    bool BorderSingle = true; // BorderStyle: single (true) or none

    virtual void StepUp(bool page);
    virtual void StepDown(bool page);
    virtual bool AcceptsChar(QChar key);
    virtual void UpButtonClick(QObject* sender);
    virtual void DownButtonClick(QObject* sender);

    // The least height the edit keeps: the font's text height and a quarter of the smaller of
    // it and the system font's, plus 2 and, with a single border, four border heights.
    int MinimumHeight() const;
    // Where the buttons go and the text may stand, from the edit's size.
    void LayoutEdit();

    // The limit rules: equal limits mean none.
    int ClampInteger(int v) const;
    double ClampFloat(double v) const;
    QDateTime ClampDate(const QDateTime& v) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void step(bool up, bool page);
    void stepDate(bool up);
    void stepTime(bool up);
    QString timeFormat() const;
    void writeKeepingCaret(const QString& text);

    TQsgSpinButton* FButton;
    TQsgSpinType FSpinType = sptNormal;
    QDateTime FDateValue;
    QTime FTimeValue;
    int FPrecision = 0;
    bool FShowSeconds = true;
    bool FEditorEnabled = true;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FMousePressed = false;
};

// The locale's short date format with a four-digit year, so dates keep their century.
QString SpinDateFormat();

} // namespace grid
