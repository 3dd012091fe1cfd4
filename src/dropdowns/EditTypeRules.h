#pragma once
// The drop-down edit's rules by edit type: what may be typed and pasted, where the caret may go
// around a fixed prefix and suffix, and how numbers are formatted with the user's separators.
//
// The rules know no widget. They act on an edit window through TEditTypeHost (its text, its
// selection, its own key and character handling, the drop-down's modified flag) and read their
// settings from a TEditTypeSettings snapshot taken when a message arrives, so the separators
// are the ones in force at that moment. The drop-down edit feeds each message through them:
//
//   key-down   KeyDown      stages before the edit's own handling, the handling, stages after
//   character  Char         the type rules, then the edit inserts what passed
//   paste      Paste        predicted text judged by type, caret placed as if pasted
//   kill focus KillFocus    numbers reformatted, an empty number becomes 0
//   mouse-up   MouseUp      the caret held out of the prefix and suffix
//
// Positions (SelStart) count the characters of the whole edit text, prefix included; the value
// is the text without prefix and suffix.

#include <QChar>
#include <QString>
#include <Qt>

#include <cstdint>

namespace dropdowns {

// What the edit accepts as typed.
enum TDropDownEditType : std::uint8_t {
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};

// ClassifyNumberText's answers.
enum TNumberClass : std::uint8_t { ncInteger = 0, ncFloat = 1, ncText = 2, ncHex = 5 };

struct TEditTypeSettings {
    TDropDownEditType EditType = etString;
    QString Prefix;
    QString Suffix;
    int Precision = 0;
    int LengthLimit = 0;
    // 0: no limit.
    int MaxLength = 0;
    bool Signed = false;
    bool AutoThousandSeparator = true;
    bool ExcelStyleDecimalSeparator = false;
    bool CanUndo = true;
    bool AllowNumericNullValue = false;
    QString ValidChars;
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
};

// The edit window and the drop-down around it, as the rules use them.
class TEditTypeHost {
public:
    virtual ~TEditTypeHost() = default;
    // The whole text, prefix and suffix included.
    virtual QString EditText() const = 0;
    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    // Selects length characters from start with the caret at start + length; a negative length
    // leaves the anchor at start and the caret before it. Positions are held inside the text.
    virtual void SetSelection(int start, int length) = 0;
    // The text as it stands, no rule applied.
    virtual void SetRawText(const QString& text) = 0;
    // The drop-down's Text setter (pickers may override it).
    virtual void SetText(const QString& value) = 0;
    // The edit window's own modified flag: set by the user's editing, cleared by a raw write.
    virtual bool EditModified() const = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModifiedState(bool v) = 0;
    // Swallows the next change notice of the edit window.
    virtual void SetBlockChange(bool v) = 0;
    // The drop-down's change handling (OnChange).
    virtual void Change() = 0;
    // The edit's own handling of a key-down (the key-down event included) and of a character
    // (the key-press event included, then the insertion).
    virtual void InheritedKeyDown(int& key, Qt::KeyboardModifiers shift) = 0;
    virtual void InheritedChar(QChar key, Qt::KeyboardModifiers shift) = 0;
    // Return and Escape as the parent form takes them; true ends the character's handling.
    virtual bool ParentFormChar(QChar& key, Qt::KeyboardModifiers shift) = 0;
    // The paste event: may change nothing but refuse the predicted text.
    virtual bool AllowPaste(const QString& predicted) = 0;
};

class TEditTypeRules {
public:
    TEditTypeRules(TEditTypeHost& host, const TEditTypeSettings& settings) : host(host), s(settings) {}

    // ---- the value -----------------------------------------------------------------------------
    QString Value() const;
    int ValueStart() const { return int(s.Prefix.size()); }
    int ValueEnd() const { return ValueStart() + int(Value().size()); }

    // The Text setter: the value formatted by type, written with prefix and suffix, the modified
    // state cleared. Answers the value written (what a cancelled popup restores).
    QString SetText(const QString& value);
    double FloatValue() const;
    void SetFloatValue(double v);
    void SetIntValue(int v);
    // An etMoney value rewritten with grouping; the caret keeps its distance from the end.
    void ApplyThousandSeparators();

    void SelectAll();
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // ---- messages ------------------------------------------------------------------------------
    // The type rules of a key-down around the edit's own handling; key 0 when dropped.
    void KeyDown(int& key, Qt::KeyboardModifiers shift);
    // The type rules of a character, from the whole-value replacement onwards; the character
    // that passes is handed to the edit's own handling. A pure picker's edit never calls it.
    void Char(QChar key, Qt::KeyboardModifiers shift);
    void Paste(const QString& clip);
    void KillFocus();
    void MouseUp();

    // ---- named helpers -------------------------------------------------------------------------
    int ClassifyNumberText(const QString& text) const;
    QString StripThousandSeparators(const QString& text) const;
    double TextToFloat(const QString& text) const;
    // The text as a number in the user's format, thousands separators removed; false when it
    // is none (TextToFloat reads that as 0).
    bool ReadFloat(const QString& text, double& v) const;
    static int HexDigitValue(QChar c);
    static int HexTextToInt(const QString& text);
    static bool IsRangeSeparator(QChar c);
    bool IsSignKey(QChar c) const;
    int IntegerPartLength(const QString& value) const;
    int DecimalSeparatorPos() const;
    bool DecimalsFull(const QString& value, int caret) const;
    bool ThousandSeparatorMisplaced(const QString& value, int caret) const;
    QString PredictPastedText(const QString& clip) const;

    // ---- number formats with the settings' separators ------------------------------------------
    // Fixed decimals, grouped or not ("%.nn", "%.nf").
    QString FormatFixed(double v, int decimals, bool grouped) const;
    // The general format, at most 15 significant digits ("%g").
    QString FormatGeneral(double v) const;
    static QString FormatHex(std::int64_t v);

private:
    bool isNumberType() const;
    void writeValue(const QString& value);
    void signRule();
    bool numberCommonSteps(QChar& key);
    bool floatRules(QChar& key);
    bool moneyRules(QChar& key);
    void passMarked(QChar key, Qt::KeyboardModifiers shift);

    TEditTypeHost& host;
    TEditTypeSettings s;
};

} // namespace dropdowns
