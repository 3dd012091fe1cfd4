#include "platform/MaskEdit.h"

#include "platform/Locale.h"

#include <QApplication>
#include <QStringList>

namespace platform {

namespace {

// Characters Qt reads as mask characters: as literals they need a backslash.
bool qtSpecial(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90DdHhBb#><![]{}\\;");
    return special.contains(c);
}

// A platform input character and its Qt equivalent; 0 when c is none.
QChar qtInput(QChar c)
{
    switch (c.unicode()) {
    case 'L':
        return QLatin1Char('A');
    case 'l':
        return QLatin1Char('a');
    case 'A':
        return QLatin1Char('N');
    case 'a':
        return QLatin1Char('n');
    case 'C':
        return QLatin1Char('X');
    case 'c':
        return QLatin1Char('x');
    case '0':
        return QLatin1Char('9');
    case '9':
        return QLatin1Char('0');
    case '#':
        return QLatin1Char('#');
    default:
        return QChar();
    }
}

} // namespace

TEditMask Translate_Edit_Mask(const QString& mask, QChar timeSeparator, QChar dateSeparator)
{
    TEditMask out;
    if (mask.isEmpty())
        return out;
    // The fields: the last two are the save flag and the blank, when there are three.
    QString body = mask;
    const QStringList fields = mask.split(QLatin1Char(';'));
    if (fields.size() >= 3) {
        body = fields.mid(0, fields.size() - 2).join(QLatin1Char(';'));
        out.saveLiterals = fields[fields.size() - 2].trimmed() != QLatin1String("0");
        if (!fields.back().isEmpty())
            out.blank = fields.back().front();
    } else if (fields.size() == 2) {
        body = fields[0];
        out.saveLiterals = fields[1].trimmed() != QLatin1String("0");
    }
    const auto literal = [&](QChar c) {
        if (qtSpecial(c))
            out.qtMask += QLatin1Char('\\');
        out.qtMask += c;
        out.literal.push_back(true);
    };
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('\\')) {
            if (i + 1 < body.size())
                literal(body[++i]);
            continue;
        }
        if (c == QLatin1Char('<') && i + 1 < body.size() && body[i + 1] == QLatin1Char('>')) {
            out.qtMask += QLatin1Char('!');
            ++i;
            continue;
        }
        if (c == QLatin1Char('>') || c == QLatin1Char('<')) {
            out.qtMask += c;
            continue;
        }
        if (c == QLatin1Char('!'))
            continue;
        if (c == QLatin1Char(':')) {
            literal(timeSeparator);
            continue;
        }
        if (c == QLatin1Char('/')) {
            literal(dateSeparator);
            continue;
        }
        if (c == QLatin1Char('_')) {
            literal(QLatin1Char(' '));
            continue;
        }
        if (const QChar q = qtInput(c); !q.isNull()) {
            out.qtMask += q;
            out.literal.push_back(false);
            continue;
        }
        literal(c);
    }
    out.qtMask += QLatin1Char(';');
    out.qtMask += out.blank;
    return out;
}

TCustomMaskEdit::TCustomMaskEdit(QWidget* parent) : QLineEdit(parent), Beep([] { QApplication::beep(); }) {}

void TCustomMaskEdit::SetEditMask(const QString& mask)
{
    mask_ = mask;
    translated_ = Translate_Edit_Mask(mask, timeSeparator(), dateSeparator());
    setInputMask(translated_.qtMask);
}

QString TCustomMaskEdit::Text() const
{
    if (!IsMasked())
        return text();
    const QString shown = displayText();
    QString out;
    out.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const bool isLiteral = size_t(i) < translated_.literal.size() && translated_.literal[size_t(i)];
        if (isLiteral && !translated_.saveLiterals)
            continue;
        out += (!isLiteral && shown[i] == translated_.blank) ? QLatin1Char(' ') : shown[i];
    }
    return out;
}

void TCustomMaskEdit::SetText(const QString& text)
{
    // Qt fills the input places in order and skips a literal it meets in the text, so both the
    // stored and the shown form land in place.
    setText(text);
}

void TCustomMaskEdit::SetEditRect(const QRect& r)
{
    editRect_ = r;
    const QRect area = contentsRect();
    setTextMargins(std::max(0, r.left()), std::max(0, r.top()), std::max(0, area.width() - r.right() - 1),
                   std::max(0, area.height() - r.bottom() - 1));
}

// ---- the platform's own mask rules ------------------------------------------------------------

TMaskEngine::TMaskEngine(const QString& mask, QChar timeSeparator, QChar dateSeparator)
{
    if (mask.isEmpty())
        return;
    QString body = mask;
    const QStringList fields = mask.split(QLatin1Char(';'));
    if (fields.size() >= 3) {
        body = fields.mid(0, fields.size() - 2).join(QLatin1Char(';'));
        saveLiterals_ = fields[fields.size() - 2].trimmed() != QLatin1String("0");
        if (!fields.back().isEmpty())
            blank_ = fields.back().front();
    } else if (fields.size() == 2) {
        body = fields[0];
        saveLiterals_ = fields[1].trimmed() != QLatin1String("0");
    }
    int caseMode = 0;
    const auto literal = [&](QChar c) { places_.push_back({c, true, 0}); };
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('\\')) {
            if (i + 1 < body.size())
                literal(body[++i]);
            continue;
        }
        if (c == QLatin1Char('<') && i + 1 < body.size() && body[i + 1] == QLatin1Char('>')) {
            caseMode = 0;
            ++i;
            continue;
        }
        if (c == QLatin1Char('>') || c == QLatin1Char('<')) {
            caseMode = c == QLatin1Char('>') ? 1 : -1;
            continue;
        }
        if (c == QLatin1Char('!')) {
            leadingBlanks_ = true;
            continue;
        }
        if (c == QLatin1Char(':'))
            literal(timeSeparator);
        else if (c == QLatin1Char('/'))
            literal(dateSeparator);
        else if (c == QLatin1Char('_'))
            literal(QLatin1Char(' '));
        else if (!qtInput(c).isNull())
            places_.push_back({c, false, caseMode});
        else
            literal(c);
    }
}

bool TMaskEngine::IsLiteral(int pos) const
{
    return pos >= 0 && pos < Length() && places_[size_t(pos)].literal;
}

bool TMaskEngine::Accepts(int pos, QChar ch) const
{
    if (pos < 0 || pos >= Length() || places_[size_t(pos)].literal)
        return false;
    const QChar m = places_[size_t(pos)].ch;
    // Optional places take a blank as well.
    const bool optional = m == QLatin1Char('l') || m == QLatin1Char('a') || m == QLatin1Char('c')
                          || m == QLatin1Char('9') || m == QLatin1Char('#');
    if (optional && ch == QLatin1Char(' '))
        return true;
    switch (m.unicode()) {
    case 'L':
    case 'l':
        return ch.isLetter();
    case 'A':
    case 'a':
        return ch.isLetterOrNumber();
    case 'C':
    case 'c':
        return !ch.isNull();
    case '0':
    case '9':
        return ch.isDigit();
    case '#':
        return ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-');
    default:
        return false;
    }
}

QString TMaskEngine::Format(const QString& value) const
{
    const int n = Length();
    QString out(n, blank_);
    // Walks the places from the start, or from the end with leading blanks; a literal of the
    // value that a place cannot take waits for the literal of the mask it ends the field at.
    const int dir = leadingBlanks_ ? -1 : 1;
    int i = leadingBlanks_ ? n - 1 : 0;
    int j = leadingBlanks_ ? int(value.size()) - 1 : 0;
    const auto valueLeft = [&] { return j >= 0 && j < value.size(); };
    const auto literalAhead = [&](QChar c) {
        for (int k = i; k >= 0 && k < n; k += dir)
            if (places_[size_t(k)].literal && places_[size_t(k)].ch == c)
                return true;
        return false;
    };
    while (i >= 0 && i < n) {
        const Place& place = places_[size_t(i)];
        if (place.literal) {
            out[i] = place.ch;
            if (valueLeft() && value[j] == place.ch)
                j += dir;
            i += dir;
            continue;
        }
        if (!valueLeft()) {
            i += dir;
            continue;
        }
        const QChar c = value[j];
        if (c == blank_ || c == QLatin1Char(' ')) {
            j += dir;
            i += dir;
        } else if (Accepts(i, c)) {
            out[i] = place.caseMode > 0 ? c.toUpper() : place.caseMode < 0 ? c.toLower() : c;
            j += dir;
            i += dir;
        } else if (literalAhead(c)) {
            i += dir;
        } else {
            j += dir;
        }
    }
    return out;
}

QString TMaskEngine::Stored(const QString& shown) const
{
    QString out;
    for (int i = 0; i < shown.size(); ++i) {
        const bool lit = i >= Length() || places_[size_t(i)].literal;
        if (lit && i < Length() && !saveLiterals_)
            continue;
        out += !lit && shown[i] == blank_ ? QChar(QLatin1Char(' ')) : shown[i];
    }
    return out;
}

bool TMaskEngine::TypeChar(QString& shown, int& caret, QChar ch) const
{
    if (shown.size() != Length())
        shown = Format(shown);
    int pos = std::max(0, caret);
    while (pos < Length() && IsLiteral(pos))
        ++pos;
    if (pos >= Length() || !Accepts(pos, ch))
        return false;
    const int caseMode = places_[size_t(pos)].caseMode;
    shown[pos] = ch == QLatin1Char(' ') ? blank_ : caseMode > 0 ? ch.toUpper() : caseMode < 0 ? ch.toLower() : ch;
    caret = pos + 1;
    while (caret < Length() && IsLiteral(caret))
        ++caret;
    return true;
}

void TMaskEngine::Clear(QString& shown, int from, int to) const
{
    if (shown.size() != Length())
        shown = Format(shown);
    for (int i = std::max(0, from); i < std::min(to, Length()); ++i)
        if (!IsLiteral(i))
            shown[i] = blank_;
}

int TMaskEngine::PreviousPlace(int caret) const
{
    for (int i = std::min(caret, Length()) - 1; i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

} // namespace platform
