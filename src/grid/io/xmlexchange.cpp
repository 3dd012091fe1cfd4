// XML exchange: a list of records of field elements out, any document's elements and
// attributes in.
//
// The writer encodes the file as its declaration says (UTF-8, or a one-byte code page with
// character references for what it lacks), so every XML parser reads it. Its escaping keeps
// the format's own ampersand "$amp;"; the reader lets the parser resolve the entities and then
// undoes only that, so a text is decoded exactly once ("&lt;" in a cell comes back as "&lt;").

#include "grid/QvGrid.h"

#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

namespace grid {

namespace {

QString cannotCreateText(const QString& fileName)
{
    return QStringLiteral("Cannot Create file ") + fileName;
}

// The format's escaping of a cell text.
QString escapeXmlText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("$amp;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        // Parsers turn a line break into a bare LF: a CR is kept as its reference.
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        default:
            // Other control characters cannot appear in an XML 1.0 document at all.
            if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n')
                out += c;
        }
    }
    return out;
}

QString unescapeXmlText(QString text)
{
    return text.replace(QLatin1String("$amp;"), QLatin1String("&"));
}

enum class XmlCharset { Utf8, Utf16, Latin1, Ansi, Ascii };

XmlCharset charsetOf(const QString& encoding)
{
    const QString e = encoding.trimmed().toLower();
    if (e == QLatin1String("utf-8") || e == QLatin1String("utf8"))
        return XmlCharset::Utf8;
    if (e == QLatin1String("utf-16") || e == QLatin1String("utf16"))
        return XmlCharset::Utf16;
    if (e == QLatin1String("iso-8859-1") || e == QLatin1String("latin1") || e == QLatin1String("iso_8859-1"))
        return XmlCharset::Latin1;
    if (e == QLatin1String("windows-1252") || e == QLatin1String("cp1252"))
        return XmlCharset::Ansi;
    return XmlCharset::Ascii; // any other declared encoding holds ASCII
}

// Text in the declared charset; a character it lacks becomes a character reference.
QByteArray encodeXml(const QString& text, XmlCharset charset)
{
    if (charset == XmlCharset::Utf8)
        return text.toUtf8();
    if (charset == XmlCharset::Utf16) {
        QByteArray b(2 + text.size() * 2, Qt::Uninitialized);
        b[0] = '\xFF';
        b[1] = '\xFE';
        qToLittleEndian<quint16>(text.utf16(), text.size(), b.data() + 2);
        return b;
    }
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        bool fits = code < 0x80 || (charset == XmlCharset::Latin1 && code <= 0xFF);
        if (!fits && charset == XmlCharset::Ansi && code <= 0xFFFF && platform::isAnsiRepresentable(QString(c))) {
            out += platform::toAnsi(QString(c));
            continue;
        }
        if (fits)
            out += char(code);
        else
            out += "&#" + QByteArray::number(uint(code)) + ';';
    }
    return out;
}

// The encoding named by the document's declaration, empty when there is none.
QString declaredEncoding(const QByteArray& bytes)
{
    static const QRegularExpression kEncoding(QStringLiteral("^<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    return kEncoding.match(QString::fromLatin1(bytes.left(200))).captured(1);
}

// All text below an element, as a DOM's text property gives it. Walked in document order
// without recursion: a file's nesting depth must not decide the stack it takes.
QString textOf(pugi::xml_node node)
{
    auto isText = [](pugi::xml_node n) { return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata; };
    if (isText(node))
        return platform::xml::toQString(node.value());
    QString out;
    pugi::xml_node n = node.first_child();
    while (n) {
        if (isText(n))
            out += platform::xml::toQString(n.value());
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (!n.next_sibling()) {
            n = n.parent();
            if (!n || n == node)
                return out;
        }
        n = n.next_sibling();
    }
    return out;
}

int lineOf(const QByteArray& bytes, ptrdiff_t offset)
{
    offset = std::clamp<ptrdiff_t>(offset, 0, bytes.size());
    return 1 + int(std::count(bytes.cbegin(), bytes.cbegin() + offset, '\n'));
}

} // namespace

void TQvStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                              const QStringList* FieldDescr, bool ExportEmptyCells)
{
    QString out;
    auto line = [&](const QString& s) {
        out += s;
        out += QLatin1String("\r\n");
    };
    line(QStringLiteral("<?xml version=\"1.0\" encoding=\"") + XMLEncoding + QStringLiteral("\" ?>"));
    line(QLatin1Char('<') + ListDescr + QLatin1Char('>'));
    ExportNotification(esExportStart, SaveStartRow());
    const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
    short lastPercent = -1;
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        line(QLatin1Char('<') + RecordDescr + QLatin1Char('>'));
        for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
            // The text and the merge are those of one column, the real one.
            const int real = SaveHiddenCells ? c : RealColFromDispl(c);
            if (!IsBaseCell(real, r))
                continue;
            GetSaveCellText(real, r, text);
            if (text.isEmpty() && !ExportEmptyCells)
                continue;
            if (text.isEmpty() && QuoteEmptyCells)
                text = QStringLiteral("\"\"");
            const int i = c - SaveStartCol();
            const QString name =
                FieldDescr && i < FieldDescr->size() ? FieldDescr->at(i) : QStringLiteral("FIELD") + QString::number(i);
            line(QLatin1Char('<') + name + QLatin1Char('>') + escapeXmlText(text) + QStringLiteral("</") + name
                 + QLatin1Char('>'));
        }
        line(QStringLiteral("</") + RecordDescr + QLatin1Char('>'));
        if (OnFileProgress) {
            const short percent = short(std::nearbyint(100.0 * r / std::max(1, SaveEndRow() - SaveStartRow())));
            if (percent != lastPercent) {
                lastPercent = percent;
                OnFileProgress(this, percent);
            }
        }
    }
    line(QStringLiteral("</") + ListDescr + QLatin1Char('>'));
    ExportNotification(esExportDone, -1);
    if (!platform::replaceFile(FileName, encodeXml(out, charsetOf(XMLEncoding))))
        throw EQvGridError(cannotCreateText(FileName));
}

void TQvStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    QFile file(FileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        throw EQvGridError(QStringLiteral("XML file not found"));
    QByteArray bytes = file.readAll();
    pugi::xml_document doc;
    // The parser knows the UTF forms and ISO-8859-1; our own writer also declares the ANSI
    // code page, which is read here.
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (charsetOf(declaredEncoding(bytes)) == XmlCharset::Ansi) {
        bytes = platform::fromAnsi(bytes).toUtf8();
        encoding = pugi::encoding_utf8;
    }
    const pugi::xml_parse_result parsed =
        doc.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default, encoding);
    if (parsed.status != pugi::status_ok)
        throw EQvGridError(QStringLiteral("XMLDOM Parsing error ") + QString::number(int(parsed.status))
                           + QStringLiteral(" on line ") + QString::number(lineOf(bytes, parsed.offset)));

    const bool headers = SaveFixedCells || SaveFixedRows;
    const int s = SaveStartCol();
    const int t = headers && !LoadFieldDescr ? 0 : FixedRows();
    int colOff = 0, rowOff = 0, level = 1;
    int maxCol = s, maxRow = t;
    bool recordRowDone = false;

    // Makes the cell exist; false for a place above the grid.
    auto reach = [&](int c, int r) {
        if (r < 0 || c < 0)
            return false;
        if (c >= TotalColCount())
            SetColCount(c + 1 - NumHiddenColumns());
        if (r >= RowCount())
            SetRowCount(r + 1);
        return true;
    };
    auto store = [&](const QString& name, const QString& value, bool header) {
        const int c = s + colOff, r = t + rowOff;
        if (reach(c, r)) {
            if (header && GetGridCell(c, 0).isEmpty())
                SetGridCell(c, 0, name);
            LoadCellText(c, r, value);
            maxCol = std::max(maxCol, c);
            maxRow = std::max(maxRow, r);
        }
        ++colOff;
    };

    // Every element in document order, children after their parent; nothing happens on the
    // way back up, so a stack of pending nodes replaces recursion and any depth is safe.
    std::vector<pugi::xml_node> pending;
    auto walk = [&](pugi::xml_node top) {
        pending.assign(1, top);
        while (!pending.empty()) {
            const pugi::xml_node e = pending.back();
            pending.pop_back();
            int attributes = 0;
            for (pugi::xml_attribute a : e.attributes()) {
                store(platform::xml::toQString(a.name()), unescapeXmlText(platform::xml::toQString(a.value())),
                      headers);
                ++attributes;
            }
            if (LevelToRow && attributes > 0) {
                ++rowOff;
                colOff = level;
                recordRowDone = true;
            }
            const auto children = e.children();
            const auto count = std::distance(children.begin(), children.end());
            if (count > 1) {
                if (LevelToRow && !recordRowDone) {
                    ++rowOff;
                    colOff = 0;
                }
                ++level;
                for (pugi::xml_node child = e.last_child(); child; child = child.previous_sibling())
                    pending.push_back(child);
            } else if (count == 1) {
                const QString text = textOf(e);
                store(platform::xml::toQString(e.name()),
                      QuoteEmptyCells && text == QLatin1String("\"\"") ? QString() : unescapeXmlText(text),
                      headers && LoadFieldDescr);
            } else {
                const int c = s + colOff, r = t + rowOff;
                if (reach(c, r))
                    LoadCellText(c, r, QString());
                ++colOff;
            }
        }
    };

    int i = 0;
    for (pugi::xml_node record : doc.document_element().children()) {
        if (record.type() != pugi::node_element)
            continue;
        colOff = 0;
        level = 1;
        recordRowDone = false;
        if (LevelToRow && i == 0 && record.first_attribute().empty())
            rowOff = -1;
        walk(record);
        if (!LevelToRow)
            ++rowOff;
        ++i;
    }
    SetColCount(maxCol + 1 - NumHiddenColumns());
    SetRowCount(maxRow + 1);
    CellsChanged({0, 0, ColCount(), RowCount()});
    AfterCellsLoaded();
}

} // namespace grid
