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
    QString qtMask;           // for QLineEdit::setInputMask; empty: no mask
    bool saveLiterals = true; // Text keeps the literal characters
    QChar blank = QLatin1Char('_');
    std::vector<bool> literal; // per shown position: a literal, not an input place
};

// The platform mask read with the given separators.
TEditMask Translate_Edit_Mask(const QString& mask, QChar timeSeparator, QChar dateSeparator);

// The platform mask as the platform's own masked edit applies it, for edits that keep their text
// themselves rather than through Qt's input mask (which drops blanks from the text it reports
// and shifts a value that holds a blank, so leading blanks ("!") cannot be represented). Each
// shown position is an input place or a literal; typing overwrites one place and moves on to the
// next, deleting blanks places, and a value is laid into the mask field by field.
class TMaskEngine {
public:
    TMaskEngine() = default;
    TMaskEngine(const QString& mask, QChar timeSeparator, QChar dateSeparator);

    bool IsEmpty() const { return places_.empty(); }
    int Length() const { return int(places_.size()); }
    bool IsLiteral(int pos) const;
    QChar Blank() const { return blank_; }
    bool SaveLiterals() const { return saveLiterals_; }
    // "!": unfilled optional places are leading blanks, so a short field is right-aligned.
    bool LeadingBlanks() const { return leadingBlanks_; }

    // The shown text of a value: literals in place, each field's characters laid in (from the
    // right with leading blanks), unfilled places blank. Characters a place refuses are dropped;
    // a literal of the value ends its field.
    QString Format(const QString& value) const;
    // The text as stored: literals dropped unless saved, blank places as spaces.
    QString Stored(const QString& shown) const;
    // Whether ch may stand at input place pos.
    bool Accepts(int pos, QChar ch) const;
    // Types ch over the first input place at or after caret; caret moves past it and any
    // literals after it. False (nothing changed) when no place is left or the place refuses ch.
    bool TypeChar(QString& shown, int& caret, QChar ch) const;
    // Blanks the input places in [from, to).
    void Clear(QString& shown, int from, int to) const;
    // The nearest input place before caret (-1 when none).
    int PreviousPlace(int caret) const;

private:
    struct Place {
        QChar ch; // the literal, or the mask character of an input place
        bool literal = false;
        int caseMode = 0; // 1 upper, -1 lower
    };
    std::vector<Place> places_;
    QChar blank_ = QLatin1Char('_');
    bool saveLiterals_ = true;
    bool leadingBlanks_ = false;
};

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
