// The clipboard's HTML wrapper, the wide-text cell codec, the date-shape test, the link maker
// of the display-text hook and the layered-window calls.

#include "grid/edit/GridUnitHelpers.h"
#include "grid/look/ZirAzur.h"

#include "platform/TextCodec.h"

namespace grid::ZirAzur {

namespace {

const QLatin1String kWidePrefix("|\\");

// The pieces around the fragment. The header's numbers are byte offsets into the whole text;
// every piece is plain ASCII, so its length in characters is its length in bytes.
constexpr char kDocType[] = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
constexpr char kHead[] = "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">"
                         "</head><body><!--StartFragment-->";
constexpr char kTail[] = "<!--EndFragment--></body></html>";
constexpr int kHeaderLength = 97; // the five header lines with their eight-digit numbers
constexpr int kFragmentStart = kHeaderLength + int(sizeof kDocType - 1) + int(sizeof kHead - 1);
constexpr int kTailLength = int(sizeof kTail - 1);

QString eightDigits(const char* name, int value)
{
    return QString::asprintf("%s%.8d\r\n", name, value);
}

bool isAddressChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')
           || QStringView(u"%()-./:@\\_{}").contains(c);
}

// Upper case one character at a time, so positions in the result are positions in the text.
QString upperSameLength(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = c.toUpper();
    return out;
}

} // namespace

void WrapClipboardHtml(QString& text)
{
    const int n = int(platform::toAnsi(text).size());
    QString out = QStringLiteral("Version:1.0\r\n");
    out += eightDigits("StartHTML:", kHeaderLength);
    out += eightDigits("EndHTML:", kFragmentStart + n + kTailLength);
    out += eightDigits("StartFragment:", kFragmentStart);
    out += eightDigits("EndFragment:", kFragmentStart + n);
    out += QLatin1String(kDocType);
    out += QLatin1String(kHead);
    out += text;
    out += QLatin1String(kTail);
    text = out;
}

QString EncodeWideCellText(const QString& text)
{
    QString out = kWidePrefix;
    out.reserve(2 + 2 * text.size());
    for (const QChar c : text) {
        out += QChar(char16_t(c.unicode() >> 8));
        out += QChar(char16_t(c.unicode() & 0xFF));
    }
    return out;
}

QString DecodeWideCellText(const QString& text)
{
    if (!text.startsWith(kWidePrefix))
        return text;
    QString out;
    out.reserve((text.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < text.size(); i += 2)
        out += QChar(char16_t(text[i].unicode() * 256 + text[i + 1].unicode()));
    return out;
}

int WidePos(const QString& sub, const QString& text)
{
    if (sub.isEmpty())
        return 0;
    return int(text.indexOf(sub) + 1);
}

bool LooksLikeDate(const QString& text)
{
    const QChar sep = LocaleDateSeparator();
    const qsizetype first = text.indexOf(sep);
    if (first < 1)
        return false;
    return text.indexOf(sep, first + 1) > first + 1;
}

bool LinkifyText(const QString& text, const QString& prefix, QString& result)
{
    if (prefix.isEmpty() || !upperSameLength(text).contains(prefix))
        return false;
    QString escaped = text;
    escaped.replace(QLatin1Char('<'), QLatin1String("&lt;")).replace(QLatin1Char('>'), QLatin1String("&gt;"));
    const qsizetype from = upperSameLength(escaped).indexOf(prefix);
    if (from < 0) {
        result = escaped;
        return true;
    }
    qsizetype end = from;
    while (end < escaped.size() && isAddressChar(escaped[end]))
        ++end;
    const QString address = escaped.mid(from, end - from);
    result = escaped.left(from) + QLatin1String("<a href=\"") + address + QLatin1String("\">") + address
             + QLatin1String("</a>") + escaped.mid(end);
    return true;
}

bool CallUpdateLayeredWindow(QWidget*, void*, const TPoint*, const TPoint*, void*, const TPoint*, TColor, const void*,
                             unsigned)
{
    return true;
}

bool CallSetLayeredWindowAttributes(QWidget*, TColor, unsigned char, unsigned)
{
    return true;
}

} // namespace grid::ZirAzur
