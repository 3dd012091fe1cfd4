// The RTF subset of rich-edit controls read into a QTextDocument, and the document measured and
// drawn for a device.

#include "platform/RichText.h"

#include "platform/TextCodec.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace platform {

namespace {

enum class Dest { Text, FontTable, ColorTable, Skip };

// What a group inherits from its parent and takes back when it closes.
struct GroupState {
    Dest dest = Dest::Text;
    int font = -1;
    int halfPoints = 0; // 0: the document's default size
    int color = 0;      // entry of the colour table; 0 is "auto"
    bool bold = false, italic = false, underline = false, strike = false;
    int offset = 0; // vertical offset in twips (\up, \dn)
    int uc = 1;     // characters that stand in for a \uN
};

// Destinations whose content is no text of the document.
bool isSkippedDestination(const QString& word)
{
    static const char* const names[] = {"stylesheet",   "info",
                                        "pict",         "object",
                                        "header",       "footer",
                                        "headerl",      "headerr",
                                        "headerf",      "footerl",
                                        "footerr",      "footerf",
                                        "listtable",    "listoverridetable",
                                        "revtbl",       "rsidtbl",
                                        "generator",    "xmlnstbl",
                                        "themedata",    "colorschememapping",
                                        "latentstyles", "datastore",
                                        "filetbl",      "fldinst"};
    for (const char* n : names)
        if (word == QLatin1String(n))
            return true;
    return false;
}

class RtfReader {
public:
    RtfReader(QTextDocument& doc, const QString& rtf) : doc(doc), in(rtf), cursor(&doc) {}

    void run()
    {
        doc.clear();
        cursor = QTextCursor(&doc);
        // The base of the group stack: text outside every group still has a state.
        stack.push_back(GroupState{});
        while (pos < in.size()) {
            const QChar ch = in[pos];
            if (ch == QLatin1Char('{')) {
                ++pos;
                flushBytes();
                closeSkipCount();
                stack.push_back(stack.back());
            } else if (ch == QLatin1Char('}')) {
                ++pos;
                flushBytes();
                closeSkipCount();
                if (stack.size() <= 1)
                    break; // unbalanced: the text ends here
                endGroup();
                if (stack.size() == 1)
                    break; // the outermost group closed
            } else if (ch == QLatin1Char('\\')) {
                ++pos;
                controlWord();
            } else {
                ++pos;
                if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n'))
                    continue;
                flushBytes();
                character(ch);
            }
        }
        flushBytes();
        flushRun();
        dropLastParagraphMark();
    }

private:
    GroupState& state() { return stack.back(); }

    void endGroup()
    {
        // The group's text keeps the group's format; the formats may change at its end.
        flushRun();
        if (stack.back().dest == Dest::FontTable)
            finishFontName();
        stack.pop_back();
    }

    // ---- control words and symbols ---------------------------------------------------------
    void controlWord()
    {
        if (pos >= in.size())
            return; // cut off after the backslash
        const QChar ch = in[pos];
        if (!isAsciiLetter(ch)) {
            ++pos;
            controlSymbol(ch);
            return;
        }
        const qsizetype start = pos;
        while (pos < in.size() && isAsciiLetter(in[pos]) && pos - start < 32)
            ++pos;
        const QString word = in.mid(start, pos - start);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos < in.size() && in[pos] == QLatin1Char('-')) {
            negative = true;
            ++pos;
        }
        int digits = 0;
        while (pos < in.size() && in[pos].isDigit() && in[pos].unicode() < 128) {
            // Parameters are 16 or 32-bit numbers; further digits are read and dropped.
            if (digits < 10)
                param = param * 10 + (in[pos].unicode() - '0');
            ++digits;
            ++pos;
        }
        hasParam = digits > 0;
        if (negative)
            param = -param;
        // One blank ends the word and belongs to it.
        if (pos < in.size() && in[pos] == QLatin1Char(' '))
            ++pos;
        param = std::clamp(param, -2147483648LL, 2147483647LL);
        if (word != QLatin1String("u"))
            flushBytes();
        if (skipCount > 0 && word != QLatin1String("u")) {
            --skipCount; // a control word stands in for one character of a \uN
            return;
        }
        apply(word, hasParam, int(param));
    }

    void controlSymbol(QChar ch)
    {
        switch (ch.unicode()) {
        case '\'': {
            // Two hexadecimal digits; a cut-off or broken escape gives nothing.
            const QString hh = in.mid(pos, 2);
            const auto digits = std::find_if(hh.begin(), hh.end(),
                                             [](QChar c) { return c.unicode() >= 128 || !std::isxdigit(c.unicode()); })
                                - hh.begin();
            pos += digits;
            if (digits < 2)
                return;
            if (skipCount > 0) {
                --skipCount;
                return;
            }
            if (state().dest == Dest::Skip || state().dest == Dest::ColorTable)
                return;
            bytes.append(char(hh.toInt(nullptr, 16)));
            return;
        }
        case '*':
            state().dest = Dest::Skip;
            return;
        case '\\':
        case '{':
        case '}':
            flushBytes();
            character(ch);
            return;
        case '~':
            flushBytes();
            character(QChar(0x00A0));
            return;
        case '_':
            flushBytes();
            character(QChar(0x2011));
            return;
        case '\r':
        case '\n':
            flushBytes();
            apply(QStringLiteral("par"), false, 0);
            return;
        default:
            return; // "\-" and other symbols show nothing
        }
    }

    void apply(const QString& word, bool hasParam, int param)
    {
        GroupState& s = state();
        if (word == QLatin1String("fonttbl")) {
            s.dest = Dest::FontTable;
            return;
        }
        if (word == QLatin1String("colortbl")) {
            s.dest = Dest::ColorTable;
            colors.clear();
            pendingColor = {};
            return;
        }
        if (isSkippedDestination(word)) {
            s.dest = Dest::Skip;
            return;
        }
        if (s.dest == Dest::Skip)
            return;
        if (s.dest == Dest::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            if (word == QLatin1String("red"))
                pendingColor.r = v, pendingColor.set = true;
            else if (word == QLatin1String("green"))
                pendingColor.g = v, pendingColor.set = true;
            else if (word == QLatin1String("blue"))
                pendingColor.b = v, pendingColor.set = true;
            return;
        }
        if (s.dest == Dest::FontTable) {
            if (word == QLatin1String("f") && hasParam) {
                finishFontName();
                fontIndex = param;
                fontName.clear();
            }
            return;
        }
        const bool on = !hasParam || param != 0;
        if (word == QLatin1String("par")) {
            flushRun();
            cursor.insertBlock();
            lastWasParagraphMark = true;
        } else if (word == QLatin1String("line")) {
            character(QChar::LineSeparator);
        } else if (word == QLatin1String("tab")) {
            character(QLatin1Char('\t'));
        } else if (word == QLatin1String("u") && hasParam) {
            flushBytes();
            character(QChar(char16_t(param < 0 ? param + 65536 : param)));
            skipCount = s.uc;
        } else if (word == QLatin1String("uc") && hasParam) {
            s.uc = std::clamp(param, 0, 16);
        } else if (word == QLatin1String("f") && hasParam) {
            setFormat(s.font, param);
        } else if (word == QLatin1String("fs") && hasParam) {
            setFormat(s.halfPoints, std::clamp(param, 0, 3276));
        } else if (word == QLatin1String("cf") && hasParam) {
            setFormat(s.color, std::max(param, 0));
        } else if (word == QLatin1String("b")) {
            setFormat(s.bold, on);
        } else if (word == QLatin1String("i")) {
            setFormat(s.italic, on);
        } else if (word == QLatin1String("ul")) {
            setFormat(s.underline, on);
        } else if (word == QLatin1String("ulnone")) {
            setFormat(s.underline, false);
        } else if (word == QLatin1String("strike")) {
            setFormat(s.strike, on);
        } else if (word == QLatin1String("up")) {
            // The parameter counts half points; 6 when none is given.
            setFormat(s.offset, std::clamp(hasParam ? param : 6, 0, 3276) * 10);
        } else if (word == QLatin1String("dn")) {
            setFormat(s.offset, -std::clamp(hasParam ? param : 6, 0, 3276) * 10);
        } else if (word == QLatin1String("plain")) {
            flushRun();
            s.font = -1;
            s.halfPoints = 0;
            s.color = 0;
            s.offset = 0;
            s.bold = s.italic = s.underline = s.strike = false;
        } else if (word == QLatin1String("emdash")) {
            character(QChar(0x2014));
        } else if (word == QLatin1String("endash")) {
            character(QChar(0x2013));
        } else if (word == QLatin1String("bullet")) {
            character(QChar(0x2022));
        } else if (word == QLatin1String("lquote")) {
            character(QChar(0x2018));
        } else if (word == QLatin1String("rquote")) {
            character(QChar(0x2019));
        } else if (word == QLatin1String("ldblquote")) {
            character(QChar(0x201C));
        } else if (word == QLatin1String("rdblquote")) {
            character(QChar(0x201D));
        }
    }

    template <class T>
    void setFormat(T& field, T value)
    {
        if (field == value)
            return;
        flushRun();
        field = value;
    }

    // ---- text ------------------------------------------------------------------------------
    void character(QChar ch)
    {
        if (skipCount > 0) {
            --skipCount;
            return;
        }
        GroupState& s = state();
        switch (s.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            if (ch == QLatin1Char(';'))
                finishFontName();
            else
                fontName.append(ch);
            return;
        case Dest::ColorTable:
            if (ch == QLatin1Char(';')) {
                colors.push_back(pendingColor);
                pendingColor = {};
            }
            return;
        case Dest::Text:
            pending.append(ch);
            lastWasParagraphMark = false;
            return;
        }
    }

    // \'hh bytes are gathered so a run of them decodes at once.
    void flushBytes()
    {
        if (bytes.isEmpty())
            return;
        const QString text = fromAnsi(bytes);
        bytes.clear();
        for (QChar ch : text)
            character(ch);
    }

    void flushRun()
    {
        if (pending.isEmpty())
            return;
        cursor.insertText(pending, charFormat());
        pending.clear();
    }

    QTextCharFormat charFormat() const
    {
        const GroupState& s = stack.back();
        QTextCharFormat f;
        if (s.font >= 0) {
            const auto it = fonts.find(s.font);
            if (it != fonts.end() && !it->second.isEmpty())
                f.setFontFamilies({it->second});
        }
        if (s.halfPoints > 0)
            f.setFontPointSize(s.halfPoints / 2.0);
        if (s.color > 0 && s.color < int(colors.size()) && colors[size_t(s.color)].set) {
            const Color& c = colors[size_t(s.color)];
            f.setForeground(QColor(c.r, c.g, c.b));
        }
        if (s.bold)
            f.setFontWeight(QFont::Bold);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        f.setFontStrikeOut(s.strike);
        setCharOffset(f, s.offset);
        return f;
    }

    void finishFontName()
    {
        if (fontIndex >= 0) {
            QString name = fontName.trimmed();
            fonts[fontIndex] = name;
        }
        fontIndex = -1;
        fontName.clear();
    }

    void closeSkipCount() { skipCount = 0; }

    // Rich-edit controls end every paragraph with \par, the last one too; that mark opens no
    // paragraph of its own.
    void dropLastParagraphMark()
    {
        if (!lastWasParagraphMark || doc.blockCount() < 2)
            return;
        QTextCursor c(&doc);
        c.movePosition(QTextCursor::End);
        c.deletePreviousChar();
    }

    static bool isAsciiLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    }
    struct Color {
        int r = 0, g = 0, b = 0;
        bool set = false;
    };

    QTextDocument& doc;
    const QString& in;
    qsizetype pos = 0;
    QTextCursor cursor;
    std::vector<GroupState> stack;
    std::map<int, QString> fonts;
    std::vector<Color> colors;
    Color pendingColor;
    int fontIndex = -1;
    QString fontName;
    QString pending; // text not yet inserted, in the current format
    QByteArray bytes;
    int skipCount = 0;
    bool lastWasParagraphMark = false;
};

} // namespace

int charOffset(const QTextCharFormat& f)
{
    return f.intProperty(RichOffsetProperty);
}

void setCharOffset(QTextCharFormat& f, int twips)
{
    f.setProperty(RichOffsetProperty, twips);
    f.setVerticalAlignment(twips > 0   ? QTextCharFormat::AlignSuperScript
                           : twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
}

namespace {

// Escapes one run of text: ASCII as it is, the rest as \uN with '?' for readers without Unicode.
void appendRtfText(QString& out, const QString& text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += QLatin1Char('\\');
            out += ch;
        } else if (u == '\t') {
            out += QLatin1String("\\tab ");
        } else if (ch == QChar::LineSeparator) {
            out += QLatin1String("\\line ");
        } else if (u >= 0x20 && u < 0x80) {
            out += ch;
        } else if (u >= 0x20) {
            out += QStringLiteral("\\u%1?").arg(int(qint16(u)));
        }
    }
}

int tableIndex(QStringList& table, const QString& entry)
{
    qsizetype i = table.indexOf(entry);
    if (i < 0) {
        table.append(entry);
        i = table.size() - 1;
    }
    return int(i);
}

} // namespace

QString saveRtf(const QTextDocument& doc)
{
    QStringList fonts;
    QStringList colors; // "\redR\greenG\blueB;" entries after the auto entry 0
    QString body;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            body += QLatin1String("\\par ");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid())
                continue;
            const QTextCharFormat f = frag.charFormat();
            QString words;
            if (f.hasProperty(QTextFormat::FontFamilies)) {
                const QStringList fam = f.fontFamilies().toStringList();
                if (!fam.isEmpty())
                    words += QStringLiteral("\\f%1").arg(tableIndex(fonts, fam.first()));
            }
            if (f.hasProperty(QTextFormat::FontPointSize))
                words += QStringLiteral("\\fs%1").arg(qRound(f.fontPointSize() * 2));
            if (f.hasProperty(QTextFormat::ForegroundBrush)) {
                const QColor c = f.foreground().color();
                const QString e = QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
                words += QStringLiteral("\\cf%1").arg(tableIndex(colors, e) + 1);
            }
            if (f.fontWeight() >= QFont::Bold)
                words += QLatin1String("\\b");
            if (f.fontItalic())
                words += QLatin1String("\\i");
            if (f.fontUnderline())
                words += QLatin1String("\\ul");
            if (f.fontStrikeOut())
                words += QLatin1String("\\strike");
            if (const int off = charOffset(f); off != 0)
                words += QStringLiteral("\\%1%2")
                             .arg(off > 0 ? QLatin1String("up") : QLatin1String("dn"))
                             .arg(std::abs(off) / 10);
            // A run with its own format is a group, so it needs no \plain to end it.
            if (words.isEmpty()) {
                appendRtfText(body, frag.text());
            } else {
                body += QLatin1Char('{') + words + QLatin1Char(' ');
                appendRtfText(body, frag.text());
                body += QLatin1Char('}');
            }
        }
    }
    QString out = QStringLiteral("{\\rtf1\\ansi");
    if (!fonts.isEmpty()) {
        out += QLatin1String("{\\fonttbl");
        for (int i = 0; i < fonts.size(); ++i)
            out += QStringLiteral("{\\f%1 %2;}").arg(i).arg(fonts[i]);
        out += QLatin1Char('}');
    }
    if (!colors.isEmpty())
        out += QLatin1String("{\\colortbl ;") + colors.join(QString()) + QLatin1Char('}');
    // A space ends the control word \ansi; after a table's brace it would be text.
    if (fonts.isEmpty() && colors.isEmpty())
        out += QLatin1Char(' ');
    out += body + QLatin1Char('}');
    return out;
}

void loadRtf(QTextDocument& doc, const QString& rtf)
{
    RtfReader(doc, rtf).run();
}

QString richPlainText(const QTextDocument& doc)
{
    QString text = doc.toPlainText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QString rtfToPlainText(const QString& rtf)
{
    QTextDocument doc;
    loadRtf(doc, rtf);
    return richPlainText(doc);
}

QSize richTextSize(QTextDocument& doc, int width, QPaintDevice* device)
{
    doc.setDocumentMargin(0);
    // The layout keeps the device only while measuring: it may be gone before the next layout.
    doc.documentLayout()->setPaintDevice(device);
    doc.setTextWidth(width > 0 ? width : -1);
    const QSize size(width > 0 ? width : qCeil(doc.idealWidth()), qCeil(doc.size().height()));
    doc.documentLayout()->setPaintDevice(nullptr);
    return size;
}

void drawRichText(QPainter& painter, QTextDocument& doc, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    doc.setDocumentMargin(0);
    doc.documentLayout()->setPaintDevice(painter.device());
    doc.setTextWidth(rect.width());
    painter.save();
    // Device coordinates: the caller's mapping does not scale the text a second time.
    painter.resetTransform();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.translate(rect.topLeft());
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.clip = QRectF(0, 0, rect.width(), rect.height());
    doc.documentLayout()->draw(&painter, ctx);
    painter.restore();
    doc.documentLayout()->setPaintDevice(nullptr);
}

} // namespace platform
