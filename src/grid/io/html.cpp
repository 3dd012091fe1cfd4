// HTML export: the grid as a table with one style class per distinct cell look and one cell
// element per base cell with its spans; cell pictures as JPEG files in "images/" beside the
// page. The text serves the file exports and the clipboard's HTML copy.
//
// Plain HTML is written as browsers have always taken it (upper-case tags, bare "nowrap", cell
// texts raw unless special characters are to be converted). With XHTML the same table is
// well-formed XML: lower-case names, every attribute with a value, empty elements closed, the
// markup characters of texts always escaped and character references in place of the named
// entities an XML parser does not know. Link targets are quoted and escaped in both.

#include "grid/QvGrid.h"
#include "grid/look/CellVisuals.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include "platform/ComponentStream.h"
#include "platform/Files.h"
#include "platform/Jpeg.h"
#include "platform/Shell.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QtEndian>

namespace grid {

namespace {

// What differs between the two forms of the output.
struct THtmlDialect {
    const char* tableEnd;
    const char* row;
    const char* rowEnd;
    const char* cell;
    const char* colspan;
    const char* rowspan;
    const char* width;     // header cells
    const char* dataWidth; // data cells
    const char* nowrap;
    const char* lineBreak;
    const char* blank;
    const char* imageEnd;
    const char* htmlEnd;
};

constexpr THtmlDialect kHtml{"</TABLE>", "<TR>",    "</TR>", "<TD class=\"c", " COLSPAN=\"", " ROWSPAN=\"", " WIDTH=",
                             " width=",  " nowrap", "<br>",  "&nbsp;",        ">",           "</HTML>"};
constexpr THtmlDialect kXhtml{"</table>",    "<tr>",    "</tr>",   "<td class=\"c",      " colspan=\"",
                              " rowspan=\"", " width=", " width=", " nowrap=\"nowrap\"", "<br/>",
                              "&#160;",      "/>",      "</html>"};

// Characters outside ASCII as character references, which any XML parser reads.
QString asciiReferences(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out += c;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i]);
        out += QStringLiteral("&#") + QString::number(uint(code)) + QLatin1Char(';');
    }
    return out;
}

QString styleText(const THTMLSettings& h, const TBrush& brush, const TFont& font, TAlignment ha, TVAlignment va)
{
    QStringList d;
    // The look resolution gives every cell both colours, so they are written whenever colours
    // are saved.
    if (h.SaveColor()) {
        d << QStringLiteral("background-color: #") + ZirAzur::ColorToHexRGB(brush.Color);
        d << QStringLiteral("color: #") + ZirAzur::ColorToHexRGB(font.Color);
    }
    d << QStringLiteral("font-size:") + QString::number(font.Size) + QStringLiteral("pt");
    if (font.Style & fsItalic)
        d << QStringLiteral("font-style: italic");
    if (font.Style & fsBold)
        d << QStringLiteral("font-weight: bold");
    d << QStringLiteral("font-family: ") + font.Name;
    if (ha == taRightJustify)
        d << QStringLiteral("text-align: right");
    else if (ha == taCenter)
        d << QStringLiteral("text-align: center");
    static const char* const kVertical[] = {"vertical-align: top", "vertical-align: middle", "vertical-align: bottom"};
    d << QLatin1String(kVertical[va]);
    return d.join(QLatin1Char(';'));
}

// The document round the table's lines: the XHTML prologue, the prefix, the style sheet of
// the cell styles, the table element, the suffix.
QString htmlDocumentText(const THTMLSettings& h, const THtmlDialect& t, const QStringList& styles,
                         const QStringList& lines, const QString& encoding)
{
    const bool xhtml = h.XHTML();
    const QString crlf = QStringLiteral("\r\n");
    QString out;
    if (xhtml) {
        out += QStringLiteral("<?xml version=\"1.0\" encoding=\"") + encoding + QStringLiteral("\"?>") + crlf;
        out += QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + crlf;
        out += QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + crlf;
        out += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + crlf;
    }
    if (!h.PrefixTag().isEmpty())
        out += h.PrefixTag();
    out += QStringLiteral("<style>") + crlf;
    for (qsizetype i = 0; i < styles.size(); ++i)
        out += QStringLiteral(".c") + QString::number(i) + QStringLiteral(" {") + styles[i] + QLatin1Char('}') + crlf;
    out += QStringLiteral("</style>") + crlf;

    // Attribute and element names as the form writes them.
    auto name = [&](const char* upper) {
        const QString n = QString::fromLatin1(upper);
        return xhtml ? n.toLower() : n;
    };
    auto attr = [&](const char* upper, const QString& value) {
        return name(upper) + QStringLiteral("=\"") + value + QStringLiteral("\" ");
    };
    QString table =
        QLatin1Char('<') + name("TABLE") + QLatin1Char(' ') + attr("BORDER", QString::number(h.BorderSize()))
        + attr("CELLSPACING", QString::number(h.CellSpacing())) + attr("CELLPADDING", QString::number(h.CellPadding()));
    if (!h.Summary().isEmpty())
        table += attr("SUMMARY", h.Summary());
    if (!h.TableStyle().isEmpty())
        table += QLatin1Char(' ') + h.TableStyle() + QLatin1Char(' ');
    table +=
        QLatin1Char(' ') + name("WIDTH") + QStringLiteral("=\"") + QString::number(h.Width()) + QStringLiteral("%\">");
    out += table + crlf;
    for (const QString& l : lines)
        out += l + crlf;
    out += QLatin1String(t.tableEnd) + crlf;
    if (!h.SuffixTag().isEmpty())
        out += h.SuffixTag() + crlf;
    if (xhtml)
        out += QLatin1String(t.htmlEnd) + crlf;
    return out;
}

} // namespace

// The text of a link cell as a link; other texts unchanged. target is the text as it may go
// into an attribute.
QString TQvStringGrid::htmlLink(const QString& text, const QString& target) const
{
    if (!URLShow() || text.contains(QLatin1String("</")))
        return text;
    for (const QLatin1String mark : {QLatin1String("://"), QLatin1String("mailto:")}) {
        const qsizetype at = text.indexOf(mark);
        if (at < 0)
            continue;
        const QString shown = URLFull() ? text : text.mid(at + mark.size(), 255);
        return QStringLiteral("<a href=\"") + target + QStringLiteral("\">") + shown + QStringLiteral("</a>");
    }
    return text;
}

QString TQvStringGrid::SaveToHTMLString(const QString& Folder)
{
    return htmlText(Folder, QStringLiteral("utf-8"));
}

QString TQvStringGrid::htmlText(const QString& folder, const QString& encoding)
{
    const THTMLSettings& h = *FHTMLSettings;
    const bool xhtml = h.XHTML();
    const THtmlDialect& t = xhtml ? kXhtml : kHtml;
    const QString crlf = QStringLiteral("\r\n");

    // A text as cell content; escaped when the settings ask or XML needs it.
    auto content = [&](QString text, bool data) {
        const bool encoded = xhtml || (data && h.ConvertSpecialChars());
        if (encoded) {
            text = RizIVUDE::EncodeEntities(text, !xhtml && h.ConvertSpecialChars());
            if (xhtml && h.ConvertSpecialChars())
                text = asciiReferences(text);
        }
        if (data && h.NonBreakingText())
            text = xhtml ? text.replace(QLatin1Char(' '), QLatin1String("&#160;")) : RizIVUDE::SpacesToNbsp(text);
        text = ZirAzur::LineBreaksToHtml(text);
        if (xhtml)
            text.replace(QLatin1String("<br>"), QLatin1String("<br/>"));
        text = htmlLink(text, encoded ? text : RizIVUDE::EncodeEntities(text, false));
        if (text.trimmed().isEmpty())
            text = QLatin1String(t.blank);
        return text;
    };

    QStringList styles;
    auto styleNumber = [&](int col, int row, bool fixedBackground) {
        TCellVisuals v = CellLook(col, row, true);
        if (fixedBackground)
            v.Brush.Color = FixedColor();
        const QString style = styleText(h, v.Brush, v.Font, v.HA, v.VA);
        qsizetype i = styles.indexOf(style);
        if (i < 0) {
            styles << style;
            i = styles.size() - 1;
        }
        return std::pair{int(i), v.WordWrap};
    };
    auto cellLine = [&](int col, int row, int real, const QString& text, const QString& width, bool fixedBackground) {
        const auto [style, wordWrap] = styleNumber(col, row, fixedBackground);
        QString line = QLatin1String(t.cell) + QString::number(style) + QLatin1Char('"');
        const TPoint span = CellSpan(real, row);
        if (span.X > 0)
            line += QLatin1String(t.colspan) + QString::number(span.X + 1) + QLatin1Char('"');
        if (span.Y > 0)
            line += QLatin1String(t.rowspan) + QString::number(span.Y + 1) + QLatin1Char('"');
        if (!wordWrap)
            line += QLatin1String(t.nowrap);
        line += width + QLatin1Char('>') + text + QStringLiteral("</td>");
        return line;
    };
    auto widthAttr = [&](const char* name, int index) {
        if (index < 0 || index >= h.ColWidths().Count())
            return QString();
        const QString v = QString::number(h.ColWidths().GetInteger(index));
        return QLatin1String(name) + (xhtml ? QLatin1Char('"') + v + QLatin1Char('"') : v);
    };

    const int a = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    int b = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();
    QStringList lines;
    QString text;

    const bool header = FixedRows() > 0 && (SaveFixedCells || SaveFixedRows);
    if (header) {
        lines << QLatin1String(t.row);
        for (int c = a; c < ColCount(); ++c) {
            const int real = RealColFromDispl(c);
            if (!IsBaseCell(real, 0))
                continue;
            GetSaveCellText(real, 0, text);
            lines << cellLine(c, 0, real, content(text, false), widthAttr(t.width, c), true);
        }
        lines << QLatin1String(t.rowEnd);
        b = 1;
    }

    ExportNotification(esExportStart, b);
    int picture = 1;
    for (int r = b; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        lines << QLatin1String(t.row);
        for (int c = a; c < ColCount(); ++c) {
            const int real = RealColFromDispl(c);
            if (!IsBaseCell(real, r))
                continue;
            GetSaveCellText(real, r, text);
            QString cell = content(text, true);
            if (h.ExportImages())
                cell = withPictures(real, r, text, cell, folder, picture, xhtml);
            lines << cellLine(c, r, real, cell, header ? QString() : widthAttr(t.dataWidth, c - a), IsFixed(real, r));
        }
        lines << QLatin1String(t.rowEnd);
    }
    ExportNotification(esExportDone, -1);

    return htmlDocumentText(h, t, styles, lines, encoding);
}

// ---- pictures -------------------------------------------------------------------------------------

// Writes picture number n as folder + "images/img" + n + ".jpg" and answers the file name.
QString TQvStringGrid::SaveCellPictureFile(const QImage& image, int number, const QString& folder)
{
    const QString dir = folder + QStringLiteral("images");
    if (!platform::dirExists(dir) && !platform::createDirPath(dir))
        throw EQvGridError(QStringLiteral("Cannot create ") + dir);
    const QString name = folder + QStringLiteral("images/img") + QString::number(number) + QStringLiteral(".jpg");
    QString error;
    if (!platform::writeJpegFile(name, image, &error))
        throw platform::EFCreateError(name, error);
    return name;
}

QString TQvStringGrid::withPictures(int col, int row, const QString& text, const QString& content,
                                    const QString& folder, int& picture, bool xhtml)
{
    const TCellGraphic* g = GetCellGraphic(col, row);
    if (!g)
        return content;
    auto image = [&](const QImage& img) {
        if (img.isNull() || FHtmlWithoutPictures)
            return QString();
        const QString name = SaveCellPictureFile(img, picture++, folder);
        const QString src = xhtml ? RizIVUDE::EncodeEntities(QStringLiteral("file://") + name, false)
                                  : QStringLiteral("file://") + name;
        return QStringLiteral("<img src= \"") + src + QLatin1Char('"') + QLatin1String(xhtml ? "/>" : ">");
    };
    TCustomImageList* list = GetCellImageList(col, row);
    switch (g->FCellType) {
    case ctBitmap:
        if (const auto* bmp = dynamic_cast<const TBitmap*>(g->FCellBitmap))
            return content + image(bmp->Image);
        return content;
    case ctPicture:
        if (const auto* pic = dynamic_cast<const TBitmap*>(g->FCellBitmap))
            return content + image(pic->Image);
        return content;
    case ctImageList:
        if (list && g->FCellIndex >= 0 && g->FCellIndex < list->Count())
            return image(list->GetImage(g->FCellIndex)) + content;
        return content;
    case ctDataImage: {
        bool ok = false;
        const int index = text.trimmed().toInt(&ok);
        if (list && ok && index >= 0 && index < list->Count())
            return image(list->GetImage(index));
        return QLatin1String(xhtml ? kXhtml.blank : kHtml.blank);
    }
    case ctNode:
        return QLatin1Char('+') + content;
    case ctImages: {
        const auto* indexes = dynamic_cast<const TIntList*>(g->FCellBitmap);
        if (!list || !indexes)
            return content;
        QString out;
        for (int i = 0; i < indexes->Count(); ++i) {
            const int index = indexes->GetInteger(i);
            if (index >= 0 && index < list->Count())
                out += image(list->GetImage(index));
        }
        return out + content;
    }
    default:
        return content;
    }
}

// ---- files ----------------------------------------------------------------------------------------

void TQvStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    writeHTML(FileName, Show, Unicode, false);
}

void TQvStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    writeHTML(FileName, Show, Unicode, true);
}

void TQvStringGrid::writeHTML(const QString& FileName, bool Show, bool Unicode, bool append)
{
    const THTMLSettings& h = *FHTMLSettings;
    QStringList lines;
    if (append)
        platform::readTextLines(FileName, lines); // a file that cannot be read counts as empty
    auto addFile = [&](const QString& name) {
        if (name.isEmpty())
            return;
        QStringList more;
        if (!platform::readTextLines(name, more))
            throw platform::EFOpenError(name, QStringLiteral("cannot be read"));
        lines += more;
    };
    addFile(h.HeaderFile());
    QString folder = QFileInfo(FileName).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString table = htmlText(folder, Unicode ? QStringLiteral("utf-16") : QStringLiteral("us-ascii"));
    table.chop(2); // its last line end is the join's
    lines << table;
    addFile(h.FooterFile());

    QString all = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    QByteArray data;
    if (Unicode) {
        data.resize(2 + all.size() * 2);
        data[0] = '\xFF';
        data[1] = '\xFE';
        qToLittleEndian<quint16>(all.utf16(), all.size(), data.data() + 2);
    } else {
        data.reserve(all.size());
        for (QChar c : all)
            data += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    }
    QString error;
    if (!platform::replaceFile(FileName, data, &error))
        throw platform::EFCreateError(FileName, error);
    if ((Show || h.AutoPreview()) && Services().shell)
        Services().shell->openUrl(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()).toString());
}

} // namespace grid
