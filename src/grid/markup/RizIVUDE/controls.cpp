// Inline CONTROL tags: reading their attributes and rewriting their VALUE inside a cell text,
// which is the only place the controls' state is kept.

#include "grid/markup/RizIVUDE.h"

#include <functional>

namespace grid::RizIVUDE {

QChar QuoteChar = QLatin1Char('"');

namespace {

// The text between the first two quotes after "NAME=" (first occurrence, any case).
QString attribute(const QString& tag, QLatin1String name)
{
    const qsizetype at = tag.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const qsizetype first = tag.indexOf(QuoteChar, at + name.size());
    const qsizetype second = first < 0 ? -1 : tag.indexOf(QuoteChar, first + 1);
    if (second < 0)
        return {};
    return tag.mid(first + 1, second - first - 1);
}

QString quoted(const QString& value)
{
    return QuoteChar + value + QuoteChar;
}

struct TControlSpan {
    qsizetype start; // at the "<"
    qsizetype end;   // just after the ">"
    TControlTag tag;
};

// Calls visit for each CONTROL tag in text order until it answers false.
void forEachControl(const QString& text, const std::function<bool(const TControlSpan&)>& visit)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1Char('<'), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('>'), open + 1);
        if (close < 0)
            return;
        const QString tag = text.mid(open, close + 1 - open);
        if (tag.startsWith(QLatin1String("<CONTROL "), Qt::CaseInsensitive)
            && !visit({open, close + 1, ParseControlTag(tag)}))
            return;
        from = close + 1;
    }
}

bool findControl(const QString& text, const QString& id, TControlSpan& found)
{
    bool hit = false;
    forEachControl(text, [&](const TControlSpan& span) {
        if (span.tag.ID != id)
            return true;
        found = span;
        hit = true;
        return false;
    });
    return hit;
}

} // namespace

bool HasControlTag(const QString& text)
{
    return text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive);
}

TControlTag ParseControlTag(const QString& tagText)
{
    TControlTag t;
    t.Type = attribute(tagText, QLatin1String("TYPE=")).toUpper();
    t.ID = attribute(tagText, QLatin1String("ID="));
    t.Value = DecodeEntities(attribute(tagText, QLatin1String("VALUE=")), true);
    t.Prop = DecodeEntities(attribute(tagText, QLatin1String("PROP=")), true);
    t.MaxLen = attribute(tagText, QLatin1String("MAXLEN="));
    t.Width = attribute(tagText, QLatin1String("WIDTH="));
    t.Height = attribute(tagText, QLatin1String("HEIGHT="));
    return t;
}

QString NextEditControlID(const QString& text, const QString& id)
{
    bool passed = id.isEmpty();
    QString next;
    forEachControl(text, [&](const TControlSpan& span) {
        if (!passed) {
            passed = span.tag.ID == id;
            return true;
        }
        const QString& type = span.tag.Type;
        if (type == QLatin1String("BUTTON") || type == QLatin1String("CHECK") || type == QLatin1String("RADIO"))
            return true;
        next = span.tag.ID;
        return false;
    });
    return next;
}

QString ClearRadioControls(const QString& text)
{
    QStringList radios;
    forEachControl(text, [&](const TControlSpan& span) {
        if (span.tag.Type == QLatin1String("RADIO"))
            radios << span.tag.ID;
        return true;
    });
    QString cleared = text;
    for (const QString& id : radios)
        SetControlValue(cleared, id, QStringLiteral("FALSE"));
    return cleared;
}

bool GetControlValue(const QString& text, const QString& id, QString& value)
{
    TControlSpan span;
    if (!findControl(text, id, span))
        return false;
    value = span.tag.Value;
    return true;
}

QString GetControlProp(const QString& text, const QString& id)
{
    TControlSpan span;
    return findControl(text, id, span) ? span.tag.Prop : QString();
}

int GetControlMaxLen(const QString& text, const QString& id)
{
    TControlSpan span;
    if (!findControl(text, id, span))
        return 0;
    bool ok = false;
    const int maxLen = span.tag.MaxLen.trimmed().toInt(&ok);
    return ok ? maxLen : 0;
}

bool SetControlValue(QString& text, const QString& id, const QString& value)
{
    TControlSpan span;
    if (!findControl(text, id, span))
        return false;
    const TControlTag& old = span.tag;
    QString tag = QLatin1String("<CONTROL ID=") + quoted(id) + QLatin1String(" VALUE=")
                  + quoted(EncodeEntities(value, true)) + QLatin1String(" WIDTH=") + quoted(old.Width)
                  + QLatin1String(" TYPE=") + quoted(old.Type);
    if (!old.Prop.isEmpty())
        tag += QLatin1String(" PROP=") + quoted(EncodeEntities(old.Prop, true));
    if (!old.MaxLen.isEmpty())
        tag += QLatin1String(" MAXLEN=") + quoted(old.MaxLen);
    if (!old.Height.isEmpty())
        tag += QLatin1String(" HEIGHT=") + quoted(old.Height);
    tag += QLatin1Char('>');
    text.replace(span.start, span.end - span.start, tag);
    return true;
}

} // namespace grid::RizIVUDE
