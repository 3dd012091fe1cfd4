#pragma once
// The masked edit the spin, button and time editors are built on: a QLineEdit that takes the
// platform's edit-mask syntax ("mask;save literals;blank character") and translates it, by one
// table, into a Qt input mask. The formatting rectangle becomes the text margins.
//
// Mask characters (platform -> Qt):
//   L l  letter, required / optional          A a       (Qt's letters)
//   A a  letter or digit, required / optional N n
//   C c  any character, required / optional   X x
//   0 9  digit, required / optional           9 0       (the two swap meaning)
//   #    digit or sign, optional              #
//   > <  upper / lower case from here on      > <
//   <>   no case change from here on          !
//   :    the locale's time separator          a literal
//   /    the locale's date separator          a literal
//   _    a blank                              a literal space
//   \x   x as it stands                       a literal
//   !    where optional blanks go             (no equivalent; dropped)
// Any other character is a literal, escaped where Qt would read it as a mask character.
// The second field "0" keeps literals out of Text; the third is the blank character ("_").

#include <QChar>
#include <QLineEdit>
#include <QMargins>
#include <QString>

#include <functional>
#include <vector>

namespace platform {

struct TEditMask {
    QString qtMask;            // for QLineEdit::setInputMask; empty: no mask
    bool saveLiterals = true;  // Text keeps the literal characters
    QChar blank = QLatin1Char('_');
    std::vector<bool> literal; // per shown position: a literal, not an input place
};

// The platform mask read with the given separators.
TEditMask Translate_Edit_Mask(const QString& mask, QChar timeSeparator, QChar dateSeparator);

class TCustomMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomMaskEdit(QWidget* parent = nullptr);

    // The mask in the platform's syntax, read with the locale's separators when it is set.
    void SetEditMask(const QString& mask);
    const QString& EditMask() const { return mask_; }
    bool IsMasked() const { return !mask_.isEmpty(); }

    // The text as the owner stores it: without the literals when the mask says so, blanks
    // as spaces. Writing takes either form.
    QString Text() const;
    void SetText(const QString& text);
    // The text as shown, literals and blank characters included.
    QString EditText() const { return displayText(); }

    // The formatting rectangle: where the text may stand inside the control.
    void SetEditRect(const QRect& r);
    const QRect& EditRect() const { return editRect_; }

    // Refused keys beep through this, so tests can count them.
    std::function<void()> Beep;

private:
    QString mask_;
    TEditMask translated_;
    QRect editRect_;
};

} // namespace platform
