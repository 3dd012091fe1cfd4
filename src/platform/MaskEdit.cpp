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
    case 'L': return QLatin1Char('A');
    case 'l': return QLatin1Char('a');
    case 'A': return QLatin1Char('N');
    case 'a': return QLatin1Char('n');
    case 'C': return QLatin1Char('X');
    case 'c': return QLatin1Char('x');
    case '0': return QLatin1Char('9');
    case '9': return QLatin1Char('0');
    case '#': return QLatin1Char('#');
    default: return QChar();
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

} // namespace platform
