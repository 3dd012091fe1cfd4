#pragma once
// Rich-text (RTF) cell texts. Qt reads no RTF, so the subset that rich-edit controls write is
// read here into a QTextDocument: groups, the font and colour tables with \f and \cf, \fs,
// \b, \i, \ul, \strike, \up, \dn, \plain, \par, \line, \tab, \'hh through the Windows-1252 table,
// \uN with \ucN, and the literal symbols. {\*...} groups and the destinations that hold no
// text (style sheet, document info, pictures, objects, headers) are skipped, and unknown
// control words are ignored. Reading never fails: an unbalanced closing brace ends the text
// and a cut-off file keeps what was read up to the cut.

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include <QTextFormat>

class QPainter;
class QTextCharFormat;
class QTextDocument;

namespace platform {

// Rich-edit controls raise and lower characters by a distance (twips, \up and \dn) where Qt
// knows only sub- and superscript; the distance is kept as a character property beside Qt's
// vertical alignment so a text written back carries it unchanged.
constexpr int RichOffsetProperty = QTextFormat::UserProperty + 0x5201;
int charOffset(const QTextCharFormat& f);
void setCharOffset(QTextCharFormat& f, int twips);

// The document as RTF of the subset loadRtf reads: runs with a format of their own as groups,
// paragraphs separated by \par, characters beyond ASCII as \uN. Plain 8-bit text, so it
// reads back through loadRtf (and CellToRich) unchanged.
QString saveRtf(const QTextDocument& doc);

// Replaces the document's content with the text the RTF holds. The document's default font
// stands for the font table's entries that name no font; text in colour entry 0 (auto) takes
// no colour of its own. The paragraph mark that ends the last paragraph adds no empty one.
void loadRtf(QTextDocument& doc, const QString& rtf);

// The document's text, its paragraphs and line breaks joined by CR LF.
QString richPlainText(const QTextDocument& doc);
QString rtfToPlainText(const QString& rtf);

// The size the document needs: laid out in `width` pixels when width > 0, else on unwrapped
// lines. Measured for the device that draws it (see drawRichText).
QSize richTextSize(QTextDocument& doc, int width, QPaintDevice* device = nullptr);

// Draws the document into rect (device coordinates of the painter's device, whatever its
// transform), laid out for that device's resolution and clipped to rect.
void drawRichText(QPainter& painter, QTextDocument& doc, const QRect& rect);

} // namespace platform
