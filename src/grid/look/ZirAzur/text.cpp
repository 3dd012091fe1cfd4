// Text codecs for multi-line cells, CSV quote helpers, OEM conversion, search and cut helpers,
// cell-text classification and mixed case.

#include "grid/look/ZirAzur.h"

#include "platform/TextCodec.h"

#include <array>

namespace grid::ZirAzur {

namespace {

constexpr QChar CR(13), LF(10), TAB(9), BS(8), VT(11), ESC(27), NUL(0), SOH(1);

QString replaced(QString text, const QString& from, const QString& to)
{
    return text.replace(from, to);
}

// Code page 437, bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kOem437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

char oemByte(QChar c)
{
    if (c.unicode() < 0x80)
        return char(c.unicode());
    for (int i = 0; i < 128; ++i)
        if (kOem437[i] == c.unicode())
            return char(0x80 + i);
    return '?';
}

QChar oemChar(unsigned char b)
{
    return b < 0x80 ? QChar(b) : QChar(kOem437[b - 0x80]);
}

} // namespace

// ---- line-break codecs ---------------------------------------------------------------------

// CR LF pairs keep their historical form (9, 8), so files written before read the same. What the
// historical form could not carry back (a TAB, a CR without LF, characters 1, 8 and 27) is
// escaped with 27 and a letter.
QString EncodeCellLineBreaks(const QString& text)
{
    // A lone LF (or NUL) must be coded too: the text file's reader also ends lines at an LF, so
    // a raw one split the cell and lost or misplaced the rest of its text.
    if (!text.contains(CR) && !text.contains(LF) && !text.contains(NUL) && !text.contains(BS) && !text.contains(ESC))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == CR) {
            if (i + 1 < text.size() && text[i + 1] == LF) {
                out += TAB;
                out += BS;
                ++i;
            } else {
                out += ESC;
                out += QLatin1Char('r');
            }
        } else if (c == LF) {
            out += BS;
        } else if (c == NUL) {
            out += SOH;
        } else if (c == TAB || c == BS || c == SOH || c == ESC) {
            out += ESC;
            out += c == TAB   ? QLatin1Char('t')
                   : c == BS  ? QLatin1Char('b')
                   : c == SOH ? QLatin1Char('a')
                              : QLatin1Char('e');
        } else {
            out += c;
        }
    }
    return out;
}

QString DecodeCellLineBreaks(const QString& text, bool multiLine)
{
    QString out = text;
    if (text.contains(BS) || text.contains(ESC)) {
        out.clear();
        out.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == TAB) {
                out += CR;
            } else if (c == BS) {
                out += LF;
            } else if (c == SOH) {
                out += NUL;
            } else if (c == ESC && i + 1 < text.size()) {
                const QChar e = text[i + 1];
                const char16_t mapped = e == QLatin1Char('r')   ? 13
                                        : e == QLatin1Char('t') ? 9
                                        : e == QLatin1Char('b') ? 8
                                        : e == QLatin1Char('a') ? 1
                                        : e == QLatin1Char('e') ? 27
                                                                : 0;
                if (mapped) {
                    out += QChar(mapped);
                    ++i;
                } else {
                    out += c;
                }
            } else {
                out += c;
            }
        }
    }
    if (!multiLine) {
        QString first;
        CutFirstLine(out, false, first);
        return first;
    }
    return out;
}

QString QuoteMultilineField(const QString& text)
{
    return QLatin1Char('"') + replaced(text, QStringLiteral("\r\n"), QString(VT)) + QLatin1Char('"');
}

QString VTabToLineBreaks(const QString& text)
{
    if (!text.contains(VT))
        return text;
    return replaced(text, QString(VT), QStringLiteral("\r\n"));
}

QString LineBreaksToTilde(const QString& text)
{
    QString out = text;
    out.remove(LF);
    return out.replace(CR, QLatin1Char('~'));
}

QString TildeToLineBreaks(const QString& text)
{
    const QString out = replaced(text, QStringLiteral("~"), QStringLiteral("\r\n"));
    return out == QLatin1String("^") ? QString() : out;
}

QString LineBreaksToEscaped(const QString& text)
{
    QString out = text;
    out.remove(LF);
    return out.replace(CR, QStringLiteral("\\n"));
}

QString EscapedToLineBreaks(const QString& text)
{
    return replaced(text, QStringLiteral("\\n"), QString(CR));
}

QString LineBreaksToHtml(const QString& text)
{
    if (!text.contains(CR))
        return text;
    return replaced(text, QString(CR), QStringLiteral("<br>"));
}

QString CrLfToLf(const QString& text)
{
    return replaced(text, QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString StripCR(const QString& text)
{
    QString out = text;
    return out.remove(CR);
}

QString CRToLF(const QString& text)
{
    QString out = text;
    return out.replace(CR, LF);
}

// ---- CSV quote helpers ---------------------------------------------------------------------

QString DoubleQuoteChars(const QString& text)
{
    return replaced(text, QStringLiteral("\""), QStringLiteral("\"\""));
}

QString UndoubleChar(QChar ch, const QString& text)
{
    if (!text.contains(ch))
        return text;
    return replaced(text, QString(2, ch), QString(ch));
}

int FindUnpairedQuote(QChar ch, const QString& text, int& position)
{
    int run = 0;
    position = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == ch) {
            if (i == text.size() - 1) {
                position = int(i + 1);
                return position;
            }
            ++run;
        } else if (run % 2 == 1) {
            position = int(i);
            return position;
        } else {
            run = 0;
        }
    }
    return 0;
}

int CountUnpairedQuotes(QChar ch, const QString& text)
{
    int count = 0;
    QString rest = text;
    int pos = 0;
    while (FindUnpairedQuote(ch, rest, pos) > 0) {
        ++count;
        rest = rest.mid(pos);
    }
    return count;
}

int CountChar(QChar ch, const QString& text)
{
    return int(text.count(ch));
}

// ---- OEM code page -------------------------------------------------------------------------

QString TextToOem(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes += oemByte(c);
    return platform::fromAnsi(bytes);
}

QString OemToText(const QString& text)
{
    const QByteArray bytes = platform::toAnsi(text);
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out += oemChar(static_cast<unsigned char>(b));
    return out;
}

// ---- search and cut helpers ----------------------------------------------------------------

int CharPos(QChar ch, const QString& text)
{
    return int(text.indexOf(ch) + 1);
}

int CharPosVar(QChar ch, const QString& text, int& position)
{
    const int p = CharPos(ch, text);
    if (p > 0)
        position = p;
    return p;
}

int VarPos(const QString& sub, const QString& text, int& position)
{
    position = int(text.indexOf(sub) + 1);
    return position;
}

int UpperTextPos(const QString& tag, const QString& text)
{
    QString upper = text;
    for (QChar& c : upper)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return int(upper.indexOf(tag) + 1);
}

QString CutFirstField(QString& text, QChar separator)
{
    const qsizetype p = text.indexOf(separator);
    if (p < 0)
        return QString();
    const QString field = text.left(p);
    text.remove(0, p + 1);
    return field;
}

void CutFirstLine(QString& text, bool keepRest, QString& firstLine)
{
    const qsizetype p = text.indexOf(CR);
    if (p < 0) {
        firstLine = text;
        text.clear();
        return;
    }
    firstLine = text.left(p);
    if (!keepRest) {
        text.clear();
        return;
    }
    qsizetype restStart = p + 1;
    if (restStart < text.size() && text[restStart] == LF)
        ++restStart;
    text = text.mid(restStart);
}

int CountTextLines(const QString& text, bool multiLine)
{
    return multiLine ? 1 + int(text.count(CR)) : 1;
}

QString JoinStrings(const QStringList& strings)
{
    return strings.join(QString());
}

void FillChars(QString& text, QChar ch)
{
    text.fill(ch);
}

// System colours are resolved first, so a system colour gives the colour it shows.
QString ColorToHexRGB(TColor color)
{
    const TColor c = platform::colorToRGB(color);
    return QStringLiteral("%1%2%3")
        .arg(platform::getRValue(c), 2, 16, QLatin1Char('0'))
        .arg(platform::getGValue(c), 2, 16, QLatin1Char('0'))
        .arg(platform::getBValue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// ---- cell-text tests -----------------------------------------------------------------------

// Asked of every cell a file writer saves: looks at the text in place, without a copy.
int GetCellTextKind(const QString& text, bool markupEnabled)
{
    if (text.isEmpty())
        return ctkPlain;
    if (text[0] == QLatin1Char('='))
        return ctkFormula;
    if (text.startsWith(QLatin1String("|\\"))) {
        if (text.size() > 4 && text[3] == QLatin1Char('=') && text[4] == NUL)
            return ctkFormula;
        return ctkWide;
    }
    if (text.startsWith(QLatin1String("{\\")))
        return ctkRichText;
    if (markupEnabled) {
        // "</", "<B", "<I" or "<C" anywhere
        for (qsizetype i = text.indexOf(QLatin1Char('<')); i >= 0 && i + 1 < text.size();
             i = text.indexOf(QLatin1Char('<'), i + 1)) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('/') || next == QLatin1Char('B') || next == QLatin1Char('I')
                || next == QLatin1Char('C'))
                return ctkMarkup;
        }
    }
    return ctkPlain;
}

bool TextIsUrl(const QString& text)
{
    return text.contains(QLatin1String("://")) || text.contains(QLatin1String("mailto:"));
}

void StripUrlScheme(QString& text)
{
    qsizetype p = text.indexOf(QLatin1String("://"));
    if (p >= 0) {
        text.remove(0, p + 3);
        return;
    }
    p = text.indexOf(QLatin1String("mailto:"));
    if (p >= 0)
        text.remove(0, p + 7);
}

bool ParseCellAnchor(const QString& text, TPoint& cell)
{
    const QString t = text.toUpper();
    if (t.size() <= 3 || t[0] != QLatin1Char('R'))
        return false;
    const qsizetype c = t.indexOf(QLatin1Char('C'), 1);
    if (c < 0)
        return false;
    bool okRow = false, okCol = false;
    const int row = t.mid(1, c - 1).toInt(&okRow);
    const int col = t.mid(c + 1).toInt(&okCol);
    if (!okRow || !okCol)
        return false;
    cell = {col, row};
    return true;
}

bool IsMixedCaseBreak(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char(',') || ch == QLatin1Char('.') || ch == QLatin1Char('-')
           || ch == QLatin1Char('\'');
}

QString ToMixedCase(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool capitalise = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (IsMixedCaseBreak(c)) {
            capitalise = true;
            out += c;
        } else if (capitalise) {
            out += c.toUpper();
            capitalise = false;
        } else {
            out += c.toLower();
        }
        const qsizetype pos = i + 1; // 1-based
        if (out == QLatin1String("Mc"))
            capitalise = true;
        const qsizetype mc = out.indexOf(QLatin1String(" Mc"));
        if (mc >= 0 && pos == mc + 1 + 2 && pos > 2)
            capitalise = true;
        if (pos >= n - 2 && (out.endsWith(QLatin1String(" I")) || out.endsWith(QLatin1String(" II"))))
            capitalise = true;
    }
    return out;
}

} // namespace grid::ZirAzur
